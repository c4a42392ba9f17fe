#pragma once
// Which function buttons the main window offers for the selected printer, in which slot
// order, and where they go. Plain functions over plain inputs: the window gathers the
// names, lists and settings, these decide, the window applies.
#include <QRect>
#include <QString>
#include <QStringList>

// Layout constants of the function group box.
inline constexpr int FnBtnTopBase = 25;
inline constexpr int FnBtnLeftBase = 33;
inline constexpr int FnBtnGapV = 19;

// Everything the button decision reads. Lists are comma-wrapped model lists.
struct TFunctionButtonInputs {
    QString PrtBasName;
    QString PrtDefName;
    QString PortString;              // current port string
    bool DebugMode = false;
    int FrontLearnSetting = 0;       // descriptor: 0 no preference, 1 show, 2 hide
    int CommandTestSetting = 0;      // descriptor: 0 no preference, 1 show, 2 hide

    // [ParameterSet] lists
    QString NIsbtnPrinterInformation;
    QString NIsbtnStartLearn;
    QString IsbtnFrontLearn;
    QString IsbtnDLF;
    QString IsbtnModel;
    QString x1;
    QString IsbtnDLFont;
    QString IsbtnCommandTest;        // read at the moment of the update
    QString IsbtnPrinterStatus;      // read at the moment of the update
    QString HaveScanTest;            // read at the moment of the update
    QString FTN_AdvancedSettings_0;

    // catalogue lists
    QString NoPrintTextModels;       // models without test-text printing
    QString CommandConsoleModels;    // models with the command console
    QString RfidModels;              // RFID model list
};

// Result of the decision: button object names in slot order (btnAdvancedSettings may
// appear twice in debug mode: it then takes two slots, the second placement wins), and
// the visibility of the information-page tab.
struct TFunctionButtonPlan {
    QStringList Placed;
    bool SysParaTabVisible = true;
};

// The 21 function buttons of the group box in slot order (each appears once).
const QStringList& FunctionButtonNames();

// Decides the buttons.
TFunctionButtonPlan DecideFunctionButtons(const TFunctionButtonInputs& in);

// Slot i of a button of the given size: top = (i div 2) * (h + 19) + 25;
// left = 33 (even i) or 66 + w (odd i).
QRect FunctionSlotRect(int slot, int buttonWidth, int buttonHeight);

// Rows of the group box for a number of used slots (rounded up).
int FunctionRowCount(int slotsUsed);

// Inputs and results of the layout that follows the button placement.
struct TPortTypeLayoutInputs {
    int SlotsUsed = 0;
    int ButtonHeight = 0;            // height of Button4
    QRect ListView;                  // lvPrinterList geometry
    QRect ScrollBox;                 // scrollboxA geometry (left/top are recomputed)
    QRect GroupBox;                  // gpbFunction geometry (top/height are recomputed)
    QRect Dfu;                       // btnDFU geometry (top recomputed)
    int QuitHeight = 0;              // btnQuit height
    QString PrtDefName;
    QString PortString;
    bool DebugMode = false;
    // fixed lists of the maker's models (comma-wrapped)
    QString BulkUpdateModels;        // bulk network update (two models)
    QString DfuOnComModels;          // firmware update offered on a serial port (eight models)
};

struct TPortTypeLayout {
    QRect ScrollBox;
    QRect GroupBox;                  // sboxSysPara takes the same rectangle
    QRect Memo;                      // mmoInfo inside sboxSysPara
    int DfuTop = 0;
    bool DfuVisible = true;
    bool BulkUpdateVisible = false;
    int BulkUpdateLeft = 0;
    int Dfu2Left = 0;
    bool MoreVisible = false;        // btnMore, debug mode only
    bool TestMenuVisible = false;    // mitemTest, debug mode only
    int WindowHeight = 0;
    int ClientWidth = 0;             // only applied outside debug mode
};

TPortTypeLayout ComputePortTypeLayout(const TPortTypeLayoutInputs& in);
