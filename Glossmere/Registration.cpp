#include "Registration.h"

#include "ComLayer/ComModule.h"
#include "ComLayer/Registrar.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wwrite-strings"
#include "Glossmere.h"
#pragma GCC diagnostic pop

#include <oleauto.h>

#include <string>

namespace Glossmere {

namespace {

struct KeyValue {
    std::wstring key;       // under HKEY_CLASSES_ROOT
    const wchar_t* name;    // null: the default value
    std::wstring value;
    bool hasValue;
};

LONG deleteTree(HKEY parent, const std::wstring& name)
{
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, &key);
    if (rc != ERROR_SUCCESS) return rc;
    for (;;) {
        wchar_t child[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (deleteTree(key, child) != ERROR_SUCCESS) break;
    }
    RegCloseKey(key);
    return RegDeleteKeyW(parent, name.c_str());
}

HRESULT write(const KeyValue& entry)
{
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, entry.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
    if (entry.hasValue) {
        DWORD bytes = static_cast<DWORD>((entry.value.size() + 1) * sizeof(wchar_t));
        rc = RegSetValueExW(key, entry.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(entry.value.c_str()),
                            bytes);
    }
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(rc);
}

} // namespace

HRESULT registerClassKeys(const ClassKeys& keys, bool doRegister)
{
    try {
        const std::wstring name = keys.name;
        const std::wstring progId = L"Glossmere." + name;
        const std::wstring versioned = progId + L".1";
        const std::wstring clsid = ComLayer::guidText(*keys.clsid);
        const std::wstring classKey = L"CLSID\\" + clsid;
        const std::wstring description = name + L" Class";
        const std::wstring removed[] = {versioned, progId, classKey};
        for (const std::wstring& key : removed) deleteTree(HKEY_CLASSES_ROOT, key);
        if (!doRegister) return S_OK;

        const KeyValue entries[] = {
            {versioned, nullptr, description, true},
            {versioned + L"\\CLSID", nullptr, clsid, true},
            {progId, nullptr, description, true},
            {progId + L"\\CLSID", nullptr, clsid, true},
            {progId + L"\\CurVer", nullptr, versioned, true},
            {classKey, nullptr, description, true},
            {classKey + L"\\ProgID", nullptr, versioned, true},
            {classKey + L"\\VersionIndependentProgID", nullptr, progId, true},
            {classKey + L"\\Programmable", nullptr, std::wstring(), false},
            {classKey + L"\\InprocServer32", nullptr, ComLayer::ComModule::instance().modulePath(), true},
            {classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment", true},
            {classKey + L"\\TypeLib", nullptr, ComLayer::guidText(LIBID_Glossmere), true},
        };
        for (const KeyValue& entry : entries) {
            HRESULT hr = write(entry);
            if (FAILED(hr)) return hr;
        }
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT unregisterTypeLibrary()
{
    // Nothing registered is no failure.
    BSTR path = nullptr;
    if (FAILED(QueryPathOfRegTypeLib(LIBID_Glossmere, 1, 0, 0x409, &path))) return S_OK;
    SysFreeString(path);
    const SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    return UnRegisterTypeLib(LIBID_Glossmere, 1, 0, 0x409, kind);
}

} // namespace Glossmere
