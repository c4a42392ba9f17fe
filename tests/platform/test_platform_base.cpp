#include "PrtMsgBox.h"
#include "PrtPaths.h"
#include "PrtTexts.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace prt;

TEST(MessageBoxHelper, RecorderReceivesBoxesAndAnswers)
{
    test::MsgBoxRecorder rec(IDCANCEL_);
    EXPECT_EQ(MessageBoxPrt("text", "cap", MB_OKCANCEL_ | MB_ICONQUESTION_ | MB_DEFBUTTON2_), IDCANCEL_);
    ASSERT_EQ(rec.calls().size(), 1u);
    EXPECT_EQ(rec.calls()[0].text, "text");
    EXPECT_EQ(rec.calls()[0].caption, "cap");
    EXPECT_EQ(rec.calls()[0].flags, 0x121u);
}

TEST(LangTextStore, MissingKeyIsEmpty)
{
    ClearLangTexts();
    EXPECT_TRUE(LangText("_Err_OpenPort").isEmpty());
    SetLangText("_Err_OpenPort", "Open port failed");
    EXPECT_EQ(LangText("_Err_OpenPort"), "Open port failed");
    ClearLangTexts();
}

TEST(Paths, EnvironmentChoosesFolders)
{
    test::ScopedEnv root("PRT_DEV_ROOT", "/tmp/devroot");
    test::ScopedEnv data("LOCALAPPDATA", "");
    test::ScopedEnv xdg("XDG_DATA_HOME", "/tmp/xdgdata");
    EXPECT_EQ(DevRootDir(), "/tmp/devroot/");
    EXPECT_EQ(DataHomeDir(), "/tmp/xdgdata/");
}
