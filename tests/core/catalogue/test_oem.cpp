// Branding profiles: choice by (tool type, OEM key), brand rows, aliases, user-data folder,
// language choices and the caption suffix.
#include "CatalogueFixture.h"

#include "mdlModelData.h"
#include "mdlOemClass.h"

#include <set>
#include <typeinfo>

using Oem = Core2Test;

TEST_F(Oem, ProfileChoiceByToolTypeAndKey)
{
    const struct {
        const char* Tool;
        const char* Key;
        const std::type_info& Type;
    } rows[] = {
        {"Mobile", "Mobile_DALP", typeid(TOemMobileDalp)},
        {"Mobile", "Mobile_Dealer", typeid(TOemMobile_Dealer)},
        {"Label", "Label_Channel", typeid(TOemLabel_Channel)},
        {"Label", "Label_Ardwick_Custom", typeid(TOemLabel_Ardwick)},
        {"Label", "Label_CrossBorderEBussiness", typeid(TOemLabel_CrossBorderEBussiness)},
        {"Label", "Label_GRUSK", typeid(TOemLabel_GRUSK)},
        {"Label", "Label_Grusk_TA380", typeid(TOemLabel_Grusk_TA380)},
        {"Label", "Label_Caldrew", typeid(TOemLabel_Caldrew)},
        {"Label", "label_channel", typeid(TOemClass)},    // key in another case
        {"Label", "LABEL_GRUSK", typeid(TOemClass)},
        {"Mobile", "Label_Channel", typeid(TOemClass)},   // Label key, Mobile tool
        {"label", "Label_Channel", typeid(TOemClass)},
        {"Label", "", typeid(TOemClass)},
        {"", "", typeid(TOemClass)},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.Tool) + "/" + r.Key);
        auto oem = CreateOemClass(r.Tool, r.Key);
        ASSERT_TRUE(oem);
        const TOemClass& ref = *oem;
        EXPECT_EQ(typeid(ref), r.Type);
        EXPECT_EQ(oem->ToolType, r.Tool);
        EXPECT_EQ(oem->OemCo, r.Key);
    }
}

TEST_F(Oem, ProfileRowsAreCompleteAndDistinct)
{
    const auto& rows = OemProfileRows();
    ASSERT_EQ(rows.size(), 42u);
    std::set<std::string> classes, pairs, ids;
    int mobile = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto& r = rows[i];
        SCOPED_TRACE(r.ClassName);
        classes.insert(r.ClassName);
        pairs.insert(std::string(r.ToolType) + "/" + r.OemKey);
        ids.insert(r.OemIdentifier);
        if (std::string(r.ToolType) == "Mobile") {
            EXPECT_LT(i, 10u);  // the ten Mobile rows come first
            ++mobile;
        }
        const QString code = r.FolderCode;
        EXPECT_TRUE(code.startsWith(std::string(r.ToolType) == "Mobile" ? "PM1" : "PL1"));
        EXPECT_GT(code.size(), 7);
        const QString id = r.OemIdentifier;
        EXPECT_TRUE(id.size() == 32 || (id.size() == 36 && id.count('-') == 4));
        EXPECT_EQ(FindOemProfileRow(r.ToolType, r.OemKey), int(i));
        // The class made for the row applies that same row.
        auto oem = CreateOemClass(r.ToolType, r.OemKey);
        const TOemClass& ref = *oem;
        EXPECT_NE(typeid(ref), typeid(TOemClass));
        EXPECT_NE(std::string(typeid(ref).name()).find(r.ClassName), std::string::npos);
        oem->InitIdentity();
        EXPECT_EQ(oem->FolderCode, QString(r.FolderCode));
        EXPECT_EQ(oem->OemIdentifier, QString(r.OemIdentifier));
        EXPECT_EQ(oem->VersionText, QString(r.VersionText));
        EXPECT_EQ(oem->CaptionWord, QString::fromUtf8(r.CaptionWord));
    }
    EXPECT_EQ(mobile, 10);
    EXPECT_EQ(classes.size(), 42u);
    EXPECT_EQ(pairs.size(), 42u);
    EXPECT_EQ(ids.size(), 42u);
}

