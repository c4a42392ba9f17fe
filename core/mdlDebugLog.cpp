#include "mdlDebugLog.h"

#include "mdlModuleState.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <mutex>

void AppendDebugLogLine(const QString& fileName, const QString& line)
{
    QFile f(fileName);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    f.write((line + "\r\n").toUtf8());
}

QString DebugLogDayFileName(const QString& dir)
{
    return dir + "logfile" + QDate::currentDate().toString("yyyyMMdd") + ".log";
}

// ---- debug log ---------------------------------------------------------------------------------

QString GetDebugLogDir()
{
    const QString base = GetDebugBaseDir();
    const QString dir = base + "Log/DebugLog/";
    if (IsDebugMode()) {
        QDir().mkdir(base + "Log");
        QDir().mkdir(dir);
    }
    return dir;
}

QString GetDebugLogFileName()
{
    return DebugLogDayFileName(GetDebugLogDir());
}

QString FormatDebugLogLine(const QString& text)
{
    return QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm:ss.zzz") + ":" + text;
}

void WriteDebugLog(const QString& text)
{
    if (!IsDebugMode())
        return;
    const QString file = GetDebugLogFileName();
    std::lock_guard<std::mutex> guard(DebugLogLock());
    if (!gLogLockCreated)
        return;  // before start-up or after shutdown: nothing is written
    // Stamped under the lock, so the lines of all threads stand in time order.
    AppendDebugLogLine(file, FormatDebugLogLine(text));
}

void DebugTrace(const QString&) {}
