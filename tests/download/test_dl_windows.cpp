// The download windows end to end against the printer simulator over loopback: a
// selected printer, the real language texts, the file dialog and message boxes
// intercepted, the sender's waits skipped.
#include "FormDLF.h"
#include "FormDLFile.h"
#include "FormDLFont.h"
#include "FormDLUF.h"
#include "FormDownloadFile_TSPL.h"
#include "FormTempletManage.h"
#include "MainFixture.h"
#include "PrinterCMD.h"
#include "PrtIni.h"
#include "PrtTexts.h"
#include "PrtTick.h"
#include "SimDefaults.h"
#include "SimDownload.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimTcpServer.h"
#include "mdlCurrentPrinter.h"
#include "mdlDLThread.h"
#include "mdlFormOpeners.h"
#include "mdlGlobalVar.h"
#include "mdlKesaVar.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"
#include "mdlPubFunc.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QThread>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <arpa/inet.h>
#include <functional>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace prt::sim;
using prt::test::Hex;
using prt::test::ToHex;

namespace {

void NoSleep(uint32_t) {}

// The simulator reads on its own thread: wait (briefly) until it has seen something.
using prt::test::WaitFor;

bool Logged(SimPrinter& printer, const QByteArray& doBody)
{
    return WaitFor([&] {
        const auto log = SimDoLog(printer);
        return std::find(log.begin(), log.end(), doBody) != log.end();
    });
}

// The printer serves one connection at a time: once it takes a new one, it has read every
// byte of the earlier ones (which their clients have closed).
bool ReadEverythingSent(SimPrinter& printer, const SimTcpServer& server)
{
    const int before = printer.connections();
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(server.port());
    ::inet_pton(AF_INET, server.address().toLatin1().constData(), &to.sin_addr);
    const bool connected = fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0;
    const bool taken = connected && WaitFor([&] { return printer.connections() > before; });
    if (fd >= 0)
        ::close(fd);
    return taken;
}

class DlWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainwin::ResetMainState();
        SetLabelConfigFileNames();
        StartPrinter("ZPL");
    }
    void StartPrinter(const QByteArray& ppl)
    {
        PublishLanguageTexts(QStringLiteral("UtilityForLabelLanguage.ini"), QStringLiteral("1033"));
        AddStandardHandlers(printer);
        SimSetDownloadDefaults(printer, ppl);
        server = std::make_unique<SimTcpServer>(printer);
        ASSERT_TRUE(server->ok());
        SetCurrentPortString(server->portString());
        Select(GetModelName_V64());
        prt::SetSleepHook(&NoSleep);
        prt::dl::SetDLSleeperForTests([](uint32_t) {});
        prt::dl::SetDLOpenFileDialog([this](QWidget*, const QString& filter) {
            filters << filter;
            return nextFile;
        });
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
        mainwin::ResetMainState();
    }
    // The selection road's part that these windows read: names, port, printer object.
    void Select(const QString& model)
    {
        SetCurrentPrinterNames(model, model);
        SetPrinterSdkKind(1);
        ASSERT_EQ(TsplCreateGlobalPrinter(GetMainDefaultModelName()), 0);
    }
    QString Picture(const QString& name, int w, int h)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::white);
        for (int y = 0; y < h; ++y)
            img.setPixel(y % w, y, qRgb(0, 0, 0));
        const QString path = prog.Root() + name;
        EXPECT_TRUE(img.save(path, "PNG"));
        return path;
    }
    QString File(const QString& name, const QByteArray& bytes)
    {
        const QString path = prog.Root() + name;
        prt::test::WriteTestFile(path, bytes);
        return path;
    }
    static QString T(const char* key) { return prt::LangText(QLatin1String(key)); }
    static QString LengthMessage(const QString& name)
    {
        QString m;
        CheckAsciiFileName(name, m);
        return m;
    }
    void Save(QWidget* w, const QString& name)
    {
        w->adjustSize();
        ASSERT_TRUE(w->grab().save(QStringLiteral(PRT_DL_TEST_OUT_DIR) + "/" + name + ".png"));
    }

    mainwin::TempProgram prog;
    SimPrinter printer;
    std::unique_ptr<SimTcpServer> server;
    prt::test::MsgBoxRecorder boxes;
    QString nextFile;
    QStringList filters;
};

// ---- the file download window ------------------------------------------------------------------

TEST_F(DlWin, ImageToFlashAndRamThroughTheOpenerTable)
{
    const QString pic = Picture("photo.jpeg.png", 9, 3);
    nextFile = pic;
    bool ran = false;
    SetFormShowHook([&](QWidget* w) {
        auto* f = qobject_cast<TfrmDLFile*>(w);
        ASSERT_NE(f, nullptr);
        f->show();
        EXPECT_EQ(GetPrinterSdkKind(), 1) << "the window works on the TSPL object";
        EXPECT_EQ(f->btnDLFile->text(), T("msgDL"));
        EXPECT_EQ(f->ComboBox1->currentIndex(), 1) << "flash at show";
        EXPECT_TRUE(f->lblSpace_File->isVisible());
        EXPECT_TRUE(f->btnGetAllTmp->isEnabled()) << "the template model";
        f->Button7Click();
        EXPECT_EQ(f->txtFilePath->text(), pic);
        f->btnDLFileClick();
        EXPECT_EQ(f->btnDLFile->text(), T("msgCC"));
        EXPECT_FALSE(f->Button7->isEnabled()) << "port controls wait for the sender";
        f->WaitForSender();
        EXPECT_EQ(f->btnDLFile->text(), T("msgDL"));
        EXPECT_TRUE(f->Button7->isEnabled());
        ASSERT_EQ(f->lvFonts->topLevelItemCount(), 1);
        EXPECT_EQ(f->lvFonts->topLevelItem(0)->text(0), T("FormDLFile_cmbLakeBoart2"));
        EXPECT_EQ(f->lvFonts->topLevelItem(0)->text(1), "photo.jpeg.GRF");
        // RAM
        f->ComboBox1->setCurrentIndex(0);
        f->btnDLFileClick();
        f->WaitForSender();
        Save(f, "TfrmDLFile");
        ran = true;
    });
    SetPrinterSdkKind(0);
    ASSERT_TRUE(ShowFormModal("TfrmDLFile"));
    SetFormShowHook({});
    ASSERT_TRUE(ran);
    EXPECT_EQ(boxes.texts(), QStringList({T("_DownloadSuccess"), T("_DownloadSuccess")}));
    const auto files = SimStoredFiles(printer);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].name, "E_photo.jpeg.GRF") << "the name is cut at its last dot";
    EXPECT_EQ(files[1].name, "R_photo.jpeg.GRF");
    // form A of the 9 x 3 picture: R = 2, one band, the diagonal dots black
    EXPECT_EQ(ToHex(files[0].data.left(10)), "02 00 01 00 80 00 40 00 20 00");
    EXPECT_EQ(files[0].data.size(), 4 + 16);
    EXPECT_EQ(filters.first(), "*.bmp;*.jpg;*.jpeg;*.gif;*.png|*.bmp;*.jpg;*.jpeg;*.gif;*.png");
    EXPECT_EQ(GetPrinterSdkKind(), 0) << "the kind before the window";
    EXPECT_EQ(GetCmdOpenedFlag(), 0);
}

