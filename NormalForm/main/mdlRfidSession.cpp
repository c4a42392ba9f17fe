#include "mdlRfidSession.h"

#include "PrinterCMD.h"
#include "PrtTick.h"
#include "mdlGlobalVar.h"
#include "mdlModelCatalog.h"
#include "mdlPrinterLib.h"
#include "PubBytes.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <vector>

namespace {

constexpr uint32_t kBufSize = 512;

QString Chars(const uint8_t* p, uint32_t n, bool skipZero)
{
    QString s;
    for (uint32_t i = 0; i < n; ++i) {
        if (skipZero && p[i] == 0)
            continue;
        s += QChar(char16_t(p[i]));
    }
    return s;
}

} // namespace

TRfidIo DefaultRfidIo()
{
    TRfidIo io;
    io.open = [] {
        EnsurePrinterObject();
        return CmdOpenPort();
    };
    io.close = [] { CmdClosePort(); };
    io.write = [](const QByteArray& bytes) { return PrtWriteData(bytes); };
    io.read = [](uint8_t* buffer, uint32_t maxLength, uint32_t* count) {
        return PrtReadDataEOF(buffer, 0, maxLength, 0, 0, count);
    };
    io.tick = [] { return prt::GetTickCountMs(); };
    io.sleep = [](uint32_t ms) {
        // The window is disabled meanwhile; painting goes on.
        if (QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        prt::SleepMs(ms);
    };
    return io;
}

TRfidModelFlags RfidFlagsOfModel(const QString& baseModel)
{
    TRfidModelFlags f;
    f.noPrep = IsInCommaList(baseModel, RfidNoPrepModels);
    f.cpclHeader = IsInCommaList(baseModel, RfidCpclHeaderModels);
    f.cpclPrint = IsInCommaList(baseModel, RfidCpclPrintModels);
    f.splitWriteRead = IsInCommaList(baseModel, RfidSplitWriteReadModels);
    f.version = IsInCommaList(baseModel, RfidVersionModels);
    return f;
}

QString RfidReadOperation(int length)
{
    return QStringLiteral("r,h,2,1,") + QString::number(length);
}

QString RfidWriteOperation(const QString& data)
{
    return QStringLiteral("w,h,2,1,") + data;
}

QString RfidWriteReadOperation(int length, const QString& data)
{
    return QStringLiteral("s,h,2,1,") + QString::number(length) + QLatin1Char(',') + data;
}

bool NormalizeRfidTagData(const QString& typed, QString& data)
{
    data.clear();
    for (QChar c : typed) {
        const char16_t u = c.unicode();
        const bool digit = u >= '0' && u <= '9';
        const bool upper = u >= 'A' && u <= 'Z';
        const bool lower = u >= 'a' && u <= 'z';
        if (!digit && !upper && !lower) {
            data.clear();
            return false;
        }
        data += lower ? QChar(char16_t(u - 'a' + 'A')) : c;
    }
    return true;
}

bool IsIntegerInRange(const QString& text, int low, int high)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok && v >= low && v <= high;
}

bool IsValidRfidReadLength(const QString& text, int limit, int* value)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v <= 0 || v > limit)
        return false;
    if (value)
        *value = v;
    return true;
}

TRfidSession::TRfidSession(TRfidIo io, TRfidModelFlags flags) : io_(std::move(io)), flags_(flags) {}

void TRfidSession::Drain()
{
    std::vector<uint8_t> buf(kBufSize, 0);
    uint32_t count = 0;
    SetCmdLastResult(io_.read(buf.data(), kBufSize, &count));
}

bool TRfidSession::Prepare()
{
    Drain();
    if (io_.write(BuildDoCommand(QByteArray(KEY_rfid_print))) != 0)
        return false;
    if (!flags_.noPrep && io_.write(TsplClsCommand()) != 0)
        return false;
    return true;
}

bool TRfidSession::Trigger()
{
    if (flags_.cpclHeader && io_.write(QByteArrayLiteral("! 0 200 200 240 1\r\n")) != 0)
        return false;
    if (flags_.cpclPrint && io_.write(QByteArrayLiteral("PRINT\r\n")) != 0)
        return false;
    return true;
}

void TRfidSession::FixedWait(uint32_t ms)
{
    const uint32_t start = io_.tick();
    while (TickSpan(start, io_.tick()) <= ms)
        io_.sleep(50);
}

