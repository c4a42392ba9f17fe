#pragma once
// T_frmPrinterStatus: reads the 20-byte status block (getval "printer_status") and lists
// the conditions whose flag bits are set, one per line.
#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// Language keys of the set flags of a status block, in table order (byte 18 bits 0-7,
// then byte 17 bits 0-5). Empty for a block shorter than 19 bytes.
QStringList PrinterStatusKeys(const QByteArray& block);

class T_frmPrinterStatus : public QDialog {
    Q_OBJECT
public:
    explicit T_frmPrinterStatus(QWidget* parent = nullptr);
    void FormShow();
    void btnRefreshClick();

    QLabel* lblPrinterStatus = nullptr;
    QPlainTextEdit* RichEdit1 = nullptr;
    QPushButton* btnRefresh = nullptr;
    QPushButton* btnClose = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};
