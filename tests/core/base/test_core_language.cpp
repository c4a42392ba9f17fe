// Language choice, ini reading rules, the text table and the shipped language files.
#include "CoreBaseFixture.h"

#include "PrtCodePage.h"
#include "mdlModelCatalog.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSet>

#include <memory>
#include <vector>

namespace {
const char* kLabel = "UtilityForLabelLanguage.ini";
} // namespace

TEST(CoreLanguage, FoldingAndSwitches)
{
    struct Fold {
        int id, folded;
    };
    for (const Fold f : {Fold{3076, 1028}, Fold{5124, 1028}, Fold{2070, 1046}, Fold{1034, 1034}, Fold{2058, 1034},
                         Fold{3082, 1034}, Fold{20490, 1034}, Fold{21514, 21514}, Fold{1033, 1033}, Fold{2052, 2052},
                         Fold{1028, 1028}, Fold{7, 7}})
        EXPECT_EQ(FoldLanguageId(f.id), f.folded) << f.id;

    struct Switch {
        const char* arg;
        const char* id;
    };
    for (const Switch s : {Switch{"-CN", "2052"}, Switch{"-EN", "1033"}, Switch{"-TW", "1028"}, Switch{"-JP", "1041"},
                           Switch{"-RU", "1049"}, Switch{"-PT", "1046"}, Switch{"-ES", "1034"}, Switch{"-KR", ""},
                           Switch{"-cn", ""}, Switch{"-Factory", ""}})
        EXPECT_EQ(LanguageIdOfSwitch(s.arg), s.id) << s.arg;

    // The system language id comes from the user's locale.
    struct Loc {
        const char* name;
        int id;
    };
    for (const Loc l : {Loc{"zh_CN", 2052}, Loc{"zh_TW", 1028}, Loc{"zh_HK", 1028}, Loc{"en_US", 1033},
                        Loc{"en_GB", 1033}, Loc{"ja_JP", 1041}, Loc{"ru_RU", 1049}, Loc{"pt_BR", 1046},
                        Loc{"pt_PT", 1046}, Loc{"es_MX", 1034}, Loc{"ko_KR", 1042}, Loc{"de_DE", 7},
                        Loc{"it_IT", 1040}, Loc{"fr_FR", 1036}, Loc{"C", 1033}})
        EXPECT_EQ(WindowsLangIdOfLocale(QLocale(l.name)), l.id) << l.name;
}

TEST_F(CoreBaseTest, LanguageObjectResolvesIdAgainstTheList)
{
    struct Case {
        QStringList args;
        int system;
        const char* list;
        const char* expected;
    };
    const Case cases[] = {
        {{}, 2058, "2052,1033,1034", "1034"},          // Spanish (Mexico) folds to 1034
        {{}, 2058, "2052,1033", "1033"},               // not offered: the file's default
        {{}, 1034, "2052,11034", "1033"},              // comma-wrapped test: no match inside 11034
        {{"-CN", "-EN"}, 1033, "2052,1033", "2052"},   // first argument only
        {{"x", "-CN"}, 1041, "2052,1033", "1033"},     // a switch not first is ignored
        {{"-TW"}, 2052, "2052,1033,1028", "1028"},
    };
    for (const Case& c : cases) {
        ResetLanguageStateForTest();
        prt::IniClearCache();
        SetProgramArgs(c.args);
        SetSystemLangIdForTest(c.system);
        WriteConfig(kLabel, QByteArray("[LanguageCollect]\nList=") + c.list +
                                "\nDefaultLanguageID=1033\nDefaultLanguageName=English\n");
        TConstLangV* lang = GetConstLangV();
        EXPECT_EQ(lang->LangIniName, kLabel);
        EXPECT_EQ(lang->LanguageId, c.expected) << c.list << " sys " << c.system;
        EXPECT_TRUE(lang->Created);

        // The globals follow the same rules.
        gLangId.clear();
        gCurToolType = "Label";
        if (!c.args.isEmpty())
            gLangId = LanguageIdOfSwitch(c.args.first());
        ResolveUiLanguage();
        EXPECT_EQ(gLangId, c.expected) << c.list;
        EXPECT_EQ(QString::number(prt::UiLanguageId()), c.expected);
    }
}

