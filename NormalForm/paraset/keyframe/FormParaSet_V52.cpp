#include "FormParaSet_V52.h"

#include "CMD_Key.h"
#include "PrinterCMD.h"
#include "PrtTick.h"
#include "mdlCurrentPrinter.h"
#include "mdlDevNewPrt.h"
#include "mdlGlobalVar.h"
#include "mdlKesaVar.h"
#include "mdlModelCatalog.h"
#include "mdlModelFeatures.h"
#include "mdlModuleState.h"
#include "mdlOptionLists.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"
#include "mdlPubFunc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

template <typename T>
T* Named(T* w, const QString& name)
{
    w->setObjectName(name);
    return w;
}

const TV52ScanClock*& TestClock()
{
    static const TV52ScanClock* clock = nullptr;
    return clock;
}

void ScanWait(int ms)
{
    if (TestClock() && TestClock()->Wait)
        TestClock()->Wait(ms);
    else
        WaitMs(ms);
}

uint32_t ScanTick()
{
    if (TestClock() && TestClock()->Tick)
        return TestClock()->Tick();
    return prt::GetTickCountMs();
}

const TKeyFrameRow& RowOf(uint16_t id)
{
    return *FindKeyFrameRow(KF_V52, id);
}

// Page A geometry: label, control, extra, one row every kRowHeight + 6 pixels.
constexpr int kLabelX = 12, kLabelW = 190, kCtrlX = 210, kCtrlW = 200, kExtraX = 420, kExtraW = 200;
constexpr int kRowHeight = 24;

} // namespace

void SetV52ScanClockForTest(const TV52ScanClock* clock)
{
    TestClock() = clock;
}

T_frmParaSet_V52::T_frmParaSet_V52(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("T_frmParaSet_V52"));
    // FormCreate: the form stays on top.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    FFilled = new TKfFilled(this);

    PagecA = Named(new QTabWidget(this), "PagecA");
    tabsUserParaA = Named(new QWidget(), "tabsUserParaA");
    tabsUserParaB = Named(new QWidget(), "tabsUserParaB");
    tabsUserParaBt = Named(new QWidget(), "tabsUserParaBt");
    tabsEthernet = Named(new QWidget(), "tabsEthernet");
    tabsWifi = Named(new QWidget(), "tabsWifi");
    PagecA->addTab(tabsUserParaA, QString());
    PagecA->addTab(tabsUserParaB, QString());
    PagecA->addTab(tabsUserParaBt, QString());
    PagecA->addTab(tabsEthernet, QString());
    PagecA->addTab(tabsWifi, QString());
    pagecA_2 = Named(new QTabWidget(this), "pagecA_2");
    pagecA_2->setVisible(false);
    BuildUserPage();
    BuildBluetoothPage();
    BuildEthernetPage();
    BuildWifiPage();

    pnlTool = Named(new QWidget(this), "pnlTool");
    btnSet = Named(new QPushButton(pnlTool), "btnSet");
    btnClose = Named(new QPushButton(pnlTool), "btnClose");
    btnSet->setAutoDefault(false);
    btnClose->setAutoDefault(false);
    auto* tool = new QHBoxLayout(pnlTool);
    tool->setContentsMargins(0, 0, 0, 0);
    tool->addStretch(1);
    tool->addWidget(btnSet);
    tool->addWidget(btnClose);

    timer1 = new QTimer(this);
    timer1->setObjectName(QStringLiteral("timer1"));
    timer1->setInterval(100);
    timer1->setSingleShot(true);

    connect(btnSet, &QPushButton::clicked, this, &T_frmParaSet_V52::btnSetClick);
    connect(btnClose, &QPushButton::clicked, this, &T_frmParaSet_V52::btnCloseClick);
    connect(timer1, &QTimer::timeout, this, &T_frmParaSet_V52::timer1Timer);
    connect(btnWifiSTA_WifiName_Scan, &QPushButton::clicked, this,
            &T_frmParaSet_V52::btnWifiSTA_WifiName_ScanClick);
    connect(cmbDHCP, &QComboBox::currentIndexChanged, this, &T_frmParaSet_V52::cmbDHCPChange);
    connect(cmbWifiDhcp, &QComboBox::currentIndexChanged, this, &T_frmParaSet_V52::cmbWifiDhcpChange);
    connect(cmbWifiMode, &QComboBox::currentIndexChanged, this, &T_frmParaSet_V52::cmbWifiModeChange);
    connect(cmbReleasePaper, &QComboBox::currentIndexChanged, this, &T_frmParaSet_V52::cmbReleasePaperChange);
    resize(660, 420);
}

T_frmParaSet_V52::~T_frmParaSet_V52()
{
    CutLeaveHandlers(this);
}

