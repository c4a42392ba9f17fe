#include "mdlDLStored.h"

#include "PubBytes.h"
#include "mdlModelCatalog.h"
#include "mdlModelData.h"
#include "mdlPubFunc.h"

namespace prt::dl {

namespace {

// ",a,b,c," -> {"a", "b", "c"} (empty entries kept).
QStringList Members(const QString& list)
{
    QStringList m = list.split(QLatin1Char(','));
    if (!m.isEmpty() && m.first().isEmpty())
        m.removeFirst();
    if (!m.isEmpty() && m.last().isEmpty())
        m.removeLast();
    return m;
}

QString Wrap(const QStringList& names)
{
    return QLatin1Char(',') + names.join(QLatin1Char(',')) + QLatin1Char(',');
}

// The names of a list with one empty entry after the first (where it has none yet).
QStringList Reshaped(const QString& list)
{
    QStringList m = Members(list);
    m.removeAll(QString());
    if (!m.isEmpty())
        m.insert(1, QString());
    return m;
}

bool In(const QString& model, const QString& list)
{
    return list.contains(QLatin1Char(',') + model + QLatin1Char(','));
}

QString Chr(uint8_t b)
{
    return QString(QChar(b));
}

} // namespace

// ---- model lists --------------------------------------------------------------------------

QString DLTemplateModels()
{
    return QStringLiteral(",") + GetModelName_V64() + QStringLiteral(",");
}

QString DLDirectModels7()
{
    return Wrap(Reshaped(FontDirectModels));
}

QString DLDirectModels8()
{
    return Wrap(Reshaped(FontDirectModelsZpl));
}

QString DLDirectModels4()
{
    return Wrap(Reshaped(FontDirectModels).mid(0, 5));  // four names and the empty entry
}

bool IsDirectBrand(const QString& oemCo)
{
    return oemCo == QLatin1String("Label_Channel") || oemCo == QLatin1String("Label_Ardwick_Custom");
}

bool DialectT4(const TDLDialectInput& in)
{
    return In(in.model, DLDirectModels4()) && IsDirectBrand(in.oemCo) && in.ppl == QLatin1String("tsc");
}

bool DialectT4Any(const TDLDialectInput& in)
{
    return In(in.model, DLDirectModels4()) && in.ppl == QLatin1String("tsc");
}

bool DialectT7(const TDLDialectInput& in)
{
    return IsDirectLanguageModel(in) && in.ppl == QLatin1String("tsc");
}

bool DialectD7(const TDLDialectInput& in)
{
    return IsDirectLanguageModel(in) && in.ppl == QLatin1String("dpl");
}

bool DialectZ8(const TDLDialectInput& in)
{
    return In(in.model, DLDirectModels8()) && IsDirectBrand(in.oemCo) && in.ppl == QLatin1String("zpl");
}

bool IsDirectLanguageModel(const TDLDialectInput& in)
{
    return In(in.model, DLDirectModels7()) && IsDirectBrand(in.oemCo);
}

// ---- listings ------------------------------------------------------------------------------

QList<TStoredRow> ParseKeyValueListing(const QString& reply)
{
    QList<TStoredRow> rows;
    for (const QString& piece : SplitToStringList(reply, QStringLiteral(","))) {
        if (piece.size() < 3)
            continue;
        rows.append({piece.startsWith(QLatin1Char('R')), piece.mid(2)});
    }
    return rows;
}

QList<TStoredRow> ParseTsplListing(const QString& reply, const QString& ext)
{
    QList<TStoredRow> rows;
    for (const QString& piece : SplitToStringList(reply.left(reply.size() - 2), QStringLiteral("\r")))
        if (piece.contains(ext))
            rows.append({false, piece});
    return rows;
}

bool ParseDplImageListing(const QString& reply, char eol, QList<TStoredRow>& rows)
{
    rows.clear();
    const int p = static_cast<int>(reply.indexOf(QLatin1String("AVAIL"))) + 1;  // 1-based, 0 = none
    const QString kept = p >= 2 ? reply.left(p - 2) : QString();
    if (kept.isEmpty())
        return false;
    const QStringList pieces = SplitToStringList(kept, QString(QLatin1Char(eol)));
    for (qsizetype i = 1; i < pieces.size(); ++i)
        if (!pieces[i].isEmpty())
            rows.append({false, pieces[i] + QStringLiteral(".BMP")});
    return true;
}

QStringList ParseZplImageListing(const QString& reply)
{
    QStringList names;
    const QStringList pieces = SplitToStringList(reply, QStringLiteral("\r\n"));
    for (qsizetype i = 2; i <= pieces.size() - 3; ++i) {
        const QString& piece = pieces[i];
        const qsizetype colon = piece.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        const qsizetype grf = piece.indexOf(QLatin1String("GRF"), colon + 1);
        if (grf < 0)
            continue;
        const QString name = piece.mid(colon + 1, grf + 3 - colon - 1);
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

QString JoinTsplAutoTemplates(const QString& reply)
{
    QStringList names;
    for (const TStoredRow& r : ParseTsplListing(reply, QStringLiteral(".BAS")))
        names.append(r.name);
    return names.join(QLatin1Char(','));
}

QString JoinKeyValueAutoTemplates(const QString& reply)
{
    QStringList names;
    for (const QString& piece : SplitToStringList(reply, QStringLiteral(",")))
        if (piece.size() >= 3)
            names.append(piece.mid(2));
    return names.join(QLatin1Char(','));
}

QStringList AutoTemplatePieces(const QString& reply)
{
    QStringList out;
    for (const QString& piece : SplitToStringList(reply, QStringLiteral(",")))
        if (!piece.isEmpty())
            out.append(piece);
    return out;
}

QString MakeUp0(const QString& text)
{
    if (text.isEmpty() || text.size() > 4)
        return QString();
    return QString(4 - text.size(), QLatin1Char('0')) + text;
}

// ---- commands --------------------------------------------------------------------------------

QString TsplListCommand()
{
    return QStringLiteral("~!F");
}

QString TsplKillCommand(const QString& name)
{
    return QStringLiteral("KILL E,\"") + name + QLatin1Char('"');
}

QString DplListImagesCommand(const TDplControl& c)
{
    return Chr(c.stx) + QStringLiteral("WG");
}

QString DplDeleteImageCommand(const QString& bmpName, const TDplControl& c)
{
    return Chr(c.stx) + QStringLiteral("xEG") + bmpName.left(bmpName.size() - 4) + Chr(c.eol);
}

QString ZplListImagesCommand()
{
    return QStringLiteral("^XA\r\n^HWE:*.GRF\r\n^XZ");
}

QString ZplDeleteImagesCommand(const QStringList& names)
{
    QString s = QStringLiteral("^XA\r\n");
    for (const QString& n : names)
        s += QStringLiteral("^IDE:") + n + QStringLiteral("\r\n");
    return s + QStringLiteral("^XZ");
}

QByteArray ZplPrintImageCommand(const QString& name)
{
    return "^XA^PW600^LL480^POI^FO100,100^XGE:" + name.toLatin1() + "^FS^XZ";
}

QByteArray DplPrintImageCommand(const QString& bmpName, const QString& x, const QString& y, int widthMm,
                                int heightMm, const TDplControl& c)
{
    const char stx = static_cast<char>(c.stx);
    QByteArray s;
    s += stx;
    s += "m\r\n";
    s += stx;
    s += "KcLW" + MakeUp0(QString::number(10 * widthMm)).toLatin1() + ";CL" +
         MakeUp0(QString::number(10 * heightMm)).toLatin1() + "\r\n";
    s += stx;
    s += "L\r\n";
    // the row (Y) before the column (X), as the printer's record format reads them
    s += "1Y11000" + MakeUp0(y).toLatin1() + MakeUp0(x).toLatin1() + bmpName.left(bmpName.size() - 4).toLatin1() +
         "\r\n";
    s += 'E';
    s += static_cast<char>(c.eol);
    s += "\r\n";
    return s;
}

QByteArray TsplPrintImageCommand(const QString& name, const QString& widthMm, const QString& heightMm,
                                 const QString& x, const QString& y)
{
    return ("SIZE " + widthMm + "mm," + heightMm + "mm\r\nDIRECTION 0\r\nCLS\r\nPUTBMP " + x + "," + y + ",\"" +
            name + "\"\r\nPRINT 1,1\r\n")
        .toLatin1();
}

QByteArray TsplRunCommand(const QString& name)
{
    return "RUN \"" + name.toLatin1() + "\"\r\n";
}

QByteArray TsplTemplateDownload(const QString& name, const QByteArray& file)
{
    return "DOWNLOAD E,\"" + name.toLatin1() + "\"\r\n" + file + "\r\nEOP\r\n";
}

// ---- names -------------------------------------------------------------------------------------

QString StoredFileName(const QString& fileName, TDLStoredKind kind, TDLDirect direct, const QString& language)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? fileName : fileName.left(dot);
    if (kind == TDLStoredKind::Template) {
        if (direct == TDLDirect::Tspl)
            return base + QStringLiteral(".BAS");
        return base + QLatin1Char('.') + language.toLower() + QStringLiteral(".prn");
    }
    switch (direct) {
    case TDLDirect::Tspl:
        return base + QStringLiteral(".BMP");
    case TDLDirect::Dpl:
        return base;
    default:
        return base + QStringLiteral(".GRF");
    }
}

bool ParseSpaceReplies(const QString& used, const QString& remaining, TSpaceInfo& out)
{
    bool okUsed = false, okRemain = false;
    const qint64 u = used.trimmed().toLongLong(&okUsed);
    const qint64 r = remaining.trimmed().toLongLong(&okRemain);
    if (!okUsed || !okRemain || u < 0 || r < 0)
        return false;  // a space below nothing is no answer
    out.used = FormatThousands(QString::number(u));
    out.remaining = FormatThousands(QString::number(r));
    out.remainingBytes = r;
    return true;
}

} // namespace prt::dl
