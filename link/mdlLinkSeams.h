#pragma once
// Values the printer link needs from the application core, which sits above it. Each
// seam has a safe default so the link works (and is tested) on its own; the core
// installs its providers at start-up. All setters and getters are thread-safe.
//
//  Seam                              Default            Wired by the core to
//  SetLinkConstVarProvider           0 for every code   TConstVar's integer option codes
//  SetKeyFrameOperationByte          1                  the key-frame operation byte
//                                                       (1, 0 in developer factory mode)
//  SetCurrentModelNameProvider       empty text         the resolved base model name
//  SetProbeModelListProvider         empty list         the "ParameterSet" lists by name
//                                                       ("HaveTwoProtocol", "GDS")
//  SetProtocolNoByModelProvider      1 (TSPL)           the protocol number that the
//                                                       built-in model lists give a model
#include <QString>
#include <cstdint>
#include <functional>

// ordinal: 1-based position of the integer option code in TConstVar (the device
// classes copy codes 3, 8, 13 and 18).
using LinkConstVarProvider = std::function<int(int ordinal)>;
void SetLinkConstVarProvider(LinkConstVarProvider provider);  // empty -> default
int LinkConstVar(int ordinal);

void SetKeyFrameOperationByte(uint8_t op);
uint8_t GetKeyFrameOperationByte();

using LinkModelNameProvider = std::function<QString()>;
void SetCurrentModelNameProvider(LinkModelNameProvider provider);  // empty -> default
QString LinkCurrentModelName();

// listName is "HaveTwoProtocol" or "GDS"; the result is a comma list (",A,B,").
using LinkModelListProvider = std::function<QString(const QString& listName)>;
void SetProbeModelListProvider(LinkModelListProvider provider);  // empty -> default
QString LinkProbeModelList(const QString& listName);

using LinkProtocolNoProvider = std::function<int(const QString& model)>;
void SetProtocolNoByModelProvider(LinkProtocolNoProvider provider);  // empty -> default
int LinkProtocolNoByModel(const QString& model);
