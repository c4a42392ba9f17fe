#include "PrinterCMD.h"

#include "PrtCodePage.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "PrtTick.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"

#include <algorithm>
#include <atomic>

namespace {

std::atomic<int32_t> g_lastResult{0};
std::atomic<int32_t> g_readCount{0};
std::atomic<int32_t> g_openedFlag{0};

QByteArray Prefix()
{
    return QByteArray(CMD_PREFIX);
}

QByteArray ValueBytes(const QString& value, bool lower)
{
    return prt::TextToAnsiBytes(lower ? value.toLower() : value);
}

int WriteCmd(const QByteArray& bytes)
{
    const int code = PrtWriteData(bytes);
    g_lastResult.store(code);
    return code;
}

// One read of up to `size` bytes through the dispatcher; the received bytes.
QByteArray ReadOnce(uint32_t size, int* codeOut = nullptr)
{
    QByteArray buf(static_cast<qsizetype>(size), '\0');
    uint32_t count = 0;
    const int code = PrtReadData(reinterpret_cast<uint8_t*>(buf.data()), size, &count);
    g_lastResult.store(code);
    if (codeOut)
        *codeOut = code;
    buf.truncate(std::min<uint32_t>(count, size));
    return buf;
}

void Refused()
{
    g_lastResult.store(-1);
}

void ShowOpenFailure(int code)
{
    prt::MessageBoxPrt(OpenPortFailureMessage(code), prt::LangText(QStringLiteral("_MSG_Title_Error")),
                       prt::MB_ICONERROR_);
}

} // namespace

const std::vector<QByteArray>& PrinterCmdKeyTable()
{
    static const std::vector<QByteArray> table = {
#define PRT_CMD_KEY(name, text) QByteArray(KEY_##name),
#include "PrinterCMDKeys.inc"
#undef PRT_CMD_KEY
    };
    return table;
}

int32_t CmdLastResult()
{
    return g_lastResult.load();
}

void SetCmdLastResult(int32_t code)
{
    g_lastResult.store(code);
}

int32_t CmdReadCount()
{
    return g_readCount.load();
}

int32_t GetCmdOpenedFlag()
{
    return g_openedFlag.load();
}

void SetCmdOpenedFlag(int32_t flag)
{
    g_openedFlag.store(flag);
}

// ---- checks and builders --------------------------------------------------------------

bool IsSafeCmdKey(const QByteArray& key)
{
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char c = key.at(i);
        if (c == '\r' || c == '\n' || c == '\0')
            return false;
        if (c == '"' && i != 0 && i != key.size() - 1)
            return false;
    }
    return true;
}

bool IsSafeCmdValue(const QByteArray& value)
{
    for (char c : value)
        if (c == '"' || c == '\r' || c == '\n' || c == '\0')
            return false;
    return true;
}

QByteArray BuildGetValCommand(const QByteArray& key)
{
    if (key.isEmpty() || !IsSafeCmdKey(key))
        return QByteArray();
    return Prefix() + CMD_VERB_GETVAL + key + CMD_CRLF;
}

QByteArray BuildSetValCommandEx(const QByteArray& key, const QString& value, bool lower)
{
    const QByteArray v = ValueBytes(value, lower);
    if (!IsSafeCmdKey(key) || !IsSafeCmdValue(v))
        return QByteArray();
    return Prefix() + CMD_VERB_SETVAL + key + " \"" + v + "\"" + CMD_CRLF;
}

QByteArray BuildSetValCommand(const QByteArray& key, const QString& value)
{
    return BuildSetValCommandEx(key, value, false);
}

QByteArray BuildDoCommand(const QByteArray& key)
{
    if (!IsSafeCmdKey(key))
        return QByteArray();
    return Prefix() + CMD_VERB_DO + key + CMD_CRLF;
}

QByteArray BuildDoKeyValueCommand(const QByteArray& key, const QString& value)
{
    const QByteArray v = ValueBytes(value, false);
    if (!IsSafeCmdKey(key) || !IsSafeCmdValue(v))
        return QByteArray();
    return Prefix() + CMD_VERB_DO + key + " \"" + v + "\"" + CMD_CRLF;
}

QByteArray BuildDoTwoArgsValueCommand(const QByteArray& key, const QByteArray& argument, const QString& value)
{
    const QByteArray v = ValueBytes(value, false);
    if (!IsSafeCmdKey(key) || !IsSafeCmdKey(argument) || !IsSafeCmdValue(v))
        return QByteArray();
    return Prefix() + CMD_VERB_DO + key + " " + argument + " \"" + v + "\"" + CMD_CRLF;
}

