// The notice of a failed text lookup. It never blocks the caller: it goes
// to the debugger output as "Wizard: " and the description, and where the
// process has an interactive desktop a message box titled "Wizard" also
// shows it, on a thread of its own, one box at a time (a notice that comes
// while a box is open gets no box).
#ifndef GLOSSMERE_FAILURENOTICE_H
#define GLOSSMERE_FAILURENOTICE_H

#include <string>

namespace Glossmere {

void showFailureNotice(const std::wstring& description);

} // namespace Glossmere

#endif
