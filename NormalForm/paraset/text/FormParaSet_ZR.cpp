#include "FormParaSet_ZR.h"

#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlOptionLists.h"
#include "mdlParamValues.h"
#include "mdlPub_Obj_Ult_PrtPara.h"
#include "mdlPubFunc.h"
#include "mdlCurrentPrinter.h"
#include "mdlGlobalVar.h"
#include "mdlTextParaCodecs.h"
#include "mdlTextParaWidgets.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace textpara;

namespace {

QString T(const QString& key)
{
    return prt::LangText(key);
}

T_frmParaSet_ZR::TFileDialogFn& FileDialogHook()
{
    static T_frmParaSet_ZR::TFileDialogFn fn;
    return fn;
}

QString RunFileDialog(QWidget* parent, bool save)
{
    if (FileDialogHook())
        return FileDialogHook()(parent, save);
    if (save)
        return QFileDialog::getSaveFileName(parent, QString(), QString(), QStringLiteral("*.ini"));
    return QFileDialog::getOpenFileName(parent, QString(), QString(), QStringLiteral("*.ini"));
}

const QStringList kAddressEdits = {"txtIP1", "txtIP2", "txtIP3", "txtIP4", "txtSubnet1", "txtSubnet2",
                                   "txtSubnet3", "txtSubnet4", "txtGateway1", "txtGateway2", "txtGateway3",
                                   "txtGateway4"};

// Edits the on-exit check clamps: name, bounds.
struct TBound { const char* edit; int lo, hi; };

} // namespace

T_frmParaSet_ZR::T_frmParaSet_ZR(QWidget* parent) : TTextParaDialog(parent)
{
    setObjectName(QStringLiteral("T_frmParaSet_ZR"));
    rows_ = std::make_unique<TObj_Ult_PrtParaManage>();
    BuildUi();
    zrpara::DeclareZrControls(c_);
    Push();
    WireTouches();
    WithholdSetUntilRead(btnSet);

    firstRead_ = new QTimer(this);
    firstRead_->setSingleShot(true);
    firstRead_->setInterval(10);
    connect(firstRead_, &QTimer::timeout, this, &T_frmParaSet_ZR::ReadRun);
    statusClear_ = new QTimer(this);
    statusClear_->setSingleShot(true);
    statusClear_->setInterval(5000);
    connect(statusClear_, &QTimer::timeout, this, [this] { SetStatus(QString()); });
    tmA = new QTimer(this);
    tmA->setObjectName(QStringLiteral("tmA"));
    tmA->setSingleShot(true);
    connect(tmA, &QTimer::timeout, this, [this] { update(); });
}

T_frmParaSet_ZR::~T_frmParaSet_ZR()
{
    StopRead();
    firstRead_->stop();
    statusClear_->stop();
    tmA->stop();
}

void T_frmParaSet_ZR::SetFileDialogHook(TFileDialogFn fn)
{
    FileDialogHook() = std::move(fn);
}

// ---- building ------------------------------------------------------------------------------

