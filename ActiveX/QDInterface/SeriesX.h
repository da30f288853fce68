// SeriesX: one time series; its observations, values, descriptions, roles
// and stored results, and the observations, statistics and extension
// objects handed out for it.
#ifndef QD_QDINTERFACE_SERIESX_H
#define QD_QDINTERFACE_SERIESX_H

#include "AutomationFrame.h"
#include "ElementBinding.h"
#include "QDInterfaceMembers.h"

class Series;
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
    void attach(const ElementBinding<Series>& binding);

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

private:
    // The series; code 3 when unbound or when it is gone.
    Series& series(std::int32_t line);
    // Observation index checks of Value and StatValueObs: 3000, 3006.
    void checkObservationIndex(const Series& s, LONG index, std::int32_t line);

    ElementBinding<Series> series_;
    ComLayer::ComPtr<StatisticsX> statistics_;
    ComLayer::ComPtr<SeriesXEx1> extension_;
    ComLayer::VariantArray items_;
};

// A binding to the observation at index of the bound series, which finds
// the observation again by its identity on every call.
class Observation;
ElementBinding<Observation> bindObservation(const ElementBinding<Series>& series, Series& s,
                                            std::int32_t index);

#endif
