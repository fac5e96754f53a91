#include "ui/MapView.h"

#include "core/MapGeometry.h"
#include "core/MapPainting.h"
#include "editor/EditorSession.h"
#include "ui/CursorKeys.h"
#include "ui/MapOverlay.h"
#include "ui/PictureBox.h"
#include "ui/ShapeOutline.h"
#include "ui/ValueAccessible.h"
#include "ui/WheelScroller.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

// Whole screen pixels a cell: the picture is drawn at a quarter, half, one,
// two, three or four times its size, nearest neighbour.
constexpr int CellSizes[] = {4, 8, 16, 32, 48, 64};
constexpr int FirstStep = 2;
constexpr int LastStep = static_cast<int>(std::size(CellSizes)) - 1;
constexpr int BarWidth = 17;
// The horizontal bar reaches 8 pixels past the picture's last column.
constexpr int HorizontalSlack = 8;

int snapped(double pixels)
{
    return static_cast<int>(std::floor(pixels / MapGeometry::CellSize)) * MapGeometry::CellSize;
}

}  // namespace

MapView::MapView(EditorSession& session, QWidget* parent) : QWidget(parent), m_session(session), m_zoomStep(FirstStep)
{
    setObjectName(QStringLiteral("picHolder_01"));
    PictureBox::fillBlack(this);
    setFocusPolicy(Qt::StrongFocus);
    // A control with a value for screen readers before anything asks about it.
    ValueAccessible::SetValue(this, QString());
    setAccessibleDescription(QString::fromLatin1(CursorKeys::Description));

    m_picMap =
        new PictureBox(QStringLiteral("picMap"), QSize(MapGeometry::PictureWidth, MapGeometry::PictureHeight), this);
    m_picMap->move(0, 9000);  // out of view until the first load
    m_picMap->setToolTipSource([this](QPointF position) {
        const MapCell cell = MapCell::InBlock(m_session.currentBlock(), MapGeometry::CellFromPointer(position.y()),
                                              MapGeometry::CellFromPointer(position.x()));
        const auto tile = m_session.isLoaded() && cell.isIn(MapCell::BlockArea(m_session.currentBlock()))
                              ? m_session.document().tileAt(cell)
                              : std::nullopt;
        return tile ? MapGeometry::CellDescription(cell, *tile) : QString();
    });
    m_shpMap = new ShapeOutline(QStringLiteral("shpMap"), QSize(MapGeometry::CellSize, MapGeometry::CellSize),
                                Qt::white, m_picMap);
    m_shpMap->move(700, 8);
    m_overlay = new MapOverlay(m_session, m_picMap);
    m_overlay->refresh();

    m_vsMap = makeScrollBar(this, QStringLiteral("vsMap"), Qt::Vertical, QRect(448, 0, 17, 385), 128, 16, 128);
    m_hsMap = makeScrollBar(this, QStringLiteral("hsMap"), Qt::Horizontal, QRect(0, 384, 449, 17), 3656, 16, 128);
    m_vsMap->raise();
    m_hsMap->raise();
    new WheelScroller(this, m_vsMap, m_hsMap);
    installEventFilter(this);  // after the scroller's: Ctrl and the wheel zoom
    connect(m_vsMap, &QScrollBar::valueChanged, this, &MapView::vsMap_Change);
    connect(m_hsMap, &QScrollBar::valueChanged, this, &MapView::hsMap_Change);

    connect(m_picMap, &PictureBox::pressed, this, [this](Qt::MouseButton button, Qt::MouseButtons buttons, QPointF at) {
        forward(QEvent::MouseButtonPress, button, buttons, at);
    });
    connect(m_picMap, &PictureBox::moved, this,
            [this](Qt::MouseButtons buttons, QPointF at) { forward(QEvent::MouseMove, Qt::NoButton, buttons, at); });
    connect(m_picMap, &PictureBox::released, this,
            [this](Qt::MouseButton button, Qt::MouseButtons buttons, QPointF at) {
                forward(QEvent::MouseButtonRelease, button, buttons, at);
            });
    connect(&m_session.document(), &MapDocument::cellsChanged, this, &MapView::drawChangedCells);
    connect(&m_session, &EditorSession::pointerMoved, this, &MapView::showPointer);
    connect(&m_session, &EditorSession::cellsRevealed, this, &MapView::revealCells);
    connect(&m_session, &EditorSession::cursorRevealed, this, &MapView::keepInView);
    connect(&m_session, &EditorSession::cursorMoved, this, &MapView::describeCursor);
    connect(&m_session.document(), &MapDocument::cellsChanged, this, &MapView::describeCursor);

    // The zoom of the last run, remembered as pixels a cell.
    const QList<int> sizes(std::begin(CellSizes), std::end(CellSizes));
    if (const auto pixels = m_session.memory().number(LayoutMemory::MapZoom, sizes)) {
        zoomTo(static_cast<int>(sizes.indexOf(*pixels)), QPoint());
    }
    connect(&m_session, &EditorSession::layoutReset, this, &MapView::actualSize);
}

