#pragma once
// File-backed stand-in for the registry keys of the option and SysPm stores.
// A key path such as "Software\Prt\Prt_20191009\CfgSysPm\SysPm" is one file under
// prt::ConfigHomeDir(): "Registry/Software/Prt/Prt_20191009/CfgSysPm/SysPm.reg", holding
// one "name=value" line per value (UTF-8; backslash, CR, LF and "=" escaped). Path segments are
// compared case-insensitively, as registry keys are (stored in lower case on disk).
#include <QString>
#include <QStringList>

class TRegStore {
public:
    // File that holds the values of a key.
    static QString FileOfKey(const QString& keyPath);
    static bool KeyExists(const QString& keyPath);
    // Creates the key (and its parents) when missing; false when it cannot be created.
    static bool CreateKey(const QString& keyPath);
    // Value of a name; `def` when the key or the name is missing.
    static QString ReadString(const QString& keyPath, const QString& name,
                              const QString& def = QString());
    static bool ValueExists(const QString& keyPath, const QString& name);
    // Creates the key when missing and stores the value; false on a write failure.
    static bool WriteString(const QString& keyPath, const QString& name, const QString& value);
    static QStringList ValueNames(const QString& keyPath);
};
