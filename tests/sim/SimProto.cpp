#include "SimProto.h"

#include <QFile>
#include <cctype>

#include "SimPrinter.h"

#include <memory>

namespace prt::sim {

namespace {
// Registry of states by printer; entries expire with the handlers that own the state.
std::mutex g_regMutex;
std::map<const SimPrinter*, std::weak_ptr<SimProtoState>>& Registry()
{
    static std::map<const SimPrinter*, std::weak_ptr<SimProtoState>> r;
    return r;
}
} // namespace

std::unique_ptr<SimHandler> MakeSimProtoTextHandler(std::shared_ptr<SimProtoState> state);
std::unique_ptr<SimHandler> MakeSimProtoBlockHandler(std::shared_ptr<SimProtoState> state);
std::unique_ptr<SimHandler> MakeSimDplLineHandler(std::shared_ptr<SimProtoState> state);

QByteArray SimMakeBlock(const QByteArray& settings)
{
    QByteArray b(256, '\0');
    b[0] = 0x78;
    for (qsizetype i = 0; i < settings.size() && i < 253; ++i)
        b[1 + i] = settings.at(i);
    uint16_t sum = 0;
    for (int i = 0; i < 254; ++i)
        sum = static_cast<uint16_t>(sum + static_cast<uint8_t>(b.at(i)));
    b[254] = static_cast<char>(sum & 0xFF);
    b[255] = static_cast<char>(sum >> 8);
    return b;
}

namespace {
void SetSum(QByteArray& b)
{
    uint16_t sum = 0;
    for (int i = 0; i < 254; ++i)
        sum = static_cast<uint16_t>(sum + static_cast<uint8_t>(b.at(i)));
    b[254] = static_cast<char>(sum & 0xFF);
    b[255] = static_cast<char>(sum >> 8);
}
} // namespace

bool SimBlockValid(const QByteArray& block)
{
    if (block.size() != 256 || static_cast<uint8_t>(block.at(0)) != 0x78)
        return false;
    QByteArray copy = block;
    SetSum(copy);
    return copy == block;
}

QByteArray SimMakeFilledBlock(const std::vector<SimByte>& bytes)
{
    QByteArray b(256, '\0');
    for (int i = 1; i < 254; ++i) {
        uint8_t v = static_cast<uint8_t>((i * 7 + 0x21) & 0xFF);
        if (v == 0 || v == 0x78)
            v = 0x5A;
        b[i] = static_cast<char>(v);
    }
    for (const SimByte& sb : bytes)
        if (sb.pos > 0 && sb.pos < 254)
            b[sb.pos] = static_cast<char>(sb.value);
    b[0] = 0x78;
    SetSum(b);
    return b;
}

QByteArray SimLoadBlockFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = f.readAll();
    QByteArray b;
    if (data.size() == 256) {
        b = data;
    } else {
        QByteArray hex;
        for (char c : data) {
            if (c == ' ' || c == '\r' || c == '\n' || c == '\t' || c == ',')
                continue;
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                return {};
            hex.append(c);
        }
        b = QByteArray::fromHex(hex);
        if (b.isEmpty() || b.size() > 256)
            return {};
        b.append(QByteArray(256 - b.size(), '\0'));
    }
    b[0] = 0x78;
    SetSum(b);
    return b;
}

void AddProtoHandlers(SimPrinter& printer)
{
    auto state = std::make_shared<SimProtoState>();
    state->block = SimMakeBlock();
    // Text values a mobile printer reports about itself.
    state->values["min_speed"] = "2";
    state->values["max_speed"] = "6";
    state->values["wifi_version"] = "WIFI-1.0.3";
    {
        std::lock_guard lock(g_regMutex);
        Registry()[&printer] = state;
    }
    printer.addHandler(MakeSimProtoTextHandler(state));
    printer.addHandler(MakeSimProtoBlockHandler(state));
    printer.addHandler(MakeSimDplLineHandler(state));
}

