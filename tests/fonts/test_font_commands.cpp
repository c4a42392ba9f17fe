// Font manager printer side without widgets: listings, delete commands, direct download
// buffers, test-print jobs and the edit clamps, against bytes written out by hand.
#include "mdlFontCommands.h"

#include <gtest/gtest.h>

using namespace fontcmd;

namespace {

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
}

TFontRows Rows(std::initializer_list<TFontRow> rows)
{
    return TFontRows(rows);
}

} // namespace

TEST(FontControlCodes, APrinterNeverAskedUsesTheStandardSet)
{
    // No DPL command of the font manager starts with a 00 byte.
    const TDplCodes fresh;
    EXPECT_EQ(fresh.stx, 0x02);
    EXPECT_EQ(fresh.eol, 0x0D);
    EXPECT_EQ(fresh.soh, 0x01);
}

TEST(FontDirectCondition, ModelOemKeyAndLanguageMustAllHold)
{
    const QString list = ",D45,ZR905K,,";
    EXPECT_TRUE(IsFontDirect("D45", list, "Label_Channel", "dpl", kLangDpl));
    EXPECT_TRUE(IsFontDirect("ZR905K", list, "Label_Ardwick_Custom", "zpl", kLangZpl));
    EXPECT_TRUE(IsFontDirect("", list, "Label_Channel", "tsc", kLangTspl)) << "the empty entry holds an empty name";
    EXPECT_FALSE(IsFontDirect("D4", list, "Label_Channel", "dpl", kLangDpl));
    EXPECT_FALSE(IsFontDirect("D45", list, "Label_ChannelDelear", "dpl", kLangDpl));
    EXPECT_FALSE(IsFontDirect("D45", list, "Label_Channel", "zpl", kLangDpl));
    EXPECT_FALSE(IsFontDirect("D45", list, "label_channel", "dpl", kLangDpl));
}

TEST(FontListings, DplReplyUpToAvail)
{
    bool ok = false;
    // Pieces after the first, each with ".ttf".
    EXPECT_EQ(ParseDplFontListing("FONTS\rARIAL\rTIMES\r AVAIL 1000", '\r', &ok),
              Rows({{1, "ARIAL.ttf"}, {1, "TIMES.ttf"}}));
    EXPECT_TRUE(ok);
    // Another carriage-return character of the alternate-2 set.
    EXPECT_EQ(ParseDplFontListing("H|A1|B2| AVAIL", '|', &ok), Rows({{1, "A1.ttf"}, {1, "B2.ttf"}}));
    // "AVAIL" at position 1 or 2, or missing: nothing, the list stays.
    for (const char* reply : {"AVAIL 100", "xAVAIL", "FONTS\rARIAL\r", ""}) {
        EXPECT_TRUE(ParseDplFontListing(reply, '\r', &ok).isEmpty()) << reply;
        EXPECT_FALSE(ok) << reply;
    }
}

TEST(FontListings, TsplReplyListsTtfPiecesOnly)
{
    bool ok = false;
    EXPECT_EQ(ParseTsplFontListing("A.ttf\r\nLOGO.BMP\r\nfont.ttf\r\n", &ok), Rows({{1, "A.ttf"}, {1, "font.ttf"}}));
    EXPECT_TRUE(ok);
    EXPECT_TRUE(ParseTsplFontListing("NOFONT\r\n", &ok).isEmpty());
    EXPECT_TRUE(ok) << "a reply with no font clears the list";
    EXPECT_TRUE(ParseTsplFontListing("", &ok).isEmpty());
    EXPECT_FALSE(ok);
}

TEST(FontListings, ZplDirectoryBetweenTwoHeaderAndTwoTrailerLines)
{
    bool ok = false;
    const QString dir = "\x02\r\n- DIR E:*.TTF\r\n* E:ARIAL.TTF     70000\r\n* E:LOGO.GRF 12\r\n"
                        "  E:Small.ttf 9\r\n-  1000 bytes free\r\n\x03";
    EXPECT_EQ(ParseZplFontListing(dir, &ok), Rows({{1, "ARIAL.TTF"}, {1, "Small.ttf"}}));
    EXPECT_TRUE(ok);
    // Four lines or fewer: no font.
    EXPECT_TRUE(ParseZplFontListing("a\r\nb\r\n* E:X.TTF\r\nd", &ok).isEmpty());
    EXPECT_TRUE(ok);
    // Garbage makes no row and does not crash.
    EXPECT_TRUE(ParseZplFontListing("\r\n\r\nttf:\r\n:\r\n\r\n", &ok).isEmpty());
}

