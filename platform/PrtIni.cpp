#include "PrtIni.h"

#include "PrtCodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <memory>
#include <mutex>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace prt {
namespace {

// Case folding of a name; plain ASCII (nearly every name) takes a short road.
QString FoldName(QStringView name)
{
    const qsizetype n = name.size();
    const char16_t* d = name.utf16();
    bool ascii = true, lower = true;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = d[i];
        if (c >= 0x80) {
            ascii = false;
            break;
        }
        if (c >= u'A' && c <= u'Z')
            lower = false;
    }
    if (!ascii)
        return name.toString().toCaseFolded();
    QString out = name.toString();
    if (!lower) {
        char16_t* o = reinterpret_cast<char16_t*>(out.data());
        for (qsizetype i = 0; i < n; ++i)
            if (o[i] >= u'A' && o[i] <= u'Z')
                o[i] = char16_t(o[i] + (u'a' - u'A'));
    }
    return out;
}

bool IsBlank(const QString& line)
{
    return line.trimmed().isEmpty();
}

bool HasLineBreak(const QString& s)
{
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
}

// A value as the reader takes it from the text after "=": trimmed (QChar::isSpace at either
// end), then one pair of matching surrounding quotes removed.
QStringView ValueAsRead(QStringView raw)
{
    QStringView value = raw.trimmed();
    if (value.size() >= 2) {
        const QChar f = value.front();
        if ((f == QLatin1Char('"') || f == QLatin1Char('\'')) && value.back() == f)
            value = value.mid(1, value.size() - 2);
    }
    return value;
}

// A value as the writer puts it after "=": in double quotes exactly when the reader would
// take it as other text, so that every value reads back as itself.
QString ValueAsWritten(const QString& value)
{
    if (ValueAsRead(value) == QStringView(value))
        return value;
    return QLatin1Char('"') + value + QLatin1Char('"');
}

} // namespace

// ---- IniFile ----------------------------------------------------------------------

