// getval replies of the ZR and QX parameter forms, as the link hands them over, through the
// forms' read passes and an unchanged Set: no crash; no text shown, and no value sent that
// copies a reply, is longer than that reply (a dotted quad gains its closing "."); and a
// reply the form understood goes back as read where the form writes the reply's own text
// (list items chosen by their text or word, the Bluetooth name without the printer's
// suffix, the tear-off within its range, the code inside the code-page item, the printer
// language).
#include "FuzzSupport.h"
#include "PrinterCMD.h"
#include "PrtMsgBox.h"
#include "mdlParaSet_QXPass.h"
#include "mdlParaSet_ZRPass.h"
#include "mdlTextParaCodecs.h"

#include <QMap>
#include <QSet>

using namespace textpara;

namespace {

const char* const kKeys[] = {
    "ppl", "control_codes", "print_width", "print_height", "demo_star_y", "demo_star_x", "version", "bt_mac",
    "bt_name", "bt_pwd", "media_power_up", "sw_ribbon", "reprint_after_error", "media_sensor", "density",
    "tph_model", "eth_dhcp", "eth_ip", "eth_mask", "eth_gateway", "eth_mac", "heat_adj", "speed", "code_page",
    "com_baud", "com_wordlength", "com_stopbits", "com_parity", "print_mode", "tear_off", "sensor_select",
    "platenin_locat", "platenin_enter_pause", "stickers_times",
};

// The printer: each key answers its piece of the input; the writes are recorded.
class FuzzCmd : public ITextParaCmd {
public:
    QMap<QString, QString> replies;  // key -> text as the link returns it
    QList<QPair<QString, QString>> sets;  // key -> value as sent (lower-cased where the form asks)
    bool Open() override { return true; }
    void Close() override {}
    QString GetVal(const QByteArray& key) override { return replies.value(Unquoted(key)); }
    bool SetVal(const QByteArray& key, const QString& value, bool lower) override
    {
        sets.append({Unquoted(key), lower ? value.toLower() : value});
        return true;
    }
    bool Do(const QByteArray&) override { return true; }
    bool WriteRaw(const QByteArray&) override { return true; }
    void Sleep(uint32_t) override {}
    static QString Unquoted(const QByteArray& key) { return QString::fromLatin1(key).remove(QLatin1Char('"')); }
};

// Edits and the reply each is read from.
const QMap<QString, QString>& EditSources()
{
    static const QMap<QString, QString> m = {
        {"txtBTName", "bt_name"},     {"txtBTPWD", "bt_pwd"},         {"txtTearOff", "tear_off"},
        {"txtZPrintWidth", "print_width"}, {"txtZPrintHeight", "print_height"},
        {"txtDRowOffset", "demo_star_y"}, {"txtDColumnOffset", "demo_star_x"}, {"Edit1", "demo_star_x"},
        {"txtIP1", "eth_ip"},         {"txtIP2", "eth_ip"},           {"txtIP3", "eth_ip"},
        {"txtIP4", "eth_ip"},         {"txtSubnet1", "eth_mask"},     {"txtSubnet2", "eth_mask"},
        {"txtSubnet3", "eth_mask"},   {"txtSubnet4", "eth_mask"},     {"txtGateway1", "eth_gateway"},
        {"txtGateway2", "eth_gateway"}, {"txtGateway3", "eth_gateway"}, {"txtGateway4", "eth_gateway"},
        {"txtMac1", "eth_mac"},       {"txtMac2", "eth_mac"},         {"txtMac3", "eth_mac"},
        {"txtMac4", "eth_mac"},       {"txtMac5", "eth_mac"},         {"txtMac6", "eth_mac"},
        {"txtBTMac1", "bt_mac"},      {"txtBTMac2", "bt_mac"},        {"txtBTMac3", "bt_mac"},
        {"txtBTMac4", "bt_mac"},      {"txtBTMac5", "bt_mac"},        {"txtBTMac6", "bt_mac"},
    };
    return m;
}

// Keys written with the reply's own text when the read understood it (compared ignoring
// case: the form sends them lower-cased).
const QSet<QString>& EchoKeys()
{
    static const QSet<QString> s = {"density", "heat_adj", "speed", "com_baud", "com_wordlength", "com_stopbits",
                                    "com_parity", "media_sensor", "print_mode", "eth_dhcp", "bt_pwd"};
    return s;
}

// Two-choice settings: a reply that is one of their words goes back as that word.
const QMap<QString, QStringList>& Words()
{
    static const QMap<QString, QStringList> m = {
        {"sw_ribbon", {"on", "off"}},
        {"reprint_after_error", {"on", "off"}},
        {"sensor_select", {"reflective", "transmissive"}},
        {"platenin_locat", {"on", "off", "learn"}},
        {"platenin_enter_pause", {"on", "off", "learn"}},
    };
    return m;
}

void CheckRead(const TParaControls& c, const FuzzCmd& cmd)
{
    for (auto it = EditSources().cbegin(); it != EditSources().cend(); ++it)
        if (c.Has(it.key()))
            FUZZ_CHECK(c.Text(it.key()).size() <= TrimReply(cmd.replies.value(it.value())).size());
}

// dotsKeys: values converted from millimetres (their length follows the number).
void CheckWrites(const FuzzCmd& in, const FuzzCmd& out, int tearLimit, const QSet<QString>& dotsKeys)
{
    for (const auto& [key, value] : out.sets) {
        const QString reply = TrimReply(in.replies.value(key));
        // Settings sent as a word of their own (on/off, a head-type number, a release-paper
        // name) or converted from millimetres are not copies of the reply.
        static const QSet<QString> ownWords = {"media_power_up", "sw_ribbon", "reprint_after_error",
                                               "sensor_select", "platenin_locat", "platenin_enter_pause",
                                               "tph_model", "stickers_times"};
        if (!dotsKeys.contains(key) && !ownWords.contains(key)) {
            const bool quad = key == QLatin1String("eth_ip") || key == QLatin1String("eth_mask") ||
                              key == QLatin1String("eth_gateway");
            FUZZ_CHECK(value.size() <= reply.size() + (quad ? 1 : 0));
        }
        if (EchoKeys().contains(key))
            FUZZ_CHECK(value.compare(reply, Qt::CaseInsensitive) == 0);
        if (key == QLatin1String("bt_name"))
            FUZZ_CHECK(value == StripBtNameSuffix(reply));
        if (key == QLatin1String("ppl"))
            FUZZ_CHECK(SameProtocol(reply, value));
        if (key == QLatin1String("code_page"))
            FUZZ_CHECK(value.compare(reply, Qt::CaseInsensitive) == 0);
        if (key == QLatin1String("tear_off")) {
            int v = 0;
            // the number as read: the form's range check takes other blanks (a form feed,
            // U+00A0) off its ends too
            if (ParseInt(reply, v) && v >= -tearLimit && v <= tearLimit)
                FUZZ_CHECK(value == reply.trimmed());
        }
        const auto w = Words().constFind(key);
        if (w != Words().cend() && w->contains(reply))
            FUZZ_CHECK(value == reply);
        if (key == QLatin1String("media_power_up") &&
            QStringList({"none", "learn", "calibation"}).contains(reply))
            FUZZ_CHECK(value == reply);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool once = [] {
        prt::SetMessageBoxHandler([](const prt::MsgBoxCall&) { return int(prt::IDOK_); });
        return true;
    }();
    (void)once;
    if (size < 2)
        return 0;
    const uint8_t flags = data[0];
    const uint8_t more = data[1];
    const QList<QByteArray> pieces = fuzz::Bytes(data + 2, size - 2).split('\x1F');
    FuzzCmd in;
    int i = 0;
    for (const char* key : kKeys) {
        const QByteArray p = i < pieces.size() ? pieces.at(i) : QByteArray();
        ++i;
        in.replies.insert(QString::fromLatin1(key), BytesToTextFrom(0, p, int(p.size())));
    }

    // The ZR form.
    {
        zrpara::TZrSetup s;
        s.listed = s.current = QStringLiteral("M");
        s.dpl = flags & 1;
        s.colShift = flags & 2;
        s.headType = flags & 4;
        s.mac = flags & 8;
        s.noBt = flags & 16;
        s.z34 = flags & 32;
        s.releasePaper = flags & 64;
        s.zrFamily = flags & 128;
        s.dpi = QStringList({"203", "300", "600"}).at(more % 3);
        zrpara::TZrState state;
        TParaControls c;
        zrpara::DeclareZrControls(c);
        c.SetItems(QStringLiteral("cmbProtocol"), s.dpl ? QStringList{"TSPL", "ZPL", "DPL"} : QStringList{"TSPL", "ZPL"}, 0);
        c.SetItems(QStringLiteral("cmbReleasePaper"), {"Off", "1", "2", "3"}, 0);
        FuzzCmd cmd = in;
        zrpara::ZrReadPass(cmd, s, state, c);
        CheckRead(c, in);
        const bool dplPath = s.dpl && state.readProtocol == QLatin1String("dpl");
        const TParaPlan plan = zrpara::PlanZrWrite(s, state, c);
        if (plan.ok()) {
            FuzzCmd out;
            FUZZ_CHECK(RunParaOps(out, plan.ops));
            QSet<QString> dots;
            if (s.dpl)
                dots = {"print_width", "print_height", "demo_star_y", "demo_star_x"};
            CheckWrites(in, out, dplPath ? 240 : 120, dots);
        }
    }

    // The QX form.
    {
        qxpara::TQxSetup s;
        s.current = QStringLiteral("M");
        s.noBtSetting = flags & 1;
        s.ribbon = flags & 2;
        s.esc = flags & 4;
        s.haveEpl = flags & 8;
        s.tearOff90 = flags & 16;
        s.releasePaper = flags & 32;
        qxpara::TQxState state;
        state.releasePaper = {"0=Off", "1=1", "2=2", "3=3"};
        TParaControls c;
        qxpara::DeclareQxControls(c);
        QStringList protocols = {"TSPL", "ZPL"};
        if (s.haveEpl)
            protocols << QStringLiteral("EPL");
        if (s.esc)
            protocols << QStringLiteral("ESC");
        c.SetItems(QStringLiteral("cmbProtocol"), protocols, 0);
        c.SetItems(QStringLiteral("cmbReleasePaper"), {"Off", "1", "2", "3"}, 0);
        FuzzCmd cmd = in;
        qxpara::QxShowRead(cmd, s, state, c);
        CheckRead(c, in);
        const TParaPlan plan = qxpara::PlanQxWrite(s, state, c);
        if (plan.ok()) {
            FuzzCmd out;
            FUZZ_CHECK(RunParaOps(out, plan.ops));
            CheckWrites(in, out, s.TearOffLimit(), {});
        }
    }
    return 0;
}
