#pragma once
// Shared helpers of the windows and the protocol code: the window font, text files,
// the picture-to-1-bit-bitmap conversion, the port list, the printer list file, number
// formatting, the download file-name check, "Option.ini" readers and the model-list
// tests. The byte/hex/checksum/split helpers are PubBytes.h (included here); the code
// page conversion is PrtCodePage.h (StrToCodePageBytes, included here).
//
// Conventions: procedures that the rest of the program calls with an out parameter have
// that form, and most also a value-returning form. Message boxes use the language texts
// "_MSG_Title_Error" (caption) and the error icon (16).
#include "PrtCodePage.h"
#include "PubBytes.h"
#include "mdlOptionFile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QImage;
class QWidget;
class QTreeWidget;

// ---- window font ---------------------------------------------------------------------
// The three window-font settings of the application state, as texts (filled from the
// language keys "_FontName", "_FontSize", "_FontCharset"). The application state
// forwards to this one instance. GUI thread only.
struct TAppFontSettings {
    QString FontName;
    QString FontSize;     // decimal, points
    QString FontCharset;  // decimal; kept for the language files, no meaning to Qt
};
TAppFontSettings& AppFontSettings();

// Applies the window font to the form and to its labels, buttons (push, radio, check),
// item views, group boxes, line edits, tab widgets, combo boxes, text edits and panels
// (frames); labels outside a layout first size themselves to their text. A missing or
// invalid name or size is ignored (the widgets keep their font) instead of failing.
void ApplyFormFont(QWidget* form);
// The program's icon ("icons/icon.ico" of the program folder) on the window, when present.
void ApplyFormIcon(QWidget* form);
// Cuts every connection from the form's line edits to the form. A window calls it from its
// destructor: a focused edit loses its focus while the window's children go away, and its
// leave handler must not run on a half-destroyed window.
void CutLeaveHandlers(QWidget* form);

// ---- text and files -------------------------------------------------------------------
// The text without the characters up to the blank (tabs and other controls included) at
// either end.
QString TrimControls(const QString& s);
// Every line whose trimmed text is not empty, untrimmed, in file order. Lines end with
// CR LF, LF or CR. The file is UTF-8 (BOM or not) or else in the system 8-bit code
// page. A missing or unreadable file gives an empty list.
QStringList ReadTextFileToList(const QString& fileName);
// The whole file into bytes (resized to the file size). False (bytes emptied) when it
// cannot be read.
bool ReadFileToBytes(const QString& fileName, QByteArray& bytes);
// The whole file into buffer from index 0 (the buffer grows when shorter). 0, or -1 when
// the file cannot be read.
int ReadFileToBuffer(const QString& fileName, QByteArray& buffer);
// Size of the file in bytes; -1 when it cannot be opened.
int32_t GetFileSizeByName(const QString& fileName);

// ---- pictures --------------------------------------------------------------------------
// Converts a picture (".bmp", ".jpg", ".jpeg", ".png", ".gif" - extension in any letter
// case) to a 1 bit per pixel Windows bitmap at the target path, scaled by `scale`; the
// new size is w*scale x h*scale rounded half to even (101 px at 0.5 -> 50), each target
// pixel taking the nearest source pixel (enlarging repeats pixels). A pixel is drawn
// over white and becomes white when r + g + b >= 383, else black. The pixels are taken
// as stored (orientation tags are not applied); of an animation the first frame.
// Missing source: "_Err_FileNotExist" box, false. Every refusal shows its reason, and
// the picture is first looked at without decoding (InspectPicture, mdlPictureHead.h):
// an extension outside the list, bytes no reader knows, a head the reader cannot use,
// a picture that does not decode, a size below one dot once scaled or a failed write:
// "_E_IC"; wider than kMonoBmpMaxSide dots once scaled: "_E_ITW"; higher than that:
// "_E_IC_TooTall"; beyond a reader's own size limits or more than
// kPictureDecodeLimitMb MB decoded: "_E_IC_TooLarge". The toolkit's decoding allocation
// limit is set to kPictureDecodeLimitMb. The target is replaced atomically.
bool ConvertImageToMonoBmp(const QString& source, const QString& target, float scale);
// The 1-bit bitmap bytes of an image (black = palette 0, white = palette 1); what
// ConvertImageToMonoBmp writes. Empty for a null image.
QByteArray EncodeMonoBmp(const QImage& image);
// The same at another size (nearest source pixel per target pixel).
QByteArray EncodeMonoBmpScaled(const QImage& image, int width, int height);
// True when the bitmap's width is at most maxWidth. Missing file: "_Err_FileNotExist"
// box, false. Wider: "_E_ITW" box, false. Not a readable bitmap: "_E_IC" box, false.
bool CheckBmpWidth(const QString& bmpFile, int maxWidth);

