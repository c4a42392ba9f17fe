#include "mdlFormShow.h"

#include <QDialog>
#include <QEventLoop>
#include <QMetaMethod>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace {

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

bool ShowNewFormModal(const QString& className, QWidget* form, const TFormStep& prepare, const TFormStep& after,
                      bool bringToTop)
{
    if (!form)
        return false;
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

void ShowExistingFormModal(const QString& className, QWidget* form, bool bringToTop)
{
    if (!form)
        return;
    Opened().append(className);
    if (bringToTop) {
        form->raise();
        form->activateWindow();
    }
    if (Hook())
        Hook()(form);
    else
        RunModal(form);
}

namespace {

QMetaMethod FindHookMethod(QWidget* form, const char* method, const char* args)
{
    const QByteArray sig = QMetaObject::normalizedSignature(QByteArray(method) + '(' + args + ')');
    const int index = form->metaObject()->indexOfMethod(sig.constData());
    return index < 0 ? QMetaMethod() : form->metaObject()->method(index);
}

} // namespace

void CallFormHook(QWidget* form, const char* method)
{
    if (!form)
        return;
    const QMetaMethod m = FindHookMethod(form, method, "");
    if (m.isValid())
        m.invoke(form, Qt::DirectConnection);
    else
        form->setProperty(method, true);
}

void CallFormHook(QWidget* form, const char* method, int value)
{
    if (!form)
        return;
    const QMetaMethod m = FindHookMethod(form, method, "int");
    if (m.isValid())
        m.invoke(form, Qt::DirectConnection, Q_ARG(int, value));
    else
        form->setProperty(method, value);
}

void CallFormHook(QWidget* form, const char* method, const QString& value)
{
    if (!form)
        return;
    const QMetaMethod m = FindHookMethod(form, method, "QString");
    if (m.isValid())
        m.invoke(form, Qt::DirectConnection, Q_ARG(QString, value));
    else
        form->setProperty(method, value);
}

void CallFormHook(QWidget* form, const char* method, const QString& value, bool flag)
{
    if (!form)
        return;
    const QMetaMethod m = FindHookMethod(form, method, "QString,bool");
    if (m.isValid())
        m.invoke(form, Qt::DirectConnection, Q_ARG(QString, value), Q_ARG(bool, flag));
    else
        form->setProperty(method, QVariantList{value, flag});
}
