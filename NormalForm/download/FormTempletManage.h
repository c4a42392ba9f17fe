#pragma once
// The storage managers of TSPL printers: T_frmImagesManageTSPL and T_frmTempletManage are
// the same window (one base, two classes). They list the files of the printer's flash or
// DRAM with the free and used space, print one (RUN), delete one, all of one storage or all
// of both, and open the download window T_frmDownloadFile_TSPL.
#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class T_frmDownloadFile_TSPL;

// How a manager shows its download window (null: modal run). Tests put a function here so
// that nothing blocks.
void SetStorageDownloadShowForTests(std::function<void(T_frmDownloadFile_TSPL& window)> show);

class TTsplStorageManager : public QDialog {
    Q_OBJECT
public:
    QLabel* lblTempletList = nullptr;
    QLabel* lblSpaceInfo = nullptr;
    QListWidget* lstImagesList = nullptr;
    QPushButton* btnDownload = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* btnDelCurrent = nullptr;
    QPushButton* btnDelPosiAll = nullptr;
    QPushButton* btnRefresh = nullptr;
    QPushButton* btnClose = nullptr;
    QLabel* lblTempletSavePosition = nullptr;
    QComboBox* cmbTempletSavePosition = nullptr;
    QPushButton* btnDelAll = nullptr;

    void FormShow();
    void InitLanguage();
    void RefreshTemplet();
    void MouseClick(QObject* sender);
    void btnCloseClick();
    // The first space value of the last good space reply.
    uint32_t LastFirstSpace() const { return lastFirstSpace_; }

protected:
    TTsplStorageManager(const char* className, QWidget* parent);
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void OpenPortReported();
    QString spaceTemplate_, delCurrentTip_, delAllTip_;
    uint32_t lastFirstSpace_ = 0;
};

class T_frmImagesManageTSPL : public TTsplStorageManager {
    Q_OBJECT
public:
    explicit T_frmImagesManageTSPL(QWidget* parent = nullptr);
};

class T_frmTempletManage : public TTsplStorageManager {
    Q_OBJECT
public:
    explicit T_frmTempletManage(QWidget* parent = nullptr);
};
