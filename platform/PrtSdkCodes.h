#pragma once
// Result codes of the printer SDK engine (PrtSdk.h) and of its transports (PrtPort.h).

namespace prt::sdk {

enum PrtSdkCodes : int {
    PRT_OK = 0,
    PRT_ALREADY_OPEN = 5,       // this object already has its port open
    PRT_E_NO_OBJECT = -6,       // handle 0, unknown or destroyed
    PRT_E_BAD_PORT = -10,       // port string not understood
    PRT_E_NO_DEVICE = -11,      // device file / USB printer not present
    PRT_E_OPEN_FAILED = -12,    // device present but could not be opened (permissions, busy)
    PRT_E_CONNECT = -13,        // TCP connection refused or unreachable
    PRT_E_TIMEOUT = -14,        // connect or write timed out
    PRT_E_IO = -15,             // read/write failed, peer closed
    PRT_E_NOT_OPEN = -16,       // I/O on an object whose port is not open
    PRT_E_BAD_ARG = -17,        // null pointer, bad length
    PRT_E_NOT_SUPPORTED = -18,  // e.g. read on a parallel port; no serial number on this port
    PRT_E_NO_USB = -19,         // the USB library could not be started (no USB support here)
};

} // namespace prt::sdk
