// The size a picture file's head states (read without the toolkit's readers) and the
// conversion's size limits.
#include "TestSupport.h"
#include "mdlPictureHead.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

using prt::test::BmpHeadClaiming;
using prt::test::Hex;
using prt::test::JpegHeadClaiming;
using prt::test::PngHeadClaiming;

TEST(PictureHead, SizeOfEachFormatsHead)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* format;
        bool sized;
        qint64 width, height;
    };
    const Case cases[] = {
        {"BMP", BmpHeadClaiming(640, 480), "bmp", true, 640, 480},
        {"BMP stored top-down", BmpHeadClaiming(640, -480), "bmp", true, 640, 480},
        {"BMP beyond int16", BmpHeadClaiming(100000, -70000), "bmp", true, 100000, 70000},
        {"BMP with a negative width", BmpHeadClaiming(-5, 3), "bmp", true, -5, 3},
        {"BMP of the 12-byte header, top-down",
         Hex("42 4D 1A 00 00 00 00 00 00 00 1A 00 00 00 0C 00 00 00 07 00 FD FF 01 00 18 00"), "bmp", true, 7, 3},
        {"BMP cut in the width", Hex("42 4D 1A 00 00 00 00 00 00 00 1A 00 00 00 28 00 00 00 07 00"), "bmp", false, 0, 0},
        // the reader takes a header size other than 40, 64, 108 and 124 as the 12-byte one
        {"BMP with a 52-byte header", Hex("42 4D 00 00 00 00 00 00 00 00 00 00 00 00 34 00 00 00 07 00 03 00 01 00 18 00"),
         "bmp", true, 7, 3},
        {"PNG", PngHeadClaiming(1000001, 3), "png", true, 1000001, 3},
        {"PNG of 2^32 - 1 dots", PngHeadClaiming(0xFFFFFFFFu, 1), "png", true, 4294967295LL, 1},
        {"PNG whose first chunk is not IHDR", Hex("89 50 4E 47 0D 0A 1A 0A 00 00 00 0D 49 44 41 54 00 00 00 10 00 00 00 10"),
         "png", false, 0, 0},
        {"PNG cut", Hex("89 50 4E 47 0D 0A 1A 0A 00 00 00 0D 49 48 44 52 00 00"), "png", false, 0, 0},
        // GIF: screen 300 x 200 with a global colour table of 4 entries, a graphic
        // control extension and a comment before the frame
        {"GIF", Hex("47 49 46 38 39 61 2C 01 C8 00 81 00 00 000000 FFFFFF 000000 FFFFFF"
                    "21 F9 04 01 00 00 00 00 21 FE 03 41 42 43 00 2C 00 00 00 00 0A 00 0A 00 00 02"),
         "gif", true, 300, 200},
        // a screen of 0 x 0: the first frame's offset plus its size
        {"GIF with no screen size", Hex("47 49 46 38 37 61 00 00 00 00 00 00 00 2C 02 00 01 00 05 00 03 00 00 02"),
         "gif", true, 7, 4},
        {"GIF with no frame", Hex("47 49 46 38 39 61 0A 00 0A 00 00 00 00 3B"), "gif", false, 0, 0},
        {"GIF cut in its colour table", Hex("47 49 46 38 39 61 0A 00 0A 00 87 00 00 00 00"), "gif", false, 0, 0},
        {"JPEG", JpegHeadClaiming(65535, 2), "jpeg", true, 65535, 2},
        // an APP0 segment, fill bytes, a stuffed FF 00 and a restart marker before a
        // progressive frame
        {"JPEG with segments before the frame",
         Hex("FF D8 FF E0 00 04 AA BB 12 FF 00 FF FF D3 FF C2 00 0B 08 01 2C 02 58 01 01 11 00"), "jpeg", true, 600,
         300},
        {"JPEG ending before a frame", Hex("FF D8 FF E0 00 10 4A 46"), "jpeg", false, 0, 0},
        {"JPEG with a scan before any frame", Hex("FF D8 FF DA 00 08 01 01 00 00 3F 00 FF C0 00 0B 08 00 01 00 01"),
         "jpeg", false, 0, 0},
        {"no signature", QByteArray("a text file"), "", false, 0, 0},
        {"a GIF without its signature, read as a GIF by its name",
         Hex("38 00 47 61 49 00 46 37 00 00 00 00 00 2C 02 00 01 00 03 00 02 00 00 02"), "", false, 0, 0},
        {"nothing", QByteArray(), "", false, 0, 0},
    };
    // the GIF reader, taken for a file named .gif, skips the signature unchecked: a
    // screen 14150 dots wide and 0 high, a frame of 3 x 2 at (2, 1)
    const TPictureHead unsigned_ =
        ReadPictureHead(Hex("38 00 47 61 49 00 46 37 00 00 00 00 00 2C 02 00 01 00 03 00 02 00 00 02"), "gif");
    EXPECT_EQ(unsigned_.format, "gif");
    EXPECT_TRUE(unsigned_.sized);
    EXPECT_EQ(unsigned_.width, 14150);
    EXPECT_EQ(unsigned_.height, 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TPictureHead h = ReadPictureHead(c.bytes);
        EXPECT_EQ(h.format, QByteArray(c.format));
        EXPECT_EQ(h.sized, c.sized);
        EXPECT_EQ(h.width, c.width);
        EXPECT_EQ(h.height, c.height);
    }
}

