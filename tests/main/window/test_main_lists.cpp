// Printer list file, function-button decision and geometry, printer-type list loaders:
// everything of the main window that works without the window.
#include "MainFixture.h"

#include "PrtCodePage.h"
#include "PrtIni.h"
#include "PrtPaths.h"
#include "PrtTexts.h"
#include "mdlFunctionButtons.h"
#include "mdlKesaVar.h"
#include "mdlLanguage.h"
#include "mdlMainData.h"
#include "mdlMainRules.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlOemClass.h"
#include "mdlPrinterListFile.h"
#include "mdlPrinterTypeList.h"

#include <QDir>
#include <gtest/gtest.h>

using mainwin::TempProgram;

namespace {

// The row at index as a list loaded from the file now would name it.
TPrinterListRowRef Loaded(const QString& path, int index)
{
    return {index, ReadPrinterListLines(path).value(index)};
}

} // namespace

// ---- printer list file ---------------------------------------------------------------------

TEST(PrinterListFile, ReadsNonBlankLinesAndFillsMissingFields)
{
    TempProgram p;
    // A file written by delete begins with an empty line; blank lines are skipped; the last
    // line has no line end; a three-field line has empty notes and version id.
    TempProgram::Write(p.ListPath(), "\r\nV64|USB|USB|desk|1\r\n   \r\nF58S|COM|COM1,BAUDRATE_9600\r\n"
                                     "TE62|NET|NET,127.0.0.1:9100|shop|");
    const QStringList lines = ReadPrinterListLines(p.ListPath());
    ASSERT_EQ(lines.size(), 3);
    struct Case {
        int line;
        const char *model, *type, *param, *notes, *ver;
    };
    const Case cases[] = {
        {0, "V64", "USB", "USB", "desk", "1"},
        {1, "F58S", "COM", "COM1,BAUDRATE_9600", "", ""},
        {2, "TE62", "NET", "NET,127.0.0.1:9100", "shop", ""},
    };
    for (const Case& c : cases) {
        const TPrinterListRow r = ParsePrinterListLine(lines[c.line]);
        EXPECT_EQ(r.Model, c.model);
        EXPECT_EQ(r.PortType, c.type);
        EXPECT_EQ(r.PortParam, c.param);
        EXPECT_EQ(r.Notes, c.notes);
        EXPECT_EQ(r.PrtVerOfTool, c.ver);
    }
    // Written back, the three-field line has five fields.
    EXPECT_EQ(BuildPrinterListLine(ParsePrinterListLine(lines[1])), "F58S|COM|COM1,BAUDRATE_9600||");
    EXPECT_TRUE(ReadPrinterListLines(p.FilesDir() + "missing.txt").isEmpty());
}

TEST(PrinterListFile, FieldsWithSeparatorOrLineBreakAreRefusedAndNothingIsWritten)
{
    TempProgram p;
    const QByteArray before = "V64|USB|USB||\r\n";
    TempProgram::Write(p.ListPath(), before);
    const char* bad[] = {"A|B", "A\rB", "A\nB", "A\r\nB"};
    for (const char* text : bad) {
        SCOPED_TRACE(QByteArray(text).toHex().toStdString());
        EXPECT_FALSE(IsValidPrinterListField(text));
        TPrinterListRow inModel{text, "USB", "USB", "", ""};
        TPrinterListRow inNotes{"V64", "USB", "USB", text, ""};
        EXPECT_EQ(AppendPrinterListRow(p.ListPath(), inModel), TPrinterListResult::BadField);
        EXPECT_EQ(AppendPrinterListRow(p.ListPath(), inNotes), TPrinterListResult::BadField);
        EXPECT_EQ(ReplacePrinterListRow(p.ListPath(), Loaded(p.ListPath(), 0), inNotes), TPrinterListResult::BadField);
        EXPECT_EQ(UpdatePrinterListAddress(p.ListPath(), Loaded(p.ListPath(), 0), text), TPrinterListResult::BadField);
    }
    EXPECT_EQ(TempProgram::Read(p.ListPath()), before);
}

