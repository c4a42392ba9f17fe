#pragma once
// "Option.ini" and plain ini values by full path.
#include <QString>

// ---- option file ---------------------------------------------------------------------------
// [Option] ToolType of "Option.ini"; when empty, "Mobile" for build kind 1 and "Label"
// otherwise (build kind 2, the default; gBuildKind of mdlModuleState.h).
void GetToolType(QString& out);
QString GetToolType();
// [Option] OemCo of "Option.ini" ("" when missing).
void GetOemCo(QString& out);
QString GetOemCo();
// prt::ExeDir() + "files/".
void GetDefaultFilesDir(QString& out);
QString GetDefaultFilesDir();
// GetDefaultFilesDir() + "Option.ini".
void GetOptionIniPath(QString& out);
QString GetOptionIniPath();
// One value of an ini file (full path), "" when missing.
void ReadIniValue(const QString& file, const QString& section, const QString& key, QString& out);
QString ReadIniValue(const QString& file, const QString& section, const QString& key);
