#pragma once
// The catalogue's capability lists: comma-wrapped model lists (",A,B,"), one variable each.
// BuildModelLists (mdlModelCatalog) fills the built-in ones from the reviewed data and
// FreeModelLists empties them; the feature lists are filled from [ParameterSet].
#include <QString>

// ---- capability lists (built by BuildModelLists, cleared by FreeModelLists) ------------------
// USB identity check
extern QString UsbCheckGateModels;       // names the identity check applies to
extern QString UsbCheckGroupModels;      // group list of families 5 and 6
extern QString UsbCheckFamily1Models;
extern QString UsbCheckFamily2Models;
extern QString UsbCheckFamily3Models;
extern QString UsbCheckFamily4Models;
extern QString UsbCheckFamily5Models;
extern QString UsbCheckFamily6Models;

// Feature descriptors: resolution rows (A, B, D, E) and extra-names lists
extern QString FtnA_HB25_RowAModels;
extern QString FtnA_HB25_RowBModels;
extern QString FtnA_HB25_ExtraModels;
extern QString FtnA_HB25_RowDModels;
extern QString FtnA_HB25_RowEModels;
extern QString FtnA_TA380_RowAModels;
extern QString FtnA_TA380_RowBModels;
extern QString FtnA_QT_V64_RowAModels;
extern QString FtnA_QT_V64_RowBModels;
extern QString FtnA_QT_V64BT_RowAModels;
extern QString FtnA_QT_V64BT_RowBModels;
extern QString FtnA_Kastor_Y7_RowAModels;
extern QString FtnA_Kastor_Y7_RowBModels;
extern QString FtnA_TE62BT_RowAModels;
extern QString FtnA_TE62BT_RowBModels;
extern QString FtnA_Y7BT_RowAModels;
extern QString FtnA_Y7BT_RowBModels;
extern QString FtnA_TE62_RowAModels;
extern QString FtnA_TE62_RowBModels;
extern QString FtnA_GS_PR540D_RowAModels;
extern QString FtnA_GS_PR540D_RowBModels;

// Feature-flag setter: one list per descriptor flag and the gate of the second step
extern QString FtnFlag_VersionMatchModels;     // version matching on
extern QString FtnFlag_Version2Models;         // version 2 offered
extern QString FtnFlag_Version99Models;        // version 99 offered (with the "Real" marker)
extern QString FtnFlag_Version1DetailModels;   // version 1 detailed
extern QString FtnFlag_Version2IsV2Models;     // version 2 is V2
extern QString FtnFlag_Version2IsV4Models;     // version 2 is V4
extern QString FtnFlag_ExtraModelModels;       // extra model flag
extern QString FtnStep2GateModels;             // gate of the second resolution step

// Per-printer switches and permission items (ApplyModelFeatures)
extern QString ProtocolTypeSwitchModels;
extern QString PaperModeSwitchAModels;
extern QString PaperModeKeyKind1Models;
extern QString PaperModeKeyKind2Models;
extern QString PaperModeKeyKind3Models;
extern QString PaperModeSwitchBModels;
extern QString PaperModeQueryOnModels;
extern QString ExtraKeySwitchModels;
extern QString PrintTextFeedCountModels;
inline constexpr int UnreadSwitchListCount = 19;
extern QString UnreadSwitchModels[UnreadSwitchListCount];  // switches nothing reads
extern QString Perm0302000001Models;   // item "0302000001" is 1 for these
extern QString Perm0142020002Models;   // item "0142020002" is 1 for these
extern QString Perm0103160002Models;   // item "0103160002" is 1 for these
extern QString Perm0103250002Models;   // item "0103250002" is 1 for these

// Main window
extern QString RfidModels;               // RFID button (LoadRfidModelList)
extern QString RfidSecondModels;         // second list of LoadRfidModelList (one parameter form)
extern QString PrtTransformExemptModels; // two models the plug-in renaming leaves alone
extern QString BasNameKeepCaptionModels; // one model whose base name stays the row caption
extern QString GuardExemptModels;        // eight models exempt from the guarded-function check
extern QString ProduceTimeDirectModels;  // production time read directly (information window)
extern QString FrontCommandModels;       // front learning through SendFrontCommand


// Application state
extern QString StateFeatureKeyModels;    // the one feature-key test of the application state

