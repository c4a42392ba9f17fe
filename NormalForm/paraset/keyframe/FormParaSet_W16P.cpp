#include "FormParaSet_W16P.h"

#include "CMD_Key.h"
#include "PrinterCMD.h"
#include "mdlCurrentPrinter.h"
#include "mdlModelFeatures.h"
#include "mdlModuleState.h"
#include "mdlOptionLists.h"
#include "mdlParaSetKeyRules.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPubFunc.h"
#include "mdlGlobalVar.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <typename T>
T* Named(T* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// A label of this form: like every parameter-form label, without a colon.
QString Caption(const char* key)
{
    return KfText(QString::fromLatin1(key));
}

uint8_t GlobalOp()
{
    return static_cast<uint8_t>(gKeyFrameOpByte);
}

const TKeyFrameRow& RowOf(uint16_t id)
{
    return *FindKeyFrameRow(KF_W16P, id);
}

} // namespace

T_frmParaSet_W16P::T_frmParaSet_W16P(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("T_frmParaSet_W16P"));
    FFilled = new TKfFilled(this);
    auto* grid = new QGridLayout();
    int row = 0;
    const auto add = [&](QLabel* label, QWidget* control, QWidget* extra = nullptr) {
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row, 1);
        if (extra)
            grid->addWidget(extra, row, 2);
        ++row;
    };
    lblBaudRate = Named(new QLabel(this), "lblBaudRate");
    cmbBaudRate = Named(new QComboBox(this), "cmbBaudRate");
    KfSetItems(cmbBaudRate, {"4800", "9600", "19200", "38400", "57600", "115200"});
    add(lblBaudRate, cmbBaudRate);
    lblDensity = Named(new QLabel(this), "lblDensity");
    cmbDensity = Named(new QComboBox(this), "cmbDensity");
    KfSetItems(cmbDensity, paraset::NumberItems(0, 15));
    add(lblDensity, cmbDensity);
    lblBuzzerSound = Named(new QLabel(this), "lblBuzzerSound");
    cmbBuzzerSound = Named(new QComboBox(this), "cmbBuzzerSound");
    KfSetItems(cmbBuzzerSound, paraset::NumberItems(0, 3));
    add(lblBuzzerSound, cmbBuzzerSound);
    lblBackLight = Named(new QLabel(this), "lblBackLight");
    cmbBackLight = Named(new QComboBox(this), "cmbBackLight");
    KfSetItems(cmbBackLight, paraset::NumberItems(0, 3));
    add(lblBackLight, cmbBackLight);
    lblPrintToStop = Named(new QLabel(this), "lblPrintToStop");
    txtPrintToStop = Named(new QLineEdit(this), "txtPrintToStop");
    Label16 = Named(new QLabel(QStringLiteral("(-99 - 99)"), this), "Label16");
    add(lblPrintToStop, txtPrintToStop, Label16);
    lblPrintSpeed = Named(new QLabel(this), "lblPrintSpeed");
    cmbPrintSpeed = Named(new QComboBox(this), "cmbPrintSpeed");
    KfSetItems(cmbPrintSpeed, paraset::NumberItems(5, 10));
    add(lblPrintSpeed, cmbPrintSpeed);
    lblReleasePaper = Named(new QLabel(this), "lblReleasePaper");
    cmbReleasePaper = Named(new QComboBox(this), "cmbReleasePaper");
    txtSupport_ReleasePaper = Named(new QLineEdit(this), "txtSupport_ReleasePaper");
    add(lblReleasePaper, cmbReleasePaper, txtSupport_ReleasePaper);
    lblPaperMode = Named(new QLabel(this), "lblPaperMode");
    cmbPaperMode = Named(new QComboBox(this), "cmbPaperMode");
    txtTip_PaperMode = Named(new QLineEdit(this), "txtTip_PaperMode");
    add(lblPaperMode, cmbPaperMode, txtTip_PaperMode);
    lblRePrintSwitch = Named(new QLabel(this), "lblRePrintSwitch");
    cmbRePrintSwitch = Named(new QComboBox(this), "cmbRePrintSwitch");
    txtTip_RePrintSwitch = Named(new QLineEdit(this), "txtTip_RePrintSwitch");
    add(lblRePrintSwitch, cmbRePrintSwitch, txtTip_RePrintSwitch);
    lblMinStudyPaperLength = Named(new QLabel(this), "lblMinStudyPaperLength");
    txtMinStudyPaperLength = Named(new QLineEdit(this), "txtMinStudyPaperLength");
    txtSupport_MinStudyPaperLength = Named(new QLineEdit(this), "txtSupport_MinStudyPaperLength");
    add(lblMinStudyPaperLength, txtMinStudyPaperLength, txtSupport_MinStudyPaperLength);
    lblCutters = Named(new QLabel(this), "lblCutters");
    cmbCutters = Named(new QComboBox(this), "cmbCutters");
    txtTip_CutterSwitch = Named(new QLineEdit(this), "txtTip_CutterSwitch");
    add(lblCutters, cmbCutters, txtTip_CutterSwitch);
    grid->setColumnMinimumWidth(1, 160);
    grid->setColumnMinimumWidth(2, 180);
    for (QLineEdit* tip : {txtSupport_ReleasePaper, txtTip_PaperMode, txtTip_RePrintSwitch,
                           txtSupport_MinStudyPaperLength, txtTip_CutterSwitch})
        tip->setReadOnly(true);

    btnSet = Named(new QPushButton(this), "btnSet");
    btnClose = Named(new QPushButton(this), "btnClose");
    btnSet->setAutoDefault(false);
    btnClose->setAutoDefault(false);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(btnSet);
    buttons->addWidget(btnClose);
    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(buttons);

    for (QComboBox* c : {cmbBaudRate, cmbDensity, cmbBuzzerSound, cmbBackLight, cmbPrintSpeed, cmbReleasePaper,
                         cmbPaperMode, cmbRePrintSwitch, cmbCutters})
        FFilled->Watch(c);
    FFilled->Watch(txtPrintToStop);
    FFilled->Watch(txtMinStudyPaperLength);
    KfInstallKeyFilter(txtPrintToStop, paraset::TKeyFilter::SignedNumber, 2);
    KfInstallKeyFilter(txtMinStudyPaperLength, paraset::TKeyFilter::Number, 3);

    connect(btnSet, &QPushButton::clicked, this, &T_frmParaSet_W16P::btnSetClick);
    connect(btnClose, &QPushButton::clicked, this, &T_frmParaSet_W16P::btnCloseClick);
    connect(txtPrintToStop, &QLineEdit::editingFinished, this, &T_frmParaSet_W16P::txtPrintToStopExit);
    connect(cmbReleasePaper, &QComboBox::currentIndexChanged, this, &T_frmParaSet_W16P::cmbReleasePaperChange);
}

