// The shared helper module: pictures, printer list file, numbers, file names, option
// file, text files, window font.
#include "FileSizeLimit.h"
#include "PrtIni.h"
#include "PrtPorts.h"
#include "PrtTexts.h"
#include "TestSupport.h"
#include "mdlCurrentPrinter.h"
#include "mdlModuleState.h"
#include "mdlPubFunc.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <tuple>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

uint32_t LE32(const QByteArray& b, int at)
{
    return uint32_t(uchar(b[at])) | uint32_t(uchar(b[at + 1])) << 8 |
           uint32_t(uchar(b[at + 2])) << 16 | uint32_t(uchar(b[at + 3])) << 24;
}

uint16_t LE16(const QByteArray& b, int at)
{
    return uint16_t(uchar(b[at]) | uchar(b[at + 1]) << 8);
}

// A program folder of its own with texts for the boxes.
class PubFuncTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        env = std::make_unique<prt::test::ScopedEnv>("PRT_EXE_DIR", dir.path());
        prt::SetLangText("_MSG_Title_Error", "Error");
        prt::SetLangText("_Err_FileNotExist", "File not found");
        prt::SetLangText("_E_IC", "Picture type not supported");
        prt::SetLangText("_E_ITW", "Picture too wide");
        prt::SetLangText("_E_IC_TooTall", "{0} high, at most {1}");
        prt::SetLangText("_E_IC_TooLarge", "{0} x {1} is too large");
        prt::SetLangText("_Err_FileNameLength", "Name longer than %d bytes");
        prt::SetLangText("msgASCIIFileName", "ASCII names without blanks only");
    }
    void TearDown() override { prt::ClearLangTexts(); }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    std::unique_ptr<prt::test::ScopedEnv> env;
};

} // namespace

TEST_F(PubFuncTest, MonoBitmapSizeHeaderAndPixels)
{
    // 101 x 3: left half black, right half white; a transparent column counts as white
    QImage img(101, 3, QImage::Format_ARGB32);
    img.fill(Qt::white);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 40; ++x)
            img.setPixel(x, y, qRgb(0, 0, 0));
    ASSERT_TRUE(img.save(path("pic.png")));

    struct Case {
        float scale;
        int w, h;
    } cases[] = {{0.5f, 50, 2}, {1.0f, 101, 3}, {2.0f, 202, 6}};
    for (const Case& c : cases) {
        ASSERT_TRUE(ConvertImageToMonoBmp(path("pic.png"), path("out.bmp"), c.scale)) << c.scale;
        const QByteArray b = ReadAll(path("out.bmp"));
        ASSERT_GE(b.size(), 62);
        EXPECT_EQ(b.left(2), QByteArray("BM"));
        EXPECT_EQ(LE32(b, 2), uint32_t(b.size()));
        EXPECT_EQ(LE32(b, 10), 62u);       // pixel data after headers and 2-entry palette
        EXPECT_EQ(LE32(b, 14), 40u);
        EXPECT_EQ(int(LE32(b, 18)), c.w);
        EXPECT_EQ(int(LE32(b, 22)), c.h);
        EXPECT_EQ(LE16(b, 26), 1);         // planes
        EXPECT_EQ(LE16(b, 28), 1);         // bits per pixel
        EXPECT_EQ(LE32(b, 30), 0u);        // uncompressed
        const uint32_t row = ((c.w + 31) / 32) * 4;
        EXPECT_EQ(LE32(b, 34), row * c.h);
        EXPECT_EQ(b.mid(54, 8), prt::test::Hex("00 00 00 00 FF FF FF 00"));
        // first pixel black (bit 0), last pixel white (bit 1)
        const QImage back = QImage::fromData(b, "BMP");
        ASSERT_FALSE(back.isNull());
        EXPECT_EQ(back.size(), QSize(c.w, c.h));
        EXPECT_EQ(qGray(back.pixel(0, 0)), 0);
        EXPECT_EQ(qGray(back.pixel(c.w - 1, c.h - 1)), 255);
    }
}

