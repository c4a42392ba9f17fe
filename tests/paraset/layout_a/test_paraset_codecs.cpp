// Field codecs, filters, ranges and the layout-A table, without a printer.
#include "mdlParaBlockLayout.h"
#include "mdlParaSetCodecs.h"
#include "mdlParaSetWidgets.h"
#include "mdlParamValues.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace paraset;

TEST(ParaSetCodecs, IndexListsKeepBytesWithoutAnItem)
{
    struct Case {
        uint8_t v;
        int count;
        int index;
    };
    const Case cases[] = {{0, 16, 0}, {15, 16, 15}, {16, 16, kNoSelection}, {3, 3, kNoSelection}, {2, 3, 2},
                          {255, 5, kNoSelection}};
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeIndexList(c.v, c.count), c.index) << int(c.v) << "/" << c.count;
        // Written back untouched: the byte as read.
        EXPECT_EQ(EncodeIndexList(DecodeIndexList(c.v, c.count), c.v), c.v);
    }
    EXPECT_EQ(EncodeIndexList(1, 7), 1) << "choosing an item writes it";
}

TEST(ParaSetCodecs, RadioCheckAndNumber)
{
    EXPECT_EQ(DecodeRadio(0), 0);
    EXPECT_EQ(DecodeRadio(1), 1);
    EXPECT_EQ(DecodeRadio(7), 1);
    EXPECT_EQ(EncodeRadio(1), 1);
    // The lid row: byte 5 shows item 0 and is written back as 1; byte 0 is item 1.
    EXPECT_EQ(DecodeInvertedRadio(5), 0);
    EXPECT_EQ(EncodeInvertedRadio(0), 1);
    EXPECT_EQ(DecodeInvertedRadio(0), 1);
    EXPECT_EQ(EncodeInvertedRadio(1), 0);
    EXPECT_TRUE(DecodeCheck(1));
    EXPECT_FALSE(DecodeCheck(2));
    EXPECT_EQ(EncodeCheck(true), 1);
    EXPECT_EQ(DecodeNumber(255), "255");
    EXPECT_EQ(EncodeNumber("300"), 300 & 0xFF);
    EXPECT_EQ(EncodeNumber(""), 0);
}

TEST(ParaSetCodecs, SpeedListFromTwo)
{
    // Items "2", "3", "4": byte 5 and bytes below 2 have no item and stay.
    struct Case {
        uint8_t v;
        int index;
    };
    const Case cases[] = {{2, 0}, {4, 2}, {5, kNoSelection}, {1, kNoSelection}, {0, kNoSelection}};
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeSpeed(c.v, 3), c.index) << int(c.v);
        EXPECT_EQ(EncodeSpeed(DecodeSpeed(c.v, 3), c.index >= 0 ? QString::number(c.v) : QString(), c.v), c.v);
    }
    EXPECT_EQ(EncodeSpeed(1, "3", 9), 3);
}

TEST(ParaSetCodecs, HeatPairs)
{
    const QStringList items = HeatItems();
    ASSERT_EQ(items.size(), 21);
    EXPECT_EQ(items.first(), "-50");
    EXPECT_EQ(items.last(), "50");
    struct Case {
        uint8_t lo, hi;
        int value;
        int index;
    };
    const Case cases[] = {
        {0xF6, 0xFF, -10, 8},  // F6 FF is -10
        {0x0A, 0x00, 10, 12},  // 0A 00 is 10
        {0xF6, 0x01, -10, 8},  // any hi not 0 is negative
        {0x07, 0x00, 7, kNoSelection},  // a value the list lacks
        {0xCE, 0xFF, -50, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeHeatValue(c.lo, c.hi), c.value);
        EXPECT_EQ(DecodeHeat(c.lo, c.hi, items), c.index) << c.value;
    }
    // Written back: F6 FF unchanged; hi 1 becomes FF; a missing value keeps both bytes.
    uint8_t lo = 0xF6, hi = 0xFF;
    EncodeHeat(8, "-10", lo, hi);
    EXPECT_EQ(lo, 0xF6);
    EXPECT_EQ(hi, 0xFF);
    lo = 0xF6, hi = 0x01;
    EncodeHeat(DecodeHeat(lo, hi, items), "-10", lo, hi);
    EXPECT_EQ(hi, 0xFF);
    lo = 0x07, hi = 0x00;
    EncodeHeat(kNoSelection, "", lo, hi);
    EXPECT_EQ(lo, 0x07);
    EXPECT_EQ(hi, 0x00);
    EncodeHeat(12, "10", lo, hi);
    EXPECT_EQ(lo, 0x0A);
    EXPECT_EQ(hi, 0x00);
}

