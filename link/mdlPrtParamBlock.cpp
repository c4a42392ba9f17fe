#include "mdlPrtParamBlock.h"

#include "PrinterCMD.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "PrtTick.h"
#include "PubBytes.h"
#include "mdlLinkSeams.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"

#include <QStringList>
#include <algorithm>
#include <vector>
#include <atomic>

namespace {

std::atomic<int32_t> g_lastResult{0};
std::atomic<int32_t> g_readCount{0};

QString Lang(const char* key)
{
    return prt::LangText(QLatin1String(key));
}

// Open through the TSPL path; 0 and 5 are success.
bool OpenTspl(int* codeOut)
{
    const int code = TsplOpenPort(GetCurrentPortString());
    g_lastResult.store(code);
    *codeOut = code;
    return code == 0 || code == prt::sdk::PRT_ALREADY_OPEN;
}

void ShowOpenFailureCodeFirst(int code)
{
    // The code comes first here; its words follow the text as everywhere else.
    prt::MessageBoxPrt(WithPortResultWords(QString::number(code) + QLatin1Char(':') + Lang("_Err_OpenPort"), code),
                       Lang("_MSG_Title_Error"), prt::MB_ICONERROR_);
}

int Write(const QByteArray& bytes)
{
    const int code = TsplWriteData(bytes);
    g_lastResult.store(code);
    return code;
}

// Printer text trimmed of blanks, CR, LF, NUL and surrounding double quotes.
QString TrimReply(const QString& reply)
{
    auto junk = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\r') || c == QLatin1Char('\n') ||
                                     c == QChar(0) || c == QLatin1Char('\t'); };
    QString s = reply;
    for (;;) {
        qsizetype a = 0, b = s.size();
        while (a < b && junk(s.at(a)))
            ++a;
        while (b > a && junk(s.at(b - 1)))
            --b;
        s = s.mid(a, b - a);
        if (s.size() >= 2 && s.front() == QLatin1Char('"') && s.back() == QLatin1Char('"'))
            s = s.mid(1, s.size() - 2);
        else
            return s;
    }
}

} // namespace

int32_t ParamBlockLastResult()
{
    return g_lastResult.load();
}

void SetParamBlockLastResult(int32_t code)
{
    g_lastResult.store(code);
}

int32_t ParamBlockReadCount()
{
    return g_readCount.load();
}

QByteArray ParamBlockReadRequest(int sdkKind)
{
    return sdkKind == 1 ? QByteArray("ZZZCR\n") : QByteArray("\x12\x62", 2);
}

QByteArray ParamBlockWriteHeader(int sdkKind)
{
    return sdkKind == 1 ? QByteArray("ZZZCW ") : QByteArray("\x12\x63", 2);
}

TParamBlock WithParamBlockSum(const TParamBlock& block)
{
    TParamBlock copy = block;
    const uint16_t sum = SumBytes16(copy.data(), 254);
    copy[254] = static_cast<uint8_t>(sum & 0xFF);
    copy[255] = static_cast<uint8_t>(sum >> 8);
    return copy;
}

void ReadParamBlock(TParamBlock& block, QString& result)
{
    result = QStringLiteral("OK");
    int code = 0;
    if (!OpenTspl(&code)) {
        result = OpenPortFailureMessage(code);
        return;
    }
    TsplDiscardInput();
    if (Write(ParamBlockReadRequest(GetPrinterSdkKind())) != 0) {
        result = Lang("_Err_WriteData");
        TsplClosePort();
        return;
    }
    prt::SleepMs(200);
    TParamBlock buf{};
    uint32_t count = 0;
    g_lastResult.store(TsplReadDataRetry(buf.data(), 256, &count, 100, 2));
    count = std::min<uint32_t>(count, 256);
    prt::SleepMs(50);
    if (buf[254] == 0 && buf[255] == 0 && count != 256) {
        uint32_t more = 0;
        g_lastResult.store(TsplReadDataRetry(buf.data() + count, 256 - count, &more, 100, 2));
        count += std::min<uint32_t>(more, 256 - count);
    }
    g_readCount.store(static_cast<int32_t>(count));
    if (buf[0] != PARAM_BLOCK_MARKER) {
        result = Lang("_Err_ReadData");
        TsplClosePort();
        return;
    }
    const uint16_t sum = SumBytes16(buf.data(), 254);
    if (buf[254] != (sum & 0xFF) || buf[255] != (sum >> 8)) {
        result = Lang("_Err_CheckSum");
        TsplClosePort();
        return;
    }
    block = buf;
    TsplClosePort();
}

