#include "MatrixX.h"

#include "MatrixXEx1.h"
#include "SeriesGrowth.h"
#include "SeriesX.h"
#include "StatisticsX.h"
#include "StringTransfer.h"

#include "ComLayer/VariantEnumerator.h"
#include "Matrix/Matrix.h"
#include "Matrix/MatrixOpApplyIteratedObservationCompute.h"
#include "Matrix/MatrixOpApplyMatrixCompute.h"
#include "Matrix/MatrixOpApplyMatrixForecast.h"
#include "Matrix/MatrixOpApplyIteratedSeriesCompute.h"
#include "Matrix/MatrixOpApplySeriesCompute.h"
#include "Matrix/MatrixOpApplySeriesForecast.h"
#include "Matrix/QuantityTypes.h"
#include "SeriesCompute/ObservationComputeError.h"
#include "SeriesCompute/ObservationComputeLog.h"
#include "MatrixCompute/MatrixComputeErlangB.h"
#include "MatrixCompute/MatrixComputeErlangC.h"
#include "MatrixCompute/MatrixComputeErlangPoisson.h"
#include "MatrixCompute/MatrixComputeEventIndexApply.h"
#include "MatrixCompute/MatrixComputeEventIndexCreate.h"
#include "MatrixCompute/MatrixForecastCensusX11.h"
#include "SeriesCompute/SeriesComputeApplyDecompositionIndex.h"
#include "SeriesCompute/SeriesComputeConfidenceInterval.h"
#include "SeriesCompute/SeriesComputeCreateDecompositionIndex.h"
#include "SeriesCompute/SeriesComputeSafetyStock.h"
#include "SeriesCompute/DecompositionType.h"
#include "SeriesCompute/SeriesCleaning.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "Matrix/Snapshot.h"
#include "SeriesCompute/SeriesForecastSelvane.h"
#include "SeriesCompute/SeriesComputeModeMedian.h"
#include "SeriesCompute/SeriesForecastAdaptiveExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingHolt.h"
#include "SeriesCompute/SeriesForecastMovingAverage.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingWinters.h"
#include "SeriesCompute/SeriesForecastWeightedMovingAverage.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "MatrixCompute/MatrixForecastMultipleRegression.h"
#include "MatrixCompute/MatrixForecastPolynomialRegression.h"
#include "MatrixCompute/MatrixForecastStepwise.h"
#include "MatrixCompute/MatrixStatistics.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"
#include "SeriesCompute/FitCriteria.h"
#include "SeriesCompute/SeriesComputeLjungBox.h"
#include "SeriesCompute/SeriesComputeSumSquaredRegression.h"
#include "SeriesCompute/SeriesComputeTtest.h"
#include "SeriesCompute/SeriesForecastBoxJenkinsNew.h"

#include <memory>
#include "SeriesCompute/SeriesForecastCroston.h"
#include "SeriesCompute/SeriesForecastNewProductOptimizedCurve.h"

using namespace qd;

const ClassIdentity MatrixX::identity = {
    L"MatrixX", L"MatrixX.MatrixX.1", "ActiveX\\QDInterface\\MatrixX", &CLSID_MatrixX, &IID_IMatrixX};

MatrixX::MatrixX()
{
    matrix_ = bindOwned(std::make_shared<Matrix>());
}

MatrixX::~MatrixX() = default;

void MatrixX::attach(const ElementBinding<Matrix>& binding)
{
    matrix_ = binding;
}

Matrix& MatrixX::matrix(std::int32_t line)
{
    Matrix* element = matrix_.get();
    if (element == nullptr) throwCode(identity, line, ErrorCode::OutOfMemory);
    return *element;
}

Series& MatrixX::checkedSeries(Matrix& m, LONG seriesIndex, std::int32_t line)
{
    if (seriesIndex < 0) throwCode(identity, line, ErrorCode::NegativeIndex);
    if (seriesIndex >= m.numSeries()) throwCode(identity, line, ErrorCode::OutOfBounds);
    return m.series(seriesIndex);
}