void T_frmParaSet_ZR::BuildUi()
{
    auto* root = new QVBoxLayout(this);
    pagecA = new QTabWidget(this);
    pagecA->setObjectName(QStringLiteral("pagecA"));
    root->addWidget(pagecA);

    // Tab A: the print settings.
    tabsUserParaA = new QWidget;
    tabsUserParaA->setObjectName(QStringLiteral("tabsUserParaA"));
    auto* pnl = new QWidget(tabsUserParaA);
    pnl->setObjectName(QStringLiteral("pnlUserParaA"));
    auto* tabALay = new QVBoxLayout(tabsUserParaA);
    tabALay->addWidget(pnl);
    auto* pl = new QGridLayout(pnl);
    auto* left = new QVBoxLayout;
    for (const char* r : {"gpbAutoPosition", "gpbPrintType", "gpbReprintWhenError", "RadioGroup1", "g5"})
        left->addWidget(Radio(QString::fromLatin1(r), pnl));
    gpbLanguage = new QGroupBox(pnl);
    gpbLanguage->setObjectName(QStringLiteral("gpbLanguage"));
    auto* ll = new QHBoxLayout(gpbLanguage);
    ll->addWidget(Combo(QStringLiteral("cmbCodepage"), gpbLanguage));
    left->addWidget(gpbLanguage);
    left->addStretch();
    pl->addLayout(left, 0, 0);

    gpbOther = new QGroupBox(pnl);
    gpbOther->setObjectName(QStringLiteral("gpbOther"));
    auto* og = new QGridLayout(gpbOther);
    int row = 0;
    auto comboRow = [&](const char* lbl, const char* cmb) {
        og->addWidget(Label(QString::fromLatin1(lbl), gpbOther), row, 0);
        og->addWidget(Combo(QString::fromLatin1(cmb), gpbOther), row, 1, 1, 2);
        ++row;
    };
    auto editRow = [&](const char* lbl, const char* edit, const char* range, int maxTyped, paraset::TKeyFilter mode) {
        og->addWidget(Label(QString::fromLatin1(lbl), gpbOther), row, 0);
        QLineEdit* e = Edit(QString::fromLatin1(edit), gpbOther, maxTyped, mode);
        e->setMinimumWidth(64);
        og->addWidget(e, row, 1);
        og->addWidget(Label(QString::fromLatin1(range), gpbOther), row, 2);
        ++row;
    };
    comboRow("lblJudgePaperMode", "cmbJudgePaperMode");
    comboRow("lblPrintSpeed", "cmbPrintSpeed");
    comboRow("lblHeatAdj", "cmbHeatAdj");
    comboRow("lblDensity", "cmbDensity");
    comboRow("lblProtocol", "cmbProtocol");
    comboRow("lblPrintMode", "cmbPrintMode");
    editRow("lblTearOff", "txtTearOff", "Label3", 4, paraset::TKeyFilter::SignedNumber);
    editRow("lblZPrintWidth", "txtZPrintWidth", "lblZPrintWidthRange", 3, paraset::TKeyFilter::Number);
    editRow("lblZPrintHeight", "txtZPrintHeight", "lblZPrintHeightRange", 3, paraset::TKeyFilter::Number);
    editRow("lblDRowOffset", "txtDRowOffset", "lblDRowOffsetRange", 3, paraset::TKeyFilter::SignedNumber);
    editRow("lblDColumnOffset", "txtDColumnOffset", "lblDColumnOffsetRange", 3, paraset::TKeyFilter::SignedNumber);
    comboRow("lblHeadType", "cmbHeadType");
    editRow("Label4", "Edit1", "Label5", 4, paraset::TKeyFilter::SignedNumber);
    og->setRowStretch(row, 1);
    pl->addWidget(gpbOther, 0, 1);
    pagecA->addTab(tabsUserParaA, QString());

    // Ethernet.
    tabsEthernetSetting = new QWidget;
    tabsEthernetSetting->setObjectName(QStringLiteral("tabsEthernetSetting"));
    gpbEthernetSetting = new QGroupBox(tabsEthernetSetting);
    gpbEthernetSetting->setObjectName(QStringLiteral("gpbEthernetSetting"));
    (new QVBoxLayout(tabsEthernetSetting))->addWidget(gpbEthernetSetting);
    auto* eg = new QGridLayout(gpbEthernetSetting);
    eg->addWidget(Label(QStringLiteral("lblDHCP"), gpbEthernetSetting), 0, 0);
    eg->addWidget(Combo(QStringLiteral("cmbDHCP"), gpbEthernetSetting), 0, 1, 1, 3);
    auto quadRow = [&](int r, const char* lbl, const char* prefix, int count) {
        eg->addWidget(Label(QString::fromLatin1(lbl), gpbEthernetSetting), r, 0);
        for (int i = 1; i <= count; ++i) {
            QLineEdit* e = Edit(QString::fromLatin1(prefix) + QString::number(i), gpbEthernetSetting,
                                count == 4 ? 3 : 0, count == 4 ? paraset::TKeyFilter::Number : paraset::TKeyFilter::None);
            e->setMaximumWidth(56);
            if (count == 6)
                e->setEnabled(false);
            eg->addWidget(e, r, i);
        }
    };
    quadRow(1, "lblIP", "txtIP", 4);
    quadRow(2, "lblSubnet", "txtSubnet", 4);
    quadRow(3, "lblGateway", "txtGateway", 4);
    quadRow(4, "lblMac", "txtMac", 6);
    eg->setRowStretch(5, 1);
    pagecA->addTab(tabsEthernetSetting, QString());

    // Serial port.
    tabsCOM = new QWidget;
    tabsCOM->setObjectName(QStringLiteral("tabsCOM"));
    gpbCOM = new QGroupBox(tabsCOM);
    gpbCOM->setObjectName(QStringLiteral("gpbCOM"));
    (new QVBoxLayout(tabsCOM))->addWidget(gpbCOM);
    auto* cg = new QGridLayout(gpbCOM);
    int crow = 0;
    for (auto [lbl, cmb] : {std::pair{"lblBaudrate", "cmbBaudrate"}, std::pair{"lblDataBits", "cmbDataBits"},
                            std::pair{"lblStopBits", "cmbStopBits"}, std::pair{"lblParity", "cmbParity"}}) {
        cg->addWidget(Label(QString::fromLatin1(lbl), gpbCOM), crow, 0);
        cg->addWidget(Combo(QString::fromLatin1(cmb), gpbCOM), crow, 1);
        ++crow;
    }
    cg->setRowStretch(crow, 1);
    pagecA->addTab(tabsCOM, QString());

    // Bluetooth.
    tabsUserParaBt = new QWidget;
    tabsUserParaBt->setObjectName(QStringLiteral("tabsUserParaBt"));
    gpbBT = new QGroupBox(tabsUserParaBt);
    gpbBT->setObjectName(QStringLiteral("gpbBT"));
    (new QVBoxLayout(tabsUserParaBt))->addWidget(gpbBT);
    auto* bg = new QGridLayout(gpbBT);
    bg->addWidget(Label(QStringLiteral("lblBTName"), gpbBT), 0, 0);
    bg->addWidget(Edit(QStringLiteral("txtBTName"), gpbBT, 10, paraset::TKeyFilter::BTName), 0, 1, 1, 6);
    bg->addWidget(Label(QStringLiteral("lblBTPWD"), gpbBT), 1, 0);
    bg->addWidget(Edit(QStringLiteral("txtBTPWD"), gpbBT, 4, paraset::TKeyFilter::BTPassword), 1, 1, 1, 6);
    bg->addWidget(Label(QStringLiteral("lblBTMac"), gpbBT), 2, 0);
    for (int i = 1; i <= 6; ++i) {
        QLineEdit* e = Edit(QStringLiteral("txtBTMac%1").arg(i), gpbBT, 0, paraset::TKeyFilter::None);
        e->setEnabled(false);
        e->setMaximumWidth(40);
        bg->addWidget(e, 2, i);
    }
    bg->setRowStretch(3, 1);
    pagecA->addTab(tabsUserParaBt, QString());

    // Release paper: rows stacked by the row manager.
    tabsUserParaB = new QWidget;
    tabsUserParaB->setObjectName(QStringLiteral("tabsUserParaB"));
    tabsUserParaB->setMinimumHeight(120);
    QLabel* lblRelease = Label(QStringLiteral("lblReleasePaper"), tabsUserParaB);
    lblRelease->setGeometry(12, 0, 160, 22);
    QComboBox* cmbRelease = Combo(QStringLiteral("cmbReleasePaper"), tabsUserParaB);
    cmbRelease->setGeometry(180, 0, 140, 24);
    QLineEdit* tip = Edit(QStringLiteral("txtTip_ReleasePaper"), tabsUserParaB, 0, paraset::TKeyFilter::None);
    tip->setReadOnly(true);
    tip->setGeometry(330, 0, 300, 24);
    auto* rowRelease = new TObj_Ult_PrtPara;
    rowRelease->Name = T(QStringLiteral("Lang_All_00210024_11"));
    rowRelease->Height = 24;
    rowRelease->AddControl(lblRelease);
    rowRelease->AddControl(cmbRelease);
    rowRelease->AddControl(tip);
    rows_->AddGroup(rowRelease);
    pagecA->addTab(tabsUserParaB, QString());

    // Buttons and status bar.
    auto* buttons = new QHBoxLayout;
    btnSave = new QPushButton(this);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    btnLoad = new QPushButton(this);
    btnLoad->setObjectName(QStringLiteral("btnLoad"));
    btnSet = new QPushButton(this);
    btnSet->setObjectName(QStringLiteral("btnSet"));
    btnClose = new QPushButton(this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    buttons->addWidget(btnSave);
    buttons->addWidget(btnLoad);
    buttons->addStretch();
    buttons->addWidget(btnSet);
    buttons->addWidget(btnClose);
    root->addLayout(buttons);
    StatusBarA = new QStatusBar(this);
    StatusBarA->setObjectName(QStringLiteral("StatusBarA"));
    StatusBarA->setSizeGripEnabled(false);
    statusPanel_ = new QLabel(StatusBarA);
    statusPanel_->setObjectName(QStringLiteral("StatusBarA_Panel0"));
    StatusBarA->addWidget(statusPanel_, 1);
    root->addWidget(StatusBarA);

    connect(btnSet, &QPushButton::clicked, this, &T_frmParaSet_ZR::btnSetClick);
    connect(btnClose, &QPushButton::clicked, this, &T_frmParaSet_ZR::btnCloseClick);
    connect(btnSave, &QPushButton::clicked, this, &T_frmParaSet_ZR::btnSaveClick);
    connect(btnLoad, &QPushButton::clicked, this, &T_frmParaSet_ZR::btnLoadClick);
}

void T_frmParaSet_ZR::ComboPicked(const QString& name)
{
    if (name == QLatin1String("cmbProtocol"))
        cmbProtocolChange();
    else if (name == QLatin1String("cmbDHCP"))
        cmbDHCPChange();
    else if (name == QLatin1String("cmbJudgePaperMode"))
        cmbJudgePaperModeChange();
    else if (name == QLatin1String("cmbReleasePaper"))
        cmbReleasePaperChange();
    // cmbHeadType only changes the head type: the density and code page read from the
    // printer stay as they are.
}

// ---- show ------------------------------------------------------------------------------

void T_frmParaSet_ZR::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_)
        FormShow();
}

