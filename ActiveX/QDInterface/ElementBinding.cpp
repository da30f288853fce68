#include "ElementBinding.h"

#include "Matrix/Matrix.h"
#include "Matrix/Series.h"

using namespace qd;

std::uint64_t ChildrenOf<Matrix>::identityAt(Matrix& matrix, std::int32_t index)
{
    return matrix.series(index).identity();
}

std::int32_t ChildrenOf<Matrix>::find(const Matrix& matrix, std::uint64_t identity, std::int32_t hint)
{
    return matrix.findSeries(identity, hint);
}

Series& ChildrenOf<Matrix>::at(Matrix& matrix, std::int32_t index)
{
    return matrix.series(index);
}

std::uint64_t ChildrenOf<Series>::identityAt(Series& series, std::int32_t index)
{
    return series.observation(index).ensureIdentity();
}

std::int32_t ChildrenOf<Series>::find(const Series& series, std::uint64_t identity, std::int32_t hint)
{
    return series.findObservation(identity, hint);
}

Observation& ChildrenOf<Series>::at(Series& series, std::int32_t index)
{
    return series.observation(index);
}
