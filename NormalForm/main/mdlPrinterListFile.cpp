#include "mdlPrinterListFile.h"

#include "PrtCodePage.h"
#include "PrtIni.h"
#include "mdlPubFunc.h"
#include "PrtPaths.h"
#include "PubBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool IsBlankLine(const QString& line)
{
    return TrimControls(line).isEmpty();
}

// One line of the file as read: its text and, when the bytes could be cut at the same
// line ends, its bytes without the line end.
struct TFileLine {
    QString Text;
    QByteArray Bytes;
};

struct TListFile {
    QByteArray Bytes;               // the whole file (empty when missing or unreadable)
    QString Text;                   // its text
    prt::TTextEncoding Encoding;    // the encoding it was read in (UTF-8 for no bytes)
    QList<TFileLine> Lines;         // every line, blank ones included
    bool HaveLineBytes = false;     // Lines[i].Bytes are the bytes of each line
};

// The bytes of each line, cut where prt::SplitTextLines cuts the text (CR LF, CR, LF),
// in code units of the encoding, after its mark.
QList<QByteArray> SplitLineBytes(const QByteArray& bytes, const prt::TTextEncoding& enc)
{
    const bool wide = enc.kind == prt::TTextEncoding::Utf16LE || enc.kind == prt::TTextEncoding::Utf16BE;
    const qsizetype unit = wide ? 2 : 1;
    qsizetype pos = 0;
    if (enc.bom)
        pos = wide ? 2 : (enc.kind == prt::TTextEncoding::Utf8 ? 3 : 0);
    auto codeAt = [&](qsizetype i) -> int {
        if (i + unit > bytes.size())
            return -1;
        if (!wide)
            return uchar(bytes[i]);
        const int lo = uchar(bytes[enc.kind == prt::TTextEncoding::Utf16LE ? i : i + 1]);
        const int hi = uchar(bytes[enc.kind == prt::TTextEncoding::Utf16LE ? i + 1 : i]);
        return hi << 8 | lo;
    };
    QList<QByteArray> out;
    qsizetype begin = pos;
    while (pos < bytes.size()) {
        const int c = codeAt(pos);
        if (c == '\r' || c == '\n') {
            out.append(bytes.mid(begin, pos - begin));
            pos += unit;
            if (c == '\r' && codeAt(pos) == '\n')
                pos += unit;
            begin = pos;
            continue;
        }
        pos += c < 0 ? bytes.size() - pos : unit;  // a last odd byte belongs to the line
    }
    out.append(bytes.mid(begin));
    return out;
}

TListFile ReadListFile(const QString& path)
{
    TListFile file;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        file.Bytes = f.readAll();
    file.Text = prt::DecodeTextFileBytes(file.Bytes, &file.Encoding);
    const QStringList texts = prt::SplitTextLines(file.Text);
    const QList<QByteArray> chunks = SplitLineBytes(file.Bytes, file.Encoding);
    file.HaveLineBytes = chunks.size() == texts.size();
    for (qsizetype i = 0; i < texts.size(); ++i)
        file.Lines.append({texts[i], file.HaveLineBytes ? chunks[i] : QByteArray()});
    return file;
}

// One line of a rewrite: a new text, or a line of the old file kept as it stood.
struct TOutLine {
    QString Text;
    const TFileLine* Kept = nullptr;
};

QByteArray MarkBytes(const prt::TTextEncoding& enc)
{
    if (!enc.bom)
        return {};
    switch (enc.kind) {
    case prt::TTextEncoding::Utf8: return QByteArrayLiteral("\xEF\xBB\xBF");
    case prt::TTextEncoding::Utf16LE: return QByteArrayLiteral("\xFF\xFE");
    case prt::TTextEncoding::Utf16BE: return QByteArrayLiteral("\xFE\xFF");
    case prt::TTextEncoding::CodePage: break;
    }
    return {};
}

