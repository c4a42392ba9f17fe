#pragma once
// Procedures over the global printer object of the ESC library. Open: handle 0 gives
// -6, otherwise the engine's code (5 "already open" is passed back, no retry).
// Create closes and destroys an object that still exists before it creates a new one.
#include "PrtSdk.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

int EscCreateGlobalPrinter(const QString& model);
prt::sdk::Handle EscGetHandle();
int EscDestroyPrinter();
int EscOpenPort(const QString& port);
int EscClosePort();
int EscWriteData(const uint8_t* data, uint32_t length);
int EscWriteData(const QByteArray& data);
int EscReadData(uint8_t* buffer, uint32_t length, uint32_t* count);
int EscReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2, uint32_t* count);
