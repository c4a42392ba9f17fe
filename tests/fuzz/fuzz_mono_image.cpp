// Picture to 1-bit bitmap on any bytes under any of the accepted extensions, at any
// scale from 0.05 to 2.0. Properties:
//  - the conversion either writes a 1-bit bitmap of the scaled size and shows nothing,
//    or refuses and shows exactly one message, which is not empty;
//  - the look at the file before decoding (InspectPicture, what the download window's
//    check asks) refuses only what the conversion refuses, with a reason, and a picture
//    it lets through converts unless its pixel data does not decode (or decodes to
//    another size than its head told that is beyond the limits, which the conversion
//    then refuses);
//  - the bitmap written has the scaled size of the decoded picture, which is the size the
//    look at the file scaled when the decoder made the size the head told;
//  - a size read from the head is the decoded picture's size, and the reader's own size
//    (a top-down BMP's height negative) where the reader tells one.
#include "FuzzGui.h"
#include "FuzzSupport.h"
#include "PrtMsgBox.h"
#include "PrtTexts.h"
#include "mdlPictureHead.h"
#include "mdlPubFunc.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QStringList>
#include <cmath>
#include <cstdlib>

namespace {

QStringList& Shown()
{
    static QStringList texts;
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool once = [] {
        fuzz::EnsureGuiApplication();
        QImageReader::setAllocationLimit(kPictureDecodeLimitMb);  // as the conversion decodes
        prt::SetMessageBoxHandler([](const prt::MsgBoxCall& c) {
            Shown() << c.text;
            return int(prt::IDOK_);
        });
        for (const char* key : {"_MSG_Title_Error", "_Err_FileNotExist", "_E_IC", "_E_ITW", "_E_IC_TooTall",
                                "_E_IC_TooLarge"})
            prt::SetLangText(QLatin1String(key), QLatin1String(key) + QStringLiteral(" {0} {1}"));
        return true;
    }();
    (void)once;
    if (size < 2)
        return 0;
    static const char* const kExt[] = {".bmp", ".png", ".jpg", ".jpeg", ".gif", ".BMP"};
    const QString src = fuzz::ScratchDir() + QStringLiteral("in") + QLatin1String(kExt[data[0] % 6]);
    const QString dst = fuzz::ScratchDir() + QStringLiteral("out.bmp");
    const float scale = 0.05f + float(data[1] % 40) / 20.0f;  // 0.05 .. 2.0
    const QByteArray bytes = fuzz::Bytes(data + 2, size - 2);
    {
        QFile f(src);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QFile::remove(dst);

    const TPictureSource inspected = InspectPicture(src, scale);
    if (inspected.verdict == TPictureVerdict::Ok) {
        FUZZ_CHECK(inspected.width > 0 && inspected.height > 0);
        FUZZ_CHECK(inspected.scaledWidth >= 1 && inspected.scaledWidth <= kMonoBmpMaxSide);
        FUZZ_CHECK(inspected.scaledHeight >= 1 && inspected.scaledHeight <= kMonoBmpMaxSide);
        if (qint64(inspected.width) * inspected.height > 4000000
            || qint64(inspected.scaledWidth) * inspected.scaledHeight > 16000000)
            return 0;  // keep each run small
    }
    // the head against the reader (its size, and the picture it decodes)
    QImageReader reader(src);
    reader.setAutoTransform(false);
    const bool readable = reader.canRead();
    const TPictureHead head = ReadPictureHead(bytes, readable ? reader.format() : QByteArray());
    FUZZ_CHECK(!head.sized || !head.format.isEmpty());
    const bool sameFormat = head.sized && readable && reader.format() == head.format;
    if (sameFormat && head.format != "gif") {  // a GIF reader's size may be its guess
        const QSize told = reader.size();
        if (told.isValid() || (head.format == "bmp" && told.width() > 0 && told.height() < 0))
            FUZZ_CHECK(told.width() == head.width && std::abs(qint64(told.height())) == head.height);
    }
    QImage decoded;
    if (inspected.verdict == TPictureVerdict::Ok) {
        decoded = reader.read();
        if (sameFormat && !decoded.isNull())
            FUZZ_CHECK(decoded.width() == head.width && decoded.height() == head.height);
    }

    Shown().clear();
    const bool converted = ConvertImageToMonoBmp(src, dst, scale);
    if (converted) {
        FUZZ_CHECK(Shown().isEmpty());
        const QImage out(dst);
        FUZZ_CHECK(!out.isNull());
        FUZZ_CHECK(out.depth() == 1);
        // the scaled size of what was decoded: the head's when the decoder made the size the
        // head told (a decoder chosen by the file's name may make another, which the
        // conversion holds to the same limits)
        FUZZ_CHECK(!decoded.isNull());
        int scaledWidth = 0, scaledHeight = 0;
        FUZZ_CHECK(PictureSizeVerdict(inspected.format, decoded.width(), decoded.height(), decoded.depth(), scale,
                                      scaledWidth, scaledHeight) == TPictureVerdict::Ok);
        FUZZ_CHECK(out.width() == scaledWidth && out.height() == scaledHeight);
        if (decoded.size() == QSize(inspected.width, inspected.height))
            FUZZ_CHECK(out.width() == inspected.scaledWidth && out.height() == inspected.scaledHeight);
    } else {
        FUZZ_CHECK(Shown().size() == 1);  // every refusal is told, once
        FUZZ_CHECK(!Shown().constFirst().trimmed().isEmpty());
    }
    if (inspected.verdict != TPictureVerdict::Ok)
        FUZZ_CHECK(!converted);  // what the check refuses, the conversion refuses
    else if (!converted)
        FUZZ_CHECK(decoded.isNull() || decoded.size() != QSize(inspected.width, inspected.height));
    QFile::remove(src);
    return 0;
}
