#include "core/TiledMapReader.h"

#include "core/LayerData.h"
#include "core/MapGeometry.h"
#include "core/NumberText.h"
#include "core/OverworldTiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace TiledMapReader {

namespace {

constexpr qint64 MaxMapBytes = 64 << 20;
constexpr qint64 MaxTilesetBytes = 16 << 20;
const QString OverworldLayer = QStringLiteral("Overworld");

bool fail(QString* reason, const QString& text)
{
    if (reason) {
        *reason = text;
    }
    return false;
}

// Whole numbers in the range Tiled stores ids in; nothing for anything else.
std::optional<qint64> wholeNumber(QStringView text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok && value >= 0 && value <= 0xFFFFFFFFLL ? std::optional(value) : std::nullopt;
}
std::optional<qint64> wholeNumber(const QJsonValue& value)
{
    const double d = value.toDouble(-1);
    return value.isDouble() && d >= 0 && d <= 4294967295.0 && d == std::floor(d) ? std::optional(static_cast<qint64>(d))
                                                                                 : std::nullopt;
}

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

// What a map says that matters here, whichever its format.
struct Header {
    QString orientation;
    std::optional<qint64> width;
    std::optional<qint64> height;
    bool infinite = false;
    QList<Tileset> tilesets;
    int tileLayers = 0;
    int overworldLayers = 0;
    std::optional<Layer> first;  // the first tile layer
    std::optional<Layer> overworld;  // the first one named "Overworld"

    // Counts a tile layer; true when its cells may be needed.
    bool countLayer(const QString& name)
    {
        ++tileLayers;
        overworldLayers += name == OverworldLayer ? 1 : 0;
        return tileLayers == 1 || (name == OverworldLayer && overworldLayers == 1);
    }
    void keep(const QString& name, const Layer& layer)
    {
        if (tileLayers == 1) {
            first = layer;
        }
        if (name == OverworldLayer && overworldLayers == 1) {
            overworld = layer;
        }
    }
};

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

QString cellText(qsizetype cell)
{
    return QStringLiteral("row %1, column %2").arg(cell / MapGeometry::Columns).arg(cell % MapGeometry::Columns);
}

// --- TMX ---

std::optional<qint64> attributeNumber(const QXmlStreamAttributes& attributes, const char* name)
{
    return wholeNumber(attributes.value(QLatin1String(name)));
}

// The ids of <tile> elements, up to the end of <data>. The first problem found is the one told.
void readTileElements(QXmlStreamReader& xml, Layer& layer)
{
    layer.form = Layer::Form::Gids;
    while (!xml.atEnd() && xml.readNext() != QXmlStreamReader::EndElement) {
        if (xml.tokenType() != QXmlStreamReader::StartElement) {
            continue;
        }
        QString problem;
        if (xml.name() == u"chunk") {
            problem = QStringLiteral("the layer data is in chunks, as only an infinite map stores it");
        } else if (xml.name() != u"tile") {
            problem = QStringLiteral("the layer data holds an element <%1>").arg(xml.name().left(20));
        } else if (layer.gids.size() == LayerData::Cells) {
            problem = QStringLiteral("the layer data has more than %1 cells").arg(LayerData::Cells);
        } else {
            const QStringView gid = xml.attributes().value(QLatin1String("gid"));
            const auto value = gid.isEmpty() ? std::optional<qint64>(0) : wholeNumber(gid);
            if (!value) {
                problem = QStringLiteral("the layer data holds \"%1\", which is not a tile id").arg(gid.left(20));
            }
            layer.gids.append(static_cast<quint32>(value.value_or(0)));
        }
        if (layer.problem.isEmpty()) {
            layer.problem = problem;
        }
        xml.skipCurrentElement();
    }
}

void readData(QXmlStreamReader& xml, Layer& layer)
{
    const QString encoding = xml.attributes().value(QLatin1String("encoding")).toString();
    layer.compression = xml.attributes().value(QLatin1String("compression")).toString();
    if (encoding.isEmpty()) {
        readTileElements(xml, layer);
        return;
    }
    if (encoding != u"csv" && encoding != u"base64") {
        layer.problem = QStringLiteral("the layer data has the unknown encoding \"%1\"").arg(encoding.left(20));
    }
    layer.form = encoding == u"csv" ? Layer::Form::Csv : Layer::Form::Base64;
    while (!xml.atEnd() && xml.readNext() != QXmlStreamReader::EndElement) {
        if (xml.tokenType() == QXmlStreamReader::Characters) {
            layer.text += xml.text();
        } else if (xml.tokenType() == QXmlStreamReader::StartElement) {
            layer.problem = QStringLiteral("the layer data is in chunks, as only an infinite map stores it");
            xml.skipCurrentElement();
        }
    }
}

void readLayer(QXmlStreamReader& xml, Header& header)
{
    const QString name = xml.attributes().value(QLatin1String("name")).toString();
    if (!header.countLayer(name)) {
        xml.skipCurrentElement();
        return;
    }
    Layer layer;
    layer.width = attributeNumber(xml.attributes(), "width");
    layer.height = attributeNumber(xml.attributes(), "height");
    while (xml.readNextStartElement()) {
        if (xml.name() == u"data" && layer.form == Layer::Form::Missing) {
            readData(xml, layer);
        } else {
            xml.skipCurrentElement();
        }
    }
    header.keep(name, layer);
}

bool readTmx(const QByteArray& bytes, Header& header, QString* reason)
{
    QXmlStreamReader xml(bytes);
    if (xml.readNextStartElement()) {
        if (xml.name() != u"map") {
            return fail(reason,
                        QStringLiteral("it is not a Tiled map: its root element is <%1>").arg(xml.name().left(20)));
        }
        const QXmlStreamAttributes attributes = xml.attributes();
        header.orientation = attributes.value(QLatin1String("orientation")).toString();
        header.width = attributeNumber(attributes, "width");
        header.height = attributeNumber(attributes, "height");
        header.infinite = attributes.value(QLatin1String("infinite")) == u"1";
    }
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() == u"group") {
            continue;  // a group's layers are read as its children
        }
        if (xml.name() == u"layer") {
            readLayer(xml, header);
            continue;
        }
        if (xml.name() == u"tileset") {
            const QXmlStreamAttributes attributes = xml.attributes();
            header.tilesets.append({attributeNumber(attributes, "firstgid"),
                                    attributes.value(QLatin1String("source")).toString(),
                                    attributeNumber(attributes, "tilecount")});
        }
        xml.skipCurrentElement();
    }
    if (xml.hasError()) {
        return fail(reason, QStringLiteral("its XML is malformed at line %1, column %2: %3")
                                .arg(xml.lineNumber())
                                .arg(xml.columnNumber())
                                .arg(xml.errorString()));
    }
    return true;
}

