#include "editor/MoveLocationsTool.h"

#include "core/MapGeometry.h"
#include "editor/ToolContext.h"

MoveLocationsTool::MoveLocationsTool(ToolContext& context) : m_context(context) {}

ToolDescription MoveLocationsTool::Description()
{
    return {QStringLiteral("MoveLocations"),
            QStringLiteral("&Move Locations"),
            QStringLiteral("Move Locations"),
            QKeySequence(Qt::Key_M),
            QStringLiteral(":/toolbar/move-locations.png"),
            QStringLiteral("Drags a town, an item or the balloon to another cell; the move is written to the file "
                           "at once")};
}

void MoveLocationsTool::press(const MapToolEvent& event)
{
    if (event.button != Qt::LeftButton) {
        return;
    }
    m_carried = m_context.locations().at(event.cell);
    m_target = event.cell;
}

void MoveLocationsTool::move(const MapToolEvent& event)
{
    if (m_carried) {
        m_target = Clamped(event.cell, event.area);
    }
}

void MoveLocationsTool::release(const MapToolEvent& event)
{
    if (!m_carried || event.button != Qt::LeftButton) {
        return;
    }
    const LocationMoves::Location carried = *m_carried;
    m_carried.reset();
    m_context.locations().move(carried, Clamped(event.cell, event.area));
}

void MoveLocationsTool::cancel()
{
    m_carried.reset();
}

QRect MoveLocationsTool::preview() const
{
    return m_carried ? QRect(m_target.column, m_target.row, 1, 1) : QRect();
}

QString MoveLocationsTool::status() const
{
    LocationMoves& locations = m_context.locations();
    if (!m_carried) {
        const QString warning = locations.warning();
        const QString text = QStringLiteral("Move Locations: drag a town, an item or the balloon to another cell");
        return warning.isEmpty() ? text : text + QStringLiteral(". ") + warning;
    }
    const QString text = QStringLiteral("Move %1 to %2")
                             .arg(locations.name(*m_carried), MapGeometry::LocationText(m_target.row, m_target.column));
    const QString warning = locations.warningAt(*m_carried, m_target);
    return warning.isEmpty() ? text : text + QStringLiteral(". ") + warning;
}
