// The reviewed data of the model catalogue: every list member and brand row lives here
// (the model names and USB ids in mdlModelNames); the modules that act on them read them
// through the getters.
#include "mdlModelData.h"

#include "mdlModelLists.h"

#include <QStringList>
#include <cstring>

namespace {

// ",a,b,c," from the pieces (a piece may itself hold several names or commas).
QString L(std::initializer_list<QString> pieces)
{
    QString s = QStringLiteral(",");
    for (const QString& p : pieces) {
        s += p;
        s += QLatin1Char(',');
    }
    return s;
}

} // namespace

// Names carrying a model-entry identifier (only offered with the "Real" marker).
static QString ModelTA380_01Hex() { return QStringLiteral("TA380(01)(6A4E07474F34E6079F6B0C9CA90B9535)"); }
static QString ModelGS_PR540D_Machine() { return QStringLiteral("GS-PR540D__MachineCode2_3458EE2009FD3024221482AB9F888EF5"); }
static QString ModelGS_PR540X_HexFirst() { return QStringLiteral("8F1A2483A7E95E0B04B0131983F9CC2D_GS_PR540X"); }

QStringList W16AliasNames()
{
    return {QStringLiteral("W16S"), QStringLiteral("W16-U"), GetModelName_HB25_Var()};
}

