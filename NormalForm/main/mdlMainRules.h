#pragma once
// The main window's rules, apart from the window: which names a selected row stands for,
// when the gate asks the attached USB devices, what the function-button decision reads,
// the window title, and the words and hand-overs around the printer list. The window
// gathers its controls' texts, these decide, the window shows.
#include "mdlDispatchHost.h"
#include "mdlFunctionButtons.h"
#include "mdlPrinterListFile.h"

#include <QString>

class TOemClass;

// The Delete question: the question, then the printer it is about (model and port).
QString DeleteQuestionText(const QString& question, const QString& model, const QString& port);

// Language key of the message for a printer-list write result; null for Ok.
const char* PrinterListResultKey(TPrinterListResult result);
// Shows that message (nothing for Ok): an information box when the file changed since the
// list was loaded, an error box for the others.
void ShowPrinterListResult(TPrinterListResult result);
// After that message the list is read again from the file, unless a refused field or model
// kept anything from being written.
bool PrinterListResultReloads(TPrinterListResult result);

// What the printer-management window gets for "Modify" from a row of the list: the row as
// loaded, PrtDefName and the row's fields (a network port string without "NET,", in any
// case).
TPrinterManageTarget::TModifyHandover ModifyHandoverOf(const TPrinterListRowRef& row, const QString& prtDefName,
                                                        const TPrinterListRow& fields);

// The selected row as the selection road reads it.
struct TSelectedRowInputs {
    QString Caption;       // the model column
    QString PortParam;     // the port string column
    QString PrtVerOfTool;  // the tool printer-version column
    QString VpidTemp;      // the information page's TEMPVPID field
};
// The names it stands for and what the information page shows of them.
struct TSelectedPrinterNames {
    QString PrtDefName;
    QString PrtBasName;
    QString VpidS;         // the extra names the descriptor found; empty when none
    QString VpidInfo;      // the VPID line
};
// Creates the row's feature descriptor (and sets its flags), lets the plug-in rename the
// model, then resolves the base name by the descriptor, by TEMPVPID and, for a printer on
// the USB port only, by the attached USB devices.
TSelectedPrinterNames ResolveSelectedPrinterNames(const TSelectedRowInputs& in);

// True when the gate asks the attached USB devices whether they fit the selected printer:
// a printer on the USB port, not exempt, with the basic-information feature.
bool UsbIdentityGateApplies(const QString& portString, const QString& prtDefName);

// What the function-button decision reads for the current printer: its descriptor's
// settings, the [ParameterSet] lists (some read at this moment) and the fixed lists.
TFunctionButtonInputs CurrentFunctionButtonInputs(const QString& prtBasName, const QString& prtDefName,
                                                  const QString& portString);
// The model side of the port-type layout (the window adds the geometry).
TPortTypeLayoutInputs CurrentPortTypeLayoutInputs(const QString& prtDefName, const QString& portString);

// The main window's title: the brand's caption when it has one, then the version (the
// brand's own, or "_Version" of the language file). captionText is the window caption's
// text, brandText the text a brand word other than "Trune" is followed by.
QString MainWindowTitle(const TOemClass* oem, const QString& captionText, const QString& brandText,
                        const QString& fileVersion);