void T_frmParaSet_V52::BuildUserPage()
{
    QWidget* p = tabsUserParaA;
    const auto label = [p](const char* name) { return Named(new QLabel(p), name); };
    const auto combo = [p, this](const char* name) {
        auto* c = Named(new QComboBox(p), name);
        FFilled->Watch(c);
        return c;
    };
    lblDensity = label("lblDensity");
    cmbDensity = combo("cmbDensity");
    lblDetectMode = label("lblDetectMode");
    cmbDetectMode = combo("cmbDetectMode");
    lblPrintSpeed = label("lblPrintSpeed");
    cmbPrintSpeed = combo("cmbPrintSpeed");
    lblPrintToStop = label("lblPrintToStop");
    txtPrintToStop = Named(new QLineEdit(p), "txtPrintToStop");
    FFilled->Watch(txtPrintToStop);
    KfInstallKeyFilter(txtPrintToStop, paraset::TKeyFilter::SignedNumber, 3);
    connect(txtPrintToStop, &QLineEdit::editingFinished, this, [this] { CheckValue(txtPrintToStop); });
    Label16 = label("Label16");
    lblReleasePaper = label("lblReleasePaper");
    cmbReleasePaper = combo("cmbReleasePaper");
    txtSupport_ReleasePaper = Named(new QLineEdit(p), "txtSupport_ReleasePaper");
    txtTip_ReleasePaper = Named(new QLineEdit(p), "txtTip_ReleasePaper");
    edtlbl_Codepage = Named(new QLineEdit(p), "edtlbl_Codepage");
    edtlbl_Codepage->setReadOnly(true);
    edtlbl_Codepage->setFrame(false);
    edtlbl_Codepage->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    cmbCodepage = combo("cmbCodepage");
    lblProtocol = label("lblProtocol");
    cmbProtocol = combo("cmbProtocol");
    lblLanague = label("lblLanague");
    cmbLanague = combo("cmbLanague");
    lblRepeatPrint = label("lblRepeatPrint");
    cmbRepeatPrint = combo("cmbRepeatPrint");
    lblBoxPosition = label("lblBoxPosition");
    cmbBoxPosition = combo("cmbBoxPosition");
    lblFinetuneHeatingTime = label("lblFinetuneHeatingTime");
    cmbFinetuneHeatingTime = combo("cmbFinetuneHeatingTime");
    for (QLineEdit* e : {txtSupport_ReleasePaper, txtTip_ReleasePaper})
        e->setReadOnly(true);
    // Column placement; the row manager sets the tops.
    for (QWidget* w : {static_cast<QWidget*>(lblDensity), static_cast<QWidget*>(lblDetectMode),
                       static_cast<QWidget*>(lblPrintSpeed), static_cast<QWidget*>(lblPrintToStop),
                       static_cast<QWidget*>(lblReleasePaper), static_cast<QWidget*>(edtlbl_Codepage),
                       static_cast<QWidget*>(lblProtocol), static_cast<QWidget*>(lblLanague),
                       static_cast<QWidget*>(lblRepeatPrint), static_cast<QWidget*>(lblBoxPosition),
                       static_cast<QWidget*>(lblFinetuneHeatingTime)})
        w->setGeometry(kLabelX, 0, kLabelW, kRowHeight);
    for (QWidget* w : {static_cast<QWidget*>(cmbDensity), static_cast<QWidget*>(cmbDetectMode),
                       static_cast<QWidget*>(cmbPrintSpeed), static_cast<QWidget*>(txtPrintToStop),
                       static_cast<QWidget*>(cmbReleasePaper), static_cast<QWidget*>(cmbCodepage),
                       static_cast<QWidget*>(cmbProtocol), static_cast<QWidget*>(cmbLanague),
                       static_cast<QWidget*>(cmbRepeatPrint), static_cast<QWidget*>(cmbBoxPosition),
                       static_cast<QWidget*>(cmbFinetuneHeatingTime)})
        w->setGeometry(kCtrlX, 0, kCtrlW, kRowHeight);
    Label16->setGeometry(kExtraX, 0, kExtraW, kRowHeight);
    txtSupport_ReleasePaper->setGeometry(kExtraX, 0, kExtraW, kRowHeight);
    txtTip_ReleasePaper->setGeometry(kCtrlX, 0, kCtrlW + kExtraW + 10, kRowHeight);
}

void T_frmParaSet_V52::BuildBluetoothPage()
{
    gpbBT = Named(new QGroupBox(tabsUserParaBt), "gpbBT");
    lblBTName = Named(new QLabel(gpbBT), "lblBTName");
    txtBTName = Named(new QLineEdit(gpbBT), "txtBTName");
    lblBTNameLen = Named(new QLabel(gpbBT), "lblBTNameLen");
    lblBTPWD = Named(new QLabel(gpbBT), "lblBTPWD");
    txtBTPWD = Named(new QLineEdit(gpbBT), "txtBTPWD");
    lblBTPWDLen = Named(new QLabel(gpbBT), "lblBTPWDLen");
    chkSimplePairing = Named(new QCheckBox(gpbBT), "chkSimplePairing");
    auto* g = new QGridLayout(gpbBT);
    g->addWidget(lblBTName, 0, 0);
    g->addWidget(txtBTName, 0, 1);
    g->addWidget(lblBTNameLen, 0, 2);
    g->addWidget(lblBTPWD, 1, 0);
    g->addWidget(txtBTPWD, 1, 1);
    g->addWidget(lblBTPWDLen, 1, 2);
    g->addWidget(chkSimplePairing, 2, 0, 1, 3);
    auto* v = new QVBoxLayout(tabsUserParaBt);
    v->addWidget(gpbBT);
    v->addStretch(1);
    FFilled->Watch(txtBTName);
    FFilled->Watch(txtBTPWD);
    FFilled->Watch(chkSimplePairing);
    KfInstallKeyFilter(txtBTName, paraset::TKeyFilter::BTName, 10);
    KfInstallKeyFilter(txtBTPWD, paraset::TKeyFilter::BTPassword, 4);
}

namespace {

// A row of n edits under the same name prefix ("txtIP" -> txtIP1..txtIPn), in a layout.
QHBoxLayout* EditRow(QWidget* parent, const char* prefix, QLineEdit** edits, int n, int maxLength, QWidget* owner,
                     TKfFilled* filled, bool readOnly = false)
{
    auto* row = new QHBoxLayout();
    for (int i = 0; i < n; ++i) {
        edits[i] = Named(new QLineEdit(parent), QString::fromLatin1(prefix) + QString::number(i + 1));
        edits[i]->setMaximumWidth(52);
        edits[i]->setReadOnly(readOnly);
        if (!readOnly) {
            KfInstallKeyFilter(edits[i], paraset::TKeyFilter::Number, maxLength);
            QObject::connect(edits[i], &QLineEdit::textEdited, filled, [filled, owner] { filled->Mark(owner); });
        }
        row->addWidget(edits[i]);
    }
    row->addStretch(1);
    return row;
}

} // namespace

