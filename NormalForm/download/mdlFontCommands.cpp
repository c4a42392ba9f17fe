#include "mdlFontCommands.h"

namespace fontcmd {

namespace {

QString CommaWrapped(const QString& s)
{
    return QLatin1Char(',') + s + QLatin1Char(',');
}

// A listing piece without the line ends a printer may leave around it.
QString StripLineEnds(QString s)
{
    s.remove(QLatin1Char('\r'));
    s.remove(QLatin1Char('\n'));
    s.remove(QChar(0));
    return s;
}

void SetOk(bool* ok, bool value)
{
    if (ok)
        *ok = value;
}

QString PadLeft0(const QString& text, int width)
{
    return text.length() >= width ? text : QString(width - text.length(), QLatin1Char('0')) + text;
}

} // namespace

bool IsDirectOemKey(const QString& oemKey)
{
    return oemKey == QLatin1String("Label_Channel") || oemKey == QLatin1String("Label_Ardwick_Custom");
}

bool IsFontDirect(const QString& model, const QString& list, const QString& oemKey, const QString& printerLanguage,
                  const char* language)
{
    return list.contains(CommaWrapped(model)) && IsDirectOemKey(oemKey) &&
           printerLanguage == QLatin1String(language);
}

TFontRows ParseDplFontListing(const QString& reply, char cr, bool* ok)
{
    SetOk(ok, false);
    TFontRows rows;
    const int avail = reply.indexOf(QLatin1String("AVAIL"));
    // The characters before "AVAIL" less the one separator in front of it.
    const QString head = avail >= 2 ? reply.left(avail - 1) : QString();
    if (head.isEmpty())
        return rows;
    SetOk(ok, true);
    const QStringList pieces = head.split(QLatin1Char(cr));
    for (int i = 1; i < pieces.size(); ++i) {
        const QString name = StripLineEnds(pieces[i]);
        if (!name.isEmpty())
            rows.append({1, name + QLatin1String(".ttf")});
    }
    return rows;
}

TFontRows ParseTsplFontListing(const QString& reply, bool* ok)
{
    SetOk(ok, false);
    TFontRows rows;
    if (reply.isEmpty())
        return rows;
    SetOk(ok, true);
    const QStringList pieces = reply.left(qMax(0, reply.length() - 2)).split(QLatin1Char('\r'));
    for (const QString& p : pieces) {
        const QString name = StripLineEnds(p);
        if (name.contains(QLatin1String(".ttf")))
            rows.append({1, name});
    }
    return rows;
}

TFontRows ParseZplFontListing(const QString& reply, bool* ok)
{
    SetOk(ok, false);
    TFontRows rows;
    if (reply.isEmpty())
        return rows;
    SetOk(ok, true);
    const QStringList lines = reply.split(QLatin1String("\r\n"));
    for (int i = 2; i <= lines.size() - 3; ++i) {
        const QString& line = lines[i];
        if (!line.toLower().contains(QLatin1String("ttf")))
            continue;
        QString name = line.mid(line.indexOf(QLatin1Char(':')) + 1);
        const int t = name.toLower().indexOf(QLatin1String("ttf"));
        if (t < 0)
            continue;
        name = name.left(t + 3);
        if (!name.isEmpty())
            rows.append({1, name});
    }
    return rows;
}

TFontRows ParsePacketFontListing(const QString& reply, bool* ok)
{
    SetOk(ok, false);
    TFontRows rows;
    const QString r = StripLineEnds(reply);
    if (r.isEmpty())
        return rows;
    SetOk(ok, true);
    for (const QString& entry : r.split(QLatin1Char(','))) {
        const QString name = entry.mid(2);
        if (!name.isEmpty())
            rows.append({entry.startsWith(QLatin1Char('R')) ? 0 : 1, name});
    }
    return rows;
}

QString DplFontDeleteCommand(const QString& name, const TDplCodes& codes)
{
    return QChar::fromLatin1(char(codes.stx)) + QLatin1String("xE") + name.left(qMax(0, name.length() - 4)) +
           QChar::fromLatin1(char(codes.eol));
}

QString ZplFontDeleteCommand(const QString& name)
{
    return QLatin1String("^XA\r\n^IDE:") + name + QLatin1String("\r\n^XZ");
}

QString TsplFontDeleteCommand(const QString& name)
{
    return QLatin1String("KILL E,\"") + name + QLatin1Char('"');
}

QString StoragePrefix(int storage)
{
    return storage == 0 ? QStringLiteral("R_") : QStringLiteral("E_");
}

QString ZplFontDrive(int storage)
{
    return storage == 0 ? QStringLiteral("R:") : QStringLiteral("E:");
}

QString DirectFontName(const QString& language, const QString& fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString base = dot >= 0 ? fileName.left(dot) : fileName;
    return language == QLatin1String(kLangTspl) ? base + QLatin1String(".ttf") : base;
}

QByteArray BuildFontDirectBuffer(const QString& language, const QString& fileName, const QByteArray& file,
                                 const QString& fontId, const TDplCodes& codes, QString* storedName)
{
    const QString name = DirectFontName(language, fileName);
    if (storedName)
        *storedName = name;
    QByteArray out;
    if (language == QLatin1String(kLangDpl)) {
        out += char(codes.soh);
        out += 'D';
        out += char(codes.stx);
        out += "iET";
        out += fontId.toLatin1();
        out += name.toLatin1();
        out += char(codes.eol);
        out += QByteArray::number(qulonglong(file.size()), 16).toUpper().rightJustified(8, '0');
        out += file;
    } else if (language == QLatin1String(kLangZpl)) {
        out += "~DSE:";
        out += name.toLatin1();
        out += ".TTF,";
        out += QByteArray::number(qlonglong(file.size() / 2));
        out += ',';
        out += file;
    } else {
        out += "DOWNLOAD E,\"";
        out += name.toLatin1();
        out += "\"\r\n";
        out += file;
        out += "\r\nEOP\r\n";
    }
    return out;
}

bool IsValidDplFontId(const QString& id)
{
    if (id.length() != 2)
        return false;
    const QChar a = id[0], b = id[1];
    if (a.isDigit() && b.isDigit()) {
        const int v = id.toInt();
        return v >= 51 && v <= 99;
    }
    return a == QLatin1Char('9') && b.unicode() < 128 && b.isLetter();
}

QString MakeUp0(const QString& text)
{
    const int n = text.length();
    if (n >= 1 && n <= 7)
        return PadLeft0(text, 8);
    return n == 8 ? text : QString();
}

TFontTestJob ChooseFontTestJob(bool utf8ZplModel, bool dplDirect, int protocol, bool tsplDirect)
{
    if (utf8ZplModel)
        return TFontTestJob::ZplUtf8;
    if (dplDirect)
        return TFontTestJob::Dpl;
    if (protocol == 3)
        return TFontTestJob::Cpcl;
    if (protocol == 1 || tsplDirect)
        return TFontTestJob::Tspl;
    if (protocol == 4)
        return TFontTestJob::Zpl;
    if (protocol == 5)
        return TFontTestJob::Epl;
    return TFontTestJob::Plain;
}

QString NormalizeFontTestText(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String(" "));
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    t.replace(QChar::ParagraphSeparator, QLatin1Char(' '));
    t.replace(QChar::LineSeparator, QLatin1Char(' '));
    return t.left(255);
}

