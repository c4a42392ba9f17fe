#include "FormParaSet_W16.h"

#include "mdlCurrentPrinter.h"
#include "mdlParaBlockLayoutBCDE.h"
#include "mdlParaSetRows.h"
#include "mdlParaSetWidgets.h"
#include "mdlParamValues.h"
#include "mdlPrinterTypeList.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace pararows;

T_frmParaSet_W16::T_frmParaSet_W16(QWidget* parent) : T_frmParaSet_W16(false, parent) {}

T_frmParaSet_W16::T_frmParaSet_W16(bool vuzivaz, QWidget* parent) : TParaSetForm(parent), FVuzivaz(vuzivaz)
{
    setObjectName(vuzivaz ? QStringLiteral("frmParaSet_W16_Vuzivaz") : QStringLiteral("frmParaSet_W16"));
    Build();
}

void T_frmParaSet_W16::Build()
{
    auto* grid = new QGridLayout;
    int row = 0;
    lblBaudRate = NewLabel(this, "lblBaudRate");
    cmbBaudRate = NewCombo(this, "cmbBaudRate", paraset::BaudRateItems());
    AddRow(grid, row++, lblBaudRate, cmbBaudRate);
    lblDensity = NewLabel(this, "lblDensity");
    // W16 keeps its empty sixth item: a stored 5 shows it and goes back as 5.
    cmbDensity = NewCombo(this, "cmbDensity",
                          FVuzivaz ? paraset::NumberItems(0, 15) : QStringList{"1", "2", "3", "4", "5", ""});
    AddRow(grid, row++, lblDensity, cmbDensity);
    lblCodepage = NewLabel(this, "lblCodepage");
    cmbCodepage = NewCombo(this, "cmbCodepage");
    AddRow(grid, row++, lblCodepage, cmbCodepage);
    lblBuzzerSound = NewLabel(this, "lblBuzzerSound");
    cmbBuzzerSound = NewCombo(this, "cmbBuzzerSound", paraset::NumberItems(0, 3));
    AddRow(grid, row++, lblBuzzerSound, cmbBuzzerSound);
    lblBackLight = NewLabel(this, "lblBackLight");
    cmbBackLight = NewCombo(this, "cmbBackLight", paraset::NumberItems(0, 3));
    AddRow(grid, row++, lblBackLight, cmbBackLight);
    lblSenserLoaction = NewLabel(this, "lblSenserLoaction");
    cmbSenserLoaction = NewCombo(this, "cmbSenserLoaction", {QString(), QString()});
    AddRow(grid, row++, lblSenserLoaction, cmbSenserLoaction);
    if (FVuzivaz) {
        lblPrintSpeed = NewLabel(this, "lblPrintSpeed");
        cmbPrintSpeed = NewCombo(this, "cmbPrintSpeed");
        AddRow(grid, row++, lblPrintSpeed, cmbPrintSpeed);
        lblHeatAdj = NewLabel(this, "lblHeatAdj");
        cmbHeatAdj = NewCombo(this, "cmbHeatAdj", paraset::HeatItems());
        AddRow(grid, row++, lblHeatAdj, cmbHeatAdj);
    }
    lblVOrigin = NewLabel(this, "lblVOrigin");
    txtVOrigin = NewEdit(this, "txtVOrigin");
    Label8 = NewLabel(this, "Label8", QStringLiteral("(0-89)"));
    AddRow(grid, row++, lblVOrigin, txtVOrigin, Label8);
    lblHOrigin = NewLabel(this, "lblHOrigin");
    txtHOrigin = NewEdit(this, "txtHOrigin");
    Label4 = NewLabel(this, "Label4", QStringLiteral("(0-89)"));
    AddRow(grid, row++, lblHOrigin, txtHOrigin, Label4);
    lblPrintToStop = NewLabel(this, "lblPrintToStop");
    txtPrintToStop = NewEdit(this, "txtPrintToStop");
    Label16 = NewLabel(this, "Label16", QStringLiteral("(0-89)"));
    AddRow(grid, row++, lblPrintToStop, txtPrintToStop, Label16);
    lblStopPrint1 = NewLabel(this, "lblStopPrint1");
    txtStopPrint = NewEdit(this, "txtStopPrint");
    lblStopPrint2 = NewLabel(this, "lblStopPrint2");
    AddRow(grid, row++, lblStopPrint1, txtStopPrint, lblStopPrint2);

    for (QLineEdit* e : {txtVOrigin, txtHOrigin, txtPrintToStop})
        RegisterNumberEdit(e, 2, paraset::TValueRange{0, 89});
    RegisterNumberEdit(txtStopPrint, 3, paraset::TValueRange{0, 255});

    gpbReprintWhenError = new TRadioGroup(QStringLiteral("gpbReprintWhenError"), this);
    gpbPrintReprint = new TRadioGroup(QStringLiteral("gpbPrintReprint"), this);
    auto* radios = new QHBoxLayout;
    radios->addWidget(gpbReprintWhenError);
    radios->addWidget(gpbPrintReprint);
    if (FVuzivaz) {
        RadioGroup1 = new TRadioGroup(QStringLiteral("RadioGroup1"), this);
        radios->addWidget(RadioGroup1);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSet);
    buttons->addWidget(btnClose);

    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addLayout(radios);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);
}

