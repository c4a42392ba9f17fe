// Thread sanitizer builds only: tells the sanitizer about the toolkit's hand-overs between
// threads, which it cannot see because the toolkit is not instrumented (its locks are
// futexes, its flags plain memory). Without this, every result a worker posts to the
// window, and every state read after a worker thread was joined, looks like a race; with
// it, a race between a worker and a posted call is reported like any other.
//
//   posted calls   a signal emitted, a call or a single-shot timer posted (the calls our
//                  code makes into the toolkit) releases; every event the toolkit delivers
//                  acquires. So a posted call sees what its poster did before posting, and
//                  a write after the post (the race) stays a race, unless the poster posts
//                  again before the call runs: one clock serves every poster.
//   thread ends    a QThread releases when it finishes (its finished signal, sent on the
//                  thread itself); QThread::wait acquires once the thread has ended.
//
// The toolkit's functions are replaced for the calls our code makes (the toolkit's own
// calls inside its library are not affected) and call the library's own after the
// release or before the acquire. tests/tsan/ checks both: the hand-overs are not
// reported, a race through a queued call is.
#include "TsanQtSync.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMetaObject>
#include <QThread>
#include <QTimer>
#include <QVariant>
#include <dlfcn.h>
#include <sanitizer/tsan_interface.h>

namespace {

char g_posted;  // the clock of every post

bool AcquirePosted(void**)
{
    __tsan_acquire(&g_posted);
    return false;  // the event is delivered as usual
}

template <typename Fn>
Fn Library(const char* symbol)
{
    const auto fn = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, symbol));
    if (!fn)
        qFatal("thread sanitizer support: %s not found in the toolkit", symbol);
    return fn;
}

} // namespace

void QMetaObject::activate(QObject* sender, const QMetaObject* m, int localSignalIndex, void** argv)
{
    using Fn = void (*)(QObject*, const QMetaObject*, int, void**);
    static const Fn library = Library<Fn>("_ZN11QMetaObject8activateEP7QObjectPKS_iPPv");
    __tsan_release(&g_posted);
    library(sender, m, localSignalIndex, argv);
}

bool QMetaObject::invokeMethodImpl(QObject* object, QtPrivate::QSlotObjectBase* slot, Qt::ConnectionType type,
                                   void* ret)
{
    using Fn = bool (*)(QObject*, QtPrivate::QSlotObjectBase*, Qt::ConnectionType, void*);
    static const Fn library =
        Library<Fn>("_ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlotObjectBaseEN2Qt14ConnectionTypeEPv");
    __tsan_release(&g_posted);
    return library(object, slot, type, ret);
}

void QTimer::singleShotImpl(int msec, Qt::TimerType timerType, const QObject* receiver,
                            QtPrivate::QSlotObjectBase* slotObj)
{
    using Fn = void (*)(int, Qt::TimerType, const QObject*, QtPrivate::QSlotObjectBase*);
    static const Fn library =
        Library<Fn>("_ZN6QTimer14singleShotImplEiN2Qt9TimerTypeEPK7QObjectPN9QtPrivate15QSlotObjectBaseE");
    __tsan_release(&g_posted);
    library(msec, timerType, receiver, slotObj);
}

void QThread::start(QThread::Priority priority)
{
    using Fn = void (*)(QThread*, QThread::Priority);
    static const Fn library = Library<Fn>("_ZN7QThread5startENS_8PriorityE");
    static const char* const kKey = "prtTsanEnd";
    if (!property(kKey).isValid()) {
        setProperty(kKey, true);
        QObject::connect(this, &QThread::finished, this, [this] { __tsan_release(this); }, Qt::DirectConnection);
    }
    library(this, priority);
}

bool QThread::wait(QDeadlineTimer deadline)
{
    using Fn = bool (*)(QThread*, QDeadlineTimer);
    static const Fn library = Library<Fn>("_ZN7QThread4waitE14QDeadlineTimer");
    const bool ended = library(this, deadline);
    if (ended)
        __tsan_acquire(this);
    return ended;
}

namespace prt::test {

void InstallTsanQtSync()
{
    QInternal::registerCallback(QInternal::EventNotifyCallback, AcquirePosted);
}

} // namespace prt::test
