#include "DemoCartridge.h"

#include "OverworldGenerator.h"
#include "core/CharacterFields.h"
#include "core/LocationFields.h"
#include "core/MapGeometry.h"
#include "core/PriceFields.h"

#include <array>
#include <cstring>

namespace {

// Every offset comes from the editor's own tables (core), so the demo
// cartridge puts each value exactly where the editor looks for it. The town
// table holds 29 (column, row) pairs from the first town's on.

// Torch, Gem, Key, Oil, Sextant, Sling, Bow, X-Bow, +1 Bow
constexpr std::int16_t ToolPriceList[9] = {10, 50, 30, 20, 400, 25, 120, 450, 1200};
// Staff, Club, Axe, Sword, +1 Sword, +2 Sword, +1 Axe, Wand
constexpr std::int16_t WeaponPriceList[8] = {15, 20, 80, 150, 800, 2000, 700, 1500};
// Cloth, Leather, Chain, Ring, +1 Cloth, Plate, +1 Chain, +1 Plate
constexpr std::int16_t ArmourPriceList[8] = {20, 60, 200, 600, 350, 900, 1200, 2500};
constexpr const std::int16_t* ItemPriceRuns[3] = {ToolPriceList, WeaponPriceList, ArmourPriceList};
constexpr std::size_t ItemPriceRunLengths[3] = {9, 8, 8};
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

void putSite(std::vector<std::uint8_t>& image, const LocationFields::Row& row, MapSite site)
{
    image[static_cast<std::size_t>(row.columnOffset)] = site.column;
    image[static_cast<std::size_t>(row.rowOffset)] = site.row;
}

// A one- or two-byte field of the editor's tables.
void putField(std::vector<std::uint8_t>& image, const NumberField& field, std::int16_t value)
{
    const auto at = static_cast<std::size_t>(field.offset);
    if (field.width == 2)
        put16(image, at, value);
    else
        image[at] = static_cast<std::uint8_t>(value);
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
        const int r = static_cast<int>(row);
        const auto at = static_cast<std::size_t>(MapGeometry::MapByteOffset(
            *MapGeometry::BlockStart(MapGeometry::BlockOfRow(r)), r % MapCell::BlockRows, 0));
        std::memcpy(image.data() + at, world.tiles.data() + row * Overworld::Width, Overworld::Width);
    }

    const qint64 townTable = LocationFields::Towns().rows.first().columnOffset;
    for (std::size_t k = 0; k < world.locations.size(); ++k) {
        const qint64 column = townTable + 2 * static_cast<qint64>(k);
        putSite(image, LocationFields::Row{{}, column, column + 1}, world.locations[k]);
    }
    const auto& items = LocationFields::Items().rows;  // five items, then the balloon
    for (std::size_t k = 0; k < world.specialItems.size(); ++k)
        putSite(image, items[static_cast<qsizetype>(k)], world.specialItems[k]);
    putSite(image, items.last(), world.balloon);

    const auto& prices = PriceFields::Prices();  // 25 items in three runs, then the herbs
    qsizetype price = 0;
    for (std::size_t run = 0; run < 3; ++run)
        for (std::size_t i = 0; i < ItemPriceRunLengths[run]; ++i)
            putField(image, prices[price++].field, ItemPriceRuns[run][i]);
    for (std::size_t i = 0; i < 6; ++i)
        putField(image, prices[price++].field, HerbPriceList[i]);

    using namespace CharacterFields;
    for (int c = 0; c < 8; ++c) {
        const ClassStart& k = Classes[c];
        const std::int16_t stats[StatCount] = {k.level,        k.hitPoints, k.magicPoints, k.strength,
                                               k.intelligence, k.dexterity, k.experience};
        for (int stat = 0; stat < StatCount; ++stat)
            putField(image, StatField(stat, c), stats[stat]);
        putField(image, HerbField(c), StartingHerbs[c]);
        image[static_cast<std::size_t>(Equip1Offset(c))] = k.weapon;
        image[static_cast<std::size_t>(Equip2Offset(c))] = k.armour;
    }
    return image;
}
