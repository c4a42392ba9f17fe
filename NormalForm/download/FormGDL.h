#pragma once
// The block firmware window: the operator chooses a firmware file, sees its blocks (name,
// body size, version, type) and sends it to the current printer. The printer is switched
// to its update mode (do "dfu"), then a TGDLSender sends the blocks on its worker. The
// download button doubles as the cancel button; closing the window cancels and joins.
#include "mdlDLCommon.h"
#include "mdlGDL.h"

#include <QDialog>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;

class TfrmGDL : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGDL(QWidget* parent = nullptr);
    ~TfrmGDL() override;

    QTreeWidget* lvDetails = nullptr;
    QGroupBox* gpbSelectFile = nullptr;
    QLabel* lblSelectFile = nullptr;
    QLabel* lblProgressInfo = nullptr;
    QLineEdit* txtFileName = nullptr;
    QPushButton* btnClose = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* btnDownload = nullptr;
    QProgressBar* proDLFont = nullptr;

    void FormShow();
    void InitLanguage();
    void Button2Click();
    void btnDownloadClick();
    void btnCloseClick();

    bool IsRunning() const { return running_; }
    // The file listed last (null before one was chosen or after a bad one).
    std::shared_ptr<const prt::dl::TGDLFile> ListedFile() const { return file_; }
    prt::dl::TGDLSender& Sender() { return *sender_; }
    // Waits (processing events) until the sender has ended and its signals arrived.
    void WaitForSender();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    bool ListFile(const QString& path);
    void SetRunning(bool running);
    void OnProgress(qint64 sent, qint64 total);
    void OnEndPhase();
    void OnEnded(int result, int status);
    void StopAndClosePort();

    bool running_ = false;
    QString downloadCaption_, cancelCaption_, progressTemplate_, ioErrorText_;
    QString listedPath_;
    std::shared_ptr<const prt::dl::TGDLFile> file_;
    std::unique_ptr<prt::dl::TGDLSender> sender_;
    std::unique_ptr<prt::dl::TDLSdkKindGuard> kindGuard_;
};

// The note shown after a firmware update of a printer that restarts to finish it (the
// text of "msgRP"; the bulk update shows it too).
QString& GDLRestartNote();
