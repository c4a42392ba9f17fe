// Image byte forms for download: the 62-byte header, forms A-D, the work bitmap read
// back, the resolution rule and the DPL control bytes.
#include "TestSupport.h"
#include "mdlDLImage.h"
#include "mdlPubFunc.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace prt::dl;
using prt::test::Hex;
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
