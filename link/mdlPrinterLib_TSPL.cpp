#include "mdlPrinterLib_TSPL.h"

#include "PrtTick.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterLibGlobal.h"

#include <algorithm>
#include <atomic>
#include <vector>

using prt::link_detail::Global;
using prt::link_detail::Utf16;
using prt::sdk::Handle;
using prt::sdk::Lib;

namespace {

std::atomic<int> g_comOpen{0};

prt::link_detail::GlobalPrinter& G()
{
    return Global(Lib::Tspl);
}

bool IsComPort(const QString& port)
{
    return port.contains(QLatin1String("COM"), Qt::CaseSensitive);
}

} // namespace

int GetComOpenFlag()
{
    return g_comOpen.load();
}

int TsplCreateGlobalPrinter(const QString& model)
{
    g_comOpen.store(0);
    NotePrinterObjectModel(model);
    return G().create(model);
}

Handle TsplGetHandle()
{
    return G().handle();
}

int TsplDestroyGlobalPrinter()
{
    g_comOpen.store(0);
    return G().destroy();
}

int TsplOpenPort(const QString& port)
{
    const bool com = IsComPort(port);
    if (com && g_comOpen.load() != 0)
        return 0;
    int code = prt::sdk::PRT_E_NO_OBJECT;
    if (G().handle() != 0) {
        code = G().open(port);
        if (code == prt::sdk::PRT_ALREADY_OPEN) {
            TsplClosePort();
            code = G().open(port);
        }
    }
    if (com)
        g_comOpen.store(code == 0 ? -1 : 0);
    return code;
}

int TsplClosePort()
{
    const int code = G().close();
    if (IsComPort(GetCurrentPortString()))
        g_comOpen.store(0);
    return code;
}

int TsplClosePortByName(const QString& port)
{
    const int code = G().close();
    if (IsComPort(port))
        g_comOpen.store(0);
    return code;
}

int TsplWriteData(const uint8_t* data, uint32_t length)
{
    return G().write(data, length);
}

int TsplWriteData(const QByteArray& data)
{
    return G().write(reinterpret_cast<const uint8_t*>(data.constData()), static_cast<uint32_t>(data.size()));
}

int TsplReadData(uint8_t* buffer, uint32_t length, uint32_t* count)
{
    return G().read(buffer, length, count);
}

int TsplReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2, uint32_t* count)
{
    return G().readEof(buffer, value, maxLength, b1, b2, count);
}

int TsplReadDataRetry(uint8_t* buffer, uint32_t length, uint32_t* count, uint32_t waitMs, int tries)
{
    uint32_t total = 0;
    int code = 0;
    std::vector<uint8_t> scratch(std::max<uint32_t>(length, 1));
    for (int i = 0; i < tries && total < length; ++i) {
        const uint32_t want = length - total;
        uint32_t got = 0;
        code = G().read(scratch.data(), want, &got);
        got = std::min(got, want);  // never trust a count beyond what was asked
        if (got > 0) {
            std::copy(scratch.begin(), scratch.begin() + got, buffer + total);
            total += got;
        }
        if (total == length)
            break;
        prt::SleepMs(waitMs);
    }
    if (count)
        *count = total;
    return code;
}

int TsplGetSN(QByteArray& serial)
{
    char buf[65] = {};
    const int code = PrtSdkApiOf(Lib::Tspl).TSPL_GetSN(G().handle(), buf);
    buf[64] = 0;
    serial = QByteArray(buf);
    return code;
}

int TsplPrinterCreator(Handle* handle, const QString& model)
{
    return PrtSdkApiOf(Lib::Tspl).PrinterCreator(Lib::Tspl, handle, Utf16(model));
}

int TsplPrinterDestroy(Handle* handle)
{
    return PrtSdkApiOf(Lib::Tspl).PrinterDestroy(Lib::Tspl, handle);
}

int TsplPortOpen(Handle handle, const QString& port)
{
    if (handle == 0)
        return prt::sdk::PRT_E_NO_OBJECT;
    const PrtSdkApi& api = PrtSdkApiOf(Lib::Tspl);
    int code = api.PortOpen(Lib::Tspl, handle, Utf16(port));
    if (code == prt::sdk::PRT_ALREADY_OPEN) {
        api.PortClose(Lib::Tspl, handle);
        code = api.PortOpen(Lib::Tspl, handle, Utf16(port));
    }
    return code;
}

int TsplPortClose(Handle handle)
{
    return PrtSdkApiOf(Lib::Tspl).PortClose(Lib::Tspl, handle);
}

int TsplWriteDataTo(Handle handle, const uint8_t* data, uint32_t length)
{
    return PrtSdkApiOf(Lib::Tspl).WriteData(Lib::Tspl, handle, data, length);
}

int TsplReadDataFrom(Handle handle, uint8_t* buffer, uint32_t length, uint32_t* count)
{
    if (count)
        *count = 0;
    return PrtSdkApiOf(Lib::Tspl).ReadData(Lib::Tspl, handle, buffer, length, count);
}

int TsplProtocolId()
{
    return 1;
}
