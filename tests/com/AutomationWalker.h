// Late-bound clients of both servers that know nothing but the registered
// type libraries: the catalogue of every member of every dispatch interface
// (read from QDInterface's and Glossmere's libraries by LIBID), a fixture
// that makes one populated object for each interface, and a call through
// IDispatch::Invoke by DISPID with its outcome checked. The every-member
// test and the automation fuzzer share it.
#ifndef QD_TESTS_COM_AUTOMATIONWALKER_H
#define QD_TESTS_COM_AUTOMATIONWALKER_H

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Walker {

// The two type libraries, version 1.0 both.
const GUID kQDInterfaceLibrary = {0xD7DEC2A6, 0x6DAC, 0x4B1A, {0xB2, 0x77, 0xBE, 0x45, 0x32, 0x6E, 0xF4, 0xF5}};
const GUID kGlossmereLibrary = {0x588B7C64, 0xF130, 0x4563, {0xBB, 0xD5, 0xF8, 0x46, 0x17, 0x54, 0x62, 0x13}};

inline std::string narrow(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

// Holds one reference.
template <class T>
class Held {
public:
    Held() = default;
    explicit Held(T* p, bool addRef) : p_(p)
    {
        if (p_ && addRef) p_->AddRef();
    }
    Held(const Held& o) : p_(o.p_)
    {
        if (p_) p_->AddRef();
    }
    Held& operator=(const Held& o)
    {
        if (o.p_) o.p_->AddRef();
        if (p_) p_->Release();
        p_ = o.p_;
        return *this;
    }
    ~Held()
    {
        if (p_) p_->Release();
    }
    T** put()
    {
        if (p_) p_->Release();
        p_ = nullptr;
        return &p_;
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// A VARIANT that owns its content.
class Value {
public:
    Value() { VariantInit(&v_); }
    Value(const Value& o)
    {
        VariantInit(&v_);
        VariantCopy(&v_, const_cast<VARIANT*>(&o.v_));
    }
    Value& operator=(const Value& o)
    {
        if (this != &o) {
            VariantClear(&v_);
            VariantCopy(&v_, const_cast<VARIANT*>(&o.v_));
        }
        return *this;
    }
    ~Value() { VariantClear(&v_); }
    VARIANT* get() { return &v_; }
    const VARIANT& ref() const { return v_; }

    static Value i2(SHORT x)
    {
        Value r;
        r.v_.vt = VT_I2;
        r.v_.iVal = x;
        return r;
    }
    static Value i4(LONG x)
    {
        Value r;
        r.v_.vt = VT_I4;
        r.v_.lVal = x;
        return r;
    }
    static Value r8(double x)
    {
        Value r;
        r.v_.vt = VT_R8;
        r.v_.dblVal = x;
        return r;
    }
    static Value text(const std::wstring& s)
    {
        Value r;
        r.v_.vt = VT_BSTR;
        r.v_.bstrVal = SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
        return r;
    }
    static Value object(IDispatch* d)
    {
        Value r;
        r.v_.vt = VT_DISPATCH;
        r.v_.pdispVal = d;
        if (d) d->AddRef();
        return r;
    }
    static Value unknown(IUnknown* u)
    {
        Value r;
        r.v_.vt = VT_UNKNOWN;
        r.v_.punkVal = u;
        if (u) u->AddRef();
        return r;
    }
    // Takes ownership of the array.
    static Value array(SAFEARRAY* a, VARTYPE element)
    {
        Value r;
        r.v_.vt = static_cast<VARTYPE>(VT_ARRAY | element);
        r.v_.parray = a;
        return r;
    }
    static Value missing()
    {
        Value r;
        r.v_.vt = VT_ERROR;
        r.v_.scode = DISP_E_PARAMNOTFOUND;
        return r;
    }

private:
    VARIANT v_;
};

// A one-dimensional zero-based array of the values, of element type vt.
template <class T>
SAFEARRAY* vectorArray(VARTYPE vt, const std::vector<T>& values)
{
    SAFEARRAY* a = SafeArrayCreateVector(vt, 0, static_cast<ULONG>(values.size()));
    if (a == nullptr) return nullptr;
    for (LONG i = 0; i < static_cast<LONG>(values.size()); ++i)
        SafeArrayPutElement(a, &i, const_cast<T*>(&values[static_cast<size_t>(i)]));
    return a;
}

inline SAFEARRAY* doubles(const std::vector<double>& values)
{
    return vectorArray(VT_R8, values);
}

inline SAFEARRAY* longs(const std::vector<LONG>& values)
{
    return vectorArray(VT_I4, values);
}

// The arguments of one call, in their natural order, with what the
// by-reference ones point at (a callee may replace an array it is handed by
// reference: whatever is there at the end is destroyed).
struct Arguments {
    std::vector<Value> values;
    std::deque<Value> referents;
    std::deque<SAFEARRAY*> arrays;

    Arguments() = default;
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;
    ~Arguments()
    {
        values.clear();
        for (SAFEARRAY* a : arrays)
            if (a) SafeArrayDestroy(a);
    }
    // A VT_BYREF|VT_VARIANT argument pointing at a copy of v.
    Value byReference(const Value& v)
    {
        referents.push_back(v);
        Value r;
        r.get()->vt = VT_BYREF | VT_VARIANT;
        r.get()->pvarVal = referents.back().get();
        return r;
    }
    // A VT_BYREF|VT_ARRAY|element argument; takes ownership of a.
    Value arrayByReference(SAFEARRAY* a, VARTYPE element)
    {
        arrays.push_back(a);
        Value r;
        r.get()->vt = static_cast<VARTYPE>(VT_BYREF | VT_ARRAY | element);
        r.get()->pparray = &arrays.back();
        return r;
    }
};

// ---- the catalogue ------------------------------------------------------------------

struct Parameter {
    std::wstring name;
    VARTYPE vt = VT_EMPTY;     // the type of the value, after aliases and enumerations
    bool byReference = false;  // VARIANT* and the like ([in, out] or [out])
    bool object = false;       // an interface pointer
    std::wstring objectType;   // its interface's name
    bool optional = false;
    bool hasDefault = false;
    bool output = false;
    Value defaultValue;
};

struct Member {
    std::wstring interfaceName;
    std::wstring name;
    MEMBERID id = 0;
    INVOKEKIND kind = INVOKE_FUNC;
    std::vector<Parameter> parameters; // the retval excluded; a put's value last
    size_t required = 0;               // the parameters before the last one without a default
    bool returnsValue = false;         // a retval, or a dispatch member's own result

    std::wstring key() const
    {
        const wchar_t* k = kind == INVOKE_FUNC            ? L"method"
                           : kind == INVOKE_PROPERTYGET   ? L"get"
                           : kind == INVOKE_PROPERTYPUT   ? L"put"
                                                          : L"putref";
        return interfaceName + L"." + name + L" (" + k + L")";
    }
    WORD flags() const
    {
        return kind == INVOKE_FUNC ? DISPATCH_METHOD : static_cast<WORD>(kind);
    }
};

struct Interface {
    std::wstring name;
    IID iid = IID_NULL;
    std::vector<Member> members;
};

struct CreatableClass {
    std::wstring name;
    CLSID clsid = CLSID_NULL;
    std::wstring defaultInterface;
};

struct Catalogue {
    std::vector<Interface> interfaces;
    std::vector<CreatableClass> classes;
    std::vector<std::wstring> problems; // what could not be read

    const Interface* find(const std::wstring& name) const
    {
        for (const Interface& i : interfaces)
            if (i.name == name) return &i;
        return nullptr;
    }
    const CreatableClass* classOf(const std::wstring& interfaceName) const
    {
        for (const CreatableClass& c : classes)
            if (c.defaultInterface == interfaceName) return &c;
        return nullptr;
    }
};

inline std::wstring typeName(ITypeInfo* info)
{
    BSTR name = nullptr;
    std::wstring result;
    if (SUCCEEDED(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr)) && name)
        result.assign(name, SysStringLen(name));
    SysFreeString(name);
    return result;
}

// Resolves a parameter's type description into p.
inline void describeType(ITypeInfo* owner, const TYPEDESC& desc, Parameter& p)
{
    const TYPEDESC* t = &desc;
    if (t->vt == VT_PTR) {
        const TYPEDESC* inner = t->lptdesc;
        if (inner->vt == VT_USERDEFINED || inner->vt == VT_UNKNOWN || inner->vt == VT_DISPATCH) {
            // An interface pointer is passed as VT_PTR to the interface.
            t = inner;
        } else {
            p.byReference = true;
            t = inner;
        }
    }
    if (t->vt == VT_UNKNOWN || t->vt == VT_DISPATCH) {
        p.vt = t->vt;
        p.object = true;
        p.objectType = t->vt == VT_UNKNOWN ? L"IUnknown" : L"IDispatch";
        return;
    }
    if (t->vt != VT_USERDEFINED) {
        p.vt = t->vt;
        return;
    }
    Held<ITypeInfo> ref;
    if (FAILED(owner->GetRefTypeInfo(t->hreftype, ref.put())) || !ref) {
        p.vt = VT_VARIANT;
        return;
    }
    TYPEATTR* attr = nullptr;
    if (FAILED(ref->GetTypeAttr(&attr))) {
        p.vt = VT_VARIANT;
        return;
    }
    switch (attr->typekind) {
    case TKIND_ENUM:
        p.vt = VT_I4;
        break;
    case TKIND_ALIAS:
        describeType(ref.get(), attr->tdescAlias, p);
        break;
    case TKIND_INTERFACE:
    case TKIND_DISPATCH:
        p.vt = VT_DISPATCH;
        p.object = true;
        p.objectType = typeName(ref.get());
        break;
    default:
        p.vt = VT_VARIANT;
        break;
    }
    ref->ReleaseTypeAttr(attr);
}

inline bool inheritedFromIDispatch(const std::wstring& name)
{
    static const wchar_t* const names[] = {L"QueryInterface", L"AddRef", L"Release", L"GetTypeInfoCount",
                                           L"GetTypeInfo", L"GetIDsOfNames", L"Invoke"};
    for (const wchar_t* n : names)
        if (name == n) return true;
    return false;
}

// Every member of one dispatch interface, in the library's order.
inline void readInterface(ITypeInfo* info, Interface& out)
{
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetTypeAttr(&attr))) return;
    out.iid = attr->guid;
    WORD count = attr->cFuncs;
    info->ReleaseTypeAttr(attr);
    for (WORD f = 0; f < count; ++f) {
        FUNCDESC* fd = nullptr;
        if (FAILED(info->GetFuncDesc(f, &fd))) continue;
        Member m;
        m.interfaceName = out.name;
        m.id = fd->memid;
        m.kind = fd->invkind;
        VARTYPE own = fd->elemdescFunc.tdesc.vt;
        if (fd->funckind == FUNC_DISPATCH && own != VT_VOID && own != VT_HRESULT && own != VT_EMPTY)
            m.returnsValue = true;
        std::vector<BSTR> names(static_cast<size_t>(fd->cParams) + 1, nullptr);
        UINT got = 0;
        info->GetNames(fd->memid, names.data(), static_cast<UINT>(names.size()), &got);
        if (got > 0 && names[0]) m.name.assign(names[0], SysStringLen(names[0]));
        for (SHORT i = 0; i < fd->cParams; ++i) {
            const ELEMDESC& e = fd->lprgelemdescParam[i];
            USHORT pf = e.paramdesc.wParamFlags;
            if (pf & PARAMFLAG_FRETVAL) {
                m.returnsValue = true;
                continue;
            }
            Parameter p;
            if (static_cast<UINT>(i) + 1 < got && names[static_cast<size_t>(i) + 1])
                p.name.assign(names[static_cast<size_t>(i) + 1], SysStringLen(names[static_cast<size_t>(i) + 1]));
            describeType(info, e.tdesc, p);
            p.optional = (pf & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT)) != 0;
            p.output = (pf & PARAMFLAG_FOUT) != 0;
            if ((pf & PARAMFLAG_FHASDEFAULT) && e.paramdesc.pparamdescex) {
                p.hasDefault = true;
                VariantCopy(p.defaultValue.get(), &e.paramdesc.pparamdescex->varDefaultValue);
            }
            m.parameters.push_back(p);
        }
        for (BSTR b : names) SysFreeString(b);
        info->ReleaseFuncDesc(fd);
        if (inheritedFromIDispatch(m.name)) continue;
        m.required = 0;
        for (size_t i = 0; i < m.parameters.size(); ++i)
            if (!m.parameters[i].optional) m.required = i + 1;
        out.members.push_back(m);
    }
}