TEST_F(DlWin, TemplatesAndAutoTemplatesByPacket)
{
    TfrmDLFile f;
    f.show();
    struct Case {
        int type;
        int storage;
        const char* ppl;
        const char* handshakeName;
        const char* typeWord;
    } cases[] = {
        {1, 1, "ZPL", "E_form.zpl.prn", "labels"},
        {1, 0, "ZPL", "R_form.zpl.prn", "labels"},
        {2, 1, "TSPL", "E_form.tspl.prn", "autoform"},
    };
    const QByteArray body("^XA^FO10,10^FDHi^FS^XZ\r\n");
    nextFile = File("form.prn", body);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.handshakeName);
        f.cmbFileType->setCurrentIndex(c.type);
        f.cmbFileTypeChange();
        EXPECT_TRUE(f.cmbPPL->isVisible());
        EXPECT_FALSE(f.cmbImageTimes->isVisible());
        f.ComboBox1->setCurrentIndex(c.storage);
        f.cmbPPL->setCurrentText(c.ppl);
        f.Button7Click();
        EXPECT_EQ(filters.last(), "*.prn|*.prn");
        f.btnDLFileClick();
        f.WaitForSender();
        const auto hs = SimHandshakes(printer);
        ASSERT_FALSE(hs.empty());
        EXPECT_TRUE(hs.back().contains(QByteArray("\"") + c.typeWord + "\" \"" + c.handshakeName + "\""))
            << hs.back().constData();
        EXPECT_EQ(SimStoredFiles(printer).back().data, body);
    }
    EXPECT_EQ(f.ListView1->topLevelItemCount(), 2);
    ASSERT_EQ(f.lsbAutoTmp->count(), 1);
    EXPECT_EQ(f.lsbAutoTmp->item(0)->text(), "form.tspl.prn");
    EXPECT_EQ(boxes.texts(), QStringList(3, T("_DownloadSuccess")));
    f.close();
}

TEST_F(DlWin, RefusedNamesAndFilesSendNothing)
{
    TfrmDLFile f;
    f.show();
    const QString good = Picture("good.png", 8, 8);
    nextFile = good;
    f.Button7Click();
    struct Case {
        QString name;
        QString message;
    } cases[] = {
        {QString(29, 'a') + ".png", LengthMessage(QString(29, 'a') + ".png")},
        {"a b.png", T("msgASCIIFileName")},
        {"a,b.png", T("msgASCIIFileName")},
        {"a\"b.png", T("msgASCIIFileName")},
        {QString::fromUtf8("\xC3\xA9t\xC3\xA9.png"), T("msgASCIIFileName")},
        {"abcdefghijklmn.png", T("_Error_1102")},  // 18 characters
    };
    const QByteArray before = printer.received();
    for (const Case& c : cases) {
        boxes.clear();
        nextFile = prog.Root() + c.name;
        f.Button7Click();
        ASSERT_EQ(boxes.calls().size(), 1u) << c.name.toStdString();
        EXPECT_EQ(boxes.calls()[0].flags, 16u);
        EXPECT_EQ(boxes.calls()[0].text, c.message) << c.name.toStdString();
        EXPECT_EQ(f.txtFilePath->text(), good) << "a refused pick changes nothing";
    }
    EXPECT_EQ(printer.received(), before);
    // 17 characters pass
    nextFile = Picture("abcdefghijklm.png", 8, 8);
    boxes.clear();
    f.Button7Click();
    EXPECT_TRUE(boxes.calls().empty());

    // a file that went away, something there that cannot be read, a picture too wide
    // for 203 dots per inch, no space
    struct Run {
        QString file;
        std::function<void()> before;
        QString message;
    };
    std::vector<Run> runs = {{prog.Root() + "gone.png", [] {}, T("_Err_FileNotExist")}};
    for (const QString& path : prt::test::UnreadableFilePaths(prog.Root(), "locked.png"))
        runs.push_back({path, [] {}, T("Lang_All_00010011_11").replace("{0}", path)});
    runs.push_back({Picture("wide.png", 865, 2), [] {}, T("_E_IC_TooWide").replace("{0}", "865").replace("{1}", "864")});
    runs.push_back({good, [this] { SimSetValue(printer, "remain_capacity", "10"); }, T("mNoSP")});
    for (Run& r : runs) {
        r.before();
        f.GetSpace();
        f.txtFilePath->setText(r.file);
        boxes.clear();
        f.btnDLFileClick();
        ASSERT_EQ(boxes.calls().size(), 1u) << r.message.toStdString();
        EXPECT_EQ(boxes.calls()[0].text, r.message);
        EXPECT_EQ(f.btnDLFile->text(), T("msgDL"));
        EXPECT_FALSE(f.IsSenderBusy());
    }
    EXPECT_TRUE(SimHandshakes(printer).empty());
    f.close();
}

TEST_F(DlWin, ResolutionDecidesTheWidthLimit)
{
    TfrmDLFile f;
    f.show();
    struct Case {
        const char* dpi;
        int width;
        bool sent;
    } cases[] = {{"300", 1248, true}, {"300", 1249, false}, {"", 864, true}, {"", 865, false}, {"x", 865, false}};
    for (const Case& c : cases) {
        SimSetValue(printer, "dpi", c.dpi);
        const size_t before = SimHandshakes(printer).size();
        f.txtFilePath->setText(Picture(QString("w%1.png").arg(c.width), c.width, 1));
        boxes.clear();
        f.btnDLFileClick();
        f.WaitForSender();
        EXPECT_EQ(SimHandshakes(printer).size() > before, c.sent) << c.dpi << " " << c.width;
        EXPECT_EQ(f.Resolution(), QByteArray(c.dpi) == "300" ? 300 : 203);
    }
    f.close();
}

