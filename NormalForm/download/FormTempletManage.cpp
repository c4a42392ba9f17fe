#include "FormTempletManage.h"

#include "FormDownloadFile_TSPL.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlDLCommon.h"
#include "mdlGlobalVar.h"
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
QString Text(const char* key)
{
    return prt::LangText(QLatin1String(key));
}
template <typename T>
T* Make(QWidget* parent, const char* name)
{
    auto* w = new T(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}
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
    lblTempletSavePosition = Make<QLabel>(this, "lblTempletSavePosition");
    cmbTempletSavePosition = Make<QComboBox>(this, "cmbTempletSavePosition");
    g->addWidget(lblTempletSavePosition, 0, 0);
    g->addWidget(cmbTempletSavePosition, 0, 1);
    lblTempletList = Make<QLabel>(this, "lblTempletList");
    g->addWidget(lblTempletList, 1, 0, 1, 2);
    lstImagesList = Make<QListWidget>(this, "lstImagesList");
    lstImagesList->setMinimumSize(260, 200);
    g->addWidget(lstImagesList, 2, 0, 1, 2);
    lblSpaceInfo = Make<QLabel>(this, "lblSpaceInfo");
    g->addWidget(lblSpaceInfo, 3, 0, 1, 2);
    auto* side = new QVBoxLayout;
    btnDownload = Make<QPushButton>(this, "btnDownload");
    btnPrint = Make<QPushButton>(this, "btnPrint");
    btnDelCurrent = Make<QPushButton>(this, "btnDelCurrent");
    btnDelPosiAll = Make<QPushButton>(this, "btnDelPosiAll");
    btnDelAll = Make<QPushButton>(this, "btnDelAll");
    btnRefresh = Make<QPushButton>(this, "btnRefresh");
    btnClose = Make<QPushButton>(this, "btnClose");
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
    setWindowTitle(Text("FormTempletManage_Caption"));
    lblTempletList->setText(Text("FormTempletManage_lblTempletList"));
    lblTempletSavePosition->setText(Text("FormTempletManage_lblTempletSavePosition"));
    const QSignalBlocker block(cmbTempletSavePosition);
    cmbTempletSavePosition->clear();
    cmbTempletSavePosition->addItem(Text("FormTempletManage_cmbTempletSavePosition_Item2"));  // flash
    cmbTempletSavePosition->addItem(Text("FormTempletManage_cmbTempletSavePosition_Item1"));  // DRAM
    cmbTempletSavePosition->setCurrentIndex(0);
    btnDownload->setText(Text("FormTempletManage_btnDownload"));
    btnPrint->setText(Text("FormTempletManage_btnPrint"));
    btnDelCurrent->setText(Text("FormTempletManage_btnDelCurrent"));
    btnDelPosiAll->setText(Text("FormTempletManage_btnDelPosiAll"));
    btnDelAll->setText(Text("FormTempletManage_btnDelAll"));
    btnRefresh->setText(Text("FormTempletManage_btnRefresh"));
    btnClose->setText(Text("_Close"));
    spaceTemplate_ = Text("FormTempletManage_lblSpaceInfo");
    delCurrentTip_ = Text("FormTempletManage_DelCurrentTip");
    delAllTip_ = Text("FormTempletManage_DelAllTip");
}

void TTsplStorageManager::OpenPortReported()
{
    EnsureTsplPrinterObject();
    const int r = TsplOpenPort(GetCurrentPortString());
    if (r != 0 && r != 5)
        DLErrorText(Text("_Err_OpenPort") + QLatin1Char(':') + QString::number(r));
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
