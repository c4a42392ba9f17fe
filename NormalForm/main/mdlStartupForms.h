#pragma once
// The windows the program entry creates before the message loop, the main window first.
// Creating them needs no selected printer and no open port, shows nothing and sends
// nothing.
#include <functional>

class QObject;
class T_frmMain_Label;
class TfrmDLF;
class TfrmDLFile;
class TfrmDLFont;
class TfrmDLUF;
class TfrmGDL;
class TfrmDFU_W16P;
class T_frmDownloadFile_TSPL;
class T_frmImagesManageTSPL;
class T_frmTempletManage;
class T_frmParaSet_W16P;
class T_frmParaSet_UZ650B;
class T_frmParaSet_V52;
class T_frmParaSet_QX;
class T_frmParaSet_BQM;
class T_frmParaSet_V64;
class T_frmParaSet_W7X_Vuzivaz;
class T_frmParaSet_W7X;
class T_frmParaSet_W16;
class T_frmParaSet_W16_Vuzivaz;
class T_frmParaSet_J27;
class T_frmPrintText;
class T_frmPrintTextLabel;

// Global window variable of the main window (null before creation and after destruction).
extern T_frmMain_Label* frmMain_Label;
// Download windows created at start (hidden).
extern TfrmDLFile* frmDLFile;
extern TfrmDLF* frmDLF;
extern TfrmDLFont* frmDLFont;
extern TfrmDLUF* frmDLUF;
// Hidden start-up instance of the block firmware window.
extern TfrmGDL* frmGDL;
// Hidden start-up instance of the over-the-air firmware window.
extern TfrmDFU_W16P* frmDFU_W16P;
// Hidden start-up instances of the TSPL storage download window and managers (no command of the main window
// shows them).
extern T_frmDownloadFile_TSPL* frmDownloadFile_TSPL;
extern T_frmImagesManageTSPL* frmImagesManageTSPL;
extern T_frmTempletManage* frmTempletManage;
// Start-up instances of the key-frame parameter forms (never shown; the commands make
// fresh ones, and the UZ650B form exists only as this instance).
extern T_frmParaSet_W16P* frmParaSet_W16P;
extern T_frmParaSet_UZ650B* frmParaSet_UZ650B;
extern T_frmParaSet_V52* frmParaSet_V52;
// Hidden start-up instance of the QX parameter form.
extern T_frmParaSet_QX* frmParaSet_QX;
// Hidden start-up instances of parameter forms (the commands always show fresh ones).
extern T_frmParaSet_BQM* frmParaSet_BQM;
extern T_frmParaSet_V64* frmParaSet_V64;
extern T_frmParaSet_W7X_Vuzivaz* frmParaSet_W7X_Vuzivaz;
extern T_frmParaSet_W7X* frmParaSet_W7X;
extern T_frmParaSet_W16* frmParaSet_W16;
extern T_frmParaSet_W16_Vuzivaz* frmParaSet_W16_Vuzivaz;
extern T_frmParaSet_J27* frmParaSet_J27;
class T_frmPrinterManage_Label;
// The printer-management window, made once and reused for every add and modify (defined
// beside the window).
extern T_frmPrinterManage_Label* frmPrinterManage_Label;
T_frmPrinterManage_Label* GetPrinterManageForm();
// Tool windows created at start (hidden; the commands show fresh instances).
class T_frmCommandTest;
class T_frmPrinterStatus;
class T_frmScanTest;
extern T_frmCommandTest* frmCommandTest;
extern T_frmPrinterStatus* frmPrinterStatus;
extern T_frmScanTest* frmScanTest;
// Start-up instances of the test-text windows (never shown; the dispatch makes fresh ones).
extern T_frmPrintTextLabel* frmPrintTextLabel;
extern T_frmPrintText* frmPrintText;

// Creates the start-up windows in the entry's order and returns the main window (not
// shown). Windows of later areas add their creation here, at their place in the order.
T_frmMain_Label* CreateStartupForms();
// The same in two halves, so the main window shows at once: the main and
// printer-management windows first, then the hidden windows one at a time (in the same
// order) while the message loop is idle. A window that is never shown needs nothing
// from its siblings, so nothing waits for them.
T_frmMain_Label* CreateMainStartupForms();
// Builds the next hidden start-up window; false when none is left after it.
bool BuildNextStartupForm();
bool StartupFormsPending();
// Builds the remaining hidden windows, one per turn of the message loop, on a timer owned
// by `context` (freed with it); calls `first` (may be empty) at the first turn, before the
// first window, and `done` (may be empty) when all are built.
void BuildStartupFormsWhenIdle(QObject* context, std::function<void()> done,
                               std::function<void()> first = {});
// Destroys them again, the main window last (its destruction frees the singletons).
void DestroyStartupForms();
