#include "SeriesX.h"

#include "Matrix/Snapshot.h"

#include "ObservationX.h"
#include "SeriesXEx1.h"
#include "StatisticsX.h"
#include "StringTransfer.h"

#include "ComLayer/VariantEnumerator.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesOpApplyIteratedObservationCompute.h"
#include "Matrix/SeriesOpApplyIteratedSeriesCompute.h"
#include "Matrix/SeriesOpApplySeriesCompute.h"
#include "Matrix/SeriesOpApplySeriesForecast.h"
#include "SeriesCompute/ObservationComputeError.h"
#include "SeriesCompute/ObservationComputeLog.h"
#include "SeriesCompute/DecompositionType.h"
#include "SeriesCompute/SeriesComputeApplyDecompositionIndex.h"
#include "SeriesCompute/SeriesComputeConfidenceInterval.h"
#include "SeriesCompute/SeriesComputeCreateDecompositionIndex.h"
#include "SeriesCompute/SeriesComputeSafetyStock.h"
#include "SeriesCompute/SeriesCleaning.h"
#include "SeriesCompute/SeriesForecastExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastSelvane.h"
#include "SeriesCompute/SeriesComputeModeMedian.h"
#include "SeriesCompute/SeriesForecastAdaptiveExponentialSmoothing.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastDoubleExponentialSmoothingHolt.h"
#include "SeriesCompute/SeriesForecastMovingAverage.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingBrown.h"
#include "SeriesCompute/SeriesForecastTripleExponentialSmoothingWinters.h"
#include "SeriesCompute/SeriesForecastWeightedMovingAverage.h"
#include "SeriesCompute/SeriesForecastLinearRegression.h"
#include "SeriesCompute/SeriesStatistics.h"
#include "SeriesCompute/FitCriteria.h"
#include "SeriesCompute/SeriesComputeLjungBox.h"
#include "SeriesCompute/SeriesComputeSumSquaredRegression.h"
#include "SeriesCompute/SeriesComputeTtest.h"
#include "SeriesCompute/SeriesForecastBoxJenkinsNew.h"

#include <memory>
#include "SeriesCompute/SeriesForecastCroston.h"
#include "SeriesCompute/SeriesForecastNewProductOptimizedCurve.h"

using namespace qd;

const ClassIdentity SeriesX::identity = {
    L"SeriesX", L"SeriesX.SeriesX.1", "ActiveX\\QDInterface\\SeriesX", &CLSID_SeriesX, &IID_ISeriesX};

namespace {

const std::int32_t observationsPreSized = 64;

} // namespace

SeriesX::SeriesX()
{
    series_ = bindOwned(std::make_shared<Series>(observationsPreSized));
}

SeriesX::~SeriesX() = default;

void SeriesX::attach(const ElementBinding<Series>& binding)
{
    series_ = binding;
}

namespace {

// Answered only by this server's SeriesX objects: the way an extension
// recognises a SeriesX it may take a series from.
const IID IID_SeriesXImplementation = {0x6d3f1b52, 0x0c47, 0x4e8a, {0x9b, 0x21, 0x57, 0xd0, 0x3e, 0x6a, 0x14, 0xc9}};

} // namespace

const ComLayer::InterfaceEntry* SeriesX::interfaceTable() const
{
    static const ComLayer::InterfaceEntry table[] = {
        QD_INTERFACE_ENTRY(SeriesX, ISeriesX),
        QD_INTERFACE_ENTRY_AS(SeriesX, IID_IDispatch, ISeriesX),
        QD_INTERFACE_ENTRY(SeriesX, ISupportErrorInfo),
        QD_INTERFACE_ENTRY_AS(SeriesX, IID_SeriesXImplementation, ISeriesX),
        QD_INTERFACE_END,
    };
    return table;
}

bool SeriesX::bindingBehind(ISeriesX* other, ElementBinding<Series>& binding)
{
    if (other == nullptr) return false;
    ISeriesX* own = nullptr;
    if (FAILED(other->QueryInterface(IID_SeriesXImplementation, reinterpret_cast<void**>(&own))) || own == nullptr)
        return false;
    ComLayer::ComPtr<ISeriesX> held = ComLayer::ComPtr<ISeriesX>::adopt(own);
    binding = static_cast<SeriesX*>(own)->series_;
    return true;
}