// ---- capability lists -----------------------------------------------------------------------
void AssignModelListData()
{
    const QString V52 = GetModelName_V52(), V52R = GetModelName_V52R(), V52BT = GetModelName_V52BT();
    const QString V64 = GetModelName_V64(), V64C = GetModelName_V64C();
    const QString Y7 = GetModelName_Y7(), Y7BT = GetModelName_Y7BT(), Y7_01 = GetModelName_Y7_01();
    const QString W16 = GetModelName_W16(), W16P = GetModelName_W16P(), W16PC = GetModelName_W16P_C();
    const QString TE62 = GetModelName_TE62(), TE62BT = GetModelName_TE62BT();
    const QString TA380 = GetModelName_TA380(), SN723 = GetModelName_SN723(), SN723BT = GetModelName_SN723BT();
    const QString HB25 = GetModelName_HB25(), HB25Z = GetModelName_HB25_Var();
    const QString QTV64 = GetModelName_QT_V64(), QTV64BT = GetModelName_QT_V64BT();
    const QString GS540D = GetModelName_GS_PR540D(), GS540X = GetModelName_GS_PR540X();
    const QString KastorY7 = GetModelName_Kastor_Y7(), AKS770 = GetModelName_AK_S770();
    const QString BTN7 = GetModelName_BTN7(), F58S = GetModelName_F58S(), F58D = GetModelName_F58D();
    const QString Z34 = GetModelName_Z34(), ZR905K = GetModelName_ZR905K();
    const QString L44 = GetModelName_L44(), L46 = GetModelName_L46(), D45 = GetModelName_D45();
    // Shared fragments.
    const QString FragV52 = V52 + "," + V52R + "," + V52BT;
    const QString FragV64 = V64 + "," + V64C + "," + TA380 + "," + QTV64 + "," + QTV64BT + "," + GS540D + "," + GS540X;
    const QString FragMobile = W16 + "," + W16P + "," + HB25 + "," + BTN7 + "," + L44 + "," + L46;
    const QString FragZr = ZR905K + "," + GetModelName_ZR906() + "," + GetModelName_ZR908() + "," +
                          GetModelName_ZR910() + "," + GetModelName_ZR912();

    // USB identity check
    UsbCheckGateModels = L({Y7, Y7_01, Y7BT, TE62, AKS770, FragV52});
    UsbCheckGroupModels = L({FragV52});
    UsbCheckFamily1Models = L({Y7, Y7_01});
    UsbCheckFamily2Models = L({Y7BT, Y7});
    UsbCheckFamily3Models = L({TE62});
    UsbCheckFamily4Models = L({AKS770});
    UsbCheckFamily5Models = L({V52, V52R});
    UsbCheckFamily6Models = L({V52BT});

    // Feature descriptors
    FtnA_HB25_RowAModels = L({HB25, HB25Z});
    FtnA_HB25_RowBModels = L({HB25, HB25Z});
    FtnA_HB25_ExtraModels = L({HB25});
    FtnA_HB25_RowDModels = L({HB25, HB25Z});
    FtnA_HB25_RowEModels = L({HB25, HB25Z});
    FtnA_TA380_RowAModels = L({TA380});
    FtnA_TA380_RowBModels = L({TA380});
    FtnA_QT_V64_RowAModels = L({QTV64});
    FtnA_QT_V64_RowBModels = L({QTV64});
    FtnA_QT_V64BT_RowAModels = L({QTV64BT});
    FtnA_QT_V64BT_RowBModels = L({QTV64BT});
    FtnA_Kastor_Y7_RowAModels = L({KastorY7});
    FtnA_Kastor_Y7_RowBModels = L({KastorY7});
    FtnA_TE62BT_RowAModels = L({TE62BT});
    FtnA_TE62BT_RowBModels = L({TE62BT});
    FtnA_Y7BT_RowAModels = L({Y7BT});
    FtnA_Y7BT_RowBModels = L({Y7BT});
    FtnA_TE62_RowAModels = L({TE62});
    FtnA_TE62_RowBModels = L({TE62});
    FtnA_GS_PR540D_RowAModels = L({GS540D});
    FtnA_GS_PR540D_RowBModels = L({GS540D});

    // Feature-flag setter
    FtnFlag_VersionMatchModels = L({TA380, QTV64, QTV64BT, TE62, TE62BT, GS540D, GS540X, HB25, V52, V64});
    FtnFlag_Version2Models = L({TA380, QTV64, TE62, GS540D, V52, V64});
    FtnFlag_Version99Models = L({V64, TA380});
    FtnFlag_Version1DetailModels = L({TA380, QTV64, QTV64BT, TE62, TE62BT, V52});
    FtnFlag_Version2IsV2Models = L({TA380, V52});
    FtnFlag_Version2IsV4Models = L({QTV64, TE62, GS540D, V64});
    FtnFlag_ExtraModelModels = L({HB25, W16});
    FtnStep2GateModels = L({HB25, HB25Z});

    // Per-printer switches and permission items
    ProtocolTypeSwitchModels = L({W16P, L44, L46});
    PaperModeSwitchAModels = L({W16, W16P});
    PaperModeKeyKind1Models = L({W16, HB25});
    PaperModeKeyKind2Models = L({W16P, W16PC});
    PaperModeKeyKind3Models = L({BTN7, W16});
    PaperModeSwitchBModels = L({BTN7, L44});
    PaperModeQueryOnModels = L({W16P, BTN7});
    ExtraKeySwitchModels = L({V52, V52BT, W16P, KastorY7});
    PrintTextFeedCountModels = L({W16, HB25, BTN7});
    for (int i = 0; i < UnreadSwitchListCount; ++i)
        UnreadSwitchModels[i] = (i % 2 == 0) ? L({FragMobile}) : L({FragV52});
    Perm0302000001Models = L({V52, V64});
    Perm0142020002Models = L({V52, V52BT});
    Perm0103160002Models = L({W16P});
    Perm0103250002Models = L({BTN7});

    // Main window
    RfidModels = QString();  // filled by LoadRfidModelList
    RfidSecondModels = QString();
    PrtTransformExemptModels = L({V52, V64});
    BasNameKeepCaptionModels = L({Y7_01});
    GuardExemptModels = L({V64, V52R, Y7_01, TE62BT, QTV64BT, GS540X, SN723, HB25});
    ProduceTimeDirectModels = L({FragV52, V64});
    FrontCommandModels = L({V52, V52BT, Y7});

    // Application state
    StateFeatureKeyModels = L({W16P, L46});

    // Option lists and value tables
    ReleasePaperModels = L({V52, V52BT, W16P});
    CodePageModelsCp = L({F58S, F58D});
    CodePageModelsByLanguage = L({BTN7, GetModelName_W7X()});
    CodePageModelsWide = L({GetModelName_J83(), GetModelName_J27()});
    Speed3IpsModels = L({HB25, SN723});
    Speed4IpsModels = L({FragV52, W16});
    Speed5IpsModels = L({V64, TE62});
    Speed6IpsModels = L({TA380, QTV64});
    Speed7IpsModels = L({GS540D});
    Speed8IpsModels = L({GS540X});
    SpeedForce4Models = L({Y7, Y7BT});
    SpeedUnfilledModels = QString();

    // Tool windows
    RfidVersionModels = L({AKS770});
    RfidSplitWriteReadModels = L({AKS770});
    RfidNoPrepModels = L({AKS770});
    RfidCpclPrintModels = L({AKS770});
    RfidCpclHeaderModels = L({AKS770});
    CpclCountryModels = L({W16, HB25, BTN7});
    CpclLineTextExcludedModels = L({L44});
    PrintTextTallModels = L({V64, V64C, TA380, QTV64, GS540D, GS540X});
    PrintTextGapModels = L({V52, TE62});
    PrintTextWideModels = L({V64, V64C, TA380, QTV64, GS540D, GS540X, V52, TE62});
    PrintTextFont2Models = L({Y7, Y7BT, KastorY7});
    PrintTextFont2DefModels = L({KastorY7});
    PrintTextHeightModels = L({W16, W16P, HB25});
    PrintTextRowModels = L({W16P, BTN7});
    PrintTextRowHeightModels = L({W16P});
    PrintTextPplModels = L({BTN7});
    PrintTextSubstModels = L({L44, L46, W16PC, AKS770, SN723BT});
    PrintTextModeKeyModels = L({W16, W16P, W16PC, HB25, HB25Z, BTN7, L44, L46, SN723, SN723BT,
                                AKS770, F58S, F58D, Z34, D45, QString(), QString(), QString()});
    PrintTextLangModeModels = L({ZR905K, GetModelName_ZR906(), GetModelName_ZR908(), D45});

    // Parameter-setting and download windows
    OemBluetoothModels = L({V52BT, QTV64BT, TE62BT});
    SpeedListExceptionModels = L({V52R});
    SingleOemModels = L({KastorY7});
    SingleOemModels2 = SingleOemModels;
    Z34OneModels = L({Z34});
    F58DOneModels = L({F58D});
    F58SOneModels = L({F58S});
    Z34LidModels = L({GetModelName_Z34BT(), F58S, F58D});
    ZrFamilyModels = L({FragZr});
    DplModels = L({D45});
    V64COneModels = L({V64C});
    W16PModels = L({W16P});
    W16PCModels = L({W16PC});
    // Direct printer-language downloads: the DPL model first, then the TSPL models of
    // the template list and the emulating ZR models; the ZPL list adds one model.
    FontDirectModels = L({D45, V64, V64C, TA380, ZR905K, QStringLiteral("ZR906"), QStringLiteral("ZR908")});
    FontDirectModelsZpl = L({FontDirectModels.mid(1, FontDirectModels.size() - 2), GS540D});
    FontDplSizeModels = L({D45});

    // Text-command parameter forms. The column-shift and head-type lists keep an empty
    // entry, so a printer listed without a model name counts as a member.
    ZrColShiftAModels = L({QStringLiteral("ZR906"), QString()});
    ZrColShiftBModels = L({QStringLiteral("ZR908"), QString()});
    ZrHeadTypeModels = L({ZR905K, QStringLiteral("ZR906"), QStringLiteral("ZR908"), QStringLiteral("ZR910"), QString()});
    ZrMacModels = L({ZR905K, QStringLiteral("ZR910")});
    ZrPrintTypeOffModels = L({QStringLiteral("ZR912")});
    ZrReleasePaperModels = L({QStringLiteral("ZR910")});
    QxNoBtSettingModels = L({QStringLiteral("QX10"), QStringLiteral("QX12")});
    QxRibbonModels = L({QStringLiteral("QX10"), QStringLiteral("QX12"), QStringLiteral("QX20")});
    QxEscModels = L({QStringLiteral("QX20")});
}

