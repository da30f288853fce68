// SeriesX: one time series; its observations, values, descriptions, roles
// and stored results, the observations, statistics and extension objects
// handed out for it, and the statistics and forecasts computed over it.
//
// A computing member builds one compute object of the compute library on
// its stack, wraps it in an applier and hands that to the apply step, which
// marks the series' value arrays stale (dropping its cached statistics) and
// applies it when the series holds at least one observation. The compute
// object stores its results in the series; the member returns an HRESULT
// only.
#ifndef QD_QDINTERFACE_SERIESX_H
#define QD_QDINTERFACE_SERIESX_H

#include "AutomationFrame.h"
#include "ElementBinding.h"
#include "QDInterfaceMembers.h"

namespace qd {
class Series;
class SeriesOp;
class SeriesCompute;
class SeriesForecast;
} // namespace qd

class StatisticsX;
class SeriesXEx1;

class SeriesX : public AutomationClass<SeriesX, ISeriesXMembers, ISeriesX> {
public:
    static const ClassIdentity identity;

    SeriesX();
    ~SeriesX() override;

    // Binds the object to a series that lives elsewhere (a series of a
    // matrix); a series the object owned is freed, one it merely referred
    // to is left alone.
    void attach(const ElementBinding<qd::Series>& binding);

    // The binding of the SeriesX object of this server behind a client's
    // interface pointer; false for a null pointer or another implementation.
    static bool bindingBehind(ISeriesX* other, ElementBinding<qd::Series>& binding);
    const ComLayer::InterfaceEntry* interfaceTable() const override;

