#include "FormPrintText_Label_CPCL_V52BT.h"

#include "CMD_Key.h"
#include "PrinterCMD.h"
#include "PrtCodePage.h"
#include "PrtTexts.h"
#include "mdlCurrentPrinter.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlPrinterLib.h"
#include "mdlPrinterTypeList.h"
#include "mdlPubFunc.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

T_frmPrintTextLabelCpclV52bt::T_frmPrintTextLabelCpclV52bt(QWidget* parent) : TPrintTextLabelBase(parent)
{
    setObjectName(QStringLiteral("T_frmPrintTextLabelCpclV52bt"));
    txtPrintableWidth->setText(QStringLiteral("30"));
    txtPrintableHeigh->setText(QStringLiteral("30"));
    gpbLanguage->setTitle(QStringLiteral("     选择语言"));
    lblInternationalCharacter->setText(QStringLiteral("语言："));
}

void T_frmPrintTextLabelCpclV52bt::FormShow()
{
    InitLanguage();
    ApplyFormFont(this);
    ShowSizeControls(!IsFeatureModel(QString::fromLatin1(FTNNo_PrintableWidth_NotVisible)));
}

void T_frmPrintTextLabelCpclV52bt::InitLanguage()
{
    InitCommonTexts();
    FillCharacterSets();
    if (IsInCommaList(PrtBasName, ReadParameterSetNow(QStringLiteral("V52_PrintTextLanguageDisable"))))
        gpbLanguage->setEnabled(false);
    gpbLanguage->setVisible(!IsFeatureModel(QString::fromLatin1(FTNNo_PrintTextLanguage_NotVisible)));
    btnPrint->setText(prt::LangText(QStringLiteral("_Print")));
    btnClose->setText(prt::LangText(QStringLiteral("_Close")));
    // The group title keeps the five leading blanks of its design caption.
    gpbLanguage->setTitle(QStringLiteral("     ")
                          + prt::LangText(QStringLiteral("FormPrintTextLabelCpclV52bt_gpbLanguage")));
    lblInternationalCharacter->setText(
        prt::LangText(QStringLiteral("FormPrintTextLabelCpclV52bt_lblInternationalCharacter")));
}

bool T_frmPrintTextLabelCpclV52bt::ReadPaperModeFlag()
{
    // The query goes over the same TSPL object as the page itself, on the open port.
    const QByteArray frame = BuildGetKeyFrame(1, KEYID_CE, 1);
    const int code = TsplWriteData(frame);
    SetCmdLastResult(code);
    if (code != 0)
        return false;
    DelayMs(50);
    uint8_t value = 0;
    uint32_t count = 0;
    const int read = TsplReadData(&value, 1, &count);
    SetCmdLastResult(read);
    return read == 0 && count > 0 && value != 0;
}

void T_frmPrintTextLabelCpclV52bt::PrintCpclJob(bool paperModeFlag)
{
    TCpclPageInput in;
    in.text = txtPrintText->toPlainText();
    in.widthText = txtPrintableWidth->text();
    in.heightText = txtPrintableHeigh->text();
    in.country = IsInCommaList(PrtDefName, CpclCountryModels);
    in.form = paperModeFlag;
    in.codePage = prt::SystemAnsiCodePage();
    WriteJob(BuildCpclPageJob(in));
}

void T_frmPrintTextLabelCpclV52bt::btnPrintClick()
{
    if (!OpenTsplPort())
        return;
    if (IsFeatureModel(QString::fromLatin1(FTNNo_PrintText_Type1))) {
        bool flag = false;
        if (IsFeatureModel(QString::fromLatin1(FTNNo_PrintText_GetPaperMode)))
            flag = ReadPaperModeFlag();
        PrintCpclJob(flag);
    } else {
        PrintGeneralRoad();
    }
    CloseTsplPort();
}
