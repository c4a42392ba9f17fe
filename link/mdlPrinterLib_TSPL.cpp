#include "mdlPrinterLib_TSPL.h"

#include "PrtTick.h"
#include "mdlPrinterLibGlobal.h"
#include "mdlPrinterObjectModel.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

using prt::link_detail::Global;
using prt::link_detail::Utf16;
using prt::sdk::Handle;
using prt::sdk::Lib;

namespace {

// The serial port this layer opened and keeps open: the object and the port string it
// was opened with. Only that object on that very port string may skip the open.
struct ComOpen {
    Handle handle = 0;
    QString port;
};
std::mutex g_comMutex;
ComOpen g_comOpen;

void ClearComOpen()
{
    std::lock_guard<std::mutex> lock(g_comMutex);
    g_comOpen = ComOpen{};
}

// Clears the flag when it names the object whose port was closed.
void ClearComOpenOf(Handle h)
{
    std::lock_guard<std::mutex> lock(g_comMutex);
    if (g_comOpen.handle == h)
        g_comOpen = ComOpen{};
}

void SetComOpen(Handle h, const QString& port)
{
    std::lock_guard<std::mutex> lock(g_comMutex);
    g_comOpen = ComOpen{h, port};
}

bool ComOpenNames(Handle h, const QString& port)
{
    std::lock_guard<std::mutex> lock(g_comMutex);
    return h != 0 && g_comOpen.handle == h && g_comOpen.port == port;
}

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
    std::lock_guard<std::mutex> lock(g_comMutex);
    return g_comOpen.handle != 0 ? -1 : 0;
}

int TsplCreateGlobalPrinter(const QString& model)
{
    ClearComOpen();
    NotePrinterObjectModel(model);
    return G().create(model);
}

Handle TsplGetHandle()
{
    return G().handle();
}

int TsplDestroyGlobalPrinter()
{
    ClearComOpen();
    return G().destroy();
}

int TsplOpenPort(const QString& port)
{
    const bool com = IsComPort(port);
    const Handle h = G().handle();
    if (com && ComOpenNames(h, port)) {
        // Still open from before, unless some other road closed it meanwhile.
        if (G().portIsOpen() != 0)
            return 0;
        ClearComOpenOf(h);
    }
    int code = prt::sdk::PRT_E_NO_OBJECT;
    if (h != 0) {
        code = G().open(port);
        if (code == prt::sdk::PRT_ALREADY_OPEN) {
            TsplClosePort();
            code = G().open(port);
        }
    }
    if (com && code == 0)
        SetComOpen(h, port);
    else if (com || code == 0)
        ClearComOpenOf(h);  // failed serial open, or the object now holds another port
    return code;
}

int TsplClosePort()
{
    const Handle h = G().handle();
    const int code = G().close();
    ClearComOpenOf(h);
    return code;
}

int TsplClosePortByName(const QString& port)
{
    (void)port;
    return TsplClosePort();
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

int TsplDiscardInput()
{
    uint32_t dropped = 0;
    G().discardInput(&dropped);
    return static_cast<int>(dropped);
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
    if (!prt::link_detail::IsPassablePortString(port))
        return prt::sdk::PRT_E_BAD_PORT;
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
