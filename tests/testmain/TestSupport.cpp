#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

} // namespace prt::test
