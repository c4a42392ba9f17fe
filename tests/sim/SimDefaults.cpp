#include "SimDefaults.h"
#include "SimPrinter.h"

namespace prt::sim {

void AddStandardHandlers(SimPrinter& printer)
{
    (void)printer;
}

} // namespace prt::sim