TEST_F(CoreBaseTest, LanguageWordsAreReadFromTheChosenSection)
{
    SetSystemLangIdForTest(2052);
    WriteConfig(kLabel, "[LanguageCollect]\nList=2052,1033\n[2052]\n_OK=OK2052\nLang_Word_Space=1 1\n"
                        "_Err_OpenPort=open\nLang_Word_Exclamation=!\n[1033]\n_OK=OK1033\n");
    TConstLangV* lang = GetConstLangV();
    EXPECT_EQ(lang->OK, "OK2052");
    EXPECT_EQ(lang->Word_Space, " ");  // every "1" removed
    EXPECT_EQ(lang->Err_OpenPort, "open");
    EXPECT_EQ(lang->Err_OpenPort2, "open");
    EXPECT_EQ(lang->Err_OpenPort3, "open");
    EXPECT_EQ(lang->Word_Exclamation2, "!");
    EXPECT_EQ(lang->Cancel, "");
    // Tool type Mobile names the Mobile file.
    ResetLanguageStateForTest();
    WriteConfig("Option.ini", "[Option]\nToolType=Mobile\n");
    EXPECT_EQ(GetConstLangV()->LangIniName, "UtilityForMobileLanguage.ini");
}

TEST_F(CoreBaseTest, StartupOptionsAndToolTypeDefault)
{
    struct Case {
        QByteArray option;
        const char* tool;
        const char* oem;
    };
    for (const Case& c : {Case{"[Option]\nToolType=Mobile\nOemCo=Label_Channel\nCompanyType=3\n", "Mobile", "Label_Channel"},
                          Case{"[Option]\nOemCo=\n", "Label", ""}, Case{"", "Label", ""}}) {
        ResetLanguageStateForTest();
        prt::IniClearCache();
        WriteConfig("Option.ini", c.option);
        LoadStartupOptions();
        EXPECT_EQ(gCurToolType, c.tool);
        EXPECT_EQ(gCurOemCo, c.oem);
        EXPECT_EQ(gFilesDir, ExePath("files/"));
        EXPECT_EQ(gIconsDir, ExePath("icons/"));
        EXPECT_EQ(gCbtImagePath, ExePath("CBT.bmp"));
        EXPECT_NE(gCompanyList, nullptr);
    }
}

TEST_F(CoreBaseTest, OemKeyVariantAndKoreanOffer)
{
    const QString variant = QStringLiteral("(英语)________________(未知)________________{LWR999} - _OK");
    const QString variantOnly = QStringLiteral("(英语)________________(未知)________________{LWR999} - _Close");
    WriteConfig(kLabel, ("[LanguageCollect]\nList=2052,1033\n[1033]\n_OK=plain\n" + variant + "=variant\n_Set=only plain\n" +
                         variantOnly + "=variant close\n[2052]\n_OK=plain2052\n").toUtf8());
    QString v;
    BuildLanguageKeyVariant("1033", "_OK", v);
    EXPECT_EQ(v, variant);
    BuildLanguageKeyVariant("1042", "_OK", v);
    EXPECT_EQ(v, "_OK");
    EXPECT_TRUE(IniHasSectionKey(ExePath(QString("files/") + kLabel), "1033", variant));
    EXPECT_FALSE(IniHasSectionKey(ExePath(QString("files/") + kLabel), "1033", "_ok"));  // case-sensitive

    struct Case {
        const char* tool;
        const char* oem;
        const char* ok;
        const char* list;
    };
    for (const Case c : {Case{"Label", "Label_RUVALO", "variant", "2052,1033,1042"},
                         Case{"Label", "Label_Channel", "plain", "2052,1033"},
                         Case{"Mobile", "Label_RUVALO", "plain", "2052,1033"}}) {
        gCurToolType = c.tool;
        gCurOemCo = c.oem;
        EXPECT_EQ(ReadIniString(kLabel, "1033", "_OK"), c.ok) << c.oem;
        EXPECT_EQ(ReadIniString(kLabel, "1033", "_Set"), "only plain");
        EXPECT_EQ(ReadIniString(kLabel, "2052", "_OK"), "plain2052");
        EXPECT_EQ(ReadIniString(kLabel, "LanguageCollect", "List"), c.list) << c.oem;
    }

    // The text store holds what ReadIniString gives, under the plain keys only.
    gCurToolType = "Label";
    gCurOemCo = "Label_RUVALO";
    PublishLanguageTexts(kLabel, "1033");
    EXPECT_EQ(prt::LangText("_OK"), "variant");
    EXPECT_EQ(prt::LangText("_Close"), "variant close");  // a key given only as a variant
    EXPECT_EQ(prt::LangText(variant), "");
}

