// The port list and the device mapping.
#include "PrtPorts.h"
#include "TestSupport.h"

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
