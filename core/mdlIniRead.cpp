#include "mdlIniRead.h"

#include "PrtIni.h"
#include "PrtPaths.h"
#include "mdlModelCatalog.h"
#include "mdlPrtDll.h"

QString gFilesDir;
QString gCurToolType;
QString gCurOemCo;

namespace {

const QStringList kVariantSections = {"2052", "1033", "1028", "1041", "1049", "1034"};
const QStringList kPluginSections = {"1042", "7", "1040", "1036"};

} // namespace

QString GetFilesDir()
{
    if (!gFilesDir.isEmpty())
        return gFilesDir;
    return prt::ExeDir() + "files/";
}

bool IsLanguageFileName(const QString& fileName)
{
    return fileName == QLatin1String(LABEL_LANG_FILE) || fileName == QLatin1String(MOBILE_LANG_FILE);
}

void ReadIniString(const QString& fileName, const QString& section, const QString& key, QString& value)
{
    const QString path = GetFilesDir() + fileName;
    QString keyRead = key;
    if (IsLanguageFileName(fileName) && gCurToolType == QLatin1String("Label") &&
        gCurOemCo == QLatin1String("Label_RUVALO") && kVariantSections.contains(section)) {
        QString variant;
        BuildLanguageKeyVariant(section, key, variant);
        if (IniHasSectionKey(path, section, variant))
            keyRead = variant;
    }
    const QString raw = prt::IniReadString(path, section, keyRead, QString());
    FilterIniValue(fileName, section, keyRead, raw, value);
}

QString ReadIniString(const QString& fileName, const QString& section, const QString& key)
{
    QString value;
    ReadIniString(fileName, section, key, value);
    return value;
}

void BuildLanguageKeyVariant(const QString& section, const QString& key, QString& variant)
{
    static const QList<QPair<QString, QString>> prefixes = {
        {"2052", QStringLiteral("(简体中文)____________(未知)________________{LWR999} - ")},
        {"1033", QStringLiteral("(英语)________________(未知)________________{LWR999} - ")},
        {"1028", QStringLiteral("(繁体中文)____________(未知)________________{LWR999} - ")},
        {"1041", QStringLiteral("(日语)________________(未知)________________{LWR999} - ")},
        {"1049", QStringLiteral("(俄语)________________(未知)________________{LWR999} - ")},
        {"1034", QStringLiteral("(西班牙语)____________(未知)________________{LWR999} - ")},
    };
    for (const auto& [sec, prefix] : prefixes) {
        if (sec == section) {
            variant = prefix + key;
            return;
        }
    }
    variant = key;
}

bool IniHasSectionKey(const QString& path, const QString& section, const QString& key)
{
    // Exact, case-sensitive comparison against the key names of the section.
    return prt::IniReadKeys(path, section).contains(key, Qt::CaseSensitive);
}

void FilterIniValue(const QString& fileName, const QString& section, const QString& key,
                    const QString& value, QString& out)
{
    const bool mobileList = fileName == QLatin1String("PrinterTypeList_Mobile.ini");
    const bool labelList = fileName == QLatin1String("PrinterTypeList_Label.ini");
    if ((mobileList || labelList) && section == QLatin1String("ParameterSet")) {
        if (mobileList)
            AppendMobileFeatureModels(key, value, out);
        else
            AppendLabelFeatureModels(key, value, out);
        return;
    }
    if (IsLanguageFileName(fileName) && kPluginSections.contains(section)) {
        FilterLanguageValue(fileName, section, key, value, out);
        return;
    }
    if (IsLanguageFileName(fileName) && section == QLatin1String("LanguageCollect") &&
        key == QLatin1String("List") && gCurToolType == QLatin1String("Label") &&
        gCurOemCo == QLatin1String("Label_RUVALO")) {
        out = value + ",1042";
        return;
    }
    out = value;
}

void FilterLanguageValue(const QString& fileName, const QString& section, const QString& key,
                         const QString& value, QString& out)
{
    if (key == QLatin1String("_FontCharset")) {
        out = value;
        if (section == QLatin1String("1042") || out.isEmpty())
            out = QStringLiteral("1");
        return;
    }
    // Only the plug-in's own reader: falling back to ReadIniString here would come back to
    // this filter for ever.
    out = value;
    LangDllTryReadIni(fileName, section, key, out);
}

void AppendLabelFeatureModels(const QString& key, const QString& value, QString& out)
{
    bool found = false;
    const QString list = BuiltinLabelFeatureModels(key, found);
    out = found ? value + list : value;
}

void AppendMobileFeatureModels(const QString& key, const QString& value, QString& out)
{
    bool found = false;
    const QString list = BuiltinMobileFeatureModels(key, found);
    out = found ? value + list : value;
}

// The plug-in reader first, ReadIniString when it has no answer.
void LangDllReadIni(const QString& file, const QString& section, const QString& key, QString& text)
{
    text.clear();
    if (!LangDllTryReadIni(file, section, key, text))
        ReadIniString(file, section, key, text);
}
