// The main window's functions against the printer simulator on 127.0.0.1: the bytes each
// button sends, the window it opens (stand-in windows registered here) and what it reads
// back from windows of other areas.
#include "MainFixture.h"

#include "FormMain_Label.h"
#include "PrtTexts.h"
#include "SimDefaults.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimTcpServer.h"
#include "mdlCurrentPrinter.h"
#include "mdlFormOpeners.h"
#include "mdlFunctionDispatch.h"
#include "mdlKesaVar.h"
#include "mdlModuleState.h"
#include "mdlPrinterLib.h"
#include "mdlStartup.h"

#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QThread>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>

using mainwin::TempProgram;
using prt::test::Hex;
using prt::test::MsgBoxRecorder;
using namespace prt::sim;

namespace {

const QByteArray kPrefix("\x1B\x1C\x26\x20\x56\x31\x20", 7);

using prt::test::WaitFor;

class DispatchSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainwin::ResetMainState();
        AddStandardHandlers(printer_);
        server_ = std::make_unique<SimTcpServer>(printer_);
        ASSERT_TRUE(server_->ok());
        SetFormShowHook([this](QWidget* w) {
            shown_ << w->objectName();
            if (onShow_)
                onShow_(w);
        });
        for (const char* name : kStandIns)
            RegisterFormOpener(name, [name] {
                auto* w = new QDialog();
                w->setObjectName(name);
                return w;
            });
    }
    void TearDown() override
    {
        SetFormShowHook({});
        for (const char* name : kStandIns)
            RegisterFormOpener(name, {});
        SetFirmwareToolPathForTest({});
        form_.reset();
        FinalizeStartup();
        mainwin::ResetMainState();
        server_->stop();
    }
    // Starts the main window with one printer row on the simulator and selects it.
    T_frmMain_Label* Start(const QString& model)
    {
        TempProgram::Write(p_.ListPath(), (model + "|NET|" + server_->portString() + "||\r\n").toUtf8());
        InitStartupModules();
        InitStartupModes();
        CreateGlobalSingletons();
        form_.reset(new T_frmMain_Label());
        form_->show();
        form_->SelectRow(0);
        form_->lvPrinterListClick();
        printer_.clearReceived();
        return form_.get();
    }
    bool Got(const QByteArray& bytes)
    {
        return WaitFor([&] { return printer_.received().contains(bytes); });
    }
    // Bytes received after the protocol probe.
    QByteArray AfterProbe()
    {
        QThread::msleep(50);
        const QByteArray r = printer_.received();
        const qsizetype i = r.indexOf(Hex("1B 1B 08"));
        return i < 0 ? r : r.mid(i + 3);
    }
    void Set(const QByteArray& key, const QByteArray& value) { SimSetValue(printer_, key, value); }

    static constexpr const char* kStandIns[] = {
        "T_frmParaSet_V64", "T_frmParaSet_W16_Vuzivaz", "T_frmParaSet_BQM", "T_frmPrintTextLabel",
        "TfrmDownFirmwareSelType", "TfrmDFU_W16P", "TfrmGDL", "TForm11", "TfrmDLFile_ZR", "TfrmDLFile"};

    TempProgram p_;
    SimPrinter printer_;
    std::unique_ptr<SimTcpServer> server_;
    std::unique_ptr<T_frmMain_Label> form_;
    QStringList shown_;
    std::function<void(QWidget*)> onShow_;
};

} // namespace

TEST_F(DispatchSim, ParameterSettingProbesAndOpensTheFamilyWindowLeavingThePortOpen)
{
    T_frmMain_Label* f = Start("V64");
    MsgBoxRecorder boxes;
    f->RunFunction("btnParameterSetting");
    EXPECT_TRUE(boxes.calls().empty());
    EXPECT_EQ(shown_, QStringList({"T_frmParaSet_V64"}));
    EXPECT_EQ(GetPrinterSdkKind(), GetCurrentProtocolNo()) << "the probe result is the SDK kind too";
}

TEST_F(DispatchSim, SilentW16FirmwareOpensTheOlderWindow)
{
    SimSetVersion(printer_, {});
    Start("W16");
    MsgBoxRecorder boxes;
    form_->RunFunction("btnParameterSetting");
    EXPECT_EQ(shown_, QStringList({"T_frmParaSet_W16_Vuzivaz"}));
}

