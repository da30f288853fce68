// SeriesXEx1: the extension of one series, reached through
// SeriesX::Extension1: array transfer, series replacement, and the further
// statistics and forecasts of the series.
//
// It is bound like every other child (ElementBinding.h): the anchor of the
// SeriesX's storage plus the series' stable identity, never a COM reference
// on the SeriesX (which holds the extension). When the series is gone, or
// the object was created on its own, computing members and ReplaceSeries
// report 3128 and the other members 3.
#ifndef QD_QDINTERFACE_SERIESXEX1_H
#define QD_QDINTERFACE_SERIESXEX1_H

#include "AutomationFrame.h"
#include "ElementBinding.h"
#include "QDInterfaceMembers.h"

namespace qd {
class Series;
class SeriesOp;
class SeriesCompute;
class SeriesForecast;
class SeriesGenerateRandom;
} // namespace qd

class SeriesXEx1 : public AutomationClass<SeriesXEx1, ISeriesXEx1Members, ISeriesXEx1> {
public:
    static const ClassIdentity identity;

    void attach(const ElementBinding<qd::Series>& binding);

    HRESULT STDMETHODCALLTYPE CalculateFourier(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateHistogram(LONG observationNumber, LONG numHistoricalValues, LONG StatType,
                                                 LONG numBins) override;
    HRESULT STDMETHODCALLTYPE CalculateHistogramByMinMax(LONG observationNumber, LONG numHistoricalValues,
                                                         LONG StatType, LONG numBins, double min,
                                                         double max) override;
    HRESULT STDMETHODCALLTYPE ForecastAverage(LONG observationNumber, LONG numHistoricalValues,
                                              LONG numPeriodsToForecast) override;
    HRESULT STDMETHODCALLTYPE ReplaceSeries(ISeriesX* pSX) override;
    HRESULT STDMETHODCALLTYPE AddObservationByArray(VARIANT values, VARIANT descriptions,
                                                    VARIANT originTypes) override;
    HRESULT STDMETHODCALLTYPE GetObservationValuesToArray(LONG observationNumber, LONG numHistoricalValues,
                                                          short StatType, VARIANT* values) override;
    HRESULT STDMETHODCALLTYPE GetObservationDescriptionsToArray(LONG observationNumber, LONG numHistoricalValues,
                                                                VARIANT* descriptions) override;
    HRESULT STDMETHODCALLTYPE ForecastLinearRegressionEx(LONG observationNumber, LONG numHistoricalValues,
                                                         LONG numPeriodsToForecast, LONG useConstTerm,
                                                         double ConfidenceLevel) override;
    HRESULT STDMETHODCALLTYPE CalculateSafetyStockEx(LONG observationNumber, LONG numHistoricalValues,
                                                     double leadTime, double ServiceLevel, XCalcLevel cl,
                                                     LONG calcPeriods, LONG includeFValues) override;
    HRESULT STDMETHODCALLTYPE CalculateSeviceLevelEx(LONG observationNumber, LONG numHistoricalValues,
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
    HRESULT STDMETHODCALLTYPE InputObsStatByArrary(LONG observationNumber, LONG numHistoricalValues, short StatType,
                                                   VARIANT values) override;
    HRESULT STDMETHODCALLTYPE ForecastLaggedForecast(LONG observationNumber, LONG numPeriodsToForecast,
                                                     LONG laggedPeriod) override;
    HRESULT STDMETHODCALLTYPE ReplaceOutliersByDirection(LONG observationNumber, LONG numHistoricalValues,
                                                         double SDRatio, double adjustRatio, short methodName,
                                                         LONG SeasonalLength, short replaceType) override;
    HRESULT STDMETHODCALLTYPE TrendAdjust(LONG observationNumber, LONG numHistoricalValues,
                                          LONG lTrendIncreasePeriods, double dTrendIncreaseGoal,
                                          LONG lTrendDecreasePeriods, double dTrendDecreaseGoal) override;

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
    // The series for a member that is not a computation: code 3 when
    // unbound or gone.
    qd::Series& series(std::int32_t line);
    // The apply step: 3128 when unbound or gone; marks both value caches
    // stale, then applies the op (unless the series is empty and evenEmpty
    // is false).
    HRESULT apply(qd::SeriesOp& op, bool evenEmpty);
    HRESULT runSeriesCompute(qd::SeriesCompute& compute);
    HRESULT runSeriesForecast(qd::SeriesForecast& compute, bool evenEmpty = false);
    // A generator appends to the series, also to one without observations.
    HRESULT runGenerateRandom(qd::SeriesGenerateRandom& generator);

    ElementBinding<qd::Series> series_;
};

#endif
