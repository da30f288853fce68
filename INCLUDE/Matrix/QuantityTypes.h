// Quantity types: the integer names under which the engine stores every
// result it computes, the sentinels of range and parameter arguments, and
// the English description of each quantity type.
//
// A quantity type's range decides where a result of that type is stored:
//
//     0-36       observation             ObservationQC of the observation
//     2000-2083  series, single value    SeriesQC, single-valued part
//     4000-4015  series, multiple values SeriesQC, multi-valued part
//     6000-6002  matrix                  MatrixQC of the matrix
//
// The observation-level types that name forecasting methods double as method
// codes (5 exponential smoothing, 14 Holt-Winters, 18 Box-Jenkins, ...).
//
// The two enums carry the names and values of the type library's enums
// XQuantityType and XInputType. This header is their one C++ source; the
// Windows build checks every name and value against the declarations widl
// writes from ActiveX/QDInterface/QDInterface.idl (a generated list of
// static_asserts, ActiveX/QDInterface/tools/make_enum_check.py), so the two
// cannot drift apart.
#ifndef QD_MATRIX_QUANTITYTYPES_H
#define QD_MATRIX_QUANTITYTYPES_H

#include <cstdint>

#include "Foundation/FdCString.h"

namespace qd {

enum XQuantityType : std::int32_t {
    // Observation level (0-36): one value per observation, stored in its
    // ObservationQC. The forecasting methods among them double as method codes.
    QD_ERRORTERM                            = 0,
    QD_DIFF                                 = 1,
    QD_LOG                                  = 2,
    QD_EVENT_INDEX_OBSERVATION              = 3,
    QD_MOVING_AVERAGE                       = 4,
    QD_EXPONENTIAL_SMOOTHING                = 5,
    QD_LINEAR_REGRESSION                    = 6,
    QD_ADAPTIVE_EXPONENTIAL_SMOOTHING       = 7,
    QD_DOUBLE_EXPONENTIAL_SMOOTHING_BROWN   = 8,
    QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT    = 9,
    QD_TRIPLE_EXPONENTIAL_SMOOTHING_BROWN   = 10,
    QD_MULTIPLE_REGRESSION                  = 11,
    QD_STEPWISE                             = 12,
    QD_POLYNOMIAL_REGRESSION                = 13,
    QD_HOLT_WINTERS                         = 14,
    QD_WEIGHTED_MOVING_AVERAGE              = 15,
    QD_MEASUREMENT                          = 16,
    QD_CENTERED_MOVING_AVERAGE              = 17,
    QD_BOX_JENKINS                          = 18,
    QD_CENSUS_X11                           = 19,
    QD_SEASONAL_FACTOR                      = 20,
    QD_TREND_CYCLE                          = 21,
    QD_IRREGULAR                            = 22,
    QD_CONFIDENCE_INTERVAL                  = 23,
    QD_CROSTON                              = 24,
    QD_GOMPERTZ_CURVE                       = 25,
    QD_LOGISTIC_CURVE                       = 26,
    QD_PROBIT_CURVE                         = 27,
    QD_NEW_PRODUCT_FORECASTING              = 28,
    QD_FORECAST                             = 29,
    QD_AVERAGE                              = 30,
    QD_SAFETY_STOCK_RES_OBS                 = 31,
    QD_BASS_MODEL                           = 32,
    QD_ROLLING_MAPE                         = 33,
    QD_CUMULATIVE_MAPE                      = 34,
    QD_SLOW_MOVING_DEMAND                   = 35,
    QD_LAGGED_FORECAST                      = 36,