void T_frmParaSet_V52::BuildEthernetPage()
{
    gpbEthernetSetting = Named(new QGroupBox(tabsEthernet), "gpbEthernetSetting");
    QWidget* p = gpbEthernetSetting;
    FIpOwner = new QWidget(this);
    FSubnetOwner = new QWidget(this);
    FGatewayOwner = new QWidget(this);
    for (QWidget* o : {FIpOwner, FSubnetOwner, FGatewayOwner})
        o->hide();
    lblDHCP = Named(new QLabel(p), "lblDHCP");
    cmbDHCP = Named(new QComboBox(p), "cmbDHCP");
    FFilled->Watch(cmbDHCP);
    lblIPAddress = Named(new QLabel(p), "lblIPAddress");
    lblSubnet = Named(new QLabel(p), "lblSubnet");
    lblDefautGateway = Named(new QLabel(p), "lblDefautGateway");
    lblNetSwitch = Named(new QLabel(p), "lblNetSwitch");
    cmbNetSwitch = Named(new QComboBox(p), "cmbNetSwitch");
    KfSetItems(cmbNetSwitch, {"OFF", "ON"});
    FFilled->Watch(cmbNetSwitch);
    lblMac = Named(new QLabel(p), "lblMac");
    auto* g = new QGridLayout(p);
    g->addWidget(lblNetSwitch, 0, 0);
    g->addWidget(cmbNetSwitch, 0, 1);
    g->addWidget(lblDHCP, 1, 0);
    g->addWidget(cmbDHCP, 1, 1);
    g->addWidget(lblIPAddress, 2, 0);
    g->addLayout(EditRow(p, "txtIP", txtIP, 4, 3, FIpOwner, FFilled), 2, 1);
    g->addWidget(lblSubnet, 3, 0);
    g->addLayout(EditRow(p, "txtSubnet", txtSubnet, 4, 3, FSubnetOwner, FFilled), 3, 1);
    g->addWidget(lblDefautGateway, 4, 0);
    g->addLayout(EditRow(p, "txtGateway", txtGateway, 4, 3, FGatewayOwner, FFilled), 4, 1);
    g->addWidget(lblMac, 5, 0);
    g->addLayout(EditRow(p, "txtMac", txtMac, 6, 2, nullptr, FFilled, true), 5, 1);
    g->setColumnStretch(1, 1);
    auto* v = new QVBoxLayout(tabsEthernet);
    v->addWidget(gpbEthernetSetting);
    v->addStretch(1);
}

void T_frmParaSet_V52::BuildWifiPage()
{
    gpbWIFISetting = Named(new QGroupBox(tabsWifi), "gpbWIFISetting");
    QWidget* p = gpbWIFISetting;
    FWipOwner = new QWidget(this);
    FWsnOwner = new QWidget(this);
    FWgateOwner = new QWidget(this);
    for (QWidget* o : {FWipOwner, FWsnOwner, FWgateOwner})
        o->hide();
    lblWifiMode = Named(new QLabel(p), "lblWifiMode");
    cmbWifiMode = Named(new QComboBox(p), "cmbWifiMode");
    KfSetItems(cmbWifiMode, {"AP", "STA"});
    lblWName = Named(new QLabel(p), "lblWName");
    cmbWifiSTA_WifiName = Named(new QComboBox(p), "cmbWifiSTA_WifiName");
    cmbWifiSTA_WifiName->setEditable(true);
    cmbWifiSTA_WifiName->setInsertPolicy(QComboBox::NoInsert);
    btnWifiSTA_WifiName_Scan = Named(new QPushButton(p), "btnWifiSTA_WifiName_Scan");
    btnWifiSTA_WifiName_Scan->setAutoDefault(false);
    lblWPWD = Named(new QLabel(p), "lblWPWD");
    txtWPWD = Named(new QLineEdit(p), "txtWPWD");
    lblWifiDhcp = Named(new QLabel(p), "lblWifiDhcp");
    cmbWifiDhcp = Named(new QComboBox(p), "cmbWifiDhcp");
    KfSetItems(cmbWifiDhcp, {"OFF", "ON"});
    lblWIP = Named(new QLabel(p), "lblWIP");
    lblWSN = Named(new QLabel(p), "lblWSN");
    lblWGate = Named(new QLabel(p), "lblWGate");
    lblWMAC = Named(new QLabel(p), "lblWMAC");
    lblWifiAP_PwdNeeded = Named(new QLabel(p), "lblWifiAP_PwdNeeded");
    cmbWifiAP_PwdNeeded = Named(new QComboBox(p), "cmbWifiAP_PwdNeeded");
    lblWSwitch = Named(new QLabel(p), "lblWSwitch");
    cmbWSwitch = Named(new QComboBox(p), "cmbWSwitch");
    KfSetItems(cmbWSwitch, {"OFF", "ON"});
    lblWifiVersion = Named(new QLabel(p), "lblWifiVersion");
    txtWifiVersion = Named(new QLineEdit(p), "txtWifiVersion");
    txtWifiVersion->setReadOnly(true);
    for (QComboBox* c : {cmbWifiMode, cmbWifiDhcp, cmbWifiAP_PwdNeeded, cmbWSwitch, cmbWifiSTA_WifiName})
        FFilled->Watch(c);
    connect(cmbWifiSTA_WifiName->lineEdit(), &QLineEdit::textEdited, this,
            [this] { FFilled->Mark(cmbWifiSTA_WifiName); });
    FFilled->Watch(txtWPWD);
    auto* g = new QGridLayout(p);
    int r = 0;
    g->addWidget(lblWSwitch, r, 0);
    g->addWidget(cmbWSwitch, r++, 1);
    g->addWidget(lblWifiMode, r, 0);
    g->addWidget(cmbWifiMode, r++, 1);
    g->addWidget(lblWName, r, 0);
    auto* name = new QHBoxLayout();
    name->addWidget(cmbWifiSTA_WifiName, 1);
    name->addWidget(btnWifiSTA_WifiName_Scan);
    g->addLayout(name, r++, 1);
    g->addWidget(lblWPWD, r, 0);
    g->addWidget(txtWPWD, r++, 1);
    g->addWidget(lblWifiAP_PwdNeeded, r, 0);
    g->addWidget(cmbWifiAP_PwdNeeded, r++, 1);
    g->addWidget(lblWifiDhcp, r, 0);
    g->addWidget(cmbWifiDhcp, r++, 1);
    g->addWidget(lblWIP, r, 0);
    g->addLayout(EditRow(p, "txtWIP", txtWIP, 4, 3, FWipOwner, FFilled), r++, 1);
    g->addWidget(lblWSN, r, 0);
    g->addLayout(EditRow(p, "txtWSN", txtWSN, 4, 3, FWsnOwner, FFilled), r++, 1);
    g->addWidget(lblWGate, r, 0);
    g->addLayout(EditRow(p, "txtWGate", txtWGate, 4, 3, FWgateOwner, FFilled), r++, 1);
    g->addWidget(lblWMAC, r, 0);
    g->addLayout(EditRow(p, "txtWMAC", txtWMAC, 6, 2, nullptr, FFilled, true), r++, 1);
    g->addWidget(lblWifiVersion, r, 0);
    g->addWidget(txtWifiVersion, r++, 1);
    g->setColumnStretch(1, 1);
    auto* v = new QVBoxLayout(tabsWifi);
    v->addWidget(gpbWIFISetting);
    v->addStretch(1);
}

void T_frmParaSet_V52::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (FShown)
        return;
    FShown = true;
    FormShow();
}

