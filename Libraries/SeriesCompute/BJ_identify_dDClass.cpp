#include "SeriesCompute/BJ_identify_dDClass.h"

#include <cmath>

#include "Matrix/MVRBaseException.h"
#include "Matrix/Observation.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\BJ_identify_dDClass";

double absAt(const Series& v, std::int64_t k)
{
    return std::fabs(v.observation(static_cast<std::int32_t>(k)).value);
}

}  // namespace

BJ_identify_dDClass::BJ_identify_dDClass(std::int32_t numLagValues, std::int32_t S)
    : numLagValues(numLagValues), S(S), acfBoundary(0.0)
{
}

void BJ_identify_dDClass::difference(Series& series, std::int32_t lag, std::int32_t minimumLength)
{
    const std::int64_t n = series.numObservations();
    const std::int64_t left = n - lag;
    Series result(left > 0 ? static_cast<std::int32_t>(left) : 0);
    for (std::int64_t i = 0; i < left; ++i)
        result.addObservation(series.observation(static_cast<std::int32_t>(i + lag)).value -
                                  series.observation(static_cast<std::int32_t>(i)).value,
                              QD_SUPPLIED, FdCString());
    if (result.numObservations() < minimumLength)
        qdThrow(QD_SOURCE_PATH, 118, ErrorCode::TooSmallAfterDifferencing);
    series.clearObservations();
    for (std::int32_t i = 0; i < result.numObservations(); ++i)
        series.addObservation(result.observation(i).value, QD_SUPPLIED, FdCString());
    // Each in-place edit makes the cached statistics of the old values
    // (mean, deviations, autocorrelations) meaningless.
    series.setDirty(true, true);
}

bool BJ_identify_dDClass::isStationary(Series& series, std::int32_t d)
{
    const std::int32_t m = series.numObservations();
    Series acf(numLagValues);
    autocorrelationsToSeries(series, acf, QD_LAST, QD_ALL, numLagValues);
    acfBoundary = std::fabs(1.96 / std::sqrt(static_cast<double>(m)));
    std::vector<double> spikes;
    const std::int32_t k = leadingSpikes(acf, acfBoundary, S, numLagValues, true, spikes);
    const std::int32_t r = steadyDecay(spikes, k);
    if (k == -1 || (k >= 4 && r != 1))
        return false;
    if (S == 0)
        return true;
    const std::int32_t k2 = seasonalSpikes(acf, S, d, acfBoundary, numLagValues);
    const std::int32_t r2 = seasonalDecay(acf, k2, S, d, acfBoundary, numLagValues);
    return !(k2 >= 4 && r2 != 1);
}

std::int32_t BJ_identify_dDClass::leadingSpikes(const Series& v, double b, std::int32_t S, std::int32_t N,
                                                bool seasonalCheck, std::vector<double>& spikeValues)
{
    const std::int64_t length = v.numObservations();
    spikeValues.clear();
    if (seasonalCheck && S > 0) {
        std::int32_t examined = 0;
        std::int32_t quiet = 0;
        for (std::int64_t i = 0;; ++i) {
            const std::int64_t c = i * S - 1;
            if (!(c < N))
                break;
            const bool spike = (c >= 0 && c < length && absAt(v, c) > b) ||
                               (c - 1 >= 0 && c - 1 < length && absAt(v, c - 1) > b) ||
                               (c + 1 >= 0 && c + 1 < length && c + 1 < N && absAt(v, c + 1) > b);
            ++examined;
            if (!spike)
                ++quiet;
        }
        if (examined > 2 && quiet <= 1)
            return -1;
    }
    const std::int64_t L = S >= 1 ? S : N;
    std::vector<std::int64_t> positions;
    for (std::int64_t j = 0; j < L && j < length; ++j) {
        if (absAt(v, j) > b) {
            positions.push_back(j);
            spikeValues.push_back(v.observation(static_cast<std::int32_t>(j)).value);
        }
    }
    if (S == 0 && !positions.empty() && positions.size() <= 4) {
        while (!positions.empty() && positions.back() > 3) {
            positions.pop_back();
            spikeValues.pop_back();
        }
    }
    return static_cast<std::int32_t>(positions.size());
}

std::int32_t BJ_identify_dDClass::steadyDecay(const std::vector<double>& w, std::int32_t k)
{
    if (k < 3 || w.size() < 2)
        return 0;
    const double w0 = std::fabs(w[0]);
    const double w1 = std::fabs(w[1]);
    const double t = 0.9 * (w0 >= w1 ? w0 : w1) / 6.0;
    const std::int32_t lastJ = k - 2 < 5 ? k - 2 : 5;
    for (std::int32_t j = 1; j <= lastJ && static_cast<std::size_t>(j + 1) < w.size(); ++j) {
        if (std::fabs(std::fabs(w[static_cast<std::size_t>(j)]) - std::fabs(w[static_cast<std::size_t>(j + 1)])) <= t)
            return 0;
    }
    return 1;
}

std::int32_t BJ_identify_dDClass::seasonalSpikes(const Series& v, std::int32_t S, std::int32_t d, double b,
                                                 std::int32_t N)
{
    if (N < 2)
        return 0;
    const std::int64_t length = v.numObservations();
    auto spikeAt = [&](std::int64_t k) { return k >= 0 && k < N && k < length && absAt(v, k) > b; };
    std::int32_t count = 0;
    for (std::int64_t i = 1; i < N; ++i) {
        const std::int64_t c = i * S - d;
        if (!(c - 1 < N))
            break;
        if (spikeAt(c - 1) || spikeAt(c - 2) || spikeAt(c))
            ++count;
    }
    return count;
}

std::int32_t BJ_identify_dDClass::seasonalDecay(const Series& v, std::int32_t k, std::int32_t S, std::int32_t d,
                                                double b, std::int32_t N)
{
    if (k < 3)
        return 0;
    const std::int64_t length = v.numObservations();
    auto spikeAt = [&](std::int64_t j) { return j >= 0 && j < N && j < length && absAt(v, j) > b; };
    std::vector<std::int64_t> positions;
    for (std::int64_t i = 1; i < N; ++i) {
        const std::int64_t c = i * S - d;
        if (!(c - 1 < N))
            break;
        if (spikeAt(c - 1))
            positions.push_back(c - 1);
        else if (spikeAt(c))
            positions.push_back(c);
        else if (spikeAt(c - 2))
            positions.push_back(c - 2);
    }
    if (positions.empty())
        return 0;
    const double t = absAt(v, positions[0]) / 6.0;
    for (std::size_t j = 1; j <= 5 && j + 1 < positions.size(); ++j) {
        if (std::fabs(absAt(v, positions[j]) - absAt(v, positions[j + 1])) <= t)
            return 0;
    }
    return 1;
}

}  // namespace qd