TEST_F(CoreBaseTest, ParameterSetValuesGainTheBuiltInLists)
{
    WriteConfig("PrinterTypeList_Label.ini", "[ParameterSet]\nGDS=,FILEMODEL,\nOther=,A,\n[Else]\nGDS=,B,\n");
    WriteConfig("PrinterTypeList_Mobile.ini", "[ParameterSet]\nW16P_DFU=,M1,\n");
    bool found = false;
    const QString gds = BuiltinLabelFeatureModels("GDS", found);
    ASSERT_TRUE(found);
    const QString w16p = BuiltinMobileFeatureModels("W16P_DFU", found);
    ASSERT_TRUE(found);
    EXPECT_EQ(ReadIniString("PrinterTypeList_Label.ini", "ParameterSet", "GDS"), ",FILEMODEL," + gds);
    EXPECT_EQ(ReadIniString("PrinterTypeList_Label.ini", "ParameterSet", "Other"), ",A,");
    EXPECT_EQ(ReadIniString("PrinterTypeList_Label.ini", "Else", "GDS"), ",B,");
    EXPECT_EQ(ReadIniString("PrinterTypeList_Label.ini", "ParameterSet", "Missing"), "");
    // a missing key of the list still yields the built-in list
    EXPECT_EQ(ReadIniString("PrinterTypeList_Mobile.ini", "ParameterSet", "W16P_DFU"), ",M1," + w16p);
    // the Label keys are not appended for the Mobile file
    EXPECT_EQ(ReadIniString("PrinterTypeList_Mobile.ini", "ParameterSet", "GDS"), "");
    EXPECT_EQ(ReadIniString("PrinterTypeList_Label.ini", "ParameterSet", "NoFileKey"), "");
}

TEST_F(CoreBaseTest, FontCharsetAndPluginSectionsWithoutPlugin)
{
    WriteConfig(kLabel, "[1036]\n_OK=fr\n[1042]\n_OK=ko\n_FontCharset=129\n[1033]\n_FontCharset=0\n");
    EXPECT_EQ(ReadIniString(kLabel, "1036", "_FontCharset"), "1");  // missing -> "1"
    EXPECT_EQ(ReadIniString(kLabel, "1042", "_FontCharset"), "1");  // Korean always "1"
    EXPECT_EQ(ReadIniString(kLabel, "1033", "_FontCharset"), "0");  // other sections untouched
    // Without the language plug-in these sections read the file and do not loop.
    EXPECT_EQ(ReadIniString(kLabel, "1042", "_OK"), "ko");
    EXPECT_EQ(ReadIniString(kLabel, "1036", "_OK"), "fr");
    QString text;
    LangDllReadIni(kLabel, "1042", "_OK", text);
    EXPECT_EQ(text, "ko");
}

