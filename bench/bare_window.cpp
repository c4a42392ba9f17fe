// The yardstick of the start-up benchmark: a bare toolkit window of the main window's size,
// shown, left at the first idle moment after its first paint (reported on standard output
// as the program does).
#include "YardstickWindow.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TYardstickWindow w;
    w.resize(560, 600);
    w.show();
    return app.exec();
}
