#include "editor/FillTool.h"

#include "core/MapGeometry.h"
#include "core/MapRegions.h"
#include "editor/EditorSession.h"

FillTool::FillTool(EditorSession& session) : m_session(session) {}

QRect FillTool::limit() const
{
    return m_session.selection().value_or(MapCell::WorldArea());
}

void FillTool::press(const MapToolEvent& event)
{
    const auto tile = m_session.currentTile();
    if (event.button == Qt::LeftButton && tile) {
        const MapCells area = MapRegions::FloodArea(m_session.image(), event.cell, limit());
        m_session.document().applyEdit(QStringLiteral("Fill"), MapRegions::Fill(m_session.image(), area, *tile));
    } else if (event.button == Qt::RightButton) {
        m_session.pickTileAt(event.cell);
    }
}

void FillTool::move(const MapToolEvent& event)
{
    m_pointer = event.cell;
}

void FillTool::release(const MapToolEvent&) {}

qsizetype FillTool::changesAt(const MapCell& cell) const
{
    const int tile = *m_session.currentTile();
    const quint64 revision = m_session.document().revision();
    const auto key = static_cast<std::size_t>(cell.row * MapCell::Columns + cell.column);
    const bool known = m_areaRevision == revision && m_areaLimit == limit() && m_areaTile == tile &&
                       key < m_area.size() && m_area[key];
    if (!known) {
        const MapCells area = MapRegions::FloodArea(m_session.image(), cell, limit());
        m_area.assign(MapCell::Columns * MapCell::Rows, false);
        for (const MapCell& c : area) {
            m_area[static_cast<std::size_t>(c.row * MapCell::Columns + c.column)] = true;
        }
        // The area holds one tile: it changes whole, or not at all.
        const bool same = !area.isEmpty() && m_session.document().tileAt(cell) == tile;
        m_areaChanges = same ? 0 : area.size();
        m_areaRevision = revision;
        m_areaLimit = limit();
        m_areaTile = tile;
    }
    return m_areaChanges;
}

QString FillTool::status() const
{
    if (!m_pointer || !m_session.currentTile() || !m_pointer->isIn(limit())) {
        return QStringLiteral("Fill: click a cell to fill its area with tile %1")
            .arg(MapGeometry::TileReadout(m_session.currentTile().value_or(0)));
    }
    return QStringLiteral("Fill: %1 will change").arg(Cells(changesAt(*m_pointer)));
}
