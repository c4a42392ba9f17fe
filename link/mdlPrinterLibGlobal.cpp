#include "mdlPrinterLibGlobal.h"

#include <mutex>

using prt::sdk::Handle;
using prt::sdk::Lib;

namespace {

PrtSdkApi MakeDefault()
{
    PrtSdkApi a{};
    a.PrinterCreator = &prt::sdk::PrinterCreator;
    a.PrinterDestroy = &prt::sdk::PrinterDestroy;
    a.PortOpen = &prt::sdk::PortOpen;
    a.PortClose = &prt::sdk::PortClose;
    a.WriteData = &prt::sdk::WriteData;
    a.ReadData = &prt::sdk::ReadData;
    a.ReadDataEOF = &prt::sdk::ReadDataEOF;
    a.GetVidPid = &prt::sdk::GetVidPid;
    a.TSPL_GetSN = &prt::sdk::TSPL_GetSN;
    a.DiscardInput = &prt::sdk::DiscardInput;
    a.PortIsOpen = &prt::sdk::PortIsOpen;
    return a;
}

std::atomic<const PrtSdkApi*> g_api[3] = {nullptr, nullptr, nullptr};

int Index(Lib lib)
{
    const int i = static_cast<int>(lib);
    return (i >= 0 && i < 3) ? i : 0;
}

} // namespace

const PrtSdkApi& DefaultPrtSdkApi()
{
    static const PrtSdkApi api = MakeDefault();
    return api;
}

const PrtSdkApi& PrtSdkApiOf(Lib lib)
{
    const PrtSdkApi* p = g_api[Index(lib)].load();
    return p ? *p : DefaultPrtSdkApi();
}

const PrtSdkApi* SetPrtSdkApi(Lib lib, const PrtSdkApi* api)
{
    const PrtSdkApi* old = g_api[Index(lib)].exchange(api);
    return old ? old : &DefaultPrtSdkApi();
}

namespace prt::link_detail {

int GlobalPrinter::create(const QString& model)
{
    // Replacing the object is one step: two threads re-creating at once must not both
    // create and leave one object behind.
    std::lock_guard<std::mutex> lock(lifeMutex_);
    Handle old = handle_.exchange(0);
    if (old != 0) {
        api().PortClose(lib_, old);
        api().PrinterDestroy(lib_, &old);
    }
    Handle h = 0;
    const int code = api().PrinterCreator(lib_, &h, Utf16(model));
    handle_.store(h);
    return code;
}

int GlobalPrinter::destroy()
{
    std::lock_guard<std::mutex> lock(lifeMutex_);
    Handle h = handle_.exchange(0);
    if (h == 0)
        return 0;
    return api().PrinterDestroy(lib_, &h);
}

int GlobalPrinter::open(const QString& port)
{
    const Handle h = handle_.load();
    if (h == 0)
        return prt::sdk::PRT_E_NO_OBJECT;
    if (!IsPassablePortString(port))
        return prt::sdk::PRT_E_BAD_PORT;
    return api().PortOpen(lib_, h, Utf16(port));
}

int GlobalPrinter::discardInput(uint32_t* dropped)
{
    if (dropped)
        *dropped = 0;
    const PrtSdkApi& a = api();
    if (!a.DiscardInput)
        return 0;
    return a.DiscardInput(lib_, handle_.load(), prt::kDiscardMaxBytes, dropped);
}

int GlobalPrinter::portIsOpen() const
{
    const PrtSdkApi& a = api();
    if (!a.PortIsOpen)
        return -1;
    return a.PortIsOpen(lib_, handle_.load());
}

int GlobalPrinter::close()
{
    return api().PortClose(lib_, handle_.load());
}

int GlobalPrinter::write(const uint8_t* data, uint32_t length)
{
    return api().WriteData(lib_, handle_.load(), data, length);
}

int GlobalPrinter::read(uint8_t* buffer, uint32_t length, uint32_t* count)
{
    if (count)
        *count = 0;
    return api().ReadData(lib_, handle_.load(), buffer, length, count);
}

int GlobalPrinter::readEof(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2,
                           uint32_t* count)
{
    if (count)
        *count = 0;
    return api().ReadDataEOF(lib_, handle_.load(), buffer, value, maxLength, b1, b2, count);
}

bool IsPassablePortString(const QString& port)
{
    // The engine takes a zero-terminated text: a port string with an embedded NUL would be
    // cut there and open something other than what was asked.
    return !port.contains(QChar(u'\0'));
}

GlobalPrinter& Global(Lib lib)
{
    static GlobalPrinter tspl(Lib::Tspl), cpcl(Lib::Cpcl), esc(Lib::Esc);
    switch (lib) {
    case Lib::Cpcl: return cpcl;
    case Lib::Esc: return esc;
    default: return tspl;
    }
}

} // namespace prt::link_detail
