// The codecs of block layouts B to E that the common field codecs do not cover.
#include "mdlParaBlockCodecsBCDE.h"

#include <gtest/gtest.h>

namespace {

TParamBlock Filled(uint8_t v)
{
    TParamBlock b;
    b.fill(v);
    return b;
}

} // namespace

TEST(GapVoltage, ShownTextOfRawReadings)
{
    const struct {
        uint16_t raw;
        const char* text;
    } cases[] = {
        {4096, "3.3"}, {2048, "1.6"},  // 16.5 tenths: halves to even
        {124, "0.1"},  {1241, "1"},   {0, "0"},   {62, "0"},  // 0.4995 tenths
        {63, "0.1"},   {3723, "3"},  {65535, "52.8"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VoltageRawToText(c.raw), QString::fromLatin1(c.text)) << c.raw;
}

TEST(GapVoltage, WrittenBytesOfTypedTexts)
{
    const struct {
        const char* text;
        uint8_t lo, hi;
    } cases[] = {
        {"0.1", 0x7C, 0x00}, {"1", 0xD9, 0x04}, {"3.3", 0x00, 0x10}, {"0", 0x00, 0x00},
        {"", 0x00, 0x00},    {".", 0x00, 0x00}, {"abc", 0x00, 0x00}, {"1.6", 0xC2, 0x07},
        {"01.5", 0x46, 0x07},  // 1861.8 -> 1862
    };
    for (const auto& c : cases) {
        TParamBlock b = Filled(0xEE);
        WriteVoltage(b, QString::fromLatin1(c.text));
        EXPECT_EQ(b[62], c.lo) << c.text;
        EXPECT_EQ(b[63], c.hi) << c.text;
        EXPECT_EQ(b[61], 0xEE) << c.text;
        EXPECT_EQ(b[64], 0xEE) << c.text;
    }
    TParamBlock b = Filled(0);
    b[62] = 0x00;
    b[63] = 0x10;
    EXPECT_EQ(ReadVoltage(b), QStringLiteral("3.3"));
}

TEST(GapVoltage, EditKeepsANumberAndClampsOnLeaving)
{
    const struct {
        const char* typed, *filtered, *left;
    } cases[] = {
        {"0.1", "0.1", "0.1"}, {"4", "4", "3.3"},   {"3.31", "3.31", "3.3"}, {"3.30", "3.30", "3.30"},
        {"", "", "0"},         {".", ".", "0"},     {"1.2.3", "1.23", "1.23"}, {"a1b", "1", "1"},
        {"-2", "2", "2"},      {"1,5", "15", "3.3"}, {"0009", "0009", "3.3"}, {"003", "003", "003"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FilterVoltageText(QString::fromLatin1(c.typed)), QString::fromLatin1(c.filtered)) << c.typed;
        EXPECT_EQ(ClampVoltageText(QString::fromLatin1(c.typed)), QString::fromLatin1(c.left)) << c.typed;
    }
}

TEST(PaperKind, Byte58FollowsTheJudgeItem)
{
    // Layout C: automatic, label, receipt, black mark; layout D: label, continuous, black mark.
    const int kindsC[] = {0, 1, 0, 2};
    const int kindsD[] = {1, 0, 2};
    for (int i = 0; i < 4; ++i) {
        TParamBlock b = Filled(7);
        WritePaperKindC(b, i);
        EXPECT_EQ(b[58], kindsC[i]) << "C item " << i;
        EXPECT_EQ(b[59], 7) << "58 only";
    }
    for (int i = 0; i < 3; ++i) {
        TParamBlock b = Filled(7);
        WritePaperKindD(b, i);
        EXPECT_EQ(b[58], kindsD[i]) << "D item " << i;
    }
    for (int none : {-1, 3}) {
        TParamBlock b = Filled(7);
        WritePaperKindD(b, none);
        EXPECT_EQ(b[58], 7) << "no item keeps the byte";
    }
}

TEST(PaperKind, LayoutDJudgeByteCountsFromOne)
{
    const struct {
        uint8_t v;
        int item;
        uint8_t written59;
        int written58;  // -1: as read
    } cases[] = {
        {0, -1, 0, -1}, {1, 0, 1, 1}, {2, 1, 2, 0}, {3, 2, 3, 2}, {4, 0, 1, 1}, {255, 0, 1, 1},
    };
    for (const auto& c : cases) {
        const int item = JudgeItemFromByteD(c.v, 3);
        EXPECT_EQ(item, c.item) << int(c.v);
        TParamBlock b = Filled(9);
        b[59] = JudgeByteFromItemD(item);
        WritePaperKindD(b, item);
        EXPECT_EQ(b[59], c.written59) << int(c.v);
        EXPECT_EQ(b[58], c.written58 < 0 ? 9 : c.written58) << int(c.v);
    }
}

TEST(SpeedByText, SelectsTheEqualItemOrNoneAndNoneKeepsTheByte)
{
    const QStringList items{"2", "3", "4", "5"};
    EXPECT_EQ(SpeedItemByText(items, 4), 2);
    EXPECT_EQ(SpeedItemByText(items, 2), 0);
    EXPECT_EQ(SpeedItemByText(items, 1), -1);
    EXPECT_EQ(SpeedItemByText(items, 6), -1);
    EXPECT_EQ(SpeedByteFromText(QStringLiteral("5"), 9), 5);
    EXPECT_EQ(SpeedByteFromText(QString(), 9), 9);
}

TEST(NamePasswordOverlay, NameThenPasswordOverItsMiddle)
{
    TParamBlock b = Filled(0xEE);
    WriteNamePasswordE(b, QStringLiteral("abc"), QStringLiteral("1234"));
    const uint8_t expected[] = {0x61, 0x62, 0x63, 0, 0, 0, 0, 0, 0, 0, 0x31, 0x32, 0x33, 0x34, 0, 0};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(b[10 + i], expected[i]) << "byte " << 10 + i;
    EXPECT_EQ(b[9], 0xEE);
    EXPECT_EQ(b[26], 0xEE);
    EXPECT_EQ(ReadNameE(b), QStringLiteral("abc"));
    EXPECT_EQ(ReadPasswordE(b), QStringLiteral("1234"));
}

TEST(NamePasswordOverlay, AStoredTenCharacterNameStopsBeforeThePassword)
{
    TParamBlock b = Filled(0);
    const QByteArray stored("ABCDEFGHIJ5678");  // bytes 10..23, no gap before the password
    for (int i = 0; i < stored.size(); ++i)
        b[10 + i] = static_cast<uint8_t>(stored.at(i));
    EXPECT_EQ(ReadNameE(b), QStringLiteral("ABCDEFGHIJ"));
    EXPECT_EQ(ReadPasswordE(b), QStringLiteral("5678"));
}