namespace {

bool IsAscii(QStringView s)
{
    for (const QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

char16_t AsciiFold(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

} // namespace

bool IniNamesEqual(QStringView a, QStringView b) noexcept
{
    if (IsAscii(a) && IsAscii(b)) {
        if (a.size() != b.size())
            return false;
        for (qsizetype i = 0; i < a.size(); ++i)
            if (AsciiFold(a[i].unicode()) != AsciiFold(b[i].unicode()))
                return false;
        return true;
    }
    return FoldName(a) == FoldName(b);
}

size_t IniNameHash(QStringView name, size_t seed) noexcept
{
    // FNV-1a over the folded UTF-16 units, so an ASCII name and a non-ASCII name that
    // folds to it hash alike.
    auto mix = [](QStringView folded, size_t h, bool ascii) {
        for (const QChar c : folded)
            h = (h ^ (ascii ? AsciiFold(c.unicode()) : c.unicode())) * 1099511628211ULL;
        return h;
    };
    const size_t basis = 14695981039346656037ULL ^ seed;
    if (IsAscii(name))
        return mix(name, basis, true);
    const QString folded = FoldName(name);
    return mix(folded, basis, false);
}

bool IniFile::load(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        parse(QByteArray());
        return false;
    }
    parse(f.readAll());
    return true;
}

void IniFile::parse(const QByteArray& bytes)
{
    bom_ = bytes.startsWith("\xEF\xBB\xBF");
    TTextEncoding used;
    QString text = DecodeTextFileBytes(bytes, &used);
    parseText(text);
    codePage_ = used.kind == TTextEncoding::CodePage ? used.codePage : 0;
}

void IniFile::parseText(const QString& textIn)
{
    codePage_ = 0;
    text_ = textIn;  // shared, not copied
    QStringView text(text_);
    qsizetype start = 0;
    if (text.startsWith(QChar(0xFEFF)))
        start = 1;
    lines_.clear();
    const qsizetype firstLf = text.indexOf(QLatin1Char('\n'), start);
    crlf_ = firstLf < 0 ? true : (firstLf > start && text.at(firstLf - 1) == QLatin1Char('\r'));
    endsWithNewline_ = text.size() <= start || text.endsWith(QLatin1Char('\n'));
    // Lines end at LF; a CR before it belongs to the line end. The text after the last LF
    // is a line of its own unless it is empty.
    lines_.reserve(static_cast<size_t>(text.count(QLatin1Char('\n')) + 1));
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        const qsizetype next = end < 0 ? n : end + 1;
        if (end < 0)
            end = n;
        qsizetype len = end - start;
        if (len > 0 && text.at(start + len - 1) == QLatin1Char('\r'))
            --len;
        lines_.push_back({start, len});
        start = next;
    }
    reindex();
}

std::vector<QString> IniFile::lineStrings() const
{
    std::vector<QString> out;
    out.reserve(lines_.size());
    for (size_t i = 0; i < lines_.size(); ++i)
        out.push_back(line(i).toString());
    return out;
}

void IniFile::setLines(const std::vector<QString>& lines)
{
    qsizetype total = 0;
    for (const QString& l : lines)
        total += l.size() + 1;
    QString text;
    text.reserve(total);
    lines_.clear();
    lines_.reserve(lines.size());
    for (const QString& l : lines) {
        lines_.push_back({text.size(), l.size()});
        text += l;
        text += QLatin1Char('\n');
    }
    text_ = text;
    reindex();
}

void IniFile::reindex()
{
    // Only the headers here; each section's keys are indexed when it is first read.
    sections_.clear();
    sectionIndex_.clear();
    int current = -1;   // the open section when it is the first of its name
    int lastSeen = -1;  // for lastContentLine of the first section of a name
    const int count = static_cast<int>(lines_.size());
    for (int i = 0; i < count; ++i) {
        const QStringView t = line(static_cast<size_t>(i)).trimmed();
        if (t.isEmpty())
            continue;
        if (t.startsWith(QLatin1Char('['))) {
            if (current >= 0)
                sections_[static_cast<size_t>(current)].endLine = i;
            const qsizetype close = t.indexOf(QLatin1Char(']'));
            const QStringView header = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
            if (sectionIndex_.contains(FoldedName{header})) {
                current = -1;  // a duplicate section is never read
                lastSeen = -1;
            } else {
                Section s;
                s.name = header.isEmpty() ? QLatin1String("") : header.toString();
                s.headerLine = i;
                s.lastContentLine = i;
                s.endLine = count;
                sections_.push_back(std::move(s));
                current = static_cast<int>(sections_.size()) - 1;
                lastSeen = current;
                sectionIndex_.insert(FoldedName{header}, current);
            }
            continue;
        }
        if (lastSeen >= 0)
            sections_[static_cast<size_t>(lastSeen)].lastContentLine = i;
    }
}

const IniFile::KeyTable& IniFile::keyTable(const Section& sec) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (sec.table)
        return *sec.table;
    auto table = std::make_shared<KeyTable>();
    const int lines = sec.endLine - sec.headerLine - 1;
    table->keys.reserve(static_cast<size_t>(lines > 0 ? lines : 0));
    table->keyIndex.reserve(lines > 0 ? lines : 0);
    for (int i = sec.headerLine + 1; i < sec.endLine; ++i) {
        // Name and value stay views into the line: no string is made per key.
        const QStringView t = line(static_cast<size_t>(i)).trimmed();
        if (t.isEmpty() || t.startsWith(QLatin1Char(';')))
            continue;
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QStringView name = t.left(eq).trimmed();
        if (name.isEmpty())
            continue;
        const qsizetype known = table->keyIndex.size();
        int& slot = table->keyIndex[FoldedName{name}];  // one lookup: inserts when new
        if (table->keyIndex.size() == known)
            continue;  // the first key of a name wins
        slot = static_cast<int>(table->keys.size());
        Key k;
        k.name = name;
        k.value = ValueAsRead(t.mid(eq + 1));
        k.line = i;
        table->keys.push_back(std::move(k));
    }
    sec.table = std::move(table);
    return *sec.table;
}

const IniFile::Section* IniFile::findSection(const QString& section) const
{
    const auto it = sectionIndex_.constFind(FoldedName{QStringView(section).trimmed()});
    return it == sectionIndex_.constEnd() ? nullptr : &sections_[static_cast<size_t>(*it)];
}

