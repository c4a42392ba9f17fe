// The test-text, ESC/POS text and RFID windows against the printer simulator over
// loopback: each opens through the opener table, prints once end to end and leaves the
// port closed; the size fields, key filters and character-set choice; and a picture of
// every window for review.
#include "MainFixture.h"

#include "FormPrintText.h"
#include "FormPrintText_Label.h"
#include "FormPrintText_Label_CPCL_V52BT.h"
#include "FormPrinterManage_ESC.h"
#include "FormRfidSet.h"
#include "PrinterCMD.h"
#include "PrtCodePage.h"
#include "PrtTexts.h"
#include "SimDefaults.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimTcpServer.h"
#include "mdlCurrentPrinter.h"
#include "mdlFormOpeners.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlModelFeatures.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterLibApi.h"
#include "mdlPrinterTypeList.h"
#include "mdlStartup.h"
#include "mdlStartupForms.h"
#include "FormMain_Label.h"
#include "PrtIni.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <gtest/gtest.h>

using namespace prt::sim;
using prt::test::MsgBoxRecorder;

namespace {

using prt::test::WaitFor;

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(QByteArray(hex));
}

const QByteArray kPrefix("\x1B\x1C\x26\x20\x56\x31\x20", 7);

class TextWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainwin::ResetMainState();
        SetLabelConfigFileNames();
        gLangFileName = QStringLiteral("UtilityForLabelLanguage.ini");
        gLangId = QStringLiteral("1033");
        PublishLanguageTexts(gLangFileName, gLangId);
        LoadParameterSetKeys();
        AddStandardHandlers(printer);
        server = std::make_unique<SimTcpServer>(printer);
        ASSERT_TRUE(server->ok());
        SetCurrentPortString(server->portString());
        SetPrinterSdkKind(1);
        SetCmdOpenedFlag(0);
        NotePrinterObjectModel(QStringLiteral("SIM"));
        ResetPrintTextModuleState();
    }
    void TearDown() override
    {
        SetFormShowHook({});
        SetPrtSdkApi(prt::sdk::Lib::Tspl, nullptr);
        TsplDestroyGlobalPrinter();
        CpclDestroyPrinter();
        EscDestroyPrinter();
        server->stop();
        ResetPrintTextModuleState();
        mainwin::ResetMainState();
    }
    void Select(const QString& model, int protocol = 1)
    {
        SetCurrentPrinterNames(model, model);
        SetCurrentPrtMapName(model);
        SetCurrentProtocolNo(protocol);
        ApplyModelFeatures();
    }
    // Opens the window through the opener table; `drive` runs while it is shown.
    void Open(const QString& name, const std::function<void(QWidget*)>& drive,
              const std::function<void(QWidget*)>& prepare = {})
    {
        SetFormShowHook([&](QWidget* form) {
            form->show();
            drive(form);
            form->close();
        });
        ASSERT_TRUE(ShowFormModal(name, prepare));
        SetFormShowHook({});
    }
    // Everything the printer received, once `last` arrived.
    QByteArray ReceivedUpTo(const QByteArray& last)
    {
        WaitFor([&] { return printer.received().endsWith(last); });
        return printer.received();
    }
    // The TSPL object's port is closed when a write says "not open".
    // Adds a [ParameterSet] value to the program's printer-type list (the last section).
    void AppendTypeList(const QString& key, const QString& value)
    {
        const QString path = p_.FilesDir() + "PrinterTypeList_Label.ini";
        QByteArray text = mainwin::TempProgram::Read(path);
        const QByteArray line = (key + "=").toUtf8();
        const qsizetype at = text.indexOf("\n" + line);
        if (at >= 0)
            text.remove(at + 1, text.indexOf('\n', at + 1) - at);
        mainwin::TempProgram::Write(path, text + "\r\n" + line + value.toUtf8() + "\r\n");
        prt::IniClearCache();
    }
    static bool TsplPortClosed() { return TsplGetHandle() == 0 || TsplWriteData(QByteArray("x")) == -16; }
    static bool PortClosed() { return PrtGetHandle() == 0 || PrtWriteData(QByteArray("x")) == -16; }

    void SavePicture(QWidget* form, const char* name)
    {
        QApplication::processEvents();  // pending layout requests, as on screen
        const QString out = QStringLiteral(PRT_TEXT_TEST_OUT_DIR) + "/" + name;
        ASSERT_TRUE(form->grab().save(out));
        EXPECT_GT(QFileInfo(out).size(), 1000);
    }

    mainwin::TempProgram p_;
    SimPrinter printer;
    std::unique_ptr<SimTcpServer> server;
};

