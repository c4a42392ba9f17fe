// Model catalogue: the built-in capability lists and the lookups over them.
#include "mdlModelCatalog.h"

#include "PubBytes.h"
#include "mdlModelData.h"

#include <iterator>

namespace {

int gBuildCount = 0;  // BuildModelLists runs once until FreeModelLists

struct TFeatureRow {
    const char* Name;
    QString* List;
};

// The feature names in lookup order, each with its list.
const TFeatureRow kFeatureRows[] = {
    {"FTNNo_PrintableWidth_NotVisible", &FTN_PrintableWidth_NotVisible},
    {"FTNNo_PrintTextLanguage_NotVisible", &FTN_PrintTextLanguage_NotVisible},
    {"FTNNo_PaperWidth_1", &FTN_PaperWidth_1},
    {"FTNNo_PrintText_Type1", &FTN_PrintText_Type1},
    {"FTNNo_DfuBin_Visible", &FTN_DfuBin_Visible},
    {"FTNNo_Dfu_Head_BinType1", &FTN_Dfu_Head_BinType1},
    {"FTNNo_Dfu_UpdateMethod1", &FTN_Dfu_UpdateMethod1},
    {"FTNNo_GetProduceDate_Type1", &FTN_GetProduceDate_Type1},
    {"FTNNo_GetFirmwareVer_Type1", &FTN_GetFirmwareVer_Type1},
    {"FTNNo_btnPrintText_Form1", &FTN_btnPrintText_Form1},
    {"FTNNo_PrintText_GetPaperMode", &FTN_PrintText_GetPaperMode},
};

QString BuiltinOf(const std::vector<TFeatureKeyList>& rows, const QString& key, bool& found)
{
    for (const TFeatureKeyList& r : rows) {
        if (key == QLatin1String(r.Key)) {
            found = true;
            return r.Models;
        }
    }
    found = false;
    return QString();
}

} // namespace

void BuildModelLists()
{
    if (gBuildCount++ > 0)
        return;
    AssignModelListData();
}

void FreeModelLists()
{
    ClearModelListVariables();
    for (const TFeatureRow& r : kFeatureRows)
        r.List->clear();
    FeatureLookupModel.clear();
    gBuildCount = 0;
}

QString MapModelAlias(const QString& name, bool& found)
{
    found = false;
    for (const QString& alias : W16AliasNames()) {
        if (name == alias) {
            found = true;
            return GetModelName_W16();
        }
    }
    return name;
}

bool FeatureModelListLookup(const QString& featureName, const QString& model, QString& list)
{
    list.clear();
    for (const TFeatureRow& r : kFeatureRows) {
        if (featureName == QLatin1String(r.Name)) {
            list = *r.List;
            return IsInCommaList(model, list);
        }
    }
    return false;
}

bool IsFeatureModel(const QString& featureName, QString& list)
{
    return FeatureModelListLookup(featureName, FeatureLookupModel, list);
}

bool IsFeatureModel(const QString& featureName)
{
    QString list;
    return IsFeatureModel(featureName, list);
}

bool IsModelInFeatureList(const QString& featureName) { return IsFeatureModel(featureName); }

QString BuiltinLabelFeatureModels(const QString& key, bool& found)
{
    return BuiltinOf(LabelFeatureKeyLists(), key, found);
}

QString BuiltinMobileFeatureModels(const QString& key, bool& found)
{
    return BuiltinOf(MobileFeatureKeyLists(), key, found);
}

// The lists exist before any window or start-up routine runs.
namespace {
const bool kListsBuiltAtStart = (BuildModelLists(), true);
}
