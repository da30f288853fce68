// Loads the built QDInterface.tlb through oleaut32 (not registered) and
// compares everything clients rely on with the golden tables: library
// attributes, the enums, the classes and every member of every dual
// interface with its DISPID, vtable slot, invoke kind, parameter names,
// types, flags and default values.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "TypeLibGolden.h"

namespace {

std::string narrow(const wchar_t* s) {
    std::string out;
    if (s) {
        for (; *s; ++s) out += (*s < 0x80) ? static_cast<char>(*s) : '?';
    }
    return out;
}

std::wstring widen(const char* s) {
    std::wstring out;
    for (; *s; ++s) out += static_cast<wchar_t>(static_cast<unsigned char>(*s));
    return out;
}

std::string guidText(const GUID& g) {
    wchar_t buf[64] = {};
    StringFromGUID2(g, buf, 64);
    return narrow(buf);
}

// Owns a BSTR for the length of a scope.
struct Bstr {
    BSTR s = nullptr;
    ~Bstr() { SysFreeString(s); }
    std::string str() const { return narrow(s); }
};

template <class T>
struct Ref {
    T* p = nullptr;
    ~Ref() {
        if (p) p->Release();
    }
    T* operator->() const { return p; }
};

struct TypeAttr {
    ITypeInfo* ti;
    TYPEATTR* a = nullptr;
    explicit TypeAttr(ITypeInfo* t) : ti(t) { ti->GetTypeAttr(&a); }
    ~TypeAttr() {
        if (a) ti->ReleaseTypeAttr(a);
    }
};

std::string docName(ITypeInfo* ti, MEMBERID id) {
    Bstr name;
    ti->GetDocumentation(id, &name.s, nullptr, nullptr, nullptr);
    return name.str();
}

std::string docHelp(ITypeInfo* ti, MEMBERID id) {
    Bstr help;
    ti->GetDocumentation(id, nullptr, &help.s, nullptr, nullptr);
    return help.str();
}

std::string typeText(ITypeInfo* ti, const TYPEDESC& td) {
    switch (td.vt) {
    case VT_I2: return "short";
    case VT_I4: return "long";
    case VT_R8: return "double";
    case VT_BSTR: return "BSTR";
    case VT_VARIANT: return "VARIANT";
    case VT_UNKNOWN: return "IUnknown*";
    case VT_DISPATCH: return "IDispatch*";
    case VT_HRESULT: return "HRESULT";
    case VT_PTR: return typeText(ti, *td.lptdesc) + "*";
    case VT_USERDEFINED: {
        Ref<ITypeInfo> ref;
        if (FAILED(ti->GetRefTypeInfo(td.hreftype, &ref.p))) return "?userdefined";
        return docName(ref.p, MEMBERID_NIL);
    }
    default: return "?vt" + std::to_string(td.vt);
    }
}

// Shortest text that reads back as the same double, always with a point.
std::string doubleText(double v) {
    char buf[64];
    for (int prec = 1; prec <= 17; ++prec) {
        std::snprintf(buf, sizeof buf, "%.*g", prec, v);
        if (std::strtod(buf, nullptr) == v) break;
    }
    if (v == std::floor(v) && std::fabs(v) < 1e15) std::snprintf(buf, sizeof buf, "%.1f", v);
    std::string s = buf;
    if (s.find_first_of(".en") == std::string::npos) s += ".0";
    return s;
}

// The VARTYPE a default of a parameter of this type must have.
VARTYPE expectedDefaultType(ITypeInfo* ti, const TYPEDESC& td) {
    switch (td.vt) {
    case VT_I2: return VT_I2;
    case VT_I4: return VT_I4;
    case VT_R8: return VT_R8;
    case VT_BSTR: return VT_BSTR;
    case VT_USERDEFINED: {
        Ref<ITypeInfo> ref;
        if (SUCCEEDED(ti->GetRefTypeInfo(td.hreftype, &ref.p))) {
            TypeAttr attr(ref.p);
            if (attr.a && attr.a->typekind == TKIND_ENUM) return VT_I4;
        }
        return VT_EMPTY;
    }
    default: return VT_EMPTY;  // VARIANT: any type, shown below
    }
}

std::string defaultText(const VARIANT& v, VARTYPE expected) {
    std::string s;
    switch (V_VT(&v)) {
    case VT_I2: s = std::to_string(V_I2(&v)); break;
    case VT_I4: s = std::to_string(V_I4(&v)); break;
    case VT_R8: s = doubleText(V_R8(&v)); break;
    case VT_BSTR: s = "\"" + narrow(V_BSTR(&v)) + "\""; break;
    default: return "{vt " + std::to_string(V_VT(&v)) + "}";
    }
    if (expected != VT_EMPTY && V_VT(&v) != expected) s += "{vt " + std::to_string(V_VT(&v)) + "}";
    return s;
}

// The type library describes the architecture it was built for: a vtable
// slot is one pointer wide, and the system kind names the platform.
constexpr unsigned kSlotSize = sizeof(void*);
constexpr SYSKIND kSysKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

// Renders one function of a vtable (TKIND_INTERFACE) view in the notation of
// the golden tables; anything unusual shows up as an extra mark.
std::string memberText(ITypeInfo* ti, UINT index) {
    FUNCDESC* fd = nullptr;
    if (FAILED(ti->GetFuncDesc(index, &fd))) return "?funcdesc";
    std::vector<BSTR> names(fd->cParams + 1, nullptr);
    UINT got = 0;
    ti->GetNames(fd->memid, names.data(), static_cast<UINT>(names.size()), &got);

    std::string kind = fd->invkind == INVOKE_FUNC ? "m"
                     : fd->invkind == INVOKE_PROPERTYGET ? "get"
                     : fd->invkind == INVOKE_PROPERTYPUT ? "put"
                     : fd->invkind == INVOKE_PROPERTYPUTREF ? "putref" : "?";
    std::string s = std::to_string(fd->oVft / kSlotSize) + " " + std::to_string(fd->memid) + " " + kind + " ";
    if (fd->oVft % kSlotSize) s += "{oVft " + std::to_string(fd->oVft) + "} ";
    if (fd->wFuncFlags & FUNCFLAG_FRESTRICTED) s += "restricted ";
    if (fd->wFuncFlags & ~FUNCFLAG_FRESTRICTED) s += "{funcflags " + std::to_string(fd->wFuncFlags) + "} ";
    s += got > 0 ? narrow(names[0]) : "?";
    s += "(";
    for (SHORT i = 0; i < fd->cParams; ++i) {
        const ELEMDESC& ed = fd->lprgelemdescParam[i];
        USHORT f = ed.paramdesc.wParamFlags;
        if (i) s += ", ";
        if (f & PARAMFLAG_FRETVAL) {
            s += (f & PARAMFLAG_FOUT) ? "retval " : "{retval without out} ";
        } else if ((f & PARAMFLAG_FIN) && (f & PARAMFLAG_FOUT)) {
            s += "inout ";
        } else if (f & PARAMFLAG_FOUT) {
            s += "out ";
        } else if (!(f & PARAMFLAG_FIN)) {
            s += "{not in} ";
        }
        s += typeText(ti, ed.tdesc) + " ";
        bool putValue = (fd->invkind & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF)) && i == fd->cParams - 1;
        if (putValue) {
            // Names are reported per DISPID, i.e. those of the property get:
            // the value parameter of a put has no name a client can see.
            s += "<value>";
        } else {
            s += (static_cast<UINT>(i) + 1 < got && names[i + 1]) ? narrow(names[i + 1]) : "?";
        }
        bool hasDefault = (f & PARAMFLAG_FHASDEFAULT) != 0;
        bool optional = (f & PARAMFLAG_FOPT) != 0;
        if (hasDefault) {
            if (!optional) s += "{default without optional}";
            if (ed.paramdesc.pparamdescex) {
                s += "=" + defaultText(ed.paramdesc.pparamdescex->varDefaultValue, expectedDefaultType(ti, ed.tdesc));
            } else {
                s += "={missing}";
            }
        } else if (optional) {
            s += "{optional without default}";
        }
        if (f & ~(PARAMFLAG_FIN | PARAMFLAG_FOUT | PARAMFLAG_FRETVAL | PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT)) {
            s += "{paramflags " + std::to_string(f) + "}";
        }
    }
    s += ")";
    if (fd->elemdescFunc.tdesc.vt != VT_HRESULT) s += " -> " + typeText(ti, fd->elemdescFunc.tdesc);
    if (fd->funckind != FUNC_PUREVIRTUAL) s += " {funckind " + std::to_string(fd->funckind) + "}";
    if (fd->callconv != CC_STDCALL) s += " {callconv " + std::to_string(fd->callconv) + "}";
    if (fd->cParamsOpt != 0) s += " {cParamsOpt " + std::to_string(fd->cParamsOpt) + "}";
    for (BSTR b : names) SysFreeString(b);
    ti->ReleaseFuncDesc(fd);
    return s;
}

