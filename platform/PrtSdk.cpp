#include "PrtSdk.h"
#include "PrtPort.h"
#include "PrtTick.h"

#include <QString>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace prt::sdk {

namespace {

struct PrinterObj {
    std::mutex mutex; // serialises every call on this object
    bool destroyed = false;
    QString model;
    PortKind kind = PortKind::Usb;
    std::unique_ptr<Port> port;
    QByteArray rx; // received, not yet handed out
};

struct Library {
    std::mutex mutex; // guards the table
    std::map<Handle, std::shared_ptr<PrinterObj>> objects;
};

Library g_libs[3];
// One counter for all three libraries: an id of one is never valid in another, and ids
// come back only after 2^32 creations.
std::atomic<Handle> g_nextId{0x1000};

Library* LibOf(Lib lib)
{
    const int i = int(lib);
    return (i >= 0 && i < 3) ? &g_libs[i] : nullptr;
}

std::shared_ptr<PrinterObj> Find(Lib lib, Handle h)
{
    Library* l = LibOf(lib);
    if (!l || h == 0)
        return nullptr;
    std::lock_guard lock(l->mutex);
    const auto it = l->objects.find(h);
    return it == l->objects.end() ? nullptr : it->second;
}

// Locks the object for one call; `ok` false when it is gone.
struct ObjLock {
    ObjLock(Lib lib, Handle h) : obj(Find(lib, h))
    {
        if (obj) {
            lock = std::unique_lock(obj->mutex);
            if (obj->destroyed) {
                lock.unlock();
                obj.reset();
            }
        }
    }
    explicit operator bool() const { return obj != nullptr; }
    PrinterObj* operator->() const { return obj.get(); }
    std::shared_ptr<PrinterObj> obj;
    std::unique_lock<std::mutex> lock;
};

QString FromUtf16(const char16_t* text)
{
    return QString::fromUtf16(text);
}

size_t TakeBuffered(PrinterObj& o, uint8_t* buffer, size_t max)
{
    const size_t n = std::min<size_t>(max, size_t(o.rx.size()));
    if (n) {
        std::memcpy(buffer, o.rx.constData(), n);
        o.rx.remove(0, qsizetype(n));
    }
    return n;
}

// Pulls what the port has into o.rx, waiting up to timeoutMs; returns the port's code.
int Fill(PrinterObj& o, uint32_t timeoutMs, size_t* got)
{
    uint8_t chunk[4096];
    const int rc = o.port->readSome(chunk, sizeof chunk, timeoutMs, got);
    if (*got)
        o.rx.append(reinterpret_cast<const char*>(chunk), qsizetype(*got));
    return rc;
}

} // namespace

int PrinterCreator(Lib lib, Handle* handle, const char16_t* model)
{
    if (!handle)
        return PRT_E_BAD_ARG;
    *handle = 0;
    Library* l = LibOf(lib);
    if (!l)
        return PRT_E_BAD_ARG;
    auto obj = std::make_shared<PrinterObj>();
    obj->model = model ? FromUtf16(model) : QString();
    std::lock_guard lock(l->mutex);
    Handle id;
    do {
        id = g_nextId.fetch_add(1);
    } while (id == 0 || l->objects.count(id));
    l->objects.emplace(id, std::move(obj));
    *handle = id;
    return PRT_OK;
}

int PrinterDestroy(Lib lib, Handle* handle)
{
    if (!handle)
        return PRT_E_BAD_ARG;
    const Handle h = *handle;
    *handle = 0;
    Library* l = LibOf(lib);
    if (!l || h == 0)
        return PRT_E_NO_OBJECT;
    std::shared_ptr<PrinterObj> obj;
    {
        std::lock_guard lock(l->mutex);
        const auto it = l->objects.find(h);
        if (it == l->objects.end())
            return PRT_E_NO_OBJECT;
        obj = it->second;
        l->objects.erase(it);
    }
    // Waits for a call in progress on another thread, then closes the port.
    std::lock_guard lock(obj->mutex);
    obj->destroyed = true;
    obj->port.reset();
    obj->rx.clear();
    return PRT_OK;
}

int PortOpen(Lib lib, Handle handle, const char16_t* port)
{
    ObjLock o(lib, handle);
    if (!o)
        return PRT_E_NO_OBJECT;
    if (o->port)
        return PRT_ALREADY_OPEN;
    if (!port)
        return PRT_E_BAD_ARG;
    PortSpec spec;
    int rc = ParsePortString(FromUtf16(port), &spec);
    if (rc != PRT_OK)
        return rc;
    std::unique_ptr<Port> p;
    rc = OpenPort(spec, &p);
    if (rc != PRT_OK)
        return rc;
    o->port = std::move(p);
    o->kind = spec.kind;
    o->rx.clear();
    return PRT_OK;
}

int PortClose(Lib lib, Handle handle)
{
    ObjLock o(lib, handle);
    if (!o)
        return PRT_E_NO_OBJECT;
    if (!o->port)
        return PRT_E_NOT_OPEN;
    o->port.reset();
    o->rx.clear();
    return PRT_OK;
}

int WriteData(Lib lib, Handle handle, const uint8_t* data, uint32_t length)
{
    ObjLock o(lib, handle);
    if (!o)
        return PRT_E_NO_OBJECT;
    if (!o->port)
        return PRT_E_NOT_OPEN;
    if (length == 0)
        return PRT_OK;
    if (!data)
        return PRT_E_BAD_ARG;
    return o->port->write(data, length);
}

