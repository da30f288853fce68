#include "DualDispatch.h"

#include "ComHolders.h"

namespace ComLayer {

void completeExceptionInfo(HRESULT callResult, EXCEPINFO* info)
{
    if (info == nullptr || callResult != DISP_E_EXCEPTION) return;
    if (info->bstrDescription != nullptr) return;
    ComPtr<IErrorInfo> error;
    if (GetErrorInfo(0, error.put()) != S_OK || !error) return;
    if (info->bstrDescription == nullptr) error->GetDescription(&info->bstrDescription);
    if (info->bstrSource == nullptr) error->GetSource(&info->bstrSource);
    if (info->bstrHelpFile == nullptr) error->GetHelpFile(&info->bstrHelpFile);
    DWORD context = 0;
    if (SUCCEEDED(error->GetHelpContext(&context))) info->dwHelpContext = context;
}

} // namespace ComLayer
