#include "PrtMsgBox.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
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

namespace prt {

bool ApplyToolkitLanguage(int lcid)
{
    static std::mutex mutex;
    static QTranslator* current = nullptr;
    static int currentLcid = 0;
    static QCoreApplication* currentApp = nullptr;
    std::lock_guard<std::mutex> lock(mutex);
    QCoreApplication* app = QCoreApplication::instance();
    if (lcid == currentLcid && app == currentApp)
        return current != nullptr;  // already in place: language loads repeat often
    currentLcid = lcid;
    currentApp = app;
    if (current) {
        if (app)
            QCoreApplication::removeTranslator(current);
        delete current;
        current = nullptr;
    }
    const char* locale = nullptr;
    switch (lcid) {
    case 2052: locale = "zh_CN"; break;
    case 1028: locale = "zh_TW"; break;
    case 1041: locale = "ja"; break;
    case 1042: locale = "ko"; break;
    case 1049: locale = "ru"; break;
    case 1046: locale = "pt_BR"; break;
    case 1034: locale = "es"; break;
    default: return false;  // English: the toolkit's own words
    }
    if (!app)
        return false;
    auto* t = new QTranslator;
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!t->load(QStringLiteral("qtbase_") + QLatin1String(locale), dir)) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    current = t;
    return true;
}

} // namespace prt
