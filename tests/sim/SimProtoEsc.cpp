// Printer side of the two-byte ESC S (1B 53) that receipt and mobile printers take as
// "switch to standard mode" before a plain-text job: taken and recorded, no answer.
#include "SimPrinter.h"

#include <memory>

namespace prt::sim {

namespace {

class EscSHandler : public SimHandler {
public:
    int consume(SimPrinter&, const QByteArray& in, QByteArray&) override
    {
        if (in.size() == 1 && in.at(0) == '\x1B')
            return NeedMore;
        return in.startsWith(QByteArrayLiteral("\x1B\x53")) ? 2 : NotMine;
    }
};

} // namespace

std::unique_ptr<SimHandler> MakeSimEscSHandler()
{
    return std::make_unique<EscSHandler>();
}

} // namespace prt::sim
