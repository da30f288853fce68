// The accuracy measure of the M3 competition: the symmetric absolute
// percentage error of one forecast F of an actual value X,
// 200 |X - F| / (X + F), with the denominator's sign kept (a forecast below
// -X gives a negative term), averaged over every forecast of horizons 1 to h
// of the series counted (pooled), per category and over all of them. The
// tally also keeps each horizon's own average, whose mean over horizons
// 1 to 18 is the "average of horizons 1 to 18" of the published tables.
#ifndef QD_BENCH_M3SMAPE_H
#define QD_BENCH_M3SMAPE_H

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace m3 {

inline double smape(double actual, double forecast)
{
    return 200.0 * std::fabs(actual - forecast) / (actual + forecast);
}

class SmapeTally {
public:
    // The forecasts of one series in `category`, horizons 1 to
    // actual.size().
    void add(const std::string& category, const std::vector<double>& actual, const std::vector<double>& forecast)
    {
        if (byHorizon_.size() < actual.size())
            byHorizon_.resize(actual.size());
        for (std::size_t k = 0; k < actual.size() && k < forecast.size(); ++k) {
            const double e = smape(actual[k], forecast[k]);
            byCategory_[category].add(e);
            all_.add(e);
            byHorizon_[k].add(e);
        }
    }

    // The pooled average of one category, or of all ("").
    double pooled(const std::string& category) const
    {
        if (category.empty())
            return all_.mean();
        const auto found = byCategory_.find(category);
        return found == byCategory_.end() ? NAN : found->second.mean();
    }

    // The mean over horizons 1 to `horizons` of each horizon's average over
    // every series that has it.
    double horizonAverage(std::size_t horizons = 18) const
    {
        if (byHorizon_.size() < horizons)
            return NAN;
        double sum = 0.0;
        for (std::size_t k = 0; k < horizons; ++k)
            sum += byHorizon_[k].mean();
        return sum / double(horizons);
    }

    std::int64_t forecasts() const { return all_.count; }

private:
    struct Sum {
        double sum = 0.0;
        std::int64_t count = 0;
        void add(double e)
        {
            sum += e;
            ++count;
        }
        double mean() const { return count > 0 ? sum / double(count) : NAN; }
    };
    std::map<std::string, Sum> byCategory_;
    std::vector<Sum> byHorizon_;
    Sum all_;
};

}  // namespace m3

#endif
