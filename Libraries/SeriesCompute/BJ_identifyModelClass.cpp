#include "SeriesCompute/BJ_identifyModelClass.h"

#include <vector>

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/BJ_identify_dDClass.h"
#include "SeriesCompute/SeriesComputePACF.h"
#include "SeriesCompute/SharedRoutines.h"

#include "SeriesCompute/SeasonalLengthDetection.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\BJ_identifyModelClass";

std::int32_t capAtTwo(std::int32_t order)
{
    return order > 2 ? 2 : order;
}

// A moving-average order from k spikes of the autocorrelations and their
// decay r: k itself below 4 spikes without decay, 1 with decay, 0 for many
// spikes without decay; at most 2.
std::int32_t movingAverageOrder(std::int32_t k, std::int32_t r)
{
    if (r == 1)
        return 1;
    return capAtTwo(k < 4 ? k : 0);
}

// An autoregressive order from k spikes of the partial autocorrelations:
// 1 when they decay, else k; at most 2.
std::int32_t autoregressiveOrder(std::int32_t k, std::int32_t r)
{
    return capAtTwo(r == 1 ? 1 : k);
}

struct Candidate {
    std::int32_t d;
    std::int32_t D;
    std::int32_t mark;
};

// The order in which both differencing orders are searched; a failing
// candidate marked 1 becomes the restart point of the next ones.
const Candidate kBothOrders[] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 1, 1}, {0, 2, 0},
                                 {1, 1, 1}, {2, 1, 0}, {1, 2, 0}, {2, 2, 0}};

}  // namespace

std::int32_t detectedBoxJenkinsSeasonalLength(Series& series)
{
    std::int32_t length = 0;
    const std::int32_t status = detectSeasonalLength(series, 0, 0.4, 0.0, &length, 3.0);
    // Only a series called seasonal has a seasonal length here.
    return status == QD_SEASONALITY_FOUND ? length : 0;
}

BJ_identifyModelClass::BJ_identifyModelClass(std::int32_t S, std::int32_t d, std::int32_t D, std::int32_t q,
                                             std::int32_t Q, std::int32_t p, std::int32_t P, bool ForceThrough,
                                             std::int32_t numLagValues, Series& series)
    : requestedS(S),
      requestedd(d),
      requestedD(D),
      requestedq(q),
      requestedQ(Q),
      requestedp(p),
      requestedP(P),
      S(S),
      d(d),
      D(D),
      q(q),
      Q(Q),
      p(p),
      P(P),
      numLagValues(numLagValues),
      ForceThrough(ForceThrough),
      acfBoundary(0.0),
      series(series),
      acfSeries(numLagValues > 0 ? numLagValues : 0),
      pacfSeries(numLagValues > 0 ? numLagValues : 0),
      modelClass(1)
{
}

void BJ_identifyModelClass::identify()
{
    seasonalLength();
    differencingOrders();
    modelClass = S > 0 ? 3 : 1;
    acfSeries.clearObservations();
    pacfSeries.clearObservations();
    autocorrelationsToSeries(series, acfSeries, QD_LAST, QD_ALL, numLagValues);
    SeriesComputePACF(acfSeries, pacfSeries, numLagValues);
    orders();
}

void BJ_identifyModelClass::seasonalLength()
{
    const bool detected = requestedS == QD_COMPUTE;
    S = detected ? detectedBoxJenkinsSeasonalLength(series) : requestedS;
    if (S != 0)
        return;
    if (detected) {
        requestedD = 0;
        requestedQ = 0;
        requestedP = 0;
    } else if (requestedD == QD_COMPUTE) {
        requestedD = 0;
    } else if (requestedD != 0) {
        // "Seasonal parameters must be zeros because S is zero"
        qdThrow(QD_SOURCE_PATH, 112, ErrorCode::SeasonalParametersWithoutS);
    }
}

void BJ_identifyModelClass::differencingOrders()
{
    BJ_identify_dDClass state(numLagValues, S);
    d = requestedd;
    D = requestedD;
    if (requestedd != QD_COMPUTE && requestedD != QD_COMPUTE) {
        for (std::int32_t i = 0; i < d; ++i)
            state.difference(series, 1);
        for (std::int32_t i = 0; i < D; ++i)
            state.difference(series, S);
        const bool stationary = state.isStationary(series, d);
        acfBoundary = state.acfBoundary;
        if (!stationary && !ForceThrough)
            qdThrow(QD_SOURCE_PATH, 140, ErrorCode::NonStationaryAfterDifferencing);
    } else if (requestedd != QD_COMPUTE) {
        // D searched (S > 0 here): 0, 1, 2 seasonal differences.
        for (std::int32_t i = 0; i < d; ++i)
            state.difference(series, 1);
        bool found = false;
        for (D = 0; D <= 2; ++D) {
            if (D > 0)
                state.difference(series, S);
            found = state.isStationary(series, d);
            acfBoundary = state.acfBoundary;
            if (found)
                break;
        }
        if (!found) {
            if (!ForceThrough)
                qdThrow(QD_SOURCE_PATH, 158, ErrorCode::NonStationaryAfterDifferencing);
            D = 2;
        }
    } else if (requestedD != QD_COMPUTE) {
        // d searched, D requested.
        if (D != 0 && S == 0)
            qdThrow(QD_SOURCE_PATH, 164, ErrorCode::SeasonalParametersWithoutS);
        for (std::int32_t i = 0; i < D; ++i)
            state.difference(series, S);
        // The series differenced D times at lag S, kept for the fallback.
        const Series seasonallyDifferenced(series);
        bool found = false;
        for (d = 0; d <= 2; ++d) {
            if (d > 0)
                state.difference(series, 1);
            found = state.isStationary(series, d);
            acfBoundary = state.acfBoundary;
            if (found)
                break;
        }
        if (!found) {
            if (!ForceThrough)
                qdThrow(QD_SOURCE_PATH, 180, ErrorCode::NonStationaryAfterDifferencing);
            // No d helps: keep the requested D applied, as the D search
            // does, so that the orders reported are the orders applied.
            d = 0;
            series = seasonallyDifferenced;
            series.setDirty(true, true);
        }
    } else {
        searchBothOrders();
    }
}

