#include "CMD_Key.h"

#include "PrinterCMD.h"
#include "PrtCodePage.h"
#include "PrtTick.h"
#include "mdlPrinterLib.h"

#include <algorithm>

namespace {

int WriteFrame(const QByteArray& frame)
{
    const int code = PrtWriteData(frame);
    SetCmdLastResult(code);
    return code;
}

// Sends a getkey frame for n bytes, waits, reads n bytes into buffer. Returns the
// reader's result (count > 0, -1 read error or failed write, else 0) and the count.
int32_t GetKeyExchange(uint8_t op, uint16_t id, uint32_t n, uint32_t waitMs, QByteArray& buffer, uint32_t* countOut)
{
    if (countOut)
        *countOut = 0;
    const QByteArray frame = BuildGetKeyFrame(op, id, n);
    if (frame.isEmpty()) {
        SetCmdLastResult(-1);
        return -1;
    }
    PrtDiscardInput();  // a late reply to an earlier request is not this one's
    if (WriteFrame(frame) != 0)
        return -1;  // stale bytes must not come back as a value
    prt::SleepMs(waitMs);
    if (buffer.size() < qsizetype(n))
        buffer.resize(n, '\0');
    uint32_t count = 0;
    const int code = PrtReadData(reinterpret_cast<uint8_t*>(buffer.data()), n, &count);
    SetCmdLastResult(code);
    count = std::min(count, n);
    if (countOut)
        *countOut = count;
    if (count > 0)
        return static_cast<int32_t>(count);
    return code != 0 ? -1 : 0;
}

int32_t SetKeyWith(uint8_t op, uint16_t id, const QByteArray& value, uint32_t n)
{
    const QByteArray frame = BuildKeyFrame(CMD_VERB_SETKEY, op, id, n, value);
    if (frame.isEmpty()) {
        SetCmdLastResult(-1);
        return -1;
    }
    return WriteFrame(frame) == 0 ? 0 : -1;
}

} // namespace

std::array<QString, 11>& CmdKeyCommaTexts()
{
    static std::array<QString, 11> texts = [] {
        std::array<QString, 11> t;
        t.fill(QStringLiteral(","));
        return t;
    }();
    return texts;
}

QByteArray BuildKeyFrame(const char* verb, uint8_t op, uint16_t id, uint32_t n, const QByteArray& value)
{
    if (n > 255)
        return QByteArray();
    const bool set = qstrcmp(verb, CMD_VERB_SETKEY) == 0;
    QByteArray frame = QByteArray(CMD_PREFIX) + verb + CMD_CRLF;
    frame.resize(19 + (set ? n : 0), '\0');
    frame[15] = static_cast<char>(op);
    frame[16] = static_cast<char>(id & 0xFF);
    frame[17] = static_cast<char>(id >> 8);
    frame[18] = static_cast<char>(n);
    if (set)
        for (uint32_t i = 0; i < n && i < uint32_t(value.size()); ++i)
            frame[19 + i] = value.at(i);
    return frame;
}

QByteArray BuildGetKeyFrame(uint8_t op, uint16_t id, uint32_t n)
{
    return BuildKeyFrame(CMD_VERB_GETKEY, op, id, n);
}

QString BuildGetKeyFrameHex(uint8_t op, uint16_t id)
{
    const QByteArray frame = BuildGetKeyFrame(op, id, 1);
    QString hex;
    for (char c : frame)
        hex += QStringLiteral("%1 ").arg(static_cast<unsigned char>(c), 2, 16, QLatin1Char('0')).toUpper();
    return hex;
}

// ---- port handling ---------------------------------------------------------------

bool CmdKeyOpenPort()
{
    return CmdOpenPort();
}

void CmdKeyClosePort()
{
    CmdClosePort();
}

bool CmdKeyOpenOnce()
{
    return CmdOpenPortOnce();
}

void CmdKeyCloseIfOpen()
{
    CmdClosePortIfOpen();
}

void CmdKeyOpenAndDrain()
{
    if (!CmdKeyOpenPort())
        return;
    uint8_t buf[512];
    uint32_t count = 0;
    SetCmdLastResult(PrtReadData(buf, sizeof buf, &count));
}

bool CmdKeyDo(const QByteArray& key)
{
    return CmdDo(key);
}

QString CmdKeyGetVal(const QByteArray& key)
{
    const QByteArray cmd = BuildGetValCommand(key);
    if (!key.isEmpty() && cmd.isEmpty()) {
        SetCmdLastResult(-1);
        return QString();
    }
    if (!CmdKeyOpenPort())
        return QString();
    if (!cmd.isEmpty()) {
        PrtDiscardInput();
        SetCmdLastResult(PrtWriteData(cmd));
    }
    prt::SleepMs(100);
    QByteArray buf(512, '\0');
    uint32_t count = 0;
    SetCmdLastResult(PrtReadData(reinterpret_cast<uint8_t*>(buf.data()), 512, &count));
    CmdKeyClosePort();
    return BytesToTextFrom(0, buf, static_cast<int>(std::min<uint32_t>(count, 512)));
}

void CmdKeyGetVal(const QByteArray& key, QString& text)
{
    text = CmdKeyGetVal(key);
}

// ---- readers -------------------------------------------------------------------

int32_t CmdGetKeyByte(uint8_t op, uint16_t id, QByteArray& buffer)
{
    if (!CmdOpenPort())
        return 0;
    return GetKeyExchange(op, id, 1, 50, buffer, nullptr);
}

int32_t CmdGetKeyFrame(uint8_t op, uint16_t id, QByteArray& buffer)
{
    return GetKeyExchange(op, id, 1, 50, buffer, nullptr);
}

