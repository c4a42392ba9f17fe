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

QString Fold(const QString& s)
{
    return s.trimmed().toCaseFolded();
}

bool IsBlank(const QString& line)
{
    return line.trimmed().isEmpty();
}

bool IsComment(const QString& trimmed)
{
    return trimmed.startsWith(QLatin1Char(';'));
}

// Section name of a header line, or a null QString when the line is not a header.
QString HeaderName(const QString& trimmed)
{
    if (!trimmed.startsWith(QLatin1Char('[')))
        return QString();
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    const QString name = close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1);
    QString result = name.trimmed();
    if (result.isNull())
        result = QLatin1String("");
    return result;
}

QString StripQuotes(const QString& v)
{
    if (v.size() >= 2) {
        const QChar f = v.front();
        if ((f == QLatin1Char('"') || f == QLatin1Char('\'')) && v.back() == f)
            return v.mid(1, v.size() - 2);
    }
    return v;
}

bool HasLineBreak(const QString& s)
{
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
}

} // namespace

// ---- IniFile ----------------------------------------------------------------------

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
    parseText(DecodeTextFileBytes(bytes));
}

void IniFile::parseText(const QString& textIn)
{
    QString text = textIn;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    lines_.clear();
    const qsizetype firstLf = text.indexOf(QLatin1Char('\n'));
    crlf_ = firstLf < 0 ? true : (firstLf > 0 && text.at(firstLf - 1) == QLatin1Char('\r'));
    endsWithNewline_ = text.isEmpty() || text.endsWith(QLatin1Char('\n'));
    const QStringList raw = text.split(QLatin1Char('\n'));
    const qsizetype n = endsWithNewline_ ? raw.size() - 1 : raw.size();
    lines_.reserve(static_cast<size_t>(n > 0 ? n : 0));
    for (qsizetype i = 0; i < n; ++i) {
        QString l = raw[i];
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
        lines_.push_back(l);
    }
    reindex();
}

void IniFile::reindex()
{
    sections_.clear();
    sectionIndex_.clear();
    int current = -1;   // section receiving keys; -1 before the first header or in a duplicate
    int lastSeen = -1;  // for lastContentLine of the first section of a name
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
        const QString t = lines_[static_cast<size_t>(i)].trimmed();
        if (t.isEmpty())
            continue;
        const QString header = HeaderName(t);
        if (!header.isNull()) {
            const QString folded = header.toCaseFolded();
            if (sectionIndex_.contains(folded)) {
                current = -1;  // a duplicate section is never read
                lastSeen = -1;
            } else {
                Section s;
                s.name = header;
                s.folded = folded;
                s.headerLine = i;
                s.lastContentLine = i;
                sections_.push_back(std::move(s));
                current = static_cast<int>(sections_.size()) - 1;
                lastSeen = current;
                sectionIndex_.insert(folded, current);
            }
            continue;
        }
        if (lastSeen >= 0)
            sections_[static_cast<size_t>(lastSeen)].lastContentLine = i;
        if (current < 0 || IsComment(t))
            continue;
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString name = t.left(eq).trimmed();
        if (name.isEmpty())
            continue;
        Section& sec = sections_[static_cast<size_t>(current)];
        const QString folded = name.toCaseFolded();
        if (sec.keyIndex.contains(folded))
            continue;
        Key k;
        k.name = name;
        k.folded = folded;
        k.value = StripQuotes(t.mid(eq + 1).trimmed());
        k.line = i;
        sec.keyIndex.insert(folded, static_cast<int>(sec.keys.size()));
        sec.keys.push_back(std::move(k));
    }
}

const IniFile::Section* IniFile::findSection(const QString& section) const
{
    const auto it = sectionIndex_.constFind(Fold(section));
    return it == sectionIndex_.constEnd() ? nullptr : &sections_[static_cast<size_t>(*it)];
}

const IniFile::Key* IniFile::findKey(const Section& s, const QString& key)
{
    const auto it = s.keyIndex.constFind(Fold(key));
    return it == s.keyIndex.constEnd() ? nullptr : &s.keys[static_cast<size_t>(*it)];
}

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const
{
    const Section* s = findSection(section);
    if (!s)
        return defaultValue;
    const Key* k = findKey(*s, key);
    return k ? k->value : defaultValue;
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
        for (const Key& k : s->keys)
            out.append(k.name);
    return out;
}

QList<QPair<QString, QString>> IniFile::entries(const QString& section) const
{
    QList<QPair<QString, QString>> out;
    if (const Section* s = findSection(section))
        for (const Key& k : s->keys)
            out.append({k.name, k.value});
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

    if (const Section* s = findSection(sec)) {
        if (const Key* k = findKey(*s, name)) {
            lines_[static_cast<size_t>(k->line)] = k->name + QLatin1Char('=') + value;
        } else {
            lines_.insert(lines_.begin() + s->lastContentLine + 1,
                          name + QLatin1Char('=') + value);
        }
    } else {
        if (!lines_.empty() && !IsBlank(lines_.back()))
            lines_.push_back(QString());
        lines_.push_back(QLatin1Char('[') + sec + QLatin1Char(']'));
        lines_.push_back(name + QLatin1Char('=') + value);
        endsWithNewline_ = true;
    }
    reindex();
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
    lines_.erase(lines_.begin() + k->line);
    reindex();
    return true;
}

QByteArray IniFile::toBytes() const
{
    const QLatin1String eol(crlf_ ? "\r\n" : "\n");
    QString text;
    for (size_t i = 0; i < lines_.size(); ++i) {
        text += lines_[i];
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
    e.codePage = IsValidUtf8(bytes) ? 0 : SystemAnsiCodePage();
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