// Reads a registered library into the catalogue.
inline void readLibrary(REFGUID libid, Catalogue& catalogue)
{
    Held<ITypeLib> lib;
    // Both libraries are registered under their own locale, 0x409.
    HRESULT hr = LoadRegTypeLib(libid, 1, 0, 0x409, lib.put());
    if (FAILED(hr) || !lib) {
        wchar_t text[64];
        StringFromGUID2(libid, text, 64);
        catalogue.problems.push_back(std::wstring(L"LoadRegTypeLib failed for ") + text);
        return;
    }
    UINT count = lib->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        Held<ITypeInfo> info;
        if (FAILED(lib->GetTypeInfo(i, info.put()))) continue;
        TYPEATTR* attr = nullptr;
        if (FAILED(info->GetTypeAttr(&attr))) continue;
        TYPEKIND kind = attr->typekind;
        GUID guid = attr->guid;
        WORD impls = attr->cImplTypes;
        info->ReleaseTypeAttr(attr);
        if (kind == TKIND_DISPATCH) {
            Interface iface;
            iface.name = typeName(info.get());
            readInterface(info.get(), iface);
            catalogue.interfaces.push_back(iface);
        } else if (kind == TKIND_COCLASS) {
            CreatableClass c;
            c.name = typeName(info.get());
            c.clsid = guid;
            for (UINT k = 0; k < impls; ++k) {
                INT flags = 0;
                HREFTYPE ref = 0;
                Held<ITypeInfo> implemented;
                if (SUCCEEDED(info->GetImplTypeFlags(k, &flags)) && (flags & IMPLTYPEFLAG_FDEFAULT) &&
                    SUCCEEDED(info->GetRefTypeOfImplType(k, &ref)) &&
                    SUCCEEDED(info->GetRefTypeInfo(ref, implemented.put())))
                    c.defaultInterface = typeName(implemented.get());
            }
            catalogue.classes.push_back(c);
        }
    }
}

