#include "SeriesCompute/SeriesComputeTtest.h"

#include <cmath>
#include <vector>

#include "Foundation/DoubleMatrix.h"
#include "Foundation/FdExceptions.h"
#include "Foundation/LUFactorization.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/Observation.h"
#include "SeriesCompute/BJ_identify_dDClass.h"
#include "SeriesCompute/BoxJenkinsModel.h"

namespace qd {

namespace {

const char* const QD_SOURCE_PATH = "Libraries\\SeriesCompute\\SeriesComputeTtest";

const std::int32_t kMinimumValues = 8;

std::int32_t storedOrder(const Series& series, std::int32_t type)
{
    return static_cast<std::int32_t>(series.storedResults.value(type));
}

// Element i of a stored coefficient vector; a missing one cannot rebuild
// the model ("T-test not supported for this method or statistic.").
double storedCoefficient(const Series& series, std::int32_t type, std::int32_t i)
{
    double value = 0.0;
    if (series.storedResults.lookupMultiple(type, i, value) != QD_QUANTITY_FOUND)
        qdThrow(QD_SOURCE_PATH, 96, ErrorCode::TtestNotSupported);
    return value;
}

}  // namespace

double SeriesComputeTtest::compute(Series& series)
{
    // 1. Checks.
    if (series.numObservations() < kMinimumValues)
        qdThrow(QD_SOURCE_PATH, 60, ErrorCode::InsufficientDataForTtest);
    if (method != QD_BOX_JENKINS || series.forecastMethodNumber != QD_BOX_JENKINS)
        qdThrow(QD_SOURCE_PATH, 64, ErrorCode::TtestNotSupported);
    std::int32_t groupOrderType = 0;
    switch (parameter) {
    case QD_BOX_JENKINS_AR_PARAM: groupOrderType = QD_BOX_JENKINS_NONSEASONAL_P; break;
    case QD_BOX_JENKINS_MA_PARAM: groupOrderType = QD_BOX_JENKINS_NONSEASONAL_Q; break;
    case QD_BOX_JENKINS_AR_SEASONAL_PARAM: groupOrderType = QD_BOX_JENKINS_SEASONAL_P; break;
    case QD_BOX_JENKINS_MA_SEASONAL_PARAM: groupOrderType = QD_BOX_JENKINS_SEASONAL_Q; break;
    case QD_BOX_JENKINS_CONSTANT_PARAM: break;
    default:
        qdThrow(QD_SOURCE_PATH, 75, ErrorCode::TtestNotSupported);
    }
    double constant = 0.0;
    const bool hasConstant =
        series.storedResults.lookup(QD_BOX_JENKINS_CONSTANT_PARAM, constant) == QD_QUANTITY_FOUND;
    if (parameter == QD_BOX_JENKINS_CONSTANT_PARAM) {
        if (!hasConstant)
            qdThrow(QD_SOURCE_PATH, 82, ErrorCode::TtestNotSupported);
    } else if (storedOrder(series, groupOrderType) > 0 && series.storedResults.multiple(parameter) == nullptr) {
        // Only a group that has coefficients must have stored them.
        qdThrow(QD_SOURCE_PATH, 86, ErrorCode::TtestNotSupported);
    }

    // 2. The working history: the supplied observations up to the first
    // other one that hold a Box-Jenkins value, on the scale of the model.
    const std::int32_t S = storedOrder(series, QD_BOX_JENKINS_SEASONAL_LENGTH);
    const std::int32_t d = storedOrder(series, QD_BOX_JENKINS_NONSEASONAL_D);
    const std::int32_t D = storedOrder(series, QD_BOX_JENKINS_SEASONAL_D);
    double lamda = 1.0;
    const bool logScale = series.storedResults.lookup(QD_LAMDA, lamda) == QD_QUANTITY_FOUND && lamda == 0.0;
    Series working(series.numObservations());
    for (std::int32_t i = 0; i < series.numObservations(); ++i) {
        const Observation& o = series.observation(i);
        if (o.originType != QD_SUPPLIED)
            break;
        double fitted = 0.0;
        if (o.storedResults.lookup(QD_BOX_JENKINS, fitted) != QD_QUANTITY_FOUND)
            continue;
        double value = o.value;
        if (logScale) {
            // The model was fitted to the logarithms of the values.
            if (!(value > 0.0))
                qdThrow(QD_SOURCE_PATH, 118, ErrorCode::IllegalBoxCoxValue);
            value = std::log(value);
        }
        working.addObservation(value, QD_SUPPLIED, FdCString());
    }
    for (std::int32_t i = 0; i < d; ++i)
        BJ_identify_dDClass::difference(working, 1, 1);
    for (std::int32_t i = 0; i < D; ++i)
        BJ_identify_dDClass::difference(working, S, 1);
    const std::int32_t m = working.numObservations();
    if (m < kMinimumValues)
        qdThrow(QD_SOURCE_PATH, 131, ErrorCode::InsufficientDataForTtest);

    // 3. The model's orders and the shape of the regression, in 64 bits so
    // that no stored order can overflow them.
    const std::int32_t p = storedOrder(series, QD_BOX_JENKINS_NONSEASONAL_P);
    const std::int32_t q = storedOrder(series, QD_BOX_JENKINS_NONSEASONAL_Q);
    const std::int32_t P = storedOrder(series, QD_BOX_JENKINS_SEASONAL_P);
    const std::int32_t Q = storedOrder(series, QD_BOX_JENKINS_SEASONAL_Q);
    if (p < 0 || q < 0 || P < 0 || Q < 0 || S < 0)
        qdThrow(QD_SOURCE_PATH, 140, ErrorCode::InsufficientDataForTtest);
    const std::int64_t c = hasConstant ? 1 : 0;
    const std::int64_t arSpan = p + static_cast<std::int64_t>(S) * P;
    const std::int64_t maSpan = q + static_cast<std::int64_t>(S) * Q;
    const std::int64_t t0 = arSpan > maSpan ? arSpan : maSpan;
    const std::int64_t rows = m - t0;
    const std::int64_t K = static_cast<std::int64_t>(p) + q + P + Q + static_cast<std::int64_t>(p) * P +
                           static_cast<std::int64_t>(q) * Q + c;
    if (K <= 0 || rows <= 0 || rows < K)
        qdThrow(QD_SOURCE_PATH, 150, ErrorCode::InsufficientDataForTtest);

    BoxJenkinsModel model(0, m, 0, 0, hasConstant, S, p, q, P, Q);
    model.processMean = constant;
    for (std::int32_t i = 0; i < p; ++i)
        model.setArCoefficient(i, storedCoefficient(series, QD_BOX_JENKINS_AR_PARAM, i));
    for (std::int32_t i = 0; i < q; ++i)
        model.setMaCoefficient(i, storedCoefficient(series, QD_BOX_JENKINS_MA_PARAM, i));
    for (std::int32_t i = 0; i < P; ++i)
        model.setSeasonalArCoefficient(i, storedCoefficient(series, QD_BOX_JENKINS_AR_SEASONAL_PARAM, i));
    for (std::int32_t i = 0; i < Q; ++i)
        model.setSeasonalMaCoefficient(i, storedCoefficient(series, QD_BOX_JENKINS_MA_SEASONAL_PARAM, i));

    // 4. One-step residuals with backcasts.
    std::vector<double> y(static_cast<std::size_t>(m));
    for (std::int32_t t = 0; t < m; ++t)
        y[static_cast<std::size_t>(t)] = working.observation(t).value;
    const std::int32_t mBack = static_cast<std::int32_t>(arSpan);
    std::vector<double> initial(static_cast<std::size_t>(mBack) + 1, 0.0);
    model.backcast(m, mBack, y.data(), initial.data());
    std::vector<double> yhat(static_cast<std::size_t>(m), 0.0);
    std::vector<double> a(static_cast<std::size_t>(m), 0.0);
    double sse = 0.0;
    for (std::int32_t t = 0; t < m; ++t) {
        const std::size_t k = static_cast<std::size_t>(t);
        yhat[k] = model.predict(y.data(), yhat.data(), t, initial.data());
        a[k] = y[k] - yhat[k];
        sse += a[k] * a[k];
    }

    // 5. The design matrix, one row per t = t0 .. m - 1.
    const std::uint32_t nRows = static_cast<std::uint32_t>(rows);
    const std::uint32_t nCols = static_cast<std::uint32_t>(K);
    DoubleMatrix X(nRows, nCols);
    for (std::int64_t t = t0; t < m; ++t) {
        const std::int32_t row = static_cast<std::int32_t>(t - t0);
        std::int32_t col = 0;
        auto put = [&](double v) { X(row, col++) = v; };
        if (hasConstant)
            put(1.0);
        for (std::int32_t i = 1; i <= p; ++i)
            put(y[static_cast<std::size_t>(t - i)]);
        for (std::int32_t j = 1; j <= q; ++j)
            put(-a[static_cast<std::size_t>(t - j)]);
        for (std::int32_t J = 1; J <= P; ++J)
            put(y[static_cast<std::size_t>(t - static_cast<std::int64_t>(S) * J)]);
        for (std::int32_t J = 1; J <= Q; ++J)
            put(-a[static_cast<std::size_t>(t - static_cast<std::int64_t>(S) * J)]);
        for (std::int32_t i = 1; i <= p; ++i)
            for (std::int32_t J = 1; J <= P; ++J)
                put(-y[static_cast<std::size_t>(t - static_cast<std::int64_t>(S) * J - i)]);
        for (std::int32_t j = 1; j <= q; ++j)
            for (std::int32_t J = 1; J <= Q; ++J)
                put(a[static_cast<std::size_t>(t - static_cast<std::int64_t>(S) * J - j)]);
    }

    // 6. t values from sigma^2 (X'X)^-1. The degrees of freedom count the
    // ARMA orders only, not the constant or the product terms: deliberate.
    const std::int32_t k = p + q + P + Q;
    if (m <= k)
        qdThrow(QD_SOURCE_PATH, 205, ErrorCode::InsufficientDataForTtest);
    const double sigma = std::sqrt(sse / (m - k));
    DoubleMatrix A(nCols, nCols);
    for (std::uint32_t i = 0; i < nCols; ++i)
        for (std::uint32_t j = 0; j < nCols; ++j) {
            double s = 0.0;
            for (std::uint32_t r = 0; r < nRows; ++r)
                s += X(static_cast<std::int32_t>(r), static_cast<std::int32_t>(i)) *
                     X(static_cast<std::int32_t>(r), static_cast<std::int32_t>(j));
            A(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j)) = s;
        }
    // The absolute threshold on the determinant is deliberate.
    if (std::fabs(matrixDeterminant(A)) < 1e-12)
        qdThrow(QD_SOURCE_PATH, 214, ErrorCode::DeterminantZero);
    DoubleMatrix B;
    try {
        B = matrixInverse(A);
    } catch (const FdInternalErr&) {
        qdThrow(QD_SOURCE_PATH, 219, ErrorCode::DeterminantZero);
    }
    // A rank-deficient X'X of large scale can pass the determinant test;
    // its inverse then has diagonal elements that are not positive.
    for (std::uint32_t i = 0; i < nCols; ++i) {
        const double b = B(static_cast<std::int32_t>(i), static_cast<std::int32_t>(i));
        if (!(std::isfinite(b) && b > 0.0))
            qdThrow(QD_SOURCE_PATH, 226, ErrorCode::DeterminantZero);
    }