T_frmParaSet_W16P::~T_frmParaSet_W16P()
{
    CutLeaveHandlers(this);
}

void T_frmParaSet_W16P::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (FShown)
        return;
    FShown = true;
    FormShow();
}

bool T_frmParaSet_W16P::ReprintEditable() const
{
    return PermissionValue(QStringLiteral("0125000001")) == 1 || FCutter;
}

bool T_frmParaSet_W16P::PaperModeEditable() const
{
    return PermissionValue(QStringLiteral("0121000001")) == 1 || FCutter;
}

bool T_frmParaSet_W16P::ReleaseSupported() const
{
    return ::ReleasePaperSupported() == 1;
}

void T_frmParaSet_W16P::InitLanguage()
{
    setWindowTitle(KfText("_ParaSet"));
    lblBaudRate->setText(KfText("FormParaSet_W16_lblBaudRate"));
    lblDensity->setText(KfText("FormParaSet_W16_lblDensity"));
    lblBuzzerSound->setText(KfText("FormParaSet_W16_lblBuzzerSound"));
    lblBackLight->setText(KfText("FormParaSet_W16_lblBackLight"));
    lblPrintToStop->setText(KfText("Lang_All_00210106_13"));
    lblPrintSpeed->setText(KfText("FormParaSet_W7X_lblPrintSpeed"));
    lblCutters->setText(KfText("FormParaSet_W7X_lblCutters"));
    lblRePrintSwitch->setText(Caption("Lang_All_00210109_11"));
    lblPaperMode->setText(Caption("Lang_All_00210093_11"));
    lblReleasePaper->setText(Caption("Lang_All_00210024_11"));
    lblMinStudyPaperLength->setText(KfText("Lang_All_00210139_11"));
    btnSet->setText(KfText("_Set"));
    btnClose->setText(KfText("_Close"));

    const QString unsupported = KfText("Lang_Pos_00010003_11");
    // Reprint switch and paper mode: editable by permission (or for the cutter model).
    const auto optional = [&](QComboBox* combo, QLineEdit* tip, QStringList& list, bool editable,
                              void (*fill)(QStringList*)) {
        fill(&list);
        KfSetItems(combo, TextsOfList(list));
        if (editable) {
            tip->setText(KfText("Lang_Pos_00010004_11"));
            tip->setVisible(false);
            combo->setEnabled(true);
        } else {
            tip->setText(unsupported);
            tip->setVisible(true);
            combo->setEnabled(false);
        }
    };
    optional(cmbRePrintSwitch, txtTip_RePrintSwitch, FReprintList, ReprintEditable(), &FillRePrintSwitchList);
    optional(cmbPaperMode, txtTip_PaperMode, FPaperModeList, PaperModeEditable(), &FillPaperModeList);
    // Cutter: only the cutter model has one.
    if (FCutter) {
        FillCutterList(&FCutterList);
        KfSetItems(cmbCutters, TextsOfList(FCutterList));
        cmbCutters->setEnabled(true);
        txtTip_CutterSwitch->setVisible(false);
    } else {
        KfSetItems(cmbCutters, {});
        cmbCutters->setEnabled(false);
        txtTip_CutterSwitch->setText(unsupported);
        txtTip_CutterSwitch->setVisible(true);
    }
    // Release paper.
    FillReleasePaperList(&FReleaseList);
    FReleaseChangeFlag = false;
    KfSetItems(cmbReleasePaper, TextsOfList(FReleaseList));
    FReleaseChangeFlag = true;
    if (ReleaseSupported()) {
        txtSupport_ReleasePaper->setVisible(false);
        cmbReleasePaper->setEnabled(true);
    } else {
        txtSupport_ReleasePaper->setText(unsupported);
        txtSupport_ReleasePaper->setVisible(true);
        cmbReleasePaper->setEnabled(false);
    }
    // Minimum paper length for learning.
    if (PermissionValue(QStringLiteral("0140000001")) == 1 || FCutter) {
        SetEditWritable(txtMinStudyPaperLength);
        txtMinStudyPaperLength->setEnabled(true);
        FMinLenRead = FMinLenWrite = true;
        txtSupport_MinStudyPaperLength->setText(QStringLiteral("%1~%2").arg(FMinLenLow).arg(FMinLenHigh) +
                                                KfText("Lang_All_00210105_11"));
    } else {
        SetEditReadOnly(txtMinStudyPaperLength);
        txtMinStudyPaperLength->clear();
        txtMinStudyPaperLength->setEnabled(false);
        txtSupport_MinStudyPaperLength->setText(unsupported);
    }
}

