// Checks that a statement throws the given foundation exception class with
// exactly the given message text.
#ifndef TESTS_NUMERICS_EXPECTRAISE_H
#define TESTS_NUMERICS_EXPECTRAISE_H

#include "Foundation/FdExceptions.h"

#include <gtest/gtest.h>

#include <string>

using namespace qd;

#define EXPECT_RAISES(statement, ExceptionType, expectedText)                                      \
    do {                                                                                           \
        bool raised_ = false;                                                                      \
        try {                                                                                      \
            statement;                                                                             \
        } catch (const ExceptionType& e_) {                                                        \
            raised_ = true;                                                                        \
            EXPECT_EQ(std::string(e_.why()), std::string(expectedText));                           \
        }                                                                                          \
        EXPECT_TRUE(raised_) << "expected " #ExceptionType " from " #statement;                    \
    } while (0)

#endif
