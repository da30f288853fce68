// The entry point of both servers' modules, in place of the runtime's
// DllMainCRTStartup: the loader calls it in the host's thread, with the
// host's floating-point state, to run the module's static initialisers and
// DllMain on load and their counterparts on unload. They all run in the
// known environment (FloatingPointGuard.h); the host's is restored after.
// The link option naming it is set by qd_use_module_entry (CMakeLists.txt).
#include "FloatingPointGuard.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMainCRTStartup(HANDLE instance, DWORD reason, LPVOID reserved);

extern "C" BOOL WINAPI QdModuleEntry(HANDLE instance, DWORD reason, LPVOID reserved)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return DllMainCRTStartup(instance, reason, reserved);
}
