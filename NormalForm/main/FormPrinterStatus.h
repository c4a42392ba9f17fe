#pragma once
// T_frmPrinterStatus: reads the 20-byte status block (getval "printer_status") and lists
// the conditions whose flag bits are set, one per line.
#include "mdlInfoReplies.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;


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
