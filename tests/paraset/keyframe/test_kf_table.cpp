// The key-frame parameter table: every row of every form from the printer's reply through
// what the control shows to the bytes written back, against the simulator; operation
// bytes in normal and factory mode; the plain mappings; the model rules of the V52 form
// (every role reached by a catalogue model), its speed range and the scan reply.
#include "KeyFrameFixture.h"

#include "CMD_Key.h"
#include "mdlKeyFrameTable.h"
#include "mdlModelCatalog.h"
#include "mdlModelData.h"
#include "mdlOptionLists.h"
#include "mdlParaSetCodecs.h"
#include "mdlParaSetKeyRules.h"
#include "mdlPrinterLib.h"
#include "PrtIni.h"

#include "PubBytes.h"

#include <QStringList>
#include <map>
#include <gtest/gtest.h>

using kftest::KfSim;
using prt::test::Hex;
using prt::test::ToHex;

namespace {

QStringList Items(std::initializer_list<const char*> items)
{
    QStringList l;
    for (const char* i : items)
        l << QString::fromUtf8(i);
    return l;
}

QStringList Numbers(int from, int to)
{
    QStringList l;
    for (int i = from; i <= to; ++i)
        l << QString::number(i);
    return l;
}

QStringList TextsOf(const QStringList& list)
{
    QStringList t;
    for (const QString& line : list)
        t << line.mid(line.indexOf('=') + 1);
    return t;
}

// One row case: the printer holds `reply`; the control then shows `shown` (item text, edit
// text, "ticked"/"clear", or the address parts joined by "."), or nothing when empty; an
// unchanged Set writes `written` (hex), or nothing when null.
struct RowCase {
    TKfForm form;
    uint16_t id;
    const char* reply;
    QStringList items;
    QStringList list;   // name=value lines (value-list rows)
    QString shown;
    const char* written;
    bool alt = false;
};

} // namespace

class KfTable : public KfSim {};

