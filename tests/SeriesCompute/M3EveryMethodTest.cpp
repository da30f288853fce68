// Every M3 competition series through every forecasting method of the series
// automation members, called as those members call the engine with their
// default arguments and the series' own horizon.
//
// Per series and method: no crash (the native tree runs under the
// sanitizers), no non-finite value among the observations' values, their
// stored results and the series' stored results, and the requested number
// of forecasts (n + h observations). A failure the engine reports with an
// error code is allowed and counted; the run prints a table of each
// method's outcomes. Any other exception fails the test.
//
// The whole run (3,003 series) takes minutes under the sanitizers, so the
// test takes every 30th series (101 series of every kind); QD_M3_STRIDE=k
// takes every k-th, QD_M3_STRIDE=1 all of them. QD_M3_VERBOSE=1 prints each
// engine error with its series and place.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ComputeTestSupport.h"
#include "M3TestData.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SeriesForecastAdaptiveExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastAverage.h"
#include "SeriesCompute/SeriesForecastBassModel.h"
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

namespace {

using m3test::Labelled;

// One member: its name and the engine call it makes (arguments as the
// member's defaults give them, h the series' horizon).
struct Member {
    const char* name;
    std::function<void(Series&, const Labelled&)> run;
};

template <class Method, class... Arguments>
void runMethod(Series& s, Arguments... arguments)
{
    Method method(arguments...);
    applyForecast(s, method);
}

std::int32_t horizon(const Labelled& l)
{
    return l.series.horizon;
}

double sumOf(const std::vector<double>& values)
{
    double sum = 0.0;
    for (double v : values)
        sum += v;
    return sum;
}

const std::vector<Member>& members()
{
    static const std::vector<Member> all = {
        // SeriesX
        {"ExponentialSmoothing",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastExponentialSmoothing>(s, 0, -3.0, horizon(l), false, 0.0);
         }},
        {"AdaptiveExponentialSmoothing",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastAdaptiveExponentialSmoothing>(s, 0, -3.0, horizon(l));
         }},
        {"DoubleExponentialSmoothingBrown",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastDoubleExponentialSmoothingBrown>(s, 0, horizon(l), -3.0);
         }},
        {"DoubleExponentialSmoothingHolt",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastDoubleExponentialSmoothingHolt>(s, 0, horizon(l), -3.0, -3.0);
         }},
        {"TripleExponentialSmoothingBrown",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastTripleExponentialSmoothingBrown>(s, 0, horizon(l), -3.0);
         }},
        {"LinearRegression",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastLinearRegression>(s, QD_LAST, QD_ALL, horizon(l), true, 0.0, false, 0.0, 0.0);
         }},
        {"MovingAverage",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastMovingAverage>(s, QD_LAST, QD_ALL, horizon(l));
         }},
        {"WeightedMovingAverage",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastWeightedMovingAverage>(s, QD_LAST, QD_ALL, horizon(l));
         }},
        {"HoltWinters",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastTripleExponentialSmoothingWinters>(s, 0, 12, horizon(l), -3.0, -3.0, -3.0, 2,
                                                                        false, 0.0, 0.0, nullptr);
         }},
        {"BoxJenkins",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastBoxJenkinsNew>(s, QD_LAST, QD_ALL, horizon(l), QD_COMPUTE, QD_COMPUTE,
                                                    QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, 0,
                                                    false, 2);
         }},
        // Beyond the defaults: the seasonal length detected, and the
        // series' own period as the Box-Jenkins season (where 3022 suggests
        // giving one).
        {"HoltWinters, length detected",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastTripleExponentialSmoothingWinters>(s, 0, QD_COMPUTE, horizon(l), -3.0, -3.0,
                                                                        -3.0, 2, false, 0.0, 0.0, nullptr);
         }},
        {"BoxJenkins, S = period",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastBoxJenkinsNew>(s, QD_LAST, QD_ALL, horizon(l), QD_COMPUTE, QD_COMPUTE,
                                                    QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE, QD_COMPUTE,
                                                    l.period > 1 ? l.period : 0, false, 2);
         }},
        {"Croston",
         [](Series& s, const Labelled& l) { runMethod<SeriesForecastCroston>(s, 0, horizon(l), -3.0); }},
        {"NewProduct",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastNewProductOptimizedCurve>(s, QD_LAST, QD_ALL, horizon(l), -3.0, -3.0, 2,
                                                               nullptr);
         }},
        {"Selvane",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastSelvane>(s, 0, horizon(l), 2024, QD_OPTIMIZE, 1, 0, QD_SELVANE_STANDARD);
         }},
        // SeriesXEx1 (ForecastLinearRegressionEx with its defaults makes the
        // same call as ForecastLinearRegression)
        {"Average",
         [](Series& s, const Labelled& l) { runMethod<SeriesForecastAverage>(s, QD_LAST, QD_ALL, horizon(l)); }},
        {"BassModel",
         // No defaults: common diffusion coefficients and a market twice
         // the history's total.
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastBassModel>(s, QD_LAST, QD_ALL, horizon(l), 0.03, 0.38,
                                                2.0 * sumOf(l.series.values));
         }},
        {"LaggedForecast",
         [](Series& s, const Labelled& l) { runMethod<SeriesForecastLaggedForecast>(s, 0, horizon(l), 1); }},
        {"ExponentialSmoothingZeroDemand",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastExponentialSmoothing>(s, QD_LAST, 0.0, horizon(l), true, 0.0);
         }},
        {"LinearRegressionZeroDemand",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastLinearRegression>(s, QD_LAST, 0, horizon(l), true, 0.0, true, 0.0, 0.0);
         }},
        {"HoltWintersZeroDemand",
         // The seasonal indexes have no default: twelve factors of 1.
         [](Series& s, const Labelled& l) {
             static const std::vector<double> ones(12, 1.0);
             runMethod<SeriesForecastTripleExponentialSmoothingWinters>(s, QD_LAST, 12, horizon(l), 0.0, 0.0, 0.0,
                                                                        2, true, 0.0, 0.0, ones.data());
         }},
        {"GompertzCurve",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastNewProductCurve>(s, QD_LAST, QD_ALL, horizon(l), -3.0, -3.0, 2, 1);
         }},
        {"LogisticCurve",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastNewProductCurve>(s, QD_LAST, QD_ALL, horizon(l), -3.0, -3.0, 2, 2);
         }},
        {"ProbitCurve",
         [](Series& s, const Labelled& l) {
             runMethod<SeriesForecastNewProductCurve>(s, QD_LAST, QD_ALL, horizon(l), -3.0, -3.0, 2, 3);
         }},
        {"SlowMovingDemand",
         // The member seeds its draws from the clock; a fixed seed keeps
         // the run repeatable.
         [](Series& s, const Labelled& l) {
             SeriesForecastSlowMovingDemand method(0, horizon(l));
             method.setRandomState(20260);
             applyForecast(s, method);
         }},
    };
    return all;
}

