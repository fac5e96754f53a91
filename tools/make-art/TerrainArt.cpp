#include "TerrainArt.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

using Canvas = PixelCanvas;

struct Pt {
    int x;
    int y;
};

// Fixed integer hash: the same pixel always gets the same "random" value.
std::uint32_t noise(int x, int y, int seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393U + static_cast<std::uint32_t>(y) * 668265263U +
                      static_cast<std::uint32_t>(seed) * 2246822519U;
    h = (h ^ (h >> 13)) * 1274126177U;
    return h ^ (h >> 16);
}

Canvas blank(char key = 'g')
{
    return Canvas(16, 16, key);
}

// ---------------------------------------------------------------- textures

void wave(Canvas& c, Pt p, char crest)
{
    c.setWrapped(p.x, p.y + 1, crest);
    c.setWrapped(p.x + 1, p.y, crest);
    c.setWrapped(p.x + 2, p.y, crest);
    c.setWrapped(p.x + 3, p.y + 1, crest);
}

void ocean(Canvas& c)
{
    c.fill('u');
    for (Pt p : std::array<Pt, 5>{{{1, 3}, {9, 1}, {6, 8}, {12, 11}, {2, 13}}}) {
        wave(c, p, 'c');
    }
}

void deepOcean(Canvas& c)
{
    c.fill('B');
    for (Pt p : std::array<Pt, 3>{{{3, 4}, {11, 8}, {4, 12}}}) {
        wave(c, p, 'u');
    }
}

void shallow(Canvas& c)
{
    c.fill('h');
    for (Pt p : std::array<Pt, 4>{{{2, 2}, {10, 5}, {5, 10}, {12, 13}}}) {
        wave(c, p, 'q');
    }
    for (Pt p : std::array<Pt, 4>{{{8, 1}, {14, 8}, {1, 7}, {3, 14}}}) {
        c.set(p.x, p.y, 'c');
    }
}

void tuft(Canvas& c, Pt p, char key)
{
    c.setWrapped(p.x, p.y, key);
    c.setWrapped(p.x + 2, p.y, key);
    c.setWrapped(p.x + 1, p.y + 1, key);
}

void grass(Canvas& c)
{
    c.fill('g');
    for (Pt p : std::array<Pt, 7>{{{2, 2}, {10, 1}, {6, 6}, {13, 7}, {1, 10}, {9, 12}, {4, 14}}}) {
        tuft(c, p, 'G');
    }
    for (Pt p : std::array<Pt, 5>{{{6, 1}, {14, 3}, {3, 6}, {11, 10}, {14, 14}}}) {
        c.set(p.x, p.y, 'l');
    }
}

// Speckles of key over roughly 1 in every `rarity` pixels.
void speckle(Canvas& c, char key, int rarity, int seed)
{
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (noise(x, y, seed) % static_cast<std::uint32_t>(rarity) == 0) {
                c.set(x, y, key);
            }
        }
    }
}

// ------------------------------------------------------------------ shores

// Which sides of a water cell carry land.
struct Shore {
    bool north = false;
    bool south = false;
    bool west = false;
    bool east = false;
    bool cornerNW = false;
    bool cornerNE = false;
    bool cornerSW = false;
    bool cornerSE = false;
};

// How far land reaches into the cell, along the edge. Both ends are 5 so
// every shore piece meets its neighbours at the same depth.
int shoreDepth(int t)
{
    static constexpr std::array<int, 16> Depth = {5, 5, 5, 6, 6, 6, 5, 5, 5, 5, 4, 4, 5, 5, 5, 5};
    return Depth[static_cast<std::size_t>(((t % 16) + 16) % 16)];
}

bool cornerBlob(int x, int y, double cx, double cy)
{
    const double dx = x + 0.5 - cx;
    const double dy = y + 0.5 - cy;
    return dx * dx + dy * dy <= 5.5 * 5.5;
}

bool isLand(const Shore& s, int x, int y)
{
    const int rx = 15 - x;
    const int ry = 15 - y;
    if ((s.north && y < shoreDepth(x)) || (s.south && ry < shoreDepth(x)) || (s.west && x < shoreDepth(y)) ||
        (s.east && rx < shoreDepth(y))) {
        return true;
    }
    // Rounded inner corners where two shores meet.
    if ((s.north && s.west && x + y < 12) || (s.north && s.east && rx + y < 12) || (s.south && s.west && x + ry < 12) ||
        (s.south && s.east && rx + ry < 12)) {
        return true;
    }
    return (s.cornerNW && cornerBlob(x, y, 0, 0)) || (s.cornerNE && cornerBlob(x, y, 16, 0)) ||
           (s.cornerSW && cornerBlob(x, y, 0, 16)) || (s.cornerSE && cornerBlob(x, y, 16, 16));
}

