// The members that SeriesX and MatrixX share, written once.
//
// The interfaces give both classes the same computing members with the same
// arguments, and a few data members that read or write the same field of
// each class's element; what differs is only what a member works on: one
// series, or every series of the matrix (whose series must then have one
// length). So each computing member here builds its compute object from its
// arguments and hands it to a runner of the class, Derived, which wraps it
// in the class's applier and runs its apply step:
//
//   runSeriesCompute(qd::SeriesCompute&)
//   runSeriesForecast(qd::SeriesForecast&)
//   runIteratedSeriesCompute(qd::SeriesCompute&, std::int32_t start)
//   runIteratedObservationCompute(qd::ObservationCompute&, std::int32_t start)
//
// and the other members use
//
//   element(std::int32_t line): the series or matrix (code 3 when the
//   object is unbound or its element is gone)
//   binding(): its binding, for the StatisticsX handed out
//   statistics_: that StatisticsX, made on the first request
//
// and Derived::identity, whose source path every report of these members
// names. Derived makes this template and MemberRunners friends; the members
// that exist in one class only, or that differ, stay in that class.
//
// A class derives from SeriesMatrixMembers<Derived, IFooMembers> (through
// AutomationClass), which derives from the generated member base.
#ifndef QD_QDINTERFACE_SERIESMATRIXMEMBERS_H
#define QD_QDINTERFACE_SERIESMATRIXMEMBERS_H

#include "ElementBinding.h"
#include "MemberRunners.h"
#include "QDInterfaceMembers.h"
#include "StatisticsX.h"
#include "StringTransfer.h"

#include "Matrix/Matrix.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/Snapshot.h"
#include "SeriesCompute/FitCriteria.h"
#include "SeriesCompute/ObservationComputeError.h"
#include "SeriesCompute/ObservationComputeLog.h"
#include "SeriesCompute/SeriesCleaning.h"
#include "SeriesCompute/SeriesComputeConfidenceInterval.h"
#include "SeriesCompute/SeriesComputeApplyDecompositionIndex.h"
#include "SeriesCompute/SeriesComputeCreateDecompositionIndex.h"
#include "SeriesCompute/DecompositionType.h"
#include "SeriesCompute/SeriesComputeLjungBox.h"
#include "SeriesCompute/SeriesComputeModeMedian.h"
#include "SeriesCompute/SeriesComputeSafetyStock.h"
#include "SeriesCompute/SeriesComputeSumSquaredRegression.h"
#include "SeriesCompute/SeriesComputeTtest.h"
#include "SeriesCompute/SeriesForecastAdaptiveExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastBoxJenkinsNew.h"
#include "SeriesCompute/SeriesForecastCroston.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingHolt.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"
#include "SeriesCompute/SeriesForecastMovingAverage.h"
#include "SeriesCompute/SeriesForecastNewProductOptimizedCurve.h"
#include "SeriesCompute/SeriesForecastSelvane.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingWinters.h"
#include "SeriesCompute/SeriesForecastWeightedMovingAverage.h"
#include "SeriesCompute/SeriesStatistics.h"

template <class Derived, template <class> class Generated>
class SeriesMatrixMembers : public Generated<Derived> {
    using Run = MemberRunners;
    Derived& self() { return static_cast<Derived&>(*this); }

public:
    // ---- what both classes read and write the same way on their element ----

