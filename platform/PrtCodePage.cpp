#include "PrtCodePage.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

#include <atomic>
#include <cerrno>
#include <iconv.h>
#include <string>
#include <vector>

namespace prt {
namespace {

std::atomic<int> g_uiLanguageId{1033};

// iconv name of a Windows code page, empty for "not a code page we can name".
std::string IconvName(int codePage)
{
    switch (codePage) {
    case 65001: return "UTF-8";
    case 936: return "CP936";
    case 950: return "CP950";
    case 932: return "CP932";
    case 949: return "CP949";
    case 1251: return "CP1251";
    case 1252: return "CP1252";
    default: break;
    }
    if (codePage <= 0)
        return {};
    return "CP" + std::to_string(codePage);
}

class Iconv {
public:
    Iconv(const std::string& to, const std::string& from)
        : cd_(iconv_open(to.c_str(), from.c_str()))
    {
    }
    ~Iconv()
    {
        if (ok())
            iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

// Converts one chunk; returns the iconv result and advances the pointers.
size_t Step(iconv_t cd, const char*& in, size_t& inLeft, std::vector<char>& out, size_t& used)
{
    for (;;) {
        if (out.size() - used < 64)
            out.resize(out.size() * 2 + 64);
        char* inPtr = const_cast<char*>(in);
        char* outPtr = out.data() + used;
        size_t outLeft = out.size() - used;
        const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        used = static_cast<size_t>(outPtr - out.data());
        in = inPtr;
        if (r == static_cast<size_t>(-1) && errno == E2BIG)
            continue;
        return r;
    }
}

} // namespace

int CodePageOfLanguageId(int lcid)
{
    switch (lcid) {
    case 2052: return 936;
    case 1028: return 950;
    case 1041: return 932;
    case 1042: return 949;
    case 1049: return 1251;
    default: return 1252;
    }
}

void SetUiLanguageId(int lcid)
{
    g_uiLanguageId.store(lcid);
}

int UiLanguageId()
{
    return g_uiLanguageId.load();
}

int SystemAnsiCodePage()
{
    return CodePageOfLanguageId(UiLanguageId());
}

bool IsCodePageSupported(int codePage)
{
    const std::string name = IconvName(codePage);
    if (name.empty())
        return false;
    Iconv cd(name, "UTF-32LE");
    return cd.ok();
}

QByteArray TextToCodePageBytes(const QString& text, int codePage, bool* ok)
{
    if (ok)
        *ok = false;
    const std::string name = IconvName(codePage);
    if (name.empty())
        return {};
    if (codePage == 65001) {
        if (ok)
            *ok = true;
        return text.toUtf8();  // lone surrogates become U+FFFD
    }
    Iconv cd(name, "UTF-32LE");
    if (!cd.ok())
        return {};
    if (ok)
        *ok = true;
    if (text.isEmpty())
        return {};

    // One code point at a time through UTF-32 so a character the code page lacks can be
    // replaced by "?" and the rest goes on.
    const QList<uint> ucs = text.toUcs4();
    std::vector<char> out(static_cast<size_t>(ucs.size()) * 2 + 16);
    size_t used = 0;
    for (uint cp : ucs) {
        char unit[4] = {char(cp & 0xFF), char((cp >> 8) & 0xFF), char((cp >> 16) & 0xFF),
                        char((cp >> 24) & 0xFF)};
        const char* in = unit;
        size_t inLeft = 4;
        const size_t r = Step(cd.get(), in, inLeft, out, used);
        if (r == static_cast<size_t>(-1) || inLeft != 0) {
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
            if (out.size() - used < 1)
                out.resize(out.size() * 2 + 64);
            // 1252 reads its five unassigned bytes as the characters of the same code;
            // they go back as those bytes, so such a text survives a round trip.
            const bool unassigned1252 =
                codePage == 1252 && (cp == 0x81 || cp == 0x8D || cp == 0x8F || cp == 0x90 || cp == 0x9D);
            out[used++] = unassigned1252 ? char(cp) : '?';
        }
    }
    // Flush a shift state (none of the code pages above has one, but be safe).
    {
        if (out.size() - used < 16)
            out.resize(out.size() + 16);
        char* outPtr = out.data() + used;
        size_t outLeft = out.size() - used;
        iconv(cd.get(), nullptr, nullptr, &outPtr, &outLeft);
        used = static_cast<size_t>(outPtr - out.data());
    }
    return QByteArray(out.data(), static_cast<qsizetype>(used));
}

QString CodePageBytesToText(const QByteArray& bytes, int codePage, bool* ok)
{
    if (ok)
        *ok = false;
    const std::string name = IconvName(codePage);
    if (name.empty())
        return {};
    if (codePage == 65001) {
        if (ok)
            *ok = true;
        return QString::fromUtf8(bytes);
    }
    Iconv cd("UTF-32LE", name);
    if (!cd.ok())
        return {};
    if (ok)
        *ok = true;
    if (bytes.isEmpty())
        return {};

    std::vector<char> out(static_cast<size_t>(bytes.size()) * 4 + 16);
    size_t used = 0;
    const char* in = bytes.constData();
    size_t inLeft = static_cast<size_t>(bytes.size());
    QString result;
    auto flushOut = [&]() {
        const auto* p = reinterpret_cast<const unsigned char*>(out.data());
        for (size_t i = 0; i + 4 <= used; i += 4) {
            const char32_t c = char32_t(p[i]) | (char32_t(p[i + 1]) << 8) |
                               (char32_t(p[i + 2]) << 16) | (char32_t(p[i + 3]) << 24);
            result.append(QString::fromUcs4(&c, 1));
        }
        used = 0;
    };
    while (inLeft > 0) {
        const size_t r = Step(cd.get(), in, inLeft, out, used);
        if (r != static_cast<size_t>(-1))
            break;
        // A byte that does not decode (or a cut multi-byte sequence at the end).
        flushOut();
        const unsigned char bad = static_cast<unsigned char>(*in);
        result.append(codePage == 1252 ? QChar(char16_t(bad)) : QChar(char16_t(0xFFFD)));
        ++in;
        --inLeft;
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    flushOut();
    return result;
}

QByteArray TextToAnsiBytes(const QString& text)
{
    return TextToCodePageBytes(text, SystemAnsiCodePage());
}

QString AnsiBytesToText(const QByteArray& bytes)
{
    return CodePageBytesToText(bytes, SystemAnsiCodePage());
}

bool IsValidUtf8(const QByteArray& bytes)
{
    QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)QString(dec(bytes));
    return !dec.hasError();
}

namespace {

// The encoding a byte-order mark at the start names; false when there is none.
bool EncodingOfMark(const QByteArray& bytes, TTextEncoding* e)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        e->kind = TTextEncoding::Utf8;
    else if (bytes.startsWith("\xFF\xFE"))
        e->kind = TTextEncoding::Utf16LE;
    else if (bytes.startsWith("\xFE\xFF"))
        e->kind = TTextEncoding::Utf16BE;
    else
        return false;
    e->bom = true;
    return true;
}

} // namespace

TTextEncoding DetectTextEncoding(const QByteArray& bytes)
{
    TTextEncoding e;
    if (EncodingOfMark(bytes, &e))
        return e;
    if (IsValidUtf8(bytes)) {
        e.kind = TTextEncoding::Utf8;
    } else {
        e.kind = TTextEncoding::CodePage;
        e.codePage = SystemAnsiCodePage();
    }
    return e;
}

QString DecodeText(const QByteArray& bytes, const TTextEncoding& enc)
{
    switch (enc.kind) {
    // Only the file's own mark is dropped: a U+FEFF right after it is text (the decoders
    // would drop it as a second mark). An unfinished UTF-8 sequence at the end is a
    // replacement character, not held back.
    case TTextEncoding::Utf8: {
        const qsizetype skip = enc.bom && bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
        QStringDecoder dec(QStringDecoder::Utf8,
                           QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
        return QString(dec(QByteArrayView(bytes).sliced(skip)));
    }
    case TTextEncoding::Utf16LE:
    case TTextEncoding::Utf16BE: {
        const qsizetype skip = enc.bom && bytes.size() >= 2 ? 2 : 0;
        QStringDecoder dec(enc.kind == TTextEncoding::Utf16LE ? QStringDecoder::Utf16LE
                                                               : QStringDecoder::Utf16BE,
                           QStringDecoder::Flag::ConvertInitialBom);
        return QString(dec(QByteArrayView(bytes).sliced(skip)));
    }
    case TTextEncoding::CodePage:
        return CodePageBytesToText(bytes, enc.codePage);
    }
    return {};
}

bool EncodeText(const QString& text, const TTextEncoding& enc, QByteArray& out)
{
    out.clear();
    switch (enc.kind) {
    case TTextEncoding::Utf8:
        if (enc.bom)
            out = "\xEF\xBB\xBF";
        out += text.toUtf8();
        return true;
    case TTextEncoding::Utf16LE:
    case TTextEncoding::Utf16BE: {
        QStringEncoder encoder(enc.kind == TTextEncoding::Utf16LE ? QStringEncoder::Utf16LE
                                                                   : QStringEncoder::Utf16BE,
                               enc.bom ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
        out = encoder(text);
        return true;
    }
    case TTextEncoding::CodePage: {
        bool ok = false;
        out = TextToCodePageBytes(text, enc.codePage, &ok);
        // Every character must come back as itself: one that the code page lacks fails.
        if (!ok || CodePageBytesToText(out, enc.codePage) != text) {
            out.clear();
            return false;
        }
        return true;
    }
    }
    return false;
}

QString DecodeTextFileBytes(const QByteArray& bytes, TTextEncoding* used)
{
    TTextEncoding e;
    QString text;
    if (EncodingOfMark(bytes, &e)) {
        text = DecodeText(bytes, e);
    } else {
        // Decoded as UTF-8 once: valid, that is the text; else the 8-bit code page.
        QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = dec(bytes);
        if (dec.hasError()) {
            e.kind = TTextEncoding::CodePage;
            e.codePage = SystemAnsiCodePage();
            text = CodePageBytesToText(bytes, e.codePage);
        }
    }
    if (used)
        *used = e;
    return text;
}

QStringList SplitTextLines(const QString& text)
{
    // A plain scan: it holds for any text, also one with unpaired surrogates.
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1).unicode() == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

} // namespace prt

void StrToCodePageBytes(const QString& text, int codePage, QByteArray& bytes)
{
    bytes.clear();
    if (text.isEmpty())
        return;
    bytes = prt::TextToCodePageBytes(text, codePage);
}
