#pragma once
// The engine's shared USB library context (libusb-1.0). Started once, on first use, and
// kept for the life of the process; null when USB support is not available here.
#include <cstdint>

struct libusb_context;
struct libusb_config_descriptor;

namespace prt::sdk {

libusb_context* UsbContext();

// The printer interface the "USB" port talks through.
struct UsbPrinterIface {
    int config = 0;   // bConfigurationValue that holds it
    int iface = -1;   // bInterfaceNumber
    int alt = 0;      // bAlternateSetting
    uint8_t epOut = 0, epIn = 0; // bulk endpoints (epIn 0: the printer cannot answer)
    uint16_t inPacket = 64;      // wMaxPacketSize of epIn
};
// The first interface of printer class with a bulk OUT endpoint in `cfg`; false if none.
bool FindPrinterInterface(const libusb_config_descriptor* cfg, UsbPrinterIface* out);
// Order in which attached printers are chosen: the maker's vendors first (in their
// listed order), every other vendor after them.
int UsbVendorRank(uint16_t vid);

} // namespace prt::sdk
