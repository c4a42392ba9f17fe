#pragma once
// The engine entry points the printer link calls, gathered in one table per library so
// that a test can put a counting fake in place of the real engine. By default every
// table points straight at prt::sdk (platform/PrtSdk.h).
#include "PrtSdk.h"

#include <cstdint>

struct PrtSdkApi {
    int (*PrinterCreator)(prt::sdk::Lib, prt::sdk::Handle*, const char16_t*);
    int (*PrinterDestroy)(prt::sdk::Lib, prt::sdk::Handle*);
    int (*PortOpen)(prt::sdk::Lib, prt::sdk::Handle, const char16_t*);
    int (*PortClose)(prt::sdk::Lib, prt::sdk::Handle);
    int (*WriteData)(prt::sdk::Lib, prt::sdk::Handle, const uint8_t*, uint32_t);
    int (*ReadData)(prt::sdk::Lib, prt::sdk::Handle, uint8_t*, uint32_t, uint32_t*);
    int (*ReadDataEOF)(prt::sdk::Lib, prt::sdk::Handle, uint8_t*, uint32_t, uint32_t, uint8_t, uint8_t,
                       uint32_t*);
    int (*GetVidPid)(char*);
    int (*TSPL_GetSN)(prt::sdk::Handle, char*);
    // Optional (a stand-in may leave them null): drop pending input without waiting, and
    // whether an object's port is open (1/0). Null means "not known": the link then drops
    // nothing and trusts its own open flags.
    int (*DiscardInput)(prt::sdk::Lib, prt::sdk::Handle, uint32_t, uint32_t*);
    int (*PortIsOpen)(prt::sdk::Lib, prt::sdk::Handle);
};

// The real engine.
const PrtSdkApi& DefaultPrtSdkApi();
// The table in use for a library (never null).
const PrtSdkApi& PrtSdkApiOf(prt::sdk::Lib lib);
// Replaces the table of one library; nullptr restores the real engine. Returns the
// table that was in use. The table must outlive its use (tests keep it static or in a
// fixture that restores the old one).
const PrtSdkApi* SetPrtSdkApi(prt::sdk::Lib lib, const PrtSdkApi* api);