void T_frmParaSet_ZR::InitLanguage()
{
    setWindowTitle(T("_ParaSet"));
    pagecA->setTabText(pagecA->indexOf(tabsUserParaA), T("Lang_All_00210091_11"));
    pagecA->setTabText(pagecA->indexOf(tabsUserParaB), T("Lang_All_00210091_12"));
    pagecA->setTabText(pagecA->indexOf(tabsUserParaBt), T("Lang_All_00210091_14"));
    pagecA->setTabText(pagecA->indexOf(tabsEthernetSetting), T("FormParaSet_260_gpbEthernetSetting"));
    pagecA->setTabText(pagecA->indexOf(tabsCOM), T("FormParaSet_260_gpbCOM"));
    pagecA->setCurrentWidget(tabsUserParaA);
    btnSave->setText(T("Lang00010027"));
    btnLoad->setText(T("Lang00010026"));
    btnSet->setText(T("_Set"));
    btnClose->setText(T("_Close"));

    static const std::pair<const char*, const char*> captions[] = {
        {"gpbAutoPosition", "FormParaSet_260_gpbAutoPosition"},
        {"gpbPrintType", "FormParaSet_260_gpbPrintType"},
        {"gpbReprintWhenError", "FormParaSet_260_gpbReprintWhenError"},
        {"RadioGroup1", "FormParaSet_QX_SST"},
        {"g5", "FormParaSet_ZR_i9"},
        {"gpbOther", "FormParaSet_ZR_gpbOther"},
        {"gpbLanguage", "FormParaSet_260_gpbLanguage"},
        {"gpbEthernetSetting", "FormParaSet_260_gpbEthernetSetting"},
        {"gpbCOM", "FormParaSet_260_gpbCOM"},
        {"gpbBT", "_BTSet"},
        {"lblJudgePaperMode", "FormParaSet_260_lblJudgePaperMode"},
        {"lblPrintSpeed", "FormParaSet_260_lblPrintSpeed"},
        {"lblHeatAdj", "FormParaSet_W7X_lblHeatAdj"},
        {"lblDensity", "FormParaSet_260_lblDensity"},
        {"lblProtocol", "FormParaSet_ZR_lblProtocol"},
        {"lblPrintMode", "FormParaSet_ZR_lblPrintMode"},
        {"lblTearOff", "FormParaSet_ZR_lblTearOff"},
        {"lblZPrintWidth", "FormPrintTextLabel_lblPrintableWidth"},
        {"lblZPrintHeight", "FormPrintTextLabel_lblPrintableHeight"},
        {"lblDRowOffset", "FormPrintTextLabel_lblDRowOffset"},
        {"lblDColumnOffset", "FormPrintTextLabel_lblDColumnOffset"},
        {"lblHeadType", "lblHeadType"},
        {"Label4", "FormParaSet_ZR_Label4"},
        {"lblDHCP", "FormParaSet_260_lblDHCP"},
        {"lblIP", "FormParaSet_260_lblIP"},
        {"lblSubnet", "FormParaSet_260_lblSubnet"},
        {"lblGateway", "FormParaSet_260_lblGateway"},
        {"lblMac", "lblMac"},
        {"lblBaudrate", "FormParaSet_260_lblBaudRate"},
        {"lblDataBits", "FormParaSet_260_lblDataBits"},
        {"lblStopBits", "FormParaSet_260_lblStopBits"},
        {"lblParity", "FormParaSet_260_lblParity"},
        {"lblBTName", "_BTName"},
        {"lblBTPWD", "_BTPWD"},
        {"lblBTMac", "FormParaSet_ZR_lblBTMac"},
        {"lblReleasePaper", "Lang_All_00210024_11"},
    };
    ApplyCaptions({std::begin(captions), std::end(captions)});
    static const std::pair<const char*, const char*> ranges[] = {
        {"Label3", "(-120~120)dots"}, {"lblZPrintWidthRange", "(0~108)mm"}, {"lblZPrintHeightRange", "(0~300)mm"},
        {"lblDRowOffsetRange", "(-15~15)mm"}, {"lblDColumnOffsetRange", "(-15~15)mm"}, {"Label5", "(-256~256)dots"},
    };
    for (const auto& [name, text] : ranges)
        findChild<QLabel*>(QString::fromLatin1(name))->setText(QString::fromLatin1(text));

    auto captionItems = [this](const char* name, const QStringList& keys) {
        SetCaptionItems(QString::fromLatin1(name), keys);
    };
    captionItems("gpbAutoPosition",
                 {"FormParaSet_ZR_Locate_None", "FormParaSet_ZR_Locate_Calibation", "FormParaSet_ZR_Locate_Feed"});
    captionItems("gpbPrintType", {"_PrintType1", "_PrintType2"});
    captionItems("gpbReprintWhenError", {"_Disable", "_Enable"});
    captionItems("RadioGroup1", {"FormParaSet_QX_SST_1", "FormParaSet_QX_SST_2"});
    captionItems("g5", {"_Disable", "_Enable", "FormParaSet_ZR_g5_Learn"});
    captionItems("cmbPrintMode", {"FormParaSet_ZR_cmbPrintMode_Item1", "FormParaSet_ZR_cmbPrintMode_Item2",
                                  "FormParaSet_ZR_cmbPrintMode_Item3"});
    // The paper list follows the printer's words: label (gap), black mark, continuous.
    captionItems("cmbJudgePaperMode", {"_PaperType_Label", "_PaperType_BlackMark", "_PaperType_Receipt"});

    // Printer languages.
    c_.SetItems("cmbProtocol", zrpara::ZrProtocolItems(setup_, c_.Items("cmbProtocol")), 0);
    // Head types under their OEM key only.
    if (setup_.headType) {
        captionItems("cmbHeadType", {"lblHeadTypeItem1", "lblHeadTypeItem2", "lblHeadTypeItem3"});
        c_.Select("cmbHeadType", -1);
    } else {
        c_.SetItems("cmbHeadType", {}, -1);
    }
    findChild<QComboBox*>(QStringLiteral("cmbHeadType"))->setVisible(setup_.headType);
    findChild<QLabel*>(QStringLiteral("lblHeadType"))->setVisible(setup_.headType);
}