TEST_F(DlWin, APictureThePrinterCannotTakeIsRefusedWithTheReason)
{
    auto tooLarge = [](int w, int h) {
        return T("_E_IC_TooLarge").replace("{0}", QString::number(w)).replace("{1}", QString::number(h));
    };
    TfrmDLFile f;
    f.show();
    struct Case { QString path; QString message; };
    const Case cases[] = {
        {File("notes.png", "not a picture\r\n"), T("_E_IC_NotPicture")},
        {File("huge.png", prt::test::PngHeadClaiming(20000, 20000)),
         T("_E_IC_TooWide").replace("{0}", "20000").replace("{1}", "864")},
        // beyond the readers' own limits: the size from the head, not "unreadable"
        {File("over-reader.png", prt::test::PngHeadClaiming(1000001, 1)),
         T("_E_IC_TooWide").replace("{0}", "1000001").replace("{1}", "864")},
        {File("over-reader.bmp", prt::test::BmpHeadClaiming(800, 400000)), tooLarge(800, 400000)},
        {File("over-reader.jpg", prt::test::JpegHeadClaiming(2, 65501)), tooLarge(2, 65501)},
        // higher than the conversion makes: a real picture, and at scale 1.0
        {Picture("line.png", 1, 174762), T("_E_IC_TooTall").replace("{0}", "174762").replace("{1}", "65535")},
        // a good head without pixel data passes the look at the head; the conversion tells
        {File("no-pixels.png", prt::test::PngHeadClaiming(8, 8)), T("_E_IC")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        boxes.clear();
        f.txtFilePath->setText(c.path);
        f.btnDLFileClick();
        f.WaitForSender();
        EXPECT_EQ(boxes.texts(), QStringList{c.message});
        EXPECT_FALSE(c.message.isEmpty());
        EXPECT_EQ(f.btnDLFile->text(), T("msgDL"));
        EXPECT_EQ(GetCmdOpenedFlag(), 0) << "the port is closed again";
    }
    EXPECT_TRUE(T("_E_IC_TooWide").contains("{0}") && T("_E_IC_TooWide").contains("{1}"));
    EXPECT_TRUE(SimHandshakes(printer).empty());
    f.close();
}

TEST_F(DlWin, APictureStoredTopDownIsDownloaded)
{
    // 3 x 2, 24 bits, stored top-down (negative height): top row black, white, white
    const QString topDown =
        File("topdown.bmp", Hex("42 4D 4E 00 00 00 00 00 00 00 36 00 00 00 28 00 00 00 03 00 00 00 FE FF FF FF"
                                "01 00 18 00 00 00 00 00 18 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                                "00 00 000000 FFFFFF FFFFFF 000000 FFFFFF FFFFFF 000000 000000"));
    TfrmDLFile f;
    f.show();
    f.txtFilePath->setText(topDown);
    f.btnDLFileClick();
    f.WaitForSender();
    EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
    ASSERT_EQ(SimHandshakes(printer).size(), 1u);
    const auto files = SimStoredFiles(printer);
    ASSERT_EQ(files.size(), 1u);
    // form A: R = 1, one band, the top row first (black dot 0 a set bit), then the bottom
    // row (black dot 2), then 6 zero rows
    EXPECT_EQ(ToHex(files[0].data), "01 00 01 00 80 20 00 00 00 00 00 00");
    f.close();
}

TEST_F(DlWin, CancelStopsTheSenderAndNoNewStartBeforeItEnded)
{
    TfrmDLFile f;
    f.show();
    SimFaults faults;
    faults.replyDelayMs = 40;
    printer.setFaults(faults);
    f.txtFilePath->setText(Picture("big.png", 800, 400));  // 100 x 400 bytes: 40 packets
    f.btnDLFileClick();
    ASSERT_TRUE(f.IsSenderBusy());
    f.btnDLFileClick();  // the cancel branch
    EXPECT_EQ(f.btnDLFile->text(), T("msgDL"));
    EXPECT_FALSE(f.ProgressBar2->isVisible());
    f.btnDLFileClick();  // ignored while the old sender ends
    f.WaitForSender();
    EXPECT_EQ(f.Sender().Result(), prt::dl::TDLResult::Cancelled);
    EXPECT_LT(SimPackets(printer).size(), 40u);
    // the printer answers late: it may read the handshake after the sender has gone; a
    // second one would be read by the time it has served the window's connections
    EXPECT_TRUE(WaitFor([&] { return !SimHandshakes(printer).empty(); }));
    ASSERT_TRUE(ReadEverythingSent(printer, *server));
    EXPECT_EQ(SimHandshakes(printer).size(), 1u);
    EXPECT_TRUE(boxes.calls().empty()) << "cancelling shows nothing";
    printer.setFaults({});
    f.close();
}

TEST_F(DlWin, APrinterThatStopsMidTransferGivesTheWindowBackIdle)
{
    TfrmDLFile f;
    f.show();
    f.txtFilePath->setText(Picture("p.png", 16, 16));
    SimEditDownload(printer, [](SimDownloadState& s) { s.handshakeReply = "NO"; });
    f.btnDLFileClick();
    f.WaitForSender();
    EXPECT_EQ(boxes.texts(), QStringList{T("FormGDL_ErrIO")});
    EXPECT_EQ(f.btnDLFile->text(), T("msgDL")) << "a refused handshake gives the button back";

    // 800 x 40 dots: 4 + 5 x 8 x 100 bytes, four packets; the printer stops at the third.
    f.txtFilePath->setText(Picture("wide.png", 800, 40));
    struct Case { const char* what; std::function<void(SimDownloadState&)> fault; const char* message; };
    const Case cases[] = {
        {"status 01 00", [](SimDownloadState& s) { s.badStatusAt = 2; }, "FormGDL_ErrIO"},
        {"bad reply sum", [](SimDownloadState& s) { s.badSumAt = 2; }, "_Err_CheckSum"},
        {"no reply", [](SimDownloadState& s) { s.noReplyAt = 2; }, "FormGDL_ErrIO"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.clear();
        SimEditDownload(printer, [&](SimDownloadState& s) {
            s = SimDownloadState{};
            c.fault(s);
        });
        // What the operator sees while the message is up.
        QString caption;
        bool progressShown = true;
        const prt::MsgBoxHandler previous = prt::SetMessageBoxHandler([&](const prt::MsgBoxCall& call) {
            caption = f.btnDLFile->text();
            progressShown = f.ProgressBar2->isVisible() || f.Label1->isVisible() || f.Label2->isVisible();
            return previous(call);
        });
        f.btnDLFileClick();
        ASSERT_EQ(f.btnDLFile->text(), T("msgCC"));
        f.WaitForSender();
        prt::SetMessageBoxHandler(previous);
        EXPECT_EQ(boxes.texts(), QStringList{T(c.message)});
        EXPECT_EQ(SimPackets(printer).size(), 3u);
        EXPECT_EQ(caption, T("msgDL")) << "idle before the message";
        EXPECT_FALSE(progressShown);
        EXPECT_EQ(f.btnDLFile->text(), T("msgDL"));
        EXPECT_FALSE(f.ProgressBar2->isVisible());
        EXPECT_EQ(f.ProgressBar2->value(), 0);
        EXPECT_TRUE(f.Label1->text().isEmpty());
        EXPECT_TRUE(f.Label2->text().isEmpty());
        for (QWidget* w : std::initializer_list<QWidget*>{f.Button7, f.btnGetAllImage, f.cmbFileType, f.ComboBox1})
            EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
        EXPECT_EQ(GetCmdOpenedFlag(), 0);
        // The next click downloads again (it is no cancel).
        boxes.clear();
        SimEditDownload(printer, [](SimDownloadState& s) { s = SimDownloadState{}; });
        f.btnDLFileClick();
        f.WaitForSender();
        EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
        EXPECT_EQ(SimPackets(printer).size(), 4u);
        boxes.clear();
    }
    f.close();
}

TEST_F(DlWin, ClosingDuringATransferCancelsAndJoins)
{
    auto* f = new TfrmDLFile;
    f->show();
    SimFaults faults;
    faults.replyDelayMs = 30;
    printer.setFaults(faults);
    f->txtFilePath->setText(Picture("big.png", 800, 200));
    f->btnDLFileClick();
    ASSERT_TRUE(f->IsSenderBusy());
    f->close();
    EXPECT_FALSE(f->IsSenderBusy());
    delete f;
    printer.setFaults({});
    EXPECT_LT(SimPackets(printer).size(), 20u);
    EXPECT_EQ(GetPrinterSdkKind(), 1);
}

TEST_F(DlWin, KeyValueListPrintAndDelete)
{
    SimEditDownload(printer, [](SimDownloadState& s) {
        s.files = {{"bitmaps", "E_logo.GRF", "1"}, {"bitmaps", "R_sun.GRF", "2"}, {"labels", "E_a.zpl.prn", "3"},
                   {"autoform", "E_x.prn", "4"}, {"autoform", "R_y.prn", "5"}};
    });
    SimSetValue(printer, "bitmaps", "E_logo.GRF,R_sun.GRF,");
    SimSetValue(printer, "labels", "E_a.zpl.prn");
    SimSetValue(printer, "autoform", "E_x.prn,R_y.prn");
    SimSetValue(printer, "autoform_switch", "on");
    TfrmDLFile f;
    f.show();
    f.DoActive_Bitmap(f.btnGetAllImage);
    ASSERT_EQ(f.lvFonts->topLevelItemCount(), 2) << "an empty piece makes no row";
    EXPECT_EQ(f.lvFonts->topLevelItem(1)->text(0), T("FormDLFile_cmbLakeBoart1"));
    EXPECT_EQ(f.lvFonts->topLevelItem(1)->text(1), "sun.GRF");
    // nothing selected
    f.DoActive_Bitmap(f.btnPrintImage);
    EXPECT_EQ(boxes.texts(), QStringList{T("msgsi")});
    EXPECT_EQ(boxes.calls()[0].flags, 64u);
    f.lvFonts->setCurrentItem(f.lvFonts->topLevelItem(1));
    f.DoActive_Bitmap(f.btnPrintImage);
    f.DoActive_Bitmap(f.btnDelCurImage);
    EXPECT_EQ(f.lvFonts->topLevelItemCount(), 1);
    EXPECT_TRUE(Logged(printer, "\"print\" \"bitmaps\" \"sun.GRF\"")) << "printed without prefix";
    EXPECT_TRUE(Logged(printer, "\"delete\" \"bitmaps\" \"R_sun.GRF\""));
    EXPECT_EQ(SimStoredFiles(printer).size(), 4u);

    f.DoActive_Label(f.btnGetAllTmp);
    ASSERT_EQ(f.ListView1->topLevelItemCount(), 1);
    f.ListView1->setCurrentItem(f.ListView1->topLevelItem(0));
    f.DoActive_Label(f.btnPrintTmp);
    f.DoActive_AutoTmp(f.btnGetAutoTmp);
    ASSERT_EQ(f.lsbAutoTmp->count(), 1);
    EXPECT_EQ(f.lsbAutoTmp->item(0)->text(), "x.prn,y.prn");
    EXPECT_EQ(f.btnSwitchAutoform->text(), T("FormDLFile_btnSwitchAutoform2"));
    f.lsbAutoTmp->setCurrentRow(0);
    f.DoActive_AutoTmp(f.btnPrintAutoTmp);
    EXPECT_TRUE(Logged(printer, "\"print\" \"labels\" \"E_a.zpl.prn\""));
    EXPECT_TRUE(Logged(printer, "\"print\" \"autoform\" \"R_y.prn\""));
    f.DoActive_Label(f.btnDelAllTmp);
    EXPECT_EQ(f.ListView1->topLevelItemCount(), 0);
    EXPECT_TRUE(WaitFor([&] { return SimStoredFiles(printer).size() == 3u; }));
    EXPECT_EQ(GetCmdOpenedFlag(), 0);
    f.close();
}

// ---- direct printer-language dialects ----------------------------------------------------------

TEST_F(DlWin, DirectTsplImagesAndTemplates)
{
    prog.SetOemCo("Label_Channel");
    SimSetValue(printer, "ppl", "tsc");
    TfrmDLFile f;
    f.show();
    EXPECT_TRUE(f.txtPrintWidth->isVisible()) << "print size and offsets for direct TSPL images";
    EXPECT_EQ(f.tipPrintWidth->text(), "mm");
    nextFile = Picture("logo.png", 9, 3);
    f.Button7Click();
    f.btnDLFileClick();
    EXPECT_FALSE(f.IsSenderBusy()) << "the direct path runs inside the click";
    EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
    EXPECT_TRUE(SimPackets(printer).empty());
    auto files = SimStoredFiles(printer);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].type, "tspl");
    EXPECT_EQ(files[0].name, "logo.BMP");
    // header, then rows as stored with the padding bits set: dot 0 black, then 1 and 2
    EXPECT_EQ(ToHex(files[0].data.mid(62)), "7F FF BF FF DF FF");
    ASSERT_EQ(f.lvFonts->topLevelItemCount(), 1);
    EXPECT_EQ(f.lvFonts->topLevelItem(0)->text(1), "logo.BMP");

    // template to flash by the printer's own command
    boxes.clear();
    f.cmbFileType->setCurrentIndex(1);
    f.cmbFileTypeChange();
    EXPECT_FALSE(f.txtPrintWidth->isVisible());
    nextFile = File("form.prn", "SIZE 40 mm,30 mm\r\n");
    f.Button7Click();
    f.btnDLFileClick();
    EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
    files = SimStoredFiles(printer);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[1].name, "form.BAS");
    EXPECT_EQ(files[1].data, QByteArray("SIZE 40 mm,30 mm\r\n"));
    ASSERT_EQ(f.ListView1->topLevelItemCount(), 1);

    // print and delete
    printer.clearReceived();
    f.lvFonts->setCurrentItem(f.lvFonts->topLevelItem(0));
    f.DoActive_Bitmap(f.btnPrintImage);
    f.ListView1->setCurrentItem(f.ListView1->topLevelItem(0));
    f.DoActive_Label(f.btnPrintTmp);
    EXPECT_TRUE(WaitFor([&] {
        return printer.received().contains("SIZE 100mm,80mm\r\nDIRECTION 0\r\nCLS\r\nPUTBMP 0,0,\"logo.BMP\"\r\n"
                                           "PRINT 1,1\r\n") &&
               printer.received().contains("RUN \"form.BAS\"\r\n");
    }));
    f.DoActive_Bitmap(f.btnDelCurImage);
    f.DoActive_Label(f.btnDelAllTmp);
    EXPECT_TRUE(WaitFor([&] { return SimStoredFiles(printer).empty(); }));
    EXPECT_EQ(f.lvFonts->topLevelItemCount(), 0);
    f.close();
}

TEST_F(DlWin, DirectDplImagesWithAlternateControlBytes)
{
    prog.SetOemCo("Label_Ardwick_Custom");
    Select(GetModelName_D45());
    SimSetValue(printer, "ppl", "dpl");
    SimSetValue(printer, "control_codes", "alternate");
    SimEditDownload(printer, [](SimDownloadState& s) {
        s.dplStx = 0x7E;
        s.dplSoh = 0x5E;
    });
    TfrmDLFile f;
    f.show();
    EXPECT_EQ(prt::dl::DLStored().dpl, (prt::dl::TDplControl{0x7E, 0x0D, 0x5E}));
    EXPECT_EQ(f.tipPrintWidth->text(), "m");
    // names: 19 characters pass on a direct DPL printer, 20 are refused with "16"
    nextFile = Picture("abcdefghijklmno.png", 9, 3);
    f.Button7Click();
    EXPECT_TRUE(boxes.calls().empty());
    nextFile = prog.Root() + "abcdefghijklmnop.png";
    f.Button7Click();
    EXPECT_EQ(boxes.texts(), QStringList{ReplaceFirst(T("_Error_1102"), "17", "16")});
    boxes.clear();
    f.btnDLFileClick();
    EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
    const auto files = SimStoredFiles(printer);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].name, "abcdefghijklmno") << "no extension on a DPL printer";
    EXPECT_EQ(files[0].data.left(2), "BM") << "the work bitmap as stored";
    ASSERT_EQ(f.lvFonts->topLevelItemCount(), 1);
    EXPECT_EQ(f.lvFonts->topLevelItem(0)->text(1), "abcdefghijklmno.BMP");
    printer.clearReceived();
    f.txtXPosition->setText("5");
    f.txtYPosition->setText("12");
    f.lvFonts->setCurrentItem(f.lvFonts->topLevelItem(0));
    f.DoActive_Bitmap(f.btnPrintImage);
    EXPECT_TRUE(WaitFor([&] { return printer.received().contains("1Y1100000120005abcdefghijklmno\r\n"); }));
    EXPECT_TRUE(printer.received().contains("~KcLW1000;CL0800\r\n"));
    f.DoActive_Bitmap(f.btnDelAllImage);
    EXPECT_TRUE(WaitFor([&] { return SimStoredFiles(printer).empty(); }));
    f.close();
}