const std::vector<TFeatureKeyList>& LabelFeatureKeyLists()
{
    static const std::vector<TFeatureKeyList> rows = [] {
        const QString V52s = GetModelName_V52() + "," + GetModelName_V52R() + "," + GetModelName_V52BT();
        const QString Y7s = GetModelName_Y7() + "," + GetModelName_Y7BT() + "," + GetModelName_Kastor_Y7();
        const QString V64s = GetModelName_V64() + "," + GetModelName_V64C() + "," + GetModelName_TA380() +
                             "," + GetModelName_QT_V64() + "," + GetModelName_QT_V64BT() + "," +
                             GetModelName_GS_PR540D() + "," + GetModelName_GS_PR540X();
        const QString TE = GetModelName_TE62() + "," + GetModelName_TE62BT();
        const QString ZR = GetModelName_ZR905K() + "," + GetModelName_ZR906() + "," + GetModelName_ZR908() +
                         "," + GetModelName_ZR910() + "," + GetModelName_ZR912();
        return std::vector<TFeatureKeyList>{
            {"V64WithBT", L({GetModelName_V52BT(), GetModelName_QT_V64BT()})},
            {"V64_ParameterSetting", L({V64s})},
            {"GetProduceDateByGDS", L({GetModelName_V64()})},
            {"ZR_ParameterSetting", L({ZR})},
            {"IPS5", L({GetModelName_V64(), GetModelName_TE62()})},
            {"PaperWidth108", L({GetModelName_GS_PR540D(), GetModelName_GS_PR540X()})},
            {"GDS", L({V64s})},
            {"HaveTwoProtocol", L({GetModelName_V64(), GetModelName_D45()})},
            {"IsGeneralDL", L({V52s, Y7s, TE})},
            {"x1", L({GetModelName_V52()})},
            {"UseVectorFont", L({V64s})},
            {"IsbtnDLF", L({V64s, ZR})},
            {"IsbtnDLFile", L({V52s, V64s})},
            {"IsbtnGDL", L({V64s})},
            {"IsbtnLabelSensorPrintImage", L({V52s})},
            {"IsbtnPrinterStatus", L({V52s, V64s})},
            {KEY_PrinterStatusZrQx, L({ZR, QStringLiteral("QX")})},
            {"PackageSize4096", L({V64s})},
            {"HaveEPL", L({GetModelName_D45(), GetModelName_ZR905K()})},
            {"FTN_PaperWidth_1", L({GetModelName_TE62()})},
            {"IsbtnCommandTest", L({V52s, Y7s, TE, V64s})},
            {"IsbtnFrontLearn", L({V52s, Y7s})},
            {"V52_ParameterSetting", L({V52s, Y7s, TE})},
            {"V52_Mileage", L({V52s})},
            {"V52_AutoLearn", L({V52s, Y7s})},
            {"V52_DfuMode", L({V52s})},
            {"V52_PrintSelf", L({V52s, Y7s, TE})},
            {"V52_FactorySetting", L({V52s})},
            {"V52_PrintTextLanguageDisable", L({GetModelName_Kastor_Y7()})},
            {"FTN_PrintTextLanguage_NotVisible", L({GetModelName_Kastor_Y7()})},
            {"FTN_Dfu_Head_BinType1", L({V52s, Y7s})},
            {"FTN_Dfu_UpdateMethod1", L({V52s})},
            {"V52_WithBT", L({GetModelName_V52BT(), GetModelName_Y7BT(), GetModelName_TE62BT()})},
            {"btnPrintText_DoType1", L({Y7s})},
            {"FTN_PrintText_Type1", L({GetModelName_TE62()})},
            {"FTN_GetProduceDate_Type1", L({V52s})},
            {"FTN_GetFirmwareVer_Type1", L({V52s, Y7s})},
            {"FTN_btnPrintText_Form1", L({V52s, Y7s})},
            {"FTN_PrintText_GetPaperMode", L({GetModelName_V52()})},
            {KEY_PrintTextZr905k, L({GetModelName_ZR905K()})},
            {"F58S_ParameterSetting", L({GetModelName_F58S()})},
            {"NotHaveBT", L({GetModelName_V52(), GetModelName_V64()})},
            {"IPS6", L({GetModelName_TA380(), GetModelName_QT_V64()})},
            {"IPS4", L({V52s})},
        };
    }();
    return rows;
}

const std::vector<TFeatureKeyList>& MobileFeatureKeyLists()
{
    static const std::vector<TFeatureKeyList> rows = {
        {"W16P_DFU", L({GetModelName_W16P(), GetModelName_W16P_C()})},
        {KEY_MobileBtn7ParameterSetting, L({GetModelName_BTN7()})},
        {"NIsbtnSetCodepage", L({GetModelName_L44(), GetModelName_L46()})},
        {KEY_MobileBtn7FontDownload, L({GetModelName_BTN7()})},
        {"FontPacket1024B", L({GetModelName_W16P(), GetModelName_HB25()})},
        {"IsbtnHeadFeed", L({GetModelName_W16(), GetModelName_HB25()})},
    };
    return rows;
}

