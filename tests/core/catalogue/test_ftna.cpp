// Feature descriptors, the flag setter, the current descriptor, the printer-map resolution
// and the USB-id resolution rows.
#include "CatalogueFixture.h"

#include "FakeEngine.h"
#include "mdlFtnA_Base.h"
#include "mdlModelData.h"
#include "mdlOemClass.h"
#include "mdlPrinterLib.h"
#include "mdlPrtDll.h"

#include <typeinfo>

using Ftna = Core2Test;


TEST_F(Ftna, FactoryCreatesTheClassOfTheModelAndMakesItCurrent)
{
    const struct {
        QString Model;
        const std::type_info& Type;
    } rows[] = {
        {"HB25", typeid(TFtnA_HB25)},
        {"TA380", typeid(TFtnA_TheTA380)},
        {"SN723", typeid(TFtnA_TheSN723)},
        {"QT-V64", typeid(TFtnA_TheQT_V64)},
        {"QT-V64BT", typeid(TFtnA_TheQT_V64BT)},
        {"Y7", typeid(TFtnA_TheY7)},
        {"Kastor Y7", typeid(TFtnA_TheKastor_Y7)},
        {"TE62BT", typeid(TFtnA_TheTE62BT)},
        {"Y7BT", typeid(TFtnA_TheY7BT)},
        {"TE62", typeid(TFtnA_TheTE62)},
        {"GS-PR540D", typeid(TFtnA_TheGS_PR540D)},
        {"GS-PR540X", typeid(TFtnA_TheGS_PR540X)},
        {"V52", typeid(TFtnABase)},
        {"ta380", typeid(TFtnABase)},
        {"", typeid(TFtnABase)},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Model.toStdString());
        TFtnABase* d = CreateFtnAByModel(r.Model);
        const TFtnABase& ref = *d;
        EXPECT_EQ(typeid(ref), r.Type);
        EXPECT_EQ(GetCurrentFtnA(), d);
        EXPECT_EQ(GetCurrentFtnA2(), d);
        EXPECT_TRUE(d->ResetLock);
    }
    // Filled by the slots after the reset.
    TFtnABase* ta = CreateFtnAByModel("TA380");
    EXPECT_EQ(ta->ModelName, "TA380");
    EXPECT_EQ(ta->ExactName, "TA380");
    EXPECT_EQ(ta->RowAList, FtnA_TA380_RowAModels);
    EXPECT_EQ(ta->UsbId3, GetUsbId_VendorB_9006());
    ta->Reset();  // locked: a second reset keeps the fields
    EXPECT_EQ(ta->ModelName, "TA380");
    ta->Unlock();
    ta->Reset();
    EXPECT_TRUE(ta->ModelName.isEmpty());
    EXPECT_EQ(ta->RowAPredicate, nullptr);
    EXPECT_TRUE(ta->ResetLock);
}

TEST_F(Ftna, FactoryRunsTheSlotsInOrderAfterTheReset)
{
    // The later slots build on the names of the first one: row E answers the base name and
    // the extra names are the USB ids, so both exist only when slot 1 ran first.
    TFtnABase* d = CreateFtnAByModel("HB25");
    EXPECT_EQ(d->BaseName, "W16");
    EXPECT_EQ(d->RowEResult, "W16");
    EXPECT_EQ(d->ExtraName1, GetUsbId_VendorA_7008());
    EXPECT_EQ(d->ExtraName2, GetUsbId_VendorB_9008());
    EXPECT_EQ(d->RowDResult, GetModelName_W16_Var());
    EXPECT_EQ(d->ExactResult, "W16");
    EXPECT_TRUE(d->ResetLock);  // the reset ran before the slots and locked
}