std::string goldenText(const golden::Member& m) {
    return std::to_string(m.slot) + " " + std::to_string(m.dispid) + " " + m.kind + " " + m.sig;
}

std::string tlbPath() {
    std::string p = QD_TLB_PATH;
    for (char& c : p) {
        if (c == '/') c = '\\';
    }
    return p;
}

class TypeLibCheck : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::wstring path = widen(tlbPath().c_str());
        HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib);
        ASSERT_EQ(S_OK, hr) << "LoadTypeLibEx " << tlbPath();
    }
    static void TearDownTestSuite() {
        if (lib) lib->Release();
        lib = nullptr;
    }

    void SetUp() override { ASSERT_NE(nullptr, lib); }

    static ITypeInfo* byGuid(const char* text) {
        GUID g;
        std::wstring w = widen(text);
        if (FAILED(CLSIDFromString(w.c_str(), &g))) return nullptr;
        ITypeInfo* ti = nullptr;
        lib->GetTypeInfoOfGuid(g, &ti);
        return ti;
    }

    static ITypeInfo* byName(const std::string& name) {
        UINT n = lib->GetTypeInfoCount();
        for (UINT i = 0; i < n; ++i) {
            Bstr b;
            lib->GetDocumentation(static_cast<INT>(i), &b.s, nullptr, nullptr, nullptr);
            if (b.str() == name) {
                ITypeInfo* ti = nullptr;
                lib->GetTypeInfo(i, &ti);
                return ti;
            }
        }
        return nullptr;
    }

    static ITypeLib* lib;
};

