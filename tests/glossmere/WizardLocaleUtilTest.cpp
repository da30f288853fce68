// WizardLocaleUtil: the settings of a few user locales (the test runs once
// per locale, chosen by the environment of the Wine process), the locale
// constants of the type library, and a blank thousands separator.
#include "GlossmereTestSupport.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Published settings of the locales the tests run under.
struct LocaleRow {
    const char* name; // QD_TEST_LOCALE
    LANGID id;
    const wchar_t* englishLanguage;
    const wchar_t* language;
    const wchar_t* nativeLanguage;
    const wchar_t* country;
    const wchar_t* nativeCountry;
    const wchar_t* decimal;
    const wchar_t* thousands;
    const wchar_t* order;
};

const LocaleRow locales[] = {
    {"en_US", 0x0409, L"English", L"English (United States)", L"English", L"United States", L"United States",
     L".", L",", L"MDY"},
    {"en_GB", 0x0809, L"English", L"English (United Kingdom)", L"English", L"United Kingdom", L"United Kingdom",
     L".", L",", L"DMY"},
    {"de_DE", 0x0407, L"German", L"German (Germany)", L"Deutsch", L"Germany", L"Deutschland", L",", L".", L"DMY"},
    {"ja_JP", 0x0411, L"Japanese", L"Japanese (Japan)", L"\u65e5\u672c\u8a9e", L"Japan", L"\u65e5\u672c", L".",
     L",", L"YMD"},
    {"ru_RU", 0x0419, L"Russian", L"Russian (Russia)", L"\u0440\u0443\u0441\u0441\u043a\u0438\u0439", L"Russia",
     L"\u0420\u043e\u0441\u0441\u0438\u044f", L",", L"\u00a0", L"DMY"},
};

const LocaleRow& currentLocale()
{
    const char* wanted = std::getenv("QD_TEST_LOCALE");
    std::string name = wanted ? wanted : "en_US";
    for (const LocaleRow& row : locales)
        if (name == row.name) return row;
    ADD_FAILURE() << "no row for locale " << name;
    return locales[0];
}

