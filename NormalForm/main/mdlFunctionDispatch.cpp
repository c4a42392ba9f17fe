#include "mdlFunctionDispatch.h"

#include "CMD_Key.h"
#include "FormNetDiscovery.h"
#include "PrinterCMD.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlFormOpeners.h"
#include "mdlFtnA_Base.h"
#include "mdlGlobalVar.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlParamValues.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterListFile.h"
#include "mdlPrinterTypeList.h"
#include "mdlPrtDll.h"
#include "mdlPrtParamBlock.h"
#include "mdlPubFunc.h"

#include <QFileInfo>
#include <QProcess>
#include <QVariant>

// ---- fixed lists -----------------------------------------------------------------------------

namespace {

QString L(std::initializer_list<QString> names)
{
    QString s = QStringLiteral(",");
    for (const QString& n : names)
        s += n + QLatin1Char(',');
    return s;
}

QString T(const char* key)
{
    return prt::LangText(QLatin1String(key));
}

void ErrorBox(const QString& text)
{
    prt::MessageBoxPrt(text, T("_MSG_Title_Error"), prt::MB_ICONERROR_);
}

void CodeBox(const char* key, int code)
{
    ErrorBox(T(key) + QLatin1Char(':') + QString::number(code));
}

} // namespace

namespace DispatchData {

QString ParaV52TwoModels() { return L({GetModelName_Y7_01(), GetModelName_Y7BT_01_Hex()}); }
QString ParaV52FiveModels()
{
    return L({GetModelName_V52(), GetModelName_V52R(), GetModelName_V52BT(), GetModelName_Y7(), GetModelName_Y7BT()});
}
QString ParaZ34TwoModels() { return L({GetModelName_L44(), GetModelName_L46()}); }
QString ParaZ34SingleModel() { return GetModelName_Z34(); }
QString ParaF58DOneModel() { return L({GetModelName_F58D()}); }
QString ParaW16PModels()
{
    return L({GetModelName_W16P(), GetModelName_W16P_C(), GetModelName_HB25_Var(), GetModelName_W16_Var()});
}
QString ParaZrDefModels() { return L({GetModelName_ZR905K(), QStringLiteral("ZR906")}); }

QString SelfTestRawModels()
{
    return L({GetModelName_TE62(), GetModelName_TE62BT(), GetModelName_TA380(), GetModelName_SN723(),
              GetModelName_SN723BT(), GetModelName_GS_PR540D(), GetModelName_GS_PR540X(), GetModelName_QT_V64(),
              GetModelName_QT_V64BT(), GetModelName_Kastor_Y7(), GetModelName_D45(), GetModelName_F58S(),
              GetModelName_F58D()});
}
QString LocatLearnTwoModels() { return L({GetModelName_W16(), GetModelName_W16P()}); }
QString LocatLearnFiveModels()
{
    return L({GetModelName_V52(), GetModelName_V52R(), GetModelName_V52BT(), GetModelName_Y7(), GetModelName_Y7BT()});
}
QString FrontConfirmModels()
{
    return L({GetModelName_V52(),       GetModelName_V52R(),      GetModelName_V52BT(),
              GetModelName_V64(),       GetModelName_V64C(),      GetModelName_Y7(),
              GetModelName_Y7BT(),      GetModelName_Y7_01(),     GetModelName_Y7_Hex(),
              GetModelName_Y7BT_01_Hex(), GetModelName_W16(),     GetModelName_W16_Var(),
              GetModelName_W16P(),      GetModelName_W16P_C(),    GetModelName_TE62(),
              GetModelName_TE62BT(),    GetModelName_TA380(),     GetModelName_SN723(),
              GetModelName_SN723BT(),   GetModelName_HB25(),      GetModelName_HB25_Var(),
              GetModelName_QT_V64(),    GetModelName_QT_V64BT(),  GetModelName_GS_PR540D(),
              GetModelName_GS_PR540X(), GetModelName_Kastor_Y7(), GetModelName_AK_S770(),
              GetModelName_BTN7(),      GetModelName_F58S(),      GetModelName_F58D(),
              GetModelName_Z34(),       GetModelName_ZR905K(),    GetModelName_L44(),
              GetModelName_L46()});
}
QString FrontConfirmTwoModels() { return L({GetModelName_V64(), GetModelName_V64C()}); }
QString FrontAdSingleModel() { return GetModelName_TA380(); }
QString FrontSnsLearnModels() { return L({GetModelName_SN723(), GetModelName_SN723BT(), GetModelName_TE62()}); }
QString FrontUsbDecidesModels()
{
    return L({GetModelName_V52R(), GetModelName_Y7BT(), GetModelName_Kastor_Y7(), GetModelName_Y7_01(),
              GetModelName_Y7_Hex(), GetModelName_Y7BT_01_Hex(), GetModelName_V64(), GetModelName_V64C(),
              GetModelName_QT_V64(), GetModelName_QT_V64BT()});
}
QString FrontAdFourModels()
{
    return L({GetModelName_GS_PR540D(), GetModelName_GS_PR540X(), GetModelName_TE62BT(), GetModelName_AK_S770()});
}
QString FrontLearnFourModels()
{
    return L({GetModelName_W16(), GetModelName_W16P(), GetModelName_HB25(), GetModelName_BTN7()});
}
QString FactoryDefaultOneModel() { return L({GetModelName_TA380()}); }
QString PrintTextKeyByteModels() { return L({GetModelName_V52(), GetModelName_V52BT()}); }
QString PrintTextCpclRefusedModels()
{
    return L({GetModelName_V52BT(), GetModelName_Y7BT(), GetModelName_TE62BT()});
}
QString PrintTextSingleModel() { return GetModelName_Y7(); }
QString PrintTextCpclFourModels()
{
    return L({GetModelName_AK_S770(), GetModelName_TE62(), GetModelName_TE62BT(), GetModelName_SN723BT()});
}
QString DfuOtaEightModels()
{
    return L({GetModelName_W16P(), GetModelName_W16P_C(), GetModelName_HB25(), GetModelName_HB25_Var(),
              GetModelName_W16(), GetModelName_W16_Var(), GetModelName_BTN7(), GetModelName_AK_S770()});
}
QString DfuUpdateMethodModel() { return GetModelName_V64C(); }
QString DfuNineModels()
{
    return L({GetModelName_Y7(), GetModelName_Y7BT(), GetModelName_Kastor_Y7(), GetModelName_Y7_01(),
              GetModelName_Y7_Hex(), GetModelName_Y7BT_01_Hex(), GetModelName_TE62(), GetModelName_TE62BT(),
              GetModelName_SN723()});
}
QString DfuOtaFourModels()
{
    return L({GetModelName_QT_V64BT(), GetModelName_SN723BT(), GetModelName_GS_PR540X(), GetModelName_L44()});
}

QString ConsoleSdkModel(const QString& prtMapName)
{
    if (InList(prtMapName, L({GetModelName_V52(), GetModelName_V52R(), GetModelName_V52BT()})))
        return GetModelName_V52();
    if (InList(prtMapName, L({GetModelName_Y7(), GetModelName_Y7BT(), GetModelName_Kastor_Y7()})))
        return GetModelName_Y7();
    if (prtMapName == GetModelName_TE62BT())
        return GetModelName_TE62();
    if (prtMapName == GetModelName_QT_V64BT())
        return GetModelName_QT_V64();
    return prtMapName;
}

bool IsMakerUsbId9(const QString& usbIdText)
{
    // "VID_XXXX" of the maker's vendor, then a product id whose first digit is 9.
    const QString vendor = GetUsbId_VendorB_9008().section(QLatin1Char('&'), 0, 0);
    return !vendor.isEmpty() && usbIdText.contains(vendor + QStringLiteral("&PID_9"), Qt::CaseInsensitive);
}

} // namespace DispatchData

