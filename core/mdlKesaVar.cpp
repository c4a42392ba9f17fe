#include "mdlKesaVar.h"

#include "PrtIni.h"
#include "mdlASetFtnA.h"
#include "mdlDevNewPrt.h"
#include "mdlFtnA_Base.h"
#include "mdlGlobalVar.h"
#include "mdlIniRead.h"
#include "mdlLinkSeams.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlOemClass.h"
#include "mdlParamValues.h"
#include "mdlPrinterTypeList.h"
#include "mdlPubFunc.h"
#include "mdlRegStore.h"
#include "mdlValueData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

TKesaVar* gKesaVar = nullptr;
TConstVar* gConstVar = nullptr;

const QString kComma = QStringLiteral(",");

bool InList(const QString& name, const QString& list)
{
    return list.contains(kComma + name + kComma);
}

QString Wrap(const QStringList& names)
{
    return kComma + names.join(kComma) + kComma;
}

bool EnsureFile(const QString& path)
{
    if (QFileInfo::exists(path))
        return true;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly);
}

} // namespace

// ---- TFTNVar -------------------------------------------------------------------------------

TFTNVar::TFTNVar()
{
    Lists.fill(kComma);
}

void TFTNVar::InitNames()
{
    ModelNames = {GetModelName_V52(), GetModelName_V64(), GetModelName_W16(),
                  GetModelName_W16P(), GetModelName_L46(), GetModelName_L44()};
    ModelsCommaList = kComma + ModelNames[0] + kComma + ModelNames[1] + kComma +
                      ValueData::FtnFixedModelA() + kComma + ModelNames[2] + kComma +
                      ValueData::FtnFixedModelB() + kComma;
    Lists.fill(kComma);
    ExtraText.clear();
}

void TFTNVar::Load()
{
    LoadFrom(gPrinterTypeListFileName, gCurToolType, gCurOemCo);
}

void TFTNVar::LoadFrom(const QString& typeListFile, const QString& toolType, const QString& oemCo)
{
    InitNames();
    const QString section = QStringLiteral("ParameterSet");
    auto read = [&](const char* key) {
        return ReadIniString(typeListFile, section, QString::fromLatin1(key));
    };
    const bool dalp = oemCo == ValueData::DalpOemKey();
    if (toolType == QLatin1String("Mobile") && dalp)
        NIsbtnPrintText = ValueData::FtnDalpPrintTextModels();
    else
        NIsbtnPrintText = read("NIsbtnPrintText");
    IsbtnSetArabic = read("IsbtnSetArabic");
    IsbtnDownloadImages = read("IsbtnDownloadImages");
    L44_ParameterSetting = read("L44_ParameterSetting");
    L46_ParameterSetting = read("L46_ParameterSetting");
    if (!dalp)
        return;
    // The brand's configuration must carry these values; a mismatch is reported and the
    // value read is kept.
    const QString expected3 = Wrap({ModelNames[5], ValueData::FtnDalpFixedModel()});
    const QString expected4 = Wrap({GetModelName_L46()});
    const struct {
        const QString* value;
        const QString* expected;
        const char16_t* message;
    } checks[] = {
        {&IsbtnSetArabic, &expected3, u"配置信息不一致:设置阿拉伯字符变形(ERRNO:20191101_102601)"},
        {&IsbtnDownloadImages, &expected3, u"配置信息不一致:图片下载(ERRNO:20191101_102602)"},
        {&L44_ParameterSetting, &expected3, u"配置信息不一致:参数设置(ERRNO:20191101_103801)"},
        {&L46_ParameterSetting, &expected4, u"配置信息不一致:参数设置(ERRNO:20191101_104401)"},
    };
    for (const auto& c : checks)
        if (*c.value != *c.expected)
            ShowMsgBox(QString::fromUtf16(c.message));
}

// ---- TConstVar -----------------------------------------------------------------------------

TConstVar::TConstVar()
    : Values{1, 0, 0, 1, 2, 2, 1, 0, 1, 1, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 1, 2}
{
}

int32_t TConstVar::Value(int position) const
{
    if (position < 1 || position > Count)
        return 0;
    return Values[static_cast<size_t>(position - 1)];
}

