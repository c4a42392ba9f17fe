#include "mdlSystemLang.h"

#include <QLocale>

namespace {
int gSystemLangIdOverride = 0;
} // namespace

int GetSystemLangId()
{
    if (gSystemLangIdOverride)
        return gSystemLangIdOverride;
    return WindowsLangIdOfLocale(QLocale::system());
}

int WindowsLangIdOfLocale(const QLocale& loc)
{
    switch (loc.language()) {
    case QLocale::Chinese:
        return (loc.territory() == QLocale::Taiwan || loc.territory() == QLocale::HongKong ||
                loc.territory() == QLocale::Macao)
                   ? 1028
                   : 2052;
    case QLocale::Japanese: return 1041;
    case QLocale::Russian: return 1049;
    case QLocale::Portuguese: return 1046;
    case QLocale::Spanish: return 1034;
    case QLocale::Korean: return 1042;
    case QLocale::German: return 7;
    case QLocale::Italian: return 1040;
    case QLocale::French: return 1036;
    default: return 1033;
    }
}

QString GetSystemLangIdStr()
{
    return QString::number(GetSystemLangId());
}

void SetSystemLangIdForTest(int id)
{
    gSystemLangIdOverride = id;
}
