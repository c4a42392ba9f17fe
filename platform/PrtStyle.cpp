#include "PrtStyle.h"

#include <QApplication>
#include <QGuiApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <QStyleOption>
#include <qdrawutil.h>

#include <dlfcn.h>

namespace {

// The frame image Fusion draws group boxes with, read as PNG with no format detection
// (which would load every image plug-in to ask whether it knows the file). Null when the
// toolkit does not carry it; the toolkit's own drawing is used then. Read once, by the
// first caller of any thread (the font thread reads it ahead during the start).
const QImage& FusionGroupBoxFrameImage()
{
    static const QImage image = [] {
        QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"),
                            QByteArrayLiteral("png"));
        reader.setAutoDetectImageFormat(false);
        return reader.read();
    }();
    return image;
}

// The frame as a pixmap, made on the GUI thread.
const QPixmap& FusionGroupBoxFrame()
{
    static const QPixmap pixmap = QPixmap::fromImage(FusionGroupBoxFrameImage());
    return pixmap;
}

bool IsFusionAppStyle()
{
    const auto* style = dynamic_cast<const TPrtAppStyle*>(QApplication::style());
    return style && style->IsFusion();
}

// The system's font configuration (files, caches and the font list) through the font
// library the toolkit is linked with. Found among the loaded libraries, not linked by us;
// without it the toolkit reads the configuration itself later.
void ReadSystemFontConfiguration()
{
    using TInit = int (*)();
    if (auto init = reinterpret_cast<TInit>(dlsym(RTLD_DEFAULT, "FcInit")))
        init();
}

constexpr int kGroupBoxTopMargin = 3;  // Fusion's space above the frame line

} // namespace

TPrtAppStyle::TPrtAppStyle(QStyle* base) : QProxyStyle(base)
{
    FFusion = baseStyle() && baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
}

void TPrtAppStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const
{
    if (element == PE_FrameGroupBox && FFusion && option) {
        const QPixmap& frame = FusionGroupBoxFrame();
        if (!frame.isNull()) {
            // The frame starts below the title line, or just below the top without a title.
            const auto* box = qobject_cast<const QGroupBox*>(widget);
            const int top = box && !box->isCheckable() && box->title().isEmpty()
                                ? kGroupBoxTopMargin
                                : qMax(pixelMetric(PM_ExclusiveIndicatorHeight),
                                       option->fontMetrics.height())
                                      + kGroupBoxTopMargin;
            qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6), frame);
            return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void InstallPrtAppStyle()
{
    if (dynamic_cast<TPrtAppStyle*>(QApplication::style()))
        return;
    // Over the style in use (a -style argument included), by a fresh instance of it.
    QStyle* base = QStyleFactory::create(QApplication::style()->name());
    QApplication::setStyle(new TPrtAppStyle(base));
}

TFontDatabaseLoad::TFontDatabaseLoad()
{
    std::future<TNext> next = FNext.get_future();
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        ApplicationReady();
    FThread = std::thread([next = std::move(next)]() mutable {
        ReadSystemFontConfiguration();
        const TNext then = next.get();
        if (then == TNext::Stop)
            return;
        (void)QFontDatabase::families();
        // The default font's first match: the fallback families found on the way are kept
        // for every thread, so the first widget with text skips that search.
        (void)QFontMetrics(QGuiApplication::font()).height();
        if (then == TNext::FontsAndFrame)
            (void)FusionGroupBoxFrameImage();
    });
}

TFontDatabaseLoad::~TFontDatabaseLoad()
{
    Release(TNext::Stop);
    Wait();
}

void TFontDatabaseLoad::ApplicationReady()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        Release(TNext::Stop);
    else
        Release(IsFusionAppStyle() ? TNext::FontsAndFrame : TNext::Fonts);
}

void TFontDatabaseLoad::Release(TNext next)
{
    if (!FReleased) {
        FReleased = true;
        FNext.set_value(next);
    }
}

void TFontDatabaseLoad::Wait()
{
    Release(TNext::Stop);
    if (FThread.joinable())
        FThread.join();
}
