#include "FormRfidSet.h"

#include "PrinterCMD.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlGlobalVar.h"
#include "mdlModuleState.h"
#include "mdlPrintTextJobs.h"
#include "mdlPubFunc.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>

namespace {

QString Lang(const QString& key)
{
    return prt::LangText(key);
}

template <typename T>
T* Named(T* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QString LangKey(int number)
{
    return QStringLiteral("Lang000100") + QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace

TfrmRfidSet::TfrmRfidSet(QWidget* parent) : QDialog(parent), FIo(DefaultRfidIo())
{
    setObjectName(QStringLiteral("TfrmRfidSet"));
    BuildControls();
    FormCreate();
}

TfrmRfidSet::~TfrmRfidSet() = default;

void TfrmRfidSet::BuildControls()
{
    pnlC = Named(new QFrame(this), "pnlC");
    pnlC->setGeometry(0, 0, 649, 280);
    pnlC->installEventFilter(this);

    const auto label = [this](const char* name, int x, int y, int w) {
        auto* l = Named(new QLabel(pnlC), name);
        l->setGeometry(x, y, w, 24);
        return l;
    };
    const auto edit = [this](const char* name, int x, int y, int w) {
        auto* e = Named(new QLineEdit(pnlC), name);
        e->setGeometry(x, y, w, 24);
        return e;
    };
    const auto button = [this](const char* name, int x, int y) {
        auto* b = Named(new QPushButton(pnlC), name);
        b->setGeometry(x, y, 110, 28);
        return b;
    };

    lblRfidW = label("lblRfidW", 10, 12, 133);
    edtRfidW = edit("edtRfidW", 145, 12, 260);
    chkWR = Named(new QCheckBox(pnlC), "chkWR");
    chkWR->setGeometry(412, 12, 110, 24);
    btnRfidW = button("btnRfidW", 530, 10);
    lblRfidIpnutLen = label("lblRfidIpnutLen", 145, 38, 260);
    lblRfidRLen = label("lblRfidRLen", 10, 66, 133);
    edtRfidRLen = edit("edtRfidRLen", 145, 66, 60);
    lblRfidR = label("lblRfidR", 10, 100, 133);
    edtRfidR = edit("edtRfidR", 145, 100, 377);
    btnRfidR = button("btnRfidR", 530, 98);
    lblTranPower = label("lblTranPower", 10, 136, 133);
    edtTranPower = edit("edtTranPower", 145, 136, 120);
    Label1 = label("Label1", 272, 136, 80);
    Label1->setText(QStringLiteral("0-150"));
    btnWTranPower = button("btnWTranPower", 530, 134);
    lblRssiStrength = label("lblRssiStrength", 10, 172, 133);
    edtRssiStrength = edit("edtRssiStrength", 145, 172, 120);
    Label2 = label("Label2", 272, 172, 80);
    Label2->setText(QStringLiteral("0-255"));
    btnWRssiStrength = button("btnWRssiStrength", 530, 170);
    lblRfidVersion = label("lblRfidVersion", 10, 208, 133);
    edtRfidVersion = edit("edtRfidVersion", 145, 208, 260);
    btnReadPara = button("btnReadPara", 295, 244);
    btnRfidLearn = button("btnRfidLearn", 412, 244);
    btnRfidLearn->setFixedWidth(228);

    mmoInfo = Named(new QPlainTextEdit(this), "mmoInfo");
    mmoInfo->setReadOnly(true);
    mmoInfo->setGeometry(0, 280, 649, 55);
    mmoInfo->setVisible(false);

    pnlB = Named(new QFrame(this), "pnlB");
    pnlB->setGeometry(0, 335, 649, 50);
    btnClose = Named(new QPushButton(pnlB), "btnClose");
    btnClose->setGeometry(270, 10, 110, 30);

    pagecA_2 = Named(new QTabWidget(this), "pagecA_2");
    pagecA_2->setGeometry(655, 0, 320, 335);
    const auto page = [this](const char* tabName, const char* panelName, QFrame*& panel) {
        QWidget* tab = new QWidget;
        tab->setObjectName(QString::fromLatin1(tabName));
        panel = Named(new QFrame(tab), panelName);
        panel->setGeometry(0, 0, 314, 300);
        pagecA_2->addTab(tab, QString::fromLatin1(tabName));
        return tab;
    };
    tabsUserParaA_2 = page("tabsUserParaA_2", "pnlUserParaA_2", pnlUserParaA_2);
    tabsUserParaB_2 = page("tabsUserParaB_2", "pnlUserParaB_2", pnlUserParaB_2);
    tabsUserParaBt_2 = page("tabsUserParaBt_2", "pnlUserParaBt_2", pnlUserParaBt_2);
    txtSupport_RfidVersion = Named(new QLineEdit(pnlUserParaA_2), "txtSupport_RfidVersion");
    txtSupport_RfidVersion->setGeometry(8, 8, 296, 24);

    edtRfidRLen->installEventFilter(this);
    edtRfidW->installEventFilter(this);
    resize(982, 385);

    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    connect(btnRfidR, &QPushButton::clicked, this, [this] { btnRfidRClick(); });
    connect(btnRfidW, &QPushButton::clicked, this, [this] { btnRfidWClick(); });
    connect(chkWR, &QCheckBox::clicked, this, [this] { chkWRClick(); });
    connect(edtRfidW, &QLineEdit::textChanged, this, [this] { edtRfidWChange(); });
    connect(btnReadPara, &QPushButton::clicked, this, [this] { btnReadParaClick(); });
    connect(btnRfidLearn, &QPushButton::clicked, this, [this] { btnRfidLearnClick(); });
    connect(btnWTranPower, &QPushButton::clicked, this, [this] { btnWTranPowerClick(); });
    connect(btnWRssiStrength, &QPushButton::clicked, this, [this] { btnWRssiStrengthClick(); });
}

// ---- creation and layout -----------------------------------------------------------------------

void TfrmRfidSet::FormCreate()
{
    FitWidth();
    InitTexts();
    FReadLenDefault = 12;
    FWriteLenLimit = 12;
    edtRfidRLen->setText(QStringLiteral("12"));
    edtRfidW->setMaxLength(FWriteLenLimit * 2);
    if (IsDebugMode())
        edtRfidW->setText(QStringLiteral("ABcd0123000043212222DCBA"));
    lblRfidIpnutLen->clear();
    FMinHeight = 359;
    FMinWidth = 591;
    setMinimumSize(FMinWidth, FMinHeight);
    btnRfidR->setFocus();
    ApplyFormFont(this);
    FitWriteRow();
}

void TfrmRfidSet::FitWriteRow()
{
    constexpr int kEditLeft = 145, kBoxLeft = 412, kGap = 7;
    const int right = btnRfidW->x() - 8;
    const int boxWidth = std::max(110, chkWR->sizeHint().width());
    const int boxLeft = std::min(kBoxLeft, right - boxWidth);
    chkWR->setGeometry(boxLeft, chkWR->y(), boxWidth, chkWR->height());
    edtRfidW->resize(boxLeft - kGap - kEditLeft, edtRfidW->height());
}

void TfrmRfidSet::FitWidth()
{
    if (!IsDebugMode())
        resize(pnlB->width(), height());
}

void TfrmRfidSet::InitTexts()
{
    setWindowTitle(Lang(QStringLiteral("Lang00010014")));
    FMsg[0] = Lang(QStringLiteral("Lang00010013"));
    for (int i = 1; i <= 12; ++i)
        FMsg[size_t(i)] = Lang(LangKey(i));
    lblRfidRLen->setText(FMsg[0]);
    lblRfidW->setText(Lang(QStringLiteral("Lang00010015")));
    chkWR->setText(Lang(QStringLiteral("Lang00010016")));
    lblRfidRLen->setText(Lang(QStringLiteral("Lang00010017")));
    lblRfidR->setText(Lang(QStringLiteral("Lang00010018")));
    lblTranPower->setText(Lang(QStringLiteral("Lang00010019")));
    lblRssiStrength->setText(Lang(QStringLiteral("Lang00010020")));
    btnRfidW->setText(Lang(QStringLiteral("Lang00010021")));
    btnRfidR->setText(Lang(QStringLiteral("Lang00010022")));
    btnClose->setText(Lang(QStringLiteral("Lang00010023")));
    btnWTranPower->setText(Lang(QStringLiteral("Lang00010021")));
    btnWRssiStrength->setText(Lang(QStringLiteral("Lang00010021")));
    btnReadPara->setText(Lang(QStringLiteral("Lang00010022")));
    btnRfidLearn->setText(Lang(QStringLiteral("Lang00010025")));
    SetEditReadOnly(txtSupport_RfidVersion);
    lblRfidVersion->setText(Lang(QStringLiteral("Lang_All_00210121_12")));
    const QString prefix =
        IsDebugMode() ? Lang(QStringLiteral("Lang_All_00210121_12")) + QStringLiteral(":") : QString();
    if (RfidFlagsOfModel(PrtBasName).version) {
        txtSupport_RfidVersion->setText(prefix + Lang(QStringLiteral("Lang_All_00010024_11")));
        SetEditWritable(edtRfidVersion);
    } else {
        txtSupport_RfidVersion->setText(prefix + Lang(QStringLiteral("Lang_All_00010023_11")));
        SetEditReadOnly(edtRfidVersion);
        edtRfidVersion->clear();
    }
}

void TfrmRfidSet::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TfrmRfidSet::FormResize()
{
    if (!btnClose)
        return;
    pnlB->setFixedWidth(std::max(width(), 1));
    btnClose->move((pnlB->width() - btnClose->width()) / 2, btnClose->y());
}

void TfrmRfidSet::closeEvent(QCloseEvent* event)
{
    // A tag operation runs to its end before the window may close.
    if (FBusy) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TfrmRfidSet::reject()
{
    if (!FBusy)
        QDialog::reject();
}

bool TfrmRfidSet::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pnlC && event->type() == QEvent::MouseButtonDblClick) {
        pnlCDblClick();
        return true;
    }
    if ((watched == edtRfidRLen || watched == edtRfidW) && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.isEmpty() || text.at(0).unicode() < 32 || text.at(0).unicode() == 127)
            return QDialog::eventFilter(watched, event);  // editing keys
        QChar c = text.at(0);
        if (watched == edtRfidRLen)
            return !edtRfidRLenKeyPress(c);
        if (!edtRfidWKeyPress(c))
            return true;
        if (c != text.at(0)) {
            edtRfidW->insert(QString(c));  // the upper-case letter instead
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---- small events ------------------------------------------------------------------------------

void TfrmRfidSet::btnCloseClick()
{
    close();
}

void TfrmRfidSet::pnlCDblClick()
{
    mmoInfo->setVisible(!mmoInfo->isVisible());
}

void TfrmRfidSet::chkWRClick()
{
    (void)chkWR->isChecked();
}

bool TfrmRfidSet::edtRfidRLenKeyPress(QChar key)
{
    const char16_t c = key.unicode();
    return c == 8 || (c >= '0' && c <= '9');
}

bool TfrmRfidSet::edtRfidWKeyPress(QChar& key)
{
    const char16_t c = key.unicode();
    if (c >= 'a' && c <= 'z') {
        key = QChar(char16_t(c - 'a' + 'A'));
        return true;
    }
    return c == 8 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
}

void TfrmRfidSet::edtRfidWChange()
{
    UpdateWriteLenHint(false);
}

void TfrmRfidSet::UpdateWriteLenHint(bool refresh)
{
    const qsizetype n = edtRfidW->text().size();
    if (n % 2 == 0)
        lblRfidIpnutLen->setText(FillPercentS(Msg(7), {QString::number(n / 2)}));
    else
        lblRfidIpnutLen->clear();
    if (refresh)
        lblRfidIpnutLen->repaint();
}

void TfrmRfidSet::ShowInfo(const QString& text)
{
    prt::MessageBoxPrt(text, Lang(QStringLiteral("_MSG_Title_Message")), prt::MB_ICONINFORMATION_);
}

void TfrmRfidSet::ShowError(const QString& text)
{
    prt::MessageBoxPrt(text, Lang(QStringLiteral("_MSG_Title_Error")), prt::MB_ICONERROR_);
}

void TfrmRfidSet::AddLogLine(const QString& text)
{
    if (FLogLines >= 1000) {
        mmoInfo->clear();
        FLogLines = 0;
    }
    ++FLogLines;
    mmoInfo->appendPlainText(QStringLiteral("%1").arg(FLogLines, 3, 10, QLatin1Char('0')) + QStringLiteral(":") + text);
}

QString TfrmRfidSet::Msg(int number) const
{
    return number >= 1 && number <= 12 ? FMsg[size_t(number)] : QString();
}

// ---- checks ---------------------------------------------------------------------------------------

bool TfrmRfidSet::CheckReadLen()
{
    if (IsValidRfidReadLength(edtRfidRLen->text(), FWriteLenLimit))
        return true;
    ShowError(FillPercentS(Msg(1), {QString::number(FWriteLenLimit)}));
    return false;
}

bool TfrmRfidSet::CheckPowerLevel()
{
    if (IsIntegerInRange(edtTranPower->text(), 0, 150))
        return true;
    ShowInfo(FillPercentS(Msg(11), {QStringLiteral("0"), QStringLiteral("150")}));
    return false;
}

bool TfrmRfidSet::CheckRssiLevel()
{
    if (IsIntegerInRange(edtRssiStrength->text(), 0, 255))
        return true;
    ShowInfo(FillPercentS(Msg(12), {QStringLiteral("0"), QStringLiteral("255")}));
    return false;
}

// ---- actions -----------------------------------------------------------------------------------------

TRfidSession TfrmRfidSet::Session() const
{
    return TRfidSession(FIo, RfidFlagsOfModel(PrtBasName));
}

void TfrmRfidSet::ShowOutcome(const TRfidOutcome& outcome)
{
    if (outcome.readTextSet)
        edtRfidR->setText(outcome.readText);
    const int number = outcome.messageKey.right(2).toInt();
    if (outcome.box == TRfidOutcome::ErrorBox)
        ShowError(Msg(number));
    else if (outcome.box == TRfidOutcome::InfoBox)
        ShowInfo(Msg(number));
}

void TfrmRfidSet::RunTagOperation(QPushButton* button, const std::function<void()>& run)
{
    FBusy = true;
    button->setEnabled(false);
    setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    run();
    QApplication::restoreOverrideCursor();
    setEnabled(true);
    button->setEnabled(true);
    FBusy = false;
}

void TfrmRfidSet::btnRfidRClick()
{
    ReadTag();
}

void TfrmRfidSet::btnRfidWClick()
{
    if (chkWR->isChecked())
        WriteAndReadTag();
    else
        WriteTag();
}

void TfrmRfidSet::ReadTag()
{
    edtRfidR->clear();
    edtRfidR->repaint();
    if (!CheckReadLen())
        return;
    const int length = edtRfidRLen->text().trimmed().toInt();
    RunTagOperation(btnRfidR, [&] {
        const TRfidOutcome out = Session().ReadTag(length);
        if (out.readTextSet)
            AddLogLine(out.readText);
        ShowOutcome(out);
    });
}

void TfrmRfidSet::WriteTag()
{
    QString data;
    if (!NormalizeRfidTagData(edtRfidW->text(), data)) {
        ShowError(Msg(4));
        return;
    }
    RunTagOperation(btnRfidW, [&] {
        UpdateWriteLenHint(true);
        ShowOutcome(Session().WriteTag(data));
    });
}

void TfrmRfidSet::WriteAndReadTag()
{
    if (!CheckReadLen())
        return;
    QString data;
    if (!NormalizeRfidTagData(edtRfidW->text(), data)) {
        ShowError(Msg(4));
        return;
    }
    const int length = edtRfidRLen->text().trimmed().toInt();
    RunTagOperation(btnRfidW, [&] {
        edtRfidR->clear();
        edtRfidR->repaint();
        UpdateWriteLenHint(true);
        ShowOutcome(Session().WriteAndReadTag(length, data));
    });
}

void TfrmRfidSet::btnReadParaClick()
{
    btnReadPara->setEnabled(false);
    btnReadPara->repaint();
    const TRfidParams p = Session().ReadParams();
    if (p.opened) {
        edtTranPower->setText(p.power);
        edtRssiStrength->setText(p.rssi);
        if (p.versionRead)
            edtRfidVersion->setText(p.version);
    }
    btnReadPara->setEnabled(true);
}

void TfrmRfidSet::btnRfidLearnClick()
{
    ShowOutcome(Session().Calibrate());
}

void TfrmRfidSet::SetLevel(bool (TfrmRfidSet::*check)(), const QByteArray& key, QLineEdit* edit, QPushButton* button)
{
    if (!(this->*check)())
        return;
    button->setEnabled(false);
    button->repaint();
    ShowOutcome(Session().SetLevel(key, edit->text()));
    button->setEnabled(true);
}

void TfrmRfidSet::btnWTranPowerClick()
{
    SetLevel(&TfrmRfidSet::CheckPowerLevel, QByteArray(KEY_rfid_power_level), edtTranPower, btnWTranPower);
}

void TfrmRfidSet::btnWRssiStrengthClick()
{
    SetLevel(&TfrmRfidSet::CheckRssiLevel, QByteArray(KEY_rfid_rssi_level), edtRssiStrength, btnWRssiStrength);
}
