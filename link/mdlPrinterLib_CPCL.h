#pragma once
// Procedures over the global printer object of the CPCL library. Open: handle 0 gives
// -6, otherwise the engine's code (5 "already open" is passed back, no retry).
// Create closes and destroys an object that still exists before it creates a new one.
#include "PrtSdk.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

int CpclCreateGlobalPrinter(const QString& model);
prt::sdk::Handle CpclGetHandle();
int CpclDestroyPrinter();
int CpclOpenPort(const QString& port);
int CpclClosePort();
int CpclWriteData(const uint8_t* data, uint32_t length);
int CpclWriteData(const QByteArray& data);
int CpclReadData(uint8_t* buffer, uint32_t length, uint32_t* count);
int CpclReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2, uint32_t* count);
