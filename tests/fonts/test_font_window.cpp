// The font manager end to end against the printer simulator over loopback: the packet
// path and the three direct printer languages (DPL in each control-code set), show with
// space and list, download with the list read back, delete one and all, cancel, test
// print, and the window's refusals.
#include "FormDLF.h"
#include "MainFixture.h"
#include "PrinterCMD.h"
#include "PrtTexts.h"
#include "PrtTick.h"
#include "SimDefaults.h"
#include "SimDownload.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimTcpServer.h"
#include "mdlCurrentPrinter.h"
#include "mdlDLCommon.h"
#include "mdlDLThread.h"
#include "mdlFormOpeners.h"
#include "mdlKesaVar.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QThread>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>

using namespace prt::sim;
using prt::test::Hex;

namespace {

void NoSleep(uint32_t) {}

using prt::test::WaitFor;

QStringList Names(const QTreeWidget* lv)
{
    QStringList n;
    for (int i = 0; i < lv->topLevelItemCount(); ++i)
        n << lv->topLevelItem(i)->text(1);
    return n;
}

class FontWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainwin::ResetMainState();
        ResetFontModuleValues();
        SetLabelConfigFileNames();
        gLangFileName = QStringLiteral("UtilityForLabelLanguage.ini");
        gLangId = QStringLiteral("1033");
        PublishLanguageTexts(gLangFileName, gLangId);
        AddStandardHandlers(printer);
        SimSetDownloadDefaults(printer, "TSPL");
        server = std::make_unique<SimTcpServer>(printer);
        ASSERT_TRUE(server->ok());
        SetCurrentPortString(server->portString());
        prt::SetSleepHook(&NoSleep);
        prt::dl::SetDLSleeperForTests([](uint32_t) {});
        prt::dl::SetDLOpenFileDialog([this](QWidget*, const QString& filter) {
            filters << filter;
            return nextFile;
        });
        Select(GetModelName_V64(), 1);
    }
    void TearDown() override
    {
        prt::dl::SetDLOpenFileDialog({});
        prt::dl::SetDLSleeperForTests({});
        prt::SetSleepHook(nullptr);
        TsplDestroyGlobalPrinter();
        EscDestroyPrinter();
        SetCmdOpenedFlag(0);
        server->stop();
        prt::dl::DLStored() = prt::dl::TDLStoredState{};
        ResetFontModuleValues();
        mainwin::ResetMainState();
    }
    void Select(const QString& model, int protocol, const QString& oem = QString())
    {
        SetCurrentPrinterNames(model, model);
        SetCurrentProtocolNo(protocol);
        GetKesaVar()->OemCo = oem;
        SetPrinterSdkKind(1);
        ASSERT_EQ(TsplCreateGlobalPrinter(GetMainDefaultModelName()), 0);
    }
    // A printer that speaks its own language for fonts (the direct models' brand).
    void Direct(const QString& model, const QByteArray& ppl, int protocol)
    {
        SimSetValue(printer, "ppl", ppl);
        Select(model, protocol, QStringLiteral("Label_Channel"));
    }
    QString File(const QString& name, const QByteArray& bytes)
    {
        const QString path = prog.Root() + name;
        prt::test::WriteTestFile(path, bytes);
        return path;
    }
    // Shows the window (the show reads space and list) and picks a font file.
    void Show(TfrmDLF& f, const QString& file = QString())
    {
        f.show();
        QCoreApplication::processEvents();
        if (!file.isEmpty()) {
            nextFile = file;
            f.Button2Click();
        }
    }
    void Download(TfrmDLF& f)
    {
        f.btnDLFontClick();
        f.WaitForSender();
    }
    static QString T(const char* key) { return prt::LangText(QLatin1String(key)); }
    void Save(QWidget* w, const QString& name)
    {
        w->adjustSize();
        ASSERT_TRUE(w->grab().save(QStringLiteral(PRT_FONT_TEST_OUT_DIR) + "/" + name + ".png"));
    }
    QByteArray Received() { return printer.received(); }

    mainwin::TempProgram prog;
    SimPrinter printer;
    std::unique_ptr<SimTcpServer> server;
    prt::test::MsgBoxRecorder boxes;
    QString nextFile;
    QStringList filters;
};

} // namespace

