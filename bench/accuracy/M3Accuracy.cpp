// The forecast accuracy of the engine on the 3,003 M3 series, by the
// competition's protocol: each series is forecast from its in-sample part
// for its hold-out (6 periods yearly, 8 quarterly and other, 18 monthly)
// and scored with the competition's symmetric MAPE (M3Smape.h). Printed as
// a table by category, for the automatic selection with its automation
// defaults and with the settings recommended to callers (the data's season
// length, the hold-out and the error measure computed), and for single
// methods with their parameters fitted.
//
//   build/bench/bench/accuracy/m3_accuracy [STRIDE]
//
// STRIDE k scores every k-th series only (default 1, all of them). The data
// are the bundled copy, or the folder QD_M3_DIR names.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../M3Data.h"
#include "../M3Smape.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/SeriesForecastBoxJenkinsNew.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingHolt.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastSelvane.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingWinters.h"

using namespace qd;

namespace {

struct Method {
    const char* name;
    bool seasonalOnly;  // only for series whose period is above 1
    std::function<std::unique_ptr<SeriesForecast>(const m3::M3Series&)> make;
};

template <class T, class... Arguments>
std::unique_ptr<SeriesForecast> make(Arguments... arguments)
{
    return std::unique_ptr<SeriesForecast>(new T(arguments...));
}

const std::vector<Method>& methods()
{
    static const std::vector<Method> list = {
        {"selection, member defaults", false,
         [](const m3::M3Series& m) {
             return make<SeriesForecastSelvane>(0, m.horizon, 2024, std::int32_t(QD_OPTIMIZE), 1, 0,
                                                std::int32_t(QD_SELVANE_STANDARD));
         }},
        {"selection, recommended settings", false,
         [](const m3::M3Series& m) {
             const std::int32_t seasonal = m.period > 1 ? m.period : std::int32_t(QD_NON_SEASONAL);
             return make<SeriesForecastSelvane>(0, m.horizon, std::int32_t(QD_COMPUTE), seasonal, 1,
                                                std::int32_t(QD_COMPUTE), std::int32_t(QD_SELVANE_STANDARD));
         }},
        {"simple exponential smoothing", false,
         [](const m3::M3Series& m) { return make<SeriesForecastExponentialSmoothing>(0, -3.0, m.horizon); }},
        {"Holt", false,
         [](const m3::M3Series& m) {
             return make<SeriesForecastDoubleExponentialSmoothingHolt>(0, m.horizon, -3.0, -3.0);
         }},
        {"Brown double smoothing", false,
         [](const m3::M3Series& m) {
             return make<SeriesForecastDoubleExponentialSmoothingBrown>(0, m.horizon, -3.0);
         }},
        {"Holt-Winters, decomposition fitted", true,
         [](const m3::M3Series& m) {
             return make<SeriesForecastTripleExponentialSmoothingWinters>(0, m.period, m.horizon, -3.0, -3.0, -3.0,
                                                                          3);
         }},
        {"Box-Jenkins, orders identified", false,
         [](const m3::M3Series& m) {
             const std::int32_t c = QD_COMPUTE;
             return make<SeriesForecastBoxJenkinsNew>(std::int32_t(QD_LAST), std::int32_t(QD_ALL), m.horizon, c, c,
                                                      c, c, c, c, c, m.period > 1 ? m.period : 0, false, 2);
         }},
    };
    return list;
}

// The forecasts of one series by one method; empty when the method fails
// or leaves a forecast that is not finite.
std::vector<double> forecast(const Method& method, const m3::M3Series& data)
{
    const std::int32_t n = static_cast<std::int32_t>(data.values.size());
    Series s(n + data.horizon);
    for (double v : data.values)
        s.addObservation(v, QD_SUPPLIED, FdCString());
    try {
        const std::unique_ptr<SeriesForecast> m = method.make(data);
        SeriesOpApplySeriesForecast(*m).apply(s);
    } catch (const MVRBaseException&) {
        return {};
    } catch (const std::exception&) {
        return {};
    }
    std::vector<double> out;
    for (std::int32_t k = 0; k < data.horizon && n + k < s.numObservations(); ++k) {
        const double f = s.observation(n + k).value;
        if (!std::isfinite(f))
            return {};
        out.push_back(f);
    }
    if (static_cast<std::int32_t>(out.size()) != data.horizon)
        return {};
    return out;
}

void cell(double value)
{
    if (std::isnan(value))
        std::printf(" %9s", "-");
    else
        std::printf(" %9.2f", value);
}

}  // namespace

int main(int argc, char** argv)
{
    const int stride = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    std::vector<m3::M3Series> all;
    try {
        all = m3::loadAll(m3::dataFolder());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "m3_accuracy: %s\n", e.what());
        return 1;
    }
    std::printf("M3 accuracy: %zu series in %s; scored: ", all.size(), m3::dataFolder().c_str());
    if (stride == 1)
        std::printf("all of them.\n");
    else
        std::printf("every %dth.\n", stride);
    std::printf("sMAPE = 200 |X - F| / (X + F), averaged over every forecast of horizons 1 to h pooled\n"
                "(h = 6 yearly, 8 quarterly and other, 18 monthly). \"h 1-18\": the mean over horizons 1 to 18\n"
                "of each horizon's average over all series. \"-\": the method needs a season.\n\n");
    const char* categories[] = {"yearly", "quarterly", "monthly", "other"};
    std::printf("%-36s %9s %9s %9s %9s %9s %9s %7s %8s\n", "method", "yearly", "quarterly", "monthly", "other", "all",
                "h 1-18", "failed", "seconds");
    for (const Method& method : methods()) {
        m3::SmapeTally tally;
        int failed = 0;
        bool skipped = false;
        const std::clock_t start = std::clock();
        for (std::size_t k = 0; k < all.size(); k += static_cast<std::size_t>(stride)) {
            const m3::M3Series& data = all[k];
            if (method.seasonalOnly && data.period <= 1) {
                skipped = true;
                continue;
            }
            const std::vector<double> f = forecast(method, data);
            if (f.empty())
                ++failed;
            else
                tally.add(data.category, data.holdout, f);
        }
        const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
        std::printf("%-36s", method.name);
        for (const char* c : categories)
            cell(tally.pooled(c));
        cell(skipped ? NAN : tally.pooled(""));
        cell(skipped ? NAN : tally.horizonAverage());
        std::printf(" %7d %8.1f\n", failed, seconds);
        std::fflush(stdout);
    }
    std::printf("\nPublished (Makridakis and Hibon 2000, all data, average of horizons 1 to 18): "
                "Single 14.32, Dampen 13.63, Theta 13.01.\n");
    return 0;
}
