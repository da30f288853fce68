#include "Foundation/LUFactorization.h"

#include "ExpectRaise.h"

#include <gtest/gtest.h>
#include <limits>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace qd;

namespace {

DoubleMatrix fromRows(std::uint32_t rows, std::uint32_t cols, const std::vector<double>& values)
{
    DoubleMatrix m(rows, cols);
    for (std::uint32_t i = 0; i < rows; ++i) {
        for (std::uint32_t j = 0; j < cols; ++j) {
            *m.at(i, j) = values[i * cols + j];
        }
    }
    return m;
}

DoubleMatrix hilbert3()
{
    DoubleMatrix h(3, 3);
    for (std::int32_t i = 0; i < 3; ++i) {
        for (std::int32_t j = 0; j < 3; ++j) {
            h(i, j) = 1.0 / (i + j + 1);
        }
    }
    return h;
}

DoubleMatrix identity(std::uint32_t n)
{
    DoubleMatrix m(n, n);
    m.fill(0.0);
    for (std::uint32_t i = 0; i < n; ++i) {
        *m.at(i, i) = 1.0;
    }
    return m;
}

double norm1(const DoubleMatrix& m)
{
    double best = 0.0;
    for (std::uint32_t j = 0; j < m.cols(); ++j) {
        double s = 0.0;
        for (std::uint32_t i = 0; i < m.rows(); ++i) {
            s += std::fabs(*m.at(i, j));
        }
        best = std::max(best, s);
    }
    return best;
}

double maxAbsDifference(const DoubleMatrix& a, const DoubleMatrix& b)
{
    double worst = 0.0;
    for (std::uint32_t i = 0; i < a.rows(); ++i) {
        for (std::uint32_t j = 0; j < a.cols(); ++j) {
            worst = std::max(worst, std::fabs(*a.at(i, j) - *b.at(i, j)));
        }
    }
    return worst;
}

struct Reference {
    std::uint32_t n;
    std::vector<double> a;
    double det;
    std::vector<double> inverse;
    double condition;
    std::vector<double> b;
    std::vector<double> ab;
};

// Random matrices with values computed once in exact rational arithmetic
// (make_lu_reference.py).
const std::vector<Reference>& references()
{
    static const std::vector<Reference> table = {
#include "lu_reference.inc"
    };
    return table;
}

}  // namespace

TEST(LUFactorization, HilbertMatrix)
{
    const DoubleMatrix h = hilbert3();
    const LUFactorization lu(h);
    EXPECT_FALSE(lu.isSingular());
    EXPECT_NEAR(determinantFromLU(lu), 1.0 / 2160.0, 1e-16);

    const DoubleMatrix inv = inverseFromLU(lu);
    const DoubleMatrix expected = fromRows(3, 3, {9, -36, 30, -36, 192, -180, 30, -180, 180});
    EXPECT_LT(maxAbsDifference(inv, expected), 1e-11);
    EXPECT_NEAR(norm1(h) * norm1(inv), 748.0, 1e-9);
    // The estimate never understates the reciprocal condition number.
    EXPECT_GE(lu.condition(), 1.0 / 748.0 * (1.0 - 1e-12));
    EXPECT_LE(lu.condition(), 3.0 / 748.0);
    EXPECT_LT(maxAbsDifference(matrixProduct(h, inv), identity(3)), 1e-12);
}

TEST(LUFactorization, ConditionEstimateFollowsTheRescalingSteps)
{
    // diag(2, 4, 0.5), worked through the estimate by hand: the solve with
    // trans(U) rescales once at the third component (z = 0.25, 0.125, 1),
    // the solve with U once more (by 0.6875), and the last normalisation
    // leaves ynorm = 44/69; anorm = 4, so rcond = 11/69 (the true value is
    // 0.5 / 4 = 1/8).
    DoubleMatrix d(3, 3);
    d.fill(0.0);
    *d.at(0, 0) = 2.0;
    *d.at(1, 1) = 4.0;
    *d.at(2, 2) = 0.5;
    const LUFactorization lu(d);
    EXPECT_NEAR(lu.condition(), 11.0 / 69.0, 1e-15);
    EXPECT_EQ(determinantFromLU(lu), 4.0);
    // A 1 x 1 matrix is perfectly conditioned.
    EXPECT_EQ(LUFactorization(fromRows(1, 1, {-5.0})).condition(), 1.0);
}

TEST(LUFactorization, PivotsAndFactorLayout)
{
    // Column 0 has its largest magnitude twice (rows 1 and 2): the first wins.
    const DoubleMatrix a = fromRows(3, 3, {1, 2, 3, -4, 5, 6, 4, 8, 10});
    const LUFactorization lu(a);
    EXPECT_EQ(lu.pivots()[0], 1);
    EXPECT_EQ(lu.pivots()[2], 2);
    EXPECT_TRUE(lu.factors().isContiguousColumnMajor());
    EXPECT_TRUE(lu.factors().isSimple());
    // First multipliers, stored negated: -(1 / -4) and -(4 / -4).
    EXPECT_EQ(lu.factors()(1, 0), 0.25);
    EXPECT_EQ(lu.factors()(2, 0), 1.0);
    EXPECT_EQ(lu.factors()(0, 0), -4.0);
    EXPECT_NEAR(determinantFromLU(lu), 1 * (50 - 48) - 2 * (-40 - 24) + 3 * (-32 - 20), 1e-12);
}

