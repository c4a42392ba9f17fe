#include "FormParaSet_W7X.h"

#include "mdlCurrentPrinter.h"
#include "mdlParaBlockCodecsBCDE.h"
#include "mdlParaBlockLayoutBCDE.h"
#include "mdlParaSetRows.h"
#include "mdlParaSetWidgets.h"
#include "mdlParamValues.h"
#include "mdlPrinterTypeList.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace pararows;

T_frmParaSet_W7X::T_frmParaSet_W7X(QWidget* parent) : T_frmParaSet_W7X(TVariant::W7X, parent) {}

T_frmParaSet_W7X::T_frmParaSet_W7X(TVariant variant, QWidget* parent) : TParaSetForm(parent), FVariant(variant)
{
    switch (variant) {
    case TVariant::W7X: setObjectName(QStringLiteral("frmParaSet_W7X")); break;
    case TVariant::Vuzivaz: setObjectName(QStringLiteral("frmParaSet_W7X_Vuzivaz")); break;
    case TVariant::ZR905K: setObjectName(QStringLiteral("frmParaSet_W7X_ZR905K")); break;
    }
    Build();
}

QString T_frmParaSet_W7X::FormCode() const
{
    switch (FVariant) {
    case TVariant::Vuzivaz: return QStringLiteral("W7XV");
    case TVariant::ZR905K: return QStringLiteral("ZR905K");
    default: return QStringLiteral("W7X");
    }
}

