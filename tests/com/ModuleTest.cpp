// The server module seen from a client: registration keys, class factories,
// the lock count, aggregation and ISupportErrorInfo.
#include "ComTestSupport.h"

#include <string>
#include <vector>

namespace {

struct ClassRow {
    const wchar_t* name;
    const CLSID* clsid;
    const IID* iid;
    bool extension;
};

const ClassRow classes[] = {
    {L"StatisticX", &CLSID_StatisticX, &IID_IStatisticX, false},
    {L"StatisticsX", &CLSID_StatisticsX, &IID_IStatisticsX, false},
    {L"ObservationX", &CLSID_ObservationX, &IID_IObservationX, false},
    {L"SeriesX", &CLSID_SeriesX, &IID_ISeriesX, false},
    {L"MatrixX", &CLSID_MatrixX, &IID_IMatrixX, false},
    {L"Quendar", &CLSID_Quendar, &IID_IQuendar, false},
    {L"QuendarASP", &CLSID_QuendarASP, &IID_IQuendarASP, false},
    {L"SeriesXEx1", &CLSID_SeriesXEx1, &IID_ISeriesXEx1, true},
    {L"MatrixXEx1", &CLSID_MatrixXEx1, &IID_IMatrixXEx1, true},
};

std::wstring modulePath()
{
    std::string narrow = QD_DLL_PATH;
    std::wstring path(narrow.begin(), narrow.end());
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

void expectRegistered(const ClassRow& row)
{
    std::wstring name = row.name;
    std::wstring clsid = guidText(*row.clsid);
    std::wstring progId = name + L"." + name + L".1";
    std::wstring independent = name + L"." + name;
    std::wstring classKey = L"CLSID\\" + clsid;
    SCOPED_TRACE(std::string(name.begin(), name.end()));

    EXPECT_EQ(name + L" Class", keyValue(progId));
    EXPECT_EQ(clsid, keyValue(progId + L"\\CLSID"));
    EXPECT_EQ(name + L" Class", keyValue(independent));
    EXPECT_EQ(progId, keyValue(independent + L"\\CurVer"));
    EXPECT_EQ(row.extension, keyExists(independent + L"\\CLSID"));
    EXPECT_EQ(name + L" Class", keyValue(classKey));
    EXPECT_EQ(progId, keyValue(classKey + L"\\ProgID"));
    EXPECT_EQ(independent, keyValue(classKey + L"\\VersionIndependentProgID"));
    EXPECT_TRUE(keyExists(classKey + L"\\Programmable"));
    std::wstring server = keyValue(classKey + L"\\InprocServer32");
    EXPECT_EQ(0, _wcsicmp(modulePath().c_str(), server.c_str()))
        << std::string(server.begin(), server.end());
    if (row.extension) {
        EXPECT_EQ(L"<absent>", keyValue(classKey + L"\\InprocServer32", L"ThreadingModel"));
        EXPECT_EQ(guidText(LIBID_QDINTERFACELib), keyValue(classKey + L"\\TypeLib"));
    } else {
        EXPECT_EQ(L"Apartment", keyValue(classKey + L"\\InprocServer32", L"ThreadingModel"));
    }
}

typedef HRESULT(STDAPICALLTYPE* EntryPoint)();

} // namespace

class ModuleTest : public ComTest {};

TEST_F(ModuleTest, EveryClassIsRegisteredWithItsKeys)
{
    for (const ClassRow& row : classes) expectRegistered(row);
}

// The type library is registered for the server's own architecture, in the
// registry view of that architecture.
TEST_F(ModuleTest, TheTypeLibraryIsRegisteredForTheServersArchitecture)
{
    const std::wstring version = L"TypeLib\\" + guidText(LIBID_QDINTERFACELib) + L"\\1.0";
    const wchar_t* own = sizeof(void*) == 8 ? L"win64" : L"win32";
    std::wstring path = keyValue(version + L"\\409\\" + own);
    EXPECT_NE(L"<absent>", path);
    EXPECT_NE(std::wstring::npos, path.find(L"QDInterface.dll")) << std::string(path.begin(), path.end());
}

TEST_F(ModuleTest, TheControlHasItsExtraKeys)
{
    std::wstring classKey = L"CLSID\\" + guidText(CLSID_Quendar);
    EXPECT_TRUE(keyExists(L"Quendar.Quendar.1\\Insertable"));
    EXPECT_TRUE(keyExists(classKey + L"\\Control"));
    EXPECT_TRUE(keyExists(classKey + L"\\Insertable"));
    EXPECT_EQ(L"0", keyValue(classKey + L"\\MiscStatus"));
    EXPECT_EQ(L"132497", keyValue(classKey + L"\\MiscStatus\\1"));
    EXPECT_EQ(L"1.0", keyValue(classKey + L"\\Version"));
    EXPECT_EQ(guidText(LIBID_QDINTERFACELib), keyValue(classKey + L"\\TypeLib"));
    EXPECT_EQ(modulePath() + L", 1", keyValue(classKey + L"\\ToolboxBitmap32"));
    // Only the control is insertable.
    EXPECT_FALSE(keyExists(L"SeriesX.SeriesX.1\\Insertable"));
    EXPECT_FALSE(keyExists(L"CLSID\\" + guidText(CLSID_SeriesX) + L"\\Control"));
}

TEST_F(ModuleTest, UnregistrationRemovesTheKeysAndRegistrationRestoresThem)
{
    HMODULE module = LoadLibraryW(modulePath().c_str());
    ASSERT_NE(nullptr, module);
    EntryPoint unregisterServer =
        reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(module, "DllUnregisterServer")));
    EntryPoint registerServer =
        reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    ASSERT_NE(nullptr, unregisterServer);
    ASSERT_NE(nullptr, registerServer);

    EXPECT_EQ(S_OK, unregisterServer());
    for (const ClassRow& row : classes) {
        std::wstring name = row.name;
        EXPECT_FALSE(keyExists(name + L"." + name + L".1"));
        EXPECT_FALSE(keyExists(name + L"." + name));
        EXPECT_FALSE(keyExists(L"CLSID\\" + guidText(*row.clsid)));
    }
    EXPECT_TRUE(keyExists(L"CLSID"));
    // A second unregistration finds nothing to remove and still succeeds.
    EXPECT_EQ(S_OK, unregisterServer());

    EXPECT_EQ(S_OK, registerServer());
    for (const ClassRow& row : classes) expectRegistered(row);
    // The type library is registered under its identifier.
    EXPECT_TRUE(keyExists(L"TypeLib\\" + guidText(LIBID_QDINTERFACELib) + L"\\1.0"));
    FreeLibrary(module);
}

