#include "FormParaSet_V64.h"

#include "PubBytes.h"
#include "mdlCurrentPrinter.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlParaBlockLayoutBCDE.h"
#include "mdlParaSetRows.h"
#include "mdlParaSetWidgets.h"
#include "mdlParamValues.h"
#include "mdlPrinterTypeList.h"
#include "mdlPub_Obj_Ult_PrtPara.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>

using namespace pararows;

namespace {

// Design-time geometry of the rows in pnlA.
constexpr int kLabelX = 12, kLabelW = 200, kCtrlX = 216, kCtrlW = 150, kEditW = 60, kUnitX = 372, kUnitW = 96;
constexpr int kRowH = 26, kRowStep = 32, kPanelW = 480;

void Place(QWidget* w, int x, int y, int width, int height)
{
    w->setGeometry(x, y, width, height);
}

bool SingleOemModel()
{
    return IsInCommaList(PrtDefName, SingleOemModels);
}

bool SingleOemModel2()
{
    return IsInCommaList(PrtDefName, SingleOemModels2);
}

} // namespace

T_frmParaSet_V64::T_frmParaSet_V64(QWidget* parent) : TParaSetForm(parent)
{
    setObjectName(QStringLiteral("frmParaSet_V64"));
    Build();
    // Creation: manager, rows, captions; nothing is sent.
    InitFormData();
    InitLayout();
    InitLanguage();
}

T_frmParaSet_V64::~T_frmParaSet_V64()
{
    FreeFormData();
}

bool T_frmParaSet_V64::V64HasBluetooth()
{
    if (IsInCommaList(PrtBasName, ReadParameterSetNow(QStringLiteral("V64WithBT"))))
        return true;
    return IsInCommaList(PrtDefName, OemBluetoothModels);
}