// The bytes of a rewrite: the old file's encoding (a new file: UTF-8), kept lines as the
// bytes they had, CR LF after every line. When that would not read back as the same text,
// the text in UTF-8 (TextBytesReadingBack).
QByteArray RewriteBytes(const TListFile& old, const QList<TOutLine>& lines, bool leadingEmptyLine)
{
    const prt::TTextEncoding enc = old.Bytes.isEmpty() ? prt::TTextEncoding{} : old.Encoding;
    prt::TTextEncoding plain = enc;
    plain.bom = false;
    const QString lineEnd = QStringLiteral("\r\n");
    QString text;
    if (leadingEmptyLine)
        text += lineEnd;
    for (const TOutLine& l : lines)
        text += (l.Kept ? l.Kept->Text : l.Text) + lineEnd;

    const qsizetype unit =
        enc.kind == prt::TTextEncoding::Utf16LE || enc.kind == prt::TTextEncoding::Utf16BE ? 2 : 1;
    QByteArray bytes = MarkBytes(enc);
    QByteArray piece;
    bool fits = prt::EncodeText(lineEnd, plain, piece);
    const QByteArray endBytes = piece;
    if (fits && leadingEmptyLine)
        bytes += endBytes;
    for (qsizetype i = 0; fits && i < lines.size(); ++i) {
        const TOutLine& l = lines[i];
        // A line's bytes stand again when they are whole code units (a last odd byte of
        // a UTF-16 file is not: it is written as the text it was read as).
        if (l.Kept && old.HaveLineBytes && l.Kept->Bytes.size() % unit == 0) {
            bytes += l.Kept->Bytes;
        } else {
            fits = prt::EncodeText(l.Kept ? l.Kept->Text : l.Text, plain, piece);
            bytes += piece;
        }
        bytes += endBytes;
    }
    if (!fits)
        bytes = text.toUtf8();  // a character the old encoding lacks: the whole file in UTF-8
    return TextBytesReadingBack(bytes, text);
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    return prt::WriteFileAtomic(path, bytes);  // temporary file beside the target, then rename
}

TPrinterListResult Written(bool ok)
{
    return ok ? TPrinterListResult::Ok : TPrinterListResult::WriteFailed;
}

// Rewrites the file without its blank lines: lines that are not rows stay as they stood;
// the row `at` names is replaced by `replace(old text)`, or dropped when that gives a null
// text; every other row is `other(old text)` (kept as it stood when unchanged).
template <typename Replace, typename Other>
TPrinterListResult RewriteRows(const QString& path, const TPrinterListRowRef& at, bool leadingEmptyLine,
                               Replace replace, Other other)
{
    const TListFile old = ReadListFile(path);
    QList<const TFileLine*> rows;
    for (const TFileLine& line : old.Lines)
        if (IsPrinterListRowLine(line.Text))
            rows.append(&line);
    // The row as loaded: at its place, else once elsewhere.
    const TFileLine* target = nullptr;
    if (at.Index >= 0 && at.Index < rows.size() && rows[at.Index]->Text == at.Line) {
        target = rows[at.Index];
    } else {
        for (const TFileLine* line : rows) {
            if (line->Text != at.Line)
                continue;
            if (target)
                return TPrinterListResult::Changed;  // twice: which one is meant is not known
            target = line;
        }
    }
    if (!target)
        return TPrinterListResult::Changed;

    QList<TOutLine> out;
    for (const TFileLine& line : old.Lines) {
        if (IsBlankLine(line.Text))
            continue;
        if (!IsPrinterListRowLine(line.Text)) {
            out.append({QString(), &line});
            continue;
        }
        const QString text = &line == target ? replace(line.Text) : other(line.Text);
        if (text.isNull())
            continue;
        out.append(text == line.Text ? TOutLine{QString(), &line} : TOutLine{text, nullptr});
    }
    return Written(WriteWholeFile(path, RewriteBytes(old, out, leadingEmptyLine)));
}

QString Unchanged(const QString& line)
{
    return line;
}

// True when the text, as the head of a line, makes that line a comment: its first
// non-blank character is "#" or ";".
bool LeadsAsComment(const QString& text)
{
    const QString t = TrimControls(text);
    return !t.isEmpty() && (t[0] == QLatin1Char('#') || t[0] == QLatin1Char(';'));
}

} // namespace

QString GetPrinterListPath()
{
    return PrinterListFilePath();
}

QStringList ReadPrinterListLines(const QString& path)
{
    QStringList rows;
    for (const TFileLine& line : ReadListFile(path).Lines)
        if (IsPrinterListRowLine(line.Text))
            rows.append(line.Text);
    return rows;
}

bool IsPrinterListRowLine(const QString& line)
{
    return !IsBlankLine(line) && !LeadsAsComment(line) && line.contains(QLatin1Char('|'));
}

TPrinterListRow ParsePrinterListLine(const QString& line)
{
    const QStringList f = SplitToStringList(line, QStringLiteral("|"));
    TPrinterListRow row;
    row.Model = TrimControls(f.value(0));
    row.PortType = TrimControls(f.value(1));
    row.PortParam = TrimControls(f.value(2));
    row.Notes = TrimControls(f.value(3));
    row.PrtVerOfTool = TrimControls(f.value(4));
    return row;
}

QString BuildPrinterListLine(const TPrinterListRow& row)
{
    return QStringList{TrimControls(row.Model), TrimControls(row.PortType), TrimControls(row.PortParam),
                       TrimControls(row.Notes), TrimControls(row.PrtVerOfTool)}
        .join(QLatin1Char('|'));
}

QString DefaultPrinterListLine(const QString& model)
{
    return model + QStringLiteral("|USB|USB||");
}

