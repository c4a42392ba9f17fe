#include "FormDLF.h"

#include "PrinterCMD.h"
#include "PrtCodePage.h"
#include "PrtMsgBox.h"
#include "mdlCurrentPrinter.h"
#include "mdlDLCommon.h"
#include "mdlGlobalVar.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlParamValues.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"
#include "mdlPubFunc.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace fontcmd;
using prt::dl::TDLOptions;
using prt::dl::TDLPort;
using prt::dl::TDLResult;

QString FontPrinterLanguage;
QString DplControlCodes;
QByteArray DplStx(1, '\x02'), DplCr(1, '\x0D'), DplSoh(1, '\x01');
QByteArray FontDirectBuffer;
QString DplFontId;

TDplCodes FontDplCodes()
{
    TDplCodes c;
    c.stx = DplStx.isEmpty() ? c.stx : uint8_t(DplStx.at(0));
    c.eol = DplCr.isEmpty() ? c.eol : uint8_t(DplCr.at(0));
    c.soh = DplSoh.isEmpty() ? c.soh : uint8_t(DplSoh.at(0));
    return c;
}

void ResetFontModuleValues()
{
    FontPrinterLanguage.clear();
    DplControlCodes.clear();
    DplStx = QByteArray(1, '\x02');
    DplCr = QByteArray(1, '\x0D');
    DplSoh = QByteArray(1, '\x01');
    FontDirectBuffer.clear();
    DplFontId.clear();
}

namespace {

// Replies are compared without the blanks, line ends and NULs a printer may add.
QString Trimmed(const QString& reply)
{
    QString s = reply;
    s.remove(QChar(0));
    return s.trimmed();
}

QLineEdit* DigitsEdit(QWidget* parent, const char* name, const QString& text, int maxLength)
{
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(maxLength);
    // Digits only, typed or pasted.
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    return e;
}

QLabel* NamedLabel(QWidget* parent, const char* name, const QString& text = {})
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

} // namespace

TfrmDLF::TfrmDLF(QWidget* parent) : QDialog(parent), FSender(std::make_unique<prt::dl::TDLThread>())
{
    setObjectName(QStringLiteral("frmDLF"));
    // FormCreate: the window stays on top of the others.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    CreateControls();
    connect(FSender.get(), &prt::dl::TDLThread::progress, this, [this](int index, int) {
        proDLFont->setValue(index * FProgressUnit);
        Label1->setText(QString::number(index * FProgressUnit));
    });
    connect(FSender.get(), &prt::dl::TDLThread::listed, this, [this](const QString&, const QString& reply) {
        bool ok = false;
        const TFontRows rows = ParsePacketFontListing(reply, &ok);
        if (ok)
            FillRows(rows);
    });
    connect(FSender.get(), &prt::dl::TDLThread::reported, this, [this](const QString& what, const QVariant& data) {
        if (what == QLatin1String("rows")) {
            TFontRows rows;
            for (const QString& name : data.toStringList())
                rows.append({1, name});
            FillRows(rows);
        } else if (what == QLatin1String("space") && data.toStringList().size() == 2) {
            ShowSpace(data.toStringList().at(0), data.toStringList().at(1));
        }
    });
    connect(FSender.get(), &prt::dl::TDLThread::spaceRead, this, &TfrmDLF::ShowSpace);
    connect(FSender.get(), &prt::dl::TDLThread::transferEnded, this, &TfrmDLF::TransferEnded);
}

TfrmDLF::~TfrmDLF()
{
    CutLeaveHandlers(this);
    FormClose();
}

void TfrmDLF::WaitForSender()
{
    FSender->wait();
    QCoreApplication::sendPostedEvents(FSender.get());
    QCoreApplication::sendPostedEvents(this);
    QCoreApplication::processEvents();
}

void TfrmDLF::SetTransferPort(std::shared_ptr<TDLPort> port)
{
    FSender->SetPort(std::move(port));
}

