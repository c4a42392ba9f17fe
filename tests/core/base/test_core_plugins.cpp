// Plug-in loader and wrappers, with and without the test plug-ins.
#include "CoreBaseFixture.h"

#include <dlfcn.h>

namespace {

// Reads and clears the call log of a loaded test plug-in.
QStringList PluginLog(const QString& path)
{
    void* h = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_NOLOAD);
    if (!h)
        return {};
    using LogFn = void (*)(char16_t*, int32_t);
    using ClearFn = void (*)();
    auto log = reinterpret_cast<LogFn>(dlsym(h, "TestPlugin_Log"));
    auto clear = reinterpret_cast<ClearFn>(dlsym(h, "TestPlugin_ClearLog"));
    std::vector<char16_t> buf(65536, 0);
    log(buf.data(), int32_t(buf.size()));
    clear();
    dlclose(h);
    return QString::fromUtf16(buf.data()).split('\n', Qt::SkipEmptyParts);
}

class PluginTest : public CoreBaseTest {
protected:
    void Install(const char* built, const char* name)
    {
        QDir().mkpath(ExePath("PrtDll"));
        QFile::remove(ExePath(QString("PrtDll/") + name));
        ASSERT_TRUE(QFile::copy(built, ExePath(QString("PrtDll/") + name)));
    }
    QString LangPath() const { return ExePath("PrtDll/PrtLangDll.so"); }
    QString CmdsPath() const { return ExePath("PrtDll/PrtCommandsDll.so"); }
};

} // namespace

TEST_F(PluginTest, WithoutPluginsEveryWrapperKeepsItsPresetOutputs)
{
    LoadPrtLangDll();
    LoadPrtCommandsDll();
    EXPECT_FALSE(IsPrtLangDllLoaded());
    EXPECT_FALSE(IsPrtCommandsDllLoaded());
    LangDllInit();
    LangDllSetLanguageID("1033");
    LangDllSetLanguageFile(ExePath("files/x.ini"));
    CmdsDllInit();
    CmdsDllSetIsDebug(true);
    CmdsDllSetBaseDbgPath("p");
    CmdsDllSetLogFile("f");
    CmdsDllSetToolType("Label");
    CmdsDllSetOemCo("o");
    CmdsDllTrySetAppToReady();
    EXPECT_FALSE(CmdsDllGetAppIsReady());
    CmdsDllSetPrinterDefName("a");
    CmdsDllSetPrinterBasName("b");
    CmdsDllDoAfterInitParaSetPermission();
    bool changed = true, flag = true;
    QString result = "preset", text = "preset";
    CmdsDllTransformPrtName("V52", changed, result);
    EXPECT_FALSE(changed);
    EXPECT_EQ(result, "");
    EXPECT_EQ(TransformPrtMapModel("V52"), "");
    EXPECT_EQ(CmdsDllGetPermissionByNo("0121000001", flag, text), 0);
    EXPECT_FALSE(flag);
    EXPECT_EQ(text, "");
    EXPECT_EQ(GetPermissionByNo("0135000001"), 0);
    // Language texts come from the language file.
    WriteConfig("UtilityForLabelLanguage.ini", "[1033]\n_OK=from file\n");
    LangDllReadIni("UtilityForLabelLanguage.ini", "1033", "_OK", text);
    EXPECT_EQ(text, "from file");
    CmdsDllUnInit();
    LangDllUnInit();
    FreePrtLangDll();
    FreePrtCommandsDll();
}

