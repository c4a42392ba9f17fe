#include "mdlPrinterTypeList.h"
#include <QDir>
#include <QFile>

#include "PrtTexts.h"
#include "mdlLanguage.h"
#include "mdlLinkSeams.h"
#include "mdlModelCatalog.h"
#include "mdlOemClass.h"
#include "mdlPrtDll.h"

#include <QHash>
#include <utility>

QString gToolId;
QString gPrinterTypeListFileName;
QString gPrinterMapFileName;
QString gPrinterMapFilePath;
QString gProtocolTypeFileName;
QString gCompanyPrinterListFileName;

namespace {

QHash<QString, QString>& ParamSetStore()
{
    static QHash<QString, QString> store;
    return store;
}

QHash<QString, QString>& ProtocolStore()
{
    static QHash<QString, QString> store;
    return store;
}

QHash<QString, QString>& MessageStore()
{
    static QHash<QString, QString> store;
    return store;
}

const QString kParameterSet = QStringLiteral("ParameterSet");

} // namespace

void SetLabelConfigFileNames()
{
    gToolId = QStringLiteral("UTILITY_LABEL");
    gPrinterTypeListFileName = QStringLiteral("PrinterTypeList_Label.ini");
    gPrinterMapFileName = QStringLiteral("PrinterMap.ini");
    gPrinterMapFilePath = GetFilesDir() + gPrinterMapFileName;
    gProtocolTypeFileName = QStringLiteral("ProtocolType.ini");
    gCompanyPrinterListFileName = QStringLiteral("CompanyPrinterList_Label.txt");
}

QStringList ShippedFileNames()
{
    return {QLatin1String(LABEL_LANG_FILE), QStringLiteral("PrinterTypeList_Label.ini"),
            QStringLiteral("ProtocolType.ini"), QStringLiteral("CompanyPrinterList_Label.txt"),
            QStringLiteral("PrinterMap.ini")};
}

QStringList MissingShippedFiles(const QString& dir, const QStringList& names)
{
    QStringList missing;
    for (const QString& name : names) {
        QFile f(dir + name);
        if (!f.open(QIODevice::ReadOnly) || f.size() == 0)
            missing << name;
    }
    return missing;
}

QString MissingShippedFilesText(const QString& dir, const QStringList& missing)
{
    QString text = QStringLiteral("These program files are missing or cannot be read:\n");
    for (const QString& name : missing)
        text += QStringLiteral("    ") + name + QLatin1Char('\n');
    text += QStringLiteral("Folder searched: ") + QDir::toNativeSeparators(dir) + QLatin1Char('\n');
    text += QStringLiteral("The program starts without them: captions and messages may be empty "
                           "and functions may be missing. Reinstall the program to restore them.");
    return text;
}

const QStringList& ParameterSetKeys()
{
    static const QStringList keys = {
        "Fenlo_Serial", "HaveTwoProtocol", "BQM_ParameterSetting", "BQM260_ParameterSetting",
        "QZ_ParameterSetting", "ZR_ParameterSetting", "QX_ParameterSetting",
        "MNT512B_ParameterSetting", "MNT512B_NoNetParameterSetting", "MNT512B_SF_ParameterSetting",
        "W16_ParameterSetting", "BTN7_ParameterSetting", "F58S_ParameterSetting",
        "V64_ParameterSetting", "V52_ParameterSetting", "J83_ParameterSetting",
        "Trev_ParameterSetting", "Z12_ParameterSetting", "U9_ParameterSetting",
        "IPS3", "IPS4", "IPS5", "IPS6", "IPS7", "IPS8",
        "OnlyChinese", "ProtocolDisable", "NIsbtnStartLearn", "IsbtnFrontLearn", "NotHaveBT",
        "HaveScanTest", "VersionLength4", "ModelPrintOtherCMD", "GDS", "IsGeneralDL", "IsbtnDLF",
        "IsbtnDLFile", "IsbtnDLFont", "FTN_AdvancedSettings_0", "IsbtnModel", "UseVectorFont",
        "IsbtnGDL", "IsTealOff90", "IsbtnLabelSensorPrintImage", "DFUWithoutCMD", "x1",
        "DLFile_ZR", "UpdateRestart", "NIsbtnPrinterInformation", "btnPrintText_DoType1",
    };
    return keys;
}

void LoadParameterSetKeys()
{
    auto& store = ParamSetStore();
    for (const QString& key : ParameterSetKeys())
        store.insert(key, ReadIniString(gPrinterTypeListFileName, kParameterSet, key));
    // The protocol probe of the printer link reads two of these lists by name.
    SetProbeModelListProvider([](const QString& name) { return ParameterSetValue(name); });
}

QString ParameterSetValue(const QString& key)
{
    return ParamSetStore().value(key);
}

QString ReadParameterSetNow(const QString& key)
{
    return ReadIniString(gPrinterTypeListFileName, kParameterSet, key);
}

