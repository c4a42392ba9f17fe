#pragma once
// The over-the-air firmware window: the operator chooses a firmware file and sends it to the
// current printer. A TOtaSender switches the printer into its update mode (by model), asks
// its package length and streams the packets on its worker. The download button doubles as
// the cancel button; closing the window (button or title bar) cancels and joins.
#include "mdlDLCommon.h"
#include "mdlOTA.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

class TfrmDFU_W16P : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDFU_W16P(QWidget* parent = nullptr);
    ~TfrmDFU_W16P() override;

    QLabel* lblSelectFile = nullptr;
    QLabel* lblProgressInfo = nullptr;
    QLineEdit* txtFileName = nullptr;
    QPushButton* btnClose = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* btnDownload = nullptr;
    QProgressBar* proDLFont = nullptr;

    // 1: opened for a printer's Wi-Fi module; 0 otherwise.
    Q_INVOKABLE void DfuSetMode(int mode);
    int WifiMode() const { return wifiMode_; }

    void FormShow();
    void InitLanguage();
    void Button2Click();
    void btnDownloadClick();
    void btnCloseClick();

    bool IsRunning() const { return running_; }
    prt::dl::TOtaSender& Sender() { return *sender_; }
    void WaitForSender();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void SetRunning(bool running);
    void OnStarted(int count);
    void OnProgress(int index, int count, int kbSent, int kbTotal);
    void OnEnded(int result, int openCode);

    int wifiMode_ = 0;
    bool running_ = false;
    QString progressTemplate_, cancelCaption_, downloadCaption_, ioErrorText_;
    std::unique_ptr<prt::dl::TOtaSender> sender_;
    std::unique_ptr<prt::dl::TDLSdkKindGuard> kindGuard_;
};
