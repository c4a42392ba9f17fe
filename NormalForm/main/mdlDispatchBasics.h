#pragma once
// What the main window's dispatch shares with the windows it opens: the window class
// names, the list tests and the TSPL scope of the tool windows.
#include <QString>

// ---- window class names the dispatch opens ---------------------------------------------------
namespace FormNames {
inline constexpr char PrinterInformation[] = "T_frmPrinterInformation";
inline constexpr char PrintTextLabel[] = "T_frmPrintTextLabel";
inline constexpr char PrintTextLabelCpclV52bt[] = "T_frmPrintTextLabelCpclV52bt";
inline constexpr char PrintText[] = "T_frmPrintText";
inline constexpr char EscTextPrint[] = "TForm25";
inline constexpr char DLUF[] = "TfrmDLUF";
inline constexpr char DLFile[] = "TfrmDLFile";
inline constexpr char DLFileZR[] = "TfrmDLFile_ZR";
inline constexpr char DLF[] = "TfrmDLF";
inline constexpr char GDL[] = "TfrmGDL";
inline constexpr char DfuOta[] = "TfrmDFU_W16P";
inline constexpr char FirmwareSelType[] = "TfrmDownFirmwareSelType";
inline constexpr char BulkUpdate[] = "TForm11";
inline constexpr char PrinterStatus[] = "T_frmPrinterStatus";
inline constexpr char RfidSet[] = "TfrmRfidSet";
inline constexpr char ScanTest[] = "T_frmScanTest";
inline constexpr char AdvancedSettings[] = "TfrmAdvancedSettings";
inline constexpr char CommandTest[] = "T_frmCommandTest";
inline constexpr char NetDiscovery[] = "TForm13";
inline constexpr char NetSettings[] = "TFormNet";
inline constexpr char TempletManage[] = "T_frmTempletManage";
} // namespace FormNames

// ","+name+"," in list.
bool InList(const QString& name, const QString& list);
// name+"," occurs in list (the name-comma test).
bool InListNameComma(const QString& name, const QString& list);

// While alive, the text commands go through the TSPL library (the tool windows talk over
// the global TSPL object); the previous SDK kind comes back afterwards.
class TTsplKindScope {
public:
    TTsplKindScope();
    ~TTsplKindScope();
    TTsplKindScope(const TTsplKindScope&) = delete;
    TTsplKindScope& operator=(const TTsplKindScope&) = delete;

private:
    int FOld;
};
