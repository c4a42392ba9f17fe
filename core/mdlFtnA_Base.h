#pragma once
// Per-model feature descriptors: which real model a printer name stands for given the USB
// id of the attached device, which model/base names the tool printer-version ids select,
// the version choices of the printer-management window and a few model flags.
// Also the printer-map resolution of printer names and forwarders to the printer link.
#include "mdlModelCatalog.h"
#include "PrtSdk.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

struct TFtnADataRow;  // mdlModelData.h

class TFtnABase {
public:
    TFtnABase();
    virtual ~TFtnABase();
    TFtnABase(const TFtnABase&) = delete;
    TFtnABase& operator=(const TFtnABase&) = delete;

    // --- fields, in order
    bool ResetLock = false;
    QString UsbId1, UsbId2, UsbId3;
    QString Name1, Name2, Name3;
    QString ExactName;
    QString ExactResult;
    QString RowAList;
    bool RowAAlways = false;
    UsbIdPredicate RowAPredicate = nullptr;
    QString RowAResult, RowAId;
    QString RowBList;
    bool RowBAlways = false;
    UsbIdPredicate RowBPredicate = nullptr;
    QString RowBResult, RowBId;
    UsbIdPredicate RowCPredicate = nullptr;
    QString ExtraNamesList;
    QString ExtraName1, ExtraName2;
    QString RowDList;
    UsbIdPredicate RowDPredicate = nullptr;
    QString RowDResult;
    QString RowEList;
    UsbIdPredicate RowEPredicate = nullptr;
    QString RowEResult;
    QString ModelName;                 // selected by tool printer-version id "1"
    QString BaseName;                  // selected by tool printer-version id "2"
    bool VersionMatchOn = false;
    bool Version2Offered = false;
    bool Version99Offered = false;
    bool ExtraModelFlag = false;
    bool Version1Detailed = false;
    bool Version2IsV2 = false;
    bool Version2IsV4 = false;
    QString SelDefaultName, SelModelName, SelThirdName;  // set by the main window
    int VariantA = 0, VariantB = 0;
    // Main-window button preferences: 0 no preference, 1 show, 2 hide (no descriptor sets
    // them in this build).
    int FrontLearnSetting = 0;
    int CommandTestSetting = 0;

    // --- virtual operations in slot order (base: nothing, result 0)
    virtual int SetIdentityNames();
    virtual int SetRowsABC();
    virtual int SetExtraNames();
    virtual int SetRowsDE();
    virtual int ApplyVariant(const QString& defaultName);

    // --- operations
    void Reset();   // clears every field once per Unlock
    void Unlock();
    // result '' found false flag true text ''; with version matching on: "1" -> ModelName,
    // "2" (version 2 offered) -> BaseName.
    QString MatchPrinterName(const QString& versionId, bool& found, bool& flag,
                             QString& text) const;
    // Fills the "id=display" list and the manager (both must exist).
    void FillVersionList(QStringList* list, class TObj_Ult_PrtVerOfToolMg* manager) const;
    // "1" for the Y7 "(01)" variant, "2" for the Y7 variant with its identifier, else "0"
    // (of the selected model name).
    QString GetVariantCode() const;

protected:
    // Applies the descriptor row of the class (names, ids, rows).
    void ApplyIdentityRow(const TFtnADataRow& row);
    void ApplyRowsABC(const TFtnADataRow& row);
};

#define PRT_DECLARE_FTNA_CLASS(Name)              \
    class Name : public TFtnABase {               \
    public:                                       \
        int SetIdentityNames() override;          \
        int SetRowsABC() override;                \
    };
PRT_DECLARE_FTNA_CLASS(TFtnA_TheTA380)
PRT_DECLARE_FTNA_CLASS(TFtnA_TheQT_V64)
PRT_DECLARE_FTNA_CLASS(TFtnA_TheQT_V64BT)
PRT_DECLARE_FTNA_CLASS(TFtnA_TheKastor_Y7)
PRT_DECLARE_FTNA_CLASS(TFtnA_TheTE62BT)
PRT_DECLARE_FTNA_CLASS(TFtnA_TheY7BT)
PRT_DECLARE_FTNA_CLASS(TFtnA_TheTE62)
PRT_DECLARE_FTNA_CLASS(TFtnA_TheGS_PR540D)
PRT_DECLARE_FTNA_CLASS(TFtnA_TheGS_PR540X)
#undef PRT_DECLARE_FTNA_CLASS

class TFtnA_HB25 : public TFtnABase {
public:
    int SetIdentityNames() override;
    int SetRowsABC() override;
    int SetExtraNames() override;
    int SetRowsDE() override;
};

class TFtnA_TheSN723 : public TFtnABase {
public:
    int SetIdentityNames() override;
};

class TFtnA_TheY7 : public TFtnABase {
public:
    int SetIdentityNames() override;
    int SetRowsABC() override;
    int ApplyVariant(const QString& defaultName) override;
};

// Blank descriptor the printer-management window fills itself.
class TFtnA_TheTempA : public TFtnABase {};

// One tool printer-version entry and their owner.
class TObj_Ult_PrtVerOfToolA {
public:
    QString Id, Display, Value;
};

class TObj_Ult_PrtVerOfToolMg {
public:
    ~TObj_Ult_PrtVerOfToolMg();
    void Add(const QString& id, const QString& display, const QString& value);
    void Clear();  // frees the entries, last first
    int Count() const { return int(Items.size()); }
    const TObj_Ult_PrtVerOfToolA* Item(int i) const { return Items.at(size_t(i)).get(); }
    std::vector<std::unique_ptr<TObj_Ult_PrtVerOfToolA>> Items;
};

// Language keys of the version list.
inline constexpr char LANGKEY_VersionTemplate[] = "Lang_All_00210373_11";  // holds "[{0}]"
inline constexpr char LANGKEY_VersionPrefix1[] = "Lang_All_00210351_11";
inline constexpr char LANGKEY_VersionPrefix2[] = "Lang_All_00010002_11";
inline constexpr char LANGKEY_Version99[] = "Lang_All_00210378_11";

// value of the first entry whose display equals display; found false and '' otherwise.
QString FindPrtVerOfTool(const QString& display, const TObj_Ult_PrtVerOfToolMg* manager,
                         bool& found);

// result := name, found := false; the Y7 variant with identifier -> "V52", Y7 "(01)" -> "W16",
// the Y7BT "(01)" variant with identifier -> "W16", "V52BT" -> "V52".
QString MapModelKeyToBase(const QString& name, bool& found);
// Printer-map resolution of a printer name with a given profile (null: no profile,
// "PrinterMap.ini" only): alias mode of the profile, "PrinterMap.ini" [Map], profile
// aliases, the W16 alias rule, the model-key rule, the command plug-in's transformation when
// it is loaded and gives a text, and the default for an empty result. With the active
// profile: ResolvePrinterMapModel(name, defaultName) of mdlKesaVar.h.
QString ResolvePrinterMapModel(const QString& name, const QString& defaultName,
                               const class TOemClass* profile);

// Forwarders to the printer link (PrtGetHandle, PrtWriteData, PrtReadData).
prt::sdk::Handle MainPrtGetHandle();
int MainPrtWrite(const uint8_t* bytes, uint32_t count);
int MainPrtRead(uint8_t* buffer, uint32_t count, uint32_t* readCount);
// Writes "ZZZFRONT" CR LF with PrtWriteData. Like the other do-commands it answers true
// (and flag := true) when the write failed, false when the command went out.
bool SendFrontCommand(bool& flag, bool trace);
