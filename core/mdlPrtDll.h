#pragma once
// The two optional plug-in libraries beside the program: <program folder>/PrtDll/
// "PrtLangDll.so" (language id, language file and texts) and "PrtCommandsDll.so"
// (settings, printer names, name transformation, permission values by number).
// Every wrapper does nothing and leaves its outputs at their preset values when its
// entry point is not loaded.
//
// Entry points are C functions; texts are zero-terminated UTF-16 (char16_t). Output
// texts go to caller-owned buffers of PRT_DLL_BUF_CHARS characters, zero-filled before
// the call; the program reads them up to the first zero (and never past the buffer).
#include <QString>
#include <QStringList>
#include <cstdint>

inline constexpr int PRT_DLL_BUF_CHARS = 255;

extern "C" {
// language library
typedef void (*TLangInit)();
typedef void (*TLangUnInit)();
typedef void (*TLangSetLanguageID)(const char16_t* id);
typedef void (*TLangSetLanguageFN_FullName)(const char16_t* path);
typedef void (*TLangGet)(const char16_t* key, char16_t* out, int32_t size);
typedef void (*TLangReadIni)(const char16_t* file, const char16_t* section, const char16_t* key,
                             char16_t* out, int32_t size);
// command library (the called entries)
typedef void (*TCmdsInit)();
typedef void (*TCmdsUnInit)();
typedef void (*TCmds_SetIsDebug)(uint8_t flag);
typedef void (*TCmds_SetText)(const char16_t* text);  // SetBaseDbgPath, SetLogFile, SetToolType,
                                                      // SetOemCo, SetPrinterDefName, SetPrinterBasName
typedef void (*TCmds_Void)();                         // TrySetAppToReady, DoAfterInitPara_SetPermission
typedef uint8_t (*TCmds_GetAppIsReady)();
typedef uint8_t (*TCmds_Transform)(const char16_t* name, char16_t* out);  // TransformPrtName/MapModel
typedef int32_t (*TCmds_GetPermissionByNo)(const char16_t* no, uint8_t* flag, char16_t* out);
}

// Library paths (GetExeDir() + "PrtDll/...").
QString PrtLangDllPath();
QString PrtCommandsDllPath();
// Entry names looked up, in lookup order (6 and 44 names).
const QStringList& PrtLangDllEntryNames();
const QStringList& PrtCommandsDllEntryNames();
// Number of entry points of a library that were found (0 when it is not loaded).
int PrtLangDllLoadedEntryCount();
int PrtCommandsDllLoadedEntryCount();
bool IsPrtLangDllLoaded();
bool IsPrtCommandsDllLoaded();

void LoadPrtLangDll();
void LoadPrtCommandsDll();
void FreePrtLangDll();
void FreePrtCommandsDll();

// language library wrappers
void LangDllInit();
void LangDllUnInit();
void LangDllSetLanguageID(const QString& id);
void LangDllSetLanguageFile(const QString& path);  // only when the file exists
// (LangDllReadIni, the plug-in reader with ReadIniString behind it: mdlIniRead.h.)
// Only the plug-in's LangReadIni; False (text untouched) when the entry is not loaded.
bool LangDllTryReadIni(const QString& file, const QString& section, const QString& key, QString& text);
// True when the language plug-in offers its own key reader.
bool LangDllHasReader();

// command library wrappers
void CmdsDllInit();
void CmdsDllUnInit();
void CmdsDllSetIsDebug(bool flag);
void CmdsDllSetBaseDbgPath(const QString& path);
void CmdsDllSetLogFile(const QString& path);
void CmdsDllSetToolType(const QString& text);
void CmdsDllSetOemCo(const QString& text);
void CmdsDllTrySetAppToReady();
bool CmdsDllGetAppIsReady();
void CmdsDllSetPrinterDefName(const QString& name);
void CmdsDllSetPrinterBasName(const QString& name);
void CmdsDllDoAfterInitParaSetPermission();
void CmdsDllTransformPrtName(const QString& name, bool& changed, QString& result);
void CmdsDllTransformPrtMapModel(const QString& name, bool& changed, QString& result);
int CmdsDllGetPermissionByNo(const QString& itemNo, bool& flag, QString& text);

// derived
int GetPermissionByNo(const QString& itemNo);
QString TransformPrtMapModel(const QString& name);
