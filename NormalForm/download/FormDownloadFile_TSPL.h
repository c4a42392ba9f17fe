#pragma once
// Sends prepared files to a TSPL printer with its DOWNLOAD command: each file holds the rest
// of the command after the prefix "DOWNLOAD " (DRAM) or "DOWNLOAD F," (flash). The files go
// out on a worker in slices of 1024 bytes; the window's buttons wait meanwhile.
#include <QDialog>
#include <QStringList>
#include <atomic>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;
class QThread;

class T_frmDownloadFile_TSPL : public QDialog {
    Q_OBJECT
public:
    explicit T_frmDownloadFile_TSPL(QWidget* parent = nullptr);
    ~T_frmDownloadFile_TSPL() override;

    QLabel* lblImagesList = nullptr;
    QListWidget* lstTempletsList = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnDel = nullptr;
    QPushButton* btnDownload = nullptr;
    QPushButton* btnClose = nullptr;

    // true: DRAM; false: flash. Set by the manager before the show.
    void SetStorageDram(bool dram) { dram_ = dram; }
    bool StorageDram() const { return dram_; }

    void FormShow();
    void InitLanguage();
    void btnAddClick();
    void btnDelClick();
    void btnDownloadClick();
    void btnCloseClick();
    bool IsSending() const { return sending_; }
    void WaitForSender();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void SetSending(bool sending);
    void OnEnded(int result, const QString& file);
    void StopSender();

    bool dram_ = false;
    bool sending_ = false;
    std::atomic<bool> stop_{false};
    QThread* worker_ = nullptr;
};
