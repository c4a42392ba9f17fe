#pragma once
// TForm13: finds network printers by one discovery datagram and lists each answer (name
// and address); the operator marks one and presses OK. The chosen address goes back
// through gChosenPrinterAddress, which each caller empties before showing the window.
// The scan runs asynchronously: the window stays responsive and is never freed while a
// handler of it runs (closing cancels the scan).
#include <QDialog>
#include <QString>

class QPushButton;
class QTreeWidget;
class TNetDiscovery;

extern QString gChosenPrinterAddress;

class TForm13 : public QDialog {
    Q_OBJECT
public:
    explicit TForm13(QWidget* parent = nullptr);
    ~TForm13() override;

    void btnFWClick();       // scan
    void lvPortListClick();  // mark the selected row
    void btnOpenClick();
    void btnCloseClick();
    int OKFlag() const { return FOKFlag; }
    TNetDiscovery* Discovery() const { return FDiscovery; }
    // Ms waited after the scan before the scan button comes back (tests shorten it).
    int AfterScanMs = 500;

    QTreeWidget* lvPortList = nullptr;
    QPushButton* btnFW = nullptr;
    QPushButton* btnOpen = nullptr;
    QPushButton* btnClose = nullptr;

signals:
    void scanEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ScanFinished();
    TNetDiscovery* FDiscovery = nullptr;
    int FOKFlag = 0;
};
