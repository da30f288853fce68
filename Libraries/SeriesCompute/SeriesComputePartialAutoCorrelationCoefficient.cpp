#include <cstdlib>

#include "Foundation/DoubleMatrix.h"
#include "Foundation/LUFactorization.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/SharedRoutines.h"

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputePartialAutoCorrelationCoefficient";
}

// The last coefficient phi(k, k) of the Yule-Walker equations of order k,
// by Cramer's rule: det(P*) / det(P), where P is the k x k autocorrelation
// matrix (unit diagonal, r of lag |a - b| elsewhere) and P* is P with its
// last column replaced by (r1 .. rk).
double partialAutocorrelation(Series& series, std::int32_t last, std::int32_t count, std::int32_t k)
{
    resolveSeriesRange(series, last, count);
    // Lag 0 has no equations: both determinants would be empty.
    if (k < 1 || k > count)
        qdThrow(QD_SOURCE_PATH, publishedLine(51), ErrorCode::IllegalNumLagValues);

    // r1 .. rk over the range, with one sum of squared deviations (which
    // checks the range).
    Series r(64);
    autocorrelationsToSeries(series, r, last, count, k);
    if (k == 1)
        return r.observation(0).value;

    const std::uint32_t order = static_cast<std::uint32_t>(k);
    DoubleMatrix rho(order, 1);
    for (std::int32_t i = 0; i < k; ++i)
        rho(i, 0) = r.observation(i).value;

    DoubleMatrix p(order, order);
    for (std::int32_t a = 0; a < k; ++a) {
        for (std::int32_t b = 0; b < k; ++b)
            p(a, b) = a == b ? 1.0 : rho(std::abs(a - b) - 1, 0);
    }
    DoubleMatrix pStar = p.copy();
    for (std::int32_t a = 0; a < k; ++a)
        pStar(a, k - 1) = rho(a, 0);

    const double denominator = matrixDeterminant(p);
    // A numerically singular autocorrelation matrix has no solution.
    if (denominator == 0.0)
        qdThrow(QD_SOURCE_PATH, publishedLine(84), ErrorCode::DividedByZero);
    return matrixDeterminant(pStar) / denominator;
}

double SeriesComputePartialAutoCorrelationCoefficient::compute(Series& series)
{
    return partialAutocorrelation(series, last, count, numLagValues);
}

} // namespace qd
