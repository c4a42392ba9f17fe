#pragma once
// The parameters that the key-frame forms (V52, W16P, UZ650B) read and write one at a
// time: one row per (form, parameter id) with its width, reader, writer, value mapping and
// the operation byte each way, plus the codec that turns a printer reply into what a
// control shows and a control back into the value written. Nothing here touches a widget;
// KfReadRow / KfWriteRow are the only calls that reach the printer.
//
// Reading: every reader opens, asks, reads and closes the port itself (and destroys the
// printer object), so KfReadRow creates the object again first. A reply counts only when
// the printer answered in full: a read error, no byte at all or a short address/word
// reply are all "no value", and the control keeps what it had.
//
// Writing: on the port the form opened (KfOpenPort); a control that no good reply filled
// and that the operator left alone is not written (the form keeps track of that).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

enum TKfForm : uint8_t { KF_V52 = 1, KF_W16P = 2, KF_UZ650B = 4 };

enum class TKfRead : uint8_t {
    ByteValue,  // CmdKeyGetKeyByteValue, one byte
    Word,       // CmdKeyGetKeyWord, two bytes
    Word2,      // CmdKeyGetKeyWord2, two raw bytes
    Bytes,      // CmdKeyGetKeyBytes, ReadLen bytes (address 4, MAC 6)
    String,     // CmdKeyGetKeyString, ReadLen bytes asked, the non-zero reply bytes
};

enum class TKfWrite : uint8_t {
    None,       // read only
    Byte,       // CmdKeySetKeyByte
    Byte2,      // CmdKeySetKeyByte2
    Word,       // CmdKeySetKeyWord (value mod 256, value div 256)
    TwoBytes,   // CmdKeySetKeyTwoBytes (low 16 bits)
    DWord,      // CmdKeySetKeyDWord
    Bytes,      // CmdKeySetKeyBytes, WriteLen raw bytes
    Key,        // CmdKeySetKey, 8-bit text in WriteLen bytes (UTF-8 rows: the UTF-8 bytes)
};

enum class TKfMap : uint8_t {
    ValueList,      // "value=Text" list: the value read selects the line's text
    Index,          // item index = value - Offset; written item index + Offset
    ByText,         // the item whose text is the value in decimal; the number shown is written
    InvertedCheck,  // 0 shows the box ticked; written 0 when ticked, 1 when clear
    Permute021,     // values 0, 1, 2 show items 0, 2, 1 and items 0, 1, 2 write 0, 2, 1
    Octets,         // one byte per edit, decimal
    MacHex,         // one byte per edit, two upper-case hexadecimal digits (read only)
    Text,           // 8-bit text
    Utf8Text,       // UTF-8 text both ways (network names and passwords)
    SignedDiv8,     // signed 16-bit value / 8 (cut toward zero); written the number x 8
    StopW16P,       // W16P print-to-stop: signed (wide range) or the unsigned rule (Alt)
    Number,         // unsigned 16-bit decimal number
    SignedList,     // value list over the word read as a signed 16-bit number
};

enum class TKfOp : uint8_t { One, Global };

struct TKeyFrameRow {
    TKfForm Form;
    uint16_t Id;
    const char* Control;   // the control (the first edit of an address group)
    TKfRead Read;
    TKfWrite Write;
    TKfMap Map;
    uint8_t ReadLen;       // bytes asked for
    uint8_t WriteLen;      // bytes written (Bytes, Key)
    int Offset;            // Index mapping
    const char* ListName;  // filler of the value list (ValueList, SignedList), else ""
    TKfOp ReadOp;
    TKfOp WriteOp;
    TKfRead AltRead;       // StopW16P outside the wide-range list
    TKfWrite AltWrite;
};

// Every row, V52 first, then W16P and UZ650B, each by id.
const std::vector<TKeyFrameRow>& KeyFrameRows();
// The row of a form's parameter; null when the form has no such row.
const TKeyFrameRow* FindKeyFrameRow(TKfForm form, uint16_t id);
// The operation byte a frame carries: 1, or the given global byte (1, 0 in factory mode).
uint8_t KfOpByte(TKfOp op, uint8_t globalOp);

// ---- codec (no port, no widgets) -----------------------------------------------------------

// What a control shows.
struct TKfShown {
    int Index = -1;       // combo or radio item (-1 none)
    QString Text;         // combo item text or edit text
    bool Checked = false; // check box
    QStringList Parts;    // address edits (4 or 6)
};

struct TKfContext {
    const QStringList* List = nullptr;  // the value list (ValueList, SignedList)
    QStringList Items;                  // the combo's items (Index, ByText, Permute021, lists)
    bool Alt = false;                   // W16P print-to-stop outside the wide-range list
};

