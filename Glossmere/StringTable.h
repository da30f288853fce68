// The wizard's texts, stored as the module's string resources (language
// neutral) under their numbers.
#ifndef GLOSSMERE_STRINGTABLE_H
#define GLOSSMERE_STRINGTABLE_H

#include <windows.h>

#include <string>

namespace Glossmere {

// Reads text number id of the module's string table into text; false when
// the table has no text under that number (every stored text is non-empty).
bool loadTableText(HINSTANCE module, unsigned id, std::wstring& text);

} // namespace Glossmere

#endif