void T_frmParaSet_V64::Build()
{
    pagecA = new QTabWidget(this);
    pagecA->setObjectName(QStringLiteral("pagecA"));
    tabsA = new QWidget;
    tabsA->setObjectName(QStringLiteral("tabsA"));
    tabsB = new QWidget;
    tabsB->setObjectName(QStringLiteral("tabsB"));
    pagecA->addTab(tabsA, QString());
    pagecA->addTab(tabsB, QString());

    pnlA = new QWidget(tabsA);
    pnlA->setObjectName(QStringLiteral("pnlA"));
    QWidget* p = pnlA;

    gpbBT = NewGroup(p, "gpbBT");
    lblBTName = NewLabel(gpbBT, "lblBTName");
    txtBTName = NewEdit(gpbBT, "txtBTName");
    lblBTNameLen = NewLabel(gpbBT, "lblBTNameLen");
    lblBTPWD = NewLabel(gpbBT, "lblBTPWD");
    txtBTPWD = NewEdit(gpbBT, "txtBTPWD");
    lblBTPWDLen = NewLabel(gpbBT, "lblBTPWDLen");
    chkSimplePairing = new QCheckBox(gpbBT);
    chkSimplePairing->setObjectName(QStringLiteral("chkSimplePairing"));
    Place(lblBTName, 8, 24, 140, kRowH);
    Place(txtBTName, 150, 24, 150, kRowH);
    Place(lblBTNameLen, 306, 24, 160, kRowH);
    Place(lblBTPWD, 8, 56, 140, kRowH);
    Place(txtBTPWD, 150, 56, 150, kRowH);
    Place(lblBTPWDLen, 306, 56, 160, kRowH);
    Place(chkSimplePairing, 8, 88, 300, kRowH);
    lblBTName->setBuddy(txtBTName);
    lblBTPWD->setBuddy(txtBTPWD);
    RegisterFilteredEdit(txtBTName, paraset::TKeyFilter::BTName, 10);
    RegisterFilteredEdit(txtBTPWD, paraset::TKeyFilter::BTName, 4);
    Place(gpbBT, 4, 4, kPanelW - 8, 120);

    int top = 130;
    auto comboRow = [&](QLabel*& label, const char* labelName, QComboBox*& combo, const char* comboName,
                        const QStringList& items) {
        label = NewLabel(p, labelName);
        combo = NewCombo(p, comboName, items);
        Place(label, kLabelX, top, kLabelW, kRowH);
        Place(combo, kCtrlX, top, kCtrlW, kRowH);
        label->setBuddy(combo);
        top += kRowStep;
    };
    auto editRow = [&](QLabel*& label, const char* labelName, QLineEdit*& edit, const char* editName, QLabel*& unit,
                       const char* unitName, const QString& unitText) {
        label = NewLabel(p, labelName);
        edit = NewEdit(p, editName);
        unit = NewLabel(p, unitName, unitText);
        Place(label, kLabelX, top, kLabelW, kRowH);
        Place(edit, kCtrlX, top, kEditW, kRowH);
        Place(unit, kCtrlX + kEditW + 6, top, kUnitW + kUnitX - kCtrlX - kEditW, kRowH);
        label->setBuddy(edit);
        top += kRowStep;
    };
    comboRow(lblDensity, "lblDensity", cmbDensity, "cmbDensity", paraset::NumberItems(0, 15));
    comboRow(lblHeatAdj, "lblHeatAdj", cmbHeatAdj, "cmbHeatAdj", paraset::HeatItems());
    comboRow(lblDetectMode, "lblDetectMode", cmbDetectMode, "cmbDetectMode", {QString(), QString(), QString()});
    comboRow(lblPrintSpeed, "lblPrintSpeed", cmbPrintSpeed, "cmbPrintSpeed", {});
    comboRow(lblCodepage, "lblCodepage", cmbCodepage, "cmbCodepage", {});
    editRow(lblVOrigin, "lblVOrigin", txtVOrigin, "txtVOrigin", Label8, "Label8", QStringLiteral("(0-89)"));
    editRow(lblHOrigin, "lblHOrigin", txtHOrigin, "txtHOrigin", Label4, "Label4", QStringLiteral("(0-89)"));
    editRow(lblStopPrint1, "lblStopPrint1", txtStopPrint, "txtStopPrint", lblStopPrint2, "lblStopPrint2", QString());
    gpbReprintWhenError = new TRadioGroup(QStringLiteral("gpbReprintWhenError"), p);
    Place(gpbReprintWhenError, 4, top, kPanelW - 8, 52);
    top += 52 + 6;
    gpbPrintReprint = new TRadioGroup(QStringLiteral("gpbPrintReprint"), p);
    Place(gpbPrintReprint, 4, top, kPanelW - 8, 52);
    top += 52 + 6;

    pnlTool = new QWidget(p);
    pnlTool->setObjectName(QStringLiteral("pnlTool"));
    Place(pnlTool, 4, top, kPanelW - 8, 40);
    btnSet->setParent(pnlTool);
    btnClose->setParent(pnlTool);
    Place(btnSet, kPanelW - 8 - 2 * 100 - 12, 6, 100, 30);
    Place(btnClose, kPanelW - 8 - 100 - 4, 6, 100, 30);
    top += 40 + 6;

    Place(pnlA, 8, 8, kPanelW, top);

    pnlB = new QWidget(tabsB);
    pnlB->setObjectName(QStringLiteral("pnlB"));
    lblPrintToStop = NewLabel(pnlB, "lblPrintToStop");
    txtPrintToStop = NewEdit(pnlB, "txtPrintToStop");
    Label16 = NewLabel(pnlB, "Label16", QStringLiteral("(0-89)"));
    Place(lblPrintToStop, kLabelX, 8, kLabelW, kRowH);
    Place(txtPrintToStop, kCtrlX, 8, kEditW, kRowH);
    Place(Label16, kCtrlX + kEditW + 6, 8, kUnitW, kRowH);
    lblPrintToStop->setBuddy(txtPrintToStop);
    Place(pnlB, 8, 8, kPanelW, 60);

    for (QLineEdit* e : {txtVOrigin, txtHOrigin, txtPrintToStop})
        RegisterNumberEdit(e, 2, paraset::TValueRange{0, 89});
    RegisterNumberEdit(txtStopPrint, 3, paraset::TValueRange{0, 255});
    connect(cmbDetectMode, &QComboBox::currentIndexChanged, this, [this] { cmbDetectModeChange(); });

    // Design-time size: every row at its place.
    const int tabStrip = 25;
    Place(pagecA, 0, 0, 2 * pnlA->x() + pnlA->width(), tabStrip + pnlA->y() + pnlA->height() + 8);
    setFixedSize(pagecA->width(), pagecA->y() + pagecA->height());
}

