#pragma once
// Model catalogue: fixed model names and USB identity texts, the USB id predicates, the
// built-in capability lists (comma-wrapped model lists, ",A,B,"), the feature-list lookup
// and the alias rule that maps three names to the W16 family.
//
// Membership of a model M in a list L is IsInCommaList(M, L): ","+M+"," occurs in L
// (exact, case-sensitive; an empty model matches lists that hold an empty entry).
//
// The data (names, vendor ids, members of every list) is authored in mdlModelData.cpp.
#include <QString>

// ---- model-name getters -------------------------------------------------------------------
QString GetModelName_V52();
QString GetModelName_V52R();
QString GetModelName_V52BT();
QString GetModelName_V64();
QString GetModelName_V64C();
QString GetModelName_Y7();
QString GetModelName_Y7BT();
QString GetModelName_Y7_01();         // the Y7 "(01)" variant
QString GetModelName_Y7_Hex();        // the Y7 variant carrying its 32-hex identifier
QString GetModelName_Y7BT_01_Hex();   // the Y7BT "(01)" variant with its 32-hex identifier
QString GetModelName_W16();
QString GetModelName_W16_Var();       // the W16 variant that HB25 devices of vendor A report
QString GetModelName_W16P();
QString GetModelName_W16P_C();
QString GetModelName_TE62();
QString GetModelName_TE62BT();
QString GetModelName_TA380();
QString GetModelName_SN723();
QString GetModelName_SN723BT();       // the SN723 Bluetooth model
QString GetModelName_HB25();
QString GetModelName_HB25_Var();      // HB25 variant (an alias of W16)
QString GetModelName_QT_V64();
QString GetModelName_QT_V64BT();
QString GetModelName_GS_PR540D();
QString GetModelName_GS_PR540X();
QString GetModelName_Kastor_Y7();
QString GetModelName_AK_S770();
QString GetModelName_BTN7();
QString GetModelName_F58S();
QString GetModelName_F58D();
QString GetModelName_Z34();
QString GetModelName_Z34BT();
QString GetModelName_ZR905K();
QString GetModelName_ZR906();
QString GetModelName_ZR908();
QString GetModelName_ZR910();
QString GetModelName_ZR912();
QString GetModelName_W7X();           // receipt/mobile model whose code pages follow the command language
QString GetModelName_J83();
QString GetModelName_J27();
QString GetModelName_L44();
QString GetModelName_L46();
QString GetModelName_D45();           // the DPL model

// ---- USB identity texts and predicates ------------------------------------------------------
// "VID_" + 4 upper-case hex digits + "&PID_" + 4 digits. Vendor A / vendor B are the maker's
// two USB vendor ids.
QString GetUsbId_VendorA_7008();
QString GetUsbId_VendorB_9008();
QString GetUsbId_VendorB_9006();
QString GetUsbId_VendorB_4011();
// True when the identity text (for example a whole device path) contains the id text.
bool IsUsbId_VendorA_7008(const QString& identity);
bool IsUsbId_VendorB_9008(const QString& identity);
bool IsUsbId_VendorB_9006(const QString& identity);
bool IsUsbId_VendorB_4011(const QString& identity);
using UsbIdPredicate = bool (*)(const QString& identity);

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
QString GetMainDefaultModelName();       // default model for printer objects and the map

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
// The model the receipt test-text window creates its printer object for when the mapped
// name is in PrintTextSubstModels.
QString PrintTextSubstituteModel();
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

// ---- operations ----------------------------------------------------------------------------
// Builds every list once (a counter guards it); FreeModelLists clears them all and allows a
// new build.
void BuildModelLists();
void FreeModelLists();
// result := name, found := false; three alias names give "W16" and found := true.
QString MapModelAlias(const QString& name, bool& found);
// Looks featureName up among the eleven feature names; list := its list ('' when unknown);
// result: IsInCommaList(model, list).
bool FeatureModelListLookup(const QString& featureName, const QString& model, QString& list);
bool IsFeatureModel(const QString& featureName, QString& list);
bool IsFeatureModel(const QString& featureName);
bool IsModelInFeatureList(const QString& featureName);  // same as IsFeatureModel
// Built-in default list of a [ParameterSet] key of "PrinterTypeList_Label.ini" /
// "PrinterTypeList_Mobile.ini"; found is false (and the result '') for other keys.
QString BuiltinLabelFeatureModels(const QString& key, bool& found);
QString BuiltinMobileFeatureModels(const QString& key, bool& found);
// Key names chosen for the keys the catalogue only knows by role.
inline constexpr char KEY_PrinterStatusZrQx[] = "IsbtnPrinterStatus_ZRQX";
inline constexpr char KEY_PrintTextZr905k[] = "btnPrintText_ZR905K";
inline constexpr char KEY_MobileBtn7ParameterSetting[] = "BTN7_ParameterSetting";
inline constexpr char KEY_MobileBtn7FontDownload[] = "BTN7_FontDownload";
