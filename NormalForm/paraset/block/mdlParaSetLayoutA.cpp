#include "mdlParaSetLayoutA.h"

#include "mdlCurrentPrinter.h"
#include "mdlParaSetWidgets.h"
#include "mdlParamValues.h"
#include "mdlPrinterTypeList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <typename T>
T* Make(QWidget* parent, const char* name)
{
    auto* w = new T(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& items = {})
{
    auto* c = Make<QComboBox>(parent, name);
    c->setEditable(false);
    c->addItems(items);
    // At least eight characters wide, wider for a longer item (sized at the first show;
    // a size policy set here would build every list's popup up front).
    c->setMinimumContentsLength(8);
    return c;
}

QLabel* MakeLabel(QWidget* parent, const char* name, QWidget* buddy = nullptr)
{
    auto* l = Make<QLabel>(parent, name);
    if (buddy)
        l->setBuddy(buddy);
    return l;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name)
{
    return Make<QGroupBox>(parent, name);
}

} // namespace

TParaSetLayoutAForm::TParaSetLayoutAForm(const QString& formCode, const TLayoutAParts& parts)
    : FCode(formCode), FParts(parts)
{
    if (FParts.DensityItems.isEmpty())
        FParts.DensityItems = paraset::NumberItems(0, 15);

    auto* root = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    root->addLayout(columns);
    auto* left = new QVBoxLayout;
    columns->addLayout(left, 1);
    QVBoxLayout* right = nullptr;
    if (FParts.Serial || FParts.Ethernet) {
        right = new QVBoxLayout;
        columns->addLayout(right, 1);
    }

    // ---- Bluetooth ----
    if (FParts.Bluetooth) {
        gpbBT = MakeGroup(this, "gpbBT");
        auto* g = new QGridLayout(gpbBT);
        txtBTName = Make<QLineEdit>(gpbBT, "txtBTName");
        lblBTName = MakeLabel(gpbBT, "lblBTName", txtBTName);
        lblBTNameLen = MakeLabel(gpbBT, "lblBTNameLen");
        txtBTPWD = Make<QLineEdit>(gpbBT, "txtBTPWD");
        lblBTPWD = MakeLabel(gpbBT, "lblBTPWD", txtBTPWD);
        lblBTPWDLen = MakeLabel(gpbBT, "lblBTPWDLen");
        chkSimplePairing = Make<QCheckBox>(gpbBT, "chkSimplePairing");
        RegisterFilteredEdit(txtBTName, FParts.BTNameFilter, 10);
        RegisterFilteredEdit(txtBTPWD, FParts.BTPasswordFilter, 4);
        g->addWidget(lblBTName, 0, 0);
        g->addWidget(txtBTName, 0, 1);
        g->addWidget(lblBTNameLen, 0, 2);
        g->addWidget(lblBTPWD, 1, 0);
        g->addWidget(txtBTPWD, 1, 1);
        g->addWidget(lblBTPWDLen, 1, 2);
        g->addWidget(chkSimplePairing, 2, 0, 1, 3);
        left->addWidget(gpbBT);
    }

    // ---- serial port ----
    if (FParts.Serial) {
        gpbCOMPortSet = MakeGroup(this, "gpbCOMPortSet");
        auto* g = new QGridLayout(gpbCOMPortSet);
        cmbBaudRate = MakeList(gpbCOMPortSet, "cmbBaudRate", paraset::BaudRateItems());
        lblBaudRate = MakeLabel(gpbCOMPortSet, "lblBaudRate", cmbBaudRate);
        cmbParity = MakeList(gpbCOMPortSet, "cmbParity", paraset::ParityItems());
        lblParity = MakeLabel(gpbCOMPortSet, "lblParity", cmbParity);
        cmbStopBits = MakeList(gpbCOMPortSet, "cmbStopBits", paraset::StopBitsItems());
        lblStopBits = MakeLabel(gpbCOMPortSet, "lblStopBits", cmbStopBits);
        g->addWidget(lblBaudRate, 0, 0);
        g->addWidget(cmbBaudRate, 0, 1);
        g->addWidget(lblParity, 1, 0);
        g->addWidget(cmbParity, 1, 1);
        g->addWidget(lblStopBits, 2, 0);
        g->addWidget(cmbStopBits, 2, 1);
        right->addWidget(gpbCOMPortSet);
    }

    // ---- Ethernet ----
    if (FParts.Ethernet) {
        gpbEthernetSetting = MakeGroup(this, "gpbEthernetSetting");
        auto* g = new QGridLayout(gpbEthernetSetting);
        cmbDHCP = MakeList(gpbEthernetSetting, "cmbDHCP", {QStringLiteral("ON"), QStringLiteral("OFF")});
        lblDHCP = MakeLabel(gpbEthernetSetting, "lblDHCP", cmbDHCP);
        g->addWidget(lblDHCP, 0, 0);
        g->addWidget(cmbDHCP, 0, 1, 1, 7);
        auto octets = [&](const char* label, const char* prefix, const char* dotPrefix, QLabel*& lbl,
                          QList<QLineEdit*>& edits, int row) {
            lbl = MakeLabel(gpbEthernetSetting, label);
            g->addWidget(lbl, row, 0);
            for (int i = 1; i <= 4; ++i) {
                auto* e = new QLineEdit(gpbEthernetSetting);
                e->setObjectName(QLatin1String(prefix) + QString::number(i));
                e->setMaximumWidth(48);
                e->setAlignment(Qt::AlignCenter);
                RegisterNumberEdit(e, 3);
                edits.append(e);
                g->addWidget(e, row, 2 * i - 1);
                if (i < 4) {
                    auto* dot = new QLabel(QStringLiteral("."), gpbEthernetSetting);
                    dot->setObjectName(QLatin1String(dotPrefix) + QString::number(i));
                    g->addWidget(dot, row, 2 * i);
                }
            }
            lbl->setBuddy(edits.first());
        };
        octets("lblIPAddress", "txtIP", "lblIPDot", lblIPAddress, txtIP, 1);
        octets("lblSubnet", "txtSubnet", "lblSubnetDot", lblSubnet, txtSubnet, 2);
        octets("lblDefautGateway", "txtGateway", "lblGatewayDot", lblDefautGateway, txtGateway, 3);
        connect(cmbDHCP, &QComboBox::currentIndexChanged, this, [this] { cmbDHCPChange(); });
        right->addWidget(gpbEthernetSetting);
    }

    // ---- radio groups ----
    auto radio = [&](const char* name) {
        auto* r = new TRadioGroup(QLatin1String(name), this);
        left->addWidget(r);
        return r;
    };
    gpbReprintWhenError = radio("gpbReprintWhenError");
    gpbPrintReprint = radio("gpbPrintReprint");
    if (FParts.SmallLabel)
        gpbSmallLabel = radio("gpbSmallLabel");
    gpbAutoPosition = radio("gpbAutoPosition");
    if (FParts.Lid)
        gupBoxLidAction = radio("gupBoxLidAction");
    if (FParts.PrintType)
        gpbPrintType = radio("gpbPrintType");

    // ---- density group ----
    if (FParts.DensityGroup) {
        gpbDensity = MakeGroup(this, "gpbDensity");
        auto* h = new QHBoxLayout(gpbDensity);
        cmbDensity = MakeList(gpbDensity, "cmbDensity", FParts.DensityItems);
        lblDensity = MakeLabel(gpbDensity, "lblDensity", cmbDensity);
        h->addWidget(lblDensity);
        h->addWidget(cmbDensity);
        h->addStretch(1);
        left->addWidget(gpbDensity);
    }

    // ---- other ----
    gpbOther = MakeGroup(this, "gpbOther");
    auto* g = new QGridLayout(gpbOther);
    int row = 0;
    auto addRow = [&](QLabel* label, QWidget* control, QWidget* tail = nullptr) {
        g->addWidget(label, row, 0);
        g->addWidget(control, row, 1);
        if (tail)
            g->addWidget(tail, row, 2);
        ++row;
    };
    cmbJudgePaperMode = MakeList(gpbOther, "cmbJudgePaperMode");
    lblJudgePaperMode = MakeLabel(gpbOther, "lblJudgePaperMode", cmbJudgePaperMode);
    addRow(lblJudgePaperMode, cmbJudgePaperMode);
    if (FParts.Protocol) {
        cmbProtocolType = MakeList(gpbOther, "cmbProtocolType");
        lblProtocolType = MakeLabel(gpbOther, "lblProtocolType", cmbProtocolType);
        txtSupport_ProtocolType = Make<QLineEdit>(gpbOther, "txtSupport_ProtocolType");
        txtSupport_ProtocolType->setReadOnly(true);
        txtSupport_ProtocolType->setFrame(false);
        addRow(lblProtocolType, cmbProtocolType, txtSupport_ProtocolType);
    }
    if (FParts.CodePageInOther) {
        cmbCodepage = MakeList(gpbOther, "cmbCodepage");
        lblCodepage = MakeLabel(gpbOther, "lblCodepage", cmbCodepage);
        addRow(lblCodepage, cmbCodepage);
    }
    if (!FParts.DensityGroup) {
        cmbDensity = MakeList(gpbOther, "cmbDensity", FParts.DensityItems);
        lblDensity = MakeLabel(gpbOther, "lblDensity", cmbDensity);
        addRow(lblDensity, cmbDensity);
    }
    if (FParts.HeatSpeed) {
        cmbHeatAdj = MakeList(gpbOther, "cmbHeatAdj", paraset::HeatItems());
        lblHeatAdj = MakeLabel(gpbOther, "lblHeatAdj", cmbHeatAdj);
        addRow(lblHeatAdj, cmbHeatAdj);
        cmbPrintSpeed = MakeList(gpbOther, "cmbPrintSpeed", FParts.SpeedItems);
        lblPrintSpeed = MakeLabel(gpbOther, "lblPrintSpeed", cmbPrintSpeed);
        addRow(lblPrintSpeed, cmbPrintSpeed);
    }
    if (FParts.Lengths) {
        auto length = [&](const char* label, const char* edit, const char* unit, QLabel*& lbl, QLineEdit*& txt,
                          const std::optional<paraset::TValueRange>& range) {
            txt = Make<QLineEdit>(gpbOther, edit);
            lbl = MakeLabel(gpbOther, label, txt);
            auto* u = new QLabel(QStringLiteral("(0-500)mm"), gpbOther);
            u->setObjectName(QLatin1String(unit));
            RegisterNumberEdit(txt, 3, range);
            addRow(lbl, txt, u);
        };
        length("lblMarkMaxLength", "txtMarkMaxLength", "lblMarkMaxLengthUnit", lblMarkMaxLength, txtMarkMaxLength,
               FParts.MaxLengthRange);
        length("lblLabelMaxLength", "txtLabelMaxLength", "lblLabelMaxLengthUnit", lblLabelMaxLength,
               txtLabelMaxLength, FParts.MaxLengthRange);
        length("lblLabelMinLength", "txtLabelMinLength", "lblLabelMinLengthUnit", lblLabelMinLength,
               txtLabelMinLength, FParts.MinLengthRange);
    }
    {
        // Stop-print row: the edit 3 pixels right of its caption, the unit 3 pixels right.
        auto* h = new QHBoxLayout;
        h->setSpacing(3);
        txtStopPrint = Make<QLineEdit>(gpbOther, "txtStopPrint");
        txtStopPrint->setMaximumWidth(56);
        lblStopPrint1 = MakeLabel(gpbOther, "lblStopPrint1", txtStopPrint);
        lblStopPrint2 = MakeLabel(gpbOther, "lblStopPrint2");
        RegisterNumberEdit(txtStopPrint, 3, paraset::TValueRange{0, 255});
        h->addWidget(lblStopPrint1);
        h->addWidget(txtStopPrint);
        h->addWidget(lblStopPrint2);
        h->addStretch(1);
        g->addLayout(h, row++, 0, 1, 3);
    }
    left->addWidget(gpbOther);

    // ---- language ----
    if (FParts.Language) {
        gpbLanguage = MakeGroup(this, "gpbLanguage");
        auto* lg = new QGridLayout(gpbLanguage);
        cmbInternationalCharacter = MakeList(gpbLanguage, "cmbInternationalCharacter", paraset::IntlCharsetItems());
        lblInternationalCharacter = MakeLabel(gpbLanguage, "lblInternationalCharacter", cmbInternationalCharacter);
        cmbCodepage = MakeList(gpbLanguage, "cmbCodepage");
        lblCodepage = MakeLabel(gpbLanguage, "lblCodepage", cmbCodepage);
        lg->addWidget(lblInternationalCharacter, 0, 0);
        lg->addWidget(cmbInternationalCharacter, 0, 1);
        lg->addWidget(lblCodepage, 1, 0);
        lg->addWidget(cmbCodepage, 1, 1);
        (right ? right : left)->addWidget(gpbLanguage);
    }
    left->addStretch(1);
    if (right)
        right->addStretch(1);

    // ---- buttons ----
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnSet);
    buttons->addWidget(btnClose);
    root->addLayout(buttons);
}

