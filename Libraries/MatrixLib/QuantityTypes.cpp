// Descriptions of the quantity types, as handed out for stored statistics
// and forecast methods. Byte for byte as clients see them (2073 begins with
// a blank).
#include "Matrix/QuantityTypes.h"

#include "Foundation/FdCString.h"

namespace qd {

namespace {

// 0-36, indexed by type - 0.
const char* const kObservationTypes[] = {
    "Error",  // 0 QD_ERRORTERM
    "Difference",  // 1 QD_DIFF
    "Log",  // 2 QD_LOG
    "Event Index at observation level",  // 3 QD_EVENT_INDEX_OBSERVATION
    "Moving Average",  // 4 QD_MOVING_AVERAGE
    "Exponential Smoothing",  // 5 QD_EXPONENTIAL_SMOOTHING
    "Trend (Linear) Regression",  // 6 QD_LINEAR_REGRESSION
    "Adaptive Exponential Smoothing",  // 7 QD_ADAPTIVE_EXPONENTIAL_SMOOTHING
    "Double Exponential Smoothing-Brown",  // 8 QD_DOUBLE_EXPONENTIAL_SMOOTHING_BROWN
    "Double Exponential Smoothing-Holt",  // 9 QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT
    "Triple Exponential Smoothing-Brown",  // 10 QD_TRIPLE_EXPONENTIAL_SMOOTHING_BROWN
    "Multiple Regression",  // 11 QD_MULTIPLE_REGRESSION
    "Stepwise",  // 12 QD_STEPWISE
    "Polynomial Regression",  // 13 QD_POLYNOMIAL_REGRESSION
    "Holt-Winters",  // 14 QD_HOLT_WINTERS
    "Weighted Moving Average",  // 15 QD_WEIGHTED_MOVING_AVERAGE
    "Measurement",  // 16 QD_MEASUREMENT
    "Centered Moving Average",  // 17 QD_CENTERED_MOVING_AVERAGE
    "Box Jenkins",  // 18 QD_BOX_JENKINS
    "CensusII X-11 decomposition",  // 19 QD_CENSUS_X11
    "Seasonal Factor",  // 20 QD_SEASONAL_FACTOR
    "Trend Cycle",  // 21 QD_TREND_CYCLE
    "Irregular",  // 22 QD_IRREGULAR
    "Confidence Interval",  // 23 QD_CONFIDENCE_INTERVAL
    "Croston",  // 24 QD_CROSTON
    "Gompertz Curve",  // 25 QD_GOMPERTZ_CURVE
    "Logistic Curve",  // 26 QD_LOGISTIC_CURVE
    "Probit Curve",  // 27 QD_PROBIT_CURVE
    "New Product Forecasting",  // 28 QD_NEW_PRODUCT_FORECASTING
    "Forecast",  // 29 QD_FORECAST
    "Average",  // 30 QD_AVERAGE
    "Observation level safety stock result",  // 31 QD_SAFETY_STOCK_RES_OBS
    "Bass Model",  // 32 QD_BASS_MODEL
    "Rolling MAPE",  // 33 QD_ROLLING_MAPE
    "Cumulative MAPE",  // 34 QD_CUMULATIVE_MAPE
    "Slow moving demand",  // 35 QD_SLOW_MOVING_DEMAND
    "Lagged forecast",  // 36 QD_LAGGED_FORECAST
};

// 2000-2083, indexed by type - 2000.
const char* const kSeriesSingleTypes[] = {
    "Min",  // 2000 QD_MIN
    "Mean Abs Deviation",  // 2001 QD_MEAN_ABS_DEVIATION
    "Sum Squared Deviation",  // 2002 QD_SUM_SQUARED_DEVIATION
    "Mean Squared Deviation",  // 2003 QD_MEAN_SQUARED_DEVIATION
    "Variance",  // 2004 QD_VARIANCE
    "Root Mean Square",  // 2005 QD_ROOT_MEAN_SQUARE
    "Standard Deviation",  // 2006 QD_STANDARD_DEVIATION
    "Skewness",  // 2007 QD_SKEWNESS
    "Auto Covariance",  // 2008 QD_AUTO_COVARIANCE
    "Mean Error",  // 2009 QD_MEAN_ERROR
    "Mean Square Error",  // 2010 QD_MEAN_SQUARE_ERROR
    "Mean Absolute Error",  // 2011 QD_MEAN_ABSOLUTE_ERROR
    "Mean Absolute Percentage Error",  // 2012 QD_MEAN_ABSOLUTE_PERCENTAGE_ERROR
    "Standard Deviation Error",  // 2013 QD_STANDARD_DEVIATION_ERROR
    "Durbin Watson",  // 2014 QD_DURBIN_WATSON
    "Theil",  // 2015 QD_THEIL
    "Median",  // 2016 QD_MEDIAN
    "Mode",  // 2017 QD_MODE
    "Range",  // 2018 QD_RANGE
    "Mean",  // 2019 QD_MEAN
    "Box Pierce",  // 2020 QD_BOX_PIERCE
    "Coefficient of Variation",  // 2021 QD_COEFFICIENT_OF_VARIATION
    "Normality Error",  // 2022 QD_NORMALITY_ERROR
    "Root Mean Square Error",  // 2023 QD_ROOT_MEAN_SQUARE_ERROR
    "Sum Squared Error",  // 2024 QD_SUM_SQUARED_ERROR
    "Sum Squared Regression",  // 2025 QD_SUM_SQUARED_REGRESSION
    "F-test",  // 2026 QD_F_TEST
    "Kurtosis",  // 2027 QD_KURTOSIS
    "Alpha",  // 2028 QD_ALPHA
    "Beta",  // 2029 QD_BETA
    "Gamma",  // 2030 QD_GAMMA
    "Delta",  // 2031 QD_DELTA
    "Level Final Value",  // 2032 QD_LEVEL_FINAL_VALUE
    "Trend Final Value",  // 2033 QD_TREND_FINAL_VALUE
    "Lampda(BoxCox parameter)",  // 2034 QD_LAMDA
    "Box-Cox",  // 2035 QD_BOX_COX
    "Box Jenkins Nonseasonal Initial P",  // 2036 QD_BOX_JENKINS_NONSEASONAL_P_INITIAL
    "Box Jenkins Nonseasonal D",  // 2037 QD_BOX_JENKINS_NONSEASONAL_D
    "Box Jenkins Nonseasonl Initial Q",  // 2038 QD_BOX_JENKINS_NONSEASONAL_Q_INITIAL
    "Box Jenkins Seasonal Initial P",  // 2039 QD_BOX_JENKINS_SEASONAL_P_INITIAL
    "Box Jenkins Seasonal D",  // 2040 QD_BOX_JENKINS_SEASONAL_D
    "Box Jenkins Seasonal Initial Q",  // 2041 QD_BOX_JENKINS_SEASONAL_Q_INITIAL
    "Box Jenkins Seasonal Length",  // 2042 QD_BOX_JENKINS_SEASONAL_LENGTH
    "Box Jenkins Nonseasonal P Decay",  // 2043 QD_BOX_JENKINS_NONSEASONAL_P_DECAY
    "Box Jenkins Nonseasonal Q Decay",  // 2044 QD_BOX_JENKINS_NONSEASONAL_Q_DECAY
    "Box Jenkins Seasonal P Decay",  // 2045 QD_BOX_JENKINS_SEASONAL_P_DECAY
    "Box Jenkins Seasonal Q Decay",  // 2046 QD_BOX_JENKINS_SEASONAL_Q_DECAY
    "Box Jenkins Num Lag Values",  // 2047 QD_BOX_JENKINS_NUM_LAG_VALUES
    "Box Jenkins ACF Boundary",  // 2048 QD_BOX_JENKINS_ACF_BOUNDARY
    "Box Jenkins Nonseasonal P",  // 2049 QD_BOX_JENKINS_NONSEASONAL_P
    "Box Jenkins Nonseasonal Q",  // 2050 QD_BOX_JENKINS_NONSEASONAL_Q
    "Box Jenkins Seasonal P",  // 2051 QD_BOX_JENKINS_SEASONAL_P
    "Box Jenkins Seasonal Q",  // 2052 QD_BOX_JENKINS_SEASONAL_Q
    "Box Jenkins Constant Param",  // 2053 QD_BOX_JENKINS_CONSTANT_PARAM
    "Ljung-Box",  // 2054 QD_LJUNG_BOX
    "AIC(Akaike Information Criterion)",  // 2055 QD_AIC
    "BIC(Bayesian Information Criterion)",  // 2056 QD_BIC
    "R-Square",  // 2057 QD_R_SQUARE
    "Adjusted R-Square",  // 2058 QD_ADJUSTED_R_SQUARE
    "Tracking Signal",  // 2059 QD_TRACKING_SIGNAL
    "Linear Regression Intercept",  // 2060 QD_LINEAR_REGRESSION_INTERCEPT
    "Linear Regression Slope",  // 2061 QD_LINEAR_REGRESSION_SLOPE
    "Standard error in Regression model",  // 2062 QD_REGRESSION_STANDARD_ERROR
    "Elasticity in Regression model",  // 2063 QD_REGRESSION_ELASTICITY
    "Lag value in Regression model",  // 2064 QD_REGRESSION_LAG_VALUE
    "Average Irregular",  // 2065 QD_AVERAGE_IRREGULAR
    "Safety Stock",  // 2066 QD_SAFETY_STOCK
    "Max",  // 2067 QD_MAX
    "Number of bins in histogram",  // 2068 QD_HISTOGRAM_NUM_BINS
    "Base value in histogram",  // 2069 QD_HISTOGRAM_BASE_VALUE
    "Step length in histogram",  // 2070 QD_HISTOGRAM_STEP_LENGTH
    "Number of observations which are samller than maximum",  // 2071 QD_HISTOGRAM_NUM_SMALLER
    "Number of observations which are larger than maximum",  // 2072 QD_HISTOGRAM_NUM_LARGER
    " Service level",  // 2073 QD_SERVICE_LEVEL
    "Cochrane-Orcutt",  // 2074 QD_COCHRANE_ORCUTT
    "Chi-Square",  // 2075 QD_CHI_SQUARE
    "p(innovation rate)",  // 2076 QD_BASS_MODEL_P
    "r(imitation rate)",  // 2077 QD_BASS_MODEL_R
    "q-bar(cumulative value)",  // 2078 QD_BASS_MODEL_QBAR
    "Period length for (weighted) moving average",  // 2079 QD_PERIOD_LENGTH
    "Forecast rank",  // 2080 QD_FORECAST_RANK
    "Standardized Mean Absoluted Error",  // 2081 QD_STANDARDIZED_MAE
    "Slow moving demand safety stock",  // 2082 QD_SMD_SAFETY_STOCK
    "Slow moving demand historical service level",  // 2083 QD_SMD_HIST_SERVICE_LEVEL
};

// 4000-4015, indexed by type - 4000.
const char* const kSeriesMultipleTypes[] = {
    "Partial Auto Correlation Coefficient",  // 4000 QD_PARTIAL_AUTO_CORRELATION_COEFFICIENT
    "Auto Correlation",  // 4001 QD_AUTO_CORRELATION
    "Seasonal Index",  // 4002 QD_SEASONAL_INDEX
    "Event Index at series level",  // 4003 QD_EVENT_INDEX_SERIES
    "Decomposition Index",  // 4004 QD_DECOMPOSITION_INDEX
    "Box Jenkins AR Param",  // 4005 QD_BOX_JENKINS_AR_PARAM
    "Box Jenkins MA Param",  // 4006 QD_BOX_JENKINS_MA_PARAM
    "Box Jenkins AR Seasonal Param",  // 4007 QD_BOX_JENKINS_AR_SEASONAL_PARAM
    "Box Jenkins MA Seasonal Param",  // 4008 QD_BOX_JENKINS_MA_SEASONAL_PARAM
    "Fourier Alpha",  // 4009 QD_FOURIER_ALPHA
    "Fourier Beta",  // 4010 QD_FOURIER_BETA
    "Method Rank in Selvane",  // 4011 QD_SELVANE_METHOD_RANK
    "T-test",  // 4012 QD_T_TEST
    "Histogram",  // 4013 QD_HISTOGRAM
    "P-Value",  // 4014 QD_P_VALUE
    "Initial seasonal indexes.",  // 4015 QD_INITIAL_SEASONAL_INDEX
};

// 6000-6002, indexed by type - 6000.
const char* const kMatrixTypes[] = {
    "Coefficient of Determination",  // 6000 QD_COEFFICIENT_DETERMINATION
    "Correlation Coefficient",  // 6001 QD_CORRELATION_COEFFICIENT
    "Covariance",  // 6002 QD_COVARIANCE
};

struct TypeRange {
    std::int32_t first;
    std::int32_t last;
    const char* const* texts;
};

const TypeRange kRanges[] = {
    {QD_ERRORTERM, QD_LAGGED_FORECAST, kObservationTypes},
    {QD_MIN, QD_SMD_HIST_SERVICE_LEVEL, kSeriesSingleTypes},
    {QD_PARTIAL_AUTO_CORRELATION_COEFFICIENT, QD_INITIAL_SEASONAL_INDEX, kSeriesMultipleTypes},
    {QD_COEFFICIENT_DETERMINATION, QD_COVARIANCE, kMatrixTypes},
};

static_assert(sizeof(kObservationTypes) / sizeof(kObservationTypes[0]) == QD_LAGGED_FORECAST - QD_ERRORTERM + 1,
              "observation-level descriptions");
static_assert(sizeof(kSeriesSingleTypes) / sizeof(kSeriesSingleTypes[0]) == QD_SMD_HIST_SERVICE_LEVEL - QD_MIN + 1,
              "single series-level descriptions");
static_assert(sizeof(kSeriesMultipleTypes) / sizeof(kSeriesMultipleTypes[0]) ==
                  QD_INITIAL_SEASONAL_INDEX - QD_PARTIAL_AUTO_CORRELATION_COEFFICIENT + 1,
              "multiple series-level descriptions");
static_assert(sizeof(kMatrixTypes) / sizeof(kMatrixTypes[0]) == QD_COVARIANCE - QD_COEFFICIENT_DETERMINATION + 1,
              "matrix-level descriptions");

const char* const kNoDescription = "No default description specified";

}  // namespace

FdCString quantityDescription(std::int32_t type)
{
    for (const TypeRange& range : kRanges) {
        if (type >= range.first && type <= range.last)
            return FdCString(range.texts[type - range.first]);
    }
    return FdCString(kNoDescription);
}

} // namespace qd
