#pragma once
// Parameter form of the ZR series: reads every setting by text command after the form is
// painted (progress in the status bar), lets the operator edit, writes back on Set (then
// "save_param" and "reset_printer"), and saves/loads the control states to a file on
// the DPL model.
#include "mdlParaSet_ZRPass.h"
#include "mdlTextParaWidgets.h"

#include <QDialog>
#include <QStringList>
#include <functional>
#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTimer;
class QWidget;
class TRadioGroup;
class TObj_Ult_PrtParaManage;

class T_frmParaSet_ZR : public TTextParaDialog {
    Q_OBJECT
public:
    explicit T_frmParaSet_ZR(QWidget* parent = nullptr);
    ~T_frmParaSet_ZR() override;

    // Tests and the settings buttons: the file dialogs (empty result = cancelled).
    using TFileDialogFn = std::function<QString(QWidget* parent, bool save)>;
    static void SetFileDialogHook(TFileDialogFn fn);

    // Steps (published as the operator's buttons and the timers run them).
    void FormShow();   // layout, captions, lists; arms the first-read timer
    void ReadRun();    // the first-read timer: open, read, close
    void btnSetClick();
    void btnCloseClick();
    void btnSaveClick();
    void btnLoadClick();
    void SaveSettings(const QString& fileName);
    void LoadSettings(const QString& fileName);

    const zrpara::TZrSetup& Setup() const { return setup_; }
    const zrpara::TZrState& State() const { return state_; }
    QString StatusText() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildUi();
    void InitLanguage();
    void ComboPicked(const QString& name) override;
    void EditLeft(QLineEdit* edit) override;
    void SetStatus(const QString& text);
    void cmbProtocolChange();
    void cmbDHCPChange();
    void cmbJudgePaperModeChange();
    void cmbReleasePaperChange();
    void RefreshReleasePaperTip();
    zrpara::TZrSetup setup_;
    zrpara::TZrState state_;
    std::unique_ptr<TObj_Ult_PrtParaManage> rows_;
    bool shown_ = false;
    bool muteReleasePaper_ = false;

    QTabWidget* pagecA = nullptr;
    QWidget* tabsUserParaA = nullptr;
    QWidget* tabsEthernetSetting = nullptr;
    QWidget* tabsCOM = nullptr;
    QWidget* tabsUserParaBt = nullptr;
    QWidget* tabsUserParaB = nullptr;
    QGroupBox* gpbOther = nullptr;
    QGroupBox* gpbLanguage = nullptr;
    QGroupBox* gpbEthernetSetting = nullptr;
    QGroupBox* gpbCOM = nullptr;
    QGroupBox* gpbBT = nullptr;
    QPushButton* btnSet = nullptr;
    QPushButton* btnClose = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnLoad = nullptr;
    QStatusBar* StatusBarA = nullptr;
    QLabel* statusPanel_ = nullptr;
    QTimer* tmA = nullptr;
    QTimer* firstRead_ = nullptr;
    QTimer* statusClear_ = nullptr;
};