inline Catalogue readBothLibraries()
{
    Catalogue c;
    readLibrary(kQDInterfaceLibrary, c);
    readLibrary(kGlossmereLibrary, c);
    return c;
}

// ---- calls ----------------------------------------------------------------------------

// The outcome of one call.
struct Outcome {
    HRESULT hr = E_UNEXPECTED;
    SCODE scode = 0;
    WORD wCode = 0;
    std::wstring description;
    long code = -1; // the "Error: " line of the description, -1 if none
    Value result;
    UINT argError = 0;

    // S_OK, a dispatcher's refusal, or an exception with its information.
    // A class that reports nothing through error information (the
    // server-page class, as published) has only the HRESULT in its record.
    bool acceptable(bool allowDispatcherRefusals, bool reportsNothing = false) const
    {
        if (hr == S_OK) return true;
        if (hr == DISP_E_EXCEPTION)
            return (scode != 0 || wCode != 0) && (reportsNothing ? description.empty() : !description.empty());
        if (!allowDispatcherRefusals) return false;
        switch (hr) {
        case DISP_E_BADPARAMCOUNT:
        case DISP_E_TYPEMISMATCH:
        case DISP_E_PARAMNOTFOUND:
        case DISP_E_PARAMNOTOPTIONAL:
        case DISP_E_OVERFLOW:
        case DISP_E_MEMBERNOTFOUND:
        case DISP_E_BADVARTYPE:
        case DISP_E_NONAMEDARGS:
        case DISP_E_BADCALLEE:
        case DISP_E_NOTACOLLECTION: // arguments to a read that takes none
        case E_NOINTERFACE:         // an object argument without the parameter's interface
        case E_INVALIDARG:
            return true;
        default:
            return false;
        }
    }

