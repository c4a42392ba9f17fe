#include "PrtStyle.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <QStyleOption>
#include <qdrawutil.h>

namespace {

// The frame image Fusion draws group boxes with, read as PNG with no format detection
// (which would load every image plug-in to ask whether it knows the file). Null when the
// toolkit does not carry it; the toolkit's own drawing is used then.
const QPixmap& FusionGroupBoxFrame()
{
    static const QPixmap pixmap = [] {
        QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"),
                            QByteArrayLiteral("png"));
        reader.setAutoDetectImageFormat(false);
        return QPixmap::fromImage(reader.read());
    }();
    return pixmap;
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

TFontDatabaseLoad::TFontDatabaseLoad() : FThread([] { (void)QFontDatabase::families(); })
{
}

TFontDatabaseLoad::~TFontDatabaseLoad()
{
    Wait();
}

void TFontDatabaseLoad::Wait()
{
    if (FThread.joinable())
        FThread.join();
}
