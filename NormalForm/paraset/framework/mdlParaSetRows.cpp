#include "mdlParaSetRows.h"

#include "mdlParaSetForm.h"

#include <QAbstractButton>

namespace pararows {

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QComboBox* NewCombo(QWidget* parent, const char* name, const QStringList& items)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->addItems(items);
    c->setMinimumWidth(120);
    return c;
}

QLineEdit* NewEdit(QWidget* parent, const char* name, int width)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMinimumWidth(width);
    return e;
}

QGroupBox* NewGroup(QWidget* parent, const char* name)
{
    auto* g = new QGroupBox(parent);
    g->setObjectName(QString::fromLatin1(name));
    return g;
}

void AddRow(QGridLayout* grid, int row, QLabel* label, QWidget* control, QWidget* unit)
{
    if (label) {
        grid->addWidget(label, row, 0);
        label->setBuddy(control);
    }
    grid->addWidget(control, row, 1);
    if (unit)
        grid->addWidget(unit, row, 2);
}

void SetCaptionKey(QWidget* w, const char* key)
{
    const QString text = TParaSetForm::Caption(QString::fromLatin1(key));
    if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
}

} // namespace pararows
