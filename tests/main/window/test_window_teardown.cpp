// Every window of the opener table goes away cleanly while one of its edits has the focus:
// the edit loses its focus while the window's children are freed, and no leave handler of
// the window may run then (under UBSan a call on the half-destroyed window is an error).
// Every window shown in each shipped language shows its captions whole, and a parameter
// form's labels end without a colon; with PRT_WINDOW_PICTURES naming a folder every
// window's picture is saved there.
#include "MainFixture.h"

#include "PrtIni.h"
#include "PrtTexts.h"
#include "mdlFormOpeners.h"
#include "mdlGlobalVar.h"
#include "mdlIniRead.h"
#include "mdlLangText.h"
#include "mdlLanguage.h"
#include "mdlStartup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStyle>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <iostream>

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

// A caption that does not fit: the control, its text, the width the text needs and has.
struct TCutCaption {
    QString Control;
    QString Text;
    int Need = 0;
    int Have = 0;
};

int TextWidth(const QFontMetrics& fm, const QString& text)
{
    int width = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        width = std::max(width, fm.horizontalAdvance(line));
    return width;
}

// The captions of the shown controls of a window that are wider than their control, or that
// run past the right edge of the control's parent.
QList<TCutCaption> CutCaptions(QWidget* window)
{
    QList<TCutCaption> cuts;
    for (QWidget* c : window->findChildren<QWidget*>()) {
        if (!c->isVisibleTo(window))
            continue;
        QString text;
        int need = 0;
        int have = c->width();
        if (auto* l = qobject_cast<QLabel*>(c)) {
            if (l->wordWrap() || Qt::mightBeRichText(l->text()) || l->text().trimmed().isEmpty())
                continue;
            text = l->text();
            need = TextWidth(l->fontMetrics(), text);
            have = l->contentsRect().width() - 2 * l->margin();
        } else if (auto* e = qobject_cast<QLineEdit*>(c)) {
            if (!e->isReadOnly() || e->hasFrame() || e->text().trimmed().isEmpty())
                continue;  // only the borderless read-only edits that serve as row labels
            text = e->text();
            need = TextWidth(e->fontMetrics(), text) + 4;
        } else if (qobject_cast<QCheckBox*>(c) || qobject_cast<QRadioButton*>(c)) {
            text = static_cast<QAbstractButton*>(c)->text();
            if (text.isEmpty())
                continue;
            need = c->sizeHint().width();
        } else if (auto* b = qobject_cast<QPushButton*>(c)) {
            text = b->text();
            if (text.isEmpty())
                continue;
            need = TextWidth(b->fontMetrics(), QString(text).remove(QLatin1Char('&'))) +
                   2 * b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
        } else if (auto* g = qobject_cast<QGroupBox*>(c)) {
            text = g->title();
            if (text.trimmed().isEmpty())
                continue;
            need = TextWidth(g->fontMetrics(), text) + 16;
        } else {
            continue;
        }
        const QWidget* parent = c->parentWidget();
        const bool pastParent = parent && c->x() + std::min(need, have) > parent->width();
        if (need > have || pastParent)
            cuts.append({c->objectName(), text, need, have});
    }
    return cuts;
}

// The English texts of the language file that Chinese says otherwise: shown in the Chinese
// UI, such a text was left untranslated.
QSet<QString> EnglishOnlyTexts(const QString& fileName)
{
    const QString path = GetFilesDir() + fileName;
    QHash<QString, QString> chinese;
    for (const auto& entry : prt::IniReadEntries(path, QStringLiteral("2052")))
        chinese.insert(entry.first, entry.second.trimmed());
    QSet<QString> english;
    for (const auto& entry : prt::IniReadEntries(path, QStringLiteral("1033"))) {
        const QString en = entry.second.trimmed();
        const QString zh = chinese.value(entry.first);
        // Unit symbols ("mm") read the same in both languages.
        if (!en.isEmpty() && !zh.isEmpty() && zh != en && en != QLatin1String("mm"))
            english.insert(en);
    }
    return english;
}

