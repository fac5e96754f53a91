#include "core/TiledMapHeader.h"

#include "core/MapCell.h"
#include "core/NumberText.h"
#include "core/TileRaster.h"

#include <QHash>
#include <QJsonDocument>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace {

const QString OverworldLayer = QStringLiteral("Overworld");

// "256 x 1 cells", "1 x 1 cell", "? x 256 cells" for a size not given.
QString sizeText(const std::optional<qint64>& width, const std::optional<qint64>& height)
{
    const auto number = [](const std::optional<qint64>& value) {
        return value ? QString::number(*value) : QStringLiteral("?");
    };
    return QStringLiteral("%1 x %2 %3")
        .arg(number(width), number(height),
             width == 1 && height == 1 ? QStringLiteral("cell") : QStringLiteral("cells"));
}

// The tile count of an external tileset file (TSX or JSON, told apart by
// their first character); false for a file that is no tileset.
bool readTilesetFile(const QByteArray& bytes, std::optional<qint64>* tileCount, QString* reason)
{
    if (bytes.trimmed().startsWith('<')) {
        QXmlStreamReader xml(bytes);
        if (!xml.readNextStartElement() || xml.name() != u"tileset") {
            return TiledMapHeader::Fail(reason, xml.hasError()
                                                    ? QStringLiteral("its XML is malformed: %1").arg(xml.errorString())
                                                    : QStringLiteral("it is not a Tiled tileset"));
        }
        *tileCount = TiledMapHeader::WholeNumber(xml.attributes().value(QLatin1String("tilecount")));
        return true;
    }
    const std::optional<QJsonObject> tileset = TiledMapHeader::TiledJson(bytes, QStringLiteral("tileset"), reason);
    if (tileset) {
        *tileCount = TiledMapHeader::WholeNumber(tileset->value(QLatin1String("tilecount")));
    }
    return tileset.has_value();
}

}  // namespace

bool TiledMapHeader::Fail(QString* reason, const QString& text)
{
    if (reason) {
        *reason = text;
    }
    return false;
}

std::optional<qint64> TiledMapHeader::WholeNumber(QStringView text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok && value >= 0 && value <= 0xFFFFFFFFLL ? std::optional(value) : std::nullopt;
}

std::optional<qint64> TiledMapHeader::WholeNumber(const QJsonValue& value)
{
    const double d = value.toDouble(-1);
    return value.isDouble() && d >= 0 && d <= 4294967295.0 && d == std::floor(d) ? std::optional(static_cast<qint64>(d))
                                                                                 : std::nullopt;
}

std::optional<QJsonObject> TiledMapHeader::TiledJson(const QByteArray& bytes, const QString& type, QString* reason)
{
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parsed);
    const QJsonObject object = document.object();
    if (parsed.error != QJsonParseError::NoError) {
        Fail(reason,
             QStringLiteral("its JSON is malformed at byte %1: %2").arg(parsed.offset).arg(parsed.errorString()));
        return std::nullopt;
    }
    if (!document.isObject() || object.value(QLatin1String("type")).toString(type) != type) {
        Fail(reason, QStringLiteral("it is not a Tiled %1").arg(type));
        return std::nullopt;
    }
    return object;
}

QString TiledMapHeader::CellText(qsizetype cell)
{
    return QStringLiteral("row %1, column %2").arg(cell / MapCell::Columns).arg(cell % MapCell::Columns);
}

bool TiledMapHeader::countLayer(const QString& name)
{
    ++m_tileLayers;
    m_overworldLayers += name == OverworldLayer ? 1 : 0;
    return m_tileLayers == 1 || (name == OverworldLayer && m_overworldLayers == 1);
}

void TiledMapHeader::keep(const QString& name, const Layer& layer)
{
    if (m_tileLayers == 1) {
        m_first = layer;
    }
    if (name == OverworldLayer && m_overworldLayers == 1) {
        m_overworld = layer;
    }
}

// Reads every external tileset (each file once) and orders them by first gid.
bool TiledMapHeader::resolveTilesets(const TilesetLoader& load, QString* reason)
{
    QHash<QString, std::optional<qint64>> counts;
    for (Tileset& tileset : tilesets) {
        if (!tileset.firstGid || *tileset.firstGid == 0) {
            return Fail(reason, QStringLiteral("one of its tilesets has no valid first gid"));
        }
        if (tileset.source.isEmpty()) {
            continue;
        }
        if (!counts.contains(tileset.source)) {
            QString why;
            const std::optional<QByteArray> bytes = load ? load(tileset.source, &why) : std::nullopt;
            std::optional<qint64> count;
            if (!bytes || !readTilesetFile(*bytes, &count, &why)) {
                return Fail(reason,
                            QStringLiteral("its tileset \"%1\" could not be read: %2").arg(tileset.source, why));
            }
            counts.insert(tileset.source, count);
        }
        tileset.tileCount = counts.value(tileset.source);
    }
    std::stable_sort(tilesets.begin(), tilesets.end(),
                     [](const Tileset& a, const Tileset& b) { return *a.firstGid < *b.firstGid; });
    return true;
}

