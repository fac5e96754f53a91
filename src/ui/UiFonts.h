#pragma once

#include <QFont>

// Faces asked for by name. Where a named face is missing, the nearest
// installed one is picked on purpose rather than left to chance.
namespace UiFonts {

// "Arial", or Liberation Sans (same metrics), or the default sans face.
QFont Arial(double pointSize, bool bold = false);
// "Haettenschweiler", or a condensed bold face (Liberation Sans Narrow, DejaVu Sans Condensed).
QFont Condensed(double pointSize);

}  // namespace UiFonts
