#pragma once

#include "ui/WorldView.h"

#include <QDialog>
#include <QList>
#include <QRect>

class EditorSession;
class QLabel;

// The world map window: the whole overworld as an editing view (picWorld),
// zoomed from 2 to 16 pixels a cell, and under it a status line with what
// the active tool would do. It follows every change of the document as it
// happens; the item and town locations of the cartridge file are marked.
class frmWorldMap : public QDialog {
    Q_OBJECT
public:
    using Marker = WorldView::Marker;

    frmWorldMap(EditorSession& session, QWidget* owner);

    // Beside `window` where the screen has room, so neither hides the other.
    void placeBeside(const QWidget* window);
    // Where the window stood in the last run, else beside `window`.
    void placeAsRemembered(const QWidget* window);
    // Its place and size, for the next run.
    void rememberPlace();

    WorldView* view() const { return m_view; }

    // The shown block and the cells of it that the map viewport shows.
    void setViewport(int block, const QRect& visibleCells);
    // The markers of the session's location tables, as they are now.
    void refreshMarkers();
    const QList<Marker>& markers() const { return m_view->markers(); }

protected:
    // Escape drops a floating paste, a drag or the selection before it closes the window.
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showStatus();

    EditorSession& m_session;
    WorldView* m_view = nullptr;
    QLabel* m_status = nullptr;
};
