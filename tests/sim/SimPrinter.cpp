#include "SimPrinter.h"

#include <algorithm>

namespace prt::sim {

SimPrinter::SimPrinter() = default;
SimPrinter::~SimPrinter() = default;

void SimPrinter::addHandler(std::unique_ptr<SimHandler> handler)
{
    std::lock_guard lock(mutex_);
    if (handler)
        handlers_.push_back(std::move(handler));
}

void SimPrinter::script(const QByteArray& request, const QByteArray& reply)
{
    std::lock_guard lock(mutex_);
    scripts_.push_back({request, reply});
}

QByteArray SimPrinter::feed(const QByteArray& input)
{
    std::lock_guard lock(mutex_);
    if (cutConnection_ >= 0 && cutConnection_ == connections_)
        return {};  // the link is cut: nothing arrives
    QByteArray bytes = input;
    if (!cutCommand_.isEmpty()) {
        bytes.prepend(cutHeld_);
        cutHeld_.clear();
        const qsizetype at = bytes.indexOf(cutCommand_);
        if (at >= 0) {
            bytes.truncate(at + std::clamp<qsizetype>(cutBytes_, 0, cutCommand_.size()));
            cutCommand_.clear();
            cutConnection_ = connections_;
            linkWasCut_ = true;
            if (cutDrops_)
                linkRestartMs_ = std::max(linkRestartMs_, cutRefuseMs_);
        } else {
            // The longest tail that begins the command waits for the rest.
            for (qsizetype k = std::min(bytes.size(), cutCommand_.size() - 1); k > 0; --k) {
                if (cutCommand_.startsWith(bytes.right(k))) {
                    cutHeld_ = bytes.right(k);
                    bytes.chop(k);
                    break;
                }
            }
        }
        if (bytes.isEmpty())
            return {};
    }
    if (keepReceived_)
        received_.append(bytes);
    pending_.append(bytes);
    quietMs_ = -1;  // input before the quiet time: the printer is not idle yet
    quietReply_.clear();
    QByteArray reply;
    while (!pending_.isEmpty()) {
        // A scripted exchange is asked first: the next unused script only.
        if (!scripts_.empty()) {
            const Script& s = scripts_.front();
            if (!s.request.isEmpty() && pending_.startsWith(s.request)) {
                reply.append(s.reply);
                pending_.remove(0, s.request.size());
                scripts_.erase(scripts_.begin());
                continue;
            }
            // A prefix of the scripted request: wait for the rest.
            if (!s.request.isEmpty() && s.request.startsWith(pending_))
                break;
        }
        bool needMore = false;
        int taken = SimHandler::NotMine;
        for (auto& h : handlers_) {
            const int n = h->consume(*this, pending_, reply);
            if (n > 0) {
                taken = n;
                break;
            }
            if (n == SimHandler::NeedMore) {
                needMore = true;
                break;
            }
        }
        if (taken > 0) {
            pending_.remove(0, std::min<qsizetype>(taken, pending_.size()));
            continue;
        }
        if (needMore)
            break;
        // Nobody takes it: drop up to and including the next LF, or all of it.
        const qsizetype lf = pending_.indexOf('\n');
        if (lf < 0)
            pending_.clear();
        else
            pending_.remove(0, lf + 1);
    }
    return reply;
}

QByteArray SimPrinter::received() const
{
    std::lock_guard lock(mutex_);
    // A deep copy: the caller's array never shares storage with the growing record.
    return QByteArray(received_.constData(), received_.size());
}

void SimPrinter::clearReceived()
{
    std::lock_guard lock(mutex_);
    received_.clear();
}

void SimPrinter::setKeepReceived(bool keep)
{
    std::lock_guard lock(mutex_);
    keepReceived_ = keep;
}

int SimPrinter::connections() const
{
    std::lock_guard lock(mutex_);
    return connections_;
}

void SimPrinter::noteConnection()
{
    std::lock_guard lock(mutex_);
    ++connections_;
    // What a dropped connection left half sent is gone: a command cut short never
    // completes with the next connection's bytes (bytes held back for an armed cut did
    // come in: they are recorded, not handled).
    received_.append(cutHeld_);
    cutHeld_.clear();
    pending_.clear();
}

void SimPrinter::cutLinkIn(const QByteArray& command, int bytes, bool drops, int refuseMs)
{
    std::lock_guard lock(mutex_);
    cutCommand_ = command;
    cutBytes_ = bytes;
    cutDrops_ = drops;
    cutRefuseMs_ = std::max(0, refuseMs);
    cutHeld_.clear();
    cutConnection_ = -1;
    linkWasCut_ = false;
}

bool SimPrinter::linkWasCut() const
{
    std::lock_guard lock(mutex_);
    return linkWasCut_;
}

int SimPrinter::silentConnections() const
{
    std::lock_guard lock(mutex_);
    return silentConnections_;
}

void SimPrinter::noteSilentConnection()
{
    std::lock_guard lock(mutex_);
    ++silentConnections_;
}

void SimPrinter::setFaults(const SimFaults& faults)
{
    std::lock_guard lock(mutex_);
    faults_ = faults;
    ++faultsGeneration_;
}

int SimPrinter::faultsGeneration() const
{
    std::lock_guard lock(mutex_);
    return faultsGeneration_;
}

SimFaults SimPrinter::faults() const
{
    std::lock_guard lock(mutex_);
    return faults_;
}

void SimPrinter::pushUnsolicited(const QByteArray& bytes)
{
    std::lock_guard lock(mutex_);
    unsolicited_.append(bytes);
}

QByteArray SimPrinter::takeUnsolicited()
{
    std::lock_guard lock(mutex_);
    QByteArray out;
    out.swap(unsolicited_);
    return out;
}

bool SimPrinter::hasUnsolicited() const
{
    std::lock_guard lock(mutex_);
    return !unsolicited_.isEmpty();
}

void SimPrinter::delayReply(int ms)
{
    std::lock_guard lock(mutex_);
    replyDelayMs_ = std::max(replyDelayMs_, ms);
}

void SimPrinter::restartLink(int ms)
{
    std::lock_guard lock(mutex_);
    linkRestartMs_ = std::max(0, ms);
}

int SimPrinter::takeLinkRestart()
{
    std::lock_guard lock(mutex_);
    const int ms = linkRestartMs_;
    linkRestartMs_ = -1;
    return ms;
}

void SimPrinter::armQuietReply(const QByteArray& bytes, int ms)
{
    std::lock_guard lock(mutex_);
    quietReply_ = bytes;
    quietMs_ = std::max(0, ms);
}

QByteArray SimPrinter::takeQuietReply(int idleMs)
{
    std::lock_guard lock(mutex_);
    if (quietMs_ < 0 || idleMs < quietMs_)
        return {};
    quietMs_ = -1;
    QByteArray out;
    out.swap(quietReply_);
    return out;
}

int SimPrinter::takeReplyDelay()
{
    std::lock_guard lock(mutex_);
    const int ms = replyDelayMs_;
    replyDelayMs_ = 0;
    return ms;
}

} // namespace prt::sim