TEST_F(DlWin, DirectZplImages)
{
    prog.SetOemCo("Label_Channel");
    Select(GetModelName_GS_PR540D());
    SimSetValue(printer, "ppl", "zpl");
    TfrmDLFile f;
    f.show();
    EXPECT_FALSE(f.txtPrintWidth->isVisible()) << "no print size for ZPL";
    // a delete-all before any listing sends the empty delete
    printer.clearReceived();
    f.DoActive_Bitmap(f.btnDelAllImage);
    EXPECT_TRUE(WaitFor([&] { return printer.received().contains("^XA\r\n^XZ\r\n"); }));
    nextFile = Picture("logo.png", 9, 3);
    f.Button7Click();
    f.btnDLFileClick();
    EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
    const auto files = SimStoredFiles(printer);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].name, "logo.GRF");
    EXPECT_EQ(ToHex(files[0].data), "80 00 40 00 20 00") << "the inverted rows";
    ASSERT_EQ(f.lvFonts->topLevelItemCount(), 1);
    f.lvFonts->setCurrentItem(f.lvFonts->topLevelItem(0));
    printer.clearReceived();
    f.DoActive_Bitmap(f.btnPrintImage);
    EXPECT_TRUE(WaitFor(
        [&] { return printer.received().contains("^XA^PW600^LL480^POI^FO100,100^XGE:logo.GRF^FS^XZ"); }));
    f.DoActive_Bitmap(f.btnDelAllImage);
    EXPECT_TRUE(WaitFor([&] { return SimStoredFiles(printer).empty(); }));
    f.close();
}

