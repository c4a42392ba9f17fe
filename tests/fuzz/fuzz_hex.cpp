// Hex text and byte helpers on any input: hex text of bytes reads back as the same bytes,
// pieces and counts agree, clipped ranges never reach outside, splitting and joining agree.
#include "FuzzSupport.h"
#include "PubBytes.h"

#include <algorithm>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    // Bytes -> hex text -> bytes.
    const auto back = HexTextToBytes(BytesToHexText(bytes));
    FUZZ_CHECK(back.has_value() && *back == bytes);

    const QString text = QString::fromLatin1(bytes);
    FUZZ_CHECK(GetHexStrByteCount(text) == HexStrPieces(text).size());
    (void)HexStrToInt(text);
    (void)HexTextToBytes(text);

    // Any range: clipped to the bytes, three characters per byte.
    if (size >= 16) {
        qint64 from = 0, to = 0;
        std::memcpy(&from, data, 8);
        std::memcpy(&to, data + 8, 8);
        QString out = QStringLiteral("x");
        BytesToSpacedHexStr(bytes, qsizetype(from), out, qsizetype(to));
        const qsizetype f = std::clamp<qint64>(from, 0, bytes.size());
        const qsizetype t = std::clamp<qint64>(to, f, bytes.size());
        FUZZ_CHECK(out.size() == 3 * (t - f));
        QByteArray buffer;
        const int count = int(uint8_t(data[0]) % 64), offset = int(uint8_t(data[1]) % 64);
        if (HexStrToBytes(text.mid(2), count, offset, buffer))
            FUZZ_CHECK(buffer.size() <= offset + count || count == 0);
    }

    // Splitting at a separator: n separators give n + 1 pieces that join to the text.
    if (!text.isEmpty()) {
        const QString sep = text.left(1 + int(uint8_t(data[0]) % 2));
        const QStringList parts = SplitToStringList(text.mid(sep.size()), sep);
        FUZZ_CHECK(parts.join(sep) == text.mid(sep.size()));
        if (sep.size() == 1)
            FUZZ_CHECK(parts.size() == text.mid(sep.size()).count(sep) + 1);
    }
    return 0;
}
