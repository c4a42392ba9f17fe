#pragma once
// The bulk firmware update window: the operator scans the network (discovery on port
// 8089), chooses one block firmware file and starts; one TUpdateFWThread per listed printer
// updates it over its own connection. Each row shows its state and progress; failed
// printers are listed below; one box tells when every started printer has ended.
//
// During a run the scan, the file choice, the start and Close are off. Closing the window
// (title bar, Escape) stops the workers, joins them and clears the window pointer the
// main window handed over.
#include "mdlFWAllUpdate.h"
#include "mdlGDL.h"

#include <QDialog>
#include <QHash>
#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TNetDiscovery;
class TForm11;

// The window the update threads report to (set by the main window before the show).
void SetFWAllUpdateForm(TForm11* form);
TForm11* FWAllUpdateForm();

// Adds one discovery reply as a row: detail is line 0 (the address), caption line 7.
// Rows are added on the GUI thread in the order the replies came in.
class TDFUThread {
public:
    explicit TDFUThread(TForm11* form) : form_(form) {}
    void SetItemDetail(const QString& detail) { detail_ = detail; }
    void SetItemCaption(const QString& caption) { caption_ = caption; }
    void Execute() { AddListItem(); }
    void AddListItem();

private:
    TForm11* form_ = nullptr;
    QString detail_, caption_;
};

class TForm11 : public QDialog {
    Q_OBJECT
public:
    // Row states shown in the status column.
    enum class TRowState { Ready, Downloading, Success, Fail };

    explicit TForm11(QWidget* parent = nullptr);
    ~TForm11() override;

    QTreeWidget* lvPortList = nullptr;
    QPushButton* btnFW = nullptr;
    QGroupBox* gpbSelectFile = nullptr;
    QLabel* lblSelectFile = nullptr;
    QLineEdit* txtFileName = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* btnDownload = nullptr;
    QPushButton* btnClose = nullptr;
    QLabel* lblProgressInfo = nullptr;
    QTreeWidget* listFailPort = nullptr;
    QLabel* lblPrinterFailList = nullptr;
    TNetDiscovery* IdUDPClient1 = nullptr;
    // The pause after a scan before the scan button is enabled again (ms).
    int ScanEndDelayMs = 500;

    // The main window's hand-over before the show.
    Q_INVOKABLE void SetFWAllUpdateForm();

    void FormCreate();
    void InitLanguage();
    void btnFWClick();
    void Button2Click();
    void btnDownloadClick();
    void btnCloseClick();

    // Adds a row (caption, address, Ready, empty progress); an address already listed is
    // ignored. False when ignored.
    bool AddPrinterRow(const QString& caption, const QString& address);

    bool IsScanning() const;
    bool IsRunning() const { return running_; }
    int FinishedCount() const { return finished_; }
    int StartedCount() const { return started_; }
    std::shared_ptr<const prt::dl::TGDLFile> Firmware() const { return firmware_; }
    // The row of a stable id (null when gone).
    QTreeWidgetItem* RowOf(int rowId) const;
    // Waits (processing events) until the scan and every worker have ended and their
    // signals arrived (tests).
    void WaitForIdle();
    // Stops the run and joins the workers.
    void StopWorkers();

signals:
    void runEnded();

protected:
    void done(int result) override;

private:
    void SetRunning(bool running);
    void SetRowState(QTreeWidgetItem* row, TRowState state);
    void OnDownloading(int rowId);
    void OnProgress(int rowId, qint64 total, qint64 chunks);
    void OnEndPhase(int rowId);
    void OnOpenFailed(int rowId, int code);
    void OnEnded(int rowId, int result);
    void CheckAllDone();
    bool LoadFirmware(const QString& path);

    QString readyText_, downloadingText_, successText_, failText_, endTipText_, scanTipText_;
    QString progressTemplate_, downloadCaption_, downloadCaption1_;
    std::shared_ptr<const prt::dl::TGDLFile> firmware_;
    QString firmwarePath_;
    std::shared_ptr<prt::dl::TBulkStop> stop_;
    std::vector<std::unique_ptr<prt::dl::TUpdateFWThread>> threads_;
    int nextRowId_ = 1;
    int started_ = 0;
    int finished_ = 0;
    bool running_ = false;
    bool scanPause_ = false;
};
