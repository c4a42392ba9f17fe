#include "mdlParaBlockCodecsBCDE.h"

#include "mdlParaSetCodecs.h"

#include <algorithm>

namespace {

// num / den to the nearest integer, halves to even (num >= 0, den > 0).
uint64_t RoundHalfEven(uint64_t num, uint64_t den)
{
    const uint64_t q = num / den;
    const uint64_t r = num % den;
    if (2 * r > den || (2 * r == den && (q & 1)))
        return q + 1;
    return q;
}

} // namespace

// ---- voltage ----------------------------------------------------------------------------

QString VoltageRawToText(uint16_t raw)
{
    const uint64_t tenths = RoundHalfEven(uint64_t(raw) * 33, 4096);
    QString s = QString::number(tenths / 10);
    if (tenths % 10)
        s += QLatin1Char('.') + QString::number(tenths % 10);
    return s;
}

QString FilterVoltageText(const QString& text)
{
    QString out;
    bool dot = false;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            out.append(c);
        else if (c == QLatin1Char('.') && !dot) {
            out.append(c);
            dot = true;
        }
    }
    return out;
}

// A cleaned voltage text as n / 10^k; false when the whole part has more than three digits.
static bool ParseVoltage(const QString& text, uint64_t& n, int& k)
{
    const QString t = FilterVoltageText(text);
    const int dotAt = t.indexOf(QLatin1Char('.'));
    QString whole = dotAt < 0 ? t : t.left(dotAt);
    QString frac = dotAt < 0 ? QString() : t.mid(dotAt + 1);
    // Leading zeros carry nothing; more than six decimals change nothing that 12 bits show.
    while (whole.size() > 1 && whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
    frac.truncate(6);
    if (whole.size() > 3)
        return false;
    n = 0;
    for (const QChar c : whole + frac)
        n = n * 10 + uint64_t(c.unicode() - '0');
    k = static_cast<int>(frac.size());
    return true;
}

static uint64_t Pow10(int k)
{
    uint64_t p = 1;
    while (k-- > 0)
        p *= 10;
    return p;
}

uint16_t VoltageTextToRaw(const QString& text)
{
    uint64_t n = 0;
    int k = 0;
    if (!ParseVoltage(text, n, k))
        return 0xFFFF;
    // volts × 4096 / 3.3 = n / 10^k × 40960 / 33
    const uint64_t raw = RoundHalfEven(n * 40960, 33 * Pow10(k));
    return static_cast<uint16_t>(std::min<uint64_t>(raw, 0xFFFF));
}

QString ClampVoltageText(const QString& text)
{
    const QString t = FilterVoltageText(text);
    if (t.isEmpty() || t == QLatin1String("."))
        return QStringLiteral("0");
    uint64_t n = 0;
    int k = 0;
    // above 3.3: n / 10^k > 33 / 10
    if (!ParseVoltage(t, n, k) || n * 10 > 33 * Pow10(k))
        return QStringLiteral("3.3");
    return t;
}

QString ReadVoltage(const TParamBlock& block)
{
    return VoltageRawToText(static_cast<uint16_t>(block[62] + 256 * block[63]));
}

void WriteVoltage(TParamBlock& block, const QString& text)
{
    const uint16_t raw = VoltageTextToRaw(text);
    block[62] = static_cast<uint8_t>(raw & 0xFF);
    block[63] = static_cast<uint8_t>(raw >> 8);
}

// ---- paper kind and judge paper ----------------------------------------------------------------

int PaperKindOfJudgeItemC(int itemIndex)
{
    static const int kinds[] = {0, 1, 0, 2};
    return itemIndex >= 0 && itemIndex < 4 ? kinds[itemIndex] : -1;
}

int PaperKindOfJudgeItemD(int itemIndex)
{
    static const int kinds[] = {1, 0, 2};
    return itemIndex >= 0 && itemIndex < 3 ? kinds[itemIndex] : -1;
}

void WritePaperKindC(TParamBlock& block, int itemIndex)
{
    const int kind = PaperKindOfJudgeItemC(itemIndex);
    if (kind >= 0)
        block[58] = static_cast<uint8_t>(kind);
}

void WritePaperKindD(TParamBlock& block, int itemIndex)
{
    const int kind = PaperKindOfJudgeItemD(itemIndex);
    if (kind >= 0)
        block[58] = static_cast<uint8_t>(kind);
}

int JudgeItemFromByteD(uint8_t v, int itemCount)
{
    if (v < itemCount + 1)
        return int(v) - 1;
    return 0;
}

uint8_t JudgeByteFromItemD(int itemIndex)
{
    return static_cast<uint8_t>(std::max(itemIndex, -1) + 1);
}

// ---- speed by text -------------------------------------------------------------------------

int SpeedItemByText(const QStringList& items, uint8_t v)
{
    return static_cast<int>(items.indexOf(QString::number(v)));
}

uint8_t SpeedByteFromText(const QString& selectedText, uint8_t previous)
{
    bool ok = false;
    const int v = selectedText.trimmed().toInt(&ok);
    return ok ? static_cast<uint8_t>(v & 0xFF) : previous;
}

// ---- layout E name and password ------------------------------------------------------------

QString ReadNameE(const TParamBlock& block)
{
    return paraset::DecodeFixedText(block.data() + 10, 10);
}

QString ReadPasswordE(const TParamBlock& block)
{
    return paraset::DecodeFixedText(block.data() + 20, 4);
}

void WriteNamePasswordE(TParamBlock& block, const QString& name, const QString& password)
{
    paraset::EncodeFixedText(name, block.data() + 10, 16);
    paraset::EncodeFixedText(password, block.data() + 20, 4);
}
