#include "mdlDLThread.h"

#include "PrinterCMD.h"
#include "mdlPrinterLib.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace prt::dl {

// ---- the link's port -------------------------------------------------------------------

int TDLLinkPort::Write(const QByteArray& bytes)
{
    return TsplWriteData(bytes);
}

int TDLLinkPort::ReadRetry(uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t waitMs, int tries)
{
    return TsplReadDataRetry(buffer, length, count, waitMs, tries);
}

int TDLLinkPort::Read(uint8_t* buffer, uint32_t length, uint32_t* count)
{
    return TsplReadData(buffer, length, count);
}

QString TDLLinkPort::GetVal(const QByteArray& key)
{
    return CmdGetVal(key);
}

QString TDLLinkPort::SendTextRead(const QString& text, uint32_t waitMs)
{
    return CmdSendTextRead(text, waitMs);
}

void TDLLinkPort::ClosePort(Close how)
{
    switch (how) {
    case Close::None:
        break;
    case Close::IfOpen:
        CmdClosePortIfOpen();
        break;
    case Close::Tspl:
        TsplClosePort();
        break;
    case Close::Destroy:
        CmdClosePort();
        break;
    }
}

// ---- the sender ------------------------------------------------------------------------

namespace {
std::mutex g_testSleeperMutex;
std::function<void(uint32_t)>& TestSleeper()
{
    static std::function<void(uint32_t)> sleeper;
    return sleeper;
}
} // namespace

void SetDLSleeperForTests(std::function<void(uint32_t ms)> sleeper)
{
    std::lock_guard lock(g_testSleeperMutex);
    TestSleeper() = std::move(sleeper);
}

TDLThread::TDLThread(QObject* parent, std::shared_ptr<TDLPort> port)
    : QThread(parent), port_(port ? std::move(port) : std::make_shared<TDLLinkPort>()),
      shown_(0, [this](int index, int count) { emit progress(index, count); })
{
}

TDLThread::~TDLThread()
{
    CancelAndWait();
}

void TDLThread::SetPort(std::shared_ptr<TDLPort> port)
{
    if (isRunning())
        return;
    port_ = port ? std::move(port) : std::make_shared<TDLLinkPort>();
}

bool TDLThread::Start(const QByteArray& payload, const TDLOptions& options)
{
    if (isRunning())
        return false;
    wait();  // a worker that has just left run() is joined before its state is reused
    payload_ = QByteArray(payload.constData(), payload.size());
    options_ = options;
    if (!options_.sleeper) {
        std::lock_guard lock(g_testSleeperMutex);
        options_.sleeper = TestSleeper();
    }
    cancel_.store(0);
    index_.store(0);
    count_.store(0);
    result_.store(static_cast<int>(TDLResult::Success));
    start();
    return true;
}

void TDLThread::Cancel()
{
    {
        std::lock_guard lock(waitMutex_);
        cancel_.store(-1);
    }
    waitCv_.notify_all();
}

void TDLThread::CancelAndWait()
{
    if (isRunning())
        Cancel();
    wait();
}

void TDLThread::Report(const QString& what, const QVariant& data)
{
    emit reported(what, data);
}

void TDLThread::Sleep(uint32_t ms, bool interruptible)
{
    if (ms == 0)
        return;
    if (options_.sleeper) {
        options_.sleeper(ms);
        return;
    }
    if (!interruptible) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return;
    }
    std::unique_lock lock(waitMutex_);
    waitCv_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return cancel_.load() != 0; });
}

void TDLThread::run()
{
    const TDLResult result = Transfer();
    shown_.Flush();  // the last packet reached is shown before the end
    result_.store(static_cast<int>(result));
    emit transferEnded(static_cast<int>(result), index_.load());
}

