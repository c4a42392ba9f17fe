#pragma once
// T_frmPrinterManage_Label: adds a printer to the printer list or edits the selected one
// (model, port, notes, tool printer version), with a connection test and, for network
// ports of one model, the discovery window to pick an address. One instance lives for
// the whole run; the main window sets Mode (and the Modify fields), shows it and reads
// OKFlag (-1 after a written OK).
#include "mdlDispatchHost.h"
#include "mdlFtnA_Base.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <memory>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The port string of the window's choices ("" for an unknown port type). The first ":"
// of a serial or parallel port name is removed ("COM3:" -> "COM3").
QString ManagePortString(const QString& portType, const QString& serialPort, const QString& baud,
                         const QString& parallelPort, const QString& ipText);
// True when the port engine accepts the port string (a row with it can be opened).
bool ManagePortStringOpens(const QString& portString);
// Language key of the message for a network address the port engine refuses.
inline constexpr char LANGKEY_ManageBadAddress[] = "FormPrinterManage_MSGBadAddress";
// The network model that offers the discovery button.
QString ManageIpButtonModels();

class T_frmPrinterManage_Label : public QDialog, public TPrinterManageTarget {
    Q_OBJECT
public:
    explicit T_frmPrinterManage_Label(QWidget* parent = nullptr);
    ~T_frmPrinterManage_Label() override;

    // Fields set by the main window.
    QString Mode = QStringLiteral("Add");
    QString Model;
    int RowIndex = 0;
    QString RowLine;  // Modify: the line the row was loaded from
    QString PortType;
    QString PortParam;
    QString Notes;
    QString VersionId = QStringLiteral("0");
    int OKFlag = 0;
    bool ListChanged = false;  // OK found the file changed since the list was loaded

    // The add and modify commands' reach into the window.
    void PrepareAdd() override;
    void PrepareModify(const TModifyHandover& h) override;
    bool WrittenOk() const override { return OKFlag == -1; }
    bool FoundListChanged() const override { return ListChanged; }
    QWidget* ManageWindow() override { return this; }

    void FormShow();  // re-initialises every control (runs on every show)
    void cmbPortTypeChange();
    void cmbPrinterNameChange();
    void cmbPrtVerOfToolChange();
    void btnOKClick();
    void btnConnectTestClick();
    void btnIPClick();
    void btnCloseClick();
    const QStringList& VersionList() const { return FVersionList; }

    QLabel* lblPrinterName = nullptr;
    QComboBox* cmbPrinterName = nullptr;
    QGroupBox* gpbPortInformation = nullptr;
    QLabel* lblPortType = nullptr;
    QComboBox* cmbPortType = nullptr;
    QFrame* pnlUSB = nullptr;
    QLabel* lblUSB = nullptr;
    QFrame* pnlSerial = nullptr;
    QLabel* lblSerial = nullptr;
    QComboBox* cmbSerialList = nullptr;
    QLabel* lblBaudrate = nullptr;
    QComboBox* cmbBaudrate = nullptr;
    QFrame* pnlParallel = nullptr;
    QLabel* lblParallelList = nullptr;
    QComboBox* cmbParallel = nullptr;
    QFrame* pnlTCPIP = nullptr;
    QLabel* lblIPAddress = nullptr;
    QLineEdit* txtIPAddress = nullptr;
    QPushButton* btnIP = nullptr;
    QLabel* lblNotes = nullptr;
    QLineEdit* edtNotes = nullptr;
    QLineEdit* edtlbl_PrtVerOfTool = nullptr;
    QComboBox* cmbPrtVerOfTool = nullptr;
    QPlainTextEdit* mmolPrtVerOfTool = nullptr;
    QFrame* pnlTool = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnConnectTest = nullptr;
    QPushButton* btnClose = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetCaptions();
    void ShowPortPanel(QFrame* panel);
    void BuildVersionList(const QString& model);
    void RefreshVersionChoice();
    QString CurrentPortString(const QString& portType) const;
    bool FFilling = false;
    bool FExtraModel = false;
    QStringList FVersionList;
    std::unique_ptr<TObj_Ult_PrtVerOfToolMg> FVersionMg;
};

// The printer-management window, made once and reused for every add and modify (the
// start-up windows make it on an idle turn unless an add or modify made it first).
extern T_frmPrinterManage_Label* frmPrinterManage_Label;
T_frmPrinterManage_Label* GetPrinterManageForm();
