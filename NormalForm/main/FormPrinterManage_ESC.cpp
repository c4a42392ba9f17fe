#include "FormPrinterManage_ESC.h"

#include "PrinterCMD.h"
#include "PrtCodePage.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlPortResult.h"
#include "mdlPrintTextJobs.h"
#include "mdlPrinterLib.h"
#include "mdlPubFunc.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void ShowErrorText(const QString& text)
{
    prt::MessageBoxPrt(text, prt::LangText(QStringLiteral("_MSG_Title_Error")), prt::MB_ICONERROR_);
}

void ShowError(const QString& key)
{
    ShowErrorText(prt::LangText(key));
}

} // namespace

TForm25::TForm25(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TForm25"));
    lblContent = new QLabel(this);
    lblContent->setObjectName(QStringLiteral("lblContent"));
    txtPrintText = new QPlainTextEdit(this);
    txtPrintText->setObjectName(QStringLiteral("txtPrintText"));
    txtPrintText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    btnPrint = new QPushButton(this);
    btnPrint->setObjectName(QStringLiteral("btnPrint"));
    btnClose = new QPushButton(this);
    btnClose->setObjectName(QStringLiteral("btnClose"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnPrint);
    buttons->addWidget(btnClose);
    auto* main = new QVBoxLayout(this);
    main->addWidget(lblContent);
    main->addWidget(txtPrintText, 1);
    main->addLayout(buttons);
    resize(420, 300);

    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrintClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    FormCreate();
}

void TForm25::FormCreate()
{
    setWindowTitle(prt::LangText(QStringLiteral("FormMain_Label_btnPrintText")));
    lblContent->setText(prt::LangText(QStringLiteral("FormPrintTextLabel_lblContent")));
    btnPrint->setText(prt::LangText(QStringLiteral("FormTempletManage_btnPrint")));
    btnClose->setText(prt::LangText(QStringLiteral("Lang00010023")));
    ApplyFormFont(this);
}

void TForm25::btnPrintClick()
{
    EnsurePrinterObject();
    const int open = PrtOpenPort(GetCurrentPortString());
    SetCmdLastResult(open);
    if (open != 0 && open != 5) {
        ShowErrorText(OpenPortFailureMessage(open));
        return;
    }
    CmdDrainToLog();
    const int code = PrtWriteData(BuildEscPosTextJob(txtPrintText->toPlainText(), prt::SystemAnsiCodePage()));
    SetCmdLastResult(code);
    if (code != 0)
        ShowError(QStringLiteral("_Err_WriteData"));
    // The port is closed whether the write went through or not.
    SetCmdLastResult(PrtClosePort());
}

void TForm25::btnCloseClick()
{
    close();
}
