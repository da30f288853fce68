// MatrixX: a whole matrix of series; loading observations into numbered
// series, values and stored results, the series, statistics and extension
// objects handed out for it, and the statistics and forecasts computed over
// every series at once.
//
// A computing member builds one compute object, wraps it in a matrix
// applier and hands that to the apply step, which marks every series' value
// arrays stale and applies it to the matrix; the series must all have the
// same number of observations (2000 otherwise), and a matrix without series
// is left unchanged.
#ifndef QD_QDINTERFACE_MATRIXX_H
#define QD_QDINTERFACE_MATRIXX_H

#include "AutomationFrame.h"
#include "ElementBinding.h"
#include "QDInterfaceMembers.h"

namespace qd {
class Matrix;
class MatrixOp;
class Series;
class SeriesCompute;
class SeriesForecast;
class MatrixForecast;
class MatrixCompute;
} // namespace qd

class StatisticsX;
class MatrixXEx1;

class MatrixX : public AutomationClass<MatrixX, IMatrixXMembers, IMatrixX> {
public:
    static const ClassIdentity identity;

    MatrixX();
    ~MatrixX() override;

    // Binds the object to a matrix that lives elsewhere; a matrix the
    // object owned is freed, one it merely referred to is left alone.
    void attach(const ElementBinding<qd::Matrix>& binding);

