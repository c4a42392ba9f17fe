#include "FormDLFile.h"

#include "PrinterCMD.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlDLCommon.h"
#include "mdlDLFileRules.h"
#include "PrtTick.h"
#include "mdlCurrentPrinter.h"
#include "mdlGlobalVar.h"
#include "mdlModelCatalog.h"
#include "mdlOptionLists.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPubFunc.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShowEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

using namespace prt::dl;

namespace {

QTreeWidget* MakeList(QWidget* parent, const char* name)
{
    auto* v = DLMake<QTreeWidget>(parent, name);
    v->setColumnCount(2);
    v->setRootIsDecorated(false);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->header()->setStretchLastSection(true);
    v->setColumnWidth(0, 70);
    v->setMinimumHeight(110);
    v->setMinimumWidth(220);
    return v;
}

const QByteArray kBitmapsArg("\"bitmaps\"");
const QByteArray kLabelsArg("\"labels\"");
const QByteArray kAutoformArg("\"autoform\"");

// A do-command of a handler, on the port the handler has opened (DLDoTwoArgsOnOpenPort).
bool DoOnOpenPort(const QByteArray& key, const QByteArray& argument, const QString& value)
{
    return DLDoTwoArgsOnOpenPort(GetCmdOpenedFlag() != 0 || DLStored().directPortFlag != 0, key, argument, value);
}

} // namespace

// ---- construction -------------------------------------------------------------------------

TDLFileFormBase::TDLFileFormBase(bool zr, QWidget* parent)
    : QDialog(parent), zr_(zr), sender_(std::make_unique<TDLThread>())
{
    // FormCreate: the window stays on top of the others
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    BuildControls();
    connect(sender_.get(), &TDLThread::progress, this, [this](int index, int) {
        ProgressBar2->setValue(index);
        Label1->setText(QString::number(index));
    });
    connect(sender_.get(), &TDLThread::listed, this, &TDLFileFormBase::OnListed);
    connect(sender_.get(), &TDLThread::spaceRead, this, &TDLFileFormBase::ApplySpace);
    connect(sender_.get(), &TDLThread::transferEnded, this, &TDLFileFormBase::OnTransferEnded);
}

TDLFileFormBase::~TDLFileFormBase()
{
    sender_->CancelAndWait();
    if (shown_)
        FormClose();  // freed without being closed first
}

TfrmDLFile::TfrmDLFile(QWidget* parent) : TDLFileFormBase(false, parent)
{
    setObjectName(QStringLiteral("TfrmDLFile"));
}

TfrmDLFile_ZR::TfrmDLFile_ZR(QWidget* parent) : TDLFileFormBase(true, parent)
{
    setObjectName(QStringLiteral("TfrmDLFile_ZR"));
}

