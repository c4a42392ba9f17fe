#pragma once
// Parameter forms of the W7X label-printer family (block layout D). T_frmParaSet_W7X is
// the full form; T_frmParaSet_W7X_Vuzivaz (printers that do not answer the firmware-version
// query) and T_frmParaSet_W7X_ZR905K (models without a network interface) are the same
// form with the rows of their variant (FormParaSet_W7X_Vuzivaz.h, FormParaSet_W7X_ZR905K.h).
#include "mdlParaSetForm.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class TRadioGroup;

class T_frmParaSet_W7X : public TParaSetForm {
    Q_OBJECT
public:
    enum class TVariant { W7X, Vuzivaz, ZR905K };

    explicit T_frmParaSet_W7X(QWidget* parent = nullptr);

    QGroupBox* gpbEthernetSetting = nullptr;  // W7X, W7X_Vuzivaz
    QLabel* lblDHCP = nullptr;
    QComboBox* cmbDHCP = nullptr;
    QLabel* lblIPAddress = nullptr;
    QLabel* lblSubnet = nullptr;
    QLabel* lblDefautGateway = nullptr;
    QList<QLineEdit*> txtIP, txtSubnet, txtGateway;  // txtIP1..4, txtSubnet1..4, txtGateway1..4
    TRadioGroup* gpbAutoPosition = nullptr;
    TRadioGroup* gpbReprintWhenError = nullptr;
    TRadioGroup* gpbPrintType = nullptr;
    TRadioGroup* gpbSmallLabel = nullptr;
    QLabel* lblStopPrint1 = nullptr;
    QLineEdit* txtStopPrint = nullptr;
    QLabel* lblStopPrint2 = nullptr;
    QGroupBox* gpbOther = nullptr;
    QLabel* lblJudgePaperMode = nullptr;
    QComboBox* cmbJudgePaperMode = nullptr;
    QLabel* lblLabelMaxLength = nullptr;  // W7X, W7X_ZR905K
    QLineEdit* txtLabelMaxLength = nullptr;
    QLabel* lblLabelMaxLengthRange = nullptr;
    QLabel* lblHeatAdj = nullptr;  // W7X_Vuzivaz, W7X_ZR905K
    QComboBox* cmbHeatAdj = nullptr;
    QLabel* lblPrintSpeed = nullptr;
    QComboBox* cmbPrintSpeed = nullptr;
    QGroupBox* gpbDensity = nullptr;
    QLabel* lblDensity = nullptr;
    QComboBox* cmbDensity = nullptr;
    QGroupBox* gpbLanguage = nullptr;
    QLabel* lblCodepage = nullptr;
    QComboBox* cmbCodepage = nullptr;

    TVariant Variant() const { return FVariant; }
    // "W7X", "W7XV" or "ZR905K": the form's rows of the layout table.
    QString FormCode() const;

    // Enables the twelve address edits exactly when the static address (item 0) is chosen.
    void cmbDHCPChange();

protected:
    T_frmParaSet_W7X(TVariant variant, QWidget* parent);

    void InitLanguage() override;
    void PrepareLists() override;
    void ApplyModelRules() override;
    void SplitSetting() override;
    void ReplacePrintSetting() override;
    bool CheckBeforeSet() override;

private:
    void Build();
    bool HasEthernet() const { return FVariant != TVariant::ZR905K; }
    TVariant FVariant = TVariant::W7X;
};
