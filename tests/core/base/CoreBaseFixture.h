#pragma once
// Temporary program folder and developer root for the core-base tests, with every module
// state of the core base reset around each test.
#include "TestSupport.h"
#include "mdlGlobalVar.h"
#include "mdlLangText.h"
#include "mdlLanguage.h"
#include "mdlModuleState.h"
#include "mdlPrtDll.h"

#include "PrtIni.h"
#include "PrtTexts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class CoreBaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(exe_.isValid() && root_.isValid());
        exeEnv_ = std::make_unique<prt::test::ScopedEnv>("PRT_EXE_DIR", exe_.path());
        rootEnv_ = std::make_unique<prt::test::ScopedEnv>("PRT_DEV_ROOT", root_.path());
        ResetAll();
        SetProgramArgs({});
        CreateLogLock();
    }
    void TearDown() override
    {
        FreePrtLangDll();
        FreePrtCommandsDll();
        ResetAll();
    }
    static void ResetAll()
    {
        ResetModuleStateForTest();
        ResetLanguageStateForTest();
        SetSystemLangIdForTest(0);
        ClearLangStrings();
        prt::ClearLangTexts();
        prt::IniClearCache();
        FreeGlobalVar();
    }

    QString ExePath(const QString& rel) const { return exe_.path() + "/" + rel; }
    QString RootPath(const QString& rel) const { return root_.path() + "/" + rel; }

    static void WriteFile(const QString& path, const QByteArray& bytes) { prt::test::WriteTestFile(path, bytes); }
    // files/<name> of the temporary program folder.
    void WriteConfig(const QString& name, const QByteArray& bytes) { WriteFile(ExePath("files/" + name), bytes); }
    void MakeFirstMarker() { WriteFile(RootPath("xx46027193850461/dfile46027193850461.txt"), "x"); }
    void MakeSecondMarker() { WriteFile(ExePath("x58316204972635.txt"), "x"); }
    void EnterDebugMode()
    {
        MakeFirstMarker();
        MakeSecondMarker();
        ASSERT_TRUE(IsDebugMode());
    }
    // Every file below a folder, relative paths.
    static QStringList FilesUnder(const QString& dir)
    {
        QStringList out;
        QDir d(dir);
        for (const QFileInfo& fi : d.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            if (fi.isDir()) {
                out << fi.fileName() + "/";
                for (const QString& s : FilesUnder(fi.filePath()))
                    out << fi.fileName() + "/" + s;
            } else {
                out << fi.fileName();
            }
        }
        return out;
    }

    QTemporaryDir exe_;
    QTemporaryDir root_;
    std::unique_ptr<prt::test::ScopedEnv> exeEnv_;
    std::unique_ptr<prt::test::ScopedEnv> rootEnv_;
};