    HRESULT STDMETHODCALLTYPE AddObservation(LONG seriesNumber, double value, BSTR description,
                                             short originType) override;
    HRESULT STDMETHODCALLTYPE RemoveAll() override;
    HRESULT STDMETHODCALLTYPE get_Description(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE put_Description(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_Series(LONG index, ISeriesX** result) override;
    HRESULT STDMETHODCALLTYPE get_NumSeries(LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_Statistics(IStatisticsX** result) override;
    HRESULT STDMETHODCALLTYPE get_Statistic(short type, double* result) override;
    HRESULT STDMETHODCALLTYPE put_Statistic(short type, double value) override;
    HRESULT STDMETHODCALLTYPE RemoveAllCalculations() override;
    HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** result) override;
    HRESULT STDMETHODCALLTYPE get_NumStatistics(short statType, LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_Value(LONG seriesIndex, LONG observationIndex, double* result) override;
    HRESULT STDMETHODCALLTYPE put_Value(LONG seriesIndex, LONG observationIndex, double value) override;
    HRESULT STDMETHODCALLTYPE get_StatValueObs(LONG seriesIndex, LONG observationIndex, short statType,
                                               double* result) override;
    HRESULT STDMETHODCALLTYPE put_StatValueObs(LONG seriesIndex, LONG observationIndex, short statType,
                                               double value) override;
    HRESULT STDMETHODCALLTYPE RemoveSeriesAt(LONG seriesIndex) override;
    HRESULT STDMETHODCALLTYPE RemoveAllObservationsAt(LONG observationIndex) override;
    HRESULT STDMETHODCALLTYPE Reshape(LONG numSeries) override;
    HRESULT STDMETHODCALLTYPE get_StatValueMatrix(short statType, LONG row, LONG col, double* result) override;
    HRESULT STDMETHODCALLTYPE put_StatValueMatrix(short statType, LONG row, LONG col, double value) override;
    HRESULT STDMETHODCALLTYPE get_StatValueSeries(LONG seriesIndex, short statType, LONG statIndex,
                                                  double* result) override;
    HRESULT STDMETHODCALLTYPE put_StatValueSeries(LONG seriesIndex, short statType, LONG statIndex,
                                                  double value) override;
    HRESULT STDMETHODCALLTYPE get_NumStatRows(short type, LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_NumStatColumns(short type, LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_DecompositionType(short* result) override;
    HRESULT STDMETHODCALLTYPE get_SeasonalLength(LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_ForecastMethodNumber(short* result) override;
    HRESULT STDMETHODCALLTYPE get_ForecastMethodDescription(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_Extension1(IMatrixXEx1** result) override;

    // ---- statistics of every series, stored among each one's results ----
    HRESULT STDMETHODCALLTYPE CalculateMean(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateNormalityError(LONG observationNumber, LONG numHistoricalValues,
                                                      LONG k) override;
    HRESULT STDMETHODCALLTYPE CalculatePartialAutoCorrelationCoefficient(LONG observationNumber,
                                                                         LONG numHistoricalValues,
                                                                         LONG numLagValues) override;
    HRESULT STDMETHODCALLTYPE CalculateAutoCorrelation(LONG observationNumber, LONG numHistoricalValues,
                                                       LONG numLagValues) override;
    HRESULT STDMETHODCALLTYPE CalculateAutoCovariance(LONG observationNumber, LONG numHistoricalValues,
                                                      LONG numLagValues) override;
    HRESULT STDMETHODCALLTYPE CalculateRootMeanSquareError(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateSumSquaredError(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateTheil(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateDurbinWatson(LONG observationNumber, LONG numHistoricalValues,
                                                    LONG offset) override;
    HRESULT STDMETHODCALLTYPE CalculateStandardDeviationError(LONG observationNumber,
                                                              LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateMeanAbsolutePercentageError(LONG observationNumber,
                                                                   LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateMeanAbsoluteError(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateMeanSquareError(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateMeanError(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateCoefficientOfVariation(LONG observationNumber,
                                                              LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateSkewness(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateRootMeanSquare(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateMeanAbsDeviation(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateSumSquaredDeviation(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateMeanSquareDeviation(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateVariance(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateStandardDeviation(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateKurtosis(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateRange(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateMin(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateMax(LONG observationNumber, LONG numHistoricalValues) override;

    // ---- per-observation values of every series ----
    HRESULT STDMETHODCALLTYPE CalculateDifference(LONG observationNumber, LONG numValuesBack) override;
    HRESULT STDMETHODCALLTYPE CalculateError(LONG observationNumber) override;
    HRESULT STDMETHODCALLTYPE CalculateLog(LONG observationNumber) override;

    // ---- forecasts of every series ----
    HRESULT STDMETHODCALLTYPE ForecastExponentialSmoothing(LONG observationNumber, double alpha,
                                                           LONG numPeriodsToForecast) override;
    HRESULT STDMETHODCALLTYPE ForecastLinearRegression(LONG observationNumber, LONG numHistoricalValues,
                                                       LONG numPeriodsToForecast) override;

    // ---- regressions and matrix statistics ----
    HRESULT STDMETHODCALLTYPE CalculateCoefficientDeterminationMatrix(LONG observationNumber,
                                                                      LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateCorrelationCoefficientMatrix(LONG observationNumber,
                                                                    LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE CalculateCovarianceMatrix(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE ForecastMultipleRegression(LONG observationNumber, LONG numHistoricalValues) override;
    HRESULT STDMETHODCALLTYPE ForecastStepwise(LONG observationNumber, LONG numHistoricalValues, SHORT sType,
                                               LONG minNumSeries, LONG maxNumSeries, double minFIn, double maxFOut,
                                               LONG minLag, LONG maxLag, SHORT needLagDependent) override;
    HRESULT STDMETHODCALLTYPE ForecastPolynomialRegression(LONG observationNumber, LONG numHistoricalValues,
                                                           LONG maxDegree, double partialF, double minFIn,
                                                           double maxFOut) override;

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

    // ---- decomposition index, safety stock and confidence interval of every series ----
    HRESULT STDMETHODCALLTYPE DecompositionIndexCreate(LONG observationNumber, LONG numHistoricalValues,
                                                       LONG SeasonalLength, short decompType) override;
    HRESULT STDMETHODCALLTYPE DecompositionIndexApply(LONG observationNumber, LONG numHistoricalValues,
                                                      short decompType) override;
    HRESULT STDMETHODCALLTYPE CalculateSafetyStock(LONG observationNumber, LONG numHistoricalValues, LONG leadTime,
                                                   double ServiceLevel) override;
    HRESULT STDMETHODCALLTYPE CalculateConfidenceInterval(LONG observationNumber, LONG numHistoricalValues,
                                                          double ConfidenceLevel) override;

    // ---- computations over the whole matrix ----
    HRESULT STDMETHODCALLTYPE CalculateErlangB(LONG doType, double B) override;
    HRESULT STDMETHODCALLTYPE CalculateErlangC(LONG doType) override;
    HRESULT STDMETHODCALLTYPE CalculateErlangPoisson(LONG doType, double p) override;
    HRESULT STDMETHODCALLTYPE ForecastCensusX11(LONG observationNumber, LONG numHistoricalValues,
                                                LONG numForecastPeriods, LONG SeasonalLength, short decompType,
                                                double SDRatio, short needTradingDaysAdjust,
                                                short ForecastMethod) override;
    HRESULT STDMETHODCALLTYPE EventIndexCreate(LONG observationNumber, double EISmoothingWeight) override;
    HRESULT STDMETHODCALLTYPE EventIndexApply(LONG observationNumber) override;

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
    // The apply step: code 3 when unbound; marks every series' value arrays
    // stale and applies the op through Matrix::applyRectangular.
    HRESULT apply(qd::MatrixOp& op);
    // Each wraps the compute object in its applier, runs the apply step
    // and deletes the applier.
    HRESULT runSeriesCompute(qd::SeriesCompute& compute);
    HRESULT runIteratedSeriesCompute(qd::SeriesCompute& compute, std::int32_t start);
    HRESULT runSeriesForecast(qd::SeriesForecast& compute);
    // The apply step without the test of the series' lengths, for the
    // computations that take a matrix of any shape.
    HRESULT applyAnyShape(qd::MatrixOp& op);
    // A statistic built from the member's arguments and run by
    // runSeriesCompute.
    template <class Statistic, class... Arguments>
    HRESULT calculate(std::int32_t line, Arguments... arguments);

    // The matrix; code 3 when unbound.
    qd::Matrix& matrix(std::int32_t line);
    // Index checks of Value, StatValueObs and StatValueSeries.
    qd::Series& checkedSeries(qd::Matrix& m, LONG seriesIndex, std::int32_t line);
    void checkObservationIndex(const qd::Series& s, LONG observationIndex, std::int32_t line);

    ElementBinding<qd::Matrix> matrix_;
    ComLayer::ComPtr<StatisticsX> statistics_;
    ComLayer::ComPtr<MatrixXEx1> extension_;
    ComLayer::VariantArray items_;

    // Runners of the matrix-level computations, like the ones above.
    HRESULT runMatrixForecast(qd::MatrixForecast& compute);
    HRESULT runMatrixCompute(qd::MatrixCompute& compute);
};

#endif
