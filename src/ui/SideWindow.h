#pragma once

#include <QString>

class Platform;
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

// The message of a window that cannot be shown because the file cannot give
// its fields: the same title and icon for every Game window.
void ReportUnreadable(Platform& platform, QDialog* window, const QString& error);

}  // namespace SideWindow
