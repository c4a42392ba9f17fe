#pragma once
// Showing a window modally: brought to the top, the modal run (or the test hook), and a
// record of what was opened. The window table (mdlFormOpeners.h) opens every window of the
// main window this way; a window that opens a sibling of its own module uses it directly.
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

using TFormStep = std::function<void(QWidget* form)>;

// Shows a fresh window: prepare(form), bring to top (when asked), modal run, after(form),
// free. Recorded like the windows of the table. False (nothing shown) for a null window.
bool ShowNewFormModal(const QString& className, QWidget* form, const TFormStep& prepare = {},
                      const TFormStep& after = {}, bool bringToTop = true);

// Shows a window that lives on (created once, reused): bring to top, modal run (or the
// test hook), no free. Recorded like the others.
void ShowExistingFormModal(const QString& className, QWidget* form, bool bringToTop = true);

// Tests: called in place of the modal run with the shown window (null hook = the real modal
// run). The hook may drive the window; it is freed after the hook returns.
void SetFormShowHook(TFormStep hook);
// Names of the windows opened since the last call (tests), oldest first.
QStringList TakeOpenedFormNames();

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
