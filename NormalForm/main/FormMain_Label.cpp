#include "FormMain_Label.h"

#include "FormPrinterManage_Label.h"

#include "PrtIni.h"
#include "PrtMsgBox.h"
#include "PrtPaths.h"
#include "PrtTexts.h"
#include "PubBytes.h"
#include "mdlASetFtnA.h"
#include "mdlCurrentPrinter.h"
#include "mdlDevBasePrt.h"
#include "mdlDevNewPrt.h"
#include "mdlFtnA_Base.h"
#include "mdlFunctionDispatch.h"
#include "mdlGlobalVar.h"
#include "mdlKesaVar.h"
#include "mdlLangText.h"
#include "mdlLanguage.h"
#include "mdlMainData.h"
#include "mdlModelCatalog.h"
#include "mdlModelFeatures.h"
#include "mdlModuleState.h"
#include "mdlOemClass.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterListFile.h"
#include "mdlPrinterTypeList.h"
#include "mdlPrtDll.h"
#include "mdlPrtParamBlock.h"
#include "mdlPubFunc.h"
#include "mdlRfidModels.h"
#include "mdlPub_Obj_Ult_PrtPara.h"
#include "mdlUsbVidPidCheck.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDateTime>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPalette>
#include <QPushButton>
#include <QResizeEvent>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>

namespace {

// Geometry of the form (pixels).
constexpr int kMargin = 12;
constexpr int kListWidth = 340;
constexpr int kListHeight = 150;
constexpr int kListTop = 28;
constexpr int kGroupWidth = 460;
constexpr int kDesignWidth = 2 * kMargin + kGroupWidth;
constexpr int kSideLeft = kMargin + kListWidth + 8;
constexpr int kQuitLeft = kMargin + kGroupWidth - 110;
constexpr int kFnBtnWidth = 180;
constexpr int kFnBtnHeight = 30;
constexpr int kSideBtnWidth = 112;
constexpr int kBottomBtnWidth = 140;
constexpr int kInfoLabelLeft = 10;
constexpr int kInfoLabelWidth = 130;
constexpr int kInfoEditLeft = 145;
constexpr int kInfoEditWidth = 290;
constexpr int kInfoRowHeight = 24;

QString Title(const char* key)
{
    return prt::LangText(QLatin1String(key));
}

bool IsContextMenuKey(const QKeyEvent* ke)
{
    return ke->key() == Qt::Key_Menu
           || (ke->key() == Qt::Key_F10 && ke->modifiers() == Qt::ShiftModifier);
}

} // namespace

// ---- construction ------------------------------------------------------------------------------

T_frmMain_Label::T_frmMain_Label(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMain_Label"));
    CreateControls();
    ConnectHandlers();
    FormCreate();
}

T_frmMain_Label::~T_frmMain_Label()
{
    FormDestroy();
}

