// WizardLocaleUtil: the current user's locale settings (language and
// country names, separators, date formats and the order of day, month and
// year) from the platform's locale database.
#ifndef GLOSSMERE_WIZARDLOCALEUTIL_H
#define GLOSSMERE_WIZARDLOCALEUTIL_H

#include "GlossmereClass.h"

#include <cstdint>
#include <string>

namespace Glossmere {

class WizardLocaleUtil : public GlossmereClass<WizardLocaleUtil, _WizardLocaleUtil> {
public:
    WizardLocaleUtil();

    HRESULT STDMETHODCALLTYPE get_NativeLanguage(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Language(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_Thousands(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_sDecimal(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE GetLCID(LONG* pVal) override;
    HRESULT STDMETHODCALLTYPE LocaleInfo(eLocaleInfo nLocaleInfo, BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_ShortDateFormat(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_LongDateFormat(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_NativeCountryName(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_CountryName(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_LongDateFormatOrder(BSTR* pVal) override;
    HRESULT STDMETHODCALLTYPE get_DateFormatOrder(BSTR* pVal) override;

    // The setting as text: empty when the platform has no such setting;
    // blanks around it are removed unless it is blank throughout.
    std::wstring localeText(long type) const;

private:
    HRESULT answer(long type, BSTR* pVal) const;
    HRESULT orderAnswer(long type, BSTR* pVal) const;

    // The user's default language identifier.
    std::uint16_t locale_ = 0;
};

} // namespace Glossmere

#endif
