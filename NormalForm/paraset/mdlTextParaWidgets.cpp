#include "mdlTextParaWidgets.h"

#include "PrtTexts.h"
#include "mdlPubFunc.h"
#include "mdlTextParaCodecs.h"

#include <QAbstractButton>
#include <QRadioButton>
#include <QComboBox>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

// ---- TTextParaDialog ----

TTextParaDialog::TTextParaDialog(QWidget* parent) : QDialog(parent)
{
    cmd_ = std::make_unique<textpara::TLinkTextParaCmd>();
}

TTextParaDialog::~TTextParaDialog()
{
    CutLeaveHandlers(this);
}

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

QLineEdit* TTextParaDialog::Edit(const QString& name, QWidget* parent, int maxTyped, paraset::TKeyFilter filter)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setValidator(new TFilterValidator(e, filter, maxTyped));
    return e;
}

QComboBox* TTextParaDialog::Combo(const QString& name, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setMinimumWidth(110);
    return c;
}

TRadioGroup* TTextParaDialog::Radio(const QString& name, QWidget* parent)
{
    return new TRadioGroup(name, parent);
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
    for (TRadioGroup* r : findChildren<TRadioGroup*>()) {
        const QString name = r->objectName();
        // The operator's click (programmatic selections do not click).
        for (int i = 0; i < r->ItemCount(); ++i)
            connect(r->Button(i), &QAbstractButton::clicked, this, [this, name, i] {
                c_.Select(name, i);
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
    if (auto* r = findChild<TRadioGroup*>(name))
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
