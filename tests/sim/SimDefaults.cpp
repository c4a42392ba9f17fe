#include "SimDefaults.h"
#include "SimDownload.h"
#include "SimFirmware.h"
#include "SimPrinter.h"
#include "SimProto.h"
#include "SimTools.h"

namespace prt::sim {

std::unique_ptr<SimHandler> MakeSimEscSHandler();

void AddStandardHandlers(SimPrinter& printer)
{
    // The firmware update first (once do "dfu" came, it takes every byte), then download
    // handshakes, packets and stored files first (they write the text handler's
    // listing values), then text commands and key frames, then the block, probe and
    // version exchanges, then the direct printer-language commands of stored files.
    AddFirmwareHandler(printer);
    AddDownloadHandler(printer);
    AddProtoHandlers(printer);
    // The tool windows' raw commands (journey, DPL control-code switch, DFU mode).
    AddToolHandlers(printer);
    AddDirectDownloadHandler(printer);
    // ESC S before plain-text jobs.
    printer.addHandler(MakeSimEscSHandler());
}

} // namespace prt::sim
