#include "FormFWAllUpdate.h"

#include "FormGDL.h"

#include "PrtMsgBox.h"
#include "PrtPaths.h"
#include "PrtTexts.h"
#include "mdlDLCommon.h"
#include "mdlGlobalVar.h"
#include "mdlNetDiscovery.h"
#include "mdlPortResult.h"
#include "mdlPubFunc.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace prt::dl;

namespace {

QPointer<TForm11>& FormPointer()
{
    static QPointer<TForm11> form;
    return form;
}

constexpr int kRowIdRole = Qt::UserRole + 1;
enum Column { ColName = 0, ColAddress = 1, ColStatus = 2, ColProgress = 3 };

} // namespace

void SetFWAllUpdateForm(TForm11* form)
{
    FormPointer() = form;
}

TForm11* FWAllUpdateForm()
{
    return FormPointer().data();
}

void TDFUThread::AddListItem()
{
    if (form_)
        form_->AddPrinterRow(caption_, detail_);
}

TForm11::TForm11(QWidget* parent) : QDialog(parent), stop_(std::make_shared<TBulkStop>())
{
    setObjectName(QStringLiteral("TForm11"));
    auto* v = new QVBoxLayout(this);
    auto* scan = new QHBoxLayout;
    btnFW = DLMake<QPushButton>(this, "btnFW");
    scan->addWidget(btnFW);
    scan->addStretch(1);
    v->addLayout(scan);
    lvPortList = DLMake<QTreeWidget>(this, "lvPortList");
    lvPortList->setRootIsDecorated(false);
    lvPortList->setColumnCount(4);
    lvPortList->setMinimumSize(560, 180);
    lvPortList->header()->setSectionResizeMode(QHeaderView::Interactive);
    lvPortList->setColumnWidth(ColName, 170);
    lvPortList->setColumnWidth(ColAddress, 120);
    lvPortList->setColumnWidth(ColStatus, 110);
    v->addWidget(lvPortList);

    gpbSelectFile = DLMake<QGroupBox>(this, "gpbSelectFile");
    auto* g = new QGridLayout(gpbSelectFile);
    lblSelectFile = DLMake<QLabel>(gpbSelectFile, "lblSelectFile");
    txtFileName = DLMake<QLineEdit>(gpbSelectFile, "txtFileName");
    txtFileName->setReadOnly(true);  // the file read when chosen is the one sent
    Button2 = DLMake<QPushButton>(gpbSelectFile, "Button2");
    Button2->setText(QStringLiteral("..."));
    g->addWidget(lblSelectFile, 0, 0);
    g->addWidget(txtFileName, 0, 1);
    g->addWidget(Button2, 0, 2);
    v->addWidget(gpbSelectFile);
    lblProgressInfo = DLMake<QLabel>(this, "lblProgressInfo");
    v->addWidget(lblProgressInfo);
    lblProgressInfo->hide();  // each row shows its own progress

    lblPrinterFailList = DLMake<QLabel>(this, "lblPrinterFailList");
    v->addWidget(lblPrinterFailList);
    listFailPort = DLMake<QTreeWidget>(this, "listFailPort");
    listFailPort->setRootIsDecorated(false);
    listFailPort->setColumnCount(2);
    listFailPort->setMinimumHeight(90);
    listFailPort->setColumnWidth(ColName, 170);
    v->addWidget(listFailPort);

    auto* buttons = new QHBoxLayout;
    btnDownload = DLMake<QPushButton>(this, "btnDownload");
    btnClose = DLMake<QPushButton>(this, "btnClose");
    buttons->addStretch(1);
    buttons->addWidget(btnDownload);
    buttons->addWidget(btnClose);
    v->addLayout(buttons);

    IdUDPClient1 = new TNetDiscovery(this);
    IdUDPClient1->setObjectName(QStringLiteral("IdUDPClient1"));

    connect(btnFW, &QPushButton::clicked, this, [this] { btnFWClick(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(btnDownload, &QPushButton::clicked, this, [this] { btnDownloadClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    connect(IdUDPClient1, &TNetDiscovery::replyReceived, this, [this](const TDiscoveryReply& r) {
        TDFUThread row(this);
        row.SetItemDetail(r.Line(0));
        row.SetItemCaption(r.Line(7));
        row.Execute();
    });
    connect(IdUDPClient1, &TNetDiscovery::finished, this, [this] {
        // a short pause before the next scan may start
        QTimer::singleShot(ScanEndDelayMs, this, [this] {
            scanPause_ = false;
            SetRunning(running_);
        });
    });
    FormCreate();
}

TForm11::~TForm11()
{
    StopWorkers();
    if (FWAllUpdateForm() == this)
        ::SetFWAllUpdateForm(nullptr);
}

void TForm11::SetFWAllUpdateForm()
{
    ::SetFWAllUpdateForm(this);
}

void TForm11::FormCreate()
{
    ApplyFormIcon(this);
    InitLanguage();
    ApplyFormFont(this);
    SetRunning(false);
}

void TForm11::InitLanguage()
{
    setWindowTitle(DLText("FormBulkUpdates"));
    lblPrinterFailList->setText(DLText("FormDownloadUpdateFWLabel"));
    scanTipText_ = DLText("FormDownloadScanPrinterTip");
    readyText_ = DLText("FormDownloadStatus_Ready");
    downloadingText_ = DLText("FormDownloadStatus_Downloading");
    successText_ = DLText("FormDownloadStatus_Success");
    failText_ = DLText("FormDownloadStatus_Fail");
    endTipText_ = DLText("FormDownloadDownloadEndTip");
    const QString name = DLText("FormPrinterName");
    lvPortList->setHeaderLabels({name, QStringLiteral("IP"), DLText("FormDownloadStatus"), DLText("FormDownloadProgerss")});
    listFailPort->setHeaderLabels({name, QStringLiteral("IP")});
    btnFW->setText(DLText("FormDownloadScanPrinter"));
    gpbSelectFile->setTitle(DLText("FormGDL_gpbSelectFile"));
    lblSelectFile->setText(DLText("FormDownloadFile_TSPL_lblImagesList"));
    progressTemplate_ = DLText("FormGDL_lblProgressInfo");
    GDLRestartNote() = DLText("msgRP");
    downloadCaption_ = DLText("FormDownloadFile_TSPL_btnDownload");
    downloadCaption1_ = DLText("FormDownloadFile_TSPL_btnDownload1");
    btnDownload->setText(downloadCaption_);
    btnClose->setText(DLText("_Close"));
}

bool TForm11::IsScanning() const
{
    return IdUDPClient1->IsRunning() || scanPause_;
}

void TForm11::SetRunning(bool running)
{
    running_ = running;
    const bool scanning = IsScanning();
    btnFW->setEnabled(!running && !scanning);
    Button2->setEnabled(!running);
    btnDownload->setEnabled(!running);
    btnClose->setEnabled(!running);
}

void TForm11::btnFWClick()
{
    if (running_ || IsScanning())
        return;
    lvPortList->clear();
    scanPause_ = true;
    SetRunning(false);
    IdUDPClient1->Start(DiscoveryTarget(DISCOVERY_PORT_BULK_UPDATE));
}

bool TForm11::AddPrinterRow(const QString& caption, const QString& address)
{
    for (int i = 0; i < lvPortList->topLevelItemCount(); ++i)
        if (lvPortList->topLevelItem(i)->text(ColAddress) == address)
            return false;
    auto* item = new QTreeWidgetItem(lvPortList);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(ColName, Qt::Checked);
    item->setData(ColName, kRowIdRole, nextRowId_++);
    item->setText(ColName, caption);
    item->setText(ColAddress, address);
    item->setText(ColStatus, readyText_);
    item->setText(ColProgress, QString());
    return true;
}

QTreeWidgetItem* TForm11::RowOf(int rowId) const
{
    for (int i = 0; i < lvPortList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = lvPortList->topLevelItem(i);
        if (item->data(ColName, kRowIdRole).toInt() == rowId)
            return item;
    }
    return nullptr;
}

bool TForm11::LoadFirmware(const QString& path)
{
    firmware_.reset();
    firmwarePath_.clear();
    auto parsed = ReadGDLFileOrTell(path);
    if (!parsed)
        return false;
    firmware_ = std::move(parsed);
    firmwarePath_ = path;
    return true;
}

void TForm11::Button2Click()
{
    if (running_)
        return;
    if (lvPortList->topLevelItemCount() == 0) {
        DLErrorText(scanTipText_);
        return;
    }
    const QString path = DLGetOpenFileName(this, QStringLiteral("*.*|*"));
    if (path.isEmpty())
        return;
    txtFileName->setText(path);
    LoadFirmware(path);
}

void TForm11::btnDownloadClick()
{
    if (running_)
        return;
    btnDownload->setEnabled(false);
    listFailPort->clear();
    const QString path = txtFileName->text();
    // only the firmware read from this very file when it was chosen is sent
    QString refusal = DLChosenFileRefusal(path, DLText("_Err_FileNotExist"));
    if (refusal.isEmpty() && (!firmware_ || path != firmwarePath_))
        refusal = DLText("_Err_FileNotExist");
    if (!refusal.isEmpty()) {
        DLErrorText(refusal);
        btnDownload->setEnabled(true);
        return;
    }
    const int rows = lvPortList->topLevelItemCount();
    if (rows == 0) {
        btnDownload->setEnabled(true);
        return;
    }
    StopWorkers();  // joins the ended workers of the last run
    stop_->Reset();
    finished_ = 0;
    started_ = 0;
    SetRunning(true);
    for (int i = 0; i < rows; ++i) {
        QTreeWidgetItem* row = lvPortList->topLevelItem(i);
        auto worker = std::make_unique<TUpdateFWThread>(firmware_, stop_);
        worker->SetItemIndex(row->data(ColName, kRowIdRole).toInt());
        worker->SetAddress(row->text(ColAddress));
        worker->SetPrinterName(row->text(ColName));
        connect(worker.get(), &TUpdateFWThread::downloading, this, &TForm11::OnDownloading, Qt::QueuedConnection);
        connect(worker.get(), &TUpdateFWThread::progress, this, &TForm11::OnProgress, Qt::QueuedConnection);
        connect(worker.get(), &TUpdateFWThread::endPhase, this, &TForm11::OnEndPhase, Qt::QueuedConnection);
        connect(worker.get(), &TUpdateFWThread::openFailed, this, &TForm11::OnOpenFailed, Qt::QueuedConnection);
        connect(worker.get(), &TUpdateFWThread::ended, this, &TForm11::OnEnded, Qt::QueuedConnection);
        threads_.push_back(std::move(worker));
    }
    started_ = static_cast<int>(threads_.size());
    for (auto& worker : threads_)
        worker->start();
}

void TForm11::SetRowState(QTreeWidgetItem* row, TRowState state)
{
    if (!row)
        return;
    switch (state) {
    case TRowState::Ready:
        row->setText(ColStatus, readyText_);
        break;
    case TRowState::Downloading:
        row->setText(ColStatus, downloadingText_);
        break;
    case TRowState::Success:
        row->setText(ColStatus, successText_);
        break;
    case TRowState::Fail:
        row->setText(ColStatus, failText_);
        break;
    }
}

void TForm11::OnDownloading(int rowId)
{
    if (QTreeWidgetItem* row = RowOf(rowId)) {
        SetRowState(row, TRowState::Downloading);
        row->setText(ColProgress, QString());
    }
}

void TForm11::OnProgress(int rowId, qint64 total, qint64 chunks)
{
    if (QTreeWidgetItem* row = RowOf(rowId))
        row->setText(ColProgress, ReplaceFirst(ReplaceFirst(progressTemplate_, QStringLiteral("{1}"), QString::number(total)),
                                               QStringLiteral("{2}"), QString::number(chunks)));
}

void TForm11::OnEndPhase(int)
{
    btnDownload->setText(downloadCaption_);
}

void TForm11::OnOpenFailed(int, int code)
{
    if (stop_->Stopped())
        return;
    prt::MessageBoxPrt(OpenPortFailureMessage(code), DLText("_MSG_Title_Error"), 16);
}

void TForm11::OnEnded(int rowId, int result)
{
    if (!running_)
        return;
    QTreeWidgetItem* row = RowOf(rowId);
    ++finished_;
    if (static_cast<TBulkResult>(result) == TBulkResult::Success) {
        SetRowState(row, TRowState::Success);
    } else {
        SetRowState(row, TRowState::Fail);
        if (row) {
            auto* failed = new QTreeWidgetItem(listFailPort);
            failed->setText(ColName, row->text(ColName));
            failed->setText(ColAddress, row->text(ColAddress));
        }
    }
    CheckAllDone();
}

void TForm11::CheckAllDone()
{
    if (!running_ || finished_ != started_)
        return;
    for (auto& worker : threads_)
        worker->wait();  // each has sent its last signal
    threads_.clear();
    SetRunning(false);
    if (!stop_->Stopped())
        prt::MessageBoxPrt(endTipText_, DLText("_MSG_Title_Message"), 64);
    emit runEnded();
}

void TForm11::StopWorkers()
{
    if (!threads_.empty()) {
        stop_->Stop();
        for (auto& worker : threads_)
            worker->wait();
        threads_.clear();
    }
    if (running_) {
        running_ = false;
        SetRunning(false);
    }
}

void TForm11::btnCloseClick()
{
    if (running_)
        return;
    close();
}

void TForm11::done(int result)
{
    // the title-bar close and Escape end here too
    IdUDPClient1->Cancel();
    StopWorkers();
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    if (FWAllUpdateForm() == this)
        ::SetFWAllUpdateForm(nullptr);
    QDialog::done(result);
}

void TForm11::WaitForIdle()
{
    const QDeadlineTimer deadline(120000);
    while ((IsScanning() || running_) && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    QCoreApplication::processEvents();
}