// ---- show ---------------------------------------------------------------------------------------

void T_frmParaSet_V52::FormShow()
{
    const TV52RoleLists& lists = CurrentV52RoleLists();
    TV52Inputs in;
    in.Cur = PrtBasName;
    in.Listed = PrtDefName;
    in.WithBtList = ReadParameterSetNow(QStringLiteral("V52_WithBT"));
    in.PermissionCodePage = PermissionValue(QStringLiteral("0142020002"));
    in.ReleaseSupported = ReleasePaperSupported() == 1;
    FLayout = V52LayoutFor(lists, in);
    // 1-2. Density and speed items.
    KfSetItems(cmbDensity, FLayout.DensityItems);
    KfSetItems(cmbPrintSpeed, FLayout.SpeedItems);
    // 3. Form state.
    FOp = static_cast<uint8_t>(gKeyFrameOpByte);
    FReleaseTipFlag = true;
    PagecA->setCurrentIndex(0);
    // 4. Rows.
    LayoutRows();
    // 5. Captions and lists.
    InitLanguage();
    ApplyFormFont(this);
    // 6. Pages.
    PagecA->setTabVisible(PagecA->indexOf(tabsUserParaB), false);
    PagecA->setTabVisible(PagecA->indexOf(tabsEthernet), FLayout.Ethernet);
    lblNetSwitch->setVisible(FLayout.Ethernet);
    cmbNetSwitch->setVisible(FLayout.Ethernet);
    PagecA->setTabVisible(PagecA->indexOf(tabsWifi), FLayout.Wifi);
    btnWifiSTA_WifiName_Scan->setVisible(FLayout.Scan);
    lblWifiVersion->setVisible(FLayout.Scan);
    txtWifiVersion->setVisible(FLayout.Scan);
    // 7. Bluetooth.
    PagecA->setTabVisible(PagecA->indexOf(tabsUserParaBt), FLayout.BluetoothPage);
    // 8. Speed range.
    SetSpeedRange();
    // 9.
    ReadParam();
}

void T_frmParaSet_V52::LayoutRows()
{
    FRows = std::make_unique<TObj_Ult_PrtParaManage>();
    const auto row = [this](const char* key, std::initializer_list<QWidget*> controls, bool visible) {
        auto* g = new TObj_Ult_PrtPara();
        g->Name = KfText(QString::fromLatin1(key));
        g->Height = kRowHeight;
        g->Visible = visible;
        for (QWidget* c : controls)
            g->AddControl(c);
        FRows->AddGroup(g);
    };
    row("Lang_All_00210095_11", {lblDensity, cmbDensity}, true);
    row("Lang_All_00210093_11", {lblDetectMode, cmbDetectMode}, true);
    row("Lang_All_00210096_11", {lblPrintSpeed, cmbPrintSpeed}, FLayout.SpeedRow);
    row("FormParaSet_W16_lblPrintToStop", {lblPrintToStop, txtPrintToStop, Label16}, true);
    row("Lang_All_00210024_11", {lblReleasePaper, cmbReleasePaper, txtSupport_ReleasePaper}, FLayout.ReleaseRows);
    row("Lang_All_00210024_11", {txtTip_ReleasePaper}, FLayout.ReleaseRows);
    row("Lang_All_00210218_11", {edtlbl_Codepage, cmbCodepage}, FLayout.CodePageRow);
    row("FormParaSet_ZR_lblProtocol", {lblProtocol, cmbProtocol}, FLayout.ProtocolRow);
    row("lblLanague", {lblLanague, cmbLanague}, FLayout.LanguageRow);
    row("FormParaSet_W7X_gpbReprintWhenError", {lblRepeatPrint, cmbRepeatPrint}, FLayout.RepeatPrintRow);
    row("lblBoxPosition", {lblBoxPosition, cmbBoxPosition}, FLayout.BoxPositionRow);
    row("FormParaSet_W7X_lblHeatAdj", {lblFinetuneHeatingTime, cmbFinetuneHeatingTime}, FLayout.FineTuneRow);
    int bottom = 0;
    FRows->Arrange(12, bottom);
    if (IsDebugMode())
        return;  // the design-time size stays
    const int pageHeight = FLayout.Wifi ? 400 : std::max(bottom + 40, 260);
    const int width = kExtraX + kExtraW + 40;
    PagecA->setGeometry(6, 6, width, pageHeight);
    pnlTool->setGeometry(6, PagecA->geometry().bottom() + 7, width, 32);
    setFixedSize(width + 12, pnlTool->geometry().bottom() + 7);
}

