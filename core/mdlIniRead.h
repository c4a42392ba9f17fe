#pragma once
// ReadIniString, the one reader through which configuration and language values pass (OEM
// key variant of the language file, post-filter of printer-type list and language values),
// with the language plug-in's reader over it.
#include <QString>

extern QString gFilesDir;          // program folder + "files/" (empty until LoadStartupOptions)
extern QString gCurToolType;       // [Option] ToolType; "Label" when empty
extern QString gCurOemCo;          // [Option] OemCo

inline constexpr char LABEL_LANG_FILE[] = "UtilityForLabelLanguage.ini";
inline constexpr char MOBILE_LANG_FILE[] = "UtilityForMobileLanguage.ini";

// Program folder + "files/" unless gFilesDir is set.
QString GetFilesDir();
// Reads [section] key of GetFilesDir() + fileName with the key-variant rule and the filter.
void ReadIniString(const QString& fileName, const QString& section, const QString& key,
                   QString& value);
QString ReadIniString(const QString& fileName, const QString& section, const QString& key);
void BuildLanguageKeyVariant(const QString& section, const QString& key, QString& variant);
bool IniHasSectionKey(const QString& path, const QString& section, const QString& key);
void FilterIniValue(const QString& fileName, const QString& section, const QString& key,
                    const QString& value, QString& out);
void FilterLanguageValue(const QString& fileName, const QString& section, const QString& key,
                         const QString& value, QString& out);
void AppendLabelFeatureModels(const QString& key, const QString& value, QString& out);
void AppendMobileFeatureModels(const QString& key, const QString& value, QString& out);
bool IsLanguageFileName(const QString& fileName);

// The plug-in's value of [section] key; ReadIniString when the plug-in has no reader.
void LangDllReadIni(const QString& file, const QString& section, const QString& key, QString& text);