// ---- USB identity check families ---------------------------------------------------------
QString UsbCheckFamilyIdText(int family)
{
    switch (family) {
    case 1: return GetUsbId_VendorA_7008();
    case 2: return GetUsbId_VendorB_9008();
    case 3: return GetUsbId_VendorB_9006();
    case 4: return GetUsbId_VendorB_4011();
    case 5: return GetUsbId_VendorA_7008();
    case 6: return GetUsbId_VendorB_9008();
    case 7: return GetUsbId_VendorB_9006();
    default: return QString();
    }
}

QString UsbCheckFamilyModel(int family)
{
    switch (family) {
    case 1: return GetModelName_Y7();
    case 2: return GetModelName_Y7BT();
    case 3: return GetModelName_TE62();
    case 4: return GetModelName_AK_S770();
    case 5: return GetModelName_V52();
    case 6: return GetModelName_V52BT();
    case 7: return GetModelName_V52BT();  // family 7 reports the family 6 model
    default: return QString();
    }
}

const QString* UsbCheckFamilyList(int family)
{
    switch (family) {
    case 1: return &UsbCheckFamily1Models;
    case 2: return &UsbCheckFamily2Models;
    case 3: return &UsbCheckFamily3Models;
    case 4: return &UsbCheckFamily4Models;
    case 5: return &UsbCheckFamily5Models;
    case 6: return &UsbCheckFamily6Models;
    case 7: return &UsbCheckFamily6Models;
    default: return nullptr;
    }
}

