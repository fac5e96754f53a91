#include "TestLocale.h"
#include "core/MapGeometry.h"

#include <QtTest>

using namespace MapGeometry;

class tst_MapGeometry : public QObject {
    Q_OBJECT

private slots:
    void mapByteOffset_data()
    {
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("localRow");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("offset");  // -1: no such block
        QTest::newRow("block 0") << 0 << 0 << 0 << -1;
        QTest::newRow("first byte") << 1 << 0 << 0 << 0x4010;
        QTest::newRow("block 1 row 3 column 5") << 1 << 3 << 5 << 0x4315;
        QTest::newRow("block 5") << 5 << 0 << 1 << 0x14011;
        QTest::newRow("last byte of block 8") << 8 << 31 << 255 << 0x2200F;
        QTest::newRow("block 9") << 9 << 0 << 0 << -1;
    }

    void mapByteOffset()
    {
        QFETCH(int, block);
        QFETCH(int, localRow);
        QFETCH(int, column);
        const auto start = BlockStart(block);
        QTEST(start ? MapByteOffset(*start, localRow, column) : -1, "offset");
        if (start) {
            // A cell named over the whole map lies at the same byte, which names it back.
            const MapCell cell = MapCell::InBlock(block, localRow, column);
            QTEST(MapByteOffset(cell), "offset");
            QCOMPARE(CellAtOffset(MapByteOffset(cell)), std::optional<MapCell>(cell));
            QVERIFY(!CellAtOffset(*start + 8192));  // the bank's bytes past the block's 32 rows hold no cell
        }
    }

    void texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("point readout") << PointReadout(12, 45) << "(012 ,045)";
        QTest::newRow("location block 3 row 0 column 7") << LocationText(OverworldRow(3, 0), 7) << "(064, 007)";
        QTest::newRow("tile 10") << TileReadout(10) << "0A";
        QTest::newRow("last progress") << DrawProgressCaption(31, 255) << "Loading Map - (032, 255)";
        QTest::newRow("fatal error title") << FatalErrorTitle() << "Fatal Error!";
        QTest::newRow("fatal error, the address aside")
            << FatalErrorText().remove(QRegularExpression(QStringLiteral("\\S*@\\S*")))
            << "If you are reading this box is beacuse something\r\nreally bad has ocurred (with the program "
               ":P).\r\n\r\n"
               "Please drop me a line at: \r\n\r\n\r\nMake sure to describe the problem.";
        QTest::newRow("cell tooltip") << CellDescription(MapCell::InBlock(2, 3, 5), 0xAB)
                                      << "Block 2 \u00b7 row 35, column 5 \u00b7 tile AB \u00b7 offset 0x8315";
    }

    void texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }
};

QTEST_GUILESS_MAIN(tst_MapGeometry)
#include "tst_MapGeometry.moc"
