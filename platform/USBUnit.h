#pragma once
// USB device-change notifier: turns the arrival and removal of USB devices into two
// optional callbacks and two signals. Nothing in the program listens, so plugging a
// printer in or out changes nothing; the notifier only receives the events.
//
// Events come from libusb hot-plug on a thread of the notifier's own, which also opens the
// library and registers (the constructor returns at once); the callbacks run on the GUI
// thread (queued). Where the USB library or hot-plug is not available the
// notifier simply receives nothing (not an error).
#include <QObject>
#include <atomic>
#include <functional>
#include <thread>

struct libusb_context;

class TUSB : public QObject {
    Q_OBJECT
public:
    // Event codes and the device type the handler acts on.
    static constexpr int DeviceArrival = 0x8000;
    static constexpr int DeviceRemoveComplete = 0x8004;
    static constexpr int DevTypeDeviceInterface = 5;

    explicit TUSB(QObject* parent = nullptr);
    ~TUSB() override;
    TUSB(const TUSB&) = delete;
    TUSB& operator=(const TUSB&) = delete;

    // Unassigned unless someone assigns them; called with the notifier as sender.
    std::function<void(TUSB* sender)> OnArrival;
    std::function<void(TUSB* sender)> OnRemove;

    // True once hot-plug events are being received (set by the notifier's thread).
    bool IsRegistered() const { return FRegistered.load(); }
    // The device-change handler: only arrival and removal of a device interface count;
    // every other event or device type is ignored. GUI thread.
    void DeviceChange(int event, int deviceType);

signals:
    void arrived();
    void removed();

private:
    bool RegisterUsbNotification();
    void Run();

    libusb_context* FContext = nullptr;
    int FCallbackHandle = 0;
    std::atomic<bool> FRegistered{false};
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

// Module start-up and finish: the first start-up creates the single instance, the
// matching finish frees it.
void UsbUnitInitialize();
void UsbUnitFinalize();
TUSB* UsbNotifier();
