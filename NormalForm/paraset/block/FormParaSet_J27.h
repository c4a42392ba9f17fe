#pragma once
// Parameter form of the J27 receipt-and-label printers (block layout E): Bluetooth name and
// password for the Bluetooth models, paper kind, speed, heat, density, command protocol
// (switchable for the listed models), character sets and the Korean character mode. After
// a good write the printer is told to restart.
#include "mdlParaSetForm.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class TRadioGroup;

class T_frmParaSet_J27 : public TParaSetForm {
    Q_OBJECT
public:
    explicit T_frmParaSet_J27(QWidget* parent = nullptr);

    QGroupBox* gpbBT = nullptr;
    QLabel* lblBTName = nullptr;
    QLineEdit* txtBTName = nullptr;
    QLabel* lblBTNameLen = nullptr;
    QLabel* lblBTPWD = nullptr;
    QLineEdit* txtBTPWD = nullptr;
    QLabel* lblBTPWDLen = nullptr;
    QGroupBox* gpbOther = nullptr;
    QLabel* lblJudgePaperMode = nullptr;
    QComboBox* cmbJudgePaperMode = nullptr;
    QLabel* lblPrintSpeed = nullptr;
    QComboBox* cmbPrintSpeed = nullptr;
    QLabel* lblHeatAdj = nullptr;
    QComboBox* cmbHeatAdj = nullptr;
    QLabel* lblDensity = nullptr;
    QComboBox* cmbDensity = nullptr;
    QLabel* lblProtocolType = nullptr;
    QComboBox* cmbProtocolType = nullptr;
    QGroupBox* gpbLanguage = nullptr;
    QLabel* lblInternationalCharacter = nullptr;
    QComboBox* cmbInternationalCharacter = nullptr;
    QLabel* lblCodepage = nullptr;
    QComboBox* cmbCodepage = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* ComboBox1 = nullptr;  // character mode of Korean models
    TRadioGroup* gpbAutoPosition = nullptr;

    bool HasBluetooth() const { return FBluetooth; }

protected:
    void InitLanguage() override;
    void PrepareLists() override;
    void ApplyModelRules() override;
    void SplitSetting() override;
    void ReplacePrintSetting() override;
    bool CheckBeforeSet() override;
    void AfterGoodWrite() override;

private:
    void Build();
    bool FBluetooth = false;
};