Series& SeriesX::series(std::int32_t line)
{
    Series* element = series_.get();
    if (element == nullptr) throwCode(identity, line, ErrorCode::OutOfMemory);
    return *element;
}

void SeriesX::checkObservationIndex(const Series& s, LONG index, std::int32_t line)
{
    if (index < 0) throwCode(identity, line, ErrorCode::NegativeIndex);
    if (index >= s.numObservations()) throwCode(identity, line, ErrorCode::OutOfBounds);
}

HRESULT STDMETHODCALLTYPE SeriesX::AddObservation(double value, BSTR description, short originType)
{
    return runFrame(identity, __LINE__, [&] {
        Series& s = series(__LINE__);
        FdCString text = StringTransfer(description);
        s.addObservation(value, originType, text);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::RemoveAll()
{
    return runFrame(identity, __LINE__, [&] {
        Series& s = series(__LINE__);
        s.clearObservations();
        s.setDirty(true, true);
        s.forecastMethodNumber = -1;
        s.seasonalLength = 0;
        s.storedResults.clear();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::get_Observation(LONG index, IObservationX** result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Series& s = series(__LINE__);
        if (index < 0 || index > s.numObservations() - 1)
            throwCode(identity, __LINE__, ErrorCode::InvalidIndex);
        ComLayer::ComPtr<ObservationX> child = ComLayer::newObject<ObservationX>();
        child->attach(bindChild(series_, s, index));
        return child->QueryInterface(IID_IObservationX, reinterpret_cast<void**>(result));
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::get__NewEnum(IUnknown** result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Series& s = series(__LINE__);
        items_.clear();
        std::int32_t n = s.numObservations();
        items_.allocate(static_cast<std::size_t>(n));
        for (std::int32_t i = 0; i < n; ++i) {
            ComLayer::ComPtr<ObservationX> child = ComLayer::newObject<ObservationX>();
            child->attach(bindChild(series_, s, i));
            items_[i].vt = VT_DISPATCH;
            items_[i].pdispVal = static_cast<IObservationX*>(child.detach());
        }
        *result = nullptr;
        return ComLayer::makeVariantEnumerator(items_.data(), items_.size(), result);
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::get_DependenceType(short* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        *result = static_cast<short>(series(__LINE__).dependenceType);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::put_DependenceType(short value)
{
    return runFrame(identity, __LINE__, [&] {
        series(__LINE__).dependenceType = value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::get_NumObservations(LONG* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        *result = series(__LINE__).numObservations();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::get_Statistic(short type, double* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Series& s = series(__LINE__);
        if (type < SeriesQC::FIRST_SINGLE || type > SeriesQC::LAST_MULTIPLE)
            throwCode(identity, __LINE__, ErrorCode::NotSeriesLevel);
        if (type <= SeriesQC::LAST_SINGLE) {
            *result = s.storedResults.value(type);
            return S_OK;
        }
        SeriesQC::multipleIndex(type); // 2084 to 3999: not a multi-valued type
        std::int32_t n = s.storedResults.count(type);
        double value = 0.0;
        if (n > 0) s.storedResults.lookupMultiple(type, n - 1, value);
        *result = value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::put_Statistic(short type, double value)
{
    return runFrame(identity, __LINE__, [&] {
        Series& s = series(__LINE__);
        if (type < SeriesQC::FIRST_SINGLE || type > SeriesQC::LAST_MULTIPLE)
            throwCode(identity, __LINE__, ErrorCode::NotSeriesLevel);
        if (type <= SeriesQC::LAST_SINGLE) {
            s.storedResults.store(type, value);
            return S_OK;
        }
        SeriesQC::multipleIndex(type);
        std::int32_t n = s.storedResults.count(type);
        if (n > 0) s.storedResults.storeMultiple(type, n - 1, value);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::get_ValueType(short* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        *result = static_cast<short>(series(__LINE__).valueType);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::put_ValueType(short value)
{
    return runFrame(identity, __LINE__, [&] {
        series(__LINE__).valueType = value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::get_NumStatistics(short statType, LONG* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Series& s = series(__LINE__);
        if (statType > SeriesQC::LAST_SINGLE && statType < SeriesQC::FIRST_MULTIPLE)
            SeriesQC::multipleIndex(statType);
        *result = s.storedResults.count(statType);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::get_Value(LONG observationIndex, double* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Series& s = series(__LINE__);
        checkObservationIndex(s, observationIndex, __LINE__);
        *result = s.observation(observationIndex).value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::put_Value(LONG observationIndex, double value)
{
    return runFrame(identity, __LINE__, [&] {
        Series& s = series(__LINE__);
        checkObservationIndex(s, observationIndex, __LINE__);
        s.observation(observationIndex).value = value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::get_StatValueObs(LONG observationIndex, short statType, double* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Series& s = series(__LINE__);
        checkObservationIndex(s, observationIndex, __LINE__);
        double value = 0.0;
        s.observation(observationIndex).storedResults.lookup(statType, value);
        *result = value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::put_StatValueObs(LONG observationIndex, short statType, double value)
{
    return runFrame(identity, __LINE__, [&] {
        Series& s = series(__LINE__);
        checkObservationIndex(s, observationIndex, __LINE__);
        s.observation(observationIndex).storedResults.store(statType, value);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::RemoveObservationAt(LONG observationIndex)
{
    return runFrame(identity, __LINE__, [&] {
        series(__LINE__).removeObservationAt(observationIndex);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::Reshape(LONG numObservations)
{
    return runFrame(identity, __LINE__, [&] {
        Series& s = series(__LINE__);
        if (s.numObservations() > 0) throwCode(identity, __LINE__, ErrorCode::SeriesNotEmpty);
        if (numObservations > observationsPreSized) s.reserve(numObservations);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::get_StatValueSeries(short statType, LONG statIndex, double* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Series& s = series(__LINE__);
        double value = 0.0;
        s.storedResults.lookupQuantity(statType, statIndex, &value);
        *result = value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::put_StatValueSeries(short statType, LONG statIndex, double value)
{
    return runFrame(identity, __LINE__, [&] {
        series(__LINE__).storedResults.storeQuantity(statType, statIndex, value);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::get_numParameters(LONG forecastMethod, LONG* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        *result = series(__LINE__).numParameters(forecastMethod);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::get_NumObservationsByOriginType(short originType, LONG* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Series& s = series(__LINE__);
        *result = originType == -1 ? s.numObservations() : s.numObservationsByOriginType(originType);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SeriesX::get_Extension1(ISeriesXEx1** result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        series(__LINE__);
        if (!extension_) {
            // The extension shares this object's binding; it holds no
            // reference on this object, which holds it.
            ComLayer::ComPtr<SeriesXEx1> made = ComLayer::newObject<SeriesXEx1>();
            made->attach(series_);
            extension_ = made;
        }
        return extension_->QueryInterface(IID_ISeriesXEx1, reinterpret_cast<void**>(result));
    });
}

// ---- apply step and run routines -------------------------------------------

HRESULT SeriesX::apply(SeriesOp& op)
{
    return runFrame(identity, __LINE__, [&] {
        Series& s = series(__LINE__);
        // Running out of memory part of the way through leaves the series as
        // it was.
        return qd::allOrNothing(s, [&] {
            s.setDirty(true, true);
            if (s.numObservations() > 0) op.apply(s);
            return S_OK;
        });
    });
}

HRESULT SeriesX::runSeriesCompute(SeriesCompute& compute)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<SeriesOp> op(new SeriesOpApplySeriesCompute(compute));
        return apply(*op);
    });
}

HRESULT SeriesX::runSeriesForecast(SeriesForecast& compute)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<SeriesOp> op(new SeriesOpApplySeriesForecast(compute));
        return apply(*op);
    });
}

HRESULT SeriesX::runIteratedSeriesCompute(SeriesCompute& compute, std::int32_t start)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<SeriesOp> op(new SeriesOpApplyIteratedSeriesCompute(compute, start));
        return apply(*op);
    });
}

HRESULT SeriesX::runIteratedObservationCompute(ObservationCompute& compute, std::int32_t start)
{
    return runFrame(identity, __LINE__, [&] {
        std::unique_ptr<SeriesOp> op(new SeriesOpApplyIteratedObservationCompute(compute, start));
        return apply(*op);
    });
}