QByteArray TRfidSession::Poll(uint32_t ms)
{
    std::vector<uint8_t> buf(kBufSize, 0);
    const uint32_t start = io_.tick();
    for (;;) {
        std::fill(buf.begin(), buf.end(), 0);
        uint32_t count = 0;
        SetCmdLastResult(io_.read(buf.data(), kBufSize, &count));
        count = std::min(count, kBufSize);
        if (count > 0)
            return QByteArray(reinterpret_cast<const char*>(buf.data()), qsizetype(count));
        if (TickSpan(start, io_.tick()) > ms)
            return QByteArray();
        io_.sleep(50);
    }
}

QString TRfidSession::GetVal(const QByteArray& key, uint32_t waitMs)
{
    const QByteArray cmd = BuildGetValCommand(key);
    if (cmd.isEmpty())
        return QString();
    io_.write(cmd);
    io_.sleep(waitMs);
    std::vector<uint8_t> buf(kBufSize, 0);
    uint32_t count = 0;
    const int code = io_.read(buf.data(), kBufSize, &count);
    SetCmdLastResult(code);
    if (code != 0)
        return QString();
    return Chars(buf.data(), std::min(count, kBufSize), true);
}

TRfidOutcome TRfidSession::ReadTag(int length)
{
    TRfidOutcome out;
    const auto fail = [&out] {
        out.box = TRfidOutcome::ErrorBox;
        out.messageKey = QStringLiteral("Lang00010002");
        return out;
    };
    if (!io_.open())
        return out;
    out.opened = true;
    const auto done = [this](TRfidOutcome& o) {
        io_.close();
        return o;
    };
    if (!Prepare()) {
        fail();
        return done(out);
    }
    if (io_.write(BuildSetValCommand(QByteArray(KEY_rfid_wr), RfidReadOperation(length))) != 0) {
        fail();
        return done(out);
    }
    if (!Trigger()) {
        out.box = TRfidOutcome::ErrorBox;
        out.messageKey = QStringLiteral("Lang00010004");
        return done(out);
    }
    FixedWait(kReadWait);
    const QByteArray reply = Poll(kReadPoll);
    const auto* p = reinterpret_cast<const uint8_t*>(reply.constData());
    const QString text = Chars(p, uint32_t(reply.size()), false);
    if (reply.isEmpty() || (reply.size() == 3 && text.compare(QLatin1String("NG "), Qt::CaseInsensitive) == 0) ||
        (reply.size() == 5 && text == QLatin1String("error"))) {
        fail();
        return done(out);
    }
    out.readTextSet = true;
    out.readText = text;
    out.box = TRfidOutcome::InfoBox;
    out.messageKey = QStringLiteral("Lang00010003");
    Drain();
    return done(out);
}

TRfidOutcome TRfidSession::WriteTag(const QString& data)
{
    TRfidOutcome out;
    const auto fail = [&out] {
        out.box = TRfidOutcome::ErrorBox;
        out.messageKey = QStringLiteral("Lang00010004");
    };
    if (!io_.open())
        return out;
    out.opened = true;
    if (!Prepare() || CmdSetValExBytes(data) != 0 || !Trigger()) {
        fail();
        io_.close();
        return out;
    }
    FixedWait(kWriteWait);
    uint8_t buf[6] = {0, 0, 0, 0, 0, 0};
    uint32_t count = 0;
    SetCmdLastResult(io_.read(buf, 6, &count));
    count = std::min<uint32_t>(count, 6);
    if (count >= 6) {
        const QString six = Chars(buf, 6, false);
        if (six.compare(QLatin1String("ok ok "), Qt::CaseInsensitive) == 0) {
            out.box = TRfidOutcome::InfoBox;
            out.messageKey = QStringLiteral("Lang00010005");
        } else if (six.compare(QLatin1String("NG NG "), Qt::CaseInsensitive) == 0) {
            out.box = TRfidOutcome::InfoBox;
            out.messageKey = QStringLiteral("Lang00010004");
        }
    } else if (count >= 2) {
        const QString two = Chars(buf, 2, false);
        if (two == QLatin1String("ok")) {
            out.box = TRfidOutcome::InfoBox;
            out.messageKey = QStringLiteral("Lang00010005");
        } else if (two == QLatin1String("NG")) {
            out.box = TRfidOutcome::InfoBox;
            out.messageKey = QStringLiteral("Lang00010004");
        }
    }
    Drain();
    if (out.box == TRfidOutcome::NoBox) {
        out.box = TRfidOutcome::InfoBox;
        out.messageKey = QStringLiteral("Lang00010006");
    }
    io_.close();
    return out;
}

