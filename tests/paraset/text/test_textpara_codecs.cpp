// Value codecs of the text-command parameter forms.
#include "PrtIni.h"
#include "PrtTexts.h"
#include "mdlModelCatalog.h"
#include "mdlPubFunc.h"
#include "TestSupport.h"
#include "mdlParaSetCodecs.h"
#include "mdlTextParaCodecs.h"

#include <QStringList>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <ostream>

// Readable failure messages for Qt texts.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << "[" << l.join(" | ").toStdString() << "]"; }
QT_END_NAMESPACE

using namespace textpara;
using prt::test::Hex;
using prt::test::ToHex;

TEST(TextParaCodecs, RepliesAreTrimmedOfBlanksLineEndsAndNul)
{
    const std::pair<QString, QString> cases[] = {
        {"tsc\r\n", "tsc"}, {"  on \r", "on"}, {QString("9") + QChar(0) + QChar(0), "9"},
        {"\r\n", ""},       {"", ""},          {"black mark", "black mark"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(TrimReply(in), out) << in.toStdString();
}

TEST(TextParaCodecs, CodePageItemsAreFoundByTheirCodeIgnoringCase)
{
    const QStringList items = {"USA(USA)", "LatinI(1252)", "Latin1(8859-1)", "Odd (x)(abc)", "NoCode"};
    struct Case { const char* code; int index; };
    const Case cases[] = {{"1252", 1}, {"usa", 0}, {"8859-1", 2}, {"ABC", 3}, {"x", -1}, {"", -1}, {"9999", -1}};
    for (const Case& c : cases)
        EXPECT_EQ(FindItemByCode(items, c.code), c.index) << c.code;
    EXPECT_EQ(CodeOfItem("Odd (x)(abc)"), "abc") << "the code lies after the last bracket";
    EXPECT_EQ(CodeOfItem("NoCode"), "");
    EXPECT_EQ(FindItemByText(items, "latini(1252)"), 1);
    EXPECT_EQ(FindItemByText(items, "zzz"), -1);
}

TEST(TextParaCodecs, WordTablesOfTheTextProtocol)
{
    EXPECT_EQ(WordTable(0), QStringList({"on", "off"}));
    EXPECT_EQ(WordTable(1), QStringList({"gap", "black mark", "continuous"}));
    EXPECT_EQ(WordTable(6), QStringList({"tear", "peel", "cutter"}));
    EXPECT_EQ(FindWord(1, "black mark"), 1);
    EXPECT_EQ(FindWord(1, "Black Mark"), -1) << "replies match exactly";
    EXPECT_EQ(FindWord(6, ""), -1);
    EXPECT_EQ(WordAt(6, 2), "cutter");
    EXPECT_EQ(WordAt(6, 3), "");
    EXPECT_EQ(WordAt(0, -1), "");
}

TEST(TextParaCodecs, DottedQuadsAndMacAddresses)
{
    QStringList parts = {"a", "b", "c", "d"};
    EXPECT_TRUE(SplitDottedQuad("192.168.0.33", parts));
    EXPECT_EQ(parts, QStringList({"192", "168", "0", "33"}));
    EXPECT_TRUE(SplitDottedQuad("10.0.0.1.", parts)) << "a trailing dot is the printer's own spelling";
    EXPECT_EQ(parts, QStringList({"10", "0", "0", "1"}));
    for (const char* shortReply : {"1.2.3", "", "1.2.3.", "garbage!!"}) {
        QStringList keep = {"k1", "k2", "k3", "k4"};
        EXPECT_FALSE(SplitDottedQuad(shortReply, keep)) << shortReply;
        EXPECT_EQ(keep, QStringList({"k1", "k2", "k3", "k4"})) << shortReply;
    }
    EXPECT_EQ(JoinDottedQuad({"192", "168", "0", "33"}), "192.168.0.33.");

    QStringList mac;
    EXPECT_TRUE(SplitMac("00:11:22:AA:BB:CC", mac));
    EXPECT_EQ(mac, QStringList({"00", "11", "22", "AA", "BB", "CC"}));
    QStringList keep = {"x"};
    EXPECT_FALSE(SplitMac("00:11", keep));
    EXPECT_FALSE(SplitMac("0011223344", keep)) << "no separators gives no six parts";
    EXPECT_EQ(keep, QStringList({"x"}));
}

TEST(TextParaCodecs, BluetoothNameLosesThePrintersSuffix)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Printer-A1B2", "Printer"},  // twelve characters, "-" fifth from the end: seven shown
        {"Label-PRA1B2", "Label-PRA1B2"},
        {"Label-PR-A1B2", "Label-PR"},
        {"-A1B2", "-A1B2"},           // exactly five: unchanged
        {"Printer", "Printer"},
        {"", ""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(StripBtNameSuffix(in), out) << in;
}

TEST(TextParaCodecs, MillimetresAndDotsOfTheDplModel)
{
    struct Case { const char* dpi; const char* mm; const char* dots; };
    const Case toDots[] = {{"300", "108", "1274"}, {"600", "108", "2549"}, {"203", "108", "864"},
                           {"", "108", "864"},     {"300", "-15", "-177"}, {"300", "0", "0"}};
    for (const Case& c : toDots)
        EXPECT_EQ(MmToDots(c.mm, c.dpi, true), c.dots) << c.dpi << " " << c.mm;
    const Case toMm[] = {{"300", "108", "1274"}, {"600", "108", "2549"}, {"203", "108", "864"},
                         {"203", "-1", "-15"},   {"300", "300", "3540"}, {"300", "-15", "-177"}};
    for (const Case& c : toMm)
        EXPECT_EQ(DotsToMm(c.dots, c.dpi, true), c.mm) << c.dpi << " " << c.dots;
    EXPECT_EQ(DotsToMm("-7", "203", true), "0") << "8 dots/mm truncates toward zero";
    // Other models and empty texts pass through.
    EXPECT_EQ(MmToDots("108", "300", false), "108");
    EXPECT_EQ(DotsToMm("1274", "300", false), "1274");
    EXPECT_EQ(MmToDots("", "300", true), "");
    bool ok = true;
    EXPECT_EQ(DotsToMm("abc", "300", true, &ok), "abc");
    EXPECT_FALSE(ok);
}

TEST(TextParaCodecs, HeadTypesReadByNameAndSetByNumber)
{
    EXPECT_EQ(HeadTypeItemOfName("S_U108_7746"), 1);
    EXPECT_EQ(HeadTypeItemOfName("KYOCERA"), 2);
    EXPECT_EQ(HeadTypeItemOfName("ROHM_KD"), 3);
    EXPECT_EQ(HeadTypeItemOfName("kyocera"), 0);
    EXPECT_EQ(HeadTypeNumberOfItem(1), "85");
    EXPECT_EQ(HeadTypeNumberOfItem(2), "1");
    EXPECT_EQ(HeadTypeNumberOfItem(3), "4");
    EXPECT_EQ(HeadTypeNumberOfItem(0), "");
}

TEST(TextParaCodecs, DplTearOffLines)
{
    struct Case { const char* codes; int value; const char* hex; };
    const Case cases[] = {
        {"alternate", -30, "7E 4B 63 50 4A 2D 33 30 0D 0A"},
        {"standard", 30, "02 4B 63 50 4A 2B 33 30 0D 0A"},
        {"alternate-2", 0, "7E 4B 63 50 4A 2B 30 0D 0A"},
        {"", 5, "00 4B 63 50 4A 2B 35 0D 0A"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToHex(DplTearOffLine(c.codes, c.value)), ToHex(Hex(c.hex))) << c.codes << c.value;
}

TEST(TextParaCodecs, ClampsCheckIntegersFirst)
{
    struct Case { const char* text; int lo, hi; const char* out; bool ok; };
    const Case cases[] = {
        {"150", 0, 108, "108", true}, {"-300", -256, 256, "-256", true}, {" 12 ", -15, 15, "12", true},
        {"-", -120, 120, "-", false}, {"1a", 0, 9, "1a", false},        {"", 0, 9, "", false},
    };
    for (const Case& c : cases) {
        bool ok = !c.ok;
        EXPECT_EQ(ClampIntText(c.text, c.lo, c.hi, ok), c.out) << c.text;
        EXPECT_EQ(ok, c.ok) << c.text;
    }
}

TEST(TextParaCodecs, PrinterLanguageDecidesCharacterSetsAndDensity)
{
    struct Case { const char* item; int list; int max; const char* def; };
    const Case cases[] = {{"TSPL", 1, 15, "7"}, {"tsc", 1, 15, "7"}, {"ESC", 1, 15, "7"}, {"ZPL", 2, 30, "15"},
                          {"epl", 3, 30, "15"}, {"DPL", 3, 30, "15"}};
    for (const Case& c : cases) {
        const TProtocolLists l = ProtocolListsOf(c.item);
        EXPECT_EQ(l.charsetList, c.list) << c.item;
        EXPECT_EQ(l.densityMax, c.max) << c.item;
        EXPECT_EQ(l.densityDefault, c.def) << c.item;
    }
    EXPECT_EQ(CharsetItems(1).size(), 48);
    EXPECT_EQ(CharsetItems(2).size(), 22);
    EXPECT_EQ(CharsetItems(3).size(), 29);
    EXPECT_TRUE(SameProtocol("tsc", "TSPL"));
    EXPECT_TRUE(SameProtocol("zpl", "ZPL"));
    EXPECT_FALSE(SameProtocol("", "TSPL"));
    EXPECT_FALSE(SameProtocol("zpl", "EPL"));
}

TEST(TextParaCodecs, BluetoothFieldsAndTemplates)
{
    // Offsets and tear-off positions take a sign when typed.
    EXPECT_TRUE(paraset::TextPasses(paraset::TKeyFilter::SignedNumber, "-120"));
    EXPECT_FALSE(paraset::TextPasses(paraset::TKeyFilter::SignedNumber, "1.5"));
    EXPECT_TRUE(IsValidBtName("Printer-01"));
    EXPECT_FALSE(IsValidBtName("My Printer")) << "blank";
    EXPECT_FALSE(IsValidBtName("Say\"hi\""));
    EXPECT_FALSE(IsValidBtName(QString::fromUtf8("打印机")));
    EXPECT_TRUE(IsValidBtPin("0000"));
    EXPECT_FALSE(IsValidBtPin("123"));
    EXPECT_FALSE(IsValidBtPin("12a4"));
    EXPECT_EQ(FillTemplate("{0} must be between {1} and {2}; {0}", {"Width", "0", "108"}),
              "Width must be between 0 and 108; {0}");
    EXPECT_TRUE(IsModelPrefixInList("QX10", "QX10,QX12"));
    EXPECT_TRUE(IsModelPrefixInList("X10", ",QX10,")) << "the model followed by a comma anywhere";
    EXPECT_FALSE(IsModelPrefixInList("QX1", ",QX10,"));
}

TEST(TextParaCodecs, ReleasePaperNamesCaptionsAndTip)
{
    prt::SetLangText("Lang_All_00210024_11", "Release paper");
    prt::SetLangText("Lang_All_00010002_11", ": ");
    prt::SetLangText("Lang_All_00210026_11", "Off");
    prt::SetLangText("Lang_All_00210027_11", "Feed out {0} at a time");
    const QStringList list = {"0=Off", "1=1", "2=2", "3=3"};
    bool found = false;
    EXPECT_EQ(ReleasePaperNameOf(list, "3", found), "3");
    EXPECT_TRUE(found);
    EXPECT_EQ(ReleasePaperCaptionOf(list, "0", found), "Off");
    EXPECT_TRUE(found);
    ReleasePaperCaptionOf(list, "9", found);
    EXPECT_FALSE(found);
    EXPECT_EQ(ReleasePaperTip(list, "Off", 0), "Release paper: Off");
    EXPECT_EQ(ReleasePaperTip(list, "3", 3), "Release paper: Feed out 3 at a time");
    EXPECT_EQ(ReleasePaperTip(list, "77", 1), "");
    prt::ClearLangTexts();
}

// Every caption, status and message key the two forms read has an English and a Chinese
// text in both language files.
TEST(TextParaLanguage, EveryKeyOfTheFormsHasBothTextsInBothFiles)
{
    const QStringList keys = {
        "FormParaSet_260_gpbAutoPosition", "FormParaSet_260_gpbCOM", "FormParaSet_260_gpbEthernetSetting",
        "FormParaSet_260_gpbLanguage", "FormParaSet_260_gpbPrintType", "FormParaSet_260_gpbReprintWhenError",
        "FormParaSet_260_lblBaudRate", "FormParaSet_260_lblDHCP", "FormParaSet_260_lblDataBits",
        "FormParaSet_260_lblDensity", "FormParaSet_260_lblGateway", "FormParaSet_260_lblIP",
        "FormParaSet_260_lblJudgePaperMode", "FormParaSet_260_lblParity", "FormParaSet_260_lblPrintSpeed",
        "FormParaSet_260_lblStopBits", "FormParaSet_260_lblSubnet", "FormParaSet_QX_SST",
        "FormParaSet_QX_SST_1", "FormParaSet_QX_SST_2", "FormParaSet_W7X_gpbPrintType",
        "FormParaSet_W7X_lblHeatAdj", "FormParaSet_ZR_Label4", "FormParaSet_ZR_Locate_Calibation",
        "FormParaSet_ZR_Locate_Feed", "FormParaSet_ZR_Locate_None", "FormParaSet_ZR_MSG_BadValue",
        "FormParaSet_ZR_MSG_FileFail", "FormParaSet_ZR_cmbPrintMode_Item1",
        "FormParaSet_ZR_cmbPrintMode_Item2", "FormParaSet_ZR_cmbPrintMode_Item3", "FormParaSet_ZR_g5_Learn",
        "FormParaSet_ZR_gpbOther", "FormParaSet_ZR_i9", "FormParaSet_ZR_lblBTMac",
        "FormParaSet_ZR_lblPrintMode", "FormParaSet_ZR_lblProtocol", "FormParaSet_ZR_lblTearOff",
        "FormPrintTextLabel_lblDColumnOffset", "FormPrintTextLabel_lblDRowOffset",
        "FormPrintTextLabel_lblPrintableHeight", "FormPrintTextLabel_lblPrintableWidth", "Lang00010026",
        "Lang00010027", "Lang_All_00010002_11", "Lang_All_00010011_11", "Lang_All_00010021_11",
        "Lang_All_00010029_11", "Lang_All_00210004_12", "Lang_All_00210024_11", "Lang_All_00210026_11",
        "Lang_All_00210027_11", "Lang_All_00210091_11", "Lang_All_00210091_12", "Lang_All_00210091_14",
        "Lang_All_00210093_11", "Lang_All_00210093_12", "Lang_All_00210095_11", "Lang_All_00210096_11",
        "Lang_All_00210099_53", "Lang_All_00210127_12", "Lang_All_00210127_13", "Lang_All_00210129_11",
        "Lang_All_00210129_12", "Lang_All_00210129_23", "Lang_All_00210179_13", "Lang_All_00210190_12",
        "Lang_All_00210190_13", "Lang_All_00210190_14", "Lang_All_00210190_15", "Lang_All_00210207_16",
        "Lang_All_00210218_11", "Lang_Pos_00010003_11", "Lang_Pos_00010004_11", "_BTName", "_BTPWD",
        "_BTSet", "_Close", "_Disable", "_Enable", "_Err_BTPWD_Len", "_Err_ParaSet", "_MSG_Title_Error",
        "_MSG_Title_Message", "_Optional", "_PaperType_BlackMark", "_PaperType_Label", "_PaperType_Receipt",
        "_ParaSave_OK", "_ParaSet", "_PrintType1", "_PrintType2", "_Set", "lblHeadType", "lblHeadTypeItem1",
        "lblHeadTypeItem2", "lblHeadTypeItem3", "lblMac",
    };
    for (const char* name : {"UtilityForLabelLanguage.ini", "UtilityForMobileLanguage.ini"}) {
        const QString file = prt::test::SourceDir() + "/files/" + name;
        for (const char* section : {"1033", "2052"}) {
            // The language store publishes each key under its first spelling in the file
            // and is looked up by exact spelling: a key that differs only in case is blank.
            const QStringList published = prt::IniReadKeys(file, section);
            for (const QString& key : keys) {
                EXPECT_FALSE(prt::IniReadString(file, section, key, QString()).isEmpty())
                    << name << " " << section << " " << key.toStdString();
                EXPECT_TRUE(published.contains(key)) << name << " " << section << " " << key.toStdString();
            }
        }
        EXPECT_EQ(prt::IniReadString(file, "1033", "Lang_All_00210207_16"), QString::fromUtf8("Reading {0}…"));
    }
}

// The small model lists of the two forms: their sizes, the empty entry where a printer
// listed without a name counts, and every model selectable from the company list.
TEST(TextParaLists, ModelListsHoldSelectableModels)
{
    FreeModelLists();
    BuildModelLists();
    struct Case { const QString* list; int models; bool emptyEntry; };
    const Case cases[] = {
        {&ZrColShiftAModels, 1, true}, {&ZrColShiftBModels, 1, true}, {&ZrHeadTypeModels, 4, true},
        {&ZrMacModels, 2, false},       {&ZrPrintTypeOffModels, 1, false}, {&ZrReleasePaperModels, 1, false},
        {&QxNoBtSettingModels, 2, false}, {&QxRibbonModels, 3, false}, {&QxEscModels, 1, false},
        {&DplModels, 1, false},         {&Z34OneModels, 1, false},       {&ZrFamilyModels, 5, false},
    };
    const QString company = QString::fromLatin1(prt::test::ReadTestFile(prt::test::SourceDir() + "/files/CompanyPrinterList_Label.txt"));
    const QStringList selectable = company.split(QRegularExpression("[\\r\\n]+"), Qt::SkipEmptyParts);
    for (const Case& c : cases) {
        const QStringList names = c.list->mid(1, c.list->size() - 2).split(',');
        QStringList models = names;
        models.removeAll(QString());
        EXPECT_EQ(models.size(), c.models) << c.list->toStdString();
        EXPECT_EQ(IsModelInCommaList(QString(), *c.list), c.emptyEntry) << c.list->toStdString();
        for (const QString& m : models)
            EXPECT_TRUE(selectable.contains(m)) << m.toStdString();
    }
    // The QX no-Bluetooth-setting models are ribbon models too.
    for (const char* m : {"QX10", "QX12"})
        EXPECT_TRUE(IsModelInCommaList(m, QxRibbonModels));
    FreeModelLists();
}
