#include "PrtMsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <cstdio>
#include <mutex>

namespace prt {
namespace {
std::mutex g_mutex;
MsgBoxHandler g_handler;

int ShowReal(const MsgBoxCall& c)
{
    const bool okCancel = (c.flags & 0xF) == MB_OKCANCEL_;
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    // No widgets (command-line tools, worker threads): report on stderr and take the
    // safe default button.
    if (!app || QThread::currentThread() != app->thread()) {
        std::fprintf(stderr, "[%s] %s\n", c.caption.toLocal8Bit().constData(), c.text.toLocal8Bit().constData());
        if (okCancel && (c.flags & MB_DEFBUTTON2_))
            return IDCANCEL_;
        return IDOK_;
    }
    QMessageBox box;
    box.setWindowTitle(c.caption);
    box.setText(c.text);
    if (c.flags & MB_ICONERROR_)
        box.setIcon(QMessageBox::Critical);
    else if ((c.flags & 0xF0) == MB_ICONQUESTION_)
        box.setIcon(QMessageBox::Question);
    else if (c.flags & MB_ICONINFORMATION_)
        box.setIcon(QMessageBox::Information);
    if (okCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton((c.flags & MB_DEFBUTTON2_) ? QMessageBox::Cancel : QMessageBox::Ok);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    if (c.flags & MB_TOPMOST_)
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    return box.exec() == QMessageBox::Ok ? IDOK_ : IDCANCEL_;
}
} // namespace

int MessageBoxPrt(const QString& text, const QString& caption, unsigned flags)
{
    MsgBoxCall call{text, caption, flags};
    MsgBoxHandler handler;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        handler = g_handler;
    }
    if (handler)
        return handler(call);
    return ShowReal(call);
}

MsgBoxHandler SetMessageBoxHandler(MsgBoxHandler handler)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    MsgBoxHandler old = std::move(g_handler);
    g_handler = std::move(handler);
    return old;
}

} // namespace prt
