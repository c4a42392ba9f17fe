#include "mdlInfoReplies.h"

#include <cmath>
#include <cstdint>

namespace {

bool WholeNumber(const QString& reply, long long& v)
{
    bool ok = false;
    v = reply.trimmed().toLongLong(&ok);
    return ok;
}

double Round(double v, int decimals)
{
    const double f = std::pow(10.0, decimals);
    return std::round(v * f) / f;
}

// byte 18 bits 0-7, then byte 17 bits 0-5
const char* const kStatusKeys[] = {
    "FormPrinterStatus_HeadTooHot",       "FormPrinterStatus_StandBy",
    "FormPrinterStatus_Printing",         "FormPrinterStatus_TOF_Error",
    "FormPrinterStatus_LabelEnd",         "FormPrinterStatus_RibbonEnd",
    "FormPrinterStatus_LabelSeizing",     "FormPrinterStatus_LabelJumpping",
    "FormPrinterStatus_LabelCalibrating", "FormPrinterStatus_CutterError",
    "FormPrinterStatus_FormError",        "FormPrinterStatus_MemoryWriteError",
    "FormPrinterStatus_IllegalCommand",   "FormPrinterStatus_CoverOpen"};

} // namespace

QString FormatInfoNumber(double value)
{
    return QString::number(value, 'g', 15);
}

QString MileageTextMm(const QString& reply, bool& ok)
{
    long long v = 0;
    ok = WholeNumber(reply, v);
    return ok ? FormatInfoNumber(Round(double(v) / 1000.0, 3)) + QLatin1Char('m') : QString();
}

QString MileageTextInch(const QString& reply, bool& ok)
{
    long long v = 0;
    ok = WholeNumber(reply, v);
    return ok ? FormatInfoNumber(Round(double(v) * 2.54 / 100.0, 2)) + QLatin1Char('m') : QString();
}

QString HeatNumberText(int number, bool& ok)
{
    ok = number >= 0;  // -1: no reply
    return ok ? FormatInfoNumber(Round(double(number) / 1000.0, 3)) + QLatin1Char('m') : QString();
}

QString JourneyText(const QByteArray& b, bool millimetres, bool& ok)
{
    ok = b.size() >= 4;
    if (!ok)
        return QString();
    const double v = double((uint32_t(uint8_t(b[0])) << 24) | (uint32_t(uint8_t(b[1])) << 16)
                            | (uint32_t(uint8_t(b[2])) << 8) | uint32_t(uint8_t(b[3])));
    const double shown = millimetres ? v / 1000.0 : v / 10.0 * 3.0 / 100.0;
    return FormatInfoNumber(shown) + QStringLiteral(" (m)");
}

QString FirmwareVersionText(const QByteArray& b, bool& ok)
{
    ok = b.size() == 3 || b.size() == 4;
    if (!ok)
        return QString();
    QString t = QStringLiteral("V %1.%2.%3").arg(uint8_t(b[0])).arg(uint8_t(b[1])).arg(uint8_t(b[2]));
    if (b.size() == 4 && uint8_t(b[3]) != 0)
        t += QStringLiteral(".Beta") + QString::number(uint8_t(b[3]));
    return t;
}

QString ProduceDateText(const QString& reply, bool& ok)
{
    ok = reply.size() == 8;
    return ok ? reply : QString();
}

QString ProduceDateDirectText(const QByteArray& bytes)
{
    QString text;
    for (const char c : bytes.left(8))
        if (c != 0)
            text += QChar(uint8_t(c));
    return text;
}

QStringList PrinterStatusKnownKeys()
{
    QStringList keys;
    for (const char* k : kStatusKeys)
        keys << QLatin1String(k);
    return keys;
}

QStringList PrinterStatusKeys(const QByteArray& block)
{
    QStringList keys;
    if (block.size() < 19)
        return keys;
    const auto b18 = uint8_t(block[18]), b17 = uint8_t(block[17]);
    for (int bit = 0; bit < 8; ++bit)
        if (b18 & (1u << bit))
            keys << QLatin1String(kStatusKeys[bit]);
    for (int bit = 0; bit < 6; ++bit)
        if (b17 & (1u << bit))
            keys << QLatin1String(kStatusKeys[8 + bit]);
    return keys;
}
