#pragma once
// The pieces the text-command parameter forms (ZR, QX) share:
//  - TParaControls: the state of the form's controls by control name (items, selected
//    index, text), plus what the printer reported: a control is "known" when the read
//    understood the printer's reply, "touched" when the operator (or a settings-file load)
//    changed it. A setting that is neither is shown by its fallback but never sent, so a
//    silent printer does not get item 0 of every list.
//  - ITextParaCmd: the few printer commands the passes use; TLinkTextParaCmd runs them on
//    the current port through the printer link, tests use a scripted fake.
//  - TParaOp: one write of the write pass; a write pass is first planned (values built,
//    edits clamped and checked) and then run, so nothing is sent when a check fails.
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

class QWidget;

namespace textpara {

struct TParaCtl {
    QStringList items;  // combo and radio-group items; empty for an edit
    int index = -1;     // selected item (combos, radio groups)
    QString text;       // edit text
    bool known = false;
    bool touched = false;
    bool isEdit = false;
};

class TParaControls {
public:
    // Declares a control (keeps its state when already declared).
    void AddCombo(const QString& name, const QStringList& items, int index = 0);
    void AddEdit(const QString& name, const QString& text = QString());
    bool Has(const QString& name) const { return ctl_.contains(name); }
    TParaCtl& operator[](const QString& name) { return ctl_[name]; }
    const TParaCtl& At(const QString& name) const;
    QStringList Names() const { return order_; }

    int Index(const QString& name) const { return At(name).index; }
    QString Text(const QString& name) const { return At(name).text; }
    // Selected item text of a combo; empty without a selection.
    QString ItemText(const QString& name) const;
    QStringList Items(const QString& name) const { return At(name).items; }

    // Read results: a found index (>= 0) selects it and marks the control known; -1 selects
    // `fallback` (or keeps the selection when fallback is -2) and leaves it unknown.
    void SetRead(const QString& name, int index, int fallback = 0);
    void SetTextRead(const QString& name, const QString& text, bool known);
    // New items (the selection moves to index; the known flag is cleared).
    void SetItems(const QString& name, const QStringList& items, int index);
    void Select(const QString& name, int index) { ctl_[name].index = index; }
    void SetText(const QString& name, const QString& text) { ctl_[name].text = text; }
    void Touch(const QString& name) { ctl_[name].touched = true; }
    void TouchAll();
    // The setting may be sent: the printer reported it or the operator changed it.
    bool Sendable(const QString& name) const;
    bool AnySendable(const QStringList& names) const;

private:
    QMap<QString, TParaCtl> ctl_;
    QStringList order_;
};

// Pushes the states into the form's child widgets of the same object names (combos,
// edits, radio groups) and reads them back. Unknown names are skipped.
void PushControls(QWidget* form, const TParaControls& c, const QStringList& names = {});
void PullControls(QWidget* form, TParaControls& c);

class ITextParaCmd {
public:
    virtual ~ITextParaCmd() = default;
    virtual bool Open() = 0;   // the current port (the printer object is made first)
    virtual void Close() = 0;  // closes and frees the printer object
    virtual QString GetVal(const QByteArray& key) = 0;  // caller's port; raw reply
    // Caller's port; false when the write failed.
    virtual bool SetVal(const QByteArray& key, const QString& value, bool lower) = 0;
    // Opens, sends do, closes; false when the open or the write failed.
    virtual bool Do(const QByteArray& key) = 0;
    // Caller's port: raw bytes, then a short wait and one read (the reply is not used).
    virtual bool WriteRaw(const QByteArray& bytes) = 0;
    virtual void Sleep(uint32_t ms) = 0;
};

// The real commands on the current port string.
class TLinkTextParaCmd : public ITextParaCmd {
public:
    bool Open() override;
    void Close() override;
    QString GetVal(const QByteArray& key) override;
    bool SetVal(const QByteArray& key, const QString& value, bool lower) override;
    bool Do(const QByteArray& key) override;
    bool WriteRaw(const QByteArray& bytes) override;
    void Sleep(uint32_t ms) override;
};

struct TParaOp {
    enum Kind { SetVal, SetValKeepCase, Do, DoAndReopen, Raw };
    Kind kind = SetVal;
    QByteArray key;    // with its double quotes (empty for Raw)
    QString value;     // SetVal
    QByteArray bytes;  // Raw
};
using TParaOps = std::vector<TParaOp>;

// Runs the writes in order on the open port; stops at the first failed setval, do or
// reopen and returns false (the caller then neither saves nor resets).
bool RunParaOps(ITextParaCmd& cmd, const TParaOps& ops);
// True when the writes hold a setting (a setval, or the raw line of one). Without one a
// Set sends nothing at all: no do command, no save, no reset.
bool WritesASetting(const TParaOps& ops);

// Result of planning a write pass: the writes, or the message of the first refused field.
struct TParaPlan {
    TParaOps ops;
    QString error;  // non-empty: nothing may be sent
    bool ok() const { return error.isEmpty(); }
};

// Message of a refused numeric or text field: "Lang_All_00010021_11" with {0} the caption,
// {1} and {2} the bounds.
QString FieldRangeMessage(const QString& caption, const QString& lo, const QString& hi);

// Quoted key ("ppl" -> "\"ppl\"").
QByteArray Quoted(const QString& key);

// ---- step helpers of the passes ----
// Dotted quad or MAC reply into its edits (known); a short reply leaves the edits.
void ReadQuad(TParaControls& c, const QStringList& names, const QString& reply);
void ReadMac(TParaControls& c, const QStringList& names, const QString& reply);
// Radio group: the index the reply maps to; an empty reply shows it but is not known.
void ReadRadio(TParaControls& c, const QString& name, const QString& reply, int index);
// Combo item equal to the reply ignoring case; item 0 (not known) when none.
void SelectByText(TParaControls& c, const QString& name, const QString& reply);
void AddSet(TParaOps& ops, const char* key, const QString& value, bool keepCase = false);
// Integer edit checked and clamped to lo..hi (clamped text written back); false with the
// field message when it is not an integer.
bool ClampEdit(TParaControls& c, const QString& name, int lo, int hi, const QString& caption, QString& error);
bool QuadComplete(const TParaControls& c, const QStringList& names);
// The Bluetooth PIN and name edits: the PIN's length when it was read or edited, what
// the operator typed for its characters (values read go back as read). False with the
// field message when one is refused.
bool CheckBluetoothEdits(const TParaControls& c, QString& error);
// Octets 0..255; false with the field message otherwise.
bool CheckQuad(const TParaControls& c, const QStringList& names, const QString& caption, QString& error);
QStringList TrimmedTexts(const TParaControls& c, const QStringList& names);
// The operator picked a printer language in cmbProtocol: density list (with its default)
// and code-page list rebuilt, the printer's own code page selected again when the item is
// the printer's language.
void ApplyProtocolChange(const QString& printerProtocol, const QString& printerCodePage, TParaControls& c);

} // namespace textpara