TEST(PictureHead, AgreesWithTheDecodedPicture)
{
    QImage img(37, 11, QImage::Format_RGB32);
    img.fill(Qt::white);
    QList<QByteArray> files;
    for (const char* format : {"PNG", "BMP", "JPEG"}) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(img.save(&buffer, format)) << format;
        files << bytes;
    }
    // a 1 x 1 GIF; a 3 x 2 BMP stored top-down
    files << QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
                        "!\xf9\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00"
                        "\x00\x02\x02D\x01\x00;",
                        43);
    files << Hex("42 4D 4E 00 00 00 00 00 00 00 36 00 00 00 28 00 00 00 03 00 00 00 FE FF FF FF 01 00 18 00"
                 "00 00 00 00 18 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                 "000000 FFFFFF FFFFFF 000000 FFFFFF FFFFFF 000000 000000");
    for (const QByteArray& bytes : files) {
        SCOPED_TRACE(bytes.left(4).toStdString());
        const QImage decoded = QImage::fromData(bytes);
        ASSERT_FALSE(decoded.isNull());
        const TPictureHead h = ReadPictureHead(bytes);
        ASSERT_TRUE(h.sized);
        EXPECT_EQ(h.width, decoded.width());
        EXPECT_EQ(h.height, decoded.height());
    }
}

TEST(PictureHead, LimitsOfTheConversion)
{
    using V = TPictureVerdict;
    struct Case {
        const char* format;
        qint64 width, height;
        int bits;
        double scale;
        V verdict;
        int scaledWidth, scaledHeight;
    };
    const Case cases[] = {
        {"png", 800, 600, 32, 1.0, V::Ok, 800, 600},
        {"png", 101, 3, 32, 0.5, V::Ok, 50, 2},            // 50.5 rounds to even
        {"png", 65535, 1, 32, 1.0, V::Ok, 65535, 1},
        {"png", 65536, 1, 32, 1.0, V::TooWide, 65536, 1},
        {"png", 26215, 1, 32, 2.5, V::TooWide, 65538, 2},
        {"png", 1, 65536, 32, 1.0, V::TooTall, 1, 65536},
        {"png", 1, 174762, 32, 1.0, V::TooTall, 1, 174762},
        {"png", 1, 1000001, 32, 0.05, V::TooLarge, 0, 50000},   // the PNG reader's limit
        {"jpeg", 65501, 1, 32, 0.5, V::TooLarge, 32750, 0},     // the JPEG reader's limit
        {"jpeg", 1, 65500, 32, 1.0, V::Ok, 1, 65500},
        {"bmp", 16384, 16385, 32, 0.001, V::TooLarge, 16, 16},  // the BMP reader's limit
        {"gif", 8192, 8192, 32, 1.0, V::Ok, 8192, 8192},        // 256 MB at 4 bytes a pixel
        {"gif", 8192, 8193, 32, 0.1, V::TooLarge, 819, 819},
        {"png", 8192, 4096, 64, 0.1, V::Ok, 819, 410},          // 256 MB at 8 bytes a pixel
        {"png", 8192, 4097, 64, 0.1, V::TooLarge, 819, 410},
        {"png", 8192, 8193, 8, 0.1, V::TooLarge, 819, 819},     // under 32 bits counts as 32
        {"png", 4, 4, 32, 0.1, V::TooSmall, 0, 0},
        {"png", 0, 4, 32, 1.0, V::Unreadable, 0, 0},
        {"bmp", -3, 4, 32, 1.0, V::Unreadable, 0, 0},
        {"", 4294967295LL, 4294967295LL, 128, 0.0, V::TooLarge, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.format << " " << c.width << " x " << c.height << " at " << c.scale);
        int sw = -1, sh = -1;
        EXPECT_EQ(PictureSizeVerdict(c.format, c.width, c.height, c.bits, c.scale, sw, sh), c.verdict);
        EXPECT_EQ(sw, c.scaledWidth);
        EXPECT_EQ(sh, c.scaledHeight);
    }
}
