#include "mdlFormOpeners.h"

#include "mdlGlobalVar.h"
#include "PrtTexts.h"

#include <QMap>
#include <QWidget>

// The windows' headers: each area adds its own here.
#include "FormDLF.h"
#include "FormDLFile.h"
#include "FormDLFont.h"
#include "FormDLUF.h"
#include "FormGDL.h"
#include "FormFWAllUpdate.h"
#include "FormDFU_W16P.h"
#include "FormDownFirmwareSelType.h"
#include "FormDownloadFile_TSPL.h"
#include "FormTempletManage.h"
#include "FormParaSet_V52.h"
#include "FormParaSet_W16P.h"
#include "FormParaSet_QX.h"
#include "FormParaSet_ZR.h"
#include "FormParaSet_BQM.h"
#include "FormParaSet_J27.h"
#include "FormParaSet_V64.h"
#include "FormParaSet_W16.h"
#include "FormParaSet_W16_Vuzivaz.h"
#include "FormParaSet_W7X.h"
#include "FormParaSet_W7X_Vuzivaz.h"
#include "FormParaSet_W7X_ZR905K.h"
#include "FormCommandTest.h"
#include "FormNet.h"
#include "FormNetDiscovery.h"
#include "FormPrinterStatus.h"
#include "FormScanTest.h"
#include "FormPrinterInformation.h"
#include "FormParaSet_F58D.h"
#include "FormParaSet_U9.h"
#include "FormParaSet_J83.h"
#include "FormParaSet_Trev.h"
#include "FormParaSet_F58S.h"
#include "FormParaSet_Z34.h"
#include "FormParaSet_Z12.h"
#include "FormParaSet_BQM260.h"
#include "FormParaSet_BTN7.h"
#include "FormParaSet_BTN7_Vuzivaz.h"
#include "FormPrintText.h"
#include "FormPrintText_Label.h"
#include "FormPrintText_Label_CPCL_V52BT.h"
#include "FormPrinterManage_ESC.h"
#include "FormRfidSet.h"

