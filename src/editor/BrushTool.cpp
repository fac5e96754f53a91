#include "editor/BrushTool.h"

#include "editor/EditorSession.h"

BrushTool::BrushTool(EditorSession& session) : m_session(session) {}

void BrushTool::press(const MapToolEvent& event)
{
    const auto tile = m_session.currentTile();
    if (event.button == Qt::LeftButton && tile) {
        m_session.document().beginStroke(event.cell, *tile, event.area);
    } else if (event.button == Qt::RightButton) {
        m_session.pickTileAt(event.cell);
    }
}

void BrushTool::move(const MapToolEvent& event)
{
    // The left button alone: a drag with both buttons paints nothing.
    const auto tile = m_session.currentTile();
    if (event.buttons == Qt::LeftButton && tile) {
        // A fast drag leaves no gaps; the part of the line outside the area is dropped.
        m_session.document().strokeTo(event.cell, *tile, event.area);
    }
}

void BrushTool::release(const MapToolEvent& event)
{
    if (event.button == Qt::LeftButton) {
        m_session.document().endStroke();
    }
}
