#pragma once
// RFID settings: write, read, write-and-read a tag, read and set the encoder's transmit
// power and RSSI level, read the RFID firmware version (models that have one) and start
// a calibration. The exchanges live in TRfidSession (mdlRfidSession.h); the window
// gathers the inputs, keeps itself disabled with the busy cursor while a tag operation
// runs (close requests wait for its end) and shows the outcome.
#include "mdlRfidSession.h"

#include <QDialog>
#include <QStringList>
#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;

class TfrmRfidSet : public QDialog {
    Q_OBJECT
public:
    explicit TfrmRfidSet(QWidget* parent = nullptr);
    ~TfrmRfidSet() override;

    // ---- controls (objectName = member name)
    QFrame* pnlB = nullptr;
    QPushButton* btnClose = nullptr;
    QFrame* pnlC = nullptr;
    QLabel* lblRfidW = nullptr;
    QLineEdit* edtRfidW = nullptr;
    QCheckBox* chkWR = nullptr;
    QLabel* lblRfidIpnutLen = nullptr;
    QPushButton* btnRfidW = nullptr;
    QLabel* lblRfidRLen = nullptr;
    QLineEdit* edtRfidRLen = nullptr;
    QLabel* lblRfidR = nullptr;
    QLineEdit* edtRfidR = nullptr;
    QPushButton* btnRfidR = nullptr;
    QLabel* lblTranPower = nullptr;
    QLineEdit* edtTranPower = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* btnWTranPower = nullptr;
    QLabel* lblRssiStrength = nullptr;
    QLineEdit* edtRssiStrength = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* btnWRssiStrength = nullptr;
    QLabel* lblRfidVersion = nullptr;
    QLineEdit* edtRfidVersion = nullptr;
    QPushButton* btnReadPara = nullptr;
    QPushButton* btnRfidLearn = nullptr;
    QPlainTextEdit* mmoInfo = nullptr;
    QTabWidget* pagecA_2 = nullptr;
    QWidget* tabsUserParaA_2 = nullptr;
    QWidget* tabsUserParaB_2 = nullptr;
    QWidget* tabsUserParaBt_2 = nullptr;
    QFrame* pnlUserParaA_2 = nullptr;
    QFrame* pnlUserParaB_2 = nullptr;
    QFrame* pnlUserParaBt_2 = nullptr;
    QLineEdit* txtSupport_RfidVersion = nullptr;

    // ---- events
    void FormCreate();
    void FormResize();
    void btnCloseClick();
    void pnlCDblClick();
    void btnRfidRClick();
    void btnRfidWClick();
    void chkWRClick();
    void edtRfidWChange();
    void btnReadParaClick();
    void btnRfidLearnClick();
    void btnWTranPowerClick();
    void btnWRssiStrengthClick();
    // Key filters: true when the key is kept; the tag-data filter upper-cases letters.
    static bool edtRfidRLenKeyPress(QChar key);
    static bool edtRfidWKeyPress(QChar& key);

    // ---- operations
    void FitWidth();
    // The write-and-read check box takes its text's width, the data edit gives up the room.
    void FitWriteRow();
    void InitTexts();
    void UpdateWriteLenHint(bool refresh);
    void ShowInfo(const QString& text);
    void AddLogLine(const QString& text);
    void ReadTag();
    void WriteTag();
    void WriteAndReadTag();
    bool CheckReadLen();
    bool CheckPowerLevel();
    bool CheckRssiLevel();

    // The port procedures, clock and sleep the actions use (tests replace them).
    void SetRfidIo(TRfidIo io) { FIo = std::move(io); }
    bool IsBusy() const { return FBusy; }
    // Escape: ignored while a tag operation runs, like a close request.
    void reject() override;
    int LogLineCount() const { return FLogLines; }
    // The message fields ("Lang00010013", then "Lang00010001" .. "Lang00010012").
    const std::array<QString, 13>& Messages() const { return FMsg; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    // The busy frame of a tag operation around `run`.
    void RunTagOperation(QPushButton* button, const std::function<void()>& run);
    void ShowOutcome(const TRfidOutcome& outcome);
    void ShowError(const QString& text);
    QString Msg(int number) const;  // the field of "Lang000100<number>"
    TRfidSession Session() const;
    void SetLevel(bool (TfrmRfidSet::*check)(), const QByteArray& key, QLineEdit* edit, QPushButton* button);

    int FReadLenDefault = 12;
    int FWriteLenLimit = 12;
    std::array<QString, 13> FMsg;
    int FMinHeight = 359;
    int FMinWidth = 591;
    TRfidIo FIo;
    bool FBusy = false;
    int FLogLines = 0;
};
