#include "FormPrintText.h"

#include "CMD_Key.h"
#include "PrinterCMD.h"
#include "PrtCodePage.h"
#include "PrtMsgBox.h"
#include "PrtPaths.h"
#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlGlobalVar.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlModelFeatures.h"
#include "mdlModuleState.h"
#include "mdlPortResult.h"
#include "mdlPrintTextJobs.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"
#include "mdlPub_Obj_Ult_PrtPara.h"
#include "mdlPubFunc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {

int g_paperMode = 0;
QString g_pplAnswer;

constexpr uint16_t kModeKeyId = 312;
const QString kCrLf3 = QStringLiteral("\r\n\r\n\r\n");

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

QLineEdit* RowLabel(QWidget* parent, const char* name)
{
    auto* e = Named(new QLineEdit(parent), name);
    e->setReadOnly(true);
    e->setFrame(false);
    e->setFocusPolicy(Qt::NoFocus);
    e->setStyleSheet(QStringLiteral("background: transparent;"));
    return e;
}

// Closes the port when the click leaves, whichever way.
struct PortCloser {
    ~PortCloser() { SetCmdLastResult(PrtClosePort()); }
};

} // namespace

int PrintTextPaperMode()
{
    return g_paperMode;
}

void SetPrintTextPaperMode(int mode)
{
    g_paperMode = mode;
}

QString PrintTextLastPplAnswer()
{
    return g_pplAnswer;
}

void ResetPrintTextModuleState()
{
    g_paperMode = 0;
    g_pplAnswer.clear();
}

int MapPaperModeAnswer(int keyKind, const QString& answer)
{
    if (keyKind == 1)
        return answer == QLatin1String("1") ? 3 : 4;
    if (keyKind == 2)
        return answer == QLatin1String("0") ? 3 : 0;
    return -1;
}

// ---- window ---------------------------------------------------------------------------------------

T_frmPrintText::T_frmPrintText(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("T_frmPrintText"));
    BuildControls();
    FormCreate();
}

T_frmPrintText::~T_frmPrintText() = default;

void T_frmPrintText::BuildControls()
{
    lblContent = Named(new QLabel(this), "lblContent");
    lblContent->setGeometry(8, 6, 440, 20);
    txtPrintText = Named(new QPlainTextEdit(this), "txtPrintText");
    txtPrintText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtPrintText->setGeometry(8, 28, 440, 170);

    gpbLanguage = Named(new QGroupBox(this), "gpbLanguage");
    pnlA = Named(new QFrame(gpbLanguage), "pnlA");
    pnlA->setFrameShape(QFrame::NoFrame);
    edtlbl_SelInternationalCharacter = RowLabel(pnlA, "edtlbl_SelInternationalCharacter");
    CheckBox1 = Named(new QCheckBox(pnlA), "CheckBox1");
    lblInternationalCharacter = RowLabel(pnlA, "lblInternationalCharacter");
    cmbInternationalCharacter = Named(new QComboBox(pnlA), "cmbInternationalCharacter");
    cmbInternationalCharacter->setEnabled(false);
    edtlbl_PrintableHeight = RowLabel(pnlA, "edtlbl_PrintableHeight");
    cmbPrintableHeight = Named(new QComboBox(pnlA), "cmbPrintableHeight");
    cmbPrintableHeight->setEditable(true);
    edtlbl_RowHeight = RowLabel(pnlA, "edtlbl_RowHeight");
    cmbRowHeight = Named(new QComboBox(pnlA), "cmbRowHeight");
    cmbRowHeight->setEditable(true);
    // Design places of the four rows (label edit, control).
    const QList<QPair<QWidget*, QWidget*>> rows = {{edtlbl_SelInternationalCharacter, CheckBox1},
                                                   {lblInternationalCharacter, cmbInternationalCharacter},
                                                   {edtlbl_PrintableHeight, cmbPrintableHeight},
                                                   {edtlbl_RowHeight, cmbRowHeight}};
    int top = 4;
    for (const auto& row : rows) {
        row.first->setGeometry(8, top, 170, 24);
        row.second->setGeometry(186, top, 220, 24);
        top += 30;
    }
    pnlA->setGeometry(8, 20, 424, top);
    gpbLanguage->setGeometry(8, 204, 440, top + 28);

    pnlTool = Named(new QFrame(this), "pnlTool");
    pnlTool->setFrameShape(QFrame::NoFrame);
    btnPrint = Named(new QPushButton(pnlTool), "btnPrint");
    btnClose = Named(new QPushButton(pnlTool), "btnClose");
    btnPrint->setGeometry(230, 4, 100, 28);
    btnClose->setGeometry(340, 4, 100, 28);
    pnlTool->setGeometry(8, gpbLanguage->geometry().bottom() + 7, 440, 36);
    resize(456, pnlTool->geometry().bottom() + 7);

    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrintClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
}