TEST_F(FontWin, PacketPathShowsSpaceAndListDownloadsDeletesOneAndAll)
{
    SimSetValue(printer, "fonts", "R_OLD.TTF,E_SONG.TTF");
    SimSetValue(printer, "use_capacity", "1234");
    bool ran = false;
    SetFormShowHook([&](QWidget* w) {
        auto* f = qobject_cast<TfrmDLF*>(w);
        ASSERT_NE(f, nullptr);
        Show(*f, File("ARIAL.TTF", QByteArray(1500, 'a')));
        EXPECT_EQ(GetPrinterSdkKind(), 1) << "the window works on the TSPL object";
        EXPECT_EQ(GetCmdOpenedFlag(), 0) << "the show closes what it opened";
        EXPECT_EQ(f->cmbFontID->currentIndex(), 1) << "flash at show";
        EXPECT_EQ(f->lblSpace_Font->text(), "Free: 4,194,304 bytes    Used: 1,234 bytes");
        EXPECT_EQ(Names(f->lvFonts), QStringList({"OLD.TTF", "SONG.TTF"}));
        EXPECT_EQ(f->lvFonts->topLevelItem(0)->text(0), T("FormDLFile_cmbLakeBoart1"));
        EXPECT_EQ(f->lvFonts->topLevelItem(1)->text(0), T("FormDLFile_cmbLakeBoart2"));
        EXPECT_EQ(f->fontID->text(), "Font ID:");
        EXPECT_FALSE(f->txtId->isVisible()) << "DPL controls stay hidden";
        EXPECT_EQ(f->txtFilePath_F->text(), nextFile);
        f->btnDeleteCurFontClick(f->btnDeleteAllFont);
        EXPECT_EQ(f->lvFonts->topLevelItemCount(), 0);

        f->btnDLFontClick();
        EXPECT_EQ(f->btnDLFont->text(), T("msgCC"));
        EXPECT_FALSE(f->btnDeleteAllFont->isEnabled()) << "port controls wait for the sender";
        f->WaitForSender();
        EXPECT_EQ(f->btnDLFont->text(), T("msgDL"));
        EXPECT_EQ(f->proDLFont->maximum(), 2);
        EXPECT_EQ(f->Label1->text(), "2");
        EXPECT_EQ(f->Label2->text(), "of 2");
        EXPECT_EQ(Names(f->lvFonts), QStringList({"ARIAL.TTF"})) << "the list read back";
        Save(f, "TfrmDLF");
        f->lvFonts->setCurrentItem(f->lvFonts->topLevelItem(0));
        f->btnDeleteCurFontClick(f->btnDeleteCurFont);
        EXPECT_EQ(f->lvFonts->topLevelItemCount(), 0);
        ran = true;
    });
    SetPrinterSdkKind(0);
    ASSERT_TRUE(ShowFormModal("TfrmDLF"));
    SetFormShowHook({});
    ASSERT_TRUE(ran);
    EXPECT_EQ(GetPrinterSdkKind(), 0) << "the kind is given back at close";
    EXPECT_EQ(boxes.texts(), QStringList({T("_DownloadSuccess")}));
    const auto handshakes = SimHandshakes(printer);
    ASSERT_EQ(handshakes.size(), 1u);
    EXPECT_TRUE(handshakes[0].contains("\"download\" \"fonts\" \"E_ARIAL.TTF\""));
    EXPECT_EQ(SimPackets(printer).size(), 2u);
    const auto log = SimDoLog(printer);
    for (const char* body : {"\"delete\" \"fonts\" \"E_ARIAL.TTF\"", "\"delete\" \"fonts\" \"R_OLD.TTF\"",
                             "\"delete\" \"fonts\" \"E_SONG.TTF\""})
        EXPECT_NE(std::find(log.begin(), log.end(), QByteArray(body)), log.end()) << body;
    // Every connection carried an exchange: the deletes went out on the port the handler
    // opened (one more exchange on a fresh connection lets the printer see the last end).
    SetPrinterSdkKind(1);
    ASSERT_EQ(TsplOpenPort(GetCurrentPortString()), 0);
    EXPECT_FALSE(CmdGetVal(KEY_ppl).isEmpty());
    TsplClosePort();
    EXPECT_EQ(printer.silentConnections(), 0);
}

