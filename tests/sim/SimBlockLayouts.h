#pragma once
// Parameter blocks as printers of block layouts B, C, D and E keep them: every shown
// setting holds a value its form shows exactly (so a form that changes nothing writes the
// block back unchanged), and every other byte carries a distinct filler (SimMakeFilledBlock)
// so a stray write shows. Preset one with SimSetBlock (SimProto.h).
#include <QByteArray>

namespace prt::sim {

// Layout B (V64, W16 families). With bluetooth, bytes 215-236 hold name "SIMV64",
// password "1234" and simple pairing on; without, they keep the pattern.
QByteArray SimLayoutBBlock(bool bluetooth = true);
// Layout C (BQM family): voltage raw 1241 ("1"), speed 3, judge item 1 (label).
QByteArray SimLayoutCBlock();
// Layout D (W7X family): judge byte 2 (continuous), static address 10.0.0.5.
QByteArray SimLayoutDBlock();
// Layout E (J27 family): name "J27SIM", password "4321".
QByteArray SimLayoutEBlock();

// The block with marker and sum recomputed (after a test changed settings bytes).
QByteArray SimSealBlock(QByteArray block);

} // namespace prt::sim
