// The compute interfaces of one series: statistics (SeriesCompute),
// forecasting methods (SeriesForecast) and random-series generators
// (SeriesGenerateRandom). The range check shared by the statistics is in
// Matrix/SeriesRange.h.
//
// A compute object is built by its caller for one request with all of its
// arguments, wrapped in an applier (SeriesOp / MatrixOp), applied once and
// destroyed after the applier. It never returns its result to its caller:
// the applier stores what compute() returns under quantityId(), or the
// object stores its results in the series itself.
#ifndef QD_MATRIX_SERIESCOMPUTE_H
#define QD_MATRIX_SERIESCOMPUTE_H

#include <cstdint>

#include "Foundation/FdCString.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesRange.h"

namespace qd {

// A statistic of one series that yields one double.
class SeriesCompute {
public:
    SeriesCompute(std::int32_t last, std::int32_t count) : last(last), count(count) {}

    // The value of the statistic over the range (last, count).
    virtual double compute(Series& series) = 0;
    // The quantity type of the result (XQuantityType).
    virtual std::int32_t quantityId() const = 0;
    virtual ~SeriesCompute() = default;

    // Range: the `count` observations ending at index `last`; -2 (QD_LAST)
    // is the last observation, -1 (QD_ALL) every observation. The iterated
    // appliers overwrite `last` before each compute.
    std::int32_t last;
    std::int32_t count;
};

// A forecasting method of one series.
class SeriesForecast {
public:
    // Fits the parameters asked for (QD_COMPUTE), writes the fitted values
    // and forecasts into the series through its value cache, stores the
    // parameters among the series' stored results and records method code,
    // seasonal length and decomposition type. The appliers pass flag 1.
    virtual std::int32_t compute(Series& series, std::int32_t flag) = 0;
    virtual ~SeriesForecast() = default;
};

// A generator of a random series.
class SeriesGenerateRandom {
public:
    SeriesGenerateRandom(std::int32_t count, const FdCString& name, std::int32_t valueType)
        : count(count), name(name), valueType(valueType)
    {
    }

    // Checks the parameters, seeds the numerical library once per process,
    // fills a buffer through fillReal or fillInteger (by valueType) and
    // appends the values as computed observations described by `name`.
    // The one implementation of this operation belongs to the compute
    // library (Libraries/SeriesCompute).
    virtual void generate(Series& series);
    virtual ~SeriesGenerateRandom() = default;
    virtual void checkParameters() = 0;
    // Default forms: a generator overrides the one of its own value type.
    virtual void fillReal(double* buffer)
    {
        (void)buffer;
        qdThrow("INCLUDE\\SeriesCompute/SeriesCompute", publishedLine(67), ErrorCode::IllegalRandomValueType);
    }
    virtual void fillInteger(std::int32_t* buffer)
    {
        (void)buffer;
        qdThrow("INCLUDE\\SeriesCompute/SeriesCompute", publishedLine(71), ErrorCode::IllegalRandomValueType);
    }

    std::int32_t count;      // how many values to generate
    FdCString name;          // description of every generated observation
    std::int32_t valueType;  // 1 real values, 0 integer values
};

} // namespace qd

#endif