TEST_F(KfTable, EveryRowFromReplyToControlToBytesWritten)
{
    Select("V52");
    const QStringList dhcp = {"1=ON", "0=OFF"};
    const QStringList apPwd = {"0=OFF", "3=ON"};
    const QStringList onOff = {"0=OFF", "1=ON"};
    const QStringList proto = {"4=TSPL", "7=ESC"};
    QStringList release, heating, paperMode, cutter, reprint, language, codePage;
    FillReleasePaperList(&release);
    FillHeatingTimeList(&heating);
    FillPaperModeList(&paperMode);
    FillCutterList(&cutter);
    FillRePrintSwitchList(&reprint);
    FillPrinterLanguageList(&language);
    FillCodePageList(&codePage);
    ASSERT_EQ(release.size(), 256);  // the wide range of the V52
    ASSERT_EQ(heating.first(), "50=50");

    const std::vector<RowCase> cases = {
        // V52
        {KF_V52, 0x64, "01", {}, dhcp, "ON", "01"},
        {KF_V52, 0x64, "00", {}, dhcp, "OFF", "00"},
        {KF_V52, 0x64, "02", {}, dhcp, "", nullptr},
        {KF_V52, 0x65, "C0 A8 00 21", {}, {}, "192.168.0.33", "C0 A8 00 21"},
        {KF_V52, 0x65, "C0 A8 00", {}, {}, "", nullptr},  // short reply
        {KF_V52, 0x66, "FF FF FF 00", {}, {}, "255.255.255.0", "FF FF FF 00"},
        {KF_V52, 0x67, "C0 A8 00 01", {}, {}, "192.168.0.1", "C0 A8 00 01"},
        {KF_V52, 0x68, "50 52 4E 2D 31", {}, {}, "PRN-1", "50 52 4E 2D 31 00 00 00 00 00 00 00"},
        {KF_V52, 0x68, "41 42 43 44 45 46 47 48 49 4A 4B 4C", {}, {}, "ABCDEFGHIJKL",
         "41 42 43 44 45 46 47 48 49 4A 4B 4C"},
        {KF_V52, 0x69, "31 32 33 34", {}, {}, "1234", "31 32 33 34"},
        {KF_V52, 0x6a, "00", {}, {}, "ticked", "00"},
        {KF_V52, 0x6a, "01", {}, {}, "clear", "01"},
        {KF_V52, 0x6a, "07", {}, {}, "clear", "01"},
        {KF_V52, 0x71, "00 1A 2B 3C 4D 5E", {}, {}, "00.1A.2B.3C.4D.5E", nullptr},
        {KF_V52, 0x78, "01", Items({"AP", "STA"}), {}, "AP", "01"},
        {KF_V52, 0x78, "02", Items({"AP", "STA"}), {}, "STA", "02"},
        {KF_V52, 0x78, "00", Items({"AP", "STA"}), {}, "", nullptr},
        {KF_V52, 0x79, "03", {}, apPwd, "ON", "03"},
        {KF_V52, 0x79, "01", {}, apPwd, "", nullptr},
        {KF_V52, 0x7a, "41 50 2D 4E 45 54", {}, {}, "AP-NET",
         "41 50 2D 4E 45 54 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {KF_V52, 0x7b, "70 77", {}, {}, "pw",
         "70 77 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        // A station name in UTF-8 ("Caf\u00e9") comes back and goes out as the same bytes.
        {KF_V52, 0x7c, "43 61 66 C3 A9", {}, {}, QString::fromUtf8("Caf\xC3\xA9"),
         "43 61 66 C3 A9 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {KF_V52, 0x7d, "73 65 63 72 65 74", {}, {}, "secret",
         "73 65 63 72 65 74 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {KF_V52, 0x80, "C0 A8 04 01", {}, {}, "192.168.4.1", "C0 A8 04 01"},
        {KF_V52, 0x81, "0A 00 00 05", {}, {}, "10.0.0.5", "0A 00 00 05"},
        {KF_V52, 0x82, "01", Items({"OFF", "ON"}), {}, "ON", "01"},
        {KF_V52, 0x83, "00", Items({"OFF", "ON"}), {}, "OFF", "00"},
        {KF_V52, 0x84, "01", Items({"OFF", "ON"}), {}, "ON", "01"},
        {KF_V52, 0x84, "02", Items({"OFF", "ON"}), {}, "", nullptr},
        {KF_V52, 0x85, "0A 00 00 01", {}, {}, "10.0.0.1", "0A 00 00 01"},
        {KF_V52, 0x86, "FF FF 00 00", {}, {}, "255.255.0.0", "FF FF 00 00"},
        {KF_V52, 0x93, "AA BB CC 01 02 03", {}, {}, "AA.BB.CC.01.02.03", nullptr},
        {KF_V52, 0x93, "AA BB CC", {}, {}, "", nullptr},
        {KF_V52, 0x9a, "C0 A8 04 FE", {}, {}, "192.168.4.254", "C0 A8 04 FE"},
        {KF_V52, 0x9b, "FF FF FF 00", {}, {}, "255.255.255.0", "FF FF FF 00"},
        {KF_V52, 0xca, "05", Numbers(4, 7), {}, "5", "05"},
        {KF_V52, 0xca, "09", Numbers(4, 7), {}, "", nullptr},
        {KF_V52, 0xcb, "0F", Numbers(0, 15), {}, "15", "0F"},
        {KF_V52, 0xcb, "10", Numbers(0, 15), {}, "", nullptr},
        {KF_V52, 0xce, "00", Items({"a", "b", "c"}), {}, "a", "00"},
        {KF_V52, 0xce, "01", Items({"a", "b", "c"}), {}, "c", "01"},
        {KF_V52, 0xce, "02", Items({"a", "b", "c"}), {}, "b", "02"},
        {KF_V52, 0xce, "01", Items({"a", "b"}), {}, "", nullptr},  // two-item list: no third
        {KF_V52, 0xd0, "F4 FF", {}, {}, "-1", "F8 FF"},
        {KF_V52, 0xd0, "0C 00", {}, {}, "1", "08 00"},
        {KF_V52, 0xd0, "18 00", {}, {}, "3", "18 00"},
        {KF_V52, 0xd0, "18", {}, {}, "", nullptr},  // one byte of a word
        {KF_V52, 0xec, "01", {}, onOff, "ON", "01"},
        {KF_V52, 0xf0, "64", TextsOf(heating), {}, "100", "64"},
        {KF_V52, 0xf0, "20", TextsOf(heating), {}, "", nullptr},
        {KF_V52, 0xf1, "02", Items({"p1", "p2", "p3"}), {}, "p3", "02 00 00 00"},
        {KF_V52, 0x12c, "01", TextsOf(language), language, language.at(1).mid(2), "01"},
        {KF_V52, 0x138, "07", {}, proto, "ESC", "07"},
        {KF_V52, 0x138, "05", {}, proto, "", nullptr},
        {KF_V52, 0x142, "09 00", TextsOf(codePage), codePage, "9 : Multilingual : CP_850", "09 00"},
        {KF_V52, 0x142, "FF FF", TextsOf(codePage), codePage, "", nullptr},
        {KF_V52, 0x1a0, "05", TextsOf(release), release, "5", "05"},
        {KF_V52, 0x1a0, "FF", TextsOf(release), release, "255", "FF"},
        // W16P
        {KF_W16P, 0x6c, "01", Items({"4800", "9600", "19200", "38400", "57600", "115200"}), {}, "9600", "01"},
        {KF_W16P, 0x6c, "06", Items({"4800", "9600", "19200", "38400", "57600", "115200"}), {}, "", nullptr},
        {KF_W16P, 0xca, "07", Numbers(5, 10), {}, "7", "07"},
        {KF_W16P, 0xca, "04", Numbers(5, 10), {}, "", nullptr},
        {KF_W16P, 0xcb, "03", Numbers(0, 15), {}, "3", "03"},
        {KF_W16P, 0xce, "02", TextsOf(paperMode), paperMode, paperMode.at(2).mid(2), "02"},
        {KF_W16P, 0xd0, "FB FF", {}, {}, "-5", "FB FF"},
        {KF_W16P, 0xd0, "0C 00", {}, {}, "12", "0C 00"},
        {KF_W16P, 0xd0, "FA FF", {}, {}, "-5", "FA FF", true},   // outside the wide range
        {KF_W16P, 0xd0, "0C 00", {}, {}, "12", "0C 00", true},
        {KF_W16P, 0xd0, "63 00", {}, {}, "99", "63 00", true},
        {KF_W16P, 0xd5, "01", TextsOf(cutter), cutter, cutter.at(1).mid(2), "01"},
        {KF_W16P, 0xec, "00", TextsOf(reprint), reprint, reprint.at(1).mid(2), "00"},
        {KF_W16P, 0xee, "64 00", {}, {}, "100", "64 00"},
        {KF_W16P, 0xee, "E7 03", {}, {}, "999", "E7 03"},
        {KF_W16P, 0x194, "03", Numbers(0, 3), {}, "3", "03"},
        {KF_W16P, 0x19e, "02", Numbers(0, 3), {}, "2", "02"},
        {KF_W16P, 0x19e, "04", Numbers(0, 3), {}, "", nullptr},
        {KF_W16P, 0x1a0, "00", TextsOf(release), release, release.at(0).mid(2), "00"},
        // UZ650B
        {KF_UZ650B, 0x68, "55 5A 2D 42 54", {}, {}, "UZ-BT", "55 5A 2D 42 54 00 00 00 00 00 00 00"},
        {KF_UZ650B, 0x69, "30 30 30 30", {}, {}, "0000", "30 30 30 30"},
        {KF_UZ650B, 0xca, "03", Items({"2", "3", "4"}), {}, "3", "03"},
        {KF_UZ650B, 0xca, "02", Items({"2", "3", "4"}), {}, "2", "02"},
        {KF_UZ650B, 0xca, "01", Items({"2", "3", "4"}), {}, "", nullptr},
        {KF_UZ650B, 0xcb, "0C", Numbers(0, 15), {}, "12", "0C"},
        {KF_UZ650B, 0xce, "01", Items({"Receipt", "BlackMark", "Label"}), {}, "BlackMark", "01"},
        {KF_UZ650B, 0xd1, "01", Items({"Disable", "Enable"}), {}, "Enable", "01"},
        {KF_UZ650B, 0x195, "01", Items({"ESC Protocol", "TSC Protocol"}), {}, "TSC Protocol", "01"},
    };

    for (const RowCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "form " << int(c.form) << " id 0x" << std::hex << c.id << " reply "
                                        << c.reply << (c.alt ? " alt" : ""));
        const TKeyFrameRow* row = FindKeyFrameRow(c.form, c.id);
        ASSERT_NE(row, nullptr);
        Key(c.id, Hex(c.reply));
        QByteArray reply;
        const bool read = KfReadRow(*row, 1, reply, c.alt);
        TKfContext ctx;
        ctx.Items = c.items.isEmpty() ? TextsOf(c.list) : c.items;
        ctx.List = c.list.isEmpty() ? nullptr : &c.list;
        ctx.Alt = c.alt;
        TKfShown shown;
        const bool filled = read && KfDecode(*row, reply, ctx, shown);
        QString text = shown.Text;
        if (row->Map == TKfMap::InvertedCheck)
            text = shown.Checked ? "ticked" : "clear";
        if (row->Map == TKfMap::Octets || row->Map == TKfMap::MacHex)
            text = shown.Parts.join('.');
        if (!filled)
            text.clear();
        EXPECT_EQ(text, c.shown);
        TKfWire wire;
        const bool encoded = filled && KfEncode(*row, shown, ctx, wire);
        EXPECT_EQ(encoded, c.written != nullptr);
        if (!encoded)
            continue;
        SimClearSetKeyLog(printer);
        ASSERT_TRUE(KfOpenPort());
        EXPECT_EQ(KfWriteRow(*row, 1, wire, c.alt), 0);
        CmdKeyClosePort();
        const auto log = SetKeys();
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].id, c.id);
        EXPECT_EQ(ToHex(log[0].value), ToHex(Hex(c.written)));
    }
}

