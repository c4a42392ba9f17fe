// The TSPL storage managers and their download window: commands, replies, and the windows
// against the printer simulator over loopback (message boxes and file dialog intercepted).
#include "FormDownloadFile_TSPL.h"
#include "FormTempletManage.h"
#include "MainFixture.h"
#include "PrinterCMD.h"
#include "PrtTexts.h"
#include "PrtTick.h"
#include "SimDefaults.h"
#include "SimFirmware.h"
#include "SimPrinter.h"
#include "SimTcpServer.h"
#include "TestSupport.h"
#include "mdlCurrentPrinter.h"
#include "mdlDLCommon.h"
#include "mdlFormOpeners.h"
#include "mdlGlobalVar.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"
#include "mdlPubFunc.h"
#include "mdlTsplStorage.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace prt::dl;
using namespace prt::sim;
using prt::test::Hex;
using prt::test::ToHex;

TEST(TsplStorage, CommandsAsTheyGoOut)
{
    struct Case {
        QByteArray command;
        const char* text;
    } cases[] = {
        {TsplListCommand(TTsplStorage::Flash), "ZZZFILES F\r\n"},
        {TsplListCommand(TTsplStorage::Dram), "ZZZFILES N\r\n"},
        {TsplSpaceCommand(), "ZZZFILESSIZE\r\n"},
        {TsplRunCommand("A.BAS"), "RUN \"A.BAS\"\r\n"},
        {TsplKillCommand(TTsplStorage::Dram, "A.BAS"), "KILL \"A.BAS\"\r\n"},
        {TsplKillCommand(TTsplStorage::Flash, "A.BAS"), "KILL F,\"A.BAS\"\r\n"},
        {TsplKillAllCommand(TTsplStorage::Dram), "KILL \"*\"\r\n"},
        {TsplKillAllCommand(TTsplStorage::Flash), "KILL F,\"*\"\r\n"},
        {TsplKillBothCommand(), "KILL \"*\"\r\nKILL F,\"*\"\r\n"},
        {TsplDownloadPrefix(true), "DOWNLOAD "},
        {TsplDownloadPrefix(false), "DOWNLOAD F,"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.command, QByteArray(c.text)) << c.text;
    // a listed name goes back with the bytes it came with
    const QStringList names = ParseTsplFileList(QByteArray("\xC4.BMP\r", 6));
    ASSERT_EQ(names.size(), 1);
    EXPECT_EQ(ToHex(TsplRunCommand(names[0])), "52 55 4E 20 22 C4 2E 42 4D 50 22 0D 0A");
}

TEST(TsplStorage, ListAndSpaceReplies)
{
    struct List {
        QByteArray reply;
        QStringList names;
    } lists[] = {
        {"A.BAS,LOGO.BMP\r", {"A.BAS", "LOGO.BMP"}},
        {"A.BAS,\r", {"A.BAS", ""}},  // a trailing "," gives an empty last entry
        {"A.BAS\r\nB", {"A.BAS"}},     // cut at the first byte <= 0x20
        {"A", {}},                     // one byte: nothing
        {"", {}},
    };
    for (const List& l : lists)
        EXPECT_EQ(ParseTsplFileList(l.reply), l.names) << l.reply.constData();
    // flash used 2048, free 10240; DRAM used 1023, free 0xFFFFFFFF
    const QByteArray space = Hex("00 08 00 00 00 28 00 00 FF 03 00 00 FF FF FF FF");
    const TTsplSpace f = ParseTsplSpace(space, TTsplStorage::Flash);
    EXPECT_TRUE(f.ok);
    EXPECT_EQ(f.first, 2048u);
    EXPECT_EQ(f.second, 10240u);
    const TTsplSpace d = ParseTsplSpace(space, TTsplStorage::Dram);
    EXPECT_EQ(d.first, 1023u);
    EXPECT_EQ(d.second, 0xFFFFFFFFu);
    EXPECT_EQ(TsplSpaceText("free {0} used {1}", f), "free 10 used 2");
    EXPECT_EQ(TsplSpaceText("free {0} used {1}", d), "free 4194303 used 0") << "u32, whole KB";
    EXPECT_FALSE(ParseTsplSpace(space.left(15), TTsplStorage::Flash).ok);
}

namespace {

void NoSleep(uint32_t) {}

class StorageWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainwin::ResetMainState();
        SetLabelConfigFileNames();
        PublishLanguageTexts(QStringLiteral("UtilityForLabelLanguage.ini"), QStringLiteral("1033"));
        AddStandardHandlers(printer);
        SimEditFirmware(printer, [](SimFirmwareState& s) {
            s.tsplFlash = {{"A.BAS", QByteArray(3000, 'a')}, {"LOGO.BMP", QByteArray(100, 'b')}};
            s.tsplDram = {{"R.BAS", QByteArray(10, 'r')}};
        });
        server = std::make_unique<SimTcpServer>(printer);
        ASSERT_TRUE(server->ok());
        SetCurrentPortString(server->portString());
        SetCurrentPrinterNames(GetModelName_V64(), GetModelName_V64());
        ASSERT_EQ(TsplCreateGlobalPrinter(GetMainDefaultModelName()), 0);
        prt::SetSleepHook(&NoSleep);
        SetDLOpenFileDialog([this](QWidget*, const QString&) { return nextFile; });
    }
    void TearDown() override
    {
        SetDLOpenFileDialog({});
        SetStorageDownloadShowForTests({});
        prt::SetSleepHook(nullptr);
        TsplDestroyGlobalPrinter();
        server->stop();
        mainwin::ResetMainState();
    }
    QStringList Items(QListWidget* l)
    {
        QStringList out;
        for (int i = 0; i < l->count(); ++i)
            out << l->item(i)->text();
        return out;
    }
    static QString T(const char* key) { return prt::LangText(QLatin1String(key)); }
    QString Space(uint32_t freeKb, uint32_t usedKb)
    {
        return ReplaceFirst(ReplaceFirst(T("FormTempletManage_lblSpaceInfo"), "{0}", QString::number(freeKb)), "{1}",
                            QString::number(usedKb));
    }

    mainwin::TempProgram prog;
    SimPrinter printer;
    std::unique_ptr<SimTcpServer> server;
    prt::test::MsgBoxRecorder boxes;
    QString nextFile;
};

} // namespace

