#pragma once
// The thin base every parameter form derives from: the show sequence, the read on show,
// Set and Close, the self-closing timer after a failed read, the numeric and text edit
// filters, the value ranges, the IPv4 octet check and the message boxes.
//
// How a form uses it:
//   1. Derive from TParaSetForm, build the controls in the constructor (objectName = the
//      control's name; radio groups are TRadioGroup), put btnSet / btnClose (made here)
//      where they belong, register numeric edits with RegisterNumberEdit (key filter,
//      typed-length limit, optional clamp range) and text edits with RegisterFilteredEdit.
//   2. Override InitLanguage (captions; use Caption(key), Word(key), SetRadioItems,
//      FillPaperTypes), PrepareLists (model-dependent list fills), ApplyModelRules
//      (visibility; hidden widgets leave no gap, the dialog shrinks after it), SplitSetting
//      (Block() -> controls) and ReplacePrintSetting (controls -> Block()); for layout-A
//      style blocks the two are one call each into mdlParaBlockLayout.h.
//   3. Optional: CheckBeforeSet (return false to keep the form open: password length,
//      octets), AfterGoodWrite (e.g. the reset command, sent only once the printer holds
//      the written block), and for the key-frame and text transports ReadParameters /
//      WriteParameters / ConfirmWrite in place of the block exchange.
//   The caller creates the form, shows it modally and frees it; the read runs once the
//   dialog is on screen (a queued step after the first show).
//
// Life cycle (block transport): show -> ApplyFormFont, InitLanguage, PrepareLists,
// ApplyModelRules, accessible names -> on screen: block := 256 zero bytes, make sure the
// TSPL printer object exists, ReadParamBlock; "OK" -> SplitSetting and Set is enabled;
// otherwise the error box with the result text, Set stays disabled and Timer1 (100 ms)
// closes the form. Set: CheckValue on the focused numeric edit, CheckBeforeSet,
// ReplacePrintSetting, WriteParameters ("_Err_ParaSet" and close when it fails),
// ConfirmWrite (the block read back must equal the block written; otherwise the read's
// error text or "_ParaSet_Fail", and the form stays open with the edits), AfterGoodWrite,
// "_ParaSet_OK" (info) and close. Close never writes.
#include "mdlParaSetCodecs.h"
#include "mdlPrtParamBlock.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QPointer>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class TRadioGroup;

class TParaSetForm : public QDialog {
    Q_OBJECT
public:
    enum class TReadState { NotStarted, Good, Failed };

    explicit TParaSetForm(QWidget* parent = nullptr);
    ~TParaSetForm() override;

    QPushButton* btnSet = nullptr;
    QPushButton* btnClose = nullptr;
    QTimer* Timer1 = nullptr;  // 100 ms, disabled until a read failed

    TParamBlock& Block() { return FBlock; }
    const TParamBlock& Block() const { return FBlock; }
    TReadState ReadState() const { return FReadState; }

    // Show sequence steps 1-4 (runs once, from the first show; public for tests).
    void FormShow();
    // Step 5: the read and SplitSetting, or the failure road.
    void RunRead();

    void btnSetClick();
    void btnCloseClick();
    void Timer1Timer();
    // Leaving a numeric edit: empty to "0", clamp to the edit's range.
    void CheckValue(QLineEdit* edit);

    // The clamp range of a registered numeric edit (none when it has no range).
    std::optional<paraset::TValueRange> RangeOf(const QLineEdit* edit) const;

    // Language text of a key: the loaded text, else the language file's value.
    static QString Caption(const QString& key);
    // The shared word of a key (module-level texts: "_Set", "_Enable", ...).
    static QString Word(const QString& key);
    // Error (16) and information (64) boxes with the shared captions.
    static void ShowError(const QString& text);
    static void ShowInfo(const QString& text);

protected:
    virtual void InitLanguage() = 0;
    virtual void PrepareLists() {}
    virtual void ApplyModelRules() {}
    virtual void SplitSetting() = 0;
    virtual void ReplacePrintSetting() = 0;
    // Block transport by default; result "OK" on success, else the text to show.
    virtual bool ReadParameters(QString& result);
    virtual bool WriteParameters();
    // After a good WriteParameters: true when the printer holds what was written. False
    // gives the text to show (the form stays open). Block transport: the block read back.
    virtual bool ConfirmWrite(QString& failure);
    // False keeps the form open (the form has shown its message).
    virtual bool CheckBeforeSet() { return true; }
    virtual void AfterGoodWrite() {}
    // False keeps the form open after a failed read (Set stays disabled, only Close helps).
    virtual bool CloseAfterFailedRead() const { return true; }

    void showEvent(QShowEvent* event) override;

    // A numeric edit: digits only (typed and pasted), maxTyped characters when typing
    // (0 = no limit), CheckValue on leaving, optional clamp range.
    void RegisterNumberEdit(QLineEdit* edit, int maxTyped, std::optional<paraset::TValueRange> range = {});
    // A text edit with a key filter and a typing limit.
    void RegisterFilteredEdit(QLineEdit* edit, paraset::TKeyFilter filter, int maxTyped);

    // The radio group's items: "_Disable"/"_Enable" (enable groups), "_UnSupport"/"_Support".
    static void SetEnableItems(TRadioGroup* group);
    static void SetSupportItems(TRadioGroup* group);
    // The judge-paper list: "_PaperType_Receipt", "_PaperType_Label"[, "_PaperType_BlackMark"].
    static void FillPaperTypes(QComboBox* combo, int count = 3);
    // Replaces the items of a combo, selection kept by position where it still exists.
    static void SetComboItems(QComboBox* combo, const QStringList& items);

    // IPv4 rows: each octet must be 0..255. On the first bad octet: the range message
    // ("Lang_All_00010021_11" with the row caption, 0, 255) in an error box, focus on
    // that octet, false.
    struct TOctetRow {
        QString Caption;
        QList<QLineEdit*> Edits;
    };
    bool CheckOctets(const QList<TOctetRow>& rows);

    // Accessible names of edits and lists: the caption of the label whose buddy they are,
    // else the control's name.
    void UpdateAccessibleNames();

private:
    TParamBlock FBlock{};
    TReadState FReadState = TReadState::NotStarted;
    bool FShown = false;
    QHash<const QLineEdit*, paraset::TValueRange> FRanges;
    QList<QPointer<QLineEdit>> FNumberEdits;
};

// Finds a child control of a form by its name (null when missing or of another type).
template <typename T>
T* FindControl(QWidget* form, const QString& name)
{
    return form ? form->findChild<T*>(name) : nullptr;
}