using namespace DispatchData;

TDispatchInputs CurrentDispatchInputs()
{
    TDispatchInputs in;
    in.PrtDefName = PrtDefName;
    in.PrtBasName = PrtBasName;
    in.Protocol = GetCurrentProtocolNo();
    in.UsbIdText = GetUsbVidPidText();
    in.DebugMode = IsDebugMode();
    in.List = [](const QString& key) {
        return ParameterSetKeys().contains(key) ? ParameterSetValue(key) : ReadParameterSetNow(key);
    };
    in.Permission = [](const QString& item) { return GetPermissionByNo(item); };
    in.Feature = [](const QString& feature) { return IsFeatureModel(feature); };
    in.FirmwareAtLeast = [](const QString& version) { return CheckFirmwareVersion(version); };
    return in;
}

// ---- parameter setting -------------------------------------------------------------------------

TParaFormChoice ChooseParameterForm(const TDispatchInputs& in)
{
    const QString& bas = in.PrtBasName;
    auto listed = [&](const char* key) { return InList(bas, in.ListOf(QLatin1String(key))); };
    auto pick = [](const char* form, const QString& list) { return TParaFormChoice{QLatin1String(form), list}; };

    if (listed("MNT512B_NoNetParameterSetting"))
        return pick("T_frmParaSet_W7X_ZR905K", "MNT512B_NoNetParameterSetting");
    if (listed("V64_ParameterSetting"))
        return pick(IsMakerUsbId9(in.UsbIdText) ? "T_frmParaSet_V52" : "T_frmParaSet_V64", "V64_ParameterSetting");
    if (listed("V52_ParameterSetting"))
        return pick("T_frmParaSet_V52", "V52_ParameterSetting");
    if (InList(bas, ParaV52TwoModels()))
        return pick("T_frmParaSet_V52", ParaV52TwoModels());
    if (InList(bas, ParaV52FiveModels()))
        return pick("T_frmParaSet_V52", ParaV52FiveModels());
    if (listed("U9_ParameterSetting"))
        return pick("T_frmParaSet_U9", "U9_ParameterSetting");
    if (listed("F58S_ParameterSetting"))
        return pick("T_frmParaSet_F58S", "F58S_ParameterSetting");
    if (listed("Trev_ParameterSetting"))
        return pick("T_frmParaSet_Trev", "Trev_ParameterSetting");
    if (listed("Z12_ParameterSetting"))
        return pick("T_frmParaSet_Z12", "Z12_ParameterSetting");
    if (listed("Z34_ParameterSetting"))
        return pick("T_frmParaSet_Z34", "Z34_ParameterSetting");
    if (InList(bas, ParaZ34TwoModels()))
        return pick("T_frmParaSet_Z34", ParaZ34TwoModels());
    if (bas == ParaZ34SingleModel())
        return pick("T_frmParaSet_Z34", ParaZ34SingleModel());
    if (listed("J27_ParameterSetting"))
        return pick("T_frmParaSet_J27", "J27_ParameterSetting");
    if (listed("QX_ParameterSetting"))
        return pick("T_frmParaSet_QX", "QX_ParameterSetting");
    if (listed("F58D_ParameterSetting"))
        return pick("T_frmParaSet_F58D", "F58D_ParameterSetting");
    if (InList(bas, ParaF58DOneModel()))
        return pick("T_frmParaSet_F58D", ParaF58DOneModel());
    if (listed("W16_ParameterSetting"))
        return pick(in.FirmwareIsAtLeast(QStringLiteral("1.0.0")) ? "T_frmParaSet_W16" : "T_frmParaSet_W16_Vuzivaz",
                    "W16_ParameterSetting");
    if (listed("BQM_ParameterSetting"))
        return pick("T_frmParaSet_BQM", "BQM_ParameterSetting");
    if (listed("QZ_ParameterSetting"))
        return pick("T_frmParaSet_BQM", "QZ_ParameterSetting");
    if (listed("BQM260_ParameterSetting"))
        return pick("T_frmParaSet_BQM260", "BQM260_ParameterSetting");
    if (listed("J83_ParameterSetting"))
        return pick("T_frmParaSet_J83", "J83_ParameterSetting");
    if (listed("MNT512B_ParameterSetting"))
        return pick(in.FirmwareIsAtLeast(QStringLiteral("1.03.0")) ? "T_frmParaSet_W7X" : "T_frmParaSet_W7X_Vuzivaz",
                    "MNT512B_ParameterSetting");
    if (InList(bas, ParaW16PModels()))
        return pick("T_frmParaSet_W16P", ParaW16PModels());
    if (listed("BTN7_ParameterSetting"))
        return pick(in.FirmwareIsAtLeast(QStringLiteral("1.0.0")) ? "T_frmParaSet_BTN7" : "T_frmParaSet_BTN7_Vuzivaz",
                    "BTN7_ParameterSetting");
    if (listed("ZR_ParameterSetting"))
        return pick("T_frmParaSet_ZR", "ZR_ParameterSetting");
    if (InList(in.PrtDefName, ParaZrDefModels()))
        return pick("T_frmParaSet_ZR", ParaZrDefModels());
    return pick("T_frmParaSet_BQM", QString());
}

