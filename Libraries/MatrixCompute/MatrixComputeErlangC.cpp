#include "MatrixCompute/MatrixComputeErlangC.h"

#include <algorithm>

#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\MatrixCompute\\MatrixComputeErlangC";

// Role of the item that a doType solves.
std::int32_t resultRole(std::int32_t doType)
{
    switch (doType) {
    case 1: return QD_ERLANG_N;
    case 2: return QD_ERLANG_A;
    case 3: return QD_ERLANG_P0;
    case 4: return QD_ERLANG_PT;
    case 5: return QD_ERLANG_T1;
    default: return QD_ERLANG_T2;
    }
}

// The index of the series with this role; 3046 when there is none.
std::int32_t requiredSeries(const Matrix& matrix, std::int32_t role)
{
    const std::int32_t index = matrix.dependentSeriesIndex(role);
    if (index < 0)
        qdThrow(QD_SOURCE_PATH, 121, ErrorCode::RequiredSeriesMissing);
    return index;
}

double valueAt(Matrix& matrix, std::int32_t seriesIndex, std::int32_t i)
{
    return matrix.series(seriesIndex).observation(i).value;
}

}  // namespace

MatrixComputeErlangC::MatrixComputeErlangC(std::int32_t doType) : calculator(), doType(doType)
{
}

void MatrixComputeErlangC::compute(Matrix& matrix)
{
    const std::int32_t count = matrix.numSeries() > 0 ? matrix.series(0).numObservations() : 0;
    Series result(std::max<std::int32_t>(64, count));
    if (doType < 1 || doType > 6)
        qdThrow(QD_SOURCE_PATH, 88, ErrorCode::InvalidItemType);
    if (matrix.dependentSeriesIndex(resultRole(doType)) >= 0)
        qdThrow(QD_SOURCE_PATH, 95, ErrorCode::ItemAlreadySupplied);

    // Inputs by role; -1 where the item does not take part.
    std::int32_t p0 = -1, pt = -1, n = -1, a = -1, t1 = -1, t2 = -1;
    switch (doType) {
    case 1:
        p0 = requiredSeries(matrix, QD_ERLANG_P0);
        a = requiredSeries(matrix, QD_ERLANG_A);
        break;
    case 2:
        p0 = requiredSeries(matrix, QD_ERLANG_P0);
        n = requiredSeries(matrix, QD_ERLANG_N);
        break;
    case 3:
        a = requiredSeries(matrix, QD_ERLANG_A);
        n = requiredSeries(matrix, QD_ERLANG_N);
        break;
    default:
        p0 = matrix.dependentSeriesIndex(QD_ERLANG_P0);
        a = requiredSeries(matrix, QD_ERLANG_A);
        n = requiredSeries(matrix, QD_ERLANG_N);
        pt = doType == 4 ? -1 : requiredSeries(matrix, QD_ERLANG_PT);
        t1 = doType == 5 ? -1 : requiredSeries(matrix, QD_ERLANG_T1);
        t2 = doType == 6 ? -1 : requiredSeries(matrix, QD_ERLANG_T2);
        break;
    }

    for (std::int32_t i = 0; i < count; ++i) {
        ErlangCCalculator& c = calculator;
        bool valid = true;
        // The setters that reset the status come first, so that a refused
        // value of any item is still seen.
        if (n >= 0) {
            c.setN(erlangServerCount(valueAt(matrix, n, i)));
            valid = valid && c.status == 0;
        }
        if (a >= 0) {
            c.setA(valueAt(matrix, a, i));
            valid = valid && c.status == 0;
        }
        if (t1 >= 0) {
            c.setT1(valueAt(matrix, t1, i));
            valid = valid && c.status == 0;
        }
        if (t2 >= 0) {
            c.setT2(valueAt(matrix, t2, i));
            valid = valid && c.status == 0;
        }
        if (pt >= 0) {
            c.setPT(valueAt(matrix, pt, i));
            valid = valid && c.status == 0;
        }
        if (p0 >= 0) {
            c.setP0(valueAt(matrix, p0, i));
            valid = valid && c.status == 0;
        } else if (doType >= 4) {
            // Never the probability of an earlier observation.
            c.solveP0();
            valid = valid && c.status == 0;
        }
        double answer = -1.0;
        if (valid) {
            switch (doType) {
            case 1: answer = c.solveN(); break;
            case 2: answer = c.solveA(); break;
            case 3: answer = c.solveP0(); break;
            case 4: answer = c.solvePT(); break;
            case 5: answer = c.solveT1(); break;
            default: answer = c.solveT2(); break;
            }
        }
        if (!valid || c.status != 0)
            qdThrow(QD_SOURCE_PATH, 182, ErrorCode::InvalidDependentItem);
        result.addObservation(answer, QD_COMPUTED, FdCString());
    }
    result.dependenceType = resultRole(doType);
    matrix.addSeries(result);
}

}  // namespace qd
