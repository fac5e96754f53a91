#pragma once

#include <QCoreApplication>
#include <QString>

class QTemporaryDir;

// Every test program runs in the C locale, whatever the desktop's, both for
// the C library (which QCoreApplication sets from the environment) and for
// QLocale.
namespace TestLocale {

void PinC();

// Switches the C library to a German locale (decimal comma) generated into
// `dir` with localedef; false, with the reason in `why`, where that cannot be
// done. PinC() switches back.
bool UseDecimalComma(const QTemporaryDir& dir, QString* why);

// Runs PinC as soon as the program's application object exists.
inline const bool Pinned = [] {
    qAddPreRoutine(PinC);
    return true;
}();

}  // namespace TestLocale
