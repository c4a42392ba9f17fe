// Key-frame replies (text, number and byte rows) through a stand-in engine: whatever the
// printer answers to a getkey, in whatever pieces, each row's reader hands over no more
// than it received and asked for, the value shown is no bigger than the reply, a row left
// as read writes back exactly the bytes read (cut or zero-padded to its width), and a
// number or list row whose value is shown exactly writes the same bytes when re-encoded.
//
// Input: a stream of steps, each a row selector byte (row index, bit 7 the W16P
// alternative reader and writer) followed by the printer's answer as one piece whose length
// is the next byte.
#include "CMD_Key.h"
#include "FuzzSupport.h"
#include "PrinterCMD.h"
#include "PrtMsgBox.h"
#include "PrtTick.h"
#include "mdlKeyFrameTable.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterLibApi.h"

#include <algorithm>
#include <cstring>

using prt::sdk::Handle;
using prt::sdk::Lib;

namespace {

QByteArray g_input;
qsizetype g_pos = 0;
QByteArray g_lastRead;   // what the engine handed out in the last read
QByteArray g_lastWrite;  // the last frame written

uint32_t Take(uint8_t* buffer, uint32_t length)
{
    g_lastRead.clear();
    if (g_pos >= g_input.size() || length == 0)
        return 0;
    const qsizetype piece = uint8_t(g_input[g_pos++]);
    const qsizetype n = std::min<qsizetype>({piece, g_input.size() - g_pos, qsizetype(length)});
    std::memcpy(buffer, g_input.constData() + g_pos, size_t(n));
    g_lastRead = g_input.mid(g_pos, n);
    g_pos += piece;  // the rest of a piece longer than the read is not this step's
    return uint32_t(n);
}

int Creator(Lib, Handle* h, const char16_t*) { *h = 7; return 0; }
int Destroy(Lib, Handle* h) { *h = 0; return 0; }
int Open(Lib, Handle, const char16_t*) { return 0; }
int Close(Lib, Handle) { return 0; }
int Write(Lib, Handle, const uint8_t* data, uint32_t length)
{
    g_lastWrite = QByteArray(reinterpret_cast<const char*>(data), qsizetype(length));
    return 0;
}
int Read(Lib, Handle, uint8_t* b, uint32_t n, uint32_t* count)
{
    *count = Take(b, n);
    return 0;
}
int ReadEof(Lib, Handle, uint8_t* b, uint32_t, uint32_t max, uint8_t, uint8_t, uint32_t* count)
{
    *count = Take(b, max);
    return 0;
}
int VidPid(char* b) { std::memset(b, 0, 64); return 0; }
int SN(Handle, char* b) { b[0] = 0; return 0; }
const PrtSdkApi kApi = {&Creator, &Destroy, &Open, &Close, &Write, &Read, &ReadEof, &VidPid, &SN, nullptr, nullptr};

// A value list with one text per value, so that a value shown is the only one with its text.
const QStringList& List()
{
    static const QStringList list = [] {
        QStringList l;
        for (int v : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 15, 50, 100, 200, 255, 256, 1000, 32767})
            l << QStringLiteral("%1=L%1").arg(v);
        return l;
    }();
    return list;
}

QStringList Items(int n)
{
    QStringList items;
    for (int i = 0; i < n; ++i)
        items << QString::number(i);
    return items;
}

// Mappings under which a value shown names exactly one value to write back.
bool Exact(const TKeyFrameRow& row, bool alt)
{
    switch (row.Map) {
    case TKfMap::ValueList:
    case TKfMap::Index:
    case TKfMap::ByText:
    case TKfMap::Permute021:
    case TKfMap::Octets:
    case TKfMap::Number:
    case TKfMap::SignedList:
        return true;
    case TKfMap::StopW16P:
        return !alt;  // the wide range is the signed word itself
    default:
        return false;
    }
}