// The 91 locale constants of the type library, with the platform's values.
struct Constant {
    const wchar_t* name;
    long value;
};
#define GL_CONSTANT(name) {L## #name, name}
const Constant localeConstants[] = {
    GL_CONSTANT(LOCALE_ILANGUAGE), GL_CONSTANT(LOCALE_SLANGUAGE), GL_CONSTANT(LOCALE_SENGLANGUAGE),
    GL_CONSTANT(LOCALE_SABBREVLANGNAME), GL_CONSTANT(LOCALE_SNATIVELANGNAME), GL_CONSTANT(LOCALE_ICOUNTRY),
    GL_CONSTANT(LOCALE_SCOUNTRY), GL_CONSTANT(LOCALE_SENGCOUNTRY), GL_CONSTANT(LOCALE_SABBREVCTRYNAME),
    GL_CONSTANT(LOCALE_SNATIVECTRYNAME), GL_CONSTANT(LOCALE_IDEFAULTLANGUAGE),
    GL_CONSTANT(LOCALE_IDEFAULTCOUNTRY), GL_CONSTANT(LOCALE_IDEFAULTCODEPAGE),
    GL_CONSTANT(LOCALE_IDEFAULTANSICODEPAGE), GL_CONSTANT(LOCALE_SLIST), GL_CONSTANT(LOCALE_IMEASURE),
    GL_CONSTANT(LOCALE_SDECIMAL), GL_CONSTANT(LOCALE_STHOUSAND), GL_CONSTANT(LOCALE_SGROUPING),
    GL_CONSTANT(LOCALE_IDIGITS), GL_CONSTANT(LOCALE_ILZERO), GL_CONSTANT(LOCALE_SNATIVEDIGITS),
    GL_CONSTANT(LOCALE_SCURRENCY), GL_CONSTANT(LOCALE_SINTLSYMBOL), GL_CONSTANT(LOCALE_SMONDECIMALSEP),
    GL_CONSTANT(LOCALE_SMONTHOUSANDSEP), GL_CONSTANT(LOCALE_SMONGROUPING), GL_CONSTANT(LOCALE_ICURRDIGITS),
    GL_CONSTANT(LOCALE_IINTLCURRDIGITS), GL_CONSTANT(LOCALE_ICURRENCY), GL_CONSTANT(LOCALE_INEGCURR),
    GL_CONSTANT(LOCALE_SDATE), GL_CONSTANT(LOCALE_STIME), GL_CONSTANT(LOCALE_SSHORTDATE),
    GL_CONSTANT(LOCALE_SLONGDATE), GL_CONSTANT(LOCALE_STIMEFORMAT), GL_CONSTANT(LOCALE_IDATE),
    GL_CONSTANT(LOCALE_ILDATE), GL_CONSTANT(LOCALE_ITIME), GL_CONSTANT(LOCALE_ICENTURY),
    GL_CONSTANT(LOCALE_ITLZERO), GL_CONSTANT(LOCALE_IDAYLZERO), GL_CONSTANT(LOCALE_IMONLZERO),
    GL_CONSTANT(LOCALE_S1159), GL_CONSTANT(LOCALE_S2359), GL_CONSTANT(LOCALE_SDAYNAME1),
    GL_CONSTANT(LOCALE_SDAYNAME2), GL_CONSTANT(LOCALE_SDAYNAME3), GL_CONSTANT(LOCALE_SDAYNAME4),
    GL_CONSTANT(LOCALE_SDAYNAME5), GL_CONSTANT(LOCALE_SDAYNAME6), GL_CONSTANT(LOCALE_SDAYNAME7),
    GL_CONSTANT(LOCALE_SABBREVDAYNAME1), GL_CONSTANT(LOCALE_SABBREVDAYNAME2),
    GL_CONSTANT(LOCALE_SABBREVDAYNAME3), GL_CONSTANT(LOCALE_SABBREVDAYNAME4),
    GL_CONSTANT(LOCALE_SABBREVDAYNAME5), GL_CONSTANT(LOCALE_SABBREVDAYNAME6),
    GL_CONSTANT(LOCALE_SABBREVDAYNAME7), GL_CONSTANT(LOCALE_SMONTHNAME1), GL_CONSTANT(LOCALE_SMONTHNAME2),
    GL_CONSTANT(LOCALE_SMONTHNAME3), GL_CONSTANT(LOCALE_SMONTHNAME4), GL_CONSTANT(LOCALE_SMONTHNAME5),
    GL_CONSTANT(LOCALE_SMONTHNAME6), GL_CONSTANT(LOCALE_SMONTHNAME7), GL_CONSTANT(LOCALE_SMONTHNAME8),
    GL_CONSTANT(LOCALE_SMONTHNAME9), GL_CONSTANT(LOCALE_SMONTHNAME10), GL_CONSTANT(LOCALE_SMONTHNAME11),
    GL_CONSTANT(LOCALE_SMONTHNAME12), GL_CONSTANT(LOCALE_SABBREVMONTHNAME1),
    GL_CONSTANT(LOCALE_SABBREVMONTHNAME2), GL_CONSTANT(LOCALE_SABBREVMONTHNAME3),
    GL_CONSTANT(LOCALE_SABBREVMONTHNAME4), GL_CONSTANT(LOCALE_SABBREVMONTHNAME5),
    GL_CONSTANT(LOCALE_SABBREVMONTHNAME6), GL_CONSTANT(LOCALE_SABBREVMONTHNAME7),
    GL_CONSTANT(LOCALE_SABBREVMONTHNAME8), GL_CONSTANT(LOCALE_SABBREVMONTHNAME9),
    GL_CONSTANT(LOCALE_SABBREVMONTHNAME10), GL_CONSTANT(LOCALE_SABBREVMONTHNAME11),
    GL_CONSTANT(LOCALE_SABBREVMONTHNAME12), GL_CONSTANT(LOCALE_SPOSITIVESIGN),
    GL_CONSTANT(LOCALE_SNEGATIVESIGN), GL_CONSTANT(LOCALE_IPOSSIGNPOSN), GL_CONSTANT(LOCALE_INEGSIGNPOSN),
    GL_CONSTANT(LOCALE_IPOSSYMPRECEDES), GL_CONSTANT(LOCALE_IPOSSEPBYSPACE),
    GL_CONSTANT(LOCALE_INEGSYMPRECEDES), GL_CONSTANT(LOCALE_INEGSEPBYSPACE),
};
#undef GL_CONSTANT

// What the platform itself reports, read with the wide call.
std::wstring platformSetting(LANGID id, LCTYPE type)
{
    wchar_t buffer[512];
    int n = GetLocaleInfoW(MAKELCID(id, SORT_DEFAULT), type, buffer, 512);
    return n > 0 ? std::wstring(buffer) : std::wstring();
}

