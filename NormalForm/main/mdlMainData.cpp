#include "mdlMainData.h"

#include "mdlModelCatalog.h"

namespace MainData {

QString DefaultModel() { return GetMainDefaultModelName(); }
QString CaptionIsBaseNameModels() { return BasNameKeepCaptionModels; }
QString GateExemptModels() { return GuardExemptModels; }

QString PaperLightLearnModels()
{
    return "," + GetModelName_TE62() + "," + GetModelName_TE62BT() + "," + GetModelName_TA380() + ","
           + GetModelName_SN723() + "," + GetModelName_SN723BT() + "," + GetModelName_GS_PR540D() + ","
           + GetModelName_GS_PR540X() + ",";
}
QString NoSysParaTabModels()
{
    return "," + GetModelName_TE62() + "," + GetModelName_TE62BT() + "," + GetModelName_SN723() + ","
           + GetModelName_SN723BT() + ",";
}
QString ContinueLearnModelsA()
{
    return "," + GetModelName_V52() + "," + GetModelName_V52R() + "," + GetModelName_V52BT() + ","
           + GetModelName_Y7() + "," + GetModelName_Y7BT() + ",";
}
QString ContinueLearnModelsB() { return "," + GetModelName_W16() + "," + GetModelName_W16P() + ","; }
QString FrontLearnModels() { return "," + GetModelName_V64() + "," + GetModelName_V64C() + ","; }
QString IpMessageModels() { return "," + GetModelName_ZR905K() + ","; }
QString WifiFirmwareModels()
{
    return "," + GetModelName_W16P() + "," + GetModelName_W16P_C() + "," + GetModelName_HB25() + ",";
}
QString BulkUpdateModels() { return "," + GetModelName_ZR905K() + "," + GetModelName_Z34() + ","; }
QString DfuOnComModels()
{
    return "," + GetModelName_V52() + "," + GetModelName_V52R() + "," + GetModelName_V64() + ","
           + GetModelName_V64C() + "," + GetModelName_F58S() + "," + GetModelName_F58D() + ","
           + GetModelName_BTN7() + "," + GetModelName_Z34() + ",";
}

QString NoPrintTextModels() { return "," + GetModelName_D45() + ","; }
QString CommandConsoleModels()
{
    return "," + GetModelName_V52() + "," + GetModelName_V64() + "," + GetModelName_W16() + ","
           + GetModelName_BTN7() + "," + GetModelName_Z34() + "," + GetModelName_ZR905K() + ",";
}

} // namespace MainData
