#include "ui/WorldView.h"

#include "core/MapGeometry.h"
#include "core/TileRaster.h"
#include "editor/EditorSession.h"
#include "ui/CursorKeys.h"
#include "ui/MarkerStyle.h"
#include "ui/UiFonts.h"
#include "ui/ValueAccessible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

const QColor Background(64, 64, 64);  // beyond the map's edges, when the window is larger than the map
const QColor BlockColor(255, 230, 0);
const QColor PreviewColor(255, 0, 255);
constexpr double PreviewOpacity = 0.6;

}  // namespace

WorldView::WorldView(EditorSession& session, QWidget* parent)
    : QAbstractScrollArea(parent), m_session(session), m_markerFont(UiFonts::Arial(7.5))
{
    setObjectName(QStringLiteral("picWorld"));
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
    // A control with a value for screen readers before anything asks about it.
    ValueAccessible::SetValue(this, QString());
    setAccessibleName(QStringLiteral("World map"));
    setAccessibleDescription(QString::fromLatin1(CursorKeys::Description));
    rebuildAtlas();

    const MapDocument& document = m_session.document();
    connect(&document, &MapDocument::cellsChanged, this, &WorldView::drawChangedCells);
    connect(&document, &MapDocument::reloaded, this, &WorldView::rebuildAtlas);
    connect(&m_session, &EditorSession::tileStripChanged, this, &WorldView::rebuildAtlas);
    connect(&m_session, &EditorSession::toolPreviewChanged, this, &WorldView::followTool);
    connect(&m_session, &EditorSession::selectionChanged, this, &WorldView::followSelection);
    connect(&m_session, &EditorSession::cellsRevealed, this, &WorldView::revealCells);
    connect(&m_session, &EditorSession::cursorMoved, this, &WorldView::followCursor);
    connect(&document, &MapDocument::cellsChanged, this, &WorldView::followCursor);
    connect(&m_session, &EditorSession::cursorRevealed, this, &WorldView::keepInView);
    connect(&m_session, &EditorSession::changesChanged, this, &WorldView::followChanges);
    followCursor();
    followTool();
    followSelection();
}

QSize WorldView::sizeHint() const
{
    const int side = MapCell::Columns * DefaultZoom + 2 * frameWidth();
    return {side, side};
}

// ---- Geometry ---------------------------------------------------------------------------

QPoint WorldView::scroll() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

MapCell WorldView::cellAt(QPointF position) const
{
    const QPointF at = (position + QPointF(scroll())) / m_zoom;
    return {static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y()))};
}

QPoint WorldView::cellOrigin(const MapCell& cell) const
{
    return QPoint(cell.column, cell.row) * m_zoom - scroll();
}

QRect WorldView::pixelsOf(const QRect& cells) const
{
    return {cellOrigin({cells.left(), cells.top()}), cells.size() * m_zoom};
}

QRegion WorldView::outlined(const std::optional<QRect>& cells) const
{
    return cells && !cells->isEmpty() ? QRegion(pixelsOf(*cells).adjusted(-1, -1, 1, 1)) : QRegion();
}

void WorldView::updateBars()
{
    // Without bars when the whole map fits, even if bars shown before take room from the viewport now.
    const int side = MapCell::Columns * m_zoom;
    const QSize whole = maximumViewportSize();
    const QSize view = side <= whole.width() && side <= whole.height() ? whole : viewport()->size();
    for (auto [bar, page] :
         {std::pair(horizontalScrollBar(), view.width()), std::pair(verticalScrollBar(), view.height())}) {
        bar->setRange(0, std::max(0, side - page));
        bar->setPageStep(page);
        bar->setSingleStep(MapGeometry::CellSize);
    }
}

void WorldView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateBars();
    invalidate();
}

void WorldView::scrollContentsBy(int, int)
{
    invalidate();
}

// ---- Zoom -------------------------------------------------------------------------------

void WorldView::zoomIn()
{
    stepZoom(1, QRectF(viewport()->rect()).center());
}

void WorldView::zoomOut()
{
    stepZoom(-1, QRectF(viewport()->rect()).center());
}

void WorldView::actualSize()
{
    setZoom(DefaultZoom, QRectF(viewport()->rect()).center());
}

void WorldView::stepZoom(int steps, QPointF anchor)
{
    const auto current = std::lower_bound(Zooms.begin(), Zooms.end(), m_zoom);
    const auto index = std::clamp<std::ptrdiff_t>(current - Zooms.begin() + steps, 0, Zooms.size() - 1);
    setZoom(Zooms[static_cast<std::size_t>(index)], anchor);
}

