// Global helpers, message boxes and the message form.
#include "CoreBaseFixture.h"

#include "FormMsgBox.h"
#include "PrtTick.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

TEST(CoreHelpers, TickSpanAndTextHelpers)
{
    EXPECT_EQ(TickSpan(4294967280u, 16), 31u);
    EXPECT_EQ(TickSpan(5, 10), 5u);
    EXPECT_EQ(TickSpan(10, 10), 0u);

    struct IpCase {
        const char* text;
        bool valid;
    };
    for (const IpCase c : {IpCase{"192.168.0.33", true}, IpCase{"0.0.0.0", true}, IpCase{"255.255.255.255", false},
                           IpCase{"192.168.0", false}, IpCase{"1.2.3.4.5", false}, IpCase{"1.2.3.256", false},
                           IpCase{"a.b.c.d", false}, IpCase{"", false}})
        EXPECT_EQ(IsValidIPv4(c.text), c.valid) << c.text;

    struct SplitCase {
        const char* text;
        QStringList items;
    };
    for (const SplitCase& c : {SplitCase{"abc\r\nde", {"abc", "de"}}, SplitCase{"\r\nabcde", {"abcde"}},
                               SplitCase{"abcde\r\n", {"abcde"}}, SplitCase{"", {}},
                               SplitCase{"a\r\n\r\nb", {"a", "b"}}}) {
        QStringList list{"stale"};
        SplitBySeparator(c.text, "\r\n", list);
        EXPECT_EQ(list, c.items) << c.text;
    }

    EXPECT_EQ(ReplaceFirst("{0} and {0}", "{0}", "X"), "X and {0}");
    EXPECT_EQ(ReplaceFirst("abc", "B", "x"), "abc");  // case-sensitive
    EXPECT_EQ(ReplaceTextEx("aXbxc", "x", "-", rfReplaceAll | rfIgnoreCase), "a-b-c");
    EXPECT_EQ(BoolToText(true), "true");
    EXPECT_EQ(BoolToText(false), "false");
    EXPECT_DOUBLE_EQ(AddIntToFloat(2, 0.5), 2.5);
    EXPECT_TRUE(IsSameText("Label", "LABEL"));

    for (const auto& [n, d] : std::vector<std::pair<int, const char*>>{
             {0, "Desc:ESC"}, {1, "Desc:TSPL"}, {2, "Desc:STAR"}, {3, "Desc:CPCL"}, {4, "Desc:ZPL"}, {5, "Desc:EPL"}, {9, "Desc:9"}})
        EXPECT_EQ(GetProtocolDesc(n), d);

    // key filters
    EXPECT_TRUE(IsAlnumKey(QChar(8)) && IsAlnumKey('z') && IsAlnumKey('7') && !IsAlnumKey('-'));
    EXPECT_TRUE(IsDigitKey(QChar(8)) && IsDigitKey('0') && !IsDigitKey('a'));
    QChar k('q');
    EXPECT_TRUE(UpCaseKey(k));
    EXPECT_EQ(k, QChar('Q'));

    // buffers: cut to fit, always terminated
    char16_t buf[5];
    StringToStrBuf("abcdefgh", buf, 5);
    EXPECT_EQ(StrPasToString(buf), "abcd");
    StringToStrBuf("ab", buf, 5);
    EXPECT_EQ(StrPasToString(buf), "ab");
}

TEST(CoreHelpers, WaitMsSleepsThroughTheHookAndReturnsAtOnceForNegative)
{
    static int sleeps = 0;
    sleeps = 0;
    prt::SleepHook old = prt::SetSleepHook([](uint32_t) { ++sleeps; });
    WaitMs(-5);
    EXPECT_EQ(sleeps, 0);
    SleepMs(10);
    EXPECT_EQ(sleeps, 1);
    prt::SetSleepHook(old);
}

TEST(CoreHelpers, NameValueListsAndComboSelection)
{
    const QStringList list{"0=OFF", "1=ON", "3=ON=X", "7"};
    int found = -1;
    QString text;
    FindValueByName("1", &list, found, text);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(text, "ON");
    FindValueByName("3", &list, found, text);
    EXPECT_EQ(text, "ON=X");  // split at the first "="
    FindNameByValue("ON", &list, found, text);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(text, "1");  // first match
    FindNameByValue("none", &list, found, text);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(text, "");
    FindValueByName("1", nullptr, found, text);
    EXPECT_EQ(found, 0);

    QComboBox combo;
    combo.addItem("old");
    FillComboFromValues(&combo, &list);
    ASSERT_EQ(combo.count(), 4);
    EXPECT_EQ(combo.itemText(0), "OFF");
    EXPECT_EQ(combo.itemText(2), "ON=X");
    FillComboFromValues(&combo, nullptr);  // no list: untouched
    EXPECT_EQ(combo.count(), 4);

    combo.clear();
    combo.addItems({"PC437(USA)", "Korean(KR)", "Latin(Kr)"});
    combo.setCurrentIndex(2);
    SelectComboItemByCode(&combo, "kr");
    EXPECT_EQ(combo.currentIndex(), 1);
    combo.setCurrentIndex(2);
    SelectComboItemByCode(&combo, "KR");  // the code is compared lower-cased only
    EXPECT_EQ(combo.currentIndex(), 0);

    combo.setCurrentIndex(2);
    SelectComboItemByText(&combo, "korean(kr)");
    EXPECT_EQ(combo.currentIndex(), 1);
    SelectComboItemExact(&combo, "korean(kr)");
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_TRUE(SelectComboItem(&combo, "Latin(Kr)"));
    EXPECT_EQ(combo.currentIndex(), 2);
    EXPECT_FALSE(SelectComboItem(&combo, "nothing"));
    EXPECT_EQ(combo.currentIndex(), 2);

    // The edit colours follow the theme: button face read-only, field base writable.
    QLineEdit edit;
    SetEditReadOnly(&edit);
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(edit.palette().color(QPalette::Base), QGuiApplication::palette().color(QPalette::Button));
    SetEditWritable(&edit);
    EXPECT_FALSE(edit.isReadOnly());
    EXPECT_EQ(edit.palette().color(QPalette::Base), QGuiApplication::palette().color(QPalette::Base));
}

