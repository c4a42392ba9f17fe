#include "PrtUsbEnum.h"
#include "PrtUsb.h"

#include <libusb.h>

namespace prt {

QStringList EnumUsbDeviceIds()
{
    QStringList ids;
    libusb_context* ctx = sdk::UsbContext();
    if (!ctx)
        return ids;
    libusb_device** list = nullptr;
    const ssize_t n = libusb_get_device_list(ctx, &list);
    if (n < 0)
        return ids;
    for (ssize_t i = 0; i < n; ++i) {
        libusb_device_descriptor dd{};
        if (libusb_get_device_descriptor(list[i], &dd) != 0)
            continue;
        QString where = QString::number(libusb_get_bus_number(list[i]));
        uint8_t ports[8] = {};
        const int depth = libusb_get_port_numbers(list[i], ports, sizeof ports);
        for (int k = 0; k < depth; ++k)
            where += (k == 0 ? u'-' : u'.') + QString::number(ports[k]);
        ids << QStringLiteral("USB\\VID_%1&PID_%2\\%3")
                   .arg(dd.idVendor, 4, 16, QLatin1Char('0'))
                   .arg(dd.idProduct, 4, 16, QLatin1Char('0'))
                   .toUpper()
                   .arg(where);
    }
    libusb_free_device_list(list, 1);
    return ids;
}

} // namespace prt
