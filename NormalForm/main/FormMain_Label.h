#pragma once
// The program's main window: the printer list, the function buttons of the selected
// model and the information page. Selecting a row (the selection road) is the only place
// that writes the current printer names, the current port string and the connection
// record. Every control carries its name as objectName.
#include "mdlDispatchHost.h"
#include "mdlFunctionButtons.h"
#include "mdlMainFunctions.h"
#include "mdlMainRules.h"
#include "mdlPrinterListFile.h"

#include <QHash>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QStringList>
#include <QWidget>
#include <memory>

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPoint;
class QPushButton;
class QToolButton;
class QTreeWidget;
class TObj_Ult_PrtParaManage;

class T_frmMain_Label : public QWidget, public TMainFunctionHost {
    Q_OBJECT
public:
    explicit T_frmMain_Label(QWidget* parent = nullptr);
    ~T_frmMain_Label() override;

    // ---- form events
    void FormCreate();
    void FormShow();    // runs once, on the first show
    void FormDestroy(); // runs once, from the destructor at the latest
    // One clear message naming each shipped file that is missing or unreadable.
    void ReportMissingShippedFiles();

    // ---- the selection road and the gate
    void lvPrinterListClick();
    void lvPrinterListKeyUp();
    void ResolveSelectedPrinter(QString& prtDefName, QString& prtBasName);
    QString GetSelectedPortType() const;
    QString GetSelectedPortParam() const;
    QString GetSelectedNotes() const;
    QString GetSelectedPrtVerOfTool() const;
    // The gate before guarded functions: runs the selection again and the USB identity
    // check. ok false with a message (maybe empty) refuses the function.
    void PrepareSelectedPrinter(bool& ok, bool flag, bool& b1, bool& b2, QString& text,
                                QString& message);
    void CheckSelectedPrinterModel(bool& ok, bool& b1, bool& b2, QString& text, QString& message);
    // Runs the gate and shows its message when refused; true when the function may go on.
    bool RunGate() override;

    // ---- printer list
    void LoadPrinterList();
    void ReloadPrinterList(int selectRow);  // clears, loads, selects, runs the road
    int RowCount() const override;
    int SelectedRow() const;
    QString SelectedColumnText(int column) const;  // column text of the selected row, empty when none
    void SelectRow(int row);                // selects without running the road
    // The row as the list was loaded from the file: its place and its line.
    TPrinterListRowRef LoadedRow(int row) const;
    int RememberedRow() const { return FRememberedRow; }
    QString PrinterListPath() const { return FPrinterListPath; }
    void btnDeletePrinterClick();
    // The network-address update after the discovery window closed with an address.
    void ApplyChosenAddress(const QString& address) override;
    void btnIPMessageClick();
    void btnAddPrinterClick();
    void btnModifyPrinterClick();
    // What the printer-management window gets for "Modify": the remembered row, PrtDefName
    // and the row's fields (a network port string without its "NET," prefix).
    TModifyHandover ModifyHandover() const override;
    // After the management window wrote the file (or found that it changed since the list
    // was loaded): reload and select the new last row / the remembered row, then run the
    // selection road.
    void PrinterAdded() override;
    void PrinterModified() override;
    // Result of a printer-list write: true for Ok; otherwise its message (an information
    // box when the file changed since the list was loaded, else an error box) and, unless
    // nothing was written because a field or the model was refused, a reload from the file.
    bool HandlePrinterListResult(TPrinterListResult result);

    // ---- function buttons
    void UpdateFunctionButtons();
    void ApplyPortTypeLayout();
    void SetBtnPosi(QPushButton* button);
    void BuildInfoPanelGroups();
    void ArrangeInfoPage();
    int SlotsUsed() const { return FSlot; }
    // Runs the registered handler of a function button (or says it is not available).
    void RunFunction(const QString& buttonName);
    void btnConnectTestClick();
    // The dispatch's reach into the window.
    void ShowProtocolType(const QString& text) override;
    TPrinterManageTarget& PrinterManage() override;

    // ---- captions, lists and language
    void LoadMainCaptionsAndParameterSet();
    void PassSettingsToCmdsDll();
    void RefreshPrinterModelList();
    void ApplyToolLanguage();
    void cmbToolLangChange();
    void btnSetToolLangOrOtherClick();
    void btnGetToolLangOrOtherClick();
    void btnGetProtocolTypeClick();
    void mitemGetPrtBasNameClick();
    void btnMoreClick();
    // The printer list's context menu: its one item opens the storage manager of the
    // selected TSPL printer after the gate.
    void lvPrinterListContextMenu(const QPoint& pos);
    // The same menu from the keyboard (menu key, Shift+F10): at the current row, its first
    // item active.
    void OpenPrinterListMenuFromKeyboard();
    void mitemTempletManageClick();
    void sbtnFunctionClick();
    void sbtnSysParaClick();
    void btnQuitClick();
    const QStringList& ToolLangList() const { return FToolLangList; }
    const QStringList& PrinterModelList() const { return FPrinterModelList; }

    // Kept texts.
    QString DeleteConfirmText() const { return FDeleteConfirmText; }
    QString RestoreText() const override { return FRestoreText; }
    int FactoryFlag() const { return FFactoryFlag; }
    int TsplCreateResult() const { return FTsplCreateResult; }
    bool CmdsDllReady() const { return FCmdsReady; }