// ---- creation, texts and the end of a direct path -----------------------------------------------

TEST_F(DlWin, CreatingTheWindowsNeedsNoPrinterAndSendsNothing)
{
    ClearCurrentPrinterNames();
    TsplDestroyGlobalPrinter();
    SetCurrentPortString("USB");
    SetPrinterSdkKind(0);
    for (const char* name : {"TfrmDLFile", "TfrmDLFile_ZR", "TfrmDLUF", "TfrmDLFont"}) {
        QWidget* w = CreateFormByName(name);
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->objectName(), name);
        EXPECT_FALSE(w->isVisible());
        delete w;
    }
    EXPECT_EQ(TsplGetHandle(), 0u);
    EXPECT_EQ(GetPrinterSdkKind(), 0);
    EXPECT_TRUE(boxes.calls().empty());
    EXPECT_EQ(printer.connections(), 0);
}

TEST_F(DlWin, TheWindowsOpenNoConnectionTheySendNothingOn)
{
    // Every connection the file window and the font-file windows open carries their
    // exchange: none is opened and closed again with nothing sent.
    auto step = [&](const char* what) {
        SCOPED_TRACE(what);
        // the connection of the step's last exchange ends when the next one opens
        EXPECT_EQ(printer.silentConnections(), 0) << what;
    };
    SimSetValue(printer, "bitmaps", "E_OLD.GRF");
    {
        TfrmDLFile f;
        f.show();
        step("file window shown");
        f.btnGetAllImage->click();
        step("images listed");
        f.lvFonts->setCurrentItem(f.lvFonts->topLevelItem(0));
        f.btnPrintImage->click();
        step("image printed");
        f.txtFilePath->setText(Picture("p.png", 16, 16));
        f.btnDLFileClick();
        f.WaitForSender();
        step("image downloaded");
        f.lvFonts->setCurrentItem(f.lvFonts->topLevelItem(0));
        f.btnDelCurImage->click();
        step("image deleted");
        f.btnDelAllImage->click();
        step("all images deleted");
        f.ComboBox1->setCurrentIndex(0);
        emit f.ComboBox1->activated(0);
        step("storage changed");
        f.close();
    }
    step("file window closed");
    for (const bool quick : {false, true}) {
        std::unique_ptr<QDialog> w;
        if (quick)
            w = std::make_unique<TfrmDLFont>();
        else
            w = std::make_unique<TfrmDLUF>();
        auto* f = static_cast<TDLFontFileForm*>(w.get());
        f->show();
        nextFile = File("f.bin", QByteArray(1500, 'f'));
        f->Button2Click();
        f->btnDownloadClick();
        f->WaitForSender();
        f->btnCloseClick();
        step(quick ? "quick font downloaded" : "user font downloaded");
    }
    // One more exchange on a fresh connection: the printer has seen every earlier one end.
    SetPrinterSdkKind(1);
    ASSERT_EQ(TsplOpenPort(GetCurrentPortString()), 0);
    EXPECT_EQ(CmdGetVal(KEY_dpi), "203");
    TsplClosePort();
    EXPECT_EQ(printer.silentConnections(), 0);
    EXPECT_EQ(boxes.texts(), QStringList({T("_DownloadSuccess"), T("_DownloadSuccess"), T("_DownloadSuccess")}));
    const auto log = SimDoLog(printer);
    EXPECT_NE(std::find(log.begin(), log.end(), QByteArray("\"print\" \"bitmaps\" \"OLD.GRF\"")), log.end());
}

