#include "ui/frmWorldMap.h"

#include "core/LocationFields.h"
#include "core/MapGeometry.h"
#include "core/WorldRaster.h"
#include "editor/EditorSession.h"
#include "ui/UiFonts.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

constexpr int Cell = WorldRaster::CellPixels;

QRect cellsToPixels(const QRect& cells)
{
    return QRect(cells.x() * Cell, cells.y() * Cell, cells.width() * Cell, cells.height() * Cell);
}

}  // namespace

frmWorldMap::frmWorldMap(EditorSession& session, QWidget* owner) : QDialog(owner), m_session(session)
{
    setObjectName(QStringLiteral("frmWorldMap"));
    setWindowTitle(QStringLiteral("World Map"));
    setFixedSize(WorldRaster::Size, WorldRaster::Size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    connect(&m_session.document(), &MapDocument::cellsChanged, this, &frmWorldMap::redrawCells);
    connect(&m_session.document(), &MapDocument::reloaded, this, [this] {
        rebuild();
        refreshMarkers();
    });
    rebuild();
    refreshMarkers();
}

void frmWorldMap::rebuild()
{
    m_world = WorldRaster::Render(m_session.image(), m_session.tileStrip());
    update();
}

void frmWorldMap::redrawCells(const QList<MapCell>& cells)
{
    QRect changed;
    for (const MapCell& cell : cells) {
        WorldRaster::RenderCell(m_world, m_session.tileStrip(), cell.column, cell.row,
                                *m_session.document().tileAt(cell));
        changed |= QRect(cell.column * Cell, cell.row * Cell, Cell, Cell);
    }
    update(changed.adjusted(-1, -1, 1, 1));
}

void frmWorldMap::setViewport(int block, const QRect& visibleCells)
{
    if (block == m_block && visibleCells == m_visibleCells) {
        return;
    }
    m_block = block;
    m_visibleCells = visibleCells;
    update();
}

void frmWorldMap::refreshMarkers()
{
    m_markers.clear();
    const QString path = m_session.cartridge().CartridgePath();
    if (!path.isEmpty()) {
        for (const bool town : {false, true}) {
            const LocationFields::Table& table = town ? LocationFields::Towns() : LocationFields::Items();
            QString error;  // a file too short for the table simply shows no markers of it
            if (const auto locations = LocationFields::Read(path, table, &error)) {
                for (qsizetype i = 0; i < locations->size(); ++i) {
                    const QString label = table.rows[i].label;
                    m_markers.append({label.endsWith(u':') ? label.chopped(1) : label, locations->at(i).column,
                                      locations->at(i).row, town});
                }
            }
        }
    }
    update();
}

void frmWorldMap::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_world);
    const int blockTop = (m_block - 1) * MapGeometry::BlockRows * Cell;
    painter.setPen(QPen(QColor(255, 230, 0), 1));
    painter.drawRect(0, blockTop, WorldRaster::Size - 1, MapGeometry::BlockRows * Cell - 1);
    if (m_visibleCells.isValid()) {
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(
            cellsToPixels(m_visibleCells.translated(0, (m_block - 1) * MapGeometry::BlockRows)).adjusted(0, 0, -1, -1));
    }
    painter.setFont(UiFonts::Arial(7.5));
    const QFontMetrics metrics = painter.fontMetrics();
    for (const Marker& marker : m_markers) {
        const QPoint centre(marker.column * Cell + 1, marker.row * Cell + 1);
        painter.setPen(Qt::black);
        painter.setBrush(marker.town ? QColor(255, 120, 40) : QColor(80, 220, 255));
        painter.drawRect(QRect(centre - QPoint(3, 3), QSize(6, 6)));
        // The label on a dark box beside the marker, on the side where it fits.
        QRect label(0, 0, metrics.horizontalAdvance(marker.label) + 4, metrics.height());
        label.moveCenter(centre);
        label.moveLeft(centre.x() + label.width() + 6 < WorldRaster::Size ? centre.x() + 6
                                                                          : centre.x() - 6 - label.width());
        painter.fillRect(label, QColor(0, 0, 0, 150));
        painter.setPen(Qt::white);
        painter.drawText(label, Qt::AlignCenter, marker.label);
    }
}

void frmWorldMap::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && rect().contains(at)) {
        m_session.showOverworldCell({at.x() / Cell, at.y() / Cell});
    }
}

void frmWorldMap::placeBeside(const QWidget* window)
{
    const QRect main = window->frameGeometry();
    const QRect screen = window->screen() ? window->screen()->availableGeometry() : main;
    const int width = frameGeometry().width();
    move(main.right() + 8 + width <= screen.right() ? main.right() + 8
                                                    : std::max(screen.left(), main.left() - 8 - width),
         main.top());
}