void TDLFileFormBase::BuildControls()
{
    auto* root = new QVBoxLayout(this);
    gpbDLFiles = DLMake<QGroupBox>(this, "gpbDLFiles");
    auto* g = new QGridLayout(gpbDLFiles);
    lblFT_File = DLMake<QLabel>(gpbDLFiles, "lblFT_File");
    cmbFileType = DLMake<QComboBox>(gpbDLFiles, "cmbFileType");
    lblImageTimes = DLMake<QLabel>(gpbDLFiles, "lblImageTimes");
    cmbImageTimes = DLMake<QComboBox>(gpbDLFiles, "cmbImageTimes");
    cmbImageTimes->addItems({"1.0", "1.5", "2.0", "2.5", "3.0"});
    lblPPL_File = DLMake<QLabel>(gpbDLFiles, "lblPPL_File");
    cmbPPL = DLMake<QComboBox>(gpbDLFiles, "cmbPPL");
    Label3 = DLMake<QLabel>(gpbDLFiles, "Label3");
    ComboBox1 = DLMake<QComboBox>(gpbDLFiles, "ComboBox1");
    lblFN_File = DLMake<QLabel>(gpbDLFiles, "lblFN_File");
    txtFilePath = DLMake<QLineEdit>(gpbDLFiles, "txtFilePath");
    txtFilePath->setReadOnly(true);
    txtFilePath->setMinimumWidth(260);
    Button7 = DLMake<QPushButton>(gpbDLFiles, "Button7");
    Button7->setText(QStringLiteral("..."));
    btnDLFile = DLMake<QPushButton>(gpbDLFiles, "btnDLFile");
    ProgressBar2 = DLMake<QProgressBar>(gpbDLFiles, "ProgressBar2");
    lblProgressInfo_F = DLMake<QLabel>(gpbDLFiles, "lblProgressInfo_F");
    Label1 = DLMake<QLabel>(gpbDLFiles, "Label1");
    Label2 = DLMake<QLabel>(gpbDLFiles, "Label2");
    lblSpace_File = DLMake<QLabel>(gpbDLFiles, "lblSpace_File");

    g->addWidget(lblFT_File, 0, 0);
    g->addWidget(cmbFileType, 0, 1);
    g->addWidget(Label3, 0, 2);
    g->addWidget(ComboBox1, 0, 3);
    g->addWidget(lblImageTimes, 1, 0);
    g->addWidget(cmbImageTimes, 1, 1);
    g->addWidget(lblPPL_File, 1, 2);
    g->addWidget(cmbPPL, 1, 3);
    g->addWidget(lblFN_File, 2, 0);
    g->addWidget(txtFilePath, 2, 1, 1, 3);
    g->addWidget(Button7, 2, 4);
    auto* progress = new QHBoxLayout;
    progress->addWidget(lblProgressInfo_F);
    progress->addWidget(ProgressBar2, 1);
    progress->addWidget(Label1);
    progress->addWidget(Label2);
    g->addLayout(progress, 3, 0, 1, 4);
    g->addWidget(btnDLFile, 3, 4);
    g->addWidget(lblSpace_File, 4, 0, 1, 5);
    if (!zr_) {
        lblPrintWidth = DLMake<QLabel>(gpbDLFiles, "lblPrintWidth");
        txtPrintWidth = DLMake<QLineEdit>(gpbDLFiles, "txtPrintWidth");
        tipPrintWidth = DLMake<QLabel>(gpbDLFiles, "tipPrintWidth");
        lblPrintHeight = DLMake<QLabel>(gpbDLFiles, "lblPrintHeight");
        txtPrintHeight = DLMake<QLineEdit>(gpbDLFiles, "txtPrintHeight");
        tipPrintHeight = DLMake<QLabel>(gpbDLFiles, "tipPrintHeight");
        lblXPosition = DLMake<QLabel>(gpbDLFiles, "lblXPosition");
        txtXPosition = DLMake<QLineEdit>(gpbDLFiles, "txtXPosition");
        lblYPosition = DLMake<QLabel>(gpbDLFiles, "lblYPosition");
        txtYPosition = DLMake<QLineEdit>(gpbDLFiles, "txtYPosition");
        txtPrintWidth->setText(QStringLiteral("100"));
        txtPrintHeight->setText(QStringLiteral("80"));
        txtXPosition->setText(QStringLiteral("0"));
        txtYPosition->setText(QStringLiteral("0"));
        tipPrintWidth->setText(QStringLiteral("mm"));
        tipPrintHeight->setText(QStringLiteral("mm"));
        auto* size = new QHBoxLayout;
        for (QWidget* w : std::initializer_list<QWidget*>{lblPrintWidth, txtPrintWidth, tipPrintWidth, lblPrintHeight,
                                                          txtPrintHeight, tipPrintHeight, lblXPosition, txtXPosition,
                                                          lblYPosition, txtYPosition})
            size->addWidget(w);
        for (QLineEdit* e : {txtPrintWidth, txtPrintHeight, txtXPosition, txtYPosition}) {
            e->setMaximumWidth(60);
            e->installEventFilter(this);
        }
        g->addLayout(size, 5, 0, 1, 5);
    }
    root->addWidget(gpbDLFiles);

    auto* lists = new QGridLayout;
    lblImage_File = DLMake<QLabel>(this, "lblImage_File");
    lvFonts = MakeList(this, "lvFonts");
    btnGetAllImage = DLMake<QPushButton>(this, "btnGetAllImage");
    btnPrintImage = DLMake<QPushButton>(this, "btnPrintImage");
    btnDelCurImage = DLMake<QPushButton>(this, "btnDelCurImage");
    btnDelAllImage = DLMake<QPushButton>(this, "btnDelAllImage");
    lblTemplate_File = DLMake<QLabel>(this, "lblTemplate_File");
    ListView1 = MakeList(this, "ListView1");
    btnGetAllTmp = DLMake<QPushButton>(this, "btnGetAllTmp");
    btnPrintTmp = DLMake<QPushButton>(this, "btnPrintTmp");
    btnDelCurTmp = DLMake<QPushButton>(this, "btnDelCurTmp");
    btnDelAllTmp = DLMake<QPushButton>(this, "btnDelAllTmp");
    lblAutoTmp_File = DLMake<QLabel>(this, "lblAutoTmp_File");
    lsbAutoTmp = DLMake<QListWidget>(this, "lsbAutoTmp");
    lsbAutoTmp->setMinimumHeight(110);
    btnGetAutoTmp = DLMake<QPushButton>(this, "btnGetAutoTmp");
    btnPrintAutoTmp = DLMake<QPushButton>(this, "btnPrintAutoTmp");
    btnDeleteAutoTmp = DLMake<QPushButton>(this, "btnDeleteAutoTmp");
    btnSwitchAutoform = DLMake<QPushButton>(this, "btnSwitchAutoform");
    auto column = [&](int c, QLabel* caption, QWidget* list, std::initializer_list<QPushButton*> buttons) {
        lists->addWidget(caption, 0, c);
        lists->addWidget(list, 1, c);
        int r = 2;
        for (QPushButton* b : buttons)
            lists->addWidget(b, r++, c);
    };
    column(0, lblImage_File, lvFonts, {btnGetAllImage, btnPrintImage, btnDelCurImage, btnDelAllImage});
    column(1, lblTemplate_File, ListView1, {btnGetAllTmp, btnPrintTmp, btnDelCurTmp, btnDelAllTmp});
    column(2, lblAutoTmp_File, lsbAutoTmp, {btnGetAutoTmp, btnPrintAutoTmp, btnDeleteAutoTmp, btnSwitchAutoform});
    if (zr_) {
        lblPrintImagePosition = DLMake<QLabel>(this, "lblPrintImagePosition");
        edtPrintImagePosition = DLMake<QLineEdit>(this, "edtPrintImagePosition");
        edtPrintImagePosition->setText(QStringLiteral("0"));
        lists->addWidget(lblPrintImagePosition, 6, 0);
        lists->addWidget(edtPrintImagePosition, 7, 0);
    }
    root->addLayout(lists);

    // the template and auto-template controls start disabled
    SetUIStatus_Template(false);
    for (QWidget* w : std::initializer_list<QWidget*>{ProgressBar2, lblProgressInfo_F, Label1, Label2, lblSpace_File})
        w->setVisible(false);
    if (zr_) {
        cmbFileType->setEnabled(false);
        ComboBox1->setEnabled(false);
        cmbPPL->setVisible(false);
        lblPPL_File->setVisible(false);
    }

    // operator actions only: programmatic changes of the lists run no handler
    connect(cmbFileType, &QComboBox::activated, this, [this] { cmbFileTypeChange(); });
    connect(cmbPPL, &QComboBox::activated, this, [this] { cmbPPLChange(); });
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    connect(Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    connect(btnDLFile, &QPushButton::clicked, this, [this] { btnDLFileClick(); });
    for (QPushButton* b : {btnGetAllImage, btnPrintImage, btnDelCurImage, btnDelAllImage})
        connect(b, &QPushButton::clicked, this, [this, b] { DoActive_Bitmap(b); });
    for (QPushButton* b : {btnGetAllTmp, btnPrintTmp, btnDelCurTmp, btnDelAllTmp})
        connect(b, &QPushButton::clicked, this, [this, b] { DoActive_Label(b); });
    for (QPushButton* b : {btnGetAutoTmp, btnPrintAutoTmp, btnDeleteAutoTmp, btnSwitchAutoform})
        connect(b, &QPushButton::clicked, this, [this, b] { DoActive_AutoTmp(b); });
}

// ---- life cycle ----------------------------------------------------------------------------

void TDLFileFormBase::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && !shown_) {
        shown_ = true;
        FormShow();
    }
}

