#pragma once

#include <QString>

class QDialog;
class QFrame;
class QWidget;

// What every Game window shares: a fixed client area given in twips, the
// 8.25-point Arial face, no maximise button, and thin black rules.
namespace SideWindow {

void SetUp(QDialog* window, const QString& name, const QString& title, int widthTwips, int heightTwips);

// A one-pixel black line from (x1, y1) to (x2, y2) in twips, both ends included;
// the line is horizontal or vertical.
QFrame* AddRule(QWidget* parent, const QString& name, int x1, int y1, int x2, int y2);

}  // namespace SideWindow