void T_frmParaSet_V64::InitFormData()
{
    if (!FManage)
        FManage = std::make_unique<TObj_Ult_PrtParaManage>();
}

void T_frmParaSet_V64::FreeFormData()
{
    FManage.reset();
}

void T_frmParaSet_V64::InitLayout()
{
    ApplyModelLayout();
    if (!IsDebugMode())
        AdjustFormSize();
}

void T_frmParaSet_V64::ApplyModelLayout()
{
    FManage->ClearGroups();
    const bool single = SingleOemModel();
    auto add = [this](const QString& name, QWidget* sizer, std::initializer_list<QWidget*> controls, bool visible) {
        auto* g = new TObj_Ult_PrtPara;
        g->Name = name;
        g->Height = sizer->height();
        for (QWidget* c : controls)
            g->AddControl(c);
        g->Visible = visible;
        FManage->AddGroup(g);
    };
    add(QStringLiteral("Bluetooth"), gpbBT, {gpbBT}, V64HasBluetooth());
    add(QStringLiteral("Density"), cmbDensity, {lblDensity, cmbDensity}, true);
    add(QStringLiteral("Heat"), cmbHeatAdj, {lblHeatAdj, cmbHeatAdj}, true);
    add(QStringLiteral("DetectMode"), cmbDetectMode, {lblDetectMode, cmbDetectMode}, true);
    add(QStringLiteral("Speed"), cmbPrintSpeed, {lblPrintSpeed, cmbPrintSpeed}, true);
    add(QStringLiteral("Codepage"), cmbCodepage, {lblCodepage, cmbCodepage}, !single);
    add(QStringLiteral("VOrigin"), txtVOrigin, {lblVOrigin, txtVOrigin, Label8}, !single);
    add(QStringLiteral("HOrigin"), txtHOrigin, {lblHOrigin, txtHOrigin, Label4}, !single);
    add(QStringLiteral("StopPrint"), txtStopPrint, {lblStopPrint1, txtStopPrint, lblStopPrint2}, !single);
    add(QStringLiteral("ReprintWhenError"), gpbReprintWhenError, {gpbReprintWhenError}, !single);
    add(QStringLiteral("PrintReprint"), gpbPrintReprint, {gpbPrintReprint}, !SingleOemModel2());
    add(QStringLiteral("Tool"), pnlTool, {pnlTool}, true);
}

void T_frmParaSet_V64::AdjustFormSize()
{
    int bottom = 0;
    FManage->Arrange(gpbBT->y(), bottom);
    const int clientWidth = 2 * pnlA->x() + pnlA->width();
    pnlA->resize(pnlA->width(), bottom);
    pagecA->setGeometry(pagecA->x(), pagecA->y(), clientWidth, 25 + pnlA->y() + pnlA->height());
    setFixedSize(clientWidth, pagecA->y() + pagecA->height());
}