// ---- OEM branding profiles ----------------------------------------------------------------
const std::vector<TOemProfileRow>& OemProfileRows()
{
    static const std::vector<TOemProfileRow> rows = [] {
        const QString V52 = GetModelName_V52(), V52R = GetModelName_V52R(), V52BT = GetModelName_V52BT();
        const QString V64 = GetModelName_V64(), V64C = GetModelName_V64C(), Y7 = GetModelName_Y7();
        const QString Y7BT = GetModelName_Y7BT(), W16 = GetModelName_W16(), W16P = GetModelName_W16P();
        const QString TE62 = GetModelName_TE62(), TE62BT = GetModelName_TE62BT(), TA380 = GetModelName_TA380();
        const QString SN723 = GetModelName_SN723(), HB25 = GetModelName_HB25();
        const QString QTV64 = GetModelName_QT_V64(), QTV64BT = GetModelName_QT_V64BT();
        const QString GSD = GetModelName_GS_PR540D(), GSX = GetModelName_GS_PR540X();
        const QString Kastor = GetModelName_Kastor_Y7(), AK = GetModelName_AK_S770(), BTN7 = GetModelName_BTN7();
        const QString L44 = GetModelName_L44(), L46 = GetModelName_L46(), F58S = GetModelName_F58S();
        const QString x = QStringLiteral("____x");
        const QStringList TL = {QStringLiteral("2052"), QStringLiteral("1033")};
        const QStringList None;
        const QString C = QStringLiteral(","), CC = QStringLiteral(",,");
        // clang-format off
        return std::vector<TOemProfileRow>{
 {"Mobile","Mobile_DALP","TOemMobileDalp","",0,"",0,{},{},{},0,{},2, QString(),L({W16}),L({BTN7}),QString(), false,None,0,"PM10001Dal","9FF74D993B45E127E3ACF0CCAD8DAC1B"},
 {"Mobile","Mobile_Printer","TOemMobile_Printer","",0,"",2,{W16P},{},{},2,{"MP-58=" + W16P},3, C,CC,CC,QString(), false,None,0,"PM10002Pri","C763F8B384E0CFDDE65044F83F3A1F12"},
 {"Mobile","Mobile_Logistics","TOemMobile_Logistics","",0,"",2,{W16,W16P,GetModelName_W16P_C(),HB25,BTN7,L44,L46,AK,SN723,GetModelName_SN723BT(),V52R,GetModelName_D45()},{},{},2,{"LG-80=" + W16,"LG-58=" + W16P,"LG-BT=" + HB25},3, C,CC,CC,QString(), false,None,0,"PM10003Log","6A4E07474F34E6079F6B0C9CA90B9535"},
 {"Mobile","Mobile_Fenlo","TOemMobile_Fenlo","",0,"",2,{HB25},{},{},2,{"FL-1=" + HB25,"FL-2=" + W16,"FL-3=" + W16P},3, C,CC,CC,QString(), false,None,0,"PM10003Fen","F131CC2BF9C9A82633AC28E0CCD2F493"},
 {"Mobile","Mobile_DQ4","TOemMobile_DQ4","",0,"",2,{W16,BTN7},{},{},2,{"DQ4=" + W16,"DQ4-BT=" + HB25,"DQ4-P=" + W16P},3, C,CC,CC,QString(), false,None,0,"PM10003Dq4","3458EE2009FD3024221482AB9F888EF5"},
 {"Mobile","Mobile_Brisko","TOemMobile_Brisko","V1.0.0.0",0,"",2,{L44},{},{},2,{"BR-44=" + L44,"BR-46=" + L46,"BR-16=" + W16},3, C,CC,CC,QString(), false,None,0,"PM10003Bri","8F1A2483A7E95E0B04B0131983F9CC2D"},
 {"Mobile","Mobile_Pemba","TOemMobile_Pemba","",0,"",2,{L44,L46},{},{},2,{"PB-1=" + L44,"PB-2=" + L46,"PB-3=" + BTN7},3, C,CC,CC,QString(), false,None,0,"PM10003Pem","2C3251964EE0270F59A8636E91D69903"},
 {"Mobile","Mobile_Vessin","TOemMobile_Vessin","V1.0.0.1",0,"",2,{W16,HB25},{},{},2,{},3, C,CC,CC,QString(), false,None,0,"PM10023Ves","6E41A3AFD8A4E6D7420656211F536ACA"},
 {"Mobile","Mobile_Grusk","TOemMobile_Grusk","V2.0.0.12",0,"",2,{},{},{},2,{"GK-1=" + W16,"GK-2=" + W16P},3, C,CC,CC,QString(), false,None,0,"PM10004Gru","78E5F71B035401DD9E04138B7B1B47AD"},
 {"Mobile","Mobile_Dealer","TOemMobile_Dealer","V1.0.0.25",0,"",2,{},{},{},2,{},3, C,CC,CC,QString(), true,TL,0,"PM10023Dealer","7785198D-D483-A2D4-EBA8-535DAAAFABE6"},
 {"Label","Label_Fenwai","TOemLabelFenwai","V1.0.0.0",1,"Fenwai",1,{V52},{},{},1,{},1, C,CC,CC,QString(), false,None,0,"PL10004Fen","6132A90ED645BA57E02E54D12BEB1089"},
 {"Label","Label_Brisko","TOemLabel_Brisko","V1.0.0.0",1,"Brisko",2,{V64},{},{},2,{"BR-L1=" + V64},3, C,CC,CC,QString(), false,None,0,"PL10002Bri","8D83D1849D9A6E5624046B92AA5B8AD8"},
 {"Label","Label_Vessin","TOemLabelVessin","V1.0.0.2",1,"VESSIN",2,{V52,V52BT},{V64 + x},{},2,{"VS-52=" + V52},3, C,CC,CC,QString(), false,None,0,"PL10005Ves","490F56DA8059DD87E356F40D93BAC3EB"},
 {"Label","Label_Cobbel","TOemLabelCobbel","V1.0.0.8",1,"Cobbel",1,{V52,V52R,V52BT,V64,V64C,Y7,Y7BT,TE62},{},{},1,{"CB-52=" + V52,"CB-64=" + V64,"CB-Y7=" + Y7},2, L({V52, V64}),CC,CC,QString(), true,TL,2,"PL10006Cob","2BA9E663BFB8BF944216E4D753084E4D"},
 {"Label","Label_Vusk_OfJor","TOemLabel_Vusk_OfJor","V1.0.0.1",1,"Vusk",1,{V52,V64},{},{},1,{"VK-52=" + V52},2, L({V52, V64}),CC,CC,QString(), false,None,0,"PL10007Vus","81C628B706122A532B429337C7EFA405"},
 {"Label","Label_Sabrow","TOemLabel_Sabrow","V1.0.0.0",1,"Sabrow",1,{V64},{},{},1,{},2, L({V64}),CC,CC,QString(), false,None,0,"PL10009Sab","B37A57F2DCE01E72F383CFFC785FC4E5"},
 {"Label","Label_CrossBorderEBussiness","TOemLabel_CrossBorderEBussiness","V1.0.0.2",1,"",1,{V52,V64},{V52R + x + C + V52BT},{},1,{"CBE-1=" + V52},2, L({V52, V64}),CC,CC,QString(), false,None,2,"PL10010Cro","D96CAEA5B354ED0570502B27D67F934D"},
 {"Label","Label_Tesk_OfJor_OrVusk","TOemLabel_Tesk_OfJor_OrVusk","V1.0.0.0",1,"Vusk",1,{V52},{},{},1,{"TK-52=" + V52},2, L({V52}),CC,CC,QString(), false,None,0,"PL10008Tes","311CB2A8-F1ED-6C6B-2855-144BBA1ED83F"},
 {"Label","Label_ElectricBusiness","TOemLabel_ElectricBusiness","",0,"",2,{V52},{},{},2,{"EB-52=" + V52},3, C,CC,CC,QString(), false,None,0,"PL10002Ele","DFDF8D2B0A7EF6756E031C23E8E47FBE"},
 {"Label","Label_Grusk_TA380","TOemLabel_Grusk_TA380","V1.0.0.16",0,"",2,{TA380,QTV64,QTV64BT,GSD,GSX,TE62,TE62BT,V64,V64C,V52,V52BT},{ModelTA380_01Hex()},{ModelGS_PR540D_Machine(),ModelGS_PR540X_HexFirst()},2,{"GK-380=" + TA380,"GK-380B=" + TA380,"GK-64=" + QTV64,"GK-64BT=" + QTV64BT,"GK-540D=" + GSD,"GK-540X=" + GSX,"GK-62=" + TE62,"GK-62BT=" + TE62BT,"GK-52=" + V52},3, C,CC,CC,QString(), false,None,2,"PL10003Gta","C3ACA4F184004D9BF294FC59D6F2EFDD"},
 {"Label","Label_Plova","TOemLabel_Plova","",0,"",2,{V64},{},{},2,{"PV-64=" + V64},3, C,CC,CC,QString(), false,None,0,"PL10011Plo","A36112E2265B260B8675ECB876FD57EA"},
 {"Label","Label_V52","TOemLabel_V52","V1.0.0.22",0,"",2,{V52,V52R,V52BT,Y7,Y7BT,GetModelName_Y7_01(),TE62,TE62BT,Kastor,V64,HB25,W16},{},{},2,{"V52S=" + V52,"V52-BT=" + V52BT},3, C,CC,CC,QString(), true,TL,0,"PL10001V5x","8DE414F4F9809F190E1908755EE73FF6"},
 {"Label","Label_Vandro","TOemLabel_Vandro","V1.0.0.1",0,"",2,{V52,V64},{},{},2,{},3, C,CC,CC,QString(), false,None,0,"PL10001Van","69D24E88555EC339F123C509AF1E602C"},
 {"Label","Label_Gimber","TOemLabel_Gimber","V1.0.0.0",1,"Gimber",2,{V64},{},{},2,{},3, C,CC,CC,QString(), false,None,0,"PL10013Gim","11DBA6D85D5B91C2D73B9A50E18F60F8"},
 {"Label","Label_RUVALO","TOemLabel_RUVALO","V1.0.0.2",1,"RUVALO",2,{V52},{},{},2,{"RV-1=" + V52,"RV-2=" + V52BT},3, C,CC,CC,QString(), true,{"2052","1033","1042"},0,"PL10014Ruv","57701A2226236E665EACBA86AC1412FB"},
 {"Label","Label_Channel","TOemLabel_Channel","V2.0.0.37",1,"",2,{V52,V52BT,V64,Y7,Y7BT,TE62,TE62BT},{},{},2,{"CH-52=" + V52,"CH-52BT=" + V52BT,"CH-64=" + V64,"CH-Y7=" + Y7},3, C,CC,CC,QString(), true,TL,0,"PL10012Cha","B0F9758A36C5585700204279A389B7C2"},
 {"Label","Label_DUNMARK","TOemLabel_DUNMARK","V1.0.0.0",1,"",2,{V52},{},{},2,{},3, C,CC,CC,QString(), true,TL,0,"PL10012Dun","64B8DD5A6EC4BAB667DE383DCFB8A9BC"},
 {"Label","Label_Orvel","TOemLabel_Orvel","V1.0.0.0",1,"",2,{V64},{},{},2,{},3, C,CC,CC,QString(), true,TL,0,"PL10012Orv","DA6C0C9E9CBD04972D0C3F037C11B919"},
 {"Label","Label_Tamsel","TOemLabel_Tamsel","V1.0.0.0",1,"",2,{V52BT},{},{},2,{},3, C,CC,CC,QString(), true,TL,0,"PL10012Tam","6FCFD411F60D04665BC4506B15F440CD"},
 {"Label","Label_Quillet","TOemLabel_Quillet","V1.0.0.0",1,"",2,{},{},{},2,{},3, C,CC,CC,QString(), true,TL,0,"PL10013Qui","1660F6228D197D0904B7F8EA952C7829"},
 {"Label","Label_Ardwick_Custom","TOemLabel_Ardwick","V1.0.0.5",1,"Ardwick",2,{V52},{},{},2,{"AW-52=" + V52},3, C,CC,CC,QString(), true,TL,0,"PL10015Ard","257D1ED3FDB7E871A99F8417804F006D"},
 {"Label","Label_Zolter","TOemLabel_Zolter","V1.0.0.0",1,"Zolter",2,{V64},{},{},2,{"ZT-64=" + V64},3, C,CC,CC,QString(), true,TL,0,"PL10024Zol","DE13FCA10B1189E123033B4C6A27375F"},
 {"Label","Label_Y7","TOemLabel_Y7","V2.0.0.3",1,"",2,{Y7,Y7BT,GetModelName_Y7_01(),Kastor,V52},{GetModelName_Y7_Hex() + x},{},2,{"Y7S=" + Y7,"Y7-BT=" + Y7BT},3, L({Y7, Y7BT}),CC,CC,QString(), true,TL,2,"PL10016Y7x","6DB869FF2A0338D8F3F493F34BBACEDE"},
 {"Label","Label_Kastor","TOemLabel_Kastor","V1.0.0.0",1,"Kastor",2,{Kastor},{GetModelName_Y7BT_01_Hex() + x},{},2,{"KS-Y7=" + Kastor},3, L({Kastor}),CC,CC,QString(), true,TL,2,"PL10017Kas","264BF895802B80D8B59697AA515C268B"},
 {"Label","Label_Neutral_OfAllA","TOemLabel_Neutral_OfAllA","V1.0.0.0",1,"",2,{V52,V64,TE62},{},{},2,{"NA-52=" + V52,"NA-64=" + V64},3, C,CC,CC,QString(), true,TL,0,"PL10018All","C76CFC441BBA74A7C27FF5C1E9B69BA1"},
 {"Label","Label_Ombrel","TOemLabel_Ombrel","V1.0.0.3",1,"",2,{},{},{},2,{},3, C,CC,CC,QString(), true,TL,2,"PL10018Omb","6C00A17272021190A12F27A3566B6BC2"},
 {"Label","Label_soltrik","TOemLabel_soltrik","V1.0.0.2",1,"soltrik",2,{V52,V64},{},{},2,{},3, C,CC,CC,QString(), false,None,0,"PL10019Sol","96F3BA8CEC9757DDECE1F2714BA7DB67"},
 {"Label","Label_Trune","TOemLabel_Trune","V1.0.0.2",1,"Trune",2,{V52,V52BT},{},{},2,{"TR-52=" + V52},3, C,CC,CC,QString(), false,None,0,"PL10020Tru","DC58030598354CF6485E7322AC3A09A2"},
 {"Label","Label_HallvikProducts","TOemLabel_HallvikProducts","V1.0.0.0",1,"Hallvik Products",2,{V64},{},{},2,{"HV-64=" + V64},3, C,CC,CC,QString(), false,None,0,"PL10021Hal","9314488AE13BBEB93997DBFC9A48355F"},
 {"Label","Label_GRUSK","TOemLabel_GRUSK","V1.0.0.0",1,"Grusk",2,{TA380},{},{},2,{"GR-380=" + TA380},3, C,CC,CC,QString(), false,None,0,"PL10023Gru","6F1A684B7016098D50684D1BD3FBE14C"},
 {"Label","Label_Yorl","TOemLabel_Yorl","V1.0.0.0",1,"Yorl",2,{V52},{},{},2,{"YL-52=" + V52},3, C,CC,CC,QString(), false,None,0,"PL10022Yor","9C83E9CCA9F19AA28D53D5786C0A0077"},
 {"Label","Label_Caldrew","TOemLabel_Caldrew","V1.0.0.0",1,"Caldrew",1,{V64},{},{},2,{"CD-64=" + V64},3, C,CC,CC,QString(), false,None,0,"PL10022Cal","489E9DC4E183D0AA5092A273349A81CF"},
        };
        // clang-format on
    }();
    return rows;
}