void T_frmParaSet_V52::InitLanguage()
{
    setWindowTitle(KfText("_ParaSet"));
    PagecA->setTabText(PagecA->indexOf(tabsUserParaA), KfText("FormParaSet_V52_tabsUserParaA"));
    PagecA->setTabText(PagecA->indexOf(tabsUserParaBt), KfText("_BTSet"));
    PagecA->setTabText(PagecA->indexOf(tabsEthernet), KfText("FormParaSet_260_gpbEthernetSetting"));
    PagecA->setTabText(PagecA->indexOf(tabsWifi), KfText("lblWifiSetting"));
    // print settings
    lblDensity->setText(KfText("FormParaSet_W16_lblDensity"));
    lblDetectMode->setText(KfText("FormParaSet_V64_lblDetectMode"));
    lblPrintToStop->setText(KfText("FormParaSet_W16_lblPrintToStop"));
    Label16->setText(QStringLiteral("(-10 - 10)"));
    lblPrintSpeed->setText(KfText("FormParaSet_W7X_lblPrintSpeed"));
    lblFinetuneHeatingTime->setText(KfText("FormParaSet_W7X_lblHeatAdj"));
    lblBoxPosition->setText(KfText("lblBoxPosition"));
    lblRepeatPrint->setText(KfText("lblRepeatPrint"));
    lblProtocol->setText(KfText("FormParaSet_ZR_lblProtocol"));
    lblLanague->setText(KfText("lblLanague"));
    lblReleasePaper->setText(KfText("Lang_All_00210024_11"));
    edtlbl_Codepage->setText(KfText("Lang_All_00210218_11"));
    // Bluetooth
    gpbBT->setTitle(KfText("_BTSet"));
    lblBTName->setText(KfText("_BTName"));
    lblBTNameLen->setText(KfText("FormParaSet_Z12_lblBTNameLen"));
    lblBTPWD->setText(KfText("_BTPWD"));
    lblBTPWDLen->setText(KfText("FormParaSet_260_lblBTPWDLen"));
    chkSimplePairing->setText(KfText("FormParaSet_Z12_chkSimplePairing"));
    // Ethernet
    gpbEthernetSetting->setTitle(KfText("FormParaSet_260_gpbEthernetSetting"));
    lblDHCP->setText(KfText("FormParaSet_260_lblDHCP"));
    lblIPAddress->setText(KfText("FormParaSet_260_lblIPAddress"));
    lblSubnet->setText(KfText("FormParaSet_260_lblSubnet"));
    lblDefautGateway->setText(KfText("FormParaSet_260_lblDefautGateway"));
    lblNetSwitch->setText(KfText("FormParaSet_W7X_lblEthernetSwitch"));
    lblMac->setText(KfText("lblWMAC"));
    // Wi-Fi
    gpbWIFISetting->setTitle(KfText("lblWifiSetting"));
    lblWName->setText(KfText("lblWName"));
    btnWifiSTA_WifiName_Scan->setText(KfText("lblWifiFiScanner"));
    lblWPWD->setText(KfText("lblWPWD"));
    lblWifiMode->setText(KfText("lblWiifiMode"));
    lblWifiDhcp->setText(KfText("FormParaSet_260_lblDHCP"));
    lblWIP->setText(KfText("FormParaSet_260_lblIPAddress"));
    lblWSN->setText(KfText("FormParaSet_260_lblSubnet"));
    lblWGate->setText(KfText("FormParaSet_260_lblDefautGateway"));
    lblWMAC->setText(KfText("lblWMAC"));
    lblWifiAP_PwdNeeded->setText(KfText("lblWifiAP_PwdNeeded"));
    lblWSwitch->setText(KfText("lblWSwitch"));
    lblWifiVersion->setText(KfText("lblWifiVersion"));
    btnSet->setText(KfText("_Set"));
    btnClose->setText(KfText("_Close"));

    // Detection mode: two items for some models, three for the others.
    QStringList detect = {KfText("FormParaSet_V64_cmbDetectMode_Item1"), KfText("FormParaSet_V64_cmbDetectMode_Item2")};
    if (!FLayout.DetectTwoItems)
        detect << KfText("FormParaSet_V64_cmbDetectMode_Item3");
    KfSetItems(cmbDetectMode, detect);
    KfSetItems(cmbBoxPosition, {KfText("lblBoxPosition_Item1"), KfText("lblBoxPosition_Item2"),
                                KfText("lblBoxPosition_Item3")});
    FillReleasePaperList(&FReleaseList);
    FReleaseTipFlag = false;
    KfSetItems(cmbReleasePaper, TextsOfList(FReleaseList));
    FReleaseTipFlag = true;
    FillHeatingTimeList(&FHeatingList);
    KfSetItems(cmbFinetuneHeatingTime, TextsOfList(FHeatingList));
    FillCodePageList(&FCodePageList);
    KfSetItems(cmbCodepage, TextsOfList(FCodePageList));
    FillPrinterLanguageList(&FLanguageList);
    KfSetItems(cmbLanague, TextsOfList(FLanguageList));
    FillRepeatPrintList(&FRepeatList);
    KfSetItems(cmbRepeatPrint, TextsOfList(FRepeatList));
    FillDhcpList(&FDhcpList);
    KfSetItems(cmbDHCP, TextsOfList(FDhcpList));
    FillProtocolList(&FProtocolList);
    KfSetItems(cmbProtocol, TextsOfList(FProtocolList));
    FillWifiApPwdList(&FApPwdList);
    KfSetItems(cmbWifiAP_PwdNeeded, TextsOfList(FApPwdList));
    txtSupport_ReleasePaper->setVisible(false);
}

void T_frmParaSet_V52::SetSpeedRange()
{
    const TV52RoleLists& lists = CurrentV52RoleLists();
    FSpeed = V52SpeedRangeByLists(lists, PrtBasName, PrtDefName, V64COneModels,
                                  PermissionValue(QStringLiteral("0123000053")));
    if (FSpeed.AskPrinter) {
        // A port the main window left open counts as open here too (no error box for it).
        if (!KfOpenPort()) {
            CmdKeyClosePort();
            return;
        }
        const QString hi = CmdGetVal(QByteArrayLiteral("\"max_speed\""));
        const QString lo = CmdGetVal(QByteArrayLiteral("\"min_speed\""));
        V52ApplyPrinterSpeeds(FSpeed, lo, hi);
        CmdKeyClosePort();
    }
    if (FSpeed.MaxSettled)
        KfSetItems(cmbPrintSpeed, paraset::NumberItems(FSpeed.Min, FSpeed.Max));
}

// ---- read ---------------------------------------------------------------------------------------

TKfControl T_frmParaSet_V52::Parts(QWidget* owner, QLineEdit* const* edits, int n)
{
    QList<QLineEdit*> list;
    for (int i = 0; i < n; ++i)
        list << edits[i];
    return KfParts(owner ? owner : edits[0], list);
}

void T_frmParaSet_V52::Drain()
{
    if (!FLayout.Drain)
        return;
    uint8_t buf[512];
    uint32_t count = 0;
    CmdKeyReadDataEOF(buf, 0, sizeof buf, 0, 0, &count);
}

bool T_frmParaSet_V52::ReadRow(uint16_t id, const TKfControl& c, bool canFail)
{
    if (FFailed)
        return false;
    bool replied = false;
    KfReadInto(RowOf(id), FOp, c, *FFilled, &replied);
    if (!replied && canFail)
        FFailed = true;
    return replied;
}

QString T_frmParaSet_V52::ModeText() const
{
    return cmbWifiMode->currentIndex() < 0 ? QString() : cmbWifiMode->currentText();
}

