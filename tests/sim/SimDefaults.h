#pragma once
// The protocol handlers a default simulated printer answers with.
namespace prt::sim {
class SimPrinter;
// Registers the standard protocol handlers on `printer` (in their usual order).
void AddStandardHandlers(SimPrinter& printer);
} // namespace prt::sim
