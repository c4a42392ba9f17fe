#include "mdlLanguage.h"

#include "PrtMsgBox.h"

#include "PrtCodePage.h"
#include "PrtIni.h"
#include "PrtTexts.h"
#include "mdlDebugLog.h"
#include "mdlIniRead.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlOptionFile.h"
#include "mdlPrtDll.h"
#include "mdlSystemLang.h"

#include <QLocale>

QString gOptionFileName;
QString gProgramDir;
QString gIconsDir;
QString gCompanyType;
std::unique_ptr<QStringList> gCompanyList;
QString gCbtImagePath;
QString gLangId;
QString gLangName;
QString gLangFileName;

namespace {

TConstLangV* gConstLangV = nullptr;

const QStringList kVariantSections = {"2052", "1033", "1028", "1041", "1049", "1034"};

// Comma-wrapped membership: "1034" is not found inside "11034".
bool IdInList(const QString& id, const QString& list)
{
    return !id.isEmpty() && ("," + list + ",").contains("," + id + ",");
}

using Slot = QString TConstLangV::*;
struct WordSlot {
    const char* key;
    Slot slot;
};

// Read order: the four message titles and "_Err_ReadData", then the words, then the
// message-form texts and the enable words.
const WordSlot kFirstSlots[] = {
    {"_Err_OpenPort", &TConstLangV::Err_OpenPort},
    {"_MSG_Title_Error", &TConstLangV::MSG_Title_Error},
    {"_MSG_Title_Message", &TConstLangV::MSG_Title_Message},
    {"_MSG_Title_Warn", &TConstLangV::MSG_Title_Warn},
    {"_Err_ReadData", &TConstLangV::Err_ReadData},
};
const WordSlot kWordSlots[] = {
    {"Lang_Word_BreakDown", &TConstLangV::Word_BreakDown},
    {"Lang_Word_Colon", &TConstLangV::Word_Colon},
    {"Lang_Word_Exclamation", &TConstLangV::Word_Exclamation},
    {"Lang_Word_Exclamation", &TConstLangV::Word_Exclamation2},
    {"Lang_Word_Space", &TConstLangV::Word_Space},
    {"Lang_Word_Success", &TConstLangV::Word_Success},
    {"Lang_Word_fail", &TConstLangV::Word_fail},
    {"Lang_Word_Open", &TConstLangV::Word_Open},
    {"Lang_Word_Close", &TConstLangV::Word_Close},
    {"Lang_Word_Set", &TConstLangV::Word_Set},
    {"Lang_Word_Read", &TConstLangV::Word_Read},
    {"Lang_Word_AdvancedSettings", &TConstLangV::Word_AdvancedSettings},
    {"Lang_Word_AdvancedS1", &TConstLangV::Word_AdvancedS1},
    {"Lang_Word_SetBTFunction", &TConstLangV::Word_SetBTFunction},
    {"Lang_Word_BtState", &TConstLangV::Word_BtState},
    {"_OK", &TConstLangV::OK},
    {"_Cancel", &TConstLangV::Cancel},
    {"_Enable", &TConstLangV::Enable},
    {"_Disable", &TConstLangV::Disable},
    {"Lang_PwdNeeded", &TConstLangV::PwdNeeded},
    {"Lang_NeededY", &TConstLangV::NeededY},
    {"Lang_NeededN", &TConstLangV::NeededN},
    {"Lang_PSelect", &TConstLangV::PSelect},
    {"Lang_PInput", &TConstLangV::PInput},
    {"Lang_Word_InvalidIP", &TConstLangV::Word_InvalidIP},
    {"Lang_Word_Pwd", &TConstLangV::Word_Pwd},
    {"Lang_Word_RestoreFactorySet", &TConstLangV::Word_RestoreFactorySet},
    {"Lang_Word_ProtocolType", &TConstLangV::Word_ProtocolType},
    {"Lang_Word_ProtocolT_CPCL", &TConstLangV::Word_ProtocolT_CPCL},
    {"Lang_Word_ProtocolT_ESC", &TConstLangV::Word_ProtocolT_ESC},
    {"Lang_Word_Minutes", &TConstLangV::Word_Minutes},
    {"Lang_Word_Jtzw", &TConstLangV::Word_Jtzw},
    {"Lang_WifiState", &TConstLangV::WifiState},
    {"Lang_WifiMode", &TConstLangV::WifiMode},
    {"Lang_WifiName", &TConstLangV::WifiName},
    {"Lang_WifiDHCP", &TConstLangV::WifiDHCP},
    {"Lang_Word_BtName", &TConstLangV::Word_BtName},
    {"Lang_Word_SimplePairing", &TConstLangV::Word_SimplePairing},
    {"Lang_Word_AppletFun", &TConstLangV::Word_AppletFun},
    {"Lang_Word_MacAddr", &TConstLangV::Word_MacAddr},
    {"Lang_BtPwdNums", &TConstLangV::BtPwdNums},
    {"Lang_ShowPwd", &TConstLangV::ShowPwd},
    {"Lang_RestoreFNEsc", &TConstLangV::RestoreFNEsc},
    {"FormPrinterManage_ConnectFailed", &TConstLangV::ConnectFailed},
    {"FormPrinterManage_ConnectFailed", &TConstLangV::ConnectFailed2},
    {"_Err_OpenPort", &TConstLangV::Err_OpenPort2},
    {"_Err_OpenPort", &TConstLangV::Err_OpenPort3},
    {"_PaperType_Receipt", &TConstLangV::PaperType_Receipt},
    {"_PaperType_BlackMark", &TConstLangV::PaperType_BlackMark},
    {"_PaperType_Label", &TConstLangV::PaperType_Label},
    {"FormParaSet_Mobile_PaperType_4", &TConstLangV::PaperType_Item4},
    {"FormParaSet_Mobile_PaperType_6", &TConstLangV::PaperType_Item6},
    {"FormParaSet_Mobile_PaperType_7", &TConstLangV::PaperType_Item7},
    {"Lang_Word_cannotFindUSBPrinter", &TConstLangV::Word_cannotFindUSBPrinter},
    {"Lang_Word_cannotConnectTCPIPPort", &TConstLangV::Word_cannotConnectTCPIPPort},
    {"Lang_Word_cannotFindLPTPort", &TConstLangV::Word_cannotFindLPTPort},
};
const WordSlot kLastSlots[] = {
    {"_MSG_Title_Message", &TConstLangV::MSG_Title_Message},
    {"_OK", &TConstLangV::OK},
    {"_Cancel", &TConstLangV::Cancel},
    {"_Enable", &TConstLangV::Enable},
    {"_Disable", &TConstLangV::Disable},
};

QString LangFileNameOfToolType(const QString& toolType)
{
    return toolType == QLatin1String("Label") ? QString(LABEL_LANG_FILE) : QString(MOBILE_LANG_FILE);
}

} // namespace

