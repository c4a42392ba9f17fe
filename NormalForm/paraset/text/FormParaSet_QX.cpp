#include "FormParaSet_QX.h"

#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlGlobalVar.h"
#include "mdlOptionLists.h"
#include "mdlParamValues.h"
#include "mdlPubFunc.h"
#include "mdlTextParaCodecs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace textpara;

namespace {

QString T(const QString& key)
{
    return prt::LangText(key);
}

const QStringList kAddressEdits = {"txtIP1", "txtIP2", "txtIP3", "txtIP4", "txtSubnet1", "txtSubnet2",
                                   "txtSubnet3", "txtSubnet4", "txtGateway1", "txtGateway2", "txtGateway3",
                                   "txtGateway4"};

} // namespace

T_frmParaSet_QX::T_frmParaSet_QX(QWidget* parent) : TTextParaDialog(parent)
{
    setObjectName(QStringLiteral("T_frmParaSet_QX"));
    BuildUi();
    qxpara::DeclareQxControls(c_);
    Push();
    WireTouches();
    WithholdSetUntilRead(btnSet);
    // The read starts once the window is on screen.
    firstRead_ = new QTimer(this);
    firstRead_->setSingleShot(true);
    firstRead_->setInterval(10);
    connect(firstRead_, &QTimer::timeout, this, &T_frmParaSet_QX::ReadRun);
}

T_frmParaSet_QX::~T_frmParaSet_QX()
{
    StopRead();
    firstRead_->stop();
}

