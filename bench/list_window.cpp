// The second yardstick of the start-up benchmark: a toolkit window with what the main window
// shows at start and nothing else (no file read, no printer object): the printer list with
// its five columns and one row, the four side buttons, the two tab buttons, the function
// group with twelve captioned buttons, and the bottom buttons. The distance between it and
// the bare window is the toolkit's cost of such a window; the distance between the program
// and it is the program's own.
#include "YardstickWindow.h"

#include <QGroupBox>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TYardstickWindow w;
    auto* list = new QTreeWidget(&w);
    list->setGeometry(12, 28, 340, 150);
    list->setColumnCount(5);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    new QTreeWidgetItem(list, {QStringLiteral("TA380"), QStringLiteral("USB"), QStringLiteral("USB"), QString(), QString()});
    const int widths[] = {120, 40, 140, 140};
    for (int c = 0; c < 4; ++c)
        list->setColumnWidth(c, widths[c]);
    int y = 28;
    for (const char* text : {"Add", "Modify", "Delete", "Test connection"}) {
        auto* b = new QPushButton(QString::fromLatin1(text), &w);
        b->setGeometry(360, y, 112, 30);
        y += 38;
    }
    for (int i = 0; i < 2; ++i) {
        auto* t = new QToolButton(&w);
        t->setText(i == 0 ? QStringLiteral("Function") : QStringLiteral("Information"));
        t->setCheckable(true);
        t->setChecked(i == 0);
        t->setGeometry(14 + i * 144, 186, 140, 28);
    }
    auto* group = new QGroupBox(&w);
    group->setGeometry(12, 222, 460, 200);
    const char* captions[] = {"Printer information", "Print text",       "Print configuration",
                              "Paper sensor learn",  "Parameter setting", "Factory setting",
                              "Download file",       "Model test",        "Download font",
                              "Command test",        "Printer status",    "Advanced settings"};
    for (int i = 0; i < 12; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(captions[i]), group);
        b->setGeometry(20 + (i % 2) * 220, 16 + (i / 2) * 30, 180, 28);
    }
    for (const char* text : {"Firmware update", "Quit"}) {
        auto* b = new QPushButton(QString::fromLatin1(text), &w);
        b->setGeometry(text[0] == 'Q' ? 362 : 12, 432, 110, 30);
    }
    w.setFixedSize(484, 480);
    w.show();
    return app.exec();
}
