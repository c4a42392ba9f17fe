// Pictures of the forms, their language keys, the opener entries and the start-up
// instances.
#include "FormParaSet_V64.h"
#include "LayoutsBcdeFixture.h"
#include "PrtIni.h"
#include "mdlCurrentPrinter.h"
#include "mdlFormOpeners.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QRegularExpression>
#include <QThread>

using namespace paraforms2;

TEST_F(FormSim, PicturesOfEveryForm)
{
    struct Case {
        const char* form;
        const char* model;
        QByteArray block;
        const char* file;
    };
    const Case cases[] = {
        {"T_frmParaSet_V64", "QT-V64BT", prt::sim::SimLayoutBBlock(true), "V64_bluetooth"},
        {"T_frmParaSet_V64", "V64", prt::sim::SimLayoutBBlock(false), "V64"},
        {"T_frmParaSet_W16", "W16", prt::sim::SimLayoutBBlock(false), "W16"},
        {"T_frmParaSet_W16_Vuzivaz", "W16", prt::sim::SimLayoutBBlock(false), "W16_Vuzivaz"},
        {"T_frmParaSet_BQM", "BQM", prt::sim::SimLayoutCBlock(), "BQM"},
        {"T_frmParaSet_J27", "J27BT", prt::sim::SimLayoutEBlock(), "J27"},
        {"T_frmParaSet_W7X", "W7X", prt::sim::SimLayoutDBlock(), "W7X"},
        {"T_frmParaSet_W7X_Vuzivaz", "W7X", prt::sim::SimLayoutDBlock(), "W7X_Vuzivaz"},
        {"T_frmParaSet_W7X_ZR905K", "MNT512B-U", prt::sim::SimLayoutDBlock(), "W7X_ZR905K"},
    };
    for (const Case& c : cases) {
        Select(c.model);
        SetBlock(c.block);
        ASSERT_TRUE(Open(c.form, [&](TParaSetForm* form) {
            EXPECT_EQ(form->ReadState(), TParaSetForm::TReadState::Good) << c.form;
            const QString out = QStringLiteral(PRT_FORMS_TEST_OUT_DIR) + "/paraset_" + c.file + ".png";
            EXPECT_TRUE(form->grab().save(out)) << out.toStdString();
        }));
    }
}

TEST(FormsBcdeLanguage, EveryKeyTheFormsReadHasBothTexts)
{
    const QStringList keys = {
        "KESA_ParaSet", "_ParaSet", "_Set", "_Close", "_Disable", "_Enable", "_Support", "_UnSupport",
        "_BTSet", "_BTName", "_BTPWD", "_PrintType1", "_PrintType2", "_PaperType_Auto", "_PaperType_Label",
        "_PaperType_Receipt", "_PaperType_BlackMark", "_Err_BTPWD_Len", "Lang_All_00010021_11",
        "_MSG_Title_Error", "_MSG_Title_Message", "_ParaSet_OK", "_Err_ParaSet", "_Err_OpenPort", "_Err_ReadData",
        "_Err_CheckSum", "_Err_WriteData",
        // V64 and W16
        "FormParaSet_Z12_lblBTNameLen", "FormParaSet_260_lblBTPWDLen", "FormParaSet_Z12_chkSimplePairing",
        "FormParaSet_W16_lblDensity", "FormParaSet_W16_lblCodepage", "FormParaSet_V64_lblDetectMode",
        "FormParaSet_V64_cmbDetectMode_Item1", "FormParaSet_V64_cmbDetectMode_Item2",
        "FormParaSet_V64_cmbDetectMode_Item3", "FormParaSet_W16_gpbReprintWhenError", "FormParaSet_W16_gpbPrintReprint",
        "FormParaSet_W16_lblPrintToStop", "FormParaSet_W16_lblVOrigin", "FormParaSet_W16_lblHOrigin",
        "FormParaSet_W7X_lblHeatAdj", "FormParaSet_W7X_lblPrintSpeed", "FormParaSet_W16_lblStopPrint1",
        "FormParaSet_W16_lblStopPrint2", "FormParaSet_W16_lblBaudRate", "FormParaSet_W16_lblBuzzerSound",
        "FormParaSet_W16_lblBackLight", "FormParaSet_W16_lblSenserLoaction", "FormParaSet_W16_cmbSenserLoaction_Item1",
        "FormParaSet_W16_cmbSenserLoaction_Item2", "FormParaSet_W16_gpbPowerProtect",
        // BQM and J27
        "FormParaSet_BQM_gpbCOMPortSet", "FormParaSet_BQM_lblBaudRate", "FormParaSet_BQM_gpbAutoPosition",
        "FormParaSet_BQM_gpbLanguage", "FormParaSet_BQM_lblInternationalCharacter", "FormParaSet_BQM_lblCodepage",
        "FormParaSet_BQM_gpbPrinterConfig", "FormParaSet_BQM_lblDensity", "FormParaSet_BQM_lblJudgePaperMode",
        "FormParaSet_BQM_lblProtocolType", "FormParaSet_BQM_lblMarkMaxLength", "FormParaSet_BQM_lblLabelMinLength",
        "FormParaSet_BQM_lblLabelMaxLength", "FormParaSet_BQM_lblValleyThresholdRate",
        "FormParaSet_BQM_lblVoltageBetweenLabelGap", "FormParaSet_BQM_cmbKero1", "FormParaSet_BQM_cmbKero2",
        "FormParaSet_260_gpbAutoPosition", "FormParaSet_260_gpbOther", "FormParaSet_260_lblDensity",
        "FormParaSet_260_lblJudgePaperMode",
        // W7X
        "FormParaSet_W7X_gpbDensity", "FormParaSet_W7X_lblDensity", "FormParaSet_W7X_gpbPrintType",
        "FormParaSet_W7X_gpbEthernetSetting", "FormParaSet_W7X_lblDHCP", "FormParaSet_W7X_cmbDHCP_Item1",
        "FormParaSet_W7X_cmbDHCP_Item2", "FormParaSet_W7X_lblIPAddress", "FormParaSet_W7X_lblSubnet",
        "FormParaSet_W7X_lblDefautGateway", "FormParaSet_W7X_gpbReprintWhenError", "FormParaSet_W7X_gpbSmallLabel",
        "FormParaSet_W7X_gpbAutoPosition", "FormParaSet_W7X_gpbOther", "FormParaSet_260_gpbLanguage",
        "FormParaSet_W7X_lblLabelMaxLength", "FormParaSet_W7X_lblJudgePaperMode", "FormParaSet_W7X_lblCodepage",
        "FormParaSet_W7X_lblStopPrint1", "FormParaSet_W7X_lblStopPrint2",
    };
    for (const char* file : {"UtilityForLabelLanguage.ini", "UtilityForMobileLanguage.ini"})
        for (const char* section : {"1033", "2052"})
            for (const QString& key : keys)
                EXPECT_FALSE(prt::IniReadString(prt::test::SourceDir() + "/files/" + file, section, key, QString())
                                 .trimmed()
                                 .isEmpty())
                    << file << " [" << section << "] " << key.toStdString();
}