    HRESULT STDMETHODCALLTYPE get_Description(BSTR* result) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            checkResultPointer(Derived::identity, __LINE__, result);
            *result = makeBstr(self().element(__LINE__).description());
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE put_Description(BSTR value) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            auto& target = self().element(__LINE__);
            target.setDescription(StringTransfer(value));
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_Statistics(IStatisticsX** result) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            checkResultPointer(Derived::identity, __LINE__, result);
            self().element(__LINE__);
            ComLayer::ComPtr<StatisticsX>& statistics = self().statistics_;
            if (!statistics) {
                ComLayer::ComPtr<StatisticsX> made = ComLayer::newObject<StatisticsX>();
                made->attach(bindResults(self().binding()));
                statistics = made;
            }
            return statistics->QueryInterface(IID_IStatisticsX, reinterpret_cast<void**>(result));
        });
    }

    HRESULT STDMETHODCALLTYPE RemoveAllCalculations() override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            self().element(__LINE__).removeAllCalculations();
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_SeasonalLength(LONG* result) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            checkResultPointer(Derived::identity, __LINE__, result);
            *result = self().element(__LINE__).seasonalLength;
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_ForecastMethodNumber(short* result) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            checkResultPointer(Derived::identity, __LINE__, result);
            *result = static_cast<short>(self().element(__LINE__).forecastMethodNumber);
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_ForecastMethodDescription(BSTR* result) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            checkResultPointer(Derived::identity, __LINE__, result);
            *result = makeBstr(qd::quantityDescription(self().element(__LINE__).forecastMethodNumber));
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_DecompositionType(short* result) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            checkResultPointer(Derived::identity, __LINE__, result);
            *result = static_cast<short>(self().element(__LINE__).decompositionType);
            return S_OK;
        });
    }

    // ---- statistics of each series, stored among its results ----

    HRESULT STDMETHODCALLTYPE CalculateMean(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeMean>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateMax(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeMax>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateMin(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeMin>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateRange(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeRange>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateKurtosis(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeKurtosis>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateStandardDeviation(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeStandardDeviation>(self(), __LINE__, observationNumber,
                                                                  numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateVariance(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeVariance>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateSumSquaredDeviation(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeSumSquaredDeviation>(self(), __LINE__, observationNumber,
                                                                    numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateMeanAbsDeviation(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeMeanAbsDeviation>(self(), __LINE__, observationNumber,
                                                                 numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateRootMeanSquare(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeRootMeanSquare>(self(), __LINE__, observationNumber,
                                                               numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateSkewness(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeSkewness>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateCoefficientOfVariation(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeCoefficientOfVariation>(self(), __LINE__, observationNumber,
                                                                       numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateMeanError(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeMeanError>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateMeanSquareError(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeMeanSquareError>(self(), __LINE__, observationNumber,
                                                                numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateMeanAbsoluteError(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeMeanAbsoluteError>(self(), __LINE__, observationNumber,
                                                                  numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateMeanAbsolutePercentageError(LONG observationNumber,
                                                                   LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeMeanAbsolutePercentageError>(self(), __LINE__, observationNumber,
                                                                            numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateStandardDeviationError(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeStandardDeviationError>(self(), __LINE__, observationNumber,
                                                                       numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateDurbinWatson(LONG observationNumber, LONG numHistoricalValues,
                                                    LONG offset) override
    {
        return Run::calculate<qd::SeriesComputeDurbinWatson>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                             offset);
    }

    HRESULT STDMETHODCALLTYPE CalculateTheil(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeTheil>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateSumSquaredError(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeSumSquaredError>(self(), __LINE__, observationNumber,
                                                                numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateRootMeanSquareError(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeRootMeanSquareError>(self(), __LINE__, observationNumber,
                                                                    numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateAutoCovariance(LONG observationNumber, LONG numHistoricalValues,
                                                      LONG numLagValues) override
    {
        return Run::calculate<qd::SeriesComputeAutoCovariance>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                               numLagValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateAutoCorrelation(LONG observationNumber, LONG numHistoricalValues,
                                                       LONG numLagValues) override
    {
        return Run::calculate<qd::SeriesComputeAutoCorrelation>(self(), __LINE__, observationNumber,
                                                                numHistoricalValues, numLagValues);
    }

    HRESULT STDMETHODCALLTYPE CalculatePartialAutoCorrelationCoefficient(LONG observationNumber,
                                                                         LONG numHistoricalValues,
                                                                         LONG numLagValues) override
    {
        return Run::calculate<qd::SeriesComputePartialAutoCorrelationCoefficient>(self(), __LINE__, observationNumber,
                                                                                  numHistoricalValues, numLagValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateNormalityError(LONG observationNumber, LONG numHistoricalValues, LONG k) override
    {
        return Run::calculate<qd::SeriesComputeNormalityError>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                               k);
    }

    HRESULT STDMETHODCALLTYPE CalculateMeanSquareDeviation(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeMeanSquaredDeviation>(self(), __LINE__, observationNumber,
                                                                     numHistoricalValues);
    }

    // ---- per-observation values ----

    HRESULT STDMETHODCALLTYPE CalculateError(LONG observationNumber) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            qd::ObservationComputeError compute;
            return self().runIteratedObservationCompute(compute, observationNumber);
        });
    }

    HRESULT STDMETHODCALLTYPE CalculateLog(LONG observationNumber) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            qd::ObservationComputeLog compute;
            return self().runIteratedObservationCompute(compute, observationNumber);
        });
    }

    HRESULT STDMETHODCALLTYPE CalculateDifference(LONG observationNumber, LONG numValuesBack) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            qd::SeriesComputeDifference compute(observationNumber, numValuesBack);
            return self().runIteratedSeriesCompute(compute, observationNumber);
        });
    }

    // ---- forecasts ----

    HRESULT STDMETHODCALLTYPE ForecastExponentialSmoothing(LONG observationNumber, double alpha,
                                                           LONG numPeriodsToForecast) override
    {
        return Run::forecast<qd::SeriesForecastExponentialSmoothing>(self(), __LINE__, observationNumber, alpha,
                                                                     numPeriodsToForecast, false, 0.0);
    }

    HRESULT STDMETHODCALLTYPE ForecastLinearRegression(LONG observationNumber, LONG numHistoricalValues,
                                                       LONG numPeriodsToForecast) override
    {
        return Run::forecast<qd::SeriesForecastLinearRegression>(
            self(), __LINE__, observationNumber, numHistoricalValues, numPeriodsToForecast, true, 0.0, false, 0.0, 0.0);
    }

    // ---- the smoothing family, moving averages, mode and median ----

    HRESULT STDMETHODCALLTYPE CalculateMedian(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeMedian>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateMode(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeMode>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE ForecastAdaptiveExponentialSmoothing(LONG observationNumber, double beta,
                                                                   LONG numPeriodsToForecast) override
    {
        return Run::forecast<qd::SeriesForecastAdaptiveExponentialSmoothing>(self(), __LINE__, observationNumber, beta,
                                                                             numPeriodsToForecast);
    }

    HRESULT STDMETHODCALLTYPE ForecastDoubleExponentialSmoothingBrown(LONG observationNumber, LONG numPeriodsToForecast,
                                                                      double alpha) override
    {
        return Run::forecast<qd::SeriesForecastDoubleExponentialSmoothingBrown>(self(), __LINE__, observationNumber,
                                                                                numPeriodsToForecast, alpha);
    }

    HRESULT STDMETHODCALLTYPE ForecastDoubleExponentialSmoothingHolt(LONG observationNumber, LONG numPeriodsToForecast,
                                                                     double alpha, double gamma) override
    {
        return Run::forecast<qd::SeriesForecastDoubleExponentialSmoothingHolt>(self(), __LINE__, observationNumber,
                                                                               numPeriodsToForecast, alpha, gamma);
    }

    HRESULT STDMETHODCALLTYPE ForecastTripleExponentialSmoothingBrown(LONG observationNumber, LONG numPeriodsToForecast,
                                                                      double alpha) override
    {
        return Run::forecast<qd::SeriesForecastTripleExponentialSmoothingBrown>(self(), __LINE__, observationNumber,
                                                                                numPeriodsToForecast, alpha);
    }

    HRESULT STDMETHODCALLTYPE ForecastMovingAverage(LONG observationNumber, LONG numHistoricalValues,
                                                    LONG numPeriodsToForecast) override
    {
        return Run::forecast<qd::SeriesForecastMovingAverage>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                              numPeriodsToForecast);
    }

    HRESULT STDMETHODCALLTYPE ForecastHoltWinters(LONG observationNumber, LONG seasonalityLength,
                                                  LONG numPeriodsToForecast, double alpha, double beta, double gamma,
                                                  short decompType) override
    {
        return Run::forecast<qd::SeriesForecastTripleExponentialSmoothingWinters>(
            self(), __LINE__, observationNumber, seasonalityLength, numPeriodsToForecast, alpha, beta, gamma,
            decompType, false, 0.0, 0.0, nullptr);
    }

    HRESULT STDMETHODCALLTYPE ForecastWeightedMovingAverage(LONG observationNumber, LONG numHistoricalValues,
                                                            LONG numPeriodsToForecast) override
    {
        return Run::forecast<qd::SeriesForecastWeightedMovingAverage>(self(), __LINE__, observationNumber,
                                                                      numHistoricalValues, numPeriodsToForecast);
    }

    // ---- decomposition index, safety stock and confidence interval ----

    HRESULT STDMETHODCALLTYPE DecompositionIndexCreate(LONG observationNumber, LONG numHistoricalValues,
                                                       LONG SeasonalLength, short decompType) override
    {
        return Run::compute<qd::SeriesComputeCreateDecompositionIndex>(
            self(), __LINE__, observationNumber, numHistoricalValues, SeasonalLength, decompType, false);
    }

    // The type is checked before anything is built: also on an unbound
    // object, and on a series without observations, where the applier would
    // not run the compute and a wrong type would pass unnoticed.
    HRESULT STDMETHODCALLTYPE DecompositionIndexApply(LONG observationNumber, LONG numHistoricalValues,
                                                      short decompType) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            if (decompType != qd::kAdditiveDecomposition && decompType != qd::kMultiplicativeDecomposition)
                throwCode(Derived::identity, __LINE__, qd::ErrorCode::IllegalDecompositionType);
            qd::SeriesComputeApplyDecompositionIndex compute(observationNumber, numHistoricalValues, decompType,
                                                             false);
            return self().runSeriesCompute(compute);
        });
    }

    HRESULT STDMETHODCALLTYPE CalculateConfidenceInterval(LONG observationNumber, LONG numHistoricalValues,
                                                          double ConfidenceLevel) override
    {
        return Run::compute<qd::SeriesComputeConfidenceInterval>(self(), __LINE__, observationNumber,
                                                                 numHistoricalValues, ConfidenceLevel);
    }

    HRESULT STDMETHODCALLTYPE CalculateSafetyStock(LONG observationNumber, LONG numHistoricalValues, LONG leadTime,
                                                   double ServiceLevel) override
    {
        return Run::compute<qd::SeriesComputeSafetyStock>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                          static_cast<double>(leadTime), ServiceLevel, qd::kSeriesLevel,
                                                          1, true);
    }

    // ---- Box-Jenkins, its t-test, Ljung-Box and the fit criteria ----

    HRESULT STDMETHODCALLTYPE ForecastBoxJenkins(LONG observationNumber, LONG numHistoricalValues,
                                                 LONG numPeriodsToForecast, LONG constants, LONG p, LONG d, LONG q,
                                                 LONG Seasonal_P, LONG Seasonal_D, LONG Seasonal_Q, LONG S,
                                                 LONG ForceThrough, LONG Transform) override
    {
        return Run::forecast<qd::SeriesForecastBoxJenkinsNew>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                              numPeriodsToForecast, constants, p, d, q, Seasonal_P,
                                                              Seasonal_D, Seasonal_Q, S, ForceThrough != 0, Transform);
    }

    HRESULT STDMETHODCALLTYPE CalculateTtest(short ForecastMethodName, short ParameterName) override
    {
        return Run::calculate<qd::SeriesComputeTtest>(self(), __LINE__, ForecastMethodName, ParameterName);
    }

    HRESULT STDMETHODCALLTYPE CalculateLjungBox(LONG observationNumber, LONG numHistoricalValues,
                                                LONG numLagValues) override
    {
        return Run::calculate<qd::SeriesComputeLjungBox>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                         numLagValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateSumSquaredRegression(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeSumSquaredRegression>(self(), __LINE__, observationNumber,
                                                                     numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateAIC(LONG observationNumber, LONG numHistoricalValues,
                                           LONG numParameters) override
    {
        return Run::calculate<qd::SeriesComputeAIC>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                    numParameters);
    }

    HRESULT STDMETHODCALLTYPE CalculateBIC(LONG observationNumber, LONG numHistoricalValues,
                                           LONG numParameters) override
    {
        return Run::calculate<qd::SeriesComputeBIC>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                    numParameters);
    }

    HRESULT STDMETHODCALLTYPE CalculateTrackingSignal(LONG observationNumber, LONG numHistoricalValues, short TSType,
                                                      double TSSmoothingWeight) override
    {
        return Run::compute<qd::SeriesComputeTrackingSignal>(self(), __LINE__, observationNumber, numHistoricalValues,
                                                             TSType, TSSmoothingWeight);
    }

    HRESULT STDMETHODCALLTYPE CalculateBoxCox(LONG observationNumber, LONG numHistoricalValues, double lamda) override
    {
        return Run::compute<qd::SeriesComputeBoxCox>(self(), __LINE__, observationNumber, numHistoricalValues, lamda);
    }

    HRESULT STDMETHODCALLTYPE CalculateRSquare(LONG observationNumber, LONG numHistoricalValues) override
    {
        return Run::calculate<qd::SeriesComputeRSquare>(self(), __LINE__, observationNumber, numHistoricalValues);
    }

    HRESULT STDMETHODCALLTYPE CalculateAdjustedRSquare(LONG observationNumber, LONG numHistoricalValues,
                                                       LONG numParameters) override
    {
        return Run::calculate<qd::SeriesComputeAdjustedRSquare>(self(), __LINE__, observationNumber,
                                                                numHistoricalValues, numParameters);
    }

    // ---- intermittent demand and new-product curves ----

    HRESULT STDMETHODCALLTYPE ForecastCroston(LONG observationNumber, LONG numPeriodsToForecast, double alpha) override
    {
        return Run::forecast<qd::SeriesForecastCroston>(self(), __LINE__, observationNumber, numPeriodsToForecast,
                                                        alpha);
    }

    HRESULT STDMETHODCALLTYPE ForecastNewProduct(LONG observationNumber, LONG numHistoricalValues,
                                                 LONG numPeriodsToForecast, double minValue, double maxValue,
                                                 short MinMaxType) override
    {
        return Run::forecast<qd::SeriesForecastNewProductOptimizedCurve>(self(), __LINE__, observationNumber,
                                                                         numHistoricalValues, numPeriodsToForecast,
                                                                         minValue, maxValue, MinMaxType, nullptr);
    }

    // ---- cleaning ----

    HRESULT STDMETHODCALLTYPE RemoveMissingValues(LONG observationNumber, LONG numHistoricalValues, double lower,
                                                  double upper) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            auto& target = self().element(__LINE__);
            return qd::allOrNothing(target, [&] {
                target.removeMissingValues(observationNumber, numHistoricalValues, lower, upper);
                return S_OK;
            });
        });
    }

    HRESULT STDMETHODCALLTYPE ReplaceOutliers(LONG observationNumber, LONG numHistoricalValues, double SDRatio,
                                              double adjustRatio, short methodName, LONG SeasonalLength) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            auto& target = self().element(__LINE__);
            return qd::allOrNothing(target, [&] {
                target.setDirty(true, true);
                qd::replaceOutliers(target, observationNumber, numHistoricalValues, SDRatio, adjustRatio, methodName,
                                    SeasonalLength, qd::QD_REPLACE_BOTH);
                return S_OK;
            });
        });
    }

    HRESULT STDMETHODCALLTYPE ReplaceMissingValues(LONG observationNumber, LONG numHistoricalValues, double lower,
                                                   double upper, short methodName) override
    {
        return runFrame(Derived::identity, __LINE__, [&] {
            auto& target = self().element(__LINE__);
            return qd::allOrNothing(target, [&] {
                target.setDirty(true, true);
                qd::replaceMissingValues(target, observationNumber, numHistoricalValues, lower, upper, methodName);
                return S_OK;
            });
        });
    }

    // ---- automatic method selection ----

    HRESULT STDMETHODCALLTYPE Selvane(LONG observationNumber, LONG numPeriodsToForecast, LONG errorType,
                                      LONG seasonalType, LONG ReplaceOutliers, LONG RollBackType,
                                      short productType) override
    {
        return Run::forecast<qd::SeriesForecastSelvane>(self(), __LINE__, observationNumber, numPeriodsToForecast,
                                                        errorType, seasonalType, ReplaceOutliers, RollBackType,
                                                        productType);
    }
};

#endif
