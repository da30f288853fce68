// Seasonal-length detection of one series.
//
// Fits simple exponential smoothing (alpha fitted) to the observations from
// startIndex to the end of the series, replaces them by the residuals and
// takes the autocorrelation of the residuals at the candidate lengths 4, 6,
// 7, 12 and 52, as long as the observations cover minCycles cycles of the
// candidate. The candidate with the strictly highest autocorrelation wins
// (ties keep the shorter length). The series itself is not changed.
#ifndef QD_SERIESCOMPUTE_SEASONALLENGTHDETECTION_H
#define QD_SERIESCOMPUTE_SEASONALLENGTHDETECTION_H

#include <cstdint>

#include "Matrix/Series.h"

namespace qd {

enum SeasonalLengthStatus : std::int32_t {
    QD_SEASONALITY_FOUND = 0,    // best autocorrelation above seasonalThreshold
    QD_SEASONALITY_NONE = 1,     // best autocorrelation at most unknownThreshold
    QD_SEASONALITY_UNKNOWN = 2   // in between
};

// Returns the status. *seasonalLength receives the best candidate whenever
// a candidate was evaluated, also when the status is not "found": callers
// use it only for QD_SEASONALITY_FOUND.
// Throws 3000 (startIndex < 0), 3006 (startIndex not below the observation
// count), 3055 (a threshold outside [-1, 1] or not a number, or
// seasonalThreshold below unknownThreshold) and 3039 (fewer observations
// than 4 * minCycles).
std::int32_t detectSeasonalLength(Series& series, std::int32_t startIndex, double seasonalThreshold,
                                  double unknownThreshold, std::int32_t* seasonalLength, double minCycles);

}  // namespace qd

#endif
