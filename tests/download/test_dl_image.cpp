// Image byte forms for download: the 62-byte header, forms A-D, the work bitmap read
// back, the resolution rule and the DPL control bytes.
#include "TestSupport.h"
#include "mdlDLImage.h"
#include "mdlPubFunc.h"

#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace prt::dl;
using prt::test::BmpHeadClaiming;
using prt::test::Hex;
using prt::test::JpegHeadClaiming;
using prt::test::PngHeadClaiming;
using prt::test::ToHex;

namespace {

// 9 x 1: dot 0 and dot 8 black, dots 1..7 white; stored bits set = white, padding 0.
TMonoBitmap NineByOne()
{
    return TMonoBitmap::FromRows(9, 1, Hex("7F 00"));
}

} // namespace

TEST(DlImage, HeaderBytes)
{
    QByteArray h(80, '\x55');  // zero-filled over its whole length
    EXPECT_EQ(BMPHeaderbyte(4, 16, 2, 62, h), 0);
    EXPECT_EQ(ToHex(h.left(62)), ToHex(Hex("42 4D 42 00 00 00 00 00 00 00 3E 00 00 00 28 00 00 00 10 00 00 00"
                                           "02 00 00 00 01 00 01 00 00 00 00 00 04 00 00 00"
                                           "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                                           "00 00 00 00 FF FF FF 00")));
    EXPECT_EQ(h.mid(62), QByteArray(18, '\0'));
    QByteArray small;
    BMPHeaderbyte(2, 9, 1, 62, small);
    EXPECT_EQ(small.size(), 62);
}

TEST(DlImage, FormsAtWidthNineHeightOne)
{
    const TMonoBitmap b = NineByOne();
    EXPECT_EQ(ToHex(InvertedRow(b, 0)), "80 80") << "inverted, the 7 padding bits cleared";
    // A: R, B, the row, 7 zero rows
    EXPECT_EQ(ToHex(BuildPacketImagePayload(b)),
              ToHex(Hex("02 00 01 00 80 80 00 00 00 00 00 00 00 00 00 00 00 00 00 00")));
    // B: T = R * H = 2
    EXPECT_EQ(BuildZplGraphic(b, "LOGO.GRF"), QByteArray("~DGE:LOGO.GRF,2,2,8080"));
    // C: SOH D STX IEB name EOL, then the file as stored
    const QByteArray file = Hex("42 4D 01 02 03");
    EXPECT_EQ(ToHex(BuildDplImage(file, "LOGO", TDplControl{})), ToHex(Hex("01 44 02 49 45 42 4C 4F 47 4F 0D") + file));
    EXPECT_EQ(ToHex(BuildDplImage(file, "A", TDplControl{0x7E, 0x7C, 0x5E})),
              ToHex(Hex("5E 44 7E 49 45 42 41 7C") + file));
    // D: command, header with S = 2, rows as stored with the padding bits set
    EXPECT_EQ(ToHex(BuildTsplBmp(b, "LOGO.BMP")),
              ToHex(QByteArray("DOWNLOAD E,\"LOGO.BMP\",64,") +
                    Hex("42 4D 40 00 00 00 00 00 00 00 3E 00 00 00 28 00 00 00 09 00 00 00 01 00 00 00"
                        "01 00 01 00 00 00 00 00 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                        "00 00 00 00 00 00 FF FF FF 00 7F 7F")));
}

TEST(DlImage, FormAHeightLimit)
{
    TMonoBitmap b = TMonoBitmap::FromRows(8, kMaxPacketImageHeight, QByteArray(kMaxPacketImageHeight, '\xFF'));
    const QByteArray ok = BuildPacketImagePayload(b);
    ASSERT_EQ(ok.size(), 4 + 524280);
    EXPECT_EQ(ToHex(ok.left(4)), "01 00 FF FF");
    b = TMonoBitmap::FromRows(8, kMaxPacketImageHeight + 1, QByteArray(kMaxPacketImageHeight + 1, '\xFF'));
    EXPECT_TRUE(BuildPacketImagePayload(b).isEmpty()) << "524,281 rows cannot be counted in 16 bits";
}

TEST(DlImage, WorkBitmapFromAConvertedPicture)
{
    QTemporaryDir dir;
    prt::test::MsgBoxRecorder rec;
    // 9 x 10 picture: dot (0, y) and (8, y) black on the first row, everything else white
    QImage img(9, 10, QImage::Format_RGB32);
    img.fill(Qt::white);
    img.setPixel(0, 0, qRgb(0, 0, 0));
    img.setPixel(8, 0, qRgb(10, 10, 10));
    img.setPixel(4, 9, qRgb(0, 0, 0));
    ASSERT_TRUE(img.save(dir.filePath("p.png")));
    ASSERT_TRUE(ConvertImageToMonoBmp(dir.filePath("p.png"), dir.filePath("w.bmp"), 1.0f));
    TMonoBitmap b;
    ASSERT_TRUE(LoadMonoBitmap(dir.filePath("w.bmp"), b));
    EXPECT_EQ(b.width, 9);
    EXPECT_EQ(b.height, 10);
    const QByteArray a = BuildPacketImagePayload(b);
    ASSERT_EQ(a.size(), 4 + 16 * 2);
    EXPECT_EQ(ToHex(a.left(6)), "02 00 02 00 80 80") << "top row first";
    EXPECT_EQ(ToHex(a.mid(4 + 9 * 2, 2)), "08 00") << "the bottom row";
    EXPECT_EQ(a.mid(4 + 10 * 2), QByteArray(12, '\0'));
    TMonoBitmap none;
    EXPECT_FALSE(DecodeMonoBitmap(QByteArray("BM not a bitmap"), none));
    EXPECT_TRUE(none.isNull());
}

TEST(DlImage, ResolutionAndControlBytes)
{
    struct Dpi {
        const char* reply;
        int dpi, limit;
    } dpis[] = {{"300", 300, 1248}, {"203", 203, 864}, {"", 203, 864}, {"600", 600, 864}, {"abc", 203, 864}};
    for (const Dpi& d : dpis) {
        EXPECT_EQ(DpiOfReply(d.reply), d.dpi) << d.reply;
        EXPECT_EQ(WidthLimitForDpi(d.reply), d.limit) << d.reply;
    }
    const TDplControl start;
    EXPECT_EQ(start, (TDplControl{0x02, 0x0D, 0x01})) << "standard until a printer says otherwise";
    const TDplControl alt{0x7E, 0x0D, 0x5E};
    struct Ctl {
        const char* reply;
        TDplControl want;
    } ctls[] = {{"standard", {0x02, 0x0D, 0x01}}, {"alternate", alt}, {"alternate-2", {0x7E, 0x7C, 0x5E}},
                {"", alt}, {"Standard", alt}};
    for (const Ctl& c : ctls)
        EXPECT_EQ(DplControlFromReply(c.reply, alt), c.want) << c.reply;
}

TEST(DlImage, PictureRefusedWithItsReasonBeforeDecoding)
{
    QTemporaryDir dir;
    auto file = [&](const QString& name, const QByteArray& bytes) {
        prt::test::WriteTestFile(dir.filePath(name), bytes);
        return dir.filePath(name);
    };
    auto picture = [&](const QString& name, int w, int h, const char* format) {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::white);
        EXPECT_TRUE(img.save(dir.filePath(name), format));
        return dir.filePath(name);
    };
    QByteArray noise(64 * 1024, '\0');
    uint32_t x = 12345;
    for (char& c : noise) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 24);
    }
    using V = TPictureVerdict;
    struct Case {
        QString path;
        double scale;
        int limit;
        V verdict;
        int scaledWidth;
    };
    const Case cases[] = {
        {file("notes.txt", "a text file\n"), 1.0, 864, V::NotPicture, 0},
        {file("notes.png", "a text file\n"), 1.0, 864, V::NotPicture, 0},
        {file("noise.png", noise), 1.0, 864, V::NotPicture, 0},
        {file("noext", PngHeadClaiming(16, 16)), 1.0, 864, V::NotPicture, 0},
        {file("cut.png", Hex("89 50 4E 47 0D 0A 1A 0A 00 00")), 1.0, 864, V::Unreadable, 0},
        {dir.filePath("gone.png"), 1.0, 864, V::Unreadable, 0},
        {file("huge.png", PngHeadClaiming(20000, 20000)), 1.0, 864, V::TooWide, 20000},
        {file("tall.png", PngHeadClaiming(800, 100000)), 1.0, 864, V::TooLarge, 800},
        {picture("w865.png", 865, 1, "PNG"), 1.0, 864, V::TooWide, 865},
        {picture("w864.png", 864, 1, "PNG"), 1.0, 864, V::Ok, 864},
        {picture("w600.bmp", 600, 2, "BMP"), 1.5, 864, V::TooWide, 900},
        {picture("w600b.bmp", 600, 2, "BMP"), 1.5, 1248, V::Ok, 900},
        {picture("png-named.gif", 9, 3, "PNG"), 2.5, 864, V::Ok, 22},  // 22.5 rounds to even
    };
    for (const Case& c : cases) {
        const TPictureCheck got = CheckPictureForDownload(c.path, c.scale, c.limit);
        EXPECT_EQ(got.verdict, c.verdict) << c.path.toStdString();
        EXPECT_EQ(got.scaledWidth, c.scaledWidth) << c.path.toStdString();
        EXPECT_EQ(got.widthLimit, c.limit);
    }
    const TPictureCheck huge = CheckPictureForDownload(dir.filePath("huge.png"), 1.0, 864);
    EXPECT_EQ(huge.width, 20000);
    EXPECT_EQ(huge.height, 20000);
    EXPECT_EQ(QImageReader::allocationLimit(), 256) << "the conversion that follows decodes no more";
}

// The check knows each limit of the conversion and of the toolkit's readers from the
// file's head, before a reader refuses it: a size read from the head (a top-down BMP's
// height taken positive), then too wide for the printer, beyond a reader's limits or more
// than the conversion decodes, higher than the conversion makes, under one dot.
TEST(DlImage, EveryLimitOfTheConversionIsKnownFromTheHead)
{
    QTemporaryDir dir;
    auto file = [&](const QString& name, const QByteArray& bytes) {
        prt::test::WriteTestFile(dir.filePath(name), bytes);
        return dir.filePath(name);
    };
    QImage small(4, 4, QImage::Format_RGB32);
    small.fill(Qt::white);
    ASSERT_TRUE(small.save(dir.filePath("small.png")));
    // 3 x 2, 24 bits, stored top-down (negative height), rows padded to 12 bytes
    const QByteArray topDown = Hex("42 4D 4E 00 00 00 00 00 00 00 36 00 00 00 28 00 00 00 03 00 00 00 FE FF FF FF"
                                   "01 00 18 00 00 00 00 00 18 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                                   "00 00 000000 FFFFFF FFFFFF 000 000"
                                   "FFFFFF FFFFFF 000000 000 000");
    using V = TPictureVerdict;
    struct Case {
        QString path;
        double scale;
        V verdict;
        int width, height, scaledWidth, scaledHeight;
    };
    const Case cases[] = {
        {file("topdown.bmp", topDown), 1.0, V::Ok, 3, 2, 3, 2},
        {file("topdown-head.bmp", BmpHeadClaiming(800, -600)), 1.5, V::Ok, 800, 600, 1200, 900},
        {file("topdown-wide.bmp", BmpHeadClaiming(1300, -2)), 1.0, V::TooWide, 1300, 2, 1300, 2},
        // beyond the BMP reader's 16384 x 16384 dots
        {file("bmp-huge.bmp", BmpHeadClaiming(20000, 20000)), 1.0, V::TooWide, 20000, 20000, 20000, 20000},
        {file("bmp-tall.bmp", BmpHeadClaiming(800, -400000)), 1.0, V::TooLarge, 800, 400000, 800, 400000},
        // beyond the PNG reader's 1,000,000 dots a side
        {file("png-wide.png", PngHeadClaiming(1000001, 1)), 1.0, V::TooWide, 1000001, 1, 1000001, 1},
        {file("png-tall.png", PngHeadClaiming(1, 1000001)), 1.0, V::TooLarge, 1, 1000001, 1, 1000001},
        // beyond the JPEG reader's 65,500 dots a side; at it
        {file("jpeg-tall.jpg", JpegHeadClaiming(1, 65501)), 1.0, V::TooLarge, 1, 65501, 1, 65501},
        {file("jpeg-65500.jpg", JpegHeadClaiming(800, 65500)), 1.0, V::Ok, 800, 65500, 800, 65500},
        // higher than the conversion makes once scaled (65,535 dots)
        {file("line.png", PngHeadClaiming(1, 174762)), 1.0, V::TooTall, 1, 174762, 1, 174762},
        {file("line25.png", PngHeadClaiming(1, 26215)), 2.5, V::TooTall, 1, 26215, 2, 65538},
        {file("line25ok.png", PngHeadClaiming(1, 26214)), 2.5, V::Ok, 1, 26214, 2, 65535},
        // 16 bits a channel decode to 8 bytes a pixel: 800 x 41944 is over 256 MB
        {file("deep.png", PngHeadClaiming(800, 41944, 16, 6)), 1.0, V::TooLarge, 800, 41944, 800, 41944},
        {file("deep-ok.png", PngHeadClaiming(800, 41943, 16, 6)), 1.0, V::Ok, 800, 41943, 800, 41943},
        {file("flat.png", PngHeadClaiming(800, 41944, 8, 2)), 1.0, V::Ok, 800, 41944, 800, 41944},
        // a GIF decodes to its screen's size, whatever size its reader guesses from the
        // first frame (here 250 x 10); the GIF reader also takes a file named .gif
        // without the GIF signature
        {file("screen.gif", Hex("47 49 46 38 39 61 B8 0B 0A 00 00 00 00 2C 00 00 00 00 FA 00 0A 00 00 02 02 44 01 00 3B")),
         1.0, V::TooWide, 3000, 10, 3000, 10},
        {file("unsigned.gif", Hex("38 00 47 61 49 00 46 37 00 00 00 00 00 2C 02 00 01 00 03 00 02 00 00 02 02 44 01 00 3B")),
         1.0, V::TooWide, 14150, 3, 14150, 3},
        {dir.filePath("small.png"), 0.1, V::TooSmall, 4, 4, 0, 0},
        {file("cut.bmp", Hex("42 4D 00 00 00 00 00 00 00 00 36 00 00 00 28")), 1.0, V::Unreadable, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const TPictureCheck got = CheckPictureForDownload(c.path, c.scale, 1248);
        EXPECT_EQ(got.verdict, c.verdict);
        EXPECT_EQ(got.width, c.width);
        EXPECT_EQ(got.height, c.height);
        EXPECT_EQ(got.scaledWidth, c.scaledWidth);
        EXPECT_EQ(got.scaledHeight, c.scaledHeight);
    }
}
