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

#include "../com/ComClient.h"

#include <string>

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

class GlossmereTest : public ComClientTest {};

#endif
