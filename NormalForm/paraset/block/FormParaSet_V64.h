#pragma once
// Parameter form of the V64 family (block layout B). Its rows are stacked by the layout
// manager: rows a model lacks are hidden and the rows below move up (outside debug mode,
// where the design-time layout stays). A hidden second tab carries the print-to-stop
// position, which is read and written like the others. After a failed read the form stays
// open with Set disabled.
#include "mdlParaSetForm.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class TObj_Ult_PrtParaManage;
class TRadioGroup;

class T_frmParaSet_V64 : public TParaSetForm {
    Q_OBJECT
public:
    explicit T_frmParaSet_V64(QWidget* parent = nullptr);
    ~T_frmParaSet_V64() override;

    QTabWidget* pagecA = nullptr;
    QWidget* tabsA = nullptr;
    QWidget* tabsB = nullptr;
    QWidget* pnlA = nullptr;
    QWidget* pnlB = nullptr;
    QWidget* pnlTool = nullptr;
    QGroupBox* gpbBT = nullptr;
    QLabel* lblBTName = nullptr;
    QLineEdit* txtBTName = nullptr;
    QLabel* lblBTNameLen = nullptr;
    QLabel* lblBTPWD = nullptr;
    QLineEdit* txtBTPWD = nullptr;
    QLabel* lblBTPWDLen = nullptr;
    QCheckBox* chkSimplePairing = nullptr;
    QLabel* lblDensity = nullptr;
    QComboBox* cmbDensity = nullptr;
    QLabel* lblHeatAdj = nullptr;
    QComboBox* cmbHeatAdj = nullptr;
    QLabel* lblDetectMode = nullptr;
    QComboBox* cmbDetectMode = nullptr;
    QLabel* lblPrintSpeed = nullptr;
    QComboBox* cmbPrintSpeed = nullptr;
    QLabel* lblCodepage = nullptr;
    QComboBox* cmbCodepage = nullptr;
    QLabel* lblVOrigin = nullptr;
    QLineEdit* txtVOrigin = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* lblHOrigin = nullptr;
    QLineEdit* txtHOrigin = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblStopPrint1 = nullptr;
    QLineEdit* txtStopPrint = nullptr;
    QLabel* lblStopPrint2 = nullptr;
    TRadioGroup* gpbReprintWhenError = nullptr;
    TRadioGroup* gpbPrintReprint = nullptr;
    QLabel* lblPrintToStop = nullptr;
    QLineEdit* txtPrintToStop = nullptr;
    QLabel* Label16 = nullptr;

    // True when the model has Bluetooth: the current model in [ParameterSet] "V64WithBT",
    // or the listed model in the OEM Bluetooth list.
    static bool V64HasBluetooth();
    bool HasBluetooth() const { return FBluetooth; }
    TObj_Ult_PrtParaManage* LayoutManager() const { return FManage.get(); }

    // The detect mode enables the reprint groups (item 0, continuous paper, disables them);
    // models of "ReprintDisenable" keep them disabled.
    void cmbDetectModeChange();

protected:
    void InitLanguage() override;
    void PrepareLists() override;
    void ApplyModelRules() override;
    void SplitSetting() override;
    void ReplacePrintSetting() override;
    bool CloseAfterFailedRead() const override { return false; }

private:
    void Build();
    void InitFormData();
    void InitLayout();
    void ApplyModelLayout();
    void AdjustFormSize();
    void FreeFormData();
    // The rows of this model: Bluetooth rows only with Bluetooth; 76 and 80 not for the
    // single OEM model.
    QList<int> SkippedBytes() const;

    std::unique_ptr<TObj_Ult_PrtParaManage> FManage;
    bool FBluetooth = false;
};
