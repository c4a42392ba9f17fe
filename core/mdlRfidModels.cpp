#include "mdlRfidModels.h"

#include "mdlIniRead.h"
#include "mdlModelCatalog.h"

void LoadRfidModelList(const QString& toolType, const QString& typeListFileName)
{
    if (toolType == QLatin1String("Label")) {
        RfidModels = ReadIniString(typeListFileName, QStringLiteral("ParameterSet"),
                                   QStringLiteral("FTN_RfidSet_0"));
    } else if (toolType == QLatin1String("Mobile")) {
        RfidModels = QStringLiteral(",") + GetModelName_AK_S770() + QStringLiteral(",") +
                     GetModelName_V52R() + QStringLiteral(",");
    }
    RfidSecondModels = QStringLiteral(",") + GetModelName_SN723BT() + QStringLiteral(",") +
                       GetModelName_GS_PR540D() + QStringLiteral(",") + GetModelName_QT_V64BT() +
                       QStringLiteral(",");
}