int TRfidSession::CmdSetValExBytes(const QString& data)
{
    return io_.write(BuildSetValCommandEx(QByteArray(KEY_rfid_wr), RfidWriteOperation(data), false)) == 0 ? 0 : -1;
}

TRfidOutcome TRfidSession::WriteAndReadTag(int length, const QString& data)
{
    TRfidOutcome out;
    if (!io_.open())
        return out;
    out.opened = true;
    const QByteArray key(KEY_rfid_wr);
    bool ok = Prepare();
    if (ok) {
        if (flags_.splitWriteRead) {
            ok = io_.write(BuildSetValCommandEx(key, RfidWriteOperation(data), false)) == 0 &&
                 io_.write(BuildSetValCommand(key, RfidReadOperation(length))) == 0;
        } else {
            ok = io_.write(BuildSetValCommandEx(key, RfidWriteReadOperation(length, data), false)) == 0;
        }
    }
    if (ok) {
        FixedWait(kWriteReadWait);
        ok = Trigger();
    }
    if (!ok) {
        out.box = TRfidOutcome::ErrorBox;
        out.messageKey = QStringLiteral("Lang00010004");
        io_.close();
        return out;
    }
    const QByteArray reply = Poll(kWriteReadPoll);
    const auto* p = reinterpret_cast<const uint8_t*>(reply.constData());
    const QString raw = Chars(p, uint32_t(reply.size()), false);
    if ((reply.size() == 5 && raw == QLatin1String("error")) ||
        (reply.size() == 3 && raw.compare(QLatin1String("NG "), Qt::CaseInsensitive) == 0)) {
        out.box = TRfidOutcome::InfoBox;
        out.messageKey = QStringLiteral("Lang00010004");
    } else if (!reply.isEmpty()) {
        out.readTextSet = true;
        out.readText = Chars(p, uint32_t(reply.size()), true);
        if (out.readText.compare(data, Qt::CaseInsensitive) == 0) {
            out.box = TRfidOutcome::InfoBox;
            out.messageKey = QStringLiteral("Lang00010005");
        }
    }
    Drain();
    if (out.box == TRfidOutcome::NoBox) {
        out.box = TRfidOutcome::InfoBox;
        out.messageKey = QStringLiteral("Lang00010006");
    }
    io_.close();
    return out;
}

TRfidOutcome TRfidSession::Calibrate()
{
    TRfidOutcome out;
    if (!io_.open())
        return out;
    out.opened = true;
    Drain();
    const bool failed = io_.write(BuildDoCommand(QByteArray(KEY_rfid_calibrate))) != 0;
    out.box = failed ? TRfidOutcome::ErrorBox : TRfidOutcome::InfoBox;
    out.messageKey = failed ? QStringLiteral("Lang00010008") : QStringLiteral("Lang00010010");
    io_.close();
    return out;
}

TRfidOutcome TRfidSession::SetLevel(const QByteArray& key, const QString& value)
{
    TRfidOutcome out;
    if (!io_.open())
        return out;
    out.opened = true;
    Drain();
    if (io_.write(BuildSetValCommandEx(key, value.trimmed(), false)) != 0) {
        out.box = TRfidOutcome::ErrorBox;
        out.messageKey = QStringLiteral("Lang00010008");
        io_.close();
        return out;
    }
    io_.sleep(50);
    std::vector<uint8_t> buf(kBufSize, 0);
    uint32_t count = 0;
    SetCmdLastResult(io_.read(buf.data(), kBufSize, &count));
    // The answer is what this read brought, nothing older.
    const QString reply = Chars(buf.data(), std::min(count, kBufSize), true);
    out.box = TRfidOutcome::InfoBox;
    out.messageKey = reply.compare(QLatin1String("ok"), Qt::CaseInsensitive) == 0 ? QStringLiteral("Lang00010005")
                                                                                  : QStringLiteral("Lang00010009");
    io_.close();
    return out;
}

TRfidParams TRfidSession::ReadParams()
{
    TRfidParams params;
    if (!io_.open())
        return params;
    params.opened = true;
    Drain();
    params.power = GetVal(QByteArray(KEY_rfid_power_level), 200);
    params.rssi = GetVal(QByteArray(KEY_rfid_rssi_level), 200);
    if (flags_.version) {
        params.version = GetVal(QByteArray(KEY_rfid_version), 200);
        params.versionRead = true;
    }
    io_.close();
    return params;
}
