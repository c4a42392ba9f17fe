#pragma once
// The two font-file windows: TfrmDLUF (a user font with its encoding, FormDLUF.h) and
// TfrmDLFont (the quick font download, FormDLFont.h). Both choose a file, open the
// printer through the global TSPL object, and send the file with a TDLThread: a
// handshake answered by "OK", then packets padded with FF, one second after the first
// packet and 30 ms after the others. The download button doubles as the cancel button;
// closing the window cancels and joins the sender.
#include "mdlDLCommon.h"
#include "mdlDLThread.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

class TDLFontFileForm : public QDialog {
    Q_OBJECT
public:
    ~TDLFontFileForm() override;

    QLabel* lblSelectFile = nullptr;
    QLineEdit* txtFileName = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* lblFontID = nullptr;      // user font only
    QComboBox* cmbFontID = nullptr;   // user font only: GBK, BIG5, JIS, EUC, ASCII
    QPushButton* btnDownload = nullptr;
    QPushButton* btnClose = nullptr;
    QProgressBar* proDLFont = nullptr;
    QLabel* lblProgressInfo = nullptr;

    void FormShow();
    void InitLanguage();
    void Button2Click();
    void btnDownloadClick();
    void btnCloseClick();

    bool IsRunning() const { return running_; }
    int PacketSize() const { return packetSize_; }
    prt::dl::TDLThread& Sender() { return *sender_; }
    // Waits (processing events) until the sender has ended and its signals arrived.
    void WaitForSender();

protected:
    enum class Kind { UserFont, QuickFont };
    TDLFontFileForm(Kind kind, QWidget* parent);
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void SetRunning(bool running);
    void OnProgress(int index, int count);
    void OnTransferEnded(int result, int index);

    Kind kind_;
    bool running_ = false;
    QString progressText_, runningCaption_, restCaption_, errorText_;
    int kbPerPacket_ = 1;
    int totalKb_ = 0;
    int packetSize_ = prt::dl::kDefaultPacketSize;
    std::unique_ptr<prt::dl::TDLThread> sender_;
    std::unique_ptr<prt::dl::TDLSdkKindGuard> kindGuard_;
};

// Largest user font file: 3060 KB.
constexpr qint64 kMaxUserFontFileSize = 3133440;
// The quick-font lists test a model as "model," occurring anywhere in the list.
bool IsModelInNameCommaList(const QString& model, const QString& list);
