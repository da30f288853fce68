// BoxJenkinsModel: one multiplicative seasonal ARMA model of a (differenced)
// series, (p, q) x (P, Q) at seasonal length S with an optional constant:
// backcasting, one-step prediction, coefficient fitting by cyclic
// coordinate search, diagnostics and forecasting.
//
// Notation: y(t) the working values, yhat(t) the one-step predictions,
// a(t) = y(t) - yhat(t) the residuals; phi(1..p), theta(1..q), Phi(1..P),
// Theta(1..Q) the coefficients (indexed from 0 by the accessors); mu the
// process mean. The model works on whatever series it is given: differencing
// and undifferencing belong to its callers.
#ifndef QD_SERIESCOMPUTE_BOXJENKINSMODEL_H
#define QD_SERIESCOMPUTE_BOXJENKINSMODEL_H

#include <cstdint>
#include <vector>

#include "Matrix/Series.h"
#include "Matrix/SeriesCompute.h"
#include "SeriesCompute/ObjectiveFunction.h"
#include "SeriesCompute/ParameterList.h"

namespace qd {

// What ranks one fitted model against another.
struct BoxJenkinsScore {
    double ljungBoxQ = 0.0;
    double bic = 0.0;
    std::int32_t numParameters = 0;  // p + q + P + Q, plus 1 with a constant
};

class BoxJenkinsModel : public SeriesForecast, public ObjectiveFunction {
public:
    BoxJenkinsModel();
    // Stores the settings and sets every coefficient to 0.0; checks nothing
    // (the forecast method checks orders and S before building models).
    BoxJenkinsModel(std::int32_t lastIndex, std::int32_t numHistoricalValues, std::int32_t numPeriodsToForecast,
                    std::int32_t numLagValues, bool hasConstant, std::int32_t seasonalLength, std::int32_t p,
                    std::int32_t q, std::int32_t P, std::int32_t Q);
    // Deep copies; the copy's parameter list is new and empty and the
    // working arrays are not copied. Assignment gives the strong guarantee:
    // everything is allocated before anything of the target changes.
    BoxJenkinsModel(const BoxJenkinsModel& other);
    BoxJenkinsModel& operator=(const BoxJenkinsModel& other);
    ~BoxJenkinsModel() override;

    // Coefficients by group, index from 0: negative 3000, not below the
    // group's order 3006.
    double arCoefficient(std::int32_t i) const;
    void setArCoefficient(std::int32_t i, double value);
    double maCoefficient(std::int32_t i) const;
    void setMaCoefficient(std::int32_t i, double value);
    double seasonalArCoefficient(std::int32_t i) const;
    void setSeasonalArCoefficient(std::int32_t i, double value);
    double seasonalMaCoefficient(std::int32_t i) const;
    void setSeasonalMaCoefficient(std::int32_t i, double value);

    // Estimates the coefficients (and mu with a constant) on the first
    // numHistoricalValues values of the series by cyclic coordinate search:
    // at most 21 passes, stopping when the sum of squared one-step errors
    // changes by at most 0.01 between passes.
    void fit(Series& series);
    // Sum of squared one-step errors over the fitted values with the
    // coefficient under the search cursor set to x; the model is unchanged.
    double evaluate(double x) override;
    // Stores the one-step predictions of observations lastIndex -
    // numHistoricalValues + 1 .. lastIndex and numPeriodsToForecast forecasts
    // (appended as computed observations) under 18 and QD_FORECAST; each
    // forecast stands in for the value of its period. The flag is not read.
    std::int32_t compute(Series& series, std::int32_t flag) override;
    // Stores the fitted values, then the Ljung-Box Q of their errors, the
    // BIC of residualSumOfSquares and the score.
    void diagnose(Series& series);

    // The values before the start of the data: out[1..m] receive the
    // backcasts of y(-1) .. y(-m) from the n values (out has m + 1 elements,
    // out[0] is not used).
    void backcast(std::int32_t n, std::int32_t m, const double* values, double* out) const;
    // The one-step prediction of time t from values (and, for lags before 0,
    // from initial[k] = y(-k) when initial is given; such terms are left out
    // otherwise) and the residuals values - predictions of earlier times.
    double predict(const double* values, const double* predictions, std::int32_t t, const double* initial) const;

    // Whether a ranks before b: a model whose Q passes the 95% chi-square
    // bound (degrees of freedom = its number of parameters) before one that
    // fails; otherwise the lower BIC, where BIC values within 1% of each
    // other count as equal and the model with fewer parameters ranks first.
    static bool isBetterThan(const BoxJenkinsScore& a, const BoxJenkinsScore& b);

    std::int32_t p;
    std::int32_t q;
    std::int32_t P;
    std::int32_t Q;
    double processMean;
    bool hasConstant;
    std::int32_t lastIndex;
    std::int32_t numHistoricalValues;
    std::int32_t numPeriodsToForecast;
    std::int32_t seasonalLength;
    std::int32_t numLagValues;
    double ljungBoxQ;
    double bic;
    double residualSumOfSquares;
    BoxJenkinsScore score;
    Series* fittedSeries;  // not owned; read by evaluate during fit

    // p + S P and q + S Q, the longest lags of the two sides, in 64 bits.
    std::int64_t arSpan() const;
    std::int64_t maSpan() const;

private:
    // The orders and coefficients as plain values and arrays, for the loops
    // over the observations (valid while the coefficient groups keep their
    // sizes: the search changes values only).
    struct Terms {
        std::int64_t S;
        std::int32_t p, q, P, Q;
        bool hasConstant;
        double processMean;
        const double* ar;
        const double* ma;
        const double* sar;
        const double* sma;
        double predict(const double* y, const double* yhat, std::int64_t now, const double* initial) const;
    };
    Terms terms() const;

    // Tells the benchmarks of one pass over n values (WorkCount.h).
    void notePass(const double* y, std::int32_t n) const;
    void swap(BoxJenkinsModel& other) noexcept;
    double sumOfSquaredErrors();

    ParameterList parameters;
    std::vector<double> arCoefficients;
    std::vector<double> maCoefficients;
    std::vector<double> seasonalArCoefficients;
    std::vector<double> seasonalMaCoefficients;
    // Working arrays of fit, released on every exit from it.
    std::vector<double> values;
    std::vector<double> predictions;
    std::vector<double> backcasts;
    // The backcast's working arrays, kept from one objective evaluation to
    // the next (their contents are set afresh by every backcast).
    mutable std::vector<double> reversed_;
    mutable std::vector<double> reversedPredictions_;
};

}  // namespace qd

#endif
