#pragma once
// The one table of the windows the main window opens: window class name -> how to make
// one. Every road from the main window to a tool, parameter or download window goes
// through here, so a window is never opened two ways (a window that opens a sibling of its
// own module shows it through mdlFormShow.h). A window whose class is not in the table yet
// answers "not available yet".
//
// Opening a window: it is created with no owner, optionally prepared, brought to the top,
// shown modally, read back (optional) and freed. Tests replace the modal run with a hook,
// so no test blocks on a window.
#include "mdlFormShow.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

using TFormFactory = std::function<QWidget*()>;

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

// Tests and later areas: adds or replaces one entry (an empty factory removes it).
void RegisterFormOpener(const QString& className, TFormFactory factory);

