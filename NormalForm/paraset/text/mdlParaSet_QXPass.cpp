#include "mdlParaSet_QXPass.h"

#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlGlobalVar.h"
#include "mdlModelCatalog.h"
#include "mdlModelFeatures.h"
#include "mdlOptionLists.h"
#include "mdlPubFunc.h"
#include "mdlTextParaCodecs.h"

using namespace textpara;

namespace qxpara {

namespace {

QString T(const char* key)
{
    return prt::LangText(QString::fromLatin1(key));
}

const QStringList kIp = {"txtIP1", "txtIP2", "txtIP3", "txtIP4"};
const QStringList kMask = {"txtSubnet1", "txtSubnet2", "txtSubnet3", "txtSubnet4"};
const QStringList kGate = {"txtGateway1", "txtGateway2", "txtGateway3", "txtGateway4"};

struct TReadCtx {
    const TQxSetup& setup;
    TQxState& state;
    TParaControls& c;
    QString btMacReply;
    TInfoFn info;
};

struct TReadStep {
    std::function<bool(const TReadCtx&)> when;
    std::function<QString(const TReadCtx&)> key;
    std::function<void(TReadCtx&, const QString&)> apply;
};

std::function<QString(const TReadCtx&)> K(const char* key)
{
    return [key](const TReadCtx&) { return QString::fromLatin1(key); };
}

bool Always(const TReadCtx&) { return true; }

QStringList ReleaseCaptions(const QStringList& list)
{
    QStringList items;
    for (const QString& line : list)
        items << OptionLineText(line);
    return items;
}

const std::vector<TReadStep>& ReadSteps()
{
    static const std::vector<TReadStep> steps = {
        {[](const TReadCtx& x) { return !x.setup.noBtSetting; }, K("bt_mac"),
         [](TReadCtx& x, const QString& r) { x.btMacReply = r; }},
        {[](const TReadCtx& x) { return !x.setup.noBtSetting && !x.btMacReply.isEmpty(); }, K("bt_name"),
         [](TReadCtx& x, const QString& r) { x.c.SetTextRead("txtBTName", StripBtNameSuffix(r), !r.isEmpty()); }},
        {[](const TReadCtx& x) { return !x.setup.noBtSetting && !x.btMacReply.isEmpty(); }, K("bt_pwd"),
         [](TReadCtx& x, const QString& r) { x.c.SetTextRead("txtBTPWD", r, !r.isEmpty()); }},
        {[](const TReadCtx& x) { return x.setup.ribbon; }, K("sw_ribbon"),
         [](TReadCtx& x, const QString& r) { ReadRadio(x.c, "gpbPrintType", r, r == QLatin1String("on") ? 1 : 0); }},
        {Always, K("media_power_up"),
         [](TReadCtx& x, const QString& r) {
             ReadRadio(x.c, "gpbAutoPosition", r, r == QLatin1String("none") ? 0 : 1);
         }},
        {Always, K("reprint_after_error"),
         [](TReadCtx& x, const QString& r) {
             ReadRadio(x.c, "gpbReprintWhenError", r, r == QLatin1String("on") ? 1 : 0);
         }},
        {Always, K("media_sensor"),
         [](TReadCtx& x, const QString& r) { x.c.SetRead("cmbJudgePaperMode", FindWord(1, r), 0); }},
        {Always, K("density"), [](TReadCtx& x, const QString& r) { SelectByText(x.c, "cmbDensity", r); }},
        {Always, K("eth_dhcp"), [](TReadCtx& x, const QString& r) { x.c.SetRead("cmbDHCP", FindWord(0, r), 0); }},
        {Always, K("eth_ip"), [](TReadCtx& x, const QString& r) { ReadQuad(x.c, kIp, r); }},
        {Always, K("eth_mask"), [](TReadCtx& x, const QString& r) { ReadQuad(x.c, kMask, r); }},
        {Always, K("eth_gateway"), [](TReadCtx& x, const QString& r) { ReadQuad(x.c, kGate, r); }},
        {Always, K("heat_adj"), [](TReadCtx& x, const QString& r) { SelectByText(x.c, "cmbHeatAdj", r); }},
        {Always, K("speed"), [](TReadCtx& x, const QString& r) { SelectByText(x.c, "cmbPrintSpeed", r); }},
        {Always, K("ppl"),
         [](TReadCtx& x, const QString& r) {
             x.state.printerProtocol = r;
             x.c.SetRead("cmbProtocol", FindProtocolItem(x.c.Items("cmbProtocol"), r), 0);
             x.c.SetItems("cmbCodepage", CharsetItems(ProtocolListsOf(x.c.ItemText("cmbProtocol")).charsetList), 0);
         }},
        {Always, K("code_page"),
         [](TReadCtx& x, const QString& r) {
             x.state.printerCodePage = r;
             x.c.SetRead("cmbCodepage", FindItemByCode(x.c.Items("cmbCodepage"), r), 0);
         }},
        {Always, K("com_baud"), [](TReadCtx& x, const QString& r) { SelectByText(x.c, "cmbBaudrate", r); }},
        {Always, K("com_wordlength"), [](TReadCtx& x, const QString& r) { SelectByText(x.c, "cmbDataBits", r); }},
        {Always, K("com_parity"), [](TReadCtx& x, const QString& r) { SelectByText(x.c, "cmbParity", r); }},
        {Always, K("com_stopbits"), [](TReadCtx& x, const QString& r) { SelectByText(x.c, "cmbStopBits", r); }},
        {Always, K("print_mode"),
         [](TReadCtx& x, const QString& r) { x.c.SetRead("cmbPrintMode", FindWord(6, r), 0); }},
        {Always, K("tear_off"),
         [](TReadCtx& x, const QString& r) {
             int v = 0;
             x.c.SetTextRead("txtTearOff", r, ParseInt(r, v));
         }},
        {Always, K("sensor_select"),
         [](TReadCtx& x, const QString& r) {
             ReadRadio(x.c, "RadioGroup1", r, r == QLatin1String("reflective") ? 0 : 1);
         }},
        {Always, [](const TReadCtx& x) { return x.state.lidKey; },
         [](TReadCtx& x, const QString& r) { ReadRadio(x.c, "g5", r, r == QLatin1String("off") ? 0 : 1); }},
        {[](const TReadCtx& x) { return x.setup.releasePaper; }, K("stickers_times"),
         [](TReadCtx& x, const QString& r) {
             if (r.isEmpty()) {
                 x.info(FillTemplate(T("Lang_All_00010011_11"), {T("Lang_All_00210024_11")}));
                 return;
             }
             bool found = false;
             const QString caption = ReleasePaperCaptionOf(x.state.releasePaper, r, found);
             if (found)
                 x.c.SetRead("cmbReleasePaper", FindItemByText(x.c.Items("cmbReleasePaper"), caption), -2);
         }},
    };
    return steps;
}

} // namespace

TQxSetup QxSetupOfSelectedPrinter()
{
    TQxSetup s;
    s.current = PrtBasName;
    s.noBtSetting = IsModelInCommaList(s.current, QxNoBtSettingModels);
    s.ribbon = IsModelInCommaList(s.current, QxRibbonModels);
    s.esc = IsModelInCommaList(s.current, QxEscModels);
    s.haveEpl = IsModelPrefixInList(s.current, ParameterSetList(QStringLiteral("HaveEPL")));
    s.onlyChinese = IsModelPrefixInList(s.current, ParameterSetList(QStringLiteral("OnlyChinese")));
    s.tearOff90 = IsModelPrefixInList(s.current, ParameterSetList(QStringLiteral("IsTealOff90")));
    s.releasePaper = PermissionValue(QStringLiteral("0135000001")) == 1;
    s.tabB = PermissionValue(QStringLiteral("9902010002")) == 1;
    return s;
}

QStringList QxProtocolItems(const TQxSetup& setup, const QStringList& designItems)
{
    QStringList items = designItems;
    const QString pro = ParameterSetList(QStringLiteral("ZRParaSetProList"));
    if (!pro.isEmpty())
        items = pro.split(QLatin1Char(','));
    if (setup.haveEpl)
        items << QStringLiteral("EPL");
    if (setup.esc)
        items << QStringLiteral("ESC");
    return items;
}

void DeclareQxControls(TParaControls& c)
{
    c.AddCombo("gpbAutoPosition", {T("FormParaSet_ZR_Locate_None"), T("FormParaSet_ZR_Locate_Calibation")});
    c.AddCombo("cmbJudgePaperMode", {T("_PaperType_Label"), T("_PaperType_BlackMark"), T("_PaperType_Receipt")});
    c.AddCombo("cmbPrintSpeed", {"2", "3", "4"});
    QStringList heat;
    for (int v = -50; v <= 50; v += 5)
        heat << QString::number(v);
    c.AddCombo("cmbHeatAdj", heat, 10);
    c.AddCombo("cmbDensity", NumberItems(15));
    c.AddCombo("cmbProtocol", {"TSPL", "ZPL"});
    c.AddCombo("cmbPrintMode", {T("FormParaSet_ZR_cmbPrintMode_Item1"), T("FormParaSet_ZR_cmbPrintMode_Item2"),
                                 T("FormParaSet_ZR_cmbPrintMode_Item3")});
    c.AddEdit("txtTearOff");
    c.AddCombo("cmbDHCP", {"ON", "OFF"});
    for (const QStringList* l : {&kIp, &kMask, &kGate})
        for (const QString& e : *l)
            c.AddEdit(e);
    c.AddEdit("txtBTName");
    c.AddEdit("txtBTPWD");
    c.AddCombo("cmbBaudrate", {"9600", "19200", "38400", "57600", "115200"});
    c.AddCombo("cmbDataBits", {"7", "8"});
    c.AddCombo("cmbStopBits", {"1", "2"});
    c.AddCombo("cmbParity", {"NONE", "ODD", "EVEN"});
    c.AddCombo("gpbReprintWhenError", {T("_Disable"), T("_Enable")});
    c.AddCombo("RadioGroup1", {T("FormParaSet_QX_SST_1"), T("FormParaSet_QX_SST_2")});
    c.AddCombo("cmbCodepage", CharsetItems(1));
    c.AddCombo("g5", {T("_Disable"), T("_Enable")});
    c.AddCombo("gpbPrintType", {T("_PrintType1"), T("_PrintType2")});
    c.AddCombo("cmbReleasePaper", {});
}

void QxShowRead(ITextParaCmd& cmd, const TQxSetup& setup, TQxState& state, TParaControls& c, const TInfoFn& info)
{
    const QString version = TrimReply(cmd.GetVal(Quoted(QStringLiteral("version"))));
    state.lidKey = version.left(4) == QLatin1String("1.00") ? QStringLiteral("platenin_locat")
                                                              : QStringLiteral("platenin_enter_pause");
    const QString ppl = TrimReply(cmd.GetVal(Quoted(QStringLiteral("ppl"))));
    c.SetItems("cmbDensity", NumberItems(ProtocolListsOf(ppl).densityMax), 0);
    QxReadPass(cmd, setup, state, c, info);
}

void QxReadPass(ITextParaCmd& cmd, const TQxSetup& setup, TQxState& state, TParaControls& c, const TInfoFn& info)
{
    TReadCtx x{setup, state, c, QString(), info ? info : TInfoFn(&ShowInfoBox)};
    if (setup.noBtSetting) {
        c.SetTextRead("txtBTName", QString(), false);
        c.SetTextRead("txtBTPWD", QString(), false);
    }
    if (state.releasePaper.isEmpty())
        FillReleasePaperList(&state.releasePaper);
    if (c.Items("cmbReleasePaper").isEmpty())
        c.SetItems("cmbReleasePaper", ReleaseCaptions(state.releasePaper), 0);
    for (const TReadStep& step : ReadSteps()) {
        if (!step.when(x))
            continue;
        step.apply(x, TrimReply(cmd.GetVal(Quoted(step.key(x)))));
    }
}

TParaPlan PlanQxWrite(const TQxSetup& setup, const TQxState& state, TParaControls& c)
{
    TParaPlan plan;
    QString& err = plan.error;
    const bool bt = !setup.noBtSetting;
    if (bt && !CheckBluetoothEdits(c, err))
        return plan;
    const int limit = setup.TearOffLimit();
    if (c.Sendable("txtTearOff") && !c.Text("txtTearOff").trimmed().isEmpty() &&
        !ClampEdit(c, "txtTearOff", -limit, limit, T("FormParaSet_ZR_lblTearOff"), err))
        return plan;
    const bool dhcpOff = c.Index("cmbDHCP") == 1;
    struct Quad { const QStringList* edits; const char* key; const char* caption; };
    const Quad quads[] = {{&kIp, "eth_ip", "Lang_All_00010029_11"},
                          {&kMask, "eth_mask", "Lang_All_00210127_12"},
                          {&kGate, "eth_gateway", "Lang_All_00210127_13"}};
    auto quadSent = [&](const Quad& q) { return dhcpOff && QuadComplete(c, *q.edits) && c.AnySendable(*q.edits); };
    for (const Quad& q : quads)
        if (quadSent(q) && !CheckQuad(c, *q.edits, T(q.caption), err))
            return plan;

    TParaOps& ops = plan.ops;
    auto send = [&](const char* ctl) { return c.Sendable(QString::fromLatin1(ctl)); };
    // A model without Bluetooth settings gets no name at all (an empty one erased it).
    if (bt && send("txtBTName"))
        AddSet(ops, "bt_name", c.Text("txtBTName"), true);
    if (bt && send("txtBTPWD"))
        AddSet(ops, "bt_pwd", c.Text("txtBTPWD"));
    if (send("gpbAutoPosition"))
        AddSet(ops, "media_power_up", c.Index("gpbAutoPosition") == 0 ? "none" : "calibation");
    if (send("gpbReprintWhenError"))
        AddSet(ops, "reprint_after_error", c.Index("gpbReprintWhenError") == 0 ? "off" : "on");
    if (send("cmbCodepage"))
        AddSet(ops, "code_page", CodeOfItem(c.ItemText("cmbCodepage")));
    if (send("cmbJudgePaperMode") && !WordAt(1, c.Index("cmbJudgePaperMode")).isEmpty())
        AddSet(ops, "media_sensor", WordAt(1, c.Index("cmbJudgePaperMode")));
    if (send("cmbDensity"))
        AddSet(ops, "density", c.ItemText("cmbDensity"));
    if (send("cmbDHCP"))
        AddSet(ops, "eth_dhcp", c.ItemText("cmbDHCP"));
    if (setup.ribbon && send("gpbPrintType"))
        AddSet(ops, "sw_ribbon", c.Index("gpbPrintType") == 0 ? "off" : "on");
    for (const Quad& q : quads)
        if (quadSent(q))
            AddSet(ops, q.key, JoinDottedQuad(TrimmedTexts(c, *q.edits)));
    if (send("cmbHeatAdj"))
        AddSet(ops, "heat_adj", c.ItemText("cmbHeatAdj"));
    if (send("cmbPrintSpeed"))
        AddSet(ops, "speed", c.ItemText("cmbPrintSpeed"));
    if (send("cmbProtocol")) {
        QString p = c.ItemText("cmbProtocol");
        if (p.compare(QLatin1String("tspl"), Qt::CaseInsensitive) == 0)
            p = QStringLiteral("tsc");
        AddSet(ops, "ppl", p);
    }
    if (send("cmbBaudrate"))
        AddSet(ops, "com_baud", c.ItemText("cmbBaudrate"));
    if (send("cmbDataBits"))
        AddSet(ops, "com_wordlength", c.ItemText("cmbDataBits"));
    if (send("cmbParity"))
        AddSet(ops, "com_parity", c.ItemText("cmbParity"));
    if (send("cmbStopBits"))
        AddSet(ops, "com_stopbits", c.ItemText("cmbStopBits"));
    if (send("RadioGroup1"))
        AddSet(ops, "sensor_select", c.Index("RadioGroup1") == 0 ? "reflective" : "transmissive");
    if (send("g5")) {
        TParaOp op;
        op.key = Quoted(state.lidKey);
        op.value = c.Index("g5") == 0 ? QStringLiteral("off") : QStringLiteral("on");
        ops.push_back(op);
    }
    if (send("cmbPrintMode") && !WordAt(6, c.Index("cmbPrintMode")).isEmpty())
        AddSet(ops, "print_mode", WordAt(6, c.Index("cmbPrintMode")));
    if (send("txtTearOff") && !c.Text("txtTearOff").trimmed().isEmpty())
        AddSet(ops, "tear_off", c.Text("txtTearOff"));
    if (setup.releasePaper && send("cmbReleasePaper")) {
        bool found = false;
        const QString name = ReleasePaperNameOf(state.releasePaper, c.ItemText("cmbReleasePaper"), found);
        if (found)
            AddSet(ops, "stickers_times", name);
    }
    return plan;
}

void QxProtocolChange(const TQxState& state, TParaControls& c)
{
    ApplyProtocolChange(state.printerProtocol, state.printerCodePage, c);
}

bool QxSetFlow(ITextParaCmd& cmd, const TQxSetup& setup, const TQxState& state, TParaControls& c, QString& error,
               bool& failed, bool& opened)
{
    failed = false;
    opened = false;
    TParaPlan plan = PlanQxWrite(setup, state, c);
    if (!plan.ok()) {
        error = plan.error;
        return false;
    }
    if (!WritesASetting(plan.ops)) {
        failed = true;  // nothing the printer reported or the operator changed
        return true;
    }
    if (!cmd.Open())
        return true;
    opened = true;
    if (!RunParaOps(cmd, plan.ops)) {
        cmd.Close();
        failed = true;
        return true;
    }
    cmd.Close();
    if (!cmd.Do(Quoted(QStringLiteral("reset_printer"))))
        failed = true;
    return true;
}

} // namespace qxpara
