#include "mdlCurrentPrinter.h"

#include "mdlLinkSeams.h"
#include "mdlModelCatalog.h"
#include "mdlModelFeatures.h"

QString PrtDefName;
QString PrtBasName;
QString PrtMapName;

void SetCurrentPrinterNames(const QString& prtDefName, const QString& prtBasName)
{
    PrtDefName = prtDefName;
    PrtBasName = prtBasName;
    SetSelectedPrinterNames(prtDefName, prtBasName);
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
}
