#include "mdlKeyFrameForm.h"

#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlGlobalVar.h"
#include "mdlOptionLists.h"
#include "mdlParaSetForm.h"
#include "mdlParaSetWidgets.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

QString KfText(const QString& key)
{
    return TParaSetForm::Caption(key);
}

QString KfTemplate(const QString& key, const QStringList& values)
{
    QString t = KfText(key);
    for (int i = 0; i < values.size(); ++i)
        t = ReplaceFirst(t, QStringLiteral("{%1}").arg(i), values.at(i));
    return t;
}

void KfErrorBox(const QString& text)
{
    TParaSetForm::ShowError(text);
}

void KfInfoBox(const QString& text)
{
    TParaSetForm::ShowInfo(text);
}

void KfSetItems(QComboBox* combo, const QStringList& items)
{
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(-1);
}

bool KfSelectText(QComboBox* combo, const QString& text)
{
    const int i = combo->findText(text, Qt::MatchExactly);
    if (i < 0)
        return false;
    combo->setCurrentIndex(i);
    return true;
}

QStringList KfItems(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

QStringList TextsOfList(const QStringList& list)
{
    QStringList texts;
    for (const QString& line : list)
        texts << OptionLineText(line);
    return texts;
}


// ---- filled tracking --------------------------------------------------------------------------

void TKfFilled::Watch(QComboBox* combo)
{
    connect(combo, &QComboBox::activated, this, [this, combo] { Mark(combo); });
}

void TKfFilled::Watch(QLineEdit* edit)
{
    connect(edit, &QLineEdit::textEdited, this, [this, edit] { Mark(edit); });
}

void TKfFilled::Watch(QCheckBox* box)
{
    connect(box, &QCheckBox::clicked, this, [this, box] { Mark(box); });
}

void TKfFilled::Watch(QButtonGroup* group, QWidget* owner)
{
    connect(group, &QButtonGroup::buttonClicked, this, [this, owner] { Mark(owner); });
}

// ---- controls ------------------------------------------------------------------------------------

TKfControl KfCombo(QComboBox* combo, const QStringList* list)
{
    TKfControl c;
    c.Widget = combo;
    c.Combo = combo;
    c.List = list;
    return c;
}

TKfControl KfEdit(QLineEdit* edit, bool alt)
{
    TKfControl c;
    c.Widget = edit;
    c.Edit = edit;
    c.Alt = alt;
    return c;
}

TKfControl KfCheck(QCheckBox* box)
{
    TKfControl c;
    c.Widget = box;
    c.Check = box;
    return c;
}

TKfControl KfRadio(QButtonGroup* group, QWidget* owner)
{
    TKfControl c;
    c.Widget = owner;
    c.Radio = group;
    return c;
}

TKfControl KfParts(QWidget* owner, const QList<QLineEdit*>& parts)
{
    TKfControl c;
    c.Widget = owner;
    c.Parts = parts;
    return c;
}

namespace {

TKfContext ContextOf(const TKfControl& c)
{
    TKfContext ctx;
    ctx.List = c.List;
    ctx.Alt = c.Alt;
    if (c.Combo)
        ctx.Items = KfItems(c.Combo);
    if (c.Radio)
        for (QAbstractButton* b : c.Radio->buttons())
            ctx.Items << b->text();
    return ctx;
}

void SetRadio(QButtonGroup* group, int index)
{
    const QList<QAbstractButton*> buttons = group->buttons();
    if (index < 0 || index >= buttons.size())
        return;
    buttons.at(index)->setChecked(true);
}

int RadioIndex(const QButtonGroup* group)
{
    const QList<QAbstractButton*> buttons = group->buttons();
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons.at(i)->isChecked())
            return i;
    return -1;
}

// What the control shows right now, texts as they stand (not trimmed).
TKfShown ShownNow(const TKfControl& c)
{
    TKfShown now;
    if (c.Combo) {
        // An editable combo holds a text (the network name): which item, if any, carries
        // it does not matter (a scan replaces the items and selects the name again).
        now.Index = c.Combo->isEditable() ? -1 : c.Combo->currentIndex();
        now.Text = c.Combo->currentText();
    } else if (c.Edit) {
        now.Text = c.Edit->text();
    } else if (c.Check) {
        now.Checked = c.Check->isChecked();
    } else if (c.Radio) {
        now.Index = RadioIndex(c.Radio);
    } else {
        for (QLineEdit* e : c.Parts)
            now.Parts << e->text();
    }
    return now;
}

bool SameShown(const TKfShown& a, const TKfShown& b)
{
    return a.Index == b.Index && a.Text == b.Text && a.Checked == b.Checked && a.Parts == b.Parts;
}

} // namespace

