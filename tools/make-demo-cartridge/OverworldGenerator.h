#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// A cell of the overworld, as the cartridge stores it: column first, then row.
struct MapSite {
    std::uint8_t column = 0;
    std::uint8_t row = 0;
};

// Everything the demo cartridge needs from the generated world.
struct Overworld {
    static constexpr int Width = 256;
    static constexpr int Height = 256;

    std::vector<std::uint8_t> tiles;  // Width * Height tile numbers, row after row
    std::array<MapSite, 29> locations{};  // towns and landmarks, in table order
    std::array<MapSite, 5> specialItems{};  // Silver Horn, Skull, Fungus, Manroot, Bell
    MapSite balloon;
};

// Builds a believable overworld from a seed: continents and islands from
// fractal noise, coasts, biomes, rivers, towns, landmarks and the roads that
// join them. The same seed always gives the same world.
class OverworldGenerator {
public:
    explicit OverworldGenerator(std::uint32_t seed);

    Overworld generate();

private:
    static constexpr int W = Overworld::Width;
    static constexpr int H = Overworld::Height;
    static constexpr int N = W * H;

    using CellTest = std::function<bool(int x, int y)>;

    void shapeLand();
    void smoothLand();
    void digPonds();
    void computeDistances();
    void labelLandmasses();
    void paintBiomes();
    void paintVolcano(int cx, int cy);
    void paintDesertOasis();
    void removeSpeckles();
    void carveRivers();
    void carveRiver(int targetX, int targetY, std::uint32_t salt);
    void placeSites(Overworld& world);
    void plantFarmland(int x, int y, std::uint32_t salt);
    void buildRoads(const std::vector<int>& nodes);
    bool routeRoad(int from, int to);
    void paintRoads();
    void paintWater();

    MapSite place(int targetX, int targetY, int radius, const CellTest& accept);
    bool farFromSites(int x, int y, int minDistance) const;

    double noise(double x, double y, double period, int octaves, std::uint32_t salt) const;
    std::uint32_t hash(int x, int y, std::uint32_t salt) const;

    static bool inside(int x, int y) { return x >= 0 && y >= 0 && x < W && y < H; }
    static int index(int x, int y) { return y * W + x; }

    bool isLand(int x, int y) const { return inside(x, y) && m_land[index(x, y)] != 0; }

    std::uint32_t m_seed;
    std::vector<double> m_height;  // raw land height, > 0 on land
    std::vector<double> m_elevation;  // relief used for hills and mountains
    std::vector<double> m_moisture;
    std::vector<std::uint8_t> m_land;  // 1 on land
    std::vector<int> m_distWater;  // steps over land to the nearest water
    std::vector<int> m_distLand;  // king's-move steps over water to the nearest land
    std::vector<int> m_landmass;  // component id of land cells, -1 on water
    std::vector<int> m_landmassSize;  // cells per component
    std::vector<int> m_flow;  // cost for water to reach the sea from each land cell
    std::vector<std::uint8_t> m_tile;
    std::vector<std::uint8_t> m_river;  // 0 none, 1 runs east-west, 2 north-south, 3 bend or mouth
    std::vector<std::uint8_t> m_site;  // 1 where a town, landmark or item sits
    std::vector<std::uint8_t> m_road;  // connection bits: 1 north, 2 east, 4 south, 8 west
    std::vector<MapSite> m_placed;
};
