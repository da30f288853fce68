// What the member templates that two automation classes share
// (SeriesMatrixMembers, ExtensionMembers) have in common: a member builds its
// compute object from its arguments inside its own frame and hands it to
// the runner of its class, Derived, that fits the object's kind. Every
// report names Derived's own source path (Derived::identity). A class whose
// members are shared makes MemberRunners a friend, so that its runners can
// stay private.
#ifndef QD_QDINTERFACE_MEMBERRUNNERS_H
#define QD_QDINTERFACE_MEMBERRUNNERS_H

#include "AutomationFrame.h"

#include <cstdint>

struct MemberRunners {
    // A statistic built from the member's (integer) arguments, run by
    // Derived::runSeriesCompute.
    template <class Statistic, class Derived, class... Arguments>
    static HRESULT calculate(Derived& object, std::int32_t line, Arguments... arguments)
    {
        return compute<Statistic>(object, line, static_cast<std::int32_t>(arguments)...);
    }
    // Any other compute object, built from the arguments as they are, run
    // by Derived::runSeriesCompute.
    template <class Compute, class Derived, class... Arguments>
    static HRESULT compute(Derived& object, std::int32_t line, Arguments... arguments)
    {
        return build<Compute>(object, line, [](Derived& d, Compute& c) { return d.runSeriesCompute(c); }, arguments...);
    }
    // A forecast, run by Derived::runSeriesForecast.
    template <class Method, class Derived, class... Arguments>
    static HRESULT forecast(Derived& object, std::int32_t line, Arguments... arguments)
    {
        return build<Method>(object, line, [](Derived& d, Method& m) { return d.runSeriesForecast(m); }, arguments...);
    }
    // A random-series generator, run by Derived::runGenerateRandom.
    template <class Generator, class Derived, class... Arguments>
    static HRESULT generate(Derived& object, std::int32_t line, Arguments... arguments)
    {
        return build<Generator>(object, line, [](Derived& d, Generator& g) { return d.runGenerateRandom(g); },
                                arguments...);
    }

private:
    // Builds the object inside the member's frame and hands it to the runner.
    template <class Object, class Derived, class Runner, class... Arguments>
    static HRESULT build(Derived& object, std::int32_t line, Runner run, Arguments... arguments)
    {
        return runFrame(Derived::identity, line, [&] {
            Object built(arguments...);
            return run(object, built);
        });
    }
};

#endif
