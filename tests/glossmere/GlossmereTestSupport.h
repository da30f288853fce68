// Helpers of the Glossmere client tests: COM start-up per test, BSTR and
// interface holders, and the module's path in the prefix.
#ifndef GLOSSMERE_TESTS_GLOSSMERETESTSUPPORT_H
#define GLOSSMERE_TESTS_GLOSSMERETESTSUPPORT_H

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wwrite-strings"
#include "Glossmere.h"
#pragma GCC diagnostic pop

#include <gtest/gtest.h>

#include <string>

template <class T>
class Ref {
public:
    Ref() = default;
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    ~Ref() { reset(); }
    void reset()
    {
        if (p_) p_->Release();
        p_ = nullptr;
    }
    T** put()
    {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// A BSTR result, freed at the end of the scope.
class Text {
public:
    Text() = default;
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    ~Text() { SysFreeString(b_); }
    BSTR* put()
    {
        SysFreeString(b_);
        b_ = nullptr;
        return &b_;
    }
    bool null() const { return b_ == nullptr; }
    std::wstring str() const { return b_ ? std::wstring(b_, SysStringLen(b_)) : std::wstring(); }

private:
    BSTR b_ = nullptr;
};

inline std::string narrow(const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

inline std::wstring widen(const std::string& text)
{
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

// The module file as the registry names it (a Windows path).
inline std::wstring glossmerePath()
{
    std::wstring path = widen(GLOSSMERE_DLL_PATH);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

// Creates an object through the module's own class factory, loaded from
// its file: no registration needed (prefixes of their own).
template <class T>
void createFromFile(REFCLSID clsid, REFIID iid, Ref<T>& result)
{
    HMODULE module = LoadLibraryW(glossmerePath().c_str());
    ASSERT_NE(nullptr, module);
    typedef HRESULT(STDAPICALLTYPE * GetClassObject)(REFCLSID, REFIID, void**);
    GetClassObject getClassObject =
        reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    ASSERT_NE(nullptr, getClassObject);
    Ref<IClassFactory> factory;
    ASSERT_EQ(S_OK, getClassObject(clsid, IID_IClassFactory, factory.putVoid()));
    // The module stays loaded for the rest of the process: its objects do
    // not hold a reference on the file.
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, iid, result.putVoid()));
}

class GlossmereTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    void TearDown() override { CoUninitialize(); }

    template <class T>
    void create(REFCLSID clsid, REFIID iid, Ref<T>& result)
    {
        HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, result.putVoid());
        ASSERT_EQ(S_OK, hr);
        ASSERT_TRUE(result);
    }
};

#endif