TEST_F(PluginTest, LanguagePluginEntriesAndReader)
{
    Install(PRT_TEST_LANG_PLUGIN, "PrtLangDll.so");
    LoadPrtLangDll();
    ASSERT_TRUE(IsPrtLangDllLoaded());
    EXPECT_EQ(PrtLangDllLoadedEntryCount(), 6);
    PluginLog(LangPath());
    LangDllInit();
    LangDllSetLanguageID("2052");
    LangDllSetLanguageFile(ExePath("files/missing.ini"));  // not there: not called
    WriteConfig("UtilityForLabelLanguage.ini", "[2052]\n_OK=file\n[1042]\n_OK=ko-file\n");
    LangDllSetLanguageFile(ExePath("files/UtilityForLabelLanguage.ini"));
    QString text;
    LangDllReadIni("UtilityForLabelLanguage.ini", "2052", "_OK", text);
    EXPECT_EQ(text, "PLUG[2052]_OK");
    LangDllUnInit();
    const QStringList log = PluginLog(LangPath());
    ASSERT_EQ(log.size(), 5);
    EXPECT_EQ(log[0], "LangInit");
    EXPECT_EQ(log[1], "LangSetLanguageID:2052");
    EXPECT_EQ(log[2], "LangSetLanguageFN_FullName:" + ExePath("files/UtilityForLabelLanguage.ini"));
    EXPECT_EQ(log[3], "LangReadIni:UtilityForLabelLanguage.ini|2052|_OK|keylen=003|size=255");
    EXPECT_EQ(log[4], "LangUnInit");

    // The sections served by the plug-in read through it once (no recursion).
    gCurToolType = "Label";
    EXPECT_EQ(ReadIniString("UtilityForLabelLanguage.ini", "1042", "_OK"), "PLUG[1042]_OK");
    EXPECT_EQ(ReadIniString("UtilityForLabelLanguage.ini", "2052", "_OK"), "file");
    EXPECT_EQ(PluginLog(LangPath()).size(), 1);

    // The text table reads through the plug-in.
    gLangFileName = "UtilityForLabelLanguage.ini";
    gLangId = "2052";
    LoadLanguageStrings();
    EXPECT_EQ(LangStr("Lang_All_00210026_11"), "PLUG[2052]Lang_All_00210026_11");

    // After release the wrappers are no-ops again.
    FreePrtLangDll();
    EXPECT_EQ(PrtLangDllLoadedEntryCount(), 0);
    LangDllReadIni("UtilityForLabelLanguage.ini", "2052", "_OK", text);
    EXPECT_EQ(text, "file");
}

TEST_F(PluginTest, BuffersAreCutAndTerminated)
{
    Install(PRT_TEST_LANG_PLUGIN, "PrtLangDll.so");
    Install(PRT_TEST_CMDS_PLUGIN, "PrtCommandsDll.so");
    LoadPrtLangDll();
    LoadPrtCommandsDll();
    PluginLog(LangPath());
    PluginLog(CmdsPath());
    QString text;
    // An input longer than the buffer arrives cut to 254 characters and terminated.
    LangDllReadIni("f.ini", "1033", QString(300, 'k'), text);
    EXPECT_TRUE(PluginLog(LangPath()).value(0).contains("|keylen=254|")) << PluginLog(LangPath()).join(";").toStdString();
    // An answer that fills the whole buffer is read up to the buffer's end, never past it.
    LangDllReadIni("f.ini", "1033", "OVERFILL", text);
    EXPECT_EQ(text, QString(254, 'x'));

    bool changed = false;
    QString result;
    CmdsDllTransformPrtName(QString(400, 'n'), changed, result);
    EXPECT_TRUE(PluginLog(CmdsPath()).value(0).endsWith("len=254"));
    CmdsDllTransformPrtMapModel("OVERFILL", changed, result);
    EXPECT_TRUE(changed);
    EXPECT_EQ(result, QString(254, 'x'));
}

