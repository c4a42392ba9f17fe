// Test command plug-in: every called entry point and two of the entries that are only
// looked up. Texts it receives are logged; answers:
//   Cmds_TransformPrtName / Cmds_TransformPrtMapModel: "N:"/"M:" + name, result 1;
//     name "SAME" gives result 0 and an empty text; "OVERFILL" fills the whole buffer.
//   Cmds_GetPermissionByNo: value = last two digits of the number, flag = value is odd,
//     text "P" + number.
//   Cmds_GetAppIsReady: 1 after Cmds_TrySetAppToReady.
#include "PluginLog.h"

using namespace testplugin;

namespace {
bool gReady = false;

uint8_t Transform(const char16_t* tag, const char16_t* name, char16_t* out)
{
    const std::u16string n = Str(name);
    Add(std::u16string(tag) + u"len=" + std::u16string(1, char16_t(u'0' + (n.size() / 100) % 10)) +
        std::u16string(1, char16_t(u'0' + (n.size() / 10) % 10)) +
        std::u16string(1, char16_t(u'0' + n.size() % 10)));
    if (n == u"SAME")
        return 0;
    if (n == u"OVERFILL") {
        Overfill(out, 255);
        return 1;
    }
    Put(std::u16string(tag) + n, out, 255);
    return 1;
}
} // namespace

PRT_TEST_EXPORT void CmdsInit() { Add(u"CmdsInit"); }
PRT_TEST_EXPORT void CmdsUnInit() { Add(u"CmdsUnInit"); }
PRT_TEST_EXPORT void Cmds_SetIsDebug(uint8_t flag) { Add(flag ? u"SetIsDebug:1" : u"SetIsDebug:0"); }
PRT_TEST_EXPORT void Cmds_SetBaseDbgPath(const char16_t* s) { Add(u"SetBaseDbgPath:" + Str(s)); }
PRT_TEST_EXPORT void Cmds_SetLogFile(const char16_t* s) { Add(u"SetLogFile:" + Str(s)); }
PRT_TEST_EXPORT void Cmds_SetToolType(const char16_t* s) { Add(u"SetToolType:" + Str(s)); }
PRT_TEST_EXPORT void Cmds_SetOemCo(const char16_t* s) { Add(u"SetOemCo:" + Str(s)); }
PRT_TEST_EXPORT void Cmds_TrySetAppToReady()
{
    gReady = true;
    Add(u"TrySetAppToReady");
}
PRT_TEST_EXPORT uint8_t Cmds_GetAppIsReady()
{
    Add(u"GetAppIsReady");
    return gReady ? 1 : 0;
}
PRT_TEST_EXPORT void Cmds_SetPrinterDefName(const char16_t* s) { Add(u"SetPrinterDefName:" + Str(s)); }
PRT_TEST_EXPORT void Cmds_SetPrinterBasName(const char16_t* s) { Add(u"SetPrinterBasName:" + Str(s)); }
PRT_TEST_EXPORT void Cmds_DoAfterInitPara_SetPermission() { Add(u"DoAfterInitPara_SetPermission"); }
PRT_TEST_EXPORT uint8_t Cmds_TransformPrtName(const char16_t* name, char16_t* out)
{
    return Transform(u"N:", name, out);
}
PRT_TEST_EXPORT uint8_t Cmds_TransformPrtMapModel(const char16_t* name, char16_t* out)
{
    return Transform(u"M:", name, out);
}
PRT_TEST_EXPORT int32_t Cmds_GetPermissionByNo(const char16_t* no, uint8_t* flag, char16_t* out)
{
    const std::u16string n = Str(no);
    Add(u"GetPermissionByNo:" + n);
    int32_t value = 0;
    if (n.size() >= 2)
        value = (n[n.size() - 2] - u'0') * 10 + (n[n.size() - 1] - u'0');
    *flag = (value % 2) ? 1 : 0;
    Put(u"P" + n, out, 255);
    return value;
}
// looked up only
PRT_TEST_EXPORT void Cmds_ShowForm() { Add(u"ShowForm"); }
PRT_TEST_EXPORT void Cmds_OpenPort() { Add(u"OpenPort"); }

PRT_TEST_PLUGIN_LOG_ENTRIES
