// The common root of every object of the server: reference counting that
// keeps the module locked while the object exists, QueryInterface over a
// table of interfaces, and aggregation (an outer object's controlling
// unknown receives the calls of the public IUnknown).
#ifndef QD_COMLAYER_COMOBJECT_H
#define QD_COMLAYER_COMOBJECT_H

#include "ComHolders.h"

#include <windows.h>
#include <objbase.h>

#include <new>

namespace ComLayer {

class ComObjectRoot;

// One interface of an object: its IID and how to reach it from the root.
struct InterfaceEntry {
    const IID* iid;
    void* (*cast)(ComObjectRoot* root);
};

template <class Class, class Interface>
void* castTo(ComObjectRoot* root)
{
    return static_cast<Interface*>(static_cast<Class*>(root));
}

// Entry for an interface reached under its own IID.
#define QD_INTERFACE_ENTRY(Class, Interface) \
    { &__uuidof(Interface), &::ComLayer::castTo<Class, Interface> }
// Entry for an IID answered by a base interface (IDispatch by a dual one).
#define QD_INTERFACE_ENTRY_AS(Class, Iid, Interface) \
    { &(Iid), &::ComLayer::castTo<Class, Interface> }
#define QD_INTERFACE_END { nullptr, nullptr }

class ComObjectRoot {
public:
    ComObjectRoot(const ComObjectRoot&) = delete;
    ComObjectRoot& operator=(const ComObjectRoot&) = delete;

    // The object's interfaces; the first entry is its identity (IUnknown
    // when not aggregated). Ends with QD_INTERFACE_END.
    virtual const InterfaceEntry* interfaceTable() const = 0;

    HRESULT internalQueryInterface(REFIID iid, void** result);
    ULONG internalAddRef();
    ULONG internalRelease();

    // The public IUnknown: delegates to the outer object when aggregated.
    HRESULT outerQueryInterface(REFIID iid, void** result);
    ULONG outerAddRef();
    ULONG outerRelease();

    void setOuter(IUnknown* outer) { outer_ = outer; }
    bool isAggregated() const { return outer_ != nullptr; }
    // The non-delegating unknown handed to the outer object.
    IUnknown* innerUnknown() { return &inner_; }

    // Runs after construction with one reference held; a failure destroys
    // the object.
    virtual HRESULT finalConstruct() { return S_OK; }

protected:
    ComObjectRoot();
    virtual ~ComObjectRoot();

private:
    class InnerUnknown : public IUnknown {
    public:
        explicit InnerUnknown(ComObjectRoot* owner) : owner_(owner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override
        {
            return owner_->internalQueryInterface(iid, result);
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return owner_->internalAddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return owner_->internalRelease(); }

    private:
        ComObjectRoot* owner_;
    };

    volatile LONG refs_ = 0;
    IUnknown* outer_ = nullptr;
    InnerUnknown inner_;
};

// The public IUnknown of a class, placed in its body.
#define QD_DELEGATING_IUNKNOWN                                                   \
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override \
    {                                                                            \
        return outerQueryInterface(iid, result);                                 \
    }                                                                            \
    ULONG STDMETHODCALLTYPE AddRef() override { return outerAddRef(); }          \
    ULONG STDMETHODCALLTYPE Release() override { return outerRelease(); }

// Creates an object of class T for a client: with an outer object only
// IUnknown may be asked for (CLASS_E_NOAGGREGATION otherwise).
template <class T>
HRESULT createObject(IUnknown* outer, REFIID iid, void** result)
{
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    if (outer != nullptr && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    T* object = nullptr;
    try {
        object = new T();
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    object->setOuter(outer);
    object->internalAddRef();
    HRESULT hr = object->finalConstruct();
    if (SUCCEEDED(hr)) hr = object->internalQueryInterface(iid, result);
    object->internalRelease();
    return hr;
}

// Creates an object of class T inside the server (a child handed out by a
// parent), holding one reference. Allocation failures propagate as the
// exception the allocation raised.
template <class T>
ComPtr<T> newObject()
{
    T* object = new T();
    object->internalAddRef();
    return ComPtr<T>::adopt(object);
}

} // namespace ComLayer

#endif
