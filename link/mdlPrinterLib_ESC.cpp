#include "mdlPrinterLib_ESC.h"

#include "mdlPrinterLibGlobal.h"
#include "mdlPrinterObjectModel.h"

namespace {
prt::link_detail::GlobalPrinter& G()
{
    return prt::link_detail::Global(prt::sdk::Lib::Esc);
}
} // namespace

int EscCreateGlobalPrinter(const QString& model)
{
    NotePrinterObjectModel(model);
    return G().create(model);
}

prt::sdk::Handle EscGetHandle()
{
    return G().handle();
}

int EscDestroyPrinter()
{
    return G().destroy();
}

int EscOpenPort(const QString& port)
{
    return G().open(port);
}

int EscClosePort()
{
    return G().close();
}

int EscWriteData(const uint8_t* data, uint32_t length)
{
    return G().write(data, length);
}

int EscWriteData(const QByteArray& data)
{
    return G().write(reinterpret_cast<const uint8_t*>(data.constData()), static_cast<uint32_t>(data.size()));
}

int EscReadData(uint8_t* buffer, uint32_t length, uint32_t* count)
{
    return G().read(buffer, length, count);
}

int EscReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2, uint32_t* count)
{
    return G().readEof(buffer, value, maxLength, b1, b2, count);
}
