#pragma once
// The selected printer: the names every later printer operation reads. Written only by
// the main window's selection road (SetCurrentPrinterNames / SetCurrentPrtMapName), read
// everywhere.
//   PrtDefName  the model text of the selected row as the operator entered it
//   PrtBasName  the resolved base model name; every model-list test uses it
//   PrtMapName  the model name mapped by "PrinterMap.ini" (given to the connection)
// The current port string lives in the printer link (GetCurrentPortString).
#include <QString>
#include <cstdint>

extern QString PrtDefName;
extern QString PrtBasName;
extern QString PrtMapName;

// Stores both names (the per-printer switches and the helpers read them here) and hands
// them on: the feature-list lookup model of the catalogue and the link's current model name.
void SetCurrentPrinterNames(const QString& prtDefName, const QString& prtBasName);
void SetCurrentPrtMapName(const QString& prtMapName);
// Protocol number of the current printer (0 ESC/POS, 1 TSPL, 3 CPCL, 4 ZPL, 5 EPL); set from
// the protocol probe before most commands. 1 until a probe ran.
int32_t GetCurrentProtocolNo();
void SetCurrentProtocolNo(int32_t protocol);

// Empties the three names (tests, program end).
void ClearCurrentPrinterNames();
