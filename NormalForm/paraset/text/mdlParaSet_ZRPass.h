#pragma once
// Settings of the ZR parameter form: the read pass, the write plan, the printer-language
// change and the settings file, over the control states of mdlTextParaPass.h.
#include "mdlTextParaPass.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace prt {
class IniFile;
}

namespace zrpara {

// What the form knows of the selected printer when it is created.
struct TZrSetup {
    QString listed;   // the model as the operator listed it
    QString current;  // the resolved base model
    QString oemKey;
    QString dpi;      // reply to "dpi" at creation
    bool dpl = false;        // listed model in the DPL list
    bool colShift = false;   // column-shift row (list A under its OEM keys, or list B)
    bool headType = false;   // head-type list under "Label_ChannelDelear"
    bool mac = false;        // Ethernet MAC shown
    bool noBt = false;       // current model in "NotHaveBT"
    bool zrFamily = false;   // current model in the ZR family
    bool z34 = false;        // no network and serial settings
    bool releasePaper = false;
};
// The setup of the selected printer (names, OEM key, model lists, permission 0135000001).
TZrSetup ZrSetupOfSelectedPrinter(const QString& dpi);

// Form state the passes fill and use.
struct TZrState {
    QString readProtocol;    // first "ppl" reply
    QString controlCodes;    // "control_codes" reply
    QString lidKey = QStringLiteral("platenin_enter_pause");
    QString printerProtocol; // "ppl" reply of the protocol step
    QString printerCodePage; // "code_page" reply
    QString tearOffRange;    // range label text set by the read ("(-240~240)dots"), or empty
    QStringList releasePaper;  // "0=word", "1=1", ...
};

// Items of the printer-language list: [ParameterSet] "ZRParaSetProList" (when set, in
// place of `designItems`), "EPL" for "HaveEPL" models outside the DPL list, "DPL" for the
// DPL model.
QStringList ZrProtocolItems(const TZrSetup& setup, const QStringList& designItems);

// Declares every control with its design state (tests use it without a form; the form
// declares from its widgets first, so these only fill what the form does not have).
void DeclareZrControls(textpara::TParaControls& c);

using TStatusFn = std::function<void(const QString&)>;
// The read pass on the open port. status gets each "Reading ..." line and the final word;
// info shows a note for the operator (ShowInfoBox when empty).
void ZrReadPass(textpara::ITextParaCmd& cmd, const TZrSetup& setup, TZrState& state,
                textpara::TParaControls& c, const TStatusFn& status = {}, const TStatusFn& info = {});

// Plans the write pass: checks and clamps every edit that will be sent (clamped texts are
// written back into the states), then builds the writes in order. A refused field gives
// the error and no writes.
textpara::TParaPlan PlanZrWrite(const TZrSetup& setup, const TZrState& state, textpara::TParaControls& c);

// The operator picked a printer language: density and code-page lists rebuilt, the
// printer's code page selected again when the language is the printer's.
void ZrProtocolChange(const TZrState& state, textpara::TParaControls& c);
// cmbJudgePaperMode picked by the operator: label paper -> transmissive sensor.
void ZrJudgePaperModeChange(textpara::TParaControls& c);

// Blank edits of the "other" group become "0" before a write.
void ZrBlankEditsToZero(textpara::TParaControls& c);

// Set: checks, open, writes, do "save_param", 1 s, close, do "reset_printer". Returns
// false with the message in `error` when a check refused a field (nothing sent, the form
// stays open); true otherwise, with `failed` set when a write failed or there was no
// setting to write (then nothing at all is sent, not even the port opened); the form
// closes either way, and on `failed` the caller shows "_Err_ParaSet".
bool ZrSetFlow(textpara::ITextParaCmd& cmd, const TZrSetup& setup, const TZrState& state,
               textpara::TParaControls& c, QString& error, bool& failed, bool& opened);

// ---- settings file -----------------------------------------------------------------------
// The 37 control names in file order.
const QStringList& ZrSettingsKeys();
// Writes the 37 keys into section "params" in one atomic save (other content of an
// existing file kept). False with error text when the file cannot be read or written.
bool SaveZrSettings(const QString& path, const textpara::TParaControls& c, QString& error);
// Checks all 37 values first (missing key, not a decimal index, index outside the items
// of the control after the loaded printer language rebuilt its lists) and then applies
// all of them (every loaded control counts as changed), or none. False with error text.
bool LoadZrSettings(const QString& path, const TZrState& state, textpara::TParaControls& c, QString& error);
// The same on a parsed file: the 37 keys into section "params" of `ini` (a value the ini
// reader would not give back as it stands, such as 'PRT-1' or blanks only, is written in
// double quotes, which the reader removes), and the 37 keys out of it.
bool ZrSettingsToIni(prt::IniFile& ini, const textpara::TParaControls& c, QString& error);
bool ZrSettingsFromIni(const prt::IniFile& ini, textpara::TParaControls& c, QString& error);

} // namespace zrpara