// ---- printer commands ------------------------------------------------------------------------

TPrinterCommand RawCommand(const QByteArray& bytes, bool report)
{
    TPrinterCommand c;
    c.Kind = TCmdKind::Raw;
    c.Bytes = bytes;
    c.ReportWriteFailure = report;
    return c;
}

TPrinterCommand DoCommand(const char* quotedKey)
{
    TPrinterCommand c;
    c.Kind = TCmdKind::Do;
    c.Bytes = QByteArray(quotedKey);
    return c;
}

namespace {

TPrinterCommand DoWithData(const char* quotedKey, const QByteArray& data)
{
    TPrinterCommand c = DoCommand(quotedKey);
    c.Kind = TCmdKind::DoWithData;
    c.Data = data;
    return c;
}

TPrinterCommand GetValCommand(const char* quotedKey)
{
    TPrinterCommand c;
    c.Kind = TCmdKind::GetVal;
    c.Bytes = QByteArray(quotedKey);
    return c;
}

TPrinterCommand FrontCmd()
{
    TPrinterCommand c;
    c.Kind = TCmdKind::FrontCommand;
    return c;
}

const QByteArray kSelfTest("SELFTEST\r\n");

bool InGds(const TDispatchInputs& in)
{
    return InListNameComma(in.PrtBasName, in.ListOf(QStringLiteral("GDS")));
}

bool DefOrBasIn(const TDispatchInputs& in, const QString& list)
{
    return InList(in.PrtDefName, list) || InList(in.PrtBasName, list);
}

} // namespace

TPrinterCommand PrintConfigCommand(const TDispatchInputs& in)
{
    if (in.PermissionOf(QStringLiteral("0301000001")) == 2)
        return RawCommand(kSelfTest, true);
    if (InList(in.PrtDefName, SelfTestRawModels()))
        return RawCommand(kSelfTest, true);
    if (DefOrBasIn(in, in.ListOf(QStringLiteral("V52_PrintSelf"))))
        return DoCommand(KEY_configguration_page);
    if (InGds(in))
        return DoCommand(KEY_configguration_page);
    if (in.Protocol == 0 && InListNameComma(in.PrtBasName, in.ListOf(QStringLiteral("BQM_ParameterSetting"))))
        return RawCommand(QByteArray("\x1D\x28\x41\x02\x00\x00\x01", 7));
    if (in.Protocol == 0)
        return RawCommand(QByteArray("\x1D\x28\x41\x02\x00\x00\x02", 7));
    return RawCommand(kSelfTest, true);
}

