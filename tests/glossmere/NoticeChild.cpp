// Run by the notice test under a debugger: three failing lookups, then a
// wait until the module has no outstanding work (an open notice counts).
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wwrite-strings"
#include "Glossmere.h"
#pragma GCC diagnostic pop

#include <cstdio>
#include <cwchar>

int main()
{
    if (FAILED(CoInitialize(nullptr))) return 2;
    int failures = 0;
    {
        _WizardLocale* locale = nullptr;
        if (FAILED(CoCreateInstance(CLSID_WizardLocale, nullptr, CLSCTX_INPROC_SERVER, IID__WizardLocale,
                                    reinterpret_cast<void**>(&locale))))
            return 3;
        const short calls[][2] = {{1000, 1499}, {30000, 3000}, {1000, -1}};
        for (const auto& call : calls) {
            BSTR text = nullptr;
            HRESULT hr = locale->GetLocalizedString(call[0], call[1], &text);
            if (hr != S_OK || text == nullptr || std::wcscmp(text, L"Localized string error!!!!!") != 0) ++failures;
            SysFreeString(text);
        }
        locale->Release();
    }
    typedef HRESULT(STDAPICALLTYPE * EntryPoint)();
    HMODULE module = GetModuleHandleW(L"Glossmere.dll");
    EntryPoint canUnloadNow =
        module ? reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")))
               : nullptr;
    if (canUnloadNow == nullptr) return 4;
    for (int i = 0; i < 200 && canUnloadNow() != S_OK; ++i) Sleep(50);
    if (canUnloadNow() != S_OK) ++failures;
    CoUninitialize();
    std::printf("child: %d failures\n", failures);
    return failures == 0 ? 0 : 1;
}
