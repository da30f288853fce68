// MatrixX: a whole matrix of series; loading observations into numbered
// series, values and stored results, and the series, statistics and
// extension objects handed out for it.
#ifndef QD_QDINTERFACE_MATRIXX_H
#define QD_QDINTERFACE_MATRIXX_H

#include "AutomationFrame.h"
#include "ElementBinding.h"
#include "QDInterfaceMembers.h"

class Matrix;
class Series;
class StatisticsX;
class MatrixXEx1;

class MatrixX : public AutomationClass<MatrixX, IMatrixXMembers, IMatrixX> {
public:
    static const ClassIdentity identity;

    MatrixX();
    ~MatrixX() override;

    // Binds the object to a matrix that lives elsewhere; a matrix the
    // object owned is freed, one it merely referred to is left alone.
    void attach(const ElementBinding<Matrix>& binding);

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

private:
    // The matrix; code 3 when unbound.
    Matrix& matrix(std::int32_t line);
    // Index checks of Value, StatValueObs and StatValueSeries.
    Series& checkedSeries(Matrix& m, LONG seriesIndex, std::int32_t line);
    void checkObservationIndex(const Series& s, LONG observationIndex, std::int32_t line);
    // A binding to the series at index that finds it again by its identity.
    ElementBinding<Series> bindSeries(Matrix& m, std::int32_t index);

    ElementBinding<Matrix> matrix_;
    ComLayer::ComPtr<StatisticsX> statistics_;
    ComLayer::ComPtr<MatrixXEx1> extension_;
    ComLayer::VariantArray items_;
};

#endif
