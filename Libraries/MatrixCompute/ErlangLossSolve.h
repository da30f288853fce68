// The observation loop shared by the Erlang B and Poisson matrix
// computations (private to this folder).
#ifndef QD_LIBRARIES_MATRIXCOMPUTE_ERLANGLOSSSOLVE_H
#define QD_LIBRARIES_MATRIXCOMPUTE_ERLANGLOSSSOLVE_H

#include <algorithm>
#include <cstdint>

#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"
#include "MatrixCompute/ErlangCalculators.h"

namespace qd {

// doType 1 solves N from the QD_ERLANG_A series, 2 solves A from the
// QD_ERLANG_N series; the calculator already holds the probability. One
// answer per observation of the matrix's first series; the result series
// is appended only when all are solved. Errors: 3044 (doType), 3046 (no
// input series), 3047 (an observation without a valid answer), thrown
// with `path` and the lines given.
template <typename Calculator>
void solveErlangLossSeries(Matrix& matrix, std::int32_t doType, Calculator& calculator, const char* path,
                           std::int32_t lineType, std::int32_t lineMissing, std::int32_t lineInvalid)
{
    const std::int32_t count = matrix.numSeries() > 0 ? matrix.series(0).numObservations() : 0;
    Series result(std::max<std::int32_t>(64, count));
    if (doType != 1 && doType != 2)
        qdThrow(path, lineType, ErrorCode::InvalidItemType);
    const std::int32_t input = matrix.dependentSeriesIndex(doType == 1 ? QD_ERLANG_A : QD_ERLANG_N);
    if (input < 0)
        qdThrow(path, lineMissing, ErrorCode::RequiredSeriesMissing);
    for (std::int32_t i = 0; i < count; ++i) {
        const double v = matrix.series(input).observation(i).value;
        double answer;
        if (doType == 1) {
            calculator.setA(v);
            answer = calculator.solveN();
        } else {
            calculator.setN(erlangServerCount(v));
            answer = calculator.solveA();
        }
        if (calculator.status != 0)
            qdThrow(path, lineInvalid, ErrorCode::InvalidDependentItem);
        result.addObservation(answer, QD_COMPUTED, FdCString());
    }
    result.dependenceType = doType == 1 ? QD_ERLANG_N : QD_ERLANG_A;
    matrix.addSeries(result);
}

}  // namespace qd

#endif
