#pragma once
// The window base of the text-command parameter forms (ZR, QX), over the parameter form
// controls of mdlParaSetWidgets.h (TRadioGroup, TFilterValidator).
#include "mdlParaSetWidgets.h"
#include "mdlTextParaPass.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

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

    // The read after the window is on screen: true from its start until its results are
    // in the controls.
    bool Reading() const { return reading_; }
    // A read has completed: it ran to its end on the open port, the form was not closed
    // meanwhile, and the printer answered at least one of its questions. Only then does
    // the form offer Set; a printer that said nothing is a failed read.
    bool ReadCompleted() const { return readCompleted_; }
    // Closing the form (Set, Close, the window's close box) stops a read that still runs:
    // no further command goes to the printer, the port is still closed.
    void done(int result) override;

protected:
    // The form's Set button: disabled from now on until a read completes.
    void WithholdSetUntilRead(QPushButton* set);
    // Opens the port for a read; Set stays withheld until this read completes. False when
    // the open failed (the printer commands have shown the open's error).
    bool OpenForRead();
    // Runs `work` on a worker thread with the form's printer commands (the port is open;
    // the work reads and closes it), then `finished` on the GUI thread with whether the
    // read completed. Meanwhile the busy cursor shows and the `busy` widgets are disabled;
    // they are enabled again before `finished` runs, but Set only after a completed read.
    // A read that did not complete, and was not stopped by closing the form, is reported
    // with "_Err_ReadData" after `finished`. Nothing of the form may be touched by `work`:
    // it fills its own copies, and reports through Post.
    void StartRead(std::function<void(textpara::ITextParaCmd&)> work, std::function<void(bool completed)> finished,
                   const QList<QWidget*>& busy);
    // Runs fn on the GUI thread (from the read's worker), unless the form is gone.
    void Post(std::function<void()> fn);
    // Stops a running read and waits for its worker (destructors of the forms call it
    // before their own members go).
    void StopRead();

    QLabel* Label(const QString& name, QWidget* parent);
    QLineEdit* Edit(const QString& name, QWidget* parent, int maxTyped, paraset::TKeyFilter filter);
    QComboBox* Combo(const QString& name, QWidget* parent);
    TRadioGroup* Radio(const QString& name, QWidget* parent);
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

private:
    std::thread reader_;
    std::atomic<bool> cancel_{false};
    bool reading_ = false;
    bool readCompleted_ = false;
    QPushButton* setButton_ = nullptr;
    bool busyCursor_ = false;
};
