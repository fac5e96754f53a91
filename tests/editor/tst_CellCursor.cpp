#include "FileLayout.h"
#include "Fixtures.h"
#include "SessionDriver.h"
#include "core/MapPattern.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

using FileLayout::MapByte;
using Moves = QList<QPoint>;  // x columns across, y rows down; Shift held for the moves after the first

namespace {

// Tile 1 everywhere but a column of tile 2 at column 41, rows 10 to 14, and tile 7 at (40, 12).
QByteArray cartridge()
{
    QByteArray bytes = QByteArray("NES\x1A", 4) + QByteArray(262156, '\x01');
    for (int row = 10; row <= 14; ++row) {
        bytes[MapByte(1, row, 41)] = 2;
    }
    bytes[MapByte(1, 12, 40)] = 7;
    return bytes;
}

}  // namespace

// The keyboard's cell cursor on the session: its moves across blocks and to the world's edges, and what
// Space, Shift, the pick and Go to Tile do with each tool.
class tst_CellCursor : public QObject {
    Q_OBJECT

private slots:
    void moves_data()
    {
        QTest::addColumn<QPoint>("start");  // x the column, y the row over the whole map
        QTest::addColumn<Moves>("moves");
        QTest::addColumn<QPoint>("end");
        QTest::newRow("across and down differ") << QPoint(40, 12) << Moves{{3, 0}, {0, -2}} << QPoint(43, 10);
        QTest::newRow("into block 2 and back") << QPoint(5, 31) << Moves{{0, 1}} << QPoint(5, 32);
        QTest::newRow("up into block 1") << QPoint(5, 32) << Moves{{0, -1}} << QPoint(5, 31);
        QTest::newRow("page into block 8") << QPoint(0, 220) << Moves{{0, 24}, {0, 24}} << QPoint(0, 255);
        QTest::newRow("top left stops") << QPoint(0, 0) << Moves{{-1, 0}, {0, -1}, {0, -24}} << QPoint(0, 0);
        QTest::newRow("right edge stops") << QPoint(254, 100) << Moves{{1, 0}, {1, 0}} << QPoint(255, 100);
    }
    void moves()
    {
        QFETCH(QPoint, start);
        QFETCH(Moves, moves);
        QFETCH(QPoint, end);
        SessionDriver d(cartridge());
        d.session.moveCursor(1, 0, false);  // no cursor before the first placing: nothing moves
        QVERIFY(!d.session.cursorCell() && d.load());
        d.session.startCursor({start.x(), start.y()});
        d.session.startCursor({9, 9});  // a cursor placed already stays
        for (const QPoint& move : moves) {
            d.session.moveCursor(move.x(), move.y(), false);
        }
        QCOMPARE(d.session.cursorCell(), MapCell({end.x(), end.y()}));
        QCOMPARE(d.session.currentBlock(), end.y() / 32 + 1);  // the block list follows
    }

