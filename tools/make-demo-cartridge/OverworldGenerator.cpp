#include "OverworldGenerator.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <queue>
#include <stdexcept>
#include <string>
#include <tuple>

namespace {

// Terrain pictures 0..63.
enum Tile : std::uint8_t {
    DeepOcean = 0,
    Ocean = 1,
    Shallow = 2,
    CoastN = 3,
    CoastS = 4,
    CoastW = 5,
    CoastE = 6,
    CoastNW = 7,
    CoastNE = 8,
    CoastSW = 9,
    CoastSE = 10,
    CornerNW = 11,
    CornerNE = 12,
    CornerSW = 13,
    CornerSE = 14,
    Pond = 15,
    Grass = 16,
    Flowers = 17,
    Plains = 18,
    Scrub = 19,
    LightForest = 20,
    DenseForest = 21,
    PineForest = 22,
    Jungle = 23,
    Hills = 24,
    Foothills = 25,
    Mountains = 26,
    SnowyPeak = 27,
    Volcano = 28,
    Rocky = 29,
    Sand = 30,
    Dunes = 31,
    Cactus = 32,
    Oasis = 33,
    Swamp = 34,
    Marsh = 35,
    Bog = 36,
    Lava = 37,
    Snow = 38,
    Ice = 39,
    Beach = 40,
    RoadH = 41,
    RoadV = 42,
    Crossroads = 43,
    BridgeH = 44,
    BridgeV = 45,
    RiverH = 46,
    RiverV = 47,
    Village = 48,
    WalledTown = 49,
    Castle = 50,
    Keep = 51,
    Shrine = 52,
    Dungeon = 53,
    Tower = 54,
    Ruins = 55,
    Harbour = 56,
    Farmland = 57,
    Graveyard = 58,
    StoneWall = 59,
    StandingStones = 60,
    Cave = 61,
    Whirlpool = 62,
    Reef = 63
};

constexpr int DX[4] = {0, 1, 0, -1};  // north, east, south, west
constexpr int DY[4] = {-1, 0, 1, 0};
constexpr std::uint8_t DirBit[4] = {1, 2, 4, 8};

double smooth(double t)
{
    return t * t * (3.0 - 2.0 * t);
}
double clamp01(double v)
{
    return std::clamp(v, 0.0, 1.0);
}

struct Bump {
    double cx, cy, rx, ry, strength;
};

// The rough shape of the world: three continents, an arctic coast in the far
// north, a strip of ice in the far south and a scatter of islands.
constexpr Bump LandShapes[] = {
    {60, 58, 44, 34, 1.00},  // the western continent
    {92, 88, 26, 26, 0.90},   {44, 100, 22, 18, 0.85},  {176, 84, 40, 40, 1.00},  // the eastern continent
    {196, 150, 36, 44, 1.00}, {150, 130, 22, 18, 0.80}, {70, 186, 44, 30, 1.00},  // the southern continent
    {96, 220, 28, 18, 0.85},  {38, 222, 18, 16, 0.80},  {150, 12, 50, 10, 0.70},  // arctic shore
    {40, 10, 22, 8, 0.55},  // arctic shore, west
    {178, 244, 44, 9, 0.65},  // southern ice
    {127, 30, 9, 7, 0.75},  // Wendle Isle
    {124, 100, 7, 6, 0.60},   {128, 160, 8, 7, 0.65},   {118, 186, 6, 5, 0.55},  {236, 36, 9, 10, 0.70},
    {12, 140, 7, 9, 0.60},    {240, 214, 8, 7, 0.65},   {20, 246, 10, 6, 0.60},  {144, 226, 7, 6, 0.60},
    {224, 112, 6, 6, 0.55},   {216, 84, 12, 10, 0.80},  // the fire isle
    {15, 13, 17, 14, 1.10},  // the north-west headland, the first sight of the world
    {22, 30, 10, 12, 1.00},  // and its neck, joining it to the western continent
    {14, 44, 10, 12, 0.80},  // land along the west edge, so every strip of the
    {14, 76, 9, 9, 0.75},  // map shows some shore near its western end
    {15, 106, 11, 10, 0.85},  {20, 120, 7, 5, 0.80},    {16, 172, 10, 9, 0.80},  {14, 204, 9, 9, 0.75},
    {15, 232, 10, 7, 0.75},
};

// The north-west corner is what the editor shows first: calmer coasts there,
// and a cold coast that gives way to green country a little further south.
constexpr int HomeX = 15, HomeY = 13;

// A mountain chain along the spine of the eastern continent, which the
// ridge noise alone leaves rather flat.
struct Range {
    double x0, y0, x1, y1, width;
};
constexpr Range MountainRanges[] = {
    {158, 92, 186, 116, 7.0},
    {186, 116, 206, 110, 6.0},
    {9, 9, 19, 6, 3.5},  // the snowy peaks of the north-west headland
};

double distanceToSegment(double x, double y, const Range& r)
{
    const double vx = r.x1 - r.x0, vy = r.y1 - r.y0;
    const double t = clamp01(((x - r.x0) * vx + (y - r.y0) * vy) / (vx * vx + vy * vy));
    const double dx = x - (r.x0 + t * vx), dy = y - (r.y0 + t * vy);
    return std::sqrt(dx * dx + dy * dy);
}

// 1 at (cx, cy), falling to 0 at the given radius.
double regional(double x, double y, double cx, double cy, double radius)
{
    const double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
    return clamp01(1.0 - d / radius);
}

}  // namespace

OverworldGenerator::OverworldGenerator(std::uint32_t seed) : m_seed(seed) {}

