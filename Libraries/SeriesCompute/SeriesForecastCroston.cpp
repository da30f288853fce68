#include "SeriesCompute/SeriesForecastCroston.h"

#include <cstdint>
#include <new>
#include <vector>

#include "Matrix/MVRBaseException.h"
#include "Matrix/Observation.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/WorkCount.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastCroston";

bool isLegalAlpha(double alpha)
{
    return alpha == -3.0 || (alpha >= 0.0 && alpha <= 1.0);
}

// Restores alpha and forgets the borrowed arrays, also when an exception
// passes.
class Restore {
public:
    explicit Restore(SeriesForecastCroston& method) : method_(method), alpha_(method.alpha) {}
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;
    ~Restore()
    {
        method_.alpha = alpha_;
        method_.values = nullptr;
        method_.forecasts = nullptr;
    }

private:
    SeriesForecastCroston& method_;
    double alpha_;
};

}  // namespace

SeriesForecastCroston::SeriesForecastCroston(std::int32_t observationNumber, std::int32_t numPeriodsToForecast,
                                             double alpha)
    : observationNumber(observationNumber),
      numPeriodsToForecast(numPeriodsToForecast),
      numObservations(0),
      alpha(alpha),
      values(nullptr),
      forecasts(nullptr)
{
}

double SeriesForecastCroston::evaluate(double x)
{
    (void)x;
    return 0.0;
}

std::int32_t SeriesForecastCroston::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    numObservations = series.numObservations();
    if (!isLegalAlpha(alpha))
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalAlpha);
    if (numPeriodsToForecast < 0)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalForecastPeriods);
    if (observationNumber < 0)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::NegativeIndex);
    if (observationNumber >= numObservations)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::OutOfBounds);
    if (static_cast<std::int64_t>(numObservations) + numPeriodsToForecast > Series::maxObservations())
        throw std::bad_alloc();

    const Restore restore(*this);
    run(series);
    return 0;
}

void SeriesForecastCroston::run(Series& series)
{
    const std::int32_t s = observationNumber;
    const std::int32_t n = numObservations;
    const std::int32_t end = n + numPeriodsToForecast;  // one past the last period written

    // The demands of the range, in order.
    std::vector<double> demands;
    demands.reserve(static_cast<std::size_t>(n - s));
    double sum = 0.0;
    {
        const double* v = series.values(0);
        for (std::int32_t i = s; i < n; ++i) {
            if (v[i] != 0.0) {
                demands.push_back(v[i]);
                sum += v[i];
            }
        }
    }
    const std::int32_t N = static_cast<std::int32_t>(demands.size());

    // The smoothed demand sizes: level[k] is the level after demand k.
    std::vector<double> level;
    if (N > 0) {
        Series sizes(64);
        for (double d : demands)
            sizes.addObservation(d, QD_SUPPLIED, FdCString());
        SeriesForecastExponentialSmoothing smoothing(0, alpha, 0, false, 0.0);
        SeriesOpApplySeriesForecast op(smoothing);
        op.apply(sizes);
        alpha = sizes.storedResults.value(QD_ALPHA);
        const double* before = sizes.forecastValues(0);
        level.resize(demands.size());
        for (std::int32_t k = 0; k < N; ++k)
            level[k] = alpha * demands[k] + (1.0 - alpha) * before[k];
    } else if (alpha == -3.0) {
        alpha = 0.0;
    }

    values = series.values(numPeriodsToForecast);
    forecasts = series.forecastValues(numPeriodsToForecast);
    if (N == 0) {
        for (std::int32_t i = s; i < end; ++i)
            forecasts[i] = 0.0;
    } else {
        const double a = alpha;
        noteWork(WorkKind::CrostonPass, values + s, n - s, 0, 0, &alpha, 1);
        double z = sum / N;                         // smoothed demand size
        double P = static_cast<double>(n - s) / N;  // smoothed interval at the last demand
        double p = P;                               // running interval
        double q = 1.0;                             // periods since the last demand
        std::int32_t k = 0;
        for (std::int32_t i = s; i < n; ++i) {
            forecasts[i] = z / p;
            if (values[i] != 0.0) {
                P = p;
                z = level[k++];
                q = 1.0;
            }
            p = (1.0 - a) * P + a * q;
            q += 1.0;
        }
        for (std::int32_t i = n; i < end; ++i)
            forecasts[i] = z / p;
    }
    series.storeForecasts(QD_CROSTON, s, end - 1, false);
    series.storedResults.store(QD_ALPHA, alpha);
    series.forecastMethodNumber = QD_CROSTON;
    series.seasonalLength = 0;
    series.decompositionType = 0;
}

}  // namespace qd
