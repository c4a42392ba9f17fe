#pragma once
// Value codecs of the text-command parameter forms (ZR and QX): how a getval reply becomes
// a control state and how a control state becomes the setval value. Plain functions over
// texts and item lists, so the passes and their tests need no widgets.
//
// Every "find" here reports a miss (-1 / false) instead of quietly taking item 0: the
// caller shows the fallback item but remembers that the printer's value was not
// understood, and does not send a value the printer never reported.
#include <QString>
#include <QStringList>

namespace textpara {

// A reply without surrounding blanks, CR, LF and NUL characters.
QString TrimReply(const QString& reply);

// Position of the first item equal to the text ignoring case; -1 when none.
int FindItemByText(const QStringList& items, const QString& text);
// The code of a code-page item: the text between its last "(" and its last character
// ("Latin 1 (1252)" -> "1252"); empty when the item holds no "(".
QString CodeOfItem(const QString& item);
// Position of the first item whose code equals the text ignoring case; -1 when none.
int FindItemByCode(const QStringList& items, const QString& code);

// Word tables of the text protocol: 0 "on","off"; 1 "gap","black mark","continuous";
// 6 "tear","peel","cutter" (and the other kinds of the core table).
QStringList WordTable(int kind);
// Position of the reply in the word table (exact); -1 when none.
int FindWord(int kind, const QString& reply);
// The word at the index; empty outside the table.
QString WordAt(int kind, int index);

// Dotted quads: a reply of at least 7 characters split at "." into its first four parts;
// false (parts untouched) for a shorter reply or fewer than four parts.
bool SplitDottedQuad(const QString& reply, QStringList& parts);
// "a.b.c.d." - each part followed by a dot (the printers expect the trailing dot).
QString JoinDottedQuad(const QStringList& parts);
// MAC address: a reply of at least 7 characters split at ":" into six parts; false
// (parts untouched) when shorter or when it does not give six parts.
bool SplitMac(const QString& reply, QStringList& parts);

// Bluetooth name as the printer reports it, without the "-XXXX" suffix it adds: a reply
// longer than 5 characters whose fifth character from the end is "-" loses its last five.
QString StripBtNameSuffix(const QString& reply);

// Millimetres <-> dots of the DPL model (other models pass the text through unchanged;
// an empty text always passes). dpi "300": 11.8 dots/mm, "600": 23.6, other 8 dots/mm.
// Dots -> mm rounds to nearest (halves to even) at 300 and 600 dpi and truncates toward
// zero at 8 dots/mm; mm -> dots rounds to nearest (halves to even). A text that is not
// an integer passes through unchanged (ok := false).
QString DotsToMm(const QString& dots, const QString& dpi, bool dplModel, bool* ok = nullptr);
QString MmToDots(const QString& mm, const QString& dpi, bool dplModel, bool* ok = nullptr);

// Head types: the printer reports its head by name and is set by number.
// Read names "S_U108_7746", "KYOCERA", "ROHM_KD" and write numbers "85", "1", "4" stand for
// items 1, 2, 3 of the head-type list; 0 when the text is none of them.
int HeadTypeItemOfName(const QString& name);
QString HeadTypeNumberOfItem(int item);  // empty outside 1..3

// DPL tear-off command: prefix + "KcPJ+" + value (value >= 0) or "KcPJ" + value (negative,
// the value text carries its sign) + CR LF. Prefix: STX (0x02) for the control-code set
// "standard", "~" for "alternate" and "alternate-2", 0x00 otherwise.
QByteArray DplTearOffLine(const QString& controlCodes, int value);

// Integer text check used by every clamp: the trimmed text as a decimal integer.
bool ParseInt(const QString& text, int& value);
// Clamps an integer text to lo..hi; ok := false (text untouched) when it is not an integer.
QString ClampIntText(const QString& text, int lo, int hi, bool& ok);

// Lists that depend on the printer language item ("TSPL", "tsc", "ESC", "ZPL", "EPL",
// "DPL"): the character-set list (1, 2 or 3 of the core fillers), the largest density
// and the density selected when the operator picks the language.
struct TProtocolLists {
    int charsetList = 1;
    int densityMax = 15;
    QString densityDefault = QStringLiteral("7");
};
TProtocolLists ProtocolListsOf(const QString& protocolItem);
// True when the printer's reported language is the item (ignoring case; "tsc" = "tspl").
bool SameProtocol(const QString& printerProtocol, const QString& item);
// The printer-language item a "ppl" reply stands for: the item equal to it ignoring case,
// else the first item of the same language ("tsc" and "tspl" are one); -1 when none.
int FindProtocolItem(const QStringList& items, const QString& reply);
// The items of character-set list 1, 2 or 3 of the core fillers.
QStringList CharsetItems(int list);
// "0".."max".
QStringList NumberItems(int max);

// Release-paper list ("0=word", "1=1", ...): name of the caption and caption of the name.
QString ReleasePaperNameOf(const QStringList& list, const QString& caption, bool& found);
QString ReleasePaperCaptionOf(const QStringList& list, const QString& name, bool& found);
// Tip under the release-paper list; empty when the caption is not one of the list.
QString ReleasePaperTip(const QStringList& list, const QString& caption, int index);

// Bluetooth name typed by the operator: characters 33..126 and no double quote.
bool IsValidBtName(const QString& name);
// PIN: exactly four digits.
bool IsValidBtPin(const QString& pin);

// "{0}" ... "{2}" of a language template, each replaced at its first occurrence.
QString FillTemplate(QString text, const QStringList& values);

// A comma-list test where the list may be a [ParameterSet] list tested as model + ","
// occurring anywhere ("OnlyChinese", "ProtocolDisable", "HaveEPL", "IsTealOff90").
bool IsModelPrefixInList(const QString& model, const QString& list);
// Value of a [ParameterSet] key: the stored value when the loader keeps the key, else a
// read at the moment of use.
QString ParameterSetList(const QString& key);

} // namespace textpara
