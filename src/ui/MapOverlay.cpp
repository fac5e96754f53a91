#include "ui/MapOverlay.h"

#include "core/MapGeometry.h"
#include "core/TileRaster.h"
#include "editor/EditorSession.h"
#include "ui/MarkerStyle.h"
#include "ui/PictureBox.h"
#include "ui/UiFonts.h"

#include <QPainter>
#include <QPaintEvent>

#include <algorithm>

MapOverlay::MapOverlay(EditorSession& session, PictureBox* picture)
    : QWidget(picture), m_session(session), m_picture(picture), m_markerFont(UiFonts::Arial(7.5))
{
    setObjectName(QStringLiteral("mapOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    connect(&m_session, &EditorSession::selectionChanged, this, &MapOverlay::refresh);
    connect(&m_session, &EditorSession::cursorMoved, this, &MapOverlay::refresh);
    connect(&m_session, &EditorSession::toolPreviewChanged, this, &MapOverlay::refresh);
    connect(&m_session, &EditorSession::blockChosen, this, &MapOverlay::refresh);
    connect(&m_session, &EditorSession::blockChosen, this, qOverload<>(&QWidget::update));
    connect(&m_session, &EditorSession::locationsChanged, this, qOverload<>(&QWidget::update));
    connect(&m_session, &EditorSession::changesChanged, this, &MapOverlay::followChanges);
}

void MapOverlay::followChanges(const MapCells& cells)
{
    if (cells.isEmpty()) {
        update();
        return;
    }
    const QRect block = MapCell::BlockArea(m_session.currentBlock());
    QPoint first(MapCell::Columns, block.bottom() + 1);
    QPoint last(-1, block.top() - 1);
    for (const MapCell& cell : cells) {
        if (cell.isIn(block)) {
            first = {std::min(first.x(), cell.column), std::min(first.y(), cell.row)};
            last = {std::max(last.x(), cell.column), std::max(last.y(), cell.row)};
        }
    }
    if (last.x() >= 0) {
        update(onWidget(QRect(first, last)));
    }
}

void MapOverlay::paintChanges(QPainter& painter, const QRect& area) const
{
    if (!m_session.changesShown()) {
        return;
    }
    // Only the cells of the block that meet `area`.
    const QRect block = MapCell::BlockArea(m_session.currentBlock());
    const QRect corner = onWidget(QRect(0, block.top(), 1, 1));
    const auto cellOf = [&corner](int pixels, int origin, int size) { return (pixels - origin) / size; };
    const int left = std::max(0, cellOf(area.left(), corner.left(), corner.width()));
    const int right = std::min(block.right(), cellOf(area.right(), corner.left(), corner.width()));
    const int top = block.top() + std::max(0, cellOf(area.top(), corner.top(), corner.height()));
    const int bottom = std::min(block.bottom(), block.top() + cellOf(area.bottom(), corner.top(), corner.height()));
    const MapChanges& changes = m_session.changes();
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column) {
            if (const quint8 kind = changes.kind({column, row}); kind != MapChanges::None) {
                MarkerStyle::PaintChange(painter, onWidget(QRect(column, row, 1, 1)), kind);
            }
        }
    }
}

QRect MapOverlay::onWidget(const QRect& cells) const
{
    const QRect block = MapCell::BlockArea(m_session.currentBlock());
    const QRect shown = cells & block;
    if (shown.isEmpty()) {
        return {};
    }
    const int size = MapGeometry::CellSize;
    return m_picture->toWidget(
        QRect((shown.left()) * size, (shown.top() - block.top()) * size, shown.width() * size, shown.height() * size));
}

