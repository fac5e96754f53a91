#include "TestLocale.h"
#include "core/MapGeometry.h"

#include <QtTest>

using namespace MapGeometry;

class tst_MapGeometry : public QObject {
    Q_OBJECT

private slots:
    void mapByteOffset_data();
    void mapByteOffset();
    void pointerToCell_data();
    void pointerToCell();
    void texts_data();
    void texts();
    void tileReader_data();
    void tileReader();
    void fatalErrorText();
};

void tst_MapGeometry::mapByteOffset_data()
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

void tst_MapGeometry::mapByteOffset()
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
    }
}

void tst_MapGeometry::pointerToCell_data()
{
    QTest::addColumn<double>("position");
    QTest::addColumn<int>("cell");
    QTest::newRow("15.9") << 15.9 << 0;
    QTest::newRow("16") << 16.0 << 1;
    QTest::newRow("-0.5 truncates to 0") << -0.5 << 0;
    QTest::newRow("huge") << 1e12 << 1000000;
    QTest::newRow("huge negative") << -1e12 << -1000000;
}

void tst_MapGeometry::pointerToCell()
{
    QFETCH(double, position);
    QFETCH(int, cell);
    QCOMPARE(CellFromPointer(position), cell);
}

void tst_MapGeometry::texts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("point readout") << PointReadout(12, 45) << "(012 ,045)";
    QTest::newRow("location block 3 row 0 column 7") << LocationText(OverworldRow(3, 0), 7) << "(064, 007)";
    QTest::newRow("block label") << BlockLabel(3) << "3";
    QTest::newRow("tile 10") << TileReadout(10) << "0A";
    QTest::newRow("pad empty") << PadToTwoChars(QString()) << "";
    QTest::newRow("last progress") << DrawProgressCaption(31, 255) << "Loading Map - (032, 255)";
}

void tst_MapGeometry::texts()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

void tst_MapGeometry::tileReader_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");  // -1: nothing
    QTest::newRow("tile 0A") << "0A" << 10;
    QTest::newRow("tile empty") << "" << -1;
    QTest::newRow("tile junk") << "zz" << -1;
}

void tst_MapGeometry::tileReader()
{
    QFETCH(QString, text);
    const auto tile = ReadTileReadout(text);
    QTEST(tile ? int(*tile) : -1, "value");
}

// The message as the program shows it, the address line aside.
void tst_MapGeometry::fatalErrorText()
{
    QStringList lines = FatalErrorText().split(QStringLiteral("\r\n"));
    QVERIFY(lines.size() == 7 && lines[4].contains(u'@'));
    lines[4].clear();
    QCOMPARE(lines, QStringList({"If you are reading this box is beacuse something",
                                 "really bad has ocurred (with the program :P).", "", "Please drop me a line at: ", "",
                                 "", "Make sure to describe the problem."}));
}

QTEST_GUILESS_MAIN(tst_MapGeometry)
#include "tst_MapGeometry.moc"