TEST_F(ModuleTest, EveryClassIsCreatableAndAnswersErrorInfoForItsOwnInterfaceOnly)
{
    for (const ClassRow& row : classes) {
        SCOPED_TRACE(std::string(row.name, row.name + wcslen(row.name)));
        Ref<IDispatch> object;
        ASSERT_EQ(S_OK, CoCreateInstance(*row.clsid, nullptr, CLSCTX_INPROC_SERVER, *row.iid, object.putVoid()));
        Ref<IDispatch> dispatch;
        EXPECT_EQ(S_OK, object->QueryInterface(IID_IDispatch, dispatch.putVoid()));
        Ref<ISupportErrorInfo> support;
        ASSERT_EQ(S_OK, object->QueryInterface(IID_ISupportErrorInfo, support.putVoid()));
        EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(*row.iid));
        EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_IDispatch));
        EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_IEnumVARIANT));
        // One identity for every interface.
        Ref<IUnknown> a, b;
        object->QueryInterface(IID_IUnknown, a.putVoid());
        support->QueryInterface(IID_IUnknown, b.putVoid());
        EXPECT_EQ(a.get(), b.get());
        Ref<IUnknown> none;
        EXPECT_EQ(E_NOINTERFACE, object->QueryInterface(IID_IClassFactory, none.putVoid()));
        UINT count = 0;
        EXPECT_EQ(S_OK, object->GetTypeInfoCount(&count));
        EXPECT_EQ(1u, count);
        Ref<ITypeInfo> info;
        ASSERT_EQ(S_OK, object->GetTypeInfo(0, 0, info.put()));
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(S_OK, info->GetTypeAttr(&attr));
        EXPECT_TRUE(IsEqualGUID(*row.iid, attr->guid));
        info->ReleaseTypeAttr(attr);
    }
}