TPrinterCommand StartLearnCommand(const TDispatchInputs& in)
{
    if (DefOrBasIn(in, in.ListOf(QStringLiteral("V52_AutoLearn"))))
        return DoCommand(KEY_calibrate_sensor);
    if (InGds(in))
        return DoCommand(KEY_calibrate_sensor);
    if (InList(in.PrtBasName, LocatLearnTwoModels()))
        return DoCommand(KEY_locat_learn);
    if (InList(in.PrtBasName, LocatLearnFiveModels()))
        return DoWithData(KEY_locat_learn, QByteArray(1, '\x02'));
    return RawCommand(QByteArray("ZZZLEARN\r\n"));
}

TPrinterCommand ContinueLearnCommand(const TDispatchInputs& in)
{
    if (InList(in.PrtBasName, LocatLearnFiveModels()))
        return DoWithData(KEY_locat_learn, QByteArray(1, '\x00'));
    if (InList(in.PrtBasName, LocatLearnTwoModels()))
        return DoCommand(KEY_locat_learn);
    return {};
}

bool FrontLearnNeedsConfirm(const TDispatchInputs& in)
{
    return DefOrBasIn(in, FrontConfirmModels()) || InList(in.PrtBasName, FrontConfirmTwoModels())
           || in.PermissionOf(QStringLiteral("0302000001")) == 1;
}

TPrinterCommand FrontLearnCommand(const TDispatchInputs& in)
{
    if (in.PrtDefName == FrontAdSingleModel())
        return GetValCommand(KEY_front_ad);
    if (InList(in.PrtDefName, FrontSnsLearnModels()))
        return DoCommand(KEY_front_sns_learn);
    if (InList(in.PrtBasName, FrontCommandModels))
        return FrontCmd();
    if (DefOrBasIn(in, FrontUsbDecidesModels()))
        return IsMakerUsbId9(in.UsbIdText) ? GetValCommand(KEY_front_ad) : FrontCmd();
    if (InList(in.PrtBasName, FrontAdFourModels()))
        return GetValCommand(KEY_front_ad);
    if (InList(in.PrtBasName, FrontLearnFourModels()))
        return DoCommand(KEY_front_learn);
    return GetValCommand(KEY_front_ad);
}

TPrinterCommand ModelTestCommand(const TDispatchInputs& in)
{
    if (InGds(in))
        return DoCommand(KEY_tph_test_page);
    if (in.Protocol == 1)
        return RawCommand(QByteArray("ZZZDENSITYTST\r\n"));
    if (InListNameComma(in.PrtBasName, in.ListOf(QStringLiteral("ModelPrintOtherCMD"))))
        return RawCommand(QByteArray("\x1B\x1B\x04", 3));
    return RawCommand(QByteArray("\x12\x56", 2));
}

TPrinterCommand FactoryResetCommand(const TDispatchInputs& in)
{
    if (in.PermissionOf(QStringLiteral("0304000001")) == 1)
        return DoCommand(KEY_factory_default);
    if (DefOrBasIn(in, in.ListOf(QStringLiteral("V52_FactorySetting"))))
        return DoCommand(KEY_factory_default);
    if (InList(in.PrtBasName, FactoryDefaultOneModel()))
        return DoCommand(KEY_factory_default);
    if (InGds(in))
        return DoCommand(KEY_factory_default);
    if (in.Protocol == 0 && InListNameComma(in.PrtBasName, in.ListOf(QStringLiteral("BQM_ParameterSetting"))))
        return RawCommand(QByteArray("\x1B\x1B\x20", 3));
    return RawCommand(QByteArray("\x1B\x21\x52", 3));
}

// ---- print text ----------------------------------------------------------------------------

int PrintTextRoad(const TDispatchInputs& in)
{
    if (InList(in.PrtDefName, PrintTextKeyByteModels()))
        return 1;
    if (in.PrtDefName == PrintTextSingleModel())
        return 2;
    return 0;
}

QString PrintTextFormOfByte(const TDispatchInputs& in, int road, int modeByte, bool& cpclRefused)
{
    cpclRefused = false;
    if (road == 2)
        return QLatin1String(modeByte == 0 ? FormNames::EscTextPrint : FormNames::PrintTextLabel);
    switch (modeByte) {
    case 4:
        return QLatin1String(FormNames::PrintTextLabel);
    case 5:
        if (InList(in.PrtDefName, PrintTextCpclRefusedModels())) {
            cpclRefused = true;
            return QString();
        }
        return QLatin1String(FormNames::PrintTextLabelCpclV52bt);
    case 7:
        return QLatin1String(FormNames::EscTextPrint);
    default:
        return QString();
    }
}

int PrintTextKind(const TDispatchInputs& in)
{
    if (in.HasFeature(QStringLiteral("FTNNo_btnPrintText_Form1"))
        && !InList(in.PrtDefName, in.ListOf(QStringLiteral("NIsbtnPrintText"))))
        return 1;
    return in.Protocol == 1 ? 2 : 3;
}