void WorldView::setZoom(int pixelsPerCell, QPointF anchor)
{
    const int zoom = std::clamp(pixelsPerCell, TileAtlas::MinZoom, TileAtlas::MaxZoom);
    if (zoom == m_zoom) {
        return;
    }
    const QPointF spot = (anchor + QPointF(scroll())) / m_zoom;  // in cells
    m_zoom = zoom;
    rebuildAtlas();
    updateBars();
    horizontalScrollBar()->setValue(qRound(spot.x() * zoom - anchor.x()));
    verticalScrollBar()->setValue(qRound(spot.y() * zoom - anchor.y()));
    emit zoomChanged(zoom);
}

void WorldView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // One zoom step a notch; fine-grained wheels add up to notches.
    m_wheelRest += event->angleDelta().y();
    const int steps = m_wheelRest / 120;
    m_wheelRest -= steps * 120;
    if (steps != 0) {
        stepZoom(steps, event->position());
    }
    event->accept();
}

// ---- The picture of the cells -------------------------------------------------------------

void WorldView::rebuildAtlas()
{
    m_atlas = TileAtlas(m_session.tileStrip(), m_zoom);
    invalidate();
}

void WorldView::invalidate()
{
    m_frameStale = true;
    viewport()->update();
}

const QImage& WorldView::frame() const
{
    const QSize size = viewport()->size();
    if (m_frame.size() != size) {
        m_frame = QImage(size, TileRaster::Format);
        m_frameStale = true;
    }
    if (m_frameStale) {
        const QPoint mapEnd = QPoint(MapCell::Columns, MapCell::Rows) * m_zoom - scroll();
        if (mapEnd.x() < size.width() || mapEnd.y() < size.height()) {
            m_frame.fill(Background);
        }
        m_atlas.drawCells(m_session.image(), MapCell::WorldArea(), m_frame, -scroll());
        m_frameStale = false;
    }
    return m_frame;
}

void WorldView::drawChangedCells(const MapCells& cells)
{
    if (m_frameStale || m_frame.size() != viewport()->size()) {
        return;  // the next paint composes every cell in view
    }
    const QRect changed = m_atlas.drawListed(m_session.image(), cells, m_frame, -scroll());
    if (!changed.isEmpty()) {
        viewport()->update(changed);
    }
}

// ---- What is drawn over the cells -----------------------------------------------------------

void WorldView::setViewport(int block, const QRect& visibleCells)
{
    if (block != m_block || visibleCells != m_visibleCells) {
        m_block = block;
        m_visibleCells = visibleCells;
        viewport()->update();
    }
}

void WorldView::setMarkers(QList<Marker> markers)
{
    m_markers = std::move(markers);
    const QFontMetrics metrics(m_markerFont);
    m_labelSizes.clear();
    for (const Marker& marker : m_markers) {
        m_labelSizes.append({metrics.horizontalAdvance(marker.label) + 4, metrics.height()});
    }
    viewport()->update();
}

void WorldView::followTool()
{
    const QRect cells = m_session.toolPreview();
    const std::optional<QRect> preview = cells.isEmpty() ? std::nullopt : std::optional(cells);
    // The tiles of a stamp can change under a pointer that stays put; they are drawn again then too.
    MapPattern tiles = m_session.toolPreviewTiles();
    if (preview != m_shownPreview || tiles != m_shownTiles) {
        viewport()->update(outlined(m_shownPreview) + outlined(preview));
        m_shownPreview = preview;
        m_shownTiles = std::move(tiles);
    }
}

void WorldView::followSelection()
{
    const std::optional<QRect> selection = m_session.selection();
    if (selection != m_shownSelection) {
        viewport()->update(outlined(m_shownSelection) + outlined(selection));
        m_shownSelection = selection;
    }
}

void WorldView::followHover(const std::optional<MapCell>& cell)
{
    if (cell != m_hover) {
        const auto around = [this](const std::optional<MapCell>& c) {
            return c ? outlined(QRect(c->column, c->row, 1, 1)) : QRegion();
        };
        viewport()->update(around(m_hover) + around(cell));
        m_hover = cell;
    }
}

void WorldView::followCursor()
{
    const std::optional<MapCell> cursor = m_session.isCursorShown() ? m_session.cursorCell() : std::nullopt;
    if (cursor != m_shownCursor) {
        const auto around = [this](const std::optional<MapCell>& c) {
            return c ? QRegion(pixelsOf(QRect(c->column, c->row, 1, 1)).adjusted(-2, -2, 2, 2)) : QRegion();
        };
        viewport()->update(around(m_shownCursor) + around(cursor));
        m_shownCursor = cursor;
    }
    ValueAccessible::SetValue(this, m_session.cursorDescription());
}

