#include "WindowSteps.h"

#include "core/MapGeometry.h"

#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>

namespace WindowSteps {

QDialog* Open(MainWindowDriver& d, Route route)
{
    static const char* const menus[] = {nullptr, "mnuGameItems", "mnuGameTowns", "mnuGamePriceItems", "mnuCharacters"};
    return route == Route::Map ? nullptr : d.open(menus[static_cast<int>(route)]);
}

void Type(QDialog* window, const QString& name, const QString& text)
{
    auto* panel = qobject_cast<QGroupBox*>(window->findChild<QWidget*>(name)->parentWidget());
    if (panel && !panel->isVisible()) {
        MainWindowDriver::click(window, QStringLiteral("optChara_") + panel->objectName().section(u'_', 1));
    }
    MainWindowDriver::type(window, name, text);
}

QString ShownMismatch(QDialog* window, Route route, const QByteArray& file)
{
    for (const Box& box : Boxes(route)) {
        const QString shown = MainWindowDriver::textOf(window, box.name);
        const qint64 value = ValueAt(file, box);
        if (box.isList() ? shown.left(3).toInt() != value : shown != QString::number(value)) {
            return QStringLiteral("%1 shows \"%2\", the file holds %3").arg(box.name, shown).arg(value);
        }
    }
    const auto rows = LocationOffsets(route);
    for (int i = 0; i < rows.size(); ++i) {
        const int column = static_cast<quint8>(file.at(rows[i].first));
        const int row = static_cast<quint8>(file.at(rows[i].second));
        const QString shown = MainWindowDriver::textOf(window, QStringLiteral("lblSextant_%1").arg(i)) + u' ' +
                              MainWindowDriver::textOf(window, QStringLiteral("lblBlock_%1").arg(i));
        const QString expected = MapGeometry::LocationText(row, column) + u' ' + QString::number(row / 32 + 1);
        if (shown != expected) {
            return QStringLiteral("row %1 shows %2, the file holds %3").arg(i).arg(shown, expected);
        }
    }
    return {};
}

QList<FilePatch> Edit(MainWindowDriver& d, QDialog* window, Route route, QRandomGenerator& rng)
{
    if (route == Route::Prices || route == Route::Characters) {
        QList<Box> boxes = Boxes(route);
        boxes.removeIf([](const Box& box) { return box.isList(); });
        const Box& box = boxes[rng.bounded(static_cast<int>(boxes.size()))];
        // Once cleared, a box takes as many characters as its typing limit.
        Type(window, box.name, QString());
        qint64 largest = 1;
        for (int i = 0; i < window->findChild<QLineEdit*>(box.name)->maxLength() && largest <= 32767; ++i) {
            largest *= 10;
        }
        const qint64 value =
            rng.bounded(static_cast<int>(std::min<qint64>(largest - 1, box.width == 1 ? 255 : 32767)) + 1);
        Type(window, box.name, QString::number(value));
        return {FilePatch{box.offset, BytesOf(box, value)}};
    }
    const auto rows = LocationOffsets(route);
    const int row = rng.bounded(static_cast<int>(rows.size()));
    const int column = rng.bounded(MapCell::Columns);
    const int localRow = rng.bounded(MapCell::BlockRows);
    MainWindowDriver::click(window, QStringLiteral("cmdLocation_%1").arg(row));
    d.press(QPointF(column * 16 + rng.bounded(16), localRow * 16 + rng.bounded(16)));
    const int overworldRow = (d.session.currentBlock() - 1) * 32 + localRow;
    return {FilePatch{rows[row].first, QByteArray(1, static_cast<char>(column))},
            FilePatch{rows[row].second, QByteArray(1, static_cast<char>(overworldRow))}};
}

void Apply(QByteArray& file, const QList<FilePatch>& patches)
{
    for (const FilePatch& p : patches) {
        file.replace(p.offset, p.bytes.size(), p.bytes);
    }
}

}  // namespace WindowSteps
