#include "SimPty.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace prt::sim {

SimPty::SimPty(SimPrinter& printer, SimReceiveLog log) : printer_(printer), log_(std::move(log))
{
    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    int m = -1, s = -1;
    char name[256] = {};
    if (::openpty(&m, &s, name, nullptr, nullptr) != 0)
        return;
    termios t{};
    ::tcgetattr(s, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(s, TCSANOW, &t);
    ::fcntl(m, F_SETFD, FD_CLOEXEC);
    ::fcntl(m, F_SETFL, ::fcntl(m, F_GETFL) | O_NONBLOCK);
    ::fcntl(s, F_SETFD, FD_CLOEXEC);
    master_ = m;
    slave_ = s;
    slavePath_ = QString::fromLocal8Bit(name);
    thread_ = std::thread([this] { run(); });
}

SimPty::~SimPty()
{
    stop();
    for (int fd : {wake_[0], wake_[1], master_, slave_})
        if (fd >= 0)
            ::close(fd);
}

void SimPty::stop()
{
    if (!stopping_.exchange(true) && wake_[1] >= 0) {
        const char c = 1;
        [[maybe_unused]] ssize_t n = ::write(wake_[1], &c, 1);
    }
    if (thread_.joinable())
        thread_.join();
}

void SimPty::run()
{
    long long inCount = 0; // bytes since the faults were last set
    int faultsGen = printer_.faultsGeneration();
    char buf[65536];
    while (!stopping_) {
        pollfd p[2] = {{master_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        const int r = ::poll(p, 2, -1);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 || (p[1].revents & POLLIN))
            return;
        if (!(p[0].revents & POLLIN))
            continue;
        ssize_t n = ::read(master_, buf, sizeof buf);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0)
            return;
        const SimFaults f = printer_.faults();
        const int gen = printer_.faultsGeneration();
        if (gen != faultsGen) {
            faultsGen = gen;
            inCount = 0;
        }
        bool hangUp = false;
        if (f.disconnectAfterBytes >= 0 && inCount + n >= f.disconnectAfterBytes) {
            n = ssize_t(f.disconnectAfterBytes - inCount);
            hangUp = true;
        }
        inCount += n;
        const QByteArray chunk(buf, n);
        if (log_ && n > 0)
            log_(chunk);
        const QByteArray reply = n > 0 ? printer_.feed(chunk) : QByteArray();
        if (hangUp) {
            // Closing every descriptor of the master side hangs the line up: the
            // engine's slave then reads end-of-file / EIO and its writes fail.
            ::close(master_);
            ::close(slave_);
            master_ = slave_ = -1;
            return;
        }
        SendReply(master_, wake_[0], f, ShapeReply(f, reply), false);
    }
}

} // namespace prt::sim
