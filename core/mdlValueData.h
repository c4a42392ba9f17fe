#pragma once
// Data of the application state, option lists and value tables: code-page tables,
// character-set lists, value words, code-page numbers, and the built-in model lists that
// the speed, paper-width, code-page and feature-key rules use. Model lists are comma
// lists (",A,B,"); an entry written ",," is the empty model name.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace ValueData {

// ---- option lists (value=Text lines) -------------------------------------------------
QStringList CodePageTableP();   // 4 lines
QStringList CodePageTableT1();  // 39
QStringList CodePageTableT3();  // 43
QStringList CodePageTableT4();  // 42
QStringList CodePageTableT5();  // 40
QStringList CodePageTableT6();  // 39
QStringList CodePageTableT7();  // 43
// The one receipt model that gets table T1.
QString CodePageT1ModelList();

// ---- value tables ---------------------------------------------------------------------
QStringList ParamOptionWords(int kind);  // kinds 0..7; empty otherwise
QStringList IntlCharsetList(int number); // 1, 2, 3
QStringList CodePageDefaultRows();       // 46 names, "Default" first
QStringList CodePageFamilyItems(int family);  // 1, 2 (default rows 1..45), 3
// Table keys of the three model families of FillCodePageCombo.
QString CodePageFamilyKey(int family);

struct TCodePageNoPair {
    const char16_t* Name;
    const char16_t* No;
};
int CodePageNoPairCount();               // 50
const TCodePageNoPair& CodePageNoPair(int index);

struct TCountryCharset {
    const char16_t* Country;
    int32_t No;
};
int CountryCharsetCount();               // 16
const TCountryCharset& CountryCharset(int index);

// ---- model lists of the speed and paper-width rules (name-followed-by-comma tests) ----
QString SpeedBuiltinList3();   // two models -> 3 ips
QString SpeedBuiltinList4();   // two models -> 4 ips
QString SpeedBuiltinList6();   // label and ZPL models -> 6 ips
QString SpeedForce4Model();    // the one model that always gets 4 ips
QString PaperWidthBuiltin48(); // two models -> "48"
QString PaperWidthBuiltin72(); // one model -> "72"

// ---- feature-key lists of the application state ----------------------------------------
QString FtnWifiSet0();            // the mobile models with Wi-Fi
QString FtnWifiSet0Type1();       // models and an empty entry
QString FtnWifiSet0Type2L46();    // the L46 model
QString FtnWifiReset0();          // 3 models
QString FtnAdvancedSettings0();   // 2 models and an empty entry
QString FtnBluetoothSetBTFun2();  // models and an empty entry (also the protocol-type key)
QString FtnReadPrtBasicInfo0();   // 6 models (one the V64 family) and an empty entry

// Fixed models of TFTNVar.
QString FtnFixedModelA();         // third member of the comma list
QString FtnFixedModelB();         // fifth member of the comma list
QString FtnDalpPrintTextModels(); // the print-text list of the Dalp mobile profile
QString FtnDalpFixedModel();      // the fixed model of the Dalp consistency checks
QString DalpOemKey();             // OEM key of the Dalp mobile profile

} // namespace ValueData