TEST_F(Ftna, MatchPrinterNameByVersionId)
{
    const struct {
        bool On, V2;
        const char* Id;
        bool Found;
        const char* Result;
    } rows[] = {
        {true, true, "1", true, "Model"},  {true, true, "2", true, "Base"},
        {true, false, "2", false, ""},     {true, true, "99", false, ""},
        {true, true, "0", false, ""},      {false, true, "1", false, ""},
        {false, true, "2", false, ""},
    };
    for (const auto& r : rows) {
        TFtnABase d;
        d.ModelName = "Model";
        d.BaseName = "Base";
        d.VersionMatchOn = r.On;
        d.Version2Offered = r.V2;
        bool found = !r.Found, flag = false;
        QString text = "stale";
        EXPECT_EQ(d.MatchPrinterName(r.Id, found, flag, text), QString(r.Result)) << r.Id;
        EXPECT_EQ(found, r.Found) << r.Id;
        EXPECT_TRUE(flag);
        EXPECT_TRUE(text.isEmpty());
    }
    // A model none of the twelve classes knows finds nothing.
    bool found = true, flag = false;
    QString text;
    EXPECT_TRUE(CreateFtnAByModel("V52")->MatchPrinterName("1", found, flag, text).isEmpty());
    EXPECT_FALSE(found);
}

TEST_F(Ftna, VersionListLinesAndManagerEntries)
{
    prt::SetLangText("Lang_All_00210373_11", "FW [{0}] [{0}]");
    prt::SetLangText("Lang_All_00210351_11", "Firmware");
    prt::SetLangText("Lang_All_00010002_11", ":");
    prt::SetLangText("Lang_All_00210378_11", "Test");
    struct Row {
        bool V1Detailed, V2, V2IsV2, V2IsV4, V99;
        QStringList Lines;
        QString LastValue;
    };
    const Row rows[] = {
        {false, false, false, false, false, {"0=", "1=1"}, "1"},
        {true, false, false, false, false, {"0=", "1=1(FW V1.04.XX [{0}])"}, "Firmware:FW V1.04.XX [{0}]"},
        {false, true, false, false, false, {"0=", "1=1", "2=2"}, "2"},
        {false, true, true, true, false, {"0=", "1=1", "2=2(FW V2.XX.XX [{0}])"}, "Firmware:FW V2.XX.XX [{0}]"},
        {false, true, false, true, false, {"0=", "1=1", "2=2(FW V4.XX.XX [{0}])"}, "Firmware:FW V4.XX.XX [{0}]"},
        {false, false, true, false, true, {"0=", "1=1", "99=99(Test)"}, "Test"},
    };
    for (const Row& r : rows) {
        TFtnA_TheTempA d;
        d.Version1Detailed = r.V1Detailed;
        d.Version2Offered = r.V2;
        d.Version2IsV2 = r.V2IsV2;
        d.Version2IsV4 = r.V2IsV4;
        d.Version99Offered = r.V99;
        QStringList list{"old"};
        TObj_Ult_PrtVerOfToolMg mg;
        mg.Add("x", "x", "x");
        d.FillVersionList(&list, &mg);
        EXPECT_EQ(list, r.Lines);
        ASSERT_EQ(mg.Count(), r.Lines.size());
        EXPECT_EQ(mg.Item(0)->Id, "0");
        EXPECT_TRUE(mg.Item(0)->Display.isEmpty());
        EXPECT_EQ(mg.Item(mg.Count() - 1)->Value, r.LastValue);
        bool found = false;
        const QString lastDisplay = mg.Item(mg.Count() - 1)->Display;
        EXPECT_EQ(FindPrtVerOfTool(lastDisplay, &mg, found), r.LastValue);
        EXPECT_TRUE(found);
    }
    TFtnABase d;
    QStringList list{"kept"};
    d.FillVersionList(&list, nullptr);  // needs both
    EXPECT_EQ(list, QStringList{"kept"});
    bool found = true;
    TObj_Ult_PrtVerOfToolMg mg;
    EXPECT_TRUE(FindPrtVerOfTool("1", &mg, found).isEmpty());
    EXPECT_FALSE(found);
}

