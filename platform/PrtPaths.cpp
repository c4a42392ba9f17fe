#include "PrtPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace prt {
namespace {
QString WithSlash(QString p)
{
    if (!p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    return p;
}
QString Env(const char* name)
{
    return qEnvironmentVariable(name);
}
} // namespace

QString DevRootDir()
{
    const QString v = Env("PRT_DEV_ROOT");
    return WithSlash(v.isEmpty() ? QDir::homePath() : v);
}

QString ExeDir()
{
    const QString v = Env("PRT_EXE_DIR");
    if (!v.isEmpty())
        return WithSlash(v);
    if (QCoreApplication::instance())
        return WithSlash(QCoreApplication::applicationDirPath());
    return WithSlash(QDir::currentPath());
}

QString DataHomeDir()
{
    QString v = Env("LOCALAPPDATA");
    if (v.isEmpty())
        v = Env("XDG_DATA_HOME");
    if (v.isEmpty())
        v = QDir::homePath() + QStringLiteral("/.local/share");
    return WithSlash(v);
}

QString ConfigHomeDir()
{
    QString v = Env("XDG_CONFIG_HOME");
    if (v.isEmpty())
        v = QDir::homePath() + QStringLiteral("/.config");
    return WithSlash(WithSlash(v) + QStringLiteral("PrtUtility"));
}

} // namespace prt
