#include "mdlDLImage.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace prt::dl {

namespace {

void Put32(QByteArray& b, int at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void Put16(QByteArray& b, int at, uint16_t v)
{
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}

uint32_t Get32(const QByteArray& b, qsizetype at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<uint8_t>(b.at(at + i));
    return v;
}

uint16_t Get16(const QByteArray& b, qsizetype at)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(b.at(at)) | (static_cast<uint8_t>(b.at(at + 1)) << 8));
}

// Mask of the image bits in a row's last byte.
uint8_t LastByteMask(int width)
{
    const int rest = width % 8;
    return rest == 0 ? 0xFF : static_cast<uint8_t>(0xFF << (8 - rest));
}

} // namespace

int BMPHeaderbyte(uint32_t imageSize, int32_t width, int32_t height, uint32_t dataOffset, QByteArray& header)
{
    if (header.size() < 62)
        header.resize(62);
    header.fill('\0');
    header[0] = 'B';
    header[1] = 'M';
    Put32(header, 2, imageSize + dataOffset);
    Put32(header, 10, dataOffset);
    Put32(header, 14, 40);
    Put32(header, 18, static_cast<uint32_t>(width));
    Put32(header, 22, static_cast<uint32_t>(height));
    Put16(header, 26, 1);
    Put16(header, 28, 1);
    Put32(header, 34, imageSize);
    Put32(header, 54, 0x00000000u);
    Put32(header, 58, 0x00FFFFFFu);
    return 0;
}

bool DecodeMonoBitmap(const QByteArray& file, TMonoBitmap& out)
{
    out = TMonoBitmap{};
    if (file.size() < 62 || file.at(0) != 'B' || file.at(1) != 'M')
        return false;
    const uint32_t offset = Get32(file, 10);
    const uint32_t infoSize = Get32(file, 14);
    const auto width = static_cast<int32_t>(Get32(file, 18));
    const auto rawHeight = static_cast<int32_t>(Get32(file, 22));
    if (infoSize < 40 || Get16(file, 28) != 1 || Get32(file, 30) != 0)
        return false;
    if (width <= 0 || rawHeight == 0 || width > 1 << 20 || rawHeight == INT32_MIN)
        return false;
    const bool bottomUp = rawHeight > 0;
    const int height = bottomUp ? rawHeight : -rawHeight;
    if (height > 1 << 22)
        return false;
    const qsizetype stride = ((static_cast<qsizetype>(width) + 31) / 32) * 4;
    const int rowBytes = (width + 7) / 8;
    if (offset < 14 + infoSize || qsizetype(offset) + stride * height > file.size())
        return false;
    // palette: entry 0 and 1 after the information header
    bool invert = false;
    const qsizetype pal = 14 + infoSize;
    if (pal + 8 <= qsizetype(offset)) {
        auto bright = [&](qsizetype at) {
            return static_cast<uint8_t>(file.at(at)) + static_cast<uint8_t>(file.at(at + 1)) +
                   static_cast<uint8_t>(file.at(at + 2));
        };
        invert = bright(pal) > bright(pal + 4);
    }
    out.width = width;
    out.height = height;
    out.rowBytes = rowBytes;
    if (!invert) {
        // the rows stay in the file's bytes
        out.data = file;
        out.first = bottomUp ? offset + stride * (height - 1) : offset;
        out.step = bottomUp ? -stride : stride;
        return true;
    }
    QByteArray rows(static_cast<qsizetype>(rowBytes) * height, Qt::Uninitialized);
    for (int y = 0; y < height; ++y) {
        const int srcRow = bottomUp ? height - 1 - y : y;
        const char* src = file.constData() + offset + stride * srcRow;
        char* dst = rows.data() + static_cast<qsizetype>(rowBytes) * y;
        for (int i = 0; i < rowBytes; ++i)
            dst[i] = static_cast<char>(~static_cast<uint8_t>(src[i]));
    }
    out = TMonoBitmap::FromRows(width, height, rows);
    return true;
}

TMonoBitmap TMonoBitmap::FromRows(int width, int height, const QByteArray& rows)
{
    TMonoBitmap b;
    b.width = width;
    b.height = height;
    b.rowBytes = (width + 7) / 8;
    b.data = rows;
    b.first = 0;
    b.step = b.rowBytes;
    return b;
}

bool LoadMonoBitmap(const QString& path, TMonoBitmap& out)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        out = TMonoBitmap{};
        return false;
    }
    return DecodeMonoBitmap(f.readAll(), out);
}

