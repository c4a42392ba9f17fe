#include "mdlTextParaCodecs.h"

#include "PrtTexts.h"
#include "mdlGlobalVar.h"
#include "mdlPrinterTypeList.h"
#include "mdlValueData.h"

#include <QByteArray>
#include <cmath>

namespace textpara {

namespace {

bool IsReplyJunk(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\n') || c == QChar(0);
}

// Round to nearest, halves to even.
long long RoundHalfEven(double v)
{
    return static_cast<long long>(std::nearbyint(v));
}

double DotsPerMm(const QString& dpi)
{
    if (dpi == QLatin1String("300"))
        return 11.8;
    if (dpi == QLatin1String("600"))
        return 23.6;
    return 8.0;
}

} // namespace

QString TrimReply(const QString& reply)
{
    qsizetype a = 0;
    qsizetype b = reply.size();
    while (a < b && IsReplyJunk(reply.at(a)))
        ++a;
    while (b > a && IsReplyJunk(reply.at(b - 1)))
        --b;
    return reply.mid(a, b - a);
}

int FindItemByText(const QStringList& items, const QString& text)
{
    for (int i = 0; i < items.size(); ++i)
        if (items.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString CodeOfItem(const QString& item)
{
    const qsizetype open = item.lastIndexOf(QLatin1Char('('));
    if (open < 0)
        return QString();
    const qsizetype end = item.size() - 1;  // the last character (normally ")")
    if (end <= open)
        return QString();
    return item.mid(open + 1, end - open - 1);
}

int FindItemByCode(const QStringList& items, const QString& code)
{
    if (code.isEmpty())
        return -1;
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).lastIndexOf(QLatin1Char('(')) < 0)
            continue;
        if (CodeOfItem(items.at(i)).compare(code, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QStringList WordTable(int kind)
{
    return ValueData::ParamOptionWords(kind);
}

int FindWord(int kind, const QString& reply)
{
    const QStringList words = WordTable(kind);
    return static_cast<int>(words.indexOf(reply));
}

QString WordAt(int kind, int index)
{
    const QStringList words = WordTable(kind);
    return index >= 0 && index < words.size() ? words.at(index) : QString();
}

bool SplitDottedQuad(const QString& reply, QStringList& parts)
{
    if (reply.size() < 7)
        return false;
    const QStringList p = reply.split(QLatin1Char('.'));
    if (p.size() < 4)
        return false;
    parts = p.mid(0, 4);
    return true;
}

QString JoinDottedQuad(const QStringList& parts)
{
    QString s;
    for (const QString& p : parts) {
        s += p;
        s += QLatin1Char('.');
    }
    return s;
}

bool SplitMac(const QString& reply, QStringList& parts)
{
    if (reply.size() < 7)
        return false;
    const QStringList p = reply.split(QLatin1Char(':'));
    if (p.size() < 6)
        return false;
    parts = p.mid(0, 6);
    return true;
}

QString StripBtNameSuffix(const QString& reply)
{
    if (reply.size() > 5 && reply.at(reply.size() - 5) == QLatin1Char('-'))
        return reply.left(reply.size() - 5);
    return reply;
}

QString DotsToMm(const QString& dots, const QString& dpi, bool dplModel, bool* ok)
{
    if (ok)
        *ok = true;
    if (!dplModel || dots.isEmpty())
        return dots;
    int v = 0;
    if (!ParseInt(dots, v)) {
        if (ok)
            *ok = false;
        return dots;
    }
    const double per = DotsPerMm(dpi);
    if (per == 8.0)
        return QString::number(v / 8);  // integer division truncates toward zero
    return QString::number(RoundHalfEven(v / per));
}

QString MmToDots(const QString& mm, const QString& dpi, bool dplModel, bool* ok)
{
    if (ok)
        *ok = true;
    if (!dplModel || mm.isEmpty())
        return mm;
    int v = 0;
    if (!ParseInt(mm, v)) {
        if (ok)
            *ok = false;
        return mm;
    }
    const double per = DotsPerMm(dpi);
    if (per == 8.0)
        return QString::number(static_cast<long long>(v) * 8);
    return QString::number(RoundHalfEven(v * per));
}

int HeadTypeItemOfName(const QString& name)
{
    static const QStringList names = {QStringLiteral("S_U108_7746"), QStringLiteral("KYOCERA"),
                                      QStringLiteral("ROHM_KD")};
    return static_cast<int>(names.indexOf(name)) + 1;
}

QString HeadTypeNumberOfItem(int item)
{
    static const QStringList numbers = {QStringLiteral("85"), QStringLiteral("1"), QStringLiteral("4")};
    return item >= 1 && item <= 3 ? numbers.at(item - 1) : QString();
}

QByteArray DplTearOffLine(const QString& controlCodes, int value)
{
    QByteArray line;
    if (controlCodes == QLatin1String("standard"))
        line.append('\x02');
    else if (controlCodes == QLatin1String("alternate") || controlCodes == QLatin1String("alternate-2"))
        line.append('~');
    else
        line.append('\0');
    line.append(value >= 0 ? "KcPJ+" : "KcPJ");
    line.append(QByteArray::number(value));
    line.append("\r\n");
    return line;
}

bool ParseInt(const QString& text, int& value)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (ok)
        value = v;
    return ok;
}

QString ClampIntText(const QString& text, int lo, int hi, bool& ok)
{
    int v = 0;
    ok = ParseInt(text, v);
    if (!ok)
        return text;
    if (v > hi)
        return QString::number(hi);
    if (v < lo)
        return QString::number(lo);
    return text.trimmed();
}

TProtocolLists ProtocolListsOf(const QString& protocolItem)
{
    const QString p = protocolItem.trimmed().toLower();
    TProtocolLists r;
    if (p == QLatin1String("zpl")) {
        r = {2, 30, QStringLiteral("15")};
    } else if (p == QLatin1String("epl") || p == QLatin1String("dpl")) {
        r = {3, 30, QStringLiteral("15")};
    }
    // "tspl", "tsc", "esc" and anything unknown keep list 1 with 0..15.
    return r;
}

bool SameProtocol(const QString& printerProtocol, const QString& item)
{
    auto norm = [](const QString& s) {
        const QString t = s.trimmed().toLower();
        return t == QLatin1String("tsc") ? QStringLiteral("tspl") : t;
    };
    return !printerProtocol.trimmed().isEmpty() && norm(printerProtocol) == norm(item);
}

int FindProtocolItem(const QStringList& items, const QString& reply)
{
    const int exact = FindItemByText(items, reply);
    if (exact >= 0)
        return exact;
    for (int i = 0; i < items.size(); ++i)
        if (SameProtocol(reply, items.at(i)))
            return i;
    return -1;
}

QStringList CharsetItems(int list)
{
    return ValueData::IntlCharsetList(list);
}

QStringList NumberItems(int max)
{
    QStringList items;
    for (int i = 0; i <= max; ++i)
        items << QString::number(i);
    return items;
}

QString ReleasePaperNameOf(const QStringList& list, const QString& caption, bool& found)
{
    int f = 0;
    QString name;
    FindNameByValue(caption, &list, f, name);
    found = f == 1;
    return name;
}

QString ReleasePaperCaptionOf(const QStringList& list, const QString& name, bool& found)
{
    int f = 0;
    QString value;
    FindValueByName(name, &list, f, value);
    found = f == 1;
    return value;
}

QString ReleasePaperTip(const QStringList& list, const QString& caption, int index)
{
    bool found = false;
    ReleasePaperNameOf(list, caption, found);
    if (!found)
        return QString();
    QString tip = prt::LangText(QStringLiteral("Lang_All_00210024_11")) +
                  prt::LangText(QStringLiteral("Lang_All_00010002_11"));
    if (index == 0)
        tip += prt::LangText(QStringLiteral("Lang_All_00210026_11"));
    else
        tip += FillTemplate(prt::LangText(QStringLiteral("Lang_All_00210027_11")), {caption});
    return tip;
}

bool IsValidBtName(const QString& name)
{
    for (QChar c : name)
        if (c.unicode() < 33 || c.unicode() > 126 || c == QLatin1Char('"'))
            return false;
    return true;
}

bool IsValidBtPin(const QString& pin)
{
    if (pin.size() != 4)
        return false;
    for (QChar c : pin)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString FillTemplate(QString text, const QStringList& values)
{
    for (int i = 0; i < values.size(); ++i)
        text = ReplaceFirst(text, QStringLiteral("{%1}").arg(i), values.at(i));
    return text;
}

bool IsModelPrefixInList(const QString& model, const QString& list)
{
    return !model.isEmpty() && list.contains(model + QLatin1Char(','));
}

QString ParameterSetList(const QString& key)
{
    if (ParameterSetKeys().contains(key))
        return ParameterSetValue(key);
    return ReadParameterSetNow(key);
}

} // namespace textpara