// Writes through the engine but fails a write that starts with `failing`; counts closes.
struct FailingTspl {
    static inline QByteArray failing;
    static inline int closes = 0;
    static int Write(prt::sdk::Lib lib, prt::sdk::Handle h, const uint8_t* d, uint32_t n)
    {
        if (QByteArray(reinterpret_cast<const char*>(d), int(n)).startsWith(failing))
            return -15;
        return DefaultPrtSdkApi().WriteData(lib, h, d, n);
    }
    static int Close(prt::sdk::Lib lib, prt::sdk::Handle h)
    {
        ++closes;
        return DefaultPrtSdkApi().PortClose(lib, h);
    }
};

} // namespace

TEST_F(TextWindows, LabelWindowPrintsEveryRoadOnceAndClosesThePort)
{
    struct Case { const char* name; QString model; bool cpclFeature; QString text; QByteArray want; } cases[] = {
        {"general TSPL", "BQM", false, "a\nb",
         "CLS\r\nSIZE 50 mm,60 mm\r\nTEXT 10,10,\"0\",0,1,1,\"a\"\r\nTEXT 10,64,\"0\",0,1,1,\"b\"\r\nPRINT 1\r\n"},
        {"general TSPL, vector-font model", "V64", false, "a",
         "CLS\r\nSIZE 50 mm,60 mm\r\nTEXT 10,10,\"9\",0,50,50,\"a\"\r\nPRINT 1\r\n"},
        {"gap model starts at 100 x 80", "V52", false, "a\nb\nc",
         "SIZE 100mm,80mm\r\nGAP 2 mm, 0 mm\r\nCLS\r\nTEXT 50,50,\"9\",0,40,40,\"a\"\r\n"
         "TEXT 50,100,\"9\",0,40,40,\"b\"\r\nTEXT 50,150,\"9\",0,40,40,\"c\"\r\nPRINT 1\r\n"},
        {"font 2", "Y7", false, "a\nb",
         "SIZE 50mm,60mm\r\nCLS\r\nCODEPAGE 936\r\nTEXT 40,190,\"2\",0,1,1,0,\"a\"\r\n"
         "TEXT 40,230,\"2\",0,1,1,0,\"b\"\r\nPRINT 1\r\n"},
        {"one CPCL label per line", "TE62BT", true, "a\nb",
         "! 0 200 200 80 1\r\nTEXT 5 0 30 40 a\r\nPRINT\r\n! 0 200 200 80 1\r\nTEXT 5 0 30 40 b\r\nPRINT\r\n"},
    };
    for (const auto& c : cases) {
        Select(c.model);
        FTN_PrintText_Type1 = c.cpclFeature ? "," + c.model + "," : QString();
        TsplDestroyGlobalPrinter();  // the window makes its own object when none is left
        printer.clearReceived();
        MsgBoxRecorder boxes;
        Open("T_frmPrintTextLabel", [&](QWidget* w) {
            auto* f = static_cast<T_frmPrintTextLabel*>(w);
            f->txtPrintText->setPlainText(c.text);
            f->btnPrint->click();
            EXPECT_TRUE(TsplPortClosed()) << c.name;
        });
        EXPECT_EQ(ReceivedUpTo(c.want).toStdString(), c.want.toStdString()) << c.name;
        EXPECT_TRUE(boxes.calls().empty()) << c.name;
    }
}

