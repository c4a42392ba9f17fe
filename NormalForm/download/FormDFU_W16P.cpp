#include "FormDFU_W16P.h"

#include "PrtMsgBox.h"
#include "PrtPaths.h"
#include "PrtTexts.h"
#include "mdlDLCommon.h"
#include "mdlCurrentPrinter.h"
#include "mdlGlobalVar.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPubFunc.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>

using namespace prt::dl;

TfrmDFU_W16P::TfrmDFU_W16P(QWidget* parent) : QDialog(parent), sender_(std::make_unique<TOtaSender>())
{
    setObjectName(QStringLiteral("TfrmDFU_W16P"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);  // FormCreate
    auto* g = new QGridLayout(this);
    lblSelectFile = DLMake<QLabel>(this, "lblSelectFile");
    txtFileName = DLMake<QLineEdit>(this, "txtFileName");
    txtFileName->setMinimumWidth(300);
    Button2 = DLMake<QPushButton>(this, "Button2");
    Button2->setText(QStringLiteral("..."));
    g->addWidget(lblSelectFile, 0, 0);
    g->addWidget(txtFileName, 0, 1);
    g->addWidget(Button2, 0, 2);
    proDLFont = DLMake<QProgressBar>(this, "proDLFont");
    lblProgressInfo = DLMake<QLabel>(this, "lblProgressInfo");
    g->addWidget(proDLFont, 1, 0, 1, 3);
    g->addWidget(lblProgressInfo, 2, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    btnDownload = DLMake<QPushButton>(this, "btnDownload");
    btnClose = DLMake<QPushButton>(this, "btnClose");
    buttons->addStretch(1);
    buttons->addWidget(btnDownload);
    buttons->addWidget(btnClose);
    g->addLayout(buttons, 3, 0, 1, 3);

    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(btnDownload, &QPushButton::clicked, this, [this] { btnDownloadClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    connect(sender_.get(), &TOtaSender::started, this, &TfrmDFU_W16P::OnStarted);
    connect(sender_.get(), &TOtaSender::progress, this, &TfrmDFU_W16P::OnProgress);
    connect(sender_.get(), &TOtaSender::ended, this, &TfrmDFU_W16P::OnEnded);
    InitLanguage();
}

TfrmDFU_W16P::~TfrmDFU_W16P()
{
    sender_->CancelAndWait();
    if (kindGuard_)
        TsplClosePort();
}

void TfrmDFU_W16P::DfuSetMode(int mode)
{
    wifiMode_ = mode;
}

void TfrmDFU_W16P::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmDFU_W16P::done(int result)
{
    // the title-bar close acts as btnClose: stop, close the port, close
    sender_->CancelAndWait();
    QCoreApplication::sendPostedEvents(this);
    if (kindGuard_) {
        TsplClosePort();
        kindGuard_.reset();
    }
    running_ = false;
    QDialog::done(result);
}

void TfrmDFU_W16P::FormShow()
{
    ApplyFormIcon(this);
    InitLanguage();
    ApplyFormFont(this);
}

void TfrmDFU_W16P::InitLanguage()
{
    setWindowTitle(DLText("FormDFU_W16P_Caption"));
    lblSelectFile->setText(DLText("FormDFU_W16P_lblSelectFile"));
    downloadCaption_ = DLText("FormDownloadFont_btnDownload");
    cancelCaption_ = DLText("FormDownloadFont_btnDownload1");
    progressTemplate_ = DLText("FormDownloadFont_lblProgressInfo");
    ioErrorText_ = DLText("FormDownloadFont_ErrIO");
    btnDownload->setText(running_ ? cancelCaption_ : downloadCaption_);
    btnClose->setText(DLText("_Close"));
}

void TfrmDFU_W16P::SetRunning(bool running)
{
    running_ = running;
    btnDownload->setText(running ? cancelCaption_ : downloadCaption_);
    Button2->setEnabled(!running);
    txtFileName->setReadOnly(running);
}

void TfrmDFU_W16P::Button2Click()
{
    const QString file = DLGetOpenFileName(this, QStringLiteral("*.*|*"));
    if (!file.isEmpty())
        txtFileName->setText(file);
}

void TfrmDFU_W16P::btnDownloadClick()
{
    if (running_) {
        sender_->CancelAndWait();
        QCoreApplication::sendPostedEvents(this);
        TsplClosePort();
        SetRunning(false);
        return;
    }
    const QString path = txtFileName->text();
    // an empty or unreadable file is refused before anything goes to the printer
    QByteArray data;
    if (!DLReadChosenFile(path, data))
        return;
    if (data.isEmpty()) {
        DLError("FormDFU_W16P_ErrFileEmpty");
        return;
    }
    if (!kindGuard_)
        kindGuard_ = std::make_unique<TDLSdkKindGuard>();
    const QString model = PrtBasName;
    const bool binType1 = IsModelInFeatureList(QLatin1String(FTNNo_Dfu_Head_BinType1));
    const TOtaSwitch how = OtaSwitchFor(model, wifiMode_, binType1);
    const bool longRestart = IsModelInCommaList(model, OtaLongRestartModels());
    proDLFont->setValue(0);
    SetRunning(true);
    sender_->Start(data, how, longRestart);
}

void TfrmDFU_W16P::OnStarted(int count)
{
    proDLFont->setRange(0, std::max(1, count));
    proDLFont->setValue(0);
}

void TfrmDFU_W16P::OnProgress(int index, int, int kbSent, int kbTotal)
{
    proDLFont->setValue(std::min(index, proDLFont->maximum()));
    // Each packet rounds up to whole kilobytes: the KB sent stops at the file's total.
    lblProgressInfo->setText(ReplaceFirst(ReplaceFirst(progressTemplate_, "{1}", QString::number(kbTotal)), "{2}",
                                          QString::number(std::min(kbSent, kbTotal))));
}

void TfrmDFU_W16P::OnEnded(int result, int openCode)
{
    switch (static_cast<TOtaResult>(result)) {
    case TOtaResult::Success:
        SetRunning(false);  // the sender closed the port
        prt::MessageBoxPrt(DLText("_DownloadSuccess"), DLText("_MSG_Title_Message"), 64);
        break;
    case TOtaResult::Cancelled:
        break;
    case TOtaResult::OpenFailed:
        SetRunning(false);
        DLErrorText(OpenPortFailureMessage(openCode));
        break;
    case TOtaResult::IoError:
        // the port stays as it is; the cancel caption stays until the operator clicks
        DLErrorText(ioErrorText_);
        break;
    }
}

void TfrmDFU_W16P::btnCloseClick()
{
    close();  // done() stops the sender and closes the port
}

void TfrmDFU_W16P::WaitForSender()
{
    sender_->wait();
    QCoreApplication::sendPostedEvents(sender_.get());
    QCoreApplication::sendPostedEvents(this);
    QCoreApplication::processEvents();
}
