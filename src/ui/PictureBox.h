#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>

#include <functional>

// A picture area with a persistent backing image: drawing goes into
// backing(), and the screen shows it after refresh(). It reports presses and
// movements in the backing image's pixel coordinates as floating-point
// positions, and keeps reporting movements outside itself while a button
// pressed on it is held. It can show its picture enlarged or reduced
// (nearest neighbour); positions still come in the picture's own pixels.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(const QString& name, const QSize& size, QWidget* parent);

    QImage& backing() { return m_backing; }
    const QImage& backing() const { return m_backing; }
    void setBacking(const QImage& image);

    // Screen pixels per picture pixel (1 at first).
    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    // A rectangle of picture pixels on the widget.
    QRect toWidget(const QRect& picture) const;

    void clear(const QColor& color);

    // A picture's holder (viewport): black wherever the picture does not cover it.
    static void fillBlack(QWidget* holder);
    // Shows the whole backing image, or just `area` of it.
    void refresh();
    void refresh(const QRect& area);

    // The tooltip for a position in the picture; an empty text shows none.
    void setToolTipSource(std::function<QString(QPointF)> source) { m_toolTipSource = std::move(source); }

signals:
    void pressed(Qt::MouseButton button, Qt::MouseButtons buttons, QPointF position);
    void moved(Qt::MouseButtons buttons, QPointF position);
    void released(Qt::MouseButton button, Qt::MouseButtons buttons, QPointF position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QImage m_backing;
    double m_zoom = 1;
    std::function<QString(QPointF)> m_toolTipSource;
};
