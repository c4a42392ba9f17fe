// Text key/value commands and key frames over the fake engine: exact bytes, reply
// rules, port disciplines and the refusal of unsafe input.
#include "CMD_Key.h"
#include "FakeEngine.h"
#include "PrinterCMD.h"
#include "PrtTexts.h"
#include "TestSupport.h"
#include "mdlPrinterLib.h"

#include <functional>
#include <gtest/gtest.h>

using namespace linktest;

namespace {
const char* kPrefixHex = "1B 1C 26 20 56 31 20";

QByteArray P(const char* rest)
{
    return HexBytes(kPrefixHex) + QByteArray(rest);
}

// Kind 1, current port "USB", a global TSPL object.
struct CmdScope : FakeEngineScope {
    CmdScope()
    {
        SetPrinterSdkKind(1);
        PrtCreatePrinter(QStringLiteral("M"));
        Fake().calls.clear();
    }
};
} // namespace

TEST(LinkCmdBuild, TextCommandBytes)
{
    struct Case { QByteArray built; QByteArray want; };
    const Case cases[] = {
        {BuildGetValCommand(KEY_ppl), HexBytes("1B 1C 26 20 56 31 20 67 65 74 76 61 6C 20 22 70 70 6C 22 0D 0A")},
        {BuildGetValCommand(KEY_eth_ip), P("getval \"eth_ip\"\r\n")},
        {BuildGetValCommand(""), QByteArray()},
        {BuildSetValCommand(KEY_speed, QStringLiteral("AbC")), P("setval \"speed\" \"AbC\"\r\n")},
        {BuildSetValCommandEx(KEY_speed, QStringLiteral("AbC"), true), P("setval \"speed\" \"abc\"\r\n")},
        {BuildDoCommand(KEY_configguration_page), P("do \"configguration_page\"\r\n")},
        {BuildDoKeyValueCommand(KEY_wifi_name, QStringLiteral("abc")), P("do \"wifi_name\" \"abc\"\r\n")},
        {BuildDoTwoArgsValueCommand(KEY_download, "\"f.bin\"", QStringLiteral("12")),
         P("do \"download\" \"f.bin\" \"12\"\r\n")},
        {BuildGetValCommand(KEY_get_counter_heat), P("getval \"get_counter heat\"\r\n")},
        {TsplClsCommand(), QByteArray("CLS\r\n")},
        {TsplPrintCommand(), QByteArray("PRINT\r\n")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HexOf(c.built), HexOf(c.want));
    EXPECT_EQ(BuildGetValCommand(KEY_ppl).size(), 21);
    EXPECT_EQ(QByteArray(KEY_eth_ip), HexBytes("22 65 74 68 5F 69 70 22"));
}

TEST(LinkCmdBuild, KeyTableKeepsThePrintersSpellings)
{
    const auto& t = PrinterCmdKeyTable();
    ASSERT_EQ(t.size(), 182u);
    EXPECT_EQ(t.front(), QByteArray("\"unlock_para\""));
    EXPECT_EQ(t.back(), QByteArray("\"stickers_times\""));
    for (const char* k : {"\"configguration_page\"", "\"letf_position\"", "\"mirron\"", "\"get_counter heat\""})
        EXPECT_NE(std::find(t.begin(), t.end(), QByteArray(k)), t.end()) << k;
}

TEST(LinkCmdBuild, ReplyToText)
{
    struct Case { QByteArray bytes; int offset; int count; QString want; };
    const Case cases[] = {
        {QByteArray("OK\r\n"), 0, 4, QStringLiteral("OK\r\n")},
        {QByteArray("A\0B\0\0C", 6), 0, 6, QStringLiteral("ABC")},
        {QByteArray("\"x\""), 0, 3, QStringLiteral("\"x\"")},
        {QByteArray("abcdef"), 2, 3, QStringLiteral("cde")},
        {QByteArray("abc"), 1, 99, QStringLiteral("bc")},  // clipped to the data
        {QByteArray("abc"), 0, 0, QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BytesToTextFrom(c.offset, c.bytes, c.count), c.want);
}

TEST(LinkCmd, GetValSendsWaitsAndReadsOnce)
{
    CmdScope scope;
    Fake().reads = {{QByteArray("OK\r\n")}};
    EXPECT_EQ(CmdGetVal(KEY_ppl), QStringLiteral("OK\r\n"));
    EXPECT_EQ(HexOf(Fake().written()), HexOf(BuildGetValCommand(KEY_ppl)));
    EXPECT_EQ(Fake().sleeps, std::vector<uint32_t>({100}));
    EXPECT_EQ(Fake().last("ReadData")->data, QByteArray("512"));

    Fake() = FakeEngine{};
    EXPECT_EQ(CmdGetVal(""), QString());
    EXPECT_EQ(Fake().count("WriteData"), 0);
    EXPECT_EQ(Fake().count("ReadData"), 1);
    EXPECT_EQ(Fake().sleeps, std::vector<uint32_t>({100}));
}

TEST(LinkCmd, DoReadersAndSetVal)
{
    CmdScope scope;
    Fake().reads = {{HexBytes("01 02")}};
    EXPECT_EQ(CmdDoReadInt(KEY_mileage), 513);
    EXPECT_EQ(CmdReadCount(), 2);
    EXPECT_EQ(CmdDoReadInt(KEY_mileage), -1);  // nothing came
    Fake().reads = {{QByteArray("v1.2\0", 5)}};
    EXPECT_EQ(CmdDoReadText(KEY_version), QStringLiteral("v1.2"));
    EXPECT_EQ(Fake().last("ReadData")->data, QByteArray("128"));

    Fake().calls.clear();
    EXPECT_EQ(CmdSetVal(KEY_bt_name, QStringLiteral("MiXed")), 0);
    EXPECT_EQ(CmdSetValLower(KEY_bt_name, QStringLiteral("MiXed")), 0);
    Fake().writeCodes = {-15};
    EXPECT_EQ(CmdSetValEx(KEY_bt_name, QStringLiteral("MiXed")), -1);
    EXPECT_EQ(CmdLastResult(), -15);
    const auto w = Fake().writes();
    ASSERT_EQ(w.size(), 3u);
    EXPECT_EQ(w[0], P("setval \"bt_name\" \"MiXed\"\r\n"));
    EXPECT_EQ(w[1], P("setval \"bt_name\" \"mixed\"\r\n"));
    EXPECT_EQ(Fake().count("PortOpen"), 0) << "setval uses the caller's port";
}

TEST(LinkCmd, DoOpensClosesAndDestroys)
{
    CmdScope scope;
    EXPECT_FALSE(CmdDo(KEY_reset_printer));
    EXPECT_EQ(Fake().written(), P("do \"reset_printer\"\r\n"));
    EXPECT_EQ(Fake().count("PortOpen"), 1);
    EXPECT_EQ(Fake().count("PortClose"), 1);
    EXPECT_EQ(Fake().count("PrinterDestroy"), 1);
    EXPECT_EQ(PrtGetHandle(), 0u);

    // "Already open" counts as success for the command opens.
    PrtCreatePrinter(QStringLiteral("M"));
    Fake() = FakeEngine{};
    Fake().openCodes = {5, 5};  // TSPL retries once and still gets 5
    Fake().writeCodes = {-15};
    EXPECT_TRUE(CmdDoLeaveOpen(KEY_dfu));
    EXPECT_EQ(Fake().count("PrinterDestroy"), 0);
    EXPECT_EQ(CmdDoEx(KEY_dfu, false), 0);
    EXPECT_FALSE(CmdDoWithData(KEY_download, QByteArray("DATA")));
    EXPECT_EQ(Fake().writes().back(), QByteArray("DATA"));
}

TEST(LinkCmd, FailedOpenShowsOneBoxAndSendsNothing)
{
    prt::SetLangText(QStringLiteral("_Err_OpenPort"), QStringLiteral("Open failed"));
    prt::SetLangText(QStringLiteral("_PortResult-13"), QStringLiteral("refused"));
    CmdScope scope;
    Fake().openCodes = {-13, -13, -13, -13};
    prt::test::MsgBoxRecorder boxes;
    EXPECT_FALSE(CmdDo(KEY_reset_printer));
    EXPECT_EQ(CmdDoEx(KEY_reset_printer, true), -1);
    QByteArray buf;
    EXPECT_EQ(CmdGetValBytes(KEY_ppl, buf, 4), 0);
    EXPECT_EQ(Fake().count("WriteData"), 0);
    ASSERT_EQ(boxes.calls().size(), 3u);
    EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("Open failed:-13 (refused)")) << "the code and what it means";
    EXPECT_EQ(boxes.calls()[0].flags, 16u);
    EXPECT_EQ(CmdLastResult(), -13);
    prt::ClearLangTexts();
}

// Mended: the guarded open set its flag after a failed open too, so the next guarded
// open reported success on a closed port.
TEST(LinkCmd, GuardedOpenMarksOnlyASuccessfulOpen)
{
    CmdScope scope;
    Fake().openCodes = {-13};
    {
        prt::test::MsgBoxRecorder boxes;
        EXPECT_FALSE(CmdOpenPortOnce());
        EXPECT_EQ(boxes.calls().size(), 1u);
    }
    EXPECT_EQ(GetCmdOpenedFlag(), 0);
    EXPECT_TRUE(CmdKeyOpenOnce());
    EXPECT_EQ(Fake().count("PortOpen"), 2) << "the second guarded open must really open";
    EXPECT_EQ(GetCmdOpenedFlag(), -1);
    EXPECT_TRUE(CmdOpenPortOnce());
    EXPECT_EQ(Fake().count("PortOpen"), 2);
    CmdKeyCloseIfOpen();
    EXPECT_EQ(GetCmdOpenedFlag(), 0);
    EXPECT_EQ(Fake().count("PortClose"), 1);
    EXPECT_EQ(Fake().count("PrinterDestroy"), 0);
    CmdClosePortIfOpen();
    EXPECT_EQ(Fake().count("PortClose"), 1);

    // Only 0 counts: "already open" twice on the TSPL path is a failure here.
    Fake().openCodes = {5, 5};
    prt::test::MsgBoxRecorder boxes;
    EXPECT_FALSE(CmdOpenPortOnce());
    EXPECT_EQ(GetCmdOpenedFlag(), 0);
}

// Mended: values and keys went out unescaped, so a quote or line break split the command.
TEST(LinkCmd, UnsafeKeysAndValuesAreRefusedUnsent)
{
    CmdScope scope;
    const QString badValues[] = {QStringLiteral("a\"b"), QStringLiteral("a\r\nsetval \"x\""), QStringLiteral("a\nb"),
                                 QString(QChar(0)) + QStringLiteral("x")};
    for (const QString& v : badValues) {
        EXPECT_EQ(CmdSetVal(KEY_bt_name, v), -1);
        EXPECT_TRUE(CmdDoKeyValue(KEY_wifi_name, v));
        EXPECT_TRUE(CmdDoTwoArgsValue(KEY_download, "\"a\"", v));
        EXPECT_TRUE(BuildSetValCommand(KEY_bt_name, v).isEmpty());
    }
    const QByteArray badKeys[] = {QByteArray("\"a\"b\""), QByteArray("\"a\r\n\""), QByteArray("\"a\0\"", 4)};
    for (const QByteArray& k : badKeys) {
        EXPECT_TRUE(CmdDo(k));
        EXPECT_EQ(CmdDoEx(k, true), -1);
        EXPECT_EQ(CmdGetVal(k), QString());
        EXPECT_EQ(CmdKeyGetVal(k), QString());
    }
    EXPECT_EQ(Fake().count("WriteData"), 0);
    EXPECT_EQ(Fake().count("PortOpen"), 0);
    EXPECT_EQ(Fake().count("ReadData"), 0);
    // Unquoted keys and blanks in values stay allowed.
    EXPECT_FALSE(BuildDoCommand("R-SELFPRINT").isEmpty());
    EXPECT_FALSE(BuildSetValCommand(KEY_bt_name, QStringLiteral("a b")).isEmpty());
}

TEST(LinkCmd, GetValBytesAndTextRead)
{
    CmdScope scope;
    Fake().reads = {{QByteArray("xy")}};
    QByteArray buf;
    EXPECT_EQ(CmdGetValBytes(KEY_ppl, buf, 8), 2);
    EXPECT_EQ(buf.left(2), QByteArray("xy"));
    EXPECT_EQ(Fake().sleeps, std::vector<uint32_t>({50}));
    EXPECT_EQ(Fake().count("PrinterDestroy"), 1);

    PrtCreatePrinter(QStringLiteral("M"));
    Fake() = FakeEngine{};
    Fake().reads = {{QByteArray("r"), -15}};
    EXPECT_EQ(CmdSendTextRead(QStringLiteral("SELFTEST"), 70), QStringLiteral("r"));
    EXPECT_EQ(Fake().written(), QByteArray("SELFTEST\r\n"));
    EXPECT_EQ(Fake().sleeps, std::vector<uint32_t>({70}));

    Fake().reads = {{QByteArray("zz"), -15}};
    EXPECT_EQ(CmdGetValEOF(KEY_ppl, 10), QString()) << "a read error gives the empty text";
    Fake().reads = {{QByteArray("a"), 0}, {QByteArray("b"), 0}};
    EXPECT_EQ(CmdDrainToLog(), 2u);
    Fake().endlessReads = true;  // a chatty device cannot hold the drain
    EXPECT_LE(CmdDrainToLog(), kDrainMaxBytes);
}

TEST(LinkKeyFrame, FrameBytes)
{
    struct Case { QByteArray built; const char* want; };
    const Case cases[] = {
        {BuildGetKeyFrame(1, 0x12C, 2), "1B 1C 26 20 56 31 20 67 65 74 6B 65 79 0D 0A 01 2C 01 02"},
        {BuildKeyFrame(CMD_VERB_SETKEY, 0, 0xCE, 3, "abc"),
         "1B 1C 26 20 56 31 20 73 65 74 6B 65 79 0D 0A 00 CE 00 03 61 62 63"},
        {BuildKeyFrame(CMD_VERB_SETKEY, 1, 0x64, 8, "abc"),
         "1B 1C 26 20 56 31 20 73 65 74 6B 65 79 0D 0A 01 64 00 08 61 62 63 00 00 00 00 00"},
        {BuildKeyFrame(CMD_VERB_SETKEY, 1, 0x64, 2, "abcd"),
         "1B 1C 26 20 56 31 20 73 65 74 6B 65 79 0D 0A 01 64 00 02 61 62"},
        {BuildGetKeyFrame(1, 0x64, 256), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HexOf(c.built), HexOf(HexBytes(c.want)));
    EXPECT_TRUE(BuildGetKeyFrameHex(1, 0xCE).endsWith(QStringLiteral("0D 0A 01 CE 00 01 ")));
    EXPECT_EQ(BuildGetKeyFrameHex(1, 0xCE).size(), 19 * 3);
}

TEST(LinkKeyFrame, WritersValueBytes)
{
    CmdScope scope;
    struct Case { int32_t result; const char* value; };
    const Case cases[] = {
        {CmdKeySetKeyDWord(1, 0x78, 0x11223344u), "04 44 33 22 11"},
        {CmdKeySetKeyWord(1, 0x78, 0x1234), "02 34 12"},
        {CmdKeySetKeyWord(1, 0x78, -1), "02 FF 00"},  // mod and div truncated toward zero
        {CmdKeySetKeyTwoBytes(1, 0x78, -2), "02 FE FF"},
        {CmdKeySetKeyByte(1, 0x78, 0x7F), "01 7F"},
        {CmdKeySetKeyByte2(1, 0x78, 0x80), "01 80"},
        {CmdKeySetKey(1, 0x78, QStringLiteral("AbC"), 8, true), "08 61 62 63 00 00 00 00 00"},
        {CmdKeySetKeyBytes(1, 0x78, HexBytes("01 02 03"), 2), "02 01 02"},
    };
    const auto w = Fake().writes();
    ASSERT_EQ(w.size(), std::size(cases));
    for (size_t i = 0; i < w.size(); ++i) {
        EXPECT_EQ(cases[i].result, 0);
        EXPECT_EQ(HexOf(w[i].mid(18)), HexOf(HexBytes(cases[i].value))) << i;
    }
    EXPECT_EQ(w[0].size(), 23);
    Fake().writeCodes = {-15};
    EXPECT_EQ(CmdKeySetKeyByte(1, 0x78, 1), -1);
    EXPECT_EQ(CmdKeySetKeyBytes(1, 0x78, QByteArray(300, 'a'), 300), -1);  // too long for a frame
    EXPECT_EQ(Fake().count("WriteData"), 9);
    EXPECT_EQ(Fake().count("PortOpen"), 0);
}

TEST(LinkKeyFrame, ReadersResultRules)
{
    CmdScope scope;
    int32_t word = 77;
    QByteArray raw;
    Fake().reads = {{HexBytes("34 12")}};
    EXPECT_EQ(CmdKeyGetKeyWord2(1, 0x12C, word, raw), 2);
    EXPECT_EQ(word, 0x1234);
    EXPECT_EQ(raw, HexBytes("34 12"));
    EXPECT_EQ(Fake().sleeps, std::vector<uint32_t>({50}));
    EXPECT_EQ(Fake().count("PrinterDestroy"), 1);

    struct Case { std::deque<ReadStep> reads; uint32_t n; int32_t result; };
    const Case cases[] = {
        {{{HexBytes("01 02 03 04 05 06")}}, 6, 6},
        {{{HexBytes("01 02 03 04")}}, 6, 0},  // short reply is not a value
        {{{QByteArray(), -15}}, 6, -1},
        {{{HexBytes("01 02"), -15}}, 6, 0},
    };
    for (const Case& c : cases) {
        PrtCreatePrinter(QStringLiteral("M"));
        Fake() = FakeEngine{};
        Fake().reads = c.reads;
        QByteArray buf;
        EXPECT_EQ(CmdKeyGetKeyBytes(1, 0x12C, buf, c.n), c.result);
        EXPECT_EQ(Fake().sleeps, std::vector<uint32_t>({60}));
    }

    PrtCreatePrinter(QStringLiteral("M"));
    Fake() = FakeEngine{};
    word = 77;
    EXPECT_EQ(CmdKeyGetKeyWord(1, 0x12C, word), 0);
    EXPECT_EQ(word, 77) << "no byte: value left alone";

    PrtCreatePrinter(QStringLiteral("M"));
    Fake().reads = {{HexBytes("41 00 42")}};
    QString text;
    CmdKeyGetKeyString(1, 0x190, 32, text);
    EXPECT_EQ(text, QStringLiteral("AB"));
    EXPECT_EQ(Fake().last("ReadDataEOF")->data, QByteArray("128"));

    PrtCreatePrinter(QStringLiteral("M"));
    Fake().reads = {{HexBytes("09")}};
    uint8_t b = 0;
    CmdKeyGetKeyByte(true, b);
    EXPECT_EQ(b, 9);
    EXPECT_EQ(HexOf(Fake().writes().back()), HexOf(BuildGetKeyFrame(1, 0xCE, 1)));
}

// Mended: a reader whose frame write failed still read, and stale bytes came back as
// the value.
TEST(LinkKeyFrame, FailedFrameWriteReadsNothing)
{
    CmdScope scope;
    Fake().writeCodes = {-15, -15, -15};
    Fake().reads = {{HexBytes("55")}, {HexBytes("55")}, {HexBytes("55")}};
    QByteArray buf;
    EXPECT_EQ(CmdGetKeyFrame(1, 0x64, buf), -1);
    PrtCreatePrinter(QStringLiteral("M"));
    EXPECT_EQ(CmdKeyGetKeyByteValue(1, 0x64, buf), -1);
    PrtCreatePrinter(QStringLiteral("M"));
    QString text = QStringLiteral("old");
    CmdKeyGetKeyString(1, 0x64, 8, text);
    EXPECT_EQ(text, QString());
    EXPECT_EQ(Fake().count("ReadData") + Fake().count("ReadDataEOF"), 0);
}

TEST(LinkKeyFrame, PortDisciplinesOfTheKeyModule)
{
    struct Case {
        const char* name;
        std::function<QString()> run;  // the result as text
        const char* result;
        int opens, closes, destroys;
        std::vector<uint32_t> sleeps;
    };
    QByteArray buf;
    QString text;
    const Case cases[] = {
        {"open and drain", [] { CmdKeyOpenAndDrain(); return QString(); }, "", 1, 0, 0, {}},
        {"do", [] { return QString::number(CmdKeyDo(KEY_reset_printer)); }, "0", 1, 1, 1, {}},
        {"getval", [] { return CmdKeyGetVal(KEY_ppl); }, "R", 1, 1, 1, {100}},
        {"byte, left open", [&] { return QString::number(CmdGetKeyByte(1, 0x64, buf)); }, "1", 1, 0, 0, {50}},
        {"byte value", [&] { return QString::number(CmdKeyGetKeyByteValue(1, 0x64, buf)); }, "1", 1, 1, 1, {50}},
        {"byte2, caller's port", [&] { return QString::number(CmdKeyGetKeyByte2(1, 0x64, buf, false)); }, "1", 0, 0, 0, {50}},
        {"byte2, own port", [&] { return QString::number(CmdKeyGetKeyByte2(1, 0x64, buf, true)); }, "1", 1, 1, 1, {50}},
        {"string", [&] { CmdKeyGetKeyString(1, 0x64, 4, text); return text; }, "R", 1, 1, 1, {50}},
    };
    for (const Case& c : cases) {
        CmdScope scope;
        Fake().reads = {{QByteArray("R")}};
        EXPECT_EQ(c.run(), QLatin1String(c.result)) << c.name;
        EXPECT_EQ(Fake().count("PortOpen"), c.opens) << c.name;
        EXPECT_EQ(Fake().count("PortClose"), c.closes) << c.name;
        EXPECT_EQ(Fake().count("PrinterDestroy"), c.destroys) << c.name;
        EXPECT_EQ(Fake().sleeps, c.sleeps) << c.name;
        EXPECT_EQ(Fake().count("ReadData") + Fake().count("ReadDataEOF"), c.name == std::string("do") ? 0 : 1) << c.name;
    }
    {
        CmdScope scope;
        CmdKeyOpenAndDrain();
        EXPECT_EQ(Fake().last("ReadData")->data, QByteArray("512"));
        EXPECT_EQ(Fake().count("WriteData"), 0);
    }

    // A reader that opens and cannot: one box, no frame, result 0 (empty text).
    CmdScope scope;
    Fake().openCodes = std::deque<int>(12, -13);
    prt::test::MsgBoxRecorder boxes;
    EXPECT_EQ(CmdGetKeyByte(1, 0x64, buf), 0);
    EXPECT_EQ(CmdKeyGetKeyByteValue(1, 0x64, buf), 0);
    int32_t word = 7;
    EXPECT_EQ(CmdKeyGetKeyWord(1, 0x64, word), 0);
    EXPECT_EQ(word, 7);
    EXPECT_EQ(CmdKeyGetKeyBytes(1, 0x64, buf, 4), 0);
    text = QStringLiteral("old");
    CmdKeyGetKeyString(1, 0x64, 4, text);
    EXPECT_EQ(text, QString());
    EXPECT_EQ(CmdKeyGetVal(KEY_ppl), QString());
    EXPECT_EQ(boxes.calls().size(), 6u);
    EXPECT_EQ(Fake().count("WriteData"), 0);
}
