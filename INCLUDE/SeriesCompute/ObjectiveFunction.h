// ObjectiveFunction: a one-parameter objective that the minimisers of
// "SeriesCompute/Minimizer.h" search.
//
// Every forecasting method with a fitted parameter derives from it as its
// second base (beside SeriesForecast) and answers evaluate(x) with the sum of
// squared errors of the method run with x in place of that parameter. An
// evaluation leaves the method as it found it: it saves what the trial run
// changes, drops the cached sum of squared errors, runs its fit pass, reads
// the sum and restores every saved field.
#ifndef QD_SERIESCOMPUTE_OBJECTIVEFUNCTION_H
#define QD_SERIESCOMPUTE_OBJECTIVEFUNCTION_H

#include <cstdint>

namespace qd {

class ObjectiveFunction {
public:
    // The objective at the trial value x (smaller is better).
    virtual double evaluate(double x) = 0;

    // Which of the method's parameters evaluate() replaces; a method with
    // several fitted parameters sets it before each minimisation, a method
    // with one leaves it alone.
    std::int32_t fittedParameter = 0;

protected:
    ObjectiveFunction() = default;
    ObjectiveFunction(const ObjectiveFunction&) = default;
    ObjectiveFunction& operator=(const ObjectiveFunction&) = default;
    // Objects are never destroyed through this base.
    ~ObjectiveFunction() = default;
};

} // namespace qd

#endif