std::uint32_t OverworldGenerator::hash(int x, int y, std::uint32_t salt) const
{
    std::uint32_t h = m_seed ^ (salt * 0x9E3779B9u);
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

// Fractal value noise in 0..1.
double OverworldGenerator::noise(double x, double y, double period, int octaves, std::uint32_t salt) const
{
    double sum = 0.0;
    double norm = 0.0;
    double amplitude = 1.0;
    for (int octave = 0; octave < octaves; ++octave) {
        const double px = x / period;
        const double py = y / period;
        const int ix = static_cast<int>(std::floor(px));
        const int iy = static_cast<int>(std::floor(py));
        const double fx = smooth(px - ix);
        const double fy = smooth(py - iy);
        const std::uint32_t s = salt * 31u + static_cast<std::uint32_t>(octave);
        auto lattice = [&](int lx, int ly) { return hash(lx, ly, s) / 4294967295.0; };
        const double top = lattice(ix, iy) + (lattice(ix + 1, iy) - lattice(ix, iy)) * fx;
        const double bottom = lattice(ix, iy + 1) + (lattice(ix + 1, iy + 1) - lattice(ix, iy + 1)) * fx;
        sum += amplitude * (top + (bottom - top) * fy);
        norm += amplitude;
        amplitude *= 0.5;
        period *= 0.5;
    }
    return sum / norm;
}

Overworld OverworldGenerator::generate()
{
    m_height.assign(N, 0.0);
    m_elevation.assign(N, 0.0);
    m_moisture.assign(N, 0.0);
    m_land.assign(N, 0);
    m_tile.assign(N, DeepOcean);
    m_river.assign(N, 0);
    m_site.assign(N, 0);
    m_road.assign(N, 0);
    m_placed.clear();

    shapeLand();
    smoothLand();
    digPonds();
    computeDistances();
    labelLandmasses();
    paintBiomes();
    removeSpeckles();
    carveRivers();

    Overworld world;
    placeSites(world);
    paintRoads();
    paintWater();

    world.tiles = m_tile;
    return world;
}

void OverworldGenerator::shapeLand()
{
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            // Warp the sampling point so the coasts wander instead of
            // following the outline of the shapes.
            const double calm = smooth(regional(x, y, HomeX, HomeY, 30));
            const double warp = 44.0 * (1.0 - 0.7 * calm);
            const double wx = x + (noise(x, y, 40.0, 3, 9) - 0.5) * warp;
            const double wy = y + (noise(x, y, 40.0, 3, 10) - 0.5) * warp;
            double base = -1.0;
            for (const Bump& b : LandShapes) {
                const double dx = (wx - b.cx) / b.rx;
                const double dy = (wy - b.cy) / b.ry;
                base = std::max(base, b.strength * (1.0 - std::sqrt(dx * dx + dy * dy)));
            }
            const double n = noise(x, y, 32.0, 5, 1) - 0.5;
            double h = base + n * (1.2 - 0.6 * calm) - 0.10;
            // Keep a band of open sea along the edges of the map.
            const int edge = std::min(std::min(x, W - 1 - x), std::min(y, H - 1 - y));
            if (edge < 3)
                h = -1.0;
            m_height[index(x, y)] = h;
            m_land[index(x, y)] = h > 0.0 ? 1 : 0;

            // Mountains follow ridge lines rather than piling up in the middle.
            const double ridge = 1.0 - std::min(1.0, std::abs(2.0 * noise(x, y, 52.0, 4, 2) - 1.0) * 2.0);
            const double inland = clamp01(h * 2.5);
            const double roughness = (noise(x, y, 7.0, 2, 12) - 0.5) * 0.16;
            double chain = 0.0;
            for (const Range& r : MountainRanges) {
                const double wobble = (noise(x, y, 8.0, 2, 14) - 0.5) * 9.0;
                chain = std::max(chain, clamp01(1.0 - (distanceToSegment(x, y, r) + wobble) / r.width));
            }
            m_elevation[index(x, y)] = -0.08 * calm + 0.25 * clamp01(h) + 0.80 * std::pow(ridge, 3.0) * inland +
                                       roughness + chain * (0.30 + 0.70 * noise(x, y, 6.0, 3, 15)) * inland;

            m_moisture[index(x, y)] = noise(x, y, 40.0, 4, 3);
        }
    }
}

// Rounds off the coastline: fills one-cell inlets and channels, drops lone
// specks of land and tiny lakes, so every shore can be drawn with coast tiles.
void OverworldGenerator::smoothLand()
{
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<std::uint8_t> next = m_land;
        for (int y = 1; y < H - 1; ++y) {
            for (int x = 1; x < W - 1; ++x) {
                int count = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if ((dx || dy) && isLand(x + dx, y + dy))
                            ++count;
                if (count >= 6)
                    next[index(x, y)] = 1;
                else if (count <= 2)
                    next[index(x, y)] = 0;
            }
        }
        m_land = next;
    }

    // Small components: land specks go under water, small lakes are filled.
    auto sweep = [&](std::uint8_t kind, std::size_t minimum) {
        std::vector<int> seen(N, 0);
        for (int start = 0; start < N; ++start) {
            if (seen[start] || m_land[start] != kind)
                continue;
            std::vector<int> cells{start};
            seen[start] = 1;
            bool touchesEdge = false;
            for (std::size_t i = 0; i < cells.size(); ++i) {
                const int cx = cells[i] % W;
                const int cy = cells[i] / W;
                if (cx == 0 || cy == 0 || cx == W - 1 || cy == H - 1)
                    touchesEdge = true;
                for (int d = 0; d < 4; ++d) {
                    const int nx = cx + DX[d];
                    const int ny = cy + DY[d];
                    if (inside(nx, ny) && !seen[index(nx, ny)] && m_land[index(nx, ny)] == kind) {
                        seen[index(nx, ny)] = 1;
                        cells.push_back(index(nx, ny));
                    }
                }
            }
            if (cells.size() < minimum && !(kind == 0 && touchesEdge))
                for (int c : cells)
                    m_land[c] = kind ? 0 : 1;
        }
    };
    sweep(1, 10);
    sweep(0, 40);

    // Water squeezed between land on opposite sides (or on three sides)
    // cannot be drawn with a coast picture, so it becomes land.
    for (bool changed = true; changed;) {
        changed = false;
        for (int y = 1; y < H - 1; ++y) {
            for (int x = 1; x < W - 1; ++x) {
                if (m_land[index(x, y)])
                    continue;
                const bool n = isLand(x, y - 1), s = isLand(x, y + 1);
                const bool w = isLand(x - 1, y), e = isLand(x + 1, y);
                if ((n && s) || (w && e) || (n + s + w + e) >= 3) {
                    m_land[index(x, y)] = 1;
                    changed = true;
                }
            }
        }
    }
}

