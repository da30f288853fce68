#include "WizardLocale.h"

#include "FailureNotice.h"
#include "StringTable.h"

#include "ComLayer/ComModule.h"

#include <new>

namespace Glossmere {

namespace {

const wchar_t* const errorText = L"Localized string error!!!!!";

} // namespace

std::wstring WizardLocale::loadText(std::int16_t base, std::int16_t number)
{
    std::int32_t id = static_cast<std::int32_t>(base) + number;
    if (id < INT16_MIN || id > INT16_MAX) throw LookupError{L"Overflow"};
    std::wstring text;
    if (id < 1 || !loadTableText(ComLayer::ComModule::instance().moduleHandle(), static_cast<unsigned>(id), text))
        throw LookupError{L"Resource with identifier '" + std::to_wstring(id) + L"' not found"};
    return text;
}

void WizardLocale::fillCache(std::int16_t base)
{
    // A failure leaves the entries loaded so far and an unfilled cache, so
    // the next request fills it again from the first entry.
    cacheFilled_ = 0;
    for (std::int16_t i = 1; i <= cacheUpperBound; ++i) cache_[i] = loadText(base, i);
    cacheBase_ = base;
    cacheFilled_ = cacheUpperBound;
}

std::wstring WizardLocale::lookup(std::int16_t base, std::int16_t number)
{
    if (number > cacheUpperBound) return loadText(base, number);
    // The cache holds one language set; a request for another refills it.
    if (cacheFilled_ == 0 || cacheBase_ != base) fillCache(base);
    if (number < 0) throw LookupError{L"Subscript out of range"};
    return cache_[number];
}

HRESULT STDMETHODCALLTYPE WizardLocale::GetLocalizedString(short aIDLanguage, short aIDResource, BSTR* pVal)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (pVal == nullptr) return E_POINTER;
    *pVal = nullptr;
    std::wstring text;
    try {
        try {
            text = lookup(aIDLanguage, aIDResource);
        } catch (const LookupError& error) {
            showFailureNotice(error.description);
            text = errorText;
        }
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
    *pVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *pVal != nullptr ? S_OK : E_OUTOFMEMORY;
}

} // namespace Glossmere
