#pragma once
// Inner helper of the three library modules: one global printer object per library.
// Not for use outside link/.
#include "mdlPrinterLibApi.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <mutex>

namespace prt {
// Most bytes one drop of pending input takes (bounded like the drains).
constexpr uint32_t kDiscardMaxBytes = 65536;
} // namespace prt

namespace prt::link_detail {

class GlobalPrinter {
public:
    explicit GlobalPrinter(prt::sdk::Lib lib) : lib_(lib) {}

    prt::sdk::Lib lib() const { return lib_; }
    prt::sdk::Handle handle() const { return handle_.load(); }

    // Closes and destroys an object that still exists, then creates a new one; the
    // handle is 0 until the engine has handed out the new id (a failed create leaves 0).
    int create(const QString& model);
    // Destroys the object (handle -> 0). 0 when there was none.
    int destroy();
    // handle 0 -> -6; otherwise the engine's open code.
    int open(const QString& port);
    int close();
    int write(const uint8_t* data, uint32_t length);
    int read(uint8_t* buffer, uint32_t length, uint32_t* count);
    int readEof(uint8_t* buffer, uint32_t value, uint32_t maxLength, uint8_t b1, uint8_t b2, uint32_t* count);
    // Drops pending input without waiting (nothing when the engine cannot).
    int discardInput(uint32_t* dropped = nullptr);
    // 1 open, 0 not open, negative: unknown object; -1 when the engine cannot tell.
    int portIsOpen() const;

private:
    const PrtSdkApi& api() const { return PrtSdkApiOf(lib_); }
    prt::sdk::Lib lib_;
    std::atomic<prt::sdk::Handle> handle_{0};
    std::mutex lifeMutex_;  // create and destroy are one step each
};

// False for a port string the engine cannot take whole (an embedded NUL).
bool IsPassablePortString(const QString& port);

GlobalPrinter& Global(prt::sdk::Lib lib);

inline const char16_t* Utf16(const QString& s)
{
    return reinterpret_cast<const char16_t*>(s.utf16());
}

} // namespace prt::link_detail