TDLResult TDLThread::Transfer()
{
    TDLPort& port = *port_;
    const TDLOptions& o = options_;
    const int ps = std::max(1, o.packetSize);
    // A failure while the operator cancels is the cancel: no message follows.
    auto fail = [&](TDLResult result, TDLPort::Close how) {
        if (cancel_.load() != 0) {
            port.ClosePort(o.closeOnCancel);
            return TDLResult::Cancelled;
        }
        port.ClosePort(how);
        return result;
    };

    if (!o.handshake.isEmpty()) {
        const int w = port.Write(o.handshake);
        if (w != 0 && o.handshakeWriteChecked)
            return fail(TDLResult::HandshakeWriteFailed, o.closeOnHandshakeFailure);
        Sleep(o.handshakeWaitMs);
        uint8_t ok[2] = {0, 0};
        uint32_t got = 0;
        port.ReadRetry(ok, 2, &got, o.handshakeReadWaitMs, o.handshakeReadTries);
        if (got != 2 || !IsHandshakeOk(QByteArray(reinterpret_cast<const char*>(ok), 2)))
            return fail(TDLResult::HandshakeRefused, o.closeOnHandshakeFailure);
    }

    const qint64 total = payload_.size();
    const int count = prt::dl::PacketCount(total, ps, o.countRule);
    count_.store(count);
    const int toSend = (o.atLeastOnePacket && count == 0) ? 1 : count;
    // the window shows the progress in steps of a percent, not per packet
    shown_.Restart(count);
    shown_.Report(0, 0, count);

    qint64 offset = 0;
    for (int index = 0; index < toSend;) {
        if (cancel_.load() != 0) {
            port.ClosePort(o.closeOnCancel);
            return TDLResult::Cancelled;
        }
        if (o.rawSlices) {
            const qint64 n = std::min<qint64>(ps, total - offset);
            // Slices are not acknowledged; a failed write ends it when the window asks.
            if (port.Write(payload_.mid(offset, n)) != 0 && o.sliceWritesChecked)
                return fail(TDLResult::WriteFailed, o.closeOnFailure);
            offset += n;
            index_.store(++index);
            shown_.Report(index, index, count);
            continue;
        }
        const QByteArray packet = BuildPacket(payload_, static_cast<uint32_t>(index), ps, o.padding);
        if (port.Write(packet) != 0)
            return fail(TDLResult::WriteFailed, o.closeOnFailure);
        index_.store(++index);
        shown_.Report(index, index, count);
        Sleep(index == 1 ? o.waitAfterFirstPacketMs : o.waitAfterPacketMs, true);
        uint8_t reply[kReplySize] = {};
        uint32_t got = 0;
        const int code = port.ReadRetry(reply, kReplySize, &got, o.replyReadWaitMs, o.replyReadTries);
        switch (CheckReply(packet, reply, got, code == 0, o.replyRule)) {
        case TDLReplyCheck::Ok:
            break;
        case TDLReplyCheck::Sum:
            return fail(TDLResult::BadSum, o.closeOnFailure);
        default:
            return fail(TDLResult::ReplyRefused, o.closeOnFailure);
        }
    }

    Sleep(o.waitAfterLastMs);
    if (!o.listKey.isEmpty()) {
        const QString reply = port.GetVal(o.listKey);
        if (o.drainAfterList) {
            uint8_t drop[512];
            uint32_t got = 0;
            port.Read(drop, sizeof drop, &got);
        }
        emit listed(QString::fromLatin1(o.listKey), reply);
    }
    if (!o.usedKey.isEmpty() && !o.remainKey.isEmpty()) {
        const QString used = port.GetVal(o.usedKey);
        if (!used.isEmpty()) {
            const QString remaining = port.GetVal(o.remainKey);
            if (!remaining.isEmpty())
                emit spaceRead(used, remaining);
        }
    }
    if (o.afterTransfer && !o.afterTransfer(*this, port))
        return fail(TDLResult::AfterStepFailed, o.closeOnFailure);
    port.ClosePort(o.closeOnSuccess);
    return TDLResult::Success;
}

QString ResultMessageKey(TDLResult result, const QString& ioErrorKey)
{
    switch (result) {
    case TDLResult::Success:
    case TDLResult::Cancelled:
        return QString();
    case TDLResult::BadSum:
        return QStringLiteral("_Err_CheckSum");
    default:
        return ioErrorKey;
    }
}

} // namespace prt::dl