    // Raises a tool or parameter window above the others right before it is shown.
    static void BringFormToTop(QWidget* form);

    // ---- controls (objectName = member name)
    QLabel* lblPrinterList = nullptr;
    QTreeWidget* lvPrinterList = nullptr;
    QPushButton* btnAddPrinter = nullptr;
    QPushButton* btnModifyPrinter = nullptr;
    QPushButton* btnDeletePrinter = nullptr;
    QPushButton* btnConnectTest = nullptr;
    QPushButton* btnQuit = nullptr;
    QPushButton* btnMore = nullptr;
    QMenu* PMenuMore = nullptr;
    QAction* mitemTest = nullptr;
    QAction* mitemGetPrtBasName = nullptr;
    QMenu* PMenuPrinterList = nullptr;
    QAction* mitemTempletManage = nullptr;
    QWidget* PagecA = nullptr;
    QWidget* tabsA = nullptr;
    QFrame* scrollboxA = nullptr;
    QToolButton* sbtnFunction = nullptr;
    QToolButton* sbtnSysPara = nullptr;
    QGroupBox* gpbFunction = nullptr;
    QFrame* sboxSysPara = nullptr;
    QPlainTextEdit* mmoInfo = nullptr;
    QLineEdit* edtInfo_PrtName = nullptr;
    QLineEdit* edtInfo_PrtVpid = nullptr;
    QComboBox* cmbToolLang = nullptr;
    QLabel* txtlbl_ToolLang = nullptr;
    QFrame* pnlSetOrOther = nullptr;
    QPushButton* btnSetToolLangOrOther = nullptr;
    QPushButton* btnGetToolLangOrOther = nullptr;
    QLabel* txtlbl_LangID = nullptr;
    QLineEdit* txtLangID = nullptr;
    QLabel* txtlbl_Map = nullptr;
    QLineEdit* txtMap = nullptr;
    QLabel* txtlbl_ProtocolType = nullptr;
    QLineEdit* txtProtocolType = nullptr;
    QPushButton* btnGetProtocolType = nullptr;
    QLabel* txtlbl_PrtBasName = nullptr;
    QLineEdit* edtPrtBasName = nullptr;
    QPushButton* btnVpidMg = nullptr;
    QLabel* txtLbl_PrtVpidS = nullptr;
    QLineEdit* txtPrtVpidS = nullptr;
    QLabel* txtLbl_PrtVpidTemp = nullptr;
    QLineEdit* txtPrtVpidTemp = nullptr;
    // function buttons (group box)
    QPushButton* btnPrinterInformation = nullptr;
    QPushButton* btnPrintText = nullptr;
    QPushButton* btnPrintConfigInfo = nullptr;
    QPushButton* btnNoPaperLightLearn = nullptr;
    QPushButton* btnHavePaperLightLearn = nullptr;
    QPushButton* btnStartLearn = nullptr;
    QPushButton* btnContinueLenrn = nullptr;
    QPushButton* btnFrontLearn = nullptr;
    QPushButton* btnIPMessage = nullptr;
    QPushButton* btnParameterSetting = nullptr;
    QPushButton* btnFactorySetting = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* btnModelTest = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* btnCommandTest = nullptr;
    QPushButton* btnWifiFirewateDownload = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* btnScanTest = nullptr;
    QPushButton* btnAdvancedSettings = nullptr;
    QPushButton* btnRfidSet = nullptr;
    // below the group box
    QPushButton* btnDFU = nullptr;
    QPushButton* btnDFU2 = nullptr;
    QPushButton* btnFWAllUpdate = nullptr;
    QPushButton* btnLabelSensorPrintImage = nullptr;

    QPushButton* FunctionButton(const QString& name) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The controls under the list (moved down by the height the window gains) and the
    // growth itself: the list takes the added room, the side buttons and Quit keep to the
    // right edge.
    QList<QWidget*> BelowListWidgets() const;
    void ApplyGrowth();
    void CreateControls();
    void CreateMainFormHelpers();
    // Frees TKesaVar, TGlobalVar, TConstLangV and TConstVar (the window's destruction).
    void FreeGlobalSingletons();
    void ConnectHandlers();
    QString LangKeyText(const QString& key) const;

    // ---- private fields, in declaration order
    int FRememberedRow = 0;
    QString FDeleteConfirmText;
    QString FRestoreText;
    int FLoadingFlag = 0;
    int FReselectGuard = 0;
    bool FEmptyAreaPress = false;  // a mouse press on the list below its rows
    QString FPrinterListLabelText;
    QString FSelectedModelText;
    QString FContinueLearnTip;
    std::unique_ptr<TObj_Ult_PrtParaManage> FLayout;
    uint8_t FComboReady = 1;
    QString FTsplErrTip;
    QString FCpclErrTip;
    QStringList FToolLangList;
    QList<QToolButton*> FTabButtons;

    // form-level state
    int FFactoryFlag = 0;          // -1 in factory mode
    int FTsplCreateResult = 0;
    bool FCmdsReady = false;
    int FSlot = 0;                 // button slot counter of the last update
    bool FShown = false;
    bool FDestroyed = false;
    QStringList FPrinterModelList; // global model list (its first entry is the default)
    QString FPrinterListPath;
    QSize FLayoutSize;             // the size of the last layout (the smallest window)
    QSize FGrowth{0, 0};           // what the operator added to it
    QHash<QWidget*, QPoint> FLayoutPos;
};
