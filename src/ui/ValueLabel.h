#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

// The labels that show the editor's values (tile, point, sextant, block, a
// location's row): white, with a thin single border and centred black text.
// A screen reader reads such a label as a labelled field: its name is the
// value it shows ("0A", kept up by the label itself as the text changes), its
// description what the value is (`field`: "Current tile number").
QLabel* MakeValueLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                       const QFont& font, const QString& field);

// A caption beside a value in the main window: 8.25-point Arial at (x, y), as wide as its text.
QLabel* MakeCaption(QWidget* parent, const QString& text, int x, int y);
