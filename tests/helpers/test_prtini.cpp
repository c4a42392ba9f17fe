// The ini reader/writer.
#include "PrtCodePage.h"
#include "PrtIni.h"
#include "FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

using prt::IniFile;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

const QByteArray kSample =
    "\xEF\xBB\xBF"
    "; comment line\r\n"
    "orphan=before any section\r\n"
    "[Option]\r\n"
    "  ToolType =  Label  \r\n"
    "OemCo=\"  quoted  \"\r\n"
    "Single='x'\r\n"
    "Half=\"open\r\n"
    ";Hidden=yes\r\n"
    "noequals\r\n"
    "tooltype=second wins never\r\n"
    "Inline=a ; b\r\n"
    "Empty=\r\n"
    "\r\n"
    "[ParameterSet]\r\n"
    "List=,A,B,\r\n"
    "[option]\r\n"
    "Late=from a duplicate section\r\n"
    "OemCo=duplicate\r\n";

} // namespace

TEST(IniRead, WindowsProfileRules)
{
    IniFile ini;
    ini.parse(kSample);
    struct Case {
        const char *section, *key, *value;
    } cases[] = {
        {"Option", "ToolType", "Label"},        {"OPTION", "tooltype", "Label"},
        {" option ", " TOOLTYPE ", "Label"},    {"Option", "OemCo", "  quoted  "},
        {"Option", "Single", "x"},              {"Option", "Half", "\"open"},
        {"Option", "Inline", "a ; b"},          {"Option", "Empty", ""},
        {"parameterset", "LIST", ",A,B,"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.readString(c.section, c.key, "dflt"), c.value) << c.section << "/" << c.key;

    // defaults: missing key, comment, orphan key, duplicate section, missing section
    const std::pair<const char*, const char*> missing[] = {
        {"Option", "Missing"}, {"Option", ";Hidden"}, {"Option", "noequals"},
        {"", "orphan"},        {"Option", "Late"},    {"Nowhere", "ToolType"},
    };
    for (auto [s, k] : missing)
        EXPECT_EQ(ini.readString(s, k, "dflt"), "dflt") << s << "/" << k;

    EXPECT_EQ(ini.sections(), (QStringList{"Option", "ParameterSet"}));
    EXPECT_EQ(ini.keys("OPTION"),
              (QStringList{"ToolType", "OemCo", "Single", "Half", "Inline", "Empty"}));
    EXPECT_TRUE(ini.keys("Nowhere").isEmpty());
    EXPECT_TRUE(ini.hasKey("option", "oemco"));
    EXPECT_FALSE(ini.hasKey("option", "Late"));

    // Names outside ASCII fold too, one spelling per name, and a name that folds to plain
    // ASCII (the Kelvin sign folds to "k") is that ASCII name.
    IniFile wide;
    wide.parse(QString::fromUtf8("[Ärger]\n\u00C4PFEL=1\n\u00E4pfel=2\n\u212Aey=3\nkey=4\n").toUtf8());
    EXPECT_EQ(wide.readString(QString::fromUtf8("ärger"), QString::fromUtf8("äpfel")), "1");
    EXPECT_EQ(wide.readString(QString::fromUtf8("ÄRGER"), "KEY"), "3");
    EXPECT_EQ(wide.keys(QString::fromUtf8("Ärger")), (QStringList{QString::fromUtf8("\u00C4PFEL"), QString::fromUtf8("\u212Aey")}));
}

TEST(IniRead, EncodingsAndLongValues)
{
    const QString chinese = QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87");
    IniFile utf8;
    utf8.parse("[2052]\nA=" + chinese.toUtf8() + "\n");
    EXPECT_EQ(utf8.readString("2052", "a"), chinese);
    EXPECT_FALSE(utf8.usesCrLf());

    // Not UTF-8: read in the 8-bit code page of the UI language.
    const int oldLang = prt::UiLanguageId();
    prt::SetUiLanguageId(2052);
    IniFile gbk;
    gbk.parse("[2052]\r\nA=\xD6\xD0\xCE\xC4\r\n");
    EXPECT_EQ(gbk.readString("2052", "A"), chinese);
    prt::SetUiLanguageId(1033);
    IniFile latin;
    latin.parse("[S]\r\nA=caf\xE9\r\n");
    EXPECT_EQ(latin.readString("S", "A"), QString::fromUtf8("caf\xC3\xA9"));
    prt::SetUiLanguageId(oldLang);

    QString longList = ",";
    for (int i = 0; i < 5000; ++i)
        longList += QStringLiteral("MODEL-%1,").arg(i);
    IniFile big;
    big.parse("[ParameterSet]\r\nList=" + longList.toUtf8() + "\r\n");
    EXPECT_EQ(big.readString("ParameterSet", "List"), longList);
}

TEST(IniWrite, UpdatesOnlyTheKeyAndKeepsTheRest)
{
    IniFile ini;
    ini.parse(kSample);
    ASSERT_TRUE(ini.setValue("OPTION", "tooltype", "Mobile"));  // first key, its spelling kept
    ASSERT_TRUE(ini.setValue("parameterset", "New", "1"));      // appended in the first section
    ASSERT_TRUE(ini.setValue("Option", "Added", "v"));          // after the last non-blank line
    ASSERT_TRUE(ini.setValue("Fresh", "K", "x y"));              // new section at the end
    EXPECT_TRUE(ini.removeKey("option", "SINGLE"));
    EXPECT_FALSE(ini.removeKey("option", "Single"));

    const QByteArray expected =
        "\xEF\xBB\xBF"
        "; comment line\r\n"
        "orphan=before any section\r\n"
        "[Option]\r\n"
        "ToolType=Mobile\r\n"
        "OemCo=\"  quoted  \"\r\n"
        "Half=\"open\r\n"
        ";Hidden=yes\r\n"
        "noequals\r\n"
        "tooltype=second wins never\r\n"
        "Inline=a ; b\r\n"
        "Empty=\r\n"
        "Added=v\r\n"
        "\r\n"
        "[ParameterSet]\r\n"
        "List=,A,B,\r\n"
        "New=1\r\n"
        "[option]\r\n"
        "Late=from a duplicate section\r\n"
        "OemCo=duplicate\r\n"
        "\r\n"
        "[Fresh]\r\n"
        "K=x y\r\n";
    EXPECT_EQ(ini.toBytes(), expected);

    // Writes that would break the file are refused and change nothing.
    const std::tuple<const char*, const char*, const char*> refused[] = {
        {"S", "K", "two\r\nlines"}, {"S", "K=1", "v"}, {"S]", "K", "v"},
        {"", "K", "v"},             {"S", "", "v"},    {"S", ";K", "v"},
    };
    for (auto [s, k, v] : refused)
        EXPECT_FALSE(ini.setValue(s, k, v)) << s << "/" << k;
    EXPECT_EQ(ini.toBytes(), expected);

    IniFile lf;  // LF files stay LF; no BOM added
    lf.parse("[A]\nx=1\n");
    lf.setValue("A", "y", "2");
    EXPECT_EQ(lf.toBytes(), QByteArray("[A]\nx=1\ny=2\n"));
}

// A value the reader would trim or unquote is written in double quotes; any other value
// as it stands. Either way it reads back as itself.
TEST(IniWrite, AValueTheReaderWouldChangeIsQuotedAndReadsBack)
{
    struct Case {
        QString value;
        const char* line;  // the key's line as written, UTF-8
    };
    const Case cases[] = {
        {"plain", "K=plain"},
        {"a b", "K=a b"},
        {"\"open", "K=\"open"},
        {"x'", "K=x'"},
        {"'a\"", "K=\'a\""},
        {"", "K="},
        {" lead", "K=\" lead\""},
        {"trail\t", "K=\"trail\t\""},
        {QString(QChar(0x85)) + "nel", "K=\"\xC2\x85nel\""},
        {"nbsp" + QString(QChar(0xA0)), "K=\"nbsp\xC2\xA0\""},
        {QString(QChar(0x3000)) + "ideo" + QString(QChar(0x3000)), "K=\"\xE3\x80\x80ideo\xE3\x80\x80\""},
        {"\"q\"", "K=\"\"q\"\""},
        {"'s'", "K=\"'s'\""},
        {"\"\"", "K=\"\"\"\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        IniFile ini;
        ini.parse("[S]\r\n");
        ASSERT_TRUE(ini.setValue("S", "K", c.value));
        EXPECT_EQ(ini.toBytes(), QByteArray("[S]\r\n") + c.line + "\r\n");
        IniFile again;
        again.parse(ini.toBytes());
        EXPECT_EQ(again.readString("S", "K", "<missing>"), c.value);
    }
}

TEST(IniFiles, CachedReadsSeeWritesAndFailedWritesKeepTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("sub/Option.ini");
    EXPECT_EQ(prt::IniReadString(path, "Option", "ToolType", "none"), "none");  // missing file
    EXPECT_TRUE(prt::IniReadSections(path).isEmpty());

    ASSERT_TRUE(prt::IniWriteString(path, "Option", "ToolType", "Label"));
    EXPECT_EQ(ReadAll(path), QByteArray("[Option]\r\nToolType=Label\r\n"));
    EXPECT_EQ(prt::IniReadString(path, "option", "tooltype"), "Label");
    ASSERT_TRUE(prt::IniWriteString(path, "Option", "ToolType", "Mobile"));
    EXPECT_EQ(prt::IniReadString(path, "Option", "ToolType"), "Mobile");

    // An outside change of the same size is seen (the stamp changes with the new file).
    WriteAll(path, "[Option]\r\nToolType=Mobila\r\n");
    EXPECT_EQ(prt::IniReadString(path, "Option", "ToolType"), "Mobila");
    EXPECT_EQ(prt::IniReadKeys(path, "OPTION"), QStringList{"ToolType"});
    EXPECT_TRUE(prt::IniHasKey(path, "Option", "tooltype"));
    EXPECT_TRUE(prt::IniDeleteKey(path, "Option", "ToolType"));
    EXPECT_FALSE(prt::IniDeleteKey(path, "Option", "ToolType"));
    EXPECT_EQ(prt::IniReadString(path, "Option", "ToolType", "gone"), "gone");

    // A write that cannot complete leaves the old file whole.
    const QString cfg = dir.filePath("Cfg.ini");
    WriteAll(cfg, "[S]\r\nK=old\r\n");
    EXPECT_EQ(prt::IniReadString(cfg, "S", "K"), "old");
    {
        prt::test::FileSizeLimit limit(1024);
        EXPECT_FALSE(prt::IniWriteString(cfg, "S", "K", QString(4000, QLatin1Char('x'))));
    }
    EXPECT_EQ(ReadAll(cfg), QByteArray("[S]\r\nK=old\r\n"));
    EXPECT_EQ(prt::IniReadString(cfg, "S", "K"), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"Cfg.ini"}));  // no temp left
}