void TfrmDLF::CreateControls()
{
    auto* root = new QVBoxLayout(this);

    auto* top = new QGridLayout();
    lblFontID = NamedLabel(this, "lblFontID");
    cmbFontID = new QComboBox(this);
    cmbFontID->setObjectName(QStringLiteral("cmbFontID"));
    cmbFontID->setEnabled(false);
    lblSelectFont = NamedLabel(this, "lblSelectFont");
    txtFilePath_F = new QLineEdit(this);
    txtFilePath_F->setObjectName(QStringLiteral("txtFilePath_F"));
    txtFilePath_F->setReadOnly(true);
    txtFilePath_F->setEnabled(false);
    txtFilePath_F->setMinimumWidth(260);
    Button2 = new QPushButton(QStringLiteral("..."), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setFixedWidth(qMax(36, Button2->minimumSizeHint().width()));
    btnDLFont = new QPushButton(this);
    btnDLFont->setObjectName(QStringLiteral("btnDLFont"));
    top->addWidget(lblFontID, 0, 0);
    top->addWidget(cmbFontID, 0, 1, 1, 2);
    top->addWidget(lblSelectFont, 1, 0);
    top->addWidget(txtFilePath_F, 1, 1);
    top->addWidget(Button2, 1, 2);
    top->addWidget(btnDLFont, 1, 3);
    root->addLayout(top);

    auto* progressRow = new QHBoxLayout();
    lblProgressInfo_F = NamedLabel(this, "lblProgressInfo_F");
    Label1 = NamedLabel(this, "Label1", QStringLiteral("0"));
    Label2 = NamedLabel(this, "Label2");
    proDLFont = new QProgressBar(this);
    proDLFont->setObjectName(QStringLiteral("proDLFont"));
    proDLFont->setTextVisible(false);
    progressRow->addWidget(lblProgressInfo_F);
    progressRow->addWidget(Label1);
    progressRow->addWidget(Label2);
    progressRow->addWidget(proDLFont, 1);
    root->addLayout(progressRow);
    for (QWidget* w : {static_cast<QWidget*>(lblProgressInfo_F), static_cast<QWidget*>(Label1),
                       static_cast<QWidget*>(Label2), static_cast<QWidget*>(proDLFont)})
        w->hide();

    lblSpace_Font = NamedLabel(this, "lblSpace_Font");
    lblSpace_Font->hide();
    root->addWidget(lblSpace_Font);

    auto* listRow = new QHBoxLayout();
    lvFonts = new QTreeWidget(this);
    lvFonts->setObjectName(QStringLiteral("lvFonts"));
    lvFonts->setColumnCount(2);
    lvFonts->setRootIsDecorated(false);
    lvFonts->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvFonts->setSelectionMode(QAbstractItemView::SingleSelection);
    lvFonts->setColumnWidth(0, 60 * 2);
    lvFonts->setColumnWidth(1, 120 * 2);
    lvFonts->setStyleSheet(QStringLiteral("QTreeView::item { border: 1px solid palette(midlight); }"));
    lvFonts->setMinimumHeight(140);
    auto* delCol = new QVBoxLayout();
    btnDeleteCurFont = new QPushButton(this);
    btnDeleteCurFont->setObjectName(QStringLiteral("btnDeleteCurFont"));
    btnDeleteAllFont = new QPushButton(this);
    btnDeleteAllFont->setObjectName(QStringLiteral("btnDeleteAllFont"));
    delCol->addWidget(btnDeleteCurFont);
    delCol->addWidget(btnDeleteAllFont);
    delCol->addStretch(1);
    listRow->addWidget(lvFonts, 1);
    listRow->addLayout(delCol);
    root->addLayout(listRow);

    auto* test = new QGridLayout();
    lblTestTextF = NamedLabel(this, "lblTestTextF");
    rtTestText = new QTextEdit(this);
    rtTestText->setObjectName(QStringLiteral("rtTestText"));
    rtTestText->setAcceptRichText(false);
    rtTestText->setFixedHeight(54);
    btnTestFont = new QPushButton(this);
    btnTestFont->setObjectName(QStringLiteral("btnTestFont"));
    btnTestFont->setEnabled(false);
    test->addWidget(lblTestTextF, 0, 0);
    test->addWidget(rtTestText, 0, 1, 1, 4);
    test->addWidget(btnTestFont, 0, 5);

    lblPrintableWidth = NamedLabel(this, "lblPrintableWidth");
    txtPrintableWidth = DigitsEdit(this, "txtPrintableWidth", QStringLiteral("30"), 4);
    lblWidthRange = NamedLabel(this, "lblWidthRange", QStringLiteral("(10-*)mm"));
    lblPrintableHeight = NamedLabel(this, "lblPrintableHeight");
    txtPrintableHeigh = DigitsEdit(this, "txtPrintableHeigh", QStringLiteral("30"), 4);
    lblHeightRange = NamedLabel(this, "lblHeightRange", QStringLiteral("(10-210)mm"));
    test->addWidget(lblPrintableWidth, 1, 0);
    test->addWidget(txtPrintableWidth, 1, 1);
    test->addWidget(lblWidthRange, 1, 2);
    test->addWidget(lblPrintableHeight, 2, 0);
    test->addWidget(txtPrintableHeigh, 2, 1);
    test->addWidget(lblHeightRange, 2, 2);

    fontID = NamedLabel(this, "fontID");
    txtId = new QLineEdit(QStringLiteral("51"), this);
    txtId->setObjectName(QStringLiteral("txtId"));
    txtId->setMaxLength(2);
    Label5 = NamedLabel(this, "Label5", QStringLiteral("( 51-99, 9A-9Z, 9a-9z)"));
    lblDRowOffset = NamedLabel(this, "lblDRowOffset");
    txtYPosition = DigitsEdit(this, "txtYPosition", QStringLiteral("20"), 4);
    lblRowRange = NamedLabel(this, "lblRowRange", QStringLiteral("(1-9999)"));
    lblDColumnOffset = NamedLabel(this, "lblDColumnOffset");
    txtXPosition = DigitsEdit(this, "txtXPosition", QStringLiteral("20"), 4);
    lblColumnRange = NamedLabel(this, "lblColumnRange", QStringLiteral("(1-9999)"));
    lblDWidth = NamedLabel(this, "lblDWidth");
    txtWidth = DigitsEdit(this, "txtWidth", QStringLiteral("100"), 4);
    lblDWidthUnit = NamedLabel(this, "lblDWidthUnit", QStringLiteral("mm"));
    lblDHeight = NamedLabel(this, "lblDHeight");
    txtHeight = DigitsEdit(this, "txtHeight", QStringLiteral("80"), 4);
    lblDHeightUnit = NamedLabel(this, "lblDHeightUnit", QStringLiteral("mm"));
    test->addWidget(fontID, 3, 0);
    test->addWidget(txtId, 3, 1);
    test->addWidget(Label5, 3, 2, 1, 2);
    test->addWidget(lblDRowOffset, 4, 0);
    test->addWidget(txtYPosition, 4, 1);
    test->addWidget(lblRowRange, 4, 2);
    test->addWidget(lblDColumnOffset, 4, 3);
    test->addWidget(txtXPosition, 4, 4);
    test->addWidget(lblColumnRange, 4, 5);
    test->addWidget(lblDWidth, 5, 0);
    test->addWidget(txtWidth, 5, 1);
    test->addWidget(lblDWidthUnit, 5, 2);
    test->addWidget(lblDHeight, 5, 3);
    test->addWidget(txtHeight, 5, 4);
    test->addWidget(lblDHeightUnit, 5, 5);
    root->addLayout(test);

    gpbLanguage = new QGroupBox(this);
    gpbLanguage->setObjectName(QStringLiteral("gpbLanguage"));
    auto* lang = new QHBoxLayout(gpbLanguage);
    cbxLanguage = new QCheckBox(gpbLanguage);
    cbxLanguage->setObjectName(QStringLiteral("cbxLanguage"));
    lblInternationalCharacter = NamedLabel(gpbLanguage, "lblInternationalCharacter");
    cmbInternationalCharacter = new QComboBox(gpbLanguage);
    cmbInternationalCharacter->setObjectName(QStringLiteral("cmbInternationalCharacter"));
    cmbInternationalCharacter->setEnabled(false);
    lang->addWidget(cbxLanguage);
    lang->addWidget(lblInternationalCharacter);
    lang->addWidget(cmbInternationalCharacter, 1);
    root->addWidget(gpbLanguage);

    // Operator changes only: programmatic selections never run the handler.
    connect(cmbFontID, qOverload<int>(&QComboBox::activated), this, [this](int) { cmbFontIDChange(); });
    connect(Button2, &QPushButton::clicked, this, &TfrmDLF::Button2Click);
    connect(btnDLFont, &QPushButton::clicked, this, &TfrmDLF::btnDLFontClick);
    connect(btnDeleteCurFont, &QPushButton::clicked, this, [this] { btnDeleteCurFontClick(btnDeleteCurFont); });
    connect(btnDeleteAllFont, &QPushButton::clicked, this, [this] { btnDeleteCurFontClick(btnDeleteAllFont); });
    connect(lvFonts, &QTreeWidget::itemClicked, this, [this] { lvFontsClick(); });
    connect(btnTestFont, &QPushButton::clicked, this, &TfrmDLF::btnTestFontClick);
    connect(cbxLanguage, &QCheckBox::clicked, this, &TfrmDLF::cbxLanguageClick);
    for (QLineEdit* e : {txtPrintableWidth, txtPrintableHeigh, txtYPosition, txtXPosition, txtWidth, txtHeight})
        connect(e, &QLineEdit::editingFinished, this, [this, e] { CheckValue(e); });
}

QString TfrmDLF::Text(const char* key) const
{
    return ReadIniString(gLangFileName, gLangId, QLatin1String(key));
}

QString TfrmDLF::CurrentModel() const
{
    return PrtBasName;
}

QString TfrmDLF::ListedModel() const
{
    return PrtDefName;
}

bool TfrmDLF::Direct(const QString& model, const QString& list, const char* language) const
{
    return IsFontDirect(model, list, prt::dl::DLOemCo(), FontPrinterLanguage, language);
}

int TfrmDLF::PaperWidth() const
{
    bool ok = false;
    const int w = FPaperWidth.trimmed().toInt(&ok);
    return ok ? w : 0;
}

QString TfrmDLF::StorageText(int storage) const
{
    return cmbFontID->itemText(storage == 0 ? 0 : 1);
}

// ---- showing and closing ---------------------------------------------------------------------

void TfrmDLF::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!FShown) {
        FShown = true;
        FormShow();
    }
}

