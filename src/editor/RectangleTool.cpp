#include "editor/RectangleTool.h"

#include "core/MapGeometry.h"
#include "core/MapRegions.h"
#include "editor/EditorSession.h"

RectangleTool::RectangleTool(EditorSession& session) : m_session(session) {}

void RectangleTool::press(const MapToolEvent& event)
{
    if (event.button == Qt::LeftButton && m_session.currentTile()) {
        m_anchor = Clamped(event.cell, event.area);
        m_rectangle = Spanned(*m_anchor, *m_anchor);
    } else if (event.button == Qt::RightButton) {
        m_session.pickTileAt(event.cell);
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
    const auto tile = m_session.currentTile();
    if (event.button == Qt::LeftButton && m_anchor && tile) {
        m_anchor.reset();
        const MapCells cells = MapRegions::CellsOf(m_rectangle);
        m_session.document().applyEdit(QStringLiteral("Rectangle Fill"),
                                       MapRegions::Fill(m_session.image(), cells, *tile));
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
    return MapRegions::Fill(m_session.image(), MapRegions::CellsOf(m_rectangle), *m_session.currentTile()).size();
}

QString RectangleTool::status() const
{
    if (!m_anchor) {
        return QStringLiteral("Rectangle fill: drag a rectangle to fill it with tile %1")
            .arg(MapGeometry::TileReadout(m_session.currentTile().value_or(0)));
    }
    return QStringLiteral("Rectangle fill: %1 \u00D7 %2, %3 will change")
        .arg(m_rectangle.width())
        .arg(m_rectangle.height())
        .arg(Cells(changes()));
}
