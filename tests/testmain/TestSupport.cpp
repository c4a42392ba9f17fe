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