TEST_F(TextWindows, LabelWindowFailuresShowTheirBoxAndLeaveThePortClosed)
{
    Select("V64");
    static PrtSdkApi api = DefaultPrtSdkApi();
    api.WriteData = &FailingTspl::Write;
    api.PortClose = &FailingTspl::Close;
    SetPrtSdkApi(prt::sdk::Lib::Tspl, &api);
    struct Case { const char* name; QString text; QByteArray failing; QString box; } cases[] = {
        {"PRINT 1 fails", "a", "PRINT 1", "Failed to write data to the printer"},
        {"CLS fails", "a", "CLS", "Failed to write data to the printer"},
        {"empty text", "  \n ", "none", "Please enter the text to print."},
    };
    for (const auto& c : cases) {
        FailingTspl::failing = c.failing;
        FailingTspl::closes = 0;
        MsgBoxRecorder boxes;
        Open("T_frmPrintTextLabel", [&](QWidget* w) {
            auto* f = static_cast<T_frmPrintTextLabel*>(w);
            f->txtPrintText->setPlainText(c.text);
            f->btnPrint->click();
        });
        ASSERT_EQ(boxes.calls().size(), 1u) << c.name;
        EXPECT_TRUE(boxes.calls()[0].text.startsWith(c.box)) << c.name << boxes.calls()[0].text.toStdString();
        EXPECT_EQ(boxes.calls()[0].caption, "Error");
        EXPECT_EQ(boxes.calls()[0].flags, unsigned(prt::MB_ICONERROR_));
        EXPECT_EQ(FailingTspl::closes, 1) << c.name;
        EXPECT_TRUE(TsplPortClosed()) << c.name;
    }
    // A port that does not open: the box with the code, nothing closed.
    SetCurrentPortString("NET,127.0.0.1:1");
    FailingTspl::closes = 0;
    MsgBoxRecorder boxes;
    Open("T_frmPrintTextLabel", [&](QWidget* w) { static_cast<T_frmPrintTextLabel*>(w)->btnPrint->click(); });
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_TRUE(boxes.calls()[0].text.startsWith("Failed to open the port:-")) << boxes.calls()[0].text.toStdString();
    EXPECT_EQ(FailingTspl::closes, 0);
}

TEST_F(TextWindows, LabelWindowSizeFieldsKeyFilterAndCharacterSet)
{
    struct Case { QString model; bool width; QString typed, after; } cases[] = {
        {"V64", true, "999", "108"},   // wide model: 108
        {"V64", true, "5", "10"},
        {"V64", false, "5", "15"},     // tall model: minimum 15
        {"V64", false, "999", "300"},
        {"TE62BT", false, "5", "10"},
        {"TE62BT", false, "250", "210"},
        {"TE62BT", true, "", "10"},    // empty or not a number: the minimum
        {"TE62BT", false, "1x", "10"},
        {"TE62BT", true, "40", "40"},
    };
    for (const auto& c : cases) {
        Select(c.model);
        T_frmPrintTextLabel f;
        f.show();
        QLineEdit* field = c.width ? f.txtPrintableWidth : f.txtPrintableHeigh;
        field->setText(c.typed);
        f.CheckValue(field);
        EXPECT_EQ(field->text(), c.after) << c.model.toStdString() << " " << c.typed.toStdString();
    }
    Select("V64");
    T_frmPrintTextLabel f;
    f.show();
    EXPECT_EQ(f.Label2->text(), "(15-300)mm");
    EXPECT_EQ(f.lblMultiple1->text(), "(10-108)mm");
    // Keys: digits, backspace, enter and 127 pass; everything else is dropped.
    for (QChar k : {QChar('0'), QChar('9'), QChar(8), QChar(13), QChar(127)})
        EXPECT_TRUE(TPrintTextLabelBase::CheckImportNumber(k));
    for (QChar k : {QChar('a'), QChar('-'), QChar(' '), QChar('.')})
        EXPECT_FALSE(TPrintTextLabelBase::CheckImportNumber(k));
    f.txtPrintableWidth->clear();
    f.txtPrintableWidth->setFocus();
    for (const char* key : {"4", "x", "2"}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromLatin1(key));
        QApplication::sendEvent(f.txtPrintableWidth, &press);
    }
    EXPECT_EQ(f.txtPrintableWidth->text(), "42");
    // Ticking the character set with nothing chosen takes the first; unticking keeps it.
    EXPECT_FALSE(f.cmbInternationalCharacter->isEnabled());
    EXPECT_EQ(f.cmbInternationalCharacter->currentIndex(), -1);
    f.cbxLanguage->click();
    EXPECT_TRUE(f.cmbInternationalCharacter->isEnabled());
    EXPECT_EQ(f.cmbInternationalCharacter->currentIndex(), 0);
    f.cbxLanguage->click();
    EXPECT_FALSE(f.cmbInternationalCharacter->isEnabled());
    EXPECT_EQ(f.cmbInternationalCharacter->currentIndex(), 0);
    EXPECT_EQ(f.CodeList().size(), f.cmbInternationalCharacter->count());
    SavePicture(&f, "frm_print_text_label.png");
}

