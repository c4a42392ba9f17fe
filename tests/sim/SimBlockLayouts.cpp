#include "SimBlockLayouts.h"

#include "SimPrinter.h"
#include "SimProto.h"

#include <vector>

namespace prt::sim {

namespace {

std::vector<SimByte> Text(int at, int width, const QByteArray& text)
{
    std::vector<SimByte> bytes;
    for (int i = 0; i < width; ++i)
        bytes.push_back({at + i, static_cast<uint8_t>(i < text.size() ? text.at(i) : 0)});
    return bytes;
}

std::vector<SimByte> operator+(std::vector<SimByte> a, const std::vector<SimByte>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

QByteArray SimSealBlock(QByteArray block)
{
    block.resize(256);
    return SimMakeBlock(block.mid(1, 253));
}

QByteArray SimLayoutBBlock(bool bluetooth)
{
    std::vector<SimByte> b = {{8, 12}, {12, 5}, {14, 30},             // print-to-stop, H and V start
            {52, 2},                                // baud 38400
            {57, 3},                                // density
            {58, 19},                               // code page PC858
            {60, 1},                                // detect mode
            {68, 2}, {69, 1},                       // buzzer, backlight
            {76, 1}, {78, 3}, {79, 1}, {80, 0}, {81, 1},
            {82, 30},                               // stop print, minutes
            {84, 0xF6}, {85, 0xFF}};                // heat -10
    if (bluetooth)
        b = b + Text(215, 16, "SIMV64") + Text(231, 4, "1234") + std::vector<SimByte>{{236, 1}};
    return SimMakeFilledBlock(b);
}

QByteArray SimLayoutCBlock()
{
    return SimMakeFilledBlock({{4, 1},                                 // baud 19200
            {34, 5}, {55, 19}, {56, 3},             // density, code page, U.K.
            {58, 1}, {59, 1},                       // label paper
            {61, 1},                                // TSC protocol
            {62, 0xD9}, {63, 0x04},                 // 1241 raw, "1" volt
            {64, 0x40}, {65, 0x01},                 // min label 40 mm
            {66, 50},                               // valley rate
            {68, 0x20}, {69, 0x03},                 // mark max 100 mm
            {70, 0x40}, {71, 0x06},                 // label max 200 mm
            {82, 1},
            {90, 0x0A}, {91, 0x00},                 // heat 10
            {92, 3}});                              // speed 3
}

QByteArray SimLayoutDBlock()
{
    return SimMakeFilledBlock({{34, 2}, {55, 19},
            {58, 0}, {59, 2},                       // continuous paper
            {70, 0x60}, {71, 0x09},                 // label max 300 mm
            {76, 1}, {83, 1},
            {84, 0},                                // static address
            {88, 10}, {89, 0}, {90, 0}, {91, 5},
            {92, 255}, {93, 255}, {94, 255}, {95, 0},
            {96, 10}, {97, 0}, {98, 0}, {99, 1},
            {100, 1}, {101, 0}, {104, 15},
            {126, 3},                               // speed 3
            {128, 0xFB}, {129, 0xFF}});             // heat -5
}

QByteArray SimLayoutEBlock()
{
    return SimMakeFilledBlock(Text(10, 16, "J27SIM") + Text(20, 4, "4321") +
                              std::vector<SimByte>{{34, 8}, {55, 19}, {56, 2},
                                                   {58, 1}, {61, 1}, {67, 1}, {82, 0},
                                                   {90, 0xCE}, {91, 0xFF},   // heat -50
                                                   {92, 4}});                // speed 4
}


} // namespace prt::sim