    void spaceApplies_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<Moves>("moves");
        QTest::addColumn<QList<qint64>>("changed");  // tile 9 in each
        QTest::addColumn<QRect>("selection");
        QTest::addColumn<int>("steps");  // after a second Space two rows below
        const QList<qint64> column{MapByte(1, 10, 41), MapByte(1, 11, 41), MapByte(1, 12, 41), MapByte(1, 13, 41),
                                   MapByte(1, 14, 41)};
        QTest::newRow("brush") << "Brush" << Moves{{1, 0}} << QList<qint64>{MapByte(1, 12, 41)} << QRect() << 2;
        QTest::newRow("fill") << "Fill" << Moves{{1, 0}} << column << QRect() << 1;
        QTest::newRow("rectangle, one cell")
            << "Rectangle" << Moves{{0, 1}} << QList<qint64>{MapByte(1, 13, 40)} << QRect() << 2;
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
        SessionDriver d(cartridge());
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
        QFETCH(QList<qint64>, changed);
        QByteArray file = d.original;
        file.replace(FileLayout::ImageStart, d.image().size(), d.image());
        QCOMPARE(Fixtures::Differences(file, d.original, 100), changed);
        for (const qint64 offset : changed) {
            QCOMPARE(file[offset], '\x09');
        }
        QCOMPARE(d.session.document().undoStack().count(), changed.isEmpty() ? 0 : 1);
        QTEST(d.session.selection().value_or(QRect()), "selection");
        QVERIFY(!d.session.cursorAnchor() && !d.session.isPasting());
        // A second Space acts again, with the tool chosen (a paste is over), as a second click does.
        d.session.moveCursor(0, 2, false);
        d.session.applyAtCursor();
        QTEST(int(d.session.document().undoStack().count()), "steps");
    }

    // A press on the map places the cursor and ends a stretch; Escape drops one unused; I takes the tile.
    void pressPickAndEscape()
    {
        SessionDriver d(cartridge());
        QVERIFY(d.load());
        d.session.setTool("Rectangle");
        d.clickCell({40, 12}, Qt::RightButton);
        QVERIFY(d.session.cursorCell() == MapCell({40, 12}) && !d.session.isCursorShown());  // placed, not drawn
        d.session.moveCursor(0, 1, true);
        QVERIFY(d.session.isCursorShown());
        QCOMPARE(d.session.cursorAnchor(), MapCell({40, 12}));
        d.session.cancel();
        QVERIFY(!d.session.cursorAnchor());
        d.session.applyAtCursor();  // one cell only: the stretch was dropped
        QCOMPARE(d.session.document().undoStack().undoText(), QStringLiteral("Rectangle Fill 1 Cell"));
        d.session.moveCursor(0, -1, false);
        d.session.pickTileAtCursor();
        QCOMPARE(d.session.currentTile(), quint8(7));
        QCOMPARE(d.session.cursorDescription(), QStringLiteral("column 40, row 12, tile 07"));
    }

    void goToTile_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<int>("tile");  // the current tile after it; it was 05
        QTest::addColumn<QString>("message");
        QTest::newRow("3A") << std::optional<QString>("3A") << 0x3A << "";
        QTest::newRow("3a") << std::optional<QString>(" 3a ") << 0x3A << "";
        QTest::newRow("$3A") << std::optional<QString>("$3A") << 0x3A << "";
        QTest::newRow("0x3A") << std::optional<QString>("0X3a") << 0x3A << "";
        QTest::newRow("FF") << std::optional<QString>("00ff") << 0xFF << "";
        QTest::newRow("100") << std::optional<QString>("100") << 5 << "There is no tile 100";
        QTest::newRow("far too large") << std::optional<QString>("$123456789") << 5 << "There is no tile $123456789";
        QTest::newRow("not hex") << std::optional<QString>("3G") << 5 << "\"3G\" is not a tile number.";
        QTest::newRow("a sign") << std::optional<QString>("-1") << 5 << "\"-1\" is not a tile number.";
        QTest::newRow("prefix alone") << std::optional<QString>("0x") << 5 << "\"0x\" is not a tile number.";
        QTest::newRow("cancel") << std::optional<QString>() << 5 << "";
    }
    void goToTile()
    {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, message);
        SessionDriver d(cartridge());
        QVERIFY(d.load());
        d.selectTile(5);
        d.platform.textAnswers = {answer, QString("1")};
        d.session.goToTile();
        QTEST(int(*d.session.currentTile()), "tile");
        QCOMPARE(d.platform.textsOffered, QStringList{"05"});
        QCOMPARE(d.platform.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QVERIFY2(d.platform.messages[0].text.startsWith(message), qPrintable(d.platform.messages[0].text));
        }
        d.session.goToTile();  // the second time asks again
        QCOMPARE(*d.session.currentTile(), quint8(1));
    }
};

QTEST_MAIN(tst_CellCursor)
#include "tst_CellCursor.moc"
