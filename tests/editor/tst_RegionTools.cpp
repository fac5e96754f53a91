#include "FileLayout.h"
#include "Fixtures.h"
#include "SessionDriver.h"
#include "core/MapPattern.h"
#include "editor/LocationPicker.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

#include <functional>

using FileLayout::MapByte;
using Steps = std::function<void(SessionDriver&)>;
using Moves = QList<QPoint>;  // the cell cursor's: x columns across, y rows down
Q_DECLARE_METATYPE(Steps)

namespace {

// A cartridge whose map holds tile 1 in every cell but `twos`, which hold 2:
// by default a column at column 9, rows 30 to 33 (across blocks 1 and 2), and
// one cell touching its end at a corner only, which a fill never reaches.
QByteArray cartridge(const QList<QPoint>& twos = {{9, 30}, {9, 31}, {9, 32}, {9, 33}, {10, 34}})
{
    QByteArray bytes = QByteArray("NES\x1A", 4) + QByteArray(262156, '\x01');
    for (const QPoint& p : twos) {
        bytes[MapByte(p.y() / 32 + 1, p.y() % 32, p.x())] = 2;
    }
    return bytes;
}

// The cell cursor's tests: tile 2 at column 41, rows 10 to 14, and at (40, 12).
QByteArray cursorCartridge()
{
    return cartridge({{41, 10}, {41, 11}, {41, 12}, {41, 13}, {41, 14}, {40, 12}});
}

CartridgeImage imageOf(const QByteArray& file)
{
    CartridgeImage image;
    image.assign(file.mid(FileLayout::ImageStart, CartridgeImage::Size));
    return image;
}

// A press at the first cell, a move over each further one, the release at the last.
void drag(SessionDriver& d, Qt::MouseButton button, const QList<MapCell>& path)
{
    d.cellEvent(QEvent::MouseButtonPress, path.first(), button, button);
    for (const MapCell& cell : path.mid(1)) {
        d.cellEvent(QEvent::MouseMove, cell, Qt::NoButton, button);
    }
    d.cellEvent(QEvent::MouseButtonRelease, path.last(), button, Qt::NoButton);
}

// The file offsets of overworld cells (x the column, y the row), in order.
QList<qint64> cells(const QList<QPoint>& points)
{
    QList<qint64> offsets;
    for (const QPoint& p : points) {
        offsets << MapByte(p.y() / 32 + 1, p.y() % 32, p.x());
    }
    std::sort(offsets.begin(), offsets.end());
    return offsets;
}

// The file offsets at which the session's map differs from the file it loaded.
QList<qint64> changed(const SessionDriver& d)
{
    QByteArray file = d.original;
    file.replace(FileLayout::ImageStart, d.image().size(), d.image());
    return Fixtures::Differences(file, d.original, 1000);
}

QList<qint64> offsetsOf(const MapCellChanges& changes)
{
    QList<qint64> offsets;
    for (const auto& change : changes) {
        offsets << change.index;
    }
    std::sort(offsets.begin(), offsets.end());
    return offsets;
}

}  // namespace

