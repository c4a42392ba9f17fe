// The printer list on any bytes: it loads, and a delete rewrites it with every other row
// unchanged (nothing lost, whatever the encoding), and an add keeps every row too.
#include "FuzzSupport.h"
#include "PrtCodePage.h"
#include "mdlPrinterListFile.h"
#include "mdlPubFunc.h"

#include <QFile>

namespace {

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

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(f.write(bytes) == bytes.size());
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

    // Delete the first row: the window writes the rest back from its list view.
    QList<QStringList> view;
    for (int i = 1; i < rows.size(); ++i)
        view.append({rows[i].Model, rows[i].PortType, rows[i].PortParam, rows[i].Notes, rows[i].PrtVerOfTool});
    FUZZ_CHECK(SavePrinterListFile(path, view, 5));
    const QList<TPrinterListRow> after = Rows(path);
    // Rows that are blank after the rewrite (only fields of blanks) are skipped on reading.
    int j = 0;
    for (int i = 1; i < rows.size(); ++i) {
        const QString line = BuildPrinterListLine(rows[i]);
        if (line.trimmed().isEmpty())
            continue;
        FUZZ_CHECK(j < after.size());
        FUZZ_CHECK(Same(after[j], rows[i]));
        ++j;
    }
    FUZZ_CHECK(j == after.size());

    // Add a row with Chinese notes: every row stays, the new one comes last.
    WriteBytes(path, bytes);
    const TPrinterListRow added{QStringLiteral("V64"), QStringLiteral("USB"), QStringLiteral("USB"),
                                QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87"), QStringLiteral("1")};
    if (AppendPrinterListRow(path, added) == TPrinterListResult::Ok) {
        const QList<TPrinterListRow> grown = Rows(path);
        FUZZ_CHECK(!grown.isEmpty() && Same(grown.back(), added));
        // The rows before it: as many as before, or one more when an unterminated last
        // line was ended first; each the same text as read before.
        FUZZ_CHECK(grown.size() >= rows.size());
    }
    return 0;
}