ITypeLib* TypeLibCheck::lib = nullptr;

TEST_F(TypeLibCheck, LibraryAttributes) {
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(S_OK, lib->GetLibAttr(&attr));
    EXPECT_EQ(golden::kLibId, guidText(attr->guid));
    EXPECT_EQ(0x409u, attr->lcid);
    EXPECT_EQ(1, attr->wMajorVerNum);
    EXPECT_EQ(0, attr->wMinorVerNum);
    EXPECT_EQ(kSysKind, attr->syskind);
    lib->ReleaseTLibAttr(attr);

    Bstr name, help;
    ASSERT_EQ(S_OK, lib->GetDocumentation(-1, &name.s, &help.s, nullptr, nullptr));
    EXPECT_EQ(golden::kLibName, name.str());
    EXPECT_EQ(golden::kLibHelpString, help.str());
}

TEST_F(TypeLibCheck, HoldsExactlyTheGoldenTypes) {
    std::map<std::string, TYPEKIND> expected;
    for (const auto& e : golden::enums()) expected[e.name] = TKIND_ENUM;
    for (const auto& i : golden::interfaces()) expected[i.name] = TKIND_DISPATCH;
    for (const auto& c : golden::coclasses()) expected[c.name] = TKIND_COCLASS;
    ASSERT_EQ(23u + 9u + 9u, expected.size());

    std::map<std::string, TYPEKIND> actual;
    UINT n = lib->GetTypeInfoCount();
    for (UINT i = 0; i < n; ++i) {
        Bstr b;
        TYPEKIND kind;
        lib->GetDocumentation(static_cast<INT>(i), &b.s, nullptr, nullptr, nullptr);
        lib->GetTypeInfoType(i, &kind);
        actual[b.str()] = kind;
    }
    EXPECT_EQ(expected, actual);
}

TEST_F(TypeLibCheck, Enums) {
    for (const auto& e : golden::enums()) {
        SCOPED_TRACE(e.name);
        Ref<ITypeInfo> ti;
        ti.p = byName(e.name);
        ASSERT_NE(nullptr, ti.p);
        TypeAttr attr(ti.p);
        ASSERT_NE(nullptr, attr.a);
        EXPECT_EQ(TKIND_ENUM, attr.a->typekind);
        EXPECT_EQ(4u, attr.a->cbSizeInstance);

        std::vector<std::string> want, got;
        for (const auto& c : e.constants) want.push_back(std::string(c.name) + "=" + std::to_string(c.value));
        for (WORD i = 0; i < attr.a->cVars; ++i) {
            VARDESC* vd = nullptr;
            ASSERT_EQ(S_OK, ti->GetVarDesc(i, &vd));
            std::string s = docName(ti.p, vd->memid) + "=";
            if (vd->varkind == VAR_CONST && vd->lpvarValue && V_VT(vd->lpvarValue) == VT_I4) {
                s += std::to_string(V_I4(vd->lpvarValue));
            } else if (vd->varkind == VAR_CONST && vd->lpvarValue && V_VT(vd->lpvarValue) == VT_INT) {
                s += std::to_string(V_INT(vd->lpvarValue));
            } else {
                s += "{not a 32-bit constant}";
            }
            ti->ReleaseVarDesc(vd);
            got.push_back(s);
        }
        EXPECT_EQ(want, got);
    }
}