void T_frmParaSet_QX::BuildUi()
{
    auto* root = new QVBoxLayout(this);
    pagecA = new QTabWidget(this);
    pagecA->setObjectName(QStringLiteral("pagecA"));
    root->addWidget(pagecA);

    tabsA = new QWidget;
    tabsA->setObjectName(QStringLiteral("tabsA"));
    auto* pnlA = new QWidget(tabsA);
    pnlA->setObjectName(QStringLiteral("pnlA"));
    (new QVBoxLayout(tabsA))->addWidget(pnlA);
    auto* grid = new QGridLayout(pnlA);

    auto* left = new QVBoxLayout;
    left->addWidget(Radio(QStringLiteral("gpbAutoPosition"), pnlA));
    auto* gpbOther = new QGroupBox(pnlA);
    gpbOther->setObjectName(QStringLiteral("gpbOther"));
    auto* og = new QGridLayout(gpbOther);
    int row = 0;
    for (auto [lbl, cmb] : {std::pair{"lblJudgePaperMode", "cmbJudgePaperMode"},
                            std::pair{"lblPrintSpeed", "cmbPrintSpeed"}, std::pair{"lblHeatAdj", "cmbHeatAdj"},
                            std::pair{"lblDensity", "cmbDensity"}, std::pair{"lblProtocol", "cmbProtocol"},
                            std::pair{"lblPrintMode", "cmbPrintMode"}}) {
        og->addWidget(Label(QString::fromLatin1(lbl), gpbOther), row, 0);
        og->addWidget(Combo(QString::fromLatin1(cmb), gpbOther), row, 1, 1, 2);
        ++row;
    }
    og->addWidget(Label(QStringLiteral("lblTearOff"), gpbOther), row, 0);
    og->addWidget(Edit(QStringLiteral("txtTearOff"), gpbOther, 4, paraset::TKeyFilter::SignedNumber), row, 1);
    og->addWidget(Label(QStringLiteral("Label3"), gpbOther), row, 2);
    left->addWidget(gpbOther);
    for (const char* r : {"gpbReprintWhenError", "RadioGroup1", "g5", "gpbPrintType"})
        left->addWidget(Radio(QString::fromLatin1(r), pnlA));
    gpbLanguage = new QGroupBox(pnlA);
    gpbLanguage->setObjectName(QStringLiteral("gpbLanguage"));
    (new QHBoxLayout(gpbLanguage))->addWidget(Combo(QStringLiteral("cmbCodepage"), gpbLanguage));
    left->addWidget(gpbLanguage);
    left->addStretch();
    grid->addLayout(left, 0, 0);

    auto* right = new QVBoxLayout;
    auto* eth = new QGroupBox(pnlA);
    eth->setObjectName(QStringLiteral("gpbEthernetSetting"));
    auto* eg = new QGridLayout(eth);
    eg->addWidget(Label(QStringLiteral("lblDHCP"), eth), 0, 0);
    eg->addWidget(Combo(QStringLiteral("cmbDHCP"), eth), 0, 1, 1, 4);
    int erow = 1;
    for (auto [lbl, prefix] : {std::pair{"lblIP", "txtIP"}, std::pair{"lblSubnet", "txtSubnet"},
                               std::pair{"lblGateway", "txtGateway"}}) {
        eg->addWidget(Label(QString::fromLatin1(lbl), eth), erow, 0);
        for (int i = 1; i <= 4; ++i) {
            QLineEdit* e = Edit(QString::fromLatin1(prefix) + QString::number(i), eth, 3, paraset::TKeyFilter::Number);
            e->setMaximumWidth(50);
            eg->addWidget(e, erow, i);
        }
        ++erow;
    }
    right->addWidget(eth);
    auto* bt = new QGroupBox(pnlA);
    bt->setObjectName(QStringLiteral("gpbBT"));
    auto* bg = new QGridLayout(bt);
    bg->addWidget(Label(QStringLiteral("lblBTName"), bt), 0, 0);
    bg->addWidget(Edit(QStringLiteral("txtBTName"), bt, 10, paraset::TKeyFilter::BTName), 0, 1);
    bg->addWidget(Label(QStringLiteral("lblBTPWD"), bt), 1, 0);
    bg->addWidget(Edit(QStringLiteral("txtBTPWD"), bt, 4, paraset::TKeyFilter::BTPassword), 1, 1);
    right->addWidget(bt);
    auto* com = new QGroupBox(pnlA);
    com->setObjectName(QStringLiteral("gpbCOM"));
    auto* cg = new QGridLayout(com);
    int crow = 0;
    for (auto [lbl, cmb] : {std::pair{"lblBaudrate", "cmbBaudrate"}, std::pair{"lblDataBits", "cmbDataBits"},
                            std::pair{"lblStopBits", "cmbStopBits"}, std::pair{"lblParity", "cmbParity"}}) {
        cg->addWidget(Label(QString::fromLatin1(lbl), com), crow, 0);
        cg->addWidget(Combo(QString::fromLatin1(cmb), com), crow, 1);
        ++crow;
    }
    right->addWidget(com);
    right->addStretch();
    grid->addLayout(right, 0, 1);
    pagecA->addTab(tabsA, QString());

    tabsB = new QWidget;
    tabsB->setObjectName(QStringLiteral("tabsB"));
    auto* pnlB = new QWidget(tabsB);
    pnlB->setObjectName(QStringLiteral("pnlB"));
    (new QVBoxLayout(tabsB))->addWidget(pnlB);
    auto* rg = new QGridLayout(pnlB);
    rg->addWidget(Label(QStringLiteral("lblReleasePaper"), pnlB), 0, 0);
    rg->addWidget(Combo(QStringLiteral("cmbReleasePaper"), pnlB), 0, 1);
    QLineEdit* tip = Edit(QStringLiteral("txtTip_ReleasePaper"), pnlB, 0, paraset::TKeyFilter::None);
    tip->setReadOnly(true);
    rg->addWidget(tip, 1, 0, 1, 2);
    QLineEdit* support = Edit(QStringLiteral("txtSupport_ReleasePaper"), pnlB, 0, paraset::TKeyFilter::None);
    support->setReadOnly(true);
    rg->addWidget(support, 2, 0, 1, 2);
    rg->setRowStretch(3, 1);
    pagecA->addTab(tabsB, QString());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnSet = new QPushButton(this);
    btnSet->setObjectName(QStringLiteral("btnSet"));
    btnClose = new QPushButton(this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    buttons->addWidget(btnSet);
    buttons->addWidget(btnClose);
    root->addLayout(buttons);
    connect(btnSet, &QPushButton::clicked, this, &T_frmParaSet_QX::btnSetClick);
    connect(btnClose, &QPushButton::clicked, this, &T_frmParaSet_QX::btnCloseClick);
}

void T_frmParaSet_QX::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_)
        FormShow();
}

