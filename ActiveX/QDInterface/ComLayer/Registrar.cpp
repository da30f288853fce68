#include "Registrar.h"

#include "ComModule.h"

#include <objbase.h>

#include <vector>

namespace ComLayer {

namespace {

const unsigned everyClass = 0u;

struct KeyTemplate {
    unsigned onlyFor;         // 0: every class, else the flags that need it
    const wchar_t* key;       // under HKEY_CLASSES_ROOT
    const wchar_t* valueName; // null: the default value
    const wchar_t* value;     // null: no value
};

// Placeholders: %NAME% class name, %PROGID% the version-independent
// ProgID, %CLSID% and %LIBID% in braces, %MODULE% the module's full path.
const KeyTemplate keyTable[] = {
    {everyClass, L"%PROGID%.1", nullptr, L"%NAME% Class"},
    {everyClass, L"%PROGID%.1\\CLSID", nullptr, L"%CLSID%"},
    {registerControl, L"%PROGID%.1\\Insertable", nullptr, nullptr},
    {everyClass, L"%PROGID%", nullptr, L"%NAME% Class"},
    {registerExtension | registerBothProgIds, L"%PROGID%\\CLSID", nullptr, L"%CLSID%"},
    {everyClass, L"%PROGID%\\CurVer", nullptr, L"%PROGID%.1"},
    {everyClass, L"CLSID\\%CLSID%", nullptr, L"%NAME% Class"},
    {everyClass, L"CLSID\\%CLSID%\\ProgID", nullptr, L"%PROGID%.1"},
    {everyClass, L"CLSID\\%CLSID%\\VersionIndependentProgID", nullptr, L"%PROGID%"},
    {registerControl, L"CLSID\\%CLSID%\\Control", nullptr, nullptr},
    {registerControl, L"CLSID\\%CLSID%\\Insertable", nullptr, nullptr},
    {registerControl, L"CLSID\\%CLSID%\\ToolboxBitmap32", nullptr, L"%MODULE%, 1"},
    {registerControl, L"CLSID\\%CLSID%\\MiscStatus", nullptr, L"0"},
    {registerControl, L"CLSID\\%CLSID%\\MiscStatus\\1", nullptr, L"132497"},
    {everyClass, L"CLSID\\%CLSID%\\Programmable", nullptr, nullptr},
    {everyClass, L"CLSID\\%CLSID%\\InprocServer32", nullptr, L"%MODULE%"},
    {registerApartment, L"CLSID\\%CLSID%\\InprocServer32", L"ThreadingModel", L"Apartment"},
    {registerExtension | registerControl | registerTypeLibrary, L"CLSID\\%CLSID%\\TypeLib", nullptr, L"%LIBID%"},
    {registerControl, L"CLSID\\%CLSID%\\Version", nullptr, L"1.0"},
};

// The keys that unregistration removes whole.
const wchar_t* const removedKeys[] = {
    L"%PROGID%.1",
    L"%PROGID%",
    L"CLSID\\%CLSID%",
};

struct Replacement {
    const wchar_t* token;
    std::wstring text;
};

std::wstring expand(const wchar_t* pattern, const std::vector<Replacement>& replacements)
{
    std::wstring result(pattern);
    for (const Replacement& r : replacements) {
        std::wstring token(r.token);
        std::wstring::size_type at = 0;
        while ((at = result.find(token, at)) != std::wstring::npos) {
            result.replace(at, token.size(), r.text);
            at += r.text.size();
        }
    }
    return result;
}

LONG deleteTree(HKEY parent, const std::wstring& name)
{
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, &key);
    if (rc != ERROR_SUCCESS) return rc;
    // Remove the subkeys first; always ask for the first one, as the list
    // shrinks while we delete.
    for (;;) {
        wchar_t child[256];
        DWORD length = 256;
        rc = RegEnumKeyExW(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) break;
        rc = deleteTree(key, child);
        if (rc != ERROR_SUCCESS) break;
    }
    RegCloseKey(key);
    return RegDeleteKeyW(parent, name.c_str());
}

HRESULT writeValue(const std::wstring& keyName, const wchar_t* valueName, const std::wstring* value)
{
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, keyName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
    if (value != nullptr) {
        DWORD bytes = static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t));
        rc = RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                            bytes);
    }
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(rc);
}

} // namespace

std::wstring guidText(REFGUID guid)
{
    wchar_t text[64];
    int n = StringFromGUID2(guid, text, 64);
    return n > 0 ? std::wstring(text) : std::wstring();
}

HRESULT registerClass(const ClassRegistrationInfo& info, bool doRegister)
{
    try {
        std::vector<Replacement> replacements = {
            {L"%NAME%", info.name},
            {L"%PROGID%", info.progId ? std::wstring(info.progId) : std::wstring(info.name) + L"." + info.name},
            {L"%CLSID%", guidText(*info.clsid)},
            {L"%LIBID%", guidText(*info.typeLibraryId)},
            {L"%MODULE%", ComModule::instance().modulePath()},
        };
        if (!doRegister) {
            for (const wchar_t* key : removedKeys) deleteTree(HKEY_CLASSES_ROOT, expand(key, replacements));
            return S_OK;
        }
        // The CLSID key is replaced whole.
        deleteTree(HKEY_CLASSES_ROOT, expand(L"CLSID\\%CLSID%", replacements));
        for (const KeyTemplate& t : keyTable) {
            if (t.onlyFor != everyClass && (t.onlyFor & info.flags) == 0) continue;
            std::wstring key = expand(t.key, replacements);
            std::wstring value;
            if (t.value) value = expand(t.value, replacements);
            HRESULT hr = writeValue(key, t.valueName, t.value ? &value : nullptr);
            if (FAILED(hr)) return hr;
        }
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

} // namespace ComLayer
