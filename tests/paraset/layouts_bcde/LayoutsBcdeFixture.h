#pragma once
// A parameter form against the printer simulator over loopback: a private program tree
// with the shipped files, the Label configuration and English texts loaded, the selected
// printer's names and port, message boxes recorded, and the link's sleeps shortened.
#include "MainFixture.h"
#include "SimBlockLayouts.h"
#include "SimDefaults.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimTcpServer.h"
#include "PrtTick.h"
#include "TestSupport.h"
#include "mdlParaSetForm.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace paraforms2 {

// Block bytes as a QByteArray.
QByteArray BlockBytes(const TParamBlock& block);
// Positions where two 256-byte blocks differ (bytes 254/255, the sum, left out).
std::map<int, int> Diff(const QByteArray& before, const QByteArray& after);

class FormSim : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The selected printer: listed (default) and current (base) model names.
    void Select(const QString& defName, const QString& basName = QString());
    // Writes a [ParameterSet] key of the program's printer-type list and reloads the keys.
    void SetTypeListKey(const QString& key, const QString& value);
    // The printer's stored block.
    void SetBlock(const QByteArray& block) { prt::sim::SimSetBlock(printer, block); }

    // Opens the form through the opener table; `drive` runs with the shown form after its
    // read (the read runs first). Returns false when the class is not in the table.
    bool Open(const QString& className, const std::function<void(TParaSetForm*)>& drive);
    // Opens, lets `edit` change controls, presses Set and returns the blocks written.
    std::vector<QByteArray> SetWith(const QString& className, const std::function<void(TParaSetForm*)>& edit = {});
    // Blocks written so far (waits briefly for the simulator's thread to see `count`).
    std::vector<QByteArray> Writes(size_t count);
    // True once the simulator received the bytes.
    bool Received(const QByteArray& bytes);
    // True once the simulator received the bytes `times` times (not more).
    bool ReceivedTimes(const QByteArray& bytes, int times);

    mainwin::TempProgram program;
    prt::sim::SimPrinter printer;
    std::unique_ptr<prt::sim::SimTcpServer> server;
    std::unique_ptr<prt::test::MsgBoxRecorder> boxes;
    QString port;
    prt::SleepHook oldSleep = nullptr;
};

// Message texts of the recorded boxes.
QStringList BoxTexts(const prt::test::MsgBoxRecorder& boxes);

} // namespace paraforms2