TEST_F(TextWindows, CpclWindowPaperModeAnswerAddsForm)
{
    Select("TE62BT");
    FTN_PrintText_Type1 = ",TE62BT,";
    FTN_PrintText_GetPaperMode = ",TE62BT,";
    struct Case { const char* name; QByteArray key; QByteArray last; } cases[] = {
        {"answer 1", QByteArray(1, '\x01'), "FORM\r\nPRINT\r\n"},
        {"answer 0", QByteArray(1, '\x00'), "! 0"},
        {"no answer", QByteArray(), "! 0"},
    };
    for (const auto& c : cases) {
        {
            std::lock_guard l(printer.mutex());
            if (c.key.isEmpty())
                ProtoState(printer)->keyValues.erase(0xCE);
            else
                ProtoState(printer)->keyValues[0xCE] = c.key;
        }
        printer.clearReceived();
        TsplDestroyGlobalPrinter();
        MsgBoxRecorder boxes;
        Open(
            "T_frmPrintTextLabelCpclV52bt",
            [&](QWidget* w) {
                auto* f = static_cast<T_frmPrintTextLabelCpclV52bt*>(w);
                EXPECT_EQ(f->lblMultiple1->text(), "(10-72)mm");
                f->txtPrintText->setPlainText("a\nb");
                f->btnPrint->click();
                EXPECT_TRUE(TsplPortClosed());
            },
            [](QWidget* w) { CallFormHook(w, "SetPaperWidth", QStringLiteral("72")); });
        const QByteArray query = Hex("1b1c2620563120676574 6b65790d0a01ce0001");
        const QByteArray page = QByteArray("! 0 200 200 240 1\r\n") + " PW 240\r\n" + "TEXT 5 0 10 10 a\r\n" +
                                "TEXT 5 0 10 64 b\r\n" + (c.key == QByteArray(1, '\x01') ? "FORM\r\n" : "") + "PRINT\r\n";
        EXPECT_EQ(ReceivedUpTo("PRINT\r\n"), query + page) << c.name;
        EXPECT_TRUE(boxes.calls().empty()) << c.name;
    }
    // Every other model: the general TSPL road.
    FTN_PrintText_Type1.clear();
    printer.clearReceived();
    Open("T_frmPrintTextLabelCpclV52bt", [&](QWidget* w) {
        auto* f = static_cast<T_frmPrintTextLabelCpclV52bt*>(w);
        f->txtPrintText->setPlainText("a");
        f->btnPrint->click();
    });
    EXPECT_EQ(ReceivedUpTo("PRINT 1\r\n"), QByteArray("CLS\r\nSIZE 30 mm,30 mm\r\nTEXT 10,10,\"0\",0,1,1,\"a\"\r\nPRINT 1\r\n"));
    T_frmPrintTextLabelCpclV52bt f;
    f.SetWidthLimit("72");
    f.show();
    // The character-set group and its label read in the UI language; the group title keeps
    // the blanks of its design caption.
    EXPECT_EQ(f.gpbLanguage->title(), "     Select Language");
    EXPECT_EQ(f.lblInternationalCharacter->text(), "Language:");
    f.txtPrintableHeigh->setText("300");
    f.CheckValue(f.txtPrintableHeigh);
    EXPECT_EQ(f.txtPrintableHeigh->text(), "210");
    f.txtPrintableWidth->setText("999");
    f.CheckValue(f.txtPrintableWidth);
    EXPECT_EQ(f.txtPrintableWidth->text(), "72");
    SavePicture(&f, "frm_print_text_label_cpcl.png");
    gLangId = QStringLiteral("2052");
    PublishLanguageTexts(gLangFileName, gLangId);
    T_frmPrintTextLabelCpclV52bt zh;
    zh.SetWidthLimit("72");
    zh.show();
    EXPECT_EQ(zh.gpbLanguage->title(), QString::fromUtf8("     选择语言"));
    EXPECT_EQ(zh.lblInternationalCharacter->text(), QString::fromUtf8("语言："));
    SavePicture(&zh, "frm_print_text_label_cpcl-2052.png");
}

