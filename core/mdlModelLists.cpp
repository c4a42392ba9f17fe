#include "mdlModelLists.h"

// Every built-in list variable (the feature lists filled from [ParameterSet] are separate).
#define PRT_MODEL_LISTS(X) \
    X(UsbCheckGateModels)\
    X(UsbCheckGroupModels)\
    X(UsbCheckFamily1Models)\
    X(UsbCheckFamily2Models)\
    X(UsbCheckFamily3Models)\
    X(UsbCheckFamily4Models)\
    X(UsbCheckFamily5Models)\
    X(UsbCheckFamily6Models)\
    X(FtnA_HB25_RowAModels)\
    X(FtnA_HB25_RowBModels)\
    X(FtnA_HB25_ExtraModels)\
    X(FtnA_HB25_RowDModels)\
    X(FtnA_HB25_RowEModels)\
    X(FtnA_TA380_RowAModels)\
    X(FtnA_TA380_RowBModels)\
    X(FtnA_QT_V64_RowAModels)\
    X(FtnA_QT_V64_RowBModels)\
    X(FtnA_QT_V64BT_RowAModels)\
    X(FtnA_QT_V64BT_RowBModels)\
    X(FtnA_Kastor_Y7_RowAModels)\
    X(FtnA_Kastor_Y7_RowBModels)\
    X(FtnA_TE62BT_RowAModels)\
    X(FtnA_TE62BT_RowBModels)\
    X(FtnA_Y7BT_RowAModels)\
    X(FtnA_Y7BT_RowBModels)\
    X(FtnA_TE62_RowAModels)\
    X(FtnA_TE62_RowBModels)\
    X(FtnA_GS_PR540D_RowAModels)\
    X(FtnA_GS_PR540D_RowBModels)\
    X(FtnFlag_VersionMatchModels)\
    X(FtnFlag_Version2Models)\
    X(FtnFlag_Version99Models)\
    X(FtnFlag_Version1DetailModels)\
    X(FtnFlag_Version2IsV2Models)\
    X(FtnFlag_Version2IsV4Models)\
    X(FtnFlag_ExtraModelModels)\
    X(FtnStep2GateModels)\
    X(ProtocolTypeSwitchModels)\
    X(PaperModeSwitchAModels)\
    X(PaperModeKeyKind1Models)\
    X(PaperModeKeyKind2Models)\
    X(PaperModeKeyKind3Models)\
    X(PaperModeSwitchBModels)\
    X(PaperModeQueryOnModels)\
    X(ExtraKeySwitchModels)\
    X(PrintTextFeedCountModels)\
    X(Perm0302000001Models)\
    X(Perm0142020002Models)\
    X(Perm0103160002Models)\
    X(Perm0103250002Models)\
    X(RfidModels)\
    X(RfidSecondModels)\
    X(PrtTransformExemptModels)\
    X(BasNameKeepCaptionModels)\
    X(GuardExemptModels)\
    X(ProduceTimeDirectModels)\
    X(FrontCommandModels)\
    X(StateFeatureKeyModels)\
    X(ReleasePaperModels)\
    X(CodePageModelsCp)\
    X(CodePageModelsByLanguage)\
    X(CodePageModelsWide)\
    X(Speed3IpsModels)\
    X(Speed4IpsModels)\
    X(Speed5IpsModels)\
    X(Speed6IpsModels)\
    X(Speed7IpsModels)\
    X(Speed8IpsModels)\
    X(SpeedForce4Models)\
    X(SpeedUnfilledModels)\
    X(RfidVersionModels)\
    X(RfidSplitWriteReadModels)\
    X(RfidNoPrepModels)\
    X(RfidCpclPrintModels)\
    X(RfidCpclHeaderModels)\
    X(CpclCountryModels)\
    X(CpclLineTextExcludedModels)\
    X(PrintTextGapModels)\
    X(PrintTextHeightModels)\
    X(PrintTextRowModels)\
    X(PrintTextRowHeightModels)\
    X(PrintTextPplModels)\
    X(PrintTextSubstModels)\
    X(PrintTextWideModels)\
    X(PrintTextTallModels)\
    X(PrintTextModeKeyModels)\
    X(PrintTextLangModeModels)\
    X(PrintTextFont2Models)\
    X(PrintTextFont2DefModels)\
    X(OemBluetoothModels)\
    X(SpeedListExceptionModels)\
    X(SingleOemModels)\
    X(SingleOemModels2)\
    X(Z34OneModels)\
    X(F58DOneModels)\
    X(F58SOneModels)\
    X(Z34LidModels)\
    X(ZrFamilyModels)\
    X(DplModels)\
    X(V64COneModels)\
    X(W16PModels)\
    X(W16PCModels)\
    X(FontDirectModels)\
    X(FontDirectModelsZpl)\
    X(FontDplSizeModels)\
    X(ZrColShiftAModels)\
    X(ZrColShiftBModels)\
    X(ZrHeadTypeModels)\
    X(ZrMacModels)\
    X(ZrPrintTypeOffModels)\
    X(ZrReleasePaperModels)\
    X(QxNoBtSettingModels)\
    X(QxRibbonModels)\
    X(QxEscModels)

#define X(name) QString name;
PRT_MODEL_LISTS(X)
#undef X
QString UnreadSwitchModels[UnreadSwitchListCount];

QString FTN_PrintableWidth_NotVisible;
QString FTN_PrintTextLanguage_NotVisible;
QString FTN_PaperWidth_1;
QString FTN_PrintText_Type1;
QString FTN_DfuBin_Visible;
QString FTN_Dfu_Head_BinType1;
QString FTN_Dfu_UpdateMethod1;
QString FTN_GetProduceDate_Type1;
QString FTN_GetFirmwareVer_Type1;
QString FTN_btnPrintText_Form1;
QString FTN_PrintText_GetPaperMode;
QString FeatureLookupModel;

void ClearModelListVariables()
{
#define X(name) name.clear();
    PRT_MODEL_LISTS(X)
#undef X
    for (QString& s : UnreadSwitchModels)
        s.clear();
}
