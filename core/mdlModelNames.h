#pragma once
// The maker's model names and the USB identity texts of the catalogue, with the predicates
// that find an identity text in a device identity.
#include <QString>
#include <cstdint>

// ---- USB vendor ids -------------------------------------------------------------------------
uint16_t ModelDataVendorA();
uint16_t ModelDataVendorB();

// ---- model-name getters -------------------------------------------------------------------
QString GetModelName_V52();
QString GetModelName_V52R();
QString GetModelName_V52BT();
QString GetModelName_V64();
QString GetModelName_V64C();
QString GetModelName_Y7();
QString GetModelName_Y7BT();
QString GetModelName_Y7_01();         // the Y7 "(01)" variant
QString GetModelName_Y7_Hex();        // the Y7 variant carrying its 32-hex identifier
QString GetModelName_Y7BT_01_Hex();   // the Y7BT "(01)" variant with its 32-hex identifier
QString GetModelName_W16();
QString GetModelName_W16_Var();       // the W16 variant that HB25 devices of vendor A report
QString GetModelName_W16P();
QString GetModelName_W16P_C();
QString GetModelName_TE62();
QString GetModelName_TE62BT();
QString GetModelName_TA380();
QString GetModelName_SN723();
QString GetModelName_SN723BT();       // the SN723 Bluetooth model
QString GetModelName_HB25();
QString GetModelName_HB25_Var();      // HB25 variant (an alias of W16)
QString GetModelName_QT_V64();
QString GetModelName_QT_V64BT();
QString GetModelName_GS_PR540D();
QString GetModelName_GS_PR540X();
QString GetModelName_Kastor_Y7();
QString GetModelName_AK_S770();
QString GetModelName_BTN7();
QString GetModelName_F58S();
QString GetModelName_F58D();
QString GetModelName_Z34();
QString GetModelName_Z34BT();
QString GetModelName_ZR905K();
QString GetModelName_ZR906();
QString GetModelName_ZR908();
QString GetModelName_ZR910();
QString GetModelName_ZR912();
QString GetModelName_W7X();           // receipt/mobile model whose code pages follow the command language
QString GetModelName_J83();
QString GetModelName_J27();
QString GetModelName_L44();
QString GetModelName_L46();
QString GetModelName_D45();           // the DPL model

// ---- USB identity texts and predicates ------------------------------------------------------
// "VID_" + 4 upper-case hex digits + "&PID_" + 4 digits. Vendor A / vendor B are the maker's
// two USB vendor ids.
QString GetUsbId_VendorA_7008();
QString GetUsbId_VendorB_9008();
QString GetUsbId_VendorB_9006();
QString GetUsbId_VendorB_4011();
// True when the identity text (for example a whole device path) contains the id text.
bool IsUsbId_VendorA_7008(const QString& identity);
bool IsUsbId_VendorB_9008(const QString& identity);
bool IsUsbId_VendorB_9006(const QString& identity);
bool IsUsbId_VendorB_4011(const QString& identity);
using UsbIdPredicate = bool (*)(const QString& identity);

// ---- model roles ------------------------------------------------------------------------------
QString GetMainDefaultModelName();       // default model for printer objects and the map
// The model the receipt test-text window creates its printer object for when the mapped
// name is in PrintTextSubstModels.
QString PrintTextSubstituteModel();
