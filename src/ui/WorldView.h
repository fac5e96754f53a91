#pragma once

#include "core/MapCell.h"
#include "core/MapPattern.h"
#include "core/TileAtlas.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QEvent>
#include <QImage>
#include <QList>
#include <QRect>
#include <QRegion>

#include <array>
#include <optional>

class EditorSession;

// The whole overworld, 256 x 256 cells, as an editing view at 2 to 16 pixels
// a cell. Every pointer event goes to the session's active tool with the
// whole overworld as its area, so strokes, fills, selections and pastes run
// across block boundaries; a middle click shows the cell in the main window.
// It composes only the cells in view, from the tile atlas of its zoom, into
// a picture the size of the viewport, and redraws only the cells the document
// reports changed. Over the cells: the shown block and the main view's cells
// outlined, the cells changed since the file and its backup (View > Show Changes), the towns, items and balloon marked
// (unless switched off), the selection in black and white dashes, the active tool's preview (a stamp or a floating
// paste drawn half transparent under the pointer), and the keyboard's cell cursor (cyan inside black). It takes the
// keys of the cell cursor (CursorKeys) and tells screen readers the cell under it.
class WorldView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Pixels a cell, from Zoom Out to Zoom In; the window opens at the first.
    static constexpr std::array<int, 7> Zooms{2, 3, 4, 6, 8, 12, 16};
    static constexpr int DefaultZoom = Zooms.front();

    struct Marker {
        QString label;
        int column = 0;
        int row = 0;
        bool town = false;
        bool crowded = false;  // a town sharing its screen with two others
    };

    WorldView(EditorSession& session, QWidget* parent);

    int zoom() const { return m_zoom; }
    // The cell under a viewport position (off the map beyond its edges), and a cell's top left in the viewport.
    MapCell cellAt(QPointF position) const;
    QPoint cellOrigin(const MapCell& cell) const;
    // The cells as the viewport shows them, without what is drawn over them.
    const QImage& frame() const;

    // The block the main window shows and the cells of it in its view.
    void setViewport(int block, const QRect& visibleCells);
    void setMarkers(QList<Marker> markers);
    const QList<Marker>& markers() const { return m_markers; }

    QSize sizeHint() const override;

public slots:
    void zoomIn();
    void zoomOut();
    // Back to 2 pixels a cell, the whole overworld in 512 x 512 pixels.
    void actualSize();
    // Keeps the map point under the viewport position `anchor` where it is.
    void setZoom(int pixelsPerCell, QPointF anchor);

signals:
    void zoomChanged(int pixelsPerCell);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPoint scroll() const;
    // The viewport pixels of a rectangle of cells.
    QRect pixelsOf(const QRect& cells) const;
    // A rectangle of cells with the one-pixel outline drawn around it.
    QRegion outlined(const std::optional<QRect>& cells) const;
    void stepZoom(int steps, QPointF anchor);
    void updateBars();
    void invalidate();
    void rebuildAtlas();
    void drawChangedCells(const MapCells& cells);
    void followTool();
    void followSelection();
    void followHover(const std::optional<MapCell>& cell);
    void revealCells(const MapCells& cells);
    void followCursor();
    // Scrolls as little as it takes to show the whole cell.
    void keepInView(const MapCell& cell);
    void forward(QMouseEvent* event, QEvent::Type type);
    void paintPreview(QPainter& painter, const QRect& area) const;
    void paintMarkers(QPainter& painter, const QRect& area) const;
    void paintChanges(QPainter& painter, const QRect& area) const;
    void followChanges(const MapCells& cells);

    EditorSession& m_session;
    int m_zoom = DefaultZoom;
    int m_wheelRest = 0;  // parts of a Ctrl+wheel notch not yet zoomed
    TileAtlas m_atlas;
    mutable QImage m_frame;
    mutable bool m_frameStale = true;
    int m_block = 1;
    QRect m_visibleCells;
    QList<Marker> m_markers;
    QFont m_markerFont;
    QList<QSize> m_labelSizes;  // of each marker's label box
    std::optional<QRect> m_shownPreview;  // the cells last drawn as the tool's preview, and their tiles
    MapPattern m_shownTiles;
    std::optional<QRect> m_shownSelection;
    std::optional<MapCell> m_shownCursor;
    std::optional<MapCell> m_hover;  // the cell under the pointer while it is over the view
};
