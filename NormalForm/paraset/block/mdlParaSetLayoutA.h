#pragma once
// The shared body of the ten forms on parameter block layout A: every control any of
// them has, built on demand from a parts description, the table-driven conversion of
// the form's rows, the key filters and ranges of its edits, the DHCP rule, the octet
// check and the "OnlyChinese" rule of the language group.
//
// How a family form uses it: derive, pass the form code (the layout's column) and the
// parts it has to the constructor, give captions in InitLanguage (CaptionControls with
// the family's key prefix, radio items, paper types), and add its own model rules in
// ApplyModelRules and its extra rows in SplitSetting / ReplacePrintSetting (calling the
// base first). HasBluetooth / IsLidModel gate the Bluetooth and lid rows.
#include "mdlParaBlockLayout.h"
#include "mdlParaSetForm.h"

#include <QList>
#include <QStringList>

class QCheckBox;
class QGroupBox;
class QGridLayout;
class QHBoxLayout;
class QVBoxLayout;

struct TLayoutAParts {
    bool Bluetooth = false;         // gpbBT: name, password, simple pairing
    paraset::TKeyFilter BTNameFilter = paraset::TKeyFilter::BTName;
    paraset::TKeyFilter BTPasswordFilter = paraset::TKeyFilter::BTName;
    bool Serial = false;            // gpbCOMPortSet
    bool Ethernet = false;          // gpbEthernetSetting
    bool Language = false;          // gpbLanguage: character set and code page
    bool CodePageInOther = false;   // a code-page row in gpbOther (no character set)
    bool Protocol = false;          // command-language row in gpbOther
    bool SmallLabel = false;        // gpbSmallLabel
    bool PrintType = false;         // gpbPrintType
    bool Lid = false;               // gupBoxLidAction
    bool Lengths = false;           // mark max, label max, label min
    std::optional<paraset::TValueRange> MaxLengthRange;  // mark and label maximum
    std::optional<paraset::TValueRange> MinLengthRange;  // label minimum
    bool HeatSpeed = true;          // heat fine-tune and speed rows
    QStringList SpeedItems;         // fixed speed items; empty: the model's speed list
    bool DensityGroup = false;      // gpbDensity; else the density row is in gpbOther
    QStringList DensityItems;       // default "0".."15"
    int PaperTypes = 3;
};

class TParaSetLayoutAForm : public TParaSetForm {
    Q_OBJECT
public:
    const QString& FormCode() const { return FCode; }
    const TLayoutAParts& Parts() const { return FParts; }

    // Controls; null when the form has no such control.
    QGroupBox* gpbBT = nullptr;
    QLabel* lblBTName = nullptr;
    QLineEdit* txtBTName = nullptr;
    QLabel* lblBTNameLen = nullptr;
    QLabel* lblBTPWD = nullptr;
    QLineEdit* txtBTPWD = nullptr;
    QLabel* lblBTPWDLen = nullptr;
    QCheckBox* chkSimplePairing = nullptr;

    QGroupBox* gpbCOMPortSet = nullptr;
    QLabel* lblBaudRate = nullptr;
    QComboBox* cmbBaudRate = nullptr;
    QLabel* lblParity = nullptr;
    QComboBox* cmbParity = nullptr;
    QLabel* lblStopBits = nullptr;
    QComboBox* cmbStopBits = nullptr;

    QGroupBox* gpbEthernetSetting = nullptr;
    QLabel* lblDHCP = nullptr;
    QComboBox* cmbDHCP = nullptr;
    QLabel* lblIPAddress = nullptr;
    QLabel* lblSubnet = nullptr;
    QLabel* lblDefautGateway = nullptr;
    QList<QLineEdit*> txtIP, txtSubnet, txtGateway;  // octets 1..4

    QGroupBox* gpbLanguage = nullptr;
    QLabel* lblInternationalCharacter = nullptr;
    QComboBox* cmbInternationalCharacter = nullptr;
    QLabel* lblCodepage = nullptr;
    QComboBox* cmbCodepage = nullptr;

    TRadioGroup* gpbReprintWhenError = nullptr;
    TRadioGroup* gpbPrintReprint = nullptr;
    TRadioGroup* gpbSmallLabel = nullptr;
    TRadioGroup* gpbAutoPosition = nullptr;
    TRadioGroup* gupBoxLidAction = nullptr;
    TRadioGroup* gpbPrintType = nullptr;

    QGroupBox* gpbDensity = nullptr;
    QLabel* lblDensity = nullptr;
    QComboBox* cmbDensity = nullptr;

    QGroupBox* gpbOther = nullptr;
    QLabel* lblJudgePaperMode = nullptr;
    QComboBox* cmbJudgePaperMode = nullptr;
    QLabel* lblProtocolType = nullptr;
    QComboBox* cmbProtocolType = nullptr;
    QLineEdit* txtSupport_ProtocolType = nullptr;
    QLabel* lblHeatAdj = nullptr;
    QComboBox* cmbHeatAdj = nullptr;
    QLabel* lblPrintSpeed = nullptr;
    QComboBox* cmbPrintSpeed = nullptr;
    QLabel* lblMarkMaxLength = nullptr;
    QLineEdit* txtMarkMaxLength = nullptr;
    QLabel* lblLabelMaxLength = nullptr;
    QLineEdit* txtLabelMaxLength = nullptr;
    QLabel* lblLabelMinLength = nullptr;
    QLineEdit* txtLabelMinLength = nullptr;
    QLabel* lblStopPrint1 = nullptr;
    QLineEdit* txtStopPrint = nullptr;
    QLabel* lblStopPrint2 = nullptr;

    // Enables the twelve address edits exactly when the fixed-address item is selected.
    void cmbDHCPChange();
    // The block rows this form converts with the current gates.
    TBlockLayout Rows() const;

protected:
    TParaSetLayoutAForm(const QString& formCode, const TLayoutAParts& parts);

    virtual bool HasBluetooth() const { return false; }
    virtual bool IsLidModel() const { return false; }
    // Item of cmbDHCP that stands for a fixed address.
    virtual int FixedAddressItem() const { return 0; }

    void PrepareLists() override;
    void SplitSetting() override;
    void ReplacePrintSetting() override;
    bool CheckBeforeSet() override;

    // Captions of named controls (labels, group boxes, check boxes) from prefix + name.
    void CaptionControls(const QString& prefix, const QStringList& names);
    // Hides the language group when the current model followed by a comma occurs in the
    // "OnlyChinese" list; true when hidden.
    bool HideLanguageForOnlyChinese();

private:
    QString FCode;
    TLayoutAParts FParts;
};
