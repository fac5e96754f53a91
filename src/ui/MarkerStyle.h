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

// View > Show Changes: a cell changed since the file on disk (yellow) or since its backup (pink), as the
// tool bar's picture shows them. A cell of `pixels` gets a two-pixel outline, yellow outside and pink
// inside when it is both; a cell too small to show an outline inside it is filled (yellow when both), and so
// is a run of such cells along a row, given as one rectangle.
QColor UnsavedColor();
QColor SinceBackupColor();
// `kind` holds MapChanges::Kind flags.
void PaintChange(QPainter& painter, const QRect& pixels, quint8 kind);

}  // namespace MarkerStyle