    // Series level, single value (2000-2083): a series' SeriesQC, single part.
    QD_MIN                                  = 2000,
    QD_MEAN_ABS_DEVIATION                   = 2001,
    QD_SUM_SQUARED_DEVIATION                = 2002,
    QD_MEAN_SQUARED_DEVIATION               = 2003,
    QD_VARIANCE                             = 2004,
    QD_ROOT_MEAN_SQUARE                     = 2005,
    QD_STANDARD_DEVIATION                   = 2006,
    QD_SKEWNESS                             = 2007,
    QD_AUTO_COVARIANCE                      = 2008,
    QD_MEAN_ERROR                           = 2009,
    QD_MEAN_SQUARE_ERROR                    = 2010,
    QD_MEAN_ABSOLUTE_ERROR                  = 2011,
    QD_MEAN_ABSOLUTE_PERCENTAGE_ERROR       = 2012,
    QD_STANDARD_DEVIATION_ERROR             = 2013,
    QD_DURBIN_WATSON                        = 2014,
    QD_THEIL                                = 2015,
    QD_MEDIAN                               = 2016,
    QD_MODE                                 = 2017,
    QD_RANGE                                = 2018,
    QD_MEAN                                 = 2019,
    QD_BOX_PIERCE                           = 2020,
    QD_COEFFICIENT_OF_VARIATION             = 2021,
    QD_NORMALITY_ERROR                      = 2022,
    QD_ROOT_MEAN_SQUARE_ERROR               = 2023,
    QD_SUM_SQUARED_ERROR                    = 2024,
    QD_SUM_SQUARED_REGRESSION               = 2025,
    QD_F_TEST                               = 2026,
    QD_KURTOSIS                             = 2027,
    QD_ALPHA                                = 2028,
    QD_BETA                                 = 2029,
    QD_GAMMA                                = 2030,
    QD_DELTA                                = 2031,
    QD_LEVEL_FINAL_VALUE                    = 2032,
    QD_TREND_FINAL_VALUE                    = 2033,
    QD_LAMDA                                = 2034,
    QD_BOX_COX                              = 2035,
    QD_BOX_JENKINS_NONSEASONAL_P_INITIAL    = 2036,
    QD_BOX_JENKINS_NONSEASONAL_D            = 2037,
    QD_BOX_JENKINS_NONSEASONAL_Q_INITIAL    = 2038,
    QD_BOX_JENKINS_SEASONAL_P_INITIAL       = 2039,
    QD_BOX_JENKINS_SEASONAL_D               = 2040,
    QD_BOX_JENKINS_SEASONAL_Q_INITIAL       = 2041,
    QD_BOX_JENKINS_SEASONAL_LENGTH          = 2042,
    QD_BOX_JENKINS_NONSEASONAL_P_DECAY      = 2043,
    QD_BOX_JENKINS_NONSEASONAL_Q_DECAY      = 2044,
    QD_BOX_JENKINS_SEASONAL_P_DECAY         = 2045,
    QD_BOX_JENKINS_SEASONAL_Q_DECAY         = 2046,
    QD_BOX_JENKINS_NUM_LAG_VALUES           = 2047,
    QD_BOX_JENKINS_ACF_BOUNDARY             = 2048,
    QD_BOX_JENKINS_NONSEASONAL_P            = 2049,
    QD_BOX_JENKINS_NONSEASONAL_Q            = 2050,
    QD_BOX_JENKINS_SEASONAL_P               = 2051,
    QD_BOX_JENKINS_SEASONAL_Q               = 2052,
    QD_BOX_JENKINS_CONSTANT_PARAM           = 2053,
    QD_LJUNG_BOX                            = 2054,
    QD_AIC                                  = 2055,
    QD_BIC                                  = 2056,
    QD_R_SQUARE                             = 2057,
    QD_ADJUSTED_R_SQUARE                    = 2058,
    QD_TRACKING_SIGNAL                      = 2059,
    QD_LINEAR_REGRESSION_INTERCEPT          = 2060,
    QD_LINEAR_REGRESSION_SLOPE              = 2061,
    QD_REGRESSION_STANDARD_ERROR            = 2062,
    QD_REGRESSION_ELASTICITY                = 2063,
    QD_REGRESSION_LAG_VALUE                 = 2064,
    QD_AVERAGE_IRREGULAR                    = 2065,
    QD_SAFETY_STOCK                         = 2066,
    QD_MAX                                  = 2067,
    QD_HISTOGRAM_NUM_BINS                   = 2068,
    QD_HISTOGRAM_BASE_VALUE                 = 2069,
    QD_HISTOGRAM_STEP_LENGTH                = 2070,
    QD_HISTOGRAM_NUM_SMALLER                = 2071,
    QD_HISTOGRAM_NUM_LARGER                 = 2072,
    QD_SERVICE_LEVEL                        = 2073,
    QD_COCHRANE_ORCUTT                      = 2074,
    QD_CHI_SQUARE                           = 2075,
    QD_BASS_MODEL_P                         = 2076,
    QD_BASS_MODEL_R                         = 2077,
    QD_BASS_MODEL_QBAR                      = 2078,
    QD_PERIOD_LENGTH                        = 2079,
    QD_FORECAST_RANK                        = 2080,
    QD_STANDARDIZED_MAE                     = 2081,
    QD_SMD_SAFETY_STOCK                     = 2082,
    QD_SMD_HIST_SERVICE_LEVEL               = 2083,

    // Series level, multiple values (4000-4015): a series' SeriesQC, one vector
    // of values per type.
    QD_PARTIAL_AUTO_CORRELATION_COEFFICIENT = 4000,
    QD_AUTO_CORRELATION                     = 4001,
    QD_SEASONAL_INDEX                       = 4002,
    QD_EVENT_INDEX_SERIES                   = 4003,
    QD_DECOMPOSITION_INDEX                  = 4004,
    QD_BOX_JENKINS_AR_PARAM                 = 4005,
    QD_BOX_JENKINS_MA_PARAM                 = 4006,
    QD_BOX_JENKINS_AR_SEASONAL_PARAM        = 4007,
    QD_BOX_JENKINS_MA_SEASONAL_PARAM        = 4008,
    QD_FOURIER_ALPHA                        = 4009,
    QD_FOURIER_BETA                         = 4010,
    QD_SELVANE_METHOD_RANK                  = 4011,
    QD_T_TEST                               = 4012,
    QD_HISTOGRAM                            = 4013,
    QD_P_VALUE                              = 4014,
    QD_INITIAL_SEASONAL_INDEX               = 4015,

    // Matrix level (6000-6002): the matrix's MatrixQC, one table per type.
    QD_COEFFICIENT_DETERMINATION            = 6000,
    QD_CORRELATION_COEFFICIENT              = 6001,
    QD_COVARIANCE                           = 6002,
};

// Sentinels of range and parameter arguments.
enum XInputType : std::int32_t {
    QD_ALL     = -1,  // as a count: all observations
    QD_LAST    = -2,  // as an index: the last observation
    QD_COMPUTE = -3   // as a parameter (also -3.0 for a double): let the
                      // method fit or choose the value
};

// The description of a quantity type (or forecast method code), exactly as
// clients see it. Any value outside the catalogue, negative values and the
// gaps between the ranges included, reads "No default description specified".
// Never fails.
FdCString quantityDescription(std::int32_t type);

} // namespace qd

#endif