TEST_F(KfTable, ReadersAskForTheRowsWidthAndSilenceOrShortRepliesGiveNoValue)
{
    // Widths asked (byte 18 of the getkey frame): V52 password 6, UZ650B password 4, MAC 6.
    const struct {
        TKfForm form;
        uint16_t id;
        int asked;
    } widths[] = {{KF_V52, 0x69, 6}, {KF_UZ650B, 0x69, 4}, {KF_V52, 0x68, 12}, {KF_V52, 0x71, 6},
                  {KF_V52, 0x7c, 32}, {KF_V52, 0x65, 4}, {KF_V52, 0xd0, 2}, {KF_W16P, 0xee, 2},
                  {KF_V52, 0xf1, 1}};
    for (const auto& w : widths) {
        printer.clearReceived();
        QByteArray reply;
        KfReadRow(*FindKeyFrameRow(w.form, w.id), 1, reply);
        const QByteArray r = printer.received();
        ASSERT_GE(r.size(), 19);
        EXPECT_EQ(static_cast<uint8_t>(r.at(18)), w.asked) << std::hex << w.id;
    }
    // A silent id, and a word answered with one byte, give no value.
    Key(0xcb, Hex("05"));
    Key(0xd0, Hex("18 00"));
    SimSetKeySilent(printer, 0xcb);
    SimSetKeyShort(printer, 0xd0, 1);
    QByteArray reply;
    EXPECT_FALSE(KfReadRow(*FindKeyFrameRow(KF_V52, 0xcb), 1, reply));
    EXPECT_FALSE(KfReadRow(*FindKeyFrameRow(KF_V52, 0xd0), 1, reply));
    SimSetKeySilent(printer, 0xcb, false);
    SimSetKeyShort(printer, 0xd0, -1);
    EXPECT_TRUE(KfReadRow(*FindKeyFrameRow(KF_V52, 0xcb), 1, reply));
    EXPECT_EQ(ToHex(reply), "05");
}

