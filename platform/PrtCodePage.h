#pragma once
// Windows code pages over iconv.
//
// Text sent to printers uses the "system 8-bit code page", which on this system is the
// Windows code page of the UI language: 2052 -> 936, 1028 -> 950, 1041 -> 932,
// 1042 -> 949, 1049 -> 1251, any other language -> 1252. The core calls
// SetUiLanguageId when the UI language changes (default 1033 -> 1252).
//
// Code pages understood: 936 (GBK with the euro), 950 (Big5), 932 (Shift-JIS, Windows
// flavour), 949 (Unified Hangul), 1251, 1252, 65001 (UTF-8), and any other number that
// iconv knows as "CP<n>". Characters a code page cannot hold become "?".
//
// Files the program writes are UTF-8; files it reads (printer list, text lists) may be
// UTF-8 or in the system 8-bit code page: DecodeTextFileBytes decides.
// Every function is thread-safe.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace prt {

// The Windows code page of a Windows language id (2052 -> 936 ... otherwise 1252).
int CodePageOfLanguageId(int lcid);
void SetUiLanguageId(int lcid);
int UiLanguageId();
// CodePageOfLanguageId(UiLanguageId()).
int SystemAnsiCodePage();

// True when iconv can convert this code page.
bool IsCodePageSupported(int codePage);

// Text -> bytes in the code page; unmappable characters become "?". An unknown code
// page gives an empty array and *ok = false.
QByteArray TextToCodePageBytes(const QString& text, int codePage, bool* ok = nullptr);
// Bytes in the code page -> text; bytes that do not decode become U+FFFD (for 1252 the
// character of the same code, as Windows does). Unknown code page: empty, *ok = false.
QString CodePageBytesToText(const QByteArray& bytes, int codePage, bool* ok = nullptr);

// The same in the system 8-bit code page.
QByteArray TextToAnsiBytes(const QString& text);
QString AnsiBytesToText(const QByteArray& bytes);

// True when the bytes are well-formed UTF-8 (a BOM is allowed).
bool IsValidUtf8(const QByteArray& bytes);
// How a text file is encoded, so that a rewrite can keep it.
struct TTextEncoding {
    enum Kind { Utf8, Utf16LE, Utf16BE, CodePage };
    Kind kind = Utf8;
    bool bom = false;   // the file starts with a byte-order mark
    int codePage = 0;   // for CodePage
};
// The rule of DecodeTextFileBytes: UTF-16 by its mark, UTF-8 with its mark or when valid,
// else the system 8-bit code page.
TTextEncoding DetectTextEncoding(const QByteArray& bytes);
QString DecodeText(const QByteArray& bytes, const TTextEncoding& enc);
// Text of a file's bytes: UTF-16 when it starts with a UTF-16 byte-order mark, UTF-8
// when it has the UTF-8 BOM or is valid UTF-8 (the mark is dropped), otherwise the
// system 8-bit code page. The bytes are decoded once; `used` receives the encoding.
QString DecodeTextFileBytes(const QByteArray& bytes, TTextEncoding* used = nullptr);
// The text's bytes in the encoding (with its mark). False, and empty bytes, when a
// character does not fit the code page (it would not read back as itself).
bool EncodeText(const QString& text, const TTextEncoding& enc, QByteArray& out);
// Lines split at CR LF, CR or LF (n line ends give n + 1 items); safe on any text.
QStringList SplitTextLines(const QString& text);

} // namespace prt

// The text converted to the code page into bytes (emptied first; stays empty for an
// empty text or an unknown code page). Unmappable characters become "?".
void StrToCodePageBytes(const QString& text, int codePage, QByteArray& bytes);
