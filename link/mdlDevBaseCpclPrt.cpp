#include "mdlDevBaseCpclPrt.h"

using prt::sdk::Lib;

TDevBaseCpclPrt::TDevBaseCpclPrt()
{
    ProtocolId = 3;
    NoHandleCode = prt::sdk::PRT_E_NO_OBJECT;
}

int TDevBaseCpclPrt::Close()
{
    return LibClose(Lib::Cpcl);
}

int TDevBaseCpclPrt::Open(const QString& port)
{
    return LibOpen(Lib::Cpcl, port, false);
}

int TDevBaseCpclPrt::WriteData(const uint8_t* data, uint32_t length)
{
    return LibWrite(Lib::Cpcl, data, length);
}

int TDevBaseCpclPrt::ReadData(uint8_t* buffer, uint32_t length, uint32_t* count)
{
    return LibRead(Lib::Cpcl, buffer, length, count);
}

int TDevBaseCpclPrt::ReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2,
                                 uint32_t* count)
{
    return LibReadEof(Lib::Cpcl, buffer, value, maxLength, b1, b2, count);
}
