#include "FormParaSet_UZ650B.h"

#include "CMD_Key.h"
#include "PrinterCMD.h"
#include "mdlModelCatalog.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPubFunc.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

template <typename T>
T* Named(T* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

const uint16_t kByteRows[] = {0xd1, 0xce, 0xcb, 0xca, 0x195};     // read order
const uint16_t kWriteOrder[] = {0x68, 0x69, 0xce, 0xcb, 0xca, 0xd1, 0x195};

} // namespace

T_frmParaSet_UZ650B::T_frmParaSet_UZ650B(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("T_frmParaSet_UZ650B"));
    FFilled = new TKfFilled(this);

    gpbBT = Named(new QGroupBox(this), "gpbBT");
    lblBTName = Named(new QLabel(gpbBT), "lblBTName");
    txtBTName = Named(new QLineEdit(gpbBT), "txtBTName");
    lblBTNameLen = Named(new QLabel(gpbBT), "lblBTNameLen");
    lblBTPWD = Named(new QLabel(gpbBT), "lblBTPWD");
    txtBTPWD = Named(new QLineEdit(gpbBT), "txtBTPWD");
    lblBTPWDLen = Named(new QLabel(gpbBT), "lblBTPWDLen");
    auto* bt = new QGridLayout(gpbBT);
    bt->addWidget(lblBTName, 0, 0);
    bt->addWidget(txtBTName, 0, 1);
    bt->addWidget(lblBTNameLen, 0, 2);
    bt->addWidget(lblBTPWD, 1, 0);
    bt->addWidget(txtBTPWD, 1, 1);
    bt->addWidget(lblBTPWDLen, 1, 2);

    gpbAutoPosition = Named(new QGroupBox(this), "gpbAutoPosition");
    rbAutoPosition0 = Named(new QRadioButton(gpbAutoPosition), "rbAutoPosition0");
    rbAutoPosition1 = Named(new QRadioButton(gpbAutoPosition), "rbAutoPosition1");
    grpAutoPosition = new QButtonGroup(this);
    grpAutoPosition->addButton(rbAutoPosition0, 0);
    grpAutoPosition->addButton(rbAutoPosition1, 1);
    auto* ap = new QHBoxLayout(gpbAutoPosition);
    ap->addWidget(rbAutoPosition0);
    ap->addWidget(rbAutoPosition1);

    gpbOther = Named(new QGroupBox(this), "gpbOther");
    lblJudgePaperMode = Named(new QLabel(gpbOther), "lblJudgePaperMode");
    cmbJudgePaperMode = Named(new QComboBox(gpbOther), "cmbJudgePaperMode");
    lblPrintSpeed = Named(new QLabel(gpbOther), "lblPrintSpeed");
    cmbPrintSpeed = Named(new QComboBox(gpbOther), "cmbPrintSpeed");
    KfSetItems(cmbPrintSpeed, {"2", "3", "4"});
    lblDensity = Named(new QLabel(gpbOther), "lblDensity");
    cmbDensity = Named(new QComboBox(gpbOther), "cmbDensity");
    QStringList density;
    for (int i = 0; i <= 15; ++i)
        density << QString::number(i);
    KfSetItems(cmbDensity, density);
    lblProtocolType = Named(new QLabel(gpbOther), "lblProtocolType");
    cmbProtocolType = Named(new QComboBox(gpbOther), "cmbProtocolType");
    KfSetItems(cmbProtocolType, {"ESC Protocol", "TSC Protocol"});
    auto* other = new QGridLayout(gpbOther);
    other->addWidget(lblJudgePaperMode, 0, 0);
    other->addWidget(cmbJudgePaperMode, 0, 1);
    other->addWidget(lblPrintSpeed, 1, 0);
    other->addWidget(cmbPrintSpeed, 1, 1);
    other->addWidget(lblDensity, 2, 0);
    other->addWidget(cmbDensity, 2, 1);
    other->addWidget(lblProtocolType, 3, 0);
    other->addWidget(cmbProtocolType, 3, 1);
    other->setColumnStretch(1, 1);

    btnSet = Named(new QPushButton(this), "btnSet");
    btnClose = Named(new QPushButton(this), "btnClose");
    btnSet->setAutoDefault(false);
    btnClose->setAutoDefault(false);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(btnSet);
    buttons->addWidget(btnClose);

    auto* main = new QVBoxLayout(this);
    main->addWidget(gpbBT);
    main->addWidget(gpbAutoPosition);
    main->addWidget(gpbOther);
    main->addLayout(buttons);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    Timer1->setSingleShot(true);

    FFilled->Watch(txtBTName);
    FFilled->Watch(txtBTPWD);
    FFilled->Watch(grpAutoPosition, gpbAutoPosition);
    FFilled->Watch(cmbJudgePaperMode);
    FFilled->Watch(cmbPrintSpeed);
    FFilled->Watch(cmbDensity);
    FFilled->Watch(cmbProtocolType);
    KfInstallKeyFilter(txtBTName, paraset::TKeyFilter::BTName, 12);     // CheckImportBTN
    KfInstallKeyFilter(txtBTPWD, paraset::TKeyFilter::BTPassword, 4);   // CheckImportBTP

    connect(btnSet, &QPushButton::clicked, this, &T_frmParaSet_UZ650B::btnSetClick);
    connect(btnClose, &QPushButton::clicked, this, &T_frmParaSet_UZ650B::btnCloseClick);
    connect(Timer1, &QTimer::timeout, this, &T_frmParaSet_UZ650B::Timer1Timer);
}

void T_frmParaSet_UZ650B::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (FShown)
        return;
    FShown = true;
    FormShow();
}