TEST(CoreTextTable, KeyListExpandsTo709DistinctKeys)
{
    const QStringList& keys = LangTextKeys();
    EXPECT_EQ(keys.size(), 709);
    EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()).size(), 709);
    EXPECT_EQ(keys.first(), "Lang_Pos_00010030_11");
    EXPECT_EQ(keys.last(), "Lang_All_00910001_11");
    auto count = [&keys](const char* prefix) {
        return std::count_if(keys.begin(), keys.end(), [prefix](const QString& k) { return k.startsWith(prefix); });
    };
    EXPECT_EQ(count("Lang_Pos_0001"), 9);
    EXPECT_EQ(count("Lang_All_1001"), 3);
    EXPECT_EQ(count("Lang_All_0001"), 49);
    EXPECT_EQ(count("Lang_All_0021"), 647);
    EXPECT_EQ(count("Lang_All_0091"), 1);
    for (const char* k : {"Lang_All_00210128_99", "Lang_All_00210129_24", "Lang_All_00210129_51", "Lang_All_00210167_14",
                          "Lang_All_00210167_71", "Lang_All_00210171_20", "Lang_All_00210082_27", "Lang_All_00210380_11"})
        EXPECT_TRUE(keys.contains(k)) << k;
    for (const char* k : {"Lang_All_00210129_25", "Lang_All_00210167_11", "Lang_All_00210083_11", "Lang_All_00210171_12"})
        EXPECT_FALSE(keys.contains(k)) << k;
    // the expansion grammar: ranges, variant lists, "x to y", words without numbers
    EXPECT_EQ(ExpandLangKeyList("P_", "0001-0002, 0005 (11 to 13, then 51), 0007"),
              QStringList({"P_0001_11", "P_0002_11", "P_0005_11", "P_0005_12", "P_0005_13", "P_0005_51", "P_0007_11"}));
    EXPECT_EQ(MainWindowLangKeys().size(), 27);
}

TEST_F(CoreBaseTest, TextTableReloadEmptiesMissingKeysAndFillsTheTextStore)
{
    WriteConfig(kLabel, "[1033]\nLang_All_00210026_11=Off\nLang_Pos_00010030_11=Printer {0}\n_OK=OK\n"
                        "Lang_All_00219999_11=not a slot\n"
                        "[2052]\nLang_All_00210026_11=关闭\n_OK=确定\n");
    gLangFileName = kLabel;
    gLangId = "1033";
    LoadLanguageStrings();
    EXPECT_EQ(LangStr("Lang_All_00210026_11"), "Off");
    EXPECT_EQ(LangStr("Lang_Pos_00010030_11"), "Printer {0}");
    EXPECT_EQ(LangStr("Lang_All_00219999_11"), "");  // not in the key list: never a slot
    EXPECT_EQ(prt::LangText("_OK"), "OK");           // every key of the section is published
    EXPECT_EQ(prt::LangText("Lang_All_00210026_11"), "Off");
    const QHash<QString, QString> first = [] {
        QHash<QString, QString> h;
        for (const QString& k : LangTextKeys())
            h[k] = LangStr(k);
        return h;
    }();
    LoadLanguageStrings();  // same language twice: same contents
    for (const QString& k : LangTextKeys())
        ASSERT_EQ(LangStr(k), first.value(k)) << k.toStdString();

    gLangId = "2052";
    LoadLanguageStrings();
    EXPECT_EQ(LangStr("Lang_All_00210026_11"), QStringLiteral("关闭"));
    EXPECT_EQ(LangStr("Lang_Pos_00010030_11"), "");  // missing in 2052: the old text is gone
    EXPECT_EQ(prt::LangText("_OK"), QStringLiteral("确定"));

    EXPECT_TRUE(SetLangStr("Lang00010025", "RFID learn"));
    EXPECT_EQ(LangStr("Lang00010025"), "RFID learn");
    EXPECT_FALSE(SetLangStr("Lang_All_00210026_11", "x"));  // loaded slots are not the caption loader's
    EXPECT_EQ(LangStr("Lang_All_00210026_11"), QStringLiteral("关闭"));

    // The debug-mode notice fills the template.
    EnterDebugMode();
    gLangId = "1033";
    LoadLanguageStrings();
    prt::test::MsgBoxRecorder rec;
    ShowDebugNameMessage("V52", 1);
    ASSERT_EQ(rec.calls().size(), 1u);
    EXPECT_EQ(rec.calls()[0].text, "Printer V52");
}