QString PrintTextFormOfKind(const TDispatchInputs& in, int kind)
{
    if (kind == 1 || InList(in.PrtBasName, PrintTextCpclFourModels()))
        return QLatin1String(FormNames::PrintTextLabelCpclV52bt);
    if (kind == 2)
        return QLatin1String(FormNames::PrintTextLabel);
    if (kind == 3)
        return QLatin1String(FormNames::PrintText);
    return QString();
}

// ---- firmware update ---------------------------------------------------------------------------

bool DfuAsksUpdateMethod(const TDispatchInputs& in)
{
    return (in.HasFeature(QStringLiteral("FTNNo_Dfu_UpdateMethod1")) || in.PrtDefName == DfuUpdateMethodModel())
           && !InList(in.PrtBasName, DfuNineModels());
}

QString DfuTypeOfReply(const QString& reply)
{
    QString t = reply;
    auto junk = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\r') || c == QLatin1Char('\n')
                                     || c == QLatin1Char('"') || c == QLatin1Char('\t'); };
    while (!t.isEmpty() && junk(t.front()))
        t.remove(0, 1);
    while (!t.isEmpty() && junk(t.back()))
        t.chop(1);
    const QString up = t.toUpper();
    if (up == QLatin1String("DFU"))
        return QStringLiteral("DFU");
    if (up == QLatin1String("BIN"))
        return QStringLiteral("BIN");
    return t;
}

bool DfuIsOtaFirst(const TDispatchInputs& in)
{
    return InList(in.PrtDefName, DfuOtaEightModels());
}

TDfuAction DfuActionAfterChooser(const TDispatchInputs& in)
{
    TDfuAction a;
    auto form = [&a](const char* name) {
        a.What = TDfuAction::OpenForm;
        a.Form = QLatin1String(name);
        return a;
    };
    if (InList(in.PrtBasName, in.ListOf(QStringLiteral("IsbtnGDL"))))
        return form(FormNames::GDL);
    if (InList(in.PrtBasName, in.ListOf(QStringLiteral("W16P_DFU"))))
        return form(FormNames::DfuOta);
    if (DefOrBasIn(in, DfuNineModels())) {
        if (IsMakerUsbId9(in.UsbIdText))
            return form(FormNames::DfuOta);
        a.What = TDfuAction::SendThenTool;
        a.Bytes = QByteArray("ZZZDFUMODE\r\n");
        return a;
    }
    if (DefOrBasIn(in, DfuOtaFourModels()))
        return form(FormNames::DfuOta);
    if (InListNameComma(in.PrtBasName, in.ListOf(QStringLiteral("DFUWithoutCMD")))) {
        a.What = TDfuAction::ToolOnly;
        return a;
    }
    a.What = TDfuAction::SendThenTool;
    a.Bytes = InList(in.PrtBasName, in.ListOf(QStringLiteral("V52_DfuMode"))) ? QByteArray("\x1D\x75\x55\xAA", 4)
                                                                              : QByteArray("ZZZDFUMODE\r\n");
    return a;
}

namespace {
QString& ToolPathOverride()
{
    static QString path;
    return path;
}
} // namespace

QString FirmwareToolPath()
{
    if (!ToolPathOverride().isEmpty())
        return ToolPathOverride();
    const QByteArray env = qgetenv("PRT_FWUPDATE_TOOL");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    return GetExeDir() + QStringLiteral("FWUpdate/Dfu Update Tool");
}

void SetFirmwareToolPathForTest(const QString& path)
{
    ToolPathOverride() = path;
}

bool FirmwareToolCanStart()
{
    const QFileInfo info(FirmwareToolPath());
    return info.isFile() && info.isExecutable();
}

bool StartFirmwareTool()
{
    if (!FirmwareToolCanStart()) {
        ErrorBox(T("FormMain_Label_MSGFwToolMissing"));
        return false;
    }
    const QString path = FirmwareToolPath();
    if (!QProcess::startDetached(path, {})) {
        // the tool's own name, not where it lies; a colon of the text is followed by a blank
        QString text = T("FormMain_Label_MSGNoFwTool").trimmed();
        if (text.endsWith(QLatin1Char(':')))
            text += QLatin1Char(' ');
        ErrorBox(text + QFileInfo(path).fileName());
        return false;
    }
    return true;
}

// ---- handlers ------------------------------------------------------------------------------

