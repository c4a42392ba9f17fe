#include "mdlGlobalVar.h"

#include "FormMsgBox.h"
#include "PrtMsgBox.h"
#include "PrtPaths.h"
#include "PrtTexts.h"
#include "PrtTick.h"
#include "mdlLangText.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QLocale>
#include <QPalette>
#include <QWidget>

#include <arpa/inet.h>
#include <mutex>

namespace {
TGlobalVar* gGlobalVar = nullptr;
std::mutex gGlobalVarLock;
InputBoxHook gInputBoxHook = nullptr;

} // namespace

// ---- TGlobalVar -------------------------------------------------------------------------------

TGlobalVar::TGlobalVar()
{
    PathSep = QStringLiteral("/");
    RootDir = prt::DevRootDir();
    MarkerDir = RootDir + "xx46027193850461/";
    DebugFlag = QFileInfo::exists(MarkerDir + "dfile46027193850461.txt");
    BuildStamp = QStringLiteral("20191114_181001");
    LineBreak = QStringLiteral("\r\n");
    ProgramDir = GetExeDir();
    LogBaseDir = DebugFlag ? MarkerDir + "Base_Mobile_" + BuildStamp + "/" : QStringLiteral("x/x\\x");
    WriteLog(QString());
    WriteLog(QStringLiteral("运行时间:") + QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm:ss-zzz"));
}

TGlobalVar::~TGlobalVar() = default;

QString TGlobalVar::LogFileName() const
{
    return DebugLogDayFileName(LogBaseDir + "Log/DebugLog/");
}

void TGlobalVar::WriteLog(const QString& text)
{
    if (!DebugFlag)
        return;
    QDir().mkpath(LogBaseDir + "Log/DebugLog");
    std::lock_guard<std::mutex> guard(DebugLogLock());
    if (!gLogLockCreated)
        return;  // the shared log lock is gone (shutdown): nothing is written
    AppendDebugLogLine(LogFileName(), FormatDebugLogLine(text));
}

void TGlobalVar::SetInt(int& var, int value)
{
    var = value;
}

void TGlobalVar::SetBusyCursor(QWidget* control)
{
    ::SetBusyCursor(control);
}

void TGlobalVar::SetDefaultCursor(QWidget* control)
{
    ::SetDefaultCursor(control);
}

TGlobalVar* GetGlobalVar()
{
    // Worker threads log through the singleton too: creation is serialised.
    std::lock_guard<std::mutex> guard(gGlobalVarLock);
    if (!gGlobalVar)
        gGlobalVar = new TGlobalVar();
    return gGlobalVar;
}

void FreeGlobalVar()
{
    std::lock_guard<std::mutex> guard(gGlobalVarLock);
    delete gGlobalVar;
    gGlobalVar = nullptr;
}

bool IsValidIPv4(const QString& text)
{
    if (text.count('.') != 3)
        return false;
    const QByteArray bytes = text.toLatin1();
    return inet_addr(bytes.constData()) != INADDR_NONE;
}

void SetBool(bool& flag, bool value)
{
    flag = value;
}

void ShowMsgBox(const QString& text)
{
    const prt::MsgBoxHandler handler = prt::SetMessageBoxHandler({});
    prt::SetMessageBoxHandler(handler);
    TfrmFormMsgBox form;
    form.mmoInfo->setPlainText(text);
    if (handler) {
        prt::MessageBoxPrt(text, form.windowTitle(), prt::MB_ICONINFORMATION_);
        return;
    }
    form.exec();
}

// ---- message boxes ------------------------------------------------------------------------------

void ShowInfoBox(const QString& text)
{
    prt::MessageBoxPrt(text, prt::LangText("_MSG_Title_Message"), prt::MB_ICONINFORMATION_);
}

bool AskOkCancel(const QString& text)
{
    const unsigned flags = prt::MB_OKCANCEL_ | prt::MB_ICONQUESTION_ | prt::MB_DEFBUTTON2_ | prt::MB_TOPMOST_;
    return prt::MessageBoxPrt(text, prt::LangText("_MSG_Title_Warn"), flags) == prt::IDOK_;
}

void ShowDebugNameMessage(const QString& name, int kind)
{
    if (!IsDebugMode())
        return;
    if (kind == 1)
        ShowInfoBox(ReplaceFirst(LangStr("Lang_Pos_00010030_11"), "{0}", name));
    else if (kind == 2)
        ShowInfoBox("Other Prt...(" + name + ")");
}

InputBoxHook SetInputBoxHook(InputBoxHook hook)
{
    InputBoxHook old = gInputBoxHook;
    gInputBoxHook = hook;
    return old;
}

QString InputBoxText(const QString& caption, const QString& prompt, const QString& def)
{
    if (gInputBoxHook)
        return gInputBoxHook(caption, prompt, def);
    bool ok = false;
    const QString text = QInputDialog::getText(nullptr, caption, prompt, QLineEdit::Normal, def, &ok);
    return ok ? text : def;
}

QString DebugInputBox(const QString& caption, const QString& prompt, const QString& def)
{
    if (!IsDebugMode())
        return def;
    return InputBoxText(caption, prompt, def);
}

void ShowTestReadme()
{
    if (!IsDebugMode())
        return;
    const QString model = GetModelName_ZR905K();
    ShowInfoBox("Test:\r\nIntKey:" + model + "\r\n" + model + QStringLiteral("支持两种指令集:ZPL 和 CPCL."));
}

// ---- small operations ---------------------------------------------------------------------------

uint32_t TickSpan(uint32_t start, uint32_t now)
{
    if (start > now)
        return 4294967295u - start + now;
    return now - start;
}

void SleepMs(uint32_t ms)
{
    prt::SleepMs(ms);
}

void WaitMs(int ms)
{
    if (ms < 0)
        return;
    const uint32_t start = prt::GetTickCountMs();
    for (;;) {
        QCoreApplication::processEvents();
        if (TickSpan(start, prt::GetTickCountMs()) > uint32_t(ms))
            return;
        prt::SleepMs(1);
    }
}

void SetBusyCursor(QWidget* control)
{
    if (control)
        control->setCursor(Qt::WaitCursor);
}

void SetDefaultCursor(QWidget* control)
{
    if (control)
        control->setCursor(Qt::ArrowCursor);
}

bool IsAlnumKey(QChar key)
{
    const char16_t c = key.unicode();
    return c == 8 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigitKey(QChar key)
{
    const char16_t c = key.unicode();
    return c == 8 || (c >= '0' && c <= '9');
}

bool UpCaseKey(QChar& key)
{
    const char16_t c = key.unicode();
    if (c >= 'a' && c <= 'z')
        key = QChar(char16_t(c - 'a' + 'A'));
    return true;
}

bool IsSameText(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString StrPasToString(const char16_t* buffer)
{
    if (!buffer)
        return QString();
    return QString::fromUtf16(buffer);
}

void StringToStrBuf(const QString& text, char16_t* buffer, int size)
{
    if (!buffer || size <= 0)
        return;
    const int n = std::min<int>(text.size(), size - 1);
    for (int i = 0; i < n; ++i)
        buffer[i] = text.at(i).unicode();
    buffer[n] = 0;
}

void CopyString(QString& dest, const QString& value) { dest = value; }
void InitString(QString& dest, const QString& value) { dest = value; }
void InitAnsiString(QByteArray& dest, const QByteArray& value) { dest = value; }
void InitInteger(int& dest, int value) { dest = value; }
void InitBoolean(bool& dest, bool value) { dest = value; }

QString BoolToText(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

QString GetLocalAppDataDir()
{
    return prt::DataHomeDir();
}

QString ReplaceTextEx(const QString& text, const QString& oldText, const QString& newText, int flags)
{
    if (oldText.isEmpty())
        return text;
    const Qt::CaseSensitivity cs = (flags & rfIgnoreCase) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (flags & rfReplaceAll) {
        QString s = text;
        return s.replace(oldText, newText, cs);
    }
    const qsizetype at = text.indexOf(oldText, 0, cs);
    if (at < 0)
        return text;
    return text.left(at) + newText + text.mid(at + oldText.size());
}

QString ReplaceFirst(const QString& text, const QString& oldText, const QString& newText)
{
    return ReplaceTextEx(text, oldText, newText, 0);
}

void SplitBySeparator(const QString& text, const QString& separator, QStringList& list)
{
    list.clear();
    if (separator.isEmpty()) {
        if (!text.isEmpty())
            list << text;
        return;
    }
    list = text.split(separator, Qt::SkipEmptyParts);
}

namespace {
QString NamePart(const QString& line)
{
    const qsizetype eq = line.indexOf('=');
    return eq < 0 ? line : line.left(eq);
}
QString ValuePart(const QString& line)
{
    const qsizetype eq = line.indexOf('=');
    return eq < 0 ? QString() : line.mid(eq + 1);
}
} // namespace

void FillComboFromValues(QComboBox* combo, const QStringList* list)
{
    if (!combo || !list)
        return;
    combo->clear();
    for (const QString& line : *list)
        combo->addItem(ValuePart(line));
    // The first entry added would become the selection; choosing one is the caller's task.
    combo->setCurrentIndex(-1);
}

bool SelectComboItem(QComboBox* combo, const QString& text)
{
    if (!combo)
        return false;
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) == text) {
            combo->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

void FindValueByName(const QString& name, const QStringList* list, int& found, QString& value)
{
    found = 0;
    value.clear();
    if (!list)
        return;
    for (const QString& line : *list) {
        if (line.contains('=') && NamePart(line) == name) {
            found = 1;
            value = ValuePart(line);
            return;
        }
    }
}

void FindNameByValue(const QString& value, const QStringList* list, int& found, QString& name)
{
    found = 0;
    name.clear();
    if (!list)
        return;
    for (const QString& line : *list) {
        if (line.contains('=') && ValuePart(line) == value) {
            found = 1;
            name = NamePart(line);
            return;
        }
    }
}

void SelectComboItemByCode(QComboBox* combo, const QString& value)
{
    if (!combo)
        return;
    for (int i = 0; i < combo->count(); ++i) {
        const QString item = combo->itemText(i);
        const qsizetype open = item.lastIndexOf('(');
        if (open < 0 || item.size() < 2)
            continue;
        // the text between "(" and the item's last character
        const QString code = item.mid(open + 1, item.size() - 1 - (open + 1)).toLower();
        if (code == value) {
            combo->setCurrentIndex(i);
            return;
        }
    }
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

void SelectComboItemByText(QComboBox* combo, const QString& value)
{
    if (!combo)
        return;
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).compare(value, Qt::CaseInsensitive) == 0) {
            combo->setCurrentIndex(i);
            return;
        }
    }
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

void SelectComboItemExact(QComboBox* combo, const QString& value)
{
    if (!combo)
        return;
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) == value) {
            combo->setCurrentIndex(i);
            return;
        }
    }
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

void SetEditReadOnly(QLineEdit* edit)
{
    if (!edit)
        return;
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, EditColorReadOnly());
    edit->setPalette(p);
    edit->setReadOnly(true);
}

void SetEditWritable(QLineEdit* edit)
{
    if (!edit)
        return;
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, EditColorWritable());
    edit->setPalette(p);
    edit->setReadOnly(false);
}

QString GetProtocolDesc(int number)
{
    switch (number) {
    case 0: return QStringLiteral("Desc:ESC");
    case 1: return QStringLiteral("Desc:TSPL");
    case 2: return QStringLiteral("Desc:STAR");
    case 3: return QStringLiteral("Desc:CPCL");
    case 4: return QStringLiteral("Desc:ZPL");
    case 5: return QStringLiteral("Desc:EPL");
    default: return "Desc:" + QString::number(number);
    }
}

double AddIntToFloat(int i, double d)
{
    return i + d;
}