QString BytesToTextFrom(int offset, const QByteArray& bytes, int count)
{
    QString text;
    const qsizetype from = std::max(0, offset);
    const qsizetype to = std::min<qsizetype>(bytes.size(), qsizetype(offset) + std::max(0, count));
    for (qsizetype i = from; i < to; ++i) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        if (b != 0)
            text += QChar(b);
    }
    return text;
}

QByteArray TsplClsCommand()
{
    return QByteArray("CLS\r\n");
}

QByteArray TsplPrintCommand()
{
    return QByteArray("PRINT\r\n");
}

// ---- port handling ------------------------------------------------------------------

bool CmdOpenPort()
{
    const int code = PrtOpenPort(GetCurrentPortString());
    g_lastResult.store(code);
    if (code == 0 || code == prt::sdk::PRT_ALREADY_OPEN)
        return true;
    ShowOpenFailure(code);
    return false;
}

void CmdClosePort()
{
    PrtClosePort();
    PrtDestroyPrinter();
    g_openedFlag.store(0);  // the guarded pair must not think the port is still open
}

bool CmdOpenPortOnce()
{
    if (g_openedFlag.load() != 0)
        return true;
    const int code = PrtOpenPort(GetCurrentPortString());
    g_lastResult.store(code);
    if (code != 0) {
        ShowOpenFailure(code);
        return false;  // the flag stays clear: a later guarded open tries again
    }
    g_openedFlag.store(-1);
    return true;
}

void CmdClosePortIfOpen()
{
    if (g_openedFlag.load() == 0)
        return;
    PrtClosePort();
    g_openedFlag.store(0);
}

// ---- commands ---------------------------------------------------------------------

namespace {

// Opens, writes the built command (and optional data), optionally closes. Boolean rule.
bool DoBool(const QByteArray& cmd, bool close, const QByteArray* data = nullptr)
{
    if (cmd.isEmpty()) {
        Refused();
        return true;
    }
    if (!CmdOpenPort())
        return false;
    bool failed = WriteCmd(cmd) != 0;
    if (data)
        failed = (WriteCmd(*data) != 0) || failed;
    if (close)
        CmdClosePort();
    return failed;
}

} // namespace

bool CmdDo(const QByteArray& key)
{
    return DoBool(BuildDoCommand(key), true);
}

bool CmdDoWithData(const QByteArray& key, const QByteArray& data)
{
    return DoBool(BuildDoCommand(key), true, &data);
}

bool CmdDoLeaveOpen(const QByteArray& key)
{
    return DoBool(BuildDoCommand(key), false);
}

bool CmdDoLeaveOpen2(const QByteArray& key)
{
    return DoBool(BuildDoCommand(key), false);
}

bool CmdDoKeyValue(const QByteArray& key, const QString& value)
{
    return DoBool(BuildDoKeyValueCommand(key, value), false);
}

bool CmdDoTwoArgsValue(const QByteArray& key, const QByteArray& argument, const QString& value)
{
    return DoBool(BuildDoTwoArgsValueCommand(key, argument, value), false);
}

int32_t CmdDoEx(const QByteArray& key, bool openAndClose)
{
    const QByteArray cmd = BuildDoCommand(key);
    if (cmd.isEmpty()) {
        Refused();
        return -1;
    }
    if (openAndClose && !CmdOpenPort())
        return -1;
    const int code = WriteCmd(cmd);
    if (openAndClose)
        CmdClosePort();
    return code == 0 ? 0 : -1;
}

namespace {

// Writes the do command on the caller's port, waits 100 ms, reads once up to 128 bytes.
// Returns false when the key was refused.
bool DoRead(const QByteArray& key, QByteArray& reply)
{
    g_readCount.store(0);
    const QByteArray cmd = BuildDoCommand(key);
    if (cmd.isEmpty()) {
        Refused();
        return false;
    }
    PrtDiscardInput();
    WriteCmd(cmd);
    prt::SleepMs(100);
    reply = ReadOnce(128);
    g_readCount.store(static_cast<int32_t>(reply.size()));
    return true;
}

} // namespace

int32_t CmdDoReadInt(const QByteArray& key)
{
    QByteArray reply;
    if (!DoRead(key, reply) || reply.isEmpty())
        return -1;
    uint32_t v = 0;
    for (int i = 0; i < 4 && i < reply.size(); ++i)
        v |= uint32_t(static_cast<unsigned char>(reply.at(i))) << (8 * i);
    return static_cast<int32_t>(v);
}

