// Fixed vocabularies of the parameter forms: value words, speeds, paper widths, protocol
// numbers, character-set and code-page lists and numbers.
#include "StateFixture.h"
#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlKesaVar.h"
#include "mdlLanguage.h"
#include "mdlLinkSeams.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlParamValues.h"
#include "mdlPrinterTypeList.h"
#include "mdlValueData.h"

#include <QComboBox>

namespace {

QStringList Items(const QComboBox& c)
{
    QStringList out;
    for (int i = 0; i < c.count(); ++i)
        out << c.itemText(i);
    return out;
}

// ---- MapParamOptionWord ----------------------------------------------------------------------

struct WordCase {
    int kind;
    int index;
    const char* word;  // expected; "" = none
};

TEST(ParamOptionWord, EmptyValueGivesTheWordAtTheIndexAndNothingOutsideTheTable)
{
    const WordCase cases[] = {
        {2, 3, "cutter"}, {2, 0, "off"},     {4, 1, "calibation"}, {5, 2, "alternate-2"},
        {7, 0, "wpa"},    {0, 1, "off"},     {1, 2, "continuous"}, {6, 2, "cutter"},
        {3, 1, "auto"},   {2, 4, ""},        {0, 2, ""},           {1, -1, ""},
        {8, 0, ""},       {-1, 0, ""},
    };
    for (const auto& c : cases) {
        QComboBox combo;
        combo.addItems({"a", "b", "c"});
        combo.setCurrentIndex(1);
        QString word = "stale";
        MapParamOptionWord(&combo, QString(), c.index, word, c.kind);
        EXPECT_EQ(word, QString(c.word)) << "kind " << c.kind << " index " << c.index;
        EXPECT_EQ(combo.currentIndex(), 1) << "the control is left alone";
    }
}

TEST(ParamOptionWord, ValueSelectsThePositionOfTheFirstExactWord)
{
    const struct {
        int kind;
        const char* value;
        int selected;
    } cases[] = {
        {2, "peel", 2}, {2, "Peel", 0}, {2, "cutter", 3}, {1, "black mark", 1},
        {4, "calibration", 0}, {7, "wep2", 2}, {0, "zzz", 0},
    };
    for (const auto& c : cases) {
        QComboBox combo;
        combo.addItems({"0", "1", "2", "3"});
        combo.setCurrentIndex(1);
        QString word = "stale";
        MapParamOptionWord(&combo, c.value, 3, word, c.kind);
        EXPECT_EQ(combo.currentIndex(), c.selected) << c.value;
        EXPECT_TRUE(word.isEmpty());
    }
}

// ---- code pages and character sets ---------------------------------------------------------

TEST(CodePageNo, NameToNumberAndNumberToName)
{
    const struct {
        const char* name;
        const char* number;
        const char* result;
    } cases[] = {
        {"ABICOMP", "", "67"},      {"CP790", "", "67"}, {"PC775", "", "33"},
        {"Default", "", "0"},       {"VISCII", "", "69"}, {"Nope", "", "0"},
        {"", "67", "CP790"},        {"", "33", "WPC775"}, {"", "0", "Default"},
        {"", "69", "VISCII"},       {"", "999", "0"},     {"", "", "0"},
    };
    for (const auto& c : cases) {
        QString result = "stale";
        MapCodePageNo(c.name, c.number, result);
        EXPECT_EQ(result, QString(c.result)) << c.name << "/" << c.number;
    }
    EXPECT_EQ(ValueData::CodePageNoPairCount(), 50);
}

TEST(CodePageNo, ReverseLookupForAComboTakesANameTheComboHolds)
{
    QComboBox plain, mpt;
    FillCodePageCombo(&plain, "");
    FillCodePageCombo(&mpt, "KESA_MPT");
    const struct {
        QComboBox* combo;
        const char* number;
        const char* result;
    } cases[] = {
        {&plain, "67", "ABICOMP"},  // "CP790" is not offered there
        {&mpt, "67", "CP790"},
        {&plain, "33", "WPC775"},
        {&plain, "0", "Default"},
        {&plain, "68", "MONGOLIAN"},  // no name of that number in the combo: first pair
        {&plain, "500", "0"},
    };
    for (const auto& c : cases) {
        QString result;
        MapCodePageNo("", c.number, result, c.combo);
        EXPECT_EQ(result, QString(c.result)) << c.number;
        if (c.combo->findText(result) >= 0) {
            c.combo->setCurrentIndex(c.combo->findText(result));
            QString back;
            MapCodePageNo(c.combo->currentText(), "", back);
            EXPECT_EQ(back, QString(c.number)) << "round trip of " << c.number;
        }
    }
}

TEST(CodePageNo, TheChineseUiShowsDefaultAndUsaInItsOwnWordsAndMapsThemBack)
{
    prt::SetLangText("_Item_CodePageDefault", QString::fromUtf8("默认"));
    prt::SetLangText("_Item_CountryUSA", QString::fromUtf8("美国"));
    QComboBox combo;
    FillCodePageCombo(&combo, "");
    EXPECT_EQ(combo.itemText(0), QString::fromUtf8("默认"));
    EXPECT_EQ(combo.itemText(1), "PC437(USA:Standard Europe)");
    QString shown;
    MapCodePageNo("", "0", shown, &combo);
    EXPECT_EQ(shown, QString::fromUtf8("默认")) << "the printer's 0 selects the shown word";
    QString number = "stale";
    MapCodePageNo(QString::fromUtf8("默认"), "", number);
    EXPECT_EQ(number, "0");
    MapCodePageNo("", "0", shown);
    EXPECT_EQ(shown, "Default") << "without a combo the table's own name";
    EXPECT_EQ(ShownValueName("U.S.A."), QString::fromUtf8("美国"));
    EXPECT_EQ(TableValueName(QString::fromUtf8("美国")), "U.S.A.");
    EXPECT_EQ(CountryToCharsetNo("France"), 1);
    prt::ClearLangTexts();
    EXPECT_EQ(ShownValueName("Default"), "Default") << "a language file without the word keeps the table's";
}

TEST(CodePageCombo, TablesByKey)
{
    const struct {
        QString key;
        int count;
        const char* first;
        const char* last;
    } cases[] = {
        {"", 46, "Default", "ABICOMP"},
        {"KESA_MPT", 46, "Default", "CP790"},
        {"KESA", 48, "Default", "VISCII"},
        {ValueData::CodePageFamilyKey(1), 36, "CP437", "TIS18"},
        {ValueData::CodePageFamilyKey(2), 45, "Default", "PC856"},
        {ValueData::CodePageFamilyKey(3), 45, "Using CodePage PC437", "KU42"},
    };
    for (const auto& c : cases) {
        QComboBox combo;
        combo.addItem("old");
        FillCodePageCombo(&combo, c.key);
        ASSERT_EQ(combo.count(), c.count) << c.key.toStdString();
        EXPECT_EQ(combo.itemText(0), QString(c.first));
        EXPECT_EQ(combo.itemText(c.count - 1), QString(c.last));
        EXPECT_EQ(combo.currentIndex(), 0);
    }
    QComboBox combo;
    combo.addItem("old");
    FillCodePageCombo(&combo, "no such key");
    EXPECT_EQ(combo.count(), 0);
    // Names of the default table are names of the number table.
    for (const QString& name : ValueData::CodePageDefaultRows()) {
        QString no;
        MapCodePageNo(name, "", no);
        if (name != "Default" && name != "PC437(USA:Standard Europe)") {
            EXPECT_NE(no, "0") << name.toStdString();
        }
    }
}

TEST(IntlCharsetLists, CountsAndEnds)
{
    const struct {
        void (*fill)(QComboBox*);
        int count;
        const char* first;
        const char* last;
    } cases[] = {
        {FillIntlCharsetList1, 48, "USA(USA)", "Vietnam(1258)"},
        {FillIntlCharsetList2, 22, "USA(USA)", "Shift-JIS(932)"},
        {FillIntlCharsetList3, 29, "USA(USA)", "Hebrew(1255)"},
    };
    for (const auto& c : cases) {
        QComboBox combo;
        c.fill(&combo);
        ASSERT_EQ(combo.count(), c.count);
        EXPECT_EQ(combo.itemText(0), c.first);
        EXPECT_EQ(combo.itemText(c.count - 1), c.last);
        EXPECT_EQ(combo.currentIndex(), 0);
    }
    QComboBox combo;
    FillIntlCharsetList1(&combo);
    EXPECT_EQ(combo.itemText(46), "Japanese Shift-JIS(932)");
    EXPECT_EQ(combo.itemText(32), "Vietnam(1258)");
}

TEST(CountryCharset, NumbersOfTheCountryNames)
{
    const struct {
        QString name;
        int no;
    } cases[] = {
        {"U.S.A.", 0},
        {QString::fromUtf8("Denmark \u2160"), 4},
        {QString::fromUtf8("Spain \u2161"), 11},
        {QString::fromUtf8("Spain \u2160"), 7},
        {"Slovenia/Croatia", 14},
        {"China", 15},
        {"Spain", 0},
        {"Spain II", 0},
        {"china", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CountryToCharsetNo(c.name), c.no) << c.name.toStdString();
}

TEST(ComboNumbers, ZeroToN)
{
    QComboBox combo;
    FillComboNumbers(&combo, 5);
    EXPECT_EQ(Items(combo), QStringList({"0", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(combo.currentIndex(), 0);
}

// ---- model-dependent values ----------------------------------------------------------------

class ModelValuesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetLanguageStateForTest();
        ResetModuleStateForTest();
        SetLabelConfigFileNames();
        BuildModelLists();
    }
    void TearDown() override
    {
        ClearCurrentPrinterNames();
        ClearPrinterTypeListState();
        FreeKesaVar();
        ResetModuleStateForTest();
        ResetLanguageStateForTest();
    }
    void WriteTypeList(const QByteArray& parameterSet)
    {
        core3::TempTree::Write(tree.FilesDir() + "PrinterTypeList_Label.ini",
                               "[ParameterSet]\r\n" + parameterSet);
    }
    core3::TempTree tree;
};

TEST_F(ModelValuesTest, PrintSpeedCascade)
{
    WriteTypeList("IPS9=,Q900,\r\nIPS10=,Q1000,Q900,\r\n");
    const struct {
        QString model;
        int max;
    } cases[] = {
        {GetModelName_HB25(), 3},      // 3 ips list
        {GetModelName_W16(), 4},       // 4 ips list
        {"L46", 3},                    // built-in two-model lists
        {"W16P", 4},
        {"BTN7", 4},
        {GetModelName_V64(), 5},
        {GetModelName_TA380(), 6},
        {"V64C", 6},                   // built-in label and ZPL list
        {"ZR912", 6},
        {"R912", 6},                   // the tail of a listed name counts (name + comma test)
        {GetModelName_GS_PR540D(), 7},
        {GetModelName_GS_PR540X(), 8},
        {"Q900", 9},                   // IPS9 wins before IPS10
        {"Q1000", 10},
        {"NoSuchModel", 3},
        {"Kastor Y7", 4},              // the one model that always gets 4
    };
    for (const auto& c : cases) {
        QComboBox combo;
        FillPrintSpeedList(&combo, c.model);
        QStringList expected;
        for (int i = 2; i <= c.max; ++i)
            expected << QString::number(i);
        EXPECT_EQ(Items(combo), expected) << c.model.toStdString();
        EXPECT_EQ(combo.currentIndex(), 0);
    }
    // The current base model in the force list turns any maximum into 4.
    SetCurrentPrinterNames(GetModelName_Y7(), GetModelName_Y7());
    QComboBox combo;
    FillPrintSpeedList(&combo, "Q1000");
    EXPECT_EQ(Items(combo), QStringList({"2", "3", "4"}));
}

TEST_F(ModelValuesTest, PaperWidthCascade)
{
    // The built-in lists come before the file's 56/80 lists.
    WriteTypeList("FTN_PaperWidth_1=,W72X,\r\nPaperWidth56=,W56X,HB25,\r\nPaperWidth80=,W80X,W16,\r\n"
                  "PaperWidth108=,W108X,\r\n");
    const struct {
        const char* model;
        const char* width;
    } cases[] = {
        {"W72X", "72"}, {"HB25", "48"}, {"L44", "48"}, {"W16", "72"}, {"W56X", "56"}, {"W80X", "80"},
        {"W108X", "108"}, {"108X", "108"}, {"Other", "48"},
    };
    for (const auto& c : cases) {
        SetCurrentPrinterNames(c.model, c.model);
        EXPECT_EQ(GetPaperWidthByModel(), QString(c.width)) << c.model;
    }
}

TEST_F(ModelValuesTest, PaperWidthOfTheFirstListIs720InDebugMode)
{
    WriteTypeList("FTN_PaperWidth_1=,W72X,\r\n");
    core3::TempTree::Write(tree.Root() + "dev/xx46027193850461/dfile46027193850461.txt", "x");
    core3::TempTree::Write(tree.ProgDir() + "x58316204972635.txt", "x");
    ASSERT_TRUE(IsDebugMode());
    SetCurrentPrinterNames("W72X", "W72X");
    QString width;
    GetPaperWidthByModel(width);
    EXPECT_EQ(width, "720");
}

TEST_F(ModelValuesTest, ProtocolNumberFromTheProtocolLists)
{
    core3::TempTree::Write(tree.FilesDir() + "ProtocolType.ini",
                           "[Protocol]\r\nCPCL=,C1,\r\nTSPL=,T1,C1,\r\nESC=,E1,\r\nZPL=,Z1,\r\n");
    LoadProtocolModelLists();
    const struct {
        const char* model;
        int no;
    } cases[] = {{"C1", 3}, {"T1", 1}, {"E1", 0}, {"Z1", 4}, {"None", 1}, {"", 1}};
    for (const auto& c : cases) {
        SetCurrentPrinterNames(c.model, c.model);
        EXPECT_EQ(GetProtocolNoByModel(), c.no) << c.model;
        EXPECT_EQ(LinkProtocolNoByModel(c.model), c.no) << "the link's seam, " << c.model;
    }
}

} // namespace