void T_frmParaSet_W16::InitLanguage()
{
    setWindowTitle(Caption(FVuzivaz ? QStringLiteral("_ParaSet") : QStringLiteral("KESA_ParaSet")));
    const auto cap = SetCaptionKey;
    cap(lblBaudRate, "FormParaSet_W16_lblBaudRate");
    cap(lblDensity, "FormParaSet_W16_lblDensity");
    cap(lblCodepage, "FormParaSet_W16_lblCodepage");
    cap(lblBuzzerSound, "FormParaSet_W16_lblBuzzerSound");
    cap(lblBackLight, "FormParaSet_W16_lblBackLight");
    cap(lblSenserLoaction, "FormParaSet_W16_lblSenserLoaction");
    cmbSenserLoaction->setItemText(0, Caption(QStringLiteral("FormParaSet_W16_cmbSenserLoaction_Item1")));
    cmbSenserLoaction->setItemText(1, Caption(QStringLiteral("FormParaSet_W16_cmbSenserLoaction_Item2")));
    cap(gpbReprintWhenError, "FormParaSet_W16_gpbReprintWhenError");
    SetEnableItems(gpbReprintWhenError);
    cap(gpbPrintReprint, "FormParaSet_W16_gpbPrintReprint");
    SetEnableItems(gpbPrintReprint);
    cap(lblPrintToStop, "FormParaSet_W16_lblPrintToStop");
    cap(lblVOrigin, "FormParaSet_W16_lblVOrigin");
    cap(lblHOrigin, "FormParaSet_W16_lblHOrigin");
    cap(lblStopPrint1, "FormParaSet_W16_lblStopPrint1");
    cap(lblStopPrint2, "FormParaSet_W16_lblStopPrint2");
    if (FVuzivaz) {
        cap(lblHeatAdj, "FormParaSet_W7X_lblHeatAdj");
        cap(lblPrintSpeed, "FormParaSet_W7X_lblPrintSpeed");
        cap(RadioGroup1, "FormParaSet_W16_gpbPowerProtect");
        SetEnableItems(RadioGroup1);
    }
}

void T_frmParaSet_W16::PrepareLists()
{
    FillCodePageCombo(cmbCodepage, QString());
    if (cmbPrintSpeed)
        FillPrintSpeedList(cmbPrintSpeed, PrtBasName);
}

void T_frmParaSet_W16::ApplyModelRules()
{
    // Models of the Chinese-only list keep their code page: the list is shown but locked.
    const bool onlyChinese = paraset::ModelCommaInList(PrtBasName, ParameterSetValue(QStringLiteral("OnlyChinese")));
    cmbCodepage->setEnabled(!onlyChinese);
    lblCodepage->setEnabled(!onlyChinese);
}

void T_frmParaSet_W16::SplitSetting()
{
    SplitFields(FieldsFor(LayoutB(), FormCode()), Block(), this);
}

void T_frmParaSet_W16::ReplacePrintSetting()
{
    ReplaceFields(FieldsFor(LayoutB(), FormCode()), Block(), this);
}
