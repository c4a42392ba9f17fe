#include "SimDefaults.h"
#include "SimPrinter.h"
#include "SimProto.h"

namespace prt::sim {

void AddStandardHandlers(SimPrinter& printer)
{
    // Text commands and key frames, then the block, probe and version exchanges.
    AddProtoHandlers(printer);
}

} // namespace prt::sim