namespace {

// TsplOpenPort on the current port with the object ensured; shows the open-failure box
// for results other than 0 and 5. True when open.
bool OpenPortWithBox(int& code)
{
    EnsureTsplPrinterObject();
    code = TsplOpenPort(GetCurrentPortString());
    if (code == 0 || code == prt::sdk::PRT_ALREADY_OPEN)
        return true;
    ErrorBox(OpenPortFailureMessage(code));
    return false;
}

// Probes the protocol and stores it as protocol number and SDK kind.
int ProbeProtocol()
{
    const int p = DetectPrinterProtocol();
    SetCurrentProtocolNo(p);
    SetPrinterSdkKind(p);
    return p;
}

// Text commands go through the library of the current kind: the TSPL connection is
// given up first when another library takes over, and the object is made when missing.
void PrepareTextCommand()
{
    if (SdkLibOfKind(GetPrinterSdkKind()) != prt::sdk::Lib::Tspl)
        TsplClosePort();
    EnsurePrinterObject();
}

void DrainReply()
{
    SleepMs(100);
    uint8_t buf[128];
    uint32_t count = 0;
    PrtReadData(buf, sizeof buf, &count);
}

// Sends the command; raw bytes go through the TSPL handle. Closes the port afterwards.
void SendPrinterCommand(const TPrinterCommand& c)
{
    switch (c.Kind) {
    case TCmdKind::None:
        break;
    case TCmdKind::Raw: {
        EnsureTsplPrinterObject();
        const int r = TsplWriteData(c.Bytes);
        if (r != 0 && c.ReportWriteFailure)
            CodeBox("_Err_WriteData", r);
        break;
    }
    case TCmdKind::Do:
        PrepareTextCommand();
        if (CmdDo(c.Bytes))
            CodeBox("_Err_WriteData", CmdLastResult());
        break;
    case TCmdKind::DoWithData:
        PrepareTextCommand();
        if (CmdDoWithData(c.Bytes, c.Data))
            CodeBox("_Err_WriteData", CmdLastResult());
        break;
    case TCmdKind::GetVal:
        PrepareTextCommand();
        if (CmdOpenPort())
            CmdGetVal(c.Bytes);
        break;
    case TCmdKind::FrontCommand: {
        PrepareTextCommand();
        if (CmdOpenPort()) {
            bool failed = false;
            SendFrontCommand(failed, false);
            if (!failed)
                DrainReply();
        }
        break;
    }
    }
    TsplClosePort();
    if (SdkLibOfKind(GetPrinterSdkKind()) != prt::sdk::Lib::Tspl)
        PrtClosePort();
}

QString ConfirmText(const char* key)
{
    return T(key).replace(QStringLiteral("{0}"), QStringLiteral("\r\n"));
}

void OpenTextWindow(const QString& name)
{
    if (name == QLatin1String(FormNames::PrintTextLabelCpclV52bt)) {
        const QString width = GetPaperWidthByModel();
        ShowFormModal(name, [width](QWidget* w) { CallFormHook(w, "SetPaperWidth", width); });
        return;
    }
    ShowFormModal(name);
}

void PrintTextClick(const TDispatchInputs& in)
{
    TsplClosePort();
    const int road = PrintTextRoad(in);
    if (road != 0) {
        EnsurePrinterObject();
        QByteArray buf;
        const int n = CmdGetKeyByte(static_cast<uint8_t>(gKeyFrameOpByte), 312, buf);
        PrtClosePort();
        if (n <= 0 || buf.isEmpty())
            return;
        bool refused = false;
        const QString name = PrintTextFormOfByte(in, road, static_cast<uint8_t>(buf.at(0)), refused);
        if (refused)
            ErrorBox(T("lblPrinterTextCPCLErrTip"));
        else if (!name.isEmpty())
            OpenTextWindow(name);
        return;
    }
    int kind = PrintTextKind(in);
    if (in.DebugMode) {
        bool ok = false;
        const int typed =
            DebugInputBox(QStringLiteral("Title:Test - PrintType"), QStringLiteral("PrintType:"), QString::number(kind))
                .toInt(&ok);
        if (ok)
            kind = typed;
    }
    const QString name = PrintTextFormOfKind(in, kind);
    if (!name.isEmpty())
        OpenTextWindow(name);
}

} // namespace

void btnParameterSettingClick(TMainFunctionHost& form)
{
    if (!form.RunGate())
        return;
    int code = 0;
    if (!OpenPortWithBox(code) && !IsDebugMode())
        return;
    const int p = ProbeProtocol();
    if (IsDebugMode())
        ShowInfoBox(QStringLiteral("Test - PrtDefName:") + PrtDefName + QStringLiteral(",PrtBasName:") + PrtBasName
                    + QStringLiteral(",ProtocolType:") + QString::number(p) + QLatin1Char(',') + GetProtocolDesc(p));
    const TParaFormChoice choice = ChooseParameterForm(CurrentDispatchInputs());
    ShowDebugNameMessage(choice.MatchedList, 1);
    ShowFormModal(choice.Form);
}

