#include "mdlRegStore.h"

#include "PrtIni.h"
#include "PrtPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QPair>
#include <mutex>

namespace {

std::mutex& StoreLock()
{
    static std::mutex lock;
    return lock;
}

using Values = QList<QPair<QString, QString>>;

QStringList Segments(const QString& keyPath)
{
    QStringList out;
    QString path = keyPath;
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    for (const QString& part : path.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        QString seg = part.toLower();
        // "." and ".." are names here, never steps between folders.
        if (seg == QLatin1String(".") || seg == QLatin1String(".."))
            seg = QStringLiteral("%") + seg;
        out.append(seg);
    }
    return out;
}

QString Escape(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '=': out += QStringLiteral("\\e"); break;
        default: out += c;
        }
    }
    return out;
}

QString Unescape(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\') || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const QChar n = text.at(++i);
        if (n == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (n == QLatin1Char('r'))
            out += QLatin1Char('\r');
        else if (n == QLatin1Char('e'))
            out += QLatin1Char('=');
        else
            out += n;
    }
    return out;
}

Values Load(const QString& file)
{
    Values values;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return values;
    const QString text = QString::fromUtf8(f.readAll());
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));  // names never hold a raw "="
        if (eq < 0)
            continue;
        const QString name = Unescape(line.left(eq));
        bool dup = false;
        for (const auto& v : values)
            dup = dup || v.first.compare(name, Qt::CaseInsensitive) == 0;
        if (!dup)
            values.append({name, Unescape(line.mid(eq + 1))});
    }
    return values;
}

bool Save(const QString& file, const Values& values)
{
    QByteArray bytes;
    for (const auto& v : values)
        bytes += (Escape(v.first) + QLatin1Char('=') + Escape(v.second) + QLatin1Char('\n')).toUtf8();
    // Whole file or nothing: a failed or short write leaves the previous values in place.
    return prt::WriteFileAtomic(file, bytes);
}

bool CreateKeyLocked(const QString& keyPath)
{
    const QString file = TRegStore::FileOfKey(keyPath);
    if (file.isEmpty())
        return false;
    if (QFileInfo::exists(file))
        return true;
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return false;
    return Save(file, {});
}

} // namespace

QString TRegStore::FileOfKey(const QString& keyPath)
{
    const QStringList segs = Segments(keyPath);
    if (segs.isEmpty())
        return {};
    return prt::ConfigHomeDir() + QStringLiteral("Registry/") + segs.join(QLatin1Char('/')) +
           QStringLiteral(".reg");
}

bool TRegStore::KeyExists(const QString& keyPath)
{
    const QString file = FileOfKey(keyPath);
    return !file.isEmpty() && QFileInfo::exists(file);
}

bool TRegStore::CreateKey(const QString& keyPath)
{
    std::lock_guard<std::mutex> lock(StoreLock());
    return CreateKeyLocked(keyPath);
}

QString TRegStore::ReadString(const QString& keyPath, const QString& name, const QString& def)
{
    std::lock_guard<std::mutex> lock(StoreLock());
    for (const auto& v : Load(FileOfKey(keyPath)))
        if (v.first.compare(name, Qt::CaseInsensitive) == 0)
            return v.second;
    return def;
}

bool TRegStore::ValueExists(const QString& keyPath, const QString& name)
{
    std::lock_guard<std::mutex> lock(StoreLock());
    for (const auto& v : Load(FileOfKey(keyPath)))
        if (v.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool TRegStore::WriteString(const QString& keyPath, const QString& name, const QString& value)
{
    std::lock_guard<std::mutex> lock(StoreLock());
    if (!CreateKeyLocked(keyPath))
        return false;
    const QString file = FileOfKey(keyPath);
    Values values = Load(file);
    bool replaced = false;
    for (auto& v : values) {
        if (v.first.compare(name, Qt::CaseInsensitive) == 0) {
            v.second = value;
            replaced = true;
            break;
        }
    }
    if (!replaced)
        values.append({name, value});
    return Save(file, values);
}

QStringList TRegStore::ValueNames(const QString& keyPath)
{
    std::lock_guard<std::mutex> lock(StoreLock());
    QStringList names;
    for (const auto& v : Load(FileOfKey(keyPath)))
        names.append(v.first);
    return names;
}