// A model whose first non-blank character is "#" or ";" would make its line a comment: the
// row would be gone from the list. Such a row is refused and nothing is written; the
// default row of an empty list is refused the same way.
TEST(PrinterListFile, AModelThatWouldMakeACommentIsRefused)
{
    TempProgram p;
    const QByteArray before = "V64|USB|USB||\r\n";
    struct Case {
        const char* model;
        TPrinterListResult result;
    };
    const Case cases[] = {
        {"#V64", TPrinterListResult::BadModel},  {";V64", TPrinterListResult::BadModel},
        {"  #V64", TPrinterListResult::BadModel}, {"\t;V64", TPrinterListResult::BadModel},
        {"#", TPrinterListResult::BadModel},      {"V#64", TPrinterListResult::Ok},
        {" V64; ", TPrinterListResult::Ok},       {"", TPrinterListResult::Ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        const TPrinterListRow row{c.model, "USB", "USB", "", "0"};
        TempProgram::Write(p.ListPath(), before);
        EXPECT_EQ(AppendPrinterListRow(p.ListPath(), row), c.result);
        if (c.result == TPrinterListResult::Ok) {
            // Written, the row reads back as the same row.
            const QStringList rows = ReadPrinterListLines(p.ListPath());
            ASSERT_EQ(rows.size(), 2);
            EXPECT_EQ(ParsePrinterListLine(rows[1]).Model, QString(c.model).trimmed());
        } else {
            EXPECT_EQ(TempProgram::Read(p.ListPath()), before);
        }
        TempProgram::Write(p.ListPath(), before);
        EXPECT_EQ(ReplacePrinterListRow(p.ListPath(), {0, "V64|USB|USB||"}, row), c.result);
        const bool refused = c.result != TPrinterListResult::Ok;
        EXPECT_EQ(TempProgram::Read(p.ListPath()) == before, refused);

        TempProgram::Write(p.ListPath(), "# only notes\r\n");
        EXPECT_EQ(CreateDefaultPrinterList(p.ListPath(), c.model), c.result == TPrinterListResult::Ok);
        EXPECT_EQ(ReadPrinterListLines(p.ListPath()).size(), refused ? 0 : 1);
        EXPECT_EQ(TempProgram::Read(p.ListPath()) == "# only notes\r\n", refused);
    }
    // A default model holding "|" would shift the fields: refused as well.
    TempProgram::Write(p.ListPath(), "");
    EXPECT_FALSE(CreateDefaultPrinterList(p.ListPath(), "A|B"));
    EXPECT_EQ(TempProgram::Read(p.ListPath()), "");
}

// Two files joined: the first field begins with U+FEFF after the file's own mark. Only
// the leading mark is the file's; the other is part of the row and every rewrite keeps it,
// in the file's encoding.
TEST(PrinterListFile, AMarkAfterTheFilesOwnMarkIsPartOfTheRow)
{
    using prt::test::Hex;
    const QString feffV64 = QString(QChar(0xFEFF)) + "V64";
    auto utf16le = [](const QString& text) {
        QByteArray out = Hex("FF FE");
        for (QChar c : text)
            out += char(c.unicode() & 0xFF), out += char(c.unicode() >> 8);
        return out;
    };
    TempProgram p;
    {   // UTF-8 with its mark; a file written by delete begins with an empty line.
        TempProgram::Write(p.ListPath(), Hex("EF BB BF") + "\r\n" + Hex("EF BB BF") + "V64|USB|USB||\r\n");
        ASSERT_EQ(ParsePrinterListLine(ReadPrinterListLines(p.ListPath()).value(0)).Model, feffV64);
        ASSERT_EQ(UpdatePrinterListAddress(p.ListPath(), Loaded(p.ListPath(), 0), "127.0.0.1"), TPrinterListResult::Ok);
        EXPECT_EQ(TempProgram::Read(p.ListPath()), Hex("EF BB BF EF BB BF") + "V64|USB|NET,127.0.0.1||\r\n");
        EXPECT_EQ(ParsePrinterListLine(ReadPrinterListLines(p.ListPath()).value(0)).Model, feffV64);
    }
    {   // UTF-16LE with its mark; the marked row stays as it stood while another changes.
        const QString rows = feffV64 + "|USB|USB||\r\nTE62|USB|USB||\r\n";
        TempProgram::Write(p.ListPath(), utf16le(rows));
        ASSERT_EQ(ParsePrinterListLine(ReadPrinterListLines(p.ListPath()).value(0)).Model, feffV64);
        ASSERT_EQ(UpdatePrinterListAddress(p.ListPath(), Loaded(p.ListPath(), 1), "127.0.0.1"), TPrinterListResult::Ok);
        EXPECT_EQ(TempProgram::Read(p.ListPath()), utf16le(feffV64 + "|USB|USB||\r\nTE62|USB|NET,127.0.0.1||\r\n"));
    }
}

TEST(PrinterListFile, AppendEndsAnUnterminatedLastLineFirst)
{
    TempProgram p;
    TempProgram::Write(p.ListPath(), "V64|USB|USB||");
    ASSERT_EQ(AppendPrinterListRow(p.ListPath(), {"TE62", "NET", "NET,127.0.0.1", "n", "2"}),
              TPrinterListResult::Ok);
    EXPECT_EQ(TempProgram::Read(p.ListPath()), "V64|USB|USB||\r\nTE62|NET|NET,127.0.0.1|n|2\r\n");
    // A missing file gets just the row.
    const QString other = p.FilesDir() + "other.txt";
    ASSERT_EQ(AppendPrinterListRow(other, {"V52", "USB", "USB", "", ""}), TPrinterListResult::Ok);
    EXPECT_EQ(TempProgram::Read(other), "V52|USB|USB||\r\n");
}

// A list from an older installation in an 8-bit code page or UTF-16 keeps its encoding
// through every rewrite: the other rows survive byte for byte, whatever the UI language.
TEST(PrinterListFile, RewritesKeepTheEncodingTheFileWasReadIn)
{
    using prt::test::Hex;
    // "中文" in GBK is D6 D0 CE C4; the rows are "\r\nV64|USB|USB|中文|1\r\nV52|USB|USB||\r\n".
    const QByteArray gbk = Hex("0D 0A") + "V64|USB|USB|" + Hex("D6 D0 CE C4") + "|1\r\nV52|USB|USB||\r\n";
    const QByteArray added = "TE62|NET|NET,127.0.0.1|n|2\r\n";
    struct Lang {
        int Lcid;
        const char* Name;
    } langs[] = {{2052, "Chinese UI (read as GBK)"}, {1033, "English UI (read as 1252)"}};
    const int oldLcid = prt::UiLanguageId();
    for (const Lang& l : langs) {
        SCOPED_TRACE(l.Name);
        prt::SetUiLanguageId(l.Lcid);
        TempProgram p;
        TempProgram::Write(p.ListPath(), gbk);
        // Delete the second row: the rows as the window holds them, written back.
        QList<QStringList> rows;
        for (const QString& line : ReadPrinterListLines(p.ListPath()))
            rows.append(line.split('|'));
        ASSERT_EQ(rows.size(), 2);
        if (l.Lcid == 2052) {
            EXPECT_EQ(rows[0][3], QString::fromUtf8("中文"));
        }
        rows.removeLast();
        ASSERT_TRUE(SavePrinterListFile(p.ListPath(), rows, 5));
        const QByteArray afterDelete = Hex("0D 0A") + "V64|USB|USB|" + Hex("D6 D0 CE C4") + "|1\r\n";
        EXPECT_EQ(TempProgram::Read(p.ListPath()), afterDelete);
        // Add: the new row joins in the same encoding.
        ASSERT_EQ(AppendPrinterListRow(p.ListPath(), {"TE62", "NET", "NET,127.0.0.1", "n", "2"}),
                  TPrinterListResult::Ok);
        EXPECT_EQ(TempProgram::Read(p.ListPath()), afterDelete + added);
        // Modify and address update rewrite only their own row.
        ASSERT_EQ(UpdatePrinterListAddress(p.ListPath(), Loaded(p.ListPath(), 1), "127.0.0.2"), TPrinterListResult::Ok);
        // (this rewrite writes the lines without the leading empty one)
        EXPECT_EQ(TempProgram::Read(p.ListPath()), afterDelete.mid(2) + "TE62|NET|NET,127.0.0.2|n|2\r\n");
    }
    // A character the code page lacks: the whole file is rewritten in UTF-8, never mixed.
    prt::SetUiLanguageId(2052);
    {
        TempProgram p;
        TempProgram::Write(p.ListPath(), gbk);
        ASSERT_EQ(AppendPrinterListRow(p.ListPath(), {"V52", "USB", "USB", QString::fromUtf8("\u0E01"), ""}),
                  TPrinterListResult::Ok);
        EXPECT_EQ(TempProgram::Read(p.ListPath()),
                  QString::fromUtf8("\r\nV64|USB|USB|中文|1\r\nV52|USB|USB||\r\nV52|USB|USB|\u0E01|\r\n").toUtf8());
    }
    prt::SetUiLanguageId(oldLcid);
    // UTF-16 by its mark stays UTF-16 (with the mark); UTF-8 with a mark keeps the mark.
    {
        TempProgram p;
        const QString text = QString::fromUtf8("V64|USB|USB|中文|1\r\n");
        QByteArray utf16 = Hex("FF FE");
        for (QChar c : text)
            utf16 += char(c.unicode() & 0xFF), utf16 += char(c.unicode() >> 8);
        TempProgram::Write(p.ListPath(), utf16);
        ASSERT_EQ(AppendPrinterListRow(p.ListPath(), {"V52", "USB", "USB", "", ""}), TPrinterListResult::Ok);
        QByteArray expected = utf16;
        for (QChar c : QString("V52|USB|USB||\r\n"))
            expected += char(c.unicode() & 0xFF), expected += char(c.unicode() >> 8);
        EXPECT_EQ(TempProgram::Read(p.ListPath()), expected);

        const QByteArray bom8 = Hex("EF BB BF") + QString::fromUtf8("V64|USB|USB|中文|1\r\n").toUtf8();
        TempProgram::Write(p.ListPath(), bom8);
        ASSERT_EQ(AppendPrinterListRow(p.ListPath(), {"V52", "USB", "USB", "", ""}), TPrinterListResult::Ok);
        EXPECT_EQ(TempProgram::Read(p.ListPath()), bom8 + "V52|USB|USB||\r\n");
    }
}

// Splitting into lines holds for any text: an unpaired surrogate in one row does not stop
// the rows after it.
TEST(PrinterListFile, InvalidTextDoesNotStopLineSplitting)
{
    TempProgram p;
    // UTF-16LE with a lone high surrogate (D800) in the first row.
    QByteArray bytes = prt::test::Hex("FF FE");
    const QString rows = "A|USB|USB|x|\r\nB|USB|USB||\r\nC|USB|USB||\r\n";
    for (int i = 0; i < rows.size(); ++i) {
        const char16_t c = i == 11 ? char16_t(0xD800) : rows[i].unicode();
        bytes += char(c & 0xFF), bytes += char(c >> 8);
    }
    TempProgram::Write(p.ListPath(), bytes);
    const QStringList lines = ReadPrinterListLines(p.ListPath());
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(ParsePrinterListLine(lines[1]).Model, "B");
    EXPECT_EQ(ParsePrinterListLine(lines[2]).Model, "C");
    const QStringList split = prt::SplitTextLines(QString("a\r\nb\rc\nd") + QChar(0xDC00) + "\n");
    EXPECT_EQ(split, (QStringList{"a", "b", "c", QString("d") + QChar(0xDC00), ""}));
}

TEST(PrinterListFile, ModifyAndAddressUpdateReReadTheFile)
{
    TempProgram p;
    TempProgram::Write(p.ListPath(), "\r\nV64|USB|USB|a|1\r\nF58S|COM|COM1,BAUDRATE_9600\r\n");

    // The address update of a USB row keeps the port type; the short line is rebuilt.
    ASSERT_EQ(UpdatePrinterListAddress(p.ListPath(), {0, "V64|USB|USB|a|1"}, "127.0.0.7"), TPrinterListResult::Ok);
    ASSERT_EQ(UpdatePrinterListAddress(p.ListPath(), {1, "F58S|COM|COM1,BAUDRATE_9600"}, "127.0.0.8"),
              TPrinterListResult::Ok);
    EXPECT_EQ(TempProgram::Read(p.ListPath()), "V64|USB|NET,127.0.0.7|a|1\r\nF58S|COM|NET,127.0.0.8\r\n");

    ASSERT_EQ(ReplacePrinterListRow(p.ListPath(), {1, "F58S|COM|NET,127.0.0.8"}, {"F58D", "LPT", "LPT1", "b", ""}),
              TPrinterListResult::Ok);
    EXPECT_EQ(TempProgram::Read(p.ListPath()), "V64|USB|NET,127.0.0.7|a|1\r\nF58D|LPT|LPT1|b|\r\n");
}

// The file changed after the list was loaded (another copy of the program, a hand edit):
// a rewrite acts on the row the list was loaded with, at its place or at the one place
// that holds its line now; when the file holds that line nowhere or twice, nothing is
// written and the result says the list changed.
TEST(PrinterListFile, ARewriteActsOnlyOnTheRowAsItWasLoaded)
{
    // Loaded: V64 then TE62; the operator acts on TE62 (row 1).
    const TPrinterListRowRef te62{1, "TE62|NET|NET,127.0.0.1|shop|"};
    struct Case {
        const char* name;
        const char* file;            // the file when the rewrite runs
        const char* afterDelete;     // nullptr: the list changed, nothing written
        const char* afterModify;
        const char* afterAddress;
    };
    const Case cases[] = {
        {"unchanged", "V64|USB|USB|a|\r\nTE62|NET|NET,127.0.0.1|shop|\r\n",
         "\r\nV64|USB|USB|a|\r\n",
         "V64|USB|USB|a|\r\nTE62|NET|NET,127.0.0.2|moved|\r\n",
         "V64|USB|USB|a|\r\nTE62|NET|NET,127.0.0.9|shop|\r\n"},
        {"a row added before it", "J83|USB|USB||\r\nV64|USB|USB|a|\r\nTE62|NET|NET,127.0.0.1|shop|\r\n",
         "\r\nJ83|USB|USB||\r\nV64|USB|USB|a|\r\n",
         "J83|USB|USB||\r\nV64|USB|USB|a|\r\nTE62|NET|NET,127.0.0.2|moved|\r\n",
         "J83|USB|USB||\r\nV64|USB|USB|a|\r\nTE62|NET|NET,127.0.0.9|shop|\r\n"},
        {"the row before it deleted", "TE62|NET|NET,127.0.0.1|shop|\r\n",
         "\r\n",
         "TE62|NET|NET,127.0.0.2|moved|\r\n",
         "TE62|NET|NET,127.0.0.9|shop|\r\n"},
        {"another printer in its place", "V64|USB|USB|a|\r\nV52|USB|USB||\r\n", nullptr, nullptr, nullptr},
        {"its line edited", "V64|USB|USB|a|\r\nTE62|NET|NET,127.0.0.1|store|\r\n", nullptr, nullptr, nullptr},
        {"its line twice elsewhere",
         "TE62|NET|NET,127.0.0.1|shop|\r\nV64|USB|USB|a|\r\nTE62|NET|NET,127.0.0.1|shop|\r\n"
         "TE62|NET|NET,127.0.0.1|shop|\r\n",
         nullptr, nullptr, nullptr},
        {"an empty file", "", nullptr, nullptr, nullptr},
    };
    TempProgram p;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TPrinterListResult expectOk = c.afterDelete ? TPrinterListResult::Ok : TPrinterListResult::Changed;
        TempProgram::Write(p.ListPath(), c.file);
        EXPECT_EQ(DeletePrinterListRow(p.ListPath(), te62), expectOk);
        EXPECT_EQ(TempProgram::Read(p.ListPath()), c.afterDelete ? c.afterDelete : c.file);

        TempProgram::Write(p.ListPath(), c.file);
        EXPECT_EQ(ReplacePrinterListRow(p.ListPath(), te62, {"TE62", "NET", "NET,127.0.0.2", "moved", ""}), expectOk);
        EXPECT_EQ(TempProgram::Read(p.ListPath()), c.afterModify ? c.afterModify : c.file);

        TempProgram::Write(p.ListPath(), c.file);
        EXPECT_EQ(UpdatePrinterListAddress(p.ListPath(), te62, "127.0.0.9"), expectOk);
        EXPECT_EQ(TempProgram::Read(p.ListPath()), c.afterAddress ? c.afterAddress : c.file);
    }
}