void T_frmParaSet_ZR::FormShow()
{
    shown_ = true;
    setup_ = zrpara::ZrSetupOfSelectedPrinter(QString());

    // Rows of the model.
    auto setRow = [this](const QStringList& names, bool on) {
        for (const QString& n : names)
            if (QWidget* w = findChild<QWidget*>(n))
                w->setVisible(on);
    };
    setRow({"lblZPrintWidth", "txtZPrintWidth", "lblZPrintWidthRange", "lblZPrintHeight", "txtZPrintHeight",
            "lblZPrintHeightRange", "lblDRowOffset", "txtDRowOffset", "lblDRowOffsetRange", "lblDColumnOffset",
            "txtDColumnOffset", "lblDColumnOffsetRange"},
           setup_.dpl);
    setRow({"lblMac", "txtMac1", "txtMac2", "txtMac3", "txtMac4", "txtMac5", "txtMac6"}, setup_.mac);
    setRow({"Label4", "Edit1", "Label5"}, setup_.colShift);
    btnSave->setVisible(setup_.dpl);
    btnLoad->setVisible(setup_.dpl);
    findChild<QWidget*>(QStringLiteral("gpbPrintType"))
        ->setEnabled(!IsModelInCommaList(setup_.listed, ZrPrintTypeOffModels));
    pagecA->setTabVisible(pagecA->indexOf(tabsEthernetSetting), !setup_.z34);
    pagecA->setTabVisible(pagecA->indexOf(tabsCOM), !setup_.z34);

    // The release-paper row.
    rows_->Group(0)->Visible = setup_.releasePaper;
    int bottom = 0;
    rows_->Arrange(8, bottom);
    FillReleasePaperList(&state_.releasePaper);
    QStringList captions;
    for (const QString& line : state_.releasePaper)
        captions << OptionLineText(line);
    c_.SetItems("cmbReleasePaper", captions, 0);

    InitLanguage();
    pagecA->setTabVisible(pagecA->indexOf(tabsUserParaB), rows_->ShownCount() > 0 || IsDebugMode());
    ApplyFormFont(this);
    if (IsModelPrefixInList(setup_.current, ParameterSetList(QStringLiteral("OnlyChinese")))) {
        gpbLanguage->setVisible(false);
        findChild<QComboBox*>(QStringLiteral("cmbCodepage"))->setEnabled(false);
    }
    pagecA->setTabVisible(pagecA->indexOf(tabsUserParaBt), !setup_.noBt);
    findChild<QComboBox*>(QStringLiteral("cmbProtocol"))
        ->setEnabled(!IsModelPrefixInList(setup_.current, ParameterSetList(QStringLiteral("ProtocolDisable"))));
    Push();
    FillPrintSpeedList(findChild<QComboBox*>(QStringLiteral("cmbPrintSpeed")), PrtBasName);
    Pull();
    cmbDHCPChange();

    // The form takes the size its rows need for this model.
    layout()->activate();
    resize(sizeHint().expandedTo(minimumSizeHint()));

    firstRead_->start();
    tmA->setInterval(IsDebugMode() ? 2000 : 50);
    tmA->start();
}

