#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <set>
#include <string>

#include "CatalogueTestSupport.h"
#include "Matrix/ErrorCatalogue.h"

using namespace qd;

namespace {

const char* const kDefault = "No description specified.";

std::string describe(std::int32_t code)
{
    return toStd(errorDescription(code));
}

// The codes that have a text of their own, written out independently of the
// catalogue's table.
std::set<std::int32_t> expectedCodes()
{
    std::set<std::int32_t> codes{1, 3, 4, 999};
    for (std::int32_t c = 1000; c <= 1013; ++c) codes.insert(c);
    for (std::int32_t c = 2000; c <= 2002; ++c) codes.insert(c);
    for (std::int32_t c = 3000; c <= 3164; ++c) codes.insert(c);
    codes.erase(3010);
    codes.erase(3076);
    codes.erase(3147);
    return codes;
}

}  // namespace

TEST(ErrorCatalogue, WholeTableHasExactCodesAndTexts)
{
    std::set<std::int32_t> found;
    RecordHash hash;
    std::size_t totalLength = 0;
    for (std::int32_t code = -10; code <= 7000; ++code) {
        FdCString text = errorDescription(code);
        std::string s = toStd(text);
        EXPECT_EQ(s.size(), std::string(text.data()).size()) << "embedded NUL in " << code;
        if (s == kDefault)
            continue;
        found.insert(code);
        hash.add(code, s);
        totalLength += s.size();
    }
    EXPECT_EQ(found.size(), 183u);
    EXPECT_EQ(found, expectedCodes());
    EXPECT_EQ(totalLength, 13302u);
    // Computed once over the published texts, in ascending code order.
    EXPECT_EQ(hash.value(), 0xdd81fc0b4937c441ULL);
}

TEST(ErrorCatalogue, CodesWithoutTextReadDefault)
{
    for (std::int32_t code : {0, -1, 2, 5, 998, 1014, 1999, 2003, 2999, 3010, 3076, 3147, 3165, 5000,
                              INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(describe(code), kDefault) << code;
    }
}

TEST(ErrorCatalogue, OddSpacingKeptByteForByte)
{
    const std::string t3005 = describe(3005);
    EXPECT_EQ(t3005,
              "No enough number of historical data. Make sure that there are enough historical data in the "
              "range from the first period to the period spcified by the index parameter. ");
    EXPECT_EQ(t3005.back(), ' ');

    EXPECT_EQ(describe(3022),
              "Data is non-stationary even after differencing. Suggestion:  specify S or take log of data.");
    EXPECT_EQ(describe(3041),
              "Too many spikes in PACF while ACF is OK.  Need to specify p and P (and S if non-zero P).");

    const std::string t3117 = describe(3117);
    EXPECT_EQ(t3117,
              "Illegal curve type in non-steady new product curve. It can only be QD_COMPUTE, \t"
              "QD_NP_GOMPERTZ_CURVE, QD_NP_LOGISTIC_CURVE, or QD_NP_PROBIT_CURVE.");
    EXPECT_NE(t3117.find("QD_COMPUTE, \tQD_NP_GOMPERTZ_CURVE"), std::string::npos);

    // Texts with quotation marks inside.
    EXPECT_EQ(describe(3056),
              "Cannot remove outliers with seasonal consideration. Suggestion: set \"seasonalLength = 0\" to "
              "indicate nonseasonal data.");
    EXPECT_EQ(describe(3144),
              "Illegal minRand, mostLikely, or maxRand when generate triangular random numbers. They should "
              "satisfy \"minRand <= mostLikely <= maxRand\".");
}

TEST(ErrorCatalogue, SharedTextsAndFamilyEdges)
{
    struct Case {
        std::int32_t code;
        const char* text;
    };
    const Case cases[] = {
        {1, "New failed"},
        {3, "Out of memory"},
        {4, "Quendar Registry Failed."},
        {999, "Error/Check memory"},
        {1000, "Invalid Pointer"},
        {1007, "Invalid iterator"},
        {2001, "Invalid iterator"},
        {1009, "Invalid matrix"},
        {2000, "Invalid matrix"},
        {1013, "EnumVar Creation Error"},
        {2002, "Invalid quantity"},
        {3000, "Negative index"},
        {3009, "Forecast value not found."},
        {3011, "Illegal matrix size."},
        {3042, "Illegal Index"},
        {3064, "It is not a single type series statistic"},
        {3075, "Find illegal value for Box-Cox transform, which needs positive values"},
        {3077, "Roll Back does not support this error type. Suggestion: mean absolute error."},
        {3146, "Illegal degree of freedom. It should be not less than 1."},
        {3148, "Illgeal calculation periods. It should be a positive number."},
        {3164, "Forecast method is not supported in the Selvane multiple methods."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(describe(c.code), c.text) << c.code;

    for (auto pair : {std::make_pair(3157, 3158), std::make_pair(3160, 3161), std::make_pair(3162, 3163)}) {
        EXPECT_EQ(describe(pair.first), describe(pair.second));
        EXPECT_NE(describe(pair.first), kDefault);
    }
}
