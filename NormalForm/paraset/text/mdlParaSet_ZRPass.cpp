#include "mdlParaSet_ZRPass.h"

#include "PrtIni.h"
#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlGlobalVar.h"
#include "mdlKesaVar.h"
#include "mdlModelCatalog.h"
#include "mdlModelFeatures.h"
#include "mdlOptionLists.h"
#include "mdlPubFunc.h"
#include "mdlTextParaCodecs.h"

#include <QFileInfo>

using namespace textpara;

namespace zrpara {

namespace {

QString T(const char* key)
{
    return prt::LangText(QString::fromLatin1(key));
}

bool InList(const QString& model, const QString& list)
{
    return IsModelInCommaList(model, list);
}

const QStringList kIp = {"txtIP1", "txtIP2", "txtIP3", "txtIP4"};
const QStringList kMask = {"txtSubnet1", "txtSubnet2", "txtSubnet3", "txtSubnet4"};
const QStringList kGate = {"txtGateway1", "txtGateway2", "txtGateway3", "txtGateway4"};
const QStringList kMac = {"txtMac1", "txtMac2", "txtMac3", "txtMac4", "txtMac5", "txtMac6"};
const QStringList kBtMac = {"txtBTMac1", "txtBTMac2", "txtBTMac3", "txtBTMac4", "txtBTMac5", "txtBTMac6"};
// The edits of the "other" group.
const QStringList kOtherEdits = {"txtTearOff", "txtZPrintWidth", "txtZPrintHeight", "txtDRowOffset",
                                 "txtDColumnOffset", "Edit1"};

// One read step: when it applies, the status caption key (empty: no status line), the key
// (a function for the lid key) and what the reply does.
struct TReadCtx {
    ITextParaCmd& cmd;
    const TZrSetup& setup;
    TZrState& state;
    TParaControls& c;
    QString btMacReply;
    TStatusFn info;
};

struct TReadStep {
    std::function<bool(const TReadCtx&)> when;
    const char* status;  // language key of the status caption; nullptr: no status line
    std::function<QString(const TReadCtx&)> key;
    std::function<void(TReadCtx&, const QString&)> apply;
};

std::function<QString(const TReadCtx&)> K(const char* key)
{
    return [key](const TReadCtx&) { return QString::fromLatin1(key); };
}

bool Always(const TReadCtx&) { return true; }

void ReadDotsEdit(TReadCtx& x, const QString& name, const QString& reply)
{
    bool ok = true;
    const QString shown = DotsToMm(reply, x.setup.dpi, x.setup.dpl, &ok);
    int v = 0;
    x.c.SetTextRead(name, shown, !reply.isEmpty() && ok && ParseInt(reply, v));
}

void FillCodePages(TParaControls& c, const QString& protocolItem)
{
    c.SetItems("cmbCodepage", CharsetItems(ProtocolListsOf(protocolItem).charsetList), 0);
}

bool HeadTypeOn(const TZrSetup& s)
{
    return s.headType;
}

const std::vector<TReadStep>& ReadSteps()
{
    static const std::vector<TReadStep> steps = {
        // 1: the printer language as it answers first
        {Always, nullptr, K("ppl"), [](TReadCtx& x, const QString& r) { x.state.readProtocol = r; }},
        {[](const TReadCtx& x) { return x.setup.dpl && x.state.readProtocol == QLatin1String("dpl"); }, nullptr,
         K("control_codes"),
         [](TReadCtx& x, const QString& r) {
             x.state.controlCodes = r;
             x.state.tearOffRange = QStringLiteral("(-240~240)dots");
         }},
        {[](const TReadCtx& x) { return x.setup.dpl; }, "FormPrintTextLabel_lblPrintableWidth", K("print_width"),
         [](TReadCtx& x, const QString& r) { ReadDotsEdit(x, "txtZPrintWidth", r); }},
        {[](const TReadCtx& x) { return x.setup.dpl; }, "FormPrintTextLabel_lblPrintableHeight", K("print_height"),
         [](TReadCtx& x, const QString& r) { ReadDotsEdit(x, "txtZPrintHeight", r); }},
        {[](const TReadCtx& x) { return x.setup.dpl; }, nullptr, K("demo_star_y"),
         [](TReadCtx& x, const QString& r) { ReadDotsEdit(x, "txtDRowOffset", r); }},
        {[](const TReadCtx& x) { return x.setup.dpl; }, nullptr, K("demo_star_x"),
         [](TReadCtx& x, const QString& r) { ReadDotsEdit(x, "txtDColumnOffset", r); }},
        {[](const TReadCtx& x) { return x.setup.colShift; }, nullptr, K("demo_star_x"),
         [](TReadCtx& x, const QString& r) { ReadDotsEdit(x, "Edit1", r); }},
        // 8: the density range follows the printer language
        {Always, "Lang_All_00210004_12", K("ppl"),
         [](TReadCtx& x, const QString& r) {
             x.c.SetItems("cmbDensity", NumberItems(ProtocolListsOf(r).densityMax), 0);
         }},
        {Always, "Lang_All_00210179_13", K("version"),
         [](TReadCtx& x, const QString& r) {
             x.state.lidKey = r.left(4) == QLatin1String("1.00") ? QStringLiteral("platenin_locat")
                                                                  : QStringLiteral("platenin_enter_pause");
         }},
        {[](const TReadCtx& x) { return !x.setup.noBt; }, "Lang_All_00210129_11", K("bt_mac"),
         [](TReadCtx& x, const QString& r) {
             x.btMacReply = r;
             ReadMac(x.c, kBtMac, r);
         }},
        {[](const TReadCtx& x) { return !x.setup.noBt && !x.btMacReply.isEmpty(); }, "Lang_All_00210129_12",
         K("bt_name"),
         [](TReadCtx& x, const QString& r) { x.c.SetTextRead("txtBTName", StripBtNameSuffix(r), !r.isEmpty()); }},
        {[](const TReadCtx& x) { return !x.setup.noBt && !x.btMacReply.isEmpty(); }, "Lang_All_00210129_23",
         K("bt_pwd"), [](TReadCtx& x, const QString& r) { x.c.SetTextRead("txtBTPWD", r, !r.isEmpty()); }},
        {Always, "FormParaSet_260_gpbAutoPosition", K("media_power_up"),
         [](TReadCtx& x, const QString& r) {
             ReadRadio(x.c, "gpbAutoPosition", r,
                       r == QLatin1String("none") ? 0 : (r == QLatin1String("learn") ? 2 : 1));
         }},
        {Always, "FormParaSet_260_gpbPrintType", K("sw_ribbon"),
         [](TReadCtx& x, const QString& r) { ReadRadio(x.c, "gpbPrintType", r, r == QLatin1String("on") ? 1 : 0); }},
        {Always, "FormParaSet_260_gpbReprintWhenError", K("reprint_after_error"),
         [](TReadCtx& x, const QString& r) {
             ReadRadio(x.c, "gpbReprintWhenError", r, r == QLatin1String("on") ? 1 : 0);
         }},
        {Always, "Lang_All_00210093_11", K("media_sensor"),
         [](TReadCtx& x, const QString& r) { x.c.SetRead("cmbJudgePaperMode", FindWord(1, r), 0); }},
        {Always, "Lang_All_00210095_11", K("density"),
         [](TReadCtx& x, const QString& r) { SelectByText(x.c, "cmbDensity", r); }},
        {[](const TReadCtx& x) { return HeadTypeOn(x.setup); }, "lblHeadType", K("tph_model"),
         [](TReadCtx& x, const QString& r) {
             const int item = r.isEmpty() ? 0 : HeadTypeItemOfName(r);
             x.c.SetRead("cmbHeadType", item > 0 ? item - 1 : -1, -2);
         }},
        {[](const TReadCtx& x) { return !x.setup.z34; }, "FormParaSet_260_lblDHCP", K("eth_dhcp"),
         [](TReadCtx& x, const QString& r) { x.c.SetRead("cmbDHCP", FindWord(0, r), 0); }},
        {[](const TReadCtx& x) { return !x.setup.z34; }, "Lang_All_00010029_11", K("eth_ip"),
         [](TReadCtx& x, const QString& r) { ReadQuad(x.c, kIp, r); }},
        {[](const TReadCtx& x) { return !x.setup.z34; }, "Lang_All_00210127_12", K("eth_mask"),
         [](TReadCtx& x, const QString& r) { ReadQuad(x.c, kMask, r); }},
        {[](const TReadCtx& x) { return !x.setup.z34; }, "Lang_All_00210127_13", K("eth_gateway"),
         [](TReadCtx& x, const QString& r) { ReadQuad(x.c, kGate, r); }},
        {[](const TReadCtx& x) { return x.setup.mac; }, "lblMac", K("eth_mac"),
         [](TReadCtx& x, const QString& r) { ReadMac(x.c, kMac, r); }},
        {Always, "FormParaSet_W7X_lblHeatAdj", K("heat_adj"),
         [](TReadCtx& x, const QString& r) { SelectByText(x.c, "cmbHeatAdj", r); }},
        {Always, "Lang_All_00210096_11", K("speed"),
         [](TReadCtx& x, const QString& r) { SelectByText(x.c, "cmbPrintSpeed", r); }},
        // 26: the printer language, then its character sets
        {Always, "Lang_All_00210004_12", K("ppl"),
         [](TReadCtx& x, const QString& r) {
             // "tsc" (what a TSPL printer answers) is the "TSPL" item, so Set sends it back
             x.state.printerProtocol = r;
             x.c.SetRead("cmbProtocol", FindProtocolItem(x.c.Items("cmbProtocol"), r), 0);
             FillCodePages(x.c, x.c.ItemText("cmbProtocol"));
         }},
        {Always, "Lang_All_00210218_11", K("code_page"),
         [](TReadCtx& x, const QString& r) {
             x.state.printerCodePage = r;
             x.c.SetRead("cmbCodepage", FindItemByCode(x.c.Items("cmbCodepage"), r), 0);
         }},
        {[](const TReadCtx& x) { return !x.setup.z34; }, "Lang_All_00210190_12", K("com_baud"),
         [](TReadCtx& x, const QString& r) { SelectByText(x.c, "cmbBaudrate", r); }},
        {[](const TReadCtx& x) { return !x.setup.z34; }, "Lang_All_00210190_13", K("com_wordlength"),
         [](TReadCtx& x, const QString& r) { SelectByText(x.c, "cmbDataBits", r); }},
        {[](const TReadCtx& x) { return !x.setup.z34; }, "Lang_All_00210190_14", K("com_stopbits"),
         [](TReadCtx& x, const QString& r) { SelectByText(x.c, "cmbStopBits", r); }},
        {[](const TReadCtx& x) { return !x.setup.z34; }, "Lang_All_00210190_15", K("com_parity"),
         [](TReadCtx& x, const QString& r) { SelectByText(x.c, "cmbParity", r); }},
        {Always, "Lang_All_00210093_12", K("print_mode"),
         [](TReadCtx& x, const QString& r) { x.c.SetRead("cmbPrintMode", FindWord(6, r), 0); }},
        {Always, "FormParaSet_ZR_lblTearOff", K("tear_off"),
         [](TReadCtx& x, const QString& r) {
             int v = 0;
             x.c.SetTextRead("txtTearOff", r, ParseInt(r, v));
         }},
        {Always, "FormParaSet_QX_SST", K("sensor_select"),
         [](TReadCtx& x, const QString& r) {
             ReadRadio(x.c, "RadioGroup1", r, r == QLatin1String("reflective") ? 0 : 1);
         }},
        {Always, "FormParaSet_ZR_i9", [](const TReadCtx& x) { return x.state.lidKey; },
         [](TReadCtx& x, const QString& r) {
             ReadRadio(x.c, "g5", r, r == QLatin1String("off") ? 0 : (r == QLatin1String("learn") ? 2 : 1));
         }},
        {[](const TReadCtx& x) { return x.setup.releasePaper; }, "Lang_All_00210024_11", K("stickers_times"),
         [](TReadCtx& x, const QString& r) {
             if (r.isEmpty()) {
                 x.info(FillTemplate(T("Lang_All_00010011_11"), {T("Lang_All_00210024_11")}));
                 return;
             }
             FillReleasePaperList(&x.state.releasePaper);
             bool found = false;
             const QString caption = ReleasePaperCaptionOf(x.state.releasePaper, r, found);
             if (found) {
                 x.c.SetItems("cmbReleasePaper", [&] {
                     QStringList items;
                     for (const QString& line : x.state.releasePaper)
                         items << OptionLineText(line);
                     return items;
                 }(), 0);
                 x.c.SetRead("cmbReleasePaper", FindItemByText(x.c.Items("cmbReleasePaper"), caption), -2);
             }
         }},
    };
    return steps;
}

} // namespace

TZrSetup ZrSetupOfSelectedPrinter(const QString& dpi)
{
    TZrSetup s;
    s.listed = PrtDefName;
    s.current = PrtBasName;
    s.oemKey = GetKesaVar() ? GetKesaVar()->OemCo : QString();
    s.dpi = dpi;
    s.dpl = InList(s.listed, DplModels);
    const bool channel = s.oemKey == QLatin1String("Label_Channel") || s.oemKey == QLatin1String("Label_Ardwick_Custom");
    s.colShift = (channel && InList(s.listed, ZrColShiftAModels)) || InList(s.listed, ZrColShiftBModels);
    s.headType = InList(s.listed, ZrHeadTypeModels) && s.oemKey == QLatin1String("Label_ChannelDelear");
    s.mac = InList(s.listed, ZrMacModels);
    s.noBt = InList(s.current, ParameterSetList(QStringLiteral("NotHaveBT")));
    s.zrFamily = InList(s.current, ZrFamilyModels);
    s.z34 = InList(s.listed, Z34OneModels);
    s.releasePaper = PermissionValue(QStringLiteral("0135000001")) == 1 || InList(s.current, ZrReleasePaperModels);
    return s;
}

QStringList ZrProtocolItems(const TZrSetup& setup, const QStringList& designItems)
{
    QStringList items = designItems;
    const QString pro = ParameterSetList(QStringLiteral("ZRParaSetProList"));
    if (!pro.isEmpty())
        items = pro.split(QLatin1Char(','));
    if (!setup.dpl && IsModelPrefixInList(setup.current, ParameterSetList(QStringLiteral("HaveEPL"))))
        items << QStringLiteral("EPL");
    if (setup.dpl)
        items << QStringLiteral("DPL");
    return items;
}

void DeclareZrControls(TParaControls& c)
{
    c.AddCombo("gpbAutoPosition", {T("FormParaSet_ZR_Locate_None"), T("FormParaSet_ZR_Locate_Calibation"),
                                    T("FormParaSet_ZR_Locate_Feed")});
    c.AddCombo("gpbPrintType", {T("_PrintType1"), T("_PrintType2")});
    c.AddCombo("gpbReprintWhenError", {T("_Disable"), T("_Enable")});
    c.AddCombo("RadioGroup1", {T("FormParaSet_QX_SST_1"), T("FormParaSet_QX_SST_2")});
    c.AddCombo("g5", {T("_Disable"), T("_Enable"), T("FormParaSet_ZR_g5_Learn")});
    c.AddEdit("txtTearOff");
    c.AddCombo("cmbPrintMode", {T("FormParaSet_ZR_cmbPrintMode_Item1"), T("FormParaSet_ZR_cmbPrintMode_Item2"),
                                 T("FormParaSet_ZR_cmbPrintMode_Item3")});
    c.AddCombo("cmbJudgePaperMode", {T("_PaperType_Label"), T("_PaperType_BlackMark"), T("_PaperType_Receipt")});
    c.AddCombo("cmbDensity", NumberItems(15));
    QStringList heat;
    for (int v = -50; v <= 50; v += 5)
        heat << QString::number(v);
    c.AddCombo("cmbHeatAdj", heat, 10);
    c.AddCombo("cmbPrintSpeed", {"2", "3", "4", "5", "6"});
    c.AddCombo("cmbProtocol", {"TSPL", "ZPL"});
    for (const char* e : {"txtZPrintWidth", "txtZPrintHeight", "txtDRowOffset", "txtDColumnOffset", "Edit1"})
        c.AddEdit(e);
    c.AddCombo("cmbHeadType", {});
    c.AddCombo("cmbCodepage", CharsetItems(1));
    c.AddCombo("cmbDHCP", {"ON", "OFF"});
    for (const QStringList* l : {&kIp, &kMask, &kGate, &kMac, &kBtMac})
        for (const QString& e : *l)
            c.AddEdit(e);
    c.AddCombo("cmbBaudrate", {"9600", "19200", "38400", "57600", "115200"});
    c.AddCombo("cmbDataBits", {"7", "8"});
    c.AddCombo("cmbStopBits", {"1", "2"});
    c.AddCombo("cmbParity", {"NONE", "ODD", "EVEN"});
    c.AddEdit("txtBTName");
    c.AddEdit("txtBTPWD");
    c.AddCombo("cmbReleasePaper", {});
}

void ZrReadPass(ITextParaCmd& cmd, const TZrSetup& setup, TZrState& state, TParaControls& c, const TStatusFn& status,
                const TStatusFn& info)
{
    TReadCtx x{cmd, setup, state, c, QString(), info ? info : TStatusFn(&ShowInfoBox)};
    for (const TReadStep& step : ReadSteps()) {
        if (!step.when(x))
            continue;
        if (step.status && status)
            status(FillTemplate(T("Lang_All_00210207_16"), {prt::LangText(QString::fromLatin1(step.status))}));
        const QString reply = TrimReply(cmd.GetVal(Quoted(step.key(x))));
        step.apply(x, reply);
    }
    if (status)
        status(T("Lang_All_00210099_53"));
}

TParaPlan PlanZrWrite(const TZrSetup& setup, const TZrState& state, TParaControls& c)
{
    TParaPlan plan;
    QString& err = plan.error;
    const bool dplPath = setup.dpl && state.readProtocol == QLatin1String("dpl");

    // Checks and clamps first: nothing is sent when one field is refused.
    const bool btSettings = !setup.noBt;
    if (btSettings && !CheckBluetoothEdits(c, err))
        return plan;
    struct Clamp { const char* edit; bool on; int lo, hi; const char* caption; };
    const Clamp clamps[] = {
        {"txtZPrintWidth", setup.dpl, 0, 108, "FormPrintTextLabel_lblPrintableWidth"},
        {"txtZPrintHeight", setup.dpl, 0, 300, "FormPrintTextLabel_lblPrintableHeight"},
        {"txtDRowOffset", setup.dpl, -15, 15, "FormPrintTextLabel_lblDRowOffset"},
        {"Edit1", setup.colShift, -256, 256, "FormParaSet_ZR_Label4"},
        {"txtDColumnOffset", setup.dpl, -15, 15, "FormPrintTextLabel_lblDColumnOffset"},
        {"txtTearOff", true, dplPath ? -240 : -120, dplPath ? 240 : 120, "FormParaSet_ZR_lblTearOff"},
    };
    for (const Clamp& k : clamps) {
        if (!k.on || !c.Sendable(k.edit) || c.Text(k.edit).trimmed().isEmpty())
            continue;
        if (!ClampEdit(c, k.edit, k.lo, k.hi, T(k.caption), err))
            return plan;
    }
    const bool net = !setup.z34;
    const bool dhcpOff = c.Index("cmbDHCP") == 1;
    struct Quad { const QStringList* edits; const char* key; const char* caption; };
    const Quad quads[] = {{&kIp, "eth_ip", "Lang_All_00010029_11"},
                          {&kMask, "eth_mask", "Lang_All_00210127_12"},
                          {&kGate, "eth_gateway", "Lang_All_00210127_13"}};
    auto quadSent = [&](const Quad& q) {
        return net && dhcpOff && QuadComplete(c, *q.edits) && c.AnySendable(*q.edits);
    };
    for (const Quad& q : quads)
        if (quadSent(q) && !CheckQuad(c, *q.edits, T(q.caption), err))
            return plan;

    TParaOps& ops = plan.ops;
    auto send = [&](const char* ctl) { return c.Sendable(QString::fromLatin1(ctl)); };
    // 1
    if (send("cmbProtocol")) {
        QString p = c.ItemText("cmbProtocol");
        if (p.compare(QLatin1String("tspl"), Qt::CaseInsensitive) == 0)
            p = QStringLiteral("tsc");
        AddSet(ops, "ppl", p);
    }
    if (btSettings && send("txtBTName"))
        AddSet(ops, "bt_name", c.Text("txtBTName"), true);
    if (btSettings && send("txtBTPWD"))
        AddSet(ops, "bt_pwd", c.Text("txtBTPWD"));
    if (send("gpbAutoPosition")) {
        const int i = c.Index("gpbAutoPosition");
        AddSet(ops, "media_power_up", i == 0 ? "none" : (i == 2 ? "learn" : "calibation"));
    }
    if (send("gpbPrintType"))
        AddSet(ops, "sw_ribbon", c.Index("gpbPrintType") == 0 ? "off" : "on");
    if (send("gpbReprintWhenError"))
        AddSet(ops, "reprint_after_error", c.Index("gpbReprintWhenError") == 0 ? "off" : "on");
    if (send("cmbCodepage"))
        AddSet(ops, "code_page", CodeOfItem(c.ItemText("cmbCodepage")));
    if (send("cmbJudgePaperMode") && !WordAt(1, c.Index("cmbJudgePaperMode")).isEmpty())
        AddSet(ops, "media_sensor", WordAt(1, c.Index("cmbJudgePaperMode")));
    if (send("cmbDensity"))
        AddSet(ops, "density", c.ItemText("cmbDensity"));
    if (setup.headType && send("cmbHeadType")) {
        const QString number = HeadTypeNumberOfItem(c.Index("cmbHeadType") + 1);
        if (!number.isEmpty())
            AddSet(ops, "tph_model", number);
    }
    if (setup.dpl && send("txtZPrintWidth") && !c.Text("txtZPrintWidth").isEmpty())
        AddSet(ops, "print_width", MmToDots(c.Text("txtZPrintWidth"), setup.dpi, setup.dpl));
    if (setup.dpl && send("txtZPrintHeight") && !c.Text("txtZPrintHeight").isEmpty())
        AddSet(ops, "print_height", MmToDots(c.Text("txtZPrintHeight"), setup.dpi, setup.dpl));
    // 13: the printer takes the new logic area, then the port is opened again
    {
        TParaOp op;
        op.kind = TParaOp::DoAndReopen;
        op.key = Quoted(QStringLiteral("demo_logic_area"));
        ops.push_back(op);
    }
    if (setup.dpl && send("txtDRowOffset") && !c.Text("txtDRowOffset").isEmpty())
        AddSet(ops, "demo_star_y", MmToDots(c.Text("txtDRowOffset"), setup.dpi, setup.dpl));
    if (setup.colShift && send("Edit1") && !c.Text("Edit1").isEmpty())
        AddSet(ops, "demo_star_x", MmToDots(c.Text("Edit1"), setup.dpi, setup.dpl));
    if (setup.dpl && send("txtDColumnOffset") && !c.Text("txtDColumnOffset").isEmpty())
        AddSet(ops, "demo_star_x", MmToDots(c.Text("txtDColumnOffset"), setup.dpi, setup.dpl));
    if (net && send("cmbDHCP"))
        AddSet(ops, "eth_dhcp", c.ItemText("cmbDHCP"));
    for (const Quad& q : quads)
        if (quadSent(q))
            AddSet(ops, q.key, JoinDottedQuad(TrimmedTexts(c, *q.edits)));
    if (send("cmbHeatAdj"))
        AddSet(ops, "heat_adj", c.ItemText("cmbHeatAdj"));
    if (send("cmbPrintSpeed"))
        AddSet(ops, "speed", c.ItemText("cmbPrintSpeed"));
    if (net) {
        if (send("cmbBaudrate"))
            AddSet(ops, "com_baud", c.ItemText("cmbBaudrate"));
        if (send("cmbDataBits"))
            AddSet(ops, "com_wordlength", c.ItemText("cmbDataBits"));
        if (send("cmbStopBits"))
            AddSet(ops, "com_stopbits", c.ItemText("cmbStopBits"));
        if (send("cmbParity"))
            AddSet(ops, "com_parity", c.ItemText("cmbParity"));
    }
    if (send("RadioGroup1"))
        AddSet(ops, "sensor_select", c.Index("RadioGroup1") == 0 ? "reflective" : "transmissive");
    if (send("g5")) {
        const int i = c.Index("g5");
        TParaOp op;
        op.key = Quoted(state.lidKey);
        op.value = i == 0 ? QStringLiteral("off") : (i == 2 ? QStringLiteral("learn") : QStringLiteral("on"));
        ops.push_back(op);
    }
    if (send("cmbPrintMode") && !WordAt(6, c.Index("cmbPrintMode")).isEmpty())
        AddSet(ops, "print_mode", WordAt(6, c.Index("cmbPrintMode")));
    // 30: tear-off, as a DPL command line on the DPL model in DPL mode
    if (send("txtTearOff") && !c.Text("txtTearOff").trimmed().isEmpty()) {
        if (dplPath) {
            int v = 0;
            ParseInt(c.Text("txtTearOff"), v);
            TParaOp op;
            op.kind = TParaOp::Raw;
            op.bytes = DplTearOffLine(state.controlCodes, v);
            ops.push_back(op);
        } else {
            AddSet(ops, "tear_off", c.Text("txtTearOff"));
        }
    }
    if (setup.releasePaper && send("cmbReleasePaper")) {
        bool found = false;
        const QString name = ReleasePaperNameOf(state.releasePaper, c.ItemText("cmbReleasePaper"), found);
        if (found)
            AddSet(ops, "stickers_times", name);
    }
    return plan;
}

void ZrProtocolChange(const TZrState& state, TParaControls& c)
{
    ApplyProtocolChange(state.printerProtocol, state.printerCodePage, c);
}

void ZrJudgePaperModeChange(TParaControls& c)
{
    c.Select("RadioGroup1", c.Index("cmbJudgePaperMode") == 0 ? 1 : 0);
    c.Touch("RadioGroup1");
}

void ZrBlankEditsToZero(TParaControls& c)
{
    for (const QString& e : kOtherEdits)
        if (c.Has(e) && c.Text(e).trimmed().isEmpty())
            c.SetText(e, QStringLiteral("0"));
}

bool ZrSetFlow(ITextParaCmd& cmd, const TZrSetup& setup, const TZrState& state, TParaControls& c, QString& error,
               bool& failed, bool& opened)
{
    failed = false;
    opened = false;
    // Blank edits become "0" (not a change of the operator: a blank edit that the
    // printer never reported stays unsent).
    ZrBlankEditsToZero(c);
    TParaPlan plan = PlanZrWrite(setup, state, c);
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
    TParaOp save;
    save.kind = TParaOp::Do;
    save.key = Quoted(QStringLiteral("save_param"));
    if (!RunParaOps(cmd, {save})) {
        cmd.Close();
        failed = true;
        return true;
    }
    cmd.Sleep(1000);
    cmd.Close();
    if (!cmd.Do(Quoted(QStringLiteral("reset_printer"))))
        failed = true;
    return true;
}

// ---- settings file ---------------------------------------------------------------------------

const QStringList& ZrSettingsKeys()
{
    static const QStringList keys = {
        "gpbReprintWhenError", "g5", "gpbPrintType", "gpbAutoPosition", "RadioGroup1", "txtTearOff",
        "cmbPrintMode", "cmbJudgePaperMode", "cmbDensity", "cmbHeatAdj", "cmbPrintSpeed", "cmbProtocol",
        "txtZPrintWidth", "txtZPrintHeight", "txtDRowOffset", "txtDColumnOffset", "cmbCodepage", "cmbDHCP",
        "txtIP1", "txtIP2", "txtIP3", "txtIP4", "txtSubnet1", "txtSubnet2", "txtSubnet3", "txtSubnet4",
        "txtGateway1", "txtGateway2", "txtGateway3", "txtGateway4", "cmbBaudrate", "cmbDataBits",
        "cmbStopBits", "cmbParity", "txtBTName", "txtBTPWD", "cmbReleasePaper",
    };
    return keys;
}

namespace {
const QString kSection = QStringLiteral("params");

bool IsIndexKey(const TParaControls& c, const QString& key)
{
    return !c.At(key).isEdit;
}

} // namespace

bool ZrSettingsToIni(prt::IniFile& ini, const TParaControls& c, QString& error)
{
    for (const QString& key : ZrSettingsKeys()) {
        // An edit's text as it stands: the ini writer quotes it when the reader would take
        // it as other text (blanks at an end, quotes around it).
        const QString value = IsIndexKey(c, key) ? QString::number(c.Index(key)) : c.Text(key);
        if (!ini.setValue(kSection, key, value)) {
            error = FillTemplate(T("FormParaSet_ZR_MSG_BadValue"), {key});
            return false;
        }
    }
    return true;
}

bool SaveZrSettings(const QString& path, const TParaControls& c, QString& error)
{
    prt::IniFile ini;
    if (QFileInfo::exists(path) && !ini.load(path)) {
        error = T("FormParaSet_ZR_MSG_FileFail");
        return false;
    }
    if (!ZrSettingsToIni(ini, c, error))
        return false;
    if (!ini.save(path)) {
        error = T("FormParaSet_ZR_MSG_FileFail");
        return false;
    }
    return true;
}

bool ZrSettingsFromIni(const prt::IniFile& ini, TParaControls& c, QString& error)
{
    // Everything is checked on a copy; the controls change only when all values fit.
    TParaControls next = c;
    auto bad = [&](const QString& key) {
        error = FillTemplate(T("FormParaSet_ZR_MSG_BadValue"), {key});
        return false;
    };
    auto index = [&](const QString& key, int& out) {
        if (!ini.hasKey(kSection, key))
            return false;
        bool ok = false;
        const QString v = ini.readString(kSection, key).trimmed();
        out = v.toInt(&ok, 10);
        // -1 is what a control without a selection saves
        return ok && out >= -1 && out < next.Items(key).size();
    };
    // The printer language first: it decides the density and code-page lists.
    int proto = 0;
    if (!index(QStringLiteral("cmbProtocol"), proto))
        return bad(QStringLiteral("cmbProtocol"));
    next.Select("cmbProtocol", proto);
    const TProtocolLists l = ProtocolListsOf(next.ItemText("cmbProtocol"));
    next.SetItems("cmbDensity", NumberItems(l.densityMax), 0);
    next.SetItems("cmbCodepage", CharsetItems(l.charsetList), 0);
    for (const QString& key : ZrSettingsKeys()) {
        if (!ini.hasKey(kSection, key))
            return bad(key);
        if (next.At(key).isEdit) {
            next.SetText(key, ini.readString(kSection, key));
        } else {
            int i = 0;
            if (!index(key, i))
                return bad(key);
            next.Select(key, i);
        }
        next.Touch(key);
    }
    c = next;
    return true;
}

bool LoadZrSettings(const QString& path, const TZrState& state, TParaControls& c, QString& error)
{
    Q_UNUSED(state);
    prt::IniFile ini;
    if (!QFileInfo(path).isFile() || !ini.load(path)) {
        error = T("FormParaSet_ZR_MSG_FileFail");
        return false;
    }
    return ZrSettingsFromIni(ini, c, error);
}

} // namespace zrpara