// ---- TConstLangV --------------------------------------------------------------------------

TConstLangV::TConstLangV()
{
    const prt::IniReadBurst burst;  // the language file is checked on disk once for all its words
    PathsDone = SwitchDone = LanguageResolved = FileNameDone = false;
    InitAppPaths();
    ParseLanguageSwitch(this);
    InitLangIniName();
    ResolveLanguageId(this);
    SysPm = QStringLiteral("SysPm");
    ToolLang = QStringLiteral("ToolLang");
    Created = true;
    LoadLangWords();
}

void TConstLangV::InitAppPaths()
{
    if (PathsDone)
        return;
    ProgramDir = GetExeDir();
    FilesDir = ProgramDir + "files/";
    PathsDone = true;
}

void TConstLangV::InitLangIniName()
{
    if (FileNameDone)
        return;
    LangIniName = LangFileNameOfToolType(GetToolType());
    FileNameDone = true;
}

void TConstLangV::LoadLangWords()
{
    ::LoadLangWords(this);
}

QStringList TConstLangV::WordKeys()
{
    QStringList keys;
    for (const auto& s : kFirstSlots)
        keys << s.key;
    for (const auto& s : kWordSlots)
        keys << s.key;
    keys.removeDuplicates();
    return keys;
}

TConstLangV* GetConstLangV()
{
    if (!gConstLangV)
        gConstLangV = new TConstLangV();
    return gConstLangV;
}