TEST(ParaSetCodecs, LengthsInMillimetres)
{
    struct Case {
        uint8_t lo, hi;
        const char* shown;
        uint8_t backLo, backHi;
    };
    const Case cases[] = {
        {0xA0, 0x0F, "500", 0xA0, 0x0F},  // 4000 dots
        {0xA1, 0x0F, "500", 0xA0, 0x0F},  // 4001 dots: shown rounded down, stored as 4000
        {0x40, 0x1F, "1000", 0x40, 0x1F}, // 8000 dots, beyond the edit's typing limit
        {0x00, 0x00, "0", 0x00, 0x00},
    };
    for (const Case& c : cases) {
        const QString shown = DecodeLengthMm(c.lo, c.hi);
        EXPECT_EQ(shown, c.shown);
        uint8_t lo = 0, hi = 0;
        EncodeLengthMm(shown, lo, hi);
        EXPECT_EQ(lo, c.backLo) << c.shown;
        EXPECT_EQ(hi, c.backHi) << c.shown;
    }
}

TEST(ParaSetCodecs, FixedWidthText)
{
    const uint8_t field[16] = {'P', 'r', 'i', 'n', 't', ' ', 'X', 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(DecodeFixedText(field, 16), "Print") << "stops at the first byte of 32 or below";
    uint8_t out[16];
    std::fill(std::begin(out), std::end(out), 0x55);
    EncodeFixedText("  ABCDEFGHIJKLMNOPQRS ", out, 16);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(out), 16), QByteArray("ABCDEFGHIJKLMNOP")) << "cut to the width";
    std::fill(std::begin(out), std::end(out), 0x55);
    EncodeFixedText("ab", out, 4);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(out), 5), QByteArray("ab\0\0\x55", 5)) << "zero-padded, no overrun";
}

TEST(ParaSetCodecs, CodePageByNumber)
{
    QComboBox combo;
    FillCodePageCombo(&combo, "");
    ASSERT_EQ(combo.count(), 46);
    struct Case {
        uint8_t v;
        const char* name;  // nullptr: no item
    };
    const Case cases[] = {
        {0, "Default"},
        {16, "WPC1252"},
        {33, "WPC775"},
        {67, "ABICOMP"},
        {6, nullptr},    // not in the table
        {200, nullptr},
    };
    for (const Case& c : cases) {
        const int index = DecodeCodePage(c.v, &combo);
        if (!c.name) {
            EXPECT_EQ(index, kNoSelection) << int(c.v);
            EXPECT_EQ(EncodeCodePage(index, QString(), c.v), c.v);
            continue;
        }
        ASSERT_GE(index, 0) << int(c.v);
        EXPECT_EQ(combo.itemText(index), c.name);
        EXPECT_EQ(EncodeCodePage(index, combo.itemText(index), 99), c.v);
    }
}

TEST(ParaSetCodecs, FixedItemLists)
{
    EXPECT_EQ(IntlCharsetItems().size(), 16);
    EXPECT_EQ(IntlCharsetItems().at(0), "U.S.A.");
    EXPECT_EQ(IntlCharsetItems().at(15), "China");
    EXPECT_EQ(IntlCharsetItems().at(14), "Slovenia/Croatia");
    EXPECT_EQ(BaudRateItems(), QStringList({"9600", "19200", "38400", "57600", "115200"}));
    EXPECT_EQ(ParityItems(), QStringList({"NONE", "ODD", "EVEN"}));
    EXPECT_EQ(StopBitsItems(), QStringList({"1", "2"}));
    EXPECT_EQ(NumberItems(1, 7), QStringList({"1", "2", "3", "4", "5", "6", "7"}));
}