void TfrmDLF::FormShow()
{
    if (!FKind)
        FKind = std::make_unique<prt::dl::TDLSdkKindGuard>();
    LanguageIni();
    ApplyFormFont(this);
    if (!OpenGuardedPort())
        return;
    GetSpace();
    GetAllFonts();
    showComponents();
    cmbFontID->setCurrentIndex(1);
    CmdClosePortIfOpen();
}

bool TfrmDLF::OpenGuardedPort()
{
    EnsureTsplPrinterObject();
    return CmdOpenPortOnce();
}

void TfrmDLF::closeEvent(QCloseEvent* event)
{
    FormClose();
    QDialog::closeEvent(event);
}

void TfrmDLF::done(int r)
{
    FormClose();
    QDialog::done(r);
}

void TfrmDLF::FormClose()
{
    if (FClosed)
        return;
    FClosed = true;
    // A running download ends before the window goes; then the port is closed.
    FSender->CancelAndWait();
    CmdClosePortIfOpen();
    SetCmdOpenedFlag(0);
    FKind.reset();
}

void TfrmDLF::LanguageIni()
{
    FMsgDL = Text("msgDL");
    FMsgCC = Text("msgCC");
    FErrIO = Text("FormGDL_ErrIO");
    FDli2 = Text("FormDLF_DLI2");
    setWindowTitle(Text("FormDLF_Caption"));
    lblFontID->setText(Text("FormDLFile_lblCarPosi"));
    cmbFontID->clear();
    cmbFontID->addItems({Text("FormDLFile_cmbLakeBoart1"), Text("FormDLFile_cmbLakeBoart2")});
    cmbFontID->setCurrentIndex(-1);
    lblSelectFont->setText(Text("FormDLF_lblSelectFont"));
    // The font-id label has its own text; a language file without it gets the older
    // caption cut from the font-file label (whose first two characters were a marker).
    const QString fontIdText = Text("FormDLF_lblFontID");
    fontID->setText(!fontIdText.isEmpty() ? fontIdText
                                          : Text("FormDownloadFont_lblSelectFile").mid(2, 4) + QLatin1String("ID:"));
    btnDLFont->setText(FRunning ? FMsgCC : FMsgDL);
    lvFonts->setHeaderLabels({Text("FormDLF_lvFontsItem0"), Text("FormDLF_lvFontsItem1")});
    lblTestTextF->setText(Text("FormDLF_lblTestTextF"));
    btnDeleteCurFont->setText(Text("FormDLF_btnDeleteCurFont"));
    btnDeleteAllFont->setText(Text("FormDLF_btnDeleteAllFont"));
    btnTestFont->setText(Text("FormDLF_btnTestFont"));
    lblProgressInfo_F->setText(Text("FormDLF_ProgressInfo"));
    FPaperWidth = GetPaperWidthByModel();
    lblWidthRange->setText(lblWidthRange->text().replace(QLatin1Char('*'), FPaperWidth));
    lblPrintableWidth->setText(Text("FormPrintTextLabel_lblPrintableWidth"));
    lblPrintableHeight->setText(Text("FormPrintTextLabel_lblPrintableHeight"));
    gpbLanguage->setTitle(QStringLiteral("     ") + Text("FormDLF_gpbLanguage"));
    lblInternationalCharacter->setText(Text("FormDLF_lblInternationalCharacter"));
    lblDRowOffset->setText(Text("FormPrintTextLabel_lblDRowOffset"));
    lblDColumnOffset->setText(Text("FormPrintTextLabel_lblDColumnOffset"));
    lblDWidth->setText(Text("FormPrintTextLabel_lblPrintableWidth"));
    lblDHeight->setText(Text("FormPrintTextLabel_lblPrintableHeight"));

    cmbInternationalCharacter->clear();
    cmbInternationalCharacter->addItem(QStringLiteral("UTF-8"));
    cmbInternationalCharacter->setCurrentIndex(-1);
    FCodePages = {QStringLiteral("65001")};

    const int protocol = GetCurrentProtocolNo();
    for (QWidget* w : {static_cast<QWidget*>(lblPrintableWidth), static_cast<QWidget*>(txtPrintableWidth),
                       static_cast<QWidget*>(lblWidthRange), static_cast<QWidget*>(lblPrintableHeight),
                       static_cast<QWidget*>(txtPrintableHeigh), static_cast<QWidget*>(lblHeightRange)})
        w->setVisible(protocol == 1);
    rtTestText->setEnabled(protocol == 1 || protocol == 4);
    btnTestFont->setEnabled(false);
}

