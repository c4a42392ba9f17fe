// The printer list on any bytes, with a row made from the same bytes: it loads; a delete, a
// modify, an address update, an add and the default row of an empty list each rewrite it
// so that it reads back as the same rows (the changed one aside), whatever the encoding;
// a row reported written reads back as that row (blanks around its fields aside), and a
// refused one leaves the file as it was. A rewrite names its row by the line it was loaded
// from: it acts on that line at its place or the one line like it elsewhere, and on no
// other. Lines that are not rows come through every rewrite as the same text, and as the
// same bytes, each followed by a line end (never by an added separator), whenever the file
// keeps its encoding.
#include "FuzzSupport.h"
#include "PrtCodePage.h"
#include "mdlPrinterListFile.h"
#include "mdlPubFunc.h"

#include <QFile>

#include <optional>

namespace {

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(f.write(bytes) == bytes.size());
}

bool IsBlankChar(QChar c)
{
    return c.unicode() <= 32;
}

bool IsBlank(const QString& line)
{
    for (QChar c : line)
        if (!IsBlankChar(c))
            return false;
    return true;
}

// The text without the blanks (code 32 and below) at its ends: a field as the list reads it.
QString Trimmed(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && IsBlankChar(s[b]))
        ++b;
    while (e > b && IsBlankChar(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

TPrinterListRow TrimmedRow(const TPrinterListRow& r)
{
    return {Trimmed(r.Model), Trimmed(r.PortType), Trimmed(r.PortParam), Trimmed(r.Notes), Trimmed(r.PrtVerOfTool)};
}

QList<TPrinterListRow> Rows(const QString& path)
{
    QList<TPrinterListRow> rows;
    for (const QString& line : ReadPrinterListLines(path))
        rows.append(ParsePrinterListLine(line));
    return rows;
}

bool Same(const TPrinterListRow& a, const TPrinterListRow& b)
{
    return a.Model == b.Model && a.PortType == b.PortType && a.PortParam == b.PortParam &&
           a.Notes == b.Notes && a.PrtVerOfTool == b.PrtVerOfTool;
}

bool SameRows(const QList<TPrinterListRow>& a, const QList<TPrinterListRow>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (!Same(a[i], b[i]))
            return false;
    return true;
}

// A row the list can hold as it stands: no field holds "|", CR or LF, and the model does
// not begin with "#" or ";" (such a line is a comment).
bool Holdable(const TPrinterListRow& r)
{
    for (const QString& f : {r.Model, r.PortType, r.PortParam, r.Notes, r.PrtVerOfTool})
        if (f.contains(u'|') || f.contains(u'\r') || f.contains(u'\n'))
            return false;
    const QString model = Trimmed(r.Model);
    return !model.startsWith(u'#') && !model.startsWith(u';');
}

// A row made from the input: its last bytes as text cut at "|" into the five fields (CR
// and LF taken out when bit 4 of the first byte is set), the model led by what bits 1-3
// of the first byte pick: nothing, "#", ";", either after blanks, blanks, U+FEFF.
TPrinterListRow GeneratedRow(const QByteArray& bytes)
{
    static const char16_t* const leads[] = {u"", u"#", u";", u" #", u"\t;", u"  ", u"\t", u"\uFEFF"};
    const uchar first = bytes.isEmpty() ? 0 : uchar(bytes[0]);
    QString text = QString::fromUtf8(bytes.right(48));
    if (first & 0x10)
        text.remove(u'\r').remove(u'\n');
    const QStringList f = text.split(u'|');
    return {QString::fromUtf16(leads[(first >> 1) & 7]) + f.value(0), f.value(1), f.value(2), f.value(3),
            f.value(4)};
}

// The lines of the file that are neither blank nor rows, as text.
QStringList OtherLines(const QByteArray& bytes)
{
    QStringList out;
    for (const QString& line : prt::SplitTextLines(prt::DecodeTextFileBytes(bytes)))
        if (!IsBlank(line) && !IsPrinterListRowLine(line))
            out.append(line);
    return out;
}

// The same lines as bytes, for a file of one-byte code units (UTF-8 or 8-bit), mark
// removed; none when its bytes cannot be cut where its text is.
std::optional<QList<QByteArray>> OtherLineBytes(const QByteArray& bytes)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QList<QByteArray> chunks;
    qsizetype begin = 0;
    for (qsizetype i = 0; i < body.size(); ++i)
        if (body[i] == '\r' || body[i] == '\n') {
            chunks.append(body.mid(begin, i - begin));
            if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n')
                ++i;
            begin = i + 1;
        }
    chunks.append(body.mid(begin));
    const QStringList texts = prt::SplitTextLines(prt::DecodeTextFileBytes(bytes));
    if (chunks.size() != texts.size())
        return std::nullopt;
    QList<QByteArray> out;
    for (qsizetype i = 0; i < texts.size(); ++i)
        if (!IsBlank(texts[i]) && !IsPrinterListRowLine(texts[i]))
            out.append(chunks[i]);
    return out;
}

bool SameEncoding(const QByteArray& a, const QByteArray& b)
{
    const prt::TTextEncoding x = prt::DetectTextEncoding(a);
    const prt::TTextEncoding y = prt::DetectTextEncoding(b);
    return x.kind == y.kind && x.bom == y.bom && x.codePage == y.codePage;
}

// After a rewrite: the other lines are the same text, in order; in the same one-byte
// encoding they are the same lines of bytes, and the file ends with a line end.
void CheckOtherLines(const QByteArray& before, const QString& path)
{
    const QByteArray after = ReadBytes(path);
    FUZZ_CHECK(OtherLines(after) == OtherLines(before));
    const prt::TTextEncoding enc = prt::DetectTextEncoding(before);
    if (!SameEncoding(before, after) || enc.kind == prt::TTextEncoding::Utf16LE ||
        enc.kind == prt::TTextEncoding::Utf16BE)
        return;
    const auto was = OtherLineBytes(before);
    const auto now = OtherLineBytes(after);
    if (!was)
        return;
    FUZZ_CHECK(now && *now == *was);
    FUZZ_CHECK(after.endsWith('\n') || after.endsWith('\r'));
}

// A write of `row`: reported written, the file reads as `expected` with the other lines
// kept; refused, the row is one the list cannot hold and the file is as it was.
void CheckRowWrite(TPrinterListResult r, const TPrinterListRow& row, const QByteArray& before, const QString& path,
                   const QList<TPrinterListRow>& expected)
{
    if (r == TPrinterListResult::Ok) {
        FUZZ_CHECK(SameRows(Rows(path), expected));
        CheckOtherLines(before, path);
        return;
    }
    FUZZ_CHECK(r == TPrinterListResult::BadField || r == TPrinterListResult::BadModel);
    FUZZ_CHECK(!Holdable(row));
    FUZZ_CHECK(ReadBytes(path) == before);
}

// A rewrite whose row is no longer in the file as loaded: nothing written.
void CheckChanged(TPrinterListResult r, const QByteArray& before, const QString& path)
{
    FUZZ_CHECK(r == TPrinterListResult::Changed);
    FUZZ_CHECK(ReadBytes(path) == before);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    // The UI language decides the 8-bit code page: the first byte picks one.
    prt::SetUiLanguageId(size > 0 && (data[0] & 1) ? 2052 : 1033);
    const QString path = fuzz::ScratchDir() + QStringLiteral("PrinterList.txt");
    WriteBytes(path, bytes);
    const QStringList lines = ReadPrinterListLines(path);
    const QList<TPrinterListRow> rows = Rows(path);
    const TPrinterListRow made = GeneratedRow(bytes);
    const TPrinterListRow fixed{QStringLiteral("F58S"), QStringLiteral("COM"), QStringLiteral("COM1,BAUDRATE_9600"),
                                QString::fromUtf8("\xC3\xA9"), QStringLiteral("0")};

    if (!rows.isEmpty()) {
        const int last = int(rows.size() - 1);
        // Delete the first row, named at its place.
        FUZZ_CHECK(DeletePrinterListRow(path, {0, lines[0]}) == TPrinterListResult::Ok);
        FUZZ_CHECK(SameRows(Rows(path), rows.mid(1)));
        CheckOtherLines(bytes, path);

        // Named at a place past the end: the one line like it is deleted, or nothing when
        // the file holds that line more than once.
        WriteBytes(path, bytes);
        const TPrinterListResult moved = DeletePrinterListRow(path, {int(rows.size()), lines[0]});
        if (lines.count(lines[0]) == 1) {
            FUZZ_CHECK(moved == TPrinterListResult::Ok);
            FUZZ_CHECK(SameRows(Rows(path), rows.mid(1)));
            CheckOtherLines(bytes, path);
        } else {
            CheckChanged(moved, bytes, path);
        }

        // Modify the last row: with a fixed row and with the made one.
        for (const TPrinterListRow& row : {fixed, made}) {
            WriteBytes(path, bytes);
            QList<TPrinterListRow> expected = rows;
            expected.back() = TrimmedRow(row);
            CheckRowWrite(ReplacePrinterListRow(path, {last, lines[last]}, row), row, bytes, path, expected);
        }

        // A new address for the first row.
        WriteBytes(path, bytes);
        FUZZ_CHECK(UpdatePrinterListAddress(path, {0, lines[0]}, QStringLiteral("127.0.0.1")) ==
                   TPrinterListResult::Ok);
        QList<TPrinterListRow> expected = rows;
        expected.front().PortParam = QStringLiteral("NET,127.0.0.1");
        FUZZ_CHECK(SameRows(Rows(path), expected));
        CheckOtherLines(bytes, path);
    }

    // A row the file does not hold (a line without "|" is never a row): nothing written.
    WriteBytes(path, bytes);
    const TPrinterListRowRef gone{0, QStringLiteral("gone")};
    CheckChanged(DeletePrinterListRow(path, gone), bytes, path);
    CheckChanged(ReplacePrinterListRow(path, gone, fixed), bytes, path);
    CheckChanged(UpdatePrinterListAddress(path, gone, QStringLiteral("127.0.0.1")), bytes, path);

    // The list view written back without its first row: the same rows.
    QList<QStringList> view;
    for (qsizetype i = 1; i < rows.size(); ++i)
        view.append({rows[i].Model, rows[i].PortType, rows[i].PortParam, rows[i].Notes, rows[i].PrtVerOfTool});
    FUZZ_CHECK(SavePrinterListFile(path, view, 5));
    FUZZ_CHECK(SameRows(Rows(path), rows.mid(1)));

    // Add a row with Chinese notes, and the made row: every row stays, the new one comes last.
    const TPrinterListRow added{QStringLiteral("V64"), QStringLiteral("USB"), QStringLiteral("USB"),
                                QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87"), QStringLiteral("1")};
    for (const TPrinterListRow& row : {added, made}) {
        WriteBytes(path, bytes);
        CheckRowWrite(AppendPrinterListRow(path, row), row, bytes, path, rows + QList<TPrinterListRow>{TrimmedRow(row)});
    }

    // A list without a row gets the default row of the made model, or nothing when the
    // model cannot head a row.
    if (rows.isEmpty()) {
        WriteBytes(path, bytes);
        const TPrinterListRow deflt{made.Model, QStringLiteral("USB"), QStringLiteral("USB"), QString(), QString()};
        const bool written = CreateDefaultPrinterList(path, made.Model);
        if (written) {
            FUZZ_CHECK(SameRows(Rows(path), {TrimmedRow(deflt)}));
            CheckOtherLines(bytes, path);
        } else {
            FUZZ_CHECK(!Holdable(deflt));
            FUZZ_CHECK(ReadBytes(path) == bytes);
        }
    }
    return 0;
}
