// The Glossmere module seen from a client: its registration keys, both
// ProgIDs of each class, unloading, and a registration round trip that
// leaves the registry as it found it.
#include "GlossmereTestSupport.h"

#include <set>
#include <string>

namespace {

struct ClassRow {
    const wchar_t* name;
    const CLSID* clsid;
};
const ClassRow classes[] = {{L"WizardLocale", &CLSID_WizardLocale}, {L"WizardLocaleUtil", &CLSID_WizardLocaleUtil}};

void expectRegistered(const ClassRow& row)
{
    std::wstring name = row.name;
    std::wstring clsid = guidText(*row.clsid);
    std::wstring progId = L"Glossmere." + name;
    std::wstring versioned = progId + L".1";
    std::wstring classKey = L"CLSID\\" + clsid;
    SCOPED_TRACE(narrow(name));
    EXPECT_EQ(clsid, keyValue(progId + L"\\CLSID"));
    EXPECT_EQ(clsid, keyValue(versioned + L"\\CLSID"));
    EXPECT_EQ(versioned, keyValue(progId + L"\\CurVer"));
    EXPECT_EQ(name + L" Class", keyValue(classKey));
    EXPECT_EQ(versioned, keyValue(classKey + L"\\ProgID"));
    EXPECT_EQ(progId, keyValue(classKey + L"\\VersionIndependentProgID"));
    EXPECT_TRUE(keyExists(classKey + L"\\Programmable"));
    EXPECT_EQ(0, _wcsicmp(glossmerePath().c_str(), keyValue(classKey + L"\\InprocServer32").c_str()));
    EXPECT_EQ(L"Apartment", keyValue(classKey + L"\\InprocServer32", L"ThreadingModel"));
    EXPECT_EQ(guidText(LIBID_Glossmere), keyValue(classKey + L"\\TypeLib"));
    // Both ProgIDs lead to the class without CurVer.
    CLSID found = GUID_NULL;
    EXPECT_EQ(S_OK, CLSIDFromProgID(progId.c_str(), &found));
    EXPECT_TRUE(IsEqualCLSID(*row.clsid, found));
    EXPECT_EQ(S_OK, CLSIDFromProgID(versioned.c_str(), &found));
    EXPECT_TRUE(IsEqualCLSID(*row.clsid, found));
}

// Every key, value name, type and data under HKEY_CLASSES_ROOT.
void dump(HKEY key, const std::wstring& path, std::set<std::wstring>& out)
{
    out.insert(path);
    std::wstring name(16384, L'\0');
    std::basic_string<BYTE> data(65536, 0);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueW(key, i, &name[0], &nameLength, nullptr, &type, &data[0], &dataLength) != ERROR_SUCCESS)
            break;
        std::wstring bytes;
        for (DWORD b = 0; b < dataLength; ++b) bytes += static_cast<wchar_t>(L'A' + data[b] % 64);
        out.insert(path + L"|" + name.substr(0, nameLength) + L"|" + std::to_wstring(type) + L"|" + bytes);
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        if (RegEnumKeyExW(key, i, &name[0], &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        std::wstring child = name.substr(0, nameLength);
        HKEY sub = nullptr;
        if (RegOpenKeyExW(key, child.c_str(), 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
        dump(sub, path + L"\\" + child, out);
        RegCloseKey(sub);
    }
}

std::set<std::wstring> classesRoot()
{
    std::set<std::wstring> out;
    dump(HKEY_CLASSES_ROOT, L"HKCR", out);
    return out;
}

std::string difference(const std::set<std::wstring>& a, const std::set<std::wstring>& b)
{
    std::string text;
    int shown = 0;
    for (const std::wstring& s : a)
        if (!b.count(s) && shown++ < 20) text += "  only before: " + narrow(s) + "\n";
    for (const std::wstring& s : b)
        if (!a.count(s) && shown++ < 40) text += "  only after: " + narrow(s) + "\n";
    return text;
}

typedef HRESULT(STDAPICALLTYPE* EntryPoint)();

EntryPoint entry(HMODULE module, const char* name)
{
    return reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

class GlossmereModule : public GlossmereTest {};

TEST_F(GlossmereModule, BothClassesAreRegisteredAndCreatableByEveryProgId)
{
    for (const ClassRow& row : classes) expectRegistered(row);
    Ref<IDispatch> a, b;
    CLSID clsid = GUID_NULL;
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"Glossmere.WizardLocale", &clsid));
    create(clsid, IID_IDispatch, a);
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"Glossmere.WizardLocaleUtil.1", &clsid));
    create(clsid, IID_IDispatch, b);
    Ref<_WizardLocale> locale;
    EXPECT_EQ(S_OK, a->QueryInterface(IID__WizardLocale, locale.putVoid()));
    Ref<_WizardLocaleUtil> util;
    EXPECT_EQ(S_OK, b->QueryInterface(IID__WizardLocaleUtil, util.putVoid()));
    Ref<IUnknown> none;
    EXPECT_EQ(E_NOINTERFACE, a->QueryInterface(IID__WizardLocaleUtil, none.putVoid()));

