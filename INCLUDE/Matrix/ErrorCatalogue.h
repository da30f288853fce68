// The error catalogue: turns an engine error code (the code of an
// MVRBaseException) into its English text, the text that error reports show
// after "Error Desc: ".
//
// Families: 1, 3, 4, 999 system; 1000-1013 automation layer; 2000-2002
// objects of the data model; 3000-3164 arguments and computations.
#ifndef QD_MATRIX_ERRORCATALOGUE_H
#define QD_MATRIX_ERRORCATALOGUE_H

#include <cstdint>

#include "Foundation/FdCString.h"

namespace qd {

// The text of an error code. Every code without a text of its own (0,
// negative codes, gaps such as 3010, 3076 and 3147, anything beyond 3164)
// reads "No description specified.". Never fails.
FdCString errorDescription(std::int32_t code);

} // namespace qd

#endif