// A few ponds in open country, each a single cell of water ringed by land.
void OverworldGenerator::digPonds()
{
    const int targets[][2] = {{88, 58}, {206, 128}, {60, 178}};
    for (const auto& t : targets) {
        bool dug = false;
        for (int r = 0; r < 12 && !dug; ++r)
            for (int dy = -r; dy <= r && !dug; ++dy)
                for (int dx = -r; dx <= r && !dug; ++dx) {
                    const int x = t[0] + dx, y = t[1] + dy;
                    if (std::max(std::abs(dx), std::abs(dy)) != r)
                        continue;
                    bool solid = true;
                    for (int py = -3; py <= 3; ++py)
                        for (int px = -3; px <= 3; ++px)
                            solid = solid && isLand(x + px, y + py);
                    if (solid) {
                        m_land[index(x, y)] = 0;
                        dug = true;
                    }
                }
    }
}

void OverworldGenerator::computeDistances()
{
    m_distWater.assign(N, -1);
    m_distLand.assign(N, -1);
    std::deque<int> queue;
    for (int i = 0; i < N; ++i)
        if (!m_land[i]) {
            m_distWater[i] = 0;
            queue.push_back(i);
        }
    while (!queue.empty()) {
        const int c = queue.front();
        queue.pop_front();
        for (int d = 0; d < 4; ++d) {
            const int nx = c % W + DX[d], ny = c / W + DY[d];
            if (inside(nx, ny) && m_distWater[index(nx, ny)] < 0) {
                m_distWater[index(nx, ny)] = m_distWater[c] + 1;
                queue.push_back(index(nx, ny));
            }
        }
    }
    for (int i = 0; i < N; ++i)
        if (m_land[i]) {
            m_distLand[i] = 0;
            queue.push_back(i);
        }
    while (!queue.empty()) {
        const int c = queue.front();
        queue.pop_front();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = c % W + dx, ny = c / W + dy;
                if (inside(nx, ny) && m_distLand[index(nx, ny)] < 0) {
                    m_distLand[index(nx, ny)] = m_distLand[c] + 1;
                    queue.push_back(index(nx, ny));
                }
            }
    }
    for (int& d : m_distLand)
        if (d < 0)
            d = 99;  // no land at all: cannot happen for this world, but stay safe
}

void OverworldGenerator::labelLandmasses()
{
    m_landmass.assign(N, -1);
    m_landmassSize.clear();
    int next = 0;
    for (int start = 0; start < N; ++start) {
        if (!m_land[start] || m_landmass[start] >= 0)
            continue;
        std::vector<int> cells{start};
        m_landmass[start] = next;
        m_landmassSize.push_back(0);
        for (std::size_t i = 0; i < cells.size(); ++i)
            for (int d = 0; d < 4; ++d) {
                const int nx = cells[i] % W + DX[d], ny = cells[i] / W + DY[d];
                if (isLand(nx, ny) && m_landmass[index(nx, ny)] < 0) {
                    m_landmass[index(nx, ny)] = next;
                    cells.push_back(index(nx, ny));
                }
            }
        ++next;
    }
}

namespace {

constexpr int DesertX = 192, DesertY = 168;
constexpr int SwampX = 38, SwampY = 186;
constexpr int VolcanoX = 214, VolcanoY = 84;

}  // namespace

void OverworldGenerator::paintBiomes()
{
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const int i = index(x, y);
            if (!m_land[i])
                continue;
            const double e = m_elevation[i];
            // Snow lies on the broad tops, not along every crest line.
            double broad = 0.0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    broad += inside(x + dx, y + dy) ? m_elevation[index(x + dx, y + dy)] : 0.0;
            broad /= 9.0;
            double m = m_moisture[i] + (noise(x, y, 9.0, 2, 13) - 0.5) * 0.18;
            m -= 0.55 * smooth(regional(x, y, DesertX, DesertY, 28));
            m += 0.45 * smooth(regional(x, y, SwampX, SwampY, 26));
            const double detail = noise(x, y, 6.0, 2, 4);
            const double jitter = (noise(x, y, 10.0, 2, 5) - 0.5) * 8.0;
            // Near the north-west headland the arctic keeps to a strip along the coast,
            // with a band of tundra south of it and the pine woods giving way soon after.
            const double home = smooth(regional(x, y, HomeX, HomeY, 40));
            const double arcticLine = 21 - 10 * home;
            const bool arctic = y + jitter < arcticLine || y + jitter > 236;
            const bool tundra = home > 0.3 && !arctic && y + jitter < arcticLine + 4;
            const bool north = y + jitter < 60 - 46 * smooth(regional(x, y, HomeX, HomeY, 60));
            m -= 0.08 * home;
            const bool warm = y + jitter > 140 && y + jitter < 225;
            const bool shore = m_distWater[i] == 1 && noise(x, y, 14.0, 2, 11) > 0.42;

            std::uint8_t t;
            if (arctic) {
                if (e > 0.80 - 0.2 * home)
                    t = SnowyPeak;
                else if (shore)
                    t = Ice;
                else if ((m > 0.62 - 0.12 * home || noise(x, y, 4.0, 2, 16) > 1.0 - 0.36 * home) &&
                         e < 0.6 + 0.1 * home)
                    t = PineForest;
                else
                    t = Snow;
            } else if ((broad > 0.90 && e > 0.80) || (tundra && e > 0.74)) {
                t = SnowyPeak;
            } else if (e > 0.74) {
                t = Mountains;
            } else if (e > 0.63) {
                t = Hills;
            } else if (e > 0.57) {
                t = Foothills;
            } else if (m < 0.30) {
                t = detail > 0.58 ? Dunes : (detail < 0.36 ? Cactus : Sand);
                if (shore)
                    t = Beach;
            } else if (shore && m < 0.72) {
                t = Beach;
            } else if (m < 0.40 || (tundra && m < 0.53)) {
                t = detail > 0.55 ? Scrub : Plains;
            } else if (m < 0.53) {
                t = detail > 0.64 ? Flowers : Grass;
            } else if (m < 0.64) {
                t = north ? PineForest : LightForest;
            } else if (m < 0.76) {
                t = north ? PineForest : (warm ? Jungle : DenseForest);
            } else {
                t = (m > 0.86 && regional(x, y, SwampX, SwampY, 26) > 0.4) ? Bog : (detail > 0.5 ? Marsh : Swamp);
            }
            m_tile[i] = t;
        }
    }
    paintVolcano(VolcanoX, VolcanoY);
    paintDesertOasis();
}

