#pragma once
// Module-level state of the application core: build kind, developer and factory modes,
// role flags, the key-frame operation byte, edit colours, default port strings, the
// identity-check folder, the log lock and the record list. Also the developer marker
// tests, the debug-mode test and the debug base folder.
//
// The developer root ("C:\" of the marker files) is prt::DevRootDir(); the program
// folder is prt::ExeDir(). Paths use "/".
#include <QColor>
#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

// ---- state ----------------------------------------------------------------------------
extern QString gLineBreak;             // "\r\n"
extern int gBuildKind;                 // 0, then 2 (Label) at the entry; 1 = Mobile
extern std::atomic<bool> gDebugFlag;   // developer debug mode (never cleared in a run)
extern bool gFactoryFlag;              // developer factory mode
extern int gKeyFrameOpByte;            // 1; 0 in factory mode (also handed to the link layer)
// Edit colours; an invalid colour (the start value) stands for the system colour of the
// running theme: window (text-field base) colour and button-face colour.
extern QColor gEditColorWritable;
extern QColor gEditColorReadOnly;
QColor EditColorWritable();
QColor EditColorReadOnly();
extern const QString gDefaultSerialPort;    // "COM,BAUDRATE_9600"
extern const QString gDefaultNetPort;       // "NET,192.168.0.33"
extern const QString gDefaultParallelPort;  // "LPT1"

// Role flags set by the command-line role switches; nothing in this build reads them.
struct TRoleFlags {
    bool Dealer = false;             // "-SwitchDealer"
    bool Technical = false;          // "-SwitchTechnical"
    bool CustomerService = false;    // "-SwitchCustomerServicePeople"
    bool Programmer = false;         // "-SwitchProgrammer"
    bool AnyRole = false;            // one of the four above was given
};
extern TRoleFlags gRoleFlags;

extern QString gPathSeparator;                       // "/" (set by start-up)
extern QString gIdentityCheckDir;                    // program folder + "PgmOrCdr/"
extern std::array<QString, 7> gIdentityCheckNames;   // record names of the USB identity check
extern bool gLogLockCreated;                         // the log lock is usable

// Feature-key constants: feature names for the feature-list lookup of the model catalogue.
inline constexpr char FTNNo_PrintableWidth_NotVisible[] = "FTNNo_PrintableWidth_NotVisible";
inline constexpr char FTNNo_PrintText_Type1[] = "FTNNo_PrintText_Type1";
inline constexpr char FTNNo_PrintTextLanguage_NotVisible[] = "FTNNo_PrintTextLanguage_NotVisible";
inline constexpr char FTNNo_PaperWidth_1[] = "FTNNo_PaperWidth_1";
inline constexpr char FTNNo_DfuBin_Visible[] = "FTNNo_DfuBin_Visible";
inline constexpr char FTNNo_Dfu_Head_BinType1[] = "FTNNo_Dfu_Head_BinType1";
inline constexpr char FTNNo_Dfu_UpdateMethod1[] = "FTNNo_Dfu_UpdateMethod1";
inline constexpr char FTNNo_GetProduceDate_Type1[] = "FTNNo_GetProduceDate_Type1";
inline constexpr char FTNNo_GetFirmwareVer_Type1[] = "FTNNo_GetFirmwareVer_Type1";
inline constexpr char FTNNo_btnPrintText_Form1[] = "FTNNo_btnPrintText_Form1";
inline constexpr char FTNNo_PrintText_GetPaperMode[] = "FTNNo_PrintText_GetPaperMode";

// ---- log lock ---------------------------------------------------------------------------
// The lock itself lives for the whole process, so a late writer can never touch a freed
// lock; "created" only says whether logging is open. Writers hold the lock and test the
// flag (see WriteDebugLog).
std::mutex& DebugLogLock();
void CreateLogLock();   // sets gLogLockCreated
void DeleteLogLock();   // clears gLogLockCreated under the lock; later writers write nothing

// ---- record list -----------------------------------------------------------------------
struct TPrtRecord {
    QString Name;
    QString Value;
};
using TPrtRecordList = std::vector<std::unique_ptr<TPrtRecord>>;
extern TPrtRecordList* gRecordList;
void CreateRecordList();  // creates it empty when it does not exist
void FreeRecordList();    // frees the items and the list

// ---- operations ------------------------------------------------------------------------
bool IsDebugMode();               // sets the flag when both marker files exist
bool DevMarkerFileExists();       // <dev root>/xx46027193850461/dfile46027193850461.txt
bool DevSecondMarkerExists();     // <program folder>/x58316204972635.txt
QString GetDevMarkerPrefix();     // <dev root>/xx46027193850461/dfile46027193850461-
bool RealMarkerFileExists();      // prefix + "Real.txt"
QString GetTestNameTag();         // "(TEST_DBGF1OFREALISY)"
QString GetDebugBaseDir();        // see the .cpp; "x/x\x" outside debug mode
QString GetExeDir();              // program folder with trailing "/"
QString GetPathSeparator();       // "/"
// SetPrinterSdkKind / GetPrinterSdkKind: link/mdlPrinterLib.h (the dispatcher keeps the kind).

// Sets the key-frame operation byte (1 normal, 0 factory) and hands it to the link layer.
void SetKeyFrameOpByte(int value);

// Program arguments without the program name. Defaults to the application's arguments;
// the entry (or a test) may set them.
QStringList GetProgramArgs();
void SetProgramArgs(const QStringList& args);
void ResetProgramArgs();
// Applies the role switches found in the program arguments to gRoleFlags.
void ApplyRoleSwitches(const QStringList& args);

// Resets every module state of this file to its start value (tests).
void ResetModuleStateForTest();