    HRESULT STDMETHODCALLTYPE AddObservation(double value, BSTR description, short originType) override;
    HRESULT STDMETHODCALLTYPE RemoveAll() override;
    HRESULT STDMETHODCALLTYPE get_Observation(LONG index, IObservationX** result) override;
    HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** result) override;
    HRESULT STDMETHODCALLTYPE get_DependenceType(short* result) override;
    HRESULT STDMETHODCALLTYPE put_DependenceType(short value) override;
    HRESULT STDMETHODCALLTYPE get_Description(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE put_Description(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_NumObservations(LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_Statistics(IStatisticsX** result) override;
    HRESULT STDMETHODCALLTYPE get_Statistic(short type, double* result) override;
    HRESULT STDMETHODCALLTYPE put_Statistic(short type, double value) override;
    HRESULT STDMETHODCALLTYPE get_ValueType(short* result) override;
    HRESULT STDMETHODCALLTYPE put_ValueType(short value) override;
    HRESULT STDMETHODCALLTYPE RemoveAllCalculations() override;
    HRESULT STDMETHODCALLTYPE get_NumStatistics(short statType, LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_Value(LONG observationIndex, double* result) override;
    HRESULT STDMETHODCALLTYPE put_Value(LONG observationIndex, double value) override;
    HRESULT STDMETHODCALLTYPE get_StatValueObs(LONG observationIndex, short statType, double* result) override;
    HRESULT STDMETHODCALLTYPE put_StatValueObs(LONG observationIndex, short statType, double value) override;
    HRESULT STDMETHODCALLTYPE RemoveObservationAt(LONG observationIndex) override;
    HRESULT STDMETHODCALLTYPE get_SeasonalLength(LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_ForecastMethodNumber(short* result) override;
    HRESULT STDMETHODCALLTYPE get_ForecastMethodDescription(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE Reshape(LONG numObservations) override;
    HRESULT STDMETHODCALLTYPE get_StatValueSeries(short statType, LONG statIndex, double* result) override;
    HRESULT STDMETHODCALLTYPE put_StatValueSeries(short statType, LONG statIndex, double value) override;
    HRESULT STDMETHODCALLTYPE get_DecompositionType(short* result) override;
    HRESULT STDMETHODCALLTYPE get_numParameters(LONG forecastMethod, LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_NumObservationsByOriginType(short originType, LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_Extension1(ISeriesXEx1** result) override;

    // ---- statistics of the series, stored among its results ----
    HRESULT STDMETHODCALLTYPE CalculateMean(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateMax(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateMin(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateRange(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateKurtosis(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateStandardDeviation(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateVariance(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateSumSquaredDeviation(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateMeanAbsDeviation(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateRootMeanSquare(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateSkewness(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateCoefficientOfVariation(LONG observationNumber,
                                                              LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateMeanError(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateMeanSquareError(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateMeanAbsoluteError(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateMeanAbsolutePercentageError(LONG observationNumber,
                                                                   LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateStandardDeviationError(LONG observationNumber,
                                                              LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateDurbinWatson(LONG observationNumber, LONG numHistoricalValues,
                                                    LONG offset) override;
    HRESULT STDMETHODCALLTYPE CalculateTheil(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateSumSquaredError(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateRootMeanSquareError(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateAutoCovariance(LONG observationNumber, LONG numHistoricalValues,
                                                      LONG numLagValues) override;
    HRESULT STDMETHODCALLTYPE CalculateAutoCorrelation(LONG observationNumber, LONG numHistoricalValues,
                                                       LONG numLagValues) override;
    HRESULT STDMETHODCALLTYPE CalculatePartialAutoCorrelationCoefficient(LONG observationNumber,
                                                                         LONG numHistoricalValues,
                                                                         LONG numLagValues) override;
    HRESULT STDMETHODCALLTYPE CalculateNormalityError(LONG observationNumber, LONG numHistoricalValues,
                                                      LONG k) override;
    HRESULT STDMETHODCALLTYPE CalculateMeanSquareDeviation(LONG observationNumber, LONG numHistoricalValues) override;

    // ---- per-observation values ----
    HRESULT STDMETHODCALLTYPE CalculateError(LONG observationNumber) override;
    HRESULT STDMETHODCALLTYPE CalculateLog(LONG observationNumber) override;
    HRESULT STDMETHODCALLTYPE CalculateDifference(LONG observationNumber, LONG numValuesBack) override;

    // ---- forecasts ----
    HRESULT STDMETHODCALLTYPE ForecastExponentialSmoothing(LONG observationNumber, double alpha,
                                                           LONG numPeriodsToForecast) override;
    HRESULT STDMETHODCALLTYPE ForecastLinearRegression(LONG observationNumber, LONG numHistoricalValues,
                                                       LONG numPeriodsToForecast) override;

    // ---- the smoothing family, moving averages, mode and median ----
    HRESULT STDMETHODCALLTYPE CalculateMedian(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateMode(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE ForecastAdaptiveExponentialSmoothing(LONG observationNumber, double beta,
                                                                   LONG numPeriodsToForecast) override;
    HRESULT STDMETHODCALLTYPE ForecastDoubleExponentialSmoothingBrown(LONG observationNumber,
                                                                      LONG numPeriodsToForecast,
                                                                      double alpha) override;
    HRESULT STDMETHODCALLTYPE ForecastDoubleExponentialSmoothingHolt(LONG observationNumber,
                                                                     LONG numPeriodsToForecast, double alpha,
                                                                     double gamma) override;
    HRESULT STDMETHODCALLTYPE ForecastTripleExponentialSmoothingBrown(LONG observationNumber,
                                                                      LONG numPeriodsToForecast,
                                                                      double alpha) override;
    HRESULT STDMETHODCALLTYPE ForecastMovingAverage(LONG observationNumber, LONG numHistoricalValues,
                                                    LONG numPeriodsToForecast) override;
    HRESULT STDMETHODCALLTYPE ForecastHoltWinters(LONG observationNumber, LONG seasonalityLength,
                                                  LONG numPeriodsToForecast, double alpha, double beta,
                                                  double gamma, short decompType) override;
    HRESULT STDMETHODCALLTYPE ForecastWeightedMovingAverage(LONG observationNumber, LONG numHistoricalValues,
                                                            LONG numPeriodsToForecast) override;

    // ---- decomposition index, safety stock and confidence interval ----
    HRESULT STDMETHODCALLTYPE DecompositionIndexCreate(LONG observationNumber, LONG numHistoricalValues,
                                                       LONG SeasonalLength, short decompType) override;
    HRESULT STDMETHODCALLTYPE DecompositionIndexApply(LONG observationNumber, LONG numHistoricalValues,
                                                      short decompType) override;
    HRESULT STDMETHODCALLTYPE CalculateConfidenceInterval(LONG observationNumber, LONG numHistoricalValues,
                                                          double ConfidenceLevel) override;
    HRESULT STDMETHODCALLTYPE CalculateSafetyStock(LONG observationNumber, LONG numHistoricalValues, LONG leadTime,
                                                   double ServiceLevel) override;

    // ---- Box-Jenkins, its t-test, Ljung-Box and the fit criteria ----
    HRESULT STDMETHODCALLTYPE ForecastBoxJenkins(LONG observationNumber, LONG numHistoricalValues,
                                                 LONG numPeriodsToForecast, LONG constants, LONG p, LONG d, LONG q,
                                                 LONG Seasonal_P, LONG Seasonal_D, LONG Seasonal_Q, LONG S,
                                                 LONG ForceThrough, LONG Transform) override;
    HRESULT STDMETHODCALLTYPE CalculateTtest(short ForecastMethodName, short ParameterName) override;
    HRESULT STDMETHODCALLTYPE CalculateLjungBox(LONG observationNumber, LONG numHistoricalValues,
                                                LONG numLagValues) override;
    HRESULT STDMETHODCALLTYPE CalculateSumSquaredRegression(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateAIC(LONG observationNumber, LONG numHistoricalValues,
                                           LONG numParameters) override;
    HRESULT STDMETHODCALLTYPE CalculateBIC(LONG observationNumber, LONG numHistoricalValues,
                                           LONG numParameters) override;
    HRESULT STDMETHODCALLTYPE CalculateTrackingSignal(LONG observationNumber, LONG numHistoricalValues, short TSType,
                                                      double TSSmoothingWeight) override;
    HRESULT STDMETHODCALLTYPE CalculateBoxCox(LONG observationNumber, LONG numHistoricalValues, double lamda) override;
    HRESULT STDMETHODCALLTYPE CalculateRSquare(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateAdjustedRSquare(LONG observationNumber, LONG numHistoricalValues,
                                                       LONG numParameters) override;

    // ---- intermittent demand and new-product curves ----
    HRESULT STDMETHODCALLTYPE ForecastCroston(LONG observationNumber, LONG numPeriodsToForecast,
                                              double alpha) override;
    HRESULT STDMETHODCALLTYPE ForecastNewProduct(LONG observationNumber, LONG numHistoricalValues,
                                                 LONG numPeriodsToForecast, double minValue, double maxValue,
                                                 short MinMaxType) override;

    // ---- cleaning ----
    HRESULT STDMETHODCALLTYPE RemoveMissingValues(LONG observationNumber, LONG numHistoricalValues, double lower,
                                                  double upper) override;
    HRESULT STDMETHODCALLTYPE ReplaceOutliers(LONG observationNumber, LONG numHistoricalValues, double SDRatio,
                                              double adjustRatio, short methodName, LONG SeasonalLength) override;
    HRESULT STDMETHODCALLTYPE ReplaceMissingValues(LONG observationNumber, LONG numHistoricalValues, double lower,
                                                   double upper, short methodName) override;

    // ---- automatic method selection ----
    HRESULT STDMETHODCALLTYPE Selvane(LONG observationNumber, LONG numPeriodsToForecast, LONG errorType,
                                      LONG seasonalType, LONG ReplaceOutliers, LONG RollBackType,
                                      short productType) override;

private:
    // The apply step: code 3 when there is no series; marks both value
    // arrays stale, then applies the op unless the series is empty.
    HRESULT apply(qd::SeriesOp& op);
    // Each wraps the compute object in its applier, runs the apply step
    // and deletes the applier.
    HRESULT runSeriesCompute(qd::SeriesCompute& compute);
    HRESULT runSeriesForecast(qd::SeriesForecast& compute);
    HRESULT runIteratedSeriesCompute(qd::SeriesCompute& compute, std::int32_t start);
    // A statistic built from the member's arguments and run by
    // runSeriesCompute.
    template <class Statistic, class... Arguments>
    HRESULT calculate(std::int32_t line, Arguments... arguments);

    // The series; code 3 when unbound or when it is gone.
    qd::Series& series(std::int32_t line);
    // Observation index checks of Value and StatValueObs: 3000, 3006.
    void checkObservationIndex(const qd::Series& s, LONG index, std::int32_t line);

    ElementBinding<qd::Series> series_;
    ComLayer::ComPtr<StatisticsX> statistics_;
    ComLayer::ComPtr<SeriesXEx1> extension_;
    ComLayer::VariantArray items_;
};

#endif
