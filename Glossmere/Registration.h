// Self-registration of Glossmere's classes under HKEY_CLASSES_ROOT: the
// ProgIDs "Glossmere.<class>" and "Glossmere.<class>.1", each with its own
// CLSID key (clients that ignore CurVer can use either), and the class key
// with an apartment in-process server. Unregistration removes exactly what
// registration writes, the type library's keys included.
#ifndef GLOSSMERE_REGISTRATION_H
#define GLOSSMERE_REGISTRATION_H

#include <windows.h>

namespace Glossmere {

struct ClassKeys {
    const wchar_t* name; // the class name, as in "WizardLocale"
    const CLSID* clsid;
};

// Writes (doRegister true) or removes the keys of one class.
HRESULT registerClassKeys(const ClassKeys& keys, bool doRegister);

// Removes the registration of the module's type library.
HRESULT unregisterTypeLibrary();

} // namespace Glossmere

#endif
