#pragma once
// Small controls of the parameter forms.
//
// How a form uses them:
//   TRadioGroup      a group box holding a two-choice (or n-choice) radio list with an
//                    item index, for the gpb... radio groups (SetItems, ItemIndex,
//                    SetItemIndex); its radio buttons are named <group>_0, <group>_1, ...
//   TFilterValidator attached to an edit by TParaSetForm::RegisterNumberEdit and
//                    RegisterFilteredEdit: takes typed and pasted text only when every
//                    character passes the key filter, and binds the length limit to typing
//                    only (a longer stored value set by the form is shown whole and may be
//                    shortened, never lengthened).
#include "mdlParaSetCodecs.h"

#include <QGroupBox>
#include <QList>
#include <QPointer>
#include <QValidator>

class QLineEdit;
class QRadioButton;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TRadioGroup(const QString& name, QWidget* parent = nullptr);

    // Replaces the items (keeps the selection by position when it still exists).
    void SetItems(const QStringList& items);
    QStringList Items() const;
    int ItemCount() const { return static_cast<int>(FButtons.size()); }
    // -1 when no item is checked.
    int ItemIndex() const;
    void SetItemIndex(int index);
    QRadioButton* Button(int index) const;

signals:
    void ItemIndexChanged(int index);

private:
    QList<QRadioButton*> FButtons;
};

class TFilterValidator : public QValidator {
    Q_OBJECT
public:
    TFilterValidator(QLineEdit* edit, paraset::TKeyFilter filter, int maxTyped);
    State validate(QString& input, int& pos) const override;

    paraset::TKeyFilter Filter() const { return FFilter; }
    int MaxTyped() const { return FMaxTyped; }

private:
    QPointer<QLineEdit> FEdit;
    paraset::TKeyFilter FFilter;
    int FMaxTyped;
    QString FShown;
};
