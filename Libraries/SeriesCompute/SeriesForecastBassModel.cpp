#include "SeriesCompute/SeriesForecastBassModel.h"

#include "Matrix/MVRBaseException.h"
#include "SeriesCompute/SeriesStatistics.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesForecastBassModel";
}  // namespace

SeriesForecastBassModel::SeriesForecastBassModel(std::int32_t last, std::int32_t count,
                                                 std::int32_t numPeriodsToForecast, double p, double r, double qbar)
    : last(last), count(count), numPeriodsToForecast(numPeriodsToForecast), p(p), r(r), qbar(qbar)
{
}

std::int32_t SeriesForecastBassModel::compute(Series& series, std::int32_t flag)
{
    (void)flag;
    // Resolved for this series only: the object runs over every series of
    // a matrix.
    std::int32_t last = this->last;
    std::int32_t count = this->count;
    resolveSeriesRange(series, last, count);
    checkSeriesRange(series, last, count, 1);
    if (numPeriodsToForecast < 0)
        qdThrow(QD_SOURCE_PATH, 66, ErrorCode::IllegalForecastPeriods);
    if (qbar == 0.0)
        qdThrow(QD_SOURCE_PATH, 69, ErrorCode::IllegalBassQbar);
    double* forecasts = series.forecastValues(numPeriodsToForecast);
    double Q = 0.0;
    for (std::int32_t t = last - count + 1; t <= last + numPeriodsToForecast; ++t) {
        Q = Q + (p + r * Q / qbar) * (qbar - Q);
        forecasts[t] = Q;
    }
    series.storeForecasts(QD_BASS_MODEL, last - count + 1, last + numPeriodsToForecast, false);
    series.storedResults.store(QD_BASS_MODEL_P, p);
    series.storedResults.store(QD_BASS_MODEL_R, r);
    series.storedResults.store(QD_BASS_MODEL_QBAR, qbar);
    series.recordForecastMethod(QD_BASS_MODEL);
    return 0;
}

}  // namespace qd
