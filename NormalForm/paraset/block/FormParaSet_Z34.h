#pragma once
// Parameter form of the Z34 mobile printers: the common layout-A rows, Bluetooth name,
// password and pairing at bytes 9-31 (Bluetooth models only, else the group is hidden),
// the code page, the printer command language at byte 61 in one of three modes, and the
// lid row at byte 133 for the lid models.
#include "mdlParaSetLayoutA.h"

#include <QStringList>

class T_frmParaSet_Z34 : public TParaSetLayoutAForm {
    Q_OBJECT
public:
    explicit T_frmParaSet_Z34(QWidget* parent = nullptr);

    // 1: the name=value list of the feature switch; 2: "EPL"/"TSPL" by index;
    // 3: not editable (byte 61 untouched).
    int ProtocolMode() const { return FProtocolMode; }
    bool ReadLanguageByList() const { return FReadByList; }
    bool WriteLanguageByList() const { return FWriteByList; }
    bool BluetoothFlag() const { return FBluetooth; }

protected:
    void InitLanguage() override;
    void ApplyModelRules() override;
    void SplitSetting() override;
    void ReplacePrintSetting() override;
    bool HasBluetooth() const override { return FBluetooth; }
    bool IsLidModel() const override;

private:
    int FProtocolPos = 61;
    QStringList FProtocolValues;  // name=value lines of the command-language list
    int FProtocolMode = 3;
    bool FReadByList = false;
    bool FWriteByList = false;
    bool FBluetooth = false;
};
