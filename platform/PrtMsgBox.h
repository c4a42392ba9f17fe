#pragma once
// The one road to a modal message box. Windows-style flags and results are kept
// (16 error icon, 64 information icon, 0x21 OK/Cancel with question icon, 0x100
// second button default, 0x40000 topmost; results 1 OK, 2 Cancel) so callers read
// like the rest of the program. Tests install a handler and never block.
#include <QString>
#include <functional>

namespace prt {

enum MsgBoxFlag : unsigned {
    MB_OK_ = 0x0,
    MB_OKCANCEL_ = 0x1,
    MB_ICONERROR_ = 0x10,
    MB_ICONQUESTION_ = 0x20,
    MB_ICONINFORMATION_ = 0x40,
    MB_DEFBUTTON2_ = 0x100,
    MB_TOPMOST_ = 0x40000,
};
enum MsgBoxResult : int { IDOK_ = 1, IDCANCEL_ = 2 };

struct MsgBoxCall {
    QString text;
    QString caption;
    unsigned flags = 0;
};

using MsgBoxHandler = std::function<int(const MsgBoxCall&)>;

// Shows a box (or hands it to the installed handler) and returns IDOK_/IDCANCEL_.
int MessageBoxPrt(const QString& text, const QString& caption, unsigned flags);

// Installs a handler that receives every box instead of the screen; returns the old one.
// An empty handler restores the real boxes.
MsgBoxHandler SetMessageBoxHandler(MsgBoxHandler handler);

// The toolkit's own words (the OK and Cancel of message boxes, dialog buttons) follow the
// UI language: loads the toolkit's translation for the Windows language id (2052, 1028,
// 1041, 1042, 1049, 1046, 1034) and drops it for English or any language without one.
// True when a translation is in use afterwards.
bool ApplyToolkitLanguage(int lcid);

} // namespace prt