QScrollBar* MapView::makeScrollBar(QWidget* parent, const QString& name, Qt::Orientation orientation,
                                   const QRect& geometry, int maximum, int small, int large)
{
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(name);
    bar->setGeometry(geometry);
    bar->setRange(0, maximum);
    bar->setSingleStep(small);
    bar->setPageStep(large);
    bar->setTracking(true);  // the picture follows the thumb while it is dragged
    bar->setFocusPolicy(Qt::NoFocus);  // the map and the strip take the keys themselves
    return bar;
}

void MapView::forward(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPointF position)
{
    const int block = m_session.currentBlock();
    m_session.mapEvent(type, {MapCell::InBlock(block, MapGeometry::CellFromPointer(position.y()),
                                               MapGeometry::CellFromPointer(position.x())),
                              button, buttons, MapCell::BlockArea(block)});
}

int MapView::cellPixels() const
{
    return CellSizes[m_zoomStep];
}

QSize MapView::visiblePixels() const
{
    const double zoom = m_picMap->zoom();
    return QSize(static_cast<int>((width() - BarWidth) / zoom), static_cast<int>((height() - BarWidth) / zoom));
}

void MapView::resizeEvent(QResizeEvent*)
{
    m_vsMap->setGeometry(width() - BarWidth, 0, BarWidth, height() - BarWidth + 1);
    m_hsMap->setGeometry(0, height() - BarWidth, width() - BarWidth + 1, BarWidth);
    updateRanges();
    emit scrolled();
}

void MapView::updateRanges()
{
    const QSize visible = visiblePixels();
    m_hsMap->setMaximum(std::max(0, MapGeometry::PictureWidth + HorizontalSlack - visible.width()));
    m_vsMap->setMaximum(std::max(0, MapGeometry::PictureHeight - visible.height()));
}

void MapView::hsMap_Change(int value)
{
    m_picMap->move(-m_picMap->toWidget(QRect(snapped(value), 0, 1, 1)).left(), m_picMap->y());
    emit scrolled();
}

void MapView::vsMap_Change(int value)
{
    m_picMap->move(m_picMap->x(), -m_picMap->toWidget(QRect(0, snapped(value), 1, 1)).top());
    emit scrolled();
}

void MapView::placePicture()
{
    hsMap_Change(m_hsMap->value());
    if (m_picMap->y() <= 0) {  // not while a load draws it out of sight
        vsMap_Change(m_vsMap->value());
    }
}

void MapView::zoomIn()
{
    zoomTo(std::min(m_zoomStep + 1, LastStep), rect().center());
}

void MapView::zoomOut()
{
    zoomTo(std::max(m_zoomStep - 1, 0), rect().center());
}

void MapView::actualSize()
{
    zoomTo(FirstStep, rect().center());
}

void MapView::zoomTo(int step, QPoint anchor)
{
    if (step == m_zoomStep) {
        return;
    }
    const double before = m_picMap->zoom();
    const QPointF under(snapped(m_hsMap->value()) + anchor.x() / before,
                        snapped(m_vsMap->value()) + anchor.y() / before);
    m_zoomStep = step;
    m_session.memory().setNumber(LayoutMemory::MapZoom, CellSizes[step]);
    m_picMap->setZoom(static_cast<double>(CellSizes[step]) / MapGeometry::CellSize);
    const double after = m_picMap->zoom();
    updateRanges();
    // The cell under the anchor stays under it: as many whole cells left of
    // (and above) it as fit there at the new zoom.
    const auto scrolled = [after](double pictureAt, int viewAt) {
        const int cell = static_cast<int>(std::floor(pictureAt / MapGeometry::CellSize));
        const int before = static_cast<int>(std::floor(viewAt / (MapGeometry::CellSize * after)));
        return (cell - before) * MapGeometry::CellSize;
    };
    m_hsMap->setValue(scrolled(under.x(), anchor.x()));
    m_vsMap->setValue(scrolled(under.y(), anchor.y()));
    placePicture();
    if (m_marked) {
        showPointer(*m_marked);
    }
    m_overlay->refresh();
}

