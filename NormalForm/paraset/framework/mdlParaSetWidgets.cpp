#include "mdlParaSetWidgets.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

TRadioGroup::TRadioGroup(const QString& name, QWidget* parent) : QGroupBox(parent)
{
    setObjectName(name);
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(8, 4, 8, 4);
}

void TRadioGroup::SetItems(const QStringList& items)
{
    const int keep = ItemIndex();
    auto* lay = static_cast<QHBoxLayout*>(layout());
    while (FButtons.size() > items.size()) {
        delete FButtons.takeLast();
    }
    while (FButtons.size() < items.size()) {
        auto* b = new QRadioButton(this);
        b->setObjectName(objectName() + QLatin1Char('_') + QString::number(FButtons.size()));
        const int index = static_cast<int>(FButtons.size());
        connect(b, &QRadioButton::toggled, this, [this, index](bool on) {
            if (on)
                emit ItemIndexChanged(index);
        });
        lay->addWidget(b);
        FButtons.append(b);
    }
    for (int i = 0; i < items.size(); ++i) {
        FButtons.at(i)->setText(items.at(i));
        FButtons.at(i)->setAccessibleName(title().isEmpty() ? items.at(i) : title() + QLatin1Char(' ') + items.at(i));
    }
    if (keep >= 0 && keep < FButtons.size())
        SetItemIndex(keep);
}

QStringList TRadioGroup::Items() const
{
    QStringList items;
    for (const QRadioButton* b : FButtons)
        items.append(b->text());
    return items;
}

int TRadioGroup::ItemIndex() const
{
    for (int i = 0; i < FButtons.size(); ++i)
        if (FButtons.at(i)->isChecked())
            return i;
    return -1;
}

void TRadioGroup::SetItemIndex(int index)
{
    if (index >= 0 && index < FButtons.size()) {
        FButtons.at(index)->setChecked(true);
        return;
    }
    // No item: radio buttons of one parent are exclusive, so lift that for the reset.
    for (QRadioButton* b : FButtons) {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
}

QRadioButton* TRadioGroup::Button(int index) const
{
    return index >= 0 && index < FButtons.size() ? FButtons.at(index) : nullptr;
}

TFilterValidator::TFilterValidator(QLineEdit* edit, paraset::TKeyFilter filter, int maxTyped)
    : QValidator(edit), FEdit(edit), FFilter(filter), FMaxTyped(maxTyped)
{
    // The edit's text before a change (the control already holds the new text while it
    // asks the validator).
    FShown = edit->text();
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { FShown = text; });
}

QValidator::State TFilterValidator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos);
    if (!paraset::TextPasses(FFilter, input))
        return Invalid;
    if (FMaxTyped > 0 && input.size() > FMaxTyped) {
        // A longer stored value may be kept or shortened, never lengthened.
        if (input.size() > FShown.size())
            return Invalid;
    }
    return Acceptable;
}
