// Helpers shared by the regression tests.
#ifndef QD_TESTS_REGRESSION_REGRESSIONTESTSUPPORT_H
#define QD_TESTS_REGRESSION_REGRESSIONTESTSUPPORT_H

#include <cmath>
#include <functional>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Foundation/FdCString.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"
#include "Matrix/MatrixOpApplyMatrixForecast.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"

using namespace qd;

namespace regtest {

inline Series makeSeries(const double* values, std::int32_t n, std::int32_t role, const char* description = "")
{
    Series s;
    for (std::int32_t i = 0; i < n; ++i)
        s.addObservation(values[i], QD_SUPPLIED, FdCString());
    s.dependenceType = role;
    s.setDescription(FdCString(description));
    return s;
}

inline Series makeSeries(const std::vector<double>& values, std::int32_t role, const char* description = "")
{
    return makeSeries(values.data(), static_cast<std::int32_t>(values.size()), role, description);
}

// Runs a matrix forecast the way the automation layer does (applier,
// flag 1), without the equal-length test.
inline void runForecast(MatrixForecast& method, Matrix& matrix)
{
    MatrixOpApplyMatrixForecast op(method);
    op.apply(matrix);
}

inline std::int32_t codeOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const MVRBaseException& e) {
        return e.code;
    }
    return 0;
}

inline double multiple(const Series& s, std::int32_t type, std::int32_t index = 0)
{
    double v = std::nan("");
    s.storedResults.lookupMultiple(type, index, v);
    return v;
}

inline double forecastOf(const Series& s, std::int32_t i)
{
    double v = std::nan("");
    s.observation(i).storedResults.lookup(QD_FORECAST, v);
    return v;
}

inline std::string text(const FdCString& s)
{
    return std::string(s.data(), s.length());
}

}  // namespace regtest

#define EXPECT_REL(actual, expected, tolerance) \
    EXPECT_NEAR((actual), (expected), (tolerance) * std::fabs(expected)) << #actual

#endif
