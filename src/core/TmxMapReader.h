#pragma once

#include "core/TiledMapHeader.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include <optional>

// Reads a Tiled map saved as TMX (XML): the map's attributes, its tilesets
// (embedded, or external files through the loader), and its tile layers,
// those inside groups too, with the cells as CSV, base64 (plain, zlib or
// gzip) or one <tile> element each.
class TmxMapReader {
public:
    // The overworld's tile numbers from the text of a TMX map; or nothing with the reason.
    static std::optional<QByteArray> Read(const QByteArray& bytes, const TiledMapHeader::TilesetLoader& load,
                                          QString* reason);

private:
    explicit TmxMapReader(const QByteArray& bytes);

    bool readMap(QString* reason);
    void readLayer();
    void readData(TiledMapHeader::Layer& layer);
    void readTileElements(TiledMapHeader::Layer& layer);
    std::optional<qint64> attributeNumber(const char* name) const;

    QXmlStreamReader m_xml;
    TiledMapHeader m_header;
};
