// Holt-Winters seasonal smoothing (method 14): a level (alpha), a trend
// (gamma) and one factor per season (beta), additive or multiplicative.
//
// Constants passed as -3.0 are fitted by cyclic coordinate search (beta,
// alpha, gamma; tolerance 0.01 each, at least two and at most 11 passes,
// until none moves by more than 0.005). A decomposition type other than 1
// (additive) or 2 (multiplicative) fits both forms and keeps the one with
// the smaller sum of squared errors (multiplicative on a tie); the
// multiplicative form is tried only on positive data, and its fit steers
// away from non-positive fitted values and factors, so it needs positive
// data. Seasonal length -3 detects the length; 0 runs Holt's method under
// method code 14.
//
// Zero-demand mode forecasts from a given level, trend and L seasonal
// factors without fitting.
//
// Stored: fitted values and forecasts (14 and 29), alpha (2028), beta
// (2029), gamma (2030), final level (2032) and trend (2033), the seasonal
// factors after the last observation (4002) and the normalised initial
// factors (4015); the series' method 14, seasonal length and the type used.
#ifndef QD_SERIESCOMPUTE_SERIESFORECASTTRIPLEEXPONENTIALSMOOTHINGWINTERS_H
#define QD_SERIESCOMPUTE_SERIESFORECASTTRIPLEEXPONENTIALSMOOTHINGWINTERS_H

#include <cstdint>
#include <vector>

#include "Matrix/Series.h"
#include "SeriesCompute/ObjectiveFunction.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SeriesForecastTripleExponentialSmoothingWinters : public SeriesForecast, public ObjectiveFunction {
public:
    // seasonalIndexValues: zero-demand mode only, seasonalityLength factors
    // in season order from the forecast origin, valid during compute.
    SeriesForecastTripleExponentialSmoothingWinters(std::int32_t observationNumber, std::int32_t seasonalityLength,
                                                    std::int32_t numPeriodsToForecast, double alpha, double beta,
                                                    double gamma, std::int32_t decompType, bool zeroDemand = false,
                                                    double finalLevelValue = 0.0, double finalTrendValue = 0.0,
                                                    const double* seasonalIndexValues = nullptr);

    // Returns 0. The flag is not used.
    std::int32_t compute(Series& series, std::int32_t flag) override;
    // The sum of squared errors over the fit's range of one pass without
    // forecast periods with alpha (fittedParameter 0), beta (1) or gamma
    // (2) set to x; 1e100 for a multiplicative pass with a fitted value or
    // factor at or below zero.
    double evaluate(double x) override;

    std::int32_t observationNumber;
    std::int32_t seasonalityLength;
    std::int32_t numPeriodsToForecast;
    double alpha;
    double beta;
    double gamma;
    std::int32_t decompType;
    bool zeroDemand;
    double finalLevelValue;
    double finalTrendValue;
    const double* seasonalIndexValues;

private:
    void checkArguments(Series& series, std::int32_t n, std::int32_t& start, std::int32_t& length);
    void runHolt(Series& series, std::int32_t start, std::int32_t flag);
    void runZeroDemand(Series& series, std::int32_t start, std::int32_t length);
    void runNormal(Series& series, std::int32_t start, std::int32_t length);
    std::int32_t season(std::int32_t t) const;
    void initialise();
    // One pass with the current constants and h periods to forecast;
    // returns the sum of squared errors of the fitted values it wrote
    // (summed as the sum of squared errors statistic of the fit's range
    // sums them) and notes whether one of them is at or below zero.
    double pass(std::int32_t h);
    double passError();
    double fit(bool multiplicative);
    void storeResults(Series& series, std::int32_t typeUsed);

    double constructorAlpha_;
    double constructorBeta_;
    double constructorGamma_;

    // Working state of one compute.
    bool multiplicative_ = false;
    std::int32_t start_ = 0;
    std::int32_t length_ = 0;
    std::int32_t observationCount_ = 0;
    Series* series_ = nullptr;
    double* values_ = nullptr;
    bool nonPositiveForecast_ = false;  // of the latest pass
    double* forecasts_ = nullptr;
    double level_ = 0.0;
    double trend_ = 0.0;
    double initialLevel_ = 0.0;
    double initialTrend_ = 0.0;
    std::vector<double> factors_;
    std::vector<double> initialFactors_;
};

}  // namespace qd

#endif
