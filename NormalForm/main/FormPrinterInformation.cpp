#include "FormPrinterInformation.h"

#include "PrinterCMD.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlDispatchBasics.h"
#include "mdlGlobalVar.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"
#include "mdlPub_Obj_Ult_PrtPara.h"
#include "mdlPubFunc.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace {

QString T(const char* key)
{
    return prt::LangText(QLatin1String(key));
}

QString L(std::initializer_list<QString> names)
{
    QString s = QStringLiteral(",");
    for (const QString& n : names)
        s += n + QLatin1Char(',');
    return s;
}

QString ListOf(const char* key)
{
    const QString k = QLatin1String(key);
    return ParameterSetKeys().contains(k) ? ParameterSetValue(k) : ReadParameterSetNow(k);
}

} // namespace

namespace InfoData {
QString NoDateModels()
{
    return L({GetModelName_QT_V64(), GetModelName_QT_V64BT(), GetModelName_TA380(), GetModelName_GS_PR540D(),
              GetModelName_GS_PR540X(), GetModelName_TE62BT(), GetModelName_SN723(), GetModelName_HB25()});
}
QString MileageCaptionModels() { return L({QString(), GetModelName_W16P(), GetModelName_BTN7()}); }
QString HeatTextAModels()
{
    return L({QString(), GetModelName_V52(), GetModelName_Y7(), GetModelName_Y7BT(), GetModelName_TE62()});
}
QString HeatTextBModels()
{
    return L({QString(), GetModelName_V52R(), GetModelName_Kastor_Y7(), GetModelName_TE62BT(), GetModelName_SN723()});
}
QString HeatNumberModels()
{
    return L({QString(), QString(), GetModelName_V52BT(), GetModelName_Y7_01(), GetModelName_AK_S770()});
}
QString MillimetreModels()
{
    return L({GetModelName_V64(), GetModelName_V64C(), GetModelName_TA380(), GetModelName_QT_V64(),
              GetModelName_GS_PR540D()});
}
QString VersionGetvalModels()
{
    return L({GetModelName_W16(), GetModelName_W16P(), GetModelName_HB25(), GetModelName_BTN7(), GetModelName_L44(),
              GetModelName_L46()});
}
QString VersionEofModels() { return L({QString(), GetModelName_AK_S770()}); }
} // namespace InfoData

using namespace InfoData;

