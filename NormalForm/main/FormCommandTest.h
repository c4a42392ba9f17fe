#pragma once
// T_frmCommandTest: the raw command console. The operator types or loads data on one of
// five pages, sends it as text or hexadecimal bytes once or on a timer, and reads the
// printer's answer back as hex text. For the DPL model it shows the printer's control-code
// set, switches it, and inserts the set's control characters.
#include "mdlCommandConsole.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;

// The file the console loads (replaceable for tests; empty = cancelled).
using TConsoleOpenFileDialog = std::function<QString(QWidget* parent)>;
void SetConsoleOpenFileDialog(TConsoleOpenFileDialog dialog);

class T_frmCommandTest : public QDialog {
    Q_OBJECT
public:
    explicit T_frmCommandTest(QWidget* parent = nullptr);
    ~T_frmCommandTest() override;

    void FormShow();
    void btnSendClick();
    void timSendTimer();
    void btnReadDataClick();
    void btnLoadFileClick();
    void DataTypeClick();  // rdoChar / rdoHex clicked
    void ControlCodeClick(QPushButton* button);
    void SwitchControlCodes(const QString& set);
    void FieldExit();
    QPlainTextEdit* ActivePage() const;
    QString ControlCodeSet() const { return FControlSet; }
    QString PrinterLanguage() const { return FPrinterLanguage; }
    int LoopCount() const { return FLoopCount; }
    // Waits of the send-and-read (ms); tests shorten them.
    std::function<void(int ms)> Wait;

    QTabWidget* tabCommandPages = nullptr;
    QPlainTextEdit* RE[5] = {};
    QGroupBox* gpbDataType = nullptr;
    QRadioButton* rdoChar = nullptr;
    QRadioButton* rdoHex = nullptr;
    QPushButton* btnSend = nullptr;
    QCheckBox* chkRecycle = nullptr;
    QLabel* lblRecycleTerTime = nullptr;
    QLineEdit* txtSleepTime = nullptr;
    QLabel* lblRecycleTimes = nullptr;
    QLabel* Label4 = nullptr;
    QCheckBox* chkSendAndRead = nullptr;
    QLabel* lblReadDataLen = nullptr;
    QLineEdit* txtReadLen = nullptr;
    QLabel* lblReadData = nullptr;
    QPushButton* btnReadData = nullptr;
    QPlainTextEdit* txtReadData = nullptr;
    QPushButton* btnLoadFile = nullptr;
    QLineEdit* txtLoadFileName = nullptr;
    QPushButton* btnClearCurTab = nullptr;
    QPushButton* btnClearAllTab = nullptr;
    QPushButton* btnClose = nullptr;
    QLabel* lblSendTip = nullptr;
    QTimer* timHintTip = nullptr;
    QTimer* timSend = nullptr;
    QMenu* PopMenu = nullptr;
    QGroupBox* gControlCode = nullptr;
    QPushButton* btnStandard = nullptr;
    QPushButton* btnAlternate = nullptr;
    QPushButton* btnAlternate2 = nullptr;
    QGroupBox* gCode = nullptr;
    QPushButton* SOH = nullptr;
    QPushButton* STX = nullptr;
    QPushButton* CR = nullptr;
    QPushButton* ESC = nullptr;
    QPushButton* CountBy = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;  // the port closes with the window
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetCaptions();
    bool OpenPort();
    bool BuildSendBytes();
    bool DplActive() const;
    void StopLoop();
    void SetGroupCaption(const QString& set);

    QString FIdleCaption, FStopCaption, FCountSuffix, FCodeCaption, FSetCaptions[3];
    QString FControlSet, FPrinterLanguage;
    TControlCodes FCodes;
    int FLoopStopped = -1;
    int FLoopCount = 0;
    int FSendAndRead = 0;
    int FReadLen = 256;
    QByteArray FSendBytes;
};
