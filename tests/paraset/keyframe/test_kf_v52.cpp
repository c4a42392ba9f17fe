// The V52 form against the simulator: a station-mode profile with Bluetooth, Ethernet,
// release paper and code page read and written back unchanged; an access-point model
// without speed row or reset; stale bytes drained after the main window left the port
// open; a silent id; factory-mode operation bytes; the checks made before the port
// opens; the network scan with a late reply; the opener table; a link cut during the
// write; a save that did not reach the printer; values left alone written back as read.
#include "KeyFrameFixture.h"

#include "FormParaSet_V52.h"
#include "PrinterCMD.h"
#include "mdlFormOpeners.h"
#include "mdlKesaVar.h"
#include "mdlPrinterLib.h"
#include "mdlStartup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <memory>

using prt::test::Hex;
using prt::test::MsgBoxRecorder;
using prt::test::ToHex;

namespace {

class V52 : public kftest::KfSim {
protected:
    void SetUp() override
    {
        KfSim::SetUp();
        CreateGlobalSingletons();
    }
    // A station-mode printer with Bluetooth, Ethernet, release paper and code page (V52R).
    void StationProfile()
    {
        Key(0x68, "V52R-BT-NAME");  // 12 characters: longer than the 10 that can be typed
        Key(0x69, "1234");
        Key(0x6a, Hex("00"));
        Key(0xce, Hex("02"));
        Key(0xcb, Hex("08"));
        Key(0xca, Hex("05"));
        Key(0x78, Hex("02"));
        Key(0x82, Hex("00"));
        Key(0x84, Hex("01"));
        Key(0x93, Hex("AA BB CC 01 02 03"));
        Key(0x79, Hex("03"));
        Key(0x7c, "Office");
        Key(0x7d, "secret");
        Key(0x81, Hex("C0 A8 01 32"));
        Key(0x86, Hex("FF FF FF 00"));
        Key(0x85, Hex("C0 A8 01 01"));
        Key(0x83, Hex("01"));
        Key(0x64, Hex("00"));
        Key(0x65, Hex("C0 A8 00 21"));
        Key(0x66, Hex("FF FF 00 00"));
        Key(0x67, Hex("C0 A8 00 01"));
        Key(0x71, Hex("00 1A 2B 3C 4D 5E"));
        Key(0xd0, Hex("18 00"));
        Key(0x1a0, Hex("05"));
        Key(0x142, Hex("09 00"));
    }
    // An access-point model without speed row, release paper or code page (TE62BT).
    void AccessPointProfile()
    {
        Key(0x68, "TE-BT");
        Key(0x69, "0000");
        Key(0x6a, Hex("01"));
        Key(0xce, Hex("00"));
        Key(0xcb, Hex("03"));
        Key(0xca, Hex("05"));
        Key(0x78, Hex("01"));
        Key(0x82, Hex("00"));
        Key(0x84, Hex("01"));
        Key(0x79, Hex("00"));
        Key(0x7a, "AP-NET");
        Key(0x7b, "appass");
        Key(0x80, Hex("C0 A8 04 01"));
        Key(0x86, Hex("FF FF FF 00"));
        Key(0x85, Hex("C0 A8 04 FE"));
        Key(0xd0, Hex("F4 FF"));
    }
    std::unique_ptr<T_frmParaSet_V52> Open()
    {
        auto f = std::make_unique<T_frmParaSet_V52>();
        f->show();
        return f;
    }
    std::vector<int> WrittenIds()
    {
        std::vector<int> ids;
        for (const auto& k : SetKeys())
            ids.push_back(k.id);
        return ids;
    }
    std::map<int, std::pair<int, std::string>> Written()
    {
        std::map<int, std::pair<int, std::string>> m;
        for (const auto& k : SetKeys())
            m[k.id] = {k.op, ToHex(k.value)};
        return m;
    }
    static void Type(QLineEdit* e, const QString& text)
    {
        e->setText(text);
        emit e->textEdited(text);
    }
};

} // namespace

