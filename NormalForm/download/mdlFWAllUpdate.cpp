#include "mdlFWAllUpdate.h"

#include "PrinterCMD.h"
#include "mdlDLProgress.h"
#include "mdlModelCatalog.h"
#include "mdlNetDiscovery.h"
#include "mdlPrinterLib_TSPL.h"

#include <algorithm>
#include <chrono>

namespace prt::dl {

namespace {

std::atomic<uint16_t> g_tcpPortOverride{0};

std::mutex g_sleeperMutex;
std::function<void(uint32_t)> g_testSleeper;

std::function<void(uint32_t)> TestSleeper()
{
    std::lock_guard lock(g_sleeperMutex);
    return g_testSleeper;
}

} // namespace

void SetBulkUpdateTcpPortOverride(uint16_t port)
{
    g_tcpPortOverride = port;
}

uint16_t BulkUpdateTcpPort()
{
    if (const uint16_t p = g_tcpPortOverride.load())
        return p;
    bool ok = false;
    const uint value = qEnvironmentVariable("PRT_BULK_UPDATE_TCP_PORT").toUInt(&ok);
    return ok && value > 0 && value < 65536 ? static_cast<uint16_t>(value) : 0;
}

QString BulkUpdatePortString(const QString& address)
{
    if (!IsStrictIPv4(address))
        return {};
    const uint16_t port = BulkUpdateTcpPort();
    QString s = QStringLiteral("NET,") + address;
    if (port != 0)
        s += QLatin1Char(':') + QString::number(port);
    return s;
}

QByteArray BulkDoFrame(const QByteArray& key)
{
    return QByteArray(CMD_PREFIX) + "do " + key + "\r\n";
}

qint64 BulkChunkTotal(qint64 fileSize)
{
    return fileSize <= 0 ? 0 : (fileSize + kGDLChunkSize - 1) / kGDLChunkSize;
}

// ---- TDLHandlePort --------------------------------------------------------------------------

int TDLHandlePort::Write(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return 0;
    return TsplWriteDataTo(handle_, reinterpret_cast<const uint8_t*>(bytes.constData()),
                           static_cast<uint32_t>(bytes.size()));
}

int TDLHandlePort::Read(uint8_t* buffer, uint32_t length, uint32_t* count)
{
    return TsplReadDataFrom(handle_, buffer, length, count);
}

int TDLHandlePort::ReadRetry(uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t waitMs, int tries)
{
    uint32_t have = 0;
    int code = 0;
    for (int i = 0; i < std::max(1, tries) && have < length; ++i) {
        if (i > 0 && sleep)
            sleep(waitMs);
        uint32_t n = 0;
        code = TsplReadDataFrom(handle_, buffer + have, length - have, &n);
        have += std::min(n, length - have);
    }
    if (count)
        *count = have;
    return code;
}

QString TDLHandlePort::WriteWaitRead(const QByteArray& bytes, uint32_t waitMs)
{
    Write(bytes);
    if (sleep)
        sleep(waitMs);
    uint8_t buffer[1024];
    uint32_t n = 0;
    Read(buffer, sizeof buffer, &n);
    QByteArray reply(reinterpret_cast<const char*>(buffer), static_cast<int>(std::min<uint32_t>(n, sizeof buffer)));
    reply.replace('\0', QByteArray());
    return QString::fromLatin1(reply);
}

QString TDLHandlePort::GetVal(const QByteArray& key)
{
    return WriteWaitRead(QByteArray(CMD_PREFIX) + "getval " + key + "\r\n", 100);
}

QString TDLHandlePort::SendTextRead(const QString& text, uint32_t waitMs)
{
    return WriteWaitRead(text.toLatin1() + "\r\n", waitMs);
}

void TDLHandlePort::ClosePort(Close how)
{
    if (how != Close::None)
        TsplPortClose(handle_);
}

// ---- TBulkStop ------------------------------------------------------------------------------

void TBulkStop::Stop()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    cv_.notify_all();
}

void TBulkStop::Reset()
{
    std::lock_guard lock(mutex_);
    stop_ = false;
}

void TBulkStop::Wait(uint32_t ms)
{
    if (auto sleeper = TestSleeper()) {
        if (!stop_)
            sleeper(ms);
        return;
    }
    std::unique_lock lock(mutex_);
    cv_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop_.load(); });
}

// ---- TUpdateFWThread ------------------------------------------------------------------------

TUpdateFWThread::TUpdateFWThread(std::shared_ptr<const TGDLFile> firmware, std::shared_ptr<TBulkStop> stop,
                                 QObject* parent)
    : QThread(parent), firmware_(std::move(firmware)), stop_(std::move(stop))
{
    if (!stop_)
        stop_ = std::make_shared<TBulkStop>();
}