// ---- space and listing -------------------------------------------------------------------

void TfrmDLF::GetSpace()
{
    if (GetCmdOpenedFlag() == 0) {
        EnsureTsplPrinterObject();
        const int r = TsplOpenPort(GetCurrentPortString());
        SetLastLinkResult(r);
        if (r != 0) {
            prt::MessageBoxPrt(PortResultMessage(Text("_Err_OpenPort"), r), Text("_MSG_Title_Error"),
                               prt::MB_ICONERROR_);
            return;
        }
        SetCmdOpenedFlag(-1);
    }
    const bool ram = cmbFontID->currentIndex() == 0;
    const QByteArray usedKey = ram ? KEY_use_capacity_ram : KEY_use_capacity;
    const QByteArray remainKey = ram ? KEY_remain_capacity_ram : KEY_remain_capacity;
    FontPrinterLanguage = Trimmed(CmdGetVal(KEY_ppl));
    if (FontDplSizeModels.contains(QLatin1Char(',') + CurrentModel() + QLatin1Char(',')) &&
        FontPrinterLanguage == QLatin1String(kLangDpl)) {
        DplControlCodes = Trimmed(CmdGetVal(KEY_control_codes));
        const TDplCodes codes = prt::dl::DplControlFromReply(DplControlCodes, FontDplCodes());
        DplStx = QByteArray(1, char(codes.stx));
        DplCr = QByteArray(1, char(codes.eol));
        DplSoh = QByteArray(1, char(codes.soh));
    }
    const QString used = Trimmed(CmdGetVal(usedKey));
    if (used.isEmpty())
        return;
    const QString remaining = Trimmed(CmdGetVal(remainKey));
    if (remaining.isEmpty())
        return;
    ShowSpace(used, remaining);
}

