// MatrixForecastCensusX11: X-11 style seasonal adjustment of the series
// with role QD_ACTUAL_X11_DATA (10): seasonal factors, trend-cycle and
// irregular component from a fixed sequence of centred, seasonal and trend
// moving averages with extreme-value replacement, optionally after a
// trading-day adjustment (series with role QD_TRADING_DAYS, 11); the
// trend-cycle is forecast with a single-series method and fitted values
// and forecasts are rebuilt from the parts.
//
// Results per observation from `first` on: 19 and 29 the fitted value
// (forecast beyond the history), 20 the seasonal factor, 21 the
// trend-cycle (its forecast beyond the history), 22 the irregular
// component (history only); in the series: 2065 the average irregular and
// 4015 the season's indexes; method 19, seasonal length and decomposition
// type in the series and the matrix. Nothing is stored unless the whole
// computation succeeds.
#ifndef QD_MATRIXCOMPUTE_MATRIXFORECASTCENSUSX11_H
#define QD_MATRIXCOMPUTE_MATRIXFORECASTCENSUSX11_H

#include <cstdint>
#include <vector>

#include "MatrixCompute/MatrixCompute.h"

namespace qd {

class Matrix;
class Series;

class MatrixForecastCensusX11 : public MatrixForecast {
public:
    MatrixForecastCensusX11(std::int32_t observationNumber, std::int32_t numHistoricalValues,
                            std::int32_t numForecastPeriods, std::int32_t SeasonalLength, std::int32_t decompType,
                            double SDRatio, bool needTradingDaysAdjust, std::int16_t ForecastMethod);
    // The flag is not used.
    void compute(Matrix& matrix, std::int32_t flag) override;

    // The parts of one decomposition of h values.
    struct Parts {
        std::vector<double> seasonal;   // h
        std::vector<double> trend;      // h
        std::vector<double> irregular;  // h
        double averageIrregular = 0.0;
    };
    // The decomposition core on x (h values) with season s, type d (1 or
    // 2) and extreme-value band r; exposed for the tests.
    static Parts decompose(const std::vector<double>& x, std::int32_t s, std::int32_t d, double r);
    // True for the trend-cycle methods this build can run.
    static bool trendMethodAvailable(std::int32_t method);

    std::int32_t observationNumber;
    std::int32_t numHistoricalValues;
    std::int32_t numForecastPeriods;
    std::int32_t SeasonalLength;
    std::int32_t decompType;
    bool needTradingDaysAdjust;
    std::int16_t ForecastMethod;
    double SDRatio;
    std::int32_t decompositionUsed;
    std::int32_t first;
    std::int32_t dataSeriesIndex;
    std::int32_t tradingDaysSeriesIndex;

private:
    struct Run {
        Parts parts;
        std::vector<double> seasonal;  // h + f
        std::vector<double> trend;     // h + f, forecast beyond h
        std::vector<double> fitted;    // h + f
    };
    void validate(Matrix& matrix);
    Run decompositionRun(const std::vector<double>& x, const std::vector<double>& tradingFactors,
                         std::int32_t d) const;
    std::vector<double> forecastTrend(const std::vector<double>& trend) const;
    void store(Matrix& matrix, const Run& run) const;
};

}  // namespace qd

#endif
