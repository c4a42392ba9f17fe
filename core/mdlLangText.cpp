#include "mdlLangText.h"

#include "PrtTexts.h"
#include "mdlLanguage.h"
#include "mdlPrtDll.h"

#include <QHash>

namespace {

// Compact key list of the loaded table, one entry per group, in load order. An item
// with variant 11 alone is written bare; "a-b" is every item from a to b with variant 11
// alone; an item with other variants lists them in parentheses, "x to y" being every
// variant from x to y.
struct TKeyGroup {
    const char* prefix;
    const char* items;
};
const TKeyGroup kKeyGroups[] = {
    {"Lang_Pos_0001",
     "0030, 0003, 0004 (11 12), 0006, 0080 (11 12), 0081 (11 12)"},
    {"Lang_All_1001",
     "0001-0003"},
    {"Lang_All_0001",
     "0001-0005, 0006 (11 12 13 14 15 16), 0007-0008, 0009 (11 12), 0010-0015, 0018-0021, "
     "0022 (11 12 13 14), 0023-0025, 0026 (11 12 13 14 21 22 23 24 31 32 33), 0027 (11 12), "
     "0028, 0029 (11 12 13)"},
    {"Lang_All_0021",
     "0001-0003, 0004 (11 12), 0005-0029, 0030 (11 12), 0031-0062, "
     "0063 (11 12 13 14 15 16 51 52 53 54), 0064 (11 12), 0065-0079, "
     "0080 (11 12 31 32 33 34 35 36 51 52 53 54 55 56 71 72 73 74 75 76), 0081 (11 12 13), "
     "0082 (11 to 27, every variant), 0086-0087, 0088 (11 12), 0089 (11 to 25, "
     "every variant), 0090, 0091 (11 to 18), 0092 (11 12 13 14), 0093 (11 12 13), "
     "0094 (11 to 17), 0095 (11 12 51 52 53 54 55 56 57 58 71), 0096-0097, 0098 (11 12), "
     "0099 (11 12 13 14 15 16 53 54 55 56), 0100 (11 12 13), 0101 (11 12), 0102 (11 to 18), "
     "0103, 0104 (11 12), 0105 (11 12 13), 0106 (11 12 13), 0107-0118, 0119 (11 12), "
     "0120 (11 to 16), 0121 (11 12), 0122-0125, 0126 (11 12), 0127 (11 12 13 14), "
     "0128 (11 12 13 14 15 16 51 99), 0129 (11 to 24, then 51), 0130, 0131 (11 12), "
     "0132 (11 12 13), 0133-0135, 0136 (11 12 13), 0137-0138, 0139 (11 12), 0140-0166, "
     "0167 (14 71), 0168 (11 12), 0169 (11 12 13), 0170, 0171 (11 20 21), 0172 (11 12 13 14), "
     "0173, 0174 (11 12), 0178 (11 12 13 14), 0179 (12 13), 0180 (11 12), 0181 (11 to 19), "
     "0184-0185, 0186 (11 12 13), 0187 (11 12 13), 0188 (11 to 19), 0189, 0190 (11 to 16), "
     "0191, 0193 (11 12 13 14), 0194 (11 12), 0197 (11 to 17), 0198 (11 12), "
     "0200 (11 12 13 14), 0201 (11 12 13), 0202 (11 to 15), 0207 (16), 0208 (16), "
     "0209 (11 12 13 14), 0210 (11 12), 0211 (11 12 13), 0212-0214, 0215 (11 12 13 14), "
     "0216 (11 to 21), 0217 (11 12), 0218, 0219 (11 to 15), 0220, 0221 (11 12), 0222-0223, "
     "0224 (11 12), 0225 (11 12), 0226 (11 12), 0227 (11 12), 0228-0230, 0231 (11 12), "
     "0232 (11 12 13), 0233 (11 12), 0234 (11 12), 0235 (11 12), 0236 (11 12), 0237-0238, "
     "0239 (12), 0240-0241, 0242 (11 12 13), 0243 (11 12), 0244, 0245 (11 12), 0246 (11 12), "
     "0247-0252, 0253 (11 to 20), 0254 (11 12 13 14), 0255-0257, 0258 (15), 0262 (11 12 13), "
     "0263-0264, 0265 (11 12), 0266 (11 12 13 14), 0269-0271, 0272 (11 12 13), "
     "0273 (11 12 13), 0274 (11 12 13), 0275 (11 12 51 52 53), 0276-0279, 0280 (11 12), "
     "0281-0294, 0295 (11 12), 0296-0300, 0301 (11 12 13), 0302, 0303 (11 12), 0304-0310, "
     "0311 (11 12 13 14), 0312-0313, 0325-0331, 0336-0345, 0346 (11 12), 0347-0348, "
     "0349 (11 12 13), 0350-0351, 0352 (11 12 13), 0353 (11 to 17), 0354-0380"},
    {"Lang_All_0091",
     "0001"},
};

QStringList BuildKeys()
{
    QStringList keys;
    for (const TKeyGroup& g : kKeyGroups)
        keys += ExpandLangKeyList(QString::fromLatin1(g.prefix), QString::fromLatin1(g.items));
    return keys;
}

// Slot storage: one entry per key of the table (loaded and main-window keys).
QHash<QString, QString>& Slots()
{
    static QHash<QString, QString> table = [] {
        QHash<QString, QString> h;
        for (const QString& k : LangTextKeys())
            h.insert(k, QString());
        for (const QString& k : MainWindowLangKeys())
            h.insert(k, QString());
        return h;
    }();
    return table;
}

// Top-level comma split (commas inside parentheses stay with their item).
QStringList SplitTop(const QString& s)
{
    QStringList out;
    QString cur;
    int depth = 0;
    for (QChar ch : s) {
        if (ch == '(')
            ++depth;
        else if (ch == ')')
            --depth;
        if (ch == ',' && depth == 0) {
            out << cur.trimmed();
            cur.clear();
        } else {
            cur += ch;
        }
    }
    if (!cur.trimmed().isEmpty())
        out << cur.trimmed();
    return out;
}

} // namespace

