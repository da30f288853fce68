// Shared checks of the data-model tests.
#ifndef QD_TESTS_MATRIX_TESTSUPPORT_H
#define QD_TESTS_MATRIX_TESTSUPPORT_H

#include <gtest/gtest.h>

#include <string>

#include "Foundation/FdExceptions.h"
#include "Matrix/MVRBaseException.h"

using namespace qd;

// Runs stmt and expects an MVRBaseException with this code, file and line.
#define EXPECT_MVR(stmt, expectedCode, expectedFile, expectedLine)                          \
    do {                                                                                    \
        try {                                                                               \
            stmt;                                                                           \
            ADD_FAILURE() << "no MVRBaseException from: " #stmt;                            \
        } catch (const MVRBaseException& e) {                                               \
            EXPECT_EQ(e.code, (expectedCode)) << #stmt;                                     \
            EXPECT_EQ(std::string(e.file().data()), std::string(expectedFile)) << #stmt;    \
            EXPECT_EQ(e.line, (expectedLine)) << #stmt;                                     \
        }                                                                                   \
    } while (0)

// Runs stmt and expects FdBoundsErr 8211 naming this index and count.
#define EXPECT_INDEX_ERROR(stmt, index, count)                                              \
    do {                                                                                    \
        try {                                                                               \
            stmt;                                                                           \
            ADD_FAILURE() << "no FdBoundsErr from: " #stmt;                                 \
        } catch (const FdBoundsErr& e) {                                                    \
            const std::string expected = "[INDEXERR] Illegal Index (" + std::to_string(index) \
                                         + ") for collection or string with "               \
                                         + std::to_string(count) + " elements";             \
            EXPECT_EQ(std::string(e.why()), expected) << #stmt;                             \
        }                                                                                   \
    } while (0)

#endif
