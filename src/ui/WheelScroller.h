#pragma once

#include <QObject>
#include <QPointer>

class QScrollBar;
class QWidget;

// Turns the mouse wheel over a picture viewport into steps of its scroll
// bars, so the picture moves exactly as the bars move it (whole cells, whole
// tiles). The wheel scrolls vertically; with Shift held, or a sideways wheel,
// horizontally.
class WheelScroller : public QObject {
    Q_OBJECT
public:
    // Watches `viewport` (and the pictures inside it, whose unused wheel
    // events reach it); either bar may be null.
    WheelScroller(QWidget* viewport, QScrollBar* vertical, QScrollBar* horizontal);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void step(QScrollBar* bar, int delta, int* rest);

    QPointer<QScrollBar> m_vertical;
    QPointer<QScrollBar> m_horizontal;
    int m_restVertical = 0;  // parts of a wheel notch not yet scrolled (fine-grained wheels)
    int m_restHorizontal = 0;
};