void T_frmParaSet_QX::InitLanguage()
{
    setWindowTitle(T("_ParaSet"));
    pagecA->setTabText(pagecA->indexOf(tabsA), T("_ParaSet"));
    pagecA->setTabText(pagecA->indexOf(tabsB), T("_ParaSet"));
    pagecA->setTabVisible(pagecA->indexOf(tabsB), setup_.tabB);
    ApplyCaptions({
        {"gpbAutoPosition", "FormParaSet_260_gpbAutoPosition"},
        {"gpbPrintType", "FormParaSet_W7X_gpbPrintType"},
        {"gpbReprintWhenError", "FormParaSet_260_gpbReprintWhenError"},
        {"RadioGroup1", "FormParaSet_QX_SST"},
        {"g5", "FormParaSet_ZR_i9"},
        {"gpbOther", "FormParaSet_ZR_gpbOther"},
        {"gpbLanguage", "FormParaSet_260_gpbLanguage"},
        {"gpbEthernetSetting", "FormParaSet_260_gpbEthernetSetting"},
        {"gpbCOM", "FormParaSet_260_gpbCOM"},
        {"lblJudgePaperMode", "FormParaSet_260_lblJudgePaperMode"},
        {"lblPrintSpeed", "FormParaSet_260_lblPrintSpeed"},
        {"lblHeatAdj", "FormParaSet_W7X_lblHeatAdj"},
        {"lblDensity", "FormParaSet_260_lblDensity"},
        {"lblProtocol", "FormParaSet_ZR_lblProtocol"},
        {"lblPrintMode", "FormParaSet_ZR_lblPrintMode"},
        {"lblTearOff", "FormParaSet_ZR_lblTearOff"},
        {"lblDHCP", "FormParaSet_260_lblDHCP"},
        {"lblIP", "FormParaSet_260_lblIP"},
        {"lblSubnet", "FormParaSet_260_lblSubnet"},
        {"lblGateway", "FormParaSet_260_lblGateway"},
        {"lblBaudrate", "FormParaSet_260_lblBaudRate"},
        {"lblDataBits", "FormParaSet_260_lblDataBits"},
        {"lblStopBits", "FormParaSet_260_lblStopBits"},
        {"lblParity", "FormParaSet_260_lblParity"},
        {"lblBTName", "_BTName"},
        {"lblBTPWD", "_BTPWD"},
        {"lblReleasePaper", "Lang_All_00210024_11"},
    });
    findChild<QGroupBox*>(QStringLiteral("gpbBT"))
        ->setTitle(T("_BTSet") + QStringLiteral(" (") + T("_Optional") + QStringLiteral(")"));
    SetCaptionItems(QStringLiteral("gpbAutoPosition"), {"FormParaSet_ZR_Locate_None", "FormParaSet_ZR_Locate_Calibation"});
    SetCaptionItems(QStringLiteral("gpbPrintType"), {"_PrintType1", "_PrintType2"});
    SetCaptionItems(QStringLiteral("gpbReprintWhenError"), {"_Disable", "_Enable"});
    SetCaptionItems(QStringLiteral("g5"), {"_Disable", "_Enable"});
    SetCaptionItems(QStringLiteral("RadioGroup1"), {"FormParaSet_QX_SST_1", "FormParaSet_QX_SST_2"});
    SetCaptionItems(QStringLiteral("cmbPrintMode"), {"FormParaSet_ZR_cmbPrintMode_Item1",
                                                     "FormParaSet_ZR_cmbPrintMode_Item2",
                                                     "FormParaSet_ZR_cmbPrintMode_Item3"});
    SetCaptionItems(QStringLiteral("cmbJudgePaperMode"), {"_PaperType_Label", "_PaperType_BlackMark", "_PaperType_Receipt"});
    btnSet->setText(T("_Set"));
    btnClose->setText(T("_Close"));
    c_.SetItems("cmbProtocol", qxpara::QxProtocolItems(setup_, c_.Items("cmbProtocol")), 0);

    // Release paper.
    FillReleasePaperList(&state_.releasePaper);
    QStringList captions;
    for (const QString& line : state_.releasePaper)
        captions << OptionLineText(line);
    c_.SetItems("cmbReleasePaper", captions, 0);
    auto* support = findChild<QLineEdit*>(QStringLiteral("txtSupport_ReleasePaper"));
    auto* combo = findChild<QComboBox*>(QStringLiteral("cmbReleasePaper"));
    if (setup_.releasePaper) {
        support->setText(T("Lang_Pos_00010004_11"));
        support->setVisible(false);
        combo->setEnabled(true);
    } else {
        support->setText(T("Lang_Pos_00010003_11"));
        combo->setEnabled(false);
        support->setVisible(true);
    }
}

