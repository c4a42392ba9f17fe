#include "mdlPictureHead.h"

#include "PrtTexts.h"
#include "mdlGlobalVar.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSize>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Bounded readers: false when the bytes end before the value.
class TBytes {
public:
    explicit TBytes(const QByteArray& b) : p_(reinterpret_cast<const uint8_t*>(b.constData())), n_(b.size()) {}
    qsizetype size() const { return n_; }
    bool Has(qsizetype at, qsizetype count) const { return at >= 0 && count >= 0 && at <= n_ && count <= n_ - at; }
    bool U8(qsizetype at, uint32_t& v) const
    {
        if (!Has(at, 1))
            return false;
        v = p_[at];
        return true;
    }
    bool LE16(qsizetype at, uint32_t& v) const
    {
        if (!Has(at, 2))
            return false;
        v = uint32_t(p_[at]) | uint32_t(p_[at + 1]) << 8;
        return true;
    }
    bool BE16(qsizetype at, uint32_t& v) const
    {
        if (!Has(at, 2))
            return false;
        v = uint32_t(p_[at]) << 8 | uint32_t(p_[at + 1]);
        return true;
    }
    bool LE32(qsizetype at, uint32_t& v) const
    {
        if (!Has(at, 4))
            return false;
        v = uint32_t(p_[at]) | uint32_t(p_[at + 1]) << 8 | uint32_t(p_[at + 2]) << 16 | uint32_t(p_[at + 3]) << 24;
        return true;
    }
    bool BE32(qsizetype at, uint32_t& v) const
    {
        if (!Has(at, 4))
            return false;
        v = uint32_t(p_[at]) << 24 | uint32_t(p_[at + 1]) << 16 | uint32_t(p_[at + 2]) << 8 | uint32_t(p_[at + 3]);
        return true;
    }
    bool Equals(qsizetype at, const char* text, qsizetype count) const
    {
        return Has(at, count) && std::memcmp(p_ + at, text, size_t(count)) == 0;
    }

private:
    const uint8_t* p_;
    qsizetype n_;
};

// BMP: file header of 14 bytes, then the information header: its size (u32), then for
// the sizes 40, 64, 108 and 124 an int32 width and height; the toolkit's reader takes
// every other size as the 12-byte header of old, with an int16 width and height. A
// negative height is a picture stored top-down.
void ReadBmpHead(const TBytes& b, TPictureHead& h)
{
    uint32_t infoSize = 0;
    if (!b.LE32(14, infoSize))
        return;
    uint32_t w = 0, ht = 0;
    if (infoSize == 40 || infoSize == 64 || infoSize == 108 || infoSize == 124) {
        if (!b.LE32(18, w) || !b.LE32(22, ht))
            return;
        h.width = int32_t(w);
        h.height = std::llabs(qint64(int32_t(ht)));
    } else {
        if (!b.LE16(18, w) || !b.LE16(20, ht))
            return;
        h.width = int16_t(uint16_t(w));
        h.height = std::llabs(int16_t(uint16_t(ht)));
    }
    h.sized = true;
}

// PNG: the signature, then the first chunk must be IHDR (13 bytes): u32 BE width and
// height first.
void ReadPngHead(const TBytes& b, TPictureHead& h)
{
    uint32_t length = 0, w = 0, ht = 0;
    if (!b.BE32(8, length) || length != 13 || !b.Equals(12, "IHDR", 4) || !b.BE32(16, w) || !b.BE32(20, ht))
        return;
    h.width = w;
    h.height = ht;
    h.sized = true;
}