void OverworldGenerator::paintVolcano(int cx, int cy)
{
    for (int y = cy - 9; y <= cy + 9; ++y) {
        for (int x = cx - 9; x <= cx + 9; ++x) {
            if (!isLand(x, y))
                continue;
            const double d = std::sqrt(double((x - cx) * (x - cx) + (y - cy) * (y - cy)));
            const double n = noise(x, y, 4.0, 2, 6);
            std::uint8_t& t = m_tile[index(x, y)];
            if (d < 0.5)
                t = Volcano;
            else if (d < 2.5)
                t = Mountains;
            else if (d < 5.5)
                t = n > 0.45 ? Lava : Rocky;
            else if (d < 8.5 + n * 2.0)
                t = n > 0.62 ? Mountains : Rocky;
        }
    }
    // A second, smaller cone to the south-west of the first.
    if (isLand(cx - 4, cy + 4))
        m_tile[index(cx - 4, cy + 4)] = Volcano;
}

void OverworldGenerator::paintDesertOasis()
{
    // The oasis sits in the sandiest spot near the heart of the desert.
    int best = -1;
    int bestScore = -1;
    for (int y = DesertY - 14; y <= DesertY + 14; ++y)
        for (int x = DesertX - 14; x <= DesertX + 14; ++x) {
            if (!isLand(x, y))
                continue;
            int sand = 0;
            for (int dy = -3; dy <= 3; ++dy)
                for (int dx = -3; dx <= 3; ++dx)
                    if (isLand(x + dx, y + dy)) {
                        const std::uint8_t t = m_tile[index(x + dx, y + dy)];
                        sand += (t == Sand || t == Dunes || t == Cactus);
                    }
            if (sand > bestScore) {
                bestScore = sand;
                best = index(x, y);
            }
        }
    if (best < 0)
        return;
    const int ox = best % W, oy = best / W;
    m_tile[best] = Oasis;
    for (int d = 0; d < 4; ++d)
        if (isLand(ox + DX[d], oy + DY[d]))
            m_tile[index(ox + DX[d], oy + DY[d])] = d % 2 ? Grass : Sand;
    if (isLand(ox + 1, oy))
        m_tile[index(ox + 1, oy)] = Oasis;
}

// A terrain cell that shares its picture with none of its eight neighbours
// reads as noise; it takes the picture most of its neighbours have.
void OverworldGenerator::removeSpeckles()
{
    auto keep = [](std::uint8_t t) { return t == Volcano || t == Oasis || t == Flowers; };
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<std::uint8_t> next = m_tile;
        for (int y = 1; y < H - 1; ++y) {
            for (int x = 1; x < W - 1; ++x) {
                const int i = index(x, y);
                if (!m_land[i] || keep(m_tile[i]))
                    continue;
                int counts[64] = {};
                int same = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        if (!(dx || dy) || !isLand(x + dx, y + dy))
                            continue;
                        const std::uint8_t t = m_tile[index(x + dx, y + dy)];
                        same += t == m_tile[i];
                        if (!keep(t) && t != Beach && t != Ice)
                            ++counts[t];
                    }
                if (same > 0)
                    continue;
                const int best = static_cast<int>(std::max_element(counts, counts + 64) - counts);
                if (counts[best] > 0 && !(m_tile[i] == Beach || m_tile[i] == Ice))
                    next[i] = static_cast<std::uint8_t>(best);
            }
        }
        m_tile = next;
    }
}

namespace {

bool isHighGround(std::uint8_t t)
{
    return t == Mountains || t == SnowyPeak || t == Volcano || t == Lava || t == Rocky;
}

}  // namespace

