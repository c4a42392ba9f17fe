#include "PrtPort.h"
#include "PrtTick.h"


#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace prt::sdk {

namespace {

std::atomic<uint32_t> g_connectTimeoutMs{3000};
std::atomic<uint32_t> g_writeTimeoutMs{5000};

bool ParseUInt(const QString& text, int maxValue, int* value)
{
    if (text.isEmpty() || text.size() > 10)
        return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok || v > maxValue)
        return false;
    *value = int(v);
    return true;
}

speed_t BaudConstant(int baud)
{
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 921600: return B921600;
    default: return 0;
    }
}

// A port over one file descriptor (socket, tty or parallel device).
class FdPort : public Port {
public:
    FdPort(int fd, bool socket, bool readable) : fd_(fd), socket_(socket), readable_(readable) {}
    ~FdPort() override
    {
        if (fd_ >= 0)
            ::close(fd_);
    }

    int write(const uint8_t* data, size_t length) override
    {
        size_t done = 0;
        uint32_t lastProgress = GetTickCountMs();
        bool stalled = false; // the previous attempt took nothing either
        while (done < length) {
            const ssize_t n = socket_ ? ::send(fd_, data + done, length - done, MSG_NOSIGNAL)
                                      : ::write(fd_, data + done, length - done);
            if (n > 0) {
                done += size_t(n);
                lastProgress = GetTickCountMs();
                stalled = false;
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                // Wait for room; a port that takes nothing for the whole time-out fails.
                const uint32_t limit = g_writeTimeoutMs.load();
                const uint32_t spent = GetTickCountMs() - lastProgress;
                if (spent >= limit)
                    return PRT_E_TIMEOUT;
                pollfd p{fd_, POLLOUT, 0};
                int r;
                do {
                    r = ::poll(&p, 1, int(limit - spent));
                } while (r < 0 && errno == EINTR);
                if (r == 0)
                    return PRT_E_TIMEOUT;
                if (r < 0 || (p.revents & (POLLERR | POLLNVAL)))
                    return PRT_E_IO;
                if ((p.revents & POLLHUP) && !(p.revents & POLLOUT))
                    return PRT_E_IO;
                // Devices without real readiness (parallel ports) report "ready" at once:
                // pace the retries instead of spinning.
                if (stalled)
                    ::poll(nullptr, 0, 2);
                stalled = true;
                continue;
            }
            return PRT_E_IO;
        }
        return PRT_OK;
    }

    int readSome(uint8_t* buffer, size_t max, uint32_t timeoutMs, size_t* got) override
    {
        *got = 0;
        if (!readable_)
            return PRT_E_NOT_SUPPORTED;
        if (max == 0)
            return PRT_OK;
        pollfd p{fd_, POLLIN, 0};
        int r;
        do {
            r = ::poll(&p, 1, int(timeoutMs));
        } while (r < 0 && errno == EINTR);
        if (r < 0)
            return PRT_E_IO;
        if (r == 0)
            return PRT_OK;
        for (;;) {
            const ssize_t n = socket_ ? ::recv(fd_, buffer, max, 0) : ::read(fd_, buffer, max);
            if (n > 0) {
                *got = size_t(n);
                return PRT_OK;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return PRT_OK;
            return PRT_E_IO; // 0 = the peer closed; < 0 = the line failed
        }
    }

private:
    int fd_;
    bool socket_;
    bool readable_;
};

int OpenNet(const PortSpec& spec, std::unique_ptr<Port>* port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(spec.tcpPort);
    if (::inet_pton(AF_INET, spec.host.constData(), &a.sin_addr) != 1)
        return PRT_E_BAD_PORT;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return PRT_E_OPEN_FAILED;
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &one, sizeof one);
    int r = ::connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a);
    int err = r == 0 ? 0 : errno;
    if (r != 0 && (err == EINPROGRESS || err == EINTR)) {
        pollfd p{fd, POLLOUT, 0};
        const uint32_t start = GetTickCountMs();
        for (;;) {
            const uint32_t spent = GetTickCountMs() - start;
            const uint32_t limit = g_connectTimeoutMs.load();
            r = ::poll(&p, 1, spent >= limit ? 0 : int(limit - spent));
            if (r < 0 && errno == EINTR)
                continue;
            break;
        }
        if (r == 0) {
            ::close(fd);
            return PRT_E_TIMEOUT;
        }
        socklen_t len = sizeof err;
        if (r < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0)
            err = errno ? errno : EIO;
    }
    if (err != 0) {
        ::close(fd);
        return err == ETIMEDOUT ? PRT_E_TIMEOUT : PRT_E_CONNECT;
    }
    *port = std::make_unique<FdPort>(fd, true, true);
    return PRT_OK;
}

int OpenErrorCode(int err)
{
    return (err == ENOENT || err == ENODEV || err == ENXIO || err == ENOTDIR) ? PRT_E_NO_DEVICE
                                                                             : PRT_E_OPEN_FAILED;
}