TEST_F(TypeLibCheck, Classes) {
    for (const auto& c : golden::coclasses()) {
        SCOPED_TRACE(c.name);
        Ref<ITypeInfo> ti;
        ti.p = byGuid(c.clsid);
        ASSERT_NE(nullptr, ti.p);
        TypeAttr attr(ti.p);
        ASSERT_NE(nullptr, attr.a);
        EXPECT_EQ(TKIND_COCLASS, attr.a->typekind);
        EXPECT_EQ(c.name, docName(ti.p, MEMBERID_NIL));
        EXPECT_EQ(c.helpString, docHelp(ti.p, MEMBERID_NIL));
        EXPECT_TRUE(attr.a->wTypeFlags & TYPEFLAG_FCANCREATE);
        EXPECT_EQ(c.control, (attr.a->wTypeFlags & TYPEFLAG_FCONTROL) != 0);
        EXPECT_FALSE(attr.a->wTypeFlags & (TYPEFLAG_FHIDDEN | TYPEFLAG_FRESTRICTED));
        ASSERT_EQ(1, attr.a->cImplTypes);
        INT implFlags = 0;
        ASSERT_EQ(S_OK, ti->GetImplTypeFlags(0, &implFlags));
        EXPECT_EQ(IMPLTYPEFLAG_FDEFAULT, implFlags);
        HREFTYPE href = 0;
        ASSERT_EQ(S_OK, ti->GetRefTypeOfImplType(0, &href));
        Ref<ITypeInfo> itf;
        ASSERT_EQ(S_OK, ti->GetRefTypeInfo(href, &itf.p));
        EXPECT_EQ(c.defaultInterface, docName(itf.p, MEMBERID_NIL));
    }
}

TEST_F(TypeLibCheck, DualInterfaces) {
    // The dispatch view is dispatchable and dual; the vtable view carries
    // the automation-compatible flag as well.
    const WORD dispFlags = TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE;
    const WORD vtableFlags = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;
    for (const auto& itfGolden : golden::interfaces()) {
        SCOPED_TRACE(itfGolden.name);
        Ref<ITypeInfo> disp;
        disp.p = byGuid(itfGolden.iid);
        ASSERT_NE(nullptr, disp.p);
        TypeAttr dattr(disp.p);
        ASSERT_NE(nullptr, dattr.a);
        EXPECT_EQ(TKIND_DISPATCH, dattr.a->typekind);
        EXPECT_EQ(dispFlags, dattr.a->wTypeFlags);
        EXPECT_EQ(itfGolden.name, docName(disp.p, MEMBERID_NIL));
        EXPECT_EQ(itfGolden.helpString, docHelp(disp.p, MEMBERID_NIL));

        // The vtable view: derived from IDispatch, one slot per member.
        HREFTYPE href = 0;
        ASSERT_EQ(S_OK, disp->GetRefTypeOfImplType(-1, &href));
        Ref<ITypeInfo> vt;
        ASSERT_EQ(S_OK, disp->GetRefTypeInfo(href, &vt.p));
        TypeAttr vattr(vt.p);
        ASSERT_NE(nullptr, vattr.a);
        EXPECT_EQ(TKIND_INTERFACE, vattr.a->typekind);
        EXPECT_EQ(vtableFlags, vattr.a->wTypeFlags);
        EXPECT_EQ(guidText(dattr.a->guid), guidText(vattr.a->guid));
        EXPECT_EQ((7u + itfGolden.members.size()) * kSlotSize, vattr.a->cbSizeVft);
        ASSERT_EQ(1, vattr.a->cImplTypes);
        ASSERT_EQ(S_OK, vt->GetRefTypeOfImplType(0, &href));
        Ref<ITypeInfo> base;
        ASSERT_EQ(S_OK, vt->GetRefTypeInfo(href, &base.p));
        EXPECT_EQ("IDispatch", docName(base.p, MEMBERID_NIL));
    }
}