void T_frmParaSet_V52::ReadParam()
{
    FFailed = false;
    if (!KfOpenPort())
        return;
    Drain();
    if (FLayout.Bluetooth) {
        ReadRow(0x68, KfEdit(txtBTName), false);
        ReadRow(0x69, KfEdit(txtBTPWD), false);
        ReadRow(0x6a, KfCheck(chkSimplePairing));
    }
    ReadRow(0xce, KfCombo(cmbDetectMode));
    if (FLayout.BoxPositionRow)
        ReadRow(0xf1, KfCombo(cmbBoxPosition));
    ReadRow(0xcb, KfCombo(cmbDensity));
    if (FLayout.SpeedRow)
        ReadRow(0xca, KfCombo(cmbPrintSpeed));
    if (FLayout.FineTuneRow)
        ReadRow(0xf0, KfCombo(cmbFinetuneHeatingTime));
    if (FLayout.Wifi && !FFailed) {
        ReadRow(0x78, KfCombo(cmbWifiMode));
        ReadRow(0x82, KfCombo(cmbWifiDhcp));
        cmbWifiDhcpChange();
        ReadRow(0x84, KfCombo(cmbWSwitch));
        if (FLayout.Scan && !FFailed) {
            EnsurePrinterObject();
            txtWifiVersion->setText(CmdKeyGetVal(QByteArrayLiteral("\"wifi_version\"")));
        }
        ReadRow(0x93, Parts(nullptr, txtWMAC, 6), false);
        ReadRow(0x79, KfCombo(cmbWifiAP_PwdNeeded, &FApPwdList));
        const QString mode = ModeText();
        const TKfControl name = KfCombo(cmbWifiSTA_WifiName);
        if (mode == QLatin1String("STA")) {
            if (ReadRow(0x7c, name, false))
                FLastNetName = cmbWifiSTA_WifiName->currentText();
            ReadRow(0x7d, KfEdit(txtWPWD), false);
            ReadRow(0x81, Parts(FWipOwner, txtWIP, 4), false);
            ReadRow(0x86, Parts(FWsnOwner, txtWSN, 4), false);
            ReadRow(0x85, Parts(FWgateOwner, txtWGate, 4), false);
        } else if (mode == QLatin1String("AP")) {
            btnWifiSTA_WifiName_Scan->setVisible(false);
            if (ReadRow(0x7a, name, false))
                FLastNetName = cmbWifiSTA_WifiName->currentText();
            ReadRow(0x7b, KfEdit(txtWPWD), false);
            ReadRow(0x80, Parts(FWipOwner, txtWIP, 4), false);
            ReadRow(FLayout.ApAddress ? 0x86 : 0x9b, Parts(FWsnOwner, txtWSN, 4), false);
            ReadRow(FLayout.ApAddress ? 0x85 : 0x9a, Parts(FWgateOwner, txtWGate, 4), false);
        }
    }
    if (FLayout.ProtocolRow)
        ReadRow(0x138, KfCombo(cmbProtocol, &FProtocolList));
    if (FLayout.LanguageRow)
        ReadRow(0x12c, KfCombo(cmbLanague, &FLanguageList));
    if (FLayout.RepeatPrintRow)
        ReadRow(0xec, KfCombo(cmbRepeatPrint, &FRepeatList));
    if (FLayout.Ethernet) {
        ReadRow(0x83, KfCombo(cmbNetSwitch));
        ReadRow(0x64, KfCombo(cmbDHCP, &FDhcpList));
        cmbDHCPChange();
        ReadRow(0x65, Parts(FIpOwner, txtIP, 4));
        ReadRow(0x66, Parts(FSubnetOwner, txtSubnet, 4));
        ReadRow(0x67, Parts(FGatewayOwner, txtGateway, 4));
        ReadRow(0x71, Parts(nullptr, txtMac, 6), false);
    }
    ReadRow(0xd0, KfEdit(txtPrintToStop));
    if (!FFailed && FLayout.ReleaseRead) {
        FReleaseTipFlag = false;
        bool replied = false;
        KfReadInto(RowOf(0x1a0), FOp, KfCombo(cmbReleasePaper, &FReleaseList), *FFilled, &replied);
        RefreshReleaseTip();
        FReleaseTipFlag = true;
        if (!replied)
            KfInfoBox(KfTemplate(QStringLiteral("Lang_All_00010011_11"), {KfText("Lang_All_00210024_11")}));
    }
    if (FLayout.CodePage)
        ReadRow(0x142, KfCombo(cmbCodepage, &FCodePageList));
    if (FFailed) {
        KfErrorBox(KfText("_Err_ReadData"));
        btnSet->setEnabled(false);
    }
}

// ---- write --------------------------------------------------------------------------------------

bool T_frmParaSet_V52::ValidateBeforeWrite()
{
    // A value shown as the printer gave it goes back byte for byte: the checks of typed
    // input are not asked of it (the password length rule still is).
    const auto asRead = [&](const TKfControl& c) { return KfAsRead(c, *FFilled); };
    if (FLayout.Bluetooth) {
        const QString pwd = txtBTPWD->text().trimmed();
        if (pwd.size() != 4 ||
            (!asRead(KfEdit(txtBTPWD)) && !paraset::TextPasses(paraset::TKeyFilter::BTPassword, pwd))) {
            KfErrorBox(KfText("_Err_BTPWD_Len"));
            return false;
        }
        if (FFilled->Has(txtBTName) && !asRead(KfEdit(txtBTName))) {
            const QString name = txtBTName->text().trimmed();
            if (name.isEmpty()) {
                KfErrorBox(lblBTName->text() + KfText("notEmpty"));
                return false;
            }
            if (name.toLatin1().size() > 12 || !paraset::TextPasses(paraset::TKeyFilter::BTName, name)) {
                KfErrorBox(lblBTName->text() + QStringLiteral(" ") + lblBTNameLen->text());
                return false;
            }
        }
    }
    if (FFilled->Has(txtPrintToStop) && !asRead(KfEdit(txtPrintToStop))) {
        int n = 0;
        if (!KfParseInt(txtPrintToStop->text(), n) || n < -10 || n > 10) {
            KfInfoBox(KfTemplate(QStringLiteral("Lang_All_00010021_11"),
                                 {lblPrintToStop->text(), QStringLiteral("-10"), QStringLiteral("10")}));
            return false;
        }
    }
    const auto octets = [&](QLineEdit* const* edits, QWidget* owner, QLabel* caption) {
        if (!FFilled->Has(owner))
            return true;
        QStringList parts;
        for (int i = 0; i < 4; ++i)
            parts << edits[i]->text().trimmed();
        if (parts.contains(QString()))
            return true;  // an incomplete group is not written
        QByteArray bytes;
        if (KfOctetsOfTexts(parts, bytes))
            return true;
        KfInfoBox(KfTemplate(QStringLiteral("Lang_All_00010021_11"),
                             {caption->text(), QStringLiteral("0"), QStringLiteral("255")}));
        return false;
    };
    if (FLayout.Wifi) {
        const bool nameAsRead = asRead(KfCombo(cmbWifiSTA_WifiName));
        const QString name = nameAsRead ? cmbWifiSTA_WifiName->currentText()
                                        : cmbWifiSTA_WifiName->currentText().trimmed();
        if (name.isEmpty()) {
            KfErrorBox(lblWName->text() + KfText("notEmpty"));
            return false;
        }
        if ((!nameAsRead && name.toUtf8().size() > 32) ||
            (!asRead(KfEdit(txtWPWD)) && txtWPWD->text().trimmed().toUtf8().size() > 32)) {
            KfErrorBox(lblWName->text() + QStringLiteral(" / ") + lblWPWD->text() + QStringLiteral(": 1-32"));
            return false;
        }
        if (!octets(txtWIP, FWipOwner, lblWIP) || !octets(txtWSN, FWsnOwner, lblWSN) ||
            !octets(txtWGate, FWgateOwner, lblWGate))
            return false;
    }
    if (FLayout.Ethernet &&
        (!octets(txtIP, FIpOwner, lblIPAddress) || !octets(txtSubnet, FSubnetOwner, lblSubnet) ||
         !octets(txtGateway, FGatewayOwner, lblDefautGateway)))
        return false;
    return true;
}