void FreeConstLangV()
{
    delete gConstLangV;
    gConstLangV = nullptr;
}

QString LanguageIdOfSwitch(const QString& arg)
{
    static const QList<QPair<QString, QString>> table = {
        {"-CN", "2052"}, {"-EN", "1033"}, {"-TW", "1028"}, {"-JP", "1041"},
        {"-RU", "1049"}, {"-PT", "1046"}, {"-ES", "1034"},
    };
    for (const auto& [sw, id] : table)
        if (arg == sw)
            return id;
    return QString();
}

void ParseLanguageSwitch(TConstLangV* obj)
{
    if (obj->SwitchDone)
        return;
    obj->SwitchDone = true;
    const QStringList args = GetProgramArgs();
    if (!args.isEmpty())
        obj->LanguageId = LanguageIdOfSwitch(args.first());
}

int FoldLanguageId(int id)
{
    if (id == 3076 || id == 5124)
        return 1028;
    if (id == 2070)
        return 1046;
    // The twenty Spanish ids: 1034 + k * 1024, k = 0..19.
    if (id >= 1034 && id <= 20490 && (id - 1034) % 1024 == 0)
        return 1034;
    return id;
}

QString LanguageDisplayName(int id)
{
    struct Row {
        int id;
        QLocale::Language lang;
        QLocale::Territory territory;
    };
    static const Row rows[] = {
        {2052, QLocale::Chinese, QLocale::China},     {1028, QLocale::Chinese, QLocale::Taiwan},
        {1033, QLocale::English, QLocale::UnitedStates}, {1041, QLocale::Japanese, QLocale::Japan},
        {1049, QLocale::Russian, QLocale::Russia},    {1046, QLocale::Portuguese, QLocale::Brazil},
        {1034, QLocale::Spanish, QLocale::Spain},     {1042, QLocale::Korean, QLocale::SouthKorea},
        {7, QLocale::German, QLocale::AnyTerritory},  {1040, QLocale::Italian, QLocale::Italy},
        {1036, QLocale::French, QLocale::France},
    };
    for (const Row& r : rows) {
        if (r.id != id)
            continue;
        QString name = QLocale::languageToString(r.lang);
        if (r.territory != QLocale::AnyTerritory)
            name += " (" + QLocale::territoryToString(r.territory) + ")";
        return name.left(256);
    }
    return QString();
}

void ResolveLanguageId(TConstLangV* obj)
{
    if (obj->LanguageResolved)
        return;
    obj->LanguageResolved = true;
    const int folded = FoldLanguageId(GetSystemLangId());
    if (obj->LanguageId.isEmpty())
        obj->LanguageId = QString::number(folded);
    obj->LanguageName = LanguageDisplayName(folded);
    QString list;
    ReadLangString(obj, obj->LangIniName, "LanguageCollect", list, "List");
    if (!IdInList(obj->LanguageId, list)) {
        ReadLangString(obj, obj->LangIniName, "LanguageCollect", obj->LanguageId, "DefaultLanguageID");
        ReadLangString(obj, obj->LangIniName, "LanguageCollect", obj->LanguageName,
                       "DefaultLanguageName");
        obj->LanguageName = obj->LanguageName.left(256);
    }
}

void ReadLangString(const TConstLangV* obj, const QString& fileName, const QString& section,
                    QString& text, const QString& key)
{
    text = prt::IniReadString(obj->FilesDir + fileName, section, key, QString());
}

void LoadLangWords(TConstLangV* obj)
{
    auto readAll = [obj](const auto& table) {
        for (const WordSlot& s : table)
            ReadLangString(obj, obj->LangIniName, obj->LanguageId, obj->*(s.slot), s.key);
    };
    readAll(kFirstSlots);
    readAll(kWordSlots);
    readAll(kLastSlots);
    obj->Word_Space.remove('1');
}