// Every member of every interface, one line each, against the golden rows.
TEST_F(TypeLibCheck, Members) {
    for (const auto& itfGolden : golden::interfaces()) {
        SCOPED_TRACE(itfGolden.name);
        Ref<ITypeInfo> disp;
        disp.p = byGuid(itfGolden.iid);
        ASSERT_NE(nullptr, disp.p);
        HREFTYPE href = 0;
        ASSERT_EQ(S_OK, disp->GetRefTypeOfImplType(-1, &href));
        Ref<ITypeInfo> vt;
        ASSERT_EQ(S_OK, disp->GetRefTypeInfo(href, &vt.p));
        TypeAttr attr(vt.p);
        ASSERT_NE(nullptr, attr.a);

        std::vector<std::string> want, got;
        for (const auto& m : itfGolden.members) want.push_back(goldenText(m));
        for (UINT i = 0; i < attr.a->cFuncs; ++i) got.push_back(memberText(vt.p, i));
        EXPECT_EQ(want.size(), got.size());
        for (size_t i = 0; i < want.size() && i < got.size(); ++i) {
            EXPECT_EQ(want[i], got[i]) << "member " << i;
        }
    }
}

// Late binding finds every member by name, with its DISPID.
TEST_F(TypeLibCheck, NamesResolveToDispids) {
    for (const auto& itfGolden : golden::interfaces()) {
        SCOPED_TRACE(itfGolden.name);
        Ref<ITypeInfo> disp;
        disp.p = byGuid(itfGolden.iid);
        ASSERT_NE(nullptr, disp.p);
        for (const auto& m : itfGolden.members) {
            std::string sig = m.sig;
            if (sig.rfind("restricted ", 0) == 0) sig = sig.substr(11);
            std::wstring name = widen(sig.substr(0, sig.find('(')).c_str());
            LPOLESTR names[1] = {const_cast<LPOLESTR>(name.c_str())};
            MEMBERID id = 0;
            EXPECT_EQ(S_OK, disp->GetIDsOfNames(names, 1, &id)) << narrow(name.c_str());
            EXPECT_EQ(m.dispid, id) << narrow(name.c_str());
        }
    }
}

// The double defaults are real VT_R8 values as oleaut32 hands them to a
// caller that omits the argument.
TEST_F(TypeLibCheck, DoubleDefaultsReadBackAsDoubles) {
    struct Case {
        const char* iid;
        int slot;
        int param;
        double value;
    };
    const Case cases[] = {
        {"{F47E0042-9A68-4582-A354-F8ADE90882D0}", 52, 1, -3.0},   // ISeriesX::ForecastExponentialSmoothing alpha
        {"{F47E0042-9A68-4582-A354-F8ADE90882D0}", 82, 3, 0.125},  // ISeriesX::CalculateTrackingSignal TSSmoothingWeight
        {"{073C06D8-48D5-4D13-9715-5D84EDB44362}", 41, 3, 1000.0}, // ISeriesXEx1::CalculateSeviceLevelEx safetyStock
        {"{073C06D8-48D5-4D13-9715-5D84EDB44362}", 58, 18, 0.875}, // ISeriesXEx1::ForecastSlowMovingDemand ServiceLevel
        {"{67500E4B-B779-487F-8DF8-F61C63605D43}", 106, 2, -1.0},    // IMatrixX::ReplaceMissingValues lower
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.iid) + " slot " + std::to_string(c.slot));
        Ref<ITypeInfo> disp;
        disp.p = byGuid(c.iid);
        ASSERT_NE(nullptr, disp.p);
        HREFTYPE href = 0;
        ASSERT_EQ(S_OK, disp->GetRefTypeOfImplType(-1, &href));
        Ref<ITypeInfo> vt;
        ASSERT_EQ(S_OK, disp->GetRefTypeInfo(href, &vt.p));
        FUNCDESC* fd = nullptr;
        ASSERT_EQ(S_OK, vt->GetFuncDesc(static_cast<UINT>(c.slot - 7), &fd));
        EXPECT_EQ(c.slot * static_cast<int>(kSlotSize), fd->oVft);
        ASSERT_LT(c.param, fd->cParams);
        const PARAMDESC& pd = fd->lprgelemdescParam[c.param].paramdesc;
        EXPECT_EQ(VT_R8, fd->lprgelemdescParam[c.param].tdesc.vt);
        EXPECT_TRUE(pd.wParamFlags & PARAMFLAG_FHASDEFAULT);
        ASSERT_NE(nullptr, pd.pparamdescex);
        EXPECT_EQ(VT_R8, V_VT(&pd.pparamdescex->varDefaultValue));
        EXPECT_EQ(c.value, V_R8(&pd.pparamdescex->varDefaultValue));
        vt->ReleaseFuncDesc(fd);
    }
}

}  // namespace
