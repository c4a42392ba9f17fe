#include "mdlTsplStorage.h"

#include "PubBytes.h"
#include "mdlGlobalVar.h"

namespace prt::dl {

namespace {
// Listed names hold one character per byte of the printer's reply: the same bytes go back.
QByteArray Name(const QString& name)
{
    return name.toLatin1();
}
uint32_t U32(const QByteArray& b, int at)
{
    const auto* p = reinterpret_cast<const uint8_t*>(b.constData()) + at;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
} // namespace

QByteArray TsplListCommand(TTsplStorage storage)
{
    return storage == TTsplStorage::Dram ? QByteArrayLiteral("ZZZFILES N\r\n") : QByteArrayLiteral("ZZZFILES F\r\n");
}

QByteArray TsplSpaceCommand()
{
    return QByteArrayLiteral("ZZZFILESSIZE\r\n");
}

QByteArray TsplKillCommand(TTsplStorage storage, const QString& name)
{
    return (storage == TTsplStorage::Dram ? QByteArrayLiteral("KILL \"") : QByteArrayLiteral("KILL F,\"")) + Name(name)
           + "\"\r\n";
}

QByteArray TsplKillAllCommand(TTsplStorage storage)
{
    return TsplKillCommand(storage, QStringLiteral("*"));
}

QByteArray TsplKillBothCommand()
{
    return TsplKillAllCommand(TTsplStorage::Dram) + TsplKillAllCommand(TTsplStorage::Flash);
}

QByteArray TsplDownloadPrefix(bool dram)
{
    return dram ? QByteArrayLiteral("DOWNLOAD ") : QByteArrayLiteral("DOWNLOAD F,");
}

QStringList ParseTsplFileList(const QByteArray& reply)
{
    if (reply.size() <= 1)
        return {};
    QString text;
    BytesToStrUntilSpace(reply, text);
    return SplitToStringList(text, QStringLiteral(","));
}

TTsplSpace ParseTsplSpace(const QByteArray& reply, TTsplStorage storage)
{
    TTsplSpace s;
    if (reply.size() != 16)
        return s;
    const int at = storage == TTsplStorage::Dram ? 8 : 0;
    s.ok = true;
    s.first = U32(reply, at);
    s.second = U32(reply, at + 4);
    return s;
}

QString TsplSpaceText(const QString& spaceTemplate, const TTsplSpace& space)
{
    return ReplaceFirst(ReplaceFirst(spaceTemplate, "{0}", QString::number(space.second / 1024)), "{1}",
                        QString::number(space.first / 1024));
}

} // namespace prt::dl