const IniFile::Key* IniFile::findKey(const Section& s, const QString& key) const
{
    const KeyTable& table = keyTable(s);
    const auto it = table.keyIndex.constFind(FoldedName{QStringView(key).trimmed()});
    return it == table.keyIndex.constEnd() ? nullptr : &table.keys[static_cast<size_t>(*it)];
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const
{
    const Section* s = findSection(section);
    if (!s)
        return defaultValue;
    const Key* k = findKey(*s, key);
    return k ? k->value.toString() : defaultValue;
}

bool IniFile::hasSection(const QString& section) const
{
    return findSection(section) != nullptr;
}

bool IniFile::hasKey(const QString& section, const QString& key) const
{
    const Section* s = findSection(section);
    return s && findKey(*s, key);
}

QStringList IniFile::sections() const
{
    QStringList out;
    out.reserve(static_cast<qsizetype>(sections_.size()));
    for (const Section& s : sections_)
        out.append(s.name);
    return out;
}

QStringList IniFile::keys(const QString& section) const
{
    QStringList out;
    if (const Section* s = findSection(section))
        for (const Key& k : keyTable(*s).keys)
            out.append(k.name.toString());
    return out;
}

QList<QPair<QString, QString>> IniFile::entries(const QString& section) const
{
    QList<QPair<QString, QString>> out;
    if (const Section* s = findSection(section)) {
        const KeyTable& table = keyTable(*s);
        out.reserve(static_cast<qsizetype>(table.keys.size()));
        for (const Key& k : table.keys)
            out.append({k.name.toString(), k.value.toString()});
    }
    return out;
}

bool IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    const QString sec = section.trimmed();
    const QString name = key.trimmed();
    if (sec.isEmpty() || name.isEmpty() || HasLineBreak(sec) || HasLineBreak(name) ||
        HasLineBreak(value) || sec.contains(QLatin1Char(']')) ||
        name.contains(QLatin1Char('=')) || name.startsWith(QLatin1Char(';')) ||
        name.startsWith(QLatin1Char('[')))
        return false;

    const QString written = ValueAsWritten(value);
    std::vector<QString> lines = lineStrings();
    if (const Section* s = findSection(sec)) {
        if (const Key* k = findKey(*s, name)) {
            lines[static_cast<size_t>(k->line)] = k->name.toString() + QLatin1Char('=') + written;
        } else {
            lines.insert(lines.begin() + s->lastContentLine + 1, name + QLatin1Char('=') + written);
        }
    } else {
        if (!lines.empty() && !IsBlank(lines.back()))
            lines.push_back(QString());
        lines.push_back(QLatin1Char('[') + sec + QLatin1Char(']'));
        lines.push_back(name + QLatin1Char('=') + written);
        endsWithNewline_ = true;
    }
    setLines(lines);
    return true;
}

bool IniFile::removeKey(const QString& section, const QString& key)
{
    const Section* s = findSection(section);
    if (!s)
        return false;
    const Key* k = findKey(*s, key);
    if (!k)
        return false;
    std::vector<QString> lines = lineStrings();
    lines.erase(lines.begin() + k->line);
    setLines(lines);
    return true;
}

QByteArray IniFile::toBytes() const
{
    const QLatin1String eol(crlf_ ? "\r\n" : "\n");
    QString text;
    text.reserve(text_.size() + static_cast<qsizetype>(lines_.size()) + 16);
    for (size_t i = 0; i < lines_.size(); ++i) {
        text += line(i);
        if (i + 1 < lines_.size() || endsWithNewline_)
            text += eol;
    }
    QByteArray out;
    if (bom_)
        out = QByteArray("\xEF\xBB\xBF");
    out += text.toUtf8();
    return out;
}

bool IniFile::save(const QString& path) const
{
    return WriteFileAtomic(path, toBytes());
}

namespace {
void ForgetBurstCopies();
} // namespace

bool WriteFileAtomic(const QString& path, const QByteArray& bytes)
{
    ForgetBurstCopies();  // a file written in a read burst is read again afterwards
    // Not QSaveFile: it reports success after a short write (file size limit, full disk).
    const QFileInfo fi(path);
    if (!QDir().mkpath(fi.absolutePath()))
        return false;
    const QByteArray target = QFile::encodeName(fi.absoluteFilePath());
    QByteArray tmp = target + ".tmpXXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0)
        return false;
    bool ok = true;
    struct stat st {};
    ::fchmod(fd, ::stat(target.constData(), &st) == 0 ? (st.st_mode & 07777) : 0644);
    const char* p = bytes.constData();
    size_t left = static_cast<size_t>(bytes.size());
    while (ok && left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
        } else if (n == 0) {
            ok = false;
        } else {
            p += n;
            left -= static_cast<size_t>(n);
        }
    }
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok && ::rename(tmp.constData(), target.constData()) != 0)
        ok = false;
    if (!ok)
        ::unlink(tmp.constData());
    return ok;
}

// ---- cached free functions -----------------------------------------------------------

namespace {

struct Stamp {
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    long long mtimeNs = 0;
    bool operator==(const Stamp& o) const
    {
        return exists == o.exists && dev == o.dev && ino == o.ino && size == o.size &&
               mtimeNs == o.mtimeNs;
    }
};

Stamp StampOf(const QString& path)
{
    Stamp s;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode)) {
        s.exists = true;
        s.dev = st.st_dev;
        s.ino = st.st_ino;
        s.size = st.st_size;
        s.mtimeNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    }
    return s;
}

struct CacheEntry {
    Stamp stamp;
    int codePage = 0;  // 8-bit code page the file was decoded with; 0 = UTF-8
    std::shared_ptr<const IniFile> ini;
};

std::mutex g_cacheMutex;
std::mutex g_writeMutex;
QHash<QString, CacheEntry> g_cache;

