#include "mdlPrinterLib.h"

#include "PrtTick.h"
#include "mdlPrinterLibGlobal.h"

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <mutex>

using prt::sdk::Handle;
using prt::sdk::Lib;

namespace {

std::mutex g_portMutex;
QString& PortString()
{
    static QString s = QStringLiteral("USB");
    return s;
}
std::atomic<int> g_sdkKind{0};
std::atomic<int32_t> g_lastLinkResult{0};

} // namespace

QString GetCurrentPortString()
{
    std::lock_guard<std::mutex> lock(g_portMutex);
    return PortString();
}

void SetCurrentPortString(const QString& port)
{
    std::lock_guard<std::mutex> lock(g_portMutex);
    PortString() = port;
}

int GetPrinterSdkKind()
{
    return g_sdkKind.load();
}

void SetPrinterSdkKind(int kind)
{
    g_sdkKind.store(kind);
}

int32_t GetLastLinkResult()
{
    return g_lastLinkResult.load();
}

void SetLastLinkResult(int32_t code)
{
    g_lastLinkResult.store(code);
}

Lib SdkLibOfKind(int kind)
{
    if (kind == 0)
        return Lib::Esc;
    if (kind == 3)
        return Lib::Cpcl;
    return Lib::Tspl;
}

Handle GlobalHandleOf(Lib lib)
{
    return prt::link_detail::Global(lib).handle();
}

int PrtCreatePrinter(const QString& model)
{
    switch (SdkLibOfKind(GetPrinterSdkKind())) {
    case Lib::Esc: return EscCreateGlobalPrinter(model);
    case Lib::Cpcl: return CpclCreateGlobalPrinter(model);
    default: return TsplCreateGlobalPrinter(model);
    }
}

int EnsurePrinterObject()
{
    if (PrtGetHandle() != 0)
        return 0;
    return PrtCreatePrinter(GetPrinterObjectModel());
}

int EnsureTsplPrinterObject()
{
    if (TsplGetHandle() != 0)
        return 0;
    return TsplCreateGlobalPrinter(GetPrinterObjectModel());
}

Handle PrtGetHandle()
{
    switch (SdkLibOfKind(GetPrinterSdkKind())) {
    case Lib::Esc: return EscGetHandle();
    case Lib::Cpcl: return CpclGetHandle();
    default: return TsplGetHandle();
    }
}

int PrtDestroyPrinter()
{
    switch (SdkLibOfKind(GetPrinterSdkKind())) {
    case Lib::Esc: return EscDestroyPrinter();
    case Lib::Cpcl: return CpclDestroyPrinter();
    default: return TsplDestroyGlobalPrinter();
    }
}

int PrtOpenPort(const QString& port)
{
    switch (SdkLibOfKind(GetPrinterSdkKind())) {
    case Lib::Esc: return EscOpenPort(port);
    case Lib::Cpcl: return CpclOpenPort(port);
    default: return TsplOpenPort(port);
    }
}

int PrtClosePort()
{
    switch (SdkLibOfKind(GetPrinterSdkKind())) {
    case Lib::Esc: return EscClosePort();
    case Lib::Cpcl: return CpclClosePort();
    default: return TsplClosePort();
    }
}

int PrtWriteData(const uint8_t* data, uint32_t length)
{
    switch (SdkLibOfKind(GetPrinterSdkKind())) {
    case Lib::Esc: return EscWriteData(data, length);
    case Lib::Cpcl: return CpclWriteData(data, length);
    default: return TsplWriteData(data, length);
    }
}

int PrtWriteData(const QByteArray& data)
{
    return PrtWriteData(reinterpret_cast<const uint8_t*>(data.constData()), static_cast<uint32_t>(data.size()));
}

int PrtReadData(uint8_t* buffer, uint32_t length, uint32_t* count)
{
    switch (SdkLibOfKind(GetPrinterSdkKind())) {
    case Lib::Esc: return EscReadData(buffer, length, count);
    case Lib::Cpcl: return CpclReadData(buffer, length, count);
    default: return TsplReadData(buffer, length, count);
    }
}

int PrtReadDataEOF(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2, uint32_t* count)
{
    switch (SdkLibOfKind(GetPrinterSdkKind())) {
    case Lib::Esc: return EscReadDataEOF(buffer, value, maxLength, b1, b2, count);
    case Lib::Cpcl: return CpclReadDataEOF(buffer, value, maxLength, b1, b2, count);
    default: return TsplReadDataEOF(buffer, value, maxLength, b1, b2, count);
    }
}

int PrtDiscardInput()
{
    uint32_t dropped = 0;
    prt::link_detail::Global(SdkLibOfKind(GetPrinterSdkKind())).discardInput(&dropped);
    return static_cast<int>(dropped);
}

QString ProtocolNameOf(int protocol)
{
    switch (protocol) {
    case 3: return QStringLiteral("CPCL");
    case 1: return QStringLiteral("TSPL");
    case 0: return QStringLiteral("ESC");
    case 4: return QStringLiteral("ZPL");
    default: return QString::number(protocol);
    }
}

QString GetUsbVidPidText()
{
    char buf[64] = {};
    if (PrtSdkApiOf(Lib::Tspl).GetVidPid(buf) != 0)
        return QString();
    QString text;
    for (char c : buf)
        if (c != 0)
            text += QChar(static_cast<unsigned char>(c));
    return text;
}

uint32_t TickDiff(uint32_t start, uint32_t now)
{
    if (start > now)
        return (4294967295u - start) + now;
    return now - start;
}

uint32_t DelayMs(uint32_t ms)
{
    const uint32_t start = prt::GetTickCountMs();
    QCoreApplication* app = QCoreApplication::instance();
    const bool gui = app && QThread::currentThread() == app->thread();
    uint64_t slept = 0;  // guards against a tick counter that does not move (sleep hook)
    for (;;) {
        const uint32_t d = TickDiff(start, prt::GetTickCountMs());
        if (d > ms)
            return d;
        if (slept > ms)
            return static_cast<uint32_t>(slept);
        prt::SleepMs(50);
        slept += 50;
        if (gui)
            QCoreApplication::processEvents();
    }
}
