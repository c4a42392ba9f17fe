#include "mdlDevBasePrt.h"

#include "mdlLinkSeams.h"
#include "mdlPrinterLibApi.h"

using prt::sdk::Lib;

namespace {
const char16_t* Utf16(const QString& s)
{
    return reinterpret_cast<const char16_t*>(s.utf16());
}
} // namespace

TDevBasePrt::TDevBasePrt()
    : CmdPrefix(QByteArray("\x1B\x1C\x26\x20\x56\x31\x20", 7)),
      LineEnd(QByteArray("\r\n")),
      GetVerb(QByteArray("getkey")),
      SetVerb(QByteArray("setkey")),
      KeyIdsA{0x68, 0x69, 0x6A, 0x6B, 0x73, 0x74, 0x76, 0x77, 0x78, 0x79, 0x79, 0x79, 0x7A, 0x7B, 0x7C},
      WifiNameKey(QByteArray("\"wifi_name\"")),
      KeyIdsB{0x7D, 0x80, 0x81, 0x82, 0x85, 0x71, 0x86, 0x88, 0x8A, 0x97, 0x9E, 0x9F,
              0xCA, 0xCE, 0xCB, 0xCF, 0xD0, 0xD7, 0xE6, 0xEA, 0x12D, 0x138, 0x190, 0x191},
      DoKeys{QByteArray("\"reset_printer\""), QByteArray("\"reset_wifi\""), QByteArray("\"bt_para_reset\""),
             QByteArray("\"reset_bt\""), QByteArray("\"save_param_zone\""), QByteArray("\"unlock_para\""),
             QByteArray("R-SELFPRINT"), QByteArray("R-REST_WIFI"), QByteArray("R-REST_BT")},
      DevData1(std::make_unique<TDevData>()),
      DevData2(std::make_unique<TDevData>()),
      OptionCodeA(LinkConstVar(3)),
      OptionCodeB(LinkConstVar(8)),
      OptionCodeC(LinkConstVar(18))
{
}

TDevBasePrt::~TDevBasePrt() = default;

int TDevBasePrt::Reserved0()
{
    return 0;
}

void TDevBasePrt::SetHandle(prt::sdk::Handle handle)
{
    Handle = handle;
}

int TDevBasePrt::Close()
{
    return 0;
}

int TDevBasePrt::Open(const QString&)
{
    return 0;
}

int TDevBasePrt::WriteData(const uint8_t*, uint32_t)
{
    return 0;
}

int TDevBasePrt::ReadData(uint8_t*, uint32_t, uint32_t* count)
{
    if (count)
        *count = 0;
    return 0;
}

int TDevBasePrt::ReadDataEOF(uint8_t*, uint32_t, uint32_t, uint8_t, uint8_t, uint32_t* count)
{
    if (count)
        *count = 0;
    return 0;
}

int TDevBasePrt::LibOpen(Lib lib, const QString& port, bool retryOnAlreadyOpen)
{
    if (Handle == 0)
        return NoHandleCode;
    if (port.contains(QChar(u'\0')))
        return prt::sdk::PRT_E_BAD_PORT;  // the engine would open the text before the NUL
    const PrtSdkApi& api = PrtSdkApiOf(lib);
    int code = api.PortOpen(lib, Handle, Utf16(port));
    if (retryOnAlreadyOpen && code == prt::sdk::PRT_ALREADY_OPEN) {
        api.PortClose(lib, Handle);
        code = api.PortOpen(lib, Handle, Utf16(port));
    }
    return code;
}

int TDevBasePrt::LibClose(Lib lib)
{
    return PrtSdkApiOf(lib).PortClose(lib, Handle);
}

int TDevBasePrt::LibWrite(Lib lib, const uint8_t* data, uint32_t length)
{
    return PrtSdkApiOf(lib).WriteData(lib, Handle, data, length);
}

int TDevBasePrt::LibRead(Lib lib, uint8_t* buffer, uint32_t length, uint32_t* count)
{
    if (count)
        *count = 0;
    return PrtSdkApiOf(lib).ReadData(lib, Handle, buffer, length, count);
}

int TDevBasePrt::LibReadEof(Lib lib, uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2,
                            uint32_t* count)
{
    if (count)
        *count = 0;
    return PrtSdkApiOf(lib).ReadDataEOF(lib, Handle, buffer, value, maxLength, b1, b2, count);
}

// ---- switches --------------------------------------------------------------------

const std::array<const char*, TParamGlobals::kPermissionCount>& TParamGlobals::PermissionItemNos()
{
    static const std::array<const char*, kPermissionCount> items = {
        "0102010001", "0102020001", "0101000001", "0302000001", "0121000001", "0121000002", "0121000050",
        "0121000052", "0122000050", "0123000053", "0125000001", "0127000050", "0127000051", "0127000053",
        "0128000050", "0128000051", "0135000001", "0135000051", "0135000052", "0140000001", "0142020002",
        "0142030002", "0142031001", "0142031002", "0142031003", "0142031004", "0142031005", "0142031006",
        "0102090001", "0103130002", "0103160002", "0103230002", "0103250002", "0103510001", "0103510004",
        "0301000001", "0303000004", "0304000001", "9902010002", "9999010201", "9999010301", "9999010401",
    };
    return items;
}

int TParamGlobals::PermissionIndex(const QString& itemNo)
{
    const auto& items = PermissionItemNos();
    for (int i = 0; i < kPermissionCount; ++i)
        if (itemNo == QLatin1String(items[i]))
            return i;
    return -1;
}

int32_t TParamGlobals::PermissionOf(const QString& itemNo) const
{
    const int i = PermissionIndex(itemNo);
    return i < 0 ? 0 : Permission[i];
}

namespace {
void SetStartValues(TParamGlobals& g)
{
    g.Switch.fill(0);
    g.Permission.fill(0);
    g.Switch[TParamGlobals::kSwitch31A] = 31;
    g.Switch[TParamGlobals::kSwitch31B] = 31;
    g.Switch[TParamGlobals::kSwitchFlagOne] = 1;
    g.Switch[TParamGlobals::kSwitch99] = 99;
}
} // namespace

TParamGlobals& ParamGlobals()
{
    // Start values are in place before the first use, whatever the load order.
    static TParamGlobals g = [] {
        TParamGlobals x;
        SetStartValues(x);
        return x;
    }();
    return g;
}

void InitParamGlobals()
{
    SetStartValues(ParamGlobals());
}