void TfrmDLF::ShowSpace(const QString& used, const QString& remaining)
{
    // A remaining space that is not a whole number keeps the old value and label.
    bool ok = false;
    const qint64 space = Trimmed(remaining).toLongLong(&ok);
    if (!ok)
        return;
    prt::dl::DLStored().remainingSpace = space;
    QString text = Text("FormDLF_SpaceInfo");
    text = ReplaceFirst(text, QStringLiteral("{0}"), FormatThousands(Trimmed(remaining)));
    text = ReplaceFirst(text, QStringLiteral("{1}"), FormatThousands(Trimmed(used)));
    lblSpace_Font->setText(text);
    lblSpace_Font->show();
}

void TfrmDLF::FillRows(const TFontRows& rows)
{
    lvFonts->clear();
    for (const TFontRow& r : rows) {
        auto* item = new QTreeWidgetItem(lvFonts, {StorageText(r.Storage), r.Name});
        item->setData(0, Qt::UserRole, r.Storage);
    }
}

void TfrmDLF::GetAllFonts()
{
    const QString model = CurrentModel();
    bool ok = false;
    TFontRows rows;
    if (Direct(model, FontDirectModels, kLangDpl)) {
        rows = ParseDplFontListing(CmdSendTextRead100(QString::fromLatin1(DplStx) + QLatin1String("WF")),
                                   char(FontDplCodes().eol), &ok);
    } else if (Direct(model, FontDirectModels, kLangTspl)) {
        rows = ParseTsplFontListing(CmdSendTextRead100(QLatin1String(CMD_TSPL_TILDE_F)), &ok);
    } else if (Direct(model, FontDirectModelsZpl, kLangZpl)) {
        rows = ParseZplFontListing(CmdSendTextRead100(QStringLiteral("^XA\r\n^HWE:*.TTF\r\n^XZ")), &ok);
    } else {
        rows = ParsePacketFontListing(CmdGetVal(KEY_fonts), &ok);
    }
    if (ok)
        FillRows(rows);
}

void TfrmDLF::showComponents()
{
    const bool dpl = Direct(CurrentModel(), FontDirectModels, kLangDpl);
    for (QWidget* w : {static_cast<QWidget*>(lblDRowOffset), static_cast<QWidget*>(txtYPosition),
                       static_cast<QWidget*>(lblRowRange), static_cast<QWidget*>(lblDColumnOffset),
                       static_cast<QWidget*>(txtXPosition), static_cast<QWidget*>(lblColumnRange),
                       static_cast<QWidget*>(fontID), static_cast<QWidget*>(txtId), static_cast<QWidget*>(Label5),
                       static_cast<QWidget*>(lblDWidth), static_cast<QWidget*>(txtWidth),
                       static_cast<QWidget*>(lblDWidthUnit), static_cast<QWidget*>(lblDHeight),
                       static_cast<QWidget*>(txtHeight), static_cast<QWidget*>(lblDHeightUnit)})
        w->setVisible(dpl);
    if (!dpl)
        return;
    lblWidthRange->setText(QStringLiteral("(1-999)mm"));
    lblHeightRange->setText(QStringLiteral("(1-999)mm"));
    txtPrintableWidth->setText(QStringLiteral("10"));
    txtPrintableWidth->setMaxLength(3);
    txtPrintableHeigh->setText(QStringLiteral("10"));
    txtPrintableHeigh->setMaxLength(3);
    gpbLanguage->show();
    cmbInternationalCharacter->clear();
}

