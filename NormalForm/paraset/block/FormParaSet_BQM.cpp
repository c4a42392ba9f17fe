#include "FormParaSet_BQM.h"

#include "mdlCurrentPrinter.h"
#include "mdlParaBlockCodecsBCDE.h"
#include "mdlParaBlockLayoutBCDE.h"
#include "mdlParaSetRows.h"
#include "mdlParaSetWidgets.h"
#include "mdlParamValues.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterLib_TSPL.h"
#include "mdlPrinterTypeList.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace pararows;

T_frmParaSet_BQM::T_frmParaSet_BQM(QWidget* parent) : TParaSetForm(parent)
{
    setObjectName(QStringLiteral("frmParaSet_BQM"));
    Build();
}

void T_frmParaSet_BQM::Build()
{
    auto* top = new QVBoxLayout(this);

    gpbCOMPortSet = NewGroup(this, "gpbCOMPortSet");
    auto* com = new QGridLayout(gpbCOMPortSet);
    lblBaudRate = NewLabel(gpbCOMPortSet, "lblBaudRate");
    cmbBaudRate = NewCombo(gpbCOMPortSet, "cmbBaudRate", paraset::BaudRateItems());
    AddRow(com, 0, lblBaudRate, cmbBaudRate);
    top->addWidget(gpbCOMPortSet);

    gpbLanguage = NewGroup(this, "gpbLanguage");
    auto* lang = new QGridLayout(gpbLanguage);
    lblInternationalCharacter = NewLabel(gpbLanguage, "lblInternationalCharacter");
    cmbInternationalCharacter = NewCombo(gpbLanguage, "cmbInternationalCharacter", paraset::IntlCharsetItems());
    AddRow(lang, 0, lblInternationalCharacter, cmbInternationalCharacter);
    lblCodepage = NewLabel(gpbLanguage, "lblCodepage");
    cmbCodepage = NewCombo(gpbLanguage, "cmbCodepage");
    AddRow(lang, 1, lblCodepage, cmbCodepage);
    top->addWidget(gpbLanguage);

    gpbPrinterConfig = NewGroup(this, "gpbPrinterConfig");
    auto* cfg = new QGridLayout(gpbPrinterConfig);
    QWidget* g = gpbPrinterConfig;
    int row = 0;
    lblDensity = NewLabel(g, "lblDensity");
    cmbDensity = NewCombo(g, "cmbDensity", paraset::NumberItems(0, 15));
    AddRow(cfg, row++, lblDensity, cmbDensity);
    lblJudgePaperMode = NewLabel(g, "lblJudgePaperMode");
    cmbJudgePaperMode = NewCombo(g, "cmbJudgePaperMode", {QString(), QString(), QString(), QString()});
    AddRow(cfg, row++, lblJudgePaperMode, cmbJudgePaperMode);
    lblProtocolType = NewLabel(g, "lblProtocolType");
    cmbProtocolType = NewCombo(g, "cmbProtocolType", {QStringLiteral("ESC Protocol"), QStringLiteral("TSC Protocol")});
    AddRow(cfg, row++, lblProtocolType, cmbProtocolType);
    auto lengthRow = [&](QLabel*& label, const char* labelName, QLineEdit*& edit, const char* editName,
                         const char* unitName) {
        label = NewLabel(g, labelName);
        edit = NewEdit(g, editName);
        AddRow(cfg, row++, label, edit, NewLabel(g, unitName, QStringLiteral("(38-400)mm")));
        RegisterNumberEdit(edit, 3, paraset::TValueRange{38, 400});
    };
    lengthRow(lblMarkMaxLength, "lblMarkMaxLength", txtMarkMaxLength, "txtMarkMaxLength", "lblMarkMaxLengthRange");
    lengthRow(lblLabelMinLength, "lblLabelMinLength", txtLabelMinLength, "txtLabelMinLength", "lblLabelMinLengthRange");
    lengthRow(lblLabelMaxLength, "lblLabelMaxLength", txtLabelMaxLength, "txtLabelMaxLength", "lblLabelMaxLengthRange");
    lblValleyThresholdRate = NewLabel(g, "lblValleyThresholdRate");
    txtValleyThresholdRate = NewEdit(g, "txtValleyThresholdRate");
    AddRow(cfg, row++, lblValleyThresholdRate, txtValleyThresholdRate,
           NewLabel(g, "lblValleyThresholdRateRange", QStringLiteral("(0-100)")));
    RegisterNumberEdit(txtValleyThresholdRate, 3, paraset::TValueRange{0, 100});
    lblVoltageBetweenLabelGap = NewLabel(g, "lblVoltageBetweenLabelGap");
    txtVoltageBetweenLabelGap = NewEdit(g, "txtVoltageBetweenLabelGap");
    AddRow(cfg, row++, lblVoltageBetweenLabelGap, txtVoltageBetweenLabelGap,
           NewLabel(g, "lblVoltageBetweenLabelGapRange", QStringLiteral("(0-3.3) V")));
    // Digits and one ".", typed or pasted; three characters when typing.
    RegisterFilteredEdit(txtVoltageBetweenLabelGap, paraset::TKeyFilter::Decimal, 3);
    connect(txtVoltageBetweenLabelGap, &QLineEdit::editingFinished, this, [this] { CheckVoltage(); });
    lblHeatAdj = NewLabel(g, "lblHeatAdj");
    cmbHeatAdj = NewCombo(g, "cmbHeatAdj", paraset::HeatItems());
    AddRow(cfg, row++, lblHeatAdj, cmbHeatAdj);
    lblPrintSpeed = NewLabel(g, "lblPrintSpeed");
    cmbPrintSpeed = NewCombo(g, "cmbPrintSpeed");
    AddRow(cfg, row++, lblPrintSpeed, cmbPrintSpeed);
    top->addWidget(gpbPrinterConfig);

    gpbAutoPosition = new TRadioGroup(QStringLiteral("gpbAutoPosition"), this);
    top->addWidget(gpbAutoPosition);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSet);
    buttons->addWidget(btnClose);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);
}