void T_frmMain_Label::CreateControls()
{
    auto named = [](QObject* o, const char* name) { o->setObjectName(QLatin1String(name)); };
    auto button = [&](QWidget* parent, const char* name) {
        auto* b = new QPushButton(parent);
        named(b, name);
        return b;
    };
    auto label = [&](QWidget* parent, const char* name) {
        auto* l = new QLabel(parent);
        named(l, name);
        return l;
    };
    auto edit = [&](QWidget* parent, const char* name) {
        auto* e = new QLineEdit(parent);
        named(e, name);
        return e;
    };

    lblPrinterList = label(this, "lblPrinterList");
    lblPrinterList->setGeometry(kMargin, 8, kListWidth, 18);

    lvPrinterList = new QTreeWidget(this);
    named(lvPrinterList, "lvPrinterList");
    lvPrinterList->setGeometry(kMargin, kListTop, kListWidth, kListHeight);
    lvPrinterList->setColumnCount(5);
    lvPrinterList->setHeaderHidden(true);
    lvPrinterList->setRootIsDecorated(false);
    lvPrinterList->setSelectionMode(QAbstractItemView::SingleSelection);
    lvPrinterList->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvPrinterList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvPrinterList->setAllColumnsShowFocus(true);
    // The selected row: white text on navy, focused or not; the others black on white.
    // (A palette: a style sheet would cost the start a style-sheet pass of the view.)
    {
        QPalette pal = lvPrinterList->palette();
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
            pal.setColor(g, QPalette::Base, Qt::white);
            pal.setColor(g, QPalette::Text, Qt::black);
            pal.setColor(g, QPalette::Highlight, QColor(0x00, 0x00, 0x80));
            pal.setColor(g, QPalette::HighlightedText, Qt::white);
        }
        lvPrinterList->setPalette(pal);
    }

    const int sideLeft = kSideLeft;
    btnAddPrinter = button(this, "btnAddPrinter");
    btnModifyPrinter = button(this, "btnModifyPrinter");
    btnDeletePrinter = button(this, "btnDeletePrinter");
    btnConnectTest = button(this, "btnConnectTest");
    int y = 28;
    for (QPushButton* b : {btnAddPrinter, btnModifyPrinter, btnDeletePrinter, btnConnectTest}) {
        b->setGeometry(sideLeft, y, kSideBtnWidth, kFnBtnHeight);
        y += 38;
    }

    PagecA = new QWidget(this);
    named(PagecA, "PagecA");
    PagecA->hide();
    tabsA = new QWidget(PagecA);
    named(tabsA, "tabsA");

    scrollboxA = new QFrame(this);
    named(scrollboxA, "scrollboxA");
    scrollboxA->setGeometry(kMargin, 184, kGroupWidth, 32);
    sbtnFunction = new QToolButton(scrollboxA);
    named(sbtnFunction, "sbtnFunction");
    sbtnFunction->setGeometry(2, 2, 140, 28);
    sbtnSysPara = new QToolButton(scrollboxA);
    named(sbtnSysPara, "sbtnSysPara");
    sbtnSysPara->setGeometry(146, 2, 140, 28);
    for (QToolButton* t : {sbtnFunction, sbtnSysPara}) {
        t->setCheckable(true);
        t->setAutoExclusive(true);
    }
    sbtnFunction->setChecked(true);

    gpbFunction = new QGroupBox(this);
    named(gpbFunction, "gpbFunction");
    gpbFunction->setGeometry(kMargin, 222, kGroupWidth, 200);

    sboxSysPara = new QFrame(this);
    named(sboxSysPara, "sboxSysPara");
    sboxSysPara->setFrameShape(QFrame::StyledPanel);
    sboxSysPara->setGeometry(gpbFunction->geometry());
    sboxSysPara->hide();

    auto fn = [&](const char* name) {
        QPushButton* b = button(gpbFunction, name);
        b->resize(kFnBtnWidth, kFnBtnHeight);
        b->hide();
        return b;
    };
    btnPrinterInformation = fn("btnPrinterInformation");
    btnPrintText = fn("btnPrintText");
    btnPrintConfigInfo = fn("btnPrintConfigInfo");
    btnNoPaperLightLearn = fn("btnNoPaperLightLearn");
    btnHavePaperLightLearn = fn("btnHavePaperLightLearn");
    btnStartLearn = fn("btnStartLearn");
    btnContinueLenrn = fn("btnContinueLenrn");
    btnFrontLearn = fn("btnFrontLearn");
    btnIPMessage = fn("btnIPMessage");
    btnParameterSetting = fn("btnParameterSetting");
    btnFactorySetting = fn("btnFactorySetting");
    Button2 = fn("Button2");
    btnModelTest = fn("btnModelTest");
    Button3 = fn("Button3");
    Button1 = fn("Button1");
    btnCommandTest = fn("btnCommandTest");
    btnWifiFirewateDownload = fn("btnWifiFirewateDownload");
    Button4 = fn("Button4");
    btnScanTest = fn("btnScanTest");
    btnAdvancedSettings = fn("btnAdvancedSettings");
    btnRfidSet = fn("btnRfidSet");

    btnDFU = button(this, "btnDFU");
    btnDFU->setGeometry(kMargin, 432, kBottomBtnWidth, kFnBtnHeight);
    btnDFU2 = button(this, "btnDFU2");
    btnDFU2->setGeometry(kMargin + kBottomBtnWidth + 8, 432, kBottomBtnWidth, kFnBtnHeight);
    btnDFU2->hide();
    btnFWAllUpdate = button(this, "btnFWAllUpdate");
    btnFWAllUpdate->setGeometry(kBottomBtnWidth + 15, 432, kBottomBtnWidth, kFnBtnHeight);
    btnFWAllUpdate->hide();
    btnLabelSensorPrintImage = button(this, "btnLabelSensorPrintImage");
    btnLabelSensorPrintImage->setGeometry(200, 432, kBottomBtnWidth, kFnBtnHeight);
    btnLabelSensorPrintImage->hide();
    btnMore = button(this, "btnMore");
    btnMore->setGeometry(254, 432, 100, kFnBtnHeight);
    btnMore->setText(QStringLiteral("More"));
    btnMore->hide();
    btnQuit = button(this, "btnQuit");
    btnQuit->setGeometry(kQuitLeft, 432, 110, kFnBtnHeight);

    PMenuMore = new QMenu(this);
    named(PMenuMore, "PMenuMore");
    mitemTest = PMenuMore->addAction(QStringLiteral("Test"));
    named(mitemTest, "mitemTest");
    mitemGetPrtBasName = PMenuMore->addAction(QStringLiteral("PrtBasName"));
    named(mitemGetPrtBasName, "mitemGetPrtBasName");
    PMenuPrinterList = new QMenu(this);
    named(PMenuPrinterList, "PMenuPrinterList");
    mitemTempletManage = PMenuPrinterList->addAction(QString());
    named(mitemTempletManage, "mitemTempletManage");
    lvPrinterList->setContextMenuPolicy(Qt::CustomContextMenu);

    // Information page.
    QWidget* page = sboxSysPara;
    mmoInfo = new QPlainTextEdit(page);
    named(mmoInfo, "mmoInfo");
    mmoInfo->setGeometry(6, 6, kGroupWidth - 12, 80);
    edtInfo_PrtName = edit(page, "edtInfo_PrtName");
    edtInfo_PrtVpid = edit(page, "edtInfo_PrtVpid");
    edtInfo_PrtVpid->hide();  // holds the attached printer's ids; no row of the page shows it
    txtlbl_ToolLang = label(page, "txtlbl_ToolLang");
    cmbToolLang = new QComboBox(page);
    named(cmbToolLang, "cmbToolLang");
    txtlbl_LangID = label(page, "txtlbl_LangID");
    txtLangID = edit(page, "txtLangID");
    txtLbl_PrtVpidS = label(page, "txtLbl_PrtVpidS");
    txtPrtVpidS = edit(page, "txtPrtVpidS");
    txtLbl_PrtVpidTemp = label(page, "txtLbl_PrtVpidTemp");
    txtPrtVpidTemp = edit(page, "txtPrtVpidTemp");
    btnVpidMg = button(page, "btnVpidMg");
    btnVpidMg->setText(QStringLiteral("VPID"));
    txtlbl_Map = label(page, "txtlbl_Map");
    txtMap = edit(page, "txtMap");
    txtlbl_ProtocolType = label(page, "txtlbl_ProtocolType");
    txtProtocolType = edit(page, "txtProtocolType");
    btnGetProtocolType = button(page, "btnGetProtocolType");
    txtlbl_PrtBasName = label(page, "txtlbl_PrtBasName");
    edtPrtBasName = edit(page, "edtPrtBasName");
    pnlSetOrOther = new QFrame(page);
    named(pnlSetOrOther, "pnlSetOrOther");
    pnlSetOrOther->resize(kInfoLabelWidth + kInfoEditWidth + 10, 34);
    btnSetToolLangOrOther = button(pnlSetOrOther, "btnSetToolLangOrOther");
    btnSetToolLangOrOther->setGeometry(kInfoEditLeft - kInfoLabelLeft, 2, 140, kFnBtnHeight);
    btnGetToolLangOrOther = button(pnlSetOrOther, "btnGetToolLangOrOther");
    btnGetToolLangOrOther->setGeometry(kInfoEditLeft - kInfoLabelLeft + 150, 2, 140, kFnBtnHeight);

    for (QWidget* w : std::initializer_list<QWidget*>{
             txtlbl_ToolLang, txtlbl_LangID, txtLbl_PrtVpidS, txtLbl_PrtVpidTemp, txtlbl_Map,
             txtlbl_ProtocolType, txtlbl_PrtBasName})
        w->setGeometry(kInfoLabelLeft, 0, kInfoLabelWidth, kInfoRowHeight);
    for (QWidget* w : std::initializer_list<QWidget*>{
             edtInfo_PrtName, edtInfo_PrtVpid, cmbToolLang, txtLangID, txtPrtVpidS, txtPrtVpidTemp,
             txtMap, edtPrtBasName})
        w->setGeometry(kInfoEditLeft, 0, kInfoEditWidth, kInfoRowHeight);
    txtProtocolType->setGeometry(kInfoEditLeft, 0, 200, kInfoRowHeight);
    btnGetProtocolType->setGeometry(kInfoEditLeft + 205, 0, 85, kInfoRowHeight);
    btnVpidMg->setGeometry(kInfoEditLeft, 0, 85, kInfoRowHeight);
    pnlSetOrOther->move(kInfoLabelLeft, 0);

    resize(kDesignWidth, 480);
}

