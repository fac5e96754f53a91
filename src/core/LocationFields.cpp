#include "core/LocationFields.h"

#include <algorithm>

namespace LocationFields {

namespace {

Table makeTable(QList<Row> rows)
{
    Table table;
    for (const Row& r : rows) {
        table.requiredLength = std::max({table.requiredLength, r.columnOffset + 1, r.rowOffset + 1});
    }
    table.rows = std::move(rows);
    return table;
}

// Town entries are two bytes each, counted from the first one.
Row town(const char* label, int entry)
{
    constexpr qint64 FirstEntry = 0x3EABD;
    const qint64 column = FirstEntry + 2 * entry;
    return Row{QString::fromLatin1(label), column, column + 1};
}

QByteArray byteOf(int value)
{
    return QByteArray(1, static_cast<char>(static_cast<quint8>(value)));
}

}  // namespace

const Table& Items()
{
    static const Table table = makeTable({
        {QStringLiteral("Silver Horn:"), 0x61A0, 0x61A1},
        {QStringLiteral("Skull of Kerrath:"), 0x61A4, 0x61A5},
        {QStringLiteral("Fungus Square:"), 0x61A8, 0x61A9},
        {QStringLiteral("Manroot Square:"), 0x61AC, 0x61AD},
        {QStringLiteral("Bell of Courage:"), 0x61B4, 0x61B5},
        {QStringLiteral("Balloon(transport):"), 0x355E9, 0x355EA},
    });
    return table;
}

const Table& Towns()
{
    static const Table table = makeTable({
        town("Ferrow:", 0),
        town("Olm:", 2),
        town("Duskel:", 6),
        town("Brask:", 11),
        town("Hollin:", 14),
        town("Wendle Isle:", 19),
        town("Starfen:", 20),
        town("Tallow:", 21),
        town("Rookhaven:", 22),
        town("Saltmere:", 24),
        town("Corvast:", 25),
        town("Dravel:", 28),
    });
    return table;
}

std::optional<MapCells> Read(const QString& path, const Table& table, QString* error)
{
    // The length first, so that a short file is named with the length it lacks.
    const std::optional<qint64> size = CartridgeFile::size(path, error);
    if (!size) {
        return std::nullopt;
    }
    if (*size < table.requiredLength) {
        if (error) {
            *error = CartridgeFile::tooShortText(path, *size, table.requiredLength);
        }
        return std::nullopt;
    }
    // Every row in one read, from the lowest offset the table names to its last.
    qint64 first = table.requiredLength;
    for (const Row& r : table.rows) {
        first = std::min({first, r.columnOffset, r.rowOffset});
    }
    const std::optional<QByteArray> bytes = CartridgeFile::read(path, first, table.requiredLength - first, error);
    if (!bytes) {
        return std::nullopt;
    }
    const auto byteAt = [&](qint64 offset) { return static_cast<quint8>(bytes->at(offset - first)); };
    MapCells locations;
    for (const Row& r : table.rows) {
        locations << MapCell{byteAt(r.columnOffset), byteAt(r.rowOffset)};
    }
    return locations;
}

QList<FilePatch> Patches(const Table& table, const MapCells& locations)
{
    Q_ASSERT(locations.size() == table.rows.size());
    QList<FilePatch> patches;
    for (qsizetype i = 0; i < table.rows.size() && i < locations.size(); ++i) {
        const Row& r = table.rows[i];
        patches << FilePatch{r.columnOffset, byteOf(locations[i].column)}
                << FilePatch{r.rowOffset, byteOf(locations[i].row)};
    }
    return patches;
}

}  // namespace LocationFields