void T_frmPrintText::FormCreate()
{
    FLayout = std::make_unique<TObj_Ult_PrtParaManage>();
    if (IsDebugMode() || DevMarkerFileExists())
        txtPrintText->setPlainText(QStringLiteral("[abc测试123def設置機器碼][Установить машинный код]"));
}

void T_frmPrintText::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void T_frmPrintText::FormShow()
{
    ApplyFormIcon(this);
    RegisterOptionRows();
    InitLanguage();
    ApplyFormFont(this);
}

void T_frmPrintText::RegisterOptionRows()
{
    FLayout->ClearGroups();
    const auto add = [this](const QString& name, QWidget* label, QWidget* control, bool visible) {
        auto* g = new TObj_Ult_PrtPara;
        g->Name = name;
        g->Height = control->height();
        g->Visible = visible;
        g->AddControl(label);
        g->AddControl(control);
        FLayout->AddGroup(g);
    };
    add(Lang("FormPrintText_chkLanguage"), edtlbl_SelInternationalCharacter, CheckBox1, true);
    add(Lang("FormPrintText_lblLanguage"), lblInternationalCharacter, cmbInternationalCharacter, true);
    add(Lang("FormPrintTextLabel_lblPrintableHeight"), edtlbl_PrintableHeight, cmbPrintableHeight,
        IsCurrentModelListed(PrintTextHeightModels));
    add(Lang("Lang_All_00210331_11"), edtlbl_RowHeight, cmbRowHeight, IsCurrentModelListed(PrintTextRowHeightModels));
    if (!IsDebugMode())
        ArrangeOptionRows();
}

void T_frmPrintText::ArrangeOptionRows()
{
    int bottom = 0;
    FLayout->Arrange(CheckBox1->y(), bottom);
    pnlA->setFixedHeight(std::max(bottom, 1));
    gpbLanguage->setGeometry(gpbLanguage->x(), txtPrintText->geometry().bottom() + 7, gpbLanguage->width(),
                             pnlA->y() + pnlA->height() + 4);
    pnlTool->move(pnlTool->x(), gpbLanguage->geometry().bottom() + 7);
    resize(2 * txtPrintText->x() + txtPrintText->width(), pnlTool->geometry().bottom() + 7);
}

void T_frmPrintText::InitLanguage()
{
    setWindowTitle(Lang("FormPrintText_Caption"));
    lblContent->setText(Lang("FormPrintText_lblContent"));
    const bool cjk = gLangId == QLatin1String("2052") || gLangId == QLatin1String("1028");
    // The group is titled like the same group of the label test-text window: the first row
    // already says "use a character set", the title repeated it.
    gpbLanguage->setTitle(QString(cjk ? 3 : 5, QLatin1Char(' ')) + Lang("Lang_All_00210325_11"));
    edtlbl_SelInternationalCharacter->setText(Lang("FormPrintText_chkLanguage"));
    lblInternationalCharacter->setText(Lang("FormPrintText_lblLanguage"));
    cmbInternationalCharacter->clear();
    cmbInternationalCharacter->addItems(SplitToStringList(Lang("FormPrintText_cmbLanguage_Item"), QStringLiteral(",")));
    cmbInternationalCharacter->setCurrentIndex(-1);
    FCodeList = SplitToStringList(Lang("FormPrintText_cmbLanguage_ItemCode"), QStringLiteral(","));
    if (IsInCommaList(PrtBasName, ReadParameterSetNow(QStringLiteral("V52_PrintTextLanguageDisable")))) {
        gpbLanguage->setEnabled(false);
        CheckBox1->setEnabled(false);
        cmbInternationalCharacter->setEnabled(false);
    }
    edtlbl_PrintableHeight->setText(Lang("FormPrintTextLabel_lblPrintableHeight"));
    cmbPrintableHeight->clear();
    cmbPrintableHeight->addItems({QStringLiteral("80"), QStringLiteral("160")});
    cmbPrintableHeight->setCurrentText(QStringLiteral("160"));
    edtlbl_RowHeight->setText(Lang("Lang_All_00210331_11"));
    cmbRowHeight->clear();
    cmbRowHeight->addItem(QStringLiteral("30"));
    cmbRowHeight->setCurrentText(QStringLiteral("30"));
    btnPrint->setText(Lang("_Print"));
    btnClose->setText(Lang("_Close"));
}

void T_frmPrintText::btnCloseClick()
{
    close();
}