void T_frmMain_Label::ConnectHandlers()
{
    lvPrinterList->viewport()->installEventFilter(this);
    lvPrinterList->installEventFilter(this);

    connect(btnQuit, &QPushButton::clicked, this, [this] { btnQuitClick(); });
    connect(btnMore, &QPushButton::clicked, this, [this] { btnMoreClick(); });
    connect(mitemGetPrtBasName, &QAction::triggered, this, [this] { mitemGetPrtBasNameClick(); });
    connect(lvPrinterList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { lvPrinterListContextMenu(pos); });
    connect(mitemTempletManage, &QAction::triggered, this, [this] { mitemTempletManageClick(); });
    // The page follows the tab buttons' checked state, however they were switched (mouse,
    // keyboard, accessibility).
    connect(sbtnFunction, &QToolButton::toggled, this, [this](bool on) {
        if (on)
            sbtnFunctionClick();
    });
    connect(sbtnSysPara, &QToolButton::toggled, this, [this](bool on) {
        if (on)
            sbtnSysParaClick();
    });
    connect(btnSetToolLangOrOther, &QPushButton::clicked, this, [this] { btnSetToolLangOrOtherClick(); });
    connect(btnGetToolLangOrOther, &QPushButton::clicked, this, [this] { btnGetToolLangOrOtherClick(); });
    connect(cmbToolLang, &QComboBox::currentIndexChanged, this, [this] { cmbToolLangChange(); });
    connect(btnGetProtocolType, &QPushButton::clicked, this, [this] { btnGetProtocolTypeClick(); });
    connect(btnDeletePrinter, &QPushButton::clicked, this, [this] { btnDeletePrinterClick(); });
    connect(btnAddPrinter, &QPushButton::clicked, this, [this] { btnAddPrinterClick(); });
    connect(btnModifyPrinter, &QPushButton::clicked, this, [this] { btnModifyPrinterClick(); });
    connect(btnConnectTest, &QPushButton::clicked, this, [this] { btnConnectTestClick(); });
    connect(btnIPMessage, &QPushButton::clicked, this, [this] { btnIPMessageClick(); });

    QList<QPushButton*> functions;
    for (const QString& name : FunctionButtonNames())
        if (name != QLatin1String("btnIPMessage"))
            functions << FunctionButton(name);
    functions << btnDFU << btnDFU2 << btnFWAllUpdate << btnLabelSensorPrintImage;
    for (QPushButton* b : functions) {
        const QString name = b->objectName();
        connect(b, &QPushButton::clicked, this, [this, name] { RunFunction(name); });
    }
    // Enter and Return press the focused button, as Space does.
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(true);
}

bool T_frmMain_Label::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lvPrinterList->viewport() && event->type() == QEvent::MouseButtonPress) {
        // A click on the empty area below the rows keeps the remembered row selected and
        // highlighted: the list never sees it, so it cannot clear the selection.
        const auto* me = static_cast<QMouseEvent*>(event);
        FEmptyAreaPress = RowCount() > 0 && !lvPrinterList->itemAt(me->position().toPoint());
        if (FEmptyAreaPress)
            return true;
    }
    if (watched == lvPrinterList->viewport() && event->type() == QEvent::MouseButtonRelease) {
        if (FEmptyAreaPress) {
            FEmptyAreaPress = false;
            if (SelectedRow() < 0)
                lvPrinterListClick();  // reselects the remembered row
            return true;
        }
        lvPrinterListClick();
    } else if (watched == lvPrinterList->viewport() && event->type() == QEvent::MouseButtonDblClick &&
               RowCount() > 0 &&
               !lvPrinterList->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        return true;
    } else if (watched == lvPrinterList && event->type() == QEvent::KeyPress
               && IsContextMenuKey(static_cast<QKeyEvent*>(event))) {
        // The menu key and Shift+F10 open the list's context menu at the current row.
        OpenPrinterListMenuFromKeyboard();
        return true;
    } else if ((watched == lvPrinterList || watched == lvPrinterList->viewport())
               && event->type() == QEvent::ContextMenu
               && static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        // A platform that turns the menu key into a context-menu request of its own.
        OpenPrinterListMenuFromKeyboard();
        return true;
    } else if (watched == lvPrinterList && event->type() == QEvent::KeyRelease) {
        lvPrinterListKeyUp();
    }
    return QWidget::eventFilter(watched, event);
}

QPushButton* T_frmMain_Label::FunctionButton(const QString& name) const
{
    return findChild<QPushButton*>(name);
}

QString T_frmMain_Label::LangKeyText(const QString& key) const
{
    QString text;
    LangDllReadIni(gLangFileName, gLangId, key, text);
    return text;
}

// ---- form events -----------------------------------------------------------------------------

void T_frmMain_Label::FormCreate()
{
    const QStringList args = GetProgramArgs();
    if (!args.isEmpty())
        FFactoryFlag = (args.value(0) == QLatin1String("-Factory")
                        || args.value(1) == QLatin1String("-Factory"))
                           ? -1
                           : 0;

    CreateMainFormHelpers();

    if (!gLogLockCreated)
        CreateLogLock();
    WriteDebugLog(QString());
    WriteDebugLog(QStringLiteral("运行时间:")
                  + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss-zzz")));

    CreateRecordList();

    LoadPrtLangDll();
    LangDllInit();
    LoadPrtCommandsDll();
    CmdsDllInit();

    // Only the first parameter selects the UI language.
    if (!args.isEmpty()) {
        const QString code = LanguageIdOfSwitch(args.first());
        if (!code.isEmpty())
            gLangId = code;
        else if (args.first() == QLatin1String("-KR"))
            gLangId = QStringLiteral("1042");
    }
    if (IsDebugMode())
        gLangId = QStringLiteral("1028");
}

void T_frmMain_Label::CreateMainFormHelpers()
{
    FComboReady = 1;
    FToolLangList.clear();
    FLayout = std::make_unique<TObj_Ult_PrtParaManage>();
    FTabButtons = {sbtnFunction, sbtnSysPara};
    cmbToolLang->setEditable(false);
    gpbFunction->raise();
    txtLangID->setReadOnly(true);
    txtLangID->setText(GetSystemLangIdStr());
    // Two columns: labels at the memo's left, edits at the combo's left.
    const int labelLeft = mmoInfo->x() + kInfoLabelLeft - 6;
    const int editLeft = cmbToolLang->x();
    for (QWidget* w : std::initializer_list<QWidget*>{
             txtlbl_ToolLang, txtlbl_LangID, txtLbl_PrtVpidS, txtLbl_PrtVpidTemp, txtlbl_Map,
             txtlbl_ProtocolType, txtlbl_PrtBasName})
        w->move(labelLeft, w->y());
    for (QWidget* w : std::initializer_list<QWidget*>{edtInfo_PrtName, edtInfo_PrtVpid, txtLangID,
                                                       txtPrtVpidS, txtPrtVpidTemp, txtMap, edtPrtBasName})
        w->move(editLeft, w->y());
}

void T_frmMain_Label::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!FShown) {
        FShown = true;
        FormShow();
    }
}

