#include "editor/BrushTool.h"

#include "core/MapDocument.h"
#include "core/MapPattern.h"
#include "editor/ToolContext.h"

BrushTool::BrushTool(ToolContext& context) : m_context(context) {}

ToolDescription BrushTool::Description()
{
    return {QStringLiteral("Brush"),
            QStringLiteral("&Brush"),
            QStringLiteral("Brush"),
            QKeySequence(Qt::Key_B),
            QStringLiteral(":/toolbar/brush.png"),
            QStringLiteral("Paints the current tile, or the stamp, where you click and drag; the right button takes "
                           "the tile under the pointer, a right drag a stamp")};
}

void BrushTool::press(const MapToolEvent& event)
{
    if (event.button == Qt::LeftButton && m_context.currentTile()) {
        m_context.document().beginStroke(event.cell, m_context.stamp(), event.area);
    } else if (event.button == Qt::RightButton) {
        m_context.pickTileAt(event.cell);
        m_pickFrom = event.cell;
        m_picked = Spanned(event.cell, event.cell);
    }
}

void BrushTool::move(const MapToolEvent& event)
{
    m_pointer = event.cell;
    // The left button alone: a drag with both buttons paints nothing.
    if (event.buttons == Qt::LeftButton && m_context.currentTile()) {
        // A fast drag leaves no gaps; the part of the line outside the area is dropped.
        m_context.document().strokeTo(event.cell, m_context.stamp(), event.area);
    } else if (m_pickFrom && (event.buttons & Qt::RightButton)) {
        m_picked = Spanned(*m_pickFrom, Clamped(event.cell, event.area));
    }
}

void BrushTool::release(const MapToolEvent& event)
{
    if (event.button == Qt::LeftButton) {
        m_context.document().endStroke();
    } else if (event.button == Qt::RightButton && m_pickFrom) {
        // A right press and release on one cell is the tile pick alone.
        if (m_picked.width() * m_picked.height() > 1) {
            m_context.setStamp(MapPattern::FromMap(m_context.image(), m_picked));
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
    const MapPattern& stamp = m_context.stamp();
    return m_pointer && !stamp.isSingle() ? stamp.placedAt(*m_pointer) : QRect();
}

MapPattern BrushTool::previewTiles() const
{
    return m_pickFrom || preview().isEmpty() ? MapPattern() : m_context.stamp();
}

QString BrushTool::status() const
{
    if (m_pickFrom) {
        return QStringLiteral("Stamp: %1").arg(Cells(m_picked.width(), m_picked.height()));
    }
    const MapPattern& stamp = m_context.stamp();
    return stamp.isSingle() ? QString()
                            : QStringLiteral("Brush: a stamp of %1").arg(Cells(stamp.width(), stamp.height()));
}
