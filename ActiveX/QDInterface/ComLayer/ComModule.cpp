#include "ComModule.h"

#include "TypeLibrary.h"

#include <olectl.h>

namespace ComLayer {

ComModule& ComModule::instance()
{
    static ComModule module;
    return module;
}

void ComModule::init(HINSTANCE module, ClassEntry* table, std::size_t count)
{
    module_ = module;
    table_ = table;
    count_ = count;
    lockCount_ = 0;
    termCount_ = 0;
    for (std::size_t i = 0; i < count_; ++i) table_[i].factory = nullptr;
    InitializeCriticalSection(&section_);
    sectionReady_ = true;
}

void ComModule::term(bool processEnding)
{
    for (std::size_t i = 0; i < count_; ++i) {
        IUnknown* factory = table_[i].factory;
        table_[i].factory = nullptr;
        // When the whole process ends, the platform libraries may already be
        // gone: the objects are left to the process's end.
        if (factory && !processEnding) factory->Release();
    }
    while (termCount_ > 0) {
        --termCount_;
        TermFunction& t = termFunctions_[termCount_];
        if (!processEnding) t.func(t.data);
    }
    if (sectionReady_) {
        DeleteCriticalSection(&section_);
        sectionReady_ = false;
    }
}

LONG ComModule::lock() { return InterlockedIncrement(&lockCount_); }
LONG ComModule::unlock() { return InterlockedDecrement(&lockCount_); }
LONG ComModule::lockCount() const { return lockCount_; }

std::wstring ComModule::modulePath() const
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(module_, &path[0], static_cast<DWORD>(path.size()));
        if (n == 0) return std::wstring();
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

HRESULT ComModule::getClassObject(REFCLSID clsid, REFIID iid, void** result)
{
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    for (std::size_t i = 0; i < count_; ++i) {
        ClassEntry& entry = table_[i];
        if (!IsEqualCLSID(*entry.clsid, clsid)) continue;
        IUnknown* factory = nullptr;
        {
            // Made once, even when two threads ask at the same time.
            ModuleLockGuard guard;
            if (entry.factory == nullptr) {
                HRESULT hr = entry.factoryCreator(entry, IID_IUnknown,
                                                  reinterpret_cast<void**>(&entry.factory));
                if (FAILED(hr)) {
                    entry.factory = nullptr;
                    return hr;
                }
            }
            factory = entry.factory;
        }
        return factory->QueryInterface(iid, result);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT ComModule::canUnloadNow() const
{
    return lockCount_ == 0 ? S_OK : S_FALSE;
}

HRESULT ComModule::registerServer()
{
    for (std::size_t i = 0; i < count_; ++i) {
        HRESULT hr = table_[i].registration(true);
        if (FAILED(hr)) return hr;
    }
    return registerModuleTypeLibrary();
}

HRESULT ComModule::unregisterServer()
{
    for (std::size_t i = 0; i < count_; ++i) table_[i].registration(false);
    return S_OK;
}

void ComModule::addTermFunction(void (*func)(void*), void* data)
{
    ModuleLockGuard guard;
    if (termCount_ < maxTermFunctions) termFunctions_[termCount_++] = TermFunction{func, data};
}

void ComModule::enterLock() { EnterCriticalSection(&section_); }
void ComModule::leaveLock() { LeaveCriticalSection(&section_); }

} // namespace ComLayer
