#pragma once
// Printer device over the ESC library (protocol id 0). Open passes "already open" (5)
// back unchanged.
#include "mdlDevBasePrt.h"

class TDevBaseEscPrt : public TDevBasePrt {
public:
    TDevBaseEscPrt();
    int Close() override;
    int Open(const QString& port) override;
    int WriteData(const uint8_t* data, uint32_t length) override;
    int ReadData(uint8_t* buffer, uint32_t length, uint32_t* count) override;
    int ReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2,
                    uint32_t* count) override;
};
