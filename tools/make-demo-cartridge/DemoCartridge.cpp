#include "DemoCartridge.h"

#include "OverworldGenerator.h"

#include <array>
#include <cstring>

namespace {

// File offsets (the 16-byte header included).
constexpr std::size_t MapBlockBase = 16400;  // block b (0..7) at MapBlockBase + b * 16384
constexpr std::size_t MapBlockStride = 16384;
constexpr std::size_t RowsPerBlock = 32;
constexpr std::size_t LocationTable = 0x3EABD;  // 29 (column, row) pairs
constexpr std::size_t BalloonColumn = 0x355E9;  // column, then row
constexpr std::size_t ClassTable = 0x355ED;
constexpr std::size_t ItemSpots[5] = {0x61A0, 0x61A4, 0x61A8, 0x61AC, 0x61B4};
constexpr std::size_t ToolPrices = 3847;  // 9 signed 16-bit prices
constexpr std::size_t WeaponPrices = 3867;  // 8
constexpr std::size_t ArmourPrices = 3887;  // 8
constexpr std::size_t HerbPrices = 3907;  // 6 single bytes

// Torch, Gem, Key, Oil, Sextant, Sling, Bow, X-Bow, +1 Bow
constexpr std::int16_t ToolPriceList[9] = {10, 50, 30, 20, 400, 25, 120, 450, 1200};
// Staff, Club, Axe, Sword, +1 Sword, +2 Sword, +1 Axe, Wand
constexpr std::int16_t WeaponPriceList[8] = {15, 20, 80, 150, 800, 2000, 700, 1500};
// Cloth, Leather, Chain, Ring, +1 Cloth, Plate, +1 Chain, +1 Plate
constexpr std::int16_t ArmourPriceList[8] = {20, 60, 200, 600, 350, 900, 1200, 2500};
// Ash, Ginseng, Garlic, Silkweb, Moss, Pearl
constexpr std::uint8_t HerbPriceList[6] = {8, 12, 6, 15, 20, 40};

struct ClassStart {
    std::uint8_t level;
    std::int16_t hitPoints;
    std::uint8_t magicPoints, strength, intelligence, dexterity;
    std::int16_t experience;
    std::uint8_t weapon, armour;
};

// Mage, Bard, Fighter, Druid, Tinker, Paladin, Ranger, Shepherd
constexpr ClassStart Classes[8] = {
    {2, 30, 30, 8, 22, 14, 150, 134, 152},  // Staff, Robe
    {1, 40, 12, 12, 15, 20, 60, 129, 145},  // Sling, Leather
    {3, 72, 0, 23, 8, 15, 320, 137, 146},  // Sword, Chain
    {2, 38, 26, 10, 20, 14, 140, 135, 144},  // Club, Cloth
    {1, 45, 8, 14, 17, 19, 40, 133, 145},  // Dagger, Leather
    {3, 64, 16, 20, 12, 12, 300, 137, 149},  // Sword, Plate
    {2, 52, 14, 16, 13, 21, 170, 130, 145},  // Bow, Leather
    {1, 28, 4, 11, 10, 12, 0, 134, 144},  // Staff, Cloth
};
constexpr std::uint8_t StartingHerbs[8] = {3, 3, 2, 1, 1, 0, 2, 1};

void put16(std::vector<std::uint8_t>& image, std::size_t at, std::int16_t value)
{
    const auto bits = static_cast<std::uint16_t>(value);
    image[at] = static_cast<std::uint8_t>(bits & 0xFF);
    image[at + 1] = static_cast<std::uint8_t>(bits >> 8);
}

void putSite(std::vector<std::uint8_t>& image, std::size_t at, MapSite site)
{
    image[at] = site.column;
    image[at + 1] = site.row;
}

// Filler that looks like program code and data rather than a blank ROM:
// a xorshift stream, never long runs of one value.
void fill(std::vector<std::uint8_t>& image, std::uint32_t seed)
{
    std::uint64_t state = 0x9E3779B97F4A7C15ull ^ seed;
    for (std::size_t i = 0; i < image.size(); ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        image[i] = static_cast<std::uint8_t>(state >> 24);
    }
}

}  // namespace

std::vector<std::uint8_t> DemoCartridge::build(std::uint32_t seed)
{
    std::vector<std::uint8_t> image(FileSize);
    fill(image, seed);

    constexpr std::uint8_t header[HeaderSize] = {'N', 'E', 'S', 0x1A, BankCount, 0, 0x12};
    std::memcpy(image.data(), header, HeaderSize);

    OverworldGenerator generator(seed);
    const Overworld world = generator.generate();
    for (std::size_t row = 0; row < Overworld::Height; ++row) {
        const std::size_t at =
            MapBlockBase + MapBlockStride * (row / RowsPerBlock) + Overworld::Width * (row % RowsPerBlock);
        std::memcpy(image.data() + at, world.tiles.data() + row * Overworld::Width, Overworld::Width);
    }

    for (std::size_t k = 0; k < world.locations.size(); ++k)
        putSite(image, LocationTable + 2 * k, world.locations[k]);
    for (std::size_t k = 0; k < world.specialItems.size(); ++k)
        putSite(image, ItemSpots[k], world.specialItems[k]);
    putSite(image, BalloonColumn, world.balloon);

    for (std::size_t i = 0; i < 9; ++i)
        put16(image, ToolPrices + 2 * i, ToolPriceList[i]);
    for (std::size_t i = 0; i < 8; ++i)
        put16(image, WeaponPrices + 2 * i, WeaponPriceList[i]);
    for (std::size_t i = 0; i < 8; ++i)
        put16(image, ArmourPrices + 2 * i, ArmourPriceList[i]);
    for (std::size_t i = 0; i < 6; ++i)
        image[HerbPrices + i] = HerbPriceList[i];

    for (std::size_t c = 0; c < 8; ++c) {
        const ClassStart& k = Classes[c];
        image[ClassTable + c] = k.level;
        put16(image, ClassTable + 0x08 + 2 * c, k.hitPoints);
        image[ClassTable + 0x18 + c] = k.magicPoints;
        image[ClassTable + 0x20 + c] = k.strength;
        image[ClassTable + 0x28 + c] = k.intelligence;
        image[ClassTable + 0x30 + c] = k.dexterity;
        put16(image, ClassTable + 0x38 + 2 * c, k.experience);
        image[ClassTable + 0x48 + c] = StartingHerbs[c];
        image[ClassTable + 0x50 + 2 * c] = k.weapon;
        image[ClassTable + 0x51 + 2 * c] = k.armour;
    }
    return image;
}