void OverworldGenerator::carveRivers()
{
    // Water finds the cheapest way down to the sea: flat land is easy, hills
    // are harder and high mountains nearly impossible.
    m_flow.assign(N, 1 << 30);
    using Entry = std::pair<int, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    for (int i = 0; i < N; ++i)
        if (m_land[i] && m_distWater[i] == 1) {
            m_flow[i] = 0;
            open.emplace(0, i);
        }
    while (!open.empty()) {
        const auto [cost, cell] = open.top();
        open.pop();
        if (cost != m_flow[cell])
            continue;
        for (int d = 0; d < 4; ++d) {
            const int nx = cell % W + DX[d], ny = cell / W + DY[d];
            if (!isLand(nx, ny))
                continue;
            const std::uint8_t t = m_tile[index(nx, ny)];
            const int step = isHighGround(t) ? 40 : (t == Hills || t == Foothills) ? 3 : 2;
            if (cost + step < m_flow[index(nx, ny)]) {
                m_flow[index(nx, ny)] = cost + step;
                open.emplace(cost + step, index(nx, ny));
            }
        }
    }

    carveRiver(56, 60, 11);  // western continent
    carveRiver(80, 100, 15);
    carveRiver(172, 96, 12);  // eastern continent, north
    carveRiver(205, 140, 13);  // eastern continent, south
    carveRiver(72, 196, 14);  // southern continent
    carveRiver(40, 210, 16);
}

// A river springs in the hills near (targetX, targetY) and runs down to the
// sea, keeping its course for a while before it bends.
void OverworldGenerator::carveRiver(int targetX, int targetY, std::uint32_t salt)
{
    int start = -1;
    int bestScore = -1;
    for (int y = targetY - 16; y <= targetY + 16; ++y)
        for (int x = targetX - 16; x <= targetX + 16; ++x) {
            if (!isLand(x, y) || m_river[index(x, y)])
                continue;
            const std::uint8_t t = m_tile[index(x, y)];
            if (t != Hills && t != Foothills)
                continue;
            const int flow = m_flow[index(x, y)];
            const int score = std::min(flow, 70) * 2 - std::max(std::abs(x - targetX), std::abs(y - targetY));
            if (m_distWater[index(x, y)] >= 8 && flow < 200 && score > bestScore) {
                bestScore = score;
                start = index(x, y);
            }
        }
    if (start < 0)
        return;

    std::vector<int> path{start};
    std::vector<int> dirs;
    int dir = -1;
    int run = 0;
    int runLimit = 4 + static_cast<int>(hash(start, 0, salt) % 6);
    int cur = start;
    while (m_flow[cur] > 0) {
        const int cx = cur % W, cy = cur / W;
        std::vector<int> options;
        int steepest = -1;
        for (int d = 0; d < 4; ++d) {
            const int nx = cx + DX[d], ny = cy + DY[d];
            if (!isLand(nx, ny) || m_flow[index(nx, ny)] >= m_flow[cur])
                continue;
            if (steepest < 0 || m_flow[index(nx, ny)] < m_flow[index(cx + DX[steepest], cy + DY[steepest])])
                steepest = d;
            if (!isHighGround(m_tile[index(nx, ny)]))
                options.push_back(d);
        }
        if (steepest < 0)
            break;
        int chosen = steepest;
        if (!options.empty()) {
            chosen = options[hash(cx, cy, salt) % options.size()];
            const bool canContinue = std::find(options.begin(), options.end(), dir) != options.end();
            if (canContinue && (run < runLimit || options.size() == 1))
                chosen = dir;
        }
        if (chosen == dir) {
            ++run;
        } else {
            run = 1;
            runLimit = 4 + static_cast<int>(hash(cx, cy, salt + 1) % 6);
        }
        dirs.push_back(chosen);
        dir = chosen;
        cur = index(cx + DX[chosen], cy + DY[chosen]);
        path.push_back(cur);
        if (m_river[cur])
            break;  // joins another river
    }
    if (path.size() < 6)
        return;

    for (std::size_t i = 0; i < path.size(); ++i) {
        const int c = path[i];
        if (m_river[c])
            continue;  // the confluence keeps the other river's picture
        const int in = i > 0 ? dirs[i - 1] : dirs[0];
        const int out = i < dirs.size() ? dirs[i] : dirs.back();
        const bool inH = in % 2 == 1, outH = out % 2 == 1;
        m_tile[c] = outH ? RiverH : RiverV;
        if (i == 0 || i + 1 == path.size() || inH != outH)
            m_river[c] = 3;
        else
            m_river[c] = outH ? 1 : 2;
    }
}

bool OverworldGenerator::farFromSites(int x, int y, int minDistance) const
{
    for (const MapSite& s : m_placed)
        if (std::max(std::abs(s.column - x), std::abs(s.row - y)) < minDistance)
            return false;
    return true;
}

// Finds the acceptable cell nearest to the target, searching square rings
// outwards; running out of room is a fault in the world layout.
MapSite OverworldGenerator::place(int targetX, int targetY, int radius, const CellTest& accept)
{
    for (int r = 0; r <= radius; ++r) {
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx) {
                if (std::max(std::abs(dx), std::abs(dy)) != r)
                    continue;
                const int x = targetX + dx, y = targetY + dy;
                if (!isLand(x, y) || m_site[index(x, y)] || m_river[index(x, y)])
                    continue;
                if (accept(x, y)) {
                    const MapSite s{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
                    m_site[index(x, y)] = 1;
                    m_placed.push_back(s);
                    return s;
                }
            }
    }
    throw std::runtime_error("no room for a site near column " + std::to_string(targetX) + ", row " +
                             std::to_string(targetY));
}

namespace {

bool isOpenGround(std::uint8_t t)
{
    return t == Grass || t == Flowers || t == Plains || t == Scrub || t == LightForest || t == Foothills;
}

bool isWalkable(std::uint8_t t)
{
    return t >= Grass && t <= Beach && t != Mountains && t != SnowyPeak && t != Volcano && t != Lava;
}

}  // namespace

