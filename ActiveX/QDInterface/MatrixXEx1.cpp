#include "MatrixXEx1.h"

#include "ArrayTransfer.h"
#include "SeriesGrowth.h"
#include "SeriesX.h"

#include "Matrix/Matrix.h"
#include "Matrix/Snapshot.h"
#include "Matrix/MatrixOpApplyMatrixCompute.h"
#include "Matrix/MatrixOpApplyMatrixForecast.h"
#include "Matrix/MatrixOpApplySeriesCompute.h"
#include "Matrix/MatrixOpApplySeriesForecast.h"
#include "Matrix/MatrixOpApplySeriesGenerateRandom.h"
#include "MatrixCompute/MatrixComputeForecastRank.h"
#include "MatrixCompute/MatrixForecastMultipleRegression.h"
#include "MatrixCompute/MatrixForecastPolynomialRegression.h"
#include "MatrixCompute/MatrixForecastSelvaneMultipleMethod.h"
#include "MatrixCompute/MatrixForecastStepwise.h"
#include "SeriesCompute/SeriesCleaning.h"
#include "SeriesCompute/SeriesComputeApplyDecompositionIndex.h"
#include "SeriesCompute/SeriesComputeChiSquare.h"
#include "SeriesCompute/SeriesComputeCochraneOrcutt.h"
#include "SeriesCompute/SeriesComputeCreateDecompositionIndex.h"
#include "SeriesCompute/SeriesComputeCumulativeMAPE.h"
#include "SeriesCompute/SeriesComputeFourier.h"
#include "SeriesCompute/SeriesComputeHistogram.h"
#include "SeriesCompute/SeriesComputeRollingMAPE.h"
#include "SeriesCompute/SeriesComputeSafetyStock.h"
#include "SeriesCompute/SeriesComputeStandardizedMAE.h"
#include "SeriesCompute/SeriesForecastAverage.h"
#include "SeriesCompute/SeriesForecastBassModel.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastLaggedForecast.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"
#include "MatrixCompute/MatrixForecastNonSteadyNPCurve.h"
#include "SeriesCompute/SeriesGenerateRandomBeta.h"
#include "SeriesCompute/SeriesGenerateRandomBinomial.h"
#include "SeriesCompute/SeriesGenerateRandomCauchy.h"
#include "SeriesCompute/SeriesGenerateRandomChiSquared.h"
#include "SeriesCompute/SeriesGenerateRandomExponential.h"
#include "SeriesCompute/SeriesGenerateRandomExponentialMix.h"
#include "SeriesCompute/SeriesGenerateRandomGamma.h"
#include "SeriesCompute/SeriesGenerateRandomGeometric.h"
#include "SeriesCompute/SeriesGenerateRandomHyperGeometric.h"
#include "SeriesCompute/SeriesGenerateRandomLogarithmic.h"
#include "SeriesCompute/SeriesGenerateRandomLognormal.h"
#include "SeriesCompute/SeriesGenerateRandomNegativeBinomial.h"
#include "SeriesCompute/SeriesGenerateRandomNormal.h"
#include "SeriesCompute/SeriesGenerateRandomPoisson.h"
#include "SeriesCompute/SeriesGenerateRandomStudentT.h"
#include "SeriesCompute/SeriesGenerateRandomTriangular.h"
#include "SeriesCompute/SeriesGenerateRandomUniform.h"
#include "SeriesCompute/SeriesGenerateRandomUniformDiscrete.h"
#include "SeriesCompute/SeriesGenerateRandomVonMises.h"
#include "SeriesCompute/SeriesGenerateRandomWeibull.h"
#include "SeriesCompute/SeriesForecastNewProductCurve.h"
#include "SeriesCompute/SeriesForecastSlowMovingDemand.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingWinters.h"

#include <memory>
#include <vector>

using namespace qd;

const ClassIdentity MatrixXEx1::identity = {
    L"MatrixXEx1", L"MatrixXEx1.MatrixXEx1.1", "ActiveX\\QDInterface\\MatrixXEx1", &CLSID_MatrixXEx1, &IID_IMatrixXEx1};

