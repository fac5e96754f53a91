#pragma once

#include "core/LayerData.h"

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

// What a Tiled map says that matters to the overworld, whichever format it
// came in (the TMX and the JSON reader fill it in), and the rules that turn
// it into the overworld's tile numbers: orthogonal, finite, 256 x 256 cells,
// one tile layer (or exactly one named "Overworld" among several), every cell
// a tile 0..255 of the tileset of the first cell, neither flipped nor rotated.
class TiledMapHeader {
public:
    // The bytes of the external tileset that a map names `source` (as the map
    // writes it), or nothing with the reason (naming the file) in `reason`.
    using TilesetLoader = std::function<std::optional<QByteArray>(const QString& source, QString* reason)>;

    struct Tileset {
        std::optional<qint64> firstGid;
        QString source;  // empty for an embedded tileset
        std::optional<qint64> tileCount;
    };

    // A tile layer's cells as the file stores them; decoded only for the layer chosen.
    struct Layer {
        std::optional<qint64> width;
        std::optional<qint64> height;
        enum class Form { Missing, Csv, Base64, Gids } form = Form::Missing;
        QString text;
        QString compression;
        LayerData::Gids gids;
        QString problem;  // found while reading it
    };

    QString orientation;
    std::optional<qint64> width;
    std::optional<qint64> height;
    bool infinite = false;
    QList<Tileset> tilesets;

    // Counts a tile layer named `name`; true when its cells may be needed (it
    // is the first tile layer, or the first named "Overworld"): keep() it then.
    bool countLayer(const QString& name);
    void keep(const QString& name, const Layer& layer);

    // The overworld's 65,536 tile numbers, row 0 first; or nothing with the reason.
    std::optional<QByteArray> tiles(const TilesetLoader& load, QString* reason);

    // Whole numbers in the range Tiled stores ids in; nothing for anything else.
    static std::optional<qint64> WholeNumber(QStringView text);
    static std::optional<qint64> WholeNumber(const QJsonValue& value);
    // The top object of a Tiled JSON file whose "type", where it has one, is `type`.
    static std::optional<QJsonObject> TiledJson(const QByteArray& bytes, const QString& type, QString* reason);
    // "row 3, column 17": where cell `cell` (row by row from the top left) lies.
    static QString CellText(qsizetype cell);
    // Sets the reason, where one is wanted; false.
    static bool Fail(QString* reason, const QString& text);

private:
    bool resolveTilesets(const TilesetLoader& load, QString* reason);
    std::optional<LayerData::Gids> decode(const Layer& layer, QString* reason) const;
    std::optional<QByteArray> tilesOf(const LayerData::Gids& gids, QString* reason) const;

    int m_tileLayers = 0;
    int m_overworldLayers = 0;
    std::optional<Layer> m_first;  // the first tile layer
    std::optional<Layer> m_overworld;  // the first one named "Overworld"
};