T_frmPrinterInformation::T_frmPrinterInformation(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPrinterInformation"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    pnlPrinterInformation = new QFrame(this);
    pnlPrinterInformation->setObjectName(QStringLiteral("pnlPrinterInformation"));
    pnlPrinterInformation->setGeometry(10, 10, 330, 100);
    auto label = [this](const char* n, int x, int y, int w) {
        auto* l = new QLabel(pnlPrinterInformation);
        l->setObjectName(QLatin1String(n));
        l->setGeometry(x, y, w, 24);
        return l;
    };
    lblProduceDate = label("lblProduceDate", 0, 0, 140);
    lblProduceDateV = label("lblProduceDateV", 146, 0, 184);
    lblPrintLength = label("lblPrintLength", 0, 30, 140);
    lblPrintLengthV = label("lblPrintLengthV", 146, 30, 184);
    lblFirmwareVer = label("lblFirmwareVer", 0, 60, 140);
    lblFirmwareVerV = label("lblFirmwareVerV", 146, 60, 184);
    btnClose = new QPushButton(this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(240, 116, 100, 30);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    resize(350, 152);

    FLayout = std::make_unique<TObj_Ult_PrtParaManage>();
    for (QLabel* v : {lblProduceDateV, lblPrintLengthV, lblFirmwareVerV})
        v->clear();
    FShowProduceDate = !InList(PrtDefName, NoDateModels()) && InList(PrtBasName, ListOf("GetProduceDateByGDS"));
    auto group = [this](const char* name, QLabel* a, QLabel* b, bool visible) {
        auto* g = new TObj_Ult_PrtPara();
        g->Name = QLatin1String(name);
        g->Height = a->height();
        g->AddControl(a);
        g->AddControl(b);
        g->Visible = visible;
        FLayout->AddGroup(g);
    };
    group("ProduceDate", lblProduceDate, lblProduceDateV, FShowProduceDate);
    group("PrintLength", lblPrintLength, lblPrintLengthV, true);
    group("FirmwareVer", lblFirmwareVer, lblFirmwareVerV, true);
    if (!IsDebugMode()) {
        int bottom = 0;
        FLayout->Arrange(lblProduceDate->y(), bottom);
        pnlPrinterInformation->resize(pnlPrinterInformation->width(), bottom);
        btnClose->move(btnClose->x(), pnlPrinterInformation->y() + bottom + 6);
        resize(pnlPrinterInformation->x() * 2 + pnlPrinterInformation->width(), btnClose->y() + btnClose->height() + 6);
    }
    setWindowTitle(T("FormPrinterInformation_Caption"));
    lblProduceDate->setText(T("FormPrinterInformation_lblProduceDate"));
    lblPrintLength->setText(InList(PrtDefName, MileageCaptionModels()) ? T("lblMilleageTotal")
                                                                        : T("FormPrinterInformation_lblPrintLength"));
    lblFirmwareVer->setText(T("Lang_All_00210351_11") + T("Lang_All_00010002_11"));
    btnClose->setText(T("_Close"));
}

T_frmPrinterInformation::~T_frmPrinterInformation() = default;

void T_frmPrinterInformation::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void T_frmPrinterInformation::FormShow()
{
    ApplyFormFont(this);
    for (QLabel* v : {lblProduceDateV, lblPrintLengthV, lblFirmwareVerV})
        v->clear();
    TTsplKindScope kind;
    EnsureTsplPrinterObject();
    const int r = TsplOpenPort(GetCurrentPortString());
    if (r != 0 && r != 5) {
        prt::MessageBoxPrt(OpenPortFailureMessage(r), T("_MSG_Title_Error"), prt::MB_ICONERROR_);
        return;
    }
    CmdDrainToLog();
    if (FShowProduceDate) {
        lblProduceDateV->setText(ReadProduceDate());
    } else {
        lblProduceDate->hide();
        lblProduceDateV->hide();
    }
    lblPrintLengthV->setText(ReadPrintLength());
    lblFirmwareVerV->setText(ReadFirmwareVersion());
    TsplClosePort();
    FitValueTexts();
}

void T_frmPrinterInformation::FitValueTexts()
{
    // Each value shows whole: the value column (and the window) widens to the longest text.
    int need = 0;
    for (QLabel* v : {lblProduceDateV, lblPrintLengthV, lblFirmwareVerV})
        if (!v->isHidden())
            need = std::max(need, v->fontMetrics().horizontalAdvance(v->text()) + 2 * v->margin() + 4);
    const int extra = need - lblPrintLengthV->width();
    if (extra <= 0)
        return;
    for (QLabel* v : {lblProduceDateV, lblPrintLengthV, lblFirmwareVerV})
        v->resize(v->width() + extra, v->height());
    pnlPrinterInformation->resize(pnlPrinterInformation->width() + extra, pnlPrinterInformation->height());
    btnClose->move(btnClose->x() + extra, btnClose->y());
    resize(width() + extra, height());
}

QString T_frmPrinterInformation::ReadProduceDate()
{
    if (InList(PrtBasName, ProduceTimeDirectModels)) {
        PrtWriteData(BuildGetValCommand(KEY_factory_produce_time));
        SleepMs(50);
        uint8_t buf[8] = {};
        uint32_t count = 0;
        const int r = PrtReadData(buf, 8, &count);
        const QString text = r == 0 ? ProduceDateDirectText(QByteArray(reinterpret_cast<const char*>(buf),
                                                                       int(std::min<uint32_t>(count, 8))))
                                    : QString();
        return text.isEmpty() ? T("_Err_ReadData") : text;
    }
    bool ok = false;
    const QString text = ProduceDateText(CmdGetVal(KEY_factory_produce_time), ok);
    return ok ? text : T("_Err_ReadData");
}

QString T_frmPrinterInformation::ReadPrintLength()
{
    const QString err = T("_Err_ReadData");
    bool ok = false;
    if (InList(PrtDefName, ListOf("V52_Mileage"))) {
        QString reply;
        int number = -1;
        const bool textA = InList(PrtDefName, HeatTextAModels());
        const bool textB = InList(PrtDefName, HeatTextBModels());
        const bool num = InList(PrtDefName, HeatNumberModels());
        if (textA || textB)
            reply = CmdDoReadText(KEY_get_counter_heat);
        else if (num)
            number = CmdDoReadInt(KEY_get_counter_heat);
        else
            reply = CmdGetVal(KEY_mileage);
        QString text;
        if (InList(PrtBasName, MillimetreModels()))
            text = num ? (number < 0 ? QString() : MileageTextMm(QString::number(number), ok))
                       : MileageTextMm(reply, ok);  // a number of -1 is no reply
        else if (textA)
            return reply.isEmpty() ? err : reply + QLatin1Char('m');
        else if (num)
            text = HeatNumberText(number, ok);
        else if (textB)
            text = MileageTextMm(reply, ok);
        else
            text = MileageTextInch(reply, ok);
        return ok ? text : err;
    }
    if (InList(PrtBasName, ListOf("V52_Mileage")) || InListNameComma(PrtBasName, ListOf("GDS"))) {
        const QString text = MileageTextInch(CmdGetVal(KEY_mileage), ok);
        return ok ? text : err;
    }
    TsplWriteData(QByteArray("ZZZGETJOURNEY\r\n"));
    SleepMs(uint32_t(JourneyWaitMs));
    QByteArray buf(4, '\0');
    uint32_t count = 0;
    TsplReadData(reinterpret_cast<uint8_t*>(buf.data()), 4, &count);
    const QString text = JourneyText(buf.left(int(std::min<uint32_t>(count, 4))),
                                     InList(PrtBasName, ListOf("JourneyMM")), ok);
    return ok ? text : err;
}

QString T_frmPrinterInformation::ReadFirmwareVersion()
{
    // A version read by key shows as it came; no reply is a failed read, not an empty version.
    const QString err = T("_Err_ReadData");
    auto orError = [&err](const QString& reply) { return reply.isEmpty() ? err : reply; };
    if (InList(PrtBasName, VersionGetvalModels()))
        return orError(CmdGetVal(KEY_printer_version));
    if (IsFeatureModel(QStringLiteral("FTNNo_GetFirmwareVer_Type1")) || InList(PrtDefName, VersionEofModels()))
        return orError(CmdGetValEOF(KEY_printer_version, 200));
    if (InListNameComma(PrtBasName, ListOf("GDS")))
        return orError(CmdGetVal(KEY_version));
    TsplWriteData(QByteArray("ZZZGETVERSION\r\n"));
    SleepMs(100);
    const uint32_t want = InListNameComma(PrtBasName, ListOf("VersionLength4")) ? 4 : 3;
    QByteArray buf(int(want), '\0');
    uint32_t count = 0;
    TsplReadData(reinterpret_cast<uint8_t*>(buf.data()), want, &count);
    bool ok = false;
    const QString text = FirmwareVersionText(buf.left(int(std::min(count, want))), ok);
    return ok ? text : T("_Err_ReadData");
}
