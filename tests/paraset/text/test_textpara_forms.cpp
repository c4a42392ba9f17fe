// The ZR and QX parameter forms end to end against the printer simulator on 127.0.0.1:
// a full read, an unchanged Set, the bytes on the wire, the settings file and pictures.
#include "FakeTextCmd.h"
#include "FormParaSet_QX.h"
#include "FormParaSet_ZR.h"
#include "MainFixture.h"
#include "PrinterCMD.h"
#include "PrtIni.h"
#include "PrtTexts.h"
#include "PrtTick.h"
#include "SimDefaults.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimTcpServer.h"
#include "TestSupport.h"
#include "mdlCurrentPrinter.h"
#include "mdlFormOpeners.h"
#include "mdlKesaVar.h"
#include "mdlLanguage.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"
#include "mdlStartupForms.h"
#include "mdlTextParaWidgets.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QThread>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <ostream>
#include <thread>

// Readable failure messages for Qt texts.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << "[" << l.join(" | ").toStdString() << "]"; }
QT_END_NAMESPACE

using namespace prt::sim;
using prt::test::Hex;
using prt::test::ToHex;

namespace {

// The simulator of the running test (the sleep hook below watches what it received).
std::atomic<SimPrinter*> gSim{nullptr};

// The link's waits for a reply (at most 100 ms) last until the simulator has taken a
// whole new command line, the one just written, and no longer than asked; the link's own
// grace for a first byte then covers the answer on loopback. A fixed short wait would let
// a slow run (the race checker, a loaded machine) read before the answer came, and that
// late answer would then be read as the next key's. The form's own long pauses pass at once.
void ShortSleep(uint32_t ms)
{
    static std::atomic<qsizetype> seen{-1};
    if (ms > 100)
        return;
    SimPrinter* sim = gSim.load();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (sim) {
        const QByteArray in = sim->received();
        if (in.size() != seen.load() && in.endsWith("\r\n")) {
            seen = in.size();
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return;
        QThread::msleep(1);
    }
    QThread::msleep(ms);
}

// A printer that holds back its answer to one key until the test lets it go (or 3 s
// passed: a form that waits for it on the GUI thread is then seen to have waited).
class GatedCmd : public FakeTextCmd {
public:
    QString gateKey;
    QString GetVal(const QByteArray& key) override
    {
        if (QString::fromLatin1(key) == "\"" + gateKey + "\"") {
            std::unique_lock lock(mutex_);
            reached_ = true;
            cv_.notify_all();
            heldBack_ = !cv_.wait_for(lock, std::chrono::seconds(3), [this] { return released_; });
        }
        return FakeTextCmd::GetVal(key);
    }
    bool Reached()
    {
        std::lock_guard lock(mutex_);
        return reached_;
    }
    void Release()
    {
        std::lock_guard lock(mutex_);
        released_ = true;
        cv_.notify_all();
    }
    bool HeldBackInFull()
    {
        std::lock_guard lock(mutex_);
        return heldBack_;
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool reached_ = false, released_ = false, heldBack_ = false;
};

// The link's waits, seen from the thread that makes them. The first wait off the GUI
// thread (a getval of the read on the form's worker) is held until the test lets it go
// (or 3 s passed); the others shrink as in ShortSleep.
class LinkWaits {
public:
    static void Arm()
    {
        std::lock_guard lock(mutex_);
        gui_ = std::this_thread::get_id();
        offGui_ = 0;
        held_ = released_ = false;
    }
    static void Hook(uint32_t ms)
    {
        std::unique_lock lock(mutex_);
        if (std::this_thread::get_id() != gui_) {
            ++offGui_;
            if (!held_) {
                held_ = true;
                cv_.notify_all();
                cv_.wait_for(lock, std::chrono::seconds(3), [] { return released_; });
            }
        }
        lock.unlock();
        ShortSleep(ms);
    }
    static bool Held()
    {
        std::lock_guard lock(mutex_);
        return held_;
    }
    static void Release()
    {
        std::lock_guard lock(mutex_);
        released_ = true;
        cv_.notify_all();
    }
    static int OffGui()
    {
        std::lock_guard lock(mutex_);
        return offGui_;
    }

private:
    static inline std::mutex mutex_;
    static inline std::condition_variable cv_;
    static inline std::thread::id gui_;
    static inline int offGui_ = 0;
    static inline bool held_ = false, released_ = false;
};

class TextParaForms : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainwin::ResetMainState();
        gLangFileName = LABEL_LANG_FILE;
        SetLabelConfigFileNames();
        LoadStartupOptions();
        LoadParameterSetKeys();
        gLangId = "1033";
        PublishLanguageTexts(gLangFileName, "1033");
        gSim = &printer;
        oldSleep_ = prt::SetSleepHook(&ShortSleep);

        AddStandardHandlers(printer);
        SimSetTextParamProfile(printer);
        server = std::make_unique<SimTcpServer>(printer);
        ASSERT_TRUE(server->ok());
        SetCurrentPortString(server->portString());
        SetPrinterSdkKind(1);
        SetCmdOpenedFlag(0);
        ASSERT_EQ(PrtCreatePrinter(QStringLiteral("SIM")), 0);
    }
    void TearDown() override
    {
        CmdClosePort();
        server->stop();
        prt::SetSleepHook(oldSleep_);
        gSim = nullptr;
        T_frmParaSet_ZR::SetFileDialogHook({});
        SetFormShowHook({});
        mainwin::ResetMainState();
    }

    static void Select(const QString& listed, const QString& current) { SetCurrentPrinterNames(listed, current); }

    // Everything the printer received after the read, as setval/do lines. The simulator
    // works on its own thread: wait (briefly) until the closing reset has come in.
    QStringList Written(size_t from = 0)
    {
        for (int i = 0; i < 200; ++i) {
            const std::vector<SimTextCmd> log = SimTextLog(printer);
            if (!log.empty() && log.back().key == "reset_printer" && log.size() > from)
                break;
            QThread::msleep(10);
        }
        QStringList out;
        const std::vector<SimTextCmd> log = SimTextLog(printer);
        for (size_t i = from; i < log.size(); ++i)
            out << QString::fromLatin1(log[i].verb + " " + log[i].key +
                                       (log[i].verb == "setval" ? "=" + log[i].value : QByteArray()));
        return out;
    }

    void SavePicture(QWidget* form, const char* name)
    {
        form->show();
        QApplication::processEvents();
        const QString out = QStringLiteral(PRT_TEXTPARA_TEST_OUT_DIR) + "/" + name;
        ASSERT_TRUE(form->grab().save(out));
    }

    // The read runs on a worker once the window is up: wait until its values are shown.
    static void WaitRead(TTextParaDialog& form)
    {
        EXPECT_TRUE(prt::test::WaitFor([&] {
            QApplication::processEvents();
            return !form.Reading();
        }));
    }

    mainwin::TempProgram p_;
    prt::SleepHook oldSleep_ = nullptr;
    SimPrinter printer;
    std::unique_ptr<SimTcpServer> server;
};

} // namespace

