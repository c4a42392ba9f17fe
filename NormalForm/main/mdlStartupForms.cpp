#include "mdlStartupForms.h"

#include "FormDFU_W16P.h"
#include "FormDLF.h"
#include "FormDLFile.h"
#include "FormDLFont.h"
#include "FormDLUF.h"
#include "FormCommandTest.h"
#include "FormDownloadFile_TSPL.h"
#include "FormGDL.h"
#include "FormMain_Label.h"
#include "FormPrinterStatus.h"
#include "FormScanTest.h"
#include "FormTempletManage.h"
#include "FormParaSet_UZ650B.h"
#include "FormParaSet_V52.h"
#include "FormParaSet_W16P.h"
#include "FormParaSet_QX.h"
#include "FormParaSet_BQM.h"
#include "FormParaSet_J27.h"
#include "FormParaSet_V64.h"
#include "FormParaSet_W16.h"
#include "FormParaSet_W16_Vuzivaz.h"
#include "FormParaSet_W7X.h"
#include "FormParaSet_W7X_Vuzivaz.h"
#include "FormPrinterManage_Label.h"
#include "FormParaSet_BQM260.h"
#include "FormParaSet_BTN7.h"
#include "FormParaSet_BTN7_Vuzivaz.h"
#include "FormParaSet_F58D.h"
#include "FormParaSet_F58S.h"
#include "FormParaSet_J83.h"
#include "FormParaSet_Trev.h"
#include "FormParaSet_U9.h"
#include "FormParaSet_Z12.h"
#include "FormParaSet_Z34.h"
#include "FormPrintText.h"
#include "FormPrintText_Label.h"

#include <QList>
#include <QTimer>
#include <utility>
#include <functional>
#include <vector>
#include <QPointer>
#include <QWidget>

T_frmMain_Label* frmMain_Label = nullptr;
T_frmParaSet_BQM* frmParaSet_BQM = nullptr;
T_frmParaSet_V64* frmParaSet_V64 = nullptr;
T_frmParaSet_W7X_Vuzivaz* frmParaSet_W7X_Vuzivaz = nullptr;
T_frmParaSet_W7X* frmParaSet_W7X = nullptr;
T_frmParaSet_W16* frmParaSet_W16 = nullptr;
T_frmParaSet_W16_Vuzivaz* frmParaSet_W16_Vuzivaz = nullptr;
T_frmParaSet_J27* frmParaSet_J27 = nullptr;
T_frmCommandTest* frmCommandTest = nullptr;
T_frmPrinterStatus* frmPrinterStatus = nullptr;
T_frmScanTest* frmScanTest = nullptr;

TfrmDLFile* frmDLFile = nullptr;
TfrmDLF* frmDLF = nullptr;
TfrmDLFont* frmDLFont = nullptr;
TfrmDLUF* frmDLUF = nullptr;
TfrmGDL* frmGDL = nullptr;
TfrmDFU_W16P* frmDFU_W16P = nullptr;
T_frmDownloadFile_TSPL* frmDownloadFile_TSPL = nullptr;
T_frmImagesManageTSPL* frmImagesManageTSPL = nullptr;
T_frmTempletManage* frmTempletManage = nullptr;
T_frmParaSet_W16P* frmParaSet_W16P = nullptr;
T_frmParaSet_UZ650B* frmParaSet_UZ650B = nullptr;
T_frmParaSet_V52* frmParaSet_V52 = nullptr;
T_frmParaSet_QX* frmParaSet_QX = nullptr;
T_frmParaSet_BTN7* frmParaSet_BTN7 = nullptr;
T_frmParaSet_Trev* frmParaSet_Trev = nullptr;
T_frmParaSet_U9* frmParaSet_U9 = nullptr;
T_frmParaSet_BQM260* frmParaSet_BQM260 = nullptr;
T_frmParaSet_Z12* frmParaSet_Z12 = nullptr;
T_frmParaSet_F58S* frmParaSet_F58S = nullptr;
T_frmParaSet_F58D* frmParaSet_F58D = nullptr;
T_frmParaSet_J83* frmParaSet_J83 = nullptr;
T_frmParaSet_BTN7_Vuzivaz* frmParaSet_BTN7_Vuzivaz = nullptr;
T_frmParaSet_Z34* frmParaSet_Z34 = nullptr;
T_frmPrintTextLabel* frmPrintTextLabel = nullptr;
T_frmPrintText* frmPrintText = nullptr;