namespace {

QMap<QString, TFormFactory> BuildTable()
{
    QMap<QString, TFormFactory> t;
    // One line per window class: t.insert("T_frmXxx", [] { return new T_frmXxx(); });
    t.insert("TfrmDLFile", [] { return new TfrmDLFile(); });
    t.insert("TfrmDLFile_ZR", [] { return new TfrmDLFile_ZR(); });
    t.insert("TfrmDLUF", [] { return new TfrmDLUF(); });
    t.insert("TfrmDLFont", [] { return new TfrmDLFont(); });
    t.insert("TfrmGDL", [] { return new TfrmGDL(); });
    t.insert("TForm11", [] { return new TForm11(); });
    t.insert("TfrmDFU_W16P", [] { return new TfrmDFU_W16P(); });
    t.insert("TfrmDownFirmwareSelType", [] { return new TfrmDownFirmwareSelType(); });
    t.insert("T_frmImagesManageTSPL", [] { return new T_frmImagesManageTSPL(); });
    t.insert("T_frmTempletManage", [] { return new T_frmTempletManage(); });
    t.insert("T_frmDownloadFile_TSPL", [] { return new T_frmDownloadFile_TSPL(); });
    t.insert("T_frmParaSet_V52", [] { return new T_frmParaSet_V52(); });
    t.insert("T_frmParaSet_W16P", [] { return new T_frmParaSet_W16P(); });
    t.insert("T_frmParaSet_QX", [] { return new T_frmParaSet_QX(); });
    t.insert("T_frmParaSet_ZR", [] { return new T_frmParaSet_ZR(); });
    t.insert("TfrmDLF", [] { return new TfrmDLF(); });
    t.insert("T_frmParaSet_V64", [] { return new T_frmParaSet_V64(); });
    t.insert("T_frmParaSet_W16", [] { return new T_frmParaSet_W16(); });
    t.insert("T_frmParaSet_W16_Vuzivaz", [] { return new T_frmParaSet_W16_Vuzivaz(); });
    t.insert("T_frmParaSet_BQM", [] { return new T_frmParaSet_BQM(); });
    t.insert("T_frmParaSet_J27", [] { return new T_frmParaSet_J27(); });
    t.insert("T_frmParaSet_W7X", [] { return new T_frmParaSet_W7X(); });
    t.insert("T_frmParaSet_W7X_Vuzivaz", [] { return new T_frmParaSet_W7X_Vuzivaz(); });
    t.insert("T_frmParaSet_W7X_ZR905K", [] { return new T_frmParaSet_W7X_ZR905K(); });
    t.insert("TForm13", [] { return new TForm13(); });
    t.insert("T_frmPrinterStatus", [] { return new T_frmPrinterStatus(); });
    t.insert("T_frmScanTest", [] { return new T_frmScanTest(); });
    t.insert("TfrmAdvancedSettings", [] { return new TfrmAdvancedSettings(); });
    t.insert("TFormNet", [] { return new TFormNet(); });
    t.insert("T_frmPrinterInformation", [] { return new T_frmPrinterInformation(); });
    t.insert("T_frmCommandTest", [] { return new T_frmCommandTest(); });
    t.insert("T_frmParaSet_F58D", [] { return new T_frmParaSet_F58D(); });
    t.insert("T_frmParaSet_U9", [] { return new T_frmParaSet_U9(); });
    t.insert("T_frmParaSet_J83", [] { return new T_frmParaSet_J83(); });
    t.insert("T_frmParaSet_Trev", [] { return new T_frmParaSet_Trev(); });
    t.insert("T_frmParaSet_F58S", [] { return new T_frmParaSet_F58S(); });
    t.insert("T_frmParaSet_Z34", [] { return new T_frmParaSet_Z34(); });
    t.insert("T_frmParaSet_Z12", [] { return new T_frmParaSet_Z12(); });
    t.insert("T_frmParaSet_BQM260", [] { return new T_frmParaSet_BQM260(); });
    t.insert("T_frmParaSet_BTN7", [] { return new T_frmParaSet_BTN7(); });
    t.insert("T_frmParaSet_BTN7_Vuzivaz", [] { return new T_frmParaSet_BTN7_Vuzivaz(); });
    t.insert("T_frmPrintTextLabel", [] { return new T_frmPrintTextLabel(); });
    // T_frmPrintTextLabelCpclV52bt takes the paper width text (mm) before it is shown
    // through its invokable SetPaperWidth(text).
    t.insert("T_frmPrintTextLabelCpclV52bt", [] { return new T_frmPrintTextLabelCpclV52bt(); });
    t.insert("T_frmPrintText", [] { return new T_frmPrintText(); });
    t.insert("TForm25", [] { return new TForm25(); });
    t.insert("TfrmRfidSet", [] { return new TfrmRfidSet(); });
    return t;
}

QMap<QString, TFormFactory>& Table()
{
    static QMap<QString, TFormFactory> table = BuildTable();
    return table;
}


} // namespace

QWidget* CreateFormByName(const QString& className)
{
    const auto it = Table().constFind(className);
    if (it == Table().constEnd() || !it.value())
        return nullptr;
    return it.value()();
}

bool IsFormAvailable(const QString& className)
{
    return Table().contains(className);
}

QStringList AvailableFormNames()
{
    return Table().keys();
}

bool ShowFormModal(const QString& className, const TFormStep& prepare, const TFormStep& after, bool bringToTop)
{
    QWidget* form = CreateFormByName(className);
    if (!form) {
        ShowInfoBox(prt::LangText(QStringLiteral("FormMain_Label_MSGNotAvailable")));
        return false;
    }
    return ShowNewFormModal(className, form, prepare, after, bringToTop);
}


void RegisterFormOpener(const QString& className, TFormFactory factory)
{
    if (factory)
        Table().insert(className, std::move(factory));
    else
        Table().remove(className);
}
