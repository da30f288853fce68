#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <set>
#include <string>

#include "CatalogueTestSupport.h"
#include "Matrix/QuantityTypes.h"

using namespace qd;

namespace {

const char* const kDefault = "No default description specified";

std::string describe(std::int32_t type)
{
    return toStd(quantityDescription(type));
}

bool inPublishedRange(std::int32_t t)
{
    return (t >= 0 && t <= 36) || (t >= 2000 && t <= 2083) || (t >= 4000 && t <= 4015) ||
           (t >= 6000 && t <= 6002);
}

struct NamedType {
    std::int32_t constant;
    std::int32_t value;
};

// Every constant with the value published for it.
const NamedType kNamedTypes[] = {
    {QD_ERRORTERM, 0},
    {QD_DIFF, 1},
    {QD_LOG, 2},
    {QD_EVENT_INDEX_OBSERVATION, 3},
    {QD_MOVING_AVERAGE, 4},
    {QD_EXPONENTIAL_SMOOTHING, 5},
    {QD_LINEAR_REGRESSION, 6},
    {QD_ADAPTIVE_EXPONENTIAL_SMOOTHING, 7},
    {QD_DOUBLE_EXPONENTIAL_SMOOTHING_BROWN, 8},
    {QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT, 9},
    {QD_TRIPLE_EXPONENTIAL_SMOOTHING_BROWN, 10},
    {QD_MULTIPLE_REGRESSION, 11},
    {QD_STEPWISE, 12},
    {QD_POLYNOMIAL_REGRESSION, 13},
    {QD_HOLT_WINTERS, 14},
    {QD_WEIGHTED_MOVING_AVERAGE, 15},
    {QD_MEASUREMENT, 16},
    {QD_CENTERED_MOVING_AVERAGE, 17},
    {QD_BOX_JENKINS, 18},
    {QD_CENSUS_X11, 19},
    {QD_SEASONAL_FACTOR, 20},
    {QD_TREND_CYCLE, 21},
    {QD_IRREGULAR, 22},
    {QD_CONFIDENCE_INTERVAL, 23},
    {QD_CROSTON, 24},
    {QD_GOMPERTZ_CURVE, 25},
    {QD_LOGISTIC_CURVE, 26},
    {QD_PROBIT_CURVE, 27},
    {QD_NEW_PRODUCT_FORECASTING, 28},
    {QD_FORECAST, 29},
    {QD_AVERAGE, 30},
    {QD_SAFETY_STOCK_RES_OBS, 31},
    {QD_BASS_MODEL, 32},
    {QD_ROLLING_MAPE, 33},
    {QD_CUMULATIVE_MAPE, 34},
    {QD_SLOW_MOVING_DEMAND, 35},
    {QD_LAGGED_FORECAST, 36},
    {QD_MIN, 2000},
    {QD_MEAN_ABS_DEVIATION, 2001},
    {QD_SUM_SQUARED_DEVIATION, 2002},
    {QD_MEAN_SQUARED_DEVIATION, 2003},
    {QD_VARIANCE, 2004},
    {QD_ROOT_MEAN_SQUARE, 2005},
    {QD_STANDARD_DEVIATION, 2006},
    {QD_SKEWNESS, 2007},
    {QD_AUTO_COVARIANCE, 2008},
    {QD_MEAN_ERROR, 2009},
    {QD_MEAN_SQUARE_ERROR, 2010},
    {QD_MEAN_ABSOLUTE_ERROR, 2011},
    {QD_MEAN_ABSOLUTE_PERCENTAGE_ERROR, 2012},
    {QD_STANDARD_DEVIATION_ERROR, 2013},
    {QD_DURBIN_WATSON, 2014},
    {QD_THEIL, 2015},
    {QD_MEDIAN, 2016},
    {QD_MODE, 2017},
    {QD_RANGE, 2018},
    {QD_MEAN, 2019},
    {QD_BOX_PIERCE, 2020},
    {QD_COEFFICIENT_OF_VARIATION, 2021},
    {QD_NORMALITY_ERROR, 2022},
    {QD_ROOT_MEAN_SQUARE_ERROR, 2023},
    {QD_SUM_SQUARED_ERROR, 2024},
    {QD_SUM_SQUARED_REGRESSION, 2025},
    {QD_F_TEST, 2026},
    {QD_KURTOSIS, 2027},
    {QD_ALPHA, 2028},
    {QD_BETA, 2029},
    {QD_GAMMA, 2030},
    {QD_DELTA, 2031},
    {QD_LEVEL_FINAL_VALUE, 2032},
    {QD_TREND_FINAL_VALUE, 2033},
    {QD_LAMDA, 2034},
    {QD_BOX_COX, 2035},
    {QD_BOX_JENKINS_NONSEASONAL_P_INITIAL, 2036},
    {QD_BOX_JENKINS_NONSEASONAL_D, 2037},
    {QD_BOX_JENKINS_NONSEASONAL_Q_INITIAL, 2038},
    {QD_BOX_JENKINS_SEASONAL_P_INITIAL, 2039},
    {QD_BOX_JENKINS_SEASONAL_D, 2040},
    {QD_BOX_JENKINS_SEASONAL_Q_INITIAL, 2041},
    {QD_BOX_JENKINS_SEASONAL_LENGTH, 2042},
    {QD_BOX_JENKINS_NONSEASONAL_P_DECAY, 2043},
    {QD_BOX_JENKINS_NONSEASONAL_Q_DECAY, 2044},
    {QD_BOX_JENKINS_SEASONAL_P_DECAY, 2045},
    {QD_BOX_JENKINS_SEASONAL_Q_DECAY, 2046},
    {QD_BOX_JENKINS_NUM_LAG_VALUES, 2047},
    {QD_BOX_JENKINS_ACF_BOUNDARY, 2048},
    {QD_BOX_JENKINS_NONSEASONAL_P, 2049},
    {QD_BOX_JENKINS_NONSEASONAL_Q, 2050},
    {QD_BOX_JENKINS_SEASONAL_P, 2051},
    {QD_BOX_JENKINS_SEASONAL_Q, 2052},
    {QD_BOX_JENKINS_CONSTANT_PARAM, 2053},
    {QD_LJUNG_BOX, 2054},
    {QD_AIC, 2055},
    {QD_BIC, 2056},
    {QD_R_SQUARE, 2057},
    {QD_ADJUSTED_R_SQUARE, 2058},
    {QD_TRACKING_SIGNAL, 2059},
    {QD_LINEAR_REGRESSION_INTERCEPT, 2060},
    {QD_LINEAR_REGRESSION_SLOPE, 2061},
    {QD_REGRESSION_STANDARD_ERROR, 2062},
    {QD_REGRESSION_ELASTICITY, 2063},
    {QD_REGRESSION_LAG_VALUE, 2064},
    {QD_AVERAGE_IRREGULAR, 2065},
    {QD_SAFETY_STOCK, 2066},
    {QD_MAX, 2067},
    {QD_HISTOGRAM_NUM_BINS, 2068},
    {QD_HISTOGRAM_BASE_VALUE, 2069},
    {QD_HISTOGRAM_STEP_LENGTH, 2070},
    {QD_HISTOGRAM_NUM_SMALLER, 2071},
    {QD_HISTOGRAM_NUM_LARGER, 2072},
    {QD_SERVICE_LEVEL, 2073},
    {QD_COCHRANE_ORCUTT, 2074},
    {QD_CHI_SQUARE, 2075},
    {QD_BASS_MODEL_P, 2076},
    {QD_BASS_MODEL_R, 2077},
    {QD_BASS_MODEL_QBAR, 2078},
    {QD_PERIOD_LENGTH, 2079},
    {QD_FORECAST_RANK, 2080},
    {QD_STANDARDIZED_MAE, 2081},
    {QD_SMD_SAFETY_STOCK, 2082},
    {QD_SMD_HIST_SERVICE_LEVEL, 2083},
    {QD_PARTIAL_AUTO_CORRELATION_COEFFICIENT, 4000},
    {QD_AUTO_CORRELATION, 4001},
    {QD_SEASONAL_INDEX, 4002},
    {QD_EVENT_INDEX_SERIES, 4003},
    {QD_DECOMPOSITION_INDEX, 4004},
    {QD_BOX_JENKINS_AR_PARAM, 4005},
    {QD_BOX_JENKINS_MA_PARAM, 4006},
    {QD_BOX_JENKINS_AR_SEASONAL_PARAM, 4007},
    {QD_BOX_JENKINS_MA_SEASONAL_PARAM, 4008},
    {QD_FOURIER_ALPHA, 4009},
    {QD_FOURIER_BETA, 4010},
    {QD_SELVANE_METHOD_RANK, 4011},
    {QD_T_TEST, 4012},
    {QD_HISTOGRAM, 4013},
    {QD_P_VALUE, 4014},
    {QD_INITIAL_SEASONAL_INDEX, 4015},
    {QD_COEFFICIENT_DETERMINATION, 6000},
    {QD_CORRELATION_COEFFICIENT, 6001},
    {QD_COVARIANCE, 6002},
};

}  // namespace

