#pragma once
// What the download windows share: the file dialog (replaceable by tests), the work
// bitmap path, message boxes with the download windows' captions, the SDK-kind guard and
// the module state of the stored-file management.
#include "mdlDLImage.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace prt::dl {

// The open-file dialog of the download windows: (parent, filter "desc|patterns") -> the
// chosen file, empty when cancelled. Tests put a function in its place (null restores
// the real dialog).
using TDLOpenFileDialog = std::function<QString(QWidget* parent, const QString& filter)>;
void SetDLOpenFileDialog(TDLOpenFileDialog dialog);
QString DLGetOpenFileName(QWidget* parent, const QString& filter);

// Where the picture converted for a download is written: <user data>/KesaUtility/DLWork.bmp.
QString DLWorkBmpPath();

// The OEM key of the active branding profile.
QString DLOemCo();

// Message boxes: text of a language key (or a text as it stands) with the caption text
// of "_MSG_Title_Error" / "_MSG_Title_Message" / "_MSG_Title_Warn".
// The language text of a key.
QString DLText(const char* key);
// A new control of the window with its objectName.
template <typename T>
T* DLMake(QWidget* parent, const char* name)
{
    auto* w = new T(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

// A file the operator chose. Why it cannot be read; empty when it can be opened for
// reading. Nothing at the path (or no path): missingText. Something there that cannot be
// read (a folder, a file without read rights): the text of "Lang_All_00010011_11" with
// the path for "{0}".
QString DLChosenFileRefusal(const QString& path, const QString& missingText);
// The message after a read of the chosen file failed: missingText when nothing is at the
// path, else the cannot-be-read text of DLChosenFileRefusal.
QString DLFileReadFailure(const QString& path, const QString& missingText);
// Reads the whole chosen file. False after an error box (DLFileReadFailure with the text
// of "_Err_FileNotExist") when it cannot.
bool DLReadChosenFile(const QString& path, QByteArray& data);

void DLErrorText(const QString& text);      // icon 16
void DLError(const char* key);              // icon 16
void DLInfo(const char* key);               // icon 64
void DLWarn(const char* key, unsigned icon);

// Every download window runs its port work on the global TSPL object: while it is open
// the SDK kind is 1, so the text commands and the raw TSPL reads and writes share one
// connection. The guard sets it and gives the old kind back.
class TDLSdkKindGuard {
public:
    TDLSdkKindGuard();
    ~TDLSdkKindGuard();
    void Restore();
    TDLSdkKindGuard(const TDLSdkKindGuard&) = delete;
    TDLSdkKindGuard& operator=(const TDLSdkKindGuard&) = delete;

private:
    int old_ = -1;
    bool active_ = false;
};

// do "key" "argument" "value" (CmdDoTwoArgsValue's command and result) on the port the
// window's handler has already opened (portOpen); opening it again would drop that
// connection unused and make a new one. With the port closed: CmdDoTwoArgsValue itself.
bool DLDoTwoArgsOnOpenPort(bool portOpen, const QByteArray& key, const QByteArray& argument, const QString& value);

// State the file windows keep between their operations (GUI thread only).
struct TDLStoredState {
    QString printerLanguage;      // reply of getval "ppl"
    TDplControl dpl;              // DPL control bytes (standard until a printer says otherwise)
    int directPortFlag = 0;       // -1 once the window opened the TSPL port for raw writes
    QString autoTemplateReply;    // the last auto-template listing reply
    QString autoTemplateNames;    // the names shown in the auto-template list
    QStringList zplImageNames;    // the names of the last ZPL image listing
    int imageListFlag = 0;        // -1 when the last image listing got a reply
    qint64 remainingSpace = 0;    // the printer's free space as last read
};
TDLStoredState& DLStored();

} // namespace prt::dl
