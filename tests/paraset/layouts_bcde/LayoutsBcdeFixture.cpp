#include "LayoutsBcdeFixture.h"

#include "PrtIni.h"
#include "PrtTick.h"
#include "mdlCurrentPrinter.h"
#include "mdlFormOpeners.h"
#include "mdlLanguage.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterLib_CPCL.h"
#include "mdlPrinterLib_ESC.h"
#include "mdlPrinterLib_TSPL.h"
#include "mdlPrinterTypeList.h"

#include <QApplication>
#include <QThread>

namespace paraforms2 {

namespace {

// The link's waits are cut short: the simulator answers at once over loopback, and the
// engine's reads wait their own grace time for the first byte.
void ShortSleep(uint32_t ms)
{
    QThread::msleep(ms > 10 ? 10 : ms);
}

using prt::test::WaitFor;

} // namespace

QByteArray BlockBytes(const TParamBlock& block)
{
    return QByteArray(reinterpret_cast<const char*>(block.data()), 256);
}

std::map<int, int> Diff(const QByteArray& before, const QByteArray& after)
{
    std::map<int, int> d;
    for (int i = 0; i < 254; ++i)
        if (before.at(i) != after.at(i))
            d[i] = static_cast<uint8_t>(after.at(i));
    return d;
}

QStringList BoxTexts(const prt::test::MsgBoxRecorder& boxes)
{
    QStringList texts;
    for (const prt::MsgBoxCall& c : boxes.calls())
        texts << c.text;
    return texts;
}

void FormSim::SetUp()
{
    mainwin::ResetMainState();
    SetLabelConfigFileNames();
    gLangFileName = QStringLiteral("UtilityForLabelLanguage.ini");
    gLangId = QStringLiteral("1033");
    LoadParameterSetKeys();
    LoadMessageTexts();
    prt::sim::AddStandardHandlers(printer);
    server = std::make_unique<prt::sim::SimTcpServer>(printer);
    ASSERT_TRUE(server->ok());
    port = server->portString();
    SetCurrentPortString(port);
    SetPrinterSdkKind(1);
    SetCurrentProtocolNo(1);
    boxes = std::make_unique<prt::test::MsgBoxRecorder>();
    oldSleep = prt::SetSleepHook(&ShortSleep);
}

void FormSim::TearDown()
{
    SetFormShowHook({});
    prt::SetSleepHook(oldSleep);
    TsplDestroyGlobalPrinter();
    CpclDestroyPrinter();
    EscDestroyPrinter();
    boxes.reset();
    server->stop();
    mainwin::ResetMainState();
}

void FormSim::Select(const QString& defName, const QString& basName)
{
    SetCurrentPrinterNames(defName, basName.isEmpty() ? defName : basName);
}

void FormSim::SetTypeListKey(const QString& key, const QString& value)
{
    ASSERT_TRUE(prt::IniWriteString(program.FilesDir() + gPrinterTypeListFileName, "ParameterSet", key, value));
    prt::IniClearCache();
    LoadParameterSetKeys();
}

bool FormSim::Open(const QString& className, const std::function<void(TParaSetForm*)>& drive)
{
    bool driven = false;
    SetFormShowHook([&](QWidget* w) {
        auto* form = qobject_cast<TParaSetForm*>(w);
        ASSERT_NE(form, nullptr) << className.toStdString();
        form->show();
        form->RunRead();
        QApplication::processEvents();
        if (drive)
            drive(form);
        driven = true;
    });
    const bool shown = ShowFormModal(className);
    SetFormShowHook({});
    return shown && driven;
}

std::vector<QByteArray> FormSim::SetWith(const QString& className, const std::function<void(TParaSetForm*)>& edit)
{
    const size_t before = prt::sim::SimBlockWrites(printer).size();
    EXPECT_TRUE(Open(className, [&](TParaSetForm* form) {
        EXPECT_EQ(form->ReadState(), TParaSetForm::TReadState::Good) << className.toStdString();
        if (edit)
            edit(form);
        form->btnSetClick();
    }));
    return Writes(before + 1);
}

std::vector<QByteArray> FormSim::Writes(size_t count)
{
    WaitFor([&] { return prt::sim::SimBlockWrites(printer).size() >= count; });
    return prt::sim::SimBlockWrites(printer);
}

bool FormSim::Received(const QByteArray& bytes)
{
    return WaitFor([&] { return printer.received().contains(bytes); });
}

} // namespace paraforms2

namespace paraforms2 {

bool FormSim::ReceivedTimes(const QByteArray& bytes, int times)
{
    WaitFor([&] { return printer.received().count(bytes) >= times; });
    return printer.received().count(bytes) == times;
}

} // namespace paraforms2
