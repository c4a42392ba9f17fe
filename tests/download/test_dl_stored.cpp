// Stored-file management as plain functions: model lists, dialect tests, listing
// parsers, command texts and stored names.
#include "TestSupport.h"
#include "mdlDLStored.h"
#include "mdlModelCatalog.h"
#include "mdlPubFunc.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace prt::dl;
using prt::test::Hex;
using prt::test::ToHex;

namespace {

class DlStored : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreeModelLists();
        BuildModelLists();
    }
};

QString Rows(const QList<TStoredRow>& rows)
{
    QStringList out;
    for (const TStoredRow& r : rows)
        out << QString(r.ram ? "R:" : "E:") + r.name;
    return out.join('|');
}

} // namespace

TEST_F(DlStored, ModelListsOfTheDirectDialects)
{
    // seven names with an empty entry after the first, the eight-name list, the first four
    EXPECT_EQ(DLDirectModels7(), ",D45,,V64,V64C,TA380,ZR905K,ZR906,ZR908,");
    EXPECT_EQ(DLDirectModels8(), ",D45,,V64,V64C,TA380,ZR905K,ZR906,ZR908,GS-PR540D,");
    EXPECT_EQ(DLDirectModels4(), ",D45,,V64,V64C,TA380,");
    EXPECT_EQ(DLTemplateModels(), ",V64,");
    EXPECT_TRUE(IsDirectBrand("Label_Channel"));
    EXPECT_TRUE(IsDirectBrand("Label_Ardwick_Custom"));
    EXPECT_FALSE(IsDirectBrand("Label_ChannelDelear"));
    EXPECT_FALSE(IsDirectBrand(""));
}

TEST_F(DlStored, DialectTests)
{
    struct Case {
        const char* model;
        const char* oem;
        const char* ppl;
        bool t4, t4any, t7, d7, z8;
    } cases[] = {
        {"V64", "Label_Channel", "tsc", true, true, true, false, false},
        {"ZR905K", "Label_Channel", "tsc", false, false, true, false, false},
        {"D45", "Label_Ardwick_Custom", "dpl", false, false, false, true, false},
        {"GS-PR540D", "Label_Channel", "zpl", false, false, false, false, true},
        {"ZR906", "Label_Channel", "zpl", false, false, false, false, true},
        {"V64", "", "tsc", false, true, false, false, false},           // brand not tested by T4'
        {"V64", "Label_Channel", "TSC", false, false, false, false, false},  // case-sensitive
        {"", "Label_Channel", "tsc", true, true, true, false, false},   // the empty entry
        {"V52", "Label_Channel", "tsc", false, false, false, false, false},
    };
    for (const Case& c : cases) {
        const TDLDialectInput in{c.model, c.oem, c.ppl};
        SCOPED_TRACE(testing::Message() << c.model << "/" << c.oem << "/" << c.ppl);
        EXPECT_EQ(DialectT4(in), c.t4);
        EXPECT_EQ(DialectT4Any(in), c.t4any);
        EXPECT_EQ(DialectT7(in), c.t7);
        EXPECT_EQ(DialectD7(in), c.d7);
        EXPECT_EQ(DialectZ8(in), c.z8);
    }
}

TEST_F(DlStored, ListingParsers)
{
    // key/value: RAM by the first character, the name from the third; no row of an
    // empty or too short piece
    EXPECT_EQ(Rows(ParseKeyValueListing("E_logo.GRF,R_sun.GRF,,x,")), "E:logo.GRF|R:sun.GRF");
    EXPECT_EQ(Rows(ParseKeyValueListing("")), "");
    // TSPL: the last two characters dropped, pieces at CR holding the extension
    EXPECT_EQ(Rows(ParseTsplListing("A.BMP\rF.BAS\rC.BMP\r\n", ".BMP")), "E:A.BMP|E:C.BMP");
    EXPECT_EQ(Rows(ParseTsplListing("A.BMP\rF.BAS\r\n", ".BAS")), "E:F.BAS");
    // DPL: up to the character before "AVAIL", the first piece skipped
    QList<TStoredRow> rows;
    EXPECT_TRUE(ParseDplImageListing("MODULE G\rLOGO\rPIC\rAVAIL 10\r", '\r', rows));
    EXPECT_EQ(Rows(rows), "E:LOGO.BMP|E:PIC.BMP");
    EXPECT_TRUE(ParseDplImageListing("MODULE G|LOGO|AVAIL", '|', rows));
    EXPECT_EQ(Rows(rows), "E:LOGO.BMP");
    EXPECT_FALSE(ParseDplImageListing("MODULE G\rLOGO\r", '\r', rows)) << "no AVAIL keeps nothing";
    EXPECT_TRUE(rows.isEmpty());
    EXPECT_FALSE(ParseDplImageListing("AVAIL", '\r', rows));
    // ZPL: pieces 2 .. count-3 at CR LF, the text after ":" through "GRF"
    EXPECT_EQ(ParseZplImageListing("\r\n- DIR E:*.GRF\r\n*E:A.GRF 10\r\n*E:BB.GRF 20\r\n-  9 bytes free\r\n"),
              QStringList({"A.GRF", "BB.GRF"}));
    EXPECT_TRUE(ParseZplImageListing("\r\n- DIR E:*.GRF\r\n-  9 bytes free\r\n").isEmpty()) << "fewer than 5 lines";
    EXPECT_TRUE(ParseZplImageListing("").isEmpty());
    // auto templates on one line; the TSPL names lose no character
    EXPECT_EQ(JoinTsplAutoTemplates("A.BAS\rB.BMP\rC.BAS\r\n"), "A.BAS,C.BAS");
    EXPECT_EQ(JoinKeyValueAutoTemplates("E_x.prn,R_y.prn,"), "x.prn,y.prn");
    EXPECT_EQ(AutoTemplatePieces("E_x.prn,,R_y.prn,"), QStringList({"E_x.prn", "R_y.prn"}));
}

