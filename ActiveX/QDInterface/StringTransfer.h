// Conversion of a BSTR argument into the engine's 8-bit string.
#ifndef QD_QDINTERFACE_STRINGTRANSFER_H
#define QD_QDINTERFACE_STRINGTRANSFER_H

#include "Foundation/FdCString.h"

#include <windows.h>
#include <oleauto.h>

// Each 16-bit unit becomes one byte. A text holding a zero unit, a unit
// above 0xFF (it has no 8-bit form) or bytes that do not form as many
// characters as the BSTR has units is refused with code 1 from
// ActiveX\QDInterface\StringTransfer. A null BSTR gives an empty string.
qd::FdCString StringTransfer(BSTR text);

#endif