// A text with Chinese characters: shown in the English UI, a design caption that no
// language text replaced.
bool HasChinese(const QString& text)
{
    for (QChar c : text)
        if (c.script() == QChar::Script_Han)
            return true;
    return false;
}

// The shown captions of a window (title, labels, buttons, group titles).
QStringList ShownCaptions(QWidget* window)
{
    QStringList texts{window->windowTitle()};
    for (QWidget* c : window->findChildren<QWidget*>()) {
        if (!c->isVisibleTo(window))
            continue;
        if (auto* l = qobject_cast<QLabel*>(c))
            texts << l->text();
        else if (auto* b = qobject_cast<QAbstractButton*>(c))
            texts << b->text();
        else if (auto* g = qobject_cast<QGroupBox*>(c))
            texts << g->title();
    }
    return texts;
}

// The windows of the device tools (each must be in the opener table).
const QStringList kToolWindows = {"TfrmRfidSet",         "T_frmScanTest",      "T_frmCommandTest",
                                  "T_frmPrintText",      "T_frmPrintTextLabel", "T_frmPrintTextLabelCpclV52bt",
                                  "TFormNet",            "TfrmAdvancedSettings"};

} // namespace

TEST_F(WindowTeardown, EveryWindowInEachLanguageShowsItsCaptionsWhole)
{
    MsgBoxRecorder boxes;
    const QString pictures = qEnvironmentVariable("PRT_WINDOW_PICTURES");
    if (!pictures.isEmpty())
        QDir().mkpath(pictures);
    int toolWindows = 0;
    const QSet<QString> englishOnly = EnglishOnlyTexts(QStringLiteral("UtilityForLabelLanguage.ini"));
    for (const char* language : {"1033", "2052"}) {
        SCOPED_TRACE(language);
        gLangFileName = QStringLiteral("UtilityForLabelLanguage.ini");
        gLangId = QString::fromLatin1(language);
        SetSystemLangIdForTest(gLangId.toInt());
        FreeConstLangV();
        GetConstLangV();
        LoadLanguageStrings();
        PublishLanguageTexts(gLangFileName, gLangId);
        for (const QString& name : AvailableFormNames()) {
            SCOPED_TRACE(name.toStdString());
            QWidget* w = CreateFormByName(name);
            ASSERT_NE(w, nullptr);
            w->show();
            QApplication::processEvents();
            if (!pictures.isEmpty()) {
                EXPECT_TRUE(w->grab().save(pictures + "/" + name + "-" + language + ".png"));
            }
            const QList<TCutCaption> cuts = CutCaptions(w);
            toolWindows += kToolWindows.contains(name) ? 1 : 0;
            for (const TCutCaption& cut : cuts)
                ADD_FAILURE() << cut.Control.toStdString() << " \"" << cut.Text.toStdString() << "\" needs "
                              << cut.Need << " px, has " << cut.Have;
            if (QString::fromLatin1(language) == QLatin1String("2052")) {
                for (const QString& text : ShownCaptions(w))
                    EXPECT_FALSE(englishOnly.contains(text.trimmed())) << "untranslated: \"" << text.toStdString() << "\"";
            } else {
                for (const QString& text : ShownCaptions(w))
                    EXPECT_FALSE(HasChinese(text)) << "Chinese in the English UI: \"" << text.toStdString() << "\"";
            }
            // A parameter form's labels end without a colon, whether the text or the code would add it.
            if (name.startsWith(QLatin1String("T_frmParaSet_"))) {
                for (const QLabel* l : w->findChildren<QLabel*>()) {
                    const QString t = l->text().trimmed();
                    EXPECT_FALSE(l->isVisibleTo(w) && (t.endsWith(QLatin1Char(':')) || t.endsWith(QChar(0xFF1A))))
                        << l->objectName().toStdString() << " \"" << t.toStdString() << "\"";
                }
            }
            delete w;
        }
    }
    EXPECT_EQ(toolWindows, int(2 * kToolWindows.size())) << "every tool window is in the opener table";
}

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
