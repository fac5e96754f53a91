#include "ui/PictureBox.h"

#include "core/TileRaster.h"

#include <QMouseEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

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
    update(area);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area.topLeft(), m_backing, area);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button(), event->buttons(), event->position());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(event->buttons(), event->position());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(event->button(), event->buttons(), event->position());
}

bool PictureBox::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && m_toolTipSource) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString text = m_toolTipSource(QPointF(help->pos()));
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
