// The port list and the device mapping.
#include "PrtPort.h"
#include "PrtPorts.h"
#include "PrtUsbIds.h"
#include "TestSupport.h"

#include <QFile>
#include <QTemporaryFile>
#include <gtest/gtest.h>

namespace {

struct ListerGuard {
    explicit ListerGuard(QStringList devices)
    {
        old = prt::SetPortDeviceLister([devices] { return devices; });
    }
    ~ListerGuard() { prt::SetPortDeviceLister(old); }
    prt::PortDeviceLister old;
};

} // namespace

TEST(Ports, DeviceMappingBothWays)
{
    const std::pair<const char*, const char*> table[] = {
        {"/dev/ttyS0", "COM1"},    {"/dev/ttyS31", "COM32"},  {"/dev/ttyUSB0", "COM33"},
        {"/dev/ttyUSB31", "COM64"}, {"/dev/ttyACM0", "COM65"}, {"/dev/ttyACM31", "COM96"},
        {"/dev/lp0", "LPT1"},      {"/dev/lp2", "LPT3"},
    };
    for (auto [dev, name] : table) {
        EXPECT_EQ(prt::PortNameOfDevice(dev), name) << dev;
        EXPECT_EQ(prt::DeviceOfPortName(name), dev) << name;
        EXPECT_EQ(prt::DeviceOfPortName(QString(name) + ":"), dev) << name;
    }
    for (const char* dev : {"/dev/ttyS32", "/dev/ttyUSB32", "/dev/ttyS01", "/dev/ttyAMA0", "/dev/lpx", "ttyS0"})
        EXPECT_TRUE(prt::PortNameOfDevice(dev).isEmpty()) << dev;
    for (const char* name : {"COM0", "COM97", "com1", "LPT", "USB", "COM1,BAUDRATE_9600"})
        EXPECT_TRUE(prt::DeviceOfPortName(name).isEmpty()) << name;
}

TEST(Ports, PresentPortsByKind)
{
    ListerGuard g({"/dev/ttyUSB1", "/dev/ttyS2", "/dev/lp0", "/dev/ttyACM0", "/dev/ttyAMA0", "/dev/ttyS40"});
    EXPECT_EQ(prt::PresentPortNames("COM"), (QStringList{"COM3:", "COM34:", "COM65:"}));
    EXPECT_EQ(prt::PresentPortNames("LPT"), QStringList{"LPT1:"});
    EXPECT_TRUE(prt::PresentPortNames("TCPIP").isEmpty());
    EXPECT_TRUE(prt::PresentPortNames("com").isEmpty());

    // a device named for COMn in the environment (a pty in tests) is listed once
    QTemporaryFile pty;
    ASSERT_TRUE(pty.open());
    prt::test::ScopedEnv env("PRT_COM_DEVICE_3", pty.fileName());
    prt::test::ScopedEnv env2("PRT_COM_DEVICE_7", pty.fileName());
    prt::test::ScopedEnv env3("PRT_COM_DEVICE_8", "/nonexistent/dev");
    prt::test::ScopedEnv env4("PRT_LPT_DEVICE_2", pty.fileName());
    prt::test::ScopedEnv env5("PRT_COM_DEVICE_97", pty.fileName());
    EXPECT_EQ(prt::PresentPortNames("COM"), (QStringList{"COM3:", "COM7:", "COM34:", "COM65:"}));
    EXPECT_EQ(prt::PresentPortNames("LPT"), (QStringList{"LPT1:", "LPT2:"}));
}

// Every listed port opens by its name: a parallel device beyond the engine's last LPT number
// is not offered under a name the engine refuses.
TEST(Ports, ListedNamesAreNamesThePortEngineAccepts)
{
    ListerGuard g({"/dev/lp63", "/dev/lp64", "/dev/lp200", "/dev/ttyACM31", "/dev/ttyS0"});
    QTemporaryFile dev;
    ASSERT_TRUE(dev.open());
    prt::test::ScopedEnv env("PRT_LPT_DEVICE_65", dev.fileName());
    prt::test::ScopedEnv env2("PRT_LPT_DEVICE_64", dev.fileName());
    EXPECT_EQ(prt::PresentPortNames("LPT"), QStringList{"LPT64:"});
    EXPECT_EQ(prt::PresentPortNames("COM"), (QStringList{"COM1:", "COM96:"}));
    for (const QString& kind : {QStringLiteral("COM"), QStringLiteral("LPT")}) {
        for (QString name : prt::PresentPortNames(kind)) {
            name.chop(1);  // the trailing ":"
            const QString port = kind == QLatin1String("COM") ? name + ",BAUDRATE_9600" : name;
            prt::sdk::PortSpec spec;
            EXPECT_EQ(prt::sdk::ParsePortString(port, &spec), prt::sdk::PRT_OK) << port.toStdString();
        }
    }
    EXPECT_TRUE(prt::PortNameOfDevice("/dev/lp64").isEmpty());
    EXPECT_TRUE(prt::DeviceOfPortName("LPT65").isEmpty());
}

// USB printers open without root once the shipped udev rule is installed: it grants the
// seat's user the maker's vendor ids and every printer-class device, and the README says
// how to install it.
TEST(Ports, UdevRuleCoversTheMakersVendorsAndPrinterClass)
{
    QFile rule(prt::test::SourceDir() + "/packaging/60-prt-printers.rules");
    ASSERT_TRUE(rule.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(rule.readAll());
    QStringList active;
    for (const QString& line : text.split('\n'))
        if (!line.trimmed().startsWith('#') && !line.trimmed().isEmpty())
            active << line;
    for (uint16_t vid : prt::kUsbMakerVids) {
        const QString match = QStringLiteral("ATTR{idVendor}==\"%1\"").arg(vid, 4, 16, QLatin1Char('0'));
        bool found = false;
        for (const QString& line : active)
            found = found || (line.contains(match) && line.contains("TAG+=\"uaccess\""));
        EXPECT_TRUE(found) << match.toStdString();
    }
    bool printerClass = false;
    for (const QString& line : active)
        printerClass = printerClass || (line.contains(":07????:") && line.contains("TAG+=\"uaccess\""));
    EXPECT_TRUE(printerClass);
    QFile readme(prt::test::SourceDir() + "/README.md");
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    EXPECT_TRUE(readme.readAll().contains("packaging/60-prt-printers.rules /etc/udev/rules.d/"));
}