void T_frmParaSet_ZR::ReadRun()
{
    firstRead_->stop();
    if (Reading())
        return;
    for (QPushButton* b : {btnSet, btnLoad, btnSave})
        b->setEnabled(false);
    if (!OpenForRead()) {
        // Nothing was read: the settings file stays at hand, Set does not.
        for (QPushButton* b : {btnLoad, btnSave})
            b->setEnabled(true);
        SetStatus(T("_Err_ReadData"));
        return;
    }
    // The printer is read on a worker while the window stays painted and shows the status;
    // the results replace the controls' states when the read is done.
    struct TRead {
        zrpara::TZrSetup setup;
        zrpara::TZrState state;
        TParaControls c;
    };
    auto r = std::make_shared<TRead>(TRead{setup_, state_, c_});
    StartRead(
        [this, r](ITextParaCmd& cmd) {
            r->setup.dpi = TrimReply(cmd.GetVal(Quoted(QStringLiteral("dpi"))));
            zrpara::ZrReadPass(
                cmd, r->setup, r->state, r->c, [this](const QString& s) { Post([this, s] { SetStatus(s); }); },
                [this](const QString& s) { Post([s] { ShowInfoBox(s); }); });
            cmd.Close();
        },
        [this, r](bool completed) {
            setup_ = r->setup;
            state_ = r->state;
            c_ = r->c;
            if (completed)
                statusClear_->start();
            else
                SetStatus(T("_Err_ReadData"));  // stays until the form closes
            Push();
            if (!state_.tearOffRange.isEmpty())
                findChild<QLabel*>(QStringLiteral("Label3"))->setText(state_.tearOffRange);
            cmbDHCPChange();
            RefreshReleasePaperTip();
        },
        {btnSet, btnLoad, btnSave, pagecA});
}

