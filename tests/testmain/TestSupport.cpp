#include "TestSupport.h"

#include <QDir>

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
