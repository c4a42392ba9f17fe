#pragma once
// Option lists of the parameter controls: ordered "value=Text" lines, value = what the
// printer stores, Text = what the operator sees. A window owns its list; the fillers only
// change its lines, and a null list is ignored everywhere.
#include <QString>
#include <QStringList>

class QComboBox;

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

// Clears the combo and adds the Text part of every line; nothing is selected.
void FillComboFromValues(QComboBox* combo, const QStringList* list);
// Text of the first line whose value part equals `name`; found := 1 when there is one.
void FindValueByName(const QString& name, const QStringList* list, int& found, QString& value);
// Value part of the first line whose Text equals `value`; found := 1 when there is one.
void FindNameByValue(const QString& value, const QStringList* list, int& found, QString& name);
// Selects the first entry equal to text; false and no change when none is.
bool SelectComboItem(QComboBox* combo, const QString& text);

// Value and Text of one "value=Text" line (split at the first "=").
QString OptionLineValue(const QString& line);
QString OptionLineText(const QString& line);