SimProtoState* ProtoState(SimPrinter& printer)
{
    std::lock_guard lock(g_regMutex);
    auto it = Registry().find(&printer);
    if (it == Registry().end())
        return nullptr;
    auto sp = it->second.lock();
    if (!sp) {
        Registry().erase(it);
        return nullptr;
    }
    return sp.get();  // kept alive by the printer's handlers
}

namespace {
template <typename F>
auto WithState(SimPrinter& printer, F f)
{
    std::lock_guard lock(printer.mutex());
    SimProtoState* s = ProtoState(printer);
    static SimProtoState none;
    return f(s ? *s : none);
}
} // namespace

void SimSetValue(SimPrinter& printer, const QByteArray& key, const QByteArray& value)
{
    WithState(printer, [&](SimProtoState& s) { s.values[key] = value; });
}

QByteArray SimValue(SimPrinter& printer, const QByteArray& key)
{
    return WithState(printer, [&](SimProtoState& s) {
        auto it = s.values.find(key);
        return it == s.values.end() ? QByteArray() : it->second;
    });
}

void SimSetKeyValue(SimPrinter& printer, uint16_t id, const QByteArray& value)
{
    WithState(printer, [&](SimProtoState& s) { s.keyValues[id] = value; });
}

QByteArray SimKeyValue(SimPrinter& printer, uint16_t id)
{
    return WithState(printer, [&](SimProtoState& s) {
        auto it = s.keyValues.find(id);
        return it == s.keyValues.end() ? QByteArray() : it->second;
    });
}

void SimSetBlockReply(SimPrinter& printer, const QByteArray& raw)
{
    WithState(printer, [&](SimProtoState& s) { s.blockReply = raw; });
}

void SimSetBlockKeepsOld(SimPrinter& printer, bool on)
{
    WithState(printer, [&](SimProtoState& s) { s.blockKeepsOld = on; });
}

void SimSetProtocolByte(SimPrinter& printer, int value)
{
    WithState(printer, [&](SimProtoState& s) { s.protocolByte = value; });
}

void SimSetVersion(SimPrinter& printer, const QByteArray& bytes)
{
    WithState(printer, [&](SimProtoState& s) { s.version = bytes; });
}

std::vector<QByteArray> SimBlockWrites(SimPrinter& printer)
{
    return WithState(printer, [&](SimProtoState& s) { return s.blockWrites; });
}

std::vector<QByteArray> SimBlockRefused(SimPrinter& printer)
{
    return WithState(printer, [&](SimProtoState& s) { return s.blockRefused; });
}

void SimSetBlock(SimPrinter& printer, const QByteArray& block)
{
    WithState(printer, [&](SimProtoState& s) {
        s.block = block.left(256);
        s.block.append(QByteArray(256 - s.block.size(), '\0'));
        return 0;
    });
}

QByteArray SimBlock(SimPrinter& printer)
{
    return WithState(printer, [&](SimProtoState& s) { return s.block; });
}

std::vector<QByteArray> SimDoLog(SimPrinter& printer)
{
    return WithState(printer, [&](SimProtoState& s) { return s.doLog; });
}

void SimSetKeySilent(SimPrinter& printer, uint16_t id, bool silent)
{
    WithState(printer, [&](SimProtoState& s) {
        if (silent)
            s.silentKeys.insert(id);
        else
            s.silentKeys.erase(id);
    });
}

void SimSetKeyShort(SimPrinter& printer, uint16_t id, int bytes)
{
    WithState(printer, [&](SimProtoState& s) {
        if (bytes < 0)
            s.shortKeys.erase(id);
        else
            s.shortKeys[id] = bytes;
    });
}

std::vector<SimSetKeyFrame> SimSetKeyLog(SimPrinter& printer)
{
    return WithState(printer, [&](SimProtoState& s) { return s.setKeyLog; });
}

void SimClearSetKeyLog(SimPrinter& printer)
{
    WithState(printer, [&](SimProtoState& s) { s.setKeyLog.clear(); });
}

