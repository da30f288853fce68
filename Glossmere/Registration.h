// Unregistration of Glossmere's type library: with the class keys (written
// and removed by the project's registrar) it makes unregistration remove
// exactly what registration writes.
#ifndef GLOSSMERE_REGISTRATION_H
#define GLOSSMERE_REGISTRATION_H

#include <windows.h>

namespace Glossmere {

// Removes the registration of the module's type library.
HRESULT unregisterTypeLibrary();

} // namespace Glossmere

#endif