void T_frmParaSet_BQM::InitLanguage()
{
    const auto cap = SetCaptionKey;
    cap(gpbCOMPortSet, "FormParaSet_BQM_gpbCOMPortSet");
    cap(lblBaudRate, "FormParaSet_BQM_lblBaudRate");
    cap(gpbAutoPosition, "FormParaSet_BQM_gpbAutoPosition");
    SetEnableItems(gpbAutoPosition);
    cap(gpbLanguage, "FormParaSet_BQM_gpbLanguage");
    cap(lblInternationalCharacter, "FormParaSet_BQM_lblInternationalCharacter");
    cap(lblCodepage, "FormParaSet_BQM_lblCodepage");
    cap(gpbPrinterConfig, "FormParaSet_BQM_gpbPrinterConfig");
    cap(lblDensity, "FormParaSet_BQM_lblDensity");
    cap(lblJudgePaperMode, "FormParaSet_BQM_lblJudgePaperMode");
    // Byte 59 is the item index; byte 58 follows from it on every write.
    SetComboItems(cmbJudgePaperMode, {Word(QStringLiteral("_PaperType_Auto")), Word(QStringLiteral("_PaperType_Label")),
                                      Word(QStringLiteral("_PaperType_Receipt")),
                                      Word(QStringLiteral("_PaperType_BlackMark"))});
    cap(lblProtocolType, "FormParaSet_BQM_lblProtocolType");
    cap(lblMarkMaxLength, "FormParaSet_BQM_lblMarkMaxLength");
    cap(lblLabelMinLength, "FormParaSet_BQM_lblLabelMinLength");
    cap(lblLabelMaxLength, "FormParaSet_BQM_lblLabelMaxLength");
    cap(lblValleyThresholdRate, "FormParaSet_BQM_lblValleyThresholdRate");
    cap(lblVoltageBetweenLabelGap, "FormParaSet_BQM_lblVoltageBetweenLabelGap");
    cap(lblHeatAdj, "FormParaSet_W7X_lblHeatAdj");
    cap(lblPrintSpeed, "FormParaSet_W7X_lblPrintSpeed");
}

void T_frmParaSet_BQM::PrepareLists()
{
    FillCodePageCombo(cmbCodepage, QString());
    FillPrintSpeedList(cmbPrintSpeed, PrtBasName);
}

void T_frmParaSet_BQM::ApplyModelRules()
{
    // Chinese-only models have no language group; bytes 55 and 56 still go back from the
    // hidden lists.
    if (paraset::ModelCommaInList(PrtBasName, ParameterSetValue(QStringLiteral("OnlyChinese"))))
        gpbLanguage->hide();
}

bool T_frmParaSet_BQM::ReadParameters(QString& result)
{
    // The protocol probe neither opens nor closes: open the port first, so a printer of
    // two languages is really asked. Its answer becomes the current protocol and SDK kind,
    // which picks the block request ("ZZZCR" for 1, 12 62 otherwise).
    EnsurePrinterObject();
    EnsureTsplPrinterObject();
    const int32_t code = TsplOpenPort(GetCurrentPortString());
    if (code == 0 || code == 5) {
        const int32_t protocol = DetectPrinterProtocol();
        SetCurrentProtocolNo(protocol);
        SetPrinterSdkKind(protocol);
    }
    return TParaSetForm::ReadParameters(result);
}

void T_frmParaSet_BQM::CheckVoltage()
{
    const QString text = ClampVoltageText(txtVoltageBetweenLabelGap->text());
    if (text != txtVoltageBetweenLabelGap->text())
        txtVoltageBetweenLabelGap->setText(text);
}

void T_frmParaSet_BQM::SplitSetting()
{
    SplitFields(FieldsFor(LayoutC(), QStringLiteral("BQM")), Block(), this);
    txtVoltageBetweenLabelGap->setText(ReadVoltage(Block()));
    QStringList speeds;
    for (int i = 0; i < cmbPrintSpeed->count(); ++i)
        speeds << cmbPrintSpeed->itemText(i);
    cmbPrintSpeed->setCurrentIndex(SpeedItemByText(speeds, Block()[92]));
}

void T_frmParaSet_BQM::ReplacePrintSetting()
{
    ReplaceFields(FieldsFor(LayoutC(), QStringLiteral("BQM")), Block(), this);
    WritePaperKindC(Block(), cmbJudgePaperMode->currentIndex());
    // A keyboard Set does not leave the edit: the clamp applies first.
    CheckVoltage();
    WriteVoltage(Block(), txtVoltageBetweenLabelGap->text());
    const int speed = cmbPrintSpeed->currentIndex();
    Block()[92] = SpeedByteFromText(speed >= 0 ? cmbPrintSpeed->currentText() : QString(), Block()[92]);
}
