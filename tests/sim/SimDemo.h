#pragma once
// The printer the demo (scripts/demo) and its test talk to: one simulated printer that
// answers every read of every window the demo's printer rows open, with plausible values.
// printer-sim --demo applies it; the test starts printer-sim the same way.
#include <QByteArray>

namespace prt::sim {

class SimPrinter;

// Seeds the text values, the status block, the firmware version, the print length, the
// parameter block and the key-frame values of the demo printer. The printer needs the
// standard handlers (AddStandardHandlers).
void SimSeedDemoPrinter(SimPrinter& printer);

// The demo's parameter block (marker and sum set): it reads sensibly in block layouts A and
// C, the layouts of the demo's block forms: density 5, label paper, maximum lengths
// 100 mm, minimum length 25 mm, stop-print 30 minutes, speed 3, gap voltage 1.0 V.
QByteArray SimDemoBlock();

} // namespace prt::sim
