#pragma once
// Files stored in a TSPL printer's flash or DRAM: the listing and space queries, their
// replies, and the RUN / KILL commands of the storage manager windows.
//
//   list     "ZZZFILES F" CR LF (flash) / "ZZZFILES N" CR LF (DRAM) -> names joined by ","
//            and ended by CR
//   space    "ZZZFILESSIZE" CR LF -> 16 bytes: four u32 LE, flash pair at 0, DRAM pair at 8
//   print    RUN "NAME" CR LF
//   delete   KILL "NAME" / KILL F,"NAME" (flash) CR LF; all: NAME = *
#include "mdlDLStored.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace prt::dl {

enum class TTsplStorage { Flash = 0, Dram = 1 };  // the manager's storage choice index

QByteArray TsplListCommand(TTsplStorage storage);
QByteArray TsplSpaceCommand();
// print: TsplRunCommand (mdlDLStored.h)
QByteArray TsplKillCommand(TTsplStorage storage, const QString& name);
QByteArray TsplKillAllCommand(TTsplStorage storage);
QByteArray TsplKillBothCommand();
// The DOWNLOAD prefix of the download window: "DOWNLOAD " (DRAM) or "DOWNLOAD F," (flash).
QByteArray TsplDownloadPrefix(bool dram);

// The names of a list reply: nothing for a reply of one byte or none; otherwise the text up
// to the first byte <= 0x20, split at "," (a trailing "," gives an empty last entry).
QStringList ParseTsplFileList(const QByteArray& reply);

struct TTsplSpace {
    bool ok = false;      // exactly 16 bytes came
    uint32_t first = 0;   // shown as "{1}"
    uint32_t second = 0;  // shown as "{0}"
};
TTsplSpace ParseTsplSpace(const QByteArray& reply, TTsplStorage storage);
// The space template with "{0}" := second / 1024 and "{1}" := first / 1024 (whole KB).
QString TsplSpaceText(const QString& spaceTemplate, const TTsplSpace& space);

} // namespace prt::dl
