#include "mdlPrinterListFile.h"

#include "PrtCodePage.h"
#include "PrtIni.h"
#include "mdlPubFunc.h"
#include "PrtPaths.h"
#include "PubBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString GetPrinterListPath()
{
    return PrinterListFilePath();
}

QStringList ReadPrinterListLines(const QString& path)
{
    return ReadTextFileToList(path);
}

TPrinterListRow ParsePrinterListLine(const QString& line)
{
    const QStringList f = SplitToStringList(line, QStringLiteral("|"));
    TPrinterListRow row;
    row.Model = f.value(0);
    row.PortType = f.value(1);
    row.PortParam = f.value(2);
    row.Notes = f.value(3);
    row.PrtVerOfTool = f.value(4);
    return row;
}

QString BuildPrinterListLine(const TPrinterListRow& row)
{
    return QStringList{row.Model, row.PortType, row.PortParam, row.Notes, row.PrtVerOfTool}.join(
        QLatin1Char('|'));
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

static bool WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    return prt::WriteFileAtomic(path, bytes);  // temporary file beside the target, then rename
}

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
    return WritePrinterListLines(path, {DefaultPrinterListLine(model)}, false);
}

TPrinterListResult AppendPrinterListRow(const QString& path, const TPrinterListRow& row)
{
    if (!IsValidPrinterListRow(row))
        return TPrinterListResult::BadField;
    QByteArray bytes;
    QFile f(path);
    if (f.exists()) {
        if (!f.open(QIODevice::ReadOnly))
            return TPrinterListResult::WriteFailed;
        bytes = f.readAll();
        f.close();
    }
    // The whole file in the encoding it was read in, the new line included.
    QString text = prt::DecodeText(bytes, prt::DetectTextEncoding(bytes));
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')) && !text.endsWith(QLatin1Char('\r')))
        text += QStringLiteral("\r\n");  // end an unterminated last line first
    text += BuildPrinterListLine(row) + QStringLiteral("\r\n");
    return WriteWholeFile(path, TextFileBytesKeepingEncoding(path, text)) ? TPrinterListResult::Ok
                                                                          : TPrinterListResult::WriteFailed;
}

TPrinterListResult ReplacePrinterListRow(const QString& path, int index, const TPrinterListRow& row)
{
    if (!IsValidPrinterListRow(row))
        return TPrinterListResult::BadField;
    QStringList lines = ReadPrinterListLines(path);
    if (index < 0 || index >= lines.size())
        return TPrinterListResult::RowGone;
    lines[index] = BuildPrinterListLine(row);
    return WritePrinterListLines(path, lines, false) ? TPrinterListResult::Ok
                                                     : TPrinterListResult::WriteFailed;
}

TPrinterListResult UpdatePrinterListAddress(const QString& path, int index, const QString& address)
{
    const QString param = QStringLiteral("NET,") + address;
    if (!IsValidPrinterListField(param))
        return TPrinterListResult::BadField;
    QStringList lines = ReadPrinterListLines(path);
    if (index < 0 || index >= lines.size())
        return TPrinterListResult::RowGone;
    if (lines[index].isEmpty())
        return TPrinterListResult::EmptyLine;
    // Rebuild the line field by field; only the port parameter changes.
    QStringList fields = SplitToStringList(lines[index], QStringLiteral("|"));
    while (fields.size() < 3)
        fields << QString();
    fields[2] = param;
    lines[index] = fields.join(QLatin1Char('|'));
    return WritePrinterListLines(path, lines, false) ? TPrinterListResult::Ok
                                                     : TPrinterListResult::WriteFailed;
}
