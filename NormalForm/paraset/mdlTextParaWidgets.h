#pragma once
// Small widgets of the text-command parameter forms.
//
// TParaRadioGroup: a titled group of radio buttons with one selected item index, the parameter forms'
// radio groups (two or three choices). Item texts can be replaced; -1 = no selection.
#include "mdlTextParaPass.h"

#include <QDialog>
#include <QGroupBox>
#include <QStringList>
#include <memory>
#include <utility>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QHBoxLayout;

class TParaRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TParaRadioGroup(QWidget* parent = nullptr);

    void SetItems(const QStringList& items);
    QStringList Items() const { return items_; }
    int ItemIndex() const;
    void SetItemIndex(int index);  // no signal
    // The operator's buttons (tests drive the group as the operator would).
    void ClickItem(int index);

signals:
    // Emitted when the operator picks an item.
    void itemClicked(int index);

private:
    QStringList items_;
    QButtonGroup* group_ = nullptr;
    QHBoxLayout* layout_ = nullptr;
};

// Key filter of an edit: which typed characters pass, and the most characters typing may
// reach (0 = no limit). The limit stops typing only: a longer text set by the program
// (a value read from the printer) is shown and kept whole.
class TParaKeyFilter : public QObject {
    Q_OBJECT
public:
    enum Mode { Number, NumberSigned, BtName, Any };
    TParaKeyFilter(QLineEdit* edit, Mode mode, int maxTyped);
    // True when the character may be typed into the edit now.
    bool Accepts(QChar c) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit_;
    Mode mode_;
    int maxTyped_;
};

// What the ZR and QX forms share as windows: the control states mirrored in the widgets of
// the same names, the operator's changes marked as "touched", the control builders and the
// printer commands (replaceable by tests).
class TTextParaDialog : public QDialog {
    Q_OBJECT
public:
    explicit TTextParaDialog(QWidget* parent = nullptr);
    ~TTextParaDialog() override;

    void SetCommand(std::unique_ptr<textpara::ITextParaCmd> cmd);
    const textpara::TParaControls& Controls() const { return c_; }

protected:
    QLabel* Label(const QString& name, QWidget* parent);
    QLineEdit* Edit(const QString& name, QWidget* parent, int maxTyped, TParaKeyFilter::Mode mode);
    QComboBox* Combo(const QString& name, QWidget* parent);
    TParaRadioGroup* Radio(const QString& name, QWidget* parent);
    // Connects every combo, edit and radio group built so far: an operator's change updates
    // the state, marks it touched and calls ComboPicked / EditLeft.
    void WireTouches();
    virtual void ComboPicked(const QString& name) { Q_UNUSED(name); }
    virtual void EditLeft(QLineEdit* edit) { Q_UNUSED(edit); }
    void Push();
    void Pull();
    // Group-box titles and label texts by language key.
    void ApplyCaptions(const std::vector<std::pair<const char*, const char*>>& captions);
    // Items of a control that are language texts; the selection stays.
    void SetCaptionItems(const QString& name, const QStringList& keys);
    // Empty edit -> "0"; an integer beyond lo..hi -> the bound (texts other than integers
    // stay for the Set check). Not a change of the operator's.
    void CheckValueRange(QLineEdit* edit, bool ranged, int lo, int hi);

    std::unique_ptr<textpara::ITextParaCmd> cmd_;
    textpara::TParaControls c_;
};
