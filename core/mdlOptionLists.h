#pragma once
// Option lists of the parameter controls: ordered "value=Text" lines, value = what the
// printer stores, Text = what the operator sees. A window owns its list; the fillers only
// change its lines, and a null list is ignored everywhere.
#include <QString>
#include <QStringList>

void FillProtocolTypeList(QStringList* list);
void FillFirmwareTypeList(QStringList* list);
void FillReleasePaperList(QStringList* list);
void FillHeatingTimeList(QStringList* list);
void FillRePrintSwitchList(QStringList* list);
void FillPaperModeItems(QStringList* list);
inline void FillPaperModeList(QStringList* list) { FillPaperModeItems(list); }
void FillCutterList(QStringList* list);
void FillEmulationList(QStringList* list);
void FillWifiApPwdList(QStringList* list);
void FillProtocolList(QStringList* list);
void FillDhcpList(QStringList* list);
void FillPrinterLanguageList(QStringList* list);
void FillRepeatPrintList(QStringList* list);
void FillCodePageList(QStringList* list);

// Paper-mode builder: kind 3 gives two lines, any other kind three.
void BuildPaperModeItems(QStringList* list, int kind);

QString GetDfuTypeName();  // "DFU 01"
QString GetBinTypeName();  // "BIN 01"
// 255 when the selected printer supports the wide release-paper range, else 127.
int GetReleasePaperMax();

// Showing and reading these lists: FillComboFromValues, FindValueByName, FindNameByValue
// and SelectComboItem (mdlGlobalVar.h).

// Value and Text of one "value=Text" line (split at the first "=").
QString OptionLineValue(const QString& line);
QString OptionLineText(const QString& line);

// Command-language word that picks the code-page table of the models of
// CodePageModelsByLanguage: "cpcl" or "esc"; empty (the default) keeps the four lines of
// the short table.
extern QString gCodePageLanguageWord;
