#include "mdlDevBaseTsplTscPrt.h"

using prt::sdk::Lib;

TDevBaseTsplTscPrt::TDevBaseTsplTscPrt()
{
    ProtocolId = 1;
    NoHandleCode = prt::sdk::PRT_E_NO_OBJECT;
}

int TDevBaseTsplTscPrt::Close()
{
    return LibClose(Lib::Tspl);
}

int TDevBaseTsplTscPrt::Open(const QString& port)
{
    return LibOpen(Lib::Tspl, port, true);
}

int TDevBaseTsplTscPrt::WriteData(const uint8_t* data, uint32_t length)
{
    return LibWrite(Lib::Tspl, data, length);
}

int TDevBaseTsplTscPrt::ReadData(uint8_t* buffer, uint32_t length, uint32_t* count)
{
    return LibRead(Lib::Tspl, buffer, length, count);
}

int TDevBaseTsplTscPrt::ReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2,
                                 uint32_t* count)
{
    return LibReadEof(Lib::Tspl, buffer, value, maxLength, b1, b2, count);
}
