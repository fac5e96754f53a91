#include "editor/SelectTool.h"

#include "editor/EditorSession.h"

SelectTool::SelectTool(EditorSession& session) : m_session(session) {}

void SelectTool::press(const MapToolEvent& event)
{
    if (event.button == Qt::LeftButton) {
        m_anchor = Clamped(event.cell, event.area);
        m_dragged = false;
    }
}

void SelectTool::move(const MapToolEvent& event)
{
    if (m_anchor && (event.buttons & Qt::LeftButton)) {
        const MapCell corner = Clamped(event.cell, event.area);
        m_dragged = m_dragged || corner != *m_anchor;
        if (m_dragged) {
            m_session.setSelection(Spanned(*m_anchor, corner));
        }
    }
}

void SelectTool::release(const MapToolEvent& event)
{
    if (event.button == Qt::LeftButton && m_anchor) {
        if (!m_dragged) {
            m_session.setSelection(std::nullopt);
        }
        m_anchor.reset();
    }
}

void SelectTool::cancel()
{
    m_anchor.reset();
}

QString SelectTool::status() const
{
    const auto selection = m_session.selection();
    return selection ? QStringLiteral("Selection: %1").arg(Cells(selection->width(), selection->height()))
                     : QStringLiteral("Select: drag a rectangle");
}
