#pragma once

#include "core/MapCell.h"

#include <QEvent>
#include <QRect>
#include <QWidget>

#include <optional>

class EditorSession;
class MapOverlay;
class PictureBox;
class QScrollBar;
class ShapeOutline;

// The map viewport `picHolder_01`: the shown block's picture `picMap` with its
// cell marker `shpMap`, and the scroll bars `vsMap` and `hsMap` over its right
// and bottom edges, which move the picture in whole cells. It redraws the
// cells the document reports changed in the shown block, scrolls with the
// wheel through the bars (and zooms with Ctrl and the wheel), names the cell
// under the pointer in a tooltip and hands the mouse to the session's tools.
// It grows with the window and shows more cells; at its first size and zoom
// (16 pixels a cell) it shows 28 x 24 cells, with the bars' ranges 0..3656
// and 0..128. It takes the keyboard for the session's cell cursor, which screen
// readers hear as its value ("column 40, row 12, tile 3A").
class MapView : public QWidget {
    Q_OBJECT
public:
    MapView(EditorSession& session, QWidget* parent);

    PictureBox* picture() const { return m_picMap; }

    // The cells of the block the viewport shows (x the column, y the local
    // row), as the scroll bars place the picture.
    QRect visibleCells() const;
    // Scrolls so that the first of `cells` stands near the middle, unless one
    // of them is already in view. Cells of other blocks are left out.
    void revealCells(const MapCells& cells);

    // Screen pixels of a cell: 4, 8, 16 (the first), 32, 48 or 64.
    int cellPixels() const;

    static QScrollBar* makeScrollBar(QWidget* parent, const QString& name, Qt::Orientation orientation,
                                     const QRect& geometry, int maximum, int small, int large);

public slots:
    void hsMap_Change(int value);
    void vsMap_Change(int value);
    void zoomIn();
    void zoomOut();
    void actualSize();

signals:
    // The visible cells changed (a scroll, a zoom, a new size).
    void scrolled();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The keyboard's cell cursor: it starts at the first cell in sight, and moves with the keys (CursorKeys).
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void drawChangedCells(const MapCells& cells);
    // Scrolls as little as it takes to show the whole cell, when it is in the block shown.
    void keepInView(const MapCell& cell);
    // The cell under the cursor, as screen readers read it.
    void describeCursor();
    void showPointer(const MapCell& cell);
    void forward(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPointF position);
    // Zooms to step `step` of the cell sizes, keeping the picture pixel under
    // `anchor` (viewport pixels) where it is.
    void zoomTo(int step, QPoint anchor);
    // The picture's pixels the viewport shows across and down.
    QSize visiblePixels() const;
    void updateRanges();
    void placePicture();

    EditorSession& m_session;
    PictureBox* m_picMap = nullptr;
    ShapeOutline* m_shpMap = nullptr;
    MapOverlay* m_overlay = nullptr;
    QScrollBar* m_vsMap = nullptr;
    QScrollBar* m_hsMap = nullptr;
    int m_zoomStep;
    std::optional<MapCell> m_marked;
};
