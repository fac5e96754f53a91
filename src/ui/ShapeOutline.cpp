#include "ui/ShapeOutline.h"

#include <QPainter>

ShapeOutline::ShapeOutline(const QString& name, const QSize& size, const QColor& color, QWidget* parent)
    : QWidget(parent), m_color(color)
{
    setObjectName(name);
    setFixedSize(size);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void ShapeOutline::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(m_color, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, width() - 1, height() - 1);
}
