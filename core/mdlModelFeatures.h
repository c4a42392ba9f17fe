#pragma once
// Per-printer feature switches and permission values, recomputed for the selected
// printer (current base name and default name), and the start-up check of the TSPL library.
#include <QString>
#include <cstdint>

// Recomputes every switch and permission value for the selected printer.
void ApplyModelFeatures();
// True when no "BTN7" mapping exists or the TSPL library could create a printer object for
// it (on a handle of its own); errorText := "TSPL ERR(CRT ERR)" on failure.
bool CheckTsplSdk(QString& errorText);

// Names of the selected printer: PrtDefName and PrtBasName of mdlCurrentPrinter.h (the
// main window sets them through SetCurrentPrinterNames before ApplyModelFeatures).
void SetSelectedPrinterNames(const QString& prtDefName, const QString& prtBasName);
QString SelectedPrtDefName();
QString SelectedPrtBasName();

// Stored value of a permission item after the last ApplyModelFeatures (0 when unknown);
// the store is the link's ParamGlobals() (mdlDevBasePrt.h).
int32_t PermissionValue(const QString& itemNo);

// Switches read by other windows (0 before the first selection).
int32_t ProtocolTypeSwitch();
int32_t PaperModeSwitchA();
int32_t PaperModeKeyKind();
int32_t PaperModeSwitchB();
int32_t PaperModeQueryOn();
int32_t ExtraKeySwitch();
int32_t PrintTextFeedCount();
// 1 when the selected printer supports the wide release-paper range.
uint8_t ReleasePaperSupported();
