#include "PrtTexts.h"

#include <QHash>
#include <mutex>

namespace prt {
namespace {
std::mutex g_mutex;
QHash<QString, QString>& Store()
{
    static QHash<QString, QString> store;
    return store;
}
} // namespace

QString LangText(const QString& key)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return Store().value(key);
}

void SetLangText(const QString& key, const QString& text)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    Store().insert(key, text);
}

void SetLangTexts(QHash<QString, QString> texts)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    Store().swap(texts);
}

void ClearLangTexts()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    Store().clear();
}

} // namespace prt
