// Model catalogue: id texts and predicates, list membership, feature-list lookup, the W16
// alias rule, the RFID lists and the built-in [ParameterSet] defaults.
#include "Core2Fixture.h"

#include "PubBytes.h"
#include "mdlFtnA_Base.h"
#include "mdlModelData.h"
#include "mdlOemClass.h"

#include <QRegularExpression>
#include <set>

using Catalogue = Core2Test;

TEST_F(Catalogue, UsbIdTextsHaveTheDeviceFormAndPredicatesFindThemAnywhere)
{
    const QRegularExpression form("^VID_[0-9A-F]{4}&PID_[0-9A-F]{4}$");
    const struct {
        QString Id;
        UsbIdPredicate Pred;
    } rows[] = {
        {GetUsbId_VendorA_7008(), &IsUsbId_VendorA_7008},
        {GetUsbId_VendorB_9008(), &IsUsbId_VendorB_9008},
        {GetUsbId_VendorB_9006(), &IsUsbId_VendorB_9006},
        {GetUsbId_VendorB_4011(), &IsUsbId_VendorB_4011},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Id.toStdString());
        EXPECT_TRUE(form.match(r.Id).hasMatch());
        EXPECT_TRUE(r.Pred(DevicePath(r.Id)));
        EXPECT_FALSE(r.Pred(DevicePath(r.Id).toLower()));  // case-sensitive
        EXPECT_FALSE(r.Pred(QString()));
        for (const auto& other : rows) {
            if (other.Id != r.Id) {
                EXPECT_FALSE(r.Pred(DevicePath(other.Id)));
            }
        }
    }
    EXPECT_EQ(GetUsbId_VendorA_7008(), "VID_2B5A&PID_7008");
    EXPECT_EQ(GetUsbId_VendorB_9008(), "VID_2B5B&PID_9008");
}

TEST_F(Catalogue, FeatureListLookupFollowsTheTableAndExactMembership)
{
    FTN_PaperWidth_1 = ",TE62,,";
    FTN_Dfu_Head_BinType1 = ",V52,Y7,";
    const struct {
        const char* Feature;
        const char* Model;
        bool Result;
        const char* List;
    } rows[] = {
        {"FTNNo_PaperWidth_1", "TE62", true, ",TE62,,"},
        {"FTNNo_PaperWidth_1", "", true, ",TE62,,"},          // empty entry matches ''
        {"FTNNo_PaperWidth_1", "te62", false, ",TE62,,"},     // case differs
        {"FTNNo_Dfu_Head_BinType1", "Y7", true, ",V52,Y7,"},
        {"FTNNo_Dfu_Head_BinType1", "Y", false, ",V52,Y7,"},  // no substring match
        {"FTNNo_GetFirmwareVer_Type1", "V52", false, ""},     // list not filled
        {"FTN_PaperWidth_1", "TE62", false, ""},              // not a feature name
        {"ftnno_paperwidth_1", "TE62", false, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.Feature) + "/" + r.Model);
        QString list = "stale";
        EXPECT_EQ(FeatureModelListLookup(r.Feature, r.Model, list), r.Result);
        EXPECT_EQ(list, QString(r.List));
    }
    FeatureLookupModel = "V52";
    QString list;
    EXPECT_TRUE(IsFeatureModel("FTNNo_Dfu_Head_BinType1", list));
    EXPECT_TRUE(IsModelInFeatureList("FTNNo_Dfu_Head_BinType1"));
    FeatureLookupModel = "TE62";
    EXPECT_FALSE(IsFeatureModel("FTNNo_Dfu_Head_BinType1"));
}

TEST_F(Catalogue, ModelAliasMapsOnlyItsThreeNamesToW16)
{
    const struct {
        QString Name;
        QString Result;
        bool Found;
    } rows[] = {
        {"W16S", "W16", true},
        {"W16-U", "W16", true},
        {GetModelName_HB25_Var(), "W16", true},
        {"w16s", "w16s", false},
        {"HB25", "HB25", false},
        {"", "", false},
    };
    for (const auto& r : rows) {
        bool found = !r.Found;
        EXPECT_EQ(MapModelAlias(r.Name, found), r.Result) << r.Name.toStdString();
        EXPECT_EQ(found, r.Found) << r.Name.toStdString();
    }
}

TEST_F(Catalogue, RfidListsByToolType)
{
    WriteConfig("PrinterTypeList_Label.ini", "[ParameterSet]\r\nFTN_RfidSet_0=,AK-S770,V64,\r\n");
    const QString second = ",SN723BT,GS-PR540D,QT-V64BT,";

    LoadRfidModelList("Label", "PrinterTypeList_Label.ini");
    EXPECT_TRUE(RfidModels.startsWith(",AK-S770,V64,")) << RfidModels.toStdString();
    EXPECT_EQ(RfidSecondModels, second);

    LoadRfidModelList("Mobile", "PrinterTypeList_Label.ini");
    EXPECT_EQ(RfidModels, ",AK-S770,V52R,");

    RfidSecondModels.clear();
    LoadRfidModelList("Other", "PrinterTypeList_Label.ini");
    EXPECT_EQ(RfidModels, ",AK-S770,V52R,");  // unchanged
    EXPECT_EQ(RfidSecondModels, second);      // rebuilt anyway
}

