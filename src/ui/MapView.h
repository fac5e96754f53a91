#pragma once

#include "core/MapCell.h"

#include <QEvent>
#include <QRect>
#include <QWidget>

class EditorSession;
class PictureBox;
class QScrollBar;
class ShapeOutline;

// The map viewport `picHolder_01`: the shown block's picture `picMap` with its
// cell marker `shpMap`, and the scroll bars `vsMap` and `hsMap` over its right
// and bottom edges, which move the picture in whole cells. It redraws the
// cells the document reports changed in the shown block, scrolls with the
// wheel through the bars, and names the cell under the pointer in a tooltip.
class MapView : public QWidget {
    Q_OBJECT
public:
    static constexpr int VisibleColumns = 28;
    static constexpr int VisibleRows = 24;

    MapView(EditorSession& session, QWidget* parent);

    PictureBox* picture() const { return m_picMap; }

    // The cells of the block the viewport shows (x the column, y the local
    // row), as the scroll bars place the picture.
    QRect visibleCells() const;
    // Scrolls so that the first of `cells` stands near the middle, unless one
    // of them is already in view. Cells of other blocks are left out.
    void revealCells(const MapCells& cells);

    static QScrollBar* makeScrollBar(QWidget* parent, const QString& name, Qt::Orientation orientation,
                                     const QRect& geometry, int maximum, int small, int large);

public slots:
    void hsMap_Change(int value);
    void vsMap_Change(int value);

signals:
    // The visible cells changed (a scroll).
    void scrolled();

private:
    void drawChangedCells(const MapCells& cells);
    void showPointer(const MapCell& cell);
    void forward(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPointF position);

    EditorSession& m_session;
    PictureBox* m_picMap = nullptr;
    ShapeOutline* m_shpMap = nullptr;
    QScrollBar* m_vsMap = nullptr;
    QScrollBar* m_hsMap = nullptr;
};