TEST_F(StorageWin, BothManagersListPrintAndDelete)
{
    for (const char* cls : {"T_frmTempletManage", "T_frmImagesManageTSPL"}) {
        SCOPED_TRACE(cls);
        SimEditFirmware(printer, [](SimFirmwareState& s) {
            s.tsplFlash = {{"A.BAS", QByteArray(3000, 'a')}, {"LOGO.BMP", QByteArray(100, 'b')}};
            s.tsplDram = {{"R.BAS", QByteArray(10, 'r')}};
            s.tsplRuns.clear();
            s.tsplKills.clear();
        });
        boxes.clear();
        bool ran = false;
        SetFormShowHook([&](QWidget* w) {
            auto* f = qobject_cast<TTsplStorageManager*>(w);
            ASSERT_NE(f, nullptr);
            EXPECT_EQ(f->objectName(), cls);
            f->show();
            EXPECT_EQ(f->windowTitle(), T("FormTempletManage_Caption"));
            EXPECT_EQ(f->cmbTempletSavePosition->itemText(0), T("FormTempletManage_cmbTempletSavePosition_Item2"));
            EXPECT_EQ(Items(f->lstImagesList), QStringList({"A.BAS", "LOGO.BMP"}));
            EXPECT_EQ(f->lblSpaceInfo->text(), Space((4 * 1024 * 1024 - 3100) / 1024, 3100 / 1024));
            EXPECT_TRUE(f->btnDelAll->isEnabled());
            // print the selected file: nothing is listed again
            f->lstImagesList->setCurrentRow(1);
            f->MouseClick(f->btnPrint);
            // delete one from flash, confirmed
            f->lstImagesList->setCurrentRow(0);
            boxes.setAnswer(prt::IDOK_);
            f->MouseClick(f->btnDelCurrent);
            EXPECT_EQ(Items(f->lstImagesList), QStringList({"LOGO.BMP"}));
            // DRAM: delete all of it, refused first
            f->cmbTempletSavePosition->setCurrentIndex(1);
            f->RefreshTemplet();
            EXPECT_EQ(Items(f->lstImagesList), QStringList({"R.BAS"}));
            boxes.setAnswer(prt::IDCANCEL_);
            f->MouseClick(f->btnDelPosiAll);
            boxes.setAnswer(prt::IDOK_);
            f->MouseClick(f->btnDelPosiAll);
            EXPECT_TRUE(Items(f->lstImagesList).isEmpty());
            EXPECT_FALSE(f->btnDelPosiAll->isEnabled());
            EXPECT_FALSE(f->btnDelAll->isEnabled());
            // a picture of each window
            f->adjustSize();
            EXPECT_TRUE(f->grab().save(QStringLiteral(PRT_DL_TEST_OUT_DIR) + "/" + cls + ".png"));
            ran = true;
        });
        ASSERT_TRUE(IsFormAvailable(cls)) << AvailableFormNames().join(",").toStdString();
        ASSERT_TRUE(ShowFormModal(cls)) << boxes.texts().join("|").toStdString();
        SetFormShowHook({});
        ASSERT_TRUE(ran);
        const SimFirmwareState s = SimFirmware(printer);
        EXPECT_EQ(s.tsplRuns, std::vector<QByteArray>{"LOGO.BMP"});
        EXPECT_EQ(s.tsplKills, (std::vector<QByteArray>{"KILL F,\"A.BAS\"", "KILL \"*\""}));
        EXPECT_EQ(boxes.texts(), QStringList({T("FormTempletManage_DelCurrentTip"), T("FormTempletManage_DelAllTip"),
                                        T("FormTempletManage_DelAllTip")}));
    }
}

