#include "VariantEnumerator.h"

#include "FloatingPointGuard.h"

namespace ComLayer {

namespace {

struct ItemsDeleter {
    void operator()(VariantEnumerator::Items* items) const
    {
        for (VARIANT& v : *items) VariantClear(&v);
        delete items;
    }
};

} // namespace

void VariantEnumerator::init(const VARIANT* items, std::size_t count)
{
    std::shared_ptr<Items> copies(new Items(), ItemsDeleter());
    copies->reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        VARIANT v;
        VariantInit(&v);
        HRESULT hr = VariantCopy(&v, const_cast<VARIANT*>(&items[i]));
        if (FAILED(hr)) throw std::bad_alloc();
        copies->push_back(v);
    }
    items_ = copies;
    position_ = 0;
}

const InterfaceEntry* VariantEnumerator::interfaceTable() const
{
    static const InterfaceEntry table[] = {
        QD_INTERFACE_ENTRY(VariantEnumerator, IEnumVARIANT),
        QD_INTERFACE_END,
    };
    return table;
}

HRESULT STDMETHODCALLTYPE VariantEnumerator::Next(ULONG count, VARIANT* items, ULONG* fetched)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (fetched) *fetched = 0;
    if (items == nullptr) return E_POINTER;
    if (count > 1 && fetched == nullptr) return E_INVALIDARG;
    std::size_t total = items_ ? items_->size() : 0;
    ULONG done = 0;
    for (; done < count && position_ < total; ++done, ++position_) {
        VariantInit(&items[done]);
        HRESULT hr = VariantCopy(&items[done], &(*items_)[position_]);
        if (FAILED(hr)) {
            for (ULONG j = 0; j < done; ++j) VariantClear(&items[j]);
            return hr;
        }
    }
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE VariantEnumerator::Skip(ULONG count)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    std::size_t total = items_ ? items_->size() : 0;
    std::size_t left = total - position_;
    if (count > left) {
        position_ = total;
        return S_FALSE;
    }
    position_ += count;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VariantEnumerator::Reset()
{
    const ComLayer::FloatingPointGuard floatingPoint;
    position_ = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VariantEnumerator::Clone(IEnumVARIANT** result)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    try {
        ComPtr<VariantEnumerator> clone = newObject<VariantEnumerator>();
        clone->items_ = items_;
        clone->position_ = position_;
        return clone->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(result));
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT makeVariantEnumerator(const VARIANT* items, std::size_t count, IUnknown** result)
{
    *result = nullptr;
    ComPtr<VariantEnumerator> enumerator = newObject<VariantEnumerator>();
    enumerator->init(items, count);
    return enumerator->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(result));
}

} // namespace ComLayer
