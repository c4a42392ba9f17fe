#include "FakeEngine.h"

#include "PrinterCMD.h"
#include "PrtTick.h"
#include "mdlPrinterLib.h"

#include <algorithm>
#include <cstring>

using prt::sdk::Handle;
using prt::sdk::Lib;

namespace linktest {

FakeEngine& Fake()
{
    static FakeEngine f;
    return f;
}

int FakeEngine::count(const std::string& fn) const
{
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const FakeCall& c) { return c.fn == fn; }));
}

int FakeEngine::count(const std::string& fn, Lib lib) const
{
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [&](const FakeCall& c) { return c.fn == fn && c.lib == lib; }));
}

QByteArray FakeEngine::written() const
{
    QByteArray all;
    for (const auto& c : calls)
        if (c.fn == "WriteData")
            all += c.data;
    return all;
}

std::vector<QByteArray> FakeEngine::writes() const
{
    std::vector<QByteArray> w;
    for (const auto& c : calls)
        if (c.fn == "WriteData")
            w.push_back(c.data);
    return w;
}

const FakeCall* FakeEngine::last(const std::string& fn) const
{
    for (auto it = calls.rbegin(); it != calls.rend(); ++it)
        if (it->fn == fn)
            return &*it;
    return nullptr;
}

namespace {

QString Text(const char16_t* s)
{
    return s ? QString::fromUtf16(s) : QString();
}

void Log(Lib lib, const char* fn, Handle h, QByteArray data = {}, QString text = {})
{
    Fake().calls.push_back({lib, fn, h, std::move(data), std::move(text)});
}

int Creator(Lib lib, Handle* h, const char16_t* model)
{
    Log(lib, "PrinterCreator", 0, {}, Text(model));
    *h = Fake().createCode == 0 ? Fake().nextHandle++ : 0;
    return Fake().createCode;
}

int Destroy(Lib lib, Handle* h)
{
    Log(lib, "PrinterDestroy", *h);
    *h = 0;
    return 0;
}

int Open(Lib lib, Handle h, const char16_t* port)
{
    Log(lib, "PortOpen", h, {}, Text(port));
    if (h == 0)
        return prt::sdk::PRT_E_NO_OBJECT;
    if (Fake().openCodes.empty())
        return 0;
    const int c = Fake().openCodes.front();
    Fake().openCodes.pop_front();
    return c;
}

int Close(Lib lib, Handle h)
{
    Log(lib, "PortClose", h);
    return 0;
}

int Write(Lib lib, Handle h, const uint8_t* data, uint32_t length)
{
    Log(lib, "WriteData", h, QByteArray(reinterpret_cast<const char*>(data), length));
    if (Fake().writeCodes.empty())
        return 0;
    const int c = Fake().writeCodes.front();
    Fake().writeCodes.pop_front();
    return c;
}

int ReadImpl(uint8_t* buffer, uint32_t length, uint32_t* count)
{
    *count = 0;
    if (Fake().endlessReads) {
        if (length > 0) {
            buffer[0] = 'z';
            *count = 1;
        }
        return 0;
    }
    if (Fake().reads.empty())
        return 0;
    ReadStep step = Fake().reads.front();
    Fake().reads.pop_front();
    const uint32_t n = std::min<uint32_t>(length, static_cast<uint32_t>(step.bytes.size()));
    std::memcpy(buffer, step.bytes.constData(), n);
    *count = n;
    return step.code;
}

int Read(Lib lib, Handle h, uint8_t* buffer, uint32_t length, uint32_t* count)
{
    Log(lib, "ReadData", h, QByteArray::number(length));
    return ReadImpl(buffer, length, count);
}

int ReadEof(Lib lib, Handle h, uint8_t* buffer, uint32_t, uint32_t maxLength, uint8_t, uint8_t, uint32_t* count)
{
    Log(lib, "ReadDataEOF", h, QByteArray::number(maxLength));
    return ReadImpl(buffer, maxLength, count);
}

int VidPid(char* buf)
{
    Log(Lib::Tspl, "GetVidPid", 0);
    std::memset(buf, 0, 64);
    std::memcpy(buf, Fake().vidPid.constData(), std::min<qsizetype>(Fake().vidPid.size(), 64));
    return Fake().vidPidCode;
}

int GetSN(Handle h, char* buf)
{
    Log(Lib::Tspl, "TSPL_GetSN", h);
    std::strcpy(buf, "SN123");
    return 0;
}

const PrtSdkApi kFake = {&Creator, &Destroy, &Open, &Close, &Write, &Read, &ReadEof, &VidPid, &GetSN,
                         nullptr, nullptr};

void CountSleep(uint32_t ms)
{
    Fake().sleeps.push_back(ms);
}

void ResetLinkState()
{
    TsplDestroyGlobalPrinter();
    CpclDestroyPrinter();
    EscDestroyPrinter();
    SetCmdOpenedFlag(0);
    SetCmdLastResult(0);
    SetPrinterSdkKind(1);
    SetCurrentPortString(QStringLiteral("USB"));
}

} // namespace

FakeEngineScope::FakeEngineScope()
{
    for (Lib lib : {Lib::Tspl, Lib::Cpcl, Lib::Esc})
        SetPrtSdkApi(lib, &kFake);
    prt::SetSleepHook(&CountSleep);
    ResetLinkState();
    Fake() = FakeEngine{};
}

FakeEngineScope::~FakeEngineScope()
{
    ResetLinkState();
    for (Lib lib : {Lib::Tspl, Lib::Cpcl, Lib::Esc})
        SetPrtSdkApi(lib, nullptr);
    prt::SetSleepHook(nullptr);
    Fake() = FakeEngine{};
}

QByteArray HexBytes(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

std::string HexOf(const QByteArray& bytes)
{
    return bytes.toHex(' ').toUpper().toStdString();
}

} // namespace linktest
