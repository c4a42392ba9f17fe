#pragma once
// Temporary program folder, developer root and local-app-data folder for the model
// catalogue tests; every catalogue, descriptor and identity-check state is reset around
// each test.
#include "TestSupport.h"

#include "PrtIni.h"
#include "PrtTexts.h"
#include "mdlASetFtnA.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlUsbVidPidCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class Core2Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(exe_.isValid() && root_.isValid() && data_.isValid());
        exeEnv_ = std::make_unique<prt::test::ScopedEnv>("PRT_EXE_DIR", exe_.path());
        rootEnv_ = std::make_unique<prt::test::ScopedEnv>("PRT_DEV_ROOT", root_.path());
        dataEnv_ = std::make_unique<prt::test::ScopedEnv>("LOCALAPPDATA", data_.path());
        ResetAll();
        gIdentityCheckDir = ExePath("PgmOrCdr/");
    }
    void TearDown() override { ResetAll(); }

    static void ResetAll()
    {
        ResetModuleStateForTest();
        ResetLanguageStateForTest();
        prt::ClearLangTexts();
        prt::IniClearCache();
        FreeModelLists();
        BuildModelLists();
        FreeCurrentFtnA();
        SetUsbIdentitySource(nullptr);
        ClearMatchedUsbVpid();
    }

    QString ExePath(const QString& rel) const { return exe_.path() + "/" + rel; }
    QString RootPath(const QString& rel) const { return root_.path() + "/" + rel; }
    QString DataPath(const QString& rel) const { return data_.path() + "/" + rel; }

    static void WriteFile(const QString& path, const QByteArray& bytes) { prt::test::WriteTestFile(path, bytes); }
    void WriteConfig(const QString& name, const QByteArray& bytes)
    {
        WriteFile(ExePath("files/" + name), bytes);
        prt::IniClearCache();
    }
    void MakeRealMarker()
    {
        WriteFile(RootPath("xx46027193850461/dfile46027193850461-Real.txt"), "x");
    }
    // Attached devices seen by the identity check.
    static void AttachUsb(const QStringList& identities)
    {
        SetUsbIdentitySource([identities] { return identities; });
    }

    QTemporaryDir exe_, root_, data_;
    std::unique_ptr<prt::test::ScopedEnv> exeEnv_, rootEnv_, dataEnv_;
};

// "USB\VID_XXXX&PID_XXXX\1-2" identity text of a device.
inline QString DevicePath(const QString& idText) { return "USB\\" + idText + "\\1-2"; }