void MapOverlay::refresh()
{
    if (size() != m_picture->size()) {
        setGeometry(m_picture->rect());
    }
    const QRect selection = onWidget(m_session.selection().value_or(QRect()));
    const QRect preview = onWidget(m_session.toolPreview());
    const auto cursorCell = m_session.cursorCell();
    const QRect cursor =
        m_session.isCursorShown() ? onWidget(QRect(cursorCell->column, cursorCell->row, 1, 1)) : QRect();
    // Only what changed is drawn again: the old outlines and the new.
    for (const QRect& area : {m_selection, selection, m_preview, preview, m_cursor, cursor}) {
        if (!area.isEmpty()) {
            update(area.adjusted(-2, -2, 2, 2));
        }
    }
    m_selection = selection;
    m_preview = preview;
    m_cursor = cursor;
}

void MapOverlay::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    paintChanges(painter, event->rect());
    if (m_session.isPasting() && !m_preview.isEmpty()) {
        // The floating cells show their tiles, half transparent.
        const MapPattern pattern = m_session.toolPreviewTiles();
        const QRect placed = m_session.toolPreview();
        const QRect shown = placed & MapCell::BlockArea(m_session.currentBlock());
        painter.setOpacity(0.6);
        for (int row = shown.top(); row <= shown.bottom(); ++row) {
            for (int column = shown.left(); column <= shown.right(); ++column) {
                const QRect cell = onWidget(QRect(column, row, 1, 1));
                if (cell.intersects(event->rect())) {
                    const quint8 tile = pattern.at(column - placed.left(), row - placed.top());
                    painter.drawImage(
                        cell, m_session.tileStrip(),
                        QRect(0, TileRaster::StripCell * tile, TileRaster::StripCell, TileRaster::StripCell));
                }
            }
        }
        painter.setOpacity(1);
    }
    if (!m_preview.isEmpty()) {
        painter.setPen(QPen(QColor(255, 220, 0), 2));
        painter.drawRect(m_preview.adjusted(1, 1, -1, -1));
    }
    paintMarkers(painter, event->rect());
    if (!m_selection.isEmpty()) {
        // Black and white dashes: visible on any tile and beside any grid colour.
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(m_selection.adjusted(0, 0, -1, -1));
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(m_selection.adjusted(0, 0, -1, -1));
    }
    paintCursor(painter);
}

void MapOverlay::paintCursor(QPainter& painter) const
{
    if (m_cursor.isEmpty()) {
        return;
    }
    // Black, then two pixels of cyan inside: it shows on any tile, at every zoom, beside the other outlines.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(m_cursor.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(Qt::cyan, 1));
    painter.drawRect(m_cursor.adjusted(1, 1, -2, -2));
    if (m_cursor.width() > 6) {
        painter.drawRect(m_cursor.adjusted(2, 2, -3, -3));
    }
}

void MapOverlay::paintMarkers(QPainter& painter, const QRect& area) const
{
    if (!m_session.locationsShown(false)) {
        return;
    }
    painter.setFont(m_markerFont);
    const QFontMetrics metrics(m_markerFont);
    const QList<int> crowded = m_session.crowdedTowns();
    const QRect block = MapCell::BlockArea(m_session.currentBlock());
    for (const bool squares : {false, true}) {  // the labels first: none hides a square
        for (const LocationTable* table : {&m_session.itemsTable(), &m_session.townsTable()}) {
            const bool town = table == &m_session.townsTable();
            for (int row = 0; row < table->cells().size(); ++row) {
                const MapCell& cell = table->cells()[row];
                if (!cell.isIn(block)) {
                    continue;
                }
                const QRect pixels = onWidget(QRect(cell.column, cell.row, 1, 1));
                const QPoint centre = pixels.topLeft() + QPoint(pixels.width(), pixels.height()) / 2;
                const QRect box = MarkerStyle::Box(centre, pixels.width());
                const QString name = table->name(row);
                const QRect label = MarkerStyle::LabelBox(
                    centre, box, {metrics.horizontalAdvance(name) + 4, metrics.height()}, width());
                if (squares && area.intersects(box.adjusted(0, 0, 1, 1))) {
                    MarkerStyle::PaintBox(painter, box, MarkerStyle::Fill(town, town && crowded.contains(row)));
                } else if (!squares && area.intersects(label)) {
                    MarkerStyle::PaintLabel(painter, label, name);
                }
            }
        }
    }
}
