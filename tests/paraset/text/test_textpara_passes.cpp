// Read and write passes of the ZR and QX forms against a scripted printer, without windows.
#include "FakeTextCmd.h"
#include "PrtTexts.h"
#include "TestSupport.h"
#include "mdlParaSet_QXPass.h"
#include "mdlParaSet_ZRPass.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

// Readable failure messages for Qt texts.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << "[" << l.join(" | ").toStdString() << "]"; }
QT_END_NAMESPACE

using namespace textpara;
using namespace zrpara;

namespace {

TZrSetup FamilySetup()
{
    TZrSetup s;
    s.listed = "ZR905K";
    s.current = "ZR905K";
    s.dpi = "300";
    s.zrFamily = true;
    return s;
}

TZrSetup DplSetup()
{
    TZrSetup s;
    s.listed = "D45";
    s.current = "D45";
    s.dpi = "300";
    s.dpl = true;
    return s;
}

struct ZrRun {
    FakeTextCmd cmd;
    TZrState state;
    TParaControls c;
    QStringList status;
    void Read(const TZrSetup& setup, const QStringList& items = {"TSPL", "ZPL"})
    {
        DeclareZrControls(c);
        c.SetItems("cmbProtocol", items, 0);
        ZrReadPass(cmd, setup, state, c, [this](const QString& s) { status << s; });
    }
};

} // namespace

class ZrPass : public ::testing::Test {
protected:
    void SetUp() override
    {
        prt::SetLangText("Lang_All_00210207_16", "Reading {0}...");
        prt::SetLangText("Lang_All_00210099_53", "Done");
        prt::SetLangText("Lang_All_00210096_11", "Speed");
        prt::SetLangText("Lang_All_00010021_11", "{0}: {1}..{2}");
        prt::SetLangText("FormParaSet_ZR_lblTearOff", "Tear-off");
        prt::SetLangText("_Err_BTPWD_Len", "PIN length");
        prt::SetLangText("FormParaSet_ZR_MSG_BadValue", "Bad {0}");
        prt::SetLangText("FormParaSet_ZR_MSG_FileFail", "File failed");
    }
    void TearDown() override { prt::ClearLangTexts(); }
};

TEST_F(ZrPass, FullProfileIsShownAndAnUnchangedSetWritesItBack)
{
    ZrRun r;
    r.cmd.replies = FullTextProfile();
    TZrSetup setup = DplSetup();
    r.Read(setup, {"TSPL", "ZPL", "DPL"});

    // Controls as the printer reported them.
    EXPECT_EQ(r.c.ItemText("cmbProtocol"), "TSPL") << "tsc is shown as tspl outside the family";
    EXPECT_EQ(r.c.ItemText("cmbCodepage"), "LatinI(1252)");
    EXPECT_EQ(r.c.ItemText("cmbDensity"), "9");
    EXPECT_EQ(r.c.Items("cmbDensity").size(), 16);
    EXPECT_EQ(r.c.Index("cmbJudgePaperMode"), 1);
    EXPECT_EQ(r.c.Index("cmbPrintMode"), 1);
    EXPECT_EQ(r.c.ItemText("cmbHeatAdj"), "-10");
    EXPECT_EQ(r.c.ItemText("cmbBaudrate"), "115200");
    EXPECT_EQ(r.c.ItemText("cmbParity"), "NONE");
    EXPECT_EQ(r.c.Index("cmbDHCP"), 1);
    EXPECT_EQ(TrimmedTexts(r.c, {"txtIP1", "txtIP2", "txtIP3", "txtIP4"}), QStringList({"192", "168", "0", "33"}));
    EXPECT_EQ(r.c.Text("txtBTName"), "Label-PR");
    EXPECT_EQ(r.c.Text("txtBTMac6"), "CC");
    EXPECT_EQ(r.c.Text("txtZPrintWidth"), "108");
    EXPECT_EQ(r.c.Text("txtZPrintHeight"), "300");
    EXPECT_EQ(r.c.Text("txtDRowOffset"), "5");
    EXPECT_EQ(r.c.Text("txtDColumnOffset"), "-3");
    EXPECT_EQ(r.c.Index("gpbAutoPosition"), 1);
    EXPECT_EQ(r.c.Index("g5"), 1) << "version 1.00 reads the lid under platenin_locat (on)";
    EXPECT_EQ(r.state.lidKey, "platenin_locat");
    EXPECT_EQ(r.state.controlCodes, "");
    EXPECT_EQ(r.status.first(), "Reading ...") << "the width caption key has no text here";
    EXPECT_TRUE(r.status.contains("Reading Speed..."));
    EXPECT_EQ(r.status.last(), "Done");

    TParaPlan plan = PlanZrWrite(setup, r.state, r.c);
    ASSERT_TRUE(plan.ok()) << plan.error.toStdString();
    FakeTextCmd out;
    ASSERT_TRUE(RunParaOps(out, plan.ops));
    EXPECT_EQ(out.log, QStringList({
                           "set ppl=tsc", "set bt_name=Label-PR", "set bt_pwd=1234",
                           "set media_power_up=calibation", "set sw_ribbon=on", "set reprint_after_error=on",
                           "set code_page=1252", "set media_sensor=black mark", "set density=9",
                           "set print_width=1274", "set print_height=3540", "do demo_logic_area", "open",
                           "set demo_star_y=59", "set demo_star_x=-35", "set eth_dhcp=off",
                           "set eth_ip=192.168.0.33.", "set eth_mask=255.255.255.0.",
                           "set eth_gateway=192.168.0.1.", "set heat_adj=-10", "set speed=4",
                           "set com_baud=115200", "set com_wordlength=8", "set com_stopbits=1",
                           "set com_parity=none", "set sensor_select=reflective", "set platenin_locat=on",
                           "set print_mode=peel", "set tear_off=-30",
                       }));
}