// Each tool and clipboard command: its undo steps and exactly the bytes it changes.
class tst_RegionTools : public QObject {
    Q_OBJECT

private slots:
    void clipboardText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read");  // the pattern, through its clipboard bytes, written as text; or the refusal
        const auto row = [](const char* name, const QString& text, const QString& read) {
            QTest::newRow(name) << text << read;
        };
        const QString widest = QString("0A\t").repeated(255) + "F0\n";
        row("as written", "0A\t1F\n00\tFF\n", "0A\t1F\n00\tFF\n");
        row("spreadsheet: CRLF, one digit, lower case", "a 1f\r\n0,ff", "0A\t1F\n00\tFF\n");
        row("empty", "\n", "The text holds no tile numbers.");
        row("ragged", "00\t01\n02\n", "Line 2 has 1 tile, line 1 has 2 tiles: the text is not a rectangle.");
        row("ragged the other way", "00\n01\t02\n",
            "Line 2 has 2 tiles, line 1 has 1 tile: the text is not a rectangle.");
        row("not hexadecimal", "00\t01\n02\tG1\n", "Line 2, tile 2: \"G1\" is not a tile number (00 to FF).");
        row("three digits", "100", "Line 1, tile 1: \"100\" is not a tile number (00 to FF).");
        row("taller than the overworld", QString("00\n").repeated(257),
            "The text has 257 rows; the overworld has 256.");
        row("as wide and as tall as the overworld", widest.repeated(256), widest.repeated(256));
        row("wider than the overworld", "00\t" + widest, "Line 1 has 257 tiles; the overworld has 256 columns.");
    }

    void clipboardText()
    {
        QFETCH(QString, text);
        QString error;
        const auto pattern = MapPattern::FromText(text, &error);
        QTEST(pattern ? MapPattern::FromBytes(pattern->toBytes()).value_or(MapPattern()).toText() : error, "read");
    }

    // Bytes one short, or with another signature, are refused.
    void clipboardBytes()
    {
        const QByteArray bytes = MapPattern(3, 2, QByteArray("\x00\x01\xFF\x80\x7F\x02", 6)).toBytes();
        QVERIFY(!MapPattern::FromBytes(bytes.chopped(1)));
        QVERIFY(!MapPattern::FromBytes(QByteArray("ORVN") + bytes.mid(4)));
    }

    void placementClipsAtEdges_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QList<qint64>>("offsets");
        const QRect world(0, 0, 256, 256);
        QTest::newRow("bottom right corner")
            << QPoint(254, 254) << world
            << QList<qint64>{MapByte(8, 30, 254), MapByte(8, 30, 255), MapByte(8, 31, 254), MapByte(8, 31, 255)};
        QTest::newRow("above the top") << QPoint(0, -2) << world << QList<qint64>{MapByte(1, 0, 0), MapByte(1, 0, 1)};
        QTest::newRow("across blocks 1 and 2")
            << QPoint(100, 31) << world << QList<qint64>{MapByte(1, 31, 100), MapByte(1, 31, 101), MapByte(2, 0, 100),
                                                         MapByte(2, 0, 101),  MapByte(2, 1, 100),  MapByte(2, 1, 101)};
        QTest::newRow("clipped to block 1")
            << QPoint(100, 31) << QRect(0, 0, 256, 32) << QList<qint64>{MapByte(1, 31, 100), MapByte(1, 31, 101)};
    }

    // A 2 x 3 pattern of tile 9 (nothing on the map holds 9) placed at `at`.
    void placementClipsAtEdges()
    {
        QFETCH(QPoint, at);
        QFETCH(QRect, area);
        const MapPattern pattern(2, 3, QByteArray(6, '\x09'));
        QTEST(offsetsOf(pattern.placement(imageOf(cartridge({})), {at.x(), at.y()}, area)), "offsets");
    }

    void oneStepEach_data()
    {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QStringList>("undo");  // the name of every step
        QTest::addColumn<QList<qint64>>("changed");
        // Each segment of the drag painted, not a line from the press to the release.
        QTest::newRow("brush dragged round a corner") << Steps([](SessionDriver& d) {
            drag(d, Qt::LeftButton, {{2, 2}, {5, 2}, {5, 4}});
        }) << QStringList{"Paint 6 Cells"} << cells({{2, 2}, {3, 2}, {4, 2}, {5, 2}, {5, 3}, {5, 4}});
        QTest::newRow("fill across blocks, its count told before") << Steps([](SessionDriver& d) {
            d.session.setTool(QStringLiteral("Fill"));
            d.cellEvent(QEvent::MouseMove, {0, 0}, Qt::NoButton, Qt::NoButton);  // another area counted first
            QVERIFY(d.session.toolStatus().endsWith(u"will change"));
            d.cellEvent(QEvent::MouseMove, {9, 31}, Qt::NoButton, Qt::NoButton);
            QCOMPARE(d.session.toolStatus(), QStringLiteral("Fill: 4 cells will change"));
            d.clickCell({9, 31});
            d.cellEvent(QEvent::MouseMove, {0, 0}, Qt::NoButton, Qt::NoButton);
            QCOMPARE(d.session.toolStatus(), QStringLiteral("Fill: 65531 cells will change"));
        }) << QStringList{"Fill 4 Cells"} << cells({{9, 30}, {9, 31}, {9, 32}, {9, 33}});
        QTest::newRow("fill inside the selection") << Steps([](SessionDriver& d) {
            d.session.setTool(QStringLiteral("Fill"));
            d.session.setSelection(QRect(8, 30, 3, 2));
            d.clickCell({20, 20});  // outside it: nothing
            d.clickCell({8, 30});
        }) << QStringList{"Fill 2 Cells"} << cells({{8, 30}, {8, 31}});
        QTest::newRow("rectangle fill, its tile picked with a right click") << Steps([](SessionDriver& d) {
            d.session.setTool(QStringLiteral("Rectangle"));
            QCOMPARE(d.session.toolPreview(), QRect());  // no pointer on the map yet: no outline
            d.cellEvent(QEvent::MouseMove, {-1, 5}, Qt::NoButton, Qt::NoButton);  // nor with one off the map
            QCOMPARE(d.session.toolPreview(), QRect());
            d.clickCell({9, 30}, Qt::RightButton);
            QCOMPARE(d.session.currentTile(), std::optional<quint8>(2));
            drag(d, Qt::LeftButton, {{4, 3}, {2, 2}});
        }) << QStringList{"Rectangle Fill 6 Cells"} << cells({{2, 2}, {3, 2}, {4, 2}, {2, 3}, {3, 3}, {4, 3}});
        QTest::newRow("rectangle fill over cells holding its tile") << Steps([](SessionDriver& d) {
            d.selectTile(2);
            d.session.setTool(QStringLiteral("Rectangle"));
            drag(d, Qt::LeftButton, {{8, 30}, {10, 31}});
        }) << QStringList{"Rectangle Fill 4 Cells"} << cells({{8, 30}, {10, 30}, {8, 31}, {10, 31}});
        QTest::newRow("selection and paste of one cell, and of two, told") << Steps([](SessionDriver& d) {
            for (const int width : {1, 2}) {
                const QString size =
                    width == 1 ? QStringLiteral("1 \u00D7 1 cell") : QStringLiteral("2 \u00D7 1 cells");
                d.session.setTool(QStringLiteral("Select"));
                drag(d, Qt::LeftButton, {{4, 20}, {5, 20}, {3 + width, 20}});
                QCOMPARE(d.session.toolStatus(), QStringLiteral("Selection: ") + size);
                d.session.copy();
                d.session.paste();
                QCOMPARE(d.session.toolStatus(),
                         QStringLiteral("Paste: %1; click to place %2, Escape to cancel")
                             .arg(size, width == 1 ? QStringLiteral("it") : QStringLiteral("them")));
                d.session.cancel();
            }
            d.clickCell({9, 9});  // a click without a drag ends the selection
            QVERIFY(!d.session.selection());
        }) << QStringList{} << cells({});
        QTest::newRow("two deletes, two steps") << Steps([](SessionDriver& d) {
            d.session.setSelection(QRect(8, 31, 2, 2));
            d.session.deleteSelection();
            d.session.setSelection(QRect(50, 5, 2, 1));
            d.session.deleteSelection();
        }) << QStringList{"Delete 4 Cells", "Delete 2 Cells"}
                                                << cells({{8, 31}, {9, 31}, {8, 32}, {9, 32}, {50, 5}, {51, 5}});
        QTest::newRow("cut") << Steps([](SessionDriver& d) {
            d.session.setTool(QStringLiteral("Select"));
            drag(d, Qt::LeftButton, {{9, 30}, {9, 31}});
            d.session.cut();
            QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("02\n02\n"));
        }) << QStringList{"Cut 2 Cells"}
                             << cells({{9, 30}, {9, 31}});
        QTest::newRow("paste of text that is no pattern, then the brush") << Steps([](SessionDriver& d) {
            QGuiApplication::clipboard()->setText(QStringLiteral("00\t01\n02\tXY\n"));
            d.session.paste();
            QCOMPARE(d.platform.messageTitles(), QStringList{"Nothing pasted"});
            QVERIFY(d.platform.messages[0].text.endsWith("Line 2, tile 2: \"XY\" is not a tile number (00 to FF)."));
            d.clickCell({0, 0});
        }) << QStringList{"Paint 1 Cell"} << cells({{0, 0}});
        QTest::newRow("paste clipped at the last row") << Steps([](SessionDriver& d) {
            d.session.setSelection(QRect(9, 30, 2, 4));
            QVERIFY(d.session.copy());
            d.session.paste();
            d.clickCell({100, 254});
            QVERIFY(!d.session.isPasting());
        }) << QStringList{"Paste 2 Cells"} << cells({{100, 254}, {100, 255}});
        QTest::newRow("Escape drops the paste, then the selection") << Steps([](SessionDriver& d) {
            d.session.setSelection(QRect(9, 30, 1, 2));
            QVERIFY(d.session.copy());
            d.session.paste();
            QVERIFY(d.session.cancel() && !d.session.isPasting() && d.session.selection());
            QVERIFY(d.session.cancel() && !d.session.selection() && !d.session.cancel());
            d.session.deleteSelection();
            d.clickCell({40, 40});  // the brush, with the copy as its stamp
        }) << QStringList{"Paint 2 Cells"} << cells({{40, 40}, {40, 41}});
        // A stamp of 1 2 over 1 2 dragged leftwards in one move: stamped at every position between.
        QList<QPoint> stamped{{51, 5}, {51, 6}};
        for (int column = 21; column <= 25; ++column) {
            stamped << QPoint(column, 10) << QPoint(column, 11);
        }
        QTest::newRow("a right click picks the tile; a middle press and other buttons' drags do nothing")
            << Steps([](SessionDriver& d) {
                   d.clickCell({9, 30}, Qt::RightButton);
                   QCOMPARE(d.session.currentTile(), std::optional<quint8>(2));
                   d.cellEvent(QEvent::MouseButtonPress, {5, 5}, Qt::MiddleButton, Qt::MiddleButton);
                   for (const Qt::MouseButtons held :
                        {Qt::MouseButtons(Qt::RightButton), Qt::LeftButton | Qt::RightButton,
                         Qt::MouseButtons(Qt::MiddleButton)}) {
                       d.cellEvent(QEvent::MouseMove, {6, 6}, Qt::NoButton, held);
                   }
                   d.cellEvent(QEvent::MouseMove, {7, 7}, Qt::NoButton, Qt::LeftButton);  // a left drag paints
                   QCOMPARE(d.session.pointerCell(), std::optional<MapCell>({7, 7}));
               })
            << QStringList{"Paint 1 Cell"} << cells({{7, 7}});
        QTest::newRow("pick mode: every press goes to the waiting window, a left drag paints")
            << Steps([](SessionDriver& d) {
                   QSignalSpy handed(&d.session.picker(), &LocationPicker::picked);
                   for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
                       d.session.picker().request(d.session.itemsTable(), 1);
                       d.clickCell({5, 6}, button);
                   }
                   QCOMPARE(handed.count(), 3);
                   d.cellEvent(QEvent::MouseMove, {6, 6}, Qt::NoButton, Qt::LeftButton);
               })
            << QStringList{"Paint 1 Cell"} << cells({{6, 6}});
        QTest::newRow("stamp picked with a right drag, clicked and dragged") << Steps([](SessionDriver& d) {
            drag(d, Qt::RightButton, {{8, 30}, {9, 31}});
            QCOMPARE(d.session.toolStatus(), QStringLiteral("Brush: a stamp of 2 \u00D7 2 cells"));  // the pick ended
            d.clickCell({50, 5});
            drag(d, Qt::LeftButton, {{24, 10}, {20, 10}});
        }) << QStringList{"Paint 2 Cells", "Paint 10 Cells"} << cells(stamped);
    }

    void oneStepEach()
    {
        QFETCH(Steps, steps);
        SessionDriver d(cartridge());
        QVERIFY(d.load());
        d.selectTile(3);
        steps(d);
        const QUndoStack& history = d.session.document().undoStack();
        QStringList names;
        for (int step = 0; step < history.count(); ++step) {
            names << history.text(step);
        }
        QTEST(names, "undo");
        QTEST(changed(d), "changed");
    }

    // The keyboard's cell cursor: moves across blocks and to the world's edges, Space, Shift, I, Go to Tile.
    void moves_data()
    {
        QTest::addColumn<QPoint>("start");  // x the column, y the row over the whole map
        QTest::addColumn<Moves>("moves");
        QTest::addColumn<QPoint>("end");
        QTest::newRow("across and down differ") << QPoint(40, 12) << Moves{{3, 0}, {0, -2}} << QPoint(43, 10);
        QTest::newRow("into block 2, back, again") << QPoint(5, 31) << Moves{{0, 1}, {0, -1}, {0, 1}} << QPoint(5, 32);
        QTest::newRow("page into block 8") << QPoint(0, 220) << Moves{{0, 24}, {0, 24}} << QPoint(0, 255);
        QTest::newRow("top left stops") << QPoint(0, 0) << Moves{{-1, 0}, {0, -1}, {0, -24}} << QPoint(0, 0);
        QTest::newRow("right edge stops") << QPoint(254, 100) << Moves{{1, 0}, {1, 0}} << QPoint(255, 100);
    }
    void moves()
    {
        QFETCH(QPoint, start);
        QFETCH(Moves, moves);
        SessionDriver d(cursorCartridge());
        d.session.moveCursor(1, 0, false);  // no cursor before the first placing: nothing moves
        QVERIFY(!d.session.cursorCell() && d.load());
        d.session.startCursor({start.x(), start.y()});
        d.session.startCursor({9, 9});  // a cursor placed already stays
        for (const QPoint& move : moves) {
            d.session.moveCursor(move.x(), move.y(), false);
        }
        const MapCell end = *d.session.cursorCell();
        QTEST(QPoint(end.column, end.row), "end");
        QCOMPARE(d.session.currentBlock(), end.row / 32 + 1);  // the block list follows
    }

    void spaceApplies_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<Moves>("moves");
        QTest::addColumn<QList<qint64>>("offsets");  // tile 9 in each
        QTest::addColumn<QRect>("selection");
        QTest::addColumn<int>("steps");  // after a second Space two rows below
        QTest::newRow("brush") << "Brush" << Moves{{1, 0}} << QList<qint64>{MapByte(1, 12, 41)} << QRect() << 2;
        QTest::newRow("fill") << "Fill" << Moves{{1, 0}}
                              << QList<qint64>{MapByte(1, 10, 41), MapByte(1, 11, 41), MapByte(1, 12, 40),
                                               MapByte(1, 12, 41), MapByte(1, 13, 41), MapByte(1, 14, 41)}
                              << QRect() << 1;
        QTest::newRow("rectangle, stretched")
            << "Rectangle" << Moves{{1, 0}, {0, -1}, {1, 0}}
            << QList<qint64>{MapByte(1, 11, 41), MapByte(1, 11, 42), MapByte(1, 12, 41), MapByte(1, 12, 42)} << QRect()
            << 2;
        QTest::newRow("select, stretched")
            << "Select" << Moves{{0, 0}, {2, 0}, {0, 3}} << QList<qint64>{} << QRect(40, 12, 3, 4) << 0;
        QTest::newRow("paste") << "Paste" << Moves{{-1, 0}} << QList<qint64>{MapByte(1, 12, 39), MapByte(1, 12, 40)}
                               << QRect() << 2;
    }
    // The cursor starts at (40, 12); the first move is plain, Shift is held for the others, then Space.
    void spaceApplies()
    {
        QFETCH(QString, tool);
        QFETCH(Moves, moves);
        SessionDriver d(cursorCartridge());
        QVERIFY(d.load());
        d.selectTile(9);
        d.session.setTool(tool);
        if (tool == u"Paste") {
            QGuiApplication::clipboard()->setText("09\t09");
            d.session.paste();
        }
        d.session.startCursor({40, 12});
        for (qsizetype i = 0; i < moves.size(); ++i) {
            d.session.moveCursor(moves[i].x(), moves[i].y(), i > 0);
        }
        d.session.applyAtCursor();
        QFETCH(QList<qint64>, offsets);
        QCOMPARE(changed(d), offsets);
        QVERIFY(std::all_of(offsets.begin(), offsets.end(),
                            [&d](qint64 offset) { return d.image().at(offset - FileLayout::ImageStart) == 9; }));
        QCOMPARE(d.session.document().undoStack().count(), offsets.isEmpty() ? 0 : 1);
        QTEST(d.session.selection().value_or(QRect()), "selection");
        QVERIFY(!d.session.cursorAnchor() && !d.session.isPasting());
        // A second Space acts again, with the tool chosen (a paste is over), as a second click does.
        d.session.moveCursor(0, 2, false);
        d.session.applyAtCursor();
        QTEST(int(d.session.document().undoStack().count()), "steps");
    }

    // A press places the cursor unseen, Escape drops a stretch unused, I takes the tile under the cursor.
    void pressPickAndEscape()
    {
        SessionDriver d(cursorCartridge());
        QVERIFY(d.load());
        d.session.setTool("Rectangle");
        d.clickCell({40, 12}, Qt::RightButton);
        QVERIFY(d.session.cursorCell() == MapCell({40, 12}) && !d.session.isCursorShown());
        d.session.moveCursor(0, 1, true);
        QVERIFY(d.session.isCursorShown() && d.session.cursorAnchor() == MapCell({40, 12}));
        d.session.cancel();
        d.session.applyAtCursor();  // one cell only: the stretch was dropped
        QCOMPARE(d.session.document().undoStack().undoText(), QStringLiteral("Rectangle Fill 1 Cell"));
        d.session.moveCursor(0, -1, false);
        d.selectTile(5);
        d.session.pickTileAtCursor();
        QCOMPARE(d.session.cursorDescription(), QStringLiteral("column 40, row 12, tile 02"));
    }

    void goToTile_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<int>("tile");  // the current tile after it; it was 05
        QTest::addColumn<QString>("message");
        QTest::newRow("3A") << std::optional<QString>(" 3A ") << 0x3A << "";
        QTest::newRow("$3A") << std::optional<QString>("$3A") << 0x3A << "";
        QTest::newRow("0x3a") << std::optional<QString>("0X3a") << 0x3A << "";
        QTest::newRow("00ff") << std::optional<QString>("00ff") << 0xFF << "";
        QTest::newRow("100") << std::optional<QString>("100") << 5 << "There is no tile 100";
        QTest::newRow("far too large") << std::optional<QString>("$123456789") << 5 << "There is no tile $123456789";
        QTest::newRow("not hex") << std::optional<QString>("3G") << 5 << "\"3G\" is not a tile number.";
        QTest::newRow("prefix alone") << std::optional<QString>("0x") << 5 << "\"0x\" is not a tile number.";
        QTest::newRow("cancel") << std::optional<QString>() << 5 << "";
    }
    void goToTile()
    {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, message);
        SessionDriver d(cursorCartridge());
        QVERIFY(d.load());
        d.selectTile(5);
        d.platform.textAnswers = {answer, QString("1")};
        d.session.goToTile();
        QTEST(int(*d.session.currentTile()), "tile");
        QCOMPARE(d.platform.textsOffered, QStringList{"05"});
        QCOMPARE(d.platform.messages.size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(d.platform.messages.value(0).text.left(message.size()), message);
        d.session.goToTile();  // the second time asks again
        QCOMPARE(*d.session.currentTile(), quint8(1));
    }
};

QTEST_MAIN(tst_RegionTools)
#include "tst_RegionTools.moc"