std::optional<LayerData::Gids> TiledMapHeader::decode(const Layer& layer, QString* reason) const
{
    if (!layer.problem.isEmpty()) {
        Fail(reason, layer.problem);
        return std::nullopt;
    }
    switch (layer.form) {
    case Layer::Form::Missing: Fail(reason, QStringLiteral("its tile layer has no data")); return std::nullopt;
    case Layer::Form::Csv: return LayerData::FromCsv(layer.text, reason);
    case Layer::Form::Base64: return LayerData::FromBase64(layer.text, layer.compression, reason);
    case Layer::Form::Gids: break;
    }
    if (layer.gids.size() != MapCell::Count) {
        Fail(reason,
             NumberText::Counted(layer.gids.size(), QStringLiteral("the layer data has %1 cell; the overworld has %2"),
                                 QStringLiteral("the layer data has %1 cells; the overworld has %2"))
                 .arg(MapCell::Count));
        return std::nullopt;
    }
    return layer.gids;
}

// The tile numbers of the cells, each within the tileset of the first cell.
std::optional<QByteArray> TiledMapHeader::tilesOf(const LayerData::Gids& gids, QString* reason) const
{
    QByteArray tiles(MapCell::Count, '\0');
    qsizetype overworldTileset = -1;
    for (qsizetype cell = 0; cell < gids.size(); ++cell) {
        const quint32 gid = gids[cell];
        if (gid & LayerData::FlipFlags) {
            Fail(reason, QStringLiteral("the tile at %1 is flipped or rotated").arg(CellText(cell)));
            return std::nullopt;
        }
        if (gid == 0) {
            Fail(reason, QStringLiteral("the cell at %1 is empty").arg(CellText(cell)));
            return std::nullopt;
        }
        const auto after = std::upper_bound(tilesets.begin(), tilesets.end(), gid,
                                            [](quint32 g, const Tileset& t) { return g < *t.firstGid; });
        const qsizetype index = after - tilesets.begin() - 1;
        const qint64 number = index < 0 ? -1 : gid - *tilesets[index].firstGid;
        if (index < 0 || (tilesets[index].tileCount && number >= *tilesets[index].tileCount)) {
            Fail(reason,
                 QStringLiteral("the tile at %1 (gid %2) is in none of its tilesets").arg(CellText(cell)).arg(gid));
            return std::nullopt;
        }
        if (overworldTileset < 0) {
            overworldTileset = index;
        }
        if (index != overworldTileset) {
            Fail(reason, QStringLiteral("the tile at %1 is from another tileset than the tile at row 0, column 0")
                             .arg(CellText(cell)));
            return std::nullopt;
        }
        if (number >= TileRaster::Tiles) {
            Fail(reason, QStringLiteral("the tile at %1 is tile %2 of its tileset; the overworld's tiles are 0 to 255")
                             .arg(CellText(cell))
                             .arg(number));
            return std::nullopt;
        }
        tiles[cell] = static_cast<char>(number);
    }
    return tiles;
}

std::optional<QByteArray> TiledMapHeader::tiles(const TilesetLoader& load, QString* reason)
{
    if (orientation != u"orthogonal") {
        Fail(reason, QStringLiteral("its orientation is \"%1\"; only an orthogonal map can be imported")
                         .arg(orientation.left(20)));
        return std::nullopt;
    }
    if (infinite) {
        Fail(reason, QStringLiteral("it is an infinite map; the overworld is 256 x 256 cells"));
        return std::nullopt;
    }
    if (width != MapCell::Columns || height != MapCell::Rows) {
        Fail(reason, QStringLiteral("it is %1; the overworld is 256 x 256").arg(sizeText(width, height)));
        return std::nullopt;
    }
    if (!resolveTilesets(load, reason)) {
        return std::nullopt;
    }
    if (m_tileLayers == 0) {
        Fail(reason, QStringLiteral("it has no tile layer"));
        return std::nullopt;
    }
    if (m_overworldLayers > 1 || (m_overworldLayers == 0 && m_tileLayers > 1)) {
        Fail(reason, m_overworldLayers > 1
                         ? QStringLiteral("it has %1 tile layers named \"Overworld\"").arg(m_overworldLayers)
                         : QStringLiteral("it has %1 tile layers and none is named \"Overworld\"").arg(m_tileLayers));
        return std::nullopt;
    }
    const Layer& layer = m_overworld ? *m_overworld : *m_first;
    if (layer.width != MapCell::Columns || layer.height != MapCell::Rows) {
        Fail(reason, QStringLiteral("its tile layer is %1; the overworld is 256 x 256")
                         .arg(sizeText(layer.width, layer.height)));
        return std::nullopt;
    }
    const std::optional<LayerData::Gids> gids = decode(layer, reason);
    return gids ? tilesOf(*gids, reason) : std::nullopt;
}
