#pragma once
// The developer debug log (debug mode only, under the shared log lock of mdlModuleState.h).
#include <QString>

// ---- debug log ---------------------------------------------------------------------------
// Folder GetDebugBaseDir() + "Log/DebugLog/"; in debug mode the folders are created.
QString GetDebugLogDir();
// GetDebugLogDir() + "logfile" + yyyymmdd + ".log".
QString GetDebugLogFileName();
// Appends "yyyy-mm-dd hh:nn:ss.zzz:" + text + CR LF, in debug mode only, under the log lock.
// Write errors are swallowed.
void WriteDebugLog(const QString& text);
// Trace points of the program; does nothing.
void DebugTrace(const QString& text);
// The line written for a text at the current time (without the line break).
QString FormatDebugLogLine(const QString& text);
// Appends line + CR LF to the file; every error is swallowed (a log must never stop the
// program).
void AppendDebugLogLine(const QString& fileName, const QString& line);
// dir + "logfile" + yyyymmdd + ".log".
QString DebugLogDayFileName(const QString& dir);