TUpdateFWThread::~TUpdateFWThread()
{
    wait();
}

int TUpdateFWThread::CreatePrinter()
{
    return TsplPrinterCreator(&handle_, GetMainDefaultModelName());
}

int TUpdateFWThread::OpenPort()
{
    const QString port = BulkUpdatePortString(address_);
    if (port.isEmpty())
        return prt::sdk::PRT_E_BAD_PORT;  // nothing is tried for an address that is not one
    return TsplPortOpen(handle_, port);
}

int TUpdateFWThread::WriteData(const QByteArray& bytes)
{
    return TsplWriteDataTo(handle_, reinterpret_cast<const uint8_t*>(bytes.constData()),
                           static_cast<uint32_t>(bytes.size()));
}

int TUpdateFWThread::ReadData(uint8_t* buffer, uint32_t length, uint32_t* count)
{
    return TsplReadDataFrom(handle_, buffer, length, count);
}

int TUpdateFWThread::ClosePort()
{
    return handle_ ? TsplPortClose(handle_) : prt::sdk::PRT_E_NO_OBJECT;
}

int TUpdateFWThread::DestroyPrinter()
{
    return handle_ ? TsplPrinterDestroy(&handle_) : prt::sdk::PRT_E_NO_OBJECT;
}

int TUpdateFWThread::SendDoCommand(const QByteArray& key)
{
    return WriteData(BulkDoFrame(key)) == 0 ? 0 : -1;
}

TBulkResult TUpdateFWThread::UpdateFirmware()
{
    finalReads_ = 0;
    handle_ = 0;
    TBulkResult result = TBulkResult::Failed;
    auto finish = [&](TBulkResult r) {
        result = r;
        ClosePort();
        DestroyPrinter();
        handle_ = 0;
        return result;
    };
    CreatePrinter();
    const int opened = handle_ ? OpenPort() : prt::sdk::PRT_E_NO_OBJECT;
    if (opened != 0 && opened != prt::sdk::PRT_ALREADY_OPEN) {
        emit openFailed(rowId_, opened);
        return finish(TBulkResult::OpenFailed);
    }
    if (stop_->Stopped())
        return finish(TBulkResult::Stopped);
    if (!firmware_ || !firmware_->Ok() || SendDoCommand(QByteArrayLiteral("\"dfu\"")) != 0)
        return finish(TBulkResult::Failed);

    const qint64 total = BulkChunkTotal(firmware_->data.size());
    emit downloading(rowId_);
    TDLHandlePort port(handle_);
    port.sleep = [this](uint32_t ms) { stop_->Wait(ms); };
    TGDLRunHooks hooks;
    hooks.sleep = [this](uint32_t ms) { stop_->Wait(ms); };
    hooks.stop = stop_->Flag();
    hooks.stepMs = 0;  // a loop, not timer ticks
    // a header's status gets the window's patience (5 reads, 150 ms apart): printers answer
    // slowly while many of them are updated at once. The final status is taken the moment
    // it comes (with the waits of a test replaced: one plain read, then the test's wait).
    if (!TestSleeper())
        hooks.readWithin = [&port, this](uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t ms) {
            return GDLReadWithin(port, buffer, length, count, ms, [this](uint32_t pause) { stop_->Wait(pause); },
                                 stop_->Flag());
        };
    // the row shows its progress in steps of a percent, not per chunk
    TProgressPost<qint64> rowProgress(total, [this, total](qint64 chunks) { emit progress(rowId_, total, chunks); });
    hooks.chunkProgress = [&](qint64 chunks) { rowProgress.Report(chunks, chunks); };
    hooks.endPhase = [&] {
        rowProgress.Flush();
        emit endPhase(rowId_);
    };
    const TGDLOutcome out = RunGDLExchange(port, *firmware_, hooks);
    rowProgress.Flush();
    finalReads_ = out.finalReads;
    switch (out.result) {
    case TGDLResult::Success:
        return finish(TBulkResult::Success);
    case TGDLResult::Cancelled:
        return finish(TBulkResult::Stopped);
    default:
        return finish(stop_->Stopped() ? TBulkResult::Stopped : TBulkResult::Failed);
    }
}

void TUpdateFWThread::run()
{
    const TBulkResult r = UpdateFirmware();
    emit ended(rowId_, static_cast<int>(r));
}

void SetBulkUpdateSleeperForTests(std::function<void(uint32_t ms)> sleeper)
{
    std::lock_guard lock(g_sleeperMutex);
    g_testSleeper = std::move(sleeper);
}

} // namespace prt::dl
