#pragma once
// Stateless byte, hex-text, checksum and list helpers shared by the printer link,
// the core and the windows.
//
// Conventions
//  - Byte data is a QByteArray (a few entry points also take std::vector<uint8_t> or
//    a pointer + length). Every start/count/end argument is clipped to the data:
//    nothing is ever read or written outside a buffer. Routines that fill a buffer
//    grow it when it is too short.
//  - Hex text is two upper-case digits per byte.
//  - "out" parameters of the append-style routines are appended to (not cleared),
//    exactly as documented per routine; each also has a value-returning form.
//  - Bad hex input is reported through the result (bool / std::optional), never thrown.
//  - Model lists are comma-separated names that begin and end with a comma (",A,B,");
//    a name is a member when ","+name+"," occurs in the list (exact, case-sensitive).
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// ---- checksums ------------------------------------------------------------------

// CRC-32 (reflected polynomial 0xEDB88320) whose register starts at 0 and is inverted
// at the end: 0 bytes -> 0xFFFFFFFF, "abc" -> 0x359A672F. The firmware-packet code
// relies on this exact variant. Covers bytes start .. start+count-1 (clipped).
uint32_t CalcCRC32(const QByteArray& bytes, qsizetype start, qsizetype count);
uint32_t CalcCRC32(const QByteArray& bytes);
uint32_t CalcCRC32(const uint8_t* data, size_t length);
uint32_t CalcCRC32(const std::vector<uint8_t>& bytes);

// Sum of the first count bytes modulo 65536 (count clipped; 0 -> 0).
uint16_t SumBytes16(const QByteArray& bytes, qsizetype count);
uint16_t SumBytes16(const QByteArray& bytes);
uint16_t SumBytes16(const uint8_t* data, size_t length);
uint16_t SumBytes16(const std::vector<uint8_t>& bytes);

// ---- text -> hex / bytes --------------------------------------------------------

// The text in the system 8-bit code page; two hex digits and a blank per byte are
// appended to out ("AB 01 ").
void StrToHexText(const QString& text, QString& out);
// As StrToHexText without the blanks ("AB01").
void StrToHexStr(const QString& text, QString& out);
// The low byte of each UTF-16 code unit into buffer from index 0 (the buffer grows to
// the text length when shorter; bytes beyond are left alone). True when the text is
// not empty.
bool StrToBytes(const QString& text, QByteArray& buffer);
bool StrToBytes(const QString& text, std::vector<uint8_t>& buffer);

// ---- bytes -> hex / text --------------------------------------------------------

// Appends "XX " for every byte.
void BytesToHexText(const QByteArray& bytes, QString& out);
QString BytesToHexText(const QByteArray& bytes);
// Appends "XX " for each of the first count bytes (clipped).
void BytesHeadToHexText(const QByteArray& bytes, qsizetype count, QString& out);
// Append "XX" for each of the first count bytes (clipped); the two are the same rule.
void BytesToHexStr(const QByteArray& bytes, qsizetype count, QString& out);
void BytesHeadToHexStr(const QByteArray& bytes, qsizetype count, QString& out);
QString BytesToHexStr(const QByteArray& bytes);
// Appends each byte as the character U+0000..U+00FF of the same code, stopping before
// the first byte of value 32 or less.
void BytesToStrUntilSpace(const QByteArray& bytes, QString& out);
// out becomes empty when start < 0, count < 0 or start + count exceeds the length;
// otherwise bytes start .. start+count-1 are appended as characters, stopping before the
// first byte of value 32 or less.
void BytesRangeToStr(const QByteArray& bytes, qsizetype start, qsizetype count, QString& out);
// out is cleared; each non-zero byte of start .. start+count-1 (clipped) is appended as
// a character; zero bytes are skipped.
void BytesToCharStr(const QByteArray& bytes, qsizetype start, QString& out, qsizetype count);
// out is cleared; for each byte of from .. to-1 (clipped) a blank and two hex digits
// are appended (" 01 AB").
void BytesToSpacedHexStr(const QByteArray& bytes, qsizetype from, QString& out, qsizetype to);

// ---- hex text -> numbers / bytes ------------------------------------------------

// Number of two-digit pieces of a hex text: trimmed, then repeatedly two characters are
// a piece and three characters (two digits and one separator) are consumed; a rest of
// at most two characters is the last piece. An empty or blank text counts 1.
int GetHexStrByteCount(const QString& text);
// The pieces of the trimmed text as GetHexStrByteCount cuts them.
QStringList HexStrPieces(const QString& text);
// Piece i (from 0) of exactly two characters is stored at buffer[offset + i]; a shorter
// piece leaves its position untouched; at most count pieces. The buffer grows when it
// is too short. Every two-character piece is checked first: when one is not hex, or
// offset/count is negative, nothing is written and the result is false.
bool HexStrToBytes(const QString& text, int count, int offset, QByteArray& buffer);
bool HexStrToBytes(const QString& text, int count, int offset, std::vector<uint8_t>& buffer);
// Every piece of the text as bytes ("1B 1C 26" -> 1B 1C 26); nullopt when a piece is not
// exactly two hex digits. An empty or blank text gives an empty array.
std::optional<QByteArray> HexTextToBytes(const QString& text);
// Trimmed, upper-cased; each character adds digit * 16^(characters to its right);
// "0"-"9" and "A"-"F" count, any other character counts 0; wraps at 32 bits. "" -> 0.
int32_t HexStrToInt(const QString& text);

// ---- splitting and model lists --------------------------------------------------

// Splits at every occurrence of separator: n separators give n + 1 items (empty ones
// kept). An empty text gives one empty item; an empty separator the whole text.
QStringList SplitToStringList(const QString& text, const QString& separator);
// Clears list, then the same split into it.
void SplitIntoStrings(const QString& text, const QString& separator, QStringList& list);

// True when ","+name+"," occurs in list (two entry points, same rule).
bool IsNameInCommaList(const QString& name, const QString& list);
bool IsInCommaList(const QString& name, const QString& list);