int T_frmParaSet_V52::WriteRow(uint16_t id, const TKfControl& c)
{
    const TKeyFrameRow& row = RowOf(id);
    return KfWriteFrom(row, KfOpByte(row.WriteOp, FOp), c, *FFilled);
}

bool T_frmParaSet_V52::WriteAddress(uint16_t id, QLineEdit* const* edits, QWidget* owner, bool& failed)
{
    for (int i = 0; i < 4; ++i)
        if (edits[i]->text().trimmed().isEmpty())
            return false;
    if (WriteRow(id, Parts(owner, edits, 4)) < 0)
        failed = true;
    return true;
}

void T_frmParaSet_V52::ReplacePrintSetting()
{
    if (!ValidateBeforeWrite())
        return;
    if (!KfOpenPort()) {
        close();
        return;
    }
    Drain();
    bool failed = false;  // a required write failed: the pass ends
    const auto w = [&](uint16_t id, const TKfControl& c) {
        if (!failed && WriteRow(id, c) < 0)
            failed = true;
    };
    if (FLayout.Bluetooth) {
        w(0x68, KfEdit(txtBTName));
        w(0x69, KfEdit(txtBTPWD));
        w(0x6a, KfCheck(chkSimplePairing));
    }
    w(0xce, KfCombo(cmbDetectMode));
    w(0xcb, KfCombo(cmbDensity));
    if (FLayout.BoxPositionRow)
        w(0xf1, KfCombo(cmbBoxPosition));
    if (FLayout.SpeedRow)
        w(0xca, KfCombo(cmbPrintSpeed));
    w(0xd0, KfEdit(txtPrintToStop));
    if (FLayout.FineTuneRow)
        w(0xf0, KfCombo(cmbFinetuneHeatingTime));
    if (FLayout.Wifi && !failed) {
        w(0x78, KfCombo(cmbWifiMode));
        w(0x82, KfCombo(cmbWifiDhcp));
        w(0x84, KfCombo(cmbWSwitch));
        w(0x79, KfCombo(cmbWifiAP_PwdNeeded, &FApPwdList));
        const QString mode = ModeText();
        const bool fixed = cmbWifiDhcp->currentText() == QLatin1String("OFF") && cmbWifiDhcp->currentIndex() >= 0;
        const TKfControl name = KfCombo(cmbWifiSTA_WifiName);
        if (mode == QLatin1String("STA")) {
            w(0x7c, name);
            w(0x7d, KfEdit(txtWPWD));
            if (fixed && !failed) {
                WriteAddress(0x81, txtWIP, FWipOwner, failed);
                WriteAddress(0x86, txtWSN, FWsnOwner, failed);
                WriteAddress(0x85, txtWGate, FWgateOwner, failed);
            }
        } else if (mode == QLatin1String("AP")) {
            w(0x7a, name);
            w(0x7b, KfEdit(txtWPWD));
            if (fixed && !failed) {
                WriteAddress(0x80, txtWIP, FWipOwner, failed);
                WriteAddress(FLayout.ApAddress ? 0x86 : 0x9b, txtWSN, FWsnOwner, failed);
                WriteAddress(FLayout.ApAddress ? 0x85 : 0x9a, txtWGate, FWgateOwner, failed);
            }
        }
    }
    if (FLayout.ProtocolRow)
        w(0x138, KfCombo(cmbProtocol, &FProtocolList));
    if (FLayout.LanguageRow)
        w(0x12c, KfCombo(cmbLanague, &FLanguageList));
    if (FLayout.RepeatPrintRow)
        w(0xec, KfCombo(cmbRepeatPrint, &FRepeatList));
    if (FLayout.Ethernet && !failed) {
        w(0x83, KfCombo(cmbNetSwitch));
        w(0x64, KfCombo(cmbDHCP, &FDhcpList));
        if (cmbDHCP->currentText() == QLatin1String("OFF") && !failed) {
            WriteAddress(0x65, txtIP, FIpOwner, failed);
            WriteAddress(0x66, txtSubnet, FSubnetOwner, failed);
            WriteAddress(0x67, txtGateway, FGatewayOwner, failed);
        }
    }
    if (failed) {
        CmdKeyClosePort();
        KfErrorBox(KfText("_Err_ParaSet"));
        close();
        return;
    }
    if (FLayout.ReleaseRead && WriteRow(0x1a0, KfCombo(cmbReleasePaper, &FReleaseList)) < 0) {
        KfInfoBox(KfTemplate(QStringLiteral("Lang_All_00010013_11"), {KfText("Lang_All_00210024_11")}));
        failed = true;
    }
    if (FLayout.CodePage)
        w(0x142, KfCombo(cmbCodepage, &FCodePageList));
    // Nothing is saved unless the printer took every frame: a failed write anywhere, or a
    // link that no longer answers after the last frame, ends the pass here.
    const uint8_t checkOp = KfOpByte(RowOf(0xcb).ReadOp, FOp);
    if (!failed && !KfLinkHeld(checkOp, 0xcb))
        failed = true;
    if (failed) {
        CmdKeyClosePort();
        KfErrorBox(KfText("_Err_ParaSet"));
        close();
        return;
    }
    // The save goes out on a connection of its own; it counts only when that connection
    // still answers after it. Not saved: the printer is not reset either (a reset would
    // bring the old settings back).
    if (!KfDoHeld(QByteArrayLiteral("\"save_param_zone\""), checkOp, 0xcb)) {
        KfErrorBox(KfText("_Err_ParaSet"));
        close();
        return;
    }
    bool resetFailed = false;
    if (!FLayout.ApAddress) {
        EnsurePrinterObject();
        CmdKeyOpenAndDrain();
        resetFailed = KfDo(QByteArrayLiteral("\"reset_printer\""));
        CmdKeyClosePort();
    }
    if (resetFailed)
        KfErrorBox(KfText("_Err_ParaSet"));
    else
        KfInfoBox(KfText("_ParaSet_OK"));
    close();
}