TEST_F(V52, StationProfileReadsAndAnUnchangedSetWritesTheSameValues)
{
    Select("V52R");
    SetPermission("0123000053", 1);  // the speed range comes from the printer
    StationProfile();
    MsgBoxRecorder boxes;
    auto f = Open();
    EXPECT_TRUE(boxes.calls().empty()) << boxes.calls()[0].text.toStdString();
    const TV52Layout& l = f->Layout();
    EXPECT_TRUE(l.Wifi && l.Scan && l.Ethernet && l.Bluetooth && l.CodePage && l.ReleaseRead);
    EXPECT_EQ(KfItems(f->cmbPrintSpeed), (QStringList{"2", "3", "4", "5", "6"}));
    EXPECT_EQ(f->txtBTName->text(), "V52R-BT-NAME");
    EXPECT_EQ(f->txtBTPWD->text(), "1234");
    EXPECT_TRUE(f->chkSimplePairing->isChecked());
    EXPECT_EQ(f->cmbDetectMode->currentIndex(), 1);
    EXPECT_EQ(f->cmbDensity->currentText(), "8");
    EXPECT_EQ(f->cmbPrintSpeed->currentText(), "5");
    EXPECT_EQ(f->cmbWifiMode->currentText(), "STA");
    EXPECT_EQ(f->cmbWifiDhcp->currentText(), "OFF");
    EXPECT_TRUE(f->txtWIP[0]->isEnabled());
    EXPECT_EQ(f->cmbWSwitch->currentText(), "ON");
    EXPECT_EQ(f->txtWifiVersion->text(), "WIFI-1.0.3");
    EXPECT_EQ(f->txtWMAC[0]->text(), "AA");
    EXPECT_EQ(f->txtWMAC[5]->text(), "03");
    EXPECT_EQ(f->cmbWifiAP_PwdNeeded->currentText(), "ON");
    EXPECT_EQ(f->cmbWifiSTA_WifiName->currentText(), "Office");
    EXPECT_EQ(f->txtWPWD->text(), "secret");
    EXPECT_EQ(f->txtWIP[3]->text(), "50");
    EXPECT_EQ(f->cmbNetSwitch->currentText(), "ON");
    EXPECT_EQ(f->cmbDHCP->currentText(), "OFF");
    EXPECT_TRUE(f->txtIP[0]->isEnabled());
    EXPECT_EQ(f->txtIP[0]->text(), "192");
    EXPECT_EQ(f->txtMac[1]->text(), "1A");
    EXPECT_EQ(f->txtPrintToStop->text(), "3");
    EXPECT_EQ(f->cmbReleasePaper->currentText(), "5");
    EXPECT_EQ(f->txtTip_ReleasePaper->text(), "Release Paper:Feed out 5 label(s) at a time.");
    EXPECT_EQ(f->cmbCodepage->currentText(), "9 : Multilingual : CP_850");
    EXPECT_TRUE(f->btnSet->isEnabled());

    const QString picture = QStringLiteral(PRT_KF_TEST_OUT_DIR) + "/FormParaSet_V52.png";
    ASSERT_TRUE(f->grab().save(picture));
    EXPECT_GT(QFileInfo(picture).size(), 1000);
    f->PagecA->setCurrentWidget(f->tabsWifi);
    ASSERT_TRUE(f->grab().save(QStringLiteral(PRT_KF_TEST_OUT_DIR) + "/FormParaSet_V52_wifi.png"));
    f->PagecA->setCurrentWidget(f->tabsEthernet);
    ASSERT_TRUE(f->grab().save(QStringLiteral(PRT_KF_TEST_OUT_DIR) + "/FormParaSet_V52_ethernet.png"));
    f->PagecA->setCurrentWidget(f->tabsUserParaBt);
    ASSERT_TRUE(f->grab().save(QStringLiteral(PRT_KF_TEST_OUT_DIR) + "/FormParaSet_V52_bt.png"));

    f->btnSet->click();
    EXPECT_EQ(WrittenIds(), (std::vector<int>{0x68, 0x69, 0x6a, 0xce, 0xcb, 0xca, 0xd0, 0x78, 0x82, 0x84, 0x79,
                                              0x7c, 0x7d, 0x81, 0x86, 0x85, 0x83, 0x64, 0x65, 0x66, 0x67, 0x1a0,
                                              0x142}));
    auto w = Written();
    EXPECT_EQ(w[0x68].second, "56 35 32 52 2D 42 54 2D 4E 41 4D 45") << "shown and written whole";
    EXPECT_EQ(w[0x69].second, "31 32 33 34");
    EXPECT_EQ(w[0x6a].second, "00");
    EXPECT_EQ(w[0xce].second, "02");
    EXPECT_EQ(w[0xcb].second, "08");
    EXPECT_EQ(w[0xca].second, "05");
    EXPECT_EQ(w[0xd0].second, "18 00");
    EXPECT_EQ(w[0x78].second, "02");
    EXPECT_EQ(w[0x82].second, "00");
    EXPECT_EQ(w[0x84].second, "01");
    EXPECT_EQ(w[0x79].second, "03");
    EXPECT_EQ(w[0x7c].second.substr(0, 17), "4F 66 66 69 63 65");
    EXPECT_EQ(w[0x81].second, "C0 A8 01 32");
    EXPECT_EQ(w[0x86].second, "FF FF FF 00");
    EXPECT_EQ(w[0x85].second, "C0 A8 01 01");
    EXPECT_EQ(w[0x83].second, "01");
    EXPECT_EQ(w[0x64].second, "00");
    EXPECT_EQ(w[0x65].second, "C0 A8 00 21");
    EXPECT_EQ(w[0x1a0].second, "05");
    EXPECT_EQ(w[0x142].second, "09 00");
    const auto dos = Dos();
    ASSERT_EQ(dos.size(), 2u);
    EXPECT_EQ(dos[0], "\"save_param_zone\"");
    EXPECT_EQ(dos[1], "\"reset_printer\"");
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, prt::LangText("_ParaSet_OK"));
    EXPECT_FALSE(f->isVisible());
}

