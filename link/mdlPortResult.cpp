#include "mdlPortResult.h"

#include "PrtSdk.h"
#include "PrtTexts.h"

namespace {

// The codes the engine gives; their words are under "_PortResult" and the code
// ("_PortResult-13") in the language file.
bool HasWords(int code)
{
    using namespace prt::sdk;
    switch (code) {
    case PRT_ALREADY_OPEN:
    case PRT_E_NO_OBJECT:
    case PRT_E_BAD_PORT:
    case PRT_E_NO_DEVICE:
    case PRT_E_OPEN_FAILED:
    case PRT_E_CONNECT:
    case PRT_E_TIMEOUT:
    case PRT_E_IO:
    case PRT_E_NOT_OPEN:
    case PRT_E_BAD_ARG:
    case PRT_E_NOT_SUPPORTED:
    case PRT_E_NO_USB:
        return true;
    default:
        return false;
    }
}

} // namespace

QString PortResultWords(int code)
{
    if (!HasWords(code))
        return QString();
    return prt::LangText(QStringLiteral("_PortResult") + QString::number(code));
}

QString WithPortResultWords(const QString& message, int code)
{
    const QString words = PortResultWords(code);
    if (words.isEmpty())
        return message;
    return message + QStringLiteral(" (") + words + QLatin1Char(')');
}

QString PortResultMessage(const QString& text, int code)
{
    return WithPortResultWords(text + QLatin1Char(':') + QString::number(code), code);
}

QString OpenPortFailureMessage(int code)
{
    return PortResultMessage(prt::LangText(QStringLiteral("_Err_OpenPort")), code);
}
