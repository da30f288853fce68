// Helpers shared by the compute tests.
#ifndef QD_TESTS_COMPUTE_COMPUTETESTSUPPORT_H
#define QD_TESTS_COMPUTE_COMPUTETESTSUPPORT_H

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Foundation/FdCString.h"
#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesCompute.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"

using namespace qd;

// A series of supplied observations.
inline void fillSeries(Series& series, const std::vector<double>& values)
{
    for (double v : values)
        series.addObservation(v, QD_SUPPLIED, FdCString());
}

// Stores fitted values (QD_FORECAST) on the observations whose flag is set.
inline void storeFits(Series& series, const double* fits, const bool* hasFit, std::int32_t n)
{
    for (std::int32_t i = 0; i < n; ++i) {
        if (hasFit[i])
            series.observation(i).storedResults.store(QD_FORECAST, fits[i]);
    }
    series.setDirty(true, true);
}

inline std::string pathOf(const MVRBaseException& e)
{
    const FdCString file = e.file();
    return std::string(file.data(), file.length());
}

// Runs the statement and checks that it throws MVRBaseException with this
// code (and, when given, this file and line).
#define EXPECT_MVR_CODE(statement, expectedCode)                                       \
    do {                                                                                \
        try {                                                                           \
            statement;                                                                  \
            ADD_FAILURE() << "no exception, expected code " << (expectedCode);         \
        } catch (const MVRBaseException& e_) {                                          \
            EXPECT_EQ(e_.code, (expectedCode));                                         \
        }                                                                               \
    } while (0)

#define EXPECT_MVR_AT(statement, expectedCode, expectedFile, expectedLine)             \
    do {                                                                                \
        try {                                                                           \
            statement;                                                                  \
            ADD_FAILURE() << "no exception, expected code " << (expectedCode);         \
        } catch (const MVRBaseException& e_) {                                          \
            EXPECT_EQ(e_.code, (expectedCode));                                         \
            EXPECT_EQ(pathOf(e_), std::string(expectedFile));                           \
            EXPECT_EQ(e_.line, (expectedLine));                                         \
        }                                                                               \
    } while (0)

// Runs a forecast as the automation layer does: both value arrays marked
// stale, then the method applied when the series is not empty.
inline void applyForecast(Series& series, SeriesForecast& method)
{
    series.setDirty(true, true);
    SeriesOpApplySeriesForecast op(method);
    op.apply(series);
}

#endif