TEST_F(V52, AccessPointModelUsesItsAddressIdsAndIsNotReset)
{
    Select("TE62BT");
    AccessPointProfile();
    MsgBoxRecorder boxes;
    auto f = Open();
    EXPECT_TRUE(boxes.calls().empty());
    EXPECT_TRUE(f->cmbPrintSpeed->isHidden()) << "no speed row";
    EXPECT_TRUE(f->btnWifiSTA_WifiName_Scan->isHidden());
    EXPECT_EQ(f->cmbWifiSTA_WifiName->currentText(), "AP-NET");
    EXPECT_EQ(f->txtPrintToStop->text(), "-1");
    EXPECT_EQ(f->cmbDetectMode->count(), 2);
    for (const auto& [op, id] : GetKeys())
        EXPECT_TRUE(id != 0xca && id != 0x9a && id != 0x9b && id != 0x1a0 && id != 0x142) << std::hex << id;
    f->btnSet->click();
    const auto ids = WrittenIds();
    EXPECT_EQ(ids, (std::vector<int>{0x68, 0x69, 0x6a, 0xce, 0xcb, 0xd0, 0x78, 0x82, 0x84, 0x79, 0x7a, 0x7b,
                                     0x80, 0x86, 0x85}));
    EXPECT_EQ(Written()[0xd0].second, "F4 FF") << "left alone: -12 goes back, not the -8 that \"-1\" encodes";
    const auto dos = Dos();
    ASSERT_EQ(dos.size(), 1u);
    EXPECT_EQ(dos[0], "\"save_param_zone\"");
}

TEST_F(V52, StaleBytesAreDrainedAndAPortLeftOpenIsNoError)
{
    Select("V52R");
    SetPermission("0123000053", 1);
    StationProfile();
    // The main window probed the printer and left the port open; bytes nobody read wait.
    EnsurePrinterObject();
    ASSERT_TRUE(CmdOpenPort());
    printer.pushUnsolicited(Hex("EE EE EE EE"));
    for (int i = 0; i < 200 && printer.hasUnsolicited(); ++i)
        QThread::msleep(5);
    QThread::msleep(30);
    MsgBoxRecorder boxes;
    auto f = Open();
    EXPECT_TRUE(boxes.calls().empty()) << boxes.calls()[0].text.toStdString();
    EXPECT_EQ(f->txtBTName->text(), "V52R-BT-NAME");
    EXPECT_EQ(KfItems(f->cmbPrintSpeed), (QStringList{"2", "3", "4", "5", "6"}));
}

TEST_F(V52, ASilentIdGivesOneReadErrorAndDisablesSet)
{
    Select("V52R");
    StationProfile();
    SimSetKeySilent(printer, 0xcb);
    MsgBoxRecorder boxes;
    auto f = Open();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, prt::LangText("_Err_ReadData"));
    EXPECT_FALSE(f->btnSet->isEnabled());
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->cmbDetectMode->currentIndex(), 1) << "read before the silent id";
    for (const auto& [op, id] : GetKeys())
        EXPECT_TRUE(id != 0xd0 && id != 0x64) << "later rows are not asked";
}

