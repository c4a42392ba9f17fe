// Per-model feature descriptors, printer-map resolution and printer-link forwarders.
#include "mdlFtnA_Base.h"

#include "PrtTexts.h"
#include "PubBytes.h"
#include "mdlGlobalVar.h"
#include "mdlIniRead.h"
#include "mdlModelData.h"
#include "mdlOemClass.h"
#include "mdlPrinterLib.h"
#include "mdlPrtDll.h"

// ---- TFtnABase --------------------------------------------------------------------------------
TFtnABase::TFtnABase() = default;
TFtnABase::~TFtnABase() = default;

int TFtnABase::SetIdentityNames() { return 0; }
int TFtnABase::SetRowsABC() { return 0; }
int TFtnABase::SetExtraNames() { return 0; }
int TFtnABase::SetRowsDE() { return 0; }
int TFtnABase::ApplyVariant(const QString&) { return 0; }

void TFtnABase::Unlock() { ResetLock = false; }

void TFtnABase::Reset()
{
    if (ResetLock)
        return;
    for (QString* s : {&UsbId1, &UsbId2, &UsbId3, &Name1, &Name2, &Name3, &ExactName,
                       &ExactResult, &RowAList, &RowAResult, &RowAId, &RowBList, &RowBResult,
                       &RowBId, &ExtraNamesList, &ExtraName1, &ExtraName2, &RowDList,
                       &RowDResult, &RowEList, &RowEResult, &ModelName, &BaseName,
                       &SelDefaultName, &SelModelName, &SelThirdName})
        s->clear();
    for (UsbIdPredicate* p : {&RowAPredicate, &RowBPredicate, &RowCPredicate, &RowDPredicate,
                              &RowEPredicate})
        *p = nullptr;
    for (bool* b : {&RowAAlways, &RowBAlways, &VersionMatchOn, &Version2Offered,
                    &Version99Offered, &ExtraModelFlag, &Version1Detailed, &Version2IsV2,
                    &Version2IsV4})
        *b = false;
    VariantA = VariantB = 0;
    FrontLearnSetting = CommandTestSetting = 0;
    ResetLock = true;
}

QString TFtnABase::MatchPrinterName(const QString& versionId, bool& found, bool& flag,
                                    QString& text) const
{
    found = false;
    flag = true;
    text.clear();
    if (!VersionMatchOn)
        return QString();
    if (versionId == QLatin1String("1")) {
        found = true;
        return ModelName;
    }
    if (versionId == QLatin1String("2") && Version2Offered) {
        found = true;
        return BaseName;
    }
    return QString();
}

