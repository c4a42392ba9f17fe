#pragma once
// T_frmScanTest: asks a printer with a built-in scanner to trigger it, waits for the
// scanned text and prints it back on a TSPL label.
#include <QByteArray>
#include <QDialog>
#include <QStringList>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The 26-byte scan trigger: the text command do "scan_trigger".
QByteArray ScanTriggerCommand();
// The label job: CLS, SIZE, one TEXT per line (x 10, y 10 + 40 i, font "9"), PRINT 1. A
// double quote inside a line is sent as \["].
QByteArray ScanLabelJob(const QString& width, const QString& height, const QStringList& lines);
// The input check; empty when the values may be used, else the message.
QString CheckScanSize(const QString& width, const QString& height);

class T_frmScanTest : public QDialog {
    Q_OBJECT
public:
    explicit T_frmScanTest(QWidget* parent = nullptr);
    void btnScanTestClick();
    void tmrScanTestTimer();
    int TickCount() const { return FTicks; }
    int ReadWaitMs = 100;  // wait before each of the ten reads (tests shorten it)

    QGroupBox* grpTestParam = nullptr;
    QLabel* lblPrintWidth = nullptr;
    QLineEdit* edtPrintWidth = nullptr;
    QLabel* lblPrintWidthUnit = nullptr;
    QLabel* lblPrintHeight = nullptr;
    QLineEdit* edtPrintHeight = nullptr;
    QLabel* lblPrintHeightUnit = nullptr;
    QPushButton* btnScanTest = nullptr;
    QTimer* tmrScanTest = nullptr;

signals:
    void testEnded();

private:
    int FTicks = 0;
};
