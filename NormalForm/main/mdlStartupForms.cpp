#include "mdlStartupForms.h"

#include "FormMain_Label.h"

T_frmMain_Label* frmMain_Label = nullptr;

T_frmMain_Label* CreateStartupForms()
{
    // Creation order of the entry. A second creation of a class overwrites its window
    // variable. Only the windows that exist so far are created; the others follow at
    // their place when their windows are built:
    //   T_frmMain_Label                (here)
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
    return frmMain_Label;
}

void DestroyStartupForms()
{
    delete frmMain_Label;
    frmMain_Label = nullptr;
}
