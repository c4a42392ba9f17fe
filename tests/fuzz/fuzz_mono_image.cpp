// Picture to 1-bit bitmap on any bytes under any of the accepted extensions: it either
// refuses (with a message) or writes a 1-bit bitmap of the scaled size.
#include "FuzzSupport.h"
#include "PrtMsgBox.h"
#include "mdlPubFunc.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char arg0[] = "fuzz";
    static char* argv[] = {arg0, nullptr};
    static const bool once = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
        prt::SetMessageBoxHandler([](const prt::MsgBoxCall&) { return int(prt::IDOK_); });
        QImageReader::setAllocationLimit(64);  // megabytes: a picture claiming more is refused
        return true;
    }();
    (void)once;
    if (size < 2)
        return 0;
    static const char* const kExt[] = {".bmp", ".png", ".jpg", ".jpeg", ".gif", ".BMP"};
    const QString src = fuzz::ScratchDir() + QStringLiteral("in") + QLatin1String(kExt[data[0] % 6]);
    const QString dst = fuzz::ScratchDir() + QStringLiteral("out.bmp");
    const float scale = 0.05f + float(data[1] % 40) / 20.0f;  // 0.05 .. 2.0
    {
        QFile f(src);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(reinterpret_cast<const char*>(data + 2), qint64(size - 2));
    }
    QFile::remove(dst);
    const QImage decoded(src);
    if (!decoded.isNull() && qint64(decoded.width()) * decoded.height() > 4000000)
        return 0;  // keep each run small
    if (ConvertImageToMonoBmp(src, dst, scale)) {
        const QImage out(dst);
        FUZZ_CHECK(!out.isNull());
        FUZZ_CHECK(out.depth() == 1);
        if (!decoded.isNull()) {
            const int w = int(std::nearbyint(double(decoded.width()) * double(scale)));
            FUZZ_CHECK(std::abs(out.width() - w) <= 1);
        }
    }
    QFile::remove(src);
    return 0;
}