void T_frmMain_Label::FormShow()
{
    const prt::IniReadBurst burst;  // each configuration file is checked on disk once
    gToolId = QStringLiteral("UTILITY_LABEL");
    gLangFileName = QLatin1String(LABEL_LANG_FILE);
    GetConstLangV()->InitLangIniName();

    SetLabelConfigFileNames();
    ReportMissingShippedFiles();

    LoadStartupOptions();
    if (TKesaVar* kesa = GetKesaVar(); kesa && kesa->GetFtnVar())
        kesa->GetFtnVar()->Load();
    GetConstLangV()->InitAppPaths();
    ResolveLanguageId(GetConstLangV());
    LangDllSetLanguageID(gLangId);
    LangDllSetLanguageFile(GetFilesDir() + gLangFileName);

    GetKesaVar()->SetOptionIniPath();
    GetKesaVar()->CreateOemObject(gCurToolType, gCurOemCo);

    RefreshPrinterModelList();

    ApplyFormIcon(this);

    FReselectGuard = 0;
    SetPrinterSdkKind(1);
    txtProtocolType->setText(ProtocolNameOf(GetCurrentProtocolNo()) + QStringLiteral(",InitProtocolType"));

    LoadProtocolModelLists();
    LoadFtnParameterKeys();
    LoadLanguageStrings();
    LoadMessageTexts();
    BuildInfoPanelGroups();
    LoadMainCaptionsAndParameterSet();

    FLoadingFlag = -1;
    PassSettingsToCmdsDll();
    LoadPrinterList();
    btnDeletePrinter->setEnabled(RowCount() > 1);
    FLoadingFlag = 0;

    ApplyFormFont(this);
    AppFontSettings().FontName = LangKeyText(QStringLiteral("_FontName"));
    AppFontSettings().FontSize = LangKeyText(QStringLiteral("_FontSize"));
    AppFontSettings().FontCharset = LangKeyText(QStringLiteral("_FontCharset"));

    // Tool language: the remembered one, else the UI language.
    QString code = GetKesaVar()->ToolLangValue;
    if (code.isEmpty())
        code = gLangId;
    int found = 0;
    QString display;
    FindValueByName(code, &FToolLangList, found, display);
    if (found) {
        FComboReady = 0;
        SelectComboItem(cmbToolLang, display);
        txtLangID->setText(code);
        ApplyToolLanguage();
        FComboReady = 1;
    }

    QString sdkMessage;
    if (!CheckTsplSdk(sdkMessage) && !sdkMessage.isEmpty())
        ShowInfoBox(sdkMessage + QStringLiteral("(ERRNO:20200628_101601)"));

    if (IsDebugMode())
        ShowTestReadme();
}

void T_frmMain_Label::ReportMissingShippedFiles()
{
    // Said in English: the texts of the language file cannot tell that it is missing.
    const QString dir = GetDefaultFilesDir();
    const QStringList missing = MissingShippedFiles(dir, ShippedFileNames());
    if (!missing.isEmpty())
        prt::MessageBoxPrt(MissingShippedFilesText(dir, missing), QStringLiteral("Printer utility"),
                           prt::MB_ICONERROR_);
}

void T_frmMain_Label::FormDestroy()
{
    if (FDestroyed)
        return;
    FDestroyed = true;
    FreeGlobalSingletons();
    FreeRecordList();
    LangDllUnInit();
    FreePrtLangDll();
    CmdsDllUnInit();
    FreePrtCommandsDll();
    if (gLogLockCreated)
        DeleteLogLock();
    FPrinterModelList.clear();
    if (FLayout)
        FLayout->ClearGroups();
    FLayout.reset();
    FToolLangList.clear();
    FTabButtons.clear();
}

void T_frmMain_Label::FreeGlobalSingletons()
{
    FreeKesaVar();
    FreeGlobalVar();
    FreeConstLangV();
    FreeConstVar();
}

void T_frmMain_Label::PassSettingsToCmdsDll()
{
    CmdsDllSetIsDebug(IsDebugMode());
    CmdsDllSetBaseDbgPath(GetDebugLogDir());
    CmdsDllSetLogFile(GetDebugLogFileName());
    CmdsDllSetToolType(gCurToolType);
    CmdsDllSetOemCo(gCurOemCo);
    CmdsDllTrySetAppToReady();
    FCmdsReady = CmdsDllGetAppIsReady();
    for (QLineEdit* e : {edtInfo_PrtName, edtInfo_PrtVpid, txtPrtVpidS, txtMap, edtPrtBasName})
        e->setReadOnly(true);
    edtInfo_PrtName->clear();
    edtInfo_PrtVpid->clear();
    edtPrtBasName->clear();
}

void T_frmMain_Label::RefreshPrinterModelList()
{
    FPrinterModelList.clear();
    if (TKesaVar* kesa = GetKesaVar())
        kesa->FillPrinterModelList(&FPrinterModelList);
}

// ---- printer list ---------------------------------------------------------------------------

int T_frmMain_Label::RowCount() const
{
    return lvPrinterList->topLevelItemCount();
}

int T_frmMain_Label::SelectedRow() const
{
    const QList<QTreeWidgetItem*> sel = lvPrinterList->selectedItems();
    return sel.isEmpty() ? -1 : lvPrinterList->indexOfTopLevelItem(sel.first());
}

void T_frmMain_Label::SelectRow(int row)
{
    QTreeWidgetItem* item = lvPrinterList->topLevelItem(row);
    if (!item)
        return;
    const QSignalBlocker block(lvPrinterList);
    lvPrinterList->clearSelection();
    item->setSelected(true);
    lvPrinterList->setCurrentItem(item);
}

TPrinterListRowRef T_frmMain_Label::LoadedRow(int row) const
{
    const QTreeWidgetItem* item = lvPrinterList->topLevelItem(row);
    return item ? TPrinterListRowRef{row, item->data(0, Qt::UserRole).toString()} : TPrinterListRowRef{};
}

void T_frmMain_Label::LoadPrinterList()
{
    FPrinterListPath = GetPrinterListPath();
    QString model = FPrinterModelList.value(0);
    if (model.isEmpty() || !IsValidPrinterListModel(model))
        model = MainData::DefaultModel();  // a "#" or ";" name would make a comment line
    for (const QString& line : LoadPrinterListLines(FPrinterListPath, model)) {
        const TPrinterListRow r = ParsePrinterListLine(line);
        auto* item = new QTreeWidgetItem(QStringList{r.Model, r.PortType, r.PortParam, r.Notes,
                                                     r.PrtVerOfTool});
        item->setData(0, Qt::UserRole, line);  // what a rewrite of this row names
        lvPrinterList->addTopLevelItem(item);
        if (lvPrinterList->topLevelItemCount() == 1) {
            lvPrinterList->setColumnWidth(0, RealMarkerFileExists() ? 300 : 120);
            lvPrinterList->setColumnWidth(1, 40);
            lvPrinterList->setColumnWidth(2, 140);
            lvPrinterList->setColumnWidth(3, 140);
        }
        DebugTrace(QStringList{r.Model, r.PortType, r.PortParam, r.Notes, r.PrtVerOfTool}.join(','));
    }
    if (RowCount() == 0)
        return;  // nothing to select: the road stays skipped
    if (FRememberedRow >= RowCount())
        FRememberedRow = RowCount() - 1;
    if (FRememberedRow < 0)
        FRememberedRow = 0;
    SelectRow(FRememberedRow);
    lvPrinterListClick();
}

