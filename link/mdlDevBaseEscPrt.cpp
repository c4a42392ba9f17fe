#include "mdlDevBaseEscPrt.h"

using prt::sdk::Lib;

TDevBaseEscPrt::TDevBaseEscPrt()
{
    ProtocolId = 0;
    NoHandleCode = prt::sdk::PRT_E_NO_OBJECT;
}

int TDevBaseEscPrt::Close()
{
    return LibClose(Lib::Esc);
}

int TDevBaseEscPrt::Open(const QString& port)
{
    return LibOpen(Lib::Esc, port, false);
}

int TDevBaseEscPrt::WriteData(const uint8_t* data, uint32_t length)
{
    return LibWrite(Lib::Esc, data, length);
}

int TDevBaseEscPrt::ReadData(uint8_t* buffer, uint32_t length, uint32_t* count)
{
    return LibRead(Lib::Esc, buffer, length, count);
}

int TDevBaseEscPrt::ReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2,
                                 uint32_t* count)
{
    return LibReadEof(Lib::Esc, buffer, value, maxLength, b1, b2, count);
}