void TDLFileFormBase::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TDLFileFormBase::FormShow()
{
    kindGuard_ = std::make_unique<TDLSdkKindGuard>();
    TDLStoredState& st = DLStored();
    if (!zr_) {
        QStringList emulations;
        FillEmulationList(&emulations);
        FillComboFromValues(cmbPPL, &emulations);
        SetTemplateStatus();
        st.directPortFlag = 0;
        const int code = EscCreateGlobalPrinter(GetModelName_F58S());
        if (code != 0)
            DLErrorText(QString::number(code) + QLatin1Char(':') + DLText("_Err_CreatePrinter"));
    } else {
        st.directPortFlag = 0;
    }
    LanguageIni();
    ApplyFormFont(this);
    ComboBox1->setCurrentIndex(1);
    GetSpace();
    if (!zr_) {
        st.printerLanguage = CmdGetVal(KEY_ppl);
        if (IsCurModelInList(DLDirectModels7()) && st.printerLanguage == QLatin1String("dpl"))
            st.dpl = DplControlFromReply(CmdGetVal(KEY_control_codes), st.dpl);
    }
    cmbImageTimes->setCurrentIndex(0);
    cmbPPL->setCurrentIndex(0);
    cmbFileType->setCurrentIndex(0);
    if (!zr_)
        cmbFileTypeChange();
}

void TDLFileFormBase::FormClose()
{
    shown_ = false;
    sender_->CancelAndWait();
    QCoreApplication::sendPostedEvents(this);  // the sender's last signals
    if (!zr_)
        EscClosePort();
    // what the window opened is closed again
    if (GetCmdOpenedFlag() != 0 || DLStored().directPortFlag != 0)
        TsplClosePort();
    SetCmdOpenedFlag(0);
    DLStored().directPortFlag = 0;
    if (kindGuard_)
        kindGuard_->Restore();
}

void TDLFileFormBase::LanguageIni()
{
    lblProgressInfo_F->setText(DLText("FormDLF_ProgressInfo"));
    btnDLFile->setText(DLText(running_ ? "msgCC" : "msgDL"));
    setWindowTitle(DLText("FormDLFile_Caption"));
    gpbDLFiles->setTitle(DLText("FormDLFile_gpbDLFiles"));
    lblImageTimes->setText(DLText("FormDLFile_lblImageTimes"));
    lblPPL_File->setText(DLText("FormDLFile_lblPPL_File"));
    lblFT_File->setText(DLText("FormDLFile_lblDFUType"));
    lblFN_File->setText(DLText("FormDLFile_lblSelectFile"));
    Label3->setText(DLText("FormDLFile_lblCarPosi"));
    ComboBox1->clear();
    ComboBox1->addItems({DLText("FormDLFile_cmbLakeBoart1"), DLText("FormDLFile_cmbLakeBoart2")});
    cmbFileType->clear();
    cmbFileType->addItems(
        {DLText("FormDLFile_cmbFileType_1"), DLText("FormDLFile_cmbFileType_2"), DLText("FormDLFile_cmbFileType_3")});
    lblImage_File->setText(DLText("FormDLFile_cmbFileType_1"));
    lblTemplate_File->setText(DLText("FormDLFile_cmbFileType_2"));
    lblAutoTmp_File->setText(DLText("FormDLFile_cmbFileType_3"));
    btnGetAllImage->setText(DLText("FormDLFile_btnGetAllImage"));
    btnPrintImage->setText(DLText("FormDLFile_btnPrintImage"));
    btnDelCurImage->setText(DLText("FormDLFile_btnDelCurImage"));
    btnDelAllImage->setText(DLText("FormDLFile_btnDelAllImage"));
    btnGetAllTmp->setText(DLText("FormDLFile_btnGetAllTmp"));
    btnPrintTmp->setText(DLText("FormDLFile_btnPrintTmp"));
    btnDelCurTmp->setText(DLText("FormDLFile_btnDelCurTmp"));
    btnDelAllTmp->setText(DLText("FormDLFile_btnDelAllTmp"));
    btnGetAutoTmp->setText(DLText("FormDLFile_btnGetAutoTmp"));
    btnPrintAutoTmp->setText(DLText("FormDLFile_btnPrintAutoTmp"));
    btnDeleteAutoTmp->setText(DLText("FormDLFile_btnDeleteAutoTmp"));
    btnSwitchAutoform->setText(DLText("FormDLFile_btnSwitchAutoform"));
    lvFonts->setHeaderLabels({DLText("FormDLF_lvFontsItem0"), DLText("FormDLFile_lvImagesItem1")});
    ListView1->setHeaderLabels({DLText("FormDLF_lvFontsItem0"), DLText("FormDLFile_lvModulItem1")});
    if (!zr_) {
        lblPrintWidth->setText(DLText("FormPrintTextLabel_lblPrintableWidth"));
        lblPrintHeight->setText(DLText("FormPrintTextLabel_lblPrintableHeight"));
        lblXPosition->setText(DLText("FormPrintTextLabel_lblDColumnOffset"));
        lblYPosition->setText(DLText("FormPrintTextLabel_lblDRowOffset"));
    } else {
        lblPrintImagePosition->setText(DLText("FormDLFile_lblPrintImagePosition"));
    }
}