TEST(CoreLanguageFiles, ShippedFilesHoldEveryKeyTheCoreReads)
{
    const QString dir = prt::test::SourceDir() + "/files/";
    QStringList keys = TConstLangV::WordKeys();
    keys += LangTextKeys();
    // shared message keys read by the printer link, the message boxes and the forms
    keys += {"_MSG_Title_Error", "_MSG_Title_Message", "_MSG_Title_Warn", "_Err_OpenPort", "_Err_WriteData",
             "_Err_ReadData", "_Err_CheckSum", "_OK", "_Cancel", "_Set", "_Close"};
    for (const char* file : {"UtilityForLabelLanguage.ini", "UtilityForMobileLanguage.ini"}) {
        prt::IniFile ini;
        ASSERT_TRUE(ini.load(dir + file)) << file;
        const QString list = ini.readString("LanguageCollect", "List");
        const QString def = ini.readString("LanguageCollect", "DefaultLanguageID");
        EXPECT_TRUE(("," + list + ",").contains("," + def + ",")) << file;
        EXPECT_FALSE(ini.readString("LanguageCollect", "DefaultLanguageName").isEmpty());
        for (const char* section : {"1033", "2052"}) {
            EXPECT_TRUE(("," + list + ",").contains(QString(",") + section + ",")) << file << section;
            const QStringList present = ini.keys(section);
            const QSet<QString> have(present.begin(), present.end());
            int missing = 0;
            for (const QString& k : keys) {
                if (!have.contains(k) || ini.readString(section, k).isEmpty()) {
                    if (++missing <= 5)
                        ADD_FAILURE() << file << " [" << section << "] lacks " << k.toStdString();
                }
            }
            EXPECT_EQ(missing, 0) << file << " [" << section << "]";
        }
    }
    prt::IniFile option;
    ASSERT_TRUE(option.load(dir + "Option.ini"));
    EXPECT_EQ(option.readString("Option", "ToolType"), "Label");
    EXPECT_FALSE(option.hasKey("Option", "OemCo"));
}

namespace {

// Both shipped language files, loaded.
struct TShippedLanguageFile {
    const char* Name;
    prt::IniFile Ini;
};

std::vector<std::unique_ptr<TShippedLanguageFile>> LoadShippedLanguageFiles()
{
    std::vector<std::unique_ptr<TShippedLanguageFile>> files;
    for (const char* name : {"UtilityForLabelLanguage.ini", "UtilityForMobileLanguage.ini"}) {
        auto file = std::make_unique<TShippedLanguageFile>();
        file->Name = name;
        EXPECT_TRUE(file->Ini.load(prt::test::SourceDir() + "/files/" + name)) << name;
        files.push_back(std::move(file));
    }
    return files;
}

// A key whose text is a caption beside a control: "..._lblXxx", "..._LabelN", the row-label
// edits "..._edtlbl..." and the RFID window's captions.
bool IsLabelKey(const QString& key)
{
    static const QRegularExpression label(QStringLiteral("_(lbl|edtlbl|txtlbl|Label[0-9])"));
    return label.match(key).hasMatch();
}

} // namespace

TEST(CoreLanguageFiles, MendedCaptionsInBothLanguages)
{
    struct Row {
        const char* key;
        const char* english;
        const char* chinese;
        bool labelFileOnly;
    };
    const Row rows[] = {
        // the scan test window's texts
        {"FormScanTest_Caption", "Scan Test", "扫描测试", false},
        {"FormScanTest_grpTestParam", "Test Settings", "测试参数", false},
        {"FormScanTest_lblPrintWidth", "Printable width:", "可打印宽度：", false},
        {"FormScanTest_lblPrintHeight", "Printable height:", "可打印高度：", false},
        {"FormScanTest_btnScanTest", "Scan Test", "扫描测试", false},
        {"FormScanTest_MSGWidthInvalid", "The print width is not a valid number.", "打印宽度输入非法", false},
        {"FormScanTest_MSGWidthTooLarge", "The print width may not exceed %smm.", "打印宽度不能超过%smm", false},
        {"FormScanTest_MSGHeightInvalid", "The print height is not a valid number.", "打印高度输入非法", false},
        // the console's loop counter is a sentence
        {"FormCommandTest_lblRecycleTimes", "Sent {0} times", "已发送 {0} 次", false},
        // parameter forms' labels end without a colon
        {"FormParaSet_260_lblIPAddress", "IP address", "IP地址", false},
        {"FormParaSet_260_lblDHCP", "DHCP", "DHCP", false},
        {"FormParaSet_W7X_lblPrintSpeed", "Print speed (ips)", "打印速度(ips)", false},
        {"FormParaSet_ZR_lblCodepage", "Code page", "代码页", false},
        // table words the parameter forms' lists show in the UI language
        {"_Item_CodePageDefault", "Default", "默认", false},
        {"_Item_CountryUSA", "U.S.A.", "美国", false},
        // other windows' labels end in the colon of their language
        {"FormMain_Label_lblPrinterList", "Printers:", "打印机列表：", true},
    };
    for (const auto& file : LoadShippedLanguageFiles()) {
        for (const Row& r : rows) {
            if (r.labelFileOnly && QString(file->Name) != "UtilityForLabelLanguage.ini")
                continue;
            EXPECT_EQ(file->Ini.readString("1033", r.key).toStdString(), r.english) << file->Name << " " << r.key;
            EXPECT_EQ(file->Ini.readString("2052", r.key).toStdString(), r.chinese) << file->Name << " " << r.key;
        }
    }
}

