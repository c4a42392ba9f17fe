#pragma once
// Abstract printer device over one engine library, carrying the printers' text-command
// profile. The device does not own an engine object: it is handed the handle of the
// link's global object of its library (SetHandle).
//
// Also here: the storage of the per-printer switches and permission values that the
// core's feature switching fills, with their start values (InitParamGlobals).
#include "PrtSdk.h"
#include "mdlDevData.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

class TDevBasePrt {
public:
    TDevBasePrt();
    virtual ~TDevBasePrt();
    TDevBasePrt(const TDevBasePrt&) = delete;
    TDevBasePrt& operator=(const TDevBasePrt&) = delete;

    // Slot order of the operations; the base bodies do nothing and return 0.
    virtual int Reserved0();
    virtual void SetHandle(prt::sdk::Handle handle);
    virtual int Close();
    virtual int Open(const QString& port);
    virtual int WriteData(const uint8_t* data, uint32_t length);
    virtual int ReadData(uint8_t* buffer, uint32_t length, uint32_t* count);
    virtual int ReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2,
                            uint32_t* count);

    QString ModelName;
    QString ResolvedModelName;
    int32_t ProtocolId = 0;
    prt::sdk::Handle Handle = 0;
    QByteArray CmdPrefix;   // 1B 1C 26 20 56 31 20
    QByteArray LineEnd;     // 0D 0A
    QByteArray GetVerb;     // "getkey"
    QByteArray SetVerb;     // "setkey"
    std::array<uint16_t, 15> KeyIdsA{};
    QByteArray WifiNameKey;  // "\"wifi_name\""
    std::array<uint16_t, 24> KeyIdsB{};
    std::array<QByteArray, 9> DoKeys;
    std::unique_ptr<TDevData> DevData1;
    std::unique_ptr<TDevData> DevData2;
    int32_t OptionCodeA = 0;  // TConstVar code 3
    int32_t OptionCodeB = 0;  // TConstVar code 8
    std::array<QString, 4> Texts;
    QString Text5;
    uint8_t Flag1 = 0;
    int32_t OptionCodeC = 0;  // TConstVar code 18
    uint8_t Flag2 = 0;
    int32_t NoHandleCode = prt::sdk::PRT_E_NO_OBJECT;

protected:
    // Engine calls on the stored handle for the library of a subclass.
    int LibOpen(prt::sdk::Lib lib, const QString& port, bool retryOnAlreadyOpen);
    int LibClose(prt::sdk::Lib lib);
    int LibWrite(prt::sdk::Lib lib, const uint8_t* data, uint32_t length);
    int LibRead(prt::sdk::Lib lib, uint8_t* buffer, uint32_t length, uint32_t* count);
    int LibReadEof(prt::sdk::Lib lib, uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2,
                   uint32_t* count);
};

// ---- per-printer switches and permission values --------------------------------

// The core's feature switching (ApplyModelFeatures) fills this store each time a
// printer is selected; windows read it. Start values: every switch 0 except
// Switch[kSwitch31A] = Switch[kSwitch31B] = 31, Switch[kSwitchFlagOne] = 1 and
// Switch[kSwitch99] = 99; every permission value 0.
struct TParamGlobals {
    static constexpr int kSwitchCount = 28;
    static constexpr int kPermissionCount = 42;
    // Named switches that other windows read (the rest are kept by index).
    enum SwitchIndex : int {
        kProtocolTypeSwitch = 0,
        kPaperModeSwitchA,
        kPaperModeKeyKind,
        kPaperModeSwitchB,
        kPaperModeQueryOn,
        kExtraKeySwitch,
        kPrintTextFeedCount,
        // 7 .. 23: further switches set from their own lists
        kSwitch31A = 24,
        kSwitch31B = 25,
        kSwitchFlagOne = 26,
        kSwitch99 = 27,
    };
    std::array<int32_t, kSwitchCount> Switch{};
    std::array<int32_t, kPermissionCount> Permission{};

    // The ten-digit item numbers of the permission values, in storage order.
    static const std::array<const char*, kPermissionCount>& PermissionItemNos();
    // Index of an item number in Permission, -1 when unknown.
    static int PermissionIndex(const QString& itemNo);
    // The value of an item number; 0 when unknown.
    int32_t PermissionOf(const QString& itemNo) const;
};

// The store (GUI thread: written on selection, read by windows).
TParamGlobals& ParamGlobals();
// Sets the start values (run once before any window exists; may be run again).
void InitParamGlobals();
