#include "StatisticX.h"

#include "Matrix/QuantityCollection.h"
#include "Matrix/QuantityTypes.h"

using namespace qd;

const ClassIdentity StatisticX::identity = {
    L"StatisticX", L"StatisticX.StatisticX.1", "ActiveX\\QDInterface\\StatisticX",
    &CLSID_StatisticX, &IID_IStatisticX};

void StatisticX::attach(const CollectionBinding& collection, std::int32_t type, std::int32_t ordinal)
{
    collection_ = collection;
    type_ = type;
    ordinal_ = ordinal;
    owns_ = false;
    own_ = Quantity();
}

Quantity& StatisticX::quantity(std::int32_t line)
{
    if (owns_) return own_;
    QuantityCollection* collection = collection_.get();
    if (collection != nullptr) {
        collection->restart();
        std::int32_t seen = 0;
        while (Quantity* q = collection->next()) {
            if (q->type != type_) continue;
            if (seen == ordinal_) return *q;
            ++seen;
        }
    }
    // The collection was cleared, or no longer holds this result: the
    // result this object stood for is gone.
    throwCode(identity, line, ErrorCode::OutOfMemory);
}

std::int32_t StatisticX::ordinalOf(const Quantity& target)
{
    QuantityCollection* collection = collection_.get();
    std::int32_t seen = 0;
    if (collection != nullptr) {
        collection->restart();
        while (Quantity* q = collection->next()) {
            if (q == &target) return seen;
            if (q->type == target.type) ++seen;
        }
    }
    return seen;
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
        Quantity& q = quantity(__LINE__);
        q.type = type;
        if (!owns_) {
            // The result now stands under its new type.
            type_ = type;
            ordinal_ = ordinalOf(q);
        }
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
