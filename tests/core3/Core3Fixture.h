#pragma once
// A private program folder, data folder, config folder and developer root per test, so
// the stores and ini files of one test never touch another's (or the user's).
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace core3 {

class TempTree {
public:
    TempTree()
        : exe_("PRT_EXE_DIR", dir_.path() + "/prog"),
          data_("LOCALAPPDATA", dir_.path() + "/data"),
          xdgData_("XDG_DATA_HOME", dir_.path() + "/xdgdata"),
          config_("XDG_CONFIG_HOME", dir_.path() + "/config"),
          dev_("PRT_DEV_ROOT", dir_.path() + "/dev")
    {
        QDir().mkpath(dir_.path() + "/prog/files");
        QDir().mkpath(dir_.path() + "/data");
        QDir().mkpath(dir_.path() + "/dev");
    }
    QString Root() const { return dir_.path() + "/"; }
    QString ProgDir() const { return dir_.path() + "/prog/"; }
    QString FilesDir() const { return dir_.path() + "/prog/files/"; }
    QString DataDir() const { return dir_.path() + "/data/"; }
    QString ConfigDir() const { return dir_.path() + "/config/PrtUtility/"; }

    static void Write(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        f.write(bytes);
    }
    static QByteArray Read(const QString& path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return f.readAll();
    }

private:
    QTemporaryDir dir_;
    prt::test::ScopedEnv exe_, data_, xdgData_, config_, dev_;
};

} // namespace core3
