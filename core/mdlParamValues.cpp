#include "mdlParamValues.h"

#include "mdlIniRead.h"
#include "mdlModelCatalog.h"
#include "mdlModelFeatures.h"
#include "mdlModuleState.h"
#include "mdlPrinterTypeList.h"
#include "mdlValueData.h"
#include "PrtTexts.h"

#include <QComboBox>

namespace {

const QString kComma = QStringLiteral(",");

// The speed and paper-width cascades test the name followed by a comma only, so the tail
// of a listed name counts as listed.
bool NameCommaIn(const QString& name, const QString& list)
{
    return list.contains(name + kComma);
}

bool InCommaList(const QString& name, const QString& list)
{
    return list.contains(kComma + name + kComma);
}

QString ParameterSet(const QString& key)
{
    return ReadIniString(gPrinterTypeListFileName, QStringLiteral("ParameterSet"), key);
}

void FillCombo(QComboBox* combo, const QStringList& items)
{
    if (!combo)
        return;
    combo->clear();
    combo->addItems(items);
    if (combo->count() > 0)
        combo->setCurrentIndex(0);
}

} // namespace

QStringList ParamOptionWords(int kind)
{
    return ValueData::ParamOptionWords(kind);
}

void MapParamOptionWord(QComboBox* combo, const QString& value, int index, QString& word, int kind)
{
    word.clear();
    const QStringList words = ValueData::ParamOptionWords(kind);
    if (value.isEmpty()) {
        // An index outside the table gives no word (never a read past the table).
        if (index >= 0 && index < words.size())
            word = words.at(index);
        return;
    }
    int position = words.indexOf(value);
    if (position < 0)
        position = 0;
    if (combo)
        combo->setCurrentIndex(position);
}

int GetMaxPrintSpeed(const QString& modelName)
{
    const QString& m = modelName;
    int n = 3;
    if (NameCommaIn(m, Speed3IpsModels))
        n = 3;
    else if (NameCommaIn(m, Speed4IpsModels))
        n = 4;
    else if (NameCommaIn(m, ValueData::SpeedBuiltinList3()))
        n = 3;
    else if (NameCommaIn(m, ValueData::SpeedBuiltinList4()))
        n = 4;
    else if (NameCommaIn(m, Speed5IpsModels))
        n = 5;
    else if (NameCommaIn(m, Speed6IpsModels))
        n = 6;
    else if (NameCommaIn(m, ValueData::SpeedBuiltinList6()))
        n = 6;
    else if (NameCommaIn(m, Speed7IpsModels))
        n = 7;
    else if (NameCommaIn(m, Speed8IpsModels))
        n = 8;
    else if (NameCommaIn(m, ParameterSet(QStringLiteral("IPS9"))))
        n = 9;
    else if (NameCommaIn(m, ParameterSet(QStringLiteral("IPS10"))))
        n = 10;
    if (InCommaList(SelectedPrtBasName(), SpeedForce4Models) || m == ValueData::SpeedForce4Model())
        n = 4;
    return n;
}

void FillPrintSpeedList(QComboBox* combo, const QString& modelName)
{
    if (!combo)
        return;
    const int n = GetMaxPrintSpeed(modelName);
    QStringList items;
    for (int i = 2; i <= n; ++i)
        items.append(QString::number(i));
    FillCombo(combo, items);
}

void FillComboNumbers(QComboBox* combo, int n)
{
    QStringList items;
    for (int i = 0; i <= n; ++i)
        items.append(QString::number(i));
    FillCombo(combo, items);
}

int32_t GetProtocolNoByModel()
{
    return GetProtocolNoOfModel(SelectedPrtBasName());
}

int32_t GetProtocolNoOfModel(const QString& model)
{
    if (InCommaList(model, ProtocolModelList(QStringLiteral("CPCL"))))
        return 3;
    if (InCommaList(model, ProtocolModelList(QStringLiteral("TSPL"))))
        return 1;
    if (InCommaList(model, ProtocolModelList(QStringLiteral("ESC"))))
        return 0;
    if (InCommaList(model, ProtocolModelList(QStringLiteral("ZPL"))))
        return 4;
    return 1;
}

