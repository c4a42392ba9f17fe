#pragma once
// Application state of the whole run (TKesaVar), the integer option codes copied by the
// device classes (TConstVar) and the feature model lists of the printer-type list (TFTNVar).
//
// Stores:
//   option store  : "files/Option.ini" beside the program, or the registry-style store
//                   "Software\Prt\Prt_20191009\OptionFN" (file-backed, see mdlRegStore.h)
//   SysPm store   : "PrtConfig_SysPm.ini" in the user-data folder, or the registry-style
//                   store "Software\Prt\Prt_20191009\CfgSysPm" (section = subkey)
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>

class TOemClass;   // core/mdlOemClass.h
class TDevNewPrt;  // link/mdlDevNewPrt.h
struct TAppFontSettings;  // core/mdlPubFunc.h

// Registry path of the option store and of the SysPm store.
inline constexpr const char* KesaRegRoot = "Software\\Prt\\Prt_20191009";
inline constexpr const char* KesaRegOptionKey = "Software\\Prt\\Prt_20191009\\OptionFN";
inline constexpr const char* KesaRegSysPmKey = "Software\\Prt\\Prt_20191009\\CfgSysPm";

// Feature switches read from [ParameterSet] of the printer-type list.
class TFTNVar {
public:
    TFTNVar();

    // Six model names of the catalogue and the comma list built from them.
    std::array<QString, 6> ModelNames;
    QString ModelsCommaList;
    // Nine lists that start as "," and are never written afterwards (index 0..8).
    std::array<QString, 9> Lists;
    QString ExtraText;
    // Feature model lists (comma-wrapped).
    QString NIsbtnPrintText;
    QString IsbtnSetArabic;
    QString IsbtnDownloadImages;
    QString L44_ParameterSetting;
    QString L46_ParameterSetting;

    // Fills the lists from the printer-type list file of the current tool.
    void Load();
    // The same from a given file, tool type and OEM key (Load forwards here).
    void LoadFrom(const QString& typeListFile, const QString& toolType, const QString& oemCo);

private:
    void InitNames();
};

// Integer option codes with fixed defaults; positions are 1-based (1..22).
class TConstVar {
public:
    static constexpr int Count = 22;
    TConstVar();
    int32_t Value(int position) const;  // 0 for a position outside 1..22
    void SetValue(int position, int32_t value);
    std::array<int32_t, Count> Values;
};

class TKesaVar {
public:
    TKesaVar();  // reads ToolType and OemCo of "Option.ini", creates connection + switches
    ~TKesaVar();
    TKesaVar(const TKesaVar&) = delete;
    TKesaVar& operator=(const TKesaVar&) = delete;

    // --- fields, in the order of the state record
    bool IsOptionPathSet = false;
    bool IsOptionIni = true;        // true: "Option.ini"; false: registry-style store
    QString OptionIniPath;          // <program folder>files\Option.ini (native separators)
    QString SysPmIniPath;           // <user-data folder>PrtConfig_SysPm.ini
    bool IsSysPmIni = true;
    QString SysPmSection;           // "SysPm"
    QString ToolLangKey;            // "ToolLang"
    QString ToolLangValue;          // remembered UI language id ('' when none)
    std::unique_ptr<TDevNewPrt> DevNewPrt;
    QString ToolType;               // raw [Option] ToolType
    QString OemCo;                  // raw [Option] OemCo
    std::unique_ptr<TOemClass> Oem; // active branding profile
    bool IsFactory = false;
    int32_t KeyFrameOpByte = 1;
    std::unique_ptr<TFTNVar> FtnVar;

    // --- operations
    void SetOptionIniPath();
    QString ReadOptionValue(const QString& section, const QString& key);
    void CreateOemObject(const QString& toolType, const QString& oemKey);
    void WriteSysPmValue(const QString& section, const QString& key, const QString& value);
    QString ReadSysPmValue(const QString& section, const QString& key);
    void LoadSysPmSections();
    bool CheckFtnNoModel(const QString& featureKey, QString& modelList);
    void FillPrinterModelList(QStringList* target);
    void ResolveModelNameByFtnA(const QString& printerName, QString& modelName, bool& found);
    void ResolvePrinterNameByFtnA(const QString& printerName, const QString& displayName,
                                  QString& modelName, QString& protocolText, bool& flag,
                                  bool& found);

    // The window font (name, size, character set): AppFontSettings() of mdlPubFunc.h.
    static TAppFontSettings& FontSettings();

    TDevNewPrt* GetDevNewPrt() const { return DevNewPrt.get(); }
    TOemClass* GetOem() const { return Oem.get(); }
    TFTNVar* GetFtnVar() const { return FtnVar.get(); }
};

// Singleton accessors: create on first call; Free deletes and clears.
TKesaVar* GetKesaVar();
void FreeKesaVar();
TConstVar* GetConstVar();
void FreeConstVar();
// The protocol lists of "ProtocolType.ini" with the active branding profile's overrides
// (LoadProtocolModelListsOf of mdlPrinterTypeList.h).
void LoadProtocolModelLists();
// Printer-map resolution of a printer name with the active branding profile
// (ResolvePrinterMapModel of mdlFtnA_Base.h).
QString ResolvePrinterMapModel(const QString& name, const QString& defaultName);