TEST_F(Oem, BrandValuesAndMarkerOnlyModels)
{
    struct Row {
        const char* Key;
        int Models;           // without the "Real" marker
        int ModelsWithReal;
        int Aliases, ModelMode, AliasMode, ListMode, Layout, Version;
    };
    const Row rows[] = {
        {"Label_Cobbel", 8, 8, 3, 1, 1, 2, 2, 1},
        {"Label_Vessin", 2, 3, 1, 2, 2, 3, 0, 1},
        {"Label_CrossBorderEBussiness", 2, 3, 1, 1, 1, 2, 2, 1},
        {"Label_Grusk_TA380", 11, 12, 9, 2, 2, 3, 2, 1},
        {"Label_V52", 12, 12, 2, 2, 2, 3, 0, 1},
        {"Label_ElectricBusiness", 1, 1, 1, 2, 2, 3, 0, 0},
        {"Label_Fenwai", 1, 1, 0, 1, 1, 1, 0, 1},
    };
    for (bool real : {false, true}) {
        if (real)
            MakeRealMarker();
        for (const Row& r : rows) {
            SCOPED_TRACE(std::string(r.Key) + (real ? " real" : ""));
            auto oem = CreateOemClass("Label", r.Key);
            EXPECT_EQ(oem->Models.size(), real ? r.ModelsWithReal : r.Models);
            EXPECT_EQ(oem->Aliases.size(), r.Aliases);
            EXPECT_EQ(oem->ModelListMode, r.ModelMode);
            EXPECT_EQ(oem->AliasMode, r.AliasMode);
            EXPECT_EQ(oem->TsplListMode, r.ListMode);
            EXPECT_EQ(oem->ZplListMode, r.ListMode);
            EXPECT_TRUE(oem->ZplList.isEmpty());
            EXPECT_EQ(oem->PrinterManageLayout, r.Layout);
            EXPECT_EQ(oem->VersionMode, r.Version);
        }
    }
    // The cross-border marker entry is one model text holding "____x", a comma and a second name.
    auto cross = CreateOemClass("Label", "Label_CrossBorderEBussiness");
    EXPECT_TRUE(cross->Models.last().contains("____x,"));
    // Programmer-only models of the TA380 brand.
    gRoleFlags.Programmer = true;
    EXPECT_EQ(CreateOemClass("Label", "Label_Grusk_TA380")->Models.size(), 14);

    auto dalp = CreateOemClass("Mobile", "Mobile_DALP");
    EXPECT_EQ(dalp->TsplListMode, 2);
    EXPECT_TRUE(dalp->TsplList.isEmpty());
    EXPECT_EQ(dalp->EscList.count(',') - 1, 1);
    EXPECT_EQ(dalp->CpclList.count(',') - 1, 1);
    EXPECT_TRUE(dalp->Models.isEmpty() && dalp->Aliases.isEmpty());

    TOemClass base;
    EXPECT_EQ(base.TsplListMode, 1);
    EXPECT_EQ(base.ShowLangIdGroup, 1);
    EXPECT_EQ(base.ModelListMode, 0);
    EXPECT_EQ(base.AliasMode, 0);
}

TEST_F(Oem, LookupAliasTakesTheFirstExactName)
{
    TOemClass oem;
    oem.Aliases = {"A=V52", "B=V64", "A=W16", "b=TE62", "C="};
    const struct {
        const char* Name;
        const char* Value;
        bool Found;
    } rows[] = {
        {"A", "V52", true}, {"B", "V64", true}, {"b", "TE62", true},
        {"C", "", true},    {"a", "a", false},  {"V52", "V52", false}, {"", "", false},
    };
    for (const auto& r : rows) {
        bool found = !r.Found;
        EXPECT_EQ(oem.LookupAlias(r.Name, found), QString(r.Value)) << r.Name;
        EXPECT_EQ(found, r.Found) << r.Name;
    }
    TOemClass empty;
    bool found = true;
    EXPECT_EQ(empty.LookupAlias("A", found), "A");
    EXPECT_FALSE(found);
}