namespace {

// Four ASCII digits as a number, or -1.
int FourDigits(QStringView v)
{
    if (v.size() != 4)
        return -1;
    int n = 0;
    for (QChar c : v) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

} // namespace

QStringList ExpandLangKeyList(const QString& prefix, const QString& compact)
{
    // prefix + item in four digits + "_" + variant in two digits (built by hand: this runs
    // for every key of the table at start).
    auto key = [&prefix](int item, int variant) {
        QString k;
        k.reserve(prefix.size() + 7);
        k += prefix;
        const QChar digits[] = {QChar(u'0' + item / 1000 % 10), QChar(u'0' + item / 100 % 10),
                                QChar(u'0' + item / 10 % 10),   QChar(u'0' + item % 10),
                                QLatin1Char('_'),               QChar(u'0' + variant / 10 % 10),
                                QChar(u'0' + variant % 10)};
        k.append(digits, 7);
        return k;
    };
    QStringList keys;
    for (const QString& entry : SplitTop(compact)) {
        const QStringView e(entry);
        const int item = FourDigits(e.left(4));
        if (item < 0)
            continue;
        QStringView rest = e.mid(4);
        if (rest.isEmpty()) {  // "0007"
            keys << key(item, 11);
            continue;
        }
        if (rest.front() == QLatin1Char('-')) {  // "0001-0005"
            const int last = FourDigits(rest.mid(1));
            if (last >= 0)
                for (int i = item; i <= last; ++i)
                    keys << key(i, 11);
            continue;
        }
        while (!rest.isEmpty() && rest.front().isSpace())
            rest = rest.mid(1);
        if (rest.size() < 2 || rest.front() != QLatin1Char('(') || rest.back() != QLatin1Char(')'))
            continue;
        // "0006 (11 12 13)", "0082 (11 to 27, every variant)", "0129 (11 to 24, then 51)"
        QString spec = rest.mid(1, rest.size() - 2).toString();
        spec.replace(',', ' ');
        const QStringList toks = spec.split(' ', Qt::SkipEmptyParts);
        QList<int> vs;
        for (int i = 0; i < toks.size(); ++i) {
            bool ok = false;
            const int v = toks[i].toInt(&ok);
            if (ok) {
                vs << v;
            } else if (toks[i] == QLatin1String("to") && !vs.isEmpty() && i + 1 < toks.size()) {
                const int last = toks[++i].toInt();
                for (int x = vs.last() + 1; x <= last; ++x)
                    vs << x;
            }  // other words ("then", "every variant") carry no numbers
        }
        for (int v : vs)
            keys << key(item, v);
    }
    return keys;
}

const QStringList& LangTextKeys()
{
    static const QStringList keys = BuildKeys();
    return keys;
}

const QStringList& MainWindowLangKeys()
{
    static const QStringList keys = [] {
        QStringList k;
        for (int i = 1; i <= 25; ++i)
            k << QStringLiteral("Lang0001%1").arg(i, 4, 10, QChar('0'));
        k << QStringLiteral("FormMain_Label_NoPaperLightLearnTip")
          << QStringLiteral("FormMain_Label_PaperLightLearnTip");
        return k;
    }();
    return keys;
}

void LoadLanguageStrings()
{
    // The main window names the file; before that the tool type decides.
    const QString file = !gLangFileName.isEmpty()          ? gLangFileName
                         : gCurToolType == QLatin1String("Mobile") ? QString(MOBILE_LANG_FILE)
                                                                    : QString(LABEL_LANG_FILE);
    const QString section = gLangId;
    // Every key of the section goes to the platform text store as well, so lower layers
    // and windows reading prt::LangText see the same language.
    PublishLanguageTexts(file, section);
    QHash<QString, QString>& table = Slots();
    // Without the plug-in's reader a slot reads the file as the store was just filled
    // from it: take the published text instead of reading the key again.
    const bool pluginReads = LangDllHasReader();
    for (const QString& k : LangTextKeys()) {
        QString text;
        if (pluginReads) {
            LangDllReadIni(file, section, k, text);
            prt::SetLangText(k, text);
        } else {
            text = prt::LangText(k);
        }
        table[k] = text;  // a missing key empties the slot
    }
}

QString LangStr(const QString& key)
{
    return Slots().value(key);
}

bool SetLangStr(const QString& key, const QString& text)
{
    if (!MainWindowLangKeys().contains(key))
        return false;
    Slots()[key] = text;
    prt::SetLangText(key, text);
    return true;
}

void ClearLangStrings()
{
    for (QString& v : Slots())
        v.clear();
}
