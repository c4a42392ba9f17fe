// Byte/hex/checksum helpers, comma lists and code pages.
#include "PrtCodePage.h"
#include "PubBytes.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <limits>

using prt::test::Hex;
using prt::test::ToHex;

namespace {

struct UiLanguageGuard {
    int old = prt::UiLanguageId();
    ~UiLanguageGuard() { prt::SetUiLanguageId(old); }
};

} // namespace

TEST(Checksums, Crc32AndSum16Vectors)
{
    EXPECT_EQ(CalcCRC32(QByteArray()), 0xFFFFFFFFu);
    EXPECT_EQ(CalcCRC32(QByteArray("abc")), 0x359A672Fu);
    EXPECT_EQ(CalcCRC32(QByteArray("123456789")), 0xD202D277u);
    // start/count select the range; a count past the end is clipped, never read beyond.
    EXPECT_EQ(CalcCRC32(QByteArray("xxabcyy"), 2, 3), 0x359A672Fu);
    EXPECT_EQ(CalcCRC32(QByteArray("xxabc"), 2, 1000), 0x359A672Fu);
    EXPECT_EQ(CalcCRC32(QByteArray("abc"), 0, 0), 0xFFFFFFFFu);
    const std::vector<uint8_t> v{'a', 'b', 'c'};
    EXPECT_EQ(CalcCRC32(v), 0x359A672Fu);

    EXPECT_EQ(SumBytes16(QByteArray(258, char(0xFF))), 254);
    EXPECT_EQ(SumBytes16(QByteArray(258, char(0xFF)), 0), 0);
    EXPECT_EQ(SumBytes16(Hex("01 02 03 FF"), 3), 6);
    EXPECT_EQ(SumBytes16(Hex("01 02"), 99), 3);
    EXPECT_EQ(SumBytes16(std::vector<uint8_t>(258, 255)), 254);
}

TEST(HexHelpers, BytesToTextForms)
{
    const QByteArray b = Hex("01 AB");
    EXPECT_EQ(BytesToHexText(b), "01 AB ");
    QString out;
    BytesToSpacedHexStr(b, 0, out, 2);
    EXPECT_EQ(out, " 01 AB");
    BytesToSpacedHexStr(b, 1, out, 50);  // clipped, cleared first
    EXPECT_EQ(out, " AB");
    // Extreme ends are clipped to the bytes before anything is subtracted.
    const qsizetype lo = std::numeric_limits<qsizetype>::min(), hi = std::numeric_limits<qsizetype>::max();
    const struct {
        qsizetype From, To;
        const char* Text;
    } ends[] = {
        {lo, hi, " 01 AB"}, {hi, lo, ""}, {lo, lo, ""}, {hi, hi, ""}, {-2, 1, " 01"}, {1, -5, ""},
        {0, hi, " 01 AB"},
    };
    for (const auto& e : ends) {
        out = "x";
        BytesToSpacedHexStr(b, e.From, out, e.To);
        EXPECT_EQ(out, e.Text) << e.From << ".." << e.To;
    }

    out = "x";
    BytesToHexText(b, out);  // appends
    EXPECT_EQ(out, "x01 AB ");
    out.clear();
    BytesHeadToHexText(Hex("0A 0B 0C"), 2, out);
    EXPECT_EQ(out, "0A 0B ");
    out.clear();
    BytesToHexStr(Hex("0A 0B 0C"), 2, out);
    EXPECT_EQ(out, "0A0B");
    out.clear();
    BytesHeadToHexStr(Hex("0A 0B 0C"), 10, out);
    EXPECT_EQ(out, "0A0B0C");

    out.clear();
    BytesToStrUntilSpace(QByteArray("AB\xE9 CD", 6), out);
    EXPECT_EQ(out, QString::fromUtf8("AB\xC3\xA9"));

    out = "keep";
    BytesRangeToStr(QByteArray("xyHELLO\rQ"), 2, 7, out);
    EXPECT_EQ(out, "keepHELLO");
    BytesRangeToStr(QByteArray("abc"), 2, 2, out);  // past the end: emptied
    EXPECT_TRUE(out.isEmpty());
    out = "z";
    BytesRangeToStr(QByteArray("abc"), -1, 1, out);
    EXPECT_TRUE(out.isEmpty());

    BytesToCharStr(QByteArray("a\0b\0c", 5), 0, out, 5);
    EXPECT_EQ(out, "abc");
    BytesToCharStr(QByteArray("abc"), 1, out, 100);
    EXPECT_EQ(out, "bc");
}