void OverworldGenerator::placeSites(Overworld& world)
{
    auto tileAt = [&](int x, int y) { return m_tile[index(x, y)]; };
    auto townGround = [&](int x, int y) {
        return isOpenGround(tileAt(x, y)) && m_distWater[index(x, y)] >= 3 && farFromSites(x, y, 12);
    };

    struct TownPlan {
        int entry;
        int x, y;
        std::uint8_t tile;
    };
    // Twelve towns, spread over the continents from north to south.
    const TownPlan towns[] = {
        {0, 12, 17, WalledTown},  // Ferrow, on the north-west headland
        {2, 92, 76, Village},  // Olm
        {6, 36, 100, Village},  // Duskel
        {11, 158, 66, WalledTown},  // Brask
        {14, 200, 112, Village},  // Hollin
        {20, 166, 150, Village},  // Starfen
        {21, 214, 186, Village},  // Tallow
        {22, 62, 166, WalledTown},  // Rookhaven
        {25, 96, 214, Village},  // Corvast
        {28, 44, 228, Village},  // Dravel
    };
    std::vector<int> townCells;
    for (const TownPlan& plan : towns) {
        const MapSite s = place(plan.x, plan.y, 30, townGround);
        world.locations[plan.entry] = s;
        m_tile[index(s.column, s.row)] = plan.tile;
        townCells.push_back(index(s.column, s.row));
    }

    // Wendle Isle: the island town.
    {
        const MapSite s = place(127, 30, 24, [&](int x, int y) {
            const int mass = m_landmass[index(x, y)];
            return m_landmassSize[mass] < 400 && m_distWater[index(x, y)] >= 2 && isWalkable(tileAt(x, y)) &&
                   farFromSites(x, y, 10);
        });
        world.locations[19] = s;
        m_tile[index(s.column, s.row)] = Village;
        townCells.push_back(index(s.column, s.row));
    }

    // Saltmere: a port on the east coast of the western continent, with its
    // harbour on the shore next to the town.
    {
        const MapSite s = place(118, 60, 40, [&](int x, int y) {
            if (m_distWater[index(x, y)] != 2 || !isWalkable(tileAt(x, y)) || !farFromSites(x, y, 10))
                return false;
            for (int d = 0; d < 4; ++d)
                if (isLand(x + DX[d], y + DY[d]) && m_distWater[index(x + DX[d], y + DY[d])] == 1 &&
                    !m_river[index(x + DX[d], y + DY[d])])
                    return true;
            return false;
        });
        world.locations[24] = s;
        m_tile[index(s.column, s.row)] = WalledTown;
        townCells.push_back(index(s.column, s.row));
        for (int d = 1; d < 5; ++d) {  // prefer the east side, towards the open sea
            const int hx = s.column + DX[d % 4], hy = s.row + DY[d % 4];
            if (isLand(hx, hy) && m_distWater[index(hx, hy)] == 1 && !m_river[index(hx, hy)]) {
                m_tile[index(hx, hy)] = Harbour;
                m_site[index(hx, hy)] = 1;
                break;
            }
        }
    }

    // Landmarks in the remaining entries of the table.
    auto groundOf = [&](std::initializer_list<std::uint8_t> kinds, int spacing) {
        std::vector<std::uint8_t> list(kinds);
        return [this, list, spacing, tileAt](int x, int y) {
            return std::find(list.begin(), list.end(), tileAt(x, y)) != list.end() && farFromSites(x, y, spacing);
        };
    };
    auto caveGround = [&](int x, int y) {
        if (tileAt(x, y) != Mountains || !farFromSites(x, y, 6))
            return false;
        for (int d = 0; d < 4; ++d)
            if (isLand(x + DX[d], y + DY[d]) && isWalkable(tileAt(x + DX[d], y + DY[d])) &&
                !m_river[index(x + DX[d], y + DY[d])])
                return true;
        return false;
    };
    struct LandmarkPlan {
        int entry;
        int x, y;
        std::uint8_t tile;
    };
    const LandmarkPlan landmarks[] = {
        {1, 78, 56, Castle},   {3, 186, 92, Castle},    {4, 80, 186, Castle},  {5, 36, 46, Shrine},
        {7, 150, 20, Shrine},  {8, 226, 150, Shrine},   {9, 110, 228, Shrine}, {10, 60, 100, Dungeon},
        {12, 200, 60, Cave},   {13, 170, 200, Dungeon}, {15, 70, 196, Cave},   {16, 100, 40, Tower},
        {17, 150, 130, Tower}, {18, 30, 206, Tower},    {23, 120, 112, Ruins}, {26, 190, 168, Ruins},
        {27, 20, 150, Ruins},
    };
    std::vector<int> castleCells;
    std::vector<int> shrineCells;
    for (const LandmarkPlan& plan : landmarks) {
        CellTest accept;
        switch (plan.tile) {
        case Castle:
            accept = [&](int x, int y) {
                return isOpenGround(tileAt(x, y)) && m_distWater[index(x, y)] >= 3 && isLand(x, y - 1) &&
                       isOpenGround(tileAt(x, y - 1)) && !m_site[index(x, y - 1)] && farFromSites(x, y, 8);
            };
            break;
        case Cave: accept = caveGround; break;
        case Dungeon: accept = groundOf({DenseForest, Hills, Rocky, Swamp, PineForest, Jungle, LightForest}, 8); break;
        case Ruins: accept = groundOf({Sand, Dunes, Grass, Plains, Scrub, LightForest, Marsh, Snow, Beach}, 8); break;
        default:
            accept = [&](int x, int y) {
                return isWalkable(tileAt(x, y)) && tileAt(x, y) != Beach && farFromSites(x, y, 8);
            };
            break;
        }
        const MapSite s = place(plan.x, plan.y, 40, accept);
        world.locations[plan.entry] = s;
        m_tile[index(s.column, s.row)] = plan.tile;
        if (plan.tile == Castle) {
            castleCells.push_back(index(s.column, s.row));
            if (plan.entry == 1) {  // the royal castle has its keep and a curtain wall behind it
                m_tile[index(s.column, s.row - 1)] = Keep;
                m_site[index(s.column, s.row - 1)] = 1;
                for (int dx = -2; dx <= 2; ++dx) {
                    const int wx = s.column + dx, wy = s.row - 2;
                    if (isLand(wx, wy) && !m_site[index(wx, wy)] && !m_river[index(wx, wy)] &&
                        isWalkable(tileAt(wx, wy))) {
                        m_tile[index(wx, wy)] = StoneWall;
                        m_site[index(wx, wy)] = 1;
                    }
                }
            }
        } else if (plan.tile == Shrine) {
            shrineCells.push_back(index(s.column, s.row));
        }
    }

    // The balloon waits on a meadow just outside Ferrow.
    {
        const MapSite ferrow = world.locations[0];
        const MapSite s = place(ferrow.column + 2, ferrow.row + 2, 4, [&](int x, int y) {
            const int ring = std::max(std::abs(x - ferrow.column), std::abs(y - ferrow.row));
            const std::uint8_t t = tileAt(x, y);
            return ring >= 2 && (isOpenGround(t) || t == DenseForest || t == PineForest || t == Beach);
        });
        m_tile[index(s.column, s.row)] = Grass;
        world.balloon = s;
    }

    // Farmland around every town.
    for (std::size_t k = 0; k < townCells.size(); ++k)
        plantFarmland(townCells[k] % W, townCells[k] / W, static_cast<std::uint32_t>(40 + k));

    // Special items.
    auto openNear = [&](int x, int y) { return isOpenGround(tileAt(x, y)) && farFromSites(x, y, 5); };
    {  // Silver Horn: among standing stones on the northern plains of the east.
        const MapSite s = place(176, 40, 40, openNear);
        m_tile[index(s.column, s.row)] = StandingStones;
        world.specialItems[0] = s;
    }
    {  // Skull of Kerrath: a graveyard on the edge of the fire lands.
        const MapSite s = place(VolcanoX - 12, VolcanoY + 10, 40, [&](int x, int y) {
            return isWalkable(tileAt(x, y)) && tileAt(x, y) != Beach && farFromSites(x, y, 5);
        });
        m_tile[index(s.column, s.row)] = Graveyard;
        world.specialItems[1] = s;
    }
    {  // Fungus Square: deep in the swamp.
        world.specialItems[2] = place(SwampX, SwampY, 40, [&](int x, int y) {
            const std::uint8_t t = tileAt(x, y);
            return (t == Swamp || t == Marsh || t == Bog) && farFromSites(x, y, 5);
        });
    }
    {  // Manroot Square: a clearing in the middle of a dense wood.
        const MapSite s = place(180, 130, 80, [&](int x, int y) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    if (!isLand(x + dx, y + dy))
                        return false;
                    const std::uint8_t t = tileAt(x + dx, y + dy);
                    if (t != DenseForest && t != Jungle && t != PineForest)
                        return false;
                }
            return farFromSites(x, y, 5);
        });
        m_tile[index(s.column, s.row)] = Grass;
        world.specialItems[3] = s;
    }
    {  // Bell of Courage: a cave high in the southern mountains.
        const MapSite s = place(60, 200, 60, caveGround);
        m_tile[index(s.column, s.row)] = Cave;
        world.specialItems[4] = s;
    }

    std::vector<int> nodes = townCells;
    nodes.insert(nodes.end(), castleCells.begin(), castleCells.end());
    nodes.insert(nodes.end(), shrineCells.begin(), shrineCells.end());
    buildRoads(nodes);
}

