#pragma once
// OEM branding profiles: TOemClass carries the defaults; one derived class per brand sets
// its own values (captions, model and alias lists, protocol-list overrides, offered UI
// languages, printer-management layout, user-data folder). The brand values are rows of
// the data module (mdlModelData.cpp) that the brand classes apply.
#include <QString>
#include <QStringList>
#include <memory>

struct TOemProfileRow;  // mdlModelData.h

class TOemClass {
public:
    TOemClass();
    virtual ~TOemClass();
    TOemClass(const TOemClass&) = delete;
    TOemClass& operator=(const TOemClass&) = delete;

    // --- fields, in order
    QString ToolType;                 // "Label" / "Mobile"; set by the creator
    QString OemCo;                    // [Option] OemCo; set by the creator
    int TsplListMode = 1;             // protocol-list overrides: 2 replace, 3 append, else file
    QString TsplList;
    int EscListMode = 1;
    QString EscList;
    int CpclListMode = 1;
    QString CpclList;
    int ZplListMode = 1;
    QString ZplList;
    int VersionMode = 0;              // 1: show VersionText; else the language file's "_Version"
    QString VersionText;
    int CaptionMode = 0;              // 1: caption from word + GetCaptionSuffix() + version
    QString CaptionWord;
    QString CaptionSuffix;            // stays '' here: use GetCaptionSuffix() when building a caption
    int ModelListMode = 0;            // 1 own models only; 2 general list + own; else general
    QStringList Models;
    int AliasMode = 0;                // 1 own aliases; 2 "PrinterMap.ini" then own; else map file
    QStringList Aliases;              // "name=value" lines
    QString PathSeparator;            // "/"
    QString OemIdentifier;            // 32 hex digits or the 8-4-4-4-12 form
    QString FolderCode;               // "PL1"/"PM1" + four digits + brand tag
    QString UserDataDir;              // set by CreateOemUserDataDir; '' when none
    int ShowToolLangGroup = 0;
    int OfferLang2052 = 0;
    int OfferLang1033 = 0;
    int OfferLang1042 = 0;
    int OfferLang7 = 0;
    int OfferLang1040 = 0;
    int OfferLang1036 = 0;
    int ShowLangIdGroup = 1;
    int PrinterManageLayout = 0;      // 2: printer-management window hides the test button

    // --- virtual operations
    // Sets the OEM identifier and folder code, then CreateOemUserDataDir. Base: nothing.
    virtual void InitIdentity();
    // Extra caption text, worked out each time a caption is built (follows the language).
    virtual QString GetCaptionSuffix() const;

    // --- operations
    // value := name, found := false; the first alias line whose name part equals name
    // (exact) gives its value part and found := true.
    QString LookupAlias(const QString& name, bool& found) const;
    // With a folder code and an OEM identifier: <local app data>/<folder code>/OcUserData/,
    // both levels created when missing; otherwise UserDataDir stays ''.
    void CreateOemUserDataDir();
    // Clears list, then adds "2052=", "1033=", "1042=", "7=", "1040=", "1036=" lines (each
    // with its display name) for the offered languages. Null list: nothing.
    void FillLanguageChoices(QStringList* list) const;

protected:
    // Applies the table row of a brand (constructor values) / its identity values.
    void ApplyProfileRow(const TOemProfileRow& row);
    void ApplyIdentityRow(const TOemProfileRow& row);
};

// Local-app-data folder of this user (ends with "/"): prt::DataHomeDir(), or the home folder
// when no data folder is known.
QString GetOemDataHomeDir();

// Brand classes (one per profile row, in the order CreateOemObject compares them).
#define PRT_DECLARE_OEM_CLASS(Name)                                  \
    class Name : public TOemClass {                                  \
    public:                                                          \
        Name();                                                      \
        void InitIdentity() override;                                \
    };
