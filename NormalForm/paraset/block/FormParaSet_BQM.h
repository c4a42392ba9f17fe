#pragma once
// Parameter form of the BQM receipt-and-label printers (block layout C), also the form of
// every model no family claims. Before it reads, it opens the port and asks the printer
// which command language it runs; the answer picks the block request.
#include "mdlParaSetForm.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class TRadioGroup;

class T_frmParaSet_BQM : public TParaSetForm {
    Q_OBJECT
public:
    explicit T_frmParaSet_BQM(QWidget* parent = nullptr);

    QGroupBox* gpbCOMPortSet = nullptr;
    QLabel* lblBaudRate = nullptr;
    QComboBox* cmbBaudRate = nullptr;
    QGroupBox* gpbLanguage = nullptr;
    QLabel* lblInternationalCharacter = nullptr;
    QComboBox* cmbInternationalCharacter = nullptr;
    QLabel* lblCodepage = nullptr;
    QComboBox* cmbCodepage = nullptr;
    QGroupBox* gpbPrinterConfig = nullptr;
    QLabel* lblDensity = nullptr;
    QComboBox* cmbDensity = nullptr;
    QLabel* lblJudgePaperMode = nullptr;
    QComboBox* cmbJudgePaperMode = nullptr;
    QLabel* lblProtocolType = nullptr;
    QComboBox* cmbProtocolType = nullptr;
    QLabel* lblMarkMaxLength = nullptr;
    QLineEdit* txtMarkMaxLength = nullptr;
    QLabel* lblLabelMinLength = nullptr;
    QLineEdit* txtLabelMinLength = nullptr;
    QLabel* lblLabelMaxLength = nullptr;
    QLineEdit* txtLabelMaxLength = nullptr;
    QLabel* lblValleyThresholdRate = nullptr;
    QLineEdit* txtValleyThresholdRate = nullptr;
    QLabel* lblVoltageBetweenLabelGap = nullptr;
    QLineEdit* txtVoltageBetweenLabelGap = nullptr;
    QLabel* lblHeatAdj = nullptr;
    QComboBox* cmbHeatAdj = nullptr;
    QLabel* lblPrintSpeed = nullptr;
    QComboBox* cmbPrintSpeed = nullptr;
    TRadioGroup* gpbAutoPosition = nullptr;

    // Leaving the voltage edit: empty or "." to "0", clamped to 0..3.3.
    void CheckVoltage();

protected:
    void InitLanguage() override;
    void PrepareLists() override;
    void ApplyModelRules() override;
    void SplitSetting() override;
    void ReplacePrintSetting() override;
    bool ReadParameters(QString& result) override;

private:
    void Build();
};
