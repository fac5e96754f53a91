#pragma once

// The steps the robustness and fault tests take through the main window and
// its Game windows, written once: which window a route opens, where each of
// its values lives in the file, how a user changes one value and saves.
// Every offset here is written out by hand, independently of the program's
// own tables, so that a wrong offset in the program shows as a wrong byte.

#include "core/CartridgeFile.h"
#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "core/MapGeometry.h"

#include <QDialog>
#include <QLineEdit>
#include <QRandomGenerator>

namespace WindowSteps {

enum class Route { Map, Items, Towns, Prices, Characters };

inline QString RouteName(Route route)
{
    switch (route) {
    case Route::Map: return QStringLiteral("map");
    case Route::Items: return QStringLiteral("items");
    case Route::Towns: return QStringLiteral("towns");
    case Route::Prices: return QStringLiteral("prices");
    case Route::Characters: return QStringLiteral("characters");
    }
    return {};
}

inline const QList<Route>& GameRoutes()
{
    static const QList<Route> routes{Route::Items, Route::Towns, Route::Prices, Route::Characters};
    return routes;
}

// The shortest file a Game window opens on (0 for the map).
inline qint64 RequiredLength(Route route)
{
    switch (route) {
    case Route::Map: return 0;
    case Route::Items: return 218603;
    case Route::Towns: return 256759;
    case Route::Prices: return 3913;
    case Route::Characters: return 218701;
    }
    return 0;
}

// Column byte and row byte of every row of a location window.
inline QList<QPair<qint64, qint64>> LocationOffsets(Route route)
{
    QList<QPair<qint64, qint64>> rows;
    if (route == Route::Items) {
        for (qint64 column : {0x61A0, 0x61A4, 0x61A8, 0x61AC, 0x61B4, 0x355E9}) {
            rows.append({column, column + 1});
        }
    } else if (route == Route::Towns) {
        for (qint64 k : {0, 2, 6, 11, 14, 19, 20, 21, 22, 24, 25, 28}) {
            rows.append({0x3EABD + 2 * k, 0x3EABD + 2 * k + 1});
        }
    }
    return rows;
}

// The prices window's boxes: name, offset, width (2: signed 16-bit, 1: unsigned byte).
struct Box {
    QString name;
    qint64 offset;
    int width;
};
inline QList<Box> PriceBoxes()
{
    QList<Box> boxes;
    int item = 0;
    for (const auto& [first, last] : {QPair<int, int>{3847, 3863}, {3867, 3881}, {3887, 3901}}) {
        for (int offset = first; offset <= last; offset += 2) {
            boxes.append({QStringLiteral("txtItem_%1").arg(item++), offset, 2});
        }
    }
    for (int herb = 0; herb < 6; ++herb) {
        boxes.append({QStringLiteral("txtHerbs_%1").arg(herb), 3907 + herb, 1});
    }
    return boxes;
}
// The characters window's number boxes (the herbs panel's boxes included).
inline QList<Box> CharacterBoxes()
{
    const QList<Box> stats{{QStringLiteral("txtLevel"), 0x355ED, 1}, {QStringLiteral("txtHP"), 0x355F5, 2},
                           {QStringLiteral("txtMp"), 0x35605, 1},    {QStringLiteral("txtStr"), 0x3560D, 1},
                           {QStringLiteral("txtINT"), 0x35615, 1},   {QStringLiteral("txtDEX"), 0x3561D, 1},
                           {QStringLiteral("txtExp"), 0x35625, 2}};
    QList<Box> boxes;
    for (const Box& stat : stats) {
        for (int c = 0; c < 8; ++c) {
            boxes.append({stat.name + u'_' + QString::number(c), stat.offset + stat.width * c, stat.width});
        }
    }
    for (int herb = 0; herb < 8; ++herb) {
        boxes.append({QStringLiteral("txtHerbs_%1").arg(herb), 0x35635 + herb, 1});
    }
    return boxes;
}

inline qint64 ValueAt(const QByteArray& file, const Box& box)
{
    const auto low = static_cast<quint8>(file.at(box.offset));
    if (box.width == 1) {
        return low;
    }
    return static_cast<qint16>(low | (static_cast<quint8>(file.at(box.offset + 1)) << 8));
}
inline QByteArray BytesOf(const Box& box, qint64 value)
{
    QByteArray bytes(1, static_cast<char>(value & 0xFF));
    if (box.width == 2) {
        bytes.append(static_cast<char>((value >> 8) & 0xFF));
    }
    return bytes;
}

// Opens the window of a Game route from the menu; the window, or null when it refused.
inline QDialog* Open(MainWindowDriver& d, Route route)
{
    switch (route) {
    case Route::Map: return nullptr;
    case Route::Items: return d.open(&frmMain::mnuGameItems_Click);
    case Route::Towns: return d.open(&frmMain::mnuGameTowns_Click);
    case Route::Prices: return d.open(&frmMain::mnuGamePriceItems_Click);
    case Route::Characters: return d.open(&frmMain::mnuCharacters_Click);
    }
    return nullptr;
}

// Empty when every value the window shows is the one in `file`; otherwise the first mismatch.
inline QString ShownMismatch(QDialog* window, Route route, const QByteArray& file)
{
    auto boxMismatch = [&](const QList<Box>& boxes) -> QString {
        for (const Box& box : boxes) {
            const QString shown = MainWindowDriver::textOf(window, box.name);
            const QString expected = QString::number(ValueAt(file, box));
            if (shown != expected) {
                return QStringLiteral("%1 shows \"%2\", the file holds %3").arg(box.name, shown, expected);
            }
        }
        return {};
    };
    if (route == Route::Prices) {
        return boxMismatch(PriceBoxes());
    }
    if (route == Route::Characters) {
        if (QString m = boxMismatch(CharacterBoxes()); !m.isEmpty()) {
            return m;
        }
        for (int c = 0; c < 8; ++c) {
            for (int n = 0; n < 2; ++n) {
                const QString name = QStringLiteral("cboEquip%1_%2").arg(n + 1).arg(c);
                const QString shown = MainWindowDriver::textOf(window, name);
                const int code = static_cast<quint8>(file.at(0x3563D + 2 * c + n));
                if (shown.left(3).toInt() != code) {
                    return QStringLiteral("%1 shows \"%2\", the file holds %3").arg(name, shown).arg(code);
                }
            }
        }
        return {};
    }
    const auto rows = LocationOffsets(route);
    for (int i = 0; i < rows.size(); ++i) {
        const int column = static_cast<quint8>(file.at(rows[i].first));
        const int row = static_cast<quint8>(file.at(rows[i].second));
        const QString sextant = MainWindowDriver::textOf(window, QStringLiteral("lblSextant_%1").arg(i));
        const QString block = MainWindowDriver::textOf(window, QStringLiteral("lblBlock_%1").arg(i));
        const QString text = MapGeometry::LocationText(row, column);
        const QString digit = QString::number(row / 32 + 1);
        if (sextant != text || block != digit) {
            return QStringLiteral("row %1 shows %2 %3, the file holds %4 %5").arg(i).arg(sextant, block, text, digit);
        }
    }
    return {};
}

// Changes one value through the window as a user does, and returns the bytes
// that value must take in the file. Location windows take a pick on the map
// (in the block now shown), which hides the window and shows it again.
inline QList<FilePatch> Edit(MainWindowDriver& d, QDialog* window, Route route, QRandomGenerator& rng)
{
    if (route == Route::Prices || route == Route::Characters) {
        const QList<Box> boxes = route == Route::Prices ? PriceBoxes() : CharacterBoxes();
        const Box& box = boxes[rng.bounded(static_cast<int>(boxes.size()))];
        if (route == Route::Characters) {
            // Bring the box's panel into view, like a user must.
            const int panel = box.name.startsWith(QLatin1String("txtHerbs")) ? 8 : box.name.section(u'_', 1).toInt();
            MainWindowDriver::click(window, QStringLiteral("optChara_%1").arg(panel));
        }
        // Once cleared, a box takes as many characters as its typing limit.
        MainWindowDriver::type(window, box.name, QString());
        auto* edit = window->findChild<QLineEdit*>(box.name);
        qint64 largest = 1;
        for (int i = 0; i < edit->maxLength() && largest <= 32767; ++i) {
            largest *= 10;
        }
        largest = std::min<qint64>(largest - 1, box.width == 1 ? 255 : 32767);
        const qint64 value = rng.bounded(static_cast<int>(largest) + 1);
        MainWindowDriver::type(window, box.name, QString::number(value));
        return {FilePatch{box.offset, BytesOf(box, value)}};
    }
    const auto rows = LocationOffsets(route);
    const int row = rng.bounded(static_cast<int>(rows.size()));
    const int column = rng.bounded(MapGeometry::Columns);
    const int localRow = rng.bounded(MapGeometry::BlockRows);
    MainWindowDriver::click(window, QStringLiteral("cmdLocation_%1").arg(row));
    d.press(QPointF(column * 16 + rng.bounded(16), localRow * 16 + rng.bounded(16)));
    const int overworldRow = (d.window.currentBlock() - 1) * 32 + localRow;
    return {FilePatch{rows[row].first, QByteArray(1, static_cast<char>(column))},
            FilePatch{rows[row].second, QByteArray(1, static_cast<char>(overworldRow))}};
}

inline void Apply(QByteArray& file, const QList<FilePatch>& patches)
{
    for (const FilePatch& p : patches) {
        if (p.offset + p.bytes.size() > file.size()) {
            file.append(QByteArray(p.offset + p.bytes.size() - file.size(), '\0'));
        }
        file.replace(p.offset, p.bytes.size(), p.bytes);
    }
}

// Empty when the file at `path` holds exactly `expected`; otherwise where it differs.
inline QString FileMismatch(const QString& path, const QByteArray& expected, const QString& step)
{
    const QByteArray now = Fixtures::ReadAll(path);
    if (now == expected) {
        return {};
    }
    QStringList at;
    for (qint64 offset : Fixtures::Differences(now, expected, 8)) {
        at << QString::number(offset);
    }
    return QStringLiteral("after %1: the file is %2 bytes (expected %3) and differs at %4")
        .arg(step)
        .arg(now.size())
        .arg(expected.size())
        .arg(at.join(u' '));
}

} // namespace WindowSteps
