// Linear trend regression of one series on the period number, or, in its
// zero-demand form, the extrapolation of a given line. The fit runs the
// matrix multiple regression on a two-series work matrix (the values and a
// time index 1, 2, ...) and copies fitted values, forecasts and statistics
// back into the series. Method code 6 (QD_LINEAR_REGRESSION).
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTLINEARREGRESSION_H
#define QD_SERIESCOMPUTE_SERIESFORECASTLINEARREGRESSION_H

#include <cstdint>

#include "Matrix/Series.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesForecastLinearRegression : public SeriesForecast {
public:
    SeriesForecastLinearRegression(std::int32_t observationNumber, std::int32_t numHistoricalValues,
                                   std::int32_t numPeriodsToForecast, bool useConstTerm, double ConfidenceLevel,
                                   bool useGivenCoefficients, double slope, double intercept);

    // Writes the fitted values and forecasts under 6 and QD_FORECAST,
    // the slope (2061), intercept (2060), F statistic, confidence
    // half-widths, elasticity, t statistics and p-values; the flag is not
    // read. Returns 0.
    std::int32_t compute(Series& series, std::int32_t flag) override;

    std::int32_t observationNumber;   // QD_LAST allowed; resolved per series
    std::int32_t numHistoricalValues; // QD_ALL allowed; resolved per series
    std::int32_t numPeriodsToForecast;
    bool useConstTerm;
    double ConfidenceLevel;
    bool useGivenCoefficients;        // zero-demand form: extrapolate slope and intercept
    double slope;                     // replaced by the fitted slope
    double intercept;                 // replaced by the fitted intercept

private:
    void fit(Series& series, std::int32_t last, std::int32_t n);
};

}  // namespace qd

#endif
