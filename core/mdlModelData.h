#pragma once
// The reviewed data of the model catalogue: the members of every capability list, the
// rows of the OEM branding profiles and of the per-model feature descriptors. Code
// elsewhere reads these rows; nothing here decides.
#include "mdlModelNames.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// ---- capability lists ----------------------------------------------------------------------
// Assigns every built-in list variable of the catalogue (called by BuildModelLists).
void AssignModelListData();
// Built-in default lists of the [ParameterSet] keys (key, list), Label and Mobile files.
struct TFeatureKeyList {
    const char* Key;
    QString Models;
};
const std::vector<TFeatureKeyList>& LabelFeatureKeyLists();
const std::vector<TFeatureKeyList>& MobileFeatureKeyLists();
// The three alias names that map to "W16".
QStringList W16AliasNames();

// ---- USB identity check families (1..7; family 7 shares the list of family 6) ----------------
QString UsbCheckFamilyIdText(int family);
QString UsbCheckFamilyModel(int family);
const QString* UsbCheckFamilyList(int family);

// ---- OEM branding profiles ----------------------------------------------------------------
struct TOemProfileRow {
    const char* ToolType;
    const char* OemKey;
    const char* ClassName;
    const char* VersionText;        // '' -> version mode 0, else mode 1
    int CaptionMode;
    const char* CaptionWord;
    int ModelListMode;
    QStringList Models;             // always added
    QStringList RealOnlyModels;     // added when the "Real" marker file exists
    QStringList ProgrammerModels;   // added with the "-SwitchProgrammer" role switch
    int AliasMode;
    QStringList Aliases;            // "name=value"
    int ListMode;                   // all four protocol-list modes
    QString TsplList, EscList, CpclList, ZplList;
    bool ShowToolLang;
    QStringList OfferedLangs;       // "2052", "1033", "1042", "7", "1040", "1036"
    int PrinterManageLayout;
    const char* FolderCode;         // prefix + brand tag
    const char* OemIdentifier;
};
const std::vector<TOemProfileRow>& OemProfileRows();  // 42 rows, in CreateOemObject order
const TOemProfileRow* FindOemProfileRowByClass(const char* className);
// Language key of the extra caption text of the cross-border profile.
inline constexpr char LANGKEY_CrossBorderCaption[] = "Lang_All_00210217_12";

// ---- per-model feature descriptors ----------------------------------------------------------
enum class TUsbPred { None, A7008, B9008, B9006, B4011 };
UsbIdPredicate PredicateOf(TUsbPred p);
struct TFtnADataRow {
    const char* ClassName;
    QString Model;                  // the model the factory creates the class for
    QString ModelName, BaseName;
    QString UsbId1, UsbId2, UsbId3;
    QString Name1, Name2, Name3;
    QString ExactName, ExactResult;
    const QString* RowAList;        // capability list variable, or null (empty row)
    bool RowAAlways;
    TUsbPred RowAPred;
    QString RowAResult, RowAId;
    const QString* RowBList;
    bool RowBAlways;
    TUsbPred RowBPred;
    QString RowBResult, RowBId;
    TUsbPred RowCPred;
};
const std::vector<TFtnADataRow>& FtnADataRows();
const TFtnADataRow* FindFtnADataRow(const char* className);

// ---- model roles of the V52 parameter form ----------------------------------------------------
// Comma lists (",A,B,"). "listed" lists are tested with the listed model name (PrtDefName),
// "current" lists with the current model name (PrtBasName); the speed-range lists say which.
struct TV52RoleLists {
    QString NoDrain;        // listed: no drain of stale reply bytes before reading or writing
    QString BoxPosition;    // listed: paper-box position row (id 0xf1)
    QString NoSpeed;        // listed: no speed row (id 0xca); speed items "2".."4"
    QString FineTune;       // listed: heating-time fine tune row (id 0xf0)
    QString Wifi;           // listed: Wi-Fi page
    QString Scan;           // current: scan button and Wi-Fi version (members of Wifi)
    QString ApAddress;      // listed: AP mask/gateway ids 0x86/0x85; no reset after writing
    QString Protocol;       // listed: command protocol row (id 0x138)
    QString Language;       // listed: printer language row (id 0x12c)
    QString RepeatPrint;    // listed: repeat print row (id 0xec)
    QString Ethernet;       // listed: Ethernet page
    QString NoRelease;      // listed: NoDrain and NoSpeed together: no release paper, no code page
    QString Release;        // current: release paper read whatever the per-model flag; code page allowed
    QString NoCodePage;     // current: no code page row
    QString Bluetooth3;     // current: Bluetooth rows
    QString Bluetooth2;     // listed: Bluetooth rows
    QString Density0To3;    // listed: density items "0".."3"
    QString Density1To4;    // listed: density items "1".."4"
    QString Density0To15;   // listed: density items "0".."15"
    QString Speed2To6;      // listed: speed items "2".."6"
    QString Speed2To5;      // listed: speed items "2".."5"
    QString DetectTwoItems; // current: detection mode offers two items
    // Speed range (minimum 4, maximum 7 to start with).
    QString MinSpeed2;      // current, then listed: minimum 2 (the long compatibility list)
    QString MinSpeed3;      // current: minimum 3
    QString MaxSpeed6;      // current or listed: maximum 6 (the second long list)
    QString MaxSpeed5;      // listed: maximum 5
    QString MaxSpeed4;      // listed: maximum 4
};
// The catalogue's rows of the V52 form's model roles.
TV52RoleLists V52RoleListData();
