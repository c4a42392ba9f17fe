// The precedence chains of the main window's functions, walked without widgets or a
// printer: each case gives the names, protocol, lists and printer answers and expects the
// window or the bytes.
#include "PrinterCMD.h"
#include "TestSupport.h"
#include "mdlFunctionDispatch.h"
#include "mdlModelCatalog.h"

#include <QMap>

// Cases name only the fields they need.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <gtest/gtest.h>

using prt::test::Hex;

namespace {

struct In {
    QString def, bas;
    int protocol = 1;
    QMap<QString, QString> lists;
    QString usb;
    QMap<QString, int> perms;
    QStringList features;
    bool fwNew = false;
};

TDispatchInputs Make(const In& c)
{
    TDispatchInputs in;
    in.PrtDefName = c.def;
    in.PrtBasName = c.bas.isEmpty() ? c.def : c.bas;
    in.Protocol = c.protocol;
    in.UsbIdText = c.usb;
    const auto lists = c.lists;
    in.List = [lists](const QString& k) { return lists.value(k); };
    const auto perms = c.perms;
    in.Permission = [perms](const QString& k) { return perms.value(k); };
    const auto features = c.features;
    in.Feature = [features](const QString& f) { return features.contains(f); };
    const bool fw = c.fwNew;
    in.FirmwareAtLeast = [fw](const QString&) { return fw; };
    return in;
}

// The maker's vendor id with a product id beginning with 9, and one beginning otherwise.
QString Usb9() { return "USB\\" + GetUsbId_VendorB_9008() + "\\x"; }
QString UsbOther() { return "USB\\" + GetUsbId_VendorB_4011() + "\\x"; }

} // namespace

