#include "core/TmxMapReader.h"

#include "core/MapCell.h"

namespace {

const QString Chunks = QStringLiteral("the layer data is in chunks, as only an infinite map stores it");

}  // namespace

TmxMapReader::TmxMapReader(const QByteArray& bytes) : m_xml(bytes) {}

std::optional<QByteArray> TmxMapReader::Read(const QByteArray& bytes, const TiledMapHeader::TilesetLoader& load,
                                             QString* reason)
{
    TmxMapReader reader(bytes);
    return reader.readMap(reason) ? reader.m_header.tiles(load, reason) : std::nullopt;
}

std::optional<qint64> TmxMapReader::attributeNumber(const char* name) const
{
    return TiledMapHeader::WholeNumber(m_xml.attributes().value(QLatin1String(name)));
}

bool TmxMapReader::readMap(QString* reason)
{
    if (m_xml.readNextStartElement()) {
        if (m_xml.name() != u"map") {
            return TiledMapHeader::Fail(
                reason, QStringLiteral("it is not a Tiled map: its root element is <%1>").arg(m_xml.name().left(20)));
        }
        m_header.orientation = m_xml.attributes().value(QLatin1String("orientation")).toString();
        m_header.width = attributeNumber("width");
        m_header.height = attributeNumber("height");
        m_header.infinite = m_xml.attributes().value(QLatin1String("infinite")) == u"1";
    }
    while (!m_xml.atEnd()) {
        if (m_xml.readNext() != QXmlStreamReader::StartElement || m_xml.name() == u"group") {
            continue;  // a group's layers are read as its children
        }
        if (m_xml.name() == u"layer") {
            readLayer();
            continue;
        }
        if (m_xml.name() == u"tileset") {
            m_header.tilesets.append({attributeNumber("firstgid"),
                                      m_xml.attributes().value(QLatin1String("source")).toString(),
                                      attributeNumber("tilecount")});
        }
        m_xml.skipCurrentElement();
    }
    if (m_xml.hasError()) {
        return TiledMapHeader::Fail(reason, QStringLiteral("its XML is malformed at line %1, column %2: %3")
                                                .arg(m_xml.lineNumber())
                                                .arg(m_xml.columnNumber())
                                                .arg(m_xml.errorString()));
    }
    return true;
}

void TmxMapReader::readLayer()
{
    const QString name = m_xml.attributes().value(QLatin1String("name")).toString();
    if (!m_header.countLayer(name)) {
        m_xml.skipCurrentElement();
        return;
    }
    TiledMapHeader::Layer layer;
    layer.width = attributeNumber("width");
    layer.height = attributeNumber("height");
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == u"data" && layer.form == TiledMapHeader::Layer::Form::Missing) {
            readData(layer);
        } else {
            m_xml.skipCurrentElement();
        }
    }
    m_header.keep(name, layer);
}

void TmxMapReader::readData(TiledMapHeader::Layer& layer)
{
    const QString encoding = m_xml.attributes().value(QLatin1String("encoding")).toString();
    layer.compression = m_xml.attributes().value(QLatin1String("compression")).toString();
    if (encoding.isEmpty()) {
        readTileElements(layer);
        return;
    }
    if (encoding != u"csv" && encoding != u"base64") {
        layer.problem = QStringLiteral("the layer data has the unknown encoding \"%1\"").arg(encoding.left(20));
    }
    layer.form = encoding == u"csv" ? TiledMapHeader::Layer::Form::Csv : TiledMapHeader::Layer::Form::Base64;
    while (!m_xml.atEnd() && m_xml.readNext() != QXmlStreamReader::EndElement) {
        if (m_xml.tokenType() == QXmlStreamReader::Characters) {
            layer.text += m_xml.text();
        } else if (m_xml.tokenType() == QXmlStreamReader::StartElement) {
            layer.problem = Chunks;
            m_xml.skipCurrentElement();
        }
    }
}

// The ids of <tile> elements, up to the end of <data>. The first problem found is the one told.
void TmxMapReader::readTileElements(TiledMapHeader::Layer& layer)
{
    layer.form = TiledMapHeader::Layer::Form::Gids;
    while (!m_xml.atEnd() && m_xml.readNext() != QXmlStreamReader::EndElement) {
        if (m_xml.tokenType() != QXmlStreamReader::StartElement) {
            continue;
        }
        QString problem;
        if (m_xml.name() == u"chunk") {
            problem = Chunks;
        } else if (m_xml.name() != u"tile") {
            problem = QStringLiteral("the layer data holds an element <%1>").arg(m_xml.name().left(20));
        } else if (layer.gids.size() == MapCell::Count) {
            problem = QStringLiteral("the layer data has more than %1 cells").arg(MapCell::Count);
        } else {
            const QStringView gid = m_xml.attributes().value(QLatin1String("gid"));
            const auto value = gid.isEmpty() ? std::optional<qint64>(0) : TiledMapHeader::WholeNumber(gid);
            if (!value) {
                problem = QStringLiteral("the layer data holds \"%1\", which is not a tile id").arg(gid.left(20));
            }
            layer.gids.append(static_cast<quint32>(value.value_or(0)));
        }
        if (layer.problem.isEmpty()) {
            layer.problem = problem;
        }
        m_xml.skipCurrentElement();
    }
}