    // A short label for tallies: "S_OK", "exception code 3000", "0x80020005".
    std::string label() const
    {
        char text[64];
        if (hr == S_OK) return "S_OK";
        if (hr == DISP_E_EXCEPTION) {
            if (code >= 0) std::snprintf(text, sizeof text, "exception, code %ld", code);
            else std::snprintf(text, sizeof text, "exception, scode 0x%08lX", static_cast<unsigned long>(scode));
            return text;
        }
        std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
        return text;
    }
};

// The classes whose failures carry no error information.
inline bool reportsNothing(const std::wstring& interfaceName)
{
    return interfaceName == L"IQuendarASP";
}

inline long codeOfDescription(const std::wstring& description)
{
    std::wstring::size_type at = description.find(L"\nError: ");
    if (at == std::wstring::npos) return -1;
    return std::wcstol(description.c_str() + at + 8, nullptr, 10);
}

// Calls `member` on `target` with `arguments` in their natural order (the
// first parameter first). A put passes its last argument as the value.
inline Outcome invoke(IDispatch* target, MEMBERID id, WORD flags, std::vector<Value>& arguments)
{
    Outcome o;
    std::vector<VARIANT> reversed(arguments.size());
    for (size_t i = 0; i < arguments.size(); ++i) reversed[arguments.size() - 1 - i] = *arguments[i].get();
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr,
                         static_cast<UINT>(reversed.size()), 0};
    DISPID put = DISPID_PROPERTYPUT;
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) && !reversed.empty()) {
        params.rgdispidNamedArgs = &put;
        params.cNamedArgs = 1;
    }
    EXCEPINFO info = {};
    o.hr = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, o.result.get(), &info, &o.argError);
    if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
    o.scode = info.scode;
    o.wCode = info.wCode;
    if (info.bstrDescription) o.description.assign(info.bstrDescription, SysStringLen(info.bstrDescription));
    o.code = codeOfDescription(o.description);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrHelpFile);
    // The arguments were copied bit for bit. The dispatcher may hand the
    // callee a pointer to one of them (a plain value passed for a VARIANT*
    // parameter), and the callee may then free its content and write a new
    // one there: whatever is in `reversed` now is the argument's, and
    // nothing is freed twice.
    for (size_t i = 0; i < arguments.size(); ++i) {
        VARIANT& now = reversed[arguments.size() - 1 - i];
        if (std::memcmp(&now, arguments[i].get(), sizeof(VARIANT)) != 0) *arguments[i].get() = now;
    }
    return o;
}