void TConstVar::SetValue(int position, int32_t value)
{
    if (position >= 1 && position <= Count)
        Values[static_cast<size_t>(position - 1)] = value;
}

TConstVar* GetConstVar()
{
    if (!gConstVar) {
        gConstVar = new TConstVar();
        // The device classes copy their option codes through the link's seam.
        SetLinkConstVarProvider([](int ordinal) { return gConstVar ? gConstVar->Value(ordinal) : 0; });
    }
    return gConstVar;
}

void FreeConstVar()
{
    SetLinkConstVarProvider({});
    delete gConstVar;
    gConstVar = nullptr;
}

// ---- TKesaVar ------------------------------------------------------------------------------

TKesaVar::TKesaVar()
{
    SetOptionIniPath();
    IsOptionIni = true;
    ToolType = ReadOptionValue(QStringLiteral("Option"), QStringLiteral("ToolType"));
    OemCo = ReadOptionValue(QStringLiteral("Option"), QStringLiteral("OemCo"));
    DevNewPrt = std::make_unique<TDevNewPrt>();
    FtnVar = std::make_unique<TFTNVar>();
    IsFactory = gFactoryFlag;
    KeyFrameOpByte = gKeyFrameOpByte;
}

TKesaVar::~TKesaVar() = default;

TAppFontSettings& TKesaVar::FontSettings()
{
    return AppFontSettings();
}

void TKesaVar::SetOptionIniPath()
{
    if (IsOptionPathSet)
        return;
    OptionIniPath = GetExeDir() + QStringLiteral("files") + QStringLiteral("/") +
                    QStringLiteral("Option.ini");
    IsOptionPathSet = true;
}

QString TKesaVar::ReadOptionValue(const QString& section, const QString& key)
{
    if (IsOptionIni) {
        prt::IniFile ini;
        ini.load(OptionIniPath);
        return ini.readString(section, key, QString());
    }
    const QString regKey = QString::fromLatin1(KesaRegOptionKey);
    if (!TRegStore::KeyExists(regKey))
        TRegStore::CreateKey(regKey);
    return TRegStore::ReadString(regKey, key, QString());
}

void TKesaVar::CreateOemObject(const QString& toolType, const QString& oemKey)
{
    Oem = CreateOemClass(toolType, oemKey);
    Oem->ToolType = toolType;
    Oem->OemCo = oemKey;
    Oem->InitIdentity();

    SysPmSection = QStringLiteral("SysPm");
    ToolLangKey = QStringLiteral("ToolLang");
    IsSysPmIni = true;

    if (Oem->UserDataDir.trimmed().isEmpty()) {
        Oem->UserDataDir = GetLocalAppDataDir() + QStringLiteral("KesaUtility/");
        QDir().mkpath(Oem->UserDataDir);
    }
    SysPmIniPath = Oem->UserDataDir + QStringLiteral("PrtConfig_SysPm.ini");
    EnsureFile(SysPmIniPath);
    LoadSysPmSections();
}

void TKesaVar::WriteSysPmValue(const QString& section, const QString& key, const QString& value)
{
    if (IsSysPmIni) {
        EnsureFile(SysPmIniPath);
        prt::IniFile ini;
        ini.load(SysPmIniPath);
        if (ini.setValue(section, key, value))
            ini.save(SysPmIniPath);
        return;
    }
    TRegStore::WriteString(QString::fromLatin1(KesaRegSysPmKey) + QStringLiteral("\\") + section,
                           key, value);
}

QString TKesaVar::ReadSysPmValue(const QString& section, const QString& key)
{
    if (IsSysPmIni) {
        EnsureFile(SysPmIniPath);
        prt::IniFile ini;
        ini.load(SysPmIniPath);
        return ini.readString(section, key, QString());
    }
    const QString regKey = QString::fromLatin1(KesaRegSysPmKey) + QStringLiteral("\\") + section;
    if (!TRegStore::KeyExists(regKey))
        TRegStore::CreateKey(regKey);
    return TRegStore::ReadString(regKey, key, QString());
}

void TKesaVar::LoadSysPmSections()
{
    if (!QFileInfo::exists(SysPmIniPath))
        return;
    prt::IniFile ini;
    ini.load(SysPmIniPath);
    const bool missing = !ini.sections().contains(SysPmSection, Qt::CaseSensitive) ||
                         !ini.keys(SysPmSection).contains(ToolLangKey, Qt::CaseSensitive);
    ToolLangValue.clear();
    if (missing)
        WriteSysPmValue(SysPmSection, ToolLangKey, QString());
    ToolLangValue = ReadSysPmValue(SysPmSection, ToolLangKey);
}