TEST_F(TextWindows, ReceiptWindowRoads)
{
    const QByteArray crlf3 = "\r\n\r\n\r\n";
    struct Case {
        const char* name;
        QString model;
        int protocol;
        uint8_t key312;  // 0xFF: none
        int charset;     // index in the character-set list, -1 none
        QString text;
        QByteArray want;
    } cases[] = {
        {"ZPL by protocol", "V64", 4, 0xFF, -1, "a\nb",
         "^XA\r\n^LL208\r\n^LH0,0\r\n^FO0,10^CI14^A@N,24,24,E:SIMSUN.TTF^FDa^FS\r\n"
         "^FO0,64^CI14^A@N,24,24,E:SIMSUN.TTF^FDb^FS\r\n^XZ\r\n"},
        {"EPL by protocol", "V64", 5, 0xFF, -1, "a",
         "N\r\nA10,10,0,1,2,2,N,\"a\"\r\nP1\r\n"},
        {"plain text by protocol", "V64", 1, 0xFF, -1, "a\nb", "a\r\nb\n"},
        {"CPCL printer without a paper-mode query: lines", "V64", 3, 0xFF, -1, "a", "a\r\n"},
        {"first mobile road, key 1: text", "W16", 1, 1, -1, "a", "a" + crlf3},
        {"first mobile road, key 0: CPCL", "HB25", 1, 0, -1, "a",
         "! 0 200 200 160 1\r\nTEXT 5 0 78 40 a\r\nFORM\r\nPRINT\r\n" + crlf3},
        {"second mobile road, ZPL, 8-bit form at x 80", "ZR905K", 1, 0, -1, "a",
         "^XA\r\n^LL154\r\n^LH0,0\r\n^FO80,15^CI14^A@N,24,24,E:SIMSUN.TTF^FDa^FS\r\n^XZ\r\n"},
        {"second mobile road, ZPL, character set at x 0", "ZR905K", 1, 0, 0, QString::fromUtf8("é"),
         QByteArray("^XA\r\n^LL154\r\n^LH0,0\r\n^FO0,15^CI14^A@N,24,24,E:SIMSUN.TTF^FD") + Hex("c3a9") +
             "^FS\r\n^XZ\r\n"},
        {"second mobile road, Cyrillic", "ZR905K", 1, 0, 6, QString::fromUtf8("Ж"),
         QByteArray("^XA\r\n^CI28\r\n^LL500\r\n^FO0,15\r\n^A@N,30,30,E:tt0003m_^FD") + Hex("d096") + "^FS\r\n^XZ\r\n"},
        {"second mobile road, key 2: text", "ZR905K", 1, 2, -1, "a", "a" + crlf3},
    };
    for (const auto& c : cases) {
        Select(c.model, c.protocol);
        {
            std::lock_guard l(printer.mutex());
            if (c.key312 == 0xFF)
                ProtoState(printer)->keyValues.erase(312);
            else
                ProtoState(printer)->keyValues[312] = QByteArray(1, char(c.key312));
        }
        printer.clearReceived();
        MsgBoxRecorder boxes;
        Open("T_frmPrintText", [&](QWidget* w) {
            auto* f = static_cast<T_frmPrintText*>(w);
            f->txtPrintText->setPlainText(c.text);
            if (c.charset >= 0) {
                f->CheckBox1->click();
                f->cmbInternationalCharacter->setCurrentIndex(c.charset);
            }
            f->btnPrint->click();
            EXPECT_TRUE(PortClosed()) << c.name;
        });
        QByteArray got = ReceivedUpTo(c.want);
        // The key question comes first on the mobile roads.
        const qsizetype frame = got.indexOf("getkey\r\n");
        if (frame >= 0)
            got.remove(0, frame + 8 + 4);
        EXPECT_EQ(got, c.want) << c.name;
        EXPECT_TRUE(boxes.calls().empty()) << c.name;
    }
}