// Water cell with land: the land is grass (matching the grass tile pixel for
// pixel) edged with sand, the water is the ocean tile edged with foam.
Canvas coast(const std::function<bool(int, int)>& land)
{
    Canvas grassTile = blank();
    grass(grassTile);
    Canvas sea = blank();
    ocean(sea);
    Canvas c = blank();
    auto near = [&](int x, int y, int r, bool wantLand) {
        for (int dy = -r; dy <= r; ++dy) {
            for (int dx = -r; dx <= r; ++dx) {
                if (land(x + dx, y + dy) == wantLand) {
                    return true;
                }
            }
        }
        return false;
    };
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (land(x, y)) {
                if (near(x, y, 1, false)) {
                    c.set(x, y, 's');
                } else if (near(x, y, 2, false)) {
                    c.set(x, y, (x + y) % 3 == 0 ? 'S' : 's');
                } else {
                    c.set(x, y, grassTile.at(x, y));
                }
            } else {
                const bool touches = land(x - 1, y) || land(x + 1, y) || land(x, y - 1) || land(x, y + 1);
                if (touches) {
                    c.set(x, y, 'q');
                } else if (near(x, y, 1, true)) {
                    c.set(x, y, 'h');
                } else {
                    c.set(x, y, sea.at(x, y));
                }
            }
        }
    }
    return c;
}

Canvas coast(const Shore& s)
{
    return coast([s](int x, int y) { return isLand(s, x, y); });
}

// ----------------------------------------------------------------- sprites

void tree(Canvas& c, int x, int y, bool wrap = false, bool dark = false)
{
    c.stamp(x, y,
            {
                "..kkk..",
                ".kllgk.",
                "klgggGk",
                "kggggGk",
                "kgggGGk",
                ".kGGGk.",
                "..kbk..",
                "...k...",
            },
            wrap, dark ? "lgG" : "", dark ? "gGF" : "");
}

void pine(Canvas& c, int x, int y, bool wrap = false)
{
    c.stamp(x, y,
            {
                "...k...",
                "..klk..",
                ".klgGk.",
                "..kgk..",
                ".klgGk.",
                "klggGGk",
                ".kgGGk.",
                "klggGGk",
                "kkkbkkk",
                "...k...",
            },
            wrap);
}

void bush(Canvas& c, int x, int y)
{
    c.stamp(x, y,
            {
                ".kkk.",
                "klgGk",
                "kgGGk",
                ".kkk.",
            });
}

void palm(Canvas& c, int x, int y)
{
    c.stamp(x, y,
            {
                "...kkkk...",
                ".kkllggkk.",
                "kllkllgGGk",
                "klk.kbk.Gk",
                "kk..knk..k",
                "....knk...",
                "...knk....",
                "...knk....",
                "...knk....",
                "..knnnk...",
            });
}

void house(Canvas& c, int x, int y, std::string_view roof = "rR")
{
    c.stamp(x, y,
            {
                "..kkk..",
                ".krrrk.",
                "krrrrRk",
                "kkkkkkk",
                ".kwbLk.",
                ".kLbLk.",
                ".kkkkk.",
            },
            false, "rR", roof);
}

void gravestone(Canvas& c, int x, int y)
{
    c.stamp(x, y,
            {
                ".kk.",
                "kLmk",
                "kLdk",
                "kLmk",
                "kkkk",
            });
}

void graveCross(Canvas& c, int x, int y)
{
    c.stamp(x, y,
            {
                ".k.",
                "kLk",
                "LLm",
                "kLk",
                "kmk",
            });
}

void menhir(Canvas& c, int x, int y, int h)
{
    c.hline(x + 1, x + 2, y, 'k');
    for (int i = 1; i < h; ++i) {
        c.set(x, y + i, 'k');
        c.set(x + 1, y + i, i == 1 ? 'L' : 'L');
        c.set(x + 2, y + i, 'm');
        c.set(x + 3, y + i, 'k');
    }
    c.set(x + 2, y + h / 2, 'd');
    c.hline(x, x + 3, y + h, 'k');
    c.set(x + 4, y + h, 'G');
    c.set(x + 4, y + h - 1, 'G');
}

// A peak with its apex at (ax, ay) and its base on row by.
void mountain(Canvas& c, int ax, int ay, int by, double slope, int snowRows, std::string_view colours = "Lmd")
{
    auto inside = [&](int x, int y) {
        if (y < ay || y > by) {
            return false;
        }
        return std::abs(x - ax) <= (y - ay) * slope + 0.5;
    };
    for (int y = ay; y <= by; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (!inside(x, y)) {
                continue;
            }
            const int dx = x - ax;
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || y == by;
            const int snowLine = ay + snowRows + ((x + ay) % 3 == 0 ? 1 : 0);
            char key;
            if (edge) {
                key = 'k';
            } else if (y < snowLine) {
                key = dx <= 0 ? 'w' : 'i';
            } else if (dx < 0) {
                key = colours[0];
                // Crevices running down the lit face.
                if ((y - ay + dx * 2) % 5 == 0 && y > ay + 3 && dx < -1) {
                    key = colours[1];
                }
            } else if (dx == 0) {
                key = colours[1];
            } else {
                key = colours[1];
                if (!inside(x + 2, y) || (y - ay - dx) % 4 == 0) {
                    key = colours[2];
                }
            }
            c.set(x, y, key);
        }
    }
}