QString CacheKey(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

// Files already checked during the open read burst of this thread (by the path as given).
struct BurstEntry {
    int codePage = 0;
    std::shared_ptr<const IniFile> ini;
};
thread_local int t_burstDepth = 0;
thread_local QHash<QString, BurstEntry>* t_burstFiles = nullptr;

void ForgetBurstCopies()
{
    if (t_burstFiles)
        t_burstFiles->clear();
}

std::shared_ptr<const IniFile> ParsedChecked(const QString& path, int* codePageOut);

std::shared_ptr<const IniFile> Parsed(const QString& path)
{
    if (t_burstDepth > 0 && t_burstFiles) {
        const auto it = t_burstFiles->constFind(path);
        if (it != t_burstFiles->constEnd() && (it->codePage == 0 || it->codePage == SystemAnsiCodePage()))
            return it->ini;
        int codePage = 0;
        auto ini = ParsedChecked(path, &codePage);
        t_burstFiles->insert(path, BurstEntry{codePage, ini});
        return ini;
    }
    return ParsedChecked(path, nullptr);
}

std::shared_ptr<const IniFile> ParsedChecked(const QString& path, int* codePageOut)
{
    static const auto empty = std::make_shared<const IniFile>();
    if (codePageOut)
        *codePageOut = 0;
    const QString key = CacheKey(path);
    const Stamp stamp = StampOf(path);
    if (!stamp.exists) {
        std::lock_guard<std::mutex> lock(g_cacheMutex);
        g_cache.remove(key);
        return empty;
    }
    {
        std::lock_guard<std::mutex> lock(g_cacheMutex);
        const auto it = g_cache.constFind(key);
        if (it != g_cache.constEnd() && it->stamp == stamp &&
            (it->codePage == 0 || it->codePage == SystemAnsiCodePage())) {
            if (codePageOut)
                *codePageOut = it->codePage;
            return it->ini;
        }
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return empty;
    const QByteArray bytes = f.readAll();
    f.close();
    auto ini = std::make_shared<IniFile>();
    ini->parse(bytes);
    CacheEntry e;
    // The stamp taken before reading: a change while reading makes the next read parse
    // again rather than keep stale data.
    e.stamp = stamp;
    e.codePage = ini->decodedCodePage();
    e.ini = ini;
    if (codePageOut)
        *codePageOut = e.codePage;
    std::lock_guard<std::mutex> lock(g_cacheMutex);
    g_cache.insert(key, e);
    return ini;
}

template <typename Change>
bool Modify(const QString& path, Change change)
{
    std::lock_guard<std::mutex> writeLock(g_writeMutex);
    IniFile ini;
    const Stamp before = StampOf(path);
    if (before.exists && !ini.load(path))
        return false;
    if (!before.exists)
        ini.parse(QByteArray());
    if (!change(ini))
        return false;
    if (!ini.save(path))
        return false;
    if (t_burstFiles)
        t_burstFiles->clear();  // this thread reads its own writes, burst or not
    std::lock_guard<std::mutex> lock(g_cacheMutex);
    g_cache.remove(CacheKey(path));
    return true;
}

} // namespace

QString IniReadString(const QString& path, const QString& section, const QString& key,
                      const QString& defaultValue)
{
    return Parsed(path)->readString(section, key, defaultValue);
}

QStringList IniReadSections(const QString& path)
{
    return Parsed(path)->sections();
}

QStringList IniReadKeys(const QString& path, const QString& section)
{
    return Parsed(path)->keys(section);
}

QList<QPair<QString, QString>> IniReadEntries(const QString& path, const QString& section)
{
    return Parsed(path)->entries(section);
}

bool IniHasKey(const QString& path, const QString& section, const QString& key)
{
    return Parsed(path)->hasKey(section, key);
}

bool IniWriteString(const QString& path, const QString& section, const QString& key,
                    const QString& value)
{
    return Modify(path, [&](IniFile& ini) { return ini.setValue(section, key, value); });
}

bool IniDeleteKey(const QString& path, const QString& section, const QString& key)
{
    return Modify(path, [&](IniFile& ini) { return ini.removeKey(section, key); });
}

void IniClearCache()
{
    if (t_burstFiles)
        t_burstFiles->clear();
    std::lock_guard<std::mutex> lock(g_cacheMutex);
    g_cache.clear();
}

IniReadBurst::IniReadBurst()
{
    if (t_burstDepth++ == 0) {
        delete t_burstFiles;
        t_burstFiles = new QHash<QString, BurstEntry>();
    }
}

IniReadBurst::~IniReadBurst()
{
    if (--t_burstDepth == 0) {
        delete t_burstFiles;
        t_burstFiles = nullptr;
    }
}

} // namespace prt
