#include "core/TiledMapWriter.h"

#include "core/FileSetWriter.h"
#include "core/LayerData.h"
#include "core/MapGeometry.h"
#include "core/OverworldTiles.h"
#include "core/TileRaster.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QVariant>
#include <QXmlStreamWriter>

namespace TiledMapWriter {

namespace {

using MapFormat::LayerEncoding;

constexpr int Cell = MapGeometry::CellSize;
constexpr int TilesetColumns = 16;
constexpr int TilesetSize = TilesetColumns * Cell;  // 256 pixels each way
const QString FormatVersion = QStringLiteral("1.8");
const QString LayerName = QStringLiteral("Overworld");
const QString LocationsName = QStringLiteral("Locations");

LayerData::Gids gidsOf(const QByteArray& tiles)
{
    LayerData::Gids gids(tiles.size());
    for (qsizetype i = 0; i < tiles.size(); ++i) {
        gids[i] = static_cast<quint8>(tiles[i]) + 1U;
    }
    return gids;
}

bool isBase64(LayerEncoding encoding)
{
    return encoding != LayerEncoding::Csv && encoding != LayerEncoding::Xml;
}

QString compressionName(LayerEncoding encoding)
{
    return encoding == LayerEncoding::Base64Zlib   ? QStringLiteral("zlib")
           : encoding == LayerEncoding::Base64Gzip ? QStringLiteral("gzip")
                                                   : QString();
}

QPoint centreOf(const MapLocation& location)
{
    return {Cell * location.cell.column + Cell / 2, Cell * location.cell.row + Cell / 2};
}

// Tiled's JSON layout: keys in order, "key":value without spaces, an object
// in an array on lines of its own indented by four spaces a level, array
// items separated by ", ", every character above 127 as \uXXXX and "/" as "\/".
void escapeInto(QByteArray& out, const QString& text)
{
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '/': out += "\\/"; break;
        default:
            if (c.unicode() > 127) {
                out += "\\u" + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
            } else {
                out += static_cast<char>(c.unicode());
            }
        }
    }
}

void stringify(QByteArray& out, const QVariant& value, int depth)
{
    switch (value.typeId()) {
    case QMetaType::QVariantList: {
        const QVariantList list = value.toList();
        out += '[';
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (i > 0) {
                out += ", ";
            }
            stringify(out, list[i], depth + 1);
        }
        out += ']';
        break;
    }
    case QMetaType::QVariantMap: {
        const QVariantMap map = value.toMap();
        const QByteArray indent(4 * depth, ' ');
        out += depth == 0 ? QByteArray("{") : '\n' + indent + "{\n";
        for (auto it = map.begin(); it != map.end(); ++it) {
            if (it != map.begin()) {
                out += ",\n";
            }
            out += indent + " \"";
            escapeInto(out, it.key());
            out += "\":";
            stringify(out, it.value(), depth + 1);
        }
        out += '\n' + indent + '}';
        break;
    }
    case QMetaType::QString:
        out += '"';
        escapeInto(out, value.toString());
        out += '"';
        break;
    case QMetaType::Bool: out += value.toBool() ? "true" : "false"; break;
    default: out += QByteArray::number(value.toLongLong());
    }
}

QByteArray jsonText(const QVariantMap& document)
{
    QByteArray out;
    stringify(out, document, 0);
    return out;
}

// The start of a document as Tiled's XML writer makes it.
void startXml(QXmlStreamWriter& xml)
{
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
}

void writeXmlLayerData(QXmlStreamWriter& xml, const LayerData::Gids& gids, LayerEncoding encoding)
{
    xml.writeStartElement(QStringLiteral("data"));
    if (encoding == LayerEncoding::Xml) {
        for (const quint32 gid : gids) {
            xml.writeEmptyElement(QStringLiteral("tile"));
            xml.writeAttribute(QStringLiteral("gid"), QString::number(gid));
        }
    } else if (encoding == LayerEncoding::Csv) {
        xml.writeAttribute(QStringLiteral("encoding"), QStringLiteral("csv"));
        xml.writeCharacters(QString::fromLatin1('\n' + LayerData::NumberRows(gids, MapCell::Columns, ",\n") + '\n'));
    } else {
        xml.writeAttribute(QStringLiteral("encoding"), QStringLiteral("base64"));
        if (encoding != LayerEncoding::Base64) {
            xml.writeAttribute(QStringLiteral("compression"), compressionName(encoding));
        }
        xml.writeCharacters(
            QStringLiteral("\n   %1\n  ").arg(QString::fromLatin1(LayerData::Base64Text(gids, encoding))));
    }
    xml.writeEndElement();
}