PRT_DECLARE_OEM_CLASS(TOemMobileDalp)
PRT_DECLARE_OEM_CLASS(TOemMobile_Printer)
PRT_DECLARE_OEM_CLASS(TOemMobile_Logistics)
PRT_DECLARE_OEM_CLASS(TOemMobile_Fenlo)
PRT_DECLARE_OEM_CLASS(TOemMobile_DQ4)
PRT_DECLARE_OEM_CLASS(TOemMobile_Brisko)
PRT_DECLARE_OEM_CLASS(TOemMobile_Pemba)
PRT_DECLARE_OEM_CLASS(TOemMobile_Vessin)
PRT_DECLARE_OEM_CLASS(TOemMobile_Grusk)
PRT_DECLARE_OEM_CLASS(TOemMobile_Dealer)
PRT_DECLARE_OEM_CLASS(TOemLabelFenwai)
PRT_DECLARE_OEM_CLASS(TOemLabel_Brisko)
PRT_DECLARE_OEM_CLASS(TOemLabelVessin)
PRT_DECLARE_OEM_CLASS(TOemLabelCobbel)
PRT_DECLARE_OEM_CLASS(TOemLabel_Vusk_OfJor)
PRT_DECLARE_OEM_CLASS(TOemLabel_Sabrow)
PRT_DECLARE_OEM_CLASS(TOemLabel_Tesk_OfJor_OrVusk)
PRT_DECLARE_OEM_CLASS(TOemLabel_ElectricBusiness)
PRT_DECLARE_OEM_CLASS(TOemLabel_Grusk_TA380)
PRT_DECLARE_OEM_CLASS(TOemLabel_Plova)
PRT_DECLARE_OEM_CLASS(TOemLabel_V52)
PRT_DECLARE_OEM_CLASS(TOemLabel_Vandro)
PRT_DECLARE_OEM_CLASS(TOemLabel_Gimber)
PRT_DECLARE_OEM_CLASS(TOemLabel_RUVALO)
PRT_DECLARE_OEM_CLASS(TOemLabel_Channel)
PRT_DECLARE_OEM_CLASS(TOemLabel_DUNMARK)
PRT_DECLARE_OEM_CLASS(TOemLabel_Orvel)
PRT_DECLARE_OEM_CLASS(TOemLabel_Tamsel)
PRT_DECLARE_OEM_CLASS(TOemLabel_Quillet)
PRT_DECLARE_OEM_CLASS(TOemLabel_Ardwick)
PRT_DECLARE_OEM_CLASS(TOemLabel_Zolter)
PRT_DECLARE_OEM_CLASS(TOemLabel_Y7)
PRT_DECLARE_OEM_CLASS(TOemLabel_Kastor)
PRT_DECLARE_OEM_CLASS(TOemLabel_Neutral_OfAllA)
PRT_DECLARE_OEM_CLASS(TOemLabel_Ombrel)
PRT_DECLARE_OEM_CLASS(TOemLabel_soltrik)
PRT_DECLARE_OEM_CLASS(TOemLabel_Trune)
PRT_DECLARE_OEM_CLASS(TOemLabel_HallvikProducts)
PRT_DECLARE_OEM_CLASS(TOemLabel_GRUSK)
PRT_DECLARE_OEM_CLASS(TOemLabel_Yorl)
PRT_DECLARE_OEM_CLASS(TOemLabel_Caldrew)
#undef PRT_DECLARE_OEM_CLASS

// The one brand whose caption carries an extra text: "--" + a language text.
class TOemLabel_CrossBorderEBussiness : public TOemClass {
public:
    TOemLabel_CrossBorderEBussiness();
    void InitIdentity() override;
    QString GetCaptionSuffix() const override;
};

// Creates the profile for (tool type, OEM key): the first profile row whose tool type and
// OEM key both equal the given ones (exact) gives the class; no match gives a TOemClass.
// Sets ToolType and OemCo on the new object; the caller then runs InitIdentity().
std::unique_ptr<TOemClass> CreateOemClass(const QString& toolType, const QString& oemKey);
// Index (0-based) of the profile row for the pair, -1 for none.
int FindOemProfileRow(const QString& toolType, const QString& oemKey);
