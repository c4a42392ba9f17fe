#include "FormCommandTest.h"

#include "PrinterCMD.h"
#include "PrtCodePage.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlDispatchBasics.h"
#include "mdlGlobalVar.h"
#include "mdlMainData.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPubFunc.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

namespace {

QString T(const char* key)
{
    return prt::LangText(QLatin1String(key));
}

void ErrorBox(const QString& text)
{
    prt::MessageBoxPrt(text, T("_MSG_Title_Error"), prt::MB_ICONERROR_);
}

TConsoleOpenFileDialog& OpenFileDialog()
{
    static TConsoleOpenFileDialog dialog;
    return dialog;
}

bool IsHexKey(const QString& t)
{
    if (t.size() != 1)
        return false;
    const QChar c = t.at(0);
    return c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('f')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
           || c == QLatin1Char(' ') || c == QLatin1Char('\b') || c == QLatin1Char('\r') || c.unicode() == 127;
}

} // namespace

void SetConsoleOpenFileDialog(TConsoleOpenFileDialog dialog)
{
    OpenFileDialog() = std::move(dialog);
}

T_frmCommandTest::T_frmCommandTest(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCommandTest"));
    Wait = [](int ms) { SleepMs(uint32_t(ms)); };
    auto named = [](QObject* o, const char* n) { o->setObjectName(QLatin1String(n)); };
    auto button = [&](QWidget* p, const char* n, int x, int y, int w, int h = 28) {
        auto* b = new QPushButton(p);
        named(b, n);
        b->setGeometry(x, y, w, h);
        return b;
    };
    auto label = [&](QWidget* p, const char* n, int x, int y, int w) {
        auto* l = new QLabel(p);
        named(l, n);
        l->setGeometry(x, y, w, 22);
        return l;
    };
    tabCommandPages = new QTabWidget(this);
    named(tabCommandPages, "tabCommandPages");
    tabCommandPages->setGeometry(8, 8, 520, 220);
    PopMenu = new QMenu(this);
    named(PopMenu, "PopMenu");
    for (int i = 0; i < 5; ++i) {
        auto* page = new QWidget();
        page->setObjectName(QStringLiteral("P%1").arg(i + 1));
        RE[i] = new QPlainTextEdit(page);
        RE[i]->setObjectName(QStringLiteral("RE%1").arg(i + 1));
        RE[i]->setGeometry(2, 2, 510, 186);
        RE[i]->setContextMenuPolicy(Qt::CustomContextMenu);
        RE[i]->installEventFilter(this);
        connect(RE[i], &QWidget::customContextMenuRequested, this,
                [this, i](const QPoint& p) { PopMenu->popup(RE[i]->mapToGlobal(p)); });
        tabCommandPages->addTab(page, QString::number(i + 1));
    }
    QAction* copy = PopMenu->addAction(QString());
    copy->setObjectName(QStringLiteral("PopMenu_Copy"));
    QAction* paste = PopMenu->addAction(QString());
    paste->setObjectName(QStringLiteral("PopMenu_Paste"));
    connect(copy, &QAction::triggered, this, [this] { ActivePage()->copy(); });
    connect(paste, &QAction::triggered, this, [this] { ActivePage()->paste(); });

    gpbDataType = new QGroupBox(this);
    named(gpbDataType, "gpbDataType");
    gpbDataType->setGeometry(536, 8, 170, 76);
    rdoChar = new QRadioButton(gpbDataType);
    named(rdoChar, "rdoChar");
    rdoChar->setGeometry(10, 22, 150, 22);
    rdoChar->setChecked(true);
    rdoHex = new QRadioButton(gpbDataType);
    named(rdoHex, "rdoHex");
    rdoHex->setGeometry(10, 46, 150, 22);
    btnSend = button(this, "btnSend", 536, 92, 170, 32);
    chkRecycle = new QCheckBox(this);
    named(chkRecycle, "chkRecycle");
    chkRecycle->setGeometry(536, 130, 170, 22);
    lblRecycleTerTime = label(this, "lblRecycleTerTime", 536, 154, 100);
    txtSleepTime = new QLineEdit(QStringLiteral("1000"), this);
    named(txtSleepTime, "txtSleepTime");
    txtSleepTime->setGeometry(640, 154, 66, 22);
    txtSleepTime->setMaxLength(6);
    txtSleepTime->setEnabled(false);
    Label4 = label(this, "Label4", 640, 176, 66);
    Label4->setText(QStringLiteral("(>100ms)"));
    lblRecycleTimes = label(this, "lblRecycleTimes", 536, 198, 170);
    chkSendAndRead = new QCheckBox(this);
    named(chkSendAndRead, "chkSendAndRead");
    chkSendAndRead->setGeometry(8, 236, 200, 22);
    lblReadDataLen = label(this, "lblReadDataLen", 212, 236, 110);
    txtReadLen = new QLineEdit(QStringLiteral("256"), this);
    named(txtReadLen, "txtReadLen");
    txtReadLen->setGeometry(326, 236, 50, 22);
    txtReadLen->setMaxLength(3);
    for (QLineEdit* e : {txtSleepTime, txtReadLen})
        e->installEventFilter(this);
    btnReadData = button(this, "btnReadData", 400, 232, 128);
    lblReadData = label(this, "lblReadData", 8, 264, 200);
    txtReadData = new QPlainTextEdit(this);
    named(txtReadData, "txtReadData");
    txtReadData->setGeometry(8, 288, 520, 80);
    txtReadData->setReadOnly(true);
    btnLoadFile = button(this, "btnLoadFile", 8, 376, 130);
    txtLoadFileName = new QLineEdit(this);
    named(txtLoadFileName, "txtLoadFileName");
    txtLoadFileName->setGeometry(144, 379, 384, 22);
    txtLoadFileName->setReadOnly(true);
    btnClearCurTab = button(this, "btnClearCurTab", 536, 232, 170);
    btnClearAllTab = button(this, "btnClearAllTab", 536, 266, 170);
    lblSendTip = label(this, "lblSendTip", 536, 300, 170);
    lblSendTip->hide();
    btnClose = button(this, "btnClose", 536, 376, 170);

    gControlCode = new QGroupBox(this);
    named(gControlCode, "gControlCode");
    gControlCode->setGeometry(8, 410, 340, 60);
    btnStandard = button(gControlCode, "btnStandard", 8, 24, 104);
    btnAlternate = button(gControlCode, "btnAlternate", 116, 24, 104);
    btnAlternate2 = button(gControlCode, "btnAlternate2", 224, 24, 104);
    gCode = new QGroupBox(this);
    named(gCode, "gCode");
    gCode->setGeometry(356, 410, 350, 60);
    SOH = button(gCode, "SOH", 6, 24, 60);
    STX = button(gCode, "STX", 70, 24, 60);
    CR = button(gCode, "CR", 134, 24, 56);
    ESC = button(gCode, "ESC", 194, 24, 60);
    CountBy = button(gCode, "CountBy", 258, 24, 86);
    SOH->setText(QStringLiteral("<SOH>"));
    STX->setText(QStringLiteral("<STX>"));
    CR->setText(QStringLiteral("<CR>"));
    ESC->setText(QStringLiteral("<ESC>"));
    CountBy->setText(QStringLiteral("<Count By>"));
    resize(714, 478);

    timHintTip = new QTimer(this);
    named(timHintTip, "timHintTip");
    timHintTip->setInterval(3000);
    timHintTip->setSingleShot(true);
    connect(timHintTip, &QTimer::timeout, lblSendTip, &QWidget::hide);
    timSend = new QTimer(this);
    named(timSend, "timSend");
    connect(timSend, &QTimer::timeout, this, [this] { timSendTimer(); });

    connect(btnSend, &QPushButton::clicked, this, [this] { btnSendClick(); });
    connect(btnReadData, &QPushButton::clicked, this, [this] { btnReadDataClick(); });
    connect(btnLoadFile, &QPushButton::clicked, this, [this] { btnLoadFileClick(); });
    connect(rdoChar, &QRadioButton::clicked, this, [this] { DataTypeClick(); });
    connect(rdoHex, &QRadioButton::clicked, this, [this] { DataTypeClick(); });
    connect(chkRecycle, &QCheckBox::toggled, txtSleepTime, &QWidget::setEnabled);
    connect(btnClearCurTab, &QPushButton::clicked, this, [this] {
        ActivePage()->clear();
        txtReadData->clear();
    });
    connect(btnClearAllTab, &QPushButton::clicked, this, [this] {
        for (QPlainTextEdit* e : RE)
            e->clear();
        txtReadData->clear();
    });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    for (QPushButton* b : {SOH, STX, CR, ESC, CountBy})
        connect(b, &QPushButton::clicked, this, [this, b] { ControlCodeClick(b); });
    connect(btnStandard, &QPushButton::clicked, this, [this] { SwitchControlCodes(QStringLiteral("standard")); });
    connect(btnAlternate, &QPushButton::clicked, this, [this] { SwitchControlCodes(QStringLiteral("alternate")); });
    connect(btnAlternate2, &QPushButton::clicked, this,
            [this] { SwitchControlCodes(QStringLiteral("alternate-2")); });
}

