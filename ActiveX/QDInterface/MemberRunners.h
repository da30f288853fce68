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
        return build<Compute, ComputeRunner>(object, line, arguments...);
    }
    // A forecast, run by Derived::runSeriesForecast.
    template <class Method, class Derived, class... Arguments>
    static HRESULT forecast(Derived& object, std::int32_t line, Arguments... arguments)
    {
        return build<Method, ForecastRunner>(object, line, arguments...);
    }
    // A random-series generator, run by Derived::runGenerateRandom.
    template <class Generator, class Derived, class... Arguments>
    static HRESULT generate(Derived& object, std::int32_t line, Arguments... arguments)
    {
        return build<Generator, GeneratorRunner>(object, line, arguments...);
    }

private:
    struct ComputeRunner {
        template <class Derived, class Object>
        static HRESULT run(Derived& object, Object& built) { return object.runSeriesCompute(built); }
    };
    struct ForecastRunner {
        template <class Derived, class Object>
        static HRESULT run(Derived& object, Object& built) { return object.runSeriesForecast(built); }
    };
    struct GeneratorRunner {
        template <class Derived, class Object>
        static HRESULT run(Derived& object, Object& built) { return object.runGenerateRandom(built); }
    };

    // Builds the object inside the member's frame and hands it to the runner.
    template <class Object, class Runner, class Derived, class... Arguments>
    static HRESULT build(Derived& object, std::int32_t line, Arguments... arguments)
    {
        return runFrame(Derived::identity, line, [&] {
            Object built(arguments...);
            return Runner::run(object, built);
        });
    }
};

#endif
