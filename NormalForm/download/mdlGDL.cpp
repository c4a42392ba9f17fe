#include "mdlGDL.h"

#include "PrtTexts.h"
#include "mdlDLCommon.h"
#include "mdlDLProgress.h"
#include "PubBytes.h"
#include "mdlGlobalVar.h"
#include "mdlPubFunc.h"

#include <QElapsedTimer>
#include <QFileInfo>

namespace prt::dl {

namespace {

std::mutex g_sleeperMutex;
std::function<void(uint32_t)> g_testSleeper;

bool HasTestSleeper()
{
    std::lock_guard lock(g_sleeperMutex);
    return bool(g_testSleeper);
}

uint32_t U32At(const QByteArray& data, qint64 at)
{
    const auto* p = reinterpret_cast<const uint8_t*>(data.constData()) + at;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

TGDLFile ParseGDL(const QByteArray& data)
{
    TGDLFile f;
    f.data = data;
    const qint64 size = data.size();
    if (size < kGDLHeaderSize) {
        f.fault = TGDLFault::TooShort;
        f.faultBlock = 1;
        return f;
    }
    qint64 offset = 0;
    while (offset < size) {
        const int number = static_cast<int>(f.blocks.size()) + 1;
        if (size - offset < kGDLHeaderSize) {
            f.fault = TGDLFault::CutHeader;
            f.faultBlock = number;
            f.faultOffset = offset;
            break;
        }
        TGDLBlock b;
        b.offset = offset;
        b.bodyLength = U32At(data, offset + 4);
        b.type = static_cast<uint8_t>(data.at(offset + 8));
        BytesRangeToStr(data, offset + 12, 32, b.fileName);
        BytesRangeToStr(data, offset + 44, 32, b.version);
        const qint64 bodyStart = offset + kGDLHeaderSize;
        if (qint64(b.bodyLength) > size - bodyStart) {
            f.fault = TGDLFault::CutBody;
            f.faultBlock = number;
            f.faultOffset = offset;
            f.blocks.push_back(b);
            break;
        }
        f.totalPackets += 1 + (qint64(b.bodyLength) + kGDLChunkSize - 1) / kGDLChunkSize;
        f.blocks.push_back(b);
        offset = bodyStart + b.bodyLength;
    }
    if (!f.Ok())
        f.totalPackets = 0;
    return f;
}

QString GDLFaultText(const TGDLFile& file)
{
    switch (file.fault) {
    case TGDLFault::None:
        return {};
    case TGDLFault::TooShort:
        return ReplaceFirst(DLText("FormGDL_ErrFileShort"), "{0}", QString::number(file.data.size()));
    case TGDLFault::CutHeader:
        return ReplaceFirst(ReplaceFirst(DLText("FormGDL_ErrHeaderCut"), "{0}", QString::number(file.faultBlock)), "{1}",
                            QString::number(file.faultOffset));
    case TGDLFault::CutBody: {
        const TGDLBlock& b = file.blocks.back();
        QString t = ReplaceFirst(DLText("FormGDL_ErrBodyCut"), "{0}", QString::number(file.faultBlock));
        t = ReplaceFirst(t, "{1}", QString::number(b.bodyLength));
        return ReplaceFirst(t, "{2}", QString::number(file.data.size() - b.offset - kGDLHeaderSize));
    }
    }
    return {};
}

std::shared_ptr<const TGDLFile> ReadGDLFileOrTell(const QString& path)
{
    QByteArray data;
    if (!DLReadChosenFile(path, data))
        return nullptr;
    auto parsed = std::make_shared<const TGDLFile>(ParseGDL(data));
    if (!parsed->Ok()) {
        DLErrorText(GDLFaultText(*parsed));
        return nullptr;
    }
    return parsed;
}

QString GDLStatusKey(int status)
{
    switch (status) {
    case 1: return QStringLiteral("FormGDL_err_Type");
    case 2: return QStringLiteral("FormGDL_err_Head");
    case 3: return QStringLiteral("FormGDL_err_Crc");
    case 4: return QStringLiteral("FormGDL_err_Storage ");
    case 5: return QStringLiteral("FormGDL_err_StorageCheck");
    case 6: return QStringLiteral("FormGDL_err_Name");
    default: return {};
    }
}

QString GDLStatusText(int status)
{
    // the language file's reader trims keys: "FormGDL_err_Storage " is found without its blank
    const QString key = GDLStatusKey(status).trimmed();
    return key.isEmpty() ? QString() : prt::LangText(key);
}

TGDLOutcome RunGDLExchange(TDLPort& port, const TGDLFile& file, const TGDLRunHooks& hooks)
{
    TGDLOutcome out;
    auto stopped = [&] { return hooks.stop && hooks.stop->load(); };
    auto sleep = [&](uint32_t ms) {
        if (hooks.sleep)
            hooks.sleep(ms);
    };
    const QByteArray& data = file.data;
    const qint64 size = data.size();
    qint64 position = 0, bodyEnd = 0, sent = 0, chunks = 0;
    bool headerPhase = true;
    int block = -1;
    while (position < size) {
        if (hooks.stepMs > 0)
            sleep(hooks.stepMs);  // the step interval
        if (stopped()) {
            out.result = TGDLResult::Cancelled;
            out.block = block;
            return out;
        }
        if (headerPhase) {
            if (size - position < kGDLHeaderSize)
                break;  // a checked file never gets here
            const QByteArray header = data.mid(position, kGDLHeaderSize);
            ++block;
            out.block = block;
            const qint64 bodyLength = U32At(header, 4);
            position += kGDLHeaderSize;
            bodyEnd = std::min(position + bodyLength, size);
            headerPhase = false;
            if (port.Write(header) != 0) {
                out.result = TGDLResult::WriteFailed;
                return out;
            }
            sleep(100);
            uint8_t status = 0;
            uint32_t count = 0;
            port.ReadRetry(&status, 1, &count, hooks.headerRetryMs, std::max(1, hooks.headerReadTries));
            if (count == 0) {
                out.result = TGDLResult::NoHeaderStatus;
                return out;
            }
            if (status != 0) {
                out.result = TGDLResult::HeaderRefused;
                out.status = status;
                return out;
            }
            ++sent;
            if (hooks.progress)
                hooks.progress(sent);
            if (hooks.chunkProgress)
                hooks.chunkProgress(chunks);
            continue;
        }
        if (bodyEnd <= position) {
            headerPhase = true;  // this step sends nothing
            continue;
        }
        const qint64 chunk = std::min<qint64>(kGDLChunkSize, bodyEnd - position);
        if (port.Write(data.mid(position, chunk)) != 0) {
            out.result = TGDLResult::WriteFailed;
            return out;
        }
        position += chunk;
        ++sent;
        ++chunks;
        if (hooks.progress)
            hooks.progress(sent);
        if (hooks.chunkProgress)
            hooks.chunkProgress(chunks);
    }
    if (hooks.stepMs > 0)
        sleep(hooks.stepMs);
    if (hooks.endPhase)
        hooks.endPhase();
    for (int read = 1; read <= kGDLFinalReads; ++read) {
        if (stopped()) {
            out.result = TGDLResult::Cancelled;
            return out;
        }
        uint8_t status = 0;
        uint32_t count = 0;
        if (hooks.readWithin)
            hooks.readWithin(&status, 1, &count, kGDLFinalReadMs);
        else
            port.Read(&status, 1, &count);
        if (count > 0) {
            out.finalReads = read;
            out.status = status;
            if (status != 0)
                out.result = TGDLResult::FinalRefused;
            else
                out.result = read <= kGDLFinalReadsInTime ? TGDLResult::Success : TGDLResult::FinalTooLate;
            return out;
        }
        if (!hooks.readWithin)
            sleep(kGDLFinalReadMs);
    }
    out.finalReads = kGDLFinalReads;
    out.result = stopped() ? TGDLResult::Cancelled : TGDLResult::NoFinalStatus;
    return out;
}

int GDLReadWithin(TDLPort& port, uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t ms,
                  const std::function<void(uint32_t ms)>& pause, const std::atomic<bool>* stop)
{
    QElapsedTimer clock;
    clock.start();
    uint32_t got = 0;
    int code = 0;
    for (;;) {
        got = 0;
        code = port.Read(buffer, length, &got);  // the link waits a moment for a first byte
        if (got > 0 || (stop && stop->load()))
            break;
        const qint64 spent = clock.elapsed();
        if (spent >= qint64(ms))
            break;
        if (pause)
            pause(static_cast<uint32_t>(std::min<qint64>(10, qint64(ms) - spent)));
    }
    if (count)
        *count = got;
    return code;
}

// ---- TGDLSender -----------------------------------------------------------------------------

TGDLSender::TGDLSender(QObject* parent, std::shared_ptr<TDLPort> port)
    : QThread(parent), port_(port ? std::move(port) : std::make_shared<TDLLinkPort>())
{
}

TGDLSender::~TGDLSender()
{
    CancelAndWait();
}

bool TGDLSender::Start(std::shared_ptr<const TGDLFile> file)
{
    if (isRunning() || !file || !file->Ok())
        return false;
    wait();
    file_ = std::move(file);
    stop_.store(false);
    outcome_ = {};
    start();
    return true;
}

void TGDLSender::Cancel()
{
    {
        std::lock_guard lock(mutex_);
        stop_.store(true);
    }
    cv_.notify_all();
}

void TGDLSender::CancelAndWait()
{
    Cancel();
    wait();
}

TGDLOutcome TGDLSender::Outcome() const
{
    return outcome_;
}

void TGDLSender::Wait(uint32_t ms)
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

void TGDLSender::run()
{
    const qint64 total = file_->totalPackets;
    TGDLRunHooks hooks;
    hooks.sleep = [this](uint32_t ms) { Wait(ms); };
    hooks.stop = &stop_;
    // the window shows the progress in steps of a percent, not per packet
    TProgressPost<qint64> shown(total, [this, total](qint64 sent) { emit progress(sent, total); });
    hooks.progress = [&](qint64 sent) { shown.Report(sent, sent); };
    hooks.endPhase = [&] {
        shown.Flush();
        emit endPhase();
    };
    // the final status is taken the moment it comes; with the waits of a test replaced,
    // each read is one plain read and the test's wait
    if (!HasTestSleeper())
        hooks.readWithin = [this](uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t ms) {
            return GDLReadWithin(*port_, buffer, length, count, ms, [this](uint32_t pause) { Wait(pause); }, &stop_);
        };
    const TGDLOutcome out = RunGDLExchange(*port_, *file_, hooks);
    shown.Flush();
    // the exchange is over, whichever way it ended: the port is closed before the message
    port_->ClosePort(TDLPort::Close::Tspl);
    outcome_ = out;
    emit ended(static_cast<int>(out.result), out.status);
}

void SetGDLSleeperForTests(std::function<void(uint32_t ms)> sleeper)
{
    std::lock_guard lock(g_sleeperMutex);
    g_testSleeper = std::move(sleeper);
}

} // namespace prt::dl