QByteArray InvertedRow(const TMonoBitmap& bmp, int y)
{
    QByteArray row(reinterpret_cast<const char*>(bmp.Row(y)), bmp.rowBytes);
    for (char& c : row)
        c = static_cast<char>(~static_cast<uint8_t>(c));
    if (!row.isEmpty())
        row[row.size() - 1] = static_cast<char>(static_cast<uint8_t>(row.back()) & LastByteMask(bmp.width));
    return row;
}

QByteArray BuildPacketImagePayload(const TMonoBitmap& bmp)
{
    if (bmp.isNull() || bmp.height > kMaxPacketImageHeight || bmp.rowBytes > 0xFFFF)
        return QByteArray();
    const int r = bmp.rowBytes;
    const int bands = (bmp.height + 7) / 8;
    const qsizetype size = 4 + static_cast<qsizetype>(8) * bands * r;
    QByteArray out(size, Qt::Uninitialized);
    Put16(out, 0, static_cast<uint16_t>(r));
    Put16(out, 2, static_cast<uint16_t>(bands));
    const uint8_t mask = LastByteMask(bmp.width);
    auto* dst = reinterpret_cast<uint8_t*>(out.data()) + 4;
    for (int y = 0; y < bmp.height; ++y) {
        const uint8_t* src = bmp.Row(y);
        for (int i = 0; i < r; ++i)
            dst[i] = static_cast<uint8_t>(~src[i]);
        dst[r - 1] &= mask;
        dst += r;
    }
    std::memset(dst, 0, static_cast<size_t>(reinterpret_cast<uint8_t*>(out.data()) + size - dst));
    return out;
}

QByteArray BuildZplGraphic(const TMonoBitmap& bmp, const QString& name)
{
    const qint64 total = static_cast<qint64>(bmp.rowBytes) * bmp.height;
    QByteArray out = "~DGE:" + name.toLatin1() + "," + QByteArray::number(total) + "," +
                     QByteArray::number(bmp.rowBytes) + ",";
    out.reserve(out.size() + total * 2);
    for (int y = 0; y < bmp.height; ++y)
        out += InvertedRow(bmp, y).toHex().toUpper();
    return out;
}

TDplControl DplControlFromReply(const QString& reply, const TDplControl& current)
{
    if (reply == QLatin1String("standard"))
        return {0x02, 0x0D, 0x01};
    if (reply == QLatin1String("alternate"))
        return {0x7E, 0x0D, 0x5E};
    if (reply == QLatin1String("alternate-2"))
        return {0x7E, 0x7C, 0x5E};
    return current;
}

QByteArray BuildDplImage(const QByteArray& bmpFile, const QString& name, const TDplControl& ctl)
{
    QByteArray out;
    out += static_cast<char>(ctl.soh);
    out += 'D';
    out += static_cast<char>(ctl.stx);
    out += "IEB";
    out += name.toLatin1();
    out += static_cast<char>(ctl.eol);
    out += bmpFile;
    return out;
}

QByteArray BuildTsplBmp(const TMonoBitmap& bmp, const QString& name)
{
    const uint32_t size = static_cast<uint32_t>(bmp.rowBytes) * static_cast<uint32_t>(bmp.height);
    QByteArray out = "DOWNLOAD E,\"" + name.toLatin1() + "\"," + QByteArray::number(size + 62) + ",";
    QByteArray header;
    BMPHeaderbyte(size, bmp.width, bmp.height, 62, header);
    out += header;
    const uint8_t pad = static_cast<uint8_t>(~LastByteMask(bmp.width));
    for (int y = 0; y < bmp.height; ++y) {
        QByteArray row(reinterpret_cast<const char*>(bmp.Row(y)), bmp.rowBytes);
        if (!row.isEmpty())
            row[row.size() - 1] = static_cast<char>(static_cast<uint8_t>(row.back()) | pad);
        out += row;
    }
    return out;
}

int DpiOfReply(const QString& dpiReply)
{
    bool ok = false;
    const int v = dpiReply.trimmed().toInt(&ok);
    return ok ? v : 203;
}

int WidthLimitForDpi(const QString& dpiReply)
{
    return DpiOfReply(dpiReply) == 300 ? 1248 : 864;
}

TPictureCheck CheckPictureForDownload(const QString& path, double scale, int widthLimit)
{
    QImageReader::setAllocationLimit(kPictureDecodeLimitMb);
    const TPictureSource source = InspectPicture(path, scale);
    TPictureCheck c;
    c.widthLimit = std::min(widthLimit, kMonoBmpMaxSide);
    c.width = source.width;
    c.height = source.height;
    c.scaledWidth = source.scaledWidth;
    c.scaledHeight = source.scaledHeight;
    const bool sized = source.width > 0 && source.height > 0;
    c.verdict = sized && source.scaledWidth > c.widthLimit ? TPictureVerdict::TooWide : source.verdict;
    return c;
}

} // namespace prt::dl
