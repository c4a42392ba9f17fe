// USB identity check of the attached printer against the model families.
#include "mdlUsbVidPidCheck.h"

#include "PrtIni.h"
#include "PrtPaths.h"
#include "PrtTexts.h"
#include "PrtUsbEnum.h"
#include "PubBytes.h"
#include "mdlModelCatalog.h"
#include "mdlModelData.h"
#include "mdlModuleState.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString gMatchedVpid;
UsbIdentitySource gSource;

// A printer name as one folder level: no separators, no "..", nothing empty.
QString SafeFolderName(const QString& name)
{
    QString s = name;
    for (QChar& c : s) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') ||
            c.unicode() < 32)
            c = QLatin1Char('_');
    }
    s.replace(QLatin1String(".."), QLatin1String("__"));
    if (s.trimmed().isEmpty() || s == QLatin1String("."))
        s = QStringLiteral("_");
    return s;
}

bool IsWritableDir(const QString& dir)
{
    QDir().mkpath(dir);
    const QFileInfo fi(dir);
    return fi.isDir() && fi.isWritable();
}

} // namespace

bool UsbIdentityAppliesToPort(const QString& portString)
{
    return portString.trimmed().compare(QLatin1String("USB"), Qt::CaseInsensitive) == 0;
}

QString GetMatchedUsbVpid() { return gMatchedVpid; }
void SetMatchedUsbVpid(const QString& text) { gMatchedVpid = text; }
void ClearMatchedUsbVpid() { gMatchedVpid.clear(); }

void SetUsbIdentitySource(UsbIdentitySource source) { gSource = std::move(source); }

QStringList GetAttachedUsbIdentities()
{
    if (gSource)
        return gSource();
    return prt::EnumUsbDeviceIds();
}

QString GetUsbVidPidCheckDir()
{
    QString dir = gIdentityCheckDir;
    if (dir.isEmpty())
        dir = prt::ExeDir() + QStringLiteral("PgmOrCdr/");
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    if (IsWritableDir(dir))
        return dir;
    // An installed copy cannot write beside the program: keep the records with the user data.
    return prt::DataHomeDir() + QStringLiteral("KesaUtility/PgmOrCdr/");
}

QString GetUserDataSubDir(const QString& printerName)
{
    const QString dir = GetUsbVidPidCheckDir() + SafeFolderName(printerName) + QLatin1Char('/');
    QDir().mkpath(dir);
    return dir;
}

bool CreateEmptyFile(const QString& path)
{
    if (QFileInfo::exists(path))
        return true;
    QFile f(path);
    return f.open(QIODevice::WriteOnly);
}

QString GetUsbVidPidCheckIniPath(const QString& printerName)
{
    const QString path = GetUserDataSubDir(printerName) + QLatin1String(USBCHK_FileName);
    CreateEmptyFile(path);
    return path;
}

void IniWriteString(const QString& file, const QString& section, const QString& key,
                    const QString& value)
{
    prt::IniWriteString(file, section, key, value);
}

void ResolvePrinterModel(const QString& name, QString& model, bool& matched, QString& message,
                         bool& ok)
{
    matched = false;
    ok = true;
    message.clear();
    model.clear();
    if (!IsInCommaList(name, UsbCheckGateModels))
        return;

    const QString file = GetUsbVidPidCheckIniPath(name);
    const QString section = QLatin1String(USBCHK_Section);
    const bool inGroup = IsInCommaList(name, UsbCheckGroupModels);
    auto inFamily = [&](int family) {
        const QString* list = UsbCheckFamilyList(family);
        return list && IsInCommaList(name, *list);
    };

    // The record is read once and written once, whole (a temporary file renamed over it).
    prt::IniFile record;
    record.load(file);
    bool any = false;
    const QStringList devices = GetAttachedUsbIdentities();
    for (const QString& device : devices) {
        // Steps in order; a step applies when the name is in its list(s).
        struct Step {
            int Family;
            bool NeedsGroup;
            bool SetsModel;        // matched flag and family model
            bool ResultWithName;   // result text carries " ,PrtName:" + model
            int ModelFamily;       // family whose model is reported
        };
        static const Step kSteps[] = {
            {1, false, true, true, 1},  {2, false, true, true, 2},   {3, false, false, false, 3},
            {4, false, true, false, 4}, {5, true, true, false, 5},   {6, true, true, false, 6},
            {7, true, true, false, 6},
        };
        for (const Step& s : kSteps) {
            if (!inFamily(s.Family) || (s.NeedsGroup && !inGroup))
                continue;
            const QString id = UsbCheckFamilyIdText(s.Family);
            if (id.isEmpty() || !device.contains(id))
                continue;
            const QString familyModel = UsbCheckFamilyModel(s.ModelFamily);
            if (s.SetsModel) {
                matched = true;
                model = familyModel;
            }
            SetMatchedUsbVpid(id);
            const QString resultText =
                s.ResultWithName ? id + QStringLiteral(" ,PrtName:") + familyModel : id;
            record.setValue(section, QLatin1String(USBCHK_KeyStr), resultText);
            record.setValue(section, QLatin1String(USBCHK_KeyNo), QStringLiteral("1"));
            any = true;
            break;
        }
        if (any)
            break;
    }
    if (!any) {
        ok = false;
        message = prt::LangText(QLatin1String(LANGKEY_UsbIdMismatch));
        record.setValue(section, QLatin1String(USBCHK_KeyStr),
                       QLatin1String(USBCHK_NoMatchText));
        record.setValue(section, QLatin1String(USBCHK_KeyNo), QStringLiteral("0"));
    }

    record.setValue(section, QLatin1String(USBCHK_KeyPrtName), name);
    for (int family = 1; family <= 6; ++family) {
        if (!inFamily(family))
            continue;
        const char* key = (family % 2 == 1) ? USBCHK_KeyVpid1 : USBCHK_KeyVpid2;
        record.setValue(section, QLatin1String(key),
                       UsbCheckFamilyIdText(family) + QStringLiteral(" ,PrtName:") +
                           UsbCheckFamilyModel(family));
    }
    record.setValue(section, QLatin1String(USBCHK_KeyTime),
                   QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss-zzz")));
    record.save(file);
}
