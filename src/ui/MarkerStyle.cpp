#include "ui/MarkerStyle.h"

#include "core/MapChanges.h"

#include <QPainter>

#include <algorithm>

namespace MarkerStyle {

QColor Fill(bool town, bool crowded)
{
    if (crowded) {
        return {230, 30, 200};  // magenta: on no tile of the overworld
    }
    return town ? QColor(255, 120, 40) : QColor(80, 220, 255);
}

QRect Box(QPoint centre, int cellPixels)
{
    const int side = std::clamp(cellPixels / 2 + 4, 6, 12);
    return {centre - QPoint(side, side) / 2, QSize(side, side)};
}

QRect LabelBox(QPoint centre, const QRect& box, QSize labelSize, int rightEdge)
{
    QRect label(QPoint(), labelSize);
    label.moveCenter(centre);
    const int gap = box.width() / 2 + 3;
    label.moveLeft(centre.x() + gap + label.width() < rightEdge ? centre.x() + gap : centre.x() - gap - label.width());
    return label;
}

void PaintLabel(QPainter& painter, const QRect& label, const QString& name)
{
    painter.fillRect(label, QColor(0, 0, 0, 150));
    painter.setPen(Qt::white);
    painter.drawText(label, Qt::AlignCenter, name);
}

void PaintBox(QPainter& painter, const QRect& box, const QColor& fill)
{
    painter.setPen(Qt::black);
    painter.setBrush(fill);
    painter.drawRect(box);
}

QColor UnsavedColor()
{
    return {248, 216, 64};
}

QColor SinceBackupColor()
{
    return {232, 112, 176};
}

void PaintChange(QPainter& painter, const QRect& pixels, quint8 kind)
{
    const bool unsaved = (kind & MapChanges::Unsaved) != 0;
    const QColor outer = unsaved ? UnsavedColor() : SinceBackupColor();
    if (pixels.height() < 6) {
        painter.fillRect(pixels, outer);
        return;
    }
    const QColor inner = (kind & MapChanges::SinceBackup) != 0 ? SinceBackupColor() : outer;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(outer, 1));
    painter.drawRect(pixels.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(inner, 1));
    painter.drawRect(pixels.adjusted(1, 1, -2, -2));
    painter.restore();
}

}  // namespace MarkerStyle