T_frmCommandTest::~T_frmCommandTest()
{
    timSend->stop();
}

QPlainTextEdit* T_frmCommandTest::ActivePage() const
{
    return RE[std::max(0, tabCommandPages->currentIndex())];
}

void T_frmCommandTest::SetCaptions()
{
    FIdleCaption = T("FormCommandTest_btnSend1");
    FStopCaption = T("FormCommandTest_btnSend2");
    FCountSuffix = T("FormCommandTest_lblRecycleTimes");
    FCodeCaption = T("FormPrintTextLabel_lblControlCode");
    FSetCaptions[0] = T("FormPrintTextLabel_lblStandard");
    FSetCaptions[1] = T("FormPrintTextLabel_lblAlternate");
    FSetCaptions[2] = T("FormPrintTextLabel_lblAlternate2");
    setWindowTitle(T("FormCommandTest_Caption"));
    btnLoadFile->setText(T("FormCommandTest_btnLoadFilee"));
    for (QWidget* w : std::initializer_list<QWidget*>{lblReadData, btnReadData, rdoChar, rdoHex, chkRecycle,
                                                       lblRecycleTimes, lblRecycleTerTime, chkSendAndRead,
                                                       lblReadDataLen, lblSendTip, btnClearCurTab, btnClearAllTab}) {
        const QString text = prt::LangText(QStringLiteral("FormCommandTest_") + w->objectName());
        if (auto* l = qobject_cast<QLabel*>(w))
            l->setText(text);
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setText(text);
    }
    gpbDataType->setTitle(T("FormCommandTest_gpbDataType"));
    PopMenu->actions().at(0)->setText(T("FormCommandTest_PopMenu_Copy"));
    PopMenu->actions().at(1)->setText(T("FormCommandTest_PopMenu_Paste"));
    btnClose->setText(T("_Close"));
    // The counter reads as a sentence from the start ("Sent 0 times"), not as a bare word.
    lblRecycleTimes->setText(LoopCountText(FLoopCount, FCountSuffix));
    btnSend->setText(FIdleCaption);
    gControlCode->setTitle(FCodeCaption);
    btnStandard->setText(FSetCaptions[0]);
    btnAlternate->setText(FSetCaptions[1]);
    btnAlternate2->setText(FSetCaptions[2]);
}

