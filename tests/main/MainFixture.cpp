#include "MainFixture.h"

#include "PrtIni.h"
#include "PrtTexts.h"
#include "mdlASetFtnA.h"
#include "mdlCurrentPrinter.h"
#include "mdlGlobalVar.h"
#include "mdlKesaVar.h"
#include "mdlLangText.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"
#include "mdlPrtDll.h"
#include "mdlUsbVidPidCheck.h"

namespace mainwin {

void ResetMainState()
{
    FreeKesaVar();
    FreeGlobalVar();
    FreeConstLangV();
    FreeConstVar();
    FreeCurrentFtnA();
    FreeASetFtnA();
    FreePrtLangDll();
    FreePrtCommandsDll();
    ResetModuleStateForTest();
    ResetLanguageStateForTest();
    SetSystemLangIdForTest(1033);
    SetProgramArgs({});
    ClearLangStrings();
    prt::ClearLangTexts();
    prt::IniClearCache();
    ClearPrinterTypeListState();
    ClearCurrentPrinterNames();
    FreeModelLists();
    BuildModelLists();
    // Tests never look at the machine's real USB devices.
    SetUsbIdentitySource([] { return QStringList(); });
    ClearMatchedUsbVpid();
    SetCurrentPortString("USB");
    SetPrinterSdkKind(0);
}

} // namespace mainwin
