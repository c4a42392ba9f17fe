#pragma once
// A private program folder (with a copy of the shipped files), data folder, config folder
// and developer root per test, and the reset of every module state the main window
// touches, so one test never sees another's (or the user's) files and state.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mainwin {

class TempProgram {
public:
    TempProgram()
        : exe_("PRT_EXE_DIR", dir_.path() + "/prog"),
          data_("LOCALAPPDATA", dir_.path() + "/data"),
          xdgData_("XDG_DATA_HOME", dir_.path() + "/xdgdata"),
          config_("XDG_CONFIG_HOME", dir_.path() + "/config"),
          dev_("PRT_DEV_ROOT", dir_.path() + "/dev")
    {
        QDir().mkpath(FilesDir());
        QDir().mkpath(dir_.path() + "/data");
        QDir().mkpath(DevDir());
        const QDir shipped(prt::test::SourceDir() + "/files");
        for (const QString& name : shipped.entryList(QDir::Files))
            QFile::copy(shipped.filePath(name), FilesDir() + name);
    }
    QString ProgDir() const { return dir_.path() + "/prog/"; }
    QString FilesDir() const { return dir_.path() + "/prog/files/"; }
    QString DevDir() const { return dir_.path() + "/dev/"; }
    QString ListPath() const { return FilesDir() + "PrinterList.txt"; }

    static void Write(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        f.write(bytes);
    }
    static QByteArray Read(const QString& path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return f.readAll();
    }
    // Sets [Option] OemCo (the branding profile) of the program's Option.ini.
    void SetOemCo(const QString& oem) const
    {
        Write(FilesDir() + "Option.ini",
              QString("[Option]\r\nToolType=Label\r\nCompanyType=\r\nOemCo=%1\r\n").arg(oem).toUtf8());
    }
    // Creates the developer marker file that offers the developer prompts.
    void CreateDevMarker() const
    {
        Write(DevDir() + "xx46027193850461/dfile46027193850461.txt", "x");
    }

private:
    QTemporaryDir dir_;
    prt::test::ScopedEnv exe_, data_, xdgData_, config_, dev_;
};

// Puts every module state the main window reads or writes back to its start value.
void ResetMainState();

} // namespace mainwin
