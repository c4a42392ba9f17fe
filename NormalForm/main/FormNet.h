#pragma once
// TfrmAdvancedSettings: one button per advanced function of the current model, in a grid.
// TFormNet: reads and writes the Ethernet settings (DHCP, address, mask, gateway) of the
// models of the Ethernet list with getval / setval text commands.
#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The model that has Ethernet settings.
QString EthernetModels();
// Four address pieces of a reply of at least 7 characters with at least four dot-separated
// pieces; empty otherwise.
QStringList SplitAddressReply(const QString& reply);
// True when every piece is digits only with a value 0..255.
bool IsValidOctet(const QString& piece);
// The setval value: each piece followed by "." ("192.168.0.33.").
QString AddressSetValue(const QStringList& pieces);

class TfrmAdvancedSettings : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAdvancedSettings(QWidget* parent = nullptr);
    void btnNetClick();  // factory-parameter and Ethernet buttons
    int ShownCount() const { return FCount; }

    QPushButton* btnSetBTFunction = nullptr;
    QPushButton* btnFactoryParaSet = nullptr;
    QPushButton* btnEthernetSetting = nullptr;

private:
    int FCount = 0, FMargin = 30, FGap = 30, FGridCount = 0, FGridColumns = 3;
    int FGridLeft = 6, FGridTop = 6, FGridColGap = 6, FGridRowGap = 6;
};

class TFormNet : public QDialog {
    Q_OBJECT
public:
    explicit TFormNet(QWidget* parent = nullptr);
    void ReadSettings();  // runs when the window is made
    void cmbDHCPChange();
    void btnSetClick();

    QLabel* lblDHCP = nullptr;
    QComboBox* cmbDHCP = nullptr;
    QLabel* lblIPAddress = nullptr;
    QLabel* lblSubnet = nullptr;
    QLabel* lblDefautGateway = nullptr;
    QLineEdit* txtIP[4] = {};
    QLineEdit* txtSubnet[4] = {};
    QLineEdit* txtGateway[4] = {};
    QPushButton* btnSet = nullptr;
    QPushButton* btnClose = nullptr;

private:
    bool FHasDhcp = false, FHasIp = false, FHasMask = false, FHasGateway = false;
};