TEST_F(Oem, UserDataFolderUnderLocalAppData)
{
    auto channel = CreateOemClass("Label", "Label_Channel");
    channel->InitIdentity();
    const QString expected = DataPath(channel->FolderCode + "/OcUserData/");
    EXPECT_EQ(channel->UserDataDir, expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());
    EXPECT_EQ(channel->FolderCode, "PL10012Cha");
    EXPECT_EQ(channel->OemIdentifier.size(), 32);

    // The base profile has no folder code: no user-data folder of its own.
    auto base = CreateOemClass("Label", "Label_Nobody");
    base->InitIdentity();
    EXPECT_TRUE(base->UserDataDir.isEmpty());
    // A brand without its identifier gets none either.
    TOemClass partial;
    partial.FolderCode = "PL10099Xyz";
    partial.CreateOemUserDataDir();
    EXPECT_TRUE(partial.UserDataDir.isEmpty());
}

TEST_F(Oem, UserDataFolderFallsBackToHomeWithoutADataFolder)
{
    QTemporaryDir home;
    prt::test::ScopedEnv h("HOME", home.path());
    prt::test::ScopedEnv l("LOCALAPPDATA", QString());
    prt::test::ScopedEnv x("XDG_DATA_HOME", QString());
    const QString dir = GetOemDataHomeDir();
    EXPECT_TRUE(dir.startsWith(home.path())) << dir.toStdString();
    EXPECT_TRUE(dir.endsWith('/'));
    auto oem = CreateOemClass("Label", "Label_Zolter");
    oem->InitIdentity();
    EXPECT_TRUE(oem->UserDataDir.startsWith(home.path()));
    EXPECT_TRUE(QFileInfo(oem->UserDataDir).isDir());
}

TEST_F(Oem, LanguageChoicesFollowTheFlags)
{
    prt::SetLangText("Lang_All_00210181_11", "English");
    prt::SetLangText("Lang_All_00210181_12", "Chinese");
    prt::SetLangText("Lang_All_00210181_19", "Korean");
    prt::SetLangText("Lang_All_00210181_15", "French");
    prt::SetLangText("Lang_All_00210329_11", "German");
    prt::SetLangText("Lang_All_00210330_11", "Italian");
    const struct {
        const char* Tool;
        const char* Key;
        QStringList Lines;
        int ShowToolLang;
    } rows[] = {
        {"Label", "Label_Channel", {"2052=Chinese", "1033=English"}, 1},
        {"Label", "Label_RUVALO", {"2052=Chinese", "1033=English", "1042=Korean"}, 1},
        {"Mobile", "Mobile_Dealer", {"2052=Chinese", "1033=English"}, 1},
        {"Label", "Label_Fenwai", {}, 0},
        {"Label", "nothing", {}, 0},
    };
    for (const auto& r : rows) {
        auto oem = CreateOemClass(r.Tool, r.Key);
        QStringList list{"stale"};
        oem->FillLanguageChoices(&list);
        EXPECT_EQ(list, r.Lines) << r.Key;
        EXPECT_EQ(oem->ShowToolLangGroup, r.ShowToolLang) << r.Key;
    }
    TOemClass all;
    all.OfferLang2052 = all.OfferLang1033 = all.OfferLang1042 = all.OfferLang7 =
        all.OfferLang1040 = all.OfferLang1036 = 1;
    QStringList list;
    all.FillLanguageChoices(&list);
    EXPECT_EQ(list, QStringList({"2052=Chinese", "1033=English", "1042=Korean", "7=German",
                                 "1040=Italian", "1036=French"}));
    all.FillLanguageChoices(nullptr);  // no list: nothing
}

TEST_F(Oem, CaptionSuffixIsWorkedOutWhenTheCaptionIsBuilt)
{
    // Created before any language text is loaded, as at start-up.
    auto cross = CreateOemClass("Label", "Label_CrossBorderEBussiness");
    TOemClass& asBase = *cross;
    prt::SetLangText("Lang_All_00210217_12", " (Custom)");
    EXPECT_EQ(asBase.GetCaptionSuffix(), "-- (Custom)");
    prt::SetLangText("Lang_All_00210217_12", "（定制）");  // the language changed
    EXPECT_EQ(asBase.GetCaptionSuffix(), "--（定制）");
    EXPECT_EQ(cross->CaptionMode, 1);
    EXPECT_TRUE(cross->CaptionWord.isEmpty());

    auto channel = CreateOemClass("Label", "Label_Channel");
    EXPECT_TRUE(channel->GetCaptionSuffix().isEmpty());
}