void OverworldGenerator::plantFarmland(int x, int y, std::uint32_t salt)
{
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx) {
            const int fx = x + dx, fy = y + dy;
            if (!isLand(fx, fy) || m_site[index(fx, fy)] || m_river[index(fx, fy)])
                continue;
            const int ring = std::max(std::abs(dx), std::abs(dy));
            if (ring == 0 || (ring == 3 && hash(fx, fy, salt) % 3 != 0) || (ring == 2 && hash(fx, fy, salt) % 5 == 0))
                continue;
            const std::uint8_t t = m_tile[index(fx, fy)];
            if (t == Grass || t == Flowers || t == Plains || t == Scrub || t == LightForest)
                m_tile[index(fx, fy)] = Farmland;
        }
}

// Joins the towns and castles of each landmass with roads, along the
// shortest links first (a spanning tree per landmass).
void OverworldGenerator::buildRoads(const std::vector<int>& nodes)
{
    std::vector<std::tuple<int, int, int>> links;  // squared length, a, b
    for (std::size_t a = 0; a < nodes.size(); ++a)
        for (std::size_t b = a + 1; b < nodes.size(); ++b) {
            if (m_landmass[nodes[a]] != m_landmass[nodes[b]])
                continue;
            const int dx = nodes[a] % W - nodes[b] % W, dy = nodes[a] / W - nodes[b] / W;
            links.emplace_back(dx * dx + dy * dy, static_cast<int>(a), static_cast<int>(b));
        }
    std::sort(links.begin(), links.end());
    std::vector<int> group(nodes.size());
    for (std::size_t i = 0; i < group.size(); ++i)
        group[i] = static_cast<int>(i);
    auto find = [&](int v) {
        while (group[v] != v)
            v = group[v] = group[group[v]];
        return v;
    };
    for (const auto& [length, a, b] : links) {
        if (find(a) == find(b))
            continue;
        if (routeRoad(nodes[a], nodes[b]))
            group[find(a)] = find(b);
    }
}