void T_frmPrintText::CheckBox1Click()
{
    cmbInternationalCharacter->setEnabled(CheckBox1->isChecked());
    if (cmbInternationalCharacter->currentIndex() < 0 && cmbInternationalCharacter->count() > 0)
        cmbInternationalCharacter->setCurrentIndex(0);
}

int T_frmPrintText::GetPrintableHeight()
{
    bool ok = false;
    const int v = cmbPrintableHeight->currentText().toInt(&ok);
    if (ok)
        return v;
    cmbPrintableHeight->setCurrentText(QStringLiteral("80"));
    return 80;
}

int T_frmPrintText::GetRowHeight()
{
    bool ok = false;
    const int v = cmbRowHeight->currentText().toInt(&ok);
    if (ok)
        return v;
    cmbRowHeight->setCurrentText(QStringLiteral("30"));
    return 30;
}

QString T_frmPrintText::BuildCpclTextJob(const QString& text)
{
    const int height = IsCurrentModelListed(PrintTextHeightModels) ? GetPrintableHeight() : 500;
    int step = 40;
    if (IsCurrentModelListed(PrintTextRowModels))
        step = IsCurrentModelListed(PrintTextRowHeightModels) ? GetRowHeight() : 30;
    return ::BuildCpclTextJob(text, height, step);
}

bool T_frmPrintText::ReadPaperModeKey(QString& answer, uint8_t& value)
{
    answer.clear();
    value = 0;
    const QString hex = BuildGetKeyFrameHex(uint8_t(gKeyFrameOpByte), kModeKeyId);
    QByteArray frame;
    const int n = GetHexStrByteCount(hex);
    if (!HexStrToBytes(hex, n, 0, frame))
        return false;
    frame.truncate(n);
    const int code = PrtWriteData(frame);
    SetCmdLastResult(code);
    if (code != 0)
        return false;
    DelayMs(50);
    uint8_t byte = 0;
    uint32_t count = 0;
    const int read = PrtReadData(&byte, 1, &count);
    SetCmdLastResult(read);
    if (read != 0 || count < 1)
        return false;
    value = byte;
    answer = QString::number(byte);
    return true;
}

bool T_frmPrintText::QueryPaperMode(QString& answer)
{
    answer.clear();
    if (PaperModeSwitchA() != 2 || PaperModeSwitchB() != 1)
        return false;
    uint8_t value = 0;
    if (!ReadPaperModeKey(answer, value))
        return false;
    const int mode = MapPaperModeAnswer(PaperModeKeyKind(), answer);
    if (mode >= 0)
        g_paperMode = mode;
    return true;
}

void T_frmPrintText::ShowError(const QString& text) const
{
    prt::MessageBoxPrt(text, Lang("_MSG_Title_Error"), prt::MB_ICONERROR_);
}

bool T_frmPrintText::SendJob(const QString& narrowJob, const QString& wideJob, int chosenCodePage)
{
    const QByteArray bytes = EncodePrintTextJob(narrowJob, wideJob, CheckBox1->isChecked() ? chosenCodePage : 0,
                                                prt::SystemAnsiCodePage());
    if (bytes.isEmpty())
        return true;  // nothing built: nothing to write
    const int code = PrtWriteData(bytes);
    SetCmdLastResult(code);
    if (code != 0) {
        ShowError(Lang("_Err_WriteData"));
        return false;
    }
    return true;
}

void T_frmPrintText::btnPrintClick()
{
    // The click's own copies: whatever happens, nothing of them outlives the click.
    bool feedWithLineEnds = false;
    int feedCount = PrintTextFeedCount();

    QString model = PrtMapName;
    if (IsDebugMode())
        model = InputBoxText(QStringLiteral("set PrinterModel"), QStringLiteral("PrinterModel"), model);
    // Creating the object releases the one made by the previous click.
    SetCmdLastResult(PrtCreatePrinter(IsInCommaList(model, PrintTextSubstModels) ? PrintTextSubstituteModel() : model));

    const int open = PrtOpenPort(GetCurrentPortString());
    SetCmdLastResult(open);
    if (open != 0 && open != 5) {
        ShowError(OpenPortFailureMessage(open));
        return;
    }
    PortCloser closer;
    if (!IsDebugMode() && txtPrintText->toPlainText().trimmed().isEmpty()) {
        ShowError(Lang("_Err_ImportNull"));
        return;
    }
    CmdDrainToLog();
    FCyrillic = false;
    int chosen = 0;
    if (CheckBox1->isChecked()) {
        chosen = CodeListEntryToCodePage(FCodeList, cmbInternationalCharacter->currentIndex());
        FCyrillic = chosen == 866;
    }
    PrintOnOpenPort(chosen, FCyrillic, feedWithLineEnds, feedCount);
}

