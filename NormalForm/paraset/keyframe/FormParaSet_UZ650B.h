#pragma once
// Parameter form of the UZ650B printer: Bluetooth name and PIN, label auto-positioning at
// power-on, paper detection mode, print speed, density and command protocol, each read
// and written as a key frame with operation byte 1. No command of the main window opens
// it; it works whenever it is shown.
#include "mdlKeyFrameForm.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

class T_frmParaSet_UZ650B : public QDialog {
    Q_OBJECT
public:
    explicit T_frmParaSet_UZ650B(QWidget* parent = nullptr);

    QGroupBox* gpbAutoPosition;
    QRadioButton* rbAutoPosition0;
    QRadioButton* rbAutoPosition1;
    QButtonGroup* grpAutoPosition;
    QGroupBox* gpbBT;
    QLabel* lblBTName;
    QLineEdit* txtBTName;
    QLabel* lblBTNameLen;
    QLabel* lblBTPWD;
    QLineEdit* txtBTPWD;
    QLabel* lblBTPWDLen;
    QGroupBox* gpbOther;
    QLabel* lblJudgePaperMode;
    QComboBox* cmbJudgePaperMode;
    QLabel* lblPrintSpeed;
    QComboBox* cmbPrintSpeed;
    QLabel* lblDensity;
    QComboBox* cmbDensity;
    QLabel* lblProtocolType;
    QComboBox* cmbProtocolType;
    QPushButton* btnSet;
    QPushButton* btnClose;
    QTimer* Timer1;

    void FormShow();
    void InitLanguage();
    void ki3vhe8v();
    void btnSetClick();
    void btnCloseClick();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TKfControl ControlOf(uint16_t id);

    TKfFilled* FFilled;
    bool FShown = false;
};
