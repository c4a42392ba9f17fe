#pragma once
// The toolkit's application object for the harnesses that read pictures (the image
// readers need one), made once, headless.
#include <QGuiApplication>
#include <QtGlobal>

namespace fuzz {

inline void EnsureGuiApplication()
{
    static int argc = 1;
    static char arg0[] = "fuzz";
    static char* argv[] = {arg0, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}

} // namespace fuzz
