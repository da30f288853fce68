// Identification of a Box-Jenkins model: settles the seasonal length, the
// differencing orders and the ARMA orders that the caller left to the
// engine (QD_COMPUTE, -3). The working series is differenced in place; the
// autocorrelations and partial autocorrelations of the differenced series
// are kept, position k holding lag k + 1.
#ifndef QD_SERIESCOMPUTE_BJ_IDENTIFYMODELCLASS_H
#define QD_SERIESCOMPUTE_BJ_IDENTIFYMODELCLASS_H

#include <cstdint>

#include "Matrix/Series.h"

namespace qd {

class BJ_identifyModelClass {
public:
    BJ_identifyModelClass(std::int32_t S, std::int32_t d, std::int32_t D, std::int32_t q, std::int32_t Q,
                          std::int32_t p, std::int32_t P, bool ForceThrough, std::int32_t numLagValues,
                          Series& series);

    // Runs the identification. Errors: 3027 (seasonal orders with S = 0),
    // 3022 (no differencing made the data stationary and ForceThrough is
    // off), 3040 (a difference left too few values). A failure leaves the
    // working series differenced as far as it got.
    void identify();

    // Requested values (-3: identify).
    std::int32_t requestedS, requestedd, requestedD, requestedq, requestedQ, requestedp, requestedP;
    // Identified (or given) values.
    std::int32_t S, d, D, q, Q, p, P;
    std::int32_t numLagValues;
    bool ForceThrough;
    double acfBoundary;
    Series& series;
    Series acfSeries;
    Series pacfSeries;
    std::int32_t modelClass;  // 1 non-seasonal, 3 seasonal and non-seasonal

private:
    void seasonalLength();
    void differencingOrders();
    void searchBothOrders();
    void orders();
};

}  // namespace qd

#endif

namespace qd {

// The seasonal length that seasonal-length detection finds in the series
// (from observation 0, seasonal threshold 0.4, unknown threshold 0.0, at
// least 3 cycles) when it calls the series seasonal; 0 otherwise.
std::int32_t detectedBoxJenkinsSeasonalLength(Series& series);

}  // namespace qd