// Shortest road between two cells, with a cost for every turn so roads run
// in long straight stretches; rivers are crossed straight over on a bridge.
bool OverworldGenerator::routeRoad(int from, int to)
{
    auto stepCost = [&](int c) -> int {
        if (m_road[c])
            return 1;
        switch (m_tile[c]) {
        case Grass:
        case Flowers:
        case Plains:
        case Farmland:
        case Scrub:
        case Beach: return 3;
        case Sand:
        case Dunes:
        case Cactus:
        case Snow:
        case LightForest:
        case Ice:
        case Rocky: return 5;
        case Foothills:
        case DenseForest:
        case PineForest:
        case Jungle:
        case Marsh: return 7;
        case Hills:
        case Swamp:
        case Bog: return 10;
        case RiverH:
        case RiverV: return 14;
        default: return -1;
        }
    };
    constexpr int TurnCost = 6;
    const int states = N * 4;
    std::vector<int> dist(states, 1 << 30);
    std::vector<int> parent(states, -1);
    using Entry = std::pair<int, int>;  // cost, state
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    for (int d = 0; d < 4; ++d) {
        dist[from * 4 + d] = 0;
        open.emplace(0, from * 4 + d);
    }
    int goal = -1;
    while (!open.empty()) {
        const auto [cost, state] = open.top();
        open.pop();
        if (cost != dist[state])
            continue;
        const int cell = state / 4, dir = state % 4;
        if (cell == to) {
            goal = state;
            break;
        }
        const int cx = cell % W, cy = cell / W;
        for (int d = 0; d < 4; ++d) {
            if (cell != from && m_river[cell] && d != dir)
                continue;  // no turning on a bridge
            const int nx = cx + DX[d], ny = cy + DY[d];
            if (!isLand(nx, ny))
                continue;
            const int next = index(nx, ny);
            if (m_site[next] && next != to)
                continue;
            int step = next == to ? 1 : stepCost(next);
            if (step < 0)
                continue;
            if (!m_river[next] && !m_road[next])
                for (int r = 0; r < 4; ++r)
                    if (inside(nx + DX[r], ny + DY[r]) && m_river[index(nx + DX[r], ny + DY[r])]) {
                        step += 4;  // keep roads off the river banks
                        break;
                    }
            if (m_river[next] && next != to) {
                // Only across a straight stretch, at right angles to the flow.
                const bool horizontal = d % 2 == 1;
                if (m_river[next] == 3 || (horizontal && m_river[next] != 2) || (!horizontal && m_river[next] != 1))
                    continue;
                if (m_road[next])
                    step = 1;
            }
            const int total = cost + step + (cell != from && d != dir ? TurnCost : 0);
            if (total < dist[next * 4 + d]) {
                dist[next * 4 + d] = total;
                parent[next * 4 + d] = state;
                open.emplace(total, next * 4 + d);
            }
        }
    }
    if (goal < 0)
        return false;
    for (int state = goal; parent[state] >= 0; state = parent[state]) {
        const int cell = state / 4, dir = state % 4;
        const int prev = parent[state] / 4;
        m_road[cell] |= DirBit[(dir + 2) % 4];
        m_road[prev] |= DirBit[dir];
    }
    return true;
}

void OverworldGenerator::paintRoads()
{
    for (int i = 0; i < N; ++i) {
        const std::uint8_t bits = m_road[i];
        if (!bits || m_site[i])
            continue;
        const bool vertical = bits & (1 | 4);
        const bool horizontal = bits & (2 | 8);
        if (m_river[i])
            m_tile[i] = horizontal ? BridgeH : BridgeV;
        else if (vertical && horizontal)
            m_tile[i] = Crossroads;
        else
            m_tile[i] = horizontal ? RoadH : RoadV;
    }
}

void OverworldGenerator::paintWater()
{
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const int i = index(x, y);
            if (m_land[i])
                continue;
            const int dl = m_distLand[i];
            if (dl == 1) {
                const bool n = isLand(x, y - 1), s = isLand(x, y + 1);
                const bool w = isLand(x - 1, y), e = isLand(x + 1, y);
                const int sides = n + s + w + e;
                std::uint8_t t = Shallow;
                if (sides >= 3)
                    t = Pond;
                else if (sides == 2) {
                    if (n && w)
                        t = CoastNW;
                    else if (n && e)
                        t = CoastNE;
                    else if (s && w)
                        t = CoastSW;
                    else if (s && e)
                        t = CoastSE;
                } else if (sides == 1) {
                    t = n ? CoastN : s ? CoastS : w ? CoastW : CoastE;
                } else {
                    const bool nw = isLand(x - 1, y - 1), ne = isLand(x + 1, y - 1);
                    const bool sw = isLand(x - 1, y + 1), se = isLand(x + 1, y + 1);
                    if (nw + ne + sw + se == 1)
                        t = nw ? CornerNW : ne ? CornerNE : sw ? CornerSW : CornerSE;
                }
                m_tile[i] = t;
                continue;
            }
            const double wobble = (noise(x, y, 12.0, 3, 7) - 0.5) * 5.0;
            const double depth = dl + wobble;
            if (depth < 3.5)
                m_tile[i] = Shallow;
            else if (depth < 10.5)
                m_tile[i] = Ocean;
            else
                m_tile[i] = DeepOcean;
            // Reefs break the surface in a few patches of the shallows.
            if (dl >= 2 && dl <= 3 && noise(x, y, 5.0, 2, 8) > 0.82)
                m_tile[i] = Reef;
        }
    }
    // Three whirlpools out in the deep sea, and the numbered ones of the
    // far south-east corner.
    const int pools[][2] = {{120, 60}, {24, 172}, {156, 196}};
    for (const auto& p : pools) {
        for (int r = 0; r < 12; ++r) {
            const int x = p[0] + r, y = p[1];
            if (inside(x, y) && m_tile[index(x, y)] == DeepOcean) {
                m_tile[index(x, y)] = Whirlpool;
                break;
            }
        }
    }
    m_tile[index(248, 250)] = 64 + Whirlpool;
    m_tile[index(250, 250)] = 128 + Whirlpool;
    m_tile[index(252, 250)] = 192 + Whirlpool;
}