// --- JSON ---

void readJsonLayers(const QJsonArray& layers, Header& header)
{
    for (const QJsonValue& value : layers) {
        const QJsonObject object = value.toObject();
        const QString type = object.value(QLatin1String("type")).toString();
        if (type == u"group") {
            readJsonLayers(object.value(QLatin1String("layers")).toArray(), header);
        }
        const QString name = object.value(QLatin1String("name")).toString();
        if (type != u"tilelayer" || !header.countLayer(name)) {
            continue;
        }
        Layer layer;
        layer.width = wholeNumber(object.value(QLatin1String("width")));
        layer.height = wholeNumber(object.value(QLatin1String("height")));
        const QJsonValue data = object.value(QLatin1String("data"));
        const QString encoding = object.value(QLatin1String("encoding")).toString(QStringLiteral("csv"));
        layer.compression = object.value(QLatin1String("compression")).toString();
        if (object.contains(u"chunks")) {
            layer.problem = QStringLiteral("the layer data is in chunks, as only an infinite map stores it");
        } else if (encoding == u"base64" && data.isString()) {
            layer.form = Layer::Form::Base64;
            layer.text = data.toString();
        } else if (encoding == u"csv" && data.isArray()) {
            layer.form = Layer::Form::Gids;
            const QJsonArray cells = data.toArray();  // its size is checked with the other forms
            for (qsizetype i = 0; i < cells.size() && layer.problem.isEmpty(); ++i) {
                const auto gid = wholeNumber(cells[i]);
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
        header.keep(name, layer);
    }
}

// The top object of a Tiled JSON file whose "type", where it has one, is `type`.
std::optional<QJsonObject> tiledJson(const QByteArray& bytes, const QString& type, QString* reason)
{
    QJsonParseError parsed;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parsed);
    const QJsonObject object = document.object();
    if (parsed.error != QJsonParseError::NoError) {
        fail(reason,
             QStringLiteral("its JSON is malformed at byte %1: %2").arg(parsed.offset).arg(parsed.errorString()));
        return std::nullopt;
    }
    if (!document.isObject() || object.value(QLatin1String("type")).toString(type) != type) {
        fail(reason, QStringLiteral("it is not a Tiled %1").arg(type));
        return std::nullopt;
    }
    return object;
}

bool readJson(const QByteArray& bytes, Header& header, QString* reason)
{
    const std::optional<QJsonObject> read = tiledJson(bytes, QStringLiteral("map"), reason);
    if (!read) {
        return false;
    }
    const QJsonObject& map = *read;
    header.orientation = map.value(QLatin1String("orientation")).toString();
    header.width = wholeNumber(map.value(QLatin1String("width")));
    header.height = wholeNumber(map.value(QLatin1String("height")));
    header.infinite = map.value(QLatin1String("infinite")).toBool();
    for (const QJsonValue& value : map.value(QLatin1String("tilesets")).toArray()) {
        const QJsonObject tileset = value.toObject();
        header.tilesets.append({wholeNumber(tileset.value(QLatin1String("firstgid"))),
                                tileset.value(QLatin1String("source")).toString(),
                                wholeNumber(tileset.value(QLatin1String("tilecount")))});
    }
    readJsonLayers(map.value(QLatin1String("layers")).toArray(), header);
    return true;
}

// --- tilesets ---

// The tile count of an external tileset file (TSX or JSON, told apart by
// their first character); nothing for a file that is no tileset.
bool readTilesetFile(const QByteArray& bytes, std::optional<qint64>* tileCount, QString* reason)
{
    if (bytes.trimmed().startsWith('<')) {
        QXmlStreamReader xml(bytes);
        if (!xml.readNextStartElement() || xml.name() != u"tileset") {
            return fail(reason, xml.hasError() ? QStringLiteral("its XML is malformed: %1").arg(xml.errorString())
                                               : QStringLiteral("it is not a Tiled tileset"));
        }
        *tileCount = attributeNumber(xml.attributes(), "tilecount");
        return true;
    }
    const std::optional<QJsonObject> tileset = tiledJson(bytes, QStringLiteral("tileset"), reason);
    if (tileset) {
        *tileCount = wholeNumber(tileset->value(QLatin1String("tilecount")));
    }
    return tileset.has_value();
}

// Reads every external tileset (each file once) and orders them by first gid.
bool resolveTilesets(QList<Tileset>& tilesets, const TilesetLoader& load, QString* reason)
{
    QHash<QString, std::optional<qint64>> counts;
    for (Tileset& tileset : tilesets) {
        if (!tileset.firstGid || *tileset.firstGid == 0) {
            return fail(reason, QStringLiteral("one of its tilesets has no valid first gid"));
        }
        if (tileset.source.isEmpty()) {
            continue;
        }
        if (!counts.contains(tileset.source)) {
            QString why;
            const std::optional<QByteArray> bytes = load ? load(tileset.source, &why) : std::nullopt;
            std::optional<qint64> count;
            if (!bytes || !readTilesetFile(*bytes, &count, &why)) {
                return fail(reason,
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

// --- from the header to the tiles ---

std::optional<LayerData::Gids> decode(const Layer& layer, QString* reason)
{
    if (!layer.problem.isEmpty()) {
        fail(reason, layer.problem);
        return std::nullopt;
    }
    switch (layer.form) {
    case Layer::Form::Missing: fail(reason, QStringLiteral("its tile layer has no data")); return std::nullopt;
    case Layer::Form::Csv: return LayerData::FromCsv(layer.text, reason);
    case Layer::Form::Base64: return LayerData::FromBase64(layer.text, layer.compression, reason);
    case Layer::Form::Gids: break;
    }
    if (layer.gids.size() != LayerData::Cells) {
        fail(reason,
             NumberText::Counted(layer.gids.size(), QStringLiteral("the layer data has %1 cell; the overworld has %2"),
                                 QStringLiteral("the layer data has %1 cells; the overworld has %2"))
                 .arg(LayerData::Cells));
        return std::nullopt;
    }
    return layer.gids;
}

// The tile numbers of the cells, each within the tileset of the first cell.
std::optional<QByteArray> tilesOf(const LayerData::Gids& gids, const QList<Tileset>& tilesets, QString* reason)
{
    QByteArray tiles(OverworldTiles::Count, '\0');
    qsizetype overworldTileset = -1;
    for (qsizetype cell = 0; cell < gids.size(); ++cell) {
        const quint32 gid = gids[cell];
        if (gid & LayerData::FlipFlags) {
            fail(reason, QStringLiteral("the tile at %1 is flipped or rotated").arg(cellText(cell)));
            return std::nullopt;
        }
        if (gid == 0) {
            fail(reason, QStringLiteral("the cell at %1 is empty").arg(cellText(cell)));
            return std::nullopt;
        }
        const auto after = std::upper_bound(tilesets.begin(), tilesets.end(), gid,
                                            [](quint32 g, const Tileset& t) { return g < *t.firstGid; });
        const qsizetype index = after - tilesets.begin() - 1;
        const qint64 number = index < 0 ? -1 : gid - *tilesets[index].firstGid;
        if (index < 0 || (tilesets[index].tileCount && number >= *tilesets[index].tileCount)) {
            fail(reason,
                 QStringLiteral("the tile at %1 (gid %2) is in none of its tilesets").arg(cellText(cell)).arg(gid));
            return std::nullopt;
        }
        if (overworldTileset < 0) {
            overworldTileset = index;
        }
        if (index != overworldTileset) {
            fail(reason, QStringLiteral("the tile at %1 is from another tileset than the tile at row 0, column 0")
                             .arg(cellText(cell)));
            return std::nullopt;
        }
        if (number > 255) {
            fail(reason, QStringLiteral("the tile at %1 is tile %2 of its tileset; the overworld's tiles are 0 to 255")
                             .arg(cellText(cell))
                             .arg(number));
            return std::nullopt;
        }
        tiles[cell] = static_cast<char>(number);
    }
    return tiles;
}

std::optional<QByteArray> tilesOf(Header& header, const TilesetLoader& load, QString* reason)
{
    if (header.orientation != u"orthogonal") {
        fail(reason, QStringLiteral("its orientation is \"%1\"; only an orthogonal map can be imported")
                         .arg(header.orientation.left(20)));
        return std::nullopt;
    }
    if (header.infinite) {
        fail(reason, QStringLiteral("it is an infinite map; the overworld is 256 x 256 cells"));
        return std::nullopt;
    }
    if (header.width != MapGeometry::Columns || header.height != MapGeometry::Rows) {
        fail(reason, QStringLiteral("it is %1; the overworld is 256 x 256").arg(sizeText(header.width, header.height)));
        return std::nullopt;
    }
    if (!resolveTilesets(header.tilesets, load, reason)) {
        return std::nullopt;
    }
    if (header.tileLayers == 0) {
        fail(reason, QStringLiteral("it has no tile layer"));
        return std::nullopt;
    }
    if (header.overworldLayers > 1 || (header.overworldLayers == 0 && header.tileLayers > 1)) {
        fail(reason,
             header.overworldLayers > 1
                 ? QStringLiteral("it has %1 tile layers named \"Overworld\"").arg(header.overworldLayers)
                 : QStringLiteral("it has %1 tile layers and none is named \"Overworld\"").arg(header.tileLayers));
        return std::nullopt;
    }
    const Layer& layer = header.overworld ? *header.overworld : *header.first;
    if (layer.width != MapGeometry::Columns || layer.height != MapGeometry::Rows) {
        fail(reason, QStringLiteral("its tile layer is %1; the overworld is 256 x 256")
                         .arg(sizeText(layer.width, layer.height)));
        return std::nullopt;
    }
    const std::optional<LayerData::Gids> gids = decode(layer, reason);
    return gids ? tilesOf(*gids, header.tilesets, reason) : std::nullopt;
}

// --- CSV ---

// One field of a CSV line as a tile number.
bool csvTile(QByteArrayView field, qsizetype cell, QByteArray& tiles, QString* reason)
{
    field = field.trimmed();
    const bool negative = field.startsWith('-');
    const QByteArrayView digits = negative ? field.sliced(1) : field;
    qint64 value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
        if (c < '0' || c > '9' || value > 0xFFFFFFFFLL) {
            value = -1;
            break;
        }
    }
    if (digits.isEmpty() || value < 0) {
        return fail(reason,
                    QStringLiteral("\"%1\" at %2 is not a tile number")
                        .arg(QString::fromUtf8(field.first(std::min<qsizetype>(field.size(), 20))), cellText(cell)));
    }
    if (negative && value == 1) {
        return fail(reason, QStringLiteral("the cell at %1 is empty (-1)").arg(cellText(cell)));
    }
    if (negative || value > 255) {
        return fail(reason, QStringLiteral("the tile number %1%2 at %3 is not in 0..255")
                                .arg(negative ? QStringLiteral("-") : QString())
                                .arg(value)
                                .arg(cellText(cell)));
    }
    tiles[cell] = static_cast<char>(value);
    return true;
}

std::optional<QByteArray> readCsv(QByteArrayView text, QString* reason)
{
    if (text.startsWith("\xEF\xBB\xBF")) {
        text = text.sliced(3);
    }
    while (text.endsWith('\n') || text.endsWith('\r')) {
        text.chop(1);
    }
    if (text.isEmpty()) {
        fail(reason, QStringLiteral("the file is empty"));
        return std::nullopt;
    }
    QByteArray tiles(OverworldTiles::Count, '\0');
    qsizetype row = 0;
    for (qsizetype start = 0; start <= text.size(); ++row) {
        qsizetype end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end;
        if (row == MapGeometry::Rows) {
            fail(reason, QStringLiteral("it has more than 256 lines; the overworld has 256 rows"));
            return std::nullopt;
        }
        const QByteArrayView line =
            text.sliced(start, end - start);  // a CR at its end goes with the last field's spaces
        qsizetype column = 0;
        for (qsizetype from = 0; from <= line.size(); ++column) {
            qsizetype comma = line.indexOf(',', from);
            comma = comma < 0 ? line.size() : comma;
            if (column == MapGeometry::Columns) {
                fail(reason,
                     QStringLiteral("row %1 has more than 256 numbers; the overworld has 256 columns").arg(row));
                return std::nullopt;
            }
            if (!csvTile(line.sliced(from, comma - from), row * MapGeometry::Columns + column, tiles, reason)) {
                return std::nullopt;
            }
            from = comma + 1;
        }
        if (column != MapGeometry::Columns) {
            fail(reason, QStringLiteral("row %1 has %2; the overworld has 256 columns")
                             .arg(QString::number(row), NumberText::Counted(column, QStringLiteral("%1 number"),
                                                                            QStringLiteral("%1 numbers"))));
            return std::nullopt;
        }
        start = end + 1;
    }
    if (row != MapGeometry::Rows) {
        fail(reason, NumberText::Counted(row, QStringLiteral("it has %1 line; the overworld has 256 rows"),
                                         QStringLiteral("it has %1 lines; the overworld has 256 rows")));
        return std::nullopt;
    }
    return tiles;
}

// The whole file, when it is a readable file of at most `limit` bytes.
std::optional<QByteArray> readFile(const QString& path, qint64 limit, QString* reason)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        fail(reason, info.exists() ? QStringLiteral("\"%1\" is a folder").arg(path)
                                   : QStringLiteral("\"%1\" does not exist").arg(path));
        return std::nullopt;
    }
    if (info.size() > limit) {
        fail(reason, QStringLiteral("\"%1\" is larger than %2 MiB").arg(path).arg(limit >> 20));
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(reason, QStringLiteral("\"%1\" could not be opened: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit) {
        fail(reason, QStringLiteral("\"%1\" is larger than %2 MiB").arg(path).arg(limit >> 20));
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

std::optional<QByteArray> Read(const QByteArray& bytes, MapFormat::Kind kind, const QString& name,
                               const TilesetLoader& loadTileset, QString* error)
{
    QString reason;
    std::optional<QByteArray> tiles;
    if (kind == MapFormat::Kind::Csv) {
        tiles = readCsv(bytes, &reason);
    } else {
        Header header;
        const bool read =
            kind == MapFormat::Kind::Tmx ? readTmx(bytes, header, &reason) : readJson(bytes, header, &reason);
        tiles = read ? tilesOf(header, loadTileset, &reason) : std::nullopt;
    }
    if (!tiles && error) {
        // Qt's own messages, quoted in some reasons, end in a full stop already.
        *error = QStringLiteral("The map \"%1\" could not be imported: %2.")
                     .arg(name, reason.endsWith(u'.') ? reason.chopped(1) : reason);
    }
    return tiles;
}

std::optional<QByteArray> Import(const QString& path, QString* error)
{
    QString reason;
    const auto kind = MapFormat::FromPath(path);
    const auto bytes = kind ? readFile(path, MaxMapBytes, &reason) : std::nullopt;
    if (!bytes) {
        if (error) {
            *error =
                QStringLiteral("The map \"%1\" could not be imported: %2.")
                    .arg(path, kind ? reason : QStringLiteral("its name does not end in .tmx, .tmj, .json or .csv"));
        }
        return std::nullopt;
    }
    return Read(*bytes, *kind, path, FolderLoader(QFileInfo(path).absolutePath()), error);
}

TilesetLoader FolderLoader(const QString& folder)
{
    return [folder](const QString& source, QString* reason) {
        return readFile(QDir(folder).filePath(source), MaxTilesetBytes, reason);
    };
}

}  // namespace TiledMapReader
