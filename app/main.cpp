// Program entry: module initialisation, the application object, the start-up modes, the
// four singletons, the main window (shown at once; the hidden start-up windows follow
// while the message loop is idle), the message loop and the tear-down.
#include "FormMain_Label.h"
#include "mdlStartup.h"
#include "mdlStartupForms.h"
#include "PrtIni.h"
#include "PrtStyle.h"
#include "USBUnit.h"

#include <QApplication>
#include <QEvent>
#include <QThreadPool>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>

namespace {

// Calls `then` once, right after the first paint of `w`, or after a second when no paint
// comes (a window that starts minimised, a platform that paints late).
void OnFirstPaint(QWidget* w, std::function<void()> then)
{
    struct Filter : QObject {
        std::function<void()> then;
        void Fire()
        {
            if (!then)
                return;
            auto f = std::move(then);
            then = nullptr;
            deleteLater();
            f();
        }
        bool eventFilter(QObject* watched, QEvent* e) override
        {
            if (e->type() == QEvent::Paint && then) {
                watched->removeEventFilter(this);
                QTimer::singleShot(0, this, [this] { Fire(); });  // after the paint itself
            }
            return false;
        }
    };
    auto* f = new Filter;
    f->setParent(w);
    f->then = std::move(then);
    w->installEventFilter(f);
    QTimer::singleShot(1000, f, [f] { f->Fire(); });
}

// For the start-up benchmark: the moment of the first idle turn on the monotonic clock,
// on standard output, so the time to that moment is measured without the tear-down.
void ReportIdleMoment()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    std::printf("PRT_IDLE_NS %lld\n", static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    // The fonts are read on a thread of their own from the start, while the application
    // object is made and the configuration and language files load.
    TFontDatabaseLoad fontDatabase;
    InitStartupModules();  // model lists, module state; build kind 2 (Label)
    QApplication app(argc, argv);
    InstallPrtAppStyle();
    fontDatabase.ApplicationReady();
    // Until the main window is shown, every configuration and language file is checked on
    // disk once.
    std::optional<prt::IniReadBurst> startBurst;
    startBurst.emplace();
    InitStartupModes();
    CreateGlobalSingletons();
    T_frmMain_Label* mainForm = CreateMainStartupForms();
    fontDatabase.Wait();
    // Once the main window has painted: the USB device-change notifier (nothing listens to
    // it yet) and the hidden start-up windows (the printer-management window first), one
    // per idle turn of the loop.
    // Start-up measurement (bench/): PRT_QUIT_WHEN_IDLE=1 leaves at the first idle moment
    // after that paint, =all once the hidden start-up windows are made as well.
    const QByteArray quitWhen = qgetenv("PRT_QUIT_WHEN_IDLE");
    // The first paint's parallel span fills (a few small areas of one window) run on one
    // pool thread: starting a thread for each part costs more than the fills themselves.
    // The toolkit's own limit comes back after that paint.
    QThreadPool* pool = QThreadPool::globalInstance();
    const int poolThreads = pool->maxThreadCount();
    pool->setMaxThreadCount(1);
    OnFirstPaint(mainForm, [mainForm, quitWhen, pool, poolThreads] {
        pool->setMaxThreadCount(poolThreads);
        if (quitWhen == "1")
            QTimer::singleShot(0, qApp, [] {
                ReportIdleMoment();
                QApplication::quit();
            });
        // The USB notifier (opening the USB library on its own thread) and the hidden
        // windows start at the idle turns after this one: the first idle moment after the
        // paint belongs to the operator (and ends the measurement).
        QTimer::singleShot(0, mainForm, [mainForm, quitWhen] {
            BuildStartupFormsWhenIdle(
                mainForm,
                quitWhen == "all" ? std::function<void()>([] {
                    ReportIdleMoment();
                    QApplication::quit();
                })
                                  : std::function<void()>(),
                &UsbUnitInitialize);
        });
    });
    mainForm->show();
    startBurst.reset();
    const int rc = app.exec();
    DestroyStartupForms();  // the main window frees the singletons
    UsbUnitFinalize();
    FinalizeStartup();
    return rc;
}