void T_frmParaSet_W7X::Build()
{
    auto* top = new QVBoxLayout(this);

    if (HasEthernet()) {
        gpbEthernetSetting = NewGroup(this, "gpbEthernetSetting");
        auto* grid = new QGridLayout(gpbEthernetSetting);
        lblDHCP = NewLabel(gpbEthernetSetting, "lblDHCP");
        cmbDHCP = NewCombo(gpbEthernetSetting, "cmbDHCP", {QString(), QString()});
        AddRow(grid, 0, lblDHCP, cmbDHCP);
        auto octets = [&](int row, QLabel*& label, const char* labelName, const char* prefix, QList<QLineEdit*>& edits) {
            label = NewLabel(gpbEthernetSetting, labelName);
            auto* line = new QHBoxLayout;
            for (int i = 1; i <= 4; ++i) {
                const QByteArray name = QByteArray(prefix) + QByteArray::number(i);
                QLineEdit* e = NewEdit(gpbEthernetSetting, name.constData(), 40);
                e->setMaximumWidth(56);
                // No clamp: Set refuses an octet above 255.
                RegisterNumberEdit(e, 3);
                edits << e;
                line->addWidget(e);
                if (i < 4)
                    line->addWidget(new QLabel(QStringLiteral("."), gpbEthernetSetting));
            }
            grid->addWidget(label, row, 0);
            label->setBuddy(edits.first());
            grid->addLayout(line, row, 1, 1, 2);
        };
        octets(1, lblIPAddress, "lblIPAddress", "txtIP", txtIP);
        octets(2, lblSubnet, "lblSubnet", "txtSubnet", txtSubnet);
        octets(3, lblDefautGateway, "lblDefautGateway", "txtGateway", txtGateway);
        connect(cmbDHCP, &QComboBox::currentIndexChanged, this, [this] { cmbDHCPChange(); });
        top->addWidget(gpbEthernetSetting);
    }

    gpbAutoPosition = new TRadioGroup(QStringLiteral("gpbAutoPosition"), this);
    gpbReprintWhenError = new TRadioGroup(QStringLiteral("gpbReprintWhenError"), this);
    gpbPrintType = new TRadioGroup(QStringLiteral("gpbPrintType"), this);
    gpbSmallLabel = new TRadioGroup(QStringLiteral("gpbSmallLabel"), this);
    auto* radios = new QGridLayout;
    radios->addWidget(gpbAutoPosition, 0, 0);
    radios->addWidget(gpbReprintWhenError, 0, 1);
    radios->addWidget(gpbPrintType, 1, 0);
    radios->addWidget(gpbSmallLabel, 1, 1);
    top->addLayout(radios);

    gpbOther = NewGroup(this, "gpbOther");
    auto* other = new QGridLayout(gpbOther);
    int row = 0;
    lblJudgePaperMode = NewLabel(gpbOther, "lblJudgePaperMode");
    cmbJudgePaperMode = NewCombo(gpbOther, "cmbJudgePaperMode", {QString(), QString(), QString()});
    AddRow(other, row++, lblJudgePaperMode, cmbJudgePaperMode);
    if (FVariant != TVariant::Vuzivaz) {
        lblLabelMaxLength = NewLabel(gpbOther, "lblLabelMaxLength");
        txtLabelMaxLength = NewEdit(gpbOther, "txtLabelMaxLength");
        lblLabelMaxLengthRange = NewLabel(gpbOther, "lblLabelMaxLengthRange", QStringLiteral("(0-500)mm"));
        AddRow(other, row++, lblLabelMaxLength, txtLabelMaxLength, lblLabelMaxLengthRange);
        RegisterNumberEdit(txtLabelMaxLength, 3, paraset::TValueRange{0, 500});
    }
    if (FVariant != TVariant::W7X) {
        lblHeatAdj = NewLabel(gpbOther, "lblHeatAdj");
        cmbHeatAdj = NewCombo(gpbOther, "cmbHeatAdj", paraset::HeatItems());
        AddRow(other, row++, lblHeatAdj, cmbHeatAdj);
        lblPrintSpeed = NewLabel(gpbOther, "lblPrintSpeed");
        cmbPrintSpeed = NewCombo(gpbOther, "cmbPrintSpeed");
        AddRow(other, row++, lblPrintSpeed, cmbPrintSpeed);
    }

    gpbDensity = NewGroup(this, "gpbDensity");
    auto* density = new QGridLayout(gpbDensity);
    lblDensity = NewLabel(gpbDensity, "lblDensity");
    cmbDensity = NewCombo(gpbDensity, "cmbDensity",
                          paraset::NumberItems(0, FVariant == TVariant::W7X ? 4 : 15));
    AddRow(density, 0, lblDensity, cmbDensity);

    gpbLanguage = NewGroup(this, "gpbLanguage");
    auto* language = new QGridLayout(gpbLanguage);
    lblCodepage = NewLabel(gpbLanguage, "lblCodepage");
    cmbCodepage = NewCombo(gpbLanguage, "cmbCodepage");
    AddRow(language, 0, lblCodepage, cmbCodepage);

    auto* groups = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(gpbOther);
    auto* right = new QVBoxLayout;
    right->addWidget(gpbDensity);
    right->addWidget(gpbLanguage);
    right->addStretch();
    groups->addLayout(left);
    groups->addLayout(right);
    top->addLayout(groups);

    auto* stop = new QHBoxLayout;
    lblStopPrint1 = NewLabel(this, "lblStopPrint1");
    txtStopPrint = NewEdit(this, "txtStopPrint");
    lblStopPrint2 = NewLabel(this, "lblStopPrint2", QStringLiteral("(0-255) mins"));
    lblStopPrint1->setBuddy(txtStopPrint);
    txtStopPrint->setMaximumWidth(60);
    RegisterNumberEdit(txtStopPrint, 3, paraset::TValueRange{0, 255});
    // The stop-print row: edit 3 pixels right of its caption, unit 3 pixels right of the edit.
    stop->setSpacing(3);
    stop->addWidget(lblStopPrint1);
    stop->addWidget(txtStopPrint);
    stop->addWidget(lblStopPrint2);
    stop->addStretch();
    top->addLayout(stop);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSet);
    buttons->addWidget(btnClose);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);
}

