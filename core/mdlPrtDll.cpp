#include "mdlPrtDll.h"

#include "PrtPaths.h"

#include <QFileInfo>
#include <dlfcn.h>
#include <map>
#include <vector>

namespace {

struct TPlugin {
    void* handle = nullptr;
    std::map<QString, void*> entries;  // found entry points only

    template <typename F>
    F get(const char* name) const
    {
        const auto it = entries.find(QString::fromLatin1(name));
        return it == entries.end() ? nullptr : reinterpret_cast<F>(it->second);
    }
};

TPlugin gLang;
TPlugin gCmds;

void LoadPlugin(TPlugin& p, const QString& path, const QStringList& names)
{
    if (p.handle || !QFileInfo(path).isFile())
        return;
    p.handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!p.handle)
        return;  // not a loadable library: treated as absent
    for (const QString& n : names) {
        if (void* sym = dlsym(p.handle, n.toLatin1().constData()))
            p.entries[n] = sym;
    }
}

void FreePlugin(TPlugin& p)
{
    // The entry points are cleared with the library, so no wrapper can call into an
    // unloaded library afterwards.
    p.entries.clear();
    if (p.handle)
        dlclose(p.handle);
    p.handle = nullptr;
}

// Zero-filled buffers of the plug-in size; the input text is cut to fit and terminated.
struct TBuf {
    char16_t data[PRT_DLL_BUF_CHARS] = {};
};

std::vector<char16_t> ToArg(const QString& text)
{
    std::vector<char16_t> v(text.size() + 1, 0);
    for (qsizetype i = 0; i < text.size(); ++i)
        v[i] = text.at(i).unicode();
    return v;
}

void FillInput(TBuf& buf, const QString& text)
{
    const int n = std::min<int>(text.size(), PRT_DLL_BUF_CHARS - 1);
    for (int i = 0; i < n; ++i)
        buf.data[i] = text.at(i).unicode();
    buf.data[n] = 0;
}

QString ReadOutput(TBuf& buf)
{
    buf.data[PRT_DLL_BUF_CHARS - 1] = 0;  // an unterminated answer ends at the buffer's end
    return QString::fromUtf16(buf.data);
}

void CallText(const char* entry, const QString& text)
{
    if (auto f = gCmds.get<TCmds_SetText>(entry)) {
        const auto arg = ToArg(text);
        f(arg.data());
    }
}

void CallVoid(const TPlugin& p, const char* entry)
{
    if (auto f = p.get<TCmds_Void>(entry))
        f();
}

void Transform(const char* entry, const QString& name, bool& changed, QString& result)
{
    changed = false;
    result.clear();
    auto f = gCmds.get<TCmds_Transform>(entry);
    if (!f)
        return;
    TBuf in, out;
    FillInput(in, name);
    changed = f(in.data, out.data) != 0;
    result = ReadOutput(out);
}

} // namespace

QString PrtLangDllPath()
{
    return prt::ExeDir() + "PrtDll/PrtLangDll.so";
}

QString PrtCommandsDllPath()
{
    return prt::ExeDir() + "PrtDll/PrtCommandsDll.so";
}

const QStringList& PrtLangDllEntryNames()
{
    static const QStringList names = {"LangInit", "LangUnInit", "LangSetLanguageID",
                                      "LangSetLanguageFN_FullName", "LangGet", "LangReadIni"};
    return names;
}

const QStringList& PrtCommandsDllEntryNames()
{
    static const QStringList names = {
        "CmdsInit", "CmdsUnInit", "Cmn_GetHexadecimalStrNum", "Cmn_HexadecimalStrToBytes",
        "Cmn_BytesToStrByCharUntilZero", "Cmds_SetPrinterDefName", "Cmds_SetPrinterBasName",
        "Cmds_SetPrinterVpid", "Cmds_SetToolType", "Cmds_SetOemCo", "Cmds_TrySetAppToReady",
        "Cmds_GetAppIsReady", "Cmds_TransformPrtName", "Cmds_TransformPrtMapModel",
        "Cmds_DoAfterInitPara_SetPermission", "Cmds_SetIsDebug", "Cmds_SetBaseDbgPath",
        "Cmds_SetLogFile", "Cmds_GetPrtFirmwareLastOutputInfo", "Cmds_GetPermissionByNo",
        "Cmds_GetCommandHexStr_ByKey",
        // looked up, never called
        "Cmds_RegIoIsPortOpen", "Cmds_RegIoOpenPort", "Cmds_RegIoClosePort", "Cmds_RegIoWriteData",
        "Cmds_RegIoReadData", "Cmds_RegIoReadBuf", "Cmds_RegIoReadDataEOF", "Cmds_RegIoReadBufEOF",
        "Cmds_IsPortOpen", "Cmds_OpenPort", "Cmds_ClosePort", "Cmds_WriteData", "Cmds_ReadData",
        "Cmds_ReadBuf", "Cmds_ReadDataEOF", "Cmds_ReadBufEOF", "Cmds_PrtDown_FontLib_font_download",
        "Cmds_PrtDown_FontLib_font_download__Stop", "Cmds_RegCommunicationED", "Cmds_RegLangReadIni",
        "Cmds_PrtExecuteCmd_PrintConfigInfo", "Cmds_PrtExecuteCmdByNo", "Cmds_ShowForm"};
    return names;
}

