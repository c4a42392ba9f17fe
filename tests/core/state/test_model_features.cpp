// Per-printer switches and permission values (ApplyModelFeatures) and the start-up check
// of the TSPL library (CheckTsplSdk).
#include "StateFixture.h"
#include "mdlCurrentPrinter.h"
#include "mdlDevBasePrt.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlModelFeatures.h"
#include "mdlModuleState.h"
#include "mdlOptionLists.h"
#include "mdlPrinterLibApi.h"
#include "mdlPrinterLib_TSPL.h"
#include "mdlPrinterTypeList.h"
#include "mdlPrtDll.h"

#include <QFile>
#include <dlfcn.h>

#ifndef PRT_TEST_CMDS_PLUGIN
#error "PRT_TEST_CMDS_PLUGIN must name the test command plug-in"
#endif

namespace {

QString First(const QString& list)
{
    return list.split(',', Qt::SkipEmptyParts).value(0);
}

int32_t Perm(const char* item)
{
    return PermissionValue(item);
}

class FeaturesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetLanguageStateForTest();
        ResetModuleStateForTest();
        BuildModelLists();
        InitParamGlobals();
    }
    void TearDown() override
    {
        FreePrtCommandsDll();
        ClearCurrentPrinterNames();
        ClearPrinterTypeListState();
        InitParamGlobals();
        ResetLanguageStateForTest();
    }
    // Puts the test command plug-in in place and loads it; returns its log reader.
    void LoadTestPlugin()
    {
        const QString dir = tree.ProgDir() + "PrtDll/";
        QDir().mkpath(dir);
        ASSERT_TRUE(QFile::copy(PRT_TEST_CMDS_PLUGIN, dir + "PrtCommandsDll.so"));
        LoadPrtCommandsDll();
        ASSERT_TRUE(IsPrtCommandsDllLoaded());
        void* h = dlopen((dir + "PrtCommandsDll.so").toLocal8Bit().constData(), RTLD_NOW | RTLD_NOLOAD);
        ASSERT_NE(h, nullptr);
        logFn = reinterpret_cast<void (*)(char16_t*, int32_t)>(dlsym(h, "TestPlugin_Log"));
        clearFn = reinterpret_cast<void (*)()>(dlsym(h, "TestPlugin_ClearLog"));
        dlclose(h);
        ASSERT_NE(logFn, nullptr);
        clearFn();
    }
    QStringList PluginLog() const
    {
        std::u16string buf(200000, u'\0');
        logFn(buf.data(), static_cast<int32_t>(buf.size()));
        return QString::fromUtf16(buf.c_str()).split('\n', Qt::SkipEmptyParts);
    }
    core3::TempTree tree;
    void (*logFn)(char16_t*, int32_t) = nullptr;
    void (*clearFn)() = nullptr;
};

TEST_F(FeaturesTest, SwitchesFollowTheModelLists)
{
    const struct {
        const QString* list;
        int32_t (*get)();
        int32_t value;
    } cases[] = {
        {&ProtocolTypeSwitchModels, ProtocolTypeSwitch, 1},
        {&PaperModeSwitchAModels, PaperModeSwitchA, 2},
        {&PaperModeSwitchBModels, PaperModeSwitchB, 1},
        {&PaperModeQueryOnModels, PaperModeQueryOn, 1},
        {&PrintTextFeedCountModels, PrintTextFeedCount, 3},
    };
    for (const auto& c : cases) {
        const QString model = First(*c.list);
        ASSERT_FALSE(model.isEmpty());
        SetCurrentPrinterNames("row text", model);
        ApplyModelFeatures();
        EXPECT_EQ(c.get(), c.value) << model.toStdString();
        SetCurrentPrinterNames("row text", "NotListedAnywhere");
        ApplyModelFeatures();
        EXPECT_EQ(c.get(), 0) << "values are recomputed for each selection";
    }
}

