#include "mdlMainRules.h"

#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "PubBytes.h"
#include "mdlASetFtnA.h"
#include "mdlFtnA_Base.h"
#include "mdlGlobalVar.h"
#include "mdlKesaVar.h"
#include "mdlMainData.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlOemClass.h"
#include "mdlPrinterTypeList.h"
#include "mdlPrtDll.h"
#include "mdlUsbVidPidCheck.h"

QString DeleteQuestionText(const QString& question, const QString& model, const QString& port)
{
    return question + QStringLiteral("\r\n\r\n") + model + QStringLiteral(" (") + port + QLatin1Char(')');
}

const char* PrinterListResultKey(TPrinterListResult result)
{
    switch (result) {
    case TPrinterListResult::Ok:
        return nullptr;
    case TPrinterListResult::BadField:
        return LANGKEY_PrinterListBadField;
    case TPrinterListResult::BadModel:
        return LANGKEY_PrinterListBadModel;
    case TPrinterListResult::Changed:
        return LANGKEY_PrinterListChanged;
    case TPrinterListResult::WriteFailed:
        return LANGKEY_PrinterListWriteFailed;
    }
    return nullptr;
}

void ShowPrinterListResult(TPrinterListResult result)
{
    const char* key = PrinterListResultKey(result);
    if (!key)
        return;
    const QString text = prt::LangText(QLatin1String(key));
    if (result == TPrinterListResult::Changed)
        ShowInfoBox(text);
    else
        prt::MessageBoxPrt(text, prt::LangText(QLatin1String("_MSG_Title_Error")), prt::MB_ICONERROR_);
}

bool PrinterListResultReloads(TPrinterListResult result)
{
    return result != TPrinterListResult::Ok && result != TPrinterListResult::BadField
           && result != TPrinterListResult::BadModel;
}

TPrinterManageTarget::TModifyHandover ModifyHandoverOf(const TPrinterListRowRef& row, const QString& prtDefName,
                                                        const TPrinterListRow& fields)
{
    TPrinterManageTarget::TModifyHandover h;
    h.Row = row.Index;
    h.RowLine = row.Line;
    h.PrtDefName = prtDefName;
    h.PortType = fields.PortType;
    h.PortParam = fields.PortParam;
    // The port engine takes the prefix in any case ("net,a.b.c.d"); so does the hand-over.
    if (h.PortParam.contains(QLatin1String("NET"), Qt::CaseInsensitive))
        h.PortParam.remove(QStringLiteral("NET,"), Qt::CaseInsensitive);
    h.Notes = fields.Notes;
    h.PrtVerOfTool = fields.PrtVerOfTool;
    return h;
}

TSelectedPrinterNames ResolveSelectedPrinterNames(const TSelectedRowInputs& in)
{
    TSelectedPrinterNames out;
    QString name = in.Caption;
    out.PrtDefName = name;

    TFtnABase* ftn = CreateFtnAByModel(name);
    if (TASetFtnA* setter = GetASetFtnA(); setter && ftn)
        setter->SetFlags(ftn, name);

    bool changed = false;
    QString newName;
    CmdsDllTransformPrtName(name, changed, newName);
    if (changed && !IsInCommaList(name, PrtTransformExemptModels))
        name = newName;

    if (TKesaVar* kesa = GetKesaVar()) {
        QString extra;
        bool found = false;
        kesa->ResolveModelNameByFtnA(name, extra, found);
        if (found)
            out.VpidS = extra;
    }

    bool resolved = false;
    if (ftn) {
        bool found = false, flag = true;
        QString text;
        const QString result = ftn->MatchPrinterName(in.PrtVerOfTool, found, flag, text);
        if (found) {
            name = result;
            resolved = true;
        }
    }

    if (!resolved && !in.VpidTemp.trimmed().isEmpty()) {
        if (TKesaVar* kesa = GetKesaVar()) {
            QString model, protocol;
            bool flag = true, found = false;
            kesa->ResolvePrinterNameByFtnA(name, in.VpidTemp, model, protocol, flag, found);
            if (found) {
                name = model;
                resolved = true;
            }
        }
    }

    // The attached USB devices name only a printer that is reached over USB.
    if (!resolved && UsbIdentityAppliesToPort(in.PortParam)) {
        QString model, message;
        bool matched = false, ok = true;
        ResolvePrinterModel(name, model, matched, message, ok);
        if (matched)
            name = model;
    }

    const QString vpid = GetMatchedUsbVpid();
    if (!vpid.isEmpty())
        out.VpidInfo = QStringLiteral("VPID:") + vpid;
    else if (DevMarkerFileExists())
        out.VpidInfo = QStringLiteral("VPID:");

    out.PrtBasName = IsInCommaList(in.Caption, MainData::CaptionIsBaseNameModels()) ? in.Caption : name;
    return out;
}

