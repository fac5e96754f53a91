#include "Palette.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

struct Entry {
    char key;
    int r;
    int g;
    int b;
};

// Kept small on purpose: 31 colours shared by terrain, portraits and icons.
constexpr std::array<Entry, 31> Entries = {{
    {'k', 20, 18, 28},  // outline
    {'w', 240, 240, 232},  // white (never pure white: that is the sheet digits')
    {'L', 188, 188, 200},  // light grey
    {'m', 128, 128, 144},  // grey
    {'d', 76, 76, 92},  // dark grey
    {'B', 20, 40, 116},  // deep sea
    {'u', 40, 88, 192},  // sea
    {'c', 100, 156, 236},  // wave crest
    {'h', 72, 160, 224},  // shallow water
    {'q', 168, 220, 248},  // foam
    {'i', 200, 232, 248},  // ice
    {'F', 12, 60, 36},  // forest shadow
    {'G', 28, 112, 44},  // dark green
    {'g', 64, 160, 56},  // green
    {'l', 140, 208, 76},  // light green
    {'v', 124, 132, 52},  // olive
    {'y', 248, 216, 64},  // yellow
    {'o', 232, 124, 32},  // orange
    {'r', 200, 44, 36},  // red
    {'R', 116, 24, 28},  // dark red
    {'b', 92, 52, 24},  // dark brown
    {'n', 152, 96, 44},  // brown
    {'t', 204, 152, 88},  // tan
    {'s', 240, 220, 152},  // sand
    {'S', 212, 172, 96},  // sand shade
    {'p', 140, 64, 168},  // purple
    {'P', 72, 28, 100},  // dark purple
    {'e', 244, 188, 144},  // skin
    {'E', 196, 124, 92},  // skin shade
    {'x', 232, 112, 176},  // pink
    {'z', 52, 60, 96},  // portrait backdrop
}};

}  // namespace

namespace Palette {

int index(char key)
{
    for (std::size_t i = 0; i < Entries.size(); ++i) {
        if (Entries[i].key == key) {
            return static_cast<int>(i);
        }
    }
    std::fprintf(stderr, "make-art: unknown colour key '%c'\n", key);
    std::abort();
}

QRgb rgb(char key)
{
    const Entry& e = Entries[static_cast<std::size_t>(index(key))];
    return qRgb(e.r, e.g, e.b);
}

QVector<QRgb> table()
{
    QVector<QRgb> t;
    for (const Entry& e : Entries) {
        t.append(qRgb(e.r, e.g, e.b));
    }
    return t;
}

}  // namespace Palette
