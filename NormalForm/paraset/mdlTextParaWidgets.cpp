#include "mdlTextParaWidgets.h"

#include "PrtTexts.h"
#include "mdlTextParaCodecs.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

TParaRadioGroup::TParaRadioGroup(QWidget* parent) : QGroupBox(parent)
{
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    layout_ = new QHBoxLayout(this);
    layout_->setContentsMargins(8, 4, 8, 4);
    connect(group_, &QButtonGroup::idClicked, this, &TParaRadioGroup::itemClicked);
}

void TParaRadioGroup::SetItems(const QStringList& items)
{
    const int keep = ItemIndex();
    for (QAbstractButton* b : group_->buttons()) {
        group_->removeButton(b);
        delete b;
    }
    items_ = items;
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items.at(i), this);
        b->setObjectName(objectName() + QStringLiteral("_Item%1").arg(i));
        group_->addButton(b, i);
        layout_->addWidget(b);
    }
    SetItemIndex(keep);
}

int TParaRadioGroup::ItemIndex() const
{
    return group_->checkedId();
}

void TParaRadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton* b = group_->button(index)) {
        b->setChecked(true);
        return;
    }
    // No item: clear the selection.
    group_->setExclusive(false);
    for (QAbstractButton* b : group_->buttons())
        b->setChecked(false);
    group_->setExclusive(true);
}

void TParaRadioGroup::ClickItem(int index)
{
    if (QAbstractButton* b = group_->button(index))
        b->click();
}

TParaKeyFilter::TParaKeyFilter(QLineEdit* edit, Mode mode, int maxTyped)
    : QObject(edit), edit_(edit), mode_(mode), maxTyped_(maxTyped)
{
    edit->installEventFilter(this);
}

bool TParaKeyFilter::Accepts(QChar c) const
{
    const ushort u = c.unicode();
    bool ok = false;
    switch (mode_) {
    case Number: ok = u >= '0' && u <= '9'; break;
    case NumberSigned: ok = (u >= '0' && u <= '9') || u == '-'; break;
    case BtName: ok = u >= 33 && u <= 126 && u != '"'; break;
    case Any: ok = true; break;
    }
    if (!ok)
        return false;
    if (maxTyped_ > 0 && !edit_->hasSelectedText() && edit_->text().size() >= maxTyped_)
        return false;
    return true;
}

bool TParaKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Editing keys (backspace, delete, arrows, enter) carry no printable text.
        if (text.size() == 1 && text.at(0).isPrint() && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return !Accepts(text.at(0));
    }
    return QObject::eventFilter(watched, event);
}

// ---- TTextParaDialog ----

TTextParaDialog::TTextParaDialog(QWidget* parent) : QDialog(parent)
{
    cmd_ = std::make_unique<textpara::TLinkTextParaCmd>();
}

TTextParaDialog::~TTextParaDialog() = default;

void TTextParaDialog::SetCommand(std::unique_ptr<textpara::ITextParaCmd> cmd)
{
    cmd_ = std::move(cmd);
}

QLabel* TTextParaDialog::Label(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    return l;
}

QLineEdit* TTextParaDialog::Edit(const QString& name, QWidget* parent, int maxTyped, TParaKeyFilter::Mode mode)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    new TParaKeyFilter(e, mode, maxTyped);
    return e;
}

QComboBox* TTextParaDialog::Combo(const QString& name, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setMinimumWidth(110);
    return c;
}

TParaRadioGroup* TTextParaDialog::Radio(const QString& name, QWidget* parent)
{
    auto* r = new TParaRadioGroup(parent);
    r->setObjectName(name);
    return r;
}

void TTextParaDialog::WireTouches()
{
    for (QComboBox* cb : findChildren<QComboBox*>()) {
        const QString name = cb->objectName();
        connect(cb, &QComboBox::activated, this, [this, name](int index) {
            c_.Select(name, index);
            c_.Touch(name);
            ComboPicked(name);
        });
    }
    for (QLineEdit* e : findChildren<QLineEdit*>()) {
        const QString name = e->objectName();
        connect(e, &QLineEdit::textEdited, this, [this, name](const QString& text) {
            c_.SetText(name, text);
            c_.Touch(name);
        });
        connect(e, &QLineEdit::editingFinished, this, [this, e] { EditLeft(e); });
    }
    for (TParaRadioGroup* r : findChildren<TParaRadioGroup*>()) {
        const QString name = r->objectName();
        connect(r, &TParaRadioGroup::itemClicked, this, [this, name](int index) {
            c_.Select(name, index);
            c_.Touch(name);
        });
    }
}

void TTextParaDialog::Push()
{
    textpara::PushControls(this, c_);
}

void TTextParaDialog::Pull()
{
    textpara::PullControls(this, c_);
}

void TTextParaDialog::ApplyCaptions(const std::vector<std::pair<const char*, const char*>>& captions)
{
    for (const auto& [name, key] : captions) {
        const QString text = prt::LangText(QString::fromLatin1(key));
        if (auto* g = findChild<QGroupBox*>(QString::fromLatin1(name)))
            g->setTitle(text);
        else if (auto* l = findChild<QLabel*>(QString::fromLatin1(name)))
            l->setText(text);
    }
}

void TTextParaDialog::SetCaptionItems(const QString& name, const QStringList& keys)
{
    QStringList items;
    for (const QString& k : keys)
        items << prt::LangText(k);
    const int keep = c_.Index(name);
    c_.SetItems(name, items, keep);
    if (auto* r = findChild<TParaRadioGroup*>(name))
        r->SetItems(items);
}

void TTextParaDialog::CheckValueRange(QLineEdit* edit, bool ranged, int lo, int hi)
{
    const QString name = edit->objectName();
    if (edit->text().trimmed().isEmpty()) {
        edit->setText(QStringLiteral("0"));
        c_.SetText(name, edit->text());
        return;
    }
    if (!ranged)
        return;
    bool ok = false;
    const QString clamped = textpara::ClampIntText(edit->text(), lo, hi, ok);
    if (ok && clamped != edit->text()) {
        edit->setText(clamped);
        c_.SetText(name, clamped);
    }
}
