// The ini reader and writer on any bytes: reading never fails, and a value written reads
// back while every other key keeps its value.
#include "FuzzSupport.h"
#include "PrtIni.h"

#include <QPair>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    prt::IniFile ini;
    ini.parse(bytes);
    // Every listed key reads as its listed value.
    QList<QPair<QString, QList<QPair<QString, QString>>>> before;
    for (const QString& s : ini.sections()) {
        const auto entries = ini.entries(s);
        for (const auto& e : entries)
            FUZZ_CHECK(ini.readString(s, e.first, QStringLiteral("<no default>")) == e.second);
        before.append({s, entries});
    }
    // The value to write: the input's last 40 bytes as text, without line breaks.
    QString value = QString::fromUtf8(bytes.right(40));
    value.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    FUZZ_CHECK(!ini.setValue(QStringLiteral("Fuzz"), QStringLiteral("K"), QStringLiteral("a\nb")));
    FUZZ_CHECK(ini.setValue(QStringLiteral("Fuzz"), QStringLiteral("K"), value));
    prt::IniFile again;
    again.parse(ini.toBytes());
    // Any value reads back as itself: blanks at its ends and quotes around it included.
    if (value.isValidUtf16())
        FUZZ_CHECK(again.readString(QStringLiteral("Fuzz"), QStringLiteral("K")) == value);
    for (const auto& s : before) {
        for (const auto& e : s.second) {
            if (s.first.compare(QLatin1String("Fuzz"), Qt::CaseInsensitive) == 0 &&
                e.first.compare(QLatin1String("K"), Qt::CaseInsensitive) == 0)
                continue;
            if (!e.second.isValidUtf16() || !s.first.isValidUtf16() || !e.first.isValidUtf16())
                continue;  // lone surrogates cannot be written as UTF-8
            FUZZ_CHECK(again.readString(s.first, e.first, QStringLiteral("<missing>")) == e.second);
        }
    }
    return 0;
}
