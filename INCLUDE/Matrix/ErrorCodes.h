// The engine's error codes by name. The texts are in the catalogue
// (Matrix/ErrorCatalogue.h, Libraries/MatrixLib/ErrorCatalogue.cpp); the
// numbers are what clients see in every error report, so they never change.
// A code gets its name here when code first throws it.
#ifndef QD_MATRIX_ERRORCODES_H
#define QD_MATRIX_ERRORCODES_H

#include <cstdint>

namespace qd {

enum class ErrorCode : std::int32_t {
    // system
    NewFailed = 1,
    OutOfMemory = 3,
    RegistryFailed = 4,
    Unexpected = 999,  // "Error/Check memory": a failure the frame did not foresee

    // automation layer
    InvalidPointer = 1000,
    InvalidIndex = 1011,

    // objects of the data model
    InvalidMatrix = 2000,
    InvalidIterator = 2001,
    InvalidQuantity = 2002,

    // arguments and computations
    NegativeIndex = 3000,
    IllegalNumHistoricalValues = 3001,
    IllegalNumLagValues = 3002,
    LogOfNegative = 3003,
    DividedByZero = 3004,
    NotEnoughHistoricalData = 3005,
    OutOfBounds = 3006,
    IllegalAlpha = 3007,
    IllegalBeta = 3008,
    ForecastValueNotFound = 3009,
    IllegalNormalityK = 3010,  // no text of its own: "No description specified."
    IllegalMatrixSize = 3011,
    IllegalNumPeriodValues = 3012,
    IllegalGamma = 3013,
    IllegalNumInterveningValues = 3014,
    MultipleIndependentSeries = 3015,
    MissingIndependentSeries = 3016,
    MultipleDependentSeries = 3017,
    MissingDependentSeries = 3018,
    NoInitialMinimum = 3019,
    TooManyTries = 3020,
    DeterminantZero = 3025,
    ErrorTermNotSupported = 3026,
    IllegalForecastPeriods = 3030,
    DataSetTooSmall = 3039,
    IllegalIndex = 3042,
    NegativeNumValuesBack = 3043,
    IllegalSeasonalType = 3049,
    InsufficientDataForSelvane = 3050,
    InvalidSeasonalLength = 3051,
    MethodNotSupportedForOutliers = 3054,
    IllegalSeasonalThreshold = 3055,
    CannotRemoveSeasonalOutliers = 3056,
    NotObservationLevel = 3059,
    NotSeriesLevel = 3060,
    NotMatrixLevel = 3061,
    NotSupportedInQuendar = 3062,
    NotMultipleValueStatistic = 3063,
    NotSingleValueStatistic = 3064,
    MatrixNotEmpty = 3065,
    SeriesNotEmpty = 3066,
    RollBackErrorType = 3077,
    IllegalRollBack = 3078,
    NotSeasonalData = 3079,
    IllegalDecompositionType = 3082,
    InvalidOriginType = 3111,
    UnknownParameterCount = 3114,
    IllegalRandomValueType = 3149,
    IllegalTrendAdjustPeriods = 3151,
    IllegalTrendAdjustGoal = 3152,
    NoDataForMultipleMethods = 3159,
    MethodNotSupportedInMultipleMethods = 3164,
    // array transfer of the extension objects
    AddByArrayType = 3109,
    AddByArrayShape = 3110,
    ValuesToArray = 3112,
    DescriptionsToArray = 3113,
    NotInitialized = 3128,
    NoIndexToRetrieve = 3154,
    UnequalIndexLengths = 3155,
    IndexToArray = 3156,
    IndexByArrayType = 3157,
    IndexByArrayShape = 3158,
    SeasonalIndexArrayType = 3160,
    SeasonalIndexArrayShape = 3161,
    MethodArrayType = 3162,
    MethodArrayShape = 3163,
};

// The number clients see.
constexpr std::int32_t codeNumber(ErrorCode code)
{
    return static_cast<std::int32_t>(code);
}

} // namespace qd

#endif
