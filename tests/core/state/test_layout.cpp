// Stacking of control groups by TObj_Ult_PrtParaManage.
#include "mdlPub_Obj_Ult_PrtPara.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct Row {
    QLabel* caption;
    QLineEdit* edit;
};

class LayoutTest : public ::testing::Test {
protected:
    Row MakeRow(int left)
    {
        Row r{new QLabel(&window), new QLineEdit(&window)};
        r.caption->move(left, 500);
        r.edit->move(left + 100, 500);
        return r;
    }
    TObj_Ult_PrtPara* AddRow(const Row& r, int height, const QString& name, bool visible = true)
    {
        auto* g = new TObj_Ult_PrtPara();
        manager.AddGroup(g);
        g->Height = height;
        g->Name = name;
        g->ClearControls();
        g->AddControl(r.caption);
        g->AddControl(r.edit);
        g->Visible = visible;
        return g;
    }
    QWidget window;
    TObj_Ult_PrtParaManage manager;
};

TEST_F(LayoutTest, StacksVisibleGroupsWithGapAndReportsBottom)
{
    window.show();
    const Row a = MakeRow(5), hidden = MakeRow(7), b = MakeRow(9);
    AddRow(a, 21, "A");
    AddRow(hidden, 50, "H", false);
    AddRow(b, 30, "B");
    int bottom = -1;
    manager.Arrange(10, bottom);

    EXPECT_EQ(a.caption->y(), 10);
    EXPECT_EQ(a.edit->y(), 10);
    EXPECT_EQ(b.caption->y(), 37);  // 10 + 21 + 6: the hidden group takes no space
    EXPECT_EQ(b.edit->y(), 37);
    EXPECT_EQ(bottom, 73);          // 37 + 30 + 6
    EXPECT_EQ(manager.ShownCount(), 2);
    // Horizontal positions are untouched.
    EXPECT_EQ(a.caption->x(), 5);
    EXPECT_EQ(b.edit->x(), 109);
    EXPECT_TRUE(a.caption->isVisible());
    EXPECT_TRUE(b.edit->isVisible());
    EXPECT_FALSE(hidden.caption->isVisible());
    EXPECT_FALSE(hidden.edit->isVisible());
    EXPECT_EQ(hidden.caption->y(), 500);
    EXPECT_EQ(manager.LastLogText(),
              "\r\nA,Top:10,TheHeight:21,SpaceOfHeight:6,sum:27"
              "\r\nB,Top:37,TheHeight:30,SpaceOfHeight:6,sum:36");
}

TEST_F(LayoutTest, RerunDependsOnlyOnCurrentFlagsAndForeignControlsStayPut)
{
    window.show();
    const Row a = MakeRow(0), b = MakeRow(0);
    QLabel outside(&window);
    outside.move(3, 222);
    outside.show();
    auto* ga = AddRow(a, 21, "A");
    AddRow(b, 30, "B");
    int bottom = 0;
    manager.Arrange(10, bottom);
    ga->Visible = false;
    manager.Arrange(10, bottom);
    EXPECT_FALSE(a.edit->isVisible());
    EXPECT_EQ(b.edit->y(), 10);
    EXPECT_EQ(bottom, 46);
    EXPECT_EQ(manager.ShownCount(), 1);
    EXPECT_TRUE(outside.isVisible());
    EXPECT_EQ(outside.pos(), QPoint(3, 222));
}

TEST_F(LayoutTest, NoVisibleGroupGivesStartTop)
{
    const Row a = MakeRow(0);
    AddRow(a, 21, "A", false);
    int bottom = -1;
    manager.Arrange(15, bottom);
    EXPECT_EQ(bottom, 15);
    EXPECT_EQ(manager.ShownCount(), 0);
}

TEST_F(LayoutTest, ClearingLeavesControlsAliveAndAControlInTwoGroupsFollowsTheLater)
{
    window.show();
    const Row a = MakeRow(0), b = MakeRow(0);
    auto* ga = AddRow(a, 21, "A");
    auto* gb = AddRow(b, 30, "B");
    gb->AddControl(a.caption);  // registered twice
    EXPECT_EQ(manager.AddGroup(ga), 0);  // a group added again is held once
    EXPECT_EQ(manager.GroupCount(), 2);
    int bottom = 0;
    manager.Arrange(10, bottom);
    EXPECT_EQ(a.caption->y(), 37);
    EXPECT_EQ(a.edit->y(), 10);

    ga->ClearControls();
    EXPECT_TRUE(ga->Controls().isEmpty());
    manager.ClearGroups();
    EXPECT_EQ(manager.GroupCount(), 0);
    // The controls were not freed and keep their state.
    EXPECT_EQ(a.edit->y(), 10);
    EXPECT_TRUE(a.edit->isVisible());
    manager.Arrange(0, bottom);
    EXPECT_EQ(bottom, 0);
}

TEST_F(LayoutTest, ControlFreedByItsWindowIsSkipped)
{
    window.show();
    const Row a = MakeRow(0);
    AddRow(a, 21, "A");
    delete a.caption;
    int bottom = 0;
    manager.Arrange(4, bottom);
    EXPECT_EQ(a.edit->y(), 4);
    EXPECT_EQ(bottom, 31);
}

} // namespace
