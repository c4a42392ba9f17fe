#include "mdlParaBlockLayout.h"

#include "mdlParaSetCodecs.h"
#include "mdlParaSetWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

using namespace paraset;

namespace {

constexpr const char* kAll = "all";

// clang-format off
const TBlockLayout kLayoutA = {
    {4,   1,  TBlockCodec::IndexList,     "cmbBaudRate",               ",BQM260,BTN7,BTN7S,"},
    {9,   16, TBlockCodec::FixedText,     "txtBTName",                 ",Z34,", TRowGate::Bluetooth},
    {20,  4,  TBlockCodec::FixedText,     "txtBTPWD",                  ",Z12,", TRowGate::Bluetooth},
    {25,  4,  TBlockCodec::FixedText,     "txtBTPWD",                  ",Z34,", TRowGate::Bluetooth},
    {31,  1,  TBlockCodec::Check,         "chkSimplePairing",          ",Z34,", TRowGate::Bluetooth},
    {34,  1,  TBlockCodec::IndexList,     "cmbDensity",                kAll},
    {55,  1,  TBlockCodec::CodePage,      "cmbCodepage",               ",J83,F58S,Z34,Z12,BQM260,BTN7,BTN7S,"},
    {56,  1,  TBlockCodec::IntlCharset,   "cmbInternationalCharacter", ",J83,F58S,Z12,BQM260,BTN7,BTN7S,"},
    {58,  1,  TBlockCodec::IndexList,     "cmbJudgePaperMode",         kAll},
    {61,  1,  TBlockCodec::Custom,        "cmbProtocolType",           ",Z34,"},
    {68,  2,  TBlockCodec::Length,        "txtMarkMaxLength",          ",J83,Trev,BQM260,BTN7,"},
    {70,  2,  TBlockCodec::Length,        "txtLabelMaxLength",         ",J83,Trev,BQM260,BTN7,"},
    {76,  1,  TBlockCodec::Radio,         "gpbPrintType",              ",BTN7,BTN7S,"},
    {83,  1,  TBlockCodec::Radio,         "gpbAutoPosition",           kAll},
    {84,  1,  TBlockCodec::Dhcp,          "cmbDHCP",                   ",BQM260,BTN7,BTN7S,"},
    {88,  4,  TBlockCodec::IPv4,          "txtIP",                     ",BQM260,BTN7,BTN7S,"},
    {92,  4,  TBlockCodec::IPv4,          "txtSubnet",                 ",BQM260,BTN7,BTN7S,"},
    {96,  4,  TBlockCodec::IPv4,          "txtGateway",                ",BQM260,BTN7,BTN7S,"},
    {100, 1,  TBlockCodec::Radio,         "gpbReprintWhenError",       kAll},
    {101, 1,  TBlockCodec::Radio,         "gpbSmallLabel",             ",F58D,J83,Trev,BQM260,BTN7,BTN7S,"},
    {105, 1,  TBlockCodec::IndexList,     "cmbParity",                 ",BQM260,BTN7,BTN7S,"},
    {107, 1,  TBlockCodec::IndexList,     "cmbStopBits",               ",BQM260,BTN7,BTN7S,"},
    {113, 1,  TBlockCodec::Radio,         "gpbPrintReprint",           kAll},
    {114, 1,  TBlockCodec::Number,        "txtStopPrint",              kAll},
    {130, 2,  TBlockCodec::Heat,          "cmbHeatAdj",                ",F58D,U9,J83,Trev,F58S,Z34,Z12,BQM260,BTN7S,"},
    {132, 1,  TBlockCodec::Speed,         "cmbPrintSpeed",             ",F58D,U9,J83,Trev,F58S,Z34,Z12,BQM260,BTN7S,"},
    {133, 1,  TBlockCodec::InvertedRadio, "gupBoxLidAction",           ",Z34,", TRowGate::Lid},
    {134, 2,  TBlockCodec::Length,        "txtLabelMinLength",         ",J83,Trev,BQM260,BTN7,"},
    {162, 1,  TBlockCodec::Check,         "chkSimplePairing",          ",Z12,", TRowGate::Bluetooth},
    {199, 16, TBlockCodec::FixedText,     "txtBTName",                 ",Z12,", TRowGate::Bluetooth},
};
// clang-format on

template <typename T>
T* Control(QWidget* form, const QString& name)
{
    return form ? form->findChild<T*>(name) : nullptr;
}

QString Name(const TBlockField& f)
{
    return QString::fromLatin1(f.Control);
}

} // namespace

const TBlockLayout& LayoutA()
{
    return kLayoutA;
}

bool FieldUsedBy(const TBlockField& field, const QString& formCode)
{
    const QString forms = QString::fromLatin1(field.Forms);
    return forms == QLatin1String(kAll) || ModelInList(formCode, forms);
}

TBlockLayout FieldsFor(const TBlockLayout& layout, const QString& formCode, const TGatePredicate& gate)
{
    TBlockLayout out;
    for (const TBlockField& f : layout) {
        if (!FieldUsedBy(f, formCode))
            continue;
        if (f.Gate != TRowGate::Always && !(gate && gate(f.Gate)))
            continue;
        out.push_back(f);
    }
    return out;
}

std::vector<int> BytesOf(const TBlockLayout& fields)
{
    std::vector<int> bytes;
    for (const TBlockField& f : fields)
        for (int i = 0; i < f.Width; ++i)
            bytes.push_back(f.Pos + i);
    std::sort(bytes.begin(), bytes.end());
    bytes.erase(std::unique(bytes.begin(), bytes.end()), bytes.end());
    return bytes;
}