void WorldView::keepInView(const MapCell& cell)
{
    const QRect pixels = pixelsOf(QRect(cell.column, cell.row, 1, 1));
    const QRect view = viewport()->rect();
    const auto scrolled = [](QScrollBar* bar, int from, int to, int viewFrom, int viewTo) {
        if (from < viewFrom) {
            bar->setValue(bar->value() - (viewFrom - from));
        } else if (to > viewTo) {
            bar->setValue(bar->value() + std::min(to - viewTo, from - viewFrom));
        }
    };
    scrolled(horizontalScrollBar(), pixels.left(), pixels.right(), view.left(), view.right());
    scrolled(verticalScrollBar(), pixels.top(), pixels.bottom(), view.top(), view.bottom());
}

void WorldView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    const MapCell first = cellAt(QPointF(0, 0));
    m_session.startCursor({std::max(first.column, 0), std::max(first.row, 0)});
}

void WorldView::keyPressEvent(QKeyEvent* event)
{
    if (!CursorKeys::Handle(m_session, *event, viewport()->height() / m_zoom)) {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void WorldView::revealCells(const MapCells& cells)
{
    const QRect view = viewport()->rect();
    const bool inView = std::any_of(cells.begin(), cells.end(), [&](const MapCell& cell) {
        return view.contains(QRect(cellOrigin(cell), QSize(m_zoom, m_zoom)));
    });
    if (!cells.isEmpty() && !inView) {
        const QPoint centre = QPoint(cells.first().column, cells.first().row) * m_zoom + QPoint(m_zoom, m_zoom) / 2;
        horizontalScrollBar()->setValue(centre.x() - view.width() / 2);
        verticalScrollBar()->setValue(centre.y() - view.height() / 2);
    }
}

void WorldView::paintEvent(QPaintEvent* event)
{
    const QRect area = event->rect() & viewport()->rect();
    QPainter painter(viewport());
    painter.drawImage(area.topLeft(), frame(), area);
    paintChanges(painter, area);
    paintPreview(painter, area);

    painter.setPen(QPen(BlockColor, 1));
    painter.drawRect(pixelsOf(MapCell::BlockArea(m_block)).adjusted(0, 0, -1, -1));
    if (m_visibleCells.isValid()) {
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(
            pixelsOf(m_visibleCells.translated(0, (m_block - 1) * MapCell::BlockRows)).adjusted(0, 0, -1, -1));
    }
    paintMarkers(painter, area);

    // Outlines around their cells, so that even at 2 pixels a cell the cells show inside.
    painter.setBrush(Qt::NoBrush);
    const auto around = [this](const QRect& cells) { return pixelsOf(cells).adjusted(-1, -1, 0, 0); };
    if (m_shownSelection) {
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(around(*m_shownSelection));
        QPen dashes(Qt::white, 1, Qt::CustomDashLine);
        dashes.setDashPattern({3, 3});
        painter.setPen(dashes);
        painter.drawRect(around(*m_shownSelection));
    }
    if (m_shownPreview) {
        painter.setPen(QPen(PreviewColor, 1));
        painter.drawRect(around(*m_shownPreview));
    } else if (m_hover) {
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(around(QRect(m_hover->column, m_hover->row, 1, 1)));
    }
    if (m_shownCursor) {
        // Cyan around the cell, black around that: apart from the pointer's white and the selection's dashes.
        const QRect cursor = around(QRect(m_shownCursor->column, m_shownCursor->row, 1, 1));
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(cursor.adjusted(-1, -1, 1, 1));
        painter.setPen(QPen(Qt::cyan, 1));
        painter.drawRect(cursor);
    }
}

void WorldView::paintPreview(QPainter& painter, const QRect& area) const
{
    const MapPattern& tiles = m_shownTiles;
    const QRect placed = m_shownPreview.value_or(QRect());
    const QRect pixels = pixelsOf(placed & MapCell::WorldArea()) & area;
    if (tiles.isEmpty() || pixels.isEmpty()) {
        return;
    }
    // The pattern's cells that show in `pixels`, drawn half transparent over the map's.
    QImage layer(pixels.size(), TileRaster::Format);
    const MapCell first = cellAt(pixels.topLeft());
    const MapCell last = cellAt(pixels.bottomRight());
    const QRect cells = QRect(QPoint(first.column, first.row), QPoint(last.column, last.row)) & placed;
    for (int row = cells.top(); row <= cells.bottom(); ++row) {
        for (int column = cells.left(); column <= cells.right(); ++column) {
            m_atlas.drawTile(tiles.at(column - placed.left(), row - placed.top()), layer,
                             cellOrigin({column, row}) - pixels.topLeft());
        }
    }
    painter.setOpacity(PreviewOpacity);
    painter.drawImage(pixels.topLeft(), layer);
    painter.setOpacity(1);
}

void WorldView::followChanges(const MapCells& cells)
{
    if (cells.isEmpty()) {
        viewport()->update();
        return;
    }
    QPoint first(MapCell::Columns, MapCell::Rows);
    QPoint last(-1, -1);
    for (const MapCell& cell : cells) {
        first = {std::min(first.x(), cell.column), std::min(first.y(), cell.row)};
        last = {std::max(last.x(), cell.column), std::max(last.y(), cell.row)};
    }
    viewport()->update(pixelsOf(QRect(first, last)).adjusted(-1, -1, 1, 1));
}

void WorldView::paintChanges(QPainter& painter, const QRect& area) const
{
    if (!m_session.changesShown()) {
        return;
    }
    // Only the cells in view; at sizes too small for an outline, a run of cells of one kind along a row is one fill.
    const MapCell first = cellAt(area.topLeft());
    const MapCell last = cellAt(area.bottomRight());
    const int left = std::max(first.column, 0);
    const int right = std::min(last.column, MapCell::Columns - 1);
    const MapChanges& changes = m_session.changes();
    for (int row = std::max(first.row, 0); row <= std::min(last.row, MapCell::Rows - 1); ++row) {
        for (int column = left; column <= right; ++column) {
            const quint8 kind = changes.kind({column, row});
            if (kind == MapChanges::None) {
                continue;
            }
            int end = column;
            while (m_zoom < 6 && end < right && changes.kind({end + 1, row}) == kind) {
                ++end;
            }
            MarkerStyle::PaintChange(painter, pixelsOf(QRect(column, row, end - column + 1, 1)), kind);
            column = end;
        }
    }
}

void WorldView::paintMarkers(QPainter& painter, const QRect& area) const
{
    if (!m_session.locationsShown(true)) {
        return;
    }
    painter.setFont(m_markerFont);
    for (const bool squares : {false, true}) {
        for (qsizetype i = 0; i < m_markers.size(); ++i) {
            const Marker& marker = m_markers[i];
            const QPoint centre = cellOrigin({marker.column, marker.row}) + QPoint(m_zoom, m_zoom) / 2;
            const QRect box = MarkerStyle::Box(centre, m_zoom);
            const QRect label = MarkerStyle::LabelBox(centre, box, m_labelSizes[i], viewport()->width());
            if (squares && area.intersects(box.adjusted(0, 0, 1, 1))) {
                MarkerStyle::PaintBox(painter, box, MarkerStyle::Fill(marker.town, marker.crowded));
            } else if (!squares && area.intersects(label)) {  // text is slow to lay out: only what the paint shows
                MarkerStyle::PaintLabel(painter, label, marker.label);
            }
        }
    }
}

// ---- The mouse ----------------------------------------------------------------------------

void WorldView::forward(QMouseEvent* event, QEvent::Type type)
{
    if (!m_session.isLoaded()) {
        return;
    }
    m_session.mapEvent(type, {cellAt(event->position()), type == QEvent::MouseMove ? Qt::NoButton : event->button(),
                              event->buttons(), MapCell::WorldArea()});
}

void WorldView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton) {
        // The cell in the main window; no tool acts on it.
        if (const MapCell cell = cellAt(event->position()); m_session.isLoaded() && cell.isOnMap()) {
            m_session.showOverworldCell(cell);
        }
        return;
    }
    forward(event, QEvent::MouseButtonPress);
}

void WorldView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is a press like the first.
    mousePressEvent(event);
}

void WorldView::mouseMoveEvent(QMouseEvent* event)
{
    const MapCell cell = cellAt(event->position());
    followHover(cell.isOnMap() ? std::optional(cell) : std::nullopt);
    forward(event, QEvent::MouseMove);
}

void WorldView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::MiddleButton) {
        forward(event, QEvent::MouseButtonRelease);
    }
}

void WorldView::leaveEvent(QEvent* event)
{
    followHover(std::nullopt);
    QAbstractScrollArea::leaveEvent(event);
}
