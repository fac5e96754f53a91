#pragma once

class QWidget;

// The names screen readers announce for the main window's controls, found by
// their object names.
namespace MainWindowNames {

void Apply(QWidget* window);

}  // namespace MainWindowNames
