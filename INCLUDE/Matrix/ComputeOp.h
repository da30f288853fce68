// ComputeOp: the applier that runs one compute object over a target.
//
// The requesting routine builds the compute object, wraps it in the applier
// that fits the compute's interface and the target, applies the applier
// once and deletes it; the applier never owns or deletes the compute
// object. Matrix-level appliers derive from MatrixOp and are applied
// through Matrix::apply or Matrix::applyRectangular; series-level ones
// derive from SeriesOp, observation-level ones from ObservationOp.
#ifndef QD_MATRIX_COMPUTEOP_H
#define QD_MATRIX_COMPUTEOP_H

#include <cstdint>

#include "Matrix/MVRBaseException.h"

namespace qd {

class Matrix;
class Series;
class Observation;

class ComputeOp {
public:
    virtual ~ComputeOp() = default;

    // Passed as the flag of SeriesForecast::compute and
    // MatrixForecast::compute; 1 from every constructor.
    std::int32_t flag = 1;

    // When index equals sentinel it becomes replacement.
    static void resolveLastIndex(std::int32_t& index, std::int32_t sentinel, std::int32_t replacement)
    {
        if (index == sentinel)
            index = replacement;
    }

protected:
    ComputeOp() = default;

    // The first observation of an iterated applier: -2 (QD_LAST) becomes the
    // last of `count` observations; a start before the first fails with
    // 3000, one past the last with 3006, reported at the caller's file and
    // lines.
    static void resolveIteratedStart(std::int32_t& start, std::int32_t count, const char* file,
                                     std::int32_t negativeLine, std::int32_t pastEndLine)
    {
        resolveLastIndex(start, -2, count - 1);
        if (start < 0)
            qdThrow(file, negativeLine, ErrorCode::NegativeIndex);
        if (start >= count)
            qdThrow(file, pastEndLine, ErrorCode::OutOfBounds);
    }
};

class MatrixOp : public ComputeOp {
public:
    virtual void apply(Matrix& matrix) = 0;
};

class SeriesOp : public ComputeOp {
public:
    virtual void apply(Series& series) = 0;
};

class ObservationOp : public ComputeOp {
public:
    virtual void apply(Observation& observation) = 0;
};

} // namespace qd

#endif
