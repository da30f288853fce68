#include "WizardLocaleUtil.h"

#include <new>
#include <vector>

namespace Glossmere {

namespace {

HRESULT returnText(const std::wstring& text, BSTR* pVal)
{
    *pVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *pVal != nullptr ? S_OK : E_OUTOFMEMORY;
}

} // namespace

WizardLocaleUtil::WizardLocaleUtil()
{
    LONG ignored = 0;
    GetLCID(&ignored);
}

std::wstring WizardLocaleUtil::localeText(long type) const
{
    // Only text settings: a request for the binary form of a number would
    // hand back raw bytes.
    if ((static_cast<unsigned long>(type) & LOCALE_RETURN_NUMBER) != 0) return std::wstring();
    LCID lcid = MAKELCID(locale_, SORT_DEFAULT);
    LCTYPE what = static_cast<LCTYPE>(type);
    int needed = GetLocaleInfoW(lcid, what, nullptr, 0);
    if (needed <= 0) return std::wstring();
    std::vector<wchar_t> buffer(static_cast<std::size_t>(needed) + 1, L'\0');
    int written = GetLocaleInfoW(lcid, what, buffer.data(), needed);
    if (written <= 0) return std::wstring();
    std::wstring text(buffer.data(), static_cast<std::size_t>(written));
    std::wstring::size_type nul = text.find(L'\0');
    if (nul != std::wstring::npos) text.resize(nul);
    // A blank separator is a setting of its own; only a text with other
    // characters loses its surrounding blanks.
    std::wstring::size_type first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return text;
    std::wstring::size_type last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

// The members that answer a text hold the floating-point guard here.
HRESULT WizardLocaleUtil::answer(long type, BSTR* pVal) const
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (pVal == nullptr) return E_POINTER;
    *pVal = nullptr;
    try {
        return returnText(localeText(type), pVal);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT WizardLocaleUtil::orderAnswer(long type, BSTR* pVal) const
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (pVal == nullptr) return E_POINTER;
    *pVal = nullptr;
    try {
        std::wstring text = localeText(type);
        LONG order = 0;
        HRESULT converted = VarI4FromStr(&text[0], MAKELCID(0x409, SORT_DEFAULT), 0, &order);
        if (FAILED(converted)) {
            // No error information of this object: drop any left on the thread.
            SetErrorInfo(0, nullptr);
            return DISP_E_TYPEMISMATCH;
        }
        return returnText(order == 1 ? L"DMY" : order == 0 ? L"MDY" : L"YMD", pVal);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT STDMETHODCALLTYPE WizardLocaleUtil::get_NativeLanguage(BSTR* pVal) { return answer(LOCALE_SNATIVELANGNAME, pVal); }
HRESULT STDMETHODCALLTYPE WizardLocaleUtil::get_Language(BSTR* pVal) { return answer(LOCALE_SLANGUAGE, pVal); }
HRESULT STDMETHODCALLTYPE WizardLocaleUtil::get_Thousands(BSTR* pVal) { return answer(LOCALE_STHOUSAND, pVal); }
HRESULT STDMETHODCALLTYPE WizardLocaleUtil::get_sDecimal(BSTR* pVal) { return answer(LOCALE_SDECIMAL, pVal); }

HRESULT STDMETHODCALLTYPE WizardLocaleUtil::GetLCID(LONG* pVal)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (pVal == nullptr) return E_POINTER;
    locale_ = GetUserDefaultLangID();
    *pVal = locale_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE WizardLocaleUtil::LocaleInfo(eLocaleInfo nLocaleInfo, BSTR* pVal)
{
    return answer(nLocaleInfo, pVal);
}

HRESULT STDMETHODCALLTYPE WizardLocaleUtil::get_ShortDateFormat(BSTR* pVal) { return answer(LOCALE_SSHORTDATE, pVal); }
HRESULT STDMETHODCALLTYPE WizardLocaleUtil::get_LongDateFormat(BSTR* pVal) { return answer(LOCALE_SLONGDATE, pVal); }
HRESULT STDMETHODCALLTYPE WizardLocaleUtil::get_NativeCountryName(BSTR* pVal) { return answer(LOCALE_SNATIVECTRYNAME, pVal); }
HRESULT STDMETHODCALLTYPE WizardLocaleUtil::get_CountryName(BSTR* pVal) { return answer(LOCALE_SCOUNTRY, pVal); }
HRESULT STDMETHODCALLTYPE WizardLocaleUtil::get_LongDateFormatOrder(BSTR* pVal) { return orderAnswer(LOCALE_ILDATE, pVal); }
HRESULT STDMETHODCALLTYPE WizardLocaleUtil::get_DateFormatOrder(BSTR* pVal) { return orderAnswer(LOCALE_IDATE, pVal); }

} // namespace Glossmere