inline Outcome invoke(IDispatch* target, const Member& member, Arguments& arguments)
{
    return invoke(target, member.id, member.flags(), arguments.values);
}

// Calls a member by name (the fixture's own set-up calls).
inline Outcome call(IDispatch* target, const wchar_t* name, WORD flags, std::vector<Value> arguments = {})
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    Outcome o;
    o.hr = target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(o.hr)) return o;
    return invoke(target, id, flags, arguments);
}

// The IDispatch in a result, with a reference of its own (null if none).
inline Held<IDispatch> dispatchOf(Outcome& o)
{
    Held<IDispatch> d;
    VARIANT& v = *o.result.get();
    if (v.vt == VT_DISPATCH && v.pdispVal) return Held<IDispatch>(v.pdispVal, true);
    if (v.vt == VT_UNKNOWN && v.punkVal) v.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(d.put()));
    return d;
}

// ---- the fixture ----------------------------------------------------------------------

// A value of the fixture's series: a trend, a yearly season and a little
// wobble, all positive.
inline double fixtureValue(int series, int k)
{
    return 100.0 + 10.0 * series + 0.8 * k + 12.0 * std::sin(2.0 * 3.14159265358979 * k / 12.0) +
           3.0 * std::cos(1.7 * k + series);
}

const int kFixtureObservations = 30;
const int kFixtureSeries = 3;

// One populated object per interface, made when first asked for: a MatrixX
// of three series of 30 observations, a SeriesX of 30, their extensions,
// an observation, stored results and one of them, a control holding a
// series, the server-page object and both Glossmere classes. "other:"
// names a second object of the same interface (an argument of the right
// class that is not the target); "unbound:" an extension made on its own.
class Fixture {
public:
    explicit Fixture(const Catalogue& catalogue) : catalogue_(catalogue) {}

    IDispatch* object(const std::wstring& name)
    {
        auto found = objects_.find(name);
        if (found != objects_.end()) return found->second.get();
        Held<IDispatch> made = make(name);
        objects_[name] = made;
        return made.get();
    }

