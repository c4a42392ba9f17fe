#include "mdlFunctionButtons.h"

#include "mdlMainData.h"
#include "PubBytes.h"

const QStringList& FunctionButtonNames()
{
    static const QStringList names = {
        "btnPrinterInformation", "btnPrintText",       "btnPrintConfigInfo",
        "btnNoPaperLightLearn",  "btnHavePaperLightLearn", "btnStartLearn",
        "btnContinueLenrn",      "btnFrontLearn",      "btnIPMessage",
        "btnParameterSetting",   "btnFactorySetting",  "Button2",
        "btnModelTest",          "Button3",            "Button1",
        "btnCommandTest",        "btnWifiFirewateDownload", "Button4",
        "btnScanTest",           "btnAdvancedSettings", "btnRfidSet",
    };
    return names;
}

static bool FrontLearnShown(const TFunctionButtonInputs& in)
{
    const bool listed = IsInCommaList(in.PrtBasName, in.IsbtnFrontLearn)
                        || IsInCommaList(in.PrtDefName, in.IsbtnFrontLearn)
                        || IsInCommaList(in.PrtBasName, MainData::FrontLearnModels());
    if (listed)
        return in.FrontLearnSetting != 2;
    return in.FrontLearnSetting == 1;
}

static bool CommandTestShown(const TFunctionButtonInputs& in)
{
    if (IsInCommaList(in.PrtDefName, MainData::GateExemptModels()))
        return false;
    if (in.CommandTestSetting == 1)
        return true;
    if (in.CommandTestSetting == 2)
        return false;
    return IsInCommaList(in.PrtBasName, in.IsbtnCommandTest)
           || IsInCommaList(in.PrtBasName, in.CommandConsoleModels);
}

TFunctionButtonPlan DecideFunctionButtons(const TFunctionButtonInputs& in)
{
    TFunctionButtonPlan plan;
    const QString& bas = in.PrtBasName;
    auto place = [&plan](const char* name, bool when) {
        if (when)
            plan.Placed << QString::fromLatin1(name);
    };

    place("btnPrinterInformation", !IsInCommaList(bas, in.NIsbtnPrinterInformation));
    place("btnPrintText", !IsInCommaList(bas, in.NoPrintTextModels)
                              && !IsInCommaList(in.PrtDefName, in.NoPrintTextModels));
    place("btnPrintConfigInfo", true);
    const bool paperLight = IsInCommaList(bas, MainData::PaperLightLearnModels());
    place("btnNoPaperLightLearn", paperLight);
    place("btnHavePaperLightLearn", paperLight);
    plan.SysParaTabVisible = !IsInCommaList(bas, MainData::NoSysParaTabModels());
    place("btnStartLearn", !IsInCommaList(bas, in.NIsbtnStartLearn));
    place("btnContinueLenrn", IsInCommaList(bas, MainData::ContinueLearnModelsA())
                                  || IsInCommaList(bas, MainData::ContinueLearnModelsB()));
    place("btnFrontLearn", FrontLearnShown(in));
    place("btnIPMessage", IsInCommaList(bas, MainData::IpMessageModels())
                              && in.PortString.contains(QLatin1String("NET")));
    place("btnParameterSetting", true);
    place("btnFactorySetting", true);
    place("Button2", IsInCommaList(bas, in.IsbtnDLF));
    place("btnModelTest", IsInCommaList(bas, in.IsbtnModel));
    place("Button3", IsInCommaList(bas, in.x1));
    place("Button1", IsInCommaList(bas, in.IsbtnDLFont));
    place("btnCommandTest", CommandTestShown(in));
    place("btnWifiFirewateDownload", IsInCommaList(bas, MainData::WifiFirmwareModels()));
    place("Button4", IsInCommaList(bas, in.IsbtnPrinterStatus));
    place("btnScanTest", IsInCommaList(bas, in.HaveScanTest));
    place("btnAdvancedSettings", IsInCommaList(bas, in.FTN_AdvancedSettings_0));
    // In debug mode the advanced settings take the next slot in any case.
    place("btnAdvancedSettings", in.DebugMode);
    place("btnRfidSet", IsInCommaList(bas, in.RfidModels));
    return plan;
}

QRect FunctionSlotRect(int slot, int buttonWidth, int buttonHeight)
{
    const int top = (slot / 2) * (buttonHeight + FnBtnGapV) + FnBtnTopBase;
    const int left = (slot % 2 == 0) ? FnBtnLeftBase : 2 * FnBtnLeftBase + buttonWidth;
    return QRect(left, top, buttonWidth, buttonHeight);
}

int FunctionRowCount(int slotsUsed)
{
    return slotsUsed <= 0 ? 0 : (slotsUsed + 1) / 2;
}

TPortTypeLayout ComputePortTypeLayout(const TPortTypeLayoutInputs& in)
{
    TPortTypeLayout out;
    const int rows = FunctionRowCount(in.SlotsUsed);
    const int h = in.ButtonHeight;

    out.ScrollBox = in.ScrollBox;
    out.ScrollBox.moveTo(in.ListView.left(), in.ListView.top() + in.ListView.height() + 6);

    out.GroupBox = in.GroupBox;
    out.GroupBox.moveTop(out.ScrollBox.top() + out.ScrollBox.height() + 6);
    out.GroupBox.setHeight(rows * (h + FnBtnGapV) + 30);
    out.Memo = QRect(6, 6, out.GroupBox.width() - 2 * 6, out.GroupBox.height() - 2 * 6);

    out.DfuTop = out.GroupBox.top() + out.GroupBox.height() + 10;
    out.BulkUpdateVisible = IsInCommaList(in.PrtDefName, in.BulkUpdateModels)
                            && in.PortString.contains(QLatin1String("NET"));
    out.BulkUpdateLeft = in.Dfu.width() + 15;
    out.Dfu2Left = in.Dfu.left() + in.Dfu.width() + 8;
    out.MoreVisible = in.DebugMode;
    out.TestMenuVisible = in.DebugMode;

    if (in.PortString.contains(QLatin1String("COM")))
        out.DfuVisible = IsInCommaList(in.PrtDefName, in.DfuOnComModels);
    else
        out.DfuVisible = true;

    out.WindowHeight = out.GroupBox.top() + rows * (h + FnBtnGapV) + in.QuitHeight + 80;
    out.ClientWidth = 2 * out.GroupBox.left() + out.GroupBox.width();
    return out;
}
