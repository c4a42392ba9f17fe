#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

namespace prt::test {

MsgBoxRecorder::MsgBoxRecorder(int answer) : answer_(answer)
{
    previous_ = prt::SetMessageBoxHandler([this](const prt::MsgBoxCall& c) {
        calls_.push_back(c);
        return answer_;
    });
}

MsgBoxRecorder::~MsgBoxRecorder()
{
    prt::SetMessageBoxHandler(previous_);
}

ScopedEnv::ScopedEnv(const char* name, const QString& value) : name_(name)
{
    if (qEnvironmentVariableIsSet(name))
        old_ = qgetenv(name);
    qputenv(name, value.toUtf8());
}

ScopedEnv::~ScopedEnv()
{
    if (old_)
        qputenv(name_.constData(), *old_);
    else
        qunsetenv(name_.constData());
}

void WriteTestFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

QByteArray ReadTestFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

TempProgramTree::TempProgramTree()
    : exe_("PRT_EXE_DIR", dir_.path() + "/prog"),
      data_("LOCALAPPDATA", dir_.path() + "/data"),
      xdgData_("XDG_DATA_HOME", dir_.path() + "/xdgdata"),
      config_("XDG_CONFIG_HOME", dir_.path() + "/config"),
      dev_("PRT_DEV_ROOT", dir_.path() + "/dev")
{
    QDir().mkpath(FilesDir());
    QDir().mkpath(DataDir());
    QDir().mkpath(DevDir());
}

QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

std::string ToHex(const QByteArray& bytes)
{
    return bytes.toHex(' ').toUpper().toStdString();
}

QStringList UnreadableFilePaths(const QString& dir, const QString& name)
{
    const QString base = dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
    QStringList paths;
    EXPECT_TRUE(QDir().mkpath(base + name));
    paths << base + name;
    const QString noRead = base + QStringLiteral("noread-") + name;
    WriteTestFile(noRead, "data");
    QFile::setPermissions(noRead, QFileDevice::WriteOwner);
    QFile probe(noRead);
    if (!probe.open(QIODevice::ReadOnly))
        paths << noRead;
    return paths;
}

namespace {

uint32_t Crc32(const QByteArray& bytes)
{
    uint32_t c = 0xFFFFFFFFu;
    for (const char ch : bytes) {
        c ^= static_cast<uint8_t>(ch);
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
    }
    return ~c;
}

QByteArray Be(uint32_t v, int bytes)
{
    QByteArray b(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        b[i] = static_cast<char>(v >> (8 * (bytes - 1 - i)));
    return b;
}

QByteArray Le(uint32_t v, int bytes)
{
    QByteArray b(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        b[i] = static_cast<char>(v >> (8 * i));
    return b;
}

} // namespace

QByteArray PngHeadClaiming(uint32_t width, uint32_t height, int bitDepth, int colourType)
{
    const QByteArray chunk = QByteArray("IHDR") + Be(width, 4) + Be(height, 4) + static_cast<char>(bitDepth) +
                             static_cast<char>(colourType) + Hex("00 00 00");
    const QByteArray data("IDAT");  // the reader stops at the first data chunk
    return Hex("89 50 4E 47 0D 0A 1A 0A") + Be(13, 4) + chunk + Be(Crc32(chunk), 4) + Be(0, 4) + data +
           Be(Crc32(data), 4);
}

QByteArray BmpHeadClaiming(int32_t width, int32_t height)
{
    return QByteArray("BM") + Le(54, 4) + Le(0, 4) + Le(54, 4) + Le(40, 4) + Le(uint32_t(width), 4) +
           Le(uint32_t(height), 4) + Le(1, 2) + Le(24, 2) + QByteArray(24, '\0');
}

QByteArray JpegHeadClaiming(uint16_t width, uint16_t height)
{
    return Hex("FF D8 FF C0 00 0B 08") + Be(height, 2) + Be(width, 2) + Hex("01 01 11 00") +
           Hex("FF DA 00 08 01 01 00 00 3F 00") + Hex("FF D9");
}

QString SourceDir()
{
    const QString v = qEnvironmentVariable("PRT_SOURCE_DIR");
    return v.isEmpty() ? QDir::currentPath() : v;
}

QStringList CaptionFaults(QWidget* w)
{
    QStringList faults;
    const QStringList marks = {"::", "\uFF1A\uFF1A", ":\uFF1A", "\uFF1A:", "\u00BB", "\u00AB"};
    auto check = [&](QWidget* c, const QString& text, bool mayBeEmpty) {
        if (c != w && !c->isVisibleTo(w))
            return;
        const QString at = c->objectName() + " \"" + text + "\"";
        if (text.trimmed().isEmpty() && !mayBeEmpty)
            faults << at + " blank";
        for (const QString& m : marks)
            if (text.contains(m))
                faults << at + " " + m;
        if (c != w && c->width() < c->minimumSizeHint().width())
            faults << at + " cut";
    };
    check(w, w->windowTitle(), false);
    for (QLabel* l : w->findChildren<QLabel*>())
        check(l, l->text(), !l->objectName().startsWith("lbl") || l->objectName().contains("Progress"));
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
        check(b, b->text(), qobject_cast<QCheckBox*>(b) != nullptr);
    for (QGroupBox* g : w->findChildren<QGroupBox*>())
        check(g, g->title(), false);
    return faults;
}

} // namespace prt::test