void T_frmPrintText::PrintOnOpenPort(int chosen, bool cyrillic, bool& feedWithLineEnds, int& feedCount)
{
    const QString text = TextWithCrLf(txtPrintText->toPlainText());
    const QString base = PrtBasName;

    // First mobile road: key 312 says CPCL (0) or plain text (1).
    if (IsInCommaList(base, PrintTextModeKeyModels)) {
        QByteArray buf(1, char(0xFF));
        if (CmdGetKeyByte(1, kModeKeyId, buf) <= 0)
            return;  // no answer: the click ends quietly
        QString job;
        if (uint8_t(buf.at(0)) == 0)
            job = BuildCpclTextJob(text) + kCrLf3;
        else if (uint8_t(buf.at(0)) == 1)
            job = text + kCrLf3;
        SendJob(job, job, chosen);
        return;
    }

    // Second mobile road: key 312 says ZPL (0), plain text (2) or CPCL.
    if (IsInCommaList(base, PrintTextLangModeModels)) {
        QByteArray buf(1, char(0xFF));
        if (CmdGetKeyFrame(uint8_t(gKeyFrameOpByte), kModeKeyId, buf) == -1) {
            ShowError(Lang("_Err_ReadData"));
            return;
        }
        const uint8_t value = uint8_t(buf.at(0));
        if (value == 0 && cyrillic) {
            SetCmdLastResult(PrtWriteData(BuildMobileCyrillicZplJob(text)));
            return;
        }
        if (value == 0)
            SendJob(BuildMobileZplJob(text, 80), BuildMobileZplJob(text, 0), chosen);
        else if (value == 2)
            SendJob(text + kCrLf3, text + kCrLf3, chosen);
        else
            SendJob(BuildCpclTextJob(text) + kCrLf3, BuildCpclTextJob(text) + kCrLf3, chosen);
        return;
    }

    // General road.
    const int protocol = GetCurrentProtocolNo();  // the probed protocol of the printer
    int type = 5;
    if (IsInCommaList(base, ReadParameterSetNow(QStringLiteral("MR452EX_PrintText")))) {
        type = 1;
    } else if (protocol == 3) {
        type = 2;
        if (PaperModeQueryOn() != 0) {
            QString answer;
            if (QueryPaperMode(answer)) {
                if (g_paperMode == 3) {
                    type = 6;
                    feedCount = 0;
                } else if (g_paperMode == 4) {
                    type = 3;
                } else if (g_paperMode == 0) {
                    feedWithLineEnds = true;
                }
            } else {
                ShowInfoBox(FillSlots(prt::LangText(QStringLiteral("Lang_All_00010011_11")),
                                      {Lang("Lang_Word_ProtocolType")}));
            }
        }
    } else if (protocol == 4) {
        type = 3;
    } else if (protocol == 5) {
        type = 4;
    }
    if (IsDebugMode()) {
        bool ok = false;
        const int typed = InputBoxText(QStringLiteral("PrintTextType:"), QStringLiteral("Title:Test - PrintTextType"),
                                       QString::number(type))
                              .trimmed()
                              .toInt(&ok);
        if (ok)
            type = typed;
    }

    const bool ppl = IsNameCommaInText(base, PrintTextPplModels);
    TPrintTextTypeInput in;
    in.text = text;
    in.zr640Utf8 = chosen == 65001 && IsInCommaList(base, ReadParameterSetNow(QStringLiteral("ZR640_PrintText")));
    in.pplModel = ppl;
    if (type == 3 && !in.zr640Utf8 && ppl) {
        g_pplAnswer = CmdGetVal(QByteArray(KEY_ppl));
        in.pplAnswer = g_pplAnswer;
    }
    if (type == 6)
        in.cpclJob = BuildCpclTextJob(text);
    const QString job = BuildPrintTextTypeJob(type, in);

    if (IsNameCommaInText(base, ReadParameterSetNow(QStringLiteral("Send1B53First"))))
        SetCmdLastResult(PrtWriteData(QByteArray("\x1B\x53", 2)));
    if (ppl) {
        g_pplAnswer = CmdGetVal(QByteArray(KEY_ppl));
        if (g_pplAnswer == QLatin1String("esc"))
            SetCmdLastResult(PrtWriteData(QByteArray("\x1B\x53", 2)));
    }
    if (!SendJob(job, job, chosen))
        return;
    if (feedCount > 0 && feedWithLineEnds) {
        for (int i = 0; i < feedCount; ++i)
            SetCmdLastResult(PrtWriteData(QByteArrayLiteral("\r\n")));
    }
}
