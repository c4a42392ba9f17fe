#pragma once
// The file download window's rules, apart from the window: the file chooser's filter, which
// chosen names the printer can store, which road a download takes (packets or the printer
// language written directly) and the options of a packet download, the picture checks'
// words and the number fields. The window reads its controls, these decide.
#include "mdlDLImage.h"
#include "mdlDLStored.h"
#include "mdlDLThread.h"

#include <QString>

namespace prt::dl {

// The type word of the download handshake for the file-type choice (0 image, 1 label
// template, 2 auto template).
QString DLFileTypeWord(int fileType);
// The file chooser's filter ("description|patterns"): the ZR window takes .bmp images only.
QString DLFileFilter(bool zr, bool image);
// Why the chosen file's name cannot be stored on the printer; empty when it can. Names
// must be ASCII; the full window also limits their length (17, or 19 for the direct DPL
// image road).
QString DLFileNameRefusal(const QString& fileName, bool zr, bool dplDirect);
// The direct DPL image road: a seven-model printer whose language is "dpl".
bool DLFileDplDirect(const QString& printerLanguage);
// The image size and offset fields are shown for images on the seven-model direct road
// ("tsc" or "dpl") of a direct brand.
bool DLFileShowsPlacement(const QString& printerLanguage, bool image);

// The widest picture the printer takes, in dots, by its resolution.
int PictureWidthLimit(int dpi);
// The operator's words for a picture that cannot be downloaded ("_E_IC_NotPicture",
// "_E_IC_Unreadable", "_E_IC_TooWide", "_E_IC_TooLarge", "_E_IC_TooTall", "_E_IC" for a
// picture under one dot once scaled); empty when it can.
QString PictureRefusal(const TPictureCheck& check);

// The road of a download.
enum class TDLFileRoute {
    Packet,          // the packet sender (the window's thread)
    DirectImage,     // an image in the printer's language on the eight-model road
    DirectTemplate,  // a template in TSPL on the four-model road
};
// How the stored name is made on the direct roads (TDLDirect::None otherwise).
TDLDirect DLFileDirectNaming(const TDLDialectInput& in, int fileType, bool zr);
TDLFileRoute DLFileRouteOf(const TDLDialectInput& in, int fileType, bool zr);

// The options of a packet download of storedName (its storage prefix added here) to RAM
// or flash.
TDLOptions DLFilePacketOptions(bool zr, int fileType, bool ram, const QString& typeWord,
                               const QString& storedName);

// The ZR window's print start position: no double quote and no control character.
bool IsPrintPositionText(const QString& text);
// A number field takes digits and the editing keys only (Qt key code and the key's text).
bool NumberFieldAcceptsKey(int key, const QString& text);
// A number field left empty, unreadable or negative shows 0; others stay as typed.
bool NumberFieldNeedsZero(const QString& text);

} // namespace prt::dl
