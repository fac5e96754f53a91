#include "ui/UiFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// The windows are laid out in pixels for a 96 dpi screen, so their type is
// too: 9 points are 12 pixels whatever the screen's own resolution says.
int pixelsForPoints(double points)
{
    return qRound(points * 96.0 / 72.0);
}

QString firstInstalled(const QStringList& families)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : families) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            return family;
        }
    }
    return {};
}

}  // namespace

namespace UiFonts {

QFont Arial(double pointSize, bool bold)
{
    QFont font;
    const QString family =
        firstInstalled({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    if (!family.isEmpty()) {
        font.setFamily(family);
    } else {
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPixelSize(pixelsForPoints(pointSize));
    font.setBold(bold);
    return font;
}

QFont Condensed(double pointSize)
{
    QFont font;
    const QString family = firstInstalled({QStringLiteral("Haettenschweiler"), QStringLiteral("Liberation Sans Narrow"),
                                           QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans")});
    if (!family.isEmpty()) {
        font.setFamily(family);
    }
    font.setPixelSize(pixelsForPoints(pointSize));
    font.setBold(family != QStringLiteral("Haettenschweiler"));
    if (family.isEmpty() || family == QStringLiteral("Liberation Sans")) {
        font.setStretch(QFont::Condensed);
    }
    return font;
}

}  // namespace UiFonts
