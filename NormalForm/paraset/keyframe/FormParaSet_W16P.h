#pragma once
// Parameter form of the W16P family: five print settings and the print-to-stop distance,
// plus the items that depend on the model and on permission values (reprint switch,
// cutter, paper mode, release paper, minimum paper length for learning), each read and
// written as a key frame; the printer is reset after a write.
#include "mdlKeyFrameForm.h"

#include <QDialog>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class T_frmParaSet_W16P : public QDialog {
    Q_OBJECT
public:
    explicit T_frmParaSet_W16P(QWidget* parent = nullptr);
    ~T_frmParaSet_W16P() override;

    QLabel* lblBaudRate;
    QComboBox* cmbBaudRate;
    QLabel* lblDensity;
    QComboBox* cmbDensity;
    QLabel* lblBuzzerSound;
    QComboBox* cmbBuzzerSound;
    QLabel* lblBackLight;
    QComboBox* cmbBackLight;
    QLabel* lblPrintToStop;
    QLineEdit* txtPrintToStop;
    QLabel* Label16;
    QLabel* lblPrintSpeed;
    QComboBox* cmbPrintSpeed;
    QLabel* lblReleasePaper;
    QComboBox* cmbReleasePaper;
    QLineEdit* txtSupport_ReleasePaper;
    QLabel* lblPaperMode;
    QComboBox* cmbPaperMode;
    QLineEdit* txtTip_PaperMode;
    QLabel* lblRePrintSwitch;
    QComboBox* cmbRePrintSwitch;
    QLineEdit* txtTip_RePrintSwitch;
    QLabel* lblMinStudyPaperLength;
    QLineEdit* txtMinStudyPaperLength;
    QLineEdit* txtSupport_MinStudyPaperLength;
    QLabel* lblCutters;
    QComboBox* cmbCutters;
    QLineEdit* txtTip_CutterSwitch;
    QPushButton* btnSet;
    QPushButton* btnClose;

    void FormShow();
    void InitLanguage();
    void kivhe8v();
    void btnSetClick();
    void btnCloseClick();
    void txtPrintToStopExit();
    void cmbReleasePaperChange();

    // Model tests and editability (set by the show).
    bool WideRange() const { return FWide; }
    bool CutterModel() const { return FCutter; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::vector<std::pair<uint16_t, TKfControl>> RequiredRows() const;
    bool ReprintEditable() const;
    bool PaperModeEditable() const;
    bool ReleaseSupported() const;
    bool ReadOptional(uint16_t id, const TKfControl& c, const QString& caption);
    int WriteOptional(uint16_t id, const TKfControl& c, const QString& caption);

    TKfFilled* FFilled;
    QStringList FReprintList, FCutterList, FPaperModeList, FReleaseList;
    bool FShown = false;
    bool FWide = false;
    bool FCutter = false;
    bool FReleaseChangeFlag = true;
    bool FMinLenRead = false;
    bool FMinLenWrite = false;
    int FMinLenLow = 8;
    int FMinLenHigh = 999;
    bool FException = false;
};
