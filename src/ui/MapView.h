#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QWidget>

#include <functional>

class MapDocument;
class PictureBox;
class QScrollBar;
class ShapeOutline;

// The map viewport `picHolder_01`: the shown block's picture `picMap` with its
// cell marker `shpMap`, and the scroll bars `vsMap` and `hsMap` over its right
// and bottom edges. It redraws the cells the document reports changed in the
// shown block, scrolls with the wheel through the bars, and names the cell
// under the pointer in a tooltip. Moving the picture is the main window's
// (its scroll handlers).
class MapView : public QWidget {
    Q_OBJECT
public:
    static constexpr int VisibleColumns = 28;
    static constexpr int VisibleRows = 24;

    // `strip` is the tile strip, rebuilt in place on each load.
    MapView(MapDocument& document, const QImage& strip, std::function<QColor()> gridColor, QWidget* parent);

    PictureBox* picture() const { return m_picMap; }
    ShapeOutline* marker() const { return m_shpMap; }
    QScrollBar* verticalBar() const { return m_vsMap; }
    QScrollBar* horizontalBar() const { return m_hsMap; }

    // The cells of the block the viewport shows, as the scroll bars place the picture.
    QRect visibleCells() const;
    // Scrolls so that the first of `cells` (256 * local row + column) stands
    // near the middle, unless one of them is already in view.
    void revealCells(const QList<int>& cells);

    static QScrollBar* makeScrollBar(QWidget* parent, const QString& name, Qt::Orientation orientation,
                                     const QRect& geometry, int maximum, int small, int large);

private:
    void drawChangedCells(int block, const QList<int>& cells);

    MapDocument& m_document;
    const QImage& m_strip;
    std::function<QColor()> m_gridColor;
    PictureBox* m_picMap = nullptr;
    ShapeOutline* m_shpMap = nullptr;
    QScrollBar* m_vsMap = nullptr;
    QScrollBar* m_hsMap = nullptr;
};