TEST_F(TextParaForms, CreatingEitherFormSendsNothing)
{
    Select("D45", "D45");
    {
        T_frmParaSet_ZR zr;
        T_frmParaSet_QX qx;
    }
    QThread::msleep(50);
    EXPECT_TRUE(printer.received().isEmpty());
    EXPECT_TRUE(IsFormAvailable("T_frmParaSet_ZR"));
    EXPECT_TRUE(IsFormAvailable("T_frmParaSet_QX"));
    EXPECT_EQ(printer.connections(), 0);
}

TEST_F(TextParaForms, ZrFormReadsTheDplPrinterAndAnUnchangedSetWritesTheSameValues)
{
    Select("D45", "D45");
    SimSetReplyCrLf(printer, true);
    {
        std::lock_guard l(printer.mutex());
        ProtoState(printer)->values["ppl"] = "dpl";
    }
    T_frmParaSet_ZR form;
    form.FormShow();
    form.ReadRun();
    WaitRead(form);
    EXPECT_EQ(form.findChild<QComboBox*>("cmbProtocol")->currentText(), "DPL");
    EXPECT_EQ(form.findChild<QComboBox*>("cmbDensity")->currentText(), "9");
    EXPECT_EQ(form.findChild<QLineEdit*>("txtZPrintWidth")->text(), "108");
    EXPECT_EQ(form.findChild<QLineEdit*>("txtTearOff")->text(), "-30");
    EXPECT_EQ(form.findChild<QLineEdit*>("txtIP4")->text(), "33");
    EXPECT_EQ(form.findChild<QLineEdit*>("txtBTName")->text(), "Label-PR");
    EXPECT_EQ(form.findChild<QLabel*>("Label3")->text(), "(-240~240)dots");
    EXPECT_TRUE(form.findChild<QPushButton*>("btnSave")->isVisibleTo(&form));
    EXPECT_TRUE(form.findChild<QPushButton*>("btnSet")->isEnabled());
    EXPECT_FALSE(form.StatusText().isEmpty());
    EXPECT_TRUE(printer.received().contains(QByteArray("\x1B\x1C\x26\x20\x56\x31\x20getval \"ppl\"\r\n")));
    SavePicture(&form, "zr_form.png");

    const size_t before = SimTextLog(printer).size();
    printer.clearReceived();
    prt::test::MsgBoxRecorder boxes;
    form.btnSetClick();
    EXPECT_TRUE(boxes.calls().empty());
    const QStringList w = Written(before);
    EXPECT_EQ(w, QStringList({
                     "setval ppl=dpl", "setval bt_name=Label-PR", "setval bt_pwd=1234",
                     "setval media_power_up=calibation", "setval sw_ribbon=on", "setval reprint_after_error=on",
                     "setval code_page=1252", "setval media_sensor=black mark", "setval density=9",
                     "setval print_width=1274", "setval print_height=3540", "do demo_logic_area",
                     "setval demo_star_y=59", "setval demo_star_x=-35", "setval eth_dhcp=off",
                     "setval eth_ip=192.168.0.33.", "setval eth_mask=255.255.255.0.",
                     "setval eth_gateway=192.168.0.1.", "setval heat_adj=-10", "setval speed=3",
                     "setval com_baud=115200", "setval com_wordlength=8", "setval com_stopbits=1",
                     "setval com_parity=none", "setval sensor_select=reflective", "setval platenin_locat=on",
                     "setval print_mode=peel", "do save_param", "do reset_printer",
                 }));
    const QByteArray wire = printer.received();
    EXPECT_TRUE(wire.contains(Hex("1B 1C 26 20 56 31 20") + "setval \"eth_ip\" \"192.168.0.33.\"\r\n"));
    EXPECT_TRUE(wire.contains(Hex("1B 1C 26 20 56 31 20") + "do \"save_param\"\r\n"));
    const std::vector<QByteArray> raw = SimRawLines(printer);
    ASSERT_EQ(raw.size(), 1u);
    EXPECT_EQ(ToHex(raw[0]), ToHex(Hex("7E 4B 63 50 4A 2D 33 30 0D 0A")));
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(TextParaForms, ZrTearOffUnderTheStandardSetStartsWithStx)
{
    Select("D45", "D45");
    {
        std::lock_guard l(printer.mutex());
        ProtoState(printer)->values["ppl"] = "dpl";
        ProtoState(printer)->values["control_codes"] = "standard";
        ProtoState(printer)->values["tear_off"] = "30";
    }
    T_frmParaSet_ZR form;
    form.FormShow();
    form.ReadRun();
    WaitRead(form);
    prt::test::MsgBoxRecorder boxes;
    form.btnSetClick();
    Written();
    const std::vector<QByteArray> raw = SimRawLines(printer);
    ASSERT_EQ(raw.size(), 1u);
    EXPECT_EQ(ToHex(raw[0]), ToHex(Hex("02 4B 63 50 4A 2B 33 30 0D 0A")));
}

// Set is offered only after a completed read, and no setval, do, save or reset goes out
// without one. The roads, for a ZR905K row and a D45 row (the ZR form) and a QX row, over
// the real link to the simulator:
//   the printer says nothing        -> "_Err_ReadData", Set withheld, nothing sent
//   the read's open is refused      -> the open's error, Set withheld; nothing sent though
//                                      the printer is back by the time of the click
//   Set before the read has started -> nothing sent; the read then runs and Set writes
//   only the version answers        -> Set offered; it has nothing to write back: nothing
//                                      sent, "_Err_ParaSet"
//   every setting answers           -> Set writes everything back in the form's order
TEST_F(TextParaForms, SetIsOfferedOnlyAfterACompletedRead)
{
    enum class Road { Silent, OpenRefused, SetBeforeRead, OnlyVersion, Full };
    struct Case {
        const char* name;
        Road road;
        bool offered;       // Set enabled after the read
        const char* readBox;  // language key of the box after the read, or null
        const char* setBox;   // of the box after Set, or null
        bool sends;
    };
    const Case cases[] = {
        {"silent printer", Road::Silent, false, "_Err_ReadData", nullptr, false},
        {"open refused", Road::OpenRefused, false, "_Err_OpenPort", nullptr, false},
        {"Set before the read", Road::SetBeforeRead, true, nullptr, nullptr, true},
        {"only the version", Road::OnlyVersion, true, nullptr, "_Err_ParaSet", false},
        {"full read", Road::Full, true, nullptr, nullptr, true},
    };
    struct Row {
        const char* model;
        bool zr;
        QStringList written;  // a full read and an unchanged Set
    };
    const Row rows[] = {
        {"ZR905K", true,
         {"setval ppl=tsc", "setval bt_name=Label-PR", "setval bt_pwd=1234", "setval media_power_up=calibation",
          "setval sw_ribbon=on", "setval reprint_after_error=on", "setval code_page=1252",
          "setval media_sensor=black mark", "setval density=9", "do demo_logic_area", "setval eth_dhcp=off",
          "setval eth_ip=192.168.0.33.", "setval eth_mask=255.255.255.0.", "setval eth_gateway=192.168.0.1.",
          "setval heat_adj=-10", "setval speed=3", "setval com_baud=115200", "setval com_wordlength=8",
          "setval com_stopbits=1", "setval com_parity=none", "setval sensor_select=reflective",
          "setval platenin_locat=on", "setval print_mode=peel", "setval tear_off=-30", "do save_param",
          "do reset_printer"}},
        {"D45", true,
         {"setval ppl=tsc", "setval bt_name=Label-PR", "setval bt_pwd=1234", "setval media_power_up=calibation",
          "setval sw_ribbon=on", "setval reprint_after_error=on", "setval code_page=1252",
          "setval media_sensor=black mark", "setval density=9", "setval print_width=1274",
          "setval print_height=3540", "do demo_logic_area", "setval demo_star_y=59", "setval demo_star_x=-35",
          "setval eth_dhcp=off", "setval eth_ip=192.168.0.33.", "setval eth_mask=255.255.255.0.",
          "setval eth_gateway=192.168.0.1.", "setval heat_adj=-10", "setval speed=3", "setval com_baud=115200",
          "setval com_wordlength=8", "setval com_stopbits=1", "setval com_parity=none",
          "setval sensor_select=reflective", "setval platenin_locat=on", "setval print_mode=peel",
          "setval tear_off=-30", "do save_param", "do reset_printer"}},
        {"QX", false,
         {"setval bt_name=Label-PR", "setval bt_pwd=1234", "setval media_power_up=calibation",
          "setval reprint_after_error=on", "setval code_page=1252", "setval media_sensor=black mark",
          "setval density=9", "setval eth_dhcp=off", "setval eth_ip=192.168.0.33.",
          "setval eth_mask=255.255.255.0.", "setval eth_gateway=192.168.0.1.", "setval heat_adj=-10",
          "setval speed=3", "setval ppl=tsc", "setval com_baud=115200", "setval com_wordlength=8",
          "setval com_parity=none", "setval com_stopbits=1", "setval sensor_select=reflective",
          "setval platenin_locat=on", "setval print_mode=peel", "setval tear_off=-30", "do reset_printer"}},
    };
    for (const Row& row : rows) {
        for (const Case& k : cases) {
            SCOPED_TRACE(std::string(row.model) + ", " + k.name);
            Select(row.model, row.model);
            {
                std::lock_guard l(printer.mutex());
                SimProtoState* st = ProtoState(printer);
                st->silentTextKeys.clear();
                if (k.road == Road::Silent || k.road == Road::OnlyVersion)
                    for (const auto& [key, v] : st->values)
                        if (k.road == Road::Silent || key != "version")
                            st->silentTextKeys.insert(key);
            }
            if (k.road == Road::OpenRefused) {
                SimTcpServer gone(printer);  // a port on which nobody listens any more
                const QString refused = gone.portString();
                gone.stop();
                SetCurrentPortString(refused);
            }
            const size_t before = SimTextLog(printer).size();
            const int connections = printer.connections();
            printer.clearReceived();
            std::unique_ptr<TTextParaDialog> form;
            if (row.zr)
                form = std::make_unique<T_frmParaSet_ZR>();
            else
                form = std::make_unique<T_frmParaSet_QX>();
            auto* zr = qobject_cast<T_frmParaSet_ZR*>(form.get());
            auto* qx = qobject_cast<T_frmParaSet_QX*>(form.get());
            auto clickSet = [&] {
                if (zr)
                    zr->btnSetClick();
                else
                    qx->btnSetClick();
            };
            auto* set = form->findChild<QPushButton*>("btnSet");
            prt::test::MsgBoxRecorder boxes;

            form->show();  // the show steps run; the read is armed, not yet started
            EXPECT_FALSE(set->isEnabled()) << "no Set before a read";
            if (k.road == Road::SetBeforeRead) {
                set->click();
                clickSet();  // the handler itself refuses too
                QThread::msleep(50);
                EXPECT_EQ(printer.connections(), connections) << "the port was not even opened";
                EXPECT_TRUE(printer.received().isEmpty());
                EXPECT_TRUE(form->isVisible());
            }
            if (zr)
                zr->ReadRun();
            else
                qx->ReadRun();
            WaitRead(*form);
            if (k.road == Road::OpenRefused)
                SetCurrentPortString(server->portString());  // the printer is back
            EXPECT_EQ(set->isEnabled(), k.offered);
            EXPECT_EQ(form->ReadCompleted(), k.offered);
            EXPECT_EQ(SimTextLog(printer).size(), before) << "a read writes nothing";
            if (k.readBox) {
                ASSERT_EQ(boxes.calls().size(), 1u) << boxes.texts().join(" | ").toStdString();
                EXPECT_TRUE(boxes.calls()[0].text.contains(prt::LangText(k.readBox)))
                    << boxes.calls()[0].text.toStdString();
                EXPECT_EQ(boxes.calls()[0].caption, prt::LangText("_MSG_Title_Error"));
                EXPECT_EQ(boxes.calls()[0].flags, unsigned(prt::MB_ICONERROR_));
                if (zr) {
                    EXPECT_EQ(zr->StatusText(), prt::LangText("_Err_ReadData"));
                }
            } else {
                EXPECT_TRUE(boxes.calls().empty()) << boxes.texts().join(" | ").toStdString();
            }

            boxes.clear();
            const int afterRead = printer.connections();
            set->click();
            if (!k.offered)
                clickSet();
            if (k.sends) {
                EXPECT_EQ(Written(before), row.written);
            } else {
                QThread::msleep(50);
                EXPECT_EQ(SimTextLog(printer).size(), before) << "no setval, do, save or reset";
                EXPECT_EQ(printer.connections(), afterRead) << "the port was not even opened";
            }
            EXPECT_EQ(boxes.texts(), k.setBox ? QStringList({prt::LangText(k.setBox)}) : QStringList());
            EXPECT_EQ(form->isVisible(), !k.offered) << "a Set closes the form; without one it stays";
            if (zr) {
                EXPECT_EQ(zr->findChild<QPushButton*>("btnSave")->isVisibleTo(zr), row.model == QString("D45"))
                    << "only the DPL model saves files";
            }
            form->close();
        }
    }
}

TEST_F(TextParaForms, ZrOperatorChangesAreSentAndHeadTypeKeepsTheLists)
{
    Select("ZR905K", "ZR905K");
    GetKesaVar()->OemCo = "Label_ChannelDelear";
    T_frmParaSet_ZR form;
    form.FormShow();
    form.ReadRun();
    WaitRead(form);
    auto* head = form.findChild<QComboBox*>("cmbHeadType");
    ASSERT_TRUE(head->isVisibleTo(&form));
    EXPECT_EQ(head->currentIndex(), 1) << "KYOCERA is item 2";
    auto* density = form.findChild<QComboBox*>("cmbDensity");
    auto* codepage = form.findChild<QComboBox*>("cmbCodepage");
    const QString shownDensity = density->currentText();
    const QString shownCode = codepage->currentText();
    emit head->activated(2);  // the operator picks the third head type
    head->setCurrentIndex(2);
    EXPECT_EQ(density->currentText(), shownDensity) << "the head type no longer resets the density";
    EXPECT_EQ(codepage->currentText(), shownCode);

    // A radio item the operator clicks is sent.
    form.findChild<TRadioGroup*>("gpbReprintWhenError")->Button(0)->click();

    auto* edit = form.findChild<QLineEdit*>("txtTearOff");
    edit->setText("150");
    emit edit->textEdited("150");
    emit edit->editingFinished();
    EXPECT_EQ(edit->text(), "120");
    const size_t before = SimTextLog(printer).size();
    prt::test::MsgBoxRecorder boxes;
    form.btnSetClick();
    const QStringList w = Written(before);
    EXPECT_TRUE(w.contains("setval tph_model=4")) << w.join(" | ").toStdString();
    EXPECT_TRUE(w.contains("setval tear_off=120"));
    EXPECT_TRUE(w.contains("setval reprint_after_error=off"));
}

TEST_F(TextParaForms, ZrPrinterGoneBeforeSetShowsTheOpenErrorAndCloses)
{
    Select("ZR905K", "ZR905K");
    T_frmParaSet_ZR form;
    form.FormShow();
    form.ReadRun();
    WaitRead(form);
    server->stop();  // the printer is gone before Set
    const size_t before = SimTextLog(printer).size();
    prt::test::MsgBoxRecorder boxes;
    form.btnSetClick();
    EXPECT_EQ(SimTextLog(printer).size(), before);
    ASSERT_FALSE(boxes.calls().empty());
    EXPECT_EQ(form.result(), QDialog::Accepted) << "the form closes as after any Set";
}

TEST_F(TextParaForms, ZrSettingsFileSavedOnOneFormLoadsIntoAnother)
{
    Select("D45", "D45");
    const QString path = p_.Root() + "printer1.ini";
    T_frmParaSet_ZR first;
    first.FormShow();
    first.ReadRun();
    WaitRead(first);
    prt::test::MsgBoxRecorder boxes;
    T_frmParaSet_ZR::SetFileDialogHook([&](QWidget*, bool) { return path; });
    first.btnSaveClick();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, prt::LangText("_ParaSave_OK"));

    // Another printer answers nothing; loading makes its form the first one's.
    {
        std::lock_guard l(printer.mutex());
        for (auto& [k, v] : ProtoState(printer)->values)
            ProtoState(printer)->silentTextKeys.insert(k);
    }
    T_frmParaSet_ZR second;
    second.FormShow();
    second.ReadRun();
    WaitRead(second);
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_EQ(boxes.calls()[1].text, prt::LangText("_Err_ReadData"));
    second.btnLoadClick();
    EXPECT_EQ(boxes.calls().size(), 2u);
    EXPECT_FALSE(second.findChild<QPushButton*>("btnSet")->isEnabled()) << "a file is no read of this printer";
    for (const QString& key : zrpara::ZrSettingsKeys()) {
        EXPECT_EQ(second.Controls().Index(key), first.Controls().Index(key)) << key.toStdString();
        EXPECT_EQ(second.Controls().Text(key), first.Controls().Text(key)) << key.toStdString();
    }
    EXPECT_EQ(second.findChild<QLineEdit*>("txtIP1")->text(), "192");

    // A file without one key changes nothing and says so once.
    QByteArray bytes = prt::test::ReadTestFile(path);
    prt::test::WriteTestFile(path, bytes.replace("txtIP1=192\r\n", ""));
    T_frmParaSet_ZR third;
    third.FormShow();
    third.ReadRun();
    WaitRead(third);
    boxes.clear();
    third.btnLoadClick();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(third.findChild<QLineEdit*>("txtIP1")->text(), "");

    // A name beyond ASCII is refused on save and on load.
    T_frmParaSet_ZR::SetFileDialogHook([&](QWidget*, bool) { return p_.Root() + QString::fromUtf8("打印机.ini"); });
    boxes.clear();
    first.btnSaveClick();
    third.btnLoadClick();
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_EQ(boxes.calls()[0].text, prt::LangText("msgASCIIFileName"));
    EXPECT_FALSE(QFile::exists(p_.Root() + QString::fromUtf8("打印机.ini")));
}

