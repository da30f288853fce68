// The forecasting methods of the method benchmarks, each with its automation
// defaults and the M3 data set it runs over, and the data sets themselves.
// Shared by bench_methods and bench_methods_digest.
#ifndef QD_BENCH_METHODLINES_H
#define QD_BENCH_METHODLINES_H

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../M3Data.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesForecastAdaptiveExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastAverage.h"
#include "SeriesCompute/SeriesForecastBoxJenkinsNew.h"
#include "SeriesCompute/SeriesForecastCroston.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingHolt.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastLaggedForecast.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"
#include "SeriesCompute/SeriesForecastMovingAverage.h"
#include "SeriesCompute/SeriesForecastNewProductCurve.h"
#include "SeriesCompute/SeriesForecastNewProductOptimizedCurve.h"
#include "SeriesCompute/SeriesForecastSelvane.h"
#include "SeriesCompute/SeriesForecastSlowMovingDemand.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingWinters.h"
#include "SeriesCompute/SeriesForecastWeightedMovingAverage.h"

namespace methodlines {

using namespace qd;
using m3::M3Series;

// The monthly file; the other kinds are read from its folder.
inline std::string g_monthlyPath;

// One M3 file by its kind, loaded on first use.
inline const std::vector<M3Series>& dataSet(const std::string& kind)
{
    static std::map<std::string, std::vector<M3Series>> loaded;
    auto found = loaded.find(kind);
    if (found == loaded.end())
        found = loaded.emplace(kind, m3::loadFile(m3::besideFile(g_monthlyPath, "m3_" + kind + ".csv"))).first;
    return found->second;
}

using Factory = std::function<std::unique_ptr<SeriesForecast>(const M3Series&)>;

struct MethodLine {
    const char* method;
    const char* kind;  // yearly, quarterly, monthly or other
    Factory make;
    bool random;  // draws random numbers: no two runs do the same work
    bool floor;   // has a floor: a search, a simulation or a selection
};

template <class T, class... Args>
std::unique_ptr<SeriesForecast> make(Args... args)
{
    return std::make_unique<T>(args...);
}

// The season of a data set, for the seasonal methods.
inline std::int32_t seasonOf(const std::string& kind)
{
    return kind == "monthly" ? 12 : kind == "quarterly" ? 4 : 1;
}

inline std::vector<MethodLine> methodLines()
{
    std::vector<MethodLine> lines;
    const auto add = [&lines](const char* method, std::initializer_list<const char*> kinds, const Factory& f) {
        for (const char* kind : kinds)
            lines.push_back({method, kind, f, false, true});
    };
    const std::initializer_list<const char*> all = {"yearly", "quarterly", "monthly", "other"};
    add("exponential_smoothing", all, [](const M3Series& m) {
        return make<SeriesForecastExponentialSmoothing>(0, -3.0, m.horizon, false, 0.0);
    });
    add("brown_double", all, [](const M3Series& m) {
        return make<SeriesForecastDoubleExponentialSmoothingBrown>(0, m.horizon, -3.0);
    });
    add("brown_triple", all, [](const M3Series& m) {
        return make<SeriesForecastTripleExponentialSmoothingBrown>(0, m.horizon, -3.0);
    });
    add("holt", all, [](const M3Series& m) {
        return make<SeriesForecastDoubleExponentialSmoothingHolt>(0, m.horizon, -3.0, -3.0);
    });
    add("adaptive", all, [](const M3Series& m) {
        return make<SeriesForecastAdaptiveExponentialSmoothing>(0, -3.0, m.horizon);
    });
    add("holt_winters", {"quarterly"}, [](const M3Series& m) {
        return make<SeriesForecastTripleExponentialSmoothingWinters>(0, 4, m.horizon, -3.0, -3.0, -3.0, 2);
    });
    add("holt_winters", {"monthly"}, [](const M3Series& m) {
        return make<SeriesForecastTripleExponentialSmoothingWinters>(0, 12, m.horizon, -3.0, -3.0, -3.0, 2);
    });
    add("moving_average", {"monthly", "other"}, [](const M3Series& m) {
        return make<SeriesForecastMovingAverage>(QD_LAST, QD_ALL, m.horizon);
    });
    add("weighted_moving_average", {"monthly", "other"}, [](const M3Series& m) {
        return make<SeriesForecastWeightedMovingAverage>(QD_LAST, QD_ALL, m.horizon);
    });
    add("average", {"other"}, [](const M3Series& m) {
        return make<SeriesForecastAverage>(QD_LAST, QD_ALL, m.horizon);
    });
    add("lagged_forecast", {"monthly"}, [](const M3Series& m) {
        return make<SeriesForecastLaggedForecast>(0, m.horizon, 1);
    });
    add("linear_trend", {"yearly", "other"}, [](const M3Series& m) {
        return make<SeriesForecastLinearRegression>(QD_LAST, QD_ALL, m.horizon, true, 0.0, false, 0.0, 0.0);
    });
    // The direct methods fit nothing: one pass each, no floor.
    for (MethodLine& line : lines)
        for (const char* direct : {"moving_average", "weighted_moving_average", "average", "lagged_forecast",
                                   "linear_trend"})
            if (std::string(line.method) == direct)
                line.floor = false;
    // Box-Jenkins: the season of the data given, every other order identified.
    for (const char* kind : {"yearly", "quarterly", "monthly"}) {
        const std::int32_t s = seasonOf(kind) == 1 ? 0 : seasonOf(kind);
        add("box_jenkins", {kind}, [s](const M3Series& m) {
            return make<SeriesForecastBoxJenkinsNew>(QD_LAST, QD_ALL, m.horizon, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE,
                                                     QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, s, true,
                                                     std::int32_t(QD_OPTIMIZE_TRANSFORM));
        });
    }
    add("croston", {"monthly", "other"}, [](const M3Series& m) {
        return make<SeriesForecastCroston>(0, m.horizon, -3.0);
    });
    add("new_product", {"yearly", "other"}, [](const M3Series& m) {
        return make<SeriesForecastNewProductOptimizedCurve>(QD_LAST, QD_ALL, m.horizon, -3.0, -3.0,
                                                            std::int32_t(QD_CURVE_MAXIMUM_OPTIMIZED), nullptr);
    });
    const char* curves[] = {"gompertz", "logistic", "probit"};
    for (std::int32_t curve = 1; curve <= 3; ++curve)
        add(curves[curve - 1], {"yearly"}, [curve](const M3Series& m) {
            return make<SeriesForecastNewProductCurve>(QD_LAST, QD_ALL, m.horizon, -3.0, -3.0,
                                                       std::int32_t(QD_CURVE_MAXIMUM_OPTIMIZED), curve, nullptr);
        });
    add("slow_moving_demand", {"yearly", "other"}, [](const M3Series& m) {
        return make<SeriesForecastSlowMovingDemand>(0, m.horizon);
    });
    lines[lines.size() - 1].random = lines[lines.size() - 2].random = true;
    add("selection", all, [](const M3Series& m) {
        return make<SeriesForecastSelvane>(0, m.horizon, 2024, std::int32_t(QD_OPTIMIZE), 1, 0,
                                           std::int32_t(QD_SELVANE_STANDARD));
    });
    return lines;
}

}  // namespace methodlines

#endif
