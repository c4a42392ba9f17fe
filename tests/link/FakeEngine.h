#pragma once
// A counting stand-in for the printer engine behind the link's function tables, plus a
// sleep counter. One FakeEngineScope per test: it installs the fake for all three
// libraries, resets the link's module state and restores everything on exit.
#include "mdlPrinterLibApi.h"

#include <QByteArray>
#include <QString>
#include <deque>
#include <string>
#include <vector>

namespace linktest {

struct FakeCall {
    prt::sdk::Lib lib;
    std::string fn;
    prt::sdk::Handle handle = 0;
    QByteArray data;  // written bytes
    QString text;     // port or model
};

struct ReadStep {
    QByteArray bytes;
    int code = 0;
};

struct FakeEngine {
    std::vector<FakeCall> calls;
    std::deque<int> openCodes;   // one per PortOpen; 0 when empty
    std::deque<int> writeCodes;  // one per WriteData; 0 when empty
    std::deque<ReadStep> reads;  // one per ReadData/ReadDataEOF; nothing (code 0) when empty
    bool endlessReads = false;   // every read returns one byte
    int createCode = 0;
    prt::sdk::Handle nextHandle = 100;
    QByteArray vidPid;
    int vidPidCode = 0;
    std::vector<uint32_t> sleeps;

    int count(const std::string& fn) const;
    int count(const std::string& fn, prt::sdk::Lib lib) const;
    QByteArray written() const;  // all bytes written, in order
    std::vector<QByteArray> writes() const;
    const FakeCall* last(const std::string& fn) const;
};

FakeEngine& Fake();

class FakeEngineScope {
public:
    FakeEngineScope();
    ~FakeEngineScope();
    FakeEngineScope(const FakeEngineScope&) = delete;
    FakeEngineScope& operator=(const FakeEngineScope&) = delete;
};

// Bytes of a hex text "1B 1C".
QByteArray HexBytes(const char* text);
std::string HexOf(const QByteArray& bytes);

} // namespace linktest
