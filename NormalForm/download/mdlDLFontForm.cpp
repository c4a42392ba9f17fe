#include "mdlDLFontForm.h"

#include "PrtMsgBox.h"
#include "PrtPaths.h"
#include "PrtTexts.h"
#include "mdlDLCommon.h"
#include "mdlCurrentPrinter.h"
#include "mdlGlobalVar.h"
#include "mdlModelCatalog.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"
#include "mdlPubFunc.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QShowEvent>
#include <QPushButton>

using namespace prt::dl;

bool IsModelInNameCommaList(const QString& model, const QString& list)
{
    return list.contains(model + QLatin1Char(','));
}

TDLFontFileForm::TDLFontFileForm(Kind kind, QWidget* parent)
    : QDialog(parent), kind_(kind), sender_(std::make_unique<TDLThread>())
{
    if (kind_ == Kind::UserFont)
        setWindowFlag(Qt::WindowStaysOnTopHint, true);  // FormCreate
    auto* g = new QGridLayout(this);
    lblSelectFile = DLMake<QLabel>(this, "lblSelectFile");
    txtFileName = DLMake<QLineEdit>(this, "txtFileName");
    txtFileName->setMinimumWidth(280);
    Button2 = DLMake<QPushButton>(this, "Button2");
    Button2->setText(QStringLiteral("..."));
    g->addWidget(lblSelectFile, 0, 0);
    g->addWidget(txtFileName, 0, 1);
    g->addWidget(Button2, 0, 2);
    int row = 1;
    if (kind_ == Kind::UserFont) {
        lblFontID = DLMake<QLabel>(this, "lblFontID");
        cmbFontID = DLMake<QComboBox>(this, "cmbFontID");
        cmbFontID->addItems({"GBK", "BIG5", "JIS", "EUC", "ASCII"});
        g->addWidget(lblFontID, row, 0);
        g->addWidget(cmbFontID, row, 1);
        ++row;
    }
    proDLFont = DLMake<QProgressBar>(this, "proDLFont");
    lblProgressInfo = DLMake<QLabel>(this, "lblProgressInfo");
    g->addWidget(proDLFont, row, 0, 1, 3);
    g->addWidget(lblProgressInfo, row + 1, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    btnDownload = DLMake<QPushButton>(this, "btnDownload");
    btnClose = DLMake<QPushButton>(this, "btnClose");
    buttons->addStretch(1);
    buttons->addWidget(btnDownload);
    buttons->addWidget(btnClose);
    g->addLayout(buttons, row + 2, 0, 1, 3);

    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(btnDownload, &QPushButton::clicked, this, [this] { btnDownloadClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    connect(sender_.get(), &TDLThread::progress, this, &TDLFontFileForm::OnProgress);
    connect(sender_.get(), &TDLThread::transferEnded, this, &TDLFontFileForm::OnTransferEnded);
}

TDLFontFileForm::~TDLFontFileForm()
{
    sender_->CancelAndWait();
    if (kindGuard_)
        TsplClosePort();
}

void TDLFontFileForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TDLFontFileForm::done(int result)
{
    sender_->CancelAndWait();
    QCoreApplication::sendPostedEvents(this);
    if (kindGuard_) {
        TsplClosePort();
        kindGuard_.reset();
    }
    QDialog::done(result);
}

void TDLFontFileForm::FormShow()
{
    ApplyFormIcon(this);
    InitLanguage();
    ApplyFormFont(this);
    if (cmbFontID)
        cmbFontID->setCurrentIndex(0);
}

void TDLFontFileForm::InitLanguage()
{
    setWindowTitle(DLText("FormDownloadFont_Caption"));
    lblSelectFile->setText(DLText("FormDownloadFont_lblSelectFile"));
    restCaption_ = DLText("FormDownloadFont_btnDownload");
    runningCaption_ = DLText("FormDownloadFont_btnDownload1");
    progressText_ = DLText("FormDownloadFont_lblProgressInfo");
    errorText_ = DLText("FormDownloadFont_ErrIO");
    btnDownload->setText(running_ ? runningCaption_ : restCaption_);
    btnClose->setText(DLText("_Close"));
    if (lblFontID)
        lblFontID->setText(DLText("FormParaSet_BQM_lblLanguage"));
    if (kind_ == Kind::QuickFont) {
        // 4096-byte packets for the listed models, 1024 for every other model
        const QString list = ReadParameterSetNow(QStringLiteral("PackageSize4096"));
        packetSize_ = IsModelInNameCommaList(PrtBasName, list) ? 4096 : kDefaultPacketSize;
    }
}

void TDLFontFileForm::SetRunning(bool running)
{
    running_ = running;
    btnDownload->setText(running ? runningCaption_ : restCaption_);
    Button2->setEnabled(!running);
    if (cmbFontID)
        cmbFontID->setEnabled(!running);
}

void TDLFontFileForm::Button2Click()
{
    const QString file = DLGetOpenFileName(this, QStringLiteral("*.*|*"));
    if (file.isEmpty())
        return;
    if (kind_ == Kind::UserFont && QFileInfo(file).size() > kMaxUserFontFileSize) {
        DLError("_Err_FileToBig");
        return;
    }
    txtFileName->setText(file);
}

void TDLFontFileForm::btnDownloadClick()
{
    if (running_) {
        // cancel: the sender closes the port before its next packet; an ended sender
        // left it open
        if (sender_->IsBusy())
            sender_->Cancel();
        else
            TsplClosePort();
        SetRunning(false);
        return;
    }
    if (sender_->IsBusy())
        return;  // the cancelled sender is still ending
    const QString path = txtFileName->text();
    if (kind_ == Kind::UserFont && path.isEmpty())
        return;
    const QString refusal = DLChosenFileRefusal(path, DLText("_Err_FileNotExist"));
    if (!refusal.isEmpty()) {
        DLErrorText(refusal);
        return;
    }
    if (!kindGuard_)
        kindGuard_ = std::make_unique<TDLSdkKindGuard>();
    const int created = TsplCreateGlobalPrinter(GetMainDefaultModelName());
    if (created != 0)
        DLErrorText(DLText("_Err_CreatePrinter") + QLatin1Char(':') + QString::number(created));
    if (const int opened = TsplOpenPort(GetCurrentPortString()); opened != 0) {
        DLErrorText(OpenPortFailureMessage(opened));
        return;
    }
    QByteArray file;
    if (!ReadFileToBytes(path, file)) {
        DLErrorText(DLFileReadFailure(path, DLText("_Err_FileNotExist")));
        return;
    }
    TDLOptions o;
    o.packetSize = kind_ == Kind::QuickFont ? packetSize_ : kDefaultPacketSize;
    o.padding = 0xFF;
    o.countRule = TDLCountRule::Ceil;
    o.atLeastOnePacket = true;
    o.replyRule = TDLReplyRule::ByteEleven;
    o.waitAfterFirstPacketMs = 1000;
    o.waitAfterPacketMs = 30;
    o.waitAfterLastMs = 0;
    o.closeOnSuccess = TDLPort::Close::Tspl;
    o.closeOnFailure = TDLPort::Close::None;          // the window closes it when it reports the failure
    o.closeOnHandshakeFailure = TDLPort::Close::None;
    o.closeOnCancel = TDLPort::Close::Tspl;
    if (kind_ == Kind::UserFont) {
        o.handshake = BuildUserFontHandshake(cmbFontID->currentText());
        o.handshakeWriteChecked = false;
    } else if (IsModelInNameCommaList(PrtBasName, ParameterSetValue(QStringLiteral("GDS")))) {
        o.handshake = BuildQuickFontTextHandshake();
        o.handshakeWriteChecked = false;
    } else {
        o.handshake = QuickFontRawHandshake();
    }
    kbPerPacket_ = o.packetSize / 1024;
    totalKb_ = static_cast<int>((file.size() + 1023) / 1024);
    const int count = PacketCount(file.size(), o.packetSize, TDLCountRule::Ceil);
    proDLFont->setRange(0, std::max(1, count));
    proDLFont->setValue(0);
    SetRunning(true);
    sender_->Start(file, o);
}

void TDLFontFileForm::OnProgress(int index, int)
{
    if (index == 0)
        return;
    proDLFont->setValue(std::min(index, proDLFont->maximum()));
    // The last packet may be partly padding: the KB sent stops at the file's total.
    lblProgressInfo->setText(ReplaceFirst(ReplaceFirst(progressText_, "{1}", QString::number(totalKb_)), "{2}",
                                          QString::number(std::min(index * kbPerPacket_, totalKb_))));
}

void TDLFontFileForm::OnTransferEnded(int result, int)
{
    switch (static_cast<TDLResult>(result)) {
    case TDLResult::Success:
        SetRunning(false);
        DLInfo("_DownloadSuccess");
        break;
    case TDLResult::Cancelled:
        break;
    case TDLResult::HandshakeRefused:
    case TDLResult::HandshakeWriteFailed:
        // the port stays open; the next click starts again
        SetRunning(false);
        DLErrorText(errorText_);
        break;
    default:
        // A printer that stopped mid-transfer: close what the transfer left open and give
        // the window back idle (rest caption, no progress) before the message tells why.
        TsplClosePort();
        SetRunning(false);
        proDLFont->setValue(0);
        lblProgressInfo->clear();
        if (static_cast<TDLResult>(result) == TDLResult::BadSum)
            DLError("_Err_CheckSum");
        else
            DLErrorText(errorText_);
        break;
    }
}

void TDLFontFileForm::btnCloseClick()
{
    sender_->CancelAndWait();
    TsplClosePort();
    close();
}

void TDLFontFileForm::WaitForSender()
{
    sender_->wait();
    QCoreApplication::sendPostedEvents(sender_.get());
    QCoreApplication::sendPostedEvents(this);
    QCoreApplication::processEvents();
}