int OpenCom(const PortSpec& spec, std::unique_ptr<Port>* port)
{
    const QString path = ComDevicePath(spec.number);
    const speed_t speed = BaudConstant(spec.baud);
    if (path.isEmpty() || speed == 0)
        return PRT_E_BAD_PORT;
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return OpenErrorCode(errno);
    // One user at a time, like a serial port elsewhere: a second open of the same line fails.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return PRT_E_OPEN_FAILED;
    }
    termios t{};
    if (::tcgetattr(fd, &t) != 0) {
        ::close(fd);
        return PRT_E_OPEN_FAILED; // not a serial device
    }
    ::cfmakeraw(&t);
    t.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    t.c_cflag |= CS8 | CLOCAL | CREAD;
    t.c_iflag &= ~(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    ::cfsetispeed(&t, speed);
    ::cfsetospeed(&t, speed);
    if (::tcsetattr(fd, TCSANOW, &t) != 0) {
        ::close(fd);
        return PRT_E_OPEN_FAILED;
    }
    ::tcflush(fd, TCIOFLUSH);
    *port = std::make_unique<FdPort>(fd, false, true);
    return PRT_OK;
}

int OpenLpt(const PortSpec& spec, std::unique_ptr<Port>* port)
{
    const QString path = LptDevicePath(spec.number);
    if (path.isEmpty())
        return PRT_E_BAD_PORT;
    const int fd = ::open(path.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return OpenErrorCode(errno);
    *port = std::make_unique<FdPort>(fd, false, false);
    return PRT_OK;
}

} // namespace

void SetPortTimeouts(uint32_t connectTimeoutMs, uint32_t writeTimeoutMs)
{
    g_connectTimeoutMs = connectTimeoutMs;
    g_writeTimeoutMs = writeTimeoutMs;
}
uint32_t ConnectTimeoutMs() { return g_connectTimeoutMs; }
uint32_t WriteTimeoutMs() { return g_writeTimeoutMs; }

bool IsNetHostAddress(const QString& text)
{
    if (text.isEmpty() || text.size() > 15)
        return false;
    for (QChar c : text)
        if (c != u'.' && (c < u'0' || c > u'9'))
            return false;
    in_addr a{};
    const QByteArray latin = text.toLatin1();
    return ::inet_pton(AF_INET, latin.constData(), &a) == 1;  // strict dotted quad
}

int ParsePortString(const QString& text, PortSpec* spec)
{
    *spec = PortSpec{};
    const QString s = text.trimmed();
    const QString head = s.left(3).toUpper();
    const QString rest = s.mid(3);
    if (head == u"USB" && rest.isEmpty()) {
        spec->kind = PortKind::Usb;
        return PRT_OK;
    }
    if (head == u"NET") {
        if (!rest.startsWith(u','))
            return PRT_E_BAD_PORT;
        QString addr = rest.mid(1).trimmed();
        int tcp = 9100;
        const qsizetype colon = addr.indexOf(u':');
        if (colon >= 0) {
            if (!ParseUInt(addr.mid(colon + 1), 65535, &tcp) || tcp == 0)
                return PRT_E_BAD_PORT;
            addr.truncate(colon);
        }
        if (!IsNetHostAddress(addr))
            return PRT_E_BAD_PORT;
        const QByteArray host = addr.toLatin1();
        spec->kind = PortKind::Net;
        spec->host = host;
        spec->tcpPort = uint16_t(tcp);
        return PRT_OK;
    }
    if (head == u"COM") {
        const qsizetype comma = rest.indexOf(u',');
        const QString num = comma < 0 ? rest : rest.left(comma);
        int n = 0;
        if (!ParseUInt(num, 96, &n) || n < 1)
            return PRT_E_BAD_PORT;
        int baud = 9600;
        if (comma >= 0) {
            const QString opt = rest.mid(comma + 1);
            if (!opt.startsWith(u"BAUDRATE_", Qt::CaseInsensitive)
                || !ParseUInt(opt.mid(9), 4000000, &baud) || BaudConstant(baud) == 0)
                return PRT_E_BAD_PORT;
        }
        spec->kind = PortKind::Com;
        spec->number = n;
        spec->baud = baud;
        return PRT_OK;
    }
    if (head == u"LPT") {
        int n = 0;
        if (!ParseUInt(rest, 64, &n) || n < 1)
            return PRT_E_BAD_PORT;
        spec->kind = PortKind::Lpt;
        spec->number = n;
        return PRT_OK;
    }
    return PRT_E_BAD_PORT;
}

QString ComDevicePath(int n)
{
    if (n < 1 || n > 96)
        return {};
    const QByteArray env = qgetenv(QByteArray("PRT_COM_DEVICE_") + QByteArray::number(n));
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    if (n <= 32)
        return QStringLiteral("/dev/ttyS%1").arg(n - 1);
    if (n <= 64)
        return QStringLiteral("/dev/ttyUSB%1").arg(n - 33);
    return QStringLiteral("/dev/ttyACM%1").arg(n - 65);
}

QString LptDevicePath(int n)
{
    if (n < 1)
        return {};
    const QByteArray env = qgetenv(QByteArray("PRT_LPT_DEVICE_") + QByteArray::number(n));
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    return QStringLiteral("/dev/lp%1").arg(n - 1);
}

int OpenPort(const PortSpec& spec, std::unique_ptr<Port>* port)
{
    switch (spec.kind) {
    case PortKind::Net: return OpenNet(spec, port);
    case PortKind::Com: return OpenCom(spec, port);
    case PortKind::Lpt: return OpenLpt(spec, port);
    case PortKind::Usb: return OpenUsbPort(port);
    }
    return PRT_E_BAD_PORT;
}

} // namespace prt::sdk