TEST_F(Ftna, FlagSetterAppliesTheLists)
{
    CreateASetFtnA();
    ASSERT_NE(GetASetFtnA(), nullptr);
    const struct {
        const char* Model;
        bool On, V2, V1D, IsV2, IsV4, Extra;
    } rows[] = {
        {"TA380", true, true, true, true, false, false},
        {"QT-V64", true, true, true, false, true, false},
        {"HB25", true, false, false, false, false, true},
        {"W16", false, false, false, false, false, true},
        {"X", false, false, false, false, false, false},
    };
    for (const auto& r : rows) {
        TFtnA_TheTempA d;
        d.ExtraModelFlag = !r.Extra;
        GetASetFtnA()->SetFlags(&d, r.Model);
        EXPECT_EQ(d.VersionMatchOn, r.On) << r.Model;
        EXPECT_EQ(d.Version2Offered, r.V2) << r.Model;
        EXPECT_EQ(d.Version1Detailed, r.V1D) << r.Model;
        EXPECT_EQ(d.Version2IsV2, r.IsV2) << r.Model;
        EXPECT_EQ(d.Version2IsV4, r.IsV4) << r.Model;
        EXPECT_EQ(d.ExtraModelFlag, r.Extra) << r.Model;
    }
    // Version 99: a listed model without the "Real" marker keeps what it had.
    TFtnA_TheTempA d;
    GetASetFtnA()->SetModelListFlags(&d, "V64");
    EXPECT_FALSE(d.Version99Offered);
    d.Version99Offered = true;
    GetASetFtnA()->SetModelListFlags(&d, "V64");
    EXPECT_TRUE(d.Version99Offered);
    GetASetFtnA()->SetModelListFlags(&d, "V52");  // not listed: cleared
    EXPECT_FALSE(d.Version99Offered);
    MakeRealMarker();
    GetASetFtnA()->SetModelListFlags(&d, "V64");
    EXPECT_TRUE(d.Version99Offered);
    FreeASetFtnA();
    EXPECT_EQ(GetASetFtnA(), nullptr);
}

TEST_F(Ftna, FreeingTheCurrentDescriptorClearsBothReferences)
{
    auto* first = new TFtnABase;
    SetCurrentFtnA(first);
    EXPECT_EQ(GetCurrentFtnA2(), first);
    TFtnABase* second = CreateFtnAByModel("TE62");  // replaces and frees the first
    EXPECT_EQ(GetCurrentFtnA(), second);
    EXPECT_EQ(GetCurrentFtnA2(), second);
    FreeCurrentFtnA();
    EXPECT_EQ(GetCurrentFtnA(), nullptr);
    EXPECT_EQ(GetCurrentFtnA2(), nullptr);
    FreeCurrentFtnA();  // empty: nothing
    EXPECT_EQ(GetCurrentFtnA2(), nullptr);
}

TEST_F(Ftna, ModelKeysMapToTheirBaseFamily)
{
    const struct {
        QString Name, Result;
        bool Found;
    } rows[] = {
        {GetModelName_Y7_Hex(), "V52", true},
        {GetModelName_Y7_01(), "W16", true},
        {GetModelName_Y7BT_01_Hex(), "W16", true},
        {"V52BT", "V52", true},
        {"v52bt", "v52bt", false},
        {"Y7", "Y7", false},
        {"", "", false},
    };
    for (const auto& r : rows) {
        bool found = !r.Found;
        EXPECT_EQ(MapModelKeyToBase(r.Name, found), r.Result) << r.Name.toStdString();
        EXPECT_EQ(found, r.Found) << r.Name.toStdString();
    }
}

