// Every window of the opener table goes away cleanly while one of its edits has the focus:
// the edit loses its focus while the window's children are freed, and no leave handler of
// the window may run then (under UBSan a call on the half-destroyed window is an error).
#include "MainFixture.h"

#include "mdlFormOpeners.h"
#include "mdlStartup.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <gtest/gtest.h>

using mainwin::TempProgram;
using prt::test::MsgBoxRecorder;

namespace {

class WindowTeardown : public ::testing::Test {
protected:
    void SetUp() override
    {
        mainwin::ResetMainState();
        InitStartupModules();
        InitStartupModes();
        CreateGlobalSingletons();
    }
    void TearDown() override
    {
        FinalizeStartup();
        mainwin::ResetMainState();
    }
    TempProgram p_;
};

// The enabled, visible edits of a shown window, in child order.
QList<QLineEdit*> FocusableEdits(QWidget* w)
{
    QList<QLineEdit*> edits;
    for (QLineEdit* e : w->findChildren<QLineEdit*>())
        if (e->isVisibleTo(w) && e->isEnabled() && e->focusPolicy() != Qt::NoFocus)
            edits << e;
    return edits;
}

} // namespace

TEST_F(WindowTeardown, EveryWindowIsFreedWithAnyOfItsEditsFocused)
{
    MsgBoxRecorder boxes;  // windows without a printer say so; nobody answers
    int windows = 0, focused = 0;
    for (const QString& name : AvailableFormNames()) {
        SCOPED_TRACE(name.toStdString());
        int count = 0;
        {
            QWidget* w = CreateFormByName(name);
            ASSERT_NE(w, nullptr);
            w->show();
            count = int(FocusableEdits(w).size());
            delete w;
        }
        ++windows;
        for (int i = 0; i < count; ++i) {
            QPointer<QWidget> w = CreateFormByName(name);
            w->show();
            QApplication::setActiveWindow(w);
            const QList<QLineEdit*> edits = FocusableEdits(w);
            if (i >= edits.size())
                break;
            edits[i]->setFocus(Qt::OtherFocusReason);
            QApplication::processEvents();
            if (QApplication::focusWidget() == edits[i])
                ++focused;
            edits[i]->setText(QStringLiteral("x"));  // a value the leave checks would refuse
            delete w.data();
            QApplication::processEvents();
            EXPECT_TRUE(w.isNull());
        }
    }
    EXPECT_GT(windows, 30);
    EXPECT_GT(focused, 50) << "the edits really had the focus when their windows went away";
}
