// WizardLocale through the registry: every text of both language sets
// against the committed source table, the numbering rules of the table,
// the cache across language bases, and failures that answer at once.
#include "GlossmereTestSupport.h"

#include <chrono>
#include <cstdio>
#include <map>
#include <string>

namespace {

const wchar_t* const errorText = L"Localized string error!!!!!";

// The committed source of the table: number -> text.
const std::map<int, std::wstring>& sourceTable()
{
    static std::map<int, std::wstring> table;
    if (!table.empty()) return table;
    FILE* f = std::fopen(QD_SOURCE_DIR "/Glossmere/StringTable.txt", "rb");
    if (f == nullptr) return table;
    std::string content;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, n);
    std::fclose(f);
    std::size_t at = 0;
    while (at < content.size()) {
        std::size_t end = content.find('\n', at);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(at, end - at);
        at = end + 1;
        std::size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        table[std::stoi(line.substr(0, tab))] = widen(line.substr(tab + 1));
    }
    return table;
}

class WizardLocaleTest : public GlossmereTest {
protected:
    void SetUp() override
    {
        GlossmereTest::SetUp();
        create(CLSID_WizardLocale, IID__WizardLocale, locale_);
    }
    void TearDown() override
    {
        locale_.reset();
        GlossmereTest::TearDown();
    }

    std::wstring text(short base, short number, _WizardLocale* on = nullptr)
    {
        Text result;
        HRESULT hr = (on ? on : locale_.get())->GetLocalizedString(base, number, result.put());
        EXPECT_EQ(S_OK, hr) << base << " + " << number;
        EXPECT_FALSE(result.null());
        return result.str();
    }

    Ref<_WizardLocale> locale_;
};

} // namespace

TEST_F(WizardLocaleTest, EveryTextOfBothSetsIsTheSourceText)
{
    const std::map<int, std::wstring>& source = sourceTable();
    ASSERT_EQ(2996u, source.size());
    // One object reads both sets in turn, then back: each set comes out
    // whole whatever the cache held before.
    const short bases[] = {1000, 4000, 1000};
    for (short base : bases) {
        for (short n = 1; n <= 1498; ++n) {
            auto row = source.find(base + n);
            ASSERT_NE(source.end(), row) << base + n;
            ASSERT_EQ(narrow(row->second), narrow(text(base, n))) << "number " << base + n;
        }
    }
}

TEST_F(WizardLocaleTest, TheTableFollowsItsNumberingRules)
{
    struct Row {
        short number;
        const wchar_t* english;
    };
    const Row telling[] = {
        {1, L"Cancel"}, {2, L"Cancel Analysis"}, {3, L"OK"}, {4, L"Apply Analysis"}, {5, L"Print"},
        {16, L"Num of Bars shown in the graphs. Let it blank to use maximum bars."},
        {29, L"Next >>"}, {184, L"<< Back"},
        {738, L"There is a printing problem.  Please check the printer and try to print again."},
        {740, L") for future use."}, {742, L"Not Enough Data to Analysis"}, {743, L"ACF"}, {744, L"PACF"},
        {755, L"TRAN - "}, {770, L"Adjusting data series "},
        {779, L"Quendar Files (*.qd),*.qd,Text Files (*.txt),*.txt,All Files (*.*),*.*"},
        {782, L"Quendar Files (*.qd)|*.qd|Text Files (*.txt)|*.txt|All Files (*.*)|*.*"},
        {785, L"Quendar Files (*.qd)|*.qd|Text Files (*.txt)|*.txt|All Files (*.*)|*.*"},
        {800, L"Bass Model"}, {814, L"Mean Squared Error"}, {823, L"BIC"}, {824, L"Hourly"},
        {832, L"64 Weeks"}, {1096, L"Adaptive Exponential Smoothing"}, {1205, L"Weighted Moving Average"},
        {1261, L"Regression failed."}, {1421, L"Data set is too small for this forecast/compute method."},
        {562, L"Group By"}, {563, L"Statistics"}, {564, L"Reports"}, {1203, L"TS SAD MAD"},
    };
    for (const Row& row : telling) EXPECT_EQ(narrow(row.english), narrow(text(1000, row.number))) << row.number;

    // The pseudo-localized set: "ñ_" and the English text, except the rows
    // that the table keeps as they are.
    const std::map<short, std::wstring> kept = {
        {562, L"\u00f1_Statistics"}, {563, L"\u00f1_Reports"}, {564, L"\u00f1_Group By"},
        {1203, L"\u00f1_IDS_HCL_ITM466"}};
    std::size_t longest = 0;
    int longerThan256 = 0;
    for (short n = 1; n <= 1498; ++n) {
        std::wstring english = text(1000, n);
        std::wstring pseudo = text(4000, n);
        auto exception = kept.find(n);
        std::wstring expected = exception != kept.end() ? exception->second : L"\u00f1_" + english;
        ASSERT_EQ(narrow(expected), narrow(pseudo)) << "number " << n;
        EXPECT_FALSE(english.empty()) << n;
        if (english.size() > longest) longest = english.size();
        if (english.size() > 256) ++longerThan256;
    }
    EXPECT_EQ(270u, longest);
    EXPECT_GE(longerThan256, 3);
    // The numbers dialogs 620 to 717 explain begin with the word Select.
    for (short n = 669; n <= 717; ++n) EXPECT_EQ(0u, text(1000, n).find(L"Select ")) << n;
    // Names 1094 to 1205 are in alphabetical order.
    for (short n = 1095; n <= 1205; ++n)
        EXPECT_LT(_wcsicmp(text(1000, n - 1).c_str(), text(1000, n).c_str()), 0) << n;
}