    auto tValue = [&](std::int32_t column, double coefficient) {
        const double se = std::sqrt(B(column, column)) * sigma;
        return se < 1e-12 ? 0.0 : coefficient / se;
    };
    if (parameter == QD_BOX_JENKINS_CONSTANT_PARAM) {
        // The stored constant is the process mean, while the column's
        // coefficient in this design is the intercept; dividing the mean by
        // the intercept's standard error is deliberate.
        const double t = tValue(0, constant);
        series.storedResults.createMultiple(QD_T_TEST, 1);
        series.storedResults.storeMultiple(QD_T_TEST, 0, t);
        return 0.0;
    }
    std::int32_t count = 0;
    std::int32_t offset = static_cast<std::int32_t>(c);
    switch (parameter) {
    case QD_BOX_JENKINS_AR_PARAM: count = p; break;
    case QD_BOX_JENKINS_MA_PARAM: count = q; offset += p; break;
    case QD_BOX_JENKINS_AR_SEASONAL_PARAM: count = P; offset += p + q; break;
    default: count = Q; offset += p + q + P; break;
    }
    std::vector<double> t(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        double coefficient = 0.0;
        switch (parameter) {
        case QD_BOX_JENKINS_AR_PARAM: coefficient = model.arCoefficient(i); break;
        case QD_BOX_JENKINS_MA_PARAM: coefficient = model.maCoefficient(i); break;
        case QD_BOX_JENKINS_AR_SEASONAL_PARAM: coefficient = model.seasonalArCoefficient(i); break;
        default: coefficient = model.seasonalMaCoefficient(i); break;
        }
        t[static_cast<std::size_t>(i)] = tValue(offset + i, coefficient);
    }
    series.storedResults.createMultiple(QD_T_TEST, count);
    for (std::int32_t i = 0; i < count; ++i)
        series.storedResults.storeMultiple(QD_T_TEST, i, t[static_cast<std::size_t>(i)]);
    return 0.0;
}

}  // namespace qd
