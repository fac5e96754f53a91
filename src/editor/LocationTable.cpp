#include "editor/LocationTable.h"

#include "core/CartridgeFile.h"
#include "core/MapDocument.h"
#include "editor/GameMessages.h"
#include "editor/Platform.h"

#include <QStringList>

LocationTable::LocationTable(Kind kind, Platform& platform, MapDocument& document, QObject* parent)
    : QObject(parent), m_kind(kind), m_platform(platform), m_document(document)
{
}

const LocationFields::Table& LocationTable::fields() const
{
    return m_kind == Kind::Towns ? LocationFields::Towns() : LocationFields::Items();
}

QString LocationTable::label(int row) const
{
    return fields().rows.value(row).label;
}

QString LocationTable::name(int row) const
{
    const QString text = label(row);
    return text.endsWith(u':') ? text.chopped(1) : text;
}

bool LocationTable::read(QString* error)
{
    std::optional<MapCells> cells;
    if (m_document.isLoaded()) {
        cells = LocationFields::Read(m_document.cartridge().CartridgePath(), fields(), error);
    }
    const MapCells read = cells.value_or(MapCells());
    if (read != m_cells) {
        m_cells = read;
        emit changed();
    }
    return cells.has_value();
}

bool LocationTable::readForWindow(const QString& windowTitle)
{
    QString error;
    const auto cells = LocationFields::Read(m_document.cartridge().CartridgePath(), fields(), &error);
    if (!cells) {
        GameMessages::ReportUnreadable(m_platform, windowTitle, error);
        return false;
    }
    if (*cells != m_cells) {
        m_cells = *cells;
        emit changed();
    }
    return true;
}

bool LocationTable::write(const MapCells& cells)
{
    QString error;
    if (write(cells, &error)) {
        return true;
    }
    m_platform.message(QStringLiteral("Locations not saved"),
                       Platform::Paragraphs({QStringLiteral("The locations were not saved."), error}),
                       Platform::Icon::Critical);
    return false;
}

bool LocationTable::write(const MapCells& cells, QString* error)
{
    const QList<FilePatch> patches = LocationFields::Patches(fields(), cells);
    const QString& path = m_document.cartridge().CartridgePath();
    if (!CartridgeFile::patch(path, patches, error, fields().requiredLength)) {
        return false;
    }
    // The image holds the items' bytes (not the balloon's, not the towns').
    m_document.storeWritten(patches);
    if (m_cells != cells) {
        m_cells = cells;
        emit changed();
    }
    return true;
}

void LocationTable::showWarpNote()
{
    // The accents (U+00B4) stand where the note's author wrote them; "towns'"
    // and "game's" keep plain apostrophes.
    const QString text =
        QStringList{
            QStringLiteral(u"I haven\u00B4t full tested the towns' warp system. All"),
            QStringLiteral("I know is that if you put more than 2 or 3 towns"),
            QStringLiteral(u"in the same screen, the warps won\u00B4t work. It\u00B4s"),
            QStringLiteral("still buggy, so be careful. If you find out how"),
            QStringLiteral("does the warp thing works, please mail me!"),
            QStringLiteral(u"(I won\u00B4t try. I\u00B4m sicked of finding game's data :P)"),
            QString(),
            QStringLiteral("orvane-editor@users.noreply.example"),
        }
            .join(QStringLiteral("\r\n"));
    m_platform.message(QStringLiteral("Important Note"), text, Platform::Icon::Exclamation);
}
