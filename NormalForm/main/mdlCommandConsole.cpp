#include "mdlCommandConsole.h"

#include <QStringList>

THexParse ParseConsoleHex(const QString& text)
{
    QString t = text;
    t.remove(QStringLiteral("0x"));
    t.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    t.replace(QLatin1Char(','), QLatin1Char(' '));
    t.replace(QLatin1Char('\t'), QLatin1Char(' '));
    t = t.trimmed();
    THexParse r;
    const QStringList pieces = t.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int i = 0; i < pieces.size(); ++i) {
        bool ok = false;
        const qulonglong v = pieces[i].trimmed().toULongLong(&ok, 16);
        if (!ok) {
            r.Ok = false;
            r.BadIndex = i;
            r.BadPiece = pieces[i];
            return r;
        }
        r.Bytes.append(static_cast<char>(v & 0xFF));
    }
    return r;
}

QString ConsoleHexErrorText(const THexParse& parse)
{
    return QStringLiteral("Command Error!") + QString::number(parse.BadIndex) + QLatin1Char('|') + parse.BadPiece;
}

QString BytesToHexSpaced(const QByteArray& bytes)
{
    QString s;
    for (char c : bytes)
        s += QStringLiteral("%1 ").arg(static_cast<uint8_t>(c), 2, 16, QLatin1Char('0')).toUpper();
    return s;
}

QString BytesToHexPlain(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QString HexPageToText(const QString& hex, bool& ok)
{
    ok = true;
    QString out;
    for (const QString& piece : hex.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool one = false;
        const uint v = piece.trimmed().toUInt(&one, 16);
        if (!one || v > 0xFF) {
            ok = false;
            return QString();
        }
        out += QChar(static_cast<char16_t>(v));
    }
    return out;
}

bool ControlCodesOfSet(const QString& set, TControlCodes& c)
{
    if (set == QLatin1String("standard"))
        c = {QString(QChar(0x01)), QString(QChar(0x02)), QString(QChar(0x0D)), QString(QChar(0x1B)), "^"};
    else if (set == QLatin1String("alternate"))
        c = {"^", "~", QString(QChar(0x0D)), QString(QChar(0x1B)), "@"};
    else if (set == QLatin1String("alternate-2"))
        c = {"^", "~", QString(QChar(0x7C)), QString(QChar(0x1B)), "@"};
    else
        return false;
    return true;
}

QByteArray DplSwitchBytes(const QString& currentSet, const QString& newSet)
{
    QByteArray b;
    if (currentSet == QLatin1String("standard"))
        b.append('\x02');
    else if (currentSet == QLatin1String("alternate") || currentSet == QLatin1String("alternate-2"))
        b.append('~');
    else
        b.append('\0');
    b.append("KcCC");
    b.append(newSet == QLatin1String("standard") ? 'S' : newSet == QLatin1String("alternate") ? '1' : '2');
    return b;
}

QString ReplaceControlPlaceholders(const QString& text, const TControlCodes& c, bool hex)
{
    auto code = [hex](const QString& ch) {
        if (!hex || ch.isEmpty())
            return ch;
        return QStringLiteral("%1").arg(ch.at(0).unicode() & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    };
    QString t = text;
    t.replace(QStringLiteral("<SOH>"), code(c.Soh));
    t.replace(QStringLiteral("<STX>"), code(c.Stx));
    t.replace(QStringLiteral("<CR>"), code(c.Cr));
    t.replace(QStringLiteral("<ESC>"), code(c.Esc));
    t.replace(QStringLiteral("<Count By>"), code(c.CountBy));
    return t;
}

QString ClampSleepField(const QString& text)
{
    const QString t = text.trimmed().isEmpty() ? QStringLiteral("0") : text;
    return t.trimmed().toInt() < 100 ? QStringLiteral("100") : t;
}

QString ClampReadLenField(const QString& text)
{
    const QString t = text.trimmed().isEmpty() ? QStringLiteral("0") : text;
    const int v = t.trimmed().toInt();
    if (v > 256)
        return QStringLiteral("256");
    if (v < 1)
        return QStringLiteral("1");
    return t;
}

QString LoopCountText(int count, const QString& text)
{
    const QString number = QString::number(count);
    if (text.contains(QLatin1String("{0}")))
        return QString(text).replace(QLatin1String("{0}"), number);
    return number + QLatin1Char(' ') + text.trimmed();
}