TEST_F(KfTable, GoldenFrames)
{
    SetOpByte(1);
    Key(0xcb, Hex("03"));
    printer.clearReceived();
    QByteArray reply;
    ASSERT_TRUE(KfReadRow(*FindKeyFrameRow(KF_V52, 0xcb), 1, reply));
    EXPECT_EQ(ToHex(printer.received()), ToHex(Hex("1B 1C 26 20 56 31 20 67 65 74 6B 65 79 0D 0A 01 CB 00 01")));

    printer.clearReceived();
    ASSERT_TRUE(KfOpenPort());
    TKfWire stop;
    ASSERT_TRUE(KfEncode(*FindKeyFrameRow(KF_V52, 0xd0), TKfShown{-1, "3", false, {}}, {}, stop));
    KfWriteRow(*FindKeyFrameRow(KF_V52, 0xd0), 1, stop);
    TKfWire box;
    TKfContext boxCtx;
    boxCtx.Items = Items({"p1", "p2", "p3"});
    ASSERT_TRUE(KfEncode(*FindKeyFrameRow(KF_V52, 0xf1), TKfShown{2, "p3", false, {}}, boxCtx, box));
    KfWriteRow(*FindKeyFrameRow(KF_V52, 0xf1), 1, box);
    CmdKeyClosePort();
    const auto frames = kftest::SetKeyFrames(Received());
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(ToHex(frames[0]),
              ToHex(Hex("1B 1C 26 20 56 31 20 73 65 74 6B 65 79 0D 0A 01 D0 00 02 18 00")));
    EXPECT_EQ(ToHex(frames[1]),
              ToHex(Hex("1B 1C 26 20 56 31 20 73 65 74 6B 65 79 0D 0A 01 F1 00 04 02 00 00 00")));
}

