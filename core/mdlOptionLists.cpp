#include "mdlOptionLists.h"

#include "mdlLangText.h"
#include "mdlLanguage.h"
#include "mdlModelCatalog.h"
#include "mdlModelFeatures.h"
#include "mdlValueData.h"

QString gCodePageLanguageWord;

namespace {

QString Line(const QString& value, const QString& text)
{
    return value + QLatin1Char('=') + text;
}

QString Lang(const char* key)
{
    return LangStr(QString::fromLatin1(key));
}

// A text read straight from the language file, current language section.
QString LangFile(const char* key)
{
    return ReadIniString(gLangFileName, gLangId, QString::fromLatin1(key));
}

bool InList(const QString& name, const QString& list)
{
    return list.contains(QLatin1Char(',') + name + QLatin1Char(','));
}

} // namespace

QString OptionLineValue(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? line : line.left(eq);
}

QString OptionLineText(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.mid(eq + 1);
}

void FillProtocolTypeList(QStringList* list)
{
    if (!list)
        return;
    if (ProtocolTypeSwitch() != 0) {
        list->clear();
        list->append(Line(QStringLiteral("0"), Lang("Lang_All_00010006_15")));
        list->append(Line(QStringLiteral("1"), Lang("Lang_All_00010006_14")));
        if (gCurOemCo == QLatin1String("Mobile_Dealer"))
            list->append(Line(QStringLiteral("2"), Lang("Lang_All_00010006_11")));
        return;
    }
    if (PermissionValue(QStringLiteral("0142031002")) == 1)
        list->append(Line(QStringLiteral("0"), Lang("Lang_All_00010006_12")));
    if (PermissionValue(QStringLiteral("0142031006")) == 1)
        list->append(Line(QStringLiteral("1"), Lang("Lang_All_00010006_16")));
}

QString GetDfuTypeName()
{
    return QStringLiteral("DFU 01");
}

QString GetBinTypeName()
{
    return QStringLiteral("BIN 01");
}

void FillFirmwareTypeList(QStringList* list)
{
    if (!list)
        return;
    list->clear();
    list->append(Line(GetDfuTypeName(), Lang("Lang_All_00010009_11")));
    list->append(Line(GetBinTypeName(), Lang("Lang_All_00010009_12")));
}

int GetReleasePaperMax()
{
    if (InList(SelectedPrtDefName(), ReleasePaperModels))
        return 255;
    if (PermissionValue(QStringLiteral("0135000052")) == 1)
        return 255;
    return 127;
}

void FillReleasePaperList(QStringList* list)
{
    if (!list)
        return;
    list->clear();
    list->append(Line(QStringLiteral("0"), Lang("Lang_All_00210026_11")));
    const int n = GetReleasePaperMax();
    for (int i = 1; i <= n; ++i)
        list->append(Line(QString::number(i), QString::number(i)));
}

void FillHeatingTimeList(QStringList* list)
{
    if (!list)
        return;
    list->clear();
    for (int i = 50; i <= 130; ++i)
        list->append(Line(QString::number(i), QString::number(i)));
}

void FillRePrintSwitchList(QStringList* list)
{
    if (!list)
        return;
    list->clear();
    list->append(Line(QStringLiteral("1"), Lang("Lang_All_00210107_11")));
    list->append(Line(QStringLiteral("0"), Lang("Lang_All_00210108_11")));
}

void BuildPaperModeItems(QStringList* list, int kind)
{
    if (!list)
        return;
    list->clear();
    list->append(Line(QStringLiteral("0"), Lang("Lang_All_00210094_11")));
    if (kind != 3)
        list->append(Line(QStringLiteral("1"), Lang("Lang_All_00210094_13")));
    list->append(Line(QStringLiteral("2"), Lang("Lang_All_00210094_12")));
}

void FillPaperModeItems(QStringList* list)
{
    BuildPaperModeItems(list, 0);
}

void FillCutterList(QStringList* list)
{
    if (!list)
        return;
    list->clear();
    list->append(Line(QStringLiteral("0"), LangFile("FormParaSet_W7X_close")));
    list->append(Line(QStringLiteral("1"), LangFile("FormParaSet_W7X_open")));
}

namespace {
void FillFixed(QStringList* list, std::initializer_list<const char*> lines)
{
    if (!list)
        return;
    list->clear();
    for (const char* line : lines)
        list->append(QString::fromLatin1(line));
}
} // namespace

void FillEmulationList(QStringList* list)
{
    FillFixed(list, {"0=ZPL", "1=DPL", "2=EPL", "3=TSPL"});
}

void FillWifiApPwdList(QStringList* list)
{
    FillFixed(list, {"0=OFF", "3=ON"});
}

void FillProtocolList(QStringList* list)
{
    FillFixed(list, {"4=TSPL", "7=ESC"});
}

void FillDhcpList(QStringList* list)
{
    FillFixed(list, {"1=ON", "0=OFF"});
}

void FillRepeatPrintList(QStringList* list)
{
    FillFixed(list, {"0=OFF", "1=ON"});
}

void FillPrinterLanguageList(QStringList* list)
{
    if (!list)
        return;
    list->clear();
    list->append(Line(QStringLiteral("0"), LangFile("lblLanague_Item1")));
    list->append(Line(QStringLiteral("1"), LangFile("lblLanague_Item2")));
}

void FillCodePageList(QStringList* list)
{
    if (!list)
        return;
    const QString def = SelectedPrtDefName();
    const QString bas = SelectedPrtBasName();
    list->clear();
    if (InList(def, ValueData::CodePageT1ModelList())) {
        *list = ValueData::CodePageTableT1();
        return;
    }
    *list = ValueData::CodePageTableP();
    if (InList(def, QStringLiteral(",,"))) {
        QStringList t4 = ValueData::CodePageTableT4();
        t4.removeLast();
        *list = t4;
    } else if (InList(bas, CodePageModelsCp)) {
        *list = ValueData::CodePageTableT3();
    } else if (InList(bas, CodePageModelsByLanguage)) {
        if (gCodePageLanguageWord == QLatin1String("cpcl"))
            *list = ValueData::CodePageTableT4();
        else if (gCodePageLanguageWord == QLatin1String("esc"))
            *list = ValueData::CodePageTableT5();
    } else if (InList(bas, CodePageModelsWide)) {
        *list = ValueData::CodePageTableT6();
    } else {
        *list = ValueData::CodePageTableT7();
    }
}