void T_frmParaSet_UZ650B::InitLanguage()
{
    setWindowTitle(KfText("_ParaSet"));
    gpbBT->setTitle(KfText("_BTSet"));
    lblBTNameLen->setText(KfText("FormParaSet_Z12_lblBTNameLen"));
    lblBTName->setText(KfText("_BTName"));
    lblBTPWD->setText(KfText("_BTPWD"));
    lblBTPWDLen->setText(KfText("FormParaSet_260_lblBTPWDLen"));
    lblProtocolType->setText(KfText("FormParaSet_BQM_lblProtocolType"));
    lblDensity->setText(KfText("FormParaSet_260_lblDensity"));
    gpbAutoPosition->setTitle(KfText("FormParaSet_260_gpbAutoPosition"));
    rbAutoPosition0->setText(KfText("_Disable"));
    rbAutoPosition1->setText(KfText("_Enable"));
    gpbOther->setTitle(KfText("FormParaSet_260_gpbOther"));
    lblJudgePaperMode->setText(KfText("FormParaSet_260_lblJudgePaperMode"));
    // Index = the printer's value: receipt 0, black mark 1, label 2.
    KfSetItems(cmbJudgePaperMode, {KfText("_PaperType_Receipt"), KfText("_PaperType_BlackMark"),
                                   KfText("_PaperType_Label")});
    lblPrintSpeed->setText(KfText("FormParaSet_W7X_lblPrintSpeed"));
    btnSet->setText(KfText("_Set"));
    btnClose->setText(KfText("_Close"));
}

void T_frmParaSet_UZ650B::FormShow()
{
    InitLanguage();
    ApplyFormFont(this);
    layout()->activate();
    adjustSize();  // the captions are known only now
    const int created = TsplCreateGlobalPrinter(GetMainDefaultModelName());
    if (created != 0) {
        KfErrorBox(KfText("_Err_CreatePrinter") + QStringLiteral(":") + QString::number(created));
        return;
    }
    const int opened = TsplOpenPort(GetCurrentPortString());
    if (opened != 0) {
        KfErrorBox(PortResultMessage(KfText("_Err_OpenPort"), opened));
        return;
    }
    ki3vhe8v();
}

TKfControl T_frmParaSet_UZ650B::ControlOf(uint16_t id)
{
    switch (id) {
    case 0x68: return KfEdit(txtBTName);
    case 0x69: return KfEdit(txtBTPWD);
    case 0xca: return KfCombo(cmbPrintSpeed);
    case 0xcb: return KfCombo(cmbDensity);
    case 0xce: return KfCombo(cmbJudgePaperMode);
    case 0xd1: return KfRadio(grpAutoPosition, gpbAutoPosition);
    default: return KfCombo(cmbProtocolType);
    }
}

void T_frmParaSet_UZ650B::ki3vhe8v()
{
    if (!KfOpenPort())
        return;
    KfReadInto(*FindKeyFrameRow(KF_UZ650B, 0x68), 1, ControlOf(0x68), *FFilled);
    KfReadInto(*FindKeyFrameRow(KF_UZ650B, 0x69), 1, ControlOf(0x69), *FFilled);
    for (uint16_t id : kByteRows) {
        bool replied = false;
        KfReadInto(*FindKeyFrameRow(KF_UZ650B, id), 1, ControlOf(id), *FFilled, &replied);
        if (!replied) {
            KfErrorBox(KfText("_Err_ReadData"));
            Timer1->start();
            return;
        }
    }
}

void T_frmParaSet_UZ650B::btnSetClick()
{
    // A name or PIN shown as the printer gave it goes back byte for byte: the checks of
    // typed input are not asked of it (the PIN length rule still is).
    const bool checkName = FFilled->Has(txtBTName) && !KfAsRead(ControlOf(0x68), *FFilled);
    const bool writePin = FFilled->Has(txtBTPWD);
    const bool pinAsRead = KfAsRead(ControlOf(0x69), *FFilled);
    const QString name = txtBTName->text().trimmed();
    const QString pin = txtBTPWD->text().trimmed();
    if (writePin &&
        (pin.size() != 4 || (!pinAsRead && !paraset::TextPasses(paraset::TKeyFilter::BTPassword, pin)))) {
        KfErrorBox(KfText("_Err_BTPWD_Len"));
        return;
    }
    if (checkName && name.isEmpty()) {
        KfErrorBox(lblBTName->text() + KfText("notEmpty"));
        return;
    }
    if (checkName && (name.toLatin1().size() > 12 || !paraset::TextPasses(paraset::TKeyFilter::BTName, name))) {
        KfErrorBox(lblBTName->text() + QStringLiteral(" ") + lblBTNameLen->text());
        return;
    }
    if (!KfOpenPort())
        return;
    bool failed = false;
    for (uint16_t id : kWriteOrder) {
        if (KfWriteFrom(*FindKeyFrameRow(KF_UZ650B, id), 1, ControlOf(id), *FFilled) < 0) {
            failed = true;
            break;
        }
    }
    // A frame written into a connection the printer has dropped "succeeds" locally: the
    // printer must still answer after the last one.
    if (!failed && !KfLinkHeld(1, 0xcb))
        failed = true;
    if (failed)
        KfErrorBox(KfText("_Err_ParaSet"));
    else
        KfInfoBox(KfText("_ParaSet_OK"));
    CmdKeyClosePort();
    close();
}

void T_frmParaSet_UZ650B::btnCloseClick()
{
    close();
}

void T_frmParaSet_UZ650B::Timer1Timer()
{
    close();
}
