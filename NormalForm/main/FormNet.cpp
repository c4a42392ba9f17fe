#include "FormNet.h"

#include "PrinterCMD.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlDispatchBasics.h"
#include "mdlFormShow.h"
#include "mdlGlobalVar.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlParamValues.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPubFunc.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QString T(const char* key)
{
    return prt::LangText(QLatin1String(key));
}
} // namespace

QString EthernetModels()
{
    return QLatin1Char(',') + GetModelName_V64() + QLatin1Char(',');
}

QStringList SplitAddressReply(const QString& reply)
{
    if (reply.size() < 7)
        return {};
    const QStringList parts = reply.split(QLatin1Char('.'));
    if (parts.size() < 4)
        return {};
    return parts.mid(0, 4);
}

bool IsValidOctet(const QString& piece)
{
    if (piece.isEmpty() || piece.size() > 3)
        return false;
    for (QChar c : piece)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return piece.toInt() <= 255;
}

QString AddressSetValue(const QStringList& pieces)
{
    QString v;
    for (const QString& p : pieces)
        v += p + QLatin1Char('.');
    return v;
}

// ---- advanced settings ------------------------------------------------------------------------

TfrmAdvancedSettings::TfrmAdvancedSettings(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAdvancedSettings"));
    auto button = [this](const char* n) {
        auto* b = new QPushButton(this);
        b->setObjectName(QLatin1String(n));
        b->resize(160, 40);
        b->hide();
        return b;
    };
    btnSetBTFunction = button("btnSetBTFunction");
    btnFactoryParaSet = button("btnFactoryParaSet");
    btnEthernetSetting = button("btnEthernetSetting");
    const QString emptyNames = QStringLiteral(",,");
    const std::pair<QPushButton*, QString> rows[] = {
        {btnSetBTFunction, emptyNames}, {btnFactoryParaSet, emptyNames}, {btnEthernetSetting, EthernetModels()}};
    for (const auto& [b, list] : rows) {
        if (!InList(PrtBasName, list) || PrtBasName.isEmpty())
            continue;
        ++FCount;
        b->show();
        const int h = b->height(), w = b->width();
        if (FCount % 2 == 1)
            b->move(FMargin, (h + FGap) * (FCount / 2) + FGap);
        else
            b->move(FMargin * 2 + w, (h + FGap) * (FCount / 2 - 1) + FGap);
    }
    if (IsDebugMode()) {
        btnFactoryParaSet->show();
        const int n = FGridCount, w = btnFactoryParaSet->width();
        const int left = n % FGridColumns == 0 ? FGridLeft : w * (n % FGridColumns) + (n % FGridColumns + 1) * FGridColGap;
        btnFactoryParaSet->move(left, (n / FGridColumns) * (btnFactoryParaSet->height() + FGridRowGap) + FGridTop);
        ++FGridCount;
    }
    resize(FMargin * 3 + 2 * btnSetBTFunction->width(), (FCount / 2 + 2) * btnSetBTFunction->height() + FGap * 3);
    setWindowTitle(T("Lang_All_00210172_14"));
    btnFactoryParaSet->setText(T("Lang_All_00210172_12"));
    btnSetBTFunction->setText(T("_BTSet"));
    btnEthernetSetting->setText(T("FormParaSet_W7X_gpbEthernetSetting"));
    connect(btnFactoryParaSet, &QPushButton::clicked, this, [this] { btnNetClick(); });
    connect(btnEthernetSetting, &QPushButton::clicked, this, [this] { btnNetClick(); });
}

void TfrmAdvancedSettings::btnNetClick()
{
    EnsureTsplPrinterObject();
    const int r = TsplOpenPort(GetCurrentPortString());
    if (r != 0 && r != 5) {
        prt::MessageBoxPrt(OpenPortFailureMessage(r), T("_MSG_Title_Error"), prt::MB_ICONERROR_);
        if (!IsDebugMode())
            return;
    }
    if (InList(PrtBasName, EthernetModels())) {
        TsplClosePort();  // the settings window opens the port itself
        ShowNewFormModal(QStringLiteral("TFormNet"), new TFormNet());
        return;
    }
    TsplClosePort();  // nothing opens for another model: the port does not stay open
}

// ---- Ethernet settings ---------------------------------------------------------------------

