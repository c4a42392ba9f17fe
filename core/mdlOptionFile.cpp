#include "mdlOptionFile.h"

#include "PrtIni.h"
#include "PrtPaths.h"
#include "mdlModuleState.h"

void GetToolType(QString& out)
{
    out = ReadIniValue(GetOptionIniPath(), QStringLiteral("Option"), QStringLiteral("ToolType"));
    if (out.isEmpty())
        out = gBuildKind == 1 ? QStringLiteral("Mobile") : QStringLiteral("Label");
}

QString GetToolType()
{
    QString out;
    GetToolType(out);
    return out;
}

void GetOemCo(QString& out)
{
    out = ReadIniValue(GetOptionIniPath(), QStringLiteral("Option"), QStringLiteral("OemCo"));
}

QString GetOemCo()
{
    QString out;
    GetOemCo(out);
    return out;
}

void GetDefaultFilesDir(QString& out)
{
    out = prt::ExeDir() + QStringLiteral("files/");
}

QString GetDefaultFilesDir()
{
    QString out;
    GetDefaultFilesDir(out);
    return out;
}

void GetOptionIniPath(QString& out)
{
    out = GetDefaultFilesDir() + QStringLiteral("Option.ini");
}

QString GetOptionIniPath()
{
    QString out;
    GetOptionIniPath(out);
    return out;
}

void ReadIniValue(const QString& file, const QString& section, const QString& key, QString& out)
{
    out = prt::IniReadString(file, section, key, QString());
}

QString ReadIniValue(const QString& file, const QString& section, const QString& key)
{
    QString out;
    ReadIniValue(file, section, key, out);
    return out;
}