void T_frmParaSet_W7X::InitLanguage()
{
    const auto cap = SetCaptionKey;
    cap(gpbDensity, "FormParaSet_W7X_gpbDensity");
    cap(lblDensity, "FormParaSet_W7X_lblDensity");
    cap(gpbPrintType, "FormParaSet_W7X_gpbPrintType");
    gpbPrintType->SetItems({Word(QStringLiteral("_PrintType1")), Word(QStringLiteral("_PrintType2"))});
    if (HasEthernet()) {
        cap(gpbEthernetSetting, "FormParaSet_W7X_gpbEthernetSetting");
        cap(lblDHCP, "FormParaSet_W7X_lblDHCP");
        SetComboItems(cmbDHCP, {Caption(QStringLiteral("FormParaSet_W7X_cmbDHCP_Item1")),
                                Caption(QStringLiteral("FormParaSet_W7X_cmbDHCP_Item2"))});
        cap(lblIPAddress, "FormParaSet_W7X_lblIPAddress");
        cap(lblSubnet, "FormParaSet_W7X_lblSubnet");
        cap(lblDefautGateway, "FormParaSet_W7X_lblDefautGateway");
    }
    cap(gpbReprintWhenError, "FormParaSet_W7X_gpbReprintWhenError");
    SetEnableItems(gpbReprintWhenError);
    cap(gpbSmallLabel, "FormParaSet_W7X_gpbSmallLabel");
    SetSupportItems(gpbSmallLabel);
    cap(gpbAutoPosition, "FormParaSet_W7X_gpbAutoPosition");
    SetEnableItems(gpbAutoPosition);
    cap(gpbOther, "FormParaSet_W7X_gpbOther");
    cap(gpbLanguage, "FormParaSet_260_gpbLanguage");
    if (lblLabelMaxLength)
        cap(lblLabelMaxLength, "FormParaSet_W7X_lblLabelMaxLength");
    cap(lblJudgePaperMode, "FormParaSet_W7X_lblJudgePaperMode");
    // Item 0 label paper, 1 continuous, 2 black mark: byte 59 holds item + 1.
    SetComboItems(cmbJudgePaperMode, {Word(QStringLiteral("_PaperType_Label")), Word(QStringLiteral("_PaperType_Receipt")),
                                      Word(QStringLiteral("_PaperType_BlackMark"))});
    cap(lblCodepage, "FormParaSet_W7X_lblCodepage");
    cap(lblStopPrint1, "FormParaSet_W7X_lblStopPrint1");
    cap(lblStopPrint2, "FormParaSet_W7X_lblStopPrint2");
    if (lblHeatAdj) {
        cap(lblHeatAdj, "FormParaSet_W7X_lblHeatAdj");
        cap(lblPrintSpeed, "FormParaSet_W7X_lblPrintSpeed");
    }
}

void T_frmParaSet_W7X::PrepareLists()
{
    FillCodePageCombo(cmbCodepage, QString());
    if (cmbPrintSpeed)
        FillPrintSpeedList(cmbPrintSpeed, PrtBasName);
}

void T_frmParaSet_W7X::ApplyModelRules()
{
    // Chinese-only models have no language group; the code page still goes back from the
    // hidden list.
    if (paraset::ModelCommaInList(PrtBasName, ParameterSetValue(QStringLiteral("OnlyChinese"))))
        gpbLanguage->hide();
}

void T_frmParaSet_W7X::cmbDHCPChange()
{
    if (!cmbDHCP)
        return;
    const bool fixed = cmbDHCP->currentIndex() == 0;
    for (const QList<QLineEdit*>* row : {&txtIP, &txtSubnet, &txtGateway})
        for (QLineEdit* e : *row)
            e->setEnabled(fixed);
}

void T_frmParaSet_W7X::SplitSetting()
{
    SplitFields(FieldsFor(LayoutD(), FormCode()), Block(), this);
    cmbJudgePaperMode->setCurrentIndex(JudgeItemFromByteD(Block()[59], cmbJudgePaperMode->count()));
    cmbDHCPChange();
}

void T_frmParaSet_W7X::ReplacePrintSetting()
{
    ReplaceFields(FieldsFor(LayoutD(), FormCode()), Block(), this);
    const int judge = cmbJudgePaperMode->currentIndex();
    Block()[59] = JudgeByteFromItemD(judge);
    WritePaperKindD(Block(), judge);
}

bool T_frmParaSet_W7X::CheckBeforeSet()
{
    if (!HasEthernet())
        return true;
    return CheckOctets({{lblIPAddress->text(), txtIP}, {lblSubnet->text(), txtSubnet}, {lblDefautGateway->text(), txtGateway}});
}