// Dirt road bands: across (rows 6-9), down (columns 6-9) or both.
void road(Canvas& c, bool across, bool down)
{
    auto inRoad = [&](int x, int y) { return (across && y >= 6 && y <= 9) || (down && x >= 6 && x <= 9); };
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (inRoad(x, y)) {
                c.set(x, y, noise(x, y, 41) % 11 == 0 ? 'n' : 't');
            } else if (inRoad(x - 1, y) || inRoad(x + 1, y) || inRoad(x, y - 1) || inRoad(x, y + 1) ||
                       inRoad(x - 1, y - 1) || inRoad(x + 1, y + 1) || inRoad(x - 1, y + 1) || inRoad(x + 1, y - 1)) {
                c.set(x, y, (x * 3 + y * 5) % 7 == 2 ? 'g' : 'S');
            }
        }
    }
}

void horizontalRiver(Canvas& c)
{
    for (int x = 0; x < 16; ++x) {
        c.set(x, 4, 'G');
        for (int y = 5; y <= 10; ++y) {
            c.set(x, y, 'u');
        }
        c.set(x, 5, 'q');
        c.set(x, 10, 'h');
        c.set(x, 11, 'G');
    }
    for (Pt p : std::array<Pt, 3>{{{1, 7}, {8, 8}, {12, 6}}}) {
        c.hline(p.x, p.x + 2, p.y, 'c');
    }
}

void verticalRiver(Canvas& c)
{
    for (int y = 0; y < 16; ++y) {
        c.set(4, y, 'G');
        for (int x = 5; x <= 10; ++x) {
            c.set(x, y, 'u');
        }
        c.set(5, y, 'q');
        c.set(10, y, 'h');
        c.set(11, y, 'G');
    }
    for (Pt p : std::array<Pt, 3>{{{7, 1}, {8, 8}, {6, 12}}}) {
        c.vline(p.x, p.y, p.y + 2, 'c');
    }
}

// ------------------------------------------------------------------- tiles

Canvas grassTile()
{
    Canvas c = blank();
    grass(c);
    return c;
}

Canvas oceanTile()
{
    Canvas c = blank();
    ocean(c);
    return c;
}

