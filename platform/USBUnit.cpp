#include "USBUnit.h"

#include <QMetaObject>
#include <QPointer>
#include <libusb.h>

namespace {

TUSB* g_instance = nullptr;
int g_startCount = 0;

int LIBUSB_CALL HotplugCallback(libusb_context*, libusb_device*, libusb_hotplug_event event, void* user)
{
    auto* self = static_cast<TUSB*>(user);
    const int code = event == LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED ? TUSB::DeviceArrival : TUSB::DeviceRemoveComplete;
    QPointer<TUSB> guard(self);
    QMetaObject::invokeMethod(
        self, [guard, code] {
            if (guard)
                guard->DeviceChange(code, TUSB::DevTypeDeviceInterface);
        },
        Qt::QueuedConnection);
    return 0;  // stay registered
}

} // namespace

TUSB::TUSB(QObject* parent) : QObject(parent)
{
    // Opening the USB library walks every device on the bus: that happens on the
    // notifier's own thread, so the window that starts the notifier does not wait for it.
    FThread = std::thread([this] {
        if (!RegisterUsbNotification())
            return;
        FRegistered.store(true);
        Run();
    });
}

TUSB::~TUSB()
{
    // Either the thread sees the stop before it starts waiting for events, or this sees
    // the registration and wakes it by taking the callback away.
    FStop.store(true);
    if (FRegistered.load())
        libusb_hotplug_deregister_callback(FContext, FCallbackHandle);
    if (FThread.joinable())
        FThread.join();
    if (FContext)
        libusb_exit(FContext);
}

bool TUSB::RegisterUsbNotification()
{
    if (libusb_init(&FContext) != 0) {
        FContext = nullptr;
        return false;
    }
    if (!libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG))
        return false;
    const int rc = libusb_hotplug_register_callback(
        FContext, LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED | LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT, LIBUSB_HOTPLUG_NO_FLAGS,
        LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY, HotplugCallback, this,
        &FCallbackHandle);
    return rc == LIBUSB_SUCCESS;
}

void TUSB::Run()
{
    while (!FStop.load()) {
        timeval tv{0, 200000};
        libusb_handle_events_timeout_completed(FContext, &tv, nullptr);
    }
}

void TUSB::DeviceChange(int event, int deviceType)
{
    if (deviceType != DevTypeDeviceInterface)
        return;
    if (event == DeviceArrival) {
        emit arrived();
        if (OnArrival)
            OnArrival(this);
    } else if (event == DeviceRemoveComplete) {
        emit removed();
        if (OnRemove)
            OnRemove(this);
    }
}

void UsbUnitInitialize()
{
    if (g_startCount++ == 0 && !g_instance)
        g_instance = new TUSB();
}

void UsbUnitFinalize()
{
    if (g_startCount <= 0)
        return;
    if (--g_startCount == 0) {
        delete g_instance;
        g_instance = nullptr;
    }
}

TUSB* UsbNotifier()
{
    return g_instance;
}
