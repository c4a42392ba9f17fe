#include "SimDefaults.h"
#include "SimDownload.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimTools.h"

namespace prt::sim {

std::unique_ptr<SimHandler> MakeSimEscSHandler();

void AddStandardHandlers(SimPrinter& printer)
{
    // Download handshakes, packets and stored files first (they write the text handler's
    // listing values), then text commands and key frames, then the block, probe and
    // version exchanges, then the direct printer-language commands of stored files.
    AddDownloadHandler(printer);
    AddProtoHandlers(printer);
    // The tool windows' raw commands (journey, DPL control-code switch, DFU mode).
    AddToolHandlers(printer);
    AddDirectDownloadHandler(printer);
    // ESC S before plain-text jobs.
    printer.addHandler(MakeSimEscSHandler());
}

} // namespace prt::sim
