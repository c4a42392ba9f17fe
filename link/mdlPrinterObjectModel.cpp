#include "mdlPrinterObjectModel.h"

#include <mutex>

namespace {
std::mutex g_modelMutex;
QString& ObjectModel()
{
    static QString s;
    return s;
}
} // namespace

QString GetPrinterObjectModel()
{
    std::lock_guard<std::mutex> lock(g_modelMutex);
    return ObjectModel();
}

void NotePrinterObjectModel(const QString& model)
{
    std::lock_guard<std::mutex> lock(g_modelMutex);
    ObjectModel() = model;
}
