#pragma once
// Feature-flag setter (TASetFtnA) and the current feature descriptor. The setter applies the
// built-in capability lists to a descriptor, maps a few model keys to their base family and
// runs the USB-id resolution steps and the extra-names lookup over the current descriptor.
#include <QString>

class TFtnABase;

// Per-printer feature keys tested by the application state.
inline constexpr char FTNNo_WifiSet_0[] = "FTNNo_WifiSet_0";
inline constexpr char FTNNo_WifiSet_0_Type1[] = "FTNNo_WifiSet_0_Type1";
inline constexpr char FTNNo_WifiSet_0_Type2_L46[] = "FTNNo_WifiSet_0_Type2_L46";
inline constexpr char FTNNo_WifiReset_0[] = "FTNNo_WifiReset_0";
inline constexpr char FTNNo_WifiSet_0_RestoreFEsc[] = "FTNNo_WifiSet_0_RestoreFEsc";
inline constexpr char FTNNo_AdvancedSettings_0[] = "FTNNo_AdvancedSettings_0";
inline constexpr char FTNNo_Bluetooth_0_SetBTFun[] = "FTNNo_Bluetooth_0_SetBTFun";
inline constexpr char FTNNo_Bluetooth_0_SetBTFun2[] = "FTNNo_Bluetooth_0_SetBTFun2";
inline constexpr char FTNNo_ProtocolTypeGet_0[] = "FTNNo_ProtocolTypeGet_0";
inline constexpr char FTNNo_ReadPrtBasicInfo_0[] = "FTNNo_ReadPrtBasicInfo_0";
inline constexpr char FTNNo_btnPrintText_0[] = "FTNNo_btnPrintText_0";
inline constexpr char FTNNo_IsbtnSetArabic[] = "FTNNo_IsbtnSetArabic";
inline constexpr char FTNNo_IsbtnDownloadImages[] = "FTNNo_IsbtnDownloadImages";
inline constexpr char FTNNo_L44_ParameterSetting[] = "FTNNo_L44_ParameterSetting";
inline constexpr char FTNNo_L46_ParameterSetting[] = "FTNNo_L46_ParameterSetting";

class TASetFtnA {
public:
    // SetModelListFlags, then SetExtraModelFlag.
    void SetFlags(TFtnABase* descriptor, const QString& model) const;
    // The six version flags from their lists (version 99 needs the "Real" marker to be set
    // and is left as it was when the marker is missing).
    void SetModelListFlags(TFtnABase* descriptor, const QString& model) const;
    void SetExtraModelFlag(TFtnABase* descriptor, const QString& model) const;
};

void CreateASetFtnA();       // creates the singleton when missing
void FreeASetFtnA();         // frees it and clears the reference
TASetFtnA* GetASetFtnA();    // null before CreateASetFtnA

// Creates the descriptor class of model (exact compare with the twelve names, else a plain
// TFtnABase), makes it current (the previous one is freed), then Unlock, Reset and slots 1-4.
TFtnABase* CreateFtnAByModel(const QString& model);
// The current descriptor. This module owns it; the second reference (read by the
// printer-management window) always names the same object or nothing.
void SetCurrentFtnA(TFtnABase* descriptor);  // frees the previous one, takes ownership
void FreeCurrentFtnA();                      // frees it; both references are cleared
TFtnABase* GetCurrentFtnA();
TFtnABase* GetCurrentFtnA2();                // the second reference

// extra name 1 + "," + extra name 2 when model is in the current descriptor's extra list.
QString GetExtraNamesByModel(const QString& model, bool& found);

// Rows A, B (C) and the exact-name row of the current descriptor against an identity text.
// found/matched false, flag true, note '' at start; result is left alone unless found.
// A USB match sets the matched VPID text and writes the Str/No keys of the record of model.
void ResolveModelByUsbId(const QString& model, const QString& identity, bool nameRowAllowed,
                         bool& found, QString& result, bool& matched, bool& flag,
                         QString& note);
// Rows D and E of the current descriptor, for models of the second-step gate list.
void ResolveModelByUsbIdStep2(const QString& model, const QString& identity, QString& result,
                              bool& flag, bool& matched);
