#include "mdlOTA.h"

#include "PrinterCMD.h"
#include "mdlDLProgress.h"
#include "PrtTick.h"
#include "PubBytes.h"
#include "mdlCurrentPrinter.h"
#include "mdlModelCatalog.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterLibApi.h"
#include "mdlPubFunc.h"

namespace prt::dl {

namespace {

std::mutex g_sleeperMutex;
std::function<void(uint32_t)> g_testSleeper;
std::function<uint32_t()> g_testTick;

const QByteArray kOtaCommand = QByteArray("\x1B\x1C\x26\x20\x56\x31\x20", 7) + "do \"ota\"\r\n";

void AppendU32(QByteArray& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += char((v >> (8 * i)) & 0xFF);
}

// True while the text commands go through the global TSPL object and its port is open: a
// second open would drop that connection and make a new one, so a command goes over the
// open one instead.
bool TsplPortOpenNow()
{
    if (SdkLibOfKind(GetPrinterSdkKind()) != prt::sdk::Lib::Tspl)
        return false;
    const prt::sdk::Handle h = TsplGetHandle();
    const PrtSdkApi& api = PrtSdkApiOf(prt::sdk::Lib::Tspl);
    return h != 0 && api.PortIsOpen && api.PortIsOpen(prt::sdk::Lib::Tspl, h) == 1;
}

QString L(std::initializer_list<QString> models)
{
    QString s = QStringLiteral(",");
    for (const QString& m : models)
        s += m + QLatin1Char(',');
    return s;
}

} // namespace

QByteArray BuildOtaPacket(const QByteArray& data, uint32_t offset, uint32_t packageLength)
{
    const qint64 size = data.size();
    const qint64 n = qint64(offset) >= size ? 0 : std::min<qint64>(packageLength, size - offset);
    QByteArray p = kOtaCommand;
    AppendU32(p, offset);
    AppendU32(p, uint32_t(n));
    AppendU32(p, CalcCRC32(data, n ? offset : 0, n));
    p += data.mid(offset, n);
    return p;
}

bool IsOtaAckGood(const QByteArray& ack)
{
    return ack.size() == 8 && ack.startsWith(QByteArray("\x1B\x1C\x26", 3)) && ack.at(7) == 0;
}

int OtaPacketCount(qint64 size, uint32_t packageLength)
{
    if (packageLength == 0)
        return 0;
    return static_cast<int>((size + packageLength - 1) / packageLength);
}

uint32_t OtaPackageLength(const QByteArray& reply)
{
    if (reply.size() != 4)
        return 0;
    const auto* p = reinterpret_cast<const uint8_t*>(reply.constData());
    const uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    return v > 0x7FFFFFFFu ? 0 : v;
}

QString OtaWifiModels()
{
    return L({GetModelName_W16P(), GetModelName_W16P_C(), GetModelName_HB25()});
}
QString OtaAirModels()
{
    return L({GetModelName_W16()});
}
QString OtaDirectModels()
{
    return L({GetModelName_HB25(), GetModelName_BTN7(), GetModelName_AK_S770()});
}
QString OtaLongRestartModels()
{
    return L({GetModelName_W16P(), GetModelName_W16P_C()});
}

TOtaSwitch OtaSwitchFor(const QString& model, int wifiMode, bool binType1)
{
    const bool direct = IsModelInCommaList(model, OtaDirectModels());
    if (IsModelInCommaList(model, OtaWifiModels()) && wifiMode == 1)
        return TOtaSwitch::WifiEnterOta;
    if ((binType1 || IsModelInCommaList(model, OtaAirModels())) && !direct)
        return TOtaSwitch::EnterOta;
    if (!direct)
        return TOtaSwitch::RawBytes;
    return TOtaSwitch::None;
}

// ---- the printer link ------------------------------------------------------------------------

int TOtaGlobalLink::OpenPort()
{
    EnsureTsplPrinterObject();
    return TsplOpenPort(GetCurrentPortString());
}
void TOtaGlobalLink::ClosePort()
{
    TsplClosePort();
}
void TOtaGlobalLink::DoLeaveOpen(const QByteArray& key)
{
    if (TsplPortOpenNow()) {
        CmdDoEx(key, false);
        return;
    }
    EnsureTsplPrinterObject();
    CmdDoLeaveOpen(key);
}
void TOtaGlobalLink::DoOnOpenPort(const QByteArray& key)
{
    CmdDoEx(key, false);
}
int TOtaGlobalLink::Write(const QByteArray& bytes)
{
    return TsplWriteData(bytes);
}
QByteArray TOtaGlobalLink::GetValBytes(const QByteArray& key, uint32_t n)
{
    EnsureTsplPrinterObject();
    QByteArray buffer;
    if (!TsplPortOpenNow()) {
        const int32_t got = CmdGetValBytes(key, buffer, n);
        return got > 0 ? buffer.left(got) : QByteArray();
    }
    // the port is open: the getval goes over this connection, then the port is closed and
    // the object freed as after a getval on its own open
    const QByteArray cmd = BuildGetValCommand(key);
    if (cmd.isEmpty())
        return {};
    TsplDiscardInput();
    TsplWriteData(cmd);
    prt::SleepMs(50);
    buffer.resize(n, '\0');
    uint32_t count = 0;
    TsplReadData(reinterpret_cast<uint8_t*>(buffer.data()), n, &count);
    CmdClosePort();
    return buffer.left(std::min(count, n));
}
int TOtaGlobalLink::ReadRetry(uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t waitMs, int tries)
{
    return TsplReadDataRetry(buffer, length, count, waitMs, tries);
}
uint32_t TOtaGlobalLink::Tick()
{
    std::function<uint32_t()> test;
    {
        std::lock_guard lock(g_sleeperMutex);
        test = g_testTick;
    }
    return test ? test() : GetTickCountMs();
}

// ---- the transfer ----------------------------------------------------------------------------

TOtaOutcome RunOtaTransfer(TOtaLink& link, const QByteArray& data, TOtaSwitch how, bool longRestart,
                           const TOtaHooks& hooks)
{
    TOtaOutcome out;
    auto sleep = [&](uint32_t ms) {
        if (hooks.sleep)
            hooks.sleep(ms);
    };
    auto stopped = [&] { return hooks.stop && hooks.stop->load(); };
    auto fail = [&](TOtaResult r) {
        out.result = stopped() ? TOtaResult::Cancelled : r;
        return out;
    };
    const int opened = link.OpenPort();
    if (opened != 0 && opened != 5) {
        out.openCode = opened;
        return fail(TOtaResult::OpenFailed);
    }
    switch (how) {
    case TOtaSwitch::WifiEnterOta:
        link.DoLeaveOpen(QByteArrayLiteral("\"wifi_enter_ota\""));
        break;
    case TOtaSwitch::EnterOta: {
        link.DoOnOpenPort(QByteArrayLiteral("\"enter_ota\""));
        // the printer restarts its link: reconnect for at most 15 s
        const uint32_t start = link.Tick();
        int r = -1;
        for (;;) {
            sleep(1000);
            if (stopped())
                return fail(TOtaResult::Cancelled);
            link.ClosePort();
            r = link.OpenPort();
            if (r == 0 || r == 5)
                break;
            if (link.Tick() - start > 15000)
                break;
        }
        if (r != 0 && r != 5)
            return fail(TOtaResult::IoError);
        break;
    }
    case TOtaSwitch::RawBytes: {
        if (link.Write(QByteArray("\x1D\x75\x55\xAA", 4)) != 0)
            return fail(TOtaResult::IoError);
        sleep(longRestart ? 10000 : 5000);
        if (stopped())
            return fail(TOtaResult::Cancelled);
        const int r = link.OpenPort();
        if (r != 0 && r != 5)
            return fail(TOtaResult::IoError);
        break;
    }
    case TOtaSwitch::None:
        break;
    }
    if (stopped())
        return fail(TOtaResult::Cancelled);
    const uint32_t packageLength = OtaPackageLength(link.GetValBytes(QByteArrayLiteral("\"pack_length\""), 4));
    out.packageLength = packageLength;
    if (packageLength == 0)
        return fail(TOtaResult::IoError);
    {
        const int r = link.OpenPort();
        if (r != 0 && r != 5)
            return fail(TOtaResult::IoError);
    }
    const qint64 size = data.size();
    const int count = OtaPacketCount(size, packageLength);
    const int kbTotal = static_cast<int>((size + 1023) / 1024);
    if (hooks.started)
        hooks.started(count);
    int index = 0, kbSent = 0;
    qint64 offset = 0;
    // an empty file still sends one packet of length 0
    do {
        sleep(10);  // the step interval
        if (stopped())
            return fail(TOtaResult::Cancelled);
        const qint64 n = std::min<qint64>(size - offset, packageLength);
        kbSent += static_cast<int>((std::max<qint64>(n, 0) + 1023) / 1024);
        if (link.Write(BuildOtaPacket(data, uint32_t(offset), packageLength)) != 0)
            return fail(TOtaResult::IoError);
        offset += packageLength;
        ++index;
        if (hooks.progress)
            hooks.progress(index, count, kbSent, kbTotal);
        sleep(10);
        QByteArray ack;
        if (index == count) {
            // the last packet: the printer checks the whole image first
            for (int attempt = 0; attempt < 30 && ack.size() < 8; ++attempt) {
                uint8_t buf[8] = {};
                uint32_t got = 0;
                link.ReadRetry(buf, uint32_t(8 - ack.size()), &got, 150, 5);
                ack.append(reinterpret_cast<const char*>(buf), std::min<uint32_t>(got, uint32_t(8 - ack.size())));
                if (ack.size() < 8) {
                    if (stopped())
                        return fail(TOtaResult::Cancelled);
                    sleep(500);
                }
            }
        } else {
            uint8_t buf[8] = {};
            uint32_t got = 0;
            link.ReadRetry(buf, 8, &got, 150, 5);  // a failed read counts as no data
            ack = QByteArray(reinterpret_cast<const char*>(buf), std::min<uint32_t>(got, 8));
        }
        if (!IsOtaAckGood(ack))
            return fail(TOtaResult::IoError);
        out.packets = index;
    } while (index < count);
    link.ClosePort();
    out.result = TOtaResult::Success;
    return out;
}

// ---- TOtaSender ------------------------------------------------------------------------------

TOtaSender::TOtaSender(QObject* parent, std::shared_ptr<TOtaLink> link)
    : QThread(parent), link_(link ? std::move(link) : std::make_shared<TOtaGlobalLink>())
{
}

TOtaSender::~TOtaSender()
{
    CancelAndWait();
}

bool TOtaSender::Start(const QByteArray& data, TOtaSwitch how, bool longRestart)
{
    if (isRunning())
        return false;
    wait();
    data_ = data;
    how_ = how;
    longRestart_ = longRestart;
    stop_.store(false);
    outcome_ = {};
    start();
    return true;
}

void TOtaSender::Cancel()
{
    {
        std::lock_guard lock(mutex_);
        stop_.store(true);
    }
    cv_.notify_all();
}

void TOtaSender::CancelAndWait()
{
    Cancel();
    wait();
}

void TOtaSender::Wait(uint32_t ms)
{
    std::function<void(uint32_t)> test;
    {
        std::lock_guard lock(g_sleeperMutex);
        test = g_testSleeper;
    }
    if (test) {
        test(ms);
        return;
    }
    std::unique_lock lock(mutex_);
    cv_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop_.load(); });
}

void TOtaSender::run()
{
    TOtaHooks hooks;
    hooks.sleep = [this](uint32_t ms) { Wait(ms); };
    hooks.stop = &stop_;
    // the window shows the progress in steps of a percent, not per packet
    TProgressPost<int, int, int, int> shown(0, [this](int index, int count, int kbSent, int kbTotal) {
        emit progress(index, count, kbSent, kbTotal);
    });
    hooks.started = [&](int count) {
        shown.Restart(count);
        emit started(count);
    };
    hooks.progress = [&](int index, int count, int kbSent, int kbTotal) {
        shown.Report(index, index, count, kbSent, kbTotal);
    };
    outcome_ = RunOtaTransfer(*link_, data_, how_, longRestart_, hooks);
    shown.Flush();
    emit ended(static_cast<int>(outcome_.result), outcome_.openCode);
}

void SetOtaSleeperForTests(std::function<void(uint32_t ms)> sleeper)
{
    std::lock_guard lock(g_sleeperMutex);
    g_testSleeper = std::move(sleeper);
}

void SetOtaTickForTests(std::function<uint32_t()> tick)
{
    std::lock_guard lock(g_sleeperMutex);
    g_testTick = std::move(tick);
}

} // namespace prt::dl
