#pragma once
// Fills the catalogue's RFID lists (RfidModels, RfidSecondModels of mdlModelCatalog.h).
#include <QString>

// Label: RFID list := [ParameterSet] "FTN_RfidSet_0" of the printer-type list file (fileName,
// read through ReadIniString); Mobile: ",AK-S770,V52R,"; other: unchanged. Then always
// RfidSecondModels := ",SN723BT,GS-PR540D,QT-V64BT,".
void LoadRfidModelList(const QString& toolType, const QString& typeListFileName);