TFormNet::TFormNet(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormNet"));
    setWindowTitle(T("FormParaSet_W7X_gpbEthernetSetting"));
    auto label = [this](const char* n, int y) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(n));
        l->setGeometry(10, y, 120, 24);
        return l;
    };
    lblDHCP = label("lblDHCP", 12);
    lblIPAddress = label("lblIPAddress", 44);
    lblSubnet = label("lblSubnet", 76);
    lblDefautGateway = label("lblDefautGateway", 108);
    cmbDHCP = new QComboBox(this);
    cmbDHCP->setObjectName(QStringLiteral("cmbDHCP"));
    cmbDHCP->setGeometry(134, 12, 80, 24);
    cmbDHCP->addItems({"ON", "OFF"});
    auto edits = [this](QLineEdit* (&row)[4], const char* prefix, int y) {
        for (int i = 0; i < 4; ++i) {
            row[i] = new QLineEdit(this);
            row[i]->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i + 1));
            row[i]->setGeometry(134 + i * 50, y, 44, 24);
            row[i]->setMaxLength(3);
        }
    };
    edits(txtIP, "txtIP", 44);
    edits(txtSubnet, "txtSubnet", 76);
    edits(txtGateway, "txtGateway", 108);
    btnSet = new QPushButton(T("_Set"), this);
    btnSet->setObjectName(QStringLiteral("btnSet"));
    btnSet->setGeometry(134, 144, 90, 30);
    btnClose = new QPushButton(T("_Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(234, 144, 90, 30);
    resize(340, 182);
    lblDHCP->setText(T("FormParaSet_260_lblDHCP"));
    lblIPAddress->setText(T("FormParaSet_260_lblIPAddress"));
    lblSubnet->setText(T("FormParaSet_260_lblSubnet"));
    lblDefautGateway->setText(T("FormParaSet_260_lblDefautGateway"));
    connect(cmbDHCP, &QComboBox::currentIndexChanged, this, [this] { cmbDHCPChange(); });
    connect(btnSet, &QPushButton::clicked, this, [this] { btnSetClick(); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    const bool has = InList(PrtBasName, EthernetModels());
    FHasDhcp = FHasIp = FHasMask = FHasGateway = has;
    cmbDHCPChange();
    ReadSettings();
}

void TFormNet::ReadSettings()
{
    TTsplKindScope kind;
    EnsurePrinterObject();
    if (!CmdOpenPort())
        return;
    if (FHasDhcp) {
        QString word;
        MapParamOptionWord(cmbDHCP, CmdGetVal(KEY_eth_dhcp), 0, word, 0);
        cmbDHCPChange();
    }
    auto fill = [](QLineEdit* (&row)[4], const QString& reply) {
        const QStringList parts = SplitAddressReply(reply);
        for (int i = 0; i < 4 && parts.size() == 4; ++i)
            row[i]->setText(parts[i]);
    };
    if (FHasIp)
        fill(txtIP, CmdGetVal(KEY_eth_ip));
    if (FHasMask)
        fill(txtSubnet, CmdGetVal(KEY_eth_mask));
    if (FHasGateway)
        fill(txtGateway, CmdGetVal(KEY_eth_gateway));
    CmdClosePort();
}

void TFormNet::cmbDHCPChange()
{
    const bool off = cmbDHCP->currentIndex() == 1;
    for (auto* row : {txtIP, txtSubnet, txtGateway})
        for (int i = 0; i < 4; ++i)
            row[i]->setEnabled(off);
}

void TFormNet::btnSetClick()
{
    if (!InList(PrtBasName, EthernetModels()))
        return;
    auto pieces = [](QLineEdit* const (&row)[4], bool& filled) {
        QStringList p;
        filled = true;
        for (int i = 0; i < 4; ++i) {
            p << row[i]->text().trimmed();
            filled = filled && !p.last().isEmpty();
        }
        return p;
    };
    bool ipFilled = false, maskFilled = false, gwFilled = false;
    const QStringList ip = pieces(txtIP, ipFilled), mask = pieces(txtSubnet, maskFilled),
                      gw = pieces(txtGateway, gwFilled);
    const bool off = cmbDHCP->currentIndex() == 1;
    const bool sendIp = off && ipFilled;
    // Every piece that will be sent must be a number 0..255.
    for (const auto& [send, list] : {std::pair{sendIp, ip}, std::pair{maskFilled, mask}, std::pair{gwFilled, gw}})
        if (send)
            for (const QString& p : list)
                if (!IsValidOctet(p)) {
                    prt::MessageBoxPrt(T("FormNet_MSGBadAddress"), T("_MSG_Title_Error"), prt::MB_ICONERROR_);
                    return;
                }
    TTsplKindScope kind;
    EnsurePrinterObject();
    if (!CmdOpenPort())
        return;
    bool ok = CmdSetValLower(KEY_eth_dhcp, cmbDHCP->currentText().toLower()) == 0;
    if (sendIp)
        ok = CmdSetVal(KEY_eth_ip, AddressSetValue(ip)) == 0 && ok;
    if (maskFilled)
        ok = CmdSetVal(KEY_eth_mask, AddressSetValue(mask)) == 0 && ok;
    if (gwFilled)
        ok = CmdSetVal(KEY_eth_gateway, AddressSetValue(gw)) == 0 && ok;
    CmdClosePort();
    if (ok)
        ShowInfoBox(T("_ParaSet_OK"));
    else
        prt::MessageBoxPrt(T("_ParaSet_Fail"), T("_MSG_Title_Error"), prt::MB_ICONERROR_);
}