void MatrixXEx1::attach(const ElementBinding<Matrix>& binding)
{
    matrix_ = binding;
}

Matrix& MatrixXEx1::matrix(std::int32_t line)
{
    Matrix* element = matrix_.get();
    if (element == nullptr) throwCode(identity, line, ErrorCode::OutOfMemory);
    return *element;
}

HRESULT MatrixXEx1::apply(MatrixOp& op, bool rectangular)
{
    return runFrame(identity, __LINE__, [&] {
        Matrix* m = matrix_.get();
        if (m == nullptr) throwCode(identity, __LINE__, ErrorCode::NotInitialized);
        // Running out of memory part of the way through leaves the matrix as
        // it was.
        return qd::allOrNothing(*m, [&] {
            op.flag = 1;
            m->setDirty(true, true);
            if (rectangular)
                m->applyRectangular(op);
            else
                m->apply(op);
            return S_OK;
        });
    });
}

HRESULT MatrixXEx1::runSeriesCompute(SeriesCompute& compute)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<MatrixOp> op(new MatrixOpApplySeriesCompute(compute));
        return apply(*op, true);
    });
}

HRESULT MatrixXEx1::runSeriesForecast(SeriesForecast& compute, bool rectangular)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<MatrixOp> op(new MatrixOpApplySeriesForecast(compute));
        return apply(*op, rectangular);
    });
}

HRESULT MatrixXEx1::runMatrixForecastAnyShape(MatrixForecast& compute)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<MatrixOp> op(new MatrixOpApplyMatrixForecast(compute));
        return apply(*op, false);
    });
}

HRESULT MatrixXEx1::runGenerateRandom(SeriesGenerateRandom& generator)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<MatrixOp> op(new MatrixOpApplySeriesGenerateRandom(generator));
        return apply(*op, false);
    });
}

// ---- statistics -------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE MatrixXEx1::CalculateFourier(LONG observationNumber, LONG numHistoricalValues)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeFourier compute(observationNumber, numHistoricalValues);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::CalculateHistogram(LONG observationNumber, LONG numHistoricalValues,
                                                         LONG StatType, LONG numBins)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeHistogram compute(observationNumber, numHistoricalValues, numBins, false, 0.0, 0.0, StatType);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::CalculateHistogramByMinMax(LONG observationNumber, LONG numHistoricalValues,
                                                                 LONG StatType, LONG numBins, double min, double max)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeHistogram compute(observationNumber, numHistoricalValues, numBins, true, min, max, StatType);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::CalculateSafetyStockEx(LONG observationNumber, LONG numHistoricalValues,
                                                             double leadTime, double ServiceLevel, XCalcLevel cl,
                                                             LONG calcPeriods, LONG includeFValues)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeSafetyStock compute(observationNumber, numHistoricalValues, leadTime, ServiceLevel,
                                         static_cast<std::int32_t>(cl), calcPeriods, includeFValues != 0);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::CalculateServiceLevelEx(LONG observationNumber, LONG numHistoricalValues,
                                                             double leadTime, double safetyStock, XCalcLevel cl,
                                                             LONG calcPeriods, LONG includeFValues)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeServiceLevel compute(observationNumber, numHistoricalValues, leadTime, safetyStock,
                                          static_cast<std::int32_t>(cl), calcPeriods, includeFValues != 0);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::CalculateChiSquare(LONG observationNumber, LONG numHistoricalValues,
                                                         LONG numParameters, LONG bCalculatePossibility)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeChiSquare compute(observationNumber, numHistoricalValues, numParameters,
                                       bCalculatePossibility != 0);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::CalculateCochraneOrcutt(LONG observationNumber, LONG numHistoricalValues)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeCochraneOrcutt compute(observationNumber, numHistoricalValues);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::CalculateRollingMAPE(LONG observationNumber, LONG numHistoricalValues)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeRollingMAPE compute(observationNumber, numHistoricalValues);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::CalculateCumulativeMAPE(LONG observationNumber, LONG numHistoricalValues)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeCumulativeMAPE compute(observationNumber, numHistoricalValues);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::indexDecompositionCreate(LONG observationNumber, LONG numHistoricalValues,
                                                               short DecompositionType)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeCreateDecompositionIndex compute(observationNumber, numHistoricalValues, 0, DecompositionType,
                                                      true);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::indexDecompositionApply(LONG observationNumber, LONG numHistoricalValues,
                                                              short DecompositionType)
{
    return runFrame(identity, __LINE__, [&] {
        // Only the two applicable types, even before the binding is looked at.
        if (DecompositionType != 1 && DecompositionType != 2)
            throwCode(identity, __LINE__, ErrorCode::IllegalDecompositionType);
        SeriesComputeApplyDecompositionIndex compute(observationNumber, numHistoricalValues, DecompositionType, false);
        return runSeriesCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::CalculateStandardizedMAE(LONG observationNumber, LONG numHistoricalValues)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesComputeStandardizedMAE compute(observationNumber, numHistoricalValues);
        return runSeriesCompute(compute);
    });
}