int ReadData(Lib lib, Handle handle, uint8_t* buffer, uint32_t length, uint32_t* count)
{
    if (count)
        *count = 0;
    ObjLock o(lib, handle);
    if (!o)
        return PRT_E_NO_OBJECT;
    if (!o->port)
        return PRT_E_NOT_OPEN;
    if (!count || (!buffer && length))
        return PRT_E_BAD_ARG;
    if (length == 0)
        return PRT_OK;
    size_t total = TakeBuffered(*o.obj, buffer, length);
    int rc = PRT_OK;
    // Wait the grace time only for a first byte; after that take what is there.
    uint32_t wait = total ? 0 : ReadGraceMs;
    while (total < length) {
        size_t got = 0;
        rc = Fill(*o.obj, wait, &got);
        total += TakeBuffered(*o.obj, buffer + total, length - total);
        if (rc != PRT_OK || got == 0)
            break;
        wait = 0;
    }
    *count = uint32_t(total);
    // Bytes that came before a failure are a success; the failure shows on the next call.
    return total ? PRT_OK : rc;
}

int ReadDataEOF(Lib lib, Handle handle, uint8_t* buffer, uint32_t waitMs, uint32_t maxLength,
                uint8_t endByte, uint8_t reserved, uint32_t* count)
{
    (void)reserved;
    if (count)
        *count = 0;
    ObjLock o(lib, handle);
    if (!o)
        return PRT_E_NO_OBJECT;
    if (!o->port)
        return PRT_E_NOT_OPEN;
    if (!count || !buffer || maxLength == 0)
        return PRT_E_BAD_ARG;
    PrinterObj& obj = *o.obj;
    const uint32_t start = GetTickCountMs();
    // waitMs > 0 reads for that long at most. waitMs == 0 waits ReadGraceMs for the first
    // byte, then EofIdleMs for each next one, and never lasts longer than EofTrailMs in all,
    // however slowly the bytes keep coming.
    const uint32_t bound = waitMs > 0 ? waitMs : EofTrailMs;
    size_t total = 0;
    int rc = PRT_OK;
    for (;;) {
        // Hand out buffered bytes up to the end byte or the maximum.
        qsizetype take = std::min<qsizetype>(obj.rx.size(), qsizetype(maxLength - total));
        bool ended = false;
        if (endByte != 0) {
            const qsizetype e = obj.rx.left(take).indexOf(char(endByte));
            if (e >= 0) {
                take = e + 1;
                ended = true;
            }
        }
        if (take) {
            std::memcpy(buffer + total, obj.rx.constData(), size_t(take));
            obj.rx.remove(0, take);
            total += size_t(take);
        }
        if (ended || total >= maxLength)
            break;
        const uint32_t spent = GetTickCountMs() - start;
        if (spent >= bound)
            break;
        uint32_t wait = bound - spent;
        if (waitMs == 0)
            wait = std::min(wait, total > 0 ? EofIdleMs : ReadGraceMs);
        size_t got = 0;
        rc = Fill(obj, wait, &got);
        if (rc != PRT_OK || (got == 0 && waitMs == 0))
            break;  // failed, or the link went quiet
    }
    *count = uint32_t(total);
    return total ? PRT_OK : rc;
}

int DiscardInput(Lib lib, Handle handle, uint32_t maxBytes, uint32_t* dropped)
{
    if (dropped)
        *dropped = 0;
    ObjLock o(lib, handle);
    if (!o)
        return PRT_E_NO_OBJECT;
    if (!o->port)
        return PRT_E_NOT_OPEN;
    PrinterObj& obj = *o.obj;
    uint32_t n = 0;
    int rc = PRT_OK;
    for (;;) {
        const qsizetype take = std::min<qsizetype>(obj.rx.size(), qsizetype(maxBytes - n));
        obj.rx.remove(0, take);
        n += uint32_t(take);
        if (n >= maxBytes)
            break;
        size_t got = 0;
        rc = Fill(obj, 0, &got);  // what the link already holds, without waiting
        if (rc != PRT_OK || got == 0)
            break;
    }
    if (dropped)
        *dropped = n;
    // A port that cannot be read (parallel) has nothing to drop.
    return rc == PRT_E_NOT_SUPPORTED ? PRT_OK : rc;
}

int PortIsOpen(Lib lib, Handle handle)
{
    ObjLock o(lib, handle);
    if (!o)
        return PRT_E_NO_OBJECT;
    return o->port ? 1 : 0;
}

int LiveObjectCount(Lib lib)
{
    Library* l = LibOf(lib);
    if (!l)
        return 0;
    std::lock_guard lock(l->mutex);
    return int(l->objects.size());
}

int GetVidPid(char* buffer64)
{
    if (!buffer64)
        return PRT_E_BAD_ARG;
    std::memset(buffer64, 0, 64);
    uint16_t vid = 0, pid = 0;
    const int rc = FindUsbPrinterIds(&vid, &pid);
    if (rc != PRT_OK)
        return rc;
    const QByteArray text = QStringLiteral("VID_%1&PID_%2")
                                .arg(vid, 4, 16, QLatin1Char('0'))
                                .arg(pid, 4, 16, QLatin1Char('0'))
                                .toUpper()
                                .toLatin1();
    std::memcpy(buffer64, text.constData(), size_t(std::min<qsizetype>(text.size(), 63)));
    return PRT_OK;
}

int TSPL_GetSN(Handle handle, char* buffer)
{
    if (!buffer)
        return PRT_E_BAD_ARG;
    buffer[0] = 0;
    ObjLock o(Lib::Tspl, handle);
    if (!o)
        return PRT_E_NO_OBJECT;
    if (!o->port)
        return PRT_E_NOT_OPEN;
    QByteArray sn;
    const int rc = o->port->serialNumber(&sn);
    if (rc != PRT_OK)
        return rc;
    const size_t n = size_t(std::min<qsizetype>(sn.size(), 63));
    std::memcpy(buffer, sn.constData(), n);
    buffer[n] = 0;
    return PRT_OK;
}

} // namespace prt::sdk
