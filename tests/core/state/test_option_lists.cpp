// Option lists ("value=Text" lines) of the parameter controls.
#include "StateFixture.h"
#include "PrtIni.h"
#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlDevBasePrt.h"
#include "mdlGlobalVar.h"
#include "mdlLangText.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlOptionLists.h"
#include "mdlPrinterTypeList.h"
#include "mdlPubFunc.h"

#include <QComboBox>

namespace {

class OptionListsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetLanguageStateForTest();
        ResetModuleStateForTest();
        InitParamGlobals();
        BuildModelLists();
        // A language file of our own: odd texts must come through byte for byte.
        core3::TempTree::Write(tree.FilesDir() + "UtilityForLabelLanguage.ini",
                               QString("[1033]\r\n"
                                       "Lang_All_00210026_11=Off (none)\r\n"
                                       "Lang_All_00210107_11=Re=print on\r\n"
                                       "Lang_All_00210108_11=x\r\n"
                                       "Lang_All_00210094_11=Receipt\r\n"
                                       "Lang_All_00210094_12=Label\r\n"
                                       "Lang_All_00210094_13=BlackMark\r\n"
                                       "Lang_All_00010009_11=DFU word\r\n"
                                       "Lang_All_00010009_12=BIN word\r\n"
                                       "Lang_All_00010006_11=Dealer\r\n"
                                       "Lang_All_00010006_12=P12\r\n"
                                       "Lang_All_00010006_14=P14\r\n"
                                       "Lang_All_00010006_15=P15\r\n"
                                       "Lang_All_00010006_16=P16\r\n"
                                       "FormParaSet_W7X_close=Shut\r\n"
                                       "FormParaSet_W7X_open=Opened\r\n"
                                       "lblLanague_Item1=中文\r\n"
                                       "lblLanague_Item2=English\r\n")
                                   .toUtf8());
        gFilesDir = tree.FilesDir();
        gLangFileName = LABEL_LANG_FILE;
        gLangId = "1033";
        LoadLanguageStrings();
    }
    void TearDown() override
    {
        ClearLangStrings();
        ClearCurrentPrinterNames();
        InitParamGlobals();
        ResetLanguageStateForTest();
    }
    static void SetPermission(const char* item, int value)
    {
        ParamGlobals().Permission[static_cast<size_t>(TParamGlobals::PermissionIndex(item))] = value;
    }
    core3::TempTree tree;
};

TEST_F(OptionListsTest, FixedFillersClearAndAddTheirLines)
{
    const struct {
        void (*fill)(QStringList*);
        QStringList lines;
    } cases[] = {
        {FillEmulationList, {"0=ZPL", "1=DPL", "2=EPL", "3=TSPL"}},
        {FillWifiApPwdList, {"0=OFF", "3=ON"}},
        {FillProtocolList, {"4=TSPL", "7=ESC"}},
        {FillDhcpList, {"1=ON", "0=OFF"}},
        {FillRepeatPrintList, {"0=OFF", "1=ON"}},
        {FillFirmwareTypeList, {"DFU 01=DFU word", "BIN 01=BIN word"}},
        {FillRePrintSwitchList, {"1=Re=print on", "0=x"}},
        {FillPaperModeItems, {"0=Receipt", "1=BlackMark", "2=Label"}},
        {FillPaperModeList, {"0=Receipt", "1=BlackMark", "2=Label"}},
        {FillCutterList, {"0=Shut", "1=Opened"}},
        {FillPrinterLanguageList, {QString::fromUtf8("0=中文"), "1=English"}},
    };
    for (const auto& c : cases) {
        QStringList list{"old=line"};
        c.fill(&list);
        EXPECT_EQ(list, c.lines);
        c.fill(nullptr);  // a null list is ignored
    }
    EXPECT_EQ(GetDfuTypeName(), "DFU 01");
    EXPECT_EQ(GetBinTypeName(), "BIN 01");
}

TEST_F(OptionListsTest, PaperModeBuilderKinds)
{
    QStringList list;
    BuildPaperModeItems(&list, 3);
    EXPECT_EQ(list, QStringList({"0=Receipt", "2=Label"}));
    BuildPaperModeItems(&list, 1);
    EXPECT_EQ(list, QStringList({"0=Receipt", "1=BlackMark", "2=Label"}));
}

