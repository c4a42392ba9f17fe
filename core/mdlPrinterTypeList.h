#pragma once
// The printer-type list ("PrinterTypeList_Label.ini", section "ParameterSet") and the
// protocol list ("ProtocolType.ini", section "Protocol"), loaded when the main window is
// first shown; the shared message texts of the language file; and the names of the
// configuration files the main window sets.
//
// Every value is stored as read (after ReadIniString's filter): a model list is tested
// as ","+model+"," against it, so a list in the file begins and ends with a comma. A
// missing key or file gives ''.
#include <QString>
#include <QStringList>

class TOemClass;  // core/mdlOemClass.h

// ---- configuration file names (set by the main window when it is first shown) -----------
extern QString gToolId;                    // "UTILITY_LABEL"
extern QString gPrinterTypeListFileName;   // "PrinterTypeList_Label.ini" (also the switch file)
extern QString gPrinterMapFileName;        // "PrinterMap.ini"
extern QString gPrinterMapFilePath;        // configuration folder + "PrinterMap.ini"
extern QString gProtocolTypeFileName;      // "ProtocolType.ini"
extern QString gCompanyPrinterListFileName;// "CompanyPrinterList_Label.txt"

// Sets the names above for the Label tool (the main window's first show).
void SetLabelConfigFileNames();
// The shipped files the Label tool reads at start (language file, printer-type list,
// protocol list, company model list, printer map).
QStringList ShippedFileNames();
// The names of those files in dir that are missing, empty or cannot be read.
QStringList MissingShippedFiles(const QString& dir, const QStringList& names);
// The start-up message (English: it cannot come from a missing language file) naming each
// missing file and the folder searched.
QString MissingShippedFilesText(const QString& dir, const QStringList& missing);

// ---- [ParameterSet] -------------------------------------------------------------------------
// Keys read by LoadParameterSetKeys, in reading order.
const QStringList& ParameterSetKeys();
// Reads every key of ParameterSetKeys() from the printer-type list into its stored text.
void LoadParameterSetKeys();
// Stored text of a key read by LoadParameterSetKeys ('' before loading or for other keys).
QString ParameterSetValue(const QString& key);
// Reads a key at the moment of use (keys the loader does not keep, such as
// "IsbtnCommandTest", "IsbtnPrinterStatus", "Z34_ParameterSetting", "Test_Space").
QString ReadParameterSetNow(const QString& key);

// ---- FTN keys -------------------------------------------------------------------------------
// The eleven "FTN_..." keys in reading order; LoadFtnParameterKeys stores each into the
// feature list of the model catalogue with the same name.
const QStringList& FtnParameterKeys();
void LoadFtnParameterKeys();

// ---- protocol lists ("ProtocolType.ini" [Protocol]) ----------------------------------------
// For "TSPL", "CPCL", "ESC", "ZPL" in this order: the file value, or the branding
// profile's override (mode 2: the profile's list; mode 3: value + "," + profile's list);
// no profile: the file values. LoadProtocolModelLists (mdlKesaVar.h) passes the active one.
void LoadProtocolModelListsOf(const TOemClass* oem);
// The loaded list of a command language ("TSPL", "CPCL", "ESC", "ZPL"); '' otherwise.
QString ProtocolModelList(const QString& language);
// The override rule on its own.
QString ApplyProtocolListMode(int mode, const QString& fileValue, const QString& profileList);

// ---- shared message texts ----------------------------------------------------------------------
// Keys read by LoadMessageTexts, in reading order.
const QStringList& MessageTextKeys();
// Reads every key of MessageTextKeys() from the language file's current-language section.
void LoadMessageTexts();
// Stored text of a key read by LoadMessageTexts ('' otherwise).
QString MessageText(const QString& key);

// Empties everything above (tests, program end).
void ClearPrinterTypeListState();
