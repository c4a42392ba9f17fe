#pragma once
// Shared pieces of the simulator's transports: fault application and a received-bytes log hook.
#include "SimPrinter.h"

#include <QByteArray>
#include <atomic>
#include <functional>

namespace prt::sim {

// Called from a transport thread with every chunk of bytes received.
using SimReceiveLog = std::function<void(const QByteArray&)>;

// Applies the reply-shaping faults (noReply, garbage, shortReplyBytes) to `reply`.
QByteArray ShapeReply(const SimFaults& faults, const QByteArray& reply);

// Writes all of `bytes` to `fd` (blocking writes, poll-based); false when the peer is gone.
bool WriteAllFd(int fd, const char* bytes, qsizetype length, bool isSocket);

// Sends `reply` to `fd` honouring replyDelayMs and splitReplyAt. Waits are cut short
// when `wakeFd` becomes readable (the transport is stopping). False when the peer is gone.
bool SendReply(int fd, int wakeFd, const SimFaults& faults, const QByteArray& reply, bool isSocket);

// Waits up to `ms` for `wakeFd` to become readable; true when it did (stop requested).
bool WaitWake(int wakeFd, int ms);

} // namespace prt::sim
