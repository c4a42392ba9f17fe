#include "PrtUsb.h"
#include "PrtPort.h"
#include "PrtSdk.h"
#include "PrtUsbIds.h"

#include <libusb.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace prt::sdk {

libusb_context* UsbContext()
{
    // Never torn down: ports may be closed by static destructors at exit.
    static libusb_context* ctx = [] {
        libusb_context* c = nullptr;
        return libusb_init(&c) == 0 ? c : nullptr;
    }();
    return ctx;
}

namespace {

struct Candidate : UsbPrinterIface {
    libusb_device* dev = nullptr;
    uint16_t vid = 0, pid = 0;
    uint8_t iSerial = 0;
    int rank = 0;
};

} // namespace

int UsbVendorRank(uint16_t vid)
{
    const auto it = std::find(kUsbMakerVids.begin(), kUsbMakerVids.end(), vid);
    return int(it - kUsbMakerVids.begin());
}

bool FindPrinterInterface(const libusb_config_descriptor* cfg, UsbPrinterIface* c)
{
    for (int i = 0; i < cfg->bNumInterfaces; ++i) {
        const libusb_interface& itf = cfg->interface[i];
        for (int a = 0; a < itf.num_altsetting; ++a) {
            const libusb_interface_descriptor& d = itf.altsetting[a];
            if (d.bInterfaceClass != kUsbClassPrinter)
                continue;
            uint8_t out = 0, in = 0;
            uint16_t inPacket = 64;
            for (int e = 0; e < d.bNumEndpoints; ++e) {
                const libusb_endpoint_descriptor& ep = d.endpoint[e];
                if ((ep.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) != LIBUSB_TRANSFER_TYPE_BULK)
                    continue;
                if (ep.bEndpointAddress & LIBUSB_ENDPOINT_IN) {
                    if (!in) {
                        in = ep.bEndpointAddress;
                        inPacket = ep.wMaxPacketSize ? ep.wMaxPacketSize : 64;
                    }
                } else if (!out) {
                    out = ep.bEndpointAddress;
                }
            }
            if (!out)
                continue;
            c->config = cfg->bConfigurationValue;
            c->iface = d.bInterfaceNumber;
            c->alt = d.bAlternateSetting;
            c->epOut = out;
            c->epIn = in;
            c->inPacket = inPacket;
            return true;
        }
    }
    return false;
}

namespace {

// Printer-class devices, the maker's vendors first (stable order otherwise).
std::vector<Candidate> ListPrinters(libusb_device** list, ssize_t n)
{
    std::vector<Candidate> out;
    for (ssize_t i = 0; i < n; ++i) {
        libusb_device_descriptor dd{};
        if (libusb_get_device_descriptor(list[i], &dd) != 0)
            continue;
        Candidate c;
        c.dev = list[i];
        c.vid = dd.idVendor;
        c.pid = dd.idProduct;
        c.iSerial = dd.iSerialNumber;
        libusb_config_descriptor* cfg = nullptr;
        bool found = false;
        if (libusb_get_active_config_descriptor(list[i], &cfg) == 0 && cfg) {
            found = FindPrinterInterface(cfg, &c);
            libusb_free_config_descriptor(cfg);
        }
        for (int k = 0; !found && k < dd.bNumConfigurations; ++k) {
            cfg = nullptr;
            if (libusb_get_config_descriptor(list[i], uint8_t(k), &cfg) == 0 && cfg) {
                found = FindPrinterInterface(cfg, &c);
                libusb_free_config_descriptor(cfg);
            }
        }
        if (!found)
            continue;
        c.rank = UsbVendorRank(c.vid);
        out.push_back(c);
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Candidate& a, const Candidate& b) { return a.rank < b.rank; });
    return out;
}

