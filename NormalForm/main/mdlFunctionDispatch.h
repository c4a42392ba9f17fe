#pragma once
// What the main window's function buttons do. The decisions (which parameter window,
// which bytes for self-test, learning, factory reset, model test, which print-text window,
// the firmware road) are plain functions over TDispatchInputs, so tests walk every
// precedence chain without widgets or a printer; the handlers below run them against the
// current printer and open the chosen window through the opener table.
#include "mdlDispatchBasics.h"
#include "mdlDispatchHost.h"

#include <QByteArray>
#include <QString>
#include <functional>

class QWidget;

// ---- fixed model lists of the dispatch (comma-wrapped) ----------------------------------------
namespace DispatchData {
QString ParaV52TwoModels();       // parameter setting, V52 family: two further models
QString ParaV52FiveModels();      // and five more
QString ParaZ34TwoModels();       // Z34 family: two further models
QString ParaZ34SingleModel();     // and one model compared by equality
QString ParaF58DOneModel();       // F58D family: one further model
QString ParaW16PModels();         // the four W16P models
QString ParaZrDefModels();        // ZR family by the listed model name (two models)
QString SelfTestRawModels();      // thirteen models printing the configuration by SELFTEST
QString LocatLearnTwoModels();    // learning by "locat_learn"
QString LocatLearnFiveModels();   // learning by "locat_learn" + 02 (continuous: + 00)
QString FrontConfirmModels();     // thirty-four models that confirm before front learning
QString FrontConfirmTwoModels();  // two more, by base name
QString FrontAdSingleModel();     // listed model reading "front_ad" at once
QString FrontSnsLearnModels();    // three listed models sending "front_sns_learn"
QString FrontUsbDecidesModels();  // ten models where the attached USB id decides
QString FrontAdFourModels();      // four models reading "front_ad"
QString FrontLearnFourModels();   // four models sending "front_learn"
QString FactoryDefaultOneModel(); // one more model restoring by "factory_default"
QString PrintTextKeyByteModels(); // two listed models asking key 312 for the paper mode
QString PrintTextCpclRefusedModels(); // three of them refuse the CPCL text window
QString PrintTextSingleModel();   // one listed model asking key 312 (0: receipt window)
QString PrintTextCpclFourModels();// four base models always using the CPCL text window
QString DfuOtaEightModels();      // eight listed models updated over the air
QString DfuUpdateMethodModel();   // one listed model asking its update method
QString DfuNineModels();          // nine models: USB id decides over the air or DFU mode
QString DfuOtaFourModels();       // four more models updated over the air
// The SDK model text the command console's printer object is re-created with.
QString ConsoleSdkModel(const QString& prtMapName);
// True when the USB id text names the maker's vendor with a product id beginning with 9.
bool IsMakerUsbId9(const QString& usbIdText);
} // namespace DispatchData

// ---- inputs of the decisions ------------------------------------------------------------------
struct TDispatchInputs {
    QString PrtDefName;
    QString PrtBasName;
    int Protocol = 1;
    QString UsbIdText;  // GetUsbVidPidText() of the attached printer
    bool DebugMode = false;
    std::function<QString(const QString& key)> List;          // [ParameterSet] list by key
    std::function<int(const QString& item)> Permission;       // command plug-in permission value
    std::function<bool(const QString& feature)> Feature;      // current model in a feature list
    std::function<bool(const QString& version)> FirmwareAtLeast; // CheckFirmwareVersion

    QString ListOf(const QString& key) const { return List ? List(key) : QString(); }
    int PermissionOf(const QString& item) const { return Permission ? Permission(item) : 0; }
    bool HasFeature(const QString& f) const { return Feature && Feature(f); }
    bool FirmwareIsAtLeast(const QString& v) const { return FirmwareAtLeast && FirmwareAtLeast(v); }
};
// The current printer's values (names, protocol number, USB id, lists of the printer-type
// list, plug-in permissions, feature lists); the firmware test asks the printer.
TDispatchInputs CurrentDispatchInputs();

// ---- parameter setting -------------------------------------------------------------------------
struct TParaFormChoice {
    QString Form;         // window class name
    QString MatchedList;  // the list (or fixed list) that matched; empty for the fallback
};
TParaFormChoice ChooseParameterForm(const TDispatchInputs& in);

