// Application state: option store, SysPm store (ini and registry-style), profile creation,
// the feature-key test, the model list fill, TConstVar and TFTNVar.
#include "StateFixture.h"
#include "PrtIni.h"
#include "mdlDevNewPrt.h"
#include "mdlKesaVar.h"
#include "mdlLanguage.h"
#include "mdlLinkSeams.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlOemClass.h"
#include "mdlPrinterTypeList.h"
#include "mdlRegStore.h"
#include "mdlValueData.h"

#include <QFileInfo>

namespace {

class KesaVarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreeKesaVar();
        ResetLanguageStateForTest();
        ResetModuleStateForTest();
        BuildModelLists();
    }
    void TearDown() override
    {
        FreeKesaVar();
        FreeConstVar();
        ClearPrinterTypeListState();
        ResetModuleStateForTest();
        ResetLanguageStateForTest();
    }
    void WriteOption(const QByteArray& body)
    {
        core3::TempTree::Write(tree.FilesDir() + "Option.ini", "[Option]\r\n" + body);
    }
    core3::TempTree tree;
};

TEST_F(KesaVarTest, CreationReadsToolTypeAndOemKeyOfOptionIni)
{
    WriteOption("ToolType=Label\r\nOemCo=Label_Channel\r\n");
    gFactoryFlag = true;
    gKeyFrameOpByte = 0;
    TKesaVar* k = GetKesaVar();
    EXPECT_EQ(GetKesaVar(), k);
    EXPECT_TRUE(k->IsOptionPathSet);
    EXPECT_TRUE(k->IsOptionIni);
    EXPECT_EQ(k->OptionIniPath, tree.FilesDir() + "Option.ini");
    EXPECT_EQ(k->ToolType, "Label");
    EXPECT_EQ(k->OemCo, "Label_Channel");
    EXPECT_TRUE(k->IsFactory);
    EXPECT_EQ(k->KeyFrameOpByte, 0);
    ASSERT_NE(k->GetDevNewPrt(), nullptr);
    ASSERT_NE(k->GetFtnVar(), nullptr);
    EXPECT_EQ(k->GetOem(), nullptr);
    EXPECT_EQ(k->ReadOptionValue("Option", "Missing"), "");
}

TEST_F(KesaVarTest, MissingOptionIniReadsEmpty)
{
    TKesaVar* k = GetKesaVar();
    EXPECT_EQ(k->ToolType, "");
    EXPECT_EQ(k->OemCo, "");
    EXPECT_FALSE(QFileInfo::exists(tree.FilesDir() + "Option.ini")) << "Option.ini is never written";
}

TEST_F(KesaVarTest, OptionStoreInTheRegistryStore)
{
    TKesaVar* k = GetKesaVar();
    k->IsOptionIni = false;
    EXPECT_EQ(k->ReadOptionValue("Option", "ToolType"), "");
    EXPECT_TRUE(TRegStore::KeyExists(KesaRegOptionKey)) << "the key is created when missing";
    ASSERT_TRUE(TRegStore::WriteString(KesaRegOptionKey, "ToolType", "Mobile"));
    EXPECT_EQ(k->ReadOptionValue("Option", "ToolType"), "Mobile");
    EXPECT_TRUE(TRegStore::FileOfKey(KesaRegOptionKey).startsWith(tree.ConfigDir()));
}

TEST_F(KesaVarTest, ProfileWithoutUserDataFolderUsesKesaUtilityAndWritesAnEmptyToolLang)
{
    TKesaVar* k = GetKesaVar();
    k->CreateOemObject("Mobile", "Label_Channel");  // a Label key with "Mobile": base profile
    ASSERT_NE(k->GetOem(), nullptr);
    EXPECT_EQ(FindOemProfileRow("Mobile", "Label_Channel"), -1);
    EXPECT_EQ(k->GetOem()->ToolType, "Mobile");
    EXPECT_EQ(k->GetOem()->OemCo, "Label_Channel");
    const QString dir = tree.DataDir() + "KesaUtility/";
    EXPECT_EQ(k->GetOem()->UserDataDir, dir);
    EXPECT_EQ(k->SysPmIniPath, dir + "PrtConfig_SysPm.ini");
    EXPECT_EQ(k->SysPmSection, "SysPm");
    EXPECT_EQ(k->ToolLangKey, "ToolLang");
    EXPECT_TRUE(k->IsSysPmIni);
    prt::IniFile ini;
    ASSERT_TRUE(ini.load(k->SysPmIniPath));
    EXPECT_EQ(ini.sections(), QStringList{"SysPm"});
    EXPECT_EQ(ini.keys("SysPm"), QStringList{"ToolLang"});
    EXPECT_EQ(k->ToolLangValue, "");

    k->WriteSysPmValue("SysPm", "ToolLang", "1033");
    EXPECT_EQ(k->ReadSysPmValue("SysPm", "ToolLang"), "1033");
}