TEST(FontListings, PacketEntriesByStoragePrefix)
{
    bool ok = false;
    EXPECT_EQ(ParsePacketFontListing("R_ARIAL.TTF,E_SONG.TTF,,X\r\n", &ok),
              Rows({{0, "ARIAL.TTF"}, {1, "SONG.TTF"}}));
    EXPECT_TRUE(ok);
    EXPECT_TRUE(ParsePacketFontListing("\r\n", &ok).isEmpty());
    EXPECT_FALSE(ok);
}

TEST(FontCommands, DeleteCommands)
{
    TDplCodes std;
    TDplCodes alt2{0x7E, 0x7C, 0x5E};
    EXPECT_EQ(DplFontDeleteCommand("ARIAL.ttf", std), QString("\x02xEARIAL\r"));
    EXPECT_EQ(DplFontDeleteCommand("ARIAL.ttf", alt2), QString("~xEARIAL|"));
    EXPECT_EQ(ZplFontDeleteCommand("ARIAL.TTF"), QString("^XA\r\n^IDE:ARIAL.TTF\r\n^XZ"));
    EXPECT_EQ(TsplFontDeleteCommand("font.ttf"), QString("KILL E,\"font.ttf\""));
    EXPECT_EQ(StoragePrefix(0), "R_");
    EXPECT_EQ(StoragePrefix(1), "E_");
}

TEST(FontDirectBuffer, GoldenHeadersOfTheThreeLanguages)
{
    QString stored;
    const QByteArray arial(70000, 'x');
    const QByteArray dpl = BuildFontDirectBuffer(kLangDpl, "ARIAL.TTF", arial, "51", TDplCodes(), &stored);
    EXPECT_EQ(dpl.left(21), Hex("01 44 02 69 45 54 35 31 41 52 49 41 4C 0D 30 30 30 31 31 31 37"));
    EXPECT_EQ(dpl.mid(21, 1), QByteArray("0"));
    EXPECT_EQ(dpl.size(), 22 + 70000);
    EXPECT_EQ(dpl.mid(22), arial);
    EXPECT_EQ(stored, "ARIAL");

    const QByteArray abc(1000, 'y');
    const QByteArray zpl = BuildFontDirectBuffer(kLangZpl, "ABC.TTF", abc, "", TDplCodes(), &stored);
    EXPECT_EQ(zpl, QByteArray("~DSE:ABC.TTF,500,") + abc);
    EXPECT_EQ(stored, "ABC");

    const QByteArray tspl = BuildFontDirectBuffer(kLangTspl, "font.prtf", "FF", "", TDplCodes(), &stored);
    EXPECT_EQ(tspl, QByteArray("DOWNLOAD E,\"font.ttf\"\r\nFF\r\nEOP\r\n"));
    EXPECT_EQ(stored, "font.ttf") << "the stored name is cut at the last dot";

    // Other name shapes: a longer extension, several dots, none.
    EXPECT_EQ(DirectFontName(kLangDpl, "Serif.ttf2"), "Serif");
    EXPECT_EQ(DirectFontName(kLangZpl, "a.b.TTF"), "a.b");
    EXPECT_EQ(DirectFontName(kLangTspl, "plain"), "plain.ttf");
}

TEST(FontFields, DplFontIdAndMakeUp0)
{
    for (const char* id : {"51", "99", "9A", "9Z", "9a", "9z", "75"})
        EXPECT_TRUE(IsValidDplFontId(id)) << id;
    for (const char* id : {"", "5", "50", "100", "A9", "9!", "9\xC3\xA9", "0x"})
        EXPECT_FALSE(IsValidDplFontId(QString::fromUtf8(id))) << id;

    EXPECT_EQ(MakeUp0("1"), "00000001");
    EXPECT_EQ(MakeUp0("1234567"), "01234567");
    EXPECT_EQ(MakeUp0("12345678"), "12345678");
    EXPECT_EQ(MakeUp0(""), "");
    EXPECT_EQ(MakeUp0("123456789"), "");
}

TEST(FontTestJobs, ChoiceOrder)
{
    struct Case { bool vk318, dpl; int protocol; bool tsc; TFontTestJob job; };
    const Case cases[] = {
        {true, true, 3, true, TFontTestJob::ZplUtf8},
        {false, true, 3, true, TFontTestJob::Dpl},
        {false, false, 3, true, TFontTestJob::Cpcl},
        {false, false, 1, false, TFontTestJob::Tspl},
        {false, false, 4, true, TFontTestJob::Tspl},
        {false, false, 4, false, TFontTestJob::Zpl},
        {false, false, 5, false, TFontTestJob::Epl},
        {false, false, 0, false, TFontTestJob::Plain},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseFontTestJob(c.vk318, c.dpl, c.protocol, c.tsc), c.job)
            << c.vk318 << c.dpl << c.protocol << c.tsc;
}

