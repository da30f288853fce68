// The differencing state of the Box-Jenkins identification: lag
// differences of a working series, the stationarity test of a differenced
// series, and the spike and decay readings of autocorrelation series that
// the test and the order identification share.
#ifndef QD_SERIESCOMPUTE_BJ_IDENTIFY_DDCLASS_H
#define QD_SERIESCOMPUTE_BJ_IDENTIFY_DDCLASS_H

#include <cstdint>
#include <vector>

#include "Matrix/Series.h"

namespace qd {

class BJ_identify_dDClass {
public:
    // numLagValues: lags of the stationarity test and the fewest values a
    // difference may leave (3040 below that).
    BJ_identify_dDClass(std::int32_t numLagValues, std::int32_t S);

    // Replaces the n values of the series by the n - lag values y(i + lag)
    // - y(i) as supplied observations with empty descriptions and marks the
    // value arrays stale; fewer than minimumLength values left: 3040.
    static void difference(Series& series, std::int32_t lag, std::int32_t minimumLength);
    void difference(Series& series, std::int32_t lag) const { difference(series, lag, numLagValues); }

    // The stationarity test of a series differenced d times at lag 1 (and
    // some times at lag S); sets acfBoundary to 1.96 / sqrt(its length).
    bool isStationary(Series& series, std::int32_t d);

    // The readings of an autocorrelation series v (position k is lag k + 1)
    // with bound b and lag count N.
    // Leading spikes: the spikes among the first S positions (all N when
    // S < 1), their values appended to spikeValues; -1 when the seasonal
    // check is on and nearly every multiple of S is a spike; with S = 0 and
    // 1 to 4 spikes, trailing spikes beyond lag 4 are dropped.
    static std::int32_t leadingSpikes(const Series& v, double b, std::int32_t S, std::int32_t N,
                                      bool seasonalCheck, std::vector<double>& spikeValues);
    // 1 when the spike values decay steadily, else 0 (always 0 below 3).
    static std::int32_t steadyDecay(const std::vector<double>& w, std::int32_t k);
    // Spikes near the multiples of S (offset d).
    static std::int32_t seasonalSpikes(const Series& v, std::int32_t S, std::int32_t d, double b, std::int32_t N);
    // 1 when those spikes decay steadily, else 0 (always 0 for k below 3).
    static std::int32_t seasonalDecay(const Series& v, std::int32_t k, std::int32_t S, std::int32_t d, double b,
                                      std::int32_t N);

    std::int32_t numLagValues;
    std::int32_t S;
    double acfBoundary;
};

}  // namespace qd

#endif
