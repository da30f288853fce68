// Every member of Glossmere's two classes, and the making of their objects,
// with each of their allocations made to fail in turn. The server's test
// build (GlossmereProbe.dll: the same server whose operator new counts and
// can fail one chosen allocation) is loaded by its path; objects come from
// its class objects.
//
// For each call, allocation N fails for N = 1, 2, ... until the call runs
// without reaching allocation N:
// - every failed call answers E_OUTOFMEMORY with no text;
// - the call that then succeeds answers what the same call answers on an
//   object that saw no failure;
// - WizardLocale: after each failure, a fresh object in the same state
//   answers another dialog text of the cache right (a cache fill cut short
//   is never served, whether the cache was empty or held the other set);
// - once the objects are released, the module holds as many blocks as it
//   held before they were made.
#include "GlossmereTestSupport.h"

#include "../com/AllocationProbe.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

AllocationProbe& probe()
{
    static AllocationProbe p(GLOSSMERE_PROBE_DLL_PATH);
    return p;
}

template <class T>
void createProbeObject(REFCLSID clsid, REFIID iid, Ref<T>& result)
{
    createProbeObject(probe(), clsid, iid, result);
}

// What a call answered: its HRESULT and its result as text.
struct Answer {
    HRESULT hr = E_FAIL;
    bool null = true;
    std::wstring text;

    std::string show() const
    {
        std::ostringstream out;
        out << "hr " << std::hex << static_cast<unsigned long>(hr) << std::dec << " "
            << (null ? std::string("<null>") : "\"" + narrow(text) + "\"");
        return out.str();
    }
    bool operator==(const Answer& o) const { return hr == o.hr && null == o.null && text == o.text; }
};

Answer textAnswer(HRESULT hr, const Text& result)
{
    Answer a;
    a.hr = hr;
    a.null = result.null();
    a.text = result.str();
    return a;
}

Answer localizedString(_WizardLocale* locale, short base, short number)
{
    Text result;
    HRESULT hr = locale->GetLocalizedString(base, number, result.put());
    return textAnswer(hr, result);
}

struct Totals {
    int calls = 0;
    unsigned long long points = 0;
};

// Runs `call` with allocation N failing, N = 1, 2, ..., until a call does
// not reach allocation N; each failed call must answer E_OUTOFMEMORY and no
// result. `before` runs (unarmed) before each call, `afterFailure`
// (unarmed) after each failed one. Returns the answer of the call that ran
// without failure.
Answer failInTurn(const std::string& name, Totals& totals, const std::function<void()>& before,
                  const std::function<Answer()>& call, const std::function<void(unsigned long long)>& afterFailure)
{
    AllocationProbe& p = probe();
    ++totals.calls;
    int wrong = 0;
    for (unsigned long long n = 1;; ++n) {
        if (n > 100000) {
            ADD_FAILURE() << name << ": still failing at allocation " << n;
            return Answer();
        }
        if (before) before();
        if (::testing::Test::HasFatalFailure()) return Answer();
        p.arm(n);
        const Answer a = call();
        p.arm(0);
        if (!p.counters().fired) return a;
        ++totals.points;
        // One report per call, with the count.
        if ((a.hr != E_OUTOFMEMORY || !a.null) && wrong++ == 0)
            ADD_FAILURE() << name << ": allocation " << n << " failed and the call answered " << a.show();
        if (afterFailure) afterFailure(n);
        if (::testing::Test::HasFatalFailure()) return Answer();
    }
}

class GlossmereAllocationFailure : public GlossmereTest {
protected:
    void SetUp() override
    {
        GlossmereTest::SetUp();
        ASSERT_TRUE(probe().loaded()) << GLOSSMERE_PROBE_DLL_PATH;
        // Whatever the module allocates once for good (its first objects)
        // is made before the live blocks are counted.
        Ref<_WizardLocale> locale;
        createProbeObject(CLSID_WizardLocale, IID__WizardLocale, locale);
        Ref<_WizardLocaleUtil> util;
        createProbeObject(CLSID_WizardLocaleUtil, IID__WizardLocaleUtil, util);
        ASSERT_EQ(S_OK, localizedString(locale.get(), 1000, 3).hr);
        ASSERT_EQ(S_OK, localizedString(locale.get(), 1000, 742).hr);
        locale.reset();
        util.reset();
        liveBefore_ = probe().counters().live;
        start_ = std::chrono::steady_clock::now();
    }

    void TearDown() override
    {
        if (!HasFatalFailure()) {
            EXPECT_EQ(liveBefore_, probe().counters().live) << "blocks left by the objects, all released";
            std::printf("%d calls, %llu failing points, %.2f s\n", totals_.calls, totals_.points,
                        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count());
        }
        GlossmereTest::TearDown();
    }

    Totals totals_;
    long long liveBefore_ = 0;
    std::chrono::steady_clock::time_point start_;
};