Canvas makeTile(int index)
{
    switch (index) {
    case 0: {
        Canvas c = blank();
        deepOcean(c);
        return c;
    }
    case 1: return oceanTile();
    case 2: {
        Canvas c = blank();
        shallow(c);
        return c;
    }
    case 3: return coast(Shore{.north = true});
    case 4: return coast(Shore{.south = true});
    case 5: return coast(Shore{.west = true});
    case 6: return coast(Shore{.east = true});
    case 7: return coast(Shore{.north = true, .west = true});
    case 8: return coast(Shore{.north = true, .east = true});
    case 9: return coast(Shore{.south = true, .west = true});
    case 10: return coast(Shore{.south = true, .east = true});
    case 11: return coast(Shore{.cornerNW = true});
    case 12: return coast(Shore{.cornerNE = true});
    case 13: return coast(Shore{.cornerSW = true});
    case 14: return coast(Shore{.cornerSE = true});
    case 15:
        return coast([](int x, int y) {
            const double dx = (x + 0.5 - 8.0) / 5.5;
            const double dy = (y + 0.5 - 8.5) / 5.0;
            return dx * dx + dy * dy > 1.0;
        });
    case 16: return grassTile();
    case 17: {
        Canvas c = grassTile();
        for (Pt p : std::array<Pt, 5>{{{8, 2}, {12, 6}, {3, 11}, {9, 10}, {13, 13}}}) {
            const char petal = (p.x + p.y) % 2 == 0 ? 'x' : 'w';
            c.set(p.x, p.y - 1, petal);
            c.set(p.x - 1, p.y, petal);
            c.set(p.x + 1, p.y, petal);
            c.set(p.x, p.y + 1, petal);
            c.set(p.x, p.y, 'y');
        }
        c.set(2, 4, 'y');
        c.set(6, 14, 'x');
        c.set(15, 9, 'y');
        return c;
    }
    case 18: {
        Canvas c = blank('l');
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (noise(x, y, 18) % 9 == 0) {
                    c.setWrapped(x, y, 'g');
                    c.setWrapped(x, y + 1, 'g');
                    c.setWrapped(x + 1, y + 1, 'G');
                }
            }
        }
        for (Pt p : std::array<Pt, 6>{{{2, 2}, {9, 4}, {13, 9}, {5, 12}, {11, 14}, {4, 7}}}) {
            c.setWrapped(p.x, p.y, 'y');
        }
        return c;
    }
    case 19: {
        Canvas c = blank('v');
        speckle(c, 't', 7, 19);
        speckle(c, 'l', 11, 190);
        bush(c, 7, 1);
        bush(c, 1, 9);
        bush(c, 10, 10);
        c.set(13, 5, 'G');
        c.set(5, 6, 'G');
        return c;
    }
    case 20: {
        Canvas c = grassTile();
        tree(c, 1, 0);
        tree(c, 8, 6);
        return c;
    }
    case 21: {
        Canvas c = blank('F');
        for (Pt p : std::array<Pt, 4>{{{0, 0}, {8, 0}, {4, 8}, {12, 8}}}) {
            tree(c, p.x, p.y - 1, true, true);
        }
        for (Pt p : std::array<Pt, 4>{{{4, 3}, {12, 3}, {0, 11}, {8, 11}}}) {
            tree(c, p.x, p.y - 1, true, false);
        }
        return c;
    }
    case 22: {
        Canvas c = grassTile();
        pine(c, 0, 0);
        pine(c, 8, 2);
        pine(c, 3, 7);
        return c;
    }
    case 23: {
        // Palm crowns seen from above, leaves fanning out from a dark heart.
        Canvas c = blank('F');
        speckle(c, 'G', 3, 23);
        auto crown = [&](int cx, int cy) {
            static constexpr std::array<Pt, 8> Dirs = {
                {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}}};
            for (Pt d : Dirs) {
                const int reach = (d.x != 0 && d.y != 0) ? 3 : 4;
                for (int i = 1; i <= reach; ++i) {
                    const char key = i <= 2 ? 'l' : 'g';
                    c.setWrapped(cx + d.x * i, cy + d.y * i, key);
                    // Leaf width: a darker edge on the side away from the light.
                    c.setWrapped(cx + d.x * i + (d.y != 0 ? 1 : 0), cy + d.y * i + (d.x != 0 ? 1 : 0), 'G');
                }
            }
            c.setWrapped(cx, cy, 'n');
            c.setWrapped(cx + 1, cy, 'b');
        };
        crown(3, 3);
        crown(11, 6);
        crown(5, 11);
        crown(13, 14);
        c.set(9, 1, 'r');
        c.set(1, 8, 'y');
        return c;
    }
    case 24: {
        Canvas c = grassTile();
        auto hill = [&](int x, int y) {
            c.stamp(x, y,
                    {
                        "...kkkk...",
                        "..kllllk..",
                        ".klllllgk.",
                        "kllllgggGk",
                        "GllggggGGG",
                    },
                    false);
        };
        hill(0, 4);
        hill(6, 10);
        hill(8, 1);
        return c;
    }
    case 25: {
        // Earthy knolls with grass caps, between hills and mountains.
        Canvas c = grassTile();
        auto knoll = [&](int x, int y) {
            c.stamp(x, y,
                    {
                        "...kkkk...",
                        "..klgllk..",
                        ".kttlgtnk.",
                        "ktttnnnnbk",
                        "knttnnnbbk",
                        "GkkkkkkkkG",
                    });
        };
        knoll(0, 3);
        knoll(6, 9);
        knoll(9, 0);
        return c;
    }
    case 26: {
        Canvas c = grassTile();
        mountain(c, 12, 4, 12, 0.8, 0);
        mountain(c, 6, 1, 15, 0.65, 0);
        return c;
    }
    case 27: {
        Canvas c = grassTile();
        mountain(c, 12, 5, 12, 0.8, 3);
        mountain(c, 6, 0, 15, 0.65, 6);
        return c;
    }
    case 28: {
        Canvas c = grassTile();
        mountain(c, 8, 2, 15, 0.75, 0, "nbb");
        c.stamp(5, 2,
                {
                    "kkkkkkk",
                    "kyoroyk",
                    ".korrk.",
                    ".kork..",
                    "..ko...",
                    "..kr...",
                });
        c.set(6, 8, 'r');
        c.set(6, 9, 'R');
        c.stamp(8, 0, {"..mL.", ".mLLm", "..m.."});
        return c;
    }
    case 29: {
        Canvas c = blank('t');
        speckle(c, 'n', 6, 29);
        speckle(c, 'S', 8, 290);
        auto rock = [&](int x, int y) { c.stamp(x, y, {".kkk.", "kLLmk", "kLmdk", ".kkk."}); };
        rock(1, 1);
        rock(9, 2);
        rock(5, 7);
        rock(0, 11);
        rock(11, 10);
        c.stamp(7, 13, {".kk", "kLk", "kkd"});
        c.stamp(13, 6, {"kk", "mk"});
        return c;
    }
    case 30: {
        Canvas c = blank('S');
        for (Pt p : std::array<Pt, 5>{{{1, 2}, {8, 5}, {3, 9}, {11, 11}, {6, 14}}}) {
            c.setWrapped(p.x, p.y, 's');
            c.setWrapped(p.x + 1, p.y, 's');
            c.setWrapped(p.x + 2, p.y - 1, 's');
            c.setWrapped(p.x + 3, p.y - 1, 's');
            c.setWrapped(p.x + 1, p.y + 1, 't');
            c.setWrapped(p.x + 2, p.y + 1, 't');
        }
        speckle(c, 't', 19, 30);
        return c;
    }
    case 31: {
        Canvas c = blank('S');
        auto dune = [&](int x0, int y0) {
            for (int i = 0; i < 11; ++i) {
                const int yy = y0 + (i < 5 ? -i / 2 : (i - 5) / 2 - 2);
                c.setWrapped(x0 + i, yy, 's');
                c.setWrapped(x0 + i, yy + 1, i < 5 ? 's' : 't');
                c.setWrapped(x0 + i, yy + 2, 't');
                c.setWrapped(x0 + i, yy + 3, i < 5 ? 'S' : 'n');
            }
        };
        dune(0, 4);
        dune(7, 12);
        return c;
    }
    case 32: {
        Canvas c = blank('S');
        speckle(c, 't', 17, 32);
        c.stamp(5, 1,
                {
                    "...kk...",
                    "..kglk..",
                    "k.kglk..",
                    "lkkglk.k",
                    "lglglkkl",
                    "kkggGglk",
                    "..kgGkkk",
                    "..kglk..",
                    "..kgGk..",
                    "..kglk..",
                    "..kgGk..",
                    ".ktttSk.",
                });
        c.stamp(12, 12, {".kk", "kgk", "kGk"});
        return c;
    }
    case 33: {
        Canvas c = blank('S');
        speckle(c, 't', 19, 33);
        c.stamp(0, 8,
                {
                    "..kllgk...",
                    ".klqqqqgk.",
                    "klqcuuuqgk",
                    "klquuuuuqk",
                    "kgquucuuqk",
                    ".kgqqqqgk.",
                    "..kgggkk..",
                });
        palm(c, 6, 1);
        return c;
    }
    case 34: {
        // Olive pools in dark mud, a dead snag and a few reeds.
        Canvas c = blank('G');
        auto wet = [](int x, int y) {
            const int wx = ((x % 16) + 16) % 16;
            const int wy = ((y % 16) + 16) % 16;
            return noise(wx / 3, wy / 2, 34) % 5 < 2;
        };
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (wet(x, y)) {
                    c.set(x, y, wet(x, y - 1) ? 'v' : 'F');
                } else if (wet(x, y - 1)) {
                    c.set(x, y, 'g');
                }
            }
        }
        speckle(c, 'l', 37, 340);
        c.stamp(10, 0,
                {
                    "k...k",
                    ".k.k.",
                    "..bk.",
                    "..b..",
                    ".kbk.",
                });
        c.stamp(2, 10, {"b.b", "l.l", "lll"});
        return c;
    }
    case 35: {
        // Grassy wetland: open water between tussocks, cattails.
        Canvas c = grassTile();
        auto pool = [&](int x, int y) { c.stamp(x, y, {".hhhh.", "hhqhhh", "hhhhch", ".hhhh."}, true); };
        pool(0, 1);
        pool(8, 6);
        pool(2, 11);
        pool(12, 13);
        auto reed = [&](int x, int y) { c.stamp(x, y, {"b..", "b.b", "lbb", "l.l", "ll.", "Gl."}, true); };
        reed(7, 0);
        reed(13, 2);
        reed(5, 7);
        reed(10, 10);
        return c;
    }
    case 36: {
        Canvas c = blank('P');
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                if ((noise(x / 2, y / 2, 36) % 4) == 0) {
                    c.set(x, y, 'p');
                }
            }
        }
        auto bubble = [&](int x, int y) { c.stamp(x, y, {".ll.", "lyyl", "lyGl", ".ll."}, true); };
        bubble(3, 2);
        bubble(10, 7);
        bubble(4, 11);
        c.stamp(12, 1, {".l", "lG"});
        c.stamp(0, 7, {"l."});
        c.stamp(12, 13, {"l.", ".l"});
        return c;
    }
    case 37: {
        Canvas c = blank('r');
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const std::uint32_t n = noise(x / 3, y / 3, 37) % 5;
                if (n == 0) {
                    c.set(x, y, 'o');
                }
            }
        }
        auto crust = [&](int x, int y) { c.stamp(x, y, {".kkk.", "kbRRk", "kRRbk", ".kkk."}, true); };
        crust(1, 1);
        crust(9, 4);
        crust(4, 10);
        crust(12, 12);
        for (Pt p : std::array<Pt, 5>{{{7, 1}, {14, 9}, {1, 7}, {9, 11}, {6, 15}}}) {
            c.setWrapped(p.x, p.y, 'y');
            c.setWrapped(p.x + 1, p.y, 'o');
        }
        return c;
    }
    case 38: {
        Canvas c = blank('w');
        for (Pt p : std::array<Pt, 5>{{{1, 3}, {9, 1}, {6, 8}, {12, 11}, {2, 13}}}) {
            c.hline(p.x, p.x + 3, p.y, 'i');
            c.hline(p.x + 1, p.x + 2, p.y + 1, 'L');
        }
        for (Pt p : std::array<Pt, 3>{{{13, 5}, {4, 10}, {9, 14}}}) {
            c.set(p.x, p.y, 'v');
            c.set(p.x + 2, p.y, 'v');
            c.set(p.x + 1, p.y + 1, 'v');
        }
        return c;
    }
    case 39: {
        Canvas c = blank('i');
        for (int i = 0; i < 16; ++i) {
            c.setWrapped(i, 12 - i, 'w');
            c.setWrapped(i + 1, 12 - i, 'w');
            c.setWrapped(i, 4 - i / 2, 'w');
        }
        c.stamp(3, 6, {"c....", ".cc..", "...cc", "..c.."});
        c.stamp(9, 11, {"cc...", "..ccc", ".c..."});
        c.set(12, 3, 'q');
        c.set(6, 13, 'q');
        return c;
    }
    case 40: {
        Canvas c = blank('s');
        speckle(c, 'S', 9, 40);
        c.stamp(9, 3, {".x.", "xwx", ".x."});
        c.stamp(3, 10, {"o.o", ".o.", "o.o"});
        c.stamp(12, 12, {"Lw", "wL"});
        return c;
    }
    case 41: {
        Canvas c = grassTile();
        road(c, true, false);
        return c;
    }
    case 42: {
        Canvas c = grassTile();
        road(c, false, true);
        return c;
    }
    case 43: {
        Canvas c = grassTile();
        road(c, true, true);
        return c;
    }
    case 44: {
        Canvas c = grassTile();
        verticalRiver(c);
        road(c, true, false);
        c.hline(3, 12, 4, 'k');
        c.hline(3, 12, 11, 'k');
        for (int x = 3; x <= 12; ++x) {
            c.set(x, 5, 'n');
            for (int y = 6; y <= 9; ++y) {
                c.set(x, y, x % 2 == 0 ? 't' : 'n');
            }
            c.set(x, 10, 'b');
        }
        for (int x : {3, 7, 12}) {
            c.set(x, 4, 'n');
            c.set(x, 3, 'k');
            c.set(x, 11, 'n');
            c.set(x, 12, 'k');
        }
        return c;
    }
    case 45: {
        Canvas c = grassTile();
        horizontalRiver(c);
        road(c, false, true);
        c.vline(4, 3, 12, 'k');
        c.vline(11, 3, 12, 'k');
        for (int y = 3; y <= 12; ++y) {
            c.set(5, y, 'n');
            for (int x = 6; x <= 9; ++x) {
                c.set(x, y, y % 2 == 0 ? 't' : 'n');
            }
            c.set(10, y, 'b');
        }
        for (int y : {3, 7, 12}) {
            c.set(4, y, 'n');
            c.set(3, y, 'k');
            c.set(11, y, 'n');
            c.set(12, y, 'k');
        }
        return c;
    }
    case 46: {
        Canvas c = grassTile();
        horizontalRiver(c);
        return c;
    }
    case 47: {
        Canvas c = grassTile();
        verticalRiver(c);
        return c;
    }
    case 48: {
        Canvas c = grassTile();
        house(c, 7, 1);
        house(c, 1, 8, "nb");
        house(c, 9, 8);
        c.hline(4, 11, 15, 't');
        c.set(8, 14, 't');
        return c;
    }
    case 49: {
        // Roofs and a spire behind a crenellated town wall with a gate.
        Canvas c = grassTile();
        house(c, 0, 0);
        house(c, 10, 0, "nb");
        c.stamp(6, 0,
                {
                    "..k..",
                    ".kpk.",
                    ".kpk.",
                    "kpppk",
                    "kLyLk",
                    "kLLLk",
                    "kLbLk",
                });
        for (int x = 0; x < 16; ++x) {
            const bool merlon = x % 4 == 1 || x % 4 == 2;
            if (merlon) {
                c.set(x, 6, 'k');
            }
            c.set(x, 7, merlon ? 'L' : 'k');
            for (int y = 8; y <= 14; ++y) {
                const int course = (y - 8) / 3;
                const bool bed = (y - 8) % 3 == 2;
                const bool joint = x % 6 == (course % 2) * 3;
                c.set(x, y, (bed || joint) ? 'm' : 'L');
            }
            c.set(x, 8, merlon ? 'L' : 'w');
            c.set(x, 15, 'k');
        }
        c.stamp(6, 9,
                {
                    ".kk.",
                    "kkkk",
                    "kbbk",
                    "kbbk",
                    "kbbk",
                    "kbbk",
                    "kkkk",
                },
                false, "b", "k");
        c.set(6, 9, 'd');
        c.set(9, 9, 'd');
        return c;
    }
    case 50: {
        Canvas c = grassTile();
        c.paint({
            "ggggggggk.gggggg",
            "gGgggggkry.gGggg",
            "gggggggkrr.ggggg",
            "kkkgkkkk.kkkgkkk",
            "kLkkkLLkkLLkkkLk",
            "kLLmkLLLLLLkmLLk",
            "kLLmkkkkkkkkmLLk",
            "kLLmkLkLkLkkmLLk",
            "kdLmLLLLLLLLmLdk",
            "kLLmLLLkkLLLmLLk",
            "kLdmLLkkkkLLmdLk",
            "kLLmLLkbbkLLmLLk",
            "kLLmLLkbbkLLmLLk",
            "kmmmmmkbbkmmmmmk",
            "kkkkkkkkkkkkkkkk",
            "ggGggggttggggGgg",
        });
        return c;
    }
    case 51: {
        Canvas c = grassTile();
        c.stamp(3, 0,
                {
                    "....kry...",
                    "....krr...",
                    "kk.kkk.kk.",
                    "kLkkLLkkLk",
                    "kLLLLLLLmk",
                    "kmkkkkkkmk",
                    ".kLLLLLmk.",
                    ".kLLkkLmk.",
                    ".kLLkkLmk.",
                    ".kLLLLLmk.",
                    ".kLLLLLmk.",
                    ".kLLkkLmk.",
                    ".kLkbbkmk.",
                    ".kLkbbkmk.",
                    "kkkkkkkkkk",
                });
        return c;
    }

    case 52: {
        Canvas c = grassTile();
        c.stamp(1, 1,
                {
                    "......kk......",
                    "....kkwwkk....",
                    "..kkwwwwwwkk..",
                    "kkLLLLyyLLLLkk",
                    "kkkkkkkkkkkkkk",
                    ".kwk.kwk.kwk..",
                    ".kwk.kwk.kwk..",
                    ".kLk.kLk.kLk..",
                    ".kwk.kwk.kwk..",
                    ".kLk.kLk.kLk..",
                    "kkkkkkkkkkkkkk",
                    "kLLLLLLLLLLLLk",
                    "kkkkkkkkkkkkkk",
                },
                false);
        for (int y = 6; y <= 10; ++y) {
            c.set(4, y, 'd');
            c.set(8, y, 'd');
            c.set(12, y, 'd');
        }
        c.set(13, 6, 'k');
        c.set(14, 6, 'k');
        return c;
    }
    case 53: {
        // A stone doorway in a mound; steps lead down into the dark.
        Canvas c = grassTile();
        c.stamp(0, 2,
                {
                    "......kkkk......",
                    "....kkmLLmkk....",
                    "...kmLLmLLLmk...",
                    "..kmLkkkkkkLmk..",
                    "..kLkkkkkkkkLk..",
                    ".kmLkkkddkkkLmk.",
                    ".kLmkkdmmdkkmLk.",
                    ".kLLkdmmmmdkLLk.",
                    "kmLkdmLLLLmdkLmk",
                    "kLLkmLLLLLLmkLLk",
                    "kLmkLLLLLLLLkmLk",
                    "kkkkkkkkkkkkkkkk",
                });
        c.hline(1, 14, 14, 'G');
        return c;
    }
    case 54: {
        Canvas c = grassTile();
        c.stamp(4, 0,
                {
                    "....k...",
                    "...kpk..",
                    "...kpk..",
                    "..kppPk.",
                    "..kpyPk.",
                    ".kppPPPk",
                    "kkkkkkkk",
                    ".kLLLmk.",
                    ".kLyymk.",
                    ".kLkkmk.",
                    ".kLLLmk.",
                    ".kLyymk.",
                    ".kLkkmk.",
                    ".kLkbmk.",
                    "kkLkbmkk",
                    ".kkkkkk.",
                });
        c.set(12, 2, 'y');
        c.set(2, 5, 'y');
        c.set(13, 8, 'w');
        return c;
    }
    case 55: {
        // A standing column, a snapped one, a fallen drum and scattered blocks.
        Canvas c = grassTile();
        c.stamp(0, 1,
                {
                    ".kkkkk..........",
                    "kLLLLmk.........",
                    ".kkkkk..........",
                    "..kLmk.....k.k..",
                    "..kLmk....kLkmk.",
                    "..kLdk....kLLmk.",
                    "..kLmk....kLdmk.",
                    "..kLmk....kLLmk.",
                    ".kLLLmk..kLLLmmk",
                    ".kkkkkk..kkkkkkk",
                    "................",
                    "..kkkkkkkkk.....",
                    ".kLLmLLLmLmk.kk.",
                    "..kkkkkkkkk.kLmk",
                    ".............kk.",
                });
        c.set(8, 4, 'k');
        c.set(8, 5, 'L');
        c.set(7, 5, 'k');
        c.set(9, 5, 'k');
        c.set(8, 6, 'k');
        return c;
    }
    case 56: {
        Canvas c = oceanTile();
        for (int x = 0; x < 16; ++x) {
            c.set(x, 0, 'g');
            c.set(x, 1, 's');
            c.set(x, 2, 'k');
            c.set(x, 3, (x % 3 == 0) ? 'b' : 'n');
            c.set(x, 4, 'k');
        }
        c.stamp(2, 5,
                {
                    "knnk",
                    "kbnk",
                    "knnk",
                    "kbnk",
                    "knnk",
                    "kbnk",
                    "knnk",
                    "kkkk",
                    "b..b",
                });
        c.stamp(8, 5,
                {
                    "...k....",
                    "..kwk...",
                    "..kwwk..",
                    "..kwwwk.",
                    "...k....",
                    "kkkkkkkk",
                    ".knnnnk.",
                    "..kkkk..",
                });
        c.hline(8, 15, 13, 'c');
        return c;
    }
    case 57: {
        Canvas c = blank('n');
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (y % 4 == 3) {
                    c.set(x, y, 'b');
                } else if (y % 4 == 1) {
                    c.set(x, y, (x % 2 == 0) ? 'g' : 'l');
                } else if (y % 4 == 0) {
                    c.set(x, y, (x % 2 == 0) ? 'G' : 'n');
                } else {
                    c.set(x, y, 't');
                }
            }
        }
        return c;
    }
    case 58: {
        Canvas c = grassTile();
        for (int x = 0; x < 16; ++x) {
            c.set(x, 15, (x % 3 == 1) ? 'n' : 'b');
            c.set(x, 14, (x % 3 == 1) ? 'n' : 'g');
        }
        gravestone(c, 2, 2);
        graveCross(c, 8, 1);
        gravestone(c, 12, 3);
        graveCross(c, 4, 8);
        gravestone(c, 9, 8);
        return c;
    }
    case 59: {
        Canvas c = blank('m');
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const int row = y / 4;
                const int bx = (x + (row % 2) * 4) % 8;
                if (y % 4 == 3 || bx == 7) {
                    c.set(x, y, 'd');
                } else if (y % 4 == 0 || bx == 0) {
                    c.set(x, y, 'L');
                }
            }
        }
        return c;
    }
    case 60: {
        Canvas c = grassTile();
        menhir(c, 6, 0, 5);
        menhir(c, 1, 4, 6);
        menhir(c, 11, 4, 6);
        menhir(c, 3, 9, 5);
        menhir(c, 9, 9, 5);
        c.set(8, 8, 'G');
        c.set(7, 8, 'G');
        return c;
    }
    case 61: {
        Canvas c = grassTile();
        mountain(c, 7, 0, 15, 0.6, 0);
        c.stamp(4, 9,
                {
                    "..kkkk..",
                    ".kkkkkkk",
                    "kkkkkkkk",
                    "kkkkkkkk",
                    "kkkkkkkk",
                    "kkkkkkkk",
                    "kkkkkkkk",
                });
        c.stamp(4, 9,
                {
                    "..dddd..",
                    ".d....d.",
                    "d......d",
                });
        c.hline(5, 10, 15, 'b');
        return c;
    }
    case 62: {
        Canvas c = oceanTile();
        c.stamp(2, 2,
                {
                    "...cccccc...",
                    ".ccuuuuuucc.",
                    "ccuBBBBBBucc",
                    "cuBBqqqqBBuc",
                    "cuBqBBBBqBuc",
                    "cuBqBkkBqBuc",
                    "cuBqBkBBqBuc",
                    "cuBBqBBqBBuc",
                    "ccuBBqqBBucc",
                    ".ccuuuuuucc.",
                    "...cccccc...",
                });
        return c;
    }
    case 63: {
        Canvas c = oceanTile();
        c.stamp(0, 1,
                {
                    "...qqq..........",
                    "..qkkkq.........",
                    ".qkLmmkq...qq...",
                    "qkLmmddkq.qkkq..",
                    "qkmmddkkqqkLmkq.",
                    ".qkkkkqq.qkmddkq",
                    "..qqqq....qkkkq.",
                    "...........qqq..",
                });
        c.stamp(3, 9,
                {
                    "....qqqq..",
                    "...qkkkkq.",
                    "..qkLLmdkq",
                    ".qkLmmddkq",
                    "qkLmmdddkq",
                    "qkkkkkkkkq",
                    ".qqqqqqqq.",
                });
        return c;
    }
    default: break;
    }
    return Canvas(16, 16, 'k');
}

}  // namespace

namespace TerrainArt {

PixelCanvas tile(int index)
{
    if (index < 0 || index >= Count) {
        std::fprintf(stderr, "make-art: no terrain picture %d\n", index);
        std::abort();
    }
    return makeTile(index);
}

}  // namespace TerrainArt
