#include "mdlParaSetCodecs.h"

#include "mdlGlobalVar.h"
#include "mdlParamValues.h"
#include "mdlValueData.h"

#include <QComboBox>
#include <QRegularExpression>

namespace paraset {

int DecodeIndexList(uint8_t v, int itemCount)
{
    return v < itemCount ? int(v) : kNoSelection;
}

uint8_t EncodeIndexList(int itemIndex, uint8_t stored)
{
    return itemIndex < 0 ? stored : static_cast<uint8_t>(itemIndex & 0xFF);
}

int DecodeRadio(uint8_t v)
{
    return v != 0 ? 1 : 0;
}

uint8_t EncodeRadio(int itemIndex)
{
    return static_cast<uint8_t>(itemIndex & 0xFF);
}

int DecodeInvertedRadio(uint8_t v)
{
    return v != 0 ? 0 : 1;
}

uint8_t EncodeInvertedRadio(int itemIndex)
{
    return itemIndex == 0 ? 1 : 0;
}

bool DecodeCheck(uint8_t v)
{
    return v == 1;
}

uint8_t EncodeCheck(bool ticked)
{
    return ticked ? 1 : 0;
}

QString DecodeNumber(uint8_t v)
{
    return QString::number(v);
}

uint8_t EncodeNumber(const QString& text)
{
    return static_cast<uint8_t>(text.trimmed().toInt() & 0xFF);
}

int DecodeSpeed(uint8_t v, int itemCount)
{
    if (v < 2 || v >= itemCount + 2)
        return kNoSelection;
    return v - 2;
}

uint8_t EncodeSpeed(int itemIndex, const QString& selectedText, uint8_t stored)
{
    if (itemIndex < 0)
        return stored;
    return static_cast<uint8_t>(selectedText.trimmed().toInt() & 0xFF);
}

int DecodeHeatValue(uint8_t lo, uint8_t hi)
{
    return hi != 0 ? int(lo) - 256 : int(lo);
}

void EncodeHeatValue(int value, uint8_t& lo, uint8_t& hi)
{
    if (value < 0) {
        lo = static_cast<uint8_t>((value + 256) & 0xFF);
        hi = 255;
    } else {
        lo = static_cast<uint8_t>(value & 0xFF);
        hi = 0;
    }
}

QStringList HeatItems()
{
    QStringList items;
    for (int v = -50; v <= 50; v += 5)
        items.append(QString::number(v));
    return items;
}

int DecodeHeat(uint8_t lo, uint8_t hi, const QStringList& items)
{
    const QString text = QString::number(DecodeHeatValue(lo, hi));
    for (int i = 0; i < items.size(); ++i)
        if (items.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return kNoSelection;
}

void EncodeHeat(int itemIndex, const QString& selectedText, uint8_t& lo, uint8_t& hi)
{
    if (itemIndex < 0)
        return;
    EncodeHeatValue(selectedText.trimmed().toInt(), lo, hi);
}

QString DecodeLengthMm(uint8_t lo, uint8_t hi)
{
    return QString::number((int(lo) + 256 * int(hi)) / 8);
}

void EncodeLengthMm(const QString& text, uint8_t& lo, uint8_t& hi)
{
    const int dots = (text.trimmed().toInt() * 8) & 0xFFFF;
    lo = static_cast<uint8_t>(dots % 256);
    hi = static_cast<uint8_t>(dots / 256);
}

QString DecodeFixedText(const uint8_t* field, int width)
{
    QString text;
    for (int i = 0; i < width && field[i] > 32; ++i)
        text.append(QChar(field[i]));
    return text;
}

void EncodeFixedText(const QString& text, uint8_t* field, int width)
{
    const QString t = text.trimmed();
    for (int i = 0; i < width; ++i)
        field[i] = i < t.size() ? static_cast<uint8_t>(t.at(i).unicode() & 0xFF) : 0;
}

int DecodeCodePage(uint8_t v, const QComboBox* combo)
{
    if (!combo)
        return kNoSelection;
    const QString number = QString::number(v);
    bool known = false;
    for (int i = 0; i < ValueData::CodePageNoPairCount(); ++i)
        if (QString::fromUtf16(ValueData::CodePageNoPair(i).No) == number)
            known = true;
    if (!known)
        return kNoSelection;
    QString name;
    MapCodePageNo(QString(), number, name, combo);
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemText(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return kNoSelection;
}

uint8_t EncodeCodePage(int itemIndex, const QString& selectedText, uint8_t stored)
{
    if (itemIndex < 0)
        return stored;
    QString number;
    MapCodePageNo(selectedText, QString(), number);
    return static_cast<uint8_t>(number.toInt() & 0xFF);
}

QStringList IntlCharsetItems()
{
    QStringList items;
    for (int i = 0; i < ValueData::CountryCharsetCount(); ++i)
        items.append(ShownValueName(QString::fromUtf16(ValueData::CountryCharset(i).Country)));
    return items;
}

QStringList NumberItems(int first, int last)
{
    QStringList items;
    for (int i = first; i <= last; ++i)
        items.append(QString::number(i));
    return items;
}

QStringList BaudRateItems()
{
    return {QStringLiteral("9600"), QStringLiteral("19200"), QStringLiteral("38400"), QStringLiteral("57600"),
            QStringLiteral("115200")};
}

QStringList ParityItems()
{
    return {QStringLiteral("NONE"), QStringLiteral("ODD"), QStringLiteral("EVEN")};
}

QStringList StopBitsItems()
{
    return {QStringLiteral("1"), QStringLiteral("2")};
}

bool KeyPasses(TKeyFilter filter, QChar c)
{
    const char16_t u = c.unicode();
    switch (filter) {
    case TKeyFilter::None:
        return true;
    case TKeyFilter::Number:
    case TKeyFilter::BTPassword:
        return u >= u'0' && u <= u'9';
    case TKeyFilter::BTName:
        return u >= 33 && u <= 126;
    case TKeyFilter::SignedNumber:
        return (u >= u'0' && u <= u'9') || u == u'-';
    case TKeyFilter::Decimal:
        return (u >= u'0' && u <= u'9') || u == u'.';
    }
    return false;
}

bool TextPasses(TKeyFilter filter, const QString& text)
{
    for (QChar c : text)
        if (!KeyPasses(filter, c))
            return false;
    return filter != TKeyFilter::Decimal || text.count(QLatin1Char('.')) <= 1;
}

QString CheckValueText(const QString& text, const std::optional<TValueRange>& range)
{
    // Empty first becomes "0", which then takes the range like any typed value.
    const QString t = text.trimmed().isEmpty() ? QStringLiteral("0") : text;
    if (!range)
        return t;
    bool ok = false;
    const qlonglong v = t.trimmed().toLongLong(&ok);
    if (!ok) {
        // Only digits reach here; a number too long for 64 bits is above any maximum.
        return QString::number(range->Max);
    }
    if (v > range->Max)
        return QString::number(range->Max);
    if (v < range->Min)
        return QString::number(range->Min);
    return t;
}

bool IsOctetText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return true;
    if (!TextPasses(TKeyFilter::Number, t))
        return false;
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    return ok && v >= 0 && v <= 255;
}

bool ModelInList(const QString& model, const QString& list)
{
    return list.contains(QLatin1Char(',') + model + QLatin1Char(','));
}

bool ModelCommaInList(const QString& model, const QString& list)
{
    if (model.isEmpty())
        return false;
    return list.contains(model + QLatin1Char(','));
}

QString FieldName(const QString& caption)
{
    // A label reads "IP address:" (or "IP地址：") beside its edit; inside a sentence the
    // name goes without the label's colon and without an accelerator mark.
    QString name = caption;
    name.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    qsizetype end = name.size();
    while (end > 0) {
        const QChar c = name.at(end - 1);
        if (c.isSpace() || c == QLatin1Char(':') || c == QChar(0xFF1A))
            --end;
        else
            break;
    }
    name.truncate(end);
    return name.trimmed();
}

QString RangeMessage(const QString& templ, const QString& caption, int min, int max)
{
    QString s = ReplaceFirst(templ, QStringLiteral("{0}"), FieldName(caption));
    s = ReplaceFirst(s, QStringLiteral("{1}"), QString::number(min));
    return ReplaceFirst(s, QStringLiteral("{2}"), QString::number(max));
}

} // namespace paraset