void TfrmDLF::cmbFontIDChange()
{
    GetSpace();
    CmdClosePortIfOpen();
}

// ---- delete ------------------------------------------------------------------------------------

void TfrmDLF::SendDelete(const QString& name, int storage)
{
    const QString model = CurrentModel();
    if (Direct(model, FontDirectModels, kLangDpl)) {
        CmdSendTextRead100(DplFontDeleteCommand(name, FontDplCodes()));
    } else if (Direct(model, FontDirectModelsZpl, kLangZpl)) {
        CmdSendTextRead100(ZplFontDeleteCommand(name));
    } else if (Direct(model, FontDirectModels, kLangTspl)) {
        CmdSendTextRead100(TsplFontDeleteCommand(name));
    } else {
        prt::dl::DLDoTwoArgsOnOpenPort(GetCmdOpenedFlag() != 0, KEY_delete, KEY_fonts,
                                       StoragePrefix(storage) + name);
        for (int i = 0; i < 11; ++i) {
            DelayMs(50);
            if (Trimmed(CmdGetVal(QByteArray())) == QLatin1String("OK"))
                break;
        }
    }
}

void TfrmDLF::btnDeleteCurFontClick(QPushButton* sender)
{
    if (FRunning || !OpenGuardedPort())
        return;
    if (sender == btnDeleteCurFont) {
        QTreeWidgetItem* item = lvFonts->currentItem();
        if (item) {
            SendDelete(item->text(1), item->data(0, Qt::UserRole).toInt());
            delete item;
            GetSpace();
        }
    } else {
        for (int i = 0; i < lvFonts->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = lvFonts->topLevelItem(i);
            SendDelete(item->text(1), item->data(0, Qt::UserRole).toInt());
        }
        lvFonts->clear();
        GetSpace();
    }
    CmdClosePortIfOpen();
}

void TfrmDLF::lvFontsClick()
{
    const int p = GetCurrentProtocolNo();
    btnTestFont->setEnabled(!FRunning && (p == 1 || p == 4));
}

void TfrmDLF::cbxLanguageClick()
{
    cmbInternationalCharacter->setEnabled(cbxLanguage->isChecked());
    if (cbxLanguage->isChecked() && cmbInternationalCharacter->currentIndex() < 0 &&
        cmbInternationalCharacter->count() > 0)
        cmbInternationalCharacter->setCurrentIndex(0);
}

void TfrmDLF::CheckValue(QLineEdit* edit)
{
    TFontEdit kind;
    if (edit == txtPrintableWidth)
        kind = TFontEdit::PrintableWidth;
    else if (edit == txtPrintableHeigh)
        kind = TFontEdit::PrintableHeight;
    else if (edit == txtYPosition)
        kind = TFontEdit::YPosition;
    else if (edit == txtXPosition)
        kind = TFontEdit::XPosition;
    else if (edit == txtWidth)
        kind = TFontEdit::Width;
    else
        kind = TFontEdit::Height;
    const bool dpl = FontPrinterLanguage == QLatin1String(kLangDpl);
    const QString model = CurrentModel();
    const bool dplSize = dpl && FontDplSizeModels.contains(QLatin1Char(',') + model + QLatin1Char(','));
    const bool dplHeight = dpl && FontDirectModelsZpl.contains(QLatin1Char(',') + model + QLatin1Char(','));
    const QString out = ClampFontEdit(kind, edit->text(), PaperWidth(), dplSize, dplHeight);
    if (out != edit->text())
        edit->setText(out);
}

// ---- download ----------------------------------------------------------------------------------

void TfrmDLF::Button2Click()
{
    const QString path = prt::dl::DLGetOpenFileName(this, QStringLiteral("*.ttf;*.prtf;*.fnt|*.ttf;*.prtf;*.fnt"));
    if (path.isEmpty())
        return;
    QString message;
    CheckAsciiFileName(QFileInfo(path).fileName(), message);
    if (!message.isEmpty()) {
        prt::MessageBoxPrt(message, Text("_MSG_Title_Error"), prt::MB_ICONERROR_);
        return;
    }
    txtFilePath_F->setText(path);
}

void TfrmDLF::SetRunning(bool running)
{
    FRunning = running;
    btnDLFont->setText(running ? FMsgCC : FMsgDL);
    // Nothing else may use the port while the sender owns it.
    for (QWidget* w : {static_cast<QWidget*>(Button2), static_cast<QWidget*>(btnDeleteCurFont),
                       static_cast<QWidget*>(btnDeleteAllFont), static_cast<QWidget*>(cmbFontID)})
        w->setEnabled(!running && w != cmbFontID);
    if (running)
        btnTestFont->setEnabled(false);
}

