#pragma once
// Byte layouts of the 256-byte parameter block as tables, and the table-driven
// conversion between a block and a form's controls.
//
// How a form uses it: its SplitSetting calls
//     SplitFields(FieldsFor(LayoutA(), "J83", gate), Block(), this);
// and its ReplacePrintSetting the same with ReplaceFields. `gate` says which gated rows
// apply (the Bluetooth rows only for Bluetooth models, the lid row only for lid models).
// Each row names its control by objectName; a row whose control the form lacks is
// skipped, so a hidden control still converts (its bytes go back from it). Codec
// Custom rows are converted by the form itself. A further layout is one more table of
// TBlockField rows (and, when it needs one, one more codec in SplitField/ReplaceField).
//
// Every row touches only its own bytes; bytes no row names stay as read.
#include "mdlPrtParamBlock.h"

#include <QString>
#include <functional>
#include <vector>

class QWidget;

enum class TBlockCodec {
    IndexList,      // QComboBox: item index = byte; no item for the byte: kept
    Radio,          // TRadioGroup: 1 when the byte is not 0
    InvertedRadio,  // TRadioGroup: byte not 0 is item 0; item 0 writes 1
    Check,          // QCheckBox: ticked when the byte is 1
    Number,         // QLineEdit: decimal byte
    Speed,          // QComboBox "2".."N": item = byte - 2; no item: kept
    Heat,           // QComboBox, 2 bytes lo/hi, signed fine-tune; a value not listed: kept
    Length,         // QLineEdit, 2 bytes little-endian dots, shown as mm (dots div 8)
    CodePage,       // QComboBox of code-page names; an unknown number: kept
    IntlCharset,    // QComboBox of the 16 ESC R character sets (index list)
    IPv4,           // QLineEdit Control + "1".."4", first octet at the lowest byte
    FixedText,      // QLineEdit, Width bytes up to the first byte <= 32, zero-padded
    Dhcp,           // QComboBox: item index = byte without a range test; no item: kept
    Custom,         // converted by the form
};

enum class TRowGate {
    Always,
    Bluetooth,  // only when the model has Bluetooth
    Lid,        // only for the lid models
};

struct TBlockField {
    int Pos;
    int Width;
    TBlockCodec Codec;
    const char* Control;
    const char* Forms;  // "all" or a comma list of form codes (",F58D,J83,")
    TRowGate Gate = TRowGate::Always;
};

using TBlockLayout = std::vector<TBlockField>;
using TGatePredicate = std::function<bool(TRowGate)>;

// Layout A: the block of the F58D, U9, J83, Trev, F58S, Z34, Z12, BQM260, BTN7 forms and
// of the BTN7_Vuzivaz form (code "BTN7S").
const TBlockLayout& LayoutA();

bool FieldUsedBy(const TBlockField& field, const QString& formCode);
// The rows of a form, gated rows only when the predicate allows them (none without one).
TBlockLayout FieldsFor(const TBlockLayout& layout, const QString& formCode, const TGatePredicate& gate = {});
// Every byte position the rows touch, ascending.
std::vector<int> BytesOf(const TBlockLayout& fields);

// Block -> controls and back, row by row (controls found by objectName under form).
void SplitField(const TBlockField& field, const TParamBlock& block, QWidget* form);
void ReplaceField(const TBlockField& field, TParamBlock& block, QWidget* form);
void SplitFields(const TBlockLayout& fields, const TParamBlock& block, QWidget* form);
void ReplaceFields(const TBlockLayout& fields, TParamBlock& block, QWidget* form);
