// The demo: printer-sim started as scripts/demo starts it (--demo), the demo's printer rows
// (the same template the script fills in), and every window the rows' function buttons
// open: each read shows a value, never a failure, in English and in Chinese.
#include "MainFixture.h"

#include "FormMain_Label.h"
#include "FormNet.h"
#include "FormPrinterInformation.h"
#include "FormPrinterStatus.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlFormOpeners.h"
#include "mdlFunctionButtons.h"
#include "mdlKesaVar.h"
#include "mdlLanguage.h"
#include "mdlModuleState.h"
#include "mdlParaSetForm.h"
#include "mdlStartup.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QThread>
#include <gtest/gtest.h>
#include <functional>
#include <iostream>
#include <memory>

using mainwin::TempProgram;

namespace {

void Pump(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

// Functions that need what the demo cannot give (a firmware file, the separate firmware
// tool, other printers on the network) or that only send a command are left out of the
// window check; the command buttons still must not fail.
bool OpensAWindowThatReads(const QString& button)
{
    static const QStringList others = {"btnWifiFirewateDownload", "btnIPMessage"};
    return !others.contains(button);
}

class DemoSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainwin::ResetMainState();
        // As scripts/demo starts it.
        sim_.setProgram(QStringLiteral(PRT_SIM_EXE));
        sim_.setArguments({"--port", "0", "--demo"});
        sim_.start();
        ASSERT_TRUE(sim_.waitForStarted(5000));
        QByteArray out;
        QElapsedTimer t;
        t.start();
        while (!out.contains('\n') && t.elapsed() < 5000) {
            sim_.waitForReadyRead(100);
            out += sim_.readAllStandardOutput();
        }
        ASSERT_TRUE(out.startsWith("port ")) << out.constData();
        port_ = out.mid(5, out.indexOf('\n') - 5).trimmed().toInt();
        ASSERT_GT(port_, 0);
        // The rows exactly as the script writes them.
        QFile rows(QStringLiteral(PRT_DEMO_ROWS));
        ASSERT_TRUE(rows.open(QIODevice::ReadOnly));
        QByteArray list = rows.readAll();
        list.replace("@PORT@", QByteArray::number(port_));
        list.replace("\n", "\r\n");
        TempProgram::Write(p_.ListPath(), list);
        rowCount_ = int(list.count("\r\n"));
    }
    void TearDown() override
    {
        SetFormShowHook({});
        form_.reset();
        FinalizeStartup();
        mainwin::ResetMainState();
        sim_.terminate();
        sim_.waitForFinished(3000);
    }
    void Start(const QStringList& args)
    {
        SetProgramArgs(args);
        InitStartupModules();
        InitStartupModes();
        CreateGlobalSingletons();
        form_.reset(new T_frmMain_Label());
        form_->show();
    }
    void StopMainWindow()
    {
        form_.reset();
        FinalizeStartup();
        mainwin::ResetMainState();
    }
    QStringList PlacedButtons() const
    {
        QStringList placed;
        for (const QString& name : FunctionButtonNames())
            if (auto* b = form_->findChild<QPushButton*>(name); b && !b->isHidden())
                placed << name;
        return placed;
    }
    QString ReadFailure() const { return prt::LangText(QStringLiteral("_Err_ReadData")); }

