#pragma once
// The engine's shared USB library context (libusb-1.0). Started once, on first use, and
// kept for the life of the process; null when USB support is not available here.
struct libusb_context;

namespace prt::sdk {
libusb_context* UsbContext();
} // namespace prt::sdk
