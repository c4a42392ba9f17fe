#include "mdlParaSetForm.h"

#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlLanguage.h"
#include "mdlParaSetWidgets.h"
#include "mdlPrinterLib.h"
#include "mdlPubFunc.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

TParaSetForm::TParaSetForm(QWidget* parent) : QDialog(parent)
{
    btnSet = new QPushButton(this);
    btnSet->setObjectName(QStringLiteral("btnSet"));
    btnSet->setEnabled(false);  // until a good read
    btnSet->setAutoDefault(false);
    btnClose = new QPushButton(this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setAutoDefault(false);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    Timer1->setSingleShot(false);
    connect(btnSet, &QPushButton::clicked, this, [this] { btnSetClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    setModal(true);
}

TParaSetForm::~TParaSetForm()
{
    CutLeaveHandlers(this);
}

QString TParaSetForm::Caption(const QString& key)
{
    QString text = prt::LangText(key);
    if (text.isEmpty() && !gLangFileName.isEmpty() && !gLangId.isEmpty())
        text = ReadIniString(gLangFileName, gLangId, key);
    return text;
}

QString TParaSetForm::Word(const QString& key)
{
    return Caption(key);
}

void TParaSetForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (FShown)
        return;
    FShown = true;
    FormShow();
    // The read starts once the dialog is on screen.
    QTimer::singleShot(0, this, [this] { RunRead(); });
}

void TParaSetForm::FormShow()
{
    ApplyFormFont(this);
    setWindowTitle(Word(QStringLiteral("_ParaSet")));
    btnSet->setText(Word(QStringLiteral("_Set")));
    btnClose->setText(Word(QStringLiteral("_Close")));
    InitLanguage();
    PrepareLists();
    ApplyModelRules();
    UpdateAccessibleNames();
    if (layout())
        layout()->activate();
    adjustSize();
}

bool TParaSetForm::ReadParameters(QString& result)
{
    // The closing procedures of the link leave no printer object behind: the block goes
    // over the TSPL object whatever the current kind.
    EnsurePrinterObject();
    EnsureTsplPrinterObject();
    ReadParamBlock(FBlock, result);
    return result == QLatin1String("OK");
}

bool TParaSetForm::WriteParameters()
{
    EnsurePrinterObject();
    EnsureTsplPrinterObject();
    return WriteParamBlock(FBlock);
}

void TParaSetForm::RunRead()
{
    if (FReadState != TReadState::NotStarted)
        return;
    FBlock.fill(0);
    QString result;
    if (ReadParameters(result)) {
        FReadState = TReadState::Good;
        SplitSetting();
        btnSet->setEnabled(true);
        return;
    }
    FReadState = TReadState::Failed;
    btnSet->setEnabled(false);
    prt::MessageBoxPrt(result, Caption(QStringLiteral("_MSG_Title_Error")), prt::MB_ICONERROR_);
    if (CloseAfterFailedRead())
        Timer1->start();
}

void TParaSetForm::btnSetClick()
{
    if (FReadState != TReadState::Good)
        return;  // nothing read: a write would send the zero block
    // A keyboard Set does not leave the edit: apply its clamp first.
    if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
        if (FNumberEdits.contains(edit))
            CheckValue(edit);
    if (!CheckBeforeSet())
        return;
    ReplacePrintSetting();
    if (!WriteParameters()) {
        ShowError(Caption(QStringLiteral("_Err_ParaSet")));
        reject();
        return;
    }
    // The write has no answer: only the printer's own block tells whether it took it. A
    // write that was not confirmed leaves the form open with the operator's edits, so Set
    // can be pressed again; nothing follows (no reset of a printer holding its old block).
    QString failure;
    if (!ConfirmWrite(failure)) {
        ShowError(failure);
        return;
    }
    AfterGoodWrite();
    ShowInfo(Caption(QStringLiteral("_ParaSet_OK")));
    accept();
}

bool TParaSetForm::ConfirmWrite(QString& failure)
{
    EnsurePrinterObject();
    EnsureTsplPrinterObject();
    QString readResult;
    switch (ConfirmParamBlock(FBlock, readResult)) {
    case TParamBlockCheck::Confirmed:
        return true;
    case TParamBlockCheck::ReadFailed:
        failure = readResult;
        return false;
    case TParamBlockCheck::Differs:
        break;
    }
    failure = Caption(QStringLiteral("_ParaSet_Fail"));
    return false;
}

void TParaSetForm::btnCloseClick()
{
    close();
}

void TParaSetForm::Timer1Timer()
{
    Timer1->stop();
    close();
}

void TParaSetForm::CheckValue(QLineEdit* edit)
{
    if (!edit)
        return;
    const QString text = paraset::CheckValueText(edit->text(), RangeOf(edit));
    if (text != edit->text())
        edit->setText(text);
}

std::optional<paraset::TValueRange> TParaSetForm::RangeOf(const QLineEdit* edit) const
{
    const auto it = FRanges.constFind(edit);
    if (it == FRanges.constEnd())
        return std::nullopt;
    return it.value();
}

void TParaSetForm::RegisterNumberEdit(QLineEdit* edit, int maxTyped, std::optional<paraset::TValueRange> range)
{
    if (!edit)
        return;
    edit->setValidator(new TFilterValidator(edit, paraset::TKeyFilter::Number, maxTyped));
    if (range)
        FRanges.insert(edit, *range);
    FNumberEdits.append(edit);
    connect(edit, &QLineEdit::editingFinished, this, [this, edit] { CheckValue(edit); });
}

void TParaSetForm::RegisterFilteredEdit(QLineEdit* edit, paraset::TKeyFilter filter, int maxTyped)
{
    if (edit)
        edit->setValidator(new TFilterValidator(edit, filter, maxTyped));
}

void TParaSetForm::SetEnableItems(TRadioGroup* group)
{
    if (group)
        group->SetItems({Word(QStringLiteral("_Disable")), Word(QStringLiteral("_Enable"))});
}

void TParaSetForm::SetSupportItems(TRadioGroup* group)
{
    if (group)
        group->SetItems({Word(QStringLiteral("_UnSupport")), Word(QStringLiteral("_Support"))});
}

void TParaSetForm::FillPaperTypes(QComboBox* combo, int count)
{
    QStringList items = {Word(QStringLiteral("_PaperType_Receipt")), Word(QStringLiteral("_PaperType_Label")),
                         Word(QStringLiteral("_PaperType_BlackMark"))};
    SetComboItems(combo, items.mid(0, count));
}

void TParaSetForm::SetComboItems(QComboBox* combo, const QStringList& items)
{
    if (!combo)
        return;
    const int keep = combo->currentIndex();
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(keep >= 0 && keep < items.size() ? keep : (items.isEmpty() ? -1 : 0));
}

bool TParaSetForm::CheckOctets(const QList<TOctetRow>& rows)
{
    for (const TOctetRow& row : rows) {
        for (QLineEdit* edit : row.Edits) {
            if (!edit || paraset::IsOctetText(edit->text()))
                continue;
            ShowError(paraset::RangeMessage(Caption(QStringLiteral("Lang_All_00010021_11")), row.Caption, 0, 255));
            edit->setFocus();
            edit->selectAll();
            return false;
        }
    }
    return true;
}

void TParaSetForm::UpdateAccessibleNames()
{
    QHash<QWidget*, QString> captions;
    for (QLabel* label : findChildren<QLabel*>())
        if (label->buddy())
            captions.insert(label->buddy(), label->text().remove(QLatin1Char('&')));
    auto name = [&](QWidget* w) {
        const QString c = captions.value(w).trimmed();
        w->setAccessibleName(c.isEmpty() ? w->objectName() : c);
    };
    for (QLineEdit* e : findChildren<QLineEdit*>())
        if (!e->objectName().isEmpty() && !qobject_cast<QComboBox*>(e->parentWidget()))
            name(e);
    for (QComboBox* c : findChildren<QComboBox*>())
        name(c);
}

void TParaSetForm::ShowError(const QString& text)
{
    prt::MessageBoxPrt(text, Caption(QStringLiteral("_MSG_Title_Error")), prt::MB_ICONERROR_);
}

void TParaSetForm::ShowInfo(const QString& text)
{
    prt::MessageBoxPrt(text, Caption(QStringLiteral("_MSG_Title_Message")), prt::MB_ICONINFORMATION_);
}
