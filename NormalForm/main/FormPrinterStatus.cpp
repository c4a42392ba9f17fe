#include "FormPrinterStatus.h"

#include "PrinterCMD.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlDispatchBasics.h"
#include "mdlLanguage.h"
#include "mdlModuleState.h"
#include "mdlPortResult.h"
#include "mdlPrinterLib.h"
#include "mdlPubFunc.h"

#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
QString T(const char* key)
{
    return prt::LangText(QLatin1String(key));
}
} // namespace

T_frmPrinterStatus::T_frmPrinterStatus(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPrinterStatus"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    lblPrinterStatus = new QLabel(this);
    lblPrinterStatus->setObjectName(QStringLiteral("lblPrinterStatus"));
    lblPrinterStatus->setGeometry(10, 8, 300, 22);
    RichEdit1 = new QPlainTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(10, 34, 320, 180);
    RichEdit1->setReadOnly(true);
    btnRefresh = new QPushButton(this);
    btnRefresh->setObjectName(QStringLiteral("btnRefresh"));
    btnRefresh->setGeometry(120, 222, 100, 30);
    btnClose = new QPushButton(this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setGeometry(230, 222, 100, 30);
    resize(340, 260);
    connect(btnRefresh, &QPushButton::clicked, this, [this] { btnRefreshClick(); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void T_frmPrinterStatus::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void T_frmPrinterStatus::FormShow()
{
    ApplyFormIcon(this);
    setWindowTitle(T("FormPrinterStatus_Caption"));
    lblPrinterStatus->setText(T("FormPrinterStatus_lblPrinterStatus"));
    btnRefresh->setText(T("FormPrinterStatus_btnRefresh"));
    btnClose->setText(T("_Close"));
    ApplyFormFont(this);
    btnRefreshClick();
}

void T_frmPrinterStatus::btnRefreshClick()
{
    TTsplKindScope kind;
    // The status read closes and destroys the printer object: make it again each time.
    EnsurePrinterObject();
    const int r = TsplOpenPort(GetCurrentPortString());
    if (r != 0 && r != 5) {
        prt::MessageBoxPrt(OpenPortFailureMessage(r), T("_MSG_Title_Error"), prt::MB_ICONERROR_);
        return;
    }
    CmdDrainToLog();
    RichEdit1->clear();
    QByteArray block(20, '\0');
    if (CmdGetValBytes(KEY_printer_status, block, 20) != 20) {
        RichEdit1->setPlainText(T("_Err_ReadData"));
    } else {
        QString text;
        for (const QString& key : PrinterStatusKeys(block))
            text += prt::LangText(key) + QStringLiteral("\r\n");
        RichEdit1->setPlainText(text);
    }
    TsplClosePort();
}