TEST_F(DlWin, CaptionsAreWholeInBothLanguages)
{
    for (const char* section : {"1033", "2052"}) {
        PublishLanguageTexts(QStringLiteral("UtilityForLabelLanguage.ini"), QString::fromLatin1(section));
        EXPECT_EQ(T("FormDownloadFont_lblSelectFile"),
                  QString::fromUtf8(QByteArray(section) == "1033" ? "Font file:" : "\u9009\u62e9\u5b57\u4f53\u6587\u4ef6\uff1a"));
        std::vector<std::unique_ptr<QDialog>> windows;
        windows.push_back(std::make_unique<TfrmDLFile>());
        windows.push_back(std::make_unique<TfrmDLUF>());
        windows.push_back(std::make_unique<TfrmDLFont>());
        for (auto& w : windows) {
            w->show();
            QCoreApplication::processEvents();
            EXPECT_EQ(prt::test::CaptionFaults(w.get()).join("; ").toStdString(), "") << section << " " << w->metaObject()->className();
            Save(w.get(), QString(w->metaObject()->className()) + "_" + section);
            w->close();
        }
    }
}

TEST_F(DlWin, EveryKeyTheWindowsReadHasBothTexts)
{
    const QStringList keys = {
        "msgDL", "msgCC", "FormGDL_ErrIO", "FormDLF_SpaceInfo", "FormDLF_DLI2", "FormDLF_ProgressInfo",
        "_Err_Select_PPL", "_Err_FileNotExist", "_Err_OpenPort", "_Error_1102", "mNoSP", "_DownloadSuccess",
        "_MSG_Title_Error", "_MSG_Title_Warn", "_MSG_Title_Message", "msgsi", "_Err_CreatePrinter",
        "_Err_CheckSum", "_E_IC", "_E_ITW", "_Err_FileNameLength", "msgASCIIFileName", "_Err_FileToBig", "_Close",
        "FormDLFile_Caption", "FormDLFile_gpbDLFiles", "FormDLFile_lblImageTimes", "FormDLFile_lblPPL_File",
        "FormDLFile_lblDFUType", "FormDLFile_lblSelectFile", "FormDLFile_lblCarPosi", "FormDLFile_cmbLakeBoart1",
        "FormDLFile_cmbLakeBoart2", "FormDLFile_cmbFileType_1", "FormDLFile_cmbFileType_2",
        "FormDLFile_cmbFileType_3", "FormDLFile_btnGetAllImage", "FormDLFile_btnPrintImage",
        "FormDLFile_btnDelCurImage", "FormDLFile_btnDelAllImage", "FormDLFile_btnGetAllTmp",
        "FormDLFile_btnPrintTmp", "FormDLFile_btnDelCurTmp", "FormDLFile_btnDelAllTmp", "FormDLFile_btnGetAutoTmp",
        "FormDLFile_btnPrintAutoTmp", "FormDLFile_btnDeleteAutoTmp", "FormDLFile_btnSwitchAutoform",
        "FormDLFile_btnSwitchAutoform1", "FormDLFile_btnSwitchAutoform2", "FormDLF_lvFontsItem0",
        "FormDLFile_lvImagesItem1", "FormDLFile_lvModulItem1", "FormDLFile_lblPrintImagePosition",
        "FormPrintTextLabel_lblPrintableWidth", "FormPrintTextLabel_lblPrintableHeight",
        "FormPrintTextLabel_lblDColumnOffset", "FormPrintTextLabel_lblDRowOffset", "FormDownloadFont_Caption",
        "FormDownloadFont_lblSelectFile", "FormDownloadFont_btnDownload", "FormDownloadFont_btnDownload1",
        "FormDownloadFont_lblProgressInfo", "FormDownloadFont_ErrIO", "FormParaSet_BQM_lblLanguage",
        "_E_IC_NotPicture", "_E_IC_Unreadable", "_E_IC_TooWide", "_E_IC_TooLarge", "_E_IC_TooTall",
        "FormDLF_lblFontID",
    };
    for (const char* file : {"UtilityForLabelLanguage.ini", "UtilityForMobileLanguage.ini"}) {
        for (const char* section : {"1033", "2052"}) {
            const QString path = prt::test::SourceDir() + "/files/" + file;
            for (const QString& key : keys)
                EXPECT_FALSE(prt::IniReadString(path, section, key, QString()).isEmpty())
                    << file << " [" << section << "] " << key.toStdString();
        }
    }
    // placeholders the windows fill
    EXPECT_TRUE(T("FormDLF_SpaceInfo").contains("{0}") && T("FormDLF_SpaceInfo").contains("{1}"));
    EXPECT_TRUE(T("FormDLF_DLI2").contains("{1}"));
    EXPECT_TRUE(T("_Error_1102").contains("17"));
    for (const char* key : {"_E_IC_TooWide", "_E_IC_TooLarge", "_E_IC_TooTall"})
        EXPECT_TRUE(T(key).contains("{0}") && T(key).contains("{1}")) << key;
    EXPECT_TRUE(T("FormDownloadFont_lblProgressInfo").contains("{1}"));
    EXPECT_TRUE(T("FormDownloadFont_lblProgressInfo").contains("{2}"));
}