TEST(DispatchRules, ParameterSettingChainFirstMatchWins)
{
    struct Case {
        In in;
        const char* form;
    };
    const Case cases[] = {
        {{"X1", "", 1, {{"MNT512B_NoNetParameterSetting", ",X1,"}, {"V64_ParameterSetting", ",X1,"}}},
         "T_frmParaSet_W7X_ZR905K"},
        {{"V64", "", 1, {{"V64_ParameterSetting", ",V64,"}}}, "T_frmParaSet_V64"},
        {{"V64", "", 1, {{"V64_ParameterSetting", ",V64,"}}, Usb9()}, "T_frmParaSet_V52"},
        {{"V64", "", 1, {{"V64_ParameterSetting", ",V64,"}}, UsbOther()}, "T_frmParaSet_V64"},
        {{"V52", "", 1, {{"V52_ParameterSetting", ",V52,"}, {"U9_ParameterSetting", ",V52,"}}}, "T_frmParaSet_V52"},
        {{"U9", "", 1, {{"U9_ParameterSetting", ",U9,"}, {"F58S_ParameterSetting", ",U9,"}}}, "T_frmParaSet_U9"},
        {{"F58S", "", 1, {{"F58S_ParameterSetting", ",F58S,"}}}, "T_frmParaSet_F58S"},
        {{"Trev", "", 1, {{"Trev_ParameterSetting", ",Trev,"}}}, "T_frmParaSet_Trev"},
        {{"Z12", "", 1, {{"Z12_ParameterSetting", ",Z12,"}}}, "T_frmParaSet_Z12"},
        {{"Z34", "", 1, {}}, "T_frmParaSet_Z34"},  // the single model, without a list
        {{"J27", "", 1, {{"J27_ParameterSetting", ",J27,"}}}, "T_frmParaSet_J27"},
        {{"QX", "", 1, {{"QX_ParameterSetting", ",QX,"}}}, "T_frmParaSet_QX"},
        {{"F58D", "", 1, {}}, "T_frmParaSet_F58D"},
        {{"W16", "", 1, {{"W16_ParameterSetting", ",W16,"}}, "", {}, {}, true}, "T_frmParaSet_W16"},
        {{"W16", "", 1, {{"W16_ParameterSetting", ",W16,"}}, "", {}, {}, false}, "T_frmParaSet_W16_Vuzivaz"},
        {{"BQM", "", 1, {{"BQM_ParameterSetting", ",BQM,"}}}, "T_frmParaSet_BQM"},
        {{"QZ58", "", 1, {{"QZ_ParameterSetting", ",QZ58,"}}}, "T_frmParaSet_BQM"},
        {{"BQM260", "", 1, {{"BQM260_ParameterSetting", ",BQM260,"}}}, "T_frmParaSet_BQM260"},
        {{"J83", "", 1, {{"J83_ParameterSetting", ",J83,"}}}, "T_frmParaSet_J83"},
        {{"W7X", "", 1, {{"MNT512B_ParameterSetting", ",W7X,"}}, "", {}, {}, true}, "T_frmParaSet_W7X"},
        {{"W7X", "", 1, {{"MNT512B_ParameterSetting", ",W7X,"}}}, "T_frmParaSet_W7X_Vuzivaz"},
        {{"W16P", "", 1, {}}, "T_frmParaSet_W16P"},
        {{"BTN7", "", 1, {{"BTN7_ParameterSetting", ",BTN7,"}}, "", {}, {}, true}, "T_frmParaSet_BTN7"},
        {{"BTN7", "", 1, {{"BTN7_ParameterSetting", ",BTN7,"}}}, "T_frmParaSet_BTN7_Vuzivaz"},
        {{"ZR910", "", 1, {{"ZR_ParameterSetting", ",ZR910,"}}}, "T_frmParaSet_ZR"},
        {{"ZR905K", "OTHER", 1, {}}, "T_frmParaSet_ZR"},  // the listed name decides
        {{"NOLIST", "", 1, {}}, "T_frmParaSet_BQM"},
        // Whole names only: a list holding "V64C" does not take "V64".
        {{"V64", "", 1, {{"V64_ParameterSetting", ",V64C,"}}}, "T_frmParaSet_BQM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in.def.toStdString() + " -> " + c.form);
        EXPECT_EQ(ChooseParameterForm(Make(c.in)).Form, c.form);
    }
    EXPECT_TRUE(ChooseParameterForm(Make({"NOLIST"})).MatchedList.isEmpty());
}

TEST(DispatchRules, PrintConfigurationLearningModelTestAndFactoryResetBytes)
{
    struct Case {
        const char* what;
        In in;
        TCmdKind kind;
        QByteArray bytes;
        QByteArray data;
    };
    using K = TCmdKind;
    const QByteArray selftest = "SELFTEST\r\n";
    const Case cases[] = {
        // print configuration
        {"config", {"V52", "", 1, {{"V52_PrintSelf", ",V52,"}}, "", {{"0301000001", 2}}}, K::Raw, selftest, {}},
        {"config", {"TE62", "", 1, {{"V52_PrintSelf", ",TE62,"}}}, K::Raw, selftest, {}},
        {"config", {"V52", "", 0, {{"V52_PrintSelf", ",V52,"}}}, K::Do, "\"configguration_page\"", {}},
        {"config", {"DEF", "V52", 1, {{"V52_PrintSelf", ",V52,"}}}, K::Do, "\"configguration_page\"", {}},
        {"config", {"V64", "", 0, {{"GDS", ",QT-V64,"}}}, K::Do, "\"configguration_page\"", {}},  // name-comma
        {"config", {"BQM", "", 0, {{"BQM_ParameterSetting", ",BQM,"}}}, K::Raw, Hex("1D 28 41 02 00 00 01"), {}},
        {"config", {"P80", "", 0, {}}, K::Raw, Hex("1D 28 41 02 00 00 02"), {}},
        {"config", {"P80", "", 1, {}}, K::Raw, selftest, {}},
        // label learning
        {"learn", {"Y7", "", 1, {{"V52_AutoLearn", ",Y7,"}}}, K::Do, "\"calibrate_sensor\"", {}},
        {"learn", {"V64", "", 1, {{"GDS", ",V64,"}}}, K::Do, "\"calibrate_sensor\"", {}},
        {"learn", {"W16", "", 1, {}}, K::Do, "\"locat_learn\"", {}},
        {"learn", {"V52R", "", 1, {}}, K::DoWithData, "\"locat_learn\"", Hex("02")},
        {"learn", {"P80", "", 1, {}}, K::Raw, "ZZZLEARN\r\n", {}},
        // continuous-paper learning
        {"continue", {"V52R", "", 1, {}}, K::DoWithData, "\"locat_learn\"", Hex("00")},
        {"continue", {"W16P", "", 1, {}}, K::Do, "\"locat_learn\"", {}},
        {"continue", {"P80", "", 1, {}}, K::None, {}, {}},
        // print-head test
        {"model", {"V64", "", 1, {{"GDS", ",V64,"}}}, K::Do, "\"tph_test_page\"", {}},
        {"model", {"P80", "", 1, {{"ModelPrintOtherCMD", ",P80,"}}}, K::Raw, "ZZZDENSITYTST\r\n", {}},
        {"model", {"F58S", "", 0, {{"ModelPrintOtherCMD", ",F58S,F58D,"}}}, K::Raw, Hex("1B 1B 04"), {}},
        {"model", {"P80", "", 3, {}}, K::Raw, Hex("12 56"), {}},
        // factory reset
        {"factory", {"P80", "", 0, {}, "", {{"0304000001", 1}}}, K::Do, "\"factory_default\"", {}},
        {"factory", {"DEF", "V52", 1, {{"V52_FactorySetting", ",V52,"}}}, K::Do, "\"factory_default\"", {}},
        {"factory", {"TA380", "", 1, {}}, K::Do, "\"factory_default\"", {}},
        {"factory", {"V64", "", 1, {{"GDS", ",V64,"}}}, K::Do, "\"factory_default\"", {}},
        {"factory", {"BQM", "", 0, {{"BQM_ParameterSetting", ",BQM,"}}}, K::Raw, Hex("1B 1B 20"), {}},
        {"factory", {"BQM", "", 1, {{"BQM_ParameterSetting", ",BQM,"}}}, K::Raw, Hex("1B 21 52"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " " + c.in.def.toStdString());
        const TDispatchInputs in = Make(c.in);
        const QString w = c.what;
        const TPrinterCommand got = w == "config"     ? PrintConfigCommand(in)
                                    : w == "learn"    ? StartLearnCommand(in)
                                    : w == "continue" ? ContinueLearnCommand(in)
                                    : w == "model"    ? ModelTestCommand(in)
                                                      : FactoryResetCommand(in);
        EXPECT_EQ(int(got.Kind), int(c.kind));
        EXPECT_EQ(got.Bytes, c.bytes) << prt::test::ToHex(got.Bytes);
        EXPECT_EQ(got.Data, c.data);
    }
    // Only the raw SELFTEST of the configuration print reports a failed write.
    EXPECT_TRUE(PrintConfigCommand(Make({"P80"})).ReportWriteFailure);
    EXPECT_FALSE(PrintConfigCommand(Make({"P80", "", 0})).ReportWriteFailure);
}

TEST(DispatchRules, FrontLearningConfirmationAndCommand)
{
    // Confirmation: the 34-model list by either name, the two-model list by base name,
    // or permission "0302000001" = 1.
    EXPECT_TRUE(FrontLearnNeedsConfirm(Make({"BTN7"})));
    EXPECT_TRUE(FrontLearnNeedsConfirm(Make({"DEF", "L46"})));
    EXPECT_TRUE(FrontLearnNeedsConfirm(Make({"P80", "", 1, {}, "", {{"0302000001", 1}}})));
    EXPECT_FALSE(FrontLearnNeedsConfirm(Make({"P80"})));
    EXPECT_FALSE(FrontLearnNeedsConfirm(Make({"D45"})));

    struct Case {
        In in;
        TCmdKind kind;
        QByteArray key;
    };
    using K = TCmdKind;
    const Case cases[] = {
        {{"TA380"}, K::GetVal, "\"front_ad\""},
        {{"SN723"}, K::Do, "\"front_sns_learn\""},
        {{"V52"}, K::FrontCommand, {}},                 // catalogue's front-command list
        {{"V64C", "", 1, {}, Usb9()}, K::GetVal, "\"front_ad\""},
        {{"V64C", "", 1, {}, UsbOther()}, K::FrontCommand, {}},
        {{"AK-S770"}, K::GetVal, "\"front_ad\""},
        {{"BTN7"}, K::Do, "\"front_learn\""},
        {{"P80"}, K::GetVal, "\"front_ad\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in.def.toStdString());
        const TPrinterCommand got = FrontLearnCommand(Make(c.in));
        EXPECT_EQ(int(got.Kind), int(c.kind));
        EXPECT_EQ(got.Bytes, c.key);
    }
}

TEST(DispatchRules, PrintTextWindowByPaperModeAndKind)
{
    bool refused = false;
    // Road 1: listed models ask key 312.
    EXPECT_EQ(PrintTextRoad(Make({"V52"})), 1);
    EXPECT_EQ(PrintTextFormOfByte(Make({"V52"}), 1, 4, refused), "T_frmPrintTextLabel");
    EXPECT_EQ(PrintTextFormOfByte(Make({"V52"}), 1, 5, refused), "T_frmPrintTextLabelCpclV52bt");
    EXPECT_FALSE(refused);
    EXPECT_EQ(PrintTextFormOfByte(Make({"V52BT"}), 1, 5, refused), "");
    EXPECT_TRUE(refused);
    EXPECT_EQ(PrintTextFormOfByte(Make({"V52"}), 1, 7, refused), "TForm25");
    EXPECT_EQ(PrintTextFormOfByte(Make({"V52"}), 1, 3, refused), "");
    // Road 2: the single model: 0 the receipt window, anything else the label window.
    EXPECT_EQ(PrintTextRoad(Make({"Y7"})), 2);
    EXPECT_EQ(PrintTextFormOfByte(Make({"Y7"}), 2, 0, refused), "TForm25");
    EXPECT_EQ(PrintTextFormOfByte(Make({"Y7"}), 2, 9, refused), "T_frmPrintTextLabel");
    // Road 0: the kind.
    In feature{"Y7BT"};
    feature.features = {"FTNNo_btnPrintText_Form1"};
    EXPECT_EQ(PrintTextRoad(Make(feature)), 0);
    EXPECT_EQ(PrintTextKind(Make(feature)), 1);
    feature.lists = {{"NIsbtnPrintText", ",Y7BT,"}};
    EXPECT_EQ(PrintTextKind(Make(feature)), 2) << "the exception list drops the feature";
    EXPECT_EQ(PrintTextKind(Make({"P80", "", 0})), 3);
    EXPECT_EQ(PrintTextFormOfKind(Make({"P80"}), 1), "T_frmPrintTextLabelCpclV52bt");
    EXPECT_EQ(PrintTextFormOfKind(Make({"P80"}), 2), "T_frmPrintTextLabel");
    EXPECT_EQ(PrintTextFormOfKind(Make({"P80"}), 3), "T_frmPrintText");
    EXPECT_EQ(PrintTextFormOfKind(Make({"DEF", "TE62"}), 2), "T_frmPrintTextLabelCpclV52bt");
}

TEST(DispatchRules, FirmwareRoad)
{
    EXPECT_TRUE(DfuIsOtaFirst(Make({"W16P"})));
    EXPECT_FALSE(DfuIsOtaFirst(Make({"DEF", "W16P"})));

    In method{"V52"};
    method.features = {"FTNNo_Dfu_UpdateMethod1"};
    EXPECT_TRUE(DfuAsksUpdateMethod(Make(method)));
    EXPECT_TRUE(DfuAsksUpdateMethod(Make({"V64C"})));
    EXPECT_FALSE(DfuAsksUpdateMethod(Make({"P80"})));
    method.def = "Y7";  // the nine-entry list takes the question away
    EXPECT_FALSE(DfuAsksUpdateMethod(Make(method)));

    // The reply is trimmed of blanks, CR, LF and quotes before the comparison.
    EXPECT_EQ(DfuTypeOfReply("\"dfu\"\r\n"), "DFU");
    EXPECT_EQ(DfuTypeOfReply(" Bin "), "BIN");
    EXPECT_EQ(DfuTypeOfReply("GDL\r\n"), "GDL");

    struct Case {
        In in;
        TDfuAction::Kind what;
        const char* form;
        QByteArray bytes;
    };
    const QByteArray dfumode = "ZZZDFUMODE\r\n";
    const Case cases[] = {
        {{"V64", "", 1, {{"IsbtnGDL", ",V64,"}, {"W16P_DFU", ",V64,"}}}, TDfuAction::OpenForm, "TfrmGDL", {}},
        {{"HB", "", 1, {{"W16P_DFU", ",HB,"}}}, TDfuAction::OpenForm, "TfrmDFU_W16P", {}},
        {{"Y7", "", 1, {}, Usb9()}, TDfuAction::OpenForm, "TfrmDFU_W16P", {}},
        {{"Y7", "", 1, {}, UsbOther()}, TDfuAction::SendThenTool, "", dfumode},
        {{"GS-PR540X"}, TDfuAction::OpenForm, "TfrmDFU_W16P", {}},
        {{"ZR905K", "", 1, {{"DFUWithoutCMD", ",ZR905K,"}}}, TDfuAction::ToolOnly, "", {}},
        {{"V52", "", 1, {{"V52_DfuMode", ",V52,"}}}, TDfuAction::SendThenTool, "", Hex("1D 75 55 AA")},
        {{"P80"}, TDfuAction::SendThenTool, "", dfumode},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in.def.toStdString());
        const TDfuAction a = DfuActionAfterChooser(Make(c.in));
        EXPECT_EQ(a.What, c.what);
        EXPECT_EQ(a.Form, c.form);
        EXPECT_EQ(a.Bytes, c.bytes);
    }
}

TEST(DispatchRules, FixedListsHoldCatalogueModelsOfTheStatedSizes)
{
    auto count = [](const QString& list) { return list.split(',', Qt::SkipEmptyParts).size(); };
    EXPECT_EQ(count(DispatchData::SelfTestRawModels()), 13);
    EXPECT_EQ(count(DispatchData::FrontConfirmModels()), 34);
    EXPECT_EQ(count(DispatchData::FrontUsbDecidesModels()), 10);
    EXPECT_EQ(count(DispatchData::DfuOtaEightModels()), 8);
    EXPECT_EQ(count(DispatchData::DfuNineModels()), 9);
    EXPECT_EQ(count(DispatchData::ParaW16PModels()), 4);
    EXPECT_EQ(count(DispatchData::ParaV52FiveModels()), 5);
    EXPECT_EQ(DispatchData::ConsoleSdkModel("V52BT"), "V52");
    EXPECT_EQ(DispatchData::ConsoleSdkModel("Kastor Y7"), "Y7");
    EXPECT_EQ(DispatchData::ConsoleSdkModel("TE62BT"), "TE62");
    EXPECT_EQ(DispatchData::ConsoleSdkModel("QT-V64BT"), "QT-V64");
    EXPECT_EQ(DispatchData::ConsoleSdkModel("F58S"), "F58S");
}
