#include "FormDownloadFile_TSPL.h"

#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlDLCommon.h"
#include "mdlGlobalVar.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPubFunc.h"
#include "mdlTsplStorage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QThread>
#include <QVBoxLayout>

using namespace prt::dl;

namespace {
enum Result { Done = 0, Stopped = 1, WriteFailed = 2, Unreadable = 3 };
} // namespace

T_frmDownloadFile_TSPL::T_frmDownloadFile_TSPL(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("T_frmDownloadFile_TSPL"));
    auto* g = new QGridLayout(this);
    lblImagesList = DLMake<QLabel>(this, "lblImagesList");
    lstTempletsList = DLMake<QListWidget>(this, "lstTempletsList");
    lstTempletsList->setMinimumSize(360, 180);
    g->addWidget(lblImagesList, 0, 0);
    g->addWidget(lstTempletsList, 1, 0);
    auto* side = new QVBoxLayout;
    btnAdd = DLMake<QPushButton>(this, "btnAdd");
    btnDel = DLMake<QPushButton>(this, "btnDel");
    btnDownload = DLMake<QPushButton>(this, "btnDownload");
    btnClose = DLMake<QPushButton>(this, "btnClose");
    side->addWidget(btnAdd);
    side->addWidget(btnDel);
    side->addWidget(btnDownload);
    side->addStretch(1);
    side->addWidget(btnClose);
    g->addLayout(side, 1, 1);
    connect(btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(); });
    connect(btnDel, &QPushButton::clicked, this, [this] { btnDelClick(); });
    connect(btnDownload, &QPushButton::clicked, this, [this] { btnDownloadClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    InitLanguage();
}

T_frmDownloadFile_TSPL::~T_frmDownloadFile_TSPL()
{
    StopSender();
}

void T_frmDownloadFile_TSPL::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void T_frmDownloadFile_TSPL::done(int result)
{
    StopSender();
    QDialog::done(result);
}

void T_frmDownloadFile_TSPL::FormShow()
{
    InitLanguage();
    ApplyFormFont(this);
}

void T_frmDownloadFile_TSPL::InitLanguage()
{
    setWindowTitle(DLText("FormDownloadFile_TSPL_Cpation"));
    lblImagesList->setText(DLText("FormDownloadFile_TSPL_lblImagesList"));
    btnAdd->setText(DLText("FormDownloadFile_TSPL_btnAdd"));
    btnDel->setText(DLText("FormDownloadFile_TSPL_btnDel"));
    btnDownload->setText(DLText("FormDownloadFile_TSPL_btnDownload"));
    btnClose->setText(DLText("_Close"));
}

void T_frmDownloadFile_TSPL::btnAddClick()
{
    const QString file = DLGetOpenFileName(this, QStringLiteral("*.*|*"));
    if (file.isEmpty())
        return;
    lstTempletsList->addItem(file);
    lstTempletsList->setCurrentRow(lstTempletsList->count() - 1);
}

void T_frmDownloadFile_TSPL::btnDelClick()
{
    const int row = lstTempletsList->currentRow();
    if (row >= 0 && lstTempletsList->currentItem() && lstTempletsList->currentItem()->isSelected())
        delete lstTempletsList->takeItem(row);
}

void T_frmDownloadFile_TSPL::SetSending(bool sending)
{
    sending_ = sending;
    for (QPushButton* b : {btnAdd, btnDel, btnDownload, btnClose})
        b->setEnabled(!sending);
}

void T_frmDownloadFile_TSPL::btnDownloadClick()
{
    if (sending_)
        return;
    EnsureTsplPrinterObject();
    const int r = TsplOpenPort(GetCurrentPortString());
    if (r != 0 && r != 5) {
        DLErrorText(OpenPortFailureMessage(r));
        return;
    }
    QStringList files;
    for (int i = 0; i < lstTempletsList->count(); ++i)
        files << lstTempletsList->item(i)->text();
    const QByteArray prefix = TsplDownloadPrefix(dram_);
    StopSender();
    stop_ = false;
    SetSending(true);
    worker_ = QThread::create([this, files, prefix] {
        int result = Done;
        QString failed;
        for (const QString& path : files) {
            QByteArray data;
            if (!QFileInfo(path).isFile() || !ReadFileToBytes(path, data)) {
                result = Unreadable;
                failed = path;
                break;
            }
            int w = TsplWriteData(prefix);
            SetLastLinkResult(w);
            for (qsizetype at = 0; w == 0 && at < data.size(); at += 1024) {
                if (stop_.load())
                    break;
                w = TsplWriteData(data.mid(at, 1024));
                SetLastLinkResult(w);
            }
            if (w != 0) {
                result = WriteFailed;
                failed = path;
                break;
            }
            if (stop_.load()) {
                result = Stopped;
                break;
            }
        }
        QMetaObject::invokeMethod(this, [this, result, failed] { OnEnded(result, failed); }, Qt::QueuedConnection);
    });
    worker_->start();
}

void T_frmDownloadFile_TSPL::OnEnded(int result, const QString& file)
{
    SetSending(false);
    switch (result) {
    case Done:
        prt::MessageBoxPrt(DLText("_DownloadSuccess"), DLText("_MSG_Title_Message"), 64);
        break;
    case WriteFailed:
        DLError("_Err_WriteData");
        break;
    case Unreadable:
        DLErrorText(DLFileReadFailure(file, DLText("_Err_FileNotExist") + QStringLiteral("\r\n") + file));
        break;
    default:
        break;
    }
}

void T_frmDownloadFile_TSPL::StopSender()
{
    if (!worker_)
        return;
    stop_ = true;
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    sending_ = false;
}

void T_frmDownloadFile_TSPL::WaitForSender()
{
    if (worker_)
        worker_->wait();
    QCoreApplication::sendPostedEvents(this);
    QCoreApplication::processEvents();
}

void T_frmDownloadFile_TSPL::btnCloseClick()
{
    close();
}