QString CmdDoReadText(const QByteArray& key)
{
    QByteArray reply;
    if (!DoRead(key, reply))
        return QString();
    return BytesToTextFrom(0, reply, static_cast<int>(reply.size()));
}

namespace {
int32_t SetValWith(const QByteArray& cmd)
{
    if (cmd.isEmpty()) {
        Refused();
        return -1;
    }
    return WriteCmd(cmd) == 0 ? 0 : -1;
}
} // namespace

int32_t CmdSetVal(const QByteArray& key, const QString& value)
{
    return SetValWith(BuildSetValCommand(key, value));
}

int32_t CmdSetValLower(const QByteArray& key, const QString& value)
{
    return SetValWith(BuildSetValCommandEx(key, value, true));
}

int32_t CmdSetValEx(const QByteArray& key, const QString& value)
{
    return SetValWith(BuildSetValCommandEx(key, value, false));
}

// Sends getval for the key; an empty key sends nothing (the caller reads a reply the
// printer sends anyway). False when the key was refused as unsafe.
static bool SendGetValUnlessEmpty(const QByteArray& key)
{
    if (key.isEmpty())
        return true;  // the caller reads what the printer sends anyway: nothing is dropped
    const QByteArray cmd = BuildGetValCommand(key);
    if (cmd.isEmpty()) {
        Refused();
        return false;
    }
    PrtDiscardInput();
    WriteCmd(cmd);
    return true;
}

QString CmdGetVal(const QByteArray& key)
{
    if (!SendGetValUnlessEmpty(key))
        return QString();
    prt::SleepMs(100);
    const QByteArray reply = ReadOnce(512);
    return BytesToTextFrom(0, reply, static_cast<int>(reply.size()));
}

void CmdGetVal(const QByteArray& key, QString& reply)
{
    reply = CmdGetVal(key);
}

QString CmdGetValEOF(const QByteArray& key, uint32_t waitMs)
{
    if (!SendGetValUnlessEmpty(key))
        return QString();
    prt::SleepMs(waitMs);
    QByteArray buf(512, '\0');
    uint32_t count = 0;
    const int code = PrtReadDataEOF(reinterpret_cast<uint8_t*>(buf.data()), 0, 512, 0, 0, &count);
    g_lastResult.store(code);
    if (code != 0)
        return QString();
    return BytesToTextFrom(0, buf, static_cast<int>(std::min<uint32_t>(count, 512)));
}

int32_t CmdGetValBytes(const QByteArray& key, QByteArray& buffer, uint32_t n)
{
    const QByteArray cmd = BuildGetValCommand(key);
    if (cmd.isEmpty()) {
        Refused();
        return -1;
    }
    if (!CmdOpenPort())
        return 0;
    PrtDiscardInput();
    WriteCmd(cmd);
    prt::SleepMs(50);
    if (buffer.size() < qsizetype(n))
        buffer.resize(n, '\0');
    uint32_t count = 0;
    const int code = PrtReadData(reinterpret_cast<uint8_t*>(buffer.data()), n, &count);
    g_lastResult.store(code);
    CmdClosePort();
    count = std::min(count, n);
    if (count > 0)
        return static_cast<int32_t>(count);
    return code != 0 ? -1 : 0;
}

QString CmdSendTextRead(const QString& text, uint32_t waitMs)
{
    if (!text.isEmpty()) {
        PrtDiscardInput();
        WriteCmd(prt::TextToAnsiBytes(text) + CMD_CRLF);
    }
    prt::SleepMs(waitMs);
    const QByteArray reply = ReadOnce(512);
    return BytesToTextFrom(0, reply, static_cast<int>(reply.size()));
}

QString CmdSendTextRead100(const QString& text)
{
    return CmdSendTextRead(text, 100);
}

uint32_t CmdDrainToLog()
{
    const uint32_t start = prt::GetTickCountMs();
    uint32_t dropped = 0;
    while (dropped < kDrainMaxBytes && TickDiff(start, prt::GetTickCountMs()) <= kDrainMaxMs) {
        uint8_t b = 0;
        uint32_t count = 0;
        const int code = PrtReadData(&b, 1, &count);
        g_lastResult.store(code);
        if (code != 0 || count < 1)
            break;
        ++dropped;
    }
    return dropped;
}

int CmdReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2, uint32_t* count)
{
    return PrtReadDataEOF(buffer, value, maxLength, b1, b2, count);
}

void CmdNop()
{
}