TEST_F(ZrPass, BranchesOfTheModelListsAndReplies)
{
    struct Case {
        const char* name;
        std::function<void(TZrSetup&, QMap<QString, QString>&)> prepare;
        QStringList mustSend;     // "key=value" that must be among the writes
        QStringList mustNotSend;  // keys that must not be written
        QStringList mustNotRead;  // keys that must not be asked
    };
    const Case cases[] = {
        {"DPL in DPL mode sends the tear-off line",
         [](TZrSetup& s, QMap<QString, QString>& p) {
             s = DplSetup();
             p["ppl"] = "dpl";
         },
         {"raw 7E 4B 63 50 4A 2D 33 30 0D 0A"}, {"tear_off"}, {}},
        {"column shift under its OEM key",
         [](TZrSetup& s, QMap<QString, QString>&) {
             s.listed = "ZR906";
             s.colShift = true;
         },
         {"set demo_star_x=-35"}, {"print_width", "demo_star_y"}, {"print_width", "control_codes"}},
        {"head type under its OEM key",
         [](TZrSetup& s, QMap<QString, QString>&) { s.headType = true; }, {"set tph_model=1"}, {}, {}},
        {"Z34 has no network or serial settings",
         [](TZrSetup& s, QMap<QString, QString>&) { s.z34 = true; }, {"set density=9"},
         {"eth_dhcp", "eth_ip", "com_baud", "com_parity"}, {"eth_dhcp", "eth_ip", "com_baud"}},
        {"DHCP on writes only the switch",
         [](TZrSetup&, QMap<QString, QString>& p) { p["eth_dhcp"] = "on"; }, {"set eth_dhcp=on"},
         {"eth_ip", "eth_mask", "eth_gateway"}, {}},
        {"DHCP off with a blank octet skips only that address",
         [](TZrSetup&, QMap<QString, QString>& p) { p["eth_ip"] = "192.168..33"; },
         {"set eth_mask=255.255.255.0.", "set eth_gateway=192.168.0.1."}, {"eth_ip"}, {}},
        {"no Bluetooth", [](TZrSetup& s, QMap<QString, QString>&) { s.noBt = true; }, {},
         {"bt_name", "bt_pwd"}, {"bt_mac", "bt_name", "bt_pwd"}},
        {"an empty bt_mac skips name and PIN",
         [](TZrSetup&, QMap<QString, QString>& p) { p["bt_mac"] = ""; }, {}, {"bt_name", "bt_pwd"},
         {"bt_name", "bt_pwd"}},
        {"the family's tsc is the TSPL item and goes back",
         [](TZrSetup& s, QMap<QString, QString>&) { s = FamilySetup(); }, {"set density=9", "set ppl=tsc"}, {},
         {}},
        {"version other than 1.00 uses the pause key",
         [](TZrSetup&, QMap<QString, QString>& p) { p["version"] = "1.01"; }, {"set platenin_enter_pause=off"},
         {"platenin_locat"}, {"platenin_locat"}},
        {"no version reply uses the pause key",
         [](TZrSetup&, QMap<QString, QString>& p) { p.remove("version"); }, {"set platenin_enter_pause=off"},
         {"platenin_locat"}, {}},
        {"release paper when switched on",
         [](TZrSetup& s, QMap<QString, QString>&) { s.releasePaper = true; }, {"set stickers_times=3"}, {}, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TZrSetup setup;
        setup.listed = "ZR910";
        setup.current = "ZR910X";
        setup.dpi = "203";
        QMap<QString, QString> profile = FullTextProfile();
        k.prepare(setup, profile);
        ZrRun r;
        r.cmd.replies = profile;
        r.Read(setup, setup.dpl ? QStringList{"TSPL", "ZPL", "DPL"} : QStringList{"TSPL", "ZPL"});
        TParaPlan plan = PlanZrWrite(setup, r.state, r.c);
        ASSERT_TRUE(plan.ok()) << plan.error.toStdString();
        FakeTextCmd out;
        ASSERT_TRUE(RunParaOps(out, plan.ops));
        for (const QString& m : k.mustSend)
            EXPECT_TRUE(out.log.contains(m)) << m.toStdString();
        for (const QString& key : k.mustNotSend)
            for (const QString& e : out.log)
                EXPECT_FALSE(e.startsWith("set " + key + "=")) << e.toStdString();
        for (const QString& key : k.mustNotRead)
            EXPECT_FALSE(r.cmd.log.contains("get " + key)) << key.toStdString();
    }
}

// A TSPL printer answers "tsc": the list shows TSPL and an unchanged Set sends the language
// back, on either form and for every model.
TEST_F(ZrPass, PrinterLanguageRepliesSelectTheirItemAndAreSentBack)
{
    struct Case { const char* reply; const char* shown; const char* sent; };
    const Case cases[] = {
        {"tsc", "TSPL", "ppl=tsc"}, {"TSC", "TSPL", "ppl=tsc"}, {"tspl", "TSPL", "ppl=tsc"},
        {"TSPL", "TSPL", "ppl=tsc"}, {"zpl", "ZPL", "ppl=zpl"}, {"epl", "TSPL", nullptr},
    };
    auto pplSets = [](const FakeTextCmd& out) {
        QStringList l;
        for (const QString& s : out.Sets())
            if (s.startsWith("ppl="))
                l << s;
        return l;
    };
    for (const Case& k : cases) {
        const QStringList expected = k.sent ? QStringList{k.sent} : QStringList{};
        for (bool family : {true, false}) {
            SCOPED_TRACE(std::string("ZR ") + k.reply + (family ? " family" : " other model"));
            TZrSetup setup = FamilySetup();
            setup.zrFamily = family;
            ZrRun r;
            r.cmd.replies = FullTextProfile();
            r.cmd.replies["ppl"] = QString::fromLatin1(k.reply) + "\r\n";
            r.Read(setup);
            EXPECT_EQ(r.c.ItemText("cmbProtocol"), k.shown);
            TParaPlan plan = PlanZrWrite(setup, r.state, r.c);
            ASSERT_TRUE(plan.ok());
            FakeTextCmd out;
            ASSERT_TRUE(RunParaOps(out, plan.ops));
            EXPECT_EQ(pplSets(out), expected);
        }
        SCOPED_TRACE(std::string("QX ") + k.reply);
        qxpara::TQxSetup setup;
        setup.current = "QX";
        FakeTextCmd in;
        in.replies = FullTextProfile();
        in.replies["ppl"] = k.reply;
        qxpara::TQxState state;
        TParaControls c;
        qxpara::DeclareQxControls(c);
        qxpara::QxShowRead(in, setup, state, c);
        EXPECT_EQ(c.ItemText("cmbProtocol"), k.shown);
        TParaPlan plan = qxpara::PlanQxWrite(setup, state, c);
        ASSERT_TRUE(plan.ok());
        FakeTextCmd out;
        ASSERT_TRUE(RunParaOps(out, plan.ops));
        EXPECT_EQ(pplSets(out), expected);
    }
}

TEST_F(ZrPass, SilentPrinterGetsNothingButWhatTheOperatorChanges)
{
    ZrRun r;  // no replies at all
    TZrSetup setup = DplSetup();
    r.Read(setup, {"TSPL", "ZPL", "DPL"});
    EXPECT_EQ(r.c.Index("cmbDensity"), 0) << "shown by the fallback";
    // Nothing to write back: no logic area, no save, no reset; the port is not even opened.
    FakeTextCmd out;
    QString error;
    bool failed = false, opened = true;
    ASSERT_TRUE(ZrSetFlow(out, setup, r.state, r.c, error, failed, opened));
    EXPECT_TRUE(failed) << "the form says the parameters were not set";
    EXPECT_FALSE(opened);
    EXPECT_EQ(out.log, QStringList());

    // What the operator changes is sent, and a change of language sends density and code page.
    r.c.Select("cmbProtocol", 1);
    r.c.Touch("cmbProtocol");
    ZrProtocolChange(r.state, r.c);
    EXPECT_EQ(r.c.ItemText("cmbDensity"), "15");
    EXPECT_EQ(r.c.Items("cmbCodepage").size(), 22);
    TParaPlan plan = PlanZrWrite(setup, r.state, r.c);
    EXPECT_EQ(plan.ops.size(), 4u);
    FakeTextCmd out2;
    RunParaOps(out2, plan.ops);
    EXPECT_EQ(out2.Sets(), QStringList({"ppl=zpl", "code_page=usa", "density=15"}));
}

TEST_F(ZrPass, LanguageChangeSelectsThePrintersCodePageAgain)
{
    ZrRun r;
    r.cmd.replies = FullTextProfile();
    r.cmd.replies["ppl"] = "zpl";
    r.cmd.replies["code_page"] = "1252";
    r.Read(FamilySetup());
    EXPECT_EQ(r.c.ItemText("cmbProtocol"), "ZPL");
    EXPECT_EQ(r.c.ItemText("cmbCodepage"), "Latin(1252)");
    EXPECT_EQ(r.c.Items("cmbDensity").size(), 31) << "the wider list keeps a stored density";
    r.c.Select("cmbProtocol", 0);
    ZrProtocolChange(r.state, r.c);
    EXPECT_EQ(r.c.ItemText("cmbCodepage"), "USA(USA)") << "TSPL is not the printer's language";
    EXPECT_EQ(r.c.ItemText("cmbDensity"), "7");
    r.c.Select("cmbProtocol", 1);
    ZrProtocolChange(r.state, r.c);
    EXPECT_EQ(r.c.ItemText("cmbCodepage"), "Latin(1252)");
}

TEST_F(ZrPass, EditsAreCheckedAndClampedBeforeTheFirstWrite)
{
    struct Case { const char* edit; const char* text; const char* shown; const char* sent; bool refused; };
    const Case cases[] = {
        {"txtZPrintWidth", "150", "108", "set print_width=1274", false},
        {"txtZPrintHeight", "301", "300", "set print_height=3540", false},
        {"txtDRowOffset", "-16", "-15", "set demo_star_y=-177", false},
        {"txtTearOff", "-121", "-120", "set tear_off=-120", false},
        {"txtTearOff", "-", "-", "", true},
        {"txtZPrintWidth", "1O8", "1O8", "", true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.edit) + "=" + k.text);
        ZrRun r;
        r.cmd.replies = FullTextProfile();
        TZrSetup setup = DplSetup();
        r.Read(setup, {"TSPL", "ZPL", "DPL"});
        r.c.SetText(k.edit, k.text);
        r.c.Touch(k.edit);
        TParaPlan plan = PlanZrWrite(setup, r.state, r.c);
        EXPECT_EQ(r.c.Text(k.edit), k.shown);
        if (k.refused) {
            EXPECT_FALSE(plan.ok());
            EXPECT_TRUE(plan.ops.empty());
            continue;
        }
        FakeTextCmd out;
        RunParaOps(out, plan.ops);
        EXPECT_TRUE(out.log.contains(k.sent)) << out.log.join(" | ").toStdString();
    }
}

