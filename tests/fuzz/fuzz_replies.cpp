// Printer replies through a stand-in engine: whatever the printer answers, in whatever
// pieces, each reader returns exactly what its own read received, and the parameter block
// is accepted only with its marker and checksum.
#include "CMD_Key.h"
#include "FuzzSupport.h"
#include "PrinterCMD.h"
#include "PrtMsgBox.h"
#include "PrtTick.h"
#include "PubBytes.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterLibApi.h"
#include "mdlPrtParamBlock.h"

#include <algorithm>
#include <cstring>

using prt::sdk::Handle;
using prt::sdk::Lib;

namespace {

// The input is the printer's answer: each read takes a piece whose length is the next byte.
QByteArray g_input;
qsizetype g_pos = 0;
QByteArray g_lastRead;

uint32_t Take(uint8_t* buffer, uint32_t length)
{
    if (g_pos >= g_input.size() || length == 0)
        return 0;
    const qsizetype piece = uint8_t(g_input[g_pos++]);
    const qsizetype n = std::min<qsizetype>({piece, g_input.size() - g_pos, qsizetype(length)});
    std::memcpy(buffer, g_input.constData() + g_pos, size_t(n));
    g_lastRead = g_input.mid(g_pos, n);
    g_pos += n;
    return uint32_t(n);
}

int Creator(Lib, Handle* h, const char16_t*) { *h = 7; return 0; }
int Destroy(Lib, Handle* h) { *h = 0; return 0; }
int Open(Lib, Handle, const char16_t*) { return 0; }
int Close(Lib, Handle) { return 0; }
int Write(Lib, Handle, const uint8_t*, uint32_t) { return 0; }
int Read(Lib, Handle, uint8_t* b, uint32_t n, uint32_t* count)
{
    g_lastRead.clear();
    *count = Take(b, n);
    return 0;
}
int ReadEof(Lib, Handle, uint8_t* b, uint32_t, uint32_t max, uint8_t, uint8_t, uint32_t* count)
{
    g_lastRead.clear();
    *count = Take(b, max);
    return 0;
}
int VidPid(char* b) { std::memset(b, 0, 64); return 0; }
int SN(Handle, char* b) { b[0] = 0; return 0; }
const PrtSdkApi kApi = {&Creator, &Destroy, &Open, &Close, &Write, &Read, &ReadEof, &VidPid, &SN, nullptr, nullptr};

QString NonZeroText(const QByteArray& b)
{
    QString t;
    for (char c : b)
        if (c != 0)
            t += QChar(char16_t(uint8_t(c)));
    return t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool once = [] {
        for (Lib lib : {Lib::Tspl, Lib::Cpcl, Lib::Esc})
            SetPrtSdkApi(lib, &kApi);
        prt::SetSleepHook([](uint32_t) {});
        prt::SetMessageBoxHandler([](const prt::MsgBoxCall&) { return int(prt::IDOK_); });
        return true;
    }();
    (void)once;
    g_input = fuzz::Bytes(data, size);
    g_pos = 0;
    SetPrinterSdkKind(size > 0 ? int(data[0] % 6) : 1);
    SetCurrentPortString(QStringLiteral("NET,127.0.0.1"));
    TsplCreateGlobalPrinter(QStringLiteral("M"));
    PrtCreatePrinter(QStringLiteral("M"));
    PrtOpenPort(QStringLiteral("NET,127.0.0.1"));

    // (each reply is taken before the comparison reads what the engine handed out)
    const QString value = CmdGetVal(KEY_ppl);
    FUZZ_CHECK(value == NonZeroText(g_lastRead));
    const int32_t n = CmdDoReadInt(KEY_print_test_page);
    if (g_lastRead.isEmpty()) {
        FUZZ_CHECK(n == -1);
    } else {
        uint32_t v = 0;
        for (int i = 0; i < 4 && i < g_lastRead.size(); ++i)
            v |= uint32_t(uint8_t(g_lastRead[i])) << (8 * i);
        FUZZ_CHECK(n == int32_t(v));
    }
    const QString toEnd = CmdGetValEOF(KEY_dpi, 0);
    FUZZ_CHECK(toEnd == NonZeroText(g_lastRead));
    const QString version = CmdSendTextRead100(QStringLiteral("ZZZGETVERSION"));
    FUZZ_CHECK(version == NonZeroText(g_lastRead));
    QString text;
    CmdKeyGetKeyString(1, 0x68, 16, text);

    TParamBlock block{};
    block.fill(0xEE);
    QString result;
    ReadParamBlock(block, result);
    if (result == QLatin1String("OK")) {
        FUZZ_CHECK(block[0] == PARAM_BLOCK_MARKER);
        const uint16_t sum = SumBytes16(block.data(), 254);
        FUZZ_CHECK(block[254] == (sum & 0xFF) && block[255] == (sum >> 8));
    } else {
        FUZZ_CHECK(block[0] == 0xEE);  // a refused block leaves the caller's untouched
    }
    (void)CheckFirmwareVersion(QStringLiteral("1.03.0"));
    (void)DetectPrinterProtocol();
    TsplDestroyGlobalPrinter();
    PrtDestroyPrinter();
    return 0;
}
