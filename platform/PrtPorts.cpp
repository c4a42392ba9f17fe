#include "PrtPorts.h"

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSerialPortInfo>

#include <algorithm>
#include <mutex>

namespace prt {
namespace {

std::mutex g_listerMutex;
PortDeviceLister g_lister;

QStringList RealDevices()
{
    QStringList out;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& p : ports)
        out.append(p.systemLocation());
    const QStringList lp = QDir(QStringLiteral("/dev"))
                               .entryList({QStringLiteral("lp*")}, QDir::System | QDir::Files);
    for (const QString& n : lp)
        out.append(QStringLiteral("/dev/") + n);
    return out;
}

// The highest port numbers the port engine accepts (PrtPort.cpp): a port is listed only
// under a name that can be opened.
constexpr int kMaxComNumber = 96;
constexpr int kMaxLptNumber = 64;

struct Family {
    const char* prefix;  // device file name prefix
    const char* kind;    // "COM" or "LPT"
    int first;           // number of the port of device 0
    int count;           // devices mapped
};

constexpr Family kFamilies[] = {
    {"ttyS", "COM", 1, 32},
    {"ttyUSB", "COM", 33, 32},
    {"ttyACM", "COM", 65, 32},
    {"lp", "LPT", 1, kMaxLptNumber},
};

// Splits "COM12" / "COM12:" into kind and number.
bool ParsePortName(const QString& name, QString& kind, int& number)
{
    static const QRegularExpression re(QStringLiteral("^(COM|LPT)([0-9]{1,3}):?$"));
    const auto m = re.match(name);
    if (!m.hasMatch())
        return false;
    kind = m.captured(1);
    number = m.captured(2).toInt();
    return number >= 1;
}

} // namespace

PortDeviceLister SetPortDeviceLister(PortDeviceLister lister)
{
    std::lock_guard<std::mutex> lock(g_listerMutex);
    PortDeviceLister old = std::move(g_lister);
    g_lister = std::move(lister);
    return old;
}

QStringList PresentPortDevices()
{
    PortDeviceLister lister;
    {
        std::lock_guard<std::mutex> lock(g_listerMutex);
        lister = g_lister;
    }
    return lister ? lister() : RealDevices();
}

QString PortNameOfDevice(const QString& device)
{
    if (!device.startsWith(QStringLiteral("/dev/")))
        return QString();
    const QString base = device.mid(5);
    for (const Family& f : kFamilies) {
        const QString prefix = QString::fromLatin1(f.prefix);
        if (!base.startsWith(prefix))
            continue;
        const QString digits = base.mid(prefix.size());
        if (digits.isEmpty() || digits.size() > 3)
            continue;
        bool ok = false;
        const int n = digits.toInt(&ok);
        if (!ok || n < 0 || n >= f.count || QString::number(n) != digits)
            continue;
        return QString::fromLatin1(f.kind) + QString::number(f.first + n);
    }
    return QString();
}

QString DeviceOfPortName(const QString& name)
{
    QString kind;
    int number = 0;
    if (!ParsePortName(name, kind, number))
        return QString();
    for (const Family& f : kFamilies) {
        if (kind != QLatin1String(f.kind))
            continue;
        if (number >= f.first && number < f.first + f.count)
            return QStringLiteral("/dev/") + QString::fromLatin1(f.prefix) +
                   QString::number(number - f.first);
    }
    return QString();
}

QStringList PresentPortNames(const QString& kind)
{
    if (kind != QLatin1String("COM") && kind != QLatin1String("LPT"))
        return {};
    std::vector<int> numbers;
    const QStringList devices = PresentPortDevices();
    for (const QString& d : devices) {
        const QString name = PortNameOfDevice(d);
        if (name.startsWith(kind))
            numbers.push_back(name.mid(kind.size()).toInt());
    }
    // Devices named for a port in the environment (the port layer opens those instead).
    const QString prefix = QStringLiteral("PRT_%1_DEVICE_").arg(kind);
    const int last = kind == QLatin1String("COM") ? kMaxComNumber : kMaxLptNumber;
    const QStringList env = QProcessEnvironment::systemEnvironment().keys();
    for (const QString& key : env) {
        if (!key.startsWith(prefix))
            continue;
        bool ok = false;
        const int n = key.mid(prefix.size()).toInt(&ok);
        if (!ok || n < 1 || n > last)
            continue;
        const QString dev = qEnvironmentVariable(key.toLatin1().constData());
        if (!dev.isEmpty() && QFileInfo::exists(dev))
            numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    QStringList out;
    for (int n : numbers)
        out.append(kind + QString::number(n) + QLatin1Char(':'));
    return out;
}

} // namespace prt