void Step(const TKeyFrameRow& row, bool alt)
{
    QByteArray reply;
    const bool ok = KfReadRow(row, 1, reply, alt);
    const QByteArray got = g_lastRead;
    if (!ok)
        return;
    FUZZ_CHECK(!reply.isEmpty());
    FUZZ_CHECK(reply.size() <= got.size());
    if ((alt ? row.AltRead : row.Read) == TKfRead::String) {
        QByteArray nonZero;
        for (char c : got)
            if (c != 0)
                nonZero.append(c);
        FUZZ_CHECK(reply == nonZero);
    } else {
        FUZZ_CHECK(reply.size() <= row.ReadLen);
        FUZZ_CHECK(reply == got.left(reply.size()));
    }

    TKfContext ctx;
    ctx.List = &List();
    ctx.Alt = alt;
    ctx.Items = row.Map == TKfMap::ValueList || row.Map == TKfMap::SignedList ? QStringList() : Items(16);
    if (row.Map == TKfMap::ValueList || row.Map == TKfMap::SignedList)
        for (const QString& line : List())
            ctx.Items << line.mid(line.indexOf('=') + 1);
    TKfShown shown;
    const bool decoded = KfDecode(row, reply, ctx, shown);
    if (decoded) {
        if (row.Map == TKfMap::Text || row.Map == TKfMap::Utf8Text)
            FUZZ_CHECK(shown.Text.size() <= reply.size());
        FUZZ_CHECK(shown.Parts.size() <= reply.size());
        FUZZ_CHECK(shown.Index < qsizetype(ctx.Items.size()));
    }

    // Left as read: the bytes read go back, cut or padded to the width written.
    const int width = KfWriteWidth(row, alt);
    TKfWire asRead;
    asRead.AsRead = true;
    asRead.Bytes = reply;
    g_lastWrite.clear();
    const int32_t w = KfWriteRow(row, 1, asRead, alt);
    if (width == 0) {
        FUZZ_CHECK(w == -1);
        FUZZ_CHECK(g_lastWrite.isEmpty());
        return;
    }
    FUZZ_CHECK(w == 0);
    FUZZ_CHECK(g_lastWrite.size() == 19 + width);
    FUZZ_CHECK(g_lastWrite.startsWith(QByteArray(CMD_PREFIX) + "setkey\r\n"));
    FUZZ_CHECK(uint8_t(g_lastWrite[18]) == width);
    const QByteArray value = g_lastWrite.mid(19);
    FUZZ_CHECK(value == KfAsReadValue(row, reply, alt));
    FUZZ_CHECK(value.left(std::min<qsizetype>(width, reply.size())) == reply.left(width));
    for (qsizetype i = reply.size(); i < width; ++i)
        FUZZ_CHECK(value[i] == 0);

    // Re-encoding a value shown exactly gives the same bytes.
    TKfWire wire;
    if (decoded && Exact(row, alt) && KfEncode(row, shown, ctx, wire)) {
        g_lastWrite.clear();
        FUZZ_CHECK(KfWriteRow(row, 1, wire, alt) == 0);
        FUZZ_CHECK(g_lastWrite.mid(19) == KfAsReadValue(row, reply, alt));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool once = [] {
        for (Lib lib : {Lib::Tspl, Lib::Cpcl, Lib::Esc})
            SetPrtSdkApi(lib, &kApi);
        prt::SetSleepHook([](uint32_t) {});
        prt::SetMessageBoxHandler([](const prt::MsgBoxCall&) { return int(prt::IDOK_); });
        SetPrinterSdkKind(1);
        SetCurrentPortString(QStringLiteral("NET,127.0.0.1"));
        NotePrinterObjectModel(QStringLiteral("M"));
        return true;
    }();
    (void)once;
    g_input = fuzz::Bytes(data, size);
    g_pos = 0;
    const auto& rows = KeyFrameRows();
    while (g_pos < g_input.size()) {
        const uint8_t sel = uint8_t(g_input[g_pos++]);
        const TKeyFrameRow& row = rows[sel % 128 % rows.size()];
        Step(row, (sel & 0x80) != 0 && row.Map == TKfMap::StopW16P);
    }
    CmdClosePort();
    return 0;
}
