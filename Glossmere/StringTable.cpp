#include "StringTable.h"

namespace Glossmere {

bool loadTableText(HINSTANCE module, unsigned id, std::wstring& text)
{
    if (id > 0xFFFF) return false;
    // Texts are stored in blocks of 16: block id / 16 + 1 holds the texts
    // id & ~15 to id | 15, each as a 16-bit length followed by its UTF-16
    // units; a number without a text has length 0.
    HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(id / 16 + 1),
                                  MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    if (found == nullptr) return false;
    DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const WCHAR* block = loaded ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
    if (block == nullptr) return false;
    const WCHAR* end = block + size / sizeof(WCHAR);
    const WCHAR* entry = block;
    for (unsigned i = 0; i < (id & 15); ++i) {
        if (entry >= end) return false;
        entry += 1 + *entry;
    }
    if (entry >= end || *entry == 0 || entry + 1 + *entry > end) return false;
    text.assign(entry + 1, *entry);
    return true;
}

} // namespace Glossmere
