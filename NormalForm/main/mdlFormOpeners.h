#pragma once
// The one table of the windows the main window opens: window class name -> how to make
// one. Every road to a tool, parameter or download window goes through here, so a window
// is never opened two ways. A window whose class is not in the table yet answers "not
// available yet".
//
// Opening a window: it is created with no owner, optionally prepared, brought to the top,
// shown modally, read back (optional) and freed. Tests replace the modal run with a hook,
// so no test blocks on a window.
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

using TFormFactory = std::function<QWidget*()>;
using TFormStep = std::function<void(QWidget* form)>;

// Creates a fresh instance of the window class; null when the class is not in the table.
QWidget* CreateFormByName(const QString& className);
bool IsFormAvailable(const QString& className);
// Class names in the table (sorted).
QStringList AvailableFormNames();

// Opens the window: create, prepare(form), bring to top (when asked), modal run,
// after(form), free. A class not in the table shows the "not available yet" box and
// returns false.
bool ShowFormModal(const QString& className, const TFormStep& prepare = {}, const TFormStep& after = {},
                   bool bringToTop = true);

// Tests: called in place of the modal run with the shown window (null hook = the real modal
// run). The hook may drive the window; it is freed after the hook returns.
void SetFormShowHook(TFormStep hook);
// Names of the windows opened since the last call (tests), oldest first.
QStringList TakeOpenedFormNames();

// Tests and later areas: adds or replaces one entry (an empty factory removes it).
void RegisterFormOpener(const QString& className, TFormFactory factory);

// Shows a window that lives on (created once, reused): bring to top, modal run (or the
// test hook), no free. Recorded like the others.
void ShowExistingFormModal(const QString& className, QWidget* form, bool bringToTop = true);

// ---- hand-over to windows of other areas ------------------------------------------------------
// The main window needs no header of the windows it opens. Before the show it calls a
// Q_INVOKABLE method of the window by name when the window has one, otherwise it sets a
// dynamic property of that name (value: the argument; two arguments: a QVariantList; no
// argument: true), which the window reads when it is shown. After the show it reads
// results back as properties.
//   TfrmDFU_W16P                  DfuSetMode(int mode)                 Wi-Fi module update: 1
//   TForm11                       SetFWAllUpdateForm()                 the window registers
//                                                                      itself for the update threads
//   TfrmDownFirmwareSelType       SetSelectedType(QString type, bool lock)
//                                 after the show: property "OKFlag" (int, non-zero = OK)
//                                 and property "SelectedType" (QString)
//   T_frmPrintTextLabelCpclV52bt  SetPaperWidth(QString width)         paper width text
void CallFormHook(QWidget* form, const char* method);
void CallFormHook(QWidget* form, const char* method, int value);
void CallFormHook(QWidget* form, const char* method, const QString& value);
void CallFormHook(QWidget* form, const char* method, const QString& value, bool flag);