// ---- forecasts ---------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE MatrixXEx1::ForecastAverage(LONG observationNumber, LONG numHistoricalValues,
                                                      LONG numPeriodsToForecast)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastAverage method(observationNumber, numHistoricalValues, numPeriodsToForecast);
        return runSeriesForecast(method);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::ForecastLinearRegression(LONG observationNumber, LONG numHistoricalValues,
                                                                 LONG numPeriodsToForecast, LONG useConstTerm,
                                                                 double ConfidenceLevel)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastLinearRegression method(observationNumber, numHistoricalValues, numPeriodsToForecast,
                                              useConstTerm != 0, ConfidenceLevel, false, 0.0, 0.0);
        return runSeriesForecast(method);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::ForecastBassModel(LONG observationNumber, LONG numHistoricalValues,
                                                        LONG numPeriodsToForecast, double p, double r, double qbar)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastBassModel method(observationNumber, numHistoricalValues, numPeriodsToForecast, p, r, qbar);
        return runSeriesForecast(method);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::ForecastLaggedForecast(LONG observationNumber, LONG numPeriodsToForecast,
                                                             LONG laggedPeriod)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastLaggedForecast method(observationNumber, numPeriodsToForecast, laggedPeriod);
        return runSeriesForecast(method);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::ForecastExponentialSmoothingZeroDemand(LONG observationNumber, double alpha,
                                                                             LONG numPeriodsToForecast,
                                                                             double finalLevelValue)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastExponentialSmoothing method(observationNumber, alpha, numPeriodsToForecast, true,
                                                  finalLevelValue);
        return runSeriesForecast(method, false);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::ForecastLinearRegressionZeroDemand(LONG observationNumber,
                                                                         LONG numHistoricalValues,
                                                                         LONG numPeriodsToForecast, double slope,
                                                                         double intercept)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastLinearRegression method(observationNumber, numHistoricalValues, numPeriodsToForecast, true, 0.0,
                                              true, slope, intercept);
        return runSeriesForecast(method, false);
    });
}

