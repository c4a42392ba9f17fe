#pragma once
// UI language choice, the language file name and "Option.ini". Configuration and language
// values are read through ReadIniString (mdlIniRead.h).
#include "mdlIniRead.h"

#include <QString>
#include <QStringList>
#include <memory>

// ---- option and language globals ---------------------------------------------------------
extern QString gOptionFileName;    // "Option.ini"
extern QString gProgramDir;        // program folder with trailing "/"
extern QString gIconsDir;          // program folder + "icons/"
extern QString gCompanyType;       // [Option] CompanyType
extern std::unique_ptr<QStringList> gCompanyList;  // company-list holder
extern QString gCbtImagePath;      // program folder + "CBT.bmp"
extern QString gLangId;            // decimal language id such as "2052"
extern QString gLangName;          // display name of the language
extern QString gLangFileName;      // "UtilityForLabelLanguage.ini" in this build

// ---- TConstLangV ----------------------------------------------------------------------------
class TConstLangV {
public:
    TConstLangV();

    void InitAppPaths();
    void InitLangIniName();
    void LoadLangWords();

    bool PathsDone = false;
    QString ProgramDir;
    QString FilesDir;
    bool SwitchDone = false;
    bool LanguageResolved = false;
    QString LanguageId;
    QString LanguageName;       // at most 256 characters
    bool FileNameDone = false;
    QString LangIniName;
    bool Created = false;       // True once constructed
    QString SysPm = "SysPm";
    QString ToolLang = "ToolLang";

    // Word slots, read from the language file (section = LanguageId).
    QString Word_BreakDown;             // "Lang_Word_BreakDown"
    QString Word_Colon;                 // "Lang_Word_Colon"
    QString Word_Exclamation;           // "Lang_Word_Exclamation"
    QString Word_Exclamation2;          // "Lang_Word_Exclamation"
    QString Word_Space;                 // "Lang_Word_Space", every "1" removed
    QString Word_Success;               // "Lang_Word_Success"
    QString Word_fail;                  // "Lang_Word_fail"
    QString Word_Open;                  // "Lang_Word_Open"
    QString Word_Close;                 // "Lang_Word_Close"
    QString Word_Set;                   // "Lang_Word_Set"
    QString Word_Read;                  // "Lang_Word_Read"
    QString Word_AdvancedSettings;      // "Lang_Word_AdvancedSettings"
    QString Word_AdvancedS1;            // "Lang_Word_AdvancedS1"
    QString Word_SetBTFunction;         // "Lang_Word_SetBTFunction"
    QString Word_BtState;               // "Lang_Word_BtState"
    QString Err_OpenPort;               // "_Err_OpenPort"
    QString MSG_Title_Error;            // "_MSG_Title_Error"
    QString MSG_Title_Message;          // "_MSG_Title_Message"
    QString MSG_Title_Warn;             // "_MSG_Title_Warn"
    QString OK;                         // "_OK"
    QString Cancel;                     // "_Cancel"
    QString Enable;                     // "_Enable"
    QString Disable;                    // "_Disable"
    QString Err_ReadData;               // "_Err_ReadData"
    QString PwdNeeded;                  // "Lang_PwdNeeded"
    QString NeededY;                    // "Lang_NeededY"
    QString NeededN;                    // "Lang_NeededN"
    QString PSelect;                    // "Lang_PSelect"
    QString PInput;                     // "Lang_PInput"
    QString Word_InvalidIP;             // "Lang_Word_InvalidIP"
    QString Word_Pwd;                   // "Lang_Word_Pwd"
    QString Word_RestoreFactorySet;     // "Lang_Word_RestoreFactorySet"
    QString Word_ProtocolType;          // "Lang_Word_ProtocolType"
    QString Word_ProtocolT_CPCL;        // "Lang_Word_ProtocolT_CPCL"
    QString Word_ProtocolT_ESC;         // "Lang_Word_ProtocolT_ESC"
    QString Word_Minutes;               // "Lang_Word_Minutes"
    QString Word_Jtzw;                  // "Lang_Word_Jtzw"
    QString WifiState;                  // "Lang_WifiState"
    QString WifiMode;                   // "Lang_WifiMode"
    QString WifiName;                   // "Lang_WifiName"
    QString WifiDHCP;                   // "Lang_WifiDHCP"
    QString Word_BtName;                // "Lang_Word_BtName"
    QString Word_SimplePairing;         // "Lang_Word_SimplePairing"
    QString Word_AppletFun;             // "Lang_Word_AppletFun"
    QString Word_MacAddr;               // "Lang_Word_MacAddr"
    QString BtPwdNums;                  // "Lang_BtPwdNums"
    QString ShowPwd;                    // "Lang_ShowPwd"
    QString RestoreFNEsc;               // "Lang_RestoreFNEsc"
    QString ConnectFailed;              // "FormPrinterManage_ConnectFailed"
    QString ConnectFailed2;             // "FormPrinterManage_ConnectFailed"
    QString Err_OpenPort2;              // "_Err_OpenPort"
    QString Err_OpenPort3;              // "_Err_OpenPort"
    QString PaperType_Receipt;          // "_PaperType_Receipt"
    QString PaperType_BlackMark;        // "_PaperType_BlackMark"
    QString PaperType_Label;            // "_PaperType_Label"
    QString PaperType_Item4;            // "FormParaSet_Mobile_PaperType_4"
    QString PaperType_Item6;            // "FormParaSet_Mobile_PaperType_6"
    QString PaperType_Item7;            // "FormParaSet_Mobile_PaperType_7"
    QString Word_cannotFindUSBPrinter;      // "Lang_Word_cannotFindUSBPrinter"
    QString Word_cannotConnectTCPIPPort;    // "Lang_Word_cannotConnectTCPIPPort"
    QString Word_cannotFindLPTPort;         // "Lang_Word_cannotFindLPTPort"

    // Every language key the object reads (tests check them against the language files).
    static QStringList WordKeys();
};

TConstLangV* GetConstLangV();   // get-or-create
void FreeConstLangV();          // free and clear

// Construction steps (each of the first four runs once per object).
void ParseLanguageSwitch(TConstLangV* obj);
void ResolveLanguageId(TConstLangV* obj);
void LoadLangWords(TConstLangV* obj);
// One text from obj->FilesDir + fileName, plain ini read (default ''), no variant, no filter.
void ReadLangString(const TConstLangV* obj, const QString& fileName, const QString& section,
                    QString& text, const QString& key);

// Language id of a command-line switch ("-CN" -> "2052", ...), '' for anything else.
QString LanguageIdOfSwitch(const QString& arg);
// Folds a system language id: 3076/5124 -> 1028, the Spanish ids -> 1034, 2070 -> 1046.
int FoldLanguageId(int id);
// Display name of a language id ('' when unknown), at most 256 characters.
QString LanguageDisplayName(int id);

// ---- options and ini reading ---------------------------------------------------------------
void LoadStartupOptions();
void ResolveUiLanguage();

// Fills the platform text store with every key of the language section and tells the
// platform the UI language id (code page of byte texts).
void PublishLanguageTexts(const QString& fileName, const QString& section);

// Resets the globals of this file (tests).
void ResetLanguageStateForTest();
