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

// ---- the members of the matrix extension alone, and the ones that differ from the
// series extension's (the others are ExtensionMembers') --------------------------

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

HRESULT STDMETHODCALLTYPE MatrixXEx1::AddObservationByArray(LONG seriesNumber, VARIANT values, VARIANT descriptions,
                                                            VARIANT originTypes)
{
    return runFrame(identity, __LINE__, [&] {
        ArrayTransfer::addObservations(matrix(__LINE__), seriesNumber, values, descriptions, originTypes,
                                       ArrayTransfer::Site{identity, __LINE__});
        return S_OK;
    });
}

// ---- forecast rank and multi-method selection -----------------------------------

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