TEST_F(PubFuncTest, MonoBitmapFromJpegAndGif)
{
    QImage img(10, 4, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            img.setPixel(x, y, qRgb(0, 0, 0));
    ASSERT_TRUE(img.save(path("pic.jpg"), "JPEG", 100));
    ASSERT_TRUE(QFile::copy(path("pic.jpg"), path("pic.jpeg")));
    // a 1 x 1 GIF whose only pixel is transparent: counts as white
    WriteAll(path("dot.gif"), QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
                                         "!\xf9\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00"
                                         "\x00\x02\x02D\x01\x00;", 43));
    for (const char* name : {"pic.jpg", "pic.jpeg"}) {
        ASSERT_TRUE(ConvertImageToMonoBmp(path(name), path("out.bmp"), 1.0f)) << name;
        const QImage back(path("out.bmp"), "BMP");
        ASSERT_EQ(back.size(), QSize(10, 4));
        EXPECT_EQ(qGray(back.pixel(1, 1)), 0);
        EXPECT_EQ(qGray(back.pixel(8, 2)), 255);
    }
    // an orientation tag (EXIF "turn 90 degrees") does not turn the picture: the pixels
    // as stored
    QByteArray jpeg = ReadAll(path("pic.jpg"));
    jpeg.insert(2, prt::test::Hex("FF E1 00 22 45 78 69 66 00 00 49 49 2A 00 08 00 00 00 01 00"
                                  "12 01 03 00 01 00 00 00 06 00 00 00 00 00 00 00"));
    WriteAll(path("turned.jpg"), jpeg);
    ASSERT_TRUE(ConvertImageToMonoBmp(path("turned.jpg"), path("out.bmp"), 1.0f));
    EXPECT_EQ(QImage(path("out.bmp"), "BMP").size(), QSize(10, 4));
    ASSERT_TRUE(ConvertImageToMonoBmp(path("dot.gif"), path("out.bmp"), 2.0f));
    const QImage dot(path("out.bmp"), "BMP");
    ASSERT_EQ(dot.size(), QSize(2, 2));
    EXPECT_EQ(qGray(dot.pixel(0, 0)), 255);
}

TEST_F(PubFuncTest, MonoBitmapRefusals)
{
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::black);
    ASSERT_TRUE(img.save(path("pic.png")));
    ASSERT_TRUE(img.save(path("PIC.PNG"), "PNG"));
    WriteAll(path("pic.tif"), "not a picture");
    WriteAll(path("broken.png"), "not a picture");
    // pictures that decode (a few kilobytes each) but are too high or wide once scaled
    for (const auto& [name, w, h] : {std::tuple{"line.png", 1, 174762}, std::tuple{"line25.png", 1, 26215},
                                     std::tuple{"wide.png", 70000, 1}}) {
        QImage line(w, h, QImage::Format_RGB32);
        line.fill(Qt::black);
        ASSERT_TRUE(line.save(path(name)));
    }
    // heads that state a size, no pixels
    WriteAll(path("over-reader.png"), prt::test::PngHeadClaiming(1000001, 2));
    WriteAll(path("over-reader.jpg"), prt::test::JpegHeadClaiming(3, 65501));
    // a good head, and no pixel data: refused by the decoder, not by the look at the head
    WriteAll(path("damaged.png"), prt::test::PngHeadClaiming(4, 4));
    prt::test::MsgBoxRecorder rec;
    struct Case {
        const char* source;
        float scale;
        const char* text;
    } cases[] = {
        {"missing.png", 1.0f, "File not found"},
        {"pic.tif", 1.0f, "Picture type not supported"},
        {"broken.png", 1.0f, "Picture type not supported"},
        {"pic.png", 0.1f, "Picture type not supported"},  // 0.4 dots
        {"damaged.png", 1.0f, "Picture type not supported"},
        {"wide.png", 1.0f, "Picture too wide"},
        {"line.png", 1.0f, "174762 high, at most 65535"},
        {"line25.png", 2.5f, "65538 high, at most 65535"},
        {"over-reader.png", 0.05f, "1000001 x 2 is too large"},
        {"over-reader.jpg", 1.0f, "3 x 65501 is too large"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        rec.clear();
        EXPECT_FALSE(ConvertImageToMonoBmp(path(c.source), path("out.bmp"), c.scale));
        EXPECT_EQ(rec.calls().size(), 1u) << "every refusal is told";
        if (rec.calls().empty())
            continue;
        EXPECT_EQ(rec.calls()[0].text, c.text);
        EXPECT_EQ(rec.calls()[0].caption, "Error");
        EXPECT_EQ(rec.calls()[0].flags, 16u);
        EXPECT_FALSE(QFile::exists(path("out.bmp")));
    }
}

