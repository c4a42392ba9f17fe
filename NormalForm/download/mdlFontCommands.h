#pragma once
// The font manager's printer side as plain functions: the four font listings (DPL "WF",
// TSPL "~!F", ZPL directory, getval "fonts"), the delete commands, the direct download
// buffers, the seven test-print jobs and the edit clamps. The window only gathers its
// inputs, calls these and writes the result; tests call them without widgets.
#include "mdlDLImage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace fontcmd {

// Printer languages of the direct paths, as getval "ppl" answers them.
inline constexpr char kLangDpl[] = "dpl";
inline constexpr char kLangZpl[] = "zpl";
inline constexpr char kLangTspl[] = "tsc";

// The DPL control characters (start, line end, header). A printer that never said which
// set it uses gets the standard one (02 0D 01): no DPL command starts with a 00 byte.
using TDplCodes = prt::dl::TDplControl;

// Which direct path an operation takes: the model is in the list, the OEM key is one of
// the two brands with direct download, and the printer speaks the language.
bool IsDirectOemKey(const QString& oemKey);
bool IsFontDirect(const QString& model, const QString& list, const QString& oemKey, const QString& printerLanguage,
                  const char* language);

// One row of the font list: where it is stored (0 RAM, 1 flash = the storage list's
// item) and the stored name.
struct TFontRow {
    int Storage = 1;
    QString Name;
    bool operator==(const TFontRow& o) const { return Storage == o.Storage && Name == o.Name; }
};
using TFontRows = QVector<TFontRow>;

// Listings; an empty result means "leave the list as it is" only when `ok` is false.
// DPL: the reply up to two characters before "AVAIL", split at the CR character; every
// piece after the first is a font, listed with ".ttf" added (flash).
TFontRows ParseDplFontListing(const QString& reply, char cr, bool* ok = nullptr);
// TSPL: the reply less its last two characters, split at CR; every piece that holds
// ".ttf" (line feeds around a piece dropped).
TFontRows ParseTsplFontListing(const QString& reply, bool* ok = nullptr);
// ZPL: the reply split at CR LF; the directory lines between two header and two trailer
// lines; the name after the first ":" up to and with the first "ttf" (any letter case).
TFontRows ParseZplFontListing(const QString& reply, bool* ok = nullptr);
// getval "fonts": entries split at ","; "R..." is RAM, anything else flash; the name
// from the third character on. Empty entries make no row.
TFontRows ParsePacketFontListing(const QString& reply, bool* ok = nullptr);

// Delete commands of the direct paths (sent as text with CmdSendTextRead100).
QString DplFontDeleteCommand(const QString& name, const TDplCodes& codes);
QString ZplFontDeleteCommand(const QString& name);
QString TsplFontDeleteCommand(const QString& name);
// Storage prefix of the packet path: "R_" for RAM, "E_" for flash.
QString StoragePrefix(int storage);
// ZPL drive of a stored font in ^A@: "R:" for RAM, "E:" for flash (a printer looks the font up by
// drive and name; the packet path's "R_"/"E_" prefix is not a drive).
QString ZplFontDrive(int storage);

// The name a font gets in the printer on a direct path: the file name up to its last
// dot ("ARIAL.TTF" -> "ARIAL"); on TSPL that name with ".ttf" ("font.prtf" -> "font.ttf").
QString DirectFontName(const QString& language, const QString& fileName);
// The bytes of a direct font download: the language's download command, the file and
// (TSPL) the closing "EOP". `storedName` receives the name the printer stores.
//   DPL: SOH "D" STX "iET" id name CR size(8 upper-case hex digits) file
//   ZPL: "~DSE:" name ".TTF," size/2 "," file
//   TSPL: "DOWNLOAD E,\"" name "\"\r\n" file "\r\nEOP\r\n"
QByteArray BuildFontDirectBuffer(const QString& language, const QString& fileName, const QByteArray& file,
                                 const QString& fontId, const TDplCodes& codes, QString* storedName = nullptr);
// Slices of a direct download.
inline constexpr int kDirectSliceSize = 2048;

// The DPL font id: two characters 51-99, 9A-9Z or 9a-9z.
bool IsValidDplFontId(const QString& id);

// 1 to 7 characters -> left-padded with "0" to 8; 8 unchanged; any other length empty.
QString MakeUp0(const QString& text);

// ---- test print
enum class TFontTestJob { ZplUtf8, Dpl, Cpcl, Tspl, Zpl, Epl, Plain };
// The first job that applies: the "VK318_PrintFontText" model, the DPL direct path,
// protocol 3, protocol 1 or the TSPL direct path, protocol 4, protocol 5, else plain.
TFontTestJob ChooseFontTestJob(bool utf8ZplModel, bool dplDirect, int protocol, bool tsplDirect);

struct TFontTestInput {
    QString Font;          // the selected row's name
    int Storage = 1;       // the selected row's storage (ZPL drive)
    QString Text;          // the test text
    QString Width, Height; // TSPL label size in mm
    QString Row, Column;   // DPL offsets
    QString DplWidth, DplHeight;
    bool UnicodeFontCode = false;  // DPL "U" + characters 2-3 of the font
    TDplCodes Codes;
};
// The test text as the job carries it: at most 255 characters, line breaks as blanks.
QString NormalizeFontTestText(const QString& text);
// A character that would end the job's text field (a double quote in TSPL and EPL, "^" or
// "~" in the ZPL jobs); a null character when the text is safe.
QChar FontTestTextStopper(TFontTestJob job, const QString& text);
// The job as text (every character one byte on the 8-bit road; UTF-8 on the 65001 road).
QString BuildFontTestJob(TFontTestJob job, const TFontTestInput& in);

// ---- edit clamps on leaving an edit; the value written back as text.
enum class TFontEdit { PrintableWidth, PrintableHeight, YPosition, XPosition, Width, Height };
// dplSizeModel: the model of the DPL size rules and language "dpl" (width);
// dplHeightModel: the ZPL-list model and language "dpl" (height).
QString ClampFontEdit(TFontEdit edit, const QString& text, int paperWidth, bool dplSizeModel, bool dplHeightModel);

} // namespace fontcmd