TEST_F(StorageWin, DeleteAllOfBothInOneWriteAndNothingWithoutASelection)
{
    T_frmTempletManage f;
    f.show();
    f.lstImagesList->setCurrentRow(-1);
    f.lstImagesList->clearSelection();
    boxes.setAnswer(prt::IDOK_);
    printer.clearReceived();
    f.MouseClick(f.btnPrint);
    f.MouseClick(f.btnDelCurrent);  // still asks first
    EXPECT_EQ(boxes.texts(), QStringList{T("FormTempletManage_DelCurrentTip")});
    EXPECT_FALSE(printer.received().contains("RUN"));
    EXPECT_FALSE(printer.received().contains("KILL"));
    f.MouseClick(f.btnDelAll);
    EXPECT_TRUE(printer.received().contains("KILL \"*\"\r\nKILL F,\"*\"\r\n"));
    const SimFirmwareState s = SimFirmware(printer);
    EXPECT_TRUE(s.tsplFlash.empty());
    EXPECT_TRUE(s.tsplDram.empty());
}

TEST_F(StorageWin, AShortSpaceReplyKeepsTheLabel)
{
    T_frmTempletManage f;
    f.show();
    const QString before = f.lblSpaceInfo->text();
    ASSERT_FALSE(before.isEmpty());
    SimEditFirmware(printer, [](SimFirmwareState& s) { s.spaceReply = QByteArray(15, '\x01'); });
    boxes.clear();
    f.RefreshTemplet();
    EXPECT_EQ(boxes.texts(), QStringList{T("_Err_ReadData")});
    EXPECT_EQ(f.lblSpaceInfo->text(), before);
}

TEST_F(StorageWin, TheDownloadWindowSendsEachFileBehindItsPrefix)
{
    const QString one = prog.Root() + "one.cmd";
    const QString two = prog.Root() + "two.cmd";
    QByteArray big = "\"BIG.BAS\"," + QByteArray::number(2500) + "," + QByteArray(2500, 'z');
    prt::test::WriteTestFile(one, "\"ONE.BAS\",3,abc");
    prt::test::WriteTestFile(two, big);
    T_frmTempletManage m;
    m.show();
    bool ran = false;
    SetStorageDownloadShowForTests([&](T_frmDownloadFile_TSPL& w) {
        w.show();
        EXPECT_FALSE(w.StorageDram()) << "flash chosen";
        EXPECT_EQ(w.windowTitle(), T("FormDownloadFile_TSPL_Cpation"));
        nextFile = one;
        w.btnAddClick();
        nextFile = two;
        w.btnAddClick();
        nextFile = prog.Root() + "three.cmd";
        w.btnAddClick();
        EXPECT_EQ(w.lstTempletsList->currentRow(), 2);
        w.btnDelClick();
        EXPECT_EQ(w.lstTempletsList->count(), 2);
        w.btnDownloadClick();
        EXPECT_FALSE(w.btnClose->isEnabled()) << "the buttons wait for the sender";
        EXPECT_FALSE(w.btnAdd->isEnabled());
        w.WaitForSender();
        EXPECT_TRUE(w.btnClose->isEnabled());
        w.adjustSize();
        EXPECT_TRUE(w.grab().save(QStringLiteral(PRT_DL_TEST_OUT_DIR) + "/T_frmDownloadFile_TSPL.png"));
        ran = true;
    });
    m.MouseClick(m.btnDownload);
    ASSERT_TRUE(ran);
    EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
    EXPECT_EQ(Items(m.lstImagesList), QStringList({"A.BAS", "LOGO.BMP", "ONE.BAS", "BIG.BAS"}))
        << "listed again after the download window";
    const SimFirmwareState s = SimFirmware(printer);
    ASSERT_EQ(s.tsplFlash.size(), 4u);
    EXPECT_EQ(s.tsplFlash[2].second, "abc");
    EXPECT_EQ(s.tsplFlash[3].second, QByteArray(2500, 'z'));
    // DRAM: the prefix without F,
    T_frmDownloadFile_TSPL w;
    w.SetStorageDram(true);
    w.show();
    nextFile = one;
    w.btnAddClick();
    w.btnDownloadClick();
    w.WaitForSender();
    // the sender is done when its bytes are written; the printer takes them a moment later
    EXPECT_TRUE(prt::test::WaitFor([&] {
        const SimFirmwareState s = SimFirmware(printer);
        return !s.tsplDram.empty() && s.tsplDram.back().first == "ONE.BAS";
    }));
    // a file that is gone: its name in the message, nothing more sent
    boxes.clear();
    QFile::remove(one);
    w.btnDownloadClick();
    w.WaitForSender();
    EXPECT_EQ(boxes.texts(), QStringList{T("_Err_FileNotExist") + "\r\n" + one});
    // something there that cannot be read is not "does not exist"
    for (const QString& path : prt::test::UnreadableFilePaths(prog.Root(), "locked.cmd")) {
        SCOPED_TRACE(path.toStdString());
        w.lstTempletsList->clear();
        nextFile = path;
        w.btnAddClick();
        boxes.clear();
        w.btnDownloadClick();
        w.WaitForSender();
        EXPECT_EQ(boxes.texts(), QStringList{T("Lang_All_00010011_11").replace("{0}", path)});
    }
}
