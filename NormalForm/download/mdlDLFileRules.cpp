#include "mdlDLFileRules.h"

#include "PrinterCMD.h"
#include "PubBytes.h"
#include "mdlDLCommon.h"
#include "mdlDLPacket.h"
#include "mdlGlobalVar.h"
#include "mdlPubFunc.h"

#include <algorithm>

namespace prt::dl {

QString DLFileTypeWord(int fileType)
{
    return fileType == 0 ? QStringLiteral("bitmaps")
           : fileType == 1 ? QStringLiteral("labels")
                           : QStringLiteral("autoform");
}

QString DLFileFilter(bool zr, bool image)
{
    if (!image)
        return QStringLiteral("*.prn|*.prn");
    return zr ? QStringLiteral("*.bmp|*.bmp")
              : QStringLiteral("*.bmp;*.jpg;*.jpeg;*.gif;*.png|*.bmp;*.jpg;*.jpeg;*.gif;*.png");
}

QString DLFileNameRefusal(const QString& fileName, bool zr, bool dplDirect)
{
    QString message;
    CheckAsciiFileName(fileName, message);
    if (!message.isEmpty() || zr)
        return message;
    if (dplDirect && fileName.size() > 19)
        return ReplaceFirst(DLText("_Error_1102"), "17", "16");
    if (!dplDirect && fileName.size() > 17)
        return DLText("_Error_1102");
    return QString();
}

bool DLFileDplDirect(const QString& printerLanguage)
{
    return IsCurModelInList(DLDirectModels7()) && printerLanguage == QLatin1String("dpl");
}

bool DLFileShowsPlacement(const QString& printerLanguage, bool image)
{
    return IsCurModelInList(DLDirectModels7()) && IsDirectBrand(DLOemCo())
           && (printerLanguage == QLatin1String("tsc") || printerLanguage == QLatin1String("dpl")) && image;
}

int PictureWidthLimit(int dpi)
{
    return dpi == 300 ? 1248 : 864;
}

QString PictureRefusal(const TPictureCheck& c)
{
    switch (c.verdict) {
    case TPictureVerdict::Ok: break;
    case TPictureVerdict::NotPicture: return DLText("_E_IC_NotPicture");
    case TPictureVerdict::Unreadable: return DLText("_E_IC_Unreadable");
    case TPictureVerdict::TooWide:
        return ReplaceFirst(ReplaceFirst(DLText("_E_IC_TooWide"), "{0}", QString::number(c.scaledWidth)), "{1}",
                            QString::number(c.widthLimit));
    case TPictureVerdict::TooLarge:
    case TPictureVerdict::TooTall:
        return PictureSizeRefusalText(c.verdict, c.width, c.height, c.scaledHeight);
    case TPictureVerdict::TooSmall: return DLText("_E_IC");
    }
    return QString();
}

TDLDirect DLFileDirectNaming(const TDLDialectInput& in, int fileType, bool zr)
{
    if (zr || !IsDirectLanguageModel(in))
        return TDLDirect::None;
    if (in.ppl == QLatin1String("tsc"))
        return TDLDirect::Tspl;
    if (fileType == 0 && in.ppl == QLatin1String("dpl"))
        return TDLDirect::Dpl;
    return TDLDirect::None;
}

TDLFileRoute DLFileRouteOf(const TDLDialectInput& in, int fileType, bool zr)
{
    if (zr)
        return TDLFileRoute::Packet;
    const QString& ppl = in.ppl;
    if (fileType == 0 && IsInCommaList(in.model, DLDirectModels8()) && IsDirectBrand(in.oemCo)
        && (ppl == QLatin1String("zpl") || ppl == QLatin1String("dpl") || ppl == QLatin1String("tsc")))
        return TDLFileRoute::DirectImage;
    if (fileType != 0 && IsInCommaList(in.model, DLDirectModels4()) && ppl == QLatin1String("tsc"))
        return TDLFileRoute::DirectTemplate;
    return TDLFileRoute::Packet;
}

TDLOptions DLFilePacketOptions(bool zr, int fileType, bool ram, const QString& typeWord, const QString& storedName)
{
    TDLOptions o;
    o.handshake = BuildDownloadHandshake(typeWord, StoragePrefix(ram) + storedName);
    if (zr || fileType == 0) {
        o.listKey = KEY_bitmaps;
    } else if (fileType == 1) {
        o.listKey = KEY_labels;
        o.drainAfterList = true;
    } else {
        o.listKey = KEY_autoform;
    }
    o.usedKey = ram ? KEY_use_capacity_ram : KEY_use_capacity;
    o.remainKey = ram ? KEY_remain_capacity_ram : KEY_remain_capacity;
    return o;
}

bool IsPrintPositionText(const QString& text)
{
    return !text.contains(QLatin1Char('"'))
           && std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 32; });
}

bool NumberFieldAcceptsKey(int key, const QString& text)
{
    const bool editing = key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Return
                         || key == Qt::Key_Enter || key == Qt::Key_Left || key == Qt::Key_Right
                         || key == Qt::Key_Tab || key == Qt::Key_Home || key == Qt::Key_End;
    return editing || (text.size() == 1 && text.at(0).isDigit() && text.at(0).unicode() < 128);
}

bool NumberFieldNeedsZero(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    return t.isEmpty() || !ok || v < 0;
}

} // namespace prt::dl
