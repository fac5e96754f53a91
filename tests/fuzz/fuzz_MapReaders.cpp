// Map readers: read whole or refused with a reason; what is read reads back the same.
// The first byte chooses the reader; the map runs to the first NUL, the tileset follows.
#include "FuzzCheck.h"
#include "core/LayerData.h"
#include "core/TiledMapReader.h"
#include "core/TiledMapWriter.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const QByteArray input(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    const qsizetype split = input.indexOf('\0');
    const QByteArray map = split < 0 ? input : input.left(split);
    const QByteArray tileset = split < 0 ? QByteArray() : input.mid(split + 1);
    const auto kind = static_cast<MapFormat::Kind>(data[0] % 3);
    const TiledMapReader::TilesetLoader load = [&](const QString&, QString*) { return tileset; };

    QString error;
    const std::optional<QByteArray> tiles = TiledMapReader::Read(map, kind, QStringLiteral("fuzz"), load, &error);
    check(tiles ? tiles->size() == 65536
                : error.startsWith(QStringLiteral("The map \"fuzz\" could not be imported: ")));
    if (tiles) {
        const QByteArray again = TiledMapWriter::Tmx(*tiles, {}, QStringLiteral("t.tsx"));
        const TiledMapReader::TilesetLoader ours = [](const QString&, QString*) {
            return TiledMapWriter::Tsx(QStringLiteral("t"), QStringLiteral("t.png"));
        };
        check(TiledMapReader::Read(again, MapFormat::Kind::Tmx, QString(), ours, nullptr) == tiles);
    }

    // The layer data readers on their own, with each compression.
    const QString text = QString::fromLatin1(map);
    for (const char* compression : {"", "zlib", "gzip"}) {
        const auto gids = LayerData::FromBase64(text, QString::fromLatin1(compression), &error);
        check(!gids || gids->size() == MapCell::Count);
    }
    const auto gids = LayerData::FromCsv(text, &error);
    check(!gids || gids->size() == MapCell::Count);
    return 0;
}
