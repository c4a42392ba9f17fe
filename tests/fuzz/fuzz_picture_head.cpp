// The size a picture file's head states, on any bytes. Properties:
//  - a head is only sized under a known signature;
//  - a head read from the first n bytes is the whole file's (more bytes never change a
//    size found, and a size found stays found);
//  - where the toolkit's reader of the same format tells a size, it is the head's (a
//    top-down BMP's height comes negative from the reader); for a GIF, whose reader's
//    size may be a guess, the decoded first frame's size when it decodes.
#include "FuzzGui.h"
#include "FuzzSupport.h"
#include "mdlPictureHead.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool once = [] {
        fuzz::EnsureGuiApplication();
        QImageReader::setAllocationLimit(16);  // megabytes: only small pictures are decoded
        return true;
    }();
    (void)once;
    if (size < 1)
        return 0;
    // the first byte picks where the head is cut for the prefix property
    const QByteArray bytes = fuzz::Bytes(data + 1, size - 1);
    const TPictureHead head = ReadPictureHead(bytes);
    FUZZ_CHECK(!head.sized || !head.format.isEmpty());
    const qsizetype cut = bytes.isEmpty() ? 0 : qsizetype(data[0]) * bytes.size() / 255;
    const TPictureHead part = ReadPictureHead(bytes.left(cut));
    FUZZ_CHECK(part.format.isEmpty() || part.format == head.format);
    if (part.sized)
        FUZZ_CHECK(head.sized && part.width == head.width && part.height == head.height);
    if (!head.sized)
        return 0;

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    if (!reader.canRead() || reader.format() != head.format)
        return 0;
    if (head.format == "gif") {
        if (head.width * head.height > 1000000)
            return 0;
        const QImage first = reader.read();
        if (!first.isNull())
            FUZZ_CHECK(first.width() == head.width && first.height() == head.height);
        return 0;
    }
    const QSize told = reader.size();
    if (told.width() > 0 && told.height() != 0)
        FUZZ_CHECK(told.width() == head.width && std::abs(qint64(told.height())) == head.height);
    return 0;
}