const TOemProfileRow* FindOemProfileRowByClass(const char* className)
{
    for (const TOemProfileRow& r : OemProfileRows())
        if (std::strcmp(r.ClassName, className) == 0)
            return &r;
    return nullptr;
}

// ---- per-model feature descriptors ------------------------------------------------------------
UsbIdPredicate PredicateOf(TUsbPred p)
{
    switch (p) {
    case TUsbPred::A7008: return &IsUsbId_VendorA_7008;
    case TUsbPred::B9008: return &IsUsbId_VendorB_9008;
    case TUsbPred::B9006: return &IsUsbId_VendorB_9006;
    case TUsbPred::B4011: return &IsUsbId_VendorB_4011;
    case TUsbPred::None: break;
    }
    return nullptr;
}

namespace {

// A row of the TA380-like classes: ids A/7008, B/9008, B/9006; name 1 the family name;
// name 2 = name 3 a second model; exact name the model itself, giving name 1.
TFtnADataRow Ta380Like(const char* cls, const QString& model, const QString& base,
                       const QString& second, const QString* rowA, const QString* rowB,
                       bool rowBAlways = false, const QString& name3 = QString())
{
    TFtnADataRow r{};
    r.ClassName = cls;
    r.Model = model;
    r.ModelName = model;
    r.BaseName = base;
    r.UsbId1 = GetUsbId_VendorA_7008();
    r.UsbId2 = GetUsbId_VendorB_9008();
    r.UsbId3 = GetUsbId_VendorB_9006();
    r.Name1 = model;
    r.Name2 = second;
    r.Name3 = name3.isEmpty() ? second : name3;
    r.ExactName = model;
    r.ExactResult = r.Name1;
    r.RowAList = rowA;
    r.RowAPred = TUsbPred::A7008;
    r.RowAResult = r.Name1;
    r.RowAId = r.UsbId1;
    r.RowBList = rowB;
    r.RowBAlways = rowBAlways;
    r.RowBPred = TUsbPred::B9008;
    r.RowBResult = r.Name2;
    r.RowBId = r.UsbId2;
    r.RowCPred = TUsbPred::B9006;
    return r;
}

// Kastor Y7 / Y7BT: rows A and B without ids, no row C, exact name -> base name.
TFtnADataRow KastorLike(const char* cls, const QString& model, const QString& base,
                        const QString* rowA, const QString* rowB)
{
    TFtnADataRow r{};
    r.ClassName = cls;
    r.Model = model;
    r.ModelName = model;
    r.BaseName = base;
    r.ExactName = model;
    r.ExactResult = base;
    r.RowAList = rowA;
    r.RowAPred = TUsbPred::A7008;
    r.RowAResult = model;
    r.RowAId = r.UsbId1;  // stays empty
    r.RowBList = rowB;
    r.RowBPred = TUsbPred::B9008;
    r.RowBResult = base;
    r.RowBId = r.UsbId2;  // stays empty
    r.RowCPred = TUsbPred::None;
    return r;
}

} // namespace