// A hand-edited list: comments, notes, a line without "|" and a tab-separated line are
// not printers; they stay where they stand, byte for byte, through every rewrite, and no
// rewrite adds a separator to them. Blanks around "|" are not part of a field.
TEST(PrinterListFile, LinesThatAreNotRowsAreSkippedAndKeptByteForByte)
{
    using prt::test::Hex;
    const QByteArray comment = "# office printers";
    const QByteArray note = "  ; moved to the shop";
    const QByteArray bare = "J83";
    const QByteArray tabbed = "V64\tUSB\tUSB";
    const QByteArray gbkNote = "# " + Hex("D6 D0 CE C4");  // "中文" in GBK: the file is 8-bit
    const QByteArray padded = " TE62 | NET | NET,127.0.0.1 | shop | 2 ";
    const QByteArray ours = "V64|USB|USB|desk|1";
    const QByteArray file = comment + "\r\n" + ours + "\r\n" + note + "\r\n" + bare + "\r\n" + tabbed + "\r\n" +
                            padded + "\r\n" + gbkNote + "\r\nF58S|COM|COM1,BAUDRATE_9600\r\n";
    const int oldLcid = prt::UiLanguageId();
    prt::SetUiLanguageId(2052);
    TempProgram p;
    TempProgram::Write(p.ListPath(), file);

    const QStringList rows = ReadPrinterListLines(p.ListPath());
    ASSERT_EQ(rows.size(), 3);
    const TPrinterListRow trimmed = ParsePrinterListLine(rows[1]);
    EXPECT_EQ(trimmed.Model, "TE62");
    EXPECT_EQ(trimmed.PortType, "NET");
    EXPECT_EQ(trimmed.PortParam, "NET,127.0.0.1");
    EXPECT_EQ(trimmed.Notes, "shop");
    EXPECT_EQ(trimmed.PrtVerOfTool, "2");
    struct Case {
        const char* line;
        bool row;
    };
    const Case cases[] = {
        {"# a|b", false}, {"\t;x|y", false}, {"J83", false}, {"V64\tUSB\tUSB", false}, {"   ", false},
        {"V64|USB", true}, {" V64 |USB|USB||", true}, {"|", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsPrinterListRowLine(c.line), c.row) << c.line;

    // Delete the padded row: an empty first line, the other rows with five fields (a row the
    // program wrote comes back as it was), every other line as it stood.
    ASSERT_EQ(DeletePrinterListRow(p.ListPath(), {1, padded}), TPrinterListResult::Ok);
    const QByteArray afterDelete = "\r\n" + comment + "\r\n" + ours + "\r\n" + note + "\r\n" + bare + "\r\n" +
                                   tabbed + "\r\n" + gbkNote + "\r\nF58S|COM|COM1,BAUDRATE_9600||\r\n";
    EXPECT_EQ(TempProgram::Read(p.ListPath()), afterDelete);
    EXPECT_EQ(DeletePrinterListRow(p.ListPath(), {2, padded}), TPrinterListResult::Changed);

    // Modify, address update and add leave the other lines alone too.
    ASSERT_EQ(ReplacePrinterListRow(p.ListPath(), {1, "F58S|COM|COM1,BAUDRATE_9600||"}, {"F58D", "LPT", "LPT1", "b", ""}),
              TPrinterListResult::Ok);
    ASSERT_EQ(UpdatePrinterListAddress(p.ListPath(), {0, ours}, "127.0.0.7"), TPrinterListResult::Ok);
    ASSERT_EQ(AppendPrinterListRow(p.ListPath(), {"V52", "USB", "USB", "", ""}), TPrinterListResult::Ok);
    EXPECT_EQ(TempProgram::Read(p.ListPath()), comment + "\r\nV64|USB|NET,127.0.0.7|desk|1\r\n" + note + "\r\n" +
                                                   bare + "\r\n" + tabbed + "\r\n" + gbkNote +
                                                   "\r\nF58D|LPT|LPT1|b|\r\nV52|USB|USB||\r\n");

    // A list of comments only gets the default row after them.
    TempProgram::Write(p.ListPath(), comment + "\r\n\r\n" + bare + "\r\n");
    EXPECT_TRUE(ReadPrinterListLines(p.ListPath()).isEmpty());
    ASSERT_TRUE(CreateDefaultPrinterList(p.ListPath(), "V64"));
    EXPECT_EQ(TempProgram::Read(p.ListPath()), comment + "\r\n" + bare + "\r\nV64|USB|USB||\r\n");
    prt::SetUiLanguageId(oldLcid);
}

// A list read in the 8-bit code page whose rewrite happens to be valid UTF-8 would read
// back as other text: such a rewrite is written in UTF-8 with its mark.
TEST(PrinterListFile, ARewriteThatWouldReadAsUtf8IsWrittenWithItsMark)
{
    using prt::test::Hex;
    const int oldLcid = prt::UiLanguageId();
    prt::SetUiLanguageId(1033);  // code page 1252: FE is "þ", C3 BE is "Ã¾"
    const QByteArray file = Hex("FE 7C 0D 0A C3 BE 7C 0D 0A");
    const QByteArray expected = Hex("EF BB BF 0D 0A C3 83 C2 BE 7C 7C 7C 7C 0D 0A");
    TempProgram p;
    for (int writer = 0; writer < 2; ++writer) {
        SCOPED_TRACE(writer == 0 ? "delete" : "save from the list view");
        TempProgram::Write(p.ListPath(), file);
        ASSERT_EQ(ParsePrinterListLine(ReadPrinterListLines(p.ListPath()).value(1)).Model, QString::fromUtf8("Ã¾"));
        if (writer == 0)
            ASSERT_EQ(DeletePrinterListRow(p.ListPath(), Loaded(p.ListPath(), 0)), TPrinterListResult::Ok);
        else
            ASSERT_TRUE(SavePrinterListFile(p.ListPath(), {{QString::fromUtf8("Ã¾"), "", "", "", ""}}, 5));
        EXPECT_EQ(TempProgram::Read(p.ListPath()), expected);
        const QStringList rows = ReadPrinterListLines(p.ListPath());
        ASSERT_EQ(rows.size(), 1);
        EXPECT_EQ(ParsePrinterListLine(rows[0]).Model, QString::fromUtf8("Ã¾"));
    }
    prt::SetUiLanguageId(oldLcid);
}

TEST(PrinterListFile, RewritesLeaveNoTemporaryFileAndAFailedWriteKeepsNothingHalf)
{
    TempProgram p;
    TempProgram::Write(p.ListPath(), "V64|USB|USB||\r\n");
    ASSERT_TRUE(WritePrinterListLines(p.ListPath(), {"A|USB|USB||", "B|USB|USB||"}, true));
    EXPECT_EQ(TempProgram::Read(p.ListPath()), "\r\nA|USB|USB||\r\nB|USB|USB||\r\n");
    EXPECT_EQ(QDir(p.FilesDir()).entryList({"PrinterList*"}, QDir::Files).size(), 1);

    // A target that cannot be replaced (a folder stands there): the write fails.
    const QString blocked = p.FilesDir() + "blocked.txt";
    QDir().mkpath(blocked);
    EXPECT_FALSE(WritePrinterListLines(blocked, {"A|USB|USB||"}, false));
    EXPECT_EQ(AppendPrinterListRow(blocked, {"A", "USB", "USB", "", ""}), TPrinterListResult::WriteFailed);
    EXPECT_TRUE(QFileInfo(blocked).isDir());
}

TEST(PrinterListFile, WrittenFilesGoBesideTheProgramWhenThatFolderIsWritable)
{
    TempProgram p;
    EXPECT_EQ(WritableFilesDir(), p.FilesDir());
    EXPECT_EQ(GetPrinterListPath(), p.ListPath());
    EXPECT_EQ(DefaultPrinterListLine("V64"), "V64|USB|USB||");
}

TEST(PrinterListFile, AnInstalledCopyWritesToTheUserDataFolderSeededFromTheShippedList)
{
    TempProgram p;
    TempProgram::Write(p.ListPath(), "SEED|USB|USB||\r\n");
    SetFolderWritableProbe([](const QString&) { return false; });
    const QString path = GetPrinterListPath();
    SetFolderWritableProbe(nullptr);
    // Beside the settings and identity-check records of the user data folder.
    EXPECT_EQ(path, prt::DataHomeDir() + "KesaUtility/files/PrinterList.txt");
    EXPECT_EQ(TempProgram::Read(path), "SEED|USB|USB||\r\n");
    // Once there, the user's copy is kept (not seeded again).
    TempProgram::Write(path, "MINE|USB|USB||\r\n");
    SetFolderWritableProbe([](const QString&) { return false; });
    EXPECT_EQ(TempProgram::Read(GetPrinterListPath()), "MINE|USB|USB||\r\n");
    SetFolderWritableProbe(nullptr);
}

// ---- function buttons ----------------------------------------------------------------------

namespace {

TFunctionButtonInputs PlainInputs(const QString& model)
{
    TFunctionButtonInputs in;
    in.PrtBasName = model;
    in.PrtDefName = model;
    in.PortString = "USB";
    return in;
}

class FunctionButtons : public ::testing::Test {
protected:
    void SetUp() override { BuildModelLists(); }
    void TearDown() override { FreeModelLists(); }
};

} // namespace

TEST_F(FunctionButtons, AModelInNoListGetsTheBaseButtonsInSlotOrder)
{
    const TFunctionButtonPlan plan = DecideFunctionButtons(PlainInputs("NOLIST"));
    EXPECT_EQ(plan.Placed, QStringList({"btnPrinterInformation", "btnPrintText", "btnPrintConfigInfo",
                                        "btnStartLearn", "btnParameterSetting", "btnFactorySetting"}));
    EXPECT_TRUE(plan.SysParaTabVisible);
}

TEST_F(FunctionButtons, ListsAndSettingsAddOrRemoveButtons)
{
    struct Case {
        const char* name;
        std::function<void(TFunctionButtonInputs&)> setup;
        const char* button;
        bool placed;
    };
    const QString paperLight = MainData::PaperLightLearnModels().split(',', Qt::SkipEmptyParts).first();
    const QString exempt = MainData::GateExemptModels().split(',', Qt::SkipEmptyParts).first();
    const QString frontModel = MainData::FrontLearnModels().split(',', Qt::SkipEmptyParts).first();
    const QString ipModel = MainData::IpMessageModels().split(',', Qt::SkipEmptyParts).first();
    const Case cases[] = {
        {"paper-light model", [&](auto& in) { in.PrtBasName = paperLight; }, "btnNoPaperLightLearn", true},
        {"info hidden by list", [](auto& in) { in.NIsbtnPrinterInformation = ",NOLIST,"; },
         "btnPrinterInformation", false},
        {"print text hidden by default name", [](auto& in) { in.PrtDefName = "X"; in.NoPrintTextModels = ",X,"; },
         "btnPrintText", false},
        {"start learn hidden", [](auto& in) { in.NIsbtnStartLearn = ",NOLIST,"; }, "btnStartLearn", false},
        {"front learn by descriptor 1", [](auto& in) { in.FrontLearnSetting = 1; }, "btnFrontLearn", true},
        {"front learn listed", [](auto& in) { in.IsbtnFrontLearn = ",NOLIST,"; }, "btnFrontLearn", true},
        {"front learn listed, descriptor 2", [](auto& in) { in.IsbtnFrontLearn = ",NOLIST,"; in.FrontLearnSetting = 2; },
         "btnFrontLearn", false},
        {"front learn fixed list", [&](auto& in) { in.PrtBasName = frontModel; }, "btnFrontLearn", true},
        {"command test listed", [](auto& in) { in.IsbtnCommandTest = ",NOLIST,"; }, "btnCommandTest", true},
        {"command test console list", [](auto& in) { in.CommandConsoleModels = ",NOLIST,"; }, "btnCommandTest", true},
        {"command test descriptor 2 wins", [](auto& in) { in.IsbtnCommandTest = ",NOLIST,"; in.CommandTestSetting = 2; },
         "btnCommandTest", false},
        {"command test exempt model wins", [&](auto& in) { in.PrtDefName = exempt; in.CommandTestSetting = 1; },
         "btnCommandTest", false},
        {"ip button on NET", [&](auto& in) { in.PrtBasName = ipModel; in.PortString = "NET,127.0.0.1"; },
         "btnIPMessage", true},
        {"ip button not on USB", [&](auto& in) { in.PrtBasName = ipModel; }, "btnIPMessage", false},
        {"status list", [](auto& in) { in.IsbtnPrinterStatus = ",NOLIST,"; }, "Button4", true},
        {"rfid list", [](auto& in) { in.RfidModels = ",NOLIST,"; }, "btnRfidSet", true},
        {"list without leading comma", [](auto& in) { in.IsbtnModel = "NOLIST,B,"; }, "btnModelTest", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFunctionButtonInputs in = PlainInputs("NOLIST");
        c.setup(in);
        EXPECT_EQ(DecideFunctionButtons(in).Placed.contains(c.button), c.placed);
    }
}

TEST_F(FunctionButtons, PaperLightModelsHideTheInformationTabOnlyForTheFourListed)
{
    for (const QString& m : MainData::PaperLightLearnModels().split(',', Qt::SkipEmptyParts)) {
        SCOPED_TRACE(m.toStdString());
        TFunctionButtonInputs in = PlainInputs(m);
        const TFunctionButtonPlan plan = DecideFunctionButtons(in);
        EXPECT_EQ(plan.SysParaTabVisible, !MainData::NoSysParaTabModels().contains("," + m + ","));
        EXPECT_EQ(plan.Placed.indexOf("btnNoPaperLightLearn"), 3);
        EXPECT_EQ(plan.Placed.indexOf("btnHavePaperLightLearn"), 4);
    }
}

TEST_F(FunctionButtons, DebugModePlacesAdvancedSettingsASecondTime)
{
    TFunctionButtonInputs in = PlainInputs("NOLIST");
    in.DebugMode = true;
    EXPECT_EQ(DecideFunctionButtons(in).Placed.count("btnAdvancedSettings"), 1);
    in.FTN_AdvancedSettings_0 = ",NOLIST,";
    EXPECT_EQ(DecideFunctionButtons(in).Placed.count("btnAdvancedSettings"), 2);
    in.DebugMode = false;
    EXPECT_EQ(DecideFunctionButtons(in).Placed.count("btnAdvancedSettings"), 1);
}

TEST(FunctionGeometry, SlotsFillLeftRightRowByRow)
{
    struct Case {
        int slot, w, h, left, top;
    };
    const Case cases[] = {
        {0, 180, 30, 33, 25}, {1, 180, 30, 246, 25}, {2, 180, 30, 33, 74},
        {3, 180, 30, 246, 74}, {4, 100, 20, 33, 103}, {5, 100, 20, 166, 103},
    };
    for (const Case& c : cases) {
        const QRect r = FunctionSlotRect(c.slot, c.w, c.h);
        EXPECT_EQ(r.left(), c.left) << c.slot;
        EXPECT_EQ(r.top(), c.top) << c.slot;
        EXPECT_EQ(r.size(), QSize(c.w, c.h));
    }
    EXPECT_EQ(FunctionRowCount(0), 0);
    EXPECT_EQ(FunctionRowCount(5), 3);
    EXPECT_EQ(FunctionRowCount(6), 3);
}

TEST(FunctionGeometry, PortTypeLayoutSizesGroupAndWindowAndHidesFirmwareUpdateOnSerialPorts)
{
    TPortTypeLayoutInputs in;
    in.SlotsUsed = 5;
    in.ButtonHeight = 30;
    in.ListView = QRect(12, 28, 340, 150);
    in.ScrollBox = QRect(0, 0, 460, 32);
    in.GroupBox = QRect(12, 0, 460, 10);
    in.Dfu = QRect(12, 0, 140, 30);
    in.QuitHeight = 30;
    in.PrtDefName = "M1";
    in.DfuOnComModels = ",M1,";
    in.BulkUpdateModels = ",M1,";

    struct Case {
        const char* port;
        const char* model;
        bool dfu, bulk;
    };
    const Case cases[] = {
        {"USB", "M1", true, false},          {"NET,127.0.0.1", "OTHER", true, false},
        {"NET,127.0.0.1", "M1", true, true}, {"COM1,BAUDRATE_9600", "OTHER", false, false},
        {"COM1,BAUDRATE_9600", "M1", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        in.PortString = c.port;
        in.PrtDefName = c.model;
        const TPortTypeLayout out = ComputePortTypeLayout(in);
        EXPECT_EQ(out.DfuVisible, c.dfu);
        EXPECT_EQ(out.BulkUpdateVisible, c.bulk);
        // Three rows of 30 + 19, plus 30.
        EXPECT_EQ(out.ScrollBox.topLeft(), QPoint(12, 184));
        EXPECT_EQ(out.GroupBox.top(), 184 + 32 + 6);
        EXPECT_EQ(out.GroupBox.height(), 3 * 49 + 30);
        EXPECT_EQ(out.DfuTop, out.GroupBox.top() + out.GroupBox.height() + 10);
        EXPECT_EQ(out.WindowHeight, out.GroupBox.top() + 3 * 49 + 30 + 80);
        EXPECT_EQ(out.ClientWidth, 2 * 12 + 460);
        EXPECT_EQ(out.Memo, QRect(6, 6, 448, out.GroupBox.height() - 12));
        EXPECT_EQ(out.BulkUpdateLeft, 155);
        EXPECT_EQ(out.Dfu2Left, 160);
        EXPECT_FALSE(out.MoreVisible);
    }
}

// ---- printer-type list loaders --------------------------------------------------------------

namespace {

class Loaders : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainwin::ResetMainState();
        gLangFileName = LABEL_LANG_FILE;
        SetLabelConfigFileNames();
        LoadStartupOptions();
    }
    void TearDown() override { mainwin::ResetMainState(); }
    TempProgram p_;
};

} // namespace

TEST_F(Loaders, ParameterSetValuesAreKeptAsReadPlusBuiltInLists)
{
    TempProgram::Write(p_.FilesDir() + "PrinterTypeList_Label.ini",
                       "[ParameterSet]\r\nQX_ParameterSetting=QX,QX2,\r\nJ83_ParameterSetting=,J83,\r\n"
                       "HaveTwoProtocol=,MINE,\r\nIsbtnCommandTest=,NOW,\r\n");
    prt::IniClearCache();
    LoadParameterSetKeys();
    EXPECT_EQ(ParameterSetValue("J83_ParameterSetting"), ",J83,");
    // Written without the leading comma, the first model never matches.
    EXPECT_FALSE(ParameterSetValue("QX_ParameterSetting").contains(",QX,"));
    EXPECT_TRUE(ParameterSetValue("QX_ParameterSetting").contains(",QX2,"));
    // The built-in list follows the file's value.
    EXPECT_TRUE(ParameterSetValue("HaveTwoProtocol").startsWith(",MINE,"));
    EXPECT_TRUE(ParameterSetValue("HaveTwoProtocol").contains(",V64,"));
    // Keys read at the moment of use are not kept by the loader.
    EXPECT_EQ(ParameterSetValue("IsbtnCommandTest"), "");
    EXPECT_TRUE(ReadParameterSetNow("IsbtnCommandTest").startsWith(",NOW,"));
    EXPECT_EQ(ParameterSetKeys().first(), "Fenlo_Serial");
    EXPECT_EQ(ParameterSetKeys().last(), "btnPrintText_DoType1");
    EXPECT_EQ(ParameterSetKeys().size(), 50);
}

TEST_F(Loaders, ProtocolListsFollowTheProfileMode)
{
    struct Case {
        int mode;
        const char *file, *profile, *result;
    };
    const Case cases[] = {
        {1, ",A,", ",P,", ",A,"}, {2, ",A,", ",P,", ",P,"}, {3, ",A,", "P,", ",A,,P,"},
        {3, "", "P,", ",P,"},     {0, ",A,", ",P,", ",A,"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ApplyProtocolListMode(c.mode, c.file, c.profile), c.result) << c.mode << c.file;

    TempProgram::Write(p_.FilesDir() + "ProtocolType.ini", "[Protocol]\r\nTSPL=,T1,\r\nCPCL=,C1,\r\nESC=,E1,\r\n");
    prt::IniClearCache();
    GetKesaVar()->CreateOemObject("Label", "");
    LoadProtocolModelLists();
    EXPECT_EQ(ProtocolModelList("TSPL"), ",T1,");
    EXPECT_EQ(ProtocolModelList("CPCL"), ",C1,");
    EXPECT_EQ(ProtocolModelList("ESC"), ",E1,");
    EXPECT_EQ(ProtocolModelList("ZPL"), "");
}

TEST_F(Loaders, FtnKeysFillTheCatalogueFeatureListsAndMessageTextsTheTextStore)
{
    TempProgram::Write(p_.FilesDir() + "PrinterTypeList_Label.ini",
                       "[ParameterSet]\r\nFTN_Dfu_UpdateMethod1=,UPD,\r\nFTN_PrintText_GetPaperMode=,PM,\r\n");
    prt::IniClearCache();
    LoadFtnParameterKeys();
    EXPECT_TRUE(FTN_Dfu_UpdateMethod1.startsWith(",UPD,"));
    EXPECT_TRUE(FTN_PrintText_GetPaperMode.startsWith(",PM,"));
    FeatureLookupModel = "UPD";
    EXPECT_TRUE(IsFeatureModel("FTNNo_Dfu_UpdateMethod1"));

    gLangId = "1033";
    LoadMessageTexts();
    EXPECT_EQ(MessageText("_MSG_Title_Error"), "Error");
    EXPECT_EQ(prt::LangText("_ConnectOK"), MessageText("_ConnectOK"));
    EXPECT_FALSE(MessageText("_ConnectOK").isEmpty());
}

// Every caption and message key of the main window has an English and a Chinese text.
TEST(MainLanguageFile, EveryMainWindowKeyHasBothTexts)
{
    const QString file = prt::test::SourceDir() + "/files/UtilityForLabelLanguage.ini";
    const QStringList keys = {
        "FormMain_Label_Caption", "FormMain_Label_lblPrinterList", "FormMain_Label_btnAddPrinter",
        "FormMain_Label_btnModifyPrinter", "FormMain_Label_btnDeletePrinter", "FormMain_Label_btnConnectTest",
        "FormMain_Label_btnPrinterInformation", "FormMain_Label_btnPrintText", "lblWifiFirewareDownload",
        "FormBulkUpdates", "FormDLFile_btnIPMessage", "FormMain_Label_btnNoPaperLightLearn",
        "FormMain_Label_btnHavePaperLightLearn", "FormContinueLearn", "FormMain_Label_btnPrintConfigInfo",
        "FormMain_Label_btnStartLearn", "FormMain_Label_btnFrontLearn", "FormMain_Label_btnModelTest",
        "FormMain_Label_btnParameterSetting", "FormMain_Label_btnFactorySetting", "FormMain_Label_btnDLF",
        "FormMain_Label_btnDLFile", "FormMain_Label_btnDLUF", "FormMain_Label_btnPrinterStatus",
        "FormMain_Label_btnCommandTest", "FormMain_Label_btnDFU", "FormMain_Label_btnQuit",
        "FormMain_Label_btnAdvancedSettings", "FormMain_Label_btnScanTest", "FormMain_Label_gpbFunction", "FormMain_Label_sbtnSysPara",
        "FormMain_Label_MSGDeletePrinter", "FormMain_Label_MSGRestore", "FormMain_Label_MSGNotAvailable",
        "FormMain_Label_MSGBadField", "FormMain_Label_MSGBadModel", "FormMain_Label_MSGListChanged",
        "FormMain_Label_MSGWriteFailed",
        "FormMain_Label_MSGNoPrinter", "_ConnectOK", "Lang00010001", "lblPrinterTextTSPLErrTip",
        "lblPrinterTextCPCLErrTip", "_continueLearnTip", "FormMain_Label_NoPaperLightLearnTip",
        "FormMain_Label_PaperLightLearnTip", "FormMain_Label_btnLabelSensorPrintImage",
        "FormMain_Label_txtlbl_ToolLang", "FormMain_Label_txtlbl_LangID", "FormMain_Label_btnGetProtocolType",
        "FormMain_Label_btnSetToolLangOrOther", "FormMain_Label_btnGetToolLangOrOther",
        "FormTempletManage_Caption",
    };
    for (const QString& key : keys)
        for (const char* section : {"1033", "2052"})
            EXPECT_FALSE(prt::IniReadString(file, section, key, QString()).isEmpty())
                << section << " " << key.toStdString();
    EXPECT_FALSE(prt::IniReadString(file, "Global", "_Version", QString()).isEmpty());
}

// Both shipped printer-type lists hold every key the loaders and the button decision read,
// each a list that begins and ends with a comma (a list without the leading comma never
// matches its first model).
TEST(ShippedTypeLists, EveryKeyReadIsACommaWrappedList)
{
    QStringList keys = ParameterSetKeys() + FtnParameterKeys();
    keys << "Z34_ParameterSetting" << "J27_ParameterSetting" << "F58D_ParameterSetting" << "V52_PrintSelf"
         << "V52_AutoLearn" << "V52_FactorySetting" << "V52_DfuMode" << "W16P_DFU" << "IsbtnCommandTest"
         << "IsbtnPrinterStatus" << "FTN_RfidSet_0";
    for (const char* name : {"PrinterTypeList_Label.ini", "PrinterTypeList_Mobile.ini"}) {
        const QString file = prt::test::SourceDir() + "/files/" + name;
        for (const QString& key : keys) {
            const QString v = prt::IniReadString(file, "ParameterSet", key, "<none>");
            EXPECT_TRUE(v.startsWith(',') && v.endsWith(',')) << name << " " << key.toStdString() << "=" << v.toStdString();
        }
    }
    const QString protocols = prt::test::SourceDir() + "/files/ProtocolType.ini";
    for (const char* language : {"TSPL", "CPCL", "ESC", "ZPL"}) {
        const QString v = prt::IniReadString(protocols, "Protocol", language, "<none>");
        EXPECT_TRUE(v.startsWith(',') && v.endsWith(',')) << language;
    }
}

// The title: a brand with its own caption puts its word first ("Trune" keeps the program's
// caption after it, other brands their own text); a brand's version replaces the file's.
TEST(MainRules, TheTitleIsTheBrandsCaptionThenItsVersion)
{
    struct Row {
        int captionMode;
        const char* word;
        int versionMode;
        const char* version;
        const char* title;
    };
    const Row rows[] = {
        {0, "", 0, "", "Printer Utility  V1.0.0.1"},
        {0, "Kastor", 1, "V2.1", "Printer Utility  V2.1"},
        {1, "Trune", 1, "V1.0.0.2", "Trune Printer Utility  V1.0.0.2"},
        {1, "Kastor", 0, "", "Kastor Label Tool  V1.0.0.1"},
    };
    EXPECT_EQ(MainWindowTitle(nullptr, "Printer Utility", "Label Tool", "V1.0.0.1"), "Printer Utility  V1.0.0.1");
    for (const Row& r : rows) {
        TOemClass oem;
        oem.CaptionMode = r.captionMode;
        oem.CaptionWord = QString::fromLatin1(r.word);
        oem.VersionMode = r.versionMode;
        oem.VersionText = QString::fromLatin1(r.version);
        EXPECT_EQ(MainWindowTitle(&oem, "Printer Utility", "Label Tool", "V1.0.0.1"), QString::fromLatin1(r.title))
            << r.word << " " << r.captionMode;
    }
}