TEST_F(V52, FactoryModeOperationBytes)
{
    SetOpByte(0);
    Select("V52R");
    StationProfile();
    MsgBoxRecorder boxes;
    auto f = Open();
    for (const auto& [op, id] : GetKeys())
        EXPECT_EQ(op, 0) << std::hex << id;
    f->btnSet->click();
    for (const auto& k : SetKeys()) {
        const bool one = k.id == 0x68 || k.id == 0x69 || k.id == 0x6a || k.id == 0xca || k.id == 0xcb ||
                         k.id == 0xce || k.id == 0xd0;
        EXPECT_EQ(k.op, one ? 1 : 0) << std::hex << k.id;
    }
}

TEST_F(V52, InputIsCheckedBeforeThePortOpens)
{
    Select("V52R");
    StationProfile();
    MsgBoxRecorder boxes;
    auto f = Open();
    const auto refused = [&](const char* why) {
        printer.clearReceived();
        boxes.clear();
        f->btnSet->click();
        EXPECT_TRUE(kftest::SetKeyFrames(Received()).empty()) << why;
        EXPECT_TRUE(Received().isEmpty()) << why;
        EXPECT_EQ(boxes.calls().size(), 1u) << why;
        EXPECT_TRUE(f->isVisible()) << why;
    };
    Type(f->txtBTPWD, "");
    refused("empty Bluetooth password");
    EXPECT_EQ(boxes.calls()[0].text, prt::LangText("_Err_BTPWD_Len"));
    Type(f->txtBTPWD, "1234");
    Type(f->txtBTName, "");
    refused("empty Bluetooth name");
    EXPECT_EQ(boxes.calls()[0].text, prt::LangText("_BTName") + prt::LangText("notEmpty"));
    Type(f->txtBTName, "NAME");
    f->cmbWifiSTA_WifiName->setEditText("");
    refused("empty network name");
    EXPECT_EQ(boxes.calls()[0].text, f->lblWName->text() + prt::LangText("notEmpty"));
    f->cmbWifiSTA_WifiName->setEditText("Office");
    Type(f->txtWIP[2], "300");
    refused("octet above 255");
    Type(f->txtWIP[2], "1");
    Type(f->txtPrintToStop, "-");
    refused("a lone minus");
    // Leaving the edit clamps to -10..10.
    f->txtPrintToStop->setText("11");
    f->CheckValue(f->txtPrintToStop);
    EXPECT_EQ(f->txtPrintToStop->text(), "10");
    f->txtPrintToStop->setText("");
    f->CheckValue(f->txtPrintToStop);
    EXPECT_EQ(f->txtPrintToStop->text(), "0");
}

TEST_F(V52, ModeChangeShowsTheScanButtonOnlyForStationMode)
{
    Select("V52R");
    StationProfile();
    Key(0x78, Hex("01"));  // AP
    Key(0x7a, "AP-NET");
    MsgBoxRecorder boxes;
    auto f = Open();
    EXPECT_TRUE(f->btnWifiSTA_WifiName_Scan->isHidden()) << "AP mode hides the scan button";
    f->cmbWifiMode->setCurrentIndex(1);
    EXPECT_FALSE(f->btnWifiSTA_WifiName_Scan->isHidden());
    f->cmbWifiMode->setCurrentIndex(0);
    EXPECT_TRUE(f->btnWifiSTA_WifiName_Scan->isHidden());
}

namespace {
// A clock for the scan: waits cost nothing, and real time runs twenty times faster, so
// the scan's 6 s limit passes in a fraction of a second.
struct FastClock {
    QElapsedTimer real;
    uint32_t waited = 0;
    std::function<void(int)> onWait;
    TV52ScanClock clock;
    FastClock()
    {
        real.start();
        clock.Wait = [this](int ms) {
            waited += uint32_t(ms);
            if (onWait)
                onWait(ms);
        };
        clock.Tick = [this] { return waited + uint32_t(real.elapsed() * 20); };
    }
};
} // namespace

