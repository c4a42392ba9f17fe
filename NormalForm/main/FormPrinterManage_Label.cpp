#include "FormPrinterManage_Label.h"

#include "FormNetDiscovery.h"
#include "PrtMsgBox.h"
#include "PrtPort.h"
#include "PrtTexts.h"
#include "mdlASetFtnA.h"
#include "mdlCurrentPrinter.h"
#include "mdlDispatchBasics.h"
#include "mdlFormOpeners.h"
#include "mdlGlobalVar.h"
#include "mdlKesaVar.h"
#include "mdlMainData.h"
#include "mdlMainRules.h"
#include "mdlModelCatalog.h"
#include "mdlOemClass.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterListFile.h"
#include "mdlPubFunc.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

QString T(const char* key)
{
    return prt::LangText(QLatin1String(key));
}

QString RemoveFirstColon(QString s)
{
    const qsizetype i = s.indexOf(QLatin1Char(':'));
    if (i >= 0)
        s.remove(i, 1);
    return s;
}

} // namespace

QString ManageIpButtonModels()
{
    return MainData::IpMessageModels();
}

QString ManagePortString(const QString& portType, const QString& serialPort, const QString& baud,
                         const QString& parallelPort, const QString& ipText)
{
    if (portType == QLatin1String("COM"))
        return RemoveFirstColon(serialPort) + QStringLiteral(",BAUDRATE_") + baud;
    if (portType == QLatin1String("LPT"))
        return RemoveFirstColon(parallelPort);
    if (portType == QLatin1String("USB"))
        return QStringLiteral("USB");
    if (portType == QLatin1String("NET"))
        return QStringLiteral("NET,") + ipText;
    return QString();
}

bool ManagePortStringOpens(const QString& portString)
{
    prt::sdk::PortSpec spec;
    return prt::sdk::ParsePortString(portString, &spec) == prt::sdk::PRT_OK;
}

T_frmPrinterManage_Label* frmPrinterManage_Label = nullptr;

T_frmPrinterManage_Label* GetPrinterManageForm()
{
    // Made by the first idle step after the main window's paint, or here when an add or
    // modify comes first (or a test starts the main window alone); the instance is reused
    // for every add and modify.
    if (!frmPrinterManage_Label)
        frmPrinterManage_Label = new T_frmPrinterManage_Label();
    return frmPrinterManage_Label;
}

void T_frmPrinterManage_Label::PrepareAdd()
{
    Mode = QStringLiteral("Add");
}

void T_frmPrinterManage_Label::PrepareModify(const TModifyHandover& h)
{
    Mode = QStringLiteral("Modify");
    Model = h.PrtDefName;
    RowIndex = h.Row;
    RowLine = h.RowLine;
    PortType = h.PortType;
    PortParam = h.PortParam;
    Notes = h.Notes;
    VersionId = h.PrtVerOfTool;
}

