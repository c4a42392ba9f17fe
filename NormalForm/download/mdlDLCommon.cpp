#include "mdlDLCommon.h"

#include "PrinterCMD.h"

#include "PrtMsgBox.h"
#include "PrtPaths.h"
#include "PrtTexts.h"
#include "mdlKesaVar.h"
#include "mdlGlobalVar.h"
#include "mdlPrinterLib.h"
#include "mdlPubFunc.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace prt::dl {

namespace {

TDLOpenFileDialog& DialogHook()
{
    static TDLOpenFileDialog hook;
    return hook;
}


} // namespace

QString DLText(const char* key)
{
    return prt::LangText(QLatin1String(key));
}

void SetDLOpenFileDialog(TDLOpenFileDialog dialog)
{
    DialogHook() = std::move(dialog);
}

QString DLGetOpenFileName(QWidget* parent, const QString& filter)
{
    if (DialogHook())
        return DialogHook()(parent, filter);
    // "desc|patterns" -> "desc (patterns)" with blanks between the patterns
    const QString desc = filter.section(QLatin1Char('|'), 0, 0);
    QString patterns = filter.section(QLatin1Char('|'), 1, 1);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return QFileDialog::getOpenFileName(parent, QString(), QString(), desc + QStringLiteral(" (") + patterns + ")");
}

QString DLWorkBmpPath()
{
    const QString dir = prt::DataHomeDir() + QStringLiteral("KesaUtility/");
    QDir().mkpath(dir);
    return dir + QStringLiteral("DLWork.bmp");
}

QString DLOemCo()
{
    return GetKesaVar()->OemCo;
}

QString DLFileReadFailure(const QString& path, const QString& missingText)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return missingText;
    return ReplaceFirst(DLText("Lang_All_00010011_11"), "{0}", QDir::toNativeSeparators(path));
}

QString DLChosenFileRefusal(const QString& path, const QString& missingText)
{
    QFile file(path);
    if (!path.isEmpty() && QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly))
        return QString();
    return DLFileReadFailure(path, missingText);
}

bool DLReadChosenFile(const QString& path, QByteArray& data)
{
    data.clear();
    if (!path.isEmpty() && QFileInfo(path).isFile() && ReadFileToBytes(path, data))
        return true;
    DLErrorText(DLFileReadFailure(path, DLText("_Err_FileNotExist")));
    return false;
}

void DLErrorText(const QString& text)
{
    prt::MessageBoxPrt(text, DLText("_MSG_Title_Error"), prt::MB_ICONERROR_);
}

void DLError(const char* key)
{
    DLErrorText(DLText(key));
}

void DLInfo(const char* key)
{
    prt::MessageBoxPrt(DLText(key), DLText("_MSG_Title_Message"), prt::MB_ICONINFORMATION_);
}

void DLWarn(const char* key, unsigned icon)
{
    prt::MessageBoxPrt(DLText(key), DLText("_MSG_Title_Warn"), icon);
}

TDLSdkKindGuard::TDLSdkKindGuard() : old_(GetPrinterSdkKind()), active_(true)
{
    SetPrinterSdkKind(1);
}

TDLSdkKindGuard::~TDLSdkKindGuard()
{
    Restore();
}

void TDLSdkKindGuard::Restore()
{
    if (!active_)
        return;
    active_ = false;
    SetPrinterSdkKind(old_);
}

bool DLDoTwoArgsOnOpenPort(bool portOpen, const QByteArray& key, const QByteArray& argument, const QString& value)
{
    const QByteArray cmd = BuildDoTwoArgsValueCommand(key, argument, value);
    if (!portOpen || cmd.isEmpty())
        return CmdDoTwoArgsValue(key, argument, value);  // its own open, or its refusal
    const int code = PrtWriteData(cmd);
    SetCmdLastResult(code);
    return code != 0;
}

TDLStoredState& DLStored()
{
    static TDLStoredState state;
    return state;
}

} // namespace prt::dl
