#include "editor/RectangleTool.h"

#include "core/MapGeometry.h"
#include "core/MapRegions.h"
#include "core/MapDocument.h"
#include "core/MapPattern.h"
#include "editor/ToolContext.h"

RectangleTool::RectangleTool(ToolContext& context) : m_context(context) {}

ToolDescription RectangleTool::Description()
{
    return {QStringLiteral("Rectangle"),
            QStringLiteral("&Rectangle Fill"),
            QStringLiteral("Rectangle Fill"),
            QKeySequence(Qt::Key_P),
            QStringLiteral(":/toolbar/rectangle.png"),
            QStringLiteral("Fills the rectangle you drag with the current tile")};
}

void RectangleTool::press(const MapToolEvent& event)
{
    if (event.button == Qt::LeftButton && m_context.currentTile()) {
        m_anchor = Clamped(event.cell, event.area);
        m_rectangle = Spanned(*m_anchor, *m_anchor);
    } else if (event.button == Qt::RightButton) {
        m_context.pickTileAt(event.cell);
    }
}

void RectangleTool::move(const MapToolEvent& event)
{
    m_pointer = event.cell;
    if (m_anchor && (event.buttons & Qt::LeftButton)) {
        m_rectangle = Spanned(*m_anchor, Clamped(event.cell, event.area));
    }
}

void RectangleTool::release(const MapToolEvent& event)
{
    const auto tile = m_context.currentTile();
    if (event.button == Qt::LeftButton && m_anchor && tile) {
        m_anchor.reset();
        const MapCells cells = MapRegions::CellsOf(m_rectangle);
        m_context.document().applyEdit(QStringLiteral("Rectangle Fill"),
                                       MapRegions::Fill(m_context.image(), cells, *tile));
    }
}

void RectangleTool::cancel()
{
    m_anchor.reset();
}

QRect RectangleTool::preview() const
{
    if (m_anchor) {
        return m_rectangle;
    }
    return m_pointer && m_pointer->isOnMap() ? Spanned(*m_pointer, *m_pointer) : QRect();
}

qsizetype RectangleTool::changes() const
{
    return MapRegions::Fill(m_context.image(), MapRegions::CellsOf(m_rectangle), *m_context.currentTile()).size();
}

QString RectangleTool::status() const
{
    if (!m_anchor) {
        return QStringLiteral("Rectangle fill: drag a rectangle to fill it with tile %1")
            .arg(MapGeometry::TileReadout(m_context.currentTile().value_or(0)));
    }
    return QStringLiteral("Rectangle fill: %1 \u00D7 %2, %3 will change")
        .arg(m_rectangle.width())
        .arg(m_rectangle.height())
        .arg(Cells(changes()));
}