bool TKesaVar::CheckFtnNoModel(const QString& featureKey, QString& modelList)
{
    modelList.clear();
    const QString model = (DevNewPrt && DevNewPrt->Device) ? DevNewPrt->Device->ModelName : QString();
    const TFTNVar* ftn = FtnVar.get();
    const QString comma = kComma;

    struct Row {
        const char* key;
        QString list;
    };
    const Row rows[] = {
        {"FTNNo_WifiSet_0", ValueData::FtnWifiSet0()},
        {"FTNNo_WifiSet_0_Type1", ValueData::FtnWifiSet0Type1()},
        {"FTNNo_WifiSet_0_Type2_L46", ValueData::FtnWifiSet0Type2L46()},
        {"FTNNo_WifiReset_0", ValueData::FtnWifiReset0()},
        {"FTNNo_AdvancedSettings_0", ValueData::FtnAdvancedSettings0()},
        {"FTNNo_Bluetooth_0_SetBTFun", ftn ? ftn->Lists[6] : comma},
        {"FTNNo_Bluetooth_0_SetBTFun2", ValueData::FtnBluetoothSetBTFun2()},
        {"FTNNo_ProtocolTypeGet_0", ValueData::FtnBluetoothSetBTFun2()},
        {"FTNNo_ReadPrtBasicInfo_0", ValueData::FtnReadPrtBasicInfo0()},
        {"FTNNo_WifiSet_0_RestoreFEsc", ftn ? ftn->Lists[4] : comma},
        {"FTNNo_btnPrintText_0", ftn ? ftn->NIsbtnPrintText : QString()},
    };
    for (const Row& row : rows) {
        if (featureKey == QLatin1String(row.key)) {
            modelList = row.list;
            return InList(model, modelList);
        }
    }
    return false;
}

void TKesaVar::FillPrinterModelList(QStringList* target)
{
    if (!target)
        return;
    const int mode = Oem ? Oem->ModelListMode : 0;
    QStringList names;
    if (mode != 1) {
        const QString file = GetExeDir() + QStringLiteral("files/") +
                             (gCompanyPrinterListFileName.isEmpty()
                                  ? QStringLiteral("CompanyPrinterList_Label.txt")
                                  : gCompanyPrinterListFileName);
        names = ReadTextFileToList(file);
    }
    if ((mode == 1 || mode == 2) && Oem)
        names += Oem->Models;
    target->clear();
    target->append(names);
    if (IsDebugMode()) {
        QString text = QStringLiteral("Test_PrtList____x:");
        for (const QString& name : names)
            text += kComma + name;
        ShowInfoBox(text);
    }
}

void TKesaVar::ResolveModelNameByFtnA(const QString& printerName, QString& modelName, bool& found)
{
    modelName.clear();
    found = false;
    modelName = GetExtraNamesByModel(printerName, found);
}

void TKesaVar::ResolvePrinterNameByFtnA(const QString& printerName, const QString& displayName,
                                        QString& modelName, QString& protocolText, bool& flag,
                                        bool& found)
{
    modelName.clear();
    protocolText.clear();
    flag = true;
    found = false;
    ResolveModelByUsbIdStep2(printerName, displayName, modelName, flag, found);
}

TKesaVar* GetKesaVar()
{
    if (!gKesaVar) {
        gKesaVar = new TKesaVar();
        // The printer link asks the core for the protocol number of a model.
        SetProtocolNoByModelProvider([](const QString& model) { return GetProtocolNoOfModel(model); });
    }
    return gKesaVar;
}

void LoadProtocolModelLists()
{
    LoadProtocolModelListsOf(GetKesaVar() ? GetKesaVar()->GetOem() : nullptr);
}

QString ResolvePrinterMapModel(const QString& name, const QString& defaultName)
{
    return ResolvePrinterMapModel(name, defaultName, GetKesaVar()->GetOem());
}

void FreeKesaVar()
{
    delete gKesaVar;
    gKesaVar = nullptr;
}
