#pragma once

#include <QGroupBox>

class EditorSession;
class MapView;
class PictureBox;
class QCheckBox;
class QComboBox;
class QLabel;

// The right group `Frame2`: the map viewport, the block list, the current
// block, the grid colour swatch and the grid check box. It draws the block
// the session chooses, cell by cell with the progress in the caption, and
// hands the block list, the swatch and the check box to the session.
class MapPanel : public QGroupBox {
    Q_OBJECT
public:
    MapPanel(EditorSession& session, QWidget* parent);

    MapView* view() const { return m_view; }

    // Draws the block starting at image index `start` into the picture
    // (EditorSession::DrawBlock: cell by cell, the progress in the caption, the
    // event loop let run after each cell) and shows it once complete. A newer
    // drawing (or the program ending) stops an older one at once.
    void DrawBlock(qint32 start);
    void DrawGrid();

public slots:
    void cboBlock_Click();
    void picGridColor_Click();

signals:
    // Another block is shown, or the view scrolled.
    void viewportChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Space or Enter on the focused swatch opens the colour dialog, as a click does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showBlock(int block);
    void showGridColor();

    EditorSession& m_session;
    MapView* m_view = nullptr;
    PictureBox* picMap = nullptr;
    QComboBox* cboBlock = nullptr;
    QLabel* lblBlock = nullptr;
    PictureBox* picGridColor = nullptr;
    QCheckBox* chkGrid = nullptr;
    QList<QWidget*> m_bottomRow;  // the block list, the grid controls and their captions
};