TEST_F(V52, ScanListsTheNetworksOfALateReplyAndKeepsTheShownName)
{
    Select("V52R");
    StationProfile();
    SimSetDoReply(printer, "wifi_scan",
                  "[SSID]:Home [AUTH]:WPA2 [RSSI]:-40\n[SSID]:NoAuth [RSSI]:-50\n[SSID]:Cafe [AUTH]:WPA [RSSI]:-70\n",
                  150);
    MsgBoxRecorder boxes;
    auto f = Open();
    FastClock clock;
    bool lockedWhileWaiting = true;
    clock.onWait = [&](int) {
        lockedWhileWaiting = lockedWhileWaiting && !f->btnSet->isEnabled() && !f->btnClose->isEnabled() &&
                             !f->btnWifiSTA_WifiName_Scan->isEnabled();
    };
    SetV52ScanClockForTest(&clock.clock);
    f->btnWifiSTA_WifiName_Scan->click();
    SetV52ScanClockForTest(nullptr);
    EXPECT_TRUE(lockedWhileWaiting);
    EXPECT_GT(clock.waited, 3000u) << "the reply came after the first read";
    EXPECT_EQ(KfItems(f->cmbWifiSTA_WifiName), (QStringList{"Home", "Cafe", "Office"}));
    EXPECT_EQ(f->cmbWifiSTA_WifiName->currentText(), "Office");
    EXPECT_TRUE(f->btnSet->isEnabled());
    EXPECT_TRUE(f->btnClose->isEnabled());
    ASSERT_FALSE(Dos().empty());
    EXPECT_EQ(Dos().back(), "\"wifi_scan\"");
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(V52, AShortOrMissingScanReplyLeavesTheList)
{
    Select("V52R");
    StationProfile();
    SimSetDoReply(printer, "wifi_scan", "[SS]\n");
    MsgBoxRecorder boxes;
    auto f = Open();
    f->cmbWifiSTA_WifiName->addItem("Kept");
    FastClock clock;
    SetV52ScanClockForTest(&clock.clock);
    f->btnWifiSTA_WifiName_Scan->click();
    SimSetDoReply(printer, "wifi_scan", "");
    f->btnWifiSTA_WifiName_Scan->click();
    SetV52ScanClockForTest(nullptr);
    EXPECT_EQ(KfItems(f->cmbWifiSTA_WifiName), (QStringList{"Kept"}));
    EXPECT_GE(clock.waited, 6000u) << "the silent printer is asked until the limit";
}

TEST_F(V52, OpensThroughTheOpenerTable)
{
    Select("V52R");
    StationProfile();
    MsgBoxRecorder boxes;
    QString density;
    SetFormShowHook([&](QWidget* w) {
        w->show();
        density = static_cast<T_frmParaSet_V52*>(w)->cmbDensity->currentText();
    });
    EXPECT_TRUE(ShowFormModal("T_frmParaSet_V52"));
    EXPECT_EQ(density, "8");
}

TEST_F(V52, FailedWritesReplaceTheSuccessMessage)
{
    Select("V52R");
    StationProfile();
    MsgBoxRecorder boxes;
    {
        // A required row: the pass ends, nothing is saved, the printer is not reset.
        auto f = Open();
        FailSetKeyWrites(0xcb);
        f->btnSet->click();
        EXPECT_EQ(WrittenIds(), (std::vector<int>{0x68, 0x69, 0x6a, 0xce}));
        EXPECT_TRUE(Dos().empty());
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, prt::LangText("_Err_ParaSet"));
    }
    boxes.clear();
    SimClearSetKeyLog(printer);
    {
        // The release paper reports its own failure, and a failed write ends the pass too:
        // no code page after it, nothing saved, no reset.
        auto f = Open();
        FailSetKeyWrites(0x1a0);
        f->btnSet->click();
        ASSERT_EQ(boxes.calls().size(), 2u);
        EXPECT_EQ(boxes.calls()[0].text, "Failed to set Release Paper.");
        EXPECT_EQ(boxes.calls()[1].text, prt::LangText("_Err_ParaSet"));
        EXPECT_TRUE(Dos().empty());
        EXPECT_EQ(Written().count(0x142), 0u);
        EXPECT_EQ(Written().count(0xd0), 1u);
    }
}

