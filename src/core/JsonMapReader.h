#pragma once

#include "core/TiledMapHeader.h"

#include <QByteArray>
#include <QJsonArray>
#include <QString>

#include <optional>

// Reads a Tiled map saved as JSON (.tmj or .json): the map's members, its
// tilesets (embedded, or external files through the loader), and its tile
// layers, those inside groups too, with the cells as an array of ids or as
// base64 (plain, zlib or gzip).
class JsonMapReader {
public:
    // The overworld's tile numbers from the text of a JSON map; or nothing with the reason.
    static std::optional<QByteArray> Read(const QByteArray& bytes, const TiledMapHeader::TilesetLoader& load,
                                          QString* reason);

private:
    bool readMap(const QByteArray& bytes, QString* reason);
    void readLayers(const QJsonArray& layers);
    static TiledMapHeader::Layer ReadLayer(const QJsonObject& object);

    TiledMapHeader m_header;
};