TEST_F(FontWin, APrinterThatStopsMidTransferGivesTheWindowBackIdle)
{
    TfrmDLF f;
    Show(f, File("BIG.TTF", QByteArray(5000, 'b')));  // five packets; the printer stops at the third
    struct Case { const char* what; std::function<void(SimDownloadState&)> fault; const char* message; };
    const Case cases[] = {
        {"status 01 00", [](SimDownloadState& s) { s.badStatusAt = 2; }, "FormGDL_ErrIO"},
        {"bad reply sum", [](SimDownloadState& s) { s.badSumAt = 2; }, "_Err_CheckSum"},
        {"no reply", [](SimDownloadState& s) { s.noReplyAt = 2; }, "FormGDL_ErrIO"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimEditDownload(printer, [&](SimDownloadState& s) {
            s = SimDownloadState{};
            c.fault(s);
        });
        QString caption;
        bool progressShown = true;
        const prt::MsgBoxHandler previous = prt::SetMessageBoxHandler([&](const prt::MsgBoxCall& call) {
            caption = f.btnDLFont->text();
            progressShown = f.proDLFont->isVisible() || f.Label1->isVisible() || f.Label2->isVisible();
            return previous(call);
        });
        f.btnDLFontClick();
        ASSERT_EQ(f.btnDLFont->text(), T("msgCC"));
        f.WaitForSender();
        prt::SetMessageBoxHandler(previous);
        EXPECT_EQ(boxes.texts(), QStringList{T(c.message)});
        EXPECT_EQ(SimPackets(printer).size(), 3u);
        EXPECT_EQ(caption, T("msgDL")) << "idle before the message";
        EXPECT_FALSE(progressShown);
        EXPECT_FALSE(f.IsDownloading());
        EXPECT_EQ(f.btnDLFont->text(), T("msgDL"));
        EXPECT_EQ(f.proDLFont->value(), 0);
        for (QWidget* w : std::initializer_list<QWidget*>{f.Button2, f.btnDeleteCurFont, f.btnDeleteAllFont})
            EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
        EXPECT_EQ(GetCmdOpenedFlag(), 0);
        // The next click downloads again (it is no cancel).
        boxes.clear();
        SimEditDownload(printer, [](SimDownloadState& s) { s = SimDownloadState{}; });
        Download(f);
        EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
        EXPECT_EQ(SimPackets(printer).size(), 5u);
        boxes.clear();
    }
}

TEST_F(FontWin, CaptionsAreWholeInBothLanguages)
{
    for (const char* section : {"1033", "2052"}) {
        gLangId = QString::fromLatin1(section);
        PublishLanguageTexts(gLangFileName, gLangId);
        for (const bool dpl : {false, true}) {
            if (dpl)
                Direct(GetModelName_D45(), "dpl", 1);
            else
                Select(GetModelName_V64(), 1);
            TfrmDLF f;
            Show(f);
            EXPECT_EQ(f.fontID->isVisible(), dpl);
            EXPECT_EQ(prt::test::CaptionFaults(&f).join("; ").toStdString(), "") << section << (dpl ? " dpl" : "");
            Save(&f, QStringLiteral("TfrmDLF_captions_") + section + (dpl ? "_dpl" : ""));
        }
    }
    gLangId = QStringLiteral("1033");
}

TEST_F(FontWin, DirectTsplAndZplDownloadUnderTheCutNameAndListAgain)
{
    struct Case { const char* ppl; QString model; const char* file; const char* stored; int protocol; };
    const Case cases[] = {
        {"tsc", GetModelName_V64(), "font.prtf", "font.ttf", 1},
        {"zpl", GetModelName_V64(), "ABC.TTF", "ABC.TTF", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ppl);
        boxes.clear();
        Direct(c.model, c.ppl, c.protocol);
        TfrmDLF f;
        Show(f, File(c.file, QByteArray(1000, 'z')));
        Download(f);
        EXPECT_EQ(boxes.texts(), QStringList({T("_DownloadSuccess")}));
        EXPECT_EQ(Names(f.lvFonts), QStringList({c.stored}));
        // The stored name deletes it again.
        f.lvFonts->setCurrentItem(f.lvFonts->topLevelItem(0));
        f.btnDeleteCurFontClick(f.btnDeleteCurFont);
        f.close();
    }
    const QByteArray rx = Received();
    EXPECT_TRUE(rx.contains("DOWNLOAD E,\"font.ttf\"\r\n" + QByteArray(1000, 'z') + "\r\nEOP\r\n"));
    EXPECT_TRUE(rx.contains("KILL E,\"font.ttf\"\r\n"));
    EXPECT_TRUE(rx.contains("~DSE:ABC.TTF,500," + QByteArray(1000, 'z')));
    EXPECT_TRUE(rx.contains("^XA\r\n^IDE:ABC.TTF\r\n^XZ\r\n"));
    EXPECT_TRUE(SimStoredFiles(printer).empty());
}

TEST_F(FontWin, DirectDplInEachControlCodeSet)
{
    struct Case { const char* set; char stx, eol, soh; };
    const Case cases[] = {{"standard", 0x02, 0x0D, 0x01}, {"alternate", 0x7E, 0x0D, 0x5E},
                          {"alternate-2", 0x7E, 0x7C, 0x5E}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        boxes.clear();
        printer.clearReceived();
        SimSetValue(printer, "control_codes", c.set);
        SimEditDownload(printer, [&](SimDownloadState& s) {
            s.dplStx = uint8_t(c.stx);
            s.dplEol = uint8_t(c.eol);
            s.dplSoh = uint8_t(c.soh);
        });
        Direct(GetModelName_D45(), "dpl", 1);
        TfrmDLF f;
        Show(f, File("ARIAL.TTF", QByteArray(70000, 'x')));
        EXPECT_TRUE(f.txtId->isVisible());
        EXPECT_TRUE(f.gpbLanguage->isVisible());
        EXPECT_EQ(f.txtPrintableWidth->text(), "10");
        // The slices go unacknowledged: the wait before the listing lasts until the
        // printer has taken them all (a slow run would otherwise ask too early).
        const qsizetype before = printer.received().size();
        prt::dl::SetDLSleeperForTests([&](uint32_t ms) {
            if (ms >= 1000)
                WaitFor([&] { return printer.received().size() >= before + 70000; });
        });
        Download(f);
        prt::dl::SetDLSleeperForTests([](uint32_t) {});
        EXPECT_EQ(boxes.texts(), QStringList({T("_DownloadSuccess")}));
        EXPECT_EQ(Names(f.lvFonts), QStringList({"51ARIAL.ttf"}));
        const QByteArray head = QByteArray(1, c.soh) + "D" + QByteArray(1, c.stx) + "iET51ARIAL" +
                                QByteArray(1, c.eol) + "00011170";
        EXPECT_TRUE(Received().contains(head));
        if (std::string(c.set) == "standard")
            Save(&f, "TfrmDLF_dpl");
        f.lvFonts->setCurrentItem(f.lvFonts->topLevelItem(0));
        f.btnDeleteCurFontClick(f.btnDeleteCurFont);
        EXPECT_TRUE(Received().contains(QByteArray(1, c.stx) + "xE51ARIAL" + QByteArray(1, c.eol)));
        f.close();
    }
    EXPECT_TRUE(SimStoredFiles(printer).empty());
}

TEST_F(FontWin, RefusalsSendNothingAndEveryClickEndsIdle)
{
    const QString file = File("ARIAL.TTF", QByteArray(100, 'q'));
    // The DPL font id outside its range; a file larger than the free space; a file gone.
    Direct(GetModelName_D45(), "dpl", 1);
    {
        TfrmDLF f;
        Show(f, file);
        printer.clearReceived();
        for (const char* id : {"", "50", "9!"}) {
            f.txtId->setText(id);
            f.btnDLFontClick();
        }
        EXPECT_EQ(boxes.texts(), QStringList({T("FormDLF_ErrFontId"), T("FormDLF_ErrFontId"), T("FormDLF_ErrFontId")}));
        f.txtId->setText("51");
        prt::dl::DLStored().remainingSpace = 10;
        boxes.clear();
        f.btnDLFontClick();
        EXPECT_EQ(boxes.texts(), QStringList({T("mNoSP")}));
        EXPECT_EQ(f.btnDLFont->text(), T("msgDL"));
        EXPECT_FALSE(f.IsDownloading());
        EXPECT_FALSE(Received().contains("iET"));
        QFile::remove(file);
        boxes.clear();
        f.btnDLFontClick();
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_TRUE(boxes.texts()[0].startsWith(T("_Err_FileNotExist")));
        // something there that cannot be read is not "does not exist"
        for (const QString& path : prt::test::UnreadableFilePaths(prog.Root(), "LOCKED.TTF")) {
            SCOPED_TRACE(path.toStdString());
            nextFile = path;
            f.Button2Click();
            boxes.clear();
            f.btnDLFontClick();
            EXPECT_EQ(boxes.texts(), QStringList{T("Lang_All_00010011_11").replace("{0}", path)});
            EXPECT_FALSE(f.IsDownloading());
        }
        EXPECT_FALSE(Received().contains("iET"));
    }
    // A remaining space that is not a number keeps the label and the value.
    Select(GetModelName_V64(), 1);
    prt::dl::DLStored().remainingSpace = 77;
    SimSetValue(printer, "remain_capacity", "lots");
    TfrmDLF f;
    f.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(f.lblSpace_Font->isVisible());
    EXPECT_EQ(prt::dl::DLStored().remainingSpace, 77);
}

namespace {

// A port that takes the direct slices, optionally failing one.
class SlicePort : public prt::dl::TDLPort {
public:
    int failAt = -1;
    std::vector<QByteArray> writes;
    std::mutex m;
    int Write(const QByteArray& bytes) override
    {
        std::lock_guard l(m);
        writes.push_back(bytes);
        return int(writes.size()) - 1 == failAt ? -15 : 0;
    }
    int ReadRetry(uint8_t*, uint32_t, uint32_t* count, uint32_t, int) override { return *count = 0, 0; }
    int Read(uint8_t*, uint32_t, uint32_t* count) override { return *count = 0, 0; }
    QString GetVal(const QByteArray&) override { return QStringLiteral("100"); }
    QString SendTextRead(const QString&, uint32_t) override { return QStringLiteral("font.ttf\r\r\n"); }
    void ClosePort(Close) override {}
};

} // namespace

TEST_F(FontWin, DirectSlicesOf2048BytesEachWriteChecked)
{
    Direct(GetModelName_V64(), "tsc", 1);
    struct Case { int fileBytes; int failAt; int slices; bool ok; };
    // The TSPL header and tail add 30 bytes: 4096 and 4097 bytes of buffer.
    const Case cases[] = {{4096 - 30, -1, 2, true}, {4097 - 30, -1, 3, true}, {4097 - 30, 1, 2, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileBytes);
        boxes.clear();
        auto port = std::make_shared<SlicePort>();
        port->failAt = c.failAt;
        TfrmDLF f;
        Show(f, File("font.ttf", QByteArray(c.fileBytes, 'f')));
        f.SetTransferPort(port);
        Download(f);
        ASSERT_EQ(int(port->writes.size()), c.slices);
        EXPECT_EQ(port->writes[0].size(), 2048);
        EXPECT_EQ(FontDirectBuffer.size(), c.fileBytes + 30);
        EXPECT_EQ(boxes.texts(), QStringList({c.ok ? T("_DownloadSuccess") : T("FormGDL_ErrIO")}));
        EXPECT_EQ(f.btnDLFont->text(), T("msgDL"));
        f.close();
    }
}

TEST_F(FontWin, CancelStopsBeforeTheNextPacketWithoutAMessage)
{
    std::atomic<bool> waiting{false}, released{false};
    TfrmDLF f;
    // The sender's first wait holds until the operator has cancelled.
    f.SetTransferSleeper([&](uint32_t) {
        if (released)
            return;
        waiting = true;
        while (!released)
            QThread::msleep(1);
    });
    Show(f, File("BIG.TTF", QByteArray(5000, 'b')));
    f.btnDLFontClick();
    ASSERT_TRUE(WaitFor([&] { return waiting.load(); }));
    f.btnDLFontClick();  // the cancel
    released = true;
    f.WaitForSender();
    EXPECT_TRUE(boxes.texts().isEmpty());
    EXPECT_EQ(f.btnDLFont->text(), T("msgDL"));
    EXPECT_LE(SimPackets(printer).size(), 1u) << "nothing after the packet under way";
    EXPECT_EQ(TsplGetHandle(), 0u) << "a cancel closes and destroys the printer object";
}

TEST_F(FontWin, TestPrintFollowsTheProtocolAndRefusesFieldStoppers)
{
    SimSetValue(printer, "fonts", "E_ARIAL.TTF");
    struct Case { int protocol; bool enabled; const char* job; QString model = GetModelName_V64(); };
    const Case cases[] = {
        {4, true, "^XA\r\n^CI28\r\n^FO50,50\r\n^A@N,40,40,E:ARIAL.TTF\r\n^FDHi you^FS\r\n^XZ\r\n", "ZR908"},
        {1, true, "SIZE 30 mm,30 mm\r\nCLS\r\nTEXT 10,10,\"ARIAL.TTF\",0,48,48,\"Hi you\"\r\nPRINT 1,1\r\n"},
        {4, true, "^XA\r\n^A@N,50,50,E:ARIAL.TTF\r\n^FO100,100\r\n^FDHi you^FS\r\n^XZ\r\n"},
        {3, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.protocol);
        Select(c.model, c.protocol);
        printer.clearReceived();
        TfrmDLF f;
        Show(f);
        EXPECT_EQ(f.rtTestText->isEnabled(), c.protocol != 3);
        f.lvFonts->setCurrentItem(f.lvFonts->topLevelItem(0));
        f.lvFontsClick();
        EXPECT_EQ(f.btnTestFont->isEnabled(), c.enabled);
        if (!c.job)
            continue;
        f.rtTestText->setPlainText("Hi\nyou");
        f.btnTestFontClick();
        EXPECT_TRUE(WaitFor([&] { return Received().contains(c.job); })) << prt::test::ToHex(Received());
        EXPECT_EQ(GetCmdOpenedFlag(), 0);
        // A character that would end the text field: a message, nothing sent.
        printer.clearReceived();
        boxes.clear();
        f.rtTestText->setPlainText(c.protocol == 1 ? "say \"x\"" : "a^b");
        f.btnTestFontClick();
        ASSERT_EQ(boxes.calls().size(), 1u);
        QThread::msleep(50);
        EXPECT_TRUE(Received().isEmpty());
    }
}
