// The maker's model names and USB identity texts.
#include "mdlModelNames.h"

#include "PrtUsbIds.h"

namespace {

QString UsbIdText(uint16_t vid, uint16_t pid)
{
    return QStringLiteral("VID_%1&PID_%2")
        .arg(vid, 4, 16, QLatin1Char('0'))
        .arg(pid, 4, 16, QLatin1Char('0'))
        .toUpper();
}

bool ContainsId(const QString& identity, const QString& id)
{
    return !id.isEmpty() && identity.contains(id, Qt::CaseSensitive);
}

} // namespace

// ---- vendor ids ---------------------------------------------------------------------------
uint16_t ModelDataVendorA() { return prt::kUsbVidMaker; }
uint16_t ModelDataVendorB() { return prt::kUsbVidMakerOem; }

// ---- model names ----------------------------------------------------------------------------
QString GetModelName_V52() { return QStringLiteral("V52"); }
QString GetModelName_V52R() { return QStringLiteral("V52R"); }
QString GetModelName_V52BT() { return QStringLiteral("V52BT"); }
QString GetModelName_V64() { return QStringLiteral("V64"); }
QString GetModelName_V64C() { return QStringLiteral("V64C"); }
QString GetModelName_Y7() { return QStringLiteral("Y7"); }
QString GetModelName_Y7BT() { return QStringLiteral("Y7BT"); }
QString GetModelName_Y7_01() { return QStringLiteral("Y7(01)"); }
QString GetModelName_Y7_Hex() { return QStringLiteral("Y7(9FF74D993B45E127E3ACF0CCAD8DAC1B)"); }
QString GetModelName_Y7BT_01_Hex() { return QStringLiteral("Y7BT(01)(C763F8B384E0CFDDE65044F83F3A1F12)"); }
QString GetModelName_W16() { return QStringLiteral("W16"); }
QString GetModelName_W16_Var() { return QStringLiteral("W16(02)"); }
QString GetModelName_W16P() { return QStringLiteral("W16P"); }
QString PrintTextSubstituteModel() { return GetModelName_W16P(); }
QString GetModelName_W16P_C() { return QStringLiteral("W16P-C"); }
QString GetModelName_TE62() { return QStringLiteral("TE62"); }
QString GetModelName_TE62BT() { return QStringLiteral("TE62BT"); }
QString GetModelName_TA380() { return QStringLiteral("TA380"); }
QString GetModelName_SN723() { return QStringLiteral("SN723"); }
QString GetModelName_SN723BT() { return QStringLiteral("SN723BT"); }
QString GetModelName_HB25() { return QStringLiteral("HB25"); }
QString GetModelName_HB25_Var() { return QStringLiteral("HB25(Z)"); }
QString GetModelName_QT_V64() { return QStringLiteral("QT-V64"); }
QString GetModelName_QT_V64BT() { return QStringLiteral("QT-V64BT"); }
QString GetModelName_GS_PR540D() { return QStringLiteral("GS-PR540D"); }
QString GetModelName_GS_PR540X() { return QStringLiteral("GS-PR540X"); }
QString GetModelName_Kastor_Y7() { return QStringLiteral("Kastor Y7"); }
QString GetModelName_AK_S770() { return QStringLiteral("AK-S770"); }
QString GetModelName_BTN7() { return QStringLiteral("BTN7"); }
QString GetModelName_F58S() { return QStringLiteral("F58S"); }
QString GetModelName_F58D() { return QStringLiteral("F58D"); }
QString GetModelName_Z34() { return QStringLiteral("Z34"); }
QString GetModelName_Z34BT() { return QStringLiteral("Z34BT"); }
QString GetModelName_ZR905K() { return QStringLiteral("ZR905K"); }
QString GetModelName_ZR906() { return QStringLiteral("ZR906"); }
QString GetModelName_ZR908() { return QStringLiteral("ZR908"); }
QString GetModelName_ZR910() { return QStringLiteral("ZR910"); }
QString GetModelName_ZR912() { return QStringLiteral("ZR912"); }
QString GetModelName_W7X() { return QStringLiteral("W7X"); }
QString GetModelName_J83() { return QStringLiteral("J83"); }
QString GetModelName_J27() { return QStringLiteral("J27"); }
QString GetModelName_L44() { return QStringLiteral("L44"); }
QString GetModelName_L46() { return QStringLiteral("L46"); }
QString GetModelName_D45() { return QStringLiteral("D45"); }
QString GetMainDefaultModelName() { return QStringLiteral("V64"); }

// ---- USB identity texts ----------------------------------------------------------------------
QString GetUsbId_VendorA_7008() { return UsbIdText(ModelDataVendorA(), 0x7008); }
QString GetUsbId_VendorB_9008() { return UsbIdText(ModelDataVendorB(), 0x9008); }
QString GetUsbId_VendorB_9006() { return UsbIdText(ModelDataVendorB(), 0x9006); }
QString GetUsbId_VendorB_4011() { return UsbIdText(ModelDataVendorB(), 0x4011); }

bool IsUsbId_VendorA_7008(const QString& identity) { return ContainsId(identity, GetUsbId_VendorA_7008()); }
bool IsUsbId_VendorB_9008(const QString& identity) { return ContainsId(identity, GetUsbId_VendorB_9008()); }
bool IsUsbId_VendorB_9006(const QString& identity) { return ContainsId(identity, GetUsbId_VendorB_9006()); }
bool IsUsbId_VendorB_4011(const QString& identity) { return ContainsId(identity, GetUsbId_VendorB_4011()); }