bool MapView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int delta = wheel->angleDelta().y();
            if (delta != 0) {
                zoomTo(std::clamp(m_zoomStep + (delta > 0 ? 1 : -1), 0, LastStep), wheel->position().toPoint());
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QRect MapView::visibleCells() const
{
    const QSize visible = visiblePixels();
    const auto cells = [](int pixels) { return (pixels + MapGeometry::CellSize - 1) / MapGeometry::CellSize; };
    return QRect(m_hsMap->value() / MapGeometry::CellSize, m_vsMap->value() / MapGeometry::CellSize,
                 cells(visible.width()), cells(visible.height()));
}

void MapView::showPointer(const MapCell& cell)
{
    if (cell.block() == m_session.currentBlock()) {
        m_marked = cell;
        m_shpMap->setGeometry(
            m_picMap->toWidget(QRect(MapGeometry::CellSize * cell.column, MapGeometry::CellSize * cell.localRow(),
                                     MapGeometry::CellSize, MapGeometry::CellSize)));
    }
}

void MapView::revealCells(const MapCells& cells)
{
    const int block = m_session.currentBlock();
    const QRect visible = visibleCells();
    const auto inView = [&](const MapCell& cell) {
        return cell.block() == block && visible.contains(cell.column, cell.localRow());
    };
    const auto first =
        std::find_if(cells.begin(), cells.end(), [block](const MapCell& c) { return c.block() == block; });
    if (first == cells.end() || std::any_of(cells.begin(), cells.end(), inView)) {
        return;
    }
    m_hsMap->setValue(std::clamp((first->column - visible.width() / 2) * MapGeometry::CellSize, 0, m_hsMap->maximum()));
    m_vsMap->setValue(
        std::clamp((first->localRow() - visible.height() / 2) * MapGeometry::CellSize, 0, m_vsMap->maximum()));
}

void MapView::drawChangedCells(const MapCells& cells)
{
    const int block = m_session.currentBlock();
    QRect changed;
    const QColor outline = m_session.GridColor();
    for (const MapCell& cell : cells) {
        if (cell.block() == block) {  // other blocks are drawn from the image when shown
            changed |= MapPainting::DrawCell(m_picMap->backing(), m_session.tileStrip(), cell.column, cell.localRow(),
                                             *m_session.document().tileAt(cell), outline);
        }
    }
    if (!changed.isEmpty()) {
        m_picMap->refresh(changed);
    }
}

void MapView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    const QRect visible = visibleCells();
    m_session.startCursor(MapCell::InBlock(m_session.currentBlock(), visible.top(), visible.left()));
}

void MapView::keyPressEvent(QKeyEvent* event)
{
    const int rows = visiblePixels().height() / MapGeometry::CellSize;
    if (!CursorKeys::Handle(m_session, *event, rows)) {
        QWidget::keyPressEvent(event);
    }
}

void MapView::keepInView(const MapCell& cell)
{
    if (cell.block() != m_session.currentBlock()) {
        return;
    }
    const QSize visible = visiblePixels();
    const int size = MapGeometry::CellSize;
    const auto scrolled = [size](QScrollBar* bar, int cell, int pixels) {
        const int whole = std::max(1, pixels / size);  // cells wholly in sight
        const int first = std::clamp(bar->value() / size, cell - whole + 1, cell);
        if (first != bar->value() / size) {
            bar->setValue(std::min(first * size, bar->maximum()));
        }
    };
    scrolled(m_hsMap, cell.column, visible.width());
    scrolled(m_vsMap, cell.localRow(), visible.height());
}

void MapView::describeCursor()
{
    ValueAccessible::SetValue(this, m_session.cursorDescription());
}