bool WriteParamBlock(const TParamBlock& block)
{
    int code = 0;
    if (!OpenTspl(&code)) {
        ShowOpenFailureCodeFirst(code);
        return false;
    }
    const TParamBlock copy = WithParamBlockSum(block);
    if (Write(ParamBlockWriteHeader(GetPrinterSdkKind())) != 0) {
        TsplClosePort();
        return false;
    }
    prt::SleepMs(20);
    bool ok = Write(QByteArray(reinterpret_cast<const char*>(copy.data()), 256)) == 0;
    TsplClosePort();
    return ok;
}

TParamBlockCheck ConfirmParamBlock(const TParamBlock& written, QString& readResult)
{
    TParamBlock back{};
    ReadParamBlock(back, readResult);
    if (readResult != QLatin1String("OK"))
        return TParamBlockCheck::ReadFailed;
    return back == WithParamBlockSum(written) ? TParamBlockCheck::Confirmed : TParamBlockCheck::Differs;
}

int32_t DetectPrinterProtocol()
{
    const QString model = LinkCurrentModelName();
    const QString wrapped = QLatin1Char(',') + model + QLatin1Char(',');
    if (!LinkProbeModelList(QStringLiteral("HaveTwoProtocol")).contains(wrapped))
        return LinkProtocolNoByModel(model);
    if (LinkProbeModelList(QStringLiteral("GDS")).contains(wrapped)) {
        const QString reply = TrimReply(CmdGetVal(KEY_ppl)).toUpper();
        if (reply == QLatin1String("TSC"))
            return 1;
        if (reply == QLatin1String("ZPL"))
            return 4;
        if (reply == QLatin1String("EPL"))
            return 5;
        return 4;
    }
    g_readCount.store(0);
    TsplDiscardInput();
    Write(QByteArray("\x1B\x1B\x08", 3));
    prt::SleepMs(100);
    uint8_t b = 0;
    uint32_t count = 0;
    const int code = TsplReadData(&b, 1, &count);
    g_lastResult.store(code);
    g_readCount.store(static_cast<int32_t>(std::min<uint32_t>(count, 1)));
    if (code == 0 && count > 0)
        return b;
    return 0;
}

bool CheckFirmwareVersion(const QString& version)
{
    int code = 0;
    if (!OpenTspl(&code)) {
        ShowOpenFailureCodeFirst(code);
        return false;
    }
    const QStringList parts = version.split(QLatin1Char('.'));
    const int compared = std::min<int>(static_cast<int>(parts.size()), 3);
    // Every part must be a decimal number: "x.y.z" is no version at all and must not pass
    // as 0.0.0.
    std::vector<int> wanted;
    bool numeric = true;
    for (const QString& part : parts) {
        const QString t = part.trimmed();
        bool ok = !t.isEmpty();
        for (const QChar c : t)
            ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const int v = ok ? t.toInt(&ok) : 0;
        numeric = numeric && ok;
        wanted.push_back(v);
    }
    TsplDiscardInput();
    Write(QByteArray("ZZZGETVERSION\r\n"));
    prt::SleepMs(100);
    uint8_t reply[3] = {};
    uint32_t count = 0;
    const int rc = TsplReadData(reply, 3, &count);
    g_lastResult.store(rc);
    count = std::min<uint32_t>(count, 3);
    bool result = false;
    if (numeric && compared > 0 && count >= uint32_t(compared)) {
        result = true;  // equal versions
        for (int i = 0; i < compared; ++i) {
            const int want = wanted[size_t(i)];
            if (reply[i] != want) {
                result = reply[i] > want;
                break;
            }
        }
    }
    TsplClosePort();
    return result;
}
