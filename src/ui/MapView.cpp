#include "ui/MapView.h"

#include "core/MapGeometry.h"
#include "core/MapPainting.h"
#include "editor/EditorSession.h"
#include "ui/PictureBox.h"
#include "ui/ShapeOutline.h"
#include "ui/WheelScroller.h"

#include <QScrollBar>

#include <algorithm>

MapView::MapView(EditorSession& session, QWidget* parent) : QWidget(parent), m_session(session)
{
    setObjectName(QStringLiteral("picHolder_01"));
    PictureBox::fillBlack(this);

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
    m_shpMap = new ShapeOutline(QStringLiteral("shpMap"), QSize(16, 16), Qt::white, m_picMap);
    m_shpMap->move(700, 8);

    m_vsMap = makeScrollBar(this, QStringLiteral("vsMap"), Qt::Vertical, QRect(448, 0, 17, 385), 128, 16, 128);
    m_hsMap = makeScrollBar(this, QStringLiteral("hsMap"), Qt::Horizontal, QRect(0, 384, 449, 17), 3656, 16, 128);
    m_vsMap->raise();
    m_hsMap->raise();
    new WheelScroller(this, m_vsMap, m_hsMap);
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
    return bar;
}

void MapView::forward(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPointF position)
{
    const int block = m_session.currentBlock();
    const MapToolEvent event{
        MapCell::InBlock(block, MapGeometry::CellFromPointer(position.y()), MapGeometry::CellFromPointer(position.x())),
        button, buttons, MapCell::BlockArea(block)};
    switch (type) {
    case QEvent::MouseButtonPress: m_session.mapPress(event); break;
    case QEvent::MouseMove: m_session.mapMove(event); break;
    default: m_session.mapRelease(event); break;
    }
}

void MapView::hsMap_Change(int value)
{
    m_picMap->move(-(value / MapGeometry::CellSize * MapGeometry::CellSize), m_picMap->y());
    emit scrolled();
}

void MapView::vsMap_Change(int value)
{
    m_picMap->move(m_picMap->x(), -(value / MapGeometry::CellSize * MapGeometry::CellSize));
    emit scrolled();
}

QRect MapView::visibleCells() const
{
    return QRect(m_hsMap->value() / MapGeometry::CellSize, m_vsMap->value() / MapGeometry::CellSize, VisibleColumns,
                 VisibleRows);
}

void MapView::showPointer(const MapCell& cell)
{
    if (cell.block() == m_session.currentBlock()) {
        m_shpMap->move(MapGeometry::CellSize * cell.column, MapGeometry::CellSize * cell.localRow());
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
    m_hsMap->setValue(std::clamp((first->column - VisibleColumns / 2) * MapGeometry::CellSize, 0, m_hsMap->maximum()));
    m_vsMap->setValue(std::clamp((first->localRow() - VisibleRows / 2) * MapGeometry::CellSize, 0, m_vsMap->maximum()));
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