void T_frmParaSet_V52::btnSetClick()
{
    ReplacePrintSetting();
}

void T_frmParaSet_V52::btnCloseClick()
{
    close();
}

void T_frmParaSet_V52::timer1Timer()
{
    close();
}

// ---- network scan -----------------------------------------------------------------------------

void T_frmParaSet_V52::btnWifiSTA_WifiName_ScanClick()
{
    TDevNewPrt* conn = GetKesaVar() ? GetKesaVar()->GetDevNewPrt() : nullptr;
    if (!conn) {
        KfErrorBox(PortResultMessage(KfText("_Err_OpenPort"), prt::sdk::PRT_E_NO_OBJECT));
        return;
    }
    EnsurePrinterObject();
    if (!conn->GetDevice())
        conn->CreateDevice(GetCurrentProtocolNo());
    conn->PortString = GetCurrentPortString();
    if (!conn->OpenWithMessage())
        return;
    SetBusyCursor(this);
    SetBusyCursor(btnWifiSTA_WifiName_Scan);
    // Nothing else may start while the printer scans.
    btnSet->setEnabled(false);
    btnClose->setEnabled(false);
    btnWifiSTA_WifiName_Scan->setEnabled(false);
    const bool setWasEnabled = !FFailed;

    conn->ReadLoop();
    conn->SendCommandEx(false, QByteArrayLiteral("\"wifi_scan\""));
    ScanWait(3000);
    QByteArray buffer(2048, '\0');
    uint32_t count = 0;
    TDevBasePrt* dev = conn->GetDevice();
    const auto readOnce = [&] {
        buffer.fill('\0');
        count = 0;
        if (dev)
            dev->ReadDataEOF(reinterpret_cast<uint8_t*>(buffer.data()), 0, 2048, 0, 0, &count);
    };
    readOnce();
    const uint32_t start = ScanTick();
    while (count == 0 && TickSpan(start, ScanTick()) <= 6000) {
        ScanWait(10);
        readOnce();
    }
    bool ok = false;
    const QStringList names = V52ParseScanReply(buffer.left(static_cast<int>(count)), &ok);
    if (ok) {
        if (IsDebugMode())
            ShowInfoBox(QStringLiteral("Len____x:") + QString::number(count));
        const QString shown = cmbWifiSTA_WifiName->currentText();
        const QSignalBlocker block(cmbWifiSTA_WifiName);
        cmbWifiSTA_WifiName->clear();
        cmbWifiSTA_WifiName->addItems(names);
        if (!shown.isEmpty()) {
            int i = cmbWifiSTA_WifiName->findText(shown, Qt::MatchExactly);
            if (i < 0) {
                cmbWifiSTA_WifiName->addItem(shown);
                i = cmbWifiSTA_WifiName->count() - 1;
            }
            cmbWifiSTA_WifiName->setCurrentIndex(i);
        } else {
            cmbWifiSTA_WifiName->setCurrentIndex(-1);
        }
    }
    conn->Close();
    SetDefaultCursor(this);
    SetDefaultCursor(btnWifiSTA_WifiName_Scan);
    btnSet->setEnabled(setWasEnabled);
    btnClose->setEnabled(true);
    btnWifiSTA_WifiName_Scan->setEnabled(true);
}

// ---- change handlers and filters ---------------------------------------------------------------

void T_frmParaSet_V52::cmbDHCPChange()
{
    // Item 0 is "ON" (the printer takes its address by DHCP): the address edits are free
    // only for a fixed address.
    const bool fixed = cmbDHCP->currentIndex() > 0;
    for (QLineEdit* const* group : {txtIP, txtSubnet, txtGateway})
        for (int i = 0; i < 4; ++i)
            group[i]->setEnabled(fixed);
}

void T_frmParaSet_V52::cmbWifiDhcpChange()
{
    const bool fixed = cmbWifiDhcp->currentText() == QLatin1String("OFF") && cmbWifiDhcp->currentIndex() >= 0;
    for (QLineEdit* const* group : {txtWIP, txtWSN, txtWGate})
        for (int i = 0; i < 4; ++i)
            group[i]->setEnabled(fixed);
}

void T_frmParaSet_V52::cmbWifiModeChange()
{
    btnWifiSTA_WifiName_Scan->setVisible(FLayout.Scan && ModeText() == QLatin1String("STA"));
}

void T_frmParaSet_V52::RefreshReleaseTip()
{
    txtTip_ReleasePaper->clear();
    const int index = cmbReleasePaper->currentIndex();
    if (index < 0)
        return;
    int value = 0;
    if (!KfListValueOfText(&FReleaseList, cmbReleasePaper->currentText(), value))
        return;
    const QString head = KfText("Lang_All_00210024_11") + KfText("Lang_All_00010002_11");
    if (index > 0)
        txtTip_ReleasePaper->setText(head + KfTemplate(QStringLiteral("Lang_All_00210027_11"),
                                                       {cmbReleasePaper->currentText()}));
    else
        txtTip_ReleasePaper->setText(head + KfText("Lang_All_00210026_11"));
}

void T_frmParaSet_V52::cmbReleasePaperChange()
{
    if (FReleaseTipFlag)
        RefreshReleaseTip();
}

void T_frmParaSet_V52::CheckValue(QLineEdit* edit)
{
    const QString t = edit->text().trimmed();
    if (t.isEmpty()) {
        edit->setText(QStringLiteral("0"));
        return;
    }
    int n = 0;
    if (edit == txtPrintToStop && KfParseInt(t, n)) {
        if (n > 10)
            edit->setText(QStringLiteral("10"));
        else if (n < -10)
            edit->setText(QStringLiteral("-10"));
    }
}
