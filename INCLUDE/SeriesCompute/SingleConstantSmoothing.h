// SingleConstantSmoothing: the frame shared by the smoothing methods with
// one constant and one run (Brown's double and triple smoothing, adaptive
// smoothing). A class supplies its checks and its smoothing pass; the frame
// fetches the arrays, starts from the mean of the first up to three values,
// fits the constant when it is exactly -3.0 (one minimisation over the
// class's interval, tolerance 0.01), runs the pass with the periods to
// forecast, stores the values under the class's quantity and QD_FORECAST,
// stores the constant and records the method. The constant returns to its
// constructor value at the end of every compute, so one object fits every
// series of a matrix afresh.
#ifndef QD_SERIESCOMPUTE_SINGLECONSTANTSMOOTHING_H
#define QD_SERIESCOMPUTE_SINGLECONSTANTSMOOTHING_H

#include <cstdint>

#include "Matrix/Series.h"
#include "SeriesCompute/ObjectiveFunction.h"
#include "SeriesCompute/SeriesCompute.h"

namespace qd {

class SingleConstantSmoothing : public SeriesForecast, public ObjectiveFunction {
public:
    // Checks, fits, forecasts and stores; returns 0. The flag is not used.
    std::int32_t compute(Series& series, std::int32_t flag) override;
    // The sum of squared errors over observations s .. n - 1 of one pass
    // without forecast periods with the constant set to x.
    double evaluate(double x) override;

    std::int32_t observationNumber;
    std::int32_t numPeriodsToForecast;

protected:
    struct Traits {
        std::int32_t methodCode;     // observation quantity and method number
        std::int32_t constantType;   // where the constant is stored (2028 or 2029)
        double fitHigh;              // the fit interval is [0, fitHigh]
    };
    SingleConstantSmoothing(std::int32_t observationNumber, std::int32_t numPeriodsToForecast, double constant,
                            const Traits& traits);

    // The class's checks, in its own order, with n the observation count.
    virtual void checkArguments(std::int32_t n) const = 0;
    // One pass from observationNumber with the constant c, the starting
    // value start0 and h periods to forecast, over values_ and forecasts_.
    // Returns the sum of squared errors of the fitted values it wrote over
    // observationNumber .. n - 1, summed in ascending order from 0.0 as
    // the sum of squared errors statistic of that range sums them.
    virtual double smoothingPass(double c, double start0, std::int32_t h) = 0;

    double constant_;  // the working constant (alpha or beta)
    // Working state of one compute.
    std::int32_t observationCount_ = 0;
    double* values_ = nullptr;
    double* forecasts_ = nullptr;

private:
    // Tells the benchmarks of one pass with the constant (WorkCount.h).
    void notePass(double constant) const;

    double constructorConstant_;
    Traits traits_;
    Series* series_ = nullptr;
    double start_ = 0.0;
};

}  // namespace qd

#endif
