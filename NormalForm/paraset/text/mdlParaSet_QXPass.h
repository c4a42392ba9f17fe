#pragma once
// Settings of the QX parameter form: the read pass, the write plan and the Set flow, over
// the control states of mdlTextParaPass.h.
#include "mdlTextParaPass.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace qxpara {

struct TQxSetup {
    QString current;
    bool noBtSetting = false;  // no Bluetooth name/PIN settings
    bool ribbon = false;       // ribbon choice
    bool esc = false;          // "ESC" in the printer-language list
    bool haveEpl = false;      // "EPL" in the printer-language list
    bool onlyChinese = false;
    bool tearOff90 = false;    // tear-off limit 90, else 120
    bool releasePaper = false; // permission 0135000001
    bool tabB = false;         // permission 9902010002
    int TearOffLimit() const { return tearOff90 ? 90 : 120; }
};
TQxSetup QxSetupOfSelectedPrinter();

struct TQxState {
    QString lidKey = QStringLiteral("platenin_enter_pause");
    QString printerProtocol;
    QString printerCodePage;
    QStringList releasePaper;
};

QStringList QxProtocolItems(const TQxSetup& setup, const QStringList& designItems);
void DeclareQxControls(textpara::TParaControls& c);

// After the open at show: version (lid key), ppl (density range), then the read pass.
// info shows a note for the operator (ShowInfoBox when empty).
using TInfoFn = std::function<void(const QString&)>;
void QxShowRead(textpara::ITextParaCmd& cmd, const TQxSetup& setup, TQxState& state, textpara::TParaControls& c,
                const TInfoFn& info = {});
void QxReadPass(textpara::ITextParaCmd& cmd, const TQxSetup& setup, TQxState& state, textpara::TParaControls& c,
                const TInfoFn& info = {});
textpara::TParaPlan PlanQxWrite(const TQxSetup& setup, const TQxState& state, textpara::TParaControls& c);
void QxProtocolChange(const TQxState& state, textpara::TParaControls& c);

// Set: checks, open, writes, close, do "reset_printer" (no "save_param"). Same results as
// the ZR flow.
bool QxSetFlow(textpara::ITextParaCmd& cmd, const TQxSetup& setup, const TQxState& state,
               textpara::TParaControls& c, QString& error, bool& failed, bool& opened);

} // namespace qxpara
