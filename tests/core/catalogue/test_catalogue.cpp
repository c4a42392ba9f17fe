// Model catalogue: id texts and predicates, list membership, feature-list lookup, the W16
// alias rule, the RFID lists and the built-in [ParameterSet] defaults.
#include "CatalogueFixture.h"

#include "PubBytes.h"
#include "mdlFtnA_Base.h"
#include "mdlModelData.h"
#include "mdlKesaVar.h"
#include "mdlOemClass.h"
#include "mdlRfidModels.h"
#include "mdlValueData.h"

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

namespace {

// Every model an operator can pick: the shipped company list and the model lists of every
// branding profile.
std::set<QString> SelectableModels()
{
    std::set<QString> names;
    QFile f(prt::test::SourceDir() + "/files/CompanyPrinterList_Label.txt");
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    for (const QByteArray& line : f.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            names.insert(QString::fromUtf8(line.trimmed()));
    for (const TOemProfileRow& row : OemProfileRows())
        for (const QString& m : row.Models)
            names.insert(m);
    return names;
}

} // namespace

// A rule whose list names a model nobody can select never fires: every built-in list of the
// speed, paper-width, code-page, feature-key and ZR rules names selectable models only.
TEST_F(Catalogue, BuiltinRuleListsNameSelectableModels)
{
    const std::set<QString> selectable = SelectableModels();
    TFTNVar ftn;
    ftn.LoadFrom(ExePath("files/none.ini"), "Label", QString());  // builds the fixed lists
    const struct {
        const char* Name;
        QString List;
    } lists[] = {
        {"speed 3", ValueData::SpeedBuiltinList3()},
        {"speed 4", ValueData::SpeedBuiltinList4()},
        {"speed 6", ValueData::SpeedBuiltinList6()},
        {"forced speed", "," + ValueData::SpeedForce4Model() + ","},
        {"width 48", ValueData::PaperWidthBuiltin48()},
        {"width 72", ValueData::PaperWidthBuiltin72()},
        {"wifi", ValueData::FtnWifiSet0()},
        {"wifi type 1", ValueData::FtnWifiSet0Type1()},
        {"wifi type 2", ValueData::FtnWifiSet0Type2L46()},
        {"wifi reset", ValueData::FtnWifiReset0()},
        {"advanced", ValueData::FtnAdvancedSettings0()},
        {"bluetooth", ValueData::FtnBluetoothSetBTFun2()},
        {"basic info", ValueData::FtnReadPrtBasicInfo0()},
        {"ftn models", ftn.ModelsCommaList},
        {"dalp print text", ValueData::FtnDalpPrintTextModels()},
        {"code page T1", ValueData::CodePageT1ModelList()},
        {"code page cp", CodePageModelsCp},
        {"code page by language", CodePageModelsByLanguage},
        {"code page wide", CodePageModelsWide},
        {"zr family", ZrFamilyModels},
        {"speed force list", SpeedForce4Models},
    };
    for (const auto& l : lists) {
        SCOPED_TRACE(l.Name);
        EXPECT_TRUE(l.List.startsWith(',') && l.List.endsWith(',')) << l.List.toStdString();
        for (const QString& m : l.List.split(',', Qt::SkipEmptyParts))
            EXPECT_TRUE(selectable.count(m)) << m.toStdString() << " cannot be selected";
    }
}

// The one model with the short code-page table is a receipt printer (an ESC/POS model of the
// shipped protocol list), not a label printer.
TEST_F(Catalogue, ShortCodePageTableBelongsToAReceiptModel)
{
    const QString escList = prt::IniReadString(prt::test::SourceDir() + "/files/ProtocolType.ini",
                                               "Protocol", "ESC");
    const QStringList members = ValueData::CodePageT1ModelList().split(',', Qt::SkipEmptyParts);
    ASSERT_EQ(members.size(), 1);
    EXPECT_EQ(members.first(), "Z34");
    EXPECT_TRUE(IsInCommaList(members.first(), escList)) << escList.toStdString();
}
