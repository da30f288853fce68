// The one generation step of every random-series generator: check, seed the
// numerical library once per process, fill a buffer, append the values as
// computed observations.
#include <cstdlib>
#include <mutex>
#include <new>

#include "Matrix/MVRBaseException.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesCompute.h"
#include "Statistics/ErrorStack.h"
#include "Statistics/RandomUniform.h"
#include "Statistics/StatsError.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesCompute";

bool needsSeeding = true;

// Seeds the library's stream from the clock with the shuffled third
// multiplier, once, as one step under the library's lock.
void seedOnce()
{
    std::lock_guard<std::recursive_mutex> lock(stats_library_mutex());
    if (!needsSeeding)
        return;
    stats_set_random_seed(0);
    stats_random_option(6);
    needsSeeding = false;
}

// A buffer of n elements released on every exit, from the module's own
// allocation functions like every other block (so that running out of
// memory is reported, and tested, as everywhere else).
template <class T>
struct Buffer {
    explicit Buffer(std::int32_t n) : data(allocate(n)) {}
    ~Buffer() { delete[] data; }
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;
    T* data;

private:
    static T* allocate(std::int32_t n)
    {
        try {
            return new T[static_cast<std::size_t>(n > 0 ? n : 1)];
        } catch (const std::bad_alloc&) {
            qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::OutOfMemory);
        }
    }
};
}  // namespace

void SeriesGenerateRandom::generate(Series& series)
{
    checkParameters();
    if (valueType != 0 && valueType != 1)
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::IllegalRandomValueType);
    const std::int64_t total = static_cast<std::int64_t>(series.numObservations()) + count;
    if (total > Series::maxObservations())
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::OutOfMemory);
    seedOnce();
    if (count > 64 && total > 64)
        series.reserve(static_cast<std::int32_t>(total));
    // The parameters were checked against the library's own limits; should
    // it still refuse one, its stop becomes an engine error, never the end
    // of the process.
    try {
        if (valueType == 1) {
            Buffer<double> buffer(count);
            fillReal(buffer.data);
            for (std::int32_t i = 0; i < count; ++i)
                series.addObservation(buffer.data[i], QD_COMPUTED, name);
        } else {
            Buffer<std::int32_t> buffer(count);
            fillInteger(buffer.data);
            for (std::int32_t i = 0; i < count; ++i)
                series.addObservation(static_cast<double>(buffer.data[i]), QD_COMPUTED, name);
        }
    } catch (const StatsError&) {
        qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::Unexpected);
    }
}

}  // namespace qd
