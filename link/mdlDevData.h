#pragma once
// Small data record owned (twice) by each printer device.
#include <QString>
#include <cstdint>

class TDevData {
public:
    TDevData();
    uint8_t OptionValue = 0;  // copied from TConstVar's 13th option code at creation
    QString Text1;
    QString Text2;
};
