#pragma once
// A parameter form against the printer simulator on 127.0.0.1: the current port points at
// the simulator, the TSPL printer object exists, the message texts are short known words,
// sleeps of the link are cut to a tenth, and every message box is recorded.
#include "PrtTexts.h"
#include "PrtTick.h"
#include "SimDefaults.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimTcpServer.h"
#include "TestSupport.h"
#include "mdlCurrentPrinter.h"
#include "mdlParaSetForm.h"
#include "mdlPrinterLib.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

namespace paratest {

inline void ShortSleep(uint32_t ms)
{
    QThread::msleep(ms / 10);
}

inline QByteArray Bytes(const TParamBlock& b)
{
    return QByteArray(reinterpret_cast<const char*>(b.data()), 256);
}

// Processes events until pred() holds or about three seconds passed.
template <typename Pred>
bool Pump(Pred pred, int ms = 3000)
{
    QElapsedTimer t;
    t.start();
    while (!pred()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

class SimForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        prt::sim::AddStandardHandlers(printer);
        server = std::make_unique<prt::sim::SimTcpServer>(printer);
        ASSERT_TRUE(server->ok());
        port = QStringLiteral("NET,127.0.0.1:%1").arg(server->port());
        SetCurrentPortString(port);
        SetPrinterSdkKind(1);
        oldSleep = prt::SetSleepHook(&ShortSleep);
        for (const char* key : {"_Err_OpenPort", "_Err_WriteData", "_Err_ReadData", "_Err_CheckSum", "_MSG_Title_Error",
                                "_MSG_Title_Message", "_ParaSet_OK", "_Err_ParaSet", "_ParaSet_Fail", "_ParaSet", "_Set", "_Close",
                                "_Disable", "_Enable", "_Support", "_UnSupport", "_PaperType_Receipt",
                                "_PaperType_Label", "_PaperType_BlackMark", "_Err_BTPWD_Len", "_BTName", "_BTPWD",
                                "_BTSet", "_PrintType1", "_PrintType2"})
            prt::SetLangText(QLatin1String(key), QLatin1String(key));
        prt::SetLangText(QStringLiteral("Lang_All_00010021_11"), QStringLiteral("{0} must be between {1} and {2}."));
        NotePrinterObjectModel(QStringLiteral("SIM"));
        ASSERT_EQ(TsplCreateGlobalPrinter(QStringLiteral("SIM")), 0);
    }
    void TearDown() override
    {
        TsplDestroyGlobalPrinter();
        CpclDestroyPrinter();
        EscDestroyPrinter();
        SetCurrentPortString(QStringLiteral("USB"));
        SetPrinterSdkKind(0);
        prt::SetSleepHook(oldSleep);
        prt::ClearLangTexts();
        ClearCurrentPrinterNames();
        server->stop();
    }

    // Shows the form and waits for its read; false when the read did not finish.
    bool ShowAndRead(TParaSetForm* form)
    {
        form->show();
        return Pump([&] { return form->ReadState() != TParaSetForm::TReadState::NotStarted; });
    }
    // The blocks the simulator stored, waiting briefly for the first one.
    std::vector<QByteArray> Writes(size_t atLeast = 1)
    {
        Pump([&] { return prt::sim::SimBlockWrites(printer).size() >= atLeast; }, 1500);
        return prt::sim::SimBlockWrites(printer);
    }
    // Saves a picture of the form under the build folder for review.
    static void SavePicture(QWidget* form, const QString& name)
    {
        const QString dir = QStringLiteral(PRT_PARASET_TEST_OUT_DIR) + QStringLiteral("/pictures");
        QDir().mkpath(dir);
        form->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    }

    prt::sim::SimPrinter printer;
    std::unique_ptr<prt::sim::SimTcpServer> server;
    QString port;
    prt::test::MsgBoxRecorder boxes;
    prt::SleepHook oldSleep = nullptr;
};

} // namespace paratest