// The value to write: Int for the numeric writers, Bytes for Bytes and UTF-8 Key rows, Text
// for 8-bit Key rows. AsRead: Bytes are the bytes a read gave, sent as they are (cut or
// zero-padded to the width the row writes) whatever the row's mapping.
struct TKfWire {
    int32_t Int = 0;
    QByteArray Bytes;
    QString Text;
    bool AsRead = false;
};

// Reply bytes -> shown. False (shown untouched) when the reply maps onto nothing: wrong
// length, a value outside the list or the items.
bool KfDecode(const TKeyFrameRow& row, const QByteArray& reply, const TKfContext& ctx, TKfShown& shown);
// Shown -> the value to write. False when nothing is to be written: no selection, a text
// that is not in the list, a number or octet that does not parse.
bool KfEncode(const TKeyFrameRow& row, const TKfShown& shown, const TKfContext& ctx, TKfWire& wire);

// Bytes of the value a row's writer sends (1, 2, 4, or the row's width); 0 when read only.
int KfWriteWidth(const TKeyFrameRow& row, bool alt = false);
// The value a row sends when the control still shows what a read of `reply` put there:
// the bytes read, cut or zero-padded to the write width. A value the operator left alone
// goes back as the printer gave it, even where the mapping would change it (blanks at
// the ends of a text, bytes that are not UTF-8 or not in the code page, a word the
// control shows rounded, a byte the control shows as one of two states).
QByteArray KfAsReadValue(const TKeyFrameRow& row, const QByteArray& reply, bool alt = false);

// ---- plain mappings (the codec's pieces) -----------------------------------------------------

int KfSigned16(uint8_t lo, uint8_t hi);
// V52 print-to-stop: the signed word divided by 8, cut toward zero; and back (x 8).
int KfStopShownOfWord(int signedWord);
int KfStopWordOfShown(int shown);
// V52 detection mode: 0, 1, 2 <-> items 0, 2, 1 (-1 for anything else).
int KfDetectIndexOfValue(int value);
int KfDetectValueOfIndex(int index);
// W16P print-to-stop. Wide range: the word is signed and shown unchanged; written as its
// low 16 bits. Otherwise the word is read unsigned and above 99 shown as value - 65535; a
// negative n is written as the low 16 bits of n - 1 (so it reads back as n).
int KfW16PStopShown(uint8_t lo, uint8_t hi, bool wide);
int32_t KfW16PStopWireValue(int shown, bool wide);
// Two upper-case hex digits per byte; the decimal text per byte.
QStringList KfMacTexts(const QByteArray& bytes);
QStringList KfOctetTexts(const QByteArray& bytes);
// Each text: 1-3 digits, 0..255. False when any is not.
bool KfOctetsOfTexts(const QStringList& texts, QByteArray& bytes);
// A whole decimal integer (optional leading "-"); a lone "-", blanks inside or anything
// else is not one.
bool KfParseInt(const QString& text, int& value);
// "value=Text" lists: the text shown for a value, the value of a shown text.
bool KfListTextOfValue(const QStringList* list, int value, QString& text);
bool KfListValueOfText(const QStringList* list, const QString& text, int& value);

// ---- printer ---------------------------------------------------------------------------------

// Creates the printer object when none exists, then CmdKeyOpenPort (0 and 5 are success;
// the open routine shows its own box otherwise).
bool KfOpenPort();
// Reads a row (printer object created first). True with the reply when the printer answered
// in full; alt picks the W16P alternative reader.
bool KfReadRow(const TKeyFrameRow& row, uint8_t op, QByteArray& reply, bool alt = false);
// Writes a row on the open port: 0, or -1 when the port write failed or the row has no
// writer.
int32_t KfWriteRow(const TKeyFrameRow& row, uint8_t op, const TKfWire& wire, bool alt = false);
// do KEY through CmdKeyDo (printer object created first); true when the write failed.
bool KfDo(const QByteArray& quotedKey);
// After the last frame of a write pass, on the port the pass wrote on: true when the link
// still holds. Setkey frames get no answer, and a frame written into a connection the
// printer has already dropped "succeeds" locally, so a good write result proves nothing;
// the printer answering one getkey (of `id`, one byte) sent after the last frame shows it
// took every frame before it. Costs one 19-byte frame and a one-byte reply (up to 1 s
// when no reply comes).
bool KfLinkHeld(uint8_t op, uint16_t id);
// do KEY on a connection of its own, as KfDo (open, write, close and destroy), with the
// link check (KfLinkHeld with op and id) on that connection after the command, before it
// closes: true only when the port opened, the command went out and the printer still
// answered after it. A command the printer never got whole (a connection cut while it was
// on the way, or dead right after it) counts as not sent.
bool KfDoHeld(const QByteArray& quotedKey, uint8_t op, uint16_t id);
