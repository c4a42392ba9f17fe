#include "FormPrintText_Label.h"

#include "PrinterCMD.h"
#include "PrtCodePage.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlParamValues.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"
#include "mdlPubFunc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString Lang(const char* key)
{
    return prt::LangText(QString::fromLatin1(key));
}

template <typename T>
T* Named(T* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

} // namespace

// ---- shared part ------------------------------------------------------------------------------

TPrintTextLabelBase::TPrintTextLabelBase(QWidget* parent) : QDialog(parent)
{
    BuildControls();
}

TPrintTextLabelBase::~TPrintTextLabelBase()
{
    CutLeaveHandlers(this);
}

void TPrintTextLabelBase::BuildControls()
{
    lblContent = Named(new QLabel(this), "lblContent");
    txtPrintText = Named(new QPlainTextEdit(this), "txtPrintText");
    txtPrintText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lblPrintableWidth = Named(new QLabel(this), "lblPrintableWidth");
    txtPrintableWidth = Named(new QLineEdit(this), "txtPrintableWidth");
    lblMultiple1 = Named(new QLabel(QStringLiteral("(10-*)mm"), this), "lblMultiple1");
    lblPrintableHeight = Named(new QLabel(this), "lblPrintableHeight");
    txtPrintableHeigh = Named(new QLineEdit(this), "txtPrintableHeigh");
    Label2 = Named(new QLabel(QStringLiteral("(10-210)mm"), this), "Label2");
    gpbLanguage = Named(new QGroupBox(this), "gpbLanguage");
    cbxLanguage = Named(new QCheckBox(gpbLanguage), "cbxLanguage");
    lblInternationalCharacter = Named(new QLabel(gpbLanguage), "lblInternationalCharacter");
    cmbInternationalCharacter = Named(new QComboBox(gpbLanguage), "cmbInternationalCharacter");
    cmbInternationalCharacter->setEnabled(false);
    btnPrint = Named(new QPushButton(this), "btnPrint");
    btnClose = Named(new QPushButton(this), "btnClose");

    for (QLineEdit* e : {txtPrintableWidth, txtPrintableHeigh}) {
        e->setMaxLength(3);
        e->setFixedWidth(60);
        e->installEventFilter(this);
    }

    auto* sizes = new QGridLayout;
    sizes->addWidget(lblPrintableWidth, 0, 0);
    sizes->addWidget(txtPrintableWidth, 0, 1);
    sizes->addWidget(lblMultiple1, 0, 2);
    sizes->addWidget(lblPrintableHeight, 1, 0);
    sizes->addWidget(txtPrintableHeigh, 1, 1);
    sizes->addWidget(Label2, 1, 2);
    sizes->setColumnStretch(3, 1);

    auto* lang = new QGridLayout(gpbLanguage);
    lang->addWidget(cbxLanguage, 0, 0);
    lang->addWidget(lblInternationalCharacter, 0, 1);
    lang->addWidget(cmbInternationalCharacter, 0, 2);
    lang->setColumnStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnPrint);
    buttons->addWidget(btnClose);

    auto* main = new QVBoxLayout(this);
    main->addWidget(lblContent);
    main->addWidget(txtPrintText, 1);
    main->addLayout(sizes);
    main->addWidget(gpbLanguage);
    main->addLayout(buttons);
    resize(460, 400);

    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrintClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    connect(cbxLanguage, &QCheckBox::clicked, this, [this] { cbxLanguageClick(); });
    connect(txtPrintableWidth, &QLineEdit::editingFinished, this, [this] { CheckValue(txtPrintableWidth); });
    connect(txtPrintableHeigh, &QLineEdit::editingFinished, this, [this] { CheckValue(txtPrintableHeigh); });
}

void TPrintTextLabelBase::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

bool TPrintTextLabelBase::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == txtPrintableWidth || watched == txtPrintableHeigh) && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Keys without a character (arrows, delete, tab) are editing, not input.
        if (!text.isEmpty() && !CheckImportNumber(text.at(0)))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool TPrintTextLabelBase::CheckImportNumber(QChar key)
{
    const char16_t c = key.unicode();
    return c == 8 || c == 13 || c == 127 || (c >= '0' && c <= '9');
}

