#include "mdlParaSetKeyRules.h"

#include "PubBytes.h"
#include "mdlKeyFrameTable.h"
#include "mdlModelCatalog.h"
#include "mdlParaSetCodecs.h"

using paraset::NumberItems;

namespace {

const TV52RoleLists*& TestLists()
{
    static const TV52RoleLists* lists = nullptr;
    return lists;
}

bool In(const QString& name, const QString& list)
{
    return IsInCommaList(name, list);
}

} // namespace

const TV52RoleLists& CurrentV52RoleLists()
{
    if (TestLists())
        return *TestLists();
    static const TV52RoleLists data = V52RoleListData();
    return data;
}

void SetV52RoleListsForTest(const TV52RoleLists* lists)
{
    TestLists() = lists;
}

TV52Layout V52LayoutFor(const TV52RoleLists& l, const TV52Inputs& in)
{
    TV52Layout o;
    const QString& cur = in.Cur;
    const QString& listed = in.Listed;
    if (In(listed, l.Density0To3))
        o.DensityItems = NumberItems(0, 3);
    else if (In(listed, l.Density1To4))
        o.DensityItems = NumberItems(1, 4);
    else
        o.DensityItems = NumberItems(0, 15);  // the 16-item list and the designed one agree
    if (In(listed, l.Speed2To6))
        o.SpeedItems = NumberItems(2, 6);
    else if (In(listed, l.Speed2To5))
        o.SpeedItems = NumberItems(2, 5);
    else if (In(listed, l.NoSpeed))
        o.SpeedItems = NumberItems(2, 4);
    else
        o.SpeedItems = NumberItems(4, 7);
    o.DetectTwoItems = In(cur, l.DetectTwoItems);
    o.Drain = !In(listed, l.NoDrain);
    o.SpeedRow = !In(listed, l.NoSpeed);
    const bool noRelease = In(listed, l.NoRelease);
    o.ReleaseRows = !noRelease;
    o.CodePageRow = !noRelease;
    o.ProtocolRow = In(listed, l.Protocol);
    o.LanguageRow = In(listed, l.Language);
    o.RepeatPrintRow = In(listed, l.RepeatPrint);
    o.BoxPositionRow = In(listed, l.BoxPosition);
    o.FineTuneRow = In(listed, l.FineTune);
    o.Ethernet = In(listed, l.Ethernet);
    o.Wifi = In(listed, l.Wifi);
    o.Scan = In(cur, l.Scan);
    o.ApAddress = In(listed, l.ApAddress);
    const bool release = In(cur, l.Release);
    o.Bluetooth = In(cur, in.WithBtList) || release || In(cur, l.Bluetooth3) || In(listed, l.Bluetooth2);
    o.BluetoothPage = o.Bluetooth || In(cur, l.Bluetooth3) || release;
    o.CodePage = !noRelease && !In(cur, l.NoCodePage) && (release || in.PermissionCodePage == 1);
    o.ReleaseRead = !noRelease && (in.ReleaseSupported || release);
    return o;
}

TV52SpeedRange V52SpeedRangeByLists(const TV52RoleLists& l, const QString& cur, const QString& listed,
                                    const QString& v64cList, int permissionAsk)
{
    TV52SpeedRange r;
    if (In(cur, v64cList))
        r.Min = 2;
    if (In(cur, l.MinSpeed2))
        r.Min = 2;
    if (In(cur, l.MinSpeed3))
        r.Min = 3;
    if (In(listed, l.MinSpeed2))
        r.Min = 2;
    bool matched = false;
    if (In(cur, l.MaxSpeed6) || In(listed, l.MaxSpeed6)) {
        r.Max = 6;
        matched = true;
    }
    if (In(listed, l.MaxSpeed5)) {
        r.Max = 5;
        matched = true;
    }
    if (In(listed, l.MaxSpeed4)) {
        r.Max = 4;
        matched = true;
    }
    if (matched) {
        r.MaxSettled = true;
    } else if (In(cur, v64cList)) {
        r.Max = 5;
        r.MaxSettled = true;
    } else if (permissionAsk == 1) {
        r.AskPrinter = true;
    }
    return r;
}

bool V52ApplyPrinterSpeeds(TV52SpeedRange& range, const QString& minReply, const QString& maxReply)
{
    int lo = 0, hi = 0;
    if (!KfParseInt(minReply, lo) || !KfParseInt(maxReply, hi) || lo > hi)
        return false;
    range.Min = lo;
    range.Max = hi;
    range.MaxSettled = true;
    return true;
}

QStringList V52ParseScanReply(const QByteArray& buffer, bool* ok)
{
    // The buffer is zero-filled after the reply: only the bytes before the first zero count.
    const qsizetype end = buffer.indexOf('\0');
    const QByteArray bytes = end < 0 ? buffer : buffer.left(end);
    if (ok)
        *ok = bytes.size() > 5;
    QStringList names;
    if (bytes.size() <= 5)
        return names;
    const QString text = QString::fromUtf8(bytes);
    static const QString kSsid = QStringLiteral("[SSID]:");
    static const QString kAuth = QStringLiteral(" [AUTH]:");
    static const QString kRssi = QStringLiteral(" [RSSI]:");
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const qsizetype s = line.indexOf(kSsid);
        if (s < 0)
            continue;
        const qsizetype a = line.indexOf(kAuth, s + kSsid.size());
        if (a < 0)
            continue;
        const QString name = line.mid(s + kSsid.size(), a - s - kSsid.size());
        const qsizetype r = line.indexOf(kRssi, a + kAuth.size());
        QString security = r < 0 ? line.mid(a + kAuth.size()) : line.mid(a + kAuth.size(), r - a - kAuth.size());
        security = security.trimmed();
        if (name.isEmpty() || security.isEmpty())
            continue;
        names << name;
    }
    return names;
}

bool W16PIsWideRange(const QString& cur)
{
    return In(cur, W16PModels) || In(cur, W16PCModels);
}

bool W16PIsCutterModel(const QString& cur)
{
    return In(cur, QString::fromLatin1(W16P_CUTTER_LIST));
}