void T_frmParaSet_W16P::FormShow()
{
    ApplyFormIcon(this);
    FReleaseChangeFlag = true;
    FMinLenRead = FMinLenWrite = false;
    FMinLenLow = 8;
    FMinLenHigh = 999;
    FWide = W16PIsWideRange(PrtBasName);
    FCutter = W16PIsCutterModel(PrtBasName);
    KfInstallKeyFilter(txtPrintToStop, paraset::TKeyFilter::SignedNumber, FWide ? 3 : 2);
    InitLanguage();
    ApplyFormFont(this);
    layout()->activate();
    adjustSize();  // the captions are known only now
    EnsureTsplPrinterObject();
    const int opened = TsplOpenPort(GetCurrentPortString());
    if (opened != 0) {
        KfErrorBox(PortResultMessage(KfText("_Err_OpenPort"), opened));
        return;
    }
    kivhe8v();
}

bool T_frmParaSet_W16P::ReadOptional(uint16_t id, const TKfControl& c, const QString& caption)
{
    const TKeyFrameRow& row = RowOf(id);
    bool replied = false;
    KfReadInto(row, KfOpByte(row.ReadOp, GlobalOp()), c, *FFilled, &replied);
    if (!replied)
        KfInfoBox(KfTemplate(QStringLiteral("Lang_All_00010011_11"), {caption}));
    return replied;
}

