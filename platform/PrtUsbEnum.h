#pragma once
#include <QStringList>

namespace prt {

// One identity text per attached USB device, "USB\VID_XXXX&PID_XXXX\<bus>-<port path>"
// (upper-case hexadecimal ids), in the order the system lists them. Empty when no USB
// support is available.
QStringList EnumUsbDeviceIds();

} // namespace prt
