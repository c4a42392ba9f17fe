#pragma once
// Parameter form of the V52 mobile-printer family and its relatives: print settings,
// Bluetooth, Ethernet and Wi-Fi (station or access point, with a network scan), each
// parameter read and written as a key frame; the rows and pages shown follow the model
// roles of the catalogue (mdlParaSetKeyRules.h).
#include "mdlKeyFrameForm.h"
#include "mdlParaSetKeyRules.h"
#include "mdlPub_Obj_Ult_PrtPara.h"

#include <QDialog>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTimer;
class QWidget;

// The waits and the clock of the network scan (tests replace them: no test waits 3 s).
struct TV52ScanClock {
    std::function<void(int ms)> Wait;
    std::function<uint32_t()> Tick;
};
void SetV52ScanClockForTest(const TV52ScanClock* clock);  // null: the real ones

class T_frmParaSet_V52 : public QDialog {
    Q_OBJECT
public:
    explicit T_frmParaSet_V52(QWidget* parent = nullptr);
    ~T_frmParaSet_V52() override;

    QTabWidget* PagecA;
    QWidget* tabsUserParaA;
    QWidget* tabsUserParaB;
    QWidget* tabsUserParaBt;
    QWidget* tabsEthernet;
    QWidget* tabsWifi;
    QTabWidget* pagecA_2;
    // print settings
    QLabel* lblDensity;
    QComboBox* cmbDensity;
    QLabel* lblDetectMode;
    QComboBox* cmbDetectMode;
    QLabel* lblPrintSpeed;
    QComboBox* cmbPrintSpeed;
    QLabel* lblPrintToStop;
    QLineEdit* txtPrintToStop;
    QLabel* Label16;
    QLabel* lblReleasePaper;
    QComboBox* cmbReleasePaper;
    QLineEdit* txtSupport_ReleasePaper;
    QLineEdit* txtTip_ReleasePaper;
    QLineEdit* edtlbl_Codepage;
    QComboBox* cmbCodepage;
    QLabel* lblProtocol;
    QComboBox* cmbProtocol;
    QLabel* lblLanague;
    QComboBox* cmbLanague;
    QLabel* lblRepeatPrint;
    QComboBox* cmbRepeatPrint;
    QLabel* lblBoxPosition;
    QComboBox* cmbBoxPosition;
    QLabel* lblFinetuneHeatingTime;
    QComboBox* cmbFinetuneHeatingTime;
    // Bluetooth
    QGroupBox* gpbBT;
    QLabel* lblBTName;
    QLineEdit* txtBTName;
    QLabel* lblBTNameLen;
    QLabel* lblBTPWD;
    QLineEdit* txtBTPWD;
    QLabel* lblBTPWDLen;
    QCheckBox* chkSimplePairing;
    // Ethernet
    QGroupBox* gpbEthernetSetting;
    QLabel* lblDHCP;
    QComboBox* cmbDHCP;
    QLabel* lblIPAddress;
    QLineEdit* txtIP[4];
    QLabel* lblSubnet;
    QLineEdit* txtSubnet[4];
    QLabel* lblDefautGateway;
    QLineEdit* txtGateway[4];
    QLabel* lblNetSwitch;
    QComboBox* cmbNetSwitch;
    QLabel* lblMac;
    QLineEdit* txtMac[6];
    // Wi-Fi
    QGroupBox* gpbWIFISetting;
    QLabel* lblWName;
    QComboBox* cmbWifiSTA_WifiName;
    QPushButton* btnWifiSTA_WifiName_Scan;
    QLabel* lblWPWD;
    QLineEdit* txtWPWD;
    QLabel* lblWifiMode;
    QComboBox* cmbWifiMode;
    QLabel* lblWifiDhcp;
    QComboBox* cmbWifiDhcp;
    QLabel* lblWIP;
    QLineEdit* txtWIP[4];
    QLabel* lblWSN;
    QLineEdit* txtWSN[4];
    QLabel* lblWGate;
    QLineEdit* txtWGate[4];
    QLabel* lblWMAC;
    QLineEdit* txtWMAC[6];
    QLabel* lblWifiAP_PwdNeeded;
    QComboBox* cmbWifiAP_PwdNeeded;
    QLabel* lblWSwitch;
    QComboBox* cmbWSwitch;
    QLabel* lblWifiVersion;
    QLineEdit* txtWifiVersion;
    // tool panel
    QWidget* pnlTool;
    QPushButton* btnSet;
    QPushButton* btnClose;
    QTimer* timer1;

    void FormShow();
    void InitLanguage();
    void ReadParam();
    void ReplacePrintSetting();
    void btnSetClick();
    void btnCloseClick();
    void timer1Timer();
    void btnWifiSTA_WifiName_ScanClick();
    void cmbDHCPChange();
    void cmbWifiDhcpChange();
    void cmbWifiModeChange();
    void cmbReleasePaperChange();
    void CheckValue(QLineEdit* edit);

    const TV52Layout& Layout() const { return FLayout; }
    const TV52SpeedRange& SpeedRange() const { return FSpeed; }
    TObj_Ult_PrtParaManage* RowManager() const { return FRows.get(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildUserPage();
    void BuildBluetoothPage();
    void BuildEthernetPage();
    void BuildWifiPage();
    void LayoutRows();
    void SetSpeedRange();
    void Drain();
    void RefreshReleaseTip();
    bool ValidateBeforeWrite();
    bool ReadRow(uint16_t id, const TKfControl& c, bool canFail = true);
    // 1 written, 0 nothing, -1 failed
    int WriteRow(uint16_t id, const TKfControl& c);
    bool WriteAddress(uint16_t id, QLineEdit* const* edits, QWidget* owner, bool& failed);
    TKfControl Parts(QWidget* owner, QLineEdit* const* edits, int n);
    QString ModeText() const;

    TKfFilled* FFilled;
    std::unique_ptr<TObj_Ult_PrtParaManage> FRows;
    QStringList FCodePageList, FLanguageList, FRepeatList, FDhcpList, FProtocolList, FApPwdList;
    QStringList FReleaseList, FHeatingList;
    TV52Layout FLayout;
    TV52SpeedRange FSpeed;
    uint8_t FOp = 1;
    bool FShown = false;
    bool FReleaseTipFlag = true;
    bool FFailed = false;
    QString FLastNetName;
    // owners standing for the address groups in the filled tracking
    QWidget* FIpOwner;
    QWidget* FSubnetOwner;
    QWidget* FGatewayOwner;
    QWidget* FWipOwner;
    QWidget* FWsnOwner;
    QWidget* FWgateOwner;
};
