// A seeded, bounded late-bound client of both servers: every member of every
// dispatch interface in QDInterface's and Glossmere's type libraries is
// called through IDispatch::Invoke with arguments drawn at random: numbers
// at their limits, NaN and infinities, Empty, Null, empty and very long
// texts, arrays of the wrong shape, type, bounds or tag, by-reference forms,
// missing and surplus arguments, and objects of other classes (or none).
//
// Every call must answer S_OK, a dispatcher's refusal (bad parameter count,
// type mismatch, overflow, parameter not found, member not found), or
// DISP_E_EXCEPTION with its exception record filled. A call that takes
// longer than the watchdog's limit ends the process with the seed, call
// number, member and arguments. The fixture objects are made afresh every
// few hundred calls, and at once when a series or matrix has grown past a
// small size, so the state stays bounded.
//
// Usage: automation_fuzzer <seed> <calls> [<seconds per call limit>]
// Prints the figures (calls, seconds, calls per second, outcomes by result
// and error code, members covered) and exits with 1 if any call failed the
// rule above.
#include "AutomationWalker.h"

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace Walker;

namespace {

// ---- the watchdog ------------------------------------------------------------------

struct Watch {
    std::atomic<unsigned long long> call{0};
    std::atomic<ULONGLONG> startedAt{0}; // 0: no call running
    char what[4096] = {};
    std::atomic<bool> stop{false};
    unsigned long long seed = 0;
    ULONGLONG limitMs = 20000;
};

Watch watch;

DWORD WINAPI watchdog(void*)
{
    while (!watch.stop.load()) {
        Sleep(250);
        ULONGLONG started = watch.startedAt.load();
        if (started != 0 && GetTickCount64() - started > watch.limitMs) {
            std::fprintf(stderr,
                         "FUZZ HANG: seed %llu, call %llu took more than %llu ms\n  %s\n",
                         watch.seed, watch.call.load(), watch.limitMs, watch.what);
            std::fflush(stderr);
            std::fflush(stdout);
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
    return 0;
}

// ---- describing arguments -------------------------------------------------------------

std::string describe(const VARIANT& v, int depth = 0);

std::string describeArray(const SAFEARRAY* a, VARTYPE tag)
{
    char text[160];
    if (a == nullptr) {
        std::snprintf(text, sizeof text, "array(tag 0x%X, null)", tag);
        return text;
    }
    VARTYPE own = VT_EMPTY;
    SafeArrayGetVartype(const_cast<SAFEARRAY*>(a), &own);
    std::string out;
    std::snprintf(text, sizeof text, "array(tag 0x%X, own 0x%X, %u-D", tag, own, a->cDims);
    out = text;
    // rgsabound is stored last dimension first.
    for (USHORT d = a->cDims; d > 0; --d) {
        std::snprintf(text, sizeof text, " [%ld..+%lu]", a->rgsabound[d - 1].lLbound,
                      static_cast<unsigned long>(a->rgsabound[d - 1].cElements));
        out += text;
    }
    return out + ")";
}

std::string describe(const VARIANT& v, int depth)
{
    char text[160];
    if (depth > 3) return "...";
    VARTYPE vt = v.vt;
    if (vt == (VT_BYREF | VT_VARIANT)) return "byref->" + (v.pvarVal ? describe(*v.pvarVal, depth + 1) : "null");
    if (vt & VT_BYREF) {
        if (vt & VT_ARRAY) return "byref " + describeArray(v.pparray ? *v.pparray : nullptr, vt);
        switch (vt & VT_TYPEMASK) {
        case VT_I4: std::snprintf(text, sizeof text, "byref I4 %ld", v.plVal ? *v.plVal : 0L); return text;
        case VT_R8: std::snprintf(text, sizeof text, "byref R8 %g", v.pdblVal ? *v.pdblVal : 0.0); return text;
        case VT_BSTR:
            std::snprintf(text, sizeof text, "byref BSTR[%u]", v.pbstrVal && *v.pbstrVal ? SysStringLen(*v.pbstrVal) : 0u);
            return text;
        default: std::snprintf(text, sizeof text, "byref 0x%X", vt); return text;
        }
    }
    if (vt & VT_ARRAY) return describeArray(v.parray, vt);
    switch (vt) {
    case VT_EMPTY: return "Empty";
    case VT_NULL: return "Null";
    case VT_I2: std::snprintf(text, sizeof text, "I2 %d", v.iVal); return text;
    case VT_I4: std::snprintf(text, sizeof text, "I4 %ld", v.lVal); return text;
    case VT_UI1: std::snprintf(text, sizeof text, "UI1 %u", v.bVal); return text;
    case VT_I8: std::snprintf(text, sizeof text, "I8 %lld", static_cast<long long>(v.llVal)); return text;
    case VT_R4: std::snprintf(text, sizeof text, "R4 %g", v.fltVal); return text;
    case VT_R8: std::snprintf(text, sizeof text, "R8 %.17g", v.dblVal); return text;
    case VT_DATE: std::snprintf(text, sizeof text, "DATE %g", v.date); return text;
    case VT_CY: std::snprintf(text, sizeof text, "CY %lld", static_cast<long long>(v.cyVal.int64)); return text;
    case VT_DECIMAL: return "DECIMAL";
    case VT_BOOL: return v.boolVal ? "True" : "False";
    case VT_ERROR: std::snprintf(text, sizeof text, "ERROR 0x%08lX", static_cast<unsigned long>(v.scode)); return text;
    case VT_BSTR:
        if (v.bstrVal == nullptr) return "BSTR null";
        std::snprintf(text, sizeof text, "BSTR[%u]", SysStringLen(v.bstrVal));
        return SysStringLen(v.bstrVal) <= 16 ? std::string(text) + " \"" + narrow(v.bstrVal) + "\"" : text;
    case VT_DISPATCH: return v.pdispVal ? "Dispatch" : "Dispatch null";
    case VT_UNKNOWN: return v.punkVal ? "Unknown" : "Unknown null";
    default: std::snprintf(text, sizeof text, "vt 0x%X", vt); return text;
    }
}

// ---- drawing arguments ----------------------------------------------------------------

class Draw {
public:
    explicit Draw(unsigned long long seed) : rng_(seed)
    {
        longText_.assign(100000, L'x');
        longText_[50000] = L'7';
    }

    std::mt19937_64& rng() { return rng_; }
    size_t below(size_t n) { return n == 0 ? 0 : static_cast<size_t>(rng_() % n); }
    bool chance(int percent) { return below(100) < static_cast<size_t>(percent); }

    LONG integer()
    {
        // Valid counts and indexes cost memory in proportion (an empty series
        // takes its 64 places): the largest valid ones drawn stay a few
        // thousand; the limits beyond must be refused.
        static const LONG limits[] = {0, -1, 1, 2, INT_MIN, INT_MAX, INT_MIN + 1, INT_MAX - 1, -2, -3, 12, 4005,
                                      2024, -32768, 5000};
        if (chance(50)) return limits[below(sizeof limits / sizeof limits[0])];
        return static_cast<LONG>(below(46)) - 5;
    }
    SHORT shortInteger()
    {
        static const SHORT limits[] = {0, -1, 1, SHRT_MIN, -2, -3, 12, 29, 30, 4005, 2024, 255};
        if (chance(50)) return limits[below(sizeof limits / sizeof limits[0])];
        return static_cast<SHORT>(static_cast<int>(below(46)) - 5);
    }
    double real()
    {
        static const double limits[] = {0.0, -0.0, -1.0, 1.0, 0.5, 0.95, 2147483647.0, 2147483648.0,
                                        -2147483649.0, 4294967296.0, 1e300, -1e300, 1e-300, DBL_MAX, -DBL_MAX,
                                        4.9e-324, 1e18, -3.0, 12.0, 1e9};
        switch (below(5)) {
        case 0: return std::nan("");
        case 1: return chance(50) ? HUGE_VAL : -HUGE_VAL;
        case 2: return limits[below(sizeof limits / sizeof limits[0])];
        default: return std::uniform_real_distribution<double>(-5.0, 150.0)(rng_);
        }
    }
    Value text()
    {
        switch (below(8)) {
        case 0: return Value::text(L"");
        case 1: return Value::text(longText_);
        case 2: {
            Value v;
            v.get()->vt = VT_BSTR;
            v.get()->bstrVal = nullptr;
            return v;
        }
        case 3: return Value::text(L"12.5");
        case 4: return Value::text(std::wstring(L"a\0b", 3));
        case 5: return Value::text(L"\x20AC\xFFFF\xD800 euro");
        case 6: return Value::text(L"1e999");
        default: return Value::text(L"words");
        }
    }

    // A simple value (no array, no reference).
    Value simple(const std::vector<IDispatch*>& objects)
    {
        switch (below(16)) {
        case 0: return Value();
        case 1: {
            Value v;
            v.get()->vt = VT_NULL;
            return v;
        }
        case 2:
        case 3: return Value::i4(integer());
        case 4: return Value::i2(shortInteger());
        case 5:
        case 6: return Value::r8(real());
        case 7: return text();
        case 8: {
            Value v;
            v.get()->vt = VT_BOOL;
            v.get()->boolVal = chance(50) ? VARIANT_TRUE : VARIANT_FALSE;
            return v;
        }
        case 9: return Value::missing();
        case 10: return Value::object(objects.empty() || chance(10) ? nullptr : objects[below(objects.size())]);
        case 11: return Value::unknown(objects.empty() || chance(10) ? nullptr : objects[below(objects.size())]);
        case 12: {
            Value v;
            switch (below(6)) {
            case 0:
                v.get()->vt = VT_CY;
                v.get()->cyVal.int64 = chance(50) ? LLONG_MAX : 12345;
                break;
            case 1:
                v.get()->vt = VT_DATE;
                v.get()->date = chance(50) ? 1e300 : 2000.5; // a valid count stays small
                break;
            case 2:
                v.get()->vt = VT_UI1;
                v.get()->bVal = 255;
                break;
            case 3:
                v.get()->vt = VT_I8;
                v.get()->llVal = chance(50) ? LLONG_MIN : 5;
                break;
            case 4:
                v.get()->vt = VT_R4;
                v.get()->fltVal = chance(50) ? std::nanf("") : 2.5f;
                break;
            default:
                VarDecFromR8(chance(50) ? 7.25 : 1e28, &v.get()->decVal);
                v.get()->vt = VT_DECIMAL;
                break;
            }
            return v;
        }
        case 13: {
            Value v;
            v.get()->vt = VT_ERROR;
            v.get()->scode = chance(50) ? E_FAIL : S_OK;
            return v;
        }
        default: return Value::i4(static_cast<LONG>(below(40)));
        }
    }

    // An array of some shape, type and bounds; sometimes tagged with another
    // element type than its own, or with no array behind the tag.
    Value array(const std::vector<IDispatch*>& objects)
    {
        static const VARTYPE types[] = {VT_R8, VT_R8, VT_R8, VT_I4, VT_I2, VT_R4, VT_UI1, VT_CY,
                                        VT_DECIMAL, VT_BOOL, VT_BSTR, VT_VARIANT, VT_VARIANT, VT_DISPATCH};
        VARTYPE element = types[below(sizeof types / sizeof types[0])];
        UINT dims = chance(85) ? 1u : (chance(80) ? 2u : 3u);
        SAFEARRAYBOUND bounds[3];
        ULONG total = 1;
        for (UINT d = 0; d < dims; ++d) {
            static const ULONG sizes[] = {0, 1, 2, 3, 5, 12, 30, 31, 100, 1000};
            bounds[d].cElements = dims == 1 ? sizes[below(sizeof sizes / sizeof sizes[0])] : 1 + static_cast<ULONG>(below(5));
            bounds[d].lLbound = chance(75) ? 0 : (chance(50) ? 1 : (chance(50) ? -3 : INT_MAX - 2));
            total *= bounds[d].cElements;
        }
        if (chance(3)) return Value::array(nullptr, element);
        SAFEARRAY* a = SafeArrayCreate(element, dims, bounds);
        if (a == nullptr) return Value();
        if (total > 0 && SUCCEEDED(SafeArrayLock(a))) {
            for (ULONG i = 0; i < total; ++i) fillCell(a, element, i, objects);
            SafeArrayUnlock(a);
        }
        VARTYPE tag = element;
        if (chance(5)) tag = types[below(sizeof types / sizeof types[0])];
        return Value::array(a, tag);
    }

    SAFEARRAY* plainDoubles()
    {
        std::vector<double> v(below(40));
        for (double& x : v) x = chance(90) ? std::uniform_real_distribution<double>(0.0, 200.0)(rng_) : real();
        return doubles(v);
    }

private:
    void fillCell(SAFEARRAY* a, VARTYPE element, ULONG i, const std::vector<IDispatch*>& objects)
    {
        void* cell = static_cast<char*>(a->pvData) + static_cast<size_t>(i) * a->cbElements;
        switch (element) {
        case VT_R8:
            *static_cast<double*>(cell) = chance(85) ? std::uniform_real_distribution<double>(0.0, 200.0)(rng_) : real();
            break;
        case VT_I4: *static_cast<LONG*>(cell) = chance(80) ? static_cast<LONG>(below(20)) : integer(); break;
        case VT_I2: *static_cast<SHORT*>(cell) = shortInteger(); break;
        case VT_R4: *static_cast<float*>(cell) = static_cast<float>(real()); break;
        case VT_UI1: *static_cast<BYTE*>(cell) = static_cast<BYTE>(below(256)); break;
        case VT_CY: static_cast<CY*>(cell)->int64 = chance(90) ? static_cast<LONGLONG>(below(2000000)) : LLONG_MIN; break;
        case VT_DECIMAL: VarDecFromR8(chance(90) ? static_cast<double>(below(500)) / 4.0 : 7e28, static_cast<DECIMAL*>(cell)); break;
        case VT_BOOL: *static_cast<VARIANT_BOOL*>(cell) = chance(50) ? VARIANT_TRUE : VARIANT_FALSE; break;
        case VT_BSTR: {
            Value t = chance(70) ? Value::text(L"cell") : text();
            *static_cast<BSTR*>(cell) = t.get()->bstrVal;
            t.get()->vt = VT_EMPTY; // handed to the array
            break;
        }
        case VT_VARIANT: {
            Value v = chance(60) ? Value::r8(std::uniform_real_distribution<double>(0.0, 200.0)(rng_)) : simple(objects);
            if (chance(2)) v = array(objects);
            *static_cast<VARIANT*>(cell) = *v.get();
            v.get()->vt = VT_EMPTY;
            break;
        }
        case VT_DISPATCH: {
            IDispatch* d = objects.empty() || chance(20) ? nullptr : objects[below(objects.size())];
            if (d) d->AddRef();
            *static_cast<IDispatch**>(cell) = d;
            break;
        }
        default: break;
        }
    }

    std::mt19937_64 rng_;
    std::wstring longText_;
};

// ---- the run --------------------------------------------------------------------------

class Fuzzer {
public:
    Fuzzer(const Catalogue& catalogue, unsigned long long seed)
        : catalogue_(catalogue), draw_(seed), fixture_(new Fixture(catalogue))
    {
        for (const Interface& i : catalogue_.interfaces)
            for (const Member& m : i.members) members_.push_back(&m);
    }

    bool run(unsigned long long calls);
    size_t memberCount() const { return members_.size(); }

private:
    // A new fixture. After growth the kept objects go too: a child keeps
    // what it is bound to alive, and a large heap slows every call under
    // heap checking.
    void refresh(bool dropKept = false)
    {
        if (dropKept) kept_.clear();
        fixture_.reset(new Fixture(catalogue_));
        sinceRefresh_ = 0;
    }
    std::vector<IDispatch*> objectPool()
    {
        // Every class, bound and unbound extensions, a matrix's child series.
        static const wchar_t* const names[] = {L"IMatrixX", L"ISeriesX", L"ISeriesXEx1", L"IMatrixXEx1",
                                               L"IObservationX", L"IStatisticsX", L"IStatisticX", L"IQuendar",
                                               L"IQuendarASP", L"_WizardLocale", L"_WizardLocaleUtil",
                                               L"unbound:ISeriesXEx1", L"unbound:IMatrixXEx1",
                                               L"matrix:ISeriesX", L"other:ISeriesX"};
        std::vector<IDispatch*> pool;
        for (const wchar_t* n : names)
            if (IDispatch* d = fixture_->object(n)) pool.push_back(d);
        for (const auto& kept : kept_) pool.push_back(kept.second.get());
        return pool;
    }
    IDispatch* targetFor(const Member& m);
    void drawArguments(const Member& m, Arguments& args, const std::vector<IDispatch*>& pool);
    void keepHandedOut(Outcome& o);
    void exerciseEnumerator(Outcome& o);
    bool grewTooMuch(const std::wstring& calledInterface);

    const Catalogue& catalogue_;
    Draw draw_;
    std::unique_ptr<Fixture> fixture_;
    std::vector<const Member*> members_;
    // Objects handed out by earlier calls, kept past the fixture that made
    // them (their parents may be gone): name of the interface, object.
    std::vector<std::pair<std::wstring, Held<IDispatch>>> kept_;
    unsigned sinceRefresh_ = 0;
    // QD_FUZZ_SHOW=<code>: print every call answered with that error code.
    long show_ = std::getenv("QD_FUZZ_SHOW") ? std::atol(std::getenv("QD_FUZZ_SHOW")) : -1;

    double frequency_ = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();

public:
    struct Timing {
        double total = 0.0;
        double longest = 0.0;
    };
    std::map<std::wstring, Timing> timings; // seconds inside Invoke, by member
    std::map<std::string, unsigned long long> outcomes;
    std::set<std::wstring> covered;     // members called at least once
    std::set<std::wstring> succeeded;   // members that answered S_OK at least once
    unsigned long long failures = 0;
};

IDispatch* Fuzzer::targetFor(const Member& m)
{
    const std::wstring& name = m.interfaceName;
    if (draw_.chance(8))
        for (auto& kept : kept_)
            if (kept.first == name && draw_.chance(50)) return kept.second.get();
    if (name == L"ISeriesXEx1" && draw_.chance(10)) return fixture_->object(L"unbound:ISeriesXEx1");
    if (name == L"IMatrixXEx1" && draw_.chance(10)) return fixture_->object(L"unbound:IMatrixXEx1");
    if (name == L"ISeriesX" && draw_.chance(25)) return fixture_->object(L"matrix:ISeriesX");
    return fixture_->object(name);
}

void Fuzzer::drawArguments(const Member& m, Arguments& args, const std::vector<IDispatch*>& pool)
{
    // The count: mostly between the required and all parameters, sometimes
    // too few or too many.
    size_t all = m.parameters.size();
    size_t count;
    int shape = static_cast<int>(draw_.below(100));
    if (shape < 80) count = m.required + draw_.below(all - m.required + 1);
    else if (shape < 90) count = draw_.below(m.required + 1);
    else count = all + 1 + draw_.below(3);

    Arguments plausible;
    plausibleArguments(m, *fixture_, plausible);
    for (size_t i = 0; i < count; ++i) {
        int kind = static_cast<int>(draw_.below(100));
        if (i < plausible.values.size() && kind < 35) {
            // The plausible value; a by-reference one points into `plausible`,
            // so it is made again here.
            const VARIANT& p = plausible.values[i].ref();
            if (p.vt == (VT_BYREF | VT_VARIANT)) args.values.push_back(args.byReference(Value()));
            else args.values.push_back(plausible.values[i]);
        } else if (kind < 75) {
            args.values.push_back(draw_.simple(pool));
        } else if (kind < 88) {
            args.values.push_back(draw_.array(pool));
        } else {
            // By-reference forms.
            switch (draw_.below(6)) {
            case 0: args.values.push_back(args.byReference(draw_.simple(pool))); break;
            case 1: args.values.push_back(args.byReference(draw_.array(pool))); break;
            case 2: args.values.push_back(args.arrayByReference(draw_.plainDoubles(), VT_R8)); break;
            case 3: args.values.push_back(args.arrayByReference(nullptr, VT_R8)); break;
            case 4: {
                Value r;
                args.referents.push_back(Value::i4(draw_.integer()));
                r.get()->vt = VT_BYREF | VT_I4;
                r.get()->plVal = &args.referents.back().get()->lVal;
                args.values.push_back(r);
                break;
            }
            default: {
                Value r;
                args.referents.push_back(Value::r8(draw_.real()));
                r.get()->vt = VT_BYREF | VT_R8;
                r.get()->pdblVal = &args.referents.back().get()->dblVal;
                args.values.push_back(r);
                break;
            }
            }
        }
    }
}

std::wstring interfaceNameOf(IDispatch* d)
{
    Held<ITypeInfo> info;
    if (FAILED(d->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put())) || !info) return std::wstring();
    return typeName(info.get());
}

void Fuzzer::keepHandedOut(Outcome& o)
{
    Held<IDispatch> d = dispatchOf(o);
    if (!d || o.result.ref().vt != VT_DISPATCH) return;
    std::wstring name = interfaceNameOf(d.get());
    if (name.empty()) return;
    if (kept_.size() >= 12) kept_.erase(kept_.begin() + static_cast<long>(draw_.below(kept_.size())));
    kept_.emplace_back(name, d);
}

void Fuzzer::exerciseEnumerator(Outcome& o)
{
    const VARIANT& v = o.result.ref();
    if (v.vt != VT_UNKNOWN || v.punkVal == nullptr) return;
    Held<IEnumVARIANT> e;
    if (FAILED(v.punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(e.put()))) || !e) return;
    VARIANT items[3];
    for (VARIANT& item : items) VariantInit(&item);
    ULONG fetched = 0;
    e->Next(3, items, &fetched);
    for (VARIANT& item : items) VariantClear(&item);
    e->Skip(draw_.chance(50) ? 1u : 0xFFFFFFFFu);
    Held<IEnumVARIANT> clone;
    e->Clone(clone.put());
    e->Reset();
    if (clone) {
        VARIANT item;
        VariantInit(&item);
        clone->Next(1, &item, &fetched);
        VariantClear(&item);
    }
}

LONG countOf(IDispatch* d, const wchar_t* name, std::vector<Value> args = {})
{
    if (d == nullptr) return 0;
    Outcome o = call(d, name, DISPATCH_PROPERTYGET, args);
    return o.hr == S_OK && o.result.ref().vt == VT_I4 ? o.result.ref().lVal : 0;
}

const LONG kMaxObservations = 400;
const LONG kMaxSeries = 12;

bool seriesTooBig(IDispatch* series)
{
    return countOf(series, L"NumObservations") > kMaxObservations;
}

bool matrixTooBig(IDispatch* matrix)
{
    LONG n = countOf(matrix, L"NumSeries");
    if (n > kMaxSeries) return true;
    for (LONG s = 0; s < n; ++s) {
        Outcome o = call(matrix, L"Series", DISPATCH_PROPERTYGET, {Value::i4(s)});
        Held<IDispatch> series = dispatchOf(o);
        if (seriesTooBig(series.get())) return true;
    }
    return false;
}

// True when a call on an object of this interface may have let the
// fixture's data grow past what keeps every call quick (a series or matrix
// that answered S_OK is looked at, through what it is bound to); a kept
// series or matrix that has grown is let go.
bool Fuzzer::grewTooMuch(const std::wstring& calledInterface)
{
    if (calledInterface == L"ISeriesX" || calledInterface == L"ISeriesXEx1") {
        kept_.erase(std::remove_if(kept_.begin(), kept_.end(),
                                   [](const std::pair<std::wstring, Held<IDispatch>>& k) {
                                       return k.first == L"ISeriesX" && seriesTooBig(k.second.get());
                                   }),
                    kept_.end());
        return seriesTooBig(fixture_->object(L"ISeriesX")) || seriesTooBig(fixture_->object(L"matrix:ISeriesX"));
    }
    if (calledInterface == L"IMatrixX" || calledInterface == L"IMatrixXEx1") {
        kept_.erase(std::remove_if(kept_.begin(), kept_.end(),
                                   [](const std::pair<std::wstring, Held<IDispatch>>& k) {
                                       return k.first == L"IMatrixX" && matrixTooBig(k.second.get());
                                   }),
                    kept_.end());
        if (matrixTooBig(fixture_->object(L"IMatrixX"))) return true;
        // A kept matrix may be the control's.
    }
    if (calledInterface == L"IQuendar" || calledInterface == L"IMatrixX" || calledInterface == L"IMatrixXEx1") {
        IDispatch* control = fixture_->object(L"IQuendar");
        if (control == nullptr) return false;
        Outcome o = call(control, L"Matrix", DISPATCH_PROPERTYGET);
        Held<IDispatch> controlMatrix = dispatchOf(o);
        return matrixTooBig(controlMatrix.get());
    }
    return false;
}

bool Fuzzer::run(unsigned long long calls)
{
    ULONGLONG began = GetTickCount64();
    for (unsigned long long n = 1; n <= calls; ++n) {
        if (++sinceRefresh_ >= 300) refresh();

        const Member& m = *members_[draw_.below(members_.size())];
        IDispatch* target = targetFor(m);
        if (target == nullptr) {
            ++failures;
            std::fprintf(stderr, "FUZZ FAIL: seed %llu, call %llu: no object for %s\n", watch.seed, n,
                         narrow(m.interfaceName).c_str());
            refresh();
            continue;
        }
        std::vector<IDispatch*> pool = objectPool();
        Arguments args;
        drawArguments(m, args, pool);
        WORD flags = m.flags();
        if (draw_.chance(4)) {
            static const WORD others[] = {DISPATCH_METHOD, DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT,
                                          DISPATCH_METHOD | DISPATCH_PROPERTYGET};
            flags = others[draw_.below(4)];
        }

        std::string what = narrow(m.key()) + " flags " + std::to_string(flags) + " (";
        for (size_t i = 0; i < args.values.size(); ++i)
            what += (i ? ", " : "") + describe(args.values[i].ref());
        what += ")";
        std::snprintf(watch.what, sizeof watch.what, "%s", what.c_str());
        watch.call.store(n);
        watch.startedAt.store(GetTickCount64());
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        Outcome o = invoke(target, m.id, flags, args.values);
        QueryPerformanceCounter(&t1);
        watch.startedAt.store(0);
        Timing& t = timings[m.key()];
        double took = static_cast<double>(t1.QuadPart - t0.QuadPart) / frequency_;
        t.total += took;
        t.longest = std::max(t.longest, took);
        if (took > 1.0)
            std::fprintf(stderr, "FUZZ SLOW: seed %llu, call %llu took %.2f s: %s -> %s\n", watch.seed, n, took,
                         what.c_str(), o.label().c_str());

        covered.insert(m.key());
        if (o.hr == S_OK) succeeded.insert(m.key());
        ++outcomes[o.label()];
        if (!o.acceptable(true, reportsNothing(m.interfaceName))) {
            ++failures;
            std::fprintf(stderr, "FUZZ FAIL: seed %llu, call %llu: %s -> %s scode 0x%08lX wCode %u \"%s\"\n", watch.seed,
                         n, what.c_str(), o.label().c_str(), static_cast<unsigned long>(o.scode), o.wCode,
                         narrow(o.description).c_str());
        }
        if (show_ >= 0 && o.code == show_)
            std::fprintf(stderr, "call %llu: %s -> %s\n", n, what.c_str(), narrow(o.description).c_str());
        if (o.hr == S_OK) {
            if (draw_.chance(20)) keepHandedOut(o);
            exerciseEnumerator(o);
            if (grewTooMuch(m.interfaceName)) refresh(true);
        }
        if (n % 100000 == 0) {
            std::fprintf(stderr, "  %llu calls, %.1f s\n", n, (GetTickCount64() - began) / 1000.0);
            std::fflush(stderr);
        }
    }
    return failures == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <seed> <calls> [<seconds per call limit>]\n", argv[0]);
        return 2;
    }
    unsigned long long seed = std::strtoull(argv[1], nullptr, 10);
    unsigned long long calls = std::strtoull(argv[2], nullptr, 10);
    watch.seed = seed;
    if (argc > 3) watch.limitMs = std::strtoull(argv[3], nullptr, 10) * 1000;