typedef HRESULT(STDMETHODCALLTYPE _WizardLocaleUtil::*TextMember)(BSTR*);

std::wstring member(_WizardLocaleUtil* util, TextMember get)
{
    Text result;
    EXPECT_EQ(S_OK, (util->*get)(result.put()));
    return result.str();
}

std::wstring localeInfo(_WizardLocaleUtil* util, long type)
{
    Text result;
    EXPECT_EQ(S_OK, util->LocaleInfo(type, result.put())) << type;
    return result.str();
}

// Runs in prefixes of their own as well (Wine keeps the user's locale
// settings in the prefix's registry and rewrites them whenever a process
// starts with another locale), so the object comes from the module's file.
class LocaleSettings : public GlossmereTest {
protected:
    void SetUp() override
    {
        GlossmereTest::SetUp();
        createFromFile(CLSID_WizardLocaleUtil, IID__WizardLocaleUtil, util_);
    }
    void TearDown() override
    {
        util_.reset();
        GlossmereTest::TearDown();
    }
    Ref<_WizardLocaleUtil> util_;
};

} // namespace

TEST_F(LocaleSettings, TheMembersAnswerTheUsersLocale)
{
    const LocaleRow& row = currentLocale();
    SCOPED_TRACE(row.name);
    _WizardLocaleUtil* u = util_.get();
    LONG id = 0;
    ASSERT_EQ(S_OK, u->GetLCID(&id));
    EXPECT_EQ(row.id, id);
    EXPECT_EQ(GetUserDefaultLangID(), id);
    EXPECT_EQ(narrow(row.language), narrow(member(u, &_WizardLocaleUtil::get_Language)));
    EXPECT_EQ(narrow(row.nativeLanguage), narrow(member(u, &_WizardLocaleUtil::get_NativeLanguage)));
    EXPECT_EQ(narrow(row.country), narrow(member(u, &_WizardLocaleUtil::get_CountryName)));
    EXPECT_EQ(narrow(row.nativeCountry), narrow(member(u, &_WizardLocaleUtil::get_NativeCountryName)));
    EXPECT_EQ(narrow(row.decimal), narrow(member(u, &_WizardLocaleUtil::get_sDecimal)));
    EXPECT_EQ(narrow(row.thousands), narrow(member(u, &_WizardLocaleUtil::get_Thousands)));
    EXPECT_EQ(narrow(row.order), narrow(member(u, &_WizardLocaleUtil::get_DateFormatOrder)));
    EXPECT_EQ(narrow(row.order), narrow(member(u, &_WizardLocaleUtil::get_LongDateFormatOrder)));
    EXPECT_EQ(narrow(platformSetting(row.id, LOCALE_SSHORTDATE)),
              narrow(member(u, &_WizardLocaleUtil::get_ShortDateFormat)));
    EXPECT_EQ(narrow(platformSetting(row.id, LOCALE_SLONGDATE)),
              narrow(member(u, &_WizardLocaleUtil::get_LongDateFormat)));
    if (std::string(row.name) == "en_US") {
        EXPECT_EQ(L"M/d/yyyy", member(u, &_WizardLocaleUtil::get_ShortDateFormat));
        EXPECT_EQ(L"dddd, MMMM d, yyyy", member(u, &_WizardLocaleUtil::get_LongDateFormat));
    }
}