TEST_F(ModuleTest, ClassFactoriesAreCreatedOnceAndLockTheServer)
{
    Ref<IClassFactory> first, second;
    ASSERT_EQ(S_OK, CoGetClassObject(CLSID_SeriesX, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                     first.putVoid()));
    ASSERT_EQ(S_OK, CoGetClassObject(CLSID_SeriesX, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                     second.putVoid()));
    EXPECT_EQ(first.get(), second.get());

    HMODULE module = GetModuleHandleW(L"QDInterface.dll");
    ASSERT_NE(nullptr, module);
    EntryPoint canUnloadNow =
        reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    typedef HRESULT(STDAPICALLTYPE * GetClassObject)(REFCLSID, REFIID, void**);
    GetClassObject getClassObject =
        reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    ASSERT_NE(nullptr, canUnloadNow);
    ASSERT_NE(nullptr, getClassObject);

    EXPECT_EQ(S_OK, canUnloadNow());
    EXPECT_EQ(S_OK, first->LockServer(TRUE));
    EXPECT_EQ(S_FALSE, canUnloadNow());
    EXPECT_EQ(S_OK, first->LockServer(FALSE));
    EXPECT_EQ(S_OK, canUnloadNow());
    {
        Ref<ISeriesX> series;
        ASSERT_EQ(S_OK, first->CreateInstance(nullptr, IID_ISeriesX, series.putVoid()));
        EXPECT_EQ(S_FALSE, canUnloadNow());
        Ref<IStatisticsX> statistics;
        ASSERT_EQ(S_OK, series->get_Statistics(statistics.put()));
        series.reset();
        // The handed-out child still counts.
        EXPECT_EQ(S_FALSE, canUnloadNow());
    }
    EXPECT_EQ(S_OK, canUnloadNow());

    // The entry point itself.
    Ref<IClassFactory> direct;
    EXPECT_EQ(E_POINTER, getClassObject(CLSID_SeriesX, IID_IClassFactory, nullptr));
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject(IID_IDispatch, IID_IClassFactory, direct.putVoid()));
    EXPECT_EQ(nullptr, direct.get());
    ASSERT_EQ(S_OK, getClassObject(CLSID_SeriesX, IID_IClassFactory, direct.putVoid()));
    EXPECT_EQ(first.get(), direct.get());
}

namespace {

// An outer object that aggregates one inner object and answers every
// interface but IUnknown through it.
class Outer : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override
    {
        if (IsEqualIID(iid, IID_IUnknown)) {
            *result = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return inner ? inner->QueryInterface(iid, result) : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }

    ULONG refs = 1;
    IUnknown* inner = nullptr;
};

} // namespace

TEST_F(ModuleTest, EveryClassCanBeAggregated)
{
    for (const ClassRow& row : classes) {
        SCOPED_TRACE(std::string(row.name, row.name + wcslen(row.name)));
        Outer outer;
        IUnknown* refused = reinterpret_cast<IUnknown*>(1);
        EXPECT_EQ(CLASS_E_NOAGGREGATION, CoCreateInstance(*row.clsid, &outer, CLSCTX_INPROC_SERVER, *row.iid,
                                                          reinterpret_cast<void**>(&refused)));
        EXPECT_EQ(nullptr, refused);

        ASSERT_EQ(S_OK, CoCreateInstance(*row.clsid, &outer, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                         reinterpret_cast<void**>(&outer.inner)));
        IDispatch* dual = nullptr;
        ASSERT_EQ(S_OK, outer.QueryInterface(*row.iid, reinterpret_cast<void**>(&dual)));
        ULONG before = outer.refs;
        // The inner object's interfaces delegate IUnknown to the outer one.
        IUnknown* identity = nullptr;
        ASSERT_EQ(S_OK, dual->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
        EXPECT_EQ(static_cast<IUnknown*>(&outer), identity);
        EXPECT_EQ(before + 1, outer.refs);
        identity->Release();
        dual->Release();
        outer.inner->Release();
    }
}

TEST_F(ModuleTest, AnExtensionCreatedOnItsOwnReportsThatItIsNotInitialized)
{
    Ref<ISeriesXEx1> series;
    create(CLSID_SeriesXEx1, IID_ISeriesXEx1, series);
    EXPECT_EQ(QD_E_REPORTED, series->GenerateRandomTriangular(1, 0.0, 0.5, 1.0));
    ErrorReport report = lastError();
    ASSERT_TRUE(report.present);
    EXPECT_NE(std::wstring::npos, report.description.find(L"Error: 3128\n"));
    EXPECT_EQ(L"SeriesXEx1.SeriesXEx1.1", report.source);
    EXPECT_TRUE(IsEqualGUID(IID_ISeriesXEx1, report.guid));

    // Late binding, every argument taking its default, reaches the same
    // report.
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"GenerateRandomTriangular");
    ASSERT_EQ(S_OK, series->GetIDsOfNames(IID_NULL, &name, 1, 0, &id));
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXCEPINFO exception = {};
    HRESULT hr = series->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, &exception, nullptr);
    EXPECT_EQ(DISP_E_EXCEPTION, hr);
    EXPECT_EQ(QD_E_REPORTED, exception.scode);
    ASSERT_NE(nullptr, exception.bstrDescription);
    EXPECT_NE(std::wstring::npos, std::wstring(exception.bstrDescription).find(L"Error: 3128\n"));
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
}
