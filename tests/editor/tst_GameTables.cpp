#include "FileLayout.h"
#include "Fixtures.h"
#include "FileFaults.h"
#include "SessionDriver.h"
#include "core/MapJournal.h"

#include <QSignalSpy>
#include <QtTest>

#include <functional>

using namespace FileLayout;
Q_DECLARE_METATYPE(Route)

namespace {

// Where box `name` stands among the number boxes of its table, and its offset.
QPair<int, qint64> boxOf(Route route, const QString& name)
{
    int index = 0;
    for (const Box& box : Boxes(route)) {
        if (box.name == name) {
            return {index, box.offset};
        }
        index += box.isList() ? 0 : 1;
    }
    return {-1, 0};
}

// A cartridge whose twelve towns stand on twelve screens of row 100 (town i at column
// 16 * i + 8), with the towns of `moved` (row -> cell) elsewhere.
QByteArray townsAt(const QMap<int, MapCell>& moved = {})
{
    QByteArray bytes = Fixtures::Pattern(262160, 9);
    const auto rows = LocationOffsets(Route::Towns);
    for (int i = 0; i < rows.size(); ++i) {
        const MapCell cell = moved.value(i, MapCell{16 * i + 8, 100});
        bytes[rows[i].first] = char(cell.column);
        bytes[rows[i].second] = char(cell.row);
    }
    return bytes;
}

// A left drag on the world view from `from` to `to`; `held` runs before the release.
void drag(SessionDriver& d, const MapCell& from, const MapCell& to, const std::function<void()>& held = {})
{
    d.session.mapEvent(QEvent::MouseButtonPress, {from, Qt::LeftButton, Qt::LeftButton, MapCell::WorldArea()});
    d.session.mapEvent(QEvent::MouseMove, {to, Qt::NoButton, Qt::LeftButton, MapCell::WorldArea()});
    if (held) {
        held();
    }
    d.session.mapEvent(QEvent::MouseButtonRelease, {to, Qt::LeftButton, Qt::NoButton, MapCell::WorldArea()});
}

}  // namespace