void TfrmDLF::btnDLFontClick()
{
    if (FRunning) {
        FSender->Cancel();
        return;
    }
    if (txtFilePath_F->text().isEmpty() || FSender->IsBusy())
        return;
    const QString path = txtFilePath_F->text();
    const QString fileName = QFileInfo(path).fileName();
    // The direct path is decided once, here; the sender does not test it again.
    const QString listed = ListedModel();
    FDirectLanguage.clear();
    for (const char* lang : {kLangDpl, kLangZpl, kLangTspl})
        if (Direct(listed, FontDirectModels, lang))
            FDirectLanguage = QLatin1String(lang);

    if (FDirectLanguage == QLatin1String(kLangDpl) && !IsValidDplFontId(txtId->text().trimmed())) {
        prt::MessageBoxPrt(Text("FormDLF_ErrFontId"), Text("_MSG_Title_Error"), prt::MB_ICONERROR_);
        return;
    }
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        prt::MessageBoxPrt(prt::dl::DLFileReadFailure(path, Text("_Err_FileNotExist") + QStringLiteral(" ") + path),
                           Text("_MSG_Title_Error"), prt::MB_ICONERROR_);
        return;
    }
    const QByteArray bytes = file.readAll();
    file.close();

    EnsurePrinterObject();
    if (!CmdOpenPort())
        return;
    SetCmdOpenedFlag(-1);  // the window opened it: the guarded close closes it

    TDLOptions o;
    o.sleeper = FSleeper;
    const bool ram = cmbFontID->currentIndex() == 0;
    const QByteArray usedKey = ram ? KEY_use_capacity_ram : KEY_use_capacity;
    const QByteArray remainKey = ram ? KEY_remain_capacity_ram : KEY_remain_capacity;
    QByteArray payload;
    int unit = 1;
    if (!FDirectLanguage.isEmpty()) {
        QString stored;
        FontDirectBuffer = BuildFontDirectBuffer(FDirectLanguage, fileName, bytes, txtId->text().trimmed(),
                                                 FontDplCodes(), &stored);
        if (FDirectLanguage == QLatin1String(kLangDpl))
            DplFontId = txtId->text().trimmed();
        payload = FontDirectBuffer;
        o.rawSlices = true;
        o.sliceWritesChecked = true;
        o.countRule = prt::dl::TDLCountRule::Ceil;
        o.packetSize = kDirectSliceSize;
        o.waitAfterLastMs = 0;
        unit = kDirectSliceSize / 1024;
        const QString lang = FDirectLanguage;
        const TDplCodes codes = FontDplCodes();
        const QString fontId = DplFontId;
        // The font list is read back first, then the space, as on the packet path.
        o.afterTransfer = [lang, codes, fontId, usedKey, remainKey](prt::dl::TDLThread& sender, TDLPort& port) {
            bool ok = false;
            TFontRows rows;
            if (lang == QLatin1String(kLangZpl)) {
                rows = ParseZplFontListing(port.SendTextRead(QStringLiteral("^XA\r\n^HWE:*.TTF\r\n^XZ"), 3500), &ok);
            } else if (lang == QLatin1String(kLangTspl)) {
                sender.Sleep(3000, true);
                rows = ParseTsplFontListing(port.SendTextRead(QLatin1String(CMD_TSPL_TILDE_F), 100), &ok);
            } else {
                sender.Sleep(2500, true);
                const QString reply = port.SendTextRead(QChar::fromLatin1(char(codes.stx)) + QLatin1String("WF"), 100);
                if (fontId.isEmpty() || !reply.contains(fontId))
                    return false;
                rows = ParseDplFontListing(reply, char(codes.eol), &ok);
            }
            if (!ok)
                return false;  // nothing came back: the font is not confirmed
            QStringList names;
            for (const TFontRow& r : rows)
                names << r.Name;
            sender.Report(QStringLiteral("rows"), names);
            const QString used = port.GetVal(usedKey);
            const QString remaining = used.isEmpty() ? QString() : port.GetVal(remainKey);
            if (!remaining.isEmpty())
                sender.Report(QStringLiteral("space"), QStringList{used, remaining});
            return true;
        };
    } else {
        payload = bytes;
        o.packetSize = 1024;
        o.handshake = BuildDoTwoArgsValueCommand(KEY_download, KEY_fonts,
                                                 StoragePrefix(ram ? 0 : 1) + fileName);
        o.replyReadWaitMs = 300;
        o.replyReadTries = 5;
        o.waitAfterLastMs = 2000;
        o.listKey = KEY_fonts;
        o.usedKey = usedKey;
        o.remainKey = remainKey;
    }
    if (payload.size() > prt::dl::DLStored().remainingSpace) {
        prt::MessageBoxPrt(Text("mNoSP"), Text("_MSG_Title_Warn"), prt::MB_ICONERROR_);
        CmdClosePortIfOpen();
        return;
    }
    StartTransfer(payload, o, unit);
}