void BJ_identifyModelClass::searchBothOrders()
{
    BJ_identify_dDClass state(numLagValues, S);
    const Series original(series);
    Series current(original);
    Series restart(original);
    std::int32_t currentD1 = 0, currentDS = 0, restartD1 = 0, restartDS = 0;
    bool found = false;
    std::int32_t winner = -1;
    for (std::int32_t c = 0; c < static_cast<std::int32_t>(sizeof kBothOrders / sizeof kBothOrders[0]); ++c) {
        const Candidate& cand = kBothOrders[c];
        bool throughRestart = false;
        if (cand.d == currentD1 + 1 && cand.D == currentDS) {
            state.difference(current, 1);
        } else if (cand.d == currentD1 && cand.D == currentDS + 1) {
            state.difference(current, S);
        } else if ((cand.d == restartD1 + 1 && cand.D == restartDS) ||
                   (cand.d == restartD1 && cand.D == restartDS + 1)) {
            state.difference(restart, cand.d > restartD1 ? 1 : S);
            restartD1 = cand.d;
            restartDS = cand.D;
            current = restart;
            throughRestart = true;
        } else {
            current = original;
            for (std::int32_t i = 0; i < cand.d; ++i)
                state.difference(current, 1);
            for (std::int32_t i = 0; i < cand.D; ++i)
                state.difference(current, S);
        }
        currentD1 = cand.d;
        currentDS = cand.D;
        found = state.isStationary(current, cand.d);
        acfBoundary = state.acfBoundary;
        if (found) {
            winner = c;
            break;
        }
        if (!throughRestart && cand.mark == 1) {
            restart = current;
            restartD1 = currentD1;
            restartDS = currentDS;
        }
    }
    if (!found) {
        if (!ForceThrough)
            qdThrow(QD_SOURCE_PATH, 236, ErrorCode::NonStationaryAfterDifferencing);
        d = 0;
        D = 0;
        return;
    }
    d = kBothOrders[winner].d;
    D = kBothOrders[winner].D;
    if (d == 2 && D == 0) {
        // Two plain differences are not kept: the series stays as it was.
        d = 0;
        return;
    }
    series = current;
    series.setDirty(true, true);
}

void BJ_identifyModelClass::orders()
{
    const double b = acfBoundary;
    const std::int32_t N = numLagValues;
    std::vector<double> spikeValues;

    if (requestedq != QD_COMPUTE) {
        q = requestedq;
    } else {
        const std::int32_t k = BJ_identify_dDClass::leadingSpikes(acfSeries, b, S, N, false, spikeValues);
        q = movingAverageOrder(k, BJ_identify_dDClass::steadyDecay(spikeValues, k));
    }

    if (requestedQ != QD_COMPUTE) {
        Q = requestedQ;
        if (S == 0 && Q != 0)
            qdThrow(QD_SOURCE_PATH, 270, ErrorCode::SeasonalParametersWithoutS);
    } else if (modelClass == 1) {
        Q = 0;
    } else {
        const std::int32_t k = BJ_identify_dDClass::seasonalSpikes(acfSeries, S, d, b, N);
        Q = movingAverageOrder(k, BJ_identify_dDClass::seasonalDecay(acfSeries, k, S, d, b, N));
    }

    if (requestedp != QD_COMPUTE) {
        p = requestedp;
    } else {
        const std::int32_t k = BJ_identify_dDClass::leadingSpikes(pacfSeries, b, S, N, false, spikeValues);
        p = autoregressiveOrder(k, BJ_identify_dDClass::steadyDecay(spikeValues, k));
    }

    if (requestedP != QD_COMPUTE) {
        P = requestedP;
        if (S == 0 && P != 0)
            qdThrow(QD_SOURCE_PATH, 295, ErrorCode::SeasonalParametersWithoutS);
    } else if (modelClass == 1) {
        P = 0;
    } else {
        const std::int32_t k = BJ_identify_dDClass::seasonalSpikes(pacfSeries, S, d, b, N);
        P = autoregressiveOrder(k, BJ_identify_dDClass::seasonalDecay(pacfSeries, k, S, d, b, N));
    }

    if (p == 0 && q == 0 && P == 0 && Q == 0) {
        if (modelClass == 1)
            p = 1;
        else
            P = 1;
    }
}

}  // namespace qd