// The class object and the object, through each interface a client asks
// for.
TEST_F(GlossmereAllocationFailure, MakingObjects)
{
    struct Case {
        const char* name;
        const CLSID* clsid;
        const IID* iid;
    };
    const Case cases[] = {
        {"WizardLocale as _WizardLocale", &CLSID_WizardLocale, &IID__WizardLocale},
        {"WizardLocale as IDispatch", &CLSID_WizardLocale, &IID_IDispatch},
        {"WizardLocaleUtil as _WizardLocaleUtil", &CLSID_WizardLocaleUtil, &IID__WizardLocaleUtil},
        {"WizardLocaleUtil as IUnknown", &CLSID_WizardLocaleUtil, &IID_IUnknown},
    };
    for (const Case& c : cases) {
        unsigned long long before = totals_.points;
        const Answer made = failInTurn(c.name, totals_, nullptr, [&] {
            Answer a;
            Ref<IClassFactory> factory;
            a.hr = probe().getClassObject(*c.clsid, IID_IClassFactory, factory.putVoid());
            if (a.hr != S_OK) return a;
            Ref<IUnknown> object;
            a.hr = factory->CreateInstance(nullptr, *c.iid, object.putVoid());
            a.null = !object;
            return a;
        }, nullptr);
        EXPECT_EQ(S_OK, made.hr) << c.name;
        EXPECT_FALSE(made.null) << c.name;
        EXPECT_GT(totals_.points, before) << c.name << ": made no allocation to fail";
    }
}

// GetLocalizedString with each kind of number, on a new object and on one
// whose cache holds the other language set.
TEST_F(GlossmereAllocationFailure, GetLocalizedString)
{
    struct Case {
        short base;
        short number;
        const char* what;
    };
    const Case cases[] = {
        {1000, 3, "a dialog text (cached)"},
        {4000, 737, "the last dialog text of the other set"},
        {1000, 742, "a text past the cache"},
        {4000, 1499, "no text 5499 (the error text)"},
        {1000, -1, "a negative number once the cache is filled (the error text)"},
        {2000, 3, "a cache filled from a base without texts (the error text)"},
        {30000, 3000, "base plus number beyond 16 bits (the error text)"},
    };
    // The dialog texts read after each failure: an early and the last
    // entry of the cache, so that a fill cut short anywhere would show.
    const short checkNumbers[] = {4, 737};
    // Their texts in both sets, from an object that saw no failure.
    std::map<short, std::map<short, Answer>> expected;
    {
        Ref<_WizardLocale> locale;
        createProbeObject(CLSID_WizardLocale, IID__WizardLocale, locale);
        ASSERT_FALSE(HasFatalFailure());
        for (short base : {1000, 4000})
            for (short number : checkNumbers) {
                expected[base][number] = localizedString(locale.get(), base, number);
                ASSERT_EQ(S_OK, expected[base][number].hr);
            }
        EXPECT_EQ(L"Apply Analysis", expected[1000][4].text);
        EXPECT_EQ(L"\u00f1_Apply Analysis", expected[4000][4].text);
    }
    // Reads the check texts of one set; false with a failure when one is wrong.
    auto checkSet = [&](_WizardLocale* locale, short base, const std::string& when) {
        for (short number : checkNumbers) {
            const Answer a = localizedString(locale, base, number);
            if (!(a == expected[base][number])) {
                ADD_FAILURE() << when << ": text " << base << " + " << number << " answered " << a.show()
                              << " instead of " << expected[base][number].show();
                return false;
            }
        }
        return true;
    };

    for (const Case& c : cases) {
        for (short heldBase : {0, 1000, 4000}) {
            if (heldBase != 0 && heldBase == c.base) continue;
            std::ostringstream label;
            label << "GetLocalizedString(" << c.base << ", " << c.number << "), " << c.what << ", cache "
                  << (heldBase ? "holding set " + std::to_string(heldBase) : std::string("empty"));
            const std::string name = label.str();
            // The set the case asks for (a base without texts: the first).
            const short caseSet = c.base == 4000 ? 4000 : 1000;

            // A new object in the state the case starts from.
            auto prepare = [&](Ref<_WizardLocale>& locale) {
                createProbeObject(CLSID_WizardLocale, IID__WizardLocale, locale);
                if (heldBase != 0) {
                    ASSERT_EQ(S_OK, localizedString(locale.get(), heldBase, 1).hr) << name;
                }
            };

            Answer reference;
            {
                Ref<_WizardLocale> locale;
                prepare(locale);
                ASSERT_FALSE(HasFatalFailure());
                reference = localizedString(locale.get(), c.base, c.number);
                ASSERT_EQ(S_OK, reference.hr) << name;
            }

            // With an empty cache each point starts on a new object; with
            // a held set on the same object, whose check after each failure
            // reads (so refills when needed) the held set again.
            Ref<_WizardLocale> subject;
            bool checked = true;
            const Answer last = failInTurn(
                name, totals_,
                [&] {
                    if (heldBase == 0 || !subject) prepare(subject);
                },
                [&] { return localizedString(subject.get(), c.base, c.number); },
                [&](unsigned long long n) {
                    if (checked)
                        checked = checkSet(subject.get(), heldBase != 0 ? heldBase : caseSet,
                                           name + ", after allocation " + std::to_string(n) + " failed");
                });
            EXPECT_EQ(reference.show(), last.show()) << name << ": the call that succeeds after the failures";
            // A later call of the case's set is answered right.
            if (subject) checkSet(subject.get(), caseSet, name + ", after the call that succeeded");
            if (heldBase != 0 && subject) checkSet(subject.get(), heldBase, name + ", back to the held set");
        }
    }
}

