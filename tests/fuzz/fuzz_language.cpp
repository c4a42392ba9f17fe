// The language file loader on any bytes: loading the words never fails, and each word holds
// what the file's section says for its key.
#include "FuzzSupport.h"
#include "PrtIni.h"
#include "mdlLanguage.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    const QString name = QStringLiteral("lang.ini");
    {
        QFile f(fuzz::ScratchDir() + name);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(f.write(bytes) == bytes.size());
    }
    prt::IniClearCache();
    TConstLangV words;
    words.FilesDir = fuzz::ScratchDir();
    words.LangIniName = name;
    words.LanguageId = QStringLiteral("1033");
    LoadLangWords(&words);
    prt::IniFile ini;
    ini.parse(bytes);
    FUZZ_CHECK(words.MSG_Title_Error == ini.readString(QStringLiteral("1033"), QStringLiteral("_MSG_Title_Error")));
    FUZZ_CHECK(words.Err_OpenPort == ini.readString(QStringLiteral("1033"), QStringLiteral("_Err_OpenPort")));
    // The language choice ends in a language of the file's list or its default.
    words.LanguageResolved = false;
    words.LanguageId.clear();
    ResolveLanguageId(&words);
    FUZZ_CHECK(words.LanguageName.size() <= 256);
    return 0;
}