void T_frmCommandTest::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

bool T_frmCommandTest::OpenPort()
{
    EnsureTsplPrinterObject();
    const int r = TsplOpenPort(GetCurrentPortString());
    if (r == 0 || r == 5)
        return true;
    ErrorBox(OpenPortFailureMessage(r));
    return false;
}

void T_frmCommandTest::FormShow()
{
    FLoopCount = 0;
    SetCaptions();
    ApplyFormFont(this);
    const int created = TsplCreateGlobalPrinter(MainData::DefaultModel());
    if (created != 0)
        ErrorBox(T("_Err_CreatePrinter") + QLatin1Char(':') + QString::number(created));
    if (!InList(PrtDefName, DplModels)) {
        gControlCode->hide();
        gCode->hide();
        TsplClosePort();
        return;
    }
    if (!OpenPort())
        return;
    SetPrinterSdkKind(1);  // the text commands go over the same TSPL object
    FPrinterLanguage = CmdGetVal(KEY_ppl);
    if (FPrinterLanguage != QLatin1String("dpl")) {
        gControlCode->hide();
        gCode->hide();
        TsplClosePort();
        return;
    }
    gControlCode->show();
    gCode->show();
    FControlSet = CmdGetVal(KEY_control_codes);
    if (FControlSet.isEmpty()) {
        ErrorBox(T("_Err_ReadData"));
        return;
    }
    ControlCodesOfSet(FControlSet, FCodes);
    SetGroupCaption(FControlSet);
    TsplClosePort();
}

