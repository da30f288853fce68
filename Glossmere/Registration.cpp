#include "Registration.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wwrite-strings"
#include "Glossmere.h"
#pragma GCC diagnostic pop

#include <oleauto.h>

namespace Glossmere {

HRESULT unregisterTypeLibrary()
{
    // Nothing registered is no failure.
    BSTR path = nullptr;
    if (FAILED(QueryPathOfRegTypeLib(LIBID_Glossmere, 1, 0, 0x409, &path))) return S_OK;
    SysFreeString(path);
    const SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    return UnRegisterTypeLib(LIBID_Glossmere, 1, 0, 0x409, kind);
}

} // namespace Glossmere