// ---- printer commands of the shared click handler ----------------------------------------------
enum class TCmdKind {
    None,          // nothing is sent
    Raw,           // Bytes written through the TSPL handle
    Do,            // do "key" (Bytes = the quoted key)
    DoWithData,    // do "key", then Data
    GetVal,        // getval "key"; the reply is read and dropped
    FrontCommand,  // "ZZZFRONT" through the current library, reply read and dropped
};
struct TPrinterCommand {
    TCmdKind Kind = TCmdKind::None;
    QByteArray Bytes;
    QByteArray Data;
    bool ReportWriteFailure = false;  // a failed raw write is reported to the operator
    bool operator==(const TPrinterCommand&) const = default;
};
TPrinterCommand RawCommand(const QByteArray& bytes, bool report = false);
TPrinterCommand DoCommand(const char* quotedKey);

TPrinterCommand PrintConfigCommand(const TDispatchInputs& in);
TPrinterCommand StartLearnCommand(const TDispatchInputs& in);
// Continuous-paper learning: None for models without it; always asks first.
TPrinterCommand ContinueLearnCommand(const TDispatchInputs& in);
bool FrontLearnNeedsConfirm(const TDispatchInputs& in);
TPrinterCommand FrontLearnCommand(const TDispatchInputs& in);
TPrinterCommand ModelTestCommand(const TDispatchInputs& in);
TPrinterCommand FactoryResetCommand(const TDispatchInputs& in);

// ---- print text --------------------------------------------------------------------------------
// 1 the listed model asks key 312 (paper mode 4/5/7), 2 the single model asks it (0 or
// not), 0 the kind decides.
int PrintTextRoad(const TDispatchInputs& in);
// Window for the paper-mode byte of road 1 or 2; empty for none. cpclRefused is set when
// the model may not use the CPCL text window (an error box instead).
QString PrintTextFormOfByte(const TDispatchInputs& in, int road, int modeByte, bool& cpclRefused);
// The kind of road 0: 1 feature list, 2 TSPL, 3 any other protocol.
int PrintTextKind(const TDispatchInputs& in);
QString PrintTextFormOfKind(const TDispatchInputs& in, int kind);

// ---- firmware update ---------------------------------------------------------------------------
bool DfuAsksUpdateMethod(const TDispatchInputs& in);
// The chooser's type text for the printer's "update_method" reply (trimmed of blanks, CR,
// LF and quotes; compared in upper case): "DFU", "BIN", or the reply itself.
QString DfuTypeOfReply(const QString& reply);
struct TDfuAction {
    enum Kind { OpenForm, SendThenTool, ToolOnly } What = ToolOnly;
    QString Form;       // OpenForm
    QByteArray Bytes;   // SendThenTool
    bool operator==(const TDfuAction&) const = default;
};
// Step 2 (eight over-the-air models) happens before the update-method question; the rest
// after it. Step 2 is FirstDfuAction; the others DfuActionAfterChooser.
bool DfuIsOtaFirst(const TDispatchInputs& in);
TDfuAction DfuActionAfterChooser(const TDispatchInputs& in);

// The firmware update tool (a separate program; started, never waited for).
QString FirmwareToolPath();
void SetFirmwareToolPathForTest(const QString& path);  // empty restores the default
// True when the tool is there and may be run (checked before the printer is switched
// to its update mode).
bool FirmwareToolCanStart();
// Starts the tool detached; a missing tool shows an error box. True when started.
bool StartFirmwareTool();

// ---- the handlers ------------------------------------------------------------------------------
// Runs the button's function; false when the button has no dispatch.
bool DispatchMainFunction(TMainFunctionHost& form, const QString& buttonName);
// The handlers one by one (public for tests).
void btnParameterSettingClick(TMainFunctionHost& form);
void MouseClick(TMainFunctionHost& form, const QString& buttonName);
void btnDFUClick(TMainFunctionHost& form);
void btnDFU2Click(TMainFunctionHost& form);
void btnWifiFirewateDownloadClick(TMainFunctionHost& form);
void btnFWAllUpdateClick(TMainFunctionHost& form);
void Button4Click(TMainFunctionHost& form);
void btnRfidSetClick(TMainFunctionHost& form);
void btnScanTestClick(TMainFunctionHost& form);
void btnAdvancedSettingsClick(TMainFunctionHost& form);
void btnCommandTestClick(TMainFunctionHost& form);
// The printer list's context-menu item: the storage manager after the gate.
void mitemTempletManageClick(TMainFunctionHost& form);
void btnAddPrinterClick(TMainFunctionHost& form);
void btnModifyPrinterClick(TMainFunctionHost& form);
void btnIPMessageClick(TMainFunctionHost& form);
