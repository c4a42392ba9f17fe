#include "SimTransport.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace prt::sim {

QByteArray ShapeReply(const SimFaults& faults, const QByteArray& reply)
{
    if (faults.noReply || reply.isEmpty())
        return {};
    QByteArray out = reply;
    if (faults.garbage)
        out = QByteArray(out.size(), char(0xA5));
    if (faults.shortReplyBytes >= 0 && out.size() > faults.shortReplyBytes)
        out.truncate(faults.shortReplyBytes);
    return out;
}

bool WaitWake(int wakeFd, int ms)
{
    pollfd p{wakeFd, POLLIN, 0};
    for (;;) {
        const int r = ::poll(&p, 1, ms);
        if (r < 0 && errno == EINTR)
            continue;
        return r > 0;
    }
}

bool WriteAllFd(int fd, const char* bytes, qsizetype length, bool isSocket)
{
    qsizetype done = 0;
    while (done < length) {
        const ssize_t n = isSocket ? ::send(fd, bytes + done, size_t(length - done), MSG_NOSIGNAL)
                                   : ::write(fd, bytes + done, size_t(length - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, 1000) <= 0)
                return false;
            continue;
        }
        return false;
    }
    return true;
}

bool SendReply(int fd, int wakeFd, const SimFaults& faults, const QByteArray& reply, bool isSocket)
{
    if (reply.isEmpty())
        return true;
    if (faults.replyDelayMs > 0 && WaitWake(wakeFd, faults.replyDelayMs))
        return false;
    if (faults.splitReplyAt > 0 && faults.splitReplyAt < reply.size()) {
        if (!WriteAllFd(fd, reply.constData(), faults.splitReplyAt, isSocket))
            return false;
        if (WaitWake(wakeFd, faults.splitDelayMs))
            return false;
        return WriteAllFd(fd, reply.constData() + faults.splitReplyAt,
                          reply.size() - faults.splitReplyAt, isSocket);
    }
    return WriteAllFd(fd, reply.constData(), reply.size(), isSocket);
}

} // namespace prt::sim
