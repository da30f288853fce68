// The standard enumerator of VARIANTs (IEnumVARIANT) over copies of a
// parent's items. The copies hold their own references; clones share them.
#ifndef QD_COMLAYER_VARIANTENUMERATOR_H
#define QD_COMLAYER_VARIANTENUMERATOR_H

#include "ComObject.h"

#include <oaidl.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace ComLayer {

class VariantEnumerator : public IEnumVARIANT, public ComObjectRoot {
public:
    typedef std::vector<VARIANT> Items;

    VariantEnumerator() = default;

    // Takes copies of count VARIANTs.
    void init(const VARIANT* items, std::size_t count);

    const InterfaceEntry* interfaceTable() const override;
    QD_DELEGATING_IUNKNOWN

    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** result) override;

private:
    std::shared_ptr<Items> items_;
    std::size_t position_ = 0;
};

// Makes an enumerator over copies of the items and returns its IUnknown.
// Allocation failures propagate as exceptions.
HRESULT makeVariantEnumerator(const VARIANT* items, std::size_t count, IUnknown** result);

} // namespace ComLayer

#endif