T_frmPrinterManage_Label::T_frmPrinterManage_Label(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPrinterManage_Label"));
    FVersionMg = std::make_unique<TObj_Ult_PrtVerOfToolMg>();
    auto named = [](QWidget* w, const char* n) {
        w->setObjectName(QLatin1String(n));
        return w;
    };
    lblPrinterName = static_cast<QLabel*>(named(new QLabel(this), "lblPrinterName"));
    lblPrinterName->setGeometry(12, 14, 90, 22);
    cmbPrinterName = static_cast<QComboBox*>(named(new QComboBox(this), "cmbPrinterName"));
    cmbPrinterName->setGeometry(134, 12, 250, 26);

    gpbPortInformation = static_cast<QGroupBox*>(named(new QGroupBox(this), "gpbPortInformation"));
    gpbPortInformation->setGeometry(12, 46, 372, 112);
    lblPortType = static_cast<QLabel*>(named(new QLabel(gpbPortInformation), "lblPortType"));
    lblPortType->setGeometry(10, 24, 90, 22);
    cmbPortType = static_cast<QComboBox*>(named(new QComboBox(gpbPortInformation), "cmbPortType"));
    cmbPortType->setGeometry(104, 22, 120, 26);
    cmbPortType->addItems({"USB", "COM", "LPT", "NET"});

    auto panel = [&](const char* n) {
        auto* p = static_cast<QFrame*>(named(new QFrame(gpbPortInformation), n));
        p->setGeometry(6, 54, 330, 54);
        return p;
    };
    pnlUSB = panel("pnlUSB");
    lblUSB = static_cast<QLabel*>(named(new QLabel(pnlUSB), "lblUSB"));
    lblUSB->setGeometry(4, 4, 320, 44);
    lblUSB->setWordWrap(true);
    pnlSerial = panel("pnlSerial");
    lblSerial = static_cast<QLabel*>(named(new QLabel(pnlSerial), "lblSerial"));
    lblSerial->setGeometry(4, 2, 90, 22);
    cmbSerialList = static_cast<QComboBox*>(named(new QComboBox(pnlSerial), "cmbSerialList"));
    cmbSerialList->setGeometry(98, 0, 120, 24);
    lblBaudrate = static_cast<QLabel*>(named(new QLabel(pnlSerial), "lblBaudrate"));
    lblBaudrate->setGeometry(4, 28, 90, 22);
    cmbBaudrate = static_cast<QComboBox*>(named(new QComboBox(pnlSerial), "cmbBaudrate"));
    cmbBaudrate->setGeometry(98, 27, 120, 24);
    cmbBaudrate->addItems({"4800", "9600", "19200", "38400", "57600", "115200"});
    pnlParallel = panel("pnlParallel");
    lblParallelList = static_cast<QLabel*>(named(new QLabel(pnlParallel), "lblParallelList"));
    lblParallelList->setGeometry(4, 2, 90, 22);
    cmbParallel = static_cast<QComboBox*>(named(new QComboBox(pnlParallel), "cmbParallel"));
    cmbParallel->setGeometry(98, 0, 120, 24);
    pnlTCPIP = panel("pnlTCPIP");
    lblIPAddress = static_cast<QLabel*>(named(new QLabel(pnlTCPIP), "lblIPAddress"));
    lblIPAddress->setGeometry(4, 2, 90, 22);
    txtIPAddress = static_cast<QLineEdit*>(named(new QLineEdit(pnlTCPIP), "txtIPAddress"));
    txtIPAddress->setGeometry(98, 0, 120, 24);
    btnIP = static_cast<QPushButton*>(named(new QPushButton(pnlTCPIP), "btnIP"));
    btnIP->setGeometry(222, 0, 106, 24);  // room for "Read IP Address" with its margins

    lblNotes = static_cast<QLabel*>(named(new QLabel(this), "lblNotes"));
    lblNotes->setGeometry(12, 168, 118, 22);
    edtNotes = static_cast<QLineEdit*>(named(new QLineEdit(this), "edtNotes"));
    edtNotes->setGeometry(134, 166, 250, 24);
    edtNotes->setMaxLength(64);
    edtlbl_PrtVerOfTool = static_cast<QLineEdit*>(named(new QLineEdit(this), "edtlbl_PrtVerOfTool"));
    edtlbl_PrtVerOfTool->setGeometry(12, 198, 118, 24);
    edtlbl_PrtVerOfTool->setMaxLength(16);
    edtlbl_PrtVerOfTool->setFrame(false);
    cmbPrtVerOfTool = static_cast<QComboBox*>(named(new QComboBox(this), "cmbPrtVerOfTool"));
    cmbPrtVerOfTool->setGeometry(134, 198, 250, 24);
    mmolPrtVerOfTool = static_cast<QPlainTextEdit*>(named(new QPlainTextEdit(this), "mmolPrtVerOfTool"));
    mmolPrtVerOfTool->setGeometry(134, 226, 250, 44);
    mmolPrtVerOfTool->setReadOnly(true);

    pnlTool = static_cast<QFrame*>(named(new QFrame(this), "pnlTool"));
    pnlTool->setGeometry(12, 278, 372, 40);
    btnOK = static_cast<QPushButton*>(named(new QPushButton(pnlTool), "btnOK"));
    btnOK->setGeometry(0, 4, 100, 32);
    btnConnectTest = static_cast<QPushButton*>(named(new QPushButton(pnlTool), "btnConnectTest"));
    btnConnectTest->setGeometry(126, 4, 120, 32);
    btnClose = static_cast<QPushButton*>(named(new QPushButton(pnlTool), "btnClose"));
    btnClose->setGeometry(272, 4, 100, 32);
    resize(396, 326);

    connect(cmbPortType, &QComboBox::currentIndexChanged, this, [this] {
        if (!FFilling)
            cmbPortTypeChange();
    });
    connect(cmbPrinterName, &QComboBox::currentIndexChanged, this, [this] {
        if (!FFilling)
            cmbPrinterNameChange();
    });
    connect(cmbPrtVerOfTool, &QComboBox::currentIndexChanged, this, [this] {
        if (!FFilling)
            cmbPrtVerOfToolChange();
    });
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
    connect(btnConnectTest, &QPushButton::clicked, this, [this] { btnConnectTestClick(); });
    connect(btnIP, &QPushButton::clicked, this, [this] { btnIPClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
}

T_frmPrinterManage_Label::~T_frmPrinterManage_Label() = default;

void T_frmPrinterManage_Label::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void T_frmPrinterManage_Label::SetCaptions()
{
    setWindowTitle(T("FormPrinterManage_Caption"));
    lblPrinterName->setText(T("FormPrinterManage_lblPrinterName"));
    lblPrinterName->adjustSize();
    cmbPrinterName->move(lblPrinterName->x() + lblPrinterName->width() + 4, cmbPrinterName->y());
    gpbPortInformation->setTitle(T("FormPrinterManage_gpbPortInformation"));
    for (QLabel* l : {lblPortType, lblUSB, lblSerial, lblBaudrate, lblParallelList, lblIPAddress})
        l->setText(prt::LangText(QStringLiteral("FormPrinterManage_") + l->objectName()));
    lblNotes->setText(T("Lang_All_00210250_11") + T("Lang_All_00010002_11"));
    edtlbl_PrtVerOfTool->setReadOnly(true);
    edtlbl_PrtVerOfTool->setText(T("Lang_All_00210372_11"));
    btnConnectTest->setText(T("FormPrinterManage_btnConnectTest"));
    btnIP->setText(T("FormDLFile_btnIPMessage"));
    btnOK->setText(T("FormPrinterManage_btnOK"));
    btnClose->setText(T("_Close"));
}

void T_frmPrinterManage_Label::FormShow()
{
    FFilling = true;
    const TOemClass* oem = GetKesaVar() ? GetKesaVar()->GetOem() : nullptr;
    if (oem && oem->PrinterManageLayout == 2) {
        btnConnectTest->hide();
        const int d = pnlTool->width() - btnOK->width() - btnClose->width();
        btnOK->move(d / 3, btnOK->y());
        btnClose->move(btnOK->x() + btnOK->width() + d / 3, btnClose->y());
    } else {
        btnConnectTest->show();
    }
    SetCaptions();

    cmbPrinterName->clear();
    QStringList models;
    if (TKesaVar* kesa = GetKesaVar())
        kesa->FillPrinterModelList(&models);
    models.sort();
    models.removeDuplicates();  // a model named twice by the lists is offered once
    cmbPrinterName->addItems(models);
    cmbPrinterName->setCurrentIndex(cmbPrinterName->count() > 0 ? 0 : -1);
    cmbPortType->setCurrentIndex(0);
    OKFlag = 0;
    ListChanged = false;

    if (Mode == QLatin1String("Modify")) {
        SelectComboItemExact(cmbPrinterName, Model);
        RefreshVersionChoice();
        SelectComboItemByText(cmbPortType, PortType);
        const QString type = PortType.toUpper();
        if (type == QLatin1String("COM")) {
            ShowPortPanel(pnlSerial);
            const QString part1 = PortParam.section(QLatin1Char(','), 0, 0);
            const QString part2 = PortParam.section(QLatin1Char(','), 1);
            cmbSerialList->clear();
            cmbSerialList->addItems(EnumPrinterPorts(QStringLiteral("COM")));
            SelectComboItemByText(cmbSerialList, part1 + QLatin1Char(':'));
            SelectComboItemByText(cmbBaudrate, part2.section(QLatin1Char('_'), 1));
        } else if (type == QLatin1String("LPT")) {
            ShowPortPanel(pnlParallel);
            cmbParallel->clear();
            cmbParallel->addItems(EnumPrinterPorts(QStringLiteral("LPT")));
            SelectComboItemByText(cmbParallel, PortParam + QLatin1Char(':'));
        } else if (type == QLatin1String("NET")) {
            ShowPortPanel(pnlTCPIP);
            txtIPAddress->setText(PortParam);
        } else {
            ShowPortPanel(pnlUSB);
        }
        btnIP->setVisible(type == QLatin1String("NET") && InList(cmbPrinterName->currentText(), ManageIpButtonModels()));
        edtNotes->setText(Notes);
        for (const QString& line : FVersionList)
            if (line.section(QLatin1Char('='), 0, 0) == VersionId) {
                SelectComboItemExact(cmbPrtVerOfTool, line.section(QLatin1Char('='), 1));
                break;
            }
    } else {
        RefreshVersionChoice();
        cmbPortType->setCurrentIndex(0);
        edtNotes->clear();
        FFilling = false;
        cmbPortTypeChange();
        FFilling = true;
    }
    FFilling = false;
    cmbPrtVerOfToolChange();
    ApplyFormFont(this);
}

void T_frmPrinterManage_Label::ShowPortPanel(QFrame* panel)
{
    for (QFrame* p : {pnlUSB, pnlSerial, pnlParallel, pnlTCPIP}) {
        p->setVisible(p == panel);
        if (p == panel) {
            p->move(pnlUSB->pos());
            p->raise();
        }
    }
}

void T_frmPrinterManage_Label::cmbPortTypeChange()
{
    btnIP->hide();
    PortType = cmbPortType->currentText();
    if (PortType == QLatin1String("COM")) {
        ShowPortPanel(pnlSerial);
        cmbSerialList->clear();
        cmbSerialList->addItems(EnumPrinterPorts(QStringLiteral("COM")));
        if (cmbSerialList->count() > 0) {
            cmbSerialList->setCurrentIndex(0);
            cmbBaudrate->setCurrentIndex(cmbBaudrate->count() - 1);
        }
    } else if (PortType == QLatin1String("LPT")) {
        ShowPortPanel(pnlParallel);
        cmbParallel->clear();
        cmbParallel->addItems(EnumPrinterPorts(QStringLiteral("LPT")));
        if (cmbParallel->count() > 0)
            cmbParallel->setCurrentIndex(0);
    } else if (PortType == QLatin1String("NET")) {
        ShowPortPanel(pnlTCPIP);
        txtIPAddress->setText(QStringLiteral("192.168.0.33"));
        btnIP->setVisible(InList(cmbPrinterName->currentText(), ManageIpButtonModels()));
    } else {
        ShowPortPanel(pnlUSB);
    }
}

void T_frmPrinterManage_Label::cmbPrinterNameChange()
{
    btnIP->setVisible(InList(cmbPrinterName->currentText(), ManageIpButtonModels())
                      && PortType == QLatin1String("NET"));
    RefreshVersionChoice();
    cmbPrtVerOfToolChange();
}

void T_frmPrinterManage_Label::BuildVersionList(const QString& model)
{
    FVersionList.clear();
    FVersionMg->Clear();
    TFtnA_TheTempA descriptor;
    if (TASetFtnA* setter = GetASetFtnA())
        setter->SetFlags(&descriptor, model);
    descriptor.FillVersionList(&FVersionList, FVersionMg.get());
    FExtraModel = descriptor.ExtraModelFlag;
}

void T_frmPrinterManage_Label::RefreshVersionChoice()
{
    const QString model = cmbPrinterName->currentIndex() >= 0 ? cmbPrinterName->currentText() : PrtDefName;
    const bool filling = FFilling;
    FFilling = true;
    BuildVersionList(model);
    cmbPrtVerOfTool->clear();
    for (const QString& line : FVersionList)
        cmbPrtVerOfTool->addItem(line.section(QLatin1Char('='), 1));
    if (FExtraModel) {
        cmbPrtVerOfTool->setCurrentIndex(cmbPrtVerOfTool->count() > 0 ? 0 : -1);
    } else {
        cmbPrtVerOfTool->setCurrentIndex(-1);
        for (int i = 0; i < FVersionList.size(); ++i)
            if (FVersionList[i].section(QLatin1Char('='), 0, 0) == QLatin1String("0")) {
                cmbPrtVerOfTool->setCurrentIndex(i);
                break;
            }
    }
    FFilling = filling;
}

void T_frmPrinterManage_Label::cmbPrtVerOfToolChange()
{
    bool found = false;
    const QString value = FindPrtVerOfTool(cmbPrtVerOfTool->currentText(), FVersionMg.get(), found);
    mmolPrtVerOfTool->setPlainText(found ? value : QString());
}

QString T_frmPrinterManage_Label::CurrentPortString(const QString& portType) const
{
    return ManagePortString(portType, cmbSerialList->currentText(), cmbBaudrate->currentText(),
                            cmbParallel->currentText(), txtIPAddress->text());
}

void T_frmPrinterManage_Label::btnOKClick()
{
    if (cmbPrtVerOfTool->currentIndex() < 0) {
        ShowInfoBox(ReplaceFirst(T("Lang_All_00010014_11"), QStringLiteral("{0}"), T("Lang_All_00210372_11")));
        return;
    }
    TPrinterListRow row;
    row.Model = cmbPrinterName->currentText();
    row.PortType = cmbPortType->currentText();
    row.PortParam = CurrentPortString(row.PortType);
    row.Notes = edtNotes->text();
    row.PrtVerOfTool = QStringLiteral("0");
    for (const QString& line : FVersionList)
        if (line.section(QLatin1Char('='), 1) == cmbPrtVerOfTool->currentText()) {
            row.PrtVerOfTool = line.section(QLatin1Char('='), 0, 0);
            break;
        }
    // A network row whose address the port engine refuses could never be opened.
    if (row.PortType == QLatin1String("NET") && !ManagePortStringOpens(row.PortParam)) {
        prt::MessageBoxPrt(T(LANGKEY_ManageBadAddress), T("_MSG_Title_Error"), prt::MB_ICONERROR_);
        txtIPAddress->setFocus();
        return;
    }
    const QString path = GetPrinterListPath();
    const TPrinterListResult r = Mode == QLatin1String("Modify")
                                     ? ReplacePrinterListRow(path, {RowIndex, RowLine}, row)
                                     : AppendPrinterListRow(path, row);
    ShowPrinterListResult(r);
    if (r == TPrinterListResult::Changed) {
        // Nothing written: the window closes and the main window reads the list again.
        ListChanged = true;
        reject();
        return;
    }
    if (r != TPrinterListResult::Ok)
        return;
    OKFlag = -1;
    accept();
}

void T_frmPrinterManage_Label::btnConnectTestClick()
{
    QString port;
    const QString type = PortType;
    if (type == QLatin1String("COM") || type == QLatin1String("NET") || type == QLatin1String("USB")
        || type == QLatin1String("LPT")) {
        port = CurrentPortString(type);
    } else {
        ShowInfoBox(QStringLiteral("(ERRNO:20201225_130501)"));
        port = QStringLiteral("Invalid");
    }
    const int created = TsplCreateGlobalPrinter(MainData::DefaultModel());
    if (created != 0) {
        prt::MessageBoxPrt(T("_Err_CreatePrinter") + QLatin1Char(':') + QString::number(created),
                           T("_MSG_Title_Error"), prt::MB_ICONERROR_);
        return;
    }
    const int r = TsplOpenPort(port);
    if (r != 0)
        prt::MessageBoxPrt(OpenPortFailureMessage(r), T("_MSG_Title_Error"), prt::MB_ICONERROR_);
    else
        prt::MessageBoxPrt(T("_ConnectOK"), T("_MSG_Title_Message"), prt::MB_ICONINFORMATION_);
    TsplClosePortByName(port);
}

void T_frmPrinterManage_Label::btnIPClick()
{
    gChosenPrinterAddress.clear();
    QString chosen;
    ShowFormModal(QLatin1String(FormNames::NetDiscovery), {}, [&chosen](QWidget* w) {
        if (auto* f = qobject_cast<TForm13*>(w); f && f->OKFlag() == -1)
            chosen = gChosenPrinterAddress;
    });
    if (!chosen.isEmpty())
        txtIPAddress->setText(chosen);
}

void T_frmPrinterManage_Label::btnCloseClick()
{
    reject();
}
