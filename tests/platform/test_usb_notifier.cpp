// The USB device-change notifier: only arrival and removal of a device interface reach
// the callbacks and signals; with nothing assigned, nothing happens.
#include "USBUnit.h"

#include <QSignalSpy>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

TEST(UsbNotifier, OnlyArrivalAndRemovalOfADeviceInterfaceCount)
{
    TUSB usb;
    // Nothing assigned: events are received and nothing else happens.
    usb.DeviceChange(TUSB::DeviceArrival, TUSB::DevTypeDeviceInterface);
    usb.DeviceChange(TUSB::DeviceRemoveComplete, TUSB::DevTypeDeviceInterface);

    int arrivals = 0, removals = 0;
    TUSB* sender = nullptr;
    usb.OnArrival = [&](TUSB* s) { ++arrivals; sender = s; };
    usb.OnRemove = [&](TUSB*) { ++removals; };
    QSignalSpy arrived(&usb, &TUSB::arrived);
    QSignalSpy removed(&usb, &TUSB::removed);
    struct Case { int event, type, arrivals, removals; } cases[] = {
        {TUSB::DeviceArrival, TUSB::DevTypeDeviceInterface, 1, 0},
        {TUSB::DeviceRemoveComplete, TUSB::DevTypeDeviceInterface, 1, 1},
        {0x8001 /* query remove */, TUSB::DevTypeDeviceInterface, 1, 1},
        {0x8003 /* remove pending */, TUSB::DevTypeDeviceInterface, 1, 1},
        {TUSB::DeviceArrival, 2 /* a volume */, 1, 1},
        {TUSB::DeviceRemoveComplete, 3 /* a port */, 1, 1},
    };
    for (const auto& c : cases) {
        usb.DeviceChange(c.event, c.type);
        EXPECT_EQ(arrivals, c.arrivals) << c.event << " " << c.type;
        EXPECT_EQ(removals, c.removals) << c.event << " " << c.type;
    }
    EXPECT_EQ(sender, &usb);
    EXPECT_EQ(arrived.count(), 1);
    EXPECT_EQ(removed.count(), 1);
}

TEST(UsbNotifier, OneInstanceFromFirstStartUpToMatchingFinish)
{
    EXPECT_EQ(UsbNotifier(), nullptr);
    UsbUnitInitialize();
    TUSB* first = UsbNotifier();
    ASSERT_NE(first, nullptr);
    UsbUnitInitialize();
    EXPECT_EQ(UsbNotifier(), first);
    UsbUnitFinalize();
    EXPECT_EQ(UsbNotifier(), first);
    UsbUnitFinalize();
    EXPECT_EQ(UsbNotifier(), nullptr);
    UsbUnitFinalize();  // one finish too many is harmless
    EXPECT_EQ(UsbNotifier(), nullptr);
}

// The notifier opens the USB library on its own thread: one freed at any moment of that
// start (before, during or after the registration) ends cleanly and at once.
TEST(UsbNotifier, FreedAtAnyMomentOfItsStartEndsCleanly)
{
    for (int delayUs : {0, 0, 50, 200, 1000, 5000, 20000}) {
        TUSB usb;
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
    }
}
