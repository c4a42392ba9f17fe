#pragma once
// Our ini files, read and written the way the Windows profile functions do it.
//
// Reading rules
//  - "[name]" starts a section; "key=value" lines belong to the last section started.
//    Lines before the first section, lines starting with ";" and lines without "=" are
//    not keys. Section and key names are trimmed and compared case-insensitively.
//  - The first section of a name wins, and within it the first key of a name: a later
//    duplicate is never read (nor listed, nor written).
//  - Values are trimmed; one pair of matching surrounding quotes ('..' or "..") is
//    removed. No length limit. No inline comments (";" inside a value is kept).
//  - Bytes: UTF-8 with or without BOM, or UTF-16 with its BOM; any other file is read in the
//    system 8-bit code page (PrtCodePage.h, DecodeTextFileBytes).
//  - A missing file reads as empty: every read gives its default.
//
// Writing rules
//  - setValue replaces the first key's line ("key=value", the key keeps its spelling in
//    the file), or adds the key after the last non-blank line of the first section of
//    that name, or adds the section at the end. Every other line is kept as it was.
//  - Section, key and value may not hold CR or LF, a key no "=" and a section no "]":
//    such writes are refused (false), as they would corrupt the file.
//  - A value the reader would take as other text (a blank, as QChar::isSpace sees it, at
//    either end, or one pair of matching quotes around it) is written inside double
//    quotes; every other value as it stands. So every value written reads back as itself.
//  - Saved as UTF-8 (a BOM only when the file had one) with the file's line ends
//    (CR LF for a new file), through a temporary file renamed over the old one: a failed
//    write leaves the old file whole.
//
// The free functions keep a cache of parsed files keyed by path, size, modification
// time and inode, so repeated reads of a large language file cost one parse. They are
// thread-safe; writers in this process are serialised.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>
#include <vector>

namespace prt {

// Ini names compared the way the reader does (trimmed by the caller, case folded), and a
// hash that agrees with it.
bool IniNamesEqual(QStringView a, QStringView b) noexcept;
size_t IniNameHash(QStringView name, size_t seed) noexcept;

class IniFile {
public:
    IniFile() = default;
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // Reads and parses a file; false (and an empty object) when it cannot be read.
    bool load(const QString& path);
    // Parses file bytes (for tests and callers that hold the bytes).
    void parse(const QByteArray& bytes);
    // Parses text already decoded.
    void parseText(const QString& text);

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;
    bool hasSection(const QString& section) const;
    bool hasKey(const QString& section, const QString& key) const;
    // Section names in file order (first spelling of each name).
    QStringList sections() const;
    // Key names of the first section of that name, in file order (first of each name).
    QStringList keys(const QString& section) const;
    // (key, value) pairs of that section, as keys() lists them.
    QList<QPair<QString, QString>> entries(const QString& section) const;

    // See "Writing rules" above. False when refused.
    bool setValue(const QString& section, const QString& key, const QString& value);
    // Removes the first key of that name; false when it was not there.
    bool removeKey(const QString& section, const QString& key);

    // The file's bytes as save() writes them.
    QByteArray toBytes() const;
    // Writes atomically (temporary file + rename). False when it failed.
    bool save(const QString& path) const;

    bool usesCrLf() const { return crlf_; }
    bool hadBom() const { return bom_; }
    // The 8-bit code page parse() decoded the bytes with; 0 for UTF-8 or UTF-16.
    int decodedCodePage() const { return codePage_; }

private:
    // A key's name and value are views into text_: indexing a large section allocates no
    // string per key. The tables go with the text (reindex() drops them).
    struct Key {
        QStringView name;
        QStringView value;
        int line = 0;
    };
    // A name hashed and compared case-insensitively (folded), without a folded copy for
    // plain ASCII names.
    struct FoldedName {
        QStringView name;
        friend bool operator==(FoldedName a, FoldedName b) noexcept { return IniNamesEqual(a.name, b.name); }
        friend size_t qHash(FoldedName key, size_t seed) noexcept { return IniNameHash(key.name, seed); }
    };
    // The keys of one section, indexed when the section is first asked for a key: a large
    // file (the language file holds every language) only pays for the sections it reads.
    struct KeyTable {
        std::vector<Key> keys;              // first of each name only
        QHash<FoldedName, int> keyIndex;  // folded name -> index in keys
    };
    struct Section {
        QString name;
        int headerLine = 0;
        int lastContentLine = 0;  // last non-blank line of the section (header at least)
        int endLine = 0;          // the next header line, or the line count
        mutable std::shared_ptr<const KeyTable> table;  // built on first use, under mutex_
    };
    struct LineRef {
        qsizetype start = 0;  // in text_
        qsizetype length = 0;
    };
    QStringView line(size_t i) const { return QStringView(text_).mid(lines_[i].start, lines_[i].length); }
    std::vector<QString> lineStrings() const;
    void setLines(const std::vector<QString>& lines);
    void reindex();
    const Section* findSection(const QString& section) const;
    const KeyTable& keyTable(const Section& s) const;
    const Key* findKey(const Section& s, const QString& key) const;

    QString text_;                 // the decoded text; lines are views into it
    std::vector<LineRef> lines_;
    bool endsWithNewline_ = true;
    bool crlf_ = true;
    bool bom_ = false;
    int codePage_ = 0;
    std::vector<Section> sections_;  // first of each name only
    QHash<FoldedName, int> sectionIndex_;  // folded name (a view into text_) -> index in sections_
    mutable std::mutex mutex_;          // builds of key tables (a parsed file is shared by threads)
};

// Cached reads of a file (missing file/section/key -> defaultValue).
QString IniReadString(const QString& path, const QString& section, const QString& key,
                      const QString& defaultValue = QString());
QStringList IniReadSections(const QString& path);
QStringList IniReadKeys(const QString& path, const QString& section);
QList<QPair<QString, QString>> IniReadEntries(const QString& path, const QString& section);
bool IniHasKey(const QString& path, const QString& section, const QString& key);

// Read-modify-write of one key (the file is created when missing). False when refused,
// when IniDeleteKey finds no such key, or when the file could not be written (the old
// file is then unchanged).
bool IniWriteString(const QString& path, const QString& section, const QString& key,
                    const QString& value);
bool IniDeleteKey(const QString& path, const QString& section, const QString& key);

// Writes a whole file atomically: a temporary file in the same folder (every byte
// checked, flushed to disk) renamed over the target; the folder is created when missing.
// On any failure the temporary file is removed, the old file is untouched and the
// result is false. Keeps the permissions of an existing file.
bool WriteFileAtomic(const QString& path, const QByteArray& bytes);

// Drops every cached parse (tests; files are re-checked on every read anyway).
void IniClearCache();

// A burst of reads: while one is open on a thread, each file is checked on disk once (the
// first read of it in the burst); later reads of it in the same burst use that copy.
// Writes through IniWriteString / IniDeleteKey on the same thread are seen at once.
// Loaders that read hundreds of keys (captions, language texts) open one for their run.
class IniReadBurst {
public:
    IniReadBurst();
    ~IniReadBurst();
    IniReadBurst(const IniReadBurst&) = delete;
    IniReadBurst& operator=(const IniReadBurst&) = delete;
};

} // namespace prt