// ---- editing -----------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE MatrixXEx1::RangeForecast(LONG bCheckHistory, LONG bChangeForecastPeriodOnly,
                                                    LONG bUseCeiling, double dCeiling, LONG bUseFloor, double dFloor)
{
    return runFrame(identity, __LINE__, [&] {
        Matrix& m = matrix(__LINE__);
        return qd::allOrNothing(m, [&] {
            m.setDirty(true, true);
            m.rangeForecast(bCheckHistory != 0, bChangeForecastPeriodOnly != 0, bUseCeiling != 0, dCeiling,
                            bUseFloor != 0, dFloor);
            return S_OK;
        });
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::ReplaceSeriesAt(LONG SeriesIndex, ISeriesX* SX)
{
    return runFrame(identity, __LINE__, [&] {
        Matrix* m = matrix_.get();
        if (m == nullptr) throwCode(identity, __LINE__, ErrorCode::NotInitialized);
        ElementBinding<Series> other;
        if (!SeriesX::bindingBehind(SX, other)) throwCode(identity, __LINE__, ErrorCode::InvalidPointer);
        const Series* source = other.get();
        if (source == nullptr) throwCode(identity, __LINE__, ErrorCode::OutOfMemory);
        if (SeriesIndex < 0) qdThrow("Libraries\\MatrixLib\\Matrix", publishedLine(527), ErrorCode::NegativeIndex);
        // The source may be a series of this very matrix: copied before the
        // matrix grows (which moves its series) or the target changes.
        const Series copy(*source);
        // A failed replacement takes back the series the growth appended.
        const std::int32_t before = m->numSeries();
        ArrayTransfer::growMatrixTo(*m, SeriesIndex, ArrayTransfer::Site{identity, __LINE__});
        try {
            m->replaceSeriesAt(SeriesIndex, copy);
        } catch (...) {
            takeBackSeries(*m, before);
            throw;
        }
        return S_OK;
    });
}

// ---- regressions ---------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE MatrixXEx1::ForecastMultipleRegressionEx(LONG observationNumber, LONG numHistoricalValues,
                                                                   LONG useConstTerm, LONG numPeriodsToForecast,
                                                                   double ConfidenceLevel, LONG ReplaceOutliers,
                                                                   LONG useExistingValues, LONG removeTrailingZeros)
{
    return runFrame(identity, __LINE__, [&] {
        {
            MatrixForecastMultipleRegression regression(observationNumber, numHistoricalValues, useConstTerm != 0,
                                                        numPeriodsToForecast, ConfidenceLevel, false,
                                                        ReplaceOutliers != 0, useExistingValues != 0,
                                                        removeTrailingZeros != 0, -1);
            if (runMatrixForecastAnyShape(regression) == S_OK) return S_OK;
        }
        // Out of memory ends the member; any other failure of the
        // regression stays reported, and forward selection with no F limits
        // tries the series one by one.
        if (lastReportWasOutOfMemory()) return QD_E_REPORTED;
        MatrixForecastStepwise stepwise(observationNumber, numHistoricalValues, kForwardSelection, qd::QD_COMPUTE,
                                        qd::QD_COMPUTE, 0.0, 0.0, 0, 0, false, useConstTerm != 0, numPeriodsToForecast,
                                        ConfidenceLevel, ReplaceOutliers != 0, useExistingValues != 0,
                                        removeTrailingZeros != 0);
        const HRESULT result = runMatrixForecastAnyShape(stepwise);
        // Both attempts failed: nothing is recorded (and an unbound object
        // has nothing to record it in).
        if (result != S_OK) return result;
        Matrix& m = matrix(__LINE__);
        m.forecastMethodNumber = qd::QD_MULTIPLE_REGRESSION;
        const std::int32_t dependent = m.dependentSeriesIndex(qd::QD_DEPENDENT); // several: 3017
        if (dependent >= 0) m.series(dependent).forecastMethodNumber = qd::QD_MULTIPLE_REGRESSION;
        return result;
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::ForecastPolynomialRegressionEx(
    LONG observationNumber, LONG numHistoricalValues, LONG maxDegree, double partialF, double minFIn, double maxFOut,
    LONG useConstTerm, LONG numPeriodsToForecast, double ConfidenceLevel, LONG ReplaceOutliers,
    LONG useExistingValues, LONG removeTrailingZeros)
{
    return runFrame(identity, __LINE__, [&] {
        MatrixForecastPolynomialRegression method(observationNumber, numHistoricalValues, maxDegree, partialF, minFIn,
                                                  maxFOut, useConstTerm != 0, numPeriodsToForecast, ConfidenceLevel,
                                                  ReplaceOutliers != 0, useExistingValues != 0,
                                                  removeTrailingZeros != 0);
        return runMatrixForecastAnyShape(method);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::ForecastStepwiseEx(LONG observationNumber, LONG numHistoricalValues, short sType,
                                                         LONG minNumSeries, LONG maxNumSeries, double minFIn,
                                                         double maxFOut, LONG minLag, LONG maxLag,
                                                         LONG needLagDependent, LONG useConstTerm,
                                                         LONG numPeriodsToForecast, double ConfidenceLevel,
                                                         LONG ReplaceOutliers, LONG useExistingValues,
                                                         LONG removeTrailingZeros)
{
    return runFrame(identity, __LINE__, [&] {
        MatrixForecastStepwise method(observationNumber, numHistoricalValues, sType, minNumSeries, maxNumSeries, minFIn,
                                      maxFOut, minLag, maxLag, needLagDependent != 0, useConstTerm != 0,
                                      numPeriodsToForecast, ConfidenceLevel, ReplaceOutliers != 0,
                                      useExistingValues != 0, removeTrailingZeros != 0);
        return runMatrixForecastAnyShape(method);
    });
}

// ---- arrays ------------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE MatrixXEx1::AddObservationByArray(LONG seriesNumber, VARIANT values, VARIANT descriptions,
                                                            VARIANT originTypes)
{
    return runFrame(identity, __LINE__, [&] {
        ArrayTransfer::addObservations(matrix(__LINE__), seriesNumber, values, descriptions, originTypes,
                                       ArrayTransfer::Site{identity, __LINE__});
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GetObservationValuesToArray(LONG observationNumber, LONG numHistoricalValues,
                                                                  short StatType, VARIANT* values)
{
    return runFrame(identity, __LINE__, [&] {
        ArrayTransfer::getObservationValues(matrix(__LINE__), observationNumber, numHistoricalValues, StatType,
                                            values, ArrayTransfer::Site{identity, __LINE__});
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GetObservationDescriptionsToArray(LONG observationNumber,
                                                                        LONG numHistoricalValues,
                                                                        VARIANT* descriptions)
{
    return runFrame(identity, __LINE__, [&] {
        ArrayTransfer::getObservationDescriptions(matrix(__LINE__), observationNumber, numHistoricalValues,
                                                  descriptions, ArrayTransfer::Site{identity, __LINE__});
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::InputObsStatByArray(LONG observationNumber, LONG numHistoricalValues,
                                                          short StatType, VARIANT values)
{
    return runFrame(identity, __LINE__, [&] {
        ArrayTransfer::inputObservationResults(matrix(__LINE__), observationNumber, numHistoricalValues, StatType,
                                               values, ArrayTransfer::Site{identity, __LINE__});
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::AddIndexValuesByArray(VARIANT values)
{
    return runFrame(identity, __LINE__, [&] {
        Matrix& m = matrix(__LINE__);
        return qd::allOrNothing(m, [&] {
            ArrayTransfer::addIndexValues(m, values, ArrayTransfer::Site{identity, __LINE__});
            return S_OK;
        });
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GetIndexValuesToArray(VARIANT* values)
{
    return runFrame(identity, __LINE__, [&] {
        ArrayTransfer::getIndexValues(matrix(__LINE__), values, ArrayTransfer::Site{identity, __LINE__});
        return S_OK;
    });
}

// ---- cleaning, forecast rank and multi-method selection ------------------------

HRESULT MatrixXEx1::runMatrixCompute(qd::MatrixCompute& compute)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<MatrixOp> op(new MatrixOpApplyMatrixCompute(compute));
        return apply(*op, true);
    });
}

HRESULT MatrixXEx1::runMatrixForecast(qd::MatrixForecast& compute)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<MatrixOp> op(new MatrixOpApplyMatrixForecast(compute));
        return apply(*op, true);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::ReplaceOutliersByDirection(LONG observationNumber, LONG numHistoricalValues,
                                                                 double SDRatio, double adjustRatio,
                                                                 short methodName, LONG SeasonalLength,
                                                                 short replaceType)
{
    return runFrame(identity, __LINE__, [&] {
        Matrix& m = matrix(__LINE__);
        return qd::allOrNothing(m, [&] {
            m.setDirty(true, true);
            qd::replaceOutliers(m, observationNumber, numHistoricalValues, SDRatio, adjustRatio, methodName,
                                SeasonalLength, replaceType);
            return S_OK;
        });
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::TrendAdjust(LONG observationNumber, LONG numHistoricalValues,
                                                  LONG lTrendIncreasePeriods, double dTrendIncreaseGoal,
                                                  LONG lTrendDecreasePeriods, double dTrendDecreaseGoal)
{
    return runFrame(identity, __LINE__, [&] {
        Matrix& m = matrix(__LINE__);
        return qd::allOrNothing(m, [&] {
            m.setDirty(true, true);
            qd::trendAdjust(m, observationNumber, numHistoricalValues, lTrendIncreasePeriods, dTrendIncreaseGoal,
                            lTrendDecreasePeriods, dTrendDecreaseGoal);
            return S_OK;
        });
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::CalculateForecastRank(LONG observationNumber, LONG numHistoricalPeriods,
                                                            short errorType)
{
    return runFrame(identity, __LINE__, [&] {
        qd::MatrixComputeForecastRank compute(observationNumber, numHistoricalPeriods, errorType);
        return runMatrixCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::SelvaneMultipleMethod(LONG observationNumber, LONG numPeriodsToForecast,
                                                            short errorType, LONG seasonalType, LONG ReplaceOutliers,
                                                            VARIANT overrideMethodArray)
{
    return runFrame(identity, __LINE__, [&] {
        // The method list is checked first, also on an unbound object.
        const std::vector<std::int32_t> codes =
            ArrayTransfer::readMethodList(overrideMethodArray, ArrayTransfer::Site{identity, __LINE__});
        qd::MatrixForecastSelvaneMultipleMethod method(observationNumber, numPeriodsToForecast, errorType,
                                                       seasonalType, ReplaceOutliers != 0,
                                                       static_cast<std::int32_t>(codes.size()), codes.data());
        return runMatrixForecast(method);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::ForecastGompertzCurve(LONG observationNumber, LONG numHistoricalValues,
                                                            LONG numPeriodsToForecast, double minValue, double maxValue,
                                                            short MinMaxType)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastNewProductCurve method(observationNumber, numHistoricalValues, numPeriodsToForecast, minValue,
                                             maxValue, MinMaxType, 1);
        return runSeriesForecast(method);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::ForecastLogisticCurve(LONG observationNumber, LONG numHistoricalValues,
                                                            LONG numPeriodsToForecast, double minValue, double maxValue,
                                                            short MinMaxType)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastNewProductCurve method(observationNumber, numHistoricalValues, numPeriodsToForecast, minValue,
                                             maxValue, MinMaxType, 2);
        return runSeriesForecast(method);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::ForecastProbitCurve(LONG observationNumber, LONG numHistoricalValues,
                                                          LONG numPeriodsToForecast, double minValue, double maxValue,
                                                          short MinMaxType)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastNewProductCurve method(observationNumber, numHistoricalValues, numPeriodsToForecast, minValue,
                                             maxValue, MinMaxType, 3);
        return runSeriesForecast(method);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::ForecastNonSteadyNewProduct(LONG observationNumber, LONG numHistoricalValues,
                                                                  LONG numPeriodsToForecast, double minValue,
                                                                  double maxValue, short MinMaxType, short curveType)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<MatrixForecast> method(new MatrixForecastNonSteadyNPCurve(
            observationNumber, numHistoricalValues, numPeriodsToForecast, minValue, maxValue, MinMaxType, curveType));
        return runMatrixForecastAnyShape(*method);
    });
}

// ---- random series ---------------------------------------------------------------

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomNormal(LONG numRandom, double mean, double standardDeviation)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomNormal generator(numRandom, mean, standardDeviation);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomBinomial(LONG numRandom, LONG n, double p)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomBinomial generator(numRandom, n, p);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomGeometric(LONG numRandom, double p)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomGeometric generator(numRandom, p);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomHyperGeometric(LONG numRandom, LONG n, LONG m, LONG l)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomHyperGeometric generator(numRandom, n, m, l);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomLogarithmic(LONG numRandom, double a)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomLogarithmic generator(numRandom, a);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomNegativeBinomial(LONG numRandom, double r, double p)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomNegativeBinomial generator(numRandom, r, p);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomPoisson(LONG numRandom, double theta)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomPoisson generator(numRandom, theta);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomBeta(LONG numRandom, double p, double q)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomBeta generator(numRandom, p, q);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomCauchy(LONG numRandom)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomCauchy generator(numRandom);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomChiSquared(LONG numRandom, double df)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomChiSquared generator(numRandom, df);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomExponential(LONG numRandom, double mean)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomExponential generator(numRandom, mean);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomExponentialMix(LONG numRandom, double theta1, double theta2,
                                                                   double p)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomExponentialMix generator(numRandom, theta1, theta2, p);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomGamma(LONG numRandom, double alpha, double beta)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomGamma generator(numRandom, alpha, beta);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomLognormal(LONG numRandom, double mean, double standardDeviation)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomLognormal generator(numRandom, mean, standardDeviation);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomStudentT(LONG numRandom, double df, double mean,
                                                             double standardDeviation)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomStudentT generator(numRandom, df, mean, standardDeviation);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomVonMises(LONG numRandom, double c)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomVonMises generator(numRandom, c);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomWeibull(LONG numRandom, double alpha, double beta)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomWeibull generator(numRandom, alpha, beta);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomUniform(LONG numRandom, double minRand, double maxRand)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomUniform generator(numRandom, minRand, maxRand);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomUniformDiscrete(LONG numRandom, LONG minRand, LONG maxRand)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomUniformDiscrete generator(numRandom, minRand, maxRand);
        return runGenerateRandom(generator);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::GenerateRandomTriangular(LONG numRandom, double minRand, double mostLikely,
                                                               double maxRand)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesGenerateRandomTriangular generator(numRandom, minRand, mostLikely, maxRand);
        return runGenerateRandom(generator);
    });
}

// ---- Holt-Winters with zero demand, slow-moving demand ---------------------------------

HRESULT STDMETHODCALLTYPE MatrixXEx1::ForecastHoltWintersZeroDemand(LONG observationNumber, LONG seasonalityLength,
                                                                    LONG numPeriodsToForecast, double alpha,
                                                                    double beta, double gamma, LONG decompType,
                                                                    double finalLevelValue, double finalTrendValue,
                                                                    VARIANT seasonalIndexValues)
{
    return runFrame(identity, __LINE__, [&] {
        // The indexes are checked before the binding, so a bad array is
        // reported even by an unbound object.
        const std::vector<double> indexes = ArrayTransfer::readSeasonalIndexes(
            seasonalIndexValues, seasonalityLength, ArrayTransfer::Site{identity, __LINE__});
        SeriesForecastTripleExponentialSmoothingWinters method(
            observationNumber, seasonalityLength, numPeriodsToForecast, alpha, beta, gamma, decompType, true,
            finalLevelValue, finalTrendValue, indexes.empty() ? nullptr : indexes.data());
        return runSeriesForecast(method, false);
    });
}

HRESULT STDMETHODCALLTYPE MatrixXEx1::ForecastSlowMovingDemand(LONG observationNumber, LONG numForecastPeriods,
                                                               ::XSlowMethodIndexType eicType, LONG eicSeasonalLength,
                                                               LONG eicExclude0, double eicStart, double eicIncr,
                                                               double eicEnd, ::XSlowMethodNumSimType nsType,
                                                               LONG numSimulation, double nsPerThreshold,
                                                               ::XSlowMethodEventReplaceType erType, short bcMethod,
                                                               LONG bcmExclude0, ::XSlowMethodBaseFcstType bfType,
                                                               short bfMethod, ::XSlowMethodSeviceLevelType slType,
                                                               double leadTime, double ServiceLevel,
                                                               ::XSlowMethodHistSeviceLevelType hslType)
{
    return runFrame(identity, __LINE__, [&] {
        SeriesForecastSlowMovingDemand method(
            observationNumber, numForecastPeriods, static_cast<std::int32_t>(eicType), eicSeasonalLength,
            eicExclude0 != 0, eicStart, eicIncr, eicEnd, static_cast<std::int32_t>(nsType), numSimulation,
            nsPerThreshold, static_cast<std::int32_t>(erType), bcMethod, bcmExclude0 != 0,
            static_cast<std::int32_t>(bfType), bfMethod, static_cast<std::int32_t>(slType), leadTime, ServiceLevel,
            static_cast<std::int32_t>(hslType));
        return runSeriesForecast(method);
    });
}