TEST(IniFiles, ConcurrentWritersLoseNoKey)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("c.ini");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 10; ++i) {
                prt::IniWriteString(path, "S", QStringLiteral("K%1_%2").arg(t).arg(i), "v");
                (void)prt::IniReadString(path, "S", "K0_0");
            }
        });
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(prt::IniReadKeys(path, "S").size(), 40);
}

// A read burst checks each file on disk once: later reads in the burst use that copy, the
// thread's own writes are seen at once, and after the burst the disk counts again.
TEST(IniFiles, ReadBurstChecksEachFileOnceAndSeesItsOwnWrites)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("burst.ini");
    auto put = [&](const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    put("[S]\r\nk=1\r\n");
    {
        const prt::IniReadBurst burst;
        EXPECT_EQ(prt::IniReadString(path, "S", "k"), "1");
        put("[S]\r\nk=22\r\n");  // changed behind the burst's back
        EXPECT_EQ(prt::IniReadString(path, "S", "k"), "1") << "the burst keeps its copy";
        {
            const prt::IniReadBurst inner;  // bursts nest
            EXPECT_EQ(prt::IniReadString(path, "S", "k"), "1");
        }
        ASSERT_TRUE(prt::IniWriteString(path, "S", "j", "3"));
        EXPECT_EQ(prt::IniReadString(path, "S", "j"), "3") << "own writes are seen";
        EXPECT_EQ(prt::IniReadString(path, "S", "k"), "22");
        ASSERT_TRUE(prt::WriteFileAtomic(path, "[S]\r\nk=4\r\n"));
        EXPECT_EQ(prt::IniReadString(path, "S", "k"), "4");
    }
    put("[S]\r\nk=555\r\n");
    EXPECT_EQ(prt::IniReadString(path, "S", "k"), "555") << "outside a burst every read checks the file";
}