// GIF: the logical screen (u16 LE width, height, flags, background, aspect), the global
// colour table when flagged, then blocks up to the first image descriptor. The decoder
// keeps the screen's width and height unless one is 0; a 0 becomes the first frame's
// offset plus its size.
void ReadGifHead(const TBytes& b, TPictureHead& h)
{
    uint32_t sw = 0, sh = 0, flags = 0;
    if (!b.LE16(6, sw) || !b.LE16(8, sh) || !b.U8(10, flags))
        return;
    qsizetype at = 13;
    if (flags & 0x80)
        at += 3 * (qsizetype(2) << (flags & 7));
    // sub-blocks (a length byte, then that many bytes) up to a 0 length; false when cut
    auto skipSubBlocks = [&]() {
        for (;;) {
            uint32_t n = 0;
            if (!b.U8(at, n))
                return false;
            ++at;
            if (n == 0)
                return true;
            at += n;
        }
    };
    for (;;) {
        uint32_t introducer = 0;
        if (!b.U8(at, introducer))
            return;
        ++at;
        if (introducer == 0x2C) {  // image descriptor
            uint32_t left = 0, top = 0, fw = 0, fh = 0;
            if (!b.LE16(at, left) || !b.LE16(at + 2, top) || !b.LE16(at + 4, fw) || !b.LE16(at + 6, fh))
                return;
            h.width = sw > 0 ? qint64(sw) : qint64(left) + fw;
            h.height = sh > 0 ? qint64(sh) : qint64(top) + fh;
            h.sized = true;
            return;
        }
        if (introducer != 0x21)  // the trailer or anything else: no frame
            return;
        uint32_t label = 0;
        if (!b.U8(at, label))
            return;
        ++at;
        if (label == 0xF9 || label == 0xFF) {
            // the decoder takes the first block whole, even one of length 0
            uint32_t n = 0;
            if (!b.U8(at, n))
                return;
            at += 1 + n;
        }
        if (!skipSubBlocks())
            return;
    }
}

// JPEG: SOI, then markers as the decoder walks them (bytes before a marker and fill
// bytes skipped, FF 00 is no marker) up to the first start-of-frame: its u16 BE height
// and width after the length and the precision.
void ReadJpegHead(const TBytes& b, TPictureHead& h)
{
    qsizetype at = 2;
    for (;;) {
        uint32_t c = 0;
        // next marker
        for (;;) {
            do {
                if (!b.U8(at++, c))
                    return;
            } while (c != 0xFF);
            do {
                if (!b.U8(at++, c))
                    return;
            } while (c == 0xFF);
            if (c != 0)
                break;
        }
        const bool sof = c >= 0xC0 && c <= 0xCF && c != 0xC4 && c != 0xC8 && c != 0xCC;
        if (sof) {
            uint32_t ht = 0, w = 0;
            if (!b.BE16(at + 3, ht) || !b.BE16(at + 5, w))
                return;
            h.width = w;
            h.height = ht;
            h.sized = true;
            return;
        }
        if (c == 0xD8 || c == 0xD9 || c == 0xDA)  // a second SOI, EOI or a scan before any frame
            return;
        if ((c >= 0xD0 && c <= 0xD7) || c == 0x01)  // restart markers and TEM: no length
            continue;
        uint32_t length = 0;
        if (!b.BE16(at, length))
            return;
        at += length < 2 ? 2 : length;
    }
}

int BitsOf(QImage::Format format)
{
    if (format <= QImage::Format_Invalid || format >= QImage::NImageFormats)
        return 32;
    return std::max(32, int(QImage::toPixelFormat(format).bitsPerPixel()));
}

int HeldInt(double v)
{
    return v > 2e9 ? 2000000000 : v < -2e9 ? -2000000000 : int(v);
}

bool HasPictureExtension(const QString& path)
{
    const QFileInfo info(path);
    if (!info.fileName().contains(QLatin1Char('.')))
        return false;
    const QString suffix = info.suffix().toLower();
    return suffix == QLatin1String("bmp") || suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")
           || suffix == QLatin1String("png") || suffix == QLatin1String("gif");
}

// Bytes of the file's head that are read: enough for the JPEG segments and GIF
// extensions before the size in every ordinary file.
constexpr qint64 kHeadReadBytes = 4 * 1024 * 1024;

} // namespace

TPictureHead ReadPictureHead(const QByteArray& bytes, const QByteArray& readerFormat)
{
    const TBytes b(bytes);
    TPictureHead h;
    if (b.Equals(0, "BM", 2)) {
        h.format = "bmp";
        ReadBmpHead(b, h);
    } else if (b.Equals(0, "\x89PNG\r\n\x1A\n", 8)) {
        h.format = "png";
        ReadPngHead(b, h);
    } else if (b.Equals(0, "GIF87a", 6) || b.Equals(0, "GIF89a", 6)) {
        h.format = "gif";
        ReadGifHead(b, h);
    } else if (b.Equals(0, "\xFF\xD8", 2)) {
        h.format = "jpeg";
        ReadJpegHead(b, h);
    } else if (readerFormat == "gif") {
        h.format = "gif";
        ReadGifHead(b, h);
    }
    return h;
}

