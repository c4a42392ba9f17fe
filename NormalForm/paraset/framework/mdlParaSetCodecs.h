#pragma once
// Field codecs, key filters, value ranges and small model tests of the parameter forms,
// as plain functions (no widgets), so every rule is testable on its own.
//
// How a form uses them: a block row is decoded with the Decode* function of its codec
// into a control state (an item index, a text, a tick) and encoded back with the
// Encode* function. Index-like decoders answer kNoSelection when the stored byte has no
// item; the matching encoder then keeps the stored byte, so a setting the operator never
// touched goes back to the printer as it was read. Choosing an item writes it.
// The table-driven conversion of whole blocks is mdlParaBlockLayout.h; the widgets and
// the form life cycle are mdlParaSetForm.h.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

class QComboBox;

namespace paraset {

constexpr int kNoSelection = -1;

// ---- index lists, radio groups, check boxes, number edits --------------------------------
// v below itemCount: v; else no selection.
int DecodeIndexList(uint8_t v, int itemCount);
// itemIndex below 0 (no selection): stored; else the low byte of itemIndex.
uint8_t EncodeIndexList(int itemIndex, uint8_t stored);
// Two-choice radio group: 1 when v is not 0, else 0. Written as the item index.
int DecodeRadio(uint8_t v);
uint8_t EncodeRadio(int itemIndex);
// Inverted two-choice group (the lid row): v not 0 is item 0, v 0 is item 1; item 0
// writes 1, item 1 writes 0.
int DecodeInvertedRadio(uint8_t v);
uint8_t EncodeInvertedRadio(int itemIndex);
// Check box: ticked exactly when v is 1; written 1 or 0.
bool DecodeCheck(uint8_t v);
uint8_t EncodeCheck(bool ticked);
// Number edit: decimal text; written as the low byte of the text's integer value.
QString DecodeNumber(uint8_t v);
uint8_t EncodeNumber(const QString& text);

// ---- print speed: the list holds "2".."N" -------------------------------------------------
// v in 2 .. itemCount+1: v - 2; else no selection.
int DecodeSpeed(uint8_t v, int itemCount);
// No selection: stored; else the integer of the selected item's text.
uint8_t EncodeSpeed(int itemIndex, const QString& selectedText, uint8_t stored);

// ---- heat fine-tune pair (lo, hi) -----------------------------------------------------------
// lo - 256 when hi is not 0, else lo.
int DecodeHeatValue(uint8_t lo, uint8_t hi);
// value below 0: lo := value + 256, hi := 255; else lo := value, hi := 0.
void EncodeHeatValue(int value, uint8_t& lo, uint8_t& hi);
// The 21 items "-50" .. "50" in steps of 5.
QStringList HeatItems();
// Position of the decoded value's text among the items, no selection when absent.
int DecodeHeat(uint8_t lo, uint8_t hi, const QStringList& items);
// No selection: lo and hi keep their values; else the selected text's value.
void EncodeHeat(int itemIndex, const QString& selectedText, uint8_t& lo, uint8_t& hi);

// ---- length pair (lo, hi): 16-bit little-endian dots shown in mm (dots div 8) ---------------
QString DecodeLengthMm(uint8_t lo, uint8_t hi);
// dots := value * 8 (cut to 16 bits).
void EncodeLengthMm(const QString& text, uint8_t& lo, uint8_t& hi);

// ---- fixed-width text field ------------------------------------------------------------------
// The bytes up to the first byte of value 32 or below.
QString DecodeFixedText(const uint8_t* field, int width);
// The low bytes of the trimmed text's characters, cut to width, the rest zero.
void EncodeFixedText(const QString& text, uint8_t* field, int width);

// ---- code page and international character set ----------------------------------------------
// Name of the stored number among the combo's items (compared ignoring case); the item
// position, or no selection when the table does not know the number or the combo lacks it.
int DecodeCodePage(uint8_t v, const QComboBox* combo);
// No selection: stored; else the number the code-page table gives for the selected text.
uint8_t EncodeCodePage(int itemIndex, const QString& selectedText, uint8_t stored);
// The 16 ESC R character-set names in order (the byte is the item's position).
QStringList IntlCharsetItems();

// ---- fixed item lists ---------------------------------------------------------------------------
QStringList NumberItems(int first, int last);  // "first" .. "last"
QStringList BaudRateItems();                   // "9600" .. "115200"
QStringList ParityItems();                     // "NONE", "ODD", "EVEN"
QStringList StopBitsItems();                   // "1", "2"

// ---- key filters (typed and pasted text) -------------------------------------------------------
enum class TKeyFilter {
    None,
    Number,     // digits
    BTName,     // the printable characters 33 .. 126 (no blank)
    BTPassword, // digits
    SignedNumber, // digits and "-" (offsets, tear-off positions, print-to-stop distances)
    Decimal,      // digits and one "."
};
// True when the character may be entered through the filter.
bool KeyPasses(TKeyFilter filter, QChar c);
// True when every character of the text passes.
bool TextPasses(TKeyFilter filter, const QString& text);

// ---- ranges ---------------------------------------------------------------------------------------
struct TValueRange {
    int Min = 0;
    int Max = 0;
};
// Leaving a numeric edit: trimmed empty text becomes "0"; with a range, a value above the
// maximum becomes the maximum, below the minimum the minimum (decimal text); otherwise the
// text stays as it is.
QString CheckValueText(const QString& text, const std::optional<TValueRange>& range);

// ---- IPv4 octets ----------------------------------------------------------------------------------
// True when the text is a decimal number 0 .. 255 (empty counts as 0).
bool IsOctetText(const QString& text);

// ---- model tests -----------------------------------------------------------------------------------
// "," + model + "," occurs in the list.
bool ModelInList(const QString& model, const QString& list);
// model + "," occurs in the list (the "OnlyChinese" style of test); false for an empty model.
bool ModelCommaInList(const QString& model, const QString& list);

// ---- message text -----------------------------------------------------------------------------------
// The name of a field inside a message: the label's caption without its trailing colon
// (":" or the full-width "\uFF1A"), surrounding blanks and accelerator marks.
QString FieldName(const QString& caption);
// The range message: "{0}" (the field name of the caption), "{1}", "{2}" of the template
// replaced, first occurrence each.
QString RangeMessage(const QString& templ, const QString& caption, int min, int max);

} // namespace paraset