// A parsed file is shared by every thread that reads it, and each section's keys are
// indexed when that section is first read: threads reading first of different sections
// at once all see their own values, and a write after such reads keeps every other line.
TEST(IniFiles, SectionsFirstReadByManyThreadsAtOnce)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("lang.ini");
    QByteArray bytes = "[LanguageCollect]\r\nList=0,1,2,3,4,5,6,7\r\n";
    for (int s = 0; s < 8; ++s) {
        bytes += "[" + QByteArray::number(s) + "]\r\n";
        for (int k = 0; k < 200; ++k)
            bytes += "Key" + QByteArray::number(k) + "=s" + QByteArray::number(s) + "k" + QByteArray::number(k) + "\r\n";
    }
    WriteAll(path, bytes);
    prt::IniClearCache();
    std::vector<std::thread> threads;
    std::vector<int> wrong(8, 0);
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < 3; ++round)
                for (int k = 0; k < 200; k += 7) {
                    const int s = (t + round) % 8;
                    const QString expected = QStringLiteral("s%1k%2").arg(s).arg(k);
                    if (prt::IniReadString(path, QString::number(s), QStringLiteral("key%1").arg(k)) != expected)
                        ++wrong[size_t(t)];
                }
        });
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(wrong, std::vector<int>(8, 0));
    EXPECT_EQ(prt::IniReadKeys(path, "7").size(), 200);

    ASSERT_TRUE(prt::IniWriteString(path, "3", "Key5", "changed"));
    QByteArray expected = bytes;
    expected.replace("[3]\r\nKey0=s3k0\r\nKey1=s3k1\r\nKey2=s3k2\r\nKey3=s3k3\r\nKey4=s3k4\r\nKey5=s3k5\r\n",
                     "[3]\r\nKey0=s3k0\r\nKey1=s3k1\r\nKey2=s3k2\r\nKey3=s3k3\r\nKey4=s3k4\r\nKey5=changed\r\n");
    EXPECT_EQ(ReadAll(path), expected);
    EXPECT_EQ(prt::IniReadString(path, "3", "Key5"), "changed");
    EXPECT_EQ(prt::IniReadString(path, "4", "Key5"), "s4k5");
}