int UsbErrorCode(int err)
{
    switch (err) {
    case LIBUSB_ERROR_NO_DEVICE:
    case LIBUSB_ERROR_NOT_FOUND: return PRT_E_NO_DEVICE;
    case LIBUSB_ERROR_TIMEOUT: return PRT_E_TIMEOUT;
    default: return PRT_E_OPEN_FAILED;
    }
}

// One opened USB printer. Several printer objects may have the same device open at once
// (the main window keeps one library's port open while a window talks through another
// library): they share this handle, and `io` keeps one transfer at a time.
class UsbDevice {
public:
    UsbDevice(libusb_device_handle* h, const Candidate& c, bool reattach)
        : h_(h), c_(c), reattach_(reattach) {}
    UsbDevice(const UsbDevice&) = delete;
    UsbDevice& operator=(const UsbDevice&) = delete;
    ~UsbDevice()
    {
        libusb_release_interface(h_, c_.iface);
        if (reattach_)
            libusb_attach_kernel_driver(h_, c_.iface);
        libusb_close(h_);
    }

    int write(const uint8_t* data, size_t length)
    {
        size_t done = 0;
        while (done < length) {
            const int chunk = int(std::min<size_t>(length - done, 64 * 1024));
            int moved = 0;
            const int r = libusb_bulk_transfer(h_, c_.epOut, const_cast<uint8_t*>(data + done), chunk,
                                               &moved, WriteTimeoutMs());
            done += size_t(std::max(moved, 0));
            if (r == LIBUSB_ERROR_TIMEOUT && moved > 0)
                continue; // slow but moving
            if (r == LIBUSB_ERROR_TIMEOUT)
                return PRT_E_TIMEOUT;
            if (r != 0)
                return PRT_E_IO;
        }
        return PRT_OK;
    }

    int readSome(uint8_t* buffer, size_t max, uint32_t timeoutMs, size_t* got)
    {
        *got = 0;
        if (!c_.epIn)
            return PRT_E_NOT_SUPPORTED;
        if (max == 0)
            return PRT_OK;
        // Bulk reads ask for whole packets (a shorter request could overflow); the
        // surplus waits in spare_ for the next call.
        if (spare_.isEmpty()) {
            const int size = std::max<int>(c_.inPacket, 4096 / c_.inPacket * c_.inPacket);
            QByteArray buf(size, Qt::Uninitialized);
            int moved = 0;
            const int r = libusb_bulk_transfer(h_, c_.epIn, reinterpret_cast<uint8_t*>(buf.data()), size,
                                               &moved, std::max<uint32_t>(timeoutMs, 1));
            if (moved > 0)
                spare_ = buf.left(moved);
            else if (r == LIBUSB_ERROR_TIMEOUT || r == 0)
                return PRT_OK;
            else
                return PRT_E_IO;
        }
        const size_t n = std::min<size_t>(max, size_t(spare_.size()));
        std::copy_n(spare_.constData(), n, buffer);
        spare_.remove(0, qsizetype(n));
        *got = n;
        return PRT_OK;
    }

    int serialNumber(QByteArray* sn)
    {
        sn->clear();
        if (!c_.iSerial)
            return PRT_E_NOT_SUPPORTED;
        unsigned char buf[128] = {};
        const int n = libusb_get_string_descriptor_ascii(h_, c_.iSerial, buf, sizeof buf);
        if (n < 0)
            return PRT_E_IO;
        *sn = QByteArray(reinterpret_cast<const char*>(buf), n);
        return PRT_OK;
    }

    std::mutex io;

private:
    libusb_device_handle* h_;
    Candidate c_;
    bool reattach_;
    QByteArray spare_;
};

class UsbPort : public Port {
public:
    explicit UsbPort(std::shared_ptr<UsbDevice> dev) : dev_(std::move(dev)) {}
    int write(const uint8_t* data, size_t length) override
    {
        std::lock_guard lock(dev_->io);
        return dev_->write(data, length);
    }
    int readSome(uint8_t* buffer, size_t max, uint32_t timeoutMs, size_t* got) override
    {
        std::lock_guard lock(dev_->io);
        return dev_->readSome(buffer, max, timeoutMs, got);
    }
    int serialNumber(QByteArray* sn) override
    {
        std::lock_guard lock(dev_->io);
        return dev_->serialNumber(sn);
    }

private:
    std::shared_ptr<UsbDevice> dev_;
};

