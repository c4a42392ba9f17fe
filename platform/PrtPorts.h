#pragma once
// The printer ports present on this computer, under the names the port layer uses.
//
//   COM1..COM32   /dev/ttyS0..31    (only real UARTs: the kernel creates ttyS nodes for
//                                     absent ports too; the serial-port enumerator of Qt
//                                     tells them apart)
//   COM33..COM64  /dev/ttyUSB0..31
//   COM65..COM96  /dev/ttyACM0..31
//   LPT1..        /dev/lp0..
//   COMn (LPTn) is also present when $PRT_COM_DEVICE_<n> ($PRT_LPT_DEVICE_<n>) names an
//   existing device file (the port layer then opens that file: tests and demos use a pty).
//
// Names carry a trailing ":" ("COM1:", "LPT1:") as the system port list gives them;
// the printer list stores them without it. Lists are sorted by number.
//
// Network ("TCPIP") ports: this system has no spooler ports of its own, so the list is
// always empty; network printers are added by address.
//
// Thread-safe. Tests replace the device enumeration with SetPortDeviceLister.
#include <QString>
#include <QStringList>

#include <functional>

namespace prt {

// Returns the device files present ("/dev/ttyS0", "/dev/ttyUSB1", "/dev/lp0", ...).
using PortDeviceLister = std::function<QStringList()>;
// Installs a lister (an empty function restores the real one); returns the old one.
PortDeviceLister SetPortDeviceLister(PortDeviceLister lister);
// The device files present, through the installed lister.
QStringList PresentPortDevices();

// "/dev/ttyUSB0" -> "COM33", "/dev/lp1" -> "LPT2"; empty for a device outside the mapping.
QString PortNameOfDevice(const QString& device);
// "COM33" / "COM33:" -> "/dev/ttyUSB0", "LPT2" -> "/dev/lp1"; empty when not a port name.
QString DeviceOfPortName(const QString& name);

// "COM" -> {"COM1:", ...}; "LPT" -> {"LPT1:", ...}; "TCPIP" -> {}; any other kind -> {}.
// Case-sensitive like the system port list.
QStringList PresentPortNames(const QString& kind);

} // namespace prt