int32_t CmdKeyGetKeyByteValue(uint8_t op, uint16_t id, QByteArray& buffer)
{
    return CmdKeyGetKeyByte2(op, id, buffer, true);
}

int32_t CmdKeyGetKeyByte2(uint8_t op, uint16_t id, QByteArray& buffer, bool openAndClose)
{
    if (openAndClose && !CmdKeyOpenPort())
        return 0;
    const int32_t r = GetKeyExchange(op, id, 1, 50, buffer, nullptr);
    if (openAndClose)
        CmdKeyClosePort();
    return r;
}

int32_t CmdKeyGetKeyWord2(uint8_t op, uint16_t id, int32_t& value, QByteArray& raw)
{
    if (!CmdKeyOpenPort())
        return 0;
    QByteArray buf(2, '\0');
    uint32_t count = 0;
    const int32_t r = GetKeyExchange(op, id, 2, 50, buf, &count);
    CmdKeyClosePort();
    if (count > 0) {
        value = static_cast<unsigned char>(buf.at(0)) + 256 * static_cast<unsigned char>(buf.at(1));
        raw = buf.left(2);
    }
    return r;
}

int32_t CmdKeyGetKeyWord(uint8_t op, uint16_t id, int32_t& value)
{
    QByteArray raw;
    return CmdKeyGetKeyWord2(op, id, value, raw);
}

int32_t CmdKeyGetKeyWord(uint8_t op, uint16_t id, QByteArray& buffer)
{
    if (!CmdKeyOpenPort())
        return 0;
    const int32_t r = GetKeyExchange(op, id, 2, 50, buffer, nullptr);
    CmdKeyClosePort();
    return r;
}

int32_t CmdKeyGetKeyBytes(uint8_t op, uint16_t id, QByteArray& buffer, uint32_t n)
{
    if (!CmdKeyOpenPort())
        return 0;
    uint32_t count = 0;
    const int32_t r = GetKeyExchange(op, id, n, 60, buffer, &count);
    CmdKeyClosePort();
    if (r < 0)
        return -1;
    return count == n ? static_cast<int32_t>(n) : 0;
}

void CmdKeyGetKeyString(uint8_t op, uint16_t id, uint32_t n, QString& text)
{
    text.clear();
    if (!CmdKeyOpenPort())
        return;
    const QByteArray frame = BuildGetKeyFrame(op, id, n);
    if (!frame.isEmpty())
        PrtDiscardInput();
    if (frame.isEmpty() || WriteFrame(frame) != 0) {
        if (frame.isEmpty())
            SetCmdLastResult(-1);
        CmdKeyClosePort();
        return;
    }
    prt::SleepMs(50);
    QByteArray buf(256, '\0');
    uint32_t count = 0;
    const int code = PrtReadDataEOF(reinterpret_cast<uint8_t*>(buf.data()), 0, 128, 0, 0, &count);
    SetCmdLastResult(code);
    CmdKeyClosePort();
    if (code == 0)
        text = BytesToTextFrom(0, buf, static_cast<int>(std::min<uint32_t>(count, 128)));
}

void CmdKeyGetKeyByte(bool openAndClose, uint8_t& value)
{
    value = 0;
    QByteArray buf(1, '\0');
    if (CmdKeyGetKeyByte2(1, KEYID_CE, buf, openAndClose) > 0)
        value = static_cast<uint8_t>(buf.at(0));
}

// ---- writers ---------------------------------------------------------------------

int32_t CmdKeySetKey(uint8_t op, uint16_t id, const QString& text, uint32_t n, bool lower)
{
    return SetKeyWith(op, id, prt::TextToAnsiBytes(lower ? text.toLower() : text), n);
}

int32_t CmdKeySetKeyByte(uint8_t op, uint16_t id, uint8_t value)
{
    return SetKeyWith(op, id, QByteArray(1, static_cast<char>(value)), 1);
}

int32_t CmdKeySetKeyByte2(uint8_t op, uint16_t id, uint8_t value)
{
    return CmdKeySetKeyByte(op, id, value);
}

int32_t CmdKeySetKeyWord(uint8_t op, uint16_t id, int32_t value)
{
    QByteArray v(2, '\0');
    v[0] = static_cast<char>(static_cast<uint8_t>(value % 256));
    v[1] = static_cast<char>(static_cast<uint8_t>(value / 256));
    return SetKeyWith(op, id, v, 2);
}

int32_t CmdKeySetKeyTwoBytes(uint8_t op, uint16_t id, int32_t value)
{
    QByteArray v(2, '\0');
    v[0] = static_cast<char>(value & 0xFF);
    v[1] = static_cast<char>((value >> 8) & 0xFF);
    return SetKeyWith(op, id, v, 2);
}

int32_t CmdKeySetKeyDWord(uint8_t op, uint16_t id, uint32_t value)
{
    QByteArray v(4, '\0');
    for (int i = 0; i < 4; ++i)
        v[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return SetKeyWith(op, id, v, 4);
}

int32_t CmdKeySetKeyBytes(uint8_t op, uint16_t id, const QByteArray& bytes, uint32_t n)
{
    return SetKeyWith(op, id, bytes, n);
}

void CmdKeyTextToBytes(const QString& text, QByteArray& buffer)
{
    const QByteArray b = prt::TextToAnsiBytes(text);
    if (buffer.size() < b.size())
        buffer.resize(b.size(), '\0');
    std::copy(b.begin(), b.end(), buffer.begin());
}

int CmdKeyReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2, uint32_t* count)
{
    return PrtReadDataEOF(buffer, value, maxLength, b1, b2, count);
}

void CmdKeyNop()
{
}