    if (FAILED(CoInitialize(nullptr))) {
        std::fprintf(stderr, "FUZZ FAIL: CoInitialize\n");
        return 1;
    }
    HANDLE dog = CreateThread(nullptr, 0, watchdog, nullptr, 0, nullptr);
    int status = 0;
    {
        Catalogue catalogue = readBothLibraries();
        for (const std::wstring& p : catalogue.problems) std::fprintf(stderr, "FUZZ FAIL: %s\n", narrow(p).c_str());
        if (!catalogue.problems.empty() || catalogue.interfaces.size() != 11) {
            std::fprintf(stderr, "FUZZ FAIL: the type libraries are not both registered\n");
            status = 1;
        } else {
            Fuzzer fuzzer(catalogue, seed);
            ULONGLONG began = GetTickCount64();
            bool ok = fuzzer.run(calls);
            double seconds = (GetTickCount64() - began) / 1000.0;
            std::printf("Seed %llu: %llu calls in %.1f s (%.0f calls/s)\n", seed, calls, seconds,
                        seconds > 0 ? calls / seconds : 0.0);
            std::printf("Members covered %zu of %zu, answered S_OK at least once %zu\n", fuzzer.covered.size(),
                        fuzzer.memberCount(), fuzzer.succeeded.size());
            std::vector<std::pair<unsigned long long, std::string>> sorted;
            for (const auto& e : fuzzer.outcomes) sorted.emplace_back(e.second, e.first);
            std::sort(sorted.rbegin(), sorted.rend());
            std::printf("Outcomes:\n");
            for (const auto& e : sorted) std::printf("  %10llu  %s\n", e.first, e.second.c_str());
            std::vector<std::pair<double, std::wstring>> slow;
            double inside = 0.0;
            for (const auto& e : fuzzer.timings) {
                slow.emplace_back(e.second.total, e.first);
                inside += e.second.total;
            }
            std::sort(slow.rbegin(), slow.rend());
            std::printf("Seconds inside the servers %.1f; the members that took most:\n", inside);
            for (size_t i = 0; i < slow.size() && i < 8; ++i)
                std::printf("  %8.2f s (longest call %.3f s)  %s\n", slow[i].first, fuzzer.timings[slow[i].second].longest,
                            narrow(slow[i].second).c_str());
            std::printf("%s: %llu unacceptable answers\n", ok ? "FUZZ PASSED" : "FUZZ FAILED", fuzzer.failures);
            status = ok ? 0 : 1;
        }
    }
    watch.stop.store(true);
    WaitForSingleObject(dog, 2000);
    CloseHandle(dog);
    CoUninitialize();
    std::fflush(stdout);
    return status;
}