TEST_F(KesaVarTest, RememberedToolLangIsKeptAndNothingIsWritten)
{
    const QString path = tree.DataDir() + "KesaUtility/PrtConfig_SysPm.ini";
    const QByteArray body = "; mine\r\n[SysPm]\r\nToolLang=2052\r\n";
    core3::TempTree::Write(path, body);
    TKesaVar* k = GetKesaVar();
    k->CreateOemObject("Label", "NoSuchBrand");
    EXPECT_EQ(k->ToolLangValue, "2052");
    EXPECT_EQ(core3::TempTree::Read(path), body);
}

TEST_F(KesaVarTest, BrandProfileKeepsItsOwnUserDataFolder)
{
    TKesaVar* k = GetKesaVar();
    k->CreateOemObject("Label", "Label_Channel");
    ASSERT_NE(k->GetOem(), nullptr);
    const QString dir = k->GetOem()->UserDataDir;
    EXPECT_TRUE(dir.endsWith("/OcUserData/")) << dir.toStdString();
    EXPECT_EQ(k->SysPmIniPath, dir + "PrtConfig_SysPm.ini");
    EXPECT_TRUE(QFileInfo::exists(k->SysPmIniPath));
}

TEST_F(KesaVarTest, SysPmStoreInTheRegistryStore)
{
    TKesaVar* k = GetKesaVar();
    k->CreateOemObject("Label", "NoSuchBrand");
    k->IsSysPmIni = false;
    EXPECT_EQ(k->ReadSysPmValue("SysPm", "ToolLang"), "");
    k->WriteSysPmValue("SysPm", "ToolLang", "1042");
    EXPECT_EQ(k->ReadSysPmValue("SysPm", "ToolLang"), "1042");
    EXPECT_EQ(k->ReadSysPmValue("Other", "ToolLang"), "");
    // The section is a subkey of CfgSysPm, the key a value name.
    const QString sub = QString(KesaRegSysPmKey) + "\\SysPm";
    EXPECT_EQ(TRegStore::ReadString(sub, "ToolLang"), "1042");
    EXPECT_EQ(TRegStore::ValueNames(sub), QStringList{"ToolLang"});
    // The ini file was not touched by the registry writes.
    prt::IniFile ini;
    ini.load(k->SysPmIniPath);
    EXPECT_EQ(ini.readString("SysPm", "ToolLang"), "");
}

TEST_F(KesaVarTest, RegistryStoreKeepsAwkwardTextsAndComparesNamesWithoutCase)
{
    const QString key = "Software\\Prt\\Prt_20191009\\Test\\..\\Sub";
    const QString value = "a=b\\c\r\nline 2 ;x";
    ASSERT_TRUE(TRegStore::WriteString(key, "Name=1", value));
    ASSERT_TRUE(TRegStore::WriteString(key, "Other", "o"));
    EXPECT_EQ(TRegStore::ReadString(key, "Name=1"), value);
    EXPECT_EQ(TRegStore::ReadString(key, "NAME=1"), value);
    EXPECT_EQ(TRegStore::ReadString("software/PRT/prt_20191009/test/../sub", "other"), "o");
    ASSERT_TRUE(TRegStore::WriteString(key, "other", "p"));
    EXPECT_EQ(TRegStore::ValueNames(key), QStringList({"Name=1", "Other"}));
    EXPECT_EQ(TRegStore::ReadString(key, "Other"), "p");
    EXPECT_EQ(TRegStore::ReadString(key, "none", "def"), "def");
    EXPECT_FALSE(TRegStore::ValueExists(key, "none"));
    // ".." is a key name, never a step out of the store.
    EXPECT_TRUE(TRegStore::FileOfKey(key).startsWith(tree.ConfigDir() + "Registry/"));
    EXPECT_TRUE(TRegStore::FileOfKey(key).contains("/%../"));
    EXPECT_TRUE(TRegStore::FileOfKey("").isEmpty());
    EXPECT_FALSE(TRegStore::WriteString("", "a", "b"));
}

