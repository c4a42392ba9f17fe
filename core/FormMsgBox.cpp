#include "FormMsgBox.h"

#include "mdlLanguage.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

TfrmFormMsgBox::TfrmFormMsgBox(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmFormMsgBox");
    resize(420, 220);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    mmoInfo = new QPlainTextEdit(this);
    mmoInfo->setObjectName("mmoInfo");
    mmoInfo->setReadOnly(true);
    layout->addWidget(mmoInfo, 1);

    pnlB = new QWidget(this);
    pnlB->setObjectName("pnlB");
    pnlB->setFixedHeight(44);
    layout->addWidget(pnlB);

    btnOk = new QPushButton(pnlB);
    btnOk->setObjectName("btnOk");
    btnOk->setGeometry(0, 9, 80, 26);
    btnCancel = new QPushButton(pnlB);
    btnCancel->setObjectName("btnCancel");
    btnCancel->setGeometry(0, 9, 80, 26);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    const TConstLangV* lang = GetConstLangV();
    setWindowTitle(lang->MSG_Title_Message);
    btnOk->setText(lang->OK.isEmpty() ? QStringLiteral("OK") : lang->OK);
    btnCancel->setText(lang->Cancel.isEmpty() ? QStringLiteral("Cancel") : lang->Cancel);
    FormResize();
}

void TfrmFormMsgBox::FormResize()
{
    const int w = btnOk->width();
    const int left = (width() - 2 * w - 64) / 2;  // truncated toward zero
    btnOk->move(left, btnOk->y());
    btnCancel->move(left + w + 64, btnCancel->y());
}

void TfrmFormMsgBox::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}