TEST(QuantityTypes, ConstantsHavePublishedValues)
{
    std::set<std::int32_t> seen;
    for (const NamedType& t : kNamedTypes) {
        EXPECT_EQ(t.constant, t.value);
        EXPECT_TRUE(inPublishedRange(t.value)) << t.value;
        EXPECT_TRUE(seen.insert(t.value).second) << "duplicate " << t.value;
    }
    EXPECT_EQ(seen.size(), 140u);

    EXPECT_EQ(QD_ALL, -1);
    EXPECT_EQ(QD_LAST, -2);
    EXPECT_EQ(QD_COMPUTE, -3);
    EXPECT_EQ(static_cast<double>(QD_COMPUTE), -3.0);
    EXPECT_EQ(sizeof(XQuantityType), 4u);
    EXPECT_EQ(sizeof(XInputType), 4u);
}

TEST(QuantityTypes, WholeTableHasExactDescriptions)
{
    RecordHash hash;
    std::size_t described = 0;
    std::size_t totalLength = 0;
    for (std::int32_t type = -10; type <= 7000; ++type) {
        const std::string s = describe(type);
        if (!inPublishedRange(type)) {
            EXPECT_EQ(s, kDefault) << type;
            continue;
        }
        EXPECT_NE(s, kDefault) << type;
        ++described;
        totalLength += s.size();
        hash.add(type, s);
    }
    EXPECT_EQ(described, 140u);
    EXPECT_EQ(totalLength, 2699u);
    // Computed once over the published descriptions, in ascending type order.
    EXPECT_EQ(hash.value(), 0x62943532a1a6c7acULL);
}

