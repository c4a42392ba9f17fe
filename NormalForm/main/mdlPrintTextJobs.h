#pragma once
// The test-text jobs of the print-text windows as plain functions: inputs -> exact bytes.
// The windows only gather the inputs, call these and write the result.
//
// Lines: the text has every CR LF replaced by LF and is split at LF; every piece is a
// line (an empty text is one empty line, a final line break adds an empty line). Lines
// go out as typed, without escaping or quoting beyond what each template adds.
//
// "8-bit" below means the code page passed in (the windows pass the system 8-bit code
// page, prt::SystemAnsiCodePage()); characters the code page lacks become "?".
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// ---- shared ------------------------------------------------------------------------------

QStringList SplitPrintTextLines(const QString& text);
// Editor text with every line break as CR LF (a lone LF or CR becomes CR LF).
QString TextWithCrLf(const QString& text);
// The integer value of a code-list entry, or 0 when it is not an integer (no code page).
int CodeListEntryToCodePage(const QStringList& codeList, int index);
// Fills the first "{0}", "{1}", ... "{n}" slots (all occurrences, in order) of a template.
// A value that itself holds "{k}" is not filled again later; missing slots are ignored.
QString FillSlots(const QString& tmpl, const QStringList& values);
// Replaces the "%s" slots of a message one after the other by the values; surplus slots
// stay as they are, surplus values are dropped. Never reads past the values.
QString FillPercentS(const QString& tmpl, const QStringList& values);

// One write of a job. A checked write that fails shows the write-failure box and ends
// the job; an unchecked write's result is only stored.
struct TTextJobWrite {
    QByteArray bytes;
    bool checked = false;
    bool operator==(const TTextJobWrite&) const = default;
};
using TTextJob = QList<TTextJobWrite>;

// ---- label windows (TSPL handle) ------------------------------------------------------------

// Font-2 job: "SIZE w" "mm," "h" "mm", CLS, "CODEPAGE 936", TEXT lines at y 190, 230, ...
// with font "2", "PRINT 1"; the width and height texts as they stand. One write.
QByteArray BuildLabelFont2Job(const QString& widthText, const QString& heightText, const QString& text,
                              int codePage);
// Gap job: SIZE, "GAP 2 mm, 0 mm", CLS, TEXT lines at x 50, y 50, 100, ... with font
// "9" at 40 x 40, "PRINT 1". One write.
QByteArray BuildLabelGapJob(const QString& widthText, const QString& heightText, const QString& text,
                            int codePage);
// One CPCL label per line: "! 0 200 200 80 1", "TEXT 5 0 30 40 " + line, "PRINT".
QString BuildCpclLineJob(const QString& line);
// Every line's label, one write each (unchecked).
TTextJob BuildCpclLineJobs(const QString& text, int codePage);

// General TSPL text job (both label windows).
struct TTsplTextInput {
    QString text;
    QString widthText;         // trimmed by the builder
    QString heightText;
    bool utf8Mode = false;     // character set ticked and its code is 65001
    bool zr640 = false;        // base model in [ParameterSet] "ZR640_PrintText"
    bool vectorFont = false;   // base model + "," occurs in "UseVectorFont"
    int codePage = 1252;       // the 8-bit code page
};
// The writes in order: [setval "viet_mode" "2" (ZR640 with UTF-8)], CLS (checked),
// SIZE, one TEXT line per line at x 10, y 10 + 54 i, "PRINT 1" (checked).
TTextJob BuildGeneralTsplJob(const TTsplTextInput& in);
// True when the vector-font test holds: name + "," occurs anywhere in the list.
bool IsNameCommaInText(const QString& name, const QString& listText);

// CPCL page of the CPCL text window.
struct TCpclPageInput {
    QString text;
    QString widthText;      // mm; 8 dots per mm, 576 dots when not an integer
    QString heightText;     // mm; 1680 dots when not an integer
    bool country = false;   // "CLS", "COUNTRY CHINA" after the header
    bool form = false;      // "FORM" before "PRINT"
    int codePage = 1252;
};
// Header (+ country) / " PW " width / one TEXT line per line / [FORM] PRINT (checked).
TTextJob BuildCpclPageJob(const TCpclPageInput& in);
QString BuildCpclTextLine(const QString& line, int x, int y);

// ---- receipt and mobile window ---------------------------------------------------------------

// CPCL text job: "! 0 200 200 <height> 1", TEXT lines at x 78 from y 40 in steps of
// rowStep, "FORM", "PRINT".
QString BuildCpclTextJob(const QString& text, int labelHeight, int rowStep);
// ZPL with the 24-dot font (second mobile road): label length n x 54 + 100, fields at
// x, y 15 + 54 i.
QString BuildMobileZplJob(const QString& text, int x);
// ZPL for Cyrillic on the second mobile road: "^CI28", the fields' text in UTF-8.
QByteArray BuildMobileCyrillicZplJob(const QString& text);

// Job types of the general road: 1 ZPL 50-dot, 2 CPCL lines, 3 ZPL, 4 EPL, 5 plain text,
// 6 CPCL page. Inputs of the type builder:
struct TPrintTextTypeInput {
    QString text;              // as typed (line breaks CR LF)
    bool zr640Utf8 = false;    // type 3: "ZR640_PrintText" with UTF-8
    bool pplModel = false;     // type 3: the model asks "ppl"
    QString pplAnswer;         // type 3: the answer to "ppl"
    QString cpclJob;           // type 6: BuildCpclTextJob of the text
};
// The job text of a type; empty when the type builds nothing (type 3 on a "ppl" model
// whose answer is not exactly "esc", unknown types).
QString BuildPrintTextTypeJob(int type, const TPrintTextTypeInput& in);

// The bytes sent: with a character set chosen (code page > 0) the wide form in that code
// page, otherwise the 8-bit form in the 8-bit code page.
QByteArray EncodePrintTextJob(const QString& narrowJob, const QString& wideJob, int chosenCodePage,
                              int ansiCodePage);

// ---- ESC/POS window --------------------------------------------------------------------------

// The text (line breaks CR LF) and five CR LF, in the 8-bit code page.
QByteArray BuildEscPosTextJob(const QString& text, int codePage);
