// SeriesForecastNewProductCurve: an S-shaped growth curve between a floor d
// and a ceiling d + a, fitted to one series.
//
//   Gompertz (1):  F(x) = d + a exp(-exp(b - c x))
//   logistic (2):  F(x) = d + a / (1 + exp(b - c x))
//   probit (3):    F(x) = d + a / (1 + exp(b - c ln x))
//
// x is the position in the range (counting from 0, from 1 for the probit
// curve), or the value of an independent series at the same observation.
// The values strictly between floor and ceiling are linearised and
// regressed on x with the matrix multiple regression; values whose
// linearisation is not finite are left out like values on the bounds. With
// MinMaxType QD_CURVE_MAXIMUM_OPTIMIZED (2) the ceiling is fitted first by
// the one-dimensional minimiser, with the same relative tolerance as every
// other fitted parameter, so the fitted curve does not depend on the unit of
// the data. One or two values in the range, or fewer than three between the
// bounds, make it forecast the average instead (method code 30).
//
// The probit curve takes the logarithm of its regressor: an independent
// series with a value not above 0 anywhere from the first period of the
// range to the last forecast period is refused with 3116.
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTNEWPRODUCTCURVE_H
#define QD_SERIESCOMPUTE_SERIESFORECASTNEWPRODUCTCURVE_H

#include <cstdint>
#include <vector>

#include "Matrix/Series.h"
#include "Matrix/SeriesCompute.h"
#include "SeriesCompute/ObjectiveFunction.h"

namespace qd {

enum XSFNewProductCurveType : std::int32_t {
    QD_NP_GOMPERTZ_CURVE = 1,
    QD_NP_LOGISTIC_CURVE = 2,
    QD_NP_PROBIT_CURVE = 3
};

enum XCurveMaximumType : std::int32_t {
    QD_CURVE_MAXIMUM_FIXED = 1,
    QD_CURVE_MAXIMUM_OPTIMIZED = 2
};

class SeriesForecastNewProductCurve : public SeriesForecast, public ObjectiveFunction {
public:
    SeriesForecastNewProductCurve(std::int32_t observationNumber, std::int32_t numHistoricalValues,
                                  std::int32_t numPeriodsToForecast, double minValue, double maxValue,
                                  std::int32_t MinMaxType, std::int32_t curveType,
                                  Series* independentSeries = nullptr);

    // The flag is not used. Returns 0.
    std::int32_t compute(Series& series, std::int32_t flag) override;

    // With fittedParameter 7: the sum of squared errors over the range of
    // the curve fitted with ceiling x (1e50 when that fit fails).
    double evaluate(double x) override;

    std::int32_t observationNumber;
    std::int32_t numHistoricalValues;
    std::int32_t numPeriodsToForecast;
    double minValue;
    double maxValue;
    Series* independentSeries;  // not owned
    std::int32_t MinMaxType;
    std::int32_t curveType;
    double alpha = 0.0;
    double beta = 0.0;
    double gamma = 0.0;
    double delta = 0.0;

private:
    void run(Series& series, std::int32_t last, std::int32_t count);
    // Fits a, b, c, d with the current bounds and writes the curve for the
    // range and the forecast periods into the forecast array. Returns the
    // sum of the squared errors over the range.
    double fitPass();
    // The regressor of every period of the range and of the forecast
    // periods (its logarithm for the probit curve), and room for the
    // values of one fit.
    void computeRegressors();
    // The curve at regressor r (the logarithm of x for the probit curve).
    double curve(double r) const;

    double* values_ = nullptr;
    double* forecasts_ = nullptr;
    const double* independentValues_ = nullptr;
    // The run on one series: its range, forecast periods, floor and
    // ceiling, resolved from the arguments above, which stay as given.
    std::int32_t first_ = 0;
    std::int32_t last_ = 0;
    std::int32_t count_ = 0;
    std::int32_t periods_ = 0;
    double floor_ = 0.0;
    double ceiling_ = 0.0;
    std::vector<double> regressors_;
    std::vector<double> linearised_;
    std::vector<double> usedRegressors_;
};

} // namespace qd

#endif
