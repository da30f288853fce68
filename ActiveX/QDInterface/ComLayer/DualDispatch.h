// IDispatch of a dual interface, implemented over the interface's type
// information from the module's own type library: names are looked up and
// calls dispatched through the vtable by the platform's ITypeInfo.
#ifndef QD_COMLAYER_DUALDISPATCH_H
#define QD_COMLAYER_DUALDISPATCH_H

#include "FloatingPointGuard.h"
#include "TypeLibrary.h"

#include <oaidl.h>

namespace ComLayer {

// Fills an exception record from the thread's error information after a
// failed call, when the platform left it empty.
void completeExceptionInfo(HRESULT callResult, EXCEPINFO* info);

template <class Interface>
class DualDispatch : public Interface {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        const ComLayer::FloatingPointGuard floatingPoint;
        if (count == nullptr) return E_POINTER;
        *count = 1;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** result) override
    {
        const ComLayer::FloatingPointGuard floatingPoint;
        if (result == nullptr) return E_POINTER;
        *result = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        HRESULT hr = S_OK;
        ITypeInfo* info = interfaceTypeInfo(__uuidof(Interface), &hr, true);
        if (info == nullptr) return hr;
        info->AddRef();
        *result = info;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override
    {
        const ComLayer::FloatingPointGuard floatingPoint;
        HRESULT hr = S_OK;
        ITypeInfo* info = interfaceTypeInfo(__uuidof(Interface), &hr);
        if (info == nullptr) return hr;
        return info->GetIDsOfNames(names, count, ids);
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override
    {
        const ComLayer::FloatingPointGuard floatingPoint;
        HRESULT hr = S_OK;
        ITypeInfo* info = interfaceTypeInfo(__uuidof(Interface), &hr);
        if (info == nullptr) return hr;
        hr = info->Invoke(static_cast<Interface*>(this), id, flags, params, result, exception,
                          argError);
        // Some script engines read a property with a plain method call (the
        // enumerator of a collection, for one); answer it as a read.
        if (hr == DISP_E_MEMBERNOTFOUND && flags == DISPATCH_METHOD && result != nullptr)
            hr = info->Invoke(static_cast<Interface*>(this), id, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                              params, result, exception, argError);
        completeExceptionInfo(hr, exception);
        return hr;
    }
};

} // namespace ComLayer

#endif
