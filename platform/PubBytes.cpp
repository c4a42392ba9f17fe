#include "PubBytes.h"

#include <algorithm>

#include "PrtCodePage.h"

#include <array>

namespace {

constexpr std::array<uint32_t, 256> MakeCrcTable()
{
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1u) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
        t[i] = c;
    }
    return t;
}

constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Clips [start, start+count) to [0, size).
void Clip(qsizetype size, qsizetype& start, qsizetype& count)
{
    if (start < 0)
        start = 0;
    if (start > size)
        start = size;
    if (count < 0)
        count = 0;
    if (count > size - start)
        count = size - start;
}

inline void AppendHex(QString& out, uint8_t b)
{
    out.append(QLatin1Char(kHexDigits[b >> 4]));
    out.append(QLatin1Char(kHexDigits[b & 0x0F]));
}

inline int HexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

inline const uint8_t* U8(const QByteArray& b)
{
    return reinterpret_cast<const uint8_t*>(b.constData());
}

// Validates the first `count` pieces; fills `values` with -1 for pieces that are left
// untouched (shorter than two characters).
bool ParsePieces(const QString& text, int count, std::vector<int>& values)
{
    const QStringList pieces = HexStrPieces(text);
    values.clear();
    for (qsizetype i = 0; i < pieces.size() && i < count; ++i) {
        const QString& p = pieces[i];
        if (p.size() != 2) {
            values.push_back(-1);
            continue;
        }
        const int hi = HexValue(p[0]);
        const int lo = HexValue(p[1]);
        if (hi < 0 || lo < 0)
            return false;
        values.push_back(hi * 16 + lo);
    }
    return true;
}

} // namespace

// ---- checksums ------------------------------------------------------------------

uint32_t CalcCRC32(const uint8_t* data, size_t length)
{
    uint32_t reg = 0;
    for (size_t i = 0; i < length; ++i)
        reg = kCrcTable[(data[i] ^ reg) & 0xFFu] ^ (reg >> 8);
    return reg ^ 0xFFFFFFFFu;
}

uint32_t CalcCRC32(const QByteArray& bytes, qsizetype start, qsizetype count)
{
    Clip(bytes.size(), start, count);
    return CalcCRC32(U8(bytes) + start, static_cast<size_t>(count));
}

uint32_t CalcCRC32(const QByteArray& bytes)
{
    return CalcCRC32(U8(bytes), static_cast<size_t>(bytes.size()));
}

uint32_t CalcCRC32(const std::vector<uint8_t>& bytes)
{
    return CalcCRC32(bytes.data(), bytes.size());
}

uint16_t SumBytes16(const uint8_t* data, size_t length)
{
    uint16_t sum = 0;
    for (size_t i = 0; i < length; ++i)
        sum = static_cast<uint16_t>(sum + data[i]);
    return sum;
}

uint16_t SumBytes16(const QByteArray& bytes, qsizetype count)
{
    qsizetype start = 0;
    Clip(bytes.size(), start, count);
    return SumBytes16(U8(bytes), static_cast<size_t>(count));
}

uint16_t SumBytes16(const QByteArray& bytes)
{
    return SumBytes16(U8(bytes), static_cast<size_t>(bytes.size()));
}

uint16_t SumBytes16(const std::vector<uint8_t>& bytes)
{
    return SumBytes16(bytes.data(), bytes.size());
}

// ---- text -> hex / bytes --------------------------------------------------------

void StrToHexText(const QString& text, QString& out)
{
    BytesToHexText(prt::TextToAnsiBytes(text), out);
}

void StrToHexStr(const QString& text, QString& out)
{
    const QByteArray b = prt::TextToAnsiBytes(text);
    BytesToHexStr(b, b.size(), out);
}