TEST_F(FeaturesTest, PaperModeKeyKindTakesTheFirstListThatHoldsTheModel)
{
    for (const QString& m : PaperModeKeyKind1Models.split(',', Qt::SkipEmptyParts)) {
        SetCurrentPrinterNames(m, m);
        ApplyModelFeatures();
        EXPECT_EQ(PaperModeKeyKind(), 1) << m.toStdString();
    }
    for (const QString& m : PaperModeKeyKind3Models.split(',', Qt::SkipEmptyParts)) {
        SetCurrentPrinterNames(m, m);
        ApplyModelFeatures();
        const int expected = PaperModeKeyKind1Models.contains("," + m + ",")   ? 1
                             : PaperModeKeyKind2Models.contains("," + m + ",") ? 2
                                                                               : 3;
        EXPECT_EQ(PaperModeKeyKind(), expected) << m.toStdString();
    }
}

TEST_F(FeaturesTest, ExtraKeySwitchByRowTextAndBaseName)
{
    const QString listed = First(ExtraKeySwitchModels);
    const struct {
        QString def, bas;
        int value;
    } cases[] = {
        {"Kastor Y7", listed, 0},  // this row text never gets the extra keys
        {listed, "other", 1},      // row text in the list
        {"other", listed, 1},      // base name in the list
        {"other", "other", 0},
    };
    for (const auto& c : cases) {
        SetCurrentPrinterNames(c.def, c.bas);
        ApplyModelFeatures();
        EXPECT_EQ(ExtraKeySwitch(), c.value) << c.def.toStdString() << "/" << c.bas.toStdString();
    }
}

TEST_F(FeaturesTest, WithoutThePluginOnlyListFixedItemsAreSet)
{
    ASSERT_FALSE(IsPrtCommandsDllLoaded());
    const QString v52 = First(Perm0142020002Models);
    SetCurrentPrinterNames(v52, v52);
    ApplyModelFeatures();
    int nonZero = 0;
    for (const char* item : TParamGlobals::PermissionItemNos())
        nonZero += Perm(item) != 0;
    EXPECT_EQ(Perm("0142020002"), 1);
    EXPECT_EQ(nonZero, 1 + (Perm0302000001Models.contains("," + v52 + ",") ? 1 : 0));
    EXPECT_EQ(ReleasePaperSupported(), ReleasePaperModels.contains("," + v52 + ",") ? 1 : 0);

    // A protocol-type list with no switch and no plug-in stays empty.
    SetCurrentPrinterNames("other", "other");
    ApplyModelFeatures();
    QStringList list;
    FillProtocolTypeList(&list);
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(GetReleasePaperMax(), 127);
}

TEST_F(FeaturesTest, WithThePluginEveryItemIsAskedInOrder)
{
    LoadTestPlugin();
    // The test plug-in answers the last two digits of the item number.
    const QString w16p = First(Perm0103160002Models);
    SetCurrentPrinterNames("row", w16p);
    ApplyModelFeatures();

    QStringList asked;
    for (const QString& line : PluginLog())
        if (line.startsWith("GetPermissionByNo:"))
            asked << line.mid(18);
    QStringList expected;
    for (const char* item : TParamGlobals::PermissionItemNos()) {
        const QString no = QString::fromLatin1(item);
        const bool fixed =
            (no == "0302000001" && Perm0302000001Models.contains("," + w16p + ",")) ||
            (no == "0142020002" && Perm0142020002Models.contains("," + w16p + ",")) ||
            (no == "0103160002" && Perm0103160002Models.contains("," + w16p + ",")) ||
            (no == "0103250002" && Perm0103250002Models.contains("," + w16p + ","));
        if (!fixed)
            expected << no;
        EXPECT_EQ(Perm(item), fixed ? 1 : no.right(2).toInt()) << item;
    }
    EXPECT_EQ(asked, expected);
    EXPECT_EQ(Perm("0103160002"), 1) << "listed model: 1 without asking";
    EXPECT_EQ(Perm("0135000052"), 52);
    EXPECT_EQ(Perm("0102010001"), 1);

    // Readers of the permission values.
    SetCurrentPrinterNames("other", "other");
    ApplyModelFeatures();
    QStringList list;
    FillProtocolTypeList(&list);
    EXPECT_TRUE(list.isEmpty()) << "items 0142031002/0142031006 answer 2 and 6, not 1";
    EXPECT_EQ(GetReleasePaperMax(), 127) << "item 0135000052 answers 52, not 1";
}

