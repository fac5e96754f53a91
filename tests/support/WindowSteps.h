#pragma once

// The steps the file tests take through the main window and its Game
// windows, written once: open a window, compare what it shows with the file,
// change one value as a user does, and compare the whole file afterwards.

#include "FileLayout.h"
#include "MainWindowDriver.h"
#include "core/CartridgeFile.h"

#include <QRandomGenerator>

namespace WindowSteps {

using namespace FileLayout;

// Opens the window of a Game route from its menu; the window, or null when none opened.
QDialog* Open(MainWindowDriver& d, Route route);

// Types into a box as a user does, after bringing its panel into view (characters window).
void Type(QDialog* window, const QString& name, const QString& text);

// Empty when every value the window shows is the one in `file`; otherwise the first mismatch.
QString ShownMismatch(QDialog* window, Route route, const QByteArray& file);

// Changes one value through the window as a user does (a location window takes
// a pick on the map, in the block now shown) and returns the bytes it must take.
QList<FilePatch> Edit(MainWindowDriver& d, QDialog* window, Route route, QRandomGenerator& rng);

void Apply(QByteArray& file, const QList<FilePatch>& patches);

}  // namespace WindowSteps