TEST_F(KesaVarTest, FeatureKeyTest)
{
    TKesaVar* k = GetKesaVar();
    TDevNewPrt* con = k->GetDevNewPrt();
    con->CreateDevice(1);
    ASSERT_NE(con->Device, nullptr);

    // The empty model answers true exactly for the lists with an empty entry.
    const struct {
        const char* key;
        bool emptyModel;
    } keys[] = {
        {"FTNNo_WifiSet_0", false},           {"FTNNo_WifiSet_0_Type1", true},
        {"FTNNo_WifiSet_0_Type2_L46", false}, {"FTNNo_WifiReset_0", false},
        {"FTNNo_AdvancedSettings_0", true},   {"FTNNo_Bluetooth_0_SetBTFun", false},
        {"FTNNo_Bluetooth_0_SetBTFun2", true}, {"FTNNo_ProtocolTypeGet_0", true},
        {"FTNNo_ReadPrtBasicInfo_0", true},   {"FTNNo_WifiSet_0_RestoreFEsc", false},
        {"FTNNo_btnPrintText_0", false},
    };
    con->Device->ModelName.clear();
    for (const auto& c : keys) {
        QString list = "stale";
        EXPECT_EQ(k->CheckFtnNoModel(c.key, list), c.emptyModel) << c.key;
        EXPECT_FALSE(list.isEmpty() && QString(c.key) != "FTNNo_btnPrintText_0") << c.key;
    }
    QString list = "stale";
    EXPECT_FALSE(k->CheckFtnNoModel("FTNNo_Unknown", list));
    EXPECT_EQ(list, "");
    EXPECT_FALSE(k->CheckFtnNoModel("ftnno_wifiset_0", list)) << "keys compare exactly";

    con->Device->ModelName = GetModelName_V64();
    EXPECT_TRUE(k->CheckFtnNoModel("FTNNo_ReadPrtBasicInfo_0", list));
    EXPECT_EQ(list, ValueData::FtnReadPrtBasicInfo0());
    // Its other models are ones the USB identity check knows, so their guarded functions
    // really check the attached printer.
    const QStringList basicInfo = list.split(',', Qt::SkipEmptyParts);
    EXPECT_EQ(basicInfo.size(), 6);
    for (const QString& m : basicInfo) {
        con->Device->ModelName = m;
        EXPECT_TRUE(k->CheckFtnNoModel("FTNNo_ReadPrtBasicInfo_0", list)) << m.toStdString();
        if (m != GetModelName_V64()) {
            EXPECT_TRUE(UsbCheckGateModels.contains("," + m + ",")) << m.toStdString();
        }
    }
    con->Device->ModelName = GetModelName_L46();
    EXPECT_TRUE(k->CheckFtnNoModel("FTNNo_WifiSet_0_Type2_L46", list));
    EXPECT_FALSE(k->CheckFtnNoModel("FTNNo_Bluetooth_0_SetBTFun", list));
    EXPECT_EQ(list, ",");
    k->GetFtnVar()->NIsbtnPrintText = "," + GetModelName_L46() + ",";
    EXPECT_TRUE(k->CheckFtnNoModel("FTNNo_btnPrintText_0", list));
}

TEST_F(KesaVarTest, FeatureKeyTestWithoutDeviceUsesTheEmptyModel)
{
    TKesaVar* k = GetKesaVar();
    QString list;
    EXPECT_TRUE(k->CheckFtnNoModel("FTNNo_WifiSet_0_Type1", list));
    EXPECT_FALSE(k->CheckFtnNoModel("FTNNo_WifiSet_0", list));
}

