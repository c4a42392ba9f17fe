#include "mdlStartup.h"

#include "mdlASetFtnA.h"
#include "mdlDevBasePrt.h"
#include "mdlFtnA_Base.h"
#include "mdlGlobalVar.h"
#include "mdlKesaVar.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlUsbVidPidCheck.h"

#include <QDir>

void InitStartupModules()
{
    BuildModelLists();
    InitParamGlobals();  // the printer link's parameter globals start from their start values
    gBuildKind = 2;
}

void InitStartupModes()
{
    if (!gLogLockCreated)
        CreateLogLock();

    if (DevMarkerFileExists() && AskOkCancel(QStringLiteral("Ener DMode?")))
        gDebugFlag = true;

    if (DevMarkerFileExists()) {
        if (AskOkCancel(QStringLiteral("Ener Factory Mode?"))) {
            gFactoryFlag = true;
            SetKeyFrameOpByte(0);
        } else {
            gFactoryFlag = false;
            SetKeyFrameOpByte(1);
        }
    }

    // Exact, case-sensitive; a switch may stand anywhere on the command line.
    ApplyRoleSwitches(GetProgramArgs());

    gPathSeparator = GetPathSeparator();
    gIdentityCheckDir = GetExeDir() + QStringLiteral("PgmOrCdr") + gPathSeparator;
    QDir().mkpath(gIdentityCheckDir);  // a failure is ignored here

    gIdentityCheckNames = {
        QString::fromLatin1(USBCHK_Section),   QString::fromLatin1(USBCHK_KeyStr),
        QString::fromLatin1(USBCHK_KeyNo),     QString::fromLatin1(USBCHK_KeyTime),
        QString::fromLatin1(USBCHK_KeyPrtName), QString::fromLatin1(USBCHK_KeyVpid1),
        QString::fromLatin1(USBCHK_KeyVpid2),
    };

    // A descriptor exists before any printer is selected.
    SetCurrentFtnA(new TFtnABase());
    CreateASetFtnA();
}

void CreateGlobalSingletons()
{
    GetConstVar();
    GetConstLangV();
    GetGlobalVar();
    GetKesaVar();
}

void FinalizeStartup()
{
    FreeCurrentFtnA();
    FreeASetFtnA();
    if (gLogLockCreated)
        DeleteLogLock();
}