QChar FontTestTextStopper(TFontTestJob job, const QString& text)
{
    QString stoppers;
    switch (job) {
    case TFontTestJob::Tspl:
    case TFontTestJob::Epl: stoppers = QStringLiteral("\""); break;
    case TFontTestJob::Zpl:
    case TFontTestJob::ZplUtf8: stoppers = QStringLiteral("^~"); break;
    default: break;
    }
    for (const QChar c : text)
        if (stoppers.contains(c))
            return c;
    return QChar();
}

QString BuildFontTestJob(TFontTestJob job, const TFontTestInput& in)
{
    const QString& F = in.Font;
    const QString& T = in.Text;
    switch (job) {
    case TFontTestJob::ZplUtf8:
        return QLatin1String("^XA\r\n^CI28\r\n^FO50,50\r\n^A@N,40,40,E:") + F + QLatin1String("\r\n^FD") + T +
               QLatin1String("^FS\r\n^XZ\r\n");
    case TFontTestJob::Dpl: {
        const QString stx = QChar::fromLatin1(char(in.Codes.stx));
        const QString code = in.UnicodeFontCode ? QLatin1String("U") + F.mid(1, 2) : F.left(3);
        return stx + QLatin1String("m\r\n") + stx + QLatin1String("KcLW") +
               QString::number(in.DplWidth.trimmed().toInt() * 10) + QLatin1String(";CL") +
               QString::number(in.DplHeight.trimmed().toInt() * 10) + QLatin1String("\r\n") + stx +
               QLatin1String("L\r\n") + QLatin1String("1911") + code + PadLeft0(in.Row, 4) + PadLeft0(in.Column, 4) +
               QLatin1String("P010P010") + T + QLatin1String("\r\n") + QLatin1String("E") +
               QChar::fromLatin1(char(in.Codes.eol)) + QLatin1String("\r\n");
    }
    case TFontTestJob::Cpcl:
        return QLatin1String("! 0 20 20 60 1\r\nT 9 0 8 8 ") + T + QLatin1String("\r\nFORM\r\nPRINT\r\n");
    case TFontTestJob::Tspl:
        return QLatin1String("SIZE ") + in.Width + QLatin1String(" mm,") + in.Height +
               QLatin1String(" mm\r\nCLS\r\nTEXT 10,10,\"") + F + QLatin1String("\",0,48,48,\"") + T +
               QLatin1String("\"\r\nPRINT 1,1\r\n");
    case TFontTestJob::Zpl:
        return QLatin1String("^XA\r\n^A@N,50,50,") + ZplFontDrive(in.Storage) + F +
               QLatin1String("\r\n^FO100,100\r\n^FD") + T + QLatin1String("^FS\r\n^XZ\r\n");
    case TFontTestJob::Epl:
        return QLatin1String("N\r\nA300,10,0,1,2,2,N,\"") + T + QLatin1String("\"\r\nP1\r\n");
    case TFontTestJob::Plain: break;
    }
    return T + QLatin1String("\r\n");
}

QString ClampFontEdit(TFontEdit edit, const QString& text, int paperWidth, bool dplSizeModel, bool dplHeightModel)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        t = QStringLiteral("0");
    const qlonglong v = t.toLongLong();
    auto clamp = [&t, v](qlonglong lo, qlonglong hi) {
        if (v < lo)
            return QString::number(lo);
        if (v > hi)
            return QString::number(hi);
        return t;
    };
    switch (edit) {
    case TFontEdit::PrintableWidth:
        if (dplSizeModel)
            return clamp(1, 999);
        if (v > paperWidth)
            return QString::number(paperWidth);
        return v < 10 ? QStringLiteral("10") : t;
    case TFontEdit::PrintableHeight: return dplHeightModel ? clamp(1, 999) : clamp(10, 210);
    case TFontEdit::YPosition:
    case TFontEdit::XPosition: return clamp(1, 9999);
    case TFontEdit::Width:
    case TFontEdit::Height: break;
    }
    return t;
}

} // namespace fontcmd
