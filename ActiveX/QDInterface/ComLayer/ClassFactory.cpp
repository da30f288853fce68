#include "ClassFactory.h"
#include "FloatingPointGuard.h"

namespace ComLayer {

HRESULT STDMETHODCALLTYPE ClassFactory::QueryInterface(REFIID iid, void** result)
{
    if (result == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        AddRef();
        *result = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *result = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE ClassFactory::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG STDMETHODCALLTYPE ClassFactory::Release()
{
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

HRESULT STDMETHODCALLTYPE ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** result)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    if (outer != nullptr && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    return creator_(outer, iid, result);
}

HRESULT STDMETHODCALLTYPE ClassFactory::LockServer(BOOL lock)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (lock)
        ComModule::instance().lock();
    else
        ComModule::instance().unlock();
    return S_OK;
}

HRESULT ClassFactory::create(ClassEntry& entry, REFIID iid, void** result)
{
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    ClassFactory* factory = nullptr;
    try {
        factory = new ClassFactory(entry.instanceCreator);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    factory->AddRef();
    HRESULT hr = factory->QueryInterface(iid, result);
    factory->Release();
    return hr;
}

} // namespace ComLayer