TEST_F(ZrPass, BluetoothAndAddressFieldsAreRefusedWithNothingSent)
{
    struct Case { const char* edit; const char* text; const char* error; };
    const Case cases[] = {
        {"txtBTPWD", "123", "PIN length"},
        {"txtBTPWD", "12a4", ":"},
        {"txtBTName", "My Printer", ":"},
        {"txtIP3", "256", ":"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        ZrRun r;
        r.cmd.replies = FullTextProfile();
        TZrSetup setup = FamilySetup();
        r.Read(setup);
        r.c.SetText(k.edit, k.text);
        r.c.Touch(k.edit);
        FakeTextCmd out;
        QString error;
        bool failed = false, opened = false;
        EXPECT_FALSE(ZrSetFlow(out, setup, r.state, r.c, error, failed, opened));
        EXPECT_TRUE(error.contains(k.error)) << error.toStdString();
        EXPECT_TRUE(out.log.isEmpty()) << "not even opened";
    }
}

TEST_F(ZrPass, SetFlowSavesAndResetsOnlyAfterEveryWriteWent)
{
    ZrRun r;
    r.cmd.replies = FullTextProfile();
    TZrSetup setup = FamilySetup();
    r.Read(setup);
    FakeTextCmd good;
    QString error;
    bool failed = true, opened = false;
    ASSERT_TRUE(ZrSetFlow(good, setup, r.state, r.c, error, failed, opened));
    EXPECT_FALSE(failed);
    EXPECT_EQ(good.log.first(), "open");
    EXPECT_EQ(good.log.mid(good.log.size() - 4), QStringList({"do save_param", "sleep 1000", "close", "do reset_printer"}));

    for (const char* fault : {"set density", "do demo_logic_area", "reopen", "do save_param"}) {
        SCOPED_TRACE(fault);
        FakeTextCmd bad;
        const QString f = fault;
        if (f.startsWith("set "))
            bad.failSet << f.mid(4);
        else if (f.startsWith("do "))
            bad.failDo << f.mid(3);
        TParaControls c = r.c;
        if (f == "reopen") {
            // The second open (after the logic area) fails.
            struct Reopen : FakeTextCmd {
                bool Open() override { return ++opens == 1; }
            } re;
            ASSERT_TRUE(ZrSetFlow(re, setup, r.state, c, error, failed, opened));
            EXPECT_TRUE(failed);
            EXPECT_FALSE(re.log.contains("do save_param"));
            EXPECT_FALSE(re.log.contains("do reset_printer"));
            continue;
        }
        ASSERT_TRUE(ZrSetFlow(bad, setup, r.state, c, error, failed, opened));
        EXPECT_TRUE(failed);
        EXPECT_EQ(bad.log.last(), "close") << "the pass ends, the port is closed";
        EXPECT_FALSE(bad.log.contains("do reset_printer"));
        if (f != "do save_param") {
            EXPECT_FALSE(bad.log.contains("do save_param"));
        }
    }

    FakeTextCmd closed;
    closed.failOpen = true;
    TParaControls c = r.c;
    ASSERT_TRUE(ZrSetFlow(closed, setup, r.state, c, error, failed, opened));
    EXPECT_FALSE(opened);
    EXPECT_EQ(closed.log, QStringList({"open"}));
}

TEST_F(ZrPass, PinIsCheckedOnlyWhenBluetoothWasReadOrEdited)
{
    ZrRun r;
    r.cmd.replies = FullTextProfile();
    r.cmd.replies["bt_mac"] = "";
    TZrSetup setup = FamilySetup();
    r.Read(setup);
    QString error;
    bool failed = false, opened = false;
    FakeTextCmd out;
    EXPECT_TRUE(ZrSetFlow(out, setup, r.state, r.c, error, failed, opened)) << error.toStdString();
    r.c.SetText("txtBTPWD", "12");
    r.c.Touch("txtBTPWD");
    FakeTextCmd out2;
    EXPECT_FALSE(ZrSetFlow(out2, setup, r.state, r.c, error, failed, opened));
}

TEST_F(ZrPass, LongValuesReadAreWrittenBackWhole)
{
    ZrRun r;
    r.cmd.replies = FullTextProfile();
    r.cmd.replies["bt_name"] = "AVeryLongPrinterName";  // longer than the ten the edit lets one type
    TZrSetup setup = FamilySetup();
    r.Read(setup);
    EXPECT_EQ(r.c.Text("txtBTName"), "AVeryLongPrinterName");
    TParaPlan plan = PlanZrWrite(setup, r.state, r.c);
    FakeTextCmd out;
    RunParaOps(out, plan.ops);
    EXPECT_TRUE(out.Sets().contains("bt_name=AVeryLongPrinterName")) << "the name keeps its case";
}

TEST_F(ZrPass, GarbageRepliesNeverCrashAndAreNotSent)
{
    ZrRun r;
    QMap<QString, QString> junk = FullTextProfile();
    for (auto it = junk.begin(); it != junk.end(); ++it)
        it.value() = QString::fromLatin1("\xA5\xA5..::\x01");
    junk["bt_mac"] = "";  // a PIN read back must have four characters: keep Bluetooth out
    r.cmd.replies = junk;
    TZrSetup setup = DplSetup();
    r.Read(setup, {"TSPL", "ZPL", "DPL"});
    TParaPlan plan = PlanZrWrite(setup, r.state, r.c);
    ASSERT_TRUE(plan.ok()) << plan.error.toStdString();
    FakeTextCmd out;
    RunParaOps(out, plan.ops);
    // The radio groups take their "else" item for any non-empty reply and stay sendable;
    // nothing else is.
    for (const QString& s : out.Sets())
        EXPECT_TRUE(s.startsWith("media_power_up") || s.startsWith("sw_ribbon") || s.startsWith("reprint_after") ||
                    s.startsWith("sensor_select") || s.startsWith("platenin") || s.startsWith("bt_"))
            << s.toStdString();
}

// ---- settings file ---------------------------------------------------------------------------

class ZrSettings : public ZrPass {
protected:
    QTemporaryDir dir_;
};

TEST_F(ZrSettings, SaveThenLoadReproducesEveryControl)
{
    ZrRun r;
    r.cmd.replies = FullTextProfile();
    r.cmd.replies["ppl"] = "zpl";
    r.Read(DplSetup(), {"TSPL", "ZPL", "DPL"});
    r.c.SetItems("cmbReleasePaper", {"Off", "1", "2", "3"}, 2);
    r.c.SetText("txtDRowOffset", "-7");
    const QString path = dir_.path() + "/zr.ini";
    QString error;
    ASSERT_TRUE(SaveZrSettings(path, r.c, error)) << error.toStdString();
    const QString text = QString::fromUtf8(prt::test::ReadTestFile(path));
    EXPECT_TRUE(text.startsWith("[params]\r\ngpbReprintWhenError=1\r\ng5=1\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("cmbProtocol=1\r\n"));
    EXPECT_EQ(text.count("\r\n"), 38);

    // Another printer's form: everything differs until the file is loaded.
    ZrRun other;
    other.Read(DplSetup(), {"TSPL", "ZPL", "DPL"});
    other.c.SetItems("cmbReleasePaper", {"Off", "1", "2", "3"}, 0);
    ASSERT_TRUE(LoadZrSettings(path, other.state, other.c, error)) << error.toStdString();
    for (const QString& key : ZrSettingsKeys()) {
        EXPECT_EQ(other.c.Index(key), r.c.Index(key)) << key.toStdString();
        EXPECT_EQ(other.c.Text(key), r.c.Text(key)) << key.toStdString();
        EXPECT_TRUE(other.c.Sendable(key)) << "a load counts as a change: " << key.toStdString();
    }
    EXPECT_EQ(other.c.Items("cmbDensity").size(), 31) << "the loaded language rebuilt its lists";
    EXPECT_EQ(other.c.ItemText("cmbCodepage"), "Latin(1252)");
}

// Edit texts come back exactly as saved, quotes and blanks included; a plain text is
// written as it stands, so files keep their look and older files load as before.
TEST_F(ZrSettings, EditTextsComeBackAsSaved)
{
    struct Case { const char* text; const char* line; };
    const Case cases[] = {
        {"'PRT-1'", "txtBTName=\"'PRT-1'\""},  {"\"PRT-1\"", "txtBTName=\"\"PRT-1\"\""},
        {"   ", "txtBTName=\"   \""},         {" PRT 1 ", "txtBTName=\" PRT 1 \""},
        {"'PRT\"", "txtBTName='PRT\""},         {"\"", "txtBTName=\""},
        {"PRT-1", "txtBTName=PRT-1"},            {"", "txtBTName="},
        {"a=b;c", "txtBTName=a=b;c"},            {"打印机", "txtBTName=打印机"},
    };
    const QString path = dir_.path() + "/zr.ini";
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        ZrRun r;
        r.cmd.replies = FullTextProfile();
        r.Read(FamilySetup());
        const QString text = QString::fromUtf8(k.text);
        r.c.SetText("txtBTName", text);
        r.c.SetText("txtTearOff", text);
        QFile::remove(path);
        QString error;
        ASSERT_TRUE(SaveZrSettings(path, r.c, error)) << error.toStdString();
        const QString file = QString::fromUtf8(prt::test::ReadTestFile(path));
        EXPECT_TRUE(file.contains(QString::fromUtf8(k.line) + "\r\n")) << file.toStdString();
        ZrRun other;
        other.Read(FamilySetup());
        ASSERT_TRUE(LoadZrSettings(path, other.state, other.c, error)) << error.toStdString();
        EXPECT_EQ(other.c.Text("txtBTName"), text);
        EXPECT_EQ(other.c.Text("txtTearOff"), text);
    }
    // A line break cannot stand in a line: the save refuses it and leaves no file.
    ZrRun r;
    r.Read(FamilySetup());
    r.c.SetText("txtBTName", "a\nb");
    QFile::remove(path);
    QString error;
    EXPECT_FALSE(SaveZrSettings(path, r.c, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(ZrSettings, ABadFileChangesNothing)
{
    ZrRun r;
    r.cmd.replies = FullTextProfile();
    r.Read(FamilySetup());
    const QString path = dir_.path() + "/zr.ini";
    QString error;
    ASSERT_TRUE(SaveZrSettings(path, r.c, error));
    const QByteArray good = prt::test::ReadTestFile(path);
    struct Case { const char* name; QByteArray bytes; };
    const Case cases[] = {
        {"missing key", QByteArray(good).replace("txtBTPWD=1234\r\n", "")},
        {"not decimal", QByteArray(good).replace("cmbParity=0", "cmbParity=x")},
        {"index outside the items", QByteArray(good).replace("cmbDensity=9", "cmbDensity=16")},
        {"wrong section", QByteArray(good).replace("[params]", "[other]")},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        prt::test::WriteTestFile(path, k.bytes);
        ZrRun other;
        other.Read(FamilySetup());
        const TParaControls before = other.c;
        error.clear();
        EXPECT_FALSE(LoadZrSettings(path, other.state, other.c, error));
        EXPECT_FALSE(error.isEmpty());
        for (const QString& key : before.Names()) {
            EXPECT_EQ(other.c.Index(key), before.Index(key)) << key.toStdString();
            EXPECT_EQ(other.c.Text(key), before.Text(key)) << key.toStdString();
        }
    }
    EXPECT_FALSE(LoadZrSettings(dir_.path() + "/none.ini", r.state, r.c, error));
    prt::test::WriteTestFile(dir_.path() + "/blocker", "x");
    EXPECT_FALSE(SaveZrSettings(dir_.path() + "/blocker/zr.ini", r.c, error)) << "a file stands where the folder would be";
}

// ---- QX --------------------------------------------------------------------------------------

namespace {

struct QxRun {
    FakeTextCmd cmd;
    qxpara::TQxState state;
    TParaControls c;
    void Read(const qxpara::TQxSetup& setup)
    {
        qxpara::DeclareQxControls(c);
        c.SetItems("cmbReleasePaper", {"Off", "1", "2", "3"}, 0);
        state.releasePaper = {"0=Off", "1=1", "2=2", "3=3"};
        qxpara::QxShowRead(cmd, setup, state, c);
    }
};

} // namespace

TEST_F(ZrPass, QxReadsAndWritesItsSettingsWithoutSave)
{
    struct Case {
        const char* name;
        std::function<void(qxpara::TQxSetup&)> prepare;
        QStringList mustSend, mustNotSend;
    };
    const Case cases[] = {
        {"plain", [](qxpara::TQxSetup&) {}, {"bt_name=Label-PR", "bt_pwd=1234", "ppl=tsc", "tear_off=-30",
                                              "platenin_locat=on", "code_page=1252"},
         {"sw_ribbon", "stickers_times"}},
        {"no Bluetooth settings",
         [](qxpara::TQxSetup& s) { s.noBtSetting = true; s.ribbon = true; }, {"sw_ribbon=on"},
         {"bt_name", "bt_pwd"}},
        {"release paper", [](qxpara::TQxSetup& s) { s.releasePaper = true; }, {"stickers_times=3"}, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        qxpara::TQxSetup setup;
        setup.current = "QX";
        k.prepare(setup);
        QxRun r;
        r.cmd.replies = FullTextProfile();
        r.Read(setup);
        EXPECT_EQ(r.c.ItemText("cmbProtocol"), "TSPL");
        EXPECT_EQ(r.c.ItemText("cmbDensity"), "9");
        FakeTextCmd out;
        QString error;
        bool failed = false, opened = false;
        ASSERT_TRUE(qxpara::QxSetFlow(out, setup, r.state, r.c, error, failed, opened)) << error.toStdString();
        EXPECT_FALSE(failed);
        const QStringList sets = out.Sets();
        for (const QString& m : k.mustSend)
            EXPECT_TRUE(sets.contains(m)) << m.toStdString() << " in " << sets.join(" | ").toStdString();
        for (const QString& key : k.mustNotSend)
            for (const QString& s : sets)
                EXPECT_FALSE(s.startsWith(key + "=")) << s.toStdString();
        EXPECT_FALSE(out.log.contains("do save_param"));
        EXPECT_EQ(out.log.mid(out.log.size() - 2), QStringList({"close", "do reset_printer"}));
    }
}

TEST_F(ZrPass, QxTearOffIsClampedToItsLimitAndALoneMinusRefused)
{
    struct Case { bool limit90; const char* text; const char* sent; };
    const Case cases[] = {{false, "-150", "tear_off=-120"}, {true, "-150", "tear_off=-90"},
                          {true, "95", "tear_off=90"},     {false, "-", nullptr}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        qxpara::TQxSetup setup;
        setup.current = "QX";
        setup.tearOff90 = k.limit90;
        QxRun r;
        r.cmd.replies = FullTextProfile();
        r.Read(setup);
        r.c.SetText("txtTearOff", k.text);
        r.c.Touch("txtTearOff");
        FakeTextCmd out;
        QString error;
        bool failed = false, opened = false;
        const bool went = qxpara::QxSetFlow(out, setup, r.state, r.c, error, failed, opened);
        if (!k.sent) {
            EXPECT_FALSE(went);
            EXPECT_TRUE(out.log.isEmpty());
            continue;
        }
        EXPECT_TRUE(out.Sets().contains(k.sent));
    }
}

// A Set with no setting to write (the printer said nothing the form understood, and the
// operator changed nothing) sends nothing at all: no do "demo_logic_area", no save, no
// reset. One setting is enough for the whole closing sequence.
TEST_F(ZrPass, SetWithoutASettingSendsNothingAndOneSettingSendsTheClosing)
{
    struct Case {
        const char* name;
        bool zr;
        QMap<QString, QString> replies;
        QStringList log;  // what the printer gets; empty: nothing
    };
    const Case cases[] = {
        {"ZR, silent", true, {}, {}},
        {"ZR, only dpi and version", true, {{"dpi", "300"}, {"version", "1.00.12"}}, {}},
        {"ZR, only the density", true, {{"density", "9"}},
         {"open", "set density=9", "do demo_logic_area", "open", "do save_param", "sleep 1000", "close",
          "do reset_printer"}},
        {"QX, silent", false, {}, {}},
        {"QX, only the version", false, {{"version", "1.00.12"}}, {}},
        {"QX, only the speed", false, {{"speed", "3"}},
         {"open", "set speed=3", "close", "do reset_printer"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        FakeTextCmd out;
        QString error;
        bool failed = true, opened = false;
        bool went = false;
        if (k.zr) {
            ZrRun r;
            r.cmd.replies = k.replies;
            const TZrSetup setup = FamilySetup();
            r.Read(setup);
            went = ZrSetFlow(out, setup, r.state, r.c, error, failed, opened);
        } else {
            qxpara::TQxSetup setup;
            setup.current = "QX";
            QxRun r;
            r.cmd.replies = k.replies;
            r.Read(setup);
            went = qxpara::QxSetFlow(out, setup, r.state, r.c, error, failed, opened);
        }
        ASSERT_TRUE(went) << error.toStdString();
        EXPECT_EQ(out.log, k.log);
        EXPECT_EQ(failed, k.log.isEmpty());
        EXPECT_EQ(opened, !k.log.isEmpty());
    }
}