void MouseClick(TMainFunctionHost& form, const QString& name)
{
    if (!form.RunGate())
        return;
    int code = 0;
    if (!OpenPortWithBox(code) && !IsDebugMode()) {
        TsplClosePort();
        return;
    }
    SetPrinterSdkKind(1);
    form.ShowProtocolType(ProtocolNameOf(GetCurrentProtocolNo()) + QStringLiteral(",ProtocolType(02_01)"));
    const int p = ProbeProtocol();
    form.ShowProtocolType(ProtocolNameOf(p) + QStringLiteral(",ProtocolType(02_02)"));
    if (IsDebugMode())
        ShowInfoBox(QStringLiteral("Test:ProtocolType:") + QString::number(p));

    const TDispatchInputs in = CurrentDispatchInputs();
    auto closeAll = [] {
        TsplClosePort();
        PrtClosePort();
    };
    auto ask = [&](const QString& text) {
        if (AskOkCancel(text))
            return true;
        closeAll();
        return false;
    };

    if (name == QLatin1String("btnPrintConfigInfo")) {
        SendPrinterCommand(PrintConfigCommand(in));
    } else if (name == QLatin1String("btnStartLearn")) {
        SendPrinterCommand(StartLearnCommand(in));
    } else if (name == QLatin1String("btnContinueLenrn")) {
        const TPrinterCommand c = ContinueLearnCommand(in);
        if (c.Kind != TCmdKind::None && !ask(ConfirmText("Lang_All_00210090_11")))
            return;
        SendPrinterCommand(c);
    } else if (name == QLatin1String("btnNoPaperLightLearn")) {
        if (!ask(T("FormMain_Label_NoPaperLightLearnTip")))
            return;
        SendPrinterCommand(DoCommand(KEY_rec_nopaper_learn));
    } else if (name == QLatin1String("btnHavePaperLightLearn")) {
        if (!ask(T("FormMain_Label_PaperLightLearnTip")))
            return;
        SendPrinterCommand(DoCommand(KEY_rec_paper_learn));
    } else if (name == QLatin1String("btnFrontLearn")) {
        if (FrontLearnNeedsConfirm(in) && !ask(ConfirmText("Lang_All_00210090_11")))
            return;
        SendPrinterCommand(FrontLearnCommand(in));
        prt::MessageBoxPrt(T("Lang_All_00210379_11"), T("_MSG_Title_Message"), prt::MB_ICONINFORMATION_);
    } else if (name == QLatin1String("btnLabelSensorPrintImage")) {
        SendPrinterCommand(DoCommand(KEY_graph_sensor));
    } else if (name == QLatin1String("btnModelTest")) {
        SendPrinterCommand(ModelTestCommand(in));
    } else if (name == QLatin1String("btnFactorySetting")) {
        if (!ask(form.RestoreText()))
            return;
        SendPrinterCommand(FactoryResetCommand(in));
    } else if (name == QLatin1String("btnPrinterInformation")) {
        closeAll();
        if (p == 0) {
            ErrorBox(T("_Err_ProtocolFunction"));
            return;
        }
        ShowFormModal(QLatin1String(FormNames::PrinterInformation));
    } else if (name == QLatin1String("btnPrintText")) {
        PrintTextClick(in);
    } else if (name == QLatin1String("Button1")) {
        closeAll();
        ShowFormModal(QLatin1String(FormNames::DLUF));
    } else if (name == QLatin1String("Button2")) {
        closeAll();
        ShowFormModal(QLatin1String(InListNameComma(PrtBasName, in.ListOf(QStringLiteral("DLFile_ZR")))
                                        ? FormNames::DLFileZR
                                        : FormNames::DLFile));
    } else if (name == QLatin1String("Button3")) {
        closeAll();
        ShowFormModal(QLatin1String(FormNames::DLF));
    } else {
        closeAll();
    }
}

void btnDFUClick(TMainFunctionHost& form)
{
    if (!form.RunGate())
        return;
    const TDispatchInputs in = CurrentDispatchInputs();
    if (DfuIsOtaFirst(in)) {
        ShowFormModal(QLatin1String(FormNames::DfuOta));
        return;
    }
    // A road that ends in the separate update tool needs it: without it nothing is sent,
    // so the printer is not left in its update mode with nothing to update it.
    const TDfuAction a = DfuActionAfterChooser(in);
    if (a.What != TDfuAction::OpenForm && !FirmwareToolCanStart()) {
        ErrorBox(T("FormMain_Label_MSGFwToolMissing"));
        return;
    }
    if (DfuAsksUpdateMethod(in)) {
        PrepareTextCommand();
        if (!CmdOpenPort())
            return;
        const QString reply = CmdGetValEOF(KEY_update_method, 200);
        PrtClosePort();
        TsplClosePort();
        if (reply.isEmpty()) {
            ErrorBox(T("_Err_ReadData"));
            return;
        }
        const QString type = DfuTypeOfReply(reply);
        bool ok = false;
        ShowFormModal(
            QLatin1String(FormNames::FirmwareSelType),
            [&type](QWidget* w) {
                if (type == QLatin1String("DFU") || type == QLatin1String("BIN"))
                    CallFormHook(w, "SetSelectedType", type, true);
            },
            [&ok](QWidget* w) { ok = w->property("OKFlag").toInt() != 0; });
        if (!ok)
            return;
    }
    switch (a.What) {
    case TDfuAction::OpenForm:
        ShowFormModal(a.Form);
        return;
    case TDfuAction::ToolOnly:
        StartFirmwareTool();
        return;
    case TDfuAction::SendThenTool: {
        int code = 0;
        if (!OpenPortWithBox(code))
            return;
        const int r = TsplWriteData(a.Bytes);
        TsplClosePort();
        if (r != 0) {
            CodeBox("_Err_WriteData", r);
            return;
        }
        StartFirmwareTool();
        return;
    }
    }
}