TEST_F(TextWindows, ReceiptWindowPaperModeFeedsAndPrefixes)
{
    // A CPCL printer asked its paper mode (switch lists injected for a model of no mobile road).
    PaperModeQueryOnModels = ",V64,";
    PaperModeSwitchAModels = ",V64,";
    PaperModeSwitchBModels = ",V64,";
    PaperModeKeyKind2Models = ",V64,";
    PrintTextFeedCountModels = ",V64,";
    Select("V64", 3);
    ASSERT_EQ(PrintTextFeedCount(), 3);
    struct Case { const char* name; QByteArray answer; QByteArray want; int mode; } cases[] = {
        {"kind 2, answer 0: paper mode 3, CPCL page, no feeds", QByteArray(1, '\0'),
         "! 0 200 200 500 1\r\nTEXT 5 0 78 40 a\r\nFORM\r\nPRINT\r\n", 3},
        {"kind 2, answer 5: paper mode 0, lines and three feeds", QByteArray(1, '\x05'),
         "a\r\n\r\n\r\n\r\n", 0},
    };
    for (const auto& c : cases) {
        {
            std::lock_guard l(printer.mutex());
            ProtoState(printer)->keyValues[312] = c.answer;
        }
        printer.clearReceived();
        MsgBoxRecorder boxes;
        Open("T_frmPrintText", [&](QWidget* w) {
            auto* f = static_cast<T_frmPrintText*>(w);
            f->txtPrintText->setPlainText("a");
            f->btnPrint->click();
        });
        QByteArray got = ReceivedUpTo(c.want);
        const qsizetype frame = got.indexOf("getkey\r\n");
        ASSERT_GE(frame, 0) << c.name;
        got.remove(0, frame + 8 + 4);
        EXPECT_EQ(got, c.want) << c.name;
        EXPECT_EQ(PrintTextPaperMode(), c.mode) << c.name;
        EXPECT_TRUE(boxes.calls().empty()) << c.name;
    }
    // No answer: the paper-mode message and the lines.
    {
        std::lock_guard l(printer.mutex());
        ProtoState(printer)->keyValues.erase(312);
    }
    printer.clearReceived();
    MsgBoxRecorder boxes;
    Open("T_frmPrintText", [&](QWidget* w) {
        auto* f = static_cast<T_frmPrintText*>(w);
        f->txtPrintText->setPlainText("a");
        f->btnPrint->click();
    });
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, "Failed to read Protocol Type.");
    EXPECT_TRUE(ReceivedUpTo("a\r\n").endsWith("a\r\n"));

    // ESC S first, then the "ppl" model's answer "esc" sends it again and the text with
    // seven line ends (ZPL printer).
    PrintTextPplModels = ",V52,";
    SimSetValue(printer, "ppl", "esc");
    AppendTypeList("Send1B53First", ",V52,");
    Select("V52", 4);
    printer.clearReceived();
    Open("T_frmPrintText", [&](QWidget* w) {
        auto* f = static_cast<T_frmPrintText*>(w);
        f->txtPrintText->setPlainText("a");
        f->btnPrint->click();
    });
    const QByteArray getPpl = kPrefix + "getval \"ppl\"\r\n";
    const QByteArray want = getPpl + "\x1B\x53" + getPpl + "\x1B\x53" + "a\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
    EXPECT_EQ(ReceivedUpTo(want).toStdString(), want.toStdString());
    EXPECT_EQ(PrintTextLastPplAnswer(), "esc");
}

TEST_F(TextWindows, ReceiptWindowRowsAndHeights)
{
    Select("W16P");
    T_frmPrintText f;
    f.show();
    EXPECT_TRUE(f.cmbPrintableHeight->isVisible());
    EXPECT_TRUE(f.cmbRowHeight->isVisible());
    EXPECT_EQ(f.cmbPrintableHeight->currentText(), "160");
    f.cmbPrintableHeight->setCurrentText("abc");
    f.cmbRowHeight->setCurrentText("25");
    EXPECT_EQ(f.BuildCpclTextJob("a\r\nb"), "! 0 200 200 80 1\r\nTEXT 5 0 78 40 a\r\nTEXT 5 0 78 65 b\r\nFORM\r\nPRINT\r\n");
    EXPECT_EQ(f.cmbPrintableHeight->currentText(), "80");
    // The group's title says something of its own, no row label again.
    for (const QString& row : {f.edtlbl_SelInternationalCharacter->text(), f.lblInternationalCharacter->text(),
                               f.edtlbl_PrintableHeight->text(), f.edtlbl_RowHeight->text()})
        EXPECT_NE(f.gpbLanguage->title().trimmed(), row.trimmed());
    EXPECT_FALSE(f.gpbLanguage->title().trimmed().isEmpty());
    SavePicture(&f, "frm_print_text_rows.png");

    Select("V64");
    T_frmPrintText g;
    g.show();
    EXPECT_FALSE(g.cmbPrintableHeight->isVisible());
    EXPECT_FALSE(g.cmbRowHeight->isVisible());
    EXPECT_EQ(g.BuildCpclTextJob("a"), "! 0 200 200 500 1\r\nTEXT 5 0 78 40 a\r\nFORM\r\nPRINT\r\n");
    EXPECT_EQ(MapPaperModeAnswer(1, "1"), 3);
    EXPECT_EQ(MapPaperModeAnswer(1, "0"), 4);
    EXPECT_EQ(MapPaperModeAnswer(2, "0"), 3);
    EXPECT_EQ(MapPaperModeAnswer(2, "1"), 0);
    EXPECT_EQ(MapPaperModeAnswer(3, "1"), -1);
    SavePicture(&g, "frm_print_text.png");
}

