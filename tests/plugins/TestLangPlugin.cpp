// Test language plug-in. Built twice: with every entry point, and (PRT_READINI_ONLY)
// exporting only LangReadIni.
//
// LangReadIni answers "PLUG[<section>]<key>"; the key "OVERFILL" fills the whole output
// buffer without a terminator. Each call logs the lengths it received.
#include "PluginLog.h"

using namespace testplugin;

#ifndef PRT_READINI_ONLY
PRT_TEST_EXPORT void LangInit() { Add(u"LangInit"); }
PRT_TEST_EXPORT void LangUnInit() { Add(u"LangUnInit"); }
PRT_TEST_EXPORT void LangSetLanguageID(const char16_t* id) { Add(u"LangSetLanguageID:" + Str(id)); }
PRT_TEST_EXPORT void LangSetLanguageFN_FullName(const char16_t* path)
{
    Add(u"LangSetLanguageFN_FullName:" + Str(path));
}
PRT_TEST_EXPORT void LangGet(const char16_t* key, char16_t* out, int32_t size)
{
    Add(u"LangGet:" + Str(key));
    Put(u"", out, size);
}
#endif

PRT_TEST_EXPORT void LangReadIni(const char16_t* file, const char16_t* section, const char16_t* key,
                                 char16_t* out, int32_t size)
{
    const std::u16string k = Str(key);
    Add(u"LangReadIni:" + Str(file) + u"|" + Str(section) + u"|" + k + u"|keylen=" +
        std::u16string(1, char16_t(u'0' + (k.size() / 100) % 10)) +
        std::u16string(1, char16_t(u'0' + (k.size() / 10) % 10)) +
        std::u16string(1, char16_t(u'0' + k.size() % 10)) + u"|size=" +
        std::u16string(size == 255 ? u"255" : u"other"));
    if (k == u"OVERFILL") {
        Overfill(out, size);
        return;
    }
    Put(u"PLUG[" + Str(section) + u"]" + k, out, size);
}

PRT_TEST_PLUGIN_LOG_ENTRIES