TEST(HexHelpers, TextToBytesAndHex)
{
    UiLanguageGuard g;
    prt::SetUiLanguageId(1033);
    QString out;
    StrToHexText(QString::fromUtf8("A\xC3\xA9"), out);
    EXPECT_EQ(out, "41 E9 ");
    out.clear();
    StrToHexStr("AB", out);
    EXPECT_EQ(out, "4142");
    prt::SetUiLanguageId(2052);
    out.clear();
    StrToHexStr(QString::fromUtf8("\xE4\xB8\xAD"), out);  // 中 in code page 936
    EXPECT_EQ(out, "D6D0");

    QByteArray buf;  // grows to the text; bytes beyond a longer buffer are kept
    EXPECT_TRUE(StrToBytes(QString::fromUtf8("A\xC4\x80"), buf));
    EXPECT_EQ(ToHex(buf), "41 00");
    QByteArray longer = Hex("FF FF FF");
    EXPECT_TRUE(StrToBytes("ab", longer));
    EXPECT_EQ(ToHex(longer), "61 62 FF");
    EXPECT_FALSE(StrToBytes("", longer));
}

TEST(HexHelpers, HexTextParsing)
{
    struct Case {
        const char* text;
        int pieces;
    } cases[] = {
        {"", 1}, {"   ", 1}, {"1B", 1}, {"1B 1C 26", 3}, {" 1B,1C ", 2}, {"1B 1", 2}, {"ABCDEF", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetHexStrByteCount(c.text), c.pieces) << c.text;

    struct IntCase {
        const char* text;
        int32_t value;
    } ints[] = {
        {"", 0}, {" ff ", 255}, {"1G", 16}, {"FFFFFFFF", -1}, {"100000000", 0}, {"7fffffff", 0x7FFFFFFF},
    };
    for (const IntCase& c : ints)
        EXPECT_EQ(HexStrToInt(c.text), c.value) << c.text;

    QByteArray buf = Hex("00 00 00 00");
    EXPECT_TRUE(HexStrToBytes("1B 1c 26", 3, 1, buf));
    EXPECT_EQ(ToHex(buf), "00 1B 1C 26");
    // count limits the pieces; a last piece shorter than two digits leaves its byte alone
    buf = Hex("EE EE EE");
    EXPECT_TRUE(HexStrToBytes("01 02 3", 3, 0, buf));
    EXPECT_EQ(ToHex(buf), "01 02 EE");
    buf = Hex("EE EE EE");
    EXPECT_TRUE(HexStrToBytes("01 02 03", 1, 0, buf));
    EXPECT_EQ(ToHex(buf), "01 EE EE");
    // the buffer grows instead of being written past its end
    QByteArray small;
    EXPECT_TRUE(HexStrToBytes("AA BB", 2, 2, small));
    EXPECT_EQ(ToHex(small), "00 00 AA BB");
    std::vector<uint8_t> vec;
    EXPECT_TRUE(HexStrToBytes("AA BB", 2, 1, vec));
    EXPECT_EQ(vec, (std::vector<uint8_t>{0, 0xAA, 0xBB}));
    // bad hex is reported and nothing is written
    buf = Hex("EE EE EE");
    EXPECT_FALSE(HexStrToBytes("01 ZZ 03", 3, 0, buf));
    EXPECT_EQ(ToHex(buf), "EE EE EE");
    EXPECT_FALSE(HexStrToBytes("01", 1, -1, buf));

    EXPECT_EQ(HexTextToBytes("1B 1C 26"), Hex("1B 1C 26"));
    EXPECT_EQ(HexTextToBytes("  "), QByteArray());
    EXPECT_FALSE(HexTextToBytes("1B 1").has_value());
    EXPECT_FALSE(HexTextToBytes("1B QQ").has_value());
}

TEST(SplitAndLists, SplitToStringListCases)
{
    struct Case {
        QString text, sep;
        QStringList items;
    } cases[] = {
        {"a,,b", ",", {"a", "", "b"}},
        {"a,b,", ",", {"a", "b", ""}},
        {"", ",", {""}},
        {"a,b", "", {"a,b"}},
        {"l1\r\nl2", "\r\n", {"l1", "l2"}},
        {"M|USB|USB||", "|", {"M", "USB", "USB", "", ""}},
        {"1.2.3", ".", {"1", "2", "3"}},
        {"a::b", "::", {"a", "b"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitToStringList(c.text, c.sep), c.items) << c.text.toStdString();
        QStringList l{"old"};
        SplitIntoStrings(c.text, c.sep, l);
        EXPECT_EQ(l, c.items);
    }
}

TEST(SplitAndLists, CommaListMembership)
{
    struct Case {
        const char* name;
        const char* list;
        bool member;
    } cases[] = {
        {"B", ",A,B,", true},       {"A", "A,B,", false},        {"AB", ",ABC,", false},
        {"a", ",A,", false},        {"", ",A,,B,", true},        {"", ",A,B,", false},
        {"X-1 Pro", ",X-1 Pro,", true}, {"B", ",A,B", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsInCommaList(c.name, c.list), c.member) << c.name << " in " << c.list;
        EXPECT_EQ(IsNameInCommaList(c.name, c.list), c.member);
    }
}

TEST(CodePages, LanguageToCodePage)
{
    const std::pair<int, int> table[] = {{2052, 936}, {1028, 950}, {1041, 932}, {1042, 949},
                                         {1049, 1251}, {1033, 1252}, {1036, 1252}, {0, 1252}};
    for (auto [lcid, cp] : table)
        EXPECT_EQ(prt::CodePageOfLanguageId(lcid), cp) << lcid;
    UiLanguageGuard g;
    prt::SetUiLanguageId(1041);
    EXPECT_EQ(prt::SystemAnsiCodePage(), 932);
}

TEST(CodePages, StrToCodePageBytes)
{
    struct Case {
        const char* utf8;
        int cp;
        const char* hex;
    } cases[] = {
        {"\xE4\xB8\xAD\xE6\x96\x87", 936, "D6 D0 CE C4"},  // 中文
        {"\xE4\xB8\xAD\xE6\x96\x87", 950, "A4 A4 A4 E5"},
        {"\xE4\xB8\xAD", 932, "92 86"},
        {"\xED\x95\x9C", 949, "C7 D1"},                   // 한
        {"\xD0\x96", 1251, "C6"},                         // Ж
        {"\xE2\x82\xAC\xC3\xA9", 1252, "80 E9"},          // €é
        {"A\xE4\xB8\xAD" "B", 1252, "41 3F 42"},          // unmappable -> ?
        {"\xF0\x9F\x98\x80", 936, "3F"},                  // one ? for a surrogate pair
        {"\xC3\xA9", 65001, "C3 A9"},
    };
    for (const Case& c : cases) {
        QByteArray out = "junk";
        StrToCodePageBytes(QString::fromUtf8(c.utf8), c.cp, out);
        EXPECT_EQ(ToHex(out), c.hex) << c.cp;
        EXPECT_EQ(prt::CodePageBytesToText(out, c.cp),
                  QString::fromUtf8(c.utf8).replace(QString::fromUtf8("\xE4\xB8\xAD"),
                                                    c.cp == 1252 ? "?" : QString::fromUtf8("\xE4\xB8\xAD"))
                      .replace(QString::fromUtf8("\xF0\x9F\x98\x80"), "?"))
            << c.cp;
    }
    QByteArray out = "junk";
    StrToCodePageBytes("", 936, out);
    EXPECT_TRUE(out.isEmpty());
    StrToCodePageBytes("abc", 999999, out);  // unknown code page: nothing
    EXPECT_TRUE(out.isEmpty());
}

TEST(CodePages, TextFileDecoding)
{
    UiLanguageGuard g;
    prt::SetUiLanguageId(2052);
    EXPECT_EQ(prt::DecodeTextFileBytes("\xEF\xBB\xBF\xE4\xB8\xAD"), QString::fromUtf8("\xE4\xB8\xAD"));
    EXPECT_EQ(prt::DecodeTextFileBytes("\xE4\xB8\xAD"), QString::fromUtf8("\xE4\xB8\xAD"));
    EXPECT_EQ(prt::DecodeTextFileBytes("\xD6\xD0"), QString::fromUtf8("\xE4\xB8\xAD"));  // GBK
    EXPECT_EQ(prt::DecodeTextFileBytes(QByteArray("\xFF\xFE\x2D\x4E", 4)), QString::fromUtf8("\xE4\xB8\xAD"));
    EXPECT_EQ(prt::DecodeTextFileBytes(QByteArray("\xFE\xFF\x4E\x2D", 4)), QString::fromUtf8("\xE4\xB8\xAD"));
    // Only the leading mark is the file's: a second U+FEFF (two files joined) is text.
    const QString twice = QString(QChar(0xFEFF)) + "V";
    EXPECT_EQ(prt::DecodeTextFileBytes("\xEF\xBB\xBF\xEF\xBB\xBFV"), twice);
    EXPECT_EQ(prt::DecodeTextFileBytes(QByteArray("\xFF\xFE\xFF\xFEV\0", 6)), twice);
    EXPECT_EQ(prt::DecodeTextFileBytes(QByteArray("\xFE\xFF\xFE\xFF\0V", 6)), twice);
    // An unfinished sequence at the end of a marked UTF-8 file does not vanish.
    EXPECT_EQ(prt::DecodeTextFileBytes("\xEF\xBB\xBF" "ab\xE4"), QString("ab") + QChar(0xFFFD));
    prt::SetUiLanguageId(1033);
    EXPECT_EQ(prt::DecodeTextFileBytes("caf\xE9"), QString::fromUtf8("caf\xC3\xA9"));
    // a byte that does not decode never vanishes silently
    EXPECT_EQ(prt::CodePageBytesToText(QByteArray("A\x81", 2), 1252), QString::fromUtf8("A\xC2\x81"));
    EXPECT_EQ(prt::CodePageBytesToText(QByteArray("A\xFF", 2), 936), QString::fromUtf8("A\xEF\xBF\xBD"));
}