void TParaSetLayoutAForm::PrepareLists()
{
    if (cmbCodepage)
        FillCodePageCombo(cmbCodepage, QString());
    if (cmbPrintSpeed && FParts.SpeedItems.isEmpty())
        FillPrintSpeedList(cmbPrintSpeed, PrtBasName);
}

TBlockLayout TParaSetLayoutAForm::Rows() const
{
    return FieldsFor(LayoutA(), FCode, [this](TRowGate gate) {
        switch (gate) {
        case TRowGate::Bluetooth: return HasBluetooth();
        case TRowGate::Lid: return IsLidModel();
        case TRowGate::Always: return true;
        }
        return false;
    });
}

void TParaSetLayoutAForm::SplitSetting()
{
    SplitFields(Rows(), Block(), this);
    if (cmbDHCP)
        cmbDHCPChange();
}

void TParaSetLayoutAForm::ReplacePrintSetting()
{
    ReplaceFields(Rows(), Block(), this);
}

bool TParaSetLayoutAForm::CheckBeforeSet()
{
    if (!gpbEthernetSetting)
        return true;
    return CheckOctets({{lblIPAddress->text(), txtIP},
                        {lblSubnet->text(), txtSubnet},
                        {lblDefautGateway->text(), txtGateway}});
}

void TParaSetLayoutAForm::cmbDHCPChange()
{
    if (!cmbDHCP)
        return;
    const bool fixed = cmbDHCP->currentIndex() == FixedAddressItem();
    for (const QList<QLineEdit*>* edits : {&txtIP, &txtSubnet, &txtGateway})
        for (QLineEdit* e : *edits)
            e->setEnabled(fixed);
}

void TParaSetLayoutAForm::CaptionControls(const QString& prefix, const QStringList& names)
{
    for (const QString& name : names) {
        QWidget* w = findChild<QWidget*>(name);
        if (!w)
            continue;
        const QString text = Caption(prefix + name);
        if (auto* l = qobject_cast<QLabel*>(w))
            l->setText(text);
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            g->setTitle(text);
        else if (auto* c = qobject_cast<QCheckBox*>(w))
            c->setText(text);
    }
}

bool TParaSetLayoutAForm::HideLanguageForOnlyChinese()
{
    if (!gpbLanguage || !paraset::ModelCommaInList(PrtBasName, ParameterSetValue(QStringLiteral("OnlyChinese"))))
        return false;
    gpbLanguage->setVisible(false);
    return true;
}
