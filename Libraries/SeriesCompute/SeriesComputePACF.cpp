#include "SeriesCompute/SeriesComputePACF.h"
#include "SeriesCompute/WorkCount.h"

#include <cstdlib>

#include "Foundation/DoubleMatrix.h"
#include "Foundation/LUFactorization.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/Observation.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputePACF";
}  // namespace

void SeriesComputePACF(const Series& acfSeries, Series& pacfSeries, std::int32_t numLagValues)
{
    if (numLagValues < 0)
        qdThrow(QD_SOURCE_PATH, 44, ErrorCode::IllegalNumLagValues);
    const std::int32_t N = numLagValues;
    noteWork(WorkKind::PartialCorrelogram, nullptr, 0, N);
    for (std::int32_t k = 1; k <= N; ++k) {
        const std::uint32_t order = static_cast<std::uint32_t>(k);
        DoubleMatrix block(order, order);
        for (std::int32_t i = 0; i < k; ++i)
            for (std::int32_t j = 0; j < k; ++j)
                block(static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j)) =
                    i == j ? 1.0 : acfSeries.observation(std::abs(i - j) - 1).value;
        const DoubleMatrix inverse = matrixInverse(block);
        // The last element of inverse x (r1 .. rk): its last row times r.
        double last = 0.0;
        for (std::int32_t j = 0; j < k; ++j)
            last += inverse(order - 1, static_cast<std::uint32_t>(j)) * acfSeries.observation(j).value;
        pacfSeries.addObservation(last, QD_COMPUTED, FdCString());
    }
}

}  // namespace qd
