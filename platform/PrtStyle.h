#pragma once
// The application style: the toolkit's style, except that the Fusion group-box frame is
// drawn from the toolkit's own frame image read as PNG straight away. Drawn the toolkit's
// way, the first group box on screen makes the image reader try every image-format plug-in
// (a dozen libraries loaded before the main window can show); the pixels are the same.
#include <QProxyStyle>

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