// ---- options and ini reading ----------------------------------------------------------------

void LoadStartupOptions()
{
    gOptionFileName = QStringLiteral("Option.ini");
    gProgramDir = GetExeDir();
    gFilesDir = gProgramDir + "files/";
    gIconsDir = gProgramDir + "icons/";
    ReadIniString(gOptionFileName, "Option", "CompanyType", gCompanyType);
    ReadIniString(gOptionFileName, "Option", "ToolType", gCurToolType);
    ReadIniString(gOptionFileName, "Option", "OemCo", gCurOemCo);
    if (gCurToolType.isEmpty())
        gCurToolType = QStringLiteral("Label");
    WriteDebugLog("ToolType:" + gCurToolType);
    WriteDebugLog("OemCo:" + gCurOemCo);
    gCompanyList = std::make_unique<QStringList>();
    ResolveUiLanguage();
    gCbtImagePath = gProgramDir + "CBT.bmp";
}

void ResolveUiLanguage()
{
    const int folded = FoldLanguageId(GetSystemLangId());
    if (gLangId.isEmpty())
        gLangId = QString::number(folded);
    gLangName = LanguageDisplayName(folded);
    const QString file = gLangFileName.isEmpty() ? LangFileNameOfToolType(gCurToolType) : gLangFileName;
    const QString list = ReadIniString(file, "LanguageCollect", "List");
    if (!IdInList(gLangId, list)) {
        gLangId = ReadIniString(file, "LanguageCollect", "DefaultLanguageID");
        gLangName = ReadIniString(file, "LanguageCollect", "DefaultLanguageName").left(256);
    }
    bool ok = false;
    const int id = gLangId.toInt(&ok);
    if (ok && id > 0) {
        prt::SetUiLanguageId(id);  // code page of byte texts follows the UI language
        prt::ApplyToolkitLanguage(id);
    }
}

void PublishLanguageTexts(const QString& fileName, const QString& section)
{
    const QString path = GetFilesDir() + fileName;
    QString prefix;
    BuildLanguageKeyVariant(section, QString(), prefix);
    // One pass over the section's entries. Each key's text is what ReadIniString gives for
    // it: for a plain name (no OEM variant rule) that is the entry's own value, the first
    // of its name, through the value filters; the rare rest reads the file. The store is
    // replaced as a whole when the pass is done.
    const bool variants = IsLanguageFileName(fileName) && gCurToolType == QLatin1String("Label") &&
                          gCurOemCo == QLatin1String("Label_RUVALO") && kVariantSections.contains(section);
    const auto entries = prt::IniReadEntries(path, section);
    QHash<QString, QString> texts;
    texts.reserve(entries.size());
    for (const auto& entry : entries) {
        const bool prefixed = !prefix.isEmpty() && entry.first.startsWith(prefix);
        // an OEM variant is published under its plain key
        const QString key = prefixed ? entry.first.mid(prefix.size()) : entry.first;
        if (variants || prefixed) {
            texts.insert(key, ReadIniString(fileName, section, key));
            continue;
        }
        QString value;
        FilterIniValue(fileName, section, key, entry.second, value);
        texts.insert(key, value);
    }
    prt::SetLangTexts(std::move(texts));
    bool ok = false;
    const int id = section.toInt(&ok);
    if (ok && id > 0) {
        prt::SetUiLanguageId(id);
        prt::ApplyToolkitLanguage(id);  // message-box buttons in the same language
    }
}

void ResetLanguageStateForTest()
{
    FreeConstLangV();
    gOptionFileName.clear();
    gProgramDir.clear();
    gFilesDir.clear();
    gIconsDir.clear();
    gCompanyType.clear();
    gCurToolType.clear();
    gCurOemCo.clear();
    gCompanyList.reset();
    gCbtImagePath.clear();
    gLangId.clear();
    gLangName.clear();
    gLangFileName.clear();
}