void GetPaperWidthByModel(QString& text)
{
    const QString model = SelectedPrtBasName();
    if (NameCommaIn(model, ParameterSet(QStringLiteral("FTN_PaperWidth_1"))))
        text = IsDebugMode() ? QStringLiteral("720") : QStringLiteral("72");
    else if (NameCommaIn(model, ValueData::PaperWidthBuiltin48()))
        text = QStringLiteral("48");
    else if (NameCommaIn(model, ValueData::PaperWidthBuiltin72()))
        text = QStringLiteral("72");
    else if (NameCommaIn(model, ParameterSet(QStringLiteral("PaperWidth56"))))
        text = QStringLiteral("56");
    else if (NameCommaIn(model, ParameterSet(QStringLiteral("PaperWidth80"))))
        text = QStringLiteral("80");
    else if (NameCommaIn(model, ParameterSet(QStringLiteral("PaperWidth108"))))
        text = QStringLiteral("108");
    else
        text = QStringLiteral("48");
}

QString GetPaperWidthByModel()
{
    QString text;
    GetPaperWidthByModel(text);
    return text;
}

void FillIntlCharsetList1(QComboBox* combo) { FillCombo(combo, ValueData::IntlCharsetList(1)); }
void FillIntlCharsetList2(QComboBox* combo) { FillCombo(combo, ValueData::IntlCharsetList(2)); }
void FillIntlCharsetList3(QComboBox* combo) { FillCombo(combo, ValueData::IntlCharsetList(3)); }

namespace {

// Table words the lists show in the UI language, with their language keys.
struct TShownWord {
    const char16_t* Name;
    const char* Key;
};
const TShownWord kShownWords[] = {
    {u"Default", "_Item_CodePageDefault"},
    {u"U.S.A.", "_Item_CountryUSA"},
};

} // namespace

QString ShownValueName(const QString& tableName)
{
    for (const TShownWord& w : kShownWords) {
        if (tableName != QString::fromUtf16(w.Name))
            continue;
        const QString shown = prt::LangText(QString::fromLatin1(w.Key));
        return shown.isEmpty() ? tableName : shown;
    }
    return tableName;
}

QString TableValueName(const QString& shown)
{
    for (const TShownWord& w : kShownWords) {
        const QString name = QString::fromUtf16(w.Name);
        if (!shown.isEmpty() && shown == ShownValueName(name))
            return name;
    }
    return shown;
}

void FillCodePageCombo(QComboBox* combo, const QString& tableKey)
{
    if (!combo)
        return;
    QStringList items;
    if (tableKey.isEmpty()) {
        items = ValueData::CodePageDefaultRows();
    } else if (tableKey == QLatin1String("KESA_MPT")) {
        items = ValueData::CodePageDefaultRows().mid(0, 45);
        items.append(QStringLiteral("CP790"));
    } else if (tableKey == QLatin1String("KESA")) {
        items = ValueData::CodePageDefaultRows();
        items << QStringLiteral("MONGOLIAN") << QStringLiteral("VISCII");
    } else {
        for (int family = 1; family <= 3; ++family) {
            if (tableKey == ValueData::CodePageFamilyKey(family)) {
                items = ValueData::CodePageFamilyItems(family);
                break;
            }
        }
    }
    for (QString& item : items)
        item = ShownValueName(item);
    FillCombo(combo, items);
}

void MapCodePageNo(const QString& name, const QString& numberText, QString& result,
                   const QComboBox* combo)
{
    const int count = ValueData::CodePageNoPairCount();
    if (!name.isEmpty()) {
        const QString tableName = TableValueName(name);
        for (int i = 0; i < count; ++i) {
            const auto& pair = ValueData::CodePageNoPair(i);
            if (QString::fromUtf16(pair.Name) == tableName) {
                result = QString::fromUtf16(pair.No);
                return;
            }
        }
        result = QStringLiteral("0");
        return;
    }
    QString first;
    for (int i = 0; i < count; ++i) {
        const auto& pair = ValueData::CodePageNoPair(i);
        if (QString::fromUtf16(pair.No) != numberText)
            continue;
        const QString pairName = QString::fromUtf16(pair.Name);
        if (!combo) {
            result = pairName;
            return;
        }
        // Several names share a number (0, 33, 67): take one the combo can show, as shown.
        const QString shown = ShownValueName(pairName);
        if (combo->findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0) {
            result = shown;
            return;
        }
        if (first.isEmpty())
            first = shown;
    }
    result = first.isEmpty() ? QStringLiteral("0") : first;
}

int32_t CountryToCharsetNo(const QString& country)
{
    const QString tableName = TableValueName(country);
    for (int i = 0; i < ValueData::CountryCharsetCount(); ++i) {
        const auto& row = ValueData::CountryCharset(i);
        if (QString::fromUtf16(row.Country) == tableName)
            return row.No;
    }
    return 0;
}
