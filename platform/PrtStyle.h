#pragma once
// The application style: the toolkit's style, except that the Fusion group-box frame is
// drawn from the toolkit's own frame image read as PNG straight away. Drawn the toolkit's
// way, the first group box on screen makes the image reader try every image-format plug-in
// (a dozen libraries loaded before the main window can show); the pixels are the same.
#include <QProxyStyle>
#include <thread>

class TPrtAppStyle : public QProxyStyle {
public:
    // Wraps `base` (owned), or the application's default style when null.
    explicit TPrtAppStyle(QStyle* base = nullptr);
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

private:
    bool FFusion = false;
};

// Sets the application style to TPrtAppStyle over the current one. Call after the
// application object exists.
void InstallPrtAppStyle();

// Reads the toolkit's font database on a thread of its own: the font configuration files
// and caches take milliseconds the start spends on its own files meanwhile. The first
// widget that needs a font waits for the database only if it is not ready yet. Joined by
// Wait() or the destructor. Start it after the application object exists.
class TFontDatabaseLoad {
public:
    TFontDatabaseLoad();
    ~TFontDatabaseLoad();
    TFontDatabaseLoad(const TFontDatabaseLoad&) = delete;
    TFontDatabaseLoad& operator=(const TFontDatabaseLoad&) = delete;
    void Wait();

private:
    std::thread FThread;
};
