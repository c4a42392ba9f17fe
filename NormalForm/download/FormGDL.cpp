#include "FormGDL.h"

#include "PrinterCMD.h"
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

#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace prt::dl;

QString& GDLRestartNote()
{
    static QString note;
    return note;
}

TfrmGDL::TfrmGDL(QWidget* parent) : QDialog(parent), sender_(std::make_unique<TGDLSender>())
{
    setObjectName(QStringLiteral("TfrmGDL"));
    auto* v = new QVBoxLayout(this);
    gpbSelectFile = DLMake<QGroupBox>(this, "gpbSelectFile");
    auto* g = new QGridLayout(gpbSelectFile);
    lblSelectFile = DLMake<QLabel>(gpbSelectFile, "lblSelectFile");
    txtFileName = DLMake<QLineEdit>(gpbSelectFile, "txtFileName");
    txtFileName->setReadOnly(true);  // the listed file is the one sent
    txtFileName->setMinimumWidth(320);
    Button2 = DLMake<QPushButton>(gpbSelectFile, "Button2");
    Button2->setText(QStringLiteral("..."));
    g->addWidget(lblSelectFile, 0, 0);
    g->addWidget(txtFileName, 0, 1);
    g->addWidget(Button2, 0, 2);
    v->addWidget(gpbSelectFile);
    lvDetails = DLMake<QTreeWidget>(this, "lvDetails");
    lvDetails->setRootIsDecorated(false);
    lvDetails->setColumnCount(4);
    lvDetails->setHeaderLabels({"File Name", "File Size(Byte)", "Version", "Type"});
    lvDetails->setMinimumHeight(140);
    lvDetails->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    v->addWidget(lvDetails);
    proDLFont = DLMake<QProgressBar>(this, "proDLFont");
    lblProgressInfo = DLMake<QLabel>(this, "lblProgressInfo");
    v->addWidget(proDLFont);
    v->addWidget(lblProgressInfo);
    proDLFont->hide();
    lblProgressInfo->hide();
    auto* buttons = new QHBoxLayout;
    btnDownload = DLMake<QPushButton>(this, "btnDownload");
    btnClose = DLMake<QPushButton>(this, "btnClose");
    buttons->addStretch(1);
    buttons->addWidget(btnDownload);
    buttons->addWidget(btnClose);
    v->addLayout(buttons);

    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(btnDownload, &QPushButton::clicked, this, [this] { btnDownloadClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    connect(sender_.get(), &TGDLSender::progress, this, &TfrmGDL::OnProgress);
    connect(sender_.get(), &TGDLSender::endPhase, this, &TfrmGDL::OnEndPhase);
    connect(sender_.get(), &TGDLSender::ended, this, &TfrmGDL::OnEnded);
    InitLanguage();
}

TfrmGDL::~TfrmGDL()
{
    sender_->CancelAndWait();
    if (kindGuard_)
        TsplClosePort();
}

void TfrmGDL::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmGDL::done(int result)
{
    // the title-bar close and Escape end here too
    sender_->CancelAndWait();
    QCoreApplication::sendPostedEvents(this);
    if (kindGuard_) {
        TsplClosePort();
        kindGuard_.reset();
    }
    running_ = false;
    QDialog::done(result);
}

void TfrmGDL::FormShow()
{
    ApplyFormIcon(this);
    InitLanguage();
    ApplyFormFont(this);
}

void TfrmGDL::InitLanguage()
{
    setWindowTitle(DLText("FormDownloadFile_TSPL_Cpation"));
    gpbSelectFile->setTitle(DLText("FormGDL_gpbSelectFile"));
    lblSelectFile->setText(DLText("FormDownloadFile_TSPL_lblImagesList"));
    downloadCaption_ = DLText("FormDownloadFile_TSPL_btnDownload");
    cancelCaption_ = DLText("FormDownloadFile_TSPL_btnDownload1");
    progressTemplate_ = DLText("FormGDL_lblProgressInfo");
    ioErrorText_ = DLText("FormGDL_ErrIO");
    btnDownload->setText(running_ ? cancelCaption_ : downloadCaption_);
    lvDetails->setHeaderLabels({DLText("FormGDL_lvDetails_Col1"), DLText("FormGDL_lvDetails_Col2"),
                                DLText("FormGDL_lvDetails_Col3"), DLText("FormGDL_lvDetails_Col4")});
    btnClose->setText(DLText("_Close"));
    GDLRestartNote() = DLText("msgRP");
}

bool TfrmGDL::ListFile(const QString& path)
{
    lvDetails->clear();
    file_.reset();
    listedPath_.clear();
    auto parsed = ReadGDLFileOrTell(path);
    if (!parsed)
        return false;
    for (const TGDLBlock& b : parsed->blocks) {
        auto* item = new QTreeWidgetItem(lvDetails);
        item->setText(0, b.fileName);
        item->setText(1, QString::number(b.bodyLength));
        item->setText(2, b.version);
        item->setText(3, QString::number(b.type));
    }
    file_ = std::move(parsed);
    listedPath_ = path;
    return true;
}

void TfrmGDL::Button2Click()
{
    if (running_)
        return;
    const QString path = DLGetOpenFileName(this, QStringLiteral("*.*|*"));
    if (path.isEmpty())
        return;
    txtFileName->setText(path);
    ListFile(path);
    proDLFont->hide();
    lblProgressInfo->hide();
}

void TfrmGDL::SetRunning(bool running)
{
    running_ = running;
    btnDownload->setText(running ? cancelCaption_ : downloadCaption_);
    btnDownload->setEnabled(true);
    Button2->setEnabled(!running);
}

void TfrmGDL::StopAndClosePort()
{
    sender_->CancelAndWait();
    QCoreApplication::sendPostedEvents(this);
    TsplClosePort();
}

void TfrmGDL::btnDownloadClick()
{
    if (running_) {
        StopAndClosePort();
        SetRunning(false);
        return;
    }
    const QString path = txtFileName->text();
    const QString refusal = DLChosenFileRefusal(path, DLText("_Err_FileNotExist"));
    if (!refusal.isEmpty()) {
        DLErrorText(refusal);
        return;
    }
    // only the data listed for this very file is sent
    if (!file_ || path != listedPath_) {
        if (!ListFile(path))
            return;
    }
    if (!kindGuard_)
        kindGuard_ = std::make_unique<TDLSdkKindGuard>();
    CmdDo(QByteArrayLiteral("\"dfu\""));  // opens, sends and closes on its own
    EnsureTsplPrinterObject();
    const int opened = TsplOpenPort(GetCurrentPortString());
    if (opened != 0 && opened != 5) {
        DLErrorText(OpenPortFailureMessage(opened));
        return;
    }
    proDLFont->show();
    lblProgressInfo->show();
    proDLFont->setRange(0, static_cast<int>(std::max<qint64>(1, file_->totalPackets)));
    proDLFont->setValue(0);
    lblProgressInfo->clear();
    SetRunning(true);
    sender_->Start(file_);
}

void TfrmGDL::OnProgress(qint64 sent, qint64 total)
{
    proDLFont->setValue(static_cast<int>(sent));
    lblProgressInfo->setText(
        ReplaceFirst(ReplaceFirst(progressTemplate_, "{1}", QString::number(total)), "{2}", QString::number(sent * 1)));
}

void TfrmGDL::OnEndPhase()
{
    // the printer stores the firmware; only Close (which cancels) acts now
    btnDownload->setText(downloadCaption_);
    btnDownload->setEnabled(false);
}

void TfrmGDL::OnEnded(int result, int status)
{
    // the sender has closed the port, whichever way the exchange ended
    btnDownload->setEnabled(true);
    switch (static_cast<TGDLResult>(result)) {
    case TGDLResult::Success: {
        SetRunning(false);
        QString text = DLText("_DownloadSuccess");
        if (IsModelInCommaList(PrtBasName, ParameterSetValue(QStringLiteral("UpdateRestart"))))
            text += QStringLiteral("\r\n") + GDLRestartNote();
        prt::MessageBoxPrt(text, DLText("_MSG_Title_Message"), 64);
        break;
    }
    case TGDLResult::Cancelled:
        break;
    case TGDLResult::WriteFailed:
        DLErrorText(ioErrorText_);  // the cancel caption stays until the operator clicks
        break;
    case TGDLResult::HeaderRefused:
        DLErrorText(GDLStatusText(status));
        break;
    case TGDLResult::NoHeaderStatus:
        DLError("_Err_ReadData");
        break;
    // The end phase shows the download caption before it reads the final status: after
    // its error the next click starts afresh.
    case TGDLResult::FinalRefused:
        SetRunning(false);
        DLErrorText(GDLStatusText(status));
        break;
    case TGDLResult::NoFinalStatus:
    case TGDLResult::FinalTooLate:
        SetRunning(false);
        DLError("_Err_ReadData");
        break;
    }
}

void TfrmGDL::btnCloseClick()
{
    close();  // done() cancels, joins and closes the port
}

void TfrmGDL::WaitForSender()
{
    sender_->wait();
    QCoreApplication::sendPostedEvents(sender_.get());
    QCoreApplication::sendPostedEvents(this);
    QCoreApplication::processEvents();
}