namespace {
// Start-up windows other than the main window, in creation order (an instance whose
// variable was overwritten by a second creation is still freed at the end).
QList<QPointer<QWidget>>& OwnedStartupForms()
{
    static QList<QPointer<QWidget>> forms;
    return forms;
}
template <typename T>
T* CreateOwned(T*& variable)
{
    variable = new T();
    OwnedStartupForms().append(variable);
    return variable;
}
} // namespace

namespace {
// The start-up windows after the main window, one step each, in the entry's creation
// order.
using TStartupStep = void (*)();
const std::vector<TStartupStep>& HiddenStartupSteps()
{
    static const std::vector<TStartupStep> steps = {
        [] { GetPrinterManageForm(); },  // unless an add or modify made it already
        [] { CreateOwned(frmParaSet_BQM); },
        [] { CreateOwned(frmParaSet_V64); },  // lays out its rows for no selected printer
        [] { CreateOwned(frmCommandTest); },
        [] { CreateOwned(frmPrintTextLabel); },
        [] { CreateOwned(frmPrintText); },
        [] { CreateOwned(frmDownloadFile_TSPL); },
        [] { CreateOwned(frmImagesManageTSPL); },
        [] { CreateOwned(frmParaSet_W7X_Vuzivaz); },
        [] { CreateOwned(frmParaSet_W7X); },
        [] { CreateOwned(frmParaSet_BTN7); },
        [] { CreateOwned(frmParaSet_W16); },
        [] { CreateOwned(frmParaSet_W16_Vuzivaz); },
        [] { CreateOwned(frmParaSet_Trev); },
        [] { CreateOwned(frmParaSet_U9); },
        [] { CreateOwned(frmGDL); },
        [] { CreateOwned(frmDLFile); },
        [] { CreateOwned(frmDLF); },
        [] { CreateOwned(frmDLFont); },
        [] { CreateOwned(frmParaSet_BQM260); },
        [] { CreateOwned(frmParaSet_J27); },
        [] { CreateOwned(frmParaSet_Z12); },
        [] { CreateOwned(frmParaSet_QX); },  // hidden; it reads nothing until it is shown
        [] { CreateOwned(frmParaSet_F58S); },
        [] { CreateOwned(frmParaSet_F58D); },
        [] { CreateOwned(frmParaSet_F58S); },  // again: the variable holds the second instance
        [] { CreateOwned(frmParaSet_J83); },
        [] { CreateOwned(frmTempletManage); },
        [] { CreateOwned(frmDLUF); },
        [] { CreateOwned(frmParaSet_Z12); },  // again
        [] { CreateOwned(frmPrinterStatus); },
        [] { CreateOwned(frmParaSet_BTN7_Vuzivaz); },
        [] { CreateOwned(frmParaSet_Z34); },
        [] { CreateOwned(frmParaSet_W16P); },
        [] { CreateOwned(frmDFU_W16P); },
        [] { CreateOwned(frmParaSet_UZ650B); },
        [] { CreateOwned(frmScanTest); },
        [] { CreateOwned(frmDLFile); },  // again: the variable holds the second instance
        [] { CreateOwned(frmParaSet_V52); },
    };
    return steps;
}
std::size_t g_nextHiddenStep = 0;
} // namespace

