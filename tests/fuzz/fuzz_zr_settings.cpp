// The ZR form's settings file: any file loads without a crash, and a load either takes
// every value (each list index within its list, each edit text as the file holds it) or
// changes nothing; and whatever the control values (taken from the input), saving them
// into the file and loading it again gives the same values.
#include "FuzzSupport.h"
#include "PrtIni.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlParaSet_ZRPass.h"
#include "mdlTextParaCodecs.h"

using namespace textpara;

namespace {

const QString kSection = QStringLiteral("params");

// The controls as the DPL model's form holds them before a load.
TParaControls Declared()
{
    TParaControls c;
    zrpara::DeclareZrControls(c);
    c.SetItems(QStringLiteral("cmbProtocol"), {"TSPL", "ZPL", "DPL"}, 0);
    c.SetItems(QStringLiteral("cmbReleasePaper"), {"Off", "1", "2", "3"}, 0);
    return c;
}

bool SameControls(const TParaControls& a, const TParaControls& b)
{
    for (const QString& key : a.Names())
        if (a.Index(key) != b.Index(key) || a.Text(key) != b.Text(key))
            return false;
    return true;
}

// The input's pieces between 0x1F bytes.
QList<QByteArray> Pieces(const QByteArray& bytes)
{
    return bytes.split('\x1F');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool once = [] {
        prt::SetLangText(QStringLiteral("FormParaSet_ZR_MSG_BadValue"), QStringLiteral("Bad {0}"));
        prt::SetMessageBoxHandler([](const prt::MsgBoxCall&) { return int(prt::IDOK_); });
        return true;
    }();
    (void)once;
    const QByteArray bytes = fuzz::Bytes(data, size);

    // 1. The input as a settings file.
    prt::IniFile file;
    file.parse(bytes);
    {
        const TParaControls before = Declared();
        TParaControls c = before;
        QString error;
        if (zrpara::ZrSettingsFromIni(file, c, error)) {
            for (const QString& key : zrpara::ZrSettingsKeys()) {
                if (c.At(key).isEdit) {
                    FUZZ_CHECK(c.Text(key) == file.readString(kSection, key));
                } else {
                    FUZZ_CHECK(c.Index(key) >= -1 && c.Index(key) < c.Items(key).size());
                }
                FUZZ_CHECK(c.At(key).touched);
            }
        } else {
            FUZZ_CHECK(!error.isEmpty());
            FUZZ_CHECK(SameControls(c, before));
        }
    }

    // 2. Control values from the input, saved into that file and loaded back.
    TParaControls c = Declared();
    const QList<QByteArray> pieces = Pieces(bytes);
    int piece = 0;
    auto next = [&]() -> QByteArray { return piece < pieces.size() ? pieces.at(piece++) : QByteArray(); };
    auto pick = [&](const QString& key) {
        const QByteArray p = next();
        const int n = int(c.Items(key).size()) + 1;  // -1 (no selection) and every item
        c.Select(key, (p.isEmpty() ? 0 : int(uint8_t(p.at(0))) % n) - 1);
    };
    // The printer language first: its lists are what the load rebuilds.
    pick(QStringLiteral("cmbProtocol"));
    const TProtocolLists lists = ProtocolListsOf(c.ItemText(QStringLiteral("cmbProtocol")));
    c.SetItems(QStringLiteral("cmbDensity"), NumberItems(lists.densityMax), 0);
    c.SetItems(QStringLiteral("cmbCodepage"), CharsetItems(lists.charsetList), 0);
    bool lineBreak = false;
    for (const QString& key : zrpara::ZrSettingsKeys()) {
        if (key == QLatin1String("cmbProtocol"))
            continue;
        if (c.At(key).isEdit) {
            const QString text = QString::fromUtf8(next());
            lineBreak = lineBreak || text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
            c.SetText(key, text);
        } else {
            pick(key);
        }
    }
    QString error;
    const bool saved = zrpara::ZrSettingsToIni(file, c, error);
    FUZZ_CHECK(saved == !lineBreak);
    if (!saved)
        return 0;
    prt::IniFile again;
    again.parse(file.toBytes());
    TParaControls loaded = Declared();
    FUZZ_CHECK(zrpara::ZrSettingsFromIni(again, loaded, error));
    for (const QString& key : zrpara::ZrSettingsKeys()) {
        FUZZ_CHECK(loaded.Index(key) == c.Index(key));
        FUZZ_CHECK(loaded.Text(key) == c.Text(key));
    }
    return 0;
}
