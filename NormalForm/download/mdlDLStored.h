#pragma once
// What the file download windows say to a printer about its stored images, templates
// and auto templates, as plain functions: the model lists and dialect tests, the listing
// parsers and the command texts. The windows (FormDLFile, FormDLFile_ZR) only send
// them and fill their lists.
//
// Two dialects:
//   key/value  getval "bitmaps" / "labels" / "autoform", do "print" / "delete", names
//              carrying the storage prefix R_ (RAM) or E_ (flash)
//   direct     printer-language commands written raw for a few models of two brands:
//              TSPL ("~!F", KILL, RUN, PUTBMP, DOWNLOAD), DPL (STX commands), ZPL (^HW,
//              ^ID, ^XG)
#include "mdlDLImage.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace prt::dl {

// ---- model lists (comma-wrapped; membership: "," + model + "," occurs) --------------------
// The one model whose window offers templates and auto templates.
QString DLTemplateModels();
// Direct-language models: seven names with an empty entry after the first (so an empty
// name is a member), the eight-name list (the seven and one more) and the four-name list
// (the first four of the seven).
QString DLDirectModels7();
QString DLDirectModels8();
QString DLDirectModels4();
// The OEM keys of the brands whose printers take direct commands.
bool IsDirectBrand(const QString& oemCo);

// The names and texts a dialect test looks at.
struct TDLDialectInput {
    QString model;  // the listed model name (the current one where a window says so)
    QString oemCo;  // OEM key of the branding profile
    QString ppl;    // the printer's reply to getval "ppl", compared case-sensitively
};
bool DialectT4(const TDLDialectInput& in);      // four-model list, brand, "tsc"
bool DialectT4Any(const TDLDialectInput& in);   // four-model list, "tsc", any brand
bool DialectT7(const TDLDialectInput& in);      // seven-model list, brand, "tsc"
bool DialectD7(const TDLDialectInput& in);      // seven-model list, brand, "dpl"
bool DialectZ8(const TDLDialectInput& in);      // eight-model list, brand, "zpl"
// Seven-model list and brand (the language is tested by the caller).
bool IsDirectLanguageModel(const TDLDialectInput& in);

// ---- listings ------------------------------------------------------------------------------
struct TStoredRow {
    bool ram = false;  // the row's caption: RAM (true) or flash
    QString name;      // the stored name without prefix
    bool operator==(const TStoredRow&) const = default;
};

// getval "bitmaps" / "labels": pieces at ","; RAM when a piece begins with "R", the name
// from its third character. An empty piece (or one of fewer than three characters) makes
// no row.
QList<TStoredRow> ParseKeyValueListing(const QString& reply);
// "~!F": the last two characters dropped, pieces at CR; each piece containing `ext`
// (".BMP" images, ".BAS" templates) becomes a flash row.
QList<TStoredRow> ParseTsplListing(const QString& reply, const QString& ext);
// STX "WG": the text before the first "AVAIL" less the one character before it, pieces
// at EOL, the first skipped, each further non-empty piece + ".BMP" a flash row. False
// (and no rows) when nothing is kept.
bool ParseDplImageListing(const QString& reply, char eol, QList<TStoredRow>& rows);
// ^HWE:*.GRF: pieces at CR LF; of pieces 2 .. count-3 each that holds ":" and then "GRF"
// gives the text after the ":" up to and including "GRF". Fewer than 5 pieces: none.
QStringList ParseZplImageListing(const QString& reply);
// Auto templates on one line: TSPL: the ".BAS" pieces of "~!F" joined by ","; key/value:
// the names of getval "autoform" (third character on) joined by ",".
QString JoinTsplAutoTemplates(const QString& reply);
QString JoinKeyValueAutoTemplates(const QString& reply);
// The non-empty pieces of the last auto-template reply (for print and delete).
QStringList AutoTemplatePieces(const QString& reply);

// "5" -> "0005", "1234" -> "1234"; empty and 5 or more characters -> "".
QString MakeUp0(const QString& text);

// ---- commands --------------------------------------------------------------------------------
// Texts of the text exchanges (sent with CR LF by the link).
QString TsplListCommand();                             // ~!F
QString TsplKillCommand(const QString& name);          // KILL E,"name"
QString DplListImagesCommand(const TDplControl& c);    // STX WG
QString DplDeleteImageCommand(const QString& bmpName, const TDplControl& c);  // STX xEG name-.BMP EOL
QString ZplListImagesCommand();                        // ^XA CR LF ^HWE:*.GRF CR LF ^XZ
QString ZplDeleteImagesCommand(const QStringList& names);  // ^XA CR LF (^IDE:name CR LF)* ^XZ
// Raw writes.
QByteArray ZplPrintImageCommand(const QString& name);
// X, Y: the offsets' texts; width and height in mm (multiplied by 10).
QByteArray DplPrintImageCommand(const QString& bmpName, const QString& x, const QString& y, int widthMm,
                                int heightMm, const TDplControl& c);
QByteArray TsplPrintImageCommand(const QString& name, const QString& widthMm, const QString& heightMm,
                                 const QString& x, const QString& y);
QByteArray TsplRunCommand(const QString& name);  // RUN "name" CR LF
// DOWNLOAD E,"name" CR LF, the file, CR LF EOP CR LF.
QByteArray TsplTemplateDownload(const QString& name, const QByteArray& file);

// ---- names -------------------------------------------------------------------------------------
// The name a chosen file is stored under: the name up to its last dot (the whole name
// when it has none), then by the case:
//   template, direct TSPL (T7 of the listed model): base + ".BAS"
//   other templates: base + "." + language lower-cased + ".prn"
//   image, direct TSPL: base + ".BMP"; image, direct DPL: base; other images: base + ".GRF"
enum class TDLStoredKind { Image, Template };
enum class TDLDirect { None, Tspl, Dpl };
QString StoredFileName(const QString& fileName, TDLStoredKind kind, TDLDirect direct, const QString& language);

// The space label's values: used and remaining, each with thousands separators. False
// (nothing changes) when either reply is not a whole number (64 bits) or is negative.
struct TSpaceInfo {
    QString used, remaining;
    qint64 remainingBytes = 0;
};
bool ParseSpaceReplies(const QString& used, const QString& remaining, TSpaceInfo& out);

} // namespace prt::dl