void T_frmCommandTest::SetGroupCaption(const QString& set)
{
    const int i = set == QLatin1String("standard") ? 0 : set == QLatin1String("alternate") ? 1
                  : set == QLatin1String("alternate-2")                                  ? 2
                                                                                          : -1;
    gControlCode->setTitle(FCodeCaption + QLatin1Char(':') + (i >= 0 ? FSetCaptions[i] : QString()));
}

bool T_frmCommandTest::DplActive() const
{
    return InList(PrtBasName, DplModels) && FPrinterLanguage == QLatin1String("dpl");
}

bool T_frmCommandTest::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && (watched == txtReadLen || watched == txtSleepTime))
        FieldExit();
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        const bool edit = watched == txtReadLen || watched == txtSleepTime;
        const bool page = std::find(std::begin(RE), std::end(RE), watched) != std::end(RE);
        if (k->matches(QKeySequence::Paste) && page && rdoHex->isChecked()) {
            // Pasted text passes the same check as typed text.
            const QString clip = QApplication::clipboard()->text();
            for (QChar c : clip)
                if (!IsHexKey(QString(c)) && c != QLatin1Char('\n'))
                    return true;
            return false;
        }
        if (!k->text().isEmpty() && !(k->modifiers() & Qt::ControlModifier)) {
            const QString t = k->text();
            if (edit && !(t.at(0).isDigit() || t == QLatin1String("\b") || t == QLatin1String("\r")
                          || t.at(0).unicode() == 127))
                return true;
            if (page && rdoHex->isChecked() && !IsHexKey(t))
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void T_frmCommandTest::FieldExit()
{
    txtReadLen->setText(ClampReadLenField(txtReadLen->text()));
    txtSleepTime->setText(ClampSleepField(txtSleepTime->text()));
}

void T_frmCommandTest::DataTypeClick()
{
    const QString text = ActivePage()->toPlainText();
    if (text.isEmpty())
        return;
    if (DplActive()) {
        ActivePage()->clear();
        return;
    }
    if (rdoHex->isChecked()) {
        ActivePage()->setPlainText(BytesToHexSpaced(prt::TextToAnsiBytes(text)));
        return;
    }
    bool ok = false;
    const QString converted = HexPageToText(text, ok);
    if (!ok) {
        ErrorBox(QStringLiteral("Command Error!"));
        return;
    }
    ActivePage()->setPlainText(converted);
}

bool T_frmCommandTest::BuildSendBytes()
{
    QString text = ActivePage()->toPlainText();
    if (rdoChar->isChecked()) {
        if (DplActive())
            text = ReplaceControlPlaceholders(text, FCodes, false);
        FSendBytes = prt::TextToAnsiBytes(text);
        return true;
    }
    if (DplActive())
        text = ReplaceControlPlaceholders(text, FCodes, true);
    const THexParse p = ParseConsoleHex(text);
    if (!p.Ok) {
        ErrorBox(ConsoleHexErrorText(p));
        return false;
    }
    FSendBytes = p.Bytes;
    return true;
}

void T_frmCommandTest::StopLoop()
{
    FLoopStopped = -1;
    btnSend->setText(FIdleCaption);
    timSend->stop();
    txtSleepTime->setEnabled(chkRecycle->isChecked());
    TsplClosePort();
}

void T_frmCommandTest::btnSendClick()
{
    if (btnSend->text() != FIdleCaption) {
        StopLoop();
        return;
    }
    if (ActivePage()->toPlainText().isEmpty())
        return;
    if (!OpenPort())
        return;
    FSendAndRead = chkSendAndRead->isChecked() ? -1 : 0;
    FReadLen = std::clamp(txtReadLen->text().toInt(), 1, 256);
    if (!BuildSendBytes())
        return;
    if (chkRecycle->isChecked()) {
        FLoopStopped = 0;
        btnSend->setText(FStopCaption);
        txtSleepTime->setEnabled(false);
        timSend->setInterval(std::max(100, txtSleepTime->text().toInt()));
        timSend->start();
        return;
    }
    const int r = TsplWriteData(FSendBytes);
    if (r != 0) {
        ErrorBox(T("_Err_WriteData") + QLatin1Char(':') + QString::number(r));
        return;
    }
    prt::MessageBoxPrt(T("SendTip"), T("_MSG_Title_Message"), 0);
    lblSendTip->show();
    timHintTip->start();
    if (FSendAndRead) {
        Wait(1000);
        QByteArray buf(FReadLen, '\0');
        uint32_t count = 0;
        TsplReadData(reinterpret_cast<uint8_t*>(buf.data()), uint32_t(FReadLen), &count);
        if (count > 0)
            txtReadData->appendPlainText(BytesToHexPlain(buf.left(int(std::min<uint32_t>(count, FReadLen)))));
        else
            ErrorBox(T("_Err_ReadData"));
    }
}

void T_frmCommandTest::timSendTimer()
{
    const int r = TsplWriteData(FSendBytes);
    if (r != 0) {
        StopLoop();
        ErrorBox(T("_Err_WriteData") + QLatin1Char(':') + QString::number(r));
        return;
    }
    ++FLoopCount;
    lblRecycleTimes->setText(LoopCountText(FLoopCount, FCountSuffix));
    if (FSendAndRead) {
        Wait(100);
        QByteArray buf(FReadLen, '\0');
        uint32_t count = 0;
        TsplReadData(reinterpret_cast<uint8_t*>(buf.data()), uint32_t(FReadLen), &count);
        if (count > 0)
            txtReadData->appendPlainText(BytesToHexPlain(buf.left(int(std::min<uint32_t>(count, FReadLen)))));
    }
}

void T_frmCommandTest::btnReadDataClick()
{
    if (!OpenPort())
        return;
    const int len = std::clamp(txtReadLen->text().toInt(), 1, 256);
    QByteArray buf(len, '\0');
    uint32_t count = 0;
    TsplReadDataRetry(reinterpret_cast<uint8_t*>(buf.data()), uint32_t(len), &count, 100, 2);
    if (count > 0)
        txtReadData->appendPlainText(BytesToHexSpaced(buf.left(int(std::min<uint32_t>(count, len)))));
    TsplClosePort();
}

void T_frmCommandTest::btnLoadFileClick()
{
    const QString name = OpenFileDialog() ? OpenFileDialog()(this) : QFileDialog::getOpenFileName(this);
    if (name.isEmpty())
        return;
    txtLoadFileName->setText(name);
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = f.readAll();
    ActivePage()->setPlainText(rdoHex->isChecked() ? BytesToHexSpaced(bytes) : prt::DecodeTextFileBytes(bytes));
}

void T_frmCommandTest::ControlCodeClick(QPushButton* b)
{
    if (FControlSet.isEmpty()) {
        ErrorBox(QStringLiteral("请选择控制字符:") + QString::number(GetLastLinkResult()));
        return;
    }
    QString insert = b->text();
    if (rdoHex->isChecked()) {
        const QString code = b == SOH ? FCodes.Soh : b == STX ? FCodes.Stx : b == CR ? FCodes.Cr
                             : b == ESC ? FCodes.Esc : FCodes.CountBy;
        insert = BytesToHexSpaced(prt::TextToAnsiBytes(code));
    }
    ActivePage()->insertPlainText(insert);
}

void T_frmCommandTest::SwitchControlCodes(const QString& set)
{
    if (!OpenPort())
        return;
    TsplWriteData(DplSwitchBytes(FControlSet, set));
    FControlSet = set;
    SetGroupCaption(set);
    ControlCodesOfSet(set, FCodes);
    prt::MessageBoxPrt(T("SendOkTip") + T("msgSRP"), T("_MSG_Title_Message"), 0);
    SetPrinterSdkKind(1);
    EnsurePrinterObject();
    CmdDo(KEY_reset_printer);
    TsplClosePort();
}

void T_frmCommandTest::closeEvent(QCloseEvent* event)
{
    timSend->stop();
    TsplClosePort();
    QDialog::closeEvent(event);
}

void T_frmCommandTest::done(int result)
{
    timSend->stop();
    TsplClosePort();
    QDialog::done(result);
}
