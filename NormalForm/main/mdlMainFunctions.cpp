#include "mdlMainFunctions.h"

#include <QHash>
#include <QSet>

namespace {

QHash<QString, TMainFunctionHandler>& Handlers()
{
    static QHash<QString, TMainFunctionHandler> handlers;
    return handlers;
}

} // namespace

void RegisterMainFunction(const QString& buttonName, TMainFunctionHandler handler)
{
    if (handler)
        Handlers().insert(buttonName, std::move(handler));
    else
        Handlers().remove(buttonName);
}

TMainFunctionHandler FindMainFunction(const QString& buttonName)
{
    return Handlers().value(buttonName);
}

bool IsGatedMainFunction(const QString& buttonName)
{
    static const QSet<QString> gated = {
        "btnParameterSetting", "btnPrintConfigInfo", "btnStartLearn", "btnContinueLenrn",
        "btnNoPaperLightLearn", "btnHavePaperLightLearn", "btnFrontLearn",
        "btnLabelSensorPrintImage", "btnModelTest", "btnFactorySetting", "btnPrinterInformation",
        "btnPrintText", "Button1", "Button2", "Button3", "btnDFU", "btnDFU2", "btnCommandTest",
        "btnRfidSet", "btnScanTest", "btnAdvancedSettings", "mitemTempletManage",
    };
    return gated.contains(buttonName);
}