TEST(KfOps, OperationBytesPerFormNormalAndFactory)
{
    // (form, id, read op, write op) in factory mode, where the global byte is 0.
    const struct {
        TKfForm form;
        uint16_t id;
        int read, write;
    } ops[] = {
        {KF_V52, 0x68, 0, 1}, {KF_V52, 0x69, 0, 1}, {KF_V52, 0x6a, 0, 1}, {KF_V52, 0xca, 0, 1},
        {KF_V52, 0xcb, 0, 1}, {KF_V52, 0xce, 0, 1}, {KF_V52, 0xd0, 0, 1}, {KF_V52, 0xf0, 0, 1},
        {KF_V52, 0xf1, 0, 1}, {KF_V52, 0x64, 0, 0}, {KF_V52, 0x65, 0, 0}, {KF_V52, 0x78, 0, 0},
        {KF_V52, 0x7c, 0, 0}, {KF_V52, 0xec, 0, 0}, {KF_V52, 0x142, 0, 0}, {KF_V52, 0x1a0, 0, 0},
        {KF_W16P, 0x6c, 1, 1}, {KF_W16P, 0xca, 1, 1}, {KF_W16P, 0xcb, 1, 1}, {KF_W16P, 0xd0, 1, 1},
        {KF_W16P, 0x194, 1, 1}, {KF_W16P, 0x19e, 1, 1}, {KF_W16P, 0xce, 0, 0}, {KF_W16P, 0xec, 0, 0},
        {KF_W16P, 0x1a0, 0, 0}, {KF_W16P, 0xd5, 1, 0}, {KF_W16P, 0xee, 1, 0},
        {KF_UZ650B, 0x68, 1, 1}, {KF_UZ650B, 0x69, 1, 1}, {KF_UZ650B, 0xca, 1, 1}, {KF_UZ650B, 0xcb, 1, 1},
        {KF_UZ650B, 0xce, 1, 1}, {KF_UZ650B, 0xd1, 1, 1}, {KF_UZ650B, 0x195, 1, 1},
    };
    for (const auto& o : ops) {
        const TKeyFrameRow* row = FindKeyFrameRow(o.form, o.id);
        ASSERT_NE(row, nullptr) << std::hex << o.id;
        EXPECT_EQ(KfOpByte(row->ReadOp, 0), o.read) << std::hex << o.id;
        EXPECT_EQ(KfOpByte(row->WriteOp, 0), o.write) << std::hex << o.id;
        EXPECT_EQ(KfOpByte(row->ReadOp, 1), 1);
        EXPECT_EQ(KfOpByte(row->WriteOp, 1), 1);
    }
    // Every form's ids, no more.
    const auto ids = [](TKfForm f) {
        std::vector<int> v;
        for (const TKeyFrameRow& r : KeyFrameRows())
            if (r.Form == f)
                v.push_back(r.Id);
        return v;
    };
    EXPECT_EQ(ids(KF_V52), (std::vector<int>{0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x71, 0x78, 0x79, 0x7a,
                                             0x7b, 0x7c, 0x7d, 0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x93,
                                             0x9a, 0x9b, 0xca, 0xcb, 0xce, 0xd0, 0xec, 0xf0, 0xf1, 0x12c,
                                             0x138, 0x142, 0x1a0}));
    EXPECT_EQ(ids(KF_W16P),
              (std::vector<int>{0x6c, 0xca, 0xcb, 0xce, 0xd0, 0xd5, 0xec, 0xee, 0x194, 0x19e, 0x1a0}));
    EXPECT_EQ(ids(KF_UZ650B), (std::vector<int>{0x68, 0x69, 0xca, 0xcb, 0xce, 0xd1, 0x195}));
}

TEST(KfMappings, PlainRules)
{
    // Print-to-stop (V52): signed / 8 cut toward zero.
    EXPECT_EQ(KfStopShownOfWord(-12), -1);
    EXPECT_EQ(KfStopShownOfWord(12), 1);
    EXPECT_EQ(KfStopShownOfWord(-7), 0);
    EXPECT_EQ(KfStopWordOfShown(3), 24);
    // W16P print-to-stop outside the wide range: "-5" goes out as FA FF and reads back.
    EXPECT_EQ(KfW16PStopWireValue(-5, false), 0xFFFA);
    EXPECT_EQ(KfW16PStopShown(0xFA, 0xFF, false), -5);
    EXPECT_EQ(KfW16PStopShown(0xFA, 0x00, false), 250 - 65535);
    EXPECT_EQ(KfW16PStopShown(0x63, 0x00, false), 99);
    EXPECT_EQ(KfW16PStopWireValue(12, false), 12);
    EXPECT_EQ(KfW16PStopWireValue(-5, true), -5);
    EXPECT_EQ(KfW16PStopShown(0xFB, 0xFF, true), -5);
    // Detection mode permutation is its own inverse.
    for (int v = 0; v < 3; ++v)
        EXPECT_EQ(KfDetectValueOfIndex(KfDetectIndexOfValue(v)), v);
    EXPECT_EQ(KfDetectIndexOfValue(3), -1);
    // Numbers and octets.
    int n = 0;
    for (const char* bad : {"", "-", "1-", "abc", " 1 2", "+3"})
        EXPECT_FALSE(KfParseInt(bad, n)) << bad;
    EXPECT_TRUE(KfParseInt(" -99 ", n));
    EXPECT_EQ(n, -99);
    QByteArray b;
    EXPECT_TRUE(KfOctetsOfTexts({"192", "168", "0", "255"}, b));
    EXPECT_EQ(ToHex(b), "C0 A8 00 FF");
    for (const QStringList& bad : {QStringList{"256", "0", "0", "0"}, QStringList{"", "0", "0", "0"},
                                   QStringList{"-1", "0", "0", "0"}, QStringList{"1a", "0", "0", "0"},
                                   QStringList{"0001", "0", "0", "0"}})
        EXPECT_FALSE(KfOctetsOfTexts(bad, b)) << bad.join('.').toStdString();
    EXPECT_EQ(KfMacTexts(Hex("00 0A FF")), (QStringList{"00", "0A", "FF"}));
    // The signed filter of the print-to-stop edits.
    EXPECT_TRUE(paraset::TextPasses(paraset::TKeyFilter::SignedNumber, "-12"));
    EXPECT_FALSE(paraset::TextPasses(paraset::TKeyFilter::SignedNumber, "1a"));
    EXPECT_FALSE(paraset::TextPasses(paraset::TKeyFilter::SignedNumber, "+1"));
}

// ---- V52 model rules ---------------------------------------------------------------------------