TEST(LUFactorization, RowExchangeOfIdentityHasDeterminantMinusOne)
{
    const DoubleMatrix p = fromRows(3, 3, {0, 1, 0, 1, 0, 0, 0, 0, 1});
    EXPECT_EQ(determinantFromLU(LUFactorization(p)), -1.0);
    EXPECT_EQ(determinantFromLU(LUFactorization(identity(4))), 1.0);
    const DoubleMatrix inv = matrixInverse(p);
    EXPECT_EQ(maxAbsDifference(inv, p), 0.0);
}

TEST(LUFactorization, SingularMatrices)
{
    struct Case {
        const char* name;
        DoubleMatrix m;
    };
    const Case cases[] = {
        {"first column zero", fromRows(3, 3, {0, 1, 2, 0, 3, 4, 0, 5, 7})},
        {"last pivot zero", fromRows(2, 2, {1, 2, 2, 4})},
        {"middle column zero", fromRows(3, 3, {1, 0, 2, 3, 0, 4, 5, 0, 9})},
        {"all zero", fromRows(2, 2, {0, 0, 0, 0})},
        // No exact zero pivot, but rcond ~ 1e-17 rounds away against 1.0.
        {"numerically singular", fromRows(2, 2, {1.0, 1.0, 1.0, 1.0 + 1e-16 * 2})},
    };
    for (const Case& c : cases) {
        for (bool estimate : {true, false}) {
            const LUFactorization lu(c.m, estimate);
            if (!estimate && std::string(c.name) == "numerically singular") {
                // Without the estimate only exact zero pivots are seen.
                EXPECT_EQ(lu.condition(), -1.0);
                continue;
            }
            EXPECT_TRUE(lu.isSingular()) << c.name;
            EXPECT_EQ(determinantFromLU(lu), 0.0) << c.name;
            EXPECT_RAISES(inverseFromLU(lu), FdInternalErr, "[CANTSOLVE] Matrix not successfully factored");
        }
        EXPECT_RAISES(matrixInverse(c.m), FdInternalErr, "[CANTSOLVE] Matrix not successfully factored");
    }
    // A zero pivot gives the condition 0.0 exactly, with or without estimate.
    EXPECT_EQ(LUFactorization(cases[0].m, true).condition(), 0.0);
    EXPECT_EQ(LUFactorization(cases[0].m, false).condition(), 0.0);
    EXPECT_EQ(LUFactorization(identity(2), false).condition(), -1.0);
}

// Entries that are not finite make the condition estimate NaN (or 0 for
// an infinite norm): singular, so no NaN determinant or inverse comes back
// as a result.
TEST(LUFactorization, NonFiniteEntriesAreSingular)
{
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    const DoubleMatrix cases[] = {
        fromRows(1, 1, {nan}),
        fromRows(2, 2, {1, nan, 3, 4}),
        fromRows(2, 2, {nan, 2, 3, 4}),
        fromRows(3, 3, {2, 1, 0, 1, inf, 1, 0, 1, 2}),
        fromRows(2, 2, {-inf, 1, 1, 1}),
    };
    for (const DoubleMatrix& m : cases) {
        const LUFactorization lu(m, true);
        EXPECT_TRUE(lu.isSingular()) << lu.condition();
        EXPECT_EQ(determinantFromLU(lu), 0.0);
        EXPECT_EQ(matrixDeterminant(m), 0.0);
        EXPECT_RAISES(matrixInverse(m), FdInternalErr, "[CANTSOLVE] Matrix not successfully factored");
    }
}

TEST(LUFactorization, ShapeErrorsAndEmptyMatrix)
{
    EXPECT_RAISES(LUFactorization(DoubleMatrix(2, 3)), FdInternalErr, "[NSQUARE] Matrix (2, 3) is not square");
    EXPECT_RAISES(matrixInverse(DoubleMatrix(3, 1)), FdInternalErr, "[NSQUARE] Matrix (3, 1) is not square");
    const LUFactorization empty{DoubleMatrix()};
    EXPECT_EQ(determinantFromLU(empty), 0.0);
    const DoubleMatrix inv = inverseFromLU(empty);
    EXPECT_EQ(inv.rows(), 0u);
    EXPECT_EQ(inv.cols(), 0u);
    EXPECT_RAISES(matrixProduct(DoubleMatrix(2, 3), DoubleMatrix(2, 3)), FdBoundsErr,
                  "[NMATCH] Dimension length doesn't match 3 vs 2");
    EXPECT_RAISES(matrixProduct(DoubleMatrix(2, 3), FdMathVec<double>(2)), FdBoundsErr,
                  "[NMATCH] Dimension length doesn't match 3 vs 2");
}

