#pragma once
// A scripted printer for the text-command passes: replies by key, a log of every command
// in order, and failures on demand.
#include "mdlTextParaPass.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

class FakeTextCmd : public textpara::ITextParaCmd {
public:
    QMap<QString, QString> replies;  // key without quotes -> raw reply
    QStringList log;                 // "open", "close", "get k", "set k=v", "do k", "raw <hex>", "sleep n"
    QSet<QString> failSet;           // setval of these keys fails
    QSet<QString> failDo;            // do of these keys fails
    bool failOpen = false;
    int opens = 0;

    bool Open() override;
    void Close() override;
    QString GetVal(const QByteArray& key) override;
    bool SetVal(const QByteArray& key, const QString& value, bool lower) override;
    bool Do(const QByteArray& key) override;
    bool WriteRaw(const QByteArray& bytes) override;
    void Sleep(uint32_t ms) override;

    // Only the "set ..." entries, as "k=v".
    QStringList Sets() const;
    // Entries starting with a prefix ("do ", "raw ", ...).
    QStringList With(const QString& prefix) const;
};

// The full profile of a ZR/QX printer (raw replies).
QMap<QString, QString> FullTextProfile();
