// Access to the type library embedded in the module's own file (resource
// TYPELIB 1): registration, and the type information of the dual interfaces
// that IDispatch is implemented over.
#ifndef QD_COMLAYER_TYPELIBRARY_H
#define QD_COMLAYER_TYPELIBRARY_H

#include <windows.h>
#include <oleauto.h>

namespace ComLayer {

// Registers the module's type library under the module's path.
HRESULT registerModuleTypeLibrary();

// The type information of a dual interface: in its vtable form (the one
// ITypeInfo::Invoke calls through), or with dispatchForm as the library
// describes it (what IDispatch::GetTypeInfo hands out). Loaded once and
// cached for the module's life; the pointer is borrowed (no reference is
// added). Null on failure, with the failing HRESULT in *status when status
// is given.
ITypeInfo* interfaceTypeInfo(REFIID iid, HRESULT* status = nullptr, bool dispatchForm = false);

} // namespace ComLayer

#endif