TEST_F(Ftna, UsbIdResolutionRows)
{
    const QString a = DevicePath(GetUsbId_VendorA_7008());
    const QString b = DevicePath(GetUsbId_VendorB_9008());
    const QString c = DevicePath(GetUsbId_VendorB_9006());
    struct Row {
        const char* Descriptor;
        QString Model, Identity;
        bool NameRow, Found;
        QString Result, Vpid;
    };
    const Row rows[] = {
        {"TA380", "TA380", a, false, true, "TA380", GetUsbId_VendorA_7008()},
        {"TA380", "TA380", b, false, true, "TA380B", GetUsbId_VendorB_9008()},
        {"TA380", "TA380", c, false, true, "TA380B", GetUsbId_VendorB_9006()},   // row C
        {"TA380", "TA380", "USB\\VID_1234&PID_0001", false, false, "untouched", ""},
        {"TA380", "TA380", "USB\\VID_1234&PID_0001", true, true, "TA380", ""},  // exact-name row
        {"TA380", "V52", a, true, false, "untouched", ""},                      // not in any row
        {"GS-PR540X", "V52", b, false, true, "GS-PR540X(02)", GetUsbId_VendorB_9008()},  // row B always
        {"GS-PR540X", "V52", a, false, false, "untouched", ""},                 // row A list empty
        {"GS-PR540X", "V52", c, false, true, "GS-PR540X(02)", GetUsbId_VendorB_9006()},
        {"Kastor Y7", "Kastor Y7", a, false, true, "Kastor Y7", ""},            // ids stay empty
        {"Kastor Y7", "Kastor Y7", c, false, false, "untouched", ""},           // no row C
        {"Kastor Y7", "Kastor Y7", c, true, true, "Y7", ""},
        {"HB25", "HB25", a, false, true, "W16(02)", GetUsbId_VendorA_7008()},
        {"V52", "V52", a, true, false, "untouched", ""},                        // plain descriptor
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.Descriptor) + "/" + r.Model.toStdString() + "/" +
                     r.Identity.toStdString());
        CreateFtnAByModel(r.Descriptor);
        ClearMatchedUsbVpid();
        bool found = !r.Found, matched = !r.Found, flag = false;
        QString result = "untouched", note = "x";
        ResolveModelByUsbId(r.Model, r.Identity, r.NameRow, found, result, matched, flag, note);
        EXPECT_EQ(found, r.Found);
        EXPECT_EQ(matched, r.Found);
        EXPECT_TRUE(flag);
        EXPECT_TRUE(note.isEmpty());
        EXPECT_EQ(result, r.Result);
        EXPECT_EQ(GetMatchedUsbVpid(), r.Vpid);
    }
    // A USB match leaves the Str and No keys in the record of the model.
    CreateFtnAByModel("TE62");
    bool found = false, matched = false, flag = false;
    QString result, note;
    ResolveModelByUsbId("TE62", b, false, found, result, matched, flag, note);
    ASSERT_TRUE(found);
    const QString rec = ExePath("PgmOrCdr/TE62/UsbVidPidCheck_Res.ini");
    EXPECT_EQ(prt::IniReadString(rec, USBCHK_Section, USBCHK_KeyStr), GetUsbId_VendorB_9008());
    EXPECT_EQ(prt::IniReadString(rec, USBCHK_Section, USBCHK_KeyNo), "1");
}

TEST_F(Ftna, SecondStepAndExtraNames)
{
    const QString a = DevicePath(GetUsbId_VendorA_7008());
    const QString b = DevicePath(GetUsbId_VendorB_9008());
    CreateFtnAByModel("HB25");
    const struct {
        QString Model, Identity;
        bool Matched;
        QString Result;
    } rows[] = {
        {"HB25", a, true, "W16(02)"},
        {"HB25", b, true, "W16"},
        {"HB25", DevicePath(GetUsbId_VendorB_9006()), false, "untouched"},
        {"W16", a, false, "untouched"},  // outside the gate list
    };
    for (const auto& r : rows) {
        QString result = "untouched";
        bool flag = false, matched = !r.Matched;
        ResolveModelByUsbIdStep2(r.Model, r.Identity, result, flag, matched);
        EXPECT_EQ(matched, r.Matched) << r.Model.toStdString();
        EXPECT_EQ(result, r.Result) << r.Model.toStdString();
        EXPECT_TRUE(flag);
    }
    bool found = false;
    EXPECT_EQ(GetExtraNamesByModel("HB25", found),
              GetUsbId_VendorA_7008() + "," + GetUsbId_VendorB_9008());
    EXPECT_TRUE(found);
    EXPECT_TRUE(GetExtraNamesByModel("W16", found).isEmpty());
    EXPECT_FALSE(found);
    CreateFtnAByModel("V52");
    EXPECT_TRUE(GetExtraNamesByModel("HB25", found).isEmpty());
    EXPECT_FALSE(found);
}

