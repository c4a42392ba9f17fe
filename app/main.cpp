// Program entry: module initialisation, the application object, the start-up modes, the
// four singletons, the start-up windows (the main window first), the message loop and
// the tear-down.
#include "FormMain_Label.h"
#include "mdlStartup.h"
#include "mdlStartupForms.h"
#include "USBUnit.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv)
{
    InitStartupModules();  // model lists, module state; build kind 2 (Label)
    QApplication app(argc, argv);
    InitStartupModes();
    UsbUnitInitialize();   // the USB device-change notifier (nothing listens to it)
    CreateGlobalSingletons();
    T_frmMain_Label* mainForm = CreateStartupForms();
    mainForm->show();
    // Start-up measurement (bench/): leave at the first idle moment with the window shown.
    if (qEnvironmentVariableIsSet("PRT_QUIT_WHEN_IDLE"))
        QTimer::singleShot(0, &app, &QApplication::quit);
    const int rc = app.exec();
    DestroyStartupForms();  // the main window frees the singletons
    UsbUnitFinalize();
    FinalizeStartup();
    return rc;
}
