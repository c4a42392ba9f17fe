#pragma once
// The system's UI language as a Windows language id.
#include <QString>

class QLocale;

QString GetSystemLangIdStr();
int GetSystemLangId();
// Windows language id of a locale: zh_CN 2052, zh_TW (and HK, Macao) 1028, en 1033, ja 1041,
// ru 1049, pt 1046, es 1034, ko 1042, de 7, it 1040, fr 1036; any other language 1033.
int WindowsLangIdOfLocale(const QLocale& locale);
// Test seam: 0 restores the locale-derived id.
void SetSystemLangIdForTest(int id);