TEST_F(OptionListsTest, HeatingTimeList)
{
    QStringList list{"x=y"};
    FillHeatingTimeList(&list);
    ASSERT_EQ(list.size(), 81);
    EXPECT_EQ(list.first(), "50=50");
    EXPECT_EQ(list.last(), "130=130");
}

TEST_F(OptionListsTest, ReleasePaperRangeByModelListAndPermission)
{
    const QString listed = ReleasePaperModels.split(',', Qt::SkipEmptyParts).value(0);
    ASSERT_FALSE(listed.isEmpty());
    const struct {
        QString defName;
        int permission;
        int max;
    } cases[] = {{"Other", 0, 127}, {listed, 0, 255}, {"Other", 1, 255}, {"Other", 52, 127}};
    for (const auto& c : cases) {
        SetCurrentPrinterNames(c.defName, "Base");
        SetPermission("0135000052", c.permission);
        QStringList list;
        FillReleasePaperList(&list);
        EXPECT_EQ(GetReleasePaperMax(), c.max);
        ASSERT_EQ(list.size(), c.max + 1);
        EXPECT_EQ(list.first(), "0=Off (none)");
        EXPECT_EQ(list.at(1), "1=1");
        EXPECT_EQ(list.last(), QString("%1=%1").arg(c.max));
    }
}

TEST_F(OptionListsTest, ProtocolTypeListBySwitchOemAndPermissions)
{
    // Switch set: the list is rebuilt; the dealer OEM gets a third line.
    ParamGlobals().Switch[TParamGlobals::kProtocolTypeSwitch] = 1;
    QStringList list{"stale=1"};
    gCurOemCo = "Label_Channel";
    FillProtocolTypeList(&list);
    EXPECT_EQ(list, QStringList({"0=P15", "1=P14"}));
    gCurOemCo = "Mobile_Dealer";
    FillProtocolTypeList(&list);
    EXPECT_EQ(list, QStringList({"0=P15", "1=P14", "2=Dealer"}));

    // Switch off: nothing is cleared; each permission adds its line.
    ParamGlobals().Switch[TParamGlobals::kProtocolTypeSwitch] = 0;
    QStringList empty;
    FillProtocolTypeList(&empty);
    EXPECT_TRUE(empty.isEmpty());
    SetPermission("0142031002", 1);
    SetPermission("0142031006", 1);
    QStringList kept{"keep=me"};
    FillProtocolTypeList(&kept);
    EXPECT_EQ(kept, QStringList({"keep=me", "0=P12", "1=P16"}));
}

TEST_F(OptionListsTest, MissingLanguageTextKeepsTheValue)
{
    ClearLangStrings();
    QStringList list;
    FillRePrintSwitchList(&list);
    EXPECT_EQ(list, QStringList({"1=", "0="}));
}