TEST(FormsBcdeLanguage, ShippedListsNameTheFamilies)
{
    const QString company = QString::fromUtf8(prt::test::ReadTestFile(prt::test::SourceDir() + "/files/CompanyPrinterList_Label.txt"));
    const QStringList models = company.split(QRegularExpression("[\r\n]+"), Qt::SkipEmptyParts);
    for (const char* file : {"PrinterTypeList_Label.ini", "PrinterTypeList_Mobile.ini"}) {
        const QString path = prt::test::SourceDir() + "/files/" + file;
        for (const char* key : {"ReprintDisenable", "J27_ParameterSetting_WithBT", "J27_ParameterSetting_WithProtocol"}) {
            const QString list = prt::IniReadString(path, "ParameterSet", key, QString());
            ASSERT_TRUE(list.startsWith(',') && list.endsWith(',') && list.size() > 2) << file << " " << key;
            for (const QString& m : list.split(',', Qt::SkipEmptyParts))
                EXPECT_TRUE(models.contains(m)) << file << " " << key << ": " << m.toStdString();
        }
    }
    const QString label = prt::test::SourceDir() + "/files/PrinterTypeList_Label.ini";
    for (const char* key : {"W16_ParameterSetting", "BQM_ParameterSetting", "J27_ParameterSetting",
                            "MNT512B_ParameterSetting", "MNT512B_NoNetParameterSetting"}) {
        const QStringList members = prt::IniReadString(label, "ParameterSet", key, QString()).split(',', Qt::SkipEmptyParts);
        EXPECT_TRUE(std::any_of(members.begin(), members.end(), [&](const QString& m) { return models.contains(m); }))
            << key << " names no model of the company list";
    }
}

TEST_F(FormSim, OpenerTableHoldsTheEightFormsAndV64CreationSendsNothing)
{
    for (const char* name : {"T_frmParaSet_V64", "T_frmParaSet_W16", "T_frmParaSet_W16_Vuzivaz", "T_frmParaSet_BQM",
                             "T_frmParaSet_J27", "T_frmParaSet_W7X", "T_frmParaSet_W7X_Vuzivaz",
                             "T_frmParaSet_W7X_ZR905K"})
        EXPECT_TRUE(IsFormAvailable(name)) << name;
    // No printer selected: the creation lays out its rows and touches no port.
    ClearCurrentPrinterNames();
    {
        T_frmParaSet_V64 form;
        EXPECT_FALSE(form.gpbBT->isVisibleTo(form.pnlA));
        EXPECT_EQ(form.cmbDensity->y(), form.gpbBT->y());
    }
    QThread::msleep(50);
    EXPECT_EQ(printer.connections(), 0);
    EXPECT_TRUE(printer.received().isEmpty());
}
