// Feature-flag setter and the current feature descriptor.
#include "mdlASetFtnA.h"

#include "PubBytes.h"
#include "mdlFtnA_Base.h"
#include "mdlModelCatalog.h"
#include "mdlModuleState.h"
#include "mdlUsbVidPidCheck.h"

#include <memory>

namespace {

std::unique_ptr<TASetFtnA> gASetFtnA;
// The one owner of the current descriptor, and the second reference that always names
// the same object (or nothing).
std::unique_ptr<TFtnABase> gCurrentFtnA;
TFtnABase* gCurrentFtnA2 = nullptr;

// Records a USB match: the VPID text and the Str/No keys of the record of model.
void NoteUsbMatch(const QString& model, const QString& id)
{
    SetMatchedUsbVpid(id);
    const QString path = GetUsbVidPidCheckIniPath(model);
    IniWriteString(path, QLatin1String(USBCHK_Section), QLatin1String(USBCHK_KeyStr), id);
    IniWriteString(path, QLatin1String(USBCHK_Section), QLatin1String(USBCHK_KeyNo),
                   QStringLiteral("1"));
}

} // namespace

// ---- TASetFtnA --------------------------------------------------------------------------------
void TASetFtnA::SetFlags(TFtnABase* descriptor, const QString& model) const
{
    SetModelListFlags(descriptor, model);
    SetExtraModelFlag(descriptor, model);
}

void TASetFtnA::SetModelListFlags(TFtnABase* d, const QString& model) const
{
    if (!d)
        return;
    d->VersionMatchOn = IsInCommaList(model, FtnFlag_VersionMatchModels);
    d->Version2Offered = IsInCommaList(model, FtnFlag_Version2Models);
    if (!IsInCommaList(model, FtnFlag_Version99Models))
        d->Version99Offered = false;
    else if (RealMarkerFileExists())
        d->Version99Offered = true;
    d->Version1Detailed = IsInCommaList(model, FtnFlag_Version1DetailModels);
    d->Version2IsV2 = IsInCommaList(model, FtnFlag_Version2IsV2Models);
    d->Version2IsV4 = IsInCommaList(model, FtnFlag_Version2IsV4Models);
}

void TASetFtnA::SetExtraModelFlag(TFtnABase* d, const QString& model) const
{
    if (d)
        d->ExtraModelFlag = IsInCommaList(model, FtnFlag_ExtraModelModels);
}

void CreateASetFtnA()
{
    if (!gASetFtnA)
        gASetFtnA = std::make_unique<TASetFtnA>();
}

void FreeASetFtnA() { gASetFtnA.reset(); }

TASetFtnA* GetASetFtnA() { return gASetFtnA.get(); }

// ---- current descriptor ----------------------------------------------------------------------
void SetCurrentFtnA(TFtnABase* descriptor)
{
    if (descriptor == gCurrentFtnA.get())
        return;
    FreeCurrentFtnA();
    gCurrentFtnA.reset(descriptor);
    gCurrentFtnA2 = descriptor;
}

void FreeCurrentFtnA()
{
    // Both references are cleared before the object goes, so nothing can reach it freed.
    std::unique_ptr<TFtnABase> old = std::move(gCurrentFtnA);
    gCurrentFtnA2 = nullptr;
    old.reset();
}

TFtnABase* GetCurrentFtnA() { return gCurrentFtnA.get(); }
TFtnABase* GetCurrentFtnA2() { return gCurrentFtnA2; }

// ---- factory -------------------------------------------------------------------------------------
TFtnABase* CreateFtnAByModel(const QString& model)
{
    TFtnABase* d = nullptr;
    if (model == GetModelName_HB25()) d = new TFtnA_HB25;
    else if (model == GetModelName_TA380()) d = new TFtnA_TheTA380;
    else if (model == GetModelName_SN723()) d = new TFtnA_TheSN723;
    else if (model == GetModelName_QT_V64()) d = new TFtnA_TheQT_V64;
    else if (model == GetModelName_QT_V64BT()) d = new TFtnA_TheQT_V64BT;
    else if (model == GetModelName_Y7()) d = new TFtnA_TheY7;
    else if (model == GetModelName_Kastor_Y7()) d = new TFtnA_TheKastor_Y7;
    else if (model == GetModelName_TE62BT()) d = new TFtnA_TheTE62BT;
    else if (model == GetModelName_Y7BT()) d = new TFtnA_TheY7BT;
    else if (model == GetModelName_TE62()) d = new TFtnA_TheTE62;
    else if (model == GetModelName_GS_PR540D()) d = new TFtnA_TheGS_PR540D;
    else if (model == GetModelName_GS_PR540X()) d = new TFtnA_TheGS_PR540X;
    else d = new TFtnABase;
    SetCurrentFtnA(d);
    d->Unlock();
    d->Reset();
    d->SetIdentityNames();
    d->SetRowsABC();
    d->SetExtraNames();
    d->SetRowsDE();
    return d;
}

// ---- lookups ----------------------------------------------------------------------------------
QString GetExtraNamesByModel(const QString& model, bool& found)
{
    found = false;
    const TFtnABase* d = GetCurrentFtnA();
    if (!d || !IsInCommaList(model, d->ExtraNamesList))
        return QString();
    found = true;
    return d->ExtraName1 + QLatin1Char(',') + d->ExtraName2;
}

void ResolveModelByUsbId(const QString& model, const QString& identity, bool nameRowAllowed,
                         bool& found, QString& result, bool& matched, bool& flag, QString& note)
{
    found = false;
    matched = false;
    flag = true;
    note.clear();
    const TFtnABase* d = GetCurrentFtnA();
    if (!d)
        return;
    // Row A
    const bool aApplies = IsInCommaList(model, d->RowAList) || d->RowAAlways;
    if (aApplies && d->RowAPredicate && d->RowAPredicate(identity)) {
        found = matched = true;
        result = d->RowAResult;
        NoteUsbMatch(model, d->RowAId);
        return;
    }
    // Row B, then row C when row B applied but its id was not there
    const bool bApplies = IsInCommaList(model, d->RowBList) || d->RowBAlways;
    if (bApplies) {
        if (d->RowBPredicate && d->RowBPredicate(identity)) {
            found = matched = true;
            result = d->RowBResult;
            NoteUsbMatch(model, d->RowBId);
            return;
        }
        if (d->RowCPredicate && d->RowCPredicate(identity)) {
            found = matched = true;
            result = d->Name3;
            NoteUsbMatch(model, d->UsbId3);
            return;
        }
    }
    // Exact-name row
    if (nameRowAllowed && !d->ExactName.isEmpty() && model == d->ExactName) {
        found = matched = true;
        result = d->ExactResult;
    }
}

void ResolveModelByUsbIdStep2(const QString& model, const QString& identity, QString& result,
                              bool& flag, bool& matched)
{
    flag = true;
    matched = false;
    const TFtnABase* d = GetCurrentFtnA();
    if (!d || !IsInCommaList(model, FtnStep2GateModels))
        return;
    if (IsInCommaList(model, d->RowDList) && d->RowDPredicate && d->RowDPredicate(identity)) {
        result = d->RowDResult;
        matched = true;
    } else if (IsInCommaList(model, d->RowEList) && d->RowEPredicate &&
               d->RowEPredicate(identity)) {
        result = d->RowEResult;
        matched = true;
    }
}
