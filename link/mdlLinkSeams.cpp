#include "mdlLinkSeams.h"

#include <atomic>
#include <mutex>

namespace {
std::mutex g_mutex;
LinkConstVarProvider g_constVar;
LinkModelNameProvider g_model;
LinkModelListProvider g_lists;
LinkProtocolNoProvider g_protocol;
std::atomic<uint8_t> g_keyOp{1};

template <typename F>
F Copy(const F& f)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return f;
}
template <typename F>
void Store(F& f, F value)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    f = std::move(value);
}
} // namespace

void SetLinkConstVarProvider(LinkConstVarProvider provider)
{
    Store(g_constVar, std::move(provider));
}

int LinkConstVar(int ordinal)
{
    auto f = Copy(g_constVar);
    return f ? f(ordinal) : 0;
}

void SetKeyFrameOperationByte(uint8_t op)
{
    g_keyOp.store(op);
}

uint8_t GetKeyFrameOperationByte()
{
    return g_keyOp.load();
}

void SetCurrentModelNameProvider(LinkModelNameProvider provider)
{
    Store(g_model, std::move(provider));
}

QString LinkCurrentModelName()
{
    auto f = Copy(g_model);
    return f ? f() : QString();
}

void SetProbeModelListProvider(LinkModelListProvider provider)
{
    Store(g_lists, std::move(provider));
}

QString LinkProbeModelList(const QString& listName)
{
    auto f = Copy(g_lists);
    return f ? f(listName) : QString();
}

void SetProtocolNoByModelProvider(LinkProtocolNoProvider provider)
{
    Store(g_protocol, std::move(provider));
}

int LinkProtocolNoByModel(const QString& model)
{
    auto f = Copy(g_protocol);
    return f ? f(model) : 1;
}
