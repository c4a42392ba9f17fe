// Parameter block, protocol probe and firmware query over the fake engine.
#include "FakeEngine.h"
#include "PrtTexts.h"
#include "TestSupport.h"
#include "mdlLinkSeams.h"
#include "mdlPrinterLib.h"
#include "mdlPrtParamBlock.h"

#include <gtest/gtest.h>

using namespace linktest;

namespace {

QByteArray Block(uint16_t* sumOut = nullptr, uint8_t fill = 0x11)
{
    QByteArray b(256, static_cast<char>(fill));
    b[0] = 0x78;
    uint16_t sum = 0;
    for (int i = 0; i < 254; ++i)
        sum = static_cast<uint16_t>(sum + static_cast<uint8_t>(b.at(i)));
    b[254] = static_cast<char>(sum & 0xFF);
    b[255] = static_cast<char>(sum >> 8);
    if (sumOut)
        *sumOut = sum;
    return b;
}

QByteArray Bytes(const TParamBlock& b)
{
    return QByteArray(reinterpret_cast<const char*>(b.data()), 256);
}

struct BlockScope : FakeEngineScope {
    BlockScope()
    {
        prt::SetLangText(QStringLiteral("_Err_OpenPort"), QStringLiteral("E-open"));
        prt::SetLangText(QStringLiteral("_PortResult-13"), QStringLiteral("refused"));
        prt::SetLangText(QStringLiteral("_Err_WriteData"), QStringLiteral("E-write"));
        prt::SetLangText(QStringLiteral("_Err_ReadData"), QStringLiteral("E-read"));
        prt::SetLangText(QStringLiteral("_Err_CheckSum"), QStringLiteral("E-sum"));
        prt::SetLangText(QStringLiteral("_MSG_Title_Error"), QStringLiteral("Error"));
        SetPrinterSdkKind(1);
        TsplCreateGlobalPrinter(QStringLiteral("M"));
        Fake().calls.clear();
    }
    ~BlockScope() { prt::ClearLangTexts(); }
};

} // namespace

TEST(LinkBlock, ReadOutcomes)
{
    QByteArray good = Block();
    QByteArray wrongSum = good;
    wrongSum[254] = static_cast<char>(wrongSum.at(254) ^ 1);
    QByteArray zeroSum = good;  // complete, but its sum bytes are 00 00
    zeroSum[254] = 0;
    zeroSum[255] = 0;
    struct Case {
        const char* name;
        std::deque<ReadStep> reads;
        int openCode;
        int writeCode;
        const char* result;
        int reads_;
    };
    const Case cases[] = {
        {"whole", {{good}}, 0, 0, "OK", 1},
        {"already open", {{good}}, 5, 0, "OK", 1},
        // 200 bytes, then nothing for both tries; the missing 56 come on the second round
        {"split", {{good.left(200)}, {}, {good.mid(200)}}, 0, 0, "OK", 3},
        {"zero block", {{QByteArray(256, '\0')}}, 0, 0, "E-read", 1},
        {"nothing", {}, 0, 0, "E-read", 4},
        {"wrong sum", {{wrongSum}}, 0, 0, "E-sum", 1},
        {"sum 00 00", {{zeroSum}}, 0, 0, "E-sum", 1},  // no second read: the count is 256
        {"open fails", {}, -13, 0, "E-open:-13 (refused)", 0},
        {"request fails", {}, 0, -15, "E-write", 0},
    };
    for (const Case& c : cases) {
        BlockScope scope;
        Fake().reads = c.reads;
        Fake().openCodes = {c.openCode, c.openCode};
        Fake().writeCodes = {c.writeCode};
        TParamBlock block;
        block.fill(0xEE);
        QString result;
        ReadParamBlock(block, result);
        EXPECT_EQ(result, QLatin1String(c.result)) << c.name;
        EXPECT_EQ(Fake().count("ReadData"), c.reads_) << c.name;
        if (QLatin1String(c.result) == QLatin1String("OK"))
            EXPECT_EQ(Bytes(block), good) << c.name;
        else
            EXPECT_EQ(Bytes(block), QByteArray(256, char(0xEE))) << c.name << ": block changed on failure";
        const bool opened = c.openCode == 0 || c.openCode == 5;
        EXPECT_EQ(Fake().count("PortClose") > 0, opened) << c.name;
    }
}

