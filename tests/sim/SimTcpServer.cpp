#include "SimTcpServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace prt::sim {

namespace {
void Drain(int fd)
{
    char buf[64];
    while (::read(fd, buf, sizeof buf) > 0) {
    }
}

// Listens again on a listening socket that was shut down (see serve()): an ephemeral port
// went with the shutdown and is bound again; a port bound by number is kept (the bind then
// fails harmlessly). True when it listens on `bound` again.
bool Relisten(int fd, const sockaddr_in& bound)
{
    ::bind(fd, reinterpret_cast<const sockaddr*>(&bound), sizeof bound);
    sockaddr_in now{};
    socklen_t len = sizeof now;
    return ::listen(fd, 4) == 0 && ::getsockname(fd, reinterpret_cast<sockaddr*>(&now), &len) == 0
        && now.sin_port == bound.sin_port;
}
} // namespace

SimTcpServer::SimTcpServer(SimPrinter& printer, uint16_t port, SimReceiveLog log, const QString& address)
    : printer_(printer), log_(std::move(log)), address_(address)
{
    in_addr host{};
    if (::inet_pton(AF_INET, address.toLatin1().constData(), &host) != 1 || (ntohl(host.s_addr) >> 24) != 127)
        return;  // loopback only
    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0 || ::pipe2(dropWake_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr = host;
    socklen_t len = sizeof a;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, 4) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        ::close(fd);
        return;
    }
    listenFd_ = fd;
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { run(); });
}

SimTcpServer::~SimTcpServer()
{
    stop();
    for (int fd : {wake_[0], wake_[1], dropWake_[0], dropWake_[1]})
        if (fd >= 0)
            ::close(fd);
}

void SimTcpServer::stop()
{
    if (!stopping_.exchange(true) && wake_[1] >= 0) {
        const char c = 1;
        [[maybe_unused]] ssize_t n = ::write(wake_[1], &c, 1);
    }
    if (thread_.joinable())
        thread_.join();
    if (listenFd_ >= 0) {
        ::close(listenFd_);
        listenFd_ = -1;
    }
}

void SimTcpServer::dropConnection()
{
    if (dropWake_[1] >= 0) {
        const char c = 1;
        [[maybe_unused]] ssize_t n = ::write(dropWake_[1], &c, 1);
    }
}

void SimTcpServer::run()
{
    sockaddr_in bound{};
    socklen_t boundLen = sizeof bound;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&bound), &boundLen);
    while (!stopping_) {
        pollfd p[2] = {{listenFd_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        const int r = ::poll(p, 2, -1);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 || (p[1].revents & POLLIN))
            break;
        if (!(p[0].revents & POLLIN))
            continue;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        Drain(dropWake_[0]);
        printer_.noteConnection();
        const long long in = serve(fd);
        ::close(fd);
        if (in == 0 && !stopping_)
            printer_.noteSilentConnection();
        if (linkRestartMs_ >= 0) {
            // the printer is restarting: connects stay refused for the asked time
            const int ms = linkRestartMs_;
            linkRestartMs_ = -1;
            if (WaitWake(wake_[0], ms) || !Relisten(listenFd_, bound))
                break;
        }
    }
}

long long SimTcpServer::serve(int fd)
{
    long long inCount = 0;
    char buf[65536];
    auto lastInput = std::chrono::steady_clock::now();
    while (!stopping_) {
        // Bytes the printer sends on its own go out as soon as they are queued.
        const QByteArray unsolicited = printer_.takeUnsolicited();
        if (!unsolicited.isEmpty() && !WriteAllFd(fd, unsolicited.constData(), unsolicited.size(), true))
            return inCount;
        pollfd p[3] = {{fd, POLLIN, 0}, {wake_[0], POLLIN, 0}, {dropWake_[0], POLLIN, 0}};
        const int r = ::poll(p, 3, 10);
        if (r < 0 && errno == EINTR)
            continue;
        if (r == 0) {
            // An idle line: what the printer says after a quiet time goes out now.
            const auto idle = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - lastInput);
            const QByteArray quiet = printer_.takeQuietReply(static_cast<int>(idle.count()));
            if (!quiet.isEmpty() && !WriteAllFd(fd, quiet.constData(), quiet.size(), true))
                return inCount;
            continue;
        }
        if (r < 0 || (p[1].revents & POLLIN))
            return inCount;
        if (p[2].revents & POLLIN) {
            Drain(dropWake_[0]);
            return inCount == 0 ? -1 : inCount;  // dropped here: not a silent client
        }
        if (!(p[0].revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            return inCount;
        lastInput = std::chrono::steady_clock::now();
        const SimFaults f = printer_.faults();
        bool disconnect = false;
        if (f.disconnectAfterBytes >= 0 && inCount + n >= f.disconnectAfterBytes) {
            n = ssize_t(f.disconnectAfterBytes - inCount);
            disconnect = true;
        }
        inCount += n;
        const QByteArray chunk(buf, n);
        if (log_ && n > 0)
            log_(chunk);
        const QByteArray reply = n > 0 ? printer_.feed(chunk) : QByteArray();
        if (disconnect) {
            // Reset rather than a graceful close: the client sees the connection die.
            linger l{1, 0};
            ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
            return inCount;
        }
        // A reply the printer gives late (a handler asked for it).
        const int late = printer_.takeReplyDelay();
        if (late > 0 && !reply.isEmpty() && WaitWake(wake_[0], late))
            return inCount;
        linkRestartMs_ = printer_.takeLinkRestart();
        if (linkRestartMs_ >= 0) {
            // The printer restarts its link: from now on connects are refused (and those
            // waiting to be accepted are reset); run() drops this connection.
            ::shutdown(listenFd_, SHUT_RDWR);
        }
        if (!SendReply(fd, wake_[0], f, ShapeReply(f, reply), true) || linkRestartMs_ >= 0)
            return inCount;
    }
    return inCount;
}

} // namespace prt::sim
