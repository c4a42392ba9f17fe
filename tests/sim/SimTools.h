#pragma once
// Printer side of the tool windows' raw commands (besides the text commands):
//   "SELFTEST", "ZZZLEARN", "ZZZFRONT", "ZZZDENSITYTST", "ZZZDFUMODE", "ZZZGETJOURNEY"
//   + CR LF         taken; answered with rawReplies[line] when set (the journey: four
//                   bytes, first most significant)
//   1D 75 55 AA     DFU mode of the V52 family; taken, no answer
//   STX "KcCC" x    DPL control-code switch (STX 02, "~" or 00; x "S", "1", "2"): the
//                   "control_codes" value becomes "standard", "alternate", "alternate-2"
// The DFU-mode and switch commands are also logged in the text state's doLog as
// "raw:" + the bytes in hex, so tests can see them in order.
namespace prt::sim {
class SimPrinter;
void AddToolHandlers(SimPrinter& printer);
} // namespace prt::sim