TEST_F(V52, ALinkCutDuringTheWriteEndsItWithoutSaveOrReset)
{
    Select("V52R");
    StationProfile();
    MsgBoxRecorder boxes;
    size_t frames = 0;
    {
        auto f = Open();
        f->btnSet->click();
        frames = SetKeys().size();
        EXPECT_EQ(Dos(), (std::vector<QByteArray>{"\"save_param_zone\"", "\"reset_printer\""}));
        EXPECT_EQ(boxes.calls().back().text, prt::LangText("_ParaSet_OK"));
    }
    ASSERT_GT(frames, 4u);
    // The printer drops the connection, or keeps it and takes nothing more, after two
    // frames or before the last one.
    struct Cut {
        int after;
        bool drops;
    };
    for (const Cut cut : {Cut{2, false}, Cut{int(frames) - 1, false}, Cut{2, true}, Cut{int(frames) - 1, true}}) {
        SCOPED_TRACE(testing::Message() << "cut after " << cut.after << (cut.drops ? " dropped" : " silent"));
        ASSERT_TRUE(WaitListening());
        auto f = Open();
        (void)Received();
        printer.clearReceived();
        boxes.clear();
        prt::sim::SimCutAfterSetKeys(printer, cut.after, cut.drops);
        f->btnSet->click();
        const QByteArray sent = Received();
        EXPECT_FALSE(sent.contains("save_param_zone"));
        EXPECT_FALSE(sent.contains("reset_printer"));
        ASSERT_FALSE(boxes.calls().empty());
        EXPECT_EQ(boxes.calls().back().text, prt::LangText("_Err_ParaSet"));
        EXPECT_EQ(boxes.calls().back().flags, unsigned(prt::MB_ICONERROR_));
        for (const auto& box : boxes.calls())
            EXPECT_NE(box.text, prt::LangText("_ParaSet_OK"));
        EXPECT_FALSE(f->isVisible());
    }
}

TEST_F(V52, ASaveThatDidNotReachThePrinterIsNoSuccessAndNoReset)
{
    // do "save_param_zone" as it goes out: 29 bytes on a connection of its own.
    const QByteArray save = Hex("1B 1C 26 20 56 31 20") + "do \"save_param_zone\"\r\n";
    ASSERT_EQ(save.size(), 29);
    // The check after the frames: getkey of the density, one byte.
    const QByteArray check = Hex("1B 1C 26 20 56 31 20") + "getkey\r\n" + Hex("01 CB 00 01");
    struct Cut {
        const char* what;
        QByteArray command;  // the command the link is cut in
        int bytes;           // its bytes that reach the printer
        bool drops;          // the printer drops the connection (else it just goes quiet)
        int refuseMs;        // and refuses new ones this long
        bool saveArrives;    // the printer got the whole save
    };
    const Cut cuts[] = {
        {"save cut after 10 of its 29 bytes, dropped", save, 10, true, 0, false},
        {"save cut after 10 of its 29 bytes, silent", save, 10, false, 0, false},
        {"save without its line end, dropped", save, 28, true, 0, false},
        {"save whole, link dead right after", save, 29, false, 0, true},
        {"connection for the save refused", check, 19, true, 500, false},
    };
    struct Model {
        const char* listed;
        bool resets;
    };
    MsgBoxRecorder boxes;
    for (const Model model : {Model{"V52R", true}, Model{"TE62BT", false}}) {
        SCOPED_TRACE(model.listed);
        Select(model.listed);
        const auto profile = [&] {
            if (model.resets)
                StationProfile();
            else
                AccessPointProfile();
        };
        {
            // The good road: the save goes out whole, then the reset where the model has one.
            ASSERT_TRUE(WaitListening());
            profile();
            auto f = Open();
            (void)Received();
            printer.clearReceived();
            boxes.clear();
            f->btnSet->click();
            EXPECT_TRUE(Received().contains(save));
            const std::vector<QByteArray> good =
                model.resets ? std::vector<QByteArray>{"\"save_param_zone\"", "\"reset_printer\""}
                             : std::vector<QByteArray>{"\"save_param_zone\""};
            EXPECT_EQ(Dos(), good);
            ASSERT_EQ(boxes.calls().size(), 1u);
            EXPECT_EQ(boxes.calls()[0].text, prt::LangText("_ParaSet_OK"));
        }
        for (const Cut& cut : cuts) {
            SCOPED_TRACE(cut.what);
            ASSERT_TRUE(WaitListening());
            profile();
            auto f = Open();
            (void)Received();
            printer.clearReceived();
            boxes.clear();
            {
                std::lock_guard l(printer.mutex());
                prt::sim::ProtoState(printer)->doLog.clear();
            }
            printer.cutLinkIn(cut.command, cut.bytes, cut.drops, cut.refuseMs);
            f->btnSet->click();
            const QByteArray sent = Received();
            EXPECT_TRUE(printer.linkWasCut());
            EXPECT_FALSE(sent.contains("reset_printer")) << "no reset after a save that may be lost";
            EXPECT_EQ(sent.contains(save), cut.saveArrives);
            EXPECT_EQ(Dos().size(), cut.saveArrives ? 1u : 0u);
            ASSERT_FALSE(boxes.calls().empty());
            EXPECT_EQ(boxes.calls().back().text, prt::LangText("_Err_ParaSet"));
            EXPECT_EQ(boxes.calls().back().flags, unsigned(prt::MB_ICONERROR_));
            for (const auto& box : boxes.calls())
                EXPECT_NE(box.text, prt::LangText("_ParaSet_OK"));
            EXPECT_FALSE(f->isVisible());
        }
    }
}

