// The test-text jobs as bytes: label font-2, gap, per-line CPCL, CPCL page and general
// TSPL jobs; the receipt/mobile job types, both mobile roads and the two character-set
// forms; the ESC/POS job; the code pages the character-set list offers.
#include "PrtCodePage.h"
#include "PrtIni.h"
#include "TestSupport.h"
#include "mdlPrintTextJobs.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(QByteArray(hex));
}

QList<QByteArray> Bytes(const TTextJob& job)
{
    QList<QByteArray> out;
    for (const auto& w : job)
        out << w.bytes;
    return out;
}

QList<bool> Checked(const TTextJob& job)
{
    QList<bool> out;
    for (const auto& w : job)
        out << w.checked;
    return out;
}

// setval "viet_mode" "2" with its prefix: 31 bytes.
const char* kVietModeHex = "1b1c262056312073657476616c2022766965745f6d6f646522202232220d0a";

} // namespace

TEST(TextJobs, LinesSplitAtEveryBreakAndKeepEmptyPieces)
{
    struct Case { QString text; QStringList lines; } cases[] = {
        {"", {""}},
        {"abc", {"abc"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b", ""}},
        {"a\r\n\r\nb", {"a", "", "b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitPrintTextLines(c.text), c.lines) << c.text.toStdString();
    EXPECT_EQ(TextWithCrLf("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
}

TEST(TextJobs, LabelFont2AndGapJobs)
{
    struct Case { const char* name; QByteArray got, want; } cases[] = {
        {"font-2, two lines at 190 and 230, CODEPAGE 936 whatever the page",
         BuildLabelFont2Job("50", "60", "AB\nC", 1252),
         "SIZE 50mm,60mm\r\nCLS\r\nCODEPAGE 936\r\nTEXT 40,190,\"2\",0,1,1,0,\"AB\"\r\n"
         "TEXT 40,230,\"2\",0,1,1,0,\"C\"\r\nPRINT 1\r\n"},
        {"font-2, sizes as they stand, empty text is one empty line",
         BuildLabelFont2Job(" 50", "60 ", "", 1252),
         "SIZE  50mm,60 mm\r\nCLS\r\nCODEPAGE 936\r\nTEXT 40,190,\"2\",0,1,1,0,\"\"\r\nPRINT 1\r\n"},
        {"font-2 text in the 8-bit code page",
         BuildLabelFont2Job("50", "60", QString::fromUtf8("中"), 936),
         QByteArray("SIZE 50mm,60mm\r\nCLS\r\nCODEPAGE 936\r\nTEXT 40,190,\"2\",0,1,1,0,\"") + Hex("d6d0") +
             "\"\r\nPRINT 1\r\n"},
        {"gap job, three lines at 50, 100, 150",
         BuildLabelGapJob("100", "80", "a\nb\nc", 1252),
         "SIZE 100mm,80mm\r\nGAP 2 mm, 0 mm\r\nCLS\r\nTEXT 50,50,\"9\",0,40,40,\"a\"\r\n"
         "TEXT 50,100,\"9\",0,40,40,\"b\"\r\nTEXT 50,150,\"9\",0,40,40,\"c\"\r\nPRINT 1\r\n"},
        {"gap job, a final break adds an empty line",
         BuildLabelGapJob("100", "80", "a\n", 1252),
         "SIZE 100mm,80mm\r\nGAP 2 mm, 0 mm\r\nCLS\r\nTEXT 50,50,\"9\",0,40,40,\"a\"\r\n"
         "TEXT 50,100,\"9\",0,40,40,\"\"\r\nPRINT 1\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.want) << c.name;
}

TEST(TextJobs, PerLineCpclLabels)
{
    const QByteArray abc = "! 0 200 200 80 1\r\nTEXT 5 0 30 40 abc\r\nPRINT\r\n";
    struct Case { QString text; QList<QByteArray> jobs; } cases[] = {
        {"abc", {abc}},
        {"a\r\nb", {"! 0 200 200 80 1\r\nTEXT 5 0 30 40 a\r\nPRINT\r\n", "! 0 200 200 80 1\r\nTEXT 5 0 30 40 b\r\nPRINT\r\n"}},
        {"abc\n", {abc, "! 0 200 200 80 1\r\nTEXT 5 0 30 40 \r\nPRINT\r\n"}},
        {"", {"! 0 200 200 80 1\r\nTEXT 5 0 30 40 \r\nPRINT\r\n"}},
    };
    for (const auto& c : cases) {
        const TTextJob job = BuildCpclLineJobs(c.text, 1252);
        EXPECT_EQ(Bytes(job), c.jobs) << c.text.toStdString();
        for (const auto& w : job)
            EXPECT_FALSE(w.checked);
    }
}

TEST(TextJobs, GeneralTsplJobWritesInOrder)
{
    const QByteArray cls = "CLS\r\n", print = "PRINT 1\r\n";
    struct Case {
        const char* name;
        TTsplTextInput in;
        QList<QByteArray> writes;
    } cases[] = {
        {"font 0, third line at 10 + 2 x 54, sizes trimmed",
         {"x\ny\nz", " 50 ", "60", false, false, false, 1252},
         {cls, "SIZE 50 mm,60 mm\r\n", "TEXT 10,10,\"0\",0,1,1,\"x\"\r\n", "TEXT 10,64,\"0\",0,1,1,\"y\"\r\n",
          "TEXT 10,118,\"0\",0,1,1,\"z\"\r\n", print}},
        {"vector font", {"x", "50", "60", false, false, true, 1252},
         {cls, "SIZE 50 mm,60 mm\r\n", "TEXT 10,10,\"9\",0,50,50,\"x\"\r\n", print}},
        {"UTF-8 chosen on a model outside ZR640 stays 8-bit with font 0",
         {QString::fromUtf8("é"), "50", "60", true, false, false, 1252},
         {cls, "SIZE 50 mm,60 mm\r\n", QByteArray("TEXT 10,10,\"0\",0,1,1,\"") + Hex("e9") + "\"\r\n", print}},
        {"ZR640 without UTF-8: no prefix",
         {"x", "50", "60", false, true, true, 1252},
         {cls, "SIZE 50 mm,60 mm\r\n", "TEXT 10,10,\"9\",0,50,50,\"x\"\r\n", print}},
        {"ZR640 with UTF-8: the 31-byte viet_mode prefix and font Z in UTF-8",
         {QString::fromUtf8("中"), "50", "60", true, true, true, 1252},
         {Hex(kVietModeHex), cls, "SIZE 50 mm,60 mm\r\n",
          QByteArray("TEXT 10,10,\"Z\",0,1,1,\"") + Hex("e4b8ad") + "\"\r\n", print}},
        {"slot texts inside a line are not filled again",
         {"{1}{0}", "50", "60", false, false, false, 1252},
         {cls, "SIZE 50 mm,60 mm\r\n", "TEXT 10,10,\"0\",0,1,1,\"{1}{0}\"\r\n", print}},
    };
    for (const auto& c : cases) {
        const TTextJob job = BuildGeneralTsplJob(c.in);
        EXPECT_EQ(Bytes(job), c.writes) << c.name;
        // Only CLS and PRINT 1 are checked.
        for (const auto& w : job)
            EXPECT_EQ(w.checked, w.bytes == cls || w.bytes == print) << c.name;
    }
    EXPECT_EQ(Hex(kVietModeHex).size(), 31);
}

TEST(TextJobs, CpclPage)
{
    struct Case {
        const char* name;
        TCpclPageInput in;
        QList<QByteArray> writes;
    } cases[] = {
        {"30 x 72 mm, two lines", {"a\nb", "72", "30", false, false, 1252},
         {"! 0 200 200 240 1\r\n", " PW 576\r\n", "TEXT 5 0 10 10 a\r\n", "TEXT 5 0 10 64 b\r\n", "PRINT\r\n"}},
        {"country header and FORM", {"a", "30", "30", true, true, 1252},
         {"! 0 200 200 240 1\r\nCLS\r\nCOUNTRY CHINA\r\n", " PW 240\r\n", "TEXT 5 0 10 10 a\r\n",
          "FORM\r\nPRINT\r\n"}},
        {"empty text, sizes not integers", {"", "", "abc", false, false, 1252},
         {"! 0 200 200 1680 1\r\n", " PW 576\r\n", "TEXT 5 0 10 10 \r\n", "PRINT\r\n"}},
    };
    for (const auto& c : cases) {
        const TTextJob job = BuildCpclPageJob(c.in);
        EXPECT_EQ(Bytes(job), c.writes) << c.name;
        QList<bool> checked(job.size(), false);
        checked.back() = true;
        EXPECT_EQ(Checked(job), checked) << c.name;
    }
}

TEST(TextJobs, ReceiptCpclAndMobileZplJobs)
{
    struct Case { const char* name; QByteArray got, want; } cases[] = {
        {"CPCL, rows at 40, 80, 120", BuildCpclTextJob("a\r\nb\r\nc", 500, 40).toLatin1(),
         "! 0 200 200 500 1\r\nTEXT 5 0 78 40 a\r\nTEXT 5 0 78 80 b\r\nTEXT 5 0 78 120 c\r\nFORM\r\nPRINT\r\n"},
        {"CPCL, height 160, row step 30", BuildCpclTextJob("a\r\nb", 160, 30).toLatin1(),
         "! 0 200 200 160 1\r\nTEXT 5 0 78 40 a\r\nTEXT 5 0 78 70 b\r\nFORM\r\nPRINT\r\n"},
        {"mobile ZPL, 8-bit form at x 80", BuildMobileZplJob("a\r\nb", 80).toLatin1(),
         "^XA\r\n^LL208\r\n^LH0,0\r\n^FO80,15^CI14^A@N,24,24,E:SIMSUN.TTF^FDa^FS\r\n"
         "^FO80,69^CI14^A@N,24,24,E:SIMSUN.TTF^FDb^FS\r\n^XZ\r\n"},
        {"mobile ZPL, wide form at x 0", BuildMobileZplJob("a\r\nb", 0).toLatin1(),
         "^XA\r\n^LL208\r\n^LH0,0\r\n^FO0,15^CI14^A@N,24,24,E:SIMSUN.TTF^FDa^FS\r\n"
         "^FO0,69^CI14^A@N,24,24,E:SIMSUN.TTF^FDb^FS\r\n^XZ\r\n"},
        {"Cyrillic: ^CI28 and UTF-8 text", BuildMobileCyrillicZplJob(QString::fromUtf8("Жa")),
         QByteArray("^XA\r\n^CI28\r\n^LL500\r\n^FO0,15\r\n^A@N,30,30,E:tt0003m_^FD") + Hex("d096") +
             "a^FS\r\n^XZ\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.want) << c.name;
}

TEST(TextJobs, ReceiptJobTypes)
{
    const QString two = "a\r\nb";
    TPrintTextTypeInput plain{two, false, false, {}, {}};
    TPrintTextTypeInput zr{two, true, false, {}, {}};
    TPrintTextTypeInput pplEsc{two, false, true, "esc", {}};
    TPrintTextTypeInput pplUpper{two, false, true, "ESC", {}};
    TPrintTextTypeInput cpcl{two, false, false, {}, "CPCL-JOB"};
    TPrintTextTypeInput three{"a\r\nb\r\nc", false, false, {}, {}};
    TPrintTextTypeInput empty{"", false, false, {}, {}};
    struct Case { const char* name; int type; TPrintTextTypeInput in; QByteArray want; } cases[] = {
        {"1: ZPL 50-dot, ^LL without a line end", 1, plain,
         "^XA\r\n^LL208^FO0,10^A@N,50,50,E:SIMSUN.TTF^FDa^FS\r\n^FO0,64^A@N,50,50,E:SIMSUN.TTF^FDb^FS\r\n^XZ\r\n"},
        {"2: the text as lines", 2, plain, "a\r\nb\r\n"},
        {"3: ZPL 24-dot, length 208, fields at 10 and 64", 3, plain,
         "^XA\r\n^LL208\r\n^LH0,0\r\n^FO0,10^CI14^A@N,24,24,E:SIMSUN.TTF^FDa^FS\r\n"
         "^FO0,64^CI14^A@N,24,24,E:SIMSUN.TTF^FDb^FS\r\n^XZ\r\n"},
        {"3: ZR640 with UTF-8", 3, zr,
         Hex(kVietModeHex) + "^XA\r\n^CI32\r\n^LL208\r\n^LH0,0\r\n^FO0,10^AZN,24,12^FDa^FS\r\n"
                             "^FO0,64^AZN,24,12^FDb^FS\r\n^XZ\r\n"},
        {"3: ppl answer esc gives the text and seven line ends", 3, pplEsc,
         "a\r\nb\r\n\r\n\r\n\r\n\r\n\r\n\r\n"},
        {"3: ppl answer other than exactly esc builds nothing", 3, pplUpper, ""},
        {"4: EPL, three lines at 10, 64, 118", 4, three,
         "N\r\nA10,10,0,1,2,2,N,\"a\"\r\nA10,64,0,1,2,2,N,\"b\"\r\nA10,118,0,1,2,2,N,\"c\"\r\nP1\r\n"},
        {"5: the text and LF", 5, plain, "a\r\nb\n"},
        {"5: an empty text is a single LF", 5, empty, "\n"},
        {"6: the CPCL job", 6, cpcl, "CPCL-JOB"},
        {"unknown type builds nothing", 9, plain, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildPrintTextTypeJob(c.type, c.in).toLatin1(), c.want) << c.name;
}

TEST(TextJobs, CharacterSetFormsAndCodePages)
{
    // Wide form in the chosen code page; the 8-bit form when none is chosen or the code
    // cannot be used.
    struct Case { const char* name; QString narrow, wide; int chosen, ansi; QByteArray want; } cases[] = {
        {"none chosen: 8-bit", QString::fromLatin1("x\xe9"), "w", 0, 1252, Hex("78e9")},
        {"UTF-8", "n", QString::fromUtf8("é中"), 65001, 1252, Hex("c3a9e4b8ad")},
        {"GBK", "n", QString::fromUtf8("中"), 936, 1252, Hex("d6d0")},
        {"Big5", "n", QString::fromUtf8("中"), 950, 1252, Hex("a4a4")},
        {"Shift-JIS", "n", QString::fromUtf8("中"), 932, 1252, Hex("9286")},
        {"Korean", "n", QString::fromUtf8("中"), 949, 1252, Hex("f1e9")},
        {"Cyrillic 1251", "n", QString::fromUtf8("Ж"), 1251, 1252, Hex("c6")},
        {"Cyrillic 866", "n", QString::fromUtf8("Ж"), 866, 1252, Hex("86")},
        {"Western 1252 with the euro", "n", QString::fromUtf8("€é"), 1252, 936, Hex("80e9")},
        {"unmappable becomes ?", "n", QString::fromUtf8("a中"), 1252, 1252, Hex("613f")},
        {"unknown code page: 8-bit form", QString::fromUtf8("中"), "w", 99999, 936, Hex("d6d0")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncodePrintTextJob(c.narrow, c.wide, c.chosen, c.ansi).toHex(), c.want.toHex()) << c.name;

    // Code-list entries: position by position, a missing or non-integer entry is no page.
    const QStringList codes{"65001", " 936 ", "x", ""};
    EXPECT_EQ(CodeListEntryToCodePage(codes, 0), 65001);
    EXPECT_EQ(CodeListEntryToCodePage(codes, 1), 936);
    EXPECT_EQ(CodeListEntryToCodePage(codes, 2), 0);
    EXPECT_EQ(CodeListEntryToCodePage(codes, 3), 0);
    EXPECT_EQ(CodeListEntryToCodePage(codes, 4), 0);
    EXPECT_EQ(CodeListEntryToCodePage(codes, -1), 0);
}

TEST(TextJobs, EveryOfferedCharacterSetHasAUsableCodePage)
{
    const QDir files(prt::test::SourceDir() + "/files");
    for (const char* name : {"UtilityForLabelLanguage.ini", "UtilityForMobileLanguage.ini"}) {
        for (const char* section : {"1033", "2052"}) {
            const QString path = files.filePath(name);
            const QStringList items =
                prt::IniReadString(path, section, "FormPrintText_cmbLanguage_Item", {}).split(',');
            const QStringList codes =
                prt::IniReadString(path, section, "FormPrintText_cmbLanguage_ItemCode", {}).split(',');
            ASSERT_EQ(items.size(), codes.size()) << name << section;
            for (const QString& code : codes) {
                EXPECT_GT(code.toInt(), 0) << code.toStdString();
                EXPECT_TRUE(prt::IsCodePageSupported(code.toInt())) << code.toStdString();
            }
            // The code pages the receipt window names must be offered.
            for (const char* needed : {"65001", "936", "950", "932", "949", "1251", "866", "1252"})
                EXPECT_TRUE(codes.contains(needed)) << name << section << needed;
        }
    }
}

TEST(TextJobs, EscPosTextEndsWithFiveLineEnds)
{
    EXPECT_EQ(BuildEscPosTextJob("", 1252), Hex("0d0a0d0a0d0a0d0a0d0a"));
    EXPECT_EQ(BuildEscPosTextJob("a\nb", 1252), Hex("610d0a62") + Hex("0d0a0d0a0d0a0d0a0d0a"));
    EXPECT_EQ(BuildEscPosTextJob("a\r\nb", 1252), Hex("610d0a62") + Hex("0d0a0d0a0d0a0d0a0d0a"));
    EXPECT_EQ(BuildEscPosTextJob(QString(3000, 'x'), 1252).size(), 3010);
}

TEST(TextJobs, TemplatesFromLanguageFilesAreFilledSafely)
{
    struct Case { QString tmpl; QStringList values; QString want; } slotCases[] = {
        {"Failed to read {0}.", {"Protocol Type"}, "Failed to read Protocol Type."},
        {"{0}{0}", {"a"}, "aa"},
        {"{1} and {5}", {"a", "b"}, "b and {5}"},
        {"{0", {"a"}, "{0"},
        {"{-1}{x}", {"a"}, "{-1}{x}"},
    };
    for (const auto& c : slotCases)
        EXPECT_EQ(FillSlots(c.tmpl, c.values), c.want) << c.tmpl.toStdString();
    struct PCase { QString tmpl; QStringList values; QString want; } percent[] = {
        {"from %s to %s", {"0", "150"}, "from 0 to 150"},
        {"at most %s", {"12"}, "at most 12"},
        {"%s %s %s", {"1"}, "1 %s %s"},
        {"%d %n %s", {"x"}, "%d %n x"},
        {"no slot", {"x"}, "no slot"},
        {"%s", {"%s"}, "%s"},
    };
    for (const auto& c : percent)
        EXPECT_EQ(FillPercentS(c.tmpl, c.values), c.want) << c.tmpl.toStdString();
}

TEST(TextJobs, EveryKeyTheWindowsReadHasEnglishAndChineseText)
{
    QStringList keys = {
        "FormPrintTextLabel_Caption", "FormPrintTextLabel_lblContent", "FormPrintTextLabel_lblPrintableWidth",
        "FormPrintTextLabel_lblPrintableHeight", "FormPrintText_cmbLanguage_Item", "FormPrintText_cmbLanguage_ItemCode",
        "FormPrintText_Caption", "FormPrintText_lblContent", "FormPrintText_chkLanguage", "FormPrintText_lblLanguage",
        "_Print", "_Close", "_Err_OpenPort", "_Err_WriteData", "_Err_ImportNull", "_Err_ReadData",
        "_MSG_Title_Error", "_MSG_Title_Message", "Lang_All_00210325_11", "Lang_All_00210326_11",
        "Lang_All_00210331_11", "Lang_All_00010011_11", "Lang_Word_ProtocolType", "FormMain_Label_btnPrintText",
        "FormTempletManage_btnPrint", "Lang_All_00010023_11", "Lang_All_00010024_11", "Lang_All_00210121_12",
    };
    for (int i = 1; i <= 25; ++i)
        keys << QStringLiteral("Lang000100%1").arg(i, 2, 10, QLatin1Char('0'));
    const QDir files(prt::test::SourceDir() + "/files");
    for (const char* name : {"UtilityForLabelLanguage.ini", "UtilityForMobileLanguage.ini"})
        for (const char* section : {"1033", "2052"})
            for (const QString& key : keys)
                EXPECT_FALSE(prt::IniReadString(files.filePath(name), section, key, {}).isEmpty())
                    << name << " [" << section << "] " << key.toStdString();
    // The RFID messages keep their value slots.
    const QString label = files.filePath("UtilityForLabelLanguage.ini");
    for (const char* section : {"1033", "2052"}) {
        EXPECT_EQ(prt::IniReadString(label, section, "Lang00010001", {}).count("%s"), 1);
        EXPECT_EQ(prt::IniReadString(label, section, "Lang00010007", {}).count("%s"), 1);
        EXPECT_EQ(prt::IniReadString(label, section, "Lang00010011", {}).count("%s"), 2);
        EXPECT_EQ(prt::IniReadString(label, section, "Lang00010012", {}).count("%s"), 2);
    }
}
