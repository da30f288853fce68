#include "StatisticX.h"

#include "Matrix/QuantityCollection.h"
#include "Matrix/QuantityTypes.h"

const ClassIdentity StatisticX::identity = {
    L"StatisticX", L"StatisticX.StatisticX.1", "ActiveX\\QDInterface\\StatisticX",
    &CLSID_StatisticX, &IID_IStatisticX};

void StatisticX::attach(const CollectionBinding& collection, std::int32_t position, std::int32_t type)
{
    collection_ = collection;
    position_ = position;
    type_ = type;
    owns_ = false;
    own_ = Quantity();
}

Quantity& StatisticX::quantity(std::int32_t line)
{
    if (owns_) return own_;
    QuantityCollection* collection = collection_.get();
    Quantity* found = nullptr;
    if (collection != nullptr) {
        collection->restart();
        for (std::int32_t i = 0; i <= position_; ++i) {
            found = collection->next();
            if (found == nullptr) break;
        }
    }
    // The collection was cleared or refilled with other results since the
    // enumeration: the result this object stood for is gone.
    if (found == nullptr || found->type != type_) throwCode(identity, line, QD_CODE_OUT_OF_MEMORY);
    return *found;
}

HRESULT STDMETHODCALLTYPE StatisticX::get_Value(double* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        *result = quantity(__LINE__).value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE StatisticX::put_Value(double value)
{
    return runFrame(identity, __LINE__, [&] {
        quantity(__LINE__).value = value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE StatisticX::get_Type(short* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        *result = static_cast<short>(quantity(__LINE__).type);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE StatisticX::put_Type(short type)
{
    return runFrame(identity, __LINE__, [&] {
        quantity(__LINE__).type = type;
        if (!owns_) type_ = type;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE StatisticX::get_Description(BSTR* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        std::int32_t type = quantity(__LINE__).type;
        *result = makeBstr(quantityDescription(type));
        return S_OK;
    });
}
