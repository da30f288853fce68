// MatrixXEx1: the extension of a whole matrix, reached through
// MatrixX::Extension1: the series extension's members for every series, the
// array transfers at matrix level, the replacement of one series by another
// and the extended regressions.
//
// Bound like SeriesXEx1: the MatrixX's anchor and finder, never a COM
// reference on the MatrixX. Unbound, computing members and ReplaceSeriesAt
// report 3128 and the other members 3.
#ifndef QD_QDINTERFACE_MATRIXXEX1_H
#define QD_QDINTERFACE_MATRIXXEX1_H

#include "AutomationFrame.h"
#include "ElementBinding.h"
#include "QDInterfaceMembers.h"

namespace qd {
class Matrix;
class MatrixOp;
class SeriesCompute;
class SeriesForecast;
class SeriesGenerateRandom;
class MatrixForecast;
class MatrixCompute;
} // namespace qd

class MatrixXEx1 : public AutomationClass<MatrixXEx1, IMatrixXEx1Members, IMatrixXEx1> {
public:
    static const ClassIdentity identity;

    void attach(const ElementBinding<qd::Matrix>& binding);

    HRESULT STDMETHODCALLTYPE CalculateFourier(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateHistogram(LONG observationNumber, LONG numHistoricalValues, LONG StatType,
                                                 LONG numBins) override;
    HRESULT STDMETHODCALLTYPE CalculateHistogramByMinMax(LONG observationNumber, LONG numHistoricalValues,
                                                         LONG StatType, LONG numBins, double min,
                                                         double max) override;
    HRESULT STDMETHODCALLTYPE ForecastAverage(LONG observationNumber, LONG numHistoricalValues,
                                              LONG numPeriodsToForecast) override;
    HRESULT STDMETHODCALLTYPE ReplaceSeriesAt(LONG SeriesIndex, ISeriesX* SX) override;
    HRESULT STDMETHODCALLTYPE AddObservationByArray(LONG seriesNumber, VARIANT values, VARIANT descriptions,
                                                    VARIANT originTypes) override;
    HRESULT STDMETHODCALLTYPE GetObservationValuesToArray(LONG observationNumber, LONG numHistoricalValues,
                                                          short StatType, VARIANT* values) override;
    HRESULT STDMETHODCALLTYPE GetObservationDescriptionsToArray(LONG observationNumber, LONG numHistoricalValues,
                                                                VARIANT* descriptions) override;
    HRESULT STDMETHODCALLTYPE ForecastLinearRegression(LONG observationNumber, LONG numHistoricalValues,
                                                         LONG numPeriodsToForecast, LONG useConstTerm,
                                                         double ConfidenceLevel) override;
    HRESULT STDMETHODCALLTYPE CalculateSafetyStockEx(LONG observationNumber, LONG numHistoricalValues,
                                                     double leadTime, double ServiceLevel, XCalcLevel cl,
                                                     LONG calcPeriods, LONG includeFValues) override;
    HRESULT STDMETHODCALLTYPE CalculateServiceLevelEx(LONG observationNumber, LONG numHistoricalValues,
                                                     double leadTime, double safetyStock, XCalcLevel cl,
                                                     LONG calcPeriods, LONG includeFValues) override;
    HRESULT STDMETHODCALLTYPE CalculateChiSquare(LONG observationNumber, LONG numHistoricalValues,
                                                 LONG numParameters, LONG bCalculatePossibility) override;
    HRESULT STDMETHODCALLTYPE CalculateCochraneOrcutt(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE ForecastBassModel(LONG observationNumber, LONG numHistoricalValues,
                                                LONG numPeriodsToForecast, double p, double r, double qbar) override;
    HRESULT STDMETHODCALLTYPE RangeForecast(LONG bCheckHistory, LONG bChangeForecastPeriodOnly, LONG bUseCeiling,
                                            double dCeiling, LONG bUseFloor, double dFloor) override;
    HRESULT STDMETHODCALLTYPE CalculateRollingMAPE(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateCumulativeMAPE(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE indexDecompositionCreate(LONG observationNumber, LONG numHistoricalValues,
                                                       short DecompositionType) override;
    HRESULT STDMETHODCALLTYPE indexDecompositionApply(LONG observationNumber, LONG numHistoricalValues,
                                                      short DecompositionType) override;
    HRESULT STDMETHODCALLTYPE ForecastExponentialSmoothingZeroDemand(LONG observationNumber, double alpha,
                                                                     LONG numPeriodsToForecast,
                                                                     double finalLevelValue) override;
    HRESULT STDMETHODCALLTYPE ForecastLinearRegressionZeroDemand(LONG observationNumber, LONG numHistoricalValues,
                                                                 LONG numPeriodsToForecast, double slope,
                                                                 double intercept) override;
    HRESULT STDMETHODCALLTYPE AddIndexValuesByArray(VARIANT values) override;
    HRESULT STDMETHODCALLTYPE GetIndexValuesToArray(VARIANT* values) override;
    HRESULT STDMETHODCALLTYPE CalculateStandardizedMAE(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE InputObsStatByArray(LONG observationNumber, LONG numHistoricalValues, short StatType,
                                                   VARIANT values) override;
    HRESULT STDMETHODCALLTYPE ForecastLaggedForecast(LONG observationNumber, LONG numPeriodsToForecast,
                                                     LONG laggedPeriod) override;

    HRESULT STDMETHODCALLTYPE ForecastMultipleRegressionEx(LONG observationNumber, LONG numHistoricalValues,
                                                           LONG useConstTerm, LONG numPeriodsToForecast,
                                                           double ConfidenceLevel, LONG ReplaceOutliers,
                                                           LONG useExistingValues, LONG removeTrailingZeros) override;
    HRESULT STDMETHODCALLTYPE ForecastPolynomialRegressionEx(LONG observationNumber, LONG numHistoricalValues,
                                                             LONG maxDegree, double partialF, double minFIn,
                                                             double maxFOut, LONG useConstTerm,
                                                             LONG numPeriodsToForecast, double ConfidenceLevel,
                                                             LONG ReplaceOutliers, LONG useExistingValues,
                                                             LONG removeTrailingZeros) override;
    HRESULT STDMETHODCALLTYPE ForecastStepwiseEx(LONG observationNumber, LONG numHistoricalValues, short sType,
                                                 LONG minNumSeries, LONG maxNumSeries, double minFIn, double maxFOut,
                                                 LONG minLag, LONG maxLag, LONG needLagDependent, LONG useConstTerm,
                                                 LONG numPeriodsToForecast, double ConfidenceLevel,
                                                 LONG ReplaceOutliers, LONG useExistingValues,
                                                 LONG removeTrailingZeros) override;
    HRESULT STDMETHODCALLTYPE ReplaceOutliersByDirection(LONG observationNumber, LONG numHistoricalValues,
                                                         double SDRatio, double adjustRatio, short methodName,
                                                         LONG SeasonalLength, short replaceType) override;
    HRESULT STDMETHODCALLTYPE TrendAdjust(LONG observationNumber, LONG numHistoricalValues,
                                          LONG lTrendIncreasePeriods, double dTrendIncreaseGoal,
                                          LONG lTrendDecreasePeriods, double dTrendDecreaseGoal) override;
    HRESULT STDMETHODCALLTYPE CalculateForecastRank(LONG observationNumber, LONG numHistoricalPeriods,
                                                    short errorType) override;
    HRESULT STDMETHODCALLTYPE SelvaneMultipleMethod(LONG observationNumber, LONG numPeriodsToForecast,
                                                    short errorType, LONG seasonalType, LONG ReplaceOutliers,
                                                    VARIANT overrideMethodArray) override;

    // new-product curves
    HRESULT STDMETHODCALLTYPE ForecastGompertzCurve(LONG observationNumber, LONG numHistoricalValues,
                                                    LONG numPeriodsToForecast, double minValue, double maxValue,
                                                    short MinMaxType) override;
    HRESULT STDMETHODCALLTYPE ForecastLogisticCurve(LONG observationNumber, LONG numHistoricalValues,
                                                    LONG numPeriodsToForecast, double minValue, double maxValue,
                                                    short MinMaxType) override;
    HRESULT STDMETHODCALLTYPE ForecastProbitCurve(LONG observationNumber, LONG numHistoricalValues,
                                                  LONG numPeriodsToForecast, double minValue, double maxValue,
                                                  short MinMaxType) override;
    HRESULT STDMETHODCALLTYPE ForecastNonSteadyNewProduct(LONG observationNumber, LONG numHistoricalValues,
                                                          LONG numPeriodsToForecast, double minValue, double maxValue,
                                                          short MinMaxType, short curveType) override;

    // random series: every generator appends numRandom values
    HRESULT STDMETHODCALLTYPE GenerateRandomNormal(LONG numRandom, double mean, double standardDeviation) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomBinomial(LONG numRandom, LONG n, double p) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomGeometric(LONG numRandom, double p) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomHyperGeometric(LONG numRandom, LONG n, LONG m, LONG l) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomLogarithmic(LONG numRandom, double a) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomNegativeBinomial(LONG numRandom, double r, double p) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomPoisson(LONG numRandom, double theta) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomBeta(LONG numRandom, double p, double q) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomCauchy(LONG numRandom) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomChiSquared(LONG numRandom, double df) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomExponential(LONG numRandom, double mean) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomExponentialMix(LONG numRandom, double theta1, double theta2,
                                                           double p) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomGamma(LONG numRandom, double alpha, double beta) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomLognormal(LONG numRandom, double mean, double standardDeviation) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomStudentT(LONG numRandom, double df, double mean,
                                                     double standardDeviation) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomVonMises(LONG numRandom, double c) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomWeibull(LONG numRandom, double alpha, double beta) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomUniform(LONG numRandom, double minRand, double maxRand) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomUniformDiscrete(LONG numRandom, LONG minRand, LONG maxRand) override;
    HRESULT STDMETHODCALLTYPE GenerateRandomTriangular(LONG numRandom, double minRand, double mostLikely,
                                                       double maxRand) override;

    // forecasts with given final values, and slow-moving demand
    HRESULT STDMETHODCALLTYPE ForecastHoltWintersZeroDemand(LONG observationNumber, LONG seasonalityLength,
                                                            LONG numPeriodsToForecast, double alpha, double beta,
                                                            double gamma, LONG decompType, double finalLevelValue,
                                                            double finalTrendValue,
                                                            VARIANT seasonalIndexValues) override;
    HRESULT STDMETHODCALLTYPE ForecastSlowMovingDemand(LONG observationNumber, LONG numForecastPeriods,
                                                       XSlowMethodIndexType eicType, LONG eicSeasonalLength,
                                                       LONG eicExclude0, double eicStart, double eicIncr,
                                                       double eicEnd, XSlowMethodNumSimType nsType,
                                                       LONG numSimulation, double nsPerThreshold,
                                                       XSlowMethodEventReplaceType erType, short bcMethod,
                                                       LONG bcmExclude0, XSlowMethodBaseFcstType bfType,
                                                       short bfMethod, XSlowMethodSeviceLevelType slType,
                                                       double leadTime, double ServiceLevel,
                                                       XSlowMethodHistSeviceLevelType hslType) override;

private:
    // The matrix for a member that is not a computation: 3 when unbound.
    qd::Matrix& matrix(std::int32_t line);
    // The apply step: 3128 when unbound; flag 1, every series stale, then
    // the op over the matrix (rectangular: series of one length, else 2000).
    HRESULT apply(qd::MatrixOp& op, bool rectangular);
    HRESULT runSeriesCompute(qd::SeriesCompute& compute);
    HRESULT runSeriesForecast(qd::SeriesForecast& compute, bool rectangular = true);
    HRESULT runMatrixForecastAnyShape(qd::MatrixForecast& compute);
    // A generator over every series, whatever their lengths.
    HRESULT runGenerateRandom(qd::SeriesGenerateRandom& generator);
    // The matrix-level computations on a matrix whose series have one length.
    HRESULT runMatrixCompute(qd::MatrixCompute& compute);
    HRESULT runMatrixForecast(qd::MatrixForecast& compute);

    ElementBinding<qd::Matrix> matrix_;
};

#endif
