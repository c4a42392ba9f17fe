#include "FormDownFirmwareSelType.h"

#include "PrtTexts.h"
#include "mdlDLCommon.h"
#include "mdlGlobalVar.h"
#include "mdlOptionLists.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

using prt::dl::DLMake;
using prt::dl::DLText;

TfrmDownFirmwareSelType::TfrmDownFirmwareSelType(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmDownFirmwareSelType"));
    auto* g = new QGridLayout(this);
    edtLbl_DFirmwareType = DLMake<QLineEdit>(this, "edtLbl_DFirmwareType");
    cmbDownFirmwareType = DLMake<QComboBox>(this, "cmbDownFirmwareType");
    cmbDownFirmwareType->setMinimumWidth(200);
    edtSupport_DFirmwareType = DLMake<QLineEdit>(this, "edtSupport_DFirmwareType");
    edtSupport_DFirmwareType->setMinimumWidth(360);
    btnOk = DLMake<QPushButton>(this, "btnOk");
    btnCancel = DLMake<QPushButton>(this, "btnCancel");
    g->addWidget(edtLbl_DFirmwareType, 0, 0);
    g->addWidget(cmbDownFirmwareType, 0, 1);
    g->addWidget(edtSupport_DFirmwareType, 1, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    g->addLayout(buttons, 2, 0, 1, 2);

    // FormCreate
    setProperty("OKFlag", 0);
    setProperty("SelectedType", QString());
    setWindowTitle(DLText("Lang_All_00210020_11"));
    btnOk->setText(DLText("Lang_All_00010007_11"));
    btnCancel->setText(DLText("Lang_All_00010008_11"));
    edtLbl_DFirmwareType->setText(DLText("Lang_All_00210018_11"));
    SetEditReadOnly(edtLbl_DFirmwareType);
    FillFirmwareTypeList(&types_);
    FillComboFromValues(cmbDownFirmwareType, &types_);
    SetEditReadOnly(edtSupport_DFirmwareType);
    UpdateHint();

    connect(cmbDownFirmwareType, &QComboBox::currentIndexChanged, this, [this] { UpdateHint(); });
    connect(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

void TfrmDownFirmwareSelType::SetSelectedType(const QString& type, bool lock)
{
    currentType_ = type;
    QString name = type;
    if (type.compare(QLatin1String("DFU"), Qt::CaseInsensitive) == 0)
        name = GetDfuTypeName();
    else if (type.compare(QLatin1String("BIN"), Qt::CaseInsensitive) == 0)
        name = GetBinTypeName();
    int found = 0;
    QString value;
    FindValueByName(name, &types_, found, value);
    if (found) {
        SelectComboItem(cmbDownFirmwareType, value);
        if (lock)
            cmbDownFirmwareType->setEnabled(false);
    }
    UpdateHint();
}

void TfrmDownFirmwareSelType::UpdateHint()
{
    edtSupport_DFirmwareType->setText(DLText("Lang_All_00210029_11"));
    int found = 0;
    QString name;
    FindNameByValue(cmbDownFirmwareType->currentText(), &types_, found, name);
    if (!found)
        return;
    if (name == GetDfuTypeName())
        edtSupport_DFirmwareType->setText(
            ReplaceFirst(DLText("Lang_All_00210028_11"), "{0}", DLText("Lang_All_00010009_11")));
    else if (name == GetBinTypeName())
        edtSupport_DFirmwareType->setText(
            ReplaceFirst(DLText("Lang_All_00210028_11"), "{0}", DLText("Lang_All_00010009_12")));
}

void TfrmDownFirmwareSelType::btnOkClick()
{
    int found = 0;
    QString name;
    FindNameByValue(cmbDownFirmwareType->currentText(), &types_, found, name);
    if (!found) {
        ShowInfoBox(ReplaceFirst(DLText("Lang_All_00010014_11"), "{0}", DLText("Lang_All_00210019_11")));
        return;
    }
    okFlag_ = 1;
    selectedType_ = name;
    setProperty("OKFlag", okFlag_);
    setProperty("SelectedType", selectedType_);
    accept();
}

void TfrmDownFirmwareSelType::btnCancelClick()
{
    reject();
}
