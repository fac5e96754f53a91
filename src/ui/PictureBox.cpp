#include "ui/PictureBox.h"

#include "core/TileRaster.h"

#include <QMouseEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>

PictureBox::PictureBox(const QString& name, const QSize& size, QWidget* parent)
    : QWidget(parent), m_backing(size, TileRaster::Format)
{
    setObjectName(name);
    setFixedSize(size);
    m_backing.fill(Qt::black);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void PictureBox::setBacking(const QImage& image)
{
    m_backing = image.convertToFormat(TileRaster::Format);
}

void PictureBox::setZoom(double zoom)
{
    m_zoom = zoom;
    setFixedSize(toWidget(m_backing.rect()).size());
    update();
}

QRect PictureBox::toWidget(const QRect& picture) const
{
    if (m_zoom == 1) {
        return picture;
    }
    const auto scaled = [this](int v) { return static_cast<int>(std::floor(v * m_zoom)); };
    return QRect(QPoint(scaled(picture.left()), scaled(picture.top())),
                 QPoint(scaled(picture.right() + 1) - 1, scaled(picture.bottom() + 1) - 1));
}

void PictureBox::fillBlack(QWidget* holder)
{
    holder->setAutoFillBackground(true);
    QPalette palette = holder->palette();
    palette.setColor(QPalette::Window, Qt::black);
    holder->setPalette(palette);
}

void PictureBox::clear(const QColor& color)
{
    m_backing.fill(color);
}

void PictureBox::refresh()
{
    update();
}

void PictureBox::refresh(const QRect& area)
{
    update(toWidget(area));
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    if (m_zoom == 1) {
        painter.drawImage(area.topLeft(), m_backing, area);
        if (hasFocus()) {
            // A picture that takes the keyboard (the grid colour swatch) shows the focus as a dotted frame.
            painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
        return;
    }
    // Nearest neighbour: every screen pixel shows one picture pixel.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.scale(m_zoom, m_zoom);
    const QRectF source(area.x() / m_zoom, area.y() / m_zoom, area.width() / m_zoom, area.height() / m_zoom);
    const QRect whole = source.toAlignedRect() & m_backing.rect();
    painter.drawImage(whole.topLeft(), m_backing, whole);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button(), event->buttons(), event->position() / m_zoom);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(event->buttons(), event->position() / m_zoom);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(event->button(), event->buttons(), event->position() / m_zoom);
}

bool PictureBox::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && m_toolTipSource) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = m_toolTipSource(QPointF(help->pos()) / m_zoom);
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}

void PictureBox::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void PictureBox::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}
