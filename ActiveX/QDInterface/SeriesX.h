// SeriesX: one time series; its observations, values, descriptions, roles
// and stored results, the observations, statistics and extension objects
// handed out for it, and the statistics and forecasts computed over it.
//
// A computing member (SeriesMatrixMembers.h, shared with MatrixX) builds one
// compute object of the compute library on its stack; the runners here wrap
// it in an applier and hand that to the apply step, which marks the series'
// value arrays stale (dropping its cached statistics) and applies it when
// the series holds at least one observation. The compute object stores its
// results in the series; the member returns an HRESULT only.
#ifndef QD_QDINTERFACE_SERIESX_H
#define QD_QDINTERFACE_SERIESX_H

#include "AutomationFrame.h"
#include "ElementBinding.h"
#include "QDInterfaceMembers.h"
#include "SeriesMatrixMembers.h"

namespace qd {
class Series;
class SeriesOp;
class SeriesCompute;
class SeriesForecast;
class ObservationCompute;
} // namespace qd

class StatisticsX;
class SeriesXEx1;

template <class Derived>
using SeriesXShared = SeriesMatrixMembers<Derived, ISeriesXMembers>;

class SeriesX : public AutomationClass<SeriesX, SeriesXShared, ISeriesX> {
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
    HRESULT STDMETHODCALLTYPE get_NumObservations(LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_Statistic(short type, double* result) override;
    HRESULT STDMETHODCALLTYPE put_Statistic(short type, double value) override;
    HRESULT STDMETHODCALLTYPE get_ValueType(short* result) override;
    HRESULT STDMETHODCALLTYPE put_ValueType(short value) override;
    HRESULT STDMETHODCALLTYPE get_NumStatistics(short statType, LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_Value(LONG observationIndex, double* result) override;
    HRESULT STDMETHODCALLTYPE put_Value(LONG observationIndex, double value) override;
    HRESULT STDMETHODCALLTYPE get_StatValueObs(LONG observationIndex, short statType, double* result) override;
    HRESULT STDMETHODCALLTYPE put_StatValueObs(LONG observationIndex, short statType, double value) override;
    HRESULT STDMETHODCALLTYPE RemoveObservationAt(LONG observationIndex) override;
    HRESULT STDMETHODCALLTYPE Reshape(LONG numObservations) override;
    HRESULT STDMETHODCALLTYPE get_StatValueSeries(short statType, LONG statIndex, double* result) override;
    HRESULT STDMETHODCALLTYPE put_StatValueSeries(short statType, LONG statIndex, double value) override;
    HRESULT STDMETHODCALLTYPE get_numParameters(LONG forecastMethod, LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_NumObservationsByOriginType(short originType, LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_Extension1(ISeriesXEx1** result) override;

    // Its computing members are the ones it shares with MatrixX
    // (SeriesMatrixMembers).

private:
    friend class SeriesMatrixMembers<SeriesX, ISeriesXMembers>;
    friend struct MemberRunners;

    // The apply step: code 3 when there is no series; marks both value
    // arrays stale, then applies the op unless the series is empty.
    HRESULT apply(qd::SeriesOp& op);
    // Each wraps the compute object in its applier, runs the apply step
    // and deletes the applier.
    HRESULT runSeriesCompute(qd::SeriesCompute& compute);
    HRESULT runSeriesForecast(qd::SeriesForecast& compute);
    HRESULT runIteratedSeriesCompute(qd::SeriesCompute& compute, std::int32_t start);
    HRESULT runIteratedObservationCompute(qd::ObservationCompute& compute, std::int32_t start);

    // The series; code 3 when unbound or when it is gone.
    qd::Series& series(std::int32_t line);
    qd::Series& element(std::int32_t line) { return series(line); }
    const ElementBinding<qd::Series>& binding() const { return series_; }
    // Observation index checks of Value and StatValueObs: 3000, 3006.
    void checkObservationIndex(const qd::Series& s, LONG index, std::int32_t line);

    ElementBinding<qd::Series> series_;
    ComLayer::ComPtr<StatisticsX> statistics_;
    ComLayer::ComPtr<SeriesXEx1> extension_;
    ComLayer::VariantArray items_;
};

#endif
