// The error catalogue: the English text of every error code of the engine.
// Codes without a row of their own read "No description specified.".
// Several codes share a text (1007/2001, 1009/2000, 3157/3158, 3160/3161,
// 3162/3163). Texts are kept byte for byte as clients see them, odd spacing
// included (3005 ends with a blank, 3022 and 3041 hold two blanks, 3117 holds
// a tab).
#include "Matrix/ErrorCatalogue.h"

#include <algorithm>
#include <iterator>

namespace qd {

namespace {

struct ErrorText {
    std::int32_t code;
    const char* text;
};

// Sorted by code.
const ErrorText kErrorTexts[] = {
    // system
    {1, "New failed"},
    {3, "Out of memory"},
    {4, "Quendar Registry Failed."},
    {999, "Error/Check memory"},
    // automation layer
    {1000, "Invalid Pointer"},
    {1001, "Invalid Forecast Pointer"},
    {1002, "BSTR Error"},
    {1003, "Invalid series pointer"},
    {1004, "Invalid Observation pointer"},
    {1005, "Invalid Quantity pointer"},
    {1006, "Invalid Quantity Collection pointer"},
    {1007, "Invalid iterator"},
    {1008, "Invalid matrix pointer"},
    {1009, "Invalid matrix"},
    {1010, "Invalid matrix op pointer"},
    {1011, "Invalid Index"},
    {1012, "CCom Variant Creation Error"},
    {1013, "EnumVar Creation Error"},
    // object
    {2000, "Invalid matrix"},
    {2001, "Invalid iterator"},
    {2002, "Invalid quantity"},
    // range and argument
    {3000, "Negative index"},
    {3001, "Illegal numHistoricalValues. This can be caused by big seasonal length."},
    {3002, "Illegal numLagValues"},
    {3003, "Cannot ask for Log value of negative numbers"},
    {3004, "Divided by zero"},
    {3005, "No enough number of historical data. Make sure that there are enough historical data in the range from the first period to the period spcified by the index parameter. "},
    {3006, "Out of bounds"},
    {3007, "Illegal alpha value"},
    {3008, "Illegal beta value"},
    {3009, "Forecast value not found."},
    {3011, "Illegal matrix size."},
    {3012, "Illegal numPeriodValues."},
    {3013, "Illegal gamma value."},
    {3014, "Illegal numInterveningValues."},
    {3015, "Multiple independent series"},
    {3016, "Missing independent series"},
    {3017, "Multiple dependent series"},
    {3018, "Missing dependent series"},
    {3019, "Cannot locate initial minimum"},
    {3020, "Algorithm exceeded maximum number of tries"},
    {3021, "numForecastPeriods must not be greater than seasonality length"},
    {3022, "Data is non-stationary even after differencing. Suggestion:  specify S or take log of data."},
    {3023, "No model has good of fit to data, large MQ."},
    // matrix algebra
    {3024, "Fast matrix computation: Linearly related matrix?"},
    {3025, "Determinant is zero"},
    // Selvane
    {3026, "Error Term is not supported by Selvane"},
    // Box-Jenkins
    {3027, "Seasonal parameters must be zeros because S is zero"},
    {3028, "Diag check did not remove all models -- multiple models remain."},
    {3029, "No model is estimated because all parameters are zero."},
    {3030, "Illegal number of forecast periods."},
    {3031, "Constant should be 1 (true) or 0 (false) in Box-Jenkins forecast method."},
    {3032, "Illegal p in Box-Jenkins forecast methods."},
    {3033, "Illegal d in Box-Jenkins forecast methods."},
    {3034, "Illegal q in Box-Jenkins forecast methods."},
    {3035, "Illegal P in Box-Jenkins forecast methods."},
    {3036, "Illegal D in Box-Jenkins forecast methods."},
    {3037, "Illegal Q in Box-Jenkins forecast methods."},
    {3038, "Illegal S in Box-Jenkins forecast methods."},
    {3039, "Data set is too small for this forecast/compute method."},
    {3040, "After difference, data set is too small for this forecast method."},
    {3041, "Too many spikes in PACF while ACF is OK.  Need to specify p and P (and S if non-zero P)."},
    // range and argument
    {3042, "Illegal Index"},
    {3043, "Negative numValuesBack"},
    // Erlang
    {3044, "Invalid item type. Cannot calculate requested value."},
    {3045, "Item already supplied to equation. Cannot calculate requested item."},
    {3046, "Required series does not exist. Cannot continue."},
    {3047, "Value of dependent item is invalid."},
    {3048, "Multiple dependent items."},
    // seasonality and Selvane
    {3049, "Invalid seasonal type. It should be QD_SEASONAL, QD_NON_SEASONAL, QD_OPTIMIZE, or a positive integer."},
    {3050, "Insufficient data to perform Selvane. The minimum is 2 observations for nonseasonal or optimized data, and 6 for seasonal data."},
    {3051, "Invalid seasonal length. It should be a positive integer (or QD_COMPUTE in some case) and not greater than the number of data."},
    // Box-Jenkins
    {3052, "Number of lag values exceed number of historical values. Cannot run Box-Jenkins on this data set."},
    // range and argument
    {3053, "Illegal degrees of freedom. It should be a positive integer."},
    // outliers and thresholds
    {3054, "Forecast method is not supported by removeOutliers"},
    {3055, "Illegal seasonal and/or unknown threshold. They should be between -1 and 1, and unknownThreshold <= seasonalThreshold."},
    {3056, "Cannot remove outliers with seasonal consideration. Suggestion: set \"seasonalLength = 0\" to indicate nonseasonal data."},
    // t-test
    {3057, "T-test not supported for this method or statistic."},
    {3058, "Insufficient data to calculate t-test."},
    // quantity level
    {3059, "This statistic is not supported in observation level."},
    {3060, "This statistic is not supported in series level."},
    {3061, "This statistic is not supported in matrix level."},
    {3062, "This statistic is not supported in Quendar."},
    {3063, "It is not a multiple type series statistic"},
    {3064, "It is not a single type series statistic"},
    // reshape
    {3065, "It is not an empty matrix, reshape can not be executed!"},
    {3066, "It is not an empty series, reshape can not be executed!"},
    // event index
    {3067, "There are not enought event flags at the event series!"},
    {3068, "Find negative event flag. All event flags should be nonnegative number!"},
    {3069, "The event flags should be sequential. For example, you can not have event 3 if you do not have event 1 or 2!"},
    {3070, "There is not any event flag in the event series!"},
    {3071, "Invalid event index smoothing weight, which should be between 0 and 1."},
    {3072, "There is not forecast value for this event model!"},
    {3073, "There is not enought event indeces for this event model. Make sure to call EventIndexCreate!"},
    // Box-Cox
    {3074, "The lamda should be in range of [-1, 1]."},
    {3075, "Find illegal value for Box-Cox transform, which needs positive values"},
    // roll back
    {3077, "Roll Back does not support this error type. Suggestion: mean absolute error."},
    {3078, "Illegal roll back type. It should be nonnegative number and less than the number of observations."},
    // decomposition and X-11
    {3079, "Not seasonal data. Suggest: provide seasonal length explicitly."},
    {3080, "Data is not suitable for multiplicative decompostion. Suggest: try additive decomposition."},
    {3081, "Not decomposition index. Suggest: call CreateDecompositionIndex first."},
    {3082, "Illegal decomposition/seasonal type, It can only be QD_ADDITIVE_DECOMP, QD_MULTIPLICATIVE_DECOMP, QD_OPTIMIZE_DECOMP."},
    {3083, "Decomposition/seasonl type is not supported. It can only be QD_ADDITIVE_DECOMP, or QD_MULTIPLICATIVE_DECOMP."},
    {3084, "Data set is too small or seasonal length is too big. X11 need at least (3*SeasonalLength) data to run."},
    {3085, "X11 does not support this method to forecast trend-cycle component. Suggestion: do not use seasonal method and moving average method."},
    // trading days
    {3086, "Not enough data for trading days adjust."},
    {3087, "Illigal trading days data. It should be positive number."},
    // safety stock
    {3088, "Illegal confidence/service level. It should be in range [0, 1) in Windows, and [0, 0.998] in other OS."},
    {3089, "Illgeal lead time. It should be a positive number."},
    {3090, "Not enough forcasted/fitted values to calculate safety stock. Make sure to call some forecast method before this computation, and there are enough observations after the observation indicated by observationNumber."},
    // decomposition and X-11
    {3091, "There is no actual data for X11. There should be one and only one series with dependence type QD_ACTUAL_X11_DATA."},
    {3092, "There is no trading days. There should be on and only one series with dependence type QD_TRADING_DAYS."},
    // regression
    {3093, "There is no independent series."},
    {3094, "There is no depent series."},
    {3095, "The minimum number of series in stepwise is too big. It should not be greater than the total number of series in the matrix."},
    {3096, "The maximum number of series in stepwise is too small. It should not be less than 2."},
    {3097, "In stepwise, F value should be nonnegative."},
    {3098, "In stepwise, the minimum FIn should not be greater than maxmum FOut."},
    {3099, "There is not enough observations for this regression model."},
    {3100, "There is not enough series for this regression model. There should be at least two series, where one for dependent series."},
    {3101, "Stepwise does not select any independent series. Use smaller MinFIn."},
    {3102, "In polynomial regression, the max degree should be greater than 0."},
    {3103, "In poylynomial regression, the partial F value should be positive."},
    {3104, "In new product curve model, the min value is not less than max value. Use QD_COMPUTE if you are not sure which value should use."},
    {3105, "In new product curve model, there are not enough observation in range of (minValue, maxValue)."},
    {3106, "The minimum number of series in stepwise should not greater than the maximum number of series in stepwise."},
    {3107, "In stepwise, lag value should be nonnegative."},
    {3108, "In stepwise, the minimum lag value should not be greater than maxmum lag value, and there should be enough historical values to perform stepwise after lag."},
    // array arguments
    {3109, "When add observations by array, parameter \"values\" should be array of double, descriptions should be (array of) string(BSTR) or null, and OTypes should be (array of) long or null."},
    {3110, "When add observations by array, parameter \"values\" should be one or two dimentional array. Descriptions and OTypes can be a single element, null, empty array, or same size array as values."},
    {3111, "Invalid origin type."},
    {3112, "When get values to array, parameter \"values\" should be an empty array of double, or an array of double with same sizes as requested values, and lBound should be 0."},
    {3113, "When get descriptions to array, parameter \"descriptions\" should be an empty array of String(BSTR), or an array of String(BSTR) with same sizes as requested descriptions, and lBound should be 0."},
    // parameters
    {3114, "Cannot determine the number of parameters. Maybe no any forecast methods are called, or the latest method is matrix-based method."},
    // new-product curve
    {3115, "When forecast non-steady new product curve, there are no enough observations in independent series."},
    {3116, "In Probit curve model, the independent values should be positive number."},
    {3117, "Illegal curve type in non-steady new product curve. It can only be QD_COMPUTE, \tQD_NP_GOMPERTZ_CURVE, QD_NP_LOGISTIC_CURVE, or QD_NP_PROBIT_CURVE."},
    // histogram
    {3118, "Illegal number of bins when calculate histogram. It should be a positive number."},
    // random series
    {3119, "Illegal number of random numbers to generate. It should be greater than 0"},
    {3120, "Illegal standard deviation. It should be positive."},
    // histogram
    {3121, "Illegal minimum and maximum when calculate histogram. Minimum should not be greater than maximum."},
    // random series
    {3122, "Illegal p (possibility of success on each trial) when generate random numbers. It should be in range (0, 1)."},
    {3123, "Illegal n (number of Bernoulli trials) when generate binomial random numbers. It should be a positive integer."},
    {3124, "Illegal n (number of items in the sample) when generate hypergemetric random numbers. It should be a positive integer."},
    {3125, "Illegal m (number of special items in the population) when generate hypergemetric random numbers. It should be a positive integer."},
    {3126, "Illegal l (number of items in the lot) when generate hypergemetric random numbers. It should be greater than n and m."},
    {3127, "Illegal a (parameter of the logarithmic distribution) when generate logarithmic random numbers. It should be in range (0, 1)."},
    // automation layer
    {3128, "Have not initialized the interface. Use \"set\" statement to initialize it."},
    // random series
    {3129, "Illegal r (parameter of negative binomial) when generate negative binomial random numbers. It should be positve."},
    {3130, "Illegal theta (mean of the Poisson distribution) when generate Poisson random numbers. It should be positve."},
    {3131, "Illegal p (first beta distribution parameter) when generate beta random numbers. It should be positve."},
    {3132, "Illegal Q (second beta distribution parameter) when generate beta random numbers. It should be positve."},
    {3133, "Illegal df (degrees of freedom) when generate chi-squared random numbers. It should be positve."},
    {3134, "Illegal theta1 (mean of the exponential distribution which has the larger mean) when generate mix-exponential random numbers. It should be positve."},
    {3135, "Illegal theta2 (mean of the exponential distribution which has the smaller mean) when generate mix-exponential random numbers. It should be positve and not greater than theta1."},
    {3136, "Illegal p (mixing parameter) when generate mix-exponential random numbers. It should be non-negative and not greater than theta1/(theta1 - theta2)."},
    {3137, "Illegal alpha (shape parameter) when generate gamma random numbers. It should be positve."},
    {3138, "Illegal beta (scale parameter) when generate gamma random numbers. It should be positve."},
    {3139, "Illegal df (degrees of freedom) when generate Student's t random numbers. It should be positve."},
    {3140, "Illegal c (parameter of the von Mises distribution) when generate von Mises random numbers. It should be positve."},
    {3141, "Illegal alpha (shape parameter) when generate Weibull random numbers. It should be positve."},
    {3142, "Illegal beta (scale parameter) when generate Weibull random numbers. It should be positve."},
    {3143, "Illegal minRand, or maxRand when generate (discrete) uniform random numbers. minRand should not be greater than maxRand."},
    {3144, "Illegal minRand, mostLikely, or maxRand when generate triangular random numbers. They should satisfy \"minRand <= mostLikely <= maxRand\"."},
    // histogram
    {3145, "Illegal statistic type when calculate histogram. It should be MVR_ALL for actual values or an observation level statistic for specific statistic."},
    // range and argument
    {3146, "Illegal degree of freedom. It should be not less than 1."},
    {3148, "Illgeal calculation periods. It should be a positive number."},
    // random series
    {3149, "Illegal value type of random function."},
    // Bass model
    {3150, "Illegal qbar in the bass model. It should be a non-zero value."},
    // series cleaning
    {3151, "Illegal trend adjust periods. It should be a non-negative integer."},
    {3152, "Illegal trend adjust goal. It should be a positive value."},
    {3153, "Illegal floor and ceiling values. The floor value should not be greater than the ceiling value."},
    // index arrays
    {3154, "No index is avarible to retrieve."},
    {3155, "The seasonal indexes for all series do not have the same length. They cannot be retrieved by array in matrix level."},
    {3156, "When get index to array, the parameter \"values\" should be array of double. In matrix level, it should be a two dimentional array. In series level, it should be a one dimentional array."},
    {3157, "When add index by array, the parameter \"values\" should be array of double. In matrix level, it should be a one or two dimentional array. When it is a two dimentional array, the number of rows should be the same as the number of series. In series level, it should be one dimentional."},
    {3158, "When add index by array, the parameter \"values\" should be array of double. In matrix level, it should be a one or two dimentional array. When it is a two dimentional array, the number of rows should be the same as the number of series. In series level, it should be one dimentional."},
    // Selvane
    {3159, "There is no data for Selvane with multiple methods."},
    // Holt-Winters
    {3160, "In Holt-Winters with zero demand, the index should be a one dimentional array of double, and the number of indexes should be the same as seasonal length."},
    {3161, "In Holt-Winters with zero demand, the index should be a one dimentional array of double, and the number of indexes should be the same as seasonal length."},
    // Selvane
    {3162, "For Selvane with multiple methods, the method array should be a one dimential array of long or integer type."},
    {3163, "For Selvane with multiple methods, the method array should be a one dimential array of long or integer type."},
    {3164, "Forecast method is not supported in the Selvane multiple methods."},
};

const char* const kNoDescription = "No description specified.";

}  // namespace

FdCString errorDescription(std::int32_t code)
{
    const ErrorText* first = std::begin(kErrorTexts);
    const ErrorText* last = std::end(kErrorTexts);
    const ErrorText* it = std::lower_bound(
        first, last, code,
        [](const ErrorText& entry, std::int32_t c) { return entry.code < c; });
    if (it != last && it->code == code)
        return FdCString(it->text);
    return FdCString(kNoDescription);
}

} // namespace qd