TEST(LUFactorization, InputIsNeverWritten)
{
    const DoubleMatrix a = fromRows(2, 2, {4, 3, 6, 3});
    DoubleMatrix alias(a);  // contiguous column-major, shared with another view
    const LUFactorization lu(alias);
    const DoubleMatrix inv = matrixInverse(alias);
    EXPECT_EQ(a(0, 0), 4.0);
    EXPECT_EQ(a(0, 1), 3.0);
    EXPECT_EQ(a(1, 0), 6.0);
    EXPECT_EQ(a(1, 1), 3.0);
    EXPECT_NE(lu.factors().block(), a.block());
    EXPECT_NE(inv.block(), a.block());
    // A row-major and a strided input work the same.
    const DoubleMatrix rowMajor = a.copy(DoubleMatrix::ROW_MAJOR);
    EXPECT_EQ(maxAbsDifference(matrixInverse(rowMajor), inv), 0.0);
    EXPECT_EQ(maxAbsDifference(matrixInverse(transposeView(transposeView(a))), inv), 0.0);
}

TEST(LUFactorization, ProductSumsInIndexOrder)
{
    // 1e16 + 1 - 1e16 in index order is 0; any other order would give 1.
    const DoubleMatrix a = fromRows(1, 3, {1e16, 1.0, -1e16});
    const DoubleMatrix b = fromRows(3, 1, {1.0, 1.0, 1.0});
    EXPECT_EQ(matrixProduct(a, b)(0, 0), 0.0);
    FdMathVec<double> x(3, 1.0);
    EXPECT_EQ(matrixProduct(a, x)[0], 0.0);
    const DoubleMatrix m = fromRows(2, 3, {1, 2, 3, 4, 5, 6});
    const FdMathVec<double> y = matrixProduct(m, FdMathVec<double>(3, 2.0));
    EXPECT_EQ(y[0], 12.0);
    EXPECT_EQ(y[1], 30.0);
}

TEST(LUFactorization, RandomMatricesAgainstExactValues)
{
    ASSERT_FALSE(references().empty());
    for (const Reference& r : references()) {
        SCOPED_TRACE("n = " + std::to_string(r.n));
        const DoubleMatrix a = fromRows(r.n, r.n, r.a);
        const LUFactorization lu(a);
        const double eps = 2.220446049250313e-16;
        const double tolerance = 64.0 * r.n * eps * r.condition;

        EXPECT_NEAR(determinantFromLU(lu), r.det, tolerance * std::fabs(r.det));

        const DoubleMatrix inv = inverseFromLU(lu);
        const DoubleMatrix expected = fromRows(r.n, r.n, r.inverse);
        double largest = 0.0;
        for (double v : r.inverse) {
            largest = std::max(largest, std::fabs(v));
        }
        EXPECT_LE(maxAbsDifference(inv, expected), tolerance * largest);

        // The estimate bounds the true reciprocal condition from above, and
        // stays within a small factor of it.
        const double trueRcond = 1.0 / r.condition;
        EXPECT_GE(lu.condition(), trueRcond * (1.0 - 1e-9));
        EXPECT_LE(lu.condition(), 10.0 * trueRcond);

        EXPECT_LT(maxAbsDifference(matrixProduct(a, inv), identity(r.n)), tolerance);

        const DoubleMatrix b = fromRows(r.n, 2, r.b);
        const DoubleMatrix ab = fromRows(r.n, 2, r.ab);
        EXPECT_LE(maxAbsDifference(matrixProduct(a, b), ab), 1e-12 * r.n * 100.0);
    }
}

TEST(LUFactorization, DeterminantOfProductIsProductOfDeterminants)
{
    const std::vector<Reference>& refs = references();
    for (std::size_t k = 0; k + 1 < refs.size(); ++k) {
        if (refs[k].n != refs[k + 1].n) {
            continue;
        }
        const std::uint32_t n = refs[k].n;
        const DoubleMatrix a = fromRows(n, n, refs[k].a);
        const DoubleMatrix b = fromRows(n, n, refs[k + 1].a);
        const double dab = determinantFromLU(LUFactorization(matrixProduct(a, b)));
        const double product = refs[k].det * refs[k + 1].det;
        EXPECT_NEAR(dab, product, 1e-10 * std::fabs(product) * (refs[k].condition + refs[k + 1].condition))
            << "n = " << n;
    }
}

TEST(LUFactorization, MatrixDeterminant)
{
    DoubleMatrix singular(2, 2);
    singular(0, 0) = 1.0;
    singular(0, 1) = 1.0;
    singular(1, 0) = 1.0;
    singular(1, 1) = 1.0;
    EXPECT_EQ(matrixDeterminant(singular), 0.0);
    EXPECT_EQ(matrixDeterminant(DoubleMatrix()), 0.0);
    DoubleMatrix regular(2, 2);
    regular(0, 0) = 2.0;
    regular(0, 1) = 1.0;
    regular(1, 0) = 1.0;
    regular(1, 1) = 3.0;
    EXPECT_DOUBLE_EQ(matrixDeterminant(regular), 5.0);
}