TEST_F(DispatchSim, PrinterCommandsSendTheirBytes)
{
    // The protocol number comes from the model's command language (the probe byte counts
    // for printers with two languages only).
    struct Case {
        const char* model;
        int protocolByte;
        const char* button;
        QByteArray expected;
    };
    const QByteArray doCmd = kPrefix + "do ";
    const Case cases[] = {
        {"V52R", 1, "btnPrintConfigInfo", doCmd + "\"configguration_page\"\r\n"},
        {"F58S", 1, "btnPrintConfigInfo", "SELFTEST\r\n"},
        {"Z34", 0, "btnPrintConfigInfo", Hex("1D 28 41 02 00 00 02")},
        {"V52R", 1, "btnStartLearn", doCmd + "\"calibrate_sensor\"\r\n"},
        {"W16", 1, "btnStartLearn", doCmd + "\"locat_learn\"\r\n"},
        {"F58S", 1, "btnStartLearn", "ZZZLEARN\r\n"},
        {"TA380", 1, "btnFactorySetting", doCmd + "\"factory_default\"\r\n"},
        {"V52R", 1, "btnModelTest", "ZZZDENSITYTST\r\n"},
        {"Z34", 0, "btnModelTest", Hex("12 56")},
        {"F58S", 0, "btnModelTest", Hex("1B 1B 04")},
        {"V52R", 1, "btnLabelSensorPrintImage", doCmd + "\"graph_sensor\"\r\n"},
        {"V52R", 1, "btnFrontLearn", "ZZZFRONT\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " " + c.button);
        SimSetProtocolByte(printer_, c.protocolByte);
        Start(c.model);
        MsgBoxRecorder boxes;
        form_->RunFunction(c.button);
        EXPECT_TRUE(Got(c.expected)) << prt::test::ToHex(printer_.received());
        EXPECT_EQ(AfterProbe(), c.expected) << "nothing else is sent";
        for (const auto& b : boxes.calls())
            EXPECT_NE(b.flags & prt::MB_ICONERROR_, unsigned(prt::MB_ICONERROR_)) << b.text.toStdString();
        form_.reset();
        FinalizeStartup();
        mainwin::ResetMainState();
    }
}

// Front learning ends with a box that says what was done; the models that ask first say
// what is about to happen. Both in the UI language.
TEST_F(DispatchSim, FrontLearningSaysWhatItDoes)
{
    const QString doneEn = "The printer was asked to learn its front sensor.";
    const QString doneZh = QString::fromUtf8("已通知打印机进行前置传感器学习。");
    struct Case {
        const char* arg;
        const char* model;
        QStringList texts;
    };
    const Case cases[] = {
        {"-EN", "D45", {doneEn}},
        {"-CN", "D45", {doneZh}},
        {"-EN", "V52R", {"The printer will now learn its sensor.\r\nContinue?", doneEn}},
        {"-CN", "V52R", {QString::fromUtf8("打印机将进行传感器学习。\r\n是否继续？"), doneZh}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.arg) + " " + c.model);
        SetProgramArgs({c.arg});
        Start(c.model);
        MsgBoxRecorder boxes;
        form_->RunFunction("btnFrontLearn");
        EXPECT_EQ(boxes.texts().join(" | ").toStdString(), c.texts.join(" | ").toStdString());
        form_.reset();
        FinalizeStartup();
        mainwin::ResetMainState();
    }
}

TEST_F(DispatchSim, ConfirmationsCancelSendNothingAndTheSecondActionStillWorks)
{
    Start("TA380");
    {
        MsgBoxRecorder boxes(prt::IDCANCEL_);
        form_->RunFunction("btnFactorySetting");
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, form_->RestoreText());
    }
    EXPECT_EQ(AfterProbe(), QByteArray());
    // The do-command destroys the printer object; the connection test made after it
    // still opens (the object is made again).
    MsgBoxRecorder boxes;
    form_->RunFunction("btnFactorySetting");
    EXPECT_TRUE(Got(kPrefix + "do \"factory_default\"\r\n"));
    boxes.clear();
    form_->btnConnectTest->click();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, "Connected successfully.");
}

TEST_F(DispatchSim, PrintTextReadsThePaperModeFrame)
{
    SimSetKeyValue(printer_, 312, Hex("04"));
    Start("V52BT");
    MsgBoxRecorder boxes;
    form_->RunFunction("btnPrintText");
    // getkey frame: operation byte 1, key id 312 little-endian, one byte asked for.
    EXPECT_TRUE(Got(kPrefix + "getkey\r\n" + Hex("01 38 01 01")));
    EXPECT_EQ(shown_, QStringList({"T_frmPrintTextLabel"}));

    // Paper mode 5 on a model that may not use the CPCL window: the tip instead.
    SimSetKeyValue(printer_, 312, Hex("05"));
    shown_.clear();
    form_->RunFunction("btnPrintText");
    EXPECT_TRUE(shown_.isEmpty());
    ASSERT_FALSE(boxes.calls().empty());
    EXPECT_EQ(boxes.calls().back().flags, unsigned(prt::MB_ICONERROR_));
}