TEST(CoreLanguageFiles, LabelsEndInOneColonByWindowKindAndEveryChineseTextHasAnEnglishOne)
{
    static const QRegularExpression doubled(QStringLiteral("(:\\s*:|：\\s*：|:\\s*：|：\\s*:)\\s*$"));
    // Texts the windows show with a colon appended: they end without one.
    const QStringList colonAppended = {"Lang_All_00210004_12", "Lang_All_00210024_11", "Lang_All_00210093_11",
                                       "Lang_All_00210109_11", "Lang_All_00210250_11", "Lang_All_00210351_11",
                                       "Lang_Pos_00010003_11", "Lang_Pos_00010004_11"};
    // Parameter-form keys that only other windows read (the font download window's label).
    const QStringList borrowed = {"FormParaSet_BQM_lblLanguage"};
    for (const auto& file : LoadShippedLanguageFiles()) {
        const prt::IniFile& ini = file->Ini;
        for (const char* section : {"1033", "2052"}) {
            const bool chinese = QString(section) == "2052";
            for (const QString& key : ini.keys(section)) {
                const QString value = ini.readString(section, key).trimmed();
                const QString where = QString("%1 [%2] %3=%4").arg(file->Name, section, key, value);
                if (IsLabelKey(key) || value.endsWith(':') || value.endsWith(u'：')) {
                    EXPECT_FALSE(doubled.match(value).hasMatch()) << where.toStdString();
                }
                if (key.startsWith("FormParaSet_") && IsLabelKey(key) && !borrowed.contains(key)) {
                    EXPECT_FALSE(value.endsWith(':') || value.endsWith(u'：'))
                        << "a parameter form's label ends without a colon: " << where.toStdString();
                }
                if (chinese && IsLabelKey(key)) {
                    EXPECT_FALSE(value.endsWith(':')) << "a Chinese label's colon is the full-width one: "
                                                      << where.toStdString();
                }
                if (colonAppended.contains(key)) {
                    EXPECT_FALSE(value.endsWith(':') || value.endsWith(u'：')) << where.toStdString();
                }
            }
        }
        // A label ends in a colon in both languages or in neither.
        for (const QString& key : ini.keys("1033")) {
            if (!IsLabelKey(key) || !ini.hasKey("2052", key))
                continue;
            const QString english = ini.readString("1033", key).trimmed();
            const QString chinese = ini.readString("2052", key).trimmed();
            EXPECT_EQ(english.endsWith(':'), chinese.endsWith(u'：') || chinese.endsWith(':'))
                << file->Name << " " << key.toStdString();
        }
        // Every text of the Chinese section has an English one (the scan test window showed
        // Chinese in the English UI).
        for (const QString& key : ini.keys("2052")) {
            if (!ini.readString("2052", key).isEmpty()) {
                EXPECT_FALSE(ini.readString("1033", key).isEmpty()) << file->Name << " " << key.toStdString();
            }
        }
    }
}
