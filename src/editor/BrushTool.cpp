#include "editor/BrushTool.h"

#include "editor/EditorSession.h"

BrushTool::BrushTool(EditorSession& session) : m_session(session) {}

void BrushTool::press(const MapToolEvent& event)
{
    if (event.button == Qt::LeftButton && m_session.currentTile()) {
        m_session.document().beginStroke(event.cell, m_session.stamp(), event.area);
    } else if (event.button == Qt::RightButton) {
        m_session.pickTileAt(event.cell);
        m_pickFrom = event.cell;
        m_picked = Spanned(event.cell, event.cell);
    }
}

void BrushTool::move(const MapToolEvent& event)
{
    m_pointer = event.cell;
    // The left button alone: a drag with both buttons paints nothing.
    if (event.buttons == Qt::LeftButton && m_session.currentTile()) {
        // A fast drag leaves no gaps; the part of the line outside the area is dropped.
        m_session.document().strokeTo(event.cell, m_session.stamp(), event.area);
    } else if (m_pickFrom && (event.buttons & Qt::RightButton)) {
        m_picked = Spanned(*m_pickFrom, Clamped(event.cell, event.area));
    }
}

void BrushTool::release(const MapToolEvent& event)
{
    if (event.button == Qt::LeftButton) {
        m_session.document().endStroke();
    } else if (event.button == Qt::RightButton && m_pickFrom) {
        // A right press and release on one cell is the tile pick alone.
        if (m_picked.width() * m_picked.height() > 1) {
            m_session.setStamp(MapPattern::FromMap(m_session.image(), m_picked));
        }
        cancel();
    }
}

void BrushTool::cancel()
{
    m_pickFrom.reset();
}

QRect BrushTool::preview() const
{
    if (m_pickFrom) {
        return m_picked;
    }
    const MapPattern& stamp = m_session.stamp();
    return m_pointer && !stamp.isSingle() ? stamp.placedAt(*m_pointer) : QRect();
}

MapPattern BrushTool::previewTiles() const
{
    return m_pickFrom || preview().isEmpty() ? MapPattern() : m_session.stamp();
}

QString BrushTool::status() const
{
    if (m_pickFrom) {
        return QStringLiteral("Stamp: %1").arg(Cells(m_picked.width(), m_picked.height()));
    }
    const MapPattern& stamp = m_session.stamp();
    return stamp.isSingle() ? QString()
                            : QStringLiteral("Brush: a stamp of %1").arg(Cells(stamp.width(), stamp.height()));
}