// ---- ports -----------------------------------------------------------------------------
// "COM" -> {"COM1:", ...}, "LPT" -> {"LPT1:", ...}, "TCPIP" -> {} (platform/PrtPorts.h).
QStringList EnumPrinterPorts(const QString& kind);

// ---- printer list file -------------------------------------------------------------------
// Folder the program writes its files to: <program folder>/files/ when that folder can be
// written, else <user data>/KesaUtility/files/ (created when missing). Ends with "/".
QString WritableFilesDir();
// Test seam: the probe that tells whether a folder can be written (null restores the
// real probe, which writes and removes a small file there).
using TFolderWritableProbe = bool (*)(const QString& dir);
void SetFolderWritableProbe(TFolderWritableProbe probe);
// WritableFilesDir() + "PrinterList.txt". When that lives in the user data folder and does
// not exist yet, it is seeded from the shipped copy in <program folder>/files/ (when any).
QString PrinterListFilePath();
// Rewrites the printer list file from the view: an empty first line, then per row
// column 0, "|", column 1, "|", column 2, then "|" column 3 when the view has at least 4
// columns and "|" column 4 when it has at least 5. CR LF line ends, in the encoding the
// file has (TextFileBytesKeepingEncoding); a new file is UTF-8. CR or LF
// inside a field becomes a blank (it would split the row). Written to a temporary file
// and renamed: when the write fails the old file is kept and the result is false.
bool SavePrinterListFile(const QTreeWidget* view);
// The same from rows of fields (field 0 = model, 1.. = sub-items) and a column count.
bool SavePrinterListFile(const QList<QStringList>& rows, int columnCount);
bool SavePrinterListFile(const QString& path, const QList<QStringList>& rows, int columnCount);
// The file text SavePrinterListFile writes, and that text in UTF-8.
QString PrinterListFileText(const QList<QStringList>& rows, int columnCount);
QByteArray PrinterListFileBytes(const QList<QStringList>& rows, int columnCount);
// The text's bytes for a rewrite of the file at path: in the encoding the file has now
// (UTF-8 with or without its mark, UTF-16 by its mark, or the 8-bit code page it was read
// in) when every character fits, else the whole text in UTF-8. One file never mixes
// encodings. A missing or empty file is written in UTF-8.
// When such 8-bit bytes would read as another text (they happen to be valid UTF-8), the
// text is written in UTF-8 with its byte-order mark instead.
QByteArray TextFileBytesKeepingEncoding(const QString& path, const QString& text);
// The bytes when they read back as the text (prt::DecodeTextFileBytes), else the text in
// UTF-8 with its byte-order mark (in UTF-16 with its mark when UTF-8 cannot hold it).
QByteArray TextBytesReadingBack(const QByteArray& bytes, const QString& text);

// ---- numbers ---------------------------------------------------------------------------
// The value's 15-significant-digit decimal text rounded to `digits` decimals, halves
// away from zero (2.675 -> 2.68, -0.125 -> -0.13 at 2 digits). Independent of the locale.
double RoundToDecimals(int digits, double value);
// An integer text with the current locale's thousands separator ("1234" -> "1,234" in
// English, "1.234" in German; "," when the locale has none). Blanks around the text are
// ignored; anything that is not an integer gives an empty text.
void FormatThousands(const QString& numberText, QString& out);
QString FormatThousands(const QString& numberText);

// ---- download file names -------------------------------------------------------------------
// message := "" when the name is accepted; the text of "_Err_FileNameLength" with its
// number placeholder set to 33 when the name is longer than 32 bytes in the system
// 8-bit code page; otherwise the text of "msgASCIIFileName" when it contains a blank, a
// double quote, a comma, a control character or a character outside ASCII.
void CheckAsciiFileName(const QString& fileName, QString& message);
// The same with another length limit in bytes (the number in the text is limit + 1).
void CheckAsciiFileName(const QString& fileName, int lengthLimit, QString& message);

// ---- model lists -------------------------------------------------------------------------------
// ","+current base model name+"," occurs in the list. The current base model name is
// PrtBasName of mdlCurrentPrinter.h (written by the main window's selection road).
bool IsCurrentModelListed(const QString& list);
// The same tests under the names the parameter and download windows use.
inline bool IsCurModelInList(const QString& list) { return IsCurrentModelListed(list); }
inline bool IsModelInCommaList(const QString& name, const QString& list)
{
    return IsInCommaList(name, list);
}
// Sets PrtBasName alone (callers and tests that do not run the selection road).
void SetCurrentBaseModelName(const QString& name);