void SimSetDoReply(SimPrinter& printer, const QByteArray& key, const QByteArray& reply, int delayMs)
{
    WithState(printer, [&](SimProtoState& s) {
        s.doReplies[key] = reply;
        if (delayMs > 0)
            s.doReplyDelayMs[key] = delayMs;
        else
            s.doReplyDelayMs.erase(key);
    });
}

std::vector<SimTextCmd> SimTextLog(SimPrinter& printer)
{
    std::lock_guard l(printer.mutex());
    SimProtoState* s = ProtoState(printer);
    return s ? s->textLog : std::vector<SimTextCmd>{};
}

std::vector<QByteArray> SimRawLines(SimPrinter& printer)
{
    std::lock_guard l(printer.mutex());
    SimProtoState* s = ProtoState(printer);
    return s ? s->rawLines : std::vector<QByteArray>{};
}

void SimSetReplyCrLf(SimPrinter& printer, bool on)
{
    std::lock_guard l(printer.mutex());
    if (SimProtoState* s = ProtoState(printer))
        s->replyCrLf = on;
}

void SimSetSilentKey(SimPrinter& printer, const QByteArray& key, bool silent)
{
    std::lock_guard l(printer.mutex());
    if (SimProtoState* s = ProtoState(printer)) {
        if (silent)
            s->silentTextKeys.insert(key);
        else
            s->silentTextKeys.erase(key);
    }
}

void SimSetTextParamProfile(SimPrinter& printer)
{
    static const std::pair<const char*, const char*> profile[] = {
        {"dpi", "300"},
        {"ppl", "tsc"},
        {"control_codes", "alternate"},
        {"print_width", "1274"},
        {"print_height", "3540"},
        {"demo_star_y", "59"},
        {"demo_star_x", "-35"},
        {"version", "1.00.12"},
        {"bt_mac", "00:11:22:AA:BB:CC"},
        {"bt_name", "Label-PR-A1B2"},
        {"bt_pwd", "1234"},
        {"media_power_up", "calibation"},
        {"sw_ribbon", "on"},
        {"reprint_after_error", "on"},
        {"media_sensor", "black mark"},
        {"density", "9"},
        {"tph_model", "KYOCERA"},
        {"eth_dhcp", "off"},
        {"eth_ip", "192.168.0.33"},
        {"eth_mask", "255.255.255.0"},
        {"eth_gateway", "192.168.0.1"},
        {"eth_mac", "00:0C:29:01:02:03"},
        {"heat_adj", "-10"},
        {"speed", "3"},
        {"code_page", "1252"},
        {"com_baud", "115200"},
        {"com_wordlength", "8"},
        {"com_stopbits", "1"},
        {"com_parity", "none"},
        {"print_mode", "peel"},
        {"tear_off", "-30"},
        {"sensor_select", "reflective"},
        {"platenin_locat", "on"},
        {"platenin_enter_pause", "off"},
        {"stickers_times", "3"},
    };
    std::lock_guard l(printer.mutex());
    if (SimProtoState* s = ProtoState(printer))
        for (const auto& [k, v] : profile)
            s->values[QByteArray(k)] = QByteArray(v);
}

void SimSetSetvalReplies(SimPrinter& printer, const QByteArray& key, const std::vector<QByteArray>& replies)
{
    WithState(printer, [&](SimProtoState& s) {
        s.setvalReplies[key] = std::deque<QByteArray>(replies.begin(), replies.end());
        return 0;
    });
}

std::vector<QByteArray> SimSetvalLog(SimPrinter& printer)
{
    return WithState(printer, [&](SimProtoState& s) { return s.setvalLog; });
}

} // namespace prt::sim

namespace prt::sim {

void SimCutAfterSetKeys(SimPrinter& printer, int frames, bool drops)
{
    std::lock_guard lock(printer.mutex());
    if (SimProtoState* s = ProtoState(printer)) {
        s->cutAfterSetKeys = frames > 0 ? frames : -1;
        s->cutDrops = drops;
        s->cutConnection = -1;
    }
}

} // namespace prt::sim