TEST(FontTestJobs, GoldenJobsWithArialAndHi)
{
    TFontTestInput in;
    in.Font = "ARIAL.TTF";
    in.Storage = 1;
    in.Text = "Hi";
    in.Width = "30";
    in.Height = "20";
    in.Row = "7";
    in.Column = "20";
    in.DplWidth = "100";
    in.DplHeight = "80";
    struct Case { TFontTestJob job; const char* bytes; };
    const Case cases[] = {
        {TFontTestJob::ZplUtf8, "^XA\r\n^CI28\r\n^FO50,50\r\n^A@N,40,40,E:ARIAL.TTF\r\n^FDHi^FS\r\n^XZ\r\n"},
        {TFontTestJob::Dpl, "\x02m\r\n\x02KcLW1000;CL800\r\n\x02L\r\n1911ARI00070020P010P010Hi\r\nE\r\r\n"},
        {TFontTestJob::Cpcl, "! 0 20 20 60 1\r\nT 9 0 8 8 Hi\r\nFORM\r\nPRINT\r\n"},
        {TFontTestJob::Tspl, "SIZE 30 mm,20 mm\r\nCLS\r\nTEXT 10,10,\"ARIAL.TTF\",0,48,48,\"Hi\"\r\nPRINT 1,1\r\n"},
        {TFontTestJob::Zpl, "^XA\r\n^A@N,50,50,E:ARIAL.TTF\r\n^FO100,100\r\n^FDHi^FS\r\n^XZ\r\n"},
        {TFontTestJob::Epl, "N\r\nA300,10,0,1,2,2,N,\"Hi\"\r\nP1\r\n"},
        {TFontTestJob::Plain, "Hi\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildFontTestJob(c.job, in), QString::fromLatin1(c.bytes)) << int(c.job);

    // A RAM font on ZPL is addressed on drive "R:"; the DPL Unicode font code is "U" and the
    // font's characters 2-3; an empty text still makes a whole job.
    in.Storage = 0;
    EXPECT_TRUE(BuildFontTestJob(TFontTestJob::Zpl, in).contains("^A@N,50,50,R:ARIAL.TTF\r\n"));
    in.UnicodeFontCode = true;
    EXPECT_TRUE(BuildFontTestJob(TFontTestJob::Dpl, in).contains("1911URI0007"));
    in.Text.clear();
    EXPECT_EQ(BuildFontTestJob(TFontTestJob::Epl, in), QString("N\r\nA300,10,0,1,2,2,N,\"\"\r\nP1\r\n"));
}

TEST(FontTestJobs, TextIsCutJoinedAndCheckedForFieldStoppers)
{
    EXPECT_EQ(NormalizeFontTestText("a\r\nb\nc\rd"), "a b c d");
    EXPECT_EQ(NormalizeFontTestText(QString(300, 'x')).length(), 255);
    struct Case { TFontTestJob job; const char* text; char stopper; };
    const Case cases[] = {
        {TFontTestJob::Tspl, "say \"hi\"", '"'}, {TFontTestJob::Epl, "\"", '"'},
        {TFontTestJob::Zpl, "a^b", '^'},         {TFontTestJob::ZplUtf8, "a~b", '~'},
        {TFontTestJob::Zpl, "a\"b", 0},          {TFontTestJob::Cpcl, "a\"^~", 0},
        {TFontTestJob::Tspl, "plain", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FontTestTextStopper(c.job, c.text), QChar(c.stopper)) << c.text;
}

TEST(FontEdits, ClampsOnLeaving)
{
    struct Case { TFontEdit edit; const char* text; bool dplSize, dplHeight; const char* out; };
    const Case cases[] = {
        {TFontEdit::PrintableWidth, "5", false, false, "10"},
        {TFontEdit::PrintableWidth, "", false, false, "10"},
        {TFontEdit::PrintableWidth, "120", false, false, "104"},
        {TFontEdit::PrintableWidth, "60", false, false, "60"},
        {TFontEdit::PrintableWidth, "1200", true, false, "999"},
        {TFontEdit::PrintableWidth, "", true, false, "1"},
        {TFontEdit::PrintableHeight, "", false, false, "10"},
        {TFontEdit::PrintableHeight, "500", false, false, "210"},
        {TFontEdit::PrintableHeight, "500", false, true, "500"},
        {TFontEdit::PrintableHeight, "1000", false, true, "999"},
        {TFontEdit::YPosition, "0", false, false, "1"},
        {TFontEdit::XPosition, "12345", false, false, "9999"},
        {TFontEdit::XPosition, "20", false, false, "20"},
        {TFontEdit::Width, "", false, false, "0"},
        {TFontEdit::Height, "77777", false, false, "77777"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampFontEdit(c.edit, c.text, 104, c.dplSize, c.dplHeight), QString(c.out))
            << int(c.edit) << " " << c.text;
}