std::vector<std::pair<uint16_t, TKfControl>> T_frmParaSet_W16P::RequiredRows() const
{
    // Read and written in this order, operation byte 1; the first failure ends the pass.
    return {{0xcb, KfCombo(cmbDensity)},    {0xca, KfCombo(cmbPrintSpeed)},
            {0x6c, KfCombo(cmbBaudRate)},   {0x194, KfCombo(cmbBuzzerSound)},
            {0x19e, KfCombo(cmbBackLight)}, {0xd0, KfEdit(txtPrintToStop, !FWide)}};
}

void T_frmParaSet_W16P::kivhe8v()
{
    FException = false;
    if (!KfOpenPort())
        return;
    const auto required = [&](uint16_t id, const TKfControl& c) {
        bool replied = false;
        KfReadInto(RowOf(id), 1, c, *FFilled, &replied);
        return replied;
    };
    bool failed = false;
    for (const auto& [id, c] : RequiredRows())
        if (!required(id, c)) {
            failed = true;
            break;
        }
    if (!failed) {
        if (!FException && ReprintEditable())
            ReadOptional(0xec, KfCombo(cmbRePrintSwitch, &FReprintList), KfText("Lang_All_00210109_11"));
        if (!FException && FCutter)
            ReadOptional(0xd5, KfCombo(cmbCutters, &FCutterList), KfText("FormParaSet_W7X_lblCutter"));
        if (!FException && PaperModeEditable())
            ReadOptional(0xce, KfCombo(cmbPaperMode, &FPaperModeList), KfText("Lang_All_00210093_11"));
        if (!FException && ReleaseSupported()) {
            FReleaseChangeFlag = false;
            ReadOptional(0x1a0, KfCombo(cmbReleasePaper, &FReleaseList), KfText("Lang_All_00210024_11"));
            FReleaseChangeFlag = true;
        }
        if (!FMinLenRead)
            return;
        if (required(0xee, KfEdit(txtMinStudyPaperLength)))
            return;
    }
    if (!FException)
        KfErrorBox(KfText("_Err_ReadData"));
}

int T_frmParaSet_W16P::WriteOptional(uint16_t id, const TKfControl& c, const QString& caption)
{
    const TKeyFrameRow& row = RowOf(id);
    const int r = KfWriteFrom(row, KfOpByte(row.WriteOp, GlobalOp()), c, *FFilled);
    if (r < 0) {
        KfInfoBox(KfTemplate(QStringLiteral("Lang_All_00010013_11"), {caption}));
        FException = true;
    }
    return r;
}

