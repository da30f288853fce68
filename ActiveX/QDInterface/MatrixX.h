// MatrixX: a whole matrix of series; loading observations into numbered
// series, values and stored results, the series, statistics and extension
// objects handed out for it, and the statistics and forecasts computed over
// every series at once.
//
// A computing member (SeriesMatrixMembers.h, shared with SeriesX) builds one
// compute object; the runners here wrap it in a matrix applier and hand
// that to the apply step, which marks every series' value arrays stale and
// applies it to the matrix; the series must all have the
// same number of observations (2000 otherwise), and a matrix without series
// is left unchanged.
#ifndef QD_QDINTERFACE_MATRIXX_H
#define QD_QDINTERFACE_MATRIXX_H

#include "AutomationFrame.h"
#include "ElementBinding.h"
#include "QDInterfaceMembers.h"
#include "SeriesMatrixMembers.h"

namespace qd {
class Matrix;
class MatrixOp;
class Series;
class SeriesCompute;
class SeriesForecast;
class MatrixForecast;
class MatrixCompute;
class ObservationCompute;
} // namespace qd

class StatisticsX;
class MatrixXEx1;

template <class Derived>
using MatrixXShared = SeriesMatrixMembers<Derived, IMatrixXMembers>;

class MatrixX : public AutomationClass<MatrixX, MatrixXShared, IMatrixX> {
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
    HRESULT STDMETHODCALLTYPE get_Series(LONG index, ISeriesX** result) override;
    HRESULT STDMETHODCALLTYPE get_NumSeries(LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_Statistic(short type, double* result) override;
    HRESULT STDMETHODCALLTYPE put_Statistic(short type, double value) override;
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
    HRESULT STDMETHODCALLTYPE get_Extension1(IMatrixXEx1** result) override;

    // The members it shares with SeriesX are SeriesMatrixMembers';
    // these are its own.

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

private:
    friend class SeriesMatrixMembers<MatrixX, IMatrixXMembers>;
    friend struct MemberRunners;

    // The apply step: code 3 when unbound; marks every series' value arrays
    // stale and applies the op through Matrix::applyRectangular.
    HRESULT apply(qd::MatrixOp& op);
    // Each wraps the compute object in its applier, runs the apply step
    // and deletes the applier.
    HRESULT runSeriesCompute(qd::SeriesCompute& compute);
    HRESULT runIteratedSeriesCompute(qd::SeriesCompute& compute, std::int32_t start);
    HRESULT runSeriesForecast(qd::SeriesForecast& compute);
    HRESULT runIteratedObservationCompute(qd::ObservationCompute& compute, std::int32_t start);
    // The apply step without the test of the series' lengths, for the
    // computations that take a matrix of any shape.
    HRESULT applyAnyShape(qd::MatrixOp& op);

    // The matrix; code 3 when unbound.
    qd::Matrix& matrix(std::int32_t line);
    qd::Matrix& element(std::int32_t line) { return matrix(line); }
    const ElementBinding<qd::Matrix>& binding() const { return matrix_; }
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
