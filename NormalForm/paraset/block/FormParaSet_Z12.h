#pragma once
// Parameter form of the Z12 mobile printers: the common layout-A rows, the language group,
// the Bluetooth name (199-214), password (20-23) and pairing (162) for Bluetooth models
// (for the others the controls are disabled and the bytes untouched), a four-digit
// password test on Set, and the printer reset after a good write.
#include "mdlParaSetLayoutA.h"

class T_frmParaSet_Z12 : public TParaSetLayoutAForm {
    Q_OBJECT
public:
    explicit T_frmParaSet_Z12(QWidget* parent = nullptr);
    bool BluetoothFlag() const { return FBluetooth; }

protected:
    void InitLanguage() override;
    void ApplyModelRules() override;
    bool CheckBeforeSet() override;
    void AfterGoodWrite() override;
    bool HasBluetooth() const override { return FBluetooth; }

private:
    bool FBluetooth = false;
};