void TfrmDLF::StartTransfer(const QByteArray& payload, const TDLOptions& options, int unit)
{
    FProgressUnit = unit;
    const int count = prt::dl::PacketCount(payload.size(), options.packetSize, options.countRule);
    proDLFont->setMaximum(qMax(1, count * unit));
    proDLFont->setValue(0);
    Label1->setText(QStringLiteral("0"));
    Label2->setText(ReplaceFirst(FDli2, QStringLiteral("{1}"), QString::number(count * unit)));
    for (QWidget* w : {static_cast<QWidget*>(proDLFont), static_cast<QWidget*>(lblProgressInfo_F),
                       static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2)})
        w->show();
    SetRunning(true);
    if (!FSender->Start(payload, options)) {
        SetRunning(false);
        CmdClosePortIfOpen();
    }
}

void TfrmDLF::TransferEnded(int result, int)
{
    SetRunning(false);
    if (static_cast<TDLResult>(result) != TDLResult::Success)
        HideProgress();  // cancelled or stopped: the window is idle again
    switch (static_cast<TDLResult>(result)) {
    case TDLResult::Success:
        prt::MessageBoxPrt(Text("_DownloadSuccess"), Text("_MSG_Title_Message"), prt::MB_ICONINFORMATION_);
        break;
    case TDLResult::Cancelled: break;
    default: {
        const QString key = prt::dl::ResultMessageKey(static_cast<TDLResult>(result), QStringLiteral("FormGDL_ErrIO"));
        prt::MessageBoxPrt(ReadIniString(gLangFileName, gLangId, key), Text("_MSG_Title_Error"), prt::MB_ICONERROR_);
        break;
    }
    }
}

void TfrmDLF::HideProgress()
{
    proDLFont->setValue(0);
    Label1->setText(QStringLiteral("0"));
    Label2->clear();
    for (QWidget* w : {static_cast<QWidget*>(proDLFont), static_cast<QWidget*>(lblProgressInfo_F),
                       static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2)})
        w->hide();
}

// ---- test print ------------------------------------------------------------------------------

void TfrmDLF::btnTestFontClick()
{
    QTreeWidgetItem* item = lvFonts->currentItem();
    if (!item || FRunning)
        return;
    const int protocol = GetCurrentProtocolNo();
    const QString listed = ListedModel();
    const QString vk318 = ReadParameterSetNow(QStringLiteral("VK318_PrintFontText"));
    const TFontTestJob job = ChooseFontTestJob(vk318.contains(QLatin1Char(',') + CurrentModel() + QLatin1Char(',')),
                                               Direct(listed, FontDirectModels, kLangDpl), protocol,
                                               Direct(listed, FontDirectModels, kLangTspl));
    TFontTestInput in;
    in.Font = item->text(1);
    in.Storage = item->data(0, Qt::UserRole).toInt();
    in.Text = NormalizeFontTestText(rtTestText->toPlainText());
    in.Width = txtPrintableWidth->text();
    in.Height = txtPrintableHeigh->text();
    in.Row = txtYPosition->text();
    in.Column = txtXPosition->text();
    in.DplWidth = txtWidth->text();
    in.DplHeight = txtHeight->text();
    in.UnicodeFontCode = cbxLanguage->isChecked() && cmbInternationalCharacter->currentText().isEmpty();
    in.Codes = FontDplCodes();
    const QChar stopper = FontTestTextStopper(job, in.Text);
    if (!stopper.isNull()) {
        prt::MessageBoxPrt(ReplaceFirst(Text("FormDLF_ErrTestTextChar"), QStringLiteral("{0}"), QString(stopper)),
                           Text("_MSG_Title_Error"), prt::MB_ICONERROR_);
        return;
    }
    if (!OpenGuardedPort())
        return;
    const QString text = BuildFontTestJob(job, in);
    QByteArray bytes;
    const int index = cmbInternationalCharacter->currentIndex();
    if (cbxLanguage->isChecked() && index >= 0 && !cmbInternationalCharacter->currentText().isEmpty() &&
        index < FCodePages.size())
        StrToCodePageBytes(text, FCodePages[index].toInt(), bytes);
    else
        bytes = prt::TextToAnsiBytes(text);
    const int r = TsplWriteData(bytes);
    SetLastLinkResult(r);
    if (r != 0) {
        prt::MessageBoxPrt(Text("_Err_WriteData") + QLatin1Char(':') + QString::number(r), Text("_MSG_Title_Error"),
                           prt::MB_ICONERROR_);
        return;
    }
    CmdClosePortIfOpen();
}
