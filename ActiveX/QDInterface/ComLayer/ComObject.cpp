#include "ComObject.h"

#include "ComModule.h"

namespace ComLayer {

ComObjectRoot::ComObjectRoot() : inner_(this)
{
    ComModule::instance().lock();
}

ComObjectRoot::~ComObjectRoot()
{
    ComModule::instance().unlock();
}

HRESULT ComObjectRoot::internalQueryInterface(REFIID iid, void** result)
{
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    const InterfaceEntry* table = interfaceTable();
    if (IsEqualIID(iid, IID_IUnknown)) {
        // The identity: the non-delegating unknown when aggregated, else the
        // first interface of the table.
        IUnknown* identity = outer_ ? &inner_ : static_cast<IUnknown*>(table[0].cast(this));
        identity->AddRef();
        *result = identity;
        return S_OK;
    }
    for (const InterfaceEntry* entry = table; entry->iid != nullptr; ++entry) {
        if (IsEqualIID(iid, *entry->iid)) {
            IUnknown* found = static_cast<IUnknown*>(entry->cast(this));
            found->AddRef();
            *result = found;
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}

ULONG ComObjectRoot::internalAddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG ComObjectRoot::internalRelease()
{
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) {
        // Calls made during destruction (children releasing their parent
        // reference and the like) must not reach zero again.
        refs_ = 0x40000000;
        delete this;
    }
    return static_cast<ULONG>(n);
}

HRESULT ComObjectRoot::outerQueryInterface(REFIID iid, void** result)
{
    return outer_ ? outer_->QueryInterface(iid, result) : internalQueryInterface(iid, result);
}

ULONG ComObjectRoot::outerAddRef()
{
    return outer_ ? outer_->AddRef() : internalAddRef();
}

ULONG ComObjectRoot::outerRelease()
{
    return outer_ ? outer_->Release() : internalRelease();
}

} // namespace ComLayer