TPictureVerdict PictureSizeVerdict(const QByteArray& format, qint64 width, qint64 height, int decodedBits,
                                   double scale, int& scaledWidth, int& scaledHeight)
{
    scaledWidth = scaledHeight = 0;
    if (width <= 0 || height <= 0)
        return TPictureVerdict::Unreadable;
    const double sw = std::nearbyint(double(width) * scale);
    const double sh = std::nearbyint(double(height) * scale);
    scaledWidth = HeldInt(sw);
    scaledHeight = HeldInt(sh);
    if (sw > kMonoBmpMaxSide)
        return TPictureVerdict::TooWide;
    // the readers' own limits
    const bool readerRefuses = (format == "png" && (width > 1000000 || height > 1000000))
                               || (format == "jpeg" && (width > 65500 || height > 65500))
                               || (format == "bmp" && width * height > qint64(16384) * 16384)
                               || width > 0xFFFFFFFFLL || height > 0xFFFFFFFFLL;
    // bytes of the decoded picture as the toolkit counts them (rows padded to 4 bytes);
    // width and height are at most 2^32 - 1 here, so nothing overflows
    const qint64 limit = qint64(kPictureDecodeLimitMb) * 1024 * 1024;
    const qint64 rowBytes = ((width * std::max(32, decodedBits) + 31) / 32) * 4;
    if (readerRefuses || rowBytes > limit || rowBytes * height > limit)
        return TPictureVerdict::TooLarge;
    if (sh > kMonoBmpMaxSide)
        return TPictureVerdict::TooTall;
    if (!(sw >= 1.0) || !(sh >= 1.0))
        return TPictureVerdict::TooSmall;
    return TPictureVerdict::Ok;
}

TPictureSource InspectPicture(const QString& path, double scale)
{
    TPictureSource s;
    if (!HasPictureExtension(path)) {
        s.verdict = TPictureVerdict::NotPicture;
        return s;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        s.verdict = TPictureVerdict::Unreadable;
        return s;
    }
    const QByteArray bytes = file.read(kHeadReadBytes);
    file.close();
    QImageReader reader(path);  // as the conversion reads it
    reader.setAutoTransform(false);
    TPictureHead head = ReadPictureHead(bytes);
    if (head.format.isEmpty() && reader.canRead())
        head = ReadPictureHead(bytes, reader.format());
    qint64 width = 0, height = 0;
    if (!head.format.isEmpty()) {
        s.format = head.format;
        if (!head.sized) {
            s.verdict = TPictureVerdict::Unreadable;
            return s;
        }
        width = head.width;
        height = head.height;
    } else {
        if (!reader.canRead()) {
            s.verdict = TPictureVerdict::NotPicture;
            return s;
        }
        s.format = reader.format();
        const QSize size = reader.size();
        width = size.width();
        height = size.height();
    }
    s.width = int(std::min<qint64>(std::max<qint64>(width, 0), INT32_MAX));
    s.height = int(std::min<qint64>(std::max<qint64>(height, 0), INT32_MAX));
    s.verdict = PictureSizeVerdict(s.format, width, height, 32, scale, s.scaledWidth, s.scaledHeight);
    if (s.verdict != TPictureVerdict::Ok)
        return s;
    // the size is fine: now the reader must take the head (it tells the decoded format)
    const int bits = BitsOf(reader.imageFormat());
    if (bits > 32)
        s.verdict = PictureSizeVerdict(s.format, width, height, bits, scale, s.scaledWidth, s.scaledHeight);
    if (s.verdict == TPictureVerdict::Ok) {
        const QSize told = reader.size();  // a top-down BMP's height comes negative
        if (told.width() <= 0 || told.height() == 0)
            s.verdict = TPictureVerdict::Unreadable;
    }
    return s;
}

QString PictureSizeRefusalText(TPictureVerdict verdict, int width, int height, int scaledHeight)
{
    switch (verdict) {
    case TPictureVerdict::TooLarge:
        return ReplaceFirst(ReplaceFirst(prt::LangText(QStringLiteral("_E_IC_TooLarge")), QStringLiteral("{0}"),
                                         QString::number(width)),
                            QStringLiteral("{1}"), QString::number(height));
    case TPictureVerdict::TooTall:
        return ReplaceFirst(ReplaceFirst(prt::LangText(QStringLiteral("_E_IC_TooTall")), QStringLiteral("{0}"),
                                         QString::number(scaledHeight)),
                            QStringLiteral("{1}"), QString::number(kMonoBmpMaxSide));
    default:
        return QString();
    }
}