    // What a shown window read; failures are added to `faults`.
    void CheckWindow(QWidget* w, const QString& where, QStringList& faults)
    {
        auto fault = [&](const QString& what) { faults << where + ": " + w->objectName() + ": " + what; };
        auto value = [&](const QString& name, const QString& text) {
            if (text.trimmed().isEmpty() || (!ReadFailure().isEmpty() && text.contains(ReadFailure())))
                fault(name + " reads \"" + text + "\"");
        };
        if (auto* info = qobject_cast<T_frmPrinterInformation*>(w)) {
            info->JourneyWaitMs = 100;
            info->show();
            Pump(50);
            if (info->ShowProduceDate())
                value("date", info->lblProduceDateV->text());
            value("length", info->lblPrintLengthV->text());
            value("version", info->lblFirmwareVerV->text());
        } else if (auto* status = qobject_cast<T_frmPrinterStatus*>(w)) {
            status->show();
            Pump(50);
            value("status", status->RichEdit1->toPlainText());
        } else if (auto* net = qobject_cast<TFormNet*>(w)) {
            net->show();
            Pump(50);
            value("dhcp", net->cmbDHCP->currentText());
            for (QLineEdit* const* row : {net->txtIP, net->txtSubnet, net->txtGateway})
                for (int i = 0; i < 4; ++i)
                    value(row[i]->objectName(), row[i]->text());
        } else if (auto* adv = qobject_cast<TfrmAdvancedSettings*>(w)) {
            adv->show();
            Pump(50);
            if (adv->btnEthernetSetting && !adv->btnEthernetSetting->isHidden())
                adv->btnEthernetSetting->click();  // opens the Ethernet window: checked above
        } else if (auto* para = qobject_cast<TParaSetForm*>(w)) {
            para->show();
            para->RunRead();
            Pump(50);
            if (para->ReadState() != TParaSetForm::TReadState::Good)
                fault("the parameter read failed");
            // The demo's block means 25 mm (200 dots at 134-135 in layout A).
            if (auto* min = para->findChild<QLineEdit*>(QStringLiteral("txtLabelMinLength")))
                if (min->text() != QLatin1String("25"))
                    fault("minimum label length " + min->text());
        } else {
            w->show();
            Pump(300);  // windows that read on show (key-frame and text forms, downloads)
        }
        shots_ << where + "_" + w->objectName();
        const QString dir = QStringLiteral(PRT_DEMO_TEST_OUT_DIR) + "/pictures";
        QDir().mkpath(dir);
        w->grab().save(dir + "/" + where + "_" + w->objectName() + ".png");
    }

    QProcess sim_;
    int port_ = 0;
    int rowCount_ = 0;
    TempProgram p_;
    std::unique_ptr<T_frmMain_Label> form_;
    QStringList shots_;
};

} // namespace

TEST_F(DemoSim, EveryWindowOfEveryDemoRowReadsRealValues)
{
    ASSERT_EQ(rowCount_, 4);
    for (const QString& lang : {QStringLiteral("-EN"), QStringLiteral("-CN")}) {
        Start({lang});
        ASSERT_EQ(form_->RowCount(), rowCount_);
        ASSERT_FALSE(ReadFailure().isEmpty()) << "the language file is loaded";
        ASSERT_EQ(gLangId, lang == "-CN" ? "2052" : "1033");
        for (int row = 0; row < rowCount_; ++row) {
            form_->SelectRow(row);
            form_->lvPrinterListClick();
            const QString model = form_->SelectedColumnText(0);
            const QString where = lang.mid(1) + "_" + model;
            const QStringList placed = PlacedButtons();
            EXPECT_FALSE(placed.isEmpty()) << where.toStdString();
            for (const QString& button : placed) {
                if (!OpensAWindowThatReads(button))
                    continue;
                SCOPED_TRACE((where + " " + button).toStdString());
                QStringList faults;
                QStringList opened;
                SetFormShowHook([&](QWidget* w) {
                    opened << w->objectName();
                    CheckWindow(w, where, faults);
                    w->close();
                });
                prt::test::MsgBoxRecorder boxes;
                form_->RunFunction(button);
                SetFormShowHook({});
                for (const prt::MsgBoxCall& c : boxes.calls())
                    if ((c.flags & prt::MB_ICONERROR_) == prt::MB_ICONERROR_)
                        faults << "error box: " + c.text;
                EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
                static const QStringList windowButtons = {"btnPrinterInformation", "btnPrintText",
                                                          "btnParameterSetting",   "Button1",
                                                          "Button2",               "Button3",
                                                          "Button4",               "btnAdvancedSettings",
                                                          "btnCommandTest",        "btnScanTest"};
                if (windowButtons.contains(button)) {
                    EXPECT_FALSE(opened.isEmpty()) << "no window opened";
                }
                std::cout << where.toStdString() << " " << button.toStdString() << " -> "
                          << opened.join(",").toStdString() << "\n";
            }
        }
        StopMainWindow();
    }
}