TEST_F(TextWindows, EscPosWindowPrintsTextAndFiveLineEnds)
{
    SetPrinterSdkKind(0);
    EscDestroyPrinter();  // the window makes the object it needs
    struct Case { QString text; QByteArray want; } cases[] = {
        {"", Hex("0d0a0d0a0d0a0d0a0d0a")},
        {"ab\ncd", QByteArray("ab\r\ncd") + Hex("0d0a0d0a0d0a0d0a0d0a")},
    };
    for (const auto& c : cases) {
        printer.clearReceived();
        MsgBoxRecorder boxes;
        Open("TForm25", [&](QWidget* w) {
            auto* f = static_cast<TForm25*>(w);
            EXPECT_EQ(f->windowTitle(), "Print Test Text");
            EXPECT_EQ(f->btnClose->text(), "Close");
            f->txtPrintText->setPlainText(c.text);
            f->btnPrint->click();
            EXPECT_TRUE(PortClosed());
            SavePicture(f, "frm_esc_text.png");
        });
        EXPECT_EQ(ReceivedUpTo(c.want), c.want);
        EXPECT_TRUE(boxes.calls().empty());
    }
}

TEST_F(TextWindows, RfidWindowTwoActionsInARowAndItsChecks)
{
    Select("V64");
    SetPrinterSdkKind(1);
    SimSetSetvalReplies(printer, "rfid_wr", {"E2003412", "OK OK "});
    SimSetValue(printer, "rfid_power_level", "120");
    SimSetValue(printer, "rfid_rssi_level", "40");
    MsgBoxRecorder boxes;
    Open("TfrmRfidSet", [&](QWidget* w) {
        auto* f = static_cast<TfrmRfidSet*>(w);
        // A fake clock over the real port: the waits pass at once.
        TRfidIo io = DefaultRfidIo();
        auto now = std::make_shared<uint32_t>(5000);
        io.tick = [now] { return *now; };
        io.sleep = [now](uint32_t ms) {
            *now += ms;
            QThread::msleep(1);
        };
        f->SetRfidIo(io);
        EXPECT_EQ(f->windowTitle(), "RFID Settings");
        EXPECT_EQ(f->width(), f->pnlB->width());
        // Read, then write: both reach the printer although each close frees the object.
        f->btnRfidR->click();
        EXPECT_EQ(f->edtRfidR->text(), "E2003412");
        EXPECT_EQ(f->LogLineCount(), 1);
        f->edtRfidW->setText("ab12");
        f->btnRfidW->click();
        f->btnReadPara->click();
        EXPECT_EQ(f->edtTranPower->text(), "120");
        EXPECT_EQ(f->edtRssiStrength->text(), "40");
        EXPECT_TRUE(f->edtRfidVersion->isReadOnly());
        EXPECT_TRUE(f->edtRfidVersion->text().isEmpty());
        EXPECT_TRUE(f->isEnabled());
        EXPECT_TRUE(PortClosed());
        SavePicture(f, "frm_rfid_set.png");
    });
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_EQ(boxes.calls()[0].text, "Reading the tag finished.");
    EXPECT_EQ(boxes.calls()[1].text, "Written successfully.");
    EXPECT_EQ(boxes.calls()[1].flags, unsigned(prt::MB_ICONINFORMATION_));
    EXPECT_EQ(SimSetvalLog(printer),
              (std::vector<QByteArray>{"\"rfid_wr\" \"r,h,2,1,12\"", "\"rfid_wr\" \"w,h,2,1,AB12\""}));
    EXPECT_EQ(SimDoLog(printer), (std::vector<QByteArray>{"\"rfid_print\"", "\"rfid_print\""}));

    // Checks before anything is sent; bad tag data is refused at send time.
    printer.clearReceived();
    TfrmRfidSet f;
    struct Case { QLineEdit* edit; QString text; QPushButton* button; QString box; } cases[] = {
        {f.edtRfidRLen, "13", f.btnRfidR, "The read length is wrong: it may not exceed 12 bytes."},
        {f.edtRfidRLen, "", f.btnRfidR, "The read length is wrong: it may not exceed 12 bytes."},
        {f.edtTranPower, "151", f.btnWTranPower, "The transmit power must be from 0 to 150."},
        {f.edtRssiStrength, "256", f.btnWRssiStrength, "The RSSI level must be from 0 to 255."},
        {f.edtRfidW, "AB-1", f.btnRfidW, "Writing the tag failed."},
    };
    for (const auto& c : cases) {
        f.edtRfidRLen->setText("12");
        c.edit->setText(c.text);
        boxes.clear();
        c.button->click();
        ASSERT_EQ(boxes.calls().size(), 1u) << c.text.toStdString();
        EXPECT_EQ(boxes.calls()[0].text, c.box);
    }
    QThread::msleep(50);
    EXPECT_TRUE(printer.received().isEmpty());

    // Key filter, length hint and log numbering.
    QChar k('g');
    EXPECT_TRUE(TfrmRfidSet::edtRfidWKeyPress(k));
    EXPECT_EQ(k, QChar('G'));
    QChar dash('-');
    EXPECT_FALSE(TfrmRfidSet::edtRfidWKeyPress(dash));
    EXPECT_FALSE(TfrmRfidSet::edtRfidRLenKeyPress('a'));
    EXPECT_TRUE(TfrmRfidSet::edtRfidRLenKeyPress('7'));
    f.edtRfidW->setText("ABCDE");
    EXPECT_TRUE(f.lblRfidIpnutLen->text().isEmpty());
    f.edtRfidW->setText("ABCDEF");
    EXPECT_EQ(f.lblRfidIpnutLen->text(), "Current input length: 3 bytes");
    for (int i = 0; i < 1000; ++i)
        f.AddLogLine("x");
    EXPECT_TRUE(f.mmoInfo->toPlainText().endsWith("1000:x"));
    f.AddLogLine("y");
    EXPECT_EQ(f.mmoInfo->toPlainText(), "001:y");
}

