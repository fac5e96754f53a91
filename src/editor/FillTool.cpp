#include "editor/FillTool.h"

#include "core/MapGeometry.h"
#include "core/MapRegions.h"
#include "core/MapDocument.h"
#include "core/MapPattern.h"
#include "editor/ToolContext.h"

FillTool::FillTool(ToolContext& context) : m_context(context) {}

ToolDescription FillTool::Description()
{
    return {
        QStringLiteral("Fill"),
        QStringLiteral("Bucket &Fill"),
        QStringLiteral("Bucket Fill"),
        QKeySequence(Qt::Key_F),
        QStringLiteral(":/toolbar/fill.png"),
        QStringLiteral(
            "Fills the clicked cell's area of one tile with the current tile, inside the selection when there is one")};
}

QRect FillTool::limit() const
{
    return m_context.selection().value_or(MapCell::WorldArea());
}

void FillTool::press(const MapToolEvent& event)
{
    const auto tile = m_context.currentTile();
    if (event.button == Qt::LeftButton && tile) {
        const MapCells area = MapRegions::FloodArea(m_context.image(), event.cell, limit());
        m_context.document().applyEdit(QStringLiteral("Fill"), MapRegions::Fill(m_context.image(), area, *tile));
    } else if (event.button == Qt::RightButton) {
        m_context.pickTileAt(event.cell);
    }
}

void FillTool::move(const MapToolEvent& event)
{
    m_pointer = event.cell;
}

void FillTool::release(const MapToolEvent&) {}

qsizetype FillTool::changesAt(const MapCell& cell) const
{
    const int tile = *m_context.currentTile();
    const quint64 revision = m_context.document().revision();
    const auto key = static_cast<std::size_t>(cell.row * MapCell::Columns + cell.column);
    const bool known = m_areaRevision == revision && m_areaLimit == limit() && m_areaTile == tile &&
                       key < m_area.size() && m_area[key];
    if (!known) {
        const MapCells area = MapRegions::FloodArea(m_context.image(), cell, limit());
        m_area.assign(MapCell::Columns * MapCell::Rows, false);
        for (const MapCell& c : area) {
            m_area[static_cast<std::size_t>(c.row * MapCell::Columns + c.column)] = true;
        }
        // The area holds one tile: it changes whole, or not at all.
        const bool same = !area.isEmpty() && m_context.document().tileAt(cell) == tile;
        m_areaChanges = same ? 0 : area.size();
        m_areaRevision = revision;
        m_areaLimit = limit();
        m_areaTile = tile;
    }
    return m_areaChanges;
}

QString FillTool::status() const
{
    if (!m_pointer || !m_context.currentTile() || !m_pointer->isIn(limit())) {
        return QStringLiteral("Fill: click a cell to fill its area with tile %1")
            .arg(MapGeometry::TileReadout(m_context.currentTile().value_or(0)));
    }
    return QStringLiteral("Fill: %1 will change").arg(Cells(changesAt(*m_pointer)));
}
