#pragma once
// USB identity check: for printer names of a few model families, the USB vendor/product
// ids of the attached devices must fit the family. Every check leaves a record in
// <identity-check folder>/<printer name>/UsbVidPidCheck_Res.ini (written, never read).
#include <QString>
#include <QStringList>
#include <functional>

// Record file: section and keys.
inline constexpr char USBCHK_Section[] = "Section_PgmOrCdr__PrtName_UsbVidPidCheck_Res";
inline constexpr char USBCHK_KeyStr[] = "Key_PgmOrCdr__PrtName_UsbVidPidCheck_Res__Str";
inline constexpr char USBCHK_KeyNo[] = "Key_PgmOrCdr__PrtName_UsbVidPidCheck_Res__No";
inline constexpr char USBCHK_KeyTime[] = "Key_PgmOrCdr__PrtName_UsbVidPidCheck_Res__Time";
inline constexpr char USBCHK_KeyPrtName[] = "Key_PgmOrCdr__PrtName_UsbVidPidCheck_Res__PrtName";
inline constexpr char USBCHK_KeyVpid1[] = "Key_PgmOrCdr__PrtName_UsbVidPidCheck_Res__Vpid1";
inline constexpr char USBCHK_KeyVpid2[] = "Key_PgmOrCdr__PrtName_UsbVidPidCheck_Res__Vpid2";
inline constexpr char USBCHK_FileName[] = "UsbVidPidCheck_Res.ini";
inline constexpr char USBCHK_NoMatchText[] = "ERROR:PVID does not match this Printer! ";
inline constexpr char LANGKEY_UsbIdMismatch[] = "Lang_All_00210272_11";

// matched := false, ok := true, message and model ''. Names outside the gate list pass.
// Asks about the attached USB devices whatever the port: callers decide with
// UsbIdentityAppliesToPort whether the answer speaks for their printer.
void ResolvePrinterModel(const QString& name, QString& model, bool& matched, QString& message,
                         bool& ok);

// True when the port string names the USB port. The check compares the ids of the USB
// devices attached to this computer, so it only speaks for a printer reached over USB: a
// printer on a network, serial or parallel port has no USB identity to compare, and the
// attached devices (or their absence) say nothing about it.
bool UsbIdentityAppliesToPort(const QString& portString);

// Id text of the last USB match (the main window shows "VPID:" + text).
QString GetMatchedUsbVpid();
void SetMatchedUsbVpid(const QString& text);
void ClearMatchedUsbVpid();

// Identity texts of the attached USB devices ("...VID_XXXX&PID_XXXX..."), one per device.
// By default prt::EnumUsbDeviceIds(); tests install their own source (null restores).
using UsbIdentitySource = std::function<QStringList()>;
void SetUsbIdentitySource(UsbIdentitySource source);
QStringList GetAttachedUsbIdentities();

// Folder of the identity-check records (ends with "/"): the module state's identity-check
// folder when its parent is writable, else <user data>/PgmOrCdr/.
QString GetUsbVidPidCheckDir();
// <identity-check folder><name made safe for a folder name>/ (created when missing).
QString GetUserDataSubDir(const QString& printerName);
// Record file of a printer name; the folder and an empty file are created when missing.
QString GetUsbVidPidCheckIniPath(const QString& printerName);
bool CreateEmptyFile(const QString& path);
// Writes one value (creating file, section, key as needed).
void IniWriteString(const QString& file, const QString& section, const QString& key,
                    const QString& value);
