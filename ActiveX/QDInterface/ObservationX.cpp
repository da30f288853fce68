#include "ObservationX.h"

#include "StatisticsX.h"
#include "StringTransfer.h"

#include "Matrix/Observation.h"
#include "Matrix/ObservationOpApplyObservationCompute.h"
#include "SeriesCompute/ObservationComputeError.h"
#include "SeriesCompute/ObservationComputeLog.h"

#include <memory>

using namespace qd;

const ClassIdentity ObservationX::identity = {
    L"ObservationX", L"ObservationX.ObservationX.1", "ActiveX\\QDInterface\\ObservationX",
    &CLSID_ObservationX, &IID_IObservationX};

namespace {

// The observation-level quantity types are 0 to 36.
void checkObservationType(std::int32_t line, std::int32_t type)
{
    if (type < 0 || type > 36) throwCode(ObservationX::identity, line, ErrorCode::NotObservationLevel);
}

} // namespace

ObservationX::ObservationX()
{
    observation_ = bindOwned(std::make_shared<Observation>());
}

ObservationX::~ObservationX() = default;

void ObservationX::attach(const ElementBinding<Observation>& binding)
{
    // Replacing the anchor frees an observation this object owned; storage
    // of others is only referred to and stays as it is.
    observation_ = binding;
}

Observation& ObservationX::observation(std::int32_t line)
{
    Observation* element = observation_.get();
    if (element == nullptr) throwCode(identity, line, ErrorCode::OutOfMemory);
    return *element;
}

HRESULT STDMETHODCALLTYPE ObservationX::get_Statistics(IStatisticsX** result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        observation(__LINE__);
        if (!statistics_) {
            ComLayer::ComPtr<StatisticsX> made = ComLayer::newObject<StatisticsX>();
            made->attach(bindResults(observation_));
            statistics_ = made;
        }
        return statistics_->QueryInterface(IID_IStatisticsX, reinterpret_cast<void**>(result));
    });
}

HRESULT STDMETHODCALLTYPE ObservationX::get_Statistic(short type, double* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Observation& element = observation(__LINE__);
        checkObservationType(__LINE__, type);
        *result = element.storedResults.value(type);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ObservationX::put_Statistic(short type, double value)
{
    return runFrame(identity, __LINE__, [&] {
        Observation& element = observation(__LINE__);
        checkObservationType(__LINE__, type);
        element.storedResults.store(type, value);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ObservationX::get_Origin(short* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        *result = static_cast<short>(observation(__LINE__).originType);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ObservationX::get_Value(double* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        *result = observation(__LINE__).value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ObservationX::put_Value(double value)
{
    return runFrame(identity, __LINE__, [&] {
        observation(__LINE__).value = value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ObservationX::get_Description(BSTR* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        *result = makeBstr(observation(__LINE__).description);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ObservationX::put_Description(BSTR value)
{
    return runFrame(identity, __LINE__, [&] {
        Observation& element = observation(__LINE__);
        element.description = StringTransfer(value);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ObservationX::get_NumStatistics(short statType, LONG* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Observation& element = observation(__LINE__);
        if (statType != -1) checkObservationType(__LINE__, statType);
        *result = element.storedResults.count(statType);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ObservationX::get_StatValueObs(short statType, double* result)
{
    return get_Statistic(statType, result);
}

HRESULT STDMETHODCALLTYPE ObservationX::put_StatValueObs(short statType, double value)
{
    return put_Statistic(statType, value);
}

void ObservationX::apply(ObservationOp& op)
{
    const std::int32_t applyLine = __LINE__;
    Observation& element = observation(__LINE__);
    op.flag = 1;
    try {
        op.apply(element);
    } catch (const MVRBaseException&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (...) {
        // Any other failure of the computation is reported with this
        // step's line.
        throwCode(identity, applyLine, ErrorCode::Unexpected);
    }
}

HRESULT STDMETHODCALLTYPE ObservationX::CalculateError()
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<ObservationComputeError> compute(new ObservationComputeError());
        std::unique_ptr<ObservationOpApplyObservationCompute> op(
            new ObservationOpApplyObservationCompute(*compute));
        apply(*op);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE ObservationX::CalculateLog()
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<ObservationComputeLog> compute(new ObservationComputeLog());
        std::unique_ptr<ObservationOpApplyObservationCompute> op(
            new ObservationOpApplyObservationCompute(*compute));
        apply(*op);
        return S_OK;
    });
}