int PrtLangDllLoadedEntryCount() { return int(gLang.entries.size()); }
int PrtCommandsDllLoadedEntryCount() { return int(gCmds.entries.size()); }
bool IsPrtLangDllLoaded() { return gLang.handle != nullptr; }
bool IsPrtCommandsDllLoaded() { return gCmds.handle != nullptr; }

void LoadPrtLangDll() { LoadPlugin(gLang, PrtLangDllPath(), PrtLangDllEntryNames()); }
void LoadPrtCommandsDll() { LoadPlugin(gCmds, PrtCommandsDllPath(), PrtCommandsDllEntryNames()); }
void FreePrtLangDll() { FreePlugin(gLang); }
void FreePrtCommandsDll() { FreePlugin(gCmds); }

// ---- language library ----------------------------------------------------------------------

void LangDllInit() { CallVoid(gLang, "LangInit"); }
void LangDllUnInit() { CallVoid(gLang, "LangUnInit"); }

void LangDllSetLanguageID(const QString& id)
{
    if (auto f = gLang.get<TLangSetLanguageID>("LangSetLanguageID")) {
        const auto arg = ToArg(id);
        f(arg.data());
    }
}

void LangDllSetLanguageFile(const QString& path)
{
    auto f = gLang.get<TLangSetLanguageFN_FullName>("LangSetLanguageFN_FullName");
    if (!f || !QFileInfo(path).isFile())
        return;
    const auto arg = ToArg(path);
    f(arg.data());
}

bool LangDllTryReadIni(const QString& file, const QString& section, const QString& key, QString& text)
{
    auto f = gLang.get<TLangReadIni>("LangReadIni");
    if (!f)
        return false;
    TBuf bFile, bSection, bKey, out;
    FillInput(bFile, file);
    FillInput(bSection, section);
    FillInput(bKey, key);
    f(bFile.data, bSection.data, bKey.data, out.data, PRT_DLL_BUF_CHARS);
    text = ReadOutput(out);
    return true;
}

bool LangDllHasReader()
{
    return gLang.get<TLangReadIni>("LangReadIni") != nullptr;
}

// ---- command library -------------------------------------------------------------------------

void CmdsDllInit() { CallVoid(gCmds, "CmdsInit"); }
void CmdsDllUnInit() { CallVoid(gCmds, "CmdsUnInit"); }

void CmdsDllSetIsDebug(bool flag)
{
    if (auto f = gCmds.get<TCmds_SetIsDebug>("Cmds_SetIsDebug"))
        f(flag ? 1 : 0);
}

void CmdsDllSetBaseDbgPath(const QString& path) { CallText("Cmds_SetBaseDbgPath", path); }
void CmdsDllSetLogFile(const QString& path) { CallText("Cmds_SetLogFile", path); }
void CmdsDllSetToolType(const QString& text) { CallText("Cmds_SetToolType", text); }
void CmdsDllSetOemCo(const QString& text) { CallText("Cmds_SetOemCo", text); }
void CmdsDllTrySetAppToReady() { CallVoid(gCmds, "Cmds_TrySetAppToReady"); }

bool CmdsDllGetAppIsReady()
{
    if (auto f = gCmds.get<TCmds_GetAppIsReady>("Cmds_GetAppIsReady"))
        return f() != 0;
    return false;
}

void CmdsDllSetPrinterDefName(const QString& name) { CallText("Cmds_SetPrinterDefName", name); }
void CmdsDllSetPrinterBasName(const QString& name) { CallText("Cmds_SetPrinterBasName", name); }
void CmdsDllDoAfterInitParaSetPermission() { CallVoid(gCmds, "Cmds_DoAfterInitPara_SetPermission"); }

void CmdsDllTransformPrtName(const QString& name, bool& changed, QString& result)
{
    Transform("Cmds_TransformPrtName", name, changed, result);
}

void CmdsDllTransformPrtMapModel(const QString& name, bool& changed, QString& result)
{
    Transform("Cmds_TransformPrtMapModel", name, changed, result);
}

int CmdsDllGetPermissionByNo(const QString& itemNo, bool& flag, QString& text)
{
    flag = false;
    text.clear();
    auto f = gCmds.get<TCmds_GetPermissionByNo>("Cmds_GetPermissionByNo");
    if (!f)
        return 0;
    TBuf in, out;
    FillInput(in, itemNo);
    uint8_t b = 0;
    const int32_t value = f(in.data, &b, out.data);
    flag = b != 0;
    text = ReadOutput(out);
    return value;
}

int GetPermissionByNo(const QString& itemNo)
{
    bool flag = false;
    QString text;
    return CmdsDllGetPermissionByNo(itemNo, flag, text);
}

QString TransformPrtMapModel(const QString& name)
{
    bool changed = false;
    QString result;
    CmdsDllTransformPrtMapModel(name, changed, result);
    return result;
}