void SplitField(const TBlockField& f, const TParamBlock& block, QWidget* form)
{
    const uint8_t v = block[f.Pos];
    const QString name = Name(f);
    switch (f.Codec) {
    case TBlockCodec::IndexList:
    case TBlockCodec::IntlCharset:
        if (auto* c = Control<QComboBox>(form, name))
            c->setCurrentIndex(DecodeIndexList(v, c->count()));
        break;
    case TBlockCodec::Dhcp:
        if (auto* c = Control<QComboBox>(form, name))
            c->setCurrentIndex(DecodeIndexList(v, c->count()));
        break;
    case TBlockCodec::Radio:
        if (auto* g = Control<TRadioGroup>(form, name))
            g->SetItemIndex(DecodeRadio(v));
        break;
    case TBlockCodec::InvertedRadio:
        if (auto* g = Control<TRadioGroup>(form, name))
            g->SetItemIndex(DecodeInvertedRadio(v));
        break;
    case TBlockCodec::Check:
        if (auto* c = Control<QCheckBox>(form, name))
            c->setChecked(DecodeCheck(v));
        break;
    case TBlockCodec::Number:
        if (auto* e = Control<QLineEdit>(form, name))
            e->setText(DecodeNumber(v));
        break;
    case TBlockCodec::Speed:
        if (auto* c = Control<QComboBox>(form, name))
            c->setCurrentIndex(DecodeSpeed(v, c->count()));
        break;
    case TBlockCodec::Heat:
        if (auto* c = Control<QComboBox>(form, name)) {
            QStringList items;
            for (int i = 0; i < c->count(); ++i)
                items << c->itemText(i);
            c->setCurrentIndex(DecodeHeat(block[f.Pos], block[f.Pos + 1], items));
        }
        break;
    case TBlockCodec::Length:
        if (auto* e = Control<QLineEdit>(form, name))
            e->setText(DecodeLengthMm(block[f.Pos], block[f.Pos + 1]));
        break;
    case TBlockCodec::CodePage:
        if (auto* c = Control<QComboBox>(form, name))
            c->setCurrentIndex(DecodeCodePage(v, c));
        break;
    case TBlockCodec::IPv4:
        for (int i = 0; i < f.Width; ++i)
            if (auto* e = Control<QLineEdit>(form, name + QString::number(i + 1)))
                e->setText(QString::number(block[f.Pos + i]));
        break;
    case TBlockCodec::FixedText:
        if (auto* e = Control<QLineEdit>(form, name))
            e->setText(DecodeFixedText(block.data() + f.Pos, f.Width));
        break;
    case TBlockCodec::Custom:
        break;
    }
}

void ReplaceField(const TBlockField& f, TParamBlock& block, QWidget* form)
{
    uint8_t& v = block[f.Pos];
    const QString name = Name(f);
    switch (f.Codec) {
    case TBlockCodec::IndexList:
    case TBlockCodec::IntlCharset:
    case TBlockCodec::Dhcp:
        if (auto* c = Control<QComboBox>(form, name))
            v = EncodeIndexList(c->currentIndex(), v);
        break;
    case TBlockCodec::Radio:
        if (auto* g = Control<TRadioGroup>(form, name))
            if (g->ItemIndex() >= 0)
                v = EncodeRadio(g->ItemIndex());
        break;
    case TBlockCodec::InvertedRadio:
        if (auto* g = Control<TRadioGroup>(form, name))
            if (g->ItemIndex() >= 0)
                v = EncodeInvertedRadio(g->ItemIndex());
        break;
    case TBlockCodec::Check:
        if (auto* c = Control<QCheckBox>(form, name))
            v = EncodeCheck(c->isChecked());
        break;
    case TBlockCodec::Number:
        if (auto* e = Control<QLineEdit>(form, name))
            v = EncodeNumber(e->text());
        break;
    case TBlockCodec::Speed:
        if (auto* c = Control<QComboBox>(form, name))
            v = EncodeSpeed(c->currentIndex(), c->currentText(), v);
        break;
    case TBlockCodec::Heat:
        if (auto* c = Control<QComboBox>(form, name))
            EncodeHeat(c->currentIndex(), c->currentText(), block[f.Pos], block[f.Pos + 1]);
        break;
    case TBlockCodec::Length:
        if (auto* e = Control<QLineEdit>(form, name))
            EncodeLengthMm(e->text(), block[f.Pos], block[f.Pos + 1]);
        break;
    case TBlockCodec::CodePage:
        if (auto* c = Control<QComboBox>(form, name))
            v = EncodeCodePage(c->currentIndex(), c->currentText(), v);
        break;
    case TBlockCodec::IPv4:
        for (int i = 0; i < f.Width; ++i)
            if (auto* e = Control<QLineEdit>(form, name + QString::number(i + 1)))
                block[f.Pos + i] = EncodeNumber(e->text());
        break;
    case TBlockCodec::FixedText:
        if (auto* e = Control<QLineEdit>(form, name))
            EncodeFixedText(e->text(), block.data() + f.Pos, f.Width);
        break;
    case TBlockCodec::Custom:
        break;
    }
}

void SplitFields(const TBlockLayout& fields, const TParamBlock& block, QWidget* form)
{
    for (const TBlockField& f : fields)
        SplitField(f, block, form);
}

void ReplaceFields(const TBlockLayout& fields, TParamBlock& block, QWidget* form)
{
    for (const TBlockField& f : fields)
        ReplaceField(f, block, form);
}