void TPrintTextLabelBase::CheckValue(QLineEdit* field)
{
    const bool width = field == txtPrintableWidth;
    const QString low = width ? QStringLiteral("10") : FHeightMinimum;
    const QString high = width ? FWidthLimit : FHeightLimit;
    bool ok = false;
    const int value = field->text().trimmed().toInt(&ok);
    if (!ok) {
        // Empty or not a number: the smallest size.
        field->setText(low);
        return;
    }
    bool highOk = false;
    const int limit = high.trimmed().toInt(&highOk);
    if (highOk && value > limit)
        field->setText(high);
    if (value < low.toInt())
        field->setText(low);
}

void TPrintTextLabelBase::SanitizeSizeFields()
{
    for (QLineEdit* field : {txtPrintableWidth, txtPrintableHeigh}) {
        bool ok = false;
        (void)field->text().trimmed().toInt(&ok);
        if (!ok)
            CheckValue(field);
    }
}

void TPrintTextLabelBase::btnCloseClick()
{
    close();
}

void TPrintTextLabelBase::cbxLanguageClick()
{
    cmbInternationalCharacter->setEnabled(cbxLanguage->isChecked());
    if (cmbInternationalCharacter->currentIndex() < 0 && cmbInternationalCharacter->count() > 0)
        cmbInternationalCharacter->setCurrentIndex(0);
}

void TPrintTextLabelBase::InitCommonTexts()
{
    setWindowTitle(Lang("FormPrintTextLabel_Caption"));
    lblContent->setText(Lang("FormPrintTextLabel_lblContent"));
    lblPrintableWidth->setText(Lang("FormPrintTextLabel_lblPrintableWidth"));
    lblPrintableHeight->setText(Lang("FormPrintTextLabel_lblPrintableHeight"));
    QString multiple = lblMultiple1->text();
    const qsizetype star = multiple.indexOf(QLatin1Char('*'));
    if (star >= 0)
        multiple.replace(star, 1, FWidthLimit);
    lblMultiple1->setText(multiple);
}

void TPrintTextLabelBase::FillCharacterSets()
{
    cmbInternationalCharacter->clear();
    cmbInternationalCharacter->addItems(SplitToStringList(Lang("FormPrintText_cmbLanguage_Item"), QStringLiteral(",")));
    FCodeList = SplitToStringList(Lang("FormPrintText_cmbLanguage_ItemCode"), QStringLiteral(","));
    cmbInternationalCharacter->setCurrentIndex(-1);
}

void TPrintTextLabelBase::ShowSizeControls(bool visible)
{
    for (QWidget* w : std::initializer_list<QWidget*>{lblPrintableWidth, txtPrintableWidth, lblMultiple1,
                                                      lblPrintableHeight, txtPrintableHeigh, Label2})
        w->setVisible(visible);
}

int TPrintTextLabelBase::ChosenCodePage() const
{
    if (!cbxLanguage->isChecked())
        return 0;
    return CodeListEntryToCodePage(FCodeList, cmbInternationalCharacter->currentIndex());
}

void TPrintTextLabelBase::ShowError(const QString& text) const
{
    prt::MessageBoxPrt(text, Lang("_MSG_Title_Error"), prt::MB_ICONERROR_);
}

bool TPrintTextLabelBase::OpenTsplPort()
{
    EnsureTsplPrinterObject();
    const int code = TsplOpenPort(GetCurrentPortString());
    SetCmdLastResult(code);
    if (code == 0 || code == 5)
        return true;
    ShowError(OpenPortFailureMessage(code));
    return false;
}

void TPrintTextLabelBase::CloseTsplPort()
{
    SetCmdLastResult(TsplClosePort());
}

bool TPrintTextLabelBase::WriteJob(const TTextJob& job)
{
    for (const TTextJobWrite& w : job) {
        const int code = w.bytes.isEmpty() ? 0 : TsplWriteData(w.bytes);
        SetCmdLastResult(code);
        if (w.checked && code != 0) {
            ShowError(Lang("_Err_WriteData"));
            return false;
        }
    }
    return true;
}

