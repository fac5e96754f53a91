#include "editor/SelectTool.h"

#include "core/MapDocument.h"
#include "core/MapPattern.h"
#include "editor/ToolContext.h"

SelectTool::SelectTool(ToolContext& context) : m_context(context) {}

ToolDescription SelectTool::Description()
{
    return {QStringLiteral("Select"),
            QStringLiteral("Rectangular &Selection"),
            QStringLiteral("Rectangular Selection"),
            QKeySequence(Qt::Key_R),
            QStringLiteral(":/toolbar/select.png"),
            QStringLiteral("Selects the rectangle you drag, for Cut, Copy, Delete and the bucket fill")};
}

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
            m_context.setSelection(Spanned(*m_anchor, corner));
        }
    }
}

void SelectTool::release(const MapToolEvent& event)
{
    if (event.button == Qt::LeftButton && m_anchor) {
        if (!m_dragged) {
            m_context.setSelection(std::nullopt);
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
    const auto selection = m_context.selection();
    return selection ? QStringLiteral("Selection: %1").arg(Cells(selection->width(), selection->height()))
                     : QStringLiteral("Select: drag a rectangle");
}
