#pragma once
// Pieces the key-frame forms share: language texts and message boxes, the tracking of
// which controls hold a value the printer gave or the operator chose (only those are
// written back), showing a decoded value on a control and reading it back, key filters,
// and one row's read or write with its control.
#include "mdlKeyFrameTable.h"
#include "mdlParaSetCodecs.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>

class QWidget;
class QComboBox;
class QLineEdit;
class QCheckBox;
class QButtonGroup;

// The language text of a key (captions, messages): the framework's Caption.
QString KfText(const QString& key);
// Template text with "{0}" (then "{1}", "{2}") replaced at its first occurrence.
QString KfTemplate(const QString& key, const QStringList& values);
void KfErrorBox(const QString& text);  // caption "_MSG_Title_Error", error icon
void KfInfoBox(const QString& text);   // caption "_MSG_Title_Message", information icon

// Combo helpers: items replaced with nothing selected; select the item with the text
// (no change when none has it).
void KfSetItems(QComboBox* combo, const QStringList& items);
bool KfSelectText(QComboBox* combo, const QString& text);
QStringList KfItems(const QComboBox* combo);
// The shown texts of a "value=Text" list, in order.
QStringList TextsOfList(const QStringList& list);

// Remembers which controls hold a value to write: filled by a good reply, or touched by
// the operator (an item chosen, text typed, a box clicked). For a control a read filled it
// also keeps the bytes read and what the control showed then: while it still shows that,
// the write sends those bytes back unchanged.
class TKfFilled : public QObject {
public:
    struct TAsRead {
        QByteArray Bytes;
        TKfShown Shown;
    };

    explicit TKfFilled(QObject* parent = nullptr) : QObject(parent) {}
    void Watch(QComboBox* combo);
    void Watch(QLineEdit* edit);
    void Watch(QCheckBox* box);
    void Watch(QButtonGroup* group, QWidget* owner);
    void Mark(QWidget* control) { FSet.insert(control); }
    void Unmark(QWidget* control) { FSet.remove(control); }
    bool Has(QWidget* control) const { return FSet.contains(control); }
    void Clear()
    {
        FSet.clear();
        FRead.clear();
    }
    void NoteRead(QWidget* control, const QByteArray& bytes, const TKfShown& shown)
    {
        FRead.insert(control, TAsRead{bytes, shown});
    }
    // The read's record of a control; null when no read filled it.
    const TAsRead* ReadOf(QWidget* control) const
    {
        const auto it = FRead.constFind(control);
        return it == FRead.constEnd() ? nullptr : &it.value();
    }

private:
    QSet<QWidget*> FSet;
    QHash<QWidget*, TAsRead> FRead;
};

// A control of a row: a combo, an edit, a check box, a radio group (the group's owner
// widget stands for it) or the edits of an address.
struct TKfControl {
    QWidget* Widget = nullptr;       // what TKfFilled tracks
    QComboBox* Combo = nullptr;
    QLineEdit* Edit = nullptr;
    QCheckBox* Check = nullptr;
    QButtonGroup* Radio = nullptr;
    QList<QLineEdit*> Parts;
    const QStringList* List = nullptr;  // value list of the row
    bool Alt = false;
};
TKfControl KfCombo(QComboBox* combo, const QStringList* list = nullptr);
TKfControl KfEdit(QLineEdit* edit, bool alt = false);
TKfControl KfCheck(QCheckBox* box);
TKfControl KfRadio(QButtonGroup* group, QWidget* owner);
TKfControl KfParts(QWidget* owner, const QList<QLineEdit*>& parts);

// Reads a row and shows the value; true when the printer answered and the value mapped
// (the control is then marked filled). replyOk (optional) tells whether a reply came.
bool KfReadInto(const TKeyFrameRow& row, uint8_t op, const TKfControl& c, TKfFilled& filled,
                bool* replyOk = nullptr);
// True when a read filled the control and it still shows exactly what the read put there
// (the operator changed nothing): its write sends the bytes read, and the checks of typed
// input do not apply to it.
bool KfAsRead(const TKfControl& c, const TKfFilled& filled);
// Writes a row from its control when the control is filled: the bytes read when it is as
// read (KfAsRead), else its value encoded by the row's mapping when it encodes;
// 1 written, 0 nothing to write, -1 the write failed.
int KfWriteFrom(const TKeyFrameRow& row, uint8_t op, const TKfControl& c, const TKfFilled& filled);

// Key filter and typing limit of an edit (the framework's validator: typed and pasted text
// must pass; the limit binds typing only, so a longer value read is shown and written
// whole). maxTyped 0 = no limit.
void KfInstallKeyFilter(QLineEdit* edit, paraset::TKeyFilter filter, int maxTyped = 0);
