#pragma once
// Rules of the command console, without widgets: the hexadecimal send parser, the
// text <-> hex page conversions, the DPL control-code sets and the field clamps.
#include <QByteArray>
#include <QString>

// Result of parsing a hex page.
struct THexParse {
    QByteArray Bytes;
    bool Ok = true;
    int BadIndex = -1;   // index (from 0) of the first piece that is not a hex number
    QString BadPiece;
};
// "0x" is removed; CR LF, LF, CR and "," separate like blanks; empty pieces are dropped;
// each piece is a hex number of which the low 8 bits are kept ("1FF" gives FF).
THexParse ParseConsoleHex(const QString& text);
// The message of a bad piece: "Command Error!" + index + "|" + piece.
QString ConsoleHexErrorText(const THexParse& parse);
// Two upper-case digits and a blank per byte ("1B 40 ").
QString BytesToHexSpaced(const QByteArray& bytes);
// Two upper-case digits per byte, no separators.
QString BytesToHexPlain(const QByteArray& bytes);
// Page text in hex mode -> text (each piece one character); ok false for a bad piece.
QString HexPageToText(const QString& hex, bool& ok);

// A DPL control-code set: "standard", "alternate", "alternate-2".
struct TControlCodes {
    QString Soh, Stx, Cr, Esc, CountBy;
};
// False for an unknown set name (codes untouched).
bool ControlCodesOfSet(const QString& set, TControlCodes& codes);
// The six bytes that switch the set: the STX of the set in force (02 standard, "~"
// alternate and alternate-2, 00 none), "KcCC", then "S", "1" or "2".
QByteArray DplSwitchBytes(const QString& currentSet, const QString& newSet);
// "<SOH>", "<STX>", "<CR>", "<ESC>", "<Count By>" replaced by the codes (text mode) or by
// the two hex digits of the codes (hex mode).
QString ReplaceControlPlaceholders(const QString& text, const TControlCodes& codes, bool hex);

// Field clamps on leaving: empty -> "0"; sleep below 100 -> "100"; read length above 256 ->
// "256", below 1 -> "1".
QString ClampSleepField(const QString& text);
QString ClampReadLenField(const QString& text);

// The loop counter's caption: the language text with "{0}" standing for the count ("Sent {0}
// times"); a text without "{0}" is a suffix after the count and a blank ("3 times").
QString LoopCountText(int count, const QString& text);