    HMODULE module = GetModuleHandleW(L"Glossmere.dll");
    ASSERT_NE(nullptr, module);
    EntryPoint canUnloadNow = entry(module, "DllCanUnloadNow");
    EXPECT_EQ(S_FALSE, canUnloadNow());
    a.reset();
    b.reset();
    locale.reset();
    util.reset();
    EXPECT_EQ(S_OK, canUnloadNow());
}

// Runs alone (its own ctest entry with the registry locks): it
// unregisters and registers the server.
TEST_F(GlossmereModule, RegistrationRoundTripLeavesTheRegistryAsFound)
{
    HMODULE module = LoadLibraryW(glossmerePath().c_str());
    ASSERT_NE(nullptr, module);
    EntryPoint registerServer = entry(module, "DllRegisterServer");
    EntryPoint unregisterServer = entry(module, "DllUnregisterServer");
    ASSERT_NE(nullptr, registerServer);
    ASSERT_NE(nullptr, unregisterServer);

    std::set<std::wstring> registered = classesRoot();
    ASSERT_EQ(S_OK, unregisterServer());
    std::set<std::wstring> unregistered = classesRoot();
    for (const ClassRow& row : classes) {
        std::wstring name = row.name;
        EXPECT_FALSE(keyExists(L"Glossmere." + name));
        EXPECT_FALSE(keyExists(L"Glossmere." + name + L".1"));
        EXPECT_FALSE(keyExists(L"CLSID\\" + guidText(*row.clsid)));
    }
    EXPECT_FALSE(keyExists(L"TypeLib\\" + guidText(LIBID_Glossmere)));
    EXPECT_FALSE(keyExists(L"Interface\\" + guidText(IID__WizardLocale)));
    EXPECT_FALSE(keyExists(L"Interface\\" + guidText(IID__WizardLocaleUtil)));
    // A second unregistration finds nothing and changes nothing.
    EXPECT_EQ(S_OK, unregisterServer());
    EXPECT_EQ(unregistered, classesRoot());

    // Register and unregister: back to the unregistered state exactly.
    ASSERT_EQ(S_OK, registerServer());
    for (const ClassRow& row : classes) expectRegistered(row);
    EXPECT_TRUE(keyExists(L"TypeLib\\" + guidText(LIBID_Glossmere) + L"\\1.0"));
    ASSERT_EQ(S_OK, unregisterServer());
    std::set<std::wstring> after = classesRoot();
    EXPECT_TRUE(unregistered == after) << difference(unregistered, after);

    // And registering again restores the registered state exactly.
    ASSERT_EQ(S_OK, registerServer());
    after = classesRoot();
    EXPECT_TRUE(registered == after) << difference(registered, after);
    FreeLibrary(module);
}
