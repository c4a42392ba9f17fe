#pragma once
// The maker's USB vendor ids. The "USB" port prefers devices of these vendors, in this order;
// the model catalogue builds its "VID_XXXX&PID_XXXX" identity texts from the same values.
#include <array>
#include <cstdint>

namespace prt {

constexpr uint16_t kUsbVidMaker = 0x2B5A;    // the maker's own printers
constexpr uint16_t kUsbVidMakerOem = 0x2B5B; // printers built for OEM brands
constexpr std::array<uint16_t, 2> kUsbMakerVids = {kUsbVidMaker, kUsbVidMakerOem};

// The USB interface class of printers.
constexpr uint8_t kUsbClassPrinter = 7;

} // namespace prt
