#include "StringTransfer.h"

#include "Matrix/MVRBaseException.h"

#include <vector>

using namespace qd;

namespace {
const char* const QD_SOURCE_PATH = "ActiveX\\QDInterface\\StringTransfer";
}

FdCString StringTransfer(BSTR text)
{
    if (text == nullptr) return FdCString();
    std::uint32_t n = SysStringLen(text);
    std::vector<char> buffer(n + 1u);
    for (std::uint32_t i = 0; i < n; ++i) {
        // Keeping only the low byte would turn the character into another
        // one and corrupt the text: such a text is refused.
        if (text[i] > 0xFF) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::NewFailed);
        buffer[i] = static_cast<char>(text[i] & 0xFF);
    }
    buffer[n] = '\0';
    FdCString result(static_cast<const char*>(buffer.data()));
    if (result.length() != n || result.mbLength() != n) qdThrow(QD_SOURCE_PATH, __LINE__, ErrorCode::NewFailed);
    return result;
}