bool KfReadInto(const TKeyFrameRow& row, uint8_t op, const TKfControl& c, TKfFilled& filled, bool* replyOk)
{
    QByteArray reply;
    const bool ok = KfReadRow(row, op, reply, c.Alt);
    if (replyOk)
        *replyOk = ok;
    if (!ok)
        return false;
    TKfShown shown;
    if (!KfDecode(row, reply, ContextOf(c), shown))
        return false;
    if (c.Combo && c.Combo->isEditable() && (row.Map == TKfMap::Text || row.Map == TKfMap::Utf8Text)) {
        c.Combo->setEditText(shown.Text);
    } else if (c.Combo) {
        if (shown.Index >= 0)
            c.Combo->setCurrentIndex(shown.Index);
        else if (!KfSelectText(c.Combo, shown.Text))
            return false;
    } else if (c.Edit) {
        c.Edit->setText(shown.Text);
    } else if (c.Check) {
        c.Check->setChecked(shown.Checked);
    } else if (c.Radio) {
        SetRadio(c.Radio, shown.Index);
    } else {
        for (int i = 0; i < c.Parts.size() && i < shown.Parts.size(); ++i)
            c.Parts.at(i)->setText(shown.Parts.at(i));
    }
    filled.Mark(c.Widget);
    filled.NoteRead(c.Widget, reply, ShownNow(c));
    return true;
}

bool KfAsRead(const TKfControl& c, const TKfFilled& filled)
{
    const TKfFilled::TAsRead* read = filled.ReadOf(c.Widget);
    return read && filled.Has(c.Widget) && SameShown(read->Shown, ShownNow(c));
}

int KfWriteFrom(const TKeyFrameRow& row, uint8_t op, const TKfControl& c, const TKfFilled& filled)
{
    if (!filled.Has(c.Widget))
        return 0;
    if (row.Write != TKfWrite::None && KfAsRead(c, filled)) {
        TKfWire wire;
        wire.AsRead = true;
        wire.Bytes = filled.ReadOf(c.Widget)->Bytes;
        return KfWriteRow(row, op, wire, c.Alt) == 0 ? 1 : -1;
    }
    TKfShown shown;
    if (c.Combo) {
        shown.Index = c.Combo->currentIndex();
        shown.Text = shown.Index < 0 ? QString() : c.Combo->currentText();
        if (row.Map == TKfMap::Utf8Text || row.Map == TKfMap::Text)
            shown.Text = c.Combo->currentText().trimmed();
    } else if (c.Edit) {
        shown.Text = c.Edit->text().trimmed();
    } else if (c.Check) {
        shown.Checked = c.Check->isChecked();
    } else if (c.Radio) {
        shown.Index = RadioIndex(c.Radio);
    } else {
        for (QLineEdit* e : c.Parts)
            shown.Parts << e->text().trimmed();
    }
    TKfWire wire;
    if (!KfEncode(row, shown, ContextOf(c), wire))
        return 0;
    return KfWriteRow(row, op, wire, c.Alt) == 0 ? 1 : -1;
}

// ---- key filters -----------------------------------------------------------------------------

void KfInstallKeyFilter(QLineEdit* edit, paraset::TKeyFilter filter, int maxTyped)
{
    edit->setMaxLength(32767);
    edit->setValidator(new TFilterValidator(edit, filter, maxTyped));
}
