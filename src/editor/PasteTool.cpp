#include "editor/PasteTool.h"

#include "editor/EditorSession.h"

PasteTool::PasteTool(EditorSession& session, MapPattern pattern) : m_session(session), m_pattern(std::move(pattern)) {}

void PasteTool::press(const MapToolEvent& event)
{
    if (event.button != Qt::LeftButton) {
        return;
    }
    m_session.document().applyEdit(QStringLiteral("Paste"),
                                   m_pattern.placement(m_session.image(), event.cell, MapCell::WorldArea()));
    m_session.endPaste();  // deletes this tool: nothing may follow
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