TEST_F(WizardLocaleTest, TheCacheFollowsTheLanguageBase)
{
    // The dialog texts come from the cache; a request in another language
    // refills it instead of answering in the first one.
    EXPECT_EQ(L"\u00f1_OK", text(4000, 3));
    EXPECT_EQ(L"OK", text(1000, 3));
    EXPECT_EQ(L"Not Enough Data to Analysis", text(1000, 742));
    EXPECT_EQ(L"\u00f1_Not Enough Data to Analysis", text(4000, 742));
    EXPECT_EQ(L"\u00f1_Cancel", text(4000, 1));
    // Number 0 is the empty entry of a filled cache.
    EXPECT_EQ(L"", text(1000, 0));
    EXPECT_EQ(L"Cancel", text(1000, 1));
    // Each object has its own cache.
    Ref<_WizardLocale> other;
    create(CLSID_WizardLocale, IID__WizardLocale, other);
    EXPECT_EQ(L"\u00f1_Print", text(4000, 5, other.get()));
    EXPECT_EQ(L"Print", text(1000, 5));
}

TEST_F(WizardLocaleTest, FailuresAnswerTheErrorTextAtOnceAndLeaveTheObjectWorking)
{
    struct Case {
        short base;
        short number;
        const char* what;
    };
    const Case cases[] = {
        {1000, 1499, "no text 2499"},
        {30000, 3000, "base plus number beyond 16 bits"},
        {1000, -1, "negative number with a filled cache"},
        {-32768, -1, "sum below -32768"},
        {2000, 3, "cache filled from a base without texts"},
        {4000, 1499, "no text 5499"},
        {0, 800, "no text 800"},
    };
    EXPECT_EQ(L"OK", text(1000, 3));
    for (const Case& c : cases) {
        EXPECT_EQ(errorText, text(c.base, c.number)) << c.what;
        // The object answers normally afterwards, cache included.
        EXPECT_EQ(L"Apply Analysis", text(1000, 4)) << c.what;
        EXPECT_EQ(L"\u00f1_Bass Model", text(4000, 800)) << c.what;
    }

    // A bad base fails on every call, and no call waits for anyone.
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 200; ++i) ASSERT_EQ(errorText, text(5000, 7));
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 20.0);

    Text unused;
    EXPECT_EQ(E_POINTER, locale_->GetLocalizedString(1000, 3, nullptr));
}

TEST_F(WizardLocaleTest, ScriptClientsReachTheMethodThroughIDispatch)
{
    Ref<IDispatch> dispatch;
    ASSERT_EQ(S_OK, locale_->QueryInterface(IID_IDispatch, dispatch.putVoid()));
    OLECHAR name[] = L"GetLocalizedString";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    ASSERT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, names, 1, 0x409, &id));
    // Arguments in reverse order; scripts pass numbers as long or double.
    VARIANT args[2];
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    V_VT(&args[0]) = VT_R8;
    V_R8(&args[0]) = 1421;
    V_VT(&args[1]) = VT_I4;
    V_I4(&args[1]) = 4000;
    DISPPARAMS params = {args, nullptr, 2, 0};
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(S_OK, dispatch->Invoke(id, IID_NULL, 0x409, DISPATCH_METHOD, &params, &result, nullptr, nullptr));
    ASSERT_EQ(VT_BSTR, V_VT(&result));
    EXPECT_EQ(narrow(L"\u00f1_Data set is too small for this forecast/compute method."),
              narrow(std::wstring(V_BSTR(&result), SysStringLen(V_BSTR(&result)))));
    VariantClear(&result);
}