TEST(ParaSetFilters, KeysAndRanges)
{
    EXPECT_TRUE(TextPasses(TKeyFilter::Number, "0123456789"));
    EXPECT_FALSE(TextPasses(TKeyFilter::Number, "12a"));
    EXPECT_FALSE(TextPasses(TKeyFilter::Number, "-1"));
    EXPECT_FALSE(TextPasses(TKeyFilter::BTPassword, "12 4"));
    EXPECT_TRUE(TextPasses(TKeyFilter::BTName, "Ab!~09"));
    EXPECT_FALSE(TextPasses(TKeyFilter::BTName, "A b"));
    EXPECT_FALSE(TextPasses(TKeyFilter::BTName, QString(QChar(127))));
    EXPECT_FALSE(TextPasses(TKeyFilter::BTName, QString::fromUtf8("é")));

    const TValueRange stop{0, 255}, bqm{38, 400};
    struct Case {
        const char* in;
        std::optional<TValueRange> range;
        const char* out;
    };
    const Case cases[] = {
        {"", std::nullopt, "0"},   {"  ", stop, "0"},  {"300", stop, "255"}, {"255", stop, "255"},
        {"30", bqm, "38"},         {"450", bqm, "400"}, {"600", TValueRange{0, 500}, "500"},
        {"999", std::nullopt, "999"}, {"99999999999999999999", stop, "255"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckValueText(c.in, c.range), c.out) << c.in;

    EXPECT_TRUE(IsOctetText("255"));
    EXPECT_TRUE(IsOctetText(""));
    EXPECT_FALSE(IsOctetText("256"));
    EXPECT_FALSE(IsOctetText("999"));

    EXPECT_TRUE(ModelInList("Z34", ",A,Z34,"));
    EXPECT_FALSE(ModelInList("Z3", ",A,Z34,"));
    EXPECT_TRUE(ModelCommaInList("Z34", "Z34,"));
    EXPECT_TRUE(ModelCommaInList("34", ",Z34,")) << "the model-and-comma test matches the tail of a name";
    EXPECT_FALSE(ModelCommaInList("", ",Z34,"));
    EXPECT_EQ(RangeMessage("{0} must be between {1} and {2}. {0}", "IP", 0, 255), "IP must be between 0 and 255. {0}");
}

TEST(ParaSetCodecs, RangeMessagesNameTheFieldWithoutTheLabelsColon)
{
    struct Case {
        const char* templ;
        const char* caption;
        const char* message;
    };
    const Case cases[] = {
        {"{0} must be between {1} and {2}.", "IP address:", "IP address must be between 0 and 255."},
        {"{0} must be between {1} and {2}.", "Default gateway :", "Default gateway must be between 0 and 255."},
        {"{0} must be between {1} and {2}.", "&Subnet mask:", "Subnet mask must be between 0 and 255."},
        {"{0} must be between {1} and {2}.", "IP address", "IP address must be between 0 and 255."},
        {"{0}必须在{1}到{2}之间。", "IP地址:", "IP地址必须在0到255之间。"},
        {"{0}必须在{1}到{2}之间。", "子网掩码：", "子网掩码必须在0到255之间。"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RangeMessage(QString::fromUtf8(c.templ), QString::fromUtf8(c.caption), 0, 255),
                  QString::fromUtf8(c.message))
            << c.caption;
}

TEST(ParaSetFilters, EditsTakeDigitsTypedAndPastedAndLimitOnlyTyping)
{
    QLineEdit edit;
    edit.setValidator(new TFilterValidator(&edit, TKeyFilter::Number, 3));
    QTest::keyClicks(&edit, "1a2 3x4");
    EXPECT_EQ(edit.text(), "123");
    edit.clear();
    edit.insert("12b");  // a paste
    EXPECT_EQ(edit.text(), "");
    edit.insert("45");
    EXPECT_EQ(edit.text(), "45");
    // A stored value longer than the typing limit is shown whole and may be shortened.
    edit.setText("1000");
    EXPECT_EQ(edit.text(), "1000");
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "100");
    QTest::keyClicks(&edit, "7");
    EXPECT_EQ(edit.text(), "100");
}

TEST(ParaSetLayoutA, TableRowsAndFormSets)
{
    // Bytes of each form, typed from the layout (the gated rows included).
    auto all = [](const char* code) { return BytesOf(FieldsFor(LayoutA(), code, [](TRowGate) { return true; })); };
    auto range = [](int a, int b) {
        std::vector<int> v;
        for (int i = a; i <= b; ++i)
            v.push_back(i);
        return v;
    };
    auto join = [](std::initializer_list<std::vector<int>> parts) {
        std::vector<int> v;
        for (const auto& p : parts)
            v.insert(v.end(), p.begin(), p.end());
        std::sort(v.begin(), v.end());
        return v;
    };
    const std::vector<int> common = {34, 58, 83, 100, 113, 114};
    EXPECT_EQ(all("F58D"), join({common, {101, 130, 131, 132}}));
    EXPECT_EQ(all("U9"), join({common, {130, 131, 132}}));
    EXPECT_EQ(all("J83"), join({common, {55, 56, 68, 69, 70, 71, 101, 130, 131, 132, 134, 135}}));
    EXPECT_EQ(all("Trev"), join({common, {68, 69, 70, 71, 101, 130, 131, 132, 134, 135}}));
    EXPECT_EQ(all("F58S"), join({common, {55, 56, 130, 131, 132}}));
    EXPECT_EQ(all("Z34"), join({common, range(9, 28), {31, 55, 61, 130, 131, 132, 133}}));
    EXPECT_EQ(all("Z12"), join({common, range(20, 23), {55, 56, 130, 131, 132, 162}, range(199, 214)}));
    EXPECT_EQ(all("BQM260"),
              join({common, {4, 55, 56, 68, 69, 70, 71, 84}, range(88, 99), {101, 105, 107, 130, 131, 132, 134, 135}}));
    EXPECT_EQ(all("BTN7"),
              join({common, {4, 55, 56, 68, 69, 70, 71, 76, 84}, range(88, 99), {101, 105, 107, 134, 135}}));
    EXPECT_EQ(all("BTN7S"), join({common, {4, 55, 56, 76, 84}, range(88, 99), {101, 105, 107, 130, 131, 132}}));

    // Without the gates: no Bluetooth and no lid bytes.
    const auto z34 = BytesOf(FieldsFor(LayoutA(), "Z34"));
    for (int b : {9, 24, 25, 28, 31, 133})
        EXPECT_EQ(std::count(z34.begin(), z34.end(), b), 0) << b;
    const auto z12 = BytesOf(FieldsFor(LayoutA(), "Z12"));
    for (int b : {20, 23, 162, 199, 214})
        EXPECT_EQ(std::count(z12.begin(), z12.end(), b), 0) << b;
    // No form touches the marker or the sum.
    for (const TBlockField& f : LayoutA()) {
        EXPECT_GT(f.Pos, 0);
        EXPECT_LE(f.Pos + f.Width, 254);
    }
}
