#include "mdlParaBlockLayoutBCDE.h"

namespace {

constexpr const char* kAll = "all";

// clang-format off
const TBlockLayout kLayoutB = {
    {8,   1,  TBlockCodec::Number,    "txtPrintToStop",      kAll},
    {12,  1,  TBlockCodec::Number,    "txtHOrigin",          kAll},
    {14,  1,  TBlockCodec::Number,    "txtVOrigin",          kAll},
    {52,  1,  TBlockCodec::IndexList, "cmbBaudRate",         ",W16,W16V,"},
    {57,  1,  TBlockCodec::IndexList, "cmbDensity",          kAll},
    {58,  1,  TBlockCodec::CodePage,  "cmbCodepage",         kAll},
    {60,  1,  TBlockCodec::IndexList, "cmbDetectMode",       ",V64,"},
    {68,  1,  TBlockCodec::IndexList, "cmbBuzzerSound",      ",W16,W16V,"},
    {69,  1,  TBlockCodec::IndexList, "cmbBackLight",        ",W16,W16V,"},
    {76,  1,  TBlockCodec::Radio,     "gpbReprintWhenError", kAll},
    {78,  1,  TBlockCodec::Speed,     "cmbPrintSpeed",       ",V64,W16V,"},
    {79,  1,  TBlockCodec::IndexList, "cmbSenserLoaction",   ",W16,W16V,"},
    {80,  1,  TBlockCodec::Radio,     "gpbPrintReprint",     kAll},
    {81,  1,  TBlockCodec::Radio,     "RadioGroup1",         ",W16V,"},
    {82,  1,  TBlockCodec::Number,    "txtStopPrint",        kAll},
    {84,  2,  TBlockCodec::Heat,      "cmbHeatAdj",          ",V64,W16V,"},
    {215, 16, TBlockCodec::FixedText, "txtBTName",           ",V64,", TRowGate::Bluetooth},
    // The password goes as typed; its edit takes only the characters 33..126, so the
    // trimming of the fixed-width text changes nothing.
    {231, 4,  TBlockCodec::FixedText, "txtBTPWD",            ",V64,", TRowGate::Bluetooth},
    {236, 1,  TBlockCodec::Check,     "chkSimplePairing",    ",V64,", TRowGate::Bluetooth},
};

const TBlockLayout kLayoutC = {
    {4,   1,  TBlockCodec::IndexList,   "cmbBaudRate",               kAll},
    {34,  1,  TBlockCodec::IndexList,   "cmbDensity",                kAll},
    {55,  1,  TBlockCodec::CodePage,    "cmbCodepage",               kAll},
    {56,  1,  TBlockCodec::IntlCharset, "cmbInternationalCharacter", kAll},
    {58,  1,  TBlockCodec::Custom,      "cmbJudgePaperMode",         kAll},  // written only
    {59,  1,  TBlockCodec::IndexList,   "cmbJudgePaperMode",         kAll},
    {61,  1,  TBlockCodec::IndexList,   "cmbProtocolType",           kAll},
    {62,  2,  TBlockCodec::Custom,      "txtVoltageBetweenLabelGap", kAll},
    {64,  2,  TBlockCodec::Length,      "txtLabelMinLength",         kAll},
    {66,  1,  TBlockCodec::Number,      "txtValleyThresholdRate",    kAll},
    {68,  2,  TBlockCodec::Length,      "txtMarkMaxLength",          kAll},
    {70,  2,  TBlockCodec::Length,      "txtLabelMaxLength",         kAll},
    {82,  1,  TBlockCodec::Radio,       "gpbAutoPosition",           kAll},
    {90,  2,  TBlockCodec::Heat,        "cmbHeatAdj",                kAll},
    {92,  1,  TBlockCodec::Custom,      "cmbPrintSpeed",             kAll},
};

const TBlockLayout kLayoutD = {
    {34,  1,  TBlockCodec::IndexList, "cmbDensity",          kAll},
    {55,  1,  TBlockCodec::CodePage,  "cmbCodepage",         kAll},
    {58,  1,  TBlockCodec::Custom,    "cmbJudgePaperMode",   kAll},  // written only
    {59,  1,  TBlockCodec::Custom,    "cmbJudgePaperMode",   kAll},
    {70,  2,  TBlockCodec::Length,    "txtLabelMaxLength",   ",W7X,ZR905K,"},
    {76,  1,  TBlockCodec::Radio,     "gpbPrintType",        kAll},
    {83,  1,  TBlockCodec::Radio,     "gpbAutoPosition",     kAll},
    {84,  1,  TBlockCodec::Dhcp,      "cmbDHCP",             ",W7X,W7XV,"},
    {88,  4,  TBlockCodec::IPv4,      "txtIP",               ",W7X,W7XV,"},
    {92,  4,  TBlockCodec::IPv4,      "txtSubnet",           ",W7X,W7XV,"},
    {96,  4,  TBlockCodec::IPv4,      "txtGateway",          ",W7X,W7XV,"},
    {100, 1,  TBlockCodec::Radio,     "gpbReprintWhenError", kAll},
    {101, 1,  TBlockCodec::Radio,     "gpbSmallLabel",       kAll},
    {104, 1,  TBlockCodec::Number,    "txtStopPrint",        kAll},
    {126, 1,  TBlockCodec::Speed,     "cmbPrintSpeed",       ",W7XV,ZR905K,"},
    {128, 2,  TBlockCodec::Heat,      "cmbHeatAdj",          ",W7XV,ZR905K,"},
};

const TBlockLayout kLayoutE = {
    // The name first, then the password over bytes 20..23 of the name field.
    {10,  16, TBlockCodec::Custom,      "txtBTName",                 kAll, TRowGate::Bluetooth},
    {20,  4,  TBlockCodec::Custom,      "txtBTPWD",                  kAll, TRowGate::Bluetooth},
    {34,  1,  TBlockCodec::IndexList,   "cmbDensity",                kAll},
    {55,  1,  TBlockCodec::CodePage,    "cmbCodepage",               kAll},
    {56,  1,  TBlockCodec::IntlCharset, "cmbInternationalCharacter", kAll},
    {58,  1,  TBlockCodec::IndexList,   "cmbJudgePaperMode",         kAll},
    {61,  1,  TBlockCodec::IndexList,   "cmbProtocolType",           kAll},
    {67,  1,  TBlockCodec::IndexList,   "ComboBox1",                 kAll},
    {82,  1,  TBlockCodec::Radio,       "gpbAutoPosition",           kAll},
    {90,  2,  TBlockCodec::Heat,        "cmbHeatAdj",                kAll},
    {92,  1,  TBlockCodec::Speed,       "cmbPrintSpeed",             kAll},
};
// clang-format on

} // namespace

const TBlockLayout& LayoutB()
{
    return kLayoutB;
}

const TBlockLayout& LayoutC()
{
    return kLayoutC;
}

const TBlockLayout& LayoutD()
{
    return kLayoutD;
}

const TBlockLayout& LayoutE()
{
    return kLayoutE;
}
