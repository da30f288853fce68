// What every C++ test client of the project's COM servers needs, whichever
// server it talks to: interface and BSTR holders, COM start-up per test, and
// reading the registry keys a server writes.
#ifndef QD_TESTS_COM_COMCLIENT_H
#define QD_TESTS_COM_COMCLIENT_H

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <string>

// Holds one reference on an interface pointer.
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

// A BSTR argument or result, freed at the end of the scope.
class Text {
public:
    explicit Text(const wchar_t* text) : b_(SysAllocString(text)) {}
    Text(const wchar_t* text, UINT length) : b_(SysAllocStringLen(text, length)) {}
    Text() = default;
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    ~Text() { SysFreeString(b_); }
    BSTR get() const { return b_; }
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

// Each test runs in a single-threaded apartment of its own.
class ComClientTest : public ::testing::Test {
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

// ---- registration, as a client reads it under HKEY_CLASSES_ROOT ----

inline std::wstring guidText(REFGUID guid)
{
    wchar_t text[64];
    StringFromGUID2(guid, text, 64);
    return text;
}

inline bool keyExists(const std::wstring& key)
{
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
}

// The text value (the default value when name is null); "<absent>" when
// the key or value is missing or not text.
inline std::wstring keyValue(const std::wstring& key, const wchar_t* name = nullptr)
{
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return L"<absent>";
    wchar_t data[1024];
    DWORD size = sizeof data;
    DWORD type = 0;
    LONG rc = RegQueryValueExW(h, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(h);
    if (rc != ERROR_SUCCESS || type != REG_SZ) return L"<absent>";
    return std::wstring(data);
}

#endif