T_frmMain_Label* CreateMainStartupForms()
{
    // Creation order of the entry; a second creation of a class overwrites its window
    // variable. The first is made here, the rest are the hidden steps above:
    //   T_frmMain_Label
    //   T_frmPrinterManage_Label       (the only one used later; reused by add / modify)
    //   T_frmParaSet_BQM, T_frmParaSet_V64, T_frmCommandTest, T_frmPrintTextLabel,
    //   T_frmDownloadFile_TSPL, T_frmImagesManageTSPL, T_frmPrintText,
    //   T_frmParaSet_W7X_Vuzivaz, T_frmParaSet_W7X, T_frmParaSet_BTN7, T_frmParaSet_W16,
    //   T_frmParaSet_W16_Vuzivaz, TfrmGDL, T_frmParaSet_Trev, T_frmParaSet_U9, TfrmDLFile,
    //   TfrmDLF, TfrmDLFont, T_frmParaSet_BQM260, T_frmParaSet_J27, T_frmParaSet_Z12,
    //   T_frmParaSet_QX, T_frmParaSet_F58S, T_frmParaSet_F58D, T_frmParaSet_F58S (again),
    //   T_frmParaSet_J83, T_frmTempletManage, TfrmDLUF, T_frmParaSet_Z12 (again),
    //   T_frmPrinterStatus, T_frmParaSet_BTN7_Vuzivaz, T_frmParaSet_Z34, T_frmParaSet_W16P,
    //   TfrmDFU_W16P, T_frmParaSet_UZ650B, T_frmScanTest, TfrmDLFile (again),
    //   T_frmParaSet_V52
    frmMain_Label = new T_frmMain_Label();
    g_nextHiddenStep = 0;
    return frmMain_Label;
}

bool BuildNextStartupForm()
{
    const auto& steps = HiddenStartupSteps();
    if (g_nextHiddenStep >= steps.size())
        return false;
    steps[g_nextHiddenStep++]();
    return g_nextHiddenStep < steps.size();
}

bool StartupFormsPending()
{
    return g_nextHiddenStep < HiddenStartupSteps().size();
}

T_frmMain_Label* CreateStartupForms()
{
    CreateMainStartupForms();
    while (BuildNextStartupForm()) {
    }
    return frmMain_Label;
}

void BuildStartupFormsWhenIdle(QObject* context, std::function<void()> done, std::function<void()> first)
{
    auto* timer = new QTimer(context);
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, done = std::move(done), first = std::move(first)]() mutable {
        if (first)
            std::exchange(first, nullptr)();
        if (StartupFormsPending() && BuildNextStartupForm())
            return;
        timer->stop();
        timer->deleteLater();
        if (done)
            done();
    });
    timer->start();
}

void DestroyStartupForms()
{
    g_nextHiddenStep = HiddenStartupSteps().size();  // nothing is built after this
    for (QPointer<QWidget>& w : OwnedStartupForms())
        delete w.data();
    OwnedStartupForms().clear();
    frmDLFile = nullptr;
    frmDLF = nullptr;
    frmDLFont = nullptr;
    frmDLUF = nullptr;
    frmGDL = nullptr;
    frmDFU_W16P = nullptr;
    frmDownloadFile_TSPL = nullptr;
    frmImagesManageTSPL = nullptr;
    frmTempletManage = nullptr;
    frmParaSet_W16P = nullptr;
    frmParaSet_UZ650B = nullptr;
    frmParaSet_V52 = nullptr;
    frmParaSet_QX = nullptr;
    frmParaSet_BQM = nullptr;
    frmParaSet_V64 = nullptr;
    frmParaSet_W7X_Vuzivaz = nullptr;
    frmParaSet_W7X = nullptr;
    frmParaSet_W16 = nullptr;
    frmParaSet_W16_Vuzivaz = nullptr;
    frmParaSet_J27 = nullptr;
    frmCommandTest = nullptr;
    frmPrinterStatus = nullptr;
    frmScanTest = nullptr;
    delete frmPrinterManage_Label;
    frmPrinterManage_Label = nullptr;
    frmParaSet_BTN7 = nullptr;
    frmParaSet_Trev = nullptr;
    frmParaSet_U9 = nullptr;
    frmParaSet_BQM260 = nullptr;
    frmParaSet_Z12 = nullptr;
    frmParaSet_F58S = nullptr;
    frmParaSet_F58D = nullptr;
    frmParaSet_J83 = nullptr;
    frmParaSet_BTN7_Vuzivaz = nullptr;
    frmParaSet_Z34 = nullptr;
    frmPrintTextLabel = nullptr;
    frmPrintText = nullptr;
    delete frmMain_Label;
    frmMain_Label = nullptr;
}
