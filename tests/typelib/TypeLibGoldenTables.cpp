// Golden tables of the QDInterface type library (see TypeLibGolden.h).
// Member order, slots, parameter names, types and defaults are those of the
// automation interfaces; GUIDs and DISPIDs are the values fixed for the
// product and must never change.
#include "TypeLibGolden.h"

namespace golden {

const char* const kLibId = "{D7DEC2A6-6DAC-4B1A-B277-BE45326EF4F5}";
const char* const kLibName = "QDINTERFACELib";
const char* const kLibHelpString = "Quendar";

// The usual range of a series computation: the last observation and all
// historical values.
#define RANGE "long observationNumber=-2, long numHistoricalValues=-1"

static const Interface kStatisticX = {
    "IStatisticX", "{D9998AE6-90BE-42D5-8218-E6F578B35D4A}", "IStatisticX Interface", {
    {7, 1, "get", "Value(retval double* pVal)"},
    {8, 1, "put", "Value(double <value>)"},
    {9, 2, "get", "Type(retval short* pVal)"},
    {10, 2, "put", "Type(short <value>)"},
    {11, 3, "get", "Description(retval BSTR* pVal)"},
}};

static const Interface kStatisticsX = {
    "IStatisticsX", "{62A81A91-5EF6-42B3-879F-A6544259F805}", "IStatisticsX Interface", {
    {7, -4, "get", "restricted _NewEnum(retval IUnknown** pVal)"},
}};

static const Interface kObservationX = {
    "IObservationX", "{843030FF-6E61-4A73-BCF2-75EE44BB0CAE}", "IObservationX Interface", {
    {7, 1, "get", "Statistics(retval IStatisticsX** pVal)"},
    {8, 2, "get", "Statistic(short Type, retval double* pVal)"},
    {9, 2, "put", "Statistic(short Type, double <value>)"},
    {10, 3, "get", "Origin(retval short* pVal)"},
    {11, 4, "get", "Value(retval double* pVal)"},
    {12, 4, "put", "Value(double <value>)"},
    {13, 5, "get", "Description(retval BSTR* pVal)"},
    {14, 5, "put", "Description(BSTR <value>)"},
    {15, 6, "get", "NumStatistics(short StatType=-1, retval long* pVal)"},
    {16, 7, "m", "CalculateError()"},
    {17, 8, "m", "CalculateLog()"},
    {18, 9, "get", "StatValueObs(short StatType, retval double* pVal)"},
    {19, 9, "put", "StatValueObs(short StatType, double <value>)"},
}};

static const Interface kSeriesX = {
    "ISeriesX", "{F47E0042-9A68-4582-A354-F8ADE90882D0}", "ISeriesX Interface", {
    {7, 1, "m", "AddObservation(double Value, BSTR Description=\"\", short originType=1)"},
    {8, 2, "m", "RemoveAll()"},
    {9, 3, "get", "Observation(long index, retval IObservationX** pVal)"},
    {10, -4, "get", "restricted _NewEnum(retval IUnknown** pVal)"},
    {11, 4, "get", "DependenceType(retval short* pVal)"},
    {12, 4, "put", "DependenceType(short <value>)"},
    {13, 5, "get", "Description(retval BSTR* pVal)"},
    {14, 5, "put", "Description(BSTR <value>)"},
    {15, 6, "get", "NumObservations(retval long* pVal)"},
    {16, 7, "get", "Statistics(retval IStatisticsX** pVal)"},
    {17, 8, "get", "Statistic(short Type, retval double* pVal)"},
    {18, 8, "put", "Statistic(short Type, double <value>)"},
    {19, 9, "get", "ValueType(retval short* pVal)"},
    {20, 9, "put", "ValueType(short <value>)"},
    {21, 10, "m", "RemoveAllCalculations()"},
    {22, 11, "get", "NumStatistics(short StatType=-1, retval long* pVal)"},
    {23, 12, "m", "CalculateMean(" RANGE ")"},
    {24, 13, "m", "CalculateError(long observationNumber=-2)"},
    {25, 14, "m", "CalculateMax(" RANGE ")"},
    {26, 15, "m", "CalculateMin(" RANGE ")"},
    {27, 16, "m", "CalculateRange(" RANGE ")"},
    {28, 17, "m", "CalculateMedian(" RANGE ")"},
    {29, 18, "m", "CalculateMode(" RANGE ")"},
    {30, 19, "m", "CalculateKurtosis(" RANGE ")"},
    {31, 20, "m", "CalculateStandardDeviation(" RANGE ")"},
    {32, 21, "m", "CalculateVariance(" RANGE ")"},
    {33, 22, "m", "CalculateSumSquaredDeviation(" RANGE ")"},
    {34, 23, "m", "CalculateMeanAbsDeviation(" RANGE ")"},
    {35, 24, "m", "CalculateRootMeanSquare(" RANGE ")"},
    {36, 25, "m", "CalculateSkewness(" RANGE ")"},
    {37, 26, "m", "CalculateCoefficientOfVariation(" RANGE ")"},
    {38, 27, "m", "CalculateMeanError(" RANGE ")"},
    {39, 28, "m", "CalculateMeanSquareError(" RANGE ")"},
    {40, 29, "m", "CalculateMeanAbsoluteError(" RANGE ")"},
    {41, 30, "m", "CalculateMeanAbsolutePercentageError(" RANGE ")"},
    {42, 31, "m", "CalculateStandardDeviationError(" RANGE ")"},
    {43, 32, "m", "CalculateDurbinWatson(" RANGE ", long offset=1)"},
    {44, 33, "m", "CalculateTheil(" RANGE ")"},
    {45, 34, "m", "CalculateSumSquaredError(" RANGE ")"},
    {46, 35, "m", "CalculateRootMeanSquareError(" RANGE ")"},
    {47, 36, "m", "CalculateAutoCovariance(" RANGE ", long numLagValues=1)"},
    {48, 37, "m", "CalculateAutoCorrelation(" RANGE ", long numLagValues=1)"},
    {49, 38, "m", "CalculatePartialAutoCorrelationCoefficient(" RANGE ", long numLagValues=1)"},
    {50, 39, "m", "CalculateNormalityError(" RANGE ", long k)"},
    {51, 40, "m", "CalculateDifference(long observationNumber=-2, long numValuesBack=1)"},
    {52, 41, "m", "ForecastExponentialSmoothing(long observationNumber=0, double alpha=-3.0, long numPeriodsToForecast=1)"},
    {53, 42, "m", "ForecastAdaptiveExponentialSmoothing(long observationNumber=0, double beta=-3.0, long numPeriodsToForecast=1)"},
    {54, 43, "m", "ForecastDoubleExponentialSmoothingBrown(long observationNumber=0, long numPeriodsToForecast=1, double alpha=-3.0)"},
    {55, 44, "m", "ForecastDoubleExponentialSmoothingHolt(long observationNumber=0, long numPeriodsToForecast=1, double alpha=-3.0, double gamma=-3.0)"},
    {56, 45, "m", "ForecastTripleExponentialSmoothingBrown(long observationNumber=0, long numPeriodsToForecast=1, double alpha=-3.0)"},
    {57, 46, "m", "CalculateLog(long observationNumber=-2)"},
    {58, 47, "m", "ForecastLinearRegression(" RANGE ", long numPeriodsToForecast=1)"},
    {59, 48, "m", "ForecastMovingAverage(" RANGE ", long numPeriodsToForecast=1)"},
    {60, 49, "m", "Selvane(long observationNumber=0, long numPeriodsToForecast=1, long errorType=2024, long seasonalType=-3, long ReplaceOutliers=1, long RollBackType=0, short productType=-3)"},
    {61, 50, "m", "ForecastHoltWinters(long observationNumber=0, long seasonalityLength=12, long numPeriodsToForecast=1, double alpha=-3.0, double beta=-3.0, double gamma=-3.0, short decompType=2)"},
    {62, 51, "m", "ForecastWeightedMovingAverage(" RANGE ", long numPeriodsToForecast=1)"},
    {63, 52, "m", "ForecastBoxJenkins(" RANGE ", long numPeriodsToForecast=1, long constants=-3, long p=-3, long d=-3, long q=-3, long Seasonal_P=-3, long Seasonal_D=-3, long Seasonal_Q=-3, long S=0, long ForceThrough=0, long Transform=2)"},
    {64, 53, "m", "CalculateMeanSquareDeviation(" RANGE ")"},
    {65, 54, "get", "Value(long ObservationIndex, retval double* pVal)"},
    {66, 54, "put", "Value(long ObservationIndex, double <value>)"},
    {67, 55, "get", "StatValueObs(long ObservationIndex, short StatType, retval double* pVal)"},
    {68, 55, "put", "StatValueObs(long ObservationIndex, short StatType, double <value>)"},
    {69, 56, "m", "CalculateAIC(" RANGE ", long numParameters=-3)"},
    {70, 57, "m", "CalculateBIC(" RANGE ", long numParameters=-3)"},
    {71, 58, "m", "RemoveObservationAt(long ObservationIndex)"},
    {72, 59, "get", "SeasonalLength(retval long* pVal)"},
    {73, 60, "get", "ForecastMethodNumber(retval short* pVal)"},
    {74, 61, "get", "ForecastMethodDescription(retval BSTR* pVal)"},
    {75, 62, "m", "ReplaceOutliers(" RANGE ", double SDRatio=2.0, double adjustRatio=1.0, short methodName=5, long SeasonalLength=-3)"},
    {76, 63, "m", "ReplaceMissingValues(" RANGE ", double lower=-1.0, double upper=0.0, short methodName=5)"},
    {77, 64, "m", "CalculateTtest(short ForecastMethodName=18, short ParameterName=4005)"},
    {78, 65, "m", "Reshape(long NumObservations)"},
    {79, 66, "get", "StatValueSeries(short StatType, long StatIndex=0, retval double* pVal)"},
    {80, 66, "put", "StatValueSeries(short StatType, long StatIndex=0, double <value>)"},
    {81, 67, "m", "RemoveMissingValues(" RANGE ", double lower=-1.0, double upper=0.0)"},
    {82, 68, "m", "CalculateTrackingSignal(" RANGE ", short TSType=2, double TSSmoothingWeight=0.125)"},
    {83, 69, "m", "CalculateBoxCox(" RANGE ", double lamda=0.0)"},
    {84, 70, "m", "CalculateRSquare(" RANGE ")"},
    {85, 71, "m", "CalculateAdjustedRSquare(" RANGE ", long numParameters=-3)"},
    {86, 72, "m", "DecompositionIndexCreate(" RANGE ", long SeasonalLength=12, short decompType=2)"},
    {87, 73, "m", "DecompositionIndexApply(" RANGE ", short decompType=2)"},
    {88, 74, "get", "DecompositionType(retval short* pVal)"},
    {89, 75, "m", "CalculateConfidenceInterval(long observationNumber, long numHistoricalValues, double ConfidenceLevel)"},
    {90, 76, "m", "ForecastCroston(long observationNumber=0, long numPeriodsToForecast=1, double alpha=-3.0)"},
    {91, 77, "m", "CalculateSafetyStock(long observationNumber, long numHistoricalValues, long leadTime, double ServiceLevel)"},
    {92, 78, "m", "CalculateLjungBox(" RANGE ", long numLagValues=1)"},
    {93, 79, "m", "CalculateSumSquaredRegression(" RANGE ")"},
    {94, 80, "get", "numParameters(long ForecastMethod=-3, retval long* pVal)"},
    {95, 81, "m", "ForecastNewProduct(" RANGE ", long numPeriodsToForecast=1, double minValue=-3.0, double maxValue=-3.0, short MinMaxType=2)"},
    {96, 82, "get", "NumObservationsByOriginType(short originType=-1, retval long* pVal)"},
    {97, 83, "get", "Extension1(retval ISeriesXEx1** pVal)"},
}};

// Members that the series and matrix extensions share, by their slot in the
// series extension; the matrix extension places some of them elsewhere.
#define CURVE(name) name "(" RANGE ", long numPeriodsToForecast=1, double minValue=-3.0, double maxValue=-3.0, short MinMaxType=2)"
#define SAFETY_STOCK_EX(name, second) name "(" RANGE ", double leadTime=2.0, " second ", XCalcLevel cl=2, long calcPeriods=1, long includeFValues=1)"
#define SLOW_MOVING_DEMAND "ForecastSlowMovingDemand(long observationNumber=0, long numForecastPeriods=1, " \
    "XSlowMethodIndexType eicType=1, long eicSeasonalLength=-1, long eicExclude0=1, double eicStart=1.0, " \
    "double eicIncr=0.25, double eicEnd=3.0, XSlowMethodNumSimType nsType=1, long numSimulation=100, " \
    "double nsPerThreshold=5.0, XSlowMethodEventReplaceType erType=1, short bcMethod=2019, long bcmExclude0=1, " \
    "XSlowMethodBaseFcstType bfType=1, short bfMethod=2019, XSlowMethodSeviceLevelType slType=1, " \
    "double leadTime=2.0, double ServiceLevel=0.875, XSlowMethodHistSeviceLevelType hslType=1)"
#define HOLT_WINTERS_ZERO "ForecastHoltWintersZeroDemand(long observationNumber=-2, long seasonalityLength=12, " \
    "long numPeriodsToForecast=1, double alpha=0.0, double beta=0.0, double gamma=0.0, long decompType=2, " \
    "double finalLevelValue=0.0, double finalTrendValue=0.0, VARIANT seasonalIndexValues)"

// The twenty random generators, in order, from the given slot and DISPID.
static void addRandomGenerators(std::vector<Member>& m, int slot, int dispid) {
    static const char* const sigs[20] = {
        "GenerateRandomNormal(long numRandom=1, double mean=0.0, double standardDeviation=1.0)",
        "GenerateRandomBinomial(long numRandom=1, long n=10, double p=0.5)",
        "GenerateRandomGeometric(long numRandom=1, double p=0.5)",
        "GenerateRandomHyperGeometric(long numRandom=1, long n=10, long m=10, long l=20)",
        "GenerateRandomLogarithmic(long numRandom=1, double a=0.5)",
        "GenerateRandomNegativeBinomial(long numRandom=1, double r=10.0, double p=0.5)",
        "GenerateRandomPoisson(long numRandom=1, double theta=1.0)",
        "GenerateRandomBeta(long numRandom=1, double p=1.0, double q=1.0)",
        "GenerateRandomCauchy(long numRandom=1)",
        "GenerateRandomChiSquared(long numRandom=1, double df=1.0)",
        "GenerateRandomExponential(long numRandom=1, double mean=1.0)",
        "GenerateRandomExponentialMix(long numRandom=1, double theta1=2.0, double theta2=1.0, double p=0.5)",
        "GenerateRandomGamma(long numRandom=1, double alpha=1.0, double beta=1.0)",
        "GenerateRandomLognormal(long numRandom=1, double mean=0.0, double standardDeviation=1.0)",
        "GenerateRandomStudentT(long numRandom=1, double df=1.0, double mean=0.0, double standardDeviation=1.0)",
        "GenerateRandomVonMises(long numRandom=1, double c=1.0)",
        "GenerateRandomWeibull(long numRandom=1, double alpha=1.0, double beta=1.0)",
        "GenerateRandomUniform(long numRandom=1, double minRand=0.0, double maxRand=1.0)",
        "GenerateRandomUniformDiscrete(long numRandom=1, long minRand=0, long maxRand=1)",
        "GenerateRandomTriangular(long numRandom=1, double minRand=0.0, double mostLikely=0.5, double maxRand=1.0)",
    };
    for (int i = 0; i < 20; ++i) m.push_back({slot + i, dispid + i, "m", sigs[i]});
}

static Interface makeSeriesXEx1() {
    Interface itf = {"ISeriesXEx1", "{073C06D8-48D5-4D13-9715-5D84EDB44362}", "ISeriesXEx1 Interface", {
        {7, 1, "m", "CalculateFourier(" RANGE ")"},
        {8, 2, "m", "CalculateHistogram(" RANGE ", long StatType=-1, long numBins)"},
        {9, 3, "m", "CalculateHistogramByMinMax(" RANGE ", long StatType=-1, long numBins, double min, double max)"},
        {10, 4, "m", CURVE("ForecastGompertzCurve")},
        {11, 5, "m", CURVE("ForecastLogisticCurve")},
        {12, 6, "m", CURVE("ForecastProbitCurve")},
    }};
    addRandomGenerators(itf.members, 13, 7);
    std::vector<Member> rest = {
        {33, 27, "m", "ForecastAverage(" RANGE ", long numPeriodsToForecast=1)"},
        {34, 28, "m", "ReplaceSeries(ISeriesX* pSX)"},
        {35, 29, "m", "AddObservationByArray(VARIANT values, VARIANT descriptions=\"\", VARIANT originTypes=1)"},
        {36, 30, "m", "ReplaceOutliersByDirection(" RANGE ", double SDRatio=2.0, double adjustRatio=1.0, short methodName=5, long SeasonalLength=-3, short replaceType=1)"},
        {37, 31, "m", "GetObservationValuesToArray(" RANGE ", short StatType=-1, inout VARIANT* values)"},
        {38, 32, "m", "GetObservationDescriptionsToArray(" RANGE ", inout VARIANT* descriptions)"},
        {39, 33, "m", "ForecastLinearRegressionEx(" RANGE ", long numPeriodsToForecast=1, long useConstTerm=1, double ConfidenceLevel=0.0)"},
        {40, 34, "m", SAFETY_STOCK_EX("CalculateSafetyStockEx", "double ServiceLevel=0.75")},
        {41, 35, "m", SAFETY_STOCK_EX("CalculateSeviceLevelEx", "double safetyStock=1000.0")},
        {42, 36, "m", "CalculateChiSquare(" RANGE ", long numParameters=-3, long bCalculatePossibility=1)"},
        {43, 37, "m", "CalculateCochraneOrcutt(" RANGE ")"},
        {44, 38, "m", "ForecastBassModel(" RANGE ", long numPeriodsToForecast=1, double p, double r, double qbar)"},
        {45, 39, "m", "TrendAdjust(long observationNumber, long numHistoricalValues, long lTrendIncreasePeriods, double dTrendIncreaseGoal, long lTrendDecreasePeriods, double dTrendDecreaseGoal)"},
        {46, 40, "m", "RangeForecast(long bCheckHistory=1, long bChangeForecastPeriodOnly=1, long bUseCeiling=1, double dCeiling=0.0, long bUseFloor=1, double dFloor=0.0)"},
        {47, 41, "m", "CalculateRollingMAPE(" RANGE ")"},
        {48, 42, "m", "CalculateCumulativeMAPE(" RANGE ")"},
        {49, 43, "m", "indexDecompositionCreate(" RANGE ", short DecompositionType=2)"},
        {50, 44, "m", "indexDecompositionApply(" RANGE ", short DecompositionType=2)"},
        {51, 45, "m", HOLT_WINTERS_ZERO},
        {52, 46, "m", "ForecastExponentialSmoothingZeroDemand(long observationNumber=-2, double alpha=0.0, long numPeriodsToForecast=1, double finalLevelValue=0.0)"},
        {53, 47, "m", "ForecastLinearRegressionZeroDemand(long observationNumber=-2, long numHistoricalValues=0, long numPeriodsToForecast=1, double slope=0.0, double intercept=0.0)"},
        {54, 48, "m", "AddIndexValuesByArray(VARIANT values)"},
        {55, 49, "m", "GetIndexValuesToArray(out VARIANT* values)"},
        {56, 50, "m", "CalculateStandardizedMAE(" RANGE ")"},
        {57, 51, "m", "InputObsStatByArrary(" RANGE ", short StatType=29, VARIANT values)"},
        {58, 52, "m", SLOW_MOVING_DEMAND},
        {59, 53, "m", "ForecastLaggedForecast(long observationNumber=0, long numPeriodsToForecast=1, long laggedPeriod=1)"},
    };
    itf.members.insert(itf.members.end(), rest.begin(), rest.end());
    return itf;
}

static Interface makeMatrixXEx1() {
    Interface itf = {"IMatrixXEx1", "{FD6631D5-E338-463D-B656-3189C4F55893}", "IMatrixXEx1 Interface", {
        {7, 1, "m", "CalculateFourier(" RANGE ")"},
        {8, 2, "m", "CalculateHistogram(" RANGE ", long StatType=-1, long numBins)"},
        {9, 3, "m", "CalculateHistogramByMinMax(" RANGE ", long StatType=-1, long numBins, double min, double max)"},
        {10, 4, "m", CURVE("ForecastGompertzCurve")},
        {11, 5, "m", CURVE("ForecastLogisticCurve")},
        {12, 6, "m", CURVE("ForecastProbitCurve")},
        {13, 7, "m", "ForecastNonSteadyNewProduct(" RANGE ", long numPeriodsToForecast=1, double minValue=-3.0, double maxValue=-3.0, short MinMaxType=2, short curveType=-3)"},
    }};
    addRandomGenerators(itf.members, 14, 8);
    std::vector<Member> rest = {
        {34, 28, "m", "ReplaceSeriesAt(long SeriesIndex, ISeriesX* SX)"},
        {35, 29, "m", "ForecastAverage(" RANGE ", long numPeriodsToForecast=1)"},
        {36, 30, "m", "ReplaceOutliersByDirection(" RANGE ", double SDRatio=2.0, double adjustRatio=1.0, short methodName=5, long SeasonalLength=-3, short replaceType=1)"},
        {37, 31, "m", "GetObservationValuesToArray(" RANGE ", short StatType=-1, inout VARIANT* values)"},
        {38, 32, "m", "GetObservationDescriptionsToArray(" RANGE ", inout VARIANT* descriptions)"},
        {39, 33, "m", "AddObservationByArray(long seriesNumber, VARIANT values, VARIANT descriptions=\"\", VARIANT originTypes=1)"},
        {40, 34, "m", "ForecastMultipleRegressionEx(" RANGE ", long useConstTerm=1, long numPeriodsToForecast=0, double ConfidenceLevel=0.0, long ReplaceOutliers=0, long useExistingValues=0, long removeTrailingZeros=0)"},
        {41, 35, "m", "ForecastPolynomialRegressionEx(" RANGE ", long maxDegree=-3, double partialF=4.0, double minFIn=0.0, double maxFOut=0.0, long useConstTerm=1, long numPeriodsToForecast=0, double ConfidenceLevel=0.0, long ReplaceOutliers=0, long useExistingValues=0, long removeTrailingZeros=0)"},
        {42, 36, "m", "ForecastStepwiseEx(" RANGE ", short sType=2, long minNumSeries=-3, long maxNumSeries=-3, double minFIn=4.0, double maxFOut=3.0, long minLag=0, long maxLag=0, long needLagDependent=0, long useConstTerm=1, long numPeriodsToForecast=0, double ConfidenceLevel=0.0, long ReplaceOutliers=0, long useExistingValues=0, long removeTrailingZeros=0)"},
        {43, 37, "m", "ForecastLinearRegression(" RANGE ", long numPeriodsToForecast=1, long useConstTerm=1, double ConfidenceLevel=0.0)"},
        {44, 38, "m", SAFETY_STOCK_EX("CalculateSafetyStockEx", "double ServiceLevel=0.75")},
        {45, 39, "m", SAFETY_STOCK_EX("CalculateServiceLevelEx", "double safetyStock=1000.0")},
        {46, 40, "m", "CalculateChiSquare(" RANGE ", long numParameters=-3, long bCalculatePossibility=1)"},
        {47, 41, "m", "CalculateCochraneOrcutt(" RANGE ")"},
        {48, 42, "m", "ForecastBassModel(" RANGE ", long numPeriodsToForecast=1, double p, double r, double qbar)"},
        {49, 43, "m", "TrendAdjust(long observationNumber, long numHistoricalValues, long lTrendIncreasePeriods, double dTrendIncreaseGoal, long lTrendDecreasePeriods, double dTrendDecreaseGoal)"},
        {50, 44, "m", "RangeForecast(long bCheckHistory=1, long bChangeForecastPeriodOnly=1, long bUseCeiling=1, double dCeiling=0.0, long bUseFloor=1, double dFloor=0.0)"},
        {51, 45, "m", "CalculateRollingMAPE(" RANGE ")"},
        {52, 46, "m", "CalculateCumulativeMAPE(" RANGE ")"},
        {53, 47, "m", "CalculateForecastRank(long observationNumber=-2, long numHistoricalPeriods=-1, short errorType=2024)"},
        {54, 48, "m", "indexDecompositionCreate(" RANGE ", short DecompositionType=2)"},
        {55, 49, "m", "indexDecompositionApply(" RANGE ", short DecompositionType=2)"},
        {56, 50, "m", "SelvaneMultipleMethod(long observationNumber=0, long numPeriodsToForecast=1, short errorType=2024, long seasonalType=0, long ReplaceOutliers=0, VARIANT overrideMethodArray)"},
        {57, 51, "m", HOLT_WINTERS_ZERO},
        {58, 52, "m", "ForecastExponentialSmoothingZeroDemand(long observationNumber=-2, double alpha=0.0, long numPeriodsToForecast=1, double finalLevelValue=0.0)"},
        {59, 53, "m", "ForecastLinearRegressionZeroDemand(long observationNumber=-2, long numHistoricalValues=0, long numPeriodsToForecast=1, double slope=0.0, double intercept=0.0)"},
        {60, 54, "m", "AddIndexValuesByArray(VARIANT values)"},
        {61, 55, "m", "GetIndexValuesToArray(out VARIANT* values)"},
        {62, 56, "m", "CalculateStandardizedMAE(" RANGE ")"},
        {63, 57, "m", "InputObsStatByArray(long observationNumber, long numHistoricalValues, short StatType, VARIANT values)"},
        {64, 58, "m", "ForecastLaggedForecast(long observationNumber=0, long numPeriodsToForecast=1, long laggedPeriod=1)"},
        {65, 59, "m", SLOW_MOVING_DEMAND},
    };
    itf.members.insert(itf.members.end(), rest.begin(), rest.end());
    return itf;
}

// The matrix interface: data members first, then the computations grouped
// as statistics of each series, per-observation values, forecasts on every
// series, whole-matrix computations and cleaning, then the extension.
static const Interface kMatrixX = {
    "IMatrixX", "{67500E4B-B779-487F-8DF8-F61C63605D43}", "IMatrixX Interface", {
    {7, 1, "m", "AddObservation(long seriesNumber, double Value, BSTR Description=\"\", short originType=1)"},
    {8, 2, "m", "RemoveAll()"},
    {9, 3, "get", "Description(retval BSTR* pVal)"},
    {10, 3, "put", "Description(BSTR <value>)"},
    {11, 4, "get", "Series(long index, retval ISeriesX** pVal)"},
    {12, 5, "get", "NumSeries(retval long* pVal)"},
    {13, 6, "get", "Statistics(retval IStatisticsX** pVal)"},
    {14, 7, "get", "Statistic(short Type, retval double* pVal)"},
    {15, 7, "put", "Statistic(short Type, double <value>)"},
    {16, 8, "m", "RemoveAllCalculations()"},
    {17, -4, "get", "restricted _NewEnum(retval IUnknown** pVal)"},
    {18, 9, "get", "NumStatistics(short StatType=-1, retval long* pVal)"},
    {19, 10, "get", "Value(long SeriesIndex, long ObservationIndex, retval double* pVal)"},
    {20, 10, "put", "Value(long SeriesIndex, long ObservationIndex, double <value>)"},
    {21, 11, "get", "StatValueObs(long SeriesIndex, long ObservationIndex, short StatType, retval double* pVal)"},
    {22, 11, "put", "StatValueObs(long SeriesIndex, long ObservationIndex, short StatType, double <value>)"},
    {23, 12, "m", "RemoveSeriesAt(long SeriesIndex)"},
    {24, 13, "m", "RemoveAllObservationsAt(long ObservationIndex)"},
    {25, 14, "m", "Reshape(long NumSeries)"},
    {26, 15, "get", "StatValueMatrix(short StatType, long row, long col, retval double* pVal)"},
    {27, 15, "put", "StatValueMatrix(short StatType, long row, long col, double <value>)"},
    {28, 16, "get", "StatValueSeries(long SeriesIndex, short StatType, long StatIndex=0, retval double* pVal)"},
    {29, 16, "put", "StatValueSeries(long SeriesIndex, short StatType, long StatIndex=0, double <value>)"},
    {30, 17, "get", "NumStatRows(short Type, retval long* pVal)"},
    {31, 18, "get", "NumStatColumns(short Type, retval long* pVal)"},
    {32, 19, "get", "DecompositionType(retval short* pVal)"},
    {33, 20, "get", "SeasonalLength(retval long* pVal)"},
    {34, 21, "get", "ForecastMethodNumber(retval short* pVal)"},
    {35, 22, "get", "ForecastMethodDescription(retval BSTR* pVal)"},
    {36, 23, "m", "CalculateMean(" RANGE ")"},
    {37, 24, "m", "CalculateNormalityError(" RANGE ", long k)"},
    {38, 25, "m", "CalculatePartialAutoCorrelationCoefficient(" RANGE ", long numLagValues=1)"},
    {39, 26, "m", "CalculateAutoCorrelation(" RANGE ", long numLagValues=1)"},
    {40, 27, "m", "CalculateAutoCovariance(" RANGE ", long numLagValues=1)"},
    {41, 28, "m", "CalculateRootMeanSquareError(" RANGE ")"},
    {42, 29, "m", "CalculateSumSquaredError(" RANGE ")"},
    {43, 30, "m", "CalculateTheil(" RANGE ")"},
    {44, 31, "m", "CalculateDurbinWatson(" RANGE ", long offset=0)"},
    {45, 32, "m", "CalculateStandardDeviationError(" RANGE ")"},
    {46, 33, "m", "CalculateMeanAbsolutePercentageError(" RANGE ")"},
    {47, 34, "m", "CalculateMeanAbsoluteError(" RANGE ")"},
    {48, 35, "m", "CalculateMeanSquareError(" RANGE ")"},
    {49, 36, "m", "CalculateMeanError(" RANGE ")"},
    {50, 37, "m", "CalculateCoefficientOfVariation(" RANGE ")"},
    {51, 38, "m", "CalculateSkewness(" RANGE ")"},
    {52, 39, "m", "CalculateRootMeanSquare(" RANGE ")"},
    {53, 40, "m", "CalculateMeanAbsDeviation(" RANGE ")"},
    {54, 41, "m", "CalculateSumSquaredDeviation(" RANGE ")"},
    {55, 42, "m", "CalculateMeanSquareDeviation(" RANGE ")"},
    {56, 43, "m", "CalculateVariance(" RANGE ")"},
    {57, 44, "m", "CalculateStandardDeviation(" RANGE ")"},
    {58, 45, "m", "CalculateKurtosis(" RANGE ")"},
    {59, 46, "m", "CalculateMode(" RANGE ")"},
    {60, 47, "m", "CalculateMedian(" RANGE ")"},
    {61, 48, "m", "CalculateRange(" RANGE ")"},
    {62, 49, "m", "CalculateMin(" RANGE ")"},
    {63, 50, "m", "CalculateMax(" RANGE ")"},
    // The last observation by default, as on ISeriesX (a default of 0 fails
    // on every series of two or more values).
    {64, 51, "m", "CalculateAIC(" RANGE ", long numParameters=-3)"},
    {65, 52, "m", "CalculateBIC(" RANGE ", long numParameters=-3)"},
    {66, 53, "m", "CalculateTrackingSignal(" RANGE ", short TSType=2, double TSSmoothingWeight=0.125)"},
    {67, 54, "m", "CalculateBoxCox(" RANGE ", double lamda=0.0)"},
    {68, 55, "m", "CalculateRSquare(" RANGE ")"},
    {69, 56, "m", "CalculateAdjustedRSquare(" RANGE ", long numParameters=-3)"},
    {70, 57, "m", "CalculateTtest(short ForecastMethodName=18, short ParameterName=4005)"},
    {71, 58, "m", "CalculateLjungBox(" RANGE ", long numLagValues=1)"},
    {72, 59, "m", "CalculateSumSquaredRegression(" RANGE ")"},
    {73, 60, "m", "DecompositionIndexCreate(" RANGE ", long SeasonalLength=12, short decompType=2)"},
    {74, 61, "m", "DecompositionIndexApply(" RANGE ", short decompType=2)"},
    {75, 62, "m", "CalculateSafetyStock(long observationNumber, long numHistoricalValues, long leadTime, double ServiceLevel)"},
    {76, 63, "m", "CalculateConfidenceInterval(long observationNumber, long numHistoricalValues, double ConfidenceLevel)"},
    {77, 64, "m", "CalculateDifference(long observationNumber=-2, long numValuesBack=1)"},
    {78, 65, "m", "CalculateError(long observationNumber=-2)"},
    {79, 66, "m", "CalculateLog(long observationNumber=-2)"},
    {80, 67, "m", "ForecastTripleExponentialSmoothingBrown(long observationNumber=0, long numPeriodsToForecast=1, double alpha=-3.0)"},
    {81, 68, "m", "ForecastDoubleExponentialSmoothingHolt(long observationNumber=0, long numPeriodsToForecast=1, double alpha=-3.0, double gamma=-3.0)"},
    {82, 69, "m", "ForecastDoubleExponentialSmoothingBrown(long observationNumber=0, long numPeriodsToForecast=1, double alpha=-3.0)"},
    {83, 70, "m", "ForecastAdaptiveExponentialSmoothing(long observationNumber=0, double beta=-3.0, long numPeriodsToForecast=1)"},
    {84, 71, "m", "ForecastExponentialSmoothing(long observationNumber=0, double alpha=-3.0, long numPeriodsToForecast=1)"},
    {85, 72, "m", "ForecastLinearRegression(" RANGE ", long numPeriodsToForecast=1)"},
    {86, 73, "m", "ForecastMovingAverage(" RANGE ", long numPeriodsToForecast=1)"},
    {87, 74, "m", "ForecastWeightedMovingAverage(" RANGE ", long numPeriodsToForecast=1)"},
    {88, 75, "m", "Selvane(long observationNumber=0, long numPeriodsToForecast=1, long errorType=2024, long seasonalType=-3, long ReplaceOutliers=1, long RollBackType=0, short productType=-3)"},
    {89, 76, "m", "ForecastHoltWinters(long observationNumber=0, long seasonalityLength=12, long numPeriodsToForecast=1, double alpha=-3.0, double beta=-3.0, double gamma=-3.0, short decompType=2)"},
    {90, 77, "m", "ForecastBoxJenkins(" RANGE ", long numPeriodsToForecast=1, long constants=-3, long p=-3, long d=-3, long q=-3, long Seasonal_P=-3, long Seasonal_D=-3, long Seasonal_Q=-3, long S=0, long ForceThrough=1, long Transform=2)"},
    {91, 78, "m", "ForecastCroston(long observationNumber=0, long numPeriodsToForecast=1, double alpha=-3.0)"},
    {92, 79, "m", "ForecastNewProduct(" RANGE ", long numPeriodsToForecast=1, double minValue=-3.0, double maxValue=-3.0, short MinMaxType=2)"},
    {93, 80, "m", "CalculateErlangB(long doType, double B)"},
    {94, 81, "m", "CalculateErlangC(long doType)"},
    {95, 82, "m", "CalculateErlangPoisson(long doType, double p)"},
    {96, 83, "m", "CalculateCoefficientDeterminationMatrix(" RANGE ")"},
    {97, 84, "m", "CalculateCorrelationCoefficientMatrix(" RANGE ")"},
    {98, 85, "m", "CalculateCovarianceMatrix(" RANGE ")"},
    {99, 86, "m", "ForecastMultipleRegression(" RANGE ")"},
    {100, 87, "m", "ForecastStepwise(" RANGE ", short sType=2, long minNumSeries=-3, long maxNumSeries=-3, double minFIn=4.0, double maxFOut=3.0, long minLag=0, long maxLag=0, short needLagDependent=0)"},
    {101, 88, "m", "ForecastPolynomialRegression(" RANGE ", long maxDegree=-3, double partialF=4.0, double minFIn=0.0, double maxFOut=0.0)"},
    {102, 89, "m", "ForecastCensusX11(" RANGE ", long numForecastPeriods=1, long SeasonalLength=12, short decompType=2, double SDRatio=2.0, short needTradingDaysAdjust=0, short ForecastMethod=9)"},
    {103, 90, "m", "EventIndexCreate(long observationNumber=0, double EISmoothingWeight=0.5)"},
    {104, 91, "m", "EventIndexApply(long observationNumber=0)"},
    {105, 92, "m", "ReplaceOutliers(" RANGE ", double SDRatio=2.0, double adjustRatio=1.0, short methodName=5, long SeasonalLength=-3)"},
    {106, 93, "m", "ReplaceMissingValues(" RANGE ", double lower=-1.0, double upper=0.0, short methodName=5)"},
    {107, 94, "m", "RemoveMissingValues(" RANGE ", double lower=-1.0, double upper=0.0)"},
    {108, 95, "get", "Extension1(retval IMatrixXEx1** pVal)"},
}};

static const Interface kQuendar = {
    "IQuendar", "{E886C374-C7A3-40FF-A157-3C4306B9B33E}", "IQuendar Interface", {
    {7, 1, "get", "Matrix(retval IMatrixX** pVal)"},
    {8, 2, "m", "AddObservation(long seriesNumber, double Value, BSTR Description=\"\", short originType=1)"},
    {9, 3, "get", "DetailLevel(retval short* pVal)"},
    {10, 3, "put", "DetailLevel(short <value>)"},
    {11, 4, "get", "Value(long SeriesIndex, long ObservationIndex, retval double* pVal)"},
    {12, 4, "put", "Value(long SeriesIndex, long ObservationIndex, double <value>)"},
}};

static const Interface kQuendarASP = {
    "IQuendarASP", "{74B4F14B-3DA7-4DBE-8DDA-790388FB44F3}", "IQuendarASP Interface", {
    {7, 1, "m", "OnStartPage(IUnknown* piUnk)"},
    {8, 2, "m", "OnEndPage()"},
    {9, 3, "get", "Session(retval VARIANT* pVal)"},
    {10, 3, "put", "Session(VARIANT <value>)"},
    {11, 4, "get", "Response(retval VARIANT* pVal)"},
    {12, 4, "put", "Response(VARIANT <value>)"},
}};

const std::vector<Interface>& interfaces() {
    static const std::vector<Interface> all = {
        kStatisticX, kStatisticsX, kObservationX, kSeriesX, makeSeriesXEx1(),
        makeMatrixXEx1(), kMatrixX, kQuendar, kQuendarASP,
    };
    return all;
}

const std::vector<Enum>& enums() {
    static const std::vector<Enum> all = {
        {"XInputType", {{"QD_ALL", -1}, {"QD_LAST", -2}, {"QD_COMPUTE", -3}}},
        {"XQuantityType", {
            {"QD_ERRORTERM", 0}, {"QD_DIFF", 1}, {"QD_LOG", 2}, {"QD_EVENT_INDEX_OBSERVATION", 3},
            {"QD_MOVING_AVERAGE", 4}, {"QD_EXPONENTIAL_SMOOTHING", 5}, {"QD_LINEAR_REGRESSION", 6},
            {"QD_ADAPTIVE_EXPONENTIAL_SMOOTHING", 7}, {"QD_DOUBLE_EXPONENTIAL_SMOOTHING_BROWN", 8},
            {"QD_DOUBLE_EXPONENTIAL_SMOOTHING_HOLT", 9}, {"QD_TRIPLE_EXPONENTIAL_SMOOTHING_BROWN", 10},
            {"QD_MULTIPLE_REGRESSION", 11}, {"QD_STEPWISE", 12}, {"QD_POLYNOMIAL_REGRESSION", 13},
            {"QD_HOLT_WINTERS", 14}, {"QD_WEIGHTED_MOVING_AVERAGE", 15}, {"QD_MEASUREMENT", 16},
            {"QD_CENTERED_MOVING_AVERAGE", 17}, {"QD_BOX_JENKINS", 18}, {"QD_CENSUS_X11", 19},
            {"QD_SEASONAL_FACTOR", 20}, {"QD_TREND_CYCLE", 21}, {"QD_IRREGULAR", 22},
            {"QD_CONFIDENCE_INTERVAL", 23}, {"QD_CROSTON", 24}, {"QD_GOMPERTZ_CURVE", 25},
            {"QD_LOGISTIC_CURVE", 26}, {"QD_PROBIT_CURVE", 27}, {"QD_NEW_PRODUCT_FORECASTING", 28},
            {"QD_FORECAST", 29}, {"QD_AVERAGE", 30}, {"QD_SAFETY_STOCK_RES_OBS", 31}, {"QD_BASS_MODEL", 32},
            {"QD_ROLLING_MAPE", 33}, {"QD_CUMULATIVE_MAPE", 34}, {"QD_SLOW_MOVING_DEMAND", 35},
            {"QD_LAGGED_FORECAST", 36},
            {"QD_MIN", 2000}, {"QD_MEAN_ABS_DEVIATION", 2001}, {"QD_SUM_SQUARED_DEVIATION", 2002},
            {"QD_MEAN_SQUARED_DEVIATION", 2003}, {"QD_VARIANCE", 2004}, {"QD_ROOT_MEAN_SQUARE", 2005},
            {"QD_STANDARD_DEVIATION", 2006}, {"QD_SKEWNESS", 2007}, {"QD_AUTO_COVARIANCE", 2008},
            {"QD_MEAN_ERROR", 2009}, {"QD_MEAN_SQUARE_ERROR", 2010}, {"QD_MEAN_ABSOLUTE_ERROR", 2011},
            {"QD_MEAN_ABSOLUTE_PERCENTAGE_ERROR", 2012}, {"QD_STANDARD_DEVIATION_ERROR", 2013},
            {"QD_DURBIN_WATSON", 2014}, {"QD_THEIL", 2015}, {"QD_MEDIAN", 2016}, {"QD_MODE", 2017},
            {"QD_RANGE", 2018}, {"QD_MEAN", 2019}, {"QD_BOX_PIERCE", 2020}, {"QD_COEFFICIENT_OF_VARIATION", 2021},
            {"QD_NORMALITY_ERROR", 2022}, {"QD_ROOT_MEAN_SQUARE_ERROR", 2023}, {"QD_SUM_SQUARED_ERROR", 2024},
            {"QD_SUM_SQUARED_REGRESSION", 2025}, {"QD_F_TEST", 2026}, {"QD_KURTOSIS", 2027}, {"QD_ALPHA", 2028},
            {"QD_BETA", 2029}, {"QD_GAMMA", 2030}, {"QD_DELTA", 2031}, {"QD_LEVEL_FINAL_VALUE", 2032},
            {"QD_TREND_FINAL_VALUE", 2033}, {"QD_LAMDA", 2034}, {"QD_BOX_COX", 2035},
            {"QD_BOX_JENKINS_NONSEASONAL_P_INITIAL", 2036}, {"QD_BOX_JENKINS_NONSEASONAL_D", 2037},
            {"QD_BOX_JENKINS_NONSEASONAL_Q_INITIAL", 2038}, {"QD_BOX_JENKINS_SEASONAL_P_INITIAL", 2039},
            {"QD_BOX_JENKINS_SEASONAL_D", 2040}, {"QD_BOX_JENKINS_SEASONAL_Q_INITIAL", 2041},
            {"QD_BOX_JENKINS_SEASONAL_LENGTH", 2042}, {"QD_BOX_JENKINS_NONSEASONAL_P_DECAY", 2043},
            {"QD_BOX_JENKINS_NONSEASONAL_Q_DECAY", 2044}, {"QD_BOX_JENKINS_SEASONAL_P_DECAY", 2045},
            {"QD_BOX_JENKINS_SEASONAL_Q_DECAY", 2046}, {"QD_BOX_JENKINS_NUM_LAG_VALUES", 2047},
            {"QD_BOX_JENKINS_ACF_BOUNDARY", 2048}, {"QD_BOX_JENKINS_NONSEASONAL_P", 2049},
            {"QD_BOX_JENKINS_NONSEASONAL_Q", 2050}, {"QD_BOX_JENKINS_SEASONAL_P", 2051},
            {"QD_BOX_JENKINS_SEASONAL_Q", 2052}, {"QD_BOX_JENKINS_CONSTANT_PARAM", 2053}, {"QD_LJUNG_BOX", 2054},
            {"QD_AIC", 2055}, {"QD_BIC", 2056}, {"QD_R_SQUARE", 2057}, {"QD_ADJUSTED_R_SQUARE", 2058},
            {"QD_TRACKING_SIGNAL", 2059}, {"QD_LINEAR_REGRESSION_INTERCEPT", 2060},
            {"QD_LINEAR_REGRESSION_SLOPE", 2061}, {"QD_REGRESSION_STANDARD_ERROR", 2062},
            {"QD_REGRESSION_ELASTICITY", 2063}, {"QD_REGRESSION_LAG_VALUE", 2064}, {"QD_AVERAGE_IRREGULAR", 2065},
            {"QD_SAFETY_STOCK", 2066}, {"QD_MAX", 2067}, {"QD_HISTOGRAM_NUM_BINS", 2068},
            {"QD_HISTOGRAM_BASE_VALUE", 2069}, {"QD_HISTOGRAM_STEP_LENGTH", 2070},
            {"QD_HISTOGRAM_NUM_SMALLER", 2071}, {"QD_HISTOGRAM_NUM_LARGER", 2072}, {"QD_SERVICE_LEVEL", 2073},
            {"QD_COCHRANE_ORCUTT", 2074}, {"QD_CHI_SQUARE", 2075}, {"QD_BASS_MODEL_P", 2076},
            {"QD_BASS_MODEL_R", 2077}, {"QD_BASS_MODEL_QBAR", 2078}, {"QD_PERIOD_LENGTH", 2079},
            {"QD_FORECAST_RANK", 2080}, {"QD_STANDARDIZED_MAE", 2081}, {"QD_SMD_SAFETY_STOCK", 2082},
            {"QD_SMD_HIST_SERVICE_LEVEL", 2083},
            {"QD_PARTIAL_AUTO_CORRELATION_COEFFICIENT", 4000}, {"QD_AUTO_CORRELATION", 4001},
            {"QD_SEASONAL_INDEX", 4002}, {"QD_EVENT_INDEX_SERIES", 4003}, {"QD_DECOMPOSITION_INDEX", 4004},
            {"QD_BOX_JENKINS_AR_PARAM", 4005}, {"QD_BOX_JENKINS_MA_PARAM", 4006},
            {"QD_BOX_JENKINS_AR_SEASONAL_PARAM", 4007}, {"QD_BOX_JENKINS_MA_SEASONAL_PARAM", 4008},
            {"QD_FOURIER_ALPHA", 4009}, {"QD_FOURIER_BETA", 4010}, {"QD_SELVANE_METHOD_RANK", 4011},
            {"QD_T_TEST", 4012}, {"QD_HISTOGRAM", 4013}, {"QD_P_VALUE", 4014}, {"QD_INITIAL_SEASONAL_INDEX", 4015},
            {"QD_COEFFICIENT_DETERMINATION", 6000}, {"QD_CORRELATION_COEFFICIENT", 6001}, {"QD_COVARIANCE", 6002},
        }},
        {"XOriginType", {{"QD_SUPPLIED", 1}, {"QD_COMPUTED", 2}}},
        {"XDependenceType", {
            {"QD_DEPENDENT", 1}, {"QD_INDEPENDENT", 2}, {"QD_ERLANG_A", 3}, {"QD_ERLANG_N", 4},
            {"QD_ERLANG_P0", 5}, {"QD_ERLANG_PT", 6}, {"QD_ERLANG_T1", 7}, {"QD_ERLANG_T2", 8},
            {"QD_EVENT", 9}, {"QD_ACTUAL_X11_DATA", 10}, {"QD_TRADING_DAYS", 11},
            {"QD_REGRESSION_SELECTED", 12}, {"QD_REGRESSION_NOT_SELECTED", 13}}},
        {"XStepwiseType", {{"QD_STEPWISE_REGRESSION", 1}, {"QD_SW_FORWARD_SELECTION", 2}, {"QD_SW_BACKWARD_SELECTION", 3}}},
        {"XCalculate_Erlang_Type", {
            {"QD_CALCULATE_ERLANG_N", 1}, {"QD_CALCULATE_ERLANG_A", 2}, {"QD_CALCULATE_ERLANG_P0", 3},
            {"QD_CALCULATE_ERLANG_PT", 4}, {"QD_CALCULATE_ERLANG_T1", 5}, {"QD_CALCULATE_ERLANG_T2", 6}}},
        {"XSeasonalType", {{"QD_SEASONAL", -1}, {"QD_NON_SEASONAL", -2}, {"QD_OPTIMIZE", -3}, {"QD_OPTIMIZE_ALL", -4}}},
        {"XSelvaneProductType", {{"QD_SELVANE_NEW_PRODUCT", -1}, {"QD_SELVANE_OPTIMIZED_PRODUCT", -2}, {"QD_SELVANE_STANDARD", -3}}},
        {"XTrackingSignalType", {{"QD_TS_SAD_MAD", 1}, {"QD_TS_AVG", 2}}},
        {"XValueType", {{"QD_CONTINUOUS", 1}}},
        {"XDetailType", {{"QD_NONE", 1}}},
        {"XTransformType", {{"QD_NO_TRANSFORM", 1}, {"QD_OPTIMIZE_TRANSFORM", 2}, {"QD_LOG_TRANSFORM", 3}}},
        {"XDecompostionType", {{"QD_ADDITIVE_DECOMP", 1}, {"QD_MULTIPLICATIVE_DECOMP", 2}, {"QD_OPTIMIZE_DECOMP", 3}}},
        {"XSFNewProductCurveType", {{"QD_NP_GOMPERTZ_CURVE", 1}, {"QD_NP_LOGISTIC_CURVE", 2}, {"QD_NP_PROBIT_CURVE", 3}}},
        {"XCurveMaximumType", {{"QD_CURVE_MAXIMUM_FIXED", 1}, {"QD_CURVE_MAXIMUM_OPTIMIZED", 2}}},
        {"XReplaceType", {{"QD_REPLACE_BOTH", 1}, {"QD_REPLACE_UPPER", 2}, {"QD_REPLACE_LOWER", 3}}},
        {"XSlowMethodIndexType", {{"QD_SLOWMETHOD_IDX_SEASONAL", 1}, {"QD_SLOWMETHOD_IDX_STDBUCKET", 2}}},
        {"XSlowMethodNumSimType", {{"QD_SLOWMETHOD_NUMSIM_FIXED", 1}, {"QD_SLOWMETHOD_NUMSIM_PER", 2}}},
        {"XSlowMethodEventReplaceType", {{"QD_SLOWMETHOD_EVENTREPL_YES", 1}, {"QD_SLOWMETHOD_EVENTREPL_NO", 2}}},
        {"XSlowMethodBaseFcstType", {{"QD_SLOWMETHOD_BASEFCST_SAME", 1}, {"QD_SLOWMETHOD_BASEFCST_OTHER", 2}}},
        {"XSlowMethodSeviceLevelType", {{"QD_SLOWMETHOD_SLAS_PERTOTAL", 1}, {"QD_SLOWMETHOD_SLAS_STDSAMPLE", 2}}},
        {"XSlowMethodHistSeviceLevelType", {{"QD_SLOWMETHOD_HIST_SLAS_AMOUNT", 1}, {"QD_SLOWMETHOD_HIST_SLAS_PERIOD", 2}}},
        {"XCalcLevel", {{"QD_OBSERV_LEVEL", 1}, {"QD_SERIES_LEVEL", 2}, {"QD_MATRIX_LEVEL", 3}}},
    };
    return all;
}

const std::vector<CoClass>& coclasses() {
    static const std::vector<CoClass> all = {
        {"StatisticX", "{30CA9BE2-F7E3-4E16-BE46-5BAD817BD482}", "StatisticX Class", "IStatisticX", false},
        {"StatisticsX", "{9F01189B-C600-4912-A306-F677284FC768}", "StatisticsX Class", "IStatisticsX", false},
        {"ObservationX", "{65AA048D-C397-400D-B287-33C0B8FC297A}", "ObservationX Class", "IObservationX", false},
        {"SeriesX", "{8F422687-0868-4015-B8BF-581485B52929}", "SeriesX Class", "ISeriesX", false},
        {"MatrixX", "{E3D18109-75BA-403C-97BD-CCB8B3AD4B47}", "MatrixX Class", "IMatrixX", false},
        {"Quendar", "{2AE20BD4-8613-4B80-AAE3-5840E6FB5EB3}", "Quendar Control", "IQuendar", true},
        {"QuendarASP", "{15CE696B-B195-4966-9544-DC64F9622576}", "QuendarASP Class", "IQuendarASP", false},
        {"SeriesXEx1", "{D19D8C1C-3268-479D-8B93-8565BAE5B9A7}", "SeriesXEx1 Class", "ISeriesXEx1", false},
        {"MatrixXEx1", "{2263EC62-FC6C-4B64-97A1-86B38113739D}", "MatrixXEx1 Class", "IMatrixXEx1", false},
    };
    return all;
}

}  // namespace golden
