#pragma once
// Parameter form of the W16 family (block layout B): serial speed, density, code page,
// buzzer, backlight, sensor location, the two reprint groups, start positions and the
// stop-print time. The W16_Vuzivaz form (FormParaSet_W16_Vuzivaz.h) is this form with
// print speed, heat fine-tune and power protection added.
#include "mdlParaSetForm.h"

class QComboBox;
class QLabel;
class QLineEdit;
class TRadioGroup;

class T_frmParaSet_W16 : public TParaSetForm {
    Q_OBJECT
public:
    explicit T_frmParaSet_W16(QWidget* parent = nullptr);

    QLabel* lblBaudRate = nullptr;
    QComboBox* cmbBaudRate = nullptr;
    QLabel* lblDensity = nullptr;
    QComboBox* cmbDensity = nullptr;
    QLabel* lblCodepage = nullptr;
    QComboBox* cmbCodepage = nullptr;
    QLabel* lblBuzzerSound = nullptr;
    QComboBox* cmbBuzzerSound = nullptr;
    QLabel* lblBackLight = nullptr;
    QComboBox* cmbBackLight = nullptr;
    QLabel* lblSenserLoaction = nullptr;
    QComboBox* cmbSenserLoaction = nullptr;
    QLabel* lblPrintSpeed = nullptr;  // W16_Vuzivaz only
    QComboBox* cmbPrintSpeed = nullptr;
    QLabel* lblHeatAdj = nullptr;
    QComboBox* cmbHeatAdj = nullptr;
    TRadioGroup* gpbReprintWhenError = nullptr;
    TRadioGroup* gpbPrintReprint = nullptr;
    TRadioGroup* RadioGroup1 = nullptr;  // power protection, W16_Vuzivaz only
    QLabel* lblPrintToStop = nullptr;
    QLineEdit* txtPrintToStop = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* lblVOrigin = nullptr;
    QLineEdit* txtVOrigin = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* lblHOrigin = nullptr;
    QLineEdit* txtHOrigin = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblStopPrint1 = nullptr;
    QLineEdit* txtStopPrint = nullptr;
    QLabel* lblStopPrint2 = nullptr;

    // "W16" or "W16V": the form's rows of the layout table.
    QString FormCode() const { return FVuzivaz ? QStringLiteral("W16V") : QStringLiteral("W16"); }

protected:
    // The W16_Vuzivaz form.
    T_frmParaSet_W16(bool vuzivaz, QWidget* parent);

    void InitLanguage() override;
    void PrepareLists() override;
    void ApplyModelRules() override;
    void SplitSetting() override;
    void ReplacePrintSetting() override;

private:
    void Build();
    bool FVuzivaz = false;
};