TEST_F(DlWin, ADirectImageThePrinterDoesNotListIsReported)
{
    prog.SetOemCo("Label_Channel");
    SimSetValue(printer, "ppl", "tsc");
    TfrmDLFile f;
    f.show();
    f.txtFilePath->setText(Picture("logo.png", 9, 3));
    SimFaults quiet;
    quiet.noReply = true;  // the listing after the write gets no answer
    printer.setFaults(quiet);
    f.btnDLFileClick();
    printer.setFaults({});
    EXPECT_EQ(boxes.texts(), QStringList{T("FormGDL_ErrIO")});
    EXPECT_EQ(f.btnDLFile->text(), T("msgDL"));
    EXPECT_FALSE(f.IsRunning());
    f.close();
    EXPECT_NE(TsplWriteData(QByteArray("X\r\n")), 0) << "closing the window closed its port";
}

// ---- the ZR window ------------------------------------------------------------------------------

TEST_F(DlWin, ZrWindowImagesToFlashAndPrintPosition)
{
    Select(QStringLiteral("ZR905K"));
    SimSetValue(printer, "dpi", "not a number");
    nextFile = Picture("zr.png", 16, 4);
    TfrmDLFile_ZR f;
    f.show();
    EXPECT_FALSE(f.ComboBox1->isEnabled());
    EXPECT_FALSE(f.cmbFileType->isEnabled());
    EXPECT_EQ(f.ComboBox1->currentIndex(), 1);
    f.Button7Click();
    EXPECT_EQ(filters.last(), "*.bmp|*.bmp");
    f.btnDLFileClick();
    f.WaitForSender();
    EXPECT_EQ(f.Resolution(), 203) << "a reply that is no number is 203 dots per inch";
    ASSERT_EQ(SimStoredFiles(printer).size(), 1u);
    EXPECT_EQ(SimStoredFiles(printer)[0].name, "E_zr.GRF");
    ASSERT_EQ(f.lvFonts->topLevelItemCount(), 1);
    f.lvFonts->setCurrentItem(f.lvFonts->topLevelItem(0));
    for (const char* pos : {"12", ""}) {
        f.edtPrintImagePosition->setText(pos);
        SimSetValue(printer, "pic_start_pos", "unset");
        f.DoActive_Bitmap(f.btnPrintImage);
        EXPECT_TRUE(WaitFor([&] { return SimValue(printer, "pic_start_pos") == QByteArray(pos); })) << pos;
    }
    boxes.clear();
    f.edtPrintImagePosition->setText("1\"2");
    // the download and the two prints have arrived
    ASSERT_TRUE(WaitFor([&] { return SimDoLog(printer).size() == 3u; }));
    const size_t prints = SimDoLog(printer).size();
    f.DoActive_Bitmap(f.btnPrintImage);
    EXPECT_EQ(boxes.calls().size(), 1u);
    QThread::msleep(50);
    EXPECT_EQ(SimDoLog(printer).size(), prints) << "nothing is printed";
    Save(&f, "TfrmDLFile_ZR");
    f.close();
}

// ---- the font-file windows --------------------------------------------------------------------------

// A download window whose port does not open tells what the code means: the printer here
// is a loopback port nobody listens on.
TEST_F(DlWin, AFailedOpenSaysWhatItsCodeMeans)
{
    const QString font = File("font.bin", QByteArray(64, 'u'));
    struct Case {
        const char* name;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"file download", [] { TfrmDLFile().show(); }},
        {"font manager", [] { TfrmDLF().show(); }},
        {"storage manager", [] { T_frmTempletManage().show(); }},
        {"storage download",
         [] {
             T_frmDownloadFile_TSPL w;
             w.btnDownloadClick();
         }},
        {"user font download",
         [&] {
             TfrmDLUF w;
             w.show();
             w.txtFileName->setText(font);
             w.btnDownloadClick();
         }},
    };
    server->stop();
    for (const Case& c : cases) {
        boxes.clear();
        c.run();
        EXPECT_TRUE(boxes.texts().contains("Failed to open the port:-13 (network connection refused or unreachable)"))
            << c.name << ": " << boxes.texts().join(" | ").toStdString();
        SetCmdOpenedFlag(0);
        prt::dl::DLStored() = prt::dl::TDLStoredState{};
    }
}

