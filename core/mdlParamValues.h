#pragma once
// Fixed vocabularies of the parameter forms: text-protocol value words, print-speed range,
// paper width and protocol number of a model, character-set and code-page lists and numbers.
#include <QString>
#include <QStringList>
#include <cstdint>

class QComboBox;

// Value words by kind (0..7). Empty value: word := word at index (empty when the index or
// kind is outside the table). Non-empty value: selects the position of the first equal word
// (exact), 0 when none; word stays empty.
void MapParamOptionWord(QComboBox* combo, const QString& value, int index, QString& word,
                        int kind);
// The words of one kind (empty list for a kind outside 0..7).
QStringList ParamOptionWords(int kind);

// "2".."N" where N is the model's maximum speed in ips; selects the first item.
void FillPrintSpeedList(QComboBox* combo, const QString& modelName);
// The maximum N used by FillPrintSpeedList.
int GetMaxPrintSpeed(const QString& modelName);
// "0".."N"; selects the first item.
void FillComboNumbers(QComboBox* combo, int n);

// Protocol number of the current model from the loaded protocol lists:
// CPCL 3, TSPL 1, ESC 0, ZPL 4, none 1.
int32_t GetProtocolNoByModel();
// The same rule for a given model (the printer link's protocol seam uses it).
int32_t GetProtocolNoOfModel(const QString& model);
// Paper width of the current model in mm as text ("48", "56", "72", "80", "108").
void GetPaperWidthByModel(QString& text);
QString GetPaperWidthByModel();

void FillIntlCharsetList1(QComboBox* combo);  // 48 items
void FillIntlCharsetList2(QComboBox* combo);  // 22 items
void FillIntlCharsetList3(QComboBox* combo);  // 29 items
// Code-page table by key ("" default, "KESA_MPT", "KESA", three family keys); selects first.
void FillCodePageCombo(QComboBox* combo, const QString& tableKey);

// Name -> number text of the first pair with that name ("0" when none).
// Empty name: number -> name of the first pair with that number ("0" when none). When a
// combo is given, the first pair of that number whose name the combo holds is taken, so
// the name can be selected in that combo.
void MapCodePageNo(const QString& name, const QString& numberText, QString& result,
                   const QComboBox* combo = nullptr);
// ESC R n country name -> n (0 for any other text). The shown name of a row counts too.
int32_t CountryToCharsetNo(const QString& country);
// The lists show a few table words in the UI language ("Default" of the code pages, "U.S.A."
// of the countries) from the language file, the table's word when the file has none; the
// tables and the printer keep their own names. Table name -> shown text, and back (any other
// text is returned as it is).
QString ShownValueName(const QString& tableName);
QString TableValueName(const QString& shown);