TEST_F(DispatchSim, FirmwareUpdateRoads)
{
    const QString tool = p_.Root() + "fwtool.sh";
    const QString marker = p_.Root() + "fwtool.ran";
    TempProgram::Write(tool, ("#!/bin/sh\ntouch '" + marker + "'\n").toUtf8());
    QFile::setPermissions(tool, QFile::permissions(tool) | QFileDevice::ExeOwner);

    {   // DFU mode by text command, then the tool starts.
        SetFirmwareToolPathForTest(tool);
        Start("F58S");
        MsgBoxRecorder boxes;
        form_->RunFunction("btnDFU");
        EXPECT_TRUE(Got("ZZZDFUMODE\r\n"));
        EXPECT_TRUE(boxes.calls().empty());
        EXPECT_TRUE(WaitFor([&] { return QFile::exists(marker); }));
        form_.reset();
        FinalizeStartup();
        mainwin::ResetMainState();
    }
    {   // A model that asks its update method: the chooser gets the type, Cancel stops.
        SetFirmwareToolPathForTest(tool);
        Set("update_method", "\"dfu\"\r\n");
        Start("V52R");
        QVariant preset;
        onShow_ = [&preset](QWidget* w) {
            preset = w->property("SetSelectedType");
            w->setProperty("OKFlag", 0);
        };
        MsgBoxRecorder boxes;
        form_->RunFunction("btnDFU");
        EXPECT_EQ(shown_, QStringList({"TfrmDownFirmwareSelType"}));
        EXPECT_EQ(preset.toList(), QVariantList({"DFU", true}));
        EXPECT_FALSE(printer_.received().contains(Hex("1D 75 55 AA")));
        // OK goes on: the V52 family's DFU mode bytes.
        onShow_ = [](QWidget* w) { w->setProperty("OKFlag", 1); };
        form_->RunFunction("btnDFU");
        EXPECT_TRUE(Got(Hex("1D 75 55 AA")));
        EXPECT_TRUE(boxes.calls().empty());
        form_.reset();
        FinalizeStartup();
        mainwin::ResetMainState();
    }
}

TEST_F(DispatchSim, FirmwareUpdateWithoutTheToolSendsNothing)
{
    // Each road that ends in the update tool: with the tool missing the printer is not
    // switched to its update mode (nor asked its update method); one plain message.
    const QString tool = p_.Root() + "fwtool.sh";
    TempProgram::Write(tool, "#!/bin/sh\n");
    QFile::setPermissions(tool, QFile::permissions(tool) | QFileDevice::ExeOwner);
    const QString notExecutable = p_.Root() + "fwtool.txt";
    TempProgram::Write(notExecutable, "#!/bin/sh\n");
    const struct {
        const char* model;
        QByteArray modeBytes;
        int asks;  // getval "update_method" before the mode bytes
    } cases[] = {
        {"F58S", "ZZZDFUMODE\r\n", 0},
        {"V52R", Hex("1D 75 55 AA"), 1},
    };
    for (const auto& c : cases) {
        for (const QString& missing : {p_.Root() + "missing-tool", notExecutable}) {
            SCOPED_TRACE(std::string(c.model) + " " + missing.toStdString());
            Set("update_method", "\"dfu\"\r\n");
            Start(c.model);
            onShow_ = [](QWidget* w) { w->setProperty("OKFlag", 1); };
            MsgBoxRecorder boxes;
            SetFirmwareToolPathForTest(missing);
            form_->RunFunction("btnDFU");
            ASSERT_EQ(boxes.calls().size(), 1u);
            EXPECT_EQ(boxes.calls()[0].flags, unsigned(prt::MB_ICONERROR_));
            EXPECT_EQ(boxes.calls()[0].text, prt::LangText(QStringLiteral("FormMain_Label_MSGFwToolMissing")));
            EXPECT_FALSE(boxes.calls()[0].text.isEmpty());
            EXPECT_FALSE(boxes.calls()[0].text.contains(p_.Root())) << "no path of this computer";
            EXPECT_TRUE(shown_.isEmpty()) << "no update-method question either";
            // with the tool in place the same click switches the printer: its bytes are the
            // first and only ones the printer got
            SetFirmwareToolPathForTest(tool);
            form_->RunFunction("btnDFU");
            EXPECT_TRUE(Got(c.modeBytes));
            EXPECT_EQ(printer_.received().count(c.modeBytes), 1);
            EXPECT_EQ(printer_.received().count("\"update_method\""), c.asks);
            form_.reset();
            FinalizeStartup();
            mainwin::ResetMainState();
            shown_.clear();
            onShow_ = {};
        }
    }
}

TEST_F(DispatchSim, WifiAndBulkUpdateWindowsGetTheirHandOver)
{
    Start("V64");
    QVariant mode, bulk;
    onShow_ = [&](QWidget* w) {
        mode = w->property("DfuSetMode");
        bulk = w->property("SetFWAllUpdateForm");
    };
    form_->RunFunction("btnWifiFirewateDownload");
    EXPECT_EQ(mode.toInt(), 1);
    form_->RunFunction("btnFWAllUpdate");
    EXPECT_TRUE(bulk.toBool());
    EXPECT_EQ(shown_, QStringList({"TfrmDFU_W16P", "TForm11"}));
}

TEST_F(DispatchSim, DownloadButtonsChooseTheirWindow)
{
    Start("ZR905K");
    form_->RunFunction("Button2");
    form_.reset();
    FinalizeStartup();
    mainwin::ResetMainState();
    Start("F58S");
    form_->RunFunction("Button2");
    EXPECT_EQ(shown_, QStringList({"TfrmDLFile_ZR", "TfrmDLFile"}));
}
