// Helpers shared by the matrix compute tests.
#ifndef QD_TESTS_MATRIXCOMPUTE_MATRIXCOMPUTETESTSUPPORT_H
#define QD_TESTS_MATRIXCOMPUTE_MATRIXCOMPUTETESTSUPPORT_H

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "Foundation/FdCString.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/Matrix.h"

using namespace qd;

// Appends a series of supplied observations with the given role.
inline std::int32_t addRoleSeries(Matrix& matrix, std::int32_t role, const std::vector<double>& values)
{
    Series s;
    for (double v : values)
        s.addObservation(v, QD_SUPPLIED, FdCString());
    s.dependenceType = role;
    matrix.addSeries(s);
    return matrix.numSeries() - 1;
}

inline std::vector<double> seriesValues(const Series& s)
{
    std::vector<double> v;
    for (std::int32_t i = 0; i < s.numObservations(); ++i)
        v.push_back(s.observation(i).value);
    return v;
}

#define EXPECT_MVR_CODE(statement, expectedCode)                               \
    do {                                                                        \
        try {                                                                   \
            statement;                                                          \
            ADD_FAILURE() << "no exception, expected code " << (expectedCode); \
        } catch (const MVRBaseException& e_) {                                  \
            EXPECT_EQ(e_.code, (expectedCode));                                 \
        }                                                                       \
    } while (0)

#endif
