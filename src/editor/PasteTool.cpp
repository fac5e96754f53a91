#include "editor/PasteTool.h"

#include "core/MapDocument.h"
#include "editor/ToolContext.h"

PasteTool::PasteTool(ToolContext& context, MapPattern pattern) : m_context(context), m_pattern(std::move(pattern)) {}

void PasteTool::press(const MapToolEvent& event)
{
    if (event.button != Qt::LeftButton) {
        return;
    }
    m_context.document().applyEdit(QStringLiteral("Paste"),
                                   m_pattern.placement(m_context.image(), event.cell, MapCell::WorldArea()));
    m_context.endPaste();  // deletes this tool: nothing may follow
}

void PasteTool::move(const MapToolEvent& event)
{
    m_pointer = event.cell;
}

void PasteTool::release(const MapToolEvent&) {}

QRect PasteTool::preview() const
{
    return m_pointer ? m_pattern.placedAt(*m_pointer) : QRect();
}

MapPattern PasteTool::previewTiles() const
{
    return m_pointer ? m_pattern : MapPattern();
}

QString PasteTool::status() const
{
    const int width = m_pattern.width();
    const int height = m_pattern.height();
    return QStringLiteral("Paste: %1; click to place %2, Escape to cancel")
        .arg(Cells(width, height), width * height == 1 ? QStringLiteral("it") : QStringLiteral("them"));
}
