// Table-driven self-registration of a class under HKEY_CLASSES_ROOT: the
// versioned and version-independent ProgIDs and the CLSID key. Every class
// has the same script with its own name and ProgID; flags select the extra
// keys of the apartment classes, the extension classes and the control.
#ifndef QD_COMLAYER_REGISTRAR_H
#define QD_COMLAYER_REGISTRAR_H

#include <windows.h>

#include <string>

namespace ComLayer {

enum RegistrationFlags : unsigned {
    registerApartment = 1u,     // InprocServer32 names ThreadingModel=Apartment
    registerExtension = 2u,     // no threading model; TypeLib under the CLSID key
    registerControl = 4u,       // the keys of an insertable control
    registerBothProgIds = 8u,   // the version-independent ProgID has a CLSID
                                // key too (for clients that ignore CurVer)
    registerTypeLibrary = 16u,  // TypeLib under the CLSID key
};

struct ClassRegistrationInfo {
    const wchar_t* name; // the class name, as in "SeriesX"
    const CLSID* clsid;
    const GUID* typeLibraryId;
    unsigned flags;
    // The version-independent ProgID; null: the name twice ("SeriesX.SeriesX").
    // The versioned one adds ".1".
    const wchar_t* progId = nullptr;
};

// Writes (doRegister true) or removes (false) the keys of one class.
HRESULT registerClass(const ClassRegistrationInfo& info, bool doRegister);

// Text of a GUID in braces, as the registry keeps it.
std::wstring guidText(REFGUID guid);

} // namespace ComLayer

#endif
