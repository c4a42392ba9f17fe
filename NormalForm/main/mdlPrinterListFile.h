#pragma once
// The operator's printer list "PrinterList.txt": one printer per line, CR LF line ends,
// fields separated by "|" without quoting:
//     Model|PortType|PortParam|Notes|PrtVerOfTool
// Notes and PrtVerOfTool may be missing on reading (they read as empty); blanks around a
// field are not part of it. Lines blank after trimming are skipped.
//
// Lines that are not rows are skipped too: a line without any "|" and a line whose first
// non-blank character is "#" or ";" (a hand-written comment or note). Every rewrite keeps
// such a line where it stands, byte for byte, and never adds a separator to it. So a model
// beginning with "#" or ";" cannot be written: its line would read as a comment.
//
// The file may change behind the window (another copy of the program, a hand edit): a
// rewrite of one row names it by the line the list was loaded from, and writes only when
// the file still holds that line at that place among the rows, or once elsewhere.
//
// Every rewrite goes through a temporary file in the same folder and a rename, so an
// interrupted write never leaves a half file behind. A field that holds "|", CR or LF is
// refused: it would shift or split the row. A rewrite keeps the encoding the file was
// read in; when the result would read back as other text (a character the 8-bit code
// page lacks, or 8-bit bytes that happen to be valid UTF-8) the file is written in UTF-8.
#include "mdlPubFunc.h"

#include <QString>
#include <QStringList>

inline constexpr char PrinterListFileName[] = "PrinterList.txt";

struct TPrinterListRow {
    QString Model;
    QString PortType;      // "USB", "COM", "LPT" or "NET"
    QString PortParam;     // the port string
    QString Notes;
    QString PrtVerOfTool;  // tool printer-version id
};

// A row as the list was loaded: its place among the rows (from 0) and its line as read.
struct TPrinterListRowRef {
    int Index = -1;
    QString Line;
};

// Full path of the printer list (PrinterListFilePath of the helper module: the program's
// files folder when writable, else the user data folder, seeded from the shipped copy).
QString GetPrinterListPath();

// The row lines of the file, in order (missing or unreadable file: empty).
QStringList ReadPrinterListLines(const QString& path);
// The row lines of the list; a list without a row is first written anew with the default
// line of defaultModel (its other lines kept), then read again.
QStringList LoadPrinterListLines(const QString& path, const QString& defaultModel);
// True when the line is a row: not blank, holds a "|", and its first non-blank character
// is neither "#" nor ";".
bool IsPrinterListRowLine(const QString& line);
// Fields of one line, each trimmed of blanks (missing fields 3 and 4 read as empty).
TPrinterListRow ParsePrinterListLine(const QString& line);
// The five fields, each trimmed of blanks, joined by "|".
QString BuildPrinterListLine(const TPrinterListRow& row);
// The default first line for a new list: model|USB|USB||.
QString DefaultPrinterListLine(const QString& model);

// True when the text can stand in a field (no "|", CR or LF).
bool IsValidPrinterListField(const QString& text);
// True when every field of the row is valid.
bool IsValidPrinterListRow(const TPrinterListRow& row);
// True when the model can head a row: a valid field whose first non-blank character is
// neither "#" nor ";" (a line beginning so is a comment).
bool IsValidPrinterListModel(const QString& model);

// Writes the lines (CR LF after each), optionally preceded by one empty line, through a
// temporary file and a rename. False when the file could not be written.
bool WritePrinterListLines(const QString& path, const QStringList& lines, bool leadingEmptyLine);
// Writes the file anew with the one default line after the lines that are not rows (a
// file of comments keeps them). False, and nothing written, for a model that cannot head
// a row (IsValidPrinterListModel).
bool CreateDefaultPrinterList(const QString& path, const QString& model);

enum class TPrinterListResult {
    Ok,
    BadField,     // a field holds "|", CR or LF; nothing written
    BadModel,     // the model begins with "#" or ";"; nothing written
    Changed,      // the file no longer holds the row's line (once); nothing written
    WriteFailed,  // the file could not be written
};

// Appends a row; an unterminated last line is ended first.
TPrinterListResult AppendPrinterListRow(const QString& path, const TPrinterListRow& row);
// Each of the three below re-reads the file and finds the row: the row at.Index (counting
// rows only) when its line is at.Line, else the one row whose line is at.Line; none, or
// more than one, gives Changed.
// Replaces the row with the row, rewriting the whole file without blank lines and without
// a leading empty one; every other line stays as it stood.
TPrinterListResult ReplacePrinterListRow(const QString& path, const TPrinterListRowRef& at,
                                         const TPrinterListRow& row);
// Removes the row: the file is written anew with one empty line first, then the other
// rows with their five fields and the lines that are not rows as they stood (blank lines
// are dropped).
TPrinterListResult DeletePrinterListRow(const QString& path, const TPrinterListRowRef& at);
// Sets the port parameter of the row to "NET," + address (the port type and the other
// fields stay), rewriting the whole file as a modify does.
TPrinterListResult UpdatePrinterListAddress(const QString& path, const TPrinterListRowRef& at,
                                            const QString& address);

// Language keys of the printer-list messages: a field refused ("|", CR, LF), a model
// refused ("#", ";"), the file changed since the list was loaded, a failed write, an empty
// list.
inline constexpr char LANGKEY_PrinterListBadField[] = "FormMain_Label_MSGBadField";
inline constexpr char LANGKEY_PrinterListBadModel[] = "FormMain_Label_MSGBadModel";
inline constexpr char LANGKEY_PrinterListChanged[] = "FormMain_Label_MSGListChanged";
inline constexpr char LANGKEY_PrinterListWriteFailed[] = "FormMain_Label_MSGWriteFailed";
inline constexpr char LANGKEY_PrinterListEmpty[] = "FormMain_Label_MSGNoPrinter";