void T_frmMain_Label::ReloadPrinterList(int selectRow)
{
    lvPrinterList->clear();
    FRememberedRow = selectRow;
    LoadPrinterList();
    btnDeletePrinter->setEnabled(RowCount() > 1);
}

bool T_frmMain_Label::HandlePrinterListResult(TPrinterListResult result)
{
    if (result == TPrinterListResult::Ok)
        return true;
    ShowPrinterListResult(result);
    // Nothing was written for a refused field; otherwise show what the file really holds.
    if (PrinterListResultReloads(result))
        ReloadPrinterList(FRememberedRow);
    return false;
}

void T_frmMain_Label::btnDeletePrinterClick()
{
    if (RowCount() == 0)
        return;
    if (SelectedRow() < 0)
        SelectRow(FRememberedRow);
    const int row = SelectedRow();
    if (row < 0)
        return;
    // The question and the delete are about the row the operator chose, as it was loaded.
    const TPrinterListRowRef chosen = LoadedRow(row);
    const int answer = prt::MessageBoxPrt(DeleteQuestionText(FDeleteConfirmText, SelectedColumnText(0),
                                                             SelectedColumnText(2)),
                                          Title("_MSG_Title_Warn"),
                                          prt::MB_OKCANCEL_ | prt::MB_ICONQUESTION_
                                              | prt::MB_DEFBUTTON2_ | prt::MB_TOPMOST_);
    if (answer != prt::IDOK_)
        return;
    if (!HandlePrinterListResult(DeletePrinterListRow(FPrinterListPath, chosen)))
        return;
    // The list as the file now holds it: the same place again, or the row before it when
    // the deleted row was the last.
    ReloadPrinterList(row);
}

void T_frmMain_Label::ApplyChosenAddress(const QString& address)
{
    if (HandlePrinterListResult(UpdatePrinterListAddress(FPrinterListPath, LoadedRow(FRememberedRow), address)))
        ReloadPrinterList(FRememberedRow);
}

void T_frmMain_Label::btnIPMessageClick()
{
    RunFunction(QStringLiteral("btnIPMessage"));
}

void T_frmMain_Label::btnAddPrinterClick()
{
    RunFunction(QStringLiteral("btnAddPrinter"));
}

void T_frmMain_Label::btnModifyPrinterClick()
{
    RunFunction(QStringLiteral("btnModifyPrinter"));
}

void T_frmMain_Label::ShowProtocolType(const QString& text)
{
    txtProtocolType->setText(text);
}

TPrinterManageTarget& T_frmMain_Label::PrinterManage()
{
    return *GetPrinterManageForm();
}

T_frmMain_Label::TModifyHandover T_frmMain_Label::ModifyHandover() const
{
    TPrinterListRow fields;
    if (const QTreeWidgetItem* it = lvPrinterList->topLevelItem(FRememberedRow))
        fields = TPrinterListRow{it->text(0), it->text(1), it->text(2), it->text(3), it->text(4)};
    return ModifyHandoverOf(LoadedRow(FRememberedRow), PrtDefName, fields);
}

void T_frmMain_Label::PrinterAdded()
{
    lvPrinterList->clear();
    const int rows = ReadPrinterListLines(GetPrinterListPath()).size();
    ReloadPrinterList(rows > 0 ? rows - 1 : 0);
}

void T_frmMain_Label::PrinterModified()
{
    ReloadPrinterList(FRememberedRow);
}

QString T_frmMain_Label::SelectedColumnText(int column) const
{
    const int row = SelectedRow();
    return row < 0 ? QString() : lvPrinterList->topLevelItem(row)->text(column);
}

QString T_frmMain_Label::GetSelectedPortType() const
{
    return SelectedColumnText(1);
}

QString T_frmMain_Label::GetSelectedPortParam() const
{
    return SelectedColumnText(2);
}

QString T_frmMain_Label::GetSelectedNotes() const
{
    return SelectedColumnText(3);
}

QString T_frmMain_Label::GetSelectedPrtVerOfTool() const
{
    return SelectedColumnText(4);
}

// ---- the selection road ------------------------------------------------------------------------

void T_frmMain_Label::lvPrinterListKeyUp()
{
    lvPrinterListClick();
}

void T_frmMain_Label::lvPrinterListClick()
{
    if (RowCount() == 0)
        return;  // an empty list has no row to select
    const int row = SelectedRow();
    if (row < 0) {
        if (FReselectGuard == 0)
            SelectRow(FRememberedRow);
        else
            FReselectGuard = 0;
        return;
    }

    ClearMatchedUsbVpid();
    if (FLoadingFlag != -1)
        FRememberedRow = row;

    QString defName, basName;
    ResolveSelectedPrinter(defName, basName);
    SetCurrentPrinterNames(defName, basName);

    CmdsDllSetPrinterDefName(PrtDefName);
    CmdsDllSetPrinterBasName(PrtBasName);
    CmdsDllDoAfterInitParaSetPermission();

    if (TFtnABase* ftn = GetCurrentFtnA()) {
        ftn->SelDefaultName = PrtDefName;
        ftn->SelModelName = PrtBasName;
        ftn->SelThirdName = PrtDefName;
        ftn->ApplyVariant(PrtDefName);
    }

    SetCurrentPrtMapName(ResolvePrinterMapModel(PrtBasName, MainData::DefaultModel()));

    edtInfo_PrtName->setText(PrtDefName);
    edtPrtBasName->setText(PrtBasName);
    ApplyModelFeatures();

    SetCurrentPortString(GetSelectedPortParam());
    TDevNewPrt* conn = GetKesaVar() ? GetKesaVar()->GetDevNewPrt() : nullptr;
    if (conn) {
        conn->PortTypeName = GetSelectedPortType();
        conn->PortType = TDevNewPrt::PortTypeFromName(conn->PortTypeName);
    }

    // The create closes and frees the previous object first: no object is left behind.
    FTsplCreateResult = TsplCreateGlobalPrinter(MainData::DefaultModel());
    txtMap->setText(PrtMapName);
    if (FTsplCreateResult != 0)
        prt::MessageBoxPrt(Title("_Err_CreatePrinter") + QLatin1Char(':') + QString::number(FTsplCreateResult),
                           Title("_MSG_Title_Error"), prt::MB_ICONERROR_);

    UpdateFunctionButtons();
    ApplyPortTypeLayout();

    if (conn) {
        conn->CreateDevice(GetCurrentProtocolNo());
        if (TDevBasePrt* dev = conn->Device.get()) {
            dev->ModelName = PrtBasName;
            dev->ResolvedModelName = PrtMapName;
            dev->SetHandle(PrtGetHandle());
        }
        conn->PortString = GetCurrentPortString();
    }
}

void T_frmMain_Label::ResolveSelectedPrinter(QString& prtDefName, QString& prtBasName)
{
    const int row = SelectedRow();
    TSelectedRowInputs in;
    in.Caption = row < 0 ? QString() : lvPrinterList->topLevelItem(row)->text(0);
    in.PortParam = GetSelectedPortParam();
    in.PrtVerOfTool = GetSelectedPrtVerOfTool();
    in.VpidTemp = txtPrtVpidTemp->text();
    FSelectedModelText = in.Caption;
    const TSelectedPrinterNames names = ResolveSelectedPrinterNames(in);
    txtPrtVpidS->setText(names.VpidS);
    edtInfo_PrtVpid->setText(names.VpidInfo);
    prtDefName = names.PrtDefName;
    prtBasName = names.PrtBasName;
}

