#include "mdlDispatchBasics.h"

#include "mdlPrinterLib.h"

TTsplKindScope::TTsplKindScope() : FOld(GetPrinterSdkKind())
{
    SetPrinterSdkKind(1);
}

TTsplKindScope::~TTsplKindScope()
{
    SetPrinterSdkKind(FOld);
}

bool InList(const QString& name, const QString& list)
{
    return list.contains(QLatin1Char(',') + name + QLatin1Char(','));
}

bool InListNameComma(const QString& name, const QString& list)
{
    return list.contains(name + QLatin1Char(','));
}