void T_frmParaSet_ZR::SetStatus(const QString& text)
{
    statusPanel_->setText(text);
    statusPanel_->repaint();
}

QString T_frmParaSet_ZR::StatusText() const
{
    return statusPanel_->text();
}

// ---- handlers ----------------------------------------------------------------------------

void T_frmParaSet_ZR::cmbProtocolChange()
{
    Pull();
    zrpara::ZrProtocolChange(state_, c_);
    Push();
}

void T_frmParaSet_ZR::cmbDHCPChange()
{
    const bool fixed = c_.Index("cmbDHCP") != 0;
    for (const QString& n : kAddressEdits)
        findChild<QLineEdit*>(n)->setEnabled(fixed);
}

void T_frmParaSet_ZR::cmbJudgePaperModeChange()
{
    zrpara::ZrJudgePaperModeChange(c_);
    Push();
}

void T_frmParaSet_ZR::cmbReleasePaperChange()
{
    if (!muteReleasePaper_)
        RefreshReleasePaperTip();
}

void T_frmParaSet_ZR::RefreshReleasePaperTip()
{
    auto* tip = findChild<QLineEdit*>(QStringLiteral("txtTip_ReleasePaper"));
    tip->clear();
    FillReleasePaperList(&state_.releasePaper);
    tip->setText(ReleasePaperTip(state_.releasePaper, c_.ItemText("cmbReleasePaper"), c_.Index("cmbReleasePaper")));
}