const std::vector<TFtnADataRow>& FtnADataRows()
{
    static const std::vector<TFtnADataRow> rows = [] {
        std::vector<TFtnADataRow> v;
        TFtnADataRow hb{};
        hb.ClassName = "TFtnA_HB25";
        hb.Model = GetModelName_HB25();
        hb.ModelName = GetModelName_HB25();
        hb.BaseName = GetModelName_W16();
        hb.UsbId1 = GetUsbId_VendorA_7008();
        hb.UsbId2 = GetUsbId_VendorB_9008();
        hb.ExactName = GetModelName_HB25();
        hb.ExactResult = hb.BaseName;
        hb.RowAList = &FtnA_HB25_RowAModels;
        hb.RowAPred = TUsbPred::A7008;
        hb.RowAResult = GetModelName_W16_Var();
        hb.RowAId = hb.UsbId1;
        hb.RowBList = &FtnA_HB25_RowBModels;
        hb.RowBPred = TUsbPred::B9008;
        hb.RowBResult = hb.BaseName;
        hb.RowBId = hb.UsbId2;
        v.push_back(hb);
        v.push_back(Ta380Like("TFtnA_TheTA380", GetModelName_TA380(), GetModelName_V64(),
                              QStringLiteral("TA380B"), &FtnA_TA380_RowAModels, &FtnA_TA380_RowBModels));
        TFtnADataRow sn{};
        sn.ClassName = "TFtnA_TheSN723";
        sn.Model = GetModelName_SN723();
        sn.ModelName = GetModelName_SN723();
        sn.BaseName = GetModelName_SN723BT();
        v.push_back(sn);
        v.push_back(Ta380Like("TFtnA_TheQT_V64", GetModelName_QT_V64(), GetModelName_V64(),
                              QStringLiteral("QT-V64(02)"), &FtnA_QT_V64_RowAModels,
                              &FtnA_QT_V64_RowBModels, false, QStringLiteral("QT-V64(Z)")));
        v.push_back(Ta380Like("TFtnA_TheQT_V64BT", GetModelName_QT_V64BT(), GetModelName_V64(),
                              QStringLiteral("QT-V64BT(02)"), &FtnA_QT_V64BT_RowAModels,
                              &FtnA_QT_V64BT_RowBModels));
        TFtnADataRow y7{};
        y7.ClassName = "TFtnA_TheY7";
        y7.Model = GetModelName_Y7();
        y7.ModelName = GetModelName_Y7();
        y7.BaseName = GetModelName_V52();
        y7.ExactName = GetModelName_Y7();
        y7.ExactResult = y7.BaseName;
        v.push_back(y7);
        v.push_back(KastorLike("TFtnA_TheKastor_Y7", GetModelName_Kastor_Y7(), GetModelName_Y7(),
                               &FtnA_Kastor_Y7_RowAModels, &FtnA_Kastor_Y7_RowBModels));
        v.push_back(Ta380Like("TFtnA_TheTE62BT", GetModelName_TE62BT(), GetModelName_TE62(),
                              QStringLiteral("TE62BT(02)"), &FtnA_TE62BT_RowAModels,
                              &FtnA_TE62BT_RowBModels));
        v.push_back(KastorLike("TFtnA_TheY7BT", GetModelName_Y7BT(), GetModelName_W16(),
                               &FtnA_Y7BT_RowAModels, &FtnA_Y7BT_RowBModels));
        v.push_back(Ta380Like("TFtnA_TheTE62", GetModelName_TE62(), GetModelName_V52(),
                              QStringLiteral("TE62(02)"), &FtnA_TE62_RowAModels, &FtnA_TE62_RowBModels));
        v.push_back(Ta380Like("TFtnA_TheGS_PR540D", GetModelName_GS_PR540D(), GetModelName_V64(),
                              QStringLiteral("GS-PR540D(02)"), &FtnA_GS_PR540D_RowAModels,
                              &FtnA_GS_PR540D_RowBModels));
        v.push_back(Ta380Like("TFtnA_TheGS_PR540X", GetModelName_GS_PR540X(), GetModelName_V64(),
                              QStringLiteral("GS-PR540X(02)"), nullptr, nullptr, true));
        return v;
    }();
    return rows;
}

