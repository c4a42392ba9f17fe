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

class TempProgram : public prt::test::TempProgramTree {
public:
    TempProgram()
    {
        const QDir shipped(prt::test::SourceDir() + "/files");
        for (const QString& name : shipped.entryList(QDir::Files))
            QFile::copy(shipped.filePath(name), FilesDir() + name);
    }
    QString ListPath() const { return FilesDir() + "PrinterList.txt"; }

    static void Write(const QString& path, const QByteArray& bytes) { prt::test::WriteTestFile(path, bytes); }
    static QByteArray Read(const QString& path) { return prt::test::ReadTestFile(path); }
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
};

// Puts every module state the main window reads or writes back to its start value.
void ResetMainState();

} // namespace mainwin