bool StrToBytes(const QString& text, QByteArray& buffer)
{
    if (buffer.size() < text.size())
        buffer.resize(text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        buffer[i] = static_cast<char>(text[i].unicode() & 0xFF);
    return !text.isEmpty();
}

bool StrToBytes(const QString& text, std::vector<uint8_t>& buffer)
{
    if (buffer.size() < static_cast<size_t>(text.size()))
        buffer.resize(static_cast<size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i)
        buffer[static_cast<size_t>(i)] = static_cast<uint8_t>(text[i].unicode() & 0xFF);
    return !text.isEmpty();
}

// ---- bytes -> hex / text --------------------------------------------------------

void BytesToHexText(const QByteArray& bytes, QString& out)
{
    BytesHeadToHexText(bytes, bytes.size(), out);
}

QString BytesToHexText(const QByteArray& bytes)
{
    QString out;
    BytesToHexText(bytes, out);
    return out;
}

void BytesHeadToHexText(const QByteArray& bytes, qsizetype count, QString& out)
{
    qsizetype start = 0;
    Clip(bytes.size(), start, count);
    out.reserve(out.size() + count * 3);
    for (qsizetype i = 0; i < count; ++i) {
        AppendHex(out, static_cast<uint8_t>(bytes[i]));
        out.append(QLatin1Char(' '));
    }
}

void BytesToHexStr(const QByteArray& bytes, qsizetype count, QString& out)
{
    qsizetype start = 0;
    Clip(bytes.size(), start, count);
    out.reserve(out.size() + count * 2);
    for (qsizetype i = 0; i < count; ++i)
        AppendHex(out, static_cast<uint8_t>(bytes[i]));
}

void BytesHeadToHexStr(const QByteArray& bytes, qsizetype count, QString& out)
{
    BytesToHexStr(bytes, count, out);
}

QString BytesToHexStr(const QByteArray& bytes)
{
    QString out;
    BytesToHexStr(bytes, bytes.size(), out);
    return out;
}

void BytesToStrUntilSpace(const QByteArray& bytes, QString& out)
{
    for (char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        if (b <= 32)
            break;
        out.append(QChar(char16_t(b)));
    }
}

void BytesRangeToStr(const QByteArray& bytes, qsizetype start, qsizetype count, QString& out)
{
    if (start < 0 || count < 0 || start > bytes.size() || count > bytes.size() - start) {
        out.clear();
        return;
    }
    for (qsizetype i = start; i < start + count; ++i) {
        const auto b = static_cast<uint8_t>(bytes[i]);
        if (b <= 32)
            break;
        out.append(QChar(char16_t(b)));
    }
}

void BytesToCharStr(const QByteArray& bytes, qsizetype start, QString& out, qsizetype count)
{
    out.clear();
    Clip(bytes.size(), start, count);
    for (qsizetype i = start; i < start + count; ++i) {
        const auto b = static_cast<uint8_t>(bytes[i]);
        if (b != 0)
            out.append(QChar(char16_t(b)));
    }
}

void BytesToSpacedHexStr(const QByteArray& bytes, qsizetype from, QString& out, qsizetype to)
{
    out.clear();
    // Clip both ends to the array before taking their difference: extreme values must
    // neither overflow nor reach outside the bytes.
    const qsizetype size = bytes.size();
    from = std::clamp<qsizetype>(from, 0, size);
    to = std::clamp<qsizetype>(to, from, size);
    for (qsizetype i = from; i < to; ++i) {
        out.append(QLatin1Char(' '));
        AppendHex(out, static_cast<uint8_t>(bytes[i]));
    }
}

// ---- hex text -> numbers / bytes ------------------------------------------------

QStringList HexStrPieces(const QString& text)
{
    QString rest = text.trimmed();
    QStringList pieces;
    do {
        if (rest.size() <= 2) {
            pieces.append(rest);
            rest.clear();
        } else {
            pieces.append(rest.left(2));
            rest.remove(0, 3);
        }
    } while (!rest.isEmpty());
    return pieces;
}

int GetHexStrByteCount(const QString& text)
{
    return static_cast<int>(HexStrPieces(text).size());
}

bool HexStrToBytes(const QString& text, int count, int offset, QByteArray& buffer)
{
    if (count < 0 || offset < 0)
        return false;
    std::vector<int> values;
    if (!ParsePieces(text, count, values))
        return false;
    const qsizetype need = static_cast<qsizetype>(offset) + static_cast<qsizetype>(values.size());
    if (buffer.size() < need && !values.empty())
        buffer.resize(need, '\0');
    for (size_t i = 0; i < values.size(); ++i)
        if (values[i] >= 0)
            buffer[offset + static_cast<qsizetype>(i)] = static_cast<char>(values[i]);
    return true;
}

bool HexStrToBytes(const QString& text, int count, int offset, std::vector<uint8_t>& buffer)
{
    if (count < 0 || offset < 0)
        return false;
    std::vector<int> values;
    if (!ParsePieces(text, count, values))
        return false;
    const size_t need = static_cast<size_t>(offset) + values.size();
    if (buffer.size() < need && !values.empty())
        buffer.resize(need, 0);
    for (size_t i = 0; i < values.size(); ++i)
        if (values[i] >= 0)
            buffer[static_cast<size_t>(offset) + i] = static_cast<uint8_t>(values[i]);
    return true;
}

std::optional<QByteArray> HexTextToBytes(const QString& text)
{
    if (text.trimmed().isEmpty())
        return QByteArray();
    const QStringList pieces = HexStrPieces(text);
    QByteArray out;
    out.reserve(pieces.size());
    for (const QString& p : pieces) {
        if (p.size() != 2)
            return std::nullopt;
        const int hi = HexValue(p[0]);
        const int lo = HexValue(p[1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out.append(static_cast<char>(hi * 16 + lo));
    }
    return out;
}

int32_t HexStrToInt(const QString& text)
{
    const QString t = text.trimmed().toUpper();
    uint32_t value = 0;
    for (QChar c : t) {
        int d = HexValue(c);
        if (d < 0)
            d = 0;
        value = value * 16u + static_cast<uint32_t>(d);
    }
    return static_cast<int32_t>(value);
}

// ---- splitting and model lists --------------------------------------------------

QStringList SplitToStringList(const QString& text, const QString& separator)
{
    if (separator.isEmpty())
        return QStringList{text};
    return text.split(separator, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

void SplitIntoStrings(const QString& text, const QString& separator, QStringList& list)
{
    list = SplitToStringList(text, separator);
}

bool IsNameInCommaList(const QString& name, const QString& list)
{
    const QString needle = QLatin1Char(',') + name + QLatin1Char(',');
    return list.contains(needle, Qt::CaseSensitive);
}

bool IsInCommaList(const QString& name, const QString& list)
{
    return IsNameInCommaList(name, list);
}