TEST_F(LocaleSettings, LocaleInfoAnswersEveryConstantAndNothingForUnknownOnes)
{
    const LocaleRow& row = currentLocale();
    for (const Constant& c : localeConstants) {
        std::wstring expected = platformSetting(row.id, static_cast<LCTYPE>(c.value));
        // Blanks around a setting go, unless it is blank throughout.
        if (expected.find_first_not_of(L' ') != std::wstring::npos) {
            expected.erase(0, expected.find_first_not_of(L' '));
            expected.erase(expected.find_last_not_of(L' ') + 1);
        }
        EXPECT_EQ(narrow(expected), narrow(localeInfo(util_.get(), c.value))) << narrow(c.name);
    }
    EXPECT_EQ(L"", localeInfo(util_.get(), 9999));
    EXPECT_EQ(L"", localeInfo(util_.get(), 0));
    EXPECT_EQ(L"", localeInfo(util_.get(), -1));
    // The binary form of a number setting is not a text.
    EXPECT_EQ(L"", localeInfo(util_.get(), LOCALE_RETURN_NUMBER | LOCALE_IDATE));

    // Called without its argument (through IDispatch, as scripts do), the
    // query answers the English name of the user's language.
    Ref<IDispatch> dispatch;
    ASSERT_EQ(S_OK, util_->QueryInterface(IID_IDispatch, dispatch.putVoid()));
    OLECHAR name[] = L"LocaleInfo";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    ASSERT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, names, 1, 0x409, &id));
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(S_OK, dispatch->Invoke(id, IID_NULL, 0x409, DISPATCH_METHOD, &none, &result, nullptr, nullptr));
    ASSERT_EQ(VT_BSTR, V_VT(&result));
    EXPECT_EQ(narrow(row.englishLanguage), narrow(V_BSTR(&result)));
    VariantClear(&result);
}

TEST_F(LocaleSettings, TheTypeLibraryNamesThePlatformsLocaleConstants)
{
    Ref<ITypeLib> library;
    ASSERT_EQ(S_OK, LoadTypeLibEx(glossmerePath().c_str(), REGKIND_NONE, library.put()));
    auto enumConstants = [&](const wchar_t* enumName) {
        std::vector<Constant> found;
        std::vector<std::wstring> names;
        UINT count = library->GetTypeInfoCount();
        for (UINT i = 0; i < count; ++i) {
            BSTR typeName = nullptr;
            library->GetDocumentation(static_cast<INT>(i), &typeName, nullptr, nullptr, nullptr);
            bool match = typeName && std::wstring(typeName) == enumName;
            SysFreeString(typeName);
            if (!match) continue;
            Ref<ITypeInfo> info;
            library->GetTypeInfo(i, info.put());
            TYPEATTR* attr = nullptr;
            info->GetTypeAttr(&attr);
            for (UINT v = 0; v < attr->cVars; ++v) {
                VARDESC* var = nullptr;
                info->GetVarDesc(v, &var);
                BSTR varName = nullptr;
                info->GetDocumentation(var->memid, &varName, nullptr, nullptr, nullptr);
                names.push_back(varName ? varName : L"");
                found.push_back({nullptr, V_I4(var->lpvarValue)});
                SysFreeString(varName);
                info->ReleaseVarDesc(var);
            }
            info->ReleaseTypeAttr(attr);
        }
        for (std::size_t k = 0; k < found.size(); ++k) found[k].name = _wcsdup(names[k].c_str());
        return found;
    };
    std::vector<Constant> constants = enumConstants(L"eLocaleInfo");
    ASSERT_EQ(91u, constants.size());
    for (std::size_t k = 0; k < constants.size(); ++k) {
        EXPECT_EQ(narrow(localeConstants[k].name), narrow(constants[k].name)) << k;
        EXPECT_EQ(localeConstants[k].value, constants[k].value) << narrow(constants[k].name);
        free(const_cast<wchar_t*>(constants[k].name));
    }
    std::vector<Constant> orders = enumConstants(L"eDateOrder");
    ASSERT_EQ(3u, orders.size());
    const Constant expectedOrders[] = {{L"MDY", 0}, {L"DMY", 1}, {L"YMD", 2}};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(narrow(expectedOrders[k].name), narrow(orders[k].name));
        EXPECT_EQ(expectedOrders[k].value, orders[k].value);
        free(const_cast<wchar_t*>(orders[k].name));
    }
}

// Run in a prefix whose user settings make the thousands separator a blank:
// the blank is the setting and must survive.
TEST(BlankSeparator, ABlankThousandsSeparatorIsKept)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    {
        Ref<_WizardLocaleUtil> util;
        createFromFile(CLSID_WizardLocaleUtil, IID__WizardLocaleUtil, util);
        ASSERT_TRUE(util);
        ASSERT_EQ(L" ", platformSetting(GetUserDefaultLangID(), LOCALE_STHOUSAND)) << "prefix not prepared";
        EXPECT_EQ(L" ", member(util.get(), &_WizardLocaleUtil::get_Thousands));
        EXPECT_EQ(L" ", localeInfo(util.get(), LOCALE_STHOUSAND));
        EXPECT_EQ(L".", member(util.get(), &_WizardLocaleUtil::get_sDecimal));
    }
    CoUninitialize();
}
