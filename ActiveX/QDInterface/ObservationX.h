// ObservationX: one observation (one period of a series) with its value,
// origin type, description and stored results.
#ifndef QD_QDINTERFACE_OBSERVATIONX_H
#define QD_QDINTERFACE_OBSERVATIONX_H

#include "AutomationFrame.h"
#include "ElementBinding.h"
#include "QDInterfaceMembers.h"

namespace qd {
class Observation;
class ObservationOp;
} // namespace qd

class StatisticsX;

class ObservationX : public AutomationClass<ObservationX, IObservationXMembers, IObservationX> {
public:
    static const ClassIdentity identity;

    ObservationX();
    ~ObservationX() override;

    // Binds the object to an observation that lives elsewhere; the
    // observation the object owned, if any, is freed (one it merely
    // referred to is left alone).
    void attach(const ElementBinding<qd::Observation>& binding);

    HRESULT STDMETHODCALLTYPE get_Statistics(IStatisticsX** result) override;
    HRESULT STDMETHODCALLTYPE get_Statistic(short type, double* result) override;
    HRESULT STDMETHODCALLTYPE put_Statistic(short type, double value) override;
    HRESULT STDMETHODCALLTYPE get_Origin(short* result) override;
    HRESULT STDMETHODCALLTYPE get_Value(double* result) override;
    HRESULT STDMETHODCALLTYPE put_Value(double value) override;
    HRESULT STDMETHODCALLTYPE get_Description(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE put_Description(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_NumStatistics(short statType, LONG* result) override;
    HRESULT STDMETHODCALLTYPE CalculateError() override;
    HRESULT STDMETHODCALLTYPE CalculateLog() override;
    HRESULT STDMETHODCALLTYPE get_StatValueObs(short statType, double* result) override;
    HRESULT STDMETHODCALLTYPE put_StatValueObs(short statType, double value) override;

    // The class's apply step: runs the op on the observation (code 3 when
    // unbound).
    void apply(qd::ObservationOp& op);

private:
    // The observation; code 3 when unbound or when it is gone.
    qd::Observation& observation(std::int32_t line);

    ElementBinding<qd::Observation> observation_;
    ComLayer::ComPtr<StatisticsX> statistics_; // created on first read
};

#endif
