// The printer information and status replies on any bytes: every reader returns, a text
// taken from the reply is never longer than the reply, numbers come with their unit, and a
// status block names only the conditions of the status table.
#include "FuzzSupport.h"
#include "mdlInfoReplies.h"

#include <QSet>

namespace {

void CheckNumberText(const QString& text, bool ok, const QString& unit)
{
    if (!ok) {
        FUZZ_CHECK(text.isEmpty());
        return;
    }
    FUZZ_CHECK(text.endsWith(unit));
    FUZZ_CHECK(text.size() > unit.size());
    FUZZ_CHECK(text.size() <= 32 + unit.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    const QString latin = QString::fromLatin1(bytes);
    const QString utf8 = QString::fromUtf8(bytes);
    bool ok = false;

    // Texts shown as they came: never longer than what came.
    const QString direct = ProduceDateDirectText(bytes);
    FUZZ_CHECK(direct.size() <= std::min<qsizetype>(8, bytes.size()));
    FUZZ_CHECK(!direct.contains(QChar(0)));
    for (const QString& reply : {latin, utf8}) {
        const QString date = ProduceDateText(reply, ok);
        FUZZ_CHECK(ok == (reply.size() == 8));
        FUZZ_CHECK(ok ? date == reply : date.isEmpty());

        // Counters: whole numbers only, in metres.
        const QString mm = MileageTextMm(reply, ok);
        CheckNumberText(mm, ok, QStringLiteral("m"));
        bool whole = false;
        reply.trimmed().toLongLong(&whole);
        FUZZ_CHECK(ok == whole);
        const QString inch = MileageTextInch(reply, ok);
        CheckNumberText(inch, ok, QStringLiteral("m"));
        FUZZ_CHECK(ok == whole);
    }
    if (size >= 4) {
        const int number = int(uint32_t(data[0]) << 24 | uint32_t(data[1]) << 16 | uint32_t(data[2]) << 8 | data[3]);
        const QString heat = HeatNumberText(number, ok);
        FUZZ_CHECK(ok == (number >= 0));
        CheckNumberText(heat, ok, QStringLiteral("m"));
    }

    // Raw counters and versions: the reads take 4 (journey) and 3 or 4 bytes (version).
    for (qsizetype n = 0; n <= std::min<qsizetype>(bytes.size(), 5); ++n) {
        const QByteArray piece = bytes.left(n);
        for (bool millimetres : {false, true}) {
            const QString journey = JourneyText(piece, millimetres, ok);
            FUZZ_CHECK(ok == (n >= 4));
            CheckNumberText(journey, ok, QStringLiteral(" (m)"));
        }
        const QString version = FirmwareVersionText(piece, ok);
        FUZZ_CHECK(ok == (n == 3 || n == 4));
        if (ok) {
            const QString expected = QStringLiteral("V %1.%2.%3")
                                         .arg(uint8_t(piece[0]))
                                         .arg(uint8_t(piece[1]))
                                         .arg(uint8_t(piece[2]));
            FUZZ_CHECK(version.startsWith(expected));
            FUZZ_CHECK(version == expected
                       || (n == 4 && piece[3] != 0
                           && version == expected + QStringLiteral(".Beta") + QString::number(uint8_t(piece[3]))));
        } else {
            FUZZ_CHECK(version.isEmpty());
        }
    }

    // Status: only the table's conditions, each at most once, in table order; nothing from
    // a block too short to hold the flag bytes.
    const QStringList known = PrinterStatusKnownKeys();
    FUZZ_CHECK(known.size() == 14);
    const QStringList keys = PrinterStatusKeys(bytes);
    if (bytes.size() < 19)
        FUZZ_CHECK(keys.isEmpty());
    qsizetype last = -1;
    for (const QString& key : keys) {
        const qsizetype at = known.indexOf(key);
        FUZZ_CHECK(at > last);
        last = at;
    }
    if (bytes.size() >= 19) {
        const int set = __builtin_popcount(uint8_t(bytes[18])) + __builtin_popcount(uint8_t(bytes[17]) & 0x3F);
        FUZZ_CHECK(keys.size() == set);
    }
    return 0;
}