namespace {
QStringList CatalogueModels()
{
    return {GetModelName_V52(),     GetModelName_V52R(),      GetModelName_V52BT(),     GetModelName_V64(),
            GetModelName_V64C(),    GetModelName_Y7(),        GetModelName_Y7BT(),      GetModelName_Y7_01(),
            GetModelName_TE62(),    GetModelName_TE62BT(),    GetModelName_TA380(),     GetModelName_QT_V64(),
            GetModelName_QT_V64BT(), GetModelName_GS_PR540D(), GetModelName_GS_PR540X(), GetModelName_Kastor_Y7()};
}
} // namespace

TEST(KfV52Rules, EveryRoleIsReachedByACatalogueModelAndMissedByAnother)
{
    const TV52RoleLists& lists = V52RoleListData();
    const QString withBt = ",V52BT,Y7BT,TE62BT,";
    std::map<std::string, std::pair<int, int>> seen;  // flag -> (models on, models off)
    auto note = [&](const char* name, bool on) { (on ? seen[name].first : seen[name].second)++; };
    for (const QString& m : CatalogueModels()) {
        for (int perm = 0; perm <= 1; ++perm) {
            TV52Inputs in{m, m, withBt, perm, IsInCommaList(m, ReleasePaperModels)};
            const TV52Layout l = V52LayoutFor(lists, in);
            note("drain", l.Drain);
            note("speed", l.SpeedRow);
            note("release", l.ReleaseRows);
            note("protocol", l.ProtocolRow);
            note("language", l.LanguageRow);
            note("repeat", l.RepeatPrintRow);
            note("box", l.BoxPositionRow);
            note("finetune", l.FineTuneRow);
            note("ethernet", l.Ethernet);
            note("wifi", l.Wifi);
            note("scan", l.Scan);
            note("apaddress", l.ApAddress);
            note("bluetooth", l.Bluetooth);
            note("codepage", l.CodePage);
            note("releaseRead", l.ReleaseRead);
            note("detectTwo", l.DetectTwoItems);
            note("wifiSta", l.Wifi && !l.ApAddress);
            const TV52SpeedRange r = V52SpeedRangeByLists(lists, m, m, V64COneModels, perm);
            note("max6", r.MaxSettled && r.Max == 6);
            note("max5", r.MaxSettled && r.Max == 5);
            note("max4", r.MaxSettled && r.Max == 4);
            note("ask", r.AskPrinter);
            note("min3", r.Min == 3);
            note("min2", r.Min == 2);
        }
    }
    for (const auto& [name, counts] : seen) {
        EXPECT_GT(counts.first, 0) << name << " is reached by no model";
        EXPECT_GT(counts.second, 0) << name << " is on for every model";
    }
    EXPECT_EQ(seen.size(), 23u);
    // Scan models and the AP-address model are Wi-Fi models; the no-release list is the
    // no-drain and no-speed lists together.
    for (const QString& m : CatalogueModels()) {
        if (IsInCommaList(m, lists.Scan) || IsInCommaList(m, lists.ApAddress)) {
            EXPECT_TRUE(IsInCommaList(m, lists.Wifi)) << m.toStdString();
        }
        EXPECT_EQ(IsInCommaList(m, lists.NoRelease),
                  IsInCommaList(m, lists.NoDrain) || IsInCommaList(m, lists.NoSpeed))
            << m.toStdString();
    }
}

TEST(KfV52Rules, ListsDecideItemsRowsAndBluetooth)
{
    TV52RoleLists l;
    l.Density0To3 = ",A,";
    l.Density1To4 = ",A,B,";
    l.Speed2To6 = ",A,";
    l.Speed2To5 = ",B,";
    l.NoSpeed = ",C,";
    l.NoDrain = ",D,";
    l.NoRelease = ",C,D,";
    l.Release = ",R,";
    l.NoCodePage = ",N,";
    l.Bluetooth3 = ",T,";
    l.Bluetooth2 = ",L2,";
    l.DetectTwoItems = ",A,";
    const auto lay = [&](const char* cur, const char* listed, int perm = 0, bool rel = false) {
        return V52LayoutFor(l, TV52Inputs{cur, listed, ",W,", perm, rel});
    };
    EXPECT_EQ(lay("A", "A").DensityItems, Numbers(0, 3));
    EXPECT_EQ(lay("B", "B").DensityItems, Numbers(1, 4));
    EXPECT_EQ(lay("X", "X").DensityItems, Numbers(0, 15));
    EXPECT_EQ(lay("A", "A").SpeedItems, Numbers(2, 6));
    EXPECT_EQ(lay("B", "B").SpeedItems, Numbers(2, 5));
    EXPECT_EQ(lay("C", "C").SpeedItems, Numbers(2, 4));
    EXPECT_EQ(lay("X", "X").SpeedItems, Numbers(4, 7));
    EXPECT_TRUE(lay("A", "X").DetectTwoItems);   // current name
    EXPECT_FALSE(lay("X", "A").DetectTwoItems);
    EXPECT_FALSE(lay("C", "C").SpeedRow);
    EXPECT_FALSE(lay("C", "C").ReleaseRows);
    EXPECT_FALSE(lay("D", "D").Drain);
    EXPECT_TRUE(lay("D", "D").SpeedRow);
    // Code page: outside no-release and no-code-page, and the release list or the permission.
    EXPECT_TRUE(lay("R", "R").CodePage);
    EXPECT_FALSE(lay("X", "X").CodePage);
    EXPECT_TRUE(lay("X", "X", 1).CodePage);
    EXPECT_FALSE(lay("N", "N", 1).CodePage);
    EXPECT_FALSE(lay("R", "D").CodePage);
    // Release paper read: the per-model flag or the release list, never for no-release.
    EXPECT_TRUE(lay("X", "X", 0, true).ReleaseRead);
    EXPECT_TRUE(lay("R", "R").ReleaseRead);
    EXPECT_FALSE(lay("X", "X").ReleaseRead);
    EXPECT_FALSE(lay("X", "C", 0, true).ReleaseRead);
    // Bluetooth: "V52_WithBT", the release list and the 3-model list by the current name, the
    // 2-model list by the listed name.
    EXPECT_TRUE(lay("W", "x").Bluetooth);
    EXPECT_TRUE(lay("R", "x").Bluetooth);
    EXPECT_TRUE(lay("T", "x").Bluetooth);
    EXPECT_TRUE(lay("x", "L2").Bluetooth);
    EXPECT_FALSE(lay("L2", "x").Bluetooth);
    EXPECT_FALSE(lay("x", "x").BluetoothPage);
}

