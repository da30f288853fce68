// Cleaning of a series before it is forecast: outlier replacement,
// missing-value replacement and the trend adjustment of fitted values.
//
// Outliers and missing values are judged against the fit of a forecasting
// method chosen by its observation-level method code, run on a working copy
// of the range; a replaced observation keeps its previous value under
// QD_MEASUREMENT (16) and takes the new one. Nothing else of the series
// changes. The matrix forms run the series operation on every series in
// index order; a failure stops the loop.
//
// Errors carry the source path Libraries\MatrixLib\Series.
#ifndef QD_SERIESCOMPUTE_SERIESCLEANING_H
#define QD_SERIESCOMPUTE_SERIESCLEANING_H

#include <cstdint>

#include "Matrix/Matrix.h"
#include "Matrix/Series.h"

namespace qd {

// Replace types: both sides, values above the band only, below it only.
enum ReplaceOutlierType : std::int32_t {
    QD_REPLACE_BOTH = 1,
    QD_REPLACE_ABOVE = 2,
    QD_REPLACE_BELOW = 3
};

// methodName: 5, 6, 7, 8, 9, 10, 18 or 24 (3054 otherwise, checked before
// anything changes). SeasonalLength: 0 non-seasonal, QD_COMPUTE (-3)
// detected, a positive length; any other negative value fails with 3051.
void replaceOutliers(Series& series, std::int32_t observationNumber, std::int32_t numHistoricalValues,
                     double SDRatio, double adjustRatio, std::int32_t methodName, std::int32_t SeasonalLength,
                     std::int32_t replaceType);

// A value is missing when lower <= value <= upper. methodName -1 replaces
// by the mean of the values that are not missing, 5 to 9 by the method's
// fit; anything else fails with 3054 before anything changes.
void replaceMissingValues(Series& series, std::int32_t observationNumber, std::int32_t numHistoricalValues,
                          double lower, double upper, std::int32_t methodName);

// Bends the trend of the fitted values of the range, anchored at the
// observation before it: the fitted slope grows or shrinks geometrically to
// the goal times its value over the given number of periods.
void trendAdjust(Series& series, std::int32_t observationNumber, std::int32_t numHistoricalValues,
                 std::int32_t lTrendIncreasePeriods, double dTrendIncreaseGoal, std::int32_t lTrendDecreasePeriods,
                 double dTrendDecreaseGoal);

void replaceOutliers(Matrix& matrix, std::int32_t observationNumber, std::int32_t numHistoricalValues,
                     double SDRatio, double adjustRatio, std::int32_t methodName, std::int32_t SeasonalLength,
                     std::int32_t replaceType);
void replaceMissingValues(Matrix& matrix, std::int32_t observationNumber, std::int32_t numHistoricalValues,
                          double lower, double upper, std::int32_t methodName);
void trendAdjust(Matrix& matrix, std::int32_t observationNumber, std::int32_t numHistoricalValues,
                 std::int32_t lTrendIncreasePeriods, double dTrendIncreaseGoal, std::int32_t lTrendDecreasePeriods,
                 double dTrendDecreaseGoal);

}  // namespace qd

#endif