// Every member of WizardLocaleUtil; LocaleInfo with a text setting, a short
// one, a number setting asked as binary and a constant of no setting.
TEST_F(GlossmereAllocationFailure, WizardLocaleUtilMembers)
{
    using Member = std::function<HRESULT(_WizardLocaleUtil*, BSTR*)>;
    struct Case {
        const char* name;
        Member call;
    };
    const Case cases[] = {
        {"NativeLanguage", [](_WizardLocaleUtil* u, BSTR* r) { return u->get_NativeLanguage(r); }},
        {"Language", [](_WizardLocaleUtil* u, BSTR* r) { return u->get_Language(r); }},
        {"Thousands", [](_WizardLocaleUtil* u, BSTR* r) { return u->get_Thousands(r); }},
        {"sDecimal", [](_WizardLocaleUtil* u, BSTR* r) { return u->get_sDecimal(r); }},
        {"LocaleInfo(LOCALE_SENGLANGUAGE)", [](_WizardLocaleUtil* u, BSTR* r) { return u->LocaleInfo(LOCALE_SENGLANGUAGE, r); }},
        {"LocaleInfo(LOCALE_SLIST)", [](_WizardLocaleUtil* u, BSTR* r) { return u->LocaleInfo(LOCALE_SLIST, r); }},
        {"LocaleInfo(LOCALE_IDIGITS | LOCALE_RETURN_NUMBER)",
         [](_WizardLocaleUtil* u, BSTR* r) { return u->LocaleInfo(LOCALE_IDIGITS | LOCALE_RETURN_NUMBER, r); }},
        {"LocaleInfo(12345)", [](_WizardLocaleUtil* u, BSTR* r) { return u->LocaleInfo(static_cast<eLocaleInfo>(12345), r); }},
        {"ShortDateFormat", [](_WizardLocaleUtil* u, BSTR* r) { return u->get_ShortDateFormat(r); }},
        {"LongDateFormat", [](_WizardLocaleUtil* u, BSTR* r) { return u->get_LongDateFormat(r); }},
        {"NativeCountryName", [](_WizardLocaleUtil* u, BSTR* r) { return u->get_NativeCountryName(r); }},
        {"CountryName", [](_WizardLocaleUtil* u, BSTR* r) { return u->get_CountryName(r); }},
        {"LongDateFormatOrder", [](_WizardLocaleUtil* u, BSTR* r) { return u->get_LongDateFormatOrder(r); }},
        {"DateFormatOrder", [](_WizardLocaleUtil* u, BSTR* r) { return u->get_DateFormatOrder(r); }},
        // A number: its text stands for the result.
        {"GetLCID", [](_WizardLocaleUtil* u, BSTR* r) {
             LONG lcid = -1;
             HRESULT hr = u->GetLCID(&lcid);
             if (hr == S_OK) *r = SysAllocString(std::to_wstring(lcid).c_str());
             return hr;
         }},
    };
    Ref<_WizardLocaleUtil> subject;
    createProbeObject(CLSID_WizardLocaleUtil, IID__WizardLocaleUtil, subject);
    ASSERT_FALSE(HasFatalFailure());
    int allocating = 0;
    for (const Case& c : cases) {
        Answer reference;
        {
            Ref<_WizardLocaleUtil> util;
            createProbeObject(CLSID_WizardLocaleUtil, IID__WizardLocaleUtil, util);
            ASSERT_FALSE(HasFatalFailure());
            Text result;
            reference = textAnswer(c.call(util.get(), result.put()), result);
            ASSERT_EQ(S_OK, reference.hr) << c.name;
        }
        const unsigned long long before = totals_.points;
        const Answer last = failInTurn(c.name, totals_, nullptr, [&] {
            Text result;
            return textAnswer(c.call(subject.get(), result.put()), result);
        }, nullptr);
        EXPECT_EQ(reference.show(), last.show()) << c.name << ": the call that succeeds after the failures";
        if (totals_.points > before) ++allocating;
    }
    std::printf("%d of %d WizardLocaleUtil calls allocate\n", allocating,
                static_cast<int>(sizeof cases / sizeof cases[0]));
}

} // namespace
