#include "FormTempletManage.h"

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

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

using namespace prt::dl;

namespace {
std::function<void(T_frmDownloadFile_TSPL&)>& DownloadShow()
{
    static std::function<void(T_frmDownloadFile_TSPL&)> show;
    return show;
}
} // namespace

void SetStorageDownloadShowForTests(std::function<void(T_frmDownloadFile_TSPL& window)> show)
{
    DownloadShow() = std::move(show);
}

TTsplStorageManager::TTsplStorageManager(const char* className, QWidget* parent) : QDialog(parent)
{
    setObjectName(QLatin1String(className));
    auto* g = new QGridLayout(this);
    lblTempletSavePosition = DLMake<QLabel>(this, "lblTempletSavePosition");
    cmbTempletSavePosition = DLMake<QComboBox>(this, "cmbTempletSavePosition");
    g->addWidget(lblTempletSavePosition, 0, 0);
    g->addWidget(cmbTempletSavePosition, 0, 1);
    lblTempletList = DLMake<QLabel>(this, "lblTempletList");
    g->addWidget(lblTempletList, 1, 0, 1, 2);
    lstImagesList = DLMake<QListWidget>(this, "lstImagesList");
    lstImagesList->setMinimumSize(260, 200);
    g->addWidget(lstImagesList, 2, 0, 1, 2);
    lblSpaceInfo = DLMake<QLabel>(this, "lblSpaceInfo");
    g->addWidget(lblSpaceInfo, 3, 0, 1, 2);
    auto* side = new QVBoxLayout;
    btnDownload = DLMake<QPushButton>(this, "btnDownload");
    btnPrint = DLMake<QPushButton>(this, "btnPrint");
    btnDelCurrent = DLMake<QPushButton>(this, "btnDelCurrent");
    btnDelPosiAll = DLMake<QPushButton>(this, "btnDelPosiAll");
    btnDelAll = DLMake<QPushButton>(this, "btnDelAll");
    btnRefresh = DLMake<QPushButton>(this, "btnRefresh");
    btnClose = DLMake<QPushButton>(this, "btnClose");
    for (QPushButton* b : {btnDownload, btnPrint, btnDelCurrent, btnDelPosiAll, btnDelAll, btnRefresh})
        side->addWidget(b);
    side->addStretch(1);
    side->addWidget(btnClose);
    g->addLayout(side, 0, 2, 4, 1);
    btnDelPosiAll->setEnabled(false);
    btnDelAll->setEnabled(false);

    for (QPushButton* b : {btnDownload, btnPrint, btnDelCurrent, btnDelPosiAll, btnDelAll})
        connect(b, &QPushButton::clicked, this, [this, b] { MouseClick(b); });
    connect(btnRefresh, &QPushButton::clicked, this, [this] { RefreshTemplet(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    InitLanguage();
    connect(cmbTempletSavePosition, &QComboBox::activated, this, [this] { RefreshTemplet(); });
}

void TTsplStorageManager::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TTsplStorageManager::done(int result)
{
    TsplClosePort();  // FormClose
    QDialog::done(result);
}

void TTsplStorageManager::FormShow()
{
    InitLanguage();
    ApplyFormFont(this);
    RefreshTemplet();
}

void TTsplStorageManager::InitLanguage()
{
    setWindowTitle(DLText("FormTempletManage_Caption"));
    lblTempletList->setText(DLText("FormTempletManage_lblTempletList"));
    lblTempletSavePosition->setText(DLText("FormTempletManage_lblTempletSavePosition"));
    const QSignalBlocker block(cmbTempletSavePosition);
    cmbTempletSavePosition->clear();
    cmbTempletSavePosition->addItem(DLText("FormTempletManage_cmbTempletSavePosition_Item2"));  // flash
    cmbTempletSavePosition->addItem(DLText("FormTempletManage_cmbTempletSavePosition_Item1"));  // DRAM
    cmbTempletSavePosition->setCurrentIndex(0);
    btnDownload->setText(DLText("FormTempletManage_btnDownload"));
    btnPrint->setText(DLText("FormTempletManage_btnPrint"));
    btnDelCurrent->setText(DLText("FormTempletManage_btnDelCurrent"));
    btnDelPosiAll->setText(DLText("FormTempletManage_btnDelPosiAll"));
    btnDelAll->setText(DLText("FormTempletManage_btnDelAll"));
    btnRefresh->setText(DLText("FormTempletManage_btnRefresh"));
    btnClose->setText(DLText("_Close"));
    spaceTemplate_ = DLText("FormTempletManage_lblSpaceInfo");
    delCurrentTip_ = DLText("FormTempletManage_DelCurrentTip");
    delAllTip_ = DLText("FormTempletManage_DelAllTip");
}

void TTsplStorageManager::OpenPortReported()
{
    EnsureTsplPrinterObject();
    const int r = TsplOpenPort(GetCurrentPortString());
    if (r != 0 && r != 5)
        DLErrorText(OpenPortFailureMessage(r));
}

void TTsplStorageManager::RefreshTemplet()
{
    const auto storage = static_cast<TTsplStorage>(std::max(0, cmbTempletSavePosition->currentIndex()));
    OpenPortReported();
    TsplWriteData(TsplListCommand(storage));
    SleepMs(300);
    uint8_t buf[1024] = {};
    uint32_t got = 0;
    TsplReadDataEOF(buf, 0, sizeof buf, 13, 0, &got);
    lstImagesList->clear();
    lstImagesList->addItems(ParseTsplFileList(QByteArray(reinterpret_cast<const char*>(buf), int(got))));
    const bool any = lstImagesList->count() > 0;
    btnDelPosiAll->setEnabled(any);
    btnDelAll->setEnabled(any);
    TsplWriteData(TsplSpaceCommand());
    SleepMs(300);
    uint8_t space[16] = {};
    uint32_t n = 0;
    TsplReadDataRetry(space, 16, &n, 100, 2);
    const TTsplSpace s = ParseTsplSpace(QByteArray(reinterpret_cast<const char*>(space), int(n)), storage);
    if (!s.ok) {
        DLError("_Err_ReadData");  // the label keeps its text
        return;
    }
    lastFirstSpace_ = s.first;
    lblSpaceInfo->setText(TsplSpaceText(spaceTemplate_, s));
}

void TTsplStorageManager::MouseClick(QObject* sender)
{
    const auto storage = static_cast<TTsplStorage>(std::max(0, cmbTempletSavePosition->currentIndex()));
    OpenPortReported();
    QListWidgetItem* current = lstImagesList->currentItem();
    QByteArray command;
    if (sender == btnDownload) {
        T_frmDownloadFile_TSPL w;
        w.SetStorageDram(storage == TTsplStorage::Dram);
        w.raise();
        if (DownloadShow())
            DownloadShow()(w);
        else
            w.exec();
    } else if (sender == btnPrint) {
        if (current)
            command = TsplRunCommand(current->text());
    } else if (sender == btnDelCurrent) {
        if (AskOkCancel(delCurrentTip_) && current)
            command = TsplKillCommand(storage, current->text());
    } else if (sender == btnDelPosiAll) {
        if (AskOkCancel(delAllTip_))
            command = TsplKillAllCommand(storage);
    } else if (sender == btnDelAll) {
        if (AskOkCancel(delAllTip_))
            command = TsplKillBothCommand();
    }
    if (!command.isEmpty())
        SetLastLinkResult(TsplWriteData(command));
    if (sender != btnPrint)
        RefreshTemplet();
}

void TTsplStorageManager::btnCloseClick()
{
    close();
}

T_frmImagesManageTSPL::T_frmImagesManageTSPL(QWidget* parent)
    : TTsplStorageManager("T_frmImagesManageTSPL", parent)
{
}

T_frmTempletManage::T_frmTempletManage(QWidget* parent) : TTsplStorageManager("T_frmTempletManage", parent) {}