TEST(QuantityTypes, EdgesOfEachRange)
{
    struct Case {
        std::int32_t type;
        const char* text;
    };
    const Case cases[] = {
        {QD_ERRORTERM, "Error"},
        {QD_FORECAST, "Forecast"},
        {QD_LAGGED_FORECAST, "Lagged forecast"},
        {QD_CENSUS_X11, "CensusII X-11 decomposition"},
        {QD_MIN, "Min"},
        {QD_LAMDA, "Lampda(BoxCox parameter)"},
        {QD_SERVICE_LEVEL, " Service level"},
        {QD_SMD_HIST_SERVICE_LEVEL, "Slow moving demand historical service level"},
        {QD_PARTIAL_AUTO_CORRELATION_COEFFICIENT, "Partial Auto Correlation Coefficient"},
        {QD_INITIAL_SEASONAL_INDEX, "Initial seasonal indexes."},
        {QD_COEFFICIENT_DETERMINATION, "Coefficient of Determination"},
        {QD_COVARIANCE, "Covariance"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(describe(c.type), c.text) << c.type;

    EXPECT_EQ(describe(2073).front(), ' ');
    for (std::int32_t type : {37, 1999, 2084, 3999, 4016, 5999, 6003, -1, -3, INT32_MIN, INT32_MAX})
        EXPECT_EQ(describe(type), kDefault) << type;
}
