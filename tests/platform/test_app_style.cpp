// The application style draws Fusion group-box frames itself: the same pixels as the
// toolkit, and no image-format plug-in is loaded to draw them.
#include "PrtStyle.h"

#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QGroupBox>
#include <QImage>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct BoxCase {
    const char* name;
    QString title;
    bool checkable;
    bool flat;
};

const BoxCase kBoxes[] = {
    {"titled", QStringLiteral("Printer"), false, false},
    {"untitled", QString(), false, false},
    {"checkable", QStringLiteral("Use a proxy"), true, false},
    {"checkable untitled", QString(), true, false},
    {"flat", QStringLiteral("Flat"), false, true},
};

QImage Render(const BoxCase& c, QStyle* style)
{
    QWidget host;
    host.setStyle(style);
    auto* box = new QGroupBox(c.title, &host);
    box->setStyle(style);
    box->setCheckable(c.checkable);
    box->setFlat(c.flat);
    box->setGeometry(0, 0, 180, 90);
    host.resize(200, 110);
    QImage image(host.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    host.render(&image);
    return image;
}

bool ImagePluginLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

} // namespace

// First in this program: the font database is read on its own thread while a widget
// with text is made and drawn (no image is read by it either).
TEST(AppStyle, FontDatabaseLoadsBesideTheGuiThread)
{
    TFontDatabaseLoad load;
    QLabel label(QStringLiteral("Printer Information"));
    label.adjustSize();
    QImage image(label.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    label.render(&image);
    load.Wait();
    load.Wait();  // a second wait is harmless
    EXPECT_FALSE(QFontDatabase::families().isEmpty());
    EXPECT_GT(label.width(), 0);
}

// Nothing has drawn a group box the toolkit's way yet.
TEST(AppStyle, GroupBoxesAreDrawnWithoutLoadingImagePlugins)
{
    ASSERT_FALSE(ImagePluginLoaded());
    TPrtAppStyle style(QStyleFactory::create(QStringLiteral("fusion")));
    for (const BoxCase& c : kBoxes)
        Render(c, &style);
    EXPECT_FALSE(ImagePluginLoaded());
}

TEST(AppStyle, GroupBoxFramesMatchTheToolkitPixelForPixel)
{
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    TPrtAppStyle ours(QStyleFactory::create(QStringLiteral("fusion")));
    for (const BoxCase& c : kBoxes) {
        SCOPED_TRACE(c.name);
        const QImage expected = Render(c, fusion.get());
        const QImage actual = Render(c, &ours);
        // The frame is there at all (not a blank box on both sides).
        EXPECT_NE(expected.pixel(0, 60), qRgb(255, 255, 255));
        EXPECT_EQ(actual, expected);
    }
}

TEST(AppStyle, OtherStylesAreLeftAsTheyAre)
{
    std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("windows")));
    ASSERT_TRUE(windows);
    TPrtAppStyle ours(QStyleFactory::create(QStringLiteral("windows")));
    for (const BoxCase& c : kBoxes) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Render(c, &ours), Render(c, windows.get()));
    }
}