struct Outcomes {
    int succeeded = 0;
    std::map<std::int32_t, int> codes;  // engine error code -> series
    int badChecks = 0;                  // non-finite values, wrong lengths, foreign exceptions
    double seconds = 0.0;
};

// What is wrong with the series after a successful forecast ("" when
// nothing is).
std::string checkResult(Series& s, std::int32_t expectedLength)
{
    if (s.numObservations() != expectedLength)
        return std::to_string(s.numObservations()) + " observations, expected " + std::to_string(expectedLength);
    if (s.forecastMethodNumber < 0)
        return "no method code recorded";
    const std::int32_t seriesType = m3test::firstNonFinite(s.storedResults);
    if (seriesType >= 0)
        return "series result " + std::to_string(seriesType) + " is not finite";
    for (std::int32_t i = 0; i < s.numObservations(); ++i) {
        Observation& o = s.observation(i);
        if (!std::isfinite(o.value))
            return "value " + std::to_string(i) + " is not finite";
        const std::int32_t type = m3test::firstNonFinite(o.storedResults);
        if (type >= 0)
            return "observation " + std::to_string(i) + " result " + std::to_string(type) + " is not finite";
    }
    return "";
}

std::size_t strideFromEnvironment(std::size_t fallback)
{
    const char* text = std::getenv("QD_M3_STRIDE");
    if (text == nullptr || *text == '\0')
        return fallback;
    const long value = std::strtol(text, nullptr, 10);
    return value >= 1 ? static_cast<std::size_t>(value) : fallback;
}

void runAll(std::size_t stride)
{
    const std::vector<Labelled>& all = m3test::allSeries();
    const std::vector<Member>& list = members();
    const char* verboseText = std::getenv("QD_M3_VERBOSE");
    const bool verbose = verboseText != nullptr && *verboseText != '\0' && *verboseText != '0';
    std::vector<Outcomes> outcomes(list.size());
    std::size_t seriesRun = 0;
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t k = 0; k < all.size(); k += stride) {
        ++seriesRun;
        const Labelled& l = all[k];
        const std::int32_t n = static_cast<std::int32_t>(l.series.values.size());
        for (std::size_t m = 0; m < list.size(); ++m) {
            Outcomes& out = outcomes[m];
            const std::string where = std::string(list[m].name) + ", " + l.file + " series " + std::to_string(k);
            Series s;
            fillSeries(s, l.series.values);
            const auto begin = std::chrono::steady_clock::now();
            try {
                list[m].run(s, l);
            } catch (const MVRBaseException& e) {
                out.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
                ++out.codes[e.code];
                if (verbose)
                    std::printf("%s (n %d): code %d at %s:%d\n", where.c_str(), n, e.code, pathOf(e).c_str(),
                                e.line);
                continue;
            } catch (const std::exception& e) {
                ++out.badChecks;
                ADD_FAILURE() << where << ": unexpected exception: " << e.what();
                continue;
            }
            out.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
            const std::string problem = checkResult(s, n + l.series.horizon);
            if (problem.empty()) {
                ++out.succeeded;
            } else {
                ++out.badChecks;
                ADD_FAILURE() << where << ": " << problem;
            }
        }
    }
    const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("M3 every method: %zu series (every %zu), %.1f s\n", seriesRun, stride, total);
    std::printf("  %-32s %8s %6s %8s  %s\n", "method", "ok", "bad", "seconds", "engine errors (code: series)");
    for (std::size_t m = 0; m < list.size(); ++m) {
        const Outcomes& out = outcomes[m];
        std::string codes;
        for (const auto& c : out.codes)
            codes += (codes.empty() ? "" : ", ") + std::to_string(c.first) + ": " + std::to_string(c.second);
        std::printf("  %-32s %8d %6d %8.2f  %s\n", list[m].name, out.succeeded, out.badChecks, out.seconds,
                    codes.empty() ? "-" : codes.c_str());
    }
    std::fflush(stdout);
}

TEST(M3EveryMethod, DataIsComplete)
{
    ASSERT_EQ(m3test::allSeries().size(), 3003u);
}

TEST(M3EveryMethod, EverySeriesOfTheStride)
{
    runAll(strideFromEnvironment(30));
}

}  // namespace