TEST_F(CoreBaseTest, MessageBoxesUseCaptionsFlagsAndAnswers)
{
    prt::SetLangText("_MSG_Title_Message", "Message");
    prt::SetLangText("_MSG_Title_Warn", "Warning");
    prt::test::MsgBoxRecorder rec(prt::IDCANCEL_);
    ShowInfoBox("info");
    EXPECT_FALSE(AskOkCancel("sure?"));
    rec.setAnswer(prt::IDOK_);
    EXPECT_TRUE(AskOkCancel("sure?"));
    ASSERT_EQ(rec.calls().size(), 3u);
    EXPECT_EQ(rec.calls()[0].caption, "Message");
    EXPECT_EQ(rec.calls()[0].flags, 64u);
    EXPECT_EQ(rec.calls()[1].caption, "Warning");
    EXPECT_EQ(rec.calls()[1].flags, 0x40121u);

    // Debug-only boxes are silent outside debug mode.
    rec.clear();
    ShowDebugNameMessage("P1", 2);
    ShowTestReadme();
    EXPECT_TRUE(rec.calls().empty());
    EnterDebugMode();
    ShowDebugNameMessage("P1", 2);
    ShowTestReadme();
    ASSERT_EQ(rec.calls().size(), 2u);
    EXPECT_EQ(rec.calls()[0].text, "Other Prt...(P1)");
    EXPECT_TRUE(rec.calls()[1].text.startsWith("Test:\r\nIntKey:"));
    EXPECT_TRUE(rec.calls()[1].text.endsWith(QStringLiteral("支持两种指令集:ZPL 和 CPCL.")));
}

TEST_F(CoreBaseTest, DebugInputBoxAsksOnlyInDebugMode)
{
    static int asked = 0;
    asked = 0;
    InputBoxHook old = SetInputBoxHook([](const QString&, const QString&, const QString&) {
        ++asked;
        return QString("typed");
    });
    EXPECT_EQ(DebugInputBox("c", "p", "def"), "def");
    EXPECT_EQ(asked, 0);
    EnterDebugMode();
    EXPECT_EQ(DebugInputBox("c", "p", "def"), "typed");
    EXPECT_EQ(asked, 1);
    SetInputBoxHook(old);
}

TEST_F(CoreBaseTest, MessageFormControlsCaptionsAndLayout)
{
    SetSystemLangIdForTest(1033);
    WriteConfig("UtilityForLabelLanguage.ini",
                "[LanguageCollect]\nList=1033\nDefaultLanguageID=1033\n[1033]\n_MSG_Title_Message=Msg\n_OK=Yes\n_Cancel=No\n");
    TfrmFormMsgBox form;
    EXPECT_EQ(form.findChild<QWidget*>("pnlB"), form.pnlB);
    EXPECT_EQ(form.findChild<QPushButton*>("btnOk"), form.btnOk);
    EXPECT_EQ(form.findChild<QPushButton*>("btnCancel"), form.btnCancel);
    EXPECT_EQ(form.findChild<QPlainTextEdit*>("mmoInfo"), form.mmoInfo);
    EXPECT_TRUE(form.mmoInfo->isReadOnly());
    EXPECT_EQ(form.windowTitle(), "Msg");
    EXPECT_EQ(form.btnOk->text(), "Yes");
    EXPECT_EQ(form.btnCancel->text(), "No");
    for (int w : {400, 301, 100}) {
        form.resize(w, 200);
        form.FormResize();
        const int bw = form.btnOk->width();
        const int left = (form.width() - 2 * bw - 64) / 2;
        EXPECT_EQ(form.btnOk->x(), left) << w;
        EXPECT_EQ(form.btnCancel->x(), left + bw + 64) << w;
    }

    prt::test::MsgBoxRecorder rec;
    ShowMsgBox("long text");
    ASSERT_EQ(rec.calls().size(), 1u);
    EXPECT_EQ(rec.calls()[0].text, "long text");
    EXPECT_EQ(rec.calls()[0].caption, "Msg");
}
