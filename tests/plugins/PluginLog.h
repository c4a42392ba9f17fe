#pragma once
// Call log shared by the test plug-ins: every entry point appends one line, and the
// tests read the log back through the exported TestPlugin_Log.
#include <cstdint>
#include <string>

namespace testplugin {

inline std::u16string& Log()
{
    static std::u16string log;
    return log;
}

inline std::u16string Str(const char16_t* s)
{
    return s ? std::u16string(s) : std::u16string(u"<null>");
}

inline void Add(const std::u16string& line)
{
    Log() += line;
    Log() += u'\n';
}

// Copies the text into out, at most size - 1 characters, terminated.
inline void Put(const std::u16string& text, char16_t* out, int32_t size)
{
    if (!out || size <= 0)
        return;
    const std::size_t n = std::min<std::size_t>(text.size(), std::size_t(size - 1));
    text.copy(out, n);
    out[n] = 0;
}

// Fills the whole buffer without a terminator (a misbehaving plug-in).
inline void Overfill(char16_t* out, int32_t size)
{
    for (int32_t i = 0; i < size; ++i)
        out[i] = u'x';
}

} // namespace testplugin

#define PRT_TEST_EXPORT extern "C" __attribute__((visibility("default")))

// Log text into out (size characters, terminated); TestPlugin_ClearLog empties it.
#define PRT_TEST_PLUGIN_LOG_ENTRIES                                                  \
    PRT_TEST_EXPORT void TestPlugin_Log(char16_t* out, int32_t size)                 \
    {                                                                                \
        testplugin::Put(testplugin::Log(), out, size);                               \
    }                                                                                \
    PRT_TEST_EXPORT void TestPlugin_ClearLog() { testplugin::Log().clear(); }