// Devices open in this process, by libusb's device object (stable while a handle is open).
std::mutex g_openLock;
std::map<libusb_device*, std::weak_ptr<UsbDevice>> g_open;

} // namespace

namespace {

// The attached printers, best first; libusb's device list is held while this lives, so
// the candidates' device objects stay valid.
class AttachedPrinters {
public:
    AttachedPrinters()
    {
        libusb_context* ctx = UsbContext();
        if (!ctx)
            return;
        const ssize_t n = libusb_get_device_list(ctx, &list_);
        if (n < 0) {
            list_ = nullptr;
            return;
        }
        printers = ListPrinters(list_, n);
        status = PRT_OK;
    }
    ~AttachedPrinters()
    {
        if (list_)
            libusb_free_device_list(list_, 1);
    }
    AttachedPrinters(const AttachedPrinters&) = delete;
    AttachedPrinters& operator=(const AttachedPrinters&) = delete;

    int status = PRT_E_NO_USB;  // PRT_OK when the device list could be read
    std::vector<Candidate> printers;

private:
    libusb_device** list_ = nullptr;
};

} // namespace

int FindUsbPrinterIds(uint16_t* vid, uint16_t* pid)
{
    const AttachedPrinters attached;
    if (attached.status != PRT_OK)
        return attached.status;
    if (attached.printers.empty())
        return PRT_E_NO_DEVICE;
    *vid = attached.printers.front().vid;
    *pid = attached.printers.front().pid;
    return PRT_OK;
}

int OpenUsbPort(std::unique_ptr<Port>* port)
{
    const AttachedPrinters attached;
    if (attached.status != PRT_OK)
        return attached.status;
    const std::vector<Candidate>& printers = attached.printers;
    int rc = PRT_E_NO_DEVICE;
    std::lock_guard openLock(g_openLock);
    std::shared_ptr<UsbDevice> shared;
    if (!printers.empty()) {
        const auto it = g_open.find(printers.front().dev);
        if (it != g_open.end())
            shared = it->second.lock();
    }
    if (shared) {
        *port = std::make_unique<UsbPort>(shared);
        rc = PRT_OK;
    } else if (!printers.empty()) {
        const Candidate& c = printers.front();
        libusb_device_handle* h = nullptr;
        rc = libusb_open(c.dev, &h);
        if (rc != 0) {
            rc = UsbErrorCode(rc);
        } else {
            int current = 0;
            if (libusb_get_configuration(h, &current) == 0 && current != c.config)
                libusb_set_configuration(h, c.config);
            bool reattach = false;
            if (libusb_kernel_driver_active(h, c.iface) == 1)
                reattach = libusb_detach_kernel_driver(h, c.iface) == 0;
            rc = libusb_claim_interface(h, c.iface);
            if (rc == 0 && c.alt != 0)
                rc = libusb_set_interface_alt_setting(h, c.iface, c.alt);
            if (rc != 0) {
                libusb_release_interface(h, c.iface);
                if (reattach)
                    libusb_attach_kernel_driver(h, c.iface);
                libusb_close(h);
                rc = rc == LIBUSB_ERROR_BUSY ? PRT_E_OPEN_FAILED : UsbErrorCode(rc);
            } else {
                shared = std::make_shared<UsbDevice>(h, c, reattach);
                for (auto i = g_open.begin(); i != g_open.end();)
                    i = i->second.expired() ? g_open.erase(i) : std::next(i);
                g_open[c.dev] = shared;
                *port = std::make_unique<UsbPort>(shared);
                rc = PRT_OK;
            }
        }
    }
    return rc;
}

} // namespace prt::sdk