QByteArray pngBytes(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setCompression(23);
    writer.write(picture);
    return bytes;
}

}  // namespace

QImage TilesetPicture(const QImage& strip)
{
    QImage picture(TilesetSize, TilesetSize, TileRaster::Format);
    picture.fill(Qt::black);
    for (int t = 0; t < TileRaster::Tiles; ++t) {
        TileRaster::CopyTileToCell(strip, t, picture, Cell * (t % TilesetColumns), Cell * (t / TilesetColumns));
    }
    return picture;
}

QByteArray Tmx(const QByteArray& tiles, const QList<MapLocation>& locations, const QString& tilesetSource,
               LayerEncoding encoding)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    startXml(xml);
    xml.writeStartElement(QStringLiteral("map"));
    const QList<std::pair<const char*, QString>> mapAttributes = {
        {"version", FormatVersion},
        {"orientation", QStringLiteral("orthogonal")},
        {"renderorder", QStringLiteral("right-down")},
        {"width", QString::number(MapCell::Columns)},
        {"height", QString::number(MapCell::Rows)},
        {"tilewidth", QString::number(Cell)},
        {"tileheight", QString::number(Cell)},
        {"infinite", QStringLiteral("0")},
        {"nextlayerid", QStringLiteral("3")},
        {"nextobjectid", QString::number(locations.size() + 1)},
    };
    for (const auto& [name, value] : mapAttributes) {
        xml.writeAttribute(QLatin1String(name), value);
    }
    xml.writeEmptyElement(QStringLiteral("tileset"));
    xml.writeAttribute(QStringLiteral("firstgid"), QStringLiteral("1"));
    xml.writeAttribute(QStringLiteral("source"), tilesetSource);

    xml.writeStartElement(QStringLiteral("layer"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("1"));
    xml.writeAttribute(QStringLiteral("name"), LayerName);
    xml.writeAttribute(QStringLiteral("width"), QString::number(MapCell::Columns));
    xml.writeAttribute(QStringLiteral("height"), QString::number(MapCell::Rows));
    writeXmlLayerData(xml, gidsOf(tiles), encoding);
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("objectgroup"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("2"));
    xml.writeAttribute(QStringLiteral("name"), LocationsName);
    for (qsizetype i = 0; i < locations.size(); ++i) {
        const MapLocation& location = locations[i];
        xml.writeStartElement(QStringLiteral("object"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(i + 1));
        xml.writeAttribute(QStringLiteral("name"), location.name);
        xml.writeAttribute(QStringLiteral("type"), location.town ? QStringLiteral("town") : QStringLiteral("item"));
        xml.writeAttribute(QStringLiteral("x"), QString::number(centreOf(location).x()));
        xml.writeAttribute(QStringLiteral("y"), QString::number(centreOf(location).y()));
        xml.writeEmptyElement(QStringLiteral("point"));
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return out;
}

QByteArray Json(const QByteArray& tiles, const QList<MapLocation>& locations, const QString& tilesetSource,
                LayerEncoding encoding)
{
    const LayerData::Gids gids = gidsOf(tiles);
    QVariantMap layer{{"height", MapCell::Rows},
                      {"id", 1},
                      {"name", LayerName},
                      {"opacity", 1},
                      {"type", "tilelayer"},
                      {"visible", true},
                      {"width", MapCell::Columns},
                      {"x", 0},
                      {"y", 0}};
    if (isBase64(encoding)) {
        layer["compression"] = compressionName(encoding);
        layer["data"] = QString::fromLatin1(LayerData::Base64Text(gids, encoding));
        layer["encoding"] = "base64";
    } else {
        QVariantList data;
        data.reserve(gids.size());
        for (const quint32 gid : gids) {
            data.append(static_cast<int>(gid));
        }
        layer["data"] = data;
    }
    QVariantList objects;
    for (qsizetype i = 0; i < locations.size(); ++i) {
        const MapLocation& location = locations[i];
        objects.append(QVariantMap{{"height", 0},
                                   {"id", static_cast<int>(i + 1)},
                                   {"name", location.name},
                                   {"point", true},
                                   {"rotation", 0},
                                   {"type", location.town ? "town" : "item"},
                                   {"visible", true},
                                   {"width", 0},
                                   {"x", centreOf(location).x()},
                                   {"y", centreOf(location).y()}});
    }
    const QVariantMap group{{"draworder", "topdown"}, {"id", 2},      {"name", LocationsName},
                            {"objects", objects},     {"opacity", 1}, {"type", "objectgroup"},
                            {"visible", true},        {"x", 0},       {"y", 0}};
    const QVariantMap map{{"compressionlevel", -1},
                          {"height", MapCell::Rows},
                          {"infinite", false},
                          {"layers", QVariantList{layer, group}},
                          {"nextlayerid", 3},
                          {"nextobjectid", static_cast<int>(locations.size() + 1)},
                          {"orientation", "orthogonal"},
                          {"renderorder", "right-down"},
                          {"tileheight", Cell},
                          {"tilesets", QVariantList{QVariantMap{{"firstgid", 1}, {"source", tilesetSource}}}},
                          {"tilewidth", Cell},
                          {"type", "map"},
                          {"version", FormatVersion},
                          {"width", MapCell::Columns}};
    return jsonText(map);
}

QByteArray Tsx(const QString& name, const QString& imageSource)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    startXml(xml);
    xml.writeStartElement(QStringLiteral("tileset"));
    xml.writeAttribute(QStringLiteral("version"), FormatVersion);
    xml.writeAttribute(QStringLiteral("name"), name);
    xml.writeAttribute(QStringLiteral("tilewidth"), QString::number(Cell));
    xml.writeAttribute(QStringLiteral("tileheight"), QString::number(Cell));
    xml.writeAttribute(QStringLiteral("tilecount"), QString::number(TileRaster::Tiles));
    xml.writeAttribute(QStringLiteral("columns"), QString::number(TilesetColumns));
    xml.writeEmptyElement(QStringLiteral("image"));
    xml.writeAttribute(QStringLiteral("source"), imageSource);
    xml.writeAttribute(QStringLiteral("width"), QString::number(TilesetSize));
    xml.writeAttribute(QStringLiteral("height"), QString::number(TilesetSize));
    xml.writeEndDocument();
    return out;
}

QByteArray Tsj(const QString& name, const QString& imageSource)
{
    return jsonText({{"columns", TilesetColumns},
                     {"image", imageSource},
                     {"imageheight", TilesetSize},
                     {"imagewidth", TilesetSize},
                     {"margin", 0},
                     {"name", name},
                     {"spacing", 0},
                     {"tilecount", TileRaster::Tiles},
                     {"tileheight", Cell},
                     {"tilewidth", Cell},
                     {"type", "tileset"},
                     {"version", FormatVersion}});
}

QByteArray Csv(const QByteArray& tiles)
{
    LayerData::Gids numbers(tiles.size());
    for (qsizetype i = 0; i < tiles.size(); ++i) {
        numbers[i] = static_cast<quint8>(tiles[i]);
    }
    return LayerData::NumberRows(numbers, MapCell::Columns, "\n") + '\n';
}

QList<File> Files(const QString& path, const QByteArray& tiles, const QList<MapLocation>& locations,
                  const QImage& strip, LayerEncoding encoding)
{
    const auto kind = MapFormat::FromPath(path);
    if (!kind || *kind == MapFormat::Kind::Csv) {
        return {{path, Csv(tiles)}};
    }
    const QString tileset = MapFormat::TilesetPath(path);
    const QString picture = MapFormat::PicturePath(path);
    const QString tilesetName = QFileInfo(tileset).fileName();
    const QString pictureName = QFileInfo(picture).fileName();
    const QString name = QFileInfo(path).completeBaseName();
    if (*kind == MapFormat::Kind::Tmx) {
        return {{path, Tmx(tiles, locations, tilesetName, encoding)},
                {tileset, Tsx(name, pictureName)},
                {picture, pngBytes(TilesetPicture(strip))}};
    }
    return {{path, Json(tiles, locations, tilesetName, encoding)},
            {tileset, Tsj(name, pictureName)},
            {picture, pngBytes(TilesetPicture(strip))}};
}

bool Export(const QString& path, const QByteArray& tiles, const QList<MapLocation>& locations, const QImage& strip,
            QString* error, LayerEncoding encoding)
{
    const auto kind = MapFormat::FromPath(path);
    if (!kind || tiles.size() != MapCell::Count) {
        if (error) {
            *error = QStringLiteral("The map \"%1\" could not be written: %2.")
                         .arg(path, kind ? QStringLiteral("the overworld's tiles are missing")
                                         : QStringLiteral("its name does not end in %1").arg(MapFormat::SuffixList()));
        }
        return false;
    }
    FileSetWriter files;
    for (const File& file : Files(path, tiles, locations, strip, encoding)) {
        files.add(file.path, file.contents);
    }
    return files.commit(error);
}

}  // namespace TiledMapWriter
