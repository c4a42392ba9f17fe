#include "SimUdpResponder.h"

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace prt::sim {

namespace {

sockaddr_in Loopback(uint16_t port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

} // namespace

SimUdpResponder::SimUdpResponder(std::vector<Printer> printers, QByteArray request, uint16_t port)
    : printers_(std::move(printers)), request_(std::move(request))
{
    fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd_ < 0)
        return;
    sockaddr_in a = Loopback(port);
    socklen_t len = sizeof a;
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0
        || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len) != 0 || ::pipe(wake_) != 0) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { run(); });
}

SimUdpResponder::~SimUdpResponder()
{
    stop();
    if (fd_ >= 0)
        ::close(fd_);
    for (int fd : wake_)
        if (fd >= 0)
            ::close(fd);
}

void SimUdpResponder::stop()
{
    if (thread_.joinable()) {
        const char c = 'x';
        [[maybe_unused]] const ssize_t n = ::write(wake_[1], &c, 1);
        thread_.join();
    }
}

QList<QByteArray> SimUdpResponder::received() const
{
    std::lock_guard lock(mutex_);
    return received_;
}

void SimUdpResponder::run()
{
    for (;;) {
        pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0)
            return;
        if (fds[1].revents)
            return;
        char buf[2048];
        sockaddr_in from{};
        socklen_t len = sizeof from;
        const ssize_t n = ::recvfrom(fd_, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &len);
        if (n < 0)
            continue;
        const QByteArray datagram(buf, n);
        {
            std::lock_guard lock(mutex_);
            received_.append(datagram);
        }
        // Answers go back to the sender only, and only on loopback.
        if (from.sin_addr.s_addr != htonl(INADDR_LOOPBACK))
            continue;
        if (!request_.isEmpty() && datagram != request_)
            continue;
        for (const Printer& p : printers_) {
            if (p.delayMs > 0) {
                pollfd w = {wake_[0], POLLIN, 0};
                if (::poll(&w, 1, p.delayMs) > 0)
                    return;
            }
            const int out = ::socket(AF_INET, SOCK_DGRAM, 0);
            if (out < 0)
                continue;
            sockaddr_in self = Loopback(0);
            ::bind(out, reinterpret_cast<sockaddr*>(&self), sizeof self);
            ::sendto(out, p.reply.constData(), p.reply.size(), 0, reinterpret_cast<sockaddr*>(&from), len);
            ::close(out);
        }
    }
}

} // namespace prt::sim