TEST(KfV52Rules, SpeedRange)
{
    TV52RoleLists l;
    l.MinSpeed2 = ",C2,L2,";
    l.MinSpeed3 = ",C3,C2,";
    l.MaxSpeed6 = ",M6,";
    l.MaxSpeed5 = ",M5,M6,";
    l.MaxSpeed4 = ",M4,";
    const QString v64c = ",V64C,";
    const auto range = [&](const char* cur, const char* listed, int perm = 0) {
        return V52SpeedRangeByLists(l, cur, listed, v64c, perm);
    };
    // Minimum: a later match replaces an earlier one.
    EXPECT_EQ(range("X", "X").Min, 4);
    EXPECT_EQ(range("V64C", "X").Min, 2);
    EXPECT_EQ(range("C2", "X").Min, 3);   // also in the 3 list, which comes later
    EXPECT_EQ(range("C3", "L2").Min, 2);  // the listed name in the long list comes last
    // Maximum.
    EXPECT_EQ(range("M6", "X").Max, 6);
    EXPECT_EQ(range("X", "M6").Max, 5);   // listed in both the 6 and the 5 list
    EXPECT_EQ(range("X", "M4").Max, 4);
    EXPECT_TRUE(range("X", "M4").MaxSettled);
    EXPECT_EQ(range("V64C", "X").Max, 5);
    EXPECT_TRUE(range("V64C", "X").MaxSettled);
    EXPECT_FALSE(range("X", "X").MaxSettled);
    EXPECT_FALSE(range("X", "X").AskPrinter);
    EXPECT_TRUE(range("X", "X", 1).AskPrinter);
    EXPECT_FALSE(range("V64C", "X", 1).AskPrinter);
    // The printer's replies.
    TV52SpeedRange r = range("X", "X", 1);
    EXPECT_TRUE(V52ApplyPrinterSpeeds(r, "2", "6"));
    EXPECT_EQ(r.Min, 2);
    EXPECT_EQ(r.Max, 6);
    for (auto [lo, hi] : {std::pair{"6", "2"}, std::pair{"", "6"}, std::pair{"2", "x"}}) {
        TV52SpeedRange s = range("X", "X", 1);
        EXPECT_FALSE(V52ApplyPrinterSpeeds(s, lo, hi));
        EXPECT_FALSE(s.MaxSettled);
        EXPECT_EQ(s.Max, 7);
    }
}

TEST(KfV52Rules, ScanReplyLines)
{
    const QByteArray reply =
        "[SSID]:Office [AUTH]:WPA2 [RSSI]:-40\n"
        "[SSID]:NoAuth [RSSI]:-50\n"
        "[SSID]:Open [AUTH]: [RSSI]:-60\n"
        "[SSID]:Caf\xC3\xA9 \xE7\xBD\x91 [AUTH]:WPA [RSSI]:-70\r\n"
        " [AUTH]:WPA [SSID]:Backwards\n"
        "garbage\n";
    bool ok = false;
    EXPECT_EQ(V52ParseScanReply(reply, &ok), (QStringList{"Office", QString::fromUtf8("Caf\xC3\xA9 \xE7\xBD\x91")}));
    EXPECT_TRUE(ok);
    EXPECT_TRUE(V52ParseScanReply("[SSI", &ok).isEmpty());
    EXPECT_FALSE(ok);
    QByteArray zeroed(2048, '\0');
    zeroed.replace(0, 5, "12345");
    EXPECT_TRUE(V52ParseScanReply(zeroed, &ok).isEmpty());
    EXPECT_FALSE(ok) << "a reply of 5 bytes or fewer leaves the list alone";
}