namespace {
// The bytes read, zero-padded to the width the row writes.
std::string Padded(const char* hex, int width)
{
    QByteArray b = Hex(hex);
    b.append(QByteArray(width - b.size(), '\0'));
    return ToHex(b);
}
} // namespace

TEST_F(V52, ValuesLeftAloneGoBackAsReadAndEditedOnesAsTyped)
{
    Select("V52R");
    struct Row {
        uint16_t id;
        const char* read;
        int width;  // bytes the row writes
    };
    const std::vector<std::vector<Row>> runs = {
        {
            {0x7c, "48 6F 6D 65 20 4E 65 74 20", 32},     // "Home Net " (trailing blank)
            {0x7d, "70 61 73 73 20 77 6F 72 64 20", 32},  // "pass word "
            {0x68, "20 42 54 2D 31", 12},                 // " BT-1" (leading blank)
            {0x6a, "07", 1},                              // shown as a clear box
            {0xd0, "F4 FF", 2},                           // -12, shown as -1
        },
        {
            {0x7c, "20 43 61 66 E9", 32},                 // " Caf" + a Latin-1 byte
            {0x7d, "70 E4 73 73 77 6F 72 74", 32},        // not UTF-8
            {0x68, "42 54 9F 31", 12},                    // a byte above 0x7E
            {0x69, "31 32 9F 34", 4},
            {0xd0, "0C 00", 2},                           // 12, shown as 1
        },
    };
    MsgBoxRecorder boxes;
    for (const auto& run : runs) {
        StationProfile();
        for (const Row& r : run)
            Key(r.id, Hex(r.read));
        SimClearSetKeyLog(printer);
        boxes.clear();
        auto f = Open();
        f->btnSet->click();
        ASSERT_FALSE(boxes.calls().empty());
        EXPECT_EQ(boxes.calls().back().text, prt::LangText("_ParaSet_OK"));
        auto w = Written();
        for (const Row& r : run) {
            SCOPED_TRACE(testing::Message() << "id 0x" << std::hex << r.id << " read " << r.read);
            ASSERT_EQ(w.count(r.id), 1u);
            EXPECT_EQ(w[r.id].second, Padded(r.read, r.width));
        }
    }
    // Rows the operator changed are written as the mapping encodes them.
    StationProfile();
    Key(0x6a, Hex("07"));
    Key(0x7d, Hex("70 E4 73 73 77 6F 72 74"));
    SimClearSetKeyLog(printer);
    auto f = Open();
    Type(f->txtWPWD, QString::fromUtf8("Caf\xC3\xA9 2"));
    Type(f->txtPrintToStop, "3");
    f->chkSimplePairing->click();  // clear -> ticked
    Type(f->txtBTName, "NEW-BT");
    f->btnSet->click();
    auto w = Written();
    EXPECT_EQ(w[0x7d].second, Padded("43 61 66 C3 A9 20 32", 32)) << "UTF-8";
    EXPECT_EQ(w[0xd0].second, "18 00") << "3 x 8";
    EXPECT_EQ(w[0x6a].second, "00");
    EXPECT_EQ(w[0x68].second, Padded("4E 45 57 2D 42 54", 12));
}
