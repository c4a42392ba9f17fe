#include "mdlModelFeatures.h"

#include "PrtIni.h"
#include "mdlCurrentPrinter.h"
#include "mdlDevBasePrt.h"
#include "mdlIniRead.h"
#include "mdlModelCatalog.h"
#include "mdlPrinterLib_TSPL.h"
#include "mdlPrinterTypeList.h"
#include "mdlPrtDll.h"

#include <QFileInfo>

namespace {

uint8_t gReleasePaperSupported = 0;

bool InList(const QString& name, const QString& list)
{
    return list.contains(QLatin1Char(',') + name + QLatin1Char(','));
}

int32_t SwitchOf(int index)
{
    return ParamGlobals().Switch[static_cast<size_t>(index)];
}

// Item numbers whose value is 1 for the models of a list, else asked of the plug-in.
const QString* FixedPermissionList(const QString& itemNo)
{
    if (itemNo == QLatin1String("0302000001"))
        return &Perm0302000001Models;
    if (itemNo == QLatin1String("0142020002"))
        return &Perm0142020002Models;
    if (itemNo == QLatin1String("0103160002"))
        return &Perm0103160002Models;
    if (itemNo == QLatin1String("0103250002"))
        return &Perm0103250002Models;
    return nullptr;
}

} // namespace

// The names live in mdlCurrentPrinter (PrtDefName, PrtBasName); these keep one source.
void SetSelectedPrinterNames(const QString& prtDefName, const QString& prtBasName)
{
    PrtDefName = prtDefName;
    PrtBasName = prtBasName;
}

QString SelectedPrtDefName()
{
    return PrtDefName;
}

QString SelectedPrtBasName()
{
    return PrtBasName;
}

int32_t PermissionValue(const QString& itemNo)
{
    return ParamGlobals().PermissionOf(itemNo);
}

int32_t ProtocolTypeSwitch() { return SwitchOf(TParamGlobals::kProtocolTypeSwitch); }
int32_t PaperModeSwitchA() { return SwitchOf(TParamGlobals::kPaperModeSwitchA); }
int32_t PaperModeKeyKind() { return SwitchOf(TParamGlobals::kPaperModeKeyKind); }
int32_t PaperModeSwitchB() { return SwitchOf(TParamGlobals::kPaperModeSwitchB); }
int32_t PaperModeQueryOn() { return SwitchOf(TParamGlobals::kPaperModeQueryOn); }
int32_t ExtraKeySwitch() { return SwitchOf(TParamGlobals::kExtraKeySwitch); }
int32_t PrintTextFeedCount() { return SwitchOf(TParamGlobals::kPrintTextFeedCount); }
uint8_t ReleasePaperSupported() { return gReleasePaperSupported; }

void ApplyModelFeatures()
{
    TParamGlobals& g = ParamGlobals();
    const QString bas = SelectedPrtBasName();
    const QString def = SelectedPrtDefName();
    auto in = [&bas](const QString& list) { return InList(bas, list); };
    auto& sw = g.Switch;

    // The switches, with the unread ones interleaved after the one they follow.
    int unread = 0;
    auto nextUnread = [&]() {
        const int index = TParamGlobals::kPrintTextFeedCount + 1 + unread;
        // Values 1 or 2 by position in the table.
        sw[static_cast<size_t>(index)] = in(UnreadSwitchModels[unread]) ? (unread % 2 ? 2 : 1) : 0;
        ++unread;
    };

    sw[TParamGlobals::kProtocolTypeSwitch] = in(ProtocolTypeSwitchModels) ? 1 : 0;
    nextUnread();
    nextUnread();
    sw[TParamGlobals::kPaperModeSwitchA] = in(PaperModeSwitchAModels) ? 2 : 0;
    nextUnread();
    nextUnread();
    if (in(PaperModeKeyKind1Models))
        sw[TParamGlobals::kPaperModeKeyKind] = 1;
    else if (in(PaperModeKeyKind2Models))
        sw[TParamGlobals::kPaperModeKeyKind] = 2;
    else if (in(PaperModeKeyKind3Models))
        sw[TParamGlobals::kPaperModeKeyKind] = 3;
    else
        sw[TParamGlobals::kPaperModeKeyKind] = 0;
    nextUnread();
    nextUnread();
    sw[TParamGlobals::kPaperModeSwitchB] = in(PaperModeSwitchBModels) ? 1 : 0;
    nextUnread();
    nextUnread();
    sw[TParamGlobals::kPaperModeQueryOn] = in(PaperModeQueryOnModels) ? 1 : 0;
    nextUnread();
    nextUnread();
    if (InList(def, QStringLiteral(",Kastor Y7,")))
        sw[TParamGlobals::kExtraKeySwitch] = 0;
    else if (InList(def, ExtraKeySwitchModels) || in(ExtraKeySwitchModels))
        sw[TParamGlobals::kExtraKeySwitch] = 1;
    else
        sw[TParamGlobals::kExtraKeySwitch] = 0;
    nextUnread();
    nextUnread();
    sw[TParamGlobals::kPrintTextFeedCount] = in(PrintTextFeedCountModels) ? 3 : 0;
    while (unread < UnreadSwitchListCount)
        nextUnread();
    // The two switches that are always cleared.
    sw[TParamGlobals::kSwitchFlagOne] = 0;
    sw[TParamGlobals::kSwitch99] = 0;

    // Permission items, asked in storage order.
    const auto& items = TParamGlobals::PermissionItemNos();
    for (int i = 0; i < TParamGlobals::kPermissionCount; ++i) {
        const QString itemNo = QString::fromLatin1(items[static_cast<size_t>(i)]);
        const QString* fixed = FixedPermissionList(itemNo);
        if (fixed && in(*fixed))
            g.Permission[static_cast<size_t>(i)] = 1;
        else
            g.Permission[static_cast<size_t>(i)] = GetPermissionByNo(itemNo);
    }

    gReleasePaperSupported =
        (InList(def, ReleasePaperModels) || g.PermissionOf(QStringLiteral("0135000052")) == 1) ? 1 : 0;
}

bool CheckTsplSdk(QString& errorText)
{
    errorText.clear();
    QString mapPath = gPrinterMapFilePath;
    if (mapPath.isEmpty())
        mapPath = GetFilesDir() + QStringLiteral("PrinterMap.ini");
    if (!QFileInfo::exists(mapPath))
        return true;

    prt::IniFile ini;
    ini.load(mapPath);
    bool hasBtn7 = false;
    for (const auto& entry : ini.entries(QStringLiteral("Map"))) {
        if (entry.second == QLatin1String("BTN7")) {
            hasBtn7 = true;
            break;
        }
    }
    if (!hasBtn7)
        return true;

    // A handle of our own: the global TSPL object may belong to the selected printer.
    const QString model = TransformPrtMapModel(QStringLiteral("BTN7"));
    prt::sdk::Handle handle = 0;
    const int rc = TsplPrinterCreator(&handle, model);
    if (rc != 0)
        errorText = QStringLiteral("TSPL ERR(CRT ERR)");
    if (handle != 0)
        TsplPrinterDestroy(&handle);
    return rc == 0;
}