TEST_F(Catalogue, ListsAreBuiltOnceAndFreedTogether)
{
    EXPECT_FALSE(UsbCheckGateModels.isEmpty());
    UsbCheckGateModels = ",X,";
    BuildModelLists();  // guarded: no second build
    EXPECT_EQ(UsbCheckGateModels, ",X,");
    FTN_GetFirmwareVer_Type1 = ",V52,";
    FeatureLookupModel = "V52";
    FreeModelLists();
    EXPECT_TRUE(UsbCheckGateModels.isEmpty());
    EXPECT_TRUE(CodePageModelsCp.isEmpty());
    EXPECT_TRUE(FTN_GetFirmwareVer_Type1.isEmpty());
    EXPECT_TRUE(FeatureLookupModel.isEmpty());
    BuildModelLists();
    EXPECT_TRUE(IsInCommaList("Y7", UsbCheckGateModels));
    // Every built list is comma-wrapped (or left empty on purpose).
    for (const QString* l : {&UsbCheckGateModels, &FtnFlag_VersionMatchModels, &ReleasePaperModels,
                             &PrintTextModeKeyModels, &ZrFamilyModels, &GuardExemptModels}) {
        EXPECT_TRUE(l->startsWith(',') && l->endsWith(',')) << l->toStdString();
    }
    EXPECT_EQ(RfidNoPrepModels, ",AK-S770,");
    EXPECT_TRUE(IsInCommaList("", PrintTextModeKeyModels));  // holds empty entries
    EXPECT_EQ(GuardExemptModels.count(',') - 1, 8);
    EXPECT_EQ(ZrFamilyModels.count(',') - 1, 5);
    EXPECT_TRUE(SpeedUnfilledModels.isEmpty());
}

TEST_F(Catalogue, BuiltinParameterSetListsCoverTheirKeysExactly)
{
    std::set<std::string> label, mobile;
    for (const auto& r : LabelFeatureKeyLists())
        label.insert(r.Key);
    for (const auto& r : MobileFeatureKeyLists())
        mobile.insert(r.Key);
    EXPECT_EQ(label.size(), 44u);
    EXPECT_EQ(mobile.size(), 6u);

    bool found = false;
    EXPECT_TRUE(IsInCommaList("V52", BuiltinLabelFeatureModels("V52_ParameterSetting", found)));
    EXPECT_TRUE(found);
    EXPECT_TRUE(BuiltinLabelFeatureModels("v52_ParameterSetting", found).isEmpty());
    EXPECT_FALSE(found);
    EXPECT_TRUE(BuiltinLabelFeatureModels("W16P_DFU", found).isEmpty());  // a Mobile key
    EXPECT_FALSE(found);
    EXPECT_TRUE(IsInCommaList("W16P", BuiltinMobileFeatureModels("W16P_DFU", found)));
    EXPECT_TRUE(found);
    EXPECT_FALSE(BuiltinMobileFeatureModels(KEY_PrinterStatusZrQx, found).size());
    EXPECT_TRUE(IsInCommaList("ZR905K", BuiltinLabelFeatureModels(KEY_PrinterStatusZrQx, found)));
}

TEST_F(Catalogue, LanguageKeysReadByTheseModulesExistInBothLanguages)
{
    const char* keys[] = {
        LANGKEY_UsbIdMismatch,     LANGKEY_VersionTemplate, LANGKEY_VersionPrefix1,
        LANGKEY_VersionPrefix2,    LANGKEY_Version99,       LANGKEY_CrossBorderCaption,
        "Lang_All_00210181_11",    "Lang_All_00210181_12",  "Lang_All_00210181_15",
        "Lang_All_00210181_19",    "Lang_All_00210329_11",  "Lang_All_00210330_11",
    };
    for (const char* file : {"UtilityForLabelLanguage.ini", "UtilityForMobileLanguage.ini"}) {
        const QString path = prt::test::SourceDir() + "/files/" + file;
        ASSERT_TRUE(QFileInfo::exists(path)) << path.toStdString();
        for (const char* section : {"1033", "2052"}) {
            for (const char* key : keys) {
                EXPECT_FALSE(prt::IniReadString(path, section, key).isEmpty())
                    << file << " [" << section << "] " << key;
            }
            EXPECT_TRUE(prt::IniReadString(path, section, LANGKEY_VersionTemplate).contains("[{0}]"))
                << file << " [" << section << "]";
        }
    }
}