void T_frmMain_Label::PrepareSelectedPrinter(bool& ok, bool flag, bool& b1, bool& b2, QString& text,
                                             QString& message)
{
    Q_UNUSED(flag);
    ok = true;
    b1 = false;
    b2 = false;
    text.clear();
    message.clear();
    WriteDebugLog(QStringLiteral("Test_Space:") + ReadParameterSetNow(QStringLiteral("Test_Space")));

    if (RowCount() == 0) {
        // Nothing is selected and nothing can be: refuse instead of using a row that is not there.
        ok = false;
        message = prt::LangText(QLatin1String(LANGKEY_PrinterListEmpty));
        return;
    }

    lvPrinterListClick();

    // Only a printer on the USB port can be asked to fit the attached USB devices.
    if (UsbIdentityGateApplies(GetCurrentPortString(), PrtDefName))
        CheckSelectedPrinterModel(ok, b1, b2, text, message);
}

void T_frmMain_Label::CheckSelectedPrinterModel(bool& ok, bool& b1, bool& b2, QString& text,
                                                QString& message)
{
    QString model, msg;
    bool matched = false, fits = true;
    ResolvePrinterModel(PrtBasName, model, matched, msg, fits);
    ok = fits;
    b1 = matched;
    b2 = false;
    text = model;
    if (!msg.isEmpty())
        message = msg;
}

bool T_frmMain_Label::RunGate()
{
    bool ok = true, b1 = false, b2 = false;
    QString text, message;
    PrepareSelectedPrinter(ok, true, b1, b2, text, message);
    if (!ok && !message.isEmpty())
        ShowInfoBox(message);
    return ok;
}

// ---- function buttons -------------------------------------------------------------------------

void T_frmMain_Label::SetBtnPosi(QPushButton* button)
{
    button->setGeometry(FunctionSlotRect(FSlot, button->width(), button->height()));
    button->setVisible(true);
    ++FSlot;
}

void T_frmMain_Label::UpdateFunctionButtons()
{
    FSlot = 0;
    const TFunctionButtonInputs in = CurrentFunctionButtonInputs(PrtBasName, PrtDefName, GetCurrentPortString());
    const TFunctionButtonPlan plan = DecideFunctionButtons(in);
    for (const QString& name : FunctionButtonNames())
        FunctionButton(name)->setVisible(false);
    for (const QString& name : plan.Placed)
        SetBtnPosi(FunctionButton(name));
    sbtnSysPara->setVisible(plan.SysParaTabVisible);
}

void T_frmMain_Label::ApplyPortTypeLayout()
{
    // The layout is made from the list at its own size; the growth is added after.
    lvPrinterList->setGeometry(kMargin, kListTop, kListWidth, kListHeight);
    TPortTypeLayoutInputs in = CurrentPortTypeLayoutInputs(PrtDefName, GetCurrentPortString());
    in.SlotsUsed = FSlot;
    in.ButtonHeight = Button4->height();
    in.ListView = lvPrinterList->geometry();
    in.ScrollBox = scrollboxA->geometry();
    in.GroupBox = gpbFunction->geometry();
    in.Dfu = btnDFU->geometry();
    in.QuitHeight = btnQuit->height();
    const TPortTypeLayout out = ComputePortTypeLayout(in);

    scrollboxA->setGeometry(out.ScrollBox);
    scrollboxA->setVisible(true);
    gpbFunction->setGeometry(out.GroupBox);
    sboxSysPara->setGeometry(out.GroupBox);
    mmoInfo->setGeometry(out.Memo.left(), out.Memo.top(), out.Memo.width(), mmoInfo->height());

    btnDFU->move(btnDFU->x(), out.DfuTop);
    btnFWAllUpdate->setVisible(out.BulkUpdateVisible);
    btnFWAllUpdate->move(out.BulkUpdateLeft, out.DfuTop);
    btnLabelSensorPrintImage->move(btnLabelSensorPrintImage->x(), out.DfuTop);
    btnQuit->move(btnQuit->x(), out.DfuTop);
    btnMore->move(btnMore->x(), btnQuit->y());
    btnMore->setVisible(out.MoreVisible);
    btnDFU2->move(out.Dfu2Left, out.DfuTop);
    btnDFU->setVisible(out.DfuVisible);

    ArrangeInfoPage();
    // The layout is the smallest size of the window (nothing, Quit above all, can be cut
    // off); room the operator adds by enlarging the window goes to the printer list.
    const QSize growth = FGrowth;  // a new minimum may resize the window on its own
    FLayoutSize = QSize(IsDebugMode() ? kDesignWidth : out.ClientWidth, out.WindowHeight);
    FLayoutPos.clear();
    for (QWidget* w : BelowListWidgets())
        FLayoutPos.insert(w, w->pos());
    setMinimumSize(FLayoutSize);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    FGrowth = growth;
    resize(FLayoutSize + FGrowth);
    ApplyGrowth();
    mitemTest->setVisible(out.TestMenuVisible);
}

QList<QWidget*> T_frmMain_Label::BelowListWidgets() const
{
    return {scrollboxA, gpbFunction, sboxSysPara, btnDFU, btnDFU2, btnFWAllUpdate,
            btnLabelSensorPrintImage, btnQuit, btnMore};
}

void T_frmMain_Label::ApplyGrowth()
{
    const int dw = FGrowth.width();
    const int dh = FGrowth.height();
    lblPrinterList->resize(kListWidth + dw, lblPrinterList->height());
    lvPrinterList->setGeometry(kMargin, kListTop, kListWidth + dw, kListHeight + dh);
    for (QPushButton* b : {btnAddPrinter, btnModifyPrinter, btnDeletePrinter, btnConnectTest})
        b->move(kSideLeft + dw, b->y());
    for (auto it = FLayoutPos.constBegin(); it != FLayoutPos.constEnd(); ++it)
        it.key()->move(it.value() + QPoint(0, dh));
    btnQuit->move(kQuitLeft + dw, btnQuit->y());
}

void T_frmMain_Label::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (FLayoutSize.isEmpty())
        return;
    FGrowth = QSize(std::max(0, width() - FLayoutSize.width()), std::max(0, height() - FLayoutSize.height()));
    ApplyGrowth();
}