// ---- small steps -----------------------------------------------------------------------------

void TDLFileFormBase::SetRunning(bool running)
{
    running_ = running;
    btnDLFile->setText(DLText(running ? "msgCC" : "msgDL"));
}

void TDLFileFormBase::SetPortControlsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{Button7, btnGetAllImage, btnPrintImage, btnDelCurImage,
                                                      btnDelAllImage})
        w->setEnabled(enabled);
    if (!zr_) {
        cmbFileType->setEnabled(enabled);
        ComboBox1->setEnabled(enabled);
        cmbPPL->setEnabled(enabled);
        if (enabled)
            SetTemplateStatus();
        else
            SetUIStatus_Template(false);
    }
}

void TDLFileFormBase::ClosePortIfOpen()
{
    // the guarded open and the raw writes share the TSPL object: a close ends both
    if (GetCmdOpenedFlag() != 0) {
        CmdClosePortIfOpen();
        DLStored().directPortFlag = 0;
    }
}

void TDLFileFormBase::CloseTsplPort()
{
    TsplClosePort();
    DLStored().directPortFlag = 0;
}

bool TDLFileFormBase::OpenOnce()
{
    EnsurePrinterObject();
    return CmdOpenPortOnce();
}

TDLDialectInput TDLFileFormBase::Dialect() const
{
    return {PrtDefName, DLOemCo(), DLStored().printerLanguage};
}

bool TDLFileFormBase::DirectWrite(const QByteArray& bytes)
{
    TDLStoredState& st = DLStored();
    if (st.directPortFlag == 0 && GetCmdOpenedFlag() == 0) {
        EnsureTsplPrinterObject();
        const int code = TsplOpenPort(GetCurrentPortString());
        SetCmdLastResult(code);
        if (code != 0 && code != prt::sdk::PRT_ALREADY_OPEN) {
            DLErrorText(OpenPortFailureMessage(code));
            return false;
        }
        st.directPortFlag = -1;
    }
    TsplWriteData(bytes);
    return true;
}

QString TDLFileFormBase::RowPrefix(const QTreeWidget* list, int row) const
{
    const QTreeWidgetItem* it = list->topLevelItem(row);
    return StoragePrefix(it && it->text(0) == ComboBox1->itemText(0));
}

void TDLFileFormBase::FillImageRows(const QList<TStoredRow>& rows)
{
    for (const TStoredRow& r : rows)
        lvFonts->addTopLevelItem(
            new QTreeWidgetItem(QStringList{ComboBox1->itemText(r.ram ? 0 : 1), r.name}));
}

void TDLFileFormBase::FillTemplateRows(const QList<TStoredRow>& rows)
{
    for (const TStoredRow& r : rows)
        ListView1->addTopLevelItem(
            new QTreeWidgetItem(QStringList{ComboBox1->itemText(r.ram ? 0 : 1), r.name}));
}

void TDLFileFormBase::ApplySpace(const QString& used, const QString& remaining)
{
    TSpaceInfo info;
    if (!ParseSpaceReplies(used, remaining, info))
        return;  // a reply that is no number leaves the label and the free space as they were
    DLStored().remainingSpace = info.remainingBytes;
    lblSpace_File->setText(
        ReplaceFirst(ReplaceFirst(DLText("FormDLF_SpaceInfo"), "{0}", info.remaining), "{1}", info.used));
    lblSpace_File->setVisible(true);
}

void TDLFileFormBase::GetSpace()
{
    TDLStoredState& st = DLStored();
    if (st.directPortFlag == 0 && GetCmdOpenedFlag() == 0) {
        EnsureTsplPrinterObject();
        const int code = TsplOpenPort(GetCurrentPortString());
        if (code != 0) {
            DLErrorText(OpenPortFailureMessage(code));
            return;
        }
        st.directPortFlag = -1;
    }
    const bool ram = ComboBox1->currentIndex() == 0;
    const QString used = CmdGetVal(ram ? KEY_use_capacity_ram : KEY_use_capacity);
    if (used.isEmpty())
        return;
    const QString remaining = CmdGetVal(ram ? KEY_remain_capacity_ram : KEY_remain_capacity);
    if (remaining.isEmpty())
        return;
    ApplySpace(used, remaining);
}

void TDLFileFormBase::SetUIStatus_Template(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{lblTemplate_File, btnGetAllTmp, btnPrintTmp, btnDelCurTmp,
                                                      btnDelAllTmp, lblAutoTmp_File, btnGetAutoTmp, btnPrintAutoTmp,
                                                      btnDeleteAutoTmp, btnSwitchAutoform})
        w->setEnabled(enabled);
}

