#include "ui/MapView.h"

#include "core/MapDocument.h"
#include "core/MapGeometry.h"
#include "core/MapPainting.h"
#include "ui/PictureBox.h"
#include "ui/ShapeOutline.h"
#include "ui/WheelScroller.h"

#include <QScrollBar>

#include <algorithm>

MapView::MapView(MapDocument& document, const QImage& strip, std::function<QColor()> gridColor, QWidget* parent)
    : QWidget(parent), m_document(document), m_strip(strip), m_gridColor(std::move(gridColor))
{
    setObjectName(QStringLiteral("picHolder_01"));
    PictureBox::fillBlack(this);

    m_picMap =
        new PictureBox(QStringLiteral("picMap"), QSize(MapGeometry::PictureWidth, MapGeometry::PictureHeight), this);
    m_picMap->move(0, 9000);  // out of view until the first load
    m_picMap->setToolTipSource([this](QPointF position) {
        const int column = MapGeometry::CellFromPointer(position.x());
        const int localRow = MapGeometry::CellFromPointer(position.y());
        const int block = m_document.currentBlock();
        const auto tile = m_document.isLoaded() ? m_document.tileAt(block, localRow, column) : std::nullopt;
        return tile ? MapGeometry::CellDescription(block, localRow, column, *tile) : QString();
    });
    m_shpMap = new ShapeOutline(QStringLiteral("shpMap"), QSize(16, 16), Qt::white, m_picMap);
    m_shpMap->move(700, 8);

    m_vsMap = makeScrollBar(this, QStringLiteral("vsMap"), Qt::Vertical, QRect(448, 0, 17, 385), 128, 16, 128);
    m_hsMap = makeScrollBar(this, QStringLiteral("hsMap"), Qt::Horizontal, QRect(0, 384, 449, 17), 3656, 16, 128);
    m_vsMap->raise();
    m_hsMap->raise();
    new WheelScroller(this, m_vsMap, m_hsMap);
    connect(&m_document, &MapDocument::cellsChanged, this, &MapView::drawChangedCells);
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

QRect MapView::visibleCells() const
{
    return QRect(m_hsMap->value() / MapGeometry::CellSize, m_vsMap->value() / MapGeometry::CellSize, VisibleColumns,
                 VisibleRows);
}

void MapView::revealCells(const QList<int>& cells)
{
    const QRect visible = visibleCells();
    const auto inView = [&visible](int cell) {
        return visible.contains(cell % MapGeometry::Columns, cell / MapGeometry::Columns);
    };
    if (cells.isEmpty() || std::any_of(cells.begin(), cells.end(), inView)) {
        return;
    }
    const int column = cells.first() % MapGeometry::Columns;
    const int localRow = cells.first() / MapGeometry::Columns;
    m_hsMap->setValue(std::clamp((column - VisibleColumns / 2) * MapGeometry::CellSize, 0, m_hsMap->maximum()));
    m_vsMap->setValue(std::clamp((localRow - VisibleRows / 2) * MapGeometry::CellSize, 0, m_vsMap->maximum()));
}

void MapView::drawChangedCells(int block, const QList<int>& cells)
{
    if (block != m_document.currentBlock()) {
        return;  // drawn from the image when that block is shown
    }
    QRect changed;
    const QColor outline = m_gridColor();
    for (const int cell : cells) {
        const int column = cell % MapGeometry::Columns;
        const int localRow = cell / MapGeometry::Columns;
        changed |= MapPainting::DrawCell(m_picMap->backing(), m_strip, column, localRow,
                                         *m_document.tileAt(block, localRow, column), outline);
    }
    m_picMap->refresh(changed);
}