TEST_F(DlWin, UserFontTwoPacketsAndTheEncoding)
{
    TfrmDLUF f;
    f.show();
    f.btnDownloadClick();
    EXPECT_TRUE(boxes.calls().empty()) << "an empty name does nothing";
    nextFile = File("font.bin", QByteArray(2048, 'u'));
    f.Button2Click();
    f.cmbFontID->setCurrentText("BIG5");
    f.btnDownloadClick();
    EXPECT_EQ(f.btnDownload->text(), T("FormDownloadFont_btnDownload1"));
    f.WaitForSender();
    EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
    EXPECT_EQ(f.btnDownload->text(), T("FormDownloadFont_btnDownload"));
    EXPECT_EQ(f.lblProgressInfo->text(),
              ReplaceFirst(ReplaceFirst(T("FormDownloadFont_lblProgressInfo"), "{1}", "2"), "{2}", "2"));
    const auto hs = SimHandshakes(printer);
    ASSERT_EQ(hs.size(), 1u);
    EXPECT_TRUE(hs[0].contains("\"userfont_download\" \"big5\""));
    const auto packets = SimPackets(printer);
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(SimStoredFiles(printer)[0].data, QByteArray(2048, 'u'));
    // the size limit
    boxes.clear();
    nextFile = File("max.bin", QByteArray(3133440, 'm'));
    f.Button2Click();
    EXPECT_EQ(f.txtFileName->text(), nextFile);
    const QString accepted = nextFile;
    nextFile = File("over.bin", QByteArray(3133441, 'm'));
    f.Button2Click();
    EXPECT_EQ(boxes.texts(), QStringList{T("_Err_FileToBig")});
    EXPECT_EQ(f.txtFileName->text(), accepted);
    Save(&f, "TfrmDLUF");
    f.btnCloseClick();
}

TEST_F(DlWin, QuickFontHandshakesAndPacketSizes)
{
    struct Case {
        QString model;
        int size;
        QByteArray firstBytes;
        std::vector<int> packetSizes;
        QString progress;  // {1} {2}: the KB sent never shows more than the total
    } cases[] = {
        // in "GDS" and "PackageSize4096"
        {GetModelName_V64(), 5000, Hex("1B 1C 26 20 56 31 20") + "do \"font_download_quick\"\r\n", {4108, 4108},
         "5 5"},
        // in neither: the raw handshake and 1024-byte packets
        {GetModelName_V52(), 2000, Hex("5A 5A 5A 46 4F 4E 54 44 4C 20"), {1036, 1036}, "2 2"},
        // the empty file still sends one packet
        {GetModelName_V52(), 0, Hex("5A 5A 5A 46 4F 4E 54 44 4C 20"), {1036}, ""},
    };
    LoadParameterSetKeys();
    TfrmDLFont f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model.toStdString());
        Select(c.model);
        f.show();
        EXPECT_EQ(f.PacketSize(), c.packetSizes[0] - 12) << "set at each show";
        nextFile = File(QString("q%1.ttf").arg(c.size), QByteArray(c.size, 'q'));
        f.Button2Click();
        SimEditDownload(printer, [](SimDownloadState& s) { s = SimDownloadState{}; });
        printer.clearReceived();
        boxes.clear();
        f.btnDownloadClick();
        f.WaitForSender();
        EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
        EXPECT_EQ(ToHex(printer.received().left(c.firstBytes.size())), ToHex(c.firstBytes));
        std::vector<int> sizes;
        for (const QByteArray& p : SimPackets(printer))
            sizes.push_back(int(p.size()));
        EXPECT_EQ(sizes, c.packetSizes);
        if (!c.progress.isEmpty()) {
            const QStringList n = c.progress.split(' ');
            EXPECT_EQ(f.lblProgressInfo->text(),
                      ReplaceFirst(ReplaceFirst(T("FormDownloadFont_lblProgressInfo"), "{1}", n[0]), "{2}", n[1]));
        }
        f.hide();
    }
    // an empty name, a missing file, something there that cannot be read: nothing
    // created, nothing opened
    f.show();
    TsplDestroyGlobalPrinter();
    std::vector<std::pair<QString, QString>> refused = {{QString(), T("_Err_FileNotExist")},
                                                        {prog.Root() + "none.ttf", T("_Err_FileNotExist")}};
    for (const QString& path : prt::test::UnreadableFilePaths(prog.Root(), "locked.ttf"))
        refused.push_back({path, T("Lang_All_00010011_11").replace("{0}", path)});
    for (const auto& [name, message] : refused) {
        SCOPED_TRACE(name.toStdString());
        boxes.clear();
        f.txtFileName->setText(name);
        f.btnDownloadClick();
        EXPECT_EQ(boxes.texts(), QStringList{message});
        EXPECT_EQ(TsplGetHandle(), 0u);
    }
    Save(&f, "TfrmDLFont");
    f.btnCloseClick();
}

TEST_F(DlWin, FontWindowsRefusalsGiveTheWindowBackIdle)
{
    TfrmDLUF f;
    f.show();
    nextFile = File("f.bin", QByteArray(3000, 'f'));
    f.Button2Click();
    SimEditDownload(printer, [](SimDownloadState& s) { s.handshakeReply = "O"; });
    f.btnDownloadClick();
    f.WaitForSender();
    EXPECT_EQ(boxes.texts(), QStringList{T("FormDownloadFont_ErrIO")});
    EXPECT_EQ(f.btnDownload->text(), T("FormDownloadFont_btnDownload"));
    // The printer stops at the second of three packets: the port is closed, the rest
    // caption and an empty progress are back before the message, and the next click
    // downloads again.
    for (const bool badSum : {false, true}) {
        SCOPED_TRACE(badSum);
        boxes.clear();
        SimEditDownload(printer, [&](SimDownloadState& s) {
            s = SimDownloadState{};
            (badSum ? s.badSumAt : s.badStatusAt) = 1;
        });
        QString caption;
        const prt::MsgBoxHandler previous = prt::SetMessageBoxHandler([&](const prt::MsgBoxCall& call) {
            caption = f.btnDownload->text();
            return previous(call);
        });
        f.btnDownloadClick();
        f.WaitForSender();
        prt::SetMessageBoxHandler(previous);
        EXPECT_EQ(boxes.texts(), QStringList{T(badSum ? "_Err_CheckSum" : "FormDownloadFont_ErrIO")});
        EXPECT_EQ(caption, T("FormDownloadFont_btnDownload"));
        EXPECT_EQ(f.btnDownload->text(), T("FormDownloadFont_btnDownload"));
        EXPECT_EQ(f.proDLFont->value(), 0);
        EXPECT_TRUE(f.lblProgressInfo->text().isEmpty());
        EXPECT_TRUE(f.Button2->isEnabled());
        EXPECT_EQ(SimPackets(printer).size(), 2u);
        EXPECT_NE(TsplWriteData(QByteArray("X\r\n")), 0) << "the port is closed";
        boxes.clear();
        SimEditDownload(printer, [](SimDownloadState& s) { s = SimDownloadState{}; });
        f.btnDownloadClick();
        f.WaitForSender();
        EXPECT_EQ(boxes.texts(), QStringList{T("_DownloadSuccess")});
        EXPECT_EQ(SimPackets(printer).size(), 3u);
    }
    f.btnCloseClick();
}

} // namespace
