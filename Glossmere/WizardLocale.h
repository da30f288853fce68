// WizardLocale: the wizard's text with a given number in a given language
// set. The dialog texts (numbers 1 to 737) are kept in a per-object cache
// that remembers the language base it was filled with.
#ifndef GLOSSMERE_WIZARDLOCALE_H
#define GLOSSMERE_WIZARDLOCALE_H

#include "GlossmereClass.h"

#include <cstdint>
#include <string>

namespace Glossmere {

class WizardLocale : public GlossmereClass<WizardLocale, _WizardLocale> {
public:
    static const std::int16_t cacheUpperBound = 737;

    HRESULT STDMETHODCALLTYPE GetLocalizedString(short aIDLanguage, short aIDResource, BSTR* pVal) override;

private:
    // A failed lookup: its description for the failure notice.
    struct LookupError {
        std::wstring description;
    };

    std::wstring lookup(std::int16_t base, std::int16_t number);
    void fillCache(std::int16_t base);
    static std::wstring loadText(std::int16_t base, std::int16_t number);

    std::wstring cache_[cacheUpperBound + 1];
    std::int16_t cacheFilled_ = 0;
    std::int16_t cacheBase_ = 0;
};

} // namespace Glossmere

#endif