TEST_F(TextWindows, RfidWindowStaysDisabledAndOpenWhileATagOperationRuns)
{
    Select("V64");
    SimSetSetvalReplies(printer, "rfid_wr", {"NG "});
    TfrmRfidSet f;
    f.show();
    int closeTries = 0;
    bool disabledMeanwhile = true;
    TRfidIo io = DefaultRfidIo();
    auto now = std::make_shared<uint32_t>(0);
    io.tick = [now] { return *now; };
    io.sleep = [&, now](uint32_t ms) {
        *now += ms;
        disabledMeanwhile = disabledMeanwhile && !f.isEnabled() && !f.btnRfidR->isEnabled() && f.IsBusy();
        if (closeTries++ == 0) {
            f.close();   // the operator asks to close: it waits for the end
            f.reject();  // Escape
        }
    };
    f.SetRfidIo(io);
    MsgBoxRecorder boxes;
    f.btnRfidR->click();
    EXPECT_GT(closeTries, 0);
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.isEnabled());
    EXPECT_TRUE(f.btnRfidR->isEnabled());
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, "Reading the tag failed.");
    EXPECT_EQ(boxes.calls()[0].flags, unsigned(prt::MB_ICONERROR_));
    EXPECT_TRUE(PortClosed());
    f.close();
    EXPECT_FALSE(f.isVisible());
}

TEST_F(TextWindows, RfidVersionFieldOnlyForTheVersionModel)
{
    Select("AK-S770");
    TfrmRfidSet f;
    EXPECT_FALSE(f.edtRfidVersion->isReadOnly());
    EXPECT_EQ(f.txtSupport_RfidVersion->text(), "Supported");
    Select("V64");
    TfrmRfidSet g;
    EXPECT_TRUE(g.edtRfidVersion->isReadOnly());
    EXPECT_EQ(g.txtSupport_RfidVersion->text(), "Not supported");
}

TEST_F(TextWindows, StartUpInstancesNeedNoPrinter)
{
    printer.clearReceived();
    InitStartupModules();
    InitStartupModes();
    CreateGlobalSingletons();
    T_frmMain_Label* main = CreateStartupForms();
    ASSERT_NE(main, nullptr);
    ASSERT_NE(frmPrintTextLabel, nullptr);
    ASSERT_NE(frmPrintText, nullptr);
    EXPECT_FALSE(frmPrintTextLabel->isVisible());
    EXPECT_FALSE(frmPrintText->isVisible());
    DestroyStartupForms();
    FinalizeStartup();
    EXPECT_EQ(frmPrintTextLabel, nullptr);
    EXPECT_TRUE(printer.received().isEmpty());
}