void T_frmParaSet_ZR::EditLeft(QLineEdit* edit)
{
    const QString name = edit->objectName();
    const bool dplTear = setup_.dpl && state_.readProtocol == QLatin1String("dpl");
    const TBound bounds[] = {
        {"txtTearOff", dplTear ? -240 : -120, dplTear ? 240 : 120}, {"Edit1", -256, 256},
        {"txtZPrintWidth", 0, 108}, {"txtZPrintHeight", 0, 300}, {"txtDRowOffset", -15, 15},
        {"txtDColumnOffset", -15, 15},
    };
    for (const TBound& b : bounds)
        if (name == QLatin1String(b.edit)) {
            CheckValueRange(edit, true, b.lo, b.hi);
            return;
        }
    if (name != QLatin1String("txtTip_ReleasePaper"))
        CheckValueRange(edit, false, 0, 0);
}

// ---- set -------------------------------------------------------------------------------------

void T_frmParaSet_ZR::btnSetClick()
{
    if (!ReadCompleted())
        return;  // nothing known of the printer: nothing to write back
    Pull();
    QString error;
    bool failed = false;
    bool opened = false;
    const bool went = zrpara::ZrSetFlow(*cmd_, setup_, state_, c_, error, failed, opened);
    Push();
    if (!went) {
        prt::MessageBoxPrt(error, T("_MSG_Title_Error"), prt::MB_ICONERROR_);
        return;  // the operator corrects the field
    }
    if (failed)
        prt::MessageBoxPrt(T("_Err_ParaSet"), T("_MSG_Title_Error"), prt::MB_ICONERROR_);
    accept();
}

