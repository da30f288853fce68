#include "SeriesGrowth.h"

#include "Matrix/Matrix.h"
#include "Matrix/MVRBaseException.h"

#include <windows.h>

#include <cstdint>
#include <limits>

using namespace qd;

namespace {

const std::uint64_t uncountable = std::numeric_limits<std::uint64_t>::max();

// One place of the series array: the series itself and the observation
// places every empty series starts with.
std::uint64_t bytesPerSeries()
{
    return sizeof(Series) + std::uint64_t(OrderedVector<Observation>::GROWTH) * sizeof(Observation);
}

// What the process can still allocate: the smaller of its free address
// space and the memory the system can still commit. Unknown: no bound.
std::uint64_t obtainableBytes()
{
    MEMORYSTATUSEX status;
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return uncountable;
    std::uint64_t bound = status.ullAvailVirtual;
    if (status.ullAvailPageFile < bound) bound = status.ullAvailPageFile;
    return bound;
}

} // namespace

std::uint64_t seriesGrowthCost(const Matrix& matrix, std::int32_t index)
{
    if (index < 0 || index < matrix.numSeries()) return 0;
    // The series count stays a 32-bit signed number.
    const std::uint64_t target = std::uint64_t(index) + 1;
    if (target > std::uint64_t(std::numeric_limits<std::int32_t>::max())) return uncountable;
    // The whole array is made anew: every place of it, old and new.
    std::uint64_t bytes = 0;
    if (__builtin_mul_overflow(target, bytesPerSeries(), &bytes)) return uncountable;
    return bytes;
}

void growSeriesUpTo(Matrix& matrix, std::int32_t index, const char* sourcePath, std::int32_t line)
{
    if (index < matrix.numSeries()) return;
    const std::uint64_t cost = seriesGrowthCost(matrix, index);
    if (cost == uncountable || cost > obtainableBytes() || cost > std::uint64_t(PTRDIFF_MAX))
        qdThrow(sourcePath, line, ErrorCode::OutOfMemory);
    const std::int32_t before = matrix.numSeries();
    // Room for every series first: when that allocation fails nothing has
    // been appended yet.
    matrix.reserve(index + 1);
    try {
        matrix.seriesAt(index);
    } catch (...) {
        // Appending into reserved places does not allocate much, but take
        // back whatever did get appended before passing the failure on.
        takeBackSeries(matrix, before);
        throw;
    }
}

void takeBackSeries(Matrix& matrix, std::int32_t count) noexcept
{
    try {
        while (matrix.numSeries() > count) matrix.removeSeriesAt(matrix.numSeries() - 1);
    } catch (...) {
    }
}
