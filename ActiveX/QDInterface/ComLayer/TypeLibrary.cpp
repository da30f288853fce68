#include "TypeLibrary.h"

#include "ComModule.h"

#include <string>

namespace ComLayer {

namespace {

struct CachedTypeInfo {
    IID iid;
    ITypeInfo* info;         // vtable form
    ITypeInfo* dispatchInfo; // as the library describes the interface
};

// The dual interfaces of one module are few; a small fixed table suffices.
const int maxCached = 32;
CachedTypeInfo cache[maxCached];
int cachedCount = 0;
ITypeLib* library = nullptr;
bool cleanupRegistered = false;

void releaseCache(void*)
{
    for (int i = 0; i < cachedCount; ++i) {
        cache[i].info->Release();
        cache[i].dispatchInfo->Release();
    }
    cachedCount = 0;
    if (library) library->Release();
    library = nullptr;
    cleanupRegistered = false;
}

HRESULT loadLibrary(REGKIND kind, ITypeLib** result)
{
    std::wstring path = ComModule::instance().modulePath();
    if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
    return LoadTypeLibEx(path.c_str(), kind, result);
}

HRESULT registerTypeLibrary()
{
    ITypeLib* lib = nullptr;
    HRESULT hr = loadLibrary(REGKIND_NONE, &lib);
    if (FAILED(hr)) return hr;
    std::wstring path = ComModule::instance().modulePath();
    hr = RegisterTypeLib(lib, const_cast<OLECHAR*>(path.c_str()), nullptr);
    lib->Release();
    return hr;
}

ITypeInfo* findInterfaceTypeInfo(REFIID iid, HRESULT* status, bool dispatchForm)
{
    ModuleLockGuard guard;
    for (int i = 0; i < cachedCount; ++i) {
        if (IsEqualIID(cache[i].iid, iid)) {
            if (status) *status = S_OK;
            return dispatchForm ? cache[i].dispatchInfo : cache[i].info;
        }
    }
    HRESULT hr = S_OK;
    if (library == nullptr) {
        hr = loadLibrary(REGKIND_NONE, &library);
        if (FAILED(hr)) {
            library = nullptr;
            if (status) *status = hr;
            return nullptr;
        }
        if (!cleanupRegistered) {
            ComModule::instance().addTermFunction(&releaseCache, nullptr);
            cleanupRegistered = true;
        }
    }
    ITypeInfo* info = nullptr;
    ITypeInfo* described = nullptr;
    hr = library->GetTypeInfoOfGuid(iid, &info);
    if (SUCCEEDED(hr)) {
        described = info;
        described->AddRef();
        // A dual interface is found in its dispatch form; ITypeInfo::Invoke
        // needs the vtable form behind it.
        TYPEATTR* attr = nullptr;
        hr = info->GetTypeAttr(&attr);
        if (SUCCEEDED(hr)) {
            bool isDispatch = attr->typekind == TKIND_DISPATCH;
            info->ReleaseTypeAttr(attr);
            if (isDispatch) {
                HREFTYPE ref = 0;
                ITypeInfo* vtableInfo = nullptr;
                hr = info->GetRefTypeOfImplType(-1, &ref);
                if (SUCCEEDED(hr)) hr = info->GetRefTypeInfo(ref, &vtableInfo);
                if (SUCCEEDED(hr)) {
                    info->Release();
                    info = vtableInfo;
                }
            }
        }
    }
    if (FAILED(hr) || cachedCount == maxCached) {
        if (info) info->Release();
        if (described) described->Release();
        if (status) *status = FAILED(hr) ? hr : E_FAIL;
        return nullptr;
    }
    cache[cachedCount].iid = iid;
    cache[cachedCount].info = info;
    cache[cachedCount].dispatchInfo = described;
    ++cachedCount;
    if (status) *status = S_OK;
    return dispatchForm ? described : info;
}

} // namespace

HRESULT registerModuleTypeLibrary()
{
    try {
        return registerTypeLibrary();
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

ITypeInfo* interfaceTypeInfo(REFIID iid, HRESULT* status, bool dispatchForm)
{
    try {
        return findInterfaceTypeInfo(iid, status, dispatchForm);
    } catch (...) {
        if (status) *status = E_OUTOFMEMORY;
        return nullptr;
    }
}

} // namespace ComLayer
