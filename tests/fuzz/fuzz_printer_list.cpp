// The printer list on any bytes: it loads; a delete, a modify, an address update and an
// add each rewrite it so that it reads back as the same rows (the changed one aside),
// whatever the encoding; lines that are not rows come through every rewrite as the same
// text, and byte for byte (followed by a line end, never by an added separator) whenever
// the file keeps its encoding.
#include "FuzzSupport.h"
#include "PrtCodePage.h"
#include "mdlPrinterListFile.h"
#include "mdlPubFunc.h"

#include <QFile>

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

bool IsBlank(const QString& line)
{
    for (QChar c : line)
        if (c.unicode() > 32)
            return false;
    return true;
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

// The same lines as bytes, for a file of one-byte code units (UTF-8 or 8-bit), mark removed.
QList<QByteArray> OtherLineBytes(const QByteArray& bytes)
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
    QList<QByteArray> out;
    if (chunks.size() != texts.size())
        return out;
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

// After a rewrite: the other lines are the same text; in the same one-byte encoding they
// are the same bytes, each followed by a line end.
void CheckOtherLines(const QByteArray& before, const QString& path)
{
    const QByteArray after = ReadBytes(path);
    FUZZ_CHECK(OtherLines(after) == OtherLines(before));
    const prt::TTextEncoding enc = prt::DetectTextEncoding(before);
    if (!SameEncoding(before, after) || enc.kind == prt::TTextEncoding::Utf16LE ||
        enc.kind == prt::TTextEncoding::Utf16BE)
        return;
    qsizetype from = 0;
    for (const QByteArray& line : OtherLineBytes(before)) {
        // The line's bytes, then a line end (an add keeps the file's own line ends).
        qsizetype at = after.indexOf(line, from);
        while (at >= 0 && at + line.size() < after.size() && after[at + line.size()] != '\r' &&
               after[at + line.size()] != '\n')
            at = after.indexOf(line, at + 1);
        FUZZ_CHECK(at >= from && at + line.size() < after.size());
        from = at + line.size() + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    // The UI language decides the 8-bit code page: the first byte picks one.
    prt::SetUiLanguageId(size > 0 && (data[0] & 1) ? 2052 : 1033);
    const QString path = fuzz::ScratchDir() + QStringLiteral("PrinterList.txt");
    WriteBytes(path, bytes);
    const QList<TPrinterListRow> rows = Rows(path);

    if (!rows.isEmpty()) {
        // Delete the first row.
        FUZZ_CHECK(DeletePrinterListRow(path, 0) == TPrinterListResult::Ok);
        FUZZ_CHECK(SameRows(Rows(path), rows.mid(1)));
        CheckOtherLines(bytes, path);

        // Modify the last row.
        WriteBytes(path, bytes);
        const TPrinterListRow changed{QStringLiteral("F58S"), QStringLiteral("COM"),
                                      QStringLiteral("COM1,BAUDRATE_9600"), QString::fromUtf8("\xC3\xA9"),
                                      QStringLiteral("0")};
        FUZZ_CHECK(ReplacePrinterListRow(path, int(rows.size() - 1), changed) == TPrinterListResult::Ok);
        QList<TPrinterListRow> expected = rows;
        expected.back() = changed;
        FUZZ_CHECK(SameRows(Rows(path), expected));
        CheckOtherLines(bytes, path);

        // A new address for the first row.
        WriteBytes(path, bytes);
        FUZZ_CHECK(UpdatePrinterListAddress(path, 0, QStringLiteral("127.0.0.1")) == TPrinterListResult::Ok);
        expected = rows;
        expected.front().PortParam = QStringLiteral("NET,127.0.0.1");
        FUZZ_CHECK(SameRows(Rows(path), expected));
        CheckOtherLines(bytes, path);
    }
    FUZZ_CHECK(DeletePrinterListRow(path, int(rows.size())) == TPrinterListResult::RowGone);

    // The list view written back without its first row: the same rows.
    WriteBytes(path, bytes);
    QList<QStringList> view;
    for (qsizetype i = 1; i < rows.size(); ++i)
        view.append({rows[i].Model, rows[i].PortType, rows[i].PortParam, rows[i].Notes, rows[i].PrtVerOfTool});
    FUZZ_CHECK(SavePrinterListFile(path, view, 5));
    FUZZ_CHECK(SameRows(Rows(path), rows.mid(1)));

    // Add a row with Chinese notes: every row stays, the new one comes last.
    WriteBytes(path, bytes);
    const TPrinterListRow added{QStringLiteral("V64"), QStringLiteral("USB"), QStringLiteral("USB"),
                                QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87"), QStringLiteral("1")};
    if (AppendPrinterListRow(path, added) == TPrinterListResult::Ok) {
        QList<TPrinterListRow> grown = rows;
        grown.append(added);
        FUZZ_CHECK(SameRows(Rows(path), grown));
        CheckOtherLines(bytes, path);
    }
    return 0;
}