void MatrixX::checkObservationIndex(const Series& s, LONG observationIndex, std::int32_t line)
{
    if (observationIndex < 0) throwCode(identity, line, ErrorCode::NegativeIndex);
    if (observationIndex >= s.numObservations()) throwCode(identity, line, ErrorCode::OutOfBounds);
}

HRESULT STDMETHODCALLTYPE MatrixX::AddObservation(LONG seriesNumber, double value, BSTR description,
                                                  short originType)
{
    return runFrame(identity, __LINE__, [&] {
        Matrix& m = matrix(__LINE__);
        if (seriesNumber < 0) throwCode(identity, __LINE__, ErrorCode::NegativeIndex);
        FdCString text = StringTransfer(description);
        // Growth to a series the process could never hold is refused
        // before anything is appended.
        growSeriesUpTo(m, seriesNumber, identity.sourcePath, __LINE__);
        m.addObservation(seriesNumber, value, originType, text);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::RemoveAll()
{
    return runFrame(identity, __LINE__, [&] {
        matrix(__LINE__).removeAll();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::get_Series(LONG index, ISeriesX** result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Matrix& m = matrix(__LINE__);
        growSeriesUpTo(m, index, identity.sourcePath, __LINE__);
        m.seriesAt(index);
        ComLayer::ComPtr<SeriesX> child = ComLayer::newObject<SeriesX>();
        child->attach(bindChild(matrix_, m, index));
        return child->QueryInterface(IID_ISeriesX, reinterpret_cast<void**>(result));
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::get_NumSeries(LONG* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        *result = matrix(__LINE__).numSeries();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::get_Statistic(short type, double* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Matrix& m = matrix(__LINE__);
        MatrixQC::matrixIndex(type);
        const QuantityMatrix* table = m.storedResults.statisticMatrix(type);
        double value = 0.0;
        if (table != nullptr && table->rows() > 0 && table->columns() > 0)
            table->lookupAt(table->rows() - 1, table->columns() - 1, value);
        *result = value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::put_Statistic(short type, double value)
{
    return runFrame(identity, __LINE__, [&] {
        Matrix& m = matrix(__LINE__);
        MatrixQC::matrixIndex(type);
        QuantityMatrix* table = m.storedResults.statisticMatrix(type);
        if (table != nullptr && table->rows() > 0 && table->columns() > 0)
            table->storeAt(table->rows() - 1, table->columns() - 1, type, value);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::get__NewEnum(IUnknown** result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Matrix& m = matrix(__LINE__);
        items_.clear();
        std::int32_t n = m.numSeries();
        items_.allocate(static_cast<std::size_t>(n));
        for (std::int32_t i = 0; i < n; ++i) {
            ComLayer::ComPtr<SeriesX> child = ComLayer::newObject<SeriesX>();
            child->attach(bindChild(matrix_, m, i));
            items_[i].vt = VT_DISPATCH;
            items_[i].pdispVal = static_cast<ISeriesX*>(child.detach());
        }
        *result = nullptr;
        return ComLayer::makeVariantEnumerator(items_.data(), items_.size(), result);
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::get_NumStatistics(short statType, LONG* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        *result = matrix(__LINE__).storedResults.count(statType);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::get_Value(LONG seriesIndex, LONG observationIndex, double* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Series& s = checkedSeries(matrix(__LINE__), seriesIndex, __LINE__);
        checkObservationIndex(s, observationIndex, __LINE__);
        *result = s.observation(observationIndex).value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::put_Value(LONG seriesIndex, LONG observationIndex, double value)
{
    return runFrame(identity, __LINE__, [&] {
        Series& s = checkedSeries(matrix(__LINE__), seriesIndex, __LINE__);
        checkObservationIndex(s, observationIndex, __LINE__);
        s.observation(observationIndex).value = value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::get_StatValueObs(LONG seriesIndex, LONG observationIndex, short statType,
                                                    double* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Series& s = checkedSeries(matrix(__LINE__), seriesIndex, __LINE__);
        checkObservationIndex(s, observationIndex, __LINE__);
        double value = 0.0;
        s.observation(observationIndex).storedResults.lookup(statType, value);
        *result = value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::put_StatValueObs(LONG seriesIndex, LONG observationIndex, short statType,
                                                    double value)
{
    return runFrame(identity, __LINE__, [&] {
        Series& s = checkedSeries(matrix(__LINE__), seriesIndex, __LINE__);
        checkObservationIndex(s, observationIndex, __LINE__);
        s.observation(observationIndex).storedResults.store(statType, value);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::RemoveSeriesAt(LONG seriesIndex)
{
    return runFrame(identity, __LINE__, [&] {
        matrix(__LINE__).removeSeriesAt(seriesIndex);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::RemoveAllObservationsAt(LONG observationIndex)
{
    return runFrame(identity, __LINE__, [&] {
        matrix(__LINE__).removeAllObservationsAt(observationIndex);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::Reshape(LONG numSeries)
{
    return runFrame(identity, __LINE__, [&] {
        Matrix& m = matrix(__LINE__);
        if (m.numSeries() > 0) throwCode(identity, __LINE__, ErrorCode::MatrixNotEmpty);
        m.reserve(numSeries);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::get_StatValueMatrix(short statType, LONG row, LONG col, double* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Matrix& m = matrix(__LINE__);
        const QuantityMatrix* table = m.storedResults.statisticMatrix(statType);
        double value = 0.0;
        if (table != nullptr) table->lookupAt(row, col, value);
        *result = value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::put_StatValueMatrix(short statType, LONG row, LONG col, double value)
{
    return runFrame(identity, __LINE__, [&] {
        Matrix& m = matrix(__LINE__);
        QuantityMatrix* table = m.storedResults.statisticMatrix(statType);
        if (table != nullptr) table->storeAt(row, col, statType, value);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::get_StatValueSeries(LONG seriesIndex, short statType, LONG statIndex,
                                                       double* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Series& s = checkedSeries(matrix(__LINE__), seriesIndex, __LINE__);
        double value = 0.0;
        s.storedResults.lookupQuantity(statType, statIndex, &value);
        *result = value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::put_StatValueSeries(LONG seriesIndex, short statType, LONG statIndex,
                                                       double value)
{
    return runFrame(identity, __LINE__, [&] {
        Series& s = checkedSeries(matrix(__LINE__), seriesIndex, __LINE__);
        s.storedResults.storeQuantity(statType, statIndex, value);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::get_NumStatRows(short type, LONG* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        const QuantityMatrix* table = matrix(__LINE__).storedResults.statisticMatrix(type);
        *result = table != nullptr ? table->rows() : 0;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::get_NumStatColumns(short type, LONG* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        const QuantityMatrix* table = matrix(__LINE__).storedResults.statisticMatrix(type);
        *result = table != nullptr ? table->columns() : 0;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::get_Extension1(IMatrixXEx1** result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        matrix(__LINE__);
        if (!extension_) {
            // The extension shares this object's binding; it holds no
            // reference on this object, which holds it.
            ComLayer::ComPtr<MatrixXEx1> made = ComLayer::newObject<MatrixXEx1>();
            made->attach(matrix_);
            extension_ = made;
        }
        return extension_->QueryInterface(IID_IMatrixXEx1, reinterpret_cast<void**>(result));
    });
}

// ---- apply step and run routines -------------------------------------------

HRESULT MatrixX::apply(MatrixOp& op)
{
    return runFrame(identity, __LINE__, [&] {
        Matrix& m = matrix(__LINE__);
        // Running out of memory part of the way through leaves the matrix as
        // it was.
        return qd::allOrNothing(m, [&] {
            op.flag = 1;
            m.setDirty(true, true);
            m.applyRectangular(op);
            return S_OK;
        });
    });
}

HRESULT MatrixX::runSeriesCompute(SeriesCompute& compute)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<MatrixOp> op(new MatrixOpApplySeriesCompute(compute));
        return apply(*op);
    });
}

HRESULT MatrixX::runIteratedSeriesCompute(SeriesCompute& compute, std::int32_t start)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<MatrixOp> op(new MatrixOpApplyIteratedSeriesCompute(compute, start));
        return apply(*op);
    });
}

HRESULT MatrixX::runIteratedObservationCompute(ObservationCompute& compute, std::int32_t start)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<MatrixOp> op(new MatrixOpApplyIteratedObservationCompute(compute, start));
        return apply(*op);
    });
}

HRESULT MatrixX::runSeriesForecast(SeriesForecast& compute)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<MatrixOp> op(new MatrixOpApplySeriesForecast(compute));
        return apply(*op);
    });
}

HRESULT MatrixX::runMatrixCompute(qd::MatrixCompute& compute)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<MatrixOp> op(new MatrixOpApplyMatrixCompute(compute));
        return apply(*op);
    });
}

HRESULT MatrixX::applyAnyShape(MatrixOp& op)
{
    return runFrame(identity, __LINE__, [&] {
        Matrix& m = matrix(__LINE__);
        return qd::allOrNothing(m, [&] {
            op.flag = 1;
            m.setDirty(true, true);
            m.apply(op);
            return S_OK;
        });
    });
}

// ---- the matrix's own computing members (the ones it shares with SeriesX are
// SeriesMatrixMembers') ---------------------------------------------------------

// ---- regressions and matrix statistics ------------------------------------------

HRESULT MatrixX::runMatrixForecast(qd::MatrixForecast& compute)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<MatrixOp> op(new MatrixOpApplyMatrixForecast(compute));
        return apply(*op);
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::CalculateCoefficientDeterminationMatrix(LONG observationNumber,
                                                                           LONG numHistoricalValues)
{
    return runFrame(identity, __LINE__, [&] {
        qd::MatrixComputeCoefficientDeterminationMatrix compute(observationNumber, numHistoricalValues);
        return runMatrixCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::CalculateCorrelationCoefficientMatrix(LONG observationNumber,
                                                                         LONG numHistoricalValues)
{
    return runFrame(identity, __LINE__, [&] {
        qd::MatrixComputeCorrelationCoefficientMatrix compute(observationNumber, numHistoricalValues);
        return runMatrixCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::CalculateCovarianceMatrix(LONG observationNumber, LONG numHistoricalValues)
{
    return runFrame(identity, __LINE__, [&] {
        qd::MatrixComputeCovarianceMatrix compute(observationNumber, numHistoricalValues);
        return runMatrixCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::ForecastMultipleRegression(LONG observationNumber, LONG numHistoricalValues)
{
    return runFrame(identity, __LINE__, [&] {
        {
            qd::MatrixForecastMultipleRegression regression(observationNumber, numHistoricalValues, true, 0, 0.0,
                                                            false, false, false, false, -1);
            if (runMatrixForecast(regression) == S_OK) return S_OK;
        }
        // Out of memory ends the member; any other failure of the
        // regression stays reported, and forward selection with no F limits
        // tries the series one by one.
        if (lastReportWasOutOfMemory()) return QD_E_REPORTED;
        qd::MatrixForecastStepwise stepwise(observationNumber, numHistoricalValues, qd::kForwardSelection,
                                            qd::QD_COMPUTE, qd::QD_COMPUTE, 0.0, 0.0, 0, 0, false, true, 0, 0.0, false,
                                            false, false);
        const HRESULT result = runMatrixForecast(stepwise);
        // Both attempts failed (their failure is reported, also code 3 for
        // an unbound object): no method is recorded.
        if (result != S_OK || matrix_.get() == nullptr) return result;
        Matrix& m = *matrix_.get();
        m.forecastMethodNumber = qd::QD_MULTIPLE_REGRESSION;
        std::int32_t dependents = 0;
        std::int32_t dependent = -1;
        for (std::int32_t i = 0; i < m.numSeries(); ++i) {
            if (m.series(i).dependenceType == qd::QD_DEPENDENT) {
                ++dependents;
                dependent = i;
            }
        }
        if (dependents == 1) m.series(dependent).forecastMethodNumber = qd::QD_MULTIPLE_REGRESSION;
        return result;
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::ForecastStepwise(LONG observationNumber, LONG numHistoricalValues, SHORT sType,
                                                    LONG minNumSeries, LONG maxNumSeries, double minFIn,
                                                    double maxFOut, LONG minLag, LONG maxLag, SHORT needLagDependent)
{
    return runFrame(identity, __LINE__, [&] {
        qd::MatrixForecastStepwise method(observationNumber, numHistoricalValues, sType, minNumSeries, maxNumSeries,
                                          minFIn, maxFOut, minLag, maxLag, needLagDependent == 1, true, 0, 0.0,
                                          false, false, false);
        return runMatrixForecast(method);
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::ForecastPolynomialRegression(LONG observationNumber, LONG numHistoricalValues,
                                                                LONG maxDegree, double partialF, double minFIn,
                                                                double maxFOut)
{
    return runFrame(identity, __LINE__, [&] {
        qd::MatrixForecastPolynomialRegression method(observationNumber, numHistoricalValues, maxDegree, partialF,
                                                      minFIn, maxFOut, true, 0, 0.0, false, false, false);
        return runMatrixForecast(method);
    });
}

// ---- computations over the whole matrix ---------------------------------------------

HRESULT STDMETHODCALLTYPE MatrixX::CalculateErlangB(LONG doType, double B)
{
    return runFrame(identity, __LINE__, [&] {
        qd::MatrixComputeErlangB compute(doType, B);
        return runMatrixCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::CalculateErlangC(LONG doType)
{
    return runFrame(identity, __LINE__, [&] {
        qd::MatrixComputeErlangC compute(doType);
        return runMatrixCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::CalculateErlangPoisson(LONG doType, double p)
{
    return runFrame(identity, __LINE__, [&] {
        qd::MatrixComputeErlangPoisson compute(doType, p);
        return runMatrixCompute(compute);
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::ForecastCensusX11(LONG observationNumber, LONG numHistoricalValues,
                                                     LONG numForecastPeriods, LONG SeasonalLength, short decompType,
                                                     double SDRatio, short needTradingDaysAdjust,
                                                     short ForecastMethod)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<qd::MatrixForecastCensusX11> compute(
            new qd::MatrixForecastCensusX11(observationNumber, numHistoricalValues, numForecastPeriods, SeasonalLength,
                                            decompType, SDRatio, needTradingDaysAdjust != 0, ForecastMethod));
        std::unique_ptr<MatrixOp> op(new MatrixOpApplyMatrixForecast(*compute));
        return applyAnyShape(*op);
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::EventIndexCreate(LONG observationNumber, double EISmoothingWeight)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<qd::MatrixComputeEventIndexCreate> compute(
            new qd::MatrixComputeEventIndexCreate(observationNumber, 0, -1, EISmoothingWeight));
        std::unique_ptr<MatrixOp> op(new MatrixOpApplyMatrixCompute(*compute));
        return applyAnyShape(*op);
    });
}

HRESULT STDMETHODCALLTYPE MatrixX::EventIndexApply(LONG observationNumber)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<qd::MatrixComputeEventIndexApply> compute(
            new qd::MatrixComputeEventIndexApply(observationNumber, 0, -1));
        std::unique_ptr<MatrixOp> op(new MatrixOpApplyMatrixCompute(*compute));
        return applyAnyShape(*op);
    });
}
