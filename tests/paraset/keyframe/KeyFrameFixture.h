#pragma once
// A private program folder with the shipped files, English texts, a simulated printer on
// 127.0.0.1 as the current port, sleeps of the link skipped, and a selected printer, so
// the key-frame forms and the parameter table run end to end against the simulator.
#include "MainFixture.h"
#include "PrinterCMD.h"
#include "PrtTexts.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimTcpServer.h"
#include "TestSupport.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace kftest {

class KfSim : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Selects a printer: listed and current model names, then the per-printer switches.
    void Select(const QString& listed, const QString& cur = QString());
    // From now on a setkey frame of this id fails to go out (the port write reports -15);
    // everything else reaches the simulator. Undone at the end of the test.
    static void FailSetKeyWrites(uint16_t id);
    // Sets one permission item of the selected printer.
    static void SetPermission(const char* itemNo, int value);
    // The key-frame operation byte of the run (1 normal, 0 factory).
    static void SetOpByte(int op);
    // Setkey frames seen so far (op, id, value).
    std::vector<prt::sim::SimSetKeyFrame> SetKeys()
    {
        Settle();
        return prt::sim::SimSetKeyLog(printer);
    }
    // Waits (briefly) until the simulator has taken everything sent so far: its thread
    // handles the bytes after the form's call has returned.
    void Settle();
    QByteArray Received()
    {
        Settle();
        return printer.received();
    }
    // Ids asked with getkey, in order, and the op byte of each (from the received bytes).
    std::vector<std::pair<uint8_t, uint16_t>> GetKeys() const;
    // The do commands seen (text after "do ").
    std::vector<QByteArray> Dos()
    {
        Settle();
        return prt::sim::SimDoLog(printer);
    }
    void Key(uint16_t id, const QByteArray& value) { prt::sim::SimSetKeyValue(printer, id, value); }
    // After the simulator dropped a link: true once it takes connections again.
    bool WaitListening();

    std::unique_ptr<mainwin::TempProgram> tree;
    prt::sim::SimPrinter printer;
    std::unique_ptr<prt::sim::SimTcpServer> server;
    QString port;
};

// The 19-byte getkey / 19+n setkey frame as hex text (for golden comparisons).
std::string FrameHex(const QByteArray& bytes);
// Every complete setkey frame in the received bytes, whole (prefix included).
std::vector<QByteArray> SetKeyFrames(const QByteArray& received);

} // namespace kftest
