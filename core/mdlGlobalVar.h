#pragma once
// The program's message boxes, TGlobalVar and the small global helpers every window uses
// (waits, cursors, key filters, combo selection by name/value lists, edit read-only styling,
// string replacement and splitting). The developer debug log: mdlDebugLog.h.
#include "mdlDebugLog.h"
#include "mdlSystemLang.h"

#include <QString>
#include <QStringList>
#include <cstdint>

class QWidget;
class QComboBox;
class QLineEdit;
class QLocale;

// ---- TGlobalVar -----------------------------------------------------------------------------
class TGlobalVar {
public:
    TGlobalVar();
    ~TGlobalVar();
    TGlobalVar(const TGlobalVar&) = delete;
    TGlobalVar& operator=(const TGlobalVar&) = delete;

    bool DebugFlag = false;        // the first marker file exists
    QString LogBaseDir;            // marker folder + "Base_Mobile_" + stamp + "/", else "x/x\x"
    QString BuildStamp = "20191114_181001";
    QString RootDir;               // developer root
    QString MarkerDir;             // developer root + "xx46027193850461/"
    QString LineBreak = "\r\n";
    QString ProgramDir;
    QString PathSep = "/";

    // Same line format as WriteDebugLog, into LogBaseDir + "Log/DebugLog/logfile<date>.log",
    // under the shared log lock, only when DebugFlag is set and the log lock is open
    // (CreateLogLock .. DeleteLogLock). Write errors are swallowed.
    void WriteLog(const QString& text);
    QString LogFileName() const;
    static void SetInt(int& var, int value);
    static void SetBusyCursor(QWidget* control);
    static void SetDefaultCursor(QWidget* control);
    // The lock WriteLog takes: the process-wide log lock (DebugLogLock), because in the
    // Mobile tool both writers append to the same file.
};

TGlobalVar* GetGlobalVar();
void FreeGlobalVar();

bool IsValidIPv4(const QString& text);
void SetBool(bool& flag, bool value);
// Shows the text in the modal message form (TfrmFormMsgBox); tests intercept it through
// prt::MessageBoxPrt (flags 64, caption "_MSG_Title_Message" slot).
// When a message-box handler is installed (tests), the text goes to prt::MessageBoxPrt
// instead of the form.
void ShowMsgBox(const QString& text);

// ---- message boxes ---------------------------------------------------------------------------
void ShowInfoBox(const QString& text);     // caption "_MSG_Title_Message", flags 64
bool AskOkCancel(const QString& text);     // caption "_MSG_Title_Warn", flags 0x40121; True for OK
void ShowDebugNameMessage(const QString& name, int kind);
QString InputBoxText(const QString& caption, const QString& prompt, const QString& def);
QString DebugInputBox(const QString& caption, const QString& prompt, const QString& def);
void ShowTestReadme();

// Test seam: replaces the input box (tests never show a real one). Empty restores it.
using InputBoxHook = QString (*)(const QString& caption, const QString& prompt, const QString& def);
InputBoxHook SetInputBoxHook(InputBoxHook hook);

// ---- small operations -------------------------------------------------------------------------
uint32_t TickSpan(uint32_t start, uint32_t now);
void SleepMs(uint32_t ms);
void WaitMs(int ms);
void SetBusyCursor(QWidget* control);
void SetDefaultCursor(QWidget* control);
bool IsAlnumKey(QChar key);
bool IsDigitKey(QChar key);
bool UpCaseKey(QChar& key);
bool IsSameText(const QString& a, const QString& b);
QString StrPasToString(const char16_t* buffer);
// Copies text into a buffer of `size` characters, cut to fit, always zero-terminated.
void StringToStrBuf(const QString& text, char16_t* buffer, int size);
void CopyString(QString& dest, const QString& value);
void InitString(QString& dest, const QString& value);
void InitAnsiString(QByteArray& dest, const QByteArray& value);
void InitInteger(int& dest, int value);
void InitBoolean(bool& dest, bool value);
QString BoolToText(bool b);
QString GetLocalAppDataDir();
// flags: bit 0 replace all, bit 1 ignore case (like the toolkit's replace flags).
enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
QString ReplaceTextEx(const QString& text, const QString& oldText, const QString& newText, int flags);
QString ReplaceFirst(const QString& text, const QString& oldText, const QString& newText);
void SplitBySeparator(const QString& text, const QString& separator, QStringList& list);
void FillComboFromValues(QComboBox* combo, const QStringList* list);
bool SelectComboItem(QComboBox* combo, const QString& text);
// found := 1 when a line matches, else 0. A null list finds nothing.
void FindValueByName(const QString& name, const QStringList* list, int& found, QString& value);
void FindNameByValue(const QString& value, const QStringList* list, int& found, QString& name);
void SelectComboItemByCode(QComboBox* combo, const QString& value);
void SelectComboItemByText(QComboBox* combo, const QString& value);
void SelectComboItemExact(QComboBox* combo, const QString& value);
void SetEditReadOnly(QLineEdit* edit);
void SetEditWritable(QLineEdit* edit);
QString GetProtocolDesc(int number);
double AddIntToFloat(int i, double d);
