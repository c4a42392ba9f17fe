#pragma once
// Model rules of the key-frame forms as plain functions: which rows, pages and lists the V52
// form shows for the selected printer, its speed range, the network-scan reply, and the
// W16P form's model tests. The forms call these; tests call them without widgets.
#include "mdlModelData.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// ---- V52 -------------------------------------------------------------------------------------

// The role lists the V52 form uses: the catalogue's (V52RoleListData) unless a test set its
// own.
const TV52RoleLists& CurrentV52RoleLists();
void SetV52RoleListsForTest(const TV52RoleLists* lists);  // null: the catalogue's again

// What the V52 form shows and reads for a printer. cur = current model name (PrtBasName),
// listed = listed model name (PrtDefName).
struct TV52Layout {
    QStringList DensityItems;   // items of cmbDensity
    QStringList SpeedItems;     // items of cmbPrintSpeed before the speed range
    bool DetectTwoItems = false;
    bool Drain = true;          // drain stale reply bytes before reading and writing
    bool SpeedRow = true;
    bool ReleaseRows = true;    // release paper and its tip row
    bool CodePageRow = true;
    bool ProtocolRow = false;
    bool LanguageRow = false;
    bool RepeatPrintRow = false;
    bool BoxPositionRow = false;
    bool FineTuneRow = false;
    bool Ethernet = false;      // Ethernet page
    bool Wifi = false;          // Wi-Fi page
    bool Scan = false;          // scan button and Wi-Fi version
    bool ApAddress = false;     // AP mask/gateway ids 0x86/0x85, no reset after writing
    bool Bluetooth = false;     // Bluetooth rows read and written
    bool BluetoothPage = false; // Bluetooth page visible
    bool CodePage = false;      // code page read and written
    bool ReleaseRead = false;   // release paper read and written
};

struct TV52Inputs {
    QString Cur;
    QString Listed;
    QString WithBtList;            // [ParameterSet] "V52_WithBT"
    int PermissionCodePage = 0;    // item "0142020002"
    bool ReleaseSupported = false; // per-model release-paper flag
};

TV52Layout V52LayoutFor(const TV52RoleLists& lists, const TV52Inputs& in);

// Speed range: minimum 4 and maximum 7 to start with, then the model lists; when no maximum
// list matched, V64C gets 5 and any other model may ask the printer (AskPrinter).
struct TV52SpeedRange {
    int Min = 4;
    int Max = 7;
    bool MaxSettled = false;  // the items become Min..Max
    bool AskPrinter = false;  // no list decided: ask getval "min_speed"/"max_speed"
};
TV52SpeedRange V52SpeedRangeByLists(const TV52RoleLists& lists, const QString& cur, const QString& listed,
                                    const QString& v64cList, int permissionAsk);
// The printer's replies settle the range when both are whole numbers and min <= max.
bool V52ApplyPrinterSpeeds(TV52SpeedRange& range, const QString& minReply, const QString& maxReply);

// Network names of a scan reply (UTF-8 lines "[SSID]:name [AUTH]:security [RSSI]:level");
// a line whose name or security is empty, or that lacks " [AUTH]:" after "[SSID]:", adds
// nothing. A reply of 5 bytes or fewer gives no list (ok false).
QStringList V52ParseScanReply(const QByteArray& buffer, bool* ok = nullptr);

// ---- W16P ------------------------------------------------------------------------------------

// The wide-range list (W16P and W16P-C) and the cutter model, both on the current model name.
bool W16PIsWideRange(const QString& cur);
bool W16PIsCutterModel(const QString& cur);
inline constexpr char W16P_CUTTER_LIST[] = ",W16P-C,";