void T_frmMain_Label::BuildInfoPanelGroups()
{
    FLayout->ClearGroups();
    const TOemClass* oem = GetKesaVar() ? GetKesaVar()->GetOem() : nullptr;
    const bool real = RealMarkerFileExists();
    auto add = [this](const char* name, std::initializer_list<QWidget*> controls, int height,
                      bool visible) {
        auto* g = new TObj_Ult_PrtPara();
        FLayout->AddGroup(g);
        g->Name = QLatin1String(name);
        g->Height = height;
        g->ClearControls();
        for (QWidget* c : controls)
            g->AddControl(c);
        g->Visible = visible;
    };
    add("PrtBasName", {txtlbl_PrtBasName, edtPrtBasName}, edtPrtBasName->height(), real);
    add("mmoInfo", {mmoInfo}, mmoInfo->height(), false);
    add("PrtName", {edtInfo_PrtName}, edtInfo_PrtName->height(), false);
    add("ToolLang", {txtlbl_ToolLang, cmbToolLang}, cmbToolLang->height(),
        oem && oem->ShowToolLangGroup == 1);
    add("LangID", {txtlbl_LangID, txtLangID}, txtLangID->height(), oem && oem->ShowLangIdGroup == 1);
    add("VpidS", {txtLbl_PrtVpidS, txtPrtVpidS}, txtPrtVpidS->height(), false);
    add("VpidTemp", {txtLbl_PrtVpidTemp, txtPrtVpidTemp}, txtPrtVpidTemp->height(), false);
    add("VpidMg", {btnVpidMg}, btnVpidMg->height(), real);
    add("Map", {txtlbl_Map, txtMap}, txtMap->height(), real);
    add("ProtocolType", {txtlbl_ProtocolType, txtProtocolType, btnGetProtocolType},
        txtProtocolType->height(), real);
    add("SetOrOther", {pnlSetOrOther}, pnlSetOrOther->height(), true);
    if (!IsDebugMode())
        ArrangeInfoPage();
}

void T_frmMain_Label::ArrangeInfoPage()
{
    if (!FLayout)
        return;
    int bottom = 0;
    FLayout->Arrange(mmoInfo->y(), bottom);
}

void T_frmMain_Label::lvPrinterListContextMenu(const QPoint& pos)
{
    PMenuPrinterList->popup(lvPrinterList->viewport()->mapToGlobal(pos));
}

void T_frmMain_Label::OpenPrinterListMenuFromKeyboard()
{
    QPoint pos(4, 4);
    if (const QTreeWidgetItem* item = lvPrinterList->currentItem()) {
        const QRect r = lvPrinterList->visualItemRect(item);
        if (r.isValid())
            pos = QPoint(r.left() + 4, r.bottom());
    }
    PMenuPrinterList->popup(lvPrinterList->viewport()->mapToGlobal(pos));
    // The keyboard user lands on the first item, ready for Enter.
    if (!PMenuPrinterList->actions().isEmpty())
        PMenuPrinterList->setActiveAction(PMenuPrinterList->actions().first());
}

void T_frmMain_Label::mitemTempletManageClick()
{
    RunFunction(QStringLiteral("mitemTempletManage"));
}

void T_frmMain_Label::RunFunction(const QString& buttonName)
{
    if (const TMainFunctionHandler handler = FindMainFunction(buttonName)) {
        handler(*this);
        return;
    }
    if (DispatchMainFunction(*this, buttonName))
        return;
    if (IsGatedMainFunction(buttonName) && !RunGate())
        return;
    ShowInfoBox(prt::LangText(QLatin1String(LANGKEY_FunctionNotAvailable)));
}

void T_frmMain_Label::btnConnectTestClick()
{
    if (const TMainFunctionHandler handler = FindMainFunction(QStringLiteral("btnConnectTest"))) {
        handler(*this);
        return;
    }
    if (RowCount() == 0) {
        ShowInfoBox(prt::LangText(QLatin1String(LANGKEY_PrinterListEmpty)));
        return;
    }
    if (SelectedRow() < 0)
        SelectRow(FRememberedRow);
    EnsureTsplPrinterObject();  // a text command before may have destroyed it
    const int r = TsplOpenPort(GetCurrentPortString());
    if (r != 0)
        prt::MessageBoxPrt(OpenPortFailureMessage(r), Title("_MSG_Title_Error"), prt::MB_ICONERROR_);
    else
        prt::MessageBoxPrt(Title("_ConnectOK"), Title("_MSG_Title_Message"), prt::MB_ICONINFORMATION_);
    TsplClosePort();
}

// ---- captions, lists and language ----------------------------------------------------------------

