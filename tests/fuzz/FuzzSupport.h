#pragma once
// Helpers of the fuzz harnesses: a property check that aborts with a message (so both the
// replay test and libFuzzer report it), and a private scratch folder.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                      \
    do {                                                                                      \
        if (!(cond)) {                                                                        \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (0)

namespace fuzz {

// One scratch folder per process, emptied of nothing: harnesses overwrite their files.
inline const QString& ScratchDir()
{
    static QTemporaryDir dir;
    static const QString path = dir.path() + QLatin1Char('/');
    return path;
}

inline QByteArray Bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

} // namespace fuzz