// Both forms come up first and read the printer behind a busy cursor, Set disabled: the
// window keeps painting while the printer answers; its values are shown when the read is
// done. Closing the form during the read stops it: nothing more is asked, the port is closed.
TEST_F(TextParaForms, FormsAppearBeforeTheReadAndCanBeClosedDuringIt)
{
    Select("D45", "D45");
    for (bool zr : {true, false}) {
        for (bool closeEarly : {false, true}) {
            SCOPED_TRACE(std::string(zr ? "ZR" : "QX") + (closeEarly ? ", closed during the read" : ""));
            std::unique_ptr<TTextParaDialog> form;
            if (zr)
                form = std::make_unique<T_frmParaSet_ZR>();
            else
                form = std::make_unique<T_frmParaSet_QX>();
            auto gated = std::make_unique<GatedCmd>();
            GatedCmd* cmd = gated.get();
            cmd->replies = FullTextProfile();
            cmd->gateKey = "speed";
            form->SetCommand(std::move(gated));
            form->show();  // the read starts from the form's own timer once it is shown
            ASSERT_TRUE(prt::test::WaitFor([&] {
                QApplication::processEvents();
                return cmd->Reached();
            }));
            QApplication::processEvents();
            EXPECT_TRUE(form->isVisible());
            EXPECT_TRUE(form->Reading());
            EXPECT_FALSE(form->findChild<QPushButton*>("btnSet")->isEnabled());
            ASSERT_NE(QApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            if (zr) {
                EXPECT_FALSE(static_cast<T_frmParaSet_ZR*>(form.get())->StatusText().isEmpty());
            }
            EXPECT_EQ(form->findChild<QComboBox*>("cmbDensity")->currentText(), "0") << "shown when the read is done";
            if (closeEarly)
                form->findChild<QPushButton*>("btnClose")->click();
            cmd->Release();
            WaitRead(*form);
            EXPECT_FALSE(cmd->HeldBackInFull()) << "the GUI thread waited for the printer";
            EXPECT_EQ(QApplication::overrideCursor(), nullptr);
            EXPECT_EQ(cmd->log.last(), "close");
            EXPECT_EQ(cmd->opens, 1);
            if (closeEarly) {
                EXPECT_FALSE(cmd->log.contains("get com_baud")) << "nothing is asked after the close";
                EXPECT_FALSE(form->isVisible());
            } else {
                EXPECT_TRUE(cmd->log.contains("get com_baud"));
                EXPECT_TRUE(form->findChild<QPushButton*>("btnSet")->isEnabled());
                EXPECT_EQ(form->findChild<QComboBox*>("cmbDensity")->currentText(), "9");
            }
        }
    }
}

// The ZR form on a D45 row and the QX form read through the form's own printer commands,
// the real link on the simulator's port string, on the form's worker: the link waits off
// the GUI thread while the window stays live, the values land in the controls, and Set
// then writes them back over the same link.
TEST_F(TextParaForms, BothFormsReadThroughTheRealLinkOnTheirWorker)
{
    for (bool zr : {true, false}) {
        SCOPED_TRACE(zr ? "ZR, D45" : "QX");
        Select(zr ? "D45" : "QX", zr ? "D45" : "QX");
        printer.clearReceived();
        const size_t before = SimTextLog(printer).size();
        LinkWaits::Arm();
        prt::SetSleepHook(&LinkWaits::Hook);
        std::unique_ptr<TTextParaDialog> form;
        if (zr)
            form = std::make_unique<T_frmParaSet_ZR>();
        else
            form = std::make_unique<T_frmParaSet_QX>();
        form->show();  // the first-read timer starts the read
        ASSERT_TRUE(prt::test::WaitFor([&] {
            QApplication::processEvents();
            return LinkWaits::Held();
        }));
        // A getval went out through the link and its wait is held on the worker: the
        // window is live and shows the read going on.
        QApplication::processEvents();
        EXPECT_TRUE(form->isVisible());
        EXPECT_TRUE(form->Reading());
        EXPECT_FALSE(form->findChild<QPushButton*>("btnSet")->isEnabled());
        EXPECT_TRUE(prt::test::WaitFor(
            [&] { return printer.received().contains(Hex("1B 1C 26 20 56 31 20") + "getval \""); }));
        LinkWaits::Release();
        WaitRead(*form);
        prt::SetSleepHook(&ShortSleep);
        EXPECT_GT(LinkWaits::OffGui(), 20) << "every getval waits on the worker";
        EXPECT_TRUE(form->ReadCompleted());
        EXPECT_EQ(form->findChild<QComboBox*>("cmbDensity")->currentText(), "9");
        EXPECT_EQ(form->findChild<QLineEdit*>("txtGateway4")->text(), "1");
        EXPECT_EQ(form->findChild<QLineEdit*>("txtTearOff")->text(), "-30");
        if (zr) {
            EXPECT_EQ(form->findChild<QLineEdit*>("txtZPrintWidth")->text(), "108") << "the D45 row's millimetres";
        }
        auto* set = form->findChild<QPushButton*>("btnSet");
        ASSERT_TRUE(set->isEnabled());
        prt::test::MsgBoxRecorder boxes;
        set->click();
        const QStringList w = Written(before);
        ASSERT_FALSE(w.isEmpty());
        EXPECT_EQ(w.first(), zr ? "setval ppl=tsc" : "setval bt_name=Label-PR");
        EXPECT_TRUE(w.contains("setval density=9"));
        EXPECT_EQ(w.mid(w.size() - (zr ? 2 : 1)),
                  zr ? QStringList({"do save_param", "do reset_printer"}) : QStringList({"do reset_printer"}));
        EXPECT_TRUE(boxes.calls().empty());
        EXPECT_FALSE(form->isVisible());
    }
}

// Every caption of both forms shows, whole, in English and Chinese: no blank label, no
// text cut by its control, no doubled punctuation. Pictures of each land in the build
// folder (zr_form_1033.png, qx_form_2052.png, ...).
TEST_F(TextParaForms, EveryCaptionShowsWholeInBothLanguages)
{
    Select("D45", "D45");
    for (const char* lang : {"1033", "2052"}) {
        gLangId = lang;
        PublishLanguageTexts(gLangFileName, lang);
        for (bool zr : {true, false}) {
            SCOPED_TRACE(std::string(zr ? "ZR " : "QX ") + lang);
            std::unique_ptr<TTextParaDialog> form;
            if (zr)
                form = std::make_unique<T_frmParaSet_ZR>();
            else
                form = std::make_unique<T_frmParaSet_QX>();
            auto silent = std::make_unique<FakeTextCmd>();
            silent->failOpen = true;  // the captions alone: no read
            form->SetCommand(std::move(silent));
            form->show();
            QApplication::processEvents();
            auto* tabs = form->findChild<QTabWidget*>("pagecA");
            QStringList captions;
            for (int t = 0; t < tabs->count(); ++t) {
                if (!tabs->isTabVisible(t))
                    continue;
                tabs->setCurrentIndex(t);
                QApplication::processEvents();
                EXPECT_FALSE(tabs->tabText(t).trimmed().isEmpty()) << "tab " << t;
                captions << tabs->tabText(t);
                for (QLabel* l : tabs->widget(t)->findChildren<QLabel*>()) {
                    if (!l->isVisibleTo(form.get()))
                        continue;
                    EXPECT_FALSE(l->text().trimmed().isEmpty()) << l->objectName().toStdString();
                    EXPECT_GE(l->width(), l->sizeHint().width())
                        << l->objectName().toStdString() << " cut: " << l->text().toStdString();
                    captions << l->text();
                }
                for (QGroupBox* g : tabs->widget(t)->findChildren<QGroupBox*>()) {
                    if (!g->isVisibleTo(form.get()))
                        continue;
                    EXPECT_FALSE(g->title().trimmed().isEmpty()) << g->objectName().toStdString();
                    captions << g->title();
                }
                for (QRadioButton* r : tabs->widget(t)->findChildren<QRadioButton*>()) {
                    if (!r->isVisibleTo(form.get()))
                        continue;
                    EXPECT_FALSE(r->text().trimmed().isEmpty()) << r->objectName().toStdString();
                    EXPECT_GE(r->width(), r->sizeHint().width()) << "cut: " << r->text().toStdString();
                    captions << r->text();
                }
                const QString name = QStringLiteral("%1_form_%2_tab%3.png").arg(zr ? "zr" : "qx", lang).arg(t);
                EXPECT_TRUE(form->grab().save(QStringLiteral(PRT_TEXTPARA_TEST_OUT_DIR) + "/" + name));
            }
            for (QPushButton* b : form->findChildren<QPushButton*>())
                if (b->isVisibleTo(form.get()))
                    captions << b->text();
            for (const QString& c : captions)
                for (const char* twice : {"::", "\xef\xbc\x9a\xef\xbc\x9a", ":\xef\xbc\x9a", "\xef\xbc\x9a:", "..", "((", "))"})
                    EXPECT_FALSE(c.contains(QString::fromUtf8(twice))) << c.toStdString();
            form->close();
        }
    }
}

TEST_F(TextParaForms, QxFormReadsOnShowAndWritesWithoutSave)
{
    Select("QX", "QX");
    T_frmParaSet_QX form;
    form.FormShow();
    form.ReadRun();
    WaitRead(form);
    EXPECT_EQ(form.findChild<QComboBox*>("cmbProtocol")->currentText(), "TSPL");
    EXPECT_EQ(form.findChild<QComboBox*>("cmbCodepage")->currentText(), "LatinI(1252)");
    EXPECT_EQ(form.findChild<QLineEdit*>("txtGateway4")->text(), "1");
    EXPECT_EQ(form.findChild<QLabel*>("Label3")->text(), "-120~+120");
    SavePicture(&form, "qx_form.png");
    const size_t before = SimTextLog(printer).size();
    prt::test::MsgBoxRecorder boxes;
    form.btnSetClick();
    EXPECT_TRUE(boxes.calls().empty());
    const QStringList w = Written(before);
    // Everything read goes back unchanged, in the form's order, and no save.
    EXPECT_EQ(w, QStringList({
                     "setval bt_name=Label-PR", "setval bt_pwd=1234", "setval media_power_up=calibation",
                     "setval reprint_after_error=on", "setval code_page=1252", "setval media_sensor=black mark",
                     "setval density=9", "setval eth_dhcp=off", "setval eth_ip=192.168.0.33.",
                     "setval eth_mask=255.255.255.0.", "setval eth_gateway=192.168.0.1.", "setval heat_adj=-10",
                     "setval speed=3", "setval ppl=tsc", "setval com_baud=115200", "setval com_wordlength=8",
                     "setval com_parity=none", "setval com_stopbits=1", "setval sensor_select=reflective",
                     "setval platenin_locat=on", "setval print_mode=peel", "setval tear_off=-30",
                     "do reset_printer",
                 }));
    EXPECT_EQ(w.last(), "do reset_printer");
}

TEST_F(TextParaForms, QxModelWithoutBluetoothSettingsKeepsItsName)
{
    Select("QX10", "QX10");
    T_frmParaSet_QX form;
    form.FormShow();
    form.ReadRun();
    WaitRead(form);
    auto* name = form.findChild<QLineEdit*>("txtBTName");
    EXPECT_FALSE(name->isEnabled());
    EXPECT_TRUE(name->text().isEmpty());
    const size_t before = SimTextLog(printer).size();
    prt::test::MsgBoxRecorder boxes;
    form.btnSetClick();
    for (const QString& line : Written(before))
        EXPECT_FALSE(line.startsWith("setval bt_")) << line.toStdString();
    EXPECT_TRUE(Written(before).contains("setval sw_ribbon=on"));
}

TEST_F(TextParaForms, OpenersShowEachFormForTheSelectedPrinter)
{
    Select("ZR906", "ZR906");
    QStringList shown;
    SetFormShowHook([&](QWidget* form) {
        form->show();  // the show runs the form's own show steps and arms the read
        if (auto* zr = qobject_cast<T_frmParaSet_ZR*>(form))
            zr->ReadRun();
        if (auto* qx = qobject_cast<T_frmParaSet_QX*>(form))
            qx->ReadRun();
        WaitRead(*qobject_cast<TTextParaDialog*>(form));
        shown << form->objectName();
        form->close();
    });
    EXPECT_TRUE(ShowFormModal("T_frmParaSet_ZR"));
    EXPECT_TRUE(ShowFormModal("T_frmParaSet_QX"));
    EXPECT_EQ(shown, QStringList({"T_frmParaSet_ZR", "T_frmParaSet_QX"}));
    const std::vector<QByteArray> gets = [&] {
        std::vector<QByteArray> g;
        const QByteArray all = printer.received();
        for (const char* k : {"getval \"dpi\"", "getval \"version\""})
            if (all.contains(k))
                g.push_back(k);
        return g;
    }();
    EXPECT_EQ(gets.size(), 2u) << "both forms read the selected printer";
}