void T_frmMain_Label::LoadMainCaptionsAndParameterSet()
{
    if (DevMarkerFileExists())
        for (const char* k : {"Test01", "Test02", "Test03", "Test04"})
            LangKeyText(QLatin1String(k));

    LoadRfidModelList(QStringLiteral("Label"), gPrinterTypeListFileName);

    const TOemClass* oem = GetKesaVar() ? GetKesaVar()->GetOem() : nullptr;
    setWindowTitle(MainWindowTitle(oem, LangKeyText(QStringLiteral("FormMain_Label_Caption")),
                                   LangKeyText(QStringLiteral("Lang_All_00210171_11")),
                                   ReadIniString(gLangFileName, QStringLiteral("Global"), QStringLiteral("_Version"))));

    auto set = [this](QAbstractButton* b, const char* key) { b->setText(LangKeyText(QLatin1String(key))); };
    FPrinterListLabelText = LangKeyText(QStringLiteral("FormMain_Label_lblPrinterList"));
    lblPrinterList->setText(FPrinterListLabelText);
    set(btnAddPrinter, "FormMain_Label_btnAddPrinter");
    set(btnModifyPrinter, "FormMain_Label_btnModifyPrinter");
    set(btnDeletePrinter, "FormMain_Label_btnDeletePrinter");
    set(btnConnectTest, "FormMain_Label_btnConnectTest");
    gpbFunction->setTitle(QString());
    set(btnPrinterInformation, "FormMain_Label_btnPrinterInformation");
    set(btnPrintText, "FormMain_Label_btnPrintText");
    FTsplErrTip = LangKeyText(QStringLiteral("lblPrinterTextTSPLErrTip"));
    FCpclErrTip = LangKeyText(QStringLiteral("lblPrinterTextCPCLErrTip"));
    set(btnWifiFirewateDownload, "lblWifiFirewareDownload");
    set(btnFWAllUpdate, "FormBulkUpdates");
    set(btnIPMessage, "FormDLFile_btnIPMessage");
    set(btnNoPaperLightLearn, "FormMain_Label_btnNoPaperLightLearn");
    set(btnHavePaperLightLearn, "FormMain_Label_btnHavePaperLightLearn");
    set(btnContinueLenrn, "FormContinueLearn");
    FContinueLearnTip = LangKeyText(QStringLiteral("_continueLearnTip"));
    set(btnPrintConfigInfo, "FormMain_Label_btnPrintConfigInfo");
    set(btnStartLearn, "FormMain_Label_btnStartLearn");
    set(btnFrontLearn, "FormMain_Label_btnFrontLearn");
    set(btnModelTest, "FormMain_Label_btnModelTest");
    set(btnParameterSetting, "FormMain_Label_btnParameterSetting");
    set(btnFactorySetting, "FormMain_Label_btnFactorySetting");
    set(Button1, "FormMain_Label_btnDLF");
    set(Button2, "FormMain_Label_btnDLFile");
    set(Button3, "FormMain_Label_btnDLUF");
    set(Button4, "FormMain_Label_btnPrinterStatus");
    set(btnLabelSensorPrintImage, "FormMain_Label_btnLabelSensorPrintImage");
    set(btnCommandTest, "FormMain_Label_btnCommandTest");
    set(btnDFU, "FormMain_Label_btnDFU");
    set(btnDFU2, "FormMain_Label_btnDFU");
    set(btnQuit, "FormMain_Label_btnQuit");
    mitemTempletManage->setText(LangKeyText(QStringLiteral("FormTempletManage_Caption")));
    // Screen readers name the list and its menu by these texts.
    PMenuPrinterList->setTitle(mitemTempletManage->text());
    PMenuPrinterList->setAccessibleName(mitemTempletManage->text());
    lvPrinterList->setAccessibleName(QString(FPrinterListLabelText).remove(QLatin1Char(':')).remove(QChar(0xFF1A)).trimmed());
    FDeleteConfirmText = LangKeyText(QStringLiteral("FormMain_Label_MSGDeletePrinter"));
    FRestoreText = LangKeyText(QStringLiteral("FormMain_Label_MSGRestore"));

    LoadParameterSetKeys();

    // Texts of the RFID window and the two learn tips live in the text table.
    for (const QString& key : MainWindowLangKeys())
        SetLangStr(key, LangKeyText(key));
    set(btnRfidSet, "Lang00010024");

    set(btnAdvancedSettings, "FormMain_Label_btnAdvancedSettings");
    set(btnScanTest, "FormMain_Label_btnScanTest");
    sbtnFunction->setText(LangKeyText(QStringLiteral("FormMain_Label_gpbFunction")));
    sbtnSysPara->setText(LangKeyText(QStringLiteral("FormMain_Label_sbtnSysPara")));
    txtlbl_ToolLang->setText(LangKeyText(QStringLiteral("FormMain_Label_txtlbl_ToolLang")));
    txtlbl_LangID->setText(LangKeyText(QStringLiteral("FormMain_Label_txtlbl_LangID")) + QStringLiteral(" ID"));
    set(btnGetProtocolType, "FormMain_Label_btnGetProtocolType");
    set(btnSetToolLangOrOther, "FormMain_Label_btnSetToolLangOrOther");
    set(btnGetToolLangOrOther, "FormMain_Label_btnGetToolLangOrOther");
    mmoInfo->setReadOnly(true);
    const QString suffix = RealMarkerFileExists() ? GetTestNameTag() : QString();
    txtlbl_Map->setText(QStringLiteral("MAP") + suffix);
    txtlbl_ProtocolType->setText(QStringLiteral("ProtocolType") + suffix);
    txtlbl_PrtBasName->setText(QStringLiteral("PRTBASNAME") + suffix);
    txtLbl_PrtVpidS->setText(QStringLiteral("VPIDS") + suffix);
    txtLbl_PrtVpidTemp->setText(QStringLiteral("TEMPVPID") + suffix);

    // Tool-language choices ("code=display" lines); keep the selected language selected.
    int found = 0;
    QString code;
    const bool hadSelection = cmbToolLang->currentIndex() >= 0;
    FindNameByValue(cmbToolLang->currentText(), &FToolLangList, found, code);
    FComboReady = 0;
    if (oem)
        oem->FillLanguageChoices(&FToolLangList);
    else
        FToolLangList.clear();
    FillComboFromValues(cmbToolLang, &FToolLangList);
    if (hadSelection && found) {
        QString display;
        int again = 0;
        FindValueByName(code, &FToolLangList, again, display);
        if (again)
            SelectComboItem(cmbToolLang, display);
    }
    FComboReady = 1;
}

void T_frmMain_Label::cmbToolLangChange()
{
    if (FComboReady == 0)
        return;
    int found = 0;
    QString code;
    FindNameByValue(cmbToolLang->currentText(), &FToolLangList, found, code);
    if (found)
        txtLangID->setText(code);
}

void T_frmMain_Label::btnSetToolLangOrOtherClick()
{
    int found = 0;
    QString code;
    FindNameByValue(cmbToolLang->currentText(), &FToolLangList, found, code);
    TKesaVar* kesa = GetKesaVar();
    kesa->ToolLangValue = found ? code : QString();
    kesa->WriteSysPmValue(kesa->SysPmSection, kesa->ToolLangKey, kesa->ToolLangValue);
    ApplyToolLanguage();
}

void T_frmMain_Label::btnGetToolLangOrOtherClick()
{
    TKesaVar* kesa = GetKesaVar();
    kesa->ToolLangValue = kesa->ReadSysPmValue(kesa->SysPmSection, kesa->ToolLangKey);
    int found = 0;
    QString display;
    FindValueByName(kesa->ToolLangValue, &FToolLangList, found, display);
    if (found) {
        FComboReady = 0;
        SelectComboItem(cmbToolLang, display);
        FComboReady = 1;
    }
}

void T_frmMain_Label::ApplyToolLanguage()
{
    const prt::IniReadBurst burst;
    int found = 0;
    QString code;
    FindNameByValue(cmbToolLang->currentText(), &FToolLangList, found, code);
    if (!found || code.isEmpty())
        return;
    gLangId = code;
    LangDllSetLanguageID(code);
    LoadLanguageStrings();  // also refills the platform text store
    GetConstLangV()->LanguageId = code;
    GetConstLangV()->LoadLangWords();
    LoadMainCaptionsAndParameterSet();
    LoadMessageTexts();
}

void T_frmMain_Label::btnGetProtocolTypeClick()
{
    SetPrinterSdkKind(1);
    txtProtocolType->setText(ProtocolNameOf(GetCurrentProtocolNo()) + QStringLiteral(",ProtocolType(03_01)"));
    SetCurrentProtocolNo(DetectPrinterProtocol());
    txtProtocolType->setText(ProtocolNameOf(GetCurrentProtocolNo()) + QStringLiteral(",ProtocolType(03_02)"));
}

void T_frmMain_Label::mitemGetPrtBasNameClick()
{
    if (!IsDebugMode())
        return;
    QString def, bas;
    ResolveSelectedPrinter(def, bas);
    ShowInfoBox(QStringLiteral("Test - PrtDefName:") + def + QStringLiteral(",PrtBasName:") + bas);
}

void T_frmMain_Label::btnMoreClick()
{
    PMenuMore->popup(QCursor::pos() + QPoint(0, 10));
}

void T_frmMain_Label::sbtnFunctionClick()
{
    sboxSysPara->hide();
    gpbFunction->show();
    gpbFunction->raise();
    sbtnFunction->setChecked(true);
}

void T_frmMain_Label::sbtnSysParaClick()
{
    gpbFunction->hide();
    sboxSysPara->show();
    sboxSysPara->raise();
    sbtnSysPara->setChecked(true);
}

void T_frmMain_Label::btnQuitClick()
{
    close();
    QApplication::quit();
}

void T_frmMain_Label::BringFormToTop(QWidget* form)
{
    if (!form)
        return;
    form->raise();
    form->activateWindow();
}