const TFtnADataRow* FindFtnADataRow(const char* className)
{
    for (const TFtnADataRow& r : FtnADataRows())
        if (std::strcmp(r.ClassName, className) == 0)
            return &r;
    return nullptr;
}

// ---- model roles of the V52 parameter form ----------------------------------------------------
TV52RoleLists V52RoleListData()
{
    const QString V52 = GetModelName_V52(), V52R = GetModelName_V52R(), V52BT = GetModelName_V52BT();
    const QString V64 = GetModelName_V64(), V64C = GetModelName_V64C();
    const QString Y7 = GetModelName_Y7(), Y7BT = GetModelName_Y7BT(), Y7_01 = GetModelName_Y7_01();
    const QString KastorY7 = GetModelName_Kastor_Y7();
    const QString TE62 = GetModelName_TE62(), TE62BT = GetModelName_TE62BT(), TA380 = GetModelName_TA380();
    const QString QTV64 = GetModelName_QT_V64(), QTV64BT = GetModelName_QT_V64BT();
    const QString GS540D = GetModelName_GS_PR540D(), GS540X = GetModelName_GS_PR540X();
    TV52RoleLists r;
    r.NoDrain = L({Y7, Y7BT, KastorY7, Y7_01});
    r.BoxPosition = L({V52, GS540X});
    r.NoSpeed = L({TE62, TE62BT, QTV64BT});
    r.FineTune = L({V52});
    r.Wifi = L({V52R, TE62, TE62BT});
    r.Scan = L({V52R, TE62});
    r.ApAddress = L({TE62BT});
    r.Protocol = L({V52, V64});
    r.Language = L({V52BT});
    r.RepeatPrint = L({V52});
    r.Ethernet = L({V52, V52R, V64C, TA380, GS540D});
    r.NoRelease = L({Y7, Y7BT, KastorY7, Y7_01, TE62, TE62BT, QTV64BT});
    r.Release = L({V52R, V64C});
    r.NoCodePage = L({V52BT, TA380});
    r.Bluetooth3 = L({V52BT, QTV64BT, TE62BT});
    r.Bluetooth2 = L({Y7BT, V52BT});
    r.Density0To3 = L({Y7, Y7BT, KastorY7, Y7_01});
    r.Density1To4 = L({TE62});
    r.Density0To15 = L({V52, V52R});
    r.Speed2To6 = L({TA380, QTV64});
    r.Speed2To5 = L({V64, V64C});
    r.DetectTwoItems = L({Y7, Y7BT, KastorY7, TE62, TE62BT});
    r.MinSpeed2 = L({V64, TA380, QTV64, QTV64BT, GS540D, GS540X, Y7_01});
    r.MinSpeed3 = L({Y7, Y7BT, KastorY7, TE62});
    r.MaxSpeed6 = L({TA380, QTV64, QTV64BT, GS540X});
    r.MaxSpeed5 = L({V64, GS540D, TE62, TE62BT, Y7_01});
    r.MaxSpeed4 = L({V52, V52BT, Y7, Y7BT, KastorY7});
    return r;
}
