// The error statistic chosen by an error-type code.
//
// Error types: QD_MEAN_SQUARE_ERROR 2010, QD_MEAN_ABSOLUTE_ERROR 2011,
// QD_MEAN_ABSOLUTE_PERCENTAGE_ERROR 2012, QD_STANDARD_DEVIATION_ERROR 2013,
// QD_DURBIN_WATSON 2014 (offset 1), QD_THEIL 2015,
// QD_ROOT_MEAN_SQUARE_ERROR 2023, QD_SUM_SQUARED_ERROR 2024, and the fit
// criteria QD_AIC 2055 and QD_BIC 2056, which use the number of fitted
// parameters. Any other code fails with 3026.
#ifndef QD_SERIESCOMPUTE_SERIESCOMPUTEERROR_H
#define QD_SERIESCOMPUTE_SERIESCOMPUTEERROR_H

#include <cstdint>

#include "Matrix/Series.h"
#include "Matrix/SeriesCompute.h"

namespace qd {

// The error statistic errorType of the range (the routine called resolves
// the sentinels and checks the range).
double errorValue(Series& series, std::int32_t last, std::int32_t count, std::int32_t errorType,
                  std::int32_t numParameters);

class SeriesComputeError : public SeriesCompute {
public:
    // The fourth argument is not used: compute passes 1 parameter.
    SeriesComputeError(std::int32_t last, std::int32_t count, std::int32_t errorType,
                       std::int32_t numParameters = 1)
        : SeriesCompute(last, count), errorType(errorType)
    {
        (void)numParameters;
    }
    double compute(Series& series) override;
    std::int32_t quantityId() const override { return errorType; }

    std::int32_t errorType;
};

} // namespace qd

#endif