TEST_F(PubFuncTest, MonoBitmapFromATopDownBmp)
{
    // 3 x 2, 24 bits, stored top-down (negative height): top row black, white, white;
    // bottom row white, white, black
    WriteAll(path("topdown.bmp"),
             prt::test::Hex("42 4D 4E 00 00 00 00 00 00 00 36 00 00 00 28 00 00 00 03 00 00 00 FE FF FF FF 01 00 18 00"
                            "00 00 00 00 18 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                            "000000 FFFFFF FFFFFF 000000 FFFFFF FFFFFF 000000 000000"));
    prt::test::MsgBoxRecorder rec;
    ASSERT_TRUE(ConvertImageToMonoBmp(path("topdown.bmp"), path("out.bmp"), 1.0f));
    EXPECT_TRUE(rec.calls().empty());
    const QImage back(path("out.bmp"), "BMP");
    ASSERT_EQ(back.size(), QSize(3, 2));
    EXPECT_EQ(qGray(back.pixel(0, 0)), 0);
    EXPECT_EQ(qGray(back.pixel(2, 0)), 255);
    EXPECT_EQ(qGray(back.pixel(0, 1)), 255);
    EXPECT_EQ(qGray(back.pixel(2, 1)), 0);
}

TEST_F(PubFuncTest, MonoBitmapThresholdCapitalsAndRepeatedPixels)
{
    // 6 x 1: r+g+b of 382 is black, 383 white; half-transparent black over white by
    // its alpha; the last pixel plain white
    QImage img(6, 1, QImage::Format_ARGB32);
    img.setPixel(0, 0, qRgba(128, 127, 127, 255));
    img.setPixel(1, 0, qRgba(128, 128, 127, 255));
    img.setPixel(2, 0, qRgba(0, 0, 0, 128));  // 127 over white -> 381
    img.setPixel(3, 0, qRgba(0, 0, 0, 127));  // 128 over white -> 384
    img.setPixel(4, 0, qRgba(0, 0, 0, 255));
    img.setPixel(5, 0, qRgba(255, 255, 255, 255));
    ASSERT_TRUE(img.save(path("LOGO.PNG"), "PNG"));
    ASSERT_TRUE(img.save(path("Logo.Png"), "PNG"));
    prt::test::MsgBoxRecorder rec;
    ASSERT_TRUE(ConvertImageToMonoBmp(path("LOGO.PNG"), path("out.bmp"), 1.0f)) << "capital extensions convert";
    QByteArray b = ReadAll(path("out.bmp"));
    ASSERT_EQ(b.size(), 62 + 4);
    EXPECT_EQ(static_cast<uint8_t>(b.at(62)), 0x54) << "0 1 0 1 0 1 -> 0101 0100";
    // 2.0: every pixel twice in both directions
    ASSERT_TRUE(ConvertImageToMonoBmp(path("Logo.Png"), path("out.bmp"), 2.0f));
    b = ReadAll(path("out.bmp"));
    ASSERT_EQ(b.size(), 62 + 8);
    EXPECT_EQ(prt::test::ToHex(b.mid(62, 4)), "33 30 00 00") << "0011 0011 0011 and padding";
    EXPECT_EQ(b.mid(62, 4), b.mid(66, 4));
    EXPECT_TRUE(rec.calls().empty());
}

TEST_F(PubFuncTest, BmpWidthCheck)
{
    QImage img(100, 2, QImage::Format_Mono);
    img.fill(1);
    ASSERT_TRUE(img.save(path("w100.bmp"), "BMP"));
    WriteAll(path("junk.bmp"), "BMxx");
    prt::test::MsgBoxRecorder rec;
    EXPECT_TRUE(CheckBmpWidth(path("w100.bmp"), 100));
    EXPECT_TRUE(rec.calls().empty());
    const std::pair<QString, const char*> refused[] = {
        {path("w100.bmp"), "Picture too wide"},
        {path("none.bmp"), "File not found"},
        {path("junk.bmp"), "Picture type not supported"},
    };
    for (const auto& [file, text] : refused) {
        rec.clear();
        EXPECT_FALSE(CheckBmpWidth(file, 99));
        ASSERT_EQ(rec.calls().size(), 1u);
        EXPECT_EQ(rec.calls()[0].text, text);
    }
}

TEST_F(PubFuncTest, PrinterListFileFormatAndSafeRewrite)
{
    QTreeWidget view;
    view.setColumnCount(5);
    const QStringList r1{"X-100", "USB", "USB", "", ""};
    const QStringList r2{QString::fromUtf8("\xE4\xB8\xAD-58"), "COM", "COM1,BAUDRATE_9600", "two\r\nlines", "3"};
    view.addTopLevelItem(new QTreeWidgetItem(r1));
    view.addTopLevelItem(new QTreeWidgetItem(r2));
    const QString file = path("files/PrinterList.txt");
    EXPECT_EQ(PrinterListFilePath(), file);
    ASSERT_TRUE(SavePrinterListFile(&view));
    const QByteArray expected = "\r\nX-100|USB|USB||\r\n" +
                                QString::fromUtf8("\xE4\xB8\xAD-58").toUtf8() +
                                "|COM|COM1,BAUDRATE_9600|two lines|3\r\n";
    EXPECT_EQ(ReadAll(file), expected);
    // the file reads back with the same rows
    const QStringList lines = ReadTextFileToList(file);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(SplitToStringList(lines[0], "|"), r1);

    // fewer columns: fewer fields
    EXPECT_EQ(PrinterListFileBytes({r1}, 3), QByteArray("\r\nX-100|USB|USB\r\n"));
    EXPECT_EQ(PrinterListFileBytes({r1}, 4), QByteArray("\r\nX-100|USB|USB|\r\n"));

    // a failed write keeps the operator's list
    QList<QStringList> many;
    for (int i = 0; i < 200; ++i)
        many.append({QStringLiteral("MODEL-%1").arg(i), "NET", "NET,127.0.0.1", "notes", "1"});
    {
        prt::test::FileSizeLimit limit(512);
        EXPECT_FALSE(SavePrinterListFile(many, 5));
    }
    EXPECT_EQ(ReadAll(file), expected);
    EXPECT_EQ(QDir(path("files")).entryList(QDir::Files), QStringList{"PrinterList.txt"});
}

TEST_F(PubFuncTest, TextFileToList)
{
    WriteAll(path("list.txt"), "\xEF\xBB\xBF" "a|b\r\n  \r\n\t\r\n  c  \nd\re\r\n\r\n");
    EXPECT_EQ(ReadTextFileToList(path("list.txt")), (QStringList{"a|b", "  c  ", "d", "e"}));
    EXPECT_TRUE(ReadTextFileToList(path("missing.txt")).isEmpty());

    QByteArray bytes = "junk";
    EXPECT_FALSE(ReadFileToBytes(path("missing.txt"), bytes));
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_EQ(GetFileSizeByName(path("missing.txt")), -1);
    WriteAll(path("data.bin"), QByteArray(3000, 'x'));
    EXPECT_EQ(GetFileSizeByName(path("data.bin")), 3000);
    QByteArray buf(10, 'y');
    EXPECT_EQ(ReadFileToBuffer(path("data.bin"), buf), 0);
    EXPECT_EQ(buf, QByteArray(3000, 'x'));
}

TEST(PubFuncNumbers, RoundToDecimals)
{
    struct Case {
        int digits;
        double value, result;
    } cases[] = {
        {2, 2.675, 2.68},   {2, -0.125, -0.13}, {0, 2.5, 3.0},      {0, -2.5, -3.0},
        {1, 0.05, 0.1},     {2, 1.005, 1.01},   {3, 1.0, 1.0},      {2, 123456.789, 123456.79},
        {0, 0.4, 0.0},      {1, 0.0, 0.0},      {2, 1e-9, 0.0},     {1, 9.96, 10.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(RoundToDecimals(c.digits, c.value), c.result) << c.value << " @" << c.digits;
    // the locale does not change the result
    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_DOUBLE_EQ(RoundToDecimals(2, 2.675), 2.68);
    QLocale::setDefault(old);
}

TEST(PubFuncNumbers, FormatThousandsInEveryLocale)
{
    const QLocale old;
    struct Case {
        QLocale locale;
        const char* text;
        QString result;
    } cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), "1234", "1,234"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "1234567", "1,234,567"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "-1234", "-1,234"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "123", "123"},
        {QLocale(QLocale::English, QLocale::UnitedStates), " 1000 ", "1,000"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "12.5", ""},
        {QLocale(QLocale::English, QLocale::UnitedStates), "abc", ""},
        {QLocale(QLocale::English, QLocale::UnitedStates), "", ""},
        {QLocale(QLocale::German, QLocale::Germany), "1234", "1.234"},
        {QLocale(QLocale::German, QLocale::Germany), "1234567", "1.234.567"},
        {QLocale(QLocale::French, QLocale::France), "1234", QLocale(QLocale::French).groupSeparator() == "" ? "1,234" : "1" + QLocale(QLocale::French).groupSeparator() + "234"},
        {QLocale::c(), "1234", "1,234"},
    };
    for (const Case& c : cases) {
        QLocale::setDefault(c.locale);
        QString out = "junk";
        FormatThousands(c.text, out);
        EXPECT_EQ(out, c.result) << c.text << " in " << c.locale.name().toStdString();
    }
    QLocale::setDefault(old);
}

TEST_F(PubFuncTest, AsciiFileNameCheck)
{
    const QString tooLong = "Name longer than 33 bytes";
    const QString ascii = "ASCII names without blanks only";
    struct Case {
        QString name;
        QString message;
    } cases[] = {
        {QString(32, 'a'), ""},
        {QString(33, 'a'), tooLong},
        {"LOGO.BMP", ""},
        {"MY LOGO.BMP", ascii},
        {QString::fromUtf8("caf\xC3\xA9.bmp"), ascii},
        {"a\"b.bmp", ascii},
        {"a,b.bmp", ascii},
        {"a\tb.bmp", ascii},
        {QString("a") + QChar(127) + "b.bmp", ascii},
        {QString(30, 'a') + QString::fromUtf8("\xC3\xA9\xC3\xA9\xC3\xA9"), tooLong},  // 33 bytes
    };
    for (const Case& c : cases) {
        QString msg = "junk";
        CheckAsciiFileName(c.name, msg);
        EXPECT_EQ(msg, c.message) << c.name.toStdString();
    }
    QString msg;
    CheckAsciiFileName(QString(9, 'a'), 8, msg);
    EXPECT_EQ(msg, "Name longer than 9 bytes");
    CheckAsciiFileName(QString(8, 'a'), 8, msg);
    EXPECT_EQ(msg, "");
}

TEST_F(PubFuncTest, OptionFileAndModelLists)
{
    const int oldKind = gBuildKind;
    EXPECT_EQ(GetDefaultFilesDir(), dir.path() + "/files/");
    EXPECT_EQ(GetOptionIniPath(), dir.path() + "/files/Option.ini");
    gBuildKind = 2;
    EXPECT_EQ(GetToolType(), "Label");  // no Option.ini
    gBuildKind = 1;
    EXPECT_EQ(GetToolType(), "Mobile");
    EXPECT_EQ(GetOemCo(), "");
    WriteAll(GetOptionIniPath(), "[option]\r\ntooltype = Label\r\nOemCo=Label_X\r\n");
    EXPECT_EQ(GetToolType(), "Label");
    QString out;
    GetOemCo(out);
    EXPECT_EQ(out, "Label_X");
    ReadIniValue(GetOptionIniPath(), "Option", "Missing", out);
    EXPECT_EQ(out, "");
    gBuildKind = oldKind;

    const QString oldName = PrtBasName;
    SetCurrentBaseModelName("X-100");
    EXPECT_TRUE(IsCurrentModelListed(",A,X-100,"));
    EXPECT_FALSE(IsCurrentModelListed(",A,X-1000,"));
    PrtBasName = oldName;

    const prt::PortDeviceLister old = prt::SetPortDeviceLister([] {
        return QStringList{"/dev/ttyUSB0", "/dev/lp0"};
    });
    EXPECT_EQ(EnumPrinterPorts("COM"), QStringList{"COM33:"});
    EXPECT_EQ(EnumPrinterPorts("LPT"), QStringList{"LPT1:"});
    EXPECT_TRUE(EnumPrinterPorts("TCPIP").isEmpty());
    prt::SetPortDeviceLister(old);
}

TEST(PubFuncFont, ApplyFormFontSetsListedWidgetsAndIgnoresBadSettings)
{
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* button = new QPushButton("OK");
    layout->addWidget(button);
    auto* loose = new QLabel("a label outside any layout", button);
    loose->resize(5, 5);

    TAppFontSettings& s = AppFontSettings();
    const TAppFontSettings old = s;
    s = {"DejaVu Sans", "17", "134"};
    ApplyFormFont(&form);
    EXPECT_EQ(form.font().pointSize(), 17);
    EXPECT_EQ(button->font().pointSize(), 17);
    EXPECT_EQ(button->font().family(), "DejaVu Sans");
    EXPECT_EQ(loose->font().pointSize(), 17);
    EXPECT_GT(loose->width(), 5);  // sized to its text

    // bad or missing settings are ignored, never thrown or applied as size 0
    const TAppFontSettings bad[] = {{"", "abc", "x"}, {"", "", ""}, {"", "-3", "1"}};
    for (const TAppFontSettings& b : bad) {
        s = b;
        ApplyFormFont(&form);
        EXPECT_EQ(button->font().pointSize(), 17);
        EXPECT_EQ(button->font().family(), "DejaVu Sans");
    }
    s = {"", "9", ""};  // size alone
    ApplyFormFont(&form);
    EXPECT_EQ(button->font().pointSize(), 9);
    EXPECT_EQ(button->font().family(), "DejaVu Sans");
    ApplyFormFont(nullptr);
    s = old;
}
