#include <gtest/gtest.h>

#include <memory>

#include "CatalogueTestSupport.h"
#include "Matrix/MVRBaseException.h"

using namespace qd;

TEST(MVRBaseException, CarriesFileLineCodeAndEmptyDescription)
{
    MVRBaseException e(FdCString("Libraries\\MatrixLib\\SeriesQC"), 105, 3060);
    EXPECT_EQ(e.code, 3060);
    EXPECT_EQ(e.line, 105);
    EXPECT_EQ(toStd(e.file()), "Libraries\\MatrixLib\\SeriesQC");
    EXPECT_EQ(e.description().length(), 0u);
}

TEST(MVRBaseException, CopyOutlivesOriginal)
{
    auto original = std::make_unique<MVRBaseException>(FdCString("INCLUDE\\Matrix/SeriesQC"), 31, 3064);
    MVRBaseException copy(*original);
    original.reset();
    EXPECT_EQ(toStd(copy.file()), "INCLUDE\\Matrix/SeriesQC");
    EXPECT_EQ(copy.code, 3064);
    EXPECT_EQ(copy.line, 31);

    MVRBaseException assigned(FdCString("x"), 1, 1);
    {
        MVRBaseException source(FdCString("Libraries\\MatrixLib\\Matrix"), 7, 3000);
        assigned = source;
    }
    EXPECT_EQ(toStd(assigned.file()), "Libraries\\MatrixLib\\Matrix");
    EXPECT_EQ(assigned.code, 3000);
    EXPECT_EQ(assigned.line, 7);
}

TEST(MVRBaseException, SetFileReplacesPathOnly)
{
    MVRBaseException e(FdCString("a"), 12, 3006);
    e.setFile(FdCString("Libraries\\SeriesCompute\\SeriesComputeError"));
    EXPECT_EQ(toStd(e.file()), "Libraries\\SeriesCompute\\SeriesComputeError");
    EXPECT_EQ(e.code, 3006);
    EXPECT_EQ(e.line, 12);
}

TEST(MVRBaseException, QdThrowRaisesByValueWithGivenPlace)
{
    try {
        qdThrow("Libraries\\SeriesCompute\\SeriesComputeError", 68, 3004);
        FAIL() << "qdThrow returned";
    } catch (MVRBaseException e) {
        EXPECT_EQ(e.code, 3004);
        EXPECT_EQ(e.line, 68);
        EXPECT_EQ(toStd(e.file()), "Libraries\\SeriesCompute\\SeriesComputeError");
        EXPECT_EQ(e.description().length(), 0u);
    }
    // Nothing else catches it: it is not derived from std::exception.
    bool caughtAsEngine = false;
    try {
        try {
            qdThrow("INCLUDE\\Matrix/QuantitySlots", 23, 3000);
        } catch (const std::exception&) {
            FAIL() << "caught as std::exception";
        }
    } catch (const MVRBaseException& e) {
        caughtAsEngine = e.code == 3000 && e.line == 23;
    }
    EXPECT_TRUE(caughtAsEngine);
}

// A fallback handler lets allocation failures through, in both forms, and
// takes every other failure.
TEST(MVRBaseException, FallbackHandlersLetOnlyAllocationFailuresThrough)
{
    enum Outcome { Taken, PassedOn };
    const auto run = [](auto raise) {
        try {
            try {
                raise();
            } catch (...) {
                rethrowOutOfMemory();
                return Taken;
            }
        } catch (...) {
            return PassedOn;
        }
        return Taken;
    };
    EXPECT_EQ(PassedOn, run([] { throw std::bad_alloc(); }));
    EXPECT_EQ(PassedOn, run([] { qdThrow("Libraries\\Test", 1, ErrorCode::OutOfMemory); }));
    EXPECT_EQ(Taken, run([] { qdThrow("Libraries\\Test", 1, 3004); }));
    EXPECT_EQ(Taken, run([] { throw 42; }));
    EXPECT_TRUE(isOutOfMemory(MVRBaseException(FdCString("x"), 1, 3)));
    EXPECT_FALSE(isOutOfMemory(MVRBaseException(FdCString("x"), 1, 2)));
}