// The game tables of a session on real files, without windows: what the price
// and character tables make of texts, and what the location tables and the
// picker do with cells.
class tst_GameTables : public QObject {
    Q_OBJECT

private slots:
    void encodings_data()
    {
        QTest::addColumn<Route>("route");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("written");  // empty: refused with the message
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("comma");  // read on a desktop whose decimal separator is a comma
        const auto add = [](const char* row, Route route, const char* name, const QByteArray& stored, const char* shown,
                            const char* typed, const QByteArray& written, const char* message = "",
                            bool comma = false) {
            QTest::newRow(row) << route << QString(name) << stored << QString(shown) << QString(typed) << written
                               << QString(message) << comma;
        };
        const Route prices = Route::Prices, characters = Route::Characters;
        const QByteArray e803("\xE8\x03", 2), c409("\x40\x9C", 2);
        add("Oil, 32767", prices, "txtItem_3", e803, "1000", "32767", "\xFF\x7F");
        add("Moss, 123", prices, "txtHerbs_4", "\x05", "5", "123", "\x7B");
        add("starting Moss, 255", characters, "txtHerbs_4", "\x05", "5", "255", "\xFF");
        add("Bard level, 205", characters, "txtLevel_1", "\x10", "16", "205", "\xCD");
        add("Ranger exp, -32768", characters, "txtExp_6", c409, "-25536", "-32768", QByteArray("\x00\x80", 2));
        add("3.5 on a decimal-comma desktop", prices, "txtItem_17", e803, "1000", "3.5", QByteArray("\x04\x00", 2), "",
            true);
        add("item 9E99", prices, "txtItem_3", e803, "1000", "9E99", {},
            "The price of Oil must be a whole number from -32768 to 32767.");
        add("herb -1", prices, "txtHerbs_2", "\x05", "5", "-1", {},
            "The price of Garlic must be a whole number from 0 to 255.");
        add("hp 9E99", characters, "txtHP_5", c409, "-25536", "9E99", {},
            "The Paladin's hit points must be a whole number from -32768 to 32767.");
        add("ab in Mage level", characters, "txtLevel_0", "\x10", "16", "ab", {},
            "The Mage's level must be a whole number from 0 to 255.");
        add("herb -1 of the class table", characters, "txtHerbs_6", "\x05", "5", "-1", {},
            "The party's starting Fungus must be a whole number from 0 to 255.");
    }
    // What a table shows of a field's bytes, and what a save makes of a text: exactly those
    // bytes written; or, out of range, the message naming the field and nothing written.
    void encodings()
    {
        QFETCH(Route, route);
        QFETCH(QString, name);
        QFETCH(QByteArray, stored);
        QFETCH(QString, typed);
        QFETCH(QByteArray, written);
        QFETCH(QString, message);
        QFETCH(bool, comma);
        QTemporaryDir locale;
        QString why;
        if (comma && !TestLocale::UseDecimalComma(locale, &why)) {
            QSKIP(qPrintable(why));
        }
        const auto [index, offset] = boxOf(route, name);
        QByteArray bytes = Fixtures::Pattern(262160, static_cast<quint32>(offset));
        bytes.replace(offset, stored.size(), stored);
        SessionDriver d(bytes);
        QVERIFY(d.load());
        int rejected = -1;
        if (route == Route::Prices) {
            PriceTable& table = d.session.priceTable();
            QVERIFY(table.read(QStringLiteral("Prices")));
            QTEST(table.texts()[index], "shown");
            QStringList texts = table.texts();
            texts[index] = typed;
            rejected = table.save(texts).rejected;
        } else {
            CharacterTable& table = d.session.characterTable();
            QVERIFY(table.read(QStringLiteral("Characters")));
            QTEST(table.values().numbers[index], "shown");
            CharacterTable::Values values = table.values();
            values.numbers[index] = typed;
            rejected = table.save(values).rejected;
        }
        TestLocale::PinC();
        QCOMPARE(rejected, message.isEmpty() ? -1 : index);
        if (!message.isEmpty()) {
            QCOMPARE(d.platform.messageTitles(), QStringList{QStringLiteral("Value out of range")});
            QCOMPARE(d.platform.messages[0].text, message);
        } else {
            QVERIFY(d.platform.messages.isEmpty());
            bytes.replace(offset, written.size(), written);
        }
        QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(d.path), bytes), QList<qint64>());
    }

    void picker_data()
    {
        QTest::addColumn<Route>("route");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("escape");
        QTest::newRow("Brask, picked") << Route::Towns << 3 << "Click the map to place Brask, Escape cancels" << false;
        QTest::newRow("balloon, Escape") << Route::Items << 5
                                         << "Click the map to place Balloon(transport), Escape cancels" << true;
    }
    // The newest request says what a click will do; the next press answers it with its cell,
    // whatever the tool, painting and writing nothing; Escape ends it unanswered. Then the other
    // table's older request is answered, and only then does a press reach the tool again.
    void picker()
    {
        QFETCH(Route, route);
        QFETCH(int, row);
        QFETCH(bool, escape);
        SessionDriver d;
        QVERIFY(d.load());
        LocationTable& table = route == Route::Towns ? d.session.townsTable() : d.session.itemsTable();
        LocationTable& other = route == Route::Towns ? d.session.itemsTable() : d.session.townsTable();
        const QString toolStatus = d.session.toolStatus();
        QSignalSpy picked(&d.session.picker(), &LocationPicker::picked);
        d.selectTile(0x33);
        d.session.picker().request(other, 1);
        d.session.picker().request(table, row);
        QTEST(d.session.toolStatus(), "status");
        const MapCell cell{255, 254};
        QVERIFY(!escape || d.session.cancel());
        d.clickCell(cell);
        if (!escape) {
            d.clickCell({0, 224});
        }
        QCOMPARE(picked.size(), escape ? 1 : 2);
        QCOMPARE(picked.last()[0].value<LocationTable*>(), &other);
        QCOMPARE(picked.last()[1].toInt(), 1);
        QCOMPARE(picked.first()[2].value<MapCell>(), cell);
        if (!escape) {
            QCOMPARE(picked.first()[0].value<LocationTable*>(), &table);
            QCOMPARE(picked.first()[1].toInt(), row);
        }
        QCOMPARE(d.image(), d.original.mid(ImageStart, ImageEnd - ImageStart));
        QCOMPARE(d.session.toolStatus(), toolStatus);
        d.clickCell(cell);
        QCOMPARE(quint8(d.image()[MapByte(8, 30, 255) - ImageStart]), quint8(0x33));
        QCOMPARE(Fixtures::ReadAll(d.path), d.original);
    }

    void moves_data()
    {
        QTest::addColumn<Route>("route");
        QTest::addColumn<int>("row");
        QTest::addColumn<MapCell>("to");
        QTest::addColumn<bool>("painted");  // the map modified (and journaled) before the move
        QTest::addColumn<QString>("status");  // while dragged
        QTest::newRow("Brask to the last cell")
            << Route::Towns << 3 << MapCell{255, 255} << false << "Move Brask to (255, 255)";
        QTest::newRow("Silver Horn to the first cell, map modified")
            << Route::Items << 0 << MapCell{0, 0} << true << "Move Silver Horn to (000, 000)";
        QTest::newRow("balloon to column 120, row 45")
            << Route::Items << 5 << MapCell{120, 45} << false << "Move Balloon(transport) to (045, 120)";
        QTest::newRow("Duskel into a crowd") << Route::Towns << 2 << MapCell{100, 200} << true
                                             << "Move Duskel to (200, 100). Warps may fail: Olm, Duskel and Brask "
                                                "share a screen";
    }
    // A move is written at once, only its two bytes (the items' into the image too), as one
    // step named after it; undo writes the old bytes back and redo the new, each whole file
    // checked. The map's modified state and its journal stay as they were; Escape drops a drag.
    void moves()
    {
        QFETCH(Route, route);
        QFETCH(int, row);
        QFETCH(MapCell, to);
        QFETCH(bool, painted);
        QByteArray bytes = townsAt({{1, {97, 195}}, {3, {110, 209}}});  // Olm and Brask on the screen of (100, 200)
        const auto [columnAt, rowAt] = LocationOffsets(route)[row];
        const MapCell from{70 + row, 33};
        bytes[columnAt] = char(from.column);
        bytes[rowAt] = char(from.row);
        SessionDriver d(bytes);
        QVERIFY(d.load());
        if (painted) {
            d.selectTile(7);
            d.clickCell({0, 0});
        }
        const QString journal = MapJournal::JournalPath(d.path);
        const QByteArray journaled = Fixtures::ReadAll(journal);
        const QByteArray start = Fixtures::ReadAll(d.path);
        d.session.setTool(QStringLiteral("MoveLocations"));
        drag(d, from, to, [&] {
            QTEST(d.session.toolStatus(), "status");
            d.session.cancel();  // Escape: the drag ends, nothing moves
        });
        QCOMPARE(Fixtures::ReadAll(d.path), start);
        drag(d, from, to);
        QByteArray moved = start;
        moved[columnAt] = char(to.column);
        moved[rowAt] = char(to.row);
        for (int step = 0; step < 3; ++step) {  // moved, undone, redone
            const QByteArray& file = step == 1 ? start : moved;
            QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(d.path), file), QList<qint64>());
            QCOMPARE(d.image().mid(0x61A0 - ImageStart, 32), file.mid(0x61A0, 32));
            QCOMPARE(d.session.document().isModified(), painted);
            QCOMPARE(Fixtures::ReadAll(journal), journaled);
            QCOMPARE(d.session.document().undoStack().count(), painted ? 2 : 1);
            step == 0 ? d.session.undo() : d.session.redo();
        }
        QFETCH(QString, status);
        QCOMPARE(d.session.document().undoStack().undoText(), status.left(status.indexOf(QStringLiteral(". "))));
    }

    // A write that fails changes nothing: a message naming the file and the reason, no step made
    // or taken back, no file made.
    void failedMove()
    {
        for (const QString& fault : {QStringLiteral("missing"), QStringLiteral("a folder")}) {
            SessionDriver d(townsAt());
            QVERIFY(d.load());
            d.session.setTool(QStringLiteral("MoveLocations"));
            drag(d, {24, 100}, {25, 100});  // Olm moved: one step
            QVERIFY(FileFaults::Make(d.path, fault, 0));
            const auto tree = Fixtures::Tree(d.dir.path());
            d.session.undo();
            drag(d, {8, 100}, {9, 100});
            QCOMPARE(d.platform.messageTitles(), QStringList(2, QStringLiteral("Location not moved")));
            const QString text = d.platform.messages[1].text;
            QVERIFY2(text.startsWith(QStringLiteral("Ferrow was not moved.\r\n\r\n")) && text.contains(d.path) &&
                         text.contains(FileFaults::Reason(fault, 0)),
                     qPrintable(text));
            QCOMPARE(d.session.document().undoStack().index(), 1);
            QCOMPARE(d.session.townsTable().cells().mid(0, 2), (MapCells{{8, 100}, {25, 100}}));
            QVERIFY(Fixtures::Tree(d.dir.path()) == tree);
        }
    }

    void warnings_data()
    {
        QTest::addColumn<QList<QPoint>>("towns");  // towns 0.. at these cells, the others on screens of their own
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QList<int>>("crowded");
        const auto add = [](const char* name, const QList<QPoint>& towns, const char* warning, QList<int> crowded) {
            QTest::newRow(name) << towns << QString(warning) << crowded;
        };
        add("three on one screen's corners", {{0, 0}, {15, 14}, {15, 0}},
            "Warps may fail: Ferrow, Olm and Duskel share a screen", {0, 1, 2});
        add("column 16 is the next screen", {{0, 0}, {15, 14}, {16, 0}}, "", {});
        add("row 15 is the next screen", {{0, 0}, {15, 14}, {0, 15}}, "", {});
        add("the world's last screen", {{240, 255}, {255, 255}, {250, 255}},
            "Warps may fail: Ferrow, Olm and Duskel share a screen", {0, 1, 2});
        add("row 254 is the screen above", {{240, 254}, {255, 255}, {250, 255}}, "", {});
        add("four, and three elsewhere", {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {90, 95}, {88, 100}, {95, 91}},
            "Warps may fail: Ferrow, Olm, Duskel and Brask share a screen; Hollin, Wendle Isle and Starfen share a "
            "screen",
            {0, 1, 2, 3, 4, 5, 6});
    }
    // Towns more than two to a screen of 16 x 15 cells (fixed from the first cell) are named,
    // and the move tool's status line says so; nothing is refused.
    void warnings()
    {
        QFETCH(QList<QPoint>, towns);
        QFETCH(QString, warning);
        QMap<int, MapCell> moved;
        for (int i = 0; i < towns.size(); ++i) {
            moved[i] = {towns[i].x(), towns[i].y()};
        }
        SessionDriver d(townsAt(moved));
        QVERIFY(d.load());
        QTEST(d.session.crowdedTowns(), "crowded");
        QCOMPARE(d.session.crowdWarning(), warning);
        d.session.setTool(QStringLiteral("MoveLocations"));
        const QString idle = QStringLiteral("Move Locations: drag a town, an item or the balloon to another cell");
        QCOMPARE(d.session.toolStatus(), warning.isEmpty() ? idle : idle + QStringLiteral(". ") + warning);
    }
};

QTEST_MAIN(tst_GameTables)
#include "tst_GameTables.moc"
