#include "core/JsonMapReader.h"

#include <QJsonDocument>
#include <QJsonObject>

std::optional<QByteArray> JsonMapReader::Read(const QByteArray& bytes, const TiledMapHeader::TilesetLoader& load,
                                              QString* reason)
{
    JsonMapReader reader;
    return reader.readMap(bytes, reason) ? reader.m_header.tiles(load, reason) : std::nullopt;
}

bool JsonMapReader::readMap(const QByteArray& bytes, QString* reason)
{
    const std::optional<QJsonObject> read = TiledMapHeader::TiledJson(bytes, QStringLiteral("map"), reason);
    if (!read) {
        return false;
    }
    const QJsonObject& map = *read;
    m_header.orientation = map.value(QLatin1String("orientation")).toString();
    m_header.width = TiledMapHeader::WholeNumber(map.value(QLatin1String("width")));
    m_header.height = TiledMapHeader::WholeNumber(map.value(QLatin1String("height")));
    m_header.infinite = map.value(QLatin1String("infinite")).toBool();
    for (const QJsonValue& value : map.value(QLatin1String("tilesets")).toArray()) {
        const QJsonObject tileset = value.toObject();
        m_header.tilesets.append({TiledMapHeader::WholeNumber(tileset.value(QLatin1String("firstgid"))),
                                  tileset.value(QLatin1String("source")).toString(),
                                  TiledMapHeader::WholeNumber(tileset.value(QLatin1String("tilecount")))});
    }
    readLayers(map.value(QLatin1String("layers")).toArray());
    return true;
}

void JsonMapReader::readLayers(const QJsonArray& layers)
{
    for (const QJsonValue& value : layers) {
        const QJsonObject object = value.toObject();
        const QString type = object.value(QLatin1String("type")).toString();
        if (type == u"group") {
            readLayers(object.value(QLatin1String("layers")).toArray());
        }
        const QString name = object.value(QLatin1String("name")).toString();
        if (type == u"tilelayer" && m_header.countLayer(name)) {
            m_header.keep(name, ReadLayer(object));
        }
    }
}

TiledMapHeader::Layer JsonMapReader::ReadLayer(const QJsonObject& object)
{
    TiledMapHeader::Layer layer;
    layer.width = TiledMapHeader::WholeNumber(object.value(QLatin1String("width")));
    layer.height = TiledMapHeader::WholeNumber(object.value(QLatin1String("height")));
    const QJsonValue data = object.value(QLatin1String("data"));
    const QString encoding = object.value(QLatin1String("encoding")).toString(QStringLiteral("csv"));
    layer.compression = object.value(QLatin1String("compression")).toString();
    if (object.contains(u"chunks")) {
        layer.problem = QStringLiteral("the layer data is in chunks, as only an infinite map stores it");
    } else if (encoding == u"base64" && data.isString()) {
        layer.form = TiledMapHeader::Layer::Form::Base64;
        layer.text = data.toString();
    } else if (encoding == u"csv" && data.isArray()) {
        layer.form = TiledMapHeader::Layer::Form::Gids;
        const QJsonArray cells = data.toArray();  // its size is checked with the other forms
        for (qsizetype i = 0; i < cells.size() && layer.problem.isEmpty(); ++i) {
            const auto gid = TiledMapHeader::WholeNumber(cells[i]);
            if (!gid) {
                layer.problem =
                    QStringLiteral("the layer data holds %1, which is not a tile id")
                        .arg(QString::fromUtf8(QJsonDocument(QJsonArray{cells[i]}).toJson(QJsonDocument::Compact))
                                 .mid(1)
                                 .chopped(1)
                                 .left(20));
            }
            layer.gids.append(static_cast<quint32>(gid.value_or(0)));
        }
    } else if (encoding != u"csv" && encoding != u"base64") {
        layer.problem = QStringLiteral("the layer data has the unknown encoding \"%1\"").arg(encoding.left(20));
    } else {
        layer.problem = QStringLiteral("the layer data is not what its encoding \"%1\" says").arg(encoding);
    }
    return layer;
}