void TPrintTextLabelBase::PrintGeneralRoad()
{
    const QString text = txtPrintText->toPlainText();
    if (text.trimmed().isEmpty()) {
        ShowError(Lang("_Err_ImportNull"));
        return;
    }
    SanitizeSizeFields();
    TTsplTextInput in;
    in.text = text;
    in.widthText = txtPrintableWidth->text();
    in.heightText = txtPrintableHeigh->text();
    in.utf8Mode = Utf8Mode();
    in.zr640 = IsInCommaList(PrtBasName, ReadParameterSetNow(QStringLiteral("ZR640_PrintText")));
    in.vectorFont = IsNameCommaInText(PrtBasName, ParameterSetValue(QStringLiteral("UseVectorFont")));
    in.codePage = prt::SystemAnsiCodePage();
    WriteJob(BuildGeneralTsplJob(in));
}

// ---- T_frmPrintTextLabel ------------------------------------------------------------------------

T_frmPrintTextLabel::T_frmPrintTextLabel(QWidget* parent) : TPrintTextLabelBase(parent)
{
    setObjectName(QStringLiteral("T_frmPrintTextLabel"));
    txtPrintableWidth->setText(QStringLiteral("50"));
    txtPrintableHeigh->setText(QStringLiteral("60"));
    FormCreate();
}

void T_frmPrintTextLabel::FormCreate()
{
    FWidthLimit = GetPaperWidthByModel();
}

void T_frmPrintTextLabel::FormShow()
{
    InitLanguage();
    ApplyFormFont(this);
    ShowSizeControls(!IsFeatureModel(QString::fromLatin1(FTNNo_PrintableWidth_NotVisible)));
    if (IsInCommaList(PrtBasName, PrintTextGapModels)) {
        txtPrintableWidth->setText(QStringLiteral("100"));
        txtPrintableHeigh->setText(QStringLiteral("80"));
    }
}

void T_frmPrintTextLabel::InitLanguage()
{
    if (IsInCommaList(PrtBasName, PrintTextWideModels))
        FWidthLimit = QStringLiteral("108");
    const bool tall = IsInCommaList(PrtBasName, PrintTextTallModels);
    FHeightLimit = tall ? QStringLiteral("300") : QStringLiteral("210");
    FHeightMinimum = tall ? QStringLiteral("15") : QStringLiteral("10");
    Label2->setText(QStringLiteral("(") + FHeightMinimum + QStringLiteral("-") + FHeightLimit + QStringLiteral(")mm"));
    InitCommonTexts();
    FillCharacterSets();
    if (IsInCommaList(PrtBasName, ReadParameterSetNow(QStringLiteral("V52_PrintTextLanguageDisable"))))
        gpbLanguage->setEnabled(false);
    gpbLanguage->setVisible(!IsFeatureModel(QString::fromLatin1(FTNNo_PrintTextLanguage_NotVisible)));
    btnPrint->setText(Lang("_Print"));
    btnClose->setText(Lang("_Close"));
    gpbLanguage->setTitle(QStringLiteral("     ") + Lang("Lang_All_00210325_11"));
    lblInternationalCharacter->setText(Lang("Lang_All_00210326_11"));
}

void T_frmPrintTextLabel::PrintCpclLines()
{
    WriteJob(BuildCpclLineJobs(txtPrintText->toPlainText(), prt::SystemAnsiCodePage()));
}

void T_frmPrintTextLabel::btnPrintClick()
{
    if (!OpenTsplPort())
        return;
    const QString text = txtPrintText->toPlainText();
    const int ansi = prt::SystemAnsiCodePage();
    if (IsInCommaList(PrtBasName, PrintTextFont2Models) || IsInCommaList(PrtDefName, PrintTextFont2DefModels)) {
        SanitizeSizeFields();
        WriteJob({{BuildLabelFont2Job(txtPrintableWidth->text(), txtPrintableHeigh->text(), text, ansi), false}});
    } else if (IsInCommaList(PrtBasName, PrintTextGapModels)) {
        SanitizeSizeFields();
        WriteJob({{BuildLabelGapJob(txtPrintableWidth->text(), txtPrintableHeigh->text(), text, ansi), false}});
    } else if (IsFeatureModel(QString::fromLatin1(FTNNo_PrintText_Type1)) &&
               !IsInCommaList(PrtDefName, CpclLineTextExcludedModels)) {
        PrintCpclLines();
    } else {
        PrintGeneralRoad();
    }
    CloseTsplPort();
}