void T_frmParaSet_W16P::btnSetClick()
{
    FException = false;
    // Numbers are checked before anything is sent.
    int n = 0;
    if (FMinLenWrite && FFilled->Has(txtMinStudyPaperLength) &&
        (!KfParseInt(txtMinStudyPaperLength->text(), n) || n < FMinLenLow || n > FMinLenHigh)) {
        QString text = KfTemplate(QStringLiteral("Lang_All_00010021_11"),
                                  {KfText("Lang_All_00210139_11"), QString::number(FMinLenLow),
                                   QString::number(FMinLenHigh)});
        if (text.isEmpty())
            text = KfText("Lang_All_00010022_14");
        KfInfoBox(text);
        return;
    }
    // (a distance shown as the printer gave it goes back as read, whatever it shows)
    if (FFilled->Has(txtPrintToStop) && !KfAsRead(KfEdit(txtPrintToStop, !FWide), *FFilled) &&
        (!KfParseInt(txtPrintToStop->text(), n) || n < -99 || n > 99)) {
        KfInfoBox(KfTemplate(QStringLiteral("Lang_All_00010021_11"),
                             {KfText("Lang_All_00210106_13"), QStringLiteral("-99"), QStringLiteral("99")}));
        return;
    }
    if (!KfOpenPort())
        return;  // the open routine has said why; the form keeps the edits
    const auto endPass = [this] {
        CmdKeyClosePort();
        KfErrorBox(KfText("_Err_ParaSet"));
        close();
    };
    for (const auto& [id, c] : RequiredRows()) {
        if (KfWriteFrom(RowOf(id), 1, c, *FFilled) < 0) {
            endPass();
            return;
        }
    }
    // An optional item that fails says so itself (and sets the exception flag); any failed
    // write ends the pass without a reset.
    if (!FException && ReprintEditable())
        WriteOptional(0xec, KfCombo(cmbRePrintSwitch, &FReprintList), KfText("Lang_All_00210109_11"));
    if (!FException && PaperModeEditable())
        WriteOptional(0xce, KfCombo(cmbPaperMode, &FPaperModeList), KfText("Lang_All_00210093_11"));
    if (!FException && FCutter)
        WriteOptional(0xd5, KfCombo(cmbCutters, &FCutterList), KfText("FormParaSet_W7X_lblCutter"));
    if (!FException && ReleaseSupported())
        WriteOptional(0x1a0, KfCombo(cmbReleasePaper, &FReleaseList), KfText("Lang_All_00210024_11"));
    bool failed = FException;
    if (!failed && FMinLenWrite) {
        const TKeyFrameRow& row = RowOf(0xee);
        failed = KfWriteFrom(row, KfOpByte(row.WriteOp, GlobalOp()), KfEdit(txtMinStudyPaperLength), *FFilled) < 0;
    }
    // The printer is reset only when it took every frame: it must still answer after the
    // last one.
    if (failed || !KfLinkHeld(1, 0xcb)) {
        endPass();
        return;
    }
    if (KfDo(QByteArrayLiteral("\"reset_printer\"")))
        KfErrorBox(KfText("_Err_ParaSet"));
    else
        KfInfoBox(KfText("msgSRP"));
    close();
}

void T_frmParaSet_W16P::btnCloseClick()
{
    close();
}

void T_frmParaSet_W16P::txtPrintToStopExit()
{
    const QString t = txtPrintToStop->text().trimmed();
    int n = 0;
    if (t.isEmpty())
        txtPrintToStop->setText(QStringLiteral("0"));
    else if (KfParseInt(t, n) && n > 99)
        txtPrintToStop->setText(QStringLiteral("99"));
    else if (KfParseInt(t, n) && n < -99)
        txtPrintToStop->setText(QStringLiteral("-99"));
}

void T_frmParaSet_W16P::cmbReleasePaperChange()
{
    // Only the operator's choices count as a change; the read's own selection does not.
    if (FReleaseChangeFlag && cmbReleasePaper->currentIndex() >= 0 && cmbReleasePaper->hasFocus())
        FFilled->Mark(cmbReleasePaper);
}
