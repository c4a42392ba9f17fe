#include "mdlCurrentPrinter.h"

#include "mdlLinkSeams.h"
#include "mdlModelCatalog.h"

QString PrtDefName;
QString PrtBasName;
QString PrtMapName;
static int32_t gCurrentProtocolNo = 1;

int32_t GetCurrentProtocolNo()
{
    return gCurrentProtocolNo;
}

void SetCurrentProtocolNo(int32_t protocol)
{
    gCurrentProtocolNo = protocol;
}

void SetCurrentPrinterNames(const QString& prtDefName, const QString& prtBasName)
{
    PrtDefName = prtDefName;
    PrtBasName = prtBasName;
    FeatureLookupModel = prtBasName;
    SetCurrentModelNameProvider([] { return PrtBasName; });
}

void SetCurrentPrtMapName(const QString& prtMapName)
{
    PrtMapName = prtMapName;
}

void ClearCurrentPrinterNames()
{
    PrtDefName.clear();
    PrtBasName.clear();
    PrtMapName.clear();
    gCurrentProtocolNo = 1;
}