void btnDFU2Click(TMainFunctionHost& form)
{
    if (!form.RunGate())
        return;
    ShowFormModal(QLatin1String(FormNames::DfuOta));
}

void btnWifiFirewateDownloadClick(TMainFunctionHost&)
{
    ShowFormModal(QLatin1String(FormNames::DfuOta), [](QWidget* w) { CallFormHook(w, "DfuSetMode", 1); });
}

void btnFWAllUpdateClick(TMainFunctionHost&)
{
    ShowFormModal(QLatin1String(FormNames::BulkUpdate), [](QWidget* w) { CallFormHook(w, "SetFWAllUpdateForm"); });
}

void Button4Click(TMainFunctionHost&)
{
    ShowFormModal(QLatin1String(FormNames::PrinterStatus));
}

void btnRfidSetClick(TMainFunctionHost& form)
{
    if (!form.RunGate())
        return;
    ShowFormModal(QLatin1String(FormNames::RfidSet));
}

void btnScanTestClick(TMainFunctionHost& form)
{
    if (!form.RunGate())
        return;
    int code = 0;
    if (!OpenPortWithBox(code))
        return;
    ShowFormModal(QLatin1String(FormNames::ScanTest));
}

void btnAdvancedSettingsClick(TMainFunctionHost& form)
{
    if (!form.RunGate())
        return;
    ShowFormModal(QLatin1String(FormNames::AdvancedSettings));
}

void mitemTempletManageClick(TMainFunctionHost& form)
{
    if (!form.RunGate())
        return;
    ShowFormModal(QLatin1String(FormNames::TempletManage));
}

void btnCommandTestClick(TMainFunctionHost& form)
{
    if (!form.RunGate())
        return;
    ShowFormModal(QLatin1String(FormNames::CommandTest));
    const int r = TsplCreateGlobalPrinter(ConsoleSdkModel(PrtMapName));
    if (r != 0)
        CodeBox("_Err_CreatePrinter", r);
}

void btnAddPrinterClick(TMainFunctionHost& form)
{
    TPrinterManageTarget& m = form.PrinterManage();
    m.PrepareAdd();
    ShowExistingFormModal(QStringLiteral("T_frmPrinterManage_Label"), m.ManageWindow());
    if (m.WrittenOk())
        form.PrinterAdded();
}

void btnModifyPrinterClick(TMainFunctionHost& form)
{
    if (form.RowCount() == 0) {
        ShowInfoBox(prt::LangText(QLatin1String(LANGKEY_PrinterListEmpty)));
        return;
    }
    const TMainFunctionHost::TModifyHandover h = form.ModifyHandover();
    TPrinterManageTarget& m = form.PrinterManage();
    m.PrepareModify(h);
    ShowExistingFormModal(QStringLiteral("T_frmPrinterManage_Label"), m.ManageWindow());
    if (m.WrittenOk() || m.FoundListChanged())
        form.PrinterModified();
}

void btnIPMessageClick(TMainFunctionHost& form)
{
    gChosenPrinterAddress.clear();
    QString chosen;
    ShowFormModal(QLatin1String(FormNames::NetDiscovery), {}, [&chosen](QWidget* w) {
        if (auto* f = qobject_cast<TForm13*>(w); f && f->OKFlag() == -1)
            chosen = gChosenPrinterAddress;
    });
    if (!chosen.isEmpty())
        form.ApplyChosenAddress(chosen);
}

bool DispatchMainFunction(TMainFunctionHost& form, const QString& name)
{
    static const QStringList mouse = {
        "btnPrintConfigInfo", "btnStartLearn", "btnContinueLenrn", "btnNoPaperLightLearn",
        "btnHavePaperLightLearn", "btnFrontLearn", "btnLabelSensorPrintImage", "btnModelTest",
        "btnFactorySetting", "btnPrinterInformation", "btnPrintText", "Button1", "Button2", "Button3"};
    if (mouse.contains(name)) {
        MouseClick(form, name);
        return true;
    }
    using Fn = void (*)(TMainFunctionHost&);
    static const QHash<QString, Fn> table = {
        {"btnParameterSetting", &btnParameterSettingClick},
        {"btnDFU", &btnDFUClick},
        {"btnDFU2", &btnDFU2Click},
        {"btnWifiFirewateDownload", &btnWifiFirewateDownloadClick},
        {"btnFWAllUpdate", &btnFWAllUpdateClick},
        {"Button4", &Button4Click},
        {"btnRfidSet", &btnRfidSetClick},
        {"btnScanTest", &btnScanTestClick},
        {"btnAdvancedSettings", &btnAdvancedSettingsClick},
        {"btnCommandTest", &btnCommandTestClick},
        {"mitemTempletManage", &mitemTempletManageClick},
        {"btnAddPrinter", &btnAddPrinterClick},
        {"btnModifyPrinter", &btnModifyPrinterClick},
        {"btnIPMessage", &btnIPMessageClick},
    };
    const auto it = table.constFind(name);
    if (it == table.constEnd())
        return false;
    it.value()(form);
    return true;
}