    // Every object made so far.
    std::vector<IDispatch*> all() const
    {
        std::vector<IDispatch*> out;
        for (const auto& entry : objects_)
            if (entry.second) out.push_back(entry.second.get());
        return out;
    }

    std::vector<std::wstring> problems;

private:
    Held<IDispatch> create(const std::wstring& interfaceName)
    {
        Held<IDispatch> d;
        const CreatableClass* c = catalogue_.classOf(interfaceName);
        if (c == nullptr) {
            problems.push_back(L"no class for " + interfaceName);
            return d;
        }
        HRESULT hr = CoCreateInstance(c->clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                      reinterpret_cast<void**>(d.put()));
        if (FAILED(hr)) problems.push_back(L"cannot create " + c->name);
        return d;
    }

    Held<IDispatch> property(IDispatch* from, const wchar_t* name, std::vector<Value> arguments = {})
    {
        if (from == nullptr) return Held<IDispatch>();
        Outcome o = call(from, name, DISPATCH_PROPERTYGET, arguments);
        if (o.hr != S_OK) problems.push_back(std::wstring(L"cannot read ") + name);
        return dispatchOf(o);
    }

    void fill(IDispatch* d, const wchar_t* adder, int series, bool withIndex)
    {
        if (d == nullptr) return;
        for (int s = 0; s < series; ++s)
            for (int k = 0; k < kFixtureObservations; ++k) {
                std::vector<Value> a;
                if (withIndex) a.push_back(Value::i4(s));
                a.push_back(Value::r8(fixtureValue(s, k)));
                if (call(d, adder, DISPATCH_METHOD, a).hr != S_OK) {
                    problems.push_back(std::wstring(L"cannot fill with ") + adder);
                    return;
                }
            }
    }

    Held<IDispatch> make(const std::wstring& name)
    {
        if (name == L"IMatrixX" || name == L"other:IMatrixX") {
            Held<IDispatch> m = create(L"IMatrixX");
            fill(m.get(), L"AddObservation", kFixtureSeries, true);
            return m;
        }
        if (name == L"ISeriesX" || name == L"other:ISeriesX") {
            Held<IDispatch> s = create(L"ISeriesX");
            fill(s.get(), L"AddObservation", 1, false);
            if (s) call(s.get(), L"ForecastExponentialSmoothing", DISPATCH_METHOD);
            return s;
        }
        if (name == L"ISeriesXEx1") return property(object(L"ISeriesX"), L"Extension1");
        if (name == L"IMatrixXEx1") return property(object(L"IMatrixX"), L"Extension1");
        if (name == L"unbound:ISeriesXEx1") return create(L"ISeriesXEx1");
        if (name == L"unbound:IMatrixXEx1") return create(L"IMatrixXEx1");
        if (name == L"IObservationX") return property(object(L"ISeriesX"), L"Observation", {Value::i4(1)});
        if (name == L"matrix:ISeriesX") return property(object(L"IMatrixX"), L"Series", {Value::i4(1)});
        if (name == L"IStatisticsX") return property(object(L"ISeriesX"), L"Statistics");
        if (name == L"IStatisticX") return firstItem(object(L"IStatisticsX"));
        if (name == L"IQuendar") {
            Held<IDispatch> q = create(L"IQuendar");
            fill(q.get(), L"AddObservation", 1, true);
            return q;
        }
        if (name.compare(0, 6, L"other:") == 0) return create(name.substr(6));
        return create(name);
    }

    Held<IDispatch> firstItem(IDispatch* collection)
    {
        Held<IDispatch> item;
        if (collection == nullptr) return item;
        Outcome o = call(collection, L"_NewEnum", DISPATCH_PROPERTYGET);
        VARIANT& v = *o.result.get();
        Held<IEnumVARIANT> e;
        if (o.hr == S_OK && v.vt == VT_UNKNOWN && v.punkVal)
            v.punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(e.put()));
        if (!e) {
            problems.push_back(L"no enumerator of the stored results");
            return item;
        }
        Value next;
        ULONG fetched = 0;
        if (e->Next(1, next.get(), &fetched) == S_OK && fetched == 1 && next.get()->vt == VT_DISPATCH)
            item = Held<IDispatch>(next.get()->pdispVal, true);
        else
            problems.push_back(L"no stored result to hand out");
        return item;
    }

    const Catalogue& catalogue_;
    std::map<std::wstring, Held<IDispatch>> objects_;
};