TEST(KfW16PRules, WideRangeAndCutterModel)
{
    FreeModelLists();
    BuildModelLists();
    EXPECT_TRUE(W16PIsWideRange("W16P"));
    EXPECT_TRUE(W16PIsWideRange("W16P-C"));
    EXPECT_FALSE(W16PIsWideRange("W16"));
    EXPECT_TRUE(W16PIsCutterModel("W16P-C"));
    EXPECT_FALSE(W16PIsCutterModel("W16P"));
}

// Every language key the three forms read has a real text in both languages of both files.
TEST(KfLanguage, EveryKeyTheFormsReadHasBothTexts)
{
    const QStringList keys = {
        // shared
        "_ParaSet", "_Set", "_Close", "_MSG_Title_Error", "_MSG_Title_Message", "_Err_OpenPort", "_Err_ReadData",
        "_Err_ParaSet", "_ParaSet_OK", "_Err_CreatePrinter", "_Err_BTPWD_Len", "notEmpty", "msgSRP", "_BTSet",
        "_BTName", "_BTPWD", "_Disable", "_Enable", "_PaperType_Receipt", "_PaperType_BlackMark",
        "_PaperType_Label", "Lang_All_00010002_11", "Lang_All_00010011_11", "Lang_All_00010013_11",
        "Lang_All_00010021_11", "Lang_All_00010022_14", "Lang_Pos_00010003_11", "Lang_Pos_00010004_11",
        // UZ650B
        "FormParaSet_Z12_lblBTNameLen", "FormParaSet_260_lblBTPWDLen", "FormParaSet_BQM_lblProtocolType",
        "FormParaSet_260_lblDensity", "FormParaSet_260_gpbAutoPosition", "FormParaSet_260_gpbOther",
        "FormParaSet_260_lblJudgePaperMode", "FormParaSet_W7X_lblPrintSpeed",
        // W16P
        "FormParaSet_W16_lblBaudRate", "FormParaSet_W16_lblDensity", "FormParaSet_W16_lblBuzzerSound",
        "FormParaSet_W16_lblBackLight", "Lang_All_00210106_13", "FormParaSet_W7X_lblCutters",
        "FormParaSet_W7X_lblCutter", "Lang_All_00210109_11", "Lang_All_00210093_11", "Lang_All_00210024_11",
        "Lang_All_00210139_11", "Lang_All_00210105_11", "FormParaSet_W7X_close", "FormParaSet_W7X_open",
        "Lang_All_00210107_11", "Lang_All_00210108_11", "Lang_All_00210094_11", "Lang_All_00210094_12",
        "Lang_All_00210094_13", "Lang_All_00210026_11",
        // V52
        "FormParaSet_V52_tabsUserParaA", "Lang_All_00210095_11", "Lang_All_00210096_11", "Lang_All_00210218_11",
        "Lang_All_00210027_11", "FormParaSet_Z12_chkSimplePairing", "FormParaSet_260_gpbEthernetSetting",
        "FormParaSet_260_lblDHCP", "FormParaSet_260_lblIPAddress", "FormParaSet_260_lblSubnet",
        "FormParaSet_260_lblDefautGateway", "FormParaSet_W7X_lblEthernetSwitch", "lblWMAC", "lblWifiSetting",
        "lblWName", "lblWPWD", "lblWifiFiScanner", "lblWiifiMode", "lblWifiAP_PwdNeeded", "lblWSwitch", "lblWifiVersion",
        "FormParaSet_V64_lblDetectMode", "FormParaSet_V64_cmbDetectMode_Item1",
        "FormParaSet_V64_cmbDetectMode_Item2", "FormParaSet_V64_cmbDetectMode_Item3",
        "FormParaSet_W16_lblPrintToStop", "FormParaSet_W7X_lblHeatAdj", "FormParaSet_W7X_lblStopPrint1",
        "FormParaSet_W7X_gpbReprintWhenError", "lblBoxPosition", "lblBoxPosition_Item1", "lblBoxPosition_Item2",
        "lblBoxPosition_Item3", "lblRepeatPrint", "FormParaSet_ZR_lblProtocol", "lblLanague", "lblLanague_Item1",
        "lblLanague_Item2"};
    for (const char* name : {"UtilityForLabelLanguage.ini", "UtilityForMobileLanguage.ini"}) {
        const QString file = prt::test::SourceDir() + "/files/" + name;
        for (const QString& key : keys)
            for (const char* section : {"1033", "2052"}) {
                const QString text = prt::IniReadString(file, section, key, QString());
                EXPECT_FALSE(text.isEmpty()) << name << " " << section << " " << key.toStdString();
                EXPECT_FALSE(text.startsWith("Text ")) << name << " " << section << " " << key.toStdString();
            }
    }
}