TEST(LinkBlock, ReadRequestAndWaitsByKind)
{
    for (int kind : {1, 3, 0}) {
        BlockScope scope;
        SetPrinterSdkKind(kind);
        Fake().reads = {{Block()}};
        TParamBlock block{};
        QString result;
        ReadParamBlock(block, result);
        EXPECT_EQ(result, QStringLiteral("OK"));
        EXPECT_EQ(HexOf(Fake().written()), kind == 1 ? HexOf("ZZZCR\n") : std::string("12 62"));
        EXPECT_EQ(Fake().count("PortOpen", prt::sdk::Lib::Tspl), 1) << "always the TSPL path";
        EXPECT_EQ(Fake().sleeps, std::vector<uint32_t>({200, 50}));
    }
}

TEST(LinkBlock, WriteSetsTheSumInACopy)
{
    BlockScope scope;
    TParamBlock block{};
    block[0] = 0x78;
    block[1] = 0x12;
    block[2] = 0x34;
    // 0x78 + 0x12 + 0x34 + x = 0x1234 -> x = 0x1234 - 0xBE spread over bytes 3..
    uint32_t need = 0x1234 - (0x78 + 0x12 + 0x34);
    for (int i = 3; need > 0 && i < 254; ++i) {
        const uint8_t v = static_cast<uint8_t>(std::min<uint32_t>(need, 255));
        block[i] = v;
        need -= v;
    }
    const TParamBlock original = block;
    EXPECT_TRUE(WriteParamBlock(block));
    EXPECT_EQ(Bytes(block), Bytes(original)) << "the caller's block is not changed";
    const auto w = Fake().writes();
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[0], QByteArray("ZZZCW "));
    EXPECT_EQ(static_cast<uint8_t>(w[1].at(254)), 0x34);
    EXPECT_EQ(static_cast<uint8_t>(w[1].at(255)), 0x12);
    EXPECT_EQ(w[1].left(254), Bytes(original).left(254));
    EXPECT_EQ(Fake().sleeps, std::vector<uint32_t>({20}));
    EXPECT_EQ(Fake().count("PortClose"), 1);

    SetPrinterSdkKind(0);
    Fake().calls.clear();
    Fake().writeCodes = {-15};
    EXPECT_FALSE(WriteParamBlock(block));
    EXPECT_EQ(Fake().writes(), std::vector<QByteArray>({QByteArray("\x12\x63", 2)})) << "block not sent";
    EXPECT_EQ(Fake().count("PortClose"), 1);

    Fake().calls.clear();
    Fake().writeCodes = {0, -15};  // the block itself fails
    EXPECT_FALSE(WriteParamBlock(block));
    EXPECT_EQ(Fake().count("WriteData"), 2);
    EXPECT_EQ(Fake().count("PortClose"), 1);
}

// The code comes first; what it means follows the text.
TEST(LinkBlock, OpenFailureBoxPutsTheCodeFirst)
{
    BlockScope scope;
    Fake().openCodes = {-13, -13};
    prt::test::MsgBoxRecorder boxes;
    EXPECT_FALSE(WriteParamBlock(TParamBlock{}));
    EXPECT_FALSE(CheckFirmwareVersion(QStringLiteral("1.0.0")));
    ASSERT_EQ(boxes.calls().size(), 2u);
    for (const auto& b : boxes.calls()) {
        EXPECT_EQ(b.text, QStringLiteral("-13:E-open (refused)"));
        EXPECT_EQ(b.caption, QStringLiteral("Error"));
        EXPECT_EQ(b.flags, 16u);
    }
    EXPECT_EQ(Fake().count("WriteData"), 0);
}

namespace {
struct ProbeSeams {
    ProbeSeams(const QString& model, const QString& two, const QString& gds, int byModel)
    {
        SetCurrentModelNameProvider([model] { return model; });
        SetProbeModelListProvider([two, gds](const QString& name) {
            return name == QLatin1String("HaveTwoProtocol") ? two : name == QLatin1String("GDS") ? gds : QString();
        });
        SetProtocolNoByModelProvider([byModel](const QString&) { return byModel; });
    }
    ~ProbeSeams()
    {
        SetCurrentModelNameProvider({});
        SetProbeModelListProvider({});
        SetProtocolNoByModelProvider({});
    }
};
} // namespace