const QStringList& FtnParameterKeys()
{
    static const QStringList keys = {
        "FTN_PrintableWidth_NotVisible", "FTN_PrintText_Type1", "FTN_PrintTextLanguage_NotVisible",
        "FTN_PaperWidth_1", "FTN_DfuBin_Visible", "FTN_Dfu_Head_BinType1", "FTN_Dfu_UpdateMethod1",
        "FTN_GetProduceDate_Type1", "FTN_GetFirmwareVer_Type1", "FTN_btnPrintText_Form1",
        "FTN_PrintText_GetPaperMode",
    };
    return keys;
}

void LoadFtnParameterKeys()
{
    // Same order as FtnParameterKeys().
    QString* const targets[] = {
        &FTN_PrintableWidth_NotVisible, &FTN_PrintText_Type1, &FTN_PrintTextLanguage_NotVisible,
        &FTN_PaperWidth_1, &FTN_DfuBin_Visible, &FTN_Dfu_Head_BinType1, &FTN_Dfu_UpdateMethod1,
        &FTN_GetProduceDate_Type1, &FTN_GetFirmwareVer_Type1, &FTN_btnPrintText_Form1,
        &FTN_PrintText_GetPaperMode,
    };
    const QStringList& keys = FtnParameterKeys();
    for (int i = 0; i < keys.size(); ++i)
        *targets[i] = ReadIniString(gPrinterTypeListFileName, kParameterSet, keys[i]);
}

QString ApplyProtocolListMode(int mode, const QString& fileValue, const QString& profileList)
{
    if (mode == 2)
        return profileList;
    if (mode == 3)
        return fileValue + QLatin1Char(',') + profileList;
    return fileValue;
}

void LoadProtocolModelListsOf(const TOemClass* oem)
{
    struct Entry {
        const char* key;
        int mode;
        QString list;
    };
    const Entry entries[] = {
        {"TSPL", oem ? oem->TsplListMode : 1, oem ? oem->TsplList : QString()},
        {"CPCL", oem ? oem->CpclListMode : 1, oem ? oem->CpclList : QString()},
        {"ESC", oem ? oem->EscListMode : 1, oem ? oem->EscList : QString()},
        {"ZPL", oem ? oem->ZplListMode : 1, oem ? oem->ZplList : QString()},
    };
    auto& store = ProtocolStore();
    for (const Entry& e : entries) {
        const QString key = QLatin1String(e.key);
        const QString v = ReadIniString(gProtocolTypeFileName, QStringLiteral("Protocol"), key);
        store.insert(key, ApplyProtocolListMode(e.mode, v, e.list));
    }
}

QString ProtocolModelList(const QString& language)
{
    return ProtocolStore().value(language);
}

const QStringList& MessageTextKeys()
{
    static const QStringList keys = {
        "_MSG_Title_Message", "_MSG_Title_Error", "_MSG_Title_Warn", "_Read", "_Set", "_Print",
        "_Close", "_ConnectOK", "_AlignLeft", "_Center", "_AlignRight", "_DownloadSuccess",
        "_ParaSet", "_ParaSet_OK", "_ParaSet_Fail", "_Support", "_UnSupport", "_Enable",
        "_Disable", "_On", "_Off", "_PaperType_Auto", "_PaperType_Receipt", "_PaperType_Label",
        "_PaperType_BlackMark", "_PaperType_BlackMark_B", "_PaperType_BlackMark_F",
        "_PaperType_BlackMark_LB", "_PaperType_BlackMark_LF", "_PaperType_BlackMark_RB",
        "_PaperType_BlackMark_RF", "_PaperType_BlackMark_Mid", "_PrintType1", "_PrintType2",
        "_Density1", "_Density2", "_Density3", "_Density4", "_DensityA", "_DensityB",
        "_DensityC", "_DensityD", "_BTSet", "_BTName", "_BTPWD", "_Other", "_LanguageSet",
        "FormParaSet_ZR_Locate_None", "FormParaSet_ZR_Locate_Feed",
        "FormParaSet_ZR_Locate_Calibation", "_Err_CreatePrinter", "_Err_OpenPort",
        "_Err_WriteData", "_Err_ReadData", "_Err_FileNotExist", "_Err_Receive",
        "_Err_ImageToBitmap", "_Err_ImportNull", "_Err_CheckSum", "_Err_ParaSet",
        "_Err_ProtocolFunction", "_Err_FileToBig", "_Err_BTPWD_Len", "_E_IC", "_E_ITW",
    };
    return keys;
}

void LoadMessageTexts()
{
    auto& store = MessageStore();
    for (const QString& key : MessageTextKeys()) {
        QString text;
        LangDllReadIni(gLangFileName, gLangId, key, text);
        store.insert(key, text);
        // Windows and lower layers read the same text through the platform store.
        prt::SetLangText(key, text);
    }
}

QString MessageText(const QString& key)
{
    return MessageStore().value(key);
}

void ClearPrinterTypeListState()
{
    ParamSetStore().clear();
    ProtocolStore().clear();
    MessageStore().clear();
    gToolId.clear();
    gPrinterTypeListFileName.clear();
    gPrinterMapFileName.clear();
    gPrinterMapFilePath.clear();
    gProtocolTypeFileName.clear();
    gCompanyPrinterListFileName.clear();
}