TEST_F(DlStored, MakeUp0AndStoredNames)
{
    struct Pad {
        const char* in;
        const char* out;
    } pads[] = {{"5", "0005"}, {"12", "0012"}, {"123", "0123"}, {"1234", "1234"}, {"12345", ""}, {"", ""}};
    for (const Pad& p : pads)
        EXPECT_EQ(MakeUp0(p.in), p.out) << p.in;

    struct Name {
        const char* file;
        TDLStoredKind kind;
        TDLDirect direct;
        const char* language;
        const char* stored;
    } names[] = {
        {"photo.jpeg", TDLStoredKind::Image, TDLDirect::None, "", "photo.GRF"},
        {"LOGO.JPG", TDLStoredKind::Image, TDLDirect::None, "", "LOGO.GRF"},
        {"logo.png", TDLStoredKind::Image, TDLDirect::Tspl, "", "logo.BMP"},
        {"logo.jpeg", TDLStoredKind::Image, TDLDirect::Dpl, "", "logo"},
        {"form.prn", TDLStoredKind::Template, TDLDirect::None, "ZPL", "form.zpl.prn"},
        {"form.prn", TDLStoredKind::Template, TDLDirect::Tspl, "TSPL", "form.BAS"},
        {"noext", TDLStoredKind::Image, TDLDirect::None, "", "noext.GRF"},
    };
    for (const Name& n : names)
        EXPECT_EQ(StoredFileName(n.file, n.kind, n.direct, n.language), n.stored) << n.file;
}

TEST_F(DlStored, CommandBytes)
{
    const TDplControl std;
    EXPECT_EQ(TsplListCommand(), "~!F");
    EXPECT_EQ(TsplKillCommand("A.BMP"), "KILL E,\"A.BMP\"");
    EXPECT_EQ(ToHex(DplListImagesCommand(std).toLatin1()), "02 57 47");
    EXPECT_EQ(ToHex(DplDeleteImageCommand("LOGO.BMP", std).toLatin1()), "02 78 45 47 4C 4F 47 4F 0D");
    EXPECT_EQ(ZplListImagesCommand(), "^XA\r\n^HWE:*.GRF\r\n^XZ");
    EXPECT_EQ(ZplDeleteImagesCommand({}), "^XA\r\n^XZ");
    EXPECT_EQ(ZplDeleteImagesCommand({"A.GRF", "B.GRF"}), "^XA\r\n^IDE:A.GRF\r\n^IDE:B.GRF\r\n^XZ");
    EXPECT_EQ(ZplPrintImageCommand("A.GRF"), QByteArray("^XA^PW600^LL480^POI^FO100,100^XGE:A.GRF^FS^XZ"));
    // DPL print: row before column; 100 mm -> "1000", 80 mm -> "0800"
    EXPECT_EQ(ToHex(DplPrintImageCommand("LOGO.BMP", "5", "12", 100, 80, std)),
              ToHex(Hex("02") + "m\r\n" + Hex("02") + "KcLW1000;CL0800\r\n" + Hex("02") + "L\r\n" +
                    "1Y1100000120005LOGO\r\nE" + Hex("0D") + "\r\n"));
    EXPECT_TRUE(DplPrintImageCommand("L.BMP", "0", "0", 1000, 80, std).contains("KcLW;CL0800"))
        << "a width above 999 mm gives an empty width field";
    EXPECT_EQ(TsplPrintImageCommand("A.BMP", "100", "80", "0", "0"),
              QByteArray("SIZE 100mm,80mm\r\nDIRECTION 0\r\nCLS\r\nPUTBMP 0,0,\"A.BMP\"\r\nPRINT 1,1\r\n"));
    EXPECT_EQ(TsplRunCommand("F.BAS"), QByteArray("RUN \"F.BAS\"\r\n"));
    EXPECT_EQ(TsplTemplateDownload("F.BAS", "X"), QByteArray("DOWNLOAD E,\"F.BAS\"\r\nX\r\nEOP\r\n"));
}

TEST_F(DlStored, SpaceRepliesAreSixtyFourBit)
{
    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TSpaceInfo info;
    ASSERT_TRUE(ParseSpaceReplies("2048", "5000000000", info));
    EXPECT_EQ(info.remainingBytes, 5000000000LL);
    EXPECT_EQ(info.remaining, "5,000,000,000");
    EXPECT_EQ(info.used, "2,048");
    info = TSpaceInfo{};
    EXPECT_FALSE(ParseSpaceReplies("2048", "lots", info));
    EXPECT_FALSE(ParseSpaceReplies("", "10", info));
    EXPECT_FALSE(ParseSpaceReplies("2048", "-1", info)) << "no space below nothing";
    EXPECT_FALSE(ParseSpaceReplies("-5", "10", info));
    EXPECT_EQ(info.remainingBytes, 0);
    QLocale::setDefault(old);
}
