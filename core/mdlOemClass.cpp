// OEM branding profiles.
#include "mdlOemClass.h"

#include "PrtPaths.h"
#include "PrtTexts.h"
#include "mdlModelData.h"
#include "mdlModuleState.h"

#include <QDir>
#include <cstring>

// ---- TOemClass ------------------------------------------------------------------------------
TOemClass::TOemClass()
{
    PathSeparator = QStringLiteral("/");
    // Everything else keeps the member defaults. The caption suffix is not worked out here:
    // the language texts are not loaded yet and a brand's override is not reachable from
    // this constructor; callers building a caption ask GetCaptionSuffix().
}

TOemClass::~TOemClass() = default;

void TOemClass::InitIdentity() {}

QString TOemClass::GetCaptionSuffix() const { return QString(); }

QString TOemClass::LookupAlias(const QString& name, bool& found) const
{
    found = false;
    for (const QString& line : Aliases) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QString key = eq < 0 ? line : line.left(eq);
        if (key == name) {
            found = true;
            return eq < 0 ? QString() : line.mid(eq + 1);
        }
    }
    return name;
}

QString GetOemDataHomeDir()
{
    QString dir = prt::DataHomeDir();
    if (dir.trimmed().isEmpty())
        dir = QDir::homePath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

void TOemClass::CreateOemUserDataDir()
{
    if (FolderCode.trimmed().isEmpty() || OemIdentifier.trimmed().isEmpty())
        return;
    const QString brandDir = GetOemDataHomeDir() + FolderCode + PathSeparator;
    QDir().mkpath(brandDir);
    const QString dataDir = brandDir + QStringLiteral("OcUserData") + PathSeparator;
    QDir().mkpath(dataDir);
    // A folder that could not be made still becomes the user-data folder; later file
    // operations there fail where they are used.
    UserDataDir = dataDir;
}

void TOemClass::FillLanguageChoices(QStringList* list) const
{
    if (!list)
        return;
    list->clear();
    const struct {
        int Flag;
        const char* Id;
        const char* NameKey;
    } rows[] = {
        {OfferLang2052, "2052", "Lang_All_00210181_12"},
        {OfferLang1033, "1033", "Lang_All_00210181_11"},
        {OfferLang1042, "1042", "Lang_All_00210181_19"},
        {OfferLang7, "7", "Lang_All_00210329_11"},
        {OfferLang1040, "1040", "Lang_All_00210330_11"},
        {OfferLang1036, "1036", "Lang_All_00210181_15"},
    };
    for (const auto& r : rows) {
        if (r.Flag == 1)
            list->append(QLatin1String(r.Id) + QLatin1Char('=') +
                         prt::LangText(QLatin1String(r.NameKey)));
    }
}

void TOemClass::ApplyProfileRow(const TOemProfileRow& row)
{
    const QString version = QLatin1String(row.VersionText);
    VersionMode = version.isEmpty() ? 0 : 1;
    VersionText = version;
    CaptionMode = row.CaptionMode;
    CaptionWord = QString::fromUtf8(row.CaptionWord);
    ModelListMode = row.ModelListMode;
    Models = row.Models;
    if (RealMarkerFileExists())
        Models += row.RealOnlyModels;
    if (gRoleFlags.Programmer)
        Models += row.ProgrammerModels;
    AliasMode = row.AliasMode;
    Aliases = row.Aliases;
    TsplListMode = EscListMode = CpclListMode = ZplListMode = row.ListMode;
    TsplList = row.TsplList;
    EscList = row.EscList;
    CpclList = row.CpclList;
    ZplList = row.ZplList;
    if (row.ShowToolLang)
        ShowToolLangGroup = 1;
    for (const QString& id : row.OfferedLangs) {
        if (id == QLatin1String("2052")) OfferLang2052 = 1;
        else if (id == QLatin1String("1033")) OfferLang1033 = 1;
        else if (id == QLatin1String("1042")) OfferLang1042 = 1;
        else if (id == QLatin1String("7")) OfferLang7 = 1;
        else if (id == QLatin1String("1040")) OfferLang1040 = 1;
        else if (id == QLatin1String("1036")) OfferLang1036 = 1;
    }
    PrinterManageLayout = row.PrinterManageLayout;
}

void TOemClass::ApplyIdentityRow(const TOemProfileRow& row)
{
    OemIdentifier = QLatin1String(row.OemIdentifier);
    FolderCode = QLatin1String(row.FolderCode);
    CreateOemUserDataDir();
}

// ---- brand classes ----------------------------------------------------------------------------
#define PRT_DEFINE_OEM_CLASS(Name)                                        \
    Name::Name()                                                          \
    {                                                                     \
        if (const TOemProfileRow* row = FindOemProfileRowByClass(#Name))  \
            ApplyProfileRow(*row);                                        \
    }                                                                     \
    void Name::InitIdentity()                                             \
    {                                                                     \
        TOemClass::InitIdentity();                                        \
        if (const TOemProfileRow* row = FindOemProfileRowByClass(#Name))  \
            ApplyIdentityRow(*row);                                       \
    }
PRT_DEFINE_OEM_CLASS(TOemMobileDalp)
PRT_DEFINE_OEM_CLASS(TOemMobile_Printer)
PRT_DEFINE_OEM_CLASS(TOemMobile_Logistics)
PRT_DEFINE_OEM_CLASS(TOemMobile_Fenlo)
PRT_DEFINE_OEM_CLASS(TOemMobile_DQ4)
PRT_DEFINE_OEM_CLASS(TOemMobile_Brisko)
PRT_DEFINE_OEM_CLASS(TOemMobile_Pemba)
PRT_DEFINE_OEM_CLASS(TOemMobile_Vessin)
PRT_DEFINE_OEM_CLASS(TOemMobile_Grusk)
PRT_DEFINE_OEM_CLASS(TOemMobile_Dealer)
PRT_DEFINE_OEM_CLASS(TOemLabelFenwai)
PRT_DEFINE_OEM_CLASS(TOemLabel_Brisko)
PRT_DEFINE_OEM_CLASS(TOemLabelVessin)
PRT_DEFINE_OEM_CLASS(TOemLabelCobbel)
PRT_DEFINE_OEM_CLASS(TOemLabel_Vusk_OfJor)
PRT_DEFINE_OEM_CLASS(TOemLabel_Sabrow)
PRT_DEFINE_OEM_CLASS(TOemLabel_CrossBorderEBussiness)
PRT_DEFINE_OEM_CLASS(TOemLabel_Tesk_OfJor_OrVusk)
PRT_DEFINE_OEM_CLASS(TOemLabel_ElectricBusiness)
PRT_DEFINE_OEM_CLASS(TOemLabel_Grusk_TA380)
PRT_DEFINE_OEM_CLASS(TOemLabel_Plova)
PRT_DEFINE_OEM_CLASS(TOemLabel_V52)
PRT_DEFINE_OEM_CLASS(TOemLabel_Vandro)
PRT_DEFINE_OEM_CLASS(TOemLabel_Gimber)
PRT_DEFINE_OEM_CLASS(TOemLabel_RUVALO)
PRT_DEFINE_OEM_CLASS(TOemLabel_Channel)
PRT_DEFINE_OEM_CLASS(TOemLabel_DUNMARK)
PRT_DEFINE_OEM_CLASS(TOemLabel_Orvel)
PRT_DEFINE_OEM_CLASS(TOemLabel_Tamsel)
PRT_DEFINE_OEM_CLASS(TOemLabel_Quillet)
PRT_DEFINE_OEM_CLASS(TOemLabel_Ardwick)
PRT_DEFINE_OEM_CLASS(TOemLabel_Zolter)
PRT_DEFINE_OEM_CLASS(TOemLabel_Y7)
PRT_DEFINE_OEM_CLASS(TOemLabel_Kastor)
PRT_DEFINE_OEM_CLASS(TOemLabel_Neutral_OfAllA)
PRT_DEFINE_OEM_CLASS(TOemLabel_Ombrel)
PRT_DEFINE_OEM_CLASS(TOemLabel_soltrik)
PRT_DEFINE_OEM_CLASS(TOemLabel_Trune)
PRT_DEFINE_OEM_CLASS(TOemLabel_HallvikProducts)
PRT_DEFINE_OEM_CLASS(TOemLabel_GRUSK)
PRT_DEFINE_OEM_CLASS(TOemLabel_Yorl)
PRT_DEFINE_OEM_CLASS(TOemLabel_Caldrew)
#undef PRT_DEFINE_OEM_CLASS

QString TOemLabel_CrossBorderEBussiness::GetCaptionSuffix() const
{
    return QStringLiteral("--") + prt::LangText(QLatin1String(LANGKEY_CrossBorderCaption));
}

// ---- factory ----------------------------------------------------------------------------------
namespace {

template <class T>
std::unique_ptr<TOemClass> Make() { return std::make_unique<T>(); }

using Maker = std::unique_ptr<TOemClass> (*)();

// Class of each profile row, in the order of the rows.
const struct {
    const char* ClassName;
    Maker Create;
} kMakers[] = {
#define M(Name) {#Name, &Make<Name>}
    M(TOemMobileDalp), M(TOemMobile_Printer), M(TOemMobile_Logistics), M(TOemMobile_Fenlo),
    M(TOemMobile_DQ4), M(TOemMobile_Brisko), M(TOemMobile_Pemba), M(TOemMobile_Vessin),
    M(TOemMobile_Grusk), M(TOemMobile_Dealer), M(TOemLabelFenwai), M(TOemLabel_Brisko),
    M(TOemLabelVessin), M(TOemLabelCobbel), M(TOemLabel_Vusk_OfJor), M(TOemLabel_Sabrow),
    M(TOemLabel_CrossBorderEBussiness), M(TOemLabel_Tesk_OfJor_OrVusk),
    M(TOemLabel_ElectricBusiness), M(TOemLabel_Grusk_TA380), M(TOemLabel_Plova),
    M(TOemLabel_V52), M(TOemLabel_Vandro), M(TOemLabel_Gimber), M(TOemLabel_RUVALO),
    M(TOemLabel_Channel), M(TOemLabel_DUNMARK), M(TOemLabel_Orvel), M(TOemLabel_Tamsel),
    M(TOemLabel_Quillet), M(TOemLabel_Ardwick), M(TOemLabel_Zolter), M(TOemLabel_Y7),
    M(TOemLabel_Kastor), M(TOemLabel_Neutral_OfAllA), M(TOemLabel_Ombrel),
    M(TOemLabel_soltrik), M(TOemLabel_Trune), M(TOemLabel_HallvikProducts),
    M(TOemLabel_GRUSK), M(TOemLabel_Yorl), M(TOemLabel_Caldrew),
#undef M
};

} // namespace

int FindOemProfileRow(const QString& toolType, const QString& oemKey)
{
    const auto& rows = OemProfileRows();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (toolType == QLatin1String(rows[i].ToolType) && oemKey == QLatin1String(rows[i].OemKey))
            return int(i);
    }
    return -1;
}

std::unique_ptr<TOemClass> CreateOemClass(const QString& toolType, const QString& oemKey)
{
    std::unique_ptr<TOemClass> oem;
    const int row = FindOemProfileRow(toolType, oemKey);
    if (row >= 0) {
        const char* cls = OemProfileRows()[size_t(row)].ClassName;
        for (const auto& m : kMakers) {
            if (std::strcmp(m.ClassName, cls) == 0) {
                oem = m.Create();
                break;
            }
        }
    }
    if (!oem)
        oem = std::make_unique<TOemClass>();
    oem->ToolType = toolType;
    oem->OemCo = oemKey;
    return oem;
}
