#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

// How both map views mark a town, an item or the balloon: a square on its
// cell, filled by kind (a town that shares its screen with two others in the
// warning colour), with its name on a dark box beside it.
namespace MarkerStyle {

QColor Fill(bool town, bool crowded);

// The square of a marker on a cell of `cellPixels` pixels whose centre is `centre`.
QRect Box(QPoint centre, int cellPixels);

// The label box beside the marker `box` centred on `centre`: at its right when it ends before `rightEdge`,
// else at its left.
QRect LabelBox(QPoint centre, const QRect& box, QSize labelSize, int rightEdge);

// A view paints every label first, then every square, so no label hides a neighbour's square.
void PaintLabel(QPainter& painter, const QRect& label, const QString& name);
void PaintBox(QPainter& painter, const QRect& box, const QColor& fill);

}  // namespace MarkerStyle