bool IsValidPrinterListField(const QString& text)
{
    return !text.contains(QLatin1Char('|')) && !text.contains(QLatin1Char('\r'))
           && !text.contains(QLatin1Char('\n'));
}

bool IsValidPrinterListRow(const TPrinterListRow& row)
{
    return IsValidPrinterListField(row.Model) && IsValidPrinterListField(row.PortType)
           && IsValidPrinterListField(row.PortParam) && IsValidPrinterListField(row.Notes)
           && IsValidPrinterListField(row.PrtVerOfTool);
}

bool IsValidPrinterListModel(const QString& model)
{
    // The model heads the line.
    return IsValidPrinterListField(model) && !LeadsAsComment(model);
}

namespace {

// Why a row cannot be written, or Ok.
TPrinterListResult CheckRow(const TPrinterListRow& row)
{
    if (!IsValidPrinterListRow(row))
        return TPrinterListResult::BadField;
    if (!IsValidPrinterListModel(row.Model))
        return TPrinterListResult::BadModel;
    return TPrinterListResult::Ok;
}

} // namespace

bool WritePrinterListLines(const QString& path, const QStringList& lines, bool leadingEmptyLine)
{
    QString text;
    if (leadingEmptyLine)
        text += QStringLiteral("\r\n");
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return WriteWholeFile(path, TextFileBytesKeepingEncoding(path, text));
}

bool CreateDefaultPrinterList(const QString& path, const QString& model)
{
    if (!IsValidPrinterListModel(model))
        return false;
    const TListFile old = ReadListFile(path);
    QList<TOutLine> out;
    for (const TFileLine& line : old.Lines)
        if (!IsBlankLine(line.Text) && !IsPrinterListRowLine(line.Text))
            out.append({QString(), &line});
    out.append({DefaultPrinterListLine(model), nullptr});
    return WriteWholeFile(path, RewriteBytes(old, out, false));
}

TPrinterListResult AppendPrinterListRow(const QString& path, const TPrinterListRow& row)
{
    if (const TPrinterListResult refused = CheckRow(row); refused != TPrinterListResult::Ok)
        return refused;
    QFile f(path);
    if (f.exists() && !f.open(QIODevice::ReadOnly))
        return TPrinterListResult::WriteFailed;
    const TListFile old = ReadListFile(path);
    // The file as it is, byte for byte, then the new line in the encoding it was read in.
    QString added;
    if (!old.Text.isEmpty() && !old.Text.endsWith(QLatin1Char('\n')) && !old.Text.endsWith(QLatin1Char('\r')))
        added += QStringLiteral("\r\n");  // end an unterminated last line first
    added += BuildPrinterListLine(row) + QStringLiteral("\r\n");
    const QString text = old.Text + added;
    prt::TTextEncoding plain = old.Bytes.isEmpty() ? prt::TTextEncoding{} : old.Encoding;
    plain.bom = false;
    QByteArray piece;
    QByteArray bytes = prt::EncodeText(added, plain, piece) ? old.Bytes + piece : text.toUtf8();
    return Written(WriteWholeFile(path, TextBytesReadingBack(bytes, text)));
}

TPrinterListResult ReplacePrinterListRow(const QString& path, const TPrinterListRowRef& at,
                                         const TPrinterListRow& row)
{
    if (const TPrinterListResult refused = CheckRow(row); refused != TPrinterListResult::Ok)
        return refused;
    const QString line = BuildPrinterListLine(row);
    return RewriteRows(
        path, at, false, [&](const QString&) { return line; }, Unchanged);
}

TPrinterListResult DeletePrinterListRow(const QString& path, const TPrinterListRowRef& at)
{
    // The other rows as the main window holds them: five fields each.
    return RewriteRows(
        path, at, true, [](const QString&) { return QString(); },
        [](const QString& line) { return BuildPrinterListLine(ParsePrinterListLine(line)); });
}

TPrinterListResult UpdatePrinterListAddress(const QString& path, const TPrinterListRowRef& at,
                                            const QString& address)
{
    const QString param = QStringLiteral("NET,") + address;
    if (!IsValidPrinterListField(param))
        return TPrinterListResult::BadField;
    // Rebuild the line field by field; only the port parameter changes.
    return RewriteRows(
        path, at, false,
        [&](const QString& line) {
            QStringList fields = SplitToStringList(line, QStringLiteral("|"));
            for (QString& field : fields)
                field = TrimControls(field);
            while (fields.size() < 3)
                fields << QString();
            fields[2] = param;
            return fields.join(QLatin1Char('|'));
        },
        Unchanged);
}

QStringList LoadPrinterListLines(const QString& path, const QString& defaultModel)
{
    QStringList lines = ReadPrinterListLines(path);
    if (lines.isEmpty()) {
        CreateDefaultPrinterList(path, defaultModel);
        lines = ReadPrinterListLines(path);
    }
    return lines;
}