void TFtnABase::FillVersionList(QStringList* list, TObj_Ult_PrtVerOfToolMg* manager) const
{
    if (!list || !manager)
        return;
    list->clear();
    manager->Clear();
    auto add = [&](const QString& id, const QString& display, const QString& value) {
        list->append(id + QLatin1Char('=') + display);
        manager->Add(id, display, value);
    };
    // Display and value of a detailed choice: "id(T)" and prefixes + T, where T is the
    // template with its first "[{0}]" replaced by the firmware mask.
    auto detailed = [&](const QString& id, const QString& mask) {
        QString t = prt::LangText(QLatin1String(LANGKEY_VersionTemplate));
        const qsizetype at = t.indexOf(QLatin1String("[{0}]"));
        if (at >= 0)
            t.replace(at, 5, mask);
        add(id, id + QLatin1Char('(') + t + QLatin1Char(')'),
            prt::LangText(QLatin1String(LANGKEY_VersionPrefix1)) +
                prt::LangText(QLatin1String(LANGKEY_VersionPrefix2)) + t);
    };
    add(QStringLiteral("0"), QString(), QString());
    if (Version1Detailed)
        detailed(QStringLiteral("1"), QStringLiteral("V1.04.XX"));
    else
        add(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
    if (Version2Offered) {
        if (Version2IsV2)
            detailed(QStringLiteral("2"), QStringLiteral("V2.XX.XX"));
        else if (Version2IsV4)
            detailed(QStringLiteral("2"), QStringLiteral("V4.XX.XX"));
        else
            add(QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("2"));
    }
    if (Version99Offered) {
        const QString v99 = prt::LangText(QLatin1String(LANGKEY_Version99));
        add(QStringLiteral("99"), QStringLiteral("99(") + v99 + QLatin1Char(')'), v99);
    }
}

QString TFtnABase::GetVariantCode() const
{
    if (SelModelName == GetModelName_Y7_01())
        return QStringLiteral("1");
    if (SelModelName == GetModelName_Y7_Hex())
        return QStringLiteral("2");
    return QStringLiteral("0");
}

void TFtnABase::ApplyIdentityRow(const TFtnADataRow& row)
{
    ModelName = row.ModelName;
    BaseName = row.BaseName;
    UsbId1 = row.UsbId1;
    UsbId2 = row.UsbId2;
    UsbId3 = row.UsbId3;
    Name1 = row.Name1;
    Name2 = row.Name2;
    Name3 = row.Name3;
}

void TFtnABase::ApplyRowsABC(const TFtnADataRow& row)
{
    ExactName = row.ExactName;
    ExactResult = row.ExactResult;
    RowAList = row.RowAList ? *row.RowAList : QString();
    RowAAlways = row.RowAAlways;
    RowAPredicate = PredicateOf(row.RowAPred);
    RowAResult = row.RowAResult;
    RowAId = row.RowAId;
    RowBList = row.RowBList ? *row.RowBList : QString();
    RowBAlways = row.RowBAlways;
    RowBPredicate = PredicateOf(row.RowBPred);
    RowBResult = row.RowBResult;
    RowBId = row.RowBId;
    RowCPredicate = PredicateOf(row.RowCPred);
}

// ---- derived descriptors ------------------------------------------------------------------------
#define PRT_DEFINE_FTNA_CLASS(Name)                                     \
    int Name::SetIdentityNames()                                        \
    {                                                                   \
        TFtnABase::SetIdentityNames();                                  \
        if (const TFtnADataRow* row = FindFtnADataRow(#Name))           \
            ApplyIdentityRow(*row);                                     \
        return 0;                                                       \
    }                                                                   \
    int Name::SetRowsABC()                                              \
    {                                                                   \
        TFtnABase::SetRowsABC();                                        \
        if (const TFtnADataRow* row = FindFtnADataRow(#Name))           \
            ApplyRowsABC(*row);                                         \
        return 0;                                                       \
    }
PRT_DEFINE_FTNA_CLASS(TFtnA_TheTA380)
PRT_DEFINE_FTNA_CLASS(TFtnA_TheQT_V64)
PRT_DEFINE_FTNA_CLASS(TFtnA_TheQT_V64BT)
PRT_DEFINE_FTNA_CLASS(TFtnA_TheKastor_Y7)
PRT_DEFINE_FTNA_CLASS(TFtnA_TheTE62BT)
PRT_DEFINE_FTNA_CLASS(TFtnA_TheY7BT)
PRT_DEFINE_FTNA_CLASS(TFtnA_TheTE62)
PRT_DEFINE_FTNA_CLASS(TFtnA_TheGS_PR540D)
PRT_DEFINE_FTNA_CLASS(TFtnA_TheGS_PR540X)
PRT_DEFINE_FTNA_CLASS(TFtnA_HB25)
#undef PRT_DEFINE_FTNA_CLASS

int TFtnA_HB25::SetExtraNames()
{
    TFtnABase::SetExtraNames();
    ExtraNamesList = FtnA_HB25_ExtraModels;
    ExtraName1 = UsbId1;
    ExtraName2 = UsbId2;
    return 0;
}

int TFtnA_HB25::SetRowsDE()
{
    TFtnABase::SetRowsDE();
    RowDList = FtnA_HB25_RowDModels;
    RowDPredicate = &IsUsbId_VendorA_7008;
    RowDResult = GetModelName_W16_Var();
    RowEList = FtnA_HB25_RowEModels;
    RowEPredicate = &IsUsbId_VendorB_9008;
    RowEResult = BaseName;
    return 0;
}

int TFtnA_TheSN723::SetIdentityNames()
{
    TFtnABase::SetIdentityNames();
    if (const TFtnADataRow* row = FindFtnADataRow("TFtnA_TheSN723"))
        ApplyIdentityRow(*row);
    return 0;
}

int TFtnA_TheY7::SetIdentityNames()
{
    TFtnABase::SetIdentityNames();
    if (const TFtnADataRow* row = FindFtnADataRow("TFtnA_TheY7"))
        ApplyIdentityRow(*row);
    return 0;
}

int TFtnA_TheY7::SetRowsABC()
{
    TFtnABase::SetRowsABC();
    ExactName = GetModelName_Y7();
    ExactResult = BaseName;
    return 0;
}

int TFtnA_TheY7::ApplyVariant(const QString& defaultName)
{
    TFtnABase::ApplyVariant(defaultName);
    const QString code = GetVariantCode();
    VariantA = code == QLatin1String("2") ? 2 : 0;
    VariantB = code == QLatin1String("1") ? 1 : 0;
    return 0;
}

// ---- version entries ---------------------------------------------------------------------------
TObj_Ult_PrtVerOfToolMg::~TObj_Ult_PrtVerOfToolMg() { Clear(); }

void TObj_Ult_PrtVerOfToolMg::Add(const QString& id, const QString& display, const QString& value)
{
    auto e = std::make_unique<TObj_Ult_PrtVerOfToolA>();
    e->Id = id;
    e->Display = display;
    e->Value = value;
    Items.push_back(std::move(e));
}

void TObj_Ult_PrtVerOfToolMg::Clear()
{
    while (!Items.empty())
        Items.pop_back();
}

QString FindPrtVerOfTool(const QString& display, const TObj_Ult_PrtVerOfToolMg* manager,
                         bool& found)
{
    found = false;
    if (!manager)
        return QString();
    for (const auto& e : manager->Items) {
        if (e->Display == display) {
            found = true;
            return e->Value;
        }
    }
    return QString();
}

// ---- model keys ---------------------------------------------------------------------------------
QString MapModelKeyToBase(const QString& name, bool& found)
{
    found = false;
    const struct {
        QString Key;
        QString Base;
    } rows[] = {
        {GetModelName_Y7_Hex(), GetModelName_V52()},
        {GetModelName_Y7_01(), GetModelName_W16()},
        {GetModelName_Y7BT_01_Hex(), GetModelName_W16()},
        {GetModelName_V52BT(), GetModelName_V52()},
    };
    for (const auto& r : rows) {
        if (name == r.Key) {
            found = true;
            return r.Base;
        }
    }
    return name;
}

// ---- printer-map resolution ---------------------------------------------------------------------
QString ResolvePrinterMapModel(const QString& name, const QString& defaultName,
                               const TOemClass* profile)
{
    const int aliasMode = profile ? profile->AliasMode : 0;
    const bool useAliases = aliasMode == 1 || aliasMode == 2;
    const bool useMapFile = aliasMode != 1;
    bool found = false;
    QString result;
    if (useMapFile) {
        result = ReadIniString(QStringLiteral("PrinterMap.ini"), QStringLiteral("Map"), name);
        found = !result.isEmpty();
    }
    if (useAliases && !found) {
        result = profile->LookupAlias(name, found);
        if (!found) {
            const QString mapped = MapModelAlias(name, found);
            if (found)
                result = mapped;
        }
    }
    if (!found) {
        bool toBase = false;
        const QString base = MapModelKeyToBase(result, toBase);
        if (toBase)
            result = base;
    }
    // The plug-in's transformation replaces the result only when it is there and gives one.
    if (IsPrtCommandsDllLoaded()) {
        const QString transformed = TransformPrtMapModel(result);
        if (!transformed.isEmpty())
            result = transformed;
    }
    if ((gCurToolType == QLatin1String("Mobile") || gCurToolType == QLatin1String("Label")) &&
        result.isEmpty())
        result = defaultName;
    return result;
}

// ---- printer-link forwarders --------------------------------------------------------------------
prt::sdk::Handle MainPrtGetHandle() { return PrtGetHandle(); }

int MainPrtWrite(const uint8_t* bytes, uint32_t count) { return PrtWriteData(bytes, count); }

int MainPrtRead(uint8_t* buffer, uint32_t count, uint32_t* readCount)
{
    return PrtReadData(buffer, count, readCount);
}

bool SendFrontCommand(bool& flag, bool trace)
{
    const QByteArray bytes =
        HexTextToBytes(QStringLiteral("5A 5A 5A 46 52 4F 4E 54 0d 0a")).value_or(QByteArray());
    const int rc = PrtWriteData(bytes);
    const bool failed = rc != 0;
    if (trace)
        WriteDebugLog(QStringLiteral("SendFrontCommand: ") + QString::number(rc));
    flag = failed;
    return failed;
}