// ---- CheckTsplSdk ------------------------------------------------------------------------

struct CountingTspl {
    static inline int creates = 0, destroys = 0, createResult = 0;
    static inline std::u16string lastModel;
    static inline prt::sdk::Handle nextHandle = 40;
    static int Creator(prt::sdk::Lib, prt::sdk::Handle* h, const char16_t* model)
    {
        ++creates;
        lastModel = model ? model : u"";
        *h = createResult == 0 ? nextHandle++ : 0;
        return createResult;
    }
    static int Destroy(prt::sdk::Lib, prt::sdk::Handle* h)
    {
        ++destroys;
        *h = 0;
        return 0;
    }
};

class TsplCheckTest : public FeaturesTest {
protected:
    void SetUp() override
    {
        FeaturesTest::SetUp();
        api = DefaultPrtSdkApi();
        api.PrinterCreator = CountingTspl::Creator;
        api.PrinterDestroy = CountingTspl::Destroy;
        old = SetPrtSdkApi(prt::sdk::Lib::Tspl, &api);
        CountingTspl::creates = CountingTspl::destroys = CountingTspl::createResult = 0;
        SetLabelConfigFileNames();
    }
    void TearDown() override
    {
        TsplDestroyGlobalPrinter();
        SetPrtSdkApi(prt::sdk::Lib::Tspl, old);
        FeaturesTest::TearDown();
    }
    void WriteMap(const QByteArray& body)
    {
        core3::TempTree::Write(tree.FilesDir() + "PrinterMap.ini", "[Map]\r\n" + body);
    }
    PrtSdkApi api{};
    const PrtSdkApi* old = nullptr;
};

TEST_F(TsplCheckTest, NoMapFileOrNoBtn7MappingLeavesTheLibraryAlone)
{
    QString err = "stale";
    EXPECT_TRUE(CheckTsplSdk(err));
    EXPECT_EQ(err, "");
    WriteMap("A=V52\r\nB=btn7\r\n");
    EXPECT_TRUE(CheckTsplSdk(err));
    EXPECT_EQ(CountingTspl::creates, 0);
}

TEST_F(TsplCheckTest, RunsOnItsOwnHandleAndLeavesTheSelectedPrintersObject)
{
    WriteMap("A=V52\r\nB=BTN7\r\n");
    ASSERT_EQ(TsplCreateGlobalPrinter("SELECTED"), 0);
    const prt::sdk::Handle global = TsplGetHandle();
    ASSERT_NE(global, 0u);
    CountingTspl::creates = CountingTspl::destroys = 0;

    QString err = "stale";
    EXPECT_TRUE(CheckTsplSdk(err));
    EXPECT_EQ(err, "");
    EXPECT_EQ(CountingTspl::creates, 1);
    EXPECT_EQ(CountingTspl::destroys, 1);
    EXPECT_EQ(CountingTspl::lastModel, u"") << "no command plug-in: the empty model";
    EXPECT_EQ(TsplGetHandle(), global) << "the selected printer keeps its object";

    CountingTspl::createResult = -3;
    EXPECT_FALSE(CheckTsplSdk(err));
    EXPECT_EQ(err, "TSPL ERR(CRT ERR)");
    EXPECT_EQ(TsplGetHandle(), global);
}

TEST_F(TsplCheckTest, ModelComesFromThePluginTransformation)
{
    WriteMap("B=BTN7\r\n");
    LoadTestPlugin();
    QString err;
    EXPECT_TRUE(CheckTsplSdk(err));
    EXPECT_EQ(CountingTspl::lastModel, u"M:BTN7");
}

} // namespace
