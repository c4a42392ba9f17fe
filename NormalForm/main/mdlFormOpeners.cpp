#include "mdlFormOpeners.h"

#include "mdlGlobalVar.h"
#include "PrtTexts.h"

#include <QDialog>
#include <QEventLoop>
#include <QMap>
#include <QPointer>
#include <QWidget>

// The windows' headers: each area adds its own here.

namespace {

QMap<QString, TFormFactory> BuildTable()
{
    QMap<QString, TFormFactory> t;
    // One line per window class: t.insert("T_frmXxx", [] { return new T_frmXxx(); });
    return t;
}

QMap<QString, TFormFactory>& Table()
{
    static QMap<QString, TFormFactory> table = BuildTable();
    return table;
}

TFormStep& Hook()
{
    static TFormStep hook;
    return hook;
}

QStringList& Opened()
{
    static QStringList names;
    return names;
}

void RunModal(QWidget* form)
{
    if (auto* dialog = qobject_cast<QDialog*>(form)) {
        dialog->exec();
        return;
    }
    QPointer<QWidget> guard(form);
    form->setAttribute(Qt::WA_DeleteOnClose, false);
    form->setWindowModality(Qt::ApplicationModal);
    form->show();
    QEventLoop loop;
    while (guard && guard->isVisible())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace

QWidget* CreateFormByName(const QString& className)
{
    const auto it = Table().constFind(className);
    if (it == Table().constEnd() || !it.value())
        return nullptr;
    return it.value()();
}

bool IsFormAvailable(const QString& className)
{
    return Table().contains(className);
}

QStringList AvailableFormNames()
{
    return Table().keys();
}

bool ShowFormModal(const QString& className, const TFormStep& prepare, const TFormStep& after, bool bringToTop)
{
    QWidget* form = CreateFormByName(className);
    if (!form) {
        ShowInfoBox(prt::LangText(QStringLiteral("FormMain_Label_MSGNotAvailable")));
        return false;
    }
    Opened().append(className);
    if (prepare)
        prepare(form);
    if (bringToTop) {
        form->raise();
        form->activateWindow();
    }
    if (Hook())
        Hook()(form);
    else
        RunModal(form);
    if (after)
        after(form);
    delete form;
    return true;
}

void SetFormShowHook(TFormStep hook)
{
    Hook() = std::move(hook);
}

QStringList TakeOpenedFormNames()
{
    QStringList names;
    names.swap(Opened());
    return names;
}

void RegisterFormOpener(const QString& className, TFormFactory factory)
{
    if (factory)
        Table().insert(className, std::move(factory));
    else
        Table().remove(className);
}
