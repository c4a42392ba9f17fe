#pragma once
// Parameter form of the QX series: reads every setting by text command when it is shown,
// lets the operator edit and writes back on Set (then "reset_printer").
#include "mdlParaSet_QXPass.h"
#include "mdlTextParaWidgets.h"

class QGroupBox;
class QPushButton;
class QTabWidget;
class QTimer;

class T_frmParaSet_QX : public TTextParaDialog {
    Q_OBJECT
public:
    explicit T_frmParaSet_QX(QWidget* parent = nullptr);
    ~T_frmParaSet_QX() override;

    void FormShow();  // captions, lists, model rules; arms the read
    void ReadRun();   // open, read (on a worker, the window stays painted), close
    void btnSetClick();
    void btnCloseClick();

    const qxpara::TQxSetup& Setup() const { return setup_; }
    const qxpara::TQxState& State() const { return state_; }

protected:
    void showEvent(QShowEvent* event) override;
    void ComboPicked(const QString& name) override;
    void EditLeft(QLineEdit* edit) override;

private:
    void BuildUi();
    void InitLanguage();
    void cmbDHCPChange();
    void RefreshReleasePaperTip();
    void ShowReadValues();

    qxpara::TQxSetup setup_;
    qxpara::TQxState state_;
    bool shown_ = false;
    bool muteReleasePaper_ = false;

    QTabWidget* pagecA = nullptr;
    QWidget* tabsA = nullptr;
    QWidget* tabsB = nullptr;
    QGroupBox* gpbLanguage = nullptr;
    QPushButton* btnSet = nullptr;
    QPushButton* btnClose = nullptr;
    QTimer* firstRead_ = nullptr;
};
