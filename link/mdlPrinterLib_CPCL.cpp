#include "mdlPrinterLib_CPCL.h"

#include "mdlPrinterLibGlobal.h"
#include "mdlPrinterObjectModel.h"

namespace {
prt::link_detail::GlobalPrinter& G()
{
    return prt::link_detail::Global(prt::sdk::Lib::Cpcl);
}
} // namespace

int CpclCreateGlobalPrinter(const QString& model)
{
    NotePrinterObjectModel(model);
    return G().create(model);
}

prt::sdk::Handle CpclGetHandle()
{
    return G().handle();
}

int CpclDestroyPrinter()
{
    return G().destroy();
}

int CpclOpenPort(const QString& port)
{
    return G().open(port);
}

int CpclClosePort()
{
    return G().close();
}

int CpclWriteData(const uint8_t* data, uint32_t length)
{
    return G().write(data, length);
}

int CpclWriteData(const QByteArray& data)
{
    return G().write(reinterpret_cast<const uint8_t*>(data.constData()), static_cast<uint32_t>(data.size()));
}

int CpclReadData(uint8_t* buffer, uint32_t length, uint32_t* count)
{
    return G().read(buffer, length, count);
}

int CpclReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2, uint32_t* count)
{
    return G().readEof(buffer, value, maxLength, b1, b2, count);
}
