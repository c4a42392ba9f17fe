// Entry of every test program: an offscreen QApplication, and a message-box handler
// that fails the running test loudly instead of blocking on a modal box. Tests that
// expect boxes install a MsgBoxRecorder (TestSupport.h). Thread sanitizer builds first let
// the sanitizer see the toolkit's hand-overs between threads (TsanQtSync.h).
#include "PrtMsgBox.h"
#if defined(__SANITIZE_THREAD__)
#include "TsanQtSync.h"
#endif

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
#if defined(__SANITIZE_THREAD__)
    prt::test::InstallTsanQtSync();
#endif
    QApplication app(argc, argv);
    prt::SetMessageBoxHandler([](const prt::MsgBoxCall& c) {
        ADD_FAILURE() << "unexpected message box: [" << c.caption.toStdString() << "] " << c.text.toStdString();
        return int(prt::IDCANCEL_);
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