void T_frmParaSet_ZR::btnCloseClick()
{
    reject();
}

// ---- settings file ------------------------------------------------------------------------------

namespace {
// The name check of the settings file: message empty when the last path component is fine.
QString CheckSettingsName(const QString& fileName)
{
    QString message;
    CheckAsciiFileName(QFileInfo(fileName.trimmed()).fileName(), 255, message);
    return message;
}
} // namespace

void T_frmParaSet_ZR::btnSaveClick()
{
    const QString name = RunFileDialog(this, true);
    if (!name.isEmpty())
        SaveSettings(name);
}

void T_frmParaSet_ZR::btnLoadClick()
{
    const QString name = RunFileDialog(this, false);
    if (!name.isEmpty())
        LoadSettings(name);
}

void T_frmParaSet_ZR::SaveSettings(const QString& fileName)
{
    QString error = CheckSettingsName(fileName);
    QString path = fileName.trimmed();
    if (error.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".ini");
    Pull();
    if (error.isEmpty() && !zrpara::SaveZrSettings(path, c_, error) && error.isEmpty())
        error = T("FormParaSet_ZR_MSG_FileFail");
    if (!error.isEmpty()) {
        prt::MessageBoxPrt(error, T("_MSG_Title_Error"), prt::MB_ICONERROR_);
        return;
    }
    prt::MessageBoxPrt(T("_ParaSave_OK"), T("_MSG_Title_Message"), prt::MB_ICONINFORMATION_);
}

void T_frmParaSet_ZR::LoadSettings(const QString& fileName)
{
    QString error = CheckSettingsName(fileName);
    Pull();
    if (error.isEmpty() && !zrpara::LoadZrSettings(fileName.trimmed(), state_, c_, error) && error.isEmpty())
        error = T("FormParaSet_ZR_MSG_FileFail");
    if (!error.isEmpty()) {
        prt::MessageBoxPrt(error, T("_MSG_Title_Error"), prt::MB_ICONERROR_);
        return;
    }
    muteReleasePaper_ = true;
    Push();
    muteReleasePaper_ = false;
    cmbDHCPChange();
    RefreshReleasePaperTip();
}
