#include "FakeTextCmd.h"

namespace {
QString Unquote(const QByteArray& key)
{
    QString k = QString::fromLatin1(key);
    if (k.startsWith('"') && k.endsWith('"') && k.size() >= 2)
        k = k.mid(1, k.size() - 2);
    return k;
}
} // namespace

bool FakeTextCmd::Open()
{
    ++opens;
    log << "open";
    return !failOpen;
}

void FakeTextCmd::Close()
{
    log << "close";
}

QString FakeTextCmd::GetVal(const QByteArray& key)
{
    const QString k = Unquote(key);
    log << "get " + k;
    return replies.value(k);
}

bool FakeTextCmd::SetVal(const QByteArray& key, const QString& value, bool lower)
{
    const QString k = Unquote(key);
    log << "set " + k + "=" + (lower ? value.toLower() : value);
    return !failSet.contains(k);
}

bool FakeTextCmd::Do(const QByteArray& key)
{
    const QString k = Unquote(key);
    log << "do " + k;
    return !failDo.contains(k);
}

bool FakeTextCmd::WriteRaw(const QByteArray& bytes)
{
    log << "raw " + QString::fromLatin1(bytes.toHex(' ').toUpper());
    return true;
}

void FakeTextCmd::Sleep(uint32_t ms)
{
    log << "sleep " + QString::number(ms);
}

QStringList FakeTextCmd::Sets() const
{
    QStringList out;
    for (const QString& e : log)
        if (e.startsWith("set "))
            out << e.mid(4);
    return out;
}

QStringList FakeTextCmd::With(const QString& prefix) const
{
    QStringList out;
    for (const QString& e : log)
        if (e.startsWith(prefix))
            out << e;
    return out;
}

QMap<QString, QString> FullTextProfile()
{
    return {
        {"dpi", "300"},
        {"ppl", "tsc\r\n"},
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
        {"speed", "4"},
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
}