void T_frmParaSet_QX::FormShow()
{
    shown_ = true;
    setup_ = qxpara::QxSetupOfSelectedPrinter();
    InitLanguage();
    ApplyFormFont(this);
    if (setup_.onlyChinese)
        gpbLanguage->setVisible(false);
    const QString limit = QString::number(setup_.TearOffLimit());
    findChild<QLabel*>(QStringLiteral("Label3"))->setText(QStringLiteral("-") + limit + QStringLiteral("~+") + limit);
    Push();
    FillPrintSpeedList(findChild<QComboBox*>(QStringLiteral("cmbPrintSpeed")), PrtBasName);
    Pull();
    findChild<QWidget*>(QStringLiteral("gpbPrintType"))->setEnabled(setup_.ribbon);
    for (const char* e : {"txtBTName", "txtBTPWD"})
        findChild<QLineEdit*>(QString::fromLatin1(e))->setEnabled(!setup_.noBtSetting);

    // The form takes the size its rows need for this model.
    layout()->activate();
    resize(sizeHint().expandedTo(minimumSizeHint()));

    ShowReadValues();
    firstRead_->start();
}

void T_frmParaSet_QX::ReadRun()
{
    firstRead_->stop();
    if (Reading())
        return;
    if (!OpenForRead())
        return;  // the open's error was shown; Set stays withheld
    // The printer is read on a worker while the window stays painted; the results replace
    // the controls' states when the read is done.
    struct TRead {
        qxpara::TQxSetup setup;
        qxpara::TQxState state;
        TParaControls c;
    };
    auto r = std::make_shared<TRead>(TRead{setup_, state_, c_});
    StartRead(
        [this, r](ITextParaCmd& cmd) {
            qxpara::QxShowRead(cmd, r->setup, r->state, r->c,
                               [this](const QString& s) { Post([s] { ShowInfoBox(s); }); });
            cmd.Close();
        },
        [this, r](bool) {
            state_ = r->state;
            c_ = r->c;
            ShowReadValues();
        },
        {btnSet, pagecA});
}

void T_frmParaSet_QX::ShowReadValues()
{
    muteReleasePaper_ = true;
    Push();
    muteReleasePaper_ = false;
    cmbDHCPChange();
    RefreshReleasePaperTip();
}

void T_frmParaSet_QX::ComboPicked(const QString& name)
{
    if (name == QLatin1String("cmbProtocol")) {
        Pull();
        qxpara::QxProtocolChange(state_, c_);
        Push();
    } else if (name == QLatin1String("cmbDHCP")) {
        cmbDHCPChange();
    } else if (name == QLatin1String("cmbJudgePaperMode")) {
        c_.Select("RadioGroup1", c_.Index("cmbJudgePaperMode") == 0 ? 1 : 0);
        c_.Touch("RadioGroup1");
        Push();
    } else if (name == QLatin1String("cmbReleasePaper") && !muteReleasePaper_) {
        RefreshReleasePaperTip();
    }
}

void T_frmParaSet_QX::EditLeft(QLineEdit* edit)
{
    const QString name = edit->objectName();
    if (name == QLatin1String("txtTip_ReleasePaper") || name == QLatin1String("txtSupport_ReleasePaper"))
        return;
    if (name == QLatin1String("txtTearOff")) {
        // A lone "-" is left as typed; Set refuses it.
        if (edit->text().trimmed() == QLatin1String("-"))
            return;
        const int limit = setup_.TearOffLimit();
        CheckValueRange(edit, true, -limit, limit);
        return;
    }
    CheckValueRange(edit, false, 0, 0);
}

void T_frmParaSet_QX::cmbDHCPChange()
{
    const bool fixed = c_.Index("cmbDHCP") != 0;
    for (const QString& n : kAddressEdits)
        findChild<QLineEdit*>(n)->setEnabled(fixed);
}

void T_frmParaSet_QX::RefreshReleasePaperTip()
{
    auto* tip = findChild<QLineEdit*>(QStringLiteral("txtTip_ReleasePaper"));
    tip->clear();
    tip->setText(ReleasePaperTip(state_.releasePaper, c_.ItemText("cmbReleasePaper"), c_.Index("cmbReleasePaper")));
}

void T_frmParaSet_QX::btnSetClick()
{
    if (!ReadCompleted())
        return;  // nothing known of the printer: nothing to write back
    Pull();
    QString error;
    bool failed = false;
    bool opened = false;
    const bool went = qxpara::QxSetFlow(*cmd_, setup_, state_, c_, error, failed, opened);
    Push();
    if (!went) {
        prt::MessageBoxPrt(error, T("_MSG_Title_Error"), prt::MB_ICONERROR_);
        return;
    }
    if (failed)
        prt::MessageBoxPrt(T("_Err_ParaSet"), T("_MSG_Title_Error"), prt::MB_ICONERROR_);
    accept();
}

void T_frmParaSet_QX::btnCloseClick()
{
    reject();
}