bool UsbIdentityGateApplies(const QString& portString, const QString& prtDefName)
{
    QString list;
    return UsbIdentityAppliesToPort(portString) && !IsInCommaList(prtDefName, MainData::GateExemptModels())
           && GetKesaVar() && GetKesaVar()->CheckFtnNoModel(QLatin1String(FTNNo_ReadPrtBasicInfo_0), list);
}

TFunctionButtonInputs CurrentFunctionButtonInputs(const QString& prtBasName, const QString& prtDefName,
                                                  const QString& portString)
{
    TFunctionButtonInputs in;
    in.PrtBasName = prtBasName;
    in.PrtDefName = prtDefName;
    in.PortString = portString;
    in.DebugMode = IsDebugMode();
    if (const TFtnABase* ftn = GetCurrentFtnA()) {
        in.FrontLearnSetting = ftn->FrontLearnSetting;
        in.CommandTestSetting = ftn->CommandTestSetting;
    }
    in.NIsbtnPrinterInformation = ParameterSetValue(QStringLiteral("NIsbtnPrinterInformation"));
    in.NIsbtnStartLearn = ParameterSetValue(QStringLiteral("NIsbtnStartLearn"));
    in.IsbtnFrontLearn = ParameterSetValue(QStringLiteral("IsbtnFrontLearn"));
    in.IsbtnDLF = ParameterSetValue(QStringLiteral("IsbtnDLF"));
    in.IsbtnModel = ParameterSetValue(QStringLiteral("IsbtnModel"));
    in.x1 = ParameterSetValue(QStringLiteral("x1"));
    in.IsbtnDLFont = ParameterSetValue(QStringLiteral("IsbtnDLFont"));
    in.FTN_AdvancedSettings_0 = ParameterSetValue(QStringLiteral("FTN_AdvancedSettings_0"));
    // Read at this moment.
    in.IsbtnPrinterStatus = ReadParameterSetNow(QStringLiteral("IsbtnPrinterStatus"));
    in.HaveScanTest = ReadParameterSetNow(QStringLiteral("HaveScanTest"));
    in.NoPrintTextModels = MainData::NoPrintTextModels();
    in.CommandConsoleModels = MainData::CommandConsoleModels();
    in.RfidModels = RfidModels;
    if (!IsInCommaList(prtDefName, MainData::GateExemptModels()) && in.CommandTestSetting == 0)
        in.IsbtnCommandTest = ReadParameterSetNow(QStringLiteral("IsbtnCommandTest"));
    return in;
}

TPortTypeLayoutInputs CurrentPortTypeLayoutInputs(const QString& prtDefName, const QString& portString)
{
    TPortTypeLayoutInputs in;
    in.PrtDefName = prtDefName;
    in.PortString = portString;
    in.DebugMode = IsDebugMode();
    in.BulkUpdateModels = MainData::BulkUpdateModels();
    in.DfuOnComModels = MainData::DfuOnComModels();
    return in;
}

QString MainWindowTitle(const TOemClass* oem, const QString& captionText, const QString& brandText,
                        const QString& fileVersion)
{
    const QString version = (oem && oem->VersionMode == 1) ? oem->VersionText : fileVersion;
    if (!oem || oem->CaptionMode != 1)
        return captionText + QStringLiteral("  ") + version;
    QString caption = oem->CaptionWord + QLatin1Char(' ')
                      + (oem->CaptionWord == QLatin1String("Trune") ? captionText : brandText);
    caption += oem->GetCaptionSuffix();
    return caption + QStringLiteral("  ") + version;
}
