#pragma once
// The application style: the toolkit's style, except that the Fusion group-box frame is
// drawn from the toolkit's own frame image read as PNG straight away. Drawn the toolkit's
// way, the first group box on screen makes the image reader try every image-format plug-in
// (a dozen libraries loaded before the main window can show); the pixels are the same.
#include <QProxyStyle>
#include <future>
#include <thread>

class TPrtAppStyle : public QProxyStyle {
public:
    // Wraps `base` (owned), or the application's default style when null.
    explicit TPrtAppStyle(QStyle* base = nullptr);
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    bool IsFusion() const { return FFusion; }

private:
    bool FFusion = false;
};

// Sets the application style to TPrtAppStyle over the current one. Call after the
// application object exists.
void InstallPrtAppStyle();

// Reads the fonts on a thread of its own while the program starts: the system's font
// configuration at once (the object may be made before the application object), then,
// once the application object exists, the toolkit's font database and, under Fusion, the
// group-box frame image. The start spends those milliseconds on its own files and windows
// meanwhile; the first widget that needs a font waits only for what is not read yet.
// Joined by Wait() or the destructor; a load never released stops after the first step.
class TFontDatabaseLoad {
public:
    TFontDatabaseLoad();  // made after the application object: released at once
    ~TFontDatabaseLoad();
    TFontDatabaseLoad(const TFontDatabaseLoad&) = delete;
    TFontDatabaseLoad& operator=(const TFontDatabaseLoad&) = delete;
    // The application object exists and its style is set.
    void ApplicationReady();
    void Wait();

private:
    enum class TNext { Stop, Fonts, FontsAndFrame };
    void Release(TNext next);
    std::promise<TNext> FNext;
    bool FReleased = false;  // GUI thread only
    std::thread FThread;
};