// Option lists and value tables
extern QString ReleasePaperModels;       // release-paper range 0..255
extern QString CodePageModelsCp;
extern QString CodePageModelsByLanguage;
extern QString CodePageModelsWide;
extern QString Speed3IpsModels;
extern QString Speed4IpsModels;
extern QString Speed5IpsModels;
extern QString Speed6IpsModels;
extern QString Speed7IpsModels;
extern QString Speed8IpsModels;
extern QString SpeedForce4Models;        // the further list that forces speed 4
extern QString SpeedUnfilledModels;      // never filled: its test is always false

// Tool windows
extern QString RfidVersionModels;
extern QString RfidSplitWriteReadModels;
extern QString RfidNoPrepModels;
extern QString RfidCpclPrintModels;
extern QString RfidCpclHeaderModels;
extern QString CpclCountryModels;
extern QString CpclLineTextExcludedModels;
extern QString PrintTextGapModels;
extern QString PrintTextHeightModels;
extern QString PrintTextRowModels;
extern QString PrintTextRowHeightModels;
extern QString PrintTextPplModels;
extern QString PrintTextSubstModels;
extern QString PrintTextWideModels;
extern QString PrintTextTallModels;
extern QString PrintTextModeKeyModels;
extern QString PrintTextLangModeModels;
extern QString PrintTextFont2Models;
extern QString PrintTextFont2DefModels;

// Parameter-setting and download windows
extern QString OemBluetoothModels;       // three models
extern QString SpeedListExceptionModels; // one model
extern QString SingleOemModels;          // one model
extern QString SingleOemModels2;         // the same content, second global
extern QString Z34OneModels;             // one model
extern QString F58DOneModels;            // one model: opens the F58D form
extern QString F58SOneModels;            // one model: the F58S form keeps its language lists
extern QString Z34LidModels;             // three models (one the F58S model): the Z34 lid row
extern QString ZrFamilyModels;           // five models
extern QString DplModels;                // one model
extern QString V64COneModels;            // one model
extern QString W16PModels;
extern QString W16PCModels;
extern QString FontDirectModels;
extern QString FontDirectModelsZpl;
extern QString FontDplSizeModels;
// Text-command parameter forms (ZR tested with the listed name, QX with the current name)
extern QString ZrColShiftAModels;        // one model (and ",,"); counts under two OEM keys
extern QString ZrColShiftBModels;        // one model (and ",,")
extern QString ZrHeadTypeModels;         // four models (and ",,"); under one OEM key
extern QString ZrMacModels;              // two models: Ethernet MAC shown
extern QString ZrPrintTypeOffModels;     // one model: ribbon choice disabled
extern QString ZrReleasePaperModels;     // one model: release-paper row always shown
extern QString QxNoBtSettingModels;      // two models without Bluetooth name/PIN settings
extern QString QxRibbonModels;           // three models with the ribbon choice
extern QString QxEscModels;              // one model that also speaks ESC

// ---- feature lists filled from [ParameterSet] (key = the feature name without "No") --------
extern QString FTN_PrintableWidth_NotVisible;
extern QString FTN_PrintTextLanguage_NotVisible;
extern QString FTN_PaperWidth_1;
extern QString FTN_PrintText_Type1;
extern QString FTN_DfuBin_Visible;
extern QString FTN_Dfu_Head_BinType1;
extern QString FTN_Dfu_UpdateMethod1;
extern QString FTN_GetProduceDate_Type1;
extern QString FTN_GetFirmwareVer_Type1;
extern QString FTN_btnPrintText_Form1;
extern QString FTN_PrintText_GetPaperMode;
// The model name IsFeatureModel tests (set by the main window when a printer is selected).
extern QString FeatureLookupModel;

// Empties the built-in list variables (the feature lists are the catalogue's to clear).
void ClearModelListVariables();

// Key names chosen for the keys the catalogue only knows by role.
inline constexpr char KEY_PrinterStatusZrQx[] = "IsbtnPrinterStatus_ZRQX";
inline constexpr char KEY_PrintTextZr905k[] = "btnPrintText_ZR905K";
inline constexpr char KEY_MobileBtn7ParameterSetting[] = "BTN7_ParameterSetting";
inline constexpr char KEY_MobileBtn7FontDownload[] = "BTN7_FontDownload";
