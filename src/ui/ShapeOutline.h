#pragma once

#include <QColor>
#include <QWidget>

// A rectangle outline with no fill, placed inside a picture so that it
// scrolls with it (the cell marker and the tile selection marker).
class ShapeOutline : public QWidget {
    Q_OBJECT
public:
    ShapeOutline(const QString& name, const QSize& size, const QColor& color, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
};
