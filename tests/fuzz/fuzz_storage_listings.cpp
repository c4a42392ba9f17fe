// What a printer says about its stored files, fonts and space: every listing parser of
// the file, font and TSPL storage windows, chosen by the first input byte, on the rest.
// A listing never yields a name longer than its input nor more entries than its input
// has pieces, never an empty name where the window would show a row, and a capacity is
// never negative.
#include "FuzzSupport.h"
#include "mdlDLStored.h"
#include "mdlFontCommands.h"
#include "mdlTsplStorage.h"

using namespace prt::dl;
using namespace fontcmd;

namespace {

// A reply as the windows see it: the bytes read, NUL dropped, one character per byte.
QString ReplyText(const QByteArray& bytes)
{
    QString t;
    for (const char c : bytes)
        if (c != 0)
            t += QChar(char16_t(uint8_t(c)));
    return t;
}

qsizetype Pieces(const QString& text, const QString& separator)
{
    return text.count(separator) + 1;
}

void CheckNames(const QStringList& names, const QString& text, qsizetype most)
{
    FUZZ_CHECK(names.size() <= most);
    for (const QString& n : names) {
        FUZZ_CHECK(!n.isEmpty());
        FUZZ_CHECK(n.size() <= text.size());
    }
}

QStringList Names(const QList<TStoredRow>& rows)
{
    QStringList n;
    for (const TStoredRow& r : rows)
        n << r.name;
    return n;
}

QStringList Names(const TFontRows& rows)
{
    QStringList n;
    for (const TFontRow& r : rows) {
        FUZZ_CHECK(r.Storage == 0 || r.Storage == 1);
        n << r.Name;
    }
    return n;
}

bool IsDigitsAndSeparators(const QString& t)
{
    if (t.isEmpty())
        return false;
    for (const QChar c : t)
        if (!c.isDigit() && c != QLatin1Char(',') && c != QLatin1Char('.') && !c.isSpace() &&
            c != QChar(0x00A0) && c != QChar(0x202F) && c != QLatin1Char('\''))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t which = data[0];
    const QByteArray bytes = fuzz::Bytes(data + 1, size - 1);
    const QString text = ReplyText(bytes);
    const QString comma = QStringLiteral(",");
    switch ((which & 0x7F) % 12) {
    case 0: {  // getval "bitmaps" / "labels"
        const QList<TStoredRow> rows = ParseKeyValueListing(text);
        CheckNames(Names(rows), text, Pieces(text, comma));
        for (const TStoredRow& r : rows)
            FUZZ_CHECK(r.name.size() + 2 <= text.size());
        break;
    }
    case 1: {  // "~!F" images and templates
        const QString ext = (which & 0x80) ? QStringLiteral(".BAS") : QStringLiteral(".BMP");
        const QList<TStoredRow> rows = ParseTsplListing(text, ext);
        CheckNames(Names(rows), text, Pieces(text, QStringLiteral("\r")));
        for (const TStoredRow& r : rows)
            FUZZ_CHECK(!r.ram && r.name.contains(ext));
        break;
    }
    case 2: {  // DPL "WG"
        const char eol = (which & 0x80) ? '|' : '\r';
        QList<TStoredRow> rows;
        const bool ok = ParseDplImageListing(text, eol, rows);
        if (!ok)
            FUZZ_CHECK(rows.isEmpty());
        else
            FUZZ_CHECK(text.contains(QLatin1String("AVAIL")));
        CheckNames(Names(rows), text, Pieces(text, QString(QLatin1Char(eol))));
        for (const TStoredRow& r : rows)
            FUZZ_CHECK(r.name.endsWith(QLatin1String(".BMP")));
        break;
    }
    case 3: {  // ZPL ^HW images
        const QStringList names = ParseZplImageListing(text);
        CheckNames(names, text, Pieces(text, QStringLiteral("\r\n")));
        for (const QString& n : names)
            FUZZ_CHECK(n.endsWith(QLatin1String("GRF")));
        break;
    }
    case 4: {  // auto templates on one line, and the pieces printed or deleted
        const QString tspl = JoinTsplAutoTemplates(text);
        const QString kv = JoinKeyValueAutoTemplates(text);
        FUZZ_CHECK(tspl.size() <= text.size());
        FUZZ_CHECK(kv.size() <= text.size());
        CheckNames(AutoTemplatePieces(text), text, Pieces(text, comma));
        break;
    }
    case 5: {  // used and remaining space of the file and font windows
        const qsizetype cut = bytes.indexOf('\0');
        const QString used = ReplyText(cut < 0 ? bytes : bytes.left(cut));
        const QString remaining = cut < 0 ? QString() : ReplyText(bytes.mid(cut + 1));
        TSpaceInfo info;
        if (ParseSpaceReplies(used, remaining, info)) {
            FUZZ_CHECK(info.remainingBytes >= 0);
            FUZZ_CHECK(IsDigitsAndSeparators(info.used));
            FUZZ_CHECK(IsDigitsAndSeparators(info.remaining));
        } else {
            FUZZ_CHECK(info.remainingBytes == 0);
        }
        break;
    }
    case 6: {  // DPL "WF" fonts
        const char cr = (which & 0x80) ? '|' : '\r';
        bool ok = true;
        const TFontRows rows = ParseDplFontListing(text, cr, &ok);
        if (!ok)
            FUZZ_CHECK(rows.isEmpty());
        CheckNames(Names(rows), text, Pieces(text, QString(QLatin1Char(cr))));
        for (const TFontRow& r : rows)
            FUZZ_CHECK(r.Name.endsWith(QLatin1String(".ttf")));
        break;
    }
    case 7: {  // TSPL "~!F" fonts
        bool ok = true;
        const TFontRows rows = ParseTsplFontListing(text, &ok);
        FUZZ_CHECK(ok == !text.isEmpty());
        CheckNames(Names(rows), text, Pieces(text, QStringLiteral("\r")));
        for (const TFontRow& r : rows)
            FUZZ_CHECK(r.Name.contains(QLatin1String(".ttf")));
        break;
    }
    case 8: {  // ZPL ^HW fonts
        bool ok = true;
        const TFontRows rows = ParseZplFontListing(text, &ok);
        FUZZ_CHECK(ok == !text.isEmpty());
        CheckNames(Names(rows), text, Pieces(text, QStringLiteral("\r\n")));
        for (const TFontRow& r : rows)
            FUZZ_CHECK(r.Name.toLower().endsWith(QLatin1String("ttf")));
        break;
    }
    case 9: {  // getval "fonts"
        bool ok = true;
        const TFontRows rows = ParsePacketFontListing(text, &ok);
        if (!ok)
            FUZZ_CHECK(rows.isEmpty());
        CheckNames(Names(rows), text, Pieces(text, comma));
        break;
    }
    case 10: {  // TSPL storage: "ZZZFILES F" / "ZZZFILES N"
        const QStringList names = ParseTsplFileList(bytes);
        if (bytes.size() <= 1)
            FUZZ_CHECK(names.isEmpty());
        FUZZ_CHECK(names.size() <= bytes.count(',') + 1);
        for (const QString& n : names) {
            FUZZ_CHECK(n.size() <= bytes.size());
            for (const QChar c : n)
                FUZZ_CHECK(c.unicode() > 0x20);
        }
        break;
    }
    case 11: {  // TSPL storage: "ZZZFILESSIZE"
        for (const TTsplStorage s : {TTsplStorage::Flash, TTsplStorage::Dram}) {
            const TTsplSpace space = ParseTsplSpace(bytes, s);
            FUZZ_CHECK(space.ok == (bytes.size() == 16));
            if (!space.ok)
                FUZZ_CHECK(space.first == 0 && space.second == 0);
            const QString shown = TsplSpaceText(QStringLiteral("{0}|{1}"), space);
            FUZZ_CHECK(!shown.contains(QLatin1Char('-')));
            const QStringList parts = shown.split(QLatin1Char('|'));
            FUZZ_CHECK(parts.size() == 2);
            FUZZ_CHECK(parts[0].toULongLong() == space.second / 1024 && parts[1].toULongLong() == space.first / 1024);
        }
        break;
    }
    }
    return 0;
}