TEST_F(OptionListsTest, CodePageListByModel)
{
    const QString t1Model = GetModelName_Z34();  // the one receipt model with the short table
    const QString cp = CodePageModelsCp.split(',', Qt::SkipEmptyParts).value(0);
    const QString byLang = CodePageModelsByLanguage.split(',', Qt::SkipEmptyParts).value(0);
    const QString wide = CodePageModelsWide.split(',', Qt::SkipEmptyParts).value(0);
    ASSERT_FALSE(cp.isEmpty());
    ASSERT_FALSE(byLang.isEmpty());
    ASSERT_FALSE(wide.isEmpty());
    const struct {
        QString def, bas, word;
        int count;
        const char* first;
        const char* last;
    } cases[] = {
        {t1Model, "x", "", 39, "0=0 : U.S.A. Standard Europe : PC437", "66=66 : PC856 : PC856"},
        {"", cp, "", 41, "0=0 : U.S.A., Standard Europe : PC437",
         "57=57 : Simplied Chinese : Simplied Chinese"},
        {"d", cp, "", 43, "0=0 : U.S.A, Standard Europe : CP_437", "58=58 : Null : Null"},
        {"d", byLang, "", 4, "0=0 : U.S.A., Standard Europe : PC437",
         "19=19 : U.S.A., Standard Europe : PC437"},
        {"d", byLang, "cpcl", 42, "0=0 : U.S.A., Standard Europe : PC437", "61=61 : Iran II : Iran II"},
        {"d", byLang, "esc", 40, "0=0 : U.S.A., Standard Europe : PC437", "67=67 : Iran II : Iran II"},
        {"d", wide, "", 39, "0=0 : U.S.A., Standard Europe : PC437",
         "113=113 : Simplied Chinese : Simplied Chinese"},
        {"d", "other", "", 43, "1=1 : U.S.A, Standard Europe : CP_437", "87=87 : 87 : CP_LATVIAN"},
    };
    for (const auto& c : cases) {
        SetCurrentPrinterNames(c.def, c.bas);
        gCodePageLanguageWord = c.word;
        QStringList list{"old=old"};
        FillCodePageList(&list);
        ASSERT_EQ(list.size(), c.count) << c.def.toStdString() << "/" << c.bas.toStdString();
        EXPECT_EQ(list.first(), c.first);
        EXPECT_EQ(list.last(), c.last);
    }
    gCodePageLanguageWord.clear();
    // Odd texts are kept as they are: the full-width comma and trailing blanks.
    SetCurrentPrinterNames("d", cp);
    EXPECT_TRUE(IsCurModelInList(CodePageModelsCp));  // the base name is the current model
    EXPECT_FALSE(IsCurModelInList(",d,"));
    EXPECT_TRUE(IsModelInCommaList("d", ",d,"));
    QStringList t3;
    FillCodePageList(&t3);
    EXPECT_EQ(t3.at(27), QString::fromUtf8("43=43 : East Europe\uFF0CLatvian 2 : CP_755"));
    SetCurrentPrinterNames("d", byLang);
    gCodePageLanguageWord = "esc";
    QStringList t5;
    FillCodePageList(&t5);
    EXPECT_EQ(t5.at(30), "53=53 : Kazakhstan : KZ-1048 ");
    gCodePageLanguageWord.clear();
}

TEST_F(OptionListsTest, ListsShowAndTranslateThroughTheComboHelpers)
{
    QStringList list;
    FillDhcpList(&list);
    QComboBox combo;
    FillComboFromValues(&combo, &list);
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), "ON");
    EXPECT_EQ(combo.currentIndex(), -1);  // nothing chosen until the caller selects
    int found = 0;
    QString text;
    FindValueByName("0", &list, found, text);
    EXPECT_EQ(found, 1);
    EXPECT_TRUE(SelectComboItem(&combo, text));
    EXPECT_EQ(combo.currentIndex(), 1);
    QString value;
    FindNameByValue(combo.currentText(), &list, found, value);
    EXPECT_EQ(value, "0");
    EXPECT_EQ(OptionLineValue("1=Re=print"), "1");
    EXPECT_EQ(OptionLineText("1=Re=print"), "Re=print");
}

} // namespace

namespace {

TEST(OptionListLanguageKeys, EveryKeyHasEnglishAndSimplifiedChineseTexts)
{
    const char* keys[] = {
        "Lang_All_00010009_11", "Lang_All_00010009_12", "Lang_All_00210026_11",
        "Lang_All_00210107_11", "Lang_All_00210108_11", "Lang_All_00210094_11",
        "Lang_All_00210094_12", "Lang_All_00210094_13", "Lang_All_00010006_11",
        "Lang_All_00010006_12", "Lang_All_00010006_14", "Lang_All_00010006_15",
        "Lang_All_00010006_16", "FormParaSet_W7X_close", "FormParaSet_W7X_open",
        "lblLanague_Item1",     "lblLanague_Item2",
    };
    for (const char* file : {"UtilityForLabelLanguage.ini", "UtilityForMobileLanguage.ini"}) {
        prt::IniFile ini;
        ASSERT_TRUE(ini.load(prt::test::SourceDir() + "/files/" + file)) << file;
        for (const char* section : {"1033", "2052"})
            for (const char* key : keys)
                EXPECT_FALSE(ini.readString(section, key).isEmpty()) << file << " [" << section << "] " << key;
    }
}

} // namespace