TEST_F(KesaVarTest, PrinterModelListByProfileMode)
{
    core3::TempTree::Write(tree.FilesDir() + "CompanyPrinterList_Label.txt", "G1\r\n  \r\nG2 \r\n\r\n");
    TKesaVar* k = GetKesaVar();
    k->CreateOemObject("Label", "NoSuchBrand");
    k->GetOem()->Models = QStringList{"P1", "G1"};
    const struct {
        int mode;
        QStringList lines;
    } cases[] = {
        {0, {"G1", "G2 "}},
        {1, {"P1", "G1"}},
        {2, {"G1", "G2 ", "P1", "G1"}},
        {7, {"G1", "G2 "}},
    };
    for (const auto& c : cases) {
        k->GetOem()->ModelListMode = c.mode;
        QStringList target{"old"};
        k->FillPrinterModelList(&target);
        EXPECT_EQ(target, c.lines) << "mode " << c.mode;
    }
    // Mode 2 with an empty company file gives only the profile's models.
    core3::TempTree::Write(tree.FilesDir() + "CompanyPrinterList_Label.txt", "");
    k->GetOem()->ModelListMode = 2;
    QStringList target;
    k->FillPrinterModelList(&target);
    EXPECT_EQ(target, QStringList({"P1", "G1"}));
    k->FillPrinterModelList(nullptr);
}

TEST_F(KesaVarTest, PrinterModelListIsShownInDebugMode)
{
    core3::TempTree::Write(tree.FilesDir() + "CompanyPrinterList_Label.txt", "G1\nG2\n");
    core3::TempTree::Write(tree.Root() + "dev/xx46027193850461/dfile46027193850461.txt", "x");
    core3::TempTree::Write(tree.ProgDir() + "x58316204972635.txt", "x");
    TKesaVar* k = GetKesaVar();
    prt::test::MsgBoxRecorder boxes;
    QStringList target;
    k->FillPrinterModelList(&target);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, "Test_PrtList____x:,G1,G2");
}

TEST_F(KesaVarTest, ConstVarDefaultsAndTheLinkSeam)
{
    const int defaults[22] = {1, 0, 0, 1, 2, 2, 1, 0, 1, 1, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 1, 2};
    TConstVar* c = GetConstVar();
    for (int i = 1; i <= 22; ++i)
        EXPECT_EQ(c->Value(i), defaults[i - 1]) << "position " << i;
    EXPECT_EQ(c->Value(0), 0);
    EXPECT_EQ(c->Value(23), 0);
    c->SetValue(13, 7);
    EXPECT_EQ(LinkConstVar(13), 7) << "the device classes read the codes through the link seam";
    EXPECT_EQ(LinkConstVar(5), 2);
    FreeConstVar();
    EXPECT_EQ(LinkConstVar(5), 0);
    EXPECT_EQ(GetConstVar()->Value(13), 0) << "a new object starts from the defaults";
}

class FtnVarTest : public KesaVarTest {
protected:
    void WriteTypeList(const QByteArray& body)
    {
        core3::TempTree::Write(tree.FilesDir() + "PrinterTypeList_Mobile.ini", "[ParameterSet]\r\n" + body);
    }
};

TEST_F(FtnVarTest, LoadReadsTheFeatureListsAndKeepsTheNineListsEmpty)
{
    WriteTypeList("NIsbtnPrintText=,A,\r\nIsbtnSetArabic=,B,\r\nIsbtnDownloadImages=,C,\r\n"
                  "L44_ParameterSetting=,D,\r\nL46_ParameterSetting=,E,\r\n");
    TFTNVar v;
    v.LoadFrom("PrinterTypeList_Mobile.ini", "Mobile", "Mobile_Printer");
    EXPECT_EQ(v.NIsbtnPrintText, ",A,");
    EXPECT_EQ(v.IsbtnSetArabic, ",B,");
    EXPECT_EQ(v.IsbtnDownloadImages, ",C,");
    EXPECT_EQ(v.L44_ParameterSetting, ",D,");
    EXPECT_EQ(v.L46_ParameterSetting, ",E,");
    for (const QString& l : v.Lists)
        EXPECT_EQ(l, ",");
    EXPECT_EQ(v.ModelsCommaList, "," + v.ModelNames[0] + "," + v.ModelNames[1] + "," +
                                     ValueData::FtnFixedModelA() + "," + v.ModelNames[2] + "," +
                                     ValueData::FtnFixedModelB() + ",");
}