// ---- plausible arguments ---------------------------------------------------------------

inline bool sameName(const std::wstring& a, const wchar_t* b)
{
    return _wcsicmp(a.c_str(), b) == 0;
}

// A small valid value for a parameter that has no default, by its name
// (the library's own names), else by its type.
inline Value plausibleByName(const Member& m, const Parameter& p)
{
    struct Named {
        const wchar_t* name;
        double value;
    };
    static const Named named[] = {
        {L"index", 1}, {L"ObservationIndex", 1}, {L"SeriesIndex", 0}, {L"seriesNumber", 0}, {L"row", 0},
        {L"col", 0}, {L"Type", 30}, {L"StatType", 30}, {L"observationNumber", -2},
        {L"numHistoricalValues", -1}, {L"ConfidenceLevel", 0.95}, {L"ServiceLevel", 0.95}, {L"leadTime", 2},
        {L"numBins", 5}, {L"min", 80}, {L"max", 160}, {L"k", 3}, {L"doType", 1}, {L"B", 0.05}, {L"p", 0.03},
        {L"r", 0.38}, {L"qbar", 1000}, {L"lTrendIncreasePeriods", 2}, {L"dTrendIncreaseGoal", 1.05},
        {L"lTrendDecreasePeriods", 2}, {L"dTrendDecreaseGoal", 0.95}, {L"aIDLanguage", 0},
        {L"aIDResource", 742}, {L"nLocaleInfo", 2}, {L"NumSeries", kFixtureSeries},
        {L"NumObservations", kFixtureObservations},
    };
    double v = 1;
    bool found = false;
    for (const Named& n : named)
        if (sameName(p.name, n.name)) {
            v = n.value;
            found = true;
            break;
        }
    if (!found && m.kind != INVOKE_FUNC && &p == &m.parameters.back()) {
        // The value of a put: small codes for short properties, a plain
        // number for values.
        v = p.vt == VT_R8 ? 5.5 : 1;
    }
    switch (p.vt) {
    case VT_I2:
        return Value::i2(static_cast<SHORT>(v));
    case VT_I4:
    case VT_INT:
        return Value::i4(static_cast<LONG>(v));
    case VT_R8:
    case VT_R4:
        return Value::r8(v);
    case VT_BSTR:
        return Value::text(L"fixture text");
    case VT_BOOL: {
        Value b;
        b.get()->vt = VT_BOOL;
        b.get()->boolVal = VARIANT_TRUE;
        return b;
    }
    default:
        return Value();
    }
}

// The plausible arguments of a call of m: the published default where there
// is one, a valid array where the parameter takes an array, an object of the
// right class where it takes an interface, a small number otherwise. Every
// parameter is passed.
inline void plausibleArguments(const Member& m, Fixture& fixture, Arguments& args)
{
    for (const Parameter& p : m.parameters) {
        if (p.object) {
            IDispatch* d = p.objectType == L"ISeriesX" ? fixture.object(L"other:ISeriesX")
                           : p.objectType == L"IUnknown" ? fixture.object(L"other:ISeriesX")
                                                         : fixture.object(L"other:" + p.objectType);
            args.values.push_back(Value::object(d));
            continue;
        }
        if (p.byReference && p.vt == VT_VARIANT) {
            // An output array: a script variable never assigned.
            args.values.push_back(args.byReference(Value()));
            continue;
        }
        if (p.vt == VT_VARIANT && !p.hasDefault) {
            if (sameName(p.name, L"overrideMethodArray")) {
                args.values.push_back(Value::array(longs({5, 6, 14}), VT_I4));
            } else if (sameName(p.name, L"newVal")) {
                args.values.push_back(Value());
            } else {
                std::vector<double> v;
                for (int k = 0; k < 12; ++k) v.push_back(0.9 + 0.2 * k / 11.0);
                args.values.push_back(Value::array(doubles(v), VT_R8));
            }
            continue;
        }
        if (p.hasDefault) {
            args.values.push_back(p.defaultValue);
            continue;
        }
        args.values.push_back(plausibleByName(m, p));
    }
}

} // namespace Walker

#endif