TEST(LinkProbe, ModelListsDecideWhatIsAsked)
{
    struct Case {
        const char* name;
        const char* two;
        const char* gds;
        std::deque<ReadStep> reads;
        int result;
        const char* sent;  // hex of what went out
    };
    const Case cases[] = {
        {"lists only", ",A,", ",A,", {}, 3, ""},
        {"ppl tsc", ",X2,", ",X2,", {{QByteArray("tsc")}}, 1, "GETVAL"},
        {"ppl quoted", ",X2,", ",X2,", {{QByteArray("\"EPL\"\r\n")}}, 5, "GETVAL"},
        {"ppl zpl", ",X2,", ",X2,", {{QByteArray(" zpl\0", 5)}}, 4, "GETVAL"},
        {"ppl silent", ",X2,", ",X2,", {}, 4, "GETVAL"},
        {"ppl other", ",X2,", ",X2,", {{QByteArray("ESC")}}, 4, "GETVAL"},
        {"byte 3", ",X2,", ",", {{HexBytes("03")}}, 3, "1B 1B 08"},
        {"no byte", ",X2,", ",", {}, 0, "1B 1B 08"},
        {"read error", ",X2,", ",", {{HexBytes("03"), -15}}, 0, "1B 1B 08"},
        {"substring is not membership", ",X22,", ",", {}, 3, ""},
    };
    for (const Case& c : cases) {
        BlockScope scope;
        ProbeSeams seams(QStringLiteral("X2"), QLatin1String(c.two), QLatin1String(c.gds), 3);
        Fake().reads = c.reads;
        EXPECT_EQ(DetectPrinterProtocol(), c.result) << c.name;
        const std::string sent = c.sent;
        if (sent.empty())
            EXPECT_EQ(Fake().count("WriteData"), 0) << c.name << ": a listed-only model is never asked";
        else if (sent == "GETVAL")
            EXPECT_EQ(Fake().written(), QByteArray("\x1B\x1C\x26\x20\x56\x31\x20getval \"ppl\"\r\n")) << c.name;
        else
            EXPECT_EQ(HexOf(Fake().written()), sent) << c.name;
        EXPECT_EQ(Fake().count("PortOpen") + Fake().count("PortClose"), 0) << c.name;
    }
}

TEST(LinkFirmware, ComparesPartByPart)
{
    struct Case { const char* asked; QByteArray reply; bool result; };
    const Case cases[] = {
        {"1.0.0", HexBytes("01 00 00"), true},   // equal
        {"1.0.0", HexBytes("01 00 05"), true},
        {"1.0.0", HexBytes("00 09 09"), false},
        {"1.03.0", HexBytes("01 02 09"), false},  // the first differing part decides
        {"1.03.0", HexBytes("01 04 00"), true},
        {"1.03.0", HexBytes("02 00 00"), true},
        {"1.0.0", QByteArray(), false},          // silent printer
        {"1.0.0", HexBytes("01 00"), false},     // fewer bytes than parts
        {"2", HexBytes("02"), true},
        {"1.2.3.4", HexBytes("01 02 03"), true},  // at most three parts compared
    };
    for (const Case& c : cases) {
        BlockScope scope;
        if (!c.reply.isEmpty())
            Fake().reads = {{c.reply}};
        EXPECT_EQ(CheckFirmwareVersion(QLatin1String(c.asked)), c.result) << c.asked << " vs " << HexOf(c.reply);
        EXPECT_EQ(Fake().written(), QByteArray("ZZZGETVERSION\r\n"));
        EXPECT_EQ(Fake().sleeps, std::vector<uint32_t>({100}));
        EXPECT_EQ(Fake().count("PortClose"), 1);
    }
    // A failed request still reads: the reply decides.
    BlockScope scope;
    Fake().writeCodes = {-15};
    Fake().reads = {{HexBytes("01 00 00")}};
    EXPECT_TRUE(CheckFirmwareVersion(QStringLiteral("1.0.0")));
    EXPECT_EQ(Fake().count("ReadData"), 1);
}