TEST_F(FtnVarTest, DalpProfileUsesItsOwnPrintTextListAndReportsMismatches)
{
    TFTNVar v;
    const QString dalp = ValueData::DalpOemKey();
    ASSERT_FALSE(dalp.isEmpty());
    const QString good3 = "," + GetModelName_L44() + "," + ValueData::FtnDalpFixedModel() + ",";
    const QString good4 = "," + GetModelName_L46() + ",";
    WriteTypeList(("NIsbtnPrintText=,X,\r\nIsbtnSetArabic=" + good3 + "\r\nIsbtnDownloadImages=,wrong,\r\n"
                   "L44_ParameterSetting=" + good3 + "\r\nL46_ParameterSetting=,wrong,\r\n")
                      .toUtf8());
    prt::test::MsgBoxRecorder boxes;
    v.LoadFrom("PrinterTypeList_Mobile.ini", "Mobile", dalp);
    EXPECT_EQ(v.NIsbtnPrintText, ValueData::FtnDalpPrintTextModels());
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_EQ(boxes.calls()[0].text, QString::fromUtf8("配置信息不一致:图片下载(ERRNO:20191101_102602)"));
    EXPECT_EQ(boxes.calls()[1].text, QString::fromUtf8("配置信息不一致:参数设置(ERRNO:20191101_104401)"));
    EXPECT_EQ(v.IsbtnDownloadImages, ",wrong,") << "loading continues with the value read";

    // The Dalp key with the Label tool: the file's print-text list, still checked.
    boxes.clear();
    WriteTypeList(("NIsbtnPrintText=,X,\r\nIsbtnSetArabic=" + good3 + "\r\nIsbtnDownloadImages=" + good3 +
                   "\r\nL44_ParameterSetting=" + good3 + "\r\nL46_ParameterSetting=" + good4 + "\r\n")
                      .toUtf8());
    v.LoadFrom("PrinterTypeList_Mobile.ini", "Label", dalp);
    EXPECT_EQ(v.NIsbtnPrintText, ",X,");
    EXPECT_TRUE(boxes.calls().empty());

    // The shipped Mobile list carries the values the brand checks: no message at start.
    QFile::remove(tree.FilesDir() + "PrinterTypeList_Mobile.ini");
    ASSERT_TRUE(QFile::copy(prt::test::SourceDir() + "/files/PrinterTypeList_Mobile.ini",
                            tree.FilesDir() + "PrinterTypeList_Mobile.ini"));
    v.LoadFrom("PrinterTypeList_Mobile.ini", "Mobile", dalp);
    EXPECT_TRUE(boxes.calls().empty());
    EXPECT_EQ(v.L46_ParameterSetting, good4);
}

} // namespace

#include "mdlASetFtnA.h"
#include "mdlFtnA_Base.h"

namespace {

TEST_F(KesaVarTest, NameResolutionPresetsItsOutputsAndForwardsToTheDescriptor)
{
    TKesaVar* k = GetKesaVar();
    FreeCurrentFtnA();
    QString model = "stale", protocol = "stale";
    bool flag = false, found = true;
    k->ResolveModelNameByFtnA("X", model, found);
    EXPECT_EQ(model, "");
    EXPECT_FALSE(found);
    k->ResolvePrinterNameByFtnA("X", "VID_0000&PID_0000", model, protocol, flag, found);
    EXPECT_EQ(model, "");
    EXPECT_EQ(protocol, "");
    EXPECT_TRUE(flag);
    EXPECT_FALSE(found);

    auto* d = new TFtnABase();
    d->ExtraNamesList = ",X,";
    d->ExtraName1 = "E1";
    d->ExtraName2 = "E2";
    SetCurrentFtnA(d);
    k->ResolveModelNameByFtnA("X", model, found);
    EXPECT_TRUE(found);
    EXPECT_EQ(model, "E1,E2");
    k->ResolveModelNameByFtnA("Y", model, found);
    EXPECT_FALSE(found);
    EXPECT_EQ(model, "");
    FreeCurrentFtnA();
}

} // namespace