void T_frmParaSet_V64::InitLanguage()
{
    const auto cap = SetCaptionKey;
    setWindowTitle(Word(QStringLiteral("_ParaSet")));
    pagecA->setTabText(0, Word(QStringLiteral("_ParaSet")));
    pagecA->setTabText(1, Word(QStringLiteral("_ParaSet")));
    pagecA->setTabVisible(1, false);
    gpbBT->setTitle(Word(QStringLiteral("_BTSet")));
    lblBTName->setText(Word(QStringLiteral("_BTName")));
    lblBTPWD->setText(Word(QStringLiteral("_BTPWD")));
    cap(lblBTNameLen, "FormParaSet_Z12_lblBTNameLen");
    cap(lblBTPWDLen, "FormParaSet_260_lblBTPWDLen");
    cap(chkSimplePairing, "FormParaSet_Z12_chkSimplePairing");
    cap(lblDensity, "FormParaSet_W16_lblDensity");
    cap(lblCodepage, "FormParaSet_W16_lblCodepage");
    cap(lblDetectMode, "FormParaSet_V64_lblDetectMode");
    SetComboItems(cmbDetectMode, {Caption(QStringLiteral("FormParaSet_V64_cmbDetectMode_Item1")),
                                  Caption(QStringLiteral("FormParaSet_V64_cmbDetectMode_Item2")),
                                  Caption(QStringLiteral("FormParaSet_V64_cmbDetectMode_Item3"))});
    cap(gpbReprintWhenError, "FormParaSet_W16_gpbReprintWhenError");
    SetEnableItems(gpbReprintWhenError);
    cap(gpbPrintReprint, "FormParaSet_W16_gpbPrintReprint");
    SetEnableItems(gpbPrintReprint);
    cap(lblPrintToStop, "FormParaSet_W16_lblPrintToStop");
    cap(lblVOrigin, "FormParaSet_W16_lblVOrigin");
    cap(lblHOrigin, "FormParaSet_W16_lblHOrigin");
    cap(lblHeatAdj, "FormParaSet_W7X_lblHeatAdj");
    cap(lblPrintSpeed, "FormParaSet_W7X_lblPrintSpeed");
    cap(lblStopPrint1, "FormParaSet_W16_lblStopPrint1");
    cap(lblStopPrint2, "FormParaSet_W16_lblStopPrint2");
}

void T_frmParaSet_V64::PrepareLists()
{
    FillCodePageCombo(cmbCodepage, QString());
    FillPrintSpeedList(cmbPrintSpeed,
                       IsInCommaList(PrtDefName, SpeedListExceptionModels) ? PrtDefName : PrtBasName);
}

void T_frmParaSet_V64::ApplyModelRules()
{
    FBluetooth = V64HasBluetooth();
}

QList<int> T_frmParaSet_V64::SkippedBytes() const
{
    QList<int> skipped;
    if (SingleOemModel())
        skipped << 76;
    if (SingleOemModel2())
        skipped << 80;
    return skipped;
}

void T_frmParaSet_V64::cmbDetectModeChange()
{
    bool enabled = cmbDetectMode->currentIndex() != 0;
    if (IsInCommaList(PrtBasName, ReadParameterSetNow(QStringLiteral("ReprintDisenable"))))
        enabled = false;
    gpbReprintWhenError->setEnabled(enabled);
    gpbPrintReprint->setEnabled(enabled);
}

namespace {

TBlockLayout V64Fields(bool bluetooth, const QList<int>& skipped)
{
    TBlockLayout fields =
        FieldsFor(LayoutB(), QStringLiteral("V64"), [bluetooth](TRowGate g) { return g == TRowGate::Bluetooth && bluetooth; });
    std::erase_if(fields, [&](const TBlockField& f) { return skipped.contains(f.Pos); });
    return fields;
}

} // namespace

void T_frmParaSet_V64::SplitSetting()
{
    SplitFields(V64Fields(FBluetooth, SkippedBytes()), Block(), this);
    cmbDetectModeChange();
    for (QWidget* w : std::initializer_list<QWidget*>{gpbBT, txtBTName, lblBTName, lblBTNameLen, txtBTPWD, lblBTPWD,
                                                       lblBTPWDLen, chkSimplePairing})
        w->setEnabled(FBluetooth);
}

void T_frmParaSet_V64::ReplacePrintSetting()
{
    ReplaceFields(V64Fields(FBluetooth, SkippedBytes()), Block(), this);
}
