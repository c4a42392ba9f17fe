// Choice of the USB printer interface and of the device, from hand-made descriptors.
#include "PrtUsb.h"
#include "PrtUsbIds.h"

#include <gtest/gtest.h>
#include <libusb.h>

#include <vector>

using namespace prt::sdk;

namespace {

libusb_endpoint_descriptor Ep(uint8_t address, uint8_t type, uint16_t packet)
{
    libusb_endpoint_descriptor e{};
    e.bEndpointAddress = address;
    e.bmAttributes = type;
    e.wMaxPacketSize = packet;
    return e;
}

libusb_interface_descriptor Alt(uint8_t number, uint8_t alt, uint8_t cls,
                                const std::vector<libusb_endpoint_descriptor>& eps)
{
    libusb_interface_descriptor d{};
    d.bInterfaceNumber = number;
    d.bAlternateSetting = alt;
    d.bInterfaceClass = cls;
    d.bNumEndpoints = uint8_t(eps.size());
    d.endpoint = eps.data();
    return d;
}

} // namespace

TEST(SdkUsbChoice, PrinterInterfaceNeedsClassSevenAndBulkOut)
{
    const uint8_t bulk = LIBUSB_TRANSFER_TYPE_BULK, intr = LIBUSB_TRANSFER_TYPE_INTERRUPT;
    // Interface 0: a storage interface; interface 1: printer class, alt 0 has only an
    // interrupt endpoint, alt 1 has bulk IN 0x82 (512) and bulk OUT 0x01.
    const std::vector<libusb_endpoint_descriptor> storageEps = {Ep(0x81, bulk, 64), Ep(0x02, bulk, 64)};
    const std::vector<libusb_endpoint_descriptor> alt0Eps = {Ep(0x83, intr, 8)};
    const std::vector<libusb_endpoint_descriptor> alt1Eps = {Ep(0x82, bulk, 512), Ep(0x01, bulk, 512)};
    const libusb_interface_descriptor storage[] = {Alt(0, 0, 8, storageEps)};
    const libusb_interface_descriptor printer[] = {Alt(1, 0, prt::kUsbClassPrinter, alt0Eps),
                                                   Alt(1, 1, prt::kUsbClassPrinter, alt1Eps)};
    const libusb_interface itfs[] = {{storage, 1}, {printer, 2}};
    libusb_config_descriptor cfg{};
    cfg.bConfigurationValue = 2;
    cfg.bNumInterfaces = 2;
    cfg.interface = itfs;

    UsbPrinterIface got;
    ASSERT_TRUE(FindPrinterInterface(&cfg, &got));
    EXPECT_EQ(got.config, 2);
    EXPECT_EQ(got.iface, 1);
    EXPECT_EQ(got.alt, 1);
    EXPECT_EQ(got.epOut, 0x01);
    EXPECT_EQ(got.epIn, 0x82);
    EXPECT_EQ(got.inPacket, 512);

    // Without the printer interface (or with a write-less one) there is nothing to use.
    cfg.bNumInterfaces = 1;
    EXPECT_FALSE(FindPrinterInterface(&cfg, &got));
    const std::vector<libusb_endpoint_descriptor> inOnly = {Ep(0x81, bulk, 64)};
    const libusb_interface_descriptor readOnly[] = {Alt(0, 0, prt::kUsbClassPrinter, inOnly)};
    const libusb_interface one[] = {{readOnly, 1}};
    cfg.interface = one;
    EXPECT_FALSE(FindPrinterInterface(&cfg, &got));
}

TEST(SdkUsbChoice, MakerVendorsComeFirst)
{
    EXPECT_LT(UsbVendorRank(prt::kUsbVidMaker), UsbVendorRank(prt::kUsbVidMakerOem));
    EXPECT_LT(UsbVendorRank(prt::kUsbVidMakerOem), UsbVendorRank(0x04B8));
    EXPECT_EQ(UsbVendorRank(0x04B8), UsbVendorRank(0x1234)); // others keep the system's order
}