void TDLFileFormBase::SetTemplateStatus()
{
    if (zr_)
        return;
    const QString list = DLTemplateModels();
    if (IsInCommaList(PrtBasName, list) || IsInCommaList(PrtDefName, list))
        SetUIStatus_Template(true);
}

bool TDLFileFormBase::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && !zr_) {
        if (event->type() == QEvent::KeyPress) {
            // CheckImportNumber: digits and the editing keys only
            const auto* k = static_cast<QKeyEvent*>(event);
            if (!NumberFieldAcceptsKey(k->key(), k->text()))
                return true;
        } else if (event->type() == QEvent::FocusOut) {
            CheckValue(edit);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDLFileFormBase::CheckValue(QLineEdit* edit)
{
    if (NumberFieldNeedsZero(edit->text()))
        edit->setText(QStringLiteral("0"));
}

// ---- file type, file and storage ----------------------------------------------------------------

void TDLFileFormBase::cmbFileTypeChange()
{
    const int type = cmbFileType->currentIndex();
    const bool image = type == 0;
    cmbPPL->setVisible(!image);
    lblPPL_File->setVisible(!image);
    cmbImageTimes->setVisible(image);
    lblImageTimes->setVisible(image);
    txtFilePath->clear();
    typeWord_ = DLFileTypeWord(type);
    if (zr_)
        return;
    const QString ppl = DLStored().printerLanguage;
    const bool show = DLFileShowsPlacement(ppl, image);
    if (show && ppl == QLatin1String("dpl")) {
        tipPrintWidth->setText(QStringLiteral("m"));
        tipPrintHeight->setText(QStringLiteral("m"));
    }
    for (QWidget* w : std::initializer_list<QWidget*>{lblPrintWidth, txtPrintWidth, tipPrintWidth, lblPrintHeight,
                                                      txtPrintHeight, tipPrintHeight, lblXPosition, txtXPosition,
                                                      lblYPosition, txtYPosition})
        w->setVisible(show);
}

void TDLFileFormBase::Button7Click()
{
    const QString file = DLGetOpenFileName(this, DLFileFilter(zr_, cmbFileType->currentIndex() == 0));
    if (file.isEmpty())
        return;
    const QString name = QFileInfo(file).fileName();
    const QString refusal = DLFileNameRefusal(name, zr_, DLFileDplDirect(DLStored().printerLanguage));
    if (!refusal.isEmpty()) {
        DLErrorText(refusal);
        return;
    }
    downloadName_ = name;
    txtFilePath->setText(file);
    typeWord_ = DLFileTypeWord(cmbFileType->currentIndex());
}

void TDLFileFormBase::cmbPPLChange()
{
    lvFonts->clear();
    ListView1->clear();
    lsbAutoTmp->clear();
}

void TDLFileFormBase::ComboBox1Change()
{
    GetSpace();
    DoActive_Bitmap(btnGetAllImage);
}

// ---- download ----------------------------------------------------------------------------------

void TDLFileFormBase::btnDLFileClick()
{
    const int type = cmbFileType->currentIndex();
    if (cmbPPL->currentText().isEmpty() && type != 0) {
        DLError("_Err_Select_PPL");
        return;
    }
    if (running_) {
        // the cancel branch: the sender stops before its next packet
        sender_->Cancel();
        SetRunning(false);
        HideProgress();
        return;
    }
    if (sender_->IsBusy() || directBusy_)
        return;  // the previous transfer is still ending
    const QString path = txtFilePath->text();
    if (path.isEmpty() && (typeWord_ == QLatin1String("bitmaps") || typeWord_ == QLatin1String("labels")))
        return;
    const QString fileRefusal = DLChosenFileRefusal(path, DLText("_Err_FileNotExist"));
    if (!fileRefusal.isEmpty()) {
        DLErrorText(fileRefusal);
        return;
    }
    if (!OpenOnce())
        return;
    SetRunning(true);
    const TDLDialectInput in = Dialect();
    const QString work = DLWorkBmpPath();
    if (type == 0) {
        const float chosen = cmbImageTimes->currentText().toFloat();
        const float scale = chosen > 0 ? chosen : 1.0f;
        // The printer's width limit first, so that a picture it cannot take is refused
        // with the reason before anything is decoded.
        dpi_ = DpiOfReply(CmdGetVal(KEY_dpi));
        const int widthLimit = PictureWidthLimit(dpi_);
        const QString refusal = PictureRefusal(CheckPictureForDownload(path, scale, widthLimit));
        if (!refusal.isEmpty()) {
            DLErrorText(refusal);
            ClosePortIfOpen();
            SetRunning(false);
            return;
        }
        if (!ConvertImageToMonoBmp(path, work, scale)) {
            ClosePortIfOpen();
            SetRunning(false);
            return;
        }
        if (!CheckBmpWidth(work, widthLimit)) {
            ClosePortIfOpen();
            SetRunning(false);
            return;
        }
    }
    // the name on the printer
    const TDLDirect direct = DLFileDirectNaming(in, type, zr_);
    const QString chosen = downloadName_.isEmpty() ? QFileInfo(path).fileName() : downloadName_;
    const QString stored = StoredFileName(chosen, type == 0 ? TDLStoredKind::Image : TDLStoredKind::Template, direct,
                                          cmbPPL->currentText());
    storedName_ = stored;
    const TDLFileRoute route = DLFileRouteOf(in, type, zr_);
    if (route == TDLFileRoute::DirectImage) {
        DirectImagePath();
        return;
    }
    if (type != 0) {
        QByteArray file;
        if (!ReadFileToBytes(path, file)) {
            DLErrorText(DLFileReadFailure(path, DLText("_Err_FileNotExist")));
            ClosePortIfOpen();
            SetRunning(false);
            return;
        }
        payload_ = file;
        if (route == TDLFileRoute::DirectTemplate) {
            DirectTemplatePath(file);
            return;
        }
    }
    StartPacketPath();
}

void TDLFileFormBase::StartPacketPath()
{
    const int type = zr_ ? 0 : cmbFileType->currentIndex();
    if (type == 0) {
        TMonoBitmap bmp;
        payload_.clear();
        if (LoadMonoBitmap(DLWorkBmpPath(), bmp))
            payload_ = BuildPacketImagePayload(bmp);
        if (payload_.isEmpty()) {
            DLError("_E_IC");
            ClosePortIfOpen();
            SetRunning(false);
            return;
        }
    }
    if (payload_.size() > DLStored().remainingSpace) {
        DLWarn("mNoSP", prt::MB_ICONERROR_);
        ClosePortIfOpen();
        SetRunning(false);
        return;
    }
    const bool ram = ComboBox1->currentIndex() == 0;
    const TDLOptions o = DLFilePacketOptions(zr_, type, ram, typeWord_, storedName_);
    const int count = PacketCount(payload_.size(), kDefaultPacketSize, TDLCountRule::Thread);
    ProgressBar2->setRange(0, std::max(1, count));
    ProgressBar2->setValue(0);
    Label1->setText(QStringLiteral("0"));
    Label2->setText(ReplaceFirst(DLText("FormDLF_DLI2"), "{1}", QString::number(count)));
    for (QWidget* w : std::initializer_list<QWidget*>{ProgressBar2, lblProgressInfo_F, Label1, Label2})
        w->setVisible(true);
    SetPortControlsEnabled(false);
    sender_->Start(payload_, o);
}

void TDLFileFormBase::OnListed(const QString& key, const QString& reply)
{
    if (key == QLatin1String(KEY_bitmaps)) {
        if (reply.isEmpty())
            return;
        lvFonts->clear();
        FillImageRows(ParseKeyValueListing(reply));
    } else if (key == QLatin1String(KEY_labels)) {
        ListView1->clear();
        FillTemplateRows(ParseKeyValueListing(reply));
    } else if (key == QLatin1String(KEY_autoform)) {
        lsbAutoTmp->clear();
        DLStored().autoTemplateReply = reply;
        if (reply.isEmpty())
            return;
        DLStored().autoTemplateNames = JoinKeyValueAutoTemplates(reply);
        lsbAutoTmp->addItem(DLStored().autoTemplateNames);
    }
}

void TDLFileFormBase::OnTransferEnded(int result, int)
{
    DLStored().directPortFlag = 0;  // the sender closed the port
    SetPortControlsEnabled(true);
    switch (static_cast<TDLResult>(result)) {
    case TDLResult::Success:
        DLInfo("_DownloadSuccess");
        SetRunning(false);
        break;
    case TDLResult::Cancelled:
        break;
    default:
        // A printer that stopped mid-transfer: the window is idle again (download caption,
        // no progress) before the message tells why.
        SetRunning(false);
        HideProgress();
        DLErrorText(DLText(ResultMessageKey(static_cast<TDLResult>(result), QStringLiteral("FormGDL_ErrIO"))
                             .toLatin1()
                             .constData()));
        break;
    }
}

void TDLFileFormBase::HideProgress()
{
    ProgressBar2->setValue(0);
    Label1->clear();
    Label2->clear();
    for (QWidget* w : std::initializer_list<QWidget*>{ProgressBar2, lblProgressInfo_F, Label1, Label2})
        w->setVisible(false);
}

void TDLFileFormBase::WaitForSender()
{
    sender_->wait();
    QCoreApplication::sendPostedEvents(sender_.get());
    QCoreApplication::sendPostedEvents(this);
    QCoreApplication::processEvents();
}

void TDLFileFormBase::DirectImagePath()
{
    directBusy_ = true;
    if (!CmdOpenPort()) {
        EndDirect(false);
        return;
    }
    const QString ppl = DLStored().printerLanguage;
    TMonoBitmap bmp;
    QByteArray bytes;
    if (ppl == QLatin1String("dpl")) {
        QByteArray file;
        ReadFileToBytes(DLWorkBmpPath(), file);
        bytes = BuildDplImage(file, storedName_, DLStored().dpl);
    } else if (LoadMonoBitmap(DLWorkBmpPath(), bmp)) {
        bytes = ppl == QLatin1String("zpl") ? BuildZplGraphic(bmp, storedName_) : BuildTsplBmp(bmp, storedName_);
    }
    if (bytes.isEmpty()) {
        DLError("_E_IC");
        ClosePortIfOpen();
        directBusy_ = false;
        SetRunning(false);
        return;
    }
    if (TsplWriteData(bytes) != 0) {
        EndDirect(false);
        return;
    }
    if (ppl == QLatin1String("tsc")) {
        uint8_t drop[512];
        uint32_t got = 0;
        TsplReadData(drop, sizeof drop, &got);
    }
    DoActive_Bitmap(btnGetAllImage);
    if (DLStored().imageListFlag == 0) {
        EndDirect(false);
        return;
    }
    GetSpace();
    SetRunning(false);
    ClosePortIfOpen();
    directBusy_ = false;
    DLInfo("_DownloadSuccess");
}

void TDLFileFormBase::DirectTemplatePath(const QByteArray& file)
{
    directBusy_ = true;
    if (TsplWriteData(TsplTemplateDownload(storedName_, file)) != 0) {
        EndDirect(false);
        return;
    }
    DelayMs(2000);
    uint8_t drop[512];
    uint32_t got = 0;
    TsplReadData(drop, sizeof drop, &got);
    if (cmbFileType->currentIndex() == 1)
        DoActive_Label(btnGetAllTmp);
    else
        DoActive_AutoTmp(btnGetAutoTmp);
    OpenOnce();
    GetSpace();
    SetRunning(false);
    ClosePortIfOpen();
    directBusy_ = false;
    DLInfo("_DownloadSuccess");
}

void TDLFileFormBase::EndDirect(bool)
{
    // a direct download that could not be confirmed: the operator is told, the button
    // is the download button again
    DLError("FormGDL_ErrIO");
    ClosePortIfOpen();
    directBusy_ = false;
    SetRunning(false);
}

// ---- stored images ------------------------------------------------------------------------------

void TDLFileFormBase::DeleteImageKeyValue(const QString& storedName)
{
    DoOnOpenPort(KEY_delete, kBitmapsArg, storedName);
    for (int i = 0; i < 11; ++i) {
        prt::SleepMs(50);
        if (CmdGetVal(QByteArray()) == QLatin1String("OK"))
            break;
    }
}

void TDLFileFormBase::DoActive_Bitmap(QObject* sender)
{
    if (!OpenOnce())
        return;
    TDLStoredState& st = DLStored();
    st.imageListFlag = 0;
    const TDLDialectInput in = Dialect();
    const bool t7 = !zr_ && DialectT7(in), d7 = !zr_ && DialectD7(in), z8 = !zr_ && DialectZ8(in);
    if (sender == btnGetAllImage) {
        if (t7) {
            const QString reply = CmdSendTextRead(TsplListCommand(), 2000);
            if (reply.isEmpty())
                return;
            lvFonts->clear();
            FillImageRows(ParseTsplListing(reply, QStringLiteral(".BMP")));
        } else if (d7) {
            QList<TStoredRow> rows;
            if (!ParseDplImageListing(CmdSendTextRead(DplListImagesCommand(st.dpl), 2000), char(st.dpl.eol), rows))
                return;
            lvFonts->clear();
            FillImageRows(rows);
        } else if (z8) {
            const QString reply = CmdSendTextRead(ZplListImagesCommand(), 2000);
            if (reply.isEmpty())
                return;
            st.zplImageNames = ParseZplImageListing(reply);
            lvFonts->clear();
            for (const QString& n : st.zplImageNames)
                FillImageRows({TStoredRow{false, n}});
        } else {
            const QString reply = CmdGetVal(KEY_bitmaps);
            if (reply.isEmpty())
                return;
            lvFonts->clear();
            FillImageRows(ParseKeyValueListing(reply));
        }
        st.imageListFlag = -1;
        ClosePortIfOpen();
        return;
    }
    if (sender == btnDelAllImage) {
        if (z8) {
            CmdSendTextRead100(ZplDeleteImagesCommand(st.zplImageNames));
        } else {
            for (int i = 0; i < lvFonts->topLevelItemCount(); ++i) {
                const QString name = lvFonts->topLevelItem(i)->text(1);
                if (t7)
                    CmdSendTextRead100(TsplKillCommand(name));
                else if (d7)
                    CmdSendTextRead100(DplDeleteImageCommand(name, st.dpl));
                else
                    DeleteImageKeyValue(RowPrefix(lvFonts, i) + name);
            }
        }
        if (!zr_)
            GetSpace();
        lvFonts->clear();
        ClosePortIfOpen();
        return;
    }
    // print or delete the selected image
    const int row = lvFonts->currentItem() ? lvFonts->indexOfTopLevelItem(lvFonts->currentItem()) : -1;
    if (row < 0) {
        ClosePortIfOpen();
        prt::MessageBoxPrt(DLText("msgsi"), DLText("_MSG_Title_Warn"), prt::MB_ICONINFORMATION_);
        return;
    }
    const QString name = lvFonts->topLevelItem(row)->text(1);
    if (sender == btnPrintImage) {
        if (zr_) {
            const QString pos = edtPrintImagePosition->text();
            if (!IsPrintPositionText(pos)) {
                DLError("msgASCIIFileName");
                ClosePortIfOpen();
                return;
            }
            CmdSetValLower(KEY_pic_start_pos, pos);
            DoOnOpenPort(KEY_print, kBitmapsArg, name);
        } else if (z8) {
            if (!DirectWrite(ZplPrintImageCommand(name)))
                return;
            CloseTsplPort();
        } else if (d7) {
            if (!DirectWrite(DplPrintImageCommand(name, txtXPosition->text(), txtYPosition->text(),
                                                  txtPrintWidth->text().toInt(), txtPrintHeight->text().toInt(),
                                                  st.dpl)))
                return;
            CloseTsplPort();
        } else if (t7) {
            if (!DirectWrite(TsplPrintImageCommand(name, txtPrintWidth->text(), txtPrintHeight->text(),
                                                   txtXPosition->text(), txtYPosition->text())))
                return;
            CloseTsplPort();
        } else {
            DoOnOpenPort(KEY_print, kBitmapsArg, name);
        }
    } else if (sender == btnDelCurImage) {
        if (t7)
            CmdSendTextRead100(TsplKillCommand(name));
        else if (d7)
            CmdSendTextRead100(DplDeleteImageCommand(name, st.dpl));
        else if (z8)
            CmdSendTextRead100(ZplDeleteImagesCommand({name}));
        else
            DeleteImageKeyValue(RowPrefix(lvFonts, row) + name);
        if (!zr_)
            GetSpace();
        delete lvFonts->takeTopLevelItem(row);
    }
    ClosePortIfOpen();
}

// ---- stored templates -----------------------------------------------------------------------------

void TDLFileFormBase::DoActive_Label(QObject* sender)
{
    if (zr_ || !OpenOnce())
        return;
    const TDLDialectInput in = Dialect();
    const bool t4 = DialectT4(in);
    if (sender == btnGetAllTmp) {
        if (t4) {
            const QString reply = CmdSendTextRead100(TsplListCommand());
            if (reply.isEmpty())
                return;
            ListView1->clear();
            FillTemplateRows(ParseTsplListing(reply, QStringLiteral(".BAS")));
        } else {
            const QString reply = CmdGetVal(KEY_labels);
            uint8_t drop[512];
            uint32_t got = 0;
            TsplReadData(drop, sizeof drop, &got);
            ListView1->clear();
            if (reply.isEmpty())
                return;
            FillTemplateRows(ParseKeyValueListing(reply));
        }
        ClosePortIfOpen();
        return;
    }
    if (sender == btnDelAllTmp) {
        for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
            const QString name = ListView1->topLevelItem(i)->text(1);
            if (t4)
                CmdSendTextRead100(TsplKillCommand(name));
            else
                DoOnOpenPort(KEY_delete, kLabelsArg, RowPrefix(ListView1, i) + name);
        }
        ListView1->clear();
        ClosePortIfOpen();
        return;
    }
    const int row = ListView1->currentItem() ? ListView1->indexOfTopLevelItem(ListView1->currentItem()) : -1;
    if (row < 0) {
        ClosePortIfOpen();
        return;
    }
    const QString name = ListView1->topLevelItem(row)->text(1);
    if (sender == btnPrintTmp) {
        if (t4) {
            if (!DirectWrite(TsplRunCommand(name)))
                return;
            CloseTsplPort();
        } else {
            DoOnOpenPort(KEY_print, kLabelsArg, RowPrefix(ListView1, row) + name);
        }
    } else if (sender == btnDelCurTmp) {
        if (DialectT4Any(in))
            CmdSendTextRead100(TsplKillCommand(name));
        else
            DoOnOpenPort(KEY_delete, kLabelsArg, RowPrefix(ListView1, row) + name);
        delete ListView1->takeTopLevelItem(row);
    }
    ClosePortIfOpen();
}

// ---- auto templates ----------------------------------------------------------------------------------

void TDLFileFormBase::DoActive_AutoTmp(QObject* sender)
{
    if (zr_)
        return;
    const QString switchOn = DLText("FormDLFile_btnSwitchAutoform1");
    const QString switchOff = DLText("FormDLFile_btnSwitchAutoform2");
    if (!OpenOnce())
        return;
    TDLStoredState& st = DLStored();
    const bool t4 = DialectT4(Dialect());
    if (sender == btnGetAutoTmp) {
        uint8_t drop[512];
        uint32_t got = 0;
        TsplReadData(drop, sizeof drop, &got);
        if (t4) {
            const QString reply = CmdSendTextRead100(TsplListCommand());
            if (reply.isEmpty())
                return;
            st.autoTemplateReply = reply;
            st.autoTemplateNames = JoinTsplAutoTemplates(reply);
            lsbAutoTmp->clear();
        } else {
            const QString reply = CmdGetVal(KEY_autoform);
            lsbAutoTmp->clear();
            if (reply.isEmpty())
                return;
            st.autoTemplateReply = reply;
            st.autoTemplateNames = JoinKeyValueAutoTemplates(reply);
        }
        if (!st.autoTemplateNames.isEmpty())
            lsbAutoTmp->addItem(st.autoTemplateNames);
        btnSwitchAutoform->setText(CmdGetVal(KEY_autoform_switch) == QLatin1String("on") ? switchOff : switchOn);
        ClosePortIfOpen();
        return;
    }
    if (sender == btnSwitchAutoform) {
        QString value;
        if (btnSwitchAutoform->text() == switchOff) {
            btnSwitchAutoform->setText(switchOn);
            value = QStringLiteral("off");
        } else {
            btnSwitchAutoform->setText(switchOff);
            value = QStringLiteral("on");
        }
        CmdSetValLower(KEY_autoform_switch, value);
        EnsurePrinterObject();
        CmdDo(KEY_save_param);
        prt::SleepMs(1000);
        CmdClosePort();
        EnsurePrinterObject();
        CmdDo(KEY_reset_printer);
        st.directPortFlag = 0;  // the object and its port are gone
        return;
    }
    const int row = lsbAutoTmp->currentRow();
    if (row < 0) {
        ClosePortIfOpen();
        return;
    }
    if (sender == btnPrintAutoTmp) {
        if (t4) {
            for (const QString& name : AutoTemplatePieces(st.autoTemplateNames)) {
                if (!DirectWrite(TsplRunCommand(name)))
                    return;
                prt::SleepMs(100);
            }
            CloseTsplPort();
        } else {
            for (const QString& piece : AutoTemplatePieces(st.autoTemplateReply)) {
                DoOnOpenPort(KEY_print, kAutoformArg, piece);
                prt::SleepMs(100);
            }
        }
    } else if (sender == btnDeleteAutoTmp) {
        if (t4) {
            for (const QString& name : AutoTemplatePieces(st.autoTemplateNames))
                CmdSendTextRead100(TsplKillCommand(name));
        } else {
            for (const QString& piece : AutoTemplatePieces(st.autoTemplateReply)) {
                DoOnOpenPort(KEY_delete, kAutoformArg, piece);
                prt::SleepMs(100);
            }
        }
        delete lsbAutoTmp->takeItem(row);
    }
    ClosePortIfOpen();
}