TEST_F(Ftna, VariantCodeOfTheSelectedModel)
{
    const struct {
        QString Selected;
        int A, B;
    } rows[] = {
        {GetModelName_Y7_01(), 0, 1},
        {GetModelName_Y7_Hex(), 2, 0},
        {"Y7", 0, 0},
    };
    for (const auto& r : rows) {
        TFtnABase* d = CreateFtnAByModel("Y7");
        d->SelModelName = r.Selected;
        d->ApplyVariant(r.Selected);
        EXPECT_EQ(d->VariantA, r.A) << r.Selected.toStdString();
        EXPECT_EQ(d->VariantB, r.B) << r.Selected.toStdString();
    }
}

TEST_F(Ftna, PrinterMapResolutionByAliasMode)
{
    gCurToolType = "Label";
    WriteConfig("PrinterMap.ini", "[Map]\r\nBrandA=V64\r\nEmpty=\r\nY7(01)=TE62\r\n");
    TOemClass mode1, mode2, mode0;
    mode1.AliasMode = 1;
    mode2.AliasMode = 2;
    mode1.Aliases = mode2.Aliases = mode0.Aliases = {"BrandA=V52", "Kast=V52BT"};
    struct Row {
        const TOemClass* Profile;
        const char* Name;
        const char* Result;
    };
    const Row rows[] = {
        {&mode1, "BrandA", "V52"},      // aliases only: the map file is never read
        {&mode2, "BrandA", "V64"},      // map file first
        {&mode0, "BrandA", "V64"},
        {&mode1, "Kast", "V52BT"},      // an alias found: the model-key rule is skipped
        {&mode1, "V52BT", "V52"},       // no alias: the model-key rule
        {&mode2, "W16S", "W16"},        // the W16 alias rule
        {&mode1, "Other", "Other"},     // no alias: the name itself
        {&mode0, "Other", "DEF"},       // map only, nothing found: the default
        {&mode0, "Empty", "DEF"},       // an empty map value counts as not found
        {nullptr, "BrandA", "V64"},
        {&mode2, "Y7(01)", "TE62"},     // found in the map: the model-key rule is skipped
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ResolvePrinterMapModel(r.Name, "DEF", r.Profile), QString(r.Result))
            << r.Name << " mode " << (r.Profile ? r.Profile->AliasMode : -1);
    }
    gCurToolType = "Other";
    EXPECT_TRUE(ResolvePrinterMapModel("Other", "DEF", &mode0).isEmpty());
}

TEST_F(Ftna, PrinterMapResolutionKeepsTheResultUnlessThePluginGivesOne)
{
    gCurToolType = "Label";
    TOemClass mode1;
    mode1.AliasMode = 1;
    mode1.Aliases = {"BrandA=V52", "Quiet=SAME"};
    // Without the command plug-in the alias survives.
    ASSERT_FALSE(IsPrtCommandsDllLoaded());
    EXPECT_EQ(ResolvePrinterMapModel("BrandA", "DEF", &mode1), "V52");

    QDir().mkpath(ExePath("PrtDll"));
    ASSERT_TRUE(QFile::copy(PRT_TEST_CMDS_PLUGIN, ExePath("PrtDll/PrtCommandsDll.so")));
    LoadPrtCommandsDll();
    ASSERT_TRUE(IsPrtCommandsDllLoaded());
    EXPECT_EQ(ResolvePrinterMapModel("BrandA", "DEF", &mode1), "M:V52");
    // The plug-in answers with an empty text for "SAME": the alias result stays.
    EXPECT_EQ(ResolvePrinterMapModel("Quiet", "DEF", &mode1), "SAME");
    FreePrtCommandsDll();
}

TEST_F(Ftna, FrontCommandReportsAFailedWrite)
{
    linktest::FakeEngineScope fake;
    SetPrinterSdkKind(1);
    ASSERT_EQ(PrtCreatePrinter("V64"), 0);
    bool flag = true;
    EXPECT_FALSE(SendFrontCommand(flag, false));
    EXPECT_FALSE(flag);
    EXPECT_EQ(linktest::Fake().written(), QByteArray("ZZZFRONT\r\n"));
    linktest::Fake().writeCodes.push_back(-1);
    EXPECT_TRUE(SendFrontCommand(flag, false));
    EXPECT_TRUE(flag);
}