TEST_F(PluginTest, ReadIniOnlyPluginIsUsedForReadingOnly)
{
    Install(PRT_TEST_LANG_PLUGIN_READINI, "PrtLangDll.so");
    LoadPrtLangDll();
    ASSERT_TRUE(IsPrtLangDllLoaded());
    EXPECT_EQ(PrtLangDllLoadedEntryCount(), 1);
    PluginLog(LangPath());
    LangDllInit();
    LangDllSetLanguageID("1033");
    WriteConfig("x.ini", "");
    LangDllSetLanguageFile(ExePath("files/x.ini"));
    LangDllUnInit();
    EXPECT_TRUE(PluginLog(LangPath()).isEmpty());
    QString text;
    LangDllReadIni("x.ini", "7", "_OK", text);
    EXPECT_EQ(text, "PLUG[7]_OK");
}

TEST_F(PluginTest, CommandPluginCallsAndAnswers)
{
    Install(PRT_TEST_CMDS_PLUGIN, "PrtCommandsDll.so");
    LoadPrtCommandsDll();
    ASSERT_TRUE(IsPrtCommandsDllLoaded());
    EXPECT_EQ(PrtCommandsDllEntryNames().size(), 44);
    QStringList names = PrtCommandsDllEntryNames();
    EXPECT_EQ(names.removeDuplicates(), 0);
    EXPECT_EQ(PrtCommandsDllLoadedEntryCount(), 17);  // 15 called entries and 2 looked up only
    PluginLog(CmdsPath());

    CmdsDllInit();
    CmdsDllSetIsDebug(true);
    CmdsDllSetBaseDbgPath("/dbg/");
    CmdsDllSetLogFile("/dbg/log");
    CmdsDllSetToolType("Label");
    CmdsDllSetOemCo(QStringLiteral("Label_Channel"));
    EXPECT_FALSE(CmdsDllGetAppIsReady());
    CmdsDllTrySetAppToReady();
    EXPECT_TRUE(CmdsDllGetAppIsReady());
    CmdsDllSetPrinterDefName(QStringLiteral("V52 打印机"));
    CmdsDllSetPrinterBasName("V52");
    CmdsDllDoAfterInitParaSetPermission();

    struct Perm {
        const char* no;
        int value;
        bool flag;
    };
    for (const Perm p : {Perm{"0121000001", 1, true}, Perm{"0135000012", 12, false}, Perm{"9902010002", 2, false}}) {
        bool flag = !p.flag;
        QString text;
        EXPECT_EQ(CmdsDllGetPermissionByNo(p.no, flag, text), p.value) << p.no;
        EXPECT_EQ(flag, p.flag) << p.no;
        EXPECT_EQ(text, QString("P") + p.no);
        EXPECT_EQ(GetPermissionByNo(p.no), p.value);
    }
    bool changed = false;
    QString result;
    CmdsDllTransformPrtName("W16", changed, result);
    EXPECT_TRUE(changed);
    EXPECT_EQ(result, "N:W16");
    CmdsDllTransformPrtMapModel("SAME", changed, result);
    EXPECT_FALSE(changed);
    EXPECT_EQ(result, "");
    EXPECT_EQ(TransformPrtMapModel("Y7"), "M:Y7");
    CmdsDllUnInit();

    const QStringList log = PluginLog(CmdsPath());
    const QStringList expectStart = {"CmdsInit", "SetIsDebug:1", "SetBaseDbgPath:/dbg/", "SetLogFile:/dbg/log",
                                     "SetToolType:Label", "SetOemCo:Label_Channel", "GetAppIsReady", "TrySetAppToReady",
                                     "GetAppIsReady", QStringLiteral("SetPrinterDefName:V52 打印机"),
                                     "SetPrinterBasName:V52", "DoAfterInitPara_SetPermission"};
    ASSERT_GE(log.size(), expectStart.size());
    EXPECT_EQ(log.mid(0, expectStart.size()), expectStart);
    EXPECT_EQ(log.last(), "CmdsUnInit");
    EXPECT_FALSE(log.join(";").contains("ShowForm"));  // looked up, never called

    FreePrtCommandsDll();
    EXPECT_FALSE(IsPrtCommandsDllLoaded());
    EXPECT_EQ(GetPermissionByNo("0121000001"), 0);
}
